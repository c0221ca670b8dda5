// Movement between rooms, doors, up and down, running and shouting.
#include "world/Game.h"

namespace glim {

void Game::MovePlayer(const std::string&) {}

bool Game::BlockedByCharacter(int) { return false; }

bool Game::CheckDoor(int) { return false; }

void Game::GoUp() {}

void Game::GoDown() {}

void Game::RunAway() {}

void Game::Shout() {}

}  // namespace glim
