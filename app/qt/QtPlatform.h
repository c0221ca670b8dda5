// The platform interface on Qt: the message panel, boxes and dialogs, the
// pictures, the event timer, pauses, sound, the help viewer, the display
// mode and the closing of the window.
#pragma once

#include <QElapsedTimer>
#include <QImage>
#include <QString>
#include <memory>
#include <string>

#include "app/qt/DisplayMode.h"
#include "shell/SoundPlayer.h"
#include "ui/Platform.h"

namespace glim {

class TfrmMain;
class TfrmSplash;
class TfrmAbout;

struct QtOptions {
  std::string Folder;         // the game folder, ending in '/'
  bool DisplaySwitch = true;  // switch an X11 display to 800 x 600 where offered
  std::string Executable;     // this program, for the display guard
};

// 8-bit text from the game as a QString: UTF-8 when it is valid UTF-8, else
// Latin-1 (the data files' encoding).
QString FromGame(const std::string& s);
// Text typed by the player for the game: Latin-1 when every character has
// a Latin-1 code (so one character is one byte), else UTF-8.
std::string ToGame(const QString& s);
// The game's line breaks (CR LF, or a lone CR) as the toolkit's.
QString BoxText(const std::string& s);
// "Description|*.ext" filters in the toolkit's form "Description (*.ext)".
QString DialogFilter(const std::string& filter);
QImage ToQImage(const Image& img);

class QtPlatform : public Platform {
 public:
  QtPlatform(QtOptions opts, SoundPlayer* sound = nullptr);
  ~QtPlatform() override;

  void Attach(TfrmMain* main, TfrmSplash* splash, TfrmAbout* about);
  // The window's close handler: puts the display mode back and pauses two
  // seconds.
  void FormClose();
  void SetClosed() { closed_ = true; }
  bool Closed() const { return closed_; }
  DisplayMode& Display() { return display_; }
  const QtOptions& Options() const { return opts_; }

  // Platform
  void PrintLine(const std::string& text) override;
  void ClearPanel() override;
  void SetCommandText(const std::string& text) override;
  void FocusCommandLine() override;
  void MessageBox(const std::string& text) override;
  // Shown in the main window's status line: no box to click.
  void Notice(const std::string& text) override;
  void ErrorBox(const std::string& text) override;
  bool ConfirmBox(const std::string& text) override;
  std::string InputBox(const std::string& title, const std::string& prompt, const std::string& def) override;
  std::optional<std::string> OpenFileDialog(const FileDialogSpec& spec) override;
  std::optional<std::string> SaveFileDialog(const FileDialogSpec& spec) override;
  void EnableDirection(int direction, bool enabled) override;
  void ShowScene(const Image& scene) override;
  void ShowCarried(const Image& panel) override;
  SoundResult PlaySoundFile(const std::string& path, bool repeat) override;
  void StopSoundFile() override;
  void SetSoundRepeat(bool repeat) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  int TimerLeft() override;
  void WaitSeconds(int seconds) override;
  void PumpEvents() override;
  std::string ProgramFolder() override { return opts_.Folder; }
  void DisplayModeStep() override;
  void MaximiseWindow() override;
  void ShowSplash() override;
  void ShowAbout() override;
  std::string ShowHelpFile(const std::string& path) override;
  void CloseMainWindow() override;
  void ShowUndoHint(UndoHint hint) override;

  // Milliseconds since the platform was made.
  uint32_t TickCount() const;

  // Called by the window's event timer.
  void EventTimerExpired();

 private:
  QWidget* BoxParent() const;
  // A box's text at the main window's zoom.
  void ZoomBox(QWidget* box) const;
  std::optional<std::string> FileDialog(const FileDialogSpec& spec, bool save);

  QtOptions opts_;
  SoundPlayer* sound_;
  TfrmMain* main_ = nullptr;
  TfrmSplash* splash_ = nullptr;
  TfrmAbout* about_ = nullptr;
  QElapsedTimer clock_;
  DisplayMode display_;
  bool displayStepDone_ = false;
  bool closed_ = false;
};

}  // namespace glim
