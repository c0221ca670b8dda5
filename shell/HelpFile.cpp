// The compiled help file, read with chmlib.
#include "shell/HelpFile.h"

#include <chm_lib.h>

#include "world/Text.h"

namespace glim {

namespace {

// Files larger than this are not read: no page or picture of a help file
// comes near it, and a broken length must not exhaust memory.
constexpr LONGUINT64 MaxObject = 64ull * 1024 * 1024;

// The codes of the #SYSTEM records that name the contents file, the first
// page and the title.
constexpr int SystemContents = 0;
constexpr int SystemDefaultTopic = 2;
constexpr int SystemTitle = 3;
// #SYSTEM starts with a version number of this many bytes.
constexpr size_t SystemHeader = 4;
constexpr int ByteBits = 8;

int CollectPath(struct chmFile*, struct chmUnitInfo* ui, void* ctx) {
  static_cast<std::vector<std::string>*>(ctx)->emplace_back(ui->path);
  return CHM_ENUMERATOR_CONTINUE;
}

bool EndsWithNoCase(const std::string& s, const std::string& end) {
  return s.size() >= end.size() && LowerAscii(s.substr(s.size() - end.size())) == end;
}

// A text record of #SYSTEM: up to its first NUL.
std::string RecordText(const std::string& sys, size_t at, size_t len) {
  std::string s = sys.substr(at, len);
  const size_t nul = s.find('\0');
  if (nul != std::string::npos) s.resize(nul);
  return s;
}

bool ReadObject(::chmFile* h, const std::string& path, std::string& out) {
  chmUnitInfo ui;
  if (chm_resolve_object(h, path.c_str(), &ui) != CHM_RESOLVE_SUCCESS) return false;
  if (ui.length > MaxObject) return false;
  out.assign(static_cast<size_t>(ui.length), '\0');
  if (ui.length == 0) return true;
  const LONGINT64 got =
      chm_retrieve_object(h, &ui, reinterpret_cast<unsigned char*>(out.data()), 0, static_cast<LONGINT64>(ui.length));
  if (got < 0 || static_cast<LONGUINT64>(got) != ui.length) {
    out.clear();
    return false;
  }
  return true;
}

}  // namespace

HelpFile::~HelpFile() {
  if (h_) chm_close(h_);
}

bool HelpFile::Open(const std::string& path) {
  if (h_) chm_close(h_);
  h_ = chm_open(path.c_str());
  title_.clear();
  defaultTopic_.clear();
  contentsFile_.clear();
  contents_.clear();
  if (!h_) return false;
  ReadSystem();
  std::string hhc;
  if (!contentsFile_.empty() && Read(contentsFile_, hhc)) contents_ = ParseHelpContents(hhc);
  // Without a named first page or an index page: the first of the contents,
  // else any page.
  if (defaultTopic_.empty() && !contents_.empty()) defaultTopic_ = Resolve(contents_.front().File);
  if (defaultTopic_.empty())
    for (const std::string& f : Files())
      if (EndsWithNoCase(f, ".htm") || EndsWithNoCase(f, ".html")) {
        defaultTopic_ = f;
        break;
      }
  return true;
}

std::string HelpFile::Resolve(const std::string& path) const {
  if (!h_) return {};
  chmUnitInfo ui;
  if (chm_resolve_object(h_, path.c_str(), &ui) == CHM_RESOLVE_SUCCESS) return path;
  const std::string want = LowerAscii(path);
  for (const std::string& f : Files())
    if (LowerAscii(f) == want) return f;
  return {};
}

bool HelpFile::Read(const std::string& path, std::string& out) const {
  out.clear();
  const std::string real = Resolve(path);
  return !real.empty() && ReadObject(h_, real, out);
}

std::vector<std::string> HelpFile::Files() const {
  std::vector<std::string> list;
  if (h_) chm_enumerate(h_, CHM_ENUMERATE_NORMAL | CHM_ENUMERATE_FILES, CollectPath, &list);
  return list;
}

bool HelpFile::Page(const std::string& path, HelpPage& page) const {
  std::string html;
  if (!Read(path, html)) return false;
  page = ParseHelpPage(html, path);
  return true;
}

void HelpFile::ReadSystem() {
  // The #SYSTEM file: a version, then records of code, length and data.
  std::string sys;
  if (!ReadObject(h_, "/#SYSTEM", sys)) sys.clear();
  size_t at = SystemHeader;
  while (at + SystemHeader <= sys.size()) {
    const auto* p = reinterpret_cast<const unsigned char*>(sys.data()) + at;
    const int code = p[0] | (p[1] << ByteBits);
    const size_t len = static_cast<size_t>(p[2] | (p[3] << ByteBits));
    at += SystemHeader;
    if (at + len > sys.size()) break;
    if (code == SystemContents) contentsFile_ = HelpPathFor("/", RecordText(sys, at, len));
    if (code == SystemDefaultTopic) defaultTopic_ = HelpPathFor("/", RecordText(sys, at, len));
    if (code == SystemTitle) title_ = RecordText(sys, at, len);
    at += len;
  }
  const std::vector<std::string> files = Files();
  if (contentsFile_.empty() || Resolve(contentsFile_).empty()) {
    contentsFile_.clear();
    for (const std::string& f : files)
      if (EndsWithNoCase(f, ".hhc")) {
        contentsFile_ = f;
        break;
      }
  }
  if (!defaultTopic_.empty()) defaultTopic_ = Resolve(defaultTopic_);
  for (const char* name : {"/index.htm", "/index.html", "/default.htm", "/default.html"})
    if (defaultTopic_.empty()) defaultTopic_ = Resolve(name);
}

}  // namespace glim
