// Open-air elements: skies, land, water, trees and rock.
#include <algorithm>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

void Sky(Scene& s, const Element& e) {
  s.horizon = e.Num("h", s.horizon);
  const std::string kind = e.Str("kind", "day");
  Col top = s.pal.skyTop, low = s.pal.skyLow, sun = s.pal.sun;
  float clouds = e.Num("clouds", 0.5f);
  if (kind == "dusk") {
    top = Hex(0x2e2f66);
    low = Hex(0xf2a260);
    sun = Hex(0xffb060);
  } else if (kind == "night") {
    top = Hex(0x070b22);
    low = Hex(0x2a3462);
    sun = Hex(0xe8ecff);
    clouds *= 0.5f;
  } else if (kind == "storm") {
    top = Hex(0x3a3f48);
    low = Hex(0x8a9098);
    clouds = 0.95f;
  } else if (kind == "grey") {
    top = Hex(0x8a96a6);
    low = Hex(0xdde3ea);
    clouds = 0.8f;
  } else if (kind == "purple") {
    // The sky over the Keeper's land: heavy violet cloud.
    top = Hex(0x1e0e2e);
    low = Hex(0x7a3a7a);
    sun = Hex(0xd070c0);
    clouds = 0.9f;
  } else if (kind == "dawn") {
    top = Hex(0x6a7ab8);
    low = Hex(0xf4c8b0);
    sun = Hex(0xffe0b0);
  }
  s.pal.skyLow = low;
  const float sx = e.Num("sunx", 470), sy = e.Num("suny", kind == "dusk" ? s.horizon - 25 : 60);
  const bool showSun = kind != "storm" && kind != "grey" && kind != "purple" && e.Num("sun", 1) > 0;
  const uint32_t seed = s.seed + 11;
  const float h = s.horizon + 30;
  s.cv.Map([&](int x, int y, Col c) {
    if (y > h) return c;
    const float t = Clamp01(static_cast<float>(y) / s.horizon);
    Col sky = Mix(top, low, std::pow(t, 0.8f));
    if (showSun) {
      const float d = std::hypot(x - sx, y - sy);
      sky = sky + sun * (0.5f * std::exp(-d / 70.f));
    }
    const float n = Fbm(x / 150.f, y / 40.f, seed, 5);
    const float cl = Smooth(0.62f - clouds * 0.25f, 0.8f - clouds * 0.2f, n) * (0.35f + 0.65f * (1 - t * 0.7f));
    const float shade = Fbm(x / 150.f, (y - 12) / 40.f, seed, 5);
    Col cloud = Mix(Mix(low, Hex(0xffffff), 0.6f), Mix(top, low, 0.4f) * 0.85f, Smooth(0.5f, 0.8f, shade) * 0.6f);
    if (kind == "night") cloud = Mix(top, low, 0.7f);
    return Mix(sky, cloud, cl);
  });
  if (kind == "night") {
    Rng r(s.seed + 3);
    for (int i = 0; i < 90; ++i) {
      const float x = r.Range(0, 600), y = r.Range(0, s.horizon * 0.85f);
      s.cv.Fill(Circle(x, y, r.Range(0.5f, 1.3f)), Hex(0xfff8e0), r.Range(0.4f, 1.f));
    }
    if (showSun) {
      s.cv.Fill(Circle(sx, sy, 16), Hex(0xf2f0e0));
      s.cv.Fill(Circle(sx + 7, sy - 4, 14), Mix(top, low, 0.2f));
    }
  } else if (showSun && e.Num("disc", kind == "dusk" ? 1 : 0) > 0) {
    s.cv.Fill(Circle(sx, sy, 20), sun);
  }
}

