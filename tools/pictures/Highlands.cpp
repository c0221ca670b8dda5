// The details of the cliff and the village, the mountain and the tunnels.
#include <algorithm>
#include <cmath>
#include <vector>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

// A seed for one element, so that two elements of a scene never share noise.
uint32_t Sd(const Scene& s, uint32_t k) { return s.seed * 131u + k; }

// A rock shader lit from the upper left, with horizontal strata.
Shader RockShader(Col c, Col dark, float x0, float w, uint32_t seed) {
  return [=](float x, float y) {
    const float strata = Fbm(x / 45.f, y / 10.f, seed, 4);
    const float side = Clamp01((x - x0) / w);
    return Mix(c * 1.1f, dark, 0.15f + 0.45f * side) * (0.7f + 0.55f * strata);
  };
}

// ------------------------------------------------------------ cliff, village

// Farmland far below: a hazy patchwork of fields and hedges between two rows.
void Valley(Scene& s, float top, float bottom, float x0, float x1, uint32_t seed) {
  const float far0 = 0.8f, far1 = 0.35f;
  s.cv.Map([&](int x, int y, Col c) {
    if (y < top || y > bottom || x < x0 || x > x1) return c;
    const float t = Clamp01((y - top) / std::max(bottom - top, 1.f));
    const float fx = x / (30.f + 50 * t), fy = (y - top) / (5.f + 14 * t);
    const float row = std::floor(fy);
    const float cell = Noise(std::floor(fx + 0.37f * row), row, seed + 1);
    Col g = Mix(s.pal.groundFar, s.pal.ground, 0.2f + 0.7f * cell);
    if (cell > 0.72f) g = Mix(g, Hex(0xd8d0b8), 0.6f);  // fields under old snow
    const float fu = fx + 0.37f * row - std::floor(fx + 0.37f * row), fv = fy - row;
    if (fu < 0.05f || fv < 0.08f) g = g * 0.7f;  // hedges and walls between fields
    g = g * (0.85f + 0.25f * Fbm(x / 12.f, y / 5.f, seed + 2, 2));
    return Haze(s, g, far0 + (far1 - far0) * t);
  });
  // A river winding through the fields.
  for (float y = top + 2; y < bottom; y += 1.5f) {
    const float t = (y - top) / std::max(bottom - top, 1.f);
    const float x = x0 + (x1 - x0) * (0.2f + 0.12f * std::sin(y / 9.f + 1) + 0.5f * t * t);
    s.cv.Fill(Circle(x, y, 1.2f + 3 * t), Haze(s, Mix(s.pal.water, s.pal.skyLow, 0.4f), far0 * (1 - t)), 0.8f);
  }
}

// A village seen from far above: a huddle of roofs inside a stockade.
void VillageFromAbove(Scene& s, float x, float y, float k, float far, uint32_t seed) {
  Rng r(seed);
  struct House {
    float x, y, w;
  };
  std::vector<House> hs;
  for (int i = 0; i < 14; ++i) {
    const float a = r.Range(0, 6.283f), d = std::sqrt(r.Uni());
    hs.push_back({x + std::cos(a) * d * 62 * k, y + std::sin(a) * d * 20 * k, r.Range(7, 12) * k});
  }
  std::sort(hs.begin(), hs.end(), [](const House& a, const House& b) { return a.y < b.y; });
  // The ring of the stockade round them.
  s.cv.Fill(Cut(Ellipse(x, y + 2 * k, 80 * k, 28 * k), Ellipse(x, y + 2 * k, 77 * k, 26 * k)),
            Haze(s, s.pal.wood * 0.6f, far), 0.45f);
  for (const House& h : hs) {
    const Col wall = Haze(s, s.pal.wall, far), roof = Haze(s, Hex(0xe4e8ee), far * 0.8f);
    s.cv.Fill(Box(h.x - h.w, h.y - h.w * 0.5f, h.x + h.w, h.y + h.w * 0.3f), wall * 0.85f);
    s.cv.Fill(Poly({h.x - h.w * 1.15f, h.y - h.w * 0.4f, h.x - h.w * 0.6f, h.y - h.w * 1.1f, h.x + h.w * 0.6f,
                    h.y - h.w * 1.1f, h.x + h.w * 1.15f, h.y - h.w * 0.4f}),
              Linear(0, h.y - h.w * 1.1f, roof, 0, h.y - h.w * 0.4f, roof * 0.72f));
    s.cv.Fill(Box(h.x - 1.2f * k, h.y - h.w * 0.1f, h.x + 1.2f * k, h.y + h.w * 0.3f), Haze(s, Hex(0x2a2018), far));
  }
  // A thread of smoke from the largest hall.
  for (int i = 0; i < 10; ++i) {
    const float t = i / 9.f;
    s.cv.Fill(Circle(x + 14 * k * t * t + 4 * std::sin(i * 1.7f), y - 12 * k - 70 * k * t, (3 + 9 * t) * k),
              Hex(0xe8e8ec), 0.3f * (1 - t * 0.6f), 4);
  }
}

void CliffEdge(Scene& s, const Element& e) {
  const float lip = e.Num("y", 250), h = s.horizon;
  const uint32_t seed = Sd(s, 401);
  Valley(s, h, lip + 14, -5, 605, seed);
  // The near rock ends in a ragged lip; its edge catches the light.
  s.cv.Fill(Rough(Poly({-5, lip + 6, 180, lip - 2, 330, lip + 4, 430, lip + 2, 605, lip + 10, 605, 380, -5, 380}), 5,
                  16, seed + 3),
            [&](float x, float y) {
              const float t = Clamp01((y - lip) / 120.f);
              return Mix(s.pal.rock * 1.15f, s.pal.rock * 0.7f, t) *
                     (0.75f + 0.45f * Fbm(x / 30.f, y / 8.f, seed + 4, 4));
            });
  s.cv.Fill(
      Rough(Poly({-5, lip + 6, 180, lip - 2, 330, lip + 4, 430, lip + 2, 605, lip + 10, 605, lip + 16, -5, lip + 14}),
            3, 10, seed + 5),
      s.pal.rock * 1.35f, 0.6f, 3);
  Rng r(seed + 6);
  for (int i = 0; i < 14; ++i) {
    const float y = r.Range(lip + 25, 370), t = (y - lip) / 120.f, x = r.Range(180, 600);
    Boulder(s, x, y, (4 + 8 * t) * r.Range(0.7f, 1.3f), (3 + 5 * t), Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.4f));
  }
}

void VillageBelow(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", s.horizon + 55), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 411);
  if (e.Has("floor")) Valley(s, s.horizon, 380, -5, 605, seed + 9);
  VillageFromAbove(s, x, y, k, e.Num("far", 0.4f), seed);
}

// A narrow shelf of rock along the foot of the picture, climbing to the right.
void Ledge(Scene& s, const Element& e) {
  const float y0 = e.Num("y", 318), y1 = e.Num("y1", 270);
  const uint32_t seed = Sd(s, 421);
  Shape shelf = Rough(Poly({-5, y0, 200, y0 - 8, 420, (y0 + y1) / 2, 605, y1, 605, 380, -5, 380}), 4, 16, seed);
  s.cv.Fill(shelf, [&](float x, float y) {
    const float t = Clamp01((y - y0 + 30) / 120.f);
    return Mix(s.pal.rock * 1.2f, s.pal.rock * 0.6f, t) * (0.75f + 0.45f * Fbm(x / 25.f, y / 7.f, seed + 1, 4));
  });
  // The lip, with the drop below it.
  s.cv.Fill(Rough(Poly({-5, y0 - 2, 200, y0 - 10, 420, (y0 + y1) / 2 - 2, 605, y1 - 2, 605, y1 + 5, 420,
                        (y0 + y1) / 2 + 5, 200, y0 - 1, -5, y0 + 7}),
                  2, 10, seed + 2),
            s.pal.rock * 1.45f, 0.7f, 2);
  Rng r(seed + 3);
  for (int i = 0; i < 12; ++i) {
    const float x = r.Range(180, 600), y = r.Range(std::max(y0, y1) + 10, 368);
    Boulder(s, x, y, r.Range(4, 10), r.Range(3, 6), Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.5f));
  }
  // Tufts of grass clinging to cracks.
  for (int i = 0; i < 40; ++i) {
    const float x = r.Range(170, 600), y = r.Range(y1 + 10, 370);
    s.cv.Fill(Line(x, y, x + r.Range(-3, 3), y - r.Range(4, 9), 0.8f), Mix(s.pal.leafDark, s.pal.leaf, r.Uni()), 0.8f);
  }
}

// A wall of pointed stakes across the picture, its gate standing open.
void Palisade(Scene& s, const Element& e) {
  const float gx = e.Num("x", 360), y = e.Num("y", 270), hgt = e.Num("h", 100), gap = e.Num("gap", 80);
  const uint32_t seed = Sd(s, 431);
  Rng r(seed);
  // Snowy roofs of the village peep over the wall.
  for (float rx : {90.f, 210.f, 480.f, 560.f}) {
    const float ry = y - hgt - r.Range(-5, 25), w = r.Range(45, 60);
    s.cv.Fill(Box(rx + w * 0.2f, ry - 36, rx + w * 0.34f, ry - 10), s.pal.rock);
    s.cv.Fill(Poly({rx - w, ry + 30, rx, ry - 28, rx + w, ry + 30}),
              Linear(rx - w, 0, Hex(0xf2f5fa), rx + w, 0, Hex(0xa8b8cc)));
  }
  // Through the gate: the snowy street and a house with warm windows.
  const float gl = gx - gap / 2, gr = gx + gap / 2;
  s.cv.Fill(Box(gl, y - hgt, gr, y - 40), Mix(s.pal.wall, s.pal.wallDark, 0.35f));
  s.cv.Fill(Poly({gl - 10, y - hgt + 4, gx, y - hgt - 30, gr + 10, y - hgt + 4}), Hex(0xdfe6ee));
  for (float wx : {gx - 20, gx + 20}) {
    s.cv.Fill(Box(wx - 7, y - hgt + 18, wx + 7, y - hgt + 32), Hex(0xffc060));
    s.AddLight(wx, y - hgt + 25, 40, Hex(0xffa040));
  }
  s.cv.Fill(Box(gx - 9, y - 70, gx + 9, y - 40), s.pal.wood * 0.7f);
  s.cv.Fill(Box(gl, y - 42, gr, y + 2), Linear(0, y - 42, Hex(0xd4dce6), 0, y, Hex(0xeef2f6)));
  // The stakes.
  for (float x = -8; x < 610; x += r.Range(11, 15)) {
    if (x > gl - 12 && x < gr + 6) continue;
    const float top = y - hgt - r.Range(-6, 10), w = r.Range(5, 7.5f);
    const Col wood = s.pal.wood * r.Range(0.8f, 1.15f);
    s.cv.Fill(Poly({x - w, y + 4, x - w, top + 12, x, top, x + w, top + 12, x + w, y + 4}),
              Linear(x - w, 0, wood * 1.3f, x + w, 0, wood * 0.55f));
    s.cv.Fill(Poly({x - w * 0.8f, top + 10, x, top + 1, x + w * 0.8f, top + 10, x, top + 7}), Hex(0xf2f6fa), 0.9f);
  }
  for (float by : {y - 22, y - hgt * 0.72f})
    for (float x0 : {-5.f, gr + 8}) s.cv.Fill(Line(x0, by, x0 == -5.f ? gl - 10 : 605, by + 1, 3), s.pal.wood * 0.55f);
  // Gateposts, a lintel and the two leaves swung inwards.
  for (float px : {gl - 10, gr + 10})
    s.cv.Fill(Box(px - 9, y - hgt - 30, px + 9, y + 6),
              Linear(px - 9, 0, s.pal.wood * 1.2f, px + 9, 0, s.pal.wood * 0.5f));
  s.cv.Fill(Box(gl - 22, y - hgt - 38, gr + 22, y - hgt - 26), s.pal.wood * 0.8f);
  s.cv.Fill(Poly({gl, y - hgt + 8, gl + 22, y - hgt + 20, gl + 22, y - 12, gl, y + 2}),
            Planks(s.pal.wood * 0.75f, 7, true, seed + 2));
  s.cv.Fill(Poly({gr, y - hgt + 8, gr - 22, y - hgt + 20, gr - 22, y - 12, gr, y + 2}),
            Planks(s.pal.wood * 0.6f, 7, true, seed + 3));
  // A board on the gatepost, chalked with a welcome.
  const float bx0 = gr + 22, bx1 = gr + 150, by0 = y - hgt * 0.62f;
  s.cv.Fill(Box(bx0, by0, bx1, by0 + 34, 2), Planks(Hex(0x4a3a2c), 8, false, seed + 4));
  const Shader chalk = Textured(Flat(Hex(0xf4f0e6)), 0.3f, 2, seed + 5);
  DrawText(s.cv, "ALL GUESTS WELCOME", bx0 + 6, by0 + 6, 7, 1.0f, chalk);
  DrawText(s.cv, "NO GUEST LEAVES", bx0 + 6, by0 + 20, 7, 1.0f, chalk);
}

// Columns of smoke rising from behind the roofs and drifting with the wind.
void Smoke(Scene& s, const Element& e) {
  const float x = e.Num("x", 380), top = e.Num("y", 90), base = e.Num("base", s.horizon - 20);
  const int n = static_cast<int>(e.Num("n", 2));
  Rng r(Sd(s, 441));
  for (int c = 0; c < n; ++c) {
    const float cx = x + c * 150 - (n - 1) * 60;
    const float b = base + c * 12;
    for (int i = 0; i < 16; ++i) {
      const float t = i / 15.f;
      const float px = cx + 70 * t * t + 6 * std::sin(i * 1.3f + c), py = b + (top - b) * t;
      const float rad = 7 + 24 * t;
      s.cv.Fill(Circle(px + r.Range(-3, 3), py, rad), Mix(Hex(0x8a8c94), Hex(0xd8dce4), t), 0.45f * (1 - t * 0.6f),
                rad * 0.6f);
    }
  }
}

