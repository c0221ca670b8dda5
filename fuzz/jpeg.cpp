// The JPEG decoder of the room pictures on any bytes.
#include "FuzzWorld.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const glim::Image sentinel(3, 2, 0x123456);
  glim::Image img = sentinel;
  if (!glim::DecodeJpeg(glimfuzz::AsText(data, size), img)) {
    if (img.W != sentinel.W || img.H != sentinel.H || img.Px != sentinel.Px)
      glimfuzz::Fail("a refused picture changed the image");
    return 0;
  }
  if (img.Empty() || img.Px.size() != static_cast<size_t>(img.W) * static_cast<size_t>(img.H))
    glimfuzz::Fail("a decoded picture does not match its size");
  return 0;
}