// A range of peaks, each with a sunlit left face, a shadowed right face and,
// on the high ones, a cap of snow.
void Mountains(Scene& s, const Element& e) {
  const float far = e.Num("far", 0.6f), height = e.Num("height", 110), base = e.Num("y", s.horizon + 4);
  const bool snow = e.Num("snow", 1) > 0;
  const int n = static_cast<int>(e.Num("n", 7 * s.cv.W() / 600));
  Rng r(s.seed + static_cast<uint32_t>(e.Num("seed", 21)));
  struct Peak {
    float x, h, w;
  };
  std::vector<Peak> peaks;
  for (int i = 0; i < n; ++i) {
    const float h = height * r.Range(0.45f, 1.f);
    peaks.push_back({(i + r.Range(-0.3f, 0.3f)) * s.cv.W() / (n - 1.f), h, h * r.Range(1.2f, 1.9f)});
  }
  // Tall peaks stand behind, so paint them first.
  std::sort(peaks.begin(), peaks.end(), [](const Peak& a, const Peak& b) { return a.h > b.h; });
  int idx = 0;
  for (const Peak& p : peaks) {
    const float depth = far * (0.7f + 0.5f * p.h / height);
    const Col lit = Haze(s, s.pal.rock * 1.15f, depth), dark = Haze(s, s.pal.rockDark, depth);
    const float top = base - p.h, mid = p.x + p.w * r.Range(-0.1f, 0.15f);
    const uint32_t sd = s.seed + 300u + static_cast<uint32_t>(idx++);
    auto face = [&](Col c) {
      return Shader([=](float x, float y) {
        const float gully = Fbm(x / 9.f + y / 14.f, y / 30.f, sd, 3);
        return c * (0.78f + 0.42f * gully);
      });
    };
    s.cv.Fill(Rough(Poly({p.x - p.w, base + 2, p.x, top, mid, base + 2}), 3, 8, sd), face(lit));
    s.cv.Fill(Rough(Poly({p.x, top, p.x + p.w, base + 2, mid, base + 2}), 3, 8, sd + 1), face(dark));
    if (snow && p.h > height * 0.6f) {
      const float sh = p.h * 0.3f;
      std::vector<float> cap = {p.x, top};
      cap.insert(cap.end(), {p.x + p.w * sh / p.h, top + sh});
      for (int k = 1; k < 6; ++k) {
        const float t = k / 6.f;
        cap.insert(cap.end(), {p.x + p.w * sh / p.h * (1 - 2 * t), top + sh * (k % 2 ? 0.65f : 1.1f)});
      }
      cap.insert(cap.end(), {p.x - p.w * sh / p.h, top + sh});
      const Col white = Haze(s, Hex(0xf6f8fc), depth * 0.5f);
      s.cv.Fill(Rough(Poly(cap), 1.5f, 4, sd + 2), [=](float x, float) { return x < p.x ? white : white * 0.78f; });
    }
  }
}

void Hills(Scene& s, const Element& e) {
  const float far = e.Num("far", 0.35f), y0 = e.Num("y", s.horizon), height = e.Num("height", 40);
  const uint32_t seed = s.seed + static_cast<uint32_t>(e.Num("seed", 31));
  const Col g = Haze(s, Mix(s.pal.groundFar, s.pal.leaf, 0.3f), far);
  const Col snowCol = Haze(s, Hex(0xe8eef4), far);
  const bool snow = e.Num("snow", 0) > 0;
  s.cv.Map([&](int x, int y, Col c) {
    const float top =
        y0 - height * (0.5f + 0.5f * std::sin(x / 95.f + seed) * 0.6f + 0.6f * (Fbm(x / 160.f, 1.f, seed, 3) - 0.5f));
    if (y < top || y > y0 + 40) return c;
    const float d = (y - top);
    Col m = (snow ? snowCol : g) * (1.08f - 0.3f * Clamp01(d / 60.f)) *
            (0.9f + 0.2f * Fbm(x / 25.f, y / 10.f, seed + 2, 3));
    return m;
  });
}

// The ground from the horizon down: grass, snow, rock, sand, earth or ice.
void Ground(Scene& s, const Element& e) {
  s.horizon = e.Num("h", s.horizon);
  const std::string kind = e.Str("kind", "grass");
  Col near = s.pal.ground, far = s.pal.groundFar;
  if (kind == "snow") {
    near = Hex(0xe6edf4);
    far = Hex(0xcdd8e6);
  } else if (kind == "rock") {
    near = s.pal.rock * 0.85f;
    far = Haze(s, s.pal.rock, 0.4f);
  } else if (kind == "earth") {
    near = s.pal.floor;
    far = Mix(s.pal.floor, s.pal.groundFar, 0.5f);
  } else if (kind == "sand") {
    near = Hex(0xc8ac78);
    far = Hex(0xdcc89c);
  } else if (kind == "ice") {
    near = Hex(0xb8d4e6);
    far = Hex(0xd6e6f0);
  }
  const uint32_t seed = s.seed + 41;
  const float h = s.horizon;
  s.cv.Map([&](int x, int y, Col c) {
    if (y < h) return c;
    const float t = Clamp01((y - h) / (s.cv.H() - h));
    const float sc = 0.25f + 2.5f * t;  // perspective: texture grows nearer
    const float n = Fbm(x / (30.f * sc), (y - h) / (6.f * sc + 1.f), seed, 4);
    Col g = Mix(far, near, Smooth(0.f, 0.6f, t)) * (0.8f + 0.4f * n) * (1.f - 0.18f * t);
    if (kind == "snow") g = Mix(g, Hex(0x9fb4cc), 0.35f * Smooth(0.55f, 0.75f, n));
    if (kind == "ice") g = g + Hex(0xffffff) * (0.25f * Smooth(0.7f, 0.9f, Fbm(x / 60.f, (y - h) / 4.f, seed + 9, 2)));
    return g;
  });
  if (kind == "rock" || kind == "earth") {
    Rng r(s.seed + 44);
    for (int i = 0; i < 45; ++i) {
      const float y = r.Range(h + 6, s.cv.H() - 4.f), t = (y - h) / (s.cv.H() - h);
      Boulder(s, r.Range(0, static_cast<float>(s.cv.W())), y, (2 + 9 * t) * r.Range(0.6f, 1.4f),
              (1.4f + 6 * t) * r.Range(0.6f, 1.3f), Mix(s.pal.rock, s.pal.rockDark, r.Uni() * 0.5f));
    }
  }
  if (kind == "grass" && e.Num("tufts", 1) > 0) {
    Rng r(s.seed + 43);
    for (int i = 0; i < 260 * s.cv.W() / 600; ++i) {
      const float y = r.Range(h + 8, s.cv.H() - 3.f), t = (y - h) / (s.cv.H() - h),
                  x = r.Range(0, static_cast<float>(s.cv.W()));
      const float len = 3 + 9 * t;
      const Col c = Mix(s.pal.leafDark, s.pal.leaf * 1.2f, r.Uni());
      s.cv.Fill(Line(x, y, x + r.Range(-2, 2) * t, y - len, 0.5f + 0.6f * t), c, 0.8f);
    }
  }
}

