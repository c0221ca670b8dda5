// The desktop window on the offscreen platform: every control where the
// layout puts it and as it looks, the command line, the buttons and clicks
// reaching the game, the boxes and dialogs, the timer and pauses, the
// splash's scrolling, the About box, the help viewer, the hidden debugging
// controls and the closing of the window.
#include <sys/stat.h>

#include <QAccessible>
#include <QClipboard>
#include <QElapsedTimer>
#include <QFile>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTreeView>
#include <QTreeWidget>

#include "app/qt/Desktop.h"
#include "app/qt/Fonts.h"
#include "app/qt/HelpViewer.h"
#include "app/qt/Zoom.h"
#include "app/qt/tests/Answerer.h"

using glim::testing::Answerer;

namespace {

const QString Fixture = QStringLiteral(GLIM_QT_FIXTURE "/");

struct TimerSpy : glim::PlatformEvents {
  int Fired = 0;
  void OnEventTimer() override { ++Fired; }
};

}  // namespace

class WindowTest : public QObject {
  Q_OBJECT

 private:
  std::unique_ptr<glim::Desktop> d;
  std::unique_ptr<Answerer> answers;

  glim::TfrmMain& w() { return d->frmMain; }
  QStringList Lines() { return w().Print->toPlainText().split('\n'); }
  // Lines printed since the panel held n lines.
  QStringList LinesAfter(qsizetype n) { return Lines().mid(n); }

  void WaitUntil(const std::function<bool()>& cond, int ms = 5000) {
    QElapsedTimer t;
    t.start();
    while (!cond() && t.elapsed() < ms) QTest::qWait(10);
  }

 private slots:
  void initTestCase() {
    QApplication::setQuitOnLastWindowClosed(false);
    glim::LoadGameFonts(Fixture);
    glim::QtOptions opts;
    opts.Folder = Fixture.toStdString();
    d = std::make_unique<glim::Desktop>(opts);
    answers = std::make_unique<Answerer>();
    d->Start();
    WaitUntil(
        [&] { return d->game.FirstActivationDone && d->game.CurrentRoom == 1 && !w().imgView->Picture().isNull(); });
    QVERIFY(d->game.FirstActivationDone);
    QCOMPARE(answers->Splashes, 1);
    // Off X11 the display mode is left alone without a notice; the music
    // file is there.
    for (const QString& b : answers->Boxes) {
      QVERIFY2(!b.startsWith(QStringLiteral("Glimmerhold would look best")), qPrintable(b));
      QVERIFY2(!b.contains(QStringLiteral("glimmusi")), qPrintable(b));
    }
  }

  // The start-up: the splash once, then room 1 shown on a cleared panel.
  void startsInRoomOne() {
    QCOMPARE(d->game.CurrentRoom, 1);
    QCOMPARE(Lines().first(), QStringLiteral("you are in a bright test hall."));
    QVERIFY(Lines().contains(QStringLiteral("The caveman test is here.")));
    // The scene is the 800 x 500 room picture with the characters and
    // objects on it; the panel is the carried panel's size.
    QCOMPARE(w().imgView->Picture().size(), QSize(800, 500));
    QCOMPARE(w().imgCarried->Picture().size(), QSize(153, 353));
    QVERIFY(w().spbNorth->isEnabled());
    QVERIFY(w().spbEast->isEnabled());
    QVERIFY(!w().spbSouth->isEnabled());
    QVERIFY(!w().spbWest->isEnabled());
    QVERIFY(w().txtCommand->hasFocus() || QApplication::focusWidget() == nullptr ||
            QApplication::focusWidget() == w().txtCommand);
    // A second activation repeats only the maximising.
    const int lines = static_cast<int>(Lines().size());
    d->game.FormActivate();
    QCOMPARE(static_cast<int>(Lines().size()), lines);
    QCOMPARE(answers->Splashes, 1);
  }

  void windowItself() {
    QCOMPARE(w().windowTitle(), QStringLiteral("Glimmerhold"));
    QVERIFY(w().windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w().palette().color(QPalette::Window), QColor(Qt::black));
    QCOMPARE(w().font().family(), glim::SansFamily());
    QCOMPARE(w().font().pixelSize(), 11);
    // Maximised to the screen; the controls keep their places.
    QCOMPARE(w().geometry(), w().screen()->geometry());
    QCOMPARE(w().imgView->geometry(), QRect(0, 0, 600, 375));
  }

