// The platform in a browser page. The game runs in WebAssembly; the page's
// script draws what this sends it (lines, pictures, button states) and hands
// back commands and clicks.
//
// The core's waits and boxes are synchronous. The build uses Asyncify: a
// wait sleeps with emscripten_sleep and a box awaits the page's dialog, so
// the browser keeps drawing and the turn's code stays as it is on the
// desktop. The page starts no command while one runs (a wait or a box is
// part of the command that opened it).
//
// With the virtual clock (the page's "?clock=virtual", used by the tests)
// pauses take no time and the event timer runs out only during waits, as in
// the terminal game's --virtual-clock, so both print the same lines.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "ui/Platform.h"

namespace glim {

class WebPlatform : public Platform {
 public:
  WebPlatform(std::string folder, bool virtualClock);

  bool Closed() const { return closed_; }
  // Milliseconds until the event timer is due on the real clock (0 when it
  // is overdue); -1 when it is not armed or time runs on the virtual clock.
  int MsUntilTimer() const;
  // Fires the event timer when it is due (the page calls this between
  // commands).
  void FireTimerIfDue();
  // The size of the last room picture (which 0) or carried panel (1) shown.
  void PictureSize(int which, int& w, int& h) const;

  // The game folder's files that are not packed are fetched from the site
  // when first read (files.js). A file's name, in any case of its letters
  // (as sounds are found on the desktop), as the file system or the site's
  // list has it; empty when there is none.
  std::string ListedName(const std::string& path);
  // Starts fetching a file the game may soon read, without waiting.
  void Prefetch(const std::string& path);
  // Called after every scene shown (the page fetches the neighbouring rooms'
  // pictures then).
  void SetSceneShown(std::function<void()> f) { sceneShown_ = std::move(f); }

  // Platform
  void PrintLine(const std::string& text) override;
  void ClearPanel() override;
  void SetCommandText(const std::string& text) override;
  void FocusCommandLine() override;
  void MessageBox(const std::string& text) override;
  void Notice(const std::string& text) override;
  void ErrorBox(const std::string& text) override;
  bool ConfirmBox(const std::string& text) override;
  std::string InputBox(const std::string& title, const std::string& prompt, const std::string& def) override;
  std::optional<std::string> OpenFileDialog(const FileDialogSpec& spec) override;
  std::optional<std::string> SaveFileDialog(const FileDialogSpec& spec) override;
  // A saved game is written to the module's file system as usual and then
  // kept in the browser's storage; a refusal of the storage fails the save.
  bool WriteFile(const std::string& path, const std::string& data, std::string& error) override;
  void EnableDirection(int direction, bool enabled) override;
  void ShowScene(const Image& scene) override;
  bool FileExists(const std::string& path) override;
  bool ReadFile(const std::string& path, std::string& out, size_t limit = SIZE_MAX) override;
  void ShowCarried(const Image& panel) override;
  SoundResult PlaySoundFile(const std::string& path, bool repeat) override;
  void StopSoundFile() override;
  void SetSoundRepeat(bool repeat) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  int TimerLeft() override;
  void WaitSeconds(int seconds) override;
  void PumpEvents() override { FireTimerIfDue(); }
  std::string ProgramFolder() override { return folder_; }
  void ShowSplash() override;
  void ShowAbout() override;
  std::string ShowHelpFile(const std::string& path) override;
  void CloseMainWindow() override;
  void ShowUndoHint(UndoHint hint) override;

 private:
  uint64_t Now() const;
  void SendPicture(int which, const Image& img);

  // What each canvas (0 the scene, 1 the carried panel) shows, as its bytes.
  std::array<RgbaPicture, 2> shown_;
  std::function<void()> sceneShown_;

  std::string folder_;
  bool virtualClock_;
  uint64_t now_ = 0;  // virtual clock, ms
  bool timerArmed_ = false;
  uint64_t deadline_ = 0;
  bool closed_ = false;
  int pictureW_[2] = {0, 0}, pictureH_[2] = {0, 0};
};

}  // namespace glim
