// The details of the deep caves, the four doors and the Keeper's palace.
#include <algorithm>
#include <array>
#include <cmath>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

// The back wall of a room box (the same box the room painter uses).
constexpr float BX0 = 130, BX1 = 470, BY0 = 45, BY1 = 235;

Col Tint(const Element& e, const std::string& key, const char* def) {
  return Hex(static_cast<uint32_t>(std::stoul(e.Str(key, def), nullptr, 16)));
}

uint32_t SeedOf(const Scene& s, uint32_t salt) { return s.seed * 2654435761u + salt; }

// The places characters stand and object icons lie: details keep out of them.
bool Crowded(float x0, float y0, float x1, float y1) {
  (void)y0;  // both places reach down to the bottom of the picture
  const bool people = x1 > 25 && x0 < 165 && y1 > 200;
  const bool icons = x1 > 280 && x0 < 460 && y1 > 300;
  return people || icons;
}

// A four-pointed glint of light.
void Glint(Scene& s, float x, float y, float r, Col c, float opacity = 1) {
  s.cv.Fill(Poly({x - r, y, x, y - r * 0.16f, x + r, y, x, y + r * 0.16f}), c, opacity, 0.8f);
  s.cv.Fill(Poly({x, y - r, x + r * 0.16f, y, x, y + r, x - r * 0.16f, y}), c, opacity, 0.8f);
  s.cv.Fill(Circle(x, y, r * 0.22f), Hex(0xffffff), opacity, 0.8f);
}

// A ring of iron: an ellipse with a hole, lit from the upper left.
void Link(Scene& s, float x, float y, float rx, float ry, float angle, Col c) {
  const float ca = std::cos(angle), sa = std::sin(angle);
  Shape ring;
  ring.x0 = x - rx - ry;
  ring.x1 = x + rx + ry;
  ring.y0 = y - rx - ry;
  ring.y1 = y + rx + ry;
  const float t = std::min(rx, ry) * 0.38f;
  ring.d = [=](float px, float py) {
    const float u = (px - x) * ca + (py - y) * sa, v = -(px - x) * sa + (py - y) * ca;
    const float k = std::sqrt((u / rx) * (u / rx) + (v / ry) * (v / ry));
    return std::fabs(k - 1.f) * std::min(rx, ry) - t;
  };
  s.cv.Fill(ring, [=](float px, float py) {
    const float lit = Clamp01(0.5f - ((px - x) + (py - y)) / (rx + ry) * 0.8f);
    return c * (0.45f + 0.9f * lit);
  });
}

// ------------------------------------------------------------ corridors

// A straight passage seen down its length. The near frame is the picture;
// the far end is a rectangle round (vx, vy). Every pixel on a face knows its
// depth, so textures shrink properly towards the far end.
struct Passage {
  float vx, vy, fw, fh;
  float L = -5, R = 605, T = -5, B = 380;
  // Where along the passage (q: 1 at the picture's frame, 0 at the far end)
  // the pixel lies, and on which face: 0 left, 1 right, 2 ceiling, 3 floor,
  // 4 the far end itself.
  int Face(float x, float y, float& q) const {
    const float fx0 = vx - fw, fx1 = vx + fw, fy0 = vy - fh, fy1 = vy + fh;
    float best = 0;
    int face = 4;
    if (x < fx0 && (fx0 - x) / (fx0 - L) > best) best = (fx0 - x) / (fx0 - L), face = 0;
    if (x > fx1 && (x - fx1) / (R - fx1) > best) best = (x - fx1) / (R - fx1), face = 1;
    if (y < fy0 && (fy0 - y) / (fy0 - T) > best) best = (fy0 - y) / (fy0 - T), face = 2;
    if (y > fy1 && (y - fy1) / (B - fy1) > best) best = (y - fy1) / (B - fy1), face = 3;
    q = best;
    return face;
  }
  float Scale(float q) const { return (2 * fw + (R - L - 2 * fw) * q) / (R - L); }
  float CX(float q) const { return (vx - fw + (L - vx + fw) * q + vx + fw + (R - vx - fw) * q) / 2; }
  float CY(float q) const { return (vy - fh + (T - vy + fh) * q + vy + fh + (B - vy - fh) * q) / 2; }
  // A point on a wall at depth q, 'a' pixels (at near scale) above the
  // middle of the wall; side -1 left, +1 right.
  void WallPoint(int side, float q, float a, float& x, float& y) const {
    x = side < 0 ? vx - fw + (L - vx + fw) * q : vx + fw + (R - vx - fw) * q;
    y = CY(q) - a * Scale(q);
  }
};

// Paints a passage; 'surface' gives the colour of a face at depth z (1 near,
// growing far), across-coordinate a (near pixels from the face's middle) and
// q. The far end is painted by 'end'.
void PaintPassage(Scene& s, const Passage& p, const std::function<Col(int, float, float, float)>& surface,
                  const std::function<Col(float, float)>& end) {
  s.indoor = true;
  s.horizon = p.vy + p.fh;
  s.cv.Map([&](int ix, int iy, Col) {
    const float x = ix + 0.5f, y = iy + 0.5f;
    float q;
    const int face = p.Face(x, y, q);
    if (face == 4) return end(x, y);
    const float sc = p.Scale(q), z = 1.f / sc;
    const float a = face < 2 ? (p.CY(q) - y) / sc : (x - p.CX(q)) / sc;
    return surface(face, z, a, q);
  });
  // Soft shadows in the corners where the faces meet.
  for (int i = 0; i < 4; ++i) {
    const float cx = i % 2 ? p.R : p.L, cy = i < 2 ? p.T : p.B;
    const float fx = i % 2 ? p.vx + p.fw : p.vx - p.fw, fy = i < 2 ? p.vy - p.fh : p.vy + p.fh;
    s.cv.Fill(Line(cx, cy, fx, fy, 3), Hex(0x000000), 0.35f, 5);
  }
}

// Dressed stone with smooth joints, darkening with depth.
Col DressedStone(const Scene& s, Col c, int face, float z, float a, float q, uint32_t seed) {
  const float along = (z - 1) * 70;
  const float u = face < 2 ? along : a, v = face < 2 ? a : along;
  Col col = Stones(c, c * 0.55f, face < 2 ? 90 : 60, face < 2 ? 38 : 45, seed)(u + 1000, v + 1000);
  if (face == 2) col = col * 0.6f;
  if (face == 3) col = Mix(col, s.pal.floor, 0.4f);
  return col * (0.12f + 0.88f * std::pow(q, 0.7f));
}

// ------------------------------------------------------------ the river and the caves

void UnderRiver(Scene& s, const Element& e) {
  const float y0 = e.Num("y", 250), depth = e.Num("d", 52);
  const bool black = e.Num("black", 0) > 0;
  const uint32_t seed = SeedOf(s, 501);
  const Col deep = black ? Hex(0x05070a) : s.pal.water * 0.7f,
            shallow = black ? Hex(0x161c24) : Mix(s.pal.water * 1.5f, s.pal.rock, 0.35f);
  s.cv.Map([&](int ix, int iy, Col c) {
    const float x = static_cast<float>(ix), y = static_cast<float>(iy);
    const float top = y0 + 6 * (Fbm(x / 70.f, 0.5f, seed, 3) - 0.5f) * 2;
    const float bot = y0 + depth + 9 * (Fbm(x / 50.f, 3.5f, seed, 3) - 0.5f) * 2;
    if (y < top - 3 || y > bot + 4) return c;
    if (y > bot) return Mix(c, s.pal.rockDark * 0.6f, 0.7f);  // the wet near bank
    if (y < top) return Mix(c, s.pal.rockDark * 0.5f, 0.6f);
    const float t = (y - top) / std::max(bot - top, 1.f);
    // Streaks drawn out along the flow, with a few bright glints.
    const float flow = Fbm(x / 60.f + y * 0.02f, y / 2.2f, seed + 1, 4);
    Col w = Mix(deep, shallow, Clamp01(0.25f + 0.6f * flow - 0.3f * t));
    const float glint = Smooth(0.7f, 0.82f, Fbm(x / 25.f, y / 1.5f, seed + 2, 3));
    w = w + Hex(black ? 0x6a7a90 : 0x8aaec4) * (glint * (black ? 0.3f : 0.35f));
    return w;
  });
  // Foam where the current runs past rocks.
  Rng r(SeedOf(s, 502));
  for (int i = 0; i < 4; ++i) {
    const float x = r.Range(180, 600), y = y0 + r.Range(8, depth - 8);
    Boulder(s, x, y, r.Range(8, 14), r.Range(5, 8), s.pal.rock * 0.7f);
    for (int j = 0; j < 3; ++j)
      s.cv.Fill(Ellipse(x - 14 - j * 12, y + 2, 10, 1.5f), Hex(black ? 0x5a6470 : 0xc8dce8), 0.5f - j * 0.12f, 2);
  }
}

void Driftwood(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 290), k = e.Num("s", 1.25f);
  Rng r(SeedOf(s, 511));
  s.cv.Fill(Ellipse(x, y + 6 * k, 95 * k, 12 * k), Hex(0x000000), 0.4f, 6);
  // A tangle of bleached branches and logs, back ones darker.
  for (int i = 0; i < 16; ++i) {
    const float a = r.Range(-0.5f, 0.5f) + (i % 3 == 0 ? 1.4f : 0);
    const float len = r.Range(40, 95) * k, cx = x + r.Range(-60, 60) * k, cy = y + r.Range(-22, 4) * k;
    const float dx = std::cos(a) * len / 2, dy = std::sin(a) * len / 2 * 0.5f;
    const float w = r.Range(3, 8) * k;
    const Col bark = Mix(Hex(0x5a4e40), Hex(0x9a9084), r.Uni()) * (0.6f + 0.03f * i);
    s.cv.Fill(Capsule(cx - dx, cy - dy, cx + dx, cy + dy, w, w * 0.7f),
              Textured(Linear(0, cy - w, bark * 1.2f, 0, cy + w, bark * 0.5f), 0.25f, 3, SeedOf(s, 512 + i)));
    if (r.Uni() < 0.5f)
      s.cv.Fill(
          Line(cx + dx * 0.3f, cy + dy * 0.3f, cx + dx * 0.3f + r.Range(-12, 12), cy - r.Range(8, 18) * k, 1.4f * k),
          bark);
  }
  // Things washed down from upstream: a bottle, a scrap of cloth, a barrel stave.
  s.cv.Fill(Capsule(x + 40 * k, y - 6 * k, x + 58 * k, y - 10 * k, 4 * k, 3 * k), Hex(0x3a7a5a), 0.85f);
  s.cv.Fill(Poly({x - 50 * k, y - 14 * k, x - 28 * k, y - 20 * k, x - 22 * k, y - 8 * k, x - 46 * k, y - 4 * k}),
            Hex(0x5a3a3a) * 0.8f);
  s.cv.Fill(Line(x - 10 * k, y - 30 * k, x + 20 * k, y - 2 * k, 3 * k), s.pal.wood * 0.8f);
}

// Columns of stone rising from the floor, some joining the roof.
void Stalagmites(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 14));
  Rng r(SeedOf(s, 521));
  const float h = s.horizon;
  struct Spike {
    float x, y, w, len;
  };
  std::vector<Spike> spikes;
  for (int tries = 0; tries < 400 && static_cast<int>(spikes.size()) < n; ++tries) {
    const float t = r.Uni();
    const float y = h + 4 + t * t * 130, w = 7 + 22 * t * r.Range(0.7f, 1.3f),
                len = (40 + 170 * t) * r.Range(0.6f, 1.1f);
    const float x = r.Range(-10, 610);
    if (Crowded(x - w, y - len, x + w, y)) continue;
    spikes.push_back({x, y, w, len});
  }
  std::sort(spikes.begin(), spikes.end(), [](const Spike& a, const Spike& b) { return a.y < b.y; });
  // Far columns from floor to roof, hazy.
  for (float cx : {230.f, 330.f, 520.f}) {
    const float w = r.Range(14, 22);
    const Col c = Mix(s.pal.rock, s.pal.rockDark, 0.45f);
    s.cv.Fill(Rough(Poly({cx - w * 2.2f, -5, cx + w * 2.2f, -5, cx + w * 0.7f, h * 0.5f, cx + w * 1.6f, h + 6,
                          cx - w * 1.6f, h + 6, cx - w * 0.7f, h * 0.5f}),
                    3, 9, SeedOf(s, 522) + static_cast<uint32_t>(cx)),
              Textured(Linear(cx - w * 2, 0, c * 1.2f, cx + w * 2, 0, c * 0.5f), 0.3f, 6, SeedOf(s, 523)));
  }
  for (const Spike& p : spikes) {
    const float t = Clamp01((p.y - h) / 130.f);
    const Col c = Mix(Mix(s.pal.rock, s.pal.rockDark, 0.5f), s.pal.rock * 1.25f, t);
    const uint32_t sd = SeedOf(s, 530) + static_cast<uint32_t>(p.x * 3);
    s.cv.Fill(Ellipse(p.x + p.w * 0.4f, p.y, p.w * 1.5f, p.w * 0.3f), Hex(0x000000), 0.4f, 4);
    Shape body = Union(Poly({p.x - p.w, p.y, p.x - p.w * 0.35f, p.y - p.len * 0.7f, p.x, p.y - p.len, p.x + p.w * 0.35f,
                             p.y - p.len * 0.7f, p.x + p.w, p.y}),
                       Circle(p.x, p.y - p.len + p.w * 0.2f, p.w * 0.25f));
    s.cv.Fill(Rough(body, 1.5f + p.w * 0.08f, 5, sd), [=](float px, float py) {
      const float side = Clamp01((px - p.x) / (p.w * 1.6f) + 0.5f);
      const float rings = 0.85f + 0.3f * Fbm(px / 14.f, py / 3.f, sd, 3);
      return Mix(c * 1.3f, c * 0.35f, side) * rings;
    });
  }
}

