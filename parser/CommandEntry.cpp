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

void Game::mnuFile_OpenClick() {
  SetRepeatSound(false);
  if (LoadGame()) ShowRoom(false);
}

void Game::mnuFile_SaveClick() { SaveGame(); }

void Game::mnuFile_NewClick() { NewGame(); }

void Game::mnuAbout_aboutClick() { P.ShowAbout(); }

void Game::mnuFile_ExitClick() { ConfirmExit(); }

}  // namespace glim
