// The help pages as plain text: contents, HTML to blocks, blocks to lines.
#include "shell/HelpText.h"

#include <algorithm>
#include <cstdint>

#include "ui/TextWrap.h"
#include "world/Text.h"

namespace glim {

namespace {

// Blanks between two columns of a table.
constexpr int ColumnGap = 2;
// A table column is never squeezed below this many columns; a table that
// cannot give every column this much is printed a row per paragraph.
constexpr int MinColumn = 6;
// Blanks a list item is indented by per level of nesting.
constexpr int ListIndent = 2;
// The longest numeric or named reference looked at ("&#x10FFFF;").
constexpr size_t MaxEntity = 10;
constexpr uint32_t MaxCodePoint = 0x10FFFF;

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\f'; }

bool IsAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

void AppendUtf8(std::string& out, uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

struct NamedEntity {
  const char* Name;
  uint32_t CodePoint;
};

// The named references a hand-written page is likely to use.
constexpr NamedEntity Entities[] = {
    {"amp", '&'},      {"lt", '<'},       {"gt", '>'},       {"quot", '"'},      {"apos", '\''},    {"nbsp", 0xA0},
    {"copy", 0xA9},    {"reg", 0xAE},     {"deg", 0xB0},     {"middot", 0xB7},   {"laquo", 0xAB},   {"raquo", 0xBB},
    {"times", 0xD7},   {"eacute", 0xE9},  {"egrave", 0xE8},  {"agrave", 0xE0},   {"ouml", 0xF6},    {"uuml", 0xFC},
    {"auml", 0xE4},    {"szlig", 0xDF},   {"ndash", 0x2013}, {"mdash", 0x2014},  {"lsquo", 0x2018}, {"rsquo", 0x2019},
    {"ldquo", 0x201C}, {"rdquo", 0x201D}, {"bull", 0x2022},  {"hellip", 0x2026}, {"trade", 0x2122}, {"larr", 0x2190},
    {"uarr", 0x2191},  {"rarr", 0x2192},  {"darr", 0x2193},
};

// The code point of the reference whose name (after '&', before ';') is ref.
std::optional<uint32_t> EntityValue(const std::string& ref) {
  if (ref.size() > 1 && ref[0] == '#') {
    const bool hex = ref[1] == 'x' || ref[1] == 'X';
    const std::string digits = ref.substr(hex ? 2 : 1);
    if (digits.empty()) return std::nullopt;
    uint32_t v = 0;
    for (char c : digits) {
      uint32_t d = 0;
      if (IsDigit(c))
        d = static_cast<uint32_t>(c - '0');
      else if (hex && c >= 'a' && c <= 'f')
        d = static_cast<uint32_t>(c - 'a' + 10);
      else if (hex && c >= 'A' && c <= 'F')
        d = static_cast<uint32_t>(c - 'A' + 10);
      else
        return std::nullopt;
      v = v * (hex ? 16 : 10) + d;
      if (v > MaxCodePoint) return std::nullopt;
    }
    if (v == 0 || (v >= 0xD800 && v <= 0xDFFF)) return std::nullopt;
    return v;
  }
  for (const NamedEntity& e : Entities)
    if (ref == e.Name) return e.CodePoint;
  return std::nullopt;
}

// A tag as read from the page: its lower-case name and its attribute text.
struct Tag {
  std::string Name;
  std::string Attrs;
  bool Closing = false;
};

// The value of one attribute of a tag, decoded; empty when it has none.
std::string Attribute(const std::string& attrs, const std::string& name) {
  size_t i = 0;
  const size_t n = attrs.size();
  while (i < n) {
    while (i < n && (IsBlank(attrs[i]) || attrs[i] == '/')) ++i;
    const size_t b = i;
    while (i < n && !IsBlank(attrs[i]) && attrs[i] != '=' && attrs[i] != '/') ++i;
    const std::string key = LowerAscii(attrs.substr(b, i - b));
    while (i < n && IsBlank(attrs[i])) ++i;
    std::string value;
    if (i < n && attrs[i] == '=') {
      ++i;
      while (i < n && IsBlank(attrs[i])) ++i;
      if (i < n && (attrs[i] == '"' || attrs[i] == '\'')) {
        const char q = attrs[i++];
        const size_t e = attrs.find(q, i);
        value = attrs.substr(i, e == std::string::npos ? std::string::npos : e - i);
        i = e == std::string::npos ? n : e + 1;
      } else {
        const size_t v = i;
        while (i < n && !IsBlank(attrs[i])) ++i;
        value = attrs.substr(v, i - v);
      }
    }
    if (key == name) return DecodeEntities(value);
    if (i == b) ++i;  // a stray character: step over it
  }
  return {};
}

bool HasClass(const Tag& t, const std::string& cls) {
  const std::string all = " " + LowerAscii(Attribute(t.Attrs, "class")) + " ";
  return all.find(" " + cls + " ") != std::string::npos;
}

// Walks through an HTML text: calls onText for every run of text and onTag
// for every tag; comments, declarations and processing instructions are
// skipped. A '<' that starts no tag is text.
template <typename OnText, typename OnTag>
void WalkHtml(const std::string& html, OnText onText, OnTag onTag) {
  size_t i = 0;
  const size_t n = html.size();
  while (i < n) {
    const size_t lt = html.find('<', i);
    const size_t textEnd = lt == std::string::npos ? n : lt;
    if (textEnd > i) onText(html.substr(i, textEnd - i));
    if (lt == std::string::npos) break;
    if (html.compare(lt, 4, "<!--") == 0) {
      const size_t e = html.find("-->", lt + 4);
      i = e == std::string::npos ? n : e + 3;
      continue;
    }
    const bool closing = lt + 1 < n && html[lt + 1] == '/';
    const size_t nameAt = lt + (closing ? 2 : 1);
    if (nameAt < n && (html[nameAt] == '!' || html[nameAt] == '?')) {
      const size_t e = html.find('>', nameAt);
      i = e == std::string::npos ? n : e + 1;
      continue;
    }
    if (nameAt >= n || !IsAlpha(html[nameAt])) {
      onText("<");
      i = lt + 1;
      continue;
    }
    size_t e = nameAt;
    while (e < n && (IsAlpha(html[e]) || IsDigit(html[e]))) ++e;
    Tag t;
    t.Name = LowerAscii(html.substr(nameAt, e - nameAt));
    t.Closing = closing;
    // The tag ends at the first '>' outside a quoted value.
    char quote = 0;
    size_t gt = e;
    for (; gt < n; ++gt) {
      if (quote) {
        if (html[gt] == quote) quote = 0;
      } else if (html[gt] == '"' || html[gt] == '\'') {
        quote = html[gt];
      } else if (html[gt] == '>') {
        break;
      }
    }
    t.Attrs = html.substr(e, gt - e);
    onTag(t);
    i = gt == n ? n : gt + 1;
  }
}

// Appends text with every run of blanks made one blank, and none at the
// start of the target or after a line break.
void AppendCollapsed(std::string& target, const std::string& text) {
  for (char c : text) {
    if (IsBlank(c)) {
      if (!target.empty() && target.back() != ' ' && target.back() != '\n') target += ' ';
    } else {
      target += c;
    }
  }
}

// Takes blanks off both ends of every line of a block's text.
std::string TrimLines(const std::string& s) {
  std::string out;
  size_t b = 0;
  for (;;) {
    const size_t e = s.find('\n', b);
    std::string line = s.substr(b, e == std::string::npos ? std::string::npos : e - b);
    while (!line.empty() && line.back() == ' ') line.pop_back();
    size_t lead = 0;
    while (lead < line.size() && line[lead] == ' ') ++lead;
    if (!out.empty() || lead < line.size()) {
      if (!out.empty()) out += '\n';
      out += line.substr(lead);
    }
    if (e == std::string::npos) break;
    b = e + 1;
  }
  while (!out.empty() && out.back() == '\n') out.pop_back();
  return out;
}

// Reads one page into blocks.
class PageReader {
 public:
  explicit PageReader(std::string path) : path_(std::move(path)) {}

  HelpPage Read(const std::string& html) {
    WalkHtml(
        html, [this](const std::string& text) { OnText(text); },
        [this](const Tag& t) {
          if (t.Closing)
            OnClose(t);
          else
            OnOpen(t);
        });
    EndTable();
    Flush();
    page_.Title = TrimLines(page_.Title);
    return std::move(page_);
  }

 private:
  struct List {
    bool Ordered = false;
    int Count = 0;
  };

  // Where inline text goes: the table cell being read, or the block.
  std::string& Target() { return inCell_ ? cell_ : text_; }

  void OnText(const std::string& raw) {
    if (inTitle_)
      AppendCollapsed(page_.Title, DecodeEntities(raw));
    else if (skip_ == 0)
      AppendCollapsed(Target(), DecodeEntities(raw));
  }

  // Elements whose content is not part of the page's text: the head (but for
  // its title), scripts, styles and the navigation bar.
  bool StartsSkip(const Tag& t) const {
    if (t.Name == "head" || t.Name == "style" || t.Name == "script") return true;
    return (t.Name == "p" || t.Name == "div" || t.Name == "ul") && HasClass(t, "nav");
  }

  void OnOpen(const Tag& t) {
    const std::string& n = t.Name;
    if (skip_ > 0) {
      if (n == skipTag_) ++skip_;
      if (n == "title") {
        inTitle_ = true;
        skipTitle_ = skip_;
      }
      return;
    }
    if (StartsSkip(t)) {
      skip_ = 1;
      skipTag_ = n;
      return;
    }
    if (n == "title") {
      inTitle_ = true;
    } else if (n == "h1" || n == "h2" || n == "h3" || n == "h4" || n == "h5" || n == "h6") {
      StartBlock(n == "h1" ? HelpBlock::Kind::Heading : HelpBlock::Kind::SubHeading);
    } else if (n == "p" || n == "div" || n == "pre" || n == "blockquote") {
      if (!inCell_) StartBlock(lists_.empty() ? HelpBlock::Kind::Text : kind_);
    } else if (n == "br") {
      Target() += inCell_ ? ' ' : '\n';
    } else if (n == "ul" || n == "ol" || n == "dl") {
      StartBlock(HelpBlock::Kind::Text);
      listStart_ = listStart_ || lists_.empty();
      lists_.push_back(List{n == "ol", 0});
    } else if (n == "li" || n == "dt" || n == "dd") {
      StartItem(n);
    } else if (n == "table") {
      StartBlock(HelpBlock::Kind::Text);
      EndTable();
      inTable_ = true;
    } else if (n == "tr" || n == "td" || n == "th") {
      OpenCell(n);
    } else if (n == "img") {
      const std::string alt = TrimLines(Attribute(t.Attrs, "alt"));
      AppendCollapsed(Target(), alt.empty() ? " [picture] " : " [picture: " + alt + "] ");
    } else if (n == "a") {
      AddLink(Attribute(t.Attrs, "href"));
    } else if ((n == "span" || n == "code" || n == "kbd" || n == "tt") && !inTable_) {
      // A command to type, in running text, stands in quotes.
      const bool quoted = n != "span" || HasClass(t, "cmd");
      quotes_.push_back(quoted);
      if (quoted) AppendCollapsed(Target(), "\"");
    }
  }

  void OnClose(const Tag& t) {
    const std::string& n = t.Name;
    if (skip_ > 0) {
      if (n == "title" && inTitle_ && skipTitle_ == skip_) inTitle_ = false;
      if (n == skipTag_) --skip_;
      return;
    }
    if (n == "title") {
      inTitle_ = false;
    } else if (n == "h1" || n == "h2" || n == "h3" || n == "h4" || n == "h5" || n == "h6" || n == "li" || n == "dt" ||
               n == "dd") {
      StartBlock(HelpBlock::Kind::Text);
    } else if (n == "p" || n == "div" || n == "pre" || n == "blockquote") {
      if (!inCell_) StartBlock(kind_);
    } else if (n == "ul" || n == "ol" || n == "dl") {
      StartBlock(HelpBlock::Kind::Text);
      if (!lists_.empty()) lists_.pop_back();
    } else if (n == "td" || n == "th") {
      EndCell();
    } else if (n == "tr") {
      EndRow();
    } else if (n == "table") {
      EndTable();
    } else if ((n == "span" || n == "code" || n == "kbd" || n == "tt") && !inTable_ && !quotes_.empty()) {
      if (quotes_.back()) {
        std::string& s = Target();
        while (!s.empty() && s.back() == ' ') s.pop_back();
        s += '"';
      }
      quotes_.pop_back();
    }
  }

  void StartItem(const std::string& n) {
    StartBlock(HelpBlock::Kind::Item);
    if (lists_.empty()) lists_.push_back(List{});
    List& l = lists_.back();
    level_ = static_cast<int>(lists_.size()) - 1;
    if (n == "dt")
      mark_.clear();
    else if (l.Ordered)
      mark_ = std::to_string(++l.Count) + ".";
    else
      mark_ = n == "dd" ? "" : "*";
    if (n == "dd") ++level_;
  }

  void AddLink(const std::string& href) {
    const std::string target = HelpPathFor(path_, href);
    if (target.empty() || LowerAscii(target) == LowerAscii(path_)) return;
    for (const std::string& l : page_.Links)
      if (LowerAscii(l) == LowerAscii(target)) return;
    page_.Links.push_back(target);
  }

  // Ends the block being read and starts one of the given kind.
  void StartBlock(HelpBlock::Kind kind) {
    Flush();
    kind_ = kind;
  }

  void Flush() {
    const std::string text = TrimLines(text_);
    text_.clear();
    if (text.empty()) return;
    HelpBlock b;
    b.Type = kind_;
    b.Text = text;
    if (kind_ == HelpBlock::Kind::Item) {
      b.Level = level_;
      b.Mark = mark_;
      b.ListStart = listStart_;
      listStart_ = false;
      // Paragraphs after the first of one item go on under its text.
      mark_.clear();
    }
    page_.Blocks.push_back(std::move(b));
  }

  void OpenCell(const std::string& n) {
    if (!inTable_) {  // a cell outside a table: read as a paragraph
      StartBlock(HelpBlock::Kind::Text);
      return;
    }
    EndCell();
    if (n == "tr") {
      EndRow();
      return;
    }
    inCell_ = true;
    allHeads_ = allHeads_ && n == "th";
  }

  void EndCell() {
    if (!inCell_) return;
    row_.push_back(TrimLines(cell_));
    cell_.clear();
    inCell_ = false;
  }

  void EndRow() {
    EndCell();
    if (row_.empty()) {
      allHeads_ = true;
      return;
    }
    if (rows_.empty()) headerRow_ = allHeads_;
    rows_.push_back(std::move(row_));
    row_.clear();
    allHeads_ = true;
  }

  void EndTable() {
    if (!inTable_) return;
    EndRow();
    inTable_ = false;
    if (rows_.empty()) return;
    HelpBlock b;
    b.Type = HelpBlock::Kind::Table;
    b.Rows = std::move(rows_);
    b.HeaderRow = headerRow_;
    rows_.clear();
    page_.Blocks.push_back(std::move(b));
  }

  std::string path_;
  HelpPage page_;
  std::string text_;  // the block being read
  HelpBlock::Kind kind_ = HelpBlock::Kind::Text;
  int level_ = 0;
  std::string mark_;
  std::vector<List> lists_;
  bool listStart_ = false;  // the next item is the first of a list
  std::vector<bool> quotes_;
  int skip_ = 0;  // nesting of the skipped element
  std::string skipTag_;
  int skipTitle_ = 0;
  bool inTitle_ = false;
  bool inTable_ = false, inCell_ = false, allHeads_ = true, headerRow_ = false;
  std::string cell_;
  std::vector<std::string> row_;
  std::vector<std::vector<std::string>> rows_;
};

void AddBlankLine(std::vector<std::string>& lines) {
  if (!lines.empty() && !lines.back().empty()) lines.emplace_back();
}

void AddWrapped(std::vector<std::string>& lines, const std::string& text, int width, int indent) {
  for (const std::string& l : WrapText(text, width, indent)) lines.push_back(l);
}

// Splits a block's text at its line breaks.
std::vector<std::string> Pieces(const std::string& text) {
  std::vector<std::string> out;
  size_t b = 0;
  for (;;) {
    const size_t e = text.find('\n', b);
    out.push_back(text.substr(b, e == std::string::npos ? std::string::npos : e - b));
    if (e == std::string::npos) break;
    b = e + 1;
  }
  return out;
}

void RenderHeading(std::vector<std::string>& lines, const HelpBlock& b, int width, char rule) {
  AddBlankLine(lines);
  int longest = 0;
  for (const std::string& piece : Pieces(b.Text))
    for (const std::string& l : WrapText(piece, width)) {
      longest = std::max(longest, TextColumns(l));
      lines.push_back(l);
    }
  lines.emplace_back(static_cast<size_t>(longest), rule);
}

void RenderItem(std::vector<std::string>& lines, const HelpBlock& b, int width, bool afterItem) {
  if (!afterItem || b.ListStart) AddBlankLine(lines);
  const std::string indent(static_cast<size_t>(ListIndent * (b.Level + 1)), ' ');
  const std::string lead = b.Mark.empty() ? indent : indent + b.Mark + " ";
  const int hang = TextColumns(lead);
  bool first = true;
  for (const std::string& piece : Pieces(b.Text)) {
    const std::string prefix = first ? lead : std::string(static_cast<size_t>(hang), ' ');
    AddWrapped(lines, prefix + piece, width, hang);
    first = false;
  }
}

// Widths for the columns of a table that is wider than `width`: every column
// that needs no more than an equal share of the room keeps its width, the
// others share what is left. Empty when the room is too small.
std::vector<int> FitColumns(const std::vector<int>& natural, int width) {
  const int count = static_cast<int>(natural.size());
  int room = width - ColumnGap * (count - 1);
  if (room < MinColumn * count) return {};
  std::vector<int> cols(natural.size(), 0);
  std::vector<size_t> open;
  for (size_t c = 0; c < natural.size(); ++c) open.push_back(c);
  for (bool settled = true; settled && !open.empty();) {
    settled = false;
    const int share = room / static_cast<int>(open.size());
    for (size_t k = 0; k < open.size(); ++k)
      if (natural[open[k]] <= share) {
        cols[open[k]] = natural[open[k]];
        room -= natural[open[k]];
        open.erase(open.begin() + static_cast<long>(k));
        settled = true;
        break;
      }
  }
  for (size_t k = 0; k < open.size(); ++k) {
    const int left = static_cast<int>(open.size() - k);
    cols[open[k]] = room / left;
    room -= cols[open[k]];
  }
  return cols;
}

// A table whose columns cannot fit side by side: a paragraph a row, cells
// joined by " - ".
void RenderTableAsText(std::vector<std::string>& lines, const HelpBlock& b, int width) {
  for (const auto& row : b.Rows) {
    std::string text;
    for (const std::string& cell : row)
      if (!cell.empty()) text += (text.empty() ? "" : " - ") + cell;
    AddWrapped(lines, text, width, ListIndent);
  }
}

void RenderTable(std::vector<std::string>& lines, const HelpBlock& b, int width) {
  AddBlankLine(lines);
  size_t count = 0;
  for (const auto& row : b.Rows) count = std::max(count, row.size());
  std::vector<int> cols(count, 0);
  for (const auto& row : b.Rows)
    for (size_t c = 0; c < row.size(); ++c) cols[c] = std::max(cols[c], TextColumns(row[c]));
  int total = ColumnGap * (static_cast<int>(count) - 1);
  for (int w : cols) total += w;
  if (width > 0 && total > width) cols = FitColumns(cols, width);
  if (cols.empty()) {
    RenderTableAsText(lines, b, width);
    return;
  }
  std::vector<std::vector<std::string>> rows;  // each row's lines
  bool wrapped = false;
  for (const auto& row : b.Rows) {
    std::vector<std::vector<std::string>> cells(count);
    size_t height = 1;
    for (size_t c = 0; c < count; ++c) {
      cells[c] = WrapText(c < row.size() ? row[c] : std::string(), cols[c]);
      height = std::max(height, cells[c].size());
    }
    wrapped = wrapped || height > 1;
    std::vector<std::string> out(height);
    for (size_t l = 0; l < height; ++l) {
      for (size_t c = 0; c < count; ++c) {
        const std::string s = l < cells[c].size() ? cells[c][l] : std::string();
        if (c > 0) out[l] += std::string(ColumnGap, ' ');
        out[l] += s + std::string(static_cast<size_t>(std::max(0, cols[c] - TextColumns(s))), ' ');
      }
      while (!out[l].empty() && out[l].back() == ' ') out[l].pop_back();
    }
    rows.push_back(std::move(out));
  }
  for (size_t r = 0; r < rows.size(); ++r) {
    // Rows that take several lines each are kept apart by a blank line.
    if (wrapped && r > (b.HeaderRow ? 1u : 0u)) lines.emplace_back();
    for (const std::string& l : rows[r]) lines.push_back(l);
    if (r == 0 && b.HeaderRow) {
      std::string rule;
      for (size_t c = 0; c < count; ++c)
        rule += (c > 0 ? std::string(ColumnGap, ' ') : "") + std::string(static_cast<size_t>(cols[c]), '-');
      lines.push_back(rule);
    }
  }
}

// A choice as it is compared: lower case, blanks trimmed and single.
std::string Normalised(const std::string& s) {
  std::string out;
  AppendCollapsed(out, LowerAscii(s));
  while (!out.empty() && out.back() == ' ') out.pop_back();
  return out;
}

}  // namespace

std::string DecodeEntities(const std::string& text) {
  std::string out;
  size_t i = 0;
  while (i < text.size()) {
    const size_t amp = text.find('&', i);
    if (amp == std::string::npos) {
      out.append(text, i, std::string::npos);
      break;
    }
    out.append(text, i, amp - i);
    const size_t semi = text.find(';', amp + 1);
    std::optional<uint32_t> v;
    if (semi != std::string::npos && semi - amp - 1 <= MaxEntity) v = EntityValue(text.substr(amp + 1, semi - amp - 1));
    if (v) {
      AppendUtf8(out, *v);
      i = semi + 1;
    } else {
      out += '&';
      i = amp + 1;
    }
  }
  return out;
}

std::string HelpPathFor(const std::string& pagePath, const std::string& href) {
  std::string h = href;
  const size_t sep = h.find("::");
  if (sep != std::string::npos) {
    h = h.substr(sep + 2);
  } else {
    const size_t colon = h.find(':');
    if (colon != std::string::npos && h.find('/') > colon) return {};  // another scheme
  }
  h = h.substr(0, h.find_first_of("#?"));
  std::replace(h.begin(), h.end(), '\\', '/');
  if (h.empty()) return {};
  if (h[0] != '/') h = pagePath.substr(0, pagePath.find_last_of('/') + 1) + h;
  std::vector<std::string> parts;
  size_t b = 0;
  while (b <= h.size()) {
    size_t e = h.find('/', b);
    if (e == std::string::npos) e = h.size();
    const std::string part = h.substr(b, e - b);
    if (part == "..") {
      if (!parts.empty()) parts.pop_back();
    } else if (!part.empty() && part != ".") {
      parts.push_back(part);
    }
    b = e + 1;
  }
  std::string out;
  for (const std::string& p : parts) out += "/" + p;
  return out;
}

std::vector<HelpEntry> ParseHelpContents(const std::string& hhc) {
  std::vector<HelpEntry> topics;
  int lists = 0;
  bool inObject = false;
  HelpEntry current;
  WalkHtml(
      hhc, [](const std::string&) {},
      [&](const Tag& t) {
        if (t.Name == "ul") {
          lists += t.Closing ? -1 : 1;
        } else if (t.Name == "object" && !t.Closing) {
          inObject = LowerAscii(Attribute(t.Attrs, "type")) == "text/sitemap";
          current = HelpEntry{};
        } else if (t.Name == "object") {
          if (inObject && !current.File.empty()) {
            current.Depth = std::max(0, lists - 1);
            topics.push_back(current);
          }
          inObject = false;
        } else if (t.Name == "param" && inObject) {
          const std::string name = LowerAscii(Attribute(t.Attrs, "name"));
          const std::string value = Attribute(t.Attrs, "value");
          if (name == "name" && current.Name.empty()) current.Name = TrimLines(value);
          if (name == "local") current.File = HelpPathFor("/", value);
        }
      });
  for (HelpEntry& t : topics)
    if (t.Name.empty()) t.Name = t.File.substr(1);
  return topics;
}

HelpPage ParseHelpPage(const std::string& html, const std::string& pagePath) { return PageReader(pagePath).Read(html); }

std::vector<std::string> RenderHelpPage(const HelpPage& page, int width) {
  std::vector<std::string> lines;
  bool afterItem = false;
  for (const HelpBlock& b : page.Blocks) {
    switch (b.Type) {
      case HelpBlock::Kind::Heading: RenderHeading(lines, b, width, '='); break;
      case HelpBlock::Kind::SubHeading: RenderHeading(lines, b, width, '-'); break;
      case HelpBlock::Kind::Item: RenderItem(lines, b, width, afterItem); break;
      case HelpBlock::Kind::Table: RenderTable(lines, b, width); break;
      case HelpBlock::Kind::Text:
        AddBlankLine(lines);
        for (const std::string& piece : Pieces(b.Text)) AddWrapped(lines, piece, width, 0);
        break;
    }
    afterItem = b.Type == HelpBlock::Kind::Item;
  }
  while (!lines.empty() && lines.back().empty()) lines.pop_back();
  return lines;
}

std::optional<size_t> FindHelpTopic(const std::vector<HelpEntry>& topics, const std::string& choice,
                                    std::vector<std::string>* candidates) {
  if (candidates) candidates->clear();
  const std::string c = Normalised(choice);
  if (c.empty()) return std::nullopt;
  if (std::all_of(c.begin(), c.end(), IsDigit)) {
    const auto n = StrictInt(c);
    if (n && *n >= 1 && static_cast<size_t>(*n) <= topics.size()) return static_cast<size_t>(*n - 1);
    return std::nullopt;
  }
  auto stem = [](const std::string& file) {
    std::string s = LowerAscii(file.substr(file.find_last_of('/') + 1));
    const size_t dot = s.find_last_of('.');
    return std::make_pair(s, dot == std::string::npos ? s : s.substr(0, dot));
  };
  for (size_t i = 0; i < topics.size(); ++i) {
    const auto [file, base] = stem(topics[i].File);
    if (Normalised(topics[i].Name) == c || file == c || base == c) return i;
  }
  // The beginning of a name, with or without its leading "the".
  std::vector<size_t> fits;
  for (size_t i = 0; i < topics.size(); ++i) {
    const std::string name = Normalised(topics[i].Name);
    const std::string bare = name.rfind("the ", 0) == 0 ? name.substr(4) : name;
    if (name.rfind(c, 0) == 0 || bare.rfind(c, 0) == 0) fits.push_back(i);
  }
  if (fits.size() == 1) return fits[0];
  if (candidates)
    for (size_t i : fits) candidates->push_back(topics[i].Name);
  return std::nullopt;
}

std::optional<size_t> TopicOfFile(const std::vector<HelpEntry>& topics, const std::string& file) {
  const std::string f = LowerAscii(file);
  for (size_t i = 0; i < topics.size(); ++i)
    if (LowerAscii(topics[i].File) == f) return i;
  return std::nullopt;
}

}  // namespace glim
