// Scene lines, region palettes and the painting of one room picture.
#include "tools/pictures/Scene.h"

#include <algorithm>
#include <cstdlib>
#include <sstream>

#include "tools/pictures/Elements.h"

namespace pics {

float Element::Num(const std::string& k, float def) const {
  auto it = args.find(k);
  return it == args.end() ? def : std::strtof(it->second.c_str(), nullptr);
}

std::string Element::Str(const std::string& k, const std::string& def) const {
  auto it = args.find(k);
  return it == args.end() ? def : it->second;
}

std::vector<Element> ParseElements(const std::string& line) {
  std::vector<Element> out;
  std::stringstream ss(line);
  std::string tok;
  while (ss >> tok) {
    Element e;
    const size_t colon = tok.find(':');
    e.name.assign(tok, 0, colon);
    if (colon != std::string::npos) {
      std::stringstream as(std::string(tok, colon + 1));
      std::string kv;
      while (std::getline(as, kv, ',')) {
        const size_t eq = kv.find('=');
        if (eq == std::string::npos)
          e.args[kv] = "1";
        else
          e.args[std::string(kv, 0, eq)] = std::string(kv, eq + 1);
      }
    }
    out.push_back(std::move(e));
  }
  return out;
}

Palette RegionPalette(const std::string& region) {
  Palette p;
  // A spring countryside is the base every region departs from.
  p.skyTop = Hex(0x5a86c8);
  p.skyLow = Hex(0xd8e4ea);
  p.sun = Hex(0xfff1c8);
  p.ground = Hex(0x4f7a2e);
  p.groundFar = Hex(0x8aa55a);
  p.leaf = Hex(0x5f8f35);
  p.leafDark = Hex(0x2a4a1f);
  p.rock = Hex(0x8a8378);
  p.rockDark = Hex(0x4a453e);
  p.wall = Hex(0xb8a58a);
  p.wallDark = Hex(0x6e604c);
  p.floor = Hex(0x8a6a44);
  p.floorDark = Hex(0x4e3a24);
  p.wood = Hex(0x7a5330);
  p.water = Hex(0x4f7fa0);
  p.light = Hex(0xffd890);
  p.brush = BrushStyle{};
  if (region == "home") {
    p.wall = Hex(0xc2a27a);
    p.wallDark = Hex(0x6c5238);
    p.floor = Hex(0x8c5e36);
    p.brush.warmth = 0.6f;
    p.brush.coarse = 8;
  } else if (region == "woods") {
    p.skyTop = Hex(0x6c90b0);
    p.skyLow = Hex(0xc8d8c0);
    p.ground = Hex(0x3d5a25);
    p.groundFar = Hex(0x5f7a3a);
    p.leaf = Hex(0x4c7a2c);
    p.leafDark = Hex(0x1c3318);
    p.brush.coarse = 10;
    p.brush.saturation = 1.05f;
    p.vignette = 0.5f;
  } else if (region == "orchard") {
    // Late-summer apple trees in a warm, golden light.
    p.skyTop = Hex(0x6a92c4);
    p.skyLow = Hex(0xf0e2c0);
    p.ground = Hex(0x5a7a2a);
    p.groundFar = Hex(0x9aa85a);
    p.leaf = Hex(0x6a8a2e);
    p.leafDark = Hex(0x2e4418);
    p.wood = Hex(0x6a4a2a);
    p.brush.warmth = 0.7f;
    p.brush.coarse = 10;
    p.vignette = 0.45f;
  } else if (region == "meadows") {
    // Open grassland and its old graves, under a wide pale sky.
    p.skyTop = Hex(0x5a8ad0);
    p.skyLow = Hex(0xe4ecf0);
    p.ground = Hex(0x6a8a34);
    p.groundFar = Hex(0xa8b868);
    p.leaf = Hex(0x7a9a3c);
    p.leafDark = Hex(0x34501e);
    p.rock = Hex(0x9a968a);
    p.brush.coarse = 11;
    p.brush.saturation = 1.05f;
  } else if (region == "enchanted") {
    // Woods with a touch of glamour: violet shadows, silvery light.
    p.skyTop = Hex(0x7a84c8);
    p.skyLow = Hex(0xe0d8ec);
    p.ground = Hex(0x3e6a3a);
    p.groundFar = Hex(0x7a9a78);
    p.leaf = Hex(0x5a9a5a);
    p.leafDark = Hex(0x24304a);
    p.rock = Hex(0x8a8490);
    p.rockDark = Hex(0x443e52);
    p.brush.warmth = -0.2f;
    p.brush.saturation = 1.15f;
    p.vignette = 0.5f;
  } else if (region == "deepcaves") {
    // The caves under the world: cold blue-grey rock, lamp-lit.
    p.skyTop = Hex(0x10141c);
    p.skyLow = Hex(0x242a36);
    p.rock = Hex(0x5e6270);
    p.rockDark = Hex(0x181a24);
    p.ground = Hex(0x3e424c);
    p.groundFar = Hex(0x262a32);
    p.floor = Hex(0x464a54);
    p.floorDark = Hex(0x16181e);
    p.wall = Hex(0x60646e);
    p.wallDark = Hex(0x22242c);
    p.water = Hex(0x1e3442);
    p.brush.warmth = -0.3f;
    p.brush.coarse = 8;
    p.vignette = 0.65f;
  } else if (region == "village") {
    p.skyTop = Hex(0x5f8cc6);
    p.skyLow = Hex(0xf0dcb4);
    p.ground = Hex(0x6f7a38);
    p.groundFar = Hex(0xa8a860);
    p.floor = Hex(0x9a7a52);
    p.wall = Hex(0xd8c49a);
    p.brush.warmth = 0.8f;
    p.brush.saturation = 1.1f;
  } else if (region == "cliffs") {
    p.skyTop = Hex(0x4d7cc0);
    p.skyLow = Hex(0xe2ecf0);
    p.ground = Hex(0x5c7f3a);
    p.rock = Hex(0xa09480);
    p.water = Hex(0x3f6f9a);
    p.brush.coarse = 10;
  } else if (region == "mountain") {
    p.skyTop = Hex(0x3f6db8);
    p.skyLow = Hex(0xd0dcec);
    p.ground = Hex(0x6d6a52);
    p.groundFar = Hex(0x8f8e78);
    p.rock = Hex(0x8d8a86);
    p.rockDark = Hex(0x45434a);
    p.leaf = Hex(0x4f6e3a);
    p.brush.warmth = -0.3f;
    p.brush.coarse = 11;
  } else if (region == "tunnels") {
    p.skyTop = Hex(0x1a1612);
    p.skyLow = Hex(0x2a221a);
    p.rock = Hex(0x6a5a48);
    p.rockDark = Hex(0x241c16);
    p.ground = Hex(0x4a3e30);
    p.groundFar = Hex(0x2c251e);
    p.floor = Hex(0x4a3e30);
    p.floorDark = Hex(0x1e1812);
    p.wall = Hex(0x6a5a48);
    p.wallDark = Hex(0x2a2018);
    p.brush.warmth = 0.7f;
    p.brush.coarse = 8;
    p.vignette = 0.6f;
  } else if (region == "frozen") {
    p.skyTop = Hex(0x8fa6c0);
    p.skyLow = Hex(0xe8eef4);
    p.ground = Hex(0xdfe8f0);
    p.groundFar = Hex(0xc8d4e2);
    p.rock = Hex(0x7c8696);
    p.rockDark = Hex(0x3c4452);
    p.leaf = Hex(0x3e5a4a);
    p.leafDark = Hex(0x1e3028);
    p.water = Hex(0x9ec2d8);
    p.brush.warmth = -0.8f;
    p.brush.coarse = 12;
    p.brush.saturation = 0.9f;
    p.vignette = 0.25f;
  } else if (region == "icecave") {
    p.skyTop = Hex(0x16324a);
    p.skyLow = Hex(0x3a6a8a);
    p.rock = Hex(0x7fb4d0);
    p.rockDark = Hex(0x1c3c58);
    p.ground = Hex(0xb6d4e4);
    p.groundFar = Hex(0x6a98b8);
    p.wall = Hex(0x8cc0da);
    p.wallDark = Hex(0x24506e);
    p.floor = Hex(0xb6d4e4);
    p.floorDark = Hex(0x5a88a8);
    p.light = Hex(0xd8f4ff);
    p.brush.warmth = -0.9f;
    p.brush.coarse = 9;
    p.vignette = 0.45f;
  } else if (region == "castle") {
    p.skyTop = Hex(0x3a3a6a);
    p.skyLow = Hex(0xc8a8b8);
    p.ground = Hex(0x4f5a3a);
    p.groundFar = Hex(0x7a7a62);
    p.wall = Hex(0x8e8a88);
    p.wallDark = Hex(0x46424a);
    p.floor = Hex(0x6e6a66);
    p.floorDark = Hex(0x36323a);
    p.rock = Hex(0x807c80);
    p.brush.warmth = -0.2f;
    p.brush.saturation = 0.95f;
    p.vignette = 0.5f;
  } else if (region == "chasm") {
    p.skyTop = Hex(0x2e3350);
    p.skyLow = Hex(0x6a6070);
    p.rock = Hex(0x6e625a);
    p.rockDark = Hex(0x221c1e);
    p.ground = Hex(0x5a4e46);
    p.groundFar = Hex(0x3a3236);
    p.floor = Hex(0x5a4e46);
    p.brush.coarse = 9;
    p.vignette = 0.6f;
  } else if (region == "doors") {
    p.wall = Hex(0x5a4a6a);
    p.wallDark = Hex(0x231c2e);
    p.floor = Hex(0x4a4050);
    p.floorDark = Hex(0x1e1822);
    p.light = Hex(0xd0b0ff);
    p.brush.warmth = -0.2f;
    p.vignette = 0.6f;
  } else if (region == "palace") {
    p.skyTop = Hex(0x1e1430);
    p.skyLow = Hex(0x6a2a3a);
    p.wall = Hex(0x5a2a30);
    p.wallDark = Hex(0x200c14);
    p.floor = Hex(0x2c2630);
    p.floorDark = Hex(0x0e0a10);
    p.rock = Hex(0x3a3440);
    p.light = Hex(0xffc860);
    p.ground = Hex(0x3a3038);
    p.groundFar = Hex(0x4a3a44);
    p.brush.warmth = 0.3f;
    p.brush.saturation = 1.1f;
    p.vignette = 0.6f;
  }
  return p;
}

// ---------------------------------------------------------------- helpers

Col Haze(const Scene& s, Col c, float far) { return Mix(c, s.pal.skyLow, Clamp01(far) * 0.75f); }

void Crown(Scene& s, float cx, float cy, float r, Col leaf, Col dark, int blobs) {
  Rng& g = s.rng;
  // Back blobs dark, front blobs lit from the upper left.
  for (int pass = 0; pass < 2; ++pass)
    for (int i = 0; i < blobs; ++i) {
      const float a = g.Range(0, 6.283f), d = g.Range(0, r * 0.55f);
      const float bx = cx + std::cos(a) * d * 1.2f, by = cy + std::sin(a) * d * 0.8f;
      const float br = r * g.Range(0.35f, 0.6f) * (pass ? 0.8f : 1.f);
      const Col base = pass ? Mix(leaf, dark, Clamp01((by - cy) / r * 0.7f + 0.2f)) : dark;
      s.cv.Fill(Rough(Circle(bx - (pass ? br * 0.15f : 0), by - (pass ? br * 0.2f : 0), br), br * 0.18f, br * 0.3f,
                      s.seed + static_cast<uint32_t>(i * 7 + pass)),
                Textured(Rounded(base, bx - br * 0.2f, by - br * 0.2f, br, br, 0.5f), 0.15f, 5, s.seed + 9u));
    }
}

void Tree(Scene& s, float x, float y, float k, Col leaf, Col dark, bool bare) {
  const Col bark = s.pal.wood * 0.7f;
  const float h = 200 * k;
  s.cv.Fill(Capsule(x, y, x + 4 * k, y - h * 0.62f, 11 * k, 6 * k),
            Textured(Linear(x - 10 * k, 0, bark * 1.3f, x + 10 * k, 0, bark * 0.5f), 0.25f, 4, s.seed));
  // Roots and two limbs.
  s.cv.Fill(Capsule(x, y, x - 18 * k, y + 4 * k, 6 * k, 2 * k), bark * 0.8f);
  s.cv.Fill(Capsule(x, y, x + 16 * k, y + 3 * k, 6 * k, 2 * k), bark * 0.6f);
  s.cv.Fill(Capsule(x + 2 * k, y - h * 0.45f, x - 38 * k, y - h * 0.72f, 5 * k, 2 * k), bark * 0.9f);
  s.cv.Fill(Capsule(x + 3 * k, y - h * 0.5f, x + 40 * k, y - h * 0.78f, 5 * k, 2 * k), bark * 0.7f);
  if (bare) {
    s.cv.Fill(Capsule(x + 4 * k, y - h * 0.6f, x + 10 * k, y - h * 0.95f, 4 * k, 1 * k), bark * 0.8f);
    s.cv.Fill(Capsule(x - 30 * k, y - h * 0.68f, x - 55 * k, y - h * 0.8f, 2 * k, 1 * k), bark * 0.8f);
    s.cv.Fill(Capsule(x + 34 * k, y - h * 0.74f, x + 60 * k, y - h * 0.7f, 2 * k, 1 * k), bark * 0.6f);
    return;
  }
  Crown(s, x + 2 * k, y - h * 0.78f, 62 * k, leaf, dark, 9);
}

void Pine(Scene& s, float x, float y, float k, bool snowy) {
  s.cv.Fill(Line(x, y, x, y - 30 * k, 4 * k), s.pal.wood * 0.6f);
  const Col c = s.pal.leafDark * 1.2f;
  for (int i = 0; i < 4; ++i) {
    const float top = y - (60 + 34 * i) * k, bot = y - (18 + 30 * i) * k, w = (46 - 9 * i) * k;
    Shape tri = Rough(Poly({x, top, x + w, bot, x - w, bot}), 3 * k, 4 * k, s.seed + static_cast<uint32_t>(i));
    s.cv.Fill(tri, Linear(x - w, 0, c * 1.5f, x + w, 0, c * 0.6f));
    if (snowy)
      s.cv.Fill(Intersect(tri, Poly({x, top - 5, x + w * 0.8f, bot - (bot - top) * 0.45f, x, bot - (bot - top) * 0.62f,
                                     x - w * 0.8f, bot - (bot - top) * 0.4f})),
                Textured(Flat(Hex(0xeef4fa)), 0.1f, 3, 1));
  }
}

void Boulder(Scene& s, float x, float y, float rx, float ry, Col c) {
  s.cv.Fill(Ellipse(x + rx * 0.15f, y + ry * 0.85f, rx * 1.1f, ry * 0.28f), Hex(0x000000), 0.35f, 4);
  const uint32_t sd = s.seed + static_cast<uint32_t>(x * 7 + y);
  Shape rock = Rough(Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 1, y - ry - 1, x + rx + 1, y + ry * 0.8f)),
                     std::min(rx, ry) * 0.2f, std::min(rx, ry) * 0.45f, sd);
  s.cv.Fill(rock, [=](float px, float py) {
    const float facet = Fbm(px / (rx * 0.35f + 1), py / (ry * 0.35f + 1), sd, 3);
    const float lit = Clamp01(0.6f - (px - x) / (rx * 1.6f) - (py - y) / (ry * 1.8f));
    return c * (0.45f + 0.75f * lit) * (0.75f + 0.5f * facet);
  });
}

