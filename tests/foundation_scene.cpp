// Composition of the room scene and the carried panel, and the picture choice.
#include <gtest/gtest.h>

#include <cstdlib>

#include "Harness.h"
#include "ui/Image.h"

namespace glimtest {
namespace {

using glim::Image;

constexpr uint32_t Room = 0x406080, Red = 0xff0000, Green = 0x00ff00, Blue = 0x0000ff, Yellow = 0xffff00;

void WriteImage(const std::string& path, const Image& img, bool jpeg) {
  std::string bytes;
  ASSERT_TRUE(jpeg ? glim::EncodeJpeg(img, 95, bytes) : glim::EncodePng(img, bytes));
  WriteText(path, bytes);
}

// A sprite with a black hole in its middle, so transparency shows.
Image Sprite(int w, int h, uint32_t colour) {
  Image s(w, h, colour);
  glim::FillRect(s, w / 4, h / 4, w / 2, h / 2, 0);
  return s;
}

Image Sheet(const std::vector<Image>& cells) {
  Image sheet(cells[0].W * static_cast<int>(cells.size()), cells[0].H);
  for (size_t i = 0; i < cells.size(); ++i) glim::Blit(sheet, cells[i], static_cast<int>(i) * cells[0].W, 0, false);
  return sheet;
}

// A copy of the example world with two objects and a character in room 1.
std::string SceneFolder(const std::string& name) {
  const std::string dir = TempDir(name);
  WriteText(dir + "glimroom.dat", "3\r\n0\r\n0\r\n2\r\n0\r\n2\r\nin a test room.\r\n0\r\n0\r\n0\r\n1\r\n1\r\n");
  std::string w = "0\r\n0\r\n0\r\n3\r\n1\r\n0\r\n0\r\n0\r\n";
  w += "ring\r\nred\r\n1\r\n0\r\n0\r\n999\r\n300\r\n";  // object 1 in the room
  w += "key\r\ngreen\r\n5\r\n0\r\n0\r\n0\r\n310\r\n";   // object 2 elsewhere
  w += "orb\r\nblue\r\n1\r\n0\r\n0\r\n0\r\n320\r\n";    // object 3 in the room
  w += "troll\r\nbig\r\n1\r\n0\r\n0\r\n0\r\n0\r\n";
  WriteText(dir + "glimtext.wdt", w);
  WriteImage(dir + "images/room0.jpg", Image(600, 375, Room), true);
  WriteImage(dir + "images/characters.png", Sheet({Sprite(140, 200, Yellow)}), false);
  WriteImage(dir + "images/lying.png", Sheet({Sprite(200, 140, Yellow)}), false);
  WriteImage(dir + "images/objects.png", Sheet({Sprite(32, 32, Red), Sprite(32, 32, Green), Sprite(32, 32, Blue)}),
             false);
  return dir;
}

// JPEG is lossy: compare colours with a tolerance.
bool Near(uint32_t a, uint32_t b) {
  for (int s = 0; s <= 16; s += 8) {
    const int d = static_cast<int>((a >> s) & 0xff) - static_cast<int>((b >> s) & 0xff);
    if (d > 24 || d < -24) return false;
  }
  return true;
}

TEST(Scene, ObjectsOverTheCharacterBlackTransparent) {
  Harness h(SceneFolder("scene_compose"), false);
  h.Start();
  const Image& s = h.platform.Scene();
  ASSERT_EQ(s.W, 600);
  ASSERT_EQ(s.H, 375);
  auto& objs = h.game.WordLists.Objects;
  EXPECT_EQ(objs[1].X, 280);  // whatever the data file said
  EXPECT_EQ(objs[3].X, 340);
  EXPECT_TRUE(Near(s.At(281, 301), Red));
  EXPECT_TRUE(Near(s.At(341, 321), Blue));
  // The icon's black middle lets the picture under it show.
  EXPECT_TRUE(Near(s.At(280 + 12, 300 + 12), Room));
  // The character at (25, 200), its black middle transparent, objects on top.
  EXPECT_TRUE(Near(s.At(30, 210), Yellow));
  EXPECT_TRUE(Near(s.At(25 + 50, 200 + 70), Room));
  EXPECT_TRUE(Near(s.At(10, 10), Room));
}

TEST(Scene, LyingCharacterAndAPictureOutsideTheList) {
  Harness h(SceneFolder("scene_lying"), false);
  h.Start();
  h.game.WordLists.Baddies[1].Lying = 1;
  h.game.ShowRoom(false);
  const Image& s = h.platform.Scene();
  EXPECT_TRUE(Near(s.At(92, 287), Yellow));
  EXPECT_TRUE(Near(s.At(30, 210), Room));  // no upright picture any more
  // A picture index outside the list draws nothing rather than failing.
  h.game.WordLists.Baddies[1].Lying = 0;
  h.game.WordLists.Baddies[1].Picture = 40;
  h.game.WordLists.Objects[1].Location = 1;
  h.game.ShowRoom(false);
  EXPECT_TRUE(Near(h.platform.Scene().At(30, 210), Room));
}

TEST(Scene, CarriedPanelKeepsBlack) {
  Harness h(SceneFolder("scene_carried"), false);
  h.Start();
  auto& g = h.game;
  ASSERT_TRUE(g.AddToCarried(2));
  ASSERT_TRUE(g.AddToCarried(3));
  g.DrawCarriedPanel();
  const Image& p = h.platform.CarriedPanel();
  ASSERT_EQ(p.W, 153);
  ASSERT_EQ(p.H, 353);
  EXPECT_EQ(g.WordLists.Objects[2].Y, 40);
  EXPECT_EQ(g.WordLists.Objects[3].Y, 80);
  EXPECT_EQ(g.WordLists.Objects[3].X, 70);
  EXPECT_EQ(p.At(71, 41), Green);
  EXPECT_EQ(p.At(71, 81), Blue);
  EXPECT_EQ(p.At(70 + 12, 80 + 12), 0u);  // black stays black
  EXPECT_EQ(p.At(10, 10), 0u);
}

TEST(Scene, PictureChoice) {
  const std::string dir = SceneFolder("scene_choice");
  WriteImage(dir + "images/room1.jpg", Image(600, 375, Green), true);
  Harness h(dir, false);
  h.Start();
  EXPECT_EQ(h.game.PicturePath, dir + "images/room1.jpg");
  EXPECT_TRUE(Near(h.platform.Scene().At(5, 5), Green));
  h.game.CurrentRoom = 2;  // no picture of its own: the default, silently
  h.Take();
  h.game.LoadRoomPicture();
  EXPECT_EQ(h.game.PicturePath, dir + "images/room0.jpg");
  EXPECT_EQ(h.Take(), "");
  // A picture that cannot be decoded keeps the previous one, with a message.
  WriteText(dir + "images/room2.jpg", "not a picture");
  h.game.LoadRoomPicture();
  EXPECT_EQ(h.Take(), "[box] File error: No image could be found or loaded for this location\n");
  EXPECT_TRUE(Near(h.game.View.At(5, 5), Room));
}

TEST(Scene, DarknessInRoom82) {
  const std::string dir = SceneFolder("scene_dark");
  Harness h(dir, false);
  h.Start();
  auto& g = h.game;
  g.BaddieCount = 4;
  g.WordLists.Baddies[4].Location = 82;
  g.CurrentRoom = 82;
  g.LoadRoomPicture();
  EXPECT_EQ(g.PicturePath, dir + "images/room0.jpg");  // room300.jpg is missing here
  WriteImage(dir + "images/room300.jpg", Image(600, 375, Blue), true);
  g.LoadRoomPicture();
  EXPECT_EQ(g.PicturePath, dir + "images/room300.jpg");
  g.WordLists.Baddies[4].Location = 0;
  g.LoadRoomPicture();
  EXPECT_EQ(g.PicturePath, dir + "images/room0.jpg");
}

TEST(Images, BrokenInputIsRefused) {
  Image img;
  EXPECT_FALSE(glim::DecodeJpeg("", img));
  EXPECT_FALSE(glim::DecodeJpeg(std::string("\xff\xd8\xff\xe0garbage", 12), img));
  EXPECT_FALSE(glim::DecodePng("\x89PNG\r\n\x1a\nxx", img));
  std::string png;
  ASSERT_TRUE(glim::EncodePng(Image(3, 2, 0x123456), png));
  EXPECT_FALSE(glim::DecodePng(png.substr(0, png.size() / 2), img));
  ASSERT_TRUE(glim::DecodePng(png, img));
  EXPECT_EQ(img.W, 3);
  EXPECT_EQ(img.At(2, 1), 0x123456u);
}

// Pictures are decoded straight into the image's 32-bit pixels: each colour
// must keep its channels in place and no pad byte may be left above them; a
// cut-off file is refused and leaves the image it was given as it was.
TEST(Images, JpegKeepsEachColourInItsChannelsAndRefusesACutOffFile) {
  Image src(48, 16);
  glim::FillRect(src, 0, 0, 15, 15, Red);
  glim::FillRect(src, 16, 0, 31, 15, Green);
  glim::FillRect(src, 32, 0, 47, 15, Blue);
  std::string jpeg;
  ASSERT_TRUE(glim::EncodeJpeg(src, 95, jpeg));
  Image img;
  ASSERT_TRUE(glim::DecodeJpeg(jpeg, img));
  ASSERT_EQ(img.W, 48);
  ASSERT_EQ(img.H, 16);
  auto near = [](uint32_t got, uint32_t want) {
    for (int sh : {16, 8, 0})
      if (std::abs(static_cast<int>((got >> sh) & 255) - static_cast<int>((want >> sh) & 255)) > 24) return false;
    return true;
  };
  EXPECT_TRUE(near(img.At(8, 8), Red)) << std::hex << img.At(8, 8);
  EXPECT_TRUE(near(img.At(24, 8), Green)) << std::hex << img.At(24, 8);
  EXPECT_TRUE(near(img.At(40, 8), Blue)) << std::hex << img.At(40, 8);
  for (uint32_t p : img.Px) ASSERT_EQ(p >> 24, 0u) << std::hex << p;

  Image kept(2, 2, Yellow);
  EXPECT_FALSE(glim::DecodeJpeg(jpeg.substr(0, 20), kept));
  EXPECT_EQ(kept.W, 2);
  EXPECT_EQ(kept.At(1, 1), Yellow);
}

TEST(Images, BlitClipsAtTheEdges) {
  Image dst(10, 10, 7);
  glim::Blit(dst, Image(4, 4, 9), 8, -2, false);
  EXPECT_EQ(dst.At(9, 1), 9u);
  EXPECT_EQ(dst.At(7, 1), 7u);
  EXPECT_EQ(dst.At(9, 2), 7u);
  glim::Blit(dst, Image(4, 4, 9), 50, 50, false);  // wholly outside: nothing
  glim::Blit(dst, Image(4, 4, 0), 0, 0, true);     // all black: nothing
  EXPECT_EQ(dst.At(0, 0), 7u);
}

// The bytes handed to the encoders, and the browser canvas's bytes kept up
// to date with the rectangle that changed, which alone is sent to the canvas.
TEST(Images, PackedBytesAndTheChangedRectangle) {
  Image img(3, 2, 0x102030);
  img.At(2, 1) = 0xA0B0C0;
  const std::vector<unsigned char> rgb = glim::PackRgb(img);
  ASSERT_EQ(rgb.size(), 18u);
  EXPECT_EQ((std::vector<unsigned char>(rgb.begin(), rgb.begin() + 3)), (std::vector<unsigned char>{0x10, 0x20, 0x30}));
  EXPECT_EQ((std::vector<unsigned char>(rgb.end() - 3, rgb.end())), (std::vector<unsigned char>{0xA0, 0xB0, 0xC0}));

  glim::RgbaPicture shown;
  EXPECT_EQ(glim::UpdateRgba(shown, img), (glim::Rect{0, 0, 3, 2}));  // nothing shown yet
  const auto* bytes = reinterpret_cast<const unsigned char*>(shown.Words.data());
  EXPECT_EQ((std::vector<unsigned char>(bytes, bytes + 4)), (std::vector<unsigned char>{0x10, 0x20, 0x30, 0xFF}));
  EXPECT_EQ((std::vector<unsigned char>(bytes + 20, bytes + 24)), (std::vector<unsigned char>{0xA0, 0xB0, 0xC0, 0xFF}));
  // A black picture of the same size is new everywhere, although the
  // buffer started as zeros.
  EXPECT_EQ(glim::UpdateRgba(shown, Image(3, 2, 0)), (glim::Rect{0, 0, 3, 2}));

  Image before(40, 30, Room), after = before;
  EXPECT_EQ(glim::UpdateRgba(shown, before), (glim::Rect{0, 0, 40, 30}));  // another size
  EXPECT_TRUE(glim::UpdateRgba(shown, after).Empty());
  after.At(5, 7) = Red;
  EXPECT_EQ(glim::UpdateRgba(shown, after), (glim::Rect{5, 7, 1, 1}));
  EXPECT_TRUE(glim::UpdateRgba(shown, after).Empty());  // it is shown now
  after.At(39, 3) = Blue;                               // the last column, in another row
  after.At(0, 29) = Green;                              // the first column of the last row
  EXPECT_EQ(glim::UpdateRgba(shown, after), (glim::Rect{0, 3, 40, 27}));
  after.At(5, 7) = Room;  // back as it was: still a change
  EXPECT_EQ(glim::UpdateRgba(shown, after), (glim::Rect{5, 7, 1, 1}));
  glim::RgbaPicture fresh;  // the bytes kept up to date equal the picture's own
  glim::UpdateRgba(fresh, after);
  EXPECT_EQ(shown.Words, fresh.Words);
}

}  // namespace
}  // namespace glimtest
