// Image decoding and encoding with libjpeg-turbo and libpng, and the plain
// blits the scene is composed with.
#include <png.h>
#include <turbojpeg.h>

#include <algorithm>
#include <bit>
#include <cstring>

#include "ui/Image.h"

namespace glim {

void Blit(Image& dst, const Image& src, int x, int y, bool blackTransparent) {
  const int x0 = std::max(0, x), y0 = std::max(0, y);
  const int x1 = std::min(dst.W, x + src.W), y1 = std::min(dst.H, y + src.H);
  if (x0 >= x1 || y0 >= y1) return;
  for (int yy = y0; yy < y1; ++yy) {
    const uint32_t* s = &src.Px[static_cast<size_t>(yy - y) * src.W + (x0 - x)];
    uint32_t* d = &dst.Px[static_cast<size_t>(yy) * dst.W + x0];
    const int n = x1 - x0;
    if (!blackTransparent) {
      std::memcpy(d, s, static_cast<size_t>(n) * sizeof(uint32_t));
    } else {
      for (int i = 0; i < n; ++i)
        if (s[i] != 0) d[i] = s[i];
    }
  }
}

void FillRect(Image& dst, int x0, int y0, int x1, int y1, uint32_t colour) {
  x0 = std::max(0, x0);
  y0 = std::max(0, y0);
  x1 = std::min(dst.W - 1, x1);
  y1 = std::min(dst.H - 1, y1);
  for (int y = y0; y <= y1; ++y)
    std::fill_n(&dst.Px[static_cast<size_t>(y) * dst.W + x0], std::max(0, x1 - x0 + 1), colour);
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

// The pixel format whose bytes, read as one 32-bit word on this machine, are
// 0xXXRRGGBB: the decoder then writes the image's own pixels, with no copy.
constexpr int WordPixelFormat = std::endian::native == std::endian::little ? TJPF_BGRX : TJPF_XRGB;

// Clears the pad byte the decoder fills in above each pixel's colour.
static void ClearPadBytes(uint32_t* px, size_t n) {
  for (size_t i = 0; i < n; ++i) px[i] &= 0xFFFFFFu;
}

bool DecodeJpeg(const std::string& bytes, Image& out) {
  if (bytes.empty()) return false;
  tjhandle h = tjInitDecompress();
  if (!h) return false;
  int w = 0, ht = 0, sub = 0, cs = 0;
  auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  bool ok = tjDecompressHeader3(h, src, static_cast<unsigned long>(bytes.size()), &w, &ht, &sub, &cs) == 0 && w > 0 &&
            ht > 0 && w <= 8192 && ht <= 8192;
  Image img;
  if (ok) {
    img = Image(w, ht);
    ok = tjDecompress2(h, src, static_cast<unsigned long>(bytes.size()),
                       reinterpret_cast<unsigned char*>(img.Px.data()), w, 0, ht, WordPixelFormat, 0) == 0;
  }
  tjDestroy(h);
  if (!ok) return false;
  ClearPadBytes(img.Px.data(), img.Px.size());
  out = std::move(img);
  return true;
}

bool EncodeJpeg(const Image& img, int quality, std::string& out) {
  if (img.Empty()) return false;
  std::vector<unsigned char> rgb(img.Px.size() * 3);
  for (size_t i = 0; i < img.Px.size(); ++i) {
    rgb[3 * i] = static_cast<unsigned char>(img.Px[i] >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(img.Px[i] >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(img.Px[i]);
  }
  tjhandle h = tjInitCompress();
  if (!h) return false;
  unsigned char* buf = nullptr;
  unsigned long size = 0;
  const bool ok =
      tjCompress2(h, rgb.data(), img.W, 0, img.H, TJPF_RGB, &buf, &size, TJSAMP_420, quality, TJFLAG_ACCURATEDCT) == 0;
  if (ok) out.assign(reinterpret_cast<char*>(buf), size);
  tjFree(buf);
  tjDestroy(h);
  return ok;
}

bool DecodePng(const std::string& bytes, Image& out) {
  png_image pi;
  std::memset(&pi, 0, sizeof pi);
  pi.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_memory(&pi, bytes.data(), bytes.size())) return false;
  if (pi.width == 0 || pi.height == 0 || pi.width > 16384 || pi.height > 16384) {
    png_image_free(&pi);
    return false;
  }
  pi.format = PNG_FORMAT_RGB;
  std::vector<unsigned char> rgb(PNG_IMAGE_SIZE(pi));
  if (!png_image_finish_read(&pi, nullptr, rgb.data(), 0, nullptr)) {
    png_image_free(&pi);
    return false;
  }
  Image img(static_cast<int>(pi.width), static_cast<int>(pi.height));
  for (size_t i = 0, n = img.Px.size(); i < n; ++i)
    img.Px[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  png_image_free(&pi);
  out = std::move(img);
  return true;
}

bool EncodePng(const Image& img, std::string& out) {
  if (img.Empty()) return false;
  std::vector<unsigned char> rgb(img.Px.size() * 3);
  for (size_t i = 0; i < img.Px.size(); ++i) {
    rgb[3 * i] = static_cast<unsigned char>(img.Px[i] >> 16);
    rgb[3 * i + 1] = static_cast<unsigned char>(img.Px[i] >> 8);
    rgb[3 * i + 2] = static_cast<unsigned char>(img.Px[i]);
  }
  png_image pi;
  std::memset(&pi, 0, sizeof pi);
  pi.version = PNG_IMAGE_VERSION;
  pi.width = static_cast<png_uint_32>(img.W);
  pi.height = static_cast<png_uint_32>(img.H);
  pi.format = PNG_FORMAT_RGB;
  png_alloc_size_t size = 0;
  if (!png_image_write_to_memory(&pi, nullptr, &size, 0, rgb.data(), 0, nullptr)) return false;
  out.resize(size);
  if (!png_image_write_to_memory(&pi, out.data(), &size, 0, rgb.data(), 0, nullptr)) return false;
  out.resize(size);
  return true;
}

}  // namespace glim
