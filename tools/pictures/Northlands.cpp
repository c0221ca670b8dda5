// The details of the frozen wastes, the ice cave and the riddler's castle.
#include <algorithm>
#include <cmath>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

constexpr float kPi = 3.14159265f;
// The back wall of a room picture, as the room painter lays it out.
constexpr float BX0 = 130, BX1 = 470, BY0 = 45, BY1 = 235;

const Col kSnow = Hex(0xf4f8fc), kSnowShade = Hex(0xa8bcd4), kIceDeep = Hex(0x1c4a72), kIceLight = Hex(0xdff4fc);

// How near a point on the ground is: 0 at the horizon, 1 at the bottom.
float Near(const Scene& s, float y) { return Clamp01((y - s.horizon) / std::max(1.f, s.cv.H() - s.horizon)); }

// A shape and a shader turned by an angle (radians) about a point.
Shape Turned(const Shape& sh, float cx, float cy, float a) {
  const float c = std::cos(a), sn = std::sin(a);
  const float xs[4] = {sh.x0, sh.x1, sh.x1, sh.x0}, ys[4] = {sh.y0, sh.y0, sh.y1, sh.y1};
  Shape out{1e9f, 1e9f, -1e9f, -1e9f, {}};
  for (int i = 0; i < 4; ++i) {
    const float dx = xs[i] - cx, dy = ys[i] - cy;
    const float X = cx + c * dx - sn * dy, Y = cy + sn * dx + c * dy;
    out.x0 = std::min(out.x0, X);
    out.x1 = std::max(out.x1, X);
    out.y0 = std::min(out.y0, Y);
    out.y1 = std::max(out.y1, Y);
  }
  out.d = [d = sh.d, cx, cy, c, sn](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    return d(cx + c * dx + sn * dy, cy - sn * dx + c * dy);
  };
  return out;
}
Shader Turned(const Shader& sh, float cx, float cy, float a) {
  const float c = std::cos(a), sn = std::sin(a);
  return [sh, cx, cy, c, sn](float x, float y) {
    const float dx = x - cx, dy = y - cy;
    return sh(cx + c * dx + sn * dy, cy - sn * dx + c * dy);
  };
}

// A polygon given in local coordinates, scaled by k, turned by a and placed at (x, y).
Shape Placed(std::vector<float> pts, float x, float y, float k, float a) {
  const float c = std::cos(a), sn = std::sin(a);
  for (size_t i = 0; i + 1 < pts.size(); i += 2) {
    const float px = pts[i] * k, py = pts[i + 1] * k;
    pts[i] = x + c * px - sn * py;
    pts[i + 1] = y + sn * px + c * py;
  }
  return Poly(std::move(pts));
}

// Frost laid over whatever is under a shape: a pale rime, brightest on top.
void Rime(Scene& s, const Shape& sh, float strength, uint32_t seed) {
  s.cv.Fill(sh, [&](float x, float y) { return Mix(kIceLight, kSnow, Fbm(x / 5.f, y / 5.f, seed, 2)); },
            strength * 0.55f);
}

// A snow cap: a lumpy white pad on top of something, shaded below.
void SnowCap(Scene& s, float x, float y, float rx, float ry, uint32_t seed) {
  Shape cap = Rough(Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 2, y - ry - 2, x + rx + 2, y + ry * 0.45f)), ry * 0.25f,
                    std::max(2.f, rx * 0.3f), seed);
  s.cv.Fill(cap, Linear(0, y - ry, kSnow, 0, y + ry * 0.5f, kSnowShade));
}

// ------------------------------------------------------------ the frozen wastes

// Snow blown in long ribbons low over the ice.
void Ribbons(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 16));
  Rng r(s.seed + 401);
  for (int i = 0; i < n; ++i) {
    const float y0 = r.Range(s.horizon - 6, 368), t = Near(s, y0);
    const float len = r.Range(180, 480) * (0.6f + t), x0 = r.Range(-150, 560), ph = r.Range(0, 6.28f);
    const float amp = 3 + 12 * t, wave = 30 + 70 * t, w = 1.2f + 6 * t;
    float px = x0, py = y0;
    for (float u = 6; u < len; u += 5) {
      const float x = x0 + u, y = y0 + amp * std::sin(u / wave + ph) - u * 0.03f;
      const float fade = std::sin(kPi * u / len);
      s.cv.Fill(Capsule(px, py, x, y, w * fade + 0.4f, w * fade + 0.4f), Hex(0xf8fbff), 0.45f * fade, 1.5f + 3 * t);
      px = x;
      py = y;
    }
  }
  // Powder streaming off the tops of the ribbons, lower and fainter.
  for (int i = 0; i < 160; ++i) {
    const float y = r.Range(s.horizon, 370), t = Near(s, y), x = r.Range(0, 600);
    s.cv.Fill(Line(x, y, x + 10 + 30 * t, y - 1 - 2 * t, 0.5f + t), Hex(0xffffff), 0.35f, 1.5f);
  }
}

