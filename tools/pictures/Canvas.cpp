// The drawing kit: colours, noise, shapes, the canvas, the brush filter and
// the stroke font.
#include "tools/pictures/Canvas.h"

#include <png.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>

namespace pics {

Col Hex(uint32_t rgb) {
  return {static_cast<float>((rgb >> 16) & 255) / 255.f, static_cast<float>((rgb >> 8) & 255) / 255.f,
          static_cast<float>(rgb & 255) / 255.f};
}

Col Saturate(Col c, float k) {
  const float l = Lum(c);
  return {l + (c.r - l) * k, l + (c.g - l) * k, l + (c.b - l) * k};
}

uint64_t Rng::Next() {
  uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

namespace {

float Hash(int x, int y, uint32_t seed) {
  uint32_t h = static_cast<uint32_t>(x) * 374761393u + static_cast<uint32_t>(y) * 668265263u + seed * 2246822519u;
  h = (h ^ (h >> 13)) * 1274126177u;
  h ^= h >> 16;
  return static_cast<float>(h & 0xFFFFFF) / static_cast<float>(0xFFFFFF);
}

}  // namespace

float Noise(float x, float y, uint32_t seed) {
  const float fx = std::floor(x), fy = std::floor(y);
  const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
  float tx = x - fx, ty = y - fy;
  tx = tx * tx * (3 - 2 * tx);
  ty = ty * ty * (3 - 2 * ty);
  const float a = Hash(ix, iy, seed), b = Hash(ix + 1, iy, seed);
  const float c = Hash(ix, iy + 1, seed), d = Hash(ix + 1, iy + 1, seed);
  return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

float Fbm(float x, float y, uint32_t seed, int octaves) {
  float sum = 0, amp = 0.5f, norm = 0;
  for (int i = 0; i < octaves; ++i) {
    sum += amp * Noise(x, y, seed + static_cast<uint32_t>(i) * 101u);
    norm += amp;
    x = x * 2.03f + 17.1f;
    y = y * 2.03f + 5.3f;
    amp *= 0.5f;
  }
  return sum / norm;
}

// ---------------------------------------------------------------- shapes

Shape Circle(float cx, float cy, float r) {
  return {cx - r, cy - r, cx + r, cy + r, [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; }};
}

Shape Ellipse(float cx, float cy, float rx, float ry) {
  rx = std::max(rx, 0.01f);
  ry = std::max(ry, 0.01f);
  const float m = std::min(rx, ry);
  return {cx - rx, cy - ry, cx + rx, cy + ry,
          [=](float x, float y) { return (std::hypot((x - cx) / rx, (y - cy) / ry) - 1.f) * m; }};
}

Shape Box(float x0, float y0, float x1, float y1, float round) {
  const float cx = (x0 + x1) / 2, cy = (y0 + y1) / 2;
  const float hx = (x1 - x0) / 2 - round, hy = (y1 - y0) / 2 - round;
  return {x0, y0, x1, y1, [=](float x, float y) {
            const float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
            const float ox = std::max(qx, 0.f), oy = std::max(qy, 0.f);
            return std::hypot(ox, oy) + std::min(std::max(qx, qy), 0.f) - round;
          }};
}

Shape Capsule(float ax, float ay, float bx, float by, float ra, float rb) {
  const float r = std::max(ra, rb);
  return {std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r,
          [=](float x, float y) {
            const float px = x - ax, py = y - ay, dx = bx - ax, dy = by - ay;
            const float len2 = dx * dx + dy * dy;
            const float t = len2 > 0 ? Clamp01((px * dx + py * dy) / len2) : 0.f;
            return std::hypot(px - dx * t, py - dy * t) - (ra + (rb - ra) * t);
          }};
}

Shape Line(float ax, float ay, float bx, float by, float r) { return Capsule(ax, ay, bx, by, r, r); }

Shape Poly(std::vector<float> v) {
  float x0 = 1e9f, y0 = 1e9f, x1 = -1e9f, y1 = -1e9f;
  for (size_t i = 0; i + 1 < v.size(); i += 2) {
    x0 = std::min(x0, v[i]);
    x1 = std::max(x1, v[i]);
    y0 = std::min(y0, v[i + 1]);
    y1 = std::max(y1, v[i + 1]);
  }
  const size_t n = v.size() / 2;
  return {x0, y0, x1, y1, [v = std::move(v), n](float x, float y) {
            float d = (x - v[0]) * (x - v[0]) + (y - v[1]) * (y - v[1]);
            float s = 1;
            for (size_t i = 0, j = n - 1; i < n; j = i, ++i) {
              const float ex = v[2 * j] - v[2 * i], ey = v[2 * j + 1] - v[2 * i + 1];
              const float wx = x - v[2 * i], wy = y - v[2 * i + 1];
              const float t = Clamp01((wx * ex + wy * ey) / std::max(ex * ex + ey * ey, 1e-9f));
              const float bx = wx - ex * t, by = wy - ey * t;
              d = std::min(d, bx * bx + by * by);
              const bool c1 = y >= v[2 * i + 1], c2 = y<v[2 * j + 1], c3 = ex * wy> ey * wx;
              if ((c1 && c2 && c3) || (!c1 && !c2 && !c3)) s = -s;
            }
            return s * std::sqrt(d);
          }};
}

Shape Union(Shape a, Shape b) {
  return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1),
          [a = a.d, b = b.d](float x, float y) { return std::min(a(x, y), b(x, y)); }};
}

Shape Cut(Shape a, Shape b) {
  return {a.x0, a.y0, a.x1, a.y1, [a = a.d, b = b.d](float x, float y) { return std::max(a(x, y), -b(x, y)); }};
}

Shape Intersect(Shape a, Shape b) {
  return {std::max(a.x0, b.x0), std::max(a.y0, b.y0), std::min(a.x1, b.x1), std::min(a.y1, b.y1),
          [a = a.d, b = b.d](float x, float y) { return std::max(a(x, y), b(x, y)); }};
}

Shape Rough(Shape s, float amp, float scale, uint32_t seed) {
  return {s.x0 - amp, s.y0 - amp, s.x1 + amp, s.y1 + amp, [d = s.d, amp, scale, seed](float x, float y) {
            return d(x, y) + amp * (Fbm(x / scale, y / scale, seed, 3) * 2.f - 1.f);
          }};
}

Shape Moved(Shape s, float dx, float dy) {
  return {s.x0 + dx, s.y0 + dy, s.x1 + dx, s.y1 + dy,
          [d = s.d, dx, dy](float x, float y) { return d(x - dx, y - dy); }};
}

// --------------------------------------------------------------- shaders

Shader Linear(float ax, float ay, Col a, float bx, float by, Col b) {
  const float dx = bx - ax, dy = by - ay, len2 = std::max(dx * dx + dy * dy, 1e-6f);
  return [=](float x, float y) { return Mix(a, b, Clamp01(((x - ax) * dx + (y - ay) * dy) / len2)); };
}

Shader Textured(Shader s, float strength, float scale, uint32_t seed) {
  return [s = std::move(s), strength, scale, seed](float x, float y) {
    const float n = Fbm(x / scale, y / scale, seed, 3) - 0.5f;
    return s(x, y) * (1.f + strength * 2.f * n);
  };
}

Shader Rounded(Col c, float cx, float cy, float rx, float ry, float depth) {
  return [=](float x, float y) {
    const float u = (x - cx) / std::max(rx, 0.01f), v = (y - cy) / std::max(ry, 0.01f);
    const float r2 = std::min(u * u + v * v, 1.f);
    const float z = std::sqrt(1.f - r2);
    // Light from the upper left and slightly in front.
    const float lit = Clamp01(-0.45f * u - 0.55f * v + 0.7f * z);
    return c * (1.f - depth + depth * 1.6f * lit);
  };
}

// ---------------------------------------------------------------- canvas

Canvas::Canvas(int w, int h, Col fill, float alpha)
    : w_(w), h_(h), c_(static_cast<size_t>(w) * h, fill * alpha), a_(static_cast<size_t>(w) * h, alpha) {}

Col Canvas::Sample(float x, float y) const {
  x = std::clamp(x - 0.5f, 0.f, static_cast<float>(w_ - 1));
  y = std::clamp(y - 0.5f, 0.f, static_cast<float>(h_ - 1));
  const int ix = std::min(static_cast<int>(x), w_ - 2 < 0 ? 0 : w_ - 2);
  const int iy = std::min(static_cast<int>(y), h_ - 2 < 0 ? 0 : h_ - 2);
  const float tx = x - ix, ty = y - iy;
  const int jx = std::min(ix + 1, w_ - 1), jy = std::min(iy + 1, h_ - 1);
  return Mix(Mix(C(ix, iy), C(jx, iy), tx), Mix(C(ix, jy), C(jx, jy), tx), ty);
}

void Canvas::Fill(const Shape& s, const Shader& sh, float opacity, float soft) {
  const int x0 = std::max(0, static_cast<int>(std::floor(s.x0 - soft - 1)));
  const int y0 = std::max(0, static_cast<int>(std::floor(s.y0 - soft - 1)));
  const int x1 = std::min(w_ - 1, static_cast<int>(std::ceil(s.x1 + soft + 1)));
  const int y1 = std::min(h_ - 1, static_cast<int>(std::ceil(s.y1 + soft + 1)));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float px = x + 0.5f, py = y + 0.5f;
      const float cov = Clamp01(0.5f - s.d(px, py) / soft);
      if (cov <= 0) continue;
      const float k = cov * opacity;
      Col& c = C(x, y);
      c = c * (1 - k) + sh(px, py) * k;
      float& a = A(x, y);
      a = a * (1 - k) + k;
    }
}

