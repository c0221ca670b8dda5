// The character pictures: 22 upright figures of 140 x 200 and two lying ones
// of 200 x 140, on pure black. A figure stands at (25, 200) on a picture of
// height 375, so only its top 175 rows are seen: feet stand on row 172. The
// cat sits at (0, 265) and shows its top 110 rows; the lying pictures sit at
// (90, 285) and show their top 90 rows.
#include "tools/pictures/Sprites.h"

#include <algorithm>

namespace pics {

namespace {

constexpr float Feet = 171;

Shader Cloth(Col c, float x0, float x1, uint32_t seed = 3) {
  return Textured(Linear(x0, 0, c * 1.25f, x1, 0, c * 0.62f), 0.12f, 3, seed);
}

enum class Face { Smile, Grin, Frown, Snarl, Sad, Blank, Laugh, Sleep, Dead, Stern };

void Eyes(Canvas& cv, float x, float y, float gap, float size, Face f, Col iris = Hex(0x2a1a10)) {
  for (int s = -1; s <= 1; s += 2) {
    const float ex = x + s * gap;
    if (f == Face::Sleep) {
      cv.Fill(Line(ex - size, y, ex + size, y + 0.5f, 0.9f), Hex(0x2a1a10));
      continue;
    }
    if (f == Face::Dead) {
      cv.Fill(Line(ex - size, y - size, ex + size, y + size, 0.9f), Hex(0x2a1a10));
      cv.Fill(Line(ex - size, y + size, ex + size, y - size, 0.9f), Hex(0x2a1a10));
      continue;
    }
    cv.Fill(Ellipse(ex, y, size * 1.2f, size * 0.95f), Hex(0xf4f0e8));
    cv.Fill(Circle(ex + s * 0.3f, y + 0.3f, size * 0.6f), iris);
    cv.Fill(Circle(ex - size * 0.2f, y - size * 0.3f, size * 0.2f), Hex(0xffffff));
    // Brows tell the mood.
    const float tilt = f == Face::Frown || f == Face::Snarl || f == Face::Stern ? 1.f : (f == Face::Sad ? -1.f : 0.f);
    cv.Fill(Line(ex - size * 1.3f, y - size * 1.6f - s * tilt * size * 0.7f * -1, ex + size * 1.3f,
                 y - size * 1.6f + s * tilt * size * 0.7f * -1, 1.0f),
            Hex(0x3a2a1a));
  }
}

void Mouth(Canvas& cv, float x, float y, float w, Face f) {
  const Col dark = Hex(0x4a1a14);
  switch (f) {
    case Face::Smile:
      cv.Fill(Intersect(Ellipse(x, y - w * 0.3f, w, w * 0.6f), Box(x - w, y, x + w, y + w)), dark);
      break;
    case Face::Grin:
    case Face::Laugh:
      cv.Fill(Intersect(Ellipse(x, y - 1, w, w * 0.8f), Box(x - w, y - 1, x + w, y + w)), dark);
      cv.Fill(Box(x - w * 0.7f, y - 1, x + w * 0.7f, y + 1.2f), Hex(0xf4f0e0));
      break;
    case Face::Frown:
    case Face::Sad:
      cv.Fill(Cut(Ellipse(x, y + w * 0.5f, w * 0.8f, w * 0.5f), Ellipse(x, y + w * 0.8f, w * 0.8f, w * 0.5f)), dark);
      break;
    case Face::Snarl:
      cv.Fill(Box(x - w, y - 2, x + w, y + 3, 1.5f), dark);
      for (float t = x - w + 1.5f; t < x + w; t += 3)
        cv.Fill(Poly({t - 1.2f, y - 2, t + 1.2f, y - 2, t, y + 1}), Hex(0xf4f0e0));
      break;
    case Face::Sleep: cv.Fill(Ellipse(x, y, w * 0.35f, w * 0.3f), dark); break;
    default: cv.Fill(Line(x - w * 0.7f, y, x + w * 0.7f, y, 0.9f), dark);
  }
}

void Head(Canvas& cv, float x, float y, float r, Col skin, Face f) {
  cv.Fill(Circle(x - r * 0.95f, y + 1, r * 0.22f), skin * 0.85f);
  cv.Fill(Circle(x + r * 0.95f, y + 1, r * 0.22f), skin * 0.7f);
  cv.Fill(Ellipse(x, y, r * 0.92f, r), Rounded(skin, x, y, r, r, 0.35f));
  Eyes(cv, x, y - r * 0.05f, r * 0.36f, r * 0.17f, f);
  cv.Fill(Ellipse(x + 0.5f, y + r * 0.25f, r * 0.13f, r * 0.2f), skin * 0.8f);
  Mouth(cv, x, y + r * 0.55f, r * 0.3f, f);
  if (f == Face::Sad) cv.Fill(Ellipse(x - r * 0.4f, y + r * 0.35f, 1.2f, 2.5f), Hex(0x90c8ff));
}

// A standing person: legs, body, arms; returns nothing, the head is drawn by
// the caller so that hats and hair can go over it.
struct Person {
  float x = 70, neck = 62, hip = 115, shoulder = 26, hipW = 20;
  Col top = Hex(0x6a4a30), legs = Hex(0x4a3a2a), boots = Hex(0x2a1e14), skin = Hex(0xe0b08a);
  bool robe = false;         // a gown or robe down to the feet
  float armL = 0, armR = 0;  // arm raise in radians (0 down)
};

void Arm(Canvas& cv, float sx, float sy, float ang, float len, float r, Col sleeve, Col skin) {
  const float ex = sx + std::sin(ang) * len, ey = sy + std::cos(ang) * len;
  cv.Fill(Capsule(sx, sy, ex, ey, r, r * 0.8f), Cloth(sleeve, sx - r, sx + r));
  cv.Fill(Circle(ex, ey + 1, r * 0.75f), Rounded(skin, ex, ey, r, r));
}

void Body(Canvas& cv, const Person& p) {
  const float x = p.x;
  if (!p.robe) {
    for (int s = -1; s <= 1; s += 2) {
      cv.Fill(Capsule(x + s * p.hipW * 0.5f, p.hip, x + s * p.hipW * 0.55f, Feet - 8, 7, 6),
              Cloth(p.legs, x + s * 10 - 7, x + s * 10 + 7));
      cv.Fill(Ellipse(x + s * p.hipW * 0.55f + s * 3, Feet - 4, 10, 5), Rounded(p.boots, x + s * 12, Feet - 5, 10, 5));
    }
    cv.Fill(Poly({x - p.shoulder, p.neck + 4, x + p.shoulder, p.neck + 4, x + p.hipW + 3, p.hip + 8, x - p.hipW - 3,
                  p.hip + 8}),
            Cloth(p.top, x - p.shoulder, x + p.shoulder));
  } else {
    cv.Fill(Poly({x - p.shoulder, p.neck + 4, x + p.shoulder, p.neck + 4, x + p.shoulder + 16, Feet,
                  x - p.shoulder - 16, Feet}),
            Cloth(p.top, x - p.shoulder - 10, x + p.shoulder + 10));
    cv.Fill(Ellipse(x - 8, Feet, 8, 3.5f), p.boots);
    cv.Fill(Ellipse(x + 10, Feet, 8, 3.5f), p.boots * 0.8f);
  }
  cv.Fill(Box(x - 5, p.neck - 6, x + 5, p.neck + 6), p.skin * 0.85f);
  Arm(cv, x - p.shoulder + 4, p.neck + 10, -0.25f - p.armL, 50, 6.5f, p.top * 0.9f, p.skin);
  Arm(cv, x + p.shoulder - 4, p.neck + 10, 0.25f + p.armR, 50, 6.5f, p.top * 0.8f, p.skin);
}

Shape HairCap(float x, float y, float r) {
  return Cut(Ellipse(x, y - r * 0.15f, r * 1.02f, r * 1.02f),
             Box(x - r * 0.8f, y - r * 0.35f, x + r * 0.8f, y + r * 2));
}

void Beard(Canvas& cv, float x, float y, float r, float len, Col c) {
  cv.Fill(Rough(Poly({x - r * 0.9f, y + r * 0.2f, x + r * 0.9f, y + r * 0.2f, x + r * 0.4f, y + r + len, x,
                      y + r + len + 6, x - r * 0.4f, y + r + len}),
                2, 4, 9),
          Textured(Linear(x - r, 0, c * 1.2f, x + r, 0, c * 0.75f), 0.2f, 2, 5));
  cv.Fill(Ellipse(x, y + r * 0.55f, r * 0.3f, r * 0.16f), Hex(0x4a1a14));
}

void Spear(Canvas& cv, float x, float y0, float y1) {
  cv.Fill(Line(x, y0, x, y1, 2.2f), Hex(0x7a5530));
  cv.Fill(Poly({x - 6, y0 + 2, x, y0 - 20, x + 6, y0 + 2}), Linear(x - 6, 0, Hex(0xe8e8f0), x + 6, 0, Hex(0x707080)));
}

// ------------------------------------------------------------ characters

Canvas Caveman() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.top = Hex(0x8a6a3a);
  p.legs = Hex(0xc89a70);
  p.skin = Hex(0xc8966a);
  p.boots = Hex(0x6a4a2a);
  p.shoulder = 30;
  p.hipW = 22;
  p.armR = 0.9f;
  Body(cv, p);
  // Fur tunic with spots, one shoulder bare.
  cv.Fill(Poly({44, 72, 96, 66, 96, 128, 44, 128}), Cloth(Hex(0xa07a40), 44, 96));
  for (int i = 0; i < 7; ++i) cv.Fill(Circle(50 + (i * 37) % 42, 80 + (i * 23) % 42, 3.5f), Hex(0x5a3a1a));
  cv.Fill(Rough(Box(44, 120, 96, 132), 2, 2, 4), Hex(0xa07a40));
  // Club held up.
  cv.Fill(Capsule(112, 96, 124, 30, 4, 10), Cloth(Hex(0x8a5a30), 110, 130));
  Head(cv, 70, 44, 19, p.skin, Face::Frown);
  cv.Fill(Rough(HairCap(70, 44, 20), 3, 3, 5), Hex(0x3a2414));
  cv.Fill(Box(54, 34, 86, 38), p.skin * 0.7f);  // heavy brow
  Beard(cv, 70, 44, 16, 10, Hex(0x3a2414));
  return cv;
}

void Helmet(Canvas& cv, float x, float y, float r, Col metal, bool plume) {
  cv.Fill(
      Intersect(Ellipse(x, y - 2, r * 1.08f, r * 1.05f), Box(x - r * 1.2f, y - r * 1.3f, x + r * 1.2f, y - r * 0.15f)),
      Rounded(metal, x, y - r * 0.6f, r, r * 0.7f));
  cv.Fill(Box(x - r * 1.12f, y - r * 0.25f, x + r * 1.12f, y - r * 0.05f), metal * 0.7f);
  cv.Fill(Box(x - 1.6f, y - r * 0.2f, x + 1.6f, y + r * 0.35f), metal * 0.8f);
  if (plume) cv.Fill(Rough(Ellipse(x - 3, y - r * 1.15f, r * 0.9f, r * 0.3f), 1.5f, 2, 3), Hex(0xc02020));
}

Canvas Guard(Col tabard, Face f, bool weepy) {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.top = Hex(0x8a8a94);
  p.legs = Hex(0x5a5a64);
  p.boots = Hex(0x2a2420);
  p.armR = 0.5f;
  if (weepy) p.armL = -0.6f;
  Body(cv, p);
  cv.Fill(Poly({52, 70, 88, 70, 90, 132, 50, 132}), Cloth(tabard, 50, 90));
  cv.Fill(Box(48, 112, 92, 118), Hex(0x3a2a1a));
  cv.Fill(Circle(70, 96, 7), Hex(0xd8b048));
  if (!weepy) Spear(cv, 114, 14, Feet);
  Head(cv, 70, 44, 17, p.skin, f);
  Helmet(cv, 70, 44, 17, Hex(0xa8a8b4), !weepy);
  if (weepy)
    for (int s = -1; s <= 1; s += 2) {
      cv.Fill(Ellipse(70 + s * 7, 52, 1.5f, 3.2f), Hex(0x8ac8ff));
      cv.Fill(Ellipse(70 + s * 8, 60, 1.5f, 3), Hex(0x8ac8ff));
    }
  return cv;
}

Canvas Wally() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.top = Hex(0x3a8a3a);
  p.legs = Hex(0xc8a040);
  p.boots = Hex(0x8a2a2a);
  p.armL = 0.5f;
  p.armR = 0.8f;
  Body(cv, p);
  for (int i = 0; i < 4; ++i) cv.Fill(Box(46, 74 + i * 14, 94, 80 + i * 14), Hex(0xe8d040));
  Head(cv, 70, 46, 17, p.skin, Face::Grin);
  // A tall dunce's cap with a bobble.
  cv.Fill(Poly({52, 36, 88, 36, 74, -2 + 6}), Cloth(Hex(0xe8e0d0), 52, 88));
  cv.Fill(Circle(75, 5, 4), Hex(0xd04040));
  cv.Fill(Box(51, 32, 89, 38), Hex(0xd04040));
  // Ears that stick out.
  cv.Fill(Ellipse(51, 46, 5, 7), p.skin);
  cv.Fill(Ellipse(89, 46, 5, 7), p.skin * 0.85f);
  return cv;
}

