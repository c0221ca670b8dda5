// Examining, searching and reading.
#include "world/Game.h"

namespace glim {

void Game::Examine() {}

void Game::Read() {}

}  // namespace glim