void Canvas::Map(const std::function<Col(int, int, Col)>& f) {
  for (int y = 0; y < h_; ++y)
    for (int x = 0; x < w_; ++x) C(x, y) = f(x, y, C(x, y));
}

void Canvas::Glow(float cx, float cy, float r, Col c, float strength) {
  const int x0 = std::max(0, static_cast<int>(cx - r)), x1 = std::min(w_ - 1, static_cast<int>(cx + r));
  const int y0 = std::max(0, static_cast<int>(cy - r)), y1 = std::min(h_ - 1, static_cast<int>(cy + r));
  for (int y = y0; y <= y1; ++y)
    for (int x = x0; x <= x1; ++x) {
      const float d = std::hypot(x + 0.5f - cx, y + 0.5f - cy) / r;
      if (d >= 1) continue;
      const float k = strength * (1 - d) * (1 - d) * A(x, y);
      C(x, y) = C(x, y) + c * k;
    }
}

void Canvas::BoxBlur(int radius) {
  if (radius <= 0) return;
  std::vector<Col> tmp(c_.size());
  for (int pass = 0; pass < 2; ++pass) {
    const bool horiz = pass == 0;
    const int n = horiz ? w_ : h_, m = horiz ? h_ : w_;
    for (int j = 0; j < m; ++j) {
      Col sum{};
      auto at = [&](int i) -> Col& { return horiz ? C(std::clamp(i, 0, n - 1), j) : C(j, std::clamp(i, 0, n - 1)); };
      for (int i = -radius; i <= radius; ++i) sum = sum + at(i);
      for (int i = 0; i < n; ++i) {
        const size_t idx = horiz ? static_cast<size_t>(j) * w_ + i : static_cast<size_t>(i) * w_ + j;
        tmp[idx] = sum * (1.f / (2 * radius + 1));
        sum = sum + at(i + radius + 1) - at(i - radius);
      }
    }
    c_ = tmp;
  }
}

