// Every sound effect and looping background of the game, synthesised.
// Each sound has its own seed, so changing one never changes another.
#include "Sounds.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace gensnd {

namespace {

double T(size_t i) { return double(i) / kRate; }

// A decaying sum of sine partials: bells, glass, metal.
struct Partial {
  double Hz, Amp, T60;
};
Buf Ring(const std::vector<Partial>& parts, double seconds, double phaseSeed = 0) {
  Buf b(Samples(seconds), 0.0);
  for (size_t k = 0; k < parts.size(); ++k) {
    const Partial& p = parts[k];
    const double w = 2 * kPi * p.Hz / kRate;
    const double ph = phaseSeed * double(k + 1);
    for (size_t i = 0; i < b.size(); ++i) b[i] += p.Amp * Decay(T(i), p.T60) * std::sin(w * double(i) + ph);
  }
  return b;
}

// A short noise burst, shaped by a fast attack and an exponential decay.
Buf Burst(Rng& r, double seconds, double t60, double attack = 0.0005) {
  Buf b(Samples(seconds));
  for (size_t i = 0; i < b.size(); ++i) b[i] = r.Bipolar() * Ahr(T(i), attack, 0, 1e9) * Decay(T(i) - attack, t60);
  return b;
}

// A bank of band-pass resonators fed by the same input, summed.
Buf Resonate(const Buf& in, const std::vector<std::array<double, 3>>& bands, bool circular = false) {
  Buf out(in.size(), 0.0);
  for (const auto& band : bands) {
    const Buf y = Filtered(in, Biquad::BandPass(band[0], band[1]), circular);
    for (size_t i = 0; i < out.size(); ++i) out[i] += band[2] * y[i];
  }
  return out;
}

// A band-limited sawtooth (polyBLEP) following a pitch track.
Buf Saw(const std::vector<double>& hz, double phase0 = 0) {
  Buf b(hz.size());
  double ph = phase0;
  for (size_t i = 0; i < hz.size(); ++i) {
    const double dt = hz[i] / kRate;
    double v = 2 * ph - 1;
    if (ph < dt) {
      const double t = ph / dt;
      v -= t + t - t * t - 1;
    } else if (ph > 1 - dt) {
      const double t = (ph - 1) / dt;
      v -= t * t + t + t + 1;
    }
    b[i] = v;
    ph += dt;
    if (ph >= 1) ph -= 1;
  }
  return b;
}

// A sine following a pitch track.
Buf Sine(const std::vector<double>& hz, double phase0 = 0) {
  Buf b(hz.size());
  double ph = phase0;
  for (size_t i = 0; i < hz.size(); ++i) {
    b[i] = std::sin(2 * kPi * ph);
    ph += hz[i] / kRate;
    if (ph >= 1) ph -= 1;
  }
  return b;
}

// Slowly wandering values in [-1, 1]: low-passed noise, rescaled.
Buf Wander(Rng& r, size_t n, double hz, bool circular = false) {
  Buf w = Filtered(Noise(r, n), OnePole(hz), circular);
  w = Filtered(w, OnePole(hz), circular);
  Normalize(w, 1.0);
  return w;
}

// Crackles of a fire: tiny bright clicks at random times.
void Crackle(Rng& r, Buf& b, int count, double from, double to, double gain, double decayBias = 0) {
  for (int k = 0; k < count; ++k) {
    double u = r.Uniform();
    if (decayBias > 0) u = std::pow(u, 1 + decayBias);
    const double at = from + (to - from) * u;
    Buf c = Filtered(Burst(r, 0.006, r.Range(0.001, 0.004)), Biquad::HighPass(r.Range(1500, 4000)), false);
    Mix(b, c, static_cast<long>(Samples(at)), gain * r.Range(0.3, 1.0));
  }
}

// Noise through a low-pass whose cutoff follows cutoff(t).
Buf SweptNoise(Rng& r, double seconds, const std::function<double(double)>& cutoff, double q = 0.707) {
  Buf b(Samples(seconds));
  Biquad f = Biquad::LowPass(cutoff(0), q);
  for (size_t i = 0; i < b.size(); ++i) {
    if (i % 32 == 0) f.Retune(Biquad::LowPass(cutoff(T(i)), q));
    b[i] = f.Run(r.Bipolar());
  }
  return b;
}

// Noise through a band-pass whose centre follows centre(t).
Buf SweptBand(Rng& r, double seconds, const std::function<double(double)>& centre, double q) {
  Buf b(Samples(seconds));
  Biquad f = Biquad::BandPass(centre(0), q);
  for (size_t i = 0; i < b.size(); ++i) {
    if (i % 32 == 0) f.Retune(Biquad::BandPass(centre(T(i)), q));
    b[i] = f.Run(r.Bipolar());
  }
  return b;
}

// Wood under strain: a stick-slip pulse train whose rate wanders, ringing
// the resonances of the door.
Buf Creak(Rng& r, double seconds, double lo, double hi, double pitchScale) {
  const size_t n = Samples(seconds);
  const Buf rate = Wander(r, n, 2.5);
  const Buf swell = Wander(r, n, 1.5);
  Buf pulses(n, 0.0);
  double ph = 0;
  for (size_t i = 0; i < n; ++i) {
    const double hz = lo + (hi - lo) * (0.5 + 0.5 * rate[i]);
    ph += hz / kRate;
    if (ph >= 1) {
      ph -= 1;
      pulses[i] = (0.7 + 0.3 * r.Uniform()) * (0.55 + 0.45 * swell[i]);
    }
  }
  Buf out = Resonate(pulses, {{620 * pitchScale, 14, 1.0},
                              {1180 * pitchScale, 16, 0.8},
                              {2050 * pitchScale, 18, 0.55},
                              {3300 * pitchScale, 14, 0.3}});
  const Buf hiss = Filtered(Noise(r, n), Biquad::BandPass(1800 * pitchScale, 1.0), false);
  for (size_t i = 0; i < n; ++i) out[i] += 0.02 * hiss[i] * (0.55 + 0.45 * swell[i]);
  return out;
}

// ---------------------------------------------------------------- one-shots

Buf FryBeast() {
  Rng r(101);
  const double len = 2.4;
  Buf b(Samples(len), 0.0);
  // The burst of fire.
  Buf fire = SweptNoise(r, len, [](double t) { return 400 + 3600 * Ahr(t, 0.15, 0.2, 1.6); });
  for (size_t i = 0; i < fire.size(); ++i) b[i] += 1.4 * fire[i] * Ahr(T(i), 0.05, 0.5, 1.7);
  // The beast's screech, falling as it burns.
  const size_t n = Samples(1.5);
  std::vector<double> hz(n);
  const Buf jitter = Wander(r, n, 30);
  for (size_t i = 0; i < n; ++i) {
    const double t = T(i);
    hz[i] = (560 - 380 * std::min(1.0, t / 1.4)) * (1 + 0.06 * std::sin(2 * kPi * 9 * t) + 0.02 * jitter[i]);
  }
  Buf scream = Resonate(Saw(hz), {{850, 3, 1.0}, {1750, 4, 0.7}, {2900, 5, 0.35}});
  for (size_t i = 0; i < n; ++i) scream[i] = Soft(1.5 * scream[i]) * Ahr(T(i), 0.08, 0.5, 0.9);
  Mix(b, scream, static_cast<long>(Samples(0.12)), 0.55);
  // The sizzle afterwards.
  Buf sizzle = Filtered(Noise(r, b.size()), Biquad::HighPass(4200), false);
  for (size_t i = 0; i < b.size(); ++i) b[i] += 0.18 * sizzle[i] * Ahr(T(i) - 0.5, 0.3, 0.4, 1.2);
  Crackle(r, b, 90, 0.05, 2.2, 0.5, 1.0);
  FadeEdges(b, 0.003, 0.15);
  return b;
}

Buf Flame() {
  Rng r(102);
  const double len = 1.4;
  Buf b = SweptNoise(r, len, [](double t) { return 300 + 2600 * Ahr(t, 0.12, 0.1, 1.0); });
  const Buf rumble = Filtered(Noise(r, b.size()), Biquad::LowPass(140), false);
  for (size_t i = 0; i < b.size(); ++i) b[i] = (b[i] + 2.5 * rumble[i]) * Ahr(T(i), 0.1, 0.25, 1.0);
  Crackle(r, b, 30, 0.08, 1.2, 0.35, 0.5);
  FadeEdges(b, 0.003, 0.1);
  return b;
}

Buf RocketFlame() {
  Rng r(103);
  const double len = 2.0;
  Buf roar = SweptBand(
      r, len, [](double t) { return 400 + 2100 * std::min(1.0, t / 0.6); }, 1.2);
  Buf whistle = SweptBand(
      r, len, [](double t) { return 1200 + 1500 * std::min(1.0, t / 0.8); }, 25);
  Buf rumble = Filtered(Noise(r, roar.size()), Biquad::LowPass(120), false);
  Buf b(roar.size());
  for (size_t i = 0; i < b.size(); ++i)
    b[i] = (roar[i] + 0.9 * whistle[i] + 2.2 * rumble[i]) * Ahr(T(i), 0.08, 0.9, 0.9);
  Crackle(r, b, 45, 0.1, 1.7, 0.3);
  FadeEdges(b, 0.003, 0.1);
  return b;
}

Buf Paper() {
  Rng r(104);
  const double len = 1.05;
  Buf b(Samples(len), 0.0);
  // Three movements of the hands, each a cluster of crinkles.
  const double groups[3][2] = {{0.04, 0.3}, {0.36, 0.6}, {0.66, 0.92}};
  for (const auto& g : groups) {
    for (int k = 0; k < 14; ++k) {
      const double d = r.Range(0.004, 0.028);
      Buf c = Filtered(Burst(r, d * 3, d), Biquad::BandPass(r.Range(1500, 6000), 1.5), false);
      Mix(b, c, static_cast<long>(Samples(r.Range(g[0], g[1]))), r.Range(0.4, 1.0));
    }
  }
  Buf slide = Filtered(Noise(r, b.size()), Biquad::HighPass(2000), false);
  const Buf w = Wander(r, b.size(), 8);
  for (size_t i = 0; i < b.size(); ++i) b[i] += 0.06 * slide[i] * (0.5 + 0.5 * w[i]) * Ahr(T(i), 0.05, 0.8, 0.15);
  FadeEdges(b, 0.002, 0.05);
  return b;
}

Buf Unlock() {
  Rng r(105);
  Buf b(Samples(0.95), 0.0);
  // The key slides in.
  Buf scrape = Filtered(Noise(r, Samples(0.2)), Biquad::BandPass(3200, 2), false);
  const Buf grain = Wander(r, scrape.size(), 60);
  for (size_t i = 0; i < scrape.size(); ++i) scrape[i] *= (0.6 + 0.4 * grain[i]) * Ahr(T(i), 0.03, 0.1, 0.07);
  Mix(b, scrape, 0, 0.35);
  // Two clicks of the wards, then the bolt.
  auto click = [&](double at, double gain, double tune) {
    Mix(b,
        Ring({{2150 * tune, 1.0, 0.05}, {3420 * tune, 0.7, 0.04}, {5270 * tune, 0.5, 0.03}, {6800 * tune, 0.3, 0.02}},
             0.08, 0.7),
        static_cast<long>(Samples(at)), gain);
    Mix(b, Filtered(Burst(r, 0.01, 0.003), Biquad::HighPass(2500), false), static_cast<long>(Samples(at)), gain);
  };
  click(0.3, 0.5, 1.0);
  click(0.43, 0.35, 1.08);
  Mix(b, Ring({{180, 1.0, 0.18}, {420, 0.7, 0.15}, {950, 0.5, 0.1}, {1650, 0.3, 0.07}}, 0.3, 0.3),
      static_cast<long>(Samples(0.6)), 0.6);
  Mix(b, Filtered(Burst(r, 0.03, 0.012), Biquad::LowPass(600), false), static_cast<long>(Samples(0.6)), 1.2);
  FadeEdges(b, 0.002, 0.05);
  return b;
}

Buf Eat() {
  Rng r(106);
  Buf b(Samples(1.5), 0.0);
  const double bites[4] = {0.04, 0.38, 0.72, 1.06};
  for (int k = 0; k < 4; ++k) {
    const double at = bites[k] + r.Range(-0.02, 0.02);
    const double g = 1.0 - 0.15 * k;
    for (int c = 0; c < 28; ++c) {
      Buf grain = Filtered(Burst(r, 0.006, r.Range(0.0008, 0.003)), Biquad::BandPass(r.Range(1500, 4200), 1.2), false);
      Mix(b, grain, static_cast<long>(Samples(at + 0.13 * std::pow(r.Uniform(), 1.5))), g * r.Range(0.3, 1.0));
    }
    Mix(b, Ring({{110, 1.0, 0.08}, {190, 0.5, 0.06}}, 0.12), static_cast<long>(Samples(at)), 0.35 * g);
    Mix(b, Filtered(Burst(r, 0.06, 0.03), Biquad::BandPass(800, 2), false), static_cast<long>(Samples(at + 0.1)),
        0.4 * g);
  }
  FadeEdges(b, 0.002, 0.08);
  return b;
}

Buf Shatter() {
  Rng r(107);
  Buf b(Samples(1.7), 0.0);
  Buf hit = Filtered(Burst(r, 0.2, 0.08), Biquad::HighPass(900), false);
  Mix(b, hit, 0, 1.0);
  Mix(b, Ring({{210, 1.0, 0.1}, {330, 0.6, 0.08}}, 0.15), 0, 0.4);
  for (int k = 0; k < 75; ++k) {
    const double at = std::min(1.3, 0.004 - 0.22 * std::log(1 - r.Uniform() * 0.998));
    const double f = r.Range(2800, 9000);
    const double d = r.Range(0.04, 0.25);
    Buf shard = Ring({{f, 1.0, d}, {f * r.Range(1.5, 1.8), 0.6, d * 0.7}, {f * r.Range(2.3, 2.9), 0.3, d * 0.5}},
                     d * 1.2, r.Range(0, 6.28));
    const double g = r.Range(0.15, 0.45) * std::exp(-at * 1.6);
    Mix(b, shard, static_cast<long>(Samples(at)), g);
    Mix(b, Filtered(Burst(r, 0.004, 0.001), Biquad::HighPass(3000), false), static_cast<long>(Samples(at)), g);
  }
  FadeEdges(b, 0.001, 0.1);
  return b;
}

Buf Match() {
  Rng r(108);
  Buf b(Samples(1.4), 0.0);
  Buf scratch = Filtered(Noise(r, Samples(0.15)), Biquad::BandPass(2600, 1.0), false);
  for (size_t i = 0; i < scratch.size(); ++i) {
    if (i % 40 == 0) scratch[i] *= 2.5;  // the grain of the striking strip
    scratch[i] *= Ahr(T(i), 0.01, 0.1, 0.04) * (0.6 + 0.4 * std::sin(2 * kPi * 90 * T(i)));
  }
  Mix(b, scratch, 0, 0.7);
  Buf flare = SweptNoise(r, 0.6, [](double t) { return 4200 - 3000 * std::min(1.0, t / 0.5); });
  for (size_t i = 0; i < flare.size(); ++i) flare[i] *= Ahr(T(i), 0.015, 0.06, 0.5);
  Mix(b, flare, static_cast<long>(Samples(0.12)), 1.0);
  Mix(b, Ring({{90, 1.0, 0.25}}, 0.3), static_cast<long>(Samples(0.12)), 0.3);
  Buf burn = Filtered(Noise(r, b.size()), Biquad::LowPass(1500), false);
  for (size_t i = 0; i < b.size(); ++i) b[i] += 0.12 * burn[i] * Ahr(T(i) - 0.35, 0.1, 0.4, 0.5);
  Crackle(r, b, 10, 0.4, 1.2, 0.15);
  FadeEdges(b, 0.002, 0.1);
  return b;
}

Buf Pour() {
  Rng r(109);
  const double len = 2.4;
  Buf b = Filtered(Noise(r, Samples(len)), Biquad::BandPass(900, 0.8), false);
  const Buf w = Wander(r, b.size(), 6);
  for (size_t i = 0; i < b.size(); ++i) b[i] *= 0.3 * (0.6 + 0.4 * w[i]);
  for (int k = 0; k < 95; ++k) {
    const double f0 = r.Range(350, 1300), d = r.Range(0.025, 0.06);
    const size_t n = Samples(d);
    std::vector<double> hz(n);
    for (size_t i = 0; i < n; ++i) hz[i] = f0 * (1 + 1.8 * T(i) / d);
    Buf bub = Sine(hz);
    for (size_t i = 0; i < n; ++i) bub[i] *= Ahr(T(i), 0.002, 0, d) * Decay(T(i), d * 1.5);
    Mix(b, bub, static_cast<long>(Samples(r.Range(0.1, 2.2))), r.Range(0.2, 0.6));
  }
  for (size_t i = 0; i < b.size(); ++i) b[i] *= Ahr(T(i), 0.15, 1.8, 0.4);
  FadeEdges(b, 0.01, 0.05);
  return b;
}

Buf DoorCreak() {
  Rng r(110);
  Buf b = Creak(r, 1.9, 22, 110, 1.0);
  for (size_t i = 0; i < b.size(); ++i) b[i] *= Ahr(T(i), 0.15, 1.3, 0.4);
  FadeEdges(b, 0.005, 0.05);
  return b;
}

Buf Camera() {
  Rng r(111);
  Buf b(Samples(1.0), 0.0);
  auto click = [&](double at, double tune, double gain) {
    Buf c = Resonate(Burst(r, 0.03, 0.004), {{2800 * tune, 8, 1.0}, {4500 * tune, 10, 0.6}});
    Mix(b, c, static_cast<long>(Samples(at)), gain);
    Mix(b, Ring({{350 * tune, 1.0, 0.025}}, 0.04), static_cast<long>(Samples(at)), gain * 0.5);
  };
  click(0.02, 1.0, 1.0);
  click(0.14, 0.85, 0.8);
  const size_t n = Samples(0.7);
  std::vector<double> hz(n);
  for (size_t i = 0; i < n; ++i) hz[i] = 1800 * std::pow(5500.0 / 1800.0, T(i) / 0.7);
  Buf whine = Sine(hz);
  for (size_t i = 0; i < n; ++i) whine[i] *= Ahr(T(i), 0.2, 0.3, 0.2);
  Mix(b, whine, static_cast<long>(Samples(0.25)), 0.06);
  FadeEdges(b, 0.001, 0.03);
  return b;
}

Buf Beast() {
  Rng r(112);
  const double len = 2.3;
  const size_t n = Samples(len);
  const Buf jitter = Wander(r, n, 25);
  std::vector<double> hz(n), sub(n);
  for (size_t i = 0; i < n; ++i) {
    const double t = T(i);
    hz[i] = (62 + 48 * Ahr(t, 0.5, 0.3, 1.3)) * (1 + 0.04 * jitter[i]);
    sub[i] = hz[i] * 0.5;
  }
  Buf src = Saw(hz);
  const Buf s2 = Saw(sub);
  Buf breath = Noise(r, n);
  for (size_t i = 0; i < n; ++i) {
    const double rough = 1 + 0.45 * std::sin(2 * kPi * 31 * T(i) + 2 * jitter[i]);
    src[i] = (src[i] + 0.4 * s2[i]) * rough + 0.5 * breath[i];
  }
  Buf b = Resonate(src, {{380, 4, 1.0}, {850, 5, 0.8}, {1900, 6, 0.45}, {2800, 6, 0.25}});
  for (size_t i = 0; i < n; ++i) b[i] = Soft(2.0 * b[i]) * Ahr(T(i), 0.15, 0.9, 1.1);
  FadeEdges(b, 0.005, 0.1);
  return b;
}

Buf Door() {
  Rng r(113);
  Buf b(Samples(1.7), 0.0);
  Buf creak = Creak(r, 0.75, 30, 90, 0.8);
  for (size_t i = 0; i < creak.size(); ++i) creak[i] *= Ahr(T(i), 0.1, 0.45, 0.2);
  Mix(b, creak, 0, 0.6);
  const long slam = static_cast<long>(Samples(0.8));
  Mix(b, Ring({{65, 1.0, 0.4}, {130, 0.6, 0.25}, {240, 0.3, 0.15}}, 0.5), slam, 0.8);
  Mix(b, Filtered(Burst(r, 0.12, 0.06), Biquad::LowPass(900), false), slam, 1.6);
  Mix(b, Ring({{2600, 1.0, 0.035}, {4100, 0.6, 0.025}}, 0.05), slam + static_cast<long>(Samples(0.02)), 0.25);
  Mix(b, Ring({{2400, 1.0, 0.03}, {3800, 0.5, 0.02}}, 0.04), slam + static_cast<long>(Samples(0.11)), 0.08);
  FadeEdges(b, 0.003, 0.1);
  return b;
}

// ---------------------------------------------------------------- loops

Buf GlimDead() {
  // A slow funeral bell over a low, swelling drone; one toll a loop.
  Rng r(201);
  const size_t n = Samples(3.2);
  Buf b(n, 0.0);
  const double prime = 146.8;  // D
  Buf bell = Ring({{prime * 0.5, 0.55, 3.2},
                   {prime, 0.8, 2.6},
                   {prime * 1.19, 0.5, 1.9},
                   {prime * 1.5, 0.35, 1.5},
                   {prime * 2.0, 0.45, 1.3},
                   {prime * 2.52, 0.25, 0.9},
                   {prime * 2.97, 0.2, 0.7},
                   {prime * 4.07, 0.12, 0.5},
                   {prime * 5.4, 0.06, 0.35}},
                  6.4, 0.4);
  Mix(bell, Filtered(Burst(r, 0.03, 0.01), Biquad::BandPass(1500, 1.5), false), 0, 0.3);
  Mix(b, bell, static_cast<long>(Samples(0.05)), 1.0, true);
  // The drone: D, A and F, each a whole number of cycles in the loop.
  const double notes[3][2] = {{73.4, 0.16}, {110.0, 0.1}, {174.6, 0.05}};
  for (const auto& nt : notes) {
    std::vector<double> hz = WholeCycles(std::vector<double>(n, nt[0]));
    Buf tone = Filtered(Saw(hz), Biquad::LowPass(600), true);
    for (size_t i = 0; i < n; ++i) b[i] += nt[1] * tone[i] * (0.7 - 0.3 * std::cos(2 * kPi * double(i) / double(n)));
  }
  RemoveDc(b);
  return b;
}

Buf WaterFall() {
  Rng r(202);
  const size_t n = Samples(5.0);
  const Buf white = Noise(r, n);
  const Buf rumble = Filtered(Filtered(white, Biquad::LowPass(180), true), Biquad::LowPass(180), true);
  const Buf body = Filtered(white, Biquad::BandPass(700, 0.6), true);
  const Buf hiss = Filtered(white, Biquad::HighPass(2500), true);
  Buf b(n);
  for (size_t i = 0; i < n; ++i) {
    const double p = 2 * kPi * double(i) / double(n);
    const double m1 = 1 + 0.12 * std::sin(3 * p) + 0.08 * std::sin(7 * p + 1.3);
    const double m2 = 1 + 0.1 * std::sin(2 * p + 0.5);
    b[i] = 3.0 * rumble[i] * m2 + 1.0 * body[i] * m1 + 0.25 * hiss[i];
  }
  for (int k = 0; k < 45; ++k) {
    const double d = r.Range(0.02, 0.08);
    Buf s = Filtered(Burst(r, d * 2, d, 0.005), Biquad::BandPass(r.Range(900, 3000), 1.2), false);
    Mix(b, s, static_cast<long>(r.Uniform() * double(n)), r.Range(0.15, 0.35), true);
  }
  RemoveDc(b);
  return b;
}

Buf Purr() {
  // A contented cat: a low flutter that is softer breathing in and fuller
  // breathing out, one breath a loop.
  Rng r(203);
  const size_t n = Samples(2.6);
  std::vector<double> hz(n);
  Buf level(n);
  for (size_t i = 0; i < n; ++i) {
    const double t = T(i);
    const double out = Ahr(t - 1.15, 0.25, 0.8, 0.35);  // breathing out
    hz[i] = 26 - 3 * out;
    level[i] = 0.5 + 0.5 * out;
  }
  hz = WholeCycles(hz);
  Buf pulses(n, 0.0);
  // Starting half a cycle in puts every pulse well inside the loop, the
  // last one as far from the end as the first is from the start.
  double ph = 0.5;
  for (size_t i = 0; i < n; ++i) {
    ph += hz[i] / kRate;
    if (ph >= 1) {
      ph -= 1;
      Buf p = Burst(r, 0.03, 0.014, 0.004);
      Mix(pulses, p, static_cast<long>(i), level[i] * r.Range(0.75, 1.0), true);
    }
  }
  const Buf lo = Filtered(Filtered(pulses, Biquad::LowPass(700), true), Biquad::LowPass(700), true);
  const Buf formant = Filtered(pulses, Biquad::BandPass(280, 2.0), true);
  Buf b(n);
  for (size_t i = 0; i < n; ++i) b[i] = lo[i] + 0.8 * formant[i];
  RemoveDc(b);
  return b;
}

// One bird's notes, rendered into the loop (wrapping at its end).
struct Note {
  double At, Len, From, To, Vib, Gain;
};
void Sing(Buf& loop, const std::vector<Note>& notes) {
  for (const Note& nt : notes) {
    const size_t n = Samples(nt.Len);
    std::vector<double> hz(n);
    for (size_t i = 0; i < n; ++i) {
      const double u = T(i) / nt.Len;
      hz[i] = (nt.From + (nt.To - nt.From) * u) * (1 + 0.03 * std::sin(2 * kPi * nt.Vib * T(i)));
    }
    Buf s = Sine(hz);
    std::vector<double> hz2(hz);
    for (double& f : hz2) f = std::min(2 * f, kRate * 0.45);
    const Buf s2 = Sine(hz2);
    for (size_t i = 0; i < n; ++i) s[i] = (s[i] + 0.15 * s2[i]) * std::pow(std::sin(kPi * T(i) / nt.Len), 1.5);
    Mix(loop, s, static_cast<long>(Samples(nt.At)), nt.Gain, true);
  }
}

Buf BirdSong() {
  Rng r(204);
  const size_t n = Samples(8.0);
  const Buf white = Noise(r, n);
  const Buf breeze = Filtered(Filtered(white, Biquad::LowPass(400), true), Biquad::LowPass(400), true);
  const Buf leaves = Filtered(white, Biquad::HighPass(3000), true);
  Buf b(n);
  for (size_t i = 0; i < n; ++i) {
    const double p = 2 * kPi * double(i) / double(n);
    b[i] = 0.05 * breeze[i] * (1 + 0.3 * std::sin(p)) + 0.008 * leaves[i] * (1 + 0.5 * std::sin(2 * p + 1));
  }
  // A warbler: phrases of sliding notes.
  auto warble = [&](double at, double gain) {
    std::vector<Note> v;
    double t = at;
    const int count = 5 + r.Int(5);
    for (int k = 0; k < count; ++k) {
      const double len = r.Range(0.06, 0.14), f = r.Range(2200, 4500);
      v.push_back({t, len, f, f * r.Range(0.75, 1.3), r.Range(30, 60), gain * r.Range(0.6, 1.0)});
      t += len + r.Range(0.02, 0.06);
    }
    Sing(b, v);
  };
  // A trilling finch: quick falling chirps.
  auto trill = [&](double at, double gain) {
    std::vector<Note> v;
    const int count = 8 + r.Int(8);
    const double top = r.Range(4500, 5500);
    for (int k = 0; k < count; ++k) v.push_back({at + k * 0.042, 0.026, top, top * 0.62, 0, gain * (1 - 0.03 * k)});
    Sing(b, v);
  };
  // A distant two-note caller.
  auto caller = [&](double at, double gain) {
    std::vector<Note> v;
    for (int k = 0; k < 3; ++k) {
      v.push_back({at + k * 0.34, 0.12, 4200, 4100, 8, gain});
      v.push_back({at + k * 0.34 + 0.15, 0.12, 3400, 3350, 8, gain * 0.85});
    }
    Sing(b, v);
  };
  warble(0.6, 0.35);
  trill(2.1, 0.22);
  caller(3.3, 0.12);
  warble(4.6, 0.3);
  trill(6.2, 0.2);
  caller(6.95, 0.1);
  RemoveDc(b);
  return b;
}

Buf Crowd() {
  // A murmuring crowd: many voices, each a pitched source through moving
  // vowel formants, syllables and pauses laid round the loop.
  Rng r(205);
  const size_t n = Samples(6.0);
  struct Vowel {
    double F1, F2, F3;
  };
  const Vowel vowels[] = {{730, 1090, 2440}, {530, 1840, 2480}, {270, 2290, 3010}, {570, 840, 2410},
                          {300, 870, 2240},  {640, 1190, 2390}, {490, 1350, 1690}, {660, 1720, 2410}};
  Buf crowd(n, 0.0);
  const int voices = 16;
  for (int v = 0; v < voices; ++v) {
    const bool low = v % 2 == 0;
    const double base = low ? r.Range(95, 140) : r.Range(170, 240);
    const double formantScale = low ? 1.0 : 1.15;
    // Syllables round the loop.
    Buf amp(n, 0.0);
    std::vector<double> f1(n), f2(n), f3(n), pitch(n);
    double t = r.Range(0, 6.0);
    const double end = t + 6.0;
    int sinceBreak = 0;
    while (t < end) {
      const double len = r.Range(0.11, 0.27);
      const Vowel& vw = vowels[r.Int(8)];
      const double a = r.Range(0.4, 1.0), bend = r.Range(-0.08, 0.08);
      const size_t s0 = Samples(t), s1 = Samples(t + len);
      for (size_t s = s0; s < s1; ++s) {
        const size_t i = s % n;
        const double u = double(s - s0) / double(s1 - s0);
        amp[i] = a * std::sin(kPi * u);
        f1[i] = vw.F1 * formantScale;
        f2[i] = vw.F2 * formantScale;
        f3[i] = vw.F3 * formantScale;
        pitch[i] = 1 + bend * (1 - u);
      }
      t += len + r.Range(0.0, 0.05);
      if (++sinceBreak > 3 + r.Int(6)) {
        t += r.Range(0.2, 0.9);
        sinceBreak = 0;
      }
    }
    // Gaps keep the formants of the syllable before, and a neutral pitch.
    for (size_t pass = 0; pass < 2; ++pass) {
      for (size_t i = 0; i < n; ++i) {
        const size_t prev = (i + n - 1) % n;
        if (f1[i] == 0) {
          f1[i] = f1[prev];
          f2[i] = f2[prev];
          f3[i] = f3[prev];
        }
        if (pitch[i] == 0) pitch[i] = 1;
      }
    }
    // Smooth the steps between syllables, round the loop.
    OnePole sa(25), s1(40), s2(40), s3(40), sp(6);
    Buf ampS(n);
    for (size_t pass = 0; pass < 2; ++pass) {
      for (size_t i = 0; i < n; ++i) {
        ampS[i] = sa.Run(amp[i]);
        f1[i] = s1.Run(f1[i]);
        f2[i] = s2.Run(f2[i]);
        f3[i] = s3.Run(f3[i]);
        pitch[i] = sp.Run(pitch[i]);
      }
    }
    const double intonationPhase = r.Range(0, 2 * kPi);
    const int intonationCycles = 2 + r.Int(3);
    std::vector<double> hz(n);
    for (size_t i = 0; i < n; ++i) {
      const double p = 2 * kPi * intonationCycles * double(i) / double(n) + intonationPhase;
      hz[i] = base * pitch[i] * (1 + 0.07 * std::sin(p));
    }
    hz = WholeCycles(hz);
    const Buf src = Saw(hz, r.Uniform());
    const Buf breath = Noise(r, n);
    Biquad b1, b2, b3;
    Buf voice(n);
    for (size_t pass = 0; pass < 2; ++pass) {
      for (size_t i = 0; i < n; ++i) {
        if (i % 32 == 0) {
          b1.Retune(Biquad::BandPass(f1[i], 5));
          b2.Retune(Biquad::BandPass(f2[i], 8));
          b3.Retune(Biquad::BandPass(f3[i], 10));
        }
        const double x = src[i] + 0.3 * breath[i];
        voice[i] = (b1.Run(x) + 0.6 * b2.Run(x) + 0.25 * b3.Run(x)) * ampS[i];
      }
    }
    const double distance = r.Range(0.35, 1.0);
    for (size_t i = 0; i < n; ++i) crowd[i] += distance * voice[i];
  }
  // A little of the square's echo: feedback delays round the loop.
  Buf wet(crowd);
  const size_t delays[] = {Samples(0.037), Samples(0.053), Samples(0.071), Samples(0.097)};
  for (size_t d : delays) {
    Buf y(crowd);
    for (int pass = 0; pass < 4; ++pass)
      for (size_t i = 0; i < n; ++i) y[i] = crowd[i] + 0.45 * y[(i + n - d) % n];
    for (size_t i = 0; i < n; ++i) wet[i] += 0.2 * (y[i] - crowd[i]);
  }
  Buf b = Filtered(wet, Biquad::LowPass(3500), true);
  RemoveDc(b);
  return b;
}

Buf LowSnore() {
  // A deep sleeper: a rattling snore breathing in, a soft sigh breathing
  // out, a pause, and round again.
  Rng r(206);
  const size_t n = Samples(4.2);
  Buf pulses(n, 0.0);
  double t = 0.25;
  while (t < 1.95) {
    const double env = Ahr(t - 0.25, 0.45, 0.75, 0.5);
    Mix(pulses, Burst(r, 0.03, 0.012, 0.002), static_cast<long>(Samples(t)), env * r.Range(0.7, 1.0), true);
    t += 1.0 / r.Range(27, 34);
  }
  const Buf white = Noise(r, n);
  const Buf rattle = Resonate(Filtered(pulses, Biquad::LowPass(900), true), {{250, 2.5, 1.0}, {700, 3.0, 0.6}}, true);
  const Buf breath = Filtered(white, Biquad::BandPass(900, 0.7), true);
  const Buf sigh = Filtered(Filtered(white, Biquad::LowPass(700), true), Biquad::LowPass(700), true);
  Buf b(n);
  for (size_t i = 0; i < n; ++i) {
    const double ti = T(i);
    b[i] = rattle[i] + 0.12 * breath[i] * Ahr(ti - 0.25, 0.45, 0.75, 0.5) +
           0.5 * sigh[i] * Ahr(ti - 2.2, 0.3, 0.5, 0.7) + 0.01 * sigh[i];
  }
  RemoveDc(b);
  return b;
}

Buf DogGrowl() {
  // A dog growling steadily: a low rough voice that swells twice a loop and
  // never quite stops.
  Rng r(207);
  const size_t n = Samples(3.0);
  std::vector<double> hz(n), rattleHz(n);
  Buf level(n);
  for (size_t i = 0; i < n; ++i) {
    const double p = 2 * kPi * double(i) / double(n);
    hz[i] = 84 * (1 + 0.05 * std::sin(3 * p) + 0.02 * std::sin(7 * p + 1));
    rattleHz[i] = 23 * (1 + 0.1 * std::sin(5 * p));
    level[i] = 0.55 + 0.45 * (0.5 - 0.5 * std::cos(2 * p));
  }
  hz = WholeCycles(hz);
  rattleHz = WholeCycles(rattleHz);
  const Buf src = Saw(hz);
  const Buf rattle = Sine(rattleHz);
  const Buf white = Noise(r, n);
  Buf x(n);
  for (size_t i = 0; i < n; ++i) x[i] = (src[i] * (0.55 + 0.45 * std::fabs(rattle[i])) + 0.35 * white[i]) * level[i];
  Buf b = Resonate(x, {{450, 5, 1.0}, {1000, 6, 0.7}, {2300, 5, 0.3}}, true);
  for (double& v : b) v = Soft(2.5 * v);
  b = Filtered(b, Biquad::LowPass(3000), true);
  RemoveDc(b);
  return b;
}

}  // namespace

std::vector<SoundDef> AllSounds() {
  return {
      {"glimdead.wav", GlimDead, true, 0.6}, {"frybeast.wav", FryBeast, false, 0.7},
      {"flame.wav", Flame, false, 0.7},      {"rocketflame1.wav", RocketFlame, false, 0.7},
      {"paper1.wav", Paper, false, 0.6},     {"unlock.wav", Unlock, false, 0.7},
      {"eat.wav", Eat, false, 0.7},          {"waterfall.wav", WaterFall, true, 0.5},
      {"shatter.wav", Shatter, false, 0.7},  {"match.wav", Match, false, 0.7},
      {"pour.wav", Pour, false, 0.6},        {"doorcrk.wav", DoorCreak, false, 0.7},
      {"camera.wav", Camera, false, 0.6},    {"purr04.wav", Purr, true, 0.55},
      {"birdsong.wav", BirdSong, true, 0.5}, {"crowd.wav", Crowd, true, 0.45},
      {"beast.wav", Beast, false, 0.75},     {"lowsnore.wav", LowSnore, true, 0.5},
      {"dogrowl.wav", DogGrowl, true, 0.55}, {"door.wav", Door, false, 0.7},
  };
}

}  // namespace gensnd
