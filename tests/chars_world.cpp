// Characters and conversation: the world each reaction leaves behind, the
// room limits of the cat's answers, and numbers that must never reach a table.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

using glim::Game;

struct World : Harness {
  World() : Harness(Fixture("chars_world")) { Start(); }
  Game& g() { return game; }
  // Puts the player into a room without showing it.
  void Place(int room) { game.CurrentRoom = room; }
  void Give(int o) { ASSERT_TRUE(Carry({o})); }
};

TEST(Characters, ReactionsChangeTheWorld) {
  World w;
  Game& g = w.g();

  w.Send(":room 2");
  w.Give(5);
  w.Send("drop slug");
  EXPECT_EQ(g.Baddie(1).BlockCode, 0);
  EXPECT_EQ(g.Baddie(1).Lying, 1);
  EXPECT_EQ(g.Obj(5).Location, 0);
  EXPECT_EQ(g.Baddie(1).Location, 2);  // asleep, not gone

  w.Send(":room 3");
  w.Give(8);
  w.Send("drop apple");  // not poisoned: carried off, the guard stays
  EXPECT_EQ(g.Obj(8).Location, 24);
  EXPECT_EQ(g.Baddie(2).BlockCode, 2);
  EXPECT_EQ(g.Baddie(2).Lying, 0);
  g.Obj(8).Location = 3;
  g.Obj(8).State = 1;
  w.Send("l");
  EXPECT_EQ(g.Baddie(2).Lying, 1);
  EXPECT_EQ(g.Baddie(2).BlockCode, 0);
  EXPECT_EQ(g.Obj(8).Location, 0);

  ASSERT_EQ(g.Doors[12].State, glim::DoorLocked);
  w.Send(":room 5");
  w.Give(15);
  w.Send("drop garlic");
  EXPECT_EQ(g.Baddie(5).Location, 0);
  EXPECT_EQ(g.Doors[12].State, glim::DoorOpen);
  EXPECT_EQ(g.Obj(15).Location, 5);  // the garlic stays where it was dropped

  w.Send(":room 9");
  w.Give(21);
  const int32_t shinyY = g.Obj(25).Y;
  w.Send("drop bone");
  EXPECT_EQ(g.Baddie(12).BlockCode, 0);
  EXPECT_EQ(g.Obj(25).Location, 9);
  EXPECT_EQ(g.Obj(25).Y, shinyY);  // drawn where the data file puts it
  EXPECT_FALSE(g.RepeatSound);
  EXPECT_EQ(g.Obj(21).Location, 9);

  w.Send(":room 12");
  w.Give(33);
  w.Send("drop lolly");
  EXPECT_EQ(g.Baddie(18).Location, 0);
  EXPECT_EQ(g.Baddie(18).BlockCode, 0);
  EXPECT_EQ(g.Obj(33).Location, 0);

  w.Send(":room 10");
  w.Give(27);
  w.Send("drop gold");
  EXPECT_EQ(g.Baddie(14).Location, 0);
  EXPECT_EQ(g.Obj(27).Location, 0);

  EXPECT_EQ(g.Rooms[120].East, 0);
  w.Send(":room 11");
  w.Give(31);
  w.Send("drop gift");
  EXPECT_EQ(g.Baddie(15).Location, 0);
  EXPECT_EQ(g.Obj(31).Location, 0);
  EXPECT_EQ(g.Rooms[120].East, 125);

  EXPECT_EQ(g.Rooms[142].West, 0);
  w.Send(":room 26");
  w.Send("talk owner");
  EXPECT_EQ(g.Rooms[142].West, 105);
  w.Give(28);
  w.Send("drop ring");
  EXPECT_EQ(g.Obj(28).Location, glim::LocHandedOver);
  EXPECT_EQ(g.Rooms[175].West, 174);
  g.Rooms[142].West = 0;
  w.Send("talk owner");  // the ring was given, not lost: no way is opened
  EXPECT_EQ(g.Rooms[142].West, 0);
  EXPECT_EQ(g.Baddie(19).Location, 26);
}

