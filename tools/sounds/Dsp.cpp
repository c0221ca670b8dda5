#include "Dsp.h"

#include <fstream>

namespace gensnd {

namespace {

void Put16(std::string& s, int v) {
  s += static_cast<char>(v & 0xFF);
  s += static_cast<char>((v >> 8) & 0xFF);
}
void Put32(std::string& s, uint32_t v) {
  Put16(s, static_cast<int>(v & 0xFFFF));
  Put16(s, static_cast<int>(v >> 16));
}
uint32_t Get(const std::string& s, size_t at, int bytes) {
  uint32_t v = 0;
  for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<unsigned char>(s[at + static_cast<size_t>(i)]);
  return v;
}

}  // namespace

bool WriteWav(const std::string& path, const Buf& samples, int rate) {
  std::string data;
  data.reserve(samples.size() * 2);
  for (double x : samples) {
    const long v = std::lround(std::clamp(x, -1.0, 1.0) * 32767.0);
    Put16(data, static_cast<int>(v));
  }
  std::string f = "RIFF";
  Put32(f, static_cast<uint32_t>(36 + data.size()));
  f += "WAVEfmt ";
  Put32(f, 16);
  Put16(f, 1);  // PCM
  Put16(f, 1);  // mono
  Put32(f, static_cast<uint32_t>(rate));
  Put32(f, static_cast<uint32_t>(rate * 2));
  Put16(f, 2);
  Put16(f, 16);
  f += "data";
  Put32(f, static_cast<uint32_t>(data.size()));
  std::ofstream out(path, std::ios::binary);
  out << f << data;
  return static_cast<bool>(out);
}

bool ReadWav(const std::string& path, Buf& samples, int& rate) {
  std::ifstream in(path, std::ios::binary);
  const std::string s((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0) return false;
  int channels = 0, bits = 0;
  for (size_t at = 12; at + 8 <= s.size();) {
    const std::string id = s.substr(at, 4);
    size_t len = Get(s, at + 4, 4);
    const size_t body = at + 8;
    // espeak-ng writes its data size as "unknown" when it streams.
    if (id == "data" && (len == 0xFFFFFFFFu || len == 0x7FFFFFFFu || body + len > s.size())) len = s.size() - body;
    if (body + len > s.size()) return false;
    if (id == "fmt " && len >= 16) {
      if (Get(s, body, 2) != 1) return false;
      channels = static_cast<int>(Get(s, body + 2, 2));
      rate = static_cast<int>(Get(s, body + 4, 4));
      bits = static_cast<int>(Get(s, body + 14, 2));
    } else if (id == "data") {
      if (bits != 16 || channels < 1) return false;
      const size_t frame = 2 * static_cast<size_t>(channels);
      samples.clear();
      for (size_t p = body; p + frame <= body + len; p += frame)
        samples.push_back(static_cast<int16_t>(Get(s, p, 2)) / 32768.0);
      return true;
    }
    at = body + len + (len & 1);
  }
  return false;
}

Buf Resample(const Buf& in, int from, int to) {
  if (from == to || in.empty()) return in;
  const size_t n = static_cast<size_t>(double(in.size()) * to / from);
  Buf out(n);
  for (size_t i = 0; i < n; ++i) {
    const double p = double(i) * from / to;
    const size_t k = static_cast<size_t>(p);
    const double f = p - double(k);
    const double a = in[std::min(k, in.size() - 1)], b = in[std::min(k + 1, in.size() - 1)];
    out[i] = a + (b - a) * f;
  }
  return out;
}

}  // namespace gensnd
