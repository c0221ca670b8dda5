// Every example sentence of the help pages is one the shipped game accepts:
// each goes through the sentence analysis with the shipped vocabulary and
// must keep all its words and earn no parser message. (An example shown as
// one that does not work is marked class="cmd refused" and left out.)
#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <sstream>

#include "Harness.h"

namespace glimtest {
namespace {

// The text of every element with class="cmd" that holds more than one word.
std::vector<std::string> Examples(const std::string& page) {
  std::vector<std::string> v;
  static const std::regex cmd(R"re(<(span|td) class="cmd">([^]*?)</\1>)re");
  for (std::sregex_iterator it(page.begin(), page.end(), cmd), end; it != end; ++it) {
    std::string text = std::regex_replace((*it)[2].str(), std::regex("<[^>]*>"), "");
    text = std::regex_replace(text, std::regex("\\s+"), " ");
    text = std::regex_replace(text, std::regex("&amp;"), "&");
    if (text.find(' ') != std::string::npos) v.push_back(text);
  }
  return v;
}

int Tokens(const std::string& s) {
  std::istringstream in(s);
  int n = 0;
  for (std::string w; in >> w;) ++n;
  return n;
}

TEST(HelpExamples, EverySentenceIsAccepted) {
  Harness h(std::string(GLIM_DATA_DIR) + "/", false);
  h.Start();
  glim::Game& g = h.game;
  int seen = 0;
  for (const auto& e : std::filesystem::directory_iterator(TestDir() + "/../help")) {
    if (e.path().extension() != ".html") continue;
    for (const std::string& s : Examples(ReadAll(e.path().string()))) {
      SCOPED_TRACE(e.path().filename().string() + ": \"" + s + "\"");
      ++seen;
      g.ParseError = 0;
      g.AdverbNumber = 0;
      g.WordFound.fill(false);
      g.WordClass.fill(0);
      g.WordNumber.fill(0);
      const int n = g.SplitCommand(s);
      // A word the parser drops as a describing word is a word the example
      // wants the player to type for nothing.
      EXPECT_EQ(n, Tokens(s)) << "a word is dropped as a qualifier word";
      ASSERT_GE(n, 2);
      ASSERT_LE(n, 5);
      g.WordPosition = 1;
      g.LookupWord(g.Words[1], glim::WcVerb);
      ASSERT_TRUE(g.WordFound[glim::WcVerb]) << "not a verb: " << g.Words[1];
      switch (n) {
        case 2: g.AnalyseTwoWords(); break;
        case 3: g.AnalyseThreeWords(); break;
        case 4: g.AnalyseFourWords(); break;
        default: g.AnalyseFiveWords(); break;
      }
      if (g.ParseError == 0) g.AssignNouns(n);
      EXPECT_EQ(g.ParseError, 0);
      EXPECT_GT(g.VerbNumber, 10) << "a command word does not take a sentence";
    }
  }
  EXPECT_GT(seen, 20);
}

}  // namespace
}  // namespace glimtest
