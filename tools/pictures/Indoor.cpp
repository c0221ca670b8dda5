// Inside: rooms, caves, tunnels and the things that stand in them.
#include <algorithm>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

// The box of a room seen from its open front: the back wall spans
// (BX0, BY0) - (BX1, BY1); the floor runs from BY1 to the bottom.
constexpr float BX0 = 130, BX1 = 470, BY0 = 45, BY1 = 235;

Shader WallShader(const Scene& s, const std::string& kind, float light) {
  const Col c = s.pal.wall * light, m = s.pal.wallDark * light;
  if (kind == "wood") return Planks(s.pal.wood * 1.2f * light, 16, true, s.seed);
  if (kind == "plaster") return Textured(Flat(s.pal.wall * 1.05f * light), 0.12f, 30, s.seed + 3);
  if (kind == "marble")
    return [=](float x, float y) {
      const float v = std::sin(x / 23.f + 6 * Fbm(x / 80.f, y / 80.f, s.seed, 4));
      return Mix(c * 1.1f, m, 0.15f + 0.2f * v * v) * (0.95f + 0.1f * Noise(x / 40.f, y / 60.f, s.seed));
    };
  if (kind == "rock" || kind == "ice")
    return [=](float x, float y) {
      const float n = Fbm(x / 35.f, y / 28.f, s.seed + 4, 5);
      Col r = Mix(m, c, n * 1.2f);
      if (kind == "ice") r = r + Hex(0xffffff) * (0.25f * Smooth(0.62f, 0.8f, Fbm(x / 14.f, y / 50.f, s.seed + 5, 3)));
      return r;
    };
  return Stones(c, m * 0.8f, 34, 17, s.seed);
}

void Room(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = BY1;
  const std::string wall = e.Str("wall", "stone"), floor = e.Str("floor", "wood");
  const float light = e.Num("light", 1);
  // Side walls and ceiling are darker than the back wall.
  s.cv.Fill(Box(-5, -5, 605, 380), WallShader(s, wall, 0.62f * light));
  s.cv.Fill(Poly({-5, -5, 605, -5, BX1, BY0, BX0, BY0}),
            e.Str("ceiling", "") == "beams" ? Planks(s.pal.wood * 0.5f * light, 26, false, s.seed + 8)
                                            : Shader(Textured(Flat(s.pal.wallDark * 0.7f * light), 0.2f, 20, s.seed)));
  s.cv.Fill(Box(BX0, BY0, BX1, BY1), WallShader(s, wall, light));
  // The floor, with lines running to the far wall.
  Col fc = s.pal.floor * light;
  if (floor == "carpet") fc = Hex(0x7a1e22) * light;
  if (floor == "ice") fc = Hex(0xc4dcea) * light;
  const uint32_t seed = s.seed + 201;
  const float vx = 300, vy = 140;
  s.cv.Fill(Poly({BX0, BY1, BX1, BY1, 610, 380, -10, 380}), [=](float x, float y) {
    const float t = (y - BY1) / (375 - BY1);
    // Distance along the floor: board seams run towards the vanishing point.
    const float u = (x - vx) / std::max(y - vy, 1.f);
    Col c = fc * (0.7f + 0.4f * t);
    if (floor == "wood") {
      const float f = u * 12 - std::floor(u * 12);
      c = c * ((f < 0.06f ? 0.6f : 1.f) * (0.9f + 0.2f * Noise(std::floor(u * 12) * 3.f, y / 30.f, seed)));
    } else if (floor == "stone" || floor == "tile") {
      const float depth = 3000.f / std::max(y - vy, 1.f);
      const float fu = u * 6 - std::floor(u * 6), fd = depth / 4 - std::floor(depth / 4);
      const bool seam = fu < 0.04f || fd < 0.08f;
      const float tone =
          floor == "tile" && (static_cast<int>(std::floor(u * 6) + std::floor(depth / 4)) % 2) ? 0.6f : 1.f;
      c = c * ((seam ? 0.6f : 1.f) * tone * (0.85f + 0.3f * Noise(std::floor(u * 6), std::floor(depth / 4), seed)));
    } else if (floor == "carpet") {
      const float edge = std::fabs(u);
      c = edge > 0.5f ? s.pal.floor * light * (0.7f + 0.4f * t) : c * (edge > 0.42f ? 1.4f : 1.f);
    } else {
      c = c * (0.8f + 0.4f * Fbm(x / 25.f, y / 10.f, seed, 3));
    }
    return c;
  });
  // Shadow where the walls meet the floor.
  s.cv.Fill(Line(BX0, BY1, BX1, BY1, 2), Hex(0x000000), 0.35f, 3);
  s.cv.Fill(Line(BX0, BY1, -10, 380, 2), Hex(0x000000), 0.3f, 4);
  s.cv.Fill(Line(BX1, BY1, 610, 380, 2), Hex(0x000000), 0.3f, 4);
}

