// The help pages on a text stream. On a pipe the contents and single pages
// are printed whole and nothing is read; at a terminal the player picks pages
// from the contents by number or name and reads them a screen at a time.
#pragma once

#include <functional>
#include <iosfwd>
#include <optional>
#include <string>
#include <vector>

#include "shell/HelpFile.h"

namespace glim {

// How the help talks to a player at a terminal.
struct HelpTerminal {
  // Shows the prompt and reads one line; nullopt at the end of input.
  std::function<std::optional<std::string>(const std::string& prompt)> ReadLine;
  // Waits for one key, without echo: its byte, or -1 at the end of input.
  std::function<int()> ReadKey;
  // The terminal's size; 0 when it is not known.
  std::function<int()> Rows;
  std::function<int()> Columns;
};

class HelpPager {
 public:
  explicit HelpPager(std::ostream& out) : out_(out) {}

  // Opens the help file; false when it cannot be read as one.
  bool Open(const std::string& path) { return file_.Open(path) && !file_.Contents().empty(); }
  const HelpFile& File() const { return file_; }

  // The numbered contents (`width` 0: lines are not wrapped).
  void PrintContents(int width);
  // The contents and how to read a page with :help, for a pipe.
  void PrintContentsForPipe(int width);
  // The page the choice names, whole, with its links by name; when no page
  // fits the choice, says so and returns false.
  bool PrintPage(const std::string& choice, int width);
  // At a terminal: the contents (or the page `choice` names), then pages
  // chosen by number or name, paged to the screen, until the player enters
  // an empty line or q, or input ends.
  void Browse(const HelpTerminal& term, const std::string& choice = "");

  // The lines of a page as shown: its text at `width`, then its links, by
  // number and name when `numbered`, else by name.
  std::vector<std::string> PageLines(size_t topic, int width, bool numbered) const;

 private:
  // The topic the choice names; otherwise prints why there is none.
  std::optional<size_t> Choose(const std::string& choice, int width);
  // Prints lines a screen at a time with a "-- more --" prompt; false when
  // the player stopped (q) or input ended.
  bool Page(const HelpTerminal& term, const std::vector<std::string>& lines);
  void Print(const std::string& line, int width, int indent = 0);

  std::ostream& out_;
  HelpFile file_;
};

}  // namespace glim