// Stone icicles hanging from the roof, wet at their tips.
void Stalactites(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 20));
  Rng r(SeedOf(s, 541));
  std::vector<std::pair<float, float>> tips;
  // A heavy rocky roof they hang from.
  s.cv.Fill(Rough(Poly({-5, -5, 605, -5, 605, 30, 450, 42, 300, 22, 150, 40, -5, 28}), 8, 22, SeedOf(s, 542)),
            Textured(Linear(0, 0, s.pal.rockDark * 0.7f, 0, 45, s.pal.rock * 0.8f), 0.35f, 10, SeedOf(s, 543)));
  for (int i = 0; i < n; ++i) {
    const float x = (i + r.Range(0.1f, 0.9f)) * 610.f / n - 5;
    const float w = r.Range(6, 18);
    float len = r.Range(50, 190);
    if (x > 20 && x < 170) len = std::min(len, 170.f);
    const float top = 20 + 15 * std::sin(x / 70.f);
    const Col c = Mix(s.pal.rock * 1.15f, s.pal.rockDark, r.Range(0, 0.4f));
    const uint32_t sd = SeedOf(s, 550) + static_cast<uint32_t>(i);
    s.cv.Fill(Rough(Poly({x - w, top - 10, x + w, top - 10, x + w * 0.4f, top + len * 0.5f, x + r.Range(-2, 2),
                          top + len, x - w * 0.4f, top + len * 0.5f}),
                    1.5f, 6, sd),
              [=](float px, float py) {
                const float rings = 0.85f + 0.3f * Fbm(px / 10.f, py / 4.f, sd, 3);
                return Mix(c * 1.35f, c * 0.35f, Clamp01((px - x) / (w * 1.6f) + 0.5f)) * rings;
              });
    tips.push_back({x, top + len});
  }
  // Drops of water gleaming at the tips, and a few young spikes below them.
  for (const auto& [x, y] : tips) {
    s.cv.Fill(Ellipse(x, y + 3, 1.8f, 2.8f), Hex(0xc8e0f0), 0.9f);
    s.cv.Fill(Circle(x - 0.6f, y + 2, 0.8f), Hex(0xffffff));
  }
  for (int i = 0; i < 7; ++i) {
    const float x = r.Range(180, 600), y = s.horizon + r.Range(5, 50), w = r.Range(5, 11), l = r.Range(12, 35);
    if (Crowded(x - w, y - l, x + w, y)) continue;
    s.cv.Fill(Poly({x - w, y, x + w, y, x, y - l}), Linear(x - w, 0, s.pal.rock * 1.2f, x + w, 0, s.pal.rockDark));
  }
  // Puddles where the drips fall.
  for (int i = 0; i < 4; ++i) {
    const float x = r.Range(190, 590), y = s.horizon + r.Range(15, 60);
    if (Crowded(x - 30, y - 5, x + 30, y + 5)) continue;
    s.cv.Fill(Ellipse(x, y, r.Range(18, 34), r.Range(3, 6)), Mix(s.pal.water, s.pal.skyLow, 0.5f), 0.7f, 2);
  }
}

// Glints of every colour over the crystals of the grotto.
void Sparkles(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 40));
  Rng r(SeedOf(s, 561));
  const Col cols[] = {Hex(0xffe8ff), Hex(0xd8fff0), Hex(0xfff4c8), Hex(0xc8e8ff), Hex(0xffd0e0)};
  const float x0 = e.Num("x0", 150), x1 = e.Num("x1", 600);
  for (int i = 0; i < n; ++i) {
    const float x = r.Range(x0, x1), y = r.Range(s.horizon - 60, s.horizon + 70);
    if (Crowded(x - 5, y - 5, x + 5, y + 5)) continue;
    Glint(s, x, y, r.Range(3, 9), cols[i % 5], r.Range(0.6f, 1.f));
  }
  // Coloured light thrown on the roof and walls.
  const Col lights[] = {Hex(0xc070ff), Hex(0x60e0a0), Hex(0xffc060)};
  for (int i = 0; i < 3; ++i) s.AddLight(x0 + (x1 - x0) * (0.2f + 0.3f * i), s.horizon + 10, 150, lights[i]);
}

// Cold air flowing up the passage: pale wisps spiralling out of the dark.
void Draught(Scene& s, const Element& e) {
  const float vx = e.Num("x", 330), vy = e.Num("y", 200);
  Rng r(SeedOf(s, 571));
  s.cv.Map([&](int, int, Col c) { return Mix(c, c * Hex(0x9ab8e0), 0.35f); });
  // Tongues of misty air curling out of the dark towards the viewer.
  for (int i = 0; i < 8; ++i) {
    float a = i * 0.785f + r.Range(-0.25f, 0.25f);
    float d = 75;
    const float spin = r.Range(0.012f, 0.03f) * (i % 2 ? 1 : -1);
    while (d < 330) {
      const float x = vx + std::cos(a) * d * 1.3f, y = vy + std::sin(a) * d * 0.9f;
      const float rr = 5 + d * 0.14f;
      if (!Crowded(x - rr, y - rr, x + rr, y + rr)) s.cv.Fill(Circle(x, y, rr), Hex(0xd8e4f4), 0.014f, rr * 0.9f);
      a += spin;
      d += 4;
    }
  }
  // Grit blown along the flow, and rime on the rock near the cold end.
  for (int i = 0; i < 18; ++i) {
    const float a = r.Range(0, 6.283f), d = r.Range(60, 260);
    const float x = vx + std::cos(a) * d * 1.3f, y = vy + std::sin(a) * d * 0.9f;
    if (Crowded(x - 6, y - 6, x + 6, y + 6)) continue;
    s.cv.Fill(Line(x, y, x + std::cos(a) * 7, y + std::sin(a) * 5, 0.6f), Hex(0xc8d4e4), 0.5f);
  }
  for (int i = 0; i < 90; ++i) {
    const float a = r.Range(0, 6.283f), d = r.Range(40, 130);
    s.cv.Fill(Circle(vx + std::cos(a) * d * 1.3f, vy + std::sin(a) * d * 0.95f, r.Range(0.6f, 1.5f)), Hex(0xe8f2ff),
              r.Range(0.3f, 0.7f));
  }
  s.AddLight(vx, vy + 30, 90, Hex(0x7090c0));
}

// A narrow shelf of rock running along the chasm's edge to both sides: where
// we stand the floor ends at the drop, and to left and right only a ledge
// cut into the cliff goes on, with the abyss beneath it.
void Ledges(Scene& s, const Element& e) {
  const float y = e.Num("y", 318);
  // The chasm between the ledges falls away into black.
  const float top = e.Num("top", 232);
  s.cv.Map([&](int, int iy, Col c) {
    const float py = static_cast<float>(iy);
    if (py < top || py > y - 8) return c;
    const float t = (py - top) / (y - 8 - top);
    return c * (1.f - 0.85f * Smooth(0.f, 0.7f, t) * (1.f - Smooth(0.85f, 1.f, t)));
  });
  for (float side = -1; side <= 1; side += 2) {
    const float in = 300 + side * 120, out = side < 0 ? -5.f : 605.f;
    const uint32_t sd = SeedOf(s, 581) + static_cast<uint32_t>(side + 1);
    // The drop under the ledge, joining the chasm.
    s.cv.Fill(
        Poly({in, y - 8, out, y - 50, out, 380, in - side * 40, 380}),
        [&](float px, float py) {
          return Mix(s.pal.rockDark * 0.45f, Hex(0x020204), Clamp01((py - y + 30) / 70.f)) *
                 (0.8f + 0.4f * Fbm(px / 20.f, py / 8.f, sd + 7, 3));
        },
        1, 4);
    // A buttress of cliff the ledge is cut into, lit on its face towards the middle.
    const float ex = 300 + side * 215;
    std::vector<float> wall = {out,    -5,  ex + side * 10, -5, ex - side * 25, 80, ex + side * 5, 170, in + side * 55,
                               y - 44, out, y - 70};
    s.cv.Fill(Rough(Poly(wall), 14, 30, sd), [=](float px, float py) {
      const float strata = Fbm(px / 26.f + py / 80.f, py / 10.f, sd, 5);
      const float lit = Clamp01(1.f - std::fabs(px - ex) / 110.f);
      return Mix(s.pal.rockDark * 0.8f, s.pal.rock * 1.3f, 0.1f + 0.65f * lit) * (0.45f + 0.9f * strata);
    });
    // The ledge: a lit walking surface and its broken front edge.
    s.cv.Fill(Rough(Poly({in + side * 5, y - 30, out, y - 70, out, y - 50, in, y}), 1.5f, 6, sd + 3), [=](float px,
                                                                                                          float py) {
      return s.pal.rock * (1.3f - 0.3f * Clamp01((y - py) / 60.f)) * (0.8f + 0.4f * Noise(px / 5.f, py / 3.f, sd + 4));
    });
    s.cv.Fill(Rough(Poly({in, y, out, y - 50, out, y - 38, in - side * 4, y + 14}), 2, 4, sd + 5),
              s.pal.rockDark * 0.7f);
  }
  // The lip of rock where we stand, at the edge of the drop.
  s.cv.Fill(Rough(Poly({180, y - 12, 420, y - 12, 428, y - 4, 172, y - 4}), 1.5f, 5, SeedOf(s, 589)),
            s.pal.rock * 1.25f, 0.9f);
}

// Standing on a narrow ledge: the wall on the right, the drop on the left.
void LedgeRun(Scene& s, const Element& e) {
  const bool end = e.Num("end", 0) > 0;
  const float fx = end ? 470 : 445, fy = end ? 235 : 205;  // where the ledge goes out of sight
  const uint32_t sd = SeedOf(s, 591);
  // The abyss below the ledge, deepening to black.
  s.cv.Fill(
      Poly({-5, fy - 10, fx, fy, 230, 380, -5, 380}),
      [&](float px, float py) {
        const float t = Clamp01((py - fy) / 150.f);
        return Mix(s.pal.rockDark * 0.6f, Hex(0x020204), t) * (0.7f + 0.5f * Fbm(px / 30.f, py / 8.f, sd, 3));
      },
      1, 18);
  // The wall the ledge runs along.
  s.cv.Fill(Rough(Poly({fx - 20, -5, 605, -5, 605, 380, 470, 380, fx + 10, fy + 4, fx - 8, fy - 40}), 6, 16, sd + 1),
            [&](float px, float py) {
              const float strata = Fbm(px / 18.f + py / 60.f, py / 40.f, sd + 2, 4);
              const float near = Clamp01((px - fx) / 150.f);
              return Mix(s.pal.rockDark, s.pal.rock * 1.1f, 0.25f + 0.5f * near) * (0.6f + 0.6f * strata);
            });
  // The ledge: broad under our feet, a thread where it meets the wall far off.
  s.cv.Fill(Rough(Poly({fx - 6, fy, fx + 14, fy + 4, 480, 380, 215, 380}), 3, 9, sd + 3), [&](float px, float py) {
    const float t = Clamp01((py - fy) / (375 - fy));
    return s.pal.rock * (0.55f + 0.6f * t) * (0.75f + 0.5f * Fbm(px / (4 + 20 * t), py / (2 + 6 * t), sd + 4, 3));
  });
  // Its crumbling lip over the drop.
  s.cv.Fill(Line(fx - 6, fy + 1, 215, 380, 2.5f), s.pal.rock * 1.35f, 0.8f, 2);
  if (end) {
    // The cliff bulges out across the ledge and closes it.
    s.cv.Fill(
        Rough(Poly({fx - 90, -5, fx + 40, -5, fx + 30, fy + 24, fx - 30, fy + 30, fx - 75, fy + 6, fx - 100, fy - 70}),
              8, 20, sd + 6),
        [&](float px, float py) {
          const float strata = Fbm(px / 18.f + py / 60.f, py / 40.f, sd + 7, 4);
          return Mix(s.pal.rock * 1.15f, s.pal.rockDark, Clamp01((px - fx + 90) / 140.f)) * (0.6f + 0.6f * strata);
        });
    // The ledge stops short in a heap of fallen rock.
    Rng r(sd + 5);
    for (int i = 0; i < 7; ++i)
      Boulder(s, fx + r.Range(-25, 15), fy + r.Range(-8, 10), r.Range(5, 12), r.Range(4, 8), s.pal.rock);
  }
}

// Pebbles lying on the ledge and a few falling into the chasm.
void Pebbles(Scene& s, const Element& e) {
  Rng r(SeedOf(s, 601));
  const int n = static_cast<int>(e.Num("n", 18));
  for (int i = 0; i < n; ++i) {
    const float y = r.Range(260, 370), t = (y - 200) / 175.f;
    const float x = r.Range(300 - 40 * t, 420 + 60 * t);
    Boulder(s, x, y, 2 + 4 * t, 1.5f + 3 * t, Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.4f));
  }
  // Falling ones leave a faint streak above them.
  const float fall[][2] = {{240, 250}, {275, 300}, {205, 330}};
  for (const auto& f : fall) {
    s.cv.Fill(Line(f[0], f[1] - 26, f[0], f[1] - 4, 1.2f), s.pal.rock * 1.2f, 0.3f, 2);
    Boulder(s, f[0], f[1], 3, 2.5f, s.pal.rock * 1.2f);
  }
}

// Warm pink light over a cave that smells of sweets.
void PinkGlow(Scene& s, const Element&) {
  const uint32_t seed = SeedOf(s, 611);
  s.cv.Map([&](int x, int y, Col c) {
    const float n = Fbm(x / 90.f, y / 70.f, seed, 3);
    return Mix(c, c * Hex(0xffb8d0) * 1.35f + Hex(0x301020), 0.55f + 0.2f * n);
  });
  s.AddLight(380, 200, 240, Hex(0xff80b0));
  s.AddLight(540, 120, 140, Hex(0xffa0c0));
}

