// The details of the tower and its garden, the orchard, the woods, the meadows and the enchanted woods.
#include <algorithm>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

// The back wall of a room painted by "room" spans these bounds.
constexpr float WX0 = 130, WX1 = 470, WY0 = 45, WY1 = 235;

// A tapering leaf or blade from (x, y) in the direction ang (radians).
void Leaf(Scene& s, float x, float y, float ang, float len, float w, const Shader& sh, float op = 1) {
  const float ex = x + std::cos(ang) * len, ey = y + std::sin(ang) * len;
  const float mx = x + std::cos(ang) * len * 0.45f, my = y + std::sin(ang) * len * 0.45f;
  s.cv.Fill(Union(Capsule(x, y, mx, my, w * 0.35f, w), Capsule(mx, my, ex, ey, w, 0.4f)), sh, op);
}

// A rotated frame: points given relative to an origin, turned by 'ang'.
struct Frame {
  float ox, oy, c, s;
  Frame(float x, float y, float ang) : ox(x), oy(y), c(std::cos(ang)), s(std::sin(ang)) {}
  float X(float dx, float dy) const { return ox + dx * c - dy * s; }
  float Y(float dx, float dy) const { return oy + dx * s + dy * c; }
  std::vector<float> P(std::initializer_list<float> pts) const {
    std::vector<float> out;
    for (auto it = pts.begin(); it != pts.end(); it += 2) {
      out.push_back(X(*it, *(it + 1)));
      out.push_back(Y(*it, *(it + 1)));
    }
    return out;
  }
};

// A log seen end-on: bark rim, pale wood and growth rings.
void LogEnd(Scene& s, float x, float y, float r, Col wood) {
  s.cv.Fill(Circle(x, y, r), wood * 0.45f);
  const Col pale = Mix(wood, Hex(0xe8cc98), 0.55f);
  s.cv.Fill(Circle(x - r * 0.06f, y - r * 0.06f, r * 0.82f), [=](float px, float py) {
    const float d = std::hypot(px - x, py - y) / r;
    const float ring = 0.88f + 0.12f * std::sin(d * 26.f);
    return pale * ring * (1.05f - 0.3f * d);
  });
  s.cv.Fill(Circle(x, y, r * 0.08f + 0.5f), wood * 0.6f);
}

// ------------------------------------------------------------ the tower

// Star charts pinned to the study's walls: parchment sheets of stars joined
// into figures, and one round chart of the heavens on deep blue.
void Charts(Scene& s, const Element& e) {
  Rng g(s.seed + 401);
  const Col paper = Hex(0xe4d4a8), ink = Hex(0x3a2a1a);
  auto sheet = [&](float x0, float y0, float x1, float y1, bool dark) {
    s.cv.Fill(Box(x0 + 3, y0 + 4, x1 + 3, y1 + 4), Hex(0x000000), 0.25f, 3);
    s.cv.Fill(Rough(Box(x0, y0, x1, y1), 1.2f, 6, g.Int(1, 999)),
              Textured(Linear(x0, y0, dark ? Hex(0x24306a) : paper, x1, y1, dark ? Hex(0x141a40) : paper * 0.82f),
                       0.12f, 5, s.seed + 3));
    const Col star = dark ? Hex(0xf4e4a0) : ink;
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i < 9; ++i) {
      const float px = g.Range(x0 + 6, x1 - 6), py = g.Range(y0 + 6, y1 - 6);
      pts.push_back({px, py});
      s.cv.Fill(Circle(px, py, g.Range(1.0f, 2.2f)), star);
    }
    for (size_t i = 0; i + 1 < 6; ++i)
      s.cv.Fill(Line(pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second, 0.5f), star, 0.6f);
    s.cv.Fill(Circle(x0 + 4, y0 + 4, 1.6f), Hex(0x8a2020));
  };
  const float y = e.Num("y", 68);
  sheet(232, y, 292, y + 78, false);
  sheet(400, y + 8, 452, y + 70, false);
  // The round chart: a disc of night with a golden rim and the ecliptic.
  const float cx = 345, cy = y + 44, r = 38;
  s.cv.Fill(Circle(cx + 3, cy + 4, r + 4), Hex(0x000000), 0.25f, 4);
  s.cv.Fill(Circle(cx, cy, r + 4), Rounded(Hex(0xc8a048), cx, cy, r + 4, r + 4, 0.4f));
  s.cv.Fill(Circle(cx, cy, r), Linear(cx - r, cy - r, Hex(0x2a3a7a), cx + r, cy + r, Hex(0x0e1230)));
  s.cv.Fill(Cut(Ellipse(cx, cy, r * 0.95f, r * 0.4f), Ellipse(cx, cy, r * 0.95f - 1.2f, r * 0.4f - 1.2f)),
            Hex(0xc8a048), 0.8f);
  for (int i = 0; i < 26; ++i) {
    const float a = g.Range(0, 6.283f), d = r * std::sqrt(g.Uni()) * 0.92f;
    s.cv.Fill(Circle(cx + std::cos(a) * d, cy + std::sin(a) * d, g.Range(0.6f, 1.6f)), Hex(0xfff4c0));
  }
  s.cv.Fill(Circle(cx, cy, 4), Hex(0xffd060));
  // A long chart on the right-hand wall, drawn in the wall's slant.
  s.cv.Fill(Poly({500, 70, 560, 52, 560, 170, 500, 170}), Hex(0x000000), 0.25f, 4);
  s.cv.Fill(Poly({496, 66, 556, 48, 556, 164, 496, 164}),
            Textured(Linear(496, 0, paper * 0.75f, 556, 0, paper * 0.55f), 0.15f, 5, s.seed + 4));
  for (int i = 0; i < 8; ++i) {
    const float px = g.Range(502, 550), py = g.Range(72, 158);
    s.cv.Fill(Circle(px, py, 1.4f), ink);
  }
  s.cv.Fill(Line(505, 140, 548, 80, 0.6f), ink, 0.6f);
}

// Dust: a shaft of light full of motes, and cobwebs in the corners.
void Dust(Scene& s, const Element& e) {
  Rng g(s.seed + 411);
  const float x = e.Num("x", 150);
  const Col beam = Hex(0xffe8b0);
  s.cv.Fill(Poly({x - 20, -5, x + 40, -5, x + 260, 380, x + 140, 380}), beam, 0.08f, 20);
  s.cv.Fill(Poly({x - 5, -5, x + 20, -5, x + 210, 380, x + 165, 380}), beam, 0.06f, 12);
  for (int i = 0; i < 160; ++i) {
    const float t = g.Uni(), px = x + 10 + 190 * t + g.Range(-50, 50) * (0.3f + t), py = -5 + 385 * t;
    s.cv.Fill(Circle(px, py, g.Range(0.5f, 1.3f)), Hex(0xfff4d8), g.Range(0.3f, 0.8f));
  }
  // Cobwebs in the two upper corners of the back wall and the room.
  auto web = [&](float cx, float cy, float dir) {
    const Col silk = Hex(0xe8e8e0);
    for (int k = 0; k < 5; ++k) {
      const float a = (k / 4.f) * 1.5708f;
      s.cv.Fill(Line(cx, cy, cx + dir * std::cos(a) * 70, cy + std::sin(a) * 70, 0.5f), silk, 0.5f);
    }
    for (int ring = 1; ring <= 4; ++ring) {
      const float rr = ring * 16.f;
      for (int k = 0; k < 4; ++k) {
        const float a0 = (k / 4.f) * 1.5708f, a1 = ((k + 1) / 4.f) * 1.5708f;
        const float mx = cx + dir * std::cos((a0 + a1) / 2) * rr * 0.85f,
                    my = cy + std::sin((a0 + a1) / 2) * rr * 0.85f;
        s.cv.Fill(Line(cx + dir * std::cos(a0) * rr, cy + std::sin(a0) * rr, mx, my, 0.45f), silk, 0.45f);
        s.cv.Fill(Line(mx, my, cx + dir * std::cos(a1) * rr, cy + std::sin(a1) * rr, 0.45f), silk, 0.45f);
      }
    }
  };
  web(WX1, WY0, -1);
  web(WX0, WY0, 1);
  web(604, -2, -1);
  // A grey film on the tops of the shelves' books.
  s.cv.Fill(Box(WX0, WY0, WX1, WY1), Hex(0xb8b0a0), 0.08f, 4);
}

// A suit of armour leaning against the wall, asleep and snoring.
void Armour(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 238), k = e.Num("s", 1);
  const Frame f(x, y, e.Num("lean", 0.07f));
  const Col steel = Hex(0xa8acb4);
  auto metal = [&](float cx, float cy, float rx, float ry) {
    return Rounded(steel, f.X(cx, cy), f.Y(cx, cy), rx * k, ry * k, 0.55f);
  };
  auto poly = [&](std::initializer_list<float> p) {
    std::vector<float> v = f.P(p);
    for (size_t i = 0; i < v.size(); i += 2) {
      v[i] = x + (v[i] - x) * k;
      v[i + 1] = y + (v[i + 1] - y) * k;
    }
    return Poly(v);
  };
  auto cap = [&](float ax, float ay, float bx, float by, float ra, float rb) {
    return Capsule(x + (f.X(ax, ay) - x) * k, y + (f.Y(ax, ay) - y) * k, x + (f.X(bx, by) - x) * k,
                   y + (f.Y(bx, by) - y) * k, ra * k, rb * k);
  };
  s.cv.Fill(Ellipse(x + 10 * k, y + 2, 50 * k, 8 * k), Hex(0x000000), 0.3f, 5);
  // Legs and sabatons.
  for (float side : {-1.f, 1.f}) {
    s.cv.Fill(cap(side * 12, -80, side * 14, -8, 9, 7), metal(side * 12, -50, 14, 50));
    s.cv.Fill(poly({side * 6, -10, side * 24, -10, side * 30, 0, side * 4, 0}), metal(side * 16, -5, 16, 8));
    s.cv.Fill(Circle(x + (f.X(side * 13, -46) - x) * k, y + (f.Y(side * 13, -46) - y) * k, 7 * k),
              metal(side * 13, -46, 8, 8));
  }
  // Tassets, breastplate and pauldrons.
  s.cv.Fill(poly({-24, -92, 24, -92, 28, -72, -28, -72}), metal(0, -82, 30, 14));
  s.cv.Fill(poly({-26, -150, 26, -150, 22, -96, -22, -96}), metal(-4, -130, 30, 34));
  s.cv.Fill(Line(f.X(0, -148), f.Y(0, -148), f.X(0, -98), f.Y(0, -98), 1.2f * k), steel * 0.55f);
  for (float side : {-1.f, 1.f}) {
    s.cv.Fill(cap(side * 30, -140, side * 34, -96, 7, 6), metal(side * 32, -118, 10, 26));
    s.cv.Fill(cap(side * 34, -96, side * 30, -66, 6, 6), metal(side * 32, -80, 10, 20));
    s.cv.Fill(Circle(f.X(side * 30, -62) + (k - 1) * (f.X(side * 30, -62) - x),
                     f.Y(side * 30, -62) + (k - 1) * (f.Y(side * 30, -62) - y), 7 * k),
              metal(side * 30, -62, 8, 8));
    s.cv.Fill(poly({side * 16, -156, side * 40, -150, side * 42, -132, side * 22, -134}),
              metal(side * 30, -146, 20, 12));
  }
  // Helmet with its visor down and a plume.
  s.cv.Fill(poly({-14, -158, 14, -158, 16, -186, 8, -198, -8, -198, -16, -186}), metal(-3, -178, 18, 22));
  s.cv.Fill(poly({-12, -180, 12, -180, 12, -176, -12, -176}), Hex(0x0c0c10));
  s.cv.Fill(poly({-10, -170, 10, -170, 10, -167, -10, -167}), Hex(0x141418));
  s.cv.Fill(cap(0, -198, -14, -222, 3, 7), Hex(0xa02028));
  // The snore, rising from the visor (snore=0: an empty suit, silent).
  if (e.Num("snore", 1) <= 0) return;
  const float zx = f.X(16, -190), zy = f.Y(16, -190);
  const Shader zc = Flat(Hex(0xf0f0f0));
  DrawText(s.cv, "Z", zx + 4, zy - 4, 10 * k, 1.2f, zc);
  DrawText(s.cv, "Z", zx + 16, zy - 20, 14 * k, 1.5f, zc);
  DrawText(s.cv, "Z", zx + 32, zy - 42, 18 * k, 1.8f, zc);
}

// The workshop's tools: a rack of them on the wall behind the bench and a
// clutter on the bench itself, all shining with oil.
void Tools(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 212);
  const Col iron = Hex(0x50545c), handle = s.pal.wood * 1.1f, oil = Hex(0x1a1a14);
  // The rack.
  s.cv.Fill(Box(x - 80, y - 120, x + 80, y - 112), s.pal.wood * 0.8f);
  for (int i = 0; i < 6; ++i) {
    const float hx = x - 66 + i * 26;
    s.cv.Fill(Circle(hx, y - 116, 2), Hex(0x202020));
    switch (i % 3) {
      case 0:  // hammer
        s.cv.Fill(Line(hx, y - 112, hx, y - 62, 2.2f), handle);
        s.cv.Fill(Box(hx - 9, y - 66, hx + 9, y - 56, 1.5f), Linear(hx - 9, 0, iron * 1.5f, hx + 9, 0, iron * 0.7f));
        break;
      case 1:  // tongs
        s.cv.Fill(Line(hx, y - 112, hx - 6, y - 60, 1.6f), iron * 1.2f);
        s.cv.Fill(Line(hx, y - 112, hx + 6, y - 60, 1.6f), iron);
        break;
      default:  // spanner
        s.cv.Fill(Line(hx, y - 110, hx, y - 66, 2.5f), iron * 1.3f);
        s.cv.Fill(Cut(Circle(hx, y - 62, 7), Box(hx - 3, y - 62, hx + 3, y - 50)), iron * 1.3f);
    }
  }
  // On the bench: a saw, a hammer, a coil of wire, an oil can, a retort.
  s.cv.Fill(Poly({x - 62, y - 6, x - 10, y - 12, x - 8, y - 4, x - 60, y + 2}),
            Linear(x - 60, 0, Hex(0xd0d4da), x - 10, 0, Hex(0x7a7e86)));
  s.cv.Fill(Box(x - 10, y - 14, x + 4, y - 2, 2), handle);
  s.cv.Fill(Line(x + 8, y - 2, x + 40, y - 8, 2), handle);
  s.cv.Fill(Box(x + 36, y - 16, x + 46, y - 2, 1), iron * 1.3f);
  s.cv.Fill(Cut(Ellipse(x + 60, y - 8, 10, 6), Ellipse(x + 60, y - 8, 6, 3)), Hex(0xb07a40));
  s.cv.Fill(Union(Ellipse(x - 30, y - 20, 9, 11), Line(x - 30, y - 28, x - 22, y - 44, 1.5f)),
            Rounded(Hex(0x6a6e30), x - 32, y - 22, 9, 11));
  s.cv.Fill(Union(Circle(x + 20, y - 22, 11), Line(x + 28, y - 28, x + 46, y - 40, 2.5f)),
            Rounded(Hex(0x9ac0c8), x + 18, y - 24, 11, 11), 0.85f);
  s.cv.Fill(Circle(x + 20, y - 18, 7), Hex(0xa03a8a), 0.8f);
  // Oil: a dark sheen dripping over the front and pooling beneath.
  for (int i = 0; i < 5; ++i) {
    const float dx = x - 60 + i * 28 + s.rng.Range(-6, 6);
    s.cv.Fill(Capsule(dx, y + 4, dx, y + 14 + s.rng.Range(0, 12), 2, 1.3f), oil, 0.8f);
  }
  s.cv.Fill(Ellipse(x + 50, y + 80, 40, 7), oil, 0.55f, 4);
  s.cv.Fill(Ellipse(x + 46, y + 78, 14, 2), Hex(0x8a7aa0), 0.35f, 2);
}

// The soot of an old explosion: a blackened star burst on the wall.
void Scorch(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 150), r = e.Num("r", 70);
  const uint32_t sd = s.seed + 421;
  s.cv.Map([&](int px, int py, Col c) {
    const float dx = px - x, dy = py - y, d = std::hypot(dx, dy);
    if (d > r * 1.7f) return c;
    const float a = std::atan2(dy, dx);
    const float rays = 0.55f + 0.45f * std::pow(std::fabs(std::sin(a * 5.f + 3 * Fbm(a * 2.f, 0.5f, sd, 2))), 3.f);
    const float reach = r * (0.55f + 0.9f * rays) * (0.8f + 0.4f * Fbm(px / 14.f, py / 14.f, sd + 1, 3));
    const float k = Clamp01(1.2f - d / reach) * 0.92f;
    return Mix(c, Hex(0x120c08), k);
  });
}