// A path or road from the bottom of the picture to a point on the horizon.
void Path(Scene& s, const Element& e) {
  const float vx = e.Num("to", 330), bx = e.Num("from", 330), bw = e.Num("w", 110), vy = e.Num("y", s.horizon);
  const float bend = e.Num("bend", 50);
  const Col c =
      e.Str("kind", "dirt") == "stone" ? s.pal.rock : (e.Str("kind", "dirt") == "snow" ? Hex(0xd4dde8) : Hex(0xa08660));
  const uint32_t seed = s.seed + 51;
  s.cv.Map([&](int x, int y, Col old) {
    if (y < vy) return old;
    const float t = Clamp01((y - vy) / (s.cv.H() - vy));
    const float cx = vx + (bx - vx) * t + bend * std::sin(t * 3.14159f) * (1 - t * 0.3f);
    const float hw = 2 + bw * std::pow(t, 1.1f);
    const float d = std::fabs(x - cx) - hw;
    const float edge = Clamp01(0.5f - d / (1.f + 5.f * t)) * (0.85f + 0.3f * Fbm(x / 8.f, y / 4.f, seed, 2));
    if (edge <= 0) return old;
    const Col p = c * (0.8f + 0.35f * Fbm(x / (6.f + 20 * t), y / (2.f + 8 * t), seed + 1, 3)) * (1.f - 0.15f * t);
    return Mix(old, p, Clamp01(edge));
  });
}

Col WaterAt(const Scene& s, float x, float y, float t, uint32_t seed) {
  const float ripple = Fbm(x / (14.f + 40 * t), y / (1.5f + 5 * t), seed, 3);
  Col w = Mix(Mix(s.pal.skyLow, s.pal.water, 0.45f), s.pal.water * 0.7f, t);
  w = w * (0.85f + 0.3f * ripple);
  if (ripple > 0.66f) w = Mix(w, Hex(0xf2f6fa), (ripple - 0.66f) * 2.2f);
  return w;
}

void River(Scene& s, const Element& e) {
  const float vx = e.Num("to", 360), bx = e.Num("from", 420), bw = e.Num("w", 150), vy = e.Num("y", s.horizon);
  const float bend = e.Num("bend", -60);
  const uint32_t seed = s.seed + 61;
  s.cv.Map([&](int x, int y, Col old) {
    if (y < vy) return old;
    const float t = Clamp01((y - vy) / (s.cv.H() - vy));
    const float cx = vx + (bx - vx) * t + bend * std::sin(t * 3.14159f);
    const float hw = 3 + bw * std::pow(t, 1.2f);
    const float d = std::fabs(x - cx) - hw;
    if (d > 3) return old;
    const Col bank = Mix(old, s.pal.floorDark, 0.5f);
    if (d > 0) return Mix(old, bank, 0.8f);
    return WaterAt(s, static_cast<float>(x), static_cast<float>(y), t, seed);
  });
}

