// Benchmarks of the splash screen's scroll step, with the real splash
// window of the desktop program. Without a display it runs on Qt's
// offscreen platform, which still paints the window into its backing store.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>

#include "app/qt/Fonts.h"
#include "app/qt/SplashAbout.h"

namespace {

const QString& GameFolder() {
  static const QString folder = QStringLiteral(GLIM_BENCH_DATA_DIR "/");
  return folder;
}

// A splash activated as at start-up, its timer stopped so that the
// benchmark drives the steps itself.
struct Splash {
  glim::TfrmAbout about;
  glim::TfrmSplash splash{&about};

  explicit Splash(bool visible) {
    splash.SetGameFolder(GameFolder());
    splash.show();  // the activation draws the strip and starts the timer
    QCoreApplication::processEvents();
    splash.tmrScroll.stop();
    if (!visible) splash.hide();
  }
};

// One step on the shown splash: the strip rotated by a pixel, its visible
// part copied into the strip's picture control and that control repainted,
// as the 10 ms timer does it.
void BM_SplashScrollStep(benchmark::State& st) {
  Splash s(true);
  if (s.splash.Strip().isNull()) {
    st.SkipWithError("the splash has no strip");
    return;
  }
  for (auto _ : st) s.splash.tmrScrollTimer();
  st.counters["strip_width"] = s.splash.Strip().width();
}
BENCHMARK(BM_SplashScrollStep)->Unit(benchmark::kMicrosecond);

// The step's own work without the repaint: the rotation of the strip and
// the copy of its visible part.
void BM_SplashScrollStepNoPaint(benchmark::State& st) {
  Splash s(false);
  for (auto _ : st) s.splash.tmrScrollTimer();
  st.counters["strip_width"] = s.splash.Strip().width();
}
BENCHMARK(BM_SplashScrollStepNoPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
  // Without a display the window is drawn offscreen.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
    qputenv("QT_QPA_PLATFORM", "offscreen");
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  QApplication app(argc, argv);
  QApplication::setStyle(QStringLiteral("Fusion"));
  glim::LoadGameFonts(GameFolder());
  QApplication::setFont(glim::SansFont(12));
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
