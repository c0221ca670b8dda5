// The shipped world played from a new game to the Wendle Staff. The
// walkthrough file holds one command a line; a "# expect: TEXT" line checks
// that TEXT was printed by the command before it. Nobody may die on the way.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "Harness.h"

namespace {

struct Step {
  std::string command;
  std::vector<std::string> expect;
  int line = 0;
};

std::vector<Step> ReadWalkthrough(const std::string& path) {
  std::vector<Step> steps;
  std::ifstream in(path);
  std::string line;
  int n = 0;
  const std::string marker = "# expect:";
  while (std::getline(in, line)) {
    ++n;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(marker, 0) == 0) {
      std::string text = line.substr(marker.size());
      while (!text.empty() && text.front() == ' ') text.erase(0, 1);
      if (!steps.empty()) steps.back().expect.push_back(text);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    steps.push_back(Step{line, {}, n});
  }
  return steps;
}

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

}  // namespace