Canvas Darkness() {
  Canvas cv(140, 200, {}, 0);
  // A shadow that swallows light: a swirl of near-black smoke with two eyes.
  for (int i = 0; i < 26; ++i) {
    const float a = i * 0.9f, r = 18 + i * 1.7f;
    const float x = 70 + std::cos(a) * r * 0.7f, y = 95 + std::sin(a) * r * 0.9f;
    cv.Fill(Rough(Circle(x, y, 20 + (i % 5) * 3), 5, 7, static_cast<uint32_t>(i)),
            Hex(0x16121e) * (0.8f + 0.05f * (i % 5)), 0.9f, 3);
  }
  cv.Fill(Ellipse(58, 80, 7, 3.5f), Hex(0xd8e040));
  cv.Fill(Ellipse(84, 80, 7, 3.5f), Hex(0xd8e040));
  cv.Fill(Circle(58, 80, 1.6f), Hex(0x2a1a00));
  cv.Fill(Circle(84, 80, 1.6f), Hex(0x2a1a00));
  return cv;
}

Canvas Vampire() {
  Canvas cv(140, 200, {}, 0);
  // The cape first, spread wide, red inside.
  cv.Fill(Poly({28, 60, 112, 60, 132, Feet, 8, Feet}), Cloth(Hex(0x1e1a24), 8, 132));
  cv.Fill(Poly({44, 66, 96, 66, 110, Feet - 4, 30, Feet - 4}), Cloth(Hex(0x9a1420), 30, 110));
  Person p;
  p.top = Hex(0x22202a);
  p.legs = Hex(0x22202a);
  p.skin = Hex(0xd8d8d0);
  p.armL = 1.1f;
  p.armR = 1.1f;
  Body(cv, p);
  cv.Fill(Poly({62, 66, 78, 66, 70, 92}), Hex(0xf0f0f0));
  cv.Fill(Poly({34, 40, 52, 62, 44, 70}), Hex(0x9a1420));  // high collar
  cv.Fill(Poly({106, 40, 88, 62, 96, 70}), Hex(0x7a1018));
  Head(cv, 70, 42, 16, p.skin, Face::Stern);
  cv.Fill(Poly({54, 36, 70, 22, 86, 36, 86, 28, 70, 24, 54, 28}), Hex(0x141018));
  cv.Fill(Intersect(Ellipse(70, 36, 17, 14), Box(50, 20, 90, 34)), Hex(0x141018));
  cv.Fill(Poly({70, 30, 66, 36, 74, 36}), Hex(0x141018));  // widow's peak
  cv.Fill(Poly({64, 52, 66, 52, 65, 57}), Hex(0xffffff));
  cv.Fill(Poly({74, 52, 76, 52, 75, 57}), Hex(0xffffff));
  return cv;
}

