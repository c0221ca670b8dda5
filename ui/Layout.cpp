#include "ui/Layout.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace glim {

namespace {

constexpr uint32_t Black = 0x000000, White = 0xFFFFFF, Navy = 0x000080, Yellow = 0xFFFF00, Aqua = 0x00FFFF;
constexpr uint32_t Grey = 0xAAAAAA;

using K = ControlKind;
using F = FontFace;
using A = TextAlign;
using I = ControlId;

// A file button: a yellow bold caption in the script face.
constexpr Control FileButton(I id, const char* name, const char* caption, LayoutRect r, Press p) {
  return {id,        name, K::Button, caption, caption,   "",   r,     Yellow, Black,
          F::Script, 13,   true,      false,   A::Centre, true, false, p,      -1};
}

constexpr Control DirectionButton(I id, const char* name, const char* tip, LayoutRect r, Press p, int picture,
                                  bool hand) {
  return {id,    name,  K::PictureButton, "",   tip,  tip, r,      White, Black, F::Sans, 11,
          false, false, A::Centre,        true, hand, p,   picture};
}

constexpr Control Compass(I id, const char* name, const char* caption, LayoutRect r, A align) {
  return {id, name, K::Label, caption, caption, "", r, White, Black, F::Script, 21, true, false, align, true};
}

// A picture the player clicks on (the scene, the carried panel).
constexpr Control ClickedPicture(I id, const char* name, const char* access, LayoutRect r) {
  return {id, name, K::Picture, "", access, "", r, White, Black, F::Sans, 11, false, false, A::Left, true, true};
}

// A plain grey push button with a black caption.
constexpr Control PushButton(I id, const char* name, const char* caption, LayoutRect r, bool visible = true,
                             Press p = Press::None) {
  return {id,      name, K::PushButton, caption, caption,   "",      r,     Black, 0xF0F0F0,
          F::Sans, 11,   false,         false,   A::Centre, visible, false, p};
}

// A caption in the script face.
constexpr Control ScriptLabel(I id, const char* name, const char* caption, LayoutRect r, uint32_t colour, bool bold,
                              bool italic, A align) {
  return {id, name, K::Label, caption, caption, "", r, colour, Black, F::Script, 19, bold, italic, align};
}

constexpr std::array<Control, 23> Main = {{
    ClickedPicture(I::imgView, "imgView", "Room picture", {0, 0, 600, 375}),
    {I::Print, "Print", K::Text, "", "Messages", "", {0, 376, 600, 153}, Yellow, Navy, F::Sans, 11},
    {I::txtCommand, "txtCommand", K::Entry, "", "Command", "", {0, 528, 600, 21}, Black, White, F::Sans, 11},
    ClickedPicture(I::imgCarried, "imgCarried", "Carried objects", {624, 24, 153, 353}),
    ScriptLabel(I::Label1, "Label1", "The Wendle Staff", {640, 0, 124, 22}, Aqua, true, false, A::Left),
    // The heading lies over the top of the carried panel.
    ScriptLabel(I::lblCarry, "lblCarry", "You are carrying", {616, 16, 169, 25}, White, false, true, A::Centre),
    FileButton(I::LoadBtn, "LoadBtn", "Load", {632, 48, 33, 33}, Press::Load),
    FileButton(I::SaveBtn, "SaveBtn", "Save", {632, 88, 33, 33}, Press::Save),
    FileButton(I::NewBtn, "NewBtn", "New", {632, 128, 33, 33}, Press::NewGame),
    FileButton(I::AboutBtn, "AboutBtn", "About", {640, 504, 33, 33}, Press::About),
    FileButton(I::ExitBtn, "ExitBtn", "Exit", {736, 504, 33, 33}, Press::Exit),
    DirectionButton(I::spbNorth, "spbNorth", "Move North", {696, 419, 23, 22}, Press::North, 1, true),
    DirectionButton(I::spbSouth, "spbSouth", "Move South", {696, 465, 23, 22}, Press::South, 2, false),
    DirectionButton(I::spbEast, "spbEast", "Move East", {720, 442, 23, 22}, Press::East, 3, false),
    DirectionButton(I::spbWest, "spbWest", "Move West", {672, 442, 23, 22}, Press::West, 4, false),
    DirectionButton(I::spbHelp, "spbHelp", "Help", {696, 442, 23, 22}, Press::Help, 0, false),
    Compass(I::lblNorth, "lblNorth", "N", {700, 392, 19, 24}, A::Centre),
    Compass(I::lblSouth, "lblSouth", "S", {700, 489, 11, 24}, A::Left),
    Compass(I::lblEast, "lblEast", "E", {744, 440, 13, 24}, A::Left),
    Compass(I::lblWest, "lblWest", "W", {648, 442, 22, 24}, A::Left),
    // The debugging buttons are never shown; their keys press them.
    PushButton(I::ObjectCheat, "ObjectCheat", "G", {760, 392, 21, 21}, false, Press::ObjectCheat),
    PushButton(I::RoomCheat, "RoomCheat", "R", {736, 392, 21, 21}, false, Press::RoomCheat),
    // Shown only while it has a notice.
    {I::lblStatus,
     "lblStatus",
     K::Status,
     "",
     "Status",
     "",
     {0, 556, 785, 18},
     Grey,
     Black,
     F::Sans,
     11,
     false,
     false,
     A::Left,
     false},
}};

constexpr std::array<Control, 3> Splash = {{
    {I::None, "imgSplash", K::Picture, "", "Glimmerhold", "", {0, 0, SplashWidth, SplashHeight}},
    {I::None, "imgScroll", K::Picture, "", "Credits", "", {16, 480, ScrollWidth, ScrollHeight}},
    PushButton(I::None, "cmdDone", "Click to Continue", {328, 408, 129, 25}),
}};

// The About text is 8-point Arial: 11 pixels at 96 dots per inch.
constexpr std::array<Control, 3> About = {{
    {I::None, "imgSplash", K::Picture, "", "Glimmerhold", "", {-2, 0, 400, 300}},
    {I::None, "memAbout", K::Text, "", AboutTitle, "", {0, 304, 401, 193}, Yellow, Navy, F::Sans, 11},
    PushButton(I::None, "cmdOK", "OK", {162, 504, 75, 25}),
}};

constexpr std::array<KeyBinding, 16> Keys = {{
    {Key::F1, false, false, KeyAction::Help},
    {Key::S, true, false, KeyAction::Save},
    {Key::O, true, false, KeyAction::Load},
    {Key::Q, true, false, KeyAction::Exit},
    {Key::Z, true, false, KeyAction::Undo},
    {Key::Z, true, true, KeyAction::Redo},
    {Key::Y, true, false, KeyAction::Redo},
    {Key::Plus, true, false, KeyAction::ZoomIn},
    {Key::Equal, true, false, KeyAction::ZoomIn},
    {Key::Minus, true, false, KeyAction::ZoomOut},
    {Key::Digit0, true, false, KeyAction::ZoomFit},
    {Key::F11, false, false, KeyAction::FullScreen},
    {Key::F12, false, false, KeyAction::Speech},
    {Key::G, true, true, KeyAction::ObjectCheat},
    {Key::R, true, true, KeyAction::RoomCheat},
    {Key::Other, false, false, KeyAction::None},
}};

bool IsZoomKey(Key k) { return k == Key::Plus || k == Key::Equal || k == Key::Minus || k == Key::Digit0; }

}  // namespace

