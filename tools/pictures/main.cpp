// glim-pictures: paints every picture of the game.
//
//   glim-pictures --all ROOT      every picture under ROOT/data, the contact
//                                 sheets under ROOT/docs and the pictures of
//                                 the help under ROOT/help/images
//   glim-pictures --scene REGION "ELEMENTS" OUT.png
//                                 one scene line, for trying things out
//   glim-pictures --icon SIZE OUT.png
//                                 the program's icon at SIZE x SIZE (the
//                                 browser page's install icons)
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tools/pictures/Assets.h"
#include "tools/pictures/Scene.h"
#include "tools/pictures/Sprites.h"
#include "ui/Image.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "--scene") {
    std::vector<std::string> unknown;
    glim::Image img = pics::PaintScene(args[1], args[2], 7, &unknown);
    for (auto& u : unknown) std::fprintf(stderr, "unknown element %s\n", u.c_str());
    return pics::SavePng(args[3], img) ? 0 : 1;
  }
  if (args.size() == 4 && args[0] == "--compose") {
    // --compose ROOM.jpg CHARACTER OUT.png : a room picture with an upright
    // character (or, given as L0 or L1, a lying one), the cat and three
    // icons, the way the game composes its scene.
    std::ifstream f(args[1], std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    glim::Image room;
    if (!glim::DecodeJpeg(ss.str(), room)) return 1;
    const auto chars = pics::CharacterPictures();
    if (args[2][0] == 'L')
      glim::Blit(room, pics::LyingPictures()[static_cast<size_t>(std::stoi(args[2].substr(1)))], 90, 285, true);
    else
      glim::Blit(room, chars[static_cast<size_t>(std::stoi(args[2]))], 25, 200, true);
    glim::Blit(room, chars[pics::CatPicture], 0, 265, true);
    const auto icons = pics::ObjectIcons();
    for (int i = 0; i < 3; ++i)
      glim::Blit(room, icons[static_cast<size_t>(i * 13 + 3)], 280 + 60 * i, 300 + 20 * i, true);
    return pics::SavePng(args[3], room) ? 0 : 1;
  }
  if (args.size() == 3 && args[0] == "--icon") {
    const int size = std::atoi(args[1].c_str());
    if (size < 16 || size > 1024) return 2;
    return pics::SavePngRgba(args[2], pics::AppIcon(size)) ? 0 : 1;
  }
  if (args.size() >= 2 && args[0] == "--all") {
    const bool roomsOnly = args.size() >= 3 && args[2] == "--rooms-only";
    return pics::MakeAll(args[1], roomsOnly) ? 0 : 1;
  }
  std::fprintf(
      stderr,
      "usage: glim-pictures --all ROOT [--rooms-only] | --scene REGION ELEMENTS OUT.png | --icon SIZE OUT.png\n");
  return 2;
}
