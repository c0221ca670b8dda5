// Where the game's data folder is: next to the program (a build tree or an
// unpacked copy), or in the installed data folder.
#pragma once

#include <string>

namespace glim {

// The folder of the running executable, ending in '/'.
std::string ExecutableFolder();
// The game folder (ending in '/'): the first of <exe>/data/ (a build tree
// or an unpacked copy), the installed data folder (<prefix>/share/glimmerhold/
// beside <prefix>/bin/) and the source tree's data folder that holds the
// word data file.
std::string FindGameFolder();
// The player's own folder for saved games ($XDG_DATA_HOME/glimmerhold/),
// created on demand; ends in '/'.
std::string PlayerDataFolder();

}  // namespace glim
