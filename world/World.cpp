// The small world operations every action uses.
#include <algorithm>

#include "world/Game.h"

namespace glim {

Game::Game(Platform& platform) : P(platform) { P.SetEvents(this); }

Game::~Game() { P.SetEvents(nullptr); }

bool Game::IsCarried(int o) { return Obj(o).Location == LocCarried; }
bool Game::ObjectIsHere(int o) { return Obj(o).Location == CurrentRoom; }
bool Game::IsNowhere(int o) { return Obj(o).Location == LocNowhere; }

// The count of carried objects never goes below 0, whatever it was when an
// object leaves the player.
void Game::SetObjectLocation(int o, int32_t loc) {
  if (IsCarried(o) && CarriedCount > 0) --CarriedCount;
  Obj(o).Location = loc;
}

int32_t Game::CountCarried() {
  int32_t n = 0;
  const int last = std::min<int32_t>(ObjectCount, MaxObjects);
  for (int o = 1; o <= last; ++o)
    if (IsCarried(o)) ++n;
  return n;
}

void Game::RemoveObject(int o) { SetObjectLocation(o, LocNowhere); }

void Game::PutObjectHere(int o, bool keepPosition) {
  if (IsCarried(o) && CarriedCount > 0) --CarriedCount;
  if (!keepPosition) Obj(o).Y = 350;
  Obj(o).Location = CurrentRoom;
}

void Game::RemoveCharacter(int k) {
  Baddie(k).Location = 0;
  Baddie(k).BlockCode = 0;
}

void Game::SetCharacterLocation(int k, int32_t room) { Baddie(k).Location = room; }
bool Game::CharacterIsHere(int k) { return Baddie(k).Location == CurrentRoom; }
bool Game::CharacterIsIn(int k, int32_t room) { return Baddie(k).Location == room; }

bool Game::NounClassIs(int wordClass) { return FirstNounClass == wordClass || SecondNounClass == wordClass; }

void Game::SetEventT(bool enabled, int32_t intervalMs) {
  const bool changed = enabled != EventTEnabled || intervalMs != EventTInterval;
  EventTEnabled = enabled;
  EventTInterval = intervalMs;
  if (!changed) return;  // a running countdown goes on untouched
  if (enabled)
    P.StartTimer(intervalMs);
  else
    P.StopTimer();
}

}  // namespace glim
