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
  s.cv.Fill(
      sh, [&](float x, float y) { return Mix(kIceLight, kSnow, Fbm(x / 5.f, y / 5.f, seed, 2)); }, strength * 0.55f);
}

// A snow cap: a lumpy white pad on top of something, shaded below.
void SnowCap(Scene& s, float x, float y, float rx, float ry, uint32_t seed) {
  Shape cap = Rough(Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 2, y - ry - 2, x + rx + 2, y + ry * 0.45f)),
                    ry * 0.25f, std::max(2.f, rx * 0.3f), seed);
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
    s.cv.Fill(Poly({ix - 2 * k, hy - 2, ix + 2 * k, hy - 2, ix, hy + (5 + 4 * ((i + 3) % 2)) * k}), Hex(0xe8f6ff),
              0.9f);
  }
}

// Two posts and a sagging line of washing, frozen stiff where it hangs.
void WashingLine(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 240), k = e.Num("s", 1), half = 110 * k, h = 95 * k;
  const Col wood = s.pal.wood * 0.8f;
  for (int side = -1; side <= 1; side += 2) {
    const float px = x + side * half;
    s.cv.Fill(Capsule(px, y + 4, px + side * 3, y - h, 3.2f * k, 2.5f * k),
              Linear(px - 3, 0, wood * 1.3f, px + 3, 0, wood * 0.6f));
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
    Garment(s, kinds[i], x - half + 2 * half * t, lineY(t) + 1, k * (kinds[i] == 2 ? 1.f : 0.9f),
            -0.45f - 0.05f * (i % 3), cloth[i % 5], s.seed + 410u + static_cast<uint32_t>(i));
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
    for (float sx : {-55.f, -18.f, 20.f})
      s.cv.Fill(Line(x + sx * k + ox, y + oy, x + sx * k + ox + 2, y + oy - 16 * k, 2 * k), c * 0.9f);
  };
  runner(16 * k, -9 * k, dark);
  // The bed of slats, with a lashed bundle on it.
  s.cv.Fill(Poly({x - 72 * k, y - 16 * k, x + 50 * k, y - 16 * k, x + 66 * k, y - 26 * k, x - 56 * k, y - 26 * k}),
            Planks(wood, 7 * k, true, s.seed + 420));
  s.cv.Fill(Box(x - 72 * k, y - 16 * k, x + 50 * k, y - 12 * k), wood * 0.6f);
  s.cv.Fill(Ellipse(x - 12 * k, y - 36 * k, 34 * k, 14 * k),
            Rounded(Hex(0x7a6a50), x - 20 * k, y - 40 * k, 34 * k, 14 * k));
  for (float bx : {-30.f, 6.f})
    s.cv.Fill(Line(x + bx * k, y - 50 * k, x + (bx + 4) * k, y - 22 * k, 1.2f * k), Hex(0x3a2a1a));
  SnowCap(s, x - 14 * k, y - 46 * k, 30 * k, 8 * k, s.seed + 421);
  runner(0, 0, wood * 0.8f);
  // Snow drifted against the back half.
  s.cv.Fill(Rough(Ellipse(x - 62 * k, y - 2 * k, 40 * k, 14 * k), 3, 8, s.seed + 422),
            Linear(0, y - 16 * k, kSnow, 0, y + 10 * k, kSnowShade));
}

// A tall wooden pole marking the crossroads, a frozen rag tied to its top.
void PoleE(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", 300), k = e.Num("s", 1), h = e.Num("h", 190) * k;
  const Col wood = s.pal.wood * 0.75f;
  s.cv.Fill(Ellipse(x + 40 * k, y + 3, 50 * k, 5 * k), Hex(0x7a90b0), 0.4f, 5);
  s.cv.Fill(Capsule(x, y, x + 4 * k, y - h, 5 * k, 3 * k),
            Textured(Linear(x - 5 * k, 0, wood * 1.5f, x + 5 * k, 0, wood * 0.55f), 0.25f, 3, s.seed + 430));
  // Frost on the windward side and a cap of snow.
  s.cv.Fill(Capsule(x - 3 * k, y - 4, x + 1 * k, y - h, 1.8f * k, 1.2f * k), kIceLight, 0.7f);
  SnowCap(s, x + 4 * k, y - h - 2, 6 * k, 5 * k, s.seed + 431);
  // A crosspiece, and the rag frozen straight out in the wind.
  s.cv.Fill(Line(x - 16 * k, y - h + 24 * k, x + 20 * k, y - h + 20 * k, 2.2f * k), wood);
  s.cv.Fill(Placed({0, 0, 38, 4, 34, 10, 40, 16, 2, 14}, x + 4 * k, y - h + 30 * k, k, 0.05f),
            Linear(x, 0, Hex(0xb8342a), x + 40 * k, 0, Hex(0x6a1e1a)));
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
      s.cv.Fill(Intersect(Ellipse(x, y + ry * 0.5f, rx * 1.1f, ry * 0.7f),
                          Box(x - rx * 2, y + ry * 0.55f, x + rx * 2, y + ry * 2)),
                kSnow, 0.8f);
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
  body = Union(body,
               Capsule(x - 10 * k, y - 14 * k * sq, x - 44 * k, y - 40 * k * sq, 5 * k * sq * 1.4f, 4 * k * sq * 1.4f));
  body = Union(body,
               Capsule(x + 10 * k, y - 14 * k * sq, x + 42 * k, y - 30 * k * sq, 5 * k * sq * 1.4f, 4 * k * sq * 1.4f));
  body = Union(body,
               Capsule(x - 6 * k, y + 20 * k * sq, x - 20 * k, y + 60 * k * sq, 6 * k * sq * 1.4f, 5 * k * sq * 1.4f));
  body = Union(body,
               Capsule(x + 6 * k, y + 20 * k * sq, x + 14 * k, y + 62 * k * sq, 6 * k * sq * 1.4f, 5 * k * sq * 1.4f));
  body = Rough(body, 1.5f * k, 5 * k, s.seed + 450);
  // A rim of thrown-up snow, then the hollow itself.
  s.cv.Fill(Rough(Ellipse(x - 2 * k, y + 4 * k * sq, 62 * k, 48 * k * sq), 4 * k, 10 * k, s.seed + 451), Hex(0xfafcff),
            0.55f, 6);
  s.cv.Fill(body, Linear(0, y - 50 * k * sq, Hex(0x8aa0c0), 0, y + 70 * k * sq, Hex(0xc4d2e2)));
  // The far inner wall of the hollow catches the light; the near one is in shade.
  s.cv.Fill(Moved(body, 0, 2.5f * k), Linear(0, y - 50 * k * sq, Hex(0xa6b8d0), 0, y + 70 * k * sq, Hex(0xdbe4ee)),
            0.8f, 2);
  s.cv.Fill(Intersect(body, Moved(body, 0, 5 * k)), Hex(0x7890b2), 0.5f, 2);
  Rng r(s.seed + 452);
  for (int i = 0; i < 14; ++i) {
    const float a = r.Range(0, 6.28f), d = r.Range(50, 80) * k;
    const float cx = x + std::cos(a) * d, cy = y + std::sin(a) * d * sq, rr = r.Range(2, 5) * k;
    s.cv.Fill(Ellipse(cx + 1, cy + rr * 0.6f, rr, rr * 0.5f), Hex(0x8aa0be), 0.5f, 2);
    s.cv.Fill(Circle(cx, cy, rr * 0.8f), Rounded(kSnow, cx, cy, rr, rr, 0.3f));
  }
}

// Standing on a ridge of packed ice: its crest runs away ahead, its flanks
// fall to a hazy plain far below on either side.
void Ridge(Scene& s, const Element& e) {
  const float vx = e.Num("x", 340), bx = e.Num("from", 300), top = s.horizon + 4;
  const uint32_t sd = s.seed + 460;
  s.cv.Fill(Box(-5, s.horizon - 4, 605, 380), [&](float px, float py) {
    const float t = Clamp01((py - top) / (375 - top));
    return Mix(Hex(0xc4ccd8), Hex(0x8a9cb2), t) * (0.93f + 0.1f * Fbm(px / 80.f, py / 8.f, sd, 3));
  });
  // Far below, a few dark rocks breaking the plain.
  Rng far(sd + 9);
  for (int i = 0; i < 10; ++i) {
    const float y = far.Range(top + 4, top + 40), x = far.Range(0, 600);
    s.cv.Fill(Ellipse(x, y, far.Range(2, 6), 1.2f), Hex(0x5a6a7e), 0.7f);
  }
  auto crest = [&](float y, float& cx, float& w, float& flank) {
    const float t = Clamp01((y - top) / (375 - top));
    cx = vx + (bx - vx) * t + 12 * std::sin(t * 5.f) * t;
    w = 3 + 120 * t;
    flank = w + 8 + 330 * t;
  };
  // The two flanks, lit on the left and in shadow on the right, scored by the wind.
  std::vector<float> left, right, mid;
  for (int i = 0; i <= 24; ++i) {
    const float y = top + (375 + 6 - top) * i / 24.f;
    float cx, w, fl;
    crest(y, cx, w, fl);
    const float j = 5 * (Noise(i * 0.9f, 0.5f, sd + 1) - 0.5f) * (i / 24.f);
    left.insert(left.end(), {cx - fl + j * 3, y});
    right.insert(right.end(), {cx + fl + j * 3, y});
    mid.insert(mid.end(), {cx, y});
  }
  auto flankShape = [&](const std::vector<float>& outer, const std::vector<float>& inner) {
    std::vector<float> pts = outer;
    for (size_t i = inner.size(); i >= 2; i -= 2) pts.insert(pts.end(), {inner[i - 2], inner[i - 1]});
    return Poly(pts);
  };
  s.cv.Fill(Rough(flankShape(left, mid), 3, 12, sd + 2), [&](float px, float py) {
    const float streak = Fbm(px / 60.f + py / 30.f, py / 3.f, sd + 3, 3);
    return Mix(Hex(0xdce8f2), Hex(0x9ab8d2), 0.25f + 0.5f * streak);
  });
  s.cv.Fill(Rough(flankShape(right, mid), 3, 12, sd + 4), [&](float px, float py) {
    const float streak = Fbm(px / 60.f - py / 30.f, py / 3.f, sd + 5, 3);
    return Mix(Hex(0x9ab4cc), Hex(0x4a7aa0), 0.3f + 0.5f * streak);
  });
  // The crest: a band of hard, wind-polished ice along the spine.
  std::vector<float> band;
  for (int i = 0; i <= 24; ++i) {
    const float y = top + (375 + 6 - top) * i / 24.f;
    float cx, w, fl;
    crest(y, cx, w, fl);
    band.insert(band.end(), {cx - w, y});
  }
  for (int i = 24; i >= 0; --i) {
    const float y = top + (375 + 6 - top) * i / 24.f;
    float cx, w, fl;
    crest(y, cx, w, fl);
    band.insert(band.end(), {cx + w, y});
  }
  s.cv.Fill(Rough(Poly(band), 2, 8, sd + 6), [&](float px, float py) {
    const float t = Clamp01((py - top) / (375 - top));
    const float sheen = Smooth(0.55f, 0.8f, Fbm(px / (6 + 30 * t), py / (30 + 60 * t), sd + 7, 3));
    return Mix(Hex(0xb8d4e8), Hex(0xf6fbff), 0.35f + 0.6f * sheen);
  });
  // Blue cracks across the packed ice.
  Rng r(sd + 8);
  for (int i = 0; i < 5; ++i) {
    float y = r.Range(top + 30, 360);
    float cx, w, fl;
    crest(y, cx, w, fl);
    float x = cx + w * r.Range(-0.8f, 0.8f);
    const float t = Near(s, y), dir = r.Uni() < 0.5f ? -1.f : 1.f;
    for (int j = 0; j < 4; ++j) {
      const float nx = x + dir * r.Range(6, 18) * (0.4f + t), ny = y + r.Range(2, 12) * (0.4f + t);
      s.cv.Fill(Line(x, y, nx, ny, 0.5f + 1.1f * t), Hex(0x3a6e98), 0.75f);
      x = nx;
      y = ny;
    }
  }
  // A bright edge where the crest breaks over onto each flank.
  for (size_t i = 0; i + 3 < band.size() / 2; i += 2) {
    s.cv.Fill(Line(band[i], band[i + 1], band[i + 2], band[i + 3], 1.2f), Hex(0xffffff), 0.6f, 1.5f);
    const size_t j = band.size() - 2 - i;
    s.cv.Fill(Line(band[j], band[j + 1], band[j - 2], band[j - 1], 1.2f), Hex(0x2a5a80), 0.5f, 1.5f);
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
    for (float x : {40.f, 120.f, 200.f, 270.f})
      ps.push_back({x + r.Range(-10, 10), s.horizon + r.Range(4, 10), r.Range(50, 80), r.Range(8, 12), 0.5f});
    ps.push_back({330, s.horizon + 22, 110, 16, 0.25f});
  } else {
    for (int i = 0; i < 6; ++i)
      ps.push_back({r.Range(20, 590), s.horizon + r.Range(2, 10), r.Range(40, 70), r.Range(6, 10), 0.55f});
    for (float x : {230.f, 330.f, 560.f})
      ps.push_back({x + r.Range(-15, 15), s.horizon + r.Range(16, 30), r.Range(100, 140), r.Range(13, 18), 0.25f});
    ps.push_back({490, s.horizon + 62, 210, 26, 0});
  }
  for (size_t i = 0; i < ps.size(); ++i)
    IcePillar(s, ps[i].x, ps[i].y, ps[i].h, ps[i].w, ps[i].haze, s.seed + 480u + static_cast<uint32_t>(i * 13));
}

