// The help pages as text: the shipped help file's contents and every page
// converted, HTML features on made-up pages, and the choice of a page.
#include <gtest/gtest.h>

#include <regex>

#include "shell/HelpFile.h"
#include "shell/HelpText.h"
#include "ui/TextWrap.h"

using glim::HelpEntry;
using glim::HelpPage;
using glim::RenderHelpPage;
using Lines = std::vector<std::string>;

namespace {

const std::string Data = GLIM_DATA_DIR;

std::string Joined(const Lines& lines) {
  std::string s;
  for (const std::string& l : lines) s += l + "\n";
  return s;
}

Lines Render(const std::string& body, int width, const std::string& path = "/page.html") {
  return RenderHelpPage(glim::ParseHelpPage("<html><body>" + body + "</body></html>", path), width);
}

}  // namespace

// Every page of the contents of the shipped help file reads as text at every
// width: no tag or entity is left, no line is wider than asked, the pictures
// are named, and every link leads to a page of the contents.
TEST(ShellHelp, EveryPageOfTheShippedHelpConverts) {
  glim::HelpFile help;
  ASSERT_TRUE(help.Open(Data + "/glimhelp.chm"));
  EXPECT_EQ(help.Title(), "Glimmerhold Help");
  const std::vector<HelpEntry>& topics = help.Contents();
  ASSERT_GE(topics.size(), 7u);
  EXPECT_EQ(topics[0].Name, "How to play");
  EXPECT_EQ(topics[0].File, "/index.html");
  EXPECT_EQ(topics[0].Depth, 0);
  EXPECT_EQ(topics[1].Depth, 1) << "the pages under How to play";
  const std::regex tag("<[a-zA-Z/!]"), entity("&[a-zA-Z]+;|&#[0-9a-fA-F]+;");
  int pictures = 0;
  for (const HelpEntry& t : topics) {
    HelpPage page;
    ASSERT_TRUE(help.Page(t.File, page)) << t.File;
    EXPECT_FALSE(page.Title.empty()) << t.File;
    for (const std::string& link : page.Links)
      EXPECT_TRUE(glim::TopicOfFile(topics, link)) << t.File << " links to " << link << ", no page of the contents";
    for (int width : {0, 40, 80, 120}) {
      const Lines lines = RenderHelpPage(page, width);
      ASSERT_GE(lines.size(), 3u) << t.File;
      const std::string text = Joined(lines);
      EXPECT_FALSE(std::regex_search(text, tag)) << t.File << ":\n" << text;
      EXPECT_FALSE(std::regex_search(text, entity)) << t.File << ":\n" << text;
      EXPECT_EQ(text.find("{"), std::string::npos) << "no style sheet text in " << t.File;
      EXPECT_EQ(text.find("How to play | One-letter"), std::string::npos) << "the navigation bar is left out";
      for (const std::string& l : lines) {
        if (width > 0) {
          EXPECT_LE(glim::TextColumns(l), width) << t.File << ": " << l;
        }
      }
      if (text.find("[picture: ") != std::string::npos) ++pictures;
    }
  }
  EXPECT_GT(pictures, 0) << "the pictures are named by their alt text";
}

// The one-letter commands page: its heading, its key table in columns with
// the header ruled off, and its links by page.
TEST(ShellHelp, CommandsPageReadsAsATable) {
  glim::HelpFile help;
  ASSERT_TRUE(help.Open(Data + "/glimhelp.chm"));
  HelpPage page;
  ASSERT_TRUE(help.Page("/commands.html", page));
  const std::string text = Joined(RenderHelpPage(page, 80));
  EXPECT_NE(text.find("The one-letter commands\n=======================\n"), std::string::npos) << text;
  EXPECT_NE(text.find("Letter  What it does\n------  "), std::string::npos) << text;
  EXPECT_NE(text.find("\nn       go north\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\nq       quit: asks first"), std::string::npos) << text;
  EXPECT_NE(text.find("Command words\n-------------\n"), std::string::npos) << text;
  EXPECT_NE(text.find("\"drop book\""), std::string::npos) << "commands in running text stand in quotes";
}

TEST(ShellHelp, HeadingsListsEntitiesAndPictures) {
  const Lines lines = Render(
      "<h1>Big &amp; bold</h1><p>One&nbsp;two &mdash; three &lt;x&gt; &#233;&#x41; &bogus; &amp</p>"
      "<ul><li>first item that is long enough to wrap</li><li>second<ul><li>inner</li></ul></li></ul>"
      "<ol><li>one</li><li>two</li></ol><p>a<br>b <img src='x.png' alt='The cat'> <img src=y.png></p>"
      "<script>var x = '<p>no</p>';</script><!-- <p>hidden</p> -->",
      24);
  const Lines want = {"Big & bold",
                      "==========",
                      "",
                      "One\xc2\xa0two \xe2\x80\x94 three <x> \xc3\xa9"
                      "A",
                      "&bogus; &amp",
                      "",
                      "  * first item that is",
                      "    long enough to wrap",
                      "  * second",
                      "    * inner",
                      "",
                      "  1. one",
                      "  2. two",
                      "",
                      "a",
                      "b [picture: The cat]",
                      "[picture]"};
  EXPECT_EQ(lines, want) << Joined(lines);
}