// A natural cave: rock all round an open space.
void Cave(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = e.Num("h", 230);
  const bool ice = e.Str("kind", "") == "ice";
  const Col c = ice ? s.pal.wall : s.pal.rock, d = ice ? s.pal.wallDark : s.pal.rockDark;
  const uint32_t seed = s.seed + 211;
  const float h = s.horizon;
  s.cv.Map([&](int x, int y, Col) {
    const float n = Fbm(x / 45.f, y / 35.f, seed, 5);
    const float u = (x - 300.f) / 300.f, v = (y - h * 0.8f) / 230.f;
    const float open = Clamp01(1.f - std::sqrt(u * u * 0.9f + v * v * 1.6f));
    Col r = Mix(d * 0.5f, c, Clamp01(n * 0.9f + open * 0.6f));
    if (ice) r = r + Hex(0xffffff) * (0.3f * Smooth(0.6f, 0.8f, Fbm(x / 10.f, y / 40.f, seed + 1, 3)));
    if (y > h) {
      const float t = (y - h) / (375 - h);
      r = Mix(Mix(d, c, 0.5f + 0.3f * t), r, 0.3f) * (0.8f + 0.4f * Fbm(x / 20.f, y / 8.f, seed + 2, 3));
    }
    return r;
  });
  if (e.Num("spikes", 1) > 0) {
    Rng& g = s.rng;
    for (int i = 0; i < 14; ++i) {
      const float x = g.Range(0, 600), w = g.Range(6, 16), l = g.Range(20, 70);
      s.cv.Fill(Poly({x - w, -2, x + w, -2, x + g.Range(-3, 3), l}), Linear(x - w, 0, c * 1.2f, x + w, 0, d), 1, 1.5f);
    }
    for (int i = 0; i < 6; ++i) {
      const float x = g.Range(180, 600), y = g.Range(h + 5, h + 40), w = g.Range(6, 14), l = g.Range(15, 45);
      s.cv.Fill(Poly({x - w, y, x + w, y, x, y - l}), Linear(x - w, 0, c * 1.1f, x + w, 0, d));
    }
  }
}

// A passage running away from the viewer into the dark.
void Tunnel(Scene& s, const Element& e) {
  s.indoor = true;
  s.horizon = 215;
  const float vx = e.Num("x", 330), vy = e.Num("y", 170);
  const bool ice = e.Str("kind", "") == "ice";
  const bool mine = e.Str("kind", "") == "mine";
  const Col c = ice ? s.pal.wall : s.pal.rock, d = ice ? s.pal.wallDark : s.pal.rockDark;
  const uint32_t seed = s.seed + 221;
  s.cv.Fill(Box(-5, -5, 605, 380), Textured(Flat(c * 0.8f), 0.5f, 40, seed));
  const int rings = 9;
  for (int i = 0; i < rings; ++i) {
    const float t = static_cast<float>(i) / rings;  // 0 near, 1 far
    const float rx = 330 * (1 - t) + 24, ry = 250 * (1 - t) + 30;
    const float cx = 300 + (vx - 300) * t, cy = 200 + (vy - 200) * t;
    const Col ring = Mix(c, d * 0.25f, std::pow(t, 0.7f));
    s.cv.Fill(Rough(Ellipse(cx, cy, rx, ry), 14 * (1 - t) + 3, 30 * (1 - t) + 6, seed + static_cast<uint32_t>(i)),
              Textured(Rounded(ring, cx, cy - ry * 0.3f, rx, ry, 0.3f), 0.35f, 14 * (1 - t) + 3, seed + 3));
  }
  s.cv.Fill(Rough(Ellipse(vx, vy, 22, 28), 3, 6, seed + 50), Hex(0x060504));
  // The floor of the passage.
  s.cv.Fill(Rough(Poly({vx - 20, vy + 26, vx + 20, vy + 26, 560, 380, 40, 380}), 8, 18, seed + 60), [&](float x,
                                                                                                        float y) {
    const float t = (y - vy) / (375 - vy);
    return Mix(d * 0.4f, s.pal.floor * (ice ? 1.2f : 1.f), t) * (0.75f + 0.5f * Fbm(x / 15.f, y / 6.f, seed + 7, 3));
  });
  if (mine) {
    // Timber props holding up the roof.
    for (int i = 0; i < 3; ++i) {
      const float t = 0.12f + i * 0.28f;
      const float hw = 250 * (1 - t) + 20, top = 200 - 200 * (1 - t) - 10 * t + (vy - 200) * t,
                  bot = 200 + 170 * (1 - t) + (vy + 20 - 200) * t;
      const float cx = 300 + (vx - 300) * t, w = 10 * (1 - t) + 2;
      const Col wood = s.pal.wood * (1.1f - t);
      s.cv.Fill(Box(cx - hw, bot - (bot - top), cx - hw + w, bot), Planks(wood, 50, false, s.seed));
      s.cv.Fill(Box(cx + hw - w, top, cx + hw, bot), Planks(wood * 0.8f, 50, false, s.seed));
      s.cv.Fill(Box(cx - hw, top, cx + hw, top + w), Planks(wood, 8, false, s.seed));
    }
  }
}