void Flame(Scene& s, float x, float y, float k) {
  s.cv.Fill(Poly({x, y - 26 * k, x + 9 * k, y - 6 * k, x + 6 * k, y, x - 6 * k, y, x - 9 * k, y - 6 * k}),
            Hex(0xe06010));
  s.cv.Fill(Poly({x, y - 18 * k, x + 5 * k, y - 4 * k, x, y, x - 5 * k, y - 4 * k}), Hex(0xffc030));
  s.cv.Fill(Ellipse(x, y - 4 * k, 2.5f * k, 4 * k), Hex(0xfff4c0));
  s.AddLight(x, y - 10 * k, 110 * k, Hex(0xffa040));
}

Shader Planks(Col c, float spacing, bool vertical, uint32_t seed) {
  return [=](float x, float y) {
    const float u = vertical ? x : y, v = vertical ? y : x;
    const float idx = std::floor(u / spacing);
    const float f = u / spacing - idx;
    const float seam = f < 0.08f ? 0.55f : 1.f;
    const float tone = 0.85f + 0.3f * Noise(idx * 3.1f, 0.5f, seed);
    const float grain = 0.9f + 0.2f * Noise(u * 0.6f, v * 0.05f + idx * 7, seed + 1);
    return c * (seam * tone * grain);
  };
}

