// Where the game's data folder is: next to the program (a build tree or an
// unpacked copy), or in the installed data folder.
#pragma once

#include <cstddef>
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

// The credits and introduction, credits.txt of the game folder, that the
// splash scrolls and the About box shows. The shipped text is under 1 kB;
// the window draws the whole text on one line of a picture about 1.6 kB of
// memory per character, so the text is read only when it is a regular file
// of at most 8 KiB (some 13 MB of picture, minutes of scrolling). Anything
// else (missing, too large, a pipe, a device) gives no text.
constexpr size_t MaxCreditsBytes = 8 * 1024;
std::string ReadCredits(const std::string& folder);

}  // namespace glim
