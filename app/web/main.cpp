// The game in a browser page: the functions the page's script calls. The
// page calls one at a time and waits for it to finish (a wait or a box
// inside it included) before it calls the next.
#include <emscripten.h>

#include <memory>
#include <string>

#include "app/web/WebPlatform.h"
#include "world/Game.h"

namespace {

// The pictures of the rooms the direction buttons lead to, fetched while
// the player reads, so that a move usually finds its picture here.
void PrefetchNeighbours(const glim::Game& game, glim::WebPlatform& platform) {
  const int32_t room = game.CurrentRoom;
  if (!glim::Table<glim::TRoom, glim::MaxRooms>::InRange(room)) return;
  for (int d = glim::DirNorth; d <= glim::DirWest; ++d) {
    const int32_t next = game.Rooms[room].Exit(d);
    if (next > 0) platform.Prefetch(game.GameFolder + "images/room" + std::to_string(next) + ".jpg");
  }
}

// The page's game. The exported functions are plain C, so the session they
// work on is held here, made once by glim_start.
struct Session {
  explicit Session(bool virtualClock) : platform("/game/", virtualClock), game(platform) {
    platform.SetSceneShown([this] { PrefetchNeighbours(game, platform); });
  }
  glim::WebPlatform platform;
  glim::Game game;
};

std::unique_ptr<Session>& TheSession() {
  static std::unique_ptr<Session> session;
  return session;
}

// The controls beside the message panel, as numbered by the page.
enum Control { North = 1, South, East, West, Help, NewGame, About, Exit, Save, Load };

void Press(glim::Game& game, int control) {
  switch (control) {
    case North: game.spbNorthClick(); break;
    case South: game.spbSouthClick(); break;
    case East: game.spbEastClick(); break;
    case West: game.spbWestClick(); break;
    case Help: game.spbHelpClick(); break;
    case NewGame: game.mnuFile_NewClick(); break;
    case About: game.mnuAbout_aboutClick(); break;
    case Exit: game.mnuFile_ExitClick(); break;
    case Save: game.mnuFile_SaveClick(); break;
    case Load: game.mnuFile_OpenClick(); break;
    default: break;
  }
}

// The running game, or null before the start and after the window closed.
glim::Game* Running() {
  auto& s = TheSession();
  return s && !s->platform.Closed() ? &s->game : nullptr;
}

}  // namespace

extern "C" {

// Starts the game (the window's first activation).
EMSCRIPTEN_KEEPALIVE void glim_start(int virtualClock) {
  if (TheSession()) return;
  TheSession() = std::make_unique<Session>(virtualClock != 0);
  TheSession()->game.FormActivate();
}

// The command line's text followed by Enter.
EMSCRIPTEN_KEEPALIVE void glim_command(const char* text) {
  if (glim::Game* g = Running()) g->txtCommandKeyDown(text ? text : "");
}

EMSCRIPTEN_KEEPALIVE void glim_control(int control) {
  if (glim::Game* g = Running()) Press(*g, control);
}

EMSCRIPTEN_KEEPALIVE void glim_click_scene(int x, int y) {
  if (glim::Game* g = Running()) g->imgViewMouseUp(x, y);
}

EMSCRIPTEN_KEEPALIVE void glim_click_carried(int x, int y, int left) {
  if (glim::Game* g = Running()) g->imgCarriedMouseUp(x, y, left != 0);
}

// Takes back the last step (1 when there was one) or takes it again.
EMSCRIPTEN_KEEPALIVE int glim_undo() { return Running() && Running()->Undo() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int glim_redo() { return Running() && Running()->Redo() ? 1 : 0; }

// The event timer between commands: milliseconds until it is due (-1 when
// it is not armed), and its expiry.
EMSCRIPTEN_KEEPALIVE int glim_timer_left() { return Running() ? TheSession()->platform.MsUntilTimer() : -1; }
EMSCRIPTEN_KEEPALIVE void glim_tick() {
  if (Running()) TheSession()->platform.FireTimerIfDue();
}

}  // extern "C"
