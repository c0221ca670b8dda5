// The platform's file operations on the real file system: saves that two
// games cannot mix, that a planted link or folder cannot redirect or block,
// that follow a link to the file it names, that leave nothing behind when
// they fail, that replace only a regular file of the player's own, that take
// names of any length the folder takes, and that clear what a killed save
// left; reads that take only a regular file no larger than the caller can use.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <sstream>
#include <thread>

#include "Harness.h"

namespace glimtest {
namespace {

namespace fs = std::filesystem;

// The names in a folder, sorted.
std::vector<std::string> Entries(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

struct Player : Harness {
  explicit Player(int room) : Harness(Fixture("save_small")) {
    Start();
    game.CurrentRoom = room;
  }
  // Saves to path and returns everything printed.
  std::string Save(const std::string& path) {
    platform.QueueFile(path);
    game.SaveGame();
    return Take();
  }
};

TEST(PlatformFiles, TwoGamesSavingOneFileLeaveAWholeSaveForEveryRead) {
  const std::string dir = TempDir("files_race");
  const std::string path = dir + "shared.gam";
  Player a(1), b(2);
  // What each game writes, saved once on its own.
  const std::string wantA = (a.Save(dir + "a.gam"), ReadAll(dir + "a.gam"));
  const std::string wantB = (b.Save(dir + "b.gam"), ReadAll(dir + "b.gam"));
  ASSERT_NE(wantA, wantB);
  ASSERT_EQ(a.Save(path), "Saving game\n");

  std::atomic<bool> stop{false};
  std::atomic<int> saves{0};
  auto loop = [&](Player& p, std::string& problem) {
    while (!stop) {
      const std::string out = p.Save(path);
      // The file exists, so the dialog asks and the terminal answers yes;
      // anything else printed is an error.
      if (out.find("Cannot") != std::string::npos) {
        problem = out;
        return;
      }
      ++saves;
    }
  };
  std::string problemA, problemB;
  std::thread ta(loop, std::ref(a), std::ref(problemA));
  std::thread tb(loop, std::ref(b), std::ref(problemB));
  int reads = 0, bad = 0;
  std::string badText;
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(1500);
  while (std::chrono::steady_clock::now() < end) {
    const std::string got = ReadAll(path);
    ++reads;
    if (got != wantA && got != wantB && ++bad == 1) badText = got;
  }
  stop = true;
  ta.join();
  tb.join();
  EXPECT_EQ(problemA, "");
  EXPECT_EQ(problemB, "");
  EXPECT_EQ(bad, 0) << "of " << reads << " reads; first: " << badText.size() << " bytes";
  EXPECT_GT(saves.load(), 10);
  EXPECT_GT(reads, 10);
  // No temporary file is left over.
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"a.gam", "b.gam", "shared.gam"}));
}

TEST(PlatformFiles, PlantedLinkOrFolderNeitherRedirectsNorBlocks) {
  const std::string dir = TempDir("files_planted");
  Player p(2);
  const std::string want = (p.Save(dir + "ref.gam"), ReadAll(dir + "ref.gam"));
  WriteText(dir + "victim.txt", "not yours\n");

  // The name older versions wrote to, taken by a link and then by a folder.
  fs::create_symlink(dir + "victim.txt", dir + "x.gam.tmp~");
  EXPECT_EQ(p.Save(dir + "x.gam"), "Saving game\n");
  EXPECT_EQ(ReadAll(dir + "victim.txt"), "not yours\n");
  EXPECT_FALSE(fs::is_symlink(dir + "x.gam"));
  EXPECT_EQ(ReadAll(dir + "x.gam"), want);

  fs::remove(dir + "x.gam.tmp~");
  fs::create_directory(dir + "x.gam.tmp~");
  WriteText(dir + "x.gam", "old\n");
  EXPECT_TRUE(ContainsInOrder(p.Save(dir + "x.gam"), {"Saving game", "Yes"}));
  EXPECT_EQ(ReadAll(dir + "x.gam"), want);
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"ref.gam", "victim.txt", "x.gam", "x.gam.tmp~"}));
}

