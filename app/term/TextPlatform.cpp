#include "app/term/TextPlatform.h"

#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <iostream>
#include <sstream>
#include <thread>

#include "app/term/HelpPager.h"
#include "shell/GameFolder.h"
#include "world/Game.h"
#include "world/Text.h"

namespace glim {

namespace {

std::vector<std::string> Words(const std::string& s) {
  std::istringstream in(s);
  std::vector<std::string> w;
  for (std::string t; in >> t;) w.push_back(t);
  return w;
}

// The text after the first n blank-separated words of s.
std::string Rest(const std::string& s, int n) {
  size_t i = 0;
  for (int k = 0; k < n; ++k) {
    while (i < s.size() && s[i] == ' ') ++i;
    while (i < s.size() && s[i] != ' ') ++i;
  }
  if (i < s.size() && s[i] == ' ') ++i;
  return s.substr(i);
}

constexpr int MaxWaitSeconds = 24 * 60 * 60;

std::optional<int> ToInt(const std::string& s) {
  auto v = StrictInt(s);
  if (!v) return std::nullopt;
  return *v;
}

}  // namespace

int TerminalColumns(int fd) {
  winsize ws{};
  if (ioctl(fd, TIOCGWINSZ, &ws) != 0) return 0;
  return ws.ws_col;
}

int TerminalRows(int fd) {
  winsize ws{};
  if (ioctl(fd, TIOCGWINSZ, &ws) != 0) return 0;
  return ws.ws_row;
}

TextPlatform::TextPlatform(std::ostream& out, TextOptions opts, SoundPlayer* sound)
    : out_(out), opts_(std::move(opts)), sound_(sound) {
  start_ = RealNow();
}

TextPlatform::~TextPlatform() = default;

uint64_t TextPlatform::RealNow() const {
  using namespace std::chrono;
  return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int TextPlatform::WrapColumns() const {
  if (opts_.WrapWidth >= 0) return opts_.WrapWidth;
  return TerminalColumns(STDOUT_FILENO);
}

void TextPlatform::Emit(const std::string& line, int indent) {
  ++emitted_;
  const int width = WrapColumns();
  if (width <= 0) {
    out_ << line << '\n';
    return;
  }
  for (const std::string& l : WrapText(line, width, indent)) out_ << l << '\n';
}

void TextPlatform::PrintLine(const std::string& text) {
  // The echo, when left out, is the first line the command prints.
  if (echoToSkip_) {
    const bool echo = text == *echoToSkip_;
    echoToSkip_.reset();
    if (echo) return;
  }
  Emit(text);
}

void TextPlatform::ClearPanel() {
  if (opts_.Trace)
    out_ << "[clear]\n";
  else if (opts_.Interactive && clearedAt_ != emitted_) {
    // A cleared panel is one blank line; clears with nothing printed between
    // them (start-up clears several times) do not stack up empty lines.
    out_ << '\n';
    clearedAt_ = emitted_;
  }
}

void TextPlatform::Box(const std::string& text) {
  // A box's long lines go on under its text, not under the prefix.
  for (const std::string& l : SplitLines(text)) Emit("[box] " + l, 6);
  if (text.empty()) out_ << "[box] \n";
}

void TextPlatform::MessageBox(const std::string& text) { Box(text); }

void TextPlatform::Notice(const std::string& text) {
  for (const std::string& l : SplitLines(text)) Emit("[note] " + l, 7);
}
void TextPlatform::ErrorBox(const std::string& text) { Box(text); }

bool TextPlatform::ConfirmBox(const std::string& text) {
  Box(text);
  bool yes = false;
  if (!confirms_.empty()) {
    yes = confirms_.front();
    confirms_.pop_front();
  } else if (helpTerminal_ != nullptr && helpTerminal_->ReadLine) {
    // At a terminal the player answers the box; anything but a yes is No,
    // the box's safe default.
    out_.flush();
    const std::optional<std::string> answer = helpTerminal_->ReadLine("[box] Yes or No? ");
    yes = answer && !answer->empty() && (answer->front() == 'y' || answer->front() == 'Y');
  }
  out_ << "[box] " << (yes ? "Yes" : "No") << '\n';
  return yes;
}

std::string TextPlatform::InputBox(const std::string& title, const std::string& prompt, const std::string& def) {
  Emit("[box] " + title + ": " + prompt, 6);
  std::string answer = def;
  if (!inputs_.empty()) {
    answer = inputs_.front();
    inputs_.pop_front();
  }
  out_ << "[box] > " << answer << '\n';
  return answer;
}

std::optional<std::string> TextPlatform::NextFile(const FileDialogSpec& spec) {
  if (files_.empty()) return std::nullopt;
  auto f = files_.front();
  files_.pop_front();
  // As in a dialog, a bare name is a file in the folder the dialog shows.
  if (f && !f->empty() && (*f)[0] != '/' && !spec.InitialDir.empty()) {
    std::string dir = spec.InitialDir;
    if (dir.back() != '/') dir += '/';
    *f = dir + *f;
  }
  return f;
}

std::optional<std::string> TextPlatform::OpenFileDialog(const FileDialogSpec& spec) {
  auto f = NextFile(spec);
  if (f && f->find('.', f->find_last_of('/') == std::string::npos ? 0 : f->find_last_of('/')) == std::string::npos)
    *f += "." + spec.DefaultExt;
  if (f && !FileExists(*f)) {
    Box(*f + "\r\nFile not found.\r\nPlease verify the correct file name was given.");
    return std::nullopt;
  }
  return f;
}

std::optional<std::string> TextPlatform::SaveFileDialog(const FileDialogSpec& spec) {
  auto f = NextFile(spec);
  if (!f) return f;
  const size_t slash = f->find_last_of('/');
  if (f->find('.', slash == std::string::npos ? 0 : slash) == std::string::npos) *f += "." + spec.DefaultExt;
  if (FileExists(*f)) {
    // Replacing a file needs the player's word; without a queued answer the
    // terminal takes yes, since the player named the file on purpose.
    if (confirms_.empty()) confirms_.push_back(true);
    if (!ConfirmBox(*f + " already exists.\r\nDo you want to replace it?")) return std::nullopt;
  }
  return f;
}

void TextPlatform::EnableDirection(int direction, bool enabled) {
  if (direction >= 1 && direction <= 4) buttons_[direction] = enabled;
}

SoundResult TextPlatform::PlaySoundFile(const std::string& path, bool repeat) {
  if (opts_.Trace) {
    const size_t slash = path.find_last_of('/');
    out_ << "[sound] play " << (slash == std::string::npos ? path : path.substr(slash + 1))
         << (repeat ? " repeat" : " once") << '\n';
  }
  if (opts_.Silent) return SoundResult::Ok;
  if (sound_) return sound_->Play(path, repeat);
  return ResolveNoCase(path).empty() ? SoundResult::Missing : SoundResult::Ok;
}

void TextPlatform::StopSoundFile() {
  if (opts_.Trace) out_ << "[sound] stop\n";
  if (sound_ && !opts_.Silent) sound_->Stop();
}

void TextPlatform::SetSoundRepeat(bool repeat) {
  if (opts_.Trace) out_ << "[sound] repeat " << (repeat ? "on" : "off") << '\n';
  if (sound_ && !opts_.Silent) sound_->SetRepeat(repeat);
}

uint32_t TextPlatform::TickCount() const {
  return static_cast<uint32_t>(opts_.VirtualClock ? now_ : RealNow() - start_);
}

void TextPlatform::StartTimer(int intervalMs) {
  timerArmed_ = true;
  deadline_ = (opts_.VirtualClock ? now_ : RealNow()) + static_cast<uint64_t>(intervalMs < 0 ? 0 : intervalMs);
  if (opts_.Trace) out_ << "[timer] start " << intervalMs << '\n';
}

void TextPlatform::StopTimer() {
  timerArmed_ = false;
  if (opts_.Trace) out_ << "[timer] stop\n";
}

int TextPlatform::TimerLeft() {
  if (!timerArmed_) return -1;
  const uint64_t now = opts_.VirtualClock ? now_ : RealNow();
  if (deadline_ <= now) return 0;
  const uint64_t left = deadline_ - now;
  return left > 0x7fffffff ? 0x7fffffff : static_cast<int>(left);
}

void TextPlatform::FireTimerIfDue() {
  const uint64_t now = opts_.VirtualClock ? now_ : RealNow();
  if (!timerArmed_ || now < deadline_) return;
  // The timer fires once per expiry; the game disables it in its handler.
  deadline_ = now + 0x7fffffff;
  if (opts_.Trace) out_ << "[timer] expired\n";
  if (events_) events_->OnEventTimer();
}

void TextPlatform::Advance(uint32_t ms) {
  if (opts_.VirtualClock) {
    const uint64_t target = now_ + ms;
    // Fire the timer at its own moment, so that what it does happens in
    // clock order with the rest of the wait.
    while (timerArmed_ && deadline_ <= target) {
      if (deadline_ > now_) now_ = deadline_;
      FireTimerIfDue();
    }
    if (now_ < target) now_ = target;
    return;
  }
  const uint64_t target = RealNow() + ms;
  for (;;) {
    FireTimerIfDue();
    const uint64_t now = RealNow();
    if (now >= target) break;
    uint64_t step = target - now;
    if (timerArmed_ && deadline_ > now && deadline_ - now < step) step = deadline_ - now;
    std::this_thread::sleep_for(std::chrono::milliseconds(step));
  }
}

void TextPlatform::WaitSeconds(int seconds) {
  out_.flush();
  Advance(static_cast<uint32_t>(seconds < 0 ? 0 : seconds) * 1000u);
}

void TextPlatform::PumpEvents() { FireTimerIfDue(); }

// The introduction and credits of the game folder's credits.txt, the text
// the window's splash scrolls and its About box shows, one printed line per
// line of the file (wrapped at a terminal). Nothing when the file is missing
// or is no text of a sensible size (see ReadCredits).
void TextPlatform::PrintIntro() {
  std::vector<std::string> lines = SplitLines(ReadCredits(opts_.Folder));
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  for (const std::string& l : lines) Emit(l);
}

// The splash: the introduction before the first room, on a terminal and on a
// pipe alike, so that a player who plays by pipe reads the same hints. Only a
// terminal waits for Enter; a pipe's lines are all commands.
void TextPlatform::ShowSplash() {
  if (!opts_.Splash) return;
  PrintIntro();
  out_ << '\n';
  if (opts_.Interactive) {
    out_ << "(press Enter to begin)" << std::endl;
    std::string dummy;
    std::getline(std::cin, dummy);
  }
}

void TextPlatform::ShowAbout() {
  out_ << "[about] About Glimmerhold\n";
  PrintIntro();
  out_ << "[about] closed\n";
}

// The help viewer of the terminal: the pages as text. At a terminal the
// player reads them until going back to the game; on a pipe the contents are
// printed and nothing is read, so the next lines stay the player's commands.
std::string TextPlatform::ShowHelpFile(const std::string& path) {
  // The file's name in any letter case, as the window's viewer finds it.
  const std::string real = ResolveNoCase(path);
  if (real.empty()) return "Process file does not exist";
  out_.flush();
  HelpPager help(out_);
  if (!help.Open(real)) {
    Box("The help file " + real + " cannot be read.");
    return "The help file cannot be read";
  }
  if (helpTerminal_)
    help.Browse(*helpTerminal_);
  else
    help.PrintContentsForPipe(WrapColumns());
  ++emitted_;
  return "OK";
}

void TextPlatform::ShowHelpPage(const std::string& choice) {
  const std::string path = opts_.Folder + "glimhelp.chm";
  const std::string real = ResolveNoCase(path);
  HelpPager help(out_);
  if (real.empty()) {
    out_ << "[meta] no help file " << path << '\n';
    return;
  }
  if (!help.Open(real)) {
    out_ << "[meta] cannot read the help file " << real << '\n';
    return;
  }
  if (helpTerminal_)
    help.Browse(*helpTerminal_, choice);
  else
    help.PrintPage(choice, WrapColumns());
  ++emitted_;
}

bool TextPlatform::Meta(Game& game, const std::string& line) {
  const std::vector<std::string> w = Words(line.substr(1));
  if (w.empty()) return true;
  const std::string& c = w[0];
  auto arg = [&](size_t i) -> std::optional<int> { return i < w.size() ? ToInt(w[i]) : std::nullopt; };
  if (c == "new") {
    game.mnuFile_NewClick();
  } else if (c == "save" || c == "load") {
    const std::string path = Rest(line.substr(1), 1);
    QueueFile(path.empty() ? std::nullopt : std::optional<std::string>(path));
    if (c == "save")
      game.mnuFile_SaveClick();
    else
      game.mnuFile_OpenClick();
  } else if (c == "about") {
    game.mnuAbout_aboutClick();
  } else if (c == "exit") {
    QueueConfirm(w.size() > 1 && (w[1] == "yes" || w[1] == "y"));
    game.mnuFile_ExitClick();
  } else if (c == "north") {
    game.spbNorthClick();
  } else if (c == "south") {
    game.spbSouthClick();
  } else if (c == "east") {
    game.spbEastClick();
  } else if (c == "west") {
    game.spbWestClick();
  } else if (c == "help" && w.size() > 1) {
    ShowHelpPage(Rest(line.substr(1), 1));
  } else if (c == "help") {
    game.spbHelpClick();
  } else if (c == "click" && w.size() >= 4 && arg(2) && arg(3)) {
    const std::string button = w.size() > 4 ? w[4] : "left";
    if (w[1] == "view")
      game.imgViewMouseUp(*arg(2), *arg(3));
    else if (w[1] == "carried")
      game.imgCarriedMouseUp(*arg(2), *arg(3), button == "left");
    else
      out_ << "[meta] unknown click target " << w[1] << '\n';
  } else if (c == "objects") {
    for (size_t i = 1; i < w.size(); ++i) QueueInput(w[i]);
    game.ObjectCheatClick();
  } else if (c == "room") {
    if (w.size() > 1) QueueInput(Rest(line.substr(1), 1));
    game.RoomCheatClick();
  } else if (c == "wait" && arg(1) && *arg(1) >= 0) {
    // A wait longer than a day is a day: the milliseconds must fit the
    // clock's steps, and nothing in the game runs longer.
    if (*arg(1) > MaxWaitSeconds) out_ << "[meta] :wait is cut to " << MaxWaitSeconds << " seconds\n";
    Advance(static_cast<uint32_t>(std::min(*arg(1), MaxWaitSeconds)) * 1000u);
  } else if (c == "answer" && w.size() > 1) {
    QueueConfirm(w[1] == "yes" || w[1] == "y");
  } else if (c == "input") {
    QueueInput(Rest(line.substr(1), 1));
  } else if ((c == "scene" || c == "carried") && w.size() > 1) {
    std::string png;
    const Image& img = c == "scene" ? scene_ : carried_;
    std::string err;
    if (!EncodePng(img, png) || !Platform::WriteFile(Rest(line.substr(1), 1), png, err))
      out_ << "[meta] could not write " << Rest(line.substr(1), 1) << '\n';
  } else if (c == "exits") {
    static const char* names[5] = {"", "north", "south", "east", "west"};
    std::string s = "[buttons]";
    for (int d = 1; d <= 4; ++d)
      if (buttons_[d]) s += std::string(" ") + names[d];
    out_ << s << '\n';
  } else if (c == "undo") {
    if (!game.Undo()) out_ << "[meta] nothing to undo\n";
  } else if (c == "redo") {
    if (!game.Redo()) out_ << "[meta] nothing to redo\n";
  } else if (c == "field") {
    out_ << "[field] " << field_ << '\n';
  } else {
    out_ << "[meta] unknown command :" << c << '\n';
  }
  return !closed_;
}

bool TextPlatform::HandleLine(Game& game, const std::string& raw) {
  std::string line = raw;
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (!line.empty() && line[0] == ':') return Meta(game, line);
  // Typing replaces the field's text, then Enter is pressed.
  field_ = line;
  if (!opts_.EchoTyped) echoToSkip_ = line;
  game.txtCommandKeyDown(field_);
  echoToSkip_.reset();
  return !closed_;
}

void TextPlatform::Begin(Game& game) { game.FormActivate(); }

int TextPlatform::Finish() {
  if (closed_) WaitSeconds(2);  // the window's close pause
  out_.flush();
  return 0;
}

int TextPlatform::MsUntilTimer() const {
  if (!timerArmed_ || opts_.VirtualClock) return -1;
  const uint64_t now = RealNow();
  if (deadline_ <= now) return 0;
  const uint64_t left = deadline_ - now;
  return left > 0x7fffffff ? 0x7fffffff : static_cast<int>(left);
}

int TextPlatform::Run(Game& game, std::istream& in) {
  Begin(game);
  std::string line;
  for (;;) {
    if (closed_) break;
    out_.flush();
    if (opts_.Interactive && MsUntilTimer() >= 0) {
      // Let the event timer run out while the player thinks.
      pollfd pfd{STDIN_FILENO, POLLIN, 0};
      if (poll(&pfd, 1, MsUntilTimer()) == 0) {
        FireTimerIfDue();
        continue;
      }
    }
    if (!std::getline(in, line)) break;
    if (!HandleLine(game, line)) break;
  }
  return Finish();
}

}  // namespace glim
