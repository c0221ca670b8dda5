// Help, the exit confirmation and the hidden debugging controls.
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

void Game::ShowHelp() {
  PrintLine("Help activation");
  // The viewer's result text is not shown: a missing help file prints
  // nothing beyond the activation line.
  (void)P.ShowHelpFile(GameFolder + "glimhelp.chm");
}

void Game::ConfirmExit() {
  if (P.ConfirmBox("Are you sure you want to quit Glimmerhold?\r\n"
                   "Have you saved your Game? Click 'No' then click the \"Save\" button\r\n"
                   "to save the current state of the game."))
    P.CloseMainWindow();
}

void Game::PickUpObjects() {
  for (int i = 1;; ++i) {
    const std::string answer = P.InputBox("Pick up object", "Enter Object Number", "0");
    const auto number = StrictInt(answer);
    if (!number) {
      P.ErrorBox(NotAnIntegerMessage(answer));
      return;
    }
    if (*number == 0) break;
    if (*number < 1 || *number > ObjectCount) {
      P.MessageBox("There is no object " + std::to_string(*number));
    } else if (IsCarried(*number)) {
      P.MessageBox("You already carry object " + std::to_string(*number));
    } else {
      AddToCarried(*number);
    }
    if (i >= CarryLimit) break;
  }
  ShowRoom(false);
}

void Game::RoomJump() {
  const std::string answer = P.InputBox("Room Jump", "New Room", "1");
  const auto room = StrictInt(answer);
  if (!room) {
    P.ErrorBox(NotAnIntegerMessage(answer));
    return;
  }
  if (*room < 1 || *room >= RoomCount || *room > MaxRooms) {
    P.MessageBox("There is no room " + std::to_string(*room));
    return;
  }
  CurrentRoom = *room;
  StopSound();
  ShowRoom(true);
}

}  // namespace glim