// A stream frozen over: pale ice with cracks and snow, a dark seam of open
// water down the middle. The same course as the river beneath it.
void IceOnWater(Scene& s, const Element& e) {
  const float vx = e.Num("to", 330), bx = e.Num("from", 400), bw = e.Num("w", 110), vy = e.Num("y", s.horizon);
  const float bend = e.Num("bend", -30);
  const uint32_t seed = Sd(s, 451);
  s.cv.Map([&](int x, int y, Col old) {
    if (y < vy) return old;
    const float t = Clamp01((y - vy) / (s.cv.H() - vy));
    const float cx = vx + (bx - vx) * t + bend * std::sin(t * 3.14159f);
    const float hw = 3 + bw * std::pow(t, 1.2f);
    const float d = std::fabs(x - cx);
    if (d > hw) return old;
    const float n = Fbm(x / (10.f + 30 * t), y / (2.f + 6 * t), seed, 4);
    Col ice = Mix(Hex(0x9fc4d8), Hex(0xe8f2f8), Clamp01(n * 1.3f - 0.1f));
    // Snow lying on the ice near the banks.
    ice = Mix(ice, Hex(0xf4f7fb), Smooth(0.55f, 0.95f, d / hw) * 0.8f);
    // A narrow dark seam where the water still runs.
    const float seam = std::fabs(x - cx - (6 + 10 * t) * std::sin(y / (8.f + 20 * t))) -
                       (0.5f + 2.5f * t) * Fbm(y / 10.f, 0.5f, seed + 2, 2);
    if (seam < 0) ice = Mix(Hex(0x1e3a50), s.pal.water * 0.6f, Fbm(x / 5.f, y / 2.f, seed + 3, 2));
    return ice;
  });
  // Cracks in the ice.
  Rng r(seed + 4);
  for (int i = 0; i < 7; ++i) {
    const float t = r.Range(0.3f, 0.95f), y = vy + t * (s.cv.H() - vy);
    const float cx = vx + (bx - vx) * t + bend * std::sin(t * 3.14159f), hw = bw * std::pow(t, 1.2f);
    float px = cx + r.Range(-hw * 0.8f, hw * 0.8f), py = y;
    for (int j = 0; j < 4; ++j) {
      const float nx = px + r.Range(-18, 18) * t, ny = py + r.Range(-5, 5) * t;
      s.cv.Fill(Line(px, py, nx, ny, 0.5f + 0.6f * t), Hex(0x5a86a4), 0.8f);
      px = nx;
      py = ny;
    }
  }
}

// A star of light: something bright catching the sun.
void Sparkle(Scene& s, float x, float y, float k, Col c) {
  s.cv.Fill(Poly({x - 16 * k, y, x, y - 2 * k, x + 16 * k, y, x, y + 2 * k}), c);
  s.cv.Fill(Poly({x, y - 16 * k, x + 2 * k, y, x, y + 16 * k, x - 2 * k, y}), c);
  s.cv.Fill(Poly({x - 7 * k, y - 7 * k, x + 1 * k, y - 1 * k, x + 7 * k, y + 7 * k, x - 1 * k, y + 1 * k}), c, 0.7f);
  s.cv.Fill(Poly({x + 7 * k, y - 7 * k, x + 1 * k, y + 1 * k, x - 7 * k, y + 7 * k, x - 1 * k, y - 1 * k}), c, 0.7f);
  s.cv.Fill(Circle(x, y, 3 * k), Hex(0xffffff));
}

// Something small and golden deep in the ice, and its glint.
void Glint(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 270), k = e.Num("s", 1);
  s.cv.Fill(Ellipse(x, y + 4, 16 * k, 10 * k), Hex(0xa08838), 0.45f, 5);
  s.cv.Fill(Cut(Circle(x - 5 * k, y + 3, 5 * k), Circle(x - 5 * k, y + 3, 2.5f * k)), Hex(0xd8b850), 0.8f);
  s.cv.Fill(Line(x - 1 * k, y + 3, x + 11 * k, y + 5, 1.5f * k), Hex(0xd8b850), 0.8f);
  Sparkle(s, x + 4 * k, y - 2, k, Hex(0xfffbe8));
  s.AddLight(x + 4 * k, y - 2, 45 * k, Hex(0xfff0c0));
}

// ------------------------------------------------------------ village rooms

// Tools stood against the wall: picks and bars for the ice, a saw, a shovel
// and a hay fork.
void Picks(Scene& s, const Element& e) {
  const float x = e.Num("x", 200), y = e.Num("y", 240), k = e.Num("s", 1.45f);
  const Col handle = s.pal.wood * 0.75f, iron = Hex(0x4a4c52);
  // A rail along the wall with pegs.
  s.cv.Fill(Box(x - 60 * k, y - 128 * k, x + 90 * k, y - 120 * k), s.pal.wood * 0.7f);
  // Pick.
  s.cv.Fill(Line(x - 48 * k, y, x - 38 * k, y - 112 * k, 2.6f * k), handle);
  s.cv.Fill(Capsule(x - 62 * k, y - 98 * k, x - 38 * k, y - 112 * k, 2 * k, 4 * k),
            Linear(0, y - 115 * k, iron * 1.4f, 0, y - 95 * k, iron * 0.7f));
  s.cv.Fill(Capsule(x - 38 * k, y - 112 * k, x - 16 * k, y - 104 * k, 4 * k, 1.5f * k),
            Linear(0, y - 115 * k, iron * 1.4f, 0, y - 95 * k, iron * 0.7f));
  // Iron bar.
  s.cv.Fill(Line(x - 22 * k, y, x - 16 * k, y - 108 * k, 2.2f * k),
            Linear(x - 25 * k, 0, iron * 1.6f, x - 13 * k, 0, iron * 0.6f));
  // Saw hanging from a peg.
  s.cv.Fill(Circle(x + 10 * k, y - 118 * k, 2.5f * k), s.pal.wood * 0.5f);
  {
    std::vector<float> blade = {x - 4 * k, y - 112 * k, x + 30 * k, y - 112 * k};
    for (int i = 0; i < 9; ++i) {
      const float px = x + 30 * k - i * 4 * k;
      blade.insert(blade.end(), {px - 2 * k, y - 78 * k + (i % 2) * 3 * k});
    }
    blade.insert(blade.end(), {x - 4 * k, y - 86 * k});
    s.cv.Fill(Poly(blade), Linear(x, y - 112 * k, Hex(0xb8bcc4), x + 30 * k, y - 80 * k, Hex(0x6a6e76)));
    s.cv.Fill(Box(x - 12 * k, y - 114 * k, x - 2 * k, y - 88 * k, 2 * k), s.pal.wood);
  }
  // Shovel.
  s.cv.Fill(Line(x + 44 * k, y - 30 * k, x + 52 * k, y - 125 * k, 2.4f * k), handle);
  s.cv.Fill(Poly({x + 33 * k, y - 34 * k, x + 55 * k, y - 32 * k, x + 54 * k, y - 4 * k, x + 44 * k, y + 2 * k,
                  x + 34 * k, y - 6 * k}),
            Linear(x + 33 * k, 0, iron * 1.5f, x + 55 * k, 0, iron * 0.7f));
  // Hay fork, tines up.
  s.cv.Fill(Line(x + 76 * k, y, x + 82 * k, y - 95 * k, 2.4f * k), handle);
  for (int i = -1; i <= 1; ++i)
    s.cv.Fill(Line(x + 82 * k + i * 6 * k, y - 98 * k, x + 83 * k + i * 7 * k, y - 130 * k, 1.3f * k), iron * 1.3f);
  s.cv.Fill(Line(x + 75 * k, y - 98 * k, x + 89 * k, y - 98 * k, 1.6f * k), iron * 1.3f);
}

// A heap of straw or hay: a golden mound bristling with stalks.
void StrawHeap(Scene& s, float x, float y, float rx, float ry, int stalks, uint32_t seed) {
  s.cv.Fill(Ellipse(x + rx * 0.1f, y, rx * 1.1f, ry * 0.25f), Hex(0x000000), 0.3f, 6);
  Shape heap =
      Rough(Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 2, y - ry - 2, x + rx + 2, y + 2)), ry * 0.12f, 10, seed);
  s.cv.Fill(heap, [=](float px, float py) {
    const float lit = Clamp01(0.75f - (px - x) / (rx * 2.2f) - (py - y + ry) / (ry * 2.5f));
    const float strand = 0.8f + 0.3f * Noise(px / 2.f + py / 6.f, py / 2.f, seed + 1);
    return Mix(Hex(0x8a6a24), Hex(0xe8c860), lit) * strand;
  });
  Rng r(seed + 2);
  for (int i = 0; i < stalks; ++i) {
    const float a = r.Range(3.3f, 6.1f), d = std::sqrt(r.Uni());
    const float px = x + std::cos(a) * rx * d, py = y + std::sin(a) * ry * d;
    const float ang = r.Range(-1.2f, 1.2f), len = r.Range(6, 16);
    s.cv.Fill(Line(px, py, px + std::sin(ang) * len, py - std::cos(ang) * len * 0.6f, 0.6f),
              r.Uni() < 0.5f ? Hex(0xf4dc80) : Hex(0x9a7a30), 0.85f);
  }
  // A few stalks strewn on the floor about it.
  for (int i = 0; i < stalks / 6; ++i) {
    const float px = x + r.Range(-rx * 1.3f, rx * 1.3f), py = y + r.Range(-2, 12);
    const float ang = r.Range(0, 3.14f);
    s.cv.Fill(Line(px, py, px + std::cos(ang) * 9, py + std::sin(ang) * 2, 0.6f), Hex(0xd8bc60), 0.8f);
  }
}

void Hay(Scene& s, const Element& e) {
  const float x = e.Num("x", 510), y = e.Num("y", 300), k = e.Num("s", 1);
  StrawHeap(s, x, y, 85 * k, 62 * k, 260, Sd(s, 461));
}

void Straw(Scene& s, const Element& e) {
  const float x = e.Num("x", 520), y = e.Num("y", 320), k = e.Num("s", 1);
  StrawHeap(s, x, y, 75 * k, 18 * k, 140, Sd(s, 471));
}

// A ring of keys hanging from an iron hook on the wall.
void KeysHook(Scene& s, const Element& e) {
  const float x = e.Num("x", 210), y = e.Num("y", 130), k = e.Num("s", 1.3f);
  const Col brass = Hex(0xc8a040), iron = Hex(0x3a3a3e);
  s.cv.Fill(Box(x - 22 * k, y - 14 * k, x + 22 * k, y - 2 * k, 2), s.pal.wood * 0.8f);
  s.cv.Fill(Capsule(x, y - 8 * k, x, y + 2 * k, 2 * k, 1.5f * k), iron);
  s.cv.Fill(Cut(Circle(x, y + 10 * k, 9 * k), Circle(x, y + 10 * k, 7.2f * k)),
            Linear(x - 9 * k, 0, brass * 1.3f, x + 9 * k, 0, brass * 0.6f));
  const float angs[] = {-0.5f, -0.1f, 0.25f, 0.6f};
  for (int i = 0; i < 4; ++i) {
    const float a = angs[i], bx = x + std::sin(a) * 8 * k, by = y + 10 * k + std::cos(a) * 8 * k;
    const float ex = bx + std::sin(a) * 26 * k, ey = by + std::cos(a) * 26 * k;
    const Col c = i % 2 ? brass : Hex(0x8a8a90);
    s.cv.Fill(Cut(Circle(bx + std::sin(a) * 4 * k, by + std::cos(a) * 4 * k, 4 * k),
                  Circle(bx + std::sin(a) * 4 * k, by + std::cos(a) * 4 * k, 2 * k)),
              c);
    s.cv.Fill(Line(bx + std::sin(a) * 7 * k, by + std::cos(a) * 7 * k, ex, ey, 1.3f * k), c);
    s.cv.Fill(Line(ex - std::cos(a) * 0.5f * k, ey, ex + std::cos(a) * 6 * k, ey - std::sin(a) * 6 * k, 1.6f * k), c);
    s.cv.Fill(Line(ex - std::sin(a) * 5 * k, ey - std::cos(a) * 5 * k, ex - std::sin(a) * 5 * k + std::cos(a) * 4 * k,
                   ey - std::cos(a) * 5 * k - std::sin(a) * 4 * k, 1.2f * k),
              c);
  }
}

