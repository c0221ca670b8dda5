// The help in the terminal game: the pager with a scripted player, the game
// through a pipe (everything printed whole, no input taken), and the game at
// a real terminal (a pseudo-terminal) with its line editor.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <sstream>

#include "Harness.h"
#include "app/term/HelpPager.h"

using glimtest::Count;
using glimtest::ReadAll;
using glimtest::TempDir;
using glimtest::TermProgram;

namespace fs = std::filesystem;

namespace {

const std::string Data = std::string(GLIM_DATA_DIR) + "/";

// A player at a terminal of the given size who types the lines and presses
// the keys in turn; the prompts asked for are kept.
struct ScriptedTerminal {
  std::deque<std::string> lines;
  std::deque<int> keys;
  std::vector<std::string> prompts;
  int keysAsked = 0;
  glim::HelpTerminal Make(int rows, int cols) {
    glim::HelpTerminal t;
    t.ReadLine = [this](const std::string& prompt) -> std::optional<std::string> {
      prompts.push_back(prompt);
      if (lines.empty()) return std::nullopt;
      std::string l = lines.front();
      lines.pop_front();
      return l;
    };
    t.ReadKey = [this] {
      ++keysAsked;
      if (keys.empty()) return -1;
      const int k = keys.front();
      keys.pop_front();
      return k;
    };
    t.Rows = [rows] { return rows; };
    t.Columns = [cols] { return cols; };
    return t;
  }
};

}  // namespace

// Pages are chosen by number, name and beginning; a long page comes a screen
// at a time, space shows more and q stops it; an empty line ends the help.
TEST(TermHelp, PagerChoosesAndPagesAtATerminal) {
  std::ostringstream out;
  glim::HelpPager help(out);
  ASSERT_TRUE(help.Open(Data + "glimhelp.chm"));
  ScriptedTerminal player;
  player.lines = {"2", "SAVING", "s", "nowhere", "0", "", "never read"};
  player.keys = {' ', 'q', 'q'};
  const glim::HelpTerminal term = player.Make(12, 60);
  help.Browse(term);
  const std::string text = out.str();
  EXPECT_EQ(text.rfind("Glimmerhold Help: contents\n 1  How to play\n 2    The one-letter commands\n", 0), 0u) << text;
  EXPECT_NE(text.find("The one-letter commands\n======================="), std::string::npos) << text;
  EXPECT_NE(text.find("Saving and loading\n=================="), std::string::npos) << text;
  EXPECT_NE(text.find("\"s\" could be Saving and loading or The story so far."), std::string::npos) << text;
  EXPECT_NE(text.find("There is no help page \"nowhere\""), std::string::npos) << text;
  EXPECT_EQ(Count(text, "Glimmerhold Help: contents"), 2) << "0 shows the contents again";
  EXPECT_GE(Count(text, "-- more --"), 2) << text;
  EXPECT_EQ(player.keysAsked, 3) << "space went on, q stopped the page, and the next page stopped at once";
  EXPECT_EQ(text.find("Help in the terminal game"), std::string::npos) << "the end of the page stopped";
  EXPECT_EQ(player.lines, std::deque<std::string>{"never read"}) << "the empty line went back to the game";
  EXPECT_EQ(player.prompts.size(), 6u);
  // No line is wider than the terminal.
  std::istringstream in(text);
  for (std::string l; std::getline(in, l);) {
    const size_t cr = l.rfind("\x1b[K");
    EXPECT_LE(glim::TextColumns(cr == std::string::npos ? l : l.substr(cr + 3)), 60) << l;
  }
}

// A page shorter than the screen asks for no key; its links are numbered.
TEST(TermHelp, ShortPageAsksForNoKey) {
  std::ostringstream out;
  glim::HelpPager help(out);
  ASSERT_TRUE(help.Open(Data + "glimhelp.chm"));
  ScriptedTerminal player;
  const glim::HelpTerminal term = player.Make(200, 100);
  help.Browse(term, "story");
  EXPECT_EQ(player.keysAsked, 0);
  EXPECT_EQ(out.str().find("-- more --"), std::string::npos);
  EXPECT_EQ(out.str().rfind("The story so far", 0), 0u) << out.str();
  const std::vector<std::string> lines = help.PageLines(0, 100, true);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back().rfind("Links: 2 The one-letter commands; ", 0), 0u) << lines.back();
}

