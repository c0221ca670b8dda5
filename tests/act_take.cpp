// Taking and dropping where the world's state says more than the printed
// lines: the carry limit, the recounting inventory, worn things taken off by
// dropping them, icon positions, and the winning take of the staff.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct TakeWorld : ::testing::Test {
  Harness h{Fixture("act_take")};
  glim::Game& g = h.game;
  void SetUp() override { h.Start(); }
  // Objects 20..(20+n-1) lie nowhere in this world; carry them.
  void CarryFillers(int n) {
    for (int o = 20; o < 20 + n; ++o) ASSERT_TRUE(g.AddToCarried(o));
  }
};

TEST_F(TakeWorld, CarryLimitCountsObjects) {
  h.Jump(2);
  CarryFillers(8);
  EXPECT_EQ(g.CarriedCount, 8);
  const std::string out = h.Send("take book");
  EXPECT_EQ(h.Lines(out), (std::vector<std::string>{"take book", "", "Sorry you can't carry any more objects"}));
  EXPECT_EQ(g.Obj(1).Location, 2);
  EXPECT_EQ(g.CarriedCount, 8);

  // Other callers get the limit's own line and a refusal.
  EXPECT_FALSE(g.AddToCarried(28));
  EXPECT_EQ(h.Take(), "You can't carry any more objects\n");
  EXPECT_EQ(g.Obj(28).Location, 0);

  // One dropped, one more can be taken.
  h.Send("drop rope");  // not carried: nothing changes
  EXPECT_EQ(g.CarriedCount, 8);
  h.Send("drop orb");
  EXPECT_EQ(g.CarriedCount, 7);
  h.Send("take book");
  EXPECT_EQ(g.Obj(1).Location, glim::LocCarried);
  EXPECT_EQ(g.CarriedCount, 8);
}

TEST_F(TakeWorld, InventoryShowsStoredCountThenRepairsIt) {
  EXPECT_EQ(h.Lines(h.Send("i")), (std::vector<std::string>{"i", "You are carrying 0 Objects", "nothing"}));
  CarryFillers(2);
  g.CarriedCount = 5;  // drifted
  EXPECT_EQ(h.Lines(h.Send("i")),
            (std::vector<std::string>{"i", "You are carrying 5 Objects", "orb test", "bone test"}));
  EXPECT_EQ(g.CarriedCount, 2);
  g.CarriedCount = 1;
  h.Send("i");
  EXPECT_EQ(h.Lines(h.Send("i"))[1], "You are carrying 2 Objects");
}

TEST_F(TakeWorld, DroppingCoatOrCapeEndsItsEffect) {
  h.Jump(2);
  ASSERT_TRUE(g.AddToCarried(26));
  ASSERT_TRUE(g.AddToCarried(45));
  g.PlayerWarm = true;
  g.PlayerInvisible = true;
  h.Send("drop coat");
  EXPECT_FALSE(g.PlayerWarm);
  EXPECT_TRUE(g.PlayerInvisible);
  EXPECT_EQ(g.Obj(26).Location, 2);
  h.Send("drop cape");
  EXPECT_FALSE(g.PlayerInvisible);
  EXPECT_EQ(g.CarriedCount, 0);
}

TEST_F(TakeWorld, DroppedObjectLiesAtTheFootOfThePicture) {
  h.Jump(2);
  h.Send("take book");
  g.Obj(1).Y = 40;
  h.Send("drop book");
  EXPECT_EQ(g.Obj(1).Location, 2);
  EXPECT_EQ(g.Obj(1).Y, 350);
}

TEST_F(TakeWorld, MarbleRollsOnlyFromRoom46) {
  ASSERT_TRUE(g.AddToCarried(13));
  h.Jump(5);
  const glim::TRoom before = g.Rooms[46];
  h.Send("drop marble");
  EXPECT_EQ(g.Obj(13).Location, 5);
  EXPECT_EQ(g.Rooms[46].North, before.North);
  EXPECT_EQ(g.Rooms[46].East, before.East);
  h.Send("take marble");
  h.Jump(46);
  h.Send("drop marble");
  EXPECT_EQ(g.Obj(13).Location, 0);
  EXPECT_EQ(g.CarriedCount, 0);
  EXPECT_EQ(g.Rooms[46].North, 47);
  EXPECT_EQ(g.Rooms[46].East, 45);
}

TEST_F(TakeWorld, MatchesStayBesideAnUnlitCandle) {
  h.Jump(82);
  g.Obj(10).State = 0;
  h.Send("take matches");
  h.Send("drop matches");
  EXPECT_EQ(g.Obj(44).Location, 82);
  g.Obj(10).State = 1;
  h.Send("take matches");
  h.Send("drop matches");
  EXPECT_EQ(g.Obj(44).Location, 133);
  EXPECT_EQ(g.CarriedCount, 0);
}

TEST_F(TakeWorld, TakingWithTheStaffCarriedWinsEveryTime) {
  const std::vector<std::string> won = {"[sound] play glimmusi.mid once",
                                        "Well done now you have the wendle staff your", "quest is over",
                                        "................"};
  h.Jump(9);
  std::string out = h.Send("take garlic");
  EXPECT_EQ(out.find("Well done"), std::string::npos);
  h.Send("drop garlic");
  out = h.Send("take staff");
  EXPECT_TRUE(ContainsInOrder(out, {"O.K You have the staff test", "you are in test room 9."}));
  EXPECT_TRUE(ContainsInOrder(out, won)) << out;
  // The victory comes after the room is described again.
  EXPECT_LT(out.find("what shall we do now?"), out.find("Well done"));
  out = h.Send("take garlic");
  EXPECT_TRUE(ContainsInOrder(out, won)) << out;
  // Play goes on in the same world.
  EXPECT_EQ(g.CurrentRoom, 9);
  EXPECT_TRUE(g.IsCarried(40));
  EXPECT_TRUE(g.IsCarried(15));
  // A refused take does not win again.
  out = h.Send("take garlic");
  EXPECT_EQ(out.find("Well done"), std::string::npos);
}

TEST_F(TakeWorld, HandOverNeedsTheReceiverHere) {
  h.Jump(2);
  h.Send("take book");
  // The woman is in room 3, not here; character 6's number is also the
  // oil's, which lies nowhere, and object 2 (the map) is in room 3.
  std::string out = h.Send("give book to woman");
  EXPECT_TRUE(ContainsInOrder(out, {"who?", "you are in test room 2."}));
  EXPECT_TRUE(g.IsCarried(1));
  g.Obj(6).Location = 2;  // an object numbered like her, lying here, is no receiver
  out = h.Send("give book to woman");
  EXPECT_TRUE(ContainsInOrder(out, {"who?"}));
  EXPECT_TRUE(g.IsCarried(1));
  h.Send("e");
  h.Send("give book to woman");
  EXPECT_EQ(g.Obj(1).Location, 3);
}

}  // namespace
}  // namespace glimtest