namespace {

uint32_t Pack(Col c) {
  auto q = [](float v) { return static_cast<uint32_t>(std::lround(Clamp01(v) * 255.f)); };
  return (q(c.r) << 16) | (q(c.g) << 8) | q(c.b);
}

}  // namespace

glim::Image Canvas::ToImage() const {
  glim::Image img(w_, h_);
  for (size_t i = 0; i < c_.size(); ++i) img.Px[i] = Pack(c_[i]);
  return img;
}

glim::Image Canvas::ToSprite(bool outline, Col outlineCol) const {
  glim::Image img(w_, h_);
  std::vector<char> solid(c_.size(), 0);
  for (size_t i = 0; i < c_.size(); ++i) {
    if (a_[i] < 0.5f) continue;
    solid[i] = 1;
    uint32_t p = Pack(c_[i] * (1.f / a_[i]));
    img.Px[i] = p == 0 ? 0x010101u : p;
  }
  if (outline) {
    uint32_t o = Pack(outlineCol);
    if (o == 0) o = 0x010101u;
    for (int y = 0; y < h_; ++y)
      for (int x = 0; x < w_; ++x) {
        const size_t i = static_cast<size_t>(y) * w_ + x;
        if (solid[i]) continue;
        bool near = false;
        for (int dy = -1; dy <= 1 && !near; ++dy)
          for (int dx = -1; dx <= 1 && !near; ++dx) {
            const int xx = x + dx, yy = y + dy;
            if (xx >= 0 && yy >= 0 && xx < w_ && yy < h_ && solid[static_cast<size_t>(yy) * w_ + xx]) near = true;
          }
        if (near) img.Px[i] = o;
      }
  }
  return img;
}

