// The player's command line at a terminal: a prompt, line editing and a
// history of the lines typed in this session, with libedit. Used only when
// both standard input and standard output are terminals.
#pragma once

#include <functional>
#include <memory>
#include <string>

namespace glim {

class LineEditor {
 public:
  enum class Result {
    Line,   // the player pressed Enter; the line is in `line`
    Timer,  // the wait given by msUntilTimer ran out first
    End,    // end of input (Ctrl-D on an empty line) or a read error
  };

  explicit LineEditor(const char* program, std::string prompt = "> ");
  ~LineEditor();
  LineEditor(const LineEditor&) = delete;
  LineEditor& operator=(const LineEditor&) = delete;

  // Reads one line. Before every key it asks msUntilTimer how long to wait
  // for one (-1: for ever); when a wait runs out the read ends with Timer,
  // and what had been typed so far comes back in the next read, so that the
  // game's timer can speak without losing the player's half-typed command.
  Result Read(std::string& line, const std::function<int()>& msUntilTimer);
  // The prompt of the reads that follow.
  void SetPrompt(std::string prompt);

  struct State;

 private:
  void HoldKeys();
  std::unique_ptr<State> s_;
};

}  // namespace glim
