// Shared pieces of the benchmarks: the game folder, the walkthrough, and a
// game on the text platform whose printed text goes nowhere.
#pragma once

#include <benchmark/benchmark.h>

#include <fstream>
#include <memory>
#include <ostream>
#include <streambuf>
#include <string>
#include <vector>

#include "app/term/TextPlatform.h"
#include "world/Game.h"

namespace glimbench {

inline std::string DataDir() { return GLIM_BENCH_DATA_DIR "/"; }
inline std::string WalkthroughFile() { return GLIM_BENCH_WALKTHROUGH; }

// The commands of a walkthrough file: one a line; blank lines and '#' lines
// (comments and the "# expect:" checks) are not commands.
inline std::vector<std::string> ReadCommands(const std::string& path) {
  std::vector<std::string> cmds;
  std::ifstream in(path);
  for (std::string line; std::getline(in, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    cmds.push_back(line);
  }
  return cmds;
}

// A stream buffer that throws its text away but still takes every byte, so
// the game formats and writes its lines as it would to a terminal.
class NullBuf : public std::streambuf {
 protected:
  int overflow(int c) override { return traits_type::not_eof(c); }
  std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

// A game as the terminal front end plays it from a pipe: the virtual clock
// (pauses take no real time), no sound, no introduction, no wrap.
struct Session {
  NullBuf buf;
  std::ostream out{&buf};
  glim::TextPlatform platform;
  glim::Game game;

  explicit Session(const std::string& folder = DataDir()) : platform(out, Options(folder)), game(platform) {}

  static glim::TextOptions Options(const std::string& folder) {
    glim::TextOptions o;
    o.Folder = folder;
    o.VirtualClock = true;
    o.Silent = true;
    return o;
  }
  // The start-up up to the first room shown.
  void Start() { platform.Begin(game); }
  bool Send(const std::string& line) { return platform.HandleLine(game, line); }
};

// Ends one timed play of the walkthrough, outside the timing: the session
// is dropped, and a play that did not win (the staff carried) stops the
// benchmark with an error. True when it won.
template <class PlaySession>
bool EndPlay(benchmark::State& st, std::unique_ptr<PlaySession>& s) {
  st.PauseTiming();
  const bool won = s->game.Obj(40).Location == glim::LocCarried;
  s.reset();
  st.ResumeTiming();
  if (!won) st.SkipWithError("the walkthrough did not end with the staff carried");
  return won;
}

// Reads a whole file; empty when it cannot be read.
inline std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace glimbench
