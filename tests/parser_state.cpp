// The sentence fields the actions read, the icon hit tests, the chase words,
// the rule for input during a running command, and the debugging controls.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct ParserGame : Harness {
  ParserGame() : Harness(Fixture("parser"), false) { Start(); }
  std::string FirstLine(const std::string& out) { return out.substr(0, out.find('\n')); }
};

TEST(Sentence, FieldsOfAcceptedSentences) {
  ParserGame h;
  auto& g = h.game;
  h.Send("go at book");
  EXPECT_EQ(g.VerbNumber, 26);
  EXPECT_EQ(g.AdverbNumber, 5);
  EXPECT_EQ(g.FirstNoun, 1);
  EXPECT_EQ(g.FirstNounClass, glim::WcObject);
  h.Send("go book with sadguard");
  EXPECT_EQ(g.AdverbNumber, 7);
  EXPECT_EQ(g.FirstNoun, 1);
  EXPECT_EQ(g.SecondNoun, 10);
  EXPECT_EQ(g.SecondNounClass, glim::WcBaddie);
  // One noun: the second noun stays, its class follows the first.
  h.Send("go the sky");
  EXPECT_EQ(g.AdverbNumber, 10);
  EXPECT_EQ(g.FirstNoun, 17);
  EXPECT_EQ(g.FirstNounClass, glim::WcUnreal);
  EXPECT_EQ(g.SecondNoun, 10);
  EXPECT_EQ(g.SecondNounClass, glim::WcUnreal);
  // Two adverbs: 7, 8 and 9 are recorded, 11 and 12 are not.
  h.Send("go in the map");
  EXPECT_EQ(g.AdverbNumber, 8);
  h.Send("go about the map");
  EXPECT_EQ(g.AdverbNumber, 0);
  EXPECT_EQ(g.FirstNoun, 2);
  h.Send("go the map on rose");
  EXPECT_EQ(g.AdverbNumber, 9);
  EXPECT_EQ(g.SecondNoun, 3);
  // A refused sentence leaves the noun fields as they were.
  h.Send("go zzz");
  EXPECT_EQ(g.FirstNoun, 2);
  EXPECT_EQ(g.ParseError, 2);
}

TEST(Sentence, SpeakingToACharacterTakesAnyAdverb) {
  ParserGame h;
  auto& g = h.game;
  for (const char* line : {"talk to sadguard", "talk to the sadguard", "ask into the sadguard", "speak on sadguard"}) {
    const std::string out = h.Send(line);
    EXPECT_EQ(out.find("Please be more specific"), std::string::npos) << line << "\n" << out;
    EXPECT_EQ(out.find("I dont understand"), std::string::npos) << line << "\n" << out;
    EXPECT_EQ(g.FirstNounClass, glim::WcBaddie) << line;
    EXPECT_EQ(g.FirstNoun, 10) << line;
  }
  // Only speaking is excepted: other verbs, and objects, keep their answers.
  EXPECT_NE(h.Send("go to sadguard").find("Please be more specific"), std::string::npos);
  EXPECT_NE(h.Send("talk to book").find("Please be more specific"), std::string::npos);
  EXPECT_NE(h.Send("go to the sadguard").find("I dont understand"), std::string::npos);
  EXPECT_NE(h.Send("talk to the book").find("I dont understand"), std::string::npos);
  EXPECT_NE(h.Send("talk and the zzz").find("I dont understand"), std::string::npos);
}

TEST(Words, SplittingAndLookup) {
  ParserGame h;
  auto& g = h.game;
  EXPECT_EQ(g.SplitCommand("A  B"), 2);
  EXPECT_EQ(g.Words[1], "a");
  EXPECT_EQ(g.Words[2], "b");
  EXPECT_EQ(g.SplitCommand("one two three four five six seven"), 7);
  EXPECT_EQ(g.Words[5], "five");  // never stored beyond five
  EXPECT_EQ(g.SplitCommand("\xc4X"), 1);
  EXPECT_EQ(g.Words[1], "\xc4x");  // only ASCII letters are lowered
  // A name shared by an object and a character is read as the object.
  g.WordLists.Baddies[10].Name = "map";
  g.WordPosition = 2;
  g.Words[2] = "map";
  g.LookupNoun(2);
  EXPECT_EQ(g.WordClass[2], glim::WcObject);
  EXPECT_EQ(g.WordNumber[2], 2);
  g.WordLists.Verbs[30] = "take";  // a word listed twice is read as the lower number
  g.WordPosition = 1;
  g.LookupWord("take", glim::WcVerb);
  EXPECT_EQ(g.WordNumber[1], 17);
  g.WordLists.Verbs[17] = "Take";  // a capital never matches
  g.LookupWord("take", glim::WcVerb);
  EXPECT_EQ(g.WordNumber[1], 30);
}

