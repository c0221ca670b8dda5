// Taking, dropping, handing over and the inventory.
#include <algorithm>

#include "world/Game.h"

namespace glim {

namespace {

// The things that are part of the scenery and cannot be picked up: each has
// its own excuse.
const char* FixedObjectRefusal(int o) {
  switch (o) {
    case Obj::Sign: return "You cannot reach it.";
    case Obj::Box: return "It's too heavy to carry";
    case Obj::LightSwitch: return "It's fastened to the wall";
    case Obj::IceBlock: return "It's too big, Twit.";
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
  if (NounClassIs(WcBaddie)) ParseError = ParseErr::NotRecommended;
  if (NounClassIs(WcUnreal)) ParseError = ParseErr::CantDoThat;

  // One noun of the sentence: a fixed object only earns its excuse; any
  // other object is taken while the sentence itself is sound.
  auto takeNoun = [this](int noun, uint8_t nounClass) {
    if (nounClass != WcObject) return;
    if (const char* refusal = FixedObjectRefusal(noun)) {
      PrintLine(refusal);
      return;
    }
    if (ParseError == ParseErr::None) TakeObject(noun);
  };

  switch (AdverbNumber) {
    case 0:
    case Adverb::And:
    case Adverb::The:
      takeNoun(FirstNoun, FirstNounClass);
      if (AdverbNumber == Adverb::And) takeNoun(SecondNoun, SecondNounClass);
      break;
    case Adverb::With:
      // "take X with Y": nothing is taken, the player is only told off.
      if (SentenceNounCount() < 2) {
        ParseError = ParseErr::BeMoreSpecific;  // no second noun was named at all
      } else if (SecondNounClass == WcObject) {
        if (IsCarried(SecondNoun))
          PrintLine("Thats Silly");
        else
          PrintLine("You don't have a " + AbsentPhrase(SecondNoun));
      }
      break;
    default: break;
  }
}

void Game::Drop() {
  if (NounClassIs(WcUnreal)) ParseError = ParseErr::CantDoThat;

  bool dropFirst = false;
  bool dropSecond = false;
  switch (AdverbNumber) {
    case 0:
    case Adverb::And:
    case Adverb::The:
      if (NounClassIs(WcBaddie)) {
        ParseError = ParseErr::NotRecommended;
      } else {
        dropFirst = true;
        dropSecond = AdverbNumber == Adverb::And;
      }
      break;
    case Adverb::To:
      // Handing something over: the receiver must be a character standing
      // here; the characters then react to the object lying at their feet.
      if (FirstNounClass == WcBaddie) {
        ParseError = ParseErr::NotRecommended;
      } else if (SecondNounClass == WcBaddie && CharacterIsHere(SecondNoun)) {
        dropFirst = true;
      } else {
        PrintLine("who?");
      }
      break;
    default: ParseError = ParseErr::NotUnderstood; break;
  }
  if (ParseError != ParseErr::None) return;

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
  if (o == Obj::Apple) Obj(Obj::Apple).State = 0;  // a picked-up apple is no longer poisoned
  PrintLine("O.K You have the " + ObjectPhrase(o));
  ShowRoom(false);
  if (IsCarried(Obj::Staff)) Victory();
}

void Game::DropObject(int o) {
  if (!IsCarried(o)) {
    PrintLine("You're not carrying it!");
    return;
  }
  PutObjectHere(o, false);
  const std::string verb = Table<std::string, MaxVerbs>::InRange(VerbNumber) ? WordLists.Verbs[VerbNumber] : "drop";
  PrintLine("Ok, you " + verb + " the " + ObjectPhrase(o));

  if (o == Obj::Marble && CurrentRoom == Room::EnchantedWoods) {
    PrintLine("the marble roles up the hill to the north");
    Rooms[Room::EnchantedWoods].North = Room::Hilltop;
    Rooms[Room::EnchantedWoods].East = Room::EnchantedEdge;
    RemoveObject(Obj::Marble);
  }
  if (o == Obj::Coat) PlayerWarm = false;
  if (o == Obj::Cape) PlayerInvisible = false;
  // Matches dropped beside the lit candle in the dark passage are lost to
  // the cellar below.
  if (CurrentRoom == Room::DarkPassage && o == Obj::Matches && Obj(Obj::Candle).State != 0)
    SetObjectLocation(Obj::Matches, Room::ShaftBottom);
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
