// Buildings seen from outside: cottages, villages, market stalls, castles,
// towers, the palace, wells and signposts.
#include <algorithm>

#include "tools/pictures/Elements.h"

namespace pics {

namespace {

void Cottage(Scene& s, float x, float y, float k, bool lit, bool snowy, float far) {
  const float w = 70 * k, h = 50 * k;
  const Col wall = Haze(s, s.pal.wall, far), timber = Haze(s, s.pal.wood * 0.6f, far);
  const Col thatch = Haze(s, snowy ? Hex(0xeef2f8) : Hex(0xb89a58), far);
  s.cv.Fill(Box(x - w / 2, y - h, x + w / 2, y),
            Textured(Linear(x - w / 2, 0, wall * 1.1f, x + w / 2, 0, wall * 0.8f), 0.12f, 6 * k, s.seed));
  for (float bx : {x - w / 2, x - w / 6, x + w / 6, x + w / 2}) s.cv.Fill(Line(bx, y - h, bx, y, 2 * k), timber);
  s.cv.Fill(Line(x - w / 2, y - h * 0.5f, x + w / 2, y - h * 0.5f, 1.6f * k), timber);
  s.cv.Fill(Rough(Poly({x - w / 2 - 10 * k, y - h + 2, x, y - h - 42 * k, x + w / 2 + 10 * k, y - h + 2}), 2 * k, 5 * k,
                  s.seed + static_cast<uint32_t>(x)),
            [=](float px, float py) {
              return thatch * (0.8f + 0.3f * std::sin(py * 1.3f / k + Noise(px / 3, py, 3) * 2)) *
                     (px < x ? 1.1f : 0.8f);
            });
  s.cv.Fill(Box(x + w * 0.2f, y - h - 40 * k, x + w * 0.32f, y - h - 18 * k), Haze(s, s.pal.rock, far));
  s.cv.Fill(Union(Box(x - 8 * k, y - 28 * k, x + 8 * k, y), Circle(x, y - 28 * k, 8 * k)), Haze(s, s.pal.wood, far));
  const Col glass = lit ? Hex(0xffd070) : Haze(s, Hex(0x2a3040), far);
  for (float wx : {x - w * 0.32f, x + w * 0.32f}) {
    s.cv.Fill(Box(wx - 7 * k, y - 36 * k, wx + 7 * k, y - 24 * k), glass);
    if (lit) s.AddLight(wx, y - 30 * k, 30 * k, Hex(0xffb050));
  }
}

void CottageE(Scene& s, const Element& e) {
  Cottage(s, e.Num("x", 430), e.Num("y", s.horizon + 40), e.Num("s", 1.4f), e.Num("lit", 0) > 0, e.Num("snow", 0) > 0,
          e.Num("far", 0));
}

void Village(Scene& s, const Element& e) {
  const bool lit = e.Num("lit", 0) > 0, snowy = e.Num("snow", 0) > 0;
  const float y = e.Num("y", s.horizon + 8);
  const float xs[] = {200, 300, 520, 410, 580};
  const float ys[] = {0, -6, 4, 18, 30};
  const float ks[] = {0.7f, 0.6f, 0.8f, 1.0f, 1.15f};
  const int n = static_cast<int>(e.Num("n", 5));
  for (int i = 0; i < n && i < 5; ++i) Cottage(s, xs[i], y + ys[i], ks[i], lit, snowy, 0.35f - i * 0.06f);
}

void Stalls(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 3));
  const float y = e.Num("y", s.horizon + 60);
  const Col stripes[][2] = {{Hex(0xc02828), Hex(0xf0e8d8)},
                            {Hex(0x2850a0), Hex(0xf0d040)},
                            {Hex(0x2a7a3a), Hex(0xf0e8d8)},
                            {Hex(0x8a3a8a), Hex(0xf0d040)}};
  for (int i = 0; i < n; ++i) {
    const float x = e.Num("x", 250) + i * 120, k = 0.85f + 0.1f * i;
    const Col a = stripes[i % 4][0], b = stripes[i % 4][1];
    for (float px : {x - 45 * k, x + 45 * k}) s.cv.Fill(Line(px, y - 80 * k, px, y, 2.5f * k), s.pal.wood * 0.7f);
    s.cv.Fill(Poly({x - 55 * k, y - 70 * k, x - 45 * k, y - 92 * k, x + 45 * k, y - 92 * k, x + 55 * k, y - 70 * k}),
              [=](float px, float) { return (static_cast<int>(std::floor((px - x) / (11 * k))) % 2) ? a : b; });
    s.cv.Fill(Box(x - 50 * k, y - 34 * k, x + 50 * k, y), Planks(s.pal.wood, 9 * k, false, s.seed));
    const Col goods[] = {Hex(0xd04020), Hex(0xe0b030), Hex(0x70a030), Hex(0xa05020)};
    for (int j = 0; j < 9; ++j) {
      const float gx = x - 42 * k + j * 10.5f * k, gy = y - 38 * k - (j % 3) * 3;
      s.cv.Fill(Circle(gx, gy, 5 * k), Rounded(goods[(i + j) % 4], gx, gy, 5 * k, 5 * k));
    }
  }
}

