#include "Harness.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

#include "savegame/SaveFile.h"
#include "shell/GameFolder.h"
#include "world/Text.h"

namespace glimtest {

namespace fs = std::filesystem;

std::string TermProgram() { return glim::ExecutableFolder() + "../glimmerhold-term"; }

std::string TempDir(const std::string& name) {
  const char* base = std::getenv("GLIM_TEST_TMP");
  fs::path dir = fs::path(base ? base : fs::temp_directory_path().string() + "/glimtest") / name;
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir.string() + "/";
}

void WriteText(const std::string& path, const std::string& text) {
  fs::create_directories(fs::path(path).parent_path());
  std::ofstream f(path, std::ios::binary);
  f << text;
}

std::string CopyFixture(const std::string& fixture, const std::string& name) {
  const std::string dir = TempDir(name);
  fs::copy(Fixture(fixture), dir, fs::copy_options::recursive | fs::copy_options::overwrite_existing);
  return dir;
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

int Count(const std::string& text, const std::string& what) {
  int n = 0;
  for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
  return n;
}

std::string Join(const std::vector<std::string>& lines, const char* eol) {
  std::string s;
  for (const std::string& l : lines) s += l + eol;
  return s;
}

std::vector<std::string> Harness::Lines(const std::string& s) const { return glim::SplitLines(s); }

std::vector<WalkStep> ReadWalkthrough(const std::string& path) {
  std::vector<WalkStep> steps;
  std::ifstream in(path);
  std::string line;
  int n = 0;
  const std::string marker = "# expect:";
  while (std::getline(in, line)) {
    ++n;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.rfind(marker, 0) == 0) {
      std::string text = line.substr(marker.size());
      while (!text.empty() && text.front() == ' ') text.erase(0, 1);
      if (!steps.empty()) steps.back().expect.push_back(text);
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    steps.push_back(WalkStep{line, {}, n});
  }
  return steps;
}

std::string WorldDiff(const glim::World& want, const glim::World& got) {
  if (want == got) return "";
  const std::vector<std::string> a = glim::SplitLines(glim::SaveText(want));
  const std::vector<std::string> b = glim::SplitLines(glim::SaveText(got));
  for (size_t i = 0; i < a.size() && i < b.size(); ++i)
    if (a[i] != b[i]) return "saved line " + std::to_string(i) + ": " + a[i] + " -> " + b[i];
  if (a.size() != b.size()) return "saved lines: " + std::to_string(a.size()) + " -> " + std::to_string(b.size());
  return "a field that a saved game does not hold";
}

bool ContainsInOrder(const std::string& haystack, const std::vector<std::string>& needles) {
  size_t pos = 0;
  for (const std::string& n : needles) {
    size_t f = haystack.find(n, pos);
    if (f == std::string::npos) return false;
    pos = f + n.size();
  }
  return true;
}

}  // namespace glimtest
