// The shipped sounds, measured: every name the game plays resolves to a
// file; each WAV is readable, of a length that suits its use, loud enough to
// hear and below full scale; effects start and end at rest; loops join their
// own start without a click; the title music parses, lasts a minute and a
// half, and ends cleanly on a bar line with every note released.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "Harness.h"
#include "shell/SoundPlayer.h"
#ifdef GLIM_HAVE_SOUND
#include "app/sound/MidiFile.h"
#endif

using glimtest::ReadAll;

namespace {

const std::string kSounds = std::string(GLIM_DATA_DIR) + "/sounds/";

uint32_t Le(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
  return v;
}

struct Wav {
  int Rate = 0, Channels = 0, Bits = 0;
  std::vector<double> Samples;  // the first channel, in [-1, 1)
  double Seconds() const { return Rate ? double(Samples.size()) / Rate : 0; }
};

// A plain RIFF reader: the fmt chunk must say 16-bit PCM.
bool ReadWav(const std::string& path, Wav& w, std::string& why) {
  const std::string s = ReadAll(path);
  if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0) {
    why = "not a RIFF WAVE file";
    return false;
  }
  if (Le(s, 4, 4) + 8 != s.size()) {
    why = "RIFF size does not match the file";
    return false;
  }
  bool fmt = false;
  for (size_t at = 12; at + 8 <= s.size();) {
    const std::string id = s.substr(at, 4);
    const size_t len = Le(s, at + 4, 4), body = at + 8;
    if (body + len > s.size()) {
      why = "chunk " + id + " runs past the file";
      return false;
    }
    if (id == "fmt ") {
      if (len < 16 || Le(s, body, 2) != 1) {
        why = "not PCM";
        return false;
      }
      w.Channels = static_cast<int>(Le(s, body + 2, 2));
      w.Rate = static_cast<int>(Le(s, body + 4, 4));
      w.Bits = static_cast<int>(Le(s, body + 14, 2));
      fmt = true;
    } else if (id == "data") {
      if (!fmt || w.Bits != 16 || w.Channels < 1) {
        why = "data before a 16-bit fmt chunk";
        return false;
      }
      const size_t frame = 2 * static_cast<size_t>(w.Channels);
      for (size_t p = body; p + frame <= body + len; p += frame)
        w.Samples.push_back(static_cast<int16_t>(Le(s, p, 2)) / 32768.0);
      return true;
    }
    at = body + len + (len & 1);
  }
  why = "no data chunk";
  return false;
}

double Rms(const std::vector<double>& s, size_t from, size_t to) {
  double sum = 0;
  for (size_t i = from; i < to; ++i) sum += s[i] * s[i];
  return to > from ? std::sqrt(sum / double(to - from)) : 0;
}
double Db(double x) { return 20 * std::log10(std::max(x, 1e-9)); }

enum class Use { Effect, Loop, Voice };

// One file per name; the game asks for several in two letter cases.
const std::map<std::string, Use> kWavs = {
    {"glimdead.wav", Use::Loop},       {"frybeast.wav", Use::Effect}, {"flame.wav", Use::Effect},
    {"rocketflame1.wav", Use::Effect}, {"paper1.wav", Use::Effect},   {"unlock.wav", Use::Effect},
    {"eat.wav", Use::Effect},          {"waterfall.wav", Use::Loop},  {"shatter.wav", Use::Effect},
    {"match.wav", Use::Effect},        {"pour.wav", Use::Effect},     {"doorcrk.wav", Use::Effect},
    {"camera.wav", Use::Effect},       {"echowarn.wav", Use::Voice},  {"purr04.wav", Use::Loop},
    {"birdsong.wav", Use::Loop},       {"crowd.wav", Use::Loop},      {"beast.wav", Use::Effect},
    {"lowsnore.wav", Use::Loop},       {"dogrowl.wav", Use::Loop},    {"door.wav", Use::Effect},
};