TEST(CommandEntry, ClicksOnTheRoomPicture) {
  ParserGame h;
  h.game.CarryLimit = 0;  // the takes are refused, so the icons stay put
  auto& objs = h.game.WordLists.Objects;
  ASSERT_EQ(objs[1].X, 280);
  ASSERT_EQ(objs[2].X, 340);
  ASSERT_EQ(objs[3].X, 400);
  EXPECT_EQ(h.Send(":click view 279 300"), "");                             // left of the icon
  EXPECT_EQ(h.FirstLine(h.Send(":click view 311 290 right")), "get book");  // 10 above: the shift
  EXPECT_EQ(h.FirstLine(h.Send(":click view 340 321")), "get map");         // last row that hits
  EXPECT_EQ(h.Send(":click view 340 322"), "");
  EXPECT_EQ(h.game.P.ShowHelpFile("/nonexistent"), "Process file does not exist");
  // Overlapping icons: the lower-numbered object wins.
  objs[3].Location = 1;
  h.game.ShowRoom(false);
  h.Take();
  objs[3].X = 340;
  objs[3].Y = 300;
  EXPECT_EQ(h.FirstLine(h.Send(":click view 345 305")), "get map");
  EXPECT_EQ(h.platform.CommandText(), "");
}

TEST(CommandEntry, ClicksOnTheCarriedPanel) {
  ParserGame h;
  h.Send(":objects 3 2 0");
  auto& objs = h.game.WordLists.Objects;
  ASSERT_EQ(objs[2].Y, 40);
  ASSERT_EQ(objs[3].Y, 80);
  EXPECT_EQ(h.Send(":click carried 70 50"), "");   // the band excludes 70
  EXPECT_EQ(h.Send(":click carried 102 50"), "");  // and 102
  EXPECT_EQ(h.Send(":click carried 80 50 right"), "");
  EXPECT_EQ(h.Send(":click carried 80 40"), "");  // bounds excluded
  EXPECT_EQ(h.FirstLine(h.Send(":click carried 80 41")), "drop map");
  // The rose has moved up into the first slot.
  EXPECT_EQ(objs[3].Y, 40);
  EXPECT_EQ(h.FirstLine(h.Send(":click carried 101 45")), "drop rose");
}

TEST(CommandEntry, ButtonsDiscardTheHalfTypedLine) {
  ParserGame h;
  h.platform.SetCommandText("take bo");
  EXPECT_EQ(h.FirstLine(h.Send(":east")), "e");
  EXPECT_EQ(h.game.CurrentRoom, 2);
  EXPECT_EQ(h.platform.CommandText(), "");
}

TEST(CommandEntry, NoSecondCommandInsideARunningOne) {
  ParserGame h;
  auto& g = h.game;
  g.CommandRunning = true;  // as during a pause of a command
  g.txtCommandKeyDown("e");
  g.spbEastClick();
  g.imgViewMouseUp(290, 300);
  g.mnuFile_NewClick();
  EXPECT_EQ(h.Take(), "");
  EXPECT_EQ(g.CurrentRoom, 1);
  g.CommandRunning = false;
  EXPECT_EQ(h.FirstLine(h.Send("e")), "e");
  EXPECT_FALSE(g.CommandRunning);
  EXPECT_EQ(g.CommandLine, "");
}