// Strings of onions and garlic hanging from the kitchen's beams.
void Onions(Scene& s, const Element& e) {
  Rng g(s.seed + 431);
  const float xs[] = {165, 205, 245, 520, 560};
  const int n = static_cast<int>(e.Num("n", 5));
  for (int i = 0; i < n && i < 5; ++i) {
    const float x = xs[i], top = -5 + (x < 300 ? 0 : 0), len = g.Range(100, 140);
    const bool garlic = i % 2 == 1;
    s.cv.Fill(Line(x, top, x, top + len, 1), Hex(0xb89a60));
    for (float yy = top + 34; yy < top + len; yy += garlic ? 12 : 15) {
      for (int side = -1; side <= 1; side += 2) {
        const float bx = x + side * g.Range(5, 9), by = yy + g.Range(-3, 3),
                    r = garlic ? g.Range(5, 6.5f) : g.Range(7, 9);
        const Col c = garlic ? Hex(0xece4d4) : Mix(Hex(0xc07a30), Hex(0x8a4a1c), g.Uni());
        s.cv.Fill(Union(Circle(bx, by, r),
                        Poly({bx - r * 0.4f, by - r * 0.6f, bx, by - r * 1.7f, bx + r * 0.4f, by - r * 0.6f})),
                  Rounded(c, bx, by, r, r, 0.5f));
        if (garlic) s.cv.Fill(Line(bx, by - r, bx, by + r * 0.8f, 0.4f), c * 0.7f);
      }
    }
    s.cv.Fill(Line(x, top + len, x + g.Range(-4, 4), top + len + 14, 1.4f), Hex(0x8a7a40));
  }
}

// ------------------------------------------------------------ the garden

// One cabbage, its leaves chewed to lace.
void Cabbage(Scene& s, float x, float y, float r, uint32_t seed) {
  Rng g(seed);
  s.cv.Fill(Ellipse(x + r * 0.2f, y + r * 0.4f, r * 1.3f, r * 0.35f), Hex(0x000000), 0.3f, 4);
  const Col outer = Hex(0x5a8a3a), inner = Hex(0xb8d88a);
  for (int i = 0; i < 7; ++i) {
    const float a = 3.14159f + i * 3.14159f / 6.f;
    Leaf(s, x, y, a, r * 1.25f, r * 0.42f, Rounded(outer, x + std::cos(a) * r * 0.5f, y - r * 0.2f, r, r * 0.6f, 0.5f));
  }
  s.cv.Fill(Circle(x, y - r * 0.35f, r * 0.6f), Rounded(inner, x - r * 0.2f, y - r * 0.55f, r * 0.6f, r * 0.6f, 0.4f));
  // Holes eaten through the leaves.
  for (int i = 0; i < static_cast<int>(4 + r / 2); ++i) {
    const float hx = x + g.Range(-r, r), hy = y - g.Range(-0.1f, 0.9f) * r;
    s.cv.Fill(Circle(hx, hy, g.Range(0.8f, 2.2f) * (r / 14)), Hex(0x2a2414), 0.9f);
  }
}

// The master's prize cabbages in their rows, eaten to lace, with the trail
// of whatever ate them glistening across the beds.
void Cabbages(Scene& s, const Element& e) {
  const float y0 = e.Num("y", s.horizon + 58);
  // Beds of turned earth, right of the path and behind it on the left.
  s.cv.Fill(Rough(Poly({430, y0 + 8, 605, y0 + 2, 605, 375, 480, 375}), 3, 12, s.seed + 441),
            Textured(Flat(s.pal.floor * 0.8f), 0.3f, 6, s.seed + 442));
  s.cv.Fill(Rough(Poly({175, y0 + 8, 275, y0 + 8, 265, y0 + 44, 170, y0 + 44}), 3, 10, s.seed + 443),
            Textured(Flat(s.pal.floor * 0.8f), 0.3f, 6, s.seed + 444));
  Rng g(s.seed + 445);
  for (int row = 0; row < 4; ++row) {
    const float yy = y0 + 18 + row * row * 9 + row * 14, r = 8 + row * 4;
    for (float xx = 460 + row * 14; xx < 600; xx += r * 2.6f) Cabbage(s, xx + g.Range(-3, 3), yy, r, g.Int(1, 99999));
  }
  for (float xx = 190; xx < 262; xx += 22) Cabbage(s, xx, y0 + 24, 8, g.Int(1, 99999));
  for (float xx = 186; xx < 262; xx += 26) Cabbage(s, xx + 8, y0 + 40, 9, g.Int(1, 99999));
  // The slime trail.
  std::vector<std::pair<float, float>> pts;
  for (int i = 0; i <= 24; ++i) {
    const float t = i / 24.f;
    pts.push_back({600 - 420 * t, y0 + 100 - 60 * t + 9 * std::sin(t * 17.f) + 5 * std::sin(t * 31.f)});
  }
  for (size_t i = 0; i + 1 < pts.size(); ++i) {
    if (pts[i].first > 270 && pts[i].first < 440 && pts[i].second > y0 + 38) continue;
    const float wid = 1.5f + 2.5f * (pts[i].second - y0) / 100.f;
    s.cv.Fill(Line(pts[i].first, pts[i].second, pts[i + 1].first, pts[i + 1].second, wid), Hex(0x9ab0b8), 0.35f, 2);
    if (i % 3 == 0)
      s.cv.Fill(Line(pts[i].first, pts[i].second - 0.5f, pts[i + 1].first, pts[i + 1].second - 0.5f, 0.6f),
                Hex(0xffffff), 0.6f);
  }
}

// A larder's row of bottles on a low bench; one bears a skull.
void Bottles(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 300);
  s.cv.Fill(Box(x - 72, y - 8, x + 72, y), Planks(s.pal.wood, 6, false, s.seed));
  for (float lx : {x - 62, x + 62}) s.cv.Fill(Box(lx - 4, y, lx + 4, y + 22), s.pal.wood * 0.6f);
  const Col glass[] = {Hex(0x2a6a3a), Hex(0x6a3a1a), Hex(0x3a4a8a), Hex(0x7a2030), Hex(0x4a7a6a)};
  for (int i = 0; i < 5; ++i) {
    const float bx = x - 52 + i * 26, h = 44 + (i % 2) * 10;
    const Col c = glass[i];
    s.cv.Fill(Union(Box(bx - 9, y - 8 - h * 0.62f, bx + 9, y - 8, 4),
                    Union(Circle(bx, y - 8 - h * 0.62f, 9), Box(bx - 3, y - 8 - h, bx + 3, y - 8 - h * 0.6f))),
              Rounded(c, bx - 2, y - 8 - h * 0.4f, 10, h * 0.5f, 0.5f), 0.92f);
    s.cv.Fill(Box(bx - 3.5f, y - 14 - h, bx + 3.5f, y - 8 - h, 1), Hex(0xa07a50));
    s.cv.Fill(Line(bx - 5, y - 12 - h * 0.5f, bx - 5, y - 16, 1.2f), Hex(0xffffff), 0.35f);
    if (i == 3) {
      // The poison: a white label with a skull and crossbones.
      const float ly = y - 8 - h * 0.3f;
      s.cv.Fill(Box(bx - 8, ly - 9, bx + 8, ly + 9, 1), Hex(0xe8e0c8));
      s.cv.Fill(Line(bx - 5, ly + 2, bx + 5, ly + 7, 0.9f), Hex(0x1a1a1a));
      s.cv.Fill(Line(bx + 5, ly + 2, bx - 5, ly + 7, 0.9f), Hex(0x1a1a1a));
      s.cv.Fill(Union(Circle(bx, ly - 3, 4.2f), Box(bx - 2.5f, ly - 1, bx + 2.5f, ly + 2)), Hex(0x1a1a1a));
      s.cv.Fill(Circle(bx - 1.6f, ly - 3.4f, 1.1f), Hex(0xe8e0c8));
      s.cv.Fill(Circle(bx + 1.6f, ly - 3.4f, 1.1f), Hex(0xe8e0c8));
    }
  }
}

// A mousetrap, set, with its cheese and no mouse.
void Mousetrap(Scene& s, const Element& e) {
  const float x = e.Num("x", 230), y = e.Num("y", 350), k = e.Num("s", 1);
  s.cv.Fill(Ellipse(x + 4 * k, y + 3 * k, 34 * k, 6 * k), Hex(0x000000), 0.3f, 3);
  s.cv.Fill(Poly({x - 30 * k, y - 4 * k, x + 24 * k, y - 8 * k, x + 32 * k, y, x - 22 * k, y + 4 * k}), Hex(0xc8a070));
  s.cv.Fill(Poly({x - 22 * k, y + 4 * k, x + 32 * k, y, x + 32 * k, y + 4 * k, x - 22 * k, y + 8 * k}), Hex(0x8a6a40));
  s.cv.Fill(Line(x - 20 * k, y - 2 * k, x + 2 * k, y - 4 * k, 1.2f * k), Hex(0xb0b4b8));
  s.cv.Fill(Line(x - 20 * k, y - 2 * k, x - 18 * k, y - 12 * k, 1.2f * k), Hex(0xb0b4b8));
  s.cv.Fill(Line(x + 2 * k, y - 4 * k, x + 4 * k, y - 14 * k, 1.2f * k), Hex(0xb0b4b8));
  s.cv.Fill(Line(x - 18 * k, y - 12 * k, x + 4 * k, y - 14 * k, 1.2f * k), Hex(0xb0b4b8));
  s.cv.Fill(Poly({x + 12 * k, y - 4 * k, x + 24 * k, y - 6 * k, x + 18 * k, y - 14 * k}), Hex(0xf0c840));
  s.cv.Fill(Circle(x + 18 * k, y - 7 * k, 1.2f * k), Hex(0xc09020));
}

// Rows of runner beans climbing their canes on both sides of the path.
void Beans(Scene& s, const Element& e) {
  Rng g(s.seed + 451);
  const float vx = e.Num("x", 320), vy = s.horizon + 6;
  for (int side = -1; side <= 1; side += 2) {
    for (int i = 12; i >= 0; --i) {
      const float t = i / 12.f;  // 0 far .. 1 near
      const float y = vy + 10 + t * t * 150, k = 0.3f + 1.1f * t * t;
      const float x = vx + side * (60 + 260 * t * t);
      if (side < 0 && (x < 175 && y > 200)) continue;
      if (x < -40 || x > 640) continue;
      const float h = 130 * k;
      s.cv.Fill(Line(x, y, x + side * 2, y - h, 1.4f * k + 0.3f), Hex(0xb89a60));
      for (int l = 0; l < static_cast<int>(22 + 16 * k); ++l) {
        const float ly = y - g.Range(0.05f, 1.f) * h, lx = x + g.Range(-16, 16) * k;
        const Col c = Mix(s.pal.leafDark, s.pal.leaf * 1.2f, g.Uni());
        s.cv.Fill(Ellipse(lx, ly, 8 * k, 6.5f * k), Rounded(c, lx, ly, 8 * k, 6.5f * k, 0.4f));
      }
      for (int p = 0; p < static_cast<int>(2 + 3 * k); ++p) {
        const float px = x + g.Range(-10, 10) * k, py = y - g.Range(0.2f, 0.8f) * h;
        if (g.Uni() < 0.5f)
          s.cv.Fill(Capsule(px, py, px + g.Range(-2, 2) * k, py + 16 * k, 1.5f * k, 1.2f * k), Hex(0x6a9a30));
        else
          s.cv.Fill(Circle(px, py, 2.2f * k), Hex(0xd83020));
      }
    }
  }
}

// A garden gate between two stone pillars, with a hedge running off either side.
void Gate(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 300), k = e.Num("s", 1);
  const float w = 110 * k, h = 95 * k;
  if (e.Num("hedge", 1) > 0) {
    for (int side = -1; side <= 1; side += 2) {
      const float a = x + side * (w / 2 + 14 * k), b = side < 0 ? -10.f : 610.f;
      s.cv.Fill(Rough(Box(std::min(a, b), y - h * 0.85f, std::max(a, b), y), 5 * k, 9 * k,
                      s.seed + 461 + static_cast<uint32_t>(side + 1)),
                Textured(Linear(0, y - h, s.pal.leaf, 0, y, s.pal.leafDark), 0.35f, 4 * k, s.seed + 462));
    }
  }
  for (int side = -1; side <= 1; side += 2) {
    const float px = x + side * (w / 2 + 7 * k);
    s.cv.Fill(Box(px - 12 * k, y - h - 20 * k, px + 12 * k, y),
              Stones(s.pal.rock * 1.1f, s.pal.rockDark, 12 * k, 8 * k, s.seed + 463));
    s.cv.Fill(Box(px - 15 * k, y - h - 26 * k, px + 15 * k, y - h - 18 * k), s.pal.rock * 1.2f);
    s.cv.Fill(Circle(px, y - h - 32 * k, 7 * k), Rounded(s.pal.rock * 1.2f, px, y - h - 32 * k, 7 * k, 7 * k));
  }
  // The gate: palings under an arched top rail, two braces.
  const Col wood = Hex(0x8a6a44);
  const float gx0 = x - w / 2 + 3 * k, gx1 = x + w / 2 - 3 * k;
  for (float px = gx0 + 5 * k; px < gx1; px += 12 * k) {
    const float top = y - h * 0.6f - h * 0.3f * std::sin(3.14159f * (px - gx0) / (gx1 - gx0));
    s.cv.Fill(Union(Box(px - 3.5f * k, top, px + 3.5f * k, y - 6 * k),
                    Poly({px - 3.5f * k, top, px, top - 6 * k, px + 3.5f * k, top})),
              Linear(px - 4 * k, 0, wood * 1.25f, px + 4 * k, 0, wood * 0.7f));
  }
  for (float ry : {y - h * 0.5f, y - 18 * k}) s.cv.Fill(Box(gx0, ry - 4 * k, gx1, ry + 4 * k), wood * 0.9f);
  s.cv.Fill(Line(gx0 + 4 * k, y - 18 * k, gx1 - 4 * k, y - h * 0.5f, 3.5f * k), wood * 0.8f);
  s.cv.Fill(Circle(gx1 - 10 * k, y - h * 0.4f, 3 * k), Hex(0x2a2a2a));
}

// The herb garden's tidy beds: sage, thyme, lavender, and one plant that winks.
void Herbs(Scene& s, const Element& e) {
  Rng g(s.seed + 471);
  const float y0 = e.Num("y", s.horizon + 24);
  struct Bed {
    float x0, x1, y, depth;
  };
  const Bed beds[] = {{180, 600, y0, 16}, {175, 600, y0 + 36, 22}, {470, 605, y0 + 86, 32}};
  const Col herbs[] = {Hex(0x8aa08a), Hex(0x5a8a3a), Hex(0x6a7a4a), Hex(0x7aa050)};
  for (const Bed& b : beds) {
    s.cv.Fill(Box(b.x0, b.y - 4, b.x1, b.y + b.depth), Textured(Flat(s.pal.floor * 0.75f), 0.35f, 5, s.seed + 472));
    s.cv.Fill(Box(b.x0, b.y + b.depth - 4, b.x1, b.y + b.depth + 2), s.pal.wood);
    const float k = b.depth / 22.f;
    for (float x = b.x0 + 14 * k; x < b.x1 - 8; x += g.Range(22, 30) * k) {
      const int kind = g.Int(0, 3);
      const float cy = b.y + b.depth * 0.3f;
      for (int j = 0; j < 9; ++j) {
        const float lx = x + g.Range(-11, 11) * k, ly = cy - g.Range(0, 16) * k;
        const Col c = herbs[kind] * g.Range(0.8f, 1.2f);
        s.cv.Fill(Ellipse(lx, ly, 5 * k, 3.5f * k), Rounded(c, lx, ly, 5 * k, 3.5f * k, 0.4f));
      }
      if (kind == 2)
        for (int j = 0; j < 4; ++j) {
          const float fx = x + g.Range(-8, 8) * k;
          s.cv.Fill(Capsule(fx, cy - 14 * k, fx + g.Range(-2, 2), cy - 26 * k, 1.6f * k, 1.2f * k), Hex(0x9a70c8));
        }
    }
  }
  // The plant that winks: a round bloom with one open eye and one shut.
  const float wx = e.Num("wx", 545), wy = y0 + 100;
  s.cv.Fill(Line(wx, wy + 20, wx, wy - 10, 2), Hex(0x3a7a2a));
  for (int p = 0; p < 8; ++p) {
    const float a = p * 0.785f;
    s.cv.Fill(Ellipse(wx + std::cos(a) * 13, wy - 18 + std::sin(a) * 13, 7, 7), Hex(0xe8a030));
  }
  s.cv.Fill(Circle(wx, wy - 18, 11), Rounded(Hex(0xf4d870), wx, wy - 18, 11, 11));
  s.cv.Fill(Ellipse(wx - 4, wy - 20, 3, 3.5f), Hex(0xffffff));
  s.cv.Fill(Circle(wx - 3.5f, wy - 19.5f, 1.6f), Hex(0x101010));
  s.cv.Fill(Line(wx + 2, wy - 20, wx + 7, wy - 19, 0.9f), Hex(0x301a10));
  s.cv.Fill(Cut(Circle(wx, wy - 17, 5), Box(wx - 6, wy - 22, wx + 6, wy - 15)), Hex(0x8a2a1a));
}

