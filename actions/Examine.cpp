// Examining, searching and reading: looking closely at things, rummaging
// through the scenery, and reading books, doors, signs and notes. Several of
// these turn up hidden things or open hidden ways.
#include "world/Game.h"

namespace glim {

namespace {

constexpr int CatCharacter = 23;

}  // namespace

void Game::Examine() {
  if (NounClassIs(WcBaddie)) {
    ParseError = ParseErr::NotRecommended;
    return;
  }

  if (FirstNounClass == WcUnreal) {
    switch (FirstNoun) {
      case 1: Read(); return;  // a door is examined by reading it
      case 4:
        if (PlayerDirty) {
          PrintLine("You don't half hum");
          PrintLine("you should get a wash");
          PrintLine("Some of the cave folk round here have very delicate noses,");
          PrintLine("and they may turn nasty if they get a whiff of you.");
        } else {
          PrintLine("You smell like a fresh clean human being");
        }
        return;
      case 5:
        if (CurrentRoom != 36) {
          PrintLine("You don't find anything special");
        } else if (!ObjectIsHere(13) && !IsCarried(13)) {
          PrintLine("You get down on your knees and rummage through the long grass,");
          PrintLine("and your fingers close on something small, round and glassy: a marble!");
          PutObjectHere(13, true);
          RemoveCharacter(CatCharacter);
          ShowRoom(false);
        } else {
          PrintLine("you find nothing else here");
        }
        return;
      case 7:
        if (CurrentRoom == 65) {
          PrintLine("Looking closer, you see that a slender hair pin holds back the woman's hair;");
          PrintLine("it could be used as a lockpick");
          PutObjectHere(19, true);
          ShowRoom(false);
        } else {
          ParseError = ParseErr::NotRecommended;
        }
        return;
      case 8:
        if (CurrentRoom == 106) {
          if (IsNowhere(28)) {
            PrintLine("you rummage through the snow and discover a ring");
            PutObjectHere(28, true);
            RemoveCharacter(CatCharacter);
            ShowRoom(false);
          } else {
            PrintLine("it's cold and wet");
          }
        } else if (CurrentRoom >= 60 && CurrentRoom <= 119) {
          PrintLine("there is no snow here");
        }
        return;
      case 11:
        if (CurrentRoom == 87) {
          PrintLine("You look closely at the wall and notice a thin crack running round");
          PrintLine("a hidden doorway, which swings open to the east at your touch.");
          Rooms[87].East = 88;
          ShowRoom(false);
        } else {
          PrintLine("It's just a wall");
        }
        return;
      case 12:
        if (CurrentRoom == 149) {
          PrintLine("You lift the picture away from the wall, and behind it");
          PrintLine("you find a narrow passage leading west.");
          Rooms[149].West = 148;
          ShowRoom(false);
        } else {
          PrintLine("What picture?");
        }
        return;
      case 13:
        if (CurrentRoom == 178 && IsNowhere(38)) {
          PrintLine("Amidst the powder you discover a rather special key");
          PutObjectHere(38, true);
          ShowRoom(false);
        } else {
          PrintLine("Its diomond dust!!, so fine you cannot pick it up");
        }
        return;
      case 14:
        if (CurrentRoom == 148) {
          PrintLine("You blow away the dust and find a message scratched underneath, which reads:");
          PrintLine("Make sure you can get back down");
        } else {
          PrintLine("Sorry, there is no dust here");
        }
        return;
      case 2:
      case 3:
      case 6:
      case 9:
      case 10:
      case 15: PrintLine("It's just " + WordLists.Unreals[FirstNoun].Name); return;
      default: return;  // the sky and the fuel tank hold nothing to find
    }
  }

  if (FirstNounClass != WcObject) return;
  const int o = FirstNoun;
  if (!ObjectIsHere(o) && !IsCarried(o)) {
    ParseError = ParseErr::FirstNotHere;
    return;
  }
  switch (o) {
    case 1:
      PrintLine("The book is in two parts, by the look of the well-thumbed pages:");
      PrintLine("A joke section and a spell section");
      break;
    case 2:
      PlaySound("Paper1.wav", false);
      if (CurrentRoom == 72) {
        PrintLine("You turn the map round twice and suddenly recognise the lie of the land.");
        PrintLine("Following it, you head to the edge of the forest, where the trees thin out");
        PrintLine("and a great mountain rises against the sky to the west.");
        Rooms[72].West = 73;
        RemoveCharacter(CatCharacter);
        ShowRoom(false);
      } else {
        PrintLine("The map shows a winding trail leading through a forest,");
        PrintLine("but nothing around here looks like any part of it.");
      }
      break;
    case 3: PrintLine("It's beautiful, and would make a nice present for a lady."); break;
    case 4: PrintLine("It might be more useful if it were cleaned up a bit."); break;
    case 5:
      PrintLine("A fat, glistening, wriggling slug.");
      PrintLine("Only a Neanderthal would think of biting into that,");
      PrintLine("and even he would want some salt.");
      break;
    case 6:
      PrintLine("It's very thin oil, hardly thicker than water;");
      PrintLine("the sort wizards use for cleaning their tools.");
      break;
    case 7:
      PrintLine("A small statue of a winged angel,");
      PrintLine("holding a sword high above its head.");
      break;
    case 8:
      if (Obj(8).State == 1) {
        PrintLine("The Apple is poisoned");
        PrintLine("I wouldn't recomend eating it");
      } else {
        PrintLine("A shiny red apple, polished until it gleams.");
        PrintLine("It looks very tasty.");
      }
      break;
    case 9:
      PrintLine("A deadly poison, almost without taste or smell.");
      PrintLine("The label says a single drop kills in seconds.");
      PrintLine("Just the thing for a wicked stepmother,");
      PrintLine("if you happened to know one.");
      break;
    case 10: PrintLine(Obj(10).State == 1 ? "the candle is lit" : "It's just a candle"); break;
    case 11:
      PrintLine("An expensive instant camera, with a flash");
      PrintLine("bright enough to startle anything that lives in the dark.");
      break;
    case 12:
    case 22:
      PrintLine("Engraved along one edge of the amulet are the words:");
      PrintLine("\"Together, but yet apart we can be paper\"");
      break;
    case 13: PrintLine("The marble is magic, and can help a wizard who has lost his way."); break;
    case 14: PrintLine("It's short and thin, almost like an arrow."); break;
    case 16:
      PrintLine("A fair hand has written just one word:");
      PrintLine("GIORMOTH");
      break;
    case 18:
      PrintLine("Words are engraved around its rim:");
      PrintLine("\"I am the key to the mountains\"");
      break;
    case 20:
      PrintLine("You hold the orb to your ear, and a small voice says: \"I fear nothing.");
      PrintLine("I speak only the truth, and what is asked of me I answer truly.");
      PrintLine("Use me when you must give a true answer.\"");
      break;
    case 23: PrintLine("It looks strong enough to bear your weight, if you don't eat too much."); break;
    case 26: PrintLine("A thick fur coat that keeps one warm in any weather."); break;
    case 28:
      PrintLine("A diamond ring of great value.");
      PrintLine("Inside the band the name \"Anieron\" is engraved.");
      break;
    case 29:
      PrintLine("Just the thing to get clean with.");
      PrintLine("You stink");
      break;
    case 30: PrintLine("It's a sign try reading it"); break;
    case 31: PrintLine("A pair of enormous woolly long johns, with a flap at the back for emergencies."); break;
    case 32:
      switch (Obj(32).State) {
        case 0: PrintLine("The fuel tank is empty"); break;
        case 1: PrintLine("It's fueled up, ready to light"); break;
        case 2: PrintLine("It's lit. Be careful that quite a weapon!"); break;
        default: break;
      }
      break;
    case 33: PrintLine("A huge striped lolly, good enough to turn the head of the most stubborn."); break;
    case 34: PrintLine("There is something inside"); break;
    case 37: PrintLine("it's quite an impressive sword!"); break;
    case 40: PrintLine("the long staff is covered with runes"); break;
    case 43: PrintLine("Deep inside the block you can make out something shiny."); break;
    default: PrintLine("It's just a " + ObjectPhrase(o)); break;
  }
}

void Game::Read() {
  if (FirstNounClass == WcBaddie) {
    ParseError = ParseErr::NotRecommended;
    return;
  }

  if (FirstNounClass == WcUnreal) {
    switch (FirstNoun) {
      case 2:
      case 3:
        if (!IsCarried(1)) {
          ParseError = ParseErr::NotCarried;
        } else if (FirstNoun == 2) {
          if (CurrentRoom == 15) {
            PrintLine("You find a passage spell and read it aloud, carefully, in your best voice.");
            PrintLine("A blue mist fills the air and the laughing face of the old tree");
            PrintLine("twists and stretches until its mouth is a great hole,");
            PrintLine("through which you can see the path into the wood.");
            Rooms[15].North = 20;
            ShowRoom(false);
          } else {
            PrintLine("the ground rumbles for a few seconds then stops");
          }
        } else if (CurrentRoom == 77) {
          PrintLine("ahh,ahh,ahh,aah");
          PrintLine("The sad guard splutters, then roars with laughter until he has to hold his sides.");
          PrintLine("\"Best one I've heard in years!\" he wheezes, and waves you past,");
          PrintLine("dropping a special present for you as he staggers off, still chuckling.");
          RemoveCharacter(10);
          PutObjectHere(21, true);
          ShowRoom(false);
        } else {
          PrintLine("You read: why did the wizard's apprentice cross the road?");
          PrintLine("Because his master had turned the chicken into a newt.");
        }
        return;
      case 1:
        switch (CurrentRoom) {
          case 32:
            PrintLine("The door is battered and splintered, as if something heavy");
            PrintLine("has been thrown against it again and again.");
            PrintLine("Dark red stains run down the wood,");
            PrintLine("and a putrid smell seeps out from under it.");
            break;
          case 39:
            PrintLine("The door shows a picture of a mans face");
            PrintLine("whose left-eye is a black hole");
            PrintLine("Above the door is written: \"1066\"");
            break;
          case 78: PrintLine("There is a round hole carved into the rock"); break;
          case 191:
            PrintLine("You read: ");
            PrintLine("this door leads to certain death");
            break;
          case 192:
          case 193:
          case 194:
            PrintLine("on the door is written:");
            PrintLine("This is the way");
            break;
          default:
            // No inscription: say what the door the player last tried is
            // like, or that there is none.
            if (!CheckDoor(LastDirection)) PrintLine("You are not facing a door, or there is no door here");
            break;
        }
        return;
      default: return;
    }
  }

  if (FirstNounClass != WcObject) return;
  const int o = FirstNoun;
  if (!ObjectIsHere(o) && !IsCarried(o)) {
    ParseError = ParseErr::FirstNotHere;
    return;
  }
  if (IsCarried(o)) {
    switch (o) {
      case 1: PrintLine("It's a big book, maybe you should only read some of it"); break;
      case 2: Examine(); break;
      case 16:
        if (CurrentRoom == 80) {
          PlaySound("paper1.wav", false);
          PrintLine("Oh no you know my name OK. you can go past but don't make a mess");
          RemoveCharacter(11);
          PrintLine("then he flies off");
          ShowRoom(false);
        } else {
          PrintLine("nothing happens");
        }
        break;
      default: PrintLine("You can't read that"); break;
    }
    return;
  }
  if (o == 30)
    PrintLine("the sign reads :\"RAM DOORS\"");
  else
    ParseError = ParseErr::NotCarried;
}

}  // namespace glim
