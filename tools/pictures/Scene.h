// Room pictures are painted from a scene line: a region (which gives the
// palette and the brush) and a list of elements painted back to front, each
// with optional settings, e.g.  "outdoor:sky=dusk hills tree:x=430,s=1.3".
#pragma once

#include <map>
#include <string>
#include <vector>

#include "tools/pictures/Canvas.h"

namespace pics {

struct Palette {
  Col skyTop, skyLow, sun;
  Col ground, groundFar;
  Col leaf, leafDark;
  Col rock, rockDark;
  Col wall, wallDark;
  Col floor, floorDark;
  Col wood, water, light;
  BrushStyle brush;
  float vignette = 0.35f;
};

// The palette of a named region ("home", "woods", "village", "frozen", ...).
Palette RegionPalette(const std::string& region);

struct Element {
  std::string name;
  std::map<std::string, std::string> args;
  float Num(const std::string& k, float def) const;
  std::string Str(const std::string& k, const std::string& def) const;
  bool Has(const std::string& k) const { return args.count(k) != 0; }
};

std::vector<Element> ParseElements(const std::string& line);

struct Scene {
  Canvas cv{600, 375};
  Palette pal;
  Rng rng{1};
  uint32_t seed = 1;
  float horizon = 215;  // where the sky meets the land
  bool indoor = false;
  float darkness = 0;                           // 0 daylight .. 1 black
  std::vector<std::pair<float, float>> lights;  // glows added after the brush pass
  std::vector<Col> lightCols;
  std::vector<float> lightRadii;
  int snowfall = 0;  // flakes painted over the finished picture
  float mist = 0;    // a pale veil low over the land
  void AddLight(float x, float y, float r, Col c) {
    lights.push_back({x, y});
    lightRadii.push_back(r);
    lightCols.push_back(c);
  }
};

// Paints one scene line of the region; unknown element names are reported
// through 'unknown' and skipped.
glim::Image PaintScene(const std::string& region, const std::string& line, uint32_t seed,
                       std::vector<std::string>* unknown = nullptr);
// The same on a canvas of any size, before the finishing grain.
Canvas PaintSceneCanvas(const std::string& region, const std::string& line, uint32_t seed, int w, int h,
                        std::vector<std::string>* unknown = nullptr);
// The names of every element the painter knows.
std::vector<std::string> ElementNames();

}  // namespace pics