// ---------------------------------------------------------- brush strokes

void Painterly(Canvas& cv, const BrushStyle& st, uint32_t seed) {
  const int w = cv.W(), h = cv.H();
  Canvas src = cv;
  Canvas blur = cv;
  blur.BoxBlur(2);
  // Edge directions from the blurred luminance.
  std::vector<float> gx(static_cast<size_t>(w) * h), gy(gx.size());
  auto L = [&](int x, int y) { return Lum(blur.C(std::clamp(x, 0, w - 1), std::clamp(y, 0, h - 1))); };
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const size_t i = static_cast<size_t>(y) * w + x;
      gx[i] =
          (L(x + 1, y - 1) + 2 * L(x + 1, y) + L(x + 1, y + 1)) - (L(x - 1, y - 1) + 2 * L(x - 1, y) + L(x - 1, y + 1));
      gy[i] =
          (L(x - 1, y + 1) + 2 * L(x, y + 1) + L(x + 1, y + 1)) - (L(x - 1, y - 1) + 2 * L(x, y - 1) + L(x + 1, y - 1));
    }
  Rng rng(seed);
  Canvas out = blur;
  auto layer = [&](float len, float spacing, const Canvas& from, bool detailOnly) {
    struct P {
      float x, y;
    };
    std::vector<P> pts;
    for (float y = 0; y < h; y += spacing)
      for (float x = 0; x < w; x += spacing) pts.push_back({x + rng.Range(0, spacing), y + rng.Range(0, spacing)});
    for (size_t i = pts.size(); i > 1; --i) std::swap(pts[i - 1], pts[static_cast<size_t>(rng.Next() % i)]);
    for (const P& p : pts) {
      const int ix = std::clamp(static_cast<int>(p.x), 0, w - 1), iy = std::clamp(static_cast<int>(p.y), 0, h - 1);
      const size_t i = static_cast<size_t>(iy) * w + ix;
      const float mag = std::hypot(gx[i], gy[i]);
      if (detailOnly) {
        const Col diff = out.C(ix, iy) - src.C(ix, iy);
        const float err = std::fabs(diff.r) + std::fabs(diff.g) + std::fabs(diff.b);
        if (err < 0.09f * (1.2f - st.detail) && mag < 0.25f) continue;
      }
      float ang;
      if (mag > 0.04f)
        ang = std::atan2(gy[i], gx[i]) + 1.5707963f;
      else
        ang = (Fbm(p.x / 90.f, p.y / 90.f, seed + 7, 2) - 0.5f) * 2.4f + 0.15f;
      ang += rng.Range(-0.25f, 0.25f);
      const float l = len * rng.Range(0.6f, 1.25f) * (mag > 0.3f ? 0.6f : 1.f);
      const float dx = std::cos(ang) * l / 2, dy = std::sin(ang) * l / 2;
      Col c = from.Sample(p.x, p.y);
      const float j = 1.f + rng.Range(-st.jitter, st.jitter);
      c = Col{c.r * j + rng.Range(-0.012f, 0.012f), c.g * j + rng.Range(-0.012f, 0.012f),
              c.b * j + rng.Range(-0.012f, 0.012f)};
      const float rad = st.width * (detailOnly ? 0.75f : 1.f) * rng.Range(0.8f, 1.2f);
      // The paint thins towards the tail of the stroke.
      const Col c2 = c;
      out.Fill(
          Capsule(p.x - dx, p.y - dy, p.x + dx, p.y + dy, rad, rad * 0.7f),
          [=](float x, float y) {
            const float ripple = 0.03f * std::sin((x * dy - y * dx) * 2.1f / std::max(l, 1.f));
            return c2 * (1.f + ripple);
          },
          0.88f, 1.1f);
    }
  };
  layer(st.coarse, st.coarse * 0.45f, blur, false);
  layer(st.fine, st.fine * 0.55f, src, true);
  // Keep a little of the crisp underpainting so small shapes stay readable.
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      Col c = Mix(out.C(x, y), src.C(x, y), 0.18f);
      c = Saturate(c, st.saturation);
      c = Col{c.r * (1 + 0.08f * st.warmth), c.g * (1 + 0.02f * st.warmth), c.b * (1 - 0.08f * st.warmth)};
      cv.C(x, y) = c;
    }
}