// Wild strawberries growing over the cave floor, and crusts of pink sugar.
void Strawberries(Scene& s, const Element& e) {
  Rng r(SeedOf(s, 621));
  const int n = static_cast<int>(e.Num("n", 30));
  const Col leaf = Hex(0x4a8a3a), dark = Hex(0x1e3a1e);
  for (int i = 0; i < n; ++i) {
    const float t = r.Uni();
    const float y = s.horizon + 12 + t * 120, k = 0.75f + 1.1f * t;
    const float x = r.Range(170, 600);
    if (Crowded(x - 30 * k, y - 30 * k, x + 30 * k, y)) continue;
    for (int j = 0; j < 6; ++j) {
      const float lx = x + r.Range(-24, 24) * k, ly = y - r.Range(4, 22) * k, lr = r.Range(6, 10) * k;
      s.cv.Fill(Rough(Ellipse(lx, ly, lr, lr * 0.7f), lr * 0.2f, 3, SeedOf(s, 622 + j)),
                Rounded(Mix(leaf, dark, r.Uni() * 0.5f), lx, ly, lr, lr * 0.7f, 0.5f));
      s.cv.Fill(Line(lx, ly - lr * 0.5f, lx, ly + lr * 0.5f, 0.5f * k), dark, 0.6f);
    }
    for (int j = 0; j < 5; ++j) {
      const float bx = x + r.Range(-22, 22) * k, by = y - r.Range(0, 14) * k, br = r.Range(3.5f, 5.5f) * k;
      s.cv.Fill(Poly({bx - br, by - br * 0.6f, bx + br, by - br * 0.6f, bx + br * 0.6f, by + br * 0.5f, bx,
                      by + br * 1.2f, bx - br * 0.6f, by + br * 0.5f}),
                Rounded(Hex(0xd81e2a), bx - br * 0.3f, by - br * 0.3f, br, br, 0.5f));
      s.cv.Fill(Poly({bx - br * 0.8f, by - br * 0.6f, bx, by - br * 1.1f, bx + br * 0.8f, by - br * 0.6f, bx,
                      by - br * 0.3f}),
                Hex(0x3a7a2a));
      for (int d = 0; d < 3; ++d)
        s.cv.Fill(Circle(bx + r.Range(-0.5f, 0.5f) * br, by + r.Range(-0.1f, 0.7f) * br, 0.5f * k), Hex(0xf8e080));
    }
  }
  // Sugar crusted on the rocks like pink frost.
  for (int i = 0; i < 60; ++i) {
    const float x = r.Range(170, 600), y = r.Range(40, s.horizon + 10);
    s.cv.Fill(Circle(x, y, r.Range(1, 2.8f)), Hex(0xffe0ec), r.Range(0.4f, 0.9f));
  }
}

// ------------------------------------------------------------ the sweet shop

void Counter(Scene& s, const Element& e) {
  const float x = e.Num("x", 505), y = e.Num("y", 298), w = e.Num("w", 80);
  const Col wood = s.pal.wood * 1.1f;
  s.cv.Fill(Box(x - w, y - 58, x + w, y), Planks(wood, 11, true, SeedOf(s, 631)));
  s.cv.Fill(Box(x - w, y - 58, x + w, y - 50), wood * 0.6f);
  s.cv.Fill(Poly({x - w - 6, y - 58, x + w + 6, y - 58, x + w - 6, y - 74, x - w + 6, y - 74}),
            Planks(wood * 1.3f, 7, false, SeedOf(s, 632)));
  // Painted panels on the front, faded.
  for (int i = 0; i < 3; ++i) {
    const float px = x - w + 12 + i * (2 * w - 24) / 3.f;
    s.cv.Fill(Box(px + 3, y - 44, px + (2 * w - 24) / 3.f - 3, y - 10, 2), Hex(0xc87090) * 0.55f, 0.7f);
  }
  // A big glass jar of sweets, a set of scales and a bell.
  const float jx = x - w * 0.45f, jy = y - 74;
  s.cv.Fill(Box(jx - 17, jy - 44, jx + 17, jy, 6), Hex(0xc8e0e8), 0.35f);
  Rng r(SeedOf(s, 633));
  const Col sweets[] = {Hex(0xf04080), Hex(0xf0d040), Hex(0x60c0f0), Hex(0x80e070), Hex(0xffffff)};
  for (int i = 0; i < 14; ++i) s.cv.Fill(Circle(jx + r.Range(-12, 12), jy - r.Range(4, 22), 3.5f), sweets[i % 5]);
  s.cv.Fill(Box(jx - 12, jy - 50, jx + 12, jy - 44, 2), Hex(0x8a6a3a));
  s.cv.Fill(Line(jx - 12, jy - 40, jx - 12, jy - 6, 1.5f), Hex(0xffffff), 0.6f);
  const float sx = x + w * 0.35f;
  s.cv.Fill(Line(sx, jy, sx, jy - 34, 1.8f), Hex(0xb08a30));
  s.cv.Fill(Line(sx - 24, jy - 32, sx + 24, jy - 32, 1.5f), Hex(0xb08a30));
  for (int side = -1; side <= 1; side += 2) {
    s.cv.Fill(Line(sx + side * 24, jy - 32, sx + side * 24, jy - 16, 0.6f), Hex(0x6a5020));
    s.cv.Fill(Intersect(Ellipse(sx + side * 24, jy - 16, 12, 6),
                        Box(sx + side * 24 - 14, jy - 16, sx + side * 24 + 14, jy - 8)),
              Hex(0xc89a3a));
  }
  s.cv.Fill(Intersect(Circle(x + 8, jy - 2, 8), Box(x, jy - 12, x + 16, jy)), Hex(0xd0a838));
  // Dust on the top.
  s.cv.Fill(Poly({x - w - 6, y - 58, x + w + 6, y - 58, x + w - 6, y - 74, x - w + 6, y - 74}), Hex(0xb8b0a8), 0.15f);
}

void ShopSign(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 55), w = e.Num("w", 150);
  const std::string text = e.Str("text", "SWEETS");
  for (float hx : {x - w * 0.4f, x + w * 0.4f}) s.cv.Fill(Line(hx, BY0 - 2, hx, y - 14, 0.8f), Hex(0x2a2018));
  s.cv.Fill(Box(x - w / 2, y - 14, x + w / 2, y + 16, 4), Planks(Hex(0x8a4a5a), 10, false, SeedOf(s, 641)));
  s.cv.Fill(
      Cut(Box(x - w / 2 + 3, y - 11, x + w / 2 - 3, y + 13, 3), Box(x - w / 2 + 5, y - 9, x + w / 2 - 5, y + 11, 2)),
      Hex(0xd8b048));
  const float th = 16, tw = TextWidth(text, th);
  DrawText(s.cv, text, x - tw / 2 + 1, y - 7, th, 1.9f, Flat(Hex(0x2a1014)));
  DrawText(s.cv, text, x - tw / 2, y - 8, th, 1.8f, Flat(Hex(0xf4e4c0)));
  // One corner has come loose and hangs down.
  s.cv.Fill(Line(x + w / 2 - 10, y + 16, x + w / 2 - 4, y + 26, 2), Hex(0x000000), 0.2f, 3);
}

// A stack of empty crates and boxes, some with their lids off.
void Boxes(Scene& s, const Element& e) {
  const float x = e.Num("x", 490), y = e.Num("y", 298), k = e.Num("s", 1);
  Rng r(SeedOf(s, 651) + static_cast<uint32_t>(x));
  struct B {
    float dx, dy, w, h;
  };
  const B stack[] = {{-40, 0, 62, 44}, {28, 0, 56, 50}, {-20, -44, 52, 38}, {40, -50, 40, 30}, {-6, -82, 44, 32}};
  for (const B& b : stack) {
    const float x0 = x + (b.dx - b.w / 2) * k, x1 = x + (b.dx + b.w / 2) * k, y1 = y + b.dy * k, y0 = y1 - b.h * k;
    const bool crate = r.Uni() < 0.5f;
    const Col c = crate ? s.pal.wood * r.Range(0.9f, 1.3f) : Hex(0xa08058) * r.Range(0.8f, 1.05f);
    const float dp = 10 * k;
    s.cv.Fill(Box(x0, y0, x1, y1),
              crate ? Planks(c, 9 * k, false, SeedOf(s, 652)) : Textured(Flat(c), 0.15f, 6, SeedOf(s, 653)));
    s.cv.Fill(Poly({x1, y0, x1 + dp, y0 - dp * 0.6f, x1 + dp, y1 - dp * 0.6f, x1, y1}), c * 0.55f);
    const bool open = r.Uni() < 0.6f;
    s.cv.Fill(Poly({x0, y0, x1, y0, x1 + dp, y0 - dp * 0.6f, x0 + dp, y0 - dp * 0.6f}),
              open ? Col(Hex(0x140e0a)) : c * 1.25f);
    if (open && !crate) {
      // Flaps folded back.
      s.cv.Fill(Poly({x0, y0, x0 + dp, y0 - dp * 0.6f, x0 - 4 * k, y0 - 16 * k, x0 - 10 * k, y0 - 8 * k}), c * 1.15f);
      s.cv.Fill(Poly({x1, y0, x1 + dp, y0 - dp * 0.6f, x1 + 16 * k, y0 - 14 * k, x1 + 6 * k, y0 - 12 * k}), c * 0.9f);
    }
    if (crate) s.cv.Fill(Line(x0 + 2, y1 - 2, x1 - 2, y0 + 2, 1.6f * k), c * 0.6f);
  }
  s.cv.Fill(Ellipse(x + 10 * k, y + 2, 80 * k, 7 * k), Hex(0x000000), 0.3f, 5);
}

// ------------------------------------------------------------ the armoury and the gate

// An old hauberk of mail and a helm hung on a wooden stand, long empty.
void MailStand(Scene& s, float x, float y, float k) {
  const Col wood = s.pal.wood * 0.8f, iron = Hex(0x8a8a92);
  s.cv.Fill(Ellipse(x + 8 * k, y, 40 * k, 6 * k), Hex(0x000000), 0.35f, 5);
  s.cv.Fill(Box(x - 3 * k, y - 150 * k, x + 3 * k, y), wood);
  s.cv.Fill(Box(x - 26 * k, y - 6 * k, x + 26 * k, y), wood * 0.8f);
  s.cv.Fill(Box(x - 34 * k, y - 128 * k, x + 34 * k, y - 123 * k), wood);
  const Shape mail =
      Poly({x - 36 * k, y - 126 * k, x + 36 * k, y - 126 * k, x + 44 * k, y - 95 * k, x + 32 * k, y - 92 * k,
            x + 30 * k, y - 40 * k, x - 30 * k, y - 40 * k, x - 32 * k, y - 92 * k, x - 44 * k, y - 95 * k});
  s.cv.Fill(mail, [=](float px, float py) {
    // Rows of rings: a fine scalloped pattern, lit from the left.
    const float ring =
        0.75f + 0.25f * std::sin(px * 1.6f / k + std::floor(py / (3 * k)) * 1.7f) * std::sin(py * 2.1f / k);
    return iron * ring * (1.15f - 0.6f * Clamp01((px - x) / (80 * k) + 0.5f));
  });
  s.cv.Fill(Box(x - 31 * k, y - 78 * k, x + 31 * k, y - 72 * k), Hex(0x5a3a20));
  s.cv.Fill(Union(Intersect(Circle(x, y - 142 * k, 17 * k), Box(x - 18 * k, y - 160 * k, x + 18 * k, y - 140 * k)),
                  Box(x - 17 * k, y - 142 * k, x + 17 * k, y - 126 * k)),
            Rounded(iron * 1.1f, x - 5 * k, y - 150 * k, 17 * k, 20 * k, 0.5f));
  s.cv.Fill(Box(x - 12 * k, y - 140 * k, x + 12 * k, y - 136 * k), Hex(0x101014));
  s.cv.Fill(Box(x - 1.5f * k, y - 140 * k, x + 1.5f * k, y - 126 * k), iron * 0.7f);
}

void Shields(Scene& s, const Element& e) {
  if (e.Has("stand")) MailStand(s, e.Num("sx", 500), e.Num("sy", 262), e.Num("sk", 0.9f));
  const int n = static_cast<int>(e.Num("n", 5));
  const float xs[] = {190, 255, 405, 450, 330, 222, 440};
  const float ys[] = {195, 200, 200, 120, 215, 110, 180};
  const Col fields[] = {Hex(0x8a1e1e), Hex(0x1e3a7a), Hex(0x2a6a2a), Hex(0x7a6a1e),
                        Hex(0x4a1e5a), Hex(0x8a1e1e), Hex(0x1e3a7a)};
  for (int i = 0; i < n && i < 7; ++i) {
    const float x = xs[i], y = ys[i];
    const Col f = fields[i];
    if (i % 2 == 0) {
      // A kite shield with a chevron.
      Shape sh = Union(Box(x - 18, y - 24, x + 18, y - 4, 3), Poly({x - 18, y - 5, x + 18, y - 5, x, y + 26}));
      s.cv.Fill(Moved(sh, 3, 3), Hex(0x000000), 0.4f, 3);
      s.cv.Fill(sh, Rounded(f, x - 4, y - 6, 24, 30, 0.5f));
      s.cv.Fill(
          Intersect(sh, Poly({x - 20, y + 6, x, y - 10, x + 20, y + 6, x + 20, y + 14, x, y - 1, x - 20, y + 14})),
          Hex(0xd8c070));
      s.cv.Fill(
          Cut(sh, Moved(Union(Box(x - 15, y - 21, x + 15, y - 4, 2), Poly({x - 15, y - 5, x + 15, y - 5, x, y + 21})),
                        0, 0)),
          Hex(0x8a8a90));
    } else {
      // A round shield with a boss.
      s.cv.Fill(Circle(x + 3, y + 3, 20), Hex(0x000000), 0.4f, 3);
      s.cv.Fill(Circle(x, y, 20), Hex(0x8a8a90));
      s.cv.Fill(Circle(x, y, 17), [=](float px, float py) {
        const float a = std::atan2(py - y, px - x);
        const bool quarter = std::fmod(a + 6.2832f, 3.1416f) < 1.5708f;
        return (quarter ? f : Hex(0xd8c8a0)) * (1.1f - 0.4f * Clamp01(((px - x) + (py - y)) / 30.f + 0.5f));
      });
      s.cv.Fill(Circle(x, y, 5), Rounded(Hex(0xb0b0b8), x - 1, y - 1, 5, 5));
    }
  }
}

