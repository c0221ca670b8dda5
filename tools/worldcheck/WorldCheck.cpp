// The world checker: reads both data files into a world value through the
// game's own readers, then checks what the readers take on trust: that the
// words can be typed and told apart, that every exit, door and link stays on the map, that
// every room can be reached, that no table overflows and that every entry the
// game logic names by number is filled.
#include "tools/worldcheck/WorldCheck.h"

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <map>
#include <set>
#include <sstream>

#include "world/Text.h"
#include "world/World.h"

namespace worldcheck {

namespace {

// ---------------------------------------------------------------------------
// Exits the game logic opens while it is played, and the moves it makes
// itself that take the player into a room without an exit leading there.
// `dir` is the side of `from` on which the way opens (0 when the move goes
// through no side of the room). Loading a saved game and the hidden room-jump
// control move the player anywhere, and are not part of the world's routes.
struct RuntimeWay {
  int from;
  int dir;
  int to;
};

namespace R = glim::Room;

constexpr RuntimeWay kRuntimeWays[] = {
    {R::LaughingTree, glim::DirNorth, R::WoodlandPath},      // the passage spell read at the laughing tree
    {R::EnchantedWoods, glim::DirNorth, R::Hilltop},         // the marble dropped on the hill rolls north
    {R::EnchantedWoods, glim::DirEast, R::EnchantedEdge},    // ... and opens the hill's east side as well
    {R::WoodBeyondAvalanche, glim::DirWest, R::Summit},      // the map read in the wood beyond the avalanche
    {R::Summit, glim::DirNorth, R::MountainPass},            // the god's question answered at the orb
    {R::FirstChasm, glim::DirEast, R::FarLedge},             // the plank laid across the first chasm
    {R::SecondChasm, glim::DirNorth, R::BeyondSecondChasm},  // the plank laid across the second chasm
    {R::FarLedge, glim::DirEast, R::HiddenPassage},          // the wall examined: a hidden doorway
    {R::Gallery, glim::DirWest, R::SecretRoom},              // the picture examined: a passage behind it
    {R::CrushingWalls, glim::DirSouth, R::BeyondWalls},      // the metal bar placed between the closing walls
    {R::CrushingWalls, glim::DirEast, R::SideChamber},       // ... which opens the room's east side too
    {R::MarketSquare, glim::DirNorth, R::MarketLane},        // the crowd of villagers starts the chase
    {R::SnowHut, glim::DirEast, R::IceCave},                 // the dirty old man given his gift opens the ice
    {R::OutsideCastle, glim::DirWest, R::SnowyPlain},        // the ring's owner asked, promising a short cut
    {R::BlankWall, glim::DirWest, R::Armoury},               // the ring's owner given back his ring
    {R::OutsideLodge, glim::DirNorth, R::InsideLodge},       // the lodge door rammed: the player breaks through
    {R::Shack, glim::DirEast, R::WerebearLair},              // the shack door rammed: the player flies through
    {R::CarversHut, 0, R::IceCliffs},                        // running from the crowd in the carver's hut
    {R::MarketLane, 0, R::IceCliffs},                        // running from the crowd in the market lane
    {R::IceCliffs, 0, R::WoodBeyondAvalanche},               // the shout that sets off the avalanche
    {R::FeastHall, 0, R::PrisonCell},                        // the drugged feast: the player wakes in the cell
    {R::TowerRoom, 0, R::Courtyard},                         // the riddler's third answer sends the player on
};

// ---------------------------------------------------------------------------
// Vocabulary entries whose number the game logic relies on; an empty entry
// there leaves a verb, an adverb or a thing the game cannot be played without.
struct UsedEntry {
  int number;
  const char* role;
};

// Verbs whose number the dispatcher maps to an action.
constexpr UsedEntry kUsedVerbs[] = {
    {glim::Verb::Read, "read"},     {glim::Verb::Attack, "attack"},   {glim::Verb::Kill, "attack"},
    {glim::Verb::Fight, "attack"},  {glim::Verb::Slay, "attack"},     {glim::Verb::Get, "take"},
    {glim::Verb::Take, "take"},     {glim::Verb::Drop, "drop"},       {glim::Verb::Give, "drop"},
    {glim::Verb::Put, "drop"},      {glim::Verb::Unlock, "unlock"},   {glim::Verb::Open, "unlock"},
    {glim::Verb::Eat, "eat"},       {glim::Verb::Drink, "drink"},     {glim::Verb::Bribe, "bribe"},
    {glim::Verb::Light, "light"},   {glim::Verb::Ignite, "light"},    {glim::Verb::Use, "use"},
    {glim::Verb::Wear, "wear"},     {glim::Verb::Climb, "climb"},     {glim::Verb::Ascend, "climb"},
    {glim::Verb::Talk, "talk"},     {glim::Verb::Ask, "talk"},        {glim::Verb::Speak, "talk"},
    {glim::Verb::Insert, "insert"}, {glim::Verb::Examine, "examine"}, {glim::Verb::Break, "break"},
    {glim::Verb::Lock, "lock"},     {glim::Verb::Tell, "talk"},       {glim::Verb::Bolt, "lock"},
    {glim::Verb::Ram, "ram"},       {glim::Verb::Study, "read"},      {glim::Verb::Shout, "shout"},
    {glim::Verb::Yell, "shout"},    {glim::Verb::Scream, "shout"},    {glim::Verb::Place, "place"},
    {glim::Verb::Lay, "place"},     {glim::Verb::Set, "place"},       {glim::Verb::Clean, "clean"},
    {glim::Verb::Wash, "wash"},     {glim::Verb::Run, "run"},         {glim::Verb::Pour, "pour"},
    {glim::Verb::Call, "call"},
};

// Adverbs with a role in the sentences or in an action.
constexpr UsedEntry kUsedAdverbs[] = {
    {glim::Adverb::Onto, "the poison's target"},    {glim::Adverb::And, "two things taken or dropped together"},
    {glim::Adverb::To, "the receiver of a gift"},   {glim::Adverb::With, "the instrument or key used"},
    {glim::Adverb::On, "the poison's target"},      {glim::Adverb::The, "the linking word of long sentences"},
    {glim::Adverb::About, "the topic asked about"},
};

// Scenery words the examining and reading actions treat by number.
constexpr UsedEntry kUsedScenery[] = {
    {glim::Scenery::Door, "door"},
    {glim::Scenery::SpellSection, "spell section"},
    {glim::Scenery::JokeSection, "joke section"},
    {glim::Scenery::Myself, "the player"},
    {glim::Scenery::Grass, "grass"},
    {glim::Scenery::Eye, "eye"},
    {glim::Scenery::Hair, "hair"},
    {glim::Scenery::Snow, "snow"},
    {glim::Scenery::Wall, "wall"},
    {glim::Scenery::Picture, "picture"},
    {glim::Scenery::Powder, "powder"},
    {glim::Scenery::Dust, "dust"},
    {glim::Scenery::Hole, "hole"},
    {glim::Scenery::FuelTank, "fuel tank"},
};

// Objects the actions and the characters name: all but object 36, which no
// rule of the game names.
constexpr UsedEntry kUsedObjects[] = {
    {glim::Obj::Book, "book"},
    {glim::Obj::Map, "map"},
    {glim::Obj::Rose, "rose"},
    {glim::Obj::RustyKey, "rusty key"},
    {glim::Obj::Slug, "slug"},
    {glim::Obj::Oil, "oil"},
    {glim::Obj::Statue, "statue"},
    {glim::Obj::Apple, "apple"},
    {glim::Obj::Poison, "poison"},
    {glim::Obj::Candle, "candle"},
    {glim::Obj::Camera, "camera"},
    {glim::Obj::AmuletNorth, "amulet half"},
    {glim::Obj::Marble, "marble"},
    {glim::Obj::Spear, "spear"},
    {glim::Obj::Garlic, "garlic"},
    {glim::Obj::Note, "note"},
    {glim::Obj::IcePick, "ice pick"},
    {glim::Obj::Medallion, "medallion"},
    {glim::Obj::HairPin, "hair pin"},
    {glim::Obj::Orb, "orb"},
    {glim::Obj::Bone, "bone"},
    {glim::Obj::AmuletSouth, "amulet half"},
    {glim::Obj::Plank, "plank"},
    {glim::Obj::MetalBar, "metal bar"},
    {glim::Obj::ShinyThing, "shiny thing"},
    {glim::Obj::Coat, "coat"},
    {glim::Obj::Gold, "gold"},
    {glim::Obj::Ring, "ring"},
    {glim::Obj::Soap, "soap"},
    {glim::Obj::Sign, "sign"},
    {glim::Obj::Gift, "gift"},
    {glim::Obj::FlameThrower, "flame-thrower"},
    {glim::Obj::Lolly, "lolly"},
    {glim::Obj::Box, "box"},
    {glim::Obj::Rope, "rope"},
    {glim::Obj::Sword, "sword"},
    {glim::Obj::SpecialKey, "special key"},
    {glim::Obj::StickingKey, "sticking key"},
    {glim::Obj::Staff, "staff"},
    {glim::Obj::ShinyKey, "shiny key"},
    {glim::Obj::LightSwitch, "light switch"},
    {glim::Obj::IceBlock, "ice block"},
    {glim::Obj::Matches, "matches"},
    {glim::Obj::Cape, "cape"},
};

// Characters with a behaviour: all but character 7, who has no part in the
// story.
constexpr UsedEntry kUsedCharacters[] = {
    {glim::Baddie::Caveman, "caveman"},
    {glim::Baddie::Guard, "guard"},
    {glim::Baddie::Wally, "wally"},
    {glim::Baddie::Darkness, "darkness"},
    {glim::Baddie::Vampire, "vampire"},
    {glim::Baddie::Woman, "woman"},
    {glim::Baddie::Crowd, "crowd"},
    {glim::Baddie::God, "god"},
    {glim::Baddie::SadGuard, "sad guard"},
    {glim::Baddie::Dragon, "dragon"},
    {glim::Baddie::Dog, "dog"},
    {glim::Baddie::Trolls, "trolls"},
    {glim::Baddie::Beggar, "beggar"},
    {glim::Baddie::OldMan, "dirty old man"},
    {glim::Baddie::Riddler, "riddler"},
    {glim::Baddie::FrostBeast, "frost beast"},
    {glim::Baddie::SecondGuard, "second guard"},
    {glim::Baddie::RingOwner, "ring owner"},
    {glim::Baddie::Ghost, "ghost"},
    {glim::Baddie::Demon, "demon"},
    {glim::Baddie::Keeper, "keeper"},
    {glim::Baddie::Cat, "cat"},
};

// ---------------------------------------------------------------------------
// What can go from a room while it is played. A room's description must not
// name (by its name or a word of its qualifier) an object that can be taken
// or moved away, or a character that can leave, in a room where that thing
// may stand: the description would still show it after it has gone.

// Objects that never leave their room: each has its own excuse when taken.
constexpr int kFixedObjects[] = {glim::Obj::Sign, glim::Obj::Box, glim::Obj::LightSwitch};

// Rooms where the game logic itself puts an object, besides its starting room.
struct Place {
  int number;
  int room;
};
constexpr Place kObjectPlaces[] = {
    {glim::Obj::Camera, 73},       // left on the summit by the god
    {glim::Obj::Marble, 36},       // found in the long grass
    {glim::Obj::Medallion, 62},    // from the broken block of ice
    {glim::Obj::HairPin, 65},      // from the woman's hair in the cell
    {glim::Obj::Bone, 77},         // dropped by the sentry
    {glim::Obj::MetalBar, 95},     // set between the walls
    {glim::Obj::Ring, 106},        // found in the snow
    {glim::Obj::Rope, 11},         // from the box in the shed
    {glim::Obj::SpecialKey, 178},  // found in the powder
    {glim::Obj::Staff, 204},       // dropped by the Keeper
    {glim::Obj::Apple, 24},        // eaten, or thrown back by the guard
    {glim::Obj::Garlic, 40},       // eaten
    {glim::Obj::Plank, 159},       // washed down the river
    {glim::Obj::Matches, 133},     // fallen down the shaft
};

// Characters that leave, are sent away or vanish during play, with the rooms
// they move to; kAnywhere for one who follows the player about.
constexpr int kAnywhere = -1;
constexpr Place kLeavingCharacters[] = {
    {glim::Baddie::Darkness, 0},    {glim::Baddie::Vampire, 0},   {glim::Baddie::Woman, kAnywhere},
    {glim::Baddie::God, 0},         {glim::Baddie::SadGuard, 0},  {glim::Baddie::Dragon, 0},
    {glim::Baddie::Trolls, 0},      {glim::Baddie::Beggar, 0},    {glim::Baddie::OldMan, 0},
    {glim::Baddie::Riddler, 139},   {glim::Baddie::Riddler, 140}, {glim::Baddie::FrostBeast, 0},
    {glim::Baddie::SecondGuard, 0}, {glim::Baddie::Demon, 0},     {glim::Baddie::Keeper, 0},
    {glim::Baddie::Cat, kAnywhere},
};

// Words of a qualifier that name nothing by themselves.
bool IsLinkingWord(const std::string& w) {
  for (const char* s : {"of", "a", "an", "the", "and", "called", "named", "looking", "itself"})
    if (w == s) return true;
  return false;
}

// The lower-case words of a text: runs of letters, an apostrophe kept inside
// a word ("keeper's" is not "keeper").
std::vector<std::string> TextWords(const std::string& text) {
  std::vector<std::string> words;
  std::string w;
  for (char c : text + " ") {
    const char l = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    if ((l >= 'a' && l <= 'z') || (l == '\'' && !w.empty())) {
      w += l;
    } else if (!w.empty()) {
      while (!w.empty() && w.back() == '\'') w.pop_back();
      words.push_back(w);
      w.clear();
    }
  }
  return words;
}

// The one-letter commands; a qualifier word equal to one of them would be
// dropped from the command line before the command is seen.
constexpr const char* kLetterCommands = "nsewudlqih";

const char* const kWordFile = "glimtext.wdt";
const char* const kRoomFile = "glimroom.dat";

const char* DirName(int d) {
  switch (d) {
    case glim::DirNorth: return "north";
    case glim::DirSouth: return "south";
    case glim::DirEast: return "east";
    case glim::DirWest: return "west";
    default: return "none";
  }
}

// One line of a box message: the line-count message holds a line break.
std::string OneLine(std::string s) {
  for (char& c : s)
    if (c == '\r' || c == '\n') c = ' ';
  return s;
}

class Checker {
 public:
  Checker(const std::string& wordText, const std::string& roomText)
      : wordLines_(glim::SplitLines(wordText)), roomLines_(glim::SplitLines(roomText)) {}

