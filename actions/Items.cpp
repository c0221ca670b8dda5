// Using items: light, use, pour, eat, drink, wash, clean, wear, place, break.
#include "world/Game.h"

namespace glim {

// "light THING with INSTRUMENT": only the matches light anything.
void Game::Light() {
  if (NounClassIs(WcBaddie) || NounClassIs(WcUnreal)) return;
  if (AdverbNumber != Adverb::With || SentenceNounCount() < 2) {
    // A sentence with one noun still holds an earlier command's second
    // noun; without the instrument named there is nothing to light it with.
    ParseError = ParseErr::BeMoreSpecific;
    return;
  }
  if (!IsCarried(FirstNoun) || !IsCarried(SecondNoun)) {
    ParseError = ParseErr::NotCarried;
    return;
  }
  if (SecondNoun != Obj::Matches) {
    PrintLine("You can't light anything with that");
    return;
  }
  if (FirstNoun == Obj::Candle) {
    PlaySound("match.wav", false);
    PrintLine("You light the candle");
    PrintLine("The box of matches slips from your fingers and falls down a crack in the floor.");
    Obj(Obj::Candle).State = 1;
    SetObjectLocation(Obj::Matches, Room::ShaftBottom);
    ShowRoom(false);
    return;
  }
  if (FirstNoun == Obj::FlameThrower) {
    switch (Obj(Obj::FlameThrower).State) {
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
        Obj(Obj::FlameThrower).State = 2;
        RemoveObject(Obj::Matches);
        break;
      }
      case 2: PrintLine("It's already lit. Please be careful!"); break;
      default: break;
    }
    return;
  }
  ParseError = ParseErr::NotRecommended;
}

