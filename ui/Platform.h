// Everything the game needs from the outside world. The desktop window, the
// terminal front end and the test harness each implement this interface; the
// core never talks to a toolkit, a sound library or a clock directly.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

#include "ui/Image.h"

namespace glim {

// Callbacks from the platform into the running game (timer expiry).
class PlatformEvents {
 public:
  virtual ~PlatformEvents() = default;
  virtual void OnEventTimer() = 0;
};

struct FileDialogSpec {
  std::string Title;
  std::string Filter;      // "Description|*.ext"
  std::string DefaultExt;  // without the dot
  std::string InitialDir;
};

// What the last step did that undo can take back, for the window's hint
// beside the command line: nothing to say, a death, or a new game.
enum class UndoHint { None, Death, NewGame };

enum class SoundResult {
  Ok,        // playing
  Missing,   // the file cannot be found or opened
  NoDevice,  // there is no audio output at all
};

// Reads a whole file, and only a regular file: a pipe (which would wait for
// a writer for ever), a device (/dev/zero has no end) or a socket is
// refused with errno EINVAL, a folder with EISDIR, a name holding a NUL with
// EINVAL, and a file of more than `limit` bytes with EFBIG before any of it
// is read. `out` is changed only when the read succeeds.
bool ReadRegularFile(const std::string& path, std::string& out, size_t limit = SIZE_MAX);

class Platform {
 public:
  virtual ~Platform() = default;

  // Set by the game when it is created; timer expiries are reported here.
  void SetEvents(PlatformEvents* e) { events_ = e; }

  // --- message panel and command line
  virtual void PrintLine(const std::string& text) = 0;
  virtual void ClearPanel() = 0;
  virtual void SetCommandText(const std::string& text) = 0;
  virtual void FocusCommandLine() {}

  // --- modal boxes (each waits until dismissed)
  virtual void MessageBox(const std::string& text) = 0;
  // A remark that needs no answer (the game goes on without sound); a front
  // end that can show it without stopping the game does so.
  virtual void Notice(const std::string& text) { MessageBox(text); }
  virtual void ErrorBox(const std::string& text) = 0;
  // A warning box with Yes and No; true for Yes.
  virtual bool ConfirmBox(const std::string& text) = 0;
  // One text field; returns the text entered, or def when cancelled.
  virtual std::string InputBox(const std::string& title, const std::string& prompt, const std::string& def) = 0;
  // File dialogs; nullopt when cancelled. The save dialog asks before
  // replacing an existing file.
  virtual std::optional<std::string> OpenFileDialog(const FileDialogSpec& spec) = 0;
  virtual std::optional<std::string> SaveFileDialog(const FileDialogSpec& spec) = 0;

  // --- presentation
  virtual void EnableDirection(int direction, bool enabled) = 0;  // 1..4
  virtual void ShowScene(const Image& scene) = 0;
  virtual void ShowCarried(const Image& panel) = 0;

  // --- sound: one sound at a time; a new one closes the one before. A
  // repeating sound restarts at its end until it is stopped, replaced, or its
  // repetition is switched off (it then ends at its natural end).
  virtual SoundResult PlaySoundFile(const std::string& path, bool repeat) = 0;
  virtual void StopSoundFile() = 0;
  virtual void SetSoundRepeat(bool repeat) = 0;

  // --- time. The event timer is one countdown: StartTimer (re)starts it,
  // StopTimer cancels it; on expiry the platform calls OnEventTimer.
  virtual void StartTimer(int intervalMs) = 0;
  virtual void StopTimer() = 0;
  // Milliseconds left of the running countdown (0 when it is due); -1 when
  // it is not armed.
  virtual int TimerLeft() = 0;
  // Pauses for whole seconds while window events (and the timer) are handled.
  virtual void WaitSeconds(int seconds) = 0;
  // Handles all pending window events once.
  virtual void PumpEvents() = 0;

  // --- files (default: the real file system)
  virtual bool FileExists(const std::string& path);
  // Reads a whole regular file (ReadRegularFile below).
  virtual bool ReadFile(const std::string& path, std::string& out, size_t limit = SIZE_MAX);
  // Writes the whole file so that an existing file is replaced only once the
  // new contents are complete and on the disk; a link is followed and the
  // file it names is replaced. Only a new name or a regular file of the
  // player's own that is not read-only is written: a pipe, a device, a
  // socket, a folder, a read-only file, another user's file and a name with
  // a NUL in it are refused. Temporary files a killed save of the same
  // target left behind are removed. On failure returns false with a message
  // that names `path`, and nothing is left behind.
  virtual bool WriteFile(const std::string& path, const std::string& data, std::string& error);
  virtual bool FolderWritable(const std::string& folder);

  // --- application shell
  virtual std::string ProgramFolder() = 0;  // ends with a path separator
  virtual void DisplayModeStep() {}
  virtual void MaximiseWindow() {}
  virtual void ShowSplash() {}
  virtual void ShowAbout() {}
  // Shows the compiled help file and returns when the viewer is closed.
  virtual std::string ShowHelpFile(const std::string& path) = 0;
  // Closes the main window (the program ends).
  virtual void CloseMainWindow() = 0;
  // Shows or takes away the hint that the last step can be taken back. It
  // stands outside the message panel, whose lines are the game's.
  virtual void ShowUndoHint(UndoHint) {}

 protected:
  PlatformEvents* events_ = nullptr;
};

}  // namespace glim
