// Writing Standard MIDI Files (format 1, metrical time).
#pragma once

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace gensnd {

class MidiTrack {
 public:
  void Name(const std::string& text) { Meta(0, 0x03, text); }
  void Tempo(uint32_t tick, double bpm) {
    const uint32_t us = static_cast<uint32_t>(60000000.0 / bpm + 0.5);
    Meta(tick, 0x51, std::string{char(us >> 16), char((us >> 8) & 0xFF), char(us & 0xFF)});
  }
  void TimeSignature(uint32_t tick, int beats, int unitPow2) {
    Meta(tick, 0x58, std::string{char(beats), char(unitPow2), char(24), char(8)});
  }
  void Program(int ch, uint32_t tick, int program) { Add(tick, 1, {char(0xC0 | ch), char(program)}); }
  void Control(int ch, uint32_t tick, int cc, int value) { Add(tick, 1, {char(0xB0 | ch), char(cc), char(value)}); }
  void Note(int ch, uint32_t tick, uint32_t length, int key, int velocity) {
    key = std::clamp(key, 0, 127);
    velocity = std::clamp(velocity, 1, 127);
    Add(tick, 2, {char(0x90 | ch), char(key), char(velocity)});
    Add(tick + length, 0, {char(0x80 | ch), char(key), char(0)});
  }
  // The track's bytes, closed by an end-of-track event at endTick.
  std::string Bytes(uint32_t endTick) const {
    std::vector<Ev> ev = events_;
    std::stable_sort(ev.begin(), ev.end(),
                     [](const Ev& a, const Ev& b) { return a.Tick != b.Tick ? a.Tick < b.Tick : a.Order < b.Order; });
    std::string out;
    uint32_t now = 0;
    for (const Ev& e : ev) {
      const uint32_t t = std::min(e.Tick, endTick);
      Vlq(out, t - now);
      out += e.Data;
      now = t;
    }
    Vlq(out, endTick - now);
    out += std::string{char(0xFF), char(0x2F), char(0)};
    return out;
  }

 private:
  struct Ev {
    uint32_t Tick;
    int Order;  // at one tick: notes off, then settings, then notes on
    std::string Data;
  };
  void Add(uint32_t tick, int order, std::string data) { events_.push_back({tick, order, std::move(data)}); }
  void Meta(uint32_t tick, int type, const std::string& payload) {
    std::string d{char(0xFF), char(type)};
    Vlq(d, static_cast<uint32_t>(payload.size()));
    Add(tick, 1, d + payload);
  }
  static void Vlq(std::string& out, uint32_t v) {
    char buf[5];
    int n = 0;
    buf[n++] = char(v & 0x7F);
    while (v >>= 7) buf[n++] = char(0x80 | (v & 0x7F));
    while (n) out += buf[--n];
  }
  std::vector<Ev> events_;
};

inline std::string MidiFileBytes(int division, const std::vector<MidiTrack>& tracks, uint32_t endTick) {
  auto be = [](std::string& s, uint32_t v, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) s += char((v >> (8 * i)) & 0xFF);
  };
  std::string f = "MThd";
  be(f, 6, 4);
  be(f, 1, 2);
  be(f, static_cast<uint32_t>(tracks.size()), 2);
  be(f, static_cast<uint32_t>(division), 2);
  for (const MidiTrack& t : tracks) {
    const std::string b = t.Bytes(endTick);
    f += "MTrk";
    be(f, static_cast<uint32_t>(b.size()), 4);
    f += b;
  }
  return f;
}

}  // namespace gensnd
