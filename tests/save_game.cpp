// Saved games: writing, reading back, the file's exact bytes, and the refusal
// of a broken file with the running game left as it was.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "Harness.h"
#include "savegame/SaveFile.h"
#include "world/Text.h"

namespace glimtest {
namespace {

namespace fs = std::filesystem;
using glim::Game;

// A started game on one of the saved-game worlds.
struct SaveHarness : Harness {
  explicit SaveHarness(const std::string& fixture) : Harness(Fixture(fixture)) { Start(); }
  bool Save(const std::string& path) {
    platform.QueueFile(path);
    game.SaveGame();
    return fs::exists(path);
  }
  bool Load(const std::string& path) {
    platform.QueueFile(path);
    return game.LoadGame();
  }
};

// Changes nearly every stored field, and the two flags that a load keeps.
void ChangeWorld(Game& g) {
  g.CurrentRoom = 14;
  g.CarriedCount = 3;
  g.DrinkFlag = true;
  g.PlayerWarm = true;
  g.PlayerInvisible = true;
  g.WallsStopped = true;
  g.PlayerDirty = false;
  g.CompanionFollows = true;
  g.TrollsScared = true;
  const int32_t locs[] = {-1, 0, 300, 1, 220, 77};
  for (int k = 1; k <= g.ObjectCount; ++k) {
    g.Obj(k).Location = locs[k % 6];
    g.Obj(k).State = k % 3;
    g.Obj(k).Tense = k % 5;
  }
  for (int k = 1; k <= g.BaddieCount; ++k) {
    g.Baddie(k).Location = (k * 9) % 221;
    g.Baddie(k).BlockCode = k % 16;
    g.Baddie(k).Pronoun = k % 4;
    g.Baddie(k).Tense = (k + 1) % 4;
    g.Baddie(k).Lying = k % 2;
  }
  for (int k = 1; k <= g.DoorCount; ++k) {
    g.Doors[k].State = static_cast<uint8_t>((k + 1) % 5);
    g.Doors[k].Room = 200 + k;
    g.Doors[k].Direction = static_cast<uint8_t>(5 - k);
    g.Doors[k].Key = 40 + k;
  }
  g.Rooms[12].East = 0;
  g.Rooms[12].North = 99;
  g.Rooms[40].West = -3;
  g.Rooms[219].South = 220;
  g.Rooms[220].North = 5;             // the last room, which the room file leaves empty
  g.CarriedCount = g.CountCarried();  // a load recounts it
}

TEST(SaveGame, FreshGameSavedAndLoadedIsUnchanged) {
  SaveHarness h("save_world");
  const std::string path = TempDir("save_fresh") + "fresh.gam";
  const glim::World before = h.game.world();
  ASSERT_TRUE(h.Save(path));
  EXPECT_EQ(h.Take(), "Saving game\n");
  // 45 objects, 23 characters, 4 doors; the room file names 221 rooms but
  // the map holds 220.
  const std::vector<std::string> lines = glim::SplitLines(ReadAll(path));
  EXPECT_EQ(lines.size(), 7u + 4 * 45 + 6 * 23 + 4 * 4 + 4 * 220);
  EXPECT_TRUE(h.Load(path));
  EXPECT_EQ(h.Take(), "Loading game\nLoading " + path + "\n");
  EXPECT_EQ(WorldDiff(before, h.game.world()), "");
}

TEST(SaveGame, ChangedWorldComesBackFieldByField) {
  SaveHarness h("save_world");
  const std::string path = TempDir("save_changed") + "changed.gam";
  ChangeWorld(h.game);
  glim::World saved = h.game.world();
  ASSERT_TRUE(h.Save(path));

  // Back to the start (which also drops the companion), then the two flags
  // that are not stored are set the other way round.
  h.game.NewGame();
  h.game.TrollsScared = false;
  h.game.CompanionFollows = true;
  h.game.CarryLimit = 3;
  h.game.DoorIndex = 2;
  h.game.Obj(13).X = 7;
  h.game.Baddie(1).Qualifier = "renamed";
  EXPECT_NE(WorldDiff(saved, h.game.world()), "");
  h.Take();
  ASSERT_TRUE(h.Load(path));

  saved.TrollsScared = false;
  saved.CompanionFollows = true;
  saved.CarryLimit = 3;
  saved.DoorIndex = 2;
  saved.Obj(13).X = 7;
  saved.Baddie(1).Qualifier = "renamed";
  EXPECT_EQ(WorldDiff(saved, h.game.world()), "");
}

TEST(SaveGame, FileFromOneGameLoadsIdenticallyInAnother) {
  const std::string dir = TempDir("save_second");
  glim::World first;
  {
    SaveHarness a("save_world");
    ChangeWorld(a.game);
    a.game.CompanionFollows = false;
    a.game.TrollsScared = false;
    first = a.game.world();
    ASSERT_TRUE(a.Save(dir + "a.gam"));
  }
  SaveHarness b("save_world");
  ASSERT_TRUE(b.Load(dir + "a.gam"));
  EXPECT_EQ(WorldDiff(first, b.game.world()), "");
  ASSERT_TRUE(b.Save(dir + "b.gam"));
  EXPECT_EQ(ReadAll(dir + "a.gam"), ReadAll(dir + "b.gam"));
}

// Sets every field a saved game holds, within the world's counts, to
// another value that a load accepts; `seed` varies the values.
void Scramble(glim::World& w, int seed) {
  const auto room = [seed](int k) { return 1 + (k * 37 + seed) % glim::MaxRooms; };
  // The worlds come from the fuzz corpora and hold values at the integers'
  // limits: the new values are worked out wide and wrap into 32 bits.
  const auto wrap = [](int64_t v) { return static_cast<int32_t>(v); };
  w.CurrentRoom = room(1);
  w.CarriedCount = seed % 9;
  w.DrinkFlag = !w.DrinkFlag;
  w.PlayerWarm = !w.PlayerWarm;
  w.PlayerInvisible = !w.PlayerInvisible;
  w.WallsStopped = !w.WallsStopped;
  w.PlayerDirty = !w.PlayerDirty;
  const int32_t places[] = {glim::LocCarried, glim::LocNowhere, glim::LocHandedOver};
  for (int k = 1; k <= w.ObjectCount; ++k) {
    glim::TObjectRec& o = w.Obj(k);
    o.Name += "~" + std::to_string(k);
    o.Location = (k + seed) % 4 == 3 ? room(k) : places[(k + seed) % 4];
    o.State = wrap(int64_t{o.State} * 3 + k - seed);
    o.Tense = wrap(-int64_t{o.Tense} - k);
  }
  for (int k = 1; k <= w.BaddieCount; ++k) {
    glim::TBaddieRec& b = w.Baddie(k);
    b.Name = "b" + std::to_string(k + seed) + b.Name;
    b.Location = (k + seed) % 5 == 0 ? 0 : room(k + 3);
    b.BlockCode = wrap((int64_t{b.BlockCode} + k + seed) % 16);
    b.Pronoun = wrap(int64_t{b.Pronoun} + 7);
    b.Tense = wrap(int64_t{b.Tense} - 5);
    b.Lying = b.Lying ? 0 : k;
  }
  for (int k = 1; k <= w.DoorCount; ++k) {
    glim::TDoor& d = w.Doors[k];
    d.State = static_cast<uint8_t>((d.State + 1 + seed) % 5);
    d.Room = room(k + 7);
    d.Direction = static_cast<uint8_t>((d.Direction + 2 + seed) % 5);
    d.Key = wrap((int64_t{d.Key} + k + seed) % (glim::MaxObjects + 1));
  }
  for (int r = 1; r <= std::min<int32_t>(w.RoomCount, glim::MaxRooms); ++r)
    for (int d = glim::DirNorth; d <= glim::DirWest; ++d)
      w.Rooms[r].SetExit(d, (r + d + seed) % 3 == 0 ? -(r + d) : room(r * 4 + d));
}

// The data files of the readers' fuzz corpora for one target ("words" or
// "rooms"): the shipped world's, the test worlds', the hand-made seeds, and
// the corpus the fuzz stage keeps in build-fuzz/ (or in the folder that
// GLIM_FUZZ_CORPUS names) when there is one.
std::vector<std::string> CorpusFiles(const std::string& target, const std::string& dataFile) {
  const fs::path root = fs::path(TestDir()).parent_path();
  std::vector<std::string> files = {(root / "data" / dataFile).string()};
  std::vector<fs::path> folders = {root / "fuzz/seeds" / target, root / "build-fuzz/fuzz-seeds" / target,
                                   root / "build-fuzz/fuzz-corpus" / target};
  if (const char* extra = std::getenv("GLIM_FUZZ_CORPUS")) folders.push_back(fs::path(extra) / target);
  for (const fs::directory_entry& e : fs::directory_iterator(root / "tests/fixtures"))
    if (fs::exists(e.path() / dataFile)) files.push_back((e.path() / dataFile).string());
  for (const fs::path& f : folders) {
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(f, ec))
      if (e.is_regular_file()) files.push_back(e.path().string());
  }
  return files;
}

// A save of every world of the corpora that starts loads back equal to the
// world that was saved, both as it starts and with every saved field
// changed. The words target pairs its files with the shipped room file and
// the rooms target the other way round, as the fuzz targets do.
TEST(SaveGame, EveryCorpusWorldSavesAndLoadsBackEqual) {
  const std::string data = TestDir() + "/../data/";
  const std::vector<std::string> shippedWords = glim::SplitLines(ReadAll(data + "glimtext.wdt"));
  const std::vector<std::string> shippedRooms = glim::SplitLines(ReadAll(data + "glimroom.dat"));
  struct Pair {
    std::string name;
    std::vector<std::string> words, rooms;
  };
  std::vector<Pair> worlds;
  for (const std::string& f : CorpusFiles("words", "glimtext.wdt"))
    worlds.push_back({f, glim::SplitLines(ReadAll(f)), shippedRooms});
  for (const std::string& f : CorpusFiles("rooms", "glimroom.dat"))
    worlds.push_back({f, shippedWords, glim::SplitLines(ReadAll(f))});
  ASSERT_GE(worlds.size(), 2u * 16);

  int started = 0, asRead = 0;
  std::vector<std::string> outsideTheLoad;
  for (const Pair& p : worlds) {
    // The world as the first activation leaves it.
    glim::World start;
    if (glim::ReadWordData(start, p.words).Ends || glim::BuildIgnoredWords(start).Ends ||
        glim::ReadRoomData(start, p.rooms).Ends)
      continue;
    static_cast<glim::PlayerState&>(start) = glim::PlayerState::NewPlayer();
    start.CarriedCount = start.CountCarried();
    for (int k = 1; k <= start.ObjectCount; ++k) start.Obj(k).Number = k;
    ++started;

    // Every saved field changed: the file brings each back.
    glim::World changed = start;
    Scramble(changed, started);
    changed.CarriedCount = changed.CountCarried();  // a load counts the objects carried
    ASSERT_FALSE(changed == start) << p.name;
    glim::World loaded = start;
    const std::optional<std::string> refused = glim::ReadSavedGame(loaded, glim::SplitLines(glim::SaveText(changed)));
    ASSERT_EQ(refused, std::nullopt) << p.name;
    EXPECT_EQ(WorldDiff(changed, loaded), "") << p.name;

    // The world as read: a load takes every value the readers take (a door
    // in room 0, a key past the objects, an exit past the map).
    if (glim::ReadSavedGame(loaded, glim::SplitLines(glim::SaveText(start)))) {
      outsideTheLoad.push_back(p.name);
      continue;
    }
    EXPECT_EQ(WorldDiff(start, loaded), "") << p.name;
    ++asRead;
  }
  EXPECT_GE(started, 32);
  EXPECT_EQ(outsideTheLoad.size(), 0u);
  std::string listed;
  for (const std::string& n : outsideTheLoad) listed += "\n  " + n;
  std::cout << "[ corpus ] " << worlds.size() << " worlds, " << started << " start, " << asRead << " round-trip as read"
            << (listed.empty() ? "" : "; a load refuses the saves of:" + listed) << "\n";
}

TEST(SaveGame, SmallWorldFileBytes) {
  SaveHarness h("save_small");
  const std::string path = TempDir("save_bytes") + "small.gam";
  h.game.CarriedCount = 1;
  h.game.Obj(1).Location = -1;
  h.game.Baddie(2).Lying = 1;
  h.game.Doors[2].State = 9;  // outside the codes: written as 0
  h.game.PlayerWarm = true;
  h.game.Rooms[3].West = 2;  // the room past the last one the file fills
  ASSERT_TRUE(h.Save(path));
  const std::string expected = Join({
      "1",       "1",  "0", "1", "0", "0", "1",                           // room, carried, flags
      "book",    "-1", "0", "0",                                          // objects
      "map",     "1",  "5", "3",                                          //
      "caveman", "2",  "3", "1", "2", "0",                                // characters
      "guard",   "0",  "0", "0", "1", "1",                                //
      "1",       "1",  "3", "1",                                          // doors
      "0",       "2",  "4", "0",                                          //
      "0",       "0",  "2", "0", "0", "0", "0", "1", "0", "0", "0", "2",  // rooms 1..3
  });
  EXPECT_EQ(ReadAll(path), expected);
}

TEST(SaveGame, RoomsWrittenNeverPassTheMap) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_roomcount");
  h.game.RoomCount = 500;
  ASSERT_TRUE(h.Save(dir + "many.gam"));
  EXPECT_EQ(glim::SplitLines(ReadAll(dir + "many.gam")).size(), 7u + 8 + 12 + 8 + 4 * 220);
  EXPECT_TRUE(h.Load(dir + "many.gam"));
  h.game.RoomCount = 0;
  ASSERT_TRUE(h.Save(dir + "none.gam"));
  EXPECT_EQ(glim::SplitLines(ReadAll(dir + "none.gam")).size(), 7u + 8 + 12 + 8);
}

