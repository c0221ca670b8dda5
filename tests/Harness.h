// A game on the text platform with a virtual clock, for tests: commands go
// in, printed lines come out.
#pragma once

#include <filesystem>
#include <initializer_list>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/term/TextPlatform.h"
#include "world/Game.h"

namespace glimtest {

inline std::string TestDir() { return GLIM_TEST_DIR; }
inline std::string Fixture(const std::string& name) { return TestDir() + "/fixtures/" + name + "/"; }

// A fresh folder for one test's files.
std::string TempDir(const std::string& name);
// Writes text to a file, making its folder.
void WriteText(const std::string& path, const std::string& text);
// The terminal program of this build, beside the tests' folder.
std::string TermProgram();
// Copies a fixture folder to a fresh temp folder and returns it.
std::string CopyFixture(const std::string& fixture, const std::string& name);
// The whole file as bytes; empty when it cannot be read.
std::string ReadAll(const std::string& path);
// How often `what` occurs in `text`, without overlaps.
int Count(const std::string& text, const std::string& what);
// The lines as one text, each ended by `eol` (the game's files use CR LF).
std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n");

struct Harness {
  std::ostringstream out;
  glim::TextPlatform platform;
  glim::Game game;

  explicit Harness(const std::string& folder, bool trace = true, bool silent = true)
      : platform(out, Options(folder, trace, silent)), game(platform) {}

  static glim::TextOptions Options(const std::string& folder, bool trace, bool silent) {
    glim::TextOptions o;
    o.Folder = folder;
    o.VirtualClock = true;
    o.Trace = trace;
    o.Silent = silent;
    return o;
  }
  // Runs the start-up sequence; returns what it printed.
  std::string Start() {
    game.FormActivate();
    return Take();
  }
  // Sends one input line (a command or a ':' meta-command); returns what it printed.
  std::string Send(const std::string& line) {
    platform.HandleLine(game, line);
    return Take();
  }
  // Moves the player to a room with the room-jump control; returns what it printed.
  std::string Jump(int room) { return Send(":room " + std::to_string(room)); }
  // Makes the objects carried; false when the carry limit refused one.
  bool Carry(std::initializer_list<int> objects) {
    for (int o : objects)
      if (!game.AddToCarried(o)) return false;
    return true;
  }
  std::string Take() {
    std::string s = out.str();
    out.str("");
    return s;
  }
  std::vector<std::string> Lines(const std::string& s) const;
};

// One command of a walkthrough file (tests/walkthrough/), with the texts
// that its "# expect: TEXT" lines say it prints, and its line number.
struct WalkStep {
  std::string command;
  std::vector<std::string> expect;
  int line = 0;
};
std::vector<WalkStep> ReadWalkthrough(const std::string& path);

// How two worlds differ, for a test's message: "" when they are equal, else
// the first line of their saved games that differs, or that a field a save
// does not hold differs.
std::string WorldDiff(const glim::World& want, const glim::World& got);

// True when every line of `needles` occurs in `haystack`, in this order.
bool ContainsInOrder(const std::string& haystack, const std::vector<std::string>& needles);

}  // namespace glimtest