TEST(SoundAssets, EveryNameTheGamePlaysIsThere) {
  const char* const asked[] = {
      "glimmusi.mid", "GlimDead.wav", "FryBeast.wav",  "flame.wav",   "rocketflame1.wav", "Paper1.wav", "paper1.wav",
      "unlock.wav",   "Eat.wav",      "WaterFall.wav", "shatter.wav", "match.wav",        "Match.wav",  "pour.wav",
      "doorcrk.wav",  "camera.wav",   "echowarn.wav",  "purr04.wav",  "birdsong.wav",     "Crowd.wav",  "crowd.wav",
      "beast.wav",    "eat.wav",      "lowsnore.wav",  "dogrowl.wav", "Door.wav"};
  std::set<std::string> files;
  for (const char* name : asked) {
    const std::string found = glim::ResolveNoCase(kSounds + name);
    EXPECT_FALSE(found.empty()) << name;
    files.insert(found);
  }
  EXPECT_EQ(files.size(), kWavs.size() + 1);  // the WAVs and the music
}

TEST(SoundAssets, EachSoundIsReadableAudibleBelowFullScaleAndFitsItsUse) {
  for (const auto& [name, use] : kWavs) {
    SCOPED_TRACE(name);
    Wav w;
    std::string why;
    ASSERT_TRUE(ReadWav(kSounds + name, w, why)) << why;
    EXPECT_GE(w.Rate, 22050);
    ASSERT_GT(w.Samples.size(), 0u);
    double peak = 0;
    for (double x : w.Samples) peak = std::max(peak, std::fabs(x));
    const double rms = Rms(w.Samples, 0, w.Samples.size());
    EXPECT_LT(Db(peak), -1.0) << "peak " << Db(peak) << " dBFS";
    EXPECT_GT(Db(rms), -36.0) << "rms " << Db(rms) << " dBFS";
    switch (use) {
      case Use::Effect:
        EXPECT_GE(w.Seconds(), 0.3);
        EXPECT_LE(w.Seconds(), 3.0);
        break;
      case Use::Loop:
        EXPECT_GE(w.Seconds(), 2.0);
        EXPECT_LE(w.Seconds(), 10.0);
        break;
      case Use::Voice:
        EXPECT_GE(w.Seconds(), 3.0);
        EXPECT_LE(w.Seconds(), 20.0);
        break;
    }
  }
}

TEST(SoundAssets, EffectsStartAndEndAtRest) {
  for (const auto& [name, use] : kWavs) {
    if (use == Use::Loop) continue;
    SCOPED_TRACE(name);
    Wav w;
    std::string why;
    ASSERT_TRUE(ReadWav(kSounds + name, w, why)) << why;
    ASSERT_GT(w.Samples.size(), 100u);
    EXPECT_LT(std::fabs(w.Samples.front()), 0.01);
    EXPECT_LT(std::fabs(w.Samples.back()), 0.01);
    // The last hundredth of a second is far quieter than the sound.
    const size_t tail = static_cast<size_t>(w.Rate / 100);
    EXPECT_LT(Db(Rms(w.Samples, w.Samples.size() - tail, w.Samples.size())),
              Db(Rms(w.Samples, 0, w.Samples.size())) - 12);
  }
}

TEST(SoundAssets, LoopsJoinTheirStartWithoutAClick) {
  for (const auto& [name, use] : kWavs) {
    if (use != Use::Loop) continue;
    SCOPED_TRACE(name);
    Wav w;
    std::string why;
    ASSERT_TRUE(ReadWav(kSounds + name, w, why)) << why;
    const std::vector<double>& s = w.Samples;
    const size_t n = s.size(), win = static_cast<size_t>(w.Rate * 0.04);
    ASSERT_GT(n, 4 * win);
    // The level just before the join matches the level just after it.
    const double end = Db(Rms(s, n - win, n)), start = Db(Rms(s, 0, win));
    EXPECT_NEAR(end, start, 4.0) << "end " << end << " dB, start " << start << " dB";
    // The step from the last sample to the first is no bigger than the
    // sound's own large steps: a click would stand out far above them.
    std::vector<double> steps;
    for (size_t i = 1; i < n; ++i) steps.push_back(std::fabs(s[i] - s[i - 1]));
    std::sort(steps.begin(), steps.end());
    const double large = steps[steps.size() * 999 / 1000];
    EXPECT_LE(std::fabs(s.front() - s.back()), large) << "join step against the 99.9th percentile " << large;
    // No offset that would thump at every pass.
    double mean = 0;
    for (double x : s) mean += x;
    EXPECT_LT(std::fabs(mean / double(n)), 0.002);
  }
}