void Bunting(Scene& s, const Element& e) {
  const float y = e.Num("y", 60);
  const Col cols[] = {Hex(0xd03030), Hex(0xf0d040), Hex(0x3060c0), Hex(0x40a040)};
  for (int i = 0; i < 24; ++i) {
    const float x = 10 + i * 25, sag = y + 18 * std::sin(i / 23.f * 3.14159f);
    s.cv.Fill(Poly({x, sag, x + 20, sag + 1, x + 10, sag + 18}), cols[i % 4]);
  }
  s.cv.Fill(Line(0, y, 600, y, 0.8f), Hex(0x3a3020));
}

Shape Crenels(float x0, float x1, float top, float step) {
  Shape s = Box(x0, top, x1, top + step);
  for (float x = x0; x < x1 - step * 0.5f; x += step * 2)
    s = Cut(s, Box(x + step, top - 1, x + 2 * step, top + step * 0.6f));
  return s;
}

void Castle(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", s.horizon + 20), k = e.Num("s", 1), far = e.Num("far", 0.2f);
  const Col stone = Haze(s, s.pal.wall, far), dark = Haze(s, s.pal.wallDark, far);
  const Col roof = Haze(s, Hex(0x4a3a6a), far);
  auto wallShader = [&](float, float) { return Stones(Mix(stone, dark, 0.1f), dark, 12 * k, 6 * k, s.seed); };
  // Curtain wall, gate and two towers.
  s.cv.Fill(Box(x - 110 * k, y - 80 * k, x + 110 * k, y), wallShader(x - 110 * k, x + 110 * k));
  s.cv.Fill(Crenels(x - 110 * k, x + 110 * k, y - 90 * k, 8 * k), stone);
  for (int side = -1; side <= 1; side += 2) {
    const float tx = x + side * 110 * k;
    s.cv.Fill(Box(tx - 26 * k, y - 150 * k, tx + 26 * k, y), [&, tx](float px, float py) {
      return Stones(stone, dark, 11 * k, 6 * k, s.seed + 1)(px, py) *
             (0.75f + 0.45f * Clamp01((tx + 26 * k - px) / (52 * k)));
    });
    s.cv.Fill(Poly({tx - 32 * k, y - 150 * k, tx, y - 205 * k, tx + 32 * k, y - 150 * k}),
              Linear(tx - 30 * k, 0, roof * 1.3f, tx + 30 * k, 0, roof * 0.6f));
    for (int w = 0; w < 2; ++w)
      s.cv.Fill(Union(Box(tx - 4 * k, y - (120 - w * 45) * k, tx + 4 * k, y - (108 - w * 45) * k),
                      Circle(tx, y - (120 - w * 45) * k, 4 * k)),
                Hex(0x141018));
  }
  // Keep behind the gate.
  s.cv.Fill(Box(x - 40 * k, y - 170 * k, x + 40 * k, y - 80 * k), wallShader(x - 40 * k, x + 40 * k));
  s.cv.Fill(Crenels(x - 44 * k, x + 44 * k, y - 180 * k, 8 * k), stone * 0.95f);
  s.cv.Fill(Union(Box(x - 8 * k, y - 140 * k, x + 8 * k, y - 115 * k), Circle(x, y - 140 * k, 8 * k)),
            e.Num("lit", 0) > 0 ? Hex(0xffc060) : Hex(0x141018));
  s.cv.Fill(Union(Box(x - 24 * k, y - 45 * k, x + 24 * k, y), Circle(x, y - 45 * k, 24 * k)), Hex(0x100c0a));
  for (float gx = x - 20 * k; gx <= x + 20 * k; gx += 8 * k)
    s.cv.Fill(Line(gx, y - 62 * k, gx, y, 1.3f * k), Hex(0x3a3a40));
  if (e.Has("flag")) {
    const float fx = x - 110 * k, fy = y - 205 * k;
    s.cv.Fill(Line(fx, fy, fx, fy - 25 * k, 1 * k), Hex(0x202020));
    s.cv.Fill(Poly({fx, fy - 25 * k, fx + 22 * k, fy - 19 * k, fx, fy - 13 * k}), Hex(0x8a1a24));
  }
}

