// glim-worldcheck [DATA_FOLDER]: checks the world's two data files and prints
// one line per fault. Exits 0 when the world is sound, 1 when it has faults,
// 2 on a wrong command line.
#include <cstdio>
#include <iostream>
#include <string>

#include "tools/worldcheck/WorldCheck.h"

int main(int argc, char** argv) {
  if (argc > 2 || (argc == 2 && (std::string(argv[1]) == "-h" || std::string(argv[1]) == "--help"))) {
    std::cerr << "usage: glim-worldcheck [DATA_FOLDER]\n"
              << "Checks glimtext.wdt and glimroom.dat in DATA_FOLDER (default: " << GLIM_DEFAULT_DATA_DIR << ").\n"
              << "Prints one line per fault, naming the file and the entry; line numbers count from 1.\n";
    return 2;
  }
  const std::string folder = argc == 2 ? argv[1] : GLIM_DEFAULT_DATA_DIR;
  const auto faults = worldcheck::CheckFolder(folder);
  for (const std::string& f : faults) std::cout << f << '\n';
  return faults.empty() ? 0 : 1;
}
