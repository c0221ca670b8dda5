// The two data-file readers, the ignored-word table and the start-up sequence.
#include <gtest/gtest.h>

#include "Harness.h"
#include "world/Text.h"

namespace glimtest {
namespace {

// The example word file, as lines (the game's files use CR LF).
std::vector<std::string> ExampleWords() {
  return {"2",    "1",       "1",    "1",        "1", "1", "1", "0", "take", "drop",  "with",
          "tree", "old oak", "lamp", "of brass", "2", "0", "3", "0", "300",  "troll", "big",
          "3",    "0",       "0",    "0",        "0", "4", "1", "1", "2",    "3",     "1"};
}

struct GameOnly {
  std::ostringstream out;
  glim::TextPlatform platform{out, Harness::Options("/nonexistent/", false, true)};
  glim::Game game{platform};
};

TEST(TextConversions, SplitLinesAcceptsEveryLineEnd) {
  EXPECT_EQ(glim::SplitLines("a\r\nb\nc\rd"), (std::vector<std::string>{"a", "b", "c", "d"}));
  EXPECT_EQ(glim::SplitLines("a\r\n\r\nb\r\n"), (std::vector<std::string>{"a", "", "b"}));
  EXPECT_EQ(glim::SplitLines("\n"), (std::vector<std::string>{""}));
  EXPECT_TRUE(glim::SplitLines("").empty());
}

TEST(TextConversions, IntegersStrictAndLenient) {
  EXPECT_EQ(glim::StrictInt(" 5"), 5);
  EXPECT_EQ(glim::StrictInt("-12"), -12);
  EXPECT_FALSE(glim::StrictInt("5 "));
  EXPECT_FALSE(glim::StrictInt("12a"));
  EXPECT_FALSE(glim::StrictInt(""));
  EXPECT_FALSE(glim::StrictInt("-"));
  EXPECT_FALSE(glim::StrictInt("$10"));
  EXPECT_FALSE(glim::StrictInt("99999999999"));
  EXPECT_EQ(glim::LenientInt("$10"), 16);
  EXPECT_EQ(glim::LenientInt("0x1f"), 31);
  EXPECT_EQ(glim::LenientInt(" +7"), 7);
  EXPECT_FALSE(glim::LenientInt("0x"));
  EXPECT_EQ(glim::FirstNonNumberPosition("x"), 1);
  EXPECT_EQ(glim::FirstNonNumberPosition("12x"), 3);
}

TEST(WordData, ReadsTheExampleAndDerivesIgnoredWords) {
  GameOnly g;
  ASSERT_TRUE(g.game.LoadWordData(ExampleWords()));
  ASSERT_TRUE(g.game.BuildIgnoredWords());
  auto& w = g.game.WordLists;
  EXPECT_EQ(g.game.VerbCount, 2);
  EXPECT_EQ(w.Verbs[2], "drop");
  EXPECT_EQ(w.AdVerbs[1], "with");
  EXPECT_EQ(w.Unreals[1].Qualifier, "old oak");
  EXPECT_EQ(w.Objects[1].Name, "lamp");
  EXPECT_EQ(w.Objects[1].Location, 2);
  EXPECT_EQ(w.Objects[1].Tense, 3);
  EXPECT_EQ(w.Objects[1].Y, 300);
  EXPECT_EQ(w.Baddies[1].Location, 3);
  EXPECT_EQ(g.game.UpLinks[1].Upper, 4);
  EXPECT_EQ(g.game.UpLinks[1].Lower, 1);
  EXPECT_EQ(g.game.Doors[1].State, glim::DoorClosed);
  EXPECT_EQ(g.game.Doors[1].Room, 2);
  EXPECT_EQ(g.game.Doors[1].Direction, glim::DirEast);
  EXPECT_EQ(g.game.Doors[1].Key, 1);
  // Second word first, then the first; character before scenery.
  EXPECT_EQ(g.game.IgnoredWords[0], "brass");
  EXPECT_EQ(g.game.IgnoredWords[1], "of");
  EXPECT_EQ(g.game.IgnoredWords[2], "big");
  EXPECT_EQ(g.game.IgnoredWords[3], "oak");
  EXPECT_EQ(g.game.IgnoredWords[4], "old");
  EXPECT_EQ(g.game.IgnoredWords[5], "");
  // A rebuild from the same file leaves the table as it was.
  ASSERT_TRUE(g.game.BuildIgnoredWords());
  EXPECT_EQ(g.game.IgnoredWords[5], "");
  EXPECT_EQ(g.out.str(), "");
}

TEST(WordData, PackedCharacterValueAndCodes) {
  GameOnly g;
  auto l = ExampleWords();
  l[24] = "14";        // pronoun 3, tense 2
  l[29] = "2 jammed";  // only the first character counts
  l[31] = "x";         // a letter reads as 0
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_EQ(g.game.WordLists.Baddies[1].Pronoun, 3);
  EXPECT_EQ(g.game.WordLists.Baddies[1].Tense, 2);
  EXPECT_EQ(g.game.Doors[1].State, 2);
  EXPECT_EQ(g.game.Doors[1].Direction, 0);
  l[24] = "16";
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_EQ(g.game.WordLists.Baddies[1].Pronoun, 0);
  EXPECT_EQ(g.game.WordLists.Baddies[1].Tense, 0);
}

TEST(WordData, HeaderCountsAreLenient) {
  GameOnly g;
  auto l = ExampleWords();
  ASSERT_TRUE(g.game.LoadWordData(l));
  l[0] = "2 ";  // trailing blank: not an integer, the count stays
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_EQ(g.game.VerbCount, 2);
  l[0] = " $2";
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_EQ(g.game.VerbCount, 2);
}

TEST(WordData, ZeroObjectsStillReadsOneRecord) {
  GameOnly g;
  auto l = ExampleWords();
  l[3] = "0";
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_EQ(g.game.ObjectCount, 0);
  EXPECT_EQ(g.game.WordLists.Objects[1].Name, "lamp");
  EXPECT_EQ(g.game.WordLists.Baddies[1].Name, "troll");
}

TEST(WordData, ErrorsStopTheLoadWithTheirMessages) {
  struct Case {
    size_t line;
    std::string value;
    std::string message;
  };
  const std::vector<Case> cases = {
      {15, "two", "[box] 'two' is not a valid integer value\n"},
      {30, "2 ", "[box] '2 ' is not a valid integer value\n"},
      {29, "", "[box] Range check error\n"},
      {27, " x ", "[box] 'x' is not a valid integer value\n"},
  };
  for (const Case& c : cases) {
    GameOnly g;
    auto l = ExampleWords();
    l[c.line] = c.value;
    EXPECT_FALSE(g.game.LoadWordData(l)) << c.line;
    EXPECT_EQ(g.out.str(), c.message) << c.line;
  }
}

TEST(WordData, TruncatedFileNamesTheMissingLine) {
  const auto full = ExampleWords();
  for (size_t n = 8; n < full.size(); ++n) {
    GameOnly g;
    std::vector<std::string> l(full.begin(), full.begin() + static_cast<long>(n));
    EXPECT_FALSE(g.game.LoadWordData(l));
    EXPECT_EQ(g.out.str(), "[box] List index out of bounds (" + std::to_string(n) + ")\n");
  }
}

TEST(WordData, CapacityIsAHardLimit) {
  GameOnly g;
  std::vector<std::string> l = {"55", "0", "0", "0", "0", "0", "0", "0"};
  for (int i = 0; i < 60; ++i) l.push_back("v" + std::to_string(i));
  EXPECT_FALSE(g.game.LoadWordData(l));
  EXPECT_EQ(g.out.str(), "[box] Range check error\n");
  EXPECT_EQ(g.game.WordLists.Verbs[54], "v53");
  // The count never claims more entries than the table holds.
  EXPECT_EQ(g.game.VerbCount, 54);
}

TEST(WordData, TooManyIgnoredWords) {
  GameOnly g;
  std::vector<std::string> l = {"0", "0", "0", "45", "23", "0", "0", "0"};
  for (int k = 1; k <= 45; ++k)
    for (const char* s : {"o", "q1 q2", "0", "0", "0", "0", "0"})
      l.push_back(std::string(s) == "q1 q2" ? "a" + std::to_string(k) + " b" + std::to_string(k) : s);
  for (int k = 1; k <= 23; ++k)
    for (const char* s : {"c", "q", "0", "0", "0", "0", "0"})
      l.push_back(std::string(s) == "q" ? "c" + std::to_string(k) + " d" + std::to_string(k) : s);
  ASSERT_TRUE(g.game.LoadWordData(l));
  EXPECT_FALSE(g.game.BuildIgnoredWords());
  EXPECT_EQ(g.out.str(), "[box] Range check error\n");
  EXPECT_EQ(g.game.IgnoredWords[100], "d6");  // 90 object words, then the characters'
}

std::vector<std::string> ExampleRooms() {
  return {"3", "0", "0", "2", "0", "3", "first line", "second line", "0", "0", "0", "1", "2", "other room"};
}

TEST(RoomData, ReadsTheExample) {
  GameOnly g;
  ASSERT_TRUE(g.game.LoadRoomData(ExampleRooms()));
  EXPECT_EQ(g.game.RoomCount, 3);
  EXPECT_EQ(g.game.Rooms[1].East, 2);
  EXPECT_EQ(g.game.Rooms[1].LineCount, 3);
  EXPECT_EQ(g.game.RoomText[1][2], "second line");
  EXPECT_EQ(g.game.Rooms[2].West, 1);
  EXPECT_EQ(g.game.RoomText[2][1], "other room");
  EXPECT_EQ(g.out.str(), "");
}

TEST(RoomData, Messages) {
  struct Case {
    size_t line;
    std::string value;
    std::string message;
    bool endsStartup;
  };
  const std::vector<Case> cases = {
      {0, "x", "[box] Error in Room data file\n", false},
      {8, "12a", "[box] Error in North Pointer at 8: 12a Previous line was second line\n", false},
      {9, "?", "[box] Error in South Pointer at 9\n", false},
      {10, "e", "[box] Error in East Pointer at10\n", false},
      {11, "1.", "[box] Error in West Pointer at 11\n", false},
      {12, " 1x ", "[box] Error in Line count at position 2 0f Line12 Total Lines 14\n[box] 1x\n", false},
      {5, "7", "[box] Range check error\n", true},
  };
  for (const Case& c : cases) {
    GameOnly g;
    auto l = ExampleRooms();
    l[c.line] = c.value;
    if (c.line == 5) l.insert(l.begin() + 6, {"a", "b", "c", "d"});
    EXPECT_EQ(g.game.LoadRoomData(l), !c.endsStartup) << c.line;
    EXPECT_EQ(g.out.str(), c.message) << c.line;  // a box's lines split at CR
  }
}

TEST(RoomData, EndOfFile) {
  {
    GameOnly g;  // ends between records: quietly
    auto l = ExampleRooms();
    l[0] = "5";
    EXPECT_TRUE(g.game.LoadRoomData(l));
    EXPECT_EQ(g.out.str(), "");
  }
  {
    GameOnly g;  // ends inside a record
    auto l = ExampleRooms();
    l.pop_back();
    EXPECT_FALSE(g.game.LoadRoomData(l));
    EXPECT_EQ(g.out.str(), "[box] List index out of bounds (13)\n");
  }
  {
    GameOnly g;  // a count of 1 reads nothing
    EXPECT_TRUE(g.game.LoadRoomData({"1"}));
    EXPECT_EQ(g.game.Rooms[1].LineCount, 0);
  }
  {
    GameOnly g;  // more records than the map holds
    std::vector<std::string> l = {"300"};
    for (int r = 0; r < 221; ++r)
      for (const char* s : {"0", "0", "0", "0", "1"}) l.push_back(s);
    EXPECT_FALSE(g.game.LoadRoomData(l));
    EXPECT_EQ(g.out.str(), "[box] Range check error\n");
  }
}

TEST(Startup, MissingFilesAreReportedAndTheGameStarts) {
  const std::string dir = TempDir("startup_missing");
  WriteText(dir + "glimroom.dat", Join(ExampleRooms()));
  Harness h(dir, false);
  const std::string out = h.Start();
  EXPECT_TRUE(ContainsInOrder(out, {"[box] Unable to load Word data file " + dir + "glimtext.wdt\n",
                                    "[box] Error: The default image could not be loaded\n",
                                    "you are first line\nsecond line\nwhat shall we do now?\n"}))
      << out;
  EXPECT_EQ(out.find("Room data"), std::string::npos);
}

TEST(Startup, AnErrorInTheWordFileEndsTheSequence) {
  const std::string dir = TempDir("startup_error");
  auto words = ExampleWords();
  words[16] = "zero";
  WriteText(dir + "glimtext.wdt", Join(words, "\n"));
  WriteText(dir + "glimroom.dat", Join(ExampleRooms()));
  Harness h(dir, false);
  EXPECT_EQ(h.Start(), "[box] 'zero' is not a valid integer value\n");
  EXPECT_EQ(h.game.RoomCount, 0);  // the room file was not read
}

TEST(Startup, NewGameRestoresTheWorldAndStartsAfresh) {
  Harness h(Fixture("example"), false);
  h.Start();
  auto& g = h.game;
  g.WordLists.Objects[1].Location = -1;
  g.CarriedCount = 1;
  g.CurrentRoom = 2;
  g.Rooms[1].East = 0;
  g.CompanionFollows = true;
  g.WallsStopped = true;
  g.DoorIndex = 1;
  g.DrinkFlag = true;
  g.PlayerDirty = false;
  g.NewGame();
  EXPECT_EQ(g.CurrentRoom, 1);
  EXPECT_EQ(g.CarriedCount, 0);
  EXPECT_EQ(g.CarryLimit, 8);
  EXPECT_TRUE(g.PlayerDirty);
  EXPECT_EQ(g.WordLists.Objects[1].Location, 2);
  EXPECT_EQ(g.Rooms[1].East, 2);
  EXPECT_FALSE(g.CompanionFollows);
  EXPECT_FALSE(g.WallsStopped);
  EXPECT_EQ(g.DoorIndex, 0);
  EXPECT_TRUE(g.DrinkFlag);  // kept, as the saved games expect
  // A second activation only maximises.
  h.Take();
  g.FormActivate();
  EXPECT_EQ(h.Take(), "");
}

TEST(Games, TwoGamesShareNoState) {
  Harness a(Fixture("example"), false), b(Fixture("example"), false);
  a.Start();
  b.Start();
  a.game.CurrentRoom = 2;
  a.game.WordLists.Objects[1].Location = 7;
  EXPECT_EQ(b.game.CurrentRoom, 1);
  EXPECT_EQ(b.game.WordLists.Objects[1].Location, 2);
}

TEST(WorldOperations, CarriedCountFollowsTheObjects) {
  Harness h(Fixture("example"), false);
  h.Start();
  auto& g = h.game;
  ASSERT_TRUE(g.AddToCarried(1));
  EXPECT_EQ(g.CarriedCount, 1);
  g.RemoveObject(1);
  EXPECT_EQ(g.CarriedCount, 0);
  g.RemoveObject(1);  // not carried: no change
  EXPECT_EQ(g.CarriedCount, 0);
  g.WordLists.Objects[1].Y = 12;
  g.PutObjectHere(1, false);
  EXPECT_EQ(g.WordLists.Objects[1].Y, 350);
  EXPECT_EQ(g.WordLists.Objects[1].Location, 1);
  g.CarryLimit = 0;
  EXPECT_FALSE(g.AddToCarried(1));
  EXPECT_EQ(h.Take(), "You can't carry any more objects\n");
  g.WordLists.Baddies[1].BlockCode = 5;
  g.RemoveCharacter(1);
  g.SetCharacterLocation(1, 1);
  EXPECT_EQ(g.WordLists.Baddies[1].BlockCode, 0);
  EXPECT_TRUE(g.CharacterIsHere(1));
}

}  // namespace
}  // namespace glimtest