void Door(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", BY1), w = e.Num("w", 70), h = e.Num("h", 130);
  const std::string kind = e.Str("kind", "wood");
  const Col frame = s.pal.wallDark * 0.9f;
  Shape door = Union(Box(x - w / 2, y - h + w / 2, x + w / 2, y), Circle(x, y - h + w / 2, w / 2));
  s.cv.Fill(Union(Box(x - w / 2 - 8, y - h + w / 2, x + w / 2 + 8, y), Circle(x, y - h + w / 2, w / 2 + 8)),
            Stones(s.pal.wall * 0.9f, frame, 14, 10, s.seed + 9));
  if (e.Num("open", 0) > 0) {
    s.cv.Fill(door, Linear(0, y - h, Hex(0x0a0806), 0, y, Hex(0x1e1610)));
    return;
  }
  Col wood = kind == "iron" ? Hex(0x4a4a52) : (kind == "red" ? Hex(0x7a2a20) : s.pal.wood);
  if (e.Has("tint")) wood = Hex(static_cast<uint32_t>(std::stoul(e.Str("tint", "0"), nullptr, 16)));
  s.cv.Fill(door, Planks(wood, w / 5, true, s.seed + 10));
  for (float by : {y - h * 0.75f, y - h * 0.3f})
    s.cv.Fill(Intersect(Box(x - w / 2, by - 3, x + w / 2, by + 3), door), Hex(0x2a2a2e));
  s.cv.Fill(Circle(x + w * 0.32f, y - h * 0.45f, 3.5f), Hex(0xc8a040));
  if (e.Has("eye")) {
    // A carved face on the door, one eye an empty socket.
    const float fy = y - h * 0.62f;
    s.cv.Fill(Ellipse(x - 12, fy, 8, 5), Hex(0xe8e0d0));
    s.cv.Fill(Circle(x - 12, fy, 3), Hex(0x101010));
    s.cv.Fill(Ellipse(x + 12, fy, 8, 5), Hex(0x0a0606));
    s.cv.Fill(Line(x - 14, fy + 20, x + 14, fy + 20, 2), wood * 0.4f);
    s.cv.Fill(Line(x, fy + 2, x, fy + 12, 2), wood * 0.5f);
  }
  if (e.Has("sign")) {
    s.cv.Fill(Box(x - w / 2 + 6, y - h * 0.62f, x + w / 2 - 6, y - h * 0.45f), Hex(0xd8c8a0));
    for (int i = 0; i < 3; ++i)
      s.cv.Fill(Line(x - w / 2 + 11, y - h * 0.59f + i * 4, x + w / 2 - 11, y - h * 0.59f + i * 4, 0.8f),
                Hex(0x402010));
  }
}

// Several doors side by side along the back wall, each of its own colour.
void Doors(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 4));
  const char* tints[] = {"8a2a24", "2a4a8a", "2a6a3a", "8a7a2a", "5a2a6a"};
  for (int i = 0; i < n; ++i) {
    Element d;
    d.args["x"] = std::to_string(BX0 + 45 + i * (BX1 - BX0 - 90) / std::max(1, n - 1));
    d.args["w"] = "52";
    d.args["h"] = "115";
    d.args["tint"] = tints[i % 5];
    Door(s, d);
  }
}

