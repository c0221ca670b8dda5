// The characters who help the apprentice along: the woman who becomes a
// companion, the beggar, the dirty old man, the riddler, the owner of the lost
// ring, the ghost and the cat. Like every character they act when their room
// is shown, straight after their speaker line.
#include <algorithm>
#include <string>

#include "world/Game.h"

namespace glim {

// The woman: found trembling on the cliff, she comes along once she has had
// the rose, and stays behind in the village prison.
void Game::WomanActs() {
  switch (CurrentRoom) {
    case Room::CliffLedge:
      if (ObjectIsHere(Obj::Rose)) {
        PrintLine("oh thank you, kind wizard, nobody has given me flowers in years");
        PrintLine("");
        PrintLine("She takes the rose from you and smells it.");
        PrintLine("Its scent revives her at once. \"Let me come along with you,");
        PrintLine("I can help you with your quest,\" she says,");
        PrintLine("and she hurries off down the cliff to wait for you at the bottom.");
        SetCharacterLocation(Baddie::Woman, Room::CliffFoot);
        Baddie(Baddie::Woman).BlockCode = 0;
        RemoveObject(Obj::Rose);
        // Show the ledge again: the rose is hers now, no longer on the floor.
        ShowRoom(false);
      } else if (Baddie(Baddie::Woman).BlockCode == 0) {
        // She has left her ledge once and only came back up with the player.
        PrintLine("what are we doing back up here?");
        PrintLine("The village is down at the bottom of the cliff.");
      } else {
        PrintLine("nothing. She just presses herself against the rocky wall");
        PrintLine("and trembles like a leaf in a gale.");
      }
      return;
    case Room::CliffFoot:
      CompanionFollows = true;
      if (IsCarried(Obj::Medallion)) {
        PrintLine("that medallion would make a nice gift for someone.");
        PrintLine("Come on, let us go into the village.");
        PrintLine("But hang on to the medallion if you can,");
        PrintLine("I think it is some sort of magical key.");
      } else {
        PrintLine("I would not go through the village gates just yet,");
        PrintLine("not until we have explored the land around here.");
        PrintLine("The villagers may want a gift from strangers.");
      }
      return;
    case Room::PrisonCell:
      CompanionFollows = false;
      if (Doors[Door::Cell].State == DoorLocked) {
        PrintLine("nothing. She is in shock from the cruel treatment of the villagers.");
        PrintLine("Her clothes are torn to rags, and you wonder why she does not");
        PrintLine("let her HAIR down to give herself some dignity.");
      } else {
        PrintLine("I will stay here now, you go on without me.");
      }
      return;
    default:
      // Following the player away from the village: she says so, rather
      // than leave her line empty.
      if (CurrentRoom < Room::VillageGates || CurrentRoom > Room::FeastHall) {
        PrintLine(CompanionFollows ? "the village is the other way, apprentice." : "nothing, and looks at you shyly.");
        return;
      }
      // On the way through the village, from its gates to the feasting hall.
      CompanionFollows = true;
      PrintLine("hurry, apprentice!");
      PrintLine("The Keeper of stones grows stronger by the hour.");
      PrintLine("Beat him, and my reward is yours.");
      PrintLine("Come on!");
      return;
  }
}

// The beggar wants gold, and pays for it with advice.
void Game::BeggarActs() {
  if (ObjectIsHere(Obj::Gold)) {
    PrintLine("bless you, young master, now listen to an old man's words:");
    PrintLine("fight ice with fire, and fight evil with good,");
    if (PlayerDirty) PrintLine("and GET A WASH");
    PrintLine("Then he snatches up the gold and shuffles off, chuckling.");
    RemoveObject(Obj::Gold);
    RemoveCharacter(Baddie::Beggar);
    return;
  }
  PrintLine("Help an old man");
}

// The dirty old man knows the way through the ice, for a price.
void Game::OldManActs() {
  if (ObjectIsHere(Obj::Gift)) {
    PrintLine("ooh, just what I wanted. Follow me, sonny!");
    PrintLine("He taps the wall of ice behind him and it cracks open with a groan,");
    PrintLine("and he disappears inside.");
    PlaySound("Door.wav", false);
    RemoveObject(Obj::Gift);
    RemoveCharacter(Baddie::OldMan);
    Rooms[Room::SnowHut].East = Room::IceCave;
    return;
  }
  PrintLine("bring me my woolly longjohns, that the wind blew off the washing line, and I'll help you.");
}

namespace {

// Something lies before the riddler, but not the answer he asked for: he
// says so, rather than leave the player guessing whether he noticed.
void WrongAnswer(Game& g, int answer) {
  if (g.ObjectIsHere(answer)) return;
  for (int o = 1; o <= std::min(g.ObjectCount, MaxObjects); ++o) {
    if (g.ObjectIsHere(o)) {
      g.PrintLine("No, that is not the answer. Think again, my son.");
      return;
    }
  }
}

}  // namespace

// The riddler asks one riddle in each of three rooms. The player answers by
// dropping the thing the riddle means; he hands it straight back and moves on.
void Game::RiddlerActs() {
  if (CurrentRoom == Room::CastleGateHall) {
    PrintLine("Place the object before me that signifys the an answer:");
    PrintLine("Here is you first Clue:");
    PrintLine("An emmisary and a warrior? ");
    WrongAnswer(*this, Obj::Statue);
    if (ObjectIsHere(Obj::Statue)) {
      PrintLine("correct, use this to defeat a great foe");
      PrintLine("Now move on");
      AddToCarried(Obj::Statue);
      SetCharacterLocation(Baddie::Riddler, Room::StarHall);
      ShowRoom(false);
    }
  }
  if (CurrentRoom == Room::StarHall) {
    PrintLine("Which is the closest star to us?");
    WrongAnswer(*this, Obj::AmuletNorth);
    if (ObjectIsHere(Obj::AmuletNorth)) {
      PrintLine("correct, place this to the north of the Keeper of Stones");
      PrintLine("Now move on");
      AddToCarried(Obj::AmuletNorth);
      SetCharacterLocation(Baddie::Riddler, Room::TowerRoom);
      ShowRoom(false);
    }
  }
  if (CurrentRoom == Room::TowerRoom) {
    PrintLine("What may have a girls name and can make night to day?");
    WrongAnswer(*this, Obj::AmuletSouth);
    if (ObjectIsHere(Obj::AmuletSouth)) {
      AddToCarried(Obj::AmuletSouth);
      // A cape already carried (only the debugging control can do that) is
      // not counted a second time.
      if (IsCarried(Obj::Cape) || AddToCarried(Obj::Cape)) {
        PrintLine("Correct, place this to the south of the Keeper of stones");
        PrintLine("You are wise and strong, my son, and the last hope against the Keeper.");
        PrintLine("Take this cape, it will help you.");
        RemoveCharacter(Baddie::Riddler);
        CurrentRoom = Room::Courtyard;
        ShowRoom(false);
      } else {
        PrintLine("The Old man say's");
        PrintLine("You will have to drop somthing my son");
        PrintLine("Then repeat the task");
      }
    }
  }
}

// The owner of the ring opens a short cut once he has it back.
void Game::RingOwnerActs() {
  if (IsCarried(Obj::Ring)) {
    PrintLine("I see you have my ring");
  } else if (!ObjectIsHere(Obj::Ring)) {
    PrintLine("nothing");
  } else {
    PrintLine("my ring! Thank you for bringing it back to me. Now listen:");
    PrintLine("to defeat the Keeper of Stones, go where it is not possible to walk,");
    PrintLine("through the wall with my family's crest, deep below this castle, past the chasm.");
    PrintLine("It opens west for you now; behind it lies the Stone breaker, the sword of heroes.");
    SetObjectLocation(Obj::Ring, LocHandedOver);
    Rooms[Room::BlankWall].West = Room::Armoury;
  }
}

// The ghost counts the three special items the player carries.
void Game::GhostActs() {
  const int count =
      (IsCarried(Obj::Sword) ? 1 : 0) + (IsCarried(Obj::AmuletNorth) ? 1 : 0) + (IsCarried(Obj::AmuletSouth) ? 1 : 0);
  if (count == 0)
    PrintLine("Do not be hasty: You must collect three special items, you have none of them");
  else if (count < 3)
    PrintLine("You need " + std::to_string(3 - count) + " more special items, before you can defeat the Keeper");
  else
    PrintLine("You are ready to defeat the Keeper of stones, I am proud of you my disciple");
}

// The cat turns up where there is danger and drops a warning.
void Game::CatActs() {
  switch (CurrentRoom) {
    case Room::Attic: PrintLine("nothing, but purrs very loudly."); return;
    case Room::WoodlandPath:
      PrintLine("beware: far beyond these woods, past the graves, lies a wood that is enchanted and evil,");
      PrintLine("and whoever goes there unprepared will be stuck there forever.");
      return;
    case Room::Shack:
      PrintLine("wait a moment!");
      PrintLine("If I were you I would not open that door.");
      return;
    case Room::BehindCrypt: PrintLine("I know there is a trap to the south, so watch your step."); return;
    case Room::EnchantedWoods:
      // Prepared, the player hears no scolding, but the speaker line is not
      // left hanging.
      if (IsCarried(Obj::Marble) || ObjectIsHere(Obj::Marble) || Rooms[Room::EnchantedWoods].North == Room::Hilltop) {
        PrintLine("nothing, but it looks at you as if you ought to know the way out.");
        return;
      }
      PrintLine("Hmm the great Wizard stuck again");
      PrintLine("Don't say I didn't warn you.");
      return;
    case Room::WoodBeyondAvalanche:
      if (IsCarried(Obj::Map) || ObjectIsHere(Obj::Map)) {
        PrintLine("nothing, but it stares hard at your map.");
        return;
      }
      PrintLine("Hmm the great Wizard stuck again");
      return;
    default: PrintLine("Nothing"); return;
  }
}

}  // namespace glim
