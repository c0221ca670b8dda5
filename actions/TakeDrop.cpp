// Taking, dropping, handing over and the inventory.
#include <algorithm>

#include "world/Game.h"

namespace glim {

namespace {

// The things that are part of the scenery and cannot be picked up: each has
// its own excuse.
const char* FixedObjectRefusal(int o) {
  switch (o) {
    case 30: return "You cannot reach it.";
    case 34: return "It's too heavy to carry";
    case 42: return "It's fastened to the wall";
    case 43: return "It's too big, Twit.";
    default: return nullptr;
  }
}

}  // namespace

int Game::SentenceNounCount() const {
  int n = 0;
  for (size_t p = 1; p < WordClass.size(); ++p)
    if (WordClass[p] == WcUnreal || WordClass[p] == WcObject || WordClass[p] == WcBaddie) ++n;
  return n;
}

void Game::Take() {
  if (NounClassIs(WcBaddie)) ParseError = 10;
  if (NounClassIs(WcUnreal)) ParseError = 11;

  // One noun of the sentence: a fixed object only earns its excuse; any
  // other object is taken while the sentence itself is sound.
  auto takeNoun = [this](int noun, uint8_t nounClass) {
    if (nounClass != WcObject) return;
    if (const char* refusal = FixedObjectRefusal(noun)) {
      PrintLine(refusal);
      return;
    }
    if (ParseError == 0) TakeObject(noun);
  };

  switch (AdverbNumber) {
    case 0:
    case 3:
    case 10:
      takeNoun(FirstNoun, FirstNounClass);
      if (AdverbNumber == 3) takeNoun(SecondNoun, SecondNounClass);
      break;
    case 7:
      // "take X with Y": nothing is taken, the player is only told off.
      if (SentenceNounCount() < 2) {
        ParseError = 13;  // no second noun was named at all
      } else if (SecondNounClass == WcObject) {
        if (IsCarried(SecondNoun))
          PrintLine("Thats Silly");
        else
          PrintLine("You don't have a " + ObjectPhrase(SecondNoun));
      }
      break;
    default: break;
  }
}

void Game::Drop() {
  if (NounClassIs(WcUnreal)) ParseError = 11;

  bool dropFirst = false;
  bool dropSecond = false;
  switch (AdverbNumber) {
    case 0:
    case 3:
    case 10:
      if (NounClassIs(WcBaddie)) {
        ParseError = 10;
      } else {
        dropFirst = true;
        dropSecond = AdverbNumber == 3;
      }
      break;
    case 6:
      // Handing something over: the receiver must be a character standing
      // here; the characters then react to the object lying at their feet.
      if (FirstNounClass == WcBaddie) {
        ParseError = 10;
      } else if (SecondNounClass == WcBaddie && CharacterIsHere(SecondNoun)) {
        dropFirst = true;
      } else {
        PrintLine("who?");
      }
      break;
    default: ParseError = 4; break;
  }
  if (ParseError != 0) return;

  // With no error left, every noun to be dropped is an object.
  if (dropFirst) DropObject(FirstNoun);
  if (dropSecond) DropObject(SecondNoun);
  ShowRoom(false);
}

void Game::TakeObject(int o) {
  if (IsCarried(o)) {
    PrintLine("You are already carrying it");
    return;
  }
  if (!ObjectIsHere(o)) {
    PrintLine("I don't see it here");
    return;
  }
  if (CarriedCount >= CarryLimit) {
    PrintLine("Sorry you can't carry any more objects");
    return;
  }
  AddToCarried(o);
  if (o == 8) Obj(8).State = 0;  // a picked-up apple is no longer poisoned
  PrintLine("O.K You have the " + ObjectPhrase(o));
  ShowRoom(false);
  if (IsCarried(40)) Victory();
}

void Game::DropObject(int o) {
  if (!IsCarried(o)) {
    PrintLine("You're not carrying it!");
    return;
  }
  PutObjectHere(o, false);
  const std::string verb = Table<std::string, MaxVerbs>::InRange(VerbNumber) ? WordLists.Verbs[VerbNumber] : "drop";
  PrintLine("Ok, you " + verb + " the " + ObjectPhrase(o));

  if (o == 13 && CurrentRoom == 46) {
    PrintLine("the marble roles up the hill to the north");
    Rooms[46].North = 47;
    Rooms[46].East = 45;
    RemoveObject(13);
  }
  if (o == 26) PlayerWarm = false;
  if (o == 45) PlayerInvisible = false;
  // Matches dropped beside the lit candle in the dark passage are lost to
  // the cellar below.
  if (CurrentRoom == 82 && o == 44 && Obj(10).State != 0) SetObjectLocation(44, 133);
}

bool Game::AddToCarried(int o) {
  if (CarriedCount >= CarryLimit) {
    PrintLine("You can't carry any more objects");
    return false;
  }
  Obj(o).Location = LocCarried;
  ++CarriedCount;
  return true;
}

void Game::ShowInventory() {
  PrintLine("You are carrying " + std::to_string(CarriedCount) + " Objects");
  // The listing recounts what is carried, so a count that drifted is put
  // right here.
  CarriedCount = CountCarried();
  const int last = std::min(ObjectCount, MaxObjects);
  for (int o = 1; o <= last; ++o)
    if (IsCarried(o)) PrintLine(ObjectPhrase(o));
  if (CarriedCount == 0) PrintLine("nothing");
}

}  // namespace glim
