#include "app/sound/SoundFile.h"

#include <algorithm>

#include "app/sound/MidiFile.h"

namespace glim {

namespace {

uint32_t Le(const std::string& b, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<size_t>(i)]);
  return v;
}

}  // namespace

std::optional<uint64_t> WavDecodedBytes(const std::string& bytes, int outRate, int outFrameBytes) {
  if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return std::nullopt;
  uint32_t channels = 0, rate = 0, bits = 0;
  std::optional<uint64_t> data;
  // The chunks, each an id, a length and the (even-padded) contents; a
  // chunk that claims more than the file holds is cut at the file's end.
  for (size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id = bytes.substr(at, 4);
    const uint64_t len = std::min<uint64_t>(Le(bytes, at + 4, 4), bytes.size() - at - 8);
    if (id == "fmt " && len >= 16) {
      channels = Le(bytes, at + 10, 2);
      rate = Le(bytes, at + 12, 4);
      bits = Le(bytes, at + 22, 2);
    } else if (id == "data") {
      data = len;
    }
    at += 8 + len + (len & 1);
  }
  if (!data || channels == 0 || rate == 0 || outRate <= 0 || outFrameBytes <= 0) return std::nullopt;
  // Compressed samples (ADPCM) give 4 bits a sample; count no fewer, so the
  // bound holds for them too.
  const uint64_t frameBits = uint64_t{channels} * std::max<uint32_t>(bits, 4);
  const uint64_t frames = *data * 8 / frameBits + 1;
  // Converted to the output rate: frames * outRate / rate, rounded up.
  const uint64_t outFrames = (frames * static_cast<uint64_t>(outRate) + rate - 1) / rate;
  // On the way the samples are decoded at their own rate, as much as 4
  // bytes a sample and at least two channels: a file of a very high rate
  // takes more there than in the end.
  const uint64_t decoded = frames * std::max<uint64_t>(channels, 2) * 4;
  return std::max(outFrames * static_cast<uint64_t>(outFrameBytes), decoded);
}

bool LoopableTune(const std::string& bytes) {
  const std::optional<MidiFile> midi = ParseMidi(bytes);
  if (!midi || MidiDurationSeconds(*midi) < MinLoopSeconds) return false;
  for (const MidiEvent& e : midi->Events)
    if ((e.Status & 0xF0) == 0x90 && e.Data.size() >= 2 && e.Data[1] > 0) return true;
  return false;
}

}  // namespace glim
