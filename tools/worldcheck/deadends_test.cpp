// The dead-end search on fabricated cases: the shipped world, patched once
// the game has started, with the first part of the winning walkthrough (the
// tower, the garden gate that shuts behind the player, and the spell read at
// the laughing tree). The search on the whole shipped world runs as its own
// test (world_check_dead_ends).
#include "tools/worldcheck/DeadEnds.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/worldcheck/Nouns.h"
#include "world/Text.h"
#include "world/World.h"

namespace {

using worldcheck::DeadEndReport;
using worldcheck::SearchOptions;
using worldcheck::WalkStep;

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

class DeadEndTest : public ::testing::Test {
 protected:
  std::string words = ReadText(std::string(GLIM_DATA_DIR) + "/glimtext.wdt");
  std::string rooms = ReadText(std::string(GLIM_DATA_DIR) + "/glimroom.dat");
  std::vector<WalkStep> win = worldcheck::ReadWalkthrough(ReadText(GLIM_WALKTHROUGH));

  // The walkthrough up to and with its first `command`.
  std::vector<WalkStep> UpTo(const std::string& command) const {
    std::vector<WalkStep> steps;
    for (const WalkStep& s : win) {
      steps.push_back(s);
      if (s.command == command) return steps;
    }
    ADD_FAILURE() << command << " is not in the walkthrough";
    return steps;
  }
  // The walkthrough state in which the player has just taken the book (in
  // the study, room 2).
  int BookTaken() const {
    for (size_t i = 0; i < win.size(); ++i)
      if (win[i].command == "get book") return static_cast<int>(i) + 1;
    return -1;
  }
  DeadEndReport Search(const std::vector<WalkStep>& steps, int state, std::function<void(glim::World&)> patch = {}) {
    SearchOptions o;
    o.onlySteps = {state};
    o.patch = std::move(patch);
    return worldcheck::FindDeadEnds(words, rooms, steps, o);
  }
};

// Puts `text` as the first description line of `room`.
void SetRoomLine(glim::World& w, int room, const std::string& text) {
  glim::RoomTexts::Block b = w.RoomText.Edit();
  b[room][1] = text;
  w.RoomText.Replace(std::move(b));
}

TEST_F(DeadEndTest, ReadsWalkthroughsAndWarnings) {
  const auto steps = worldcheck::ReadWalkthrough("# a comment\r\nlook\r\n# expect:   you are\r\n\r\n:wait 3\nn\n");
  ASSERT_EQ(steps.size(), 3u);
  EXPECT_EQ(steps[0].command, "look");
  EXPECT_EQ(steps[0].expect, std::vector<std::string>{"you are"});
  EXPECT_EQ(steps[0].line, 2);
  EXPECT_EQ(steps[2].line, 6);

  // Case and line breaks do not hide a phrase; a phrase cut in two words is none.
  EXPECT_EQ(worldcheck::FindWarning("Once through, there is NO WAY\nback home"), "no way back");
  EXPECT_EQ(worldcheck::FindWarning("carry in all you\r\n  will need"), "you will need");
  EXPECT_EQ(worldcheck::FindWarning("there is no way; back home"), "");
}

// The book left in the study while the gate ahead shuts for ever: the spell
// at the laughing tree cannot be read, and the study is out of reach.
TEST_F(DeadEndTest, ThingLeftBehindAOneWayPassageIsADeadEnd) {
  const int state = BookTaken();
  ASSERT_GT(state, 0);
  const auto steps = UpTo("read spell");
  DeadEndReport r = Search(steps, state);
  ASSERT_TRUE(r.walkFaults.empty()) << r.walkFaults.front();
  ASSERT_EQ(r.deadEnds.size(), 1u) << worldcheck::FormatDeadEnds(r).back();
  EXPECT_EQ(r.deadEnds[0].deviation, "drop book");
  EXPECT_EQ(r.deadEnds[0].room, 2);
  EXPECT_EQ(r.deadEnds[0].step, state);
  EXPECT_EQ(r.deadEnds[0].warning, "");
  // The report names the step through the gate, which warns of the loss
  // where it becomes final: the dead end counts as warned.
  int gate = 0;
  for (const WalkStep& s : steps)
    if (!s.expect.empty() && s.expect[0] == "Old Orchard") gate = s.line;
  EXPECT_EQ(r.deadEnds[0].closedLine, gate);
  EXPECT_EQ(r.Faults(), 0);
  const auto lines = worldcheck::FormatDeadEnds(r);
  EXPECT_EQ(lines[1], "step " + std::to_string(state) + " (line " + std::to_string(steps[size_t(state) - 1].line) +
                          "), room 2: drop book: warned where the way back closes; the way back closes at line " +
                          std::to_string(gate) + " (s in room 12, warned there: \"no way back\")");
  EXPECT_NE(lines.back().find(" 1 dead ends warned, 0 faults"), std::string::npos) << lines.back();

  // Without the gate's warning nothing warns of it: a fault.
  r = Search(steps, state, [](glim::World& w) {
    glim::RoomTexts::Block b = w.RoomText.Edit();
    for (int l = 2; l <= glim::MaxRoomLines; ++l) b[12][size_t(l)].clear();
    w.RoomText.Replace(std::move(b));
  });
  ASSERT_EQ(r.deadEnds.size(), 1u);
  EXPECT_EQ(r.Faults(), 1);
  EXPECT_NE(worldcheck::FormatDeadEnds(r)[1].find("drop book: FAULT: no warning"), std::string::npos);

  // The same, with the study's text warning of it.
  r = Search(steps, state, [](glim::World& w) { SetRoomLine(w, 2, "in the study. Take all you will need."); });
  ASSERT_EQ(r.deadEnds.size(), 1u);
  EXPECT_EQ(r.deadEnds[0].warning, "you will need");
  EXPECT_EQ(r.Faults(), 0);
  EXPECT_NE(worldcheck::FormatDeadEnds(r)[1].find("room 2: drop book: warned: \"you will need\""), std::string::npos);
}

// A walkthrough that stays on this side of the gate: the book left in the
// study is fetched when the walkthrough misses it, and the game goes on.
TEST_F(DeadEndTest, WalkingBackForWhatWasLeftRejoins) {
  std::vector<WalkStep> steps = UpTo("read spell");
  while (steps.back().command != "get slug") steps.pop_back();
  steps.push_back({"i", {"book of spells"}, 999});
  const DeadEndReport r = Search(steps, BookTaken());
  EXPECT_TRUE(r.walkFaults.empty());
  EXPECT_TRUE(r.deadEnds.empty()) << worldcheck::FormatDeadEnds(r)[1];
  EXPECT_GE(r.deviations, 1);
  EXPECT_GT(r.commands, static_cast<long>(steps.size()));
}

// The search finds one-way passages by itself: a way from the attic straight
// into the orchard, behind the gate, from which nothing of the tower can be
// fetched. A way back makes it no deviation at all.
TEST_F(DeadEndTest, OneWayPassageIsFoundAndJudged) {
  const auto steps = UpTo("read spell");
  DeadEndReport r = Search(steps, 0, [](glim::World& w) { w.Rooms[1].East = 13; });
  ASSERT_EQ(r.deadEnds.size(), 1u) << worldcheck::FormatDeadEnds(r)[1];
  EXPECT_EQ(r.deadEnds[0].deviation, "walk e to room 13");
  EXPECT_EQ(r.deadEnds[0].warning, "");

  r = Search(steps, 0, [](glim::World& w) {
    w.Rooms[1].East = 13;
    w.Rooms[13].West = 1;
  });
  EXPECT_TRUE(r.deadEnds.empty()) << worldcheck::FormatDeadEnds(r)[1];
}

// On the whole walkthrough: the coat left in the snow is fetched and worn
// again (the cold kills whoever walks on without it, and taking it is not
// wearing it); the skeleton key fetched, the palace gate is walked into
// again before it is unlocked (an unlock acts on the door met last); and
// the lolly, eaten, is fetched again from the sweet shop's jars.
TEST_F(DeadEndTest, ThingsFetchedArePutBackToUse) {
  auto after = [&](const std::string& command) {
    for (size_t i = 0; i < win.size(); ++i)
      if (win[i].command == command) return static_cast<int>(i) + 1;
    ADD_FAILURE() << command << " is not in the walkthrough";
    return 0;
  };
  auto deadEndsOf = [](const DeadEndReport& r, const std::string& deviation) {
    int n = 0;
    for (const worldcheck::DeadEnd& d : r.deadEnds) n += d.deviation == deviation;
    return n;
  };
  SearchOptions o;
  o.onlySteps = {after("wear coat") + 1, after("get skeleton") + 1, after("get lolly")};
  const DeadEndReport r = worldcheck::FindDeadEnds(words, rooms, win, o);
  ASSERT_TRUE(r.walkFaults.empty()) << r.walkFaults.front();
  EXPECT_EQ(deadEndsOf(r, "drop coat"), 0);
  EXPECT_EQ(deadEndsOf(r, "drop skeleton"), 0);
  EXPECT_EQ(deadEndsOf(r, "eat lolly"), 0);
}

// A walkthrough that does not win in this world is a fault of its own, and
// nothing is searched.
TEST_F(DeadEndTest, WalkthroughThatFailsIsAFault) {
  std::vector<WalkStep> steps = UpTo("get book");
  steps.back().expect = {"a text the game never prints"};
  const DeadEndReport r = Search(steps, 0);
  ASSERT_EQ(r.walkFaults.size(), 1u);
  EXPECT_NE(r.walkFaults[0].find("does not print \"a text the game never prints\""), std::string::npos);
  EXPECT_EQ(r.states, 0);
  EXPECT_EQ(r.Faults(), 1);
}

TEST(DeadNouns, NounsTheGameDoesNotKnow) {
  std::string words = ReadText(std::string(GLIM_DATA_DIR) + "/glimtext.wdt");
  std::vector<std::string> rooms = glim::SplitLines(ReadText(std::string(GLIM_DATA_DIR) + "/glimroom.dat"));
  // Room 1's record starts at line 2: four exits, the line count, the lines.
  rooms[5] = "2";
  rooms[6] =
      "in a hall where the old lanterns, beside some very dusty old books, light a door and the way out, and a cabinet "
      "locked.";
  rooms.erase(rooms.begin() + 7, rooms.begin() + 7 + 2);
  std::string text;
  for (const std::string& l : rooms) text += l + "\r\n";
  const auto dead = worldcheck::DeadNouns(words, text);
  ASSERT_FALSE(dead.empty());
  EXPECT_EQ(dead[0].room, 1);
  // "door" is a scenery word and "way" names no thing; after "some", three
  // words end the phrase (at most two adjectives), so its noun is taken as
  // "old", not "books", the plural of the object "book". A later word in -ed
  // ends the phrase before it.
  EXPECT_EQ(dead[0].nouns, (std::vector<std::string>{"hall", "lanterns", "old", "cabinet"}));
  const auto lines = worldcheck::FormatDeadNouns(dead);
  EXPECT_EQ(lines[0], "room 1: hall, lanterns, old, cabinet");
  EXPECT_EQ(lines.back().rfind("dead nouns: ", 0), 0u);
}

}  // namespace
