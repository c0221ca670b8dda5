// The SDL sound player on SDL's disk audio driver, which mixes as fast as it
// can and writes every sample to a file: repeats restart without a gap, a
// replaced sound stays replaced, switching repetition off lets the current
// pass finish, and missing files and missing devices are told apart. Every
// wait is for a report, with a generous time-out.
#ifdef GLIM_HAVE_SOUND

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "Harness.h"
#include "app/sound/SdlSoundPlayer.h"
#include "app/sound/SoundFile.h"

namespace {

using glim::SdlSoundPlayer;
using glim::SoundReport;
using glim::SoundResult;
using Kind = SoundReport::Kind;
using namespace std::chrono_literals;

constexpr auto kTimeout = 60s;

void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, static_cast<int>(v & 0xFFFF));
  Put16(s, static_cast<int>(v >> 16));
}

// A mono 16-bit 44.1 kHz tone of whole cycles, so that it loops cleanly.
void WriteTone(const std::string& path, int frames, double hz) {
  std::string d;
  for (int i = 0; i < frames; ++i)
    Put16(d, static_cast<int>(std::lround(12000 * std::sin(2 * M_PI * hz * i / 44100.0))));
  std::string f = "RIFF";
  Put32(f, static_cast<uint32_t>(36 + d.size()));
  f += "WAVEfmt ";
  Put32(f, 16);
  Put16(f, 1);
  Put16(f, 1);
  Put32(f, 44100);
  Put32(f, 88200);
  Put16(f, 2);
  Put16(f, 16);
  f += "data";
  Put32(f, static_cast<uint32_t>(d.size()));
  glimtest::WriteText(path, f + d);
}

// Two notes in two seconds at 120 beats a minute.
void WriteTune(const std::string& path) {
  const unsigned char track[] = {
      0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20,               // tempo 500000 us a beat
      0x00, 0xC0, 0x00,                                       // piano
      0x00, 0x90, 60,   100,  0x83, 0x60, 0x80, 60,   0,      // C for a beat
      0x83, 0x60, 0x90, 64,   100,  0x83, 0x60, 0x80, 64, 0,  // E on beat three
      0x83, 0x60, 0xFF, 0x2F, 0x00,                           // the end, after beat four
  };
  std::string f = "MThd";
  f += std::string("\0\0\0\6\0\0\0\1\1\xE0", 10);
  f += "MTrk";
  const std::string t(reinterpret_cast<const char*>(track), sizeof track);
  f += static_cast<char>(0);
  f += static_cast<char>(0);
  f += static_cast<char>(0);
  f += static_cast<char>(t.size());
  glimtest::WriteText(path, f + t);
}

class SoundPlayerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = glimtest::TempDir(std::string("sound_player_") +
                             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    out_ = dir_ + "mixed.raw";
    setenv("SDL_AUDIODRIVER", "disk", 1);
    setenv("SDL_DISKAUDIODELAY", "0", 1);
    setenv("SDL_DISKAUDIOFILE", out_.c_str(), 1);
    WriteTone(dir_ + "tone.wav", kToneFrames, 450);  // 0.2 s, 90 cycles
    WriteTone(dir_ + "blip.wav", 2205, 1000);        // 0.05 s
    WriteTune(dir_ + "tune.mid");
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // Takes reports until one matches; false on time-out.
  bool WaitFor(SdlSoundPlayer& p, Kind what, uint64_t gen, std::vector<SoundReport>* seen = nullptr) {
    while (auto r = p.WaitReport(kTimeout)) {
      if (seen) seen->push_back(*r);
      if (r->What == what && r->Generation == gen) return true;
    }
    return false;
  }
  // The left channel of everything the device played.
  std::vector<int16_t> Mixed() {
    std::ifstream in(out_, std::ios::binary);
    std::vector<int16_t> left;
    int16_t frame[2];
    while (in.read(reinterpret_cast<char*>(frame), sizeof frame)) left.push_back(frame[0]);
    return left;
  }

  static constexpr int kToneFrames = 8820;
  std::string dir_, out_;
};

struct Span {
  size_t First = 0, Last = 0;
  size_t LongestSilence = 0;  // the longest run of zero samples inside
};
Span Sounding(const std::vector<int16_t>& s) {
  Span sp;
  size_t i = 0;
  while (i < s.size() && s[i] == 0) ++i;
  sp.First = i;
  size_t j = s.size();
  while (j > i && s[j - 1] == 0) --j;
  sp.Last = j;
  size_t run = 0;
  for (size_t k = i; k < j; ++k) {
    run = s[k] == 0 ? run + 1 : 0;
    sp.LongestSilence = std::max(sp.LongestSilence, run);
  }
  return sp;
}

