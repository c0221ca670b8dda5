// Default file operations of the platform interface: the real file system.
#include "ui/Platform.h"

#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace glim {

bool Platform::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool Platform::ReadFile(const std::string& path, std::string& out) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  out = ss.str();
  return !in.bad();
}

bool Platform::WriteFile(const std::string& path, const std::string& data, std::string& error) {
  // Write beside the target and rename over it only when all is written, so
  // a failed save never destroys the file it would replace.
  const std::string tmp = path + ".tmp~";
  FILE* f = std::fopen(tmp.c_str(), "wb");
  if (!f) {
    error = "Cannot create file \"" + path + "\". " + std::strerror(errno);
    return false;
  }
  bool ok = std::fwrite(data.data(), 1, data.size(), f) == data.size();
  ok = (std::fflush(f) == 0) && ok;
  ok = (fsync(fileno(f)) == 0) && ok;
  const int err = errno;
  ok = (std::fclose(f) == 0) && ok;
  if (!ok) {
    std::remove(tmp.c_str());
    error = "Cannot write file \"" + path + "\". " + std::strerror(err);
    return false;
  }
  if (std::rename(tmp.c_str(), path.c_str()) != 0) {
    error = "Cannot create file \"" + path + "\". " + std::strerror(errno);
    std::remove(tmp.c_str());
    return false;
  }
  return true;
}

bool Platform::FolderWritable(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

}  // namespace glim
