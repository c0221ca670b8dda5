// The picture decoders and encoders of the browser build, with stb_image and
// stb_image_write (the desktop uses libjpeg-turbo and libpng, which the
// WebAssembly compiler has no build of). Same interface, same refusals: a
// picture larger than the game allows is refused from its header.
#include <emscripten.h>

#include <cstring>
#include <string>
#include <vector>

#include "ui/Image.h"

// The pictures the page has decoded ahead with the browser's own decoder
// (files.js): the size of the one decoded from exactly these bytes (0 x 0
// when there is none), then its pixels as bytes R, G, B, A.
// clang-format off
EM_JS(void, web_decoded_size, (const char* p, int n, int* wh), {
  const [w, h] = glimPage.decodedSize(HEAPU8.subarray(p, p + n));
  HEAP32[wh >> 2] = w;
  HEAP32[(wh >> 2) + 1] = h;
});
EM_JS(void, web_decoded_pixels, (uint32_t* px), { HEAPU8.set(glimPage.decodedPixels(), px); });
// clang-format on

#define STB_IMAGE_IMPLEMENTATION
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_ONLY_JPEG
#define STBI_ONLY_PNG
#define STBI_NO_STDIO
#define STBI_WRITE_NO_STDIO
// With WebAssembly's SIMD, stb_image's SSE2 loops (the inverse DCT, the
// colour conversion and the upsampling) run on the compiler's SSE2 headers,
// which map them onto it; stb_image only turns them on for an x86 target.
#if defined(__wasm_simd128__) && defined(__SSE2__)
#define STBI__X64_TARGET
#endif
#include <stb_image.h>
#include <stb_image_write.h>

namespace glim {

namespace {

// Which of the two formats the bytes start like.
bool LooksLikeJpeg(const std::string& b) {
  return b.size() > 3 && static_cast<unsigned char>(b[0]) == 0xFF && static_cast<unsigned char>(b[1]) == 0xD8;
}

bool LooksLikePng(const std::string& b) { return b.size() > 8 && std::memcmp(b.data(), "\x89PNG\r\n\x1a\n", 8) == 0; }

bool Decode(const std::string& bytes, int maxSide, Image& out) {
  if (bytes.empty() || bytes.size() > 0x7fffffff) return false;
  const auto* src = reinterpret_cast<const stbi_uc*>(bytes.data());
  const int len = static_cast<int>(bytes.size());
  int w = 0, h = 0, comp = 0;
  if (!stbi_info_from_memory(src, len, &w, &h, &comp) || w <= 0 || h <= 0 || w > maxSide || h > maxSide) return false;
  stbi_uc* rgb = stbi_load_from_memory(src, len, &w, &h, &comp, 3);
  if (!rgb) return false;
  Image img(w, h);
  for (size_t i = 0, n = img.Px.size(); i < n; ++i)
    img.Px[i] = (uint32_t{rgb[3 * i]} << 16) | (uint32_t{rgb[3 * i + 1]} << 8) | rgb[3 * i + 2];
  stbi_image_free(rgb);
  out = std::move(img);
  return true;
}

void AppendBytes(void* context, void* data, int size) {
  static_cast<std::string*>(context)->append(static_cast<const char*>(data), static_cast<size_t>(size));
}

// The picture the browser decoded from these bytes, if it has.
bool DecodedAhead(const std::string& bytes, Image& out) {
  int wh[2] = {0, 0};
  web_decoded_size(bytes.data(), static_cast<int>(bytes.size()), wh);
  if (wh[0] <= 0 || wh[1] <= 0 || wh[0] > MaxPictureSide || wh[1] > MaxPictureSide) return false;
  Image img(wh[0], wh[1]);
  web_decoded_pixels(img.Px.data());
  // Bytes R, G, B, A read as a little-endian word are 0xAABBGGRR.
  for (uint32_t& p : img.Px) p = ((p & 0xFFu) << 16) | (p & 0xFF00u) | ((p >> 16) & 0xFFu);
  out = std::move(img);
  return true;
}

}  // namespace

bool DecodeJpeg(const std::string& bytes, Image& out) {
  if (!LooksLikeJpeg(bytes) || bytes.size() > 0x7fffffff) return false;
  return DecodedAhead(bytes, out) || Decode(bytes, MaxPictureSide, out);
}

// The same limit as the desktop's PNG reader.
bool DecodePng(const std::string& bytes, Image& out) { return LooksLikePng(bytes) && Decode(bytes, 16384, out); }

bool EncodePng(const Image& img, std::string& out) {
  if (img.Empty()) return false;
  const std::vector<unsigned char> rgb = PackRgb(img);
  std::string data;
  if (!stbi_write_png_to_func(AppendBytes, &data, img.W, img.H, 3, rgb.data(), img.W * 3)) return false;
  out = std::move(data);
  return true;
}

bool EncodeJpeg(const Image& img, int quality, std::string& out) {
  if (img.Empty()) return false;
  const std::vector<unsigned char> rgb = PackRgb(img);
  std::string data;
  if (!stbi_write_jpg_to_func(AppendBytes, &data, img.W, img.H, 3, rgb.data(), quality)) return false;
  out = std::move(data);
  return true;
}

}  // namespace glim
