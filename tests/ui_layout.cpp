// The windows as data: the places of the controls, the zoom rule, the keys,
// the hit test of a click and the splash's scrolling strip.
#include <gtest/gtest.h>

#include <random>
#include <set>

#include "ui/Layout.h"

namespace glim {
namespace {

TEST(UiLayout, ControlsStandAtTheWindowsPlacesWithItsCaptions) {
  struct Want {
    const char* name;
    LayoutRect r;
    const char* caption;
  };
  const Want want[] = {
      {"imgView", {0, 0, 600, 375}, ""},
      {"Print", {0, 376, 600, 153}, ""},
      {"txtCommand", {0, 528, 600, 21}, ""},
      {"imgCarried", {624, 24, 153, 353}, ""},
      {"lblCarry", {616, 16, 169, 25}, "You are carrying"},
      {"Label1", {640, 0, 124, 22}, "The Wendle Staff"},
      {"LoadBtn", {632, 48, 33, 33}, "Load"},
      {"SaveBtn", {632, 88, 33, 33}, "Save"},
      {"NewBtn", {632, 128, 33, 33}, "New"},
      {"AboutBtn", {640, 504, 33, 33}, "About"},
      {"ExitBtn", {736, 504, 33, 33}, "Exit"},
      {"spbNorth", {696, 419, 23, 22}, ""},
      {"spbSouth", {696, 465, 23, 22}, ""},
      {"spbEast", {720, 442, 23, 22}, ""},
      {"spbWest", {672, 442, 23, 22}, ""},
      {"spbHelp", {696, 442, 23, 22}, ""},
      {"lblNorth", {700, 392, 19, 24}, "N"},
      {"lblSouth", {700, 489, 11, 24}, "S"},
      {"lblEast", {744, 440, 13, 24}, "E"},
      {"lblWest", {648, 442, 22, 24}, "W"},
      {"ObjectCheat", {760, 392, 21, 21}, "G"},
      {"RoomCheat", {736, 392, 21, 21}, "R"},
  };
  for (const Want& w : want) {
    const Control* c = FindControl(MainControls(), w.name);
    ASSERT_NE(c, nullptr) << w.name;
    EXPECT_EQ(c->Design, w.r) << w.name;
    EXPECT_STREQ(c->Caption, w.caption) << w.name;
    EXPECT_EQ(&ControlOf(c->Id), c) << w.name;
    // Every button is named for a screen reader: by its caption, or by its
    // tooltip when it shows a picture.
    if (c->Kind == ControlKind::Button || c->Kind == ControlKind::PushButton) {
      EXPECT_STREQ(c->AccessibleName, w.caption);
    }
    if (c->Kind == ControlKind::PictureButton) {
      EXPECT_STREQ(c->AccessibleName, c->Tooltip);
    }
  }
  EXPECT_STREQ(ControlOf(ControlId::spbNorth).Tooltip, "Move North");
  EXPECT_STREQ(ControlOf(ControlId::spbHelp).Tooltip, "Help");
  EXPECT_FALSE(ControlOf(ControlId::ObjectCheat).Visible);
  EXPECT_FALSE(ControlOf(ControlId::RoomCheat).Visible);
  EXPECT_EQ(ControlOf(ControlId::Print).Back, 0x000080u);
  EXPECT_EQ(ControlOf(ControlId::Print).Fore, 0xFFFF00u);
  EXPECT_EQ(ControlOf(ControlId::Label1).Fore, 0x00FFFFu);
  EXPECT_EQ(ControlOf(ControlId::lblCarry).FontPixels, 19);
  EXPECT_TRUE(ControlOf(ControlId::lblCarry).Italic);
  EXPECT_EQ(ControlOf(ControlId::LoadBtn).FontPixels, 13);
  EXPECT_EQ(ControlOf(ControlId::lblWest).FontPixels, 21);
  // Each button presses something of its own.
  std::set<Press> presses;
  for (const Control& c : MainControls())
    if (c.Pressed != Press::None) {
      EXPECT_TRUE(presses.insert(c.Pressed).second) << c.Name;
    }
  EXPECT_EQ(presses.size(), 12u);
  EXPECT_EQ(static_cast<int>(Press::RoomCheat), 12);

  EXPECT_EQ(FindControl(SplashControls(), "imgScroll")->Design, (LayoutRect{16, 480, 761, 33}));
  EXPECT_STREQ(FindControl(SplashControls(), "cmdDone")->Caption, "Click to Continue");
  EXPECT_EQ(FindControl(AboutControls(), "memAbout")->Design, (LayoutRect{0, 304, 401, 193}));
  EXPECT_EQ(FindControl(AboutControls(), "cmdOK")->Design, (LayoutRect{162, 504, 75, 25}));
  EXPECT_EQ(FindControl(MainControls(), "nothing"), nullptr);
}

TEST(UiLayout, ZoomKeepsNeighboursTogetherAndTextReadable) {
  EXPECT_EQ(ZoomRect({632, 48, 33, 33}, 1), (LayoutRect{632, 48, 33, 33}));
  EXPECT_EQ(ZoomRect({0, 376, 600, 153}, 1.28), (LayoutRect{0, 481, 768, 196}));
  // Rectangles that touch at the design touch at every factor: each edge is
  // rounded once, not the left edge and the width separately.
  std::mt19937 rng(7);
  std::uniform_int_distribution<int> pos(0, 780), len(1, 200);
  for (int i = 0; i < 2000; ++i) {
    const double f = 1 + (rng() % 1000) / 333.0;
    const LayoutRect a{pos(rng), pos(rng), len(rng), len(rng)};
    const LayoutRect right{a.X + a.W, a.Y, len(rng), a.H};
    const LayoutRect below{a.X, a.Y + a.H, a.W, len(rng)};
    const LayoutRect za = ZoomRect(a, f), zr = ZoomRect(right, f), zb = ZoomRect(below, f);
    ASSERT_EQ(za.X + za.W, zr.X) << f;
    ASSERT_EQ(za.Y + za.H, zb.Y) << f;
    ASSERT_EQ(za.Y, zr.Y);
    ASSERT_EQ(za.H, zr.H);
  }
  EXPECT_EQ(ZoomFontPixels(11, FontFace::Sans, 1), MinTextPixels);
  EXPECT_EQ(ZoomFontPixels(11, FontFace::Sans, 2), 22);
  EXPECT_EQ(ZoomFontPixels(13, FontFace::Script, 1), 13);
  EXPECT_EQ(ZoomFontPixels(13, FontFace::Script, 1.5), 20);  // 19.5 rounds away from zero

  EXPECT_DOUBLE_EQ(FitZoom(1920, 1080), 1.8);
  EXPECT_DOUBLE_EQ(FitZoom(1024, 768), 1.28);
  EXPECT_DOUBLE_EQ(FitZoom(640, 480), 1);  // never below 1 in the window
  EXPECT_DOUBLE_EQ(FitZoom(640, 480, 800, 600, 0.25), 0.8);
  EXPECT_DOUBLE_EQ(FitZoom(100, 100, 0, 0), 1);
  EXPECT_DOUBLE_EQ(ZoomIn(1, 3), 1.25);
  EXPECT_DOUBLE_EQ(ZoomIn(1.8, 3), 2);
  EXPECT_DOUBLE_EQ(ZoomIn(1.8, 1.9), 1.9);
  EXPECT_DOUBLE_EQ(ZoomIn(2, 3), 2.25);
  EXPECT_DOUBLE_EQ(ZoomOut(1.8), 1.75);
  EXPECT_DOUBLE_EQ(ZoomOut(1.75), 1.5);
  EXPECT_DOUBLE_EQ(ZoomOut(1), 1);
  EXPECT_EQ(ZoomNotice(1.28, true),
            "Zoom 128%, as large as fits  (Ctrl+Plus, Ctrl+Minus, Ctrl+0 fits; F11 full screen or window)");
  EXPECT_EQ(ZoomNotice(1.5, false).substr(0, 11), "Zoom 150%  ");
}

TEST(UiLayout, KeysDoWhatTheWindowsKeysDo) {
  EXPECT_EQ(ActionOfKey(KeyFromName("z"), true, false, false), KeyAction::Undo);
  EXPECT_EQ(ActionOfKey(KeyFromName("Z"), true, true, false), KeyAction::Redo);
  EXPECT_EQ(ActionOfKey(KeyFromName("y"), true, false, false), KeyAction::Redo);
  EXPECT_EQ(ActionOfKey(KeyFromName("y"), true, true, false), KeyAction::None);
  EXPECT_EQ(ActionOfKey(KeyFromName("z"), false, false, false), KeyAction::None);  // typing a z
  EXPECT_EQ(ActionOfKey(KeyFromName("z"), true, false, true), KeyAction::None);
  EXPECT_EQ(ActionOfKey(KeyFromName("F1"), false, false, false), KeyAction::Help);
  EXPECT_EQ(ActionOfKey(KeyFromName("F11"), false, false, false), KeyAction::FullScreen);
  EXPECT_EQ(ActionOfKey(KeyFromName("F12"), false, false, false), KeyAction::Speech);
  EXPECT_EQ(ActionOfKey(KeyFromName("s"), true, false, false), KeyAction::Save);
  EXPECT_EQ(ActionOfKey(KeyFromName("o"), true, false, false), KeyAction::Load);
  EXPECT_EQ(ActionOfKey(KeyFromName("q"), true, false, false), KeyAction::Exit);
  // "+" needs Shift on many keyboards; the zoom keys do not mind it.
  EXPECT_EQ(ActionOfKey(KeyFromName("+"), true, true, false), KeyAction::ZoomIn);
  EXPECT_EQ(ActionOfKey(KeyFromName("="), true, false, false), KeyAction::ZoomIn);
  EXPECT_EQ(ActionOfKey(KeyFromName("-"), true, false, false), KeyAction::ZoomOut);
  EXPECT_EQ(ActionOfKey(KeyFromName("0"), true, false, false), KeyAction::ZoomFit);
  EXPECT_EQ(ActionOfKey(KeyFromName("g"), true, true, false), KeyAction::ObjectCheat);
  EXPECT_EQ(ActionOfKey(KeyFromName("R"), true, true, false), KeyAction::RoomCheat);
  EXPECT_EQ(ActionOfKey(KeyFromName("r"), true, false, false), KeyAction::None);  // the browser's reload
  EXPECT_EQ(KeyFromName("Enter"), Key::Other);
  EXPECT_EQ(KeyFromName("zz"), Key::Other);
  EXPECT_STREQ(KeyActionName(KeyAction::Undo), "undo");
  EXPECT_STREQ(KeyActionName(KeyAction::RoomCheat), "roomCheat");
  // No key does two things.
  std::set<std::tuple<Key, bool, bool>> seen;
  for (const KeyBinding& b : KeyBindings()) EXPECT_TRUE(seen.insert({b.K, b.Ctrl, b.Shift}).second);
  EXPECT_STREQ(UndoHintText(UndoHint::Death), "Ctrl+Z takes back the fatal move");
  EXPECT_STREQ(UndoHintText(UndoHint::None), "");
}

TEST(UiLayout, AClickFallsOnTheTopmostShownControl) {
  EXPECT_EQ(HitControl(0, 0), ControlId::imgView);
  EXPECT_EQ(HitControl(599.9, 374.9), ControlId::imgView);
  EXPECT_EQ(HitControl(600, 10), ControlId::None);
  EXPECT_EQ(HitControl(300, 528), ControlId::txtCommand);  // the command line lies over the panel's last row
  EXPECT_EQ(HitControl(300, 527), ControlId::Print);
  EXPECT_EQ(HitControl(700, 30), ControlId::lblCarry);  // the heading over the carried panel
  EXPECT_EQ(HitControl(700, 100), ControlId::imgCarried);
  EXPECT_EQ(HitControl(640, 60), ControlId::LoadBtn);
  EXPECT_EQ(HitControl(707, 430), ControlId::spbNorth);
  EXPECT_EQ(HitControl(707, 450), ControlId::spbHelp);
  EXPECT_EQ(HitControl(740, 400), ControlId::None);  // the hidden RoomCheat
  EXPECT_EQ(HitControl(-1, 5), ControlId::None);
  int x = 0, y = 0;
  PicturePoint(300, 187.5, 600, 375, 640, 400, x, y);
  EXPECT_EQ(x, 320);
  EXPECT_EQ(y, 200);
  PicturePoint(599.99, 374.99, 600, 375, 640, 400, x, y);
  EXPECT_EQ(x, 639);
  EXPECT_EQ(y, 399);
  PicturePoint(12.7, 3.2, 0, 0, 640, 400, x, y);  // no picture: the point itself
  EXPECT_EQ(x, 12);
  EXPECT_EQ(y, 3);
}

TEST(UiLayout, TheStripTurnsOnePixelATickAndWraps) {
  EXPECT_EQ(ScrollText({"Glimmerhold", "", "by us", ""}), "Glimmerhold     by us");
  EXPECT_EQ(ScrollText({}), "");
  EXPECT_EQ(StripWidth(1000, 1500), 2000);
  EXPECT_EQ(StripWidth(1000, 2100), 2162);  // never cut: the drawn text and a gap
  EXPECT_EQ(StripWidth(10, 20), ScrollWidth);
  const int w = 2000;
  EXPECT_EQ(StripAt(0, w).First, ScrollTextX);
  EXPECT_EQ(StripAt(9.9, w).First, ScrollTextX);
  EXPECT_EQ(StripAt(10, w).First, ScrollTextX - 1);
  EXPECT_EQ(StripAt(1000, w).First, ScrollTextX - 100);  // 100 pixels a second
  EXPECT_EQ(StripAt(1000, w).Second, ScrollTextX - 100 + w);
  EXPECT_EQ(StripAt(10.0 * w, w).First, ScrollTextX);  // back where it started
  EXPECT_EQ(StripAt(10.0 * (w + 5), w).First, ScrollTextX - 5);
  EXPECT_EQ(StripShift(-1, w), w - 1);
  EXPECT_EQ(StripShift(5, 0), 0);
}

TEST(UiLayout, TheJsonHoldsEveryControlAtTheFactor) {
  const std::string json = LayoutJson(2);
  for (const Control& c : MainControls())
    EXPECT_NE(json.find(std::string("\"name\":\"") + c.Name + "\""), std::string::npos);
  EXPECT_NE(json.find(R"("name":"LoadBtn","kind":"button","caption":"Load","access":"Load")"), std::string::npos);
  EXPECT_NE(json.find(R"("design":[632,48,33,33],"rect":[1264,96,66,66])"), std::string::npos);
  EXPECT_NE(json.find(R"("area":[1600,1200])"), std::string::npos);
  EXPECT_NE(json.find(R"("fore":"#FFFF00","back":"#000080","face":"sans","px":11,"zoomPx":22)"), std::string::npos);
  EXPECT_EQ(json.front(), '{');
  EXPECT_EQ(json.back(), '}');
}

}  // namespace
}  // namespace glim