void Window(Scene& s, const Element& e) {
  const float x = e.Num("x", 380), y = e.Num("y", 80), w = e.Num("w", 50), h = e.Num("h", 80);
  Shape win = Union(Box(x - w / 2, y + w / 2, x + w / 2, y + h), Circle(x, y + w / 2, w / 2));
  s.cv.Fill(Union(Box(x - w / 2 - 6, y + w / 2, x + w / 2 + 6, y + h + 6), Circle(x, y + w / 2, w / 2 + 6)),
            s.pal.wallDark);
  const std::string view = e.Str("view", "day");
  const Col top = view == "night" ? Hex(0x101838) : (view == "snow" ? Hex(0xc8d4e0) : Hex(0x8ab4e0));
  const Col low = view == "night" ? Hex(0x28305a) : (view == "snow" ? Hex(0xf0f4f8) : Hex(0xe8f0d8));
  s.cv.Fill(win, Linear(0, y, top, 0, y + h, low));
  s.cv.Fill(Line(x, y, x, y + h, 2), Hex(0x2a2218));
  s.cv.Fill(Line(x - w / 2, y + h * 0.55f, x + w / 2, y + h * 0.55f, 2), Hex(0x2a2218));
  if (view != "night")
    s.cv.Fill(Poly({x - w / 2, y + h, x + w / 2, y + h, x + w * 1.6f, 375, x + w * 0.3f, 375}), low, 0.1f, 8);
}

void Fireplace(Scene& s, const Element& e) {
  const float x = e.Num("x", 380), y = e.Num("y", BY1), w = e.Num("w", 110), h = e.Num("h", 95);
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), Stones(s.pal.rock, s.pal.rockDark, 18, 10, s.seed + 20));
  s.cv.Fill(Box(x - w / 2 - 8, y - h - 10, x + w / 2 + 8, y - h), s.pal.wood);
  s.cv.Fill(Union(Box(x - w * 0.32f, y - h * 0.55f, x + w * 0.32f, y), Ellipse(x, y - h * 0.55f, w * 0.32f, h * 0.15f)),
            Hex(0x140c08));
  s.cv.Fill(Line(x - 20, y - 5, x + 20, y - 9, 4), s.pal.wood * 0.6f);
  Flame(s, x - 8, y - 6, 1.1f);
  Flame(s, x + 9, y - 5, 0.9f);
  if (e.Has("pot")) {
    s.cv.Fill(Line(x, y - h * 0.55f, x, y - 40, 1), Hex(0x202020));
    s.cv.Fill(Ellipse(x, y - 26, 18, 15), Rounded(Hex(0x303034), x, y - 30, 18, 15));
  }
}

void Torch(Scene& s, const Element& e) {
  const float x = e.Num("x", 160), y = e.Num("y", 130), k = e.Num("s", 1);
  s.cv.Fill(Capsule(x, y + 30 * k, x + 2 * k, y, 3 * k, 4 * k), s.pal.wood * 0.7f);
  s.cv.Fill(Box(x - 6 * k, y + 14 * k, x + 8 * k, y + 18 * k), Hex(0x2a2a2a));
  Flame(s, x + 1, y, 0.8f * k);
}

void Candles(Scene& s, const Element& e) {
  const float x = e.Num("x", 300), y = e.Num("y", 200);
  for (int i = 0; i < static_cast<int>(e.Num("n", 3)); ++i) {
    const float cx = x + i * 14, h = 16 + (i % 2) * 6;
    s.cv.Fill(Box(cx - 3, y - h, cx + 3, y), Rounded(Hex(0xf0e8d0), cx, y - h / 2, 3, h / 2));
    s.cv.Fill(Ellipse(cx, y - h - 5, 2.5f, 5), Hex(0xffd060));
    s.AddLight(cx, y - h - 5, 40, Hex(0xffb050));
  }
}

void Table(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", 280), w = e.Num("w", 150), k = e.Num("s", 1);
  const Col wood = s.pal.wood;
  const float top = y - 55 * k;
  for (float lx : {x - w / 2 + 8, x + w / 2 - 8}) s.cv.Fill(Box(lx - 4 * k, top, lx + 4 * k, y), wood * 0.6f);
  s.cv.Fill(Poly({x - w / 2 + 12, top - 22 * k, x + w / 2 - 12, top - 22 * k, x + w / 2, top, x - w / 2, top}),
            Planks(wood * 1.15f, 8, false, s.seed));
  s.cv.Fill(Box(x - w / 2, top, x + w / 2, top + 7 * k), wood * 0.7f);
  if (e.Has("feast")) {
    const Col foods[] = {Hex(0xb04a20), Hex(0xd8b040), Hex(0x8a2a40), Hex(0xe0d8c0), Hex(0x5a8a30)};
    for (int i = 0; i < 7; ++i) {
      const float fx = x - w / 2 + 20 + i * (w - 40) / 6, fy = top - 12 * k + (i % 2) * 6;
      s.cv.Fill(Ellipse(fx, fy + 4, 12 * k, 4 * k), Hex(0xd8d8d0));
      s.cv.Fill(Ellipse(fx, fy, 8 * k, 6 * k), Rounded(foods[i % 5], fx, fy, 8 * k, 6 * k));
    }
  }
  if (e.Has("books")) {
    s.cv.Fill(Box(x - 30, top - 14, x, top - 4), Hex(0x6a2020));
    s.cv.Fill(Box(x - 26, top - 22, x - 2, top - 14), Hex(0x20406a));
    s.cv.Fill(Poly({x + 10, top - 6, x + 40, top - 10, x + 44, top - 4, x + 14, top}), Hex(0xe8dcc0));
  }
}

