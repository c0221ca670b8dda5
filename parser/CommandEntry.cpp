// Command entry: the entry field, the buttons and the clicks on icons.
#include "world/Game.h"

namespace glim {

void Game::txtCommandKeyDown(const std::string& fieldText) {
  CommandLine = fieldText;
  if (CommandLine.size() >= 100) {
    PrintLine("TOO LONG");
    return;
  }
  P.SetCommandText("");
  ProcessCommand();
}

void Game::CommandButton(const std::string& text) {
  P.SetCommandText(text);
  CommandLine = text;
  ProcessCommand();
  P.SetCommandText("");
}

void Game::imgViewMouseUp(int, int) {}

void Game::imgCarriedMouseUp(int, int, bool) {}

// The Load button shows the room afterwards whatever the load came to: after
// a cancelled dialog or a refused file the game is as it was and the room is
// shown again as before; after a load it is the loaded room. Neither button
// acts while a command is still running, whose world it would change or
// catch half-way.
void Game::mnuFile_OpenClick() {
  if (CommandRunning) return;
  SetRepeatSound(false);
  LoadGame();
  ShowRoom(false);
}

void Game::mnuFile_SaveClick() {
  if (!CommandRunning) SaveGame();
}


void Game::mnuFile_NewClick() { NewGame(); }

void Game::mnuAbout_aboutClick() { P.ShowAbout(); }

void Game::mnuFile_ExitClick() { ConfirmExit(); }

}  // namespace glim