// A garden shed of weathered boards with a lean-to roof.
void Shed(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 250), k = e.Num("s", 1);
  const float w = 130 * k, h = 90 * k;
  const Col wood = Hex(0x7a6040);
  s.cv.Fill(Ellipse(x + 10 * k, y + 3, w * 0.7f, 8 * k), Hex(0x000000), 0.3f, 5);
  s.cv.Fill(Poly({x - w / 2, y, x - w / 2, y - h, x + w / 2, y - h - 18 * k, x + w / 2, y}),
            Planks(wood, 11 * k, true, s.seed + 481));
  s.cv.Fill(Poly({x - w / 2 - 12 * k, y - h + 4 * k, x + w / 2 + 12 * k, y - h - 22 * k, x + w / 2 + 12 * k,
                  y - h - 32 * k, x - w / 2 - 12 * k, y - h - 6 * k}),
            Planks(Hex(0x4a4038), 7 * k, false, s.seed + 482));
  s.cv.Fill(Box(x - 10 * k, y - 70 * k, x + 26 * k, y), Planks(wood * 0.75f, 9 * k, true, s.seed + 483));
  s.cv.Fill(Line(x - 8 * k, y - 66 * k, x + 24 * k, y - 4 * k, 2.5f * k), wood * 0.6f);
  s.cv.Fill(Circle(x + 20 * k, y - 36 * k, 2.5f * k), Hex(0x2a2a2a));
  s.cv.Fill(Box(x - w / 2 + 12 * k, y - 66 * k, x - w / 2 + 38 * k, y - 44 * k), Hex(0x202830));
  s.cv.Fill(Line(x - w / 2 + 25 * k, y - 66 * k, x - w / 2 + 25 * k, y - 44 * k, 1.2f * k), wood);
}

// Flowerpots: stacks of terracotta pots and a few standing in a row.
void Pots(Scene& s, const Element& e) {
  const float x = e.Num("x", 180), y = e.Num("y", 250), k = e.Num("s", 1.4f);
  const Col clay = Hex(0xb8643a);
  auto pot = [&](float px, float py, float r) {
    s.cv.Fill(Poly({px - r, py - r * 1.4f, px + r, py - r * 1.4f, px + r * 0.7f, py, px - r * 0.7f, py}),
              Rounded(clay, px - r * 0.3f, py - r * 0.8f, r, r, 0.5f));
    s.cv.Fill(Box(px - r * 1.1f, py - r * 1.6f, px + r * 1.1f, py - r * 1.3f), clay * 1.1f);
    s.cv.Fill(Ellipse(px, py - r * 1.6f, r * 1.05f, r * 0.25f), clay * 0.45f);
  };
  s.cv.Fill(Ellipse(x + 30 * k, y + 2, 70 * k, 7 * k), Hex(0x000000), 0.3f, 5);
  for (int i = 0; i < 5; ++i) pot(x - 10 * k, y - i * 9 * k, 15 * k);
  for (int i = 0; i < 3; ++i) pot(x + 26 * k, y - i * 9 * k, 13 * k);
  pot(x + 56 * k, y, 11 * k);
  pot(x + 80 * k, y + 2, 9 * k);
  // A broken one, in pieces.
  s.cv.Fill(Poly({x + 100 * k, y, x + 112 * k, y - 10 * k, x + 118 * k, y}), clay);
  s.cv.Fill(Poly({x + 120 * k, y + 2, x + 128 * k, y - 4 * k, x + 134 * k, y + 3}), clay * 0.8f);
}

// Broken rakes and a spade leaning on the wall, heads up, and a snapped-off
// rake head lying on the floor.
void Rakes(Scene& s, const Element& e) {
  const float x = e.Num("x", 460), y = e.Num("y", 240), k = e.Num("s", 1.3f);
  const Col handle = s.pal.wood * 1.3f, iron = Hex(0x5a5a60);
  struct R {
    float bx, tx, len;
    bool broken, spade;
  };
  const R rs[] = {{-40, -52, 150, false, false},
                  {-10, -16, 90, true, false},
                  {20, 28, 140, false, true},
                  {50, 62, 155, false, false}};
  s.cv.Fill(Ellipse(x, y + 2, 70 * k, 6 * k), Hex(0x000000), 0.25f, 4);
  for (const R& r : rs) {
    const float bx = x + r.bx * k, tx = x + r.tx * k, ty = y - r.len * k;
    if (r.spade) {
      // A spade stands blade down.
      s.cv.Fill(Line(bx, y - 26 * k, tx, ty, 2.4f * k), Linear(bx - 3, 0, handle, bx + 3, 0, handle * 0.6f));
      s.cv.Fill(
          Cut(Box(tx - 8 * k, ty - 10 * k, tx + 8 * k, ty + 2 * k, 3 * k), Box(tx - 5 * k, ty - 7 * k, tx + 5 * k, ty)),
          handle);
      s.cv.Fill(
          Poly({bx - 10 * k, y - 30 * k, bx + 10 * k, y - 30 * k, bx + 9 * k, y - 4 * k, bx, y, bx - 9 * k, y - 4 * k}),
          Linear(bx - 9 * k, 0, iron * 1.7f, bx + 9 * k, 0, iron));
      continue;
    }
    s.cv.Fill(Line(bx, y, tx, ty, 2.2f * k), Linear(bx - 3, 0, handle, bx + 3, 0, handle * 0.6f));
    if (r.broken) {
      // Snapped halfway: a splintered top and no head.
      s.cv.Fill(Poly({tx - 3 * k, ty + 2, tx + 3 * k, ty + 2, tx + 2 * k, ty - 8 * k, tx, ty - 3 * k, tx - 1.5f * k,
                      ty - 10 * k}),
                handle * 1.1f);
      continue;
    }
    // The head at the top, its teeth against the wall; one has lost teeth.
    s.cv.Fill(Box(tx - 20 * k, ty - 3 * k, tx + 20 * k, ty + 2 * k, 1), iron);
    for (int t = 0; t < 8; ++t) {
      if (r.bx > 40 && (t == 2 || t == 3 || t == 6)) continue;
      const float px = tx - 18 * k + t * 5.2f * k;
      s.cv.Fill(Line(px, ty - 3 * k, px, ty - 12 * k, 1 * k), iron * 1.2f);
    }
  }
  // The broken-off head on the floor.
  const float fx = x + 10 * k, fy = y + 46 * k;
  s.cv.Fill(Box(fx - 18 * k, fy - 3 * k, fx + 18 * k, fy + 2 * k), iron);
  for (int t = 0; t < 6; ++t)
    s.cv.Fill(Line(fx - 15 * k + t * 6 * k, fy + 2 * k, fx - 16 * k + t * 6 * k, fy + 10 * k, 1 * k), iron);
  s.cv.Fill(Line(fx, fy - 2 * k, fx - 14 * k, fy - 14 * k, 2 * k), handle);
}

// ------------------------------------------------------------ the orchard

// A wall of tangled, thorny canes from x0 to x1 standing on y: a dark
// thicket with arching stems over it, each armed with hooked thorns.
void Thorns(Scene& s, const Element& e) {
  const float y = e.Num("y", s.horizon + 60), x0 = e.Num("x0", -10), x1 = e.Num("x1", 610);
  const float far = e.Num("far", 0) > 0 ? 0.45f : 0.f, h = e.Num("h", far > 0 ? 40 : 120);
  Rng g(s.seed + 491 + static_cast<uint32_t>(x0));
  const Col stem = Haze(s, Hex(0x3e2818), far), dark = Haze(s, Hex(0x1e2614), far),
            leaf = Haze(s, s.pal.leafDark * 1.3f, far);
  const uint32_t sd = s.seed + 492;
  // The thicket's mass: ragged at the top, holes of shadow within.
  s.cv.Map([&](int px, int py, Col c) {
    if (px < x0 || px > x1 || py > y + 6) return c;
    // Ends that stop inside the picture slope down rather than stop square.
    const float fade = (x0 <= 0 ? 1.f : Smooth(x0, x0 + 50, static_cast<float>(px))) *
                       (x1 >= s.cv.W() ? 1.f : 1.f - Smooth(x1 - 50, x1, static_cast<float>(px)));
    const float top = y - h * (0.65f + 0.35f * Fbm(px / 30.f, 0.5f, sd + 1, 3)) * fade;
    const float edge = Clamp01((py - top) / 6.f) * Clamp01(fade * 4);
    if (edge <= 0) return c;
    const float n = Fbm(px / 12.f, py / 12.f, sd, 4);
    const float holes = Smooth(0.35f, 0.55f, Fbm(px / 7.f, py / 7.f, sd + 2, 3));
    const Col m = Mix(dark * 0.5f, Mix(dark, leaf, 0.5f) * 1.2f, n) * (0.6f + 0.4f * holes);
    return Mix(c, m, edge);
  });
  const int n = static_cast<int>((x1 - x0) / (far > 0 ? 6 : 7));
  for (int i = 0; i < n; ++i) {
    // One cane: a quadratic arch from its root up and over.
    const float ax = g.Range(x0 + (x0 > 0 ? 25 : 0), x1 - (x1 < s.cv.W() ? 25 : 0)), ay = y + g.Range(-4, 6);
    const float dir = g.Uni() < 0.5f ? -1.f : 1.f, reach = g.Range(0.2f, 1.1f) * h;
    const float bx = ax + dir * reach * g.Range(-0.2f, 0.9f), by = y - g.Range(0.5f, 1.3f) * h;
    const float cx = ax + dir * reach, cy = y - g.Range(0.1f, 0.6f) * h;
    const float w = (far > 0 ? 0.7f : 1.7f) * g.Range(0.7f, 1.3f);
    const Col c = Mix(stem, stem * 1.6f, g.Uni());
    float px = ax, py = ay;
    for (int k = 1; k <= 10; ++k) {
      const float t = k / 10.f, u = 1 - t;
      const float qx = u * u * ax + 2 * u * t * bx + t * t * cx, qy = u * u * ay + 2 * u * t * by + t * t * cy;
      s.cv.Fill(Line(px, py, qx, qy, w * (1.1f - 0.5f * t)), c);
      if (far == 0 && k % 2 == 0) {
        const float a = g.Range(0, 6.283f);
        s.cv.Fill(Poly({qx - 1.6f, qy, qx + 1.6f, qy, qx + std::cos(a) * 7, qy + std::sin(a) * 7}), Hex(0xc8a878));
      }
      if (far == 0 && k % 4 == 1 && g.Uni() < 0.5f)
        Leaf(s, qx, qy, g.Range(0, 6.283f), 9, 3.5f, Flat(leaf * g.Range(0.9f, 1.5f)));
      px = qx;
      py = qy;
    }
  }
}

// Red apples hung wherever the scene already holds a leafy crown, and a few
// windfalls in the grass.
void Apples(Scene& s, const Element& e) {
  Rng g(s.seed + 501);
  const int n = static_cast<int>(e.Num("n", 90));
  int placed = 0;
  for (int tries = 0; tries < 4000 && placed < n; ++tries) {
    const float x = g.Range(5, 595), y = g.Range(5, s.horizon - 8);
    const Col c = s.cv.Sample(x, y);
    const bool leafy = c.g > c.r * 1.05f && c.g > c.b * 1.2f && Lum(c) > 0.12f && Lum(c) < 0.5f;
    if (!leafy) continue;
    const float r = y < s.horizon - 20 ? g.Range(3, 5) : g.Range(2.5f, 4);
    const Col red = Mix(Hex(0xc81e1e), Hex(0xe0a030), g.Uni() * 0.3f);
    s.cv.Fill(Circle(x, y, r), Rounded(red, x - r * 0.3f, y - r * 0.3f, r, r, 0.6f));
    s.cv.Fill(Line(x, y - r, x + 0.8f, y - r - 2, 0.5f), Hex(0x3a2a14));
    ++placed;
  }
  for (int i = 0; i < static_cast<int>(e.Num("fallen", 12)); ++i) {
    const float x = g.Range(180, 600), y = g.Range(s.horizon + 20, 370);
    if (x > 270 && x < 470 && y > 295) continue;
    const float r = 2 + 5 * (y - s.horizon) / 160.f;
    s.cv.Fill(Circle(x, y, r), Rounded(Hex(0xb02020), x - r * 0.3f, y - r * 0.3f, r, r, 0.6f));
  }
}

// ------------------------------------------------------------ the woods

// Brambles: arching thorny canes with leaves and blackberries, in clumps
// along the foot of the picture, leaving the path and the lower left free.
void Brambles(Scene& s, const Element& e) {
  const float y = e.Num("y", 300), gap = e.Num("gap", 320), gw = e.Num("gw", 60);
  Rng g(s.seed + 511);
  for (float cx = e.Num("x0", 175); cx < e.Num("x1", 620); cx += g.Range(40, 60)) {
    if (std::fabs(cx - gap) < gw) continue;
    const float by = y + g.Range(-20, 40), k = 0.8f + 0.6f * (by - s.horizon) / 150.f;
    Crown(s, cx, by - 24 * k, 30 * k, s.pal.leaf * 0.9f, s.pal.leafDark, 4);
    for (int c = 0; c < 5; ++c) {
      const float dir = g.Uni() < 0.5f ? -1.f : 1.f;
      const float ax = cx + g.Range(-20, 20), ay = by, bx = ax + dir * g.Range(10, 40) * k,
                  bby = by - g.Range(50, 90) * k;
      const float ex = ax + dir * g.Range(40, 80) * k, ey = by - g.Range(0, 30) * k;
      float px = ax, py = ay;
      for (int i = 1; i <= 8; ++i) {
        const float t = i / 8.f, u = 1 - t;
        const float qx = u * u * ax + 2 * u * t * bx + t * t * ex, qy = u * u * ay + 2 * u * t * bby + t * t * ey;
        s.cv.Fill(Line(px, py, qx, qy, 1.6f * k), Hex(0x6a2a3a));
        if (i % 2) s.cv.Fill(Poly({qx - 1.2f, qy, qx + 1.2f, qy, qx + 2, qy - 5 * k}), Hex(0xd0b090));
        if (i % 3 == 0)
          Leaf(s, qx, qy, g.Range(0, 6.283f), 11 * k, 4.5f * k, Rounded(s.pal.leaf, qx, qy, 8 * k, 8 * k));
        px = qx;
        py = qy;
      }
    }
    for (int b = 0; b < 6; ++b) {
      const float fx = cx + g.Range(-30, 30) * k, fy = by - g.Range(10, 50) * k;
      const bool ripe = g.Uni() < 0.6f;
      s.cv.Fill(Circle(fx, fy, 2.6f * k),
                Rounded(ripe ? Hex(0x1a1030) : Hex(0xb02030), fx, fy, 2.6f * k, 2.6f * k, 0.6f));
    }
  }
}

// Tree stumps of a woodcutter's clearing, one with its axe in it.
void Stump(Scene& s, float x, float y, float r, bool axe) {
  const Col bark = s.pal.wood * 0.65f;
  s.cv.Fill(Ellipse(x + r * 0.3f, y + 2, r * 1.5f, r * 0.3f), Hex(0x000000), 0.3f, 4);
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Capsule(x, y - 2, x + side * r * 1.3f, y + 2, r * 0.25f, r * 0.1f), bark);
  s.cv.Fill(Box(x - r, y - r * 0.9f, x + r, y),
            Textured(Linear(x - r, 0, bark * 1.4f, x + r, 0, bark * 0.6f), 0.3f, 3, s.seed + 5));
  const float ty = y - r * 0.9f;
  s.cv.Fill(Ellipse(x, ty, r, r * 0.32f), bark);
  const Col pale = Hex(0xd8b880);
  s.cv.Fill(Ellipse(x, ty, r * 0.88f, r * 0.27f), [=](float px, float py) {
    const float d = std::hypot((px - x) / r, (py - ty) / (r * 0.3f));
    return pale * (0.85f + 0.15f * std::sin(d * 24.f)) * (1.05f - 0.2f * d);
  });
  if (axe) {
    s.cv.Fill(Line(x + r * 0.1f, ty - 2, x + r * 0.9f, ty - r * 1.4f, 2.2f), s.pal.wood * 1.3f);
    s.cv.Fill(
        Poly({x - r * 0.25f, ty + 2, x + r * 0.35f, ty - 2, x + r * 0.3f, ty - r * 0.45f, x - r * 0.2f, ty - r * 0.3f}),
        Linear(x - r * 0.3f, 0, Hex(0xc8ccd2), x + r * 0.4f, 0, Hex(0x5a5e66)));
  }
}

void Stumps(Scene& s, const Element& e) {
  const float k = e.Num("s", 1);
  Stump(s, 250, 262, 18 * k, false);
  Stump(s, 380, 250, 13 * k, false);
  Stump(s, 495, 292, 28 * k, true);
  Stump(s, 205, 300, 22 * k, false);
}