// A yak frozen where it stood, shaggy coat stiff with ice, facing left.
void Yak(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 296), k = e.Num("s", 1);
  const Col fur = Hex(0x4a3428), furLit = Hex(0x7a5a40);
  const uint32_t sd = s.seed + 490;
  s.cv.Fill(Ellipse(x + 10 * k, y + 2, 80 * k, 8 * k), Hex(0x6a80a0), 0.45f, 5);
  // Legs, far pair darker.
  for (float lx : {-30.f, 36.f})
    s.cv.Fill(Capsule(x + (lx + 8) * k, y - 40 * k, x + (lx + 10) * k, y - 4 * k, 8 * k, 6 * k), fur * 0.55f);
  for (float lx : {-36.f, 30.f})
    s.cv.Fill(Capsule(x + lx * k, y - 40 * k, x + lx * k, y - 2, 9 * k, 6.5f * k), fur * 0.8f);
  // Body with its hump, then the long skirt of hair.
  Shape body = Union(Ellipse(x, y - 56 * k, 60 * k, 30 * k), Ellipse(x - 26 * k, y - 72 * k, 32 * k, 26 * k));
  body = Rough(body, 3 * k, 7 * k, sd);
  s.cv.Fill(body, Textured(Rounded(furLit, x - 20 * k, y - 70 * k, 64 * k, 36 * k, 0.55f), 0.3f, 3, sd + 1));
  Rng r(sd + 2);
  for (float hx = x - 56 * k; hx < x + 56 * k; hx += 3.2f * k) {
    const float base = y - 58 * k + 26 * k * std::sqrt(std::max(0.f, 1 - std::pow((hx - x) / (60 * k), 2.f)));
    s.cv.Fill(Line(hx, base - 12 * k, hx + r.Range(-2, 2) * k, base + r.Range(12, 24) * k, 2 * k),
              Mix(fur, furLit, r.Uni() * 0.6f));
  }
  // Head lowered to the left, horns curling up.
  const float hx = x - 66 * k, hy = y - 54 * k;
  s.cv.Fill(Rough(Ellipse(hx, hy, 17 * k, 20 * k), 2 * k, 5 * k, sd + 3),
            Rounded(fur, hx - 4 * k, hy - 6 * k, 17 * k, 20 * k));
  s.cv.Fill(Ellipse(hx - 6 * k, hy + 14 * k, 9 * k, 7 * k), fur * 0.6f);
  for (int side = -1; side <= 1; side += 2) {
    float px = hx + side * 8 * k, py = hy - 14 * k;
    for (int i = 1; i <= 6; ++i) {
      const float a = i / 6.f * kPi * 0.8f;
      // Horns sweep out sideways and up; the far one is partly hidden behind the head.
      const float hk = side > 0 ? 0.7f : 1.f;
      const float nx = hx + side * (8 + 14 * hk * std::sin(a)) * k,
                  ny = hy - (14 + 14 * hk * (1 - std::cos(a)) * 0.8f) * k + (i > 4 ? 4 * k : 0);
      s.cv.Fill(Line(px, py, nx, ny, (3.5f - i * 0.4f) * k), Hex(0xd8ccb0));
      px = nx;
      py = ny;
    }
  }
  s.cv.Fill(Circle(hx - 8 * k, hy - 2 * k, 2 * k), Hex(0x101010));
  // Frost over the back and head, icicles under the skirt and the muzzle.
  Rime(s, Intersect(body, Box(x - 70 * k, y - 110 * k, x + 70 * k, y - 78 * k)), 0.8f, sd + 4);
  Rime(s, Intersect(body, Ellipse(x - 10 * k, y - 60 * k, 70 * k, 36 * k)), 0.35f, sd + 5);
  SnowCap(s, x - 20 * k, y - 88 * k, 40 * k, 8 * k, sd + 6);
  SnowCap(s, hx + 2 * k, hy - 16 * k, 12 * k, 5 * k, sd + 7);
  for (float ix = x - 50 * k; ix < x + 50 * k; ix += r.Range(6, 12) * k) {
    const float base = y - 58 * k + 30 * k * std::sqrt(std::max(0.f, 1 - std::pow((ix - x) / (60 * k), 2.f))) + 14 * k;
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
      return Mix(Hex(0x9ed8f0), Hex(0x071a30), Smooth(0.05f, 0.85f, f)) *
             (0.9f + 0.2f * Fbm(px / 4.f, py / 12.f, sd + 9, 2));
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
  const float depth = e.Num("k", 1.8f);
  const int W = s.cv.W(), H = s.cv.H();
  std::vector<float> lum(static_cast<size_t>(W) * H);
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) lum[static_cast<size_t>(y) * W + x] = Lum(s.cv.C(x, y));
  const uint32_t sd = s.seed + 530;
  s.cv.Map([&](int x, int y, Col c) {
    const float l = lum[static_cast<size_t>(y) * W + x];
    // Only on the land: the grey sky has dark patches under bright cloud too.
    if (l > 0.72f || y < s.horizon - 25) return c;
    const float t = Clamp01((y - s.horizon + 40) / 200.f);
    const int reach = static_cast<int>((4 + 12 * t) * depth * (0.6f + 0.8f * Noise(x / 6.f, y / 6.f, sd)));
    for (int k = 1; k <= reach && y - k >= 0; ++k)
      if (lum[static_cast<size_t>(y - k) * W + x] > 0.8f) {
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
      const float t = r.Range(0.15f, 0.8f), bx = outer + (inner - outer) * t * 0.9f,
                  by = crest + (floorY - crest) * std::pow(t, 1.4f) + r.Range(10, 30);
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
  for (float x = x0; x <= 610; x += 12)
    pts.insert(pts.end(), {x, topY - 14 * Noise(x / 25.f, 2.5f, sd) - 6 * std::fabs(std::sin(x / 17.f))});
  pts.insert(pts.end(), {610, foot});
  s.cv.Fill(Poly(pts), [&](float px, float py) {
    const float flute = Fbm(px / 7.f, py / 90.f, sd + 1, 3), strata = Fbm(px / 120.f, py / 6.f, sd + 2, 2);
    const float lit = Clamp01(1 - (px - x0) / 90.f) * 0.4f;  // the corner catches the light
    Col c = Mix(Hex(0x3a76a4), kIceLight, Clamp01(0.2f + 0.75f * flute + lit)) * (0.86f + 0.2f * strata);
    return Mix(c, Hex(0x24507a), 0.35f * Smooth(0.3f, 1.f, (py - topY) / (foot - topY)));
  });
  // Snow along the top and a drift piled at the foot.
  s.cv.Fill(Rough(Box(x0 - 10, topY - 22, 610, topY + 4), 4, 10, sd + 3),
            Linear(0, topY - 22, kSnow, 0, topY + 4, Hex(0xd8e4f0)));
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
    s.cv.Fill(Intersect(Ellipse(dx, y, 34 * k, 40 * k), Box(dx - 40 * k, y - 40 * k, dx + 40 * k, y + 1)),
              Rounded(Hex(0xeef4fa), dx - 10 * k, y - 30 * k, 34 * k, 40 * k));
    s.cv.Fill(Intersect(Ellipse(dx, y, 20 * k, 28 * k), Box(dx - 30 * k, y - 30 * k, dx + 30 * k, y + 1)),
              Linear(0, y - 28 * k, Hex(0x101820), 0, y, Hex(0x2a3440)));
    s.cv.Fill(Ellipse(dx, y - 6 * k, 14 * k, 10 * k), Hex(0xffa040), 0.25f, 6);
  } else {
    // From behind: a little chimney hole letting out a thread of smoke.
    s.cv.Fill(Ellipse(x + 10 * k, y - ry + 4 * k, 8 * k, 3 * k), Hex(0x3a4450));
    for (int i = 0; i < 5; ++i)
      s.cv.Fill(Circle(x + 10 * k + i * 5 * k, y - ry - (8 + i * 12) * k, (4 + i * 2) * k), Hex(0xc0c8d0),
                0.35f - i * 0.05f, 4);
  }
  s.cv.Fill(Rough(Ellipse(x, y + 2, rx * 1.05f, 8 * k), 2, 8, sd + 2),
            Linear(0, y - 6 * k, kSnow, 0, y + 10 * k, kSnowShade));
}

// A heap of frozen laundry: stiff shirts, trousers and socks piled anyhow.
void Laundry(Scene& s, const Element& e) {
  const float x = e.Num("x", 510), y = e.Num("y", 318), k = e.Num("s", 1);
  const Col cloth[] = {Hex(0xb04a3a), Hex(0x4a6a9a), Hex(0xe0d8c4), Hex(0x6a8a4a), Hex(0xc89a3a), Hex(0x8a5a8a)};
  Rng r(s.seed + 570);
  s.cv.Fill(Ellipse(x + 6 * k, y + 2, 70 * k, 10 * k), Hex(0x7a90b0), 0.45f, 6);
  s.cv.Fill(Rough(Ellipse(x, y, 62 * k, 9 * k), 3, 8, s.seed + 591),
            Linear(0, y - 8 * k, kSnow, 0, y + 9 * k, kSnowShade));
  // Garments sticking out of the heap at all angles, then the heap itself.
  for (int i = 0; i < 6; ++i) {
    const float side = i % 2 ? 1.f : -1.f, gx = x + side * r.Range(20, 44) * k, gy = y - r.Range(14, 34) * k;
    Garment(s, r.Int(0, 3), gx, gy, k * r.Range(0.85f, 1.05f), side * r.Range(-1.9f, -1.1f), cloth[r.Int(0, 5)],
            s.seed + 571u + static_cast<uint32_t>(i));
  }
  const uint32_t hs = s.seed + 580;
  Shape heap = Rough(Intersect(Ellipse(x, y - 4 * k, 52 * k, 40 * k), Box(x - 60 * k, y - 50 * k, x + 60 * k, y)),
                     5 * k, 9 * k, hs);
  s.cv.Fill(heap, [=](float px, float py) {
    // A patchwork of cloth: each lump of the heap is a different garment.
    const float wob = 8 * k * (Fbm(px / (9 * k), py / (9 * k), hs + 5, 2) - 0.5f);
    const float row = std::floor((py + wob) / (11 * k)), col = std::floor((px + wob * 1.5f) / (22 * k) + row * 0.5f);
    const Col c = cloth[static_cast<int>(Noise(col * 2.7f + 0.5f, row * 3.1f + 0.5f, hs + 1) * 5.99f)];
    const float fold = 0.75f + 0.35f * Fbm(px / (5 * k), py / (4 * k), hs + 2, 2);
    const float lit = Clamp01(0.9f - (px - x + 30 * k) / (120 * k) - (py - y + 40 * k) / (120 * k));
    return c * fold * (0.6f + 0.6f * lit);
  });
  Rime(s, Intersect(heap, Box(x - 60 * k, y - 50 * k, x + 60 * k, y - 24 * k)), 0.7f, hs + 3);
  Rime(s, heap, 0.25f, hs + 4);
  // One shirt stands bolt upright on top, frozen in a shrug.
  Garment(s, 0, x + 4 * k, y - 74 * k, 1.05f * k, 0.12f, cloth[2], s.seed + 590);
}

}  // namespace

// ------------------------------------------------------------------ the ice cave

