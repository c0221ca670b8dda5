#include "FuzzWorld.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>

#include "savegame/SaveFile.h"
#include "world/Text.h"

namespace glimfuzz {

namespace fs = std::filesystem;

namespace {

bool HasWorld(const std::string& folder) {
  std::error_code ec;
  return fs::is_regular_file(folder + "glimtext.wdt", ec) && fs::is_regular_file(folder + "glimroom.dat", ec);
}

std::vector<std::string> ReadLines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return glim::SplitLines(ss.str());
}

// The pictures a game needs, made once for the run: the sprite sheets of
// the world, the picture of its first room, and the buffers the scene and
// the carried-objects panel are drawn into. Each game borrows them while it
// lives: they are moved in and back, never copied, so that an input costs
// what the game does with it rather than megabytes of copying and of fresh
// memory (which the address sanitizer makes dear: every large block is new
// pages, poisoned on the way in and held in quarantine on the way out).
struct PicturePool {
  std::string Folder;  // the game folder the sheets were loaded from
  std::vector<glim::Image> Upright, Lying, Icons;
  glim::Image View, Composed, Carried;
  glim::Image ShownScene, ShownCarried;  // the platform's copies
  std::string ViewFile;
  bool Lent = false;
};

PicturePool& Pool() {
  static PicturePool pool = [] {
    PicturePool c;
    std::ostream null(nullptr);
    glim::TextOptions o;
    o.Folder = WorldFolder();
    o.VirtualClock = true;
    o.Silent = true;
    glim::TextPlatform p(null, o);
    glim::Game g(p);
    g.GameFolder = o.Folder;
    g.LoadImageLists();
    c.Folder = g.SpritesFolder;
    c.Upright = std::move(g.lstCharacters);
    c.Lying = std::move(g.Chars2);
    c.Icons = std::move(g.LstObjImages);
    g.CurrentRoom = 1;
    g.LoadRoomPicture();
    c.View = std::move(g.View);
    c.ViewFile = std::move(g.ViewFile);
    return c;
  }();
  return pool;
}

// Moves the pooled pictures into the game and its platform, or back (the
// same swaps).
void SwapPictures(PicturePool& pool, glim::TextPlatform& p, glim::Game& g) {
  p.SwapShown(pool.ShownScene, pool.ShownCarried);
  std::swap(g.lstCharacters, pool.Upright);
  std::swap(g.Chars2, pool.Lying);
  std::swap(g.LstObjImages, pool.Icons);
  std::swap(g.SpritesFolder, pool.Folder);
  std::swap(g.View, pool.View);
  std::swap(g.ViewFile, pool.ViewFile);
  std::swap(g.Composed, pool.Composed);
  std::swap(g.Carried, pool.Carried);
}

}  // namespace

const std::string& WorldFolder() {
  static const std::string folder = [] {
    if (const char* env = std::getenv("GLIM_FUZZ_WORLD"); env && *env) {
      std::string f = env;
      if (f.back() != '/') f += '/';
      return f;
    }
    const std::string src = GLIM_FUZZ_SOURCE_DIR;
    if (HasWorld(src + "/data/")) return src + "/data/";
    return src + "/tests/fixtures/numbered/";
  }();
  return folder;
}

const std::vector<std::string>& WorldWordLines() {
  static const std::vector<std::string> lines = ReadLines(WorldFolder() + "glimtext.wdt");
  return lines;
}

const std::vector<std::string>& WorldRoomLines() {
  static const std::vector<std::string> lines = ReadLines(WorldFolder() + "glimroom.dat");
  return lines;
}

const std::string& TempFolder() {
  static const std::string folder = [] {
    const fs::path dir = fs::temp_directory_path() / ("glimfuzz-" + std::to_string(getpid()));
    std::error_code ec;
    fs::create_directories(dir, ec);
    static const std::string keep = dir.string();
    std::atexit([] {
      std::error_code e;
      fs::remove_all(keep, e);
    });
    return dir.string() + "/";
  }();
  return folder;
}

std::string AsText(const uint8_t* data, size_t size) { return std::string(reinterpret_cast<const char*>(data), size); }

void Fail(const std::string& what) {
  std::fprintf(stderr, "glimfuzz: %s\n", what.c_str());
  std::fflush(stderr);
  std::abort();
}

namespace {

glim::TextOptions Options(const std::string& folder) {
  glim::TextOptions o;
  o.Folder = folder;
  o.VirtualClock = true;
  o.Silent = true;
  return o;
}

std::streambuf* OutBuffer() {
  static const bool echo = std::getenv("GLIM_FUZZ_ECHO") != nullptr;
  return echo ? std::cerr.rdbuf() : nullptr;
}

}  // namespace

FuzzGame::FuzzGame(const std::string& folder) : out(OutBuffer()), platform(out, Options(folder)), game(platform) {
  PicturePool& pool = Pool();
  if (pool.Lent || pool.Folder != folder) return;  // a game of its own pictures
  SwapPictures(pool, platform, game);
  pool.Lent = borrowed_ = true;
}

FuzzGame::~FuzzGame() {
  if (!borrowed_) return;
  PicturePool& pool = Pool();
  SwapPictures(pool, platform, game);
  pool.Lent = false;
  // Had the game loaded its sheets from another folder, the pool now holds
  // those under that folder's name, and lends them to no game of the world.
}

