// The compiled help file: every page of its contents and every picture and
// link on those pages resolves inside the file, and the vocabulary page
// lists the words of the shipped vocabulary.
#include <chm_lib.h>
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "ui/Image.h"
#include "world/Ids.h"

namespace {

const std::string Data = GLIM_DATA_DIR;

class ChmFile {
 public:
  explicit ChmFile(const std::string& path) : h_(chm_open(path.c_str())) {}
  ~ChmFile() {
    if (h_) chm_close(h_);
  }
  ChmFile(const ChmFile&) = delete;
  ChmFile& operator=(const ChmFile&) = delete;
  bool Open() const { return h_ != nullptr; }
  bool Read(const std::string& path, std::string& out) {
    chmUnitInfo ui;
    if (chm_resolve_object(h_, path.c_str(), &ui) != CHM_RESOLVE_SUCCESS || ui.length == 0) return false;
    out.resize(static_cast<size_t>(ui.length));
    return chm_retrieve_object(h_, &ui, reinterpret_cast<unsigned char*>(out.data()), 0,
                               static_cast<LONGINT64>(ui.length)) == static_cast<LONGINT64>(ui.length);
  }

 private:
  chmFile* h_;
};

std::vector<std::string> Attr(const std::string& text, const std::string& pattern) {
  std::vector<std::string> out;
  const std::regex re(pattern, std::regex::icase);
  for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator(); ++it)
    out.push_back((*it)[1]);
  return out;
}

// A link relative to a page, as a path inside the file ("/images/x.png").
std::string Resolve(const std::string& page, std::string link) {
  link = link.substr(0, link.find('#'));
  const std::string dir = page.substr(0, page.rfind('/') + 1);
  std::vector<std::string> parts;
  std::stringstream ss(link[0] == '/' ? link : dir + link);
  std::string part;
  while (std::getline(ss, part, '/')) {
    if (part.empty() || part == ".") continue;
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else {
      parts.push_back(part);
    }
  }
  std::string out;
  for (const auto& p : parts) out += "/" + p;
  return out;
}

std::vector<std::string> VocabularyWords(size_t& verbs) {
  std::ifstream f(Data + "/glimtext.wdt", std::ios::binary);
  std::vector<std::string> L;
  std::string line;
  while (std::getline(f, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    L.push_back(line);
  }
  if (L.size() < 8) return {};
  verbs = static_cast<size_t>(std::stoi(L[0]));
  const size_t adverbs = static_cast<size_t>(std::stoi(L[1]));
  return std::vector<std::string>(L.begin() + 8, L.begin() + 8 + static_cast<long>(verbs + adverbs));
}

TEST(PicsHelp, EveryPageAndPictureOfTheContentsResolves) {
  ChmFile chm(Data + "/glimhelp.chm");
  ASSERT_TRUE(chm.Open());
  std::string hhc;
  ASSERT_TRUE(chm.Read("/contents.hhc", hhc));
  const auto topics = Attr(hhc, R"re(<param\s+name="Local"\s+value="([^"]+)")re");
  ASSERT_GE(topics.size(), 7u) << "how to play, commands, words, buttons, saving, hints, story";
  std::set<std::string> pages, pictures;
  for (const auto& t : topics) pages.insert(Resolve("/", t));
  std::set<std::string> checked;
  std::vector<std::string> todo(pages.begin(), pages.end());
  while (!todo.empty()) {
    const std::string page = todo.back();
    todo.pop_back();
    if (!checked.insert(page).second) continue;
    std::string html;
    ASSERT_TRUE(chm.Read(page, html)) << page << " is in the contents but not in the file";
    EXPECT_NE(html.find("<title>"), std::string::npos) << page;
    for (const auto& src : Attr(html, R"re(<img[^>]*\ssrc="([^"]+)")re")) pictures.insert(Resolve(page, src));
    for (const auto& href : Attr(html, R"re(<a[^>]*\shref="([^"]+)")re")) {
      if (href.find(':') != std::string::npos || href[0] == '#') continue;
      todo.push_back(Resolve(page, href));
    }
  }
  EXPECT_GE(pictures.size(), 5u) << "the pages show pictures from the game";
  for (const auto& p : pictures) {
    std::string bytes;
    ASSERT_TRUE(chm.Read(p, bytes)) << p << " is shown on a page but not in the file";
    glim::Image img;
    EXPECT_TRUE(glim::DecodePng(bytes, img)) << p;
  }
  EXPECT_TRUE(checked.count("/index.html")) << "the default page";
}

TEST(PicsHelp, VocabularyPageListsEveryVerbAndAdverbOfTheGame) {
  ChmFile chm(Data + "/glimhelp.chm");
  ASSERT_TRUE(chm.Open());
  std::string page;
  ASSERT_TRUE(chm.Read("/words.html", page));
  size_t verbs = 0;
  const auto words = VocabularyWords(verbs);
  ASSERT_FALSE(words.empty()) << "the word data file " << Data << "/glimtext.wdt is missing or cut short";
  for (size_t i = 0; i < words.size(); ++i) {
    // The verb go has no action of its own; every other word is listed.
    if (words[i].empty() || i + 1 == static_cast<size_t>(glim::Verb::Go)) continue;
    EXPECT_NE(page.find("<span class=\"cmd\">" + words[i] + "</span>"), std::string::npos)
        << (i < verbs ? "verb " : "adverb ") << words[i] << " is missing: run tools/pictures/regenerate.sh";
  }
}

}  // namespace
