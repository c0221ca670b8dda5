// Talking to characters, bribes and calling the cat.
//
// Talking gives a fixed answer by the character, the room and what the player
// carries. Asking about something is where the hints live: only the cat knows
// about the other characters and the objects, the ghost knows about the cat,
// and everybody has the same few words about the scenery.
#include <string>

#include "world/Game.h"
#include "world/Sayings.h"

namespace glim {

namespace {

bool AtHand(Game& g, int o) { return g.ObjectIsHere(o) || g.IsCarried(o); }

bool InOrchard(int32_t room) { return room >= Room::Orchard && room <= Room::LaughingTree; }

// ----- the plain answer to being spoken to -----

// The characters whose answer never changes.
constexpr TSaying FixedAnswers[] = {
    {Baddie::Wally,
     {"I'm just a wally, me...", "Then something odd happens: his eyes mist over and he speaks in a strange voice.",
      "\"At the end of the ice cave, past the monster, lies a small castle.",
      "There you will meet an old man who is more than he seems,", "and who wants only to help you.",
      "Answer his questions, for he is a friend.\""}},
    {Baddie::Crowd, {"nothing and they keep coming closer. I would RUN if I were you."}},
    {Baddie::God, {"I ask the questions around here, cheeky git."}},
    {Baddie::SadGuard, {"what a miserable job this is. Do you know any good jokes?"}},
    {Baddie::Riddler,
     {"if you cannot answer these simple riddles, what chance have you against the Keeper of stones?"}},
    {Baddie::Ghost, {"alas, I am only a ghost,", "and a ghost's help is limited."}},
};

// The characters whose answer turns on one object the player carries.
struct TCarryAnswer {
  int Who;
  int Object;
  const char* IfCarried;
  const char* Otherwise;
};

constexpr TCarryAnswer CarryAnswers[] = {
    {Baddie::Vampire, Obj::Garlic, "nothing, but he looks very worried.",
     "I do not fear you, mortal. You cannot pass!"},
    {Baddie::Dragon, Obj::Note, "go on then, I'm waiting.",
     "shut up and leave, people who don't know me are of no interest to me."},
    {Baddie::Trolls, Obj::Camera, "we hope that thing you are carrying is not what we think it is.",
     "we are not scared of you, human."},
    {Baddie::Beggar, Obj::Gold, "you can help me, young master, and I will help you in return.",
     "there is nothing I can tell you right now."},
    {Baddie::OldMan, Obj::Gift, "ooh, nice, give me that and follow me.",
     "I know a way out of here, but bring me what I need first."},
};

bool CarryAnswer(Game& g, int k) {
  for (const TCarryAnswer& a : CarryAnswers) {
    if (a.Who != k) continue;
    g.PrintLine(g.IsCarried(a.Object) ? a.IfCarried : a.Otherwise);
    return true;
  }
  return false;
}

// The guards' lament; the second guard has his own first line for it.
void GuardsLament(Game& g) {
  g.PrintLine("My only satisfaction in life is stopping twerps like you");
  g.PrintLine("from getting past.");
}

void CavemanAnswers(Game& g) {
  if (g.Baddie(Baddie::Caveman).Lying != 0)
    g.PrintLine("nothing, he is fast asleep.");
  else
    g.PrintLine("Feed me, me hungry!");
}

void GuardAnswers(Game& g) {
  if (g.Baddie(Baddie::Guard).Lying == 1) {
    g.PrintLine("nothing, he is dead.");
  } else if (AtHand(g, Obj::Apple)) {
    g.PrintLine("shut up and give me a bit of that apple.");
  } else {
    g.PrintLine("I'm just a guard, standing here bored and hungry all day long.");
    GuardsLament(g);
  }
}

void SecondGuardAnswers(Game& g) {
  if (g.IsCarried(Obj::Lolly)) {
    g.PrintLine("shut up and give me that lolly.");
  } else {
    g.PrintLine("you've heard it before, but here goes:");
    g.PrintLine("I'm just a guard too, as bored and as hungry as the other one.");
    GuardsLament(g);
  }
}

void WomanAnswers(Game& g) {
  const int32_t room = g.CurrentRoom;
  if (room == Room::CliffLedge) {
    if (g.IsCarried(Obj::Rose)) {
      g.PrintLine("does that rose look nice? Is it for me?");
      g.PrintLine("Let us work together, I can help you with your quest.");
    } else {
      g.PrintLine("go away, you have nothing that interests me,");
      g.PrintLine("and you will not get far without my help.");
    }
  } else if (room == Room::FrozenPond) {
    if (g.ObjectIsHere(Obj::IceBlock))
      g.PrintLine("there is something in this block of ice, perhaps it could be broken.");
    else if (g.IsCarried(Obj::IcePick))
      g.PrintLine("get rid of that ice pick, it is not needed any more.");
    else
      g.PrintLine("come on, let us get going.");
  } else if (room == Room::PrisonCell) {
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
}

void RingOwnerAnswers(Game& g) {
  if (g.IsCarried(Obj::Ring)) {
    g.PrintLine("I'm glad of your interest,");
    g.PrintLine("but I can see that you have my ring.");
  } else if (g.IsNowhere(Obj::Ring)) {
    g.PrintLine("don't bother me, I must find my ring.");
    g.PrintLine("I lost it walking on the plains before the last snowfall.");
    g.PrintLine("Can you help me?");
    g.PrintLine("If you find it, I will open a way to the West outside the castle");
    g.PrintLine("to shorten your journey.");
    g.Rooms[Room::OutsideCastle].West = Room::SnowyPlain;
  } else {
    g.PrintLine("I have told you what to do, now get on with it.");
  }
}

// What the cat says in the rooms where its answer never changes.
constexpr TSaying CatRoomAnswers[] = {
    {Room::Attic,
     {"my name is Tiddlywinks Fluffbottom the Third, but you can simply call me Cat.",
      "You must find the staff before the stone keeper grows more powerful.",
      "Just call cat and I will come if I am not too sleepy",
      "I may pop up now and again, which usually means you are in mortal peril.",
      "When I am with you, ask me questions and I will help if I can."}},
    {Room::WoodlandPath,
     {"these woods are safe enough. Beyond the graves they turn strange:",
      "do not go west into the enchanted woods without some magic to find the way out."}},
    {Room::Shack, {"that door looks dodgy to me.", "I take no responsibility if you go through it."}},
    {Room::Meadow,
     {"don't ask me to move again, I had found a comfortable spot in the long grass",
      "and now I've ended up by the path."}},
    {Room::BehindCrypt, {"that pile of leaves to the south", "looks like a trap to me."}},
};

void CatAnswers(Game& g) {
  const int32_t room = g.CurrentRoom;
  if (Say(g, CatRoomAnswers, room)) return;
  if (InOrchard(room)) {
    if (AtHand(g, Obj::Book)) {
      g.PrintLine("you are a wizard and you have a spell book.");
      g.PrintLine("If you are stuck, read it.");
    } else {
      g.PrintLine("well that's it, stuck here forever.");
      g.PrintLine("If only you had brought your spell book.");
    }
    return;
  }
  switch (room) {
    case Room::EnchantedEdge:
      if (g.IsCarried(Obj::Marble)) return;
      g.PrintLine("the woods to the West are enchanted");
      g.PrintLine("by the stone keeper himself.");
      g.PrintLine("A mere apprentice like you");
      g.PrintLine("will never get through them.");
      return;
    case Room::MarketSquare:
      if (g.IsCarried(Obj::Statue)) {
        g.PrintLine("that looks useful.");
      } else {
        g.PrintLine("have you looked in the hut to the East?");
        g.PrintLine("Don't leave until you have.");
      }
      return;
    case Room::WoodBeyondAvalanche:
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
}

// The answer to being spoken to, by the character's number.
void PlainAnswer(Game& g, int k) {
  if (Say(g, FixedAnswers, k) || CarryAnswer(g, k)) return;
  switch (k) {
    case Baddie::Caveman: CavemanAnswers(g); return;
    case Baddie::Guard: GuardAnswers(g); return;
    case Baddie::Darkness: g.ParseError = ParseErr::Silly; return;
    case Baddie::Woman: WomanAnswers(g); return;
    case Baddie::SecondGuard: SecondGuardAnswers(g); return;
    case Baddie::RingOwner: RingOwnerAnswers(g); return;
    case Baddie::Cat: CatAnswers(g); return;
    default: g.PrintLine("nothing, and Ignores you."); return;
  }
}

// ----- asking about something -----

// What the cat knows about the other characters.
constexpr TSaying CatOnCharacters[] = {
    {Baddie::Caveman, {"and to think people say cats will eat anything."}},
    {Baddie::Guard, {"a greedy so-and-so, and grumpy with it."}},
    {Baddie::SecondGuard, {"a greedy so-and-so, and grumpy with it."}},
    {Baddie::Wally, {"there is more to him than you might think."}},
    {Baddie::Vampire, {"just your standard story-book vampire."}},
    {Baddie::Woman, {"women always like a gift."}},
    {Baddie::SadGuard, {"there's a guy who likes a laugh, try to cheer him up."}},
    {Baddie::Trolls, {"What can I say, of course you read that scrolly message?"}},
    {Baddie::Beggar, {"I normally don't give to beggars, but this might be an exception."}},
    {Baddie::OldMan, {"there is always one."}},
    {Baddie::Riddler, {"it's not me you should be asking."}},
    {Baddie::RingOwner, {"he means every word he says. Look for his family's crest."}},
    {Baddie::Ghost, {"he hides inside a sort of magical miasma."}},
    {Baddie::Demon, {"the stone keeper's final guard. Nothing protects you from his gaze."}},
    {Baddie::Keeper, {"he is the one who killed your mentor. Revenge would be good."}},
};

void CatOnCharacter(Game& g, int topic) {
  if (Say(g, CatOnCharacters, topic)) return;
  if (topic != Baddie::Dragon) {
    g.PrintLine("I'm sorry apprentist, I know nothing about that character");
  } else if (g.PlayerDirty) {
    g.PrintLine("he is the cleanest dragon I ever met,");
    g.PrintLine("and it's a shame the same can't be said of you.");
  } else {
    g.PrintLine("he'll like you.");
  }
}

// What the cat knows about the objects, when that never changes.
constexpr TSaying CatOnObjects[] = {
    {Obj::RustyKey, {"what use is a rusty key?", "It might open a couple of doors around here."}},
    {Obj::Slug, {"a snail without a shell, yum."}},
    {Obj::Statue, {"if you have it, hang on to it."}},
    {Obj::AmuletNorth, {"if you have it, hang on to it."}},
    {Obj::Medallion, {"if you have it, hang on to it."}},
    {Obj::AmuletSouth, {"if you have it, hang on to it."}},
    {Obj::Spear, {"it looks more like an arrow to me."}},
    {Obj::Orb, {"the orb of truth. Keep it for someone who wants the truth from you."}},
    {Obj::Plank, {"useful, place it where there is a gap to cross. There is more than one."}},
    {Obj::MetalBar, {"place it where it is of most use."}},
    {Obj::Coat, {"a fur coat is only needed outside, it is bitter in some regions."}},
    {Obj::Sign, {"read signs, don't cart them around."}},
    {Obj::ShinyKey, {"a key that shiny fits more than one lock. Hang on to it."}},
    {Obj::Sword, {"the Stone breaker, the sword of heroes. Lord Anieron's family kept it.", "Ask him where."}},
    {Obj::LightSwitch,
     {"when you are sneaking around a strange palace,", "don't attract attention by turning on the lights."}},
    {Obj::Cape, {"it won't hide you from the demon,", "but the stone keeper will hardly see through it."}},
};

// What the cat says about an object whose use depends on where the player is.
void CatOnObject(Game& g, int topic) {
  if (Say(g, CatOnObjects, topic)) return;
  const int32_t room = g.CurrentRoom;
  auto say = [&g](bool first, const char* yes, const char* no) { g.PrintLine(first ? yes : no); };
  const char* notNeeded = "it's not needed any more.";
  switch (topic) {
    case Obj::Book: say(room > Room::TunnelMouth, notNeeded, "have you read it?"); return;
    case Obj::Map:
      if (room < Room::WoodBeyondAvalanche) {
        g.PrintLine("you won't need the map for a while.");
        g.PrintLine("It will be useful in the wood beyond the ice cliffs, far from here.");
        g.PrintLine("Keep it with you until then.");
      } else if (room == Room::WoodBeyondAvalanche) {
        say(AtHand(g, Obj::Map), "that looks like a way out of here.", "if only you had a map.");
      } else {
        g.PrintLine(notNeeded);
      }
      return;
    case Obj::Candle: say(room <= Room::SlopingTunnel, "in a dark place you will need it.", notNeeded); return;
    case Obj::Camera:
      say(g.CharacterIsIn(Baddie::Trolls, Room::TrollCave), "What can I say, of course you read that scrolly message?",
          "the trolls have gone, it's not needed now.");
      return;
    case Obj::Note:
      say(g.CharacterIsIn(Baddie::Dragon, Room::DragonCavern), "if you have it, hang onto it.", "it's not needed now.");
      return;
    case Obj::Soap: say(g.PlayerDirty, "you certainly need that.", "what use is that now?"); return;
    case Obj::FlameThrower:
      say(g.CharacterIsIn(Baddie::FrostBeast, Room::IceHall), "a handy weapon.", "it's not needed now.");
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
    case Scenery::Door:
      g.PrintLine("have you got a key? It might be open.");
      g.PrintLine("Is it safe?");
      return;
    case Scenery::Water:
    case Scenery::Pool:
      if (g.CurrentRoom == Room::Waterfall && g.PlayerDirty)
        g.PrintLine("ask yourself what that might be useful for, smelly.");
      else if (g.CurrentRoom == Room::Waterfall)
        g.PrintLine("pretty, isn't it?");
      else
        g.PrintLine("I don't much like water.");
      return;
    case Scenery::FuelTank: g.PrintLine("is it something you think you can use?"); return;
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
      } else {
        // Only the cat and the ghost talk about others; the rest say so
        // rather than leave the line hanging.
        g.PrintLine("nothing about that. Your cat knows everybody: ask the cat.");
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
      PrintLine("There is no " + Obj(FirstNoun).Name + " here");
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
  else
    PrintLine("nothing, and Ignores you.");  // a sentence the character makes no sense of
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
  if (CurrentRoom == Room::Attic) {
    PrintLine("I'm right here, there's no need to shout.");
    PrintLine("I was trying to get some sleep.");
  } else if (!InOrchard(CurrentRoom)) {
    PrintLine("I'm here.");
  } else if (IsCarried(Obj::Book)) {
    PrintLine("why call me? You have everything you need to get out of here.");
    PrintLine("Now, back to sleep.");
  } else {
    PrintLine("call yourself a wizard? Where is your spell book?");
    PrintLine("Now you're stuck here forever.");
  }
}

}  // namespace glim