namespace {

// Light shining through thin ice: a bright patch in the wall with a cold glow.
void BlueGlow(Scene& s, const Element& e) {
  const float x = e.Num("x", 450), y = e.Num("y", 150), r = e.Num("r", 90);
  const uint32_t sd = s.seed + 600 + static_cast<uint32_t>(x);
  // The ice itself lights up from behind: its own texture brightens, most
  // along the veins, with a ragged edge rather than a round one.
  s.cv.Map([&](int px, int py, Col c) {
    const float dx = (px - x) / (r * 1.5f), dy = (py - y) / r;
    const float d = std::sqrt(dx * dx + dy * dy) + 0.45f * (Fbm(px / 25.f, py / 25.f, sd + 3, 3) - 0.5f);
    if (d >= 1) return c;
    const float veins = Smooth(0.45f, 0.75f, Fbm(px / 10.f, py / 26.f, sd + 1, 4));
    const float k = (1 - d) * (1 - d) * (0.5f + 0.8f * veins);
    return Mix(c, c * 0.5f + Hex(0x8ad8ff) * 0.8f, Clamp01(k * 1.3f));
  });
  // Facets of clearer ice catching it.
  Rng g(sd + 2);
  for (int i = 0; i < 6; ++i) {
    const float fx = x + g.Range(-r, r) * 0.6f, fy = y + g.Range(-r, r) * 0.5f, fr = g.Range(6, 16);
    s.cv.Fill(Poly({fx, fy - fr, fx + fr * 0.6f, fy, fx, fy + fr * 0.7f, fx - fr * 0.5f, fy}), Hex(0xffffff), 0.35f,
              1.5f);
  }
  s.AddLight(x, y, r * 2.2f, Hex(0x4aa8f0));
}

// A fish frozen in mid-leap, arched inside the ice.
void Fish(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", 230), k = e.Num("s", 1.2f);
  const uint32_t sd = s.seed + 610;
  const float R = 60 * k, span = 1.15f;
  // The spine is an arc bowed upwards; both ends droop, as in a leap.
  auto spineY = [=](float px) {
    const float u = Clamp01((px - x) / R * 0.5f + 0.5f) * 2 - 1;
    const float a = std::asin(std::max(-0.999f, std::min(0.999f, u * std::sin(span))));
    return y + (1 - std::cos(a)) * R * 0.9f - 10 * k;
  };
  auto at = [&](float u, float& px, float& py) {
    const float a = -span + 2 * span * u;
    px = x + std::sin(a) * R;
    py = spineY(px);
  };
  float tx, ty, hx, hy;
  at(0, tx, ty);
  at(1, hx, hy);
  // Forked tail at the left end.
  s.cv.Fill(Placed({2, 0, -16, -15, -9, 0, -16, 15}, tx, ty, k, -0.85f),
            Linear(tx - 16 * k, 0, Hex(0x6a7a50), tx + 4 * k, 0, Hex(0x34442c)));
  auto width = [=](float u) {
    return (2.5f + 11 * std::pow(std::sin(Clamp01(u * 1.1f) * kPi * 0.95f + 0.05f), 0.8f)) * k;
  };
  auto skin = [=](float px, float py) {
    const float rel = (py - spineY(px)) / (11 * k);
    Col back = Hex(0x3a5236) * (0.8f + 0.4f * Smooth(0.55f, 0.7f, Noise(px / 2.2f, py / 2.2f, sd)));
    Col c = Mix(back, Hex(0xb88a78), Smooth(-0.2f, 0.15f, rel));  // a rosy stripe along the flank
    return Mix(c, Hex(0xeef2ee), Smooth(0.2f, 0.6f, rel));
  };
  // Dorsal and belly fins, drawn before the body so it overlaps them.
  float mx, my;
  at(0.55f, mx, my);
  s.cv.Fill(Placed({-10, 0, 2, -14, 12, 0}, mx, my - 9 * k, k, 0.25f), Hex(0x34482e));
  at(0.4f, mx, my);
  s.cv.Fill(Placed({-6, 0, 4, 12, 8, 0}, mx, my + 9 * k, k, -0.2f), Hex(0x8a9078));
  for (int i = 0; i < 24; ++i) {
    const float u0 = i / 24.f, u1 = (i + 1) / 24.f;
    float ax, ay, bx, by;
    at(u0, ax, ay);
    at(u1, bx, by);
    s.cv.Fill(Capsule(ax, ay, bx, by, width(u0), width(u1)), skin);
  }
  // Head: gill line, eye and the open mouth.
  s.cv.Fill(Line(hx - 13 * k, hy - 7 * k, hx - 11 * k, hy + 5 * k, 0.7f * k), Hex(0x22301e), 0.7f);
  s.cv.Fill(Circle(hx - 4 * k, hy - 2 * k, 2.6f * k), Hex(0xf4f0d8));
  s.cv.Fill(Circle(hx - 3.6f * k, hy - 2 * k, 1.4f * k), Hex(0x0a0a0a));
  s.cv.Fill(Poly({hx + 4 * k, hy + 1 * k, hx + 1 * k, hy + 5 * k, hx + 4 * k, hy + 6 * k}), Hex(0x2a1a1a));
  // The ice over it: a faint veil, bright streaks and trapped bubbles, so it sits inside.
  s.cv.Fill(Ellipse(x, y, 85 * k, 45 * k), Hex(0xc8ecfa), 0.14f, 20);
  Rng g(sd + 1);
  for (int i = 0; i < 4; ++i) {
    const float sx = x + g.Range(-60, 40) * k, sy = y + g.Range(-30, 40) * k;
    s.cv.Fill(Line(sx, sy, sx + g.Range(15, 40) * k, sy - g.Range(8, 25) * k, 0.8f), Hex(0xffffff), 0.45f, 1.5f);
  }
  for (int i = 0; i < 7; ++i)
    s.cv.Fill(Circle(hx + g.Range(4, 20) * k, hy - g.Range(6, 40) * k, g.Range(1, 2.2f) * k), Hex(0xf0fbff), 0.7f);
}

// The mouth of a passage into the ice at (x, y), running off into the dark.
void IceMouth(Scene& s, float x, float y, float rx, float ry, uint32_t sd) {
  s.cv.Fill(Rough(Ellipse(x, y, rx * 1.22f, ry * 1.15f), 4, 10, sd),
            Linear(x - rx, 0, Hex(0xe8f8ff), x + rx, 0, Hex(0x6aa4c8)), 0.9f);
  Shape hole =
      Rough(Intersect(Ellipse(x, y, rx, ry), Box(x - rx - 2, y - ry - 2, x + rx + 2, y + ry * 0.75f)), 3, 8, sd + 1);
  s.cv.Fill(hole, [=](float px, float py) {
    const float d = std::hypot((px - x) / rx, (py - y) / ry);
    return Mix(Hex(0x020610), Hex(0x3a78a4), Smooth(0.25f, 1.f, d));
  });
  s.cv.Fill(Intersect(Ellipse(x, y + ry * 0.75f, rx * 0.9f, ry * 0.18f), Ellipse(x, y, rx, ry)), Hex(0x4a88b0), 0.8f);
}

// A junction where tunnels run off into the ice in every direction.
void IceTunnels(Scene& s, const Element&) {
  const uint32_t sd = s.seed + 620;
  IceMouth(s, 300, 128, 30, 40, sd);
  IceMouth(s, 505, 150, 68, 92, sd + 5);
  IceMouth(s, 120, 112, 42, 62, sd + 10);
  // Worn tracks on the floor between the ways.
  for (float tx : {310.f, 500.f, 110.f})
    s.cv.Fill(Poly({tx - 10, s.horizon + 2, tx + 10, s.horizon + 2, 330 + (tx - 300) * 0.3f + 40, 370,
                    330 + (tx - 300) * 0.3f - 40, 370}),
              Hex(0xffffff), 0.08f, 10);
}

// A glint of something bright half hidden in the frost.
void Gleam(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 300), k = e.Num("s", 1);
  // On the ground it is something lying half buried; in the air, light caught on ice.
  const bool onGround = e.Num("ground", 1) > 0;
  if (onGround) s.cv.Fill(Ellipse(x, y + 3, 22 * k, 6 * k), Hex(0xf0faff), 0.8f, 3);
  s.cv.Fill(Ellipse(x, y, 5 * k, 3 * k), onGround ? Hex(0xffe070) : Hex(0xf4fcff));
  for (int i = 0; i < 4; ++i) {
    const float a = i * kPi / 4, l = (i % 2 ? 10 : 22) * k;
    s.cv.Fill(Line(x - std::cos(a) * l, y - std::sin(a) * l * 0.9f, x + std::cos(a) * l, y + std::sin(a) * l * 0.9f,
                   0.9f * k),
              Hex(0xfffaf0), 0.9f, 1.2f);
  }
  s.AddLight(x, y, 45 * k, onGround ? Hex(0xfff0c0) : Hex(0xd0f0ff));
}

// A dwarf's pick-axe, left driven into the ice, its haft standing up.
void PickAxe(Scene& s, const Element& e) {
  const float x = e.Num("x", 230), y = e.Num("y", 300), k = e.Num("s", 1.3f);
  const float a = 0.55f;  // lean of the haft from the vertical
  const float topx = x + std::sin(a) * 90 * k, topy = y - std::cos(a) * 90 * k;
  s.cv.Fill(Ellipse(x + 30 * k, y + 3, 40 * k, 5 * k), Hex(0x24506e), 0.35f, 4);
  // The head across the haft's foot: two tapering arms curving down, one
  // point buried in the ice.
  const float hx = x + std::sin(a) * 14 * k, hy = y - std::cos(a) * 14 * k;
  const float c = std::cos(a), sn = std::sin(a);
  const float dx = -sn, dy = c;  // along the haft, towards its foot
  const Shader iron = Linear(hx - 20 * k, hy - 20 * k, Hex(0x9aa2ac), hx + 20 * k, hy + 20 * k, Hex(0x1e2226));
  s.cv.Fill(Capsule(hx, hy, hx + c * 30 * k + dx * 10 * k, hy + sn * 30 * k + dy * 10 * k, 4.5f * k, 1 * k), iron);
  s.cv.Fill(Capsule(hx, hy, hx - c * 26 * k + dx * 9 * k, hy - sn * 26 * k + dy * 9 * k, 4.5f * k, 1.2f * k), iron);
  s.cv.Fill(Box(hx - 5 * k, hy - 5 * k, hx + 5 * k, hy + 5 * k, 2 * k), Hex(0x3a3e44));
  s.cv.Fill(Capsule(hx, hy, topx, topy, 3.4f * k, 3 * k),
            Linear(hx - 4 * k, 0, s.pal.wood * 1.5f, hx + 4 * k, 0, s.pal.wood * 0.6f));
  s.cv.Fill(Line(hx + sn * 50 * k - 0.5f, hy - c * 50 * k, topx, topy, 1 * k), Hex(0x5a2e1a), 0.8f);  // a leather grip
  s.cv.Fill(Line(hx - 2, hy - 2, topx - 2, topy - 2, 0.8f), kIceLight, 0.5f);
  const float px = hx + c * 30 * k + dx * 10 * k, py = hy + sn * 30 * k + dy * 10 * k;
  s.cv.Fill(Rough(Ellipse(px, py + 2 * k, 12 * k, 4 * k), 1.5f, 4, s.seed + 630),
            Linear(0, py - 2 * k, Hex(0xe8f6ff), 0, py + 6 * k, Hex(0x9ac4dc)));
}

// Claw marks scoring the ice: sets of deep parallel gouges.
void Claws(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 150), k = e.Num("s", 1);
  const float sets[][4] = {{x, y, 1.f, 0.5f}, {x + 210, y + 10, 0.75f, 0.7f}, {x - 190, y - 20, 0.7f, 0.35f}};
  for (const auto& st : sets) {
    const float cx = st[0], cy = st[1], kk = st[2] * k, a = st[3];
    for (int i = 0; i < 4; ++i) {
      const float off = (i - 1.5f) * 16 * kk, len = (100 - std::fabs(i - 1.5f) * 14) * kk;
      const float ox = cx + std::cos(a + kPi / 2) * off, oy = cy + std::sin(a + kPi / 2) * off;
      const float ax = ox - std::cos(a) * len / 2, ay = oy - std::sin(a) * len / 2, bx = ox + std::cos(a) * len / 2,
                  by = oy + std::sin(a) * len / 2;
      s.cv.Fill(Capsule(ax + 1.5f, ay + 2, bx + 1.5f, by + 2, 4 * kk, 0.6f * kk), Hex(0xf4fcff), 0.8f);
      s.cv.Fill(Capsule(ax, ay, bx, by, 4 * kk, 0.5f * kk), Linear(ax, ay - 4, kIceDeep, ax, ay + 4, Hex(0x4a86b0)));
    }
  }
}

// A long slope of polished ice falling away into the blue dark.
void IceSlope(Scene& s, const Element& e) {
  const float vx = e.Num("x", 340), vy = e.Num("y", 175);
  const uint32_t sd = s.seed + 640;
  Shape slope = Rough(Poly({-5, 230, vx - 60, vy + 6, vx + 60, vy + 6, 605, 215, 605, 380, -5, 380}), 4, 20, sd);
  s.cv.Fill(slope, [=](float px, float py) {
    const float t = Clamp01((py - vy) / (375 - vy));
    // Streaks run down the fall line, towards the low point far off.
    const float u = (px - vx) / std::max(py - vy + 20, 1.f);
    const float streak = Fbm(u * 9.f, py / 140.f, sd + 1, 3);
    Col c = Mix(Hex(0x163a5a), Hex(0xcbe8f6), Smooth(0.f, 0.7f, t));
    c = Mix(c, Hex(0xffffff), 0.5f * Smooth(0.6f, 0.8f, streak) * t);
    return c;
  });
  // The dark where the slope drops out of sight.
  s.cv.Fill(Ellipse(vx, vy + 8, 70, 14), Hex(0x040a14), 0.9f, 10);
  // Long reflections of the cave roof on the polished ice.
  Rng g(sd + 2);
  for (int i = 0; i < 9; ++i) {
    const float bx = g.Range(-50, 650), u = (bx - vx) / (375 - vy);
    const float y0 = g.Range(vy + 40, 300), y1 = std::min(380.f, y0 + g.Range(40, 110));
    s.cv.Fill(Line(vx + u * (y0 - vy), y0, vx + u * (y1 - vy), y1, 1.5f + (y1 - vy) / 90.f), Hex(0xf4fcff), 0.45f, 2);
  }
}