// A frozen lake turned to glass: the sky mirrored in smooth ice.
void IceSheen(Scene& s, const Element& e) {
  const float x0 = e.Num("x0", 180), x1 = e.Num("x1", 600), y0 = e.Num("y", s.horizon), depth = e.Num("d", 45);
  const float cx = (x0 + x1) / 2, cy = y0 + depth * 0.4f, rx = (x1 - x0) / 2;
  const uint32_t sd = s.seed + 71;  // the lake's own outline, so the sheen covers it exactly
  Shape lake = Rough(Ellipse(cx, cy, rx, depth), 5, 20, sd);
  s.cv.Fill(lake, [&](float x, float y) {
    const float t = Clamp01((y - y0) / (depth * 1.4f));
    Col c = Mix(Hex(0xeaf2f8), Hex(0x7aa6c4), t);
    const float streak = Fbm(x / 220.f, y / 2.5f, sd + 3, 3);
    c = Mix(c, Hex(0xffffff), 0.45f * Smooth(0.55f, 0.75f, streak));
    c = c * (0.92f + 0.1f * Fbm(x / 40.f, y / 10.f, sd + 4, 2));
    return c;
  });
  // A rim of snow round the shore and a few long glints across the glass.
  s.cv.Fill(Cut(Rough(Ellipse(cx, cy, rx + 6, depth + 4), 4, 16, sd + 5), lake), Hex(0xf2f6fa), 0.8f, 2);
  Rng r(s.seed + 407);
  for (int i = 0; i < 7; ++i) {
    const float gy = r.Range(y0 + 8, y0 + depth * 1.2f), gx = r.Range(cx - rx * 0.6f, cx + rx * 0.6f);
    const float len = r.Range(40, 140);
    s.cv.Fill(Intersect(Line(gx - len / 2, gy, gx + len / 2, gy - 3, 1.2f), lake), Hex(0xffffff), 0.8f, 2);
  }
  for (int i = 0; i < 3; ++i) {
    float px = r.Range(cx - rx * 0.5f, cx + rx * 0.5f), py = r.Range(y0 + 10, y0 + depth);
    for (int j = 0; j < 5; ++j) {
      const float nx = px + r.Range(-30, 30), ny = py + r.Range(-4, 6);
      s.cv.Fill(Intersect(Line(px, py, nx, ny, 0.7f), lake), Hex(0x5a86a8), 0.6f);
      px = nx;
      py = ny;
    }
  }
}

// One frozen garment, stiff as a board, hanging from the line at (x, y).
void Garment(Scene& s, int kind, float x, float y, float k, float a, Col c, uint32_t seed) {
  std::vector<float> pts;
  if (kind == 0)  // a shirt, its arms frozen out straight
    pts = {-14, 0, 14, 0, 30, 6, 30, 14, 14, 10, 13, 42, -13, 42, -14, 10, -30, 14, -30, 6};
  else if (kind == 1)  // long trousers
    pts = {-13, 0, 13, 0, 15, 54, 5, 54, 0, 16, -5, 54, -15, 54};
  else if (kind == 2)  // a sock
    pts = {-4, 0, 4, 0, 4, 20, 12, 26, 10, 31, -4, 29};
  else  // a nightcap or scarf
    pts = {-6, 0, 6, 0, 3, 40, -3, 40};
  Shape g = Placed(pts, x, y, k, a);
  s.cv.Fill(g, Textured(Linear(x - 20 * k, y, c * 1.2f, x + 20 * k, y + 40 * k, c * 0.65f), 0.15f, 4, seed));
  Rime(s, g, 0.7f, seed + 1);
  // Icicles hanging from the hem, straight down whatever the garment's tilt.
  const float hx = x - std::sin(a) * 40 * k, hy = y + std::cos(a) * 40 * k * (kind == 2 ? 0.7f : 1.f);
  for (int i = -1; i <= 1; ++i) {
    const float ix = hx + i * 6 * k;
    s.cv.Fill(Poly({ix - 2 * k, hy - 2, ix + 2 * k, hy - 2, ix, hy + (5 + 4 * ((i + 3) % 2)) * k}), Hex(0xe8f6ff), 0.9f);
  }
}

// Two posts and a sagging line of washing, frozen stiff where it hangs.
void WashingLine(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 240), k = e.Num("s", 1), half = 110 * k, h = 95 * k;
  const Col wood = s.pal.wood * 0.8f;
  for (int side = -1; side <= 1; side += 2) {
    const float px = x + side * half;
    s.cv.Fill(Capsule(px, y + 4, px + side * 3, y - h, 3.2f * k, 2.5f * k), Linear(px - 3, 0, wood * 1.3f, px + 3, 0, wood * 0.6f));
    s.cv.Fill(Line(px - 12 * k, y - h + 6 * k, px + 12 * k, y - h + 6 * k, 2 * k), wood);
    SnowCap(s, px + side * 3, y - h - 1, 5 * k, 4 * k, s.seed + static_cast<uint32_t>(side + 3));
    s.cv.Fill(Ellipse(px, y + 4, 16 * k, 5 * k), kSnow, 0.9f, 3);
  }
  const float sag = 22 * k, top = y - h + 6 * k;
  auto lineY = [&](float t) { return top + sag * 4 * t * (1 - t); };
  for (int i = 0; i < 24; ++i) {
    const float t0 = i / 24.f, t1 = (i + 1) / 24.f;
    s.cv.Fill(Line(x - half + 2 * half * t0, lineY(t0), x - half + 2 * half * t1, lineY(t1), 0.9f), Hex(0x4a4038));
  }
  const Col cloth[] = {Hex(0xb04a3a), Hex(0x4a6a9a), Hex(0xe0d8c4), Hex(0x6a8a4a), Hex(0xc89a3a)};
  const int kinds[] = {0, 2, 1, 2, 3, 0};
  // The wind froze everything mid-flap, all leaning one way.
  for (int i = 0; i < 6; ++i) {
    const float t = 0.1f + i * 0.16f;
    Garment(s, kinds[i], x - half + 2 * half * t, lineY(t) + 1, k * (kinds[i] == 2 ? 1.f : 0.9f), -0.45f - 0.05f * (i % 3),
            cloth[i % 5], s.seed + 410u + static_cast<uint32_t>(i));
    s.cv.Fill(Box(x - half + 2 * half * t - 2, lineY(t) - 3, x - half + 2 * half * t + 2, lineY(t) + 4), Hex(0x8a7a5a));
  }
}

