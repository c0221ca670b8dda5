// Screenshots of the desktop window in its main states, taken of the whole
// X screen with ImageMagick's import. Run under Xvfb:
//
//   xvfb-run -a -s "-screen 0 1024x768x24" glimqt_shots OUTDIR [--compare REFDIR] [--folder DIR]
//
// The pictures are of the test world unless --folder names another game
// folder (to look at the game's own pictures).
// With --window-picture FILE it saves instead a picture of the game area
// alone at its design size after a few commands, for the help pages (run
// it with --folder on the game's own folder).
// With --compare every picture is compared with the one of the same name in
// REFDIR; a picture passes when fewer than 2% of its pixels differ by more
// than a small amount in any colour (fonts may be drawn a shade apart).
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTest>
#include <cstdio>

#include "app/qt/Desktop.h"
#include "app/qt/Fonts.h"
#include "app/qt/tests/Answerer.h"

namespace {

QString g_out;
QStringList g_taken;

void Settle(int ms) {
  QElapsedTimer t;
  t.start();
  while (t.elapsed() < ms) QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

void Shoot(const QString& name) {
  Settle(400);
  const QString file = QDir(g_out).filePath(name + ".png");
  const int rc = QProcess::execute(QStringLiteral("/usr/bin/import"), {"-window", "root", file});
  if (rc != 0) std::fprintf(stderr, "import failed for %s\n", qPrintable(file));
  g_taken << name;
}

bool Compare(const QString& a, const QString& b, double& share) {
  QImage x(a), y(b);
  if (x.isNull() || y.isNull() || x.size() != y.size()) {
    share = 1;
    return false;
  }
  x = x.convertToFormat(QImage::Format_RGB32);
  y = y.convertToFormat(QImage::Format_RGB32);
  long long differing = 0;
  for (int r = 0; r < x.height(); ++r) {
    const auto* p = reinterpret_cast<const QRgb*>(x.constScanLine(r));
    const auto* q = reinterpret_cast<const QRgb*>(y.constScanLine(r));
    for (int c = 0; c < x.width(); ++c) {
      const int d = std::max({std::abs(qRed(p[c]) - qRed(q[c])), std::abs(qGreen(p[c]) - qGreen(q[c])),
                              std::abs(qBlue(p[c]) - qBlue(q[c]))});
      if (d > 48) ++differing;
    }
  }
  share = static_cast<double>(differing) / (static_cast<double>(x.width()) * x.height());
  return share < 0.02;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Glimmerhold"));
  QApplication::setStyle(QStringLiteral("Fusion"));
  QApplication::setQuitOnLastWindowClosed(false);
  const QStringList args = QCoreApplication::arguments();
  if (args.size() < 2) {
    std::fprintf(stderr, "usage: glimqt_shots OUTDIR [--compare REFDIR] [--folder DIR]\n");
    return 2;
  }
  g_out = args[1];
  QDir().mkpath(g_out);
  const int ci = static_cast<int>(args.indexOf(QStringLiteral("--compare")));
  const QString ref = ci > 0 && ci + 1 < args.size() ? args[ci + 1] : QString();

  glim::QtOptions opts;
  opts.Folder = GLIM_QT_FIXTURE "/";
  const int fi = static_cast<int>(args.indexOf(QStringLiteral("--folder")));
  if (fi > 0 && fi + 1 < args.size()) opts.Folder = args[fi + 1].toStdString() + "/";
  opts.DisplaySwitch = false;
  glim::LoadGameFonts(QString::fromStdString(opts.Folder));
  QApplication::setFont(glim::SansFont(12));
  glim::Desktop d(opts);
  glim::testing::Answerer answers;
  answers.Hook = [](QWidget* w) {
    if (auto* sp = qobject_cast<glim::TfrmSplash*>(w)) {
      // A fixed point of the scrolling, whatever the timer managed so far.
      sp->tmrScroll.stop();
      sp->FormActivate();
      sp->tmrScroll.stop();
      for (int i = 0; i < 120; ++i) sp->tmrScrollTimer();
      Shoot(QStringLiteral("splash"));
    } else if (qobject_cast<glim::TfrmAbout*>(w)) {
      Shoot(QStringLiteral("about"));
    } else if (qobject_cast<glim::HelpViewer*>(w)) {
      Shoot(QStringLiteral("help"));
    } else if (auto* box = qobject_cast<QMessageBox*>(w)) {
      if (box->text().startsWith(QStringLiteral("Are you sure"))) Shoot(QStringLiteral("exit"));
    }
    return true;
  };
  d.Start();
  QElapsedTimer t;
  t.start();
  while (!d.game.FirstActivationDone || answers.Splashes == 0) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    if (t.elapsed() > 20000) {
      std::fprintf(stderr, "the game did not start\n");
      return 1;
    }
  }
  Settle(300);
  const int wi = static_cast<int>(args.indexOf(QStringLiteral("--window-picture")));
  if (wi > 0 && wi + 1 < args.size()) {
    d.frmMain.SetZoom(1);
    for (const char* command : {"s", "get book", "examine book"}) {
      d.frmMain.txtCommand->setText(QString::fromLatin1(command));
      QTest::keyClick(d.frmMain.txtCommand, Qt::Key_Return);
      Settle(200);
    }
    d.frmMain.txtCommand->setText(QStringLiteral("read book"));
    d.frmMain.lblStatus->hide();
    Settle(300);
    const bool saved = d.frmMain.GameArea->grab().save(args[wi + 1]);
    d.platform.SetClosed();
    return saved ? 0 : 1;
  }
  d.frmMain.txtCommand->setText(QStringLiteral("look at the hall"));
  Shoot(QStringLiteral("start"));

  // Eight things carried: the panel full.
  for (int k = 5; k <= 12; ++k) d.game.Obj(k).Location = glim::LocCarried;
  d.game.CarriedCount = 8;
  d.game.ShowRoom(false);
  Shoot(QStringLiteral("carried"));

  d.frmMain.AboutBtn->click();
  d.game.ShowHelp();
  d.frmMain.ExitBtn->click();

  int failures = 0;
  if (!ref.isEmpty()) {
    for (const QString& name : g_taken) {
      double share = 0;
      const bool ok = Compare(QDir(g_out).filePath(name + ".png"), QDir(ref).filePath(name + ".png"), share);
      std::printf("%-8s %s (%.2f%% of the pixels differ)\n", qPrintable(name), ok ? "same" : "DIFFERENT", share * 100);
      if (!ok) ++failures;
    }
  }
  const int expected = 6;
  if (g_taken.size() != expected) {
    std::fprintf(stderr, "took %d of %d pictures\n", static_cast<int>(g_taken.size()), expected);
    ++failures;
  }
  return failures == 0 ? 0 : 1;
}