// Waterfalls frozen solid, hanging from the roof in fluted curtains.
void FrozenFalls(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  const uint32_t sd = s.seed + 650;
  const float xs[] = {250, 470, 350, 560, 180};
  const float ws[] = {45, 70, 30, 36, 26};
  for (int i = 0; i < n && i < 5; ++i) {
    const float x = xs[i], w = ws[i], foot = s.horizon + 18 + (i == 1 ? 30 : i * 4);
    std::vector<float> pts;
    for (int j = 0; j <= 16; ++j) {
      const float t = j / 16.f;
      pts.insert(pts.end(), {x - w * (0.8f + 0.3f * std::sin(t * 9 + i) + 0.5f * t * t), -5 + (foot + 5) * t});
    }
    for (int j = 16; j >= 0; --j) {
      const float t = j / 16.f;
      pts.insert(pts.end(), {x + w * (0.8f + 0.3f * std::sin(t * 7 + i * 2) + 0.5f * t * t), -5 + (foot + 5) * t});
    }
    const uint32_t fs = sd + static_cast<uint32_t>(i);
    s.cv.Fill(
        Poly(pts),
        [=](float px, float py) {
          const float flute = Fbm(px / 3.5f, py / 90.f, fs, 3);
          const float bulge = 0.5f + 0.5f * std::sin(py / 17.f + px / 40.f);
          const float side = Clamp01((px - x) / (w * 1.6f) + 0.5f);
          return Mix(kIceLight, Hex(0x3a7aa8), Clamp01(side * 0.7f + (0.5f - flute) * 0.9f + 0.15f * bulge));
        },
        0.95f);
    // The frozen splash at the foot.
    s.cv.Fill(Rough(Intersect(Ellipse(x, foot + 4, w * 2.1f, 26), Box(x - w * 3, foot - 30, x + w * 3, foot + 6)), 4,
                    10, fs + 9),
              Linear(0, foot - 26, Hex(0xf0fbff), 0, foot + 6, Hex(0x7ab0d0)));
  }
}

// A low, flattened crawl through the ice, the roof pressing down.
void Crawl(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = 232;
  const float vx = e.Num("x", 350), vy = e.Num("y", 205);
  const uint32_t sd = s.seed + 660;
  s.cv.Fill(Box(-5, -5, 605, 380), Textured(Flat(s.pal.wallDark), 0.4f, 30, sd));
  const int rings = 10;
  for (int i = 0; i < rings; ++i) {
    const float t = static_cast<float>(i) / rings;
    const float rx = 420 * (1 - t) + 26, ry = 230 * (1 - t) * (1 - t * 0.4f) + 9;
    const float cx = 300 + (vx - 300) * t, cy = 240 + (vy - 240) * t;
    const Col ring = Mix(s.pal.wall, s.pal.wallDark * 0.3f, std::pow(t, 0.7f));
    s.cv.Fill(Rough(Ellipse(cx, cy, rx, ry), 10 * (1 - t) + 2, 26 * (1 - t) + 5, sd + static_cast<uint32_t>(i)),
              [=](float px, float py) {
                const float streak = Smooth(0.6f, 0.8f, Fbm(px / 30.f, py / 6.f, sd + 20, 3));
                return Mix(ring * (0.8f + 0.3f * Clamp01((cy - py) / ry + 0.5f)), Hex(0xffffff),
                           0.3f * streak * (1 - t));
              });
  }
  s.cv.Fill(Rough(Ellipse(vx, vy, 26, 9), 2, 5, sd + 50), Hex(0x02060c));
  // The floor of the crawl: worn smooth, with a faint scrape down the middle.
  s.cv.Fill(Rough(Poly({vx - 24, vy + 8, vx + 24, vy + 8, 600, 380, 0, 380}), 5, 16, sd + 60), [=](float px, float py) {
    const float t = (py - vy) / (375 - vy);
    return Mix(s.pal.wallDark * 0.5f, s.pal.floor, t) * (0.85f + 0.3f * Fbm(px / 25.f, py / 5.f, sd + 61, 3));
  });
  // Short icicles along the low roof.
  Rng g(sd + 70);
  for (float x = 20; x < 600; x += g.Range(14, 30)) {
    const float top = 240 - 160 * std::sqrt(std::max(0.f, 1 - std::pow((x - 300) / 390.f, 2.f))) + 6,
                l = g.Range(8, 22);
    s.cv.Fill(Poly({x - 3, top - 3, x + 3, top - 3, x, top + l}), Hex(0xe8f8ff), 0.8f);
  }
}

// The bottom of a shaft: a round opening in the roof. In the ice cave a pale
// column of light falls from it; kind=dark is a black flue leading up inside a wall.
void Shaft(Scene& s, const Element& e) {
  const float x = e.Num("x", 350);
  const uint32_t sd = s.seed + 670;
  if (e.Str("kind", "") == "dark") {
    // A tall recess in the back wall, with iron rungs going up into the black.
    const float w = e.Num("w", 36), foot = e.Num("y", BY1);
    s.cv.Fill(Box(x - w - 6, -5, x + w + 6, foot), Stones(s.pal.wall * 0.8f, s.pal.wallDark * 0.6f, 18, 10, sd));
    s.cv.Fill(Box(x - w, -5, x + w, foot - 2), Linear(0, -5, Hex(0x000000), 0, foot, Hex(0x1a1618)));
    for (float ry = foot - 26; ry > 0; ry -= 26) {
      const float fade = Clamp01(ry / foot * 1.3f);
      s.cv.Fill(Box(x - w * 0.6f, ry - 2, x + w * 0.6f, ry + 2, 1.5f), Hex(0x5a5656) * fade);
      s.cv.Fill(Box(x - w * 0.6f, ry - 2, x + w * 0.6f, ry - 1), Hex(0x8a8480) * fade);
    }
    s.cv.Fill(Ellipse(x, foot + 4, w * 1.3f, 6), Hex(0x000000), 0.35f, 5);
    return;
  }
  const float top = e.Num("top", 30), rx = e.Num("rx", 70);
  // The opening, lit from far above.
  s.cv.Fill(Rough(Ellipse(x, top, rx + 14, 26), 4, 10, sd), Hex(0x24506e));
  s.cv.Fill(Rough(Ellipse(x, top, rx, 20), 3, 8, sd + 1),
            Linear(0, top - 20, Hex(0xeaf6ff), 0, top + 20, Hex(0x5a8cb0)));
  s.cv.Fill(Ellipse(x, top - 2, rx * 0.55f, 10), Hex(0xffffff), 0.8f, 6);
  // The falling light and the pool of it on the floor, where dropped things land.
  const float floorY = s.horizon + 55;
  s.cv.Fill(Poly({x - rx * 0.8f, top + 10, x + rx * 0.8f, top + 10, x + rx * 1.4f, floorY, x - rx * 1.4f, floorY}),
            Hex(0xdff4ff), 0.16f, 14);
  s.cv.Fill(Ellipse(x, floorY, rx * 1.5f, 18), Hex(0xeefaff), 0.45f, 10);
  Rng g(sd + 2);
  for (int i = 0; i < 8; ++i)
    Boulder(s, x + g.Range(-rx, rx), floorY + g.Range(-8, 8), g.Range(4, 10), g.Range(3, 6), Hex(0xc8e6f4));
  s.AddLight(x, top + 40, 150, Hex(0xc0e8ff));
}

// A dwarvish fuel tank: a riveted iron drum on legs, with a sight glass
// showing the dark fuel slopping inside.
void FuelTank(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 270), k = e.Num("s", 1);
  const float r = 85 * k, h = 190 * k, top = y - h;
  const uint32_t sd = s.seed + 680;
  const Col iron = Hex(0x5a5450), copper = Hex(0xb0683a);
  s.cv.Fill(Ellipse(x + 10 * k, y + 6 * k, r * 1.3f, 14 * k), Hex(0x0a1a2a), 0.5f, 8);
  for (float lx : {-0.7f, 0.7f})
    s.cv.Fill(Box(x + lx * r - 7 * k, y - 30 * k, x + lx * r + 7 * k, y + 4 * k), iron * 0.6f);
  // The drum, rounded by light from the left.
  auto drum = [=](float px, float py) {
    const float u = Clamp01((px - x + r) / (2 * r));
    const float shade = 0.45f + 0.9f * std::sin(u * kPi * 0.85f + 0.25f) - 0.4f * u;
    return iron * shade * (0.85f + 0.3f * Fbm(px / 12.f, py / 30.f, sd, 3));
  };
  s.cv.Fill(Box(x - r, top, x + r, y - 24 * k), drum);
  s.cv.Fill(Ellipse(x, y - 24 * k, r, 16 * k), drum);
  s.cv.Fill(Ellipse(x, top, r, 18 * k), Textured(Flat(iron * 1.25f), 0.2f, 8, sd + 1));
  // Copper bands with rivets.
  for (float by : {top + 30 * k, top + 95 * k, y - 40 * k}) {
    s.cv.Fill(Intersect(Box(x - r, by - 6 * k, x + r, by + 6 * k), Box(x - r, top, x + r, y)), [=](float px, float py) {
      return drum(px, py) * 0.3f + copper * (0.6f + 0.6f * Clamp01(1 - (px - x + r) / (2 * r)));
    });
    for (float rx = -0.9f; rx <= 0.91f; rx += 0.15f) s.cv.Fill(Circle(x + rx * r, by, 1.8f * k), Hex(0xe0a070));
  }
  // The sight glass: a tall slot with the fuel's surface tilted by the slopping.
  const float gx = x - r * 0.35f, g0 = top + 42 * k, g1 = y - 52 * k;
  s.cv.Fill(Box(gx - 9 * k, g0 - 3, gx + 9 * k, g1 + 3, 3), Hex(0x2a2220));
  const float level = g0 + (g1 - g0) * 0.4f;
  s.cv.Fill(Box(gx - 6 * k, g0, gx + 6 * k, g1, 2), Hex(0x9ac8d8));
  s.cv.Fill(
      Intersect(Box(gx - 6 * k, g0, gx + 6 * k, g1, 2),
                Poly({gx - 7 * k, level + 5 * k, gx + 7 * k, level - 5 * k, gx + 7 * k, g1 + 2, gx - 7 * k, g1 + 2})),
      Linear(0, level, Hex(0x8a4a1a), 0, g1, Hex(0x3a1a0a)));
  s.cv.Fill(Line(gx - 4 * k, g0 + 3, gx - 4 * k, g1 - 3, 0.8f), Hex(0xffffff), 0.5f);
  // A gauge dial and the filler cap with its wheel.
  const float dx = x + r * 0.35f, dy = top + 62 * k;
  s.cv.Fill(Circle(dx, dy, 15 * k), copper);
  s.cv.Fill(Circle(dx, dy, 11 * k), Hex(0xe8e0c8));
  s.cv.Fill(Line(dx, dy, dx + 7 * k, dy - 6 * k, 1.2f * k), Hex(0x8a1a10));
  s.cv.Fill(Box(x - 12 * k, top - 26 * k, x + 12 * k, top - 4 * k), iron * 0.8f);
  s.cv.Fill(Ellipse(x, top - 28 * k, 20 * k, 5 * k), copper * 0.9f);
  // Frost creeping up from the floor.
  s.cv.Fill(Rough(Box(x - r - 4, y - 50 * k, x + r + 4, y), 6, 8, sd + 3), Hex(0xeaf8ff), 0.45f, 8);
}

// Pipes running from the tank along the cave, joined with flanges, one valve wheel.
void Pipes(Scene& s, const Element& e) {
  const float tx = e.Num("x", 345), ty = e.Num("y", 120);
  const Col metal = Hex(0x6a625a), copper = Hex(0xa8643a);
  auto pipe = [&](float ax, float ay, float bx, float by, float w) {
    const bool horiz = std::fabs(bx - ax) > std::fabs(by - ay);
    s.cv.Fill(Capsule(ax, ay, bx, by, w, w), [=](float px, float py) {
      const float u = horiz ? (py - ay) / w : (px - ax) / w;
      return metal * (1.1f - 0.55f * u - 0.3f * u * u);
    });
    const float len = std::hypot(bx - ax, by - ay);
    for (float d = 30; d < len - 10; d += 70) {
      const float fx = ax + (bx - ax) * d / len, fy = ay + (by - ay) * d / len;
      s.cv.Fill(horiz ? Box(fx - 3, fy - w - 3, fx + 3, fy + w + 3) : Box(fx - w - 3, fy - 3, fx + w + 3, fy + 3),
                copper);
    }
    s.cv.Fill(horiz ? Box(std::min(ax, bx), ay - w - 1, std::max(ax, bx), ay - w + 2)
                    : Box(ax - w, std::min(ay, by), ax - w + 3, std::max(ay, by)),
              Hex(0xeaf8ff), 0.5f);
  };
  pipe(tx, ty, 180, ty, 8);
  pipe(180, ty, 180, 238, 8);
  pipe(tx, ty + 40, 240, ty + 40, 5);
  pipe(240, ty + 40, 240, -5, 5);
  // A valve wheel on the big pipe.
  const float vx = 270, vy = ty;
  s.cv.Fill(Cut(Circle(vx, vy - 20, 16), Circle(vx, vy - 20, 12)), Hex(0x8a1e1a));
  for (int i = 0; i < 3; ++i) {
    const float a = i * kPi / 3;
    s.cv.Fill(
        Line(vx - std::cos(a) * 13, vy - 20 - std::sin(a) * 13, vx + std::cos(a) * 13, vy - 20 + std::sin(a) * 13, 2),
        Hex(0x8a1e1a));
  }
  s.cv.Fill(Box(vx - 3, vy - 20, vx + 3, vy - 6), metal);
  // Drips frozen under the joints.
  for (float ix : {210.f, 300.f}) s.cv.Fill(Poly({ix - 3, ty + 8, ix + 3, ty + 8, ix, ty + 24}), Hex(0xeaf8ff), 0.9f);
}

}  // namespace

