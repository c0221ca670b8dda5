// glim-worldcheck [--dead-ends] [--walkthrough FILE] [--nouns] [DATA_FOLDER]:
// checks the world's two data files and prints one line per fault. With
// --dead-ends it then plays the winning walkthrough and searches it for dead
// ends (a report that is printed whole); with --nouns it lists the nouns the
// room texts name that the game does not know. Exits 0 when the world is
// sound, 1 when it has faults (an unwarned dead end is one), 2 on a wrong
// command line.
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <string>

#include "tools/worldcheck/DeadEnds.h"
#include "tools/worldcheck/Nouns.h"
#include "tools/worldcheck/WorldCheck.h"

namespace {

int Usage() {
  std::cerr << "usage: glim-worldcheck [--dead-ends] [--walkthrough FILE] [--trace-step N] [--nouns] [DATA_FOLDER]\n"
            << "Checks glimtext.wdt and glimroom.dat in DATA_FOLDER (default: " << GLIM_DEFAULT_DATA_DIR << ").\n"
            << "Prints one line per fault, naming the file and the entry; line numbers count from 1.\n"
            << "  --dead-ends         also play the winning walkthrough and try every single deviation\n"
            << "                      from it; lists each dead end with its warning, an unwarned one as a fault\n"
            << "  --walkthrough FILE  the walkthrough to play (default: " << GLIM_DEFAULT_WALKTHROUGH << ")\n"
            << "  --trace-step N      search from walkthrough state N only, printing every command run\n"
            << "  --nouns             list, per room, the nouns its text names that the game does not know\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  bool deadEnds = false, nouns = false;
  std::string folder = GLIM_DEFAULT_DATA_DIR, walkthrough = GLIM_DEFAULT_WALKTHROUGH;
  bool folderGiven = false;
  worldcheck::SearchOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--dead-ends") {
      deadEnds = true;
    } else if (a == "--nouns") {
      nouns = true;
    } else if (a == "--trace-step" && i + 1 < argc) {
      // Searches from one walkthrough state only and shows every command
      // the search runs from it, with what it printed.
      deadEnds = true;
      options.onlySteps.push_back(std::atoi(argv[++i]));
      options.trace = [](const std::string& command, const std::string& printed) {
        std::cout << "> " << command << '\n' << printed;
      };
    } else if (a == "--walkthrough" && i + 1 < argc) {
      walkthrough = argv[++i];
    } else if (a.empty() || a[0] == '-' || folderGiven) {
      return Usage();
    } else {
      folder = a;
      folderGiven = true;
    }
  }
  const auto faults = worldcheck::CheckFolder(folder);
  for (const std::string& f : faults) std::cout << f << '\n';
  if (!faults.empty()) return 1;
  if (!deadEnds && !nouns) return 0;

  const std::string base = folder.back() == '/' ? folder : folder + "/";
  std::string words, rooms;
  worldcheck::ReadWhole(base + "glimtext.wdt", words);
  worldcheck::ReadWhole(base + "glimroom.dat", rooms);
  if (nouns)
    for (const std::string& l : worldcheck::FormatDeadNouns(worldcheck::DeadNouns(words, rooms)))
      std::cout << l << '\n';
  if (!deadEnds) return 0;
  std::string walk;
  if (!worldcheck::ReadWhole(walkthrough, walk)) {
    std::cout << walkthrough << ": cannot be read\n";
    return 1;
  }
  const worldcheck::DeadEndReport report =
      worldcheck::FindDeadEnds(words, rooms, worldcheck::ReadWalkthrough(walk), options);
  for (const std::string& l : worldcheck::FormatDeadEnds(report)) std::cout << l << '\n';
  return report.Faults() == 0 ? 0 : 1;
}
