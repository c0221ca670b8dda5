// Room-entry events and the timed pursuit.
#include "world/Game.h"

namespace glim {

void Game::RoomEvents() {}

void Game::Pursuit() {}

void Game::EventTTimer() {
  SetEventT(false, EventTInterval);
  Pursuit();
}

}  // namespace glim