void Shelves(Scene& s, const Element& e) {
  const float x = e.Num("x", 200), y = e.Num("y", BY1), w = e.Num("w", 80), h = e.Num("h", 150);
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y), Planks(s.pal.wood * 0.8f, 12, true, s.seed));
  const Col books[] = {Hex(0x7a2020), Hex(0x20406a), Hex(0x2a5a2a), Hex(0x7a6020), Hex(0x4a2a5a)};
  const bool jars = e.Has("jars");
  for (int row = 0; row < 4; ++row) {
    const float sy = y - h + 10 + row * (h - 14) / 4 + (h - 14) / 4;
    s.cv.Fill(Box(x - w / 2, sy, x + w / 2, sy + 4), s.pal.wood * 1.2f);
    for (float bx = x - w / 2 + 4; bx < x + w / 2 - 6;) {
      const float bw = jars ? 10 : s.rng.Range(4, 8), bh = (h - 14) / 4 - s.rng.Range(4, 10);
      const Col c = books[s.rng.Int(0, 4)];
      if (jars) {
        s.cv.Fill(Box(bx, sy - bh * 0.8f, bx + bw, sy, 3),
                  Rounded(Mix(c, Hex(0x80c0a0), 0.4f), bx + bw / 2, sy - bh / 2, bw / 2, bh / 2));
      } else {
        s.cv.Fill(Box(bx, sy - bh, bx + bw, sy), Rounded(c, bx + bw / 2, sy - bh / 2, bw, bh, 0.3f));
      }
      bx += bw + 1;
    }
  }
}

void Bed(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y = e.Num("y", 290), k = e.Num("s", 1);
  s.cv.Fill(Box(x - 90 * k, y - 90 * k, x - 78 * k, y), s.pal.wood * 0.8f);
  s.cv.Fill(Poly({x - 80 * k, y - 40 * k, x + 70 * k, y - 60 * k, x + 95 * k, y - 30 * k, x - 70 * k, y - 10 * k}),
            Hex(0x3a5a8a));
  s.cv.Fill(Box(x - 80 * k, y - 30 * k, x + 95 * k, y - 4 * k), Planks(s.pal.wood, 40, false, s.seed));
  s.cv.Fill(Ellipse(x - 55 * k, y - 44 * k, 20 * k, 9 * k),
            Rounded(Hex(0xf0ece0), x - 55 * k, y - 44 * k, 20 * k, 9 * k));
}

void Chest(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 300), k = e.Num("s", 1);
  s.cv.Fill(Box(x - 36 * k, y - 34 * k, x + 36 * k, y), Planks(s.pal.wood, 12 * k, false, s.seed));
  s.cv.Fill(Union(Box(x - 36 * k, y - 44 * k, x + 36 * k, y - 34 * k), Ellipse(x, y - 44 * k, 36 * k, 10 * k)),
            s.pal.wood * 1.2f);
  for (float bx : {x - 24 * k, x + 24 * k}) s.cv.Fill(Box(bx - 3 * k, y - 50 * k, bx + 3 * k, y), Hex(0x3a3a3a));
  s.cv.Fill(Box(x - 5 * k, y - 36 * k, x + 5 * k, y - 26 * k), Hex(0xc8a040));
}

void Barrels(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 2));
  const float x = e.Num("x", 480), y = e.Num("y", 290), k = e.Num("s", 1);
  for (int i = 0; i < n; ++i) {
    const float bx = x + i * 48 * k, by = y - (i % 2) * 6;
    s.cv.Fill(Ellipse(bx, by - 30 * k, 22 * k, 32 * k),
              Textured(Rounded(s.pal.wood, bx, by - 30 * k, 22 * k, 32 * k), 0.2f, 3, s.seed));
    for (float hy : {by - 48 * k, by - 12 * k})
      s.cv.Fill(Intersect(Box(bx - 30, hy - 2, bx + 30, hy + 2), Ellipse(bx, by - 30 * k, 22 * k, 32 * k)),
                Hex(0x2a2a2a));
  }
}

