// Doors, keys, the box, insertion and ramming.
#include "world/Game.h"

namespace glim {

namespace {

// The two gates are a door record on each side.
int OtherSide(int door) {
  switch (door) {
    case Door::IronGate: return Door::IronGateInside;
    case Door::IronGateInside: return Door::IronGate;
    case Door::PalaceGate: return Door::PalaceGateInside;
    case Door::PalaceGateInside: return Door::PalaceGate;
    default: return 0;
  }
}

}  // namespace

void Game::Unlock() {
  if (FirstNounClass == WcUnreal) {
    if (FirstNoun != Scenery::Door) {
      PrintLine("You can't Open that!");
    } else if (AdverbNumber != Adverb::With || SentenceNounCount() < 2) {
      ParseError = ParseErr::BeMoreSpecific;  // which key?
    } else if (DoorIndex == 0) {
      PrintLine("You are not attemting to move through a door!");
    } else if (SecondNounClass != WcObject || !IsCarried(SecondNoun)) {
      PrintLine("You don't have that key!");
    } else if (Doors[DoorIndex].Key == Obj::ShinyKey && SecondNoun == Obj::RustyKey) {
      // The right key, only dirty: saying it is the wrong one would send the
      // player away from the one thing that opens this door.
      PrintLine("The rusty key fits the lock, but it is far too rusty to turn. If only it were clean.");
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
      if (key == Obj::Medallion || key == Obj::StickingKey ||
          (key == Obj::ShinyKey && CurrentRoom == Room::MarketSquare)) {
        PrintLine("The Key is stuck in the lock");
        PrintLine("You can't use it anymore");
        RemoveObject(key);
        ShowRoom(false);
      }
    }
    return;
  }

  if (FirstNounClass == WcObject) {
    if (FirstNoun != Obj::Box) {
      PrintLine("you can't open that!");
    } else if (!ObjectIsHere(Obj::Box)) {
      // The box is far too heavy to carry about, so it can only be opened
      // where it stands.
      ParseError = ParseErr::FirstNotHere;
    } else {
      PrintLine("there is a long coil of rope in the box");
      PutObjectHere(Obj::Rope, true);
      ShowRoom(false);
    }
  }
  // A character cannot be opened: nothing happens.
}

void Game::Lock() {
  if (FirstNounClass != WcUnreal || FirstNoun != Scenery::Door || AdverbNumber != Adverb::With) return;
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
    ParseError = ParseErr::BeMoreSpecific;
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
  if (RefuseNouns(NeedNoCharacter | NeedBothNouns)) return;
  switch (AdverbNumber) {
    case Adverb::Into:
    case Adverb::In:
      if (FirstNounClass == WcObject)
        InsertObject(FirstNoun);
      else
        ParseError = ParseErr::CantDoThat;  // scenery cannot be picked up, let alone inserted
      break;
    case Adverb::And: PrintLine("You can only insert one thing at a time"); break;
    default: ParseError = ParseErr::BeMoreSpecific; break;
  }
}

void Game::InsertObject(int o) {
  if (!IsCarried(o)) {
    PrintLine("You don't have a " + AbsentPhrase(o));
    return;
  }
  if (o == Obj::Spear) {
    if (CurrentRoom != Room::FaceDoor) return;  // nothing here to put a spear into
    if (SecondNounClass != WcUnreal) {
      PrintLine("You can't insert that here");
    } else if (SecondNoun == Scenery::Eye) {
      PlaySound("unlock.wav", false);
      RemoveObject(Obj::Spear);
      PrintLine("You have slotted the " + Obj(Obj::Spear).Name);
      PrintLine("into the left-eye on the door");
      PrintLine("The door is open");
      Doors[Door::Face].State = DoorOpen;
    } else {
      ParseError = ParseErr::CantDoThat;
    }
    return;
  }
  if (o == Obj::Medallion) {
    if (SecondNounClass == WcUnreal && SecondNoun == Scenery::Hole && CurrentRoom == Room::RockFace) {
      PlaySound("unlock.wav", false);
      PrintLine("You place the medallion into the hole");
      PrintLine("then the rock face slides back revealing");
      PrintLine("a dark tunnel.");
      RemoveObject(Obj::Medallion);
      Doors[Door::RockFace].State = DoorOpen;
    } else {
      ParseError = ParseErr::CantDoThat;
    }
    return;
  }
  PrintLine("There is nowhere to insert that here");
}

void Game::Ram() {
  if (NounClassIs(WcBaddie)) {
    ParseError = ParseErr::Silly;
    return;
  }
  if (NounClassIs(WcObject)) {
    ParseError = ParseErr::NotRecommended;
    return;
  }
  if (FirstNoun != Scenery::Door) return;  // other scenery: nothing happens
  if (CurrentRoom == Room::OutsideLodge) {
    PrintLine("you break through the door");
    Doors[Door::Lodge].State = DoorOpen;
    CurrentRoom = Room::InsideLodge;
    ShowRoom(false);
  } else if (CurrentRoom == Room::Shack) {
    PrintLine("You fly violently through the door");
    CurrentRoom = Room::WerebearLair;
    ShowRoom(false);
    WaitSeconds(2);
    PlayerDies();
  } else {
    ParseError = ParseErr::Silly;
  }
}

}  // namespace glim