void Lake(Scene& s, const Element& e) {
  const float x0 = e.Num("x0", 180), x1 = e.Num("x1", 600), y0 = e.Num("y", s.horizon), depth = e.Num("d", 45);
  const uint32_t seed = s.seed + 71;
  s.cv.Fill(Rough(Ellipse((x0 + x1) / 2, y0 + depth * 0.4f, (x1 - x0) / 2, depth), 5, 20, seed),
            [&](float x, float y) { return WaterAt(s, x, y, Clamp01((y - y0) / 160.f), seed); });
}

void Sea(Scene& s, const Element& e) {
  const float y0 = e.Num("y", s.horizon), y1 = e.Num("to", s.horizon + 60);
  const uint32_t seed = s.seed + 73;
  s.cv.Fill(Box(-2, y0, 602, y1), [&](float x, float y) { return WaterAt(s, x, y, Clamp01((y - y0) / 120.f), seed); });
}

void Trees(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 1));
  const float x = e.Num("x", 440), y = e.Num("y", s.horizon + 55), k = e.Num("s", 1), spread = e.Num("spread", 130);
  const bool bare = e.Num("bare", 0) > 0;
  Col leaf = s.pal.leaf, dark = s.pal.leafDark;
  if (e.Str("kind", "") == "autumn") {
    leaf = Hex(0xc07a2a);
    dark = Hex(0x5a2e14);
  } else if (e.Str("kind", "") == "blossom") {
    leaf = Hex(0xe8b4c0);
    dark = Hex(0x8a5a6a);
  }
  for (int i = 0; i < n; ++i) {
    const float off = n == 1 ? 0 : (i - (n - 1) / 2.f) * spread / std::max(1, n - 1) * 2;
    const float kk = k * s.rng.Range(0.85f, 1.1f);
    Tree(s, x + off + s.rng.Range(-10, 10), y + s.rng.Range(-4, 4), kk, leaf, dark, bare);
  }
}

void Pines(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 3));
  const float x = e.Num("x", 420), y = e.Num("y", s.horizon + 40), k = e.Num("s", 1), spread = e.Num("spread", 150);
  for (int i = 0; i < n; ++i) {
    const float off = n == 1 ? 0 : (i - (n - 1) / 2.f) * spread * 2 / std::max(1, n - 1);
    Pine(s, x + off + s.rng.Range(-12, 12), y + s.rng.Range(-6, 6), k * s.rng.Range(0.75f, 1.15f),
         e.Num("snow", 0) > 0);
  }
}

// A band of distant trees standing on the horizon.
void TreeLine(Scene& s, const Element& e) {
  const float y = e.Num("y", s.horizon + 4), far = e.Num("far", 0.45f), hgt = e.Num("height", 32);
  const float x0 = e.Num("x0", -10), x1 = e.Num("x1", 610);
  const Col c = Haze(s, s.pal.leafDark * 1.3f, far), lit = Haze(s, s.pal.leaf, far);
  Rng& r = s.rng;
  for (float x = x0; x < x1; x += r.Range(7, 14)) {
    const float rr = hgt * r.Range(0.35f, 0.7f);
    const float cy = y - rr * 0.6f - r.Range(0, hgt * 0.4f);
    s.cv.Fill(Rough(Circle(x, cy, rr), rr * 0.2f, 5, static_cast<uint32_t>(x)),
              Rounded(Mix(c, lit, 0.5f), x, cy, rr, rr, 0.5f));
  }
  s.cv.Fill(Box(x0, y - hgt * 0.3f, x1, y + 3), c);
}

// Deep woods: a wall of trunks under a dark roof of leaves.
void Forest(Scene& s, const Element& e) {
  const float y = e.Num("y", s.horizon + 25);
  const Col dark = s.pal.leafDark, leaf = s.pal.leaf;
  s.cv.Fill(Box(-5, -5, 605, y),
            Textured(Linear(0, 0, dark * 0.5f, 0, y, Mix(dark, s.pal.skyLow, 0.35f)), 0.3f, 18, s.seed + 81));
  Rng& r = s.rng;
  for (int layer = 0; layer < 3; ++layer) {
    const float far = 0.6f - layer * 0.25f;
    for (float x = r.Range(-20, 10); x < 620; x += r.Range(40, 80) - layer * 8) {
      const float w = (5 + layer * 5) * r.Range(0.7f, 1.3f);
      const float base = y - 10 + layer * 14;
      const Col bark = Haze(s, s.pal.wood * (0.45f + 0.15f * layer), far);
      s.cv.Fill(Capsule(x, base, x + r.Range(-6, 6), -10, w, w * 0.7f),
                Textured(Linear(x - w, 0, bark * 1.4f, x + w, 0, bark * 0.6f), 0.3f, 4,
                         s.seed + static_cast<uint32_t>(layer)));
    }
    for (float x = -20; x < 620; x += r.Range(30, 55)) {
      const float cy = r.Range(-10, 40 + layer * 10);
      Crown(s, x, cy, 40 + layer * 8, Mix(leaf, dark, 0.6f - layer * 0.2f), dark * 0.8f, 4);
    }
  }
  // Light falling through the leaves.
  if (e.Num("shafts", 1) > 0)
    for (int i = 0; i < 3; ++i) {
      const float x = r.Range(220, 560);
      s.cv.Fill(Poly({x, -5, x + 22, -5, x + 90, y + 60, x + 40, y + 60}), Mix(s.pal.sun, leaf, 0.3f), 0.12f, 8);
    }
}