Shader Stones(Col c, Col mortar, float bw, float bh, uint32_t seed) {
  return [=](float x, float y) {
    const float row = std::floor(y / bh);
    const float xx = x + (static_cast<int>(row) % 2 ? bw * 0.5f : 0);
    const float col = std::floor(xx / bw);
    const float fx = xx / bw - col, fy = y / bh - row;
    const float edge = std::min(std::min(fx, 1 - fx) * bw, std::min(fy, 1 - fy) * bh);
    const float tone = 0.78f + 0.4f * Noise(col * 1.7f, row * 2.3f, seed);
    const float rough = 0.9f + 0.2f * Noise(x * 0.4f, y * 0.4f, seed + 2);
    const Col stone = c * (tone * rough * (1.f - 0.25f * fy));
    return Mix(mortar, stone, Smooth(0.6f, 2.2f, edge));
  };
}

// ---------------------------------------------------------------- painting

namespace {

const Registry& Elements() {
  static const Registry r = [] {
    Registry x;
    RegisterOutdoor(x);
    RegisterIndoor(x);
    RegisterBuildings(x);
    RegisterCountryside(x);
    RegisterHighlands(x);
    RegisterNorthlands(x);
    RegisterUnderworld(x);
    return x;
  }();
  return r;
}

}  // namespace

