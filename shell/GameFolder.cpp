#include "shell/GameFolder.h"

#include <unistd.h>

#include <cstdlib>
#include <filesystem>

#include "ui/Platform.h"

namespace glim {

namespace fs = std::filesystem;

std::string ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  if (ec) return "./";
  std::string dir = exe.parent_path().string();
  if (dir.empty() || dir.back() != '/') dir += '/';
  return dir;
}

// The installed data folder, seen from the installed programs' folder; the
// build says where it installs both, so a relocated prefix still works.
#ifndef GLIM_INSTALL_DATA_FROM_BIN
#define GLIM_INSTALL_DATA_FROM_BIN "../share/glimmerhold"
#endif

std::string FindGameFolder() {
  const std::string exe = ExecutableFolder();
  const std::string candidates[] = {
      exe + "data/",
      exe + GLIM_INSTALL_DATA_FROM_BIN "/",
#ifdef GLIM_SOURCE_DATA_DIR
      GLIM_SOURCE_DATA_DIR "/",
#endif
  };
  std::error_code ec;
  for (const std::string& c : candidates)
    if (fs::is_regular_file(c + "glimtext.wdt", ec)) return fs::path(c).lexically_normal().string();
  // Without a word data file anywhere, the first folder that is there at all
  // is the game's, so that the missing file is reported where it belongs.
  for (const std::string& c : candidates)
    if (fs::is_directory(c, ec)) return fs::path(c).lexically_normal().string();
  return exe + "data/";
}

std::string PlayerDataFolder() {
  std::string base;
  // A relative XDG_DATA_HOME is invalid and is ignored, as the XDG rules say.
  if (const char* x = std::getenv("XDG_DATA_HOME"); x && x[0] == '/')
    base = x;
  else if (const char* h = std::getenv("HOME"); h && *h)
    base = std::string(h) + "/.local/share";
  else
    base = "/tmp";
  std::string dir = base + "/glimmerhold/";
  std::error_code ec;
  fs::create_directories(dir, ec);
  return dir;
}

std::string ReadCredits(const std::string& folder) {
  std::string text;
  if (!ReadRegularFile(folder + "credits.txt", text, MaxCreditsBytes)) return {};
  return text;
}

}  // namespace glim