void Bushes(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 3));
  const float y = e.Num("y", s.horizon + 40), x = e.Num("x", 450), spread = e.Num("spread", 140), k = e.Num("s", 1);
  const bool roses = e.Num("roses", 0) > 0;
  for (int i = 0; i < n; ++i) {
    const float bx = x + (n == 1 ? 0 : (i - (n - 1) / 2.f) * spread * 2 / (n - 1)) + s.rng.Range(-10, 10);
    Crown(s, bx, y - 16 * k, 26 * k, s.pal.leaf, s.pal.leafDark, 5);
    if (roses)
      for (int j = 0; j < 7; ++j) {
        const float rx = bx + s.rng.Range(-22, 22) * k, ry = y - 16 * k + s.rng.Range(-18, 10) * k;
        s.cv.Fill(Circle(rx, ry, 3.2f * k), Rounded(Hex(0xd01830), rx, ry, 3.2f * k, 3.2f * k));
      }
  }
}

void Flowers(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 70));
  const float y0 = e.Num("y", s.horizon + 10);
  const Col cols[] = {Hex(0xf0e040), Hex(0xf4f4f4), Hex(0xd04060), Hex(0x9a6ad0), Hex(0xf09030)};
  for (int i = 0; i < n; ++i) {
    const float y = s.rng.Range(y0, s.cv.H() - 5.f), t = (y - s.horizon) / (s.cv.H() - s.horizon);
    s.cv.Fill(Circle(s.rng.Range(0, static_cast<float>(s.cv.W())), y, 0.8f + 2.2f * t), cols[s.rng.Int(0, 4)], 0.9f);
  }
}

void Rocks(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  const float y = e.Num("y", s.horizon + 30), x = e.Num("x", 420), spread = e.Num("spread", 160), k = e.Num("s", 1);
  for (int i = 0; i < n; ++i) {
    const float bx = x + s.rng.Range(-spread, spread), by = y + s.rng.Range(-10, 30);
    const float t = Clamp01((by - s.horizon) / 150.f);
    const float r = k * (10 + 26 * t) * s.rng.Range(0.7f, 1.3f);
    Boulder(s, bx, by, r * 1.3f, r, Mix(s.pal.rock, s.pal.rockDark, s.rng.Range(0, 0.4f)));
  }
}

// A rock face filling one side of the picture.
void Cliff(Scene& s, const Element& e) {
  const bool right = e.Str("side", "right") == "right";
  const float edge = e.Num("x", right ? 390 : 210), foot = e.Num("y", s.horizon + 60);
  std::vector<float> pts;
  const float outer = right ? 605 : -5;
  pts = {outer, -5};
  for (int i = 0; i <= 12; ++i) {
    const float y = -5 + (foot + 5) * i / 12.f;
    const float x =
        edge + (right ? 1 : -1) * (30 * std::sin(i * 1.3f) + 18 * s.rng.Uni()) - (right ? 1 : -1) * 20 * (i / 12.f);
    pts.push_back(x);
    pts.push_back(y);
  }
  pts.push_back(outer);
  pts.push_back(foot);
  const Col c = e.Str("kind", "") == "ice" ? Hex(0xa8cce0) : s.pal.rock;
  const Col dark = e.Str("kind", "") == "ice" ? Hex(0x4a7a9c) : s.pal.rockDark;
  const uint32_t seed = s.seed + 91;
  s.cv.Fill(Rough(Poly(pts), 6, 14, seed), [=](float x, float y) {
    const float strata = Fbm(x / 60.f, y / 9.f, seed, 4);
    const float side = right ? Clamp01((x - edge) / 160.f) : Clamp01((edge - x) / 160.f);
    return Mix(c * 1.1f, dark, 0.25f + 0.5f * side) * (0.7f + 0.55f * strata);
  });
  if (e.Has("hole")) {
    const float hx = e.Num("hx", right ? edge + 90 : edge - 90), hy = e.Num("hy", foot - 110);
    s.cv.Fill(Ellipse(hx, hy, 13, 13), Mix(dark, Hex(0x000000), 0.5f));
    s.cv.Fill(Ellipse(hx + 2, hy + 2, 9, 9), Hex(0x050403));
  }
}

