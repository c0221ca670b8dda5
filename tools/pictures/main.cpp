// glim-pictures: paints every picture of the game.
//
//   glim-pictures --all ROOT      every picture under ROOT/data, the contact
//                                 sheets under ROOT/docs and the pictures of
//                                 the help under ROOT/help/images
//   glim-pictures --scene REGION "ELEMENTS" OUT.png
//                                 one scene line, for trying things out
#include <cstdio>
#include <string>
#include <vector>

#include "tools/pictures/Assets.h"
#include "tools/pictures/Scene.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() == 4 && args[0] == "--scene") {
    std::vector<std::string> unknown;
    glim::Image img = pics::PaintScene(args[1], args[2], 7, &unknown);
    for (auto& u : unknown) std::fprintf(stderr, "unknown element %s\n", u.c_str());
    return pics::SavePng(args[3], img) ? 0 : 1;
  }
  if (args.size() >= 2 && args[0] == "--all") {
    const bool roomsOnly = args.size() >= 3 && args[2] == "--rooms-only";
    return pics::MakeAll(args[1], roomsOnly) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: glim-pictures --all ROOT [--rooms-only] | --scene REGION ELEMENTS OUT.png\n");
  return 2;
}