// An abandoned sledge, half buried, its front runners curled up.
void Sledge(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 295), k = e.Num("s", 1);
  const Col wood = s.pal.wood * 1.05f, dark = s.pal.wood * 0.45f;
  s.cv.Fill(Ellipse(x + 8 * k, y + 6 * k, 85 * k, 10 * k), Hex(0x7a90b0), 0.45f, 6);
  auto runner = [&](float ox, float oy, Col c) {
    s.cv.Fill(Line(x - 70 * k + ox, y + oy, x + 48 * k + ox, y + oy, 2.6f * k), c);
    // The curl at the front, a quarter circle rising back over itself.
    float px = x + 48 * k + ox, py = y + oy;
    for (int i = 1; i <= 8; ++i) {
      const float a = i / 8.f * kPi * 0.9f;
      const float nx = x + 48 * k + ox + std::sin(a) * 18 * k, ny = y + oy - (1 - std::cos(a)) * 16 * k;
      s.cv.Fill(Line(px, py, nx, ny, 2.6f * k), c);
      px = nx;
      py = ny;
    }
    for (float sx : {-55.f, -18.f, 20.f}) s.cv.Fill(Line(x + sx * k + ox, y + oy, x + sx * k + ox + 2, y + oy - 16 * k, 2 * k), c * 0.9f);
  };
  runner(16 * k, -9 * k, dark);
  // The bed of slats, with a lashed bundle on it.
  s.cv.Fill(Poly({x - 72 * k, y - 16 * k, x + 50 * k, y - 16 * k, x + 66 * k, y - 26 * k, x - 56 * k, y - 26 * k}),
            Planks(wood, 7 * k, true, s.seed + 420));
  s.cv.Fill(Box(x - 72 * k, y - 16 * k, x + 50 * k, y - 12 * k), wood * 0.6f);
  s.cv.Fill(Ellipse(x - 12 * k, y - 36 * k, 34 * k, 14 * k), Rounded(Hex(0x7a6a50), x - 20 * k, y - 40 * k, 34 * k, 14 * k));
  for (float bx : {-30.f, 6.f}) s.cv.Fill(Line(x + bx * k, y - 50 * k, x + (bx + 4) * k, y - 22 * k, 1.2f * k), Hex(0x3a2a1a));
  SnowCap(s, x - 14 * k, y - 46 * k, 30 * k, 8 * k, s.seed + 421);
  runner(0, 0, wood * 0.8f);
  // Snow drifted against the back half.
  s.cv.Fill(Rough(Ellipse(x - 62 * k, y - 2 * k, 40 * k, 14 * k), 3, 8, s.seed + 422), Linear(0, y - 16 * k, kSnow, 0, y + 10 * k, kSnowShade));
}

// A tall wooden pole marking the crossroads, a frozen rag tied to its top.
void PoleE(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", 300), k = e.Num("s", 1), h = e.Num("h", 190) * k;
  const Col wood = s.pal.wood * 0.75f;
  s.cv.Fill(Ellipse(x + 40 * k, y + 3, 50 * k, 5 * k), Hex(0x7a90b0), 0.4f, 5);
  s.cv.Fill(Capsule(x, y, x + 4 * k, y - h, 5 * k, 3 * k), Textured(Linear(x - 5 * k, 0, wood * 1.5f, x + 5 * k, 0, wood * 0.55f), 0.25f, 3, s.seed + 430));
  // Frost on the windward side and a cap of snow.
  s.cv.Fill(Capsule(x - 3 * k, y - 4, x + 1 * k, y - h, 1.8f * k, 1.2f * k), kIceLight, 0.7f);
  SnowCap(s, x + 4 * k, y - h - 2, 6 * k, 5 * k, s.seed + 431);
  // A crosspiece, and the rag frozen straight out in the wind.
  s.cv.Fill(Line(x - 16 * k, y - h + 24 * k, x + 20 * k, y - h + 20 * k, 2.2f * k), wood);
  s.cv.Fill(Placed({0, 0, 38, 4, 34, 10, 40, 16, 2, 14}, x + 4 * k, y - h + 30 * k, k, 0.05f), Linear(x, 0, Hex(0xb8342a), x + 40 * k, 0, Hex(0x6a1e1a)));
  Rime(s, Placed({0, 0, 38, 4, 36, 7, 0, 5}, x + 4 * k, y - h + 30 * k, k, 0.05f), 0.8f, s.seed + 432);
  s.cv.Fill(Rough(Ellipse(x, y, 20 * k, 7 * k), 2, 6, s.seed + 433), Linear(0, y - 7, kSnow, 0, y + 7, kSnowShade));
}

// The centre line of a path painted by the path element, so details can follow it.
float PathX(const Scene& s, float vx, float bx, float bend, float vy, float y) {
  const float t = Clamp01((y - vy) / (s.cv.H() - vy));
  return vx + (bx - vx) * t + bend * std::sin(t * kPi) * (1 - t * 0.3f);
}

// Footprints in the snow, in pairs, growing as they come nearer. They follow
// a path (to/from/bend as for the path) or run between two points.
void Footprints(Scene& s, const Element& e) {
  const float vx = e.Num("to", 330), bx = e.Num("from", 520), bend = e.Num("bend", 0);
  const float yFar = e.Num("yfar", s.horizon + 4), yNear = e.Num("ynear", 376);
  const int trails = static_cast<int>(e.Num("n", 1));
  Rng r(s.seed + 440);
  for (int tr = 0; tr < trails; ++tr) {
    const float off = tr * 28.f;
    int step = 0;
    for (float y = yNear; y > yFar;) {
      const float t = Near(s, y);
      const float side = (step % 2 ? 1.f : -1.f) * (2 + 8 * t);
      const float x = PathX(s, vx + off * 0.2f, bx + off, bend, s.horizon, y) + side + r.Range(-1, 1) * t * 3;
      const float rx = 1.4f + 4.5f * t, ry = 0.8f + 2.6f * t;
      // The hollow: shaded where its far wall hides the light, a bright lip in front.
      s.cv.Fill(Ellipse(x, y, rx, ry), Linear(0, y - ry, Hex(0x5a7298), 0, y + ry, Hex(0xa4b6ce)), 0.95f, 1);
      s.cv.Fill(Intersect(Ellipse(x, y + ry * 0.5f, rx * 1.1f, ry * 0.7f), Box(x - rx * 2, y + ry * 0.55f, x + rx * 2, y + ry * 2)), kSnow, 0.8f);
      y -= (4 + 26 * t) * (step % 2 ? 1.1f : 0.9f);
      ++step;
    }
  }
}