// "use THING": the fuel tank, the light switch, the camera and the orb.
void Game::Use() {
  if (FirstNounClass == WcUnreal) {
    if (FirstNoun != Scenery::FuelTank) {
      ParseError = ParseErr::Silly;
    } else if (CurrentRoom != Room::FuelTank) {
      PrintLine("I don't see it here");
    } else if (IsCarried(Obj::FlameThrower)) {
      PlaySound("pour.wav", false);
      PrintLine("you fill the flame-thrower with fuel");
      Obj(Obj::FlameThrower).State = 1;
    } else {
      PrintLine("what would you do with it?");
    }
    return;
  }
  if (RefuseNouns(NeedNoCharacter | NeedBothNouns)) return;
  const int o = FirstNoun;
  if (o == Obj::LightSwitch) {
    if (CurrentRoom == Room::DarkRoom) {
      PlaySound("match.wav", false);
      PrintLine("You turn the lights on automatically");
      PrintLine("setting off an alarm, within seconds you are ");
      PrintLine("surrounded by guards and executed");
      PlayerDies();
    } else {
      ParseError = ParseErr::FirstNotHere;
    }
    return;
  }
  if (RefuseNouns(NeedCarried)) return;
  switch (o) {
    case Obj::Camera:
      if (CurrentRoom == Room::TrollCave) {
        PrintLine("You press the button and the flash lights up the darkest corners");
        PrintLine("of the cave for one blinding instant, showing every dripping rock");
        PrintLine(CharacterIsHere(Baddie::Trolls) ? "and making the trolls cringe"
                                                  : "but there is nobody left here to frighten");
        TrollsScared = true;
        ShowRoom(false);
      } else {
        PlaySound("camera.wav", false);
        PrintLine("That'll make a nice souvenir");
      }
      return;
    case Obj::Orb:
      if (CurrentRoom == Room::Summit) {
        PrintLine("You speak your answer into the orb, and it echoes out across the");
        PrintLine("mountains until the very peaks seem to nod. The god, well pleased,");
        PrintLine("drops a little present at your feet and vanishes in a puff of cloud.");
        PutObjectHere(Obj::Camera, true);
        RemoveCharacter(Baddie::God);
        Rooms[Room::Summit].North = Room::MountainPass;
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
  if (FirstNounClass != WcObject || FirstNoun != Obj::Poison) {
    ParseError = ParseErr::BeMoreSpecific;
    return;
  }
  if (!IsCarried(Obj::Poison)) {
    PrintLine("you have no poison");
    return;
  }
  if (AdverbNumber != Adverb::Onto && AdverbNumber != Adverb::On) {
    ParseError = ParseErr::NotUnderstood;
    return;
  }
  if (SentenceNounCount() < 2) {
    ParseError = ParseErr::BeMoreSpecific;  // poured onto what?
    return;
  }
  if (SecondNounClass != WcObject) {
    PrintLine("You can't poison that");
    return;
  }
  if (!IsCarried(SecondNoun)) {
    ParseError = ParseErr::NotCarried;
    return;
  }
  if (SecondNoun == Obj::Slug) {
    PrintLine("The slug refuses to drink");
    PrintLine("the poison");
  } else if (SecondNoun == Obj::Apple) {
    PlaySound("pour.wav", false);
    PrintLine("You pour the poison over");
    PrintLine("the apple which soaks it up");
    Obj(Obj::Apple).State = 1;
  } else {
    PrintLine("You can't poison that");
  }
}

// "eat THING".
void Game::Eat() {
  if (RefuseNouns(NeedNoCharacter | NeedNoScenery)) return;
  const int o = FirstNoun;
  if (!IsCarried(o)) {
    PrintLine(ObjectIsHere(o) ? "Your not carrying it !" : "I don't see it here");
    return;
  }
  PlaySound("Eat.wav", false);
  switch (o) {
    case Obj::Apple:
      if (Obj(Obj::Apple).State != 0) {
        PrintLine("You ate a poisoned apple you fool");
        PlayerDies();
      } else {
        PrintLine("Yum Yum, very nice.");
        SetObjectLocation(Obj::Apple, Room::SunnyGlade);
      }
      return;
    case Obj::Garlic:
      PrintLine("You are eating raw Garlic, are you French.");
      SetObjectLocation(Obj::Garlic, Room::Graveyard);
      return;
    case Obj::Lolly:
      // The porter still wants one: the sweet shop's jars hold another, as
      // the eaten apple and garlic turn up again too.
      PrintLine("Yum Yum, very nice.");
      PrintLine("Luckily the sweet shop's jars are full of lollies just like it.");
      SetObjectLocation(Obj::Lolly, Room::SweetShop);
      return;
    default: PrintLine("What are you doing !"); return;
  }
}

// "drink THING": anything with something left in it refreshes.
void Game::Drink() {
  if (RefuseNouns(NeedNoCharacter | NeedNoScenery)) return;
  // Only what is at hand can be drunk from.
  if (!IsCarried(FirstNoun) && !ObjectIsHere(FirstNoun)) {
    PrintLine("I don't see it here");
    return;
  }
  DrinkFrom(FirstNoun);
}

void Game::DrinkFrom(int o) {
  if (o == Obj::Spear && Obj(o).State == 2) return;
  if (Obj(o).State < 1) {
    DrinkFlag = false;
    return;
  }
  PrintLine("You drink from the " + ObjectPhrase(o));
  PrintLine("You feel refreshed");
}

// "wash me" under the waterfall; washing a thing is cleaning it.
void Game::Wash() {
  if (RefuseNouns(NeedNoCharacter | NeedBothNouns)) return;
  if (FirstNounClass != WcUnreal) {
    Clean();
    return;
  }
  if (FirstNoun != Scenery::Myself) {
    ParseError = ParseErr::Silly;
    return;
  }
  if (!PlayerDirty) {
    PrintLine("An admirable idea, but you are clean enough");
    return;
  }
  if (CurrentRoom == Room::Waterfall) {
    PlaySound("WaterFall.wav", true);
    if (IsCarried(Obj::Soap)) {
      PrintLine("You strip off your dusty robes and bathe in the pool under the waterfall,");
      PrintLine("scrubbing yourself all over with the soap until it is quite used up.");
      PrintLine("You feel much cleaner, and the local fish look relieved.");
      RemoveObject(Obj::Soap);
      PlayerDirty = false;
      ShowRoom(false);
    } else {
      PrintLine("No matter how hard you scrub");
      PrintLine("you just can't get clean");
      PrintLine("you could do with some soap");
    }
    return;
  }
  PrintLine(IsCarried(Obj::Soap) ? "You could use some water!" : "How are you going to do that!");
}

// "clean THING with CLEANER": the rusty key and the oil.
void Game::Clean() {
  if (RefuseNouns(NeedNoCharacter | NeedBothNouns)) return;
  if (AdverbNumber != Adverb::With) return;
  if (SentenceNounCount() < 2) {
    ParseError = ParseErr::BeMoreSpecific;  // clean it with what?
    return;
  }
  if (RefuseNouns(NeedNoScenery | NeedBothNouns)) return;
  if (!IsCarried(FirstNoun)) {
    ParseError = ParseErr::UnknownNoun;
    return;
  }
  if (!IsCarried(SecondNoun)) {
    ParseError = ParseErr::NotCarried;
    return;
  }
  if (FirstNoun != Obj::RustyKey) {
    PrintLine("It's already quite clean");
    return;
  }
  if (SecondNoun != Obj::Oil) {
    PrintLine("Scrub all you may the key stays rusty");
    return;
  }
  PrintLine("You immerse the rusty key in the oil");
  PrintLine("and after a quick clean it becomes a very");
  PrintLine("shiny key.");
  RemoveObject(Obj::RustyKey);
  RemoveObject(Obj::Oil);
  PutObjectHere(Obj::ShinyKey, true);
  ShowRoom(false);
}

// "wear THING": the coat keeps out the cold, the cape hides the wearer.
void Game::Wear() {
  if (RefuseNouns(NeedNoCharacter | NeedNoScenery | NeedCarried)) return;
  if (FirstNoun == Obj::Coat) {
    PrintLine("you feel a lot warmer now");
    PlayerWarm = true;
  } else if (FirstNoun == Obj::Cape) {
    PrintLine("you put on the cape and vanish");
    PrintLine("Its a cape of invisibility");
    PlayerInvisible = true;
  } else {
    PrintLine("You look silly wearing that");
  }
}

// "place THING": the plank over a chasm, the bar between the crushing walls.
void Game::Place() {
  if (RefuseNouns(NeedNoCharacter | NeedNoScenery | NeedCarried)) return;
  if (FirstNoun == Obj::Plank) {
    if (CurrentRoom == Room::FirstChasm) {
      PrintLine("You lay the plank of wood across the chasm");
      PrintLine("it make's a rather solid bridge");
      PrintLine("It is slipping, though: once you are over, the river below will carry it away downstream.");
      Rooms[Room::FirstChasm].East = Room::FarLedge;
      SetObjectLocation(Obj::Plank, Room::RiverBank);
      ShowRoom(false);
    } else if (CurrentRoom == Room::SecondChasm) {
      PrintLine("You lay the plank of wood across the chasm");
      PrintLine("to make a rather solid bridge north");
      Rooms[Room::SecondChasm].North = Room::BeyondSecondChasm;
      RemoveObject(Obj::Plank);
      ShowRoom(false);
    } else {
      PrintLine("Where?");
    }
    return;
  }
  if (FirstNoun == Obj::MetalBar) {
    if (CurrentRoom == Room::CrushingWalls) {
      SetEventT(false, EventTInterval);  // the walls will not close now
      PutObjectHere(Obj::MetalBar, true);
      WallsStopped = true;
      Rooms[Room::CrushingWalls].South = Room::BeyondWalls;
      Rooms[Room::CrushingWalls].East = Room::SideChamber;
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
  // Anything else is placed where the player stands, as if dropped: that is
  // how a thing is put before a character ("place the object before me").
  Drop();
}

// "break THING with TOOL": the ice block and the ice pick.
void Game::Break() {
  if (RefuseNouns(NeedNoCharacter | NeedNoScenery | NeedBothNouns)) return;
  if (AdverbNumber == Adverb::And) {
    PrintLine("You can only break one thing at a time");
    return;
  }
  if (AdverbNumber != Adverb::With || SentenceNounCount() < 2) {
    ParseError = ParseErr::BeMoreSpecific;
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
  if (FirstNoun != Obj::IceBlock) {
    PrintLine("You can't break that!");
    return;
  }
  BreakIce();
}

void Game::BreakIce() {
  if (SecondNoun != Obj::IcePick) {
    PrintLine("you cant break it like that");
    return;
  }
  PlaySound("shatter.wav", false);
  PrintLine("The ice block breaks in two and");
  PrintLine("A medallion falls to the floor");
  PutObjectHere(Obj::Medallion, true);
  RemoveObject(Obj::IceBlock);
  ShowRoom(false);
}

}  // namespace glim