void Finish(Canvas& cv, float vignette, uint32_t seed) {
  const float w = static_cast<float>(cv.W()), h = static_cast<float>(cv.H());
  cv.Map([&](int x, int y, Col c) {
    const float weave = 0.018f * (std::sin(x * 2.2f) * std::sin(y * 2.2f));
    const float grain =
        0.05f * (Noise(x * 0.9f, y * 0.9f, seed) - 0.5f) + 0.04f * (Fbm(x / 40.f, y / 40.f, seed + 3, 3) - 0.5f);
    const float u = (x + 0.5f) / w - 0.5f, v = (y + 0.5f) / h - 0.5f;
    const float vig = 1.f - vignette * Smooth(0.15f, 0.75f, u * u * 1.6f + v * v * 1.9f);
    return c * ((1.f + weave + grain) * vig);
  });
}

// ---------------------------------------------------------------- font

namespace {

struct Glyph {
  float adv = 4;
  std::vector<std::vector<std::pair<float, float>>> strokes;
};

// Glyphs on a grid 6 units high: "x,y" points, "A cx,cy,rx,ry,a0,a1" arcs
// (degrees, 0 to the right, 90 downwards), strokes separated by '|'.
const std::map<char, std::pair<float, const char*>>& GlyphSource() {
  static const std::map<char, std::pair<float, const char*>> g = {
      {'A', {4.4f, "0,6 2.2,0 4.4,6|0.8,4 3.6,4"}},
      {'B', {3.8f, "0,0 0,6|0,0 2.3,0 A2.3,1.5,1.4,1.5,-90,90 0,3|0,3 2.4,3 A2.4,4.5,1.5,1.5,-90,90 0,6"}},
      {'C', {4.2f, "A2.4,3,2.3,3,-45,-315"}},
      {'D', {4.2f, "0,0 0,6|0,0 1.4,0 A1.4,3,2.7,3,-90,90 0,6"}},
      {'E', {3.6f, "3.6,0 0,0 0,6 3.6,6|0,3 2.8,3"}},
      {'F', {3.5f, "3.5,0 0,0 0,6|0,3 2.8,3"}},
      {'G', {4.6f, "A2.4,3,2.3,3,-45,-360 2.8,3"}},
      {'H', {4.0f, "0,0 0,6|4,0 4,6|0,3 4,3"}},
      {'I', {0.8f, "0.4,0 0.4,6"}},
      {'J', {3.2f, "3,0 3,4.5 A1.5,4.5,1.5,1.5,0,180"}},
      {'K', {3.9f, "0,0 0,6|3.8,0 0,3.8|1.3,2.7 3.9,6"}},
      {'L', {3.4f, "0,0 0,6 3.4,6"}},
      {'M', {5.0f, "0,6 0,0 2.5,4 5,0 5,6"}},
      {'N', {4.0f, "0,6 0,0 4,6 4,0"}},
      {'O', {5.0f, "A2.5,3,2.5,3,0,360"}},
      {'P', {3.7f, "0,6 0,0 2.2,0 A2.2,1.6,1.5,1.6,-90,90 0,3.2"}},
      {'Q', {5.0f, "A2.5,3,2.5,3,0,360|3,4.5 4.9,6.3"}},
      {'R', {3.9f, "0,6 0,0 2.2,0 A2.2,1.6,1.5,1.6,-90,90 0,3.2|1.8,3.2 3.9,6"}},
      {'S', {3.8f, "A1.9,1.5,1.8,1.5,-20,-270 A1.9,4.5,1.9,1.5,-90,160"}},
      {'T', {4.2f, "0,0 4.2,0|2.1,0 2.1,6"}},
      {'U', {4.0f, "0,0 0,4 A2,4,2,2,180,0 4,0"}},
      {'V', {4.4f, "0,0 2.2,6 4.4,0"}},
      {'W', {5.8f, "0,0 1.4,6 2.9,1.5 4.4,6 5.8,0"}},
      {'X', {4.0f, "0,0 4,6|4,0 0,6"}},
      {'Y', {4.2f, "0,0 2.1,3 4.2,0|2.1,3 2.1,6"}},
      {'Z', {4.0f, "0,0 4,0 0,6 4,6"}},
      {'0', {3.8f, "A1.9,3,1.9,3,0,360"}},
      {'1', {2.2f, "0.2,1.2 1.6,0 1.6,6"}},
      {'2', {3.8f, "A1.9,1.9,1.9,1.9,-170,30 0,6 3.8,6"}},
      {'3', {3.8f, "A1.9,1.5,1.7,1.5,-160,90 A1.9,4.5,1.9,1.5,-90,160"}},
      {'4', {4.0f, "3,6 3,0 0,4.2 4,4.2"}},
      {'5', {3.8f, "3.6,0 0.4,0 0.2,2.6 A1.9,4.1,1.9,1.9,-130,150"}},
      {'6', {3.8f, "3.3,0 1.1,1.6 0.1,3.8|A1.9,4.1,1.8,1.9,0,360"}},
      {'7', {3.8f, "0,0 3.8,0 1.4,6"}},
      {'8', {3.8f, "A1.9,1.5,1.6,1.5,0,360|A1.9,4.5,1.9,1.5,0,360"}},
      {'9', {3.8f, "A1.9,1.9,1.8,1.9,0,360|3.7,2.2 2.9,4.4 0.8,6"}},
      {'.', {0.8f, "0.4,5.7 0.4,6"}},
      {',', {0.8f, "0.5,5.6 0.1,6.8"}},
      {'-', {2.6f, "0.2,3.4 2.4,3.4"}},
      {':', {0.8f, "0.4,2 0.4,2.3|0.4,5.7 0.4,6"}},
      {'?', {3.6f, "A1.8,1.6,1.7,1.6,-160,60 1.8,3.6 1.8,4.4|1.8,5.7 1.8,6"}},
      {'!', {0.8f, "0.4,0 0.4,4.3|0.4,5.7 0.4,6"}},
      {'\'', {0.8f, "0.4,0 0.3,1.6"}},
      {'/', {3.0f, "3,0 0,6"}},
      {'(', {1.6f, "A2.5,3,2.3,3.4,-130,-230"}},
      {')', {1.6f, "A-0.9,3,2.3,3.4,-50,50"}},
      {'&', {4.4f, "4.2,6 0.9,2 A1.8,1.3,1,1.3,160,-200 0.3,4.6 A1.7,4.6,1.4,1.4,180,60 3.9,3.2"}},
      {'+', {3.0f, "0,3.2 3,3.2|1.5,1.7 1.5,4.7"}},
  };
  return g;
}

const Glyph* GetGlyph(char ch) {
  static std::map<char, Glyph> cache;
  if (ch >= 'a' && ch <= 'z') ch = static_cast<char>(ch - 'a' + 'A');
  auto it = cache.find(ch);
  if (it != cache.end()) return &it->second;
  const auto& src = GlyphSource();
  auto s = src.find(ch);
  if (s == src.end()) return nullptr;
  Glyph g;
  g.adv = s->second.first;
  std::string text = s->second.second;
  std::stringstream strokes(text);
  std::string stroke;
  while (std::getline(strokes, stroke, '|')) {
    std::vector<std::pair<float, float>> pts;
    std::stringstream items(stroke);
    std::string item;
    while (items >> item) {
      if (item[0] == 'A') {
        float cx, cy, rx, ry, a0, a1;
        if (std::sscanf(item.c_str() + 1, "%f,%f,%f,%f,%f,%f", &cx, &cy, &rx, &ry, &a0, &a1) == 6) {
          const int n = std::max(6, static_cast<int>(std::fabs(a1 - a0) / 12));
          for (int i = 0; i <= n; ++i) {
            const float a = (a0 + (a1 - a0) * i / n) * 3.14159265f / 180.f;
            pts.push_back({cx + rx * std::cos(a), cy + ry * std::sin(a)});
          }
        }
      } else {
        float x, y;
        if (std::sscanf(item.c_str(), "%f,%f", &x, &y) == 2) pts.push_back({x, y});
      }
    }
    if (!pts.empty()) g.strokes.push_back(std::move(pts));
  }
  return &cache.emplace(ch, std::move(g)).first->second;
}

}  // namespace

