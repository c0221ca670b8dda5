// The dead-end search: the winning walkthrough is played in the game itself,
// and from every state on the way each single step aside a player might take
// (leaving a carried thing behind, giving, eating, using or breaking it,
// walking through a one-way passage) is tried. When the game cannot be won
// again after it, that step is a dead end, and the text the player saw when
// taking it must warn of it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace glim {
struct World;
}

namespace worldcheck {

// One command of a walkthrough file: one command a line, blank lines and
// '#' comments skipped, and "# expect: TEXT" lines naming a text the command
// before must print.
struct WalkStep {
  std::string command;
  std::vector<std::string> expect;
  int line = 0;  // in the file, counted from 1
};
std::vector<WalkStep> ReadWalkthrough(const std::string& text);

// The phrases that count as a warning of a dead end, lower case. A dead end
// is warned when one of them stands in the lines the deviating command
// printed or in the last showing of the room before it (compared without
// regard to case, and with line breaks read as blanks).
const std::vector<std::string>& WarningPhrases();

// The first warning phrase found in `text`, or "" when there is none.
std::string FindWarning(const std::string& text);

struct DeadEnd {
  int step = 0;  // walkthrough commands played before the deviation
  int line = 0;  // the walkthrough line of the last of them (0: none yet)
  int room = 0;
  std::string deviation;  // "drop plank", "walk e to room 93"
  std::string warning;    // the phrase found, "" when unwarned
  std::string seen;       // the text searched for the warning
  // For a thing left behind: the walkthrough command after which the way
  // back to it is closed (its line, 0 when none is), and the warning the
  // player saw there.
  int closedLine = 0;
  std::string closedBy;  // "s in room 12"
  std::string closedWarning;
};

struct DeadEndReport {
  int states = 0;      // walkthrough states searched from
  int deviations = 0;  // deviations tried (each changed the world)
  int answered = 0;    // ... of them answered by an equivalent state searched before
  int deaths = 0;      // deviations that killed the player: not dead ends
  long commands = 0;   // commands the game ran for the search
  std::vector<DeadEnd> deadEnds;
  // Faults of the walkthrough itself (it does not win in this world).
  std::vector<std::string> walkFaults;
  int Faults() const;
};

struct SearchOptions {
  // A change made to the world once the game has started, before the
  // walkthrough is played (tests build fabricated cases this way).
  std::function<void(glim::World&)> patch;
  // Search from these walkthrough states only (all when empty).
  std::vector<int> onlySteps;
  // Told every command the search runs after a deviation, with what it
  // printed, to follow an attempt to rejoin the walkthrough.
  std::function<void(const std::string& command, const std::string& printed)> trace;
};

// Plays `steps` in the world of the two data texts and searches every state.
DeadEndReport FindDeadEnds(const std::string& wordText, const std::string& roomText, const std::vector<WalkStep>& steps,
                           const SearchOptions& options = {});

// The report as printed: the warning phrases, one line per dead end (the
// same deviation in the same room at several steps is one line), the faults
// of the walkthrough and the counts.
std::vector<std::string> FormatDeadEnds(const DeadEndReport& report);

}  // namespace worldcheck