void Tower(Scene& s, const Element& e) {
  const float x = e.Num("x", 440), y = e.Num("y", s.horizon + 30), k = e.Num("s", 1), far = e.Num("far", 0);
  const Col stone = Haze(s, s.pal.wall, far), dark = Haze(s, s.pal.wallDark, far);
  s.cv.Fill(Box(x - 32 * k, y - 190 * k, x + 32 * k, y), [&](float px, float py) {
    return Stones(stone, dark, 13 * k, 7 * k, s.seed + 2)(px, py) *
           (0.7f + 0.5f * Clamp01((x + 32 * k - px) / (64 * k)));
  });
  s.cv.Fill(Poly({x - 40 * k, y - 190 * k, x, y - 260 * k, x + 40 * k, y - 190 * k}),
            Linear(x - 40 * k, 0, Hex(0x5a4a8a), x + 40 * k, 0, Hex(0x2a2040)));
  for (int i = 0; i < 3; ++i)
    s.cv.Fill(Union(Box(x - 5 * k, y - (160 - i * 50) * k, x + 5 * k, y - (146 - i * 50) * k),
                    Circle(x, y - (160 - i * 50) * k, 5 * k)),
              e.Num("lit", 0) > 0 ? Hex(0xffc860) : Hex(0x161218));
  if (e.Num("lit", 0) > 0) s.AddLight(x, y - 150 * k, 60 * k, Hex(0xffb050));
  s.cv.Fill(Union(Box(x - 12 * k, y - 34 * k, x + 12 * k, y), Circle(x, y - 34 * k, 12 * k)), s.pal.wood * 0.8f);
}

void Palace(Scene& s, const Element& e) {
  const float x = e.Num("x", 400), y = e.Num("y", s.horizon + 30), k = e.Num("s", 1);
  const Col stone = Hex(0x3a3040), gold = Hex(0xc8a048);
  s.cv.Fill(Box(x - 170 * k, y - 120 * k, x + 170 * k, y), Stones(stone * 1.2f, stone * 0.5f, 20 * k, 10 * k, s.seed));
  s.cv.Fill(Intersect(Ellipse(x, y - 120 * k, 80 * k, 90 * k), Box(x - 90 * k, y - 220 * k, x + 90 * k, y - 120 * k)),
            Rounded(Hex(0x5a2a40), x - 20 * k, y - 170 * k, 80 * k, 70 * k));
  s.cv.Fill(Line(x, y - 210 * k, x, y - 240 * k, 2 * k), gold);
  s.cv.Fill(Circle(x, y - 244 * k, 5 * k), gold);
  for (int i = -3; i <= 3; ++i) {
    const float px = x + i * 40 * k;
    s.cv.Fill(Box(px - 9 * k, y - 110 * k, px + 9 * k, y - 8 * k),
              Linear(px - 9 * k, 0, Hex(0x8a7a80), px + 9 * k, 0, Hex(0x2a2228)));
  }
  s.cv.Fill(Poly({x - 180 * k, y - 110 * k, x, y - 150 * k, x + 180 * k, y - 110 * k}), stone * 1.1f);
  s.cv.Fill(Line(x - 180 * k, y - 110 * k, x + 180 * k, y - 110 * k, 2 * k), gold);
  for (int i = 0; i < 4; ++i)
    s.cv.Fill(Box(x - (120 - i * 10) * k, y + i * 6 * k, x + (120 - i * 10) * k, y + (i + 1) * 6 * k),
              stone * (1.3f - i * 0.1f));
  s.cv.Fill(Union(Box(x - 22 * k, y - 70 * k, x + 22 * k, y), Circle(x, y - 70 * k, 22 * k)), Hex(0x0c0808));
  for (int side = -1; side <= 1; side += 2) {
    const float wx = x + side * 100 * k;
    s.cv.Fill(Box(wx - 8 * k, y - 90 * k, wx + 8 * k, y - 60 * k), Hex(0xe08030));
    s.AddLight(wx, y - 75 * k, 40 * k, Hex(0xff8030));
  }
}

