// The room pictures: every scene line is painted whole, painting is
// repeatable, and every room of the map has a picture of its own in data/
// that shows something.
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <set>
#include <sstream>
#include <string>

#include "tools/pictures/Assets.h"
#include "tools/pictures/Scene.h"
#include "ui/Image.h"

namespace {

const std::string Root = GLIM_SOURCE_ROOT;

std::string ReadAll(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  return ss.str();
}

struct Light {
  double mean = 0, spread = 0, black = 0;  // mean and deviation of luminance, share of near-black pixels
};

Light Measure(const glim::Image& img) {
  double sum = 0, sq = 0;
  size_t black = 0;
  for (uint32_t p : img.Px) {
    const double l = 0.299 * ((p >> 16) & 255) + 0.587 * ((p >> 8) & 255) + 0.114 * (p & 255);
    sum += l;
    sq += l * l;
    if (l < 10) ++black;
  }
  const double n = static_cast<double>(img.Px.size());
  Light m;
  m.mean = sum / n;
  m.spread = std::sqrt(std::max(0.0, sq / n - m.mean * m.mean));
  m.black = static_cast<double>(black) / n;
  return m;
}

}  // namespace

// An element the painter does not know is skipped without a trace in the
// picture, so a misspelt name would silently leave a room bare.
TEST(Pictures, EveryRoomHasItsOwnSceneAndEveryElementIsPainted) {
  const auto scenes = pics::RoomScenes(Root);
  ASSERT_GT(scenes.size(), 200u);
  std::set<std::string> known;
  for (const std::string& n : pics::ElementNames()) known.insert(n);
  for (const auto& [room, scene] : scenes) {
    EXPECT_FALSE(scene.fromText) << "room " << room << " has no line in tools/pictures/scenes.tsv";
    for (const pics::Element& e : pics::ParseElements(scene.elements))
      EXPECT_TRUE(known.count(e.name)) << "room " << room << ": the painter does not know \"" << e.name << "\"";
  }
}

// The committed pictures are made again by the generator; the same line and
// seed must give the same pixels, and another seed another picture.
TEST(Pictures, PaintingIsRepeatable) {
  const auto scenes = pics::RoomScenes(Root);
  for (int room : {1, 75, 129}) {
    ASSERT_TRUE(scenes.count(room));
    const auto& sc = scenes.at(room);
    const glim::Image a = pics::PaintScene(sc.region, sc.elements, 1000u + room);
    const glim::Image b = pics::PaintScene(sc.region, sc.elements, 1000u + room);
    const glim::Image c = pics::PaintScene(sc.region, sc.elements, 2000u + room);
    ASSERT_EQ(a.W, 600);
    ASSERT_EQ(a.H, 375);
    EXPECT_TRUE(a.Px == b.Px) << "room " << room << " painted twice differs";
    EXPECT_FALSE(a.Px == c.Px) << "room " << room << " ignores its seed";
  }
}

// Every room of the map, the default picture and the darkened room have a
// picture file of the view's size that is neither black nor one flat colour.
TEST(Pictures, EveryRoomOfTheMapHasAPictureThatShowsSomething) {
  const auto scenes = pics::RoomScenes(Root);
  std::set<int> rooms;
  for (const auto& [room, sc] : scenes) rooms.insert(room);
  rooms.insert(300);
  std::set<std::string> seen;
  for (int room : rooms) {
    const std::string path = Root + "/data/images/room" + std::to_string(room) + ".jpg";
    const std::string bytes = ReadAll(path);
    glim::Image img;
    ASSERT_TRUE(glim::DecodeJpeg(bytes, img)) << path << " is missing or not a JPEG";
    EXPECT_EQ(img.W, 600) << path;
    EXPECT_EQ(img.H, 375) << path;
    EXPECT_TRUE(seen.insert(bytes).second) << path << " is the same picture as another room's";
    const Light m = Measure(img);
    if (room == 300) {
      // Room 82 while the darkness fills it: dark, but not empty.
      EXPECT_LT(m.mean, 40) << path;
      EXPECT_GT(m.spread, 2) << path;
      continue;
    }
    // Some rooms are gloomy on purpose; even they must show their room.
    EXPECT_GT(m.mean, 15) << path << " is too dark to see";
    EXPECT_GT(m.spread, 8) << path << " is nearly one flat colour";
    EXPECT_LT(m.black, 0.5) << path << " is largely black";
  }
}
