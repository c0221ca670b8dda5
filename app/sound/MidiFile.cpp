#include "app/sound/MidiFile.h"

#include <algorithm>
#include <utility>

namespace glim {

namespace {

struct Reader {
  const std::string& b;
  size_t pos;
  size_t end;
  bool ok = true;

  bool Has(size_t n) const { return ok && pos <= end && end - pos >= n; }
  uint8_t U8() {
    if (!Has(1)) {
      ok = false;
      return 0;
    }
    return static_cast<uint8_t>(b[pos++]);
  }
  uint32_t Be(int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = (v << 8) | U8();
    return v;
  }
  uint32_t Vlq() {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) {
      const uint8_t c = U8();
      v = (v << 7) | (c & 0x7F);
      if (!(c & 0x80)) return v;
    }
    ok = false;  // longer than four bytes
    return 0;
  }
};

int DataBytes(uint8_t status) {
  const uint8_t kind = status & 0xF0;
  return (kind == 0xC0 || kind == 0xD0) ? 1 : 2;
}

bool Fail(std::string* why, const std::string& text) {
  if (why) *why = text;
  return false;
}

bool ReadTrack(Reader& r, int track, MidiFile& out, std::string* why) {
  uint32_t tick = 0;
  uint8_t running = 0;
  bool ended = false;
  while (r.ok && r.pos < r.end && !ended) {
    const uint32_t delta = r.Vlq();
    if (delta > 0x0FFFFFFF || tick > 0xFFFFFFFFu - delta) return Fail(why, "delta time out of range");
    tick += delta;
    MidiEvent e;
    e.Tick = tick;
    e.Track = track;
    uint8_t status = r.U8();
    if (status < 0x80) {
      if (!running) return Fail(why, "data byte without a status");
      --r.pos;  // running status: the byte belongs to the data
      status = running;
    }
    e.Status = status;
    if (status == 0xFF) {
      e.Meta = r.U8();
      const uint32_t len = r.Vlq();
      if (!r.Has(len)) return Fail(why, "meta event runs past the track");
      e.Data.assign(r.b.begin() + static_cast<long>(r.pos), r.b.begin() + static_cast<long>(r.pos + len));
      r.pos += len;
      if (e.Meta == 0x2F) ended = true;
      if (e.Meta == 0x51 && len != 3) return Fail(why, "tempo event of the wrong size");
    } else if (status == 0xF0 || status == 0xF7) {
      const uint32_t len = r.Vlq();
      if (!r.Has(len)) return Fail(why, "sysex runs past the track");
      e.Data.assign(r.b.begin() + static_cast<long>(r.pos), r.b.begin() + static_cast<long>(r.pos + len));
      r.pos += len;
      running = 0;
    } else if (status >= 0xF1) {
      return Fail(why, "system message inside a track");
    } else {
      running = status;
      for (int i = DataBytes(status); i > 0; --i) {
        const uint8_t d = r.U8();
        if (d & 0x80) return Fail(why, "data byte out of range");
        e.Data.push_back(d);
      }
    }
    if (!r.ok) return Fail(why, "track cut short");
    out.Events.push_back(std::move(e));
  }
  out.TrackEnded.push_back(ended);
  return true;
}

}  // namespace

std::optional<MidiFile> ParseMidi(const std::string& bytes, std::string* why) {
  Reader r{bytes, 0, bytes.size()};
  if (bytes.compare(0, 4, "MThd") != 0) {
    Fail(why, "no MThd header");
    return std::nullopt;
  }
  r.pos = 4;
  const uint32_t hlen = r.Be(4);
  if (!r.ok || hlen < 6 || !r.Has(hlen)) {
    Fail(why, "header cut short");
    return std::nullopt;
  }
  MidiFile m;
  m.Format = static_cast<int>(r.Be(2));
  m.Tracks = static_cast<int>(r.Be(2));
  m.Division = static_cast<int>(r.Be(2));
  r.pos = 8 + hlen;
  if (m.Format > 2 || m.Tracks < 1 || m.Division <= 0 || (m.Division & 0x8000)) {
    Fail(why, "unsupported format, track count or time division");
    return std::nullopt;
  }
  for (int t = 0; t < m.Tracks; ++t) {
    if (!r.Has(8) || bytes.compare(r.pos, 4, "MTrk") != 0) {
      Fail(why, "track " + std::to_string(t + 1) + " missing");
      return std::nullopt;
    }
    r.pos += 4;
    const uint32_t len = r.Be(4);
    if (!r.Has(len)) {
      Fail(why, "track " + std::to_string(t + 1) + " runs past the file");
      return std::nullopt;
    }
    Reader tr{bytes, r.pos, r.pos + len};
    if (!ReadTrack(tr, t, m, why)) return std::nullopt;
    r.pos += len;
  }
  return m;
}

double MidiTickSeconds(const MidiFile& midi, uint32_t tick) {
  // Tempo changes of every track apply to the whole file (formats 0 and 1).
  std::vector<std::pair<uint32_t, uint32_t>> tempos;  // tick, microseconds per quarter
  for (const MidiEvent& e : midi.Events) {
    if (e.Status == 0xFF && e.Meta == 0x51 && e.Data.size() == 3)
      tempos.emplace_back(e.Tick, (uint32_t{e.Data[0]} << 16) | (uint32_t{e.Data[1]} << 8) | e.Data[2]);
  }
  std::stable_sort(tempos.begin(), tempos.end(), [](auto& a, auto& b) { return a.first < b.first; });
  double seconds = 0;
  uint32_t at = 0;
  uint32_t usPerQuarter = 500000;
  for (const auto& [t, us] : tempos) {
    if (t >= tick) break;
    seconds += double(t - at) * usPerQuarter / 1e6 / midi.Division;
    at = t;
    usPerQuarter = us;
  }
  return seconds + double(tick - at) * usPerQuarter / 1e6 / midi.Division;
}

double MidiDurationSeconds(const MidiFile& midi) {
  uint32_t last = 0;
  for (const MidiEvent& e : midi.Events) last = std::max(last, e.Tick);
  return MidiTickSeconds(midi, last);
}

}  // namespace glim
