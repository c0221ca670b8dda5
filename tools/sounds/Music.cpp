// The title music: a waltz in D minor for flute, clarinet, oboe, harp,
// strings, cello, double bass and timpani, 48 bars at 96 beats a minute
// (90 seconds). It ends on the dominant with every note released on the
// last beat, so that it runs straight back into its opening bar.
#include <cctype>
#include <map>
#include <sstream>
#include <stdexcept>

#include "Midi.h"
#include "Sounds.h"

namespace gensnd {

namespace {

constexpr int kPpq = 480;
constexpr uint32_t kEighth = kPpq / 2;
constexpr uint32_t kBar = 6 * kEighth;  // 3/4
constexpr double kBpm = 96;

// "C#5" -> 73 (middle C is C4 = 60).
int Pitch(const std::string& name) {
  static const std::map<char, int> steps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  size_t i = 0;
  int p = steps.at(static_cast<char>(std::toupper(static_cast<unsigned char>(name[i++]))));
  while (i < name.size() && (name[i] == '#' || name[i] == 'b')) p += name[i++] == '#' ? 1 : -1;
  return p + 12 * (std::stoi(name.substr(i)) + 1);
}

struct Tone {
  int Key;  // 0 for a rest
  uint32_t Start;
  uint32_t Length;
  bool Downbeat;
};

// A line written as "D5:2 E5:1 | r:2 ..." (lengths in eighths, bars
// separated by "|", which are checked to be full).
std::vector<Tone> Line(const std::string& text, uint32_t startBar) {
  std::vector<Tone> out;
  std::istringstream in(text);
  std::string tok;
  uint32_t at = startBar * kBar, barStart = at;
  while (in >> tok) {
    if (tok == "|") {
      if (at - barStart != kBar) throw std::logic_error("bar of the wrong length near " + text.substr(0, 40));
      barStart = at;
      continue;
    }
    const size_t colon = tok.find(':');
    const uint32_t len = static_cast<uint32_t>(std::stoi(tok.substr(colon + 1))) * kEighth;
    const std::string name = tok.substr(0, colon);
    out.push_back({name == "r" ? 0 : Pitch(name), at, len, at == barStart});
    at += len;
  }
  if (at - barStart != kBar) throw std::logic_error("last bar of the wrong length in " + text.substr(0, 40));
  return out;
}

// Chords: root and the intervals above it.
struct Chord {
  int Root;                // pitch class
  std::vector<int> Tones;  // semitones above the root
};
Chord ChordOf(const std::string& name) {
  const int root = Pitch(name.substr(0, name[1] == 'b' || name[1] == '#' ? 2 : 1) + "0") % 12;
  std::string q = name.substr(name[1] == 'b' || name[1] == '#' ? 2 : 1);
  if (q == "m") return {root, {0, 3, 7}};
  if (q == "7") return {root, {0, 4, 7, 10}};
  return {root, {0, 4, 7}};
}

// The chord tone nearest above `floor` for a given interval.
int Above(int floor, int pitchClass) {
  int p = floor;
  while (((p % 12) + 12) % 12 != pitchClass) ++p;
  return p;
}

class Score {
 public:
  explicit Score(int tracks) : tracks_(static_cast<size_t>(tracks)) {}
  MidiTrack& operator[](int i) { return tracks_[static_cast<size_t>(i)]; }

  void Play(int track, int ch, const std::vector<Tone>& line, int velocity, double legato = 0.95) {
    for (const Tone& t : line) {
      if (t.Key == 0) continue;
      const int v = velocity + (t.Downbeat ? 8 : 0) + static_cast<int>(rng_.Range(-4, 4));
      tracks_[static_cast<size_t>(track)].Note(ch, t.Start, static_cast<uint32_t>(t.Length * legato), t.Key, v);
    }
  }
  Rng& Random() { return rng_; }
  const std::vector<MidiTrack>& Tracks() const { return tracks_; }

