// What the characters present do each time their room is shown.
#include "world/Game.h"

namespace glim {

void Game::BaddieAction(int) {}

void Game::SpeakerLine(int) {}

}  // namespace glim