void RegisterNorthlandsIce(Registry& r) {
  r["blueglow"] = BlueGlow;
  r["fish"] = Fish;
  r["icetunnels"] = IceTunnels;
  r["gleam"] = Gleam;
  r["pick_axe"] = PickAxe;
  r["claws"] = Claws;
  r["iceslope"] = IceSlope;
  r["frozenfalls"] = FrozenFalls;
  r["crawl"] = Crawl;
  r["shaft"] = Shaft;
  r["fueltank"] = FuelTank;
  r["pipes"] = Pipes;
}

// ------------------------------------------------------------ the riddler's castle

namespace {

// A star of n points at (x, y).
Shape Star(float x, float y, float r, int n = 5) {
  std::vector<float> pts;
  for (int i = 0; i < 2 * n; ++i) {
    const float a = -kPi / 2 + i * kPi / n, rr = i % 2 ? r * 0.42f : r;
    pts.insert(pts.end(), {x + std::cos(a) * rr, y + std::sin(a) * rr});
  }
  return Poly(pts);
}

// Tall iron stands, each holding a crown of burning candles.
void CandleStands(Scene& s, const Element& e) {
  const float y = e.Num("y", 252), k = e.Num("s", 1);
  const Col iron = Hex(0x2a2624);
  for (float x : {e.Num("x0", 205), e.Num("x1", 395)}) {
    s.cv.Fill(Ellipse(x + 6, y + 2, 26 * k, 5 * k), Hex(0x000000), 0.35f, 4);
    for (int f = -1; f <= 1; ++f) s.cv.Fill(Line(x, y - 14 * k, x + f * 16 * k, y + (f == 0 ? 2 : 0), 2 * k), iron);
    s.cv.Fill(Line(x, y - 10 * k, x, y - 120 * k, 2.6f * k), Linear(x - 3, 0, Hex(0x5a5450), x + 3, 0, iron));
    s.cv.Fill(Circle(x, y - 70 * k, 4 * k), iron);
    // The crown: a dish with three candles of different heights.
    const float top = y - 122 * k;
    s.cv.Fill(Ellipse(x, top, 24 * k, 5 * k), iron);
    const float cxs[] = {-15, 0, 15}, hs[] = {18, 26, 14};
    for (int i = 0; i < 3; ++i) {
      const float cx = x + cxs[i] * k, h = hs[i] * k;
      s.cv.Fill(Box(cx - 3.4f * k, top - h, cx + 3.4f * k, top - 1),
                Rounded(Hex(0xf0e6c8), cx - 1, top - h / 2, 3.4f * k, h / 2));
      s.cv.Fill(Line(cx + 2 * k, top - h, cx + 2.5f * k, top - h + 6 * k, 1.2f * k), Hex(0xf8f0d8));  // a run of wax
      s.cv.Fill(Ellipse(cx, top - h - 6 * k, 2.8f * k, 6 * k), Hex(0xffc040));
      s.cv.Fill(Ellipse(cx, top - h - 4.5f * k, 1.3f * k, 3 * k), Hex(0xfff8d0));
      s.AddLight(cx, top - h - 6 * k, 55 * k, Hex(0xffb050));
    }
  }
}

// The face of a painted sun, moon or stars on a cloth of the given colour,
// inside the quadrilateral (x0,ya)-(x1,yb) top, (x1,yc)-(x0,yd) bottom.
void Tapestry(Scene& s, float x0, float x1, float ya, float yb, float yc, float yd, Col cloth, int motif, uint32_t sd) {
  Shape q = Poly({x0, ya, x1, yb, x1, yc, x0, yd});
  s.cv.Fill(Moved(q, 4, 5), Hex(0x000000), 0.35f, 5);
  s.cv.Fill(q, [=](float px, float py) {
    const float weave = 0.9f + 0.1f * std::sin(px * 1.7f) * std::sin(py * 1.7f);
    const float fold = 0.82f + 0.18f * std::sin((px - x0) / (x1 - x0) * kPi * 5);
    return cloth * (weave * fold) * (0.9f + 0.2f * Fbm(px / 20.f, py / 20.f, sd, 2));
  });
  // A gold border, the rod at the top and a fringe at the foot.
  const Col gold = Hex(0xc8a040);
  s.cv.Fill(Cut(q, Poly({x0 + 5, ya + 6 + (yb - ya) * 0.02f, x1 - 5, yb + 6, x1 - 5, yc - 6, x0 + 5, yd - 6})), gold,
            0.85f);
  s.cv.Fill(Line(x0 - 6, ya - 2, x1 + 6, yb - 2, 2.5f), Hex(0x4a3020));
  for (float u = 0.03f; u < 1; u += 0.06f) {
    const float fx = x0 + (x1 - x0) * u, fy = yd + (yc - yd) * u;
    s.cv.Fill(Line(fx, fy, fx, fy + 7, 1), gold * 0.8f);
  }
  const float cx = (x0 + x1) / 2, cy = (ya + yb + yc + yd) / 4, w = (x1 - x0), h = ((yd - ya) + (yc - yb)) / 2;
  const float r = std::min(w * 0.3f, h * 0.22f);
  if (motif == 0) {  // the sun, with its rays
    for (int i = 0; i < 12; ++i) {
      const float a = i * kPi / 6;
      s.cv.Fill(Poly({cx + std::cos(a - 0.12f) * r, cy + std::sin(a - 0.12f) * r, cx + std::cos(a) * r * 1.7f,
                      cy + std::sin(a) * r * 1.7f, cx + std::cos(a + 0.12f) * r, cy + std::sin(a + 0.12f) * r}),
                Hex(0xf0b030));
    }
    s.cv.Fill(Circle(cx, cy, r), Rounded(Hex(0xffd050), cx, cy, r, r, 0.3f));
    s.cv.Fill(Line(cx - r * 0.4f, cy + r * 0.3f, cx + r * 0.4f, cy + r * 0.3f, 1.2f), Hex(0xa06010));
    for (int sd2 = -1; sd2 <= 1; sd2 += 2) s.cv.Fill(Circle(cx + sd2 * r * 0.35f, cy - r * 0.2f, 1.8f), Hex(0xa06010));
  } else if (motif == 1) {  // the crescent moon among a few stars
    s.cv.Fill(Cut(Circle(cx, cy, r * 1.2f), Circle(cx + r * 0.55f, cy - r * 0.2f, r * 1.05f)),
              Rounded(Hex(0xe8ecf4), cx - r * 0.5f, cy, r, r, 0.3f));
    for (int i = 0; i < 3; ++i)
      s.cv.Fill(Star(cx + r * (0.6f + i * 0.3f), cy - h * 0.25f + i * h * 0.2f, 4), Hex(0xf0e0a0));
  } else {  // a sky full of stars
    Rng g(sd + 1);
    for (int i = 0; i < 12; ++i) {
      const float u = g.Range(0.15f, 0.85f), v = g.Range(0.12f, 0.85f);
      const float px = x0 + (x1 - x0) * u, py = (ya + (yb - ya) * u) * (1 - v) + (yd + (yc - yd) * u) * v;
      s.cv.Fill(Star(px, py, g.Range(3, 7)), Hex(0xf0d890));
    }
  }
}

// Three tapestries: the sun on the west wall, the moon ahead, the stars on the east wall.
void Tapestries(Scene& s, const Element&) {
  Tapestry(s, 28, 108, 32, 56, 186, 204, Hex(0x8a2424), 0, s.seed + 700);
  Tapestry(s, 258, 342, 62, 62, 190, 190, Hex(0x1e2a6a), 1, s.seed + 701);
  Tapestry(s, 492, 572, 56, 32, 204, 186, Hex(0x2a1e4a), 2, s.seed + 702);
}

// A ceiling painted half with the starry night and half with the dawn, seen
// as a vault over the room.
void PaintedCeiling(Scene& s, const Element& e) {
  const float cy = e.Num("y", -60), ry = e.Num("ry", 185);
  Shape vault = Ellipse(300, cy, 440, ry);
  const uint32_t sd = s.seed + 710;
  s.cv.Fill(Ellipse(300, cy + 10, 450, ry + 8), Hex(0x000000), 0.4f, 8);
  s.cv.Fill(vault, [=](float px, float py) {
    // Night on the left, dawn on the right, blended across the middle.
    const float t = Smooth(250, 350, px);
    const float depth = Clamp01((py - cy) / ry);
    const Col night = Mix(Hex(0x0a0e30), Hex(0x1e2a60), depth);
    const Col dawn = Mix(Hex(0xf8d49a), Hex(0xe8846a), depth);
    return Mix(night, dawn, t) * (0.92f + 0.12f * Fbm(px / 30.f, py / 30.f, sd, 2));
  });
  Rng g(sd + 1);
  for (int i = 0; i < 70; ++i) {
    const float x = g.Range(-100, 270), y = g.Range(-5, cy + ry - 10);
    if (vault.d(x, y) > -4) continue;
    if (i % 7 == 0)
      s.cv.Fill(Star(x, y, g.Range(3, 6)), Hex(0xf8ecb0));
    else
      s.cv.Fill(Circle(x, y, g.Range(0.7f, 1.6f)), Hex(0xfff8e0), g.Range(0.6f, 1.f));
  }
  // The crescent moon in the night half, the rising sun with rays in the dawn half.
  s.cv.Fill(Cut(Circle(140, 55, 18), Circle(149, 49, 16)), Hex(0xf2f0dc));
  const float sx = 470, sy = cy + ry - 8;
  for (int i = 0; i < 9; ++i) {
    const float a = kPi + (i + 0.5f) * kPi / 9;
    s.cv.Fill(Intersect(Poly({sx, sy, sx + std::cos(a - 0.07f) * 300, sy + std::sin(a - 0.07f) * 300,
                              sx + std::cos(a + 0.07f) * 300, sy + std::sin(a + 0.07f) * 300}),
                        Intersect(vault, Box(300, -10, 610, 200))),
              Hex(0xfff0c0), 0.35f, 3);
  }
  s.cv.Fill(Intersect(Circle(sx, sy, 34), vault), Rounded(Hex(0xffc060), sx, sy - 10, 34, 34, 0.25f));
  // A gilded rim round the vault.
  s.cv.Fill(Cut(Ellipse(300, cy, 446, ry + 6), vault), Linear(0, 0, Hex(0xe8c060), 0, cy + ry, Hex(0x8a6020)));
}

// Stone battlements along a wall top from x0 to x1.
Shape Battlements(float x0, float x1, float y, float m) {
  Shape out = Box(x0, y - 1, x1, y + 1);
  for (float x = x0; x < x1 - m * 0.5f; x += m * 2) out = Union(out, Box(x, y - m, std::min(x + m, x1), y + 1));
  return out;
}

// The walls round a small courtyard: a tower to the west, the great hall to the east.
void Courtyard(Scene& s, const Element& e) {
  const float foot = e.Num("y", 252);
  const uint32_t sd = s.seed + 720;
  const Col stone = s.pal.wall, dark = s.pal.wallDark;
  // The back wall with its walk and battlements.
  const float wallTop = 150;
  s.cv.Fill(Box(-5, wallTop, 605, foot), Stones(stone * 0.85f, dark * 0.7f, 26, 13, sd));
  s.cv.Fill(Battlements(-5, 605, wallTop, 12), stone * 0.9f);
  for (float x = -5; x < 605; x += 24) SnowCap(s, x + 6, wallTop - 12, 8, 3, sd + static_cast<uint32_t>(x + 10));
  s.cv.Fill(Rough(Box(-5, wallTop - 3, 605, wallTop + 2), 1.5f, 6, sd + 1), kSnow);
  // The west tower, round, with a conical roof.
  const float tx = 70, tw = 62;
  s.cv.Fill(Box(tx - tw, 30, tx + tw, foot), [=](float px, float py) {
    const float u = (px - tx) / tw;
    return Stones(stone, dark * 0.7f, 22, 12, sd + 2)(px, py) * (1.05f - 0.45f * u * u - 0.2f * u);
  });
  s.cv.Fill(Poly({tx - tw - 10, 34, tx, -40, tx + tw + 10, 34}),
            Linear(tx - tw, 0, Hex(0x5a4a7a), tx + tw, 0, Hex(0x2a2040)));
  s.cv.Fill(Rough(Poly({tx - tw - 10, 34, tx - 30, 4, tx + 10, 10, tx + tw + 10, 34}), 2, 5, sd + 3), kSnow, 0.85f);
  s.cv.Fill(Union(Box(tx - 10, 80, tx + 10, 110), Circle(tx, 80, 10)), Hex(0xffc060));
  s.AddLight(tx, 95, 60, Hex(0xffb050));
  // The great hall to the east: a gable end with a big door and lit windows.
  const float hx0 = 430;
  s.cv.Fill(Box(hx0, 70, 610, foot), Stones(stone * 1.05f, dark * 0.7f, 26, 13, sd + 4));
  s.cv.Fill(Poly({hx0 - 10, 72, 520, 10, 615, 72}), Linear(hx0, 0, Hex(0x4a3a5a), 615, 0, Hex(0x2a2030)));
  s.cv.Fill(Rough(Poly({hx0 - 10, 72, 520, 10, 615, 72, 520, 40}), 2, 6, sd + 5), kSnow, 0.8f);
  s.cv.Fill(Union(Box(490, 170, 550, foot), Circle(520, 170, 30)), Planks(s.pal.wood, 10, true, sd + 6));
  s.cv.Fill(Cut(Union(Box(484, 170, 556, foot), Circle(520, 170, 36)),
                Union(Box(490, 170, 550, foot + 2), Circle(520, 170, 30))),
            dark);
  for (float wx : {455.f, 585.f}) {
    s.cv.Fill(Union(Box(wx - 9, 110, wx + 9, 140), Circle(wx, 110, 9)), Hex(0xffc868));
    s.AddLight(wx, 125, 40, Hex(0xffb050));
  }
  s.cv.Fill(Rough(Box(-5, foot - 8, 610, foot + 4), 3, 10, sd + 7), kSnow);
}

// Smoke hanging under the rafters, thickest at the top.
void SmokeHaze(Scene& s, const Element& e) {
  const float k = e.Num("k", 1.5f), low = e.Num("y", 190);
  const uint32_t sd = s.seed + 730;
  s.cv.Map([&](int x, int y, Col c) {
    if (y > low) return c;
    const float t = 1 - y / low;
    const float n = Fbm(x / 90.f + y / 200.f, y / 30.f, sd, 4);
    const float m = k * t * (0.45f + 0.7f * n);
    // Soot darkens the top; the smoke itself is a warm grey drifting in banks.
    return Mix(c * (1 - 0.55f * t), Hex(0x6a6058), Clamp01(m * 0.8f));
  });
  // Wisps curling up from the hearth.
  const float fx = e.Num("x", 250);
  for (int i = 0; i < 7; ++i) {
    const float yy = 130 - i * 18, xx = fx + 14 * std::sin(i * 1.3f) + i * 6;
    s.cv.Fill(Circle(xx, yy, 10 + i * 4), Hex(0x7a726a), 0.3f, 10);
  }
}

// A stern old wizard painted in a gilt frame; tilt turns it on its nail, grumpy
// gives him a scowl. His eyes look straight out of the picture.
void WizardPortrait(Scene& s, float cx, float cy, float w, float h, float tilt, bool grumpy, Col robe, uint32_t sd) {
  auto F = [&](const Shape& sh, const Shader& shd) {
    if (tilt != 0)
      s.cv.Fill(Turned(sh, cx, cy - h / 2, tilt), Turned(shd, cx, cy - h / 2, tilt));
    else
      s.cv.Fill(sh, shd);
  };
  s.cv.Fill(Turned(Box(cx - w / 2 + 5, cy - h / 2 + 6, cx + w / 2 + 5, cy + h / 2 + 6), cx, cy - h / 2, tilt),
            Hex(0x000000), 0.4f, 5);
  if (tilt != 0) s.cv.Fill(Circle(cx, cy - h / 2 - 10, 2.5f), Hex(0x2a2a2a));
  F(Box(cx - w / 2, cy - h / 2, cx + w / 2, cy + h / 2),
    Linear(cx - w / 2, cy - h / 2, Hex(0xe8c060), cx + w / 2, cy + h / 2, Hex(0x6a4a18)));
  const float fw = std::max(5.f, w * 0.1f), ix0 = cx - w / 2 + fw, ix1 = cx + w / 2 - fw, iy0 = cy - h / 2 + fw,
              iy1 = cy + h / 2 - fw;
  Shape inner = Box(ix0, iy0, ix1, iy1);
  F(inner, Linear(0, iy0, Hex(0x2e3424), 0, iy1, Hex(0x14100c)));
  const float u = ix1 - ix0, fy = iy0 + (iy1 - iy0) * 0.42f;
  // Robe and shoulders.
  F(Intersect(Ellipse(cx, iy1 + u * 0.08f, u * 0.5f, u * 0.5f), inner),
    Rounded(robe, cx - u * 0.15f, iy1 - u * 0.3f, u * 0.5f, u * 0.5f));
  // Face, then the long white beard over the robe.
  F(Ellipse(cx, fy, u * 0.17f, u * 0.21f),
    Rounded(Hex(0xe0b090), cx - u * 0.05f, fy - u * 0.05f, u * 0.17f, u * 0.21f, 0.4f));
  F(Intersect(Poly({cx - u * 0.19f, fy + u * 0.02f, cx + u * 0.19f, fy + u * 0.02f, cx + u * 0.12f, fy + u * 0.4f, cx,
                    iy1 - 2, cx - u * 0.12f, fy + u * 0.4f}),
              inner),
    Textured(Linear(cx - u * 0.2f, 0, Hex(0xf0f0ec), cx + u * 0.2f, 0, Hex(0xa8a8a4)), 0.15f, 2, sd));
  // The pointed hat, leaning a little.
  F(Intersect(Poly({cx - u * 0.3f, fy - u * 0.14f, cx + u * 0.3f, fy - u * 0.14f, cx + u * 0.06f, iy0 + 2}), inner),
    Rounded(robe * 0.9f, cx - u * 0.1f, fy - u * 0.3f, u * 0.3f, u * 0.3f));
  F(Ellipse(cx, fy - u * 0.14f, u * 0.32f, u * 0.04f), Flat(robe * 0.7f));
  // Eyes looking straight out, under bushy brows drawn down in a frown.
  const float ey = fy - u * 0.02f;
  for (int side = -1; side <= 1; side += 2) {
    const float ex = cx + side * u * 0.075f;
    F(Ellipse(ex, ey, u * 0.038f, u * 0.024f), Flat(Hex(0xf0ece0)));
    F(Circle(ex, ey, u * 0.018f), Flat(Hex(0x101010)));
    const float drop = grumpy ? u * 0.05f : u * 0.03f;
    F(Capsule(ex - side * u * 0.05f, ey - u * 0.07f, ex + side * u * 0.05f,
              ey - u * 0.07f + drop * (side > 0 ? -1.f : -1.f) + drop, u * 0.02f, u * 0.015f),
      Flat(Hex(0xe8e8e4)));
  }
  // The mouth: a thin hard line, turned down at the corners when grumpy.
  const float my = fy + u * 0.1f;
  F(Line(cx - u * 0.06f, my, cx + u * 0.06f, my, u * 0.012f), Flat(Hex(0x5a3020)));
  if (grumpy)
    for (int side = -1; side <= 1; side += 2)
      F(Line(cx + side * u * 0.06f, my, cx + side * u * 0.085f, my + u * 0.035f, u * 0.012f), Flat(Hex(0x5a3020)));
  F(Ellipse(cx + u * 0.01f, fy + u * 0.04f, u * 0.03f, u * 0.05f), Flat(Hex(0xc88a6a)));
}

// A row of portraits of stern old wizards along the walls of a gallery.
void Portraits(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  const Col robes[] = {Hex(0x2a3a7a), Hex(0x6a1e2a), Hex(0x2a5a3a), Hex(0x4a2a6a), Hex(0x6a5a1e)};
  for (int i = 0; i < n; ++i) {
    const float cx = 212 + i * (390 - 212) / std::max(1.f, n - 1.f);
    WizardPortrait(s, cx, 128 + (i % 2) * 6, 48, 70, 0, false, robes[i % 5], s.seed + 740u + static_cast<uint32_t>(i));
  }
  // Two larger ones on the side walls, seen at a slant.
  for (int side = -1; side <= 1; side += 2) {
    const float cx = side < 0 ? 62 : 538;
    WizardPortrait(s, cx, 120, 54, 96, 0, false, robes[side < 0 ? 3 : 4],
                   s.seed + 750u + static_cast<uint32_t>(side + 1));
  }
}

// One old portrait of a grumpy wizard, hanging crooked.
void Portrait(Scene& s, const Element& e) {
  const float x = e.Num("x", 200), y = e.Num("y", 90), w = e.Num("w", 96), h = e.Num("h", 128);
  const float tilt = e.Num("tilt", 0) > 0 ? 0.16f : 0.f;
  WizardPortrait(s, x, y + h / 2, w, h, tilt, e.Num("grumpy", 0) > 0, Hex(0x4a2a5a), s.seed + 760);
}

// Seen from the top of the tower: a sea of cloud far below, a few peaks above it.
void CloudSea(Scene& s, const Element& e) {
  const float top = e.Num("y", 215);
  const uint32_t sd = s.seed + 770;
  Rng g(sd);
  // Far peaks standing out of the cloud.
  for (int i = 0; i < 4; ++i) {
    const float px = g.Range(20, 400), ph = g.Range(30, 70), pw = ph * 1.4f;
    s.cv.Fill(Poly({px - pw, top + 10, px, top - ph, px + pw, top + 10}),
              Linear(px - pw, 0, Hex(0xb8c4d8), px + pw, 0, Hex(0x6a7890)));
    s.cv.Fill(Poly({px - pw * 0.3f, top - ph * 0.7f, px, top - ph, px + pw * 0.3f, top - ph * 0.7f}), Hex(0xf4f8fc));
  }
  // Rows of billows, small and blue far off, big and lit near.
  for (int row = 0; row < 7; ++row) {
    const float t = row / 6.f, y = top + 6 + t * t * 160, r = 10 + 50 * t;
    for (float x = g.Range(-30, 0); x < 640; x += r * g.Range(0.9f, 1.5f)) {
      const float by = y + g.Range(-4, 4) * (1 + 3 * t);
      const Col lit = Mix(Hex(0xdfe8f4), Hex(0xffffff), t), shade = Mix(Hex(0x9aaac4), Hex(0xb8c4d8), t);
      s.cv.Fill(Rough(Circle(x, by, r), r * 0.12f, r * 0.4f, sd + static_cast<uint32_t>(x + row * 100)),
                Linear(0, by - r, lit, 0, by + r * 0.8f, shade));
    }
  }
}

// The wall of a round tower, rising the full height on the right.
void TowerWall(Scene& s, const Element& e) {
  const float x0 = e.Num("x", 420), cx = x0 + 240, r = 240;
  const uint32_t sd = s.seed + 780;
  const Col stone = s.pal.wall * 1.05f, dark = s.pal.wallDark * 0.7f;
  s.cv.Fill(Box(x0, -5, 605, 380), [=](float px, float py) {
    // Blocks squeezed towards the limb of the tower, and shaded there.
    const float u = Clamp01((cx - px) / r), ang = std::asin(u);
    const float sx = cx - ang * r;
    return Stones(stone, dark, 30, 15, sd)(sx, py) * (0.45f + 0.6f * std::cos(ang * 0.95f) + 0.2f * u);
  });
  s.cv.Fill(Box(x0, -5, x0 + 6, 380), Hex(0x000000), 0.25f, 4);
  // A narrow window with a dark slot, high up.
  s.cv.Fill(Union(Box(x0 + 70, 60, x0 + 86, 110), Circle(x0 + 78, 60, 8)), Hex(0x0e0a10));
  s.cv.Fill(Box(x0 + 66, 110, x0 + 92, 116), stone * 1.1f);
}

// The tiny ledge running round the tower, with a sheer drop below it.
void TinyLedge(Scene& s, const Element& e) {
  const float y = e.Num("y", 326), x1 = e.Num("x", 430);
  const uint32_t sd = s.seed + 790;
  // Its top, lit, then its front face and a soft shadow under it.
  Shape top = Rough(Poly({-5, y + 6, x1, y - 4, x1, y + 8, -5, y + 16}), 1.5f, 8, sd);
  Shape face = Rough(Poly({-5, y + 16, x1, y + 8, x1, y + 26, -5, y + 36}), 2, 8, sd + 1);
  s.cv.Fill(Moved(face, 0, 12), Hex(0x2a3040), 0.35f, 10);
  s.cv.Fill(face, Stones(s.pal.wall * 0.75f, s.pal.wallDark * 0.5f, 30, 20, sd + 2));
  s.cv.Fill(Rough(Poly({-5, y + 36, x1, y + 26, x1, y + 30, -5, y + 42}), 1, 6, sd + 5), Hex(0x000000), 0.4f, 3);
  s.cv.Fill(top, Textured(Linear(0, y - 4, s.pal.wall * 1.35f, 0, y + 16, s.pal.wall * 1.0f), 0.25f, 4, sd + 3));
  s.cv.Fill(Rough(Poly({-5, y + 5, x1, y - 5, x1, y - 1, -5, y + 9}), 1, 5, sd + 4), kSnow, 0.8f);
  // Where it meets the tower.
  s.cv.Fill(Box(x1 - 3, y - 6, x1 + 6, y + 28), Hex(0x000000), 0.3f, 3);
}

// Wind streaming past: long pale streaks and blown flakes.
void Wind(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 14));
  Rng g(s.seed + 800);
  for (int i = 0; i < n; ++i) {
    const float y0 = g.Range(20, 330), x0 = g.Range(-100, 300), len = g.Range(150, 380), ph = g.Range(0, 6.28f);
    float px = x0, py = y0;
    for (float u = 8; u < len; u += 8) {
      const float x = x0 + u, y = y0 + 10 * std::sin(u / 60.f + ph) + u * 0.06f;
      const float fade = std::sin(kPi * u / len);
      s.cv.Fill(Line(px, py, x, y, 0.6f + 1.4f * fade), Hex(0xffffff), 0.4f * fade, 1.5f);
      px = x;
      py = y;
    }
    // A curl at the end of some streaks.
    if (i % 3 == 0)
      for (int j = 0; j < 10; ++j) {
        const float a = j * 0.6f, rr = 14 - j;
        s.cv.Fill(Circle(px + std::cos(a) * rr, py - 8 + std::sin(a) * rr, 0.9f), Hex(0xffffff), 0.4f);
      }
  }
  s.snowfall = std::max(s.snowfall, 60);
}