// The hollow a traveller left falling face down in the snow, arms flung out.
void FallMark(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 290), k = e.Num("s", 1) * (0.5f + Near(s, y));
  const float sq = 0.42f;  // the ground is seen at a slant
  Shape body = Ellipse(x, y, 16 * k, 26 * k * sq);
  body = Union(body, Circle(x + 2 * k, y - 36 * k * sq, 9 * k * sq * 1.6f));
  body = Union(body, Capsule(x - 10 * k, y - 14 * k * sq, x - 44 * k, y - 40 * k * sq, 5 * k * sq * 1.4f, 4 * k * sq * 1.4f));
  body = Union(body, Capsule(x + 10 * k, y - 14 * k * sq, x + 42 * k, y - 30 * k * sq, 5 * k * sq * 1.4f, 4 * k * sq * 1.4f));
  body = Union(body, Capsule(x - 6 * k, y + 20 * k * sq, x - 20 * k, y + 60 * k * sq, 6 * k * sq * 1.4f, 5 * k * sq * 1.4f));
  body = Union(body, Capsule(x + 6 * k, y + 20 * k * sq, x + 14 * k, y + 62 * k * sq, 6 * k * sq * 1.4f, 5 * k * sq * 1.4f));
  body = Rough(body, 1.5f * k, 5 * k, s.seed + 450);
  // A rim of thrown-up snow, then the hollow itself.
  s.cv.Fill(Rough(Ellipse(x - 2 * k, y + 4 * k * sq, 62 * k, 48 * k * sq), 4 * k, 10 * k, s.seed + 451), Hex(0xfafcff), 0.55f, 6);
  s.cv.Fill(body, Linear(0, y - 50 * k * sq, Hex(0x8aa0c0), 0, y + 70 * k * sq, Hex(0xc4d2e2)));
  // The far inner wall of the hollow catches the light; the near one is in shade.
  s.cv.Fill(Moved(body, 0, 2.5f * k), Linear(0, y - 50 * k * sq, Hex(0xa6b8d0), 0, y + 70 * k * sq, Hex(0xdbe4ee)), 0.8f, 2);
  s.cv.Fill(Intersect(body, Moved(body, 0, 5 * k)), Hex(0x7890b2), 0.5f, 2);
  Rng r(s.seed + 452);
  for (int i = 0; i < 14; ++i) {
    const float a = r.Range(0, 6.28f), d = r.Range(50, 80) * k;
    const float cx = x + std::cos(a) * d, cy = y + std::sin(a) * d * sq, rr = r.Range(2, 5) * k;
    s.cv.Fill(Ellipse(cx + 1, cy + rr * 0.6f, rr, rr * 0.5f), Hex(0x8aa0be), 0.5f, 2);
    s.cv.Fill(Circle(cx, cy, rr * 0.8f), Rounded(kSnow, cx, cy, rr, rr, 0.3f));
  }
}

// Standing on a ridge of packed ice: the plain far below, a crest of broken slabs.
void Ridge(Scene& s, const Element& e) {
  const float y = e.Num("y", 280);
  const float top = s.horizon + 10;
  const uint32_t sd = s.seed + 460;
  // The distant plain, hazy and blue, far below the ridge.
  s.cv.Fill(Box(-5, top, 605, y + 4), [&](float px, float py) {
    const float t = Clamp01((py - top) / (y - top));
    return Mix(Hex(0xc4d0de), Hex(0x9aaec4), t) * (0.92f + 0.12f * Fbm(px / 70.f, py / 6.f, sd, 3));
  });
  // The crest: a line of tilted slabs of old blue ice along the edge.
  Rng r(sd + 1);
  for (float x = -20; x < 620; x += r.Range(30, 60)) {
    const float w = r.Range(16, 40), hgt = r.Range(10, 48), lean = r.Range(-18, 18);
    const float bx = x, by = y + r.Range(-2, 6);
    Shape slab = Rough(Poly({bx - w, by + 6, bx - w * 0.5f + lean, by - hgt * r.Range(0.5f, 0.9f), bx + lean * 1.2f, by - hgt,
                             bx + w * 0.6f + lean * 0.5f, by - hgt * r.Range(0.3f, 0.7f), bx + w, by + 6}),
                       0.8f, 4, sd + static_cast<uint32_t>(x + 40));
    s.cv.Fill(slab, [=](float px, float py) {
      const float lit = Clamp01(0.5f - (px - bx) / (2 * w));
      const float band = 0.85f + 0.2f * Fbm(px / 18.f, py / 3.f, sd + 2, 2);
      return Mix(Hex(0x5a8cb4), Hex(0xe6f4fc), lit) * band;
    });
    if (r.Uni() < 0.4f) SnowCap(s, bx - w * 0.2f + lean * 0.6f, by - hgt * 0.75f, w * 0.35f, 3, sd + static_cast<uint32_t>(x + 90));
  }
}

// One wind-carved pillar of ice: a waisted column with a heavy cap.
void IcePillar(Scene& s, float x, float y, float h, float w, float far, uint32_t sd) {
  std::vector<float> left, right;
  for (int i = 0; i <= 14; ++i) {
    const float t = i / 14.f, py = y - h * t;
    // Narrow at the waist, where the wind-blown grit cuts hardest.
    float ww = w * (1.f - 0.45f * std::sin(t * kPi * 0.85f) + 0.5f * Smooth(0.8f, 0.95f, t));
    ww *= 0.85f + 0.3f * Noise(t * 6, 1.5f, sd);
    left.insert(left.end(), {x - ww + 4 * std::sin(t * 5 + sd), py});
    right.insert(right.begin(), {x + ww + 3 * std::sin(t * 4 + sd * 0.7f), py});
  }
  std::vector<float> pts = left;
  pts.push_back(x + w * 0.5f);
  pts.push_back(y - h - w * 0.35f);
  pts.insert(pts.end(), right.begin(), right.end());
  Shape p = Poly(pts);
  s.cv.Fill(Ellipse(x + w * 1.6f, y + 2, w * 2.2f, w * 0.35f), Hex(0x7a90b0), 0.35f * (1 - far), 6);
  s.cv.Fill(p, [=, &s](float px, float py) {
    const float lit = Clamp01(0.75f - (px - x + w) / (2.4f * w));
    const float flute = Fbm(px / 4.f, py / 60.f, sd + 1, 3), bands = Fbm(px / 40.f, py / 5.f, sd + 2, 2);
    Col c = Mix(Hex(0x4c84b0), Hex(0xeef8ff), lit * 0.8f + 0.25f * flute) * (0.88f + 0.2f * bands);
    return Haze(s, c, far);
  });
  SnowCap(s, x + w * 0.2f, y - h - w * 0.2f, w * 1.2f, w * 0.35f, sd + 3);
}