// Wood chips scattered over the ground.
void Chips(Scene& s, const Element& e) {
  Rng g(s.seed + 521);
  for (int i = 0; i < static_cast<int>(e.Num("n", 160)); ++i) {
    const float y = g.Range(s.horizon + 15, 372), x = g.Range(170, 600), t = (y - s.horizon) / 160.f;
    const float l = (2 + 5 * t) * g.Range(0.6f, 1.4f), a = g.Range(0, 3.14f);
    s.cv.Fill(Line(x, y, x + std::cos(a) * l, y + std::sin(a) * l * 0.4f, 0.6f + 1.2f * t),
              Mix(Hex(0xe8cc90), Hex(0xa07a48), g.Uni()));
  }
}

// A fallen oak: its trunk lying across the picture and its torn-up roots
// reaching into the air like fingers.
void FallenOak(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 290);
  const Col bark = Hex(0x5a4632);
  const float rx = x + 120, ry = y - 30;
  // The root plate: a disc of earth with roots clawing upward.
  s.cv.Fill(Rough(Ellipse(rx, ry - 20, 52, 78), 8, 14, s.seed + 531),
            Textured(Rounded(Hex(0x4a3624), rx - 10, ry - 40, 52, 78, 0.5f), 0.4f, 6, s.seed + 532));
  Rng g(s.seed + 533);
  for (int i = 0; i < 9; ++i) {
    const float a = -2.6f + i * 0.32f + g.Range(-0.1f, 0.1f);
    const float ax = rx + std::cos(a) * 40, ay = ry - 20 + std::sin(a) * 65;
    float px = ax, py = ay, ang = a, w = 9;
    for (int j = 0; j < 5; ++j) {
      const float len = g.Range(22, 36);
      ang += g.Range(-0.35f, 0.35f);
      const float qx = px + std::cos(ang) * len, qy = py + std::sin(ang) * len;
      s.cv.Fill(Capsule(px, py, qx, qy, w, w * 0.7f), Linear(px - 6, py - 6, bark * 1.7f, px + 6, py + 6, bark * 0.7f));
      px = qx;
      py = qy;
      w *= 0.72f;
    }
    // A knuckled fingertip.
    s.cv.Fill(Circle(px, py, w + 0.6f), bark * 0.8f);
  }
  // The trunk, lying towards the left, with the stubs of broken limbs.
  s.cv.Fill(Ellipse(x - 20, y + 8, 170, 12), Hex(0x000000), 0.35f, 6);
  s.cv.Fill(Capsule(rx - 20, ry, x - 170, y - 20, 34, 24), [=](float px, float py) {
    const float ridge = 0.8f + 0.3f * std::sin(py / 3.f + 2 * Fbm(px / 20.f, py / 8.f, 7, 3));
    return Mix(bark * 1.35f, bark * 0.5f, Clamp01((py - (y - 60)) / 70.f)) * ridge;
  });
  s.cv.Fill(Capsule(x - 60, y - 40, x - 90, y - 110, 9, 5), bark * 1.1f);
  s.cv.Fill(Capsule(x - 130, y - 36, x - 120, y - 84, 7, 4), bark);
  s.cv.Fill(Capsule(x + 10, y - 44, x + 40, y - 92, 8, 4), bark * 0.9f);
  // Ivy and moss along its back.
  for (int i = 0; i < 24; ++i) {
    const float t = g.Uni(), px = x - 170 + (rx - 20 - (x - 170)) * t,
                py = y - 20 + (ry - (y - 20)) * t - g.Range(18, 30);
    s.cv.Fill(Ellipse(px, py, 6, 3), Mix(s.pal.leaf, s.pal.leafDark, g.Uni()), 0.9f);
  }
}

// Small birds: some flying, some perched, against whatever is behind.
void Birds(Scene& s, const Element& e) {
  Rng g(s.seed + 541);
  const int n = static_cast<int>(e.Num("n", 7));
  const Col colours[] = {Hex(0x6a4a2a), Hex(0xc84a20), Hex(0x3a5a9a), Hex(0xe0c040), Hex(0x2a2a2a)};
  for (int i = 0; i < n; ++i) {
    const float x = g.Range(200, 580), y = g.Range(25, s.horizon - 60), k = g.Range(1.3f, 2.0f);
    const Col c = colours[g.Int(0, 4)];
    const bool up = g.Uni() < 0.5f;
    const float dir = g.Uni() < 0.5f ? -1.f : 1.f;
    s.cv.Fill(Ellipse(x, y, 6 * k, 3.5f * k), Rounded(c, x, y, 6 * k, 3.5f * k));
    s.cv.Fill(Circle(x + dir * 6 * k, y - 2 * k, 2.8f * k), c);
    s.cv.Fill(Poly({x + dir * 8.5f * k, y - 3 * k, x + dir * 12 * k, y - 2 * k, x + dir * 8.5f * k, y - 1 * k}),
              Hex(0xe0a020));
    s.cv.Fill(Poly({x - dir * 5 * k, y, x - dir * 12 * k, y - 3 * k, x - dir * 11 * k, y + 2 * k}), c * 0.8f);
    const float wy = up ? y - 12 * k : y + 9 * k;
    s.cv.Fill(Poly({x - 3 * k, y - 1, x + 3 * k, y - 1, x - dir * 4 * k, wy}), c * 0.7f);
  }
  // Notes of song rising from them.
  for (int i = 0; i < static_cast<int>(e.Num("song", 3)); ++i) {
    const float x = g.Range(230, 560), y = g.Range(30, s.horizon - 80);
    s.cv.Fill(Ellipse(x, y, 3, 2.2f), Hex(0xfff4d0), 0.8f);
    s.cv.Fill(Line(x + 2.6f, y, x + 2.6f, y - 10, 0.6f), Hex(0xfff4d0), 0.8f);
    s.cv.Fill(Line(x + 2.6f, y - 10, x + 6, y - 7, 0.6f), Hex(0xfff4d0), 0.8f);
  }
}

// Old bones: a skull, ribs and long bones in a heap.
void Bones(Scene& s, const Element& e) {
  const float x = e.Num("x", 360), y = e.Num("y", 300), k = e.Num("s", 1);
  Rng g(s.seed + 551 + static_cast<uint32_t>(x));
  const Col bone = Hex(0xe4dcc4);
  s.cv.Fill(Ellipse(x, y + 4 * k, 48 * k, 8 * k), Hex(0x000000), 0.3f, 4);
  for (int i = 0; i < 6; ++i) {
    const float a = g.Range(-0.6f, 0.6f) + (i % 2) * 3.14159f / 2.5f, l = g.Range(16, 30) * k;
    const float bx = x + g.Range(-34, 34) * k, by = y + g.Range(-6, 4) * k;
    const float ax = bx - std::cos(a) * l, ay = by - std::sin(a) * l * 0.4f, cx = bx + std::cos(a) * l,
                cy = by + std::sin(a) * l * 0.4f;
    s.cv.Fill(Union(Line(ax, ay, cx, cy, 2.2f * k), Union(Circle(ax, ay, 3.6f * k), Circle(cx, cy, 3.6f * k))),
              Rounded(bone, bx, by - 2, l, 4 * k, 0.4f));
  }
  // Ribs.
  for (int i = 0; i < 4; ++i) {
    const float rx = x + 18 * k + i * 6 * k;
    s.cv.Fill(Cut(Ellipse(rx, y - 2 * k, 5 * k, 9 * k), Union(Ellipse(rx, y - 2 * k, 3.5f * k, 7.5f * k),
                                                              Box(rx - 6 * k, y - 2 * k, rx + 6 * k, y + 12 * k))),
              bone * 0.9f);
  }
  // The skull.
  const float sx = x - 18 * k, sy = y - 6 * k;
  s.cv.Fill(Union(Circle(sx, sy, 9 * k), Box(sx - 5 * k, sy, sx + 5 * k, sy + 9 * k, 2 * k)),
            Rounded(bone, sx - 2 * k, sy - 2 * k, 9 * k, 9 * k, 0.5f));
  s.cv.Fill(Circle(sx - 3.5f * k, sy + 1 * k, 2.4f * k), Hex(0x1a1410));
  s.cv.Fill(Circle(sx + 3.5f * k, sy + 1 * k, 2.4f * k), Hex(0x1a1410));
  s.cv.Fill(Poly({sx, sy + 3.5f * k, sx - 1.2f * k, sy + 6 * k, sx + 1.2f * k, sy + 6 * k}), Hex(0x1a1410));
}

// A mossy dell: moss-covered rocks and a log, and cushions of bright moss.
void Moss(Scene& s, const Element&) {
  Rng g(s.seed + 561);
  const Col moss = Hex(0x5a8a30), mossDark = Hex(0x24401a);
  const uint32_t sd = s.seed + 562;
  auto mossy = [&](Shape sh, float cx, float cy, float r) {
    s.cv.Fill(sh, [=](float px, float py) {
      const float n = Fbm(px / 5.f, py / 5.f, sd, 3);
      const float lit = Clamp01(0.8f - (px - cx) / (r * 2) - (py - cy) / (r * 1.5f));
      return Mix(mossDark, moss * 1.1f, lit * 0.45f + n * 0.6f) * (0.85f + 0.3f * Fbm(px / 2.f, py / 2.f, sd + 1, 2));
    });
  };
  // Tiny stalks and seed capsules rising from a cushion.
  auto stalks = [&](float cx, float cy, float r, int n) {
    for (int i = 0; i < n; ++i) {
      const float px = cx + g.Range(-r, r), py = cy + g.Range(-0.2f, 0.2f) * r, l = g.Range(4, 9) * (0.5f + r / 40);
      s.cv.Fill(Line(px, py, px + g.Range(-1, 1), py - l, 0.4f), Hex(0x8a4a2a), 0.9f);
      s.cv.Fill(Ellipse(px, py - l, 0.9f, 1.5f), Hex(0xc08040));
    }
  };
  // The hollow of the dell: the ground sinks and darkens towards its middle.
  s.cv.Fill(Ellipse(390, s.horizon + 70, 260, 60), Hex(0x10200c), 0.25f, 40);
  // Stones wearing caps of moss.
  const struct { float x, y, r; } rocks[] = {{215, 262, 26}, {520, 268, 34}, {565, 330, 40}, {250, 322, 30}};
  for (const auto& rk : rocks) {
    Boulder(s, rk.x, rk.y, rk.r * 1.3f, rk.r, s.pal.rock);
    mossy(Rough(Intersect(Ellipse(rk.x - rk.r * 0.1f, rk.y - rk.r * 0.35f, rk.r * 1.2f, rk.r * 0.75f),
                          Ellipse(rk.x, rk.y, rk.r * 1.3f, rk.r)),
                2.5f, 5, sd + static_cast<uint32_t>(rk.x)),
          rk.x, rk.y - rk.r * 0.6f, rk.r);
    stalks(rk.x, rk.y - rk.r * 0.85f, rk.r * 0.6f, 6);
  }
  // A fallen log across the back of the dell, moss over its upper half.
  const float ly = s.horizon + 16;
  s.cv.Fill(Capsule(230, ly + 2, 520, ly - 6, 15, 13),
            Textured(Linear(0, ly - 14, s.pal.wood * 0.9f, 0, ly + 14, s.pal.wood * 0.4f), 0.35f, 4, sd + 2));
  mossy(Rough(Intersect(Capsule(230, ly + 2, 520, ly - 6, 16, 14), Box(200, ly - 30, 540, ly + 1)), 2, 6, sd + 3), 360,
        ly - 14, 120);
  LogEnd(s, 522, ly - 6, 12, s.pal.wood);
  stalks(375, ly - 16, 120, 20);
  // Cushions of moss on the floor.
  for (int i = 0; i < 12; ++i) {
    const float y = g.Range(s.horizon + 25, 370), x = g.Range(175, 600), t = (y - s.horizon) / 160.f;
    if (x > 270 && x < 470 && y > 295) continue;
    const float r = 6 + 14 * t;
    mossy(Rough(Intersect(Ellipse(x, y, r * 1.6f, r * 0.7f), Box(x - r * 2, y - r, x + r * 2, y + r * 0.35f)),
                r * 0.12f, r * 0.3f, sd + static_cast<uint32_t>(i + 10)),
          x, y - r * 0.3f, r);
    stalks(x, y - r * 0.4f, r, 3);
  }
}

// Rays of sunlight fanning down from the sun across the picture.
void Sunbeams(Scene& s, const Element& e) {
  const float sx = e.Num("x", 470), sy = e.Num("y", 40);
  Rng g(s.seed + 571);
  for (int i = 0; i < 9; ++i) {
    const float a = 1.2f + i * 0.22f + g.Range(-0.06f, 0.06f), spread = g.Range(0.03f, 0.07f);
    const float len = 520;
    s.cv.Fill(Poly({sx, sy, sx + std::cos(a - spread) * len, sy + std::sin(a - spread) * len,
                    sx + std::cos(a + spread) * len, sy + std::sin(a + spread) * len}),
              Hex(0xfff2c0), g.Range(0.08f, 0.16f), 14);
  }
  s.AddLight(sx, sy, 140, Hex(0xfff0b0));
}

// A woodsman's lodge of logs, with a stout door jammed in its frame.
void Lodge(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 280), k = e.Num("s", 1);
  const float w = 240 * k, h = 100 * k;
  const Col log = Hex(0x7a5a38);
  s.cv.Fill(Ellipse(x + 10, y + 4, w * 0.6f, 10 * k), Hex(0x000000), 0.3f, 6);
  // Chimney of stones behind the roof.
  s.cv.Fill(Box(x + w * 0.28f, y - h - 90 * k, x + w * 0.4f, y - h),
            Stones(s.pal.rock, s.pal.rockDark, 10 * k, 6 * k, s.seed + 581));
  for (int i = 0; i < 4; ++i)
    s.cv.Fill(Circle(x + w * 0.36f + i * 9 * k, y - h - 100 * k - i * 16 * k, (7 + i * 4) * k), Hex(0xd8d8d8), 0.35f,
              6);
  // Walls of round logs, their ends showing at the corners.
  for (int i = 0; i < 8; ++i) {
    const float ly = y - (i + 0.5f) * h / 8, r = h / 16;
    s.cv.Fill(Capsule(x - w / 2, ly, x + w / 2, ly, r, r), Linear(0, ly - r, log * 1.3f, 0, ly + r, log * 0.55f));
    LogEnd(s, x - w / 2 - 4 * k, ly, r * 1.1f, log);
    LogEnd(s, x + w / 2 + 4 * k, ly, r * 1.1f, log);
  }
  // The roof: a gable of shingles.
  s.cv.Fill(Poly({x - w / 2 - 22 * k, y - h + 4 * k, x, y - h - 70 * k, x + w / 2 + 22 * k, y - h + 4 * k}),
            [=](float px, float py) {
              const float row = std::floor(py / (9 * k)), off = (static_cast<int>(row) % 2) * 6 * k;
              const float f = (px + off) / (12 * k) - std::floor((px + off) / (12 * k));
              const float shade = px < x ? 1.f : 0.7f;
              return Hex(0x5a4a3a) * (shade * (0.8f + 0.25f * Noise(std::floor((px + off) / (12 * k)), row, 5)) *
                                      (f < 0.1f ? 0.6f : 1.f) * (py / (9 * k) - row < 0.15f ? 0.65f : 1.f));
            });
  // The door, swollen tight in its frame, and a window with shutters.
  s.cv.Fill(Box(x - 26 * k, y - 78 * k, x + 26 * k, y), Hex(0x2a1c10));
  s.cv.Fill(Box(x - 22 * k, y - 74 * k, x + 22 * k, y), Planks(Hex(0x6a4a2a), 11 * k, true, s.seed + 582));
  for (float by : {y - 60 * k, y - 18 * k})
    s.cv.Fill(Box(x - 22 * k, by - 3 * k, x + 22 * k, by + 3 * k), Hex(0x2a2a2e));
  s.cv.Fill(Circle(x + 14 * k, y - 38 * k, 3 * k), Hex(0x2a2a2e));
  s.cv.Fill(Line(x - 22 * k, y - 74 * k, x + 22 * k, y - 73 * k, 1.5f * k), Hex(0x120c08));
  for (float wx : {x - w * 0.3f, x + w * 0.3f}) {
    s.cv.Fill(Box(wx - 16 * k, y - 70 * k, wx + 16 * k, y - 42 * k), Hex(0x1e242c));
    s.cv.Fill(Line(wx, y - 70 * k, wx, y - 42 * k, 1.5f * k), log * 0.6f);
    s.cv.Fill(Box(wx - 26 * k, y - 72 * k, wx - 16 * k, y - 40 * k), Planks(Hex(0x4a6a3a), 5 * k, true, s.seed + 583));
    s.cv.Fill(Box(wx + 16 * k, y - 72 * k, wx + 26 * k, y - 40 * k), Planks(Hex(0x4a6a3a), 5 * k, true, s.seed + 584));
  }
}

