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

void PackRgba(const Image& img, const Rect& r, std::vector<unsigned char>& out) {
  out.resize(static_cast<size_t>(r.W) * static_cast<size_t>(r.H) * 4);
  unsigned char* d = out.data();
  for (int y = r.Y; y < r.Y + r.H; ++y) {
    const uint32_t* row = &img.Px[static_cast<size_t>(y) * static_cast<size_t>(img.W)];
    for (int x = r.X; x < r.X + r.W; ++x) {
      const uint32_t p = row[x];
      *d++ = static_cast<unsigned char>(p >> 16);
      *d++ = static_cast<unsigned char>(p >> 8);
      *d++ = static_cast<unsigned char>(p);
      *d++ = 0xFF;
    }
  }
}

Rect ChangedRect(const Image& a, const Image& b) {
  if (a.W != b.W || a.H != b.H) return {0, 0, b.W, b.H};
  int left = b.W, right = -1, top = -1, bottom = -1;
  const size_t w = static_cast<size_t>(b.W);
  for (int y = 0; y < b.H; ++y) {
    const uint32_t* pa = &a.Px[static_cast<size_t>(y) * w];
    const uint32_t* pb = &b.Px[static_cast<size_t>(y) * w];
    // Whole equal rows, nearly all of them, cost one comparison each.
    if (std::memcmp(pa, pb, w * sizeof(uint32_t)) == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int x0 = 0, x1 = b.W - 1;
    while (pa[x0] == pb[x0]) ++x0;
    while (pa[x1] == pb[x1]) --x1;
    left = std::min(left, x0);
    right = std::max(right, x1);
  }
  if (top < 0) return {};
  return {left, top, right - left + 1, bottom - top + 1};
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
