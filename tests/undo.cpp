// Undo and redo: every step of the walkthroughs taken back and taken again to
// the same saved game, a death and a New taken back, the crushing walls'
// countdown restored, and the oldest of 101 steps dropped.
#include <gtest/gtest.h>

#include "Harness.h"
#include "savegame/SaveFile.h"

namespace glimtest {
namespace {

using glim::Game;
using glim::UndoHint;

std::string Saved(const Game& g) { return glim::SaveText(g.world()); }

struct WorldGame : Harness {
  WorldGame() : Harness(std::string(GLIM_DATA_DIR) + "/") { Start(); }
};

// For every command of a walkthrough: the game saved before it, the command
// run, undone, saved again (the same bytes), redone (the bytes saved after
// the command), and the walkthrough goes on from there. Commands that change
// nothing keep no step; a wait that lets the timer kill is no step either.
// Returns how many steps were checked.
int UndoEveryStep(Harness& h, const std::string& file) {
  int checked = 0;
  for (const WalkStep& s : ReadWalkthrough(TestDir() + "/walkthrough/" + file)) {
    const glim::World before = h.game.world();
    const std::string saved = Saved(h.game);
    h.Send(s.command);
    const bool kept = !h.game.UndoSteps.empty() && h.game.UndoSteps.back().State == before && h.game.RedoSteps.empty();
    if (!kept) {
      // A step not kept changed nothing, or only the door the last move met
      // (it is folded into the step before).
      glim::World seen = before;
      seen.DoorIndex = h.game.DoorIndex;
      if (s.command.rfind(":wait", 0) != 0)
        EXPECT_EQ(WorldDiff(seen, h.game.world()), "") << file << " line " << s.line << ": " << s.command;
      continue;
    }
    const std::string after = Saved(h.game);
    EXPECT_TRUE(h.game.Undo()) << s.command;
    EXPECT_EQ(Saved(h.game), saved) << file << " line " << s.line << ": undo of " << s.command;
    EXPECT_TRUE(h.game.Redo()) << s.command;
    EXPECT_EQ(Saved(h.game), after) << file << " line " << s.line << ": redo of " << s.command;
    h.Take();
    ++checked;
  }
  return checked;
}

TEST(Undo, EveryStepOfTheWalkthroughUndoesAndRedoesExactly) {
  WorldGame h;
  EXPECT_GT(UndoEveryStep(h, "win.txt"), 200);
  // The game played on after each undo and redo still ends with the staff.
  EXPECT_EQ(h.game.Obj(glim::Obj::Staff).Location, glim::LocCarried);
}

// A refused move that only notes the door it met is no step the player can
// see: it is folded into the step before, so the undo takes back the move
// into the room, and the steps to redo stay.
TEST(Undo, RefusedMoveIsFoldedIntoTheStepBefore) {
  WorldGame h;
  for (const char* c : {"s", "s", "n", "e"}) h.Send(c);
  const int32_t library = h.game.CurrentRoom;
  const size_t steps = h.game.UndoSteps.size();
  const glim::World inLibrary = h.game.world();
  EXPECT_NE(h.Send("s").find("You can't move that way"), std::string::npos);
  EXPECT_NE(h.game.DoorIndex, inLibrary.DoorIndex);  // the door of the library's south was noted
  EXPECT_EQ(h.game.UndoSteps.size(), steps);
  ASSERT_TRUE(h.game.Undo());
  EXPECT_NE(h.game.CurrentRoom, library);  // back in the study, not in the library again
  EXPECT_EQ(h.game.UndoSteps.size(), steps - 1);

  // With a step to redo, the refused move leaves it there.
  ASSERT_TRUE(h.game.Redo());
  const int32_t study = (h.Send("w"), h.game.CurrentRoom);
  ASSERT_NE(study, library);
  ASSERT_TRUE(h.game.Undo());
  ASSERT_EQ(h.game.CurrentRoom, library);
  EXPECT_NE(h.Send("s").find("You can't move that way"), std::string::npos);
  EXPECT_EQ(h.game.RedoSteps.size(), 1u);
  ASSERT_TRUE(h.game.Redo());
  EXPECT_EQ(h.game.CurrentRoom, study);
}

TEST(Undo, EveryStepOfTheDeathTourUndoesAndRedoesExactly) {
  WorldGame h;
  const int deaths = h.game.DeathCount;
  EXPECT_GT(UndoEveryStep(h, "deaths.txt"), 30);
  EXPECT_GE(h.game.DeathCount - deaths, 14);
}

TEST(Undo, ADeathIsTakenBackToTheMomentBeforeTheFatalCommand) {
  WorldGame h;
  for (const char* c : {":room 8", "get bottle", ":room 14", "get apple", "pour bottle on apple"}) h.Send(c);
  const std::string before = Saved(h.game);
  ASSERT_EQ(h.game.CurrentRoom, 14);
  ASSERT_TRUE(h.game.IsCarried(glim::Obj::Apple));
  const int carried = h.game.CarriedCount;
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::None);