void Rug(Scene& s, const Element& e) {
  const float x = e.Num("x", 320), y = e.Num("y", 310);
  const Col c = Hex(static_cast<uint32_t>(std::stoul(e.Str("c", "8a2a2a"), nullptr, 16)));
  s.cv.Fill(Ellipse(x, y, 150, 34), c * 0.8f);
  s.cv.Fill(Ellipse(x, y, 130, 27), Textured(Flat(c), 0.2f, 4, s.seed));
  s.cv.Fill(Ellipse(x, y, 70, 14), Hex(0xc8a050) * 0.8f);
}

void Cauldron(Scene& s, const Element& e) {
  const float x = e.Num("x", 470), y = e.Num("y", 300);
  s.cv.Fill(Ellipse(x, y - 28, 38, 32), Rounded(Hex(0x2a2a30), x, y - 34, 38, 32));
  s.cv.Fill(Ellipse(x, y - 52, 34, 8), Hex(0x3a9a4a));
  for (int i = 0; i < 5; ++i)
    s.cv.Fill(Circle(x + s.rng.Range(-25, 25), y - 54 - s.rng.Range(0, 30), s.rng.Range(3, 7)), Hex(0x9ad8a0), 0.5f, 3);
  s.AddLight(x, y - 52, 60, Hex(0x60d070));
}

// Iron bars across part of the picture: a cell.
void Bars(Scene& s, const Element& e) {
  const float x0 = e.Num("x0", 180), x1 = e.Num("x1", 600), y0 = e.Num("y0", 40), y1 = e.Num("y1", 300),
              gap = e.Num("gap", 28);
  for (float x = x0; x <= x1; x += gap)
    s.cv.Fill(Box(x - 3, y0, x + 3, y1), Linear(x - 3, 0, Hex(0x6a6a70), x + 3, 0, Hex(0x1a1a1e)));
  s.cv.Fill(Box(x0 - 5, y0, x1 + 5, y0 + 8), Hex(0x3a3a40));
  s.cv.Fill(Box(x0 - 5, y1 - 40, x1 + 5, y1 - 34), Hex(0x3a3a40));
}

void Pillars(Scene& s, const Element& e) {
  const Col c =
      e.Str("kind", "") == "gold" ? Hex(0xc8a048) : (e.Str("kind", "") == "ice" ? Hex(0xb8e0f0) : s.pal.wall * 1.15f);
  // Pairs of columns down the two sides of the hall.
  for (int i = 0; i < 3; ++i) {
    const float t = i / 3.f;
    const float h = 360 - 200 * t, w = 24 - 13 * t, bot = 375 - 140 * t, top = bot - h;
    for (int side = -1; side <= 1; side += 2) {
      const float x = 300 + side * (260 - 150 * t);
      s.cv.Fill(Box(x - w, top, x + w, bot), Linear(x - w, 0, c * 1.2f, x + w, 0, c * 0.5f));
      for (float f = -0.6f; f <= 0.61f; f += 0.4f)
        s.cv.Fill(Line(x + f * w, top + 10, x + f * w, bot - 10, 0.6f), c * 0.6f);
      s.cv.Fill(Box(x - w * 1.3f, top, x + w * 1.3f, top + 10 - 4 * t), c * 0.9f);
      s.cv.Fill(Box(x - w * 1.3f, bot - 10 + 4 * t, x + w * 1.3f, bot), c * 0.8f);
    }
  }
}

void Throne(Scene& s, const Element& e) {
  const float x = e.Num("x", 330), y = e.Num("y", BY1 + 10);
  s.cv.Fill(Poly({x - 120, y, x + 120, y, x + 150, y + 26, x - 150, y + 26}), s.pal.rock * 1.2f);
  s.cv.Fill(Poly({x - 40, y - 170, x, y - 200, x + 40, y - 170, x + 40, y - 50, x - 40, y - 50}),
            Linear(x - 40, 0, Hex(0xe0b850), x + 40, 0, Hex(0x7a5a20)));
  s.cv.Fill(Box(x - 30, y - 160, x + 30, y - 50), Hex(0x8a1a24));
  s.cv.Fill(Box(x - 50, y - 55, x + 50, y - 5), Linear(x - 50, 0, Hex(0xd8b048), x + 50, 0, Hex(0x6a4a18)));
  s.cv.Fill(Circle(x, y - 182, 8), Rounded(Hex(0x60e0ff), x, y - 182, 8, 8));
  s.AddLight(x, y - 182, 60, Hex(0x80e0ff));
}