// A spiral stair going down round a central post, into the dark.
void Spiral(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 262), rx = e.Num("rx", 115), ry = rx * 0.36f;
  const uint32_t sd = s.seed + 810;
  const Col stone = s.pal.rock;
  // The round well, its far wall falling away into black.
  Shape well = Ellipse(x, y, rx, ry);
  s.cv.Fill(Ellipse(x, y + 2, rx + 12, ry + 6), Stones(s.pal.wall * 0.9f, s.pal.wallDark * 0.6f, 16, 8, sd));
  s.cv.Fill(well, Linear(0, y - ry, Hex(0x1a1614), 0, y + ry, Hex(0x040302)));
  // Steps wind down and round; each lower one lies further into the dark.
  const int steps = 16;
  for (int i = steps - 1; i >= 0; --i) {
    // The top step lies at the near right; each next one turns clockwise and down.
    const float a0 = kPi * 0.3f - i * 0.4f, a1 = a0 + 0.4f;
    const float drop = i * 2.6f, fade = 1 - 0.85f * i / static_cast<float>(steps);
    const float r0 = rx * 0.16f, r1 = rx * 0.96f;
    Shape step =
        Poly({x + std::cos(a0) * r0, y + std::sin(a0) * r0 * 0.36f + drop, x + std::cos(a0) * r1,
              y + std::sin(a0) * r1 * 0.36f + drop, x + std::cos(a1) * r1, y + std::sin(a1) * r1 * 0.36f + drop,
              x + std::cos(a1) * r0, y + std::sin(a1) * r0 * 0.36f + drop});
    s.cv.Fill(Intersect(Moved(step, 0, 6), well), stone * (0.35f * fade));
    s.cv.Fill(Intersect(step, well),
              Textured(Flat(stone * (0.15f + 0.9f * fade)), 0.2f, 4, sd + static_cast<uint32_t>(i)));
    // The worn nosing of the step catches the light.
    s.cv.Fill(Intersect(Line(x + std::cos(a0) * r0, y + std::sin(a0) * r0 * 0.36f + drop, x + std::cos(a0) * r1,
                             y + std::sin(a0) * r1 * 0.36f + drop, 1.1f),
                        well),
              stone * (0.3f + 1.1f * fade));
  }
  // An iron handrail winding down round the outer wall.
  for (int i = 0; i < 30; ++i) {
    const float a0 = kPi * 0.35f - i * 0.2f, a1 = a0 - 0.2f, r = rx * 0.9f;
    const float f = 1 - i / 30.f;
    s.cv.Fill(Intersect(Line(x + std::cos(a0) * r, y + std::sin(a0) * r * 0.36f - 10 + i * 1.3f, x + std::cos(a1) * r,
                             y + std::sin(a1) * r * 0.36f - 10 + (i + 1) * 1.3f, 1.2f),
                        well),
              Hex(0x3a3634) * (0.4f + f));
  }
  // The central post and a rim of worn stone round the well.
  s.cv.Fill(Box(x - rx * 0.14f, y - 6, x + rx * 0.14f, y + ry),
            Linear(x - rx * 0.14f, 0, stone * 0.9f, x + rx * 0.14f, 0, stone * 0.3f));
  s.cv.Fill(Ellipse(x, y - 6, rx * 0.14f, 4), stone * 1.1f);
  s.cv.Fill(Cut(Ellipse(x, y, rx + 4, ry + 3), well), stone * 1.15f);
}

