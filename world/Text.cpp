#include "world/Text.h"

#include <limits>

namespace glim {

const char* const RangeCheckError = "Range check error";

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  std::string cur;
  size_t i = 0;
  const size_t n = text.size();
  bool pending = false;  // characters (or a terminator) since the last line
  while (i < n) {
    char c = text[i];
    if (c == '\r' || c == '\n') {
      lines.push_back(cur);
      cur.clear();
      pending = false;
      if (c == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
      ++i;
      continue;
    }
    cur.push_back(c);
    pending = true;
    ++i;
  }
  if (pending) lines.push_back(cur);
  return lines;
}

std::string Trim(const std::string& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

namespace {

std::optional<int32_t> ParseInt(const std::string& s, bool allowHex) {
  size_t i = 0;
  const size_t n = s.size();
  while (i < n && s[i] == ' ') ++i;
  bool neg = false;
  if (i < n && (s[i] == '+' || s[i] == '-')) {
    neg = s[i] == '-';
    ++i;
  }
  int base = 10;
  if (allowHex && i < n && s[i] == '$') {
    base = 16;
    ++i;
  } else if (allowHex && i + 1 < n && s[i] == '0' && (s[i + 1] == 'x' || s[i + 1] == 'X')) {
    base = 16;
    i += 2;
  }
  if (i >= n) return std::nullopt;
  int64_t v = 0;
  for (; i < n; ++i) {
    char c = s[i];
    int d;
    if (c >= '0' && c <= '9')
      d = c - '0';
    else if (base == 16 && c >= 'a' && c <= 'f')
      d = c - 'a' + 10;
    else if (base == 16 && c >= 'A' && c <= 'F')
      d = c - 'A' + 10;
    else
      return std::nullopt;
    v = v * base + d;
    if (v > static_cast<int64_t>(std::numeric_limits<uint32_t>::max()) + 1) return std::nullopt;
  }
  if (neg) v = -v;
  if (base == 16 && !neg && v <= static_cast<int64_t>(std::numeric_limits<uint32_t>::max()))
    return static_cast<int32_t>(static_cast<uint32_t>(v));  // hex may spell the sign bit
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(v);
}

}  // namespace

std::optional<int32_t> StrictInt(const std::string& s) { return ParseInt(s, false); }
std::optional<int32_t> LenientInt(const std::string& s) { return ParseInt(s, true); }

int FirstNonNumberPosition(const std::string& s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i;
  return static_cast<int>(i) + 1;
}

std::string LowerAscii(const std::string& s) {
  std::string r = s;
  for (char& c : r)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return r;
}

std::string QuotedValue(const std::string& s) {
  constexpr size_t Shown = 40;
  std::string q = s.substr(0, Shown);
  for (char& c : q) {
    const auto b = static_cast<unsigned char>(c);
    if (b < 0x20 || (b >= 0x7F && b < 0xA0)) c = '?';  // C0, DEL and C1 controls of the 8-bit text
  }
  if (s.size() > Shown) q += "...";
  return q;
}

std::string NotAnIntegerMessage(const std::string& s) {
  return "'" + QuotedValue(s) + "' is not a valid integer value";
}
std::string ListIndexMessage(long index) { return "List index out of bounds (" + std::to_string(index) + ")"; }

}  // namespace glim