Canvas Woman() {
  Canvas cv(140, 200, {}, 0);
  // Long golden hair falling behind her.
  cv.Fill(Rough(Poly({48, 40, 92, 40, 98, 118, 42, 118}), 3, 4, 8),
          Textured(Linear(42, 0, Hex(0xf0c850), 98, 0, Hex(0xa07820)), 0.2f, 2, 6));
  Person p;
  p.robe = true;
  p.top = Hex(0x3a6ab0);
  p.skin = Hex(0xf0c8a8);
  p.shoulder = 20;
  p.armR = 0.2f;
  Body(cv, p);
  cv.Fill(Box(52, 104, 88, 109), Hex(0xd8b048));
  cv.Fill(Poly({58, 66, 82, 66, 70, 80}), Hex(0xf0c8a8));
  Head(cv, 70, 44, 15, p.skin, Face::Smile);
  cv.Fill(Rough(HairCap(70, 43, 16.5f), 1.5f, 3, 4),
          Textured(Linear(50, 0, Hex(0xf8d868), 90, 0, Hex(0xb08828)), 0.2f, 2, 6));
  cv.Fill(Ellipse(64, 51, 3, 1.5f), Hex(0xe89090));
  cv.Fill(Ellipse(76, 51, 3, 1.5f), Hex(0xe89090));
  return cv;
}

// A cat sitting, drawn in the top 110 rows.
Canvas Cat() {
  Canvas cv(140, 200, {}, 0);
  const Col fur = Hex(0xd88a3a), dark = Hex(0x8a4a1a), pale = Hex(0xf4e0c0);
  cv.Fill(Capsule(100, 100, 124, 56, 5, 4), Cloth(fur, 100, 124));  // tail curling up
  cv.Fill(Circle(124, 54, 5), dark);
  cv.Fill(Ellipse(78, 82, 30, 24), Rounded(fur, 72, 76, 30, 26));
  cv.Fill(Ellipse(70, 90, 14, 12), pale);
  cv.Fill(Ellipse(60, 104, 9, 4), pale);
  cv.Fill(Ellipse(82, 104, 9, 4), pale * 0.9f);
  for (int i = 0; i < 4; ++i) cv.Fill(Line(84 + i * 7, 64, 90 + i * 7, 92, 2), dark);
  // Head with ears and whiskers.
  const float hx = 62, hy = 44;
  cv.Fill(Poly({hx - 20, hy - 6, hx - 16, hy - 30, hx - 3, hy - 14}), fur * 0.9f);
  cv.Fill(Poly({hx + 20, hy - 6, hx + 16, hy - 30, hx + 3, hy - 14}), fur * 0.8f);
  cv.Fill(Poly({hx - 16, hy - 10, hx - 14, hy - 24, hx - 6, hy - 14}), Hex(0xe8a0a0));
  cv.Fill(Poly({hx + 16, hy - 10, hx + 14, hy - 24, hx + 6, hy - 14}), Hex(0xe8a0a0));
  cv.Fill(Ellipse(hx, hy, 22, 18), Rounded(fur, hx, hy, 22, 18, 0.3f));
  for (int i = -1; i <= 1; ++i) cv.Fill(Line(hx + i * 6, hy - 17, hx + i * 5, hy - 9, 1.5f), dark);
  cv.Fill(Ellipse(hx, hy + 8, 10, 7), pale);
  for (int s = -1; s <= 1; s += 2) {
    cv.Fill(Ellipse(hx + s * 8, hy - 2, 4.5f, 4), Hex(0x9ad040));
    cv.Fill(Ellipse(hx + s * 8, hy - 2, 1.3f, 3.6f), Hex(0x101010));
    for (int w = -1; w <= 1; ++w)
      cv.Fill(Line(hx + s * 8, hy + 8 + w, hx + s * 26, hy + 5 + w * 4, 0.45f), Hex(0xf8f8f0));
  }
  cv.Fill(Poly({hx - 3, hy + 4, hx + 3, hy + 4, hx, hy + 7}), Hex(0xd06070));
  cv.Fill(Line(hx, hy + 7, hx - 3, hy + 11, 0.7f), dark);
  cv.Fill(Line(hx, hy + 7, hx + 3, hy + 11, 0.7f), dark);
  return cv;
}

