// Every command is answered, on the shipped world: a command that changes
// nothing and says nothing is told "nothing happens", speakers never leave
// their line hanging, messages about absent things give nothing away, and
// the texts that follow the state say what the state is.
#include <gtest/gtest.h>

#include "Harness.h"
#include "world/Ids.h"

namespace glimtest {
namespace {

namespace Obj = glim::Obj;
namespace Room = glim::Room;

struct ShippedWorld : ::testing::Test {
  Harness h{std::string(GLIM_DATA_DIR) + "/"};
  glim::Game& g = h.game;
  void SetUp() override { h.Start(); }
  // The lines an action printed after the echo and the empty line.
  std::vector<std::string> Said(const std::string& command) {
    std::vector<std::string> l = h.Lines(h.Send(command));
    return l.size() > 2 ? std::vector<std::string>(l.begin() + 2, l.end()) : std::vector<std::string>{};
  }
  std::string Text(const std::string& command) { return h.Send(command); }
};

TEST_F(ShippedWorld, SilentCommandsAreAnswered) {
  // Nothing changes and nothing would be said: one line says so.
  EXPECT_EQ(Said("talk door"), std::vector<std::string>{"nothing happens"});
  EXPECT_EQ(Said("talk me"), std::vector<std::string>{"nothing happens"});
  // A command that says something of its own gets no extra line.
  EXPECT_NE(Said("examine me").back(), "nothing happens");
  // An empty line is no command at all: nothing is printed, nothing changes.
  const glim::World before = g.world();
  EXPECT_EQ(Text(""), "");
  EXPECT_EQ(Text("   "), "");
  EXPECT_EQ(WorldDiff(before, g.world()), "");
}

TEST_F(ShippedWorld, ScenerySaysWhatItIs) {
  h.Jump(Room::FuelTank);
  EXPECT_NE(Text("examine tank").find("fuel tank, still sloshing"), std::string::npos);
  h.Jump(Room::LaughingTree);
  EXPECT_NE(Text("examine tree").find("Only magic"), std::string::npos);
  EXPECT_NE(Text("examine laughing tree").find("Only magic"), std::string::npos);
  h.Jump(Room::Courtyard);
  EXPECT_NE(Text("examine snow").find("find nothing"), std::string::npos);
  h.Jump(Room::Attic);
  EXPECT_NE(Text("examine snow").find("there is no snow here"), std::string::npos);
}

TEST_F(ShippedWorld, SpeakersAlwaysFinishTheirLine) {
  h.Jump(Room::CastleGateHall);
  const std::vector<std::string> riddler = Said("ask riddler about keeper");
  ASSERT_EQ(riddler.size(), 2u);
  EXPECT_EQ(riddler[0], "riddler (white-bearded) Say's ");
  EXPECT_NE(riddler[1].find("ask the cat"), std::string::npos);
  // The porter says what he wants while the lolly is still in the shop.
  h.Jump(176);
  const std::string porter = h.Jump(176);
  EXPECT_NE(porter.find("something sweet"), std::string::npos) << porter;
}

TEST_F(ShippedWorld, AbsentThingsAreNamedByTheirWordOnly) {
  EXPECT_EQ(Said("examine skeleton"), std::vector<std::string>{"there is no skeleton here"});
  EXPECT_EQ(Said("examine sword"), std::vector<std::string>{"there is no sword here"});
  EXPECT_EQ(Said("talk sword"), std::vector<std::string>{"There is no sword here"});
  // Present things keep their whole phrase.
  h.Jump(2);
  EXPECT_NE(Text("get book").find("O.K You have the book of spells"), std::string::npos);
}

TEST_F(ShippedWorld, CharactersAnswerToTheirOwnNames) {
  h.Jump(Room::CliffLedge);
  ASSERT_TRUE(h.Carry({}));
  g.SetCharacterLocation(glim::Baddie::Cat, Room::CliffLedge);
  const std::vector<std::string> byName = Said("ask cat about rowena");
  const std::vector<std::string> byKind = Said("ask cat about woman");
  EXPECT_EQ(byName, byKind);
  EXPECT_EQ(Said("talk to rowena"), Said("talk to woman"));
  // The name after its own word is the same character, not a second noun.
  EXPECT_EQ(Said("talk woman called rowena"), Said("talk woman"));
  // "old" is a plain word in another qualifier: nobody's name.
  EXPECT_EQ(g.ProperNameOf("old"), "");
  EXPECT_EQ(g.ProperNameOf("anieron"), "noble");
  EXPECT_EQ(g.ProperNameOf("wendle"), "");  // the staff's as well as the ghost's
  EXPECT_EQ(g.ProperNameOf("called"), "");  // not a name, and in several qualifiers
}

TEST_F(ShippedWorld, StandingWarningsOnlyOnEntering) {
  g.PlayerWarm = true;
  h.Jump(Room::FrozenWastes);
  EXPECT_EQ(Count(Text("l"), "Luckily you are wearing the coat"), 0);
  EXPECT_EQ(Count(Text("w"), "Luckily you are wearing the coat"), 0);  // a refused move
  EXPECT_EQ(Count(Text("s"), "Luckily you are wearing the coat"), 0);  // still in the wastes
  h.Jump(Room::FrozenWastes - 1);
  EXPECT_EQ(Count(Text("s"), "Luckily you are wearing the coat"), 1);
  // Without the coat the cold still kills on every showing.
  g.PlayerWarm = false;
  EXPECT_NE(Text("l").find("freezes you in seconds"), std::string::npos);
}

TEST_F(ShippedWorld, DeathsSayWhatKilled) {
  h.Jump(43);
  const std::vector<std::string> pit = h.Lines(Text("s"));
  const auto dead = std::find(pit.begin(), pit.end(), "you are dead TRY AGAIN");
  ASSERT_NE(dead, pit.end());
  ASSERT_NE(dead, pit.begin());
  EXPECT_NE((dead - 1)->find("pit"), std::string::npos) << *(dead - 1);
}

TEST_F(ShippedWorld, TheFourDoorsCanBeRead) {
  h.Jump(Room::FourDoors);
  const std::string doors = Text("read door");
  EXPECT_NE(doors.find("certain death"), std::string::npos);
  EXPECT_NE(doors.find("EVERY WORD ON THESE DOORS IS A LIE"), std::string::npos);
  EXPECT_NE(Text("examine door").find("EVERY WORD ON THESE DOORS IS A LIE"), std::string::npos);
}

TEST_F(ShippedWorld, PlaceHandsAThingOver) {
  h.Jump(Room::CastleGateHall);
  ASSERT_TRUE(h.Carry({Obj::Statue}));
  const std::string out = Text("place statue");
  EXPECT_NE(out.find("correct, use this to defeat a great foe"), std::string::npos) << out;
  EXPECT_TRUE(g.IsCarried(Obj::Statue));
}

TEST_F(ShippedWorld, RowenaOnTheLedgeKnowsWhereSheIs) {
  h.Jump(Room::CliffLedge);
  ASSERT_TRUE(h.Carry({Obj::Rose}));
  const std::string given = Text("drop rose");
  // Shown again after she takes the rose: the last showing lists no rose.
  EXPECT_EQ(given.substr(given.rfind("you are on a narrow ledge")).find("rose of summer is here"), std::string::npos);
  h.Send("s");
  const std::string back = Text("n");
  EXPECT_EQ(back.find("trembles"), std::string::npos) << back;
  EXPECT_NE(back.find("back up here"), std::string::npos) << back;
}

TEST_F(ShippedWorld, TheRustyKeyIsTheRightKeyOnlyDirty) {
  h.Jump(Room::MarketSquare);
  ASSERT_TRUE(h.Carry({Obj::RustyKey}));
  h.Send("e");  // into the carver's locked door
  const std::vector<std::string> rusty = Said("unlock door with rusty");
  ASSERT_EQ(rusty.size(), 1u);
  EXPECT_NE(rusty[0].find("too rusty to turn"), std::string::npos);
  EXPECT_EQ(g.Doors[6].State, glim::DoorLocked);
}

}  // namespace
}  // namespace glimtest