TEST(SaveGame, FileTruncatedAtEveryLineIsRefused) {
  for (const char* fixture : {"save_small", "save_world"}) {
    SaveHarness h(fixture);
    const std::string dir = TempDir(std::string("save_trunc_") + fixture);
    ChangeWorld(h.game);
    ASSERT_TRUE(h.Save(dir + "full.gam"));
    const std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "full.gam"));
    h.game.NewGame();
    const glim::World before = h.game.world();
    h.Take();
    for (size_t n = 0; n < lines.size(); ++n) {
      const std::string path = dir + "short.gam";
      WriteText(path, Join(std::vector<std::string>(lines.begin(), lines.begin() + long(n))));
      EXPECT_FALSE(h.Load(path)) << fixture << " " << n;
      EXPECT_EQ(h.Take(),
                "Loading game\nLoading " + path + "\n[box] List index out of bounds (" + std::to_string(n) + ")\n")
          << fixture << " " << n;
      ASSERT_EQ(WorldDiff(before, h.game.world()), "") << fixture << " " << n;
    }
    // Lines after the last room are ignored.
    std::vector<std::string> longer = lines;
    longer.push_back("extra");
    longer.push_back("");
    WriteText(dir + "long.gam", Join(longer));
    EXPECT_TRUE(h.Load(dir + "long.gam"));
    EXPECT_EQ(h.game.CurrentRoom, 14);
  }
}

