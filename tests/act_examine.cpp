// Examining and reading where the world's state matters: revealed things keep
// their place in the picture, finds happen only while the thing is hidden,
// and the note that sends the dragon away.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct ExamineWorld : ::testing::Test {
  Harness h{Fixture("act_examine")};
  glim::Game& g = h.game;
  void SetUp() override { h.Start(); }
  // The lines an action printed after the echo and the empty line.
  std::vector<std::string> Said(const std::string& command) {
    std::vector<std::string> l = h.Lines(h.Send(command));
    return l.size() > 2 ? std::vector<std::string>(l.begin() + 2, l.end()) : std::vector<std::string>{};
  }
};

TEST_F(ExamineWorld, FlameThrowerTellsItsState) {
  ASSERT_TRUE(g.AddToCarried(32));
  const char* lines[] = {"The fuel tank is empty", "It's fueled up, ready to light",
                         "It's lit. Be careful that quite a weapon!"};
  for (int s = 0; s <= 2; ++s) {
    g.Obj(32).State = s;
    EXPECT_EQ(Said("examine flamethrower"), std::vector<std::string>{lines[s]});
  }
  g.Obj(32).State = 7;  // no state of its own to tell: the answer is still a line
  EXPECT_EQ(Said("examine flamethrower"), std::vector<std::string>{"nothing happens"});
}

TEST_F(ExamineWorld, CandleAndAppleAndAmuletHalves) {
  h.Jump(4);
  g.Obj(10).State = 0;
  EXPECT_EQ(Said("examine candle"), std::vector<std::string>{"It's just a candle"});
  ASSERT_TRUE(g.AddToCarried(12));
  ASSERT_TRUE(g.AddToCarried(22));
  EXPECT_EQ(Said("examine amulet"), Said("examine halfamulet"));
  EXPECT_EQ(Said("examine amulet").size(), 2u);
}

TEST_F(ExamineWorld, SmellingOneselfAfterAWash) {
  EXPECT_EQ(Said("examine me").size(), 4u);
  g.PlayerDirty = false;
  EXPECT_EQ(Said("examine me"), std::vector<std::string>{"You smell like a fresh clean human being"});
}

TEST_F(ExamineWorld, RevealedThingsKeepTheirPictureSpot) {
  h.Jump(178);
  h.Send("examine powder");
  EXPECT_EQ(g.Obj(38).Location, 178);
  EXPECT_EQ(g.Obj(38).Y, 77);
  // Found once: taken elsewhere, the powder holds nothing more.
  h.Jump(65);
  h.Send("examine hair");
  EXPECT_EQ(g.Obj(19).Location, 65);
  EXPECT_EQ(g.Obj(19).Y, 123);
}

TEST_F(ExamineWorld, KeyInThePowderOnlyWhileNowhere) {
  g.Obj(38).Location = 5;
  h.Jump(178);
  EXPECT_EQ(Said("examine powder"), std::vector<std::string>{"Its diomond dust!!, so fine you cannot pick it up"});
  EXPECT_EQ(g.Obj(38).Location, 5);
}

TEST_F(ExamineWorld, HairPinComesBackFromThePocket) {
  h.Jump(65);
  h.Send("examine hair");
  h.Send("take pin");
  ASSERT_EQ(g.CarriedCount, 1);
  h.Send("examine hair");
  EXPECT_EQ(g.Obj(19).Location, 65);
  EXPECT_EQ(g.CarriedCount, 0);
}

TEST_F(ExamineWorld, MarbleIsFoundInTheGrassWhereverItLay) {
  g.Obj(13).Location = 5;  // lying somewhere else entirely
  h.Jump(36);
  const std::vector<std::string> said = Said("examine grass");
  ASSERT_GE(said.size(), 2u);
  EXPECT_EQ(g.Obj(13).Location, 36);
  EXPECT_EQ(Said("examine grass"), std::vector<std::string>{"you find nothing else here"});
}

TEST_F(ExamineWorld, RingOnlyWhileNowhere) {
  g.PlayerWarm = true;
  g.Obj(28).Location = 300;  // already given to its owner
  h.Jump(106);
  EXPECT_EQ(h.Lines(h.Send("examine snow")).back(), "it's cold and wet");
  EXPECT_EQ(g.Obj(28).Location, 300);
  EXPECT_EQ(g.Baddie(23).Location, 106);  // the cat stays: nothing was found
}

TEST_F(ExamineWorld, MapSendsTheCatAwayAndOpensTheWayWest) {
  h.Jump(72);
  h.Send("take map");
  g.SetCharacterLocation(23, 72);
  h.Send("examine map");
  EXPECT_EQ(g.Rooms[72].West, 73);
  EXPECT_EQ(g.Baddie(23).Location, 0);
}

TEST_F(ExamineWorld, ReadingTheNameSendsTheDragonAway) {
  g.PlayerDirty = false;  // a dirty player would not survive the dragon
  g.SetCharacterLocation(11, 80);
  h.Send(":room 5");
  h.Send("take note");
  h.Jump(80);
  const std::string out = h.Send("read note");
  EXPECT_TRUE(ContainsInOrder(
      out, {"[sound] play paper1.wav once", "Oh no you know my name OK. you can go past but don't make a mess",
            "then he flies off", "you are in test room 80."}))
      << out;
  EXPECT_EQ(g.Baddie(11).Location, 0);
  EXPECT_EQ(g.Baddie(11).BlockCode, 0);
  EXPECT_EQ(out.find("dragon"), std::string::npos) << "the dragon is gone from the listing";
}

TEST_F(ExamineWorld, JokeBringsOutTheBone) {
  g.Baddie(10).BlockCode = 2;
  g.AddToCarried(1);
  h.Jump(77);
  h.Send("read jokes");
  EXPECT_EQ(g.Baddie(10).Location, 0);
  EXPECT_EQ(g.Baddie(10).BlockCode, 0);
  EXPECT_EQ(g.Obj(21).Location, 77);
}

}  // namespace
}  // namespace glimtest
