// Combat, the victory and the death of the player.
#include "world/Game.h"

namespace glim {

// "attack CHARACTER with WEAPON".
void Game::Attack() {
  if (FirstNounClass != WcBaddie) {
    ParseError = ParseErr::Silly;
    return;
  }
  if (SecondNounClass != WcObject) {
    ParseError = ParseErr::BeMoreSpecific;
    return;
  }
  if (AdverbNumber != Adverb::With) {
    ParseError = ParseErr::What;
    return;
  }
  const int foe = FirstNoun;
  const int weapon = SecondNoun;
  bool ready = true;
  if (!IsCarried(weapon)) {
    PrintLine("You don't have that weapon");
    ready = false;
  }
  if (!CharacterIsHere(foe)) {
    PrintLine("I don't see him here.");
    ready = false;
  }
  if (!ready) return;

  switch (foe) {
    case Baddie::Wally:
      PrintLine("you shouldn't have done that!");
      PlayerDies();
      return;
    case Baddie::FrostBeast:
      if (weapon != Obj::FlameThrower) {
        PrintLine("Your weapon has no effect");
        return;
      }
      switch (Obj(Obj::FlameThrower).State) {
        case 0: PrintLine("There's no fuel in it!"); break;
        case 1: PrintLine("Its not Lit!"); break;
        case 2:
          PlaySound("FryBeast.wav", false);
          PrintLine("You fry the frost beast with the flame thrower");
          PrintLine("It dies screaming");
          RemoveCharacter(Baddie::FrostBeast);
          ShowRoom(false);
          break;
        default: break;
      }
      return;
    case Baddie::Demon:
      if (weapon != Obj::Statue) {
        PrintLine("your weapon has no effect");
        return;
      }
      PlaySound("flame.wav", false);
      PrintLine("A strange light issues from the statue");
      PrintLine("The demon dies screaming");
      RemoveCharacter(Baddie::Demon);
      ShowRoom(false);
      return;
    case Baddie::Keeper:
      if (weapon == Obj::Sword && Obj(Obj::AmuletNorth).Location == Room::NorthOfKeeper &&
          Obj(Obj::AmuletSouth).Location == Room::SouthOfKeeper) {
        PrintLine("The Keeper of Stones meets your sword with his staff, and for hour after");
        PrintLine("hour the two of you fight, sparks and spells flying round the chamber.");
        PrintLine("The amulet halves pin down his magic, and with a final effort you");
        PrintLine("drive the sword through the sorcerer's black heart.");
        PrintLine("He drops his staff on the ground");
        RemoveCharacter(Baddie::Keeper);
        PutObjectHere(Obj::Staff, true);
        ShowRoom(false);
        return;
      }
      PlaySound("rocketflame1.wav", false);
      PrintLine("Your weapon has no effect against the mighty Keeper of Stones");
      PrintLine("he laughs has he sends out a ball of fire to destroy you");
      PlayerDies();
      return;
    default:
      if (weapon == Obj::Book || weapon == Obj::AmuletSouth || weapon == Obj::Coat)
        PrintLine("It's no use you cannot kill him");
      else
        ParseError = ParseErr::Silly;
      return;
  }
}

// Holding the staff after a take: the quest is over, but play goes on in the
// same world, and every further take with the staff in hand cheers again.
void Game::Victory() {
  PlaySound("glimmusi.mid", false);
  PrintLine("Well done now you have the wendle staff your");
  PrintLine("quest is over");
  PrintLine("................");
  PrintLine("The Wendle Staff hums happily in your hand, and somewhere far away your");
  PrintLine("old master's ghost finally stops tutting. Glimmerhold was written, drawn");
  PrintLine("and set to music by the Glimmerhold team. Thank you for playing, wizard!");
  WaitSeconds(10);
}

// The one way a life ends: the line, the death knell for six seconds, and a
// fresh game from the data files with room 1 shown.
void Game::PlayerDies() {
  ++DeathCount;
  PlayerDying = true;
  PrintLine("you are dead TRY AGAIN");
  PlaySound("GlimDead.wav", true);
  WaitSeconds(6);
  StopSound();
  PlayerDying = false;
  NewGame();
}

// A death announced a moment before it happens: the player counts as dying
// from the announcement on, so the event timer cannot strike in between.
void Game::DieAfterPause(int seconds) {
  PlayerDying = true;
  WaitSeconds(seconds);
  PlayerDies();
}

}  // namespace glim