std::span<const Control> MainControls() { return Main; }
std::span<const Control> SplashControls() { return Splash; }
std::span<const Control> AboutControls() { return About; }

const Control& ControlOf(ControlId id) {
  const auto i = static_cast<size_t>(id);
  return i < Main.size() ? Main[i] : Main.back();
}

const Control* FindControl(std::span<const Control> controls, const std::string& name) {
  for (const Control& c : controls)
    if (name == c.Name) return &c;
  return nullptr;
}

const char* UndoHintText(UndoHint hint) {
  switch (hint) {
    case UndoHint::Death: return "Ctrl+Z takes back the fatal move";
    case UndoHint::NewGame: return "Ctrl+Z takes back the new game";
    case UndoHint::None: break;
  }
  return "";
}

int ZoomLength(int v, double f) { return static_cast<int>(std::lround(v * f)); }

LayoutRect ZoomRect(const LayoutRect& d, double f) {
  const int left = ZoomLength(d.X, f), top = ZoomLength(d.Y, f);
  const int right = ZoomLength(d.X + d.W, f), bottom = ZoomLength(d.Y + d.H, f);
  return {left, top, right - left, bottom - top};
}

int ZoomFontPixels(int designPixels, FontFace face, double f) {
  if (designPixels <= 0) return designPixels;
  const int px = std::max(1, ZoomLength(designPixels, f));
  return face == FontFace::Sans ? std::max(px, MinTextPixels) : px;
}