// A coat of arms carved in relief into the stone.
void Crest(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 150), k = e.Num("s", 1);
  const Col stone = s.pal.wall * 1.05f;
  auto relief = [&](const Shape& sh, float depth, const Shader& face) {
    s.cv.Fill(Moved(sh, depth, depth), stone * 0.3f, 0.8f, 1.5f);
    s.cv.Fill(Moved(sh, -depth * 0.6f, -depth * 0.6f), stone * 1.6f, 0.7f, 1.2f);
    s.cv.Fill(sh, face);
  };
  // The field of the shield and its border.
  const Shape shield =
      Union(Box(x - 40 * k, y - 44 * k, x + 40 * k, y + 4 * k, 4),
            Intersect(Ellipse(x, y + 4 * k, 40 * k, 52 * k), Box(x - 41 * k, y, x + 41 * k, y + 60 * k)));
  relief(shield, 3, Textured(Flat(stone * 1.05f), 0.15f, 5, SeedOf(s, 661)));
  s.cv.Fill(
      Cut(shield, Union(Box(x - 33 * k, y - 37 * k, x + 33 * k, y + 4 * k, 3),
                        Intersect(Ellipse(x, y + 4 * k, 33 * k, 45 * k), Box(x - 34 * k, y, x + 34 * k, y + 50 * k)))),
      stone * 0.75f);
  // A tower on the field under three stars.
  const Shape tower = Union(Box(x - 12 * k, y - 14 * k, x + 12 * k, y + 30 * k),
                            Union(Box(x - 16 * k, y - 22 * k, x - 8 * k, y - 12 * k),
                                  Union(Box(x - 4 * k, y - 22 * k, x + 4 * k, y - 12 * k),
                                        Box(x + 8 * k, y - 22 * k, x + 16 * k, y - 12 * k))));
  relief(tower, 2, Flat(stone * 1.1f));
  s.cv.Fill(Union(Box(x - 4 * k, y + 14 * k, x + 4 * k, y + 30 * k), Circle(x, y + 14 * k, 4 * k)), stone * 0.35f);
  for (int i = -1; i <= 1; ++i) {
    const float sx = x + i * 22 * k, sy = y - 30 * k + (i == 0 ? -2 : 6) * k;
    std::vector<float> star;
    for (int j = 0; j < 10; ++j) {
      const float a = -1.5708f + j * 0.6283f, rr = (j % 2 ? 2.5f : 6.f) * k;
      star.push_back(sx + std::cos(a) * rr);
      star.push_back(sy + std::sin(a) * rr);
    }
    relief(Poly(star), 1.2f, Flat(stone * 1.15f));
  }
  // A crown above and a scroll below.
  relief(Poly({x - 26 * k, y - 50 * k, x + 26 * k, y - 50 * k, x + 30 * k, y - 74 * k, x + 14 * k, y - 60 * k, x,
               y - 80 * k, x - 14 * k, y - 60 * k, x - 30 * k, y - 74 * k}),
         2.5f, Flat(stone * 1.1f));
  relief(Box(x - 58 * k, y + 56 * k, x + 58 * k, y + 70 * k, 3), 2, Flat(stone * 1.05f));
  for (int i = 0; i < 7; ++i)
    s.cv.Fill(Line(x - 44 * k + i * 14 * k, y + 60 * k, x - 36 * k + i * 14 * k, y + 66 * k, 0.9f), stone * 0.45f);
  // Leaves of laurel on either side.
  for (int side = -1; side <= 1; side += 2)
    for (int i = 0; i < 5; ++i) {
      const float a = 0.4f + i * 0.42f, lx = x + side * std::cos(a) * 54 * k,
                  ly = y + 8 * k - std::sin(a - 0.9f) * 48 * k;
      relief(Ellipse(lx, ly, 5 * k, 9 * k), 1.2f, Flat(stone * 1.1f));
    }
}

// A great gate cut into the rock, shut with iron-bound doors.
void RockGate(Scene& s, const Element& e) {
  const float x = e.Num("x", 340), y = e.Num("y", 250), w = e.Num("w", 75), h = e.Num("h", 175);
  const uint32_t sd = SeedOf(s, 671);
  // A smoothed face of rock round the gate (left out where the gate stands in a wall).
  if (e.Num("face", 1) > 0)
    s.cv.Fill(
        Rough(Ellipse(x, y - h * 0.45f, w * 2.6f, h * 0.95f), 10, 25, sd),
        [&](float px, float py) {
          return Mix(s.pal.rock * 0.9f, s.pal.rockDark, Clamp01((px - x) / (w * 4) + 0.45f)) *
                 (0.6f + 0.6f * Fbm(px / 18.f, py / 30.f, sd + 1, 4));
        },
        1, 30);
  s.cv.Fill(Box(x - w * 2.7f, y - 2, x + w * 2.7f, y + 8), s.pal.rockDark, 0.6f, 6);
  const Col arch = e.Has("stone") ? Tint(e, "stone", "808080") : s.pal.rock * 1.15f;
  // The arch of cut blocks.
  const Shape opening = Union(Box(x - w, y - h + w, x + w, y), Circle(x, y - h + w, w));
  s.cv.Fill(Union(Box(x - w - 16, y - h + w, x + w + 16, y), Circle(x, y - h + w, w + 16)),
            Stones(arch, s.pal.rockDark * 0.5f, 22, 16, sd + 2));
  s.cv.Fill(opening, Hex(0x0c0a0a));
  // Two doors of black timber with iron straps and studs.
  for (int side = -1; side <= 1; side += 2) {
    const Shape leaf =
        Intersect(opening, side < 0 ? Box(x - w, y - h - 2, x - 1.5f, y) : Box(x + 1.5f, y - h - 2, x + w, y));
    s.cv.Fill(leaf, Planks(s.pal.wood * 0.55f, 12, true, sd + 3));
    for (float by : {y - h * 0.78f, y - h * 0.45f, y - h * 0.14f}) {
      s.cv.Fill(Intersect(leaf, Box(x - w, by - 4, x + w, by + 4)), Hex(0x2a2a30));
      for (float bx = x - w + 8; bx < x + w; bx += 14) s.cv.Fill(Intersect(leaf, Circle(bx, by, 2)), Hex(0x8a8a90));
    }
  }
  // A heavy ring and a lock.
  Link(s, x - 14, y - h * 0.32f, 8, 8, 0, Hex(0x707078));
  s.cv.Fill(Box(x - 6, y - h * 0.38f, x + 6, y - h * 0.24f, 2), Hex(0x3a3a40));
  s.cv.Fill(Circle(x, y - h * 0.33f, 2), Hex(0x000000));
}

void SentryBox(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 290), k = e.Num("s", 1);
  const float w = 36 * k, h = 120 * k;
  const Col wood = s.pal.wood * 0.9f, trim = Hex(0x6a1e22);
  s.cv.Fill(Ellipse(x + 10, y + 2, w * 1.6f, 8 * k), Hex(0x000000), 0.4f, 5);
  // The side in shadow, then the front with its dark doorway.
  s.cv.Fill(Poly({x + w, y - h, x + w + 18 * k, y - h - 10 * k, x + w + 18 * k, y - 10 * k, x + w, y}),
            Planks(wood * 0.5f, 9 * k, true, SeedOf(s, 681)));
  s.cv.Fill(Box(x - w, y - h, x + w, y), Planks(wood, 9 * k, true, SeedOf(s, 682)));
  s.cv.Fill(Union(Box(x - w * 0.62f, y - h * 0.72f, x + w * 0.62f, y), Circle(x, y - h * 0.72f, w * 0.62f)),
            Linear(0, y - h, Hex(0x0a0806), 0, y, Hex(0x1e1610)));
  s.cv.Fill(Box(x - w * 0.55f, y - 30 * k, x + w * 0.55f, y - 26 * k), wood * 0.6f);  // the bench inside
  for (float px : {x - w, x + w}) s.cv.Fill(Box(px - 3 * k, y - h, px + 3 * k, y), trim);
  // A pitched roof.
  s.cv.Fill(Poly({x - w - 10 * k, y - h + 2, x, y - h - 34 * k, x + w + 10 * k, y - h + 2}),
            Linear(x - w, 0, trim * 1.3f, x + w, 0, trim * 0.6f));
  s.cv.Fill(
      Poly({x + w + 10 * k, y - h + 2, x, y - h - 34 * k, x + 18 * k, y - h - 44 * k, x + w + 28 * k, y - h - 8 * k}),
      trim * 0.45f);
  // A small lantern, long out, and a spear leaning by the door.
  s.cv.Fill(Line(x - w - 12 * k, y, x - w - 4 * k, y - h - 10 * k, 1.5f * k), s.pal.wood * 0.7f);
  s.cv.Fill(Poly({x - w - 4 * k, y - h - 10 * k, x - w - 7 * k, y - h - 2 * k, x - w - 1 * k, y - h - 24 * k}),
            Hex(0x9a9aa2));
}

// ------------------------------------------------------------ the mines

void Powder(Scene& s, const Element& e) {
  const float vx = e.Num("x", 350), vy = e.Num("y", 175);
  const uint32_t sd = SeedOf(s, 691);
  // The tunnel's floor, dusted white and brightest nearest the viewer.
  s.cv.Fill(
      Rough(Poly({vx - 22, vy + 28, vx + 22, vy + 28, 575, 380, 25, 380}), 8, 18, sd),
      [&](float px, float py) {
        const float t = Clamp01((py - vy) / (375 - vy));
        const float n = Fbm(px / (6 + 30 * t), py / (3 + 10 * t), sd + 1, 4);
        // Dimmer towards the walls, where the lamplight does not reach.
        const float hw = 22 + (275 - 22) * t, side = Clamp01(std::fabs(px - (vx + (300 - vx) * t)) / hw);
        return Mix(Hex(0x7a7e86), Hex(0xe8e8ec), Clamp01(0.2f + 0.65f * t)) * (0.85f + 0.25f * n) *
               (1.f - 0.45f * side * side);
      },
      0.85f, 10);
  // Drifts against the walls and a few footprints.
  Rng r(sd + 2);
  for (int i = 0; i < 10; ++i) {
    const float y = r.Range(vy + 60, 370), t = (y - vy) / (375 - vy);
    const float x = (i % 2 ? vx + 10 + 170 * t : vx - 10 - 190 * t) + r.Range(-10, 10);
    s.cv.Fill(Ellipse(x, y, 30 * t + 5, 5 * t + 2), Hex(0xfafafa), 0.35f, 6);
  }
  for (int i = 0; i < 4; ++i) {
    const float y = 250 + i * 26, x = 405 + (i % 2 ? 16 : -16) + i * 10;
    s.cv.Fill(Ellipse(x, y, 5 + i, 2.2f + i * 0.5f), Hex(0xa8acb4), 0.7f, 2);
  }
}

void Diamonds(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 26));
  const float vx = e.Num("x", 350), vy = e.Num("y", 175);
  Rng r(SeedOf(s, 701));
  for (int i = 0; i < n; ++i) {
    const float a = r.Range(0, 6.2832f), d = r.Range(0.35f, 1.1f);
    const float x = vx + std::cos(a) * 270 * d, y = vy + std::sin(a) * 190 * d;
    if (y > vy + 70 || Crowded(x - 10, y - 10, x + 10, y + 10)) continue;
    const float sz = 3 + 6 * d;
    // A cut stone set in the rock: facets of white and ice blue.
    s.cv.Fill(Circle(x + 1, y + 1, sz * 1.1f), Hex(0x000000), 0.5f, 2);
    s.cv.Fill(Poly({x - sz, y, x, y - sz, x + sz, y, x, y + sz * 1.2f}), Hex(0x9ad0f0));
    s.cv.Fill(Poly({x - sz, y, x, y - sz, x, y}), Hex(0xffffff));
    s.cv.Fill(Poly({x, y, x + sz, y, x, y + sz * 1.2f}), Hex(0x4a88c0));
    if (i % 3 == 0) {
      Glint(s, x - sz * 0.3f, y - sz * 0.4f, sz * 1.8f, Hex(0xf0f8ff));
      s.AddLight(x, y, 25 + sz * 4, Hex(0xa0d0ff));
    }
  }
}

// Rough steps cut into the floor of a passage that climbs away from us; the
// passage's far end is at (x, y), its floor spreading to the bottom corners.
void CutSteps(Scene& s, const Element& e) {
  const float vx = e.Num("x", 330), vy = e.Num("y", 130) + 26;
  const int n = static_cast<int>(e.Num("n", 9));
  Rng r(SeedOf(s, 705));
  for (int i = n - 1; i >= 0; --i) {
    // Nearer steps are further apart, as they would be seen in depth.
    const float f = std::pow(static_cast<float>(i + 1) / n, 1.6f), f0 = std::pow(static_cast<float>(i) / n, 1.6f);
    const float y = vy + (380 - vy) * f, yr = vy + (380 - vy) * f0;
    const float hw = 20 + 250 * f, cx = vx + (300 - vx) * f;
    const float hw0 = 20 + 250 * f0, cx0 = vx + (300 - vx) * f0;
    // The tread, lit, and under it the dark face of the next step up.
    s.cv.Fill(Rough(Poly({cx0 - hw0, yr, cx0 + hw0, yr, cx + hw, y - 3 * f * 10, cx - hw, y - 3 * f * 10}), 1 + 2 * f,
                    6, SeedOf(s, 706) + static_cast<uint32_t>(i)),
              Textured(Flat(s.pal.rock * (0.45f + 0.6f * f)), 0.3f, 3 + 8 * f, SeedOf(s, 707)));
    s.cv.Fill(Rough(Poly({cx - hw, y - 30 * f, cx + hw, y - 30 * f, cx + hw, y, cx - hw, y}), 1 + 2 * f, 6,
                    SeedOf(s, 708) + static_cast<uint32_t>(i)),
              s.pal.rockDark * (0.5f + 0.3f * f));
    if (r.Uni() < 0.5f) Boulder(s, cx + r.Range(-hw, hw) * 0.6f, y - 30 * f - 2, 3 + 6 * f, 2 + 4 * f, s.pal.rock);
  }
}