// What each line of a saved file holds, in the order they are written.
enum class Kind { Int, Trimmed, Text, Flag, Code };

std::vector<Kind> Layout(int objects, int baddies, int doors, int rooms) {
  std::vector<Kind> k = {Kind::Int, Kind::Int, Kind::Flag, Kind::Flag, Kind::Flag, Kind::Flag, Kind::Flag};
  for (int i = 0; i < objects; ++i) k.insert(k.end(), {Kind::Text, Kind::Int, Kind::Int, Kind::Int});
  for (int i = 0; i < baddies; ++i)
    k.insert(k.end(), {Kind::Text, Kind::Int, Kind::Int, Kind::Int, Kind::Int, Kind::Int});
  for (int i = 0; i < doors; ++i) k.insert(k.end(), {Kind::Code, Kind::Trimmed, Kind::Code, Kind::Trimmed});
  for (int i = 0; i < rooms * 4; ++i) k.push_back(Kind::Trimmed);
  return k;
}

TEST(SaveGame, BadValueAtEveryLineIsRefused) {
  SaveHarness h("save_world");
  const std::string dir = TempDir("save_bad");
  ChangeWorld(h.game);
  ASSERT_TRUE(h.Save(dir + "good.gam"));
  const std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "good.gam"));
  const std::vector<Kind> kinds = Layout(45, 23, 4, 220);
  ASSERT_EQ(lines.size(), kinds.size());
  h.game.NewGame();
  const glim::World before = h.game.world();
  h.Take();
  const std::string path = dir + "bad.gam";
  int refused = 0;
  for (size_t i = 0; i < lines.size(); ++i) {
    std::string bad, message;
    switch (kinds[i]) {
      case Kind::Int:
        bad = lines[i] + " ";
        message = "'" + bad + "' is not a valid integer value";
        break;
      case Kind::Trimmed:
        bad = " 1x2\t";
        message = "'1x2' is not a valid integer value";
        break;
      case Kind::Code:
        bad = "";
        message = "Range check error";
        break;
      default: continue;  // any text is a name or a flag
    }
    std::vector<std::string> changed = lines;
    changed[i] = bad;
    WriteText(path, Join(changed));
    EXPECT_FALSE(h.Load(path)) << i;
    EXPECT_EQ(h.Take(), "Loading game\nLoading " + path + "\n[box] " + message + "\n") << i;
    ASSERT_EQ(WorldDiff(before, h.game.world()), "") << i;
    ++refused;
  }
  EXPECT_EQ(refused, 2 + 3 * 45 + 5 * 23 + 4 * 4 + 4 * 220);
}

