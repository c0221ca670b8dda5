#include "ui/TextWrap.h"

namespace glim {

namespace {

// Columns taken by s[b, e): every byte but the continuation bytes of UTF-8.
int Columns(const std::string& s, size_t b, size_t e) {
  int n = 0;
  for (size_t i = b; i < e; ++i)
    if ((static_cast<unsigned char>(s[i]) & 0xC0) != 0x80) ++n;
  return n;
}

// The byte after the character that starts at i.
size_t NextChar(const std::string& s, size_t i) {
  ++i;
  while (i < s.size() && (static_cast<unsigned char>(s[i]) & 0xC0) == 0x80) ++i;
  return i;
}

}  // namespace

std::vector<std::string> WrapText(const std::string& line, int width, int indent) {
  const size_t n = line.size();
  if (width <= 0 || Columns(line, 0, n) <= width) return {line};
  // A hanging indent that leaves too little room for the text is dropped.
  if (indent < 0 || indent > width / 2) indent = 0;
  std::vector<std::string> out;
  std::string prefix;
  int room = width;
  size_t pos = 0;
  for (;;) {
    if (Columns(line, pos, n) <= room) {
      out.push_back(prefix + line.substr(pos));
      break;
    }
    // cut: the first character that does not fit on this line.
    size_t cut = pos;
    for (int cols = 0; cut < n && cols < room; ++cols) cut = NextChar(line, cut);
    // Break at the last blank up to the cut (a blank at the cut itself ends a
    // line that is exactly full), unless only leading blanks stand before it.
    size_t end = cut;
    for (size_t i = cut; i > pos; --i)
      if (line[i] == ' ') {
        size_t e = i;
        while (e > pos && line[e - 1] == ' ') --e;
        if (e > pos) end = i;
        break;
      }
    size_t e = end;
    while (e > pos && line[e - 1] == ' ') --e;
    out.push_back(prefix + line.substr(pos, e - pos));
    pos = end;
    while (pos < n && line[pos] == ' ') ++pos;
    if (pos >= n) break;
    prefix.assign(static_cast<size_t>(indent), ' ');
    room = width - indent;
  }
  return out;
}

int TextColumns(const std::string& s) { return Columns(s, 0, s.size()); }

}  // namespace glim