// ------------------------------------------------------------ carved tunnels

Passage TunnelAt(const Element& e, float dx = 330, float dy = 175) {
  return Passage{e.Num("x", dx), e.Num("y", dy), 42, 58};
}

void CarvedTunnel(Scene& s, const Element& e) {
  const Passage p = TunnelAt(e);
  const uint32_t sd = SeedOf(s, 711);
  const Col stone = Mix(s.pal.rock, s.pal.wall, 0.5f) * 1.05f;
  PaintPassage(
      s, p,
      [&](int face, float z, float a, float q) {
        Col c = DressedStone(s, stone, face, z, a, q, sd);
        // A carved moulding running along both walls.
        if (face < 2 && std::fabs(a - 95) < 7) c = c * (std::fabs(a - 95) < 3 ? 1.25f : 0.55f);
        if (face < 2 && std::fabs(a + 120) < 5) c = c * 0.6f;
        return c;
      },
      [&](float, float) { return Hex(0x050406); });
}

// Stone serpents writhing along both walls, one high and one low on each.
void Serpents(Scene& s, const Element& e) {
  const Passage p = TunnelAt(e);
  const Col stone = Mix(s.pal.rock, s.pal.wall, 0.5f) * 1.3f;
  for (int side = -1; side <= 1; side += 2)
    for (int level = 0; level < 2; ++level) {
      if (side < 0 && level == 1) continue;  // keep the lower left wall plain
      std::vector<std::pair<float, float>> pts;
      std::vector<float> widths;
      const float mid = level ? -60 : 70, phase = side * 1.3f + level * 2.f;
      for (int i = 0; i <= 90; ++i) {
        const float q = 0.97f - i * 0.009f;
        const float along = (1.f / p.Scale(q) - 1) * 70;
        float x, y;
        p.WallPoint(side, q, mid + 34 * std::sin(along / 38.f + phase), x, y);
        pts.push_back({x, y});
        widths.push_back(16 * p.Scale(q) * (1.f - 0.5f * i / 90.f));
      }
      for (int pass = 0; pass < 3; ++pass)
        for (size_t i = 1; i < pts.size(); ++i) {
          const float w = widths[i];
          const auto [ax, ay] = pts[i - 1];
          const auto [bx, by] = pts[i];
          if (pass == 0)
            s.cv.Fill(Capsule(ax + w * 0.3f, ay + w * 0.4f, bx + w * 0.3f, by + w * 0.4f, w, w), Hex(0x000000), 0.5f,
                      3);
          if (pass == 1)
            s.cv.Fill(Capsule(ax, ay, bx, by, w, w), Linear(0, ay - w, stone * 1.25f, 0, ay + w, stone * 0.4f));
          // Scales along the back.
          if (pass == 2 && i % 3 == 0) s.cv.Fill(Ellipse(bx, by - w * 0.25f, w * 0.5f, w * 0.3f), stone * 0.7f, 0.6f);
        }
      // The head near the viewer, jaws open, with a glinting eye.
      const auto [hx, hy] = pts.front();
      const float w = widths.front(), dir = -static_cast<float>(side);
      const Shape head = Union(Ellipse(hx + dir * w * 0.6f, hy, w * 1.9f, w * 1.2f),
                               Poly({hx + dir * w * 1.5f, hy - w * 0.8f, hx + dir * w * 3.6f, hy - w * 0.2f,
                                     hx + dir * w * 1.5f, hy + w * 0.2f}));
      s.cv.Fill(Moved(head, w * 0.3f, w * 0.4f), Hex(0x000000), 0.5f, 3);
      s.cv.Fill(head, Rounded(stone, hx, hy - w * 0.4f, w * 2, w * 1.3f, 0.5f));
      s.cv.Fill(Poly({hx + dir * w * 1.5f, hy + w * 0.25f, hx + dir * w * 3.4f, hy + w * 0.9f, hx + dir * w * 1.4f,
                      hy + w * 0.9f}),
                stone * 0.8f);
      s.cv.Fill(Poly({hx + dir * w * 1.6f, hy + w * 0.15f, hx + dir * w * 3.4f, hy + w * 0.05f, hx + dir * w * 3.3f,
                      hy + w * 0.7f}),
                Hex(0x0a0606));
      s.cv.Fill(Line(hx + dir * w * 3.3f, hy + w * 0.4f, hx + dir * w * 4.2f, hy + w * 0.6f, w * 0.08f), Hex(0x6a2020));
      s.cv.Fill(Ellipse(hx + dir * w * 1.0f, hy - w * 0.45f, w * 0.35f, w * 0.25f), Hex(0xd8c060));
      s.cv.Fill(Ellipse(hx + dir * w * 1.0f, hy - w * 0.45f, w * 0.08f, w * 0.22f), Hex(0x000000));
    }
}

// Glowing runes cut into the walls of the passage.
void Runes(Scene& s, const Element& e) {
  const Passage p = TunnelAt(e);
  const Col glow = Tint(e, "c", "70f0d0");
  Rng r(SeedOf(s, 721));
  for (int side = -1; side <= 1; side += 2)
    for (int i = 0; i < 7; ++i) {
      const float q = 0.9f - i * 0.12f;
      const float sc = p.Scale(q);
      for (int row = 0; row < 2; ++row) {
        float x, y;
        p.WallPoint(side, q, row ? 40 : -10, x, y);
        const float h = 30 * sc;
        if (Crowded(x - h, y - h, x + h, y + h)) continue;
        // A rune: a stave with two or three strokes branching from it.
        std::vector<std::array<float, 4>> strokes = {{0, -1, 0, 1}};
        for (int k = 0; k < r.Int(2, 3); ++k) {
          const float a = r.Range(-1, 1), b = r.Range(-1, 1);
          strokes.push_back({0, a, r.Uni() < 0.5f ? -0.6f : 0.6f, b});
        }
        for (const auto& st : strokes) {
          s.cv.Fill(
              Line(x + st[0] * h * 0.5f, y + st[1] * h * 0.5f, x + st[2] * h * 0.5f, y + st[3] * h * 0.5f, 3.5f * sc),
              glow, 0.25f, 3 * sc);
          s.cv.Fill(
              Line(x + st[0] * h * 0.5f, y + st[1] * h * 0.5f, x + st[2] * h * 0.5f, y + st[3] * h * 0.5f, 1.4f * sc),
              Mix(glow, Hex(0xffffff), 0.5f));
        }
        if (row == 0) s.AddLight(x, y, 50 * sc + 15, glow);
      }
    }
}

// The end of the passage opens on a purple sky and the edge of a dark building.
void BuildingGlimpse(Scene& s, const Element& e) {
  const Passage p = TunnelAt(e);
  const float x0 = p.vx - p.fw, x1 = p.vx + p.fw, y0 = p.vy - p.fh, y1 = p.vy + p.fh;
  const uint32_t sd = SeedOf(s, 731);
  s.cv.Fill(Box(x0, y0, x1, y1), [&](float x, float y) {
    const float t = (y - y0) / (y1 - y0);
    const float cl = Fbm(x / 20.f, y / 8.f, sd, 3);
    return Mix(Mix(Hex(0x3a1a4a), Hex(0xb060a0), t), Hex(0xd898c8), Smooth(0.55f, 0.75f, cl) * 0.6f);
  });
  // A black tower and walls, lit windows.
  s.cv.Fill(Rough(Box(x0 + 24, y0 + 18, x0 + 58, y1), 1, 4, sd + 1), Hex(0x140c18));
  s.cv.Fill(Box(x0 - 2, y1 - 40, x1 + 2, y1), Hex(0x1a1020));
  s.cv.Fill(Poly({x0 + 20, y0 + 20, x0 + 41, y0 + 2, x0 + 62, y0 + 20}), Hex(0x100a14));
  for (float wy : {y0 + 34, y0 + 58}) s.cv.Fill(Box(x0 + 38, wy, x0 + 43, wy + 8), Hex(0xffb050));
  s.cv.Fill(Box(x0 - 2, y1 - 4, x1 + 2, y1 + 2), s.pal.floor * 0.5f);
  s.AddLight(p.vx, p.vy + 20, 120, Hex(0xb060c0));
}

// Looking out of the last tunnel: its rim of rock frames the sky.
void CaveRim(Scene& s, const Element&) {
  const uint32_t sd = SeedOf(s, 741);
  std::vector<float> pts = {-5, -5, 605, -5, 605, 380};
  for (int i = 0; i <= 24; ++i) {
    const float a = i / 24.f * 3.1416f;
    const float rx = 250 + 30 * std::sin(i * 1.7f), ry = 230 + 20 * std::sin(i * 2.3f);
    pts.push_back(300 + std::cos(a) * rx * 1.12f);
    pts.push_back(375 - std::sin(a) * ry * 1.3f);
  }
  pts.insert(pts.end(), {-5, 380});
  s.cv.Fill(Rough(Poly(pts), 10, 26, sd), [&](float x, float y) {
    const float n = Fbm(x / 30.f, y / 24.f, sd + 1, 4);
    const float d = std::hypot((x - 300) / 1.12f, (375 - y) / 1.3f);
    const float rim = Clamp01(1.f - (d - 240) / 40.f);  // the inner edge catches the purple light
    return Mix(s.pal.rockDark * 0.7f, Mix(s.pal.rock, Hex(0x9a5a9a), 0.4f), rim * 0.8f) * (0.6f + 0.6f * n);
  });
}

// ------------------------------------------------------------ the palace approach

// A black tower of fused rock, its surface run and glossy like cooled glass.
void BlackTower(Scene& s, const Element& e) {
  const float x = e.Num("x", 350), base = e.Num("y", 310), top = e.Num("top", 18);
  const uint32_t sd = SeedOf(s, 751);
  std::vector<float> outline;
  for (int i = 0; i <= 16; ++i) {
    const float t = i / 16.f, y = base - (base - top) * t, hw = 135 - 60 * t + 8 * std::sin(i * 2.1f);
    outline.insert(outline.end(), {x - hw, y});
  }
  // The top: uneven spires, as if the rock had boiled and set.
  const float spires[] = {-70, -50, -34, -10, 8, 30, 52, 72};
  for (int i = 0; i < 8; ++i)
    outline.insert(outline.end(), {x + spires[i], top - (i % 2 ? 34 : 6) - (i == 3 ? 30 : 0)});
  for (int i = 16; i >= 0; --i) {
    const float t = i / 16.f, y = base - (base - top) * t, hw = 135 - 60 * t + 8 * std::sin(i * 1.7f + 1);
    outline.insert(outline.end(), {x + hw, y});
  }
  const Shape tower = Rough(Poly(outline), 4, 12, sd);
  s.cv.Fill(tower, [&](float px, float py) {
    // Vertical runs of glassy rock with sharp violet highlights.
    const float run = Fbm(px / 7.f, py / 90.f, sd + 1, 4);
    const float side = (px - x) / 130.f;
    Col c = Hex(0x0e0a12) * (0.8f + 0.6f * run);
    const float sheen = Smooth(0.62f, 0.72f, run) * Clamp01(0.8f - side);
    c = c + Hex(0x8a50a8) * (sheen * 0.6f);
    c = c + Hex(0xb070c0) * (0.25f * Smooth(-0.6f, -0.95f, side));
    return c;
  });
  // Drips of rock frozen as they ran down.
  Rng r(sd + 2);
  for (int i = 0; i < 12; ++i) {
    const float px = x + r.Range(-110, 110), py = r.Range(top + 30, base - 60), l = r.Range(20, 60);
    s.cv.Fill(Capsule(px, py, px + r.Range(-3, 3), py + l, 4, 2.5f), Hex(0x1a1220), 0.9f);
    s.cv.Fill(Line(px - 2, py, px - 2, py + l * 0.8f, 0.8f), Hex(0x9a70b0), 0.5f);
  }
  // Slit windows with a sullen red light.
  const float wins[][2] = {{-40, 90}, {30, 70}, {-10, 150}, {50, 170}, {-55, 200}};
  for (const auto& w : wins) {
    s.cv.Fill(Box(x + w[0] - 3, top + w[1], x + w[0] + 3, top + w[1] + 18, 1.5f), Hex(0xe05030));
    s.AddLight(x + w[0], top + w[1] + 9, 26, Hex(0xff5030));
  }
  s.cv.Fill(Ellipse(x, base + 4, 170, 14), Hex(0x000000), 0.5f, 8);
}

// A passage of black glass reflecting faint light.
void GlassPassage(Scene& s, const Element& e) {
  const Passage p{e.Num("x", 330), e.Num("y", 150), 75, 88};
  const uint32_t sd = SeedOf(s, 761);
  PaintPassage(
      s, p,
      [&](int face, float z, float a, float q) {
        const float along = (z - 1) * 70;
        // Panels of glass, each a slightly different black, with streaks of reflection.
        const float panel = std::floor(along / 60.f);
        Col c = Hex(0x0c0a14) * (0.8f + 0.4f * Noise(panel * 2.3f, face * 5.f, sd));
        // Glossy mottling where the glass catches the light.
        const float gloss =
            Fbm(face < 2 ? along / 50.f : a / 50.f, face < 2 ? a / 120.f : along / 120.f, sd + 2 + face, 3);
        c = c + Hex(0x7a5ab0) * (0.3f * Smooth(0.55f, 0.75f, gloss));
        if (std::fmod(along + 6000, 60.f) < 2.f) c = c + Hex(0x5a4a80) * 0.18f;  // seams between the panes
        if (face == 3) c = c + Hex(0xd0b0ff) * (0.15f * Smooth(40, 0, std::fabs(a)) * q);
        return c * (0.35f + 0.9f * q) + Hex(0x1a1428) * (0.2f * Fbm(a / 40.f, along / 40.f, sd + 1, 3));
      },
      [&](float, float y) { return Mix(Hex(0x2a2038), Hex(0x0a0810), Clamp01((y - p.vy + p.fh) / (2 * p.fh))); });
  s.AddLight(p.vx, p.vy - p.fh * 0.5f, 160, Hex(0x9070d0));
}