void Waterfall(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), w = e.Num("w", 70), top = e.Num("top", 20), foot = e.Num("y", s.horizon + 70);
  // The cliff the water falls over.
  Element cliff;
  const uint32_t seed = s.seed + 101;
  s.cv.Fill(Rough(Box(x - w - 150, top - 40, x + w + 170, foot + 8), 10, 22, seed), [&](float px, float py) {
    return Mix(s.pal.rock, s.pal.rockDark, 0.4f + 0.3f * std::sin(px / 37.f)) *
           (0.65f + 0.6f * Fbm(px / 40.f, py / 12.f, seed, 4));
  });
  s.cv.Fill(Rough(Box(x - w, top, x + w, foot), 3, 10, seed + 1), [&](float px, float py) {
    const float streak = Fbm(px / 3.f, py / 60.f - py * 0.01f, seed + 2, 3);
    const float edge = 1.f - std::fabs(px - x) / w;
    return Mix(Hex(0x6f9ab4), Hex(0xf4f8fc), Clamp01(streak * 1.3f - 0.1f + 0.3f * edge));
  });
  // The pool and its foam.
  s.cv.Fill(Ellipse(x, foot + 26, w * 2.6f, 34),
            [&](float px, float py) { return WaterAt(s, px, py, 0.4f, seed + 3); });
  for (int i = 0; i < 40; ++i) {
    const float fx = x + s.rng.Range(-w * 1.3f, w * 1.3f), fy = foot + s.rng.Range(-6, 14);
    s.cv.Fill(Circle(fx, fy, s.rng.Range(4, 11)), Hex(0xf4f8fc), 0.7f, 3);
  }
  s.cv.Fill(Ellipse(x, foot - 5, w * 2.f, 30), Hex(0xffffff), 0.25f, 20);
}

// A crack in the world across the picture, with the far side beyond.
void Chasm(Scene& s, const Element& e) {
  const float y0 = e.Num("y", 245), depth = e.Num("d", 50);
  const uint32_t seed = s.seed + 111;
  s.cv.Map([&](int x, int y, Col c) {
    const float top = y0 + 10 * (Fbm(x / 40.f, 0.5f, seed, 3) - 0.5f) * 2;
    const float bot = y0 + depth + 14 * (Fbm(x / 30.f, 2.5f, seed, 3) - 0.5f) * 2;
    if (y < top || y > bot) return c;
    const float t = (y - top) / std::max(bot - top, 1.f);
    // The far wall lit at its top, fading into black.
    Col wall = s.pal.rock * (0.8f * (1 - t) * (1 - t)) * (0.7f + 0.6f * Fbm(x / 12.f, y / 5.f, seed + 1, 3));
    if (t > 0.82f) wall = Mix(wall, s.pal.rock * 0.9f, (t - 0.82f) * 5.f);  // the near lip
    return wall;
  });
}

void Bridge(Scene& s, const Element& e) {
  const std::string kind = e.Str("kind", "plank");
  const float y = e.Num("y", 270), x0 = e.Num("x0", 300), x1 = e.Num("x1", 420);
  if (kind == "stone") {
    s.cv.Fill(Cut(Box(x0 - 40, y - 30, x1 + 40, y + 10), Ellipse((x0 + x1) / 2, y + 24, (x1 - x0) / 2, 40)),
              Stones(s.pal.rock, s.pal.rockDark, 18, 9, s.seed));
    s.cv.Fill(Box(x0 - 44, y - 36, x1 + 44, y - 28), s.pal.rock * 1.1f);
    return;
  }
  // Planks lying across the gap, top to bottom of the picture's depth.
  const float w = e.Num("w", 36);
  const float top = e.Num("top", 230), bot = e.Num("bot", 320), cx = e.Num("x", 360);
  s.cv.Fill(Poly({cx - w * 0.5f, top, cx + w * 0.5f, top, cx + w, bot, cx - w, bot}),
            Planks(s.pal.wood * 1.2f, 9, true, s.seed));
  if (kind == "rope") {
    s.cv.Fill(Line(cx - w * 0.6f, top - 18, cx - w * 1.1f, bot - 30, 1.2f), Hex(0xb89a60));
    s.cv.Fill(Line(cx + w * 0.6f, top - 18, cx + w * 1.1f, bot - 30, 1.2f), Hex(0xb89a60));
  }
}