#ifdef GLIM_HAVE_SOUND

TEST(SoundAssets, TitleMusicIsAMinuteAndAHalfAndEndsCleanlyForItsLoop) {
  std::string why;
  const auto midi = glim::ParseMidi(ReadAll(kSounds + "glimmusi.mid"), &why);
  ASSERT_TRUE(midi.has_value()) << why;
  for (bool ended : midi->TrackEnded) EXPECT_TRUE(ended);
  const double seconds = glim::MidiDurationSeconds(*midi);
  EXPECT_GE(seconds, 60.0);
  EXPECT_LE(seconds, 120.0);

  // Every note is released by the end, and nothing is left sounding when
  // the piece goes round again.
  uint32_t last = 0, firstNote = UINT32_MAX, lastRelease = 0;
  std::map<std::pair<int, int>, int> sounding;  // channel, key -> notes on
  std::set<int> channels;
  int lowest = 127, highest = 0;
  for (const glim::MidiEvent& e : midi->Events) {
    last = std::max(last, e.Tick);
    const int kind = e.Status & 0xF0, ch = e.Status & 0x0F;
    if (kind == 0x90 && e.Data.size() == 2 && e.Data[1] > 0) {
      ++sounding[{ch, e.Data[0]}];
      channels.insert(ch);
      firstNote = std::min(firstNote, e.Tick);
      lowest = std::min(lowest, int(e.Data[0]));
      highest = std::max(highest, int(e.Data[0]));
    } else if ((kind == 0x80 || kind == 0x90) && e.Data.size() == 2) {
      auto it = sounding.find({ch, e.Data[0]});
      ASSERT_TRUE(it != sounding.end() && it->second > 0) << "release of a note not sounding at tick " << e.Tick;
      --it->second;
      lastRelease = std::max(lastRelease, e.Tick);
    }
  }
  for (const auto& [key, count] : sounding) EXPECT_EQ(count, 0) << "channel " << key.first << " key " << key.second;
  // It starts at once and ends on a bar line of 3/4 with its last notes
  // held to the end: no silence at the join.
  EXPECT_EQ(firstNote, 0u);
  EXPECT_EQ(last % static_cast<uint32_t>(3 * midi->Division), 0u);
  EXPECT_GE(lastRelease + static_cast<uint32_t>(midi->Division), last);
  // Melody, harmony and bass: several instruments over a wide range.
  EXPECT_GE(channels.size(), 5u);
  EXPECT_LT(lowest, 45);
  EXPECT_GT(highest, 80);
}

TEST(SoundAssets, MidiReaderRefusesBrokenFiles) {
  const std::string good = ReadAll(kSounds + "glimmusi.mid");
  ASSERT_TRUE(glim::ParseMidi(good).has_value());
  std::string why;
  EXPECT_FALSE(glim::ParseMidi(good.substr(0, good.size() / 2), &why).has_value());
  EXPECT_FALSE(why.empty());
  EXPECT_FALSE(glim::ParseMidi("RIFF....", &why).has_value());
  std::string badTrack = good;
  badTrack[14] = 'X';  // the first track's tag
  EXPECT_FALSE(glim::ParseMidi(badTrack).has_value());
}

#endif  // GLIM_HAVE_SOUND

}  // namespace
