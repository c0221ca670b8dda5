// glim-pictures: paints every picture of the game.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/pictures/Scene.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.size() >= 2 && args[0] == "--scene") {
    // --scene REGION "ELEMENTS" OUT.png : paints one scene line, for trying things out.
    std::vector<std::string> unknown;
    glim::Image img = pics::PaintScene(args[1], args[2], 7, &unknown);
    for (auto& u : unknown) std::fprintf(stderr, "unknown element %s\n", u.c_str());
    return pics::SavePng(args[3], img) ? 0 : 1;
  }
  std::fprintf(stderr, "usage: glim-pictures --scene REGION ELEMENTS OUT.png\n");
  return 2;
}
