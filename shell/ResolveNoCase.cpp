#include <filesystem>

#include "shell/SoundPlayer.h"
#include "world/Text.h"

namespace glim {

std::string ResolveNoCase(const std::string& path) {
  namespace fs = std::filesystem;
  std::error_code ec;
  if (fs::is_regular_file(path, ec)) return path;
  const fs::path p(path);
  const std::string want = LowerAscii(p.filename().string());
  fs::path dir = p.parent_path();
  if (dir.empty()) dir = ".";
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    if (LowerAscii(it->path().filename().string()) == want && it->is_regular_file(ec)) return it->path().string();
  }
  return {};
}

}  // namespace glim
