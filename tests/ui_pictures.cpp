// Values from files that reach the picture code: object positions far
// outside the picture, room pictures too large to use, CMYK pictures, and
// room data counts at the ends of the int range.
#include <gtest/gtest.h>

#include <climits>
#include <fstream>
#include <sstream>

#include "Harness.h"
#include "ui/Image.h"

namespace glimtest {
namespace {

using glim::Image;

constexpr uint32_t Room = 0x406080, Other = 0x80a040, Red = 0xff0000, Blue = 0x0000ff;

std::string Jpeg(const Image& img) {
  std::string bytes;
  EXPECT_TRUE(glim::EncodeJpeg(img, 95, bytes));
  return bytes;
}

std::string Png(const Image& img) {
  std::string bytes;
  EXPECT_TRUE(glim::EncodePng(img, bytes));
  return bytes;
}

bool Near(uint32_t a, uint32_t b, int tolerance = 24) {
  for (int s = 0; s <= 16; s += 8) {
    const int d = static_cast<int>((a >> s) & 0xff) - static_cast<int>((b >> s) & 0xff);
    if (d > tolerance || d < -tolerance) return false;
  }
  return true;
}

// Every pixel of the image near one colour.
bool AllNear(const Image& img, uint32_t colour) {
  for (uint32_t p : img.Px)
    if (!Near(p, colour)) return false;
  return true;
}

// The JPEG with the width and height of its frame header replaced: what a
// picture of that size declares before its first pixel.
std::string WithDeclaredSize(std::string jpeg, int w, int h) {
  for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
    const auto m = static_cast<unsigned char>(jpeg[i + 1]);
    if (static_cast<unsigned char>(jpeg[i]) == 0xFF && (m == 0xC0 || m == 0xC2)) {
      jpeg[i + 5] = static_cast<char>(h >> 8);
      jpeg[i + 6] = static_cast<char>(h & 0xff);
      jpeg[i + 7] = static_cast<char>(w >> 8);
      jpeg[i + 8] = static_cast<char>(w & 0xff);
      return jpeg;
    }
  }
  ADD_FAILURE() << "no frame header";
  return jpeg;
}

// Two rooms, east and west of each other; object 1 (a ring) lies in room 1
// at the given Y, with a red icon.
std::string World(const std::string& name, const std::string& y) {
  const std::string dir = TempDir(name);
  WriteText(dir + "glimroom.dat",
            "3\r\n0\r\n0\r\n2\r\n0\r\n2\r\nin room one.\r\n0\r\n0\r\n0\r\n1\r\n2\r\nin room two.\r\n");
  std::string w = "0\r\n0\r\n0\r\n1\r\n1\r\n0\r\n0\r\n0\r\n";
  w += "ring\r\nred\r\n1\r\n0\r\n0\r\n0\r\n" + y + "\r\n";
  w += "troll\r\nbig\r\n0\r\n0\r\n0\r\n0\r\n0\r\n";
  WriteText(dir + "glimtext.wdt", w);
  WriteText(dir + "images/room0.jpg", Jpeg(Image(600, 375, Room)));
  WriteText(dir + "images/objects.png", Png(Image(32, 32, Red)));
  return dir;
}

TEST(PictureLimits, ObjectFarOutsideThePictureIsNotDrawn) {
  for (const char* y : {"2147483647", "-2147483648", "375", "-32", "2147483616"}) {
    Harness h(World(std::string("pictures_y"), y));
    h.Start();
    ASSERT_EQ(h.game.Obj(1).Location, 1);
    EXPECT_EQ(h.platform.Scene().W, 600) << y;
    EXPECT_EQ(h.platform.Scene().H, 375) << y;
    EXPECT_TRUE(AllNear(h.platform.Scene(), Room)) << y;
  }
  // Just inside the bottom edge, one row of the icon shows.
  Harness h(World("pictures_edge", "374"));
  h.Start();
  EXPECT_TRUE(Near(h.platform.Scene().At(290, 374), Red));
  EXPECT_TRUE(Near(h.platform.Scene().At(290, 373), Room));
}

TEST(PictureLimits, ClickOnAnIconAtTheEndOfTheRangeFindsIt) {
  Harness h(World("pictures_click", "2147483647"));
  h.Start();
  // The click is tested 10 pixels lower: at the icon's top row. (This world
  // has no verbs, so the command the click types is not understood.)
  EXPECT_EQ(h.Send(":click view 285 2147483637").rfind("get ring\n", 0), 0u);
  // Clicks at the other end of the range find nothing.
  h.game.Obj(1).Y = INT_MIN;
  h.game.imgViewMouseUp(285, INT_MAX);
  h.game.imgViewMouseUp(INT_MAX, INT_MAX);
  h.game.imgViewMouseUp(INT_MIN, INT_MIN);
  h.game.Obj(1).Location = -1;
  h.game.Obj(1).Y = INT_MAX;
  h.game.imgCarriedMouseUp(80, INT_MAX, true);
  h.game.imgCarriedMouseUp(80, INT_MIN, true);
  EXPECT_EQ(h.Take(), "");
}

TEST(PictureLimits, BlitClipsEveryPositionWithoutOverflow) {
  const Image sprite(32, 32, Blue);
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{
           {INT_MAX, 0}, {0, INT_MAX}, {INT_MIN, 0}, {0, INT_MIN}, {INT_MAX - 31, INT_MAX - 31}, {INT_MIN, INT_MAX}}) {
    Image dst(10, 10, Room);
    glim::Blit(dst, sprite, x, y, true);
    glim::Blit(dst, sprite, x, y, false);
    EXPECT_TRUE(AllNear(dst, Room)) << x << "," << y;
  }
  Image dst(10, 10, Room);
  glim::Blit(dst, sprite, -31, 9, false);  // one pixel in the corner
  EXPECT_EQ(dst.At(0, 9), Blue);
  EXPECT_EQ(dst.At(1, 9), Room);
  EXPECT_EQ(dst.At(0, 8), Room);
  glim::FillRect(dst, INT_MIN, INT_MIN, INT_MAX, INT_MAX, Red);
  EXPECT_TRUE(AllNear(dst, Red));
  glim::FillRect(dst, INT_MAX, 0, INT_MIN, 5, Blue);  // empty
  EXPECT_TRUE(AllNear(dst, Red));
}