// The back of a framed picture, seen from behind: stretcher bars, canvas,
// and a crack of light round it from the gallery beyond.
void FrameBack(Scene& s, const Element& e) {
  (void)e;
  const float xa = 488, xb = 575;
  const float ya = 78, yb = 50, yc = 232, yd = 212;
  Shape q = Poly({xa, ya, xb, yb, xb, yc, xa, yd});
  s.cv.Fill(Poly({xa - 4, ya - 4, xb + 4, yb - 5, xb + 4, yc + 5, xa - 4, yd + 4}), Hex(0xffd890), 0.9f, 2);
  s.AddLight((xa + xb) / 2, (ya + yc) / 2, 90, Hex(0xffd080));
  s.cv.Fill(q, Textured(Linear(xa, 0, Hex(0xb8a880), xb, 0, Hex(0x8a7a5a)), 0.2f, 3, s.seed + 820));
  const Col wood = s.pal.wood * 0.9f;
  auto bar = [&](float ax, float ay, float bx, float by, float w) {
    s.cv.Fill(Line(ax, ay, bx, by, w), Linear(ax, ay, wood * 1.2f, bx, by, wood * 0.7f));
  };
  bar(xa, ya, xb, yb, 5);
  bar(xb, yb, xb, yc, 5);
  bar(xb, yc, xa, yd, 5);
  bar(xa, yd, xa, ya, 5);
  bar((xa + xb) / 2, (ya + yb) / 2, (xa + xb) / 2, (yc + yd) / 2, 3.5f);
  bar(xa, (ya + yd) / 2, xb, (yb + yc) / 2, 3.5f);
  // A latch on the left edge, for opening it from this side.
  s.cv.Fill(Box(xa - 8, (ya + yd) / 2 - 4, xa + 4, (ya + yd) / 2 + 4, 1.5f), Hex(0x3a3a3a));
}

// Cobwebs strung across the corners and hanging in rags; k scales how many.
void Web(Scene& s, float cx, float cy, float a0, float a1, float R, float alpha, uint32_t sd) {
  Rng g(sd);
  const int spokes = 7;
  std::vector<std::pair<float, float>> dirs;
  for (int i = 0; i < spokes; ++i) {
    const float a = a0 + (a1 - a0) * i / (spokes - 1.f) + g.Range(-0.05f, 0.05f);
    dirs.push_back({std::cos(a), std::sin(a)});
    s.cv.Fill(Line(cx, cy, cx + dirs.back().first * R, cy + dirs.back().second * R, 0.6f), Hex(0xe8e8f0), alpha);
  }
  for (float rr = R * 0.15f; rr < R; rr += R * g.Range(0.1f, 0.16f))
    for (int i = 0; i + 1 < spokes; ++i) {
      const float ax = cx + dirs[i].first * rr, ay = cy + dirs[i].second * rr;
      const float bx = cx + dirs[i + 1].first * rr, by = cy + dirs[i + 1].second * rr;
      // Each thread sags a little towards the centre.
      const float mx = (ax + bx) / 2 - (ax + bx - 2 * cx) * 0.06f, my = (ay + by) / 2 - (ay + by - 2 * cy) * 0.06f + 2;
      s.cv.Fill(Line(ax, ay, mx, my, 0.5f), Hex(0xe8e8f0), alpha * 0.85f);
      s.cv.Fill(Line(mx, my, bx, by, 0.5f), Hex(0xe8e8f0), alpha * 0.85f);
    }
}

void Cobwebs(Scene& s, const Element& e) {
  const float k = e.Num("k", 1);
  const uint32_t sd = s.seed + 830;
  // The four corners of the room's box, then more along the walls for dense webs.
  struct W {
    float x, y, a0, a1, r;
  };
  std::vector<W> webs = {{BX0, BY0, 0.f, kPi / 2, 70},
                         {BX1, BY0, kPi / 2, kPi, 70},
                         {-2, -2, 0.1f, kPi / 2 - 0.1f, 120},
                         {602, -2, kPi / 2 + 0.1f, kPi - 0.1f, 120}};
  if (k > 1.5f) {
    webs.push_back({BX0, BY1, -kPi / 2, 0, 60});
    webs.push_back({BX1, BY1, kPi, kPi * 1.5f, 60});
    webs.push_back({300, BY0, 0.2f, kPi - 0.2f, 90});
    webs.push_back({602, 200, kPi * 0.6f, kPi * 1.3f, 110});
    webs.push_back({BX0 - 40, 60, 0.3f, kPi * 0.9f, 60});
  }
  const size_t count = std::min(webs.size(), static_cast<size_t>(std::max(1.f, k * 4)));
  const float alpha = std::min(0.85f, 0.45f + 0.15f * k);
  for (size_t i = 0; i < count; ++i)
    Web(s, webs[i].x, webs[i].y, webs[i].a0, webs[i].a1, webs[i].r * std::min(1.4f, 0.7f + 0.3f * k), alpha,
        sd + static_cast<uint32_t>(i));
  // Rags of web hanging from the ceiling, and a grey veil over everything when thick.
  Rng g(sd + 50);
  for (int i = 0; i < static_cast<int>(6 * k); ++i) {
    const float x = g.Range(140, 600), l = g.Range(20, 70) * std::min(k, 1.5f), top = g.Range(-2, 40);
    s.cv.Fill(Poly({x - 8, top, x + 8, top, x + 2, top + l, x - 1, top + l * 0.8f}), Hex(0xd8d8e0), 0.25f, 3);
  }
  if (k > 1.5f) s.cv.Fill(Box(-5, -5, 605, 240), Hex(0xd0d0d8), 0.08f * k, 30);
}

// A wine rack on the back wall: diamond bins full of dusty bottles.
void WineRack(Scene& s, const Element& e) {
  const float x0 = e.Num("x0", 190), x1 = e.Num("x1", 430), y0 = e.Num("y0", 78), y1 = e.Num("y", BY1);
  const uint32_t sd = s.seed + 840;
  const Col wood = s.pal.wood * 0.85f;
  s.cv.Fill(Box(x0, y0, x1, y1), Hex(0x120c0a));
  // Bottles lying with their bases towards us, in rows.
  Rng g(sd);
  for (float by = y0 + 11; by < y1 - 6; by += 15)
    for (float bx = x0 + 10 + (static_cast<int>((by - y0) / 15) % 2) * 7; bx < x1 - 6; bx += 14) {
      if (g.Uni() < 0.12f) continue;  // an empty bin here and there
      const Col glass = g.Uni() < 0.7f ? Hex(0x1e3a22) : Hex(0x3a1a1e);
      s.cv.Fill(Circle(bx, by, 5.5f), Rounded(glass * 1.6f, bx - 1.5f, by - 1.5f, 5.5f, 5.5f, 0.6f));
      s.cv.Fill(Circle(bx - 1.8f, by - 1.8f, 1.2f), Hex(0xd8e0d0), 0.6f);
      s.cv.Fill(Circle(bx, by, 5.5f), Hex(0xb8b0a0), 0.15f);  // dust
    }
  // The lattice over them.
  for (float d = -(y1 - y0); d < x1 - x0; d += 44) {
    s.cv.Fill(Intersect(Line(x0 + d, y0, x0 + d + (y1 - y0), y1, 2.2f), Box(x0, y0, x1, y1)), wood);
    s.cv.Fill(Intersect(Line(x0 + d + (y1 - y0), y0, x0 + d, y1, 2.2f), Box(x0, y0, x1, y1)), wood * 0.8f);
  }
  s.cv.Fill(Cut(Box(x0 - 6, y0 - 6, x1 + 6, y1), Box(x0, y0, x1, y1)), Planks(wood * 1.1f, 12, true, sd + 1));
  s.cv.Fill(Box(x0 - 10, y0 - 12, x1 + 10, y0 - 5), wood * 1.2f);
}