double FitZoom(int roomWidth, int roomHeight, int designWidth, int designHeight, double least) {
  if (designWidth <= 0 || designHeight <= 0) return 1;
  const double f =
      std::min(static_cast<double>(roomWidth) / designWidth, static_cast<double>(roomHeight) / designHeight);
  return f < least ? least : f;
}

double ZoomIn(double f, double most) {
  const double next = (std::floor(f / ZoomStep + 1e-6) + 1) * ZoomStep;
  return std::max(1.0, std::min(next, most));
}

double ZoomOut(double f) {
  const double next = (std::ceil(f / ZoomStep - 1e-6) - 1) * ZoomStep;
  return std::max(1.0, next);
}

std::string ZoomNotice(double f, bool fits) {
  std::string s = "Zoom " + std::to_string(std::lround(f * 100)) + "%";
  if (fits) s += ", as large as fits";
  return s + "  (Ctrl+Plus, Ctrl+Minus, Ctrl+0 fits; F11 full screen or window)";
}

std::span<const KeyBinding> KeyBindings() { return std::span<const KeyBinding>(Keys).first(Keys.size() - 1); }

Key KeyFromName(const std::string& name) {
  static const std::array<std::pair<const char*, Key>, 14> names = {{{"F1", Key::F1},
                                                                     {"F11", Key::F11},
                                                                     {"F12", Key::F12},
                                                                     {"z", Key::Z},
                                                                     {"y", Key::Y},
                                                                     {"s", Key::S},
                                                                     {"o", Key::O},
                                                                     {"q", Key::Q},
                                                                     {"g", Key::G},
                                                                     {"r", Key::R},
                                                                     {"+", Key::Plus},
                                                                     {"=", Key::Equal},
                                                                     {"-", Key::Minus},
                                                                     {"0", Key::Digit0}}};
  std::string n = name;
  if (n.size() == 1 && n[0] >= 'A' && n[0] <= 'Z') n[0] = static_cast<char>(n[0] - 'A' + 'a');
  for (const auto& [text, key] : names)
    if (n == text) return key;
  return Key::Other;
}

KeyAction ActionOfKey(Key key, bool ctrl, bool shift, bool alt) {
  if (key == Key::Other || alt) return KeyAction::None;
  for (const KeyBinding& b : KeyBindings())
    if (b.K == key && b.Ctrl == ctrl && (b.Shift == shift || IsZoomKey(key))) return b.Action;
  return KeyAction::None;
}

const char* KeyActionName(KeyAction action) {
  static const std::array<const char*, 14> names = {"",           "help",   "save",        "load",     "exit",
                                                    "undo",       "redo",   "zoomIn",      "zoomOut",  "zoomFit",
                                                    "fullScreen", "speech", "objectCheat", "roomCheat"};
  const auto i = static_cast<size_t>(action);
  return i < names.size() ? names[i] : "";
}

ControlId HitControl(double x, double y) {
  for (auto c = Main.rbegin(); c != Main.rend(); ++c)
    if (c->Visible && c->Design.Contains(x, y)) return c->Id;
  return ControlId::None;
}

void PicturePoint(double x, double y, int viewW, int viewH, int picW, int picH, int& px, int& py) {
  if (viewW <= 0 || viewH <= 0 || picW <= 0 || picH <= 0) {
    px = static_cast<int>(x);
    py = static_cast<int>(y);
    return;
  }
  // Towards zero, as integer arithmetic does: a release dragged out past
  // the left or top edge stays where the window puts it.
  px = static_cast<int>(x * picW / viewW);
  py = static_cast<int>(y * picH / viewH);
}

