#include "app/term/LineEditor.h"

#include <histedit.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cwchar>

namespace glim {

struct LineEditor::State {
  EditLine* el = nullptr;
  History* hist = nullptr;
  const std::function<int()>* msUntilTimer = nullptr;
  bool timedOut = false;
  std::string prompt;
  std::string pending;  // typed before the timer interrupted the read
  std::mbstate_t mbs{};
  bool haveTerminal = false;
  termios terminal{};  // the terminal's settings when the editor was made
};

namespace {

const char* Prompt(EditLine* el) {
  LineEditor::State* s = nullptr;
  el_get(el, EL_CLIENTDATA, &s);
  return s ? s->prompt.c_str() : "> ";
}

// Reads one character for the editor from standard input, waiting no longer
// than the game's timer allows. When the wait runs out it answers a newline,
// which ends the read; the state's flag tells that apart from Enter.
int GetChar(EditLine* el, wchar_t* wc) {
  LineEditor::State* s = nullptr;
  el_get(el, EL_CLIENTDATA, &s);
  for (;;) {
    const int wait = s && s->msUntilTimer ? (*s->msUntilTimer)() : -1;
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    const int ready = poll(&pfd, 1, wait);
    if (ready < 0) {
      if (errno == EINTR) continue;  // a resize or a resumed job
      return -1;
    }
    if (ready == 0) {
      if (s) s->timedOut = true;
      *wc = L'\n';
      return 1;
    }
    char c;
    const ssize_t got = read(STDIN_FILENO, &c, 1);
    if (got == 0) return 0;
    if (got < 0) {
      if (errno == EINTR) continue;
      return -1;
    }
    wchar_t w;
    std::mbstate_t& mbs = s->mbs;
    const size_t m = std::mbrtowc(&w, &c, 1, &mbs);
    if (m == static_cast<size_t>(-2)) continue;  // more bytes of one character to come
    if (m == static_cast<size_t>(-1)) {
      // Not a character of the terminal's encoding: take the byte itself.
      mbs = std::mbstate_t{};
      w = static_cast<unsigned char>(c);
    }
    *wc = w;
    return 1;
  }
}

}  // namespace

LineEditor::LineEditor(const char* program, std::string prompt) : s_(std::make_unique<State>()) {
  s_->prompt = std::move(prompt);
  s_->hist = history_init();
  HistEvent ev;
  history(s_->hist, &ev, H_SETSIZE, 500);
  history(s_->hist, &ev, H_SETUNIQUE, 1);  // a line repeated at once is kept once
  s_->el = el_init(program, stdin, stdout, stderr);
  el_set(s_->el, EL_CLIENTDATA, s_.get());
  el_set(s_->el, EL_PROMPT, Prompt);
  el_set(s_->el, EL_EDITOR, "emacs");
  el_set(s_->el, EL_SIGNAL, 1);
  el_set(s_->el, EL_HIST, history, s_->hist);
  el_set(s_->el, EL_GETCFN, GetChar);
  // The player's own key bindings (~/.editrc), if any.
  el_source(s_->el, nullptr);
  s_->haveTerminal = tcgetattr(STDIN_FILENO, &s_->terminal) == 0;
}

LineEditor::~LineEditor() {
  if (s_->haveTerminal) tcsetattr(STDIN_FILENO, TCSANOW, &s_->terminal);
  if (s_->el) el_end(s_->el);
  if (s_->hist) history_end(s_->hist);
}

void LineEditor::SetPrompt(std::string prompt) { s_->prompt = std::move(prompt); }

// Between reads (while a command prints or pauses) the terminal is left in
// character mode without echo, so that keys typed meanwhile wait for the
// next read as they were typed. In the terminal's line mode a Ctrl-D typed
// then would become an end of input that the editor, which reads in
// character mode, never sees: the player could not leave the game.
void LineEditor::HoldKeys() {
  termios t{};
  if (!s_->haveTerminal || tcgetattr(STDIN_FILENO, &t) != 0) return;
  t.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
  t.c_cc[VMIN] = 1;
  t.c_cc[VTIME] = 0;
  tcsetattr(STDIN_FILENO, TCSANOW, &t);
}

LineEditor::Result LineEditor::Read(std::string& line, const std::function<int()>& msUntilTimer) {
  s_->msUntilTimer = &msUntilTimer;
  s_->timedOut = false;
  if (!s_->pending.empty()) {
    el_push(s_->el, s_->pending.c_str());
    s_->pending.clear();
  }
  int count = 0;
  const char* got = el_gets(s_->el, &count);
  s_->msUntilTimer = nullptr;
  HoldKeys();
  if (!got || count <= 0) {
    // Leave the shell's prompt on a line of its own.
    std::fputs("\n", stdout);
    std::fflush(stdout);
    return Result::End;
  }
  line.assign(got, static_cast<size_t>(count));
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
  if (s_->timedOut) {
    s_->pending = line;
    return Result::Timer;
  }
  if (!line.empty()) {
    HistEvent ev;
    history(s_->hist, &ev, H_ENTER, line.c_str());
  }
  return Result::Line;
}

}  // namespace glim