// Mouse holes at the foot of the walls, one with a pair of eyes in it.
void MouseHoles(Scene& s, const Element& e) {
  (void)e;
  struct H {
    float x, y, w;
    bool eyes;
  };
  const H holes[] = {{220, BY1, 12, true}, {405, BY1, 9, false}, {540, 290, 16, false}, {250, BY1, 7, false}};
  for (const H& h : holes) {
    Shape hole = Union(Box(h.x - h.w, h.y - h.w, h.x + h.w, h.y), Circle(h.x, h.y - h.w, h.w));
    s.cv.Fill(Moved(hole, 1, -1), s.pal.wallDark * 0.5f, 1, 1.5f);
    s.cv.Fill(hole, Linear(0, h.y - 2 * h.w, Hex(0x060404), 0, h.y, Hex(0x100a08)));
    if (h.eyes)
      for (int side = -1; side <= 1; side += 2)
        s.cv.Fill(Circle(h.x + side * h.w * 0.3f, h.y - h.w * 0.9f, 1.6f), Hex(0xf0e0a0));
  }
  // Crumbs and droppings along the wall.
  Rng g(s.seed + 850);
  for (int i = 0; i < 26; ++i) {
    const float x = g.Range(180, 460), y = BY1 + g.Range(2, 30);
    s.cv.Fill(Ellipse(x, y, 1.6f, 1), i % 3 ? Hex(0x2a2018) : Hex(0xd8c070));
  }
  // A long tail vanishing into the big hole on the east wall.
  s.cv.Fill(Line(540, 288, 520, 296, 1.2f), Hex(0xb08880));
  s.cv.Fill(Line(520, 296, 505, 292, 0.9f), Hex(0xb08880));
}

// A large spider hanging on its thread.
void Spider(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 120), k = e.Num("s", 1);
  s.cv.Fill(Line(x, -5, x, y - 10 * k, 0.6f), Hex(0xe0e0e8), 0.7f);
  const Col body = Hex(0x1a1410);
  for (int side = -1; side <= 1; side += 2)
    for (int i = 0; i < 4; ++i) {
      const float a = -0.9f + i * 0.55f;
      const float kx = x + side * (14 + 4 * i) * k, ky = y - (8 - i * 3) * k - 10 * k;
      const float fx = kx + side * (10 + 2 * i) * k, fy = y + (std::sin(a) * 14 + 10) * k;
      s.cv.Fill(Line(x + side * 3 * k, y - 2 * k, kx, ky, 1.3f * k), body);
      s.cv.Fill(Line(kx, ky, fx, fy, 1.1f * k), body);
    }
  s.cv.Fill(Ellipse(x, y - 4 * k, 6 * k, 5 * k), Rounded(Hex(0x3a2a20), x - 2, y - 6 * k, 6 * k, 5 * k));
  s.cv.Fill(Ellipse(x, y + 10 * k, 10 * k, 12 * k), Rounded(Hex(0x3a2a20), x - 3 * k, y + 6 * k, 10 * k, 12 * k));
  s.cv.Fill(Poly({x, y + 4 * k, x + 3 * k, y + 10 * k, x, y + 16 * k, x - 3 * k, y + 10 * k}), Hex(0xb08030), 0.8f);
  for (int side = -1; side <= 1; side += 2) s.cv.Fill(Circle(x + side * 2 * k, y - 6 * k, 1.1f * k), Hex(0xd04030));
}

// HELP scrawled on the back wall in soot, letters running and uneven.
void HelpWriting(Scene& s, const Element& e) {
  const std::string text = e.Str("text", "HELP");
  const float h = e.Num("h", 58), w = TextWidth(text, h);
  const float x = e.Num("x", 300) - w / 2, y = e.Num("y", 95);
  const Shader soot = [&](float px, float py) {
    return Hex(0x2a1410) * (0.8f + 0.5f * Fbm(px / 3.f, py / 3.f, s.seed + 860, 2));
  };
  DrawText(s.cv, text, x, y, h, 4.2f, soot);
  // Runs dripping down from the strokes.
  Rng g(s.seed + 861);
  for (int i = 0; i < 7; ++i) {
    const float dx = x + g.Range(0, w), dy = y + h - g.Range(0, 8);
    s.cv.Fill(Capsule(dx, dy, dx + g.Range(-1, 1), dy + g.Range(8, 24), 1.6f, 0.8f), Hex(0x2a1410), 0.8f);
  }
  // Tally marks scratched below: someone counted the days.
  for (int i = 0; i < 12; ++i) {
    const float tx = x + 10 + i * 9 + (i / 5) * 8, ty = y + h + 34;
    if (i % 5 == 4)
      s.cv.Fill(Line(tx - 40, ty + 14, tx - 2, ty + 2, 1), Hex(0x3a2a22), 0.8f);
    else
      s.cv.Fill(Line(tx, ty, tx + 1, ty + 18, 1), Hex(0x3a2a22), 0.8f);
  }
}

// Water dripping from the roof: wet streaks, falling drops and rings on the floor.
void Drips(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 16));
  Rng g(s.seed + 870);
  for (int i = 0; i < n; ++i) {
    const float x = i < n / 2 ? g.Range(300, 600) : g.Range(170, 600);  // more to the east
    const float y0 = g.Range(0, 60), l = g.Range(40, 160);
    s.cv.Fill(Line(x, y0, x + g.Range(-3, 3), y0 + l, g.Range(1, 2.2f)), Hex(0xc8d8e8), 0.3f, 2);
    const float dy = g.Range(y0 + 30, s.horizon + 40);
    s.cv.Fill(Ellipse(x, dy, 1.5f, 3.2f), Hex(0xe0f0ff), 0.85f);
    s.cv.Fill(Circle(x - 0.5f, dy - 1, 0.6f), Hex(0xffffff));
  }
  for (int i = 0; i < 6; ++i) {
    const float x = g.Range(200, 580), y = g.Range(s.horizon + 10, s.horizon + 60), r = g.Range(6, 14);
    s.cv.Fill(Cut(Ellipse(x, y, r, r * 0.3f), Ellipse(x, y, r - 1.2f, r * 0.3f - 1)), Hex(0xc8d8e8), 0.6f);
  }
}

// Puddles on the floor of a passage, catching the light.
void Puddles(Scene& s, const Element& e) {
  (void)e;
  const float ps[][3] = {{220, 300, 44}, {330, 252, 30}, {500, 336, 56}, {400, 280, 20}};
  const uint32_t sd = s.seed + 880;
  for (const auto& p : ps) {
    const float x = p[0], y = p[1], r = p[2];
    Shape pool = Rough(Ellipse(x, y, r, r * 0.22f), r * 0.06f, r * 0.3f, sd + static_cast<uint32_t>(x));
    s.cv.Fill(pool, [=](float px, float py) {
      const float t = (py - (y - r * 0.22f)) / (r * 0.44f);
      return Mix(Hex(0x4a5260), Hex(0x0e1016), Clamp01(t)) * (0.9f + 0.2f * Fbm(px / 8.f, py / 2.f, sd, 2));
    });
    s.cv.Fill(Intersect(Ellipse(x - r * 0.2f, y - r * 0.05f, r * 0.4f, r * 0.05f), pool), Hex(0xa8b4c0), 0.5f, 2);
    s.cv.Fill(
        Cut(Ellipse(x + r * 0.2f, y, r * 0.3f, r * 0.08f), Ellipse(x + r * 0.2f, y, r * 0.3f - 1, r * 0.08f - 0.8f)),
        Hex(0xb8c8d8), 0.5f);
  }
}

// Black rock glittering with flakes of mica.
void Mica(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 260));
  const uint32_t sd = s.seed + 890;
  // Darken the rock to near black, keeping its modelling.
  s.cv.Map([&](int x, int y, Col c) { return c * (0.38f + 0.1f * Fbm(x / 20.f, y / 20.f, sd, 2)); });
  Rng g(sd + 1);
  for (int i = 0; i < n; ++i) {
    const float x = g.Range(0, 600), y = g.Range(0, 375);
    const Col c = g.Uni() < 0.7f ? Hex(0xf0f4ff) : Hex(0xf8e0a0);
    s.cv.Fill(Circle(x, y, g.Range(0.5f, 1.4f)), c, g.Range(0.5f, 1.f));
    if (i % 9 == 0) {
      const float l = g.Range(3, 7);
      s.cv.Fill(Line(x - l, y, x + l, y, 0.4f), c, 0.8f);
      s.cv.Fill(Line(x, y - l, x, y + l, 0.4f), c, 0.8f);
      s.AddLight(x, y, 7, c);
    }
  }
}

// A skeleton sitting against the wall, legs out, head tipped to one side.
void Skeleton(Scene& s, const Element& e) {
  const float x = e.Num("x", 480), y = e.Num("y", 290), k = e.Num("s", 1);
  const Col bone = Hex(0xe4dcc4), shade = Hex(0x8a8270);
  auto B = [&](float ax, float ay, float bx, float by, float w) {
    s.cv.Fill(Capsule(x + ax * k, y + ay * k, x + bx * k, y + by * k, w * k, w * k),
              Linear(x + ax * k, y + ay * k - w, bone, x + ax * k + w, y + ay * k + w, shade));
    s.cv.Fill(Circle(x + ax * k, y + ay * k, w * 1.4f * k), bone);
    s.cv.Fill(Circle(x + bx * k, y + by * k, w * 1.4f * k), bone);
  };
  // The rock he leans on, then his shadow on the floor.
  Boulder(s, x + 6 * k, y - 46 * k, 62 * k, 62 * k, s.pal.rock * 0.8f);
  s.cv.Fill(Ellipse(x + 10 * k, y + 4 * k, 50 * k, 8 * k), Hex(0x000000), 0.35f, 5);
  // Pelvis, spine and ribs.
  s.cv.Fill(Ellipse(x, y - 14 * k, 14 * k, 7 * k), Rounded(bone, x - 3, y - 16 * k, 14 * k, 7 * k));
  for (int i = 0; i < 8; ++i) s.cv.Fill(Circle(x + i * 0.6f * k, y - (22 + i * 6) * k, 2.4f * k), bone);
  for (int i = 0; i < 5; ++i) {
    const float ry = y - (36 + i * 7) * k, rw = (16 - std::fabs(i - 1.5f) * 2) * k;
    s.cv.Fill(Cut(Ellipse(x + 2 * k, ry, rw, 5 * k), Ellipse(x + 2 * k, ry - 1.5f * k, rw - 2 * k, 4 * k)), bone);
  }
  // Sitting with the knees drawn up, feet flat on the floor.
  B(-8, -12, -24, -38, 2.8f);
  B(-24, -38, -28, 6, 2.3f);
  B(10, -12, 26, -36, 2.8f);
  B(26, -36, 32, 6, 2.3f);
  s.cv.Fill(Ellipse(x - 32 * k, y + 9 * k, 8 * k, 3 * k), bone);
  s.cv.Fill(Ellipse(x + 36 * k, y + 9 * k, 8 * k, 3 * k), bone);
  // Arms hanging over the knees.
  B(-14, -70, -22, -48, 2);
  B(-22, -48, -26, -30, 1.7f);
  B(16, -70, 24, -48, 2);
  B(24, -48, 28, -28, 1.7f);
  // The skull, tipped to one side.
  const float hx = x + 8 * k, hy = y - 88 * k;
  s.cv.Fill(Turned(Union(Circle(hx, hy, 12 * k), Box(hx - 7 * k, hy, hx + 7 * k, hy + 14 * k, 3 * k)), hx, hy, 0.3f),
            Rounded(bone, hx - 4 * k, hy - 4 * k, 12 * k, 14 * k));
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Turned(Ellipse(hx + side * 4.5f * k, hy + 1 * k, 3.2f * k, 3.8f * k), hx, hy, 0.3f), Hex(0x141010));
  s.cv.Fill(Turned(Poly({hx, hy + 5 * k, hx + 2 * k, hy + 9 * k, hx - 2 * k, hy + 9 * k}), hx, hy, 0.3f),
            Hex(0x141010));
  for (int t = -2; t <= 2; ++t)
    s.cv.Fill(Turned(Line(hx + t * 2.2f * k, hy + 11 * k, hx + t * 2.2f * k, hy + 14 * k, 0.5f), hx, hy, 0.3f),
              Hex(0x5a5040));
}

}  // namespace

void RegisterNorthlandsCastle(Registry& r) {
  r["candlestands"] = CandleStands;
  r["tapestries"] = Tapestries;
  r["painted_ceiling"] = PaintedCeiling;
  r["courtyard"] = Courtyard;
  r["smoke_haze"] = SmokeHaze;
  r["portraits"] = Portraits;
  r["portrait"] = Portrait;
  r["cloudsea"] = CloudSea;
  r["towerwall"] = TowerWall;
  r["tinyledge"] = TinyLedge;
  r["wind"] = Wind;
  r["spiral"] = Spiral;
  r["frame_back"] = FrameBack;
  r["cobwebs"] = Cobwebs;
  r["winerack"] = WineRack;
  r["mouseholes"] = MouseHoles;
  r["spider"] = Spider;
  r["helpwriting"] = HelpWriting;
  r["drips"] = Drips;
  r["puddles"] = Puddles;
  r["mica"] = Mica;
  r["skeleton"] = Skeleton;
}

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