// A goat standing side on, head up, with horns and a beard.
void Goat(Scene& s, float x, float y, float k, int dir, Col coat) {
  const float d = static_cast<float>(dir);
  s.cv.Fill(Ellipse(x, y + 1, 30 * k, 5 * k), Hex(0x000000), 0.25f, 4);
  for (float lx : {-16.f, -10.f, 12.f, 18.f})
    s.cv.Fill(Line(x + lx * k * d, y - 22 * k, x + (lx + 1) * k * d, y, 2.2f * k),
              lx == -10.f || lx == 18.f ? coat * 0.6f : coat * 0.8f);
  s.cv.Fill(Ellipse(x, y - 30 * k, 26 * k, 13 * k),
            Textured(Rounded(coat, x - 8 * k * d, y - 34 * k, 26 * k, 13 * k), 0.2f, 3, s.seed));
  s.cv.Fill(Capsule(x - 22 * k * d, y - 38 * k, x - 18 * k * d, y - 44 * k, 3 * k, 2 * k), coat * 0.9f);   // tail
  s.cv.Fill(Capsule(x + 18 * k * d, y - 34 * k, x + 28 * k * d, y - 52 * k, 7 * k, 5 * k), coat * 0.95f);  // neck
  s.cv.Fill(Capsule(x + 28 * k * d, y - 54 * k, x + 40 * k * d, y - 46 * k, 6 * k, 3.5f * k),
            Rounded(coat, x + 30 * k * d, y - 54 * k, 10 * k, 6 * k));
  s.cv.Fill(Capsule(x + 27 * k * d, y - 58 * k, x + 18 * k * d, y - 70 * k, 2.2f * k, 1 * k), Hex(0x5a5048));  // horns
  s.cv.Fill(Capsule(x + 18 * k * d, y - 70 * k, x + 12 * k * d, y - 64 * k, 1.2f * k, 0.8f * k), Hex(0x5a5048));
  s.cv.Fill(Capsule(x + 25 * k * d, y - 54 * k, x + 18 * k * d, y - 50 * k, 2.5f * k, 1 * k), coat * 0.8f);  // ear
  s.cv.Fill(Poly({x + 36 * k * d, y - 46 * k, x + 39 * k * d, y - 46 * k, x + 36 * k * d, y - 36 * k}),
            coat * 0.7f);  // beard
  s.cv.Fill(Circle(x + 32 * k * d, y - 56 * k, 1.3f * k), Hex(0x1a1410));
}

void Goats(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 330), k = e.Num("s", 1);
  Goat(s, x + 40 * k, y - 22 * k, 0.8f * k, -1, Hex(0x8a6a4a));
  Goat(s, x, y, k, 1, Hex(0xe8e2d6));
}

// A small timber hut with a steep snowy roof, a carved angel over its
// padlocked door.
void CarverHut(Scene& s, const Element& e) {
  const float x = e.Num("x", 560), y = e.Num("y", 250), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 481);
  const float w = 55 * k, h = 60 * k;
  s.cv.Fill(Box(x - w, y - h, x + w, y), Planks(s.pal.wood * 1.05f, 9 * k, true, seed));
  s.cv.Fill(Rough(Poly({x - w - 12 * k, y - h + 4, x, y - h - 52 * k, x + w + 12 * k, y - h + 4}), 2, 6, seed + 1),
            Linear(x - w, 0, Hex(0xf4f7fa), x + w, 0, Hex(0xaebed0)));
  // The door and its padlock.
  s.cv.Fill(Box(x - 14 * k, y - 44 * k, x + 14 * k, y), Planks(s.pal.wood * 0.7f, 7 * k, true, seed + 2));
  s.cv.Fill(Box(x - 16 * k, y - 28 * k, x + 16 * k, y - 24 * k), Hex(0x2a2a2e));
  s.cv.Fill(Cut(Circle(x + 8 * k, y - 24 * k, 4 * k), Circle(x + 8 * k, y - 24 * k, 2.5f * k)), Hex(0x7a7a80));
  s.cv.Fill(Box(x + 3 * k, y - 24 * k, x + 13 * k, y - 14 * k, 1.5f),
            Rounded(Hex(0x8a8a90), x + 8 * k, y - 19 * k, 5 * k, 5 * k));
  // The angel over the door: a little robed figure with wings.
  const float ax = x, ay = y - h - 6 * k;
  const Col c = s.pal.wood * 1.5f;
  s.cv.Fill(Poly({ax - 3 * k, ay - 18 * k, ax - 16 * k, ay - 26 * k, ax - 12 * k, ay - 8 * k}), c * 0.9f);
  s.cv.Fill(Poly({ax + 3 * k, ay - 18 * k, ax + 16 * k, ay - 26 * k, ax + 12 * k, ay - 8 * k}), c * 0.75f);
  s.cv.Fill(Poly({ax - 6 * k, ay, ax + 6 * k, ay, ax + 3 * k, ay - 20 * k, ax - 3 * k, ay - 20 * k}), c);
  s.cv.Fill(Circle(ax, ay - 24 * k, 3.5f * k), c * 1.1f);
  s.cv.Fill(Box(x - w - 4, y - 4, x + w + 4, y + 2), Hex(0xe8eef4));
}

// A robed figure carved in wood, with a halo, and wings for an angel.
void Carving(Scene& s, float x, float y, float k, bool angel, Col wood, uint32_t seed) {
  if (angel) {
    s.cv.Fill(Poly({x - 4 * k, y - 52 * k, x - 26 * k, y - 70 * k, x - 30 * k, y - 50 * k, x - 20 * k, y - 28 * k,
                    x - 6 * k, y - 30 * k}),
              Textured(Linear(x - 30 * k, 0, wood * 1.1f, x, 0, wood * 0.7f), 0.2f, 3, seed));
    s.cv.Fill(Poly({x + 4 * k, y - 52 * k, x + 26 * k, y - 70 * k, x + 30 * k, y - 50 * k, x + 20 * k, y - 28 * k,
                    x + 6 * k, y - 30 * k}),
              Textured(Linear(x, 0, wood * 0.8f, x + 30 * k, 0, wood * 0.5f), 0.2f, 3, seed));
    for (int i = 0; i < 3; ++i)
      for (int side = -1; side <= 1; side += 2)
        s.cv.Fill(Line(x + side * (8 + i * 6) * k, y - (54 - i * 4) * k, x + side * (14 + i * 5) * k,
                       y - (36 - i * 2) * k, 0.6f * k),
                  wood * 0.45f);
  }
  s.cv.Fill(Box(x - 13 * k, y - 5 * k, x + 13 * k, y), wood * 0.6f);
  s.cv.Fill(Poly({x - 12 * k, y - 5 * k, x + 12 * k, y - 5 * k, x + 7 * k, y - 52 * k, x - 7 * k, y - 52 * k}),
            Textured(Rounded(wood, x - 3 * k, y - 36 * k, 13 * k, 28 * k, 0.55f), 0.2f, 3, seed + 1));
  for (int i = -1; i <= 1; ++i)
    s.cv.Fill(Line(x + i * 4 * k, y - 8 * k, x + i * 3 * k, y - 40 * k, 0.6f * k), wood * 0.55f);
  s.cv.Fill(Ellipse(x, y - 38 * k, 5 * k, 3.5f * k), wood * 1.15f);  // folded hands
  s.cv.Fill(Cut(Circle(x, y - 62 * k, 10 * k), Circle(x, y - 62 * k, 8 * k)), wood * 1.3f);
  s.cv.Fill(Circle(x, y - 59 * k, 6.5f * k), Rounded(wood * 1.1f, x - 2 * k, y - 61 * k, 6.5f * k, 6.5f * k));
}

// The carver's work: saints and angels along a shelf and the foot of the
// wall, a tall one half finished in the front, shavings on the floor.
void Carvings(Scene& s, const Element& e) {
  const uint32_t seed = Sd(s, 491);
  Rng r(seed);
  const Col woods[] = {Hex(0xb88a58), Hex(0x9a6a3a), Hex(0xc8a070), Hex(0x8a5a34)};
  // A shelf along the back wall with small figures.
  const float sy = e.Num("shelf", 120);
  s.cv.Fill(Box(150, sy, 450, sy + 7), s.pal.wood * 0.8f);
  s.cv.Fill(Box(150, sy + 7, 450, sy + 10), Hex(0x000000), 0.3f, 3);
  for (int i = 0; i < 9; ++i)
    Carving(s, 168 + i * 34 + r.Range(-3, 3), sy, r.Range(0.42f, 0.5f), i % 3 == 1, woods[r.Int(0, 3)],
            seed + static_cast<uint32_t>(i));
  // Larger figures standing at the foot of the wall.
  const float xs[] = {190, 240, 300, 360, 415};
  for (int i = 0; i < 5; ++i)
    Carving(s, xs[i], 238 + (i % 2) * 4, r.Range(0.85f, 1.1f), i % 2 == 0, woods[r.Int(0, 3)],
            seed + 20u + static_cast<uint32_t>(i));
  // The big angel, still rough at the foot, and the carver's mallet.
  Carving(s, 535, 345, 2.1f, true, Hex(0xc8a070), seed + 40);
  s.cv.Fill(Rough(Box(505, 320, 565, 348), 4, 6, seed + 41), Textured(Flat(Hex(0x9a7448)), 0.3f, 4, seed + 42));
  s.cv.Fill(Line(470, 350, 492, 338, 2), s.pal.wood * 0.8f);
  s.cv.Fill(Box(486, 330, 500, 344, 2), s.pal.wood * 1.1f);
  for (int i = 0; i < 60; ++i) {
    const float px = r.Range(440, 600), py = r.Range(335, 370);
    s.cv.Fill(Cut(Circle(px, py, 3), Circle(px + 1.2f, py - 1, 2.4f)), Hex(0xe0c090), 0.9f);
  }
}

// The houses of a narrow lane seen down its length: timbered fronts whose
// upper storeys lean over the cobbles, the strip of sky between the eaves.
// Points are projected from the lane's own frame: x across (the house
// fronts at +-1.8), y down (the cobbles at +1), z away from the viewer.
constexpr float LVX = 320, LVY = 190, LF = 200;
inline float LPx(float x, float z) { return LVX + x * LF / z; }
inline float LPy(float y, float z) { return LVY + y * LF / z; }

void Lane(Scene& s, const Element& e) {
  const bool blind = e.Num("blind", 0) > 0;
  const uint32_t seed = Sd(s, 501);
  const float zEnd = blind ? 7.f : 11.f, W = 1.8f, eave = -4.2f;
  // The cobbles.
  s.cv.Map([&](int px, int py, Col c) {
    if (py <= LVY + 1) return c;
    const float z = LF / (py - LVY);
    if (z > zEnd) return c;
    const float x = (px - LVX) * z / LF;
    const float row = std::floor(z * 3.f);
    const float u = x * 3.f + (static_cast<int>(row) % 2) * 0.5f;
    const float fu = u - std::floor(u), fv = z * 3.f - row;
    const float edge = std::min(std::min(fu, 1 - fu), std::min(fv, 1 - fv));
    const float tone = 0.75f + 0.4f * Noise(std::floor(u), row, seed);
    Col stone = s.pal.rock * tone * Smooth(0.02f, 0.12f + 0.02f * z, edge) * (1.f - 0.06f * z);
    if (std::fabs(x) > W - 0.12f) stone = stone * 0.6f;  // the gutter along the walls
    return Mix(stone, Hex(0x000000), Clamp01(z / 16.f));
  });
  // The two rows of house fronts.
  for (int side = -1; side <= 1; side += 2) {
    const float X = side * W;
    const float jut = -0.35f * side;  // upper storeys lean out over the lane
    const Col plaster = Mix(s.pal.wall, s.pal.wallDark, side > 0 ? 0.45f : 0.1f);
    const Shader wallSh = Textured(Flat(plaster), 0.12f, 12, seed + 2);
    // Ground storey from the cobbles to y = -0.9, upper storeys above.
    s.cv.Fill(Poly({LPx(X, 0.9f), LPy(1, 0.9f), LPx(X, zEnd), LPy(1, zEnd), LPx(X, zEnd), LPy(-0.9f, zEnd),
                    LPx(X, 0.9f), LPy(-0.9f, 0.9f)}),
              wallSh);
    s.cv.Fill(Poly({LPx(X + jut, 0.9f), LPy(-0.9f, 0.9f), LPx(X + jut, zEnd), LPy(-0.9f, zEnd), LPx(X + jut, zEnd),
                    LPy(eave, zEnd), LPx(X + jut, 0.9f), LPy(eave, 0.9f)}),
              Textured(Flat(plaster * 1.05f), 0.12f, 12, seed + 3));
    // The underside of the overhang, in shadow.
    s.cv.Fill(Poly({LPx(X, 0.9f), LPy(-0.9f, 0.9f), LPx(X, zEnd), LPy(-0.9f, zEnd), LPx(X + jut, zEnd),
                    LPy(-0.9f, zEnd), LPx(X + jut, 0.9f), LPy(-0.9f, 0.9f)}),
              s.pal.wood * 0.35f);
    // Timbers: posts between the houses, beams along each storey.
    const Col beam = s.pal.wood * (side > 0 ? 0.45f : 0.6f);
    for (float z = 1.1f; z < zEnd; z *= 1.32f) {
      s.cv.Fill(Line(LPx(X, z), LPy(1, z), LPx(X, z), LPy(-0.9f, z), std::max(0.8f, 14.f / z)), beam);
      s.cv.Fill(Line(LPx(X + jut, z), LPy(-0.9f, z), LPx(X + jut, z), LPy(eave, z), std::max(0.8f, 12.f / z)), beam);
      // A window in each upper storey, a door or a shop sign below.
      const float z2 = z * 1.16f;
      const Col glass = e.Num("lit", blind ? 1 : 0) > 0 ? Hex(0xe8a850) : Hex(0x2a2e3a);
      s.cv.Fill(Poly({LPx(X + jut, z * 1.06f), LPy(-2.6f, z * 1.06f), LPx(X + jut, z2), LPy(-2.6f, z2),
                      LPx(X + jut, z2), LPy(-1.7f, z2), LPx(X + jut, z * 1.06f), LPy(-1.7f, z * 1.06f)}),
                glass);
      if (static_cast<int>(z * 10) % 3 == 0)
        s.cv.Fill(Poly({LPx(X, z * 1.06f), LPy(1, z * 1.06f), LPx(X, z2), LPy(1, z2), LPx(X, z2), LPy(-0.4f, z2),
                        LPx(X, z * 1.06f), LPy(-0.4f, z * 1.06f)}),
                  s.pal.wood * 0.5f);
    }
    for (float y : {-0.9f, -2.9f, eave})
      s.cv.Fill(
          Line(LPx(X + (y < -1 ? jut : 0), 0.9f), LPy(y, 0.9f), LPx(X + (y < -1 ? jut : 0), zEnd), LPy(y, zEnd), 2.5f),
          beam);
    // A sign hanging out over the lane.
    const float zs = 2.2f + side * 0.4f;
    s.cv.Fill(Line(LPx(X + jut, zs), LPy(-1.3f, zs), LPx(X + jut - side * 0.5f, zs), LPy(-1.3f, zs), 1.5f),
              Hex(0x2a2a2a));
    s.cv.Fill(Box(LPx(X + jut - side * 0.45f, zs) - 14, LPy(-1.3f, zs) + 2, LPx(X + jut - side * 0.45f, zs) + 14,
                  LPy(-1.3f, zs) + 30),
              side < 0 ? Hex(0x8a2a22) : Hex(0x2a4a6a));
  }
  // The end of the lane: a blank wall, or a bend where daylight falls in.
  const float ex0 = LPx(-W, zEnd), ex1 = LPx(W, zEnd), ey0 = LPy(eave, zEnd), ey1 = LPy(1, zEnd);
  if (blind) {
    s.cv.Fill(Box(ex0, ey0, ex1, ey1),
              Stones(Mix(s.pal.wall, s.pal.wallDark, 0.5f), s.pal.wallDark * 0.5f, 12, 6, seed + 5));
    s.cv.Fill(Box(ex0, ey1 - 3, ex1, ey1 + 2), Hex(0x000000), 0.4f, 3);
    for (int i = 0; i < 3; ++i)
      s.cv.Fill(Ellipse(ex0 + 14 + i * 10, ey1 - 6, 6, 7), Rounded(s.pal.wood, ex0 + 12 + i * 10, ey1 - 8, 6, 7));
  } else {
    s.cv.Fill(Box(ex0, ey0, ex1, ey1), Textured(Flat(Mix(s.pal.wall, s.pal.sun, 0.4f) * 1.1f), 0.1f, 8, seed + 6));
    s.cv.Fill(Box(ex0, ey0, ex0 + (ex1 - ex0) * 0.3f, ey1), s.pal.wallDark * 0.6f);
  }
}

