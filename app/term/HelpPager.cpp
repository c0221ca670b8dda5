#include "app/term/HelpPager.h"

#include <ostream>

#include "ui/TextWrap.h"
#include "world/Text.h"

namespace glim {

namespace {

const char* const BrowseHint = "Type a page's number or name to read it; Enter or q goes back to the game.";
const char* const PageHint = "(a number or name: another page; 0: the contents; Enter or q: back to the game)";

std::string Join(const std::vector<std::string>& names) {
  std::string s;
  for (size_t i = 0; i < names.size(); ++i) s += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  return s;
}

}  // namespace

void HelpPager::Print(const std::string& line, int width, int indent) {
  for (const std::string& l : WrapText(line, width, indent)) out_ << l << '\n';
}

void HelpPager::PrintContents(int width) {
  const std::vector<HelpEntry>& topics = file_.Contents();
  Print(file_.Title().empty() ? "Help contents" : file_.Title() + ": contents", width);
  const size_t digits = std::to_string(topics.size()).size();
  for (size_t i = 0; i < topics.size(); ++i) {
    std::string number = std::to_string(i + 1);
    number.insert(0, digits - number.size(), ' ');
    const std::string lead = " " + number + "  " + std::string(static_cast<size_t>(2 * topics[i].Depth), ' ');
    Print(lead + topics[i].Name, width, static_cast<int>(lead.size()));
  }
}

void HelpPager::PrintContentsForPipe(int width) {
  PrintContents(width);
  const std::vector<HelpEntry>& topics = file_.Contents();
  const std::string example = topics.size() > 1 ? "2" : "1";
  Print("To read a page, type :help and its number or name, as in :help " + example, width);
}

std::optional<size_t> HelpPager::Choose(const std::string& choice, int width) {
  std::vector<std::string> candidates;
  const auto topic = FindHelpTopic(file_.Contents(), choice, &candidates);
  if (topic) return topic;
  const std::string c = Trim(choice);
  if (!candidates.empty())
    Print("\"" + c + "\" could be " + Join(candidates) + ".", width);
  else
    Print("There is no help page \"" + c + "\": choose a number from 1 to " + std::to_string(file_.Contents().size()) +
              " or a name from the contents.",
          width);
  return std::nullopt;
}

std::vector<std::string> HelpPager::PageLines(size_t topic, int width, bool numbered) const {
  const std::vector<HelpEntry>& topics = file_.Contents();
  HelpPage page;
  std::vector<std::string> lines;
  if (!file_.Page(topics[topic].File, page)) {
    lines.push_back("The page " + topics[topic].File + " is missing from the help file.");
    return lines;
  }
  lines = RenderHelpPage(page, width);
  std::vector<std::string> links;
  for (const std::string& l : page.Links) {
    const auto t = TopicOfFile(topics, l);
    if (!t)
      links.push_back(l.substr(1));
    else if (numbered)
      links.push_back(std::to_string(*t + 1) + " " + topics[*t].Name);
    else
      links.push_back(topics[*t].Name);
  }
  if (!links.empty()) {
    lines.emplace_back();
    std::string s = "Links: ";
    for (size_t i = 0; i < links.size(); ++i) s += (i ? "; " : "") + links[i];
    for (const std::string& l : WrapText(s, width, static_cast<int>(std::string("Links: ").size()))) lines.push_back(l);
  }
  return lines;
}

bool HelpPager::PrintPage(const std::string& choice, int width) {
  const auto topic = Choose(choice, width);
  if (!topic) return false;
  for (const std::string& l : PageLines(*topic, width, false)) out_ << l << '\n';
  return true;
}

bool HelpPager::Page(const HelpTerminal& term, const std::vector<std::string>& lines) {
  const int rows = term.Rows ? term.Rows() : 0;
  // One line of the screen is kept for the prompt.
  const size_t screen = rows > 1 ? static_cast<size_t>(rows - 1) : lines.size();
  size_t shown = 0;
  while (shown < lines.size()) {
    const size_t end = std::min(lines.size(), shown + screen);
    for (; shown < end; ++shown) out_ << lines[shown] << '\n';
    if (shown == lines.size()) break;
    out_ << "-- more --" << std::flush;
    const int key = term.ReadKey ? term.ReadKey() : -1;
    out_ << "\r\x1b[K";  // the prompt gives way to the next line
    if (key < 0 || key == 'q' || key == 'Q') {
      out_.flush();
      return false;
    }
  }
  return true;
}

void HelpPager::Browse(const HelpTerminal& term, const std::string& choice) {
  auto width = [&term] { return term.Columns ? term.Columns() : 0; };
  auto show = [&](size_t topic) {
    Page(term, PageLines(topic, width(), true));
    Print(PageHint, width());
  };
  std::optional<size_t> first;
  if (!Trim(choice).empty()) first = Choose(choice, width());
  if (first) {
    show(*first);
  } else {
    PrintContents(width());
    Print(BrowseHint, width());
  }
  for (;;) {
    out_.flush();
    const std::optional<std::string> line = term.ReadLine ? term.ReadLine("help> ") : std::nullopt;
    if (!line) break;
    const std::string c = LowerAscii(Trim(*line));
    if (c.empty() || c == "q") break;
    if (c == "0" || c == "contents") {
      PrintContents(width());
      Print(BrowseHint, width());
    } else if (const auto topic = Choose(*line, width())) {
      show(*topic);
    }
  }
  out_.flush();
}

}  // namespace glim
