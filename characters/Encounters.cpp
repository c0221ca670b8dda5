// What the characters present do each time their room is shown. Every
// behaviour looks at the world as it is now, so showing the room again after a
// change lets the character react to the new state, not repeat the old one.
#include "world/Game.h"

namespace glim {

namespace {

void Caveman(Game& g) {
  TBaddieRec& me = g.Baddie(Baddie::Caveman);
  if (me.BlockCode == 0) {
    g.PlaySound("lowsnore.wav", true);
    g.PrintLine("ZZZZZZZZZZ");
  } else if (g.ObjectIsHere(Obj::Slug)) {
    g.PlaySound("eat.wav", false);
    g.PrintLine("Mmmmm, slurp, slurp!");
    g.PrintLine("The caveman grabs the slug and swallows it whole, smacking his lips,");
    g.PrintLine("then he yawns, lies down on the floor and falls fast asleep.");
    me.BlockCode = 0;
    me.Lying = 1;
    g.RemoveObject(Obj::Slug);
  } else {
    g.PrintLine("Ugg! Me hungry! Me want food, or me eat little wizard!");
  }
}

void Guard(Game& g) {
  TBaddieRec& me = g.Baddie(Baddie::Guard);
  if (me.Lying == 1) {
    g.PrintLine("Nothing, he is dead!!!");
  } else if (!g.IsCarried(Obj::Apple) && !g.ObjectIsHere(Obj::Apple)) {
    g.PrintLine("None shall pass!");
  } else if (g.IsCarried(Obj::Apple)) {
    g.PrintLine("that is a lovely juicy apple you have there, just what a hungry guard needs.");
  } else if (g.Obj(Obj::Apple).State == 1) {
    g.PlaySound("eat.wav", false);
    g.PrintLine("Ooooh, my stomach...");
    g.PrintLine("The guard gobbles up the poisoned apple and drops down dead on the spot.");
    me.Lying = 1;
    me.BlockCode = 0;
    g.RemoveObject(Obj::Apple);
    g.ShowRoom(false);
  } else {
    g.PrintLine("thanks, now get lost!");
    // Where the apple went, so that it can be found again.
    g.PrintLine("He takes one bite and flings the rest away over the trees, towards the sunny glade.");
    g.SetObjectLocation(Obj::Apple, Room::SunnyGlade);
  }
}

void Darkness(Game& g) {
  if (g.Obj(Obj::Candle).State != 1) {
    g.PrintLine(" Nothing");
    g.PrintLine("you cant see a thing in here");
  } else if (!g.IsCarried(Obj::Candle)) {
    g.PrintLine("nothing, but perhaps you left something behind that could light the way?");
  } else {
    g.PrintLine("nothing, for darkness cannot speak. But it shrinks from your candle's little flame.");
    g.PrintLine("You find an old torch on the wall and light it from the candle.");
    g.RemoveCharacter(Baddie::Darkness);
    g.ShowRoom(false);
  }
}

void Vampire(Game& g) {
  if (g.ObjectIsHere(Obj::Garlic)) {
    g.RemoveCharacter(Baddie::Vampire);
    g.PrintLine("Aaargh! Garlic!");
    g.PrintLine("The vampire catches sight of the garlic and takes to his heels,");
    g.PrintLine("racing past you in a panic, east and then north, and out of sight.");
    g.Doors[Door::Crypt].State = DoorOpen;
  } else {
    g.PrintLine("I vant to drink your blood, little wizard!");
  }
}

void Crowd(Game& g) {
  g.PlaySound("crowd.wav", true);
  g.PrintLine("we shall get you, stranger!");
  g.PrintLine("and they start running after you, waving pitchforks and cabbages.");
  g.PrintLine("If I were you I would RUN, and not stop till the cliffs!");
  g.Rooms[Room::MarketSquare].North = Room::MarketLane;
  g.SetEventT(true, 20000);
}

void God(Game& g) {
  g.PrintLine("mortal, you who have dared to come to this high place,");
  g.PrintLine("you must show your fidelity before you may leave,");
  g.PrintLine("for the truth will out.");
}

void Dragon(Game& g) {
  if (g.PlayerDirty) {
    g.PrintLine("phwoar, what is that terrible smell? Is it you?");
    g.PrintLine("");
    g.PrintLine("The dragon takes a deep breath and burns you to a cinder.");
    g.PlaySound("FryBeast.wav", false);
    g.DieAfterPause(2);
  } else {
    g.PrintLine("go away, little wizard, I am busy polishing my scales.");
  }
}

void Dog(Game& g) {
  TBaddieRec& me = g.Baddie(Baddie::Dog);
  if (!g.ObjectIsHere(Obj::Bone)) {
    g.PlaySound("dogrowl.wav", true);
    g.PrintLine(" Grrrrrrrrr");
    return;
  }
  // The dog has its bone: a growl that is still playing ends for good.
  g.SetRepeatSound(false);
  if (me.BlockCode != 0) {
    g.PrintLine("Mmmmmmm");
    g.PrintLine("The dog settles down happily to gnaw on the bone");
    g.PrintLine("that you dropped.");
    g.PrintLine("You notice something shiny laying on the floor");
    g.PutObjectHere(Obj::ShinyThing, true);
    me.BlockCode = 0;
    g.ShowRoom(false);
  } else {
    g.PrintLine("Mmmmmmm");
    g.PrintLine("as it lies in the corner chewing on the large bone.");
    if (g.ObjectIsHere(Obj::ShinyThing)) g.PrintLine("You notice something shiny laying on the floor");
  }
}

void Trolls(Game& g) {
  if (g.TrollsScared) {
    g.PlaySound("camera.wav", false);
    g.PrintLine("aaah, not the magic light box! Run for it!");
    g.PrintLine(g.PlayerWarm ? "And keep that coat on, it's freezing outside!"
                             : "And put a coat on, it's freezing outside!");
    g.RemoveCharacter(Baddie::Trolls);
    g.ShowRoom(false);
  } else {
    g.PrintLine("we will eat the human for supper,");
    g.PrintLine("and chew on its bones for pudding!");
  }
}

void FrostBeast(Game& g) {
  g.PlaySound("beast.wav", false);
  g.PrintLine("nothing but strikes out at you with its claws");
}

void SecondGuard(Game& g) {
  if (g.ObjectIsHere(Obj::Lolly)) {
    g.PrintLine("wow thanks right you can go past now");
    g.PlaySound("eat.wav", false);
    g.RemoveCharacter(Baddie::SecondGuard);
    g.RemoveObject(Obj::Lolly);
  } else if (g.Obj(Obj::Lolly).Location != Room::SweetShop) {
    g.PrintLine("GO AWAY you can't go past here");
  } else {
    // The lolly still waits in the sweet shop: the porter says what he
    // wants rather than nothing at all.
    g.PrintLine("nobody gets past me. Not unless they bring me something sweet, that is.");
  }
}

void Demon(Game& g) {
  g.PrintLine("nothing and attacks you");
  if (g.IsCarried(Obj::Statue)) {
    g.PrintLine("You have the means to defeat him, but not with your own strenth");
  } else {
    g.PrintLine("There is nothing you can do, and he rips you apart.");
    g.PlayerDies();
  }
}

void Keeper(Game& g) {
  g.PrintLine("do you dare to face me, puny apprentice?");
  g.PrintLine("Then prepare to die!");
}

}  // namespace

void Game::BaddieAction(int k) {
  if (k < 1 || k > BaddieCount || k > MaxBaddies) return;
  SpeakerLine(k);
  switch (k) {
    case Baddie::Caveman: Caveman(*this); break;
    case Baddie::Guard: Guard(*this); break;
    case Baddie::Wally: PrintLine("I am a wally, mumble mumble, just a wally."); break;
    case Baddie::Darkness: Darkness(*this); break;
    case Baddie::Vampire: Vampire(*this); break;
    case Baddie::Woman: WomanActs(); break;
    case Baddie::Visitor: PrintLine("in prep"); break;
    case Baddie::Crowd: Crowd(*this); break;
    case Baddie::God: God(*this); break;
    case Baddie::SadGuard: PrintLine("Boo Hoo!"); break;
    case Baddie::Dragon: Dragon(*this); break;
    case Baddie::Dog: Dog(*this); break;
    case Baddie::Trolls: Trolls(*this); break;
    case Baddie::Beggar: BeggarActs(); break;
    case Baddie::OldMan: OldManActs(); break;
    case Baddie::Riddler: RiddlerActs(); break;
    case Baddie::FrostBeast: FrostBeast(*this); break;
    case Baddie::SecondGuard: SecondGuard(*this); break;
    case Baddie::RingOwner: RingOwnerActs(); break;
    case Baddie::Ghost: GhostActs(); break;
    case Baddie::Demon: Demon(*this); break;
    case Baddie::Keeper: Keeper(*this); break;
    case Baddie::Cat: CatActs(); break;
    default: break;
  }
}

void Game::SpeakerLine(int k) {
  if (k < 1 || k > MaxBaddies) return;
  switch (Baddie(k).Pronoun) {
    case 0: PrintLine("He says "); break;
    case 1: PrintLine("She says "); break;
    case 2: PrintLine("They say "); break;
    case 3: PrintLine("It says "); break;
    default: break;
  }
}

}  // namespace glim