float TextWidth(const std::string& s, float h) {
  const float u = h / 6.f;
  float w = 0;
  for (char ch : s) {
    if (ch == ' ') {
      w += 2.6f * u;
      continue;
    }
    if (const Glyph* g = GetGlyph(ch)) w += (g->adv + 1.4f) * u;
  }
  return w > 0 ? w - 1.4f * u : 0;
}

void DrawText(Canvas& cv, const std::string& s, float x, float y, float h, float weight, const Shader& sh,
              bool calligraphic) {
  const float u = h / 6.f;
  for (char ch : s) {
    if (ch == ' ') {
      x += 2.6f * u;
      continue;
    }
    const Glyph* g = GetGlyph(ch);
    if (!g) continue;
    for (const auto& st : g->strokes) {
      if (st.size() == 1) {
        cv.Fill(Circle(x + st[0].first * u, y + st[0].second * u, weight), sh);
        continue;
      }
      for (size_t i = 0; i + 1 < st.size(); ++i) {
        const float ax = x + st[i].first * u, ay = y + st[i].second * u;
        const float bx = x + st[i + 1].first * u, by = y + st[i + 1].second * u;
        float r = weight;
        if (calligraphic) {
          // A broad nib held at 35 degrees: thick downstrokes, thin hairlines.
          const float ang = std::atan2(by - ay, bx - ax);
          r = weight * (0.35f + 0.85f * std::fabs(std::sin(ang - 0.61f)));
        }
        cv.Fill(Line(ax, ay, bx, by, r), sh);
      }
    }
    x += (g->adv + 1.4f) * u;
  }
}

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream f(path, std::ios::binary);
  f.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(f);
}