// A person of the crowd: a coat, a pale face, an arm raised with a
// pitchfork, a torch or a fist.
void Villager(Scene& s, float x, float y, float k, int holds, Col coat, uint32_t seed) {
  s.cv.Fill(Poly({x - 15 * k, y, x + 15 * k, y, x + 11 * k, y - 62 * k, x - 11 * k, y - 62 * k}),
            Rounded(coat, x - 4 * k, y - 40 * k, 15 * k, 32 * k, 0.5f));
  s.cv.Fill(Circle(x, y - 70 * k, 9 * k), Rounded(Hex(0xd8a880), x - 2 * k, y - 72 * k, 9 * k, 9 * k));
  s.cv.Fill(Intersect(Circle(x, y - 72 * k, 10 * k), Box(x - 11 * k, y - 84 * k, x + 11 * k, y - 74 * k)),
            Hex(0x3a2a1a));
  s.cv.Fill(Line(x - 4 * k, y - 71 * k, x - 1 * k, y - 70 * k, 0.9f * k), Hex(0x1a0e08));
  s.cv.Fill(Line(x + 4 * k, y - 71 * k, x + 1 * k, y - 70 * k, 0.9f * k), Hex(0x1a0e08));
  const float hx = x + 16 * k, hy = y - 92 * k;
  s.cv.Fill(Capsule(x + 9 * k, y - 56 * k, hx, hy, 4 * k, 3 * k), coat * 0.85f);
  if (holds == 0) {
    s.cv.Fill(Line(hx + 2 * k, y - 20 * k, hx + 4 * k, hy - 40 * k, 1.6f * k), s.pal.wood);
    for (int i = -1; i <= 1; ++i)
      s.cv.Fill(Line(hx + 4 * k + i * 5 * k, hy - 40 * k, hx + 4 * k + i * 6 * k, hy - 58 * k, 1.1f * k),
                Hex(0x7a7a80));
    s.cv.Fill(Line(hx - 2 * k, hy - 40 * k, hx + 10 * k, hy - 40 * k, 1.2f * k), Hex(0x7a7a80));
  } else if (holds == 1) {
    s.cv.Fill(Line(hx, hy + 6 * k, hx + 2 * k, hy - 18 * k, 2 * k), s.pal.wood * 0.7f);
    Flame(s, hx + 2 * k, hy - 16 * k, 0.9f * k);
  } else {
    s.cv.Fill(Circle(hx, hy, 4 * k), Hex(0xd8a880));
  }
  (void)seed;
}

void Villagers(Scene& s, const Element& e) {
  const uint32_t seed = Sd(s, 511);
  Rng r(seed);
  const Col coats[] = {Hex(0x5a3a2a), Hex(0x3a4a5a), Hex(0x6a5a3a), Hex(0x4a2a3a), Hex(0x3a5a3a)};
  // Back rows first, smaller and further down the lane.
  const float z0 = e.Num("z", 1.7f);
  for (int row = 2; row >= 0; --row) {
    const float z = z0 + row * 0.6f, k = 2.3f / z, y = LPy(1, z);
    for (float x = -1.5f + (row % 2) * 0.3f; x <= 1.6f; x += 0.6f) {
      const float px = LPx(x, z) + r.Range(-6, 6);
      if (px < 190 && row == 0) continue;  // the near left stays clear
      Villager(s, px, y + r.Range(-3, 3), k * r.Range(0.9f, 1.1f), r.Int(0, 2), coats[r.Int(0, 4)],
               seed + static_cast<uint32_t>(px));
    }
  }
}

// A warm, flickering light over everything, as from many torches.
void Torchlight(Scene& s, const Element& e) {
  const float k = e.Num("k", 0.35f);
  const Col warm = Hex(0xff9a40);
  s.cv.Map([&](int x, int y, Col c) {
    const float f = k * (0.6f + 0.6f * Fbm(x / 70.f, y / 50.f, s.seed + 521, 2));
    return Mix(c, c * warm * 1.5f, Clamp01(f));
  });
  s.AddLight(e.Num("x", 400), e.Num("y", 180), 220, warm);
}

// Cracks running through an ice wall: dark seams with bright edges.
void Cracks(Scene& s, const Element& e) {
  const float x = e.Num("x", 420);
  const int n = static_cast<int>(e.Num("n", 5));
  Rng r(Sd(s, 531));
  auto crack = [&](float cx, float cy, int steps, float w) {
    for (int j = 0; j < steps; ++j) {
      const float nx = cx + r.Range(-16, 16), ny = cy + r.Range(12, 26);
      s.cv.Fill(Line(cx + 1.5f, cy, nx + 1.5f, ny, w), Hex(0xf4fcff), 0.9f);
      s.cv.Fill(Line(cx, cy, nx, ny, w), Hex(0x1a3a58));
      if (r.Uni() < 0.3f) {
        const float bx = nx + r.Range(-26, 26), by = ny + r.Range(4, 16);
        s.cv.Fill(Line(nx, ny, bx, by, w * 0.6f), Hex(0x2a4a68));
      }
      cx = nx;
      cy = ny;
    }
  };
  for (int i = 0; i < n; ++i) crack(x + r.Range(-140, 150), r.Range(-5, 60), r.Int(6, 11), r.Range(1.2f, 2.2f));
  for (int i = 0; i < 2; ++i) crack(r.Range(10, 110), r.Range(10, 60), r.Int(4, 8), 1.4f);
  // Chips of ice fallen at the foot of the cliffs.
  for (int i = 0; i < 12; ++i) {
    const float px = r.Range(200, 600), py = r.Range(295, 330), sz = r.Range(3, 9);
    s.cv.Fill(Poly({px - sz, py, px - sz * 0.3f, py - sz, px + sz, py - sz * 0.4f, px + sz * 0.6f, py + sz * 0.3f}),
              Linear(px - sz, 0, Hex(0xf0fbff), px + sz, 0, Hex(0x7ab0d0)));
  }
}

// ------------------------------------------------------------ mountain

// A sea of cloud far below, filling the picture from the horizon, and the
// rocky summit rising out of it in the front.
void CloudsBelow(Scene& s, const Element& e) {
  const float top = e.Num("y", s.horizon - 10), summit = e.Num("summit", 300);
  const uint32_t seed = Sd(s, 541);
  s.cv.Map([&](int x, int y, Col c) {
    const float n = Fbm(x / 90.f, y / 25.f, seed, 4);
    const float crest = top + 18 * (Fbm(x / 70.f, 0.5f, seed + 1, 3) - 0.5f) * 2;
    if (y < crest) return c;
    const float t = Clamp01((y - crest) / 120.f);
    const Col lit = Hex(0xfbfcff), shade = Mix(s.pal.skyTop, Hex(0xc8d2e4), 0.6f);
    const float billow = Fbm(x / 35.f, (y - crest) / 18.f, seed + 2, 4);
    return Mix(lit, shade, Clamp01(0.2f + 0.6f * billow - 0.15f * t + 0.25f * n));
  });
  // Billowing tops along the crest.
  Rng r(seed + 3);
  for (float x = -20; x < 620; x += r.Range(30, 60)) {
    const float rad = r.Range(18, 40), cy = top + r.Range(2, 26);
    s.cv.Fill(Ellipse(x, cy, rad * 1.8f, rad * 0.55f),
              Linear(0, cy - rad * 0.55f, Hex(0xffffff), 0, cy + rad * 0.5f, Hex(0xc4cedc)), 0.75f, rad * 0.35f);
  }
  // The summit.
  s.horizon = summit;
  Shape rock = Rough(
      Poly({-5, summit + 20, 120, summit + 4, 260, summit - 6, 420, summit - 16, 605, summit - 4, 605, 380, -5, 380}),
      6, 24, seed + 4);
  s.cv.Fill(rock, [&](float x, float y) {
    const float t = Clamp01((y - summit + 20) / 90.f);
    return Mix(s.pal.rock * 1.2f, s.pal.rockDark, 0.2f + 0.4f * t) *
           (0.7f + 0.5f * Fbm(x / 30.f, y / 10.f, seed + 5, 4));
  });
  for (int i = 0; i < 10; ++i) {
    const float y = r.Range(summit + 10, 370), x = r.Range(180, 600), t = (y - summit) / 80.f;
    Boulder(s, x, y, (5 + 9 * t) * r.Range(0.7f, 1.3f), 4 + 5 * t, Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.4f));
  }
  // Patches of old snow in the hollows.
  for (int i = 0; i < 6; ++i) {
    const float x = r.Range(180, 600), y = r.Range(summit + 5, 340);
    s.cv.Fill(Rough(Ellipse(x, y, r.Range(10, 24), r.Range(2, 4)), 2, 6, seed + 6u + static_cast<uint32_t>(i)),
              Hex(0xe4eaf2), 0.6f, 3);
  }
}

// A throne hewn out of the mountain's rock: a towering back, arms and a
// broad seat over a flight of rough steps.
void ThroneRock(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 300), k = e.Num("s", 0.8f);
  const uint32_t seed = Sd(s, 551);
  const Col c = s.pal.rock, d = s.pal.rockDark;
  auto sh = [&](float shade) { return RockShader(c * shade, d, x - 120 * k, 240 * k, seed); };
  s.cv.Fill(Ellipse(x + 10 * k, y + 6, 150 * k, 16 * k), Hex(0x000000), 0.3f, 8);
  s.cv.Fill(Rough(Poly({x - 80 * k, y - 100 * k, x - 72 * k, y - 240 * k, x - 30 * k, y - 275 * k, x + 20 * k,
                        y - 282 * k, x + 66 * k, y - 250 * k, x + 80 * k, y - 100 * k}),
                  5, 14, seed + 1),
            sh(1.f));
  // The carved panel of the back, a shade deeper.
  s.cv.Fill(Rough(Poly({x - 55 * k, y - 110 * k, x - 50 * k, y - 225 * k, x - 5 * k, y - 250 * k, x + 48 * k,
                        y - 225 * k, x + 55 * k, y - 110 * k}),
                  3, 10, seed + 2),
            sh(0.75f));
  // Seat and arms.
  s.cv.Fill(Rough(Box(x - 85 * k, y - 108 * k, x + 85 * k, y - 60 * k), 3, 10, seed + 3), sh(1.05f));
  s.cv.Fill(Rough(Box(x - 80 * k, y - 112 * k, x + 80 * k, y - 100 * k), 2, 8, seed + 4), c * 1.35f);
  for (int side = -1; side <= 1; side += 2) {
    const float ax = x + side * 100 * k;
    s.cv.Fill(Rough(Box(ax - 24 * k, y - 150 * k, ax + 24 * k, y - 40 * k, 8 * k), 3, 10,
                    seed + 5u + static_cast<uint32_t>(side + 1)),
              sh(side < 0 ? 1.15f : 0.8f));
    s.cv.Fill(Rough(Ellipse(ax, y - 150 * k, 28 * k, 10 * k), 2, 6, seed + 8), c * (side < 0 ? 1.3f : 1.f));
  }
  // Steps.
  for (int i = 0; i < 3; ++i) {
    const float sy = y - 60 * k + i * 20 * k, sw = (95 + i * 22) * k;
    s.cv.Fill(Rough(Box(x - sw, sy, x + sw, sy + 20 * k), 3, 10, seed + 10u + static_cast<uint32_t>(i)),
              sh(0.9f + 0.08f * i));
    s.cv.Fill(Box(x - sw, sy, x + sw, sy + 3 * k), c * 1.3f, 0.7f);
  }
}

