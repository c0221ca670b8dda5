// glim-sounds: makes every sound and the title music of the game.
//
//   glim-sounds OUTDIR [NAME...]
//
// Writes the files (all of them, or only those named) into OUTDIR. The
// same program always writes the same files.
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "Sounds.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: glim-sounds OUTDIR [NAME...]\n");
    return 2;
  }
  const std::string out = argv[1];
  std::filesystem::create_directories(out);
  std::set<std::string> only(argv + 2, argv + argc);
  auto wanted = [&](const std::string& name) { return only.empty() || only.count(name) > 0; };
  int failures = 0;

  for (const gensnd::SoundDef& d : gensnd::AllSounds()) {
    if (!wanted(d.Name)) continue;
    gensnd::Buf b = d.Make();
    // As loud as the sound's kind asks (backgrounds quieter than effects),
    // but never past its peak.
    gensnd::Normalize(b, d.Peak);
    const double target = std::pow(10.0, (d.Loop ? -21.0 : -18.0) / 20.0);
    const double rms = gensnd::Rms(b);
    if (rms > target)
      for (double& x : b) x *= target / rms;
    if (!gensnd::WriteWav(out + "/" + d.Name, b)) {
      std::fprintf(stderr, "glim-sounds: cannot write %s\n", d.Name.c_str());
      ++failures;
      continue;
    }
    std::printf("%-18s %6.2f s%s\n", d.Name.c_str(), double(b.size()) / gensnd::kRate, d.Loop ? "  (loop)" : "");
  }
  if (wanted("echowarn.wav")) {
    std::string why;
    gensnd::Buf b = gensnd::EchoWarn(out, why);
    if (b.empty()) {
      std::fprintf(stderr, "glim-sounds: echowarn.wav: %s\n", why.c_str());
      ++failures;
    } else {
      gensnd::Normalize(b, 0.7);
      gensnd::WriteWav(out + "/echowarn.wav", b);
      std::printf("%-18s %6.2f s\n", "echowarn.wav", double(b.size()) / gensnd::kRate);
    }
  }
  if (wanted("glimmusi.mid")) {
    std::ofstream f(out + "/glimmusi.mid", std::ios::binary);
    f << gensnd::TitleMusic();
    if (!f) {
      std::fprintf(stderr, "glim-sounds: cannot write glimmusi.mid\n");
      ++failures;
    } else {
      std::printf("%-18s written\n", "glimmusi.mid");
    }
  }
  return failures == 0 ? 0 : 1;
}
