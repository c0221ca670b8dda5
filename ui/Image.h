// A plain RGB image: 0x00RRGGBB per pixel, rows top to bottom.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace glim {

struct Image {
  int W = 0;
  int H = 0;
  std::vector<uint32_t> Px;

  Image() = default;
  Image(int w, int h, uint32_t fill = 0) : W(w), H(h), Px(static_cast<size_t>(w) * h, fill) {}
  bool Empty() const { return W <= 0 || H <= 0; }
  uint32_t At(int x, int y) const { return Px[static_cast<size_t>(y) * W + x]; }
  uint32_t& At(int x, int y) { return Px[static_cast<size_t>(y) * W + x]; }
};

// Copies src onto dst with its top-left corner at (x, y); pixels outside dst
// are dropped. With blackTransparent, pixels of value 0 are not copied.
void Blit(Image& dst, const Image& src, int x, int y, bool blackTransparent);

// Fills the rectangle [x0, x1] x [y0, y1] (inclusive, clipped to the image).
void FillRect(Image& dst, int x0, int y0, int x1, int y1, uint32_t colour);

// The largest room picture the game uses, in either direction: a larger one
// is refused from its header, before it is decoded.
constexpr int MaxPictureSide = 4096;

// Decoders. Each returns false (and leaves out untouched) when the data is
// not a well-formed image of its kind; they never read outside the input.
// A JPEG may be grey, colour (YCbCr or RGB) or CMYK; every kind comes out as
// RGB.
bool DecodeJpeg(const std::string& bytes, Image& out);
bool DecodePng(const std::string& bytes, Image& out);
// Encoders for tools and for writing the scene out.
bool EncodePng(const Image& img, std::string& out);
bool EncodeJpeg(const Image& img, int quality, std::string& out);

// A rectangle of pixels; empty when W or H is 0.
struct Rect {
  int X = 0, Y = 0, W = 0, H = 0;
  bool Empty() const { return W <= 0 || H <= 0; }
  bool operator==(const Rect&) const = default;
};

// The pixels as bytes R, G, B for a picture library, rows top to bottom.
std::vector<unsigned char> PackRgb(const Image& img);

// A picture as a browser's canvas holds it: bytes R, G, B, 255 a pixel,
// rows top to bottom (as 32-bit words, in the machine's byte order).
struct RgbaPicture {
  int W = 0;
  int H = 0;
  std::vector<uint32_t> Words;
};

// Brings `shown` up to `img` in one pass over the picture and returns the
// smallest rectangle holding every pixel that changed (empty when none
// did; the whole picture when the sizes differ).
Rect UpdateRgba(RgbaPicture& shown, const Image& img);

// Cuts a horizontal strip of equally sized cells into a list of images.
std::vector<Image> SplitSheet(const Image& sheet, int cellW, int cellH);

}  // namespace glim
