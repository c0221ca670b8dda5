// Room-entry events and the timed pursuit.
#include <algorithm>
#include <iterator>

#include "world/Game.h"

namespace glim {

namespace {

bool CatComes(Game& g, int32_t r) {
  switch (r) {
    case Room::WoodlandPath:
    case Room::Shack:
    case Room::Meadow:
    case Room::BehindCrypt:
    case Room::MarketSquare: return true;
    case Room::EnchantedEdge: return !g.IsCarried(Obj::Marble);
    case Room::WoodBeyondAvalanche: return !g.IsCarried(Obj::Map);
    default: return false;
  }
}

// The rooms full of birdsong.
constexpr int32_t BirdsongRooms[] = {19, 20, 23, 24, 25, 29, 45, 46, 47, 49, 50, 72};

bool BirdsongRoom(int32_t r) {
  return std::find(std::begin(BirdsongRooms), std::end(BirdsongRooms), r) != std::end(BirdsongRooms);
}

bool InstantDeathRoom(int32_t r) {
  return r == Room::LeafPit || r == Room::BlindAlley || r == Room::BottomlessPit || r == Room::TrollLair;
}

bool KeepersSight(int32_t r) {
  return r == Room::GreatHall || r == Room::SouthOfKeeper || r == Room::CrystalRoom || r == Room::HallOfMirrors ||
         r == Room::NorthOfKeeper;
}

// What kills the player in a room that nobody leaves alive, said before
// the death so that the player knows what happened.
const char* DeathCause(int32_t r) {
  switch (r) {
    case Room::LeafPit: return "The leaves give way under your feet, and you fall onto the stakes of a hidden pit.";
    case Room::BlindAlley:
      return "The lane ends at a blank wall. The villagers seize you and carry you off to their god.";
    case Room::BottomlessPit: return "There is no floor behind the door: you fall into a bottomless pit.";
    default: return "The Keeper's pet rock troll is very hungry, and you are very crunchy.";
  }
}

}  // namespace

// What a room does to the player whenever it is shown. Every step looks at
// the room the player is in at that moment: a death or the feast's carrying
// off changes it for the steps after.
void Game::RoomEvents() {
  // Standing remarks about a room are made when the player comes in, not
  // again on every look, refused move or thing taken there.
  const bool entering = CurrentRoom != LastShownRoom;
  auto inWastes = [](int32_t r) { return r >= Room::FrozenWastes && r <= Room::BehindSnowHut; };
  const bool enteringWastes = !inWastes(LastShownRoom);
  LastShownRoom = CurrentRoom;
  if (CatComes(*this, CurrentRoom)) SetCharacterLocation(Baddie::Cat, CurrentRoom);

  if (CurrentRoom == Room::FourDoors) {
    PlaySound("echowarn.wav", false);
    PrintLine("As if out of thin air you hear a voice say");
    PrintLine("\"Four roads lie before you, young wizard, and two of them seem right.");
    PrintLine("Only one of the four will let you live to see your supper,");
    PrintLine("and mark this well: the safe road may seem the wrong one.");
    PrintLine("Choose wisely, for your master's spells cannot save you now.\"");
  }

  if (CurrentRoom == Room::Attic) PlaySound("purr04.wav", true);

  if (BirdsongRoom(CurrentRoom)) PlaySound("birdsong.wav", true);

  if (InstantDeathRoom(CurrentRoom)) {
    PrintLine(DeathCause(CurrentRoom));
    PlayerDies();
  }

  if (CurrentRoom >= Room::CliffFoot && CurrentRoom <= Room::FeastHall && CompanionFollows)
    SetCharacterLocation(Baddie::Woman, CurrentRoom);

  if (CurrentRoom == Room::IceCliffs) PlaySound("Crowd.wav", true);

  if (CurrentRoom == Room::FeastHall) {
    PrintLine("The villagers welcome you with a great banquet in honour of their god,");
    PrintLine("and you tuck into roast boar, honey cakes and a suspiciously green wine.");
    PrintLine("Halfway through your third helping the room starts to spin: the food");
    PrintLine("was drugged! As you slide gently under the table you hear them laughing,");
    PrintLine("\"A well-fed wizard, just as our god likes them. Tonight");
    PrintLine("our god will have you for dinner!\"");
    LoadRoomPicture();
    P.ShowScene(View);
    WaitSeconds(3);
    CurrentRoom = Room::PrisonCell;
    if (CompanionFollows) SetCharacterLocation(Baddie::Woman, Room::PrisonCell);
    ShowRoom(false);
  }

  if ((CurrentRoom == Room::WarmCave || CurrentRoom == Room::HotSpring) && PlayerWarm && entering) {
    PrintLine("Do you need that coat on in here");
    WaitSeconds(2);
  }

  if (inWastes(CurrentRoom)) {
    // The coat is praised once, on the way into the wastes.
    if (PlayerWarm && enteringWastes) {
      PrintLine("Luckily you are wearing the coat ");
      PrintLine("the temperature here is incredibly low");
    } else if (!PlayerWarm) {
      PrintLine("The terribly cold weather freezes you in seconds");
      PlayerDies();
    }
  }

  if (CurrentRoom == Room::CrushingWalls) {
    if (ObjectIsHere(Obj::MetalBar)) return;  // the bar holds the walls apart
    PrintLine("The walls are closing in around you and there ");
    PrintLine("is no obvious way out.");
    if (IsCarried(Obj::MetalBar)) {
      SetEventT(true, 20000);  // twenty seconds to wedge the bar in
    } else {
      PrintLine("There is no way of escape");
      PrintLine("you die terribly slowly");
      DieAfterPause(2);
    }
  }

  if (KeepersSight(CurrentRoom) && !PlayerInvisible) {
    PrintLine("the Keeper of stones sees you and shouts");
    PrintLine("you shall die intruder");
    PrintLine("then he fires a ball of energy at you and you die");
    PlaySound("rocketflame1.wav", false);
    DieAfterPause(2);
  }
}

// The event timer ran out: whoever is still in danger is caught.
void Game::Pursuit() {
  // A player who is already dying cannot be caught again; the fresh game
  // that follows finds nobody in danger.
  if (PlayerDying) return;
  if (CurrentRoom == Room::MarketLane || CurrentRoom == Room::BlindAlley) {
    PrintLine("the crowd catch up with you before you can do anything");
    PrintLine("they lead you away to feed you to their god");
    DieAfterPause(2);
  }
  if (CurrentRoom == Room::CrushingWalls && !WallsStopped) {
    PrintLine("you are crushed to death");
    DieAfterPause(2);
  }
}

void Game::EventTTimer() {
  SetEventT(false, EventTInterval);
  Pursuit();
}

}  // namespace glim
