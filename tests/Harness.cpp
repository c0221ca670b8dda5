#include "Harness.h"

#include <cstdlib>
#include <fstream>
#include <iterator>

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

std::vector<std::string> Harness::Lines(const std::string& s) const { return glim::SplitLines(s); }

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