TEST_F(SoundPlayerTest, RepeatingSoundRestartsWithoutAGapUntilStopped) {
  {
    SdlSoundPlayer p("");
    // The file is tone.wav; the name asked for differs in letter case.
    ASSERT_EQ(p.Play(dir_ + "TONE.WAV", true), SoundResult::Ok);
    const uint64_t g = p.Generation();
    std::vector<SoundReport> seen;
    int restarts = 0;
    while (restarts < 3) {
      ASSERT_TRUE(WaitFor(p, Kind::Restarted, g, &seen)) << "restart " << restarts;
      ++restarts;
    }
    EXPECT_EQ(seen.front().What, Kind::Started);
    p.Stop();
    ASSERT_TRUE(WaitFor(p, Kind::Aborted, g));
    EXPECT_FALSE(p.Sounding());
  }
  const Span sp = Sounding(Mixed());
  ASSERT_GT(sp.Last, sp.First);
  EXPECT_GE(sp.Last - sp.First, size_t{3} * kToneFrames);
  // A sine of this pitch touches zero at most once in a row; a gap between
  // passes would be a long run of silence.
  EXPECT_LE(sp.LongestSilence, size_t{2});
}

TEST_F(SoundPlayerTest, ReplacedSoundDoesNotComeBack) {
  SdlSoundPlayer p("");
  ASSERT_EQ(p.Play(dir_ + "tone.wav", true), SoundResult::Ok);
  const uint64_t first = p.Generation();
  ASSERT_TRUE(WaitFor(p, Kind::Restarted, first));
  ASSERT_EQ(p.Play(dir_ + "blip.wav", false), SoundResult::Ok);
  const uint64_t second = p.Generation();
  EXPECT_GT(second, first);
  std::vector<SoundReport> seen;
  ASSERT_TRUE(WaitFor(p, Kind::Completed, second, &seen));
  bool firstAborted = false;
  for (const SoundReport& r : seen) {
    if (r.Generation == first && r.What == Kind::Aborted) firstAborted = true;
    EXPECT_FALSE(r.Generation == first && r.What == Kind::Completed);
  }
  EXPECT_TRUE(firstAborted);
  // Nothing plays afterwards and nothing more is reported: the replaced
  // sound does not restart.
  EXPECT_FALSE(p.WaitReport(300ms).has_value());
  EXPECT_FALSE(p.Sounding());
}

TEST_F(SoundPlayerTest, RepetitionSwitchedOffFinishesTheCurrentPass) {
  {
    SdlSoundPlayer p("");
    ASSERT_EQ(p.Play(dir_ + "tone.wav", true), SoundResult::Ok);
    const uint64_t g = p.Generation();
    ASSERT_TRUE(WaitFor(p, Kind::Restarted, g));
    p.SetRepeat(false);
    std::vector<SoundReport> seen;
    ASSERT_TRUE(WaitFor(p, Kind::Completed, g, &seen));
    for (const SoundReport& r : seen) EXPECT_NE(r.What, Kind::Aborted);
    EXPECT_FALSE(p.WaitReport(300ms).has_value());
    EXPECT_FALSE(p.Sounding());
  }
  // It played whole passes: the sound ends where a pass ends (within the
  // few milliseconds of its fade), not where it was told.
  const Span sp = Sounding(Mixed());
  const double passes = double(sp.Last - sp.First) / kToneFrames;
  EXPECT_GE(passes, 1.9);
  EXPECT_NEAR(passes, std::round(passes), 0.01) << passes;
  EXPECT_LE(sp.LongestSilence, size_t{2});
}

TEST_F(SoundPlayerTest, SingleSoundEndsAndCanBeMadeToRepeat) {
  SdlSoundPlayer p("");
  ASSERT_EQ(p.Play(dir_ + "blip.wav", false), SoundResult::Ok);
  const uint64_t g = p.Generation();
  std::vector<SoundReport> seen;
  ASSERT_TRUE(WaitFor(p, Kind::Completed, g, &seen));
  for (const SoundReport& r : seen) EXPECT_NE(r.What, Kind::Restarted);
  EXPECT_FALSE(p.Sounding());

  // Repetition switched on while a single play sounds: it starts again.
  ASSERT_EQ(p.Play(dir_ + "tone.wav", false), SoundResult::Ok);
  const uint64_t h = p.Generation();
  p.SetRepeat(true);
  ASSERT_TRUE(WaitFor(p, Kind::Restarted, h));
  p.Stop();
  ASSERT_TRUE(WaitFor(p, Kind::Aborted, h));
}

