// The fixed numbers the game logic knows things by, each named once.
//
// The data files number their entries; the rules of the game are written
// against those numbers: an object, a character, a scenery word, a verb, an
// adverb, a door or a room. The names below say what each number is for, so
// that a rule reads `IsCarried(Obj::Map)` and a data file that reorders its
// entries is caught by the world checker, which checks the same names. All
// numbers are 1-based, like the tables they index.
//
// Lists of rooms that only share one property (the rooms with birdsong, the
// rooms that clear the message panel) stay lists of numbers where they are
// used: they are data, not names.
#pragma once

#include <cstdint>
#include <string>

namespace glim {

// The objects of the Objects table.
namespace Obj {
constexpr int Book = 1;  // the spell book with its two sections
constexpr int Map = 2;
constexpr int Rose = 3;
constexpr int RustyKey = 4;
constexpr int Slug = 5;
constexpr int Oil = 6;
constexpr int Statue = 7;
constexpr int Apple = 8;
constexpr int Poison = 9;
constexpr int Candle = 10;
constexpr int Camera = 11;
constexpr int AmuletNorth = 12;  // the amulet half that must lie north of the Keeper
constexpr int Marble = 13;
constexpr int Spear = 14;
constexpr int Garlic = 15;
constexpr int Note = 16;  // the note with the dragon's name
constexpr int IcePick = 17;
constexpr int Medallion = 18;
constexpr int HairPin = 19;
constexpr int Orb = 20;
constexpr int Bone = 21;
constexpr int AmuletSouth = 22;  // the amulet half that must lie south of the Keeper
constexpr int Plank = 23;
constexpr int MetalBar = 24;
constexpr int ShinyThing = 25;  // what the dog was lying on
constexpr int Coat = 26;
constexpr int Gold = 27;
constexpr int Ring = 28;
constexpr int Soap = 29;
constexpr int Sign = 30;
constexpr int Gift = 31;  // what the dirty old man wants
constexpr int FlameThrower = 32;
constexpr int Lolly = 33;
constexpr int Box = 34;
constexpr int Rope = 35;
constexpr int Feather = 36;  // named by no rule
constexpr int Sword = 37;
constexpr int SpecialKey = 38;   // found in the diamond powder
constexpr int StickingKey = 39;  // jams in its lock once turned
constexpr int Staff = 40;
constexpr int ShinyKey = 41;
constexpr int LightSwitch = 42;
constexpr int IceBlock = 43;
constexpr int Matches = 44;
constexpr int Cape = 45;
}  // namespace Obj

// The characters of the Baddies table.
namespace Baddie {
constexpr int Caveman = 1;
constexpr int Guard = 2;
constexpr int Wally = 3;
constexpr int Darkness = 4;
constexpr int Vampire = 5;
constexpr int Woman = 6;    // the companion
constexpr int Visitor = 7;  // has no part in the story
constexpr int Crowd = 8;
constexpr int God = 9;
constexpr int SadGuard = 10;
constexpr int Dragon = 11;
constexpr int Dog = 12;
constexpr int Trolls = 13;
constexpr int Beggar = 14;
constexpr int OldMan = 15;
constexpr int Riddler = 16;
constexpr int FrostBeast = 17;
constexpr int SecondGuard = 18;
constexpr int RingOwner = 19;
constexpr int Ghost = 20;
constexpr int Demon = 21;
constexpr int Keeper = 22;
constexpr int Cat = 23;
}  // namespace Baddie

// The scenery words of the Unreals table.
namespace Scenery {
constexpr int Door = 1;
constexpr int SpellSection = 2;  // of the book
constexpr int JokeSection = 3;   // of the book
constexpr int Myself = 4;        // the player
constexpr int Grass = 5;
constexpr int Eye = 6;   // the left eye of the face door
constexpr int Hair = 7;  // the woman's
constexpr int Snow = 8;
constexpr int Water = 9;
constexpr int Pool = 10;
constexpr int Wall = 11;
constexpr int Picture = 12;
constexpr int Powder = 13;
constexpr int Dust = 14;
constexpr int Hole = 15;  // the round hole in the rock face
constexpr int FuelTank = 16;
constexpr int Tree = 17;  // the trees of the woods, the laughing tree above all
}  // namespace Scenery

// The verbs of the Verbs table. Verbs up to Help are command words, acted on
// only alone; the others are action verbs, several to an action.
namespace Verb {
constexpr int North = 1;
constexpr int South = 2;
constexpr int East = 3;
constexpr int West = 4;
constexpr int Up = 5;
constexpr int Down = 6;
constexpr int Look = 7;
constexpr int Quit = 8;
constexpr int Inventory = 9;
constexpr int Help = 10;  // the last command word
constexpr int Read = 11;
constexpr int Attack = 12;
constexpr int Kill = 13;
constexpr int Fight = 14;
constexpr int Slay = 15;
constexpr int Get = 16;
constexpr int Take = 17;
constexpr int Drop = 18;
constexpr int Give = 19;
constexpr int Put = 20;
constexpr int Unlock = 21;
constexpr int Open = 22;
constexpr int Eat = 23;
constexpr int Drink = 24;
constexpr int Bribe = 25;
constexpr int Go = 26;  // has no action
constexpr int Light = 27;
constexpr int Ignite = 28;
constexpr int Use = 29;
constexpr int Wear = 30;
constexpr int Climb = 31;
constexpr int Ascend = 32;
constexpr int Talk = 33;
constexpr int Ask = 34;
constexpr int Speak = 35;
constexpr int Insert = 36;
constexpr int Examine = 37;
constexpr int Break = 38;
constexpr int Lock = 39;
constexpr int Tell = 40;
constexpr int Bolt = 41;
constexpr int Ram = 42;
constexpr int Study = 43;
constexpr int Shout = 44;
constexpr int Yell = 45;
constexpr int Scream = 46;
constexpr int Place = 47;
constexpr int Lay = 48;
constexpr int Set = 49;
constexpr int Clean = 50;
constexpr int Wash = 51;
constexpr int Run = 52;
constexpr int Pour = 53;
constexpr int Call = 54;
}  // namespace Verb

// The adverbs of the AdVerbs table. The sentence analysis also treats them
// by ranges: Onto to From ask "What", To to On ask for more, and The links
// the words of the longer sentences.
namespace Adverb {
constexpr int Into = 1;
constexpr int Onto = 2;  // the poison's target
constexpr int And = 3;   // two things at once
constexpr int From = 4;
constexpr int At = 5;
constexpr int To = 6;    // the receiver of a gift
constexpr int With = 7;  // the instrument or key used
constexpr int In = 8;
constexpr int On = 9;  // the poison's target
constexpr int The = 10;
constexpr int Towards = 11;
constexpr int About = 12;  // the topic asked about
}  // namespace Adverb

// The records of the Doors table that the rules change.
namespace Door {
constexpr int IronGate = 1;  // and its other side, IronGateInside
constexpr int IronGateInside = 2;
constexpr int PalaceGate = 3;  // and its other side, PalaceGateInside
constexpr int PalaceGateInside = 4;
constexpr int Lodge = 5;      // jammed: rammed open
constexpr int Face = 10;      // opened by the spear in its eye
constexpr int Crypt = 12;     // the vampire's
constexpr int Cell = 14;      // the woman's prison
constexpr int RockFace = 17;  // opened by the medallion in its hole
}  // namespace Door

// The rooms the rules name.
namespace Room {
constexpr int32_t Attic = 1;  // where every game starts
constexpr int32_t Orchard = 13;
constexpr int32_t LaughingTree = 15;  // the last of the orchard rooms
constexpr int32_t WoodlandPath = 20;  // north of the laughing tree
constexpr int32_t SunnyGlade = 24;    // where an apple is found again
constexpr int32_t OutsideLodge = 26;
constexpr int32_t InsideLodge = 31;
constexpr int32_t Shack = 32;  // the battered door
constexpr int32_t WerebearLair = 35;
constexpr int32_t Meadow = 36;  // long grass
constexpr int32_t FaceDoor = 39;
constexpr int32_t Graveyard = 40;  // where eaten garlic turns up again
constexpr int32_t BehindCrypt = 43;
constexpr int32_t LeafPit = 44;
constexpr int32_t EnchantedEdge = 45;
constexpr int32_t EnchantedWoods = 46;
constexpr int32_t Hilltop = 47;
constexpr int32_t CliffLedge = 58;
constexpr int32_t CliffFoot = 59;
constexpr int32_t VillageGates = 60;  // the first of the snowy rooms
constexpr int32_t FrozenPond = 62;
constexpr int32_t FeastHall = 64;
constexpr int32_t PrisonCell = 65;
constexpr int32_t MarketSquare = 67;
constexpr int32_t CarversHut = 68;
constexpr int32_t MarketLane = 69;
constexpr int32_t BlindAlley = 70;
constexpr int32_t IceCliffs = 71;
constexpr int32_t WoodBeyondAvalanche = 72;
constexpr int32_t Summit = 73;
constexpr int32_t MountainPass = 74;
constexpr int32_t Waterfall = 75;
constexpr int32_t TunnelMouth = 77;
constexpr int32_t RockFace = 78;
constexpr int32_t DragonCavern = 80;
constexpr int32_t DarkPassage = 82;
constexpr int32_t SlopingTunnel = 85;
constexpr int32_t FirstChasm = 86;
constexpr int32_t FarLedge = 87;
constexpr int32_t HiddenPassage = 88;
constexpr int32_t SideChamber = 89;
constexpr int32_t BeyondWalls = 94;
constexpr int32_t CrushingWalls = 95;
constexpr int32_t TrollCave = 96;
constexpr int32_t WarmCave = 97;
constexpr int32_t HotSpring = 98;
constexpr int32_t FrozenWastes = 100;  // the first of the cold rooms
constexpr int32_t SnowyPlain = 105;
constexpr int32_t DeepSnow = 106;
constexpr int32_t IceWall = 119;  // the last of the snowy rooms
constexpr int32_t SnowHut = 120;
constexpr int32_t BehindSnowHut = 121;  // the last of the cold rooms
constexpr int32_t IceCave = 125;
constexpr int32_t IceHall = 129;
constexpr int32_t ShaftBottom = 133;
constexpr int32_t FuelTank = 137;
constexpr int32_t CastleGateHall = 138;  // the riddler's first riddle
constexpr int32_t StarHall = 139;        // the second
constexpr int32_t TowerRoom = 140;       // the third
constexpr int32_t Courtyard = 141;
constexpr int32_t OutsideCastle = 142;
constexpr int32_t SecretRoom = 148;
constexpr int32_t Gallery = 149;
constexpr int32_t RiverBank = 159;
constexpr int32_t SecondChasm = 166;
constexpr int32_t SweetShop = 170;
constexpr int32_t BeyondSecondChasm = 172;
constexpr int32_t Armoury = 174;
constexpr int32_t BlankWall = 175;
constexpr int32_t DiamondMine = 178;
constexpr int32_t FourDoors = 190;
constexpr int32_t BehindNorthDoor = 191;
constexpr int32_t BehindEastDoor = 192;
constexpr int32_t BehindSouthDoor = 193;
constexpr int32_t BehindWestDoor = 194;
constexpr int32_t BottomlessPit = 196;
constexpr int32_t GreatHall = 199;
constexpr int32_t SouthOfKeeper = 200;
constexpr int32_t CrystalRoom = 203;
constexpr int32_t DarkRoom = 206;  // the light switch
constexpr int32_t HallOfMirrors = 207;
constexpr int32_t NorthOfKeeper = 208;
constexpr int32_t TrollLair = 209;
}  // namespace Room

// The parse error codes: a refusal of the parser or of an action, printed by
// ReportParseError once the action has returned.
namespace ParseErr {
constexpr int32_t None = 0;
constexpr int32_t UnknownVerb = 1;  // raised by no rule
constexpr int32_t UnknownNoun = 2;
constexpr int32_t UnknownAdverb = 3;
constexpr int32_t NotUnderstood = 4;
constexpr int32_t NotAVerb = 5;
constexpr int32_t NoSense = 6;  // raised by no rule
constexpr int32_t What = 7;
constexpr int32_t Silly = 8;
constexpr int32_t TooManyNouns = 9;
constexpr int32_t NotRecommended = 10;
constexpr int32_t CantDoThat = 11;
constexpr int32_t CommandWordAlone = 12;
constexpr int32_t BeMoreSpecific = 13;
constexpr int32_t CharacterNotHere = 14;  // raised by no rule
constexpr int32_t FirstNotHere = 15;
constexpr int32_t SecondNotHere = 16;  // raised by no rule
constexpr int32_t NotCarried = 17;

// The line a code prints. `word` is the command's first word, `first` and
// `second` the shown names of the objects FirstNoun and SecondNoun.
inline std::string Message(int32_t code, const std::string& word, const std::string& first, const std::string& second) {
  switch (code) {
    case None: return "No error";
    case UnknownVerb: return "That Verb is not in my vocabulary";
    case UnknownNoun: return "I don't know what it is that you are talking about";
    case UnknownAdverb: return "I don't know the Adverb that you are using";
    case NotUnderstood: return "I dont understand";
    case NotAVerb: return "I dont understand the the word " + word + " in that Sentence";
    case NoSense: return "You are not making sense.";
    case What: return "What";
    case Silly: return "Dont be Silly";
    case TooManyNouns: return "There are too many objest's in that Sentence";
    case NotRecommended: return "I wouldn't recommend it";
    case CantDoThat: return "I cant do that, Sorry";
    case CommandWordAlone: return "Please use Command words alone.";
    case BeMoreSpecific: return "Please be more specific";
    case CharacterNotHere: return "that character is not here";
    case FirstNotHere: return "there is no " + first + " here";
    case SecondNotHere: return "there is no " + second + " here";
    case NotCarried: return "you are not carrying it";
    default: return "Undefined Error " + std::to_string(code);
  }
}
}  // namespace ParseErr

}  // namespace glim