Canvas Crowd() {
  Canvas cv(140, 200, {}, 0);
  const Col tops[] = {Hex(0x8a3a2a), Hex(0x3a5a8a), Hex(0x6a7a3a), Hex(0x7a5a8a), Hex(0xa07a3a)};
  const Col skins[] = {Hex(0xe0b08a), Hex(0xc8966a), Hex(0xf0c8a8), Hex(0xa87850), Hex(0xe8b890)};
  // Pitchforks and a torch raised above the heads.
  cv.Fill(Line(22, 140, 16, 12, 2), Hex(0x7a5530));
  for (int t = -1; t <= 1; ++t) cv.Fill(Line(16 + t * 6, 12, 16 + t * 6, -2 + 6, 1.5f), Hex(0x9a9aa4));
  cv.Fill(Line(10, 12, 22, 12, 1.5f), Hex(0x9a9aa4));
  cv.Fill(Line(118, 140, 122, 22, 2.5f), Hex(0x7a5530));
  cv.Fill(Poly({114, 22, 122, 0, 130, 22, 122, 28}), Hex(0xf08020));
  cv.Fill(Poly({118, 22, 122, 8, 126, 22}), Hex(0xffd040));
  const float xs[] = {28, 112, 70, 44, 96};
  const float ys[] = {60, 62, 48, 84, 86};
  for (int i = 0; i < 5; ++i) {
    const float x = xs[i], y = ys[i], k = i < 3 ? 0.8f : 0.95f;
    cv.Fill(Poly({x - 22 * k, y + 16 * k, x + 22 * k, y + 16 * k, x + 26 * k, Feet, x - 26 * k, Feet}),
            Cloth(tops[i], x - 26, x + 26));
    Head(cv, x, y, 14 * k, skins[i], i % 2 ? Face::Snarl : Face::Frown);
    cv.Fill(Rough(HairCap(x, y, 14.5f * k), 2, 3, static_cast<uint32_t>(i)), Hex(0x3a2a1a) * (0.7f + 0.15f * i));
    if (i == 2) {
      cv.Fill(Ellipse(x, y - 10, 18, 4), Hex(0x6a4a2a));
      cv.Fill(Ellipse(x, y - 14, 11, 6), Hex(0x6a4a2a));
    }
  }
  // Fists shaken in the air.
  cv.Fill(Capsule(54, 110, 48, 72, 4, 4), tops[3]);
  cv.Fill(Circle(48, 70, 5), skins[3]);
  cv.Fill(Capsule(84, 110, 92, 72, 4, 4), tops[4]);
  cv.Fill(Circle(92, 70, 5), skins[4]);
  return cv;
}

Canvas God() {
  Canvas cv(140, 200, {}, 0);
  // A halo of light behind, and a cloud to stand on.
  cv.Fill(Circle(70, 42, 30), Hex(0xfff0a0));
  cv.Fill(Circle(70, 42, 25), Hex(0xffe070));
  Person p;
  p.robe = true;
  p.top = Hex(0xf0f0f8);
  p.skin = Hex(0xe8c0a0);
  p.shoulder = 26;
  p.armL = 1.3f;
  p.armR = 1.3f;
  Body(cv, p);
  cv.Fill(Poly({66, 66, 74, 66, 80, Feet - 10, 60, Feet - 10}), Hex(0xd8b048));
  Head(cv, 70, 42, 16, p.skin, Face::Stern);
  cv.Fill(Rough(HairCap(70, 42, 17), 2, 3, 6), Hex(0xf8f8f8));
  Beard(cv, 70, 42, 15, 26, Hex(0xf4f4f4));
  for (int i = 0; i < 7; ++i)
    cv.Fill(Circle(26 + i * 15, Feet - 6 + (i % 2) * 3, 14),
            Rounded(Hex(0xf8f8ff), 26 + i * 15, Feet - 8, 14, 14, 0.25f));
  return cv;
}

Canvas Dragon() {
  Canvas cv(140, 200, {}, 0);
  const Col scale = Hex(0x3a8a3a), belly = Hex(0xd8c060), wing = Hex(0x2a5a3a);
  // Wings spread behind.
  cv.Fill(Poly({70, 80, 2, 10, 10, 50, 0, 70, 16, 86, 10, 110}), Cloth(wing, 0, 70));
  cv.Fill(Poly({70, 80, 138, 10, 130, 50, 140, 70, 124, 86, 130, 110}), Cloth(wing * 0.85f, 70, 140));
  for (float x : {10.f, 130.f}) cv.Fill(Line(70, 80, x, 14, 1.5f), Hex(0x1a3a22));
  // Tail, body, legs.
  cv.Fill(Capsule(96, 150, 132, 166, 12, 4), Cloth(scale, 96, 132));
  cv.Fill(Poly({132, 166, 140, 156, 138, 172}), Hex(0xa02020));
  cv.Fill(Ellipse(70, 128, 36, 40), Rounded(scale, 62, 116, 36, 40));
  cv.Fill(Ellipse(64, 130, 18, 30), Textured(Flat(belly), 0.1f, 2, 3));
  for (int i = 0; i < 5; ++i) cv.Fill(Line(50, 108 + i * 10, 78, 108 + i * 10, 0.8f), belly * 0.7f);
  for (int s = -1; s <= 1; s += 2) {
    cv.Fill(Capsule(70 + s * 26, 150, 70 + s * 30, Feet - 4, 9, 7), Cloth(scale, 60, 100));
    for (int c = -1; c <= 1; ++c)
      cv.Fill(Poly({70.f + s * 30 + c * 5 - 2, Feet - 2, 70.f + s * 30 + c * 5 + 2, Feet - 2, 70.f + s * 30 + c * 6,
                    Feet + 1}),
              Hex(0xf0f0e0));
  }
  // Neck and horned head, smoke from the nostrils.
  cv.Fill(Capsule(64, 100, 56, 52, 14, 11), Cloth(scale, 44, 78));
  cv.Fill(Ellipse(52, 42, 22, 15), Rounded(scale, 48, 38, 22, 15));
  cv.Fill(Ellipse(34, 48, 12, 8), Rounded(scale * 1.1f, 32, 46, 12, 8));
  cv.Fill(Poly({58, 30, 74, 4, 68, 32}), Hex(0xe8e0c0));
  cv.Fill(Poly({48, 30, 56, 6, 56, 32}), Hex(0xd8d0b0));
  cv.Fill(Ellipse(50, 38, 5, 3.5f), Hex(0xf0d020));
  cv.Fill(Ellipse(50, 38, 1.4f, 3), Hex(0x101010));
  cv.Fill(Line(24, 54, 44, 54, 1.2f), Hex(0x1a3a1a));
  for (int i = 0; i < 3; ++i) cv.Fill(Poly({28.f + i * 6, 54, 31.f + i * 6, 54, 29.5f + i * 6, 58}), Hex(0xffffff));
  cv.Fill(Circle(25, 44, 1.6f), Hex(0x101010));
  for (int i = 0; i < 3; ++i) cv.Fill(Circle(14 - i * 5, 36 - i * 6, 4 + i * 1.5f), Hex(0xb8b8b8), 0.8f);
  for (int i = 0; i < 5; ++i)
    cv.Fill(Poly({62.f + i * 3, 62.f + i * 10, 70.f + i * 3, 58.f + i * 10, 66.f + i * 3, 66.f + i * 10}),
            Hex(0xa02020));
  return cv;
}