void Drifts(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 5));
  for (int i = 0; i < n; ++i) {
    const float x = s.rng.Range(0, 600), y = s.rng.Range(s.horizon + 10, 330), t = (y - s.horizon) / 160.f;
    const float rx = (40 + 80 * t) * s.rng.Range(0.7f, 1.3f), ry = rx * 0.22f;
    s.cv.Fill(Ellipse(x + rx * 0.1f, y + ry * 0.4f, rx * 1.05f, ry * 0.7f), Hex(0x9ab0c8), 0.25f, 8);
    s.cv.Fill(Rough(Ellipse(x, y, rx, ry), ry * 0.3f, rx * 0.3f, s.seed + static_cast<uint32_t>(i)),
              Linear(0, y - ry, Hex(0xfafcff), 0, y + ry, Hex(0xc8d6e6)), 0.85f, 6);
  }
}

void Snowfall(Scene& s, const Element& e) { s.snowfall = static_cast<int>(e.Num("n", 500)); }
void Mist(Scene& s, const Element& e) { s.mist = e.Num("k", 0.5f); }
void Dark(Scene& s, const Element& e) { s.darkness = e.Num("k", 0.85f); }

void Icicles(Scene& s, const Element& e) {
  const float y = e.Num("y", 0), len = e.Num("len", 40);
  for (float x = e.Num("x0", 0); x < e.Num("x1", 600); x += s.rng.Range(8, 22)) {
    const float l = len * s.rng.Range(0.3f, 1.2f), w = s.rng.Range(3, 7);
    s.cv.Fill(Poly({x - w, y - 2, x + w, y - 2, x + s.rng.Range(-1, 1), y + l}),
              Linear(x - w, 0, Hex(0xf0fbff), x + w, 0, Hex(0x7ab0d0)), 0.9f);
  }
}

// The ancient tree whose bark is a laughing face.
void FaceTree(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", s.horizon + 70), k = e.Num("s", 1.25f);
  const Col bark = Hex(0x5e4630);
  Crown(s, x, y - 230 * k, 120 * k, s.pal.leaf, s.pal.leafDark, 12);
  s.cv.Fill(Rough(Poly({x - 70 * k, y + 6, x - 48 * k, y - 60 * k, x - 44 * k, y - 200 * k, x + 44 * k, y - 200 * k,
                        x + 50 * k, y - 60 * k, x + 74 * k, y + 6}),
                  5, 9, s.seed + 5),
            [&](float px, float py) {
              const float ridges = 0.75f + 0.35f * std::sin(px / (4.f * k) + 3 * Fbm(px / 30.f, py / 40.f, 7, 3));
              return Mix(bark * 1.3f, bark * 0.55f, Clamp01((px - x) / (90 * k) + 0.5f)) * ridges;
            });
  // Limbs reaching up into the crown.
  s.cv.Fill(Capsule(x - 30 * k, y - 180 * k, x - 110 * k, y - 240 * k, 14 * k, 5 * k), bark);
  s.cv.Fill(Capsule(x + 30 * k, y - 180 * k, x + 115 * k, y - 250 * k, 14 * k, 5 * k), bark * 0.8f);
  // Brows, eyes, a broad nose and a wide laughing mouth.
  const float fy = y - 140 * k;
  const Col hollow = Hex(0x120c08);
  s.cv.Fill(Capsule(x - 34 * k, fy - 20 * k, x - 8 * k, fy - 14 * k, 5 * k, 3 * k), bark * 0.45f);
  s.cv.Fill(Capsule(x + 34 * k, fy - 20 * k, x + 8 * k, fy - 14 * k, 5 * k, 3 * k), bark * 0.45f);
  s.cv.Fill(Intersect(Ellipse(x - 20 * k, fy, 12 * k, 8 * k), Box(x - 40 * k, fy - 3 * k, x, fy + 20 * k)), hollow);
  s.cv.Fill(Intersect(Ellipse(x + 20 * k, fy, 12 * k, 8 * k), Box(x, fy - 3 * k, x + 40 * k, fy + 20 * k)), hollow);
  s.cv.Fill(Poly({x, fy + 4 * k, x + 9 * k, fy + 26 * k, x - 9 * k, fy + 26 * k}), bark * 0.6f);
  s.cv.Fill(Intersect(Ellipse(x, fy + 38 * k, 30 * k, 22 * k), Box(x - 40 * k, fy + 36 * k, x + 40 * k, fy + 80 * k)),
            hollow);
  s.cv.Fill(Intersect(Ellipse(x, fy + 52 * k, 18 * k, 8 * k), Ellipse(x, fy + 38 * k, 28 * k, 20 * k)), Hex(0x6a2a1a));
  // Creases of laughter at the corners of the eyes and mouth.
  for (int side = -1; side <= 1; side += 2) {
    s.cv.Fill(Line(x + side * 33 * k, fy - 2 * k, x + side * 42 * k, fy - 8 * k, 1.5f * k), bark * 0.4f);
    s.cv.Fill(Line(x + side * 33 * k, fy + 3 * k, x + side * 43 * k, fy + 5 * k, 1.5f * k), bark * 0.4f);
    s.cv.Fill(Line(x + side * 31 * k, fy + 36 * k, x + side * 38 * k, fy + 28 * k, 1.8f * k), bark * 0.4f);
  }
  for (int i = 0; i < 5; ++i)
    s.cv.Fill(Capsule(x + (i - 2) * 22 * k, y - 2, x + (i - 2) * 40 * k, y + 10, 8 * k, 2 * k), bark * 0.7f);
}