// One line of a valid small-world file replaced; true when it loaded.
struct OneLine {
  size_t line;
  std::string text;
  bool loads;
  std::string message;
};

// The player's room must be a room of the map; every other field takes what
// the data files' readers take, so that every file the game writes loads.
TEST(SaveGame, ValuesOutsideTheTablesAreRefused) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_range");
  ASSERT_TRUE(h.Save(dir + "good.gam"));
  const std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "good.gam"));
  // Lines: 0 room, 7.. objects (location at 8 and 12), 15.. characters
  // (location at 16 and 22), 27.. doors (room 28, key 30), 35.. exits.
  const OneLine cases[] = {
      {0, "0", false, "'0' is not a valid room number"},
      {0, "221", false, "'221' is not a valid room number"},
      {0, "-2147483648", false, "'-2147483648' is not a valid room number"},
      {0, "220", true, ""},
      {0, " 5", true, ""},
      {8, "-2", true, ""},
      {8, "221", true, ""},
      {8, "2147483647", true, ""},
      {8, "300", true, ""},
      {12, "-1", true, ""},
      {12, "0", true, ""},
      {12, "220", true, ""},
      {16, "-1", true, ""},
      {16, "300", true, ""},
      {22, "-2147483648", true, ""},
      {22, "220", true, ""},
      {28, "0", true, ""},
      {28, "221", true, ""},
      {28, " 220\t", true, ""},
      {30, "-1", true, ""},
      {30, "46", true, ""},
      {30, "45 ", true, ""},
      {35, "221", true, ""},
      {44, "2147483647", true, ""},
      {35, "-7", true, ""},
      {46, "\t220 ", true, ""},
  };
  const glim::World before = h.game.world();
  h.Take();
  for (const OneLine& c : cases) {
    std::vector<std::string> changed = lines;
    changed[c.line] = c.text;
    const std::string path = dir + "case.gam";
    WriteText(path, Join(changed));
    EXPECT_EQ(h.Load(path), c.loads) << c.line << " '" << c.text << "'";
    const std::string out = h.Take();
    if (c.loads) {
      EXPECT_EQ(out.find("[box]"), std::string::npos) << out;
      ASSERT_TRUE(h.Load(dir + "good.gam"));
      h.Take();
    } else {
      EXPECT_EQ(out, "Loading game\nLoading " + path + "\n[box] " + c.message + "\n");
      ASSERT_EQ(WorldDiff(before, h.game.world()), "") << c.line;
    }
  }
  // The accepted values land where they belong.
  std::vector<std::string> changed = lines;
  changed[12] = "-1";
  changed[28] = " 2 ";
  changed[30] = "45 ";
  changed[35] = "-7";
  WriteText(dir + "ok.gam", Join(changed));
  ASSERT_TRUE(h.Load(dir + "ok.gam"));
  EXPECT_EQ(h.game.Obj(2).Location, -1);
  EXPECT_EQ(h.game.Doors[1].Room, 2);
  EXPECT_EQ(h.game.Doors[1].Key, 45);
  EXPECT_EQ(h.game.Rooms[1].North, -7);
}