// A woodpile: split logs stacked end-on between two stakes.
void Woodpile(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 300), k = e.Num("s", 1);
  Rng g(s.seed + 591 + static_cast<uint32_t>(x));
  const float r = 10 * k;
  const int rows = 6;
  s.cv.Fill(Ellipse(x + 6 * k, y + 3, 100 * k, 8 * k), Hex(0x000000), 0.35f, 5);
  s.cv.Fill(Poly({x - 88 * k, y, x + 88 * k, y, x + 60 * k, y - rows * r * 1.75f, x - 60 * k, y - rows * r * 1.75f}),
            Hex(0x2a1c10));
  for (int row = 0; row < rows; ++row) {
    const float ly = y - r - row * r * 1.72f, half = 84 * k - row * 5 * k;
    for (float lx = x - half + r + (row % 2) * r; lx <= x + half - r; lx += r * 2.05f)
      LogEnd(s, lx + g.Range(-1.5f, 1.5f) * k, ly + g.Range(-1.5f, 1.5f) * k, r * g.Range(0.85f, 1.1f),
             s.pal.wood * g.Range(0.8f, 1.2f));
  }
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Line(x + side * 92 * k, y + 2, x + side * 86 * k, y - rows * r * 1.9f, 3 * k), s.pal.wood * 0.7f);
}

// Beetles crawling over the logs and buzzing about them.
void Beetles(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 250), spread = e.Num("spread", 110);
  Rng g(s.seed + 601);
  for (int i = 0; i < static_cast<int>(e.Num("n", 22)); ++i) {
    const float bx = x + g.Range(-spread, spread), by = y + g.Range(-70, 40), a = g.Range(0, 6.283f),
                k = g.Range(0.8f, 1.3f);
    const Frame f(bx, by, a);
    const bool flying = i % 4 == 0;
    const Col shell = Mix(Hex(0x1a2a1a), Hex(0x2a3a6a), g.Uni());
    if (flying) {
      s.cv.Fill(Ellipse(bx - 5 * k, by - 5 * k, 6 * k, 3 * k), Hex(0xe8f0f4), 0.5f);
      s.cv.Fill(Ellipse(bx + 5 * k, by - 5 * k, 6 * k, 3 * k), Hex(0xe8f0f4), 0.5f);
      for (int m = 1; m <= 3; ++m)
        s.cv.Fill(Line(bx - 10 * k - m * 5, by + m * 2, bx - 14 * k - m * 5, by + m * 2, 0.5f), Hex(0x202020), 0.5f);
    }
    for (int l = -1; l <= 1; ++l)
      for (int side = -1; side <= 1; side += 2)
        s.cv.Fill(Line(f.X(l * 2.5f * k, 0), f.Y(l * 2.5f * k, 0), f.X(l * 4 * k, side * 5.5f * k),
                       f.Y(l * 4 * k, side * 5.5f * k), 0.5f),
                  Hex(0x101010));
    s.cv.Fill(Poly(f.P({-5 * k, -3 * k, 3 * k, -3.2f * k, 5 * k, 0, 3 * k, 3.2f * k, -5 * k, 3 * k, -6 * k, 0})),
              Rounded(shell, bx - 1, by - 1, 5 * k, 3 * k, 0.3f));
    s.cv.Fill(Line(f.X(-5 * k, 0), f.Y(-5 * k, 0), f.X(3 * k, 0), f.Y(3 * k, 0), 0.4f), Hex(0x000000));
    s.cv.Fill(Circle(f.X(-2 * k, -1.2f * k), f.Y(-2 * k, -1.2f * k), 0.9f * k), Hex(0xa0c0e0), 0.8f);
  }
}

// A striped barrier pole across the road on two posts.
void Barrier(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", 280), w = e.Num("w", 300);
  const float x0 = x - w / 2, x1 = x + w / 2, py = y - 48;
  for (float px : {x0, x1}) {
    s.cv.Fill(Ellipse(px + 4, y + 2, 14, 4), Hex(0x000000), 0.3f, 3);
    s.cv.Fill(Box(px - 6, y - 60, px + 6, y), Linear(px - 6, 0, s.pal.wood * 1.3f, px + 6, 0, s.pal.wood * 0.6f));
  }
  s.cv.Fill(Capsule(x0 - 10, py, x1 + 14, py, 6, 6), [=](float px, float) {
    const bool red = static_cast<int>(std::floor((px - x0) / 22.f)) % 2 == 0;
    return red ? Hex(0xb82424) : Hex(0xeee8dc);
  });
  s.cv.Fill(Line(x0 - 10, py - 3, x1 + 14, py - 3, 1.5f), Hex(0xffffff), 0.3f);
  s.cv.Fill(Box(x0 - 22, py - 10, x0 - 6, py + 10, 2), Hex(0x3a3a3a));
  // A notice nailed to the post.
  s.cv.Fill(Box(x1 - 18, y - 40, x1 + 18, y - 16), Hex(0xd8c8a0));
  for (int i = 0; i < 3; ++i) s.cv.Fill(Line(x1 - 13, y - 34 + i * 6, x1 + 13, y - 34 + i * 6, 0.8f), Hex(0x3a2010));
}

// A sentry box: a narrow wooden hut, open at the front, striped like the barrier.
void Sentry(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 280), k = e.Num("s", 1);
  const float w = 56 * k, h = 120 * k;
  s.cv.Fill(Ellipse(x + 8, y + 3, w * 0.9f, 7 * k), Hex(0x000000), 0.3f, 4);
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), [=](float px, float py) {
    const bool red = static_cast<int>(std::floor((py - px * 0.2f) / (18 * k))) % 2 == 0;
    return (red ? Hex(0xa82a24) : Hex(0xe8e0d0)) * (0.7f + 0.4f * Clamp01((x + w / 2 - px) / w));
  });
  s.cv.Fill(Box(x - w / 2 + 8 * k, y - h + 20 * k, x + w / 2 - 8 * k, y),
            Linear(0, y - h, Hex(0x100c08), 0, y, Hex(0x3a2a1c)));
  s.cv.Fill(Poly({x - w / 2 - 8 * k, y - h + 2, x, y - h - 30 * k, x + w / 2 + 8 * k, y - h + 2}),
            Linear(x - w, 0, Hex(0x4a3a30), x + w, 0, Hex(0x2a1e18)));
  s.cv.Fill(Box(x - 10 * k, y - 56 * k, x + 10 * k, y - 50 * k), s.pal.wood);
  // A lantern hanging inside.
  s.cv.Fill(Box(x - 5 * k, y - h + 30 * k, x + 5 * k, y - h + 42 * k), Hex(0xffd070));
  s.AddLight(x, y - h + 36 * k, 40 * k, Hex(0xffb050));
}

// Ferns: arching fronds of paired leaflets.
void Fern(Scene& s, float x, float y, float k, uint32_t seed) {
  Rng g(seed);
  for (int f = 0; f < 7; ++f) {
    const float a = -3.14159f + 0.35f + f * (3.14159f - 0.7f) / 6 + g.Range(-0.1f, 0.1f);
    const float len = g.Range(45, 70) * k;
    const Col c = Mix(s.pal.leafDark * 1.3f, s.pal.leaf * 1.25f, g.Range(0.3f, 1.f));
    float px = x, py = y, ang = a;
    const int segs = 10;
    for (int i = 0; i < segs; ++i) {
      const float t = static_cast<float>(i) / segs;
      ang += (ang < -1.5708f ? -1.f : 1.f) * 0.06f;
      const float qx = px + std::cos(ang) * len / segs, qy = py + std::sin(ang) * len / segs + t * 2.5f * k;
      s.cv.Fill(Line(px, py, qx, qy, 0.9f * k), c * 0.7f);
      const float ll = (1 - t) * 9 * k + 2;
      for (int side = -1; side <= 1; side += 2)
        Leaf(s, qx, qy, ang + side * 1.2f, ll, ll * 0.3f, Flat(c * (side < 0 ? 1.1f : 0.85f)));
      px = qx;
      py = qy;
    }
  }
}

void Ferns(Scene& s, const Element& e) {
  Rng g(s.seed + 611);
  const struct {
    float x, y, k;
  } spots[] = {{200, 265, 0.7f}, {250, 300, 0.9f}, {520, 270, 0.8f}, {300, 258, 0.55f},
               {440, 262, 0.6f}, {560, 340, 1.4f}, {480, 320, 1.0f}, {390, 280, 0.6f}};
  const int n = static_cast<int>(e.Num("n", 8));
  for (int i = 0; i < n && i < 8; ++i) Fern(s, spots[i].x, spots[i].y, spots[i].k * e.Num("s", 1.35f), g.Int(1, 99999));
}

// A rickety shack of uneven boards under a sagging roof; its door battered
// and splintered.
void Shack(Scene& s, const Element& e) {
  const float x = e.Num("x", 500), y = e.Num("y", 265), k = e.Num("s", 1);
  const float w = 150 * k, h = 100 * k;
  Rng g(s.seed + 621);
  const Col wood = Hex(0x6a5a48);
  s.cv.Fill(Ellipse(x + 8, y + 4, w * 0.6f, 9 * k), Hex(0x000000), 0.3f, 5);
  for (float bx = x - w / 2; bx < x + w / 2; bx += 12 * k) {
    const float top = y - h + g.Range(-4, 6) * k, bw = 12 * k * g.Range(0.9f, 1.05f);
    s.cv.Fill(Box(bx, top, bx + bw, y),
              Textured(Flat(wood * g.Range(0.65f, 1.1f) * (bx < x ? 1.05f : 0.85f)), 0.25f, 3 * k, s.seed + 622));
    s.cv.Fill(Line(bx, top, bx, y, 0.7f * k), wood * 0.35f);
  }
  s.cv.Fill(Line(x - w / 2, y - h * 0.7f, x + w / 2, y - h * 0.72f, 2.5f * k), wood * 0.7f);
  s.cv.Fill(Poly({x - w / 2 - 16 * k, y - h + 8 * k, x - w * 0.1f, y - h - 38 * k, x + w * 0.1f, y - h - 34 * k,
                  x + w / 2 + 16 * k, y - h + 10 * k}),
            Planks(Hex(0x4a4038), 10 * k, true, s.seed + 623));
  s.cv.Fill(Box(x + w * 0.28f, y - h + 6 * k, x + w * 0.35f, y - h + 22 * k), Hex(0x1a1410));
  // The battered door: planks cracked, one hanging loose.
  const float dx = x + w * 0.1f, dw = 40 * k, dh = 78 * k;
  s.cv.Fill(Box(dx - dw / 2 - 3 * k, y - dh - 3 * k, dx + dw / 2 + 3 * k, y), Hex(0x120c08));
  for (int i = 0; i < 4; ++i) {
    const float px = dx - dw / 2 + i * dw / 4, tilt = i == 2 ? 5 * k : 0;
    s.cv.Fill(Poly({px + 1, y - dh + (i == 1 ? 16 * k : 0), px + dw / 4 - 1, y - dh, px + dw / 4 - 1 + tilt, y,
                    px + 1 + tilt, y}),
              Textured(Flat(Hex(0x5a4030) * (0.8f + 0.1f * i)), 0.3f, 3, s.seed + 624));
  }
  for (int i = 0; i < 6; ++i) {
    const float sx = dx + g.Range(-dw / 2, dw / 2), sy = y - g.Range(10, dh);
    s.cv.Fill(Poly({sx, sy, sx + g.Range(4, 10) * k, sy + g.Range(-4, 4), sx + 2, sy + 3}), Hex(0xc8a878));
  }
  s.cv.Fill(
      Poly({dx - dw / 2 + 4, y - dh + 2, dx - dw / 2 + 10 * k, y - dh + 16 * k, dx - dw / 2 + 2, y - dh + 30 * k}),
      Hex(0x120c08));
}

// Splinters of a broken-in door: shards strewn over the floor before it and
// jagged stumps of planks left in the frame.
void Splinters(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 300), dw = e.Num("w", 60);
  Rng g(s.seed + 681);
  const Col wood = s.pal.wood * 1.25f;
  const float top = WY1 - 120 + dw / 2;
  for (int side = -1; side <= 1; side += 2) {
    const float fx = x + side * dw / 2;
    for (int i = 0; i < 4; ++i) {
      const float py = top + 10 + i * 24;
      const float reach = g.Range(6, 16);
      s.cv.Fill(Poly({fx, py, fx, py + 18, fx - side * reach, py + g.Range(4, 14)}), wood * 0.9f);
    }
  }
  for (int i = 0; i < 26; ++i) {
    const float px = x + g.Range(-110, 110), py = g.Range(WY1 + 6, y - 2),
                l = g.Range(12, 30) * (0.7f + (py - WY1) / 60.f);
    const float a = g.Range(0, 3.14159f);
    const float ex = px + std::cos(a) * l, ey = py + std::sin(a) * l * 0.35f;
    s.cv.Fill(Poly({px, py - 2.5f, ex, ey, px + 2.5f, py + 3}),
              Linear(px, py - 2, Hex(0xe0c090), px, py + 3, wood * 0.7f));
  }
  // A large broken plank, still with an iron band.
  s.cv.Fill(Poly({x - 70, y - 22, x - 10, y - 34, x - 6, y - 24, x - 40, y - 14, x - 52, y - 8}),
            Planks(wood, 20, false, s.seed));
  s.cv.Fill(Line(x - 48, y - 20, x - 20, y - 27, 2), Hex(0x2a2a2e));
}

// Dark red stains running down the shack's door.
void Stains(Scene& s, const Element& e) {
  const float k = e.Num("s", 1.3f), x = e.Num("x", 420) + 150 * k * 0.1f, y = e.Num("y", 300);
  Rng g(s.seed + 631);
  for (int i = 0; i < 9; ++i) {
    const float sx = x + g.Range(-20, 20) * k, top = y - g.Range(40, 76) * k, len = g.Range(20, 60) * k;
    s.cv.Fill(Capsule(sx, top, sx + g.Range(-2, 2), top + len, g.Range(2, 4) * k, 1.2f * k), Hex(0x5a0a0a), 0.8f);
    s.cv.Fill(Circle(sx, top + len + 2 * k, 1.8f * k), Hex(0x4a0808), 0.8f);
  }
  s.cv.Fill(Ellipse(x, y + 4, 30 * k, 5 * k), Hex(0x3a0606), 0.6f, 3);
  // A putrid green reek seeping out under the door.
  for (int i = 0; i < 5; ++i)
    s.cv.Fill(Ellipse(x + g.Range(-40, 60), y - g.Range(0, 40) * k, g.Range(20, 40), 8), Hex(0x8aa040), 0.12f, 10);
}

// A cloud of buzzing flies.
void Flies(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 200), r = e.Num("r", 60);
  Rng g(s.seed + 641);
  for (int i = 0; i < static_cast<int>(e.Num("n", 40)); ++i) {
    const float a = g.Range(0, 6.283f), d = r * std::sqrt(g.Uni());
    const float fx = x + std::cos(a) * d * 1.4f, fy = y + std::sin(a) * d * 0.8f;
    s.cv.Fill(Ellipse(fx - 2, fy - 2.5f, 2.4f, 1.4f), Hex(0xa8b0b8), 0.4f);
    s.cv.Fill(Ellipse(fx + 2, fy - 2.5f, 2.4f, 1.4f), Hex(0xa8b0b8), 0.4f);
    s.cv.Fill(Ellipse(fx, fy, 2.6f, 1.9f), Hex(0x0c0c0c));
    if (i % 3 == 0) {
      const float b = g.Range(0, 6.283f);
      for (int j = 0; j < 3; ++j) {
        const float t0 = j * 0.5f;
        s.cv.Fill(Line(fx + std::cos(b + t0) * 6, fy + std::sin(b + t0) * 4, fx + std::cos(b + t0 + 0.3f) * 7,
                       fy + std::sin(b + t0 + 0.3f) * 5, 0.4f),
                  Hex(0x202020), 0.5f);
      }
    }
  }
}

// An old, crumbling stone wall across the picture, grown with ivy.
void Wall(Scene& s, const Element& e) {
  const float y = e.Num("y", 270), h = e.Num("h", 80), x0 = e.Num("x0", -10), x1 = e.Num("x1", 610);
  const uint32_t sd = s.seed + 651;
  std::vector<float> pts = {x0, y};
  for (float x = x0; x <= x1 + 10; x += 12) {
    const float n = Fbm(x / 60.f, 0.5f, sd, 3);
    const float top = y - h * (0.45f + 0.75f * n) + 10 * (Noise(x / 9.f, 3.5f, sd + 7) - 0.5f);
    pts.push_back(x);
    pts.push_back(top);
  }
  pts.push_back(x1 + 10);
  pts.push_back(y);
  s.cv.Fill(Rough(Poly(pts), 3, 6, sd + 3), [=](float px, float py) {
    return Stones(s.pal.rock * 1.05f, s.pal.rockDark * 0.8f, 24, 12, sd)(px, py) *
           (0.75f + 0.45f * Fbm(px / 30.f, py / 20.f, sd + 4, 3));
  });
  s.cv.Fill(Box(x0, y - 6, x1, y + 2), Hex(0x000000), 0.2f, 4);
  // Fallen stones at its foot and ivy hanging over it.
  Rng g(sd + 1);
  for (int i = 0; i < 6; ++i)
    Boulder(s, g.Range(x0 + 20, x1 - 20), y + g.Range(0, 8), g.Range(6, 11), g.Range(4, 7), s.pal.rock);
  for (int i = 0; i < 10; ++i) {
    const float ix = g.Range(x0, x1), iy = y - h * g.Range(0.5f, 0.9f);
    for (int j = 0; j < 10; ++j) {
      const float lx = ix + g.Range(-14, 14), ly = iy + j * g.Range(3, 6);
      s.cv.Fill(Ellipse(lx, ly, 4, 3), Mix(s.pal.leafDark, s.pal.leaf, g.Uni()), 0.95f);
    }
  }
}

