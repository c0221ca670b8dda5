// Undo and redo: before every step the player takes, the game keeps a copy of
// its world and of the event timer's time left; up to 100 steps can be taken
// back, and taken again until a new step changes the world. Nothing is
// written to disk: the steps live for the run.
#include "world/Game.h"

namespace glim {

Game::Snapshot Game::TakeSnapshot() { return {world(), EventTEnabled ? P.TimerLeft() : -1}; }

namespace {

// The door the last move met (DoorIndex) shows nowhere: it only tells the
// door actions of the next commands which door is meant.
bool OnlyHiddenFieldsDiffer(const World& before, const World& after) {
  World seen = before;
  seen.DoorIndex = after.DoorIndex;
  return seen == after;
}

}  // namespace

void Game::BeginStep() {
  if (stepDepth_++ > 0) return;
  SetUndoHint(UndoHint::None);
  stepStart_ = TakeSnapshot();
  stepDeaths_ = DeathCount;
  stepRestarts_ = RestartCount;
}

void Game::EndStep() {
  if (--stepDepth_ > 0) return;
  // A step that changed nothing (a look, a refused command, a cancelled
  // dialog) is not kept, and leaves the steps to redo as they are.
  if (stepStart_.State == world()) return;
  // A step that changed only what the player cannot see (a refused move
  // that noted the door it met) is no step of its own: it is folded into
  // the step before, whose undo takes it back too, and the steps to redo
  // stay.
  if (OnlyHiddenFieldsDiffer(stepStart_.State, world())) return;
  UndoSteps.push_back(std::move(stepStart_));
  if (UndoSteps.size() > MaxUndoSteps) UndoSteps.pop_front();
  RedoSteps.clear();
  if (DeathCount != stepDeaths_)
    SetUndoHint(UndoHint::Death);
  else if (RestartCount != stepRestarts_)
    SetUndoHint(UndoHint::NewGame);
}

void Game::SetUndoHint(UndoHint hint) {
  if (hint == undoHint_) return;
  undoHint_ = hint;
  P.ShowUndoHint(hint);
}

// The event timer can kill the player between commands (the crowd, the
// closing walls). That death is no step of its own: one undo goes back to
// the moment before the last step, whose timer had time left.
void Game::OnEventTimer() {
  const int32_t deaths = DeathCount;
  EventTTimer();
  if (DeathCount != deaths && !UndoSteps.empty()) SetUndoHint(UndoHint::Death);
}

bool Game::Undo() { return StepAcross(UndoSteps, RedoSteps); }

bool Game::Redo() { return StepAcross(RedoSteps, UndoSteps); }

// Undo and redo alike: the present goes onto the other list, the last step
// of `from` comes back.
bool Game::StepAcross(std::deque<Snapshot>& from, std::deque<Snapshot>& to) {
  if (CommandRunning || PlayerDying || from.empty()) return false;
  to.push_back(TakeSnapshot());
  if (to.size() > MaxUndoSteps) to.pop_front();
  Snapshot s = std::move(from.back());
  from.pop_back();
  Restore(std::move(s));
  return true;
}

// The world put back, the timer set to the time it had left, and the room
// shown as the Load button shows a loaded game, with the panel cleared.
// Input that arrives while the room is shown (a character's pause) waits,
// as during a command.
void Game::Restore(Snapshot s) {
  SetUndoHint(UndoHint::None);
  CommandRunning = true;
  struct Done {
    Game& g;
    ~Done() { g.CommandRunning = false; }
  } done{*this};
  const bool wasArmed = EventTEnabled;
  world() = std::move(s.State);
  if (EventTEnabled)
    P.StartTimer(s.TimerLeftMs >= 0 ? s.TimerLeftMs : EventTInterval);
  else if (wasArmed)
    P.StopTimer();
  SetRepeatSound(false);
  ShowRoom(true);
}

void Game::ObjectCheatClick() {
  StepScope step(*this);
  PickUpObjects();
}

void Game::RoomCheatClick() {
  StepScope step(*this);
  RoomJump();
}

}  // namespace glim
