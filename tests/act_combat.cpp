// The final fight against the Keeper of Stones, the fatal attacks, and the
// pauses of the victory and of a death.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

namespace Obj = glim::Obj;
namespace Baddie = glim::Baddie;
namespace Room = glim::Room;

struct Combat : ::testing::Test {
  Harness h{Fixture("act_combat")};
  void SetUp() override { h.Start(); }
  void Carry(std::initializer_list<int> objects) { ASSERT_TRUE(h.Carry(objects)); }
};

TEST_F(Combat, KeeperFallsToTheSwordOnlyWithBothAmuletHalvesInPlace) {
  Carry({Obj::Sword});
  h.game.Obj(Obj::AmuletNorth).Location = Room::NorthOfKeeper;
  h.game.Obj(Obj::AmuletSouth).Location = Room::SouthOfKeeper;
  h.Send(":room 201");
  const std::string out = h.Send("attack keeper with sword");
  EXPECT_EQ(0, Count(out, "you are dead TRY AGAIN")) << out;
  EXPECT_TRUE(ContainsInOrder(out, {"attack keeper with sword\n\n", "He drops his staff on the ground\n",
                                    "you are in test room 201.\n", "The staff test is here.\n"}))
      << out;
  // Four lines of the fight come before the staff falls.
  const size_t drop = out.find("He drops his staff");
  EXPECT_EQ(4, Count(out.substr(0, drop), "\n") - 2) << out;
  EXPECT_EQ(out.find("The keeper"), std::string::npos) << out;
  EXPECT_EQ(0, h.game.Baddie(Baddie::Keeper).Location);
  EXPECT_EQ(201, h.game.Obj(Obj::Staff).Location);

  const std::string take = h.Send("get staff");
  EXPECT_TRUE(ContainsInOrder(take, {"O.K You have the staff test\n", "[sound] play glimmusi.mid once\n",
                                     "Well done now you have the wendle staff your\nquest is over\n"
                                     "................\n"}))
      << take;
}

TEST_F(Combat, KeeperKillsWhenAnAmuletHalfIsMissingOrTheWeaponIsWrong) {
  struct Case {
    int weapon;
    int32_t north, south;
  };
  for (const Case& c : {Case{Obj::Sword, Room::NorthOfKeeper, 0}, Case{Obj::Sword, 0, Room::SouthOfKeeper},
                        Case{Obj::Sword, Room::SouthOfKeeper, Room::NorthOfKeeper},
                        Case{Obj::Book, Room::NorthOfKeeper, Room::SouthOfKeeper}}) {
    Carry({c.weapon});
    h.game.Obj(Obj::AmuletNorth).Location = c.north;
    h.game.Obj(Obj::AmuletSouth).Location = c.south;
    h.Send(":room 201");
    const std::string out = h.Send("attack keeper with " + h.game.Obj(c.weapon).Name);
    EXPECT_TRUE(ContainsInOrder(out, {"[sound] play rocketflame1.wav once\n",
                                      "Your weapon has no effect against the mighty Keeper of Stones\n"
                                      "he laughs has he sends out a ball of fire to destroy you\n"
                                      "you are dead TRY AGAIN\n",
                                      "you are in test room 1.\n"}))
        << out;
    EXPECT_EQ(1, h.game.CurrentRoom);
    EXPECT_EQ(201, h.game.Baddie(Baddie::Keeper).Location) << "the fresh game has its Keeper back";
    EXPECT_EQ(2, h.game.Obj(Obj::Staff).Location);
  }
}

TEST_F(Combat, AttackingTheWallyIsFatal) {
  Carry({Obj::Sword});
  h.Send(":room 12");
  const std::string out = h.Send("attack wally with sword");
  EXPECT_TRUE(
      ContainsInOrder(out, {"\nyou shouldn't have done that!\nyou are dead TRY AGAIN\n",
                            "[sound] play GlimDead.wav repeat\n", "[sound] stop\n", "you are in test room 1.\n"}))
      << out;
  EXPECT_EQ(1, Count(out, "you are in test room 1."));
  EXPECT_EQ(0, h.game.CarriedCount);
}

TEST_F(Combat, DeathPausesSixSecondsAndVictoryTen) {
  Carry({Obj::Sword});
  h.Send(":room 12");
  uint32_t t = h.platform.TickCount();
  h.Send("attack wally with sword");
  EXPECT_EQ(6000u, h.platform.TickCount() - t);

  h.Send("e");  // room 2, where the staff lies
  t = h.platform.TickCount();
  h.Send("get staff");
  EXPECT_EQ(10000u, h.platform.TickCount() - t);
  t = h.platform.TickCount();
  const std::string again = h.Send("get book");
  EXPECT_EQ(10000u, h.platform.TickCount() - t);
  EXPECT_EQ(1, Count(again, "quest is over"));
}

TEST_F(Combat, WeaponsAreTestedBeforeTheFoeAndNothingIsChanged) {
  // Neither the weapon carried nor the foe here: both lines, the beast lives.
  const std::string out = h.Send("attack beast with flamethrower");
  EXPECT_NE(out.find("You don't have that weapon\nI don't see him here.\n"), std::string::npos) << out;
  EXPECT_EQ(Room::IceHall, h.game.Baddie(Baddie::FrostBeast).Location);
}

}  // namespace
}  // namespace glimtest