// The god's presence about his throne: a sunburst behind it, a crackle of
// lightning in the sky and a wash of golden light.
void God(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 300) - 190;
  const Col gold = Hex(0xffe6a0);
  for (int i = 0; i < 18; ++i) {
    const float a = i * 6.283f / 18 + 0.1f, a2 = a + 0.09f;
    s.cv.Fill(
        Poly({x, y, x + std::cos(a) * 420, y + std::sin(a) * 420, x + std::cos(a2) * 420, y + std::sin(a2) * 420}),
        gold, 0.16f, 10);
  }
  s.cv.Fill(Circle(x, y, 60), gold, 0.3f, 40);
  s.AddLight(x, y - 20, 140, Hex(0xffd890));
  // A bolt of lightning forking down from a dark cloud.
  const float lx = e.Num("bolt", 140);
  s.cv.Fill(Rough(Ellipse(lx + 10, 30, 110, 30), 8, 20, Sd(s, 561)), Hex(0x5a6070), 0.85f, 8);
  Rng r(Sd(s, 562));
  float px = lx, py = 45;
  for (int i = 0; i < 7; ++i) {
    const float nx = px + r.Range(-18, 14), ny = py + r.Range(14, 24);
    s.cv.Fill(Line(px, py, nx, ny, 4), Hex(0xbfd8ff), 0.5f, 4);
    s.cv.Fill(Line(px, py, nx, ny, 1.4f), Hex(0xffffff));
    if (i == 3) s.cv.Fill(Line(nx, ny, nx + 26, ny + 20, 1), Hex(0xf0f6ff));
    px = nx;
    py = ny;
  }
  s.AddLight(lx, 80, 90, Hex(0xc0d8ff));
}

// A shepherd's bothy of dry stone with a slab roof, its door gone.
void Bothy(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 280), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 571);
  const float w = 62 * k, h = 52 * k, side = 42 * k;
  s.cv.Fill(Ellipse(x + 20 * k, y + 3, 100 * k, 10 * k), Hex(0x000000), 0.3f, 6);
  // Gable end facing us, the long side running off to the right.
  s.cv.Fill(Poly({x + w, y, x + w + side, y - 14 * k, x + w + side, y - h - 14 * k, x + w, y - h}),
            Stones(s.pal.rock * 0.6f, s.pal.rockDark * 0.5f, 11 * k, 7 * k, seed));
  s.cv.Fill(Box(x - w, y - h, x + w, y), Stones(s.pal.rock * 1.05f, s.pal.rockDark * 0.6f, 12 * k, 7 * k, seed + 1));
  s.cv.Fill(Poly({x - w - 6 * k, y - h + 2, x, y - h - 48 * k, x + w + 6 * k, y - h + 2}),
            Stones(s.pal.rock * 0.95f, s.pal.rockDark * 0.6f, 12 * k, 7 * k, seed + 2));
  s.cv.Fill(Poly({x, y - h - 48 * k, x + side, y - h - 62 * k, x + w + side + 8 * k, y - h - 12 * k, x + w + 6 * k,
                  y - h + 2}),
            Textured(Linear(x, y - h - 50 * k, Hex(0x5a5e66), x + w, y - h, Hex(0x3a3c44)), 0.25f, 4, seed + 3));
  for (float t = 0.2f; t < 1; t += 0.2f)
    s.cv.Fill(Line(x + (w + 6 * k) * t, y - h + 2 - 50 * k * (1 - t), x + (w + 6 * k) * t + side,
                   y - h + 2 - 50 * k * (1 - t) - 14 * k, 0.8f),
              Hex(0x22242a));
  // The empty doorway and a little window.
  s.cv.Fill(Box(x - 14 * k, y - 38 * k, x + 14 * k, y), Linear(0, y - 38 * k, Hex(0x0c0a08), 0, y, Hex(0x201a14)));
  s.cv.Fill(Box(x - 16 * k, y - 42 * k, x + 16 * k, y - 37 * k), s.pal.wood * 0.6f);
  s.cv.Fill(Box(x + 30 * k, y - 34 * k, x + 42 * k, y - 24 * k), Hex(0x100c0a));
  // A low sheepfold wall running out to the left.
  s.cv.Fill(Rough(Box(x - w - 130 * k, y - 16 * k, x - w, y + 2), 2, 6, seed + 4),
            Stones(s.pal.rock * 0.9f, s.pal.rockDark * 0.5f, 9 * k, 6 * k, seed + 5));
}

// A ring of stones round cold ash and charred sticks, a tripod over it.
void Firepit(Scene& s, const Element& e) {
  const float x = e.Num("x", 235), y = e.Num("y", 305), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 581);
  s.cv.Fill(Ellipse(x, y, 46 * k, 14 * k), Textured(Flat(Hex(0x5a5650)), 0.4f, 3, seed));
  s.cv.Fill(Ellipse(x, y, 30 * k, 8 * k), Textured(Flat(Hex(0x9a968e)), 0.4f, 2, seed + 1));
  s.cv.Fill(Line(x - 22 * k, y + 2, x + 16 * k, y - 4, 3 * k), Hex(0x1e1a16));
  s.cv.Fill(Line(x - 10 * k, y - 5, x + 20 * k, y + 3, 2.6f * k), Hex(0x2a2420));
  for (int i = 0; i < 12; ++i) {
    const float a = i * 6.283f / 12;
    Boulder(s, x + std::cos(a) * 48 * k, y + std::sin(a) * 15 * k, 9 * k, 7 * k,
            Mix(s.pal.rock, s.pal.rockDark, (i % 3) * 0.2f));
  }
  for (int i = 0; i < 3; ++i) {
    const float a = 1.9f + i * 2.1f;
    s.cv.Fill(Line(x + std::cos(a) * 40 * k, y + std::sin(a) * 12 * k, x, y - 62 * k, 1.6f * k), s.pal.wood * 0.8f);
  }
  s.cv.Fill(Line(x, y - 62 * k, x, y - 34 * k, 0.7f), Hex(0x2a2a2a));
  s.cv.Fill(Ellipse(x, y - 26 * k, 10 * k, 8 * k), Rounded(Hex(0x34343a), x - 3 * k, y - 28 * k, 10 * k, 8 * k));
}

// ------------------------------------------------------------ tunnels

// The mouth of a tunnel in the back wall of a cave, shored with timber.
void TunnelMouth(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 240), w = e.Num("w", 60), h = e.Num("h", 140);
  const uint32_t seed = Sd(s, 591);
  s.cv.Fill(
      Rough(Union(Box(x - w - 10, y - h + w, x + w + 10, y + 4), Ellipse(x, y - h + w, w + 10, w + 6)), 5, 12, seed),
      s.pal.rockDark * 0.8f);
  s.cv.Fill(Rough(Union(Box(x - w, y - h + w, x + w, y), Ellipse(x, y - h + w, w, w)), 3, 10, seed + 1),
            [&](float px, float py) {
              const float d = std::hypot((px - x) / w, (py - (y - 40)) / (h * 0.8f));
              return Mix(Hex(0x040302), s.pal.rockDark * 0.7f, Clamp01(d * d * 0.8f));
            });
  // Props and a cap beam.
  const Col wood = s.pal.wood * 0.9f;
  for (int side = -1; side <= 1; side += 2) {
    const float px = x + side * (w - 6);
    s.cv.Fill(Box(px - 6, y - h + 18, px + 6, y + 2),
              Planks(side < 0 ? wood * 1.1f : wood * 0.7f, 40, false, seed + 2));
  }
  s.cv.Fill(Box(x - w - 10, y - h + 8, x + w + 10, y - h + 22), Planks(wood, 8, false, seed + 3));
  // The floor running in.
  s.cv.Fill(Poly({x - w + 10, y, x + w - 10, y, x + w + 40, y + 40, x - w - 40, y + 40}),
            Mix(s.pal.floor, s.pal.floorDark, 0.4f), 0.6f, 10);
}

// A barrel standing on end.
void Barrel(Scene& s, const Element& e) {
  const float x = e.Num("x", 520), y = e.Num("y", 320), k = e.Num("s", 1.2f);
  const uint32_t seed = Sd(s, 601);
  s.cv.Fill(Ellipse(x + 6 * k, y, 30 * k, 6 * k), Hex(0x000000), 0.4f, 5);
  Shape body = Intersect(Ellipse(x, y - 30 * k, 30 * k, 44 * k), Box(x - 40 * k, y - 60 * k, x + 40 * k, y));
  s.cv.Fill(body, [=](float px, float py) {
    const float stave =
        0.85f +
        0.2f * (std::fmod(px / (7 * k) + 100, 1.f) < 0.1f ? -1.f : Noise(std::floor(px / (7 * k)), py / 50, seed));
    const float lit = Clamp01(0.8f - (px - x + 10 * k) / (40 * k));
    return s.pal.wood * (0.45f + 0.8f * lit) * stave;
  });
  s.cv.Fill(Ellipse(x, y - 60 * k, 25 * k, 6 * k), Mix(s.pal.wood, s.pal.floor, 0.4f) * 1.1f);
  for (float hy : {y - 52 * k, y - 32 * k, y - 8 * k})
    s.cv.Fill(Intersect(Box(x - 40 * k, hy - 2.5f * k, x + 40 * k, hy + 2.5f * k), body),
              Linear(x - 30 * k, 0, Hex(0x6a6a70), x + 30 * k, 0, Hex(0x1a1a1e)));
}

// A flat wall of rock filling the tunnel ahead.
void Rockface(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 250);
  const uint32_t seed = Sd(s, 611);
  const Col c = s.pal.rock * 0.95f;
  Shape face = Rough(Intersect(Ellipse(x, y - 80, 200, 190), Box(x - 220, y - 280, x + 220, y)), 8, 20, seed);
  s.cv.Fill(face, [&](float px, float py) {
    const float strata = Fbm(px / 70.f, py / 14.f, seed + 1, 4);
    const float lit = Clamp01(0.9f - (px - x + 150) / 500.f);
    return Mix(c * 0.5f, c, lit) * (0.6f + 0.7f * strata) * (0.9f + 0.2f * Noise(px / 6.f, py / 6.f, seed + 3));
  });
  // A great slab with straight edges stands within it, as if set there.
  s.cv.Fill(Cut(Box(x - 95, y - 190, x + 105, y + 1, 4), Box(x - 92, y - 187, x + 102, y + 1, 3)), Hex(0x140e0a), 0.35f,
            2);
  s.cv.Fill(Box(x - 100, y - 2, x + 110, y + 10), Hex(0x000000), 0.35f, 6);
  // Rubble at its foot.
  Rng r(seed + 2);
  for (int i = 0; i < 8; ++i)
    Boulder(s, r.Range(x - 180, x + 200), y + r.Range(2, 18), r.Range(6, 14), r.Range(4, 9),
            Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.5f));
}

// A round hole carved into the rock, ringed with cut marks.
void RoundHole(Scene& s, const Element& e) {
  const float x = e.Num("x", 360), y = e.Num("y", 170), r = e.Num("r", 15);
  s.cv.Fill(Circle(x, y, r + 10), s.pal.rock * 1.3f, 0.8f, 2);
  s.cv.Fill(Cut(Circle(x, y, r + 10), Circle(x, y, r + 8)), s.pal.rockDark * 0.6f);
  for (int i = 0; i < 16; ++i) {
    const float a = i * 6.283f / 16;
    s.cv.Fill(Line(x + std::cos(a) * (r + 12), y + std::sin(a) * (r + 12), x + std::cos(a) * (r + 18),
                   y + std::sin(a) * (r + 18), 1.2f),
              s.pal.rockDark * 0.6f);
  }
  s.cv.Fill(Circle(x, y, r + 2), s.pal.rockDark * 0.5f);
  s.cv.Fill(Circle(x + 1, y + 1, r), Linear(x - r, y - r, Hex(0x020202), x + r, y + r, Hex(0x2a2018)));
}

// Clusters of pale fungus on the tunnel walls, glowing green.
void Fungus(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 11));
  Rng r(Sd(s, 621));
  const Col glow = Hex(0x9af0c0), deep = Hex(0x3aa080);
  // Spots on both walls; the near left, where people stand, is kept clear.
  for (int i = 0; i < n; ++i) {
    float x, y;
    if (i % 2 == 0) {
      x = r.Range(180, 290);
      y = r.Range(60, 280);
    } else {
      x = r.Range(440, 590);
      y = r.Range(50, 330);
    }
    const int caps = r.Int(4, 8);
    for (int j = 0; j < caps; ++j) {
      const float cx = x + r.Range(-18, 18), cy = y + r.Range(-12, 12), w = r.Range(4, 10), hh = w * 0.6f;
      s.cv.Fill(Line(cx, cy, cx + r.Range(-2, 2), cy + hh * 1.6f, w * 0.18f), Mix(glow, Hex(0xffffff), 0.3f), 0.9f);
      s.cv.Fill(Intersect(Ellipse(cx, cy, w, hh), Box(cx - w, cy - hh, cx + w, cy + 1)),
                Linear(0, cy - hh, glow * 1.1f, 0, cy, deep));
    }
    s.AddLight(x, y, 55, Hex(0x60e0a0));
  }
  // Tiny glowing specks between the clusters.
  for (int i = 0; i < 80; ++i) {
    const float x = r.Range(170, 600), y = r.Range(30, 340);
    if (x > 300 && x < 430 && y > 120 && y < 240) continue;
    s.cv.Fill(Circle(x, y, r.Range(0.6f, 1.6f)), glow, r.Range(0.4f, 0.9f));
  }
}

