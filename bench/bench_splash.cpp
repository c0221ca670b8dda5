// Benchmarks of the splash screen's scroll step and of the main window's
// repaint at a zoom factor, with the real windows of the desktop program. Without a display it runs on Qt's
// offscreen platform, which still paints the window into its backing store.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCoreApplication>

#include "app/qt/Desktop.h"
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

// The main window in a window of its game area's size at zoom percent
// `zoom`, a room picture in the view and a panel full of text; not started,
// so no game runs.
struct Window {
  glim::Desktop d;

  explicit Window(double zoom) : d(Options()) {
    QImage room(GameFolder() + QStringLiteral("images/room2.jpg"));
    d.frmMain.imgView->SetPicture(room.convertToFormat(QImage::Format_RGB32));
    for (int i = 0; i < 12; ++i)
      d.frmMain.AppendLine(QStringLiteral("you are in your late master's study. Star charts cover the walls"));
    d.frmMain.show();
    d.frmMain.ToggleFullScreen();  // a window as large as the game area
    d.frmMain.SetZoom(zoom);
    QCoreApplication::processEvents();
  }
  static glim::QtOptions Options() {
    glim::QtOptions o;
    o.Folder = GameFolder().toStdString();
    o.DisplaySwitch = false;
    return o;
  }
};

// The room view repainted: the scene stretched smoothly into the view at
// the factor (100 is the design's own size, 128 fits 1024 x 768, 240 fits
// 2560 x 1440).
void BM_RoomViewRepaint(benchmark::State& st) {
  Window w(st.range(0) / 100.0);
  if (w.d.frmMain.imgView->Picture().isNull()) {
    st.SkipWithError("no room picture");
    return;
  }
  for (auto _ : st) w.d.frmMain.imgView->repaint();
  st.counters["view_width"] = w.d.frmMain.imgView->width();
}
BENCHMARK(BM_RoomViewRepaint)->Arg(100)->Arg(128)->Arg(240)->Unit(benchmark::kMicrosecond);

// The whole game area repainted: view, panel text, captions, buttons.
void BM_GameAreaRepaint(benchmark::State& st) {
  Window w(st.range(0) / 100.0);
  for (auto _ : st) w.d.frmMain.GameArea->repaint();
  st.counters["area_width"] = w.d.frmMain.GameArea->width();
}
BENCHMARK(BM_GameAreaRepaint)->Arg(100)->Arg(128)->Arg(240)->Unit(benchmark::kMicrosecond);

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
