// Doors and keys where the door table says more than the printed lines:
// both sides of a door change together, a key opens any shut state, the
// door meant is the one last run into, and what insertion and ramming leave.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct DoorWorld : ::testing::Test {
  Harness h{Fixture("act_doors")};
  glim::Game& g = h.game;
  void SetUp() override { h.Start(); }
  int State(int door) { return g.Doors[door].State; }
};

TEST_F(DoorWorld, BothSidesOpenAndLockTogether) {
  h.Jump(2);
  h.Send("take rustykey");
  h.Send("e");
  EXPECT_EQ(g.DoorIndex, 1);
  h.Send("unlock door with rustykey");
  EXPECT_EQ(State(1), glim::DoorOpen);
  EXPECT_EQ(State(2), glim::DoorOpen);
  EXPECT_EQ(State(3), glim::DoorClosed);  // the next door is another one
  h.Send("lock door with rustykey");
  EXPECT_EQ(State(1), glim::DoorLocked);
  EXPECT_EQ(State(2), glim::DoorLocked);
  EXPECT_TRUE(g.IsCarried(4));
}

TEST_F(DoorWorld, RightKeyOpensAJammedDoorToo) {
  h.Jump(8);
  h.Send("take shinykey");
  g.Doors[7].State = glim::DoorJammed;
  h.Send("e");
  h.Send("unlock door with shinykey");
  EXPECT_EQ(State(7), glim::DoorOpen);
  EXPECT_TRUE(g.IsCarried(41));  // the shiny key sticks only in room 67
  EXPECT_EQ(g.CarriedCount, 1);
}

TEST_F(DoorWorld, UnlockActsOnTheDoorLastRunIntoEvenAfterTurningAway) {
  h.Jump(2);
  h.Send("take rustykey");
  h.Send("e");
  h.Send("n");  // no exit and no door north: the door search finds nothing
  EXPECT_EQ(g.DoorIndex, 0);
  EXPECT_EQ(h.Lines(h.Send("unlock door with rustykey")).back(), "You are not attemting to move through a door!");
  h.Send("e");
  h.Send("u");  // no way up: the last door is still the one east
  h.Send("unlock door with rustykey");
  EXPECT_EQ(State(1), glim::DoorOpen);
}

TEST_F(DoorWorld, LockAnswersOnceWhateverTheRoom) {
  ASSERT_TRUE(g.AddToCarried(4));
  h.Jump(4);  // no door here and none tried yet
  EXPECT_EQ(h.Lines(h.Send("lock door with rustykey")),
            (std::vector<std::string>{"lock door with rustykey", "", "There is no door here that you could lock"}));
  // A room with a door on every side still answers once.
  for (int d = 1; d <= 4; ++d) g.Doors[10 + d] = glim::TDoor{glim::DoorClosed, 4, static_cast<uint8_t>(d), 4};
  g.DoorCount = 16;
  h.Send("w");
  EXPECT_EQ(h.Lines(h.Send("lock door with rustykey")),
            (std::vector<std::string>{"lock door with rustykey", "", "The Door is closed", "Please be more specific"}));
  EXPECT_EQ(g.DoorIndex, 14);
  EXPECT_EQ(State(14), glim::DoorClosed);
}

TEST_F(DoorWorld, InsertingUsesUpTheSpearAndTheMedallion) {
  h.Jump(39);
  h.Send("take spear");
  h.Send("insert spear into eye");
  EXPECT_EQ(State(10), glim::DoorOpen);
  EXPECT_EQ(g.Obj(14).Location, 0);
  EXPECT_EQ(g.CarriedCount, 0);
  h.Jump(9);
  h.Send("take medallion");
  h.Jump(78);
  h.Send("insert medallion into hole");
  EXPECT_EQ(State(17), glim::DoorOpen);
  EXPECT_EQ(g.Obj(18).Location, 0);
  EXPECT_EQ(g.CarriedCount, 0);
  EXPECT_EQ(g.CurrentRoom, 78);  // the door only takes effect at the next move
}

TEST_F(DoorWorld, ShinyKeyIsLostInRoom67) {
  ASSERT_TRUE(g.AddToCarried(41));
  h.Jump(67);
  h.Send("n");
  h.Send("unlock door with shinykey");
  EXPECT_EQ(State(6), glim::DoorOpen);
  EXPECT_EQ(g.Obj(41).Location, 0);
  EXPECT_EQ(g.CarriedCount, 0);
}

TEST_F(DoorWorld, RammingOpensDoorFiveAndMovesThePlayer) {
  h.Jump(26);
  h.Send("ram door");
  EXPECT_EQ(State(5), glim::DoorOpen);
  EXPECT_EQ(g.CurrentRoom, 31);
  // The fatal door: a fresh game in room 1 with the world reloaded.
  h.Jump(32);
  h.Send("ram door");
  EXPECT_EQ(g.CurrentRoom, 1);
  EXPECT_EQ(State(5), glim::DoorJammed);
}

}  // namespace
}  // namespace glimtest