// A hoard of gold: a heap of coins, cups, a crown and gems, glinting.
void Treasure(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 292), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 631);
  const Col gold = Hex(0xe0b040);
  s.cv.Fill(Ellipse(x, y, 135 * k, 14 * k), Hex(0x000000), 0.35f, 8);
  Shape heap =
      Rough(Intersect(Ellipse(x, y, 125 * k, 62 * k), Box(x - 130 * k, y - 70 * k, x + 130 * k, y)), 4, 16, seed);
  s.cv.Fill(heap, [=](float px, float py) {
    const float lit = Clamp01(0.8f - (px - x) / (250 * k) - (py - y + 60 * k) / (120 * k));
    const float coin = Noise(px / 3.f, py / 2.f, seed + 1);
    return Mix(Hex(0x6a4a10), gold * 1.2f, lit) * (0.75f + 0.5f * coin);
  });
  Rng r(seed + 2);
  for (int i = 0; i < 160; ++i) {
    const float a = r.Range(3.2f, 6.2f), d = std::sqrt(r.Uni());
    const float cx = x + std::cos(a) * 120 * k * d, cy = y + std::sin(a) * 58 * k * d;
    s.cv.Fill(Ellipse(cx, cy, 3.2f * k, 1.8f * k),
              Linear(cx - 3, cy - 2, Hex(0xfff0a0), cx + 3, cy + 2, Hex(0xa07818)));
  }
  // Coins spilled on the floor to the sides.
  for (int i = 0; i < 30; ++i) {
    const float cx = x + r.Range(-150, 150) * k, cy = y + r.Range(-4, 8);
    s.cv.Fill(Ellipse(cx, cy, 3 * k, 1.5f * k), gold);
  }
  // A goblet, a crown and gems.
  const float gx = x - 60 * k, gy = y - 42 * k;
  s.cv.Fill(
      Poly({gx - 10 * k, gy - 24 * k, gx + 10 * k, gy - 24 * k, gx + 4 * k, gy - 10 * k, gx - 4 * k, gy - 10 * k}),
      Linear(gx - 10 * k, 0, Hex(0xfff0a0), gx + 10 * k, 0, Hex(0x8a6010)));
  s.cv.Fill(Box(gx - 1.5f * k, gy - 11 * k, gx + 1.5f * k, gy), Hex(0xc09030));
  s.cv.Fill(Ellipse(gx, gy, 7 * k, 2 * k), Hex(0xc09030));
  const float cx = x + 30 * k, cy = y - 56 * k;
  s.cv.Fill(Poly({cx - 18 * k, cy, cx - 18 * k, cy - 16 * k, cx - 9 * k, cy - 6 * k, cx, cy - 20 * k, cx + 9 * k,
                  cy - 6 * k, cx + 18 * k, cy - 16 * k, cx + 18 * k, cy}),
            Linear(cx - 18 * k, 0, Hex(0xffe890), cx + 18 * k, 0, Hex(0x9a7020)));
  const Col gems[] = {Hex(0xd02040), Hex(0x3060e0), Hex(0x30c060), Hex(0xa040d0)};
  for (int i = 0; i < 9; ++i) {
    const float a = r.Range(3.4f, 6.0f), d = r.Range(0.2f, 0.9f);
    const float px = x + std::cos(a) * 110 * k * d, py = y + std::sin(a) * 50 * k * d;
    s.cv.Fill(Poly({px, py - 4 * k, px + 4 * k, py, px, py + 4 * k, px - 4 * k, py}),
              Rounded(gems[i % 4], px - 1, py - 1, 4 * k, 4 * k, 0.6f));
  }
  for (int i = 0; i < 4; ++i) Sparkle(s, x + r.Range(-90, 90) * k, y - r.Range(10, 50) * k, 0.5f, Hex(0xfffbe0));
  s.AddLight(x, y - 30 * k, 160 * k, Hex(0xffc850));
}

// Pitch black: a darkness that swallows the passage ahead, its edge smoky.
void Blackness(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 175), rad = e.Num("r", 190);
  const uint32_t seed = Sd(s, 641);
  s.cv.Map([&](int px, int py, Col c) {
    const float d = std::hypot((px - x) / 1.2f, py - y) + 50 * (Fbm(px / 40.f, py / 40.f, seed, 4) - 0.5f);
    return c * Smooth(rad * 0.45f, rad, d);
  });
}

// Old iron torch holders along both walls of a passage, empty and rusted.
void TorchHolders(Scene& s, const Element& e) {
  const float vx = e.Num("x", 340), vy = e.Num("y", 170);
  for (float t : {0.1f, 0.32f, 0.52f, 0.68f}) {
    const float rx = 330 * (1 - t) + 24, ry = 250 * (1 - t) + 30;
    const float cx = 300 + (vx - 300) * t, cy = 200 + (vy - 200) * t;
    const float k = 2.1f * (1 - t) + 0.4f;
    for (int side = -1; side <= 1; side += 2) {
      if (side < 0 && t < 0.2f) continue;  // keep the near left clear
      const float x = cx + side * rx * 0.82f, y = cy - ry * 0.3f;
      const Col iron = Hex(0x7a6050) * (1.3f - t * 0.6f);
      s.cv.Fill(Box(x - 3 * k, y - 10 * k, x + 3 * k, y + 10 * k), iron * 0.8f);
      s.cv.Fill(Line(x, y, x - side * 14 * k, y - 6 * k, 2 * k), iron);
      s.cv.Fill(Poly({x - side * 8 * k, y - 8 * k, x - side * 22 * k, y - 12 * k, x - side * 18 * k, y - 2 * k,
                      x - side * 12 * k, y - 2 * k}),
                iron * 1.2f);
      s.cv.Fill(Box(x - side * 17 * k - 2 * k, y - 20 * k, x - side * 15 * k + 2 * k, y - 10 * k), Hex(0x1e1612));
      // A cobweb strung from the bracket.
      s.cv.Fill(Line(x - side * 20 * k, y - 12 * k, x - side * 6 * k, y - 32 * k, 0.4f), Hex(0xc8c8c0), 0.4f);
      s.cv.Fill(Line(x - side * 20 * k, y - 12 * k, x + side * 2 * k, y - 26 * k, 0.4f), Hex(0xc8c8c0), 0.4f);
    }
  }
}

// A rack of weapons on the wall: spears, swords, an axe and a round shield.
void Weapons(Scene& s, const Element& e) {
  const float x = e.Num("x", 410), y = e.Num("y", 150), k = e.Num("s", 1);
  const Col steel = Hex(0xa8acb4), wood = s.pal.wood;
  s.cv.Fill(Box(x - 55 * k, y - 62 * k, x + 55 * k, y - 54 * k), wood * 0.8f);
  s.cv.Fill(Box(x - 55 * k, y + 36 * k, x + 55 * k, y + 44 * k), wood * 0.8f);
  for (int i = 0; i < 3; ++i) {
    const float sx = x - 44 * k + i * 14 * k;
    s.cv.Fill(Line(sx, y + 60 * k, sx, y - 80 * k, 1.8f * k), wood * 1.1f);
    s.cv.Fill(Poly({sx - 4 * k, y - 80 * k, sx, y - 98 * k, sx + 4 * k, y - 80 * k}),
              Linear(sx - 4 * k, 0, steel * 1.2f, sx + 4 * k, 0, steel * 0.5f));
  }
  for (int i = 0; i < 2; ++i) {
    const float sx = x + 2 * k + i * 13 * k;
    s.cv.Fill(Poly({sx - 2.5f * k, y - 50 * k, sx + 2.5f * k, y - 50 * k, sx + 2.5f * k, y + 20 * k, sx, y + 26 * k,
                    sx - 2.5f * k, y + 20 * k}),
              Linear(sx - 3 * k, 0, steel * 1.3f, sx + 3 * k, 0, steel * 0.6f));
    s.cv.Fill(Box(sx - 8 * k, y - 52 * k, sx + 8 * k, y - 48 * k), Hex(0x8a7030));
    s.cv.Fill(Box(sx - 1.5f * k, y - 66 * k, sx + 1.5f * k, y - 52 * k), Hex(0x4a2a1a));
  }
  // The axe.
  s.cv.Fill(Line(x + 36 * k, y + 40 * k, x + 36 * k, y - 50 * k, 2 * k), wood);
  s.cv.Fill(Poly({x + 36 * k, y - 46 * k, x + 52 * k, y - 56 * k, x + 54 * k, y - 28 * k, x + 36 * k, y - 34 * k}),
            Linear(x + 36 * k, 0, steel * 0.7f, x + 54 * k, 0, steel * 1.3f));
  // The shield hung below the rack.
  const float bx = x - 20 * k, by = y + 8 * k;
  s.cv.Fill(Circle(bx, by, 20 * k), Rounded(Hex(0x7a2a22), bx - 4 * k, by - 4 * k, 20 * k, 20 * k));
  s.cv.Fill(Cut(Circle(bx, by, 20 * k), Circle(bx, by, 17 * k)), Hex(0x6a6a70));
  s.cv.Fill(Circle(bx, by, 5 * k), Rounded(Hex(0xb0b0b8), bx - 1, by - 1, 5 * k, 5 * k));
}

// A wooden crate seen a little from above; a broken one has staves stove in.
void Crate(Scene& s, float x, float y, float sz, bool broken, uint32_t seed) {
  const Col wood = s.pal.wood * 1.2f;
  const float top = sz * 0.35f;
  s.cv.Fill(Ellipse(x + sz * 0.2f, y, sz * 0.8f, sz * 0.12f), Hex(0x000000), 0.3f, 5);
  s.cv.Fill(Box(x - sz / 2, y - sz, x + sz / 2, y), Planks(wood, sz / 4, false, seed));
  s.cv.Fill(Poly({x + sz / 2, y, x + sz / 2 + top, y - top * 0.6f, x + sz / 2 + top, y - sz - top * 0.6f, x + sz / 2,
                  y - sz}),
            Planks(wood * 0.6f, sz / 4, false, seed + 1));
  s.cv.Fill(Poly({x - sz / 2, y - sz, x + sz / 2, y - sz, x + sz / 2 + top, y - sz - top * 0.6f, x - sz / 2 + top,
                  y - sz - top * 0.6f}),
            Planks(wood * 1.2f, sz / 4, true, seed + 2));
  const Col frame = wood * 0.6f;
  s.cv.Fill(Line(x - sz / 2 + 3, y - 3, x + sz / 2 - 3, y - sz + 3, sz * 0.04f), frame);
  for (float fx : {x - sz / 2 + 2, x + sz / 2 - 2}) s.cv.Fill(Line(fx, y, fx, y - sz, sz * 0.035f), frame);
  if (broken) {
    s.cv.Fill(Poly({x - sz * 0.3f, y - sz * 0.75f, x + sz * 0.25f, y - sz * 0.8f, x + sz * 0.3f, y - sz * 0.35f,
                    x + sz * 0.05f, y - sz * 0.45f, x - sz * 0.2f, y - sz * 0.3f}),
              Hex(0x120c08));
    s.cv.Fill(Poly({x - sz * 0.3f, y - sz * 0.75f, x - sz * 0.05f, y - sz * 0.76f, x - sz * 0.22f, y - sz * 0.64f}),
              wood * 0.8f);
    s.cv.Fill(Line(x - sz * 0.2f, y - sz * 0.3f, x + sz * 0.3f, y - sz * 0.55f, sz * 0.05f), wood * 0.9f);
    s.cv.Fill(Line(x + sz * 0.6f, y + 2, x + sz * 1.1f, y - sz * 0.15f, sz * 0.06f), wood);
  }
}

void Crates(Scene& s, const Element& e) {
  const float x = e.Num("x", 520), y = e.Num("y", 295), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 651) + static_cast<uint32_t>(x);
  Crate(s, x, y, 60 * k, true, seed);
  Crate(s, x - 62 * k, y - 4, 52 * k, false, seed + 5);
  Crate(s, x - 30 * k, y - 56 * k, 46 * k, e.Num("top", 0) > 0, seed + 9);
}

// Lengths of squared timber lying across each other, end grain showing.
void Timber(Scene& s, const Element& e) {
  const float x = e.Num("x", 530), y = e.Num("y", 345), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 661);
  const float ang[] = {-0.12f, 0.05f, -0.3f};
  for (int i = 0; i < 3; ++i) {
    const float cx = x + (i - 1) * 18 * k, cy = y - i * 12 * k, a = ang[i], len = 90 * k;
    const float dx = std::cos(a) * len, dy = std::sin(a) * len, th = 9 * k;
    s.cv.Fill(Capsule(cx - dx, cy - dy + th, cx + dx, cy + dy + th, th * 0.5f, th * 0.5f), Hex(0x000000), 0.3f, 4);
    s.cv.Fill(Poly({cx - dx, cy - dy - th, cx + dx, cy + dy - th, cx + dx, cy + dy + th, cx - dx, cy - dy + th}),
              Planks(s.pal.wood * (1.1f - 0.1f * i), 4 * k, false, seed + static_cast<uint32_t>(i)));
    s.cv.Fill(Poly({cx - dx, cy - dy - th, cx + dx, cy + dy - th, cx + dx, cy + dy - th + 3 * k, cx - dx,
                    cy - dy - th + 3 * k}),
              s.pal.wood * 1.4f);
    const float ex = cx - dx, ey = cy - dy;
    s.cv.Fill(Box(ex - 6 * k, ey - th, ex + 3 * k, ey + th), Mix(s.pal.wood, Hex(0xd8b080), 0.5f));
    for (float rr : {3.f, 6.f})
      s.cv.Fill(Cut(Ellipse(ex - 1.5f * k, ey, rr * 0.5f * k, rr * k),
                    Ellipse(ex - 1.5f * k, ey, (rr * 0.5f - 0.6f) * k, (rr - 1) * k)),
                s.pal.wood * 0.7f);
  }
}

