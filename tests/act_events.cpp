// Room-entry events and the event timer: which rooms do what, the pauses,
// the companion, and the timer meeting other pauses.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct Events : ::testing::Test {
  Harness h{Fixture("act_events")};
  void SetUp() override { h.Start(); }
};

TEST_F(Events, DeadlyRoomsKillAndTheirNeighboursDoNot) {
  // Instant death, the frozen wastes without the coat, the Keeper's sight
  // without the cape.
  for (int r : {44, 70, 196, 209, 100, 110, 121, 199, 200, 203, 207, 208}) {
    const int deaths = h.game.DeathCount;
    const std::string out = h.Jump(r);
    EXPECT_EQ(deaths + 1, h.game.DeathCount) << "room " << r << "\n" << out;
    EXPECT_EQ(1, h.game.CurrentRoom) << r;
    EXPECT_EQ(1, Count(out, "you are dead TRY AGAIN")) << r;
    // The fresh room 1 is shown by the new game and again by the showing
    // that the death interrupted.
    EXPECT_EQ(2, Count(out, "you are in test room 1.\n")) << r;
  }
  for (int r : {43, 45, 69, 71, 96, 99, 122, 198, 201, 202, 204, 206, 210}) {
    const std::string out = h.Jump(r);
    EXPECT_EQ(r, h.game.CurrentRoom) << out;
    EXPECT_EQ(0, Count(out, "you are dead")) << r;
  }
}

TEST_F(Events, CatComesToItsRooms) {
  for (int r : {20, 32, 36, 43, 67, 45, 72}) {
    h.Jump(r);
    EXPECT_EQ(r, h.game.Baddie(23).Location) << r;
  }
  h.Jump(1);
  EXPECT_EQ(72, h.game.Baddie(23).Location) << "room 1 is not one of the cat's";
  ASSERT_TRUE(h.game.AddToCarried(13));
  h.Jump(45);
  EXPECT_EQ(72, h.game.Baddie(23).Location) << "not while the marble is carried";
  h.Jump(36);
  ASSERT_TRUE(h.game.AddToCarried(2));
  h.Jump(72);
  EXPECT_EQ(36, h.game.Baddie(23).Location) << "not while the map is carried";
}

TEST_F(Events, CompanionIsKeptWithThePlayerInTheVillage) {
  h.game.CompanionFollows = true;
  for (int r : {59, 61, 63}) {
    h.game.SetCharacterLocation(6, 0);
    h.Jump(r);
    EXPECT_EQ(r, h.game.Baddie(6).Location) << r;
  }
  h.game.SetCharacterLocation(6, 0);
  h.Jump(58);
  EXPECT_EQ(0, h.game.Baddie(6).Location) << "room 58 is outside the village";
  h.game.CompanionFollows = false;
  h.Jump(60);
  EXPECT_EQ(0, h.game.Baddie(6).Location);
}

TEST_F(Events, FeastShowsItsPictureForThreeSecondsThenRoom65WithTheCompanion) {
  h.game.CompanionFollows = true;
  h.Jump(63);
  const uint32_t t = h.platform.TickCount();
  const std::string out = h.Send("n");
  EXPECT_EQ(3000u, h.platform.TickCount() - t);
  EXPECT_EQ(65, h.game.CurrentRoom);
  EXPECT_EQ(65, h.game.Baddie(6).Location);
  EXPECT_EQ(2, Count(out, "you are in test room 65.\n")) << out;
  EXPECT_EQ(0, Count(out, "you are in test room 64.")) << out;
}

TEST_F(Events, PausesBeforeTheDeathsAndTheCoatRemark) {
  struct Case {
    int room;
    uint32_t ms;
  };
  for (const Case& c : {Case{44, 6000}, Case{95, 8000}, Case{199, 8000}, Case{100, 6000}}) {
    const uint32_t t = h.platform.TickCount();
    h.Jump(c.room);
    EXPECT_EQ(c.ms, h.platform.TickCount() - t) << c.room;
  }
  h.game.PlayerWarm = true;
  for (int r : {97, 98}) {
    const uint32_t t = h.platform.TickCount();
    const std::string out = h.Jump(r);
    EXPECT_EQ(2000u, h.platform.TickCount() - t) << r;
    EXPECT_EQ(1, Count(out, "Do you need that coat on in here\n")) << r;
  }
}

TEST_F(Events, TimerRunningOutDuringTheWallsLastPauseKillsOnlyOnce) {
  ASSERT_TRUE(h.game.AddToCarried(24));
  h.Jump(95);  // armed now
  h.Send(":wait 19");
  h.Send("n");
  h.Send("drop bar");
  // Back without the bar: the walls' own death is on its way when the
  // timer runs out one second later.
  const std::string out = h.Send("s");
  EXPECT_TRUE(ContainsInOrder(out, {"There is no way of escape\nyou die terribly slowly\n", "[timer] expired\n",
                                    "[timer] stop\n", "you are dead TRY AGAIN\n"}))
      << out;
  EXPECT_EQ(0, Count(out, "you are crushed to death")) << out;
  EXPECT_EQ(1, Count(out, "you are dead TRY AGAIN")) << out;
  EXPECT_EQ(1, h.game.CurrentRoom);
  EXPECT_FALSE(h.game.EventTEnabled);
}

TEST_F(Events, BarDroppedInsteadOfPlacedDoesNotStopTheWalls) {
  ASSERT_TRUE(h.game.AddToCarried(24));
  h.Jump(95);
  const std::string drop = h.Send("drop bar");
  EXPECT_EQ(0, Count(drop, "The walls are closing in")) << "a bar lying in the room silences the room";
  EXPECT_TRUE(h.game.EventTEnabled);
  const std::string out = h.Send(":wait 20");
  EXPECT_TRUE(ContainsInOrder(out, {"[timer] expired\n", "you are crushed to death\n", "you are dead TRY AGAIN\n"}))
      << out;
}

TEST_F(Events, TimerRunningOutWhileLightingTheFlameThrowerLeavesTheNewGameAlone) {
  ASSERT_TRUE(h.game.AddToCarried(24));
  ASSERT_TRUE(h.game.AddToCarried(32));
  ASSERT_TRUE(h.game.AddToCarried(44));
  h.game.Obj(32).State = 1;
  h.Jump(95);
  h.Send(":wait 19");
  const std::string out = h.Send("light flamethrower with matches");
  EXPECT_TRUE(ContainsInOrder(out, {"[sound] play Match.wav once\n", "[timer] expired\n", "you are crushed to death\n",
                                    "you are in test room 1.\n"}))
      << out;
  EXPECT_EQ(0, Count(out, "You ignite the Flame Thrower")) << out;
  EXPECT_EQ(0, Count(out, "rocketflame1")) << out;
  EXPECT_EQ(0, h.game.Obj(32).State);
  EXPECT_EQ(0, h.game.CarriedCount);
}

TEST_F(Events, PlacingTheBarOutsideItsRoomLeavesTheTimerRunning) {
  ASSERT_TRUE(h.game.AddToCarried(24));
  h.Jump(95);
  h.Send("n");
  EXPECT_NE(h.Send("place bar").find("How do you mean?"), std::string::npos);
  EXPECT_TRUE(h.game.EventTEnabled);
  EXPECT_FALSE(h.game.WallsStopped);
}

}  // namespace
}  // namespace glimtest