  std::vector<std::string> Run();

 private:
  void Fault(const char* file, const std::string& what) { faults_.push_back(std::string(file) + ": " + what); }
  bool InMap(int r) const { return r >= 1 && r < roomCount_; }
  std::string MapRange() const { return "rooms 1-" + std::to_string(roomCount_ - 1); }

  bool CheckWordCapacities();
  bool CheckRoomRecords();
  bool CheckWordRecords();
  bool Load();
  void CheckNames();
  void CheckQualifiers();
  void CheckVerbsAndAdverbs();
  void CheckExits();
  void CheckDoors();
  void CheckDoorPairs();
  void CheckLinks();
  void CheckLocations();
  void CheckRuntimeWays();
  void CheckReachable();
  void CheckUsedEntries();
  void CheckRoomTextsName();
  void CheckRoomTextDirections();

  // Every word the player may type as a noun, with the entry it names.
  struct Noun {
    std::string kind;  // "object", "character", "scenery word"
    int number;
    std::string name, qualifier;
    std::string Label() const { return kind + " " + std::to_string(number) + " \"" + name + "\""; }
  };
  std::vector<Noun> Nouns() const;

  std::vector<std::string> wordLines_, roomLines_;
  glim::World g_;  // the game's world as the two files make it
  int roomCount_ = 0;
  std::vector<std::string> faults_;
};

// The counts of the header, as the reader converts them.
bool Checker::CheckWordCapacities() {
  struct Cap {
    const char* what;
    int cap;
  };
  const Cap caps[8] = {{"verb", glim::MaxVerbs},           {"adverb", glim::MaxAdverbs},
                       {"scenery word", glim::MaxUnreals}, {"object", glim::MaxObjects},
                       {"character", glim::MaxBaddies},    {"door", glim::MaxDoors},
                       {"up link", glim::MaxLinks},        {"down link", glim::MaxLinks}};
  bool ok = true;
  for (size_t i = 0; i < 8 && i < wordLines_.size(); ++i) {
    auto v = glim::LenientInt(wordLines_[i]);
    if (v && *v > caps[i].cap) {
      Fault(kWordFile, std::string(caps[i].what) + " count " + std::to_string(*v) + " is above the capacity of " +
                           std::to_string(caps[i].cap));
      ok = false;
    }
  }
  return ok;
}

// Walks the room records as the reader will, to name the room whose record
// is cut short, holds something other than a number or overflows its table.
bool Checker::CheckRoomRecords() {
  if (roomLines_.empty()) return true;  // the reader reports it
  auto rc = glim::StrictInt(glim::Trim(roomLines_[0]));
  if (!rc) return true;
  const size_t total = roomLines_.size();
  if (*rc - 1 > glim::MaxRooms) {
    Fault(kRoomFile,
          "room count " + std::to_string(*rc - 1) + " is above the capacity of " + std::to_string(glim::MaxRooms));
    return false;
  }
  const char* fields[5] = {"north exit", "south exit", "east exit", "west exit", "line count"};
  size_t n = 1;
  for (int r = 1; r < *rc; ++r) {
    const std::string room = "room " + std::to_string(r);
    if (n >= total) {
      Fault(kRoomFile,
            room + ": the file ends before its record (the header promises " + std::to_string(*rc - 1) + " rooms)");
      return false;
    }
    int32_t lc = 0;
    for (size_t f = 0; f < 5; ++f, ++n) {
      if (n >= total) {
        Fault(kRoomFile, room + ": the file ends before its " + fields[f] + " (line " + std::to_string(n + 1) + ")");
        return false;
      }
      auto v = glim::StrictInt(glim::Trim(roomLines_[n]));
      if (!v) {
        Fault(kRoomFile, room + ": " + fields[f] + " \"" + roomLines_[n] + "\" (line " + std::to_string(n + 1) +
                             ") is not a number");
        return false;
      }
      lc = *v;
    }
    if (lc - 1 > glim::MaxRoomLines) {
      Fault(kRoomFile, room + ": " + std::to_string(lc - 1) + " description lines, above the capacity of " +
                           std::to_string(glim::MaxRoomLines));
      return false;
    }
    n += static_cast<size_t>(lc > 1 ? lc - 1 : 0);
    if (n > total) {
      Fault(kRoomFile, room + ": the file ends inside its description");
      return false;
    }
  }
  return true;
}

// Walks the word file's records as the reader will, to name the entry whose
// record is cut short or holds something other than a number where the
// reader wants one.
bool Checker::CheckWordRecords() {
  enum Kind { Text, Int, TrimmedInt, Code };
  struct Field {
    const char* name;
    Kind kind;
  };
  int counts[8] = {};
  for (size_t i = 0; i < 8 && i < wordLines_.size(); ++i)
    if (auto v = glim::LenientInt(wordLines_[i])) counts[i] = *v;
  size_t n = 8;
  // Checks one record of `fields` for `entry`; a text first field is the
  // entry's name, shown with it.
  auto record = [&](std::string entry, std::initializer_list<Field> fields) {
    bool first = true;
    for (const Field& f : fields) {
      if (n >= wordLines_.size()) {
        Fault(kWordFile, entry + ": the file ends before its " + f.name + " (line " + std::to_string(n + 1) + ")");
        return false;
      }
      const std::string& line = wordLines_[n];
      bool good = true;
      if (f.kind == Int) good = glim::StrictInt(line).has_value();
      if (f.kind == TrimmedInt) good = glim::StrictInt(glim::Trim(line)).has_value();
      if (f.kind == Code) good = !line.empty();
      if (!good) {
        Fault(kWordFile, entry + ": " + f.name + " \"" + line + "\" (line " + std::to_string(n + 1) + ") is " +
                             (f.kind == Code ? "empty" : "not a number"));
        return false;
      }
      if (first && f.kind == Text && fields.size() > 2) entry += " \"" + line + "\"";
      first = false;
      ++n;
    }
    return true;
  };
  auto label = [](const char* what, int k) { return std::string(what) + " " + std::to_string(k); };
  for (int k = 1; k <= counts[0]; ++k)
    if (!record(label("verb", k), {{"word", Text}})) return false;
  for (int k = 1; k <= counts[1]; ++k)
    if (!record(label("adverb", k), {{"word", Text}})) return false;
  for (int k = 1; k <= counts[2]; ++k)
    if (!record(label("scenery word", k), {{"name", Text}, {"qualifier", Text}})) return false;
  for (int k = 1; k <= std::max(counts[3], 1); ++k)
    if (!record(label("object", k), {{"name", Text},
                                     {"qualifier", Text},
                                     {"location", Int},
                                     {"state", Int},
                                     {"tense", Int},
                                     {"x", Int},
                                     {"y", Int}}))
      return false;
  for (int k = 1; k <= std::max(counts[4], 1); ++k)
    if (!record(label("character", k), {{"name", Text},
                                        {"qualifier", Text},
                                        {"location", Int},
                                        {"block code", Int},
                                        {"pronoun and tense", Int},
                                        {"picture", Int},
                                        {"lying picture", Int}}))
      return false;
  for (int k = 1; k <= counts[6]; ++k)
    if (!record(label("up link", k), {{"upper room", TrimmedInt}, {"lower room", TrimmedInt}})) return false;
  for (int k = 1; k <= counts[7]; ++k)
    if (!record(label("down link", k), {{"upper room", TrimmedInt}, {"lower room", TrimmedInt}})) return false;
  for (int k = 1; k <= counts[5]; ++k)
    if (!record(label("door", k), {{"state", Code}, {"room", Int}, {"direction", Code}, {"key", Int}})) return false;
  return true;
}

// Loads both files the way the game's start-up does. Every box a reader
// shows is a fault; after one the world is incomplete and is not checked on.
bool Checker::Load() {
  const glim::ReadReport wordReport = glim::ReadWordData(g_, wordLines_);
  for (const std::string& b : wordReport.Errors) Fault(kWordFile, "the game's reader stops: " + OneLine(b));
  bool ok = !wordReport.Ends;
  if (ok && glim::BuildIgnoredWords(g_).Ends) {
    // Name the entry whose qualifier overflows the table, not the message.
    ok = false;
    std::set<std::string> words;
    for (const Noun& n : Nouns()) {
      for (const std::string& w : glim::QualifierWords(n.qualifier))
        if (!w.empty()) words.insert(w);
      if (words.size() > static_cast<size_t>(glim::MaxIgnored)) {
        Fault(kWordFile, n.Label() + ": its qualifier brings the words the parser drops above the capacity of " +
                             std::to_string(glim::MaxIgnored));
        break;
      }
    }
  }
  const glim::ReadReport roomReport = glim::ReadRoomData(g_, roomLines_);
  for (const std::string& b : roomReport.Errors) Fault(kRoomFile, "the game's reader stops: " + OneLine(b));
  if (roomLines_.empty() && roomReport.Errors.empty()) Fault(kRoomFile, "the file is empty");
  roomCount_ = g_.RoomCount;
  return ok && wordReport.Errors.empty() && roomReport.Errors.empty() && !roomLines_.empty();
}

std::vector<Checker::Noun> Checker::Nouns() const {
  std::vector<Noun> v;
  const glim::WList& w = g_.WordLists;
  for (int k = 1; k <= g_.ObjectCount; ++k) v.push_back({"object", k, w.Objects[k].Name, w.Objects[k].Qualifier});
  for (int k = 1; k <= g_.BaddieCount; ++k) v.push_back({"character", k, w.Baddies[k].Name, w.Baddies[k].Qualifier});
  for (int k = 1; k <= g_.UnrealCount; ++k) v.push_back({"scenery word", k, w.Unreals[k].Name, w.Unreals[k].Qualifier});
  return v;
}

// A word the parser can match: the player's words are split at blanks and
// lower-cased, and matched exactly.
bool IsTypableWord(const std::string& s) {
  if (s.empty()) return false;
  for (unsigned char c : s)
    if (!((c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '\'')) return false;
  return true;
}

void Checker::CheckNames() {
  std::map<std::string, std::string> owner;  // name -> first entry with it
  for (const Noun& n : Nouns()) {
    if (n.name.empty()) continue;  // an empty name is reported with the used entries
    if (!IsTypableWord(n.name)) {
      Fault(kWordFile, n.Label() + ": name is not one lower-case word");
      continue;
    }
    auto [it, fresh] = owner.emplace(n.name, n.Label());
    if (!fresh) Fault(kWordFile, n.Label() + ": name is not unique (" + it->second + " has it too)");
  }
  // A noun spelled like a verb or an adverb is read as that word instead.
  const glim::WList& w = g_.WordLists;
  for (const Noun& n : Nouns()) {
    if (n.name.empty()) continue;
    for (int k = 1; k <= g_.VerbCount; ++k)
      if (w.Verbs[k] == n.name) Fault(kWordFile, n.Label() + ": name is also verb " + std::to_string(k));
    for (int k = 1; k <= g_.AdverbCount; ++k)
      if (w.AdVerbs[k] == n.name) Fault(kWordFile, n.Label() + ": name is also adverb " + std::to_string(k));
  }
}

void Checker::CheckVerbsAndAdverbs() {
  auto check = [this](const char* what, int count, auto entry) {
    std::map<std::string, int> first;
    for (int k = 1; k <= count; ++k) {
      const std::string& s = entry(k);
      if (s.empty()) continue;
      const std::string label = std::string(what) + " " + std::to_string(k) + " \"" + s + "\"";
      if (!IsTypableWord(s)) {
        Fault(kWordFile, label + ": not one lower-case word");
        continue;
      }
      auto [it, fresh] = first.emplace(s, k);
      if (!fresh)
        Fault(kWordFile,
              label + ": also " + what + " " + std::to_string(it->second) + ", which the parser finds first");
    }
  };
  check("verb", g_.VerbCount, [this](int k) -> const std::string& { return g_.WordLists.Verbs[k]; });
  check("adverb", g_.AdverbCount, [this](int k) -> const std::string& { return g_.WordLists.AdVerbs[k]; });
}

// The parser drops every typed word that equals a word of a qualifier.
void Checker::CheckQualifiers() {
  const glim::WList& w = g_.WordLists;
  std::map<std::string, std::string> typed;  // lower-case word -> what it is
  for (int k = 1; k <= g_.VerbCount; ++k)
    if (!w.Verbs[k].empty()) typed.emplace(glim::LowerAscii(w.Verbs[k]), "verb " + std::to_string(k));
  for (int k = 1; k <= g_.AdverbCount; ++k)
    if (!w.AdVerbs[k].empty()) typed.emplace(glim::LowerAscii(w.AdVerbs[k]), "adverb " + std::to_string(k));
  const std::vector<Noun> nouns = Nouns();
  for (const Noun& n : nouns)
    if (!n.name.empty()) typed.emplace(glim::LowerAscii(n.name), "the name of " + n.Label());
  for (const char* c = kLetterCommands; *c; ++c)
    typed.emplace(std::string(1, *c), std::string("the one-letter command ") + *c);

  for (const Noun& n : nouns) {
    for (const std::string& d : glim::QualifierWords(n.qualifier)) {
      auto it = typed.find(glim::LowerAscii(d));
      if (d.empty() || it == typed.end()) continue;
      Fault(kWordFile, n.Label() + ": qualifier word \"" + d + "\" is " + it->second + ", which the parser would drop");
    }
  }
}

void Checker::CheckExits() {
  for (int r = 1; r < roomCount_; ++r)
    for (int d = glim::DirNorth; d <= glim::DirWest; ++d) {
      const int to = g_.Rooms[r].Exit(d);
      if (to >= 1 && !InMap(to))
        Fault(kRoomFile, "room " + std::to_string(r) + ": " + DirName(d) + " exit leads to room " + std::to_string(to) +
                             ", outside the map (" + MapRange() + ")");
    }
}

void Checker::CheckRuntimeWays() {
  for (const RuntimeWay& w : kRuntimeWays)
    if (!InMap(w.from) || !InMap(w.to))
      Fault(kRoomFile, "the game opens a way from room " + std::to_string(w.from) + " to room " + std::to_string(w.to) +
                           ", outside the map (" + MapRange() + ")");
}

void Checker::CheckDoors() {
  const int objects = g_.ObjectCount;
  for (int k = 1; k <= g_.DoorCount; ++k) {
    const glim::TDoor& d = g_.Doors[k];
    const std::string label = "door " + std::to_string(k);
    if (!InMap(d.Room)) {
      Fault(kWordFile, label + ": room " + std::to_string(d.Room) + " is outside the map (" + MapRange() + ")");
    } else if (d.Direction < glim::DirNorth || d.Direction > glim::DirWest) {
      Fault(kWordFile, label + " (room " + std::to_string(d.Room) + "): direction " + std::to_string(d.Direction) +
                           " is not north, south, east or west");
    } else if (g_.Rooms[d.Room].Exit(d.Direction) < 1) {
      bool opened = false;
      for (const RuntimeWay& w : kRuntimeWays) opened = opened || (w.from == d.Room && w.dir == d.Direction);
      if (!opened)
        Fault(kWordFile, label + " (room " + std::to_string(d.Room) + " " + DirName(d.Direction) + "): room " +
                             std::to_string(d.Room) + " has no exit on that side");
    }
    if (d.Key != 0 && (d.Key < 1 || d.Key > objects || g_.WordLists.Objects[d.Key].Name.empty()))
      Fault(kWordFile, label + ": key " + std::to_string(d.Key) + " is not an object");
  }
}

// Doors 1 and 2, and doors 3 and 4, are the two sides of one door, which the
// game opens and locks together: each must lead to the other's room.
void Checker::CheckDoorPairs() {
  for (int first : {1, 3}) {
    if (first + 1 > g_.DoorCount) break;
    const glim::TDoor& a = g_.Doors[first];
    const glim::TDoor& b = g_.Doors[first + 1];
    if (!InMap(a.Room) || !InMap(b.Room)) continue;  // reported on its own
    const int ab = g_.Rooms[a.Room].Exit(a.Direction), ba = g_.Rooms[b.Room].Exit(b.Direction);
    if (ab != b.Room || ba != a.Room)
      Fault(kWordFile, "doors " + std::to_string(first) + " and " + std::to_string(first + 1) +
                           ": not the two sides of one door (room " + std::to_string(a.Room) + " " +
                           DirName(a.Direction) + " leads to room " + std::to_string(ab) + ", room " +
                           std::to_string(b.Room) + " " + DirName(b.Direction) + " to room " + std::to_string(ba) +
                           ")");
  }
}

void Checker::CheckLinks() {
  auto check = [this](const char* what, int count, const glim::Table<glim::TLink, glim::MaxLinks>& t) {
    for (int k = 1; k <= count; ++k) {
      const std::string label = std::string(what) + " " + std::to_string(k);
      if (!InMap(t[k].Upper))
        Fault(kWordFile,
              label + ": upper room " + std::to_string(t[k].Upper) + " is outside the map (" + MapRange() + ")");
      if (!InMap(t[k].Lower))
        Fault(kWordFile,
              label + ": lower room " + std::to_string(t[k].Lower) + " is outside the map (" + MapRange() + ")");
    }
  };
  check("up link", g_.UpCount, g_.UpLinks);
  check("down link", g_.DownCount, g_.DownLinks);
}

// Objects start in a room, carried, nowhere or handed over; characters in a
// room or out of play.
void Checker::CheckLocations() {
  for (int k = 1; k <= g_.ObjectCount; ++k) {
    const int loc = g_.WordLists.Objects[k].Location;
    if (loc != glim::LocCarried && loc != glim::LocNowhere && loc != glim::LocHandedOver && !InMap(loc))
      Fault(kWordFile, "object " + std::to_string(k) + " \"" + g_.WordLists.Objects[k].Name + "\": starts in room " +
                           std::to_string(loc) + ", outside the map (" + MapRange() + ")");
  }
  for (int k = 1; k <= g_.BaddieCount; ++k) {
    const int loc = g_.WordLists.Baddies[k].Location;
    if (loc != 0 && !InMap(loc))
      Fault(kWordFile, "character " + std::to_string(k) + " \"" + g_.WordLists.Baddies[k].Name + "\": starts in room " +
                           std::to_string(loc) + ", outside the map (" + MapRange() + ")");
  }
}

// Every room must be reachable from room 1 by the file's exits, the up and
// down links and the ways the game opens, with every door taken as openable.
void Checker::CheckReachable() {
  std::vector<std::vector<int>> next(static_cast<size_t>(roomCount_ > 0 ? roomCount_ : 1));
  auto edge = [&](int a, int b) {
    if (InMap(a) && InMap(b)) next[static_cast<size_t>(a)].push_back(b);
  };
  for (int r = 1; r < roomCount_; ++r)
    for (int d = glim::DirNorth; d <= glim::DirWest; ++d) edge(r, g_.Rooms[r].Exit(d));
  for (int k = 1; k <= g_.UpCount; ++k) edge(g_.UpLinks[k].Lower, g_.UpLinks[k].Upper);
  for (int k = 1; k <= g_.DownCount; ++k) edge(g_.DownLinks[k].Upper, g_.DownLinks[k].Lower);
  for (const RuntimeWay& w : kRuntimeWays) edge(w.from, w.to);
  if (!InMap(1)) return;
  std::vector<bool> seen(next.size(), false);
  std::vector<int> todo{1};
  seen[1] = true;
  while (!todo.empty()) {
    const int r = todo.back();
    todo.pop_back();
    for (int to : next[static_cast<size_t>(r)])
      if (!seen[static_cast<size_t>(to)]) {
        seen[static_cast<size_t>(to)] = true;
        todo.push_back(to);
      }
  }
  for (int r = 1; r < roomCount_; ++r)
    if (!seen[static_cast<size_t>(r)])
      Fault(kRoomFile, "room " + std::to_string(r) + ": cannot be reached from room 1");
}

void Checker::CheckUsedEntries() {
  const glim::WList& w = g_.WordLists;
  auto check = [this](const char* what, int count, const auto& used, auto entry) {
    for (const UsedEntry& u : used)
      if (u.number > count || entry(u.number).empty())
        Fault(kWordFile,
              std::string(what) + " " + std::to_string(u.number) + " is empty, but the game uses it (" + u.role + ")");
  };
  check("verb", g_.VerbCount, kUsedVerbs, [&](int k) { return w.Verbs[k]; });
  check("adverb", g_.AdverbCount, kUsedAdverbs, [&](int k) { return w.AdVerbs[k]; });
  check("scenery word", g_.UnrealCount, kUsedScenery, [&](int k) { return w.Unreals[k].Name; });
  check("object", g_.ObjectCount, kUsedObjects, [&](int k) { return w.Objects[k].Name; });
  check("character", g_.BaddieCount, kUsedCharacters, [&](int k) { return w.Baddies[k].Name; });
}

// A room text that names a thing which may be gone from that room.
void Checker::CheckRoomTextsName() {
  struct Mover {
    std::string label, name;
    std::vector<std::string> words;  // name and qualifier words
    std::set<int> rooms;             // rooms where it may stand; 0 in it: any room
    const char* gone;
  };
  std::vector<Mover> movers;
  auto wordsOf = [](const std::string& name, const std::string& qualifier) {
    std::vector<std::string> v{glim::LowerAscii(name)};
    for (const std::string& w : TextWords(qualifier))
      if (!IsLinkingWord(w)) v.push_back(w);
    return v;
  };
  const glim::WList& w = g_.WordLists;
  for (int k = 1; k <= g_.ObjectCount; ++k) {
    const glim::TObjectRec& o = w.Objects[k];
    if (o.Name.empty() || std::find(std::begin(kFixedObjects), std::end(kFixedObjects), k) != std::end(kFixedObjects))
      continue;
    Mover m{"object " + std::to_string(k) + " \"" + o.Name + "\"",
            o.Name,
            wordsOf(o.Name, o.Qualifier),
            {},
            "can be taken or moved away"};
    if (InMap(o.Location)) m.rooms.insert(o.Location);
    for (const Place& p : kObjectPlaces)
      if (p.number == k) m.rooms.insert(p.room);
    movers.push_back(m);
  }
  for (int k = 1; k <= g_.BaddieCount; ++k) {
    const glim::TBaddieRec& b = w.Baddies[k];
    bool leaves = false;
    std::set<int> rooms;
    if (InMap(b.Location)) rooms.insert(b.Location);
    for (const Place& p : kLeavingCharacters)
      if (p.number == k) {
        leaves = true;
        if (p.room == kAnywhere) rooms.insert(0);
        if (p.room > 0) rooms.insert(p.room);
      }
    if (!leaves || b.Name.empty()) continue;
    movers.push_back({"character " + std::to_string(k) + " \"" + b.Name + "\"", b.Name, wordsOf(b.Name, b.Qualifier),
                      rooms, "can leave"});
  }
  for (int r = 1; r < roomCount_; ++r) {
    std::vector<std::string> text;
    for (int l = 1; l < g_.Rooms[r].LineCount && l <= glim::MaxRoomLines; ++l)
      for (const std::string& t : TextWords(g_.RoomText[r][l])) text.push_back(t);
    for (const Mover& m : movers) {
      if (!m.rooms.count(r) && !m.rooms.count(0)) continue;
      for (const std::string& word : m.words) {
        // A plural names the thing too ("bottles" on a shelf of one bottle).
        const bool named =
            std::any_of(text.begin(), text.end(), [&](const std::string& t) { return t == word || t == word + "s"; });
        if (!named) continue;
        Fault(kRoomFile, "room " + std::to_string(r) + ": its text names " + m.label + " (\"" + word + "\"), which " +
                             m.gone + ", so the text may show it when it is gone");
        break;
      }
    }
  }
}

// A room text that names a direction ("north", "to the east") must have a
// way out on that side: an exit of the file or a way the game opens there.
void Checker::CheckRoomTextDirections() {
  for (int r = 1; r < roomCount_; ++r) {
    std::set<std::string> text;
    for (int l = 1; l < g_.Rooms[r].LineCount && l <= glim::MaxRoomLines; ++l)
      for (const std::string& t : TextWords(g_.RoomText[r][l])) text.insert(t);
    for (int d = glim::DirNorth; d <= glim::DirWest; ++d) {
      if (!text.count(DirName(d)) || g_.Rooms[r].Exit(d) >= 1) continue;
      bool opened = false;
      for (const RuntimeWay& w : kRuntimeWays) opened = opened || (w.from == r && w.dir == d);
      if (!opened)
        Fault(kRoomFile, "room " + std::to_string(r) + ": its text names " + DirName(d) +
                             ", but the room has no way out to the " + DirName(d));
    }
  }
}

std::vector<std::string> Checker::Run() {
  const bool wordsFit = CheckWordCapacities() && CheckWordRecords();
  const bool roomsFit = CheckRoomRecords();
  if (!wordsFit || !roomsFit) return faults_;
  if (!Load()) return faults_;
  CheckNames();
  CheckVerbsAndAdverbs();
  CheckQualifiers();
  CheckUsedEntries();
  CheckExits();
  CheckRuntimeWays();
  CheckDoors();
  CheckDoorPairs();
  CheckLinks();
  CheckLocations();
  CheckReachable();
  CheckRoomTextsName();
  CheckRoomTextDirections();
  return faults_;
}

}  // namespace

bool ReadWhole(const std::string& path, std::string& text) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream s;
  s << in.rdbuf();
  text = s.str();
  return true;
}

std::vector<std::string> CheckWorld(const std::string& wordText, const std::string& roomText) {
  return Checker(wordText, roomText).Run();
}

std::vector<std::string> CheckFolder(const std::string& folder) {
  std::string base = folder.empty() ? "." : folder;
  if (base.back() != '/') base += '/';
  std::string words, rooms;
  std::vector<std::string> faults;
  if (!ReadWhole(base + kWordFile, words)) faults.push_back(base + kWordFile + ": cannot be read");
  if (!ReadWhole(base + kRoomFile, rooms)) faults.push_back(base + kRoomFile + ": cannot be read");
  if (!faults.empty()) return faults;
  return CheckWorld(words, rooms);
}

}  // namespace worldcheck