// A table too wide for the screen keeps its narrow columns and wraps the wide
// ones; without a width it is laid out as wide as it needs.
TEST(ShellHelp, TablesFitTheWidth) {
  const std::string table =
      "<table><tr><th>Key</th><th>What it does</th></tr>"
      "<tr><td>n</td><td>go north, if the way is open</td></tr>"
      "<tr><td>h</td><td>help</td></tr></table>";
  EXPECT_EQ(Render(table, 0), (Lines{"Key  What it does", "---  ----------------------------",
                                     "n    go north, if the way is open", "h    help"}));
  EXPECT_EQ(Render(table, 20), (Lines{"Key  What it does", "---  ---------------", "n    go north, if",
                                      "     the way is open", "", "h    help"}));
  // Too narrow for columns: a row per paragraph.
  EXPECT_EQ(Render(table, 10),
            (Lines{"Key - What", "  it does", "n - go", "  north,", "  if the", "  way is", "  open", "h - help"}));
}

TEST(ShellHelp, LinksArePathsInsideTheFile) {
  EXPECT_EQ(glim::HelpPathFor("/index.html", "commands.html#top"), "/commands.html");
  EXPECT_EQ(glim::HelpPathFor("/sub/page.html", "../words.html"), "/words.html");
  EXPECT_EQ(glim::HelpPathFor("/sub/page.html", "pic/a.png"), "/sub/pic/a.png");
  EXPECT_EQ(glim::HelpPathFor("/index.html", "ms-its:glimhelp.chm::/saving.html"), "/saving.html");
  EXPECT_EQ(glim::HelpPathFor("/index.html", "http://example.org/x.html"), "");
  EXPECT_EQ(glim::HelpPathFor("/index.html", "#here"), "");
  const HelpPage page = glim::ParseHelpPage(
      "<p><a href='a.html'>A</a> <a href=\"b.html#x\">B</a> <a href='A.HTML'>again</a> <a href='page.html'>self</a> "
      "<a href='mailto:x@y'>mail</a></p>",
      "/page.html");
  EXPECT_EQ(page.Links, (Lines{"/a.html", "/b.html"}));
}

TEST(ShellHelp, PageChoiceByNumberNameAndBeginning) {
  const std::vector<HelpEntry> topics = {{"How to play", "/index.html", 0},
                                         {"The one-letter commands", "/commands.html", 1},
                                         {"Saving and loading", "/saving.html", 1},
                                         {"The story so far", "/story.html", 0}};
  Lines fits;
  EXPECT_EQ(glim::FindHelpTopic(topics, "1"), 0u);
  EXPECT_EQ(glim::FindHelpTopic(topics, " 4 "), 3u);
  EXPECT_FALSE(glim::FindHelpTopic(topics, "0"));
  EXPECT_FALSE(glim::FindHelpTopic(topics, "5"));
  EXPECT_FALSE(glim::FindHelpTopic(topics, "99999999999"));
  EXPECT_EQ(glim::FindHelpTopic(topics, "how TO  Play"), 0u);
  EXPECT_EQ(glim::FindHelpTopic(topics, "sav"), 2u);
  EXPECT_EQ(glim::FindHelpTopic(topics, "one-letter"), 1u) << "a leading \"the\" may be left out";
  EXPECT_EQ(glim::FindHelpTopic(topics, "commands"), 1u) << "the file's name";
  EXPECT_EQ(glim::FindHelpTopic(topics, "story.html"), 3u);
  EXPECT_FALSE(glim::FindHelpTopic(topics, "s", &fits));
  EXPECT_EQ(fits, (Lines{"Saving and loading", "The story so far"}));
  EXPECT_FALSE(glim::FindHelpTopic(topics, "the", &fits));
  EXPECT_EQ(fits.size(), 2u);
  EXPECT_FALSE(glim::FindHelpTopic(topics, "nothing", &fits));
  EXPECT_TRUE(fits.empty());
  EXPECT_FALSE(glim::FindHelpTopic(topics, ""));
}

TEST(ShellHelp, ContentsInOrderWithDepth) {
  const auto topics = glim::ParseHelpContents(
      "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Top &amp; more\">"
      "<param name=\"Local\" value=\"index.html\"></OBJECT><UL><LI><OBJECT type=\"text/sitemap\">"
      "<param name=\"Name\" value=\"Under\"><param name=\"Local\" value=\"sub\\under.html#a\"></OBJECT></UL>"
      "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"No page\"></OBJECT>"
      "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Last\"><param name=\"Local\" "
      "value=\"last.html\"></OBJECT></UL>");
  ASSERT_EQ(topics.size(), 3u);
  EXPECT_EQ(topics[0].Name, "Top & more");
  EXPECT_EQ(topics[1].File, "/sub/under.html");
  EXPECT_EQ(topics[1].Depth, 1);
  EXPECT_EQ(topics[2].Name, "Last");
  EXPECT_EQ(topics[2].Depth, 0);
}

TEST(ShellHelp, ABrokenFileIsRefused) {
  glim::HelpFile help;
  EXPECT_FALSE(help.Open(Data + "/glimroom.dat"));
  EXPECT_FALSE(help.Open(Data + "/no-such-file.chm"));
  std::string out;
  EXPECT_FALSE(help.Read("/index.html", out));
}