  EXPECT_TRUE(ContainsInOrder(h.Send("eat apple"), {"you are dead TRY AGAIN", "you are in your little attic"}));
  EXPECT_EQ(h.game.CurrentRoom, 1);
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::Death);

  // The undo prints no line of its own: the panel is cleared and the room
  // is shown as after a load.
  const std::string shown = h.Send(":undo");
  EXPECT_EQ(shown.rfind("[sound] repeat off\n[clear]\n", 0), 0u) << shown;
  EXPECT_EQ(shown.find("undo"), std::string::npos) << shown;
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::None);
  EXPECT_EQ(h.game.CurrentRoom, 14);
  EXPECT_TRUE(h.game.IsCarried(glim::Obj::Apple));
  EXPECT_EQ(h.game.CarriedCount, carried);
  EXPECT_EQ(Saved(h.game), before);

  // Forward again to the fresh game, and back once more.
  h.Send(":redo");
  EXPECT_EQ(h.game.CurrentRoom, 1);
  EXPECT_EQ(h.game.CarriedCount, 0);
  h.Send(":undo");
  EXPECT_EQ(Saved(h.game), before);
  // A new command that changes the world ends the redo.
  h.Send("drop apple");
  EXPECT_EQ(h.Send(":redo"), "[meta] nothing to redo\n");
}

TEST(Undo, NewIsTakenBack) {
  WorldGame h;
  for (const char* c : {"s", "get book", "e"}) h.Send(c);
  const glim::World before = h.game.world();
  ASSERT_NE(h.game.CurrentRoom, 1);
  h.Send(":new");
  EXPECT_EQ(h.game.CurrentRoom, 1);
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::NewGame);
  h.Send("l");  // the next command takes the hint away
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::None);
  EXPECT_TRUE(h.game.Undo());
  EXPECT_EQ(WorldDiff(before, h.game.world()), "");
  // A New on a fresh game changes nothing and keeps no step.
  WorldGame fresh;
  fresh.Send(":new");
  EXPECT_TRUE(fresh.game.UndoSteps.empty());
  EXPECT_EQ(fresh.platform.ShownUndoHint(), UndoHint::None);
  EXPECT_EQ(fresh.Send(":undo"), "[meta] nothing to undo\n");
}

TEST(Undo, LoadIsTakenBack) {
  WorldGame h;
  const std::string dir = TempDir("undo_load");
  h.platform.QueueFile(dir + "start.gam");
  h.game.SaveGame();
  for (const char* c : {"s", "get book"}) h.Send(c);
  const std::string before = Saved(h.game);
  h.Send(":load " + dir + "start.gam");
  EXPECT_EQ(h.game.CurrentRoom, 1);
  EXPECT_TRUE(h.game.Undo());
  EXPECT_EQ(Saved(h.game), before);
}

