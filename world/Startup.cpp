// Start-up of the program, a new game and the restart after a death.
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

bool Game::LoadDataFiles() {
  DataFilesLoaded = false;
  ClearPanel();
  bool found = true;
  const std::string wordFile = GameFolder + "glimtext.wdt";
  std::string text;
  if (P.FileExists(wordFile) && P.ReadFile(wordFile, text)) {
    if (!LoadWordData(SplitLines(text))) return false;
    if (!BuildIgnoredWords()) return false;
  } else {
    found = false;
    P.MessageBox("Unable to load Word data file " + wordFile);
  }
  const std::string roomFile = GameFolder + "glimroom.dat";
  text.clear();
  if (P.FileExists(roomFile) && P.ReadFile(roomFile, text)) {
    if (!LoadRoomData(SplitLines(text))) return false;
  } else {
    found = false;
    P.MessageBox("Unable to load Room data file " + roomFile);
  }
  DataFilesLoaded = found;
  ClearPanel();
  return true;
}

void Game::InitialiseState() {
  Player() = PlayerState::NewPlayer();
  // Nothing is carried at the start unless the word data file says so.
  CarriedCount = CountCarried();
  ClearPanel();
}

void Game::FormActivate() {
  P.DisplayModeStep();  // keeps its own done flag
  P.MaximiseWindow();
  if (FirstActivationDone) return;
  FirstActivationDone = true;
  GameFolder = P.ProgramFolder();
  InitialFolderWritable = P.FolderWritable(GameFolder);
  PlaySound("glimmusi.mid", true);
  P.FocusCommandLine();
  P.ShowSplash();
  StopSound();
  if (!LoadDataFiles()) return;
  ClearPanel();
  InitialiseState();
  for (int k = 1; k <= ObjectCount; ++k) Obj(k).Number = k;
  ShowRoom(true);
}

void Game::NewGame() {
  // A new game starts afresh: nothing of the player's state before may
  // linger, neither a following companion, nor the stopped walls, nor the
  // last door met, even when the data files then fail to load.
  Player() = PlayerState::NewPlayer();
  ++RestartCount;
  if (!LoadDataFiles()) return;
  InitialiseState();
  ShowRoom(false);
}

}  // namespace glim