TEST(SaveGame, FlagsAndCodesReadAsWritten) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_flags");
  ASSERT_TRUE(h.Save(dir + "good.gam"));
  std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "good.gam"));
  // Flags: 2 DrinkFlag, 3 PlayerWarm, 4 PlayerInvisible, 5 WallsStopped, 6 PlayerDirty.
  lines[2] = "True";
  lines[3] = "true";
  lines[4] = "1";
  lines[5] = "TRUE";
  lines[6] = "1 ";
  // Door 1: state "3" (jammed), direction "3abc"; door 2: state "x", direction "7".
  lines[27] = "3";
  lines[29] = "3abc";
  lines[31] = "x";
  lines[33] = "7";
  // The names are taken as they stand.
  lines[7] = " Odd name ";
  WriteText(dir + "flags.gam", Join(lines));
  ASSERT_TRUE(h.Load(dir + "flags.gam"));
  EXPECT_TRUE(h.game.DrinkFlag);
  EXPECT_FALSE(h.game.PlayerWarm);
  EXPECT_TRUE(h.game.PlayerInvisible);
  EXPECT_FALSE(h.game.WallsStopped);
  EXPECT_FALSE(h.game.PlayerDirty);
  EXPECT_EQ(h.game.Doors[1].State, glim::DoorJammed);
  EXPECT_EQ(h.game.Doors[1].Direction, glim::DirEast);
  EXPECT_EQ(h.game.Doors[2].State, glim::DoorOpen);
  EXPECT_EQ(h.game.Doors[2].Direction, glim::DirNone);
  EXPECT_EQ(h.game.Obj(1).Name, " Odd name ");

  EXPECT_EQ(glim::FlagToText(true), "1");
  EXPECT_EQ(glim::FlagToText(false), "0");
  EXPECT_FALSE(glim::TextToFlag(""));
  EXPECT_FALSE(glim::TextToFlag("0"));
  EXPECT_EQ(glim::StrToDoorState("2 and more"), glim::DoorLocked);
  EXPECT_EQ(glim::StrToDoorState("4"), glim::DoorNoPassage);
  EXPECT_EQ(glim::StrToDoorState(""), glim::DoorOpen);
  EXPECT_EQ(glim::StrToDoorState(" 2"), glim::DoorOpen);
  EXPECT_EQ(glim::StrToDirection("1"), glim::DirNorth);
  EXPECT_EQ(glim::StrToDirection("5"), glim::DirNone);
  EXPECT_EQ(glim::DoorStateToStr(4), "4");
  EXPECT_EQ(glim::DoorStateToStr(0), "0");
  EXPECT_EQ(glim::DoorStateToStr(5), "0");
  EXPECT_EQ(glim::DirectionToStr(-1), "0");
  EXPECT_EQ(glim::DirectionToStr(2), "2");
}