TEST(PlatformFiles, SaveThroughALinkReplacesTheFileItNames) {
  const std::string dir = TempDir("files_link");
  Player p(2);
  const std::string want = (p.Save(dir + "ref.gam"), ReadAll(dir + "ref.gam"));
  fs::create_directory(dir + "real");
  WriteText(dir + "real/game.gam", "old\n");
  fs::permissions(dir + "real/game.gam", fs::perms(0640));
  // A relative link to a relative link to the file.
  fs::create_symlink("real/step.gam", dir + "mine.gam");
  fs::create_symlink("game.gam", dir + "real/step.gam");
  EXPECT_TRUE(ContainsInOrder(p.Save(dir + "mine.gam"), {"Saving game", "Yes"}));
  EXPECT_TRUE(fs::is_symlink(dir + "mine.gam"));
  EXPECT_TRUE(fs::is_symlink(dir + "real/step.gam"));
  EXPECT_EQ(ReadAll(dir + "real/game.gam"), want);
  EXPECT_EQ(fs::status(dir + "real/game.gam").permissions() & fs::perms::all, fs::perms(0640));
  EXPECT_EQ(Entries(dir + "real"), (std::vector<std::string>{"game.gam", "step.gam"}));

  // A link that names no file yet makes that file.
  fs::create_symlink("real/new.gam", dir + "fresh.gam");
  EXPECT_EQ(p.Save(dir + "fresh.gam"), "Saving game\n");
  EXPECT_EQ(ReadAll(dir + "real/new.gam"), want);

  // A loop of links is an error that names the chosen file.
  fs::create_symlink("loop2.gam", dir + "loop1.gam");
  fs::create_symlink("loop1.gam", dir + "loop2.gam");
  std::string error;
  EXPECT_FALSE(p.platform.WriteFile(dir + "loop1.gam", "x", error));
  EXPECT_EQ(error.rfind("Cannot create file \"" + dir + "loop1.gam\". ", 0), 0u) << error;
}

TEST(PlatformFiles, FailedWriteKeepsTheOldFileAndLeavesNothingBehind) {
  const std::string dir = TempDir("files_fail");
  Player p(1);
  std::string error;

  // The target is a folder: nothing can be renamed over it.
  fs::create_directory(dir + "taken.gam");
  EXPECT_FALSE(p.platform.WriteFile(dir + "taken.gam", "data", error));
  EXPECT_EQ(error.rfind("Cannot create file \"" + dir + "taken.gam\". ", 0), 0u) << error;
  EXPECT_EQ(Entries(dir), std::vector<std::string>{"taken.gam"});

  // The disk takes no more than a few bytes (a file size limit stands in
  // for a full disk): the write fails, the old file stays as it was.
  WriteText(dir + "old.gam", "precious\n");
  bool ok = true;
  WithFileSizeLimit(4, [&] { ok = p.platform.WriteFile(dir + "old.gam", "a longer new save", error); });
  EXPECT_FALSE(ok);
  EXPECT_EQ(error, "Cannot write file \"" + dir + "old.gam\". " + std::strerror(EFBIG));
  EXPECT_EQ(ReadAll(dir + "old.gam"), "precious\n");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{"old.gam", "taken.gam"}));
}

TEST(PlatformFiles, ReadRefusesAFileLargerThanTheLimit) {
  const std::string dir = TempDir("files_read");
  WriteText(dir + "ten.txt", "0123456789");
  Player p(1);
  std::string out = "unchanged";
  EXPECT_TRUE(p.platform.ReadFile(dir + "ten.txt", out, 10));
  EXPECT_EQ(out, "0123456789");
  out = "unchanged";
  errno = 0;
  EXPECT_FALSE(p.platform.ReadFile(dir + "ten.txt", out, 9));
  EXPECT_EQ(errno, EFBIG);
  EXPECT_EQ(out, "unchanged");
  EXPECT_FALSE(p.platform.ReadFile(dir + "missing.txt", out));
  errno = 0;
  EXPECT_FALSE(p.platform.ReadFile(dir, out));
  EXPECT_EQ(errno, EISDIR);
}

