// glimmerhold-term: the game on a terminal or a pipe.
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <memory>
#include <string>

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
       "  --no-splash       do not print the introduction at start\n"
       "  --help            show this help and exit\n"
       "  --version         show the version and exit\n\n"
       "Lines starting with ':' reach the window's other controls; see the README.\n";
}

}  // namespace

int main(int argc, char** argv) {
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
  opts.Splash = splash && opts.Interactive;
  // Real sound unless told to stay silent; without an audio device the
  // player says so once and the game goes on silently.
  std::unique_ptr<glim::SoundPlayer> sound;
#ifdef GLIM_HAVE_SOUND
  if (!opts.Silent) sound = glim::MakeSdlSoundPlayer();
#endif
  glim::TextPlatform platform(std::cout, opts, sound.get());
  glim::Game game(platform);
  return platform.Run(game, std::cin);
}