// Cloaks left on pegs along the wall, grey with dust.
void Cloaks(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 7));
  const float y = e.Num("y", 92), x0 = e.Num("x0", 205), x1 = e.Num("x1", 445);
  const Col cols[] = {Hex(0x6a1e22), Hex(0x2a3a5a), Hex(0x3a5a2a), Hex(0x5a4a2a),
                      Hex(0x4a2a5a), Hex(0x2a2a2a), Hex(0x7a5a3a)};
  Rng r(SeedOf(s, 771));
  s.cv.Fill(Box(x0 - 25, y - 8, x1 + 25, y), Planks(s.pal.wood, 30, false, SeedOf(s, 772)));
  for (int i = 0; i < n; ++i) {
    const float x = x0 + i * (x1 - x0) / std::max(1, n - 1), len = r.Range(110, 140), w = r.Range(18, 26);
    const Col c = Mix(cols[i % 7], Hex(0x8a8480), 0.3f);
    s.cv.Fill(Box(x - 2, y - 2, x + 2, y + 6), Hex(0x8a7a50));
    const Shape cloak = Poly({x - 8, y + 4, x + 8, y + 4, x + w, y + len, x + w * 0.4f, y + len + 6, x - w * 0.3f,
                              y + len + 3, x - w, y + len});
    s.cv.Fill(Moved(cloak, 4, 3), Hex(0x000000), 0.35f, 4);
    s.cv.Fill(cloak, [=](float px, float py) {
      const float fold = 0.75f + 0.35f * std::sin((px - x) / 5.f + (py - y) / 60.f);
      return c * fold * (1.1f - 0.4f * Clamp01((px - x) / (2 * w) + 0.5f));
    });
    // Hood folded at the shoulders, and a clasp.
    s.cv.Fill(Ellipse(x, y + 16, 11, 12), Rounded(c * 1.1f, x - 2, y + 12, 11, 12));
    s.cv.Fill(Circle(x, y + 28, 2.2f), Hex(0xc8a040));
  }
  // More cloaks thrown in a heap on the floor at the right, no pegs left for them.
  if (e.Num("heap", 1) > 0) {
    const float hx = e.Num("hx", 525), hy = e.Num("hy", 300);
    s.cv.Fill(Ellipse(hx + 6, hy + 8, 90, 14), Hex(0x000000), 0.35f, 6);
    for (int i = 0; i < 7; ++i) {
      const float cx = hx + r.Range(-40, 40), cy = hy - r.Range(0, 34) + (i < 3 ? 0 : -10), rx = r.Range(34, 52),
                  ry = r.Range(13, 22);
      const Col c = Mix(cols[(i + 3) % 7], Hex(0x8a8480), 0.3f);
      s.cv.Fill(Rough(Ellipse(cx, cy, rx, ry), 3, 8, SeedOf(s, 773) + static_cast<uint32_t>(i)),
                [=](float px, float py) {
                  return c * (0.7f + 0.5f * Fbm((px - cx) / 14.f, (py - cy) / 7.f, 7u + static_cast<uint32_t>(cx), 3)) *
                         (1.15f - 0.5f * Clamp01((py - cy) / ry * 0.5f + 0.5f));
                });
    }
  }
  // Dust and cobweb threads between the pegs.
  for (int i = 0; i + 1 < n; i += 2) {
    const float a = x0 + i * (x1 - x0) / std::max(1, n - 1), b = x0 + (i + 1) * (x1 - x0) / std::max(1, n - 1);
    s.cv.Fill(Line(a, y + 2, (a + b) / 2, y + 14, 0.5f), Hex(0xd8d8d0), 0.5f);
    s.cv.Fill(Line((a + b) / 2, y + 14, b, y + 2, 0.5f), Hex(0xd8d8d0), 0.5f);
  }
}

// ------------------------------------------------------------ the four doors

// The round chamber's floor meets its wall along this ellipse.
constexpr float RCY = 306, RRX = 360, RRY = 72;

// Where the i-th of n doors stands round the chamber's wall: its middle, its
// foot, and how much it is turned away (1 facing us).
struct DoorSpot {
  float x, y, face;
};
DoorSpot RoundDoor(int i, int n) {
  // The doors keep to the right of the middle, clear of the people on the left.
  const float a = (n == 1 ? 0.f : -0.38f + 1.45f * static_cast<float>(i) / static_cast<float>(n - 1));
  const float x = 300 + std::sin(a) * RRX * 0.78f;
  const float dx = (x - 300) / RRX;
  return {x, RCY - RRY * std::sqrt(std::max(0.f, 1 - dx * dx)) + 4, std::cos(a)};
}

// A round chamber: a curved wall of blocks, a domed ceiling, a floor laid in
// rings, and its doors standing round the wall.
void RoundChamber(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = BY1;
  const uint32_t sd = SeedOf(s, 781);
  const float cy = RCY, rx = RRX, ry = RRY;
  const Col wall = s.pal.wall, dark = s.pal.wallDark;
  s.cv.Map([&](int ix, int iy, Col) {
    const float x = ix + 0.5f, y = iy + 0.5f, dx = (x - 300) / rx;
    const float base = cy - ry * std::sqrt(std::max(0.f, 1 - dx * dx));
    if (y < base) {
      // The wall: blocks curve round, darker where it turns away.
      const float ang = std::asin(std::clamp(dx, -1.f, 1.f));
      const float top = 30 + 30 * (1 - std::cos(ang));
      const float u = ang * 260, v = y + 60 * (1 - std::cos(ang));  // courses bend round the room
      Col c = Stones(wall, dark * 0.7f, 46, 24, sd)(u + 500, v);
      c = c * (1.05f - 0.55f * std::fabs(dx));
      if (y < top) c = Mix(dark * 0.5f, c, Clamp01((y - top + 40) / 40.f)) * 0.6f;
      return c;
    }
    // The floor in rings of stone round the middle.
    const float fx = (x - 300) / rx, fy = (y - cy) / ry;
    const float d = std::sqrt(fx * fx + fy * fy * 0.9f);
    const float ring = d * 9 - std::floor(d * 9);
    Col c = s.pal.floor * (0.75f + 0.35f * Noise(std::floor(d * 9) * 3.f, std::atan2(fy, fx) * 4, sd + 1));
    if (ring < 0.07f) c = c * 0.55f;
    if (d < 0.18f) c = Mix(c, s.pal.light * 0.5f, 0.25f);
    return c * (0.75f + 0.35f * Clamp01((y - base) / 140.f));
  });
  // The doors, each of its own colour, turned as the wall turns.
  const int n = static_cast<int>(e.Num("doors", 0));
  const char* tints[] = {"8a2a24", "2a4a8a", "2a6a3a", "8a7a2a"};
  for (int i = 0; i < n; ++i) {
    const DoorSpot d = RoundDoor(i, n);
    const float w = 34 * d.face, h = 120, y = d.y;
    const Col wood = Hex(static_cast<uint32_t>(std::stoul(tints[i % 4], nullptr, 16)));
    const Shape frame = Union(Box(d.x - w - 7 * d.face, y - h + 34, d.x + w + 7 * d.face, y),
                              Ellipse(d.x, y - h + 34, w + 7 * d.face, 41));
    const Shape door = Union(Box(d.x - w, y - h + 34, d.x + w, y), Ellipse(d.x, y - h + 34, w, 34));
    s.cv.Fill(frame, Stones(s.pal.wall * 0.95f, s.pal.wallDark * 0.7f, 12, 9, sd + 5 + static_cast<uint32_t>(i)));
    s.cv.Fill(door, Planks(wood, std::max(3.f, w / 2.5f), true, sd + 9));
    for (float by : {y - h * 0.75f, y - h * 0.3f})
      s.cv.Fill(Intersect(Box(d.x - w, by - 3, d.x + w, by + 3), door), Hex(0x2a2a2e));
    s.cv.Fill(Circle(d.x + w * 0.6f, y - h * 0.45f, 3), Hex(0xc8a040));
  }
  // The stair leading down, at the right: a well in the floor with steps
  // dropping into the dark.
  const float x = 530, y = 322;
  s.cv.Fill(Poly({x - 62, y - 22, x + 62, y - 22, x + 70, y + 40, x - 70, y + 40}), s.pal.floor * 1.25f);
  s.cv.Fill(Poly({x - 55, y - 17, x + 55, y - 17, x + 62, y + 36, x - 62, y + 36}), Hex(0x060408));
  // The left wall of the stairwell in light, the steps going down and right into the dark.
  s.cv.Fill(Poly({x - 55, y - 17, x - 20, y - 17, x + 10, y + 36, x - 62, y + 36}), s.pal.wall * 0.55f);
  for (int i = 0; i < 4; ++i) {
    const float sy = y - 14 + i * 12, x0 = x - 48 + i * 16, x1 = x + 54;
    s.cv.Fill(Box(x0, sy, x1, sy + 7), s.pal.wall * (1.5f - i * 0.36f));
    s.cv.Fill(Box(x0, sy + 7, x1, sy + 12), s.pal.floorDark * (0.6f - i * 0.14f));
  }
}

// Writing on each door and a pale light that seems to speak.
void VoiceLight(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  const Col glow = s.pal.light;
  Rng r(SeedOf(s, 791));
  for (int i = 0; i < n; ++i) {
    const DoorSpot d = RoundDoor(i, n);
    const float x = d.x, hw = 22 * d.face, py = d.y - 92;
    // Lines of lettering on a pale plate on each door.
    s.cv.Fill(Box(x - hw, py, x + hw, py + 26, 2), Hex(0xe8dcc0), 0.9f);
    for (int l = 0; l < 3; ++l) {
      float lx = x - hw + 3;
      while (lx < x + hw - 5) {
        const float w = r.Range(2, 6) * d.face;
        s.cv.Fill(Line(lx, py + 6 + l * 7, std::min(lx + w, x + hw - 3), py + 6 + l * 7, 0.8f), Hex(0x2a1a2a));
        lx += w + 2;
      }
    }
  }
  // The light over the doors, with rings of its voice spreading out.
  const float cx = e.Num("x", 360), cy = e.Num("y", 72);
  for (int i = 1; i <= 4; ++i) {
    const float rr = 14 + i * 18;
    s.cv.Fill(Cut(Ellipse(cx, cy, rr * 1.6f, rr * 0.7f), Ellipse(cx, cy, rr * 1.6f - 2.5f, rr * 0.7f - 1.5f)), glow,
              0.4f - i * 0.07f, 2);
  }
  s.cv.Fill(Circle(cx, cy, 14), glow, 0.5f, 8);
  s.cv.Fill(Circle(cx, cy, 6), Hex(0xffffff), 0.9f, 3);
  s.AddLight(cx, cy, 170, glow);
}

// Looking back through the coloured door just passed: its frame round the
// picture and the open door to one side.
void DoorframeBack(Scene& s, const Element& e) {
  const Col tint = Tint(e, "tint", "8a2a24");
  const uint32_t sd = SeedOf(s, 801);
  const Col stone = s.pal.wall * 0.9f;
  // The frame: two jambs and a lintel of dressed stone.
  s.cv.Fill(Box(-5, -5, 605, 26), Stones(stone, stone * 0.4f, 40, 18, sd));
  s.cv.Fill(Box(-5, -5, 22, 380), Stones(stone * 0.85f, stone * 0.4f, 30, 24, sd + 1));
  s.cv.Fill(Box(578, -5, 605, 380), Stones(stone * 0.7f, stone * 0.35f, 30, 24, sd + 2));
  s.cv.Fill(Line(22, 26, 578, 26, 2), Hex(0x000000), 0.5f, 3);
  // The door, swung open against the right hand wall.
  const Shape leaf = Poly({578, 30, 500, 70, 500, 330, 578, 375});
  s.cv.Fill(leaf, [&](float px, float py) {
    const float plank = std::fmod((px - 500) / 13.f, 1.f);
    Col c = tint * (0.5f + 0.45f * (px - 500) / 78.f) * (plank < 0.1f ? 0.6f : 1.f);
    return c * (0.9f + 0.2f * Noise(px / 6.f, py / 40.f, sd + 3));
  });
  for (float t : {0.2f, 0.75f}) s.cv.Fill(Line(500, 70 + 260 * t, 578, 30 + 345 * t, 3), Hex(0x2a2a2e));
  s.cv.Fill(Circle(508, 200, 3), Hex(0xc8a040));
  // The tint of the door colours the light a little.
  s.cv.Map([&](int x, int, Col c) { return Mix(c, c * (tint * 2.2f), 0.18f * Clamp01((x - 300) / 300.f + 0.5f)); });
}

// A safe passage: warm, quiet light from the far end.
void SoftLight(Scene& s, const Element& e) {
  const float vx = e.Num("x", 330), vy = e.Num("y", 170);
  s.cv.Fill(Rough(Ellipse(vx, vy, 22, 28), 3, 6, SeedOf(s, 811)), Hex(0xffe8b0));
  s.cv.Fill(Ellipse(vx, vy, 40, 48), Hex(0xffd890), 0.5f, 20);
  // Beams of light lying along the floor and walls.
  for (int i = 0; i < 5; ++i) {
    const float a = -0.7f + i * 0.35f + 1.5708f;
    s.cv.Fill(Poly({vx, vy, vx + std::cos(a - 0.08f) * 420, vy + std::sin(a - 0.08f) * 260,
                    vx + std::cos(a + 0.08f) * 420, vy + std::sin(a + 0.08f) * 260}),
              Hex(0xffe0a0), 0.07f, 10);
  }
  s.cv.Map([&](int x, int y, Col c) {
    const float d = std::hypot((x - vx) / 1.3f, y - vy);
    return c + Hex(0x806030) * (0.35f * std::exp(-d / 120.f));
  });
  s.AddLight(vx, vy, 220, Hex(0xffd080));
}

// ------------------------------------------------------------ the palace

