// Default file operations of the platform interface: the real file system.
#include "ui/Platform.h"

#include <fcntl.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstring>
#include <filesystem>

namespace glim {

bool Platform::FileExists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::is_regular_file(path, ec);
}

bool Platform::ReadFile(const std::string& path, std::string& out, size_t limit) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat st {};
  if (fstat(fd, &st) != 0) {
    const int err = errno;
    close(fd);
    errno = err;
    return false;
  }
  // A file known to be larger than the caller can use is refused before any
  // of it is read; a device or a pipe, whose size is not known, is read no
  // further than one byte past the limit.
  if (S_ISREG(st.st_mode) && static_cast<uint64_t>(st.st_size) > limit) {
    close(fd);
    errno = EFBIG;
    return false;
  }
  std::string data;
  if (S_ISREG(st.st_mode)) data.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int err = errno;
      close(fd);
      errno = err;
      return false;
    }
    if (n == 0) break;
    if (static_cast<size_t>(n) > limit - data.size()) {
      close(fd);
      errno = EFBIG;
      return false;
    }
    data.append(buf, static_cast<size_t>(n));
  }
  close(fd);
  out = std::move(data);
  return true;
}

namespace {

std::string Folder(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save replaces: the path itself, or, when it is a symbolic link,
// the file at the end of its chain of links, so that the link stays a link.
// A chain too long to be real ends with ELOOP.
bool ResolveLinks(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;  // a file, or nothing yet
    std::string to(PATH_MAX, '\0');
    const ssize_t n = readlink(target.c_str(), to.data(), to.size());
    if (n < 0) return false;
    if (static_cast<size_t>(n) >= to.size()) {
      errno = ENAMETOOLONG;
      return false;
    }
    to.resize(static_cast<size_t>(n));
    target = (!to.empty() && to[0] == '/') ? to : Folder(target) + "/" + to;
  }
  errno = ELOOP;
  return false;
}

// Creates a new file of its own beside `target`, never opening anything that
// was already there (a file, a folder or a link planted at the name): each
// try takes a fresh random name and O_EXCL refuses any existing entry.
int CreateTemporary(const std::string& target, std::string& tmp) {
  const std::string dir = Folder(target);
  const size_t slash = target.find_last_of('/');
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char rnd[8];
    if (getrandom(rnd, sizeof rnd, 0) != static_cast<ssize_t>(sizeof rnd)) return -1;
    std::string suffix;
    for (unsigned char c : rnd) suffix += letters[c % (sizeof letters - 1)];
    tmp = dir + "/." + base + "." + suffix + ".tmp";
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

bool WriteAll(int fd, const std::string& data) {
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    done += static_cast<size_t>(n);
  }
  return true;
}

}  // namespace

bool Platform::WriteFile(const std::string& path, const std::string& data, std::string& error) {
  // The new contents go into a temporary file of this save's own in the
  // target's folder, which is renamed over the target only when all is
  // written and on the disk. Two games saving the same file at once each
  // write their own file, and a reader of the target always finds one whole
  // save. Every message names the file the player chose.
  auto fail = [&](const char* what, int err) {
    error = std::string(what) + " \"" + path + "\". " + std::strerror(err);
    return false;
  };
  std::string target;
  if (!ResolveLinks(path, target)) return fail("Cannot create file", errno);
  std::string tmp;
  const int fd = CreateTemporary(target, tmp);
  if (fd < 0) return fail("Cannot create file", errno);
  // A replaced file keeps its permissions.
  struct stat old {};
  if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
  bool ok = WriteAll(fd, data);
  ok = ok && fsync(fd) == 0;
  int err = errno;
  if (close(fd) != 0 && ok) {
    ok = false;
    err = errno;
  }
  if (!ok) {
    unlink(tmp.c_str());
    return fail("Cannot write file", err);
  }
  if (rename(tmp.c_str(), target.c_str()) != 0) {
    err = errno;
    unlink(tmp.c_str());
    return fail("Cannot create file", err);
  }
  // The rename itself is made lasting by syncing the folder.
  const int dirFd = open(Folder(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd >= 0) {
    fsync(dirFd);
    close(dirFd);
  }
  return true;
}

bool Platform::FolderWritable(const std::string& folder) { return access(folder.c_str(), W_OK) == 0; }

}  // namespace glim
