// The PNG decoder of the sprite sheets on any bytes, and the cutting of a
// decoded sheet into the game's cells.
#include "FuzzWorld.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const glim::Image sentinel(3, 2, 0x123456);
  glim::Image img = sentinel;
  if (!glim::DecodePng(glimfuzz::AsText(data, size), img)) {
    if (img.W != sentinel.W || img.H != sentinel.H || img.Px != sentinel.Px)
      glimfuzz::Fail("a refused picture changed the image");
    return 0;
  }
  if (img.Empty() || img.Px.size() != static_cast<size_t>(img.W) * static_cast<size_t>(img.H))
    glimfuzz::Fail("a decoded picture does not match its size");
  for (const auto& [w, h] : {std::pair{140, 200}, std::pair{200, 140}, std::pair{32, 32}})
    for (const glim::Image& cell : glim::SplitSheet(img, w, h))
      if (cell.W != w || cell.H != h || cell.Px.size() != static_cast<size_t>(w * h))
        glimfuzz::Fail("a cell of the wrong size");
  return 0;
}
