// The drawing kit of the picture generator: a floating-point canvas with
// coverage, shapes given as signed distance functions, deterministic noise
// and random numbers. Everything here is pure arithmetic, so the same
// program always paints the same pixels.
#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/Image.h"

namespace pics {

struct Col {
  float r = 0, g = 0, b = 0;
};
inline Col operator+(Col a, Col b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Col operator-(Col a, Col b) { return {a.r - b.r, a.g - b.g, a.b - b.b}; }
inline Col operator*(Col a, float k) { return {a.r * k, a.g * k, a.b * k}; }
inline Col operator*(Col a, Col b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }
inline Col Mix(Col a, Col b, float t) { return a + (b - a) * t; }
inline float Clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }
inline float Smooth(float e0, float e1, float x) {
  const float t = Clamp01((x - e0) / (e1 - e0));
  return t * t * (3 - 2 * t);
}
inline float Lum(Col c) { return 0.299f * c.r + 0.587f * c.g + 0.114f * c.b; }
// 0xRRGGBB to a colour.
Col Hex(uint32_t rgb);
// Scales the saturation around the luminance.
Col Saturate(Col c, float k);

// Deterministic random numbers (splitmix64).
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}
  uint64_t Next();
  float Uni() { return static_cast<float>(Next() >> 40) / static_cast<float>(1 << 24); }
  float Range(float a, float b) { return a + (b - a) * Uni(); }
  int Int(int a, int b) { return a + static_cast<int>(Next() % static_cast<uint64_t>(b - a + 1)); }

 private:
  uint64_t s_;
};

// Smooth value noise in [0, 1], and its fractal sum.
float Noise(float x, float y, uint32_t seed);
float Fbm(float x, float y, uint32_t seed, int octaves = 4);

// A shape: a signed distance (negative inside, in pixels) and a bounding box.
struct Shape {
  float x0 = 0, y0 = 0, x1 = 0, y1 = 0;
  std::function<float(float, float)> d;
};
Shape Circle(float cx, float cy, float r);
Shape Ellipse(float cx, float cy, float rx, float ry);
Shape Box(float x0, float y0, float x1, float y1, float round = 0);
Shape Capsule(float ax, float ay, float bx, float by, float ra, float rb);
Shape Line(float ax, float ay, float bx, float by, float r);
Shape Poly(std::vector<float> xy);
Shape Union(Shape a, Shape b);
Shape Cut(Shape a, Shape b);  // a without b
Shape Intersect(Shape a, Shape b);
// Roughens an edge with noise of the given amplitude (pixels) and scale.
Shape Rough(Shape s, float amp, float scale, uint32_t seed);
Shape Moved(Shape s, float dx, float dy);

using Shader = std::function<Col(float, float)>;
inline Shader Flat(Col c) {
  return [c](float, float) { return c; };
}
// Linear gradient from colour a at (ax, ay) to b at (bx, by).
Shader Linear(float ax, float ay, Col a, float bx, float by, Col b);
// Multiplies a shader with a noise texture of the given strength and scale.
Shader Textured(Shader s, float strength, float scale, uint32_t seed);
// Shades a round body lit from the upper left: dark at the rim, light near
// the top-left of the box (cx, cy, rx, ry).
Shader Rounded(Col c, float cx, float cy, float rx, float ry, float depth = 0.45f);

// A canvas of premultiplied colour with coverage.
class Canvas {
 public:
  Canvas(int w, int h, Col fill = {}, float alpha = 1);
  int W() const { return w_; }
  int H() const { return h_; }
  Col& C(int x, int y) { return c_[static_cast<size_t>(y) * w_ + x]; }
  Col C(int x, int y) const { return c_[static_cast<size_t>(y) * w_ + x]; }
  float& A(int x, int y) { return a_[static_cast<size_t>(y) * w_ + x]; }
  float A(int x, int y) const { return a_[static_cast<size_t>(y) * w_ + x]; }
  // Colour at a point, clamped to the canvas, bilinear.
  Col Sample(float x, float y) const;

  // Paints the shape with the shader, anti-aliased over 'soft' pixels.
  void Fill(const Shape& s, const Shader& sh, float opacity = 1, float soft = 1);
  void Fill(const Shape& s, Col c, float opacity = 1, float soft = 1) { Fill(s, Flat(c), opacity, soft); }
  // Paints every pixel through a function of its position and old colour.
  void Map(const std::function<Col(int, int, Col)>& f);
  // A soft glow of light added around a point.
  void Glow(float cx, float cy, float r, Col c, float strength);
  void BoxBlur(int radius);

  // Room pictures: plain RGB, every pixel kept.
  glim::Image ToImage() const;
  // Sprites: pixels with coverage at least one half become opaque (never pure
  // black), the rest pure black; 'outline' draws a dark rim round the shape.
  glim::Image ToSprite(bool outline, Col outlineCol = Hex(0x1b1612)) const;

 private:
  int w_, h_;
  std::vector<Col> c_;
  std::vector<float> a_;
};

// How a region's pictures are brushed.
struct BrushStyle {
  float coarse = 9;    // length of the first layer of strokes
  float fine = 4;      // length of the detail strokes
  float width = 1.6f;  // half width of a stroke
  float jitter = 0.05f;
  float detail = 0.6f;  // how much of the picture gets detail strokes
  float warmth = 0;     // shift of the whole picture to warm (>0) or cold (<0)
  float saturation = 1;
};
// Repaints the canvas with brush strokes that follow its edges.
void Painterly(Canvas& cv, const BrushStyle& st, uint32_t seed);
// Adds the grain of canvas cloth and a gentle vignette.
void Finish(Canvas& cv, float vignette, uint32_t seed);

// A small stroke font for titles and labels: capital letters, digits and a
// few signs. Width of a text of the given height.
float TextWidth(const std::string& s, float h);
void DrawText(Canvas& cv, const std::string& s, float x, float y, float h, float weight, const Shader& sh,
              bool calligraphic = false);

bool WriteFile(const std::string& path, const std::string& bytes);
bool SavePng(const std::string& path, const glim::Image& img);
// Pixels 0xAARRGGBB, with transparency.
bool SavePngRgba(const std::string& path, const glim::Image& img);
bool SaveJpeg(const std::string& path, const glim::Image& img, int quality);

}  // namespace pics
