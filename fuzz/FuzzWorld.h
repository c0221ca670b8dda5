// What the fuzz targets share: the world they play in, a game on the text
// platform with its output thrown away, a report of how two worlds differ,
// and the checks every target makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "app/term/TextPlatform.h"
#include "world/Game.h"

namespace glimfuzz {

// The game folder the targets play: GLIM_FUZZ_WORLD when set, else the
// shipped game in data/ when its data files are there, else a test world.
const std::string& WorldFolder();
// The lines of the world's two data files, read once.
const std::vector<std::string>& WorldWordLines();
const std::vector<std::string>& WorldRoomLines();
// A folder of this process for the files the targets write.
const std::string& TempFolder();

std::string AsText(const uint8_t* data, size_t size);

// A game on the text platform with a virtual clock and no sound. What it
// prints is dropped unless GLIM_FUZZ_ECHO is set (then it goes to stderr),
// which helps when reading what a found input does.
struct FuzzGame {
  std::ostream out;
  glim::TextPlatform platform;
  glim::Game game;

  explicit FuzzGame(const std::string& folder = WorldFolder());
  ~FuzzGame();
  FuzzGame(const FuzzGame&) = delete;
  FuzzGame& operator=(const FuzzGame&) = delete;
  // The start-up sequence of the window's first activation. The data files
  // are read and the first state set once for the run (checked once to give
  // the same game as the whole sequence); each game then only shows its
  // first room.
  void Start();
  // The world's data files without showing anything, as start-up reads them.
  void LoadWorld();
  // One input line as the terminal game runs it. Meta-commands that name a
  // file (:save, :load, :scene, :carried) are kept inside TempFolder().
  // Returns false once the window has been closed.
  bool Line(const std::string& line);
  // Feeds the text line by line (at most maxLines) and checks the world
  // after each; with showAfter the room is shown again after each line.
  void Play(const std::string& text, size_t maxLines, bool showAfter = true);

 private:
  bool borrowed_ = false;  // holds the run's pooled pictures (FuzzWorld.cpp)
};

// Rewrites a meta-command's file name to one inside TempFolder().
std::string KeepFilesInside(const std::string& line);

// What differs between two worlds, for a report: the first line of their
// saved games that differs, or that a field a save does not hold differs.
std::string Difference(const glim::World& a, const glim::World& b);

// The checks that hold after anything at all: counts within their tables
// and the player on the map. Aborts with a message otherwise.
void CheckInvariants(const glim::Game& g);
[[noreturn]] void Fail(const std::string& what);

}  // namespace glimfuzz