TEST(Chase, RunningAndShouting) {
  ParserGame h;
  auto& g = h.game;
  g.CurrentRoom = 68;
  h.Send("run");
  EXPECT_EQ(g.CurrentRoom, 71);
  g.SetEventT(true, 20000);
  ASSERT_TRUE(h.platform.TimerArmed());
  h.Send("shout");
  EXPECT_EQ(g.CurrentRoom, 72);
  EXPECT_FALSE(h.platform.TimerArmed());
  EXPECT_FALSE(g.EventTEnabled);
  // In room 69 a chase word beginning with n is read as "run"; a lone n is
  // still a step north.
  g.WordLists.Verbs[46] = "nip";
  g.CurrentRoom = 69;
  h.Send("nip");
  EXPECT_EQ(g.CurrentRoom, 71);
  EXPECT_EQ(g.Words[1], "run");
  g.CurrentRoom = 69;
  const std::string out = h.Send("n");  // room 70 is where the crowd catches you
  EXPECT_TRUE(ContainsInOrder(out, {"you are dead TRY AGAIN", "you are in the parser's test cottage."})) << out;
  EXPECT_EQ(out.find("test room 70"), std::string::npos);
}

TEST(Movement, CompanionFollowsEvenARefusedStep) {
  ParserGame h;
  auto& g = h.game;
  g.CompanionFollows = true;
  h.Send("s");
  EXPECT_EQ(g.WordLists.Baddies[6].Location, 1);
  h.Send("e");
  EXPECT_EQ(g.WordLists.Baddies[6].Location, 2);
  h.Send("u");  // vertical steps leave the companion behind
  EXPECT_EQ(g.WordLists.Baddies[6].Location, 2);
}

TEST(Movement, DoorIndexNamesTheDoorMet) {
  ParserGame h;
  auto& g = h.game;
  g.CurrentRoom = 186;
  h.Send("e");
  EXPECT_EQ(g.DoorIndex, 1);  // the first record decides, and is remembered
  h.Send("w");
  EXPECT_EQ(g.DoorIndex, 3);
  h.Send("s");
  EXPECT_EQ(g.DoorIndex, 0);
  g.CurrentRoom = 5;
  h.Send("w");
  EXPECT_EQ(g.DoorIndex, 6);
  EXPECT_EQ(g.CurrentRoom, 186);
  EXPECT_EQ(g.LastDirection, glim::DirWest);
}

TEST(DebugControls, PickUpAndRoomJump) {
  ParserGame h;
  auto& g = h.game;
  std::string out = h.Send(":objects 3 99 3 x");
  EXPECT_TRUE(ContainsInOrder(out, {"[box] There is no object 99", "[box] You already carry object 3",
                                    "[box] 'x' is not a valid integer value"}))
      << out;
  EXPECT_TRUE(g.IsCarried(3));
  EXPECT_EQ(g.CarriedCount, 1);
  EXPECT_EQ(out.find("what shall we do now?"), std::string::npos);  // ended without a showing
  // At most CarryLimit numbers are asked for.
  g.CarryLimit = 2;
  out = h.Send(":objects 1 2");
  EXPECT_TRUE(g.IsCarried(1));
  EXPECT_FALSE(g.IsCarried(2));
  EXPECT_NE(out.find("what shall we do now?"), std::string::npos);
  out = h.Send(":room 221");
  EXPECT_EQ(out, "[box] Room Jump: New Room\n[box] > 221\n[box] There is no room 221\n");
  out = h.Send(":room abc");
  EXPECT_TRUE(ContainsInOrder(out, {"[box] 'abc' is not a valid integer value"}));
  EXPECT_EQ(g.CurrentRoom, 1);
  out = h.Send(":room");  // the default answer jumps to room 1
  EXPECT_NE(out.find("you are in the parser's test cottage."), std::string::npos);
}

TEST(Robustness, AnyBytesAreAnswered) {
  ParserGame h;
  std::string line;
  for (int c = 0; c < 256; ++c) {
    if (c == '\n' || c == '\r') continue;
    line.push_back(static_cast<char>(c));
    if (line.size() == 9) {
      std::string out = h.Send(line + " " + line.substr(3) + " d");
      EXPECT_FALSE(out.empty());
      line.clear();
    }
  }
  for (const char* s : {"\t", "n\t", "\tn", " n", "the the the", "with", "old leather", "get \xff", "go the"}) {
    EXPECT_FALSE(h.Send(s).empty()) << s;
  }
  EXPECT_EQ(h.game.CommandLine, "");
}

}  // namespace
}  // namespace glimtest