// The carried count in a file is not trusted: after a load it is the number
// of objects the file says are carried, whatever the line holds.
TEST(SaveGame, CarriedCountIsRecountedFromTheObjects) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_carried");
  // The book (object 1) carried, the map in room 1 with the player.
  h.game.Obj(1).Location = -1;
  h.game.CarriedCount = 1;
  ASSERT_TRUE(h.Save(dir + "good.gam"));
  std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "good.gam"));
  auto withCount = [&](const std::string& count) {
    lines[1] = count;
    WriteText(dir + "c.gam", Join(lines));
    SaveHarness other("save_small");
    EXPECT_TRUE(other.Load(dir + "c.gam")) << count;
    EXPECT_EQ(other.game.CarriedCount, 1) << count;
    other.Take();
    return other.game.CarriedCount;
  };
  for (const char* count : {"-2147483648", "-5", "0", "5", "2147483647"}) withCount(count);

  {  // -2147483648, then the book dropped: no overflow, nothing carried.
    lines[1] = "-2147483648";
    WriteText(dir + "min.gam", Join(lines));
    SaveHarness g("save_small");
    ASSERT_TRUE(g.Load(dir + "min.gam"));
    g.Take();
    EXPECT_TRUE(ContainsInOrder(g.Send("drop book"), {"Ok, you drop the book test"}));
    EXPECT_EQ(g.game.CarriedCount, 0);
    EXPECT_TRUE(ContainsInOrder(g.Send("i"), {"You are carrying 0 Objects\nnothing\n"}));
  }
  {  // A negative count does not let the player carry past the limit.
    lines[1] = "-5";
    WriteText(dir + "neg.gam", Join(lines));
    SaveHarness g("save_small");
    ASSERT_TRUE(g.Load(dir + "neg.gam"));
    g.game.CarryLimit = 1;
    g.Take();
    EXPECT_TRUE(ContainsInOrder(g.Send("take map"), {"Sorry you can't carry any more objects"}));
    EXPECT_FALSE(g.game.IsCarried(2));
  }
  {  // The largest count does not block taking.
    lines[1] = "2147483647";
    WriteText(dir + "max.gam", Join(lines));
    SaveHarness g("save_small");
    ASSERT_TRUE(g.Load(dir + "max.gam"));
    g.Take();
    EXPECT_TRUE(ContainsInOrder(g.Send("take map"), {"O.K You have the map test"}));
    EXPECT_EQ(g.game.CarriedCount, 2);
    EXPECT_TRUE(ContainsInOrder(g.Send("i"), {"You are carrying 2 Objects\nbook test\nmap test\n"}));
  }
}

// An object leaving the player never takes the count below 0, even when it
// had drifted (an object carried beyond the file's count, set by hand here).
TEST(SaveGame, CarriedCountNeverGoesBelowZero) {
  SaveHarness h("save_small");
  h.game.Obj(1).Location = -1;
  h.game.CarriedCount = 0;
  h.game.SetObjectLocation(1, 2);
  EXPECT_EQ(h.game.CarriedCount, 0);
  h.game.Obj(1).Location = -1;
  h.game.CarriedCount = 0;
  h.game.PutObjectHere(1, false);
  EXPECT_EQ(h.game.CarriedCount, 0);
}

// A file far larger than any saved game is refused before it is read, and
// a bad value is quoted short, with its control bytes shown as '?'.
TEST(SaveGame, OversizedFileIsRefusedBeforeItIsRead) {
  SaveHarness h("save_world");
  const std::string dir = TempDir("save_oversized");
  const glim::World before = h.game.world();
  h.Take();
  auto refused = [&](const std::string& path) {
    EXPECT_FALSE(h.Load(path));
    EXPECT_EQ(h.Take(), "Loading game\nLoading " + path + "\n[box] Cannot open file \"" + path + "\". " +
                            std::strerror(EFBIG) + "\n");
    EXPECT_EQ(WorldDiff(before, h.game.world()), "");
    fs::remove(path);
  };
  {  // A single line of 50 MB.
    std::ofstream f(dir + "line.gam", std::ios::binary);
    const std::string block(1 << 20, '7');
    for (int i = 0; i < 50; ++i) f << block;
  }
  refused(dir + "line.gam");
  {  // 25 million empty lines.
    std::ofstream f(dir + "empty.gam", std::ios::binary);
    const std::string block(1 << 20, '\n');
    for (int i = 0; i < 25; ++i) f.write(block.data(), 1000000);
  }
  refused(dir + "empty.gam");
  // One byte over the limit.
  WriteText(dir + "over.gam", std::string((1 << 20) + 1, '\n'));
  refused(dir + "over.gam");
}

