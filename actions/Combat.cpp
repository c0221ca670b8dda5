// Combat, the victory and the death of the player.
#include "world/Game.h"

namespace glim {

void Game::Attack() {}

void Game::Victory() {}

void Game::PlayerDies() {
  PrintLine("you are dead TRY AGAIN");
  PlaySound("GlimDead.wav", true);
  WaitSeconds(6);
  StopSound();
  NewGame();
}

}  // namespace glim