TEST_F(SoundPlayerTest, MissingFileIsReportedAndEndsThePreviousSound) {
  SdlSoundPlayer p("");
  ASSERT_EQ(p.Play(dir_ + "tone.wav", true), SoundResult::Ok);
  const uint64_t g = p.Generation();
  EXPECT_EQ(p.Play(dir_ + "nosuch.wav", false), SoundResult::Missing);
  ASSERT_TRUE(WaitFor(p, Kind::Aborted, g));
  EXPECT_FALSE(p.Sounding());
  EXPECT_EQ(p.Generation(), g);  // nothing new was started
  // A file that is there but is no sound is as good as missing.
  glimtest::WriteText(dir_ + "junk.wav", "this is not a wave file");
  EXPECT_EQ(p.Play(dir_ + "junk.wav", false), SoundResult::Missing);
  EXPECT_EQ(p.Play(dir_ + "junk.mid", false), SoundResult::Missing);
}

TEST_F(SoundPlayerTest, MusicLoopsAndFinishesItsPassWhenRepetitionIsSwitchedOff) {
  SdlSoundPlayer p(glim::DefaultSoundFont());
  ASSERT_EQ(p.Play(dir_ + "Tune.MID", true), SoundResult::Ok);
  const uint64_t g = p.Generation();
  ASSERT_TRUE(WaitFor(p, Kind::Restarted, g));
  ASSERT_TRUE(WaitFor(p, Kind::Restarted, g));
  p.SetRepeat(false);
  std::vector<SoundReport> seen;
  ASSERT_TRUE(WaitFor(p, Kind::Completed, g, &seen));
  for (const SoundReport& r : seen) EXPECT_NE(r.What, Kind::Aborted);

  // Played once, the tune ends by itself; an effect replaces a tune at once.
  ASSERT_EQ(p.Play(dir_ + "tune.mid", false), SoundResult::Ok);
  const uint64_t once = p.Generation();
  ASSERT_TRUE(WaitFor(p, Kind::Completed, once));
  ASSERT_EQ(p.Play(dir_ + "tune.mid", true), SoundResult::Ok);
  const uint64_t looping = p.Generation();
  ASSERT_EQ(p.Play(dir_ + "blip.wav", false), SoundResult::Ok);
  ASSERT_TRUE(WaitFor(p, Kind::Aborted, looping));
  ASSERT_TRUE(WaitFor(p, Kind::Completed, p.Generation()));
  EXPECT_FALSE(p.WaitReport(300ms).has_value());
}

// A RIFF WAVE file of `rate` frames a second, mono, 16 bits, `frames` long.
std::string Wav(uint32_t rate, int frames) {
  std::string f = "RIFF";
  Put32(f, static_cast<uint32_t>(36 + 2 * frames));
  f += "WAVEfmt ";
  Put32(f, 16);
  Put16(f, 1);
  Put16(f, 1);
  Put32(f, rate);
  Put32(f, rate * 2);
  Put16(f, 2);
  Put16(f, 16);
  f += "data";
  Put32(f, static_cast<uint32_t>(2 * frames));
  return f + std::string(static_cast<size_t>(2 * frames), '\x10');
}

TEST(SoundFile, WavSizeOnceConvertedIsBoundedBeforeDecoding) {
  // A second at the output's own rate: 44,100 frames of 4 bytes, or the
  // decoding on the way at 8 bytes a frame, whichever is more.
  const std::optional<uint64_t> second = glim::WavDecodedBytes(Wav(44100, 44100), 44100, 4);
  ASSERT_TRUE(second.has_value());
  EXPECT_GE(*second, 44100u * 4);
  EXPECT_LE(*second, 44101u * 8);
  // 3,000 samples that claim a rate of 1 Hz: 3,000 seconds at 44.1 kHz.
  const std::optional<uint64_t> slow = glim::WavDecodedBytes(Wav(1, 3000), 44100, 4);
  ASSERT_TRUE(slow.has_value());
  EXPECT_GE(*slow, 3000u * 44100 * 4);
  EXPECT_GT(*slow, glim::MaxDecodedSoundBytes);
  // A data chunk that claims more than the file holds counts what is there.
  std::string cut = Wav(44100, 1000);
  cut[40] = '\xFF';
  cut[41] = '\xFF';
  cut[42] = '\xFF';
  cut[43] = '\x7F';
  EXPECT_LE(glim::WavDecodedBytes(cut, 44100, 4).value_or(~0ull), 1001u * 8);
  EXPECT_FALSE(glim::WavDecodedBytes("", 44100, 4).has_value());
  EXPECT_FALSE(glim::WavDecodedBytes("RIFF\0\0\0\0WAVE", 44100, 4).has_value());  // no chunks
  EXPECT_FALSE(glim::WavDecodedBytes(Wav(0, 100), 44100, 4).has_value());         // no rate
  EXPECT_FALSE(glim::WavDecodedBytes(std::string(100, 'x'), 44100, 4).has_value());
}

