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

bool Game::RefuseNouns(unsigned needs) {
  auto named = [&](int wordClass) {
    return (needs & NeedBothNouns) != 0 ? NounClassIs(wordClass) : FirstNounClass == wordClass;
  };
  int32_t code = ParseErr::None;
  if ((needs & NeedNoCharacter) != 0 && named(WcBaddie))
    code = ParseErr::NotRecommended;
  else if ((needs & NeedNoScenery) != 0 && named(WcUnreal))
    code = ParseErr::Silly;
  else if ((needs & NeedCarried) != 0 && !IsCarried(FirstNoun))
    code = ParseErr::NotCarried;
  else if ((needs & NeedAtHand) != 0 && !IsCarried(FirstNoun) && !ObjectIsHere(FirstNoun))
    code = ParseErr::FirstNotHere;
  if (code == ParseErr::None) return false;
  ParseError = code;
  return true;
}

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