TEST(Characters, TheCompanionFollowsFromRoom59To65) {
  World w;
  Game& g = w.g();
  w.Send(":room 58");
  w.Give(3);
  w.Send("drop rose");
  EXPECT_EQ(g.Baddie(6).Location, 59);
  EXPECT_EQ(g.Baddie(6).BlockCode, 0);
  EXPECT_EQ(g.Obj(3).Location, 0);
  EXPECT_FALSE(g.CompanionFollows);
  w.Send("s");
  EXPECT_TRUE(g.CompanionFollows);
  w.Send("e");
  EXPECT_EQ(g.Baddie(6).Location, 60);
  w.Send(":room 63");
  w.Send("n");  // the feast carries the player off to room 65
  EXPECT_EQ(g.CurrentRoom, 65);
  EXPECT_EQ(g.Baddie(6).Location, 65);
  EXPECT_FALSE(g.CompanionFollows);
}

TEST(Characters, TheCrowdArmsThePursuitOnce) {
  World w;
  Game& g = w.g();
  g.Baddie(8).Location = 67;
  w.Send(":room 67");
  EXPECT_EQ(g.Rooms[67].North, 69);
  EXPECT_TRUE(g.EventTEnabled);
  EXPECT_EQ(g.EventTInterval, 20000);
  EXPECT_EQ(w.Send(":wait 15"), "");
  // Showing the room again does not give the player more time.
  EXPECT_EQ(w.Send("l").find("[timer]"), std::string::npos);
  EXPECT_NE(w.Send(":wait 5").find("[timer] expired"), std::string::npos);
}

TEST(Characters, TheRiddlersStagesLiveInHisLocation) {
  World w;
  Game& g = w.g();
  w.Give(7);
  w.Give(12);
  w.Give(22);
  w.Send(":room 138");
  w.Send("drop statue");
  EXPECT_EQ(g.Baddie(16).Location, 139);
  EXPECT_TRUE(g.IsCarried(7));
  w.Send(":room 139");
  w.Send("drop amulet");
  EXPECT_EQ(g.Baddie(16).Location, 140);
  EXPECT_TRUE(g.IsCarried(12));
  w.Send(":room 140");
  w.Send("drop halfamulet");
  EXPECT_EQ(g.Baddie(16).Location, 0);
  EXPECT_EQ(g.CurrentRoom, 141);
  EXPECT_TRUE(g.IsCarried(22));
  EXPECT_TRUE(g.IsCarried(45));
  EXPECT_EQ(g.CarriedCount, 4);
}

TEST(Characters, TheRiddlerDoesNotCountACapeCarriedTwice) {
  World w;
  Game& g = w.g();
  g.Baddie(16).Location = 140;
  w.Give(45);
  w.Give(22);
  w.Send(":room 140");
  w.Send("drop halfamulet");
  EXPECT_EQ(g.CurrentRoom, 141);
  EXPECT_EQ(g.CarriedCount, 2);
}

TEST(Characters, TheDragonPausesBeforeItBurns) {
  World w;
  Game& g = w.g();
  const uint32_t before = w.platform.TickCount();
  const std::string out = w.Send(":room 80");
  // Two seconds after its lines, then the six of the death.
  EXPECT_EQ(w.platform.TickCount() - before, 8000u);
  EXPECT_TRUE(
      ContainsInOrder(out, {"He says \n", "\n\n", "[sound] play FryBeast.wav once\n", "you are dead TRY AGAIN\n"}));
  EXPECT_EQ(g.CurrentRoom, 1);
}

TEST(Characters, SpeakerLinesAndCharactersBeyondTheFile) {
  World w;
  Game& g = w.g();
  g.Baddie(3).Pronoun = 7;
  EXPECT_EQ(w.Send(":room 4"),
            "[box] Room Jump: New Room\n[box] > 4\n[sound] stop\n[clear]\n"
            "you are in test room 4.\nwhat shall we do now?\nThe wally test is here.\n"
            "I am a wally, mumble mumble, just a wally.\n");
  for (int p = 0; p <= 3; ++p) {
    g.Baddie(3).Pronoun = p;
    g.SpeakerLine(3);
  }
  EXPECT_EQ(w.Take(), "He says \nShe says \nThey say \nIt says \n");

  g.BaddieCount = 2;
  g.BaddieAction(3);
  g.BaddieAction(0);
  g.BaddieAction(24);
  EXPECT_EQ(w.Take(), "");
}

