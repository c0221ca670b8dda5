// Talking to characters, bribes and calling the cat.
//
// Talking gives a fixed answer by the character, the room and what the player
// carries. Asking about something is where the hints live: only the cat knows
// about the other characters and the objects, the ghost knows about the cat,
// and everybody has the same few words about the scenery.
#include <string>

#include "world/Game.h"

namespace glim {

namespace {

bool AtHand(Game& g, int o) { return g.ObjectIsHere(o) || g.IsCarried(o); }

// The guards' lament; the second guard has his own first line for it.
void GuardsLament(Game& g) {
  g.PrintLine("My only satisfaction in life is stopping twerps like you");
  g.PrintLine("from getting past.");
}

// The answer to being spoken to, by the character's number.
void PlainAnswer(Game& g, int k) {
  const int32_t room = g.CurrentRoom;
  switch (k) {
    case 1:
      if (g.Baddie(1).Lying != 0)
        g.PrintLine("nothing, he is fast asleep.");
      else
        g.PrintLine("Feed me, me hungry!");
      return;
    case 2:
      if (g.Baddie(2).Lying == 1) {
        g.PrintLine("nothing, he is dead.");
      } else if (AtHand(g, Obj::Apple)) {
        g.PrintLine("shut up and give me a bit of that apple.");
      } else {
        g.PrintLine("I'm just a guard, standing here bored and hungry all day long.");
        GuardsLament(g);
      }
      return;
    case 3:
      g.PrintLine("I'm just a wally, me...");
      g.PrintLine("Then something odd happens: his eyes mist over and he speaks in a strange voice.");
      g.PrintLine("\"At the end of the ice cave, past the monster, lies a small castle.");
      g.PrintLine("There you will meet an old man who is more than he seems,");
      g.PrintLine("and who wants only to help you.");
      g.PrintLine("Answer his questions, for he is a friend.\"");
      return;
    case 4: g.ParseError = ParseErr::Silly; return;
    case 5:
      if (g.IsCarried(Obj::Garlic))
        g.PrintLine("nothing, but he looks very worried.");
      else
        g.PrintLine("I do not fear you, mortal. You cannot pass!");
      return;
    case 6:
      if (room == 58) {
        if (g.IsCarried(Obj::Rose)) {
          g.PrintLine("does that rose look nice? Is it for me?");
          g.PrintLine("Let us work together, I can help you with your quest.");
        } else {
          g.PrintLine("go away, you have nothing that interests me,");
          g.PrintLine("and you will not get far without my help.");
        }
      } else if (room == 62) {
        if (g.ObjectIsHere(Obj::IceBlock))
          g.PrintLine("there is something in this block of ice, perhaps it could be broken.");
        else if (g.IsCarried(Obj::IcePick))
          g.PrintLine("get rid of that ice pick, it is not needed any more.");
        else
          g.PrintLine("come on, let us get going.");
      } else if (room == 65) {
        if (AtHand(g, Obj::HairPin)) {
          g.PrintLine("when you get out, check for anything useful.");
          g.PrintLine("Then head south, but be ready to RUN.");
          g.PrintLine("To the north are steep ice cliffs, so fragile");
          g.PrintLine("that even a SHOUT might bring them down to block the passage.");
        } else {
          g.PrintLine("my head itches, I have not washed my hair for days");
          g.PrintLine("and something seems to be stuck in it.");
        }
      } else {
        g.PrintLine("when we get indoors, it is too cold out here.");
      }
      return;
    case 8: g.PrintLine("nothing and they keep coming closer. I would RUN if I were you."); return;
    case 9: g.PrintLine("I ask the questions around here, cheeky git."); return;
    case 10: g.PrintLine("what a miserable job this is. Do you know any good jokes?"); return;
    case 11:
      if (g.IsCarried(Obj::Note))
        g.PrintLine("go on then, I'm waiting.");
      else
        g.PrintLine("shut up and leave, people who don't know me are of no interest to me.");
      return;
    case 13:
      if (g.IsCarried(Obj::Camera))
        g.PrintLine("we hope that thing you are carrying is not what we think it is.");
      else
        g.PrintLine("we are not scared of you, human.");
      return;
    case 14:
      if (g.IsCarried(Obj::Gold))
        g.PrintLine("you can help me, young master, and I will help you in return.");
      else
        g.PrintLine("there is nothing I can tell you right now.");
      return;
    case 15:
      if (g.IsCarried(Obj::Gift))
        g.PrintLine("ooh, nice, give me that and follow me.");
      else
        g.PrintLine("I know a way out of here, but bring me what I need first.");
      return;
    case 16:
      g.PrintLine("if you cannot answer these simple riddles, what chance have you against the Keeper of stones?");
      return;
    case 18:
      if (g.IsCarried(Obj::Lolly)) {
        g.PrintLine("shut up and give me that lolly.");
      } else {
        g.PrintLine("you've heard it before, but here goes:");
        g.PrintLine("I'm just a guard too, as bored and as hungry as the other one.");
        GuardsLament(g);
      }
      return;
    case 19:
      if (g.IsCarried(Obj::Ring)) {
        g.PrintLine("I'm glad of your interest,");
        g.PrintLine("but I can see that you have my ring.");
      } else if (g.IsNowhere(Obj::Ring)) {
        g.PrintLine("don't bother me, I must find my ring.");
        g.PrintLine("I lost it walking on the plains before the last snowfall.");
        g.PrintLine("Can you help me?");
        g.PrintLine("If you find it, I will open a way to the West outside the castle");
        g.PrintLine("to shorten your journey.");
        g.Rooms[142].West = 105;
      } else {
        g.PrintLine("I have told you what to do, now get on with it.");
      }
      return;
    case 20:
      g.PrintLine("alas, I am only a ghost,");
      g.PrintLine("and a ghost's help is limited.");
      return;
    case Baddie::Cat:
      switch (room) {
        case 1:
          g.PrintLine("my name is Tiddlywinks Fluffbottom the Third, but you can simply call me Cat.");
          g.PrintLine("You must find the staff before the stone keeper grows more powerful.");
          g.PrintLine("Just call cat and I will come if I am not too sleepy");
          g.PrintLine("I may pop up now and again, which usually means you are in mortal peril.");
          g.PrintLine("When I am with you, ask me questions and I will help if I can.");
          return;
        case 13:
        case 14:
        case 15:
          if (AtHand(g, Obj::Book)) {
            g.PrintLine("you are a wizard and you have a spell book.");
            g.PrintLine("If you are stuck, read it.");
          } else {
            g.PrintLine("well that's it, stuck here forever.");
            g.PrintLine("If only you had brought your spell book.");
          }
          return;
        case 20:
          g.PrintLine("you are the wizard, you could cast a spell if you get stuck going north.");
          g.PrintLine("Do you know any?");
          return;
        case 32:
          g.PrintLine("that door looks dodgy to me.");
          g.PrintLine("I take no responsibility if you go through it.");
          return;
        case 36:
          g.PrintLine("don't ask me to move again, I had found a comfortable spot in the long grass");
          g.PrintLine("and now I've ended up by the path.");
          return;
        case 43:
          g.PrintLine("that pile of leaves to the south");
          g.PrintLine("looks like a trap to me.");
          return;
        case 45:
          if (g.IsCarried(Obj::Marble)) return;
          g.PrintLine("the woods to the West are enchanted");
          g.PrintLine("by the stone keeper himself.");
          g.PrintLine("A mere apprentice like you");
          g.PrintLine("will never get through them.");
          return;
        case 67:
          if (g.IsCarried(Obj::Statue)) {
            g.PrintLine("that looks useful.");
          } else {
            g.PrintLine("have you looked in the hut to the East?");
            g.PrintLine("Don't leave until you have.");
          }
          return;
        case 72:
          if (AtHand(g, Obj::Map)) {
            g.PrintLine("you are a wizard and you have a map.");
            g.PrintLine("If you are stuck, examine it.");
          } else {
            g.PrintLine("well that's it, stuck here forever.");
            g.PrintLine("If only you had brought a map.");
          }
          return;
        default:
          g.PrintLine("why ask me? I'm just a cat.");
          g.PrintLine("And with a flick of its tail it disappears.");
          g.RemoveCharacter(Baddie::Cat);
          g.ShowRoom(false);
          return;
      }
    default: g.PrintLine("nothing, and Ignores you."); return;
  }
}

// What the cat knows about the other characters.
void CatOnCharacter(Game& g, int topic) {
  switch (topic) {
    case 1: g.PrintLine("and to think people say cats will eat anything."); return;
    case 2:
    case 18: g.PrintLine("a greedy so-and-so, and grumpy with it."); return;
    case 3: g.PrintLine("there is more to him than you might think."); return;
    case 5: g.PrintLine("just your standard story-book vampire."); return;
    case 6: g.PrintLine("women always like a gift."); return;
    case 10: g.PrintLine("there's a guy who likes a laugh, try to cheer him up."); return;
    case 11:
      if (g.PlayerDirty) {
        g.PrintLine("he is the cleanest dragon I ever met,");
        g.PrintLine("and it's a shame the same can't be said of you.");
      } else {
        g.PrintLine("he'll like you.");
      }
      return;
    case 13: g.PrintLine("What can I say, of course you read that scrolly message?"); return;
    case 14: g.PrintLine("I normally don't give to beggars, but this might be an exception."); return;
    case 15: g.PrintLine("there is always one."); return;
    case 16: g.PrintLine("it's not me you should be asking."); return;
    case 19: g.PrintLine("he is a bit of a riddler."); return;
    case 20: g.PrintLine("he hides inside a sort of magical miasma."); return;
    case 21: g.PrintLine("the stone keeper's final guard. Nothing protects you from his gaze."); return;
    case 22: g.PrintLine("he is the one who killed your mentor. Revenge would be good."); return;
    default: g.PrintLine("I'm sorry apprentist, I know nothing about that character"); return;
  }
}

// What the cat knows about the objects.
void CatOnObject(Game& g, int topic) {
  const int32_t room = g.CurrentRoom;
  auto notNeeded = [&g] { g.PrintLine("it's not needed any more."); };
  switch (topic) {
    case Obj::Book:
      if (room > 77)
        notNeeded();
      else
        g.PrintLine("have you read it?");
      return;
    case Obj::Map:
      if (room < 72) {
        g.PrintLine("you won't need the map for a while.");
        g.PrintLine("It could be useful in the third woodland you enter.");
        g.PrintLine("Have you been counting?");
      } else if (room == 72) {
        if (AtHand(g, Obj::Map))
          g.PrintLine("that looks like a way out of here.");
        else
          g.PrintLine("if only you had a map.");
      } else {
        notNeeded();
      }
      return;
    case 4:
      g.PrintLine("what use is a rusty key?");
      g.PrintLine("It might open a couple of doors around here.");
      return;
    case 5: g.PrintLine("a snail without a shell, yum."); return;
    case 7:
    case 12:
    case 18:
    case 22: g.PrintLine("if you have it, hang on to it."); return;
    case 10:
      if (room <= 85)
        g.PrintLine("in a dark place you will need it.");
      else
        notNeeded();
      return;
    case Obj::Camera:
      if (g.CharacterIsIn(13, 96))
        g.PrintLine("What can I say, of course you read that scrolly message?");
      else
        g.PrintLine("the trolls have gone, it's not needed now.");
      return;
    case 14: g.PrintLine("it looks more like an arrow to me."); return;
    case Obj::Note:
      if (g.CharacterIsIn(11, 80))
        g.PrintLine("if you have it, hang onto it.");
      else
        g.PrintLine("it's not needed now.");
      return;
    case 20: g.PrintLine("well, that is the question."); return;
    case 23: g.PrintLine("useful, place it where there is a gap to cross."); return;
    case 24: g.PrintLine("place it where it is of most use."); return;
    case 26: g.PrintLine("a fur coat is only needed outside, it is bitter in some regions."); return;
    case 29:
      if (g.PlayerDirty)
        g.PrintLine("you certainly need that.");
      else
        g.PrintLine("what use is that now?");
      return;
    case 30: g.PrintLine("read signs, don't cart them around."); return;
    case 32:
      if (g.CharacterIsIn(17, 129))
        g.PrintLine("a handy weapon.");
      else
        g.PrintLine("it's not needed now.");
      return;
    case 42:
      g.PrintLine("when you are sneaking around a strange palace,");
      g.PrintLine("don't attract attention by turning on the lights.");
      return;
    case 45:
      g.PrintLine("it won't hide you from the demon,");
      g.PrintLine("but the stone keeper will hardly see through it.");
      return;
    default:
      g.PrintLine("I don't think I can help you much with that,");
      g.PrintLine("try examining it!");
      return;
  }
}

// What everybody says about the scenery.
void OnScenery(Game& g, int topic) {
  switch (topic) {
    case 1:
      g.PrintLine("have you got a key? It might be open.");
      g.PrintLine("Is it safe?");
      return;
    case 9:
    case 10:
      if (g.CurrentRoom == 75 && g.PlayerDirty)
        g.PrintLine("ask yourself what that might be useful for, smelly.");
      else if (g.CurrentRoom == 75)
        g.PrintLine("pretty, isn't it?");
      else
        g.PrintLine("I don't much like water.");
      return;
    case 16: g.PrintLine("is it something you think you can use?"); return;
    default: g.PrintLine("I don't think I can help you much with that."); return;
  }
}

void TopicAnswer(Game& g, int speaker) {
  const int topic = g.SecondNoun;
  switch (g.SecondNounClass) {
    case WcBaddie:
      if (speaker == Baddie::Cat) {
        CatOnCharacter(g, topic);
      } else if (speaker == Baddie::Ghost) {
        if (topic == Baddie::Cat)
          g.PrintLine("ah, the cat. I remember that cat fondly.");
        else
          g.PrintLine("How would I know, ask your cat");
      }
      return;
    case WcObject:
      if (speaker == Baddie::Cat) {
        CatOnObject(g, topic);
      } else {
        g.PrintLine("If everyone you met gave you advice,");
        g.PrintLine("life would be too easy, try examining it!");
      }
      return;
    default: OnScenery(g, topic); return;
  }
}

}  // namespace

void Game::TalkTo() {
  if (FirstNounClass == WcObject) {
    if (FirstNoun < 1 || FirstNoun > MaxObjects) return;
    if (ObjectIsHere(FirstNoun) || IsCarried(FirstNoun))
      PrintLine("That won't tell you anything");
    else
      PrintLine("There is no " + ObjectPhrase(FirstNoun) + " here");
    return;
  }
  if (FirstNounClass != WcBaddie || FirstNoun < 1 || FirstNoun > MaxBaddies) return;
  const int k = FirstNoun;
  if (!CharacterIsHere(k)) {
    PrintLine("That character is not here !");
    return;
  }
  PrintLine(BaddiePhrase(k) + " Say's ");
  // A sentence that names nobody but the one spoken to ("talk to cat",
  // "speak with the woman") gets the plain answer whatever little word stands
  // before the name: the topic fields then still hold an older command's noun.
  if (AdverbNumber == 0 || SentenceNounCount() < 2)
    PlainAnswer(*this, k);
  else if (AdverbNumber == Adverb::About)
    TopicAnswer(*this, k);
}

void Game::Bribe() {
  if (FirstNounClass != WcBaddie || FirstNoun < 1 || FirstNoun > MaxBaddies) {
    ParseError = ParseErr::Silly;
  } else if (!CharacterIsHere(FirstNoun)) {
    PrintLine("They're not here");
  } else if (AdverbNumber == Adverb::With) {
    PrintLine("He can't be Bribed");
  } else {
    ParseError = ParseErr::BeMoreSpecific;
  }
}

void Game::CallCat() {
  SetCharacterLocation(Baddie::Cat, CurrentRoom);
  const int32_t deaths = DeathCount;
  ShowRoom(false);
  // A death while the room was shown has started a new game: the cat's
  // answer belonged to the old one.
  if (DeathCount != deaths) return;
  switch (CurrentRoom) {
    case 1:
      PrintLine("I'm right here, there's no need to shout.");
      PrintLine("I was trying to get some sleep.");
      return;
    case 13:
    case 14:
    case 15:
      if (IsCarried(Obj::Book)) {
        PrintLine("why call me? You have everything you need to get out of here.");
        PrintLine("Now, back to sleep.");
      } else {
        PrintLine("call yourself a wizard? Where is your spell book?");
        PrintLine("Now you're stuck here forever.");
      }
      return;
    default: PrintLine("I'm here."); return;
  }
}

}  // namespace glim
