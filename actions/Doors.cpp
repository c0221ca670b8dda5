// Doors, keys, the box, insertion and ramming.
#include "world/Game.h"

namespace glim {

namespace {

constexpr int DoorWord = 1;    // scenery word: a door
constexpr int EyeWord = 6;     // scenery word: the left eye of the face door
constexpr int HoleWord = 15;   // scenery word: the round hole in the rock
constexpr int WithAdverb = 7;  // joins a door and its key

// Doors 1 and 2 are the two sides of one door, and so are 3 and 4.
int OtherSide(int door) {
  switch (door) {
    case 1: return 2;
    case 2: return 1;
    case 3: return 4;
    case 4: return 3;
    default: return 0;
  }
}

}  // namespace

void Game::Unlock() {
  if (FirstNounClass == WcUnreal) {
    if (FirstNoun != DoorWord) {
      PrintLine("You can't Open that!");
    } else if (AdverbNumber != WithAdverb || SentenceNounCount() < 2) {
      ParseError = 13;  // which key?
    } else if (DoorIndex == 0) {
      PrintLine("You are not attemting to move through a door!");
    } else if (SecondNounClass != WcObject || !IsCarried(SecondNoun)) {
      PrintLine("You don't have that key!");
    } else if (Doors[DoorIndex].Key != SecondNoun) {
      PrintLine("That's not the right key");
    } else {
      const int key = SecondNoun;
      PlaySound("unlock.wav", false);
      Doors[DoorIndex].State = DoorOpen;
      PrintLine("The door is Open");
      const int other = OtherSide(DoorIndex);
      if (other != 0 && other <= DoorCount) Doors[other].State = DoorOpen;
      // Some keys jam in their lock once turned, and are lost.
      if (key == 18 || key == 39 || (key == 41 && CurrentRoom == 67)) {
        PrintLine("The Key is stuck in the lock");
        PrintLine("You can't use it anymore");
        RemoveObject(key);
        ShowRoom(false);
      }
    }
    return;
  }

  if (FirstNounClass == WcObject) {
    if (FirstNoun != 34) {
      PrintLine("you can't open that!");
    } else if (!ObjectIsHere(34)) {
      // The box is far too heavy to carry about, so it can only be opened
      // where it stands.
      ParseError = 15;
    } else {
      PrintLine("there is a long coil of rope in the box");
      PutObjectHere(35, true);
      ShowRoom(false);
    }
  }
  // A character cannot be opened: nothing happens.
}

void Game::Lock() {
  if (FirstNounClass != WcUnreal || FirstNoun != DoorWord || AdverbNumber != WithAdverb) return;
  if (SentenceNounCount() < 2 || SecondNounClass != WcObject || !IsCarried(SecondNoun)) return;

  // The door meant is the one the player last ran into, if it is in this
  // room.
  if (DoorIndex == 0 || Doors[DoorIndex].Room != CurrentRoom) {
    PrintLine("There is no door here that you could lock");
    return;
  }
  const int door = DoorIndex;
  if (Doors[door].State != DoorOpen) {
    // Already shut: the door check names its state.
    CheckDoor(Doors[door].Direction);
    DoorIndex = door;
    ParseError = 13;
    return;
  }
  if (Doors[door].Key != SecondNoun) {
    PrintLine("That's not the right key for this door");
    return;
  }
  Doors[door].State = DoorLocked;
  const int other = OtherSide(door);
  if (other != 0 && other <= DoorCount) Doors[other].State = DoorLocked;
  PlaySound("unlock.wav", false);
  PrintLine("You have locked the Door");
}

void Game::Insert() {
  if (NounClassIs(WcBaddie)) {
    ParseError = 10;
    return;
  }
  switch (AdverbNumber) {
    case 1:
    case 8:
      if (FirstNounClass == WcObject)
        InsertObject(FirstNoun);
      else
        ParseError = 11;  // scenery cannot be picked up, let alone inserted
      break;
    case 3: PrintLine("You can only insert one thing at a time"); break;
    default: ParseError = 13; break;
  }
}

void Game::InsertObject(int o) {
  if (!IsCarried(o)) {
    PrintLine("You don't have a " + ObjectPhrase(o));
    return;
  }
  if (o == 14) {
    if (CurrentRoom != 39) return;  // nothing here to put a spear into
    if (SecondNounClass != WcUnreal) {
      PrintLine("You can't insert that here");
    } else if (SecondNoun == EyeWord) {
      PlaySound("unlock.wav", false);
      RemoveObject(14);
      PrintLine("You have slotted the " + Obj(14).Name);
      PrintLine("into the left-eye on the door");
      PrintLine("The door is open");
      Doors[10].State = DoorOpen;
    } else {
      ParseError = 11;
    }
    return;
  }
  if (o == 18) {
    if (SecondNounClass == WcUnreal && SecondNoun == HoleWord && CurrentRoom == 78) {
      PlaySound("unlock.wav", false);
      PrintLine("You place the medallion into the hole");
      PrintLine("then the rock face slides back revealing");
      PrintLine("a dark tunnel.");
      RemoveObject(18);
      Doors[17].State = DoorOpen;
    } else {
      ParseError = 11;
    }
    return;
  }
  PrintLine("There is nowhere to insert that here");
}

void Game::Ram() {
  if (NounClassIs(WcBaddie)) {
    ParseError = 8;
    return;
  }
  if (NounClassIs(WcObject)) {
    ParseError = 10;
    return;
  }
  if (FirstNoun != DoorWord) return;  // other scenery: nothing happens
  if (CurrentRoom == 26) {
    PrintLine("you break through the door");
    Doors[5].State = DoorOpen;
    CurrentRoom = 31;
    ShowRoom(false);
  } else if (CurrentRoom == 32) {
    PrintLine("You fly violently through the door");
    CurrentRoom = 35;
    ShowRoom(false);
    WaitSeconds(2);
    PlayerDies();
  } else {
    ParseError = 8;
  }
}

}  // namespace glim
