// The plain blits the scene is composed with. They need no picture library,
// so every build of the core (the browser's too) shares them.
#include "ui/Image.h"

#include <algorithm>
#include <bit>
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

namespace {

// A pixel 0x00RRGGBB as the word whose bytes in memory are R, G, B, 255.
constexpr uint32_t CanvasWord(uint32_t p) {
  if constexpr (std::endian::native == std::endian::little)
    return 0xFF000000u | ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  else
    return (p << 8) | 0xFFu;
}

}  // namespace

Rect UpdateRgba(RgbaPicture& shown, const Image& img) {
  const size_t w = static_cast<size_t>(std::max(img.W, 0));
  if (shown.W != img.W || shown.H != img.H) {
    // A word 0 is never a shown pixel (their alpha is 255): all of it is new.
    shown.W = img.W;
    shown.H = img.H;
    shown.Words.assign(img.Px.size(), 0);
  }
  // Each row is converted into `row` and compared with what is shown in the
  // same loop, which the compiler vectorises; an equal row ends there.
  std::vector<uint32_t> row(w);
  int left = img.W, right = -1, top = -1, bottom = -1;
  for (int y = 0; y < img.H; ++y) {
    const uint32_t* src = &img.Px[static_cast<size_t>(y) * w];
    uint32_t* dst = &shown.Words[static_cast<size_t>(y) * w];
    uint32_t differ = 0;
    for (size_t x = 0; x < w; ++x) {
      row[x] = CanvasWord(src[x]);
      differ |= row[x] ^ dst[x];
    }
    if (differ == 0) continue;
    if (top < 0) top = y;
    bottom = y;
    int x0 = 0, x1 = img.W - 1;
    while (row[x0] == dst[x0]) ++x0;
    while (row[x1] == dst[x1]) --x1;
    std::memcpy(dst + x0, row.data() + x0, static_cast<size_t>(x1 - x0 + 1) * sizeof(uint32_t));
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