// A field of wind-carved ice pillars; far=1 leaves only the last few, farther off.
void IcePillars(Scene& s, const Element& e) {
  const bool far = e.Num("far", 0) > 0;
  Rng r(s.seed + 470);
  struct P {
    float x, y, h, w, haze;
  };
  std::vector<P> ps;
  if (far) {
    for (float x : {40.f, 120.f, 200.f, 270.f}) ps.push_back({x + r.Range(-10, 10), s.horizon + r.Range(4, 10), r.Range(50, 80), r.Range(8, 12), 0.5f});
    ps.push_back({330, s.horizon + 22, 110, 16, 0.25f});
  } else {
    for (int i = 0; i < 6; ++i) ps.push_back({r.Range(20, 590), s.horizon + r.Range(2, 10), r.Range(40, 70), r.Range(6, 10), 0.55f});
    for (float x : {230.f, 330.f, 560.f}) ps.push_back({x + r.Range(-15, 15), s.horizon + r.Range(16, 30), r.Range(100, 140), r.Range(13, 18), 0.25f});
    ps.push_back({490, s.horizon + 62, 210, 26, 0});
  }
  for (size_t i = 0; i < ps.size(); ++i) IcePillar(s, ps[i].x, ps[i].y, ps[i].h, ps[i].w, ps[i].haze, s.seed + 480u + static_cast<uint32_t>(i * 13));
}

// A yak frozen where it stood, shaggy coat stiff with ice, facing left.
void Yak(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 296), k = e.Num("s", 1);
  const Col fur = Hex(0x4a3428), furLit = Hex(0x7a5a40);
  const uint32_t sd = s.seed + 490;
  s.cv.Fill(Ellipse(x + 10 * k, y + 2, 80 * k, 8 * k), Hex(0x6a80a0), 0.45f, 5);
  // Legs, far pair darker.
  for (float lx : {-30.f, 36.f}) s.cv.Fill(Capsule(x + (lx + 8) * k, y - 40 * k, x + (lx + 10) * k, y - 2 * k, 6 * k, 5 * k), fur * 0.6f);
  for (float lx : {-36.f, 30.f}) s.cv.Fill(Capsule(x + lx * k, y - 40 * k, x + lx * k, y, 7 * k, 5.5f * k), fur * 0.85f);
  // Body with its hump, then the long skirt of hair.
  Shape body = Union(Ellipse(x, y - 58 * k, 60 * k, 30 * k), Ellipse(x - 28 * k, y - 74 * k, 30 * k, 22 * k));
  body = Rough(body, 3 * k, 7 * k, sd);
  s.cv.Fill(body, Textured(Rounded(furLit, x - 20 * k, y - 70 * k, 64 * k, 36 * k, 0.55f), 0.3f, 3, sd + 1));
  Rng r(sd + 2);
  for (float hx = x - 56 * k; hx < x + 56 * k; hx += 3.2f * k) {
    const float base = y - 58 * k + 26 * k * std::sqrt(std::max(0.f, 1 - std::pow((hx - x) / (60 * k), 2.f)));
    s.cv.Fill(Line(hx, base - 10 * k, hx + r.Range(-1, 1) * k, base + r.Range(6, 14) * k, 1.6f * k), Mix(fur, furLit, r.Uni() * 0.6f));
  }
  // Head lowered to the left, horns curling up.
  const float hx = x - 66 * k, hy = y - 54 * k;
  s.cv.Fill(Rough(Ellipse(hx, hy, 17 * k, 20 * k), 2 * k, 5 * k, sd + 3), Rounded(fur, hx - 4 * k, hy - 6 * k, 17 * k, 20 * k));
  s.cv.Fill(Ellipse(hx - 6 * k, hy + 14 * k, 9 * k, 7 * k), fur * 0.6f);
  for (int side = -1; side <= 1; side += 2) {
    float px = hx + side * 8 * k, py = hy - 14 * k;
    for (int i = 1; i <= 6; ++i) {
      const float a = i / 6.f * kPi * 0.8f;
      const float nx = hx + side * (8 + 14 * std::sin(a)) * k, ny = hy - (14 + 16 * (1 - std::cos(a)) * 0.8f) * k + (i > 4 ? 4 * k : 0);
      s.cv.Fill(Line(px, py, nx, ny, (3.5f - i * 0.4f) * k), Hex(0xd8ccb0));
      px = nx;
      py = ny;
    }
  }
  s.cv.Fill(Circle(hx - 8 * k, hy - 2 * k, 2 * k), Hex(0x101010));
  // Frost over the back and head, icicles under the skirt and the muzzle.
  Rime(s, Intersect(body, Box(x - 70 * k, y - 110 * k, x + 70 * k, y - 72 * k)), 1.f, sd + 4);
  Rime(s, Intersect(body, Ellipse(x - 10 * k, y - 60 * k, 70 * k, 36 * k)), 0.35f, sd + 5);
  SnowCap(s, x - 20 * k, y - 88 * k, 40 * k, 8 * k, sd + 6);
  SnowCap(s, hx + 2 * k, hy - 16 * k, 12 * k, 5 * k, sd + 7);
  for (float ix = x - 50 * k; ix < x + 50 * k; ix += r.Range(6, 12) * k) {
    const float base = y - 58 * k + 30 * k * std::sqrt(std::max(0.f, 1 - std::pow((ix - x) / (60 * k), 2.f)));
    const float l = r.Range(5, 14) * k;
    s.cv.Fill(Poly({ix - 2 * k, base, ix + 2 * k, base, ix, base + l}), Hex(0xe8f6ff), 0.9f);
  }
  s.cv.Fill(Poly({hx - 9 * k, hy + 20 * k, hx - 4 * k, hy + 20 * k, hx - 6 * k, hy + 30 * k}), Hex(0xe8f6ff), 0.9f);
}

