// The game in a browser page: the functions the page's script calls. The
// page calls one at a time and waits for it to finish (a wait or a box
// inside it included) before it calls the next.
#include <emscripten.h>

#include <array>
#include <memory>
#include <string>

#include "app/web/WebPlatform.h"
#include "ui/Layout.h"
#include "world/Game.h"

namespace {

// The pictures of the rooms the direction buttons lead to, fetched while
// the player reads, so that a move usually finds its picture here. Most
// commands show the same room with the same exits again: `asked` holds the
// rooms asked for last time, and those are not asked for again.
void PrefetchNeighbours(const glim::Game& game, glim::WebPlatform& platform, std::array<int32_t, 4>& asked) {
  const int32_t room = game.CurrentRoom;
  if (!glim::Table<glim::TRoom, glim::MaxRooms>::InRange(room)) return;
  std::array<int32_t, 4> next{};
  for (int d = glim::DirNorth; d <= glim::DirWest; ++d) next[d - glim::DirNorth] = game.Rooms[room].Exit(d);
  if (next == asked) return;
  asked = next;
  for (const int32_t r : next)
    if (r > 0) platform.Prefetch(game.GameFolder + "images/room" + std::to_string(r) + ".jpg");
}

// The page's game. The exported functions are plain C, so the session they
// work on is held here, made once by glim_start.
struct Session {
  explicit Session(bool virtualClock) : platform("/game/", virtualClock), game(platform) {
    platform.SetSceneShown([this] { PrefetchNeighbours(game, platform, asked); });
  }
  glim::WebPlatform platform;
  glim::Game game;
  std::array<int32_t, 4> asked{};  // the neighbours last fetched ahead
};

std::unique_ptr<Session>& TheSession() {
  static std::unique_ptr<Session> session;
  return session;
}

// The controls beside the message panel, as numbered by the page.
// ObjectCheat and RoomCheat are the window's hidden debugging buttons.
enum Control { North = 1, South, East, West, Help, NewGame, About, Exit, Save, Load, ObjectCheat, RoomCheat };

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
    case ObjectCheat: game.ObjectCheatClick(); break;
    case RoomCheat: game.RoomCheatClick(); break;
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

// A click or tap at a point of the 800 x 600 design (left 0 for any other
// button): on the room picture or the carried panel it is a click on the
// picture under it, on a button it presses the button.
EMSCRIPTEN_KEEPALIVE void glim_click(double x, double y, int left) {
  glim::Game* g = Running();
  if (!g) return;
  const glim::ControlId id = glim::HitControl(x, y);
  const glim::Control& c = glim::ControlOf(id);
  if (id == glim::ControlId::imgView || id == glim::ControlId::imgCarried) {
    const int which = id == glim::ControlId::imgView ? 0 : 1;
    int w = 0, h = 0, px = 0, py = 0;
    TheSession()->platform.PictureSize(which, w, h);
    glim::PicturePoint(x - c.Design.X, y - c.Design.Y, c.Design.W, c.Design.H, w, h, px, py);
    if (which == 0) g->imgViewMouseUp(px, py);
    if (which == 1) g->imgCarriedMouseUp(px, py, left != 0);
  } else if (c.Pressed != glim::Press::None && left) {
    Press(*g, static_cast<int>(c.Pressed));
  }
}

// The layout for the page at zoom factor f, as JSON; valid until the next
// call.
EMSCRIPTEN_KEEPALIVE const char* glim_layout(double f) {
  static std::string json;
  json = glim::LayoutJson(f);
  return json.c_str();
}

// The zoom rule: the factor that fits a room (never below `least`), the
// steps of the zoom keys.
EMSCRIPTEN_KEEPALIVE double glim_fit_zoom(int w, int h, double least) {
  return glim::FitZoom(w, h, glim::DesignWidth, glim::DesignHeight, least);
}
EMSCRIPTEN_KEEPALIVE double glim_zoom_in(double f, double most) { return glim::ZoomIn(f, most); }
EMSCRIPTEN_KEEPALIVE double glim_zoom_out(double f) { return glim::ZoomOut(f); }

// The notice of a new zoom factor; valid until the next call.
EMSCRIPTEN_KEEPALIVE const char* glim_zoom_notice(double f, int fits) {
  static std::string notice;
  notice = glim::ZoomNotice(f, fits != 0);
  return notice.c_str();
}

// What a key does (the browser's name for it and its modifiers): the name
// of the window's action, empty for none.
EMSCRIPTEN_KEEPALIVE const char* glim_key(const char* key, int ctrl, int shift, int alt) {
  return glim::KeyActionName(glim::ActionOfKey(glim::KeyFromName(key ? key : ""), ctrl != 0, shift != 0, alt != 0));
}

// The text in the empty command line for an undo hint.
EMSCRIPTEN_KEEPALIVE const char* glim_undo_hint_text(int hint) {
  return glim::UndoHintText(static_cast<glim::UndoHint>(hint));
}

// The splash's strip: its width for the text's measured widths, and where
// the text starts in the visible part `ms` after the scrolling began.
EMSCRIPTEN_KEEPALIVE int glim_strip_width(int measuredSmall, int drawnLarge) {
  return glim::StripWidth(measuredSmall, drawnLarge);
}
EMSCRIPTEN_KEEPALIVE int glim_strip_at(double ms, int stripWidth) { return glim::StripAt(ms, stripWidth).First; }

// Takes back the last step (1 when there was one) or takes it again.
EMSCRIPTEN_KEEPALIVE int glim_undo() { return Running() && Running()->Undo() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int glim_redo() { return Running() && Running()->Redo() ? 1 : 0; }

// The event timer between commands: milliseconds until it is due (-1 when
// it is not armed), and its expiry.
EMSCRIPTEN_KEEPALIVE int glim_timer_left() { return Running() ? TheSession()->platform.MsUntilTimer() : -1; }
EMSCRIPTEN_KEEPALIVE void glim_tick() {
  if (Running()) TheSession()->platform.FireTimerIfDue();
}

// Lets time pass without a command, as the player waiting does (the tests
// use it on the virtual clock, where time passes only in waits).
EMSCRIPTEN_KEEPALIVE void glim_wait(int seconds) {
  if (Running()) TheSession()->platform.WaitSeconds(seconds);
}

}  // extern "C"
