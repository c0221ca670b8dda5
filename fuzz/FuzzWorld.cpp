#include "FuzzWorld.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

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

// The sprite sheets of the world and the picture of its first room, decoded
// once: every game of the run would otherwise decode the same pictures again.
struct SpriteCache {
  std::string Folder;
  std::vector<glim::Image> Upright, Lying, Icons;
  glim::Image FirstRoom;
  std::string FirstRoomFile;
};

const SpriteCache& Sprites() {
  static const SpriteCache cache = [] {
    SpriteCache c;
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
    c.Upright = g.lstCharacters;
    c.Lying = g.Chars2;
    c.Icons = g.LstObjImages;
    g.CurrentRoom = 1;
    g.LoadRoomPicture();
    c.FirstRoom = g.View;
    c.FirstRoomFile = g.ViewFile;
    return c;
  }();
  return cache;
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
  const SpriteCache& s = Sprites();
  if (s.Folder == folder) {
    game.lstCharacters = s.Upright;
    game.Chars2 = s.Lying;
    game.LstObjImages = s.Icons;
    game.SpritesFolder = s.Folder;
    game.View = s.FirstRoom;
    game.ViewFile = s.FirstRoomFile;
  }
}

void FuzzGame::Start() { game.FormActivate(); }

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

namespace {

template <class T>
void Put(std::vector<std::string>& f, const char* name, const T& v) {
  std::ostringstream s;
  s << name << '=' << v;
  f.push_back(s.str());
}

}  // namespace

WorldState WorldState::Of(const glim::Game& g) {
  using namespace glim;
  WorldState w;
  auto& f = w.Fields;
  Put(f, "CurrentRoom", g.CurrentRoom);
  Put(f, "CarriedCount", g.CarriedCount);
  Put(f, "CarryLimit", g.CarryLimit);
  Put(f, "RoomCount", g.RoomCount);
  Put(f, "DoorIndex", g.DoorIndex);
  Put(f, "Flags",
      std::to_string(g.PlayerDirty) + std::to_string(g.PlayerWarm) + std::to_string(g.PlayerInvisible) +
          std::to_string(g.TrollsScared) + std::to_string(g.WallsStopped) + std::to_string(g.CompanionFollows) +
          std::to_string(g.DrinkFlag) + std::to_string(g.LockFlag));
  Put(f, "Counts",
      std::to_string(g.VerbCount) + "," + std::to_string(g.AdverbCount) + "," + std::to_string(g.UnrealCount) + "," +
          std::to_string(g.ObjectCount) + "," + std::to_string(g.BaddieCount) + "," + std::to_string(g.DoorCount) +
          "," + std::to_string(g.UpCount) + "," + std::to_string(g.DownCount));
  Put(f, "EventT", std::to_string(g.EventTEnabled) + "," + std::to_string(g.EventTInterval));
  for (int k = 0; k <= MaxObjects; ++k) {
    const TObjectRec& o = g.WordLists.Objects[k];
    Put(f, "Object",
        std::to_string(k) + ":" + o.Name + "|" + o.Qualifier + "|" + std::to_string(o.Location) + "|" +
            std::to_string(o.State) + "|" + std::to_string(o.Tense) + "|" + std::to_string(o.X) + "|" +
            std::to_string(o.Y) + "|" + std::to_string(o.Number));
  }
  for (int k = 0; k <= MaxBaddies; ++k) {
    const TBaddieRec& b = g.WordLists.Baddies[k];
    Put(f, "Baddie",
        std::to_string(k) + ":" + b.Name + "|" + b.Qualifier + "|" + std::to_string(b.Location) + "|" +
            std::to_string(b.BlockCode) + "|" + std::to_string(b.Pronoun) + "|" + std::to_string(b.Tense) + "|" +
            std::to_string(b.Lying) + "|" + std::to_string(b.Picture) + "|" + std::to_string(b.LyingPicture));
  }
  for (int k = 0; k <= MaxDoors; ++k) {
    const TDoor& d = g.Doors[k];
    Put(f, "Door",
        std::to_string(k) + ":" + std::to_string(d.State) + "|" + std::to_string(d.Room) + "|" +
            std::to_string(d.Direction) + "|" + std::to_string(d.Key));
  }
  for (int k = 0; k <= MaxRooms; ++k) {
    const TRoom& r = g.Rooms[k];
    Put(f, "Room",
        std::to_string(k) + ":" + std::to_string(r.North) + "|" + std::to_string(r.South) + "|" +
            std::to_string(r.East) + "|" + std::to_string(r.West) + "|" + std::to_string(r.LineCount));
    for (const std::string& t : g.RoomText[k]) Put(f, "RoomText", t);
  }
  for (int k = 0; k <= MaxLinks; ++k) {
    Put(f, "Up", std::to_string(g.UpLinks[k].Upper) + "|" + std::to_string(g.UpLinks[k].Lower));
    Put(f, "Down", std::to_string(g.DownLinks[k].Upper) + "|" + std::to_string(g.DownLinks[k].Lower));
  }
  for (int k = 0; k <= MaxVerbs; ++k) Put(f, "Verb", g.WordLists.Verbs[k]);
  for (int k = 0; k <= MaxAdverbs; ++k) Put(f, "Adverb", g.WordLists.AdVerbs[k]);
  for (int k = 0; k <= MaxUnreals; ++k)
    Put(f, "Unreal", g.WordLists.Unreals[k].Name + "|" + g.WordLists.Unreals[k].Qualifier);
  for (const std::string& w : g.IgnoredWords) Put(f, "Ignored", w);
  return w;
}

std::string WorldState::FirstDifference(const WorldState& o) const {
  for (size_t i = 0; i < Fields.size() && i < o.Fields.size(); ++i)
    if (Fields[i] != o.Fields[i]) return Fields[i] + " became " + o.Fields[i];
  return Fields.size() == o.Fields.size() ? "nothing" : "the number of fields";
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
  within("IgnoredFill", g.IgnoredFill, MaxIgnored);
  if (g.CurrentRoom < 0 || g.CurrentRoom > MaxRooms) Fail("CurrentRoom is " + std::to_string(g.CurrentRoom));
  // Only objects are counted as carried, each at most once.
  within("CarriedCount", g.CarriedCount, MaxObjects);
}

}  // namespace glimfuzz