Canvas Dog() {
  Canvas cv(140, 200, {}, 0);
  const Col fur = Hex(0x6a4a2a), dark = Hex(0x2a1a10);
  const float base = Feet;
  cv.Fill(Capsule(110, base - 50, 128, base - 78, 5, 3), Cloth(fur, 110, 128));
  cv.Fill(Ellipse(82, base - 46, 38, 22), Rounded(fur, 76, base - 54, 38, 22));
  for (int i = 0; i < 4; ++i) {
    const float lx = 54 + i * 20 + (i > 1 ? 8 : 0);
    cv.Fill(Capsule(lx, base - 40, lx + (i % 2 ? 2 : -2), base - 4, 6, 5),
            Cloth(fur * (i % 2 ? 0.8f : 1.f), lx - 6, lx + 6));
    cv.Fill(Ellipse(lx, base - 3, 7, 3.5f), fur * 0.7f);
  }
  // Big head with bared teeth, ears back, spiked collar.
  const float hx = 44, hy = base - 74;
  cv.Fill(Capsule(64, base - 56, hx + 6, hy + 6, 16, 14), Cloth(fur, 40, 80));
  cv.Fill(Box(50, base - 70, 72, base - 60, 3), Hex(0xa02020));
  for (int i = 0; i < 4; ++i)
    cv.Fill(Poly({52.f + i * 6, base - 70, 55.f + i * 6, base - 70, 53.5f + i * 6, base - 76}), Hex(0xd0d0d8));
  cv.Fill(Ellipse(hx, hy, 20, 17), Rounded(fur, hx - 4, hy - 4, 20, 17));
  cv.Fill(Poly({hx + 8, hy - 12, hx + 24, hy - 24, hx + 18, hy - 4}), dark);
  cv.Fill(Ellipse(hx - 14, hy + 6, 14, 10), Rounded(fur * 1.1f, hx - 16, hy + 4, 14, 10));
  cv.Fill(Ellipse(hx - 26, hy + 1, 4, 3), dark);
  cv.Fill(Box(hx - 26, hy + 9, hx - 4, hy + 14, 2), Hex(0x5a1a14));
  for (int i = 0; i < 5; ++i)
    cv.Fill(Poly({hx - 25.f + i * 4.4f, hy + 9, hx - 22.f + i * 4.4f, hy + 9, hx - 23.5f + i * 4.4f, hy + 13}),
            Hex(0xffffff));
  cv.Fill(Ellipse(hx - 4, hy - 5, 3.5f, 2.5f), Hex(0xf0e040));
  cv.Fill(Circle(hx - 4, hy - 5, 1.3f), Hex(0x101010));
  cv.Fill(Line(hx - 10, hy - 11, hx + 2, hy - 7, 1.2f), dark);
  return cv;
}

void Troll(Canvas& cv, float x, float k, Col skin, bool club) {
  const float top = Feet - 150 * k;
  cv.Fill(Ellipse(x, top + 85 * k, 36 * k, 50 * k), Rounded(skin, x - 6, top + 70 * k, 36 * k, 50 * k));
  cv.Fill(Box(x - 30 * k, top + 100 * k, x + 30 * k, top + 120 * k), Cloth(Hex(0x6a5a3a), x - 30 * k, x + 30 * k));
  for (int s = -1; s <= 1; s += 2) {
    cv.Fill(Capsule(x + s * 16 * k, top + 120 * k, x + s * 18 * k, Feet - 6, 10 * k, 9 * k),
            Cloth(skin, x - 30, x + 30));
    cv.Fill(Ellipse(x + s * 22 * k, Feet - 4, 14 * k, 5), skin * 0.7f);
    cv.Fill(Capsule(x + s * 32 * k, top + 60 * k, x + s * 40 * k, top + 118 * k, 9 * k, 8 * k),
            Cloth(skin * 0.95f, x - 40, x + 40));
  }
  if (club)
    cv.Fill(Capsule(x + 40 * k, top + 120 * k, x + 50 * k, top + 40 * k, 4 * k, 10 * k),
            Cloth(Hex(0x5a3a20), x + 30, x + 60));
  const float hy = top + 28 * k;
  cv.Fill(Ellipse(x, hy, 22 * k, 20 * k), Rounded(skin, x - 4, hy - 4, 22 * k, 20 * k));
  cv.Fill(Poly({x - 20 * k, hy - 6 * k, x - 34 * k, hy - 16 * k, x - 20 * k, hy + 2 * k}), skin * 0.9f);
  cv.Fill(Poly({x + 20 * k, hy - 6 * k, x + 34 * k, hy - 16 * k, x + 20 * k, hy + 2 * k}), skin * 0.8f);
  cv.Fill(Ellipse(x, hy + 4 * k, 7 * k, 9 * k), skin * 0.85f);
  Eyes(cv, x, hy - 6 * k, 9 * k, 3 * k, Face::Snarl, Hex(0xa02010));
  cv.Fill(Box(x - 11 * k, hy + 13 * k, x + 11 * k, hy + 17 * k, 2), Hex(0x3a1a10));
  cv.Fill(Poly({x - 8 * k, hy + 13 * k, x - 4 * k, hy + 13 * k, x - 6 * k, hy + 7 * k}), Hex(0xf0f0d0));
  cv.Fill(Poly({x + 8 * k, hy + 13 * k, x + 4 * k, hy + 13 * k, x + 6 * k, hy + 7 * k}), Hex(0xf0f0d0));
  cv.Fill(Rough(Ellipse(x, hy - 18 * k, 12 * k, 5 * k), 2, 3, 4), Hex(0x2a3a1a));
}

