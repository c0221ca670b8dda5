#include "FuzzWorld.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
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