// The sounds the player refuses before the mixer sees them: a small file
// that would resample to a gigabyte, a file over its size cap, a pipe (which
// would block the game) and a device. Each reports a missing file at once.
TEST_F(SoundPlayerTest, SoundsBeyondTheirCapsOrNotInAFileAreRefused) {
  SdlSoundPlayer p("");
  glimtest::WriteText(dir_ + "slow.wav", Wav(1, 3000));
  glimtest::WriteText(dir_ + "huge.wav", Wav(44100, static_cast<int>(glim::MaxWavFileBytes / 2)));
  ASSERT_EQ(mkfifo((dir_ + "pipe.wav").c_str(), 0600), 0);
  std::filesystem::create_symlink("/dev/zero", dir_ + "zero.wav");
  std::filesystem::create_symlink("/dev/zero", dir_ + "zero.mid");
  glimtest::WriteText(dir_ + "long.mid", std::string(glim::MaxMusicFileBytes + 1, 'x'));
  const auto start = std::chrono::steady_clock::now();
  for (const char* name : {"slow.wav", "huge.wav", "pipe.wav", "zero.wav", "zero.mid", "long.mid"})
    EXPECT_EQ(p.Play(dir_ + name, true), SoundResult::Missing) << name;
  EXPECT_LT(std::chrono::steady_clock::now() - start, 5s);
  // The player goes on playing what it can.
  ASSERT_EQ(p.Play(dir_ + "blip.wav", false), SoundResult::Ok);
  EXPECT_TRUE(WaitFor(p, Kind::Completed, p.Generation()));
}

// A title tune that cannot be looped (garbage, empty, cut short, without a
// note, or a WAV file under the tune's name) is played once even when asked
// to repeat: it is never started again and again inside the mixer, and
// stopping it returns at once.
TEST_F(SoundPlayerTest, TuneThatEndsAtOnceIsNotLooped) {
  SdlSoundPlayer p(glim::DefaultSoundFont());
  const std::string tune = glimtest::ReadAll(dir_ + "tune.mid");
  ASSERT_TRUE(glim::LoopableTune(tune));
  std::string silent = tune;  // the two notes turned into rests
  for (size_t i = 0; i + 1 < silent.size(); ++i)
    if (static_cast<unsigned char>(silent[i]) == 0x90) silent[i + 2] = 0;
  const std::vector<std::pair<std::string, std::string>> bad = {
      {"empty.mid", ""},      {"garbage.mid", std::string(3000, '\x5A')},         {"cut.mid", tune.substr(0, 30)},
      {"silent.mid", silent}, {"wave.mid", glimtest::ReadAll(dir_ + "tone.wav")},
  };
  for (const auto& [name, bytes] : bad) {
    glimtest::WriteText(dir_ + name, bytes);
    EXPECT_FALSE(glim::LoopableTune(bytes)) << name;
    if (p.Play(dir_ + name, true) != SoundResult::Ok) continue;  // refused by the mixer: fine too
    const uint64_t g = p.Generation();
    std::vector<SoundReport> seen;
    EXPECT_TRUE(WaitFor(p, Kind::Completed, g, &seen)) << name;
    for (const SoundReport& r : seen) EXPECT_NE(r.What, Kind::Restarted) << name;
    const auto start = std::chrono::steady_clock::now();
    p.Stop();
    EXPECT_LT(std::chrono::steady_clock::now() - start, 1s) << name;
  }
}

TEST_F(SoundPlayerTest, NoDeviceIsToldApartFromAMissingFile) {
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
  SdlSoundPlayer p("");
  EXPECT_EQ(p.Play(dir_ + "tone.wav", false), SoundResult::NoDevice);
  EXPECT_EQ(p.Play(dir_ + "tone.wav", true), SoundResult::NoDevice);
  EXPECT_EQ(p.Play(dir_ + "nosuch.wav", false), SoundResult::Missing);
  p.Stop();
  p.SetRepeat(false);
  EXPECT_FALSE(p.Sounding());
}

TEST_F(SoundPlayerTest, OnlyOnePlayerOwnsTheMixer) {
  SdlSoundPlayer first("");
  SdlSoundPlayer second("");
  EXPECT_EQ(second.Play(dir_ + "tone.wav", false), SoundResult::NoDevice);
  EXPECT_EQ(first.Play(dir_ + "tone.wav", false), SoundResult::Ok);
}

}  // namespace

#endif  // GLIM_HAVE_SOUND