// An old iron gate between stone pillars: spear-topped bars under a
// scrolled arch, streaked with rust.
void IronGate(Scene& s, const Element& e) {
  const float x = e.Num("x", 380), y = e.Num("y", 270), k = e.Num("s", 1);
  const float w = 110 * k, h = 120 * k;
  const Col iron = Hex(0x2a2a30), rust = Hex(0x8a4a22);
  for (int side = -1; side <= 1; side += 2) {
    const float px = x + side * (w / 2 + 14 * k);
    s.cv.Fill(Box(px - 16 * k, y - h - 30 * k, px + 16 * k, y),
              Stones(s.pal.rock * 1.1f, s.pal.rockDark, 14 * k, 9 * k, s.seed + 661));
    s.cv.Fill(Box(px - 20 * k, y - h - 38 * k, px + 20 * k, y - h - 28 * k), s.pal.rock * 1.2f);
  }
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), Hex(0x0a0c08), 0.25f, 2);
  for (float bx = x - w / 2 + 6 * k; bx <= x + w / 2 - 5 * k; bx += 11 * k) {
    const float top = y - h - 22 * k * std::sin(3.14159f * (bx - x + w / 2) / w);
    s.cv.Fill(Box(bx - 1.8f * k, top, bx + 1.8f * k, y), [=](float px, float py) {
      return Mix(iron, rust, Clamp01(Fbm(px / 2.f, py / 9.f, s.seed + 662, 3) * 1.6f - 0.5f));
    });
    s.cv.Fill(Poly({bx - 4 * k, top, bx, top - 10 * k, bx + 4 * k, top}), iron);
  }
  for (float ry : {y - h * 0.8f, y - h * 0.15f})
    s.cv.Fill(Box(x - w / 2, ry - 3 * k, x + w / 2, ry + 3 * k), Mix(iron, rust, 0.3f));
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Cut(Circle(x + side * 16 * k, y - h * 0.8f - 12 * k, 10 * k),
                  Circle(x + side * 16 * k, y - h * 0.8f - 12 * k, 7.5f * k)),
              iron);
  s.cv.Fill(Circle(x, y - h * 0.48f, 6 * k), rust);
}

// The werebear's dinner: a torn haunch on its bone, and gnawed scraps.
void Dinner(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 300), k = e.Num("s", 1);
  s.cv.Fill(Ellipse(x, y + 4, 60 * k, 9 * k), Hex(0x2a0a08), 0.5f, 4);
  s.cv.Fill(Line(x + 20 * k, y - 14 * k, x + 62 * k, y - 30 * k, 4 * k), Hex(0xe8dcc4));
  s.cv.Fill(Circle(x + 62 * k, y - 32 * k, 6 * k), Hex(0xe8dcc4));
  s.cv.Fill(Circle(x + 65 * k, y - 27 * k, 5 * k), Hex(0xe8dcc4));
  s.cv.Fill(Ellipse(x - 6 * k, y - 12 * k, 34 * k, 18 * k),
            Rounded(Hex(0x8a2a1a), x - 14 * k, y - 20 * k, 34 * k, 18 * k, 0.5f));
  s.cv.Fill(Ellipse(x - 16 * k, y - 18 * k, 14 * k, 6 * k), Hex(0xc86a50), 0.7f);
  s.cv.Fill(Ellipse(x + 20 * k, y - 14 * k, 8 * k, 10 * k), Hex(0xd8a090));
  for (int i = 0; i < 4; ++i) s.cv.Fill(Circle(x - 40 * k - i * 9 * k, y - 2 + (i % 2) * 3, 3 * k), Hex(0x6a1a10));
}

// The werebear rising out of the shadows behind its dinner: a hulking dark
// shape of fur with burning eyes and bared teeth.
void Eyes(Scene& s, const Element& e) {
  const float x = e.Num("x", 460), y = e.Num("y", 150), k = e.Num("s", 1);
  const Col fur = Hex(0x2e2018);
  if (e.Num("body", 1) > 0) {
    const uint32_t sd = s.seed + 671;
    auto furry = [=](float cx, float cy, float rx, float ry) {
      return Shader([=](float px, float py) {
        const float lit = Clamp01(0.7f - (px - cx) / (rx * 1.5f) - (py - cy) / (ry * 1.8f));
        return fur * (0.5f + 0.9f * lit) * (0.8f + 0.4f * Fbm(px / 3.f, py / 7.f, sd, 3));
      });
    };
    s.cv.Fill(Rough(Ellipse(x + 10 * k, y + 90 * k, 95 * k, 95 * k), 6, 6, sd), furry(x, y + 60 * k, 95 * k, 95 * k));
    for (int side = -1; side <= 1; side += 2) {
      s.cv.Fill(
          Rough(Capsule(x + side * 70 * k, y + 50 * k, x + side * 50 * k, y + 150 * k, 26 * k, 20 * k), 4, 5, sd + 1),
          furry(x + side * 60 * k, y + 90 * k, 30 * k, 60 * k));
      for (int c = -1; c <= 1; ++c)
        s.cv.Fill(Poly({x + side * 50 * k + c * 8 * k - 2, y + 164 * k, x + side * 50 * k + c * 8 * k + 2, y + 164 * k,
                        x + side * 50 * k + c * 9 * k, y + 178 * k}),
                  Hex(0xd8ccb0));
    }
    s.cv.Fill(Rough(Ellipse(x, y + 4 * k, 42 * k, 36 * k), 4, 5, sd + 2), furry(x, y, 42 * k, 36 * k));
    for (int side = -1; side <= 1; side += 2)
      s.cv.Fill(Circle(x + side * 30 * k, y - 28 * k, 11 * k), furry(x + side * 30 * k, y - 28 * k, 11 * k, 11 * k));
    s.cv.Fill(Ellipse(x, y + 22 * k, 22 * k, 16 * k), Rounded(Hex(0x4a3424), x, y + 18 * k, 22 * k, 16 * k));
    s.cv.Fill(Ellipse(x, y + 12 * k, 8 * k, 5 * k), Hex(0x0a0606));
    s.cv.Fill(Ellipse(x, y + 30 * k, 16 * k, 7 * k), Hex(0x3a0808));
    for (int t = -2; t <= 2; ++t) {
      const float tx = x + t * 6 * k;
      s.cv.Fill(Poly({tx - 2.5f * k, y + 24 * k, tx + 2.5f * k, y + 24 * k, tx, y + 31 * k + std::abs(t) * -1.f}),
                Hex(0xf0e8d0));
    }
  }
  for (int side = -1; side <= 1; side += 2) {
    const float ex = x + side * 16 * k, ey = y - 6 * k;
    s.cv.Fill(Poly({ex - 8 * k, ey + side * 0, ex + 8 * k, ey - side * 3 * k, ex + 7 * k, ey + 4 * k, ex - 7 * k,
                    ey + 4 * k}),
              Hex(0xffd040));
    s.cv.Fill(Ellipse(ex, ey + 1, 1.6f * k, 3.5f * k), Hex(0x200a00));
    s.AddLight(ex, ey, 26 * k, Hex(0xffa020));
  }
}

// ------------------------------------------------------------ the meadows

// Long grass rippling in the wind: bands of light rolling over the meadow and
// tall blades bent the same way.
void LongGrass(Scene& s, const Element& e) {
  const uint32_t sd = s.seed + 701;
  const float h = s.horizon;
  s.cv.Map([&](int x, int y, Col c) {
    if (y < h + 2) return c;
    const float t = (y - h) / (s.cv.H() - h);
    const float wave = std::sin(x / (40.f + 120 * t) - (y - h) / (6.f + 30 * t) + 2 * Fbm(x / 90.f, y / 30.f, sd, 3));
    return c * (0.9f + 0.22f * wave);
  });
  Rng g(sd + 1);
  const float lean = e.Num("lean", 0.45f);
  for (int i = 0; i < static_cast<int>(e.Num("n", 900)); ++i) {
    const float y = g.Range(h + 4, 376), t = (y - h) / (s.cv.H() - h), x = g.Range(-10, 610);
    const float len = 6 + 46 * t * g.Range(0.6f, 1.2f);
    const Col c = Mix(s.pal.leafDark, Mix(s.pal.leaf, s.pal.groundFar, 0.4f) * 1.3f, g.Uni());
    const float mx = x + lean * len * 0.35f, my = y - len * 0.55f, ex = x + lean * len, ey = y - len * 0.85f;
    s.cv.Fill(Line(x, y, mx, my, 0.4f + 1.0f * t), c, 0.9f);
    s.cv.Fill(Line(mx, my, ex, ey, 0.3f + 0.6f * t), c * 1.1f, 0.9f);
  }
}

// A sheep, facing the viewer, with a sidelong suspicious look.
void Sheep(Scene& s, float x, float y, float k, float dir, uint32_t seed) {
  Rng g(seed);
  const Col wool = Hex(0xeeeae0), face = Hex(0x2a2420);
  s.cv.Fill(Ellipse(x, y + 2 * k, 26 * k, 5 * k), Hex(0x000000), 0.3f, 3);
  for (int l = 0; l < 4; ++l)
    s.cv.Fill(Line(x - 14 * k + l * 9 * k, y - 8 * k, x - 14 * k + l * 9 * k, y, 2 * k), face);
  for (int i = 0; i < 9; ++i) {
    const float bx = x + g.Range(-16, 16) * k, by = y - g.Range(12, 24) * k, r = g.Range(7, 10) * k;
    s.cv.Fill(Circle(bx, by, r), Rounded(wool, bx - r * 0.3f, by - r * 0.3f, r, r, 0.35f));
  }
  const float hx = x + dir * 20 * k, hy = y - 20 * k;
  s.cv.Fill(Ellipse(hx - dir * 7 * k, hy - 5 * k, 5 * k, 2.5f * k), face);
  s.cv.Fill(Ellipse(hx + dir * 7 * k, hy - 5 * k, 5 * k, 2.5f * k), face);
  s.cv.Fill(Ellipse(hx, hy, 8 * k, 10 * k), Rounded(face, hx - 2 * k, hy - 3 * k, 8 * k, 10 * k, 0.3f));
  s.cv.Fill(Circle(hx, hy - 9 * k, 6 * k), wool);
  // Narrowed eyes, pupils turned towards the viewer's left.
  for (int side = -1; side <= 1; side += 2) {
    const float ex = hx + side * 3.6f * k, ey = hy - 2 * k;
    s.cv.Fill(Ellipse(ex, ey, 2.6f * k, 1.5f * k), Hex(0xf4f0d8));
    s.cv.Fill(Circle(ex - 1.1f * k, ey + 0.2f * k, 1.0f * k), Hex(0x000000));
    s.cv.Fill(
        Line(ex - 2.8f * k, ey - 1.6f * k + side * 0.6f * k, ex + 2.8f * k, ey - 1.6f * k - side * 0.6f * k, 0.6f * k),
        face * 0.5f);
  }
}

void SheepE(Scene& s, const Element& e) {
  Rng g(s.seed + 711);
  const struct {
    float x, y, k;
  } spots[] = {{230, 232, 0.5f}, {330, 226, 0.4f}, {420, 238, 0.55f}, {520, 230, 0.45f},
               {260, 270, 0.8f}, {510, 285, 1.1f}, {570, 250, 0.7f},  {210, 330, 1.4f}};
  const int n = static_cast<int>(e.Num("n", 8));
  for (int i = 0; i < n && i < 8; ++i)
    Sheep(s, spots[i].x, spots[i].y, spots[i].k, g.Uni() < 0.5f ? -1.f : 1.f, g.Int(1, 99999));
}

// The ruin of a shepherd's hut seen from inside: broken dry-stone walls, a
// fallen rafter, grass and the open sky above.
void HutRuin(Scene& s, const Element& e) {
  const float x = e.Num("x", 360), y = e.Num("y", 280);
  const uint32_t sd = s.seed + 721;
  auto stones = [&](float px, float py) {
    return Stones(s.pal.rock, s.pal.rockDark * 0.7f, 20, 11, sd)(px, py) *
           (0.8f + 0.35f * Fbm(px / 25.f, py / 20.f, sd + 1, 3));
  };
  // The back wall, broken along its top, with a doorway.
  std::vector<float> back = {x - 170, y};
  for (int i = 0; i <= 14; ++i) {
    const float px = x - 170 + i * 340 / 14.f;
    back.push_back(px);
    back.push_back(y - 60 - 50 * Fbm(px / 50.f, 0.5f, sd + 2, 3) - (i > 9 && i < 13 ? -25 : 0));
  }
  back.push_back(x + 170);
  back.push_back(y);
  s.cv.Fill(Rough(Poly(back), 3, 6, sd + 3), stones);
  s.cv.Fill(Union(Box(x - 22, y - 70, x + 22, y), Circle(x, y - 70, 22)), Mix(s.pal.skyLow, s.pal.groundFar, 0.6f));
  s.cv.Fill(Box(x - 22, y - 12, x + 22, y), s.pal.groundFar * 0.9f);
  s.cv.Fill(Box(x - 30, y - 96, x + 30, y - 88), s.pal.wood * 0.8f);
  // The right-hand wall running towards us, and a stump of the left.
  s.cv.Fill(Rough(Poly({x + 170, y, x + 170, y - 95, 620, y - 140, 620, 380, x + 170, 380}), 4, 8, sd + 4), stones);
  s.cv.Fill(Rough(Poly({x - 170, y, x - 170, y - 50, 180, y - 20, 180, y + 20}), 4, 8, sd + 5), stones);
  // A fallen rafter leaning in a corner, and grass growing through.
  s.cv.Fill(Line(x + 60, y + 6, x + 165, y - 110, 6), Textured(Flat(s.pal.wood * 0.7f), 0.3f, 4, sd));
  Rng g(sd + 6);
  for (int i = 0; i < 120; ++i) {
    const float gx = g.Range(x - 170, 610), gy = y + g.Range(-4, 4);
    s.cv.Fill(Line(gx, gy, gx + g.Range(-3, 3), gy - g.Range(4, 14), 0.7f), Mix(s.pal.leafDark, s.pal.leaf, g.Uni()));
  }
  for (int i = 0; i < 5; ++i)
    Boulder(s, g.Range(x - 140, x + 140), y + g.Range(12, 26), g.Range(8, 14), g.Range(5, 8), s.pal.rock);
}

// A grassy hill rising across the whole picture.
void Hillside(Scene& s, const Element& e) {
  const float top = e.Num("y", 70), foot = e.Num("foot", 300);
  const uint32_t sd = s.seed + 731;
  s.cv.Map([&](int x, int y, Col c) {
    const float ridge = top + 60 * std::pow((x - 330.f) / 330.f, 2.f) * 2 + 12 * (Fbm(x / 60.f, 0.3f, sd, 3) - 0.5f);
    if (y < ridge) return c;
    const float t = Clamp01((y - ridge) / (foot - top + 75));
    const float n = Fbm(x / (20.f + 30 * t), y / (8.f + 12 * t), sd + 1, 4);
    Col g = Mix(Haze(s, s.pal.groundFar, 0.2f), s.pal.ground, Smooth(0, 0.7f, t)) * (0.8f + 0.4f * n);
    return Mix(g, g * 1.25f, Clamp01(1 - (y - ridge) / 5.f));
  });
  Rng g(sd + 2);
  for (int i = 0; i < 300; ++i) {
    const float y = g.Range(top + 20, 372), x = g.Range(0, 600), t = (y - top) / 300.f;
    s.cv.Fill(Line(x, y, x + g.Range(-2, 2), y - 3 - 9 * t, 0.5f + 0.7f * t),
              Mix(s.pal.leafDark, s.pal.leaf * 1.2f, g.Uni()), 0.8f);
  }
  for (int i = 0; i < 5; ++i) {
    const float x = g.Range(170, 600), y = g.Range(top + 90, 330);
    if (x > 260 && x < 470) continue;
    Boulder(s, x, y, g.Range(8, 16), g.Range(5, 10), s.pal.rock);
  }
}