Canvas Trolls() {
  Canvas cv(140, 200, {}, 0);
  Troll(cv, 92, 0.85f, Hex(0x7a8a5a), true);
  Troll(cv, 44, 0.95f, Hex(0x8a9a6a), false);
  return cv;
}

Canvas Beggar() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.robe = true;
  p.top = Hex(0x7a6a52);
  p.skin = Hex(0xd8a880);
  p.neck = 70;
  p.armR = 0.9f;
  Body(cv, p);
  for (int i = 0; i < 5; ++i)
    cv.Fill(Box(44 + i * 11, 100 + (i % 3) * 22, 52 + i * 11, 110 + (i % 3) * 22), Hex(0x5a4a3a + 0x101010 * (i % 2)));
  cv.Fill(Rough(Poly({40, Feet, 46, 150, 54, Feet}), 1, 2, 2), Hex(0x5a4a3a));
  // A begging bowl held out.
  cv.Fill(Intersect(Ellipse(116, 106, 13, 9), Box(100, 106, 132, 120)), Rounded(Hex(0x8a6a4a), 116, 108, 13, 9));
  Head(cv, 66, 54, 16, p.skin, Face::Sad);
  // Hood pulled over a bowed head.
  cv.Fill(Cut(Ellipse(66, 52, 21, 22), Ellipse(66, 58, 14, 17)), Cloth(Hex(0x5a4a3a), 44, 88));
  Beard(cv, 66, 54, 12, 8, Hex(0xb8b0a8));
  return cv;
}

Canvas DirtyOldMan() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.top = Hex(0x7a7040);
  p.legs = Hex(0x4a4030);
  p.skin = Hex(0xc8a080);
  p.armL = 0.3f;
  p.armR = 0.4f;
  Body(cv, p);
  for (int i = 0; i < 9; ++i)
    cv.Fill(Rough(Circle(50 + (i * 29) % 40, 78 + (i * 17) % 50, 4 + i % 3), 1.5f, 2, static_cast<uint32_t>(i)),
            Hex(0x4a3a1a), 0.8f);
  Head(cv, 70, 46, 16, p.skin, Face::Grin);
  for (int i = 0; i < 14; ++i) cv.Fill(Circle(58 + (i * 7) % 24, 54 + (i * 5) % 9, 0.8f), Hex(0x5a4a3a));
  cv.Fill(Rough(Ellipse(70, 31, 18, 6), 2, 2, 7), Hex(0x9a9a98));
  cv.Fill(Rough(Ellipse(52, 40, 5, 9), 2, 2, 8), Hex(0x9a9a98));
  cv.Fill(Rough(Ellipse(88, 40, 5, 9), 2, 2, 9), Hex(0x9a9a98));
  // Flies buzzing round him, and wavy lines of smell.
  for (int i = 0; i < 4; ++i) {
    const float fx = 24 + i * 28, fy = 14 + (i % 2) * 12;
    cv.Fill(Circle(fx, fy, 2), Hex(0x202020));
    cv.Fill(Ellipse(fx - 2, fy - 2.5f, 2, 1.3f), Hex(0xd0e0f0));
    cv.Fill(Ellipse(fx + 2, fy - 2.5f, 2, 1.3f), Hex(0xd0e0f0));
  }
  for (int s = -1; s <= 1; s += 2)
    for (int j = 0; j < 4; ++j)
      cv.Fill(Line(70 + s * 36 + (j % 2 ? 3 : -3), 70 + j * 9, 70 + s * 36 + (j % 2 ? -3 : 3), 79 + j * 9, 1.1f),
              Hex(0x8aa040));
  return cv;
}

Canvas Riddler() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.robe = true;
  p.top = Hex(0x4a2a7a);
  p.skin = Hex(0xe0b898);
  p.armR = 0.15f;
  p.armL = 0.6f;
  Body(cv, p);
  // Question marks sewn on the robe.
  for (int i = 0; i < 3; ++i) DrawText(cv, "?", 50.f + i * 14, 92.f + (i % 2) * 30, 13, 1.2f, Flat(Hex(0xe8c840)));
  cv.Fill(Line(116, 20, 116, Feet, 2.5f), Hex(0x7a5530));
  cv.Fill(Circle(116, 18, 6), Rounded(Hex(0x80d0ff), 116, 18, 6, 6));
  Head(cv, 70, 44, 15, p.skin, Face::Smile);
  cv.Fill(Rough(HairCap(70, 44, 16), 1.5f, 3, 4), Hex(0xd8d8d8));
  Beard(cv, 70, 44, 14, 38, Hex(0xe8e8e8));
  cv.Fill(Poly({50, 34, 90, 34, 76, -4 + 8}), Cloth(Hex(0x4a2a7a), 50, 90));
  cv.Fill(Circle(76, 7, 3), Hex(0xe8c840));
  return cv;
}

Canvas FrostBeast() {
  Canvas cv(140, 200, {}, 0);
  const Col fur = Hex(0xe8f0f8);
  auto furShade = [&](float x0, float x1) {
    return Textured(Linear(x0, 0, fur, x1, 0, Hex(0x8aa0c0)), 0.25f, 2.5f, 5);
  };
  for (int s = -1; s <= 1; s += 2) {
    cv.Fill(Rough(Capsule(70 + s * 18, 120, 70 + s * 22, Feet - 6, 13, 11), 3, 3, 3), furShade(50, 100));
    cv.Fill(Ellipse(70 + s * 24, Feet - 4, 15, 6), Hex(0x6a7a9a));
    cv.Fill(Rough(Capsule(70 + s * 40, 58, 70 + s * 56, 118, 12, 10), 3, 3, 5), furShade(20, 120));
    for (int c = -1; c <= 1; ++c)
      cv.Fill(Poly({70.f + s * 56 + c * 6 - 2, 124, 70.f + s * 56 + c * 6 + 2, 124, 70.f + s * 58 + c * 7, 138}),
              Hex(0xa8e0ff));
  }
  cv.Fill(Rough(Ellipse(70, 92, 42, 50), 4, 4, 7), furShade(28, 112));
  cv.Fill(Rough(Ellipse(70, 38, 24, 22), 3, 3, 9), furShade(46, 94));
  cv.Fill(Ellipse(70, 44, 15, 13), Hex(0x7a8ab0));
  Eyes(cv, 70, 38, 7, 3, Face::Snarl, Hex(0x40c0ff));
  cv.Fill(Box(62, 49, 78, 54, 2), Hex(0x2a1a2a));
  cv.Fill(Poly({63, 49, 66, 49, 64.5f, 56}), Hex(0xffffff));
  cv.Fill(Poly({74, 49, 77, 49, 75.5f, 56}), Hex(0xffffff));
  for (int s = -1; s <= 1; s += 2)
    cv.Fill(Poly({70.f + s * 14, 22, 70.f + s * 26, 4, 70.f + s * 22, 24}), Hex(0xa8d8f0));
  return cv;
}