void CaveMouth(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", s.horizon + 50), k = e.Num("s", 1);
  const uint32_t seed = s.seed + 121;
  s.cv.Fill(Rough(Ellipse(x, y, 160 * k, 120 * k), 12, 26, seed), [&](float px, float py) {
    return Mix(s.pal.rock, s.pal.rockDark, Clamp01((px - x) / (200 * k) + 0.4f)) *
           (0.7f + 0.5f * Fbm(px / 30.f, py / 15.f, seed, 4));
  });
  s.cv.Fill(Box(x - 170 * k, y, x + 170 * k, y + 130 * k), s.pal.ground);
  s.cv.Fill(Rough(Intersect(Ellipse(x, y + 5, 55 * k, 75 * k), Box(x - 80 * k, y - 90 * k, x + 80 * k, y + 2)), 4, 10,
                  seed + 1),
            Linear(0, y - 70 * k, Hex(0x0a0806), 0, y, Hex(0x1a1410)));
}

void Gravestones(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  for (int i = 0; i < n; ++i) {
    const float x = e.Num("x", 360) + (i - n / 2.f) * 55 + s.rng.Range(-10, 10),
                y = s.horizon + 40 + s.rng.Range(-8, 20);
    const float t = 0.7f + 0.5f * (y - s.horizon) / 80.f;
    s.cv.Fill(Union(Box(x - 12 * t, y - 30 * t, x + 12 * t, y), Circle(x, y - 30 * t, 12 * t)),
              Textured(Rounded(s.pal.rock, x, y - 20 * t, 14 * t, 26 * t), 0.2f, 3, s.seed));
  }
}

// A steep slope of snow under a hanging lip, ready to fall.
void SnowSlope(Scene& s, const Element& e) {
  const float top = e.Num("y", 40);
  s.cv.Fill(Rough(Poly({-5, top + 120, 250, top, 605, top + 30, 605, s.horizon + 40, -5, s.horizon + 40}), 6, 30,
                  s.seed + 131),
            [&](float x, float y) {
              return Mix(Hex(0xf6f9fc), Hex(0xa8bcd2), Clamp01((y - top) / 260.f + 0.2f * std::sin(x / 40.f)));
            });
  s.cv.Fill(
      Rough(Poly({150, top + 10, 260, top - 14, 430, top + 4, 420, top + 26, 170, top + 38}), 5, 12, s.seed + 132),
      Rounded(Hex(0xfafcff), 300, top, 140, 30, 0.3f));
  for (int i = 0; i < 5; ++i)
    Boulder(s, s.rng.Range(50, 560), s.rng.Range(top + 120, s.horizon + 20), 14, 10, s.pal.rock);
}

}  // namespace

void RegisterOutdoor(Registry& r) {
  r["sky"] = Sky;
  r["mountains"] = Mountains;
  r["hills"] = Hills;
  r["ground"] = Ground;
  r["path"] = Path;
  r["river"] = River;
  r["lake"] = Lake;
  r["sea"] = Sea;
  r["trees"] = Trees;
  r["pines"] = Pines;
  r["treeline"] = TreeLine;
  r["forest"] = Forest;
  r["bushes"] = Bushes;
  r["flowers"] = Flowers;
  r["rocks"] = Rocks;
  r["cliff"] = Cliff;
  r["waterfall"] = Waterfall;
  r["chasm"] = Chasm;
  r["bridge"] = Bridge;
  r["drifts"] = Drifts;
  r["snowfall"] = Snowfall;
  r["mist"] = Mist;
  r["dark"] = Dark;
  r["icicles"] = Icicles;
  r["facetree"] = FaceTree;
  r["cavemouth"] = CaveMouth;
  r["graves"] = Gravestones;
  r["snowslope"] = SnowSlope;
}

}  // namespace pics
