// World changes of the item puzzles that the printed lines do not show.
#include <gtest/gtest.h>

#include "Harness.h"

namespace glimtest {
namespace {

struct Items : ::testing::Test {
  Harness h{Fixture("act_items")};
  void SetUp() override { h.Start(); }
};

TEST_F(Items, OrbAnsweredSendsTheGodAwayAndOpensTheWayNorth) {
  h.game.SetCharacterLocation(9, 73);
  h.game.Baddie(9).BlockCode = 2;
  ASSERT_TRUE(h.game.AddToCarried(20));
  h.Send(":room 73");
  h.Send("use orb");
  EXPECT_EQ(0, h.game.Baddie(9).Location);
  EXPECT_EQ(0, h.game.Baddie(9).BlockCode);
  EXPECT_EQ(74, h.game.Rooms[73].North);
  EXPECT_EQ(73, h.game.Obj(11).Location);
  EXPECT_TRUE(h.game.IsCarried(20)) << "the orb stays with the player";
}

TEST_F(Items, CameraScaresTheTrollsOnlyInTheirCave) {
  ASSERT_TRUE(h.game.AddToCarried(11));
  h.Send("use camera");
  EXPECT_FALSE(h.game.TrollsScared);
  h.Send(":room 96");
  h.Send("use camera");
  EXPECT_TRUE(h.game.TrollsScared);
}

TEST_F(Items, WornThingsSetTheirFlagsAndDrinkingFromNothingClearsTheDrinkFlag) {
  ASSERT_TRUE(h.game.AddToCarried(26));
  ASSERT_TRUE(h.game.AddToCarried(45));
  h.Send("wear coat");
  h.Send("wear cape");
  EXPECT_TRUE(h.game.PlayerWarm);
  EXPECT_TRUE(h.game.PlayerInvisible);
  EXPECT_TRUE(h.game.IsCarried(26));

  ASSERT_TRUE(h.game.AddToCarried(5));
  h.game.DrinkFlag = true;
  h.Send("drink slug");
  EXPECT_FALSE(h.game.DrinkFlag);
}

TEST_F(Items, CleaningTheKeyUsesUpKeyAndOilAndLeavesTheShinyKeyOnTheFloor) {
  ASSERT_TRUE(h.game.AddToCarried(4));
  ASSERT_TRUE(h.game.AddToCarried(6));
  h.game.Obj(41).Y = 123;
  h.Send("clean rustykey with oil");
  EXPECT_EQ(0, h.game.Obj(4).Location);
  EXPECT_EQ(0, h.game.Obj(6).Location);
  EXPECT_EQ(1, h.game.Obj(41).Location);
  EXPECT_EQ(123, h.game.Obj(41).Y) << "the revealed key keeps its picture position";
  EXPECT_EQ(0, h.game.CarriedCount);
}

// Whether any pixel of the carried panel's slot n (32 x 32 at 70, 40 n) is
// not black: an icon is drawn there.
bool SlotShowsAnIcon(const glim::Image& panel, int n) {
  for (int y = 40 * n; y < 40 * n + 32 && y < panel.H; ++y)
    for (int x = 70; x < 102 && x < panel.W; ++x)
      if ((panel.At(x, y) & 0xffffffu) != 0) return true;
  return false;
}

// Eating what is carried leaves the room as it is; the panel is redrawn all
// the same, and a click where the icon was drops nothing. The garlic and the
// apple.
TEST(CarriedPanel, FollowsEveryCommand) {
  Harness h(std::string(GLIM_DATA_DIR) + "/");
  h.Start();
  for (const auto& [object, name] : {std::pair{15, "garlic"}, {8, "apple"}}) {
    ASSERT_TRUE(h.Carry({object}));
    h.Send("i");
    ASSERT_TRUE(SlotShowsAnIcon(h.platform.CarriedPanel(), 1)) << name;
    h.Send(std::string("eat ") + name);
    ASSERT_FALSE(h.game.IsCarried(object)) << name;
    EXPECT_FALSE(SlotShowsAnIcon(h.platform.CarriedPanel(), 1)) << name;
    const std::string drop = h.Send(":click carried 80 50");
    EXPECT_EQ(std::string::npos, drop.find("drop")) << drop;
  }
}

}  // namespace
}  // namespace glimtest