Canvas RingOwner() {
  Canvas cv(140, 200, {}, 0);
  Person p;
  p.top = Hex(0x8a2a4a);
  p.legs = Hex(0x2a2a4a);
  p.skin = Hex(0xe8c0a0);
  p.armR = 1.2f;
  Body(cv, p);
  cv.Fill(Poly({46, 70, 94, 70, 98, 126, 42, 126}), Cloth(Hex(0x8a2a4a), 42, 98));
  for (int i = 0; i < 4; ++i) cv.Fill(Circle(70, 78 + i * 12, 2), Hex(0xd8b048));
  cv.Fill(Box(44, 106, 96, 111), Hex(0xd8b048));
  Head(cv, 70, 44, 15, p.skin, Face::Sad);
  cv.Fill(Rough(HairCap(70, 44, 16), 1.5f, 3, 4), Hex(0x5a3a1a));
  // A feathered hat, and an empty hand held out where a ring should be.
  cv.Fill(Ellipse(68, 30, 24, 5), Hex(0x2a2a4a));
  cv.Fill(Intersect(Ellipse(68, 28, 15, 12), Box(50, 14, 86, 29)), Hex(0x2a2a4a));
  cv.Fill(Capsule(80, 24, 104, 4, 3, 1), Hex(0xf0f0e0));
  cv.Fill(Circle(118, 97, 2.4f), Hex(0xe0b090) * 0.7f);
  return cv;
}

Canvas Ghost() {
  Canvas cv(140, 200, {}, 0);
  Shape sheet = Union(Circle(70, 52, 32),
                      Poly({38, 52, 102, 52, 112, 150, 98, 140, 86, 156, 72, 142, 58, 158, 44, 142, 28, 152}));
  sheet = Union(sheet, Capsule(40, 70, 14, 96, 8, 6));
  sheet = Union(sheet, Capsule(100, 70, 126, 96, 8, 6));
  cv.Fill(Rough(sheet, 2, 6, 3), [](float x, float y) {
    return Mix(Hex(0xf4f8ff), Hex(0x9ab0d0), Clamp01((x - 40) / 110.f + (y - 40) / 300.f));
  });
  cv.Fill(Ellipse(58, 50, 7, 10), Hex(0x1a2030));
  cv.Fill(Ellipse(82, 50, 7, 10), Hex(0x1a2030));
  cv.Fill(Ellipse(70, 76, 8, 11), Hex(0x1a2030));
  // See-through: every other pixel of the lower sheet lets the room show.
  for (int y = 110; y < 200; ++y)
    for (int x = 0; x < 140; ++x)
      if ((x + y) % 2 == 0 && (y > 128 || (x + y * 3) % 4 == 0)) cv.A(x, y) = 0;
  return cv;
}

Canvas Demon() {
  Canvas cv(140, 200, {}, 0);
  const Col skin = Hex(0xb02a1a);
  cv.Fill(Poly({60, 70, 0, 20, 12, 60, 2, 90, 24, 96, 30, 120}), Cloth(Hex(0x3a1414), 0, 60));
  cv.Fill(Poly({80, 70, 140, 20, 128, 60, 138, 90, 116, 96, 110, 120}), Cloth(Hex(0x2a0e0e), 80, 140));
  Person p;
  p.top = skin;
  p.legs = skin * 0.8f;
  p.boots = Hex(0x1a0a08);
  p.skin = skin;
  p.shoulder = 30;
  p.armL = 0.8f;
  p.armR = 0.8f;
  Body(cv, p);
  cv.Fill(Box(46, 108, 94, 122), Hex(0x1a0a08));
  for (int i = 0; i < 3; ++i) cv.Fill(Line(56, 80 + i * 8, 84, 80 + i * 8, 0.9f), skin * 0.6f);
  for (int s = -1; s <= 1; s += 2)
    for (int c = -1; c <= 1; ++c)
      cv.Fill(Poly({70.f + s * 50 + c * 3, 118, 70.f + s * 50 + c * 3 + 2, 118, 70.f + s * 52 + c * 4, 128}),
              Hex(0xf0f0d0));
  Head(cv, 70, 42, 17, skin * 1.1f, Face::Snarl);
  cv.Fill(Ellipse(62, 41, 3.5f, 2.5f), Hex(0xffe020));
  cv.Fill(Ellipse(78, 41, 3.5f, 2.5f), Hex(0xffe020));
  for (int s = -1; s <= 1; s += 2) cv.Fill(Capsule(70 + s * 12, 30, 70 + s * 24, 6, 5, 1.5f), Hex(0x2a2420));
  cv.Fill(Capsule(70, 60, 70, 68, 4, 1), skin);  // pointed beard
  return cv;
}

