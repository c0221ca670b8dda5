// Default file operations of the platform interface: the real file system.
#include "ui/Platform.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
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
  return ReadRegularFile(path, out, limit);
}

bool ReadRegularFile(const std::string& path, std::string& out, size_t limit) {
  // A name with a NUL in it would open another file than the one named.
  if (path.find('\0') != std::string::npos) {
    errno = EINVAL;
    return false;
  }
  // Opened without waiting, so that a pipe with no writer at the name does
  // not hold the game up; only a regular file is read.
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return false;
  auto refuse = [fd](int err) {
    close(fd);
    errno = err;
    return false;
  };
  struct stat st {};
  if (fstat(fd, &st) != 0) return refuse(errno);
  if (S_ISDIR(st.st_mode)) return refuse(EISDIR);
  if (!S_ISREG(st.st_mode)) return refuse(EINVAL);
  // A file larger than the caller can use is refused before any of it is
  // read; one that grows while it is read is read no further than one
  // byte past the limit.
  if (static_cast<uint64_t>(st.st_size) > limit) return refuse(EFBIG);
  std::string data;
  data.reserve(static_cast<size_t>(st.st_size));
  char buf[65536];
  for (;;) {
    const ssize_t n = read(fd, buf, sizeof buf);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return refuse(errno);
    if (n == 0) break;
    if (static_cast<size_t>(n) > limit - data.size()) return refuse(EFBIG);
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

// The temporary files of a save are named "." + stem + "." + 8 letters +
// ".tmp" beside the target. The stem is the target's own name when that
// leaves the whole name well inside the file system's limit of 255 bytes;
// a longer name is cut (at a character's start) and a hash of the whole
// name keeps the stems of two long names that share a start apart.
constexpr size_t TempLetters = 8;
constexpr size_t MaxPlainStem = 200;

std::string TemporaryStem(const std::string& base) {
  if (base.size() <= MaxPlainStem) return base;
  size_t cut = 180;
  while (cut > 0 && (static_cast<unsigned char>(base[cut]) & 0xC0) == 0x80) --cut;
  uint64_t h = 14695981039346656037ull;  // FNV-1a
  for (unsigned char c : base) h = (h ^ c) * 1099511628211ull;
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(h));
  return base.substr(0, cut) + "~" + hex;
}

std::string BaseName(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool IsTemporaryOf(const std::string& name, const std::string& prefix) {
  static const std::string ext = ".tmp";
  if (name.size() != prefix.size() + TempLetters + ext.size()) return false;
  if (name.compare(0, prefix.size(), prefix) != 0 || name.compare(name.size() - ext.size(), ext.size(), ext) != 0)
    return false;
  for (size_t i = prefix.size(); i < prefix.size() + TempLetters; ++i)
    if (!std::isalnum(static_cast<unsigned char>(name[i]))) return false;
  return true;
}

// Removes the temporary files an earlier save of the same target left
// behind when it was killed: only regular files of this user, and only when
// no save is writing them (a save holds a lock on its file while it writes).
void RemoveStaleTemporaries(const std::string& target) {
  const std::string prefix = "." + TemporaryStem(BaseName(target)) + ".";
  DIR* dir = opendir(Folder(target).c_str());
  if (!dir) return;
  const int dfd = dirfd(dir);
  while (const dirent* e = readdir(dir)) {
    const std::string name = e->d_name;
    if (!IsTemporaryOf(name, prefix)) continue;
    const int fd = openat(dfd, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) continue;
    struct stat st {
    }, now{};
    if (fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_uid == geteuid() && flock(fd, LOCK_EX | LOCK_NB) == 0 &&
        fstatat(dfd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 && now.st_ino == st.st_ino &&
        now.st_dev == st.st_dev)
      unlinkat(dfd, name.c_str(), 0);
    close(fd);
  }
  closedir(dir);
}

// Creates a new file of its own beside `target`, never opening anything that
// was already there (a file, a folder or a link planted at the name): each
// try takes a fresh random name and O_EXCL refuses any existing entry. The
// file is locked for as long as it is open, so no other save takes it for a
// stale one.
int CreateTemporary(const std::string& target, std::string& tmp) {
  const std::string start = Folder(target) + "/." + TemporaryStem(BaseName(target)) + ".";
  static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
  for (int attempt = 0; attempt < 100; ++attempt) {
    unsigned char rnd[TempLetters];
    if (getrandom(rnd, sizeof rnd, 0) != static_cast<ssize_t>(sizeof rnd)) return -1;
    std::string suffix;
    for (unsigned char c : rnd) suffix += letters[c % (sizeof letters - 1)];
    tmp = start + suffix + ".tmp";
    const int fd = open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0) {
      if (errno != EEXIST) return fd;
      continue;
    }
    // Another save's clean-up may have taken the new file for a stale one
    // before it was locked: then it is locked by that save, or gone from
    // its name, and a fresh name is tried.
    struct stat mine {
    }, named{};
    if (flock(fd, LOCK_EX | LOCK_NB) == 0 && fstat(fd, &mine) == 0 && lstat(tmp.c_str(), &named) == 0 &&
        mine.st_ino == named.st_ino && mine.st_dev == named.st_dev)
      return fd;
    close(fd);
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

// The name as a message can show it: a NUL as \0.
std::string Shown(const std::string& path) {
  std::string s;
  for (char c : path) s += c == '\0' ? std::string("\\0") : std::string(1, c);
  return s;
}

// Why a save may not replace what stands at `target`, or empty when it may:
// only a regular file of the player's own that the player may write is
// replaced. A pipe, a device, a socket or a folder would be swapped for a
// plain file, a read-only file was made so on purpose, and a file of another
// user in a shared folder would silently become the player's.
std::string RefusedTarget(const std::string& target) {
  struct stat st {};
  if (lstat(target.c_str(), &st) != 0) return {};  // a new name
  if (!S_ISREG(st.st_mode))
    return S_ISDIR(st.st_mode) ? "It is a folder." : "It is not a regular file (a pipe, a device or a socket).";
  if (st.st_uid != geteuid()) return "It belongs to another user.";
  if ((st.st_mode & S_IWUSR) == 0) return "It is read-only.";
  return {};
}

}  // namespace

bool Platform::WriteFile(const std::string& path, const std::string& data, std::string& error) {
  // The new contents go into a temporary file of this save's own in the
  // target's folder, which is renamed over the target only when all is
  // written and on the disk. Two games saving the same file at once each
  // write their own file, and a reader of the target always finds one whole
  // save. Every message names the file the player chose.
  auto fail = [&](const std::string& what, const std::string& why) {
    error = what + " \"" + Shown(path) + "\". " + why;
    return false;
  };
  auto failErr = [&](const char* what, int err) { return fail(what, std::strerror(err)); };
  if (path.find('\0') != std::string::npos)
    return fail("Cannot create file", "A file name cannot hold a NUL character.");
  std::string target;
  if (!ResolveLinks(path, target)) return failErr("Cannot create file", errno);
  if (const std::string why = RefusedTarget(target); !why.empty()) return fail("Cannot create file", why);
  RemoveStaleTemporaries(target);
  std::string tmp;
  const int fd = CreateTemporary(target, tmp);
  if (fd < 0) return failErr("Cannot create file", errno);
  // A replaced file keeps its permissions.
  struct stat old {};
  if (stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode)) fchmod(fd, old.st_mode & 07777);
  // The file is renamed while it is still open, and so still locked.
  bool ok = WriteAll(fd, data) && fsync(fd) == 0;
  const char* what = "Cannot write file";
  if (ok && rename(tmp.c_str(), target.c_str()) != 0) {
    ok = false;
    what = "Cannot create file";
  }
  const int err = errno;
  close(fd);
  if (!ok) {
    unlink(tmp.c_str());
    return failErr(what, err);
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