  void controlsAtTheirPlaces_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("visible");
    QTest::newRow("imgView") << "imgView" << QRect(0, 0, 600, 375) << ""
                             << "" << true;
    QTest::newRow("Print") << "Print" << QRect(0, 376, 600, 153) << ""
                           << "" << true;
    QTest::newRow("txtCommand") << "txtCommand" << QRect(0, 528, 600, 21) << ""
                                << "" << true;
    QTest::newRow("imgCarried") << "imgCarried" << QRect(624, 24, 153, 353) << ""
                                << "" << true;
    QTest::newRow("lblCarry") << "lblCarry" << QRect(616, 16, 169, 25) << "You are carrying"
                              << "" << true;
    QTest::newRow("Label1") << "Label1" << QRect(640, 0, 124, 22) << "The Wendle Staff"
                            << "" << true;
    QTest::newRow("LoadBtn") << "LoadBtn" << QRect(632, 48, 33, 33) << "Load"
                             << "" << true;
    QTest::newRow("SaveBtn") << "SaveBtn" << QRect(632, 88, 33, 33) << "Save"
                             << "" << true;
    QTest::newRow("NewBtn") << "NewBtn" << QRect(632, 128, 33, 33) << "New"
                            << "" << true;
    QTest::newRow("AboutBtn") << "AboutBtn" << QRect(640, 504, 33, 33) << "About"
                              << "" << true;
    QTest::newRow("ExitBtn") << "ExitBtn" << QRect(736, 504, 33, 33) << "Exit"
                             << "" << true;
    QTest::newRow("spbNorth") << "spbNorth" << QRect(696, 419, 23, 22) << ""
                              << "Move North" << true;
    QTest::newRow("spbSouth") << "spbSouth" << QRect(696, 465, 23, 22) << ""
                              << "Move South" << true;
    QTest::newRow("spbEast") << "spbEast" << QRect(720, 442, 23, 22) << ""
                             << "Move East" << true;
    QTest::newRow("spbWest") << "spbWest" << QRect(672, 442, 23, 22) << ""
                             << "Move West" << true;
    QTest::newRow("spbHelp") << "spbHelp" << QRect(696, 442, 23, 22) << ""
                             << "Help" << true;
    QTest::newRow("lblNorth") << "lblNorth" << QRect(700, 392, 19, 24) << "N"
                              << "" << true;
    QTest::newRow("lblSouth") << "lblSouth" << QRect(700, 489, 11, 24) << "S"
                              << "" << true;
    QTest::newRow("lblEast") << "lblEast" << QRect(744, 440, 13, 24) << "E"
                             << "" << true;
    QTest::newRow("lblWest") << "lblWest" << QRect(648, 442, 22, 24) << "W"
                             << "" << true;
    QTest::newRow("ObjectCheat") << "ObjectCheat" << QRect(760, 392, 21, 21) << "G"
                                 << "" << false;
    QTest::newRow("RoomCheat") << "RoomCheat" << QRect(736, 392, 21, 21) << "R"
                               << "" << false;
  }

  void controlsAtTheirPlaces() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    QFETCH(QString, tip);
    QFETCH(bool, visible);
    auto* c = w().findChild<QWidget*>(name);
    QVERIFY2(c, qPrintable(name));
    QCOMPARE(c->geometry(), geometry);
    QCOMPARE(c->isVisible(), visible);
    if (auto* l = qobject_cast<QLabel*>(c)) QCOMPARE(l->text(), caption);
    if (auto* b = qobject_cast<QAbstractButton*>(c)) QCOMPARE(b->text(), caption);
    QCOMPARE(c->toolTip(), tip);
  }

  void coloursAndFonts() {
    auto checkFont = [](QWidget* c, const QString& family, int px, bool bold, bool italic) {
      QCOMPARE(c->font().family(), family);
      QCOMPARE(c->font().pixelSize(), px);
      QCOMPARE(c->font().bold(), bold);
      QCOMPARE(c->font().italic(), italic);
    };
    const QString script = glim::ScriptFamily();
    QVERIFY(script != glim::SansFamily());
    QCOMPARE(w().Print->palette().color(QPalette::Base), QColor(0, 0, 128));
    QCOMPARE(w().Print->palette().color(QPalette::Text), QColor(255, 255, 0));
    QCOMPARE(w().Print->frameShape(), QFrame::NoFrame);
    QVERIFY(w().Print->isReadOnly());
    // The text face never below its legible size (11 at the design's 800 x
    // 600 would fuse the dot of an i with its stem).
    checkFont(w().Print, glim::SansFamily(), glim::MinTextPixels, false, false);
    QCOMPARE(w().lblCarry->palette().color(QPalette::WindowText), QColor(Qt::white));
    QCOMPARE(w().lblCarry->palette().color(QPalette::Window), QColor(Qt::black));
    QVERIFY(w().lblCarry->autoFillBackground());
    QVERIFY(w().lblCarry->alignment() & Qt::AlignHCenter);
    checkFont(w().lblCarry, script, 19, false, true);
    QCOMPARE(w().Label1->palette().color(QPalette::WindowText), QColor(0, 255, 255));
    checkFont(w().Label1, script, 19, true, false);
    for (QAbstractButton* b : {static_cast<QAbstractButton*>(w().LoadBtn), static_cast<QAbstractButton*>(w().SaveBtn),
                               static_cast<QAbstractButton*>(w().NewBtn), static_cast<QAbstractButton*>(w().AboutBtn),
                               static_cast<QAbstractButton*>(w().ExitBtn)}) {
      QCOMPARE(b->palette().color(QPalette::ButtonText), QColor(255, 255, 0));
      checkFont(b, script, 13, true, false);
    }
    for (QLabel* l : {static_cast<QLabel*>(w().lblNorth), static_cast<QLabel*>(w().lblSouth),
                      static_cast<QLabel*>(w().lblEast), static_cast<QLabel*>(w().lblWest)}) {
      QCOMPARE(l->palette().color(QPalette::WindowText), QColor(Qt::white));
      checkFont(l, script, 21, true, false);
    }
    QVERIFY(w().lblNorth->alignment() & Qt::AlignHCenter);
    // Hand cursors on the pictures and the north button.
    QCOMPARE(w().imgView->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w().imgCarried->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(w().spbNorth->cursor().shape(), Qt::PointingHandCursor);
    // The direction buttons have a picture and a different greyed one.
    for (glim::TSpeedButton* b : {w().spbNorth, w().spbSouth, w().spbEast, w().spbWest, w().spbHelp}) {
      QVERIFY(!b->EnabledPicture().isNull());
      QVERIFY(b->EnabledPicture().toImage() != b->DisabledPicture().toImage());
    }
    // The splash's and the About box's text fields.
    QCOMPARE(d->frmAbout.memAbout->palette().color(QPalette::Base), QColor(0, 0, 128));
    QCOMPARE(d->frmAbout.memAbout->palette().color(QPalette::Text), QColor(255, 255, 0));
    QCOMPARE(d->frmAbout.memAbout->font().pixelSize(), 11);  // 8 points
  }

  void tabOrderAndNames() {
    // The next control Tab reaches from the message panel is the command line.
    QWidget* next = w().Print->nextInFocusChain();
    while (next && (w().Print->isAncestorOf(next) || !(next->focusPolicy() & Qt::TabFocus) || !next->isVisible()))
      next = next->nextInFocusChain();
    QCOMPARE(next, static_cast<QWidget*>(w().txtCommand));
    QCOMPARE(w().Print->accessibleName(), QStringLiteral("Messages"));
    for (QWidget* b : {static_cast<QWidget*>(w().LoadBtn), static_cast<QWidget*>(w().spbNorth)})
      QCOMPARE(b->focusPolicy(), Qt::NoFocus);
  }

  void entryTakesAtMostEightyCharacters() {
    w().txtCommand->clear();
    QTest::keyClicks(w().txtCommand, QString(85, 'x'));
    QCOMPARE(w().txtCommand->text().size(), 80);
    w().txtCommand->clear();
  }

  void enterRunsTheCommandAndClearsTheField() {
    w().txtCommand->setFocus();
    const auto before = Lines().size();
    QTest::keyClicks(w().txtCommand, QStringLiteral("Xyzzy  "));
    QTest::keyClick(w().txtCommand, Qt::Key_Return);
    // The line goes to the game as typed, not trimmed.
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("Xyzzy  "));
    QCOMPARE(w().txtCommand->text(), QString());
    // Enter on an empty field is no command: nothing is printed.
    const auto mid = Lines().size();
    QTest::keyClick(w().txtCommand, Qt::Key_Enter);
    QCOMPARE(Lines().size(), mid);
  }

  void historyWithUpAndDown() {
    w().txtCommand->clear();
    for (const char* c : {"look", "inventory"}) {
      QTest::keyClicks(w().txtCommand, QString::fromLatin1(c));
      QTest::keyClick(w().txtCommand, Qt::Key_Return);
    }
    QTest::keyClicks(w().txtCommand, QStringLiteral("half"));
    QTest::keyClick(w().txtCommand, Qt::Key_Up);
    QCOMPARE(w().txtCommand->text(), QStringLiteral("inventory"));
    QTest::keyClick(w().txtCommand, Qt::Key_Up);
    QCOMPARE(w().txtCommand->text(), QStringLiteral("look"));
    for (int i = 0; i < 5; ++i) QTest::keyClick(w().txtCommand, Qt::Key_Up);  // no further back than the first
    QCOMPARE(w().txtCommand->text(), w().txtCommand->History().first());
    while (w().txtCommand->text() != QStringLiteral("look")) QTest::keyClick(w().txtCommand, Qt::Key_Down);
    QTest::keyClick(w().txtCommand, Qt::Key_Down);
    QCOMPARE(w().txtCommand->text(), QStringLiteral("inventory"));
    QTest::keyClick(w().txtCommand, Qt::Key_Down);
    QCOMPARE(w().txtCommand->text(), QStringLiteral("half"));  // the line being typed
    QTest::keyClick(w().txtCommand, Qt::Key_Down);
    QCOMPARE(w().txtCommand->text(), QStringLiteral("half"));
    w().txtCommand->clear();
  }

  void directionButtonsMoveAndDiscardTheTypedText() {
    QTest::keyClicks(w().txtCommand, QStringLiteral("half typed"));
    auto before = Lines().size();
    QTest::mouseClick(w().spbEast, Qt::LeftButton);
    QCOMPARE(w().txtCommand->text(), QString());
    QCOMPARE(d->game.CurrentRoom, 2);
    QVERIFY(LinesAfter(before).contains(QStringLiteral("e")));
    QVERIFY(LinesAfter(before).contains(QStringLiteral("you are in test room 2.")));
    // Room 2 leads only west.
    QVERIFY(!w().spbNorth->isEnabled());
    QVERIFY(!w().spbEast->isEnabled());
    QVERIFY(w().spbWest->isEnabled());
    // A disabled button does nothing.
    before = Lines().size();
    QTest::mouseClick(w().spbNorth, Qt::LeftButton);
    QCOMPARE(Lines().size(), before);
    QTest::mouseClick(w().spbWest, Qt::LeftButton);
    QCOMPARE(d->game.CurrentRoom, 1);
    before = Lines().size();
    QTest::mouseClick(w().spbHelp, Qt::LeftButton);
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("help"));
  }

  // The view shows the 800 x 500 picture in 600 x 375: a release is taken
  // in picture pixels. The book lies at (280, 300); the hit test moves the
  // click 10 pixels down.
  void clickOnTheViewTakesTheObject() {
    QCOMPARE(d->game.Obj(1).X, 280);
    // Control (100, 100) is picture (133, 133): nothing there.
    auto before = Lines().size();
    QTest::mouseClick(w().imgView, Qt::LeftButton, {}, QPoint(100, 100));
    QCOMPARE(Lines().size(), before);
    // Control (218, 229) is picture (290, 305): the book, with any button.
    QTest::mouseClick(w().imgView, Qt::RightButton, {}, QPoint(218, 229));
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("get book"));
    QVERIFY(d->game.IsCarried(1));
    QCOMPARE(w().txtCommand->text(), QString());
  }

  void clickOnThePanelDropsTheObject() {
    QVERIFY(d->game.IsCarried(1));
    QCOMPARE(d->game.Obj(1).Y, 40);
    auto before = Lines().size();
    // Only the left button drops; the band is 70 < x < 102.
    QTest::mouseClick(w().imgCarried, Qt::RightButton, {}, QPoint(80, 50));
    QTest::mouseClick(w().imgCarried, Qt::LeftButton, {}, QPoint(70, 50));
    QCOMPARE(Lines().size(), before);
    QTest::mouseClick(w().imgCarried, Qt::LeftButton, {}, QPoint(80, 50));
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("drop book"));
    QVERIFY(!d->game.IsCarried(1));
  }

  void boxesCarryTheTitle() {
    answers->Boxes.clear();
    answers->Titles.clear();
    d->platform.MessageBox("first\r\nsecond");
    d->platform.ErrorBox("broken");
    answers->Confirms.push_back(true);
    QVERIFY(d->platform.ConfirmBox("sure?"));
    QVERIFY(!d->platform.ConfirmBox("sure again?"));  // no answer queued: No
    QCOMPARE(answers->Boxes, QStringList({"first\nsecond", "broken", "?sure?", "?sure again?"}));
    for (const QString& t : answers->Titles) QCOMPARE(t, QStringLiteral("Glimmerhold"));
    // An input box gives its default when cancelled.
    QCOMPARE(d->platform.InputBox("Room Jump", "New Room", "1"), std::string("1"));
    answers->Inputs.push_back(QStringLiteral("36"));
    QCOMPARE(d->platform.InputBox("Room Jump", "New Room", "1"), std::string("36"));
    QCOMPARE(answers->Titles.back(), QStringLiteral("Room Jump"));
    QCOMPARE(answers->Boxes.back(), QStringLiteral("New Room"));
  }

  void confirmationIsAWarningWithNoAsDefault() {
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QString def;
    bool seen = false;
    answers->Hook = [&](QWidget* m) {
      if (auto* b = qobject_cast<QMessageBox*>(m)) {
        icon = b->icon();
        def = b->defaultButton() ? b->defaultButton()->text().remove('&') : QString();
        seen = true;
      }
      return true;
    };
    d->platform.ConfirmBox("quit?");
    answers->Hook = nullptr;
    QVERIFY(seen);
    QCOMPARE(icon, QMessageBox::Warning);
    QCOMPARE(def, QStringLiteral("No"));
  }

  void fileDialogs() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    glim::FileDialogSpec spec{"Save Current Game", "Saved Brimel Game|*.gam", "gam", dir.path().toStdString() + "/"};
    QString title, directory, suffix;
    QStringList filters;
    bool confirms = false;
    QFileDialog::AcceptMode mode = QFileDialog::AcceptOpen;
    answers->Hook = [&](QWidget* m) {
      if (auto* f = qobject_cast<QFileDialog*>(m)) {
        title = f->windowTitle();
        directory = f->directory().absolutePath();
        suffix = f->defaultSuffix();
        filters = f->nameFilters();
        confirms = !f->testOption(QFileDialog::DontConfirmOverwrite);
        mode = f->acceptMode();
      }
      return true;
    };
    // Saving: the name gets the default extension.
    answers->Files.push_back(dir.filePath("mygame"));
    auto saved = d->platform.SaveFileDialog(spec);
    QVERIFY(saved.has_value());
    QCOMPARE(QString::fromStdString(*saved), dir.filePath("mygame.gam"));
    QCOMPARE(title, QStringLiteral("Save Current Game"));
    QCOMPARE(directory, QDir(dir.path()).absolutePath());
    QCOMPARE(suffix, QStringLiteral("gam"));
    QCOMPARE(filters, QStringList({"Saved Brimel Game (*.gam)"}));
    QCOMPARE(mode, QFileDialog::AcceptSave);
    QVERIFY(confirms);
    // Replacing an existing file asks first; No keeps the dialog open, and
    // cancelling it then gives nothing.
    QFile existing(dir.filePath("old.gam"));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    existing.close();
    answers->Boxes.clear();
    answers->Files.push_back(dir.filePath("old.gam"));
    answers->Confirms.push_back(false);
    QVERIFY(!d->platform.SaveFileDialog(spec).has_value());
    QCOMPARE(answers->Boxes.size(), 1);
    QVERIFY(answers->Boxes[0].startsWith('?'));
    // Loading.
    spec.Title = "Load a game";
    answers->Files.push_back(dir.filePath("old.gam"));
    auto loaded = d->platform.OpenFileDialog(spec);
    QVERIFY(loaded.has_value());
    QCOMPARE(QString::fromStdString(*loaded), dir.filePath("old.gam"));
    QCOMPARE(title, QStringLiteral("Load a game"));
    QCOMPARE(mode, QFileDialog::AcceptOpen);
    QVERIFY(!d->platform.OpenFileDialog(spec).has_value());  // cancelled
    answers->Hook = nullptr;
  }

  void eventTimerIsOneCountdown() {
    TimerSpy spy;
    d->platform.SetEvents(&spy);
    d->platform.StartTimer(30);
    d->platform.StartTimer(60);  // restarts, does not add a second expiry
    QTest::qWait(300);
    QCOMPARE(spy.Fired, 1);
    d->platform.StartTimer(30);
    d->platform.StopTimer();
    QTest::qWait(100);
    QCOMPARE(spy.Fired, 1);
    d->platform.SetEvents(&d->game);
  }

  // A pause handles events (here the event timer) while it waits and lasts
  // at least its time; a pause of 0 handles what is pending once.
  void waitSecondsKeepsTheWindowAlive() {
    TimerSpy spy;
    d->platform.SetEvents(&spy);
    d->platform.StartTimer(100);
    QElapsedTimer t;
    t.start();
    d->platform.WaitSeconds(1);
    QVERIFY(t.elapsed() >= 1000);
    QCOMPARE(spy.Fired, 1);
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    d->platform.WaitSeconds(0);
    QVERIFY(ran);
    d->platform.SetEvents(&d->game);
  }

  void splashScrollsAndWraps() {
    glim::TfrmAbout about;
    glim::TfrmSplash splash(&about);
    splash.SetGameFolder(Fixture);
    splash.show();  // its activation prepares the strip and starts scrolling
    QVERIFY(splash.tmrScroll.isActive());
    QCOMPARE(splash.tmrScroll.interval(), 10);
    splash.tmrScroll.stop();
    // The About box got the same text, line breaks and all.
    QCOMPARE(about.memAbout->toPlainText(), splash.Memo1->toPlainText());
    QCOMPARE(about.memAbout->toPlainText().split('\n').value(2),
             QStringLiteral("Trolls do not like having their photo taken."));
    QVERIFY(!splash.Memo1->isVisible());
    const QImage start = splash.Strip();
    QCOMPARE(start.height(), 33);
    QVERIFY(start.width() >= 761);
    // The whole text fits on the strip.
    QVERIFY(start.width() >= QFontMetrics(glim::ArialFont(16)).horizontalAdvance(splash.ScrollText()));
    QCOMPARE(splash.imgScroll->Picture(), start.copy(0, 0, 761, 33));
    splash.tmrScrollTimer();
    const QImage one = splash.Strip();
    QCOMPARE(one.copy(0, 0, one.width() - 1, 33), start.copy(1, 0, start.width() - 1, 33));
    QCOMPARE(one.copy(one.width() - 1, 0, 1, 33), start.copy(0, 0, 1, 33));
    QCOMPARE(splash.imgScroll->Picture(), one.copy(0, 0, 761, 33));
    for (int i = 1; i < start.width(); ++i) splash.tmrScrollTimer();
    QCOMPARE(splash.Strip(), start);
    splash.hide();
  }

  void splashGoesOnWithEscapeOrTheButton() {
    glim::TfrmSplash splash(nullptr);
    splash.SetGameFolder(Fixture);
    QCOMPARE(splash.cmdDone->text(), QStringLiteral("Click to Continue"));
    QCOMPARE(splash.cmdDone->geometry(), QRect(328, 408, 129, 25));
    QCOMPARE(splash.imgScroll->geometry(), QRect(16, 480, 761, 33));
    QCOMPARE(splash.size(), QSize(792, 532));
    QVERIFY(splash.windowFlags() & Qt::FramelessWindowHint);
    answers->LeaveSplash = true;
    QTimer::singleShot(100, [&] { QTest::keyClick(&splash, Qt::Key_Escape); });
    splash.RunModal();
    answers->LeaveSplash = false;
    QCOMPARE(splash.result(), int(QDialog::Accepted));
    QVERIFY(!splash.isVisible());
    QVERIFY(!splash.tmrScroll.isActive());
  }

  void aboutBox() {
    glim::TfrmAbout& a = d->frmAbout;
    QCOMPARE(a.windowTitle(), QStringLiteral("About Glimmerhold"));
    QCOMPARE(a.size(), QSize(399, 532));
    QCOMPARE(a.imgSplash->geometry(), QRect(-2, 0, 400, 300));
    QCOMPARE(a.memAbout->geometry(), QRect(0, 304, 401, 193));
    QCOMPARE(a.cmdOK->geometry(), QRect(162, 504, 75, 25));
    QCOMPARE(a.cmdOK->text(), QStringLiteral("OK"));
    QVERIFY(a.memAbout->isReadOnly());
    QCOMPARE(a.memAbout->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QVERIFY(a.memAbout->toPlainText().contains(QStringLiteral("photo taken")));
    QVERIFY(!a.imgSplash->Picture().isNull());
    const int before = answers->Abouts;
    QTest::mouseClick(w().AboutBtn, Qt::LeftButton);
    QCOMPARE(answers->Abouts, before + 1);
  }

  void titlePictureHasAStandIn() {
    QTemporaryDir empty;
    const QImage pic = glim::TitlePicture(empty.path() + "/");
    QCOMPARE(pic.size(), QSize(800, 600));
    // The text lives only in the game folder's credits.txt: the shipped one
    // holds the title and the troll hint the cat refers to.
    QVERIFY(glim::GameText(empty.path() + "/").isEmpty());
    const QStringList shipped = glim::GameText(QStringLiteral(GLIM_DATA_DIR));
    QCOMPARE(shipped.value(0), QStringLiteral("Glimmerhold - The Wendle Staff"));
    QVERIFY(shipped.join(' ').contains(QStringLiteral("photo taken")));
  }

  void helpViewer() {
    QCOMPARE(d->platform.ShowHelpFile("/nonexistent/glimhelp.chm"), std::string("Process file does not exist"));
    QString page, title;
    int topics = 0, children = 0;
    bool picture = false;
    answers->Hook = [&](QWidget* m) {
      if (auto* h = qobject_cast<glim::HelpViewer*>(m)) {
        page = h->Browser()->toPlainText();
        title = h->windowTitle();
        topics = h->Contents()->topLevelItemCount();
        children = topics ? h->Contents()->topLevelItem(0)->childCount() : 0;
        picture = !h->Browser()->loadResource(QTextDocument::ImageResource, QUrl("pic.png")).value<QImage>().isNull();
        // A link leads to the next page.
        h->ShowPage(QStringLiteral("page2.htm"));
        page += "|" + h->Browser()->toPlainText();
      }
      return true;
    };
    const auto before = Lines().size();
    QTest::mouseClick(w().spbHelp, Qt::LeftButton);
    answers->Hook = nullptr;
    QCOMPARE(LinesAfter(before).value(1), QStringLiteral("Help activation"));
    QVERIFY2(page.contains(QStringLiteral("Test help")), qPrintable(page));
    QVERIFY(page.contains(QStringLiteral("|Second page")));
    QCOMPARE(title, QStringLiteral("Test Help"));
    QCOMPARE(topics, 1);
    QCOMPARE(children, 1);
    QVERIFY(picture);
    // A file that is not a help file is reported, not shown.
    QTemporaryDir dir;
    QFile bad(dir.filePath("glimhelp.chm"));
    QVERIFY(bad.open(QIODevice::WriteOnly));
    bad.write("this is not a compiled help file");
    bad.close();
    answers->Boxes.clear();
    QVERIFY(d->platform.ShowHelpFile(bad.fileName().toStdString()) != "OK");
    QCOMPARE(answers->Boxes.size(), 1);
  }

  // The help window follows its own links: relative ones, chm: ones and
  // anchors; only http and https go outside. The contents list follows the
  // page shown, also back and forward.
  void helpLinksAndContents() {
    glim::HelpViewer game(&w());
    QVERIFY(game.Open(QStringLiteral(GLIM_DATA_DIR "glimhelp.chm")));
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    glim::HelpBrowser* b = game.Browser();
    QCOMPARE(b->source().path(), QStringLiteral("/index.html"));
    emit b->anchorClicked(QUrl(QStringLiteral("commands.html")));
    QCOMPARE(b->source().path(), QStringLiteral("/commands.html"));
    QVERIFY(game.Contents()->currentItem());
    QCOMPARE(game.Contents()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("/commands.html"));
    emit b->anchorClicked(QUrl(QStringLiteral("chm:/hints.html")));
    QCOMPARE(b->source().path(), QStringLiteral("/hints.html"));
    // The last hint is a line of its own beside its bullet, with nothing
    // after it that could push it down.
    QVERIFY(b->toPlainText().endsWith(QStringLiteral("\nSave often.")));
    QCOMPARE(glim::TrimPageEnd(QStringLiteral("<ul><li>x</li>\n</ul>\n</body>\n</html>\n")),
             QStringLiteral("<ul><li>x</li>\n</ul></body></html>"));
    QCOMPARE(glim::TrimPageEnd(QStringLiteral("<p>a b</p>")), QStringLiteral("<p>a b</p>"));
    emit b->anchorClicked(QUrl(QStringLiteral("#top")));
    QCOMPARE(b->source().path(), QStringLiteral("/hints.html"));
    emit b->anchorClicked(QUrl(QStringLiteral("glimhelp.chm::/saving.html")));
    QCOMPARE(b->source().path(), QStringLiteral("/saving.html"));
    game.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game));
    b->setFocus();
    // The Back button's key presses it as a click would, a moment later.
    QTest::keyClick(b, Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE(b->source().path(), QStringLiteral("/hints.html"));
    QCOMPARE(game.Contents()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("/hints.html"));
    QTest::keyClick(b, Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE(b->source().fragment(), QString());
    QTest::keyClick(b, Qt::Key_Left, Qt::AltModifier);
    QTRY_COMPARE(b->source().path(), QStringLiteral("/commands.html"));
    QCOMPARE(game.Contents()->currentItem()->data(0, Qt::UserRole).toString(), QStringLiteral("/commands.html"));
    // Other schemes stay where they are.
    emit b->anchorClicked(QUrl(QStringLiteral("file:///etc/passwd")));
    emit b->anchorClicked(QUrl(QStringLiteral("javascript:alert(1)")));
    QCOMPARE(b->source().path(), QStringLiteral("/commands.html"));
    QCOMPARE(glim::KindOfLink(QUrl(QStringLiteral("https://example.org/"))), glim::LinkKind::Outside);
    QCOMPARE(glim::KindOfLink(QUrl(QStringLiteral("http://example.org/"))), glim::LinkKind::Outside);
    QCOMPARE(glim::KindOfLink(QUrl(QStringLiteral("chm:/index.html"))), glim::LinkKind::Help);
    QCOMPARE(glim::KindOfLink(QUrl(QStringLiteral("file:///etc/passwd"))), glim::LinkKind::Nowhere);
    QCOMPARE(glim::KindOfLink(QUrl(QStringLiteral("mailto:a@b"))), glim::LinkKind::Nowhere);
    game.hide();
  }

  // The help's pages at a zoom: their style sizes and pictures that many
  // times larger; Ctrl+Plus and Ctrl+Minus in the help change it.
  void helpZooms() {
    QCOMPARE(glim::ZoomPage(
                 QStringLiteral("<style>body { font-size: 10pt; margin: 12px; }</style>"
                                "<p style=\"font-size: 9pt\">12 px</p><img src=\"a.png\" width=\"23\" height=\"22\">"),
                 2),
             QStringLiteral("<style>body { font-size: 20pt; margin: 24px; }</style>"
                            "<p style=\"font-size: 18pt\">12 px</p><img src=\"a.png\" width=\"46\" height=\"44\">"));
    QCOMPARE(glim::ZoomPage(QStringLiteral("h1 { font-size: 16pt }"), 1.5), QStringLiteral("h1 { font-size: 24pt }"));
    glim::HelpViewer game(&w());
    QVERIFY(game.Open(QStringLiteral(GLIM_DATA_DIR "glimhelp.chm")));
    game.SetZoom(2);
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    game.ShowPage(QStringLiteral("/hints.html"));
    QTest::qWait(20);
    auto bodySize = [&] {
      QTextCursor c(game.Browser()->document()->lastBlock());
      return QFontInfo(c.charFormat().font()).pixelSize();
    };
    const int atTwo = bodySize();
    QVERIFY2(atTwo >= 24, qPrintable(QString::number(atTwo)));  // 10 points is 13 pixels at 1
    game.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&game));
    QTest::keyClick(&game, Qt::Key_Plus, Qt::ControlModifier);
    QCOMPARE(game.Browser()->Zoom(), 2.25);
    QVERIFY(bodySize() > atTwo);
    QTest::keyClick(&game, Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&game, Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(game.Browser()->Zoom(), 1.75);
    QTest::keyClick(&game, Qt::Key_0, Qt::ControlModifier);
    QCOMPARE(game.Browser()->Zoom(), 2.0);
    // Every page fits the window's width at the zoom too.
    for (QTreeWidgetItemIterator page(game.Contents()); *page; ++page) {
      game.ShowPage((*page)->data(0, Qt::UserRole).toString());
      QTest::qWait(20);
      QVERIFY2(!game.Browser()->horizontalScrollBar()->isVisible(), qPrintable((*page)->text(0)));
    }
    game.hide();
  }

  void contentsParsing() {
    const QByteArray hhc =
        "<HTML><BODY><OBJECT type=\"text/site properties\"><param name=\"X\" value=\"y\"></OBJECT>"
        "<UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"One\"><param name=\"Local\" "
        "value=\"one.htm\"></OBJECT><UL><LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"One A\">"
        "<param name=\"Local\" value=\"sub\\a.htm#part\"></OBJECT></UL>"
        "<LI><OBJECT type=\"text/sitemap\"><param name=\"Name\" value=\"Two\"><param name=\"Local\" "
        "value=\"two.htm\"></OBJECT></UL></BODY></HTML>";
    const auto t = glim::ParseContents(hhc);
    QCOMPARE(t.size(), size_t(2));
    QCOMPARE(t[0].Name, QStringLiteral("One"));
    QCOMPARE(t[0].Children.size(), size_t(1));
    QCOMPARE(t[0].Children[0].Local, QStringLiteral("sub\\a.htm#part"));
    QCOMPARE(t[1].Name, QStringLiteral("Two"));
    QVERIFY(t[1].Children.empty());
  }

  void textConversions() {
    QCOMPARE(glim::DialogFilter("Saved Brimel Game|*.gam"), QStringLiteral("Saved Brimel Game (*.gam)"));
    QCOMPARE(glim::DialogFilter("A|*.a|B|*.b;*.c"), QStringLiteral("A (*.a);;B (*.b *.c)"));
    QCOMPARE(glim::BoxText("a\r\nb\rc"), QStringLiteral("a\nb\nc"));
    QCOMPARE(glim::FromGame("caf\xe9"), QStringLiteral("caf\u00e9"));      // Latin-1
    QCOMPARE(glim::FromGame("caf\xc3\xa9"), QStringLiteral("caf\u00e9"));  // UTF-8
    QCOMPARE(glim::ToGame(QStringLiteral("caf\u00e9")), std::string("caf\xe9"));
    glim::Image img(2, 1);
    img.At(0, 0) = 0x123456;
    QCOMPARE(glim::ToQImage(img).pixel(0, 0), qRgb(0x12, 0x34, 0x56));
  }

  void debuggingControlsByShortcut() {
    QVERIFY(!w().RoomCheat->isVisible());
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    answers->Inputs.push_back(QStringLiteral("3"));
    answers->Titles.clear();
    QTest::keyClick(&w(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(answers->Titles.value(0), QStringLiteral("Room Jump"));
    QCOMPARE(d->game.CurrentRoom, 3);
    QCOMPARE(Lines().first(), QStringLiteral("you are in test room 3."));
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    answers->Inputs.push_back(QStringLiteral("7"));
    answers->Titles.clear();
    QTest::keyClick(&w(), Qt::Key_G, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(answers->Titles.value(0), QStringLiteral("Pick up object"));
    QVERIFY(d->game.IsCarried(7));
    QVERIFY(!w().ObjectCheat->isVisible());
  }

  // A click in the message panel gives it the keyboard; what is typed then
  // goes into the command line, and Enter runs it. Ctrl+C still copies the
  // panel's selection.
  void typingAfterAClickInThePanelRunsTheCommand() {
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    w().txtCommand->clear();
    QTest::mouseClick(w().Print->viewport(), Qt::LeftButton, {}, QPoint(40, 20));
    w().Print->setFocus(Qt::MouseFocusReason);
    QVERIFY(w().Print->hasFocus() || QApplication::focusWidget() == w().Print);
    const auto before = Lines().size();
    QTest::keyClicks(w().Print, QStringLiteral("look"));
    QCOMPARE(w().txtCommand->text(), QStringLiteral("look"));
    QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(w().txtCommand));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    // "look" shows the room again on a cleared panel.
    QCOMPARE(w().txtCommand->History().last(), QStringLiteral("look"));
    QVERIFY(Lines().size() < before || LinesAfter(before).value(0) == QStringLiteral("look"));
    QVERIFY(Lines().first().startsWith(QStringLiteral("you are in")));
    QCOMPARE(w().txtCommand->text(), QString());
    // Enter typed in the panel runs the command line too.
    w().Print->setFocus(Qt::MouseFocusReason);
    QTest::keyClicks(w().Print, QStringLiteral("i"));
    const auto mid = Lines().size();
    QTest::keyClick(w().Print, Qt::Key_Return);
    QCOMPARE(LinesAfter(mid).value(0), QStringLiteral("i"));
    // Selecting and copying stay with the panel.
    w().Print->setFocus(Qt::MouseFocusReason);
    w().Print->selectAll();
    QApplication::clipboard()->clear();
    QTest::keyClick(w().Print, Qt::Key_C, Qt::ControlModifier);
    QVERIFY(QApplication::clipboard()->text().contains(QStringLiteral("you are in")));
    QCOMPARE(w().txtCommand->text(), QString());
  }

  // At a zoom every control stands at its design place times the factor,
  // with its font that many times larger; clicks still reach the hit tests
  // in picture coordinates. Ctrl+0 goes back to the factor that fits.
  void zoomKeepsTheDesignAndTheClicks() {
    w().SetZoom(2);
    QCOMPARE(w().Zoom(), 2.0);
    QVERIFY(!w().ZoomFits());
    QCOMPARE(w().GameArea->size(), QSize(1600, 1200));
    QCOMPARE(w().imgView->geometry(), QRect(0, 0, 1200, 750));
    QCOMPARE(w().txtCommand->geometry(), QRect(0, 1056, 1200, 42));
    QCOMPARE(w().spbHelp->geometry(), QRect(1392, 884, 46, 44));
    QCOMPARE(w().Print->font().pixelSize(), 22);
    QCOMPARE(w().lblCarry->font().pixelSize(), 38);
    QCOMPARE(w().LoadBtn->font().pixelSize(), 26);
    QVERIFY(w().lblStatus->isVisible());
    QVERIFY(w().lblStatus->text().contains(QStringLiteral("200%")));
    // The book in the 800 x 500 picture of room 1, shown in the 600 x 375
    // view at twice: control = picture * 1.5.
    d->game.CurrentRoom = 1;
    d->game.Obj(1).Location = 1;
    d->game.ShowRoom(true);
    const QPoint book(d->game.Obj(1).X + 10, d->game.Obj(1).Y + 5);
    auto before = Lines().size();
    QTest::mouseClick(w().imgView, Qt::LeftButton, {}, book * 1.5);
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("get book"));
    QVERIFY(d->game.IsCarried(1));
    // The carried panel's band 70 < x < 102 is 140 < x < 204 at twice.
    const int y = 2 * (d->game.Obj(1).Y + 15);
    before = Lines().size();
    QTest::mouseClick(w().imgCarried, Qt::LeftButton, {}, QPoint(138, y));
    QCOMPARE(Lines().size(), before);
    QTest::mouseClick(w().imgCarried, Qt::LeftButton, {}, QPoint(160, y));
    QCOMPARE(LinesAfter(before).value(0), QStringLiteral("drop book"));
    // Ctrl+Minus steps down; the keys never go below 1.
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(&w(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w().Zoom(), 1.75);
    for (int i = 0; i < 6; ++i) QTest::keyClick(&w(), Qt::Key_Minus, Qt::ControlModifier);
    QCOMPARE(w().Zoom(), 1.0);
    QTest::keyClick(&w(), Qt::Key_0, Qt::ControlModifier);
    QVERIFY(w().ZoomFits());
    QCOMPARE(w().Zoom(), glim::FitZoom(w().size()));
    QCOMPARE(w().imgView->geometry(), QRect(0, 0, 600, 375));
    QCOMPARE(w().Print->font().pixelSize(), glim::MinTextPixels);
  }

  // After zooming out and back the newest line is whole and in view.
  void zoomKeepsTheNewestLineInView() {
    for (int i = 0; i < 40; ++i) w().AppendLine(QStringLiteral("line %1 of a long answer").arg(i));
    w().AppendLine(QStringLiteral("the newest line"));
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    for (int i = 0; i < 3; ++i) QTest::keyClick(&w(), Qt::Key_Minus, Qt::ControlModifier);
    QTest::keyClick(&w(), Qt::Key_0, Qt::ControlModifier);
    QTest::qWait(50);
    QPlainTextEdit* p = w().Print;
    const QTextBlock last = p->document()->lastBlock();
    QCOMPARE(last.text(), QStringLiteral("the newest line"));
    QVERIFY(p->verticalScrollBar()->maximum() > 0);
    QCOMPARE(p->verticalScrollBar()->value(), p->verticalScrollBar()->maximum());
    const QPoint bottomLeft(4, p->viewport()->height() - 2);
    const QTextCursor atBottom = p->cursorForPosition(bottomLeft);
    QCOMPARE(atBottom.block().text(), QStringLiteral("the newest line"));
    // Whole: the line's box ends inside the panel.
    QTextCursor end(last);
    end.movePosition(QTextCursor::EndOfBlock);
    const QRect box = p->cursorRect(end);
    QVERIFY2(box.bottom() < p->viewport()->height(),
             qPrintable(QStringLiteral("%1 >= %2").arg(box.bottom()).arg(p->viewport()->height())));
  }

  // Closing the window by its frame or Alt+F4 asks the Exit button's
  // question; No keeps the game. Ctrl+Q asks the same.
  void closingAsksFirst() {
    QSignalSpy closed(&w(), &glim::TfrmMain::closed);
    answers->Boxes.clear();
    QVERIFY(!w().close());
    WaitUntil([&] { return !answers->Boxes.isEmpty(); });
    const QString question = QStringLiteral(
        "?Are you sure you want to quit Glimmerhold?\nHave you saved your Game? Click 'No' then click the \"Save\" "
        "button\nto save the current state of the game.");
    QCOMPARE(answers->Boxes, QStringList{question});
    QVERIFY(w().isVisible());
    QCOMPARE(closed.count(), 0);
    QVERIFY(!d->platform.Closed());
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(&w(), Qt::Key_Q, Qt::ControlModifier);
    QCOMPARE(answers->Boxes.size(), 2);
    QCOMPARE(answers->Boxes.value(1), question);
    QVERIFY(w().isVisible());
  }

  // F1, Ctrl+S and Ctrl+O press the Help, Save and Load buttons; after a
  // dialog the command line has the keyboard again and no button keeps its
  // frame.
  void keysForTheButtonsAndTheFocusAfterThem() {
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    const int helps = answers->Helps;
    QTest::keyClick(&w(), Qt::Key_F1);
    QCOMPARE(answers->Helps, helps + 1);
    QCOMPARE(Lines().last(), QStringLiteral("Help activation"));
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    answers->Titles.clear();
    w().Print->setFocus();
    QTest::keyClick(w().Print, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(answers->Titles.size(), 1);
    QCOMPARE(w().focusWidget(), w().txtCommand);
    w().activateWindow();  // offscreen nothing gives it back after a dialog
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    w().Print->setFocus();
    QTest::keyClick(w().Print, Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(answers->Titles.size(), 2);
    QCOMPARE(w().focusWidget(), w().txtCommand);
    // The mouse leaves a button for the dialog without the button hearing.
    QTest::mouseMove(w().SaveBtn);
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), w().SaveBtn->mapToGlobal(QPointF(5, 5)));
    QApplication::sendEvent(w().SaveBtn, &enter);
    QVERIFY(w().SaveBtn->Hovered());
    QCursor::setPos(w().mapToGlobal(QPoint(5, 5)));
    w().Print->setFocus();
    w().SaveBtn->click();
    QCOMPARE(w().focusWidget(), w().txtCommand);
    QVERIFY(!w().SaveBtn->Hovered());
  }

  // A box is as wide as its longest line at the zoom, up to nine tenths of
  // the screen: the display-mode notice keeps "800 * 600" on its line.
  void boxesFitTheirText() {
    bool fits = false;
    QString why;
    answers->Hook = [&](QWidget* m) {
      auto* box = qobject_cast<QMessageBox*>(m);
      if (!box) return true;
      auto* label = box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
      const QFontMetrics fm(label->font());
      int widest = 0;
      for (const QString& l : label->text().split('\n')) widest = std::max(widest, fm.horizontalAdvance(l));
      const int lines = static_cast<int>(label->text().split('\n').size());
      fits = label->width() >= widest && label->height() < (lines + 1) * fm.lineSpacing() &&
             box->width() <= box->screen()->availableGeometry().width();
      why = QStringLiteral("box %1 label %2 x %3 for %4 lines %5 wide")
                .arg(box->width())
                .arg(label->width())
                .arg(label->height())
                .arg(lines)
                .arg(widest);
      return true;
    };
    w().SetZoom(1.25);
    d->platform.MessageBox(
        "Glimmerhold would look best displayed at a screen resolution of 800 * 600\r"
        "Unfortunately your Video Hardware cannot be configured to this resolution\r"
        "so Glimmerhold will continue at your default resolution");
    QVERIFY2(fits, qPrintable(why));
    fits = false;
    d->game.ConfirmExit();
    QVERIFY2(fits, qPrintable(why));
    answers->Hook = nullptr;
    w().ZoomToFit();
  }

  void zoomSteps() {
    QCOMPARE(glim::FitZoom(QSize(1024, 768)), 1.28);
    QCOMPARE(glim::FitZoom(QSize(2560, 1440)), 2.4);
    QCOMPARE(glim::FitZoom(QSize(640, 480)), 1.0);  // never below 1
    QCOMPARE(glim::ZoomIn(1.0, 2.4), 1.25);
    QCOMPARE(glim::ZoomIn(2.3, 2.4), 2.4);  // up to what fits
    QCOMPARE(glim::ZoomIn(1.28, 1.28), 1.28);
    QCOMPARE(glim::ZoomOut(1.28), 1.25);
    QCOMPARE(glim::ZoomOut(1.25), 1.0);
    QCOMPARE(glim::ZoomRect(QRect(0, 376, 600, 153), 1.28), QRect(0, 481, 768, 196));
    // Neighbours stay neighbours: the view ends where the panel begins.
    QCOMPARE(glim::ZoomRect(QRect(0, 0, 600, 375), 1.28).bottom() + 1, 480);
  }

  // F11: a window of the game area's size, and back to the full screen.
  void fullScreenToggles() {
    QVERIFY(w().FullScreen());
    w().SetZoom(1);
    w().ToggleFullScreen();
    QVERIFY(!w().FullScreen());
    QCOMPARE(w().size(), QSize(800, 600));
    QCOMPARE(w().GameArea->geometry(), QRect(0, 0, 800, 600));
    w().ToggleFullScreen();
    QVERIFY(w().FullScreen());
    QCOMPARE(w().geometry(), w().screen()->geometry());
    w().ZoomToFit();
  }

  // Reading aloud: off at start; when on, each new line goes to the
  // speaker and the next command first interrupts what is left.
  void readAloudThroughASpeaker() {
    struct FakeSpeaker : glim::Speaker {
      QStringList* said;
      int* interrupts;
      void Say(const QString& l) override { said->append(l); }
      void Interrupt() override { ++*interrupts; }
    };
    QStringList said;
    int interrupts = 0;
    auto fake = std::make_unique<FakeSpeaker>();
    fake->said = &said;
    fake->interrupts = &interrupts;
    w().Speech().SetSpeaker(std::move(fake));
    QVERIFY(!w().Speech().On());
    w().AppendLine(QStringLiteral("not read"));
    QVERIFY(said.isEmpty());
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    QTest::keyClick(&w(), Qt::Key_F12);
    QVERIFY(w().Speech().On());
    QVERIFY(w().lblStatus->text().contains(QStringLiteral("F12")));
    said.clear();
    interrupts = 0;
    w().txtCommand->setText(QStringLiteral("look"));
    QTest::keyClick(w().txtCommand, Qt::Key_Return);
    QCOMPARE(interrupts, 1);  // before the answer, never during it
    QCOMPARE(said.value(0), QStringLiteral("look"));
    QVERIFY(said.contains(QStringLiteral("you are in a bright test hall.")));
    QVERIFY(!said.contains(QString()));  // empty lines are not spoken
    QTest::keyClick(&w(), Qt::Key_F12);
    QVERIFY(!w().Speech().On());
    said.clear();
    w().AppendLine(QStringLiteral("not read either"));
    QVERIFY(said.isEmpty());
    w().Speech().SetSpeaker(nullptr);  // the fake's counters end here
  }

  // The real voice: a line becomes as much speech as its words need, the
  // whole of it (the recording test plays it through a sound server). With
  // no sound output to be had the speaker lets lines go instead of piling
  // them up.
  void realSpeechEngine() {
#ifndef GLIM_HAVE_SPEECH
    QSKIP("built without the flite voice");
#else
    const QString line = QStringLiteral(
        "in your late master's study. Star charts cover the walls, and his desk is cluttered with ink pots.");
    const double seconds = static_cast<double>(glim::SynthesizeSpeech(line).size()) / 2 / glim::SpeechRate;
    QVERIFY2(seconds > 4 && seconds < 12, qPrintable(QString::number(seconds)));  // 18 words
    QVERIFY(glim::SynthesizeSpeech(QStringLiteral("   ")).isEmpty());
    glim::FliteSpeaker speaker;
    speaker.Say(QStringLiteral("You are in a bright test hall."));
    speaker.Say(QStringLiteral("What shall we do now?"));
    if (!speaker.Working()) {
      QCOMPARE(speaker.Waiting(), 0.0);
      QSKIP("no sound output here");
    }
    QVERIFY(speaker.Speaking());
    QVERIFY(speaker.Waiting() > 1.5);  // both lines, whole
    speaker.Interrupt();
    QCOMPARE(speaker.Waiting(), 0.0);
#endif
  }

  // The panel and the command line are named and described for screen
  // readers (the new lines go out as text-inserted events, which only an
  // assistive technology bridge receives: there is none offscreen).
  void accessibleNames() {
    QCOMPARE(w().Print->accessibleName(), QStringLiteral("Messages"));
    QVERIFY(!w().Print->accessibleDescription().isEmpty());
    QCOMPARE(w().txtCommand->accessibleName(), QStringLiteral("Command"));
    QVERIFY(!w().txtCommand->accessibleDescription().isEmpty());
  }

  // Without a sound device the game starts with no box before the splash
  // and says so once in the status line.
  void noSoundDeviceIsNoBox() {
    struct NoDevice : glim::SoundPlayer {
      glim::SoundResult Play(const std::string&, bool) override { return glim::SoundResult::NoDevice; }
      void Stop() override {}
      void SetRepeat(bool) override {}
    } none;
    glim::QtOptions opts;
    opts.Folder = Fixture.toStdString();
    answers->Boxes.clear();
    QStringList boxesAtSplash{QStringLiteral("not seen")};
    answers->Hook = [&](QWidget* m) {
      if (qobject_cast<glim::TfrmSplash*>(m)) boxesAtSplash = answers->Boxes;
      return true;
    };
    {
      glim::Desktop quiet(opts, &none);
      quiet.Start();
      WaitUntil([&] { return quiet.game.FirstActivationDone && quiet.game.CurrentRoom == 1; });
      QVERIFY(quiet.game.FirstActivationDone);
      quiet.game.PlaySound("purr04.wav", false);  // said once only
      QVERIFY(quiet.frmMain.lblStatus->isVisible());
      QCOMPARE(quiet.frmMain.lblStatus->text(),
               QStringLiteral("No sound device could be opened, so the game will continue without sound"));
      // The window had its full size before anything was shown in it.
      QCOMPARE(quiet.frmMain.geometry(), quiet.frmMain.screen()->geometry());
      quiet.platform.SetClosed();
    }
    answers->Hook = nullptr;
    QCOMPARE(boxesAtSplash, QStringList());
    QCOMPARE(answers->Boxes, QStringList());
  }

  // Started on a folder without the data files, whose credits.txt is a pipe
  // nobody writes to: the window comes up at once without the text, and its
  // Save button says why it cannot save, asks for no file and writes none.
  void wrongFolderSavesNothing() {
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/");
    QVERIFY(mkfifo(QFile::encodeName(folder + QStringLiteral("credits.txt")).constData(), 0600) == 0);
    glim::QtOptions opts;
    opts.Folder = folder.toStdString();
    answers->Boxes.clear();
    answers->Files.clear();
    answers->Files.push_back(folder + QStringLiteral("mygame.gam"));
    {
      glim::Desktop lost(opts);
      lost.Start();
      WaitUntil([&] { return lost.game.FirstActivationDone && answers->Boxes.size() >= 2; });
      QVERIFY(answers->Boxes.contains(QStringLiteral("Unable to load Word data file ") + folder +
                                      QStringLiteral("glimtext.wdt")));
      answers->Boxes.clear();
      lost.frmMain.SaveBtn->click();
      WaitUntil([&] { return !answers->Boxes.isEmpty(); });
      QCOMPARE(answers->Boxes,
               QStringList(QStringLiteral("The game cannot be saved: its data files glimtext.wdt and glimroom.dat did "
                                          "not load from ") +
                           folder + QStringLiteral(", so there is no game in progress. Nothing was written.")));
      QCOMPARE(answers->Files.size(), size_t{1});  // no file was asked for
      QVERIFY(!QFile::exists(folder + QStringLiteral("mygame.gam")));
      lost.platform.SetClosed();
    }
    answers->Files.clear();
  }

  // The load and save dialogs show their columns whole; the help window
  // its contents entries whole.
  void dialogsShowTheirColumnsWhole() {
    QTemporaryDir dir;
    glim::FileDialogSpec spec{"Load a game", "Saved Brimel Game|*.gam", "gam", dir.path().toStdString() + "/"};
    bool whole = false;
    answers->Hook = [&](QWidget* m) {
      auto* f = qobject_cast<QFileDialog*>(m);
      if (!f) return true;
      auto* tree = f->findChild<QTreeView*>(QStringLiteral("treeView"));
      if (!tree) return true;
      QHeaderView* h = tree->header();
      whole = true;
      for (int c = 1; c < h->count(); ++c) {
        const QString title = tree->model()->headerData(c, Qt::Horizontal).toString();
        if (h->sectionSize(c) < h->fontMetrics().horizontalAdvance(title)) whole = false;
      }
      if (h->sectionSize(0) < 150) whole = false;
      return true;
    };
    d->platform.OpenFileDialog(spec);
    answers->Hook = nullptr;
    QVERIFY(whole);

    glim::HelpViewer viewer(&w());
    QVERIFY(viewer.Open(Fixture + QStringLiteral("glimhelp.chm")));
    viewer.show();
    QVERIFY(QTest::qWaitForWindowExposed(&viewer));
    QTreeWidget* tree = viewer.Contents();
    QTreeWidgetItemIterator it(tree);
    for (; *it; ++it) {
      const QRect r = tree->visualItemRect(*it);
      const int need = tree->fontMetrics().horizontalAdvance((*it)->text(0));
      QVERIFY2(r.left() + need <= tree->viewport()->width(), qPrintable((*it)->text(0)));
    }
    QVERIFY(!viewer.Browser()->horizontalScrollBar()->isVisible());
    viewer.hide();

    // The game's own help: every page fits the default window's width.
    glim::HelpViewer game(&w());
    QVERIFY(game.Open(Fixture + QStringLiteral("../../../data/glimhelp.chm")));
    game.show();
    QVERIFY(QTest::qWaitForWindowExposed(&game));
    QTest::qWait(50);
    for (QTreeWidgetItemIterator page(game.Contents()); *page; ++page) {
      game.ShowPage((*page)->data(0, Qt::UserRole).toString());
      QTest::qWait(20);
      QVERIFY2(!game.Browser()->horizontalScrollBar()->isVisible(),
               qPrintable((*page)->text(0) + QStringLiteral(" is %1 wide in %2")
                                                 .arg(game.Browser()->document()->idealWidth())
                                                 .arg(game.Browser()->PageWidth())));
    }
    game.hide();
  }

  // Ctrl+Z takes the last step back wherever the focus is, the command line
  // included (whose own undo of its text does not take the key); Ctrl+Shift+Z
  // and Ctrl+Y take it again. After a New the empty command line says so.
  void undoAndRedoKeys() {
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    answers->Inputs.push_back(QStringLiteral("5"));
    QTest::keyClick(&w(), Qt::Key_R, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(d->game.CurrentRoom, 5);
    QTest::mouseClick(w().NewBtn, Qt::LeftButton);
    QCOMPARE(d->game.CurrentRoom, 1);
    QVERIFY(w().txtCommand->placeholderText().contains(QStringLiteral("Ctrl+Z")));
    // The room jump's box had the focus last.
    w().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w()));
    w().txtCommand->setFocus();
    QTest::keyClick(w().txtCommand, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(d->game.CurrentRoom, 5);
    QVERIFY(w().txtCommand->placeholderText().isEmpty());
    QCOMPARE(Lines().first(), QStringLiteral("you are in test room 5."));
    QTest::keyClick(w().txtCommand, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(d->game.CurrentRoom, 1);
    w().Print->setFocus();
    QTest::keyClick(w().Print, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(d->game.CurrentRoom, 5);
    QTest::keyClick(w().Print, Qt::Key_Y, Qt::ControlModifier);
    QCOMPARE(d->game.CurrentRoom, 1);
  }

  void exitAsksThenClosesAfterAPause() {
    QSignalSpy closed(&w(), &glim::TfrmMain::closed);
    QTest::mouseClick(w().ExitBtn, Qt::LeftButton);  // No
    QVERIFY(w().isVisible());
    QCOMPARE(closed.count(), 0);
    answers->Confirms.push_back(true);
    QElapsedTimer t;
    t.start();
    QTest::mouseClick(w().ExitBtn, Qt::LeftButton);
    QCOMPARE(closed.count(), 1);
    QVERIFY(t.elapsed() >= 2000);
    QVERIFY(!w().isVisible());
    QVERIFY(d->platform.Closed());
  }

  void cleanupTestCase() {
    answers.reset();
    d.reset();
  }
};

QTEST_MAIN(WindowTest)
#include "WindowTest.moc"
