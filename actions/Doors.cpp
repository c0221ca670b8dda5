// Doors, keys, the box, insertion and ramming.
#include "world/Game.h"

namespace glim {

void Game::Unlock() {}

void Game::Lock() {}

void Game::Insert() {}

void Game::InsertObject(int) {}

void Game::Ram() {}

}  // namespace glim