bool SavePng(const std::string& path, const glim::Image& img) {
  std::string bytes;
  return glim::EncodePng(img, bytes) && WriteFile(path, bytes);
}

bool SavePngRgba(const std::string& path, const glim::Image& img) {
  std::vector<unsigned char> rgba(img.Px.size() * 4);
  for (size_t i = 0; i < img.Px.size(); ++i) {
    rgba[4 * i] = static_cast<unsigned char>(img.Px[i] >> 16);
    rgba[4 * i + 1] = static_cast<unsigned char>(img.Px[i] >> 8);
    rgba[4 * i + 2] = static_cast<unsigned char>(img.Px[i]);
    rgba[4 * i + 3] = static_cast<unsigned char>(img.Px[i] >> 24);
  }
  png_image pi;
  std::memset(&pi, 0, sizeof pi);
  pi.version = PNG_IMAGE_VERSION;
  pi.width = static_cast<png_uint_32>(img.W);
  pi.height = static_cast<png_uint_32>(img.H);
  pi.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&pi, path.c_str(), 0, rgba.data(), 0, nullptr) != 0;
}

bool SaveJpeg(const std::string& path, const glim::Image& img, int quality) {
  std::string bytes;
  return glim::EncodeJpeg(img, quality, bytes) && WriteFile(path, bytes);
}

}  // namespace pics