// The edge of a glacier: a wall of fluted blue ice with broken seracs along its top.
void Glacier(Scene& s, const Element& e) {
  const float y = e.Num("y", 250), h = e.Num("tall", 0) > 0 ? 175 : 85;
  const uint32_t sd = s.seed + 500;
  auto topAt = [&](float x) {
    const float swell = 0.75f + 0.3f * std::sin(x / 170.f + 1.3f);
    // Seracs: blocks of broken ice of random height, with steep sides.
    const float cell = x / 28.f, i = std::floor(cell), f = cell - i;
    const float hA = Noise(i * 7.3f, 0.5f, sd), hB = Noise((i + 1) * 7.3f, 0.5f, sd);
    const float block = f < 0.8f ? hA + (f / 0.8f) * 0.15f * (hB - hA) : hA + (hB - hA) * Smooth(0.8f, 1.f, f);
    return y - h * swell - h * 0.22f * (block - 0.5f) - 6 * (Fbm(x / 9.f, 0.5f, sd + 1, 2) - 0.5f);
  };
  std::vector<float> pts = {-5, y + 14};
  for (float x = -5; x <= 605; x += 5) {
    pts.push_back(x);
    pts.push_back(topAt(x));
  }
  pts.insert(pts.end(), {605, y + 14});
  s.cv.Fill(Poly(pts), [&](float px, float py) {
    const float top = topAt(px), t = Clamp01((py - top) / (y + 14 - top));
    const float flute = Fbm(px / 5.f, py / 70.f, sd + 2, 3), layer = Fbm(px / 90.f, py / 4.f, sd + 3, 2);
    Col c = Mix(kIceLight, Hex(0x3c7aa8), Clamp01(t * 0.9f + (flute - 0.5f) * 0.8f));
    c = c * (0.88f + 0.2f * layer);
    // The fresh snow on top, and a grey band of old grit low down.
    if (py - top < 7) c = Mix(c, kSnow, Smooth(7, 2, py - top));
    if (t > 0.7f) c = Mix(c, Hex(0x8a94a0), 0.35f * Smooth(0.7f, 0.95f, t) * layer);
    return c;
  });
  // Deep blue clefts running down the face.
  Rng r(sd + 4);
  for (int i = 0; i < static_cast<int>(h / 9); ++i) {
    const float cx = r.Range(0, 600), top = topAt(cx) + r.Range(4, 20), len = r.Range(20, h * 0.8f);
    s.cv.Fill(Poly({cx - 2, top, cx + 3, top + 2, cx + r.Range(-3, 3), std::min(y + 10, top + len)}), kIceDeep, 0.75f);
  }
}

// Blue crevasses opening across the ice, narrow far off and gaping near.
void Crevasses(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  Rng r(s.seed + 510);
  for (int i = 0; i < n; ++i) {
    const float yc = s.horizon + 12 + (i + r.Range(0, 0.5f)) * (78.f / std::max(1, n - 1) + (n < 3 ? 20 : 0));
    const float t = Near(s, yc);
    const float len = r.Range(180, 300) * (0.6f + t), xc = i % 2 ? r.Range(420, 520) : r.Range(200, 320);
    const float gap = 4 + 34 * t, slope = r.Range(-0.12f, 0.12f);
    const uint32_t sd = s.seed + 511u + static_cast<uint32_t>(i);
    auto mid = [=](float x) { return yc + slope * (x - xc) + 6 * t * (Noise(x / 30.f, 0.5f, sd) - 0.5f) * 2; };
    auto half = [=](float x) {
      const float u = (x - xc) / (len / 2);
      return gap * 0.5f * std::max(0.f, 1 - u * u) * (0.7f + 0.6f * Noise(x / 18.f, 3.5f, sd));
    };
    std::vector<float> top, bot;
    for (float x = xc - len / 2; x <= xc + len / 2; x += 3) {
      top.insert(top.end(), {x, mid(x) - half(x)});
      bot.insert(bot.begin(), {x, mid(x) + half(x) + 0.6f});
    }
    top.insert(top.end(), bot.begin(), bot.end());
    // Snow lip thrown up on the near side.
    s.cv.Fill(Moved(Poly(top), 0, 2 + 2 * t), Hex(0xffffff), 0.6f, 2);
    s.cv.Fill(Poly(top), [=](float px, float py) {
      const float hw = std::max(half(px), 0.5f), f = Clamp01((py - (mid(px) - hw)) / (2 * hw));
      // The far wall shows, lit cyan at its lip and falling to deep blue-black.
      return Mix(Hex(0x9ed8f0), Hex(0x071a30), Smooth(0.05f, 0.85f, f)) * (0.9f + 0.2f * Fbm(px / 4.f, py / 12.f, sd + 9, 2));
    });
  }
}

// Cracks branching across the ice.
void IceCracks(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 3));
  Rng r(s.seed + 520);
  for (int i = 0; i < n; ++i) {
    std::vector<std::pair<float, float>> tips = {{r.Range(180, 580), r.Range(s.horizon + 20, 350)}};
    for (int gen = 0; gen < 3; ++gen) {
      std::vector<std::pair<float, float>> next;
      for (auto [px, py] : tips) {
        const int arms = gen == 0 ? 2 : r.Int(0, 1) + (gen == 1);
        for (int a = 0; a < arms; ++a) {
          float cx = px, cy = py;
          const float dir = r.Range(0, 6.28f), t = Near(s, py);
          for (int j = 0; j < 5; ++j) {
            const float step = (14 + 34 * t) * r.Range(0.6f, 1.2f), dd = dir + r.Range(-0.35f, 0.35f);
            const float nx = cx + std::cos(dd) * step, ny = cy + std::sin(dd) * step * 0.35f;
            s.cv.Fill(Line(cx, cy + 1, nx, ny + 1, 0.6f + t), Hex(0xffffff), 0.6f);
            s.cv.Fill(Line(cx, cy, nx, ny, 0.6f + 1.6f * t * (1 - gen * 0.3f)), Hex(0x1a4066), 0.9f);
            cx = nx;
            cy = ny;
          }
          next.push_back({cx, cy});
        }
      }
      tips = next;
    }
  }
}

