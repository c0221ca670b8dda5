// Movement: steps north, south, east and west past blocking characters and
// through doors, up and down by the links, and the market chase.
#include <algorithm>
#include <iterator>

#include "world/Game.h"

namespace glim {

namespace {

// The block codes with which a character closes each exit.
constexpr int BlockTable[5][8] = {
    {0, 0, 0, 0, 0, 0, 0, 0},     {2, 6, 7, 10, 11, 12, 13, 14},  // north
    {4, 5, 8, 9, 10, 12, 13, 15},                                 // south
    {3, 7, 8, 9, 11, 12, 14, 15},                                 // east
    {1, 5, 6, 9, 10, 11, 14, 15},                                 // west
};

// The rooms a step into clears the message panel for.
constexpr int32_t PanelClearingRooms[] = {1, 36, 57, 74, 100, 125, 138, 141, 166, 186, 205};

bool PanelClearingRoom(int32_t r) {
  return std::find(std::begin(PanelClearingRooms), std::end(PanelClearingRooms), r) != std::end(PanelClearingRooms);
}

}  // namespace

void Game::MovePlayer(const std::string& letter) {
  StopSound();
  int direction = DirNorth;
  if (letter == "s")
    direction = DirSouth;
  else if (letter == "e")
    direction = DirEast;
  else if (letter == "w")
    direction = DirWest;
  LastDirection = static_cast<uint8_t>(direction);
  if (!BlockedByCharacter(direction) && !CheckDoor(direction)) {
    const int32_t d = Table<TRoom, MaxRooms>::InRange(CurrentRoom) ? Rooms[CurrentRoom].Exit(direction) : 0;
    if (d < 1) {
      PrintLine("You can't move that way");
    } else if (d > MaxRooms) {
      // An exit beyond the map is a fault in the room data; refuse the step
      // rather than walk off the map.
      PrintLine("You can't move that way");
    } else {
      CurrentRoom = d;
      if (PanelClearingRoom(d)) ClearPanel();
    }
  }
  if (CompanionFollows && BaddieCount >= Baddie::Woman) SetCharacterLocation(Baddie::Woman, CurrentRoom);
  ShowRoom(false);
}

bool Game::BlockedByCharacter(int direction) {
  if (direction < DirNorth || direction > DirWest) return false;
  for (int k = 1; k <= BaddieCount; ++k) {
    if (!CharacterIsHere(k)) continue;
    for (int code : BlockTable[direction]) {
      if (Baddie(k).BlockCode == code) {
        PrintLine(BaddiePhrase(k) + " blocks your way");
        return true;
      }
    }
  }
  return false;
}

bool Game::CheckDoor(int direction) {
  DoorIndex = 0;
  for (int d = 1; d <= DoorCount; ++d) {
    P.PumpEvents();
    DoorIndex = d;
    const TDoor& door = Doors[d];
    if (door.Room != CurrentRoom || door.Direction != direction) continue;
    switch (door.State) {
      case DoorClosed: PrintLine("The Door is closed"); return true;
      case DoorLocked: PrintLine("The Door is Locked"); return true;
      case DoorJammed: PrintLine("The Door is Jammed"); return true;
      case DoorNoPassage: PrintLine("You can't move that way"); return true;
      default: return false;
    }
  }
  DoorIndex = 0;
  return false;
}

void Game::GoUp() {
  for (int k = 1; k <= UpCount; ++k) {
    P.PumpEvents();
    if (UpLinks[k].Lower == CurrentRoom && Table<TRoom, MaxRooms>::InRange(UpLinks[k].Upper)) {
      CurrentRoom = UpLinks[k].Upper;
      ShowRoom(true);
      return;
    }
  }
  PrintLine("There is no way up here");
}

void Game::GoDown() {
  for (int k = 1; k <= DownCount; ++k) {
    P.PumpEvents();
    if (DownLinks[k].Upper == CurrentRoom && Table<TRoom, MaxRooms>::InRange(DownLinks[k].Lower)) {
      CurrentRoom = DownLinks[k].Lower;
      ShowRoom(true);
      return;
    }
  }
  PrintLine("There is no way down here");
}

void Game::RunAway() {
  if (CurrentRoom == Room::CarversHut || CurrentRoom == Room::MarketLane) {
    PrintLine("You pick up your robes and run north as fast as your legs will carry you,");
    PrintLine("dodging fish stalls and goats, with the howling crowd close on your heels.");
    CurrentRoom = Room::IceCliffs;
    ShowRoom(false);
  } else {
    PrintLine("don't you think this adventure is tiring enough?");
  }
}

void Game::Shout() {
  if (CurrentRoom != Room::IceCliffs) {
    PrintLine("you can shout all you like it won't help");
    return;
  }
  SetEventT(false, EventTInterval);
  PrintLine("You fill your lungs and let out the mightiest shout an apprentice ever shouted.");
  PrintLine("High above, the snow on the mountainside cracks, rumbles and begins to slide.");
  PrintLine("The avalanche thunders down between you and the villagers, burying the path");
  PrintLine("behind you, and you scramble on to safety while they dig themselves out.");
  CurrentRoom = Room::WoodBeyondAvalanche;
  ShowRoom(false);
}

}  // namespace glim