// A stone door set into the hill, carved with a man's face whose left eye is
// a black hole.
void StoneDoor(Scene& s, const Element& e) {
  const float x = e.Num("x", 360), y = e.Num("y", 260), k = e.Num("s", 1);
  const float w = 100 * k, h = 140 * k;
  const Col stone = s.pal.rock * 1.1f;
  const uint32_t sd = s.seed + 741;
  s.cv.Fill(Rough(Ellipse(x, y - h * 0.45f, w * 1.0f, h * 0.75f), 6, 10, sd), Hex(0x2a2a22), 0.5f, 10);
  // Lintel and jambs.
  for (int side = -1; side <= 1; side += 2)
    s.cv.Fill(Box(x + side * (w / 2 + 6 * k) - 10 * k, y - h, x + side * (w / 2 + 6 * k) + 10 * k, y),
              Textured(Rounded(stone, x + side * w / 2, y - h / 2, 12 * k, h / 2, 0.4f), 0.3f, 4, sd));
  s.cv.Fill(Box(x - w / 2 - 24 * k, y - h - 22 * k, x + w / 2 + 24 * k, y - h),
            Textured(Linear(0, y - h - 22 * k, stone * 1.2f, 0, y - h, stone * 0.7f), 0.3f, 4, sd + 1));
  // The slab.
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), [=](float px, float py) {
    return stone * (0.7f + 0.3f * Clamp01((x + w / 2 - px) / w)) * (0.8f + 0.35f * Fbm(px / 8.f, py / 8.f, sd + 2, 4));
  });
  // The face: brows, eyes, nose, mouth, a beard, cut into the stone.
  const float fy = y - h * 0.6f;
  const Col cut = stone * 0.45f, hi = stone * 1.3f;
  for (int side = -1; side <= 1; side += 2) {
    s.cv.Fill(Capsule(x + side * 34 * k, fy - 16 * k, x + side * 8 * k, fy - 12 * k, 3.5f * k, 2.5f * k), cut);
    s.cv.Fill(Capsule(x + side * 34 * k, fy - 18 * k, x + side * 8 * k, fy - 14 * k, 1.5f * k, 1 * k), hi, 0.6f);
  }
  // The man's right eye (on our left) is carved; his left eye is a hole.
  s.cv.Fill(Ellipse(x - 20 * k, fy, 11 * k, 6 * k), cut);
  s.cv.Fill(Ellipse(x - 20 * k, fy, 8 * k, 4 * k), stone * 0.9f);
  s.cv.Fill(Circle(x - 20 * k, fy, 3 * k), cut);
  s.cv.Fill(Ellipse(x + 20 * k, fy, 11 * k, 7 * k), stone * 0.4f);
  s.cv.Fill(Ellipse(x + 20 * k, fy + 0.5f * k, 9 * k, 5.5f * k), Hex(0x020202));
  s.cv.Fill(Poly({x, fy + 2 * k, x + 8 * k, fy + 26 * k, x - 6 * k, fy + 26 * k}),
            Linear(x - 6 * k, 0, hi, x + 8 * k, 0, cut));
  s.cv.Fill(Capsule(x - 18 * k, fy + 38 * k, x + 18 * k, fy + 38 * k, 3 * k, 3 * k), cut);
  for (int i = -3; i <= 3; ++i)
    s.cv.Fill(Line(x + i * 7 * k, fy + 46 * k, x + i * 8 * k, fy + 66 * k, 1.2f * k), cut, 0.8f);
  s.cv.Fill(Line(x - w / 2 + 4, y - 2, x + w / 2 - 4, y - 2, 2), Hex(0x000000), 0.5f);
}

// Daylight at the end of the tunnel, with the old graves beyond it.
void LightEnd(Scene& s, const Element& e) {
  const float x = e.Num("x", 320), y = e.Num("y", 170), rx = e.Num("rx", 34), ry = e.Num("ry", 42);
  const uint32_t sd = s.seed + 751;
  Shape hole = Rough(Ellipse(x, y, rx, ry), 3, 8, sd);
  s.cv.Fill(hole, [=](float px, float py) {
    if (py < y + 8) return Mix(Hex(0xf4f6f0), Hex(0xc8d4dc), Clamp01((py - y + ry) / ry));
    return Mix(Hex(0x9aa870), Hex(0x6a7a48), Clamp01((py - y - 8) / ry));
  });
  // Headstones standing in the grass beyond.
  const float gx[] = {-20, -6, 10, 22}, gh[] = {12, 9, 14, 8};
  for (int i = 0; i < 4; ++i) {
    const float px = x + gx[i], py = y + 12 + (i % 2) * 3, hh = gh[i];
    s.cv.Fill(Intersect(Union(Box(px - 3.5f, py - hh + 3.5f, px + 3.5f, py), Circle(px, py - hh + 3.5f, 3.5f)), hole),
              Hex(0x5a5a60));
  }
  s.cv.Fill(Intersect(Line(x + 14, y + 10, x + 20, y - 18, 1.2f), hole), Hex(0x3a3028));
  s.AddLight(x, y, rx * 5, Hex(0xf0f4ff));
  // The light spilling along the tunnel floor towards us.
  s.cv.Fill(Poly({x - rx * 0.6f, y + ry * 0.8f, x + rx * 0.6f, y + ry * 0.8f, x + 110, 380, x - 110, 380}),
            Hex(0xe8ecf0), 0.12f, 20);
}

// A stone crypt: steps, columns, a gable and a dark iron door.
void Crypt(Scene& s, const Element& e) {
  const float x = e.Num("x", 510), y = e.Num("y", 260), k = e.Num("s", 1);
  const float w = 150 * k, h = 110 * k;
  const Col stone = Mix(s.pal.rock, s.pal.wall, 0.3f) * 1.05f;
  const uint32_t sd = s.seed + 761 + static_cast<uint32_t>(x);
  s.cv.Fill(Ellipse(x + 10, y + 4, w * 0.65f, 10 * k), Hex(0x000000), 0.3f, 6);
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), [=](float px, float py) {
    return Stones(stone, s.pal.rockDark, 22 * k, 11 * k, sd)(px, py) * (0.7f + 0.45f * Clamp01((x + w / 2 - px) / w)) *
           (0.8f + 0.3f * Fbm(px / 20.f, py / 20.f, sd, 3));
  });
  s.cv.Fill(Poly({x - w / 2 - 12 * k, y - h, x, y - h - 50 * k, x + w / 2 + 12 * k, y - h}),
            Linear(x - w / 2, 0, stone * 1.2f, x + w / 2, 0, stone * 0.6f));
  s.cv.Fill(Poly({x - w / 2 + 8 * k, y - h - 6 * k, x, y - h - 40 * k, x + w / 2 - 8 * k, y - h - 6 * k}),
            stone * 0.7f);
  s.cv.Fill(Line(x, y - h - 52 * k, x, y - h - 80 * k, 3 * k), stone);
  s.cv.Fill(Line(x - 10 * k, y - h - 70 * k, x + 10 * k, y - h - 70 * k, 3 * k), stone);
  for (int side = -1; side <= 1; side += 2)
    for (int c = 0; c < 2; ++c) {
      const float cx = x + side * (w / 2 - 10 * k - c * 26 * k);
      s.cv.Fill(Box(cx - 7 * k, y - h + 4 * k, cx + 7 * k, y - 4 * k),
                Linear(cx - 7 * k, 0, stone * 1.35f, cx + 7 * k, 0, stone * 0.6f));
    }
  s.cv.Fill(Union(Box(x - 22 * k, y - 70 * k, x + 22 * k, y), Circle(x, y - 70 * k, 22 * k)), Hex(0x141418));
  s.cv.Fill(Union(Box(x - 18 * k, y - 68 * k, x + 18 * k, y), Circle(x, y - 68 * k, 18 * k)),
            Planks(Hex(0x3a3a42), 9 * k, true, sd));
  s.cv.Fill(Circle(x + 10 * k, y - 36 * k, 3 * k), Hex(0x7a6a4a));
  for (int i = 0; i < 3; ++i)
    s.cv.Fill(Box(x - w / 2 - (i + 1) * 6 * k, y + i * 5 * k - 2, x + w / 2 + (i + 1) * 6 * k, y + (i + 1) * 5 * k),
              stone * (1.1f - i * 0.1f));
  // Moss and ivy creeping over it.
  Rng g(sd + 1);
  for (int i = 0; i < 40; ++i) {
    const float px = x + g.Range(-w / 2, w / 2), py = y - g.Range(0, h * 0.5f) - (g.Uni() < 0.3f ? h * 0.5f : 0);
    s.cv.Fill(Ellipse(px, py, 4 * k, 3 * k), Mix(s.pal.leafDark, s.pal.leaf, g.Uni()), 0.85f);
  }
}

// An empty coffin standing upright and open, its lid leaning beside it.
void Coffin(Scene& s, const Element& e) {
  const float x = e.Num("x", 460), y = e.Num("y", 310), k = e.Num("s", 1);
  auto shape = [&](float cx, float sc) {
    return Poly({cx - 18 * sc, y - 150 * k, cx + 18 * sc, y - 150 * k, cx + 30 * sc, y - 110 * k, cx + 20 * sc, y,
                 cx - 20 * sc, y, cx - 30 * sc, y - 110 * k});
  };
  s.cv.Fill(Ellipse(x + 20, y + 3, 70 * k, 8 * k), Hex(0x000000), 0.35f, 5);
  s.cv.Fill(shape(x, k), Planks(Hex(0x7a5034), 10 * k, true, s.seed + 771));
  s.cv.Fill(Poly({x - 11 * k, y - 140 * k, x + 11 * k, y - 140 * k, x + 20 * k, y - 108 * k, x + 13 * k, y - 10 * k,
                  x - 13 * k, y - 10 * k, x - 20 * k, y - 108 * k}),
            [=](float px, float py) {
              return Hex(0x8a1420) * (0.55f + 0.5f * (0.5f + 0.5f * std::sin(px / 3.f + py / 9.f))) *
                     (0.7f + 0.3f * Clamp01((py - y + 150 * k) / (150 * k)));
            });
  s.cv.Fill(Ellipse(x, y - 128 * k, 12 * k, 6 * k), Hex(0xc8a0a8));
  // The lid, leaning against the wall at its side.
  const float lx = x + 56 * k;
  s.cv.Fill(Poly({lx - 14 * k, y - 150 * k, lx + 22 * k, y - 148 * k, lx + 32 * k, y - 108 * k, lx + 22 * k, y,
                  lx - 16 * k, y, lx - 24 * k, y - 108 * k}),
            Textured(Linear(lx - 24 * k, 0, Hex(0x5a3a24), lx + 32 * k, 0, Hex(0x2a1a10)), 0.2f, 4, s.seed + 772));
  s.cv.Fill(Line(lx + 2 * k, y - 120 * k, lx + 2 * k, y - 70 * k, 2.5f * k), Hex(0xa08a50));
  s.cv.Fill(Line(lx - 12 * k, y - 105 * k, lx + 16 * k, y - 105 * k, 2.5f * k), Hex(0xa08a50));
}

// Bats hanging from the ceiling, and two on the wing.
void Bats(Scene& s, const Element& e) {
  Rng g(s.seed + 781);
  const Col c = Hex(0x1a1418);
  for (int i = 0; i < static_cast<int>(e.Num("n", 9)); ++i) {
    const float x = g.Range(150, 580), t = (x < WX0 || x > WX1) ? 0 : 1;
    const float y = t > 0 ? WY0 + 2 : std::max(2.f, WY0 * (1 - std::fabs(x - 300) / 300) - 4);
    const float k = g.Range(0.8f, 1.2f);
    s.cv.Fill(Line(x, y, x, y + 4 * k, 0.6f), c);
    s.cv.Fill(Ellipse(x, y + 12 * k, 4.5f * k, 9 * k), Rounded(Hex(0x3a2a2a), x - 1, y + 10 * k, 4.5f * k, 9 * k));
    s.cv.Fill(Circle(x, y + 22 * k, 3.2f * k), c);
    s.cv.Fill(Poly({x - 3 * k, y + 23 * k, x - 3.5f * k, y + 27 * k, x - 1, y + 24 * k}), c);
    s.cv.Fill(Poly({x + 3 * k, y + 23 * k, x + 3.5f * k, y + 27 * k, x + 1, y + 24 * k}), c);
    s.cv.Fill(Circle(x - 1.2f * k, y + 21.5f * k, 0.7f * k), Hex(0xe03020));
  }
  for (int i = 0; i < 2; ++i) {
    const float x = g.Range(250, 520), y = g.Range(80, 150), k = g.Range(1.2f, 1.6f);
    s.cv.Fill(Poly({x,          y,          x - 8 * k,  y - 8 * k,  x - 16 * k, y - 6 * k, x - 22 * k,
                    y - 10 * k, x - 20 * k, y + 2 * k,  x - 12 * k, y,          x - 8 * k, y + 4 * k,
                    x,          y + 3 * k,  x + 8 * k,  y + 4 * k,  x + 12 * k, y,         x + 20 * k,
                    y + 2 * k,  x + 22 * k, y - 10 * k, x + 16 * k, y - 6 * k,  x + 8 * k, y - 8 * k}),
              c);
    s.cv.Fill(Circle(x, y - 1, 3 * k), c);
  }
}

// A suspiciously neat mound of autumn leaves.
void Leaves(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 300), w = e.Num("w", 90), h = e.Num("h", 36);
  Rng g(s.seed + 791);
  const Col cols[] = {Hex(0xc8641e), Hex(0xa83a1a), Hex(0xe0a030), Hex(0x8a4a20), Hex(0xd08a2a)};
  s.cv.Fill(Ellipse(x + 6, y + 2, w * 1.05f, h * 0.3f), Hex(0x000000), 0.3f, 5);
  s.cv.Fill(Intersect(Ellipse(x, y, w, h * 1.1f), Box(x - w, y - h * 1.2f, x + w, y)),
            Rounded(Hex(0xa85a20), x - w * 0.3f, y - h * 0.6f, w, h, 0.45f));
  for (int i = 0; i < 260; ++i) {
    const float a = g.Range(3.14159f, 6.283f), d = std::sqrt(g.Uni());
    const float lx = x + std::cos(a) * w * d * 0.97f, ly = y + std::sin(a) * h * d;
    const float shade = 0.75f + 0.45f * Clamp01(0.6f - (lx - x) / (w * 2) - (ly - y + h) / (h * 3));
    Leaf(s, lx, ly, g.Range(0, 6.283f), g.Range(6, 10), 2.5f, Flat(cols[g.Int(0, 4)] * shade));
  }
}

// Falling into a pit: earthen walls lit from the opening far above.
void Pit(Scene& s, const Element&) {
  const uint32_t sd = s.seed + 801;
  s.indoor = true;
  s.horizon = 300;
  s.cv.Map([&](int x, int y, Col) {
    const float u = (x - 300.f) / 300.f;
    const float n = Fbm(x / 30.f, y / 18.f, sd, 5);
    const float lightFromTop = Clamp01(1.f - y / 330.f) * (1.f - 0.5f * u * u);
    const Col earth = Mix(Hex(0x1e140c), Hex(0x8a6a44), lightFromTop * 0.9f + n * 0.25f);
    return earth * (0.75f + 0.4f * Fbm(x / 8.f, y / 5.f, sd + 1, 3));
  });
  // The opening above, ragged with leaves.
  s.cv.Fill(Rough(Ellipse(300, -30, 210, 70), 10, 20, sd + 2), Linear(0, -30, Hex(0xf4f0e0), 0, 40, Hex(0xc8b890)));
  s.AddLight(300, 10, 260, Hex(0xfff0d0));
  // Roots poking out of the walls.
  Rng g(sd + 3);
  for (int i = 0; i < 14; ++i) {
    const bool left = i % 2 == 0;
    const float x = left ? g.Range(0, 120) : g.Range(480, 600), y = g.Range(40, 260);
    s.cv.Fill(Line(x, y, x + (left ? 1 : -1) * g.Range(15, 40), y + g.Range(5, 30), g.Range(1, 2.5f)), Hex(0x3a2a1a));
  }
}

// Sharpened stakes rising from the bottom of the pit, points upward.
void Stakes(Scene& s, const Element& e) {
  Rng g(s.seed + 811);
  const float base = e.Num("y", 380);
  for (int row = 0; row < 3; ++row) {
    const float k = 0.55f + row * 0.3f, y = base - 70 + row * 30;
    for (float x = g.Range(-10, 20) + row * 13; x < 620; x += (34 + g.Range(-6, 6)) * k) {
      const float h = g.Range(70, 120) * k, w = 7 * k, lean = g.Range(-10, 10) * k;
      const Col wood = Hex(0x7a5a38) * (0.6f + 0.2f * row);
      s.cv.Fill(Poly({x - w, y + 20, x + w, y + 20, x + w * 0.9f + lean * 0.7f, y - h + 20 * k, x + lean, y - h,
                      x - w * 0.9f + lean * 0.7f, y - h + 20 * k}),
                Linear(x - w, 0, wood * 1.3f, x + w, 0, wood * 0.55f));
      s.cv.Fill(Poly({x - w * 0.9f + lean * 0.7f, y - h + 20 * k, x + lean, y - h, x + w * 0.9f + lean * 0.7f,
                      y - h + 20 * k}),
                Hex(0xe0c89a) * (0.7f + 0.15f * row));
    }
  }
}