// Caps of snow and rime on whatever dark things stand on the snow: wherever a
// dark pixel lies just under a bright one, it gets a lumpy white cap.
void FrostCaps(Scene& s, const Element& e) {
  const float depth = e.Num("k", 1);
  const int W = s.cv.W(), H = s.cv.H();
  std::vector<float> lum(static_cast<size_t>(W) * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) lum[static_cast<size_t>(y) * W + x] = Lum(s.cv.C(x, y));
  const uint32_t sd = s.seed + 530;
  s.cv.Map([&](int x, int y, Col c) {
    const float l = lum[static_cast<size_t>(y) * W + x];
    if (l > 0.62f || y < 2) return c;
    const float t = Clamp01((y - s.horizon + 40) / 200.f);
    const int reach = static_cast<int>((3 + 9 * t) * depth * (0.6f + 0.8f * Noise(x / 6.f, y / 6.f, sd)));
    for (int k = 1; k <= reach && y - k >= 0; ++k)
      if (lum[static_cast<size_t>(y - k) * W + x] > 0.72f) {
        const float f = static_cast<float>(k) / (reach + 1);
        return Mix(kSnow, kSnowShade, f * 0.8f);
      }
    // Rime glittering on the rest of the dark stone.
    return Mix(c, kIceLight, 0.25f * Smooth(0.55f, 0.8f, Fbm(x / 3.f, y / 3.f, sd + 1, 2)));
  });
}

// A narrow gully: steep banks of snow on both sides closing in on the way ahead.
void Gully(Scene& s, const Element& e) {
  const float floorY = e.Num("y", 262);
  const uint32_t sd = s.seed + 540;
  // Far off, beyond the end of the gully, a white plain under the sky.
  s.cv.Fill(Box(-5, s.horizon - 6, 605, floorY + 10), [&](float px, float py) {
    const float t = Clamp01((py - s.horizon) / (floorY - s.horizon));
    return Mix(Hex(0xd0dae6), Hex(0xe4ecf4), t) * (0.94f + 0.08f * Fbm(px / 60.f, py / 6.f, sd + 9, 2));
  });
  for (int side = -1; side <= 1; side += 2) {
    const float outer = side < 0 ? -5.f : 605.f, inner = side < 0 ? 262.f : 345.f;
    const float crest = side < 0 ? 70.f : 50.f;
    std::vector<float> pts = {outer, crest - 30};
    for (int i = 0; i <= 10; ++i) {
      const float t = i / 10.f;
      const float x = outer + (inner - outer) * std::pow(t, 0.8f), y = crest + (floorY - crest) * std::pow(t, 1.4f);
      pts.insert(pts.end(), {x + 8 * (Noise(t * 5, side + 2.f, sd) - 0.5f), y});
    }
    pts.insert(pts.end(), {inner, floorY + 8, outer, floorY + 8});
    // The east bank faces the light; the west one lies in cold shadow.
    const Col lit = side > 0 ? Hex(0xf4f8fc) : Hex(0xb8c8dc), dark = side > 0 ? Hex(0xb4c6da) : Hex(0x8498b4);
    s.cv.Fill(Rough(Poly(pts), 5, 18, sd + static_cast<uint32_t>(side + 2)), [=](float px, float py) {
      const float stria = Fbm(px / 40.f + py / 25.f * side, py / 8.f, sd + 5, 3);
      return Mix(lit, dark, Clamp01(0.3f + 0.6f * stria + 0.2f * std::fabs(px - outer) / 300.f));
    });
    // Dark rock breaking through the snow.
    Rng r(sd + static_cast<uint32_t>(side + 10));
    for (int i = 0; i < 4; ++i) {
      const float t = r.Range(0.15f, 0.8f), bx = outer + (inner - outer) * t * 0.9f, by = crest + (floorY - crest) * std::pow(t, 1.4f) + r.Range(10, 30);
      Boulder(s, bx, by, r.Range(10, 22), r.Range(6, 12), s.pal.rock);
      SnowCap(s, bx, by - 8, 14, 5, sd + static_cast<uint32_t>(i + 20));
    }
  }
}

// A great wall of ice from x to the right edge, its face fluted and blue.
void IceWall(Scene& s, const Element& e) {
  const float x0 = e.Num("x", 330), foot = e.Num("y", 285), topY = e.Num("top", 30);
  const uint32_t sd = s.seed + 550;
  std::vector<float> pts;
  pts.insert(pts.end(), {x0 + 20, foot});
  for (int i = 0; i <= 16; ++i) {
    const float t = i / 16.f, y = foot - (foot - topY) * t;
    pts.insert(pts.end(), {x0 + 20 - 30 * t + 14 * (Noise(t * 8, 0.5f, sd) - 0.5f) * 2, y});
  }
  for (float x = x0; x <= 610; x += 12) pts.insert(pts.end(), {x, topY - 14 * Noise(x / 25.f, 2.5f, sd) - 6 * std::fabs(std::sin(x / 17.f))});
  pts.insert(pts.end(), {610, foot});
  s.cv.Fill(Poly(pts), [&](float px, float py) {
    const float flute = Fbm(px / 7.f, py / 90.f, sd + 1, 3), strata = Fbm(px / 120.f, py / 6.f, sd + 2, 2);
    const float lit = Clamp01(1 - (px - x0) / 90.f) * 0.4f;  // the corner catches the light
    Col c = Mix(Hex(0x3a76a4), kIceLight, Clamp01(0.2f + 0.75f * flute + lit)) * (0.86f + 0.2f * strata);
    return Mix(c, Hex(0x24507a), 0.35f * Smooth(0.3f, 1.f, (py - topY) / (foot - topY)));
  });
  // Snow along the top and a drift piled at the foot.
  s.cv.Fill(Rough(Box(x0 - 10, topY - 22, 610, topY + 4), 4, 10, sd + 3), Linear(0, topY - 22, kSnow, 0, topY + 4, Hex(0xd8e4f0)));
  Rng r(sd + 4);
  for (int i = 0; i < 10; ++i) {
    const float cx = r.Range(x0 + 10, 600), len = r.Range(20, 70);
    s.cv.Fill(Poly({cx - 3, topY, cx + 3, topY, cx, topY + len}), Hex(0xeaf8ff), 0.85f);
  }
}