std::vector<std::string> ElementNames() {
  std::vector<std::string> out;
  for (const auto& [k, v] : Elements()) out.push_back(k);
  return out;
}

glim::Image PaintScene(const std::string& region, const std::string& line, uint32_t seed,
                       std::vector<std::string>* unknown) {
  Canvas cv = PaintSceneCanvas(region, line, seed, 600, 375, unknown);
  Finish(cv, RegionPalette(region).vignette, seed);
  return cv.ToImage();
}

Canvas PaintSceneCanvas(const std::string& region, const std::string& line, uint32_t seed, int w, int h,
                        std::vector<std::string>* unknown) {
  Scene s;
  s.cv = Canvas(w, h);
  s.pal = RegionPalette(region);
  s.seed = seed;
  s.rng = Rng(seed);
  for (const Element& e : ParseElements(line)) {
    auto it = Elements().find(e.name);
    if (it == Elements().end()) {
      if (unknown) unknown->push_back(e.name);
      continue;
    }
    it->second(s, e);
  }
  Painterly(s.cv, s.pal.brush, seed);
  for (size_t i = 0; i < s.lights.size(); ++i)
    s.cv.Glow(s.lights[i].first, s.lights[i].second, s.lightRadii[i], s.lightCols[i], 0.55f);
  if (s.mist > 0)
    s.cv.Map([&](int x, int y, Col c) {
      const float m = s.mist * Smooth(s.horizon - 40, s.horizon + 30, static_cast<float>(y)) *
                      (1.f - Smooth(s.horizon + 30, static_cast<float>(h), static_cast<float>(y)) * 0.6f) *
                      (0.6f + 0.6f * Fbm(x / 80.f, y / 30.f, seed + 77, 3));
      return Mix(c, s.pal.skyLow, Clamp01(m));
    });
  Rng flakes(seed + 991);
  for (int i = 0; i < s.snowfall; ++i) {
    const float x = flakes.Range(0, static_cast<float>(w)), y = flakes.Range(0, static_cast<float>(h)),
                r = flakes.Range(0.6f, 1.9f);
    s.cv.Fill(Circle(x, y, r), Hex(0xf6f9ff), flakes.Range(0.5f, 0.95f));
  }
  if (s.darkness > 0)
    s.cv.Map([&](int x, int y, Col c) {
      const float n = 0.7f + 0.6f * Fbm(x / 60.f, y / 60.f, seed + 5, 3);
      return c * ((1.f - s.darkness) * n);
    });
  return s.cv;
}

}  // namespace pics