void Well(Scene& s, const Element& e) {
  const float x = e.Num("x", 460), y = e.Num("y", s.horizon + 70), k = e.Num("s", 1);
  s.cv.Fill(Box(x - 34 * k, y - 34 * k, x + 34 * k, y), Stones(s.pal.rock, s.pal.rockDark, 14 * k, 8 * k, s.seed));
  s.cv.Fill(Ellipse(x, y - 34 * k, 34 * k, 8 * k), s.pal.rock * 1.1f);
  s.cv.Fill(Ellipse(x, y - 34 * k, 27 * k, 5 * k), Hex(0x0a0a0c));
  for (float px : {x - 30 * k, x + 30 * k}) s.cv.Fill(Line(px, y - 36 * k, px, y - 95 * k, 3 * k), s.pal.wood);
  s.cv.Fill(Poly({x - 44 * k, y - 90 * k, x, y - 118 * k, x + 44 * k, y - 90 * k}),
            Planks(s.pal.wood * 0.8f, 6 * k, false, s.seed));
  s.cv.Fill(Line(x, y - 90 * k, x, y - 55 * k, 0.8f), Hex(0xb89a60));
  s.cv.Fill(Box(x - 6 * k, y - 58 * k, x + 6 * k, y - 48 * k), s.pal.wood * 0.7f);
}

void Signpost(Scene& s, const Element& e) {
  const float x = e.Num("x", 480), y = e.Num("y", s.horizon + 60), k = e.Num("s", 1);
  s.cv.Fill(Line(x, y, x, y - 90 * k, 3 * k), s.pal.wood * 0.8f);
  s.cv.Fill(Poly({x - 40 * k, y - 85 * k, x + 30 * k, y - 85 * k, x + 42 * k, y - 76 * k, x + 30 * k, y - 67 * k,
                  x - 40 * k, y - 67 * k}),
            Planks(s.pal.wood * 1.3f, 6 * k, false, s.seed));
  s.cv.Fill(Poly({x + 40 * k, y - 60 * k, x - 30 * k, y - 60 * k, x - 42 * k, y - 51 * k, x - 30 * k, y - 42 * k,
                  x + 40 * k, y - 42 * k}),
            Planks(s.pal.wood * 1.1f, 6 * k, false, s.seed + 1));
}

void Fence(Scene& s, const Element& e) {
  const float y = e.Num("y", s.horizon + 50), x0 = e.Num("x0", 180), x1 = e.Num("x1", 600);
  for (float x = x0; x <= x1; x += 34) s.cv.Fill(Line(x, y, x, y - 34, 2.5f), s.pal.wood);
  for (float dy : {-26.f, -12.f}) s.cv.Fill(Line(x0, y + dy, x1, y + dy, 2), s.pal.wood * 1.15f);
}

void Tents(Scene& s, const Element& e) {
  const int n = static_cast<int>(e.Num("n", 2));
  for (int i = 0; i < n; ++i) {
    const float x = e.Num("x", 360) + i * 130, y = s.horizon + 40 + i * 10, k = 1 + i * 0.15f;
    const Col c = i % 2 ? Hex(0xb04030) : Hex(0xd8c8a0);
    s.cv.Fill(Poly({x - 55 * k, y, x, y - 70 * k, x + 55 * k, y}),
              Linear(x - 55 * k, 0, c * 1.15f, x + 55 * k, 0, c * 0.6f));
    s.cv.Fill(Poly({x - 10 * k, y, x, y - 50 * k, x + 10 * k, y}), Hex(0x1a120c));
  }
}

void Ruins(Scene& s, const Element& e) {
  const float x = e.Num("x", 420), y = e.Num("y", s.horizon + 40);
  for (int i = 0; i < 4; ++i) {
    const float px = x - 120 + i * 75, h = s.rng.Range(40, 130);
    s.cv.Fill(Rough(Box(px - 14, y - h, px + 14, y), 3, 6, s.seed + static_cast<uint32_t>(i)),
              Stones(s.pal.rock, s.pal.rockDark, 14, 8, s.seed));
  }
  for (int i = 0; i < 5; ++i) Boulder(s, x + s.rng.Range(-150, 150), y + s.rng.Range(0, 30), 12, 8, s.pal.rock);
}

}  // namespace

void RegisterBuildings(Registry& r) {
  r["cottage"] = CottageE;
  r["village"] = Village;
  r["stalls"] = Stalls;
  r["bunting"] = Bunting;
  r["castle"] = Castle;
  r["tower"] = Tower;
  r["palace"] = Palace;
  r["well"] = Well;
  r["signpost"] = Signpost;
  r["fence"] = Fence;
  r["tents"] = Tents;
  r["ruins"] = Ruins;
}

}  // namespace pics
