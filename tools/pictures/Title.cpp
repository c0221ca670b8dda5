// The title picture of the splash and About screens: the apprentice's road
// winding towards the Keeper's palace at dusk, the staff shining in the sky
// above, and the name of the game in gold.
#include "tools/pictures/Scene.h"
#include "tools/pictures/Sprites.h"

namespace pics {

glim::Image TitlePicture() {
  const std::string line =
      "sky:kind=dusk,h=380,sunx=400,suny=352,disc=1,clouds=0.6 "
      "mountains:y=392,height=100,far=0.3 "
      "castle:x=590,y=384,s=0.75,far=0.25,lit=1,flag=1 "
      "hills:y=430,height=36,far=0.3 "
      "ground:h=418 "
      "treeline:y=424,x1=810,height=26,far=0.35 "
      "path:to=590,from=380,w=170,bend=-120,y=420 "
      "pines:x=90,y=590,s=1.9,n=3,spread=120 "
      "pines:x=740,y=600,s=2.1,n=2,spread=90 "
      "flowers:n=90,y=450";
  Canvas cv = PaintSceneCanvas("castle", line, 4242, 800, 600);
  // The staff in the sky, with its light.
  const float bx = 372, by = 470, tx = 420, ty = 218;
  cv.Glow(tx, ty, 260, Hex(0xffd070), 0.45f);
  cv.Fill(Line(bx + 3, by + 3, tx + 3, ty + 3, 8), Hex(0x3a2810), 0.5f, 4);
  cv.Fill(Line(bx, by, tx, ty, 7.5f), Linear(bx - 8, 0, Hex(0xfff0a0), bx + 8, 0, Hex(0x9a6a18)));
  for (int i = 0; i < 9; ++i) {
    const float t = 0.12f + i * 0.085f, px = bx + (tx - bx) * t, py = by + (ty - by) * t;
    cv.Fill(Line(px - 7, py + 3, px + 7, py - 3, 1.4f), Hex(0x8a5a14));
  }
  cv.Fill(Cut(Circle(tx + 6, ty - 30, 30), Circle(tx + 6, ty - 30, 22)),
          Linear(tx - 24, ty - 60, Hex(0xfff2a8), tx + 36, ty, Hex(0x9a6a18)));
  cv.Fill(Circle(tx + 6, ty - 30, 14), Rounded(Hex(0xfffae0), tx + 6, ty - 30, 14, 14, 0.25f));
  cv.Glow(tx + 6, ty - 30, 110, Hex(0xfff0b0), 1.0f);
  for (int i = 0; i < 12; ++i) {
    const float a = i * 0.5236f;
    cv.Fill(Line(tx + 6 + std::cos(a) * 36, ty - 30 + std::sin(a) * 36, tx + 6 + std::cos(a) * (i % 2 ? 50 : 62),
                 ty - 30 + std::sin(a) * (i % 2 ? 50 : 62), 1.3f),
            Hex(0xfff4c0), 0.8f);
  }
  // The name, in a broad-nibbed gold with a dark shadow.
  const std::string name = "GLIMMERHOLD", sub = "THE WENDLE STAFF";
  const float h = 78, w = TextWidth(name, h), x = 400 - w / 2, y = 36;
  DrawText(cv, name, x + 4, y + 5, h, 6.5f, Flat(Hex(0x120a06)), true);
  DrawText(cv, name, x, y, h, 6.5f, Linear(0, y, Hex(0xfff0a0), 0, y + h, Hex(0xb07818)), true);
  const float sh = 26, sw = TextWidth(sub, sh);
  DrawText(cv, sub, 400 - sw / 2 + 2, y + h + 24 + 2, sh, 2.2f, Flat(Hex(0x120a06)));
  DrawText(cv, sub, 400 - sw / 2, y + h + 24, sh, 2.2f, Flat(Hex(0xf4e8d0)));
  Finish(cv, 0.45f, 4242);
  return cv.ToImage();
}

}  // namespace pics