// Through a pipe: help prints the contents and how to read a page, :help
// PAGE prints a page whole with its links by name, and every line after them
// is still played as a command.
TEST(TermHelp, PipePrintsWholeAndTakesNoInput) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  const std::string dir = TempDir("term_help_pipe");
  glimtest::WriteText(dir + "in.txt", "help\n:help one-letter\n:help 3\n:help zz\nh\ni\n:field\n");
  const std::string cmd = "'" + TermProgram() + "' --folder '" + Data + "' --virtual-clock --silent --no-splash < '" +
                          dir + "in.txt' > '" + dir + "out.txt' 2>&1";
  const int rc = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 0);
  const std::string out = ReadAll(dir + "out.txt");
  EXPECT_NE(out.find("\nhelp\nHelp activation\nGlimmerhold Help: contents\n 1  How to play\n"), std::string::npos)
      << out;
  EXPECT_NE(out.find(" 7  The story so far\nTo read a page, type :help and its number or name, as in :help 2\n"),
            std::string::npos)
      << out;
  EXPECT_EQ(out.find("[help]"), std::string::npos);
  // Whole: a paragraph is one line, however long.
  EXPECT_NE(out.find("\nA command of a single letter is always understood, whatever follows it. These are the "
                     "letters:\n"),
            std::string::npos)
      << out;
  EXPECT_NE(out.find("\nLinks: The one-letter commands\n"), std::string::npos) << out;
  EXPECT_NE(out.find("Verbs, adverbs and sentences\n============================\n"), std::string::npos) << out;
  EXPECT_NE(out.find("There is no help page \"zz\""), std::string::npos) << out;
  // The commands after the help were all played.
  EXPECT_EQ(Count(out, "Help activation"), 2) << out;
  EXPECT_NE(out.find("\ni\nYou are carrying 0 Objects\n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n[field] \n"), std::string::npos) << out;
}

namespace {

// The terminal program on a pseudo-terminal of the given size.
class PtyGame {
 public:
  PtyGame(int rows, int cols) {
    winsize ws{};
    ws.ws_row = static_cast<unsigned short>(rows);
    ws.ws_col = static_cast<unsigned short>(cols);
    pid_ = forkpty(&fd_, nullptr, nullptr, &ws);
    if (pid_ == 0) {
      setenv("TERM", "xterm", 1);
      const std::string prog = TermProgram();
      execl(prog.c_str(), prog.c_str(), "--folder", Data.c_str(), "--virtual-clock", "--silent", "--no-splash",
            static_cast<char*>(nullptr));
      _exit(127);
    }
  }
  ~PtyGame() {
    if (pid_ > 0) {
      kill(pid_, SIGKILL);
      waitpid(pid_, nullptr, 0);
    }
    if (fd_ >= 0) close(fd_);
  }
  bool Started() const { return pid_ > 0; }
  void Type(const std::string& s) { ASSERT_EQ(write(fd_, s.data(), s.size()), static_cast<ssize_t>(s.size())); }
  // Reads until the screen output since the last call holds `what`; false
  // after ten seconds without it.
  bool WaitFor(const std::string& what) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (seen_.find(what, from_) == std::string::npos) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now()).count();
      if (left <= 0) return false;
      pollfd p{fd_, POLLIN, 0};
      if (poll(&p, 1, static_cast<int>(left)) <= 0) continue;
      char buf[4096];
      const ssize_t got = read(fd_, buf, sizeof buf);
      if (got <= 0) return false;
      seen_.append(buf, static_cast<size_t>(got));
    }
    from_ = seen_.find(what, from_) + what.size();
    return true;
  }
  int Exit() {
    int status = 0;
    for (int i = 0; i < 200; ++i) {  // ten seconds at most
      if (waitpid(pid_, &status, WNOHANG) == pid_) {
        pid_ = -1;
        return WIFEXITED(status) ? WEXITSTATUS(status) : 1000 + WTERMSIG(status);
      }
      // Read what it prints meanwhile, so that it never waits to write.
      // (Once it has closed the terminal, reading fails at once.)
      pollfd p{fd_, POLLIN, 0};
      char buf[4096];
      const ssize_t got = poll(&p, 1, 50) > 0 ? read(fd_, buf, sizeof buf) : 0;
      if (got > 0)
        seen_.append(buf, static_cast<size_t>(got));
      else
        usleep(50000);
    }
    return -1;
  }
  const std::string& Seen() const { return seen_; }

 private:
  pid_t pid_ = -1;
  int fd_ = -1;
  std::string seen_;
  size_t from_ = 0;
};

}  // namespace

