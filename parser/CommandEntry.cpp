// Command entry: the entry field, the buttons and the clicks on icons.
#include "world/Game.h"

namespace glim {

// Input that arrives while a command is still running (during one of its
// pauses) is not acted on: the command in progress owns the parse state. The
// entry field keeps what was typed, so the player can press Enter again.
void Game::txtCommandKeyDown(const std::string& fieldText) {
  if (CommandRunning) return;
  StepScope step(*this);
  CommandLine = fieldText;
  if (CommandLine.size() >= 100) {
    PrintLine("TOO LONG");
    return;
  }
  P.SetCommandText("");
  ProcessCommand();
  // Eating, giving or losing an object changes what is carried without
  // showing the room again: the panel is redrawn after every command, so it
  // never shows (nor lets the player click) an object no longer carried.
  DrawCarriedPanel();
}

void Game::CommandButton(const std::string& text) {
  if (CommandRunning) return;
  StepScope step(*this);
  P.SetCommandText(text);
  CommandLine = text;
  ProcessCommand();
  DrawCarriedPanel();
  P.SetCommandText("");
}

// A release on the room picture takes the lowest-numbered object whose icon
// is under it; the test uses the click moved 10 pixels down.
void Game::imgViewMouseUp(int x, int y) {
  if (CommandRunning) return;
  for (int k = 1; k <= ObjectCount; ++k) {
    if (!ObjectIsHere(k)) continue;
    // An object's Y comes from the word data file and may be any int, so
    // the icon's edges are computed in 64 bits.
    const TObjectRec& o = Obj(k);
    const int64_t left = o.X, top = o.Y, px = x, py = int64_t{y} + 10;
    if (left <= px && px <= left + 31 && top <= py && py <= top + 31) {
      CommandButton("get " + o.Name);
      return;
    }
  }
}

// A left-button release on the carried panel drops the object in that slot.
void Game::imgCarriedMouseUp(int x, int y, bool left) {
  if (!left || CommandRunning) return;
  StepScope step(*this);
  for (int k = 1; k <= ObjectCount; ++k) {
    if (!IsCarried(k)) continue;
    const TObjectRec& o = Obj(k);
    if (70 < x && x < 102 && o.Y < y && int64_t{y} < int64_t{o.Y} + 31) {
      P.SetCommandText("drop " + o.Name);
      CommandLine = "drop " + o.Name;
      ProcessCommand();
      DrawCarriedPanel();
      P.SetCommandText("");
      return;
    }
  }
}

// The Load button shows the room afterwards whatever the load came to: after
// a cancelled dialog or a refused file the game is as it was and the room is
// shown again as before; after a load it is the loaded room. Neither button
// acts while a command is still running, whose world it would change or
// catch half-way.
void Game::mnuFile_OpenClick() {
  if (CommandRunning) return;
  StepScope step(*this);
  SetRepeatSound(false);
  LoadGame();
  ShowRoom(false);
}

void Game::mnuFile_SaveClick() {
  if (!CommandRunning) SaveGame();
}

void Game::mnuFile_NewClick() {
  if (CommandRunning) return;
  StepScope step(*this);
  NewGame();
}

void Game::mnuAbout_aboutClick() { P.ShowAbout(); }

void Game::mnuFile_ExitClick() { ConfirmExit(); }

}  // namespace glim