TEST(PlatformFiles, ReadTakesOnlyARegularFileAndNeverWaits) {
  const std::string dir = TempDir("files_read_special");
  std::string out = "unchanged";
  // A device without end, and a pipe without a writer, which a plain open
  // would wait on for ever: both refused at once.
  errno = 0;
  EXPECT_FALSE(glim::ReadRegularFile("/dev/zero", out));
  EXPECT_EQ(errno, EINVAL);
  ASSERT_EQ(mkfifo((dir + "pipe").c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  errno = 0;
  EXPECT_FALSE(glim::ReadRegularFile(dir + "pipe", out));
  EXPECT_EQ(errno, EINVAL);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
  // A link to a regular file is read; a name with a NUL in it names no file,
  // even when the part before the NUL does.
  WriteText(dir + "real", "text");
  fs::create_symlink(dir + "real", dir + "link");
  EXPECT_TRUE(glim::ReadRegularFile(dir + "link", out));
  EXPECT_EQ(out, "text");
  out = "unchanged";
  EXPECT_FALSE(glim::ReadRegularFile(dir + std::string("real\0.gam", 9), out));
  EXPECT_EQ(out, "unchanged");
}

// What stands at a save's name and may not be replaced: each refused with a
// message that says why, and left exactly as it was.
TEST(PlatformFiles, SaveReplacesOnlyARegularWritableFileOfThePlayer) {
  const std::string dir = TempDir("files_targets");
  Player p(1);
  std::string error;
  auto refused = [&](const std::string& name, const std::string& why) {
    EXPECT_FALSE(p.platform.WriteFile(dir + name, "new save", error)) << name;
    EXPECT_EQ(error, "Cannot create file \"" + dir + name + "\". " + why);
  };
  ASSERT_EQ(mkfifo((dir + "pipe.gam").c_str(), 0600), 0);
  refused("pipe.gam", "It is not a regular file (a pipe, a device or a socket).");
  EXPECT_TRUE(fs::is_fifo(dir + "pipe.gam"));
  fs::create_symlink("/dev/null", dir + "null.gam");
  refused("null.gam", "It is not a regular file (a pipe, a device or a socket).");
  fs::create_directory(dir + "folder.gam");
  refused("folder.gam", "It is a folder.");

  WriteText(dir + "kept.gam", "old\n");
  fs::permissions(dir + "kept.gam", fs::perms(0444));
  refused("kept.gam", "It is read-only.");
  EXPECT_EQ(ReadAll(dir + "kept.gam"), "old\n");

  WriteText(dir + "theirs.gam", "theirs\n");
  if (chown((dir + "theirs.gam").c_str(), geteuid() + 1, static_cast<gid_t>(-1)) == 0) {
    refused("theirs.gam", "It belongs to another user.");
    EXPECT_EQ(ReadAll(dir + "theirs.gam"), "theirs\n");
  }
  // A NUL in the name would make the file the name before it.
  WriteText(dir + "nul", "untouched\n");
  EXPECT_FALSE(p.platform.WriteFile(dir + std::string("nul\0x.gam", 9), "new save", error));
  EXPECT_EQ(error, "Cannot create file \"" + dir + "nul\\0x.gam\". A file name cannot hold a NUL character.");
  EXPECT_EQ(ReadAll(dir + "nul"), "untouched\n");
  // Nothing else was made.
  std::vector<std::string> want{"folder.gam", "kept.gam", "nul", "null.gam", "pipe.gam", "theirs.gam"};
  EXPECT_EQ(Entries(dir), want);
}

TEST(PlatformFiles, NamesUpToTheLongestTheFolderTakesCanBeSaved) {
  const std::string dir = TempDir("files_long");
  Player p(1);
  std::string error;
  for (size_t len : {200u, 201u, 242u, 255u}) {
    const std::string name = std::string(len - 4, 'n') + ".gam";
    EXPECT_TRUE(p.platform.WriteFile(dir + name, "save", error)) << len << ": " << error;
    EXPECT_EQ(ReadAll(dir + name), "save");
    // Saved again over itself, as the player does.
    EXPECT_TRUE(p.platform.WriteFile(dir + name, "again", error)) << len << ": " << error;
    EXPECT_EQ(ReadAll(dir + name), "again");
    fs::remove(dir + name);
  }
  // Two long names that share their first 200 bytes keep apart.
  const std::string a = std::string(240, 'x') + "a.gam", b = std::string(240, 'x') + "b.gam";
  EXPECT_TRUE(p.platform.WriteFile(dir + a, "A", error));
  EXPECT_TRUE(p.platform.WriteFile(dir + b, "B", error));
  EXPECT_EQ(ReadAll(dir + a), "A");
  EXPECT_EQ(ReadAll(dir + b), "B");
  EXPECT_EQ(Entries(dir), (std::vector<std::string>{a, b}));
}

// A save killed between writing its temporary file and renaming it leaves
// the file behind; the next save of the same name removes it, but never a
// file another save is still writing, another user's file, or the leftovers
// of another name.
TEST(PlatformFiles, NextSaveRemovesTheTemporaryFilesAKilledSaveLeft) {
  const std::string dir = TempDir("files_stale");
  Player p(1);
  std::string error;
  WriteText(dir + ".keep.gam.Ab3dE6gH.tmp", "killed save");
  WriteText(dir + ".keep.gam.zzzzzzzz.tmp", "killed save");
  WriteText(dir + ".other.gam.Ab3dE6gH.tmp", "another name's");
  WriteText(dir + ".keep.gam.notmine1.tmp", "another user's");
  const bool otherUser = chown((dir + ".keep.gam.notmine1.tmp").c_str(), geteuid() + 1, static_cast<gid_t>(-1)) == 0;
  WriteText(dir + ".keep.gam.writing1.tmp", "being written");
  const int busy = open((dir + ".keep.gam.writing1.tmp").c_str(), O_RDONLY);
  ASSERT_GE(busy, 0);
  ASSERT_EQ(flock(busy, LOCK_EX), 0);

  ASSERT_TRUE(p.platform.WriteFile(dir + "keep.gam", "save", error)) << error;
  std::vector<std::string> want{".keep.gam.writing1.tmp", ".other.gam.Ab3dE6gH.tmp", "keep.gam"};
  if (otherUser) want.insert(want.begin(), ".keep.gam.notmine1.tmp");
  EXPECT_EQ(Entries(dir), want);
  close(busy);
  ASSERT_TRUE(p.platform.WriteFile(dir + "keep.gam", "save", error)) << error;
  want.erase(std::find(want.begin(), want.end(), ".keep.gam.writing1.tmp"));
  EXPECT_EQ(Entries(dir), want);
}

}  // namespace
}  // namespace glimtest
