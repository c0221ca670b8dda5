// The terminal game for people: word wrap, the plain behaviour on pipes,
// and where saved games named without a folder go.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <thread>

#include "Harness.h"
#include "shell/GameFolder.h"
#include "world/Text.h"

using glim::WrapText;
using glimtest::ContainsInOrder;
using glimtest::CopyFixture;
using glimtest::Fixture;
using glimtest::Harness;
using glimtest::ReadAll;
using glimtest::TempDir;
using glimtest::TermProgram;
using Lines = std::vector<std::string>;

namespace fs = std::filesystem;

TEST(PkgWrap, LinesThatFitAreLeftAsTheyAre) {
  EXPECT_EQ(WrapText("", 10), Lines{""});
  EXPECT_EQ(WrapText("abc  def", 8), Lines{"abc  def"});         // exactly full
  EXPECT_EQ(WrapText("  indented ", 20), Lines{"  indented "});  // blanks kept
  const std::string long_line(300, 'x');
  EXPECT_EQ(WrapText(long_line, 0), Lines{long_line});  // 0: never wrap
  EXPECT_EQ(WrapText(long_line, -1), Lines{long_line});
}

TEST(PkgWrap, BreaksAtBlanksAndDropsThem) {
  EXPECT_EQ(WrapText("you are in a small stone cottage", 12), (Lines{"you are in a", "small stone", "cottage"}));
  // A blank right at the width ends a line that is exactly full.
  EXPECT_EQ(WrapText("abcd efgh", 4), (Lines{"abcd", "efgh"}));
  // A run of blanks at a break is dropped, not carried to the next line.
  EXPECT_EQ(WrapText("abc     def", 5), (Lines{"abc", "def"}));
  // Trailing blanks after the last word do not make an empty line.
  EXPECT_EQ(WrapText("abc def    ", 4), (Lines{"abc", "def"}));
  // Leading blanks stay on the first line.
  EXPECT_EQ(WrapText("   ab cd ef", 6), (Lines{"   ab", "cd ef"}));
}

TEST(PkgWrap, CutsWordsLongerThanALine) {
  EXPECT_EQ(WrapText("abcdefghij", 4), (Lines{"abcd", "efgh", "ij"}));
  EXPECT_EQ(WrapText("go abcdefghij", 4), (Lines{"go", "abcd", "efgh", "ij"}));
  // Blanks before the first word are no place to break.
  EXPECT_EQ(WrapText("    abcdefgh", 6), (Lines{"    ab", "cdefgh"}));
}

TEST(PkgWrap, HangingIndentAndCharacters) {
  EXPECT_EQ(WrapText("[box] one two three four", 12, 6),
            (Lines{"[box] one", "      two", "      three", "      four"}));
  // An indent that would leave too little room is not used.
  EXPECT_EQ(WrapText("[box] one two", 8, 6), (Lines{"[box]", "one two"}));
  // UTF-8 characters take one column each and are never split.
  EXPECT_EQ(WrapText("caf\xc3\xa9 na\xc3\xafve", 5), (Lines{"caf\xc3\xa9", "na\xc3\xafve"}));
  EXPECT_EQ(WrapText("\xc3\xa9\xc3\xa9\xc3\xa9", 2), (Lines{"\xc3\xa9\xc3\xa9", "\xc3\xa9"}));
}

// What the game prints goes through the wrap at the given width: printed
// lines, boxes (continued under their text) and the input boxes' question.
TEST(PkgWrap, ThePlatformWrapsWhatTheGamePrints) {
  std::ostringstream out;
  glim::TextOptions o = Harness::Options(Fixture("example"), false, true);
  o.WrapWidth = 24;
  glim::TextPlatform p(out, o);
  p.PrintLine("you are in a small stone cottage at the edge of the wood.");
  p.MessageBox("Unable to load Word data file /some/where/glimtext.wdt");
  p.QueueInput("7");
  EXPECT_EQ(p.InputBox("Room Jump", "New Room number please", ""), "7");
  EXPECT_EQ(out.str(),
            "you are in a small stone\n"
            "cottage at the edge of\n"
            "the wood.\n"
            "[box] Unable to load\n"
            "      Word data file\n"
            "      /some/where/glimte\n"
            "      xt.wdt\n"
            "[box] Room Jump: New\n"
            "      Room number please\n"
            "[box] > 7\n");
}

