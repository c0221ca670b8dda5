// The platform on a text stream: the terminal front end and the test harness.
// Printed lines go to the output one per line; boxes are printed with a
// "[box] " prefix; answers to boxes and dialogs come from meta-commands.
// With a virtual clock, pauses and the event timer take no real time and the
// timer fires in clock order during waits.
#pragma once

#include <cstdint>
#include <deque>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "shell/SoundPlayer.h"
#include "ui/Platform.h"
#include "ui/TextWrap.h"

namespace glim {

class Game;
struct HelpTerminal;

struct TextOptions {
  std::string Folder;         // game folder, ending in '/'
  bool VirtualClock = false;  // pauses and timers on the simulated clock
  bool Silent = false;        // no sound at all, not even a missing-file box
  bool Trace = false;         // print [sound], [clear] and [timer] lines
  bool Splash = false;        // print the introduction and credits at start-up
  bool Interactive = false;   // stdin is a terminal: poll it for the timer
  // The game echoes every command into its panel. At a terminal the player
  // sees the line as typed already, so the echo of a typed line is left out
  // there; scripts and tests read it from the output.
  bool EchoTyped = true;
  // Word wrap of printed lines: 0 never wraps, a positive number wraps at
  // that many columns, -1 at the width of the terminal on standard output
  // (asked again for every line, so a resized window is followed).
  int WrapWidth = 0;
};

// The number of columns and of rows of the terminal on file descriptor fd, or 0.
int TerminalColumns(int fd);
int TerminalRows(int fd);

class TextPlatform : public Platform {
 public:
  TextPlatform(std::ostream& out, TextOptions opts, SoundPlayer* sound = nullptr);
  ~TextPlatform() override;

  // Runs one input line: a meta-command (starting with ':') or a command
  // typed into the entry field followed by Enter. Returns false once the
  // main window has been closed.
  bool HandleLine(Game& game, const std::string& line);
  // Plays a whole session from the input stream: start-up, every line, and
  // the end of input. Returns the exit status.
  int Run(Game& game, std::istream& in);
  // The pieces of Run, for a front end that reads its lines another way:
  // Begin starts the game (the window's first activation); Finish ends the
  // session (the window's close pause, when it was closed) and returns the
  // exit status.
  void Begin(Game& game);
  int Finish();
  // Milliseconds until the event timer is due on the real clock (0 when it
  // is overdue); -1 when it is not armed or time runs on the virtual clock.
  int MsUntilTimer() const;
  // Lets simulated (or real) time pass, firing the timer when it is due.
  void Advance(uint32_t ms);

  bool Closed() const { return closed_; }
  const Image& Scene() const { return scene_; }
  const Image& CarriedPanel() const { return carried_; }
  // Exchanges the shown scene and panel with the given images. A caller
  // that makes many platforms one after the other hands the pictures'
  // memory on this way, instead of each platform allocating it afresh.
  void SwapShown(Image& scene, Image& carried) {
    std::swap(scene_, scene);
    std::swap(carried_, carried);
  }
  bool DirectionEnabled(int d) const { return d >= 1 && d <= 4 && buttons_[d]; }
  const std::string& CommandText() const { return field_; }
  bool TimerArmed() const { return timerArmed_; }
  // Milliseconds since the platform was made, on its clock.
  uint32_t TickCount() const;

  // Queued answers for the boxes and dialogs that come next.
  void QueueConfirm(bool yes) { confirms_.push_back(yes); }
  void QueueInput(const std::string& s) { inputs_.push_back(s); }
  void QueueFile(std::optional<std::string> path) { files_.push_back(std::move(path)); }

  // Platform
  void PrintLine(const std::string& text) override;
  void ClearPanel() override;
  void SetCommandText(const std::string& text) override { field_ = text; }
  void MessageBox(const std::string& text) override;
  void Notice(const std::string& text) override;
  void ErrorBox(const std::string& text) override;
  bool ConfirmBox(const std::string& text) override;
  std::string InputBox(const std::string& title, const std::string& prompt, const std::string& def) override;
  std::optional<std::string> OpenFileDialog(const FileDialogSpec& spec) override;
  std::optional<std::string> SaveFileDialog(const FileDialogSpec& spec) override;
  void EnableDirection(int direction, bool enabled) override;
  void ShowScene(const Image& scene) override { scene_ = scene; }
  void ShowCarried(const Image& panel) override { carried_ = panel; }
  SoundResult PlaySoundFile(const std::string& path, bool repeat) override;
  void StopSoundFile() override;
  void SetSoundRepeat(bool repeat) override;
  void StartTimer(int intervalMs) override;
  void StopTimer() override;
  int TimerLeft() override;
  void WaitSeconds(int seconds) override;
  void PumpEvents() override;
  std::string ProgramFolder() override { return opts_.Folder; }
  void ShowSplash() override;
  void ShowAbout() override;
  std::string ShowHelpFile(const std::string& path) override;
  void CloseMainWindow() override { closed_ = true; }
  // The terminal has no place beside the command line: the hint is only
  // kept, for the tests.
  void ShowUndoHint(UndoHint hint) override { undoHint_ = hint; }
  UndoHint ShownUndoHint() const { return undoHint_; }
  // At a terminal the help asks the player which page to read through this,
  // and a box with a Yes and a No asks for the answer; without it (a pipe)
  // the help prints the contents and reads nothing, and a box takes the
  // answer queued by ":answer" or says No.
  void SetHelpTerminal(const HelpTerminal* term) { helpTerminal_ = term; }

 private:
  void Box(const std::string& text);
  // Writes one line, wrapped as the options say.
  void Emit(const std::string& line, int indent = 0);
  int WrapColumns() const;
  void FireTimerIfDue();
  void PrintIntro();
  bool Meta(Game& game, const std::string& line);
  // :help PAGE: the page the player names, without the help button.
  void ShowHelpPage(const std::string& choice);
  std::optional<std::string> NextFile(const FileDialogSpec& spec);
  uint64_t RealNow() const;

  std::ostream& out_;
  TextOptions opts_;
  SoundPlayer* sound_;
  uint64_t now_ = 0;                   // virtual clock, ms
  uint64_t emitted_ = 0;               // lines written by Emit so far
  uint64_t clearedAt_ = ~uint64_t{0};  // emitted_ at the last blank line of ClearPanel
  uint64_t start_ = 0;                 // real clock origin
  bool timerArmed_ = false;
  uint64_t deadline_ = 0;
  bool closed_ = false;
  UndoHint undoHint_ = UndoHint::None;
  const HelpTerminal* helpTerminal_ = nullptr;
  bool buttons_[5] = {true, true, true, true, true};
  std::string field_;
  std::optional<std::string> echoToSkip_;  // the typed line while its command runs
  Image scene_, carried_;
  std::deque<bool> confirms_;
  std::deque<std::string> inputs_;
  std::deque<std::optional<std::string>> files_;
};

}  // namespace glim