void Banners(Scene& s, const Element& e) {
  const Col c = Hex(static_cast<uint32_t>(std::stoul(e.Str("c", "8a1a24"), nullptr, 16)));
  for (float x : {BX0 + 40, BX1 - 40}) {
    s.cv.Fill(Poly({x - 20, BY0 + 10, x + 20, BY0 + 10, x + 20, BY0 + 120, x, BY0 + 105, x - 20, BY0 + 120}),
              Textured(Linear(x - 20, 0, c * 1.2f, x + 20, 0, c * 0.6f), 0.1f, 6, 3));
    s.cv.Fill(Circle(x, BY0 + 50, 8), Hex(0xd8b048));
  }
}

void Stairs(Scene& s, const Element& e) {
  const bool down = e.Str("dir", "up") == "down";
  const float x = e.Num("x", 420), y = e.Num("y", down ? 300 : BY1), w = e.Num("w", 90);
  const Col c = s.pal.rock;
  if (down) {
    s.cv.Fill(Poly({x - w, y - 30, x + w, y - 30, x + w * 0.8f, y + 20, x - w * 0.8f, y + 20}), Hex(0x0a0806));
    for (int i = 0; i < 4; ++i) {
      const float sy = y - 26 + i * 12, sw = w * (0.95f - i * 0.05f);
      s.cv.Fill(Box(x - sw, sy, x + sw, sy + 5), c * (0.8f - i * 0.18f));
    }
    return;
  }
  for (int i = 0; i < 8; ++i) {
    const float sy = y - i * 16, sw = w * (1 - i * 0.07f);
    s.cv.Fill(Box(x - sw, sy - 16, x + sw, sy), c * (0.65f + 0.05f * i));
    s.cv.Fill(Box(x - sw, sy - 16, x + sw, sy - 13), c * 1.1f);
  }
  s.cv.Fill(Union(Box(x - w * 0.42f, y - 200, x + w * 0.42f, y - 128), Circle(x, y - 200, w * 0.42f)), Hex(0x0a0806));
}

void Ladder(Scene& s, const Element& e) {
  const float x = e.Num("x", 430), y0 = e.Num("top", -5), y1 = e.Num("y", 300);
  const Col c = s.pal.wood * 1.1f;
  s.cv.Fill(Line(x - 16, y0, x - 20, y1, 3), c);
  s.cv.Fill(Line(x + 16, y0, x + 20, y1, 3), c);
  for (float y = y0 + 14; y < y1; y += 24) s.cv.Fill(Line(x - 17, y, x + 17, y, 2.2f), c * 0.85f);
  if (e.Has("hole")) s.cv.Fill(Ellipse(x, std::max(y0, 0.f) + 4, 44, 14), Hex(0x0a0806));
}

void Hole(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 290), rx = e.Num("rx", 70), ry = e.Num("ry", 20);
  s.cv.Fill(Rough(Ellipse(x, y, rx + 8, ry + 4), 3, 8, s.seed), s.pal.rockDark);
  s.cv.Fill(Rough(Ellipse(x, y, rx, ry), 3, 8, s.seed + 1), Linear(0, y - ry, Hex(0x1a1410), 0, y + ry, Hex(0x020202)));
}

void Statue(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", 270), k = e.Num("s", 1);
  const Col c = e.Str("kind", "") == "gold" ? Hex(0xc8a048) : s.pal.rock * 1.2f;
  s.cv.Fill(Box(x - 30 * k, y - 30 * k, x + 30 * k, y), Stones(c * 0.9f, c * 0.5f, 30 * k, 15 * k, s.seed));
  Shape body =
      Union(Poly({x - 18 * k, y - 30 * k, x + 18 * k, y - 30 * k, x + 12 * k, y - 100 * k, x - 12 * k, y - 100 * k}),
            Circle(x, y - 112 * k, 11 * k));
  body = Union(body, Capsule(x - 12 * k, y - 96 * k, x - 26 * k, y - 130 * k, 5 * k, 4 * k));
  body = Union(body, Capsule(x + 12 * k, y - 96 * k, x + 20 * k, y - 60 * k, 5 * k, 4 * k));
  s.cv.Fill(body, Rounded(c, x, y - 80 * k, 30 * k, 60 * k, 0.5f));
}

void Altar(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 280);
  s.cv.Fill(Box(x - 50, y - 50, x + 50, y), Stones(s.pal.rock * 1.1f, s.pal.rockDark, 25, 12, s.seed));
  s.cv.Fill(Box(x - 58, y - 60, x + 58, y - 50), s.pal.rock * 1.3f);
  if (e.Has("orb")) {
    s.cv.Fill(Circle(x, y - 76, 15), Rounded(Hex(0x9ad0ff), x, y - 76, 15, 15, 0.6f));
    s.AddLight(x, y - 76, 90, Hex(0x80b0ff));
  }
}

