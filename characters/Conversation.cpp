// Talking to characters, bribes and calling the cat.
#include "world/Game.h"

namespace glim {

void Game::TalkTo() {}

void Game::Bribe() {}

void Game::CallCat() {}

}  // namespace glim
