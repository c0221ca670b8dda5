// Plays one command of the real game in the window with reading aloud on,
// through whatever sound output the environment gives (the speech test
// starts a sound server of its own): F12, then COMMAND and Enter, then waits
// until the speaker has said every line or the time is up. Prints the
// lines printed, the number of their words and how long the voice takes to
// say them, for the test to compare with the recording.
// Usage: glimqt_speech GAME_FOLDER COMMAND
#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <cstdio>

#include "app/qt/Desktop.h"
#include "app/qt/Fonts.h"
#include "app/qt/tests/Answerer.h"

int main(int argc, char** argv) {
  if (argc < 3) {
    std::fprintf(stderr, "usage: glimqt_speech GAME_FOLDER COMMAND\n");
    return 2;
  }
  QApplication app(argc, argv);
  QApplication::setQuitOnLastWindowClosed(false);
  glim::QtOptions opts;
  opts.Folder = argv[1];
  if (opts.Folder.back() != '/') opts.Folder += '/';
  glim::LoadGameFonts(QString::fromLocal8Bit(opts.Folder.c_str()));
  glim::testing::Answerer answers;
  glim::Desktop d(opts);
  d.Start();
  QElapsedTimer t;
  t.start();
  while (!(d.game.FirstActivationDone && answers.Splashes == 1) && t.elapsed() < 20000) QTest::qWait(20);
  if (!d.game.FirstActivationDone) {
    std::fprintf(stderr, "the game did not start\n");
    return 1;
  }
  glim::TfrmMain& w = d.frmMain;
  w.ToggleSpeech();
  // Let the notice "Reading aloud on" be said before the command.
  auto* speaker = dynamic_cast<glim::FliteSpeaker*>(w.Speech().Current());
  if (!speaker) return 1;
  t.restart();
  while (speaker->Speaking() && t.elapsed() < 10000) QTest::qWait(20);
  const qsizetype before = w.Print->document()->blockCount();
  w.txtCommand->setText(QString::fromLocal8Bit(argv[2]));
  QTest::keyClick(w.txtCommand, Qt::Key_Return);
  const QStringList lines = w.Print->toPlainText().split('\n').mid(before);
  qsizetype words = 0, samples = 0;
  for (const QString& l : lines) {
    std::printf("line: %s\n", l.toLocal8Bit().constData());
    words += l.split(' ', Qt::SkipEmptyParts).size();
    samples += glim::SynthesizeSpeech(l).size() / 2;
  }
  t.restart();
  while ((speaker->Speaking() || speaker->Waiting() > 0) && t.elapsed() < 60000) QTest::qWait(20);
  QTest::qWait(500);
  std::printf("words: %lld\nvoice seconds: %.2f\nworking: %d\n", static_cast<long long>(words),
              static_cast<double>(samples) / glim::SpeechRate, speaker->Working() ? 1 : 0);
  d.platform.SetClosed();
  return speaker->Working() ? 0 : 1;
}