Canvas Keeper() {
  Canvas cv(140, 200, {}, 0);
  // A sorcerer in black and purple armour with a crown of stones, holding
  // the golden staff.
  cv.Fill(Poly({36, 62, 104, 62, 126, Feet, 14, Feet}), Cloth(Hex(0x2a1a3a), 14, 126));
  Person p;
  p.robe = true;
  p.top = Hex(0x3a2a4a);
  p.skin = Hex(0xa8b0a0);
  p.shoulder = 28;
  p.armR = 0.6f;
  p.armL = 0.2f;
  Body(cv, p);
  for (int s = -1; s <= 1; s += 2)
    cv.Fill(Ellipse(70 + s * 26, 68, 14, 9), Rounded(Hex(0x5a5a6a), 70 + s * 26, 66, 14, 9));
  cv.Fill(Poly({56, 70, 84, 70, 78, 120, 62, 120}), Cloth(Hex(0x5a5a6a), 56, 84));
  cv.Fill(Circle(70, 90, 6), Rounded(Hex(0xc02040), 70, 90, 6, 6));
  // The staff with its glowing head.
  cv.Fill(Line(118, 10, 116, Feet, 3), Linear(112, 0, Hex(0xf0d060), 120, 0, Hex(0x8a6a20)));
  cv.Fill(Circle(118, 12, 7), Rounded(Hex(0xffe880), 118, 12, 7, 7));
  cv.Fill(Circle(118, 12, 10), Hex(0xffe880), 0.35f);
  Head(cv, 70, 42, 15, p.skin, Face::Stern);
  cv.Fill(Ellipse(64, 41, 3, 2), Hex(0xff3030));
  cv.Fill(Ellipse(76, 41, 3, 2), Hex(0xff3030));
  cv.Fill(Cut(Ellipse(70, 40, 20, 22), Ellipse(70, 46, 13, 17)), Cloth(Hex(0x1e1228), 50, 90));
  const Col stones[] = {Hex(0xc02040), Hex(0x30a060), Hex(0x3060d0), Hex(0xd0a020), Hex(0x9040c0)};
  cv.Fill(Box(54, 20, 86, 26), Hex(0x8a8a9a));
  for (int i = 0; i < 5; ++i)
    cv.Fill(Poly({55.f + i * 7.5f, 21, 59.f + i * 7.5f, 10.f + (i % 2) * 4, 63.f + i * 7.5f, 21}),
            Rounded(stones[i], 59.f + i * 7.5f, 16, 4, 6));
  Beard(cv, 70, 42, 12, 14, Hex(0x3a3a4a));
  return cv;
}

// ----------------------------------------------------------------- lying

Canvas SleepingCaveman() {
  Canvas cv(200, 140, {}, 0);
  const Col skin = Hex(0xc8966a);
  cv.Fill(Capsule(40, 70, 150, 74, 22, 20), Cloth(Hex(0xa07a40), 40, 170));
  for (int i = 0; i < 6; ++i) cv.Fill(Circle(60 + i * 15, 64 + (i % 2) * 10, 3.5f), Hex(0x5a3a1a));
  cv.Fill(Capsule(150, 74, 190, 76, 9, 8), Cloth(Hex(0xc89a70), 150, 190));
  cv.Fill(Capsule(150, 66, 188, 64, 8, 7), Cloth(Hex(0xc89a70), 150, 190));
  cv.Fill(Ellipse(193, 74, 5, 8), Hex(0x6a4a2a));
  cv.Fill(Ellipse(191, 62, 5, 7), Hex(0x6a4a2a));
  cv.Fill(Capsule(70, 52, 120, 50, 7, 6), skin);  // arm over the belly
  Head(cv, 26, 66, 18, skin, Face::Sleep);
  cv.Fill(Rough(Ellipse(16, 56, 14, 16), 3, 3, 5), Hex(0x3a2414));
  Beard(cv, 26, 66, 14, 6, Hex(0x3a2414));
  cv.Fill(Capsule(70, 88, 150, 82, 4, 9), Cloth(Hex(0x8a5a30), 70, 160));  // club by his side
  DrawText(cv, "Z", 40, 22, 12, 1.4f, Flat(Hex(0xf0f0ff)));
  DrawText(cv, "Z", 56, 8, 16, 1.7f, Flat(Hex(0xf0f0ff)));
  DrawText(cv, "Z", 76, 0, 9, 1.2f, Flat(Hex(0xf0f0ff)));
  return cv;
}

Canvas DeadGuard() {
  Canvas cv(200, 140, {}, 0);
  cv.Fill(Capsule(50, 62, 140, 64, 17, 15), Cloth(Hex(0x8a8a94), 50, 150));
  cv.Fill(Capsule(60, 62, 130, 64, 13, 12), Cloth(Hex(0xa02828), 60, 140));
  cv.Fill(Capsule(140, 60, 188, 52, 7, 6), Cloth(Hex(0x5a5a64), 140, 190));
  cv.Fill(Capsule(140, 68, 190, 74, 7, 6), Cloth(Hex(0x5a5a64), 140, 190));
  cv.Fill(Ellipse(193, 50, 5, 7), Hex(0x2a2420));
  cv.Fill(Ellipse(195, 76, 5, 7), Hex(0x2a2420));
  Head(cv, 30, 62, 16, Hex(0xd8c0a0), Face::Dead);
  Helmet(cv, 12, 84, 11, Hex(0xa8a8b4), true);  // knocked off
  Spear(cv, 100, 84, 84);
  cv.Fill(Line(40, 88, 170, 86, 2.2f), Hex(0x7a5530));
  cv.Fill(Poly({170, 80, 186, 86, 170, 92}), Hex(0xc8c8d0));
  // The bitten apple beside him.
  cv.Fill(Circle(74, 92, 6), Rounded(Hex(0x5aa030), 72, 90, 6, 6));
  cv.Fill(Circle(79, 90, 3), Hex(0x010101));
  return cv;
}

}  // namespace

std::vector<glim::Image> CharacterPictures() {
  std::vector<Canvas> c;
  c.push_back(Caveman());
  c.push_back(Guard(Hex(0xa02828), Face::Stern, false));
  c.push_back(Wally());
  c.push_back(Darkness());
  c.push_back(Vampire());
  c.push_back(Woman());
  c.push_back(Cat());  // character 7 has no part; its slot holds the cat
  c.push_back(Crowd());
  c.push_back(God());
  c.push_back(Guard(Hex(0x3a5aa0), Face::Sad, true));
  c.push_back(Dragon());
  c.push_back(Dog());
  c.push_back(Trolls());
  c.push_back(Beggar());
  c.push_back(DirtyOldMan());
  c.push_back(Riddler());
  c.push_back(FrostBeast());
  c.push_back(Guard(Hex(0x2a7a4a), Face::Frown, false));
  c.push_back(RingOwner());
  c.push_back(Ghost());
  c.push_back(Demon());
  c.push_back(Keeper());
  std::vector<glim::Image> out;
  for (size_t i = 0; i < c.size(); ++i) out.push_back(c[i].ToSprite(i != 3, i == 19 ? Hex(0x5a6a8a) : Hex(0x1b1612)));
  return out;
}

std::vector<glim::Image> LyingPictures() { return {SleepingCaveman().ToSprite(true), DeadGuard().ToSprite(true)}; }

glim::Image Strip(const std::vector<glim::Image>& cells) {
  int w = 0, h = 0;
  for (const auto& c : cells) {
    w += c.W;
    h = std::max(h, c.H);
  }
  glim::Image out(w, h);
  int x = 0;
  for (const auto& c : cells) {
    glim::Blit(out, c, x, 0, false);
    x += c.W;
  }
  return out;
}

}  // namespace pics