 private:
  std::vector<MidiTrack> tracks_;
  Rng rng_{301};
};

// The melody of the A section, its two endings, the middle section and
// the coda.
const char* const kAStart = "D5:2 E5:1 F5:1 A5:2 | G5:3 F5:1 D5:2 | C5:2 F5:2 A5:2 | G5:4 E5:2 | ";
const char* const kAOpen = "F5:2 E5:1 D5:1 A4:2 | Bb4:2 D5:2 G5:2 | E5:3 D5:1 C#5:2 | A4:6";
const char* const kAClosed = "F5:2 A5:2 D6:2 | C6:1 Bb5:1 A5:2 G5:2 | F5:2 E5:2 C#5:2 | D5:6";
const char* const kB =
    "A5:3 G5:1 F5:2 | E5:2 G5:2 C6:2 | D6:3 C6:1 A5:2 | Bb5:4 F5:2 | "
    "A5:2 C6:2 A5:2 | Bb5:2 A5:1 G5:1 D5:2 | F5:2 G5:2 Bb5:2 | A5:4 E5:2";
const char* const kCoda = "A5:2 F5:2 D5:2 | D5:2 Bb4:2 G4:2 | F5:4 D5:2 | C#5:6";
// A slower line under the melody: thirds and sixths.
const char* const kCounterClosed = "F4:6 | F4:3 D4:3 | A4:6 | G4:3 E4:3 | A4:3 F4:3 | G4:3 Bb4:3 | A4:3 E4:3 | F4:6";

const std::vector<std::string> kOpenChords = {"Dm", "Bb", "F", "C", "Dm", "Gm", "A", "A"};
const std::vector<std::string> kClosedChords = {"Dm", "Bb", "F", "C", "Dm", "Gm", "A", "Dm"};
const std::vector<std::string> kBChords = {"F", "C", "Dm", "Bb", "F", "Gm", "Bb", "A"};
const std::vector<std::string> kIntroChords = {"Dm", "Bb", "C", "A"};
const std::vector<std::string> kCodaChords = {"Dm", "Gm", "Bb", "A7"};

enum Track { kConductor, kFlute, kClarinet, kOboe, kHarp, kPad, kCello, kBass, kTimpani, kViolins, kTrackCount };

}  // namespace

std::string TitleMusic() {
  Score s(kTrackCount);
  s[kConductor].Name("Glimmerhold");
  s[kConductor].Tempo(0, kBpm);
  s[kConductor].TimeSignature(0, 3, 2);

  struct Voice {
    int Track, Channel, Program, Volume, Pan, Reverb;
    const char* Name;
  };
  const Voice voices[] = {
      {kFlute, 0, 73, 100, 70, 70, "Flute"},     {kClarinet, 1, 71, 85, 50, 60, "Clarinet"},
      {kOboe, 2, 68, 92, 80, 60, "Oboe"},        {kHarp, 3, 46, 90, 40, 70, "Harp"},
      {kPad, 4, 48, 70, 64, 80, "Strings"},      {kCello, 5, 42, 85, 50, 60, "Cello"},
      {kBass, 6, 43, 80, 60, 60, "Double bass"}, {kTimpani, 7, 47, 80, 64, 70, "Timpani"},
      {kViolins, 8, 48, 100, 78, 70, "Violins"},
  };
  for (const Voice& v : voices) {
    s[v.Track].Name(v.Name);
    s[v.Track].Program(v.Channel, 0, v.Program);
    s[v.Track].Control(v.Channel, 0, 7, v.Volume);
    s[v.Track].Control(v.Channel, 0, 10, v.Pan);
    s[v.Track].Control(v.Channel, 0, 91, v.Reverb);
    s[v.Track].Control(v.Channel, 0, 93, 0);
  }

  // The accompaniment of one bar: a rising harp arpeggio, the string chord,
  // and the bass (held, or walking root and fifth when `moving`).
  auto accompany = [&](uint32_t bar, const std::string& name, int harpVel, int padVel, int bassVel, bool moving,
                       bool timpani) {
    const Chord c = ChordOf(name);
    const uint32_t at = bar * kBar;
    const int third = (c.Root + c.Tones[1]) % 12, fifth = (c.Root + c.Tones[2]) % 12;
    if (harpVel > 0) {
      const int r3 = Above(48, c.Root);
      const int pattern[6] = {r3,
                              Above(r3 + 1, fifth),
                              Above(r3 + 11, c.Root),
                              Above(r3 + 12, third),
                              Above(r3 + 12, fifth),
                              Above(r3 + 23, c.Root)};
      for (int k = 0; k < 6; ++k) {
        const uint32_t start = at + static_cast<uint32_t>(k) * kEighth;
        s[kHarp].Note(3, start, at + kBar - start, pattern[k], harpVel + (k == 0 ? 8 : 0) - k);
      }
    }
    if (padVel > 0) {
      for (int t : c.Tones) s[kPad].Note(4, at, kBar, Above(55, (c.Root + t) % 12), padVel);
    }
    if (bassVel > 0) {
      const int root = Above(36, c.Root);
      const int low = root - 12 >= 28 ? root - 12 : root;
      if (moving) {
        s[kCello].Note(5, at, 2 * kEighth, root, bassVel + 6);
        s[kCello].Note(5, at + 4 * kEighth, 2 * kEighth, Above(root + 1, fifth), bassVel);
        s[kBass].Note(6, at, 2 * kEighth, low, bassVel);
      } else {
        s[kCello].Note(5, at, kBar, root, bassVel);
        s[kBass].Note(6, at, kBar, low, bassVel - 10);
      }
    }
    if (timpani && (c.Root == 2 || c.Root == 9)) s[kTimpani].Note(7, at, kEighth * 2, c.Root == 2 ? 38 : 33, 70);
  };

  uint32_t bar = 0;
  // Intro: the harp alone, then the strings.
  for (size_t k = 0; k < kIntroChords.size(); ++k)
    accompany(bar + static_cast<uint32_t>(k), kIntroChords[k], 62, k >= 2 ? 45 : 0, k >= 2 ? 55 : 0, false, false);
  bar += 4;
  // A: the flute, gently.
  s.Play(kFlute, 0, Line(std::string(kAStart) + kAOpen, bar), 78);
  for (size_t k = 0; k < 8; ++k) accompany(bar + static_cast<uint32_t>(k), kOpenChords[k], 58, 42, 58, false, false);
  bar += 8;
  // A again, closing, with the clarinet below.
  s.Play(kFlute, 0, Line(std::string(kAStart) + kAClosed, bar), 82);
  s.Play(kClarinet, 1, Line(kCounterClosed, bar), 62, 1.0);
  for (size_t k = 0; k < 8; ++k) accompany(bar + static_cast<uint32_t>(k), kClosedChords[k], 60, 46, 62, false, false);
  bar += 8;
  // B: the oboe in F major, the bass walking, the timpani marking the way back.
  s.Play(kOboe, 2, Line(kB, bar), 84);
  for (size_t k = 0; k < 8; ++k) accompany(bar + static_cast<uint32_t>(k), kBChords[k], 64, 52, 66, true, true);
  bar += 8;
  // A on the violins, the flute above them.
  s.Play(kViolins, 8, Line(std::string(kAStart) + kAOpen, bar), 80);
  s.Play(kFlute, 0, Line("F5:6 | F5:3 D5:3 | A5:6 | G5:3 E5:3 | A5:3 F5:3 | G5:3 Bb5:3 | A5:3 E5:3 | A5:6", bar), 66,
         1.0);
  for (size_t k = 0; k < 8; ++k) accompany(bar + static_cast<uint32_t>(k), kOpenChords[k], 60, 50, 64, true, false);
  bar += 8;
  // A closing, everyone: flute and oboe together, the clarinet below.
  s.Play(kFlute, 0, Line(std::string(kAStart) + kAClosed, bar), 90);
  s.Play(kOboe, 2, Line(std::string(kAStart) + kAClosed, bar), 70);
  s.Play(kClarinet, 1, Line(kCounterClosed, bar), 66, 1.0);
  for (size_t k = 0; k < 8; ++k) accompany(bar + static_cast<uint32_t>(k), kClosedChords[k], 66, 56, 70, true, true);
  bar += 8;
  // Coda, fading, ending on the dominant that leads into the intro again.
  s.Play(kFlute, 0, Line(kCoda, bar), 70);
  s.Play(kClarinet, 1, Line("F4:6 | D4:6 | D4:6 | E4:6", bar), 52, 1.0);
  for (size_t k = 0; k < 4; ++k)
    accompany(bar + static_cast<uint32_t>(k), kCodaChords[k], 58 - 3 * static_cast<int>(k), 44, 56, false, k == 3);
  bar += 4;
  return MidiFileBytes(kPpq, s.Tracks(), bar * kBar);
}

}  // namespace gensnd
