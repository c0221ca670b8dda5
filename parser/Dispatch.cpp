// Dispatch of lone words and of verbs to their actions.
#include "world/Game.h"

namespace glim {

void Game::SingleWordCommand() {}

void Game::DispatchVerb() {}

}  // namespace glim