void Ghost(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 150), k = e.Num("s", 1);
  const Col pale = Hex(0xdce8f0);
  // A faint shadow on the floor far below the floating figure.
  s.cv.Fill(Ellipse(x + 6, 300, 40 * k, 7 * k), Hex(0x000000), 0.25f, 8);
  const Shape body =
      Union(Poly({x - 30 * k, y + 10 * k, x + 30 * k, y + 10 * k, x + 44 * k, y + 110 * k, x + 24 * k, y + 100 * k,
                  x + 10 * k, y + 125 * k, x - 6 * k, y + 104 * k, x - 22 * k, y + 122 * k, x - 40 * k, y + 106 * k}),
            Circle(x, y - 8 * k, 27 * k));
  const Shape arms = Union(Capsule(x - 26 * k, y + 22 * k, x - 60 * k, y - 4 * k, 9 * k, 4 * k),
                           Capsule(x + 26 * k, y + 22 * k, x + 58 * k, y + 30 * k, 9 * k, 4 * k));
  s.cv.Fill(Union(body, arms), pale, 0.22f, 14);
  s.cv.Fill(arms, Linear(x - 60 * k, 0, pale, x + 60 * k, 0, pale * 0.7f), 0.55f, 3);
  s.cv.Fill(
      body,
      [=](float px, float py) {
        const float fade = Clamp01((py - y) / (120 * k));
        return Mix(pale, Hex(0x8aa8c0), fade) * (1.05f - 0.3f * Clamp01((px - x) / (60 * k) + 0.5f));
      },
      0.7f, 3);
  // Hollow eyes and a mournful mouth.
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Ellipse(x + side * 10 * k, y - 10 * k, 5 * k, 7 * k), Hex(0x1a2030), 0.85f);
  s.cv.Fill(Ellipse(x, y + 8 * k, 5 * k, 8 * k), Hex(0x1a2030), 0.75f);
  s.AddLight(x, y + 20 * k, 150 * k, Hex(0xa0c8e0));
}

// Eyes set in the walls, all watching.
void EyesWall(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 14));
  const float spots[][3] = {{215, 75, 11},  {385, 75, 11}, {222, 190, 9}, {378, 190, 9},  {300, 60, 8},
                            {60, 70, 16},   {90, 150, 13}, {540, 80, 16}, {520, 170, 14}, {555, 260, 18},
                            {585, 300, 12}, {240, 130, 7}, {360, 130, 7}, {30, 180, 11}};
  for (int i = 0; i < n && i < 14; ++i) {
    const float x = spots[i][0], y = spots[i][1], r = spots[i][2];
    const float lx = x + (300 - x) * 0.02f;
    // A carved lid round a glowing yellow eye, its slit pupil on the viewer.
    s.cv.Fill(Ellipse(x, y, r * 1.9f, r * 1.1f), s.pal.wallDark * 0.6f);
    s.cv.Fill(Intersect(Ellipse(x, y - r * 0.3f, r * 1.7f, r * 1.1f), Ellipse(x, y + r * 0.3f, r * 1.7f, r * 1.1f)),
              Hex(0xe8d8a0));
    const Shape almond =
        Intersect(Ellipse(x, y - r * 0.3f, r * 1.7f, r * 1.1f), Ellipse(x, y + r * 0.3f, r * 1.7f, r * 1.1f));
    s.cv.Fill(Intersect(Circle(lx, y, r * 0.62f), almond), Rounded(Hex(0xe0a020), lx, y, r * 0.62f, r * 0.62f, 0.4f));
    s.cv.Fill(Ellipse(lx, y, r * 0.16f, r * 0.55f), Hex(0x080404));
    s.cv.Fill(Circle(lx - r * 0.25f, y - r * 0.25f, r * 0.12f), Hex(0xffffff));
    s.AddLight(lx, y, r * 4, Hex(0xffa030));
  }
}

// A dome of black crystal facets over the hall.
void Dome(Scene& s, const Element& e) {
  const float cx = e.Num("x", 300), base = e.Num("y", 95);
  const uint32_t sd = SeedOf(s, 821);
  const float rx = 340, ry = 140;
  Shape dome = Union(Intersect(Ellipse(cx, base, rx, ry), Box(cx - rx - 5, base - ry - 5, cx + rx + 5, base)),
                     Box(-5, -5, 605, 2));
  s.cv.Fill(dome, [&](float x, float y) {
    // Facets: angular segments by ring and spoke, each its own dark tone.
    const float dx = (x - cx) / rx, dy = (base - y) / ry;
    const float rr = std::sqrt(dx * dx + dy * dy), ang = std::atan2(dy, dx);
    const float ring = std::floor(rr * 5), spoke = std::floor(ang / 0.2618f + ring * 0.5f);
    const float tone = Noise(ring * 3.7f, spoke * 2.1f, sd);
    Col c = Mix(Hex(0x08060c), Hex(0x3a2a50), tone * tone);
    // Bright edges where facets meet, catching the torchlight.
    const float fr = rr * 5 - ring, fs = ang / 0.2618f + ring * 0.5f - spoke;
    if (fr < 0.04f || fs < 0.03f) c = c + Hex(0x9a7ac0) * 0.22f;
    // Each facet is lit across its face, brighter towards the torches below.
    c = c * (0.7f + 0.6f * fs) + Hex(0xc8a8ff) * (0.55f * Smooth(0.7f, 0.98f, tone) * fr * (1 - rr * 0.6f));
    return c;
  });
  s.cv.Fill(Cut(Intersect(Ellipse(cx, base, rx, ry), Box(cx - rx, base - 14, cx + rx, base)),
                Ellipse(cx, base, rx - 12, ry - 12)),
            s.pal.wallDark * 0.9f);
  s.cv.Fill(Line(cx - rx, base, cx + rx, base, 5), Hex(0xb08840));
  // Points of light glinting on the crystal.
  Rng r(sd + 3);
  for (int i = 0; i < 14; ++i) {
    const float a = r.Range(0.15f, 2.99f), d = r.Range(0.3f, 0.95f);
    Glint(s, cx + std::cos(a) * rx * d, base - std::sin(a) * ry * d, r.Range(4, 9), Hex(0xe8d8ff), 0.8f);
  }
  s.AddLight(cx, base - 60, 260, Hex(0x6a40a0));
}

// A deep hum made visible: a glow with rings spreading from it.
void HumGlow(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 100);
  const Col c = Tint(e, "c", "c890ff");
  const float flat = y > BY1 ? 0.3f : 1.f;  // rings on the floor lie flat
  for (int i = 1; i <= 6; ++i) {
    const float r = 12 + i * 17;
    s.cv.Fill(Cut(Ellipse(x, y, r * 1.3f, r * flat), Ellipse(x, y, r * 1.3f - 2, r * flat - 2 * flat)), c,
              0.5f - i * 0.06f, 2);
  }
  s.cv.Fill(Ellipse(x, y, 30, 30 * flat), c, 0.35f, 16);
  Rng r(SeedOf(s, 831));
  for (int i = 0; i < 16; ++i) {
    const float a = r.Range(0, 6.283f), d = r.Range(20, 110);
    s.cv.Fill(Circle(x + std::cos(a) * d * 1.3f, y + std::sin(a) * d * flat, r.Range(1, 2.2f)), Hex(0xfff0ff),
              r.Range(0.4f, 0.9f));
  }
  s.AddLight(x, y, 160, c);
}

// A corridor of polished marble.
void MarbleTunnel(Scene& s, const Element& e) {
  const Passage p{e.Num("x", 330), e.Num("y", 165), 48, 64};
  const uint32_t sd = SeedOf(s, 841);
  const Col m = s.pal.wall * 1.15f, floor = s.pal.floor * 1.4f;
  PaintPassage(
      s, p,
      [&](int face, float z, float a, float q) {
        const float along = (z - 1) * 70;
        const float u = face < 2 ? along : a, v = face < 2 ? a : along;
        const float vein = std::sin(u / 23.f + v / 40.f + 6 * Fbm(u / 80.f, v / 80.f, sd, 4));
        Col c = Mix(m, s.pal.wallDark, 0.15f + 0.3f * vein * vein);
        if (face < 2 && std::fmod(along + 9000, 90.f) < 8) c = Hex(0xc8a048) * 0.8f;  // gilded pilasters
        if (face == 2) c = c * 0.55f;
        if (face == 3) {
          const bool check = (static_cast<int>(std::floor(a / 40.f) + std::floor(along / 40.f)) & 1) != 0;
          c = floor * (check ? 0.55f : 1.f) * (0.9f + 0.2f * Noise(a / 20.f, along / 20.f, sd + 1));
        }
        return c * (0.15f + 0.85f * std::pow(q, 0.7f));
      },
      [&](float, float) { return Hex(0x0a0608); });
}

// A heavy iron chain from a ring in the wall, sagging between its two ends.
void Chain(Scene& s, const Element& e) {
  const float x = e.Num("x", 200), y = e.Num("y", 150), tx = e.Num("tx", -5), ty = e.Num("ty", 215),
              sag = e.Num("sag", 30);
  const float len = std::hypot(tx - x, ty - y);
  const int links = static_cast<int>(len / 11);
  s.cv.Fill(Box(x - 9, y - 9, x + 9, y + 9, 2), Hex(0x3a3a40));
  for (float bx : {-5.f, 5.f}) s.cv.Fill(Circle(x + bx, y - 4, 1.6f), Hex(0x8a8a90));
  Link(s, x, y + 12, 9, 11, 0, Hex(0x6a6a72));
  for (int i = 0; i <= links; ++i) {
    const float t = static_cast<float>(i) / std::max(1, links);
    const float px = x + (tx - x) * t, py = y + 20 + (ty - y - 20) * t + sag * 4 * t * (1 - t);
    const float qx = x + (tx - x) * (t + 0.01f),
                qy = y + 20 + (ty - y - 20) * (t + 0.01f) + sag * 4 * (t + 0.01f) * (1 - t - 0.01f);
    const float a = std::atan2(qy - py, qx - px);
    if (i % 2 == 0)
      Link(s, px, py, 8, 5, a, Hex(0x5a5a62));
    else
      Link(s, px, py, 8, 2.2f, a, Hex(0x4a4a52));
  }
}

// Crystal balls on shelves and stands, each showing the same face.
void CrystalBalls(Scene& s, const Element&) {
  auto ball = [&](float x, float y, float r) {
    s.cv.Fill(Circle(x + r * 0.15f, y + r * 0.2f, r * 1.05f), Hex(0x000000), 0.35f, 3);
    s.cv.Fill(Circle(x, y, r), [=](float px, float py) {
      const float d = std::hypot(px - x, py - y) / r;
      return Mix(Hex(0x8ab0d8), Hex(0x1a2440), d * d);
    });
    // The face: hair, skin, eyes, a worried mouth.
    const float f = r * 0.5f;
    s.cv.Fill(Ellipse(x, y - f * 0.35f, f * 0.85f, f * 0.75f), Hex(0x5a3a20), 0.85f);
    s.cv.Fill(Ellipse(x, y + f * 0.05f, f * 0.62f, f * 0.78f), Hex(0xe8c0a0), 0.85f);
    for (int side = -1; side <= 1; side += 2)
      s.cv.Fill(Circle(x + side * f * 0.25f, y - f * 0.05f, std::max(0.8f, f * 0.09f)), Hex(0x1a1010));
    s.cv.Fill(Ellipse(x, y + f * 0.42f, f * 0.16f, f * 0.1f), Hex(0x7a2a2a));
    s.cv.Fill(Ellipse(x - r * 0.38f, y - r * 0.42f, r * 0.22f, r * 0.14f), Hex(0xffffff), 0.8f);
    s.AddLight(x, y, r * 3, Hex(0x80a8ff));
  };
  // Shelves along the back wall, three rows of small balls.
  for (int row = 0; row < 3; ++row) {
    const float sy = 105 + row * 52;
    s.cv.Fill(Box(BX0 + 10, sy, BX1 - 10, sy + 6), s.pal.wood * 0.9f);
    for (int i = 0; i < 9; ++i) {
      const float x = BX0 + 30 + i * 35 + (row % 2) * 10;
      s.cv.Fill(Box(x - 6, sy - 6, x + 6, sy), Hex(0xb08a40));
      ball(x, sy - 18, 12);
    }
  }
  // Big balls on stands to the right and at the back.
  const float stands[][3] = {{520, 300, 26}, {212, 255, 18}, {410, 262, 20}, {570, 250, 20}};
  for (const auto& st : stands) {
    const float x = st[0], y = st[1], r = st[2];
    s.cv.Fill(Poly({x - r * 0.5f, y, x + r * 0.5f, y, x + r * 0.2f, y - r * 1.8f, x - r * 0.2f, y - r * 1.8f}),
              Linear(x - r * 0.5f, 0, Hex(0xd0a848), x + r * 0.5f, 0, Hex(0x5a4018)));
    s.cv.Fill(Ellipse(x, y, r * 0.7f, r * 0.2f), Hex(0xb08a40));
    ball(x, y - r * 2.7f, r);
  }
}

