// The voice out of thin air in the echoing hall: espeak-ng speaks the
// warning, and the hall answers with its echoes.
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "Sounds.h"

namespace gensnd {

namespace {

const char* const kWarning =
    "Four roads lie before you. Two of them seem right, but only one is safe. "
    "And mark this well: the safe road may seem the wrong one.";

std::string Quote(const std::string& s) {
  std::string q = "'";
  for (char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return q + "'";
}

}  // namespace

Buf EchoWarn(const std::string& workDir, std::string& why) {
  const std::string raw = workDir + "/echowarn-voice.wav";
  // A slow, low British voice; espeak-ng gives the same samples every run.
  const std::string cmd = "espeak-ng -v en-gb-x-rp -s 132 -p 24 -a 150 -g 3 -w " + Quote(raw) + " " + Quote(kWarning);
  if (std::system(cmd.c_str()) != 0) {
    why = "espeak-ng could not be run (" + cmd + ")";
    return {};
  }
  Buf voice;
  int rate = 0;
  if (!ReadWav(raw, voice, rate)) {
    why = "espeak-ng wrote no readable WAV file";
    return {};
  }
  std::filesystem::remove(raw);
  voice = Resample(voice, rate, kRate);
  Normalize(voice, 1.0);
  voice = Filtered(voice, Biquad::HighPass(90), false);

  // The hall: a little diffusion on the voice itself, then four echoes,
  // each fainter and duller than the one before.
  const size_t lead = Samples(0.15), tail = Samples(1.6);
  Buf b(lead + voice.size() + tail, 0.0);
  Mix(b, voice, static_cast<long>(lead));
  Buf diffuse(b.size(), 0.0);
  const double early[][2] = {{0.019, 0.3}, {0.031, 0.22}, {0.047, 0.16}, {0.061, 0.1}};
  for (const auto& e : early) Mix(diffuse, b, static_cast<long>(Samples(e[0])), e[1]);
  for (size_t i = 0; i < b.size(); ++i) b[i] += diffuse[i];
  Buf dry(b);
  Buf echo(dry);
  for (int k = 1; k <= 4; ++k) {
    echo = Filtered(echo, Biquad::LowPass(3800 - 600 * k), false);
    Mix(b, echo, static_cast<long>(Samples(0.3 * k)), std::pow(0.5, k));
  }
  FadeEdges(b, 0.01, 0.3);
  return b;
}

}  // namespace gensnd