// Spray and mist rising from rushing water at the foot of a sloping tunnel.
void Spray(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 230);
  Rng r(Sd(s, 671));
  s.cv.Fill(Rough(Ellipse(x, y + 6, 26, 12), 2, 6, Sd(s, 672)),
            Linear(0, y - 6, Hex(0xdfeef6), 0, y + 18, Hex(0x4a7a9a)));
  for (int i = 0; i < 26; ++i) {
    const float px = x + r.Range(-60, 60), py = y + r.Range(-70, 10), rad = r.Range(10, 30);
    s.cv.Fill(Circle(px, py, rad), Hex(0xdce8f0), 0.18f, rad * 0.7f);
  }
  for (int i = 0; i < 40; ++i) {
    const float px = x + r.Range(-45, 45), py = y + r.Range(-40, 10);
    s.cv.Fill(Circle(px, py, r.Range(0.6f, 1.5f)), Hex(0xf4faff), 0.9f);
  }
  s.AddLight(x, y - 10, 110, Hex(0xa0c8e0));
  // The wet floor gleams towards the water.
  for (int i = 0; i < 5; ++i) {
    const float t = r.Range(0.15f, 0.9f), px = x + (r.Uni() - 0.5f) * 260 * t, py = y + 20 + t * (370 - y - 20);
    if (px > 270 && px < 470 && py > 295) continue;
    s.cv.Fill(Ellipse(px, py, 14 * t + 3, 2 * t + 1), Hex(0xb8d8ec), 0.35f, 2);
  }
}

// A river far down in a chasm: a pale twisting ribbon of foam in the dark.
void RiverDeep(Scene& s, const Element& e) {
  const float y0 = e.Num("y", 280), hw = e.Num("w", 6);
  const uint32_t seed = Sd(s, 681);
  s.cv.Map([&](int x, int y, Col c) {
    const float cy = y0 + 7 * std::sin(x / 60.f) + 4 * (Fbm(x / 30.f, 0.5f, seed, 2) - 0.5f);
    const float w = hw * (0.8f + 0.5f * Fbm(x / 40.f, 2.5f, seed + 1, 2));
    const float d = std::fabs(y - cy);
    if (d > w + 10) return c;
    // Spray hanging over the water.
    if (d > w) return Mix(c, Hex(0x6a8a9a), 0.25f * (1 - (d - w) / 10));
    const float foam = Fbm(x / 6.f, y / 2.f, seed + 2, 3);
    return Mix(Hex(0x1a3a4a), Hex(0xc8e0ea), Smooth(0.4f, 0.75f, foam)) * 0.85f;
  });
  s.AddLight(300, y0, 180, Hex(0x5a8aa0));
}

// The far side of a chasm: a ledge and the dark opening of the tunnel that
// goes on from it.
void FarLedge(Scene& s, const Element& e) {
  const float x = e.Num("x", 520), y = e.Num("y", 225);
  const uint32_t seed = Sd(s, 691);
  s.cv.Fill(Rough(Union(Box(x - 40, y - 70, x + 40, y), Ellipse(x, y - 70, 40, 36)), 4, 10, seed),
            Linear(0, y - 100, Hex(0x040302), 0, y, Hex(0x1a1410)));
  s.cv.Fill(Rough(Poly({x - 110, y - 2, x + 100, y - 4, 605, y - 2, 605, y + 10, x - 90, y + 10}), 2, 8, seed + 1),
            s.pal.rock * 1.25f);
  // The near side's lip, from which the tunnel would go on across the gap.
  s.cv.Fill(Rough(Poly({-5, 312, 605, 318, 605, 380, -5, 380}), 4, 16, seed + 2), [&](float px, float py) {
    return Mix(s.pal.rock * 1.1f, s.pal.rockDark, Clamp01((py - 312) / 70.f)) *
           (0.75f + 0.45f * Fbm(px / 25.f, py / 8.f, seed + 3, 3));
  });
}

// A wall of dressed stone closing the passage, smooth and close fitted.
// With 'drop', the ledge in front falls away into the chasm on the right.
void BlankWall(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 210), w = e.Num("w", 150), h = e.Num("h", 175);
  const uint32_t seed = Sd(s, 701);
  s.cv.Fill(Box(x - w - 6, y - h - 6, x + w + 6, y + 2), s.pal.rockDark * 0.6f, 0.9f, 6);
  s.cv.Fill(Box(x - w, y - h, x + w, y), [&](float px, float py) {
    const Col c = Stones(s.pal.rock * 1.1f, s.pal.rockDark * 0.7f, 60, 30, seed)(px, py);
    return c * (0.85f + 0.3f * Clamp01((x + w - px) / (2 * w)));
  });
  // The ledge: a strip of rock floor in front of the wall.
  s.cv.Fill(Rough(Poly({x - w - 200, y, x + w + 40, y, 520, 380, -5, 380}), 4, 14, seed + 1), [&](float px, float py) {
    return Mix(s.pal.floorDark, s.pal.floor * 1.1f, Clamp01((py - y) / 160.f)) *
           (0.75f + 0.45f * Fbm(px / 20.f, py / 7.f, seed + 2, 3));
  });
  if (e.Has("drop")) {
    s.cv.Fill(Rough(Poly({x + w + 40, y, 605, y, 605, 380, 520, 380}), 5, 14, seed + 3),
              Linear(470, 0, Hex(0x0e0a08), 600, 0, Hex(0x000000)));
    s.cv.Fill(Rough(Poly({x + w + 36, y, x + w + 44, y, 526, 380, 514, 380}), 2, 8, seed + 4), s.pal.rock * 1.4f, 0.8f,
              2);
  }
}

// An iron stove on legs with its pipe going up, a kettle on top.
void Stove(Scene& s, const Element& e) {
  const float x = e.Num("x", 230), y = e.Num("y", 240), k = e.Num("s", 1);
  const Col iron = Hex(0x3a3a40);
  for (float lx : {-22.f, 22.f}) s.cv.Fill(Line(x + lx * k, y - 14 * k, x + lx * 1.1f * k, y, 2.5f * k), iron * 0.7f);
  s.cv.Fill(Box(x - 28 * k, y - 66 * k, x + 28 * k, y - 12 * k, 4 * k),
            Rounded(iron, x - 10 * k, y - 46 * k, 28 * k, 30 * k));
  s.cv.Fill(Box(x - 32 * k, y - 70 * k, x + 32 * k, y - 64 * k), iron * 1.3f);
  s.cv.Fill(Box(x - 14 * k, y - 48 * k, x + 14 * k, y - 26 * k, 2 * k), Hex(0x1a1614));
  s.cv.Fill(Circle(x + 9 * k, y - 37 * k, 2 * k), Hex(0x8a8a90));
  s.cv.Fill(Box(x + 12 * k, y - 200 * k, x + 22 * k, y - 68 * k),
            Linear(x + 12 * k, 0, iron * 1.4f, x + 22 * k, 0, iron * 0.6f));
  s.cv.Fill(Ellipse(x - 10 * k, y - 80 * k, 12 * k, 10 * k),
            Rounded(Hex(0x5a4a3a), x - 14 * k, y - 84 * k, 12 * k, 10 * k));
  s.cv.Fill(Capsule(x + 1 * k, y - 82 * k, x + 9 * k, y - 90 * k, 2 * k, 1 * k), Hex(0x5a4a3a));
}

// A fur coat hanging from a peg: a heavy shaggy shape, a paler collar.
void PegCoat(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 110), k = e.Num("s", 1);
  const uint32_t seed = Sd(s, 711);
  const Col fur = Hex(0x6a4a30);
  s.cv.Fill(Capsule(x, y, x + 3 * k, y - 4 * k, 3 * k, 2.5f * k), s.pal.wood * 0.7f);
  Shape coat = Rough(Poly({x - 6 * k, y, x + 6 * k, y, x + 34 * k, y + 22 * k, x + 40 * k, y + 100 * k, x + 30 * k,
                           y + 122 * k, x - 28 * k, y + 124 * k, x - 40 * k, y + 102 * k, x - 34 * k, y + 22 * k}),
                     4 * k, 4 * k, seed);
  s.cv.Fill(coat, [=](float px, float py) {
    const float hair = 0.75f + 0.45f * Noise(px / 1.5f, py / 6.f, seed + 1);
    const float lit = Clamp01(0.8f - (px - x + 30 * k) / (90 * k));
    return fur * (0.5f + 0.7f * lit) * hair;
  });
  s.cv.Fill(Line(x, y + 12 * k, x - 2 * k, y + 122 * k, 1 * k), fur * 0.35f);
  s.cv.Fill(Rough(Poly({x - 6 * k, y, x + 6 * k, y, x + 24 * k, y + 16 * k, x + 4 * k, y + 36 * k, x - 4 * k,
                        y + 36 * k, x - 24 * k, y + 16 * k}),
                  3 * k, 3 * k, seed + 2),
            [=](float px, float py) { return Hex(0x9a7a58) * (0.75f + 0.35f * Noise(px / 1.5f, py / 4.f, seed + 3)); });
}

// Rusty rails and their sleepers running from the near floor to a far point.
void Rails(Scene& s, const Element& e) {
  const float vx = e.Num("x", 430), vy = e.Num("y", 198), nx = e.Num("to", 525), gauge = e.Num("w", 48);
  const Col rust = Hex(0x8a5030), wood = s.pal.wood * 0.85f;
  auto at = [&](float t, float side) {  // t: 0 far .. 1 near
    return std::pair<float, float>{vx + (nx + side * gauge - vx) * t, vy + (378 - vy) * t};
  };
  for (float z = 1; z < 14; z *= 1.25f) {
    const float t = 1.f / z;
    const auto a = at(t, -1.3f), b = at(t, 1.3f);
    s.cv.Fill(Line(a.first, a.second, b.first, b.second, 1 + 5 * t), wood);
  }
  for (int side = -1; side <= 1; side += 2) {
    const auto a = at(0, side), b = at(1.05f, side);
    s.cv.Fill(Line(a.first, a.second, b.first, b.second, 1.6f), rust * 0.5f);
    s.cv.Fill(Capsule(a.first, a.second - 1, b.first, b.second - 3, 0.6f, 4),
              Linear(vx, vy, rust * 1.1f, nx, 375, rust * 1.6f));
  }
}

// Claw marks scored into the walls: sets of four deep parallel gouges.
void Scratches(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 5));
  Rng r(Sd(s, 721));
  for (int i = 0; i < n; ++i) {
    float x, y;
    if (i % 3 == 0) {
      x = r.Range(175, 250);
      y = r.Range(50, 170);
    } else {
      x = r.Range(400, 570);
      y = r.Range(40, 280);
    }
    const float k = r.Range(0.7f, 1.3f), a = r.Range(-0.5f, 0.5f);
    for (int j = 0; j < 4; ++j) {
      const float ox = x + j * 10 * k, oy = y + j * 2 * k + (j == 0 || j == 3 ? 5 * k : 0);
      const float ex = ox + std::sin(a) * 75 * k + 6 * k, ey = oy + std::cos(a) * 75 * k;
      s.cv.Fill(Capsule(ox + 2, oy, ex + 2, ey, 0.4f, 1.f * k), s.pal.rock * 1.5f, 0.35f);
      s.cv.Fill(Capsule(ox, oy, ex + std::cos(a) * 4 * k, ey, 0.4f, 2.2f * k), Hex(0x140e0a));
    }
  }
}

// A long chamber between two walls of polished stone, running away to a
// dark far end. With 'entrance' the walls begin a little ahead, framed by
// the rough rock of the room before them.
constexpr float CVX = 330, CVY = 172;
void WallsChamber(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = CVY + 40;
  const bool entrance = e.Num("entrance", 0) > 0;
  const uint32_t seed = Sd(s, 731);
  // Rough rock behind everything.
  s.cv.Map([&](int x, int y, Col) {
    return Mix(s.pal.rockDark * 0.5f, s.pal.rock * 0.8f, Fbm(x / 40.f, y / 30.f, seed, 5));
  });
  const float nl = entrance ? 150 : 25, nr = entrance ? 515 : 600, top = entrance ? 40 : -5, bot = entrance ? 345 : 380;
  const float fl = CVX - 34, fr = CVX + 34, ft = CVY - 46, fb = CVY + 36;
  // Floor and the dark far end.
  s.cv.Fill(Poly({fl, fb, fr, fb, nr + (entrance ? 60 : 20), 380, nl - (entrance ? 60 : 40), 380}),
            [&](float x, float y) {
              const float t = Clamp01((y - fb) / (375 - fb));
              return Mix(s.pal.floorDark * 0.6f, s.pal.floor, t) * (0.85f + 0.3f * Fbm(x / 20.f, y / 6.f, seed + 1, 3));
            });
  s.cv.Fill(Box(fl, ft, fr, fb), Linear(0, ft, Hex(0x050404), 0, fb, Hex(0x14100c)));
  s.cv.Fill(Poly({nl, top, fl, ft, fr, ft, nr, top, nr, -5, nl, -5}), s.pal.rockDark * 0.5f);
  // The walls: dark, glassy stone holding a long reflection of the light.
  auto wall = [&](float nearX, float farX, bool left) {
    return Shader([=](float x, float y) {
      const float u = Clamp01((x - nearX) / (farX - nearX));  // 0 near .. 1 far
      const float depth = 1.f / (1.f - 0.85f * u);
      const float joint = std::fmod(depth * 1.6f, 1.f);
      const float yc = (y - (top + (ft - top) * u)) / std::max((bot + (fb - bot) * u) - (top + (ft - top) * u), 1.f);
      Col c = Mix(Hex(0x2e3438), Hex(0x101214), u * 0.8f) * (left ? 1.f : 0.8f);
      c = c + Hex(0xc8b89a) * (0.28f * std::exp(-std::pow((yc - 0.3f) / 0.08f, 2.f)) * (1 - u));  // the gleam
      c = c + Hex(0x8a9aa8) * (0.12f * Fbm(x / 90.f, y / 200.f, seed + 5, 2));
      if (joint < 0.03f) c = c * 0.55f;
      return c;
    });
  };
  s.cv.Fill(Poly({nl, top, fl, ft, fl, fb, nl, bot}), wall(nl, fl, true));
  s.cv.Fill(Poly({nr, top, fr, ft, fr, fb, nr, bot}), wall(nr, fr, false));
  if (entrance) {
    // The square ends of the walls, facing us.
    s.cv.Fill(Box(nl - 30, top, nl, bot), Linear(nl - 30, 0, Hex(0x5a6270), nl, 0, Hex(0x3a424e)));
    s.cv.Fill(Box(nr, top, nr + 30, bot), Linear(nr, 0, Hex(0x4a525e), nr + 30, 0, Hex(0x2a2e36)));
  }
}

