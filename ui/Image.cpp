// The plain blits the scene is composed with. They need no picture library,
// so every build of the core (the browser's too) shares them.
#include "ui/Image.h"

#include <algorithm>
#include <cstring>

namespace glim {

void Blit(Image& dst, const Image& src, int x, int y, bool blackTransparent) {
  // Positions come from data files and may lie anywhere in the int range:
  // the clipping is done in 64 bits, so a sprite wholly outside the picture
  // is simply not drawn.
  const int64_t x0 = std::max<int64_t>(0, x), y0 = std::max<int64_t>(0, y);
  const int64_t x1 = std::min<int64_t>(dst.W, int64_t{x} + src.W), y1 = std::min<int64_t>(dst.H, int64_t{y} + src.H);
  if (x0 >= x1 || y0 >= y1) return;
  const size_t n = static_cast<size_t>(x1 - x0);
  for (int64_t yy = y0; yy < y1; ++yy) {
    const uint32_t* s = &src.Px[static_cast<size_t>(yy - y) * static_cast<size_t>(src.W) + static_cast<size_t>(x0 - x)];
    uint32_t* d = &dst.Px[static_cast<size_t>(yy) * static_cast<size_t>(dst.W) + static_cast<size_t>(x0)];
    if (!blackTransparent) {
      std::memcpy(d, s, n * sizeof(uint32_t));
    } else {
      for (size_t i = 0; i < n; ++i)
        if (s[i] != 0) d[i] = s[i];
    }
  }
}

void FillRect(Image& dst, int x0, int y0, int x1, int y1, uint32_t colour) {
  const int64_t l = std::max<int64_t>(0, x0), t = std::max<int64_t>(0, y0);
  const int64_t r = std::min<int64_t>(int64_t{dst.W} - 1, x1), b = std::min<int64_t>(int64_t{dst.H} - 1, y1);
  if (l > r) return;
  for (int64_t y = t; y <= b; ++y)
    std::fill_n(&dst.Px[static_cast<size_t>(y) * static_cast<size_t>(dst.W) + static_cast<size_t>(l)],
                static_cast<size_t>(r - l + 1), colour);
}

std::vector<unsigned char> PackRgb(const Image& img) {
  std::vector<unsigned char> rgb(img.Px.size() * 3);
  unsigned char* d = rgb.data();
  for (const uint32_t p : img.Px) {
    *d++ = static_cast<unsigned char>(p >> 16);
    *d++ = static_cast<unsigned char>(p >> 8);
    *d++ = static_cast<unsigned char>(p);
  }
  return rgb;
}

void PackRgba(const Image& img, std::vector<unsigned char>& out) {
  out.resize(img.Px.size() * 4);
  unsigned char* d = out.data();
  for (const uint32_t p : img.Px) {
    *d++ = static_cast<unsigned char>(p >> 16);
    *d++ = static_cast<unsigned char>(p >> 8);
    *d++ = static_cast<unsigned char>(p);
    *d++ = 0xFF;
  }
}

std::vector<Image> SplitSheet(const Image& sheet, int cellW, int cellH) {
  std::vector<Image> out;
  if (cellW <= 0 || cellH <= 0 || sheet.H < cellH) return out;
  const int n = sheet.W / cellW;
  for (int i = 0; i < n; ++i) {
    Image cell(cellW, cellH);
    for (int y = 0; y < cellH; ++y)
      std::memcpy(&cell.Px[static_cast<size_t>(y) * cellW], &sheet.Px[static_cast<size_t>(y) * sheet.W + i * cellW],
                  static_cast<size_t>(cellW) * sizeof(uint32_t));
    out.push_back(std::move(cell));
  }
  return out;
}

}  // namespace glim
