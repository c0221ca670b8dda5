// Examining, searching and reading: looking closely at things, rummaging
// through the scenery, and reading books, doors, signs and notes. Several of
// these turn up hidden things or open hidden ways.
#include <cctype>
#include <string>

#include "world/Game.h"
#include "world/Sayings.h"

namespace glim {

namespace {

// ----- examining scenery -----

// Whether the description of the player's room names a thing (as a word or
// the start of one: "snow" also finds "snowy").
bool RoomTextMentions(const Game& g, const std::string& word) {
  const int32_t r = g.CurrentRoom;
  if (r < 1 || r > MaxRooms) return false;
  for (int l = 1; l <= MaxRoomLines; ++l) {
    std::string line = g.RoomText[r][static_cast<size_t>(l)];
    for (char& c : line) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    if (line.find(word) != std::string::npos) return true;
  }
  return false;
}

void SmellMyself(Game& g) {
  if (g.PlayerDirty) {
    g.PrintLine("You don't half hum");
    g.PrintLine("you should get a wash");
    g.PrintLine("Some of the cave folk round here have very delicate noses,");
    g.PrintLine("and they may turn nasty if they get a whiff of you.");
  } else {
    g.PrintLine("You smell like a fresh clean human being");
  }
}

void SearchGrass(Game& g) {
  if (g.CurrentRoom != Room::Meadow) {
    g.PrintLine("You don't find anything special");
  } else if (!g.ObjectIsHere(Obj::Marble) && !g.IsCarried(Obj::Marble)) {
    g.PrintLine("You get down on your knees and rummage through the long grass,");
    g.PrintLine("and your fingers close on something small, round and glassy: a marble!");
    g.PutObjectHere(Obj::Marble, true);
    g.RemoveCharacter(Baddie::Cat);
    g.ShowRoom(false);
  } else {
    g.PrintLine("you find nothing else here");
  }
}

void LookAtHair(Game& g) {
  if (g.CurrentRoom != Room::PrisonCell) {
    g.ParseError = ParseErr::NotRecommended;
    return;
  }
  g.PrintLine("Looking closer, you see that a slender hair pin holds back the woman's hair;");
  g.PrintLine("it could be used as a lockpick");
  g.PutObjectHere(Obj::HairPin, true);
  g.ShowRoom(false);
}

void SearchSnow(Game& g) {
  if (g.CurrentRoom == Room::DeepSnow) {
    if (g.IsNowhere(Obj::Ring)) {
      g.PrintLine("you rummage through the snow and discover a ring");
      g.PutObjectHere(Obj::Ring, true);
      g.RemoveCharacter(Baddie::Cat);
      g.ShowRoom(false);
    } else {
      g.PrintLine("it's cold and wet");
    }
  } else if (RoomTextMentions(g, "snow")) {
    // Snow the room's own text speaks of holds nothing: saying there is
    // none would contradict what the player has just read.
    g.PrintLine("You rummage through the snow, but you find nothing in it.");
  } else {
    g.PrintLine("there is no snow here");
  }
}

// The fuel tank of the dwarves' store, and the trees of the woods.
void LookAtTank(Game& g) {
  if (g.CurrentRoom == Room::FuelTank)
    g.PrintLine("A great dwarvish fuel tank, still sloshing. You could use it to fill something that burns.");
  else
    g.PrintLine("I don't see it here");
}

void LookAtTree(Game& g) {
  if (g.CurrentRoom == Room::LaughingTree && g.Rooms[Room::LaughingTree].North == 0)
    g.PrintLine("The face in the trunk laughs at you. Only magic would make a tree like this let you pass.");
  else if (g.CurrentRoom == Room::LaughingTree)
    g.PrintLine("The tree's mouth gapes wide open, and the path north runs through it.");
  else if (RoomTextMentions(g, "tree") || RoomTextMentions(g, "wood"))
    g.PrintLine("Bark, branches and leaves. Nothing you could use.");
  else
    g.PrintLine("There is no tree here");
}

void LookAtWall(Game& g) {
  if (g.CurrentRoom != Room::FarLedge) {
    g.PrintLine("It's just a wall");
    return;
  }
  g.PrintLine("You look closely at the wall and notice a thin crack running round");
  g.PrintLine("a hidden doorway, which swings open to the east at your touch.");
  g.Rooms[Room::FarLedge].East = Room::HiddenPassage;
  g.ShowRoom(false);
}

void LookBehindPicture(Game& g) {
  if (g.CurrentRoom != Room::Gallery) {
    g.PrintLine("What picture?");
    return;
  }
  g.PrintLine("You lift the picture away from the wall, and behind it");
  g.PrintLine("you find a narrow passage leading west.");
  g.Rooms[Room::Gallery].West = Room::SecretRoom;
  g.ShowRoom(false);
}

void SearchPowder(Game& g) {
  if (g.CurrentRoom == Room::DiamondMine && g.IsNowhere(Obj::SpecialKey)) {
    g.PrintLine("Amidst the powder you discover a rather special key");
    g.PutObjectHere(Obj::SpecialKey, true);
    g.ShowRoom(false);
  } else {
    g.PrintLine("Its diomond dust!!, so fine you cannot pick it up");
  }
}

void BlowDust(Game& g) {
  if (g.CurrentRoom == Room::SecretRoom) {
    g.PrintLine("You blow away the dust and find a message scratched underneath, which reads:");
    g.PrintLine("Make sure you can get back down");
  } else {
    g.PrintLine("Sorry, there is no dust here");
  }
}

// ----- examining objects -----

// What an object looks like when that never changes.
constexpr TSaying Descriptions[] = {
    {Obj::Book,
     {"The book is in two parts, by the look of the well-thumbed pages:", "A joke section and a spell section"}},
    {Obj::Rose, {"It's beautiful, and would make a nice present for a lady."}},
    {Obj::RustyKey, {"It might be more useful if it were cleaned up a bit."}},
    {Obj::Slug,
     {"A fat, glistening, wriggling slug.", "Only a Neanderthal would think of biting into that,",
      "and even he would want some salt."}},
    {Obj::Oil, {"It's very thin oil, hardly thicker than water;", "the sort wizards use for cleaning their tools."}},
    {Obj::Statue, {"A small statue of a winged angel,", "holding a sword high above its head."}},
    {Obj::Poison,
     {"A deadly poison, almost without taste or smell.", "The label says a single drop kills in seconds.",
      "Just the thing for a wicked stepmother,", "if you happened to know one."}},
    {Obj::Camera,
     {"An expensive instant camera, with a flash", "bright enough to startle anything that lives in the dark."}},
    {Obj::AmuletNorth,
     {"Engraved along one edge of the amulet are the words:", "\"Together, but yet apart we can be paper\""}},
    {Obj::AmuletSouth,
     {"Engraved along one edge of the amulet are the words:", "\"Together, but yet apart we can be paper\""}},
    {Obj::Marble, {"The marble is magic, and can help a wizard who has lost his way."}},
    {Obj::Spear, {"It's short and thin, almost like an arrow."}},
    {Obj::Note, {"A fair hand has written just one word:", "GIORMOTH"}},
    {Obj::Medallion, {"Words are engraved around its rim:", "\"I am the key to the mountains\""}},
    {Obj::Orb,
     {"You hold the orb to your ear, and a small voice says: \"I fear nothing.",
      "I speak only the truth, and what is asked of me I answer truly.", "Use me when you must give a true answer.\""}},
    {Obj::Plank, {"It looks strong enough to bear your weight, if you don't eat too much."}},
    {Obj::Coat, {"A thick fur coat that keeps one warm in any weather."}},
    {Obj::Ring, {"A diamond ring of great value.", "Inside the band the name \"Anieron\" is engraved."}},
    {Obj::Soap, {"Just the thing to get clean with.", "You stink"}},
    {Obj::Sign, {"It's a sign try reading it"}},
    {Obj::Gift, {"A pair of enormous woolly long johns, with a flap at the back for emergencies."}},
    {Obj::Lolly, {"A huge striped lolly, good enough to turn the head of the most stubborn."}},
    {Obj::Box, {"There is something inside"}},
    {Obj::Sword, {"it's quite an impressive sword!"}},
    {Obj::Staff, {"the long staff is covered with runes"}},
    {Obj::IceBlock, {"Deep inside the block you can make out something shiny."}},
};

void StudyMap(Game& g) {
  g.PlaySound("Paper1.wav", false);
  if (g.CurrentRoom != Room::WoodBeyondAvalanche) {
    g.PrintLine("The map shows a winding trail leading through a forest,");
    g.PrintLine("but nothing around here looks like any part of it.");
    return;
  }
  g.PrintLine("You turn the map round twice and suddenly recognise the lie of the land.");
  g.PrintLine("Following it, you find the path to the edge of the forest: it leads west,");
  g.PrintLine("to where the trees thin out and a great mountain rises against the sky.");
  g.Rooms[Room::WoodBeyondAvalanche].West = Room::Summit;
  g.RemoveCharacter(Baddie::Cat);
  g.ShowRoom(false);
}

void LookAtApple(Game& g) {
  if (g.Obj(Obj::Apple).State == 1) {
    g.PrintLine("The Apple is poisoned");
    g.PrintLine("I wouldn't recomend eating it");
  } else {
    g.PrintLine("A shiny red apple, polished until it gleams.");
    g.PrintLine("It looks very tasty.");
  }
}

void LookAtFlameThrower(Game& g) {
  switch (g.Obj(Obj::FlameThrower).State) {
    case 0: g.PrintLine("The fuel tank is empty"); break;
    case 1: g.PrintLine("It's fueled up, ready to light"); break;
    case 2: g.PrintLine("It's lit. Be careful that quite a weapon!"); break;
    default: break;
  }
}

// ----- reading -----

// What is written on or seen of the door in a room.
constexpr TSaying DoorInscriptions[] = {
    {Room::Shack,
     {"The door is battered and splintered, as if something heavy", "has been thrown against it again and again.",
      "Dark red stains run down the wood,", "and a putrid smell seeps out from under it."}},
    {Room::FaceDoor,
     {"The door shows a picture of a mans face", "whose left-eye is a black hole",
      "Above the door is written: \"1066\""}},
    {Room::RockFace, {"There is a round hole carved into the rock"}},
    {Room::FourDoors,
     {"Something is written on each of the four doors.", "On the north door: \"this door leads to certain death\"",
      "On the east door and on the west door: \"This is the way\"; on the south door the same, half scratched away.",
      "And cut into the floor, in older letters: \"EVERY WORD ON THESE DOORS IS A LIE\""}},
    {Room::BehindNorthDoor, {"You read: ", "this door leads to certain death"}},
    {Room::BehindEastDoor, {"on the door is written:", "This is the way"}},
    {Room::BehindSouthDoor, {"on the door is written:", "This is the way"}},
    {Room::BehindWestDoor, {"on the door is written:", "This is the way"}},
};

void ReadDoor(Game& g) {
  if (Say(g, DoorInscriptions, g.CurrentRoom)) return;
  // No inscription: say what the door the player last tried is like, or
  // that there is none.
  if (!g.CheckDoor(g.LastDirection)) g.PrintLine("You are not facing a door, or there is no door here");
}

void CastPassageSpell(Game& g) {
  if (g.CurrentRoom != Room::LaughingTree) {
    g.PrintLine("the ground rumbles for a few seconds then stops");
    return;
  }
  g.PrintLine("You find a passage spell and read it aloud, carefully, in your best voice.");
  g.PrintLine("A blue mist fills the air and the laughing face of the old tree");
  g.PrintLine("twists and stretches until its mouth is a great hole,");
  g.PrintLine("through which you can see the path into the wood.");
  g.Rooms[Room::LaughingTree].North = Room::WoodlandPath;
  g.ShowRoom(false);
}

void TellJoke(Game& g) {
  if (g.CurrentRoom != Room::TunnelMouth) {
    g.PrintLine("You read: why did the wizard's apprentice cross the road?");
    g.PrintLine("Because his master had turned the chicken into a newt.");
    return;
  }
  g.PrintLine("ahh,ahh,ahh,aah");
  g.PrintLine("The sad guard splutters, then roars with laughter until he has to hold his sides.");
  g.PrintLine("\"Best one I've heard in years!\" he wheezes, and waves you past,");
  g.PrintLine("dropping a special present for you as he staggers off, still chuckling.");
  g.RemoveCharacter(Baddie::SadGuard);
  g.PutObjectHere(Obj::Bone, true);
  g.ShowRoom(false);
}

void ReadNote(Game& g) {
  if (g.CurrentRoom != Room::DragonCavern) {
    g.PrintLine("nothing happens");
    return;
  }
  g.PlaySound("paper1.wav", false);
  g.PrintLine("Oh no you know my name OK. you can go past but don't make a mess");
  g.RemoveCharacter(Baddie::Dragon);
  g.PrintLine("then he flies off");
  g.ShowRoom(false);
}

}  // namespace

void Game::Examine() {
  if (RefuseNouns(NeedNoCharacter | NeedBothNouns)) return;

  if (FirstNounClass == WcUnreal) {
    switch (FirstNoun) {
      case Scenery::Door: Read(); return;  // a door is examined by reading it
      case Scenery::Myself: SmellMyself(*this); return;
      case Scenery::Grass: SearchGrass(*this); return;
      case Scenery::Hair: LookAtHair(*this); return;
      case Scenery::Snow: SearchSnow(*this); return;
      case Scenery::Wall: LookAtWall(*this); return;
      case Scenery::Picture: LookBehindPicture(*this); return;
      case Scenery::Powder: SearchPowder(*this); return;
      case Scenery::Dust: BlowDust(*this); return;
      case Scenery::SpellSection:
      case Scenery::JokeSection:
      case Scenery::Eye:
      case Scenery::Water:
      case Scenery::Pool:
      case Scenery::Hole: PrintLine("It's just " + WordLists.Unreals[FirstNoun].Name); return;
      case Scenery::FuelTank: LookAtTank(*this); return;
      case Scenery::Tree: LookAtTree(*this); return;
      default: return;
    }
  }

  if (FirstNounClass != WcObject || RefuseNouns(NeedAtHand)) return;
  const int o = FirstNoun;
  switch (o) {
    case Obj::Map: StudyMap(*this); return;
    case Obj::Apple: LookAtApple(*this); return;
    case Obj::Candle: PrintLine(Obj(Obj::Candle).State == 1 ? "the candle is lit" : "It's just a candle"); return;
    case Obj::FlameThrower: LookAtFlameThrower(*this); return;
    default:
      if (!Say(*this, Descriptions, o)) PrintLine("It's just a " + ObjectPhrase(o));
      return;
  }
}

void Game::Read() {
  if (RefuseNouns(NeedNoCharacter)) return;

  if (FirstNounClass == WcUnreal) {
    switch (FirstNoun) {
      case Scenery::Door: ReadDoor(*this); return;
      case Scenery::SpellSection:
      case Scenery::JokeSection:
        if (!IsCarried(Obj::Book))
          ParseError = ParseErr::NotCarried;
        else if (FirstNoun == Scenery::SpellSection)
          CastPassageSpell(*this);
        else
          TellJoke(*this);
        return;
      default: return;
    }
  }

  if (FirstNounClass != WcObject || RefuseNouns(NeedAtHand)) return;
  const int o = FirstNoun;
  if (!IsCarried(o)) {
    // Of the things lying about, only the sign can be read where it stands.
    if (o == Obj::Sign)
      PrintLine("the sign reads :\"RAM DOORS\"");
    else
      ParseError = ParseErr::NotCarried;
    return;
  }
  switch (o) {
    case Obj::Book: PrintLine("It's a big book, maybe you should only read some of it"); return;
    case Obj::Map: Examine(); return;
    case Obj::Note: ReadNote(*this); return;
    default: PrintLine("You can't read that"); return;
  }
}

}  // namespace glim