TEST(PictureLimits, PictureLargerThanTheGameUsesIsRefusedFromItsHeader) {
  const std::string small = Jpeg(Image(8, 8, Other));
  for (const auto& [w, h] : std::vector<std::pair<int, int>>{{8000, 8000}, {4097, 8}, {8, 4097}, {65535, 65535}}) {
    Image out(3, 2, 7);
    EXPECT_FALSE(glim::DecodeJpeg(WithDeclaredSize(small, w, h), out)) << w << "x" << h;
    EXPECT_EQ(out.W, 3);
    EXPECT_EQ(out.Px, std::vector<uint32_t>(6, 7));
  }
  // Real pictures on either side of the limit.
  Image out;
  EXPECT_TRUE(glim::DecodeJpeg(Jpeg(Image(glim::MaxPictureSide, 8, Other)), out));
  EXPECT_EQ(out.W, glim::MaxPictureSide);
  EXPECT_TRUE(glim::DecodeJpeg(Jpeg(Image(8, glim::MaxPictureSide, Other)), out));
  EXPECT_FALSE(glim::DecodeJpeg(Jpeg(Image(glim::MaxPictureSide + 1, 8, Other)), out));
  EXPECT_EQ(out.H, glim::MaxPictureSide);
}

TEST(PictureLimits, OversizedRoomPictureIsShownAsAPictureThatCannotBeLoaded) {
  const std::string dir = World("pictures_big", "300");
  WriteText(dir + "images/room2.jpg", WithDeclaredSize(Jpeg(Image(8, 8, Other)), 8000, 8000));
  Harness h(dir);
  h.Start();
  EXPECT_TRUE(ContainsInOrder(
      h.Send("e"), {"[box] File error: No image could be found or loaded for this location", "you are in room two."}));
  // The view keeps the picture it had, and the scene its size.
  EXPECT_EQ(h.platform.Scene().W, 600);
  EXPECT_EQ(h.platform.Scene().H, 375);
  EXPECT_TRUE(AllNear(h.platform.Scene(), Room));
  EXPECT_TRUE(ContainsInOrder(h.Send("l"), {"[box] File error"}));
  EXPECT_TRUE(AllNear(h.platform.Scene(), Room));
}

TEST(PictureLimits, CmykPictureDecodesToItsColours) {
  std::ifstream f(TestDir() + "/fixtures/pictures/cmyk.jpg", std::ios::binary);
  std::stringstream s;
  s << f.rdbuf();
  Image img;
  ASSERT_TRUE(glim::DecodeJpeg(s.str(), img));
  ASSERT_EQ(img.W, 64);
  ASSERT_EQ(img.H, 48);
  // Four blocks: red, green, blue and grey, as the file's maker shows them.
  EXPECT_TRUE(Near(img.At(8, 8), 0xc02020, 12)) << std::hex << img.At(8, 8);
  EXPECT_TRUE(Near(img.At(40, 8), 0x20a040, 12)) << std::hex << img.At(40, 8);
  EXPECT_TRUE(Near(img.At(8, 30), 0x2040c0, 12)) << std::hex << img.At(8, 30);
  EXPECT_TRUE(Near(img.At(40, 30), 0x808080, 12)) << std::hex << img.At(40, 30);
  for (uint32_t p : img.Px) ASSERT_EQ(p >> 24, 0u);

  // As a room picture it is shown without a message.
  const std::string dir = World("pictures_cmyk", "300");
  WriteText(dir + "images/room2.jpg", s.str());
  Harness h(dir);
  h.Start();
  EXPECT_EQ(h.Send("e").find("[box]"), std::string::npos);
  EXPECT_EQ(h.platform.Scene().W, 64);
}

// Room data numbers at the ends of the int range: nothing overflows.
TEST(PictureLimits, RoomCountsAtTheEndsOfTheRange) {
  const std::string dir = World("pictures_linecount", "300");
  WriteText(dir + "glimroom.dat", "3\r\n0\r\n0\r\n2\r\n0\r\n-2147483648\r\n0\r\n0\r\n0\r\n1\r\n2\r\nin room two.\r\n");
  Harness h(dir);
  const std::string start = h.Start();
  EXPECT_EQ(h.game.Rooms[1].LineCount, INT_MIN);
  EXPECT_TRUE(ContainsInOrder(start, {"what shall we do now?", "The ring red is here."})) << start;
  EXPECT_EQ(start.find("you are"), std::string::npos) << start;

  h.game.RoomCount = INT_MIN;
  h.Take();
  EXPECT_TRUE(ContainsInOrder(h.Send(":room 1"), {"[box] There is no room 1\n"}));
  EXPECT_EQ(h.game.CurrentRoom, 1);
}

}  // namespace
}  // namespace glimtest
