// The 51 object icons (32 x 32 on pure black), the button pictures and the
// application icon.
#include <algorithm>

#include "tools/pictures/Sprites.h"

namespace pics {

namespace {

Shader Sh(Col c, float x0 = 4, float x1 = 28) { return Linear(x0, x0, c * 1.3f, x1, x1, c * 0.65f); }

const Col Gold = Hex(0xe0b030), Silver = Hex(0xc8ccd8), Iron = Hex(0x5a5a62), Rust = Hex(0xa0521e);
const Col Wood = Hex(0x9a6a3a), Paper = Hex(0xeadcb4);

// A key lying corner to corner: its bow top-left, its bit bottom-right.
void Key(Canvas& cv, Col c, int bow, bool bent, bool speckled, bool sparkle) {
  const float ex = bent ? 22 : 25, ey = bent ? 27 : 25;
  if (bent) {
    cv.Fill(Line(11, 11, 17, 18, 1.8f), Sh(c));
    cv.Fill(Line(17, 18, ex, ey, 1.8f), Sh(c));
  } else {
    cv.Fill(Line(11, 11, ex, ey, 1.8f), Sh(c));
  }
  // The bit: two teeth.
  cv.Fill(Line(ex - 4, ey - 4, ex - 8, ey, 1.6f), Sh(c));
  cv.Fill(Line(ex - 1, ey - 1, ex - 5, ey + 3, 1.6f), Sh(c));
  if (bow == 0) {
    cv.Fill(Cut(Circle(8, 8, 6.5f), Circle(8, 8, 3)), Sh(c, 1, 15));
  } else if (bow == 1) {
    // Trefoil bow with a jewel.
    for (int i = 0; i < 3; ++i) {
      const float a = -2.36f + (i - 1) * 1.2f;
      cv.Fill(Circle(9 + std::cos(a) * 4, 9 + std::sin(a) * 4, 3.6f), Sh(c, 1, 15));
    }
    cv.Fill(Circle(9, 9, 3.4f), Sh(c, 1, 15));
    cv.Fill(Circle(9, 9, 2.1f), Hex(0x3070f0));
  } else {
    cv.Fill(Cut(Poly({2, 4, 14, 6, 6, 15}), Poly({6, 7, 10, 8, 7, 11})), Sh(c, 1, 15));
  }
  if (speckled)
    for (int i = 0; i < 9; ++i) cv.Fill(Circle(6.f + (i * 7) % 18, 5.f + (i * 11) % 20, 0.9f), Hex(0x5a2a0a));
  if (sparkle) {
    cv.Fill(Line(24, 6, 30, 6, 0.6f), Hex(0xffffff));
    cv.Fill(Line(27, 3, 27, 9, 0.6f), Hex(0xffffff));
    cv.Fill(Circle(27, 6, 1.2f), Hex(0xffffff));
  }
}

void Bottle(Canvas& cv, Col glass, Col label) {
  cv.Fill(Box(13, 3, 19, 10), glass * 0.8f);
  cv.Fill(Box(12, 2, 20, 5, 1), Hex(0x8a6a4a));
  cv.Fill(Union(Ellipse(16, 20, 9, 10), Box(7, 15, 25, 28, 3)), Sh(glass, 6, 26));
  cv.Fill(Box(9, 17, 23, 25), label);
  cv.Fill(Line(9, 14, 9, 26, 0.8f), Hex(0xffffff), 0.6f);
}

void AmuletHalf(Canvas& cv, bool left, Col gem) {
  const float cx = left ? 19 : 13;
  Shape disc = Intersect(Circle(cx, 16, 12), left ? Box(0, 0, cx - 0.5f, 32) : Box(cx + 0.5f, 0, 32, 32));
  cv.Fill(disc, Sh(Gold, 4, 28));
  cv.Fill(Intersect(Circle(cx, 16, 8), left ? Box(0, 0, cx - 0.5f, 32) : Box(cx + 0.5f, 0, 32, 32)), Gold * 0.7f);
  cv.Fill(Intersect(Circle(cx, 16, 5), left ? Box(0, 0, cx - 0.5f, 32) : Box(cx + 0.5f, 0, 32, 32)), Sh(gem, 8, 24));
  // The broken edge, jagged.
  for (int i = 0; i < 4; ++i)
    cv.Fill(Poly({cx, 5.f + i * 6, cx + (left ? -2.5f : 2.5f), 8.f + i * 6, cx, 11.f + i * 6}), Hex(0x010101));
  cv.Fill(Cut(Circle(cx, 3, 3), Circle(cx, 3, 1.6f)), Gold);
}

Canvas Icon(int k) {
  Canvas cv(32, 32, {}, 0);
  switch (k) {
    case 1:  // book
      cv.Fill(Box(5, 4, 27, 28, 2), Sh(Hex(0x7a2a1a)));
      cv.Fill(Box(24, 6, 27, 27), Paper);
      cv.Fill(Box(5, 4, 9, 28, 1), Hex(0x5a1a10));
      cv.Fill(Poly({16, 9, 18, 14, 23, 14, 19, 17, 21, 22, 16, 19, 11, 22, 13, 17, 9, 14, 14, 14}), Gold);
      break;
    case 2:  // map
      cv.Fill(Poly({3, 7, 11, 4, 20, 7, 29, 4, 29, 26, 20, 29, 11, 26, 3, 29}), Sh(Paper));
      cv.Fill(Line(11, 4, 11, 26, 0.6f), Paper * 0.7f);
      cv.Fill(Line(20, 7, 20, 29, 0.6f), Paper * 0.7f);
      for (int i = 0; i < 5; ++i) cv.Fill(Circle(7.f + i * 3.5f, 22.f - i * 2.6f, 0.9f), Hex(0x6a3a1a));
      cv.Fill(Line(22, 9, 26, 13, 1.1f), Hex(0xc01010));
      cv.Fill(Line(26, 9, 22, 13, 1.1f), Hex(0xc01010));
      cv.Fill(Poly({6, 11, 9, 8, 12, 12}), Hex(0x5a7a3a));
      break;
    case 3:  // rose
      cv.Fill(Line(16, 16, 14, 30, 1.3f), Hex(0x2a7a2a));
      cv.Fill(Ellipse(10, 23, 4, 2), Hex(0x3a8a2a));
      cv.Fill(Ellipse(20, 21, 4, 2), Hex(0x3a8a2a));
      cv.Fill(Circle(16, 11, 8), Sh(Hex(0xd01828), 8, 24));
      cv.Fill(Cut(Circle(16, 11, 5), Circle(17, 10, 3)), Hex(0x8a0a18));
      cv.Fill(Cut(Circle(15, 12, 2.5f), Circle(16, 11, 1)), Hex(0x8a0a18));
      break;
    case 4: Key(cv, Rust, 0, false, true, false); break;
    case 5:  // slug
      cv.Fill(Capsule(5, 22, 25, 20, 4, 6), Sh(Hex(0xb89a40)));
      cv.Fill(Line(24, 16, 27, 10, 0.8f), Hex(0x8a7a30));
      cv.Fill(Line(22, 16, 22, 10, 0.8f), Hex(0x8a7a30));
      cv.Fill(Circle(27, 10, 1.3f), Hex(0x3a2a10));
      cv.Fill(Circle(22, 10, 1.3f), Hex(0x3a2a10));
      cv.Fill(Line(3, 27, 20, 27, 0.6f), Hex(0xd0e0f0), 0.6f);
      break;
    case 6:  // oil can
      cv.Fill(Box(6, 12, 22, 28, 2), Sh(Hex(0x3a6a3a)));
      cv.Fill(Poly({20, 14, 30, 6, 31, 8, 22, 18}), Sh(Hex(0x8a8a8a)));
      cv.Fill(Capsule(9, 12, 19, 12, 4, 4), Hex(0x2a4a2a));
      cv.Fill(Ellipse(30, 11, 1.3f, 2), Hex(0xd8a020));
      cv.Fill(Box(9, 18, 19, 23), Hex(0xd8b040));
      break;
    case 7:  // statue
      cv.Fill(Box(8, 25, 24, 30), Sh(Hex(0x8a8a80)));
      cv.Fill(Poly({11, 25, 21, 25, 19, 11, 13, 11}), Sh(Hex(0xb0aca0)));
      cv.Fill(Circle(16, 7, 4), Sh(Hex(0xb0aca0), 12, 20));
      cv.Fill(Line(13, 13, 8, 6, 1.5f), Hex(0xb0aca0));
      break;
    case 8:  // apple
    case 48:
      cv.Fill(Union(Circle(12, 18, 9), Circle(20, 18, 9)), Sh(k == 8 ? Hex(0xd02a1a) : Hex(0x6a8a2a), 4, 28));
      cv.Fill(Line(16, 10, 18, 4, 1), Hex(0x5a3a1a));
      cv.Fill(Ellipse(22, 6, 4, 2), Hex(0x3a9a2a));
      cv.Fill(Ellipse(11, 14, 2, 3), Hex(0xffffff), 0.5f);
      break;
    case 9:  // poison
      Bottle(cv, Hex(0x3aa040), Hex(0xe8e0c8));
      cv.Fill(Circle(16, 20, 2.8f), Hex(0x101010));
      cv.Fill(Line(12, 24, 20, 24, 0.8f), Hex(0x101010));
      cv.Fill(Line(12, 22, 20, 26, 0.7f), Hex(0x101010));
      cv.Fill(Line(12, 26, 20, 22, 0.7f), Hex(0x101010));
      break;
    case 10:  // candle
    case 46:
      cv.Fill(Ellipse(16, 28, 11, 3), Sh(Hex(0xc8a040)));
      cv.Fill(Box(12, 11, 20, 27, 1), Sh(Hex(0xf4ecd8), 10, 22));
      cv.Fill(Line(16, 11, 16, 7, 0.7f), Hex(0x2a2a2a));
      if (k == 46) {
        cv.Fill(Ellipse(16, 4, 2.6f, 4), Hex(0xffb020));
        cv.Fill(Ellipse(16, 5, 1.2f, 2), Hex(0xfff0c0));
      }
      break;
    case 11:  // camera
      cv.Fill(Box(3, 11, 29, 27, 2), Sh(Hex(0x3a3a40)));
      cv.Fill(Box(6, 7, 14, 11), Hex(0x2a2a30));
      cv.Fill(Circle(17, 19, 6.5f), Sh(Hex(0x8a8a90), 10, 24));
      cv.Fill(Circle(17, 19, 4), Hex(0x203050));
      cv.Fill(Circle(15.5f, 17.5f, 1.3f), Hex(0xffffff));
      cv.Fill(Box(22, 5, 28, 10, 1), Hex(0xf0f0e0));
      break;
    case 12: AmuletHalf(cv, true, Hex(0x3070e0)); break;
    case 13:  // marble
      cv.Fill(Circle(16, 16, 10), Sh(Hex(0x4aa0d0), 6, 26));
      cv.Fill(Cut(Circle(16, 16, 7), Circle(19, 14, 6)), Hex(0xf0f0f0));
      cv.Fill(Cut(Circle(14, 18, 4), Circle(12, 20, 3)), Hex(0xe04040));
      cv.Fill(Circle(12, 11, 2), Hex(0xffffff));
      break;
    case 14:  // spear
      cv.Fill(Line(4, 28, 22, 10, 1.3f), Hex(0x8a5a2a));
      cv.Fill(Poly({20, 8, 29, 3, 24, 12}), Sh(Silver, 20, 29));
      cv.Fill(Line(6, 24, 8, 28, 1), Hex(0xc02020));
      break;
    case 15:  // garlic
      cv.Fill(Union(Ellipse(16, 20, 10, 9), Poly({13, 12, 16, 3, 19, 12})), Sh(Hex(0xf0ead8), 6, 26));
      for (float x : {11.f, 16.f, 21.f}) cv.Fill(Line(x, 13, x + (x - 16) * 0.3f, 27, 0.6f), Hex(0xb8a890));
      cv.Fill(Line(14, 29, 18, 29, 0.8f), Hex(0x9a8a70));
      break;
    case 16:  // note
      cv.Fill(Poly({5, 6, 25, 4, 27, 26, 7, 28}), Sh(Hex(0xf4f0e0)));
      for (int i = 0; i < 4; ++i) cv.Fill(Line(9, 10.f + i * 4, 23, 9.f + i * 4, 0.6f), Hex(0x2a2a6a));
      cv.Fill(Line(9, 24, 17, 23.5f, 0.9f), Hex(0xa02020));
      break;
    case 17:  // ice pick
      cv.Fill(Line(8, 29, 20, 6, 1.5f), Hex(0x8a5a2a));
      cv.Fill(Poly({8, 5, 20, 4, 30, 10, 20, 8, 12, 9}), Sh(Silver, 8, 30));
      break;
    case 18:  // medallion
      for (int i = 0; i < 6; ++i) cv.Fill(Circle(8.f + i * 3.2f, 4.f + std::fabs(i - 2.5f) * 1.5f, 1), Gold * 0.8f);
      cv.Fill(Circle(16, 19, 10), Sh(Hex(0xc08030), 6, 26));
      cv.Fill(Circle(16, 19, 7), Hex(0x9a6020));
      cv.Fill(Poly({16, 13, 18, 18, 23, 19, 18, 20, 16, 25, 14, 20, 9, 19, 14, 18}), Hex(0xf0c860));
      break;
    case 19:  // hair pin
      cv.Fill(Line(6, 27, 25, 8, 0.9f), Silver);
      cv.Fill(Line(9, 27, 25, 11, 0.7f), Silver * 0.8f);
      cv.Fill(Circle(25, 8, 3.5f), Sh(Hex(0xf0e8f0), 22, 29));
      break;
    case 20:  // orb
      cv.Fill(Poly({9, 29, 23, 29, 20, 23, 12, 23}), Sh(Wood));
      cv.Fill(Circle(16, 14, 10), Sh(Hex(0x8ac0ff), 6, 26));
      cv.Fill(Circle(13, 11, 3), Hex(0xe8f4ff));
      cv.Fill(Circle(18, 17, 3), Hex(0xc080ff), 0.6f);
      break;
    case 21:  // bone
      cv.Fill(Line(9, 23, 23, 9, 2.8f), Sh(Hex(0xf0ead0)));
      for (auto [x, y] : {std::pair{6.f, 22.f}, {10, 26}, {22, 6}, {26, 10}})
        cv.Fill(Circle(x, y, 3.6f), Sh(Hex(0xf0ead0), x - 4, x + 4));
      break;
    case 22: AmuletHalf(cv, false, Hex(0xe03040)); break;
    case 23:  // plank
      cv.Fill(Poly({3, 22, 25, 4, 29, 9, 7, 27}), Sh(Wood));
      cv.Fill(Line(6, 23, 26, 7, 0.5f), Wood * 0.6f);
      cv.Fill(Circle(9, 21, 0.9f), Hex(0x3a2a1a));
      cv.Fill(Circle(24, 9, 0.9f), Hex(0x3a2a1a));
      break;
    case 24:  // metal bar
      cv.Fill(Line(3, 28, 29, 4, 2.3f), Sh(Hex(0x8a8c98), 3, 29));
      cv.Fill(Line(4, 26, 27, 5, 0.6f), Hex(0xe0e0f0));
      break;
    case 25:  // the shiny thing
      cv.Fill(Poly({16, 4, 26, 14, 16, 28, 6, 14}), Sh(Hex(0x60f0e0), 6, 26));
      cv.Fill(Poly({16, 4, 20, 14, 16, 28, 12, 14}), Hex(0xc0fff8));
      for (auto [x, y] : {std::pair{5.f, 6.f}, {27, 24}, {27, 5}}) {
        cv.Fill(Line(x - 3, y, x + 3, y, 0.5f), Hex(0xffffff));
        cv.Fill(Line(x, y - 3, x, y + 3, 0.5f), Hex(0xffffff));
      }
      break;
    case 26:  // fur coat
      cv.Fill(Poly({10, 4, 22, 4, 29, 12, 26, 15, 24, 12, 26, 29, 6, 29, 8, 12, 6, 15, 3, 12}), Sh(Hex(0x9a6a3a)));
      cv.Fill(Poly({10, 4, 16, 10, 22, 4, 22, 7, 16, 14, 10, 7}), Hex(0xf0e8d8));
      cv.Fill(Line(16, 12, 16, 29, 0.6f), Hex(0x4a3018));
      for (int i = 0; i < 3; ++i) cv.Fill(Circle(16, 16.f + i * 4, 0.9f), Gold);
      break;
    case 27:  // gold coins
      for (int i = 0; i < 6; ++i) {
        const float x = 9.f + (i % 3) * 7, y = 24.f - (i / 3) * 6 - (i % 2);
        cv.Fill(Ellipse(x, y, 6, 3.5f), Sh(Gold, x - 6, x + 6));
        cv.Fill(Ellipse(x, y - 0.5f, 4, 2), Gold * 1.2f);
      }
      cv.Fill(Ellipse(16, 10, 6, 6), Sh(Gold, 10, 22));
      DrawText(cv, "G", 13.5f, 6.5f, 7, 0.7f, Flat(Gold * 0.55f));
      break;
    case 28:  // ring
      cv.Fill(Cut(Ellipse(16, 19, 10, 9), Ellipse(16, 19, 7, 6)), Sh(Gold, 6, 26));
      cv.Fill(Poly({12, 11, 20, 11, 22, 8, 16, 3, 10, 8}), Sh(Hex(0xe02050), 10, 22));
      cv.Fill(Circle(14, 7, 1), Hex(0xffffff));
      break;
    case 29:  // soap
      cv.Fill(Box(5, 14, 25, 27, 4), Sh(Hex(0xf0a0c0), 5, 25));
      for (auto [x, y, r] : {std::tuple{24.f, 9.f, 3.5f}, {18, 6, 2.4f}, {28, 15, 2}, {10, 9, 2.6f}}) {
        cv.Fill(Cut(Circle(x, y, r), Circle(x, y, r - 0.8f)), Hex(0xd8f0ff));
        cv.Fill(Circle(x - r * 0.4f, y - r * 0.4f, 0.6f), Hex(0xffffff));
      }
      break;
    case 30:  // sign
      cv.Fill(Line(16, 14, 16, 30, 1.6f), Wood * 0.8f);
      cv.Fill(Box(3, 4, 29, 16, 1), Sh(Wood * 1.2f));
      DrawText(cv, "RAM", 6.5f, 7, 6, 0.7f, Flat(Hex(0x2a1a0a)));
      break;
    case 31:  // gift
      cv.Fill(Box(5, 12, 27, 28), Sh(Hex(0x3a70d0)));
      cv.Fill(Box(14, 12, 18, 28), Hex(0xf0c030));
      cv.Fill(Box(5, 18, 27, 21), Hex(0xf0c030));
      cv.Fill(Ellipse(12, 9, 5, 3), Hex(0xf0c030));
      cv.Fill(Ellipse(20, 9, 5, 3), Hex(0xf0c030));
      break;
    case 32:  // flame-thrower
    case 47:
      cv.Fill(Capsule(8, 10, 8, 26, 5, 5), Sh(Hex(0xc03020), 3, 13));
      cv.Fill(Line(12, 18, 26, 12, 2), Sh(Hex(0x707078), 12, 26));
      cv.Fill(Box(14, 17, 18, 24, 1), Hex(0x3a3a3a));
      cv.Fill(Line(8, 6, 8, 4, 1), Hex(0x3a3a3a));
      if (k == 47) {
        cv.Fill(Poly({26, 9, 31, 4, 30, 12, 32, 14, 27, 16}), Hex(0xff8020));
        cv.Fill(Poly({27, 11, 30, 8, 29, 13}), Hex(0xffe060));
      }
      break;
    case 33:  // lolly
      cv.Fill(Line(16, 18, 16, 30, 1), Hex(0xf0f0f0));
      cv.Fill(Circle(16, 11, 9), Hex(0xf0f0f0));
      for (int i = 0; i < 3; ++i)
        cv.Fill(Cut(Circle(16, 11, 8.f - i * 2.7f), Circle(16.8f, 11, 6.6f - i * 2.7f)), Hex(0xe02060));
      break;
    case 34:  // box
    case 49:
      cv.Fill(Poly({4, 12, 16, 7, 28, 12, 28, 26, 16, 30, 4, 26}), Sh(Wood));
      cv.Fill(Poly({4, 12, 16, 7, 28, 12, 16, 16}), k == 49 ? Hex(0x1a120a) : Wood * 1.3f);
      cv.Fill(Line(16, 16, 16, 30, 0.6f), Wood * 0.5f);
      if (k == 49) cv.Fill(Poly({4, 12, 16, 16, 13, 3, 2, 0}), Wood * 1.1f);
      break;
    case 35:  // coil of rope
      for (int i = 0; i < 4; ++i)
        cv.Fill(
            Cut(Ellipse(16, 17, 12.f - i * 2.6f, 10.f - i * 2.2f), Ellipse(16, 17, 10.6f - i * 2.6f, 8.6f - i * 2.2f)),
            Hex(0xc8a060) * (1.f - i * 0.08f));
      cv.Fill(Capsule(26, 20, 30, 29, 1.3f, 1.3f), Hex(0xc8a060));
      break;
    case 36:  // a pouch
    case 51:
      cv.Fill(Union(Ellipse(16, 20, 10, 9), Poly({11, 13, 21, 13, 19, 7, 13, 7})), Sh(Hex(0x8a6a4a)));
      cv.Fill(Line(12, 11, 20, 11, 1), Hex(0xc8a040));
      break;
    case 37:  // sword
      cv.Fill(Poly({9, 21, 25, 4, 28, 4, 28, 7, 11, 23}), Sh(Silver, 9, 28));
      cv.Fill(Line(6, 17, 15, 26, 1.5f), Gold);
      cv.Fill(Line(9, 23, 4, 28, 1.5f), Hex(0x5a3a1a));
      cv.Fill(Circle(3.5f, 28.5f, 1.8f), Gold);
      break;
    case 38: Key(cv, Silver, 1, false, false, false); break;
    case 39: Key(cv, Iron, 2, true, false, false); break;
    case 40:  // the staff
      cv.Fill(Line(6, 30, 22, 9, 1.6f), Sh(Gold, 6, 22));
      cv.Fill(Cut(Circle(24, 7, 6), Circle(24, 7, 4)), Gold);
      cv.Fill(Circle(24, 7, 3), Hex(0xfff8c0));
      for (int i = 0; i < 4; ++i) {
        const float a = i * 1.57f + 0.4f;
        cv.Fill(Line(24 + std::cos(a) * 6.5f, 7 + std::sin(a) * 6.5f, 24 + std::cos(a) * 8.5f, 7 + std::sin(a) * 8.5f,
                     0.5f),
                Hex(0xfff0a0));
      }
      break;
    case 41: Key(cv, Hex(0xf0c840), 0, false, false, true); break;
    case 42:  // light switch
      cv.Fill(Box(9, 5, 23, 27, 2), Sh(Hex(0xe8e0d0), 9, 23));
      cv.Fill(Box(14, 10, 18, 17, 1), Hex(0x3a3a3a));
      cv.Fill(Circle(16, 22, 1), Hex(0x8a8a8a));
      break;
    case 43:  // ice block
      cv.Fill(Poly({4, 10, 18, 4, 28, 9, 28, 24, 14, 29, 4, 24}), Sh(Hex(0x9ad0f0)));
      cv.Fill(Poly({4, 10, 18, 4, 28, 9, 14, 14}), Hex(0xe8f8ff));
      cv.Fill(Line(14, 14, 14, 29, 0.6f), Hex(0x5a90b0));
      cv.Fill(Line(8, 15, 10, 22, 0.6f), Hex(0xffffff));
      break;
    case 44:  // matches
      cv.Fill(Box(4, 14, 28, 27, 1), Sh(Hex(0xd03a20)));
      cv.Fill(Box(4, 18, 28, 22), Hex(0xf0d040));
      for (int i = 0; i < 3; ++i) {
        cv.Fill(Line(9.f + i * 5, 14, 12.f + i * 5, 4, 0.8f), Hex(0xe8d8b0));
        cv.Fill(Circle(12.f + i * 5, 4, 1.6f), Hex(0xc01010));
      }
      break;
    case 45:  // cape
      cv.Fill(Poly({12, 4, 20, 4, 29, 29, 3, 29}), Sh(Hex(0x5a3a8a)));
      cv.Fill(Poly({14, 6, 18, 6, 24, 27, 8, 27}), Hex(0x3a2a5a));
      cv.Fill(Line(12, 5, 20, 5, 1.2f), Gold);
      for (int i = 0; i < 3; ++i) cv.Fill(Circle(10.f + i * 6, 18.f + (i % 2) * 5, 0.9f), Hex(0xe0e0ff));
      break;
    case 50:  // the two halves joined
      AmuletHalf(cv, true, Hex(0x3070e0));
      {
        Canvas r = Icon(22);
        for (int y = 0; y < 32; ++y)
          for (int x = 16; x < 32; ++x)
            if (r.A(x - 6, y) > 0) {
              cv.C(x, y) = r.C(x - 6, y);
              cv.A(x, y) = r.A(x - 6, y);
            }
      }
      break;
    default: break;
  }
  return cv;
}

}  // namespace

std::vector<glim::Image> ObjectIcons() {
  std::vector<glim::Image> out;
  for (int k = 1; k <= 51; ++k) out.push_back(Icon(k).ToSprite(true, Hex(0x141210)));
  return out;
}

// ----------------------------------------------------------------- buttons

std::vector<ButtonPictures> Buttons() {
  std::vector<ButtonPictures> out;
  const char* names[] = {"north", "south", "east", "west", "help"};
  for (int b = 0; b < 5; ++b) {
    ButtonPictures bp{names[b], {}, {}};
    for (int off = 0; off < 2; ++off) {
      Canvas cv(23, 22, Hex(0x000000), 1);
      const Col face = off ? Hex(0x3a3a44) : Hex(0x2a3a7a), mark = off ? Hex(0x6a6a70) : Hex(0xf0c840);
      cv.Fill(Box(1, 1, 22, 21, 4), Linear(0, 0, face * 1.6f, 23, 22, face * 0.6f));
      cv.Fill(Box(3, 3, 20, 19, 3), face);
      const float cx = 11.5f, cy = 11;
      std::vector<float> arrow;
      switch (b) {
        case 0:
          arrow = {cx, 4, cx + 6, 11, cx + 2.5f, 11, cx + 2.5f, 17, cx - 2.5f, 17, cx - 2.5f, 11, cx - 6, 11};
          break;
        case 1:
          arrow = {cx, 18, cx + 6, 11, cx + 2.5f, 11, cx + 2.5f, 5, cx - 2.5f, 5, cx - 2.5f, 11, cx - 6, 11};
          break;
        case 2:
          arrow = {19, cy, 12, cy - 6, 12, cy - 2.5f, 5, cy - 2.5f, 5, cy + 2.5f, 12, cy + 2.5f, 12, cy + 6};
          break;
        case 3:
          arrow = {4, cy, 11, cy - 6, 11, cy - 2.5f, 18, cy - 2.5f, 18, cy + 2.5f, 11, cy + 2.5f, 11, cy + 6};
          break;
        default: break;
      }
      if (b < 4)
        cv.Fill(Poly(arrow), mark);
      else
        DrawText(cv, "?", 8.3f, 4.5f, 13, 1.3f, Flat(mark));
      (off ? bp.off : bp.on) = cv.ToImage();
    }
    out.push_back(std::move(bp));
  }
  return out;
}

// --------------------------------------------------------- application icon

glim::Image AppIcon(int size) {
  const float k = size / 64.f;
  Canvas cv(size, size, {}, 0);
  cv.Fill(Box(1 * k, 1 * k, 63 * k, 63 * k, 12 * k), Linear(0, 0, Hex(0x2a3a8a), size, size, Hex(0x0e1230)), 1,
          std::max(0.7f, k));
  if (size >= 32)
    for (auto [x, y] : {std::pair{12.f, 14.f}, {50, 48}, {46, 12}, {14, 50}})
      cv.Fill(Circle(x * k, y * k, 1.2f * k), Hex(0xe8ecff));
  cv.Fill(Circle(40 * k, 22 * k, 17 * k), Hex(0xffe080), 0.25f, 6 * k);
  cv.Fill(Line(16 * k, 54 * k, 36 * k, 27 * k, 3.2f * k), Linear(12 * k, 0, Hex(0xffe070), 40 * k, 0, Hex(0xa07820)), 1,
          std::max(0.7f, k));
  cv.Fill(Cut(Circle(40 * k, 22 * k, 9 * k), Circle(40 * k, 22 * k, 6 * k)), Hex(0xf0c040), 1, std::max(0.7f, k));
  cv.Fill(Circle(40 * k, 22 * k, 5 * k), Rounded(Hex(0xfff4c0), 40 * k, 22 * k, 5 * k, 5 * k, 0.3f), 1,
          std::max(0.7f, k));
  glim::Image img(size, size);
  for (int y = 0; y < size; ++y)
    for (int x = 0; x < size; ++x) {
      const float a = cv.A(x, y);
      const Col c = a > 0 ? cv.C(x, y) * (1.f / a) : Col{};
      auto q = [](float v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255)); };
      img.Px[static_cast<size_t>(y) * size + x] = (q(a) << 24) | (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
    }
  return img;
}

}  // namespace pics
