// Using items: light, use, pour, eat, drink, wash, clean, wear, place, break.
#include "world/Game.h"

namespace glim {

namespace {

// Objects, scenery words and characters the item puzzles are about.
constexpr int RustyKey = 4;
constexpr int Slug = 5;
constexpr int Oil = 6;
constexpr int Apple = 8;
constexpr int Poison = 9;
constexpr int Candle = 10;
constexpr int Camera = 11;
constexpr int Spear = 14;
constexpr int Garlic = 15;
constexpr int IcePick = 17;
constexpr int Medallion = 18;
constexpr int Orb = 20;
constexpr int Plank = 23;
constexpr int MetalBar = 24;
constexpr int Coat = 26;
constexpr int Soap = 29;
constexpr int FlameThrower = 32;
constexpr int Lolly = 33;
constexpr int ShinyKey = 41;
constexpr int LightSwitch = 42;
constexpr int IceBlock = 43;
constexpr int Matches = 44;
constexpr int Cape = 45;

constexpr int Myself = 4;  // scenery word: the player
constexpr int Fuel = 16;   // scenery word: the fuel tank

constexpr int God = 9;

}  // namespace

// "light THING with INSTRUMENT": only the matches light anything.
void Game::Light() {
  if (NounClassIs(WcBaddie) || NounClassIs(WcUnreal)) return;
  if (AdverbNumber != 7 || SentenceNounCount() < 2) {
    // A sentence with one noun still holds an earlier command's second
    // noun; without the instrument named there is nothing to light it with.
    ParseError = 13;
    return;
  }
  if (!IsCarried(FirstNoun) || !IsCarried(SecondNoun)) {
    ParseError = 17;
    return;
  }
  if (SecondNoun != Matches) {
    PrintLine("You can't light anything with that");
    return;
  }
  if (FirstNoun == Candle) {
    PlaySound("match.wav", false);
    PrintLine("You light the candle");
    Obj(Candle).State = 1;
    SetObjectLocation(Matches, 133);
    ShowRoom(false);
    return;
  }
  if (FirstNoun == FlameThrower) {
    switch (Obj(FlameThrower).State) {
      case 0: PrintLine("It wont light. Is there any fuel in it?"); break;
      case 1: {
        PlaySound("Match.wav", false);
        const int32_t deaths = DeathCount;
        WaitSeconds(1);
        // The pause lets the event timer run; if it killed the player, this
        // flame-thrower belongs to a game that is over.
        if (DeathCount != deaths) return;
        PlaySound("rocketflame1.wav", false);
        PrintLine("You ignite the Flame Thrower");
        Obj(FlameThrower).State = 2;
        RemoveObject(Matches);
        break;
      }
      case 2: PrintLine("It's already lit. Please be careful!"); break;
      default: break;
    }
    return;
  }
  ParseError = 10;
}

// "use THING": the fuel tank, the light switch, the camera and the orb.
void Game::Use() {
  if (FirstNounClass == WcUnreal) {
    if (FirstNoun != Fuel) {
      ParseError = 8;
    } else if (CurrentRoom != 137) {
      PrintLine("I don't see it here");
    } else if (IsCarried(FlameThrower)) {
      PlaySound("pour.wav", false);
      PrintLine("you fill the flame-thrower with fuel");
      Obj(FlameThrower).State = 1;
    } else {
      PrintLine("what would you do with it?");
    }
    return;
  }
  if (NounClassIs(WcBaddie)) {
    ParseError = 10;
    return;
  }
  const int o = FirstNoun;
  if (o == LightSwitch) {
    if (CurrentRoom == 206) {
      PlaySound("match.wav", false);
      PrintLine("You turn the lights on automatically");
      PrintLine("setting off an alarm, within seconds you are ");
      PrintLine("surrounded by guards and executed");
      PlayerDies();
    } else {
      ParseError = 15;
    }
    return;
  }
  if (!IsCarried(o)) {
    ParseError = 17;
    return;
  }
  switch (o) {
    case Camera:
      if (CurrentRoom == 96) {
        PrintLine("You press the button and the flash lights up the darkest corners");
        PrintLine("of the cave for one blinding instant, showing every dripping rock");
        PrintLine("and making the trolls cringe");
        TrollsScared = true;
        ShowRoom(false);
      } else {
        PlaySound("camera.wav", false);
        PrintLine("That'll make a nice souvenir");
      }
      return;
    case Orb:
      if (CurrentRoom == 73) {
        PrintLine("You speak your answer into the orb, and it echoes out across the");
        PrintLine("mountains until the very peaks seem to nod. The god, well pleased,");
        PrintLine("drops a little present at your feet and vanishes in a puff of cloud.");
        PutObjectHere(Camera, true);
        RemoveCharacter(God);
        Rooms[73].North = 74;
        ShowRoom(false);
      } else {
        PrintLine("nothing happens");
      }
      return;
    default: PrintLine("Nothing happens "); return;
  }
}

// "pour poison on THING".
void Game::Pour() {
  if (FirstNounClass != WcObject || FirstNoun != Poison) {
    ParseError = 13;
    return;
  }
  if (!IsCarried(Poison)) {
    PrintLine("you have no poison");
    return;
  }
  if (AdverbNumber != 2 && AdverbNumber != 9) {
    ParseError = 4;
    return;
  }
  if (SentenceNounCount() < 2) {
    ParseError = 13;  // poured onto what?
    return;
  }
  if (SecondNounClass != WcObject) {
    PrintLine("You can't poison that");
    return;
  }
  if (!IsCarried(SecondNoun)) {
    ParseError = 17;
    return;
  }
  if (SecondNoun == Slug) {
    PrintLine("The slug refuses to drink");
    PrintLine("the poison");
  } else if (SecondNoun == Apple) {
    PlaySound("pour.wav", false);
    PrintLine("You pour the poison over");
    PrintLine("the apple which soaks it up");
    Obj(Apple).State = 1;
  } else {
    PrintLine("You can't poison that");
  }
}

// "eat THING".
void Game::Eat() {
  if (FirstNounClass == WcBaddie) {
    ParseError = 10;
    return;
  }
  if (FirstNounClass != WcObject) {
    ParseError = 8;
    return;
  }
  const int o = FirstNoun;
  if (!IsCarried(o)) {
    PrintLine(ObjectIsHere(o) ? "Your not carrying it !" : "I don't see it here");
    return;
  }
  PlaySound("Eat.wav", false);
  switch (o) {
    case Apple:
      if (Obj(Apple).State != 0) {
        PrintLine("You ate a poisoned apple you fool");
        PlayerDies();
      } else {
        PrintLine("Yum Yum, very nice.");
        SetObjectLocation(Apple, 24);
      }
      return;
    case Garlic:
      PrintLine("You are eating raw Garlic, are you French.");
      SetObjectLocation(Garlic, 40);
      return;
    case Lolly:
      PrintLine("Yum Yum, very nice.");
      RemoveObject(Lolly);
      return;
    default: PrintLine("What are you doing !"); return;
  }
}

// "drink THING": anything with something left in it refreshes.
void Game::Drink() {
  if (FirstNounClass == WcBaddie) {
    ParseError = 10;
    return;
  }
  if (FirstNounClass != WcObject) {
    ParseError = 8;
    return;
  }
  // Only what is at hand can be drunk from.
  if (!IsCarried(FirstNoun) && !ObjectIsHere(FirstNoun)) {
    PrintLine("I don't see it here");
    return;
  }
  DrinkFrom(FirstNoun);
}

void Game::DrinkFrom(int o) {
  if (o == Spear && Obj(o).State == 2) return;
  if (Obj(o).State < 1) {
    DrinkFlag = false;
    return;
  }
  PrintLine("You drink from the " + ObjectPhrase(o));
  PrintLine("You feel refreshed");
}

// "wash me" under the waterfall; washing a thing is cleaning it.
void Game::Wash() {
  if (NounClassIs(WcBaddie)) {
    ParseError = 10;
    return;
  }
  if (FirstNounClass != WcUnreal) {
    Clean();
    return;
  }
  if (FirstNoun != Myself) {
    ParseError = 8;
    return;
  }
  if (!PlayerDirty) {
    PrintLine("An admirable idea, but you are clean enough");
    return;
  }
  if (CurrentRoom == 75) {
    PlaySound("WaterFall.wav", true);
    if (IsCarried(Soap)) {
      PrintLine("You strip off your dusty robes and bathe in the pool under the waterfall,");
      PrintLine("scrubbing yourself all over with the soap until it is quite used up.");
      PrintLine("You feel much cleaner, and the local fish look relieved.");
      RemoveObject(Soap);
      PlayerDirty = false;
      ShowRoom(false);
    } else {
      PrintLine("No matter how hard you scrub");
      PrintLine("you just can't get clean");
      PrintLine("you could do with some soap");
    }
    return;
  }
  PrintLine(IsCarried(Soap) ? "You could use some water!" : "How are you going to do that!");
}

// "clean THING with CLEANER": the rusty key and the oil.
void Game::Clean() {
  if (NounClassIs(WcBaddie)) {
    ParseError = 10;
    return;
  }
  if (AdverbNumber != 7) return;
  if (SentenceNounCount() < 2) {
    ParseError = 13;  // clean it with what?
    return;
  }
  if (NounClassIs(WcUnreal)) {
    ParseError = 8;
    return;
  }
  if (!IsCarried(FirstNoun)) {
    ParseError = 2;
    return;
  }
  if (!IsCarried(SecondNoun)) {
    ParseError = 17;
    return;
  }
  if (FirstNoun != RustyKey) {
    PrintLine("It's already quite clean");
    return;
  }
  if (SecondNoun != Oil) {
    PrintLine("Scrub all you may the key stays rusty");
    return;
  }
  PrintLine("You immerse the rusty key in the oil");
  PrintLine("and after a quick clean it becomes a very");
  PrintLine("shiny key.");
  RemoveObject(RustyKey);
  RemoveObject(Oil);
  PutObjectHere(ShinyKey, true);
  ShowRoom(false);
}

// "wear THING": the coat keeps out the cold, the cape hides the wearer.
void Game::Wear() {
  if (FirstNounClass == WcBaddie) {
    ParseError = 10;
    return;
  }
  if (FirstNounClass == WcUnreal) {
    ParseError = 8;
    return;
  }
  if (!IsCarried(FirstNoun)) {
    ParseError = 17;
    return;
  }
  if (FirstNoun == Coat) {
    PrintLine("you feel a lot warmer now");
    PlayerWarm = true;
  } else if (FirstNoun == Cape) {
    PrintLine("you put on the cape and vanish");
    PrintLine("Its a cape of invisibility");
    PlayerInvisible = true;
  } else {
    PrintLine("You look silly wearing that");
  }
}

// "place THING": the plank over a chasm, the bar between the crushing walls.
void Game::Place() {
  if (FirstNounClass == WcBaddie) {
    ParseError = 10;
    return;
  }
  if (FirstNounClass == WcUnreal) {
    ParseError = 8;
    return;
  }
  if (!IsCarried(FirstNoun)) {
    ParseError = 17;
    return;
  }
  if (FirstNoun == Plank) {
    if (CurrentRoom == 86) {
      PrintLine("You lay the plank of wood across the chasm");
      PrintLine("it make's a rather solid bridge");
      Rooms[86].East = 87;
      SetObjectLocation(Plank, 159);
      ShowRoom(false);
    } else if (CurrentRoom == 166) {
      PrintLine("You lay the plank of wood across the chasm");
      PrintLine("to make a rather solid bridge north");
      Rooms[166].North = 172;
      RemoveObject(Plank);
      ShowRoom(false);
    } else {
      PrintLine("Where?");
    }
    return;
  }
  if (FirstNoun == MetalBar) {
    if (CurrentRoom == 95) {
      SetEventT(false, EventTInterval);  // the walls will not close now
      PutObjectHere(MetalBar, true);
      WallsStopped = true;
      Rooms[95].South = 94;
      Rooms[95].East = 89;
      PrintLine("You place the long metal bar in between two walls ");
      PrintLine("you here the strains of the mechanism");
      PrintLine("then a crash. The walls have stopped and");
      PrintLine("exits have opened to the east and south.");
      PlaySound("doorcrk.wav", false);
      ShowRoom(false);
    } else {
      PrintLine("How do you mean?");
    }
    return;
  }
}

// "break THING with TOOL": the ice block and the ice pick.
void Game::Break() {
  if (NounClassIs(WcBaddie)) {
    ParseError = 10;
    return;
  }
  if (NounClassIs(WcUnreal)) {
    ParseError = 8;
    return;
  }
  if (AdverbNumber == 3) {
    PrintLine("You can only break one thing at a time");
    return;
  }
  if (AdverbNumber != 7 || SentenceNounCount() < 2) {
    ParseError = 13;
    return;
  }
  if (!ObjectIsHere(FirstNoun)) {
    PrintLine("I don't see it here");
    return;
  }
  if (!IsCarried(SecondNoun)) {
    PrintLine("You're not carrying it");
    return;
  }
  if (FirstNoun != IceBlock) {
    PrintLine("You can't break that!");
    return;
  }
  BreakIce();
}

void Game::BreakIce() {
  if (SecondNoun != IcePick) {
    PrintLine("you cant break it like that");
    return;
  }
  PlaySound("shatter.wav", false);
  PrintLine("The ice block breaks in two and");
  PrintLine("A medallion falls to the floor");
  PutObjectHere(Medallion, true);
  RemoveObject(IceBlock);
  ShowRoom(false);
}

}  // namespace glim