// The walls of room 95 close in twenty seconds while the bar is carried.
TEST(Undo, TheCrushingWallsCountdownComesBackWithItsTimeLeft) {
  Harness h(Fixture("act_events"));
  h.Start();
  h.Send(":objects 24 1 0");
  ASSERT_TRUE(h.game.IsCarried(glim::Obj::MetalBar));
  ASSERT_TRUE(h.game.IsCarried(1));
  h.Send(":room 95");
  ASSERT_TRUE(h.game.EventTEnabled);
  EXPECT_EQ(h.platform.TimerLeft(), 20000);
  h.Send(":wait 5");
  h.Send("drop " + h.game.Obj(1).Name);  // a step with 15 seconds left
  ASSERT_FALSE(h.game.IsCarried(1));
  h.Send(":wait 3");
  EXPECT_EQ(h.platform.TimerLeft(), 12000);
  const int deaths = h.game.DeathCount;
  EXPECT_NE(h.Send(":wait 12").find("you are crushed to death"), std::string::npos);
  EXPECT_EQ(h.game.DeathCount, deaths + 1);
  EXPECT_EQ(h.platform.ShownUndoHint(), UndoHint::Death);

  // The death came from the timer, between steps: one undo goes back to
  // the moment before the last step, whose countdown had 15 seconds left.
  EXPECT_TRUE(h.game.Undo());
  EXPECT_EQ(h.game.CurrentRoom, 95);
  EXPECT_TRUE(h.game.IsCarried(1));
  EXPECT_EQ(h.platform.TimerLeft(), 15000);
  h.Send(":wait 14");
  EXPECT_EQ(h.game.DeathCount, deaths + 1);
  EXPECT_EQ(h.game.CurrentRoom, 95);
  EXPECT_NE(h.Send(":wait 1").find("you are crushed to death"), std::string::npos);
  EXPECT_EQ(h.game.DeathCount, deaths + 2);

  // Before the jump into the room the timer was not armed.
  EXPECT_TRUE(h.game.Undo());
  EXPECT_NE(h.game.CurrentRoom, 95);
  EXPECT_FALSE(h.game.EventTEnabled);
  EXPECT_EQ(h.platform.TimerLeft(), -1);
  EXPECT_FALSE(h.platform.TimerArmed());
}

TEST(Undo, OfAHundredAndOneStepsTheFirstIsGoneAndTheLastHundredUndoExactly) {
  Harness h(Fixture("save_world"));
  h.Start();
  std::vector<glim::World> seen = {h.game.world()};
  for (int i = 1; i <= 101; ++i) {
    h.game.BeginStep();
    h.game.Obj(1).State = i;
    h.game.Doors[1].Key = i % 7;
    h.game.EndStep();
    seen.push_back(h.game.world());
  }
  EXPECT_EQ(h.game.UndoSteps.size(), Game::MaxUndoSteps);
  for (int i = 100; i >= 1; --i) {
    ASSERT_TRUE(h.game.Undo()) << i;
    EXPECT_EQ(WorldDiff(seen[static_cast<size_t>(i)], h.game.world()), "") << i;
  }
  EXPECT_FALSE(h.game.Undo());  // the first step is gone
  EXPECT_EQ(h.game.Obj(1).State, 1);
  for (int i = 2; i <= 101; ++i) {
    ASSERT_TRUE(h.game.Redo()) << i;
    EXPECT_EQ(WorldDiff(seen[static_cast<size_t>(i)], h.game.world()), "") << i;
  }
  EXPECT_FALSE(h.game.Redo());
  // A step that changes nothing is not kept.
  h.game.BeginStep();
  h.game.EndStep();
  EXPECT_EQ(h.game.UndoSteps.size(), Game::MaxUndoSteps);
}

TEST(Undo, RefusedWhileACommandRunsOrThePlayerIsDying) {
  WorldGame h;
  h.Send("s");
  h.game.CommandRunning = true;
  EXPECT_FALSE(h.game.Undo());
  h.game.CommandRunning = false;
  h.game.PlayerDying = true;
  EXPECT_FALSE(h.game.Undo());
  h.game.PlayerDying = false;
  EXPECT_TRUE(h.game.Undo());
  EXPECT_FALSE(h.game.Undo());
}

}  // namespace
}  // namespace glimtest