// The cat's answers that change at a room number, on both sides of it.
TEST(Conversation, TheCatsRoomLimits) {
  World w;
  Game& g = w.g();
  auto ask = [&](int room, const std::string& topic) {
    w.Place(room);
    g.Baddie(23).Location = room;
    std::string s = w.Send("ask cat about " + topic);
    const std::string head = "ask cat about " + topic + "\n\ncat test Say's \n";
    EXPECT_EQ(s.rfind(head, 0), 0u) << s;
    return s.substr(head.size());
  };
  EXPECT_EQ(ask(77, "book"), "have you read it?\n");
  EXPECT_EQ(ask(78, "book"), "it's not needed any more.\n");
  EXPECT_EQ(ask(85, "candle"), "in a dark place you will need it.\n");
  EXPECT_EQ(ask(86, "candle"), "it's not needed any more.\n");
  EXPECT_EQ(ask(71, "map").substr(0, 35), "you won't need the map for a while.");
  EXPECT_EQ(ask(72, "map"), "if only you had a map.\n");
  EXPECT_EQ(ask(73, "map"), "it's not needed any more.\n");

  // The note and the flame-thrower matter while the dragon and the frost
  // beast are in their rooms.
  EXPECT_EQ(ask(31, "note"), "if you have it, hang onto it.\n");
  EXPECT_EQ(ask(31, "flamethrower"), "a handy weapon.\n");
  g.RemoveCharacter(11);
  g.RemoveCharacter(17);
  EXPECT_EQ(ask(31, "note"), "it's not needed now.\n");
  EXPECT_EQ(ask(31, "flamethrower"), "it's not needed now.\n");
}

TEST(Conversation, TheCatInRoom46OnceTheWayNorthIsOpen) {
  World w;
  Game& g = w.g();
  w.Place(46);
  g.Baddie(23).Location = 46;
  EXPECT_TRUE(ContainsInOrder(w.Send("l"), {"It says \n", "Hmm the great Wizard stuck again\n"}));
  g.Rooms[46].North = 47;
  // Prepared, the player hears no scolding, but the cat's line is not left
  // hanging either.
  const std::string s = w.Send("l");
  EXPECT_EQ(s.find("stuck again"), std::string::npos);
  EXPECT_TRUE(
      ContainsInOrder(s, {"It says \n", "nothing, but it looks at you as if you ought to know the way out.\n"}));
}

TEST(Conversation, TheCatLeavesWhenItHasNoAdvice) {
  World w;
  Game& g = w.g();
  w.Place(31);
  g.Baddie(23).Location = 31;
  g.Baddie(23).BlockCode = 3;
  w.Send("talk cat");
  EXPECT_EQ(g.Baddie(23).Location, 0);
  EXPECT_EQ(g.Baddie(23).BlockCode, 0);
  w.Send("call cat");  // and comes back from out of play when called
  EXPECT_EQ(g.Baddie(23).Location, 31);
}

TEST(Conversation, ACallDuringWhichThePlayerDiesSaysNothingAfter) {
  World w;
  Game& g = w.g();
  w.Place(80);  // the dragon's room, unwashed
  const std::string s = w.Send("call cat");
  EXPECT_NE(s.find("you are dead TRY AGAIN"), std::string::npos);
  EXPECT_EQ(s.substr(s.size() - 22), "what shall we do now?\n") << s;
  EXPECT_EQ(g.CurrentRoom, 1);
}

// Numbers that no sentence of the parser produces must not reach a table.
TEST(Conversation, NounNumbersOutsideTheTables) {
  World w;
  Game& g = w.g();
  for (int cls : {3, 4}) {
    for (int n : {0, -1, 46, 99, 1000}) {
      g.FirstNounClass = static_cast<uint8_t>(cls);
      g.FirstNoun = n;
      g.SecondNounClass = static_cast<uint8_t>(cls);
      g.SecondNoun = n;
      g.AdverbNumber = 12;
      g.ParseError = 0;
      EXPECT_NO_THROW(g.TalkTo());
      EXPECT_NO_THROW(g.Bribe());
      EXPECT_EQ(g.ParseError, 8);
    }
  }
  EXPECT_EQ(w.Take(), "");

  // A topic number outside the tables gets the default answers.
  w.Place(31);
  g.Baddie(23).Location = 31;
  for (size_t p = 1; p <= 3; ++p) g.WordClass[p] = 4;  // a sentence of two nouns
  g.FirstNounClass = 4;
  g.FirstNoun = 23;
  g.AdverbNumber = 12;
  g.SecondNounClass = 4;
  g.SecondNoun = 99;
  g.TalkTo();
  g.SecondNounClass = 3;
  g.TalkTo();
  EXPECT_EQ(w.Take(),
            "cat test Say's \nI'm sorry apprentist, I know nothing about that character\n"
            "cat test Say's \nI don't think I can help you much with that,\ntry examining it!\n");
}

}  // namespace
}  // namespace glimtest
