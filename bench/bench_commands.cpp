// Each command of the walkthrough on its own, natively, as the window runs
// it: the command through the core, and the scene and carried panel handed
// over as the window's platform does (each picture converted into the
// window's 32-bit pixel format, a copy per picture shown). The browser page
// is compared with these times command by command (bench/web/web_bench.py).
//
// With GLIM_BENCH_COMMANDS_OUT set, each command's times over all
// iterations are summed up there, one line a command: its number, the
// median and the least in microseconds, the command.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchCommon.h"

namespace {

// The text platform with the window's delivery of the pictures.
class WindowLikePlatform : public glim::TextPlatform {
 public:
  using glim::TextPlatform::TextPlatform;
  void ShowScene(const glim::Image& scene) override { Deliver(scene, scene_); }
  void ShowCarried(const glim::Image& panel) override { Deliver(panel, carried_); }

 private:
  // What the window's platform does with a picture: every pixel with its
  // alpha set, into a picture of its own.
  static void Deliver(const glim::Image& img, std::vector<uint32_t>& out) {
    out.resize(img.Px.size());
    for (size_t i = 0; i < img.Px.size(); ++i) out[i] = 0xff000000u | (img.Px[i] & 0x00ffffffu);
    benchmark::DoNotOptimize(out.data());
  }
  std::vector<uint32_t> scene_, carried_;
};

struct WindowSession {
  glimbench::NullBuf buf;
  std::ostream out{&buf};
  WindowLikePlatform platform;
  glim::Game game;
  WindowSession() : platform(out, glimbench::Session::Options(glimbench::DataDir())), game(platform) {
    platform.Begin(game);
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v.empty() ? 0 : v[v.size() / 2];
}

void WriteMedians(const std::vector<std::string>& cmds, const std::vector<std::vector<double>>& times) {
  const char* path = std::getenv("GLIM_BENCH_COMMANDS_OUT");
  if (!path || !*path) return;
  std::ofstream out(path);
  for (size_t i = 0; i < cmds.size(); ++i) {
    const double least = times[i].empty() ? 0 : *std::min_element(times[i].begin(), times[i].end());
    out << i + 1 << '\t' << Median(times[i]) << '\t' << least << '\t' << cmds[i] << '\n';
  }
}

// The walkthrough's commands, each timed alone; the figure is their sum.
void BM_CommandAsWindow(benchmark::State& st) {
  const std::vector<std::string> cmds = glimbench::ReadCommands(glimbench::WalkthroughFile());
  if (cmds.size() < 100) {
    st.SkipWithError("walkthrough not found");
    return;
  }
  static std::vector<std::vector<double>> times;  // microseconds, per command, over all runs
  times.resize(cmds.size());
  for (auto _ : st) {
    st.PauseTiming();
    auto s = std::make_unique<WindowSession>();
    st.ResumeTiming();
    for (size_t i = 0; i < cmds.size(); ++i) {
      const auto t0 = std::chrono::steady_clock::now();
      s->platform.HandleLine(s->game, cmds[i]);
      times[i].push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - t0).count());
    }
    if (!glimbench::EndPlay(st, s)) return;
  }
  st.counters["per_command"] = benchmark::Counter(
      static_cast<double>(cmds.size()), benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
  WriteMedians(cmds, times);
}
BENCHMARK(BM_CommandAsWindow)->Unit(benchmark::kMillisecond);

}  // namespace