// Autumn leaves tumbling through the air.
void LeavesFalling(Scene& s, const Element& e) {
  Rng g(s.seed + 821);
  const Col cols[] = {Hex(0xd0701e), Hex(0xb03a1a), Hex(0xe8b030), Hex(0x9a5a24)};
  for (int i = 0; i < static_cast<int>(e.Num("n", 45)); ++i) {
    const float x = g.Range(0, 600), y = g.Range(0, 330), k = g.Range(0.8f, 2.2f);
    Leaf(s, x, y, g.Range(0, 6.283f), 9 * k, 3.5f * k, Flat(cols[g.Int(0, 3)] * g.Range(0.8f, 1.2f)));
    if (i % 3 == 0) s.cv.Fill(Line(x, y - 4 * k, x + g.Range(-4, 4), y - 18 * k, 0.6f), Hex(0xffffff), 0.25f);
  }
}

// ------------------------------------------------------------ the enchanted woods

// A shimmer over part of the picture: the trees waver as if seen through
// water, with motes of violet and silver light.
void Shimmer(Scene& s, const Element& e) {
  const float x0 = e.Num("x0", 0), x1 = e.Num("x1", 300);
  const uint32_t sd = s.seed + 831;
  const Canvas old = s.cv;
  s.cv.Map([&](int x, int y, Col c) {
    const float edge =
        Smooth(x0 - 1, x0 + 40, static_cast<float>(x)) * (1 - Smooth(x1 - 40, x1 + 1, static_cast<float>(x)));
    if (x0 <= 0) {
      if (x > x1) return c;
    }
    const float fx = x0 <= 0 ? 1 - Smooth(x1 - 40, x1 + 1, static_cast<float>(x)) : edge;
    if (fx <= 0) return c;
    const float dx = 2.5f * std::sin(y / 16.f + 3 * Fbm(x / 50.f, y / 50.f, sd, 3)) * fx;
    Col w = old.Sample(x + dx, static_cast<float>(y));
    const float tint = 0.5f + 0.5f * std::sin(x / 23.f + y / 31.f + 4 * Fbm(x / 80.f, y / 80.f, sd + 1, 3));
    w = Mix(w, Mix(Hex(0xb89ae8), Hex(0xe0f0f8), tint), 0.18f * fx);
    return w;
  });
  Rng g(sd + 2);
  for (int i = 0; i < 70; ++i) {
    const float x = g.Range(x0, x1), y = g.Range(10, 300), r = g.Range(0.8f, 2.2f);
    const Col c = g.Uni() < 0.5f ? Hex(0xe8d8ff) : Hex(0xf0fff8);
    s.cv.Fill(Circle(x, y, r), c, 0.8f);
    if (r > 1.8f) {
      s.cv.Fill(Line(x - r * 3, y, x + r * 3, y, 0.4f), c, 0.6f);
      s.cv.Fill(Line(x, y - r * 3, x, y + r * 3, 0.4f), c, 0.6f);
    }
  }
}

// A silver birch: a slender white trunk with dark marks and a light crown.
void Birch(Scene& s, float x, float y, float k, uint32_t seed) {
  Rng g(seed);
  const float h = 230 * k, lean = g.Range(-12, 12) * k;
  Crown(s, x + lean, y - h * 0.82f, 48 * k, Hex(0x9ac050), Hex(0x4a7a30), 7);
  s.cv.Fill(Capsule(x, y, x + lean, y - h, 7 * k, 3 * k),
            Linear(x - 7 * k, 0, Hex(0xf4f2ea), x + 7 * k, 0, Hex(0xa8a8a0)));
  for (int i = 0; i < 12; ++i) {
    const float t = g.Uni(), my = y - h * t * 0.95f, mx = x + lean * t;
    s.cv.Fill(Line(mx - 6 * k * (1 - 0.5f * t), my, mx + g.Range(-1, 5) * k, my + g.Range(-1, 1), 1.2f * k),
              Hex(0x2a2a28), 0.9f);
  }
  s.cv.Fill(Capsule(x + lean * 0.6f, y - h * 0.6f, x + lean * 0.6f + 30 * k, y - h * 0.78f, 2 * k, 1 * k),
            Hex(0xd8d8d0));
  s.cv.Fill(Capsule(x + lean * 0.5f, y - h * 0.5f, x + lean * 0.5f - 28 * k, y - h * 0.7f, 2 * k, 1 * k),
            Hex(0xc8c8c0));
  for (int i = 0; i < 5; ++i) {
    const float lx = x + lean + g.Range(-50, 50) * k, ly = y - h * g.Range(0.6f, 0.95f);
    s.cv.Fill(Circle(lx, ly, 3 * k), Hex(0xc8e070), 0.8f);
  }
}

void Birches(Scene& s, const Element& e) {
  Rng g(s.seed + 841);
  const int n = static_cast<int>(e.Num("n", 5));
  std::vector<std::pair<float, float>> spots;
  for (int i = 0; i < n; ++i) {
    const float far = g.Uni();
    spots.push_back({s.horizon + 5 + 90 * (1 - far), g.Range(170, 600)});
  }
  std::sort(spots.begin(), spots.end());
  for (const auto& [y, x] : spots) {
    float xx = x;
    if (xx > 270 && xx < 470 && y > 270) xx = xx < 370 ? 250 : 500;
    Birch(s, xx, y, 0.45f + 0.9f * (y - s.horizon) / 100.f, g.Int(1, 99999));
  }
}

// Bees humming about a bush: striped bodies, glassy wings and looping paths.
void Bees(Scene& s, const Element& e) {
  const float x = e.Num("x", 450), y = e.Num("y", 230), r = e.Num("r", 80);
  Rng g(s.seed + 851);
  for (int i = 0; i < static_cast<int>(e.Num("n", 14)); ++i) {
    const float bx = x + g.Range(-r, r) * 1.3f, by = y + g.Range(-r, r) * 0.7f, k = g.Range(1.1f, 1.6f);
    const float dir = g.Uni() < 0.5f ? -1.f : 1.f;
    // A dotted loop behind it.
    for (int d = 1; d < 8; ++d) {
      const float a = d * 0.7f;
      s.cv.Fill(Circle(bx - dir * d * 5 * k, by + std::sin(a) * 6 * k, 0.6f), Hex(0x3a2a10), 0.5f);
    }
    s.cv.Fill(Ellipse(bx - 1 * k, by - 4 * k, 3.5f * k, 2.2f * k), Hex(0xf0f8ff), 0.6f);
    s.cv.Fill(Ellipse(bx + 2 * k, by - 4.5f * k, 3.5f * k, 2.2f * k), Hex(0xf0f8ff), 0.6f);
    s.cv.Fill(Ellipse(bx, by, 4.5f * k, 3 * k), [=](float px, float) {
      return (static_cast<int>(std::floor((px - bx) / (1.8f * k) + 10)) % 2) ? Hex(0xf0c020) : Hex(0x1a1408);
    });
    s.cv.Fill(Circle(bx + dir * 4.5f * k, by, 1.8f * k), Hex(0x1a1408));
  }
}

// Grass flattened by a strong wind, with streaks of wind across the land.
void WindGrass(Scene& s, const Element& e) {
  Rng g(s.seed + 861);
  for (int i = 0; i < static_cast<int>(e.Num("n", 500)); ++i) {
    const float y = g.Range(s.horizon + 4, 376), t = (y - s.horizon) / (s.cv.H() - s.horizon), x = g.Range(-20, 600);
    if (x > 250 && x < 470 && y > 300 && g.Uni() < 0.7f) continue;
    const float len = 5 + 30 * t * g.Range(0.6f, 1.3f);
    const Col c = Mix(Hex(0x6a7a3a), Hex(0xc8c080), g.Uni());
    s.cv.Fill(Line(x, y, x + len * 0.6f, y - len * 0.4f, 0.4f + 0.9f * t), c, 0.9f);
    s.cv.Fill(Line(x + len * 0.6f, y - len * 0.4f, x + len * 1.2f, y - len * 0.45f, 0.3f + 0.5f * t), c * 1.15f, 0.9f);
  }
  for (int i = 0; i < 9; ++i) {
    const float y = g.Range(40, 300), x = g.Range(-50, 450), l = g.Range(80, 200);
    for (int j = 0; j < 12; ++j) {
      const float a = x + l * j / 12.f, b = x + l * (j + 1) / 12.f;
      s.cv.Fill(Line(a, y + 6 * std::sin(j * 0.5f), b, y + 6 * std::sin((j + 1) * 0.5f), 0.8f), Hex(0xffffff),
                0.35f * std::sin(3.14159f * j / 12.f));
    }
  }
  for (int i = 0; i < 6; ++i) {
    const float x = g.Range(150, 580), y = g.Range(60, 220);
    Leaf(s, x, y, g.Range(0, 6.283f), 8, 3, Flat(Hex(0x8a9a40)));
  }
}

// A cairn: a cone of stones piled by travellers.
void Cairn(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", 290), k = e.Num("s", 1);
  Rng g(s.seed + 871);
  s.cv.Fill(Ellipse(x + 8, y + 4, 70 * k, 10 * k), Hex(0x000000), 0.35f, 6);
  for (int row = 0; row < 8; ++row) {
    const float ry = y - row * 15 * k, half = (62 - row * 7.5f) * k;
    const int nstones = std::max(1, static_cast<int>(half / (13 * k)));
    for (int i = 0; i < nstones; ++i) {
      const float sx = x - half + (i + 0.5f) * 2 * half / nstones + g.Range(-3, 3) * k;
      Boulder(s, sx, ry - 6 * k, half / nstones * 1.1f + 2 * k, 9 * k,
              Mix(s.pal.rock * 1.1f, s.pal.rockDark, g.Range(0, 0.4f)));
    }
  }
  Boulder(s, x, y - 128 * k, 9 * k, 12 * k, s.pal.rock * 1.2f);
}

// Gorse: dark spiny bushes blazing with yellow flowers along both sides of the track.
void Gorse(Scene& s, const Element& e) {
  Rng g(s.seed + 881);
  const struct {
    float x, y, k;
  } spots[] = {{190, 240, 0.6f}, {250, 226, 0.45f}, {420, 228, 0.45f}, {480, 245, 0.65f},
               {560, 275, 1.0f}, {520, 330, 1.3f},  {230, 275, 0.8f},  {300, 220, 0.35f}};
  const int n = static_cast<int>(e.Num("n", 8));
  for (int i = 0; i < n && i < 8; ++i) {
    const float x = spots[i].x, y = spots[i].y, k = spots[i].k;
    Crown(s, x, y - 24 * k, 38 * k, Hex(0x4a6a2a), Hex(0x1e2e14), 6);
    for (int j = 0; j < 40; ++j) {
      const float sx = x + g.Range(-40, 40) * k, sy = y - 24 * k + g.Range(-30, 22) * k;
      s.cv.Fill(Line(sx, sy, sx + g.Range(-5, 5) * k, sy + g.Range(-5, 5) * k, 0.5f), Hex(0x2a3a1a));
    }
    for (int j = 0; j < static_cast<int>(70 * k + 10); ++j) {
      const float a = g.Range(0, 6.283f), d = std::sqrt(g.Uni()) * 40 * k;
      const float fx = x + std::cos(a) * d, fy = y - 24 * k + std::sin(a) * d * 0.7f;
      s.cv.Fill(Circle(fx, fy, g.Range(1.4f, 2.6f) * std::max(0.6f, k)), Mix(Hex(0xf8d020), Hex(0xffee70), g.Uni()));
    }
  }
}

// A little wayside shrine: a stone niche with a roof, on a pillar, holding a
// carved mountain and its god's eye, with offerings of flowers and a candle.
void Shrine(Scene& s, const Element& e) {
  const float x = e.Num("x", 460), y = e.Num("y", 280), k = e.Num("s", 1);
  const Col stone = s.pal.rock * 1.15f;
  const uint32_t sd = s.seed + 891;
  s.cv.Fill(Ellipse(x + 8, y + 3, 50 * k, 8 * k), Hex(0x000000), 0.35f, 5);
  s.cv.Fill(Box(x - 30 * k, y - 14 * k, x + 30 * k, y), Stones(stone, s.pal.rockDark, 15 * k, 7 * k, sd));
  s.cv.Fill(Box(x - 14 * k, y - 80 * k, x + 14 * k, y - 14 * k),
            Linear(x - 14 * k, 0, stone * 1.2f, x + 14 * k, 0, stone * 0.6f));
  s.cv.Fill(Box(x - 34 * k, y - 150 * k, x + 34 * k, y - 80 * k), Stones(stone, s.pal.rockDark, 17 * k, 9 * k, sd + 1));
  s.cv.Fill(Union(Box(x - 22 * k, y - 134 * k, x + 22 * k, y - 86 * k), Circle(x, y - 134 * k, 22 * k)), Hex(0x1e1a1e));
  s.cv.Fill(Poly({x - 46 * k, y - 148 * k, x, y - 186 * k, x + 46 * k, y - 148 * k}),
            Linear(x - 46 * k, 0, Hex(0x7a4a3a), x + 46 * k, 0, Hex(0x3a2018)));
  // The carving: a mountain with a snowy cap, and an eye above it.
  s.cv.Fill(Poly({x - 18 * k, y - 88 * k, x, y - 130 * k, x + 18 * k, y - 88 * k}),
            Linear(x - 18 * k, 0, Hex(0xb8b0a0), x + 18 * k, 0, Hex(0x6a6458)));
  s.cv.Fill(Poly({x - 6 * k, y - 116 * k, x, y - 130 * k, x + 6 * k, y - 116 * k}), Hex(0xf4f4f0));
  s.cv.Fill(Ellipse(x, y - 142 * k, 7 * k, 3.5f * k), Hex(0xd8c890));
  s.cv.Fill(Circle(x, y - 142 * k, 2 * k), Hex(0x1a1a1a));
  // Offerings on the ledge: a candle and some flowers.
  s.cv.Fill(Box(x - 16 * k, y - 98 * k, x - 10 * k, y - 86 * k), Hex(0xf0e8d0));
  s.cv.Fill(Ellipse(x - 13 * k, y - 102 * k, 2 * k, 4 * k), Hex(0xffd060));
  s.AddLight(x - 13 * k, y - 102 * k, 30 * k, Hex(0xffb050));
  for (int i = 0; i < 4; ++i)
    s.cv.Fill(Circle(x + (8 + i * 4) * k, y - (90 + (i % 2) * 3) * k, 2.2f * k), i % 2 ? Hex(0xd04060) : Hex(0xf0e040));
  for (int i = 0; i < 5; ++i) s.cv.Fill(Circle(x + (i - 2) * 9 * k, y + 2, 2.5f * k), Hex(0xe0d8c8));
}

}  // namespace

void RegisterCountryside(Registry& r) {
  r["charts"] = Charts;
  r["dust"] = Dust;
  r["armour"] = Armour;
  r["tools"] = Tools;
  r["scorch"] = Scorch;
  r["onions"] = Onions;
  r["cabbages"] = Cabbages;
  r["bottles"] = Bottles;
  r["mousetrap"] = Mousetrap;
  r["beans"] = Beans;
  r["gate"] = Gate;
  r["herbs"] = Herbs;
  r["shed"] = Shed;
  r["pots"] = Pots;
  r["rakes"] = Rakes;
  r["thorns"] = Thorns;
  r["apples"] = Apples;
  r["brambles"] = Brambles;
  r["stumps"] = Stumps;
  r["chips"] = Chips;
  r["fallenoak"] = FallenOak;
  r["birds"] = Birds;
  r["bones"] = Bones;
  r["moss"] = Moss;
  r["sunbeams"] = Sunbeams;
  r["lodge"] = Lodge;
  r["woodpile"] = Woodpile;
  r["beetles"] = Beetles;
  r["barrier"] = Barrier;
  r["sentry"] = Sentry;
  r["ferns"] = Ferns;
  r["shack"] = Shack;
  r["splinters"] = Splinters;
  r["stains"] = Stains;
  r["flies"] = Flies;
  r["wall"] = Wall;
  r["irongate"] = IronGate;
  r["dinner"] = Dinner;
  r["eyes"] = Eyes;
  r["longgrass"] = LongGrass;
  r["sheep"] = SheepE;
  r["hut_ruin"] = HutRuin;
  r["hillside"] = Hillside;
  r["stonedoor"] = StoneDoor;
  r["light_end"] = LightEnd;
  r["crypt"] = Crypt;
  r["coffin"] = Coffin;
  r["bats"] = Bats;
  r["leaves"] = Leaves;
  r["pit"] = Pit;
  r["stakes"] = Stakes;
  r["leaves_falling"] = LeavesFalling;
  r["shimmer"] = Shimmer;
  r["birches"] = Birches;
  r["bees"] = Bees;
  r["windgrass"] = WindGrass;
  r["cairn"] = Cairn;
  r["gorse"] = Gorse;
  r["shrine"] = Shrine;
}

}  // namespace pics