TEST(SaveGame, BadValueIsQuotedShortAndPrintable) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_quoted");
  ASSERT_TRUE(h.Save(dir + "good.gam"));
  std::vector<std::string> lines = glim::SplitLines(ReadAll(dir + "good.gam"));
  h.Take();
  // A line of nearly the whole size limit, not a number.
  lines[0] = std::string(1000000, '9') + "x";
  WriteText(dir + "long.gam", Join(lines));
  EXPECT_FALSE(h.Load(dir + "long.gam"));
  EXPECT_EQ(h.Take(), "Loading game\nLoading " + dir + "long.gam\n[box] '" + std::string(40, '9') +
                          "...' is not a valid integer value\n");
  // Control bytes, DEL and the 8-bit controls as '?'; other 8-bit letters kept.
  lines[0] = std::string("1\t2\x01\x1b[31m\x7f\x85\xe9", 12);
  WriteText(dir + "ctl.gam", Join(lines));
  EXPECT_FALSE(h.Load(dir + "ctl.gam"));
  EXPECT_EQ(h.Take(),
            "Loading game\nLoading " + dir + "ctl.gam\n[box] '1?2??[31m??\xe9' is not a valid integer value\n");
  EXPECT_EQ(glim::QuotedValue(std::string(40, 'a')), std::string(40, 'a'));
  EXPECT_EQ(glim::QuotedValue(std::string(41, 'a')), std::string(40, 'a') + "...");
}

TEST(SaveGame, FileOfAWorldWithFewerThingsIsRefused) {
  SaveHarness small("save_small");
  const std::string dir = TempDir("save_counts");
  ASSERT_TRUE(small.Save(dir + "small.gam"));
  SaveHarness big("save_world");
  const glim::World before = big.game.world();
  big.Take();
  EXPECT_FALSE(big.Load(dir + "small.gam"));
  EXPECT_NE(big.Take().find("[box] "), std::string::npos);
  EXPECT_EQ(WorldDiff(before, big.game.world()), "");
}

TEST(SaveGame, SavingOverAFileAsksFirst) {
  SaveHarness h("save_small");
  const std::string path = TempDir("save_overwrite") + "old.gam";
  WriteText(path, "old contents\r\n");
  h.Take();
  h.Send(":answer no");
  EXPECT_EQ(h.Send(":save " + path),
            "Saving game\n[box] " + path + " already exists.\n[box] Do you want to replace it?\n[box] No\n");
  EXPECT_EQ(ReadAll(path), "old contents\r\n");
  h.Send(":answer yes");
  EXPECT_TRUE(ContainsInOrder(h.Send(":save " + path), {"Saving game", "Do you want to replace it?", "Yes"}));
  EXPECT_EQ(ReadAll(path).substr(0, 3), "1\r\n");
}

TEST(SaveGame, NameWithoutExtensionGetsGam) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_ext");
  h.Send(":save " + dir + "mygame");
  EXPECT_TRUE(fs::exists(dir + "mygame.gam"));
  h.game.CurrentRoom = 2;
  h.Take();
  h.Send(":load " + dir + "mygame");
  EXPECT_EQ(h.game.CurrentRoom, 1);
}

TEST(SaveGame, FailedSaveKeepsOldFileAndGame) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_fail");
  const glim::World before = h.game.world();
  h.Take();

  // A folder that does not exist.
  const std::string missing = dir + "no/such/folder/x.gam";
  h.platform.QueueFile(missing);
  h.game.SaveGame();
  EXPECT_TRUE(ContainsInOrder(h.Take(), {"Saving game\n", "[box] Cannot create file \"" + missing + "\". "}));
  EXPECT_FALSE(fs::exists(missing));

  // An old file whose replacement cannot be written: the disk takes no more
  // than a few bytes (a file size limit stands in for a full disk).
  const std::string old = dir + "old.gam";
  WriteText(old, "precious\r\n");
  h.Send(":answer yes");
  h.platform.QueueFile(old);
  WithFileSizeLimit(4, [&] { h.game.SaveGame(); });
  EXPECT_TRUE(ContainsInOrder(h.Take(), {"Saving game\n", "Yes\n", "[box] Cannot write file \"" + old + "\". "}));
  EXPECT_EQ(ReadAll(old), "precious\r\n");
  EXPECT_EQ(WorldDiff(before, h.game.world()), "");
}

