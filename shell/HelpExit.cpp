// Help, the exit confirmation and the hidden debugging controls.
#include "world/Game.h"

namespace glim {

void Game::ShowHelp() {}

void Game::ConfirmExit() {}

void Game::PickUpObjects() {}

void Game::RoomJump() {}

}  // namespace glim
