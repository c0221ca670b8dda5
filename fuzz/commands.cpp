// Typed commands and the window's other controls (the ':' lines of the
// terminal game) fed to the shipped world, one line at a time, the room shown
// again after each.
#include "FuzzWorld.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > 16 * 1024) return 0;
  glimfuzz::FuzzGame g;
  g.Start();
  g.Play(glimfuzz::AsText(data, size), 200);
  return 0;
}
