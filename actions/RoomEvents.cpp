// Room-entry events and the timed pursuit.
#include "world/Game.h"

namespace glim {

namespace {

constexpr int Map = 2;
constexpr int Marble = 13;
constexpr int MetalBar = 24;
constexpr int Companion = 6;
constexpr int Cat = 23;

bool CatComes(Game& g, int32_t r) {
  switch (r) {
    case 20:
    case 32:
    case 36:
    case 43:
    case 67: return true;
    case 45: return !g.IsCarried(Marble);
    case 72: return !g.IsCarried(Map);
    default: return false;
  }
}

bool BirdsongRoom(int32_t r) {
  switch (r) {
    case 19:
    case 20:
    case 23:
    case 24:
    case 25:
    case 29:
    case 45:
    case 46:
    case 47:
    case 49:
    case 50:
    case 72: return true;
    default: return false;
  }
}

bool InstantDeathRoom(int32_t r) { return r == 44 || r == 70 || r == 196 || r == 209; }

bool KeepersSight(int32_t r) { return r == 199 || r == 200 || r == 203 || r == 207 || r == 208; }

}  // namespace

// What a room does to the player whenever it is shown. Every step looks at
// the room the player is in at that moment: a death or the feast's carrying
// off changes it for the steps after.
void Game::RoomEvents() {
  if (CatComes(*this, CurrentRoom)) SetCharacterLocation(Cat, CurrentRoom);

  if (CurrentRoom == 190) {
    PlaySound("echowarn.wav", false);
    PrintLine("As if out of thin air you hear a voice say");
    PrintLine("\"Four roads lie before you, young wizard, and two of them seem right.");
    PrintLine("Only one of the four will let you live to see your supper,");
    PrintLine("and mark this well: the safe road may seem the wrong one.");
    PrintLine("Choose wisely, for your master's spells cannot save you now.\"");
  }

  if (CurrentRoom == 1) PlaySound("purr04.wav", true);

  if (BirdsongRoom(CurrentRoom)) PlaySound("birdsong.wav", true);

  if (InstantDeathRoom(CurrentRoom)) PlayerDies();

  if (CurrentRoom >= 59 && CurrentRoom <= 64 && CompanionFollows) SetCharacterLocation(Companion, CurrentRoom);

  if (CurrentRoom == 71) PlaySound("Crowd.wav", true);

  if (CurrentRoom == 64) {
    PrintLine("The villagers welcome you with a great banquet in honour of their god,");
    PrintLine("and you tuck into roast boar, honey cakes and a suspiciously green wine.");
    PrintLine("Halfway through your third helping the room starts to spin: the food");
    PrintLine("was drugged! As you slide gently under the table you hear them laughing,");
    PrintLine("\"A well-fed wizard, just as our god likes them. Tonight");
    PrintLine("our god will have you for dinner!\"");
    LoadRoomPicture();
    P.ShowScene(View);
    WaitSeconds(3);
    CurrentRoom = 65;
    if (CompanionFollows) SetCharacterLocation(Companion, 65);
    ShowRoom(false);
  }

  if ((CurrentRoom == 97 || CurrentRoom == 98) && PlayerWarm) {
    PrintLine("Do you need that coat on in here");
    WaitSeconds(2);
  }

  if (CurrentRoom >= 100 && CurrentRoom <= 121) {
    if (PlayerWarm) {
      PrintLine("Luckily you are wearing the coat ");
      PrintLine("the temperature here is incredibly low");
    } else {
      PrintLine("The terribly cold weather freezes you in seconds");
      PlayerDies();
    }
  }

  if (CurrentRoom == 95) {
    if (ObjectIsHere(MetalBar)) return;  // the bar holds the walls apart
    PrintLine("The walls are closing in around you and there ");
    PrintLine("is no obvious way out.");
    if (IsCarried(MetalBar)) {
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
  if (CurrentRoom == 69 || CurrentRoom == 70) {
    PrintLine("the crowd catch up with you before you can do anything");
    PrintLine("they lead you away to feed you to their god");
    DieAfterPause(2);
  }
  if (CurrentRoom == 95 && !WallsStopped) {
    PrintLine("you are crushed to death");
    DieAfterPause(2);
  }
}

void Game::EventTTimer() {
  SetEventT(false, EventTInterval);
  Pursuit();
}

}  // namespace glim
