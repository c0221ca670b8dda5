// Taking, dropping, handing over and the inventory.
#include "world/Game.h"

namespace glim {

void Game::Take() {}

void Game::Drop() {}

void Game::TakeObject(int) {}

void Game::DropObject(int) {}

bool Game::AddToCarried(int o) {
  if (CarriedCount >= CarryLimit) {
    PrintLine("You can't carry any more objects");
    return false;
  }
  Obj(o).Location = LocCarried;
  ++CarriedCount;
  return true;
}

void Game::ShowInventory() {}

}  // namespace glim
