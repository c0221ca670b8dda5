// Transcript tests: each file in tests/transcripts is a session of input
// lines ("> ...") and the exact output they must print, start-up included.
//   # comment            ignored
//   @folder NAME         game folder: tests/fixtures/NAME (or "data" for the shipped game)
//   @notrace             do not print [sound], [clear] and [timer] lines
//   > LINE               input line (a command, or a ':' meta-command)
//   \TEXT                expected output line TEXT (for lines starting with > # @ or \)
//   anything else        expected output line
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "Harness.h"
#include "world/Text.h"

namespace glimtest {
namespace {

struct Transcript {
  std::string folder = "example";
  bool trace = true;
  std::vector<std::string> inputs;
  std::vector<std::string> expected;
};

Transcript Parse(const std::string& path) {
  std::ifstream f(path, std::ios::binary);
  std::stringstream ss;
  ss << f.rdbuf();
  Transcript t;
  for (const std::string& l : glim::SplitLines(ss.str())) {
    if (l.rfind("#", 0) == 0) continue;
    if (l.rfind("@folder ", 0) == 0) {
      t.folder = l.substr(8);
    } else if (l == "@notrace") {
      t.trace = false;
    } else if (l.rfind("> ", 0) == 0 || l == ">") {
      t.inputs.push_back(l.size() > 2 ? l.substr(2) : "");
    } else if (l.rfind("\\", 0) == 0) {
      t.expected.push_back(l.substr(1));
    } else {
      t.expected.push_back(l);
    }
  }
  return t;
}

std::vector<std::string> Files() {
  std::vector<std::string> v;
  for (auto& e : std::filesystem::directory_iterator(TestDir() + "/transcripts"))
    if (e.path().extension() == ".txt") v.push_back(e.path().filename().string());
  std::sort(v.begin(), v.end());
  return v;
}

class TranscriptTest : public ::testing::TestWithParam<std::string> {};

TEST_P(TranscriptTest, PrintsExactly) {
  const Transcript t = Parse(TestDir() + "/transcripts/" + GetParam());
  const std::string folder = t.folder == "data" ? std::string(GLIM_DATA_DIR) + "/" : Fixture(t.folder);
  Harness h(folder, t.trace);
  std::string all = h.Start();
  for (const std::string& in : t.inputs) all += h.Send(in);
  const std::vector<std::string> got = glim::SplitLines(all);
  size_t i = 0;
  for (; i < got.size() && i < t.expected.size(); ++i) {
    if (got[i] != t.expected[i]) break;
  }
  if (i == got.size() && i == t.expected.size()) return;
  std::ostringstream msg;
  msg << "first difference at output line " << i + 1 << "\n";
  for (size_t k = (i > 3 ? i - 3 : 0); k < i; ++k) msg << "  same: " << got[k] << "\n";
  msg << "  expected: " << (i < t.expected.size() ? t.expected[i] : "<end of output>") << "\n";
  msg << "  got:      " << (i < got.size() ? got[i] : "<end of output>") << "\n";
  msg << "--- whole output ---\n" << all;
  ADD_FAILURE() << msg.str();
}

INSTANTIATE_TEST_SUITE_P(All, TranscriptTest, ::testing::ValuesIn(Files()),
                         [](const ::testing::TestParamInfo<std::string>& i) {
                           std::string n = i.param.substr(0, i.param.size() - 4);
                           for (char& c : n)
                             if (!isalnum(static_cast<unsigned char>(c))) c = '_';
                           return n;
                         });

}  // namespace
}  // namespace glimtest
