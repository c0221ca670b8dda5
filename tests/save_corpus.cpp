// Every saved game the game writes, it loads back: the round trip on every
// world of the data-file fuzz corpora (the word and room files of the game,
// of the test worlds and the hand-made fuzz seeds), each word file with the
// game's own room file and each room file with the game's own word file.
// A world whose files the readers refuse (the game does not start) is left
// out; for every other one, a save loaded into a second game started on the
// same world gives the same stored fields and, saved again, the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "Harness.h"

namespace glimtest {
namespace {

namespace fs = std::filesystem;

// The files of the corpus of one data file: its name in the game folder.
std::vector<std::string> Corpus(const std::string& name, const std::string& seeds) {
  std::vector<std::string> files = {std::string(GLIM_DATA_DIR) + "/" + name};
  for (const auto& e : fs::directory_iterator(TestDir() + "/fixtures"))
    if (fs::exists(e.path() / name)) files.push_back((e.path() / name).string());
  const fs::path dir = fs::path(TestDir()) / ".." / "fuzz" / "seeds" / seeds;
  if (fs::is_directory(dir))
    for (const auto& e : fs::directory_iterator(dir)) files.push_back(e.path().string());
  std::sort(files.begin(), files.end());
  return files;
}

// The fields a saved game stores, by name.
std::string Stored(glim::Game& g) {
  std::ostringstream s;
  s << "room " << g.CurrentRoom << " carried " << g.CarriedCount << " flags " << g.DrinkFlag << g.PlayerWarm
    << g.PlayerInvisible << g.WallsStopped << g.PlayerDirty << "\n";
  for (int k = 1; k <= std::min(g.ObjectCount, glim::MaxObjects); ++k) {
    const glim::TObjectRec& o = g.Obj(k);
    s << "object " << k << " " << o.Name << " " << o.Location << " " << o.State << " " << o.Tense << "\n";
  }
  for (int k = 1; k <= std::min(g.BaddieCount, glim::MaxBaddies); ++k) {
    const glim::TBaddieRec& b = g.Baddie(k);
    s << "character " << k << " " << b.Name << " " << b.Location << " " << b.BlockCode << " " << b.Pronoun << " "
      << b.Tense << " " << b.Lying << "\n";
  }
  for (int k = 1; k <= std::min(g.DoorCount, glim::MaxDoors); ++k) {
    const glim::TDoor& d = g.Doors[k];
    s << "door " << k << " " << int(d.State) << " " << d.Room << " " << int(d.Direction) << " " << d.Key << "\n";
  }
  for (int r = 1; r <= std::min(g.RoomCount, glim::MaxRooms); ++r) {
    const glim::TRoom& m = g.Rooms[r];
    s << "room " << r << " " << m.North << " " << m.South << " " << m.East << " " << m.West << "\n";
  }
  return s.str();
}

struct Game : Harness {
  explicit Game(const std::string& folder) : Harness(folder) {}
  bool Started() {
    Start();
    return game.FirstActivationDone && game.CurrentRoom == 1 && game.CarryLimit == 8;
  }
  std::string Save(const std::string& path) {
    platform.QueueFile(path);
    game.SaveGame();
    return Take();
  }
  std::string Load(const std::string& path, bool& ok) {
    platform.QueueFile(path);
    ok = game.LoadGame();
    return Take();
  }
};

// Saves the world at the start and after a walk round its first rooms, and
// loads each save into a second game on the same world.
void RoundTrip(const std::string& tmp, const std::string& wordFile, const std::string& roomFile, int& started,
               int& refused) {
  const std::string dir = TempDir(tmp);
  fs::copy_file(wordFile, dir + "glimtext.wdt");
  fs::copy_file(roomFile, dir + "glimroom.dat");
  const std::string world = fs::path(wordFile).filename().string() + " + " + fs::path(roomFile).filename().string();
  Game a(dir);
  if (!a.Started()) {
    ++refused;
    return;
  }
  ++started;
  for (int step = 0; step < 2; ++step) {
    if (step == 1)
      for (const char* c : {"e", "n", "w", "s", "u", "d", "e", "e", "s", "i"}) a.Send(c);
    const std::string first = dir + "first" + std::to_string(step) + ".gam";
    const std::string again = dir + "again" + std::to_string(step) + ".gam";
    EXPECT_EQ(a.Save(first), "Saving game\n") << world;
    Game b(dir);
    ASSERT_TRUE(b.Started()) << world;
    b.Send("n");  // a different state to load over
    bool ok = false;
    const std::string out = b.Load(first, ok);
    EXPECT_TRUE(ok) << world << " step " << step << ": " << out;
    EXPECT_EQ(out.find("[box]"), std::string::npos) << world << ": " << out;
    EXPECT_EQ(Stored(a.game), Stored(b.game)) << world << " step " << step;
    b.Save(again);
    EXPECT_EQ(ReadAll(first), ReadAll(again)) << world << " step " << step;
  }
}

TEST(SaveCorpus, EveryWordFileWorldLoadsItsOwnSaves) {
  int started = 0, refused = 0;
  for (const std::string& words : Corpus("glimtext.wdt", "words"))
    RoundTrip("save_corpus_words", words, std::string(GLIM_DATA_DIR) + "/glimroom.dat", started, refused);
  EXPECT_GE(started, 10) << refused << " refused";
}

TEST(SaveCorpus, EveryRoomFileWorldLoadsItsOwnSaves) {
  int started = 0, refused = 0;
  for (const std::string& rooms : Corpus("glimroom.dat", "rooms"))
    RoundTrip("save_corpus_rooms", std::string(GLIM_DATA_DIR) + "/glimtext.wdt", rooms, started, refused);
  EXPECT_GE(started, 10) << refused << " refused";
}

}  // namespace
}  // namespace glimtest