std::string ScrollText(const std::vector<std::string>& lines) {
  std::string out;
  for (const std::string& l : lines) {
    if (l.empty()) continue;
    if (!out.empty()) out += "     ";
    out += l;
  }
  return out;
}

int StripWidth(int measuredSmall, int drawnLarge) {
  return std::max({2 * measuredSmall, drawnLarge + ScrollTextX + 60, ScrollWidth});
}

int StripShift(long long ticks, int stripWidth) {
  if (stripWidth <= 0) return 0;
  const long long s = ticks % stripWidth;
  return static_cast<int>(s < 0 ? s + stripWidth : s);
}

StripPlace StripAt(double ms, int stripWidth) {
  const auto ticks = static_cast<long long>(std::floor(ms / ScrollTickMs));
  const int first = ScrollTextX - StripShift(ticks, stripWidth);
  return {first, first + stripWidth};
}

namespace {

const char* KindName(ControlKind k) {
  static const std::array<const char*, 8> names = {"picture", "text",          "entry",      "label",
                                                   "button",  "pictureButton", "pushButton", "status"};
  return names[static_cast<size_t>(k)];
}

void Append(std::string& out, const char* format, auto... args) {
  char buf[256];
  const int n = std::snprintf(buf, sizeof buf, format, args...);
  if (n > 0) out.append(buf, std::min(static_cast<size_t>(n), sizeof buf - 1));
}

// One control; its captions are plain ASCII and need no escapes.
void ControlJson(std::string& out, const Control& c, double f) {
  const LayoutRect r = ZoomRect(c.Design, f);
  Append(out, R"({"name":"%s","kind":"%s","caption":"%s","access":"%s","tip":"%s",)", c.Name, KindName(c.Kind),
         c.Caption, c.AccessibleName, c.Tooltip);
  Append(out, R"("design":[%d,%d,%d,%d],"rect":[%d,%d,%d,%d],)", c.Design.X, c.Design.Y, c.Design.W, c.Design.H, r.X,
         r.Y, r.W, r.H);
  Append(out, R"("fore":"#%06X","back":"#%06X","face":"%s","px":%d,"zoomPx":%d,)", c.Fore, c.Back,
         c.Face == FontFace::Sans ? "sans" : "script", c.FontPixels, ZoomFontPixels(c.FontPixels, c.Face, f));
  Append(out, R"("bold":%s,"italic":%s,"align":"%s","visible":%s,"hand":%s,"press":%d,"picture":%d})",
         c.Bold ? "true" : "false", c.Italic ? "true" : "false", c.Align == TextAlign::Left ? "left" : "centre",
         c.Visible ? "true" : "false", c.HandCursor ? "true" : "false", static_cast<int>(c.Pressed), c.Picture);
}

void ListJson(std::string& out, const char* name, std::span<const Control> controls, double f) {
  Append(out, R"("%s":[)", name);
  for (size_t i = 0; i < controls.size(); ++i) {
    if (i) out += ',';
    ControlJson(out, controls[i], f);
  }
  out += ']';
}

}  // namespace

std::string LayoutJson(double f) {
  std::string out;
  Append(out, R"({"width":%d,"height":%d,"zoom":%.6f,"area":[%d,%d],)", DesignWidth, DesignHeight, f,
         ZoomLength(DesignWidth, f), ZoomLength(DesignHeight, f));
  Append(out, R"("splashSize":[%d,%d],"aboutSize":[%d,%d],"aboutTitle":"%s",)", SplashWidth, SplashHeight, AboutWidth,
         AboutHeight, AboutTitle);
  Append(out, R"("scroll":{"tickMs":%d,"x":%d,"y":%d,"arialPt":16},)", ScrollTickMs, ScrollTextX, ScrollTextY);
  ListJson(out, "controls", MainControls(), f);
  out += ',';
  ListJson(out, "splash", SplashControls(), f);
  out += ',';
  ListJson(out, "about", AboutControls(), f);
  out += '}';
  return out;
}

}  // namespace glim
