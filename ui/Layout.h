// The game's windows as data, for every front end that draws them: the main
// window's controls at their places in the 800 x 600 design (kind, caption,
// accessible name, colours, font), the splash and the About box, the zoom
// rule that scales the design, the window's keys, which control a click in
// the design falls on, and where the splash's scrolling text stands at a
// given moment. Nothing here knows a toolkit; the desktop window and the
// browser page both draw from it.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "ui/Platform.h"

namespace glim {

// The game area of the main window: the whole 800 x 600 design.
constexpr int DesignWidth = 800;
constexpr int DesignHeight = 600;

struct LayoutRect {
  int X = 0, Y = 0, W = 0, H = 0;
  bool Contains(double x, double y) const { return x >= X && y >= Y && x < X + W && y < Y + H; }
  bool operator==(const LayoutRect&) const = default;
};

enum class ControlKind {
  Picture,        // a picture stretched to the control, clickable
  Text,           // the read-only message panel
  Entry,          // the one-line command line
  Label,          // a caption
  Button,         // a flat button with a caption
  PictureButton,  // a flat button with a picture and a disabled picture
  PushButton,     // an ordinary push button
  Status,         // the notice line under the command line
};

enum class FontFace { Sans, Script };
enum class TextAlign { Left, Centre };

// The main window's controls, in the order they are stacked (later ones lie
// above earlier ones).
enum class ControlId {
  imgView,
  Print,
  txtCommand,
  imgCarried,
  Label1,
  lblCarry,
  LoadBtn,
  SaveBtn,
  NewBtn,
  AboutBtn,
  ExitBtn,
  spbNorth,
  spbSouth,
  spbEast,
  spbWest,
  spbHelp,
  lblNorth,
  lblSouth,
  lblEast,
  lblWest,
  ObjectCheat,
  RoomCheat,
  lblStatus,
  None,
};

// What pressing a control does, as the front ends number it for the game:
// the direction and help buttons, the file buttons and the hidden
// debugging buttons. 0 for controls that are not pressed.
enum class Press {
  None = 0,
  North = 1,
  South,
  East,
  West,
  Help,
  NewGame,
  About,
  Exit,
  Save,
  Load,
  ObjectCheat,
  RoomCheat,
};

struct Control {
  ControlId Id = ControlId::None;
  const char* Name = "";
  ControlKind Kind = ControlKind::Label;
  const char* Caption = "";         // the text shown on it
  const char* AccessibleName = "";  // what a screen reader calls it
  const char* Tooltip = "";
  LayoutRect Design;
  uint32_t Fore = 0xFFFFFF;  // 0xRRGGBB
  uint32_t Back = 0x000000;
  FontFace Face = FontFace::Sans;
  int FontPixels = 11;
  bool Bold = false;
  bool Italic = false;
  TextAlign Align = TextAlign::Left;
  bool Visible = true;
  bool HandCursor = false;
  Press Pressed = Press::None;
  int Picture = -1;  // the direction picture (0 help, 1..4 N S E W), -1 none
};

// The main window's controls, the splash's and the About box's.
std::span<const Control> MainControls();
std::span<const Control> SplashControls();
std::span<const Control> AboutControls();
const Control& ControlOf(ControlId id);
// A control of a list by its name; null when it has none of that name.
const Control* FindControl(std::span<const Control> controls, const std::string& name);

// The client sizes of the splash and the About box.
constexpr int SplashWidth = 792, SplashHeight = 532;
constexpr int AboutWidth = 399, AboutHeight = 532;
constexpr const char* AboutTitle = "About Glimmerhold";

// The text in the empty command line after a step that Ctrl+Z takes back.
const char* UndoHintText(UndoHint hint);

// --- The zoom rule: every control at its design rectangle times the
// factor, its font at the design pixel size times the factor.

// The zoom steps of Ctrl+Plus and Ctrl+Minus.
constexpr double ZoomStep = 0.25;
// The smallest pixel size of the text face at any zoom factor: the face
// runs the dot of an i into its stem at 14 pixels and below.
constexpr int MinTextPixels = 15;

int ZoomLength(int v, double f);
// A design rectangle at factor f, edges rounded so that neighbours stay
// neighbours.
LayoutRect ZoomRect(const LayoutRect& design, double f);
// A font's pixel size at factor f.
int ZoomFontPixels(int designPixels, FontFace face, double f);
// The largest factor at which the design fits into the room, never below
// `least`.
double FitZoom(int roomWidth, int roomHeight, int designWidth = DesignWidth, int designHeight = DesignHeight,
               double least = 1);
// The next step up or down from f, kept within [1, most].
double ZoomIn(double f, double most);
double ZoomOut(double f);
// The notice shown when the factor changes.
std::string ZoomNotice(double f, bool fits);

// --- The window's keys.

enum class Key { Other, F1, F11, F12, Z, Y, S, O, Q, G, R, Plus, Equal, Minus, Digit0 };

enum class KeyAction {
  None,
  Help,
  Save,
  Load,
  Exit,
  Undo,
  Redo,
  ZoomIn,
  ZoomOut,
  ZoomFit,
  FullScreen,
  Speech,
  ObjectCheat,
  RoomCheat,
};

struct KeyBinding {
  Key K;
  bool Ctrl, Shift;
  KeyAction Action;
};

std::span<const KeyBinding> KeyBindings();
// A key by the name a browser gives it ("F1", "z", "Z", "+", "=", "-",
// "0"); Key::Other for any other.
Key KeyFromName(const std::string& name);
// What a key with its modifiers does. The zoom keys do not mind Shift,
// which some keyboards need for "+".
KeyAction ActionOfKey(Key key, bool ctrl, bool shift, bool alt);
const char* KeyActionName(KeyAction action);

// --- Clicks.

// The topmost visible control of the main window at a point of the design.
ControlId HitControl(double x, double y);
// A point of a picture control's design rectangle in the pixels of the
// picture it shows stretched (x, y relative to the control's left top).
void PicturePoint(double x, double y, int viewW, int viewH, int picW, int picH, int& px, int& py);

// --- The splash's scrolling strip.

// The visible part of the strip on the splash.
constexpr int ScrollWidth = 761, ScrollHeight = 33;
// The strip moves one pixel to the left every tick.
constexpr int ScrollTickMs = 10;
// The text is drawn at (ScrollTextX, ScrollTextY) of the strip.
constexpr int ScrollTextX = 2, ScrollTextY = 2;
// The text of the strip: the lines that are not empty, one after another.
std::string ScrollText(const std::vector<std::string>& lines);
// The strip's width: twice the text measured in the small default font,
// never narrower than the text drawn large and a gap, nor than the view.
int StripWidth(int measuredSmall, int drawnLarge);
// How many pixels the strip has turned to the left after `ticks` ticks.
int StripShift(long long ticks, int stripWidth);
// Where the text starts in the visible part at time t (ms since the
// scrolling began): the left edge of the text, and of its next turn.
struct StripPlace {
  int First, Second;
};
StripPlace StripAt(double ms, int stripWidth);

// The whole layout as JSON, the main window's controls at factor f, for a
// page to draw.
std::string LayoutJson(double f);

}  // namespace glim