// Grooves worn across the chamber floor from wall to wall.
void Grooves(Scene& s, const Element& e) {
  const bool entrance = e.Num("entrance", 0) > 0;
  const float fb = CVY + 36;
  for (float z = 1.2f; z < 9; z *= 1.35f) {
    const float t = 1.f / z, y = fb + (375 - fb) * t * 0.95f;
    if (y > 368) continue;
    // Across the floor from the foot of one wall to the other.
    const float nl = entrance ? 150 : 25, bot = entrance ? 345 : 380, fl = CVX - 34;
    const float wx = nl + (fl - nl) * Clamp01((bot - y) / (bot - fb));
    const float half = CVX - wx - 2;
    const float a = y > 300 ? 0.35f : 0.85f;  // faint where objects lie
    s.cv.Fill(Line(CVX - half, y, CVX + half, y, 0.6f + 2 * t), Hex(0x0e0a08), a);
    s.cv.Fill(Line(CVX - half, y + 1 + 2 * t, CVX + half, y + 1 + 2 * t, 0.4f + t), s.pal.floor * 1.4f, a * 0.6f);
  }
}

// Huge troll clubs leant against the rock: knotted and studded with iron.
void Clubs(Scene& s, const Element& e) {
  const float x = e.Num("x", 520), y = e.Num("y", 240), k = e.Num("s", 1);
  Rng r(Sd(s, 741));
  for (int i = 0; i < 3; ++i) {
    const float bx = x + (i - 1) * 34 * k, tx = bx + (i - 1) * 10 * k - 18 * k, ty = y - (120 + i * 14) * k;
    const Col wood = s.pal.wood * (1.1f - 0.15f * i);
    s.cv.Fill(Ellipse(bx + 4 * k, y + 4 * k, 16 * k, 4 * k), Hex(0x000000), 0.4f, 4);
    s.cv.Fill(Capsule(bx, y, tx, ty, 6 * k, 16 * k),
              Textured(Linear(tx - 16 * k, 0, wood * 1.3f, tx + 16 * k, 0, wood * 0.5f), 0.3f, 4, Sd(s, 742)));
    for (int j = 0; j < 4; ++j) {
      const float t = r.Range(0.4f, 0.95f), kx = bx + (tx - bx) * t + r.Range(-8, 8) * k, ky = y + (ty - y) * t;
      s.cv.Fill(Circle(kx, ky, r.Range(3, 6) * k), wood * 0.6f);
    }
    for (int j = 0; j < 5; ++j) {
      const float t = r.Range(0.65f, 1.f), sx = bx + (tx - bx) * t, sy = y + (ty - y) * t;
      const float side = j % 2 ? 1.f : -1.f, w = (10 + 6 * t) * k;
      s.cv.Fill(Poly({sx + side * w, sy - 3 * k, sx + side * (w + 7 * k), sy, sx + side * w, sy + 3 * k}),
                Hex(0x8a8a90));
    }
  }
}

// Warm, ruddy light coming in low from the south: the passage to the
// hot springs on the right, and a glow along the foot of the picture.
void GlowSouth(Scene& s, const Element& e) {
  const float x = e.Num("x", 560), y = e.Num("y", 290);
  const uint32_t seed = Sd(s, 751);
  s.cv.Fill(Rough(Union(Box(x - 48, y - 80, x + 48, y + 6), Ellipse(x, y - 80, 48, 40)), 6, 14, seed),
            s.pal.rockDark * 0.6f, 0.9f, 4);
  s.cv.Fill(Rough(Union(Box(x - 36, y - 78, x + 36, y), Ellipse(x, y - 78, 36, 32)), 4, 10, seed + 1),
            [&](float px, float py) {
              const float d = std::hypot((px - x) / 36.f, (py - y) / 100.f);
              return Mix(Hex(0xffb050), Hex(0x5a1e0c), Clamp01(d));
            });
  s.cv.Map([&](int px, int py, Col c) {
    const float d = std::hypot(px - (x + 20.f), (py - (y + 40.f)) * 1.4f);
    return c + Hex(0xff8a40) * (0.35f * std::exp(-d / 180.f));
  });
  s.AddLight(x, y - 30, 160, Hex(0xff8040));
}

// A hot pool in a basin of rock, milky blue-green and lit from within.
void HotSpring(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 262), w = e.Num("w", 220) / 2, d = e.Num("d", 26);
  const uint32_t seed = Sd(s, 761);
  s.cv.Fill(Rough(Ellipse(x, y, w + 16, d + 8), 4, 12, seed), s.pal.rockDark * 0.8f);
  s.cv.Fill(Rough(Ellipse(x, y, w, d), 3, 10, seed + 1), [&](float px, float py) {
    const float ripple = Fbm(px / 14.f, py / 3.f, seed + 2, 3);
    const float depth = Clamp01(1 - std::hypot((px - x) / w, (py - y) / d));
    return Mix(Hex(0x6a9890), Hex(0x2e5a60), depth * 0.7f) * (0.8f + 0.35f * ripple) +
           Hex(0xffffff) * (0.2f * Smooth(0.65f, 0.8f, ripple));
  });
  Rng r(seed + 3);
  for (int i = 0; i < 16; ++i) {
    const float a = i * 6.283f / 16 + r.Range(-0.1f, 0.1f);
    const float bx = x + std::cos(a) * (w + 8), by = y + std::sin(a) * (d + 4);
    if (by > y + d * 0.5f && bx > 280 && bx < 460) continue;
    Boulder(s, bx, by, r.Range(9, 16), r.Range(6, 10), Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.4f));
  }
  for (int i = 0; i < 14; ++i)
    s.cv.Fill(Cut(Circle(x + r.Range(-w * 0.7f, w * 0.7f), y + r.Range(-d * 0.5f, d * 0.5f), 3), Circle(x, y - 500, 1)),
              Hex(0xd8f0f0), 0.6f);
  s.AddLight(x, y, w * 0.7f, Hex(0x80a098));
}

// Veils of steam rising and thinning out above a pool.
void Steam(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 262), w = e.Num("w", 220) / 2, k = e.Num("k", 1);
  const uint32_t seed = Sd(s, 771);
  s.cv.Map([&](int px, int py, Col c) {
    if (py > y + 10) return c;
    const float up = (y + 10 - py) / 260.f;
    const float spread = w * (1 + up * 1.2f);
    const float across = std::fabs(px - x) / spread;
    if (across > 1.3f) return c;
    const float wisp = Fbm(px / 22.f + 1.5f * std::sin(py / 40.f), py / 70.f, seed, 4);
    const float a = k * 0.45f * Smooth(0.4f, 0.8f, wisp) * Clamp01(1.3f - across) * Clamp01(1.f - up * 0.9f);
    return Mix(c, Hex(0xeef4f6), Clamp01(a));
  });
}

// The mouth of the caves opening on a white waste, wind driving snow in.
void MouthSnow(Scene& s, const Element& e) {
  const float x = e.Num("x", 360), y = e.Num("y", 200), rx = e.Num("rx", 170), ry = e.Num("ry", 135);
  const uint32_t seed = Sd(s, 781);
  Shape mouth =
      Rough(Intersect(Ellipse(x, y + 20, rx, ry), Box(x - rx - 2, y + 20 - ry - 2, x + rx + 2, y + 70)), 8, 22, seed);
  const float h = y + 30;
  s.cv.Fill(mouth, [&](float px, float py) {
    if (py < h) {
      const float n = Fbm(px / 60.f, py / 20.f, seed + 1, 4);
      return Mix(Hex(0x8a98aa), Hex(0xdce4ec), Clamp01((py - (y - ry)) / (h - y + ry) * 0.8f + 0.5f * (n - 0.5f)));
    }
    const float t = Clamp01((py - h) / 40.f);
    return Mix(Hex(0xc4d0dc), Hex(0xeef2f6), t) * (0.9f + 0.15f * Fbm(px / 20.f, py / 4.f, seed + 2, 3));
  });
  // Far ridges of snow through the blizzard.
  s.cv.Fill(Intersect(mouth, Rough(Poly({x - rx, h, x - 60, h - 26, x + 20, h - 8, x + 90, h - 30, x + rx, h - 4,
                                         x + rx, h + 4, x - rx, h + 4}),
                                   3, 20, seed + 3)),
            Hex(0xc4d0de), 0.8f);
  s.cv.Fill(Cut(Rough(Ellipse(x, y + 20, rx + 14, ry + 12), 8, 22, seed + 4), mouth), s.pal.rockDark * 0.7f, 0.6f, 8);
  // Snow blown in over the cave floor.
  s.cv.Fill(Rough(Intersect(Ellipse(x + 40, y + 70, rx * 1.35f, 95), Box(x - rx * 1.5f, y + 62, x + rx * 1.6f, 380)), 5,
                  24, seed + 5),
            Linear(0, y + 60, Hex(0xeef2f6), 0, 370, Hex(0xb0c0d0)));
  for (float ix = x - rx * 0.7f; ix < x + rx * 0.7f; ix += 17) {
    const float iy = y + 20 - ry * std::sqrt(std::max(0.f, 1 - std::pow((ix - x) / rx, 2.f))) + 4;
    const float l = 10 + 24 * Noise(ix / 7.f, 1.5f, seed + 6);
    s.cv.Fill(Poly({ix - 5, iy - 4, ix + 5, iy - 4, ix, iy + l}),
              Linear(ix - 5, 0, Hex(0xf0fbff), ix + 5, 0, Hex(0x8ab0c8)), 0.95f);
  }
}

// Snow driven in on the wind: slanting streaks and a veil of flakes.
void SnowBlown(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 180));
  Rng r(Sd(s, 791));
  for (int i = 0; i < n; ++i) {
    const float x = r.Range(-20, 620), y = r.Range(0, 375), len = r.Range(8, 22);
    const float near = std::exp(-std::hypot(x - 360, y - 220) / 180.f);  // thickest at the mouth
    s.cv.Fill(Line(x, y, x - len, y + len * 0.3f, r.Range(0.7f, 1.3f)), Hex(0xf4f8ff),
              r.Range(0.1f, 0.25f) + 0.5f * near, 2.f);
  }
  s.snowfall = std::max(s.snowfall, static_cast<int>(e.Num("flakes", 220)));
}

}  // namespace

void RegisterHighlands(Registry& r) {
  r["cliffedge"] = CliffEdge;
  r["village_below"] = VillageBelow;
  r["ledge"] = Ledge;
  r["palisade"] = Palisade;
  r["smoke"] = Smoke;
  r["ice_on_water"] = IceOnWater;
  r["glint"] = Glint;
  r["picks"] = Picks;
  r["hay"] = Hay;
  r["straw"] = Straw;
  r["keys_hook"] = KeysHook;
  r["goats"] = Goats;
  r["carver_hut"] = CarverHut;
  r["carvings"] = Carvings;
  r["lane"] = Lane;
  r["villagers"] = Villagers;
  r["torchlight"] = Torchlight;
  r["cracks"] = Cracks;
  r["clouds_below"] = CloudsBelow;
  r["throne_rock"] = ThroneRock;
  r["god"] = God;
  r["bothy"] = Bothy;
  r["firepit"] = Firepit;
  r["tunnel_mouth"] = TunnelMouth;
  r["barrel"] = Barrel;
  r["rockface"] = Rockface;
  r["roundhole"] = RoundHole;
  r["fungus"] = Fungus;
  r["treasure"] = Treasure;
  r["blackness"] = Blackness;
  r["torchholders"] = TorchHolders;
  r["weapons"] = Weapons;
  r["crates"] = Crates;
  r["timber"] = Timber;
  r["spray"] = Spray;
  r["river_deep"] = RiverDeep;
  r["farledge"] = FarLedge;
  r["blankwall"] = BlankWall;
  r["stove"] = Stove;
  r["peg_coat"] = PegCoat;
  r["rails"] = Rails;
  r["scratches"] = Scratches;
  r["walls_chamber"] = WallsChamber;
  r["grooves"] = Grooves;
  r["clubs"] = Clubs;
  r["glow_south"] = GlowSouth;
  r["hotspring"] = HotSpring;
  r["steam"] = Steam;
  r["mouth_snow"] = MouthSnow;
  r["snowblown"] = SnowBlown;
}

}  // namespace pics