// At a terminal of 80 x 24: help shows the contents and asks for a page with
// its own prompt; a long page stops at "-- more --"; an empty line returns to
// the game's prompt, and the game goes on with the next command.
TEST(TermHelp, TerminalBrowsesWithTheLineEditor) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  PtyGame g(24, 80);
  ASSERT_TRUE(g.Started());
  ASSERT_TRUE(g.WaitFor("> ")) << g.Seen();
  g.Type("help\r");
  ASSERT_TRUE(g.WaitFor("Help activation")) << g.Seen();
  ASSERT_TRUE(g.WaitFor("Enter or q goes back to the game.")) << g.Seen();
  ASSERT_TRUE(g.WaitFor("help> ")) << g.Seen();
  g.Type("verbs\r");
  ASSERT_TRUE(g.WaitFor("-- more --")) << g.Seen();
  g.Type(" ");
  ASSERT_TRUE(g.WaitFor("-- more --")) << g.Seen();
  g.Type("q");
  ASSERT_TRUE(g.WaitFor("help> ")) << g.Seen();
  g.Type("\r");
  ASSERT_TRUE(g.WaitFor("> ")) << g.Seen();
  g.Type(":help sav\r");
  ASSERT_TRUE(g.WaitFor("Saving and loading")) << g.Seen();
  ASSERT_TRUE(g.WaitFor("-- more --")) << g.Seen();
  g.Type("\r");
  ASSERT_TRUE(g.WaitFor("help> ")) << g.Seen();
  g.Type("q\r");
  ASSERT_TRUE(g.WaitFor("> ")) << g.Seen();
  g.Type("i\r");
  ASSERT_TRUE(g.WaitFor("> ")) << g.Seen();
  g.Type(":exit yes\r");
  EXPECT_EQ(g.Exit(), 0) << g.Seen();
}

// At a terminal the player answers a box: "q" asks whether to quit, a No
// goes on with the game and a Yes ends it.
TEST(TermHelp, BoxesAreAnsweredAtATerminal) {
  PtyGame g(24, 80);
  ASSERT_TRUE(g.Started());
  ASSERT_TRUE(g.WaitFor("> ")) << g.Seen();
  g.Type("q\r");
  ASSERT_TRUE(g.WaitFor("Yes or No? ")) << g.Seen();
  g.Type("no\r");
  ASSERT_TRUE(g.WaitFor("[box] No")) << g.Seen();
  g.Type("i\r");
  ASSERT_TRUE(g.WaitFor("You are carrying")) << g.Seen();
  g.Type("q\r");
  ASSERT_TRUE(g.WaitFor("Yes or No? ")) << g.Seen();
  g.Type("y\r");
  EXPECT_EQ(g.Exit(), 0) << g.Seen();
}

// Without a help file only the activation line is printed, as in the window;
// a help file that cannot be read is reported in a box, and a page asked for
// by :help says which file is missing.
TEST(TermHelp, MissingOrBrokenHelpFile) {
  glimtest::Harness missing(glimtest::Fixture("example"), false, true);
  missing.Start();
  EXPECT_EQ(missing.Send("h"), "h\nHelp activation\n");
  EXPECT_EQ(missing.Send(":help 1"), "[meta] no help file " + glimtest::Fixture("example") + "glimhelp.chm\n");

  const std::string folder = glimtest::CopyFixture("example", "term_help_broken");
  glimtest::WriteText(folder + "GLIMHELP.CHM", "not a help file");
  glimtest::Harness broken(folder, false, true);
  broken.Start();
  EXPECT_EQ(broken.Send("h"), "h\nHelp activation\n[box] The help file " + folder + "GLIMHELP.CHM cannot be read.\n");
  EXPECT_EQ(broken.Send(":help 1"), "[meta] cannot read the help file " + folder + "GLIMHELP.CHM\n");
}