void Crystals(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 8));
  const Col c = Hex(static_cast<uint32_t>(std::stoul(e.Str("c", "a8e8ff"), nullptr, 16)));
  for (int i = 0; i < n; ++i) {
    const float x = s.rng.Range(e.Num("x0", 200), e.Num("x1", 600)), y = s.rng.Range(s.horizon, s.horizon + 70);
    const float h = s.rng.Range(25, 70), w = h * 0.22f, lean = s.rng.Range(-14, 14);
    s.cv.Fill(Poly({x - w, y, x - w * 0.7f + lean, y - h, x + lean, y - h - w, x + w * 0.7f + lean, y - h, x + w, y}),
              Linear(x - w, 0, c * 1.2f, x + w, 0, c * 0.45f), 0.92f);
  }
}

// Walls pressing in from both sides, scored with cracks.
void Crushing(Scene& s, const Element&) {
  for (int side = -1; side <= 1; side += 2) {
    const float x = 300 + side * 150;
    std::vector<float> pts = side < 0 ? std::vector<float>{-5, -5, x, 20, x, 360, -5, 380}
                                      : std::vector<float>{605, -5, x, 20, x, 360, 605, 380};
    s.cv.Fill(Poly(pts),
              Stones(s.pal.wall * 0.9f, s.pal.wallDark * 0.6f, 30, 16, s.seed + static_cast<uint32_t>(side + 5)));
    s.cv.Fill(Box(x - 4, 20, x + 4, 360), Hex(0x000000), 0.3f, 6);
    for (int i = 0; i < 3; ++i) {
      float cx = x - side * 20, cy = s.rng.Range(40, 320);
      for (int j = 0; j < 4; ++j) {
        const float nx = cx - side * s.rng.Range(10, 30), ny = cy + s.rng.Range(-15, 15);
        s.cv.Fill(Line(cx, cy, nx, ny, 1.2f), Hex(0x1a1410));
        cx = nx;
        cy = ny;
      }
    }
  }
  for (int i = 0; i < 12; ++i)
    Boulder(s, s.rng.Range(170, 430), s.rng.Range(300, 360), s.rng.Range(4, 9), s.rng.Range(3, 6), s.pal.wall * 0.8f);
}

void IceBlock(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", 280), w = e.Num("w", 150), h = e.Num("h", 140);
  s.cv.Fill(Poly({x - w / 2, y, x + w / 2, y, x + w / 2 + 25, y - 20, x + w / 2 + 25, y - h - 15, x - w / 2 + 25,
                  y - h - 15, x - w / 2, y - h}),
            Linear(x - w / 2, y - h, Hex(0xe8f8ff), x + w / 2, y, Hex(0x5a9ac0)), 0.85f);
  s.cv.Fill(Poly({x - w / 2, y - h, x - w / 2 + 25, y - h - 15, x + w / 2 + 25, y - h - 15, x + w / 2, y - h}),
            Hex(0xf4fcff), 0.9f);
  for (int i = 0; i < 4; ++i) {
    const float cx = x + s.rng.Range(-w / 3, w / 3), cy = y - s.rng.Range(20, h - 20);
    s.cv.Fill(Line(cx, cy, cx + s.rng.Range(-30, 30), cy + s.rng.Range(-25, 25), 0.8f), Hex(0xffffff), 0.8f);
  }
}

void Switch(Scene& s, const Element& e) {
  const float x = e.Num("x", 250), y = e.Num("y", 150);
  s.cv.Fill(Box(x - 10, y - 16, x + 10, y + 16, 2), Hex(0xb0a890));
  s.cv.Fill(Box(x - 3, y - 10, x + 3, y + 2, 1), Hex(0x303030));
}

}  // namespace

void RegisterIndoor(Registry& r) {
  r["room"] = Room;
  r["cave"] = Cave;
  r["tunnel"] = Tunnel;
  r["door"] = Door;
  r["doors"] = Doors;
  r["window"] = Window;
  r["fireplace"] = Fireplace;
  r["torch"] = Torch;
  r["candles"] = Candles;
  r["table"] = Table;
  r["shelves"] = Shelves;
  r["bed"] = Bed;
  r["chest"] = Chest;
  r["barrels"] = Barrels;
  r["rug"] = Rug;
  r["cauldron"] = Cauldron;
  r["bars"] = Bars;
  r["pillars"] = Pillars;
  r["throne"] = Throne;
  r["banners"] = Banners;
  r["stairs"] = Stairs;
  r["ladder"] = Ladder;
  r["hole"] = Hole;
  r["statue"] = Statue;
  r["altar"] = Altar;
  r["crystals"] = Crystals;
  r["crushing"] = Crushing;
  r["iceblock"] = IceBlock;
  r["switch"] = Switch;
}

}  // namespace pics