// A hut of packed snow blocks; back=1 shows it from behind, with no door.
void SnowHut(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 300), k = e.Num("s", 1), rx = 90 * k, ry = 72 * k;
  const bool back = e.Num("back", 0) > 0;
  const uint32_t sd = s.seed + 560;
  s.cv.Fill(Ellipse(x + 14 * k, y + 2, rx * 1.2f, 10 * k), Hex(0x7a90b0), 0.45f, 6);
  Shape dome = Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 1, y - ry - 1, x + rx + 1, y + 1));
  s.cv.Fill(dome, Textured(Rounded(Hex(0xf2f6fa), x - rx * 0.3f, y - ry * 0.6f, rx, ry, 0.5f), 0.08f, 6, sd));
  // Courses of blocks: curved joints, and staggered upright joints between them.
  for (int row = 1; row < 6; ++row) {
    const float yy = y - ry * row / 6.f, w = rx * std::sqrt(1 - std::pow(row / 6.f, 2.f));
    s.cv.Fill(Intersect(Line(x - w, yy, x + w, yy, 0.8f), dome), Hex(0x8ea4c0), 0.8f);
    for (float bx = -1 + (row % 2) * 0.17f; bx < 1; bx += 0.34f) {
      const float jx = x + w * bx;
      s.cv.Fill(Intersect(Line(jx, yy, jx, yy + ry / 6.f, 0.7f), dome), Hex(0x8ea4c0), 0.7f);
    }
  }
  if (!back) {
    // A low entrance tunnel with a dark doorway.
    const float dx = x - rx * 0.2f;
    s.cv.Fill(Intersect(Ellipse(dx, y, 34 * k, 40 * k), Box(dx - 40 * k, y - 40 * k, dx + 40 * k, y + 1)), Rounded(Hex(0xeef4fa), dx - 10 * k, y - 30 * k, 34 * k, 40 * k));
    s.cv.Fill(Intersect(Ellipse(dx, y, 20 * k, 28 * k), Box(dx - 30 * k, y - 30 * k, dx + 30 * k, y + 1)), Linear(0, y - 28 * k, Hex(0x101820), 0, y, Hex(0x2a3440)));
    s.cv.Fill(Ellipse(dx, y - 6 * k, 14 * k, 10 * k), Hex(0xffa040), 0.25f, 6);
  } else {
    // From behind: a little chimney hole letting out a thread of smoke.
    s.cv.Fill(Ellipse(x + 10 * k, y - ry + 4 * k, 8 * k, 3 * k), Hex(0x3a4450));
    for (int i = 0; i < 5; ++i)
      s.cv.Fill(Circle(x + 10 * k + i * 5 * k, y - ry - (8 + i * 12) * k, (4 + i * 2) * k), Hex(0xc0c8d0), 0.35f - i * 0.05f, 4);
  }
  s.cv.Fill(Rough(Ellipse(x, y + 2, rx * 1.05f, 8 * k), 2, 8, sd + 2), Linear(0, y - 6 * k, kSnow, 0, y + 10 * k, kSnowShade));
}

// A heap of frozen laundry: stiff shirts, trousers and socks piled anyhow.
void Laundry(Scene& s, const Element& e) {
  const float x = e.Num("x", 510), y = e.Num("y", 318), k = e.Num("s", 1);
  const Col cloth[] = {Hex(0xb04a3a), Hex(0x4a6a9a), Hex(0xe0d8c4), Hex(0x6a8a4a), Hex(0xc89a3a), Hex(0x8a5a8a)};
  Rng r(s.seed + 570);
  s.cv.Fill(Ellipse(x + 6 * k, y + 2, 70 * k, 10 * k), Hex(0x7a90b0), 0.45f, 6);
  for (int i = 0; i < 11; ++i) {
    const float gx = x + r.Range(-45, 45) * k, gy = y - r.Range(0, 30) * k * (1 - std::fabs(gx - x) / (60 * k)) - 8 * k;
    Garment(s, r.Int(0, 3), gx, gy, k * r.Range(0.8f, 1.1f), r.Range(-1.7f, 1.7f), cloth[r.Int(0, 5)], s.seed + 571u + static_cast<uint32_t>(i));
  }
  // One shirt stands bolt upright on top, frozen in a shrug.
  Garment(s, 0, x + 4 * k, y - 72 * k, 1.05f * k, 0.12f, cloth[2], s.seed + 590);
  s.cv.Fill(Rough(Ellipse(x, y, 62 * k, 9 * k), 3, 8, s.seed + 591), Linear(0, y - 8 * k, kSnow, 0, y + 9 * k, kSnowShade));
}

}  // namespace

void RegisterNorthlandsIce(Registry&) {}
void RegisterNorthlandsCastle(Registry&) {}

void RegisterNorthlands(Registry& r) {
  r["ribbons"] = Ribbons;
  r["icesheen"] = IceSheen;
  r["washingline"] = WashingLine;
  r["sledge"] = Sledge;
  r["pole"] = PoleE;
  r["footprints"] = Footprints;
  r["fallmark"] = FallMark;
  r["ridge"] = Ridge;
  r["icepillars"] = IcePillars;
  r["yak"] = Yak;
  r["glacier"] = Glacier;
  r["crevasses"] = Crevasses;
  r["icecracks"] = IceCracks;
  r["frostcaps"] = FrostCaps;
  r["gully"] = Gully;
  r["icewall"] = IceWall;
  r["snowhut"] = SnowHut;
  r["laundry"] = Laundry;
  RegisterNorthlandsIce(r);
  RegisterNorthlandsCastle(r);
}

}  // namespace pics
