// The shipped world played from a new game to the Wendle Staff. The
// walkthrough file holds one command a line; a "# expect: TEXT" line checks
// that TEXT was printed by the command before it. Nobody may die on the way.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "Harness.h"

namespace {

using Step = glimtest::WalkStep;
using glimtest::ReadWalkthrough;

// Plays a walkthrough file; a death is a failure unless the step expects it.
void Play(glimtest::Harness& h, const std::vector<Step>& steps, std::string& last) {
  for (const Step& s : steps) {
    last = h.Send(s.command);
    bool deathExpected = false;
    for (const std::string& e : s.expect) {
      if (e == "you are dead TRY AGAIN" || e.find("you are in your little attic") != std::string::npos)
        deathExpected = true;
      ASSERT_NE(last.find(e), std::string::npos)
          << "line " << s.line << ": " << s.command << " did not print \"" << e << "\":\n"
          << last;
    }
    if (!deathExpected) {
      ASSERT_EQ(last.find("you are dead TRY AGAIN"), std::string::npos)
          << "line " << s.line << ": " << s.command << " killed the player:\n"
          << last;
    }
  }
}

TEST(WorldWalkthrough, NewGameToTheWendleStaff) {
  const std::vector<Step> steps = ReadWalkthrough(glimtest::TestDir() + "/walkthrough/win.txt");
  ASSERT_GT(steps.size(), 100u);
  glimtest::Harness h(std::string(GLIM_DATA_DIR) + "/");
  const std::string start = h.Start();
  ASSERT_NE(start.find("you are in your little attic bedroom"), std::string::npos) << start;
  std::string last;
  Play(h, steps, last);
  if (HasFatalFailure()) return;
  EXPECT_NE(last.find("quest is over"), std::string::npos) << last;
  EXPECT_EQ(h.game.Obj(40).Location, glim::LocCarried);
}

// Every death of the world, each followed by a fresh game in the attic.
TEST(WorldWalkthrough, EveryDeathRestartsCleanly) {
  const std::vector<Step> steps = ReadWalkthrough(glimtest::TestDir() + "/walkthrough/deaths.txt");
  glimtest::Harness h(std::string(GLIM_DATA_DIR) + "/");
  h.Start();
  std::string last;
  Play(h, steps, last);
  if (HasFatalFailure()) return;
  EXPECT_GE(h.game.DeathCount, 14);
  EXPECT_EQ(h.game.CurrentRoom, 1);
  EXPECT_EQ(h.game.CarriedCount, 0);
}

// The same walkthroughs played by the terminal program of this build with a
// simulated clock, as a player's script would drive it: the output is cut at
// each echoed command, and each command's part must hold its milestones.
struct TermRun {
  std::vector<std::string> parts;  // what each step printed
  int deaths = 0;
};

// The terminal echoes a typed command but not a meta-command (":room 32"),
// so what a meta-command prints is counted with the command before it.
bool IsMeta(const Step& s) { return !s.command.empty() && s.command[0] == ':'; }

TermRun PlayInTerminal(const std::vector<Step>& steps, const std::string& name) {
  TermRun run;
  const std::string dir = glimtest::TempDir(name);
  std::string input;
  for (const Step& s : steps) input += s.command + "\n";
  glimtest::WriteText(dir + "in.txt", input);
  const std::string cmd = "'" + glimtest::TermProgram() + "' --folder '" + GLIM_DATA_DIR +
                          "/' --virtual-clock --silent --no-splash < '" + dir + "in.txt' > '" + dir + "out.txt' 2>&1";
  const int rc = std::system(cmd.c_str());
  EXPECT_TRUE(WIFEXITED(rc) && WEXITSTATUS(rc) == 0) << cmd;
  std::ifstream out(dir + "out.txt");
  std::string line, before;         // before: what was printed before the first echo
  std::vector<std::string> blocks;  // one per echoed command
  std::vector<size_t> blockOf(steps.size(), 0);
  size_t next = 0;
  auto skipMeta = [&] {
    while (next < steps.size() && IsMeta(steps[next])) blockOf[next++] = blocks.size();
  };
  skipMeta();
  while (std::getline(out, line)) {
    if (next < steps.size() && line == steps[next].command) {
      blocks.emplace_back();
      blockOf[next++] = blocks.size();
      skipMeta();
      continue;
    }
    if (line == "you are dead TRY AGAIN") ++run.deaths;
    (blocks.empty() ? before : blocks.back()) += line + "\n";
  }
  EXPECT_EQ(next, steps.size()) << "the terminal game stopped echoing after step " << next;
  for (size_t i = 0; i < steps.size(); ++i) run.parts.push_back(blockOf[i] == 0 ? before : blocks[blockOf[i] - 1]);
  return run;
}

void CheckMilestones(const std::vector<Step>& steps, const TermRun& run) {
  for (size_t i = 0; i < steps.size() && i < run.parts.size(); ++i)
    for (const std::string& e : steps[i].expect)
      ASSERT_NE(run.parts[i].find(e), std::string::npos)
          << "line " << steps[i].line << ": " << steps[i].command << " did not print \"" << e << "\":\n"
          << run.parts[i];
}

}  // namespace

TEST(WorldWalkthrough, TheTerminalGameWinsAndDiesWhereItShould) {
  ASSERT_TRUE(std::filesystem::exists(glimtest::TermProgram()))
      << glimtest::TermProgram() << " is built with the tests";
  const std::vector<Step> win = ReadWalkthrough(glimtest::TestDir() + "/walkthrough/win.txt");
  const TermRun won = PlayInTerminal(win, "walk_term_win");
  CheckMilestones(win, won);
  EXPECT_EQ(won.deaths, 0);
  ASSERT_FALSE(won.parts.empty());
  EXPECT_NE(won.parts.back().find("quest is over"), std::string::npos) << won.parts.back();

  const std::vector<Step> deaths = ReadWalkthrough(glimtest::TestDir() + "/walkthrough/deaths.txt");
  const TermRun died = PlayInTerminal(deaths, "walk_term_deaths");
  CheckMilestones(deaths, died);
  EXPECT_GE(died.deaths, 14);
}