// Started on a folder without the data files (a wrong game folder), the game
// runs an empty world; its Save says why it cannot save and writes nothing,
// so the player's real save is never replaced by a save of nothing. A New
// that finds the files again makes saving possible again.
TEST(SaveGame, WithoutItsDataFilesTheGameSavesNothing) {
  const std::string dir = TempDir("save_no_data");
  const std::string empty = dir + "empty/";
  fs::create_directories(empty);
  Harness h(empty);
  EXPECT_TRUE(ContainsInOrder(h.Start(), {"[box] Unable to load Word data file " + empty + "glimtext.wdt",
                                          "[box] Unable to load Room data file " + empty + "glimroom.dat"}));
  const std::string real = dir + "mygame.gam";
  WriteText(real, "the player's real save\r\n");
  h.Send(":answer yes");
  h.platform.QueueFile(real);
  h.game.SaveGame();
  EXPECT_EQ(h.Take(),
            "Saving game\n[box] The game cannot be saved: its data files glimtext.wdt and glimroom.dat did "
            "not load from " +
                empty + ", so there is no game in progress. Nothing was written.\n");
  EXPECT_EQ(ReadAll(real), "the player's real save\r\n");

  // One file of the two is not enough either.
  fs::copy_file(Fixture("save_small") + "glimroom.dat", empty + "glimroom.dat");
  h.Send(":new");
  h.platform.QueueFile(real);
  h.game.SaveGame();
  EXPECT_NE(h.Take().find("Nothing was written."), std::string::npos);
  fs::copy_file(Fixture("save_small") + "glimtext.wdt", empty + "glimtext.wdt");
  h.Send(":new");
  h.Send(":answer yes");
  h.platform.QueueFile(real);
  h.game.SaveGame();
  EXPECT_EQ(h.Take(), "Saving game\n[box] " + real + " already exists.\n[box] Do you want to replace it?\n[box] Yes\n");
  EXPECT_EQ(ReadAll(real), glim::SaveText(h.game.world()));
}

TEST(SaveGame, DialogsStartWhereThePlayerMayWrite) {
  SaveHarness h("save_small");
  h.game.InitialFolderWritable = true;
  const glim::FileDialogSpec load = h.game.LoadGSpec();
  const glim::FileDialogSpec save = h.game.GameSSpec();
  EXPECT_EQ(load.Title, "Load a game");
  EXPECT_EQ(save.Title, "Save Current Game");
  EXPECT_EQ(load.Filter, "Saved Brimel Game|*.gam");
  EXPECT_EQ(save.Filter, "Saved Brimel Game|*.gam");
  EXPECT_EQ(load.DefaultExt, "gam");
  EXPECT_EQ(save.DefaultExt, "gam");
  EXPECT_EQ(load.InitialDir, Fixture("save_small"));
  EXPECT_EQ(save.InitialDir, Fixture("save_small"));

  std::string home = TempDir("save_xdg");
  home.pop_back();  // as the variable is usually written, without the slash
  const char* was = std::getenv("XDG_DATA_HOME");
  const std::string keep = was ? was : "";
  setenv("XDG_DATA_HOME", home.c_str(), 1);
  h.game.InitialFolderWritable = false;
  const std::string folder = h.game.GameSSpec().InitialDir;
  EXPECT_EQ(h.game.LoadGSpec().InitialDir, folder);
  if (was)
    setenv("XDG_DATA_HOME", keep.c_str(), 1);
  else
    unsetenv("XDG_DATA_HOME");
  EXPECT_EQ(folder, home + "/glimmerhold/");
  EXPECT_TRUE(fs::is_directory(folder));
}

// The Load button: the room is shown afterwards, whether the dialog was
// cancelled, the file refused or the game loaded.
TEST(SaveGame, LoadButtonShowsTheRoomAfterwards) {
  SaveHarness h("save_world");
  const std::string dir = TempDir("save_button");
  h.game.CurrentRoom = 12;
  ASSERT_TRUE(h.Save(dir + "at12.gam"));
  h.game.CurrentRoom = 13;
  h.Take();

  EXPECT_EQ(h.Send(":load"),
            "[sound] repeat off\nLoading game\nyou are in test room 13.\nwhat shall we do now?\n"
            "A candle test is here.\n");

  WriteText(dir + "broken.gam", "12\r\nabc\r\n");
  EXPECT_EQ(h.Send(":load " + dir + "broken.gam"),
            "[sound] repeat off\nLoading game\nLoading " + dir +
                "broken.gam\n[box] 'abc' is not a valid integer value\n"
                "you are in test room 13.\nwhat shall we do now?\nA candle test is here.\n");
  EXPECT_EQ(h.game.CurrentRoom, 13);

  EXPECT_EQ(h.Send(":load " + dir + "at12.gam"),
            "[sound] repeat off\nLoading game\nLoading " + dir +
                "at12.gam\n"
                "you are in test room 12.\nwhat shall we do now?\nThe map test is here.\n");
  EXPECT_EQ(h.game.CurrentRoom, 12);
}

// While a command is still running (one of its pauses), the buttons are not
// acted on: a load would change the world under it.
TEST(SaveGame, ButtonsWaitForTheRunningCommand) {
  SaveHarness h("save_small");
  const std::string dir = TempDir("save_busy");
  ASSERT_TRUE(h.Save(dir + "a.gam"));
  h.game.CurrentRoom = 2;
  h.game.CommandRunning = true;
  h.Take();
  EXPECT_EQ(h.Send(":load " + dir + "a.gam"), "");
  EXPECT_EQ(h.game.CurrentRoom, 2);
  EXPECT_EQ(h.Send(":save " + dir + "b.gam"), "");
  EXPECT_FALSE(fs::exists(dir + "b.gam"));
}

}  // namespace
}  // namespace glimtest