// Input from a pipe: no prompt, no introduction, no wrap, no line editing;
// the output is exactly what the text platform prints for the same lines.
TEST(PkgTerm, PipedInputPlaysPlainly) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  const std::string dir = TempDir("pkg_pipe");
  const Lines input = {
      "look",
      ":exits",
      "e",
      "this line is far longer than any terminal would be wide, so that a wrap would show at once in the output",
      "l",
      ":field",
      ":exit yes"};
  std::string text;
  for (const std::string& l : input) text += l + "\n";
  glimtest::WriteText(dir + "in.txt", text);
  const std::string cmd = "'" + TermProgram() + "' --folder '" + Fixture("example") +
                          "' --virtual-clock --silent --trace --no-splash < '" + dir + "in.txt' > '" + dir +
                          "out.txt' 2>&1";
  const int rc = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 0);

  Harness h(Fixture("example"), true, true);
  std::string expected = h.Start();
  for (const std::string& l : input) expected += h.Send(l);
  h.platform.Finish();
  expected += h.Take();
  EXPECT_EQ(ReadAll(dir + "out.txt"), expected);
  EXPECT_EQ(ReadAll(dir + "out.txt").find("> "), std::string::npos);
}

// Without --no-splash the introduction and credits of the game folder's
// credits.txt come before the first room, on a pipe too, and :about prints
// them again. The shipped text carries the troll hint the cat refers to.
TEST(PkgTerm, IntroductionBeforeTheFirstRoomAndOnAbout) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  const std::string credits = ReadAll(std::string(GLIM_DATA_DIR) + "/credits.txt");
  ASSERT_NE(credits.find("photo taken"), std::string::npos);
  Lines text;
  for (const std::string& l : glim::SplitLines(credits))
    if (!l.empty()) text.push_back(l);
  ASSERT_GE(text.size(), 5u);
  EXPECT_EQ(text[0], "Glimmerhold - The Wendle Staff");

  const std::string dir = TempDir("pkg_intro");
  glimtest::WriteText(dir + "in.txt", ":about\n");
  auto play = [&](const std::string& extra) {
    const std::string cmd = "'" + TermProgram() + "' --folder '" + GLIM_DATA_DIR + "/' --virtual-clock --silent" +
                            extra + " < '" + dir + "in.txt' > '" + dir + "out.txt' 2>&1";
    const int rc = std::system(cmd.c_str());
    EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 0);
    return ReadAll(dir + "out.txt");
  };
  const std::string out = play("");
  const size_t room = out.find("what shall we do now?");
  const size_t about = out.find("[about]");
  ASSERT_NE(room, std::string::npos);
  ASSERT_NE(about, std::string::npos);
  for (const std::string& l : text) {
    const size_t first = out.find(l + "\n");
    EXPECT_LT(first, room) << l;
    EXPECT_NE(out.find(l + "\n", about), std::string::npos) << l;
  }
  EXPECT_EQ(out.find("press Enter"), std::string::npos);  // a pipe does not wait
  // --no-splash leaves the introduction to :about.
  const std::string quiet = play(" --no-splash");
  EXPECT_GT(quiet.find(text[0]), quiet.find("what shall we do now?"));
}

namespace {

// Runs the terminal game in a shell (so that `limits` can set ulimits) on
// the lines of `input`; returns everything it printed, and its exit code.
std::string PlayTerm(const std::string& dir, const std::string& folder, const std::string& input, int& code,
                     const std::string& limits = "") {
  glimtest::WriteText(dir + "in.txt", input);
  const std::string cmd = "cd '" + dir + "' && (" + limits + " '" + TermProgram() + "' --folder '" + folder +
                          "' --virtual-clock --silent --no-splash < in.txt > out.txt 2>&1)";
  const int rc = std::system(cmd.c_str());
  code = WIFEXITED(rc) ? WEXITSTATUS(rc) : 128 + WTERMSIG(rc);
  return ReadAll(dir + "out.txt");
}

}  // namespace

// A save under a file size limit (the shell's ulimit -f) fails as on a full
// disk: the error is shown, nothing is left behind and the game goes on.
TEST(PkgTerm, SaveUnderAFileSizeLimitIsAnErrorNotTheEnd) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  const std::string dir = TempDir("pkg_fsize");
  const std::string folder = CopyFixture("save_world", "pkg_fsize_game");  // its saves take 4 kB
  int code = -1;
  const std::string out = PlayTerm(dir, folder, ":save keep.gam\n:about\n:exit yes\n", code, "ulimit -f 1;");
  EXPECT_EQ(code, 0) << out;
  EXPECT_TRUE(ContainsInOrder(
      out, {"Saving game", "[box] Cannot write file \"" + folder + "keep.gam\". " + std::strerror(EFBIG),
            "[about] About Glimmerhold"}))
      << out;
  for (const auto& e : fs::directory_iterator(folder))
    EXPECT_EQ(e.path().filename().string().find(".tmp"), std::string::npos) << e.path();
  EXPECT_FALSE(fs::exists(folder + "keep.gam"));
}