namespace {

// Start-up from the world as it stands just before the first room is shown:
// the steps of the first activation up to there, with the data files read
// and the state set once for the run instead of once per input.
void StartFrom(FuzzGame& g, const glim::World& beforeFirstShow) {
  glim::Game& game = g.game;
  game.FirstActivationDone = true;
  game.GameFolder = g.platform.ProgramFolder();
  game.InitialFolderWritable = g.platform.FolderWritable(game.GameFolder);
  game.RepeatSound = true;  // the title music was started to repeat
  game.DataFilesLoaded = true;
  game.world() = beforeFirstShow;
  game.ShowRoom(true);
}

// What a started game holds that a later step can tell: its world, its
// flags, and what the platform shows and counts.
bool SameStart(FuzzGame& a, FuzzGame& b) {
  const glim::Game &x = a.game, &y = b.game;
  bool same = x.world() == y.world() && x.GameFolder == y.GameFolder && x.RepeatSound == y.RepeatSound &&
              x.DataFilesLoaded == y.DataFilesLoaded && x.InitialFolderWritable == y.InitialFolderWritable &&
              x.FirstActivationDone == y.FirstActivationDone && x.View.Px == y.View.Px &&
              a.platform.TickCount() == b.platform.TickCount() && a.platform.TimerArmed() == b.platform.TimerArmed() &&
              a.platform.Scene().Px == b.platform.Scene().Px &&
              a.platform.CarriedPanel().Px == b.platform.CarriedPanel().Px;
  for (int d = 1; d <= 4; ++d) same = same && a.platform.DirectionEnabled(d) == b.platform.DirectionEnabled(d);
  return same;
}

// The world before the first showing, when starting from it has been seen
// to give the same game as the start-up itself; otherwise none, and every
// game runs the whole start-up.
const std::optional<glim::World>& StartPoint() {
  static const std::optional<glim::World> point = []() -> std::optional<glim::World> {
    FuzzGame first;
    first.game.GameFolder = first.platform.ProgramFolder();
    if (!first.game.LoadDataFiles() || !first.game.DataFilesLoaded) return std::nullopt;
    first.game.InitialiseState();
    for (int k = 1; k <= first.game.ObjectCount; ++k) first.game.Obj(k).Number = k;
    const glim::World before = first.game.world();
    FuzzGame whole, quick;
    whole.game.FormActivate();
    StartFrom(quick, before);
    if (!SameStart(whole, quick)) {
      std::fprintf(stderr, "glimfuzz: a quick start differs from the start-up; every input runs the start-up\n");
      return std::nullopt;
    }
    return before;
  }();
  return point;
}

}  // namespace

void FuzzGame::Start() {
  const std::optional<glim::World>& point = StartPoint();
  if (point && platform.ProgramFolder() == WorldFolder())
    StartFrom(*this, *point);
  else
    game.FormActivate();
}

void FuzzGame::LoadWorld() {
  game.GameFolder = platform.ProgramFolder();
  if (game.LoadWordData(WorldWordLines())) game.BuildIgnoredWords();
  game.LoadRoomData(WorldRoomLines());
}

std::string KeepFilesInside(const std::string& line) {
  if (line.empty() || line[0] != ':') return line;
  std::istringstream in(line.substr(1));
  std::string command, name;
  in >> command >> name;
  if (name.empty()) return line;
  // A few names, so that a game saved under one can be loaded again.
  const char c = name[0];
  const std::string tag = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ? std::string(1, c) : "x";
  if (command == "save" || command == "load") return ":" + command + " " + TempFolder() + "game_" + tag + ".gam";
  if (command == "scene" || command == "carried") return ":" + command + " " + TempFolder() + "picture.png";
  return line;
}

bool FuzzGame::Line(const std::string& line) { return platform.HandleLine(game, KeepFilesInside(line)); }

void FuzzGame::Play(const std::string& text, size_t maxLines, bool showAfter) {
  const std::vector<std::string> lines = glim::SplitLines(text);
  size_t n = 0;
  for (const std::string& l : lines) {
    if (++n > maxLines) break;
    if (!Line(l) || platform.Closed()) break;
    CheckInvariants(game);
    if (!showAfter) continue;
    game.ShowRoom(false);
    CheckInvariants(game);
  }
}

std::string Difference(const glim::World& a, const glim::World& b) {
  if (a == b) return "nothing";
  const std::vector<std::string> x = glim::SplitLines(glim::SaveText(a)), y = glim::SplitLines(glim::SaveText(b));
  for (size_t i = 0; i < x.size() && i < y.size(); ++i)
    if (x[i] != y[i]) return "saved line " + std::to_string(i) + " '" + x[i] + "' to '" + y[i] + "'";
  if (x.size() != y.size()) return "the number of saved lines";
  return "a field that a saved game does not hold";
}

void CheckInvariants(const glim::Game& g) {
  using namespace glim;
  auto within = [](const char* what, int32_t v, int cap) {
    if (v < 0 || v > cap) Fail(std::string(what) + " is " + std::to_string(v) + ", outside 0.." + std::to_string(cap));
  };
  within("VerbCount", g.VerbCount, MaxVerbs);
  within("AdverbCount", g.AdverbCount, MaxAdverbs);
  within("UnrealCount", g.UnrealCount, MaxUnreals);
  within("ObjectCount", g.ObjectCount, MaxObjects);
  within("BaddieCount", g.BaddieCount, MaxBaddies);
  within("DoorCount", g.DoorCount, MaxDoors);
  within("UpCount", g.UpCount, MaxLinks);
  within("DownCount", g.DownCount, MaxLinks);
  if (g.CurrentRoom < 0 || g.CurrentRoom > MaxRooms) Fail("CurrentRoom is " + std::to_string(g.CurrentRoom));
  // Only objects are counted as carried, each at most once.
  within("CarriedCount", g.CarriedCount, MaxObjects);
}

}  // namespace glimfuzz
