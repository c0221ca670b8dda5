// glimmerhold-term: the game on a terminal or a pipe.
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <csignal>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <optional>
#include <string>

#include "app/term/HelpPager.h"
#include "app/term/LineEditor.h"
#include "app/term/TextPlatform.h"
#ifdef GLIM_HAVE_SOUND
#include "app/sound/SdlSoundPlayer.h"
#endif
#include "shell/GameFolder.h"
#include "world/Game.h"

#ifndef GLIM_VERSION
#define GLIM_VERSION "0.1.0"
#endif

namespace {

void Usage(std::ostream& o) {
  o << "Usage: glimmerhold-term [options]\n"
       "Play Glimmerhold in a terminal. Commands are read one per line.\n\n"
       "  --folder DIR      use DIR as the game folder (the data files, images, sounds)\n"
       "  --virtual-clock   pauses and timers run on a simulated clock, taking no real time\n"
       "  --silent          play no sound at all\n"
       "  --trace           also print sound, timer and panel-clearing events\n"
       "  --no-splash       do not print the introduction and credits at start\n"
       "  --help            show this help and exit\n"
       "  --version         show the version and exit\n\n"
       "Lines starting with ':' reach the window's other controls; see the README.\n"
       "help (or h) shows the help pages; :help PAGE shows one page, by number or name.\n"
       ":undo takes back the last step (up to 100, a death or a new game included)\n"
       "and :redo takes it again.\n"
       "At a terminal the commands are typed at a prompt with line editing and\n"
       "history, and the text is wrapped at the terminal's width.\n";
}

// One key from the terminal, without waiting for Enter and without echo:
// its byte, or -1 at the end of input. The rest of a key that sends several
// bytes (an arrow, a function key) is read and dropped with it, so that it
// does not turn up as typed text afterwards.
int ReadKey() {
  termios old{};
  const bool tty = tcgetattr(STDIN_FILENO, &old) == 0;
  if (tty) {
    termios raw = old;
    raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(STDIN_FILENO, TCSANOW, &raw);
  }
  unsigned char c = 0;
  ssize_t got = 0;
  do {
    got = read(STDIN_FILENO, &c, 1);
  } while (got < 0 && errno == EINTR);
  constexpr int SequenceGapMs = 30;
  for (int more = 0; got == 1 && more < 16; ++more) {
    pollfd pfd{STDIN_FILENO, POLLIN, 0};
    unsigned char rest = 0;
    if (poll(&pfd, 1, SequenceGapMs) <= 0 || read(STDIN_FILENO, &rest, 1) != 1) break;
  }
  if (tty) tcsetattr(STDIN_FILENO, TCSANOW, &old);
  return got == 1 ? c : -1;
}

// The game at a terminal: lines come from the line editor, and the event
// timer may run out while the player is typing.
int PlayAtTerminal(glim::TextPlatform& platform, glim::Game& game) {
  // The help asks for pages with an editor of its own (its prompt and its
  // history). The game's timer is not looked at meanwhile: one that runs out
  // fires as soon as the help closes.
  std::unique_ptr<glim::LineEditor> helpEditor;
  glim::HelpTerminal help;
  help.ReadLine = [&helpEditor](const std::string& prompt) -> std::optional<std::string> {
    if (!helpEditor) helpEditor = std::make_unique<glim::LineEditor>("glimmerhold-term");
    helpEditor->SetPrompt(prompt);
    std::string line;
    const std::function<int()> noTimer = [] { return -1; };
    if (helpEditor->Read(line, noTimer) != glim::LineEditor::Result::Line) return std::nullopt;
    return line;
  };
  help.ReadKey = ReadKey;
  help.Rows = [] { return glim::TerminalRows(STDOUT_FILENO); };
  help.Columns = [] { return glim::TerminalColumns(STDOUT_FILENO); };
  platform.SetHelpTerminal(&help);

  platform.Begin(game);
  glim::LineEditor editor("glimmerhold-term");
  const std::function<int()> msUntilTimer = [&platform] { return platform.MsUntilTimer(); };
  std::string line;
  while (!platform.Closed()) {
    platform.PumpEvents();  // a timer that ran out during the last command
    if (platform.Closed()) break;
    std::cout.flush();
    const glim::LineEditor::Result r = editor.Read(line, msUntilTimer);
    if (r == glim::LineEditor::Result::End) break;
    if (r == glim::LineEditor::Result::Timer) continue;  // fired by PumpEvents above
    if (!platform.HandleLine(game, line)) break;
  }
  return platform.Finish();
}

}  // namespace

int main(int argc, char** argv) {
  // A save that runs into the file size limit fails with an error the game
  // reports, as on a full disk, instead of killing the game.
  std::signal(SIGXFSZ, SIG_IGN);
  glim::TextOptions opts;
  bool splash = true;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--folder" && i + 1 < argc) {
      opts.Folder = argv[++i];
      if (opts.Folder.empty() || opts.Folder.back() != '/') opts.Folder += '/';
    } else if (a == "--virtual-clock") {
      opts.VirtualClock = true;
    } else if (a == "--silent") {
      opts.Silent = true;
    } else if (a == "--trace") {
      opts.Trace = true;
    } else if (a == "--no-splash") {
      splash = false;
    } else if (a == "--help" || a == "-h") {
      Usage(std::cout);
      return 0;
    } else if (a == "--version") {
      std::cout << "glimmerhold-term " GLIM_VERSION "\n";
      return 0;
    } else {
      std::cerr << "glimmerhold-term: unknown option " << a << "\n";
      Usage(std::cerr);
      return 2;
    }
  }
  if (opts.Folder.empty()) opts.Folder = glim::FindGameFolder();
  opts.Interactive = isatty(STDIN_FILENO) == 1;
  opts.Splash = splash;
  const bool terminalOut = isatty(STDOUT_FILENO) == 1;
  // Wrap only what goes to a terminal: a file or a pipe gets every printed
  // line as one line.
  if (terminalOut) opts.WrapWidth = -1;
  // A command typed at the prompt stands on the screen already.
  opts.EchoTyped = !(opts.Interactive && terminalOut);
  // Real sound unless told to stay silent; without an audio device the
  // player says so once and the game goes on silently.
  std::unique_ptr<glim::SoundPlayer> sound;
#ifdef GLIM_HAVE_SOUND
  if (!opts.Silent) sound = glim::MakeSdlSoundPlayer();
#endif
  glim::TextPlatform platform(std::cout, opts, sound.get());
  glim::Game game(platform);
  if (opts.Interactive && terminalOut) {
    std::setlocale(LC_CTYPE, "");  // the editor reads the terminal's characters
    return PlayAtTerminal(platform, game);
  }
  return platform.Run(game, std::cin);
}