// :wait takes at most a day; a larger number is cut to that, not wrapped
// round to less than a second.
TEST(PkgTerm, LongWaitIsCutToADayNotWrapped) {
  Harness h(Fixture("example"), true, true);
  h.Start();
  const uint32_t before = h.platform.TickCount();
  EXPECT_EQ(h.Send(":wait 4294968"), "[meta] :wait is cut to 86400 seconds\n");
  EXPECT_EQ(h.platform.TickCount() - before, 86400000u);
  EXPECT_EQ(h.Send(":wait 3"), "");
  EXPECT_EQ(h.platform.TickCount() - before, 86403000u);
}

// credits.txt is read only when it is a regular file of a sensible size:
// endless, waiting and oversized ones give no text, at once.
TEST(PkgTerm, CreditsThatAreNoSensibleTextAreLeftOut) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  const std::string dir = TempDir("pkg_credits");
  const std::string folder = CopyFixture("example", "pkg_credits_game");
  auto about = [&](const std::string& limits = "") {
    int code = -1;
    const std::string out = PlayTerm(dir, folder, ":about\n", code, limits);
    EXPECT_EQ(code, 0) << out;
    const size_t start = out.find("[about] About Glimmerhold\n");
    EXPECT_NE(start, std::string::npos) << out;
    return start == std::string::npos ? out : out.substr(start);
  };
  glimtest::WriteText(folder + "credits.txt", "Credits\r\nline two\r\n");
  EXPECT_EQ(about(), "[about] About Glimmerhold\nCredits\nline two\n[about] closed\n");
  glimtest::WriteText(folder + "credits.txt", std::string(glim::MaxCreditsBytes, 'x'));
  EXPECT_EQ(about(), "[about] About Glimmerhold\n" + std::string(glim::MaxCreditsBytes, 'x') + "\n[about] closed\n");
  glimtest::WriteText(folder + "credits.txt", std::string(glim::MaxCreditsBytes + 1, 'x'));
  EXPECT_EQ(about(), "[about] About Glimmerhold\n[about] closed\n");
  // An endless device, under a memory limit far below what reading it
  // whole would take, and a pipe nobody writes to.
  fs::remove(folder + "credits.txt");
  fs::create_symlink("/dev/zero", folder + "credits.txt");
#if defined(__SANITIZE_ADDRESS__)
  // AddressSanitizer reserves terabytes of address space at start, which no
  // memory limit allows: there the time limit stands in for it.
  EXPECT_EQ(about("timeout 20"), "[about] About Glimmerhold\n[about] closed\n");
#else
  EXPECT_EQ(about("ulimit -v 1000000;"), "[about] About Glimmerhold\n[about] closed\n");
#endif
  fs::remove(folder + "credits.txt");
  ASSERT_EQ(mkfifo((folder + "credits.txt").c_str(), 0600), 0);
  EXPECT_EQ(about("timeout 10"), "[about] About Glimmerhold\n[about] closed\n");
}