// The Keeper's chamber: a hall with a ring of humming standing stones.
void StandingStones(Scene& s, const Element&) {
  s.indoor = true;
  s.horizon = 230;
  const uint32_t sd = SeedOf(s, 851);
  s.cv.Map([&](int x, int y, Col) {
    if (y < 230) {
      const float n = Fbm(x / 40.f, y / 40.f, sd, 4);
      return Mix(s.pal.wallDark * 0.6f, s.pal.wall * 0.8f, n * Clamp01(1.f - std::fabs(x - 330.f) / 400.f));
    }
    const float t = (y - 230.f) / 145.f, u = (x - 330.f) / (y - 150.f);
    const float f = u * 5 - std::floor(u * 5), g = 900.f / (y - 150.f);
    const bool seam = f < 0.05f || g - std::floor(g) < 0.06f;
    return s.pal.floor * (0.55f + 0.7f * t) * (seam ? 0.55f : 1.f) *
           (0.85f + 0.3f * Fbm(x / 30.f, y / 10.f, sd + 1, 3));
  });
  // The way north: a dark door at the back.
  s.cv.Fill(Union(Box(306, 150, 354, 232), Circle(330, 150, 24)), Hex(0x08040a));
  // A glowing sigil on the floor in the middle of the ring.
  const float cx = 330, cy = 262;
  for (int i = 0; i < 3; ++i)
    s.cv.Fill(Cut(Ellipse(cx, cy, 120 - i * 35, 24 - i * 7), Ellipse(cx, cy, 117 - i * 35, 22 - i * 7)), Hex(0xc890ff),
              0.6f, 2);
  s.AddLight(cx, cy, 140, Hex(0xa060ff));
  // The stones in a ring, back ones first; the near ones stand off to the sides.
  // The near left of the ring is left out, where people stand.
  const float place[][2] = {{212, 250}, {268, 236}, {392, 236}, {450, 250}, {548, 300}};
  std::vector<std::pair<float, float>> tops;
  Rng r(sd + 2);
  for (const auto& pl : place) {
    const float x = pl[0], y = pl[1];
    const float k = 0.55f + 0.7f * Clamp01((y - 200) / 120.f);
    const float w = 24 * k * r.Range(0.85f, 1.2f), h = 150 * k * r.Range(0.85f, 1.1f), lean = r.Range(-8, 8) * k;
    const uint32_t ssd = sd + static_cast<uint32_t>(x * 3);
    s.cv.Fill(Ellipse(x + w * 0.5f, y, w * 1.5f, w * 0.35f), Hex(0x000000), 0.5f, 4);
    const Shape stone = Rough(
        Poly({x - w, y, x - w * 0.9f + lean, y - h * 0.75f, x - w * 0.6f + lean, y - h * 0.97f, x + lean, y - h * 1.03f,
              x + w * 0.7f + lean, y - h * 0.9f, x + w * 0.95f + lean * 0.5f, y - h * 0.5f, x + w, y}),
        3.5f * k, 10 * k, ssd);
    // A violet aura round each, trembling with power.
    s.cv.Fill(Rough(Poly({x - w - 7, y, x - w * 0.9f - 7 + lean, y - h * 0.8f, x + lean, y - h - 10,
                          x + w * 0.8f + 7 + lean, y - h * 0.9f, x + w + 7, y}),
                    3, 4, ssd + 1),
              Hex(0x9a60e0), 0.35f, 6);
    s.cv.Fill(stone, [=](float px, float py) {
      const float n = Fbm(px / 10.f, py / 14.f, ssd, 4);
      return Mix(s.pal.rock * 1.5f, s.pal.rock * 0.4f, Clamp01((px - x) / (2 * w) + 0.5f)) * (0.7f + 0.6f * n);
    });
    // Runes glowing down its face.
    for (int i = 0; i < 3; ++i) {
      const float ry = y - h * (0.75f - i * 0.22f);
      const float rx = x + lean * (0.75f - i * 0.22f);
      s.cv.Fill(Line(rx - w * 0.3f, ry - 5 * k, rx + w * 0.2f, ry + 3 * k, 1.4f * k), Hex(0xe0c0ff));
      s.cv.Fill(Line(rx - w * 0.1f, ry - 8 * k, rx - w * 0.1f, ry + 6 * k, 1.4f * k), Hex(0xe0c0ff));
    }
    s.AddLight(x, y - h * 0.5f, 70 * k, Hex(0xa070ff));
    tops.push_back({x + lean * 0.85f, y - h * 0.85f});
  }
  // Crackling arcs of power between neighbouring stones at the back.
  for (size_t i = 0; i + 1 < 5; ++i) {
    float ax = tops[i].first, ay = tops[i].second;
    const float bx = tops[i + 1].first, by = tops[i + 1].second;
    for (int j = 1; j <= 8; ++j) {
      const float t = j / 8.f;
      const float nx = tops[i].first + (bx - tops[i].first) * t + (j < 8 ? r.Range(-6, 6) : 0),
                  ny = tops[i].second + (by - tops[i].second) * t + (j < 8 ? r.Range(-10, 10) : 0);
      s.cv.Fill(Line(ax, ay, nx, ny, 2.5f), Hex(0xb080ff), 0.35f, 3);
      s.cv.Fill(Line(ax, ay, nx, ny, 0.9f), Hex(0xf4e8ff), 0.9f);
      ax = nx;
      ay = ny;
    }
  }
}

// A small plate on the wall with a few words on it.
void Notice(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 150);
  const float w = 86, h = 50;
  s.cv.Fill(Box(x - w / 2 + 3, y - h / 2 + 3, x + w / 2 + 3, y + h / 2 + 3, 3), Hex(0x000000), 0.4f, 3);
  s.cv.Fill(Box(x - w / 2, y - h / 2, x + w / 2, y + h / 2, 3),
            Linear(x - w / 2, y - h / 2, Hex(0xe0c070), x + w / 2, y + h / 2, Hex(0x8a6a28)));
  s.cv.Fill(Cut(Box(x - w / 2 + 3, y - h / 2 + 3, x + w / 2 - 3, y + h / 2 - 3, 2),
                Box(x - w / 2 + 4.5f, y - h / 2 + 4.5f, x + w / 2 - 4.5f, y + h / 2 - 4.5f, 2)),
            Hex(0x5a4010));
  const char* lines[] = {"PALACE", "GUARDS", "ONLY"};
  for (int i = 0; i < 3; ++i) {
    const float th = 9, tw = TextWidth(lines[i], th);
    DrawText(s.cv, lines[i], x - tw / 2, y - h / 2 + 8 + i * 12.5f, th, 1.1f, Flat(Hex(0x2a1a08)));
  }
  for (float sx : {x - w / 2 + 5, x + w / 2 - 5}) s.cv.Fill(Circle(sx, y, 1.6f), Hex(0x3a2a10));
}

// Tall mirrors in gilt frames, each showing the hall again and again.
void Mirrors(Scene& s, const Element&) {
  struct M {
    Shape glass, frame;
  };
  std::vector<M> ms;
  for (float x : {200.f, 300.f, 400.f}) {
    const float w = 36, y0 = 62, y1 = 228;
    ms.push_back({Union(Box(x - w, y0 + w, x + w, y1), Circle(x, y0 + w, w)),
                  Union(Box(x - w - 7, y0 + w, x + w + 7, y1 + 5), Circle(x, y0 + w, w + 7))});
  }
  // Mirrors on the side walls, seen at an angle.
  // The left one stops short of where people stand.
  ms.push_back({Poly({22, 40, 98, 78, 98, 176, 22, 192}), Poly({12, 30, 106, 72, 106, 184, 12, 202})});
  ms.push_back({Poly({578, 40, 502, 78, 502, 222, 578, 250}), Poly({588, 30, 494, 72, 494, 230, 588, 262})});
  for (const M& m : ms) {
    s.cv.Fill(Moved(m.frame, 3, 3), Hex(0x000000), 0.4f, 3);
    s.cv.Fill(m.frame, [](float px, float py) {
      return Mix(Hex(0xe8c060), Hex(0x7a5a20), 0.5f + 0.5f * std::sin(px / 4.f + py / 6.f));
    });
  }
  // Each glass reflects the hall as it stands, smaller and silvered; twice
  // over, so the reflections hold reflections.
  for (int pass = 0; pass < 2; ++pass) {
    const Canvas copy = s.cv;
    for (const M& m : ms) {
      const float cx = (m.glass.x0 + m.glass.x1) / 2, cy = (m.glass.y0 + m.glass.y1) / 2;
      const float k = 600.f / std::max(40.f, (m.glass.x1 - m.glass.x0) * 2.2f);
      s.cv.Fill(m.glass, [&, cx, cy, k](float px, float py) {
        const Col c = copy.Sample(300 - (px - cx) * k, 170 + (py - cy) * k * 0.9f);
        return Mix(c, Hex(0xb8c8d8), 0.22f) * 1.05f;
      });
    }
  }
  // A sheen across each glass.
  for (const M& m : ms) {
    const float x0 = m.glass.x0, y0 = m.glass.y0;
    s.cv.Fill(Intersect(m.glass, Poly({x0 + 8, y0, x0 + 28, y0, x0 + 70, y0 + 180, x0 + 50, y0 + 180})), Hex(0xffffff),
              0.18f, 4);
  }
}

// The troll: a heap of living rock with burning eyes and a mouth of crags.
void RockEyes(Scene& s, const Element& e) {
  const float x = e.Num("x", 450), y = e.Num("y", 140), k = e.Num("s", 1);
  const uint32_t sd = SeedOf(s, 861);
  const Col rock = Mix(s.pal.rock, Hex(0x6a6458), 0.5f) * 1.3f;
  auto lump = [&](float cx, float cy, float rx, float ry, float shade) {
    s.cv.Fill(Rough(Ellipse(cx, cy, rx, ry), std::min(rx, ry) * 0.12f, std::min(rx, ry) * 0.4f,
                    sd + static_cast<uint32_t>(cx + cy)),
              [=](float px, float py) {
                const float lit = Clamp01(0.55f - (px - cx) / (rx * 1.8f) - (py - cy) / (ry * 2.f));
                return rock * shade * (0.4f + 0.8f * lit) * (0.7f + 0.5f * Fbm(px / 12.f, py / 12.f, sd + 1, 3));
              });
  };
  s.cv.Fill(Ellipse(x, y + 152 * k, 130 * k, 14 * k), Hex(0x000000), 0.5f, 8);
  // Legs, a hunched body, shoulders, long arms with knuckles on the ground, a head.
  lump(x - 50 * k, y + 130 * k, 34 * k, 28 * k, 0.8f);
  lump(x + 55 * k, y + 128 * k, 36 * k, 28 * k, 0.7f);
  lump(x, y + 55 * k, 95 * k, 85 * k, 1.f);
  lump(x - 80 * k, y + 10 * k, 42 * k, 36 * k, 1.05f);
  lump(x + 82 * k, y + 14 * k, 42 * k, 36 * k, 0.8f);
  lump(x - 112 * k, y + 75 * k, 24 * k, 52 * k, 0.9f);
  lump(x + 115 * k, y + 78 * k, 24 * k, 52 * k, 0.7f);
  lump(x - 118 * k, y + 132 * k, 26 * k, 20 * k, 0.95f);
  lump(x + 120 * k, y + 134 * k, 26 * k, 20 * k, 0.75f);
  lump(x - 4 * k, y - 22 * k, 46 * k, 40 * k, 1.1f);
  // Moss in the cracks.
  Rng r(sd + 2);
  for (int i = 0; i < 20; ++i)
    s.cv.Fill(Ellipse(x + r.Range(-90, 90) * k, y + r.Range(-40, 120) * k, r.Range(3, 8) * k, r.Range(2, 4) * k),
              Hex(0x4a6a2a), 0.6f, 2);
  // A heavy brow, burning eyes and a jagged mouth.
  s.cv.Fill(Capsule(x - 34 * k, y - 36 * k, x + 28 * k, y - 34 * k, 9 * k, 9 * k), rock * 0.6f);
  for (int side = -1; side <= 1; side += 2) {
    const float ex = x + side * 16 * k - 3 * k, ey = y - 24 * k;
    s.cv.Fill(Ellipse(ex, ey, 9 * k, 5 * k), Hex(0x140804));
    s.cv.Fill(Ellipse(ex, ey, 6 * k, 3.5f * k), Hex(0xff9020));
    s.cv.Fill(Circle(ex, ey, 2 * k), Hex(0xfff0a0));
    s.AddLight(ex, ey, 40 * k, Hex(0xff7020));
  }
  s.cv.Fill(Ellipse(x - 4 * k, y + 4 * k, 26 * k, 9 * k), Hex(0x140806));
  for (int i = 0; i < 6; ++i) {
    const float tx = x - 24 * k + i * 8.5f * k;
    s.cv.Fill(Poly({tx - 3 * k, y - 3 * k, tx + 3 * k, y - 3 * k, tx, y + 6 * k}), Hex(0xd8d0b8));
    s.cv.Fill(Poly({tx + 1 * k, y + 12 * k, tx + 6 * k, y + 12 * k, tx + 3.5f * k, y + 5 * k}), Hex(0xc8c0a8));
  }
}

}  // namespace

void RegisterUnderworld(Registry& r) {
  r["underriver"] = UnderRiver;
  r["driftwood"] = Driftwood;
  r["stalagmites"] = Stalagmites;
  r["stalactites"] = Stalactites;
  r["sparkles"] = Sparkles;
  r["draught"] = Draught;
  r["ledges"] = Ledges;
  r["ledge_run"] = LedgeRun;
  r["pebbles"] = Pebbles;
  r["pinkglow"] = PinkGlow;
  r["strawberries"] = Strawberries;
  r["counter"] = Counter;
  r["shopsign"] = ShopSign;
  r["boxes"] = Boxes;
  r["shields"] = Shields;
  r["crest"] = Crest;
  r["rockgate"] = RockGate;
  r["sentrybox"] = SentryBox;
  r["powder"] = Powder;
  r["cut_steps"] = CutSteps;
  r["diamonds"] = Diamonds;
  r["carved_tunnel"] = CarvedTunnel;
  r["serpents"] = Serpents;
  r["runes"] = Runes;
  r["building_glimpse"] = BuildingGlimpse;
  r["cave_rim"] = CaveRim;
  r["blacktower"] = BlackTower;
  r["glasspassage"] = GlassPassage;
  r["cloaks"] = Cloaks;
  r["roundchamber"] = RoundChamber;
  r["voicelight"] = VoiceLight;
  r["doorframe_back"] = DoorframeBack;
  r["softlight"] = SoftLight;
  r["ghost"] = Ghost;
  r["eyes_wall"] = EyesWall;
  r["dome"] = Dome;
  r["humglow"] = HumGlow;
  r["marble_tunnel"] = MarbleTunnel;
  r["chain"] = Chain;
  r["crystalballs"] = CrystalBalls;
  r["standingstones"] = StandingStones;
  r["notice"] = Notice;
  r["mirrors"] = Mirrors;
  r["rockeyes"] = RockEyes;
}

}  // namespace pics
