// glimmerhold-term: the game on a terminal or a pipe.
#include <unistd.h>

#include <clocale>
#include <csignal>
#include <cstring>
#include <functional>
#include <iostream>
#include <memory>
#include <string>

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
       ":undo takes back the last step (up to 100, a death or a new game included)\n"
       "and :redo takes it again.\n"
       "At a terminal the commands are typed at a prompt with line editing and\n"
       "history, and the text is wrapped at the terminal's width.\n";
}

// The game at a terminal: lines come from the line editor, and the event
// timer may run out while the player is typing.
int PlayAtTerminal(glim::TextPlatform& platform, glim::Game& game) {
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