// Keys typed while a command pauses reach the line editor as typed: a Ctrl-D
// typed during a pause ends the game at the next prompt, as it would at the
// prompt itself.
TEST(PkgTerm, CtrlDTypedDuringAPauseEndsTheGame) {
  ASSERT_TRUE(fs::exists(TermProgram())) << TermProgram() << " is built with the tests";
  int master = -1;
  const pid_t pid = forkpty(&master, nullptr, nullptr, nullptr);
  ASSERT_GE(pid, 0);
  if (pid == 0) {
    const std::string folder = Fixture("example");
    execl(TermProgram().c_str(), "glimmerhold-term", "--folder", folder.c_str(), "--silent", "--no-splash",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  // Reads what the game prints until `want` shows or `ms` pass.
  std::string seen;
  auto readUntil = [&](const std::string& want, int ms) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    while (seen.find(want) == std::string::npos && std::chrono::steady_clock::now() < end) {
      pollfd pfd{master, POLLIN, 0};
      if (poll(&pfd, 1, 50) <= 0) continue;
      char buf[4096];
      const ssize_t n = read(master, buf, sizeof buf);
      if (n <= 0) break;
      seen.append(buf, static_cast<size_t>(n));
    }
    return seen.find(want) != std::string::npos;
  };
  ASSERT_TRUE(readUntil("> ", 10000)) << seen;
  const std::string wait = ":wait 2\r";
  ASSERT_EQ(write(master, wait.data(), wait.size()), static_cast<ssize_t>(wait.size()));
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  ASSERT_EQ(write(master, "\x04\x04", 2), 2);  // during the pause
  int status = 0;
  pid_t done = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
  while (done == 0 && std::chrono::steady_clock::now() < end) {
    readUntil("\x01", 100);  // keeps the pty drained
    done = waitpid(pid, &status, WNOHANG);
    if (done == 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  if (done == 0) {
    kill(pid, SIGKILL);
    waitpid(pid, &status, 0);
  }
  close(master);
  EXPECT_EQ(done, pid) << "the game still waited after Ctrl-D; it printed: " << seen;
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

namespace {

// Sets an environment variable for one test.
struct SetEnv {
  std::string name, old;
  bool had = false;
  SetEnv(const char* n, const std::string& value) : name(n) {
    if (const char* v = std::getenv(n)) {
      had = true;
      old = v;
    }
    setenv(n, value.c_str(), 1);
  }
  ~SetEnv() {
    if (had)
      setenv(name.c_str(), old.c_str(), 1);
    else
      unsetenv(name.c_str());
  }
};

}  // namespace

// A saved game named without a folder goes where the dialog starts: the
// game folder when the player may write there, else the player's data
// folder; loading finds it there again. A path with a folder is kept.
TEST(PkgTerm, BareSaveNamesGoToTheDialogsFolder) {
  const std::string folder = CopyFixture("example", "pkg_save_game");
  const std::string home = TempDir("pkg_save_home");
  SetEnv env("XDG_DATA_HOME", home);

  Harness writable(folder);
  writable.Start();
  writable.game.InitialFolderWritable = true;
  writable.Send(":save first");
  EXPECT_TRUE(fs::is_regular_file(folder + "first.gam"));
  EXPECT_FALSE(fs::exists(home + "glimmerhold/first.gam"));

  Harness installed(folder);
  installed.Start();
  installed.game.InitialFolderWritable = false;
  installed.Send("e");
  installed.Send(":save second");
  EXPECT_TRUE(fs::is_regular_file(home + "glimmerhold/second.gam"));
  EXPECT_FALSE(fs::exists(folder + "second.gam"));
  const int room = installed.game.CurrentRoom;
  installed.Send(":new");
  installed.Send(":load second");
  EXPECT_EQ(installed.game.CurrentRoom, room);
  // A relative XDG_DATA_HOME is not a place for saved games.
  {
    SetEnv relative("XDG_DATA_HOME", "relative/dir");
    SetEnv h("HOME", home + "home");
    EXPECT_EQ(glim::PlayerDataFolder(), home + "home/.local/share/glimmerhold/");
  }

  const std::string other = TempDir("pkg_save_other");
  installed.Send(":save " + other + "third");
  EXPECT_TRUE(fs::is_regular_file(other + "third.gam"));
}

// Without an audio device the game says so once, in its own words, and goes
// on silently; nothing of the sound libraries' own complaints reaches the
// terminal. The device asked for here does not exist on any machine.
TEST(PkgTerm, NoSoundDeviceLeavesStandardErrorEmpty) {
  if (!fs::exists(TermProgram())) GTEST_SKIP() << "glimmerhold-term is not built";
  const std::string dir = TempDir("pkg_nosound");
  glimtest::WriteText(dir + "in.txt", "look\nlook\n");
  const std::string cmd = "SDL_AUDIODRIVER=alsa AUDIODEV=glim_no_such_device '" + TermProgram() + "' --folder '" +
                          Fixture("qt_window") + "' --virtual-clock < '" + dir + "in.txt' > '" + dir + "out.txt' 2> '" +
                          dir + "err.txt'";
  const int rc = std::system(cmd.c_str());
  ASSERT_TRUE(WIFEXITED(rc));
  EXPECT_EQ(WEXITSTATUS(rc), 0);
  EXPECT_EQ(ReadAll(dir + "err.txt"), "");
  const std::string out = ReadAll(dir + "out.txt");
#ifdef GLIM_HAVE_SOUND
  const std::string notice = "[note] No sound device could be opened, so the game will continue without sound\n";
  ASSERT_NE(out.find(notice), std::string::npos) << out;
  EXPECT_EQ(out.find(notice, out.find(notice) + 1), std::string::npos) << "said more than once";
#endif
  EXPECT_EQ(out.find("[box]"), std::string::npos) << out;
}
