// Image decoding and encoding with libjpeg-turbo and libpng. The blits the
// scene is composed with are in Image.cpp, which needs no library.
#include <png.h>
#include <turbojpeg.h>

#include <bit>
#include <cstring>

#include "ui/Image.h"

namespace glim {

// The pixel format whose bytes, read as one 32-bit word on this machine, are
// 0xXXRRGGBB: the decoder then writes the image's own pixels, with no copy.
constexpr int WordPixelFormat = std::endian::native == std::endian::little ? TJPF_BGRX : TJPF_XRGB;

// Clears the pad byte the decoder fills in above each pixel's colour.
static void ClearPadBytes(uint32_t* px, size_t n) {
  for (size_t i = 0; i < n; ++i) px[i] &= 0xFFFFFFu;
}

// True when the JPEG carries an Adobe marker (APP14 "Adobe"), looked for in
// the segments before the scan. CMYK files written with it (nearly all of
// them) hold their four channels inverted.
static bool HasAdobeMarker(const std::string& bytes) {
  const auto* b = reinterpret_cast<const unsigned char*>(bytes.data());
  const size_t n = bytes.size();
  size_t i = 2;  // after SOI
  while (i + 4 <= n) {
    if (b[i] != 0xFF) return false;
    const unsigned char marker = b[i + 1];
    if (marker == 0xFF) {  // fill byte
      ++i;
      continue;
    }
    if (marker == 0xDA || marker == 0xD9) return false;  // start of scan, end of image
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD7)) {
      i += 2;
      continue;
    }
    const size_t len = (size_t{b[i + 2]} << 8) | b[i + 3];
    if (marker == 0xEE && len >= 7 && i + 9 <= n && std::memcmp(b + i + 4, "Adobe", 5) == 0) return true;
    i += 2 + len;
  }
  return false;
}

// CMYK pixels (bytes C, M, Y, K in each 32-bit word) turned into the image's
// 0x00RRGGBB in place: each colour is its ink's and the black ink's share of
// white taken away.
static void CmykToRgb(uint32_t* px, size_t n, bool inverted) {
  auto* b = reinterpret_cast<unsigned char*>(px);
  for (size_t i = 0; i < n; ++i, b += 4) {
    unsigned c = b[0], m = b[1], y = b[2], k = b[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    // Here each value is the share of white its ink leaves (255: no ink).
    const uint32_t r = (c * k + 127) / 255, g = (m * k + 127) / 255, bl = (y * k + 127) / 255;
    px[i] = (r << 16) | (g << 8) | bl;
  }
}

bool DecodeJpeg(const std::string& bytes, Image& out) {
  if (bytes.empty()) return false;
  tjhandle h = tjInitDecompress();
  if (!h) return false;
  int w = 0, ht = 0, sub = 0, cs = 0;
  auto* src = reinterpret_cast<const unsigned char*>(bytes.data());
  // The size is checked from the header, before any pixel is decoded: a
  // picture too large for the game is refused without costing its memory.
  bool ok = tjDecompressHeader3(h, src, static_cast<unsigned long>(bytes.size()), &w, &ht, &sub, &cs) == 0 && w > 0 &&
            ht > 0 && w <= MaxPictureSide && ht <= MaxPictureSide;
  // A CMYK (or YCCK) picture can only be decoded to CMYK; it is converted
  // to RGB afterwards in the same pixels.
  const bool cmyk = cs == TJCS_CMYK || cs == TJCS_YCCK;
  Image img;
  if (ok) {
    img = Image(w, ht);
    ok =
        tjDecompress2(h, src, static_cast<unsigned long>(bytes.size()), reinterpret_cast<unsigned char*>(img.Px.data()),
                      w, 0, ht, cmyk ? TJPF_CMYK : WordPixelFormat, 0) == 0;
  }
  tjDestroy(h);
  if (!ok) return false;
  if (cmyk)
    CmykToRgb(img.Px.data(), img.Px.size(), HasAdobeMarker(bytes));
  else
    ClearPadBytes(img.Px.data(), img.Px.size());
  out = std::move(img);
  return true;
}

bool EncodeJpeg(const Image& img, int quality, std::string& out) {
  if (img.Empty()) return false;
  const std::vector<unsigned char> rgb = PackRgb(img);
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
  const std::vector<unsigned char> rgb = PackRgb(img);
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
