// The small signal kit the sound generator is built from: a seeded random
// source, filters, envelopes, and the circular rendering that makes looping
// sounds join without a click (everything in a loop is periodic in the
// loop's length, and filters run round the loop twice so their state at the
// end is the state the start needs).
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <vector>

namespace gensnd {

constexpr int kRate = 22050;
constexpr double kPi = 3.14159265358979323846;

using Buf = std::vector<double>;

inline size_t Samples(double seconds) { return static_cast<size_t>(std::lround(seconds * kRate)); }

// A seeded random source (splitmix64): the same seed gives the same sound on
// every machine.
class Rng {
 public:
  explicit Rng(uint64_t seed) : s_(seed) {}
  uint64_t Next() {
    uint64_t z = (s_ += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
  }
  double Uniform() { return double(Next() >> 11) / double(1ull << 53); }     // [0, 1)
  double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }  // [lo, hi)
  double Bipolar() { return 2 * Uniform() - 1; }
  int Int(int n) { return static_cast<int>(Uniform() * n); }  // 0..n-1
  double Gauss() {
    double u = Uniform();
    if (u < 1e-12) u = 1e-12;
    return std::sqrt(-2 * std::log(u)) * std::cos(2 * kPi * Uniform());
  }

 private:
  uint64_t s_;
};

// A second-order filter (the usual cookbook designs).
struct Biquad {
  double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
  double x1 = 0, x2 = 0, y1 = 0, y2 = 0;

  double Run(double x) {
    const double y = b0 * x + b1 * x1 + b2 * x2 - a1 * y1 - a2 * y2;
    x2 = x1;
    x1 = x;
    y2 = y1;
    y1 = y;
    return y;
  }
  void Reset() { x1 = x2 = y1 = y2 = 0; }

  static Biquad Make(double b0, double b1, double b2, double a0, double a1, double a2) {
    Biquad f;
    f.b0 = b0 / a0;
    f.b1 = b1 / a0;
    f.b2 = b2 / a0;
    f.a1 = a1 / a0;
    f.a2 = a2 / a0;
    return f;
  }
  static double Omega(double hz) { return 2 * kPi * std::clamp(hz, 5.0, kRate * 0.49) / kRate; }
  static Biquad LowPass(double hz, double q = 0.707) {
    const double w = Omega(hz), c = std::cos(w), a = std::sin(w) / (2 * q);
    return Make((1 - c) / 2, 1 - c, (1 - c) / 2, 1 + a, -2 * c, 1 - a);
  }
  static Biquad HighPass(double hz, double q = 0.707) {
    const double w = Omega(hz), c = std::cos(w), a = std::sin(w) / (2 * q);
    return Make((1 + c) / 2, -(1 + c), (1 + c) / 2, 1 + a, -2 * c, 1 - a);
  }
  // Band-pass with 0 dB at the centre.
  static Biquad BandPass(double hz, double q) {
    const double w = Omega(hz), c = std::cos(w), a = std::sin(w) / (2 * q);
    return Make(a, 0, -a, 1 + a, -2 * c, 1 - a);
  }
  // Changes the coefficients of a running filter, keeping its state.
  void Retune(const Biquad& d) {
    b0 = d.b0;
    b1 = d.b1;
    b2 = d.b2;
    a1 = d.a1;
    a2 = d.a2;
  }
};

// A one-pole low-pass, for smoothing and gentle colouring.
struct OnePole {
  double a = 0, y = 0;
  explicit OnePole(double hz = 1000) { Set(hz); }
  void Set(double hz) { a = std::exp(-2 * kPi * hz / kRate); }
  double Run(double x) { return y = (1 - a) * x + a * y; }
};

// Runs a filter over a whole buffer. Circular: the buffer is taken as one
// period of a loop, and the filter goes round twice so that its output is
// periodic too.
template <class F>
Buf Filtered(const Buf& in, F f, bool circular) {
  Buf out(in.size());
  if (circular) {
    for (double x : in) f.Run(x);
  }
  for (size_t i = 0; i < in.size(); ++i) out[i] = f.Run(in[i]);
  return out;
}

inline Buf Noise(Rng& r, size_t n) {
  Buf b(n);
  for (double& x : b) x = r.Bipolar();
  return b;
}

// Adds src into dst from position at; in a loop, what runs past the end
// goes round to the start.
inline void Mix(Buf& dst, const Buf& src, long at, double gain = 1, bool wrap = false) {
  const long n = static_cast<long>(dst.size());
  for (size_t i = 0; i < src.size(); ++i) {
    long k = at + static_cast<long>(i);
    if (wrap) {
      k %= n;
      if (k < 0) k += n;
    } else if (k < 0 || k >= n) {
      continue;
    }
    dst[static_cast<size_t>(k)] += gain * src[i];
  }
}

// Exponential decay that falls by 60 dB in t60 seconds.
inline double Decay(double t, double t60) { return t < 0 ? 0 : std::exp(-6.9078 * t / t60); }

// Attack-hold-release envelope: rises over a, holds until a + h, falls to
// zero over r (raised-cosine edges).
inline double Ahr(double t, double a, double h, double r) {
  if (t < 0) return 0;
  if (t < a) return 0.5 - 0.5 * std::cos(kPi * t / a);
  t -= a;
  if (t < h) return 1;
  t -= h;
  if (t < r) return 0.5 + 0.5 * std::cos(kPi * t / r);
  return 0;
}

// Fades the edges of a one-shot sound so that it starts and ends at rest.
inline void FadeEdges(Buf& b, double inSec, double outSec) {
  const size_t fi = std::min(b.size(), Samples(inSec)), fo = std::min(b.size(), Samples(outSec));
  for (size_t i = 0; i < fi; ++i) b[i] *= 0.5 - 0.5 * std::cos(kPi * double(i) / double(fi));
  for (size_t i = 0; i < fo; ++i) b[b.size() - 1 - i] *= 0.5 - 0.5 * std::cos(kPi * double(i) / double(fo));
}

inline double Peak(const Buf& b) {
  double p = 0;
  for (double x : b) p = std::max(p, std::fabs(x));
  return p;
}

inline double Rms(const Buf& b) {
  double s = 0;
  for (double x : b) s += x * x;
  return b.empty() ? 0 : std::sqrt(s / double(b.size()));
}

// Scales the buffer so its peak is `peak` (a fraction of full scale).
inline void Normalize(Buf& b, double peak) {
  const double p = Peak(b);
  if (p > 0)
    for (double& x : b) x *= peak / p;
}

// Removes a constant offset (a loop must not carry one).
inline void RemoveDc(Buf& b) {
  double m = 0;
  for (double x : b) m += x;
  m /= double(b.empty() ? 1 : b.size());
  for (double& x : b) x -= m;
}

// Gentle saturation for a little grit.
inline double Soft(double x) { return std::tanh(x); }

// Frequency steps of a periodic pitch track, scaled so that a whole number
// of cycles fits the loop: a tone that goes round the loop then meets its
// own start in phase.
inline std::vector<double> WholeCycles(std::vector<double> hz) {
  double cycles = 0;
  for (double f : hz) cycles += f / kRate;
  const double want = std::max(1.0, std::round(cycles));
  for (double& f : hz) f *= want / cycles;
  return hz;
}

// WAV files: 16-bit PCM.
bool WriteWav(const std::string& path, const Buf& samples, int rate = kRate);
// Reads a 16-bit PCM WAV (any rate, the first channel); false if it is not one.
bool ReadWav(const std::string& path, Buf& samples, int& rate);
// Linear-interpolating rate change.
Buf Resample(const Buf& in, int from, int to);

}  // namespace gensnd
