// Saved game files.
#include "world/Game.h"

namespace glim {

FileDialogSpec Game::LoadGSpec() const { return {"Load a game", "Saved Brimel Game|*.gam", "gam", SaveFolder()}; }

FileDialogSpec Game::GameSSpec() const { return {"Save Current Game", "Saved Brimel Game|*.gam", "gam", SaveFolder()}; }

std::string Game::SaveFolder() const { return GameFolder; }

void Game::SaveGame() {}

bool Game::LoadGame() { return false; }

}  // namespace glim
