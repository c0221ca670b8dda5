#include "app/qt/QtPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileDialog>
#include <QGuiApplication>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QStringDecoder>
#include <QTimer>
#include <QTreeView>
#include <algorithm>

#include "app/qt/HelpViewer.h"
#include "app/qt/MainWindow.h"
#include "app/qt/SplashAbout.h"

namespace glim {

QString FromGame(const std::string& s) {
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const QString u = utf8.decode(QByteArrayView(s.data(), static_cast<qsizetype>(s.size())));
  if (!utf8.hasError()) return u;
  return QString::fromLatin1(s.data(), static_cast<qsizetype>(s.size()));
}

std::string ToGame(const QString& s) {
  for (QChar c : s)
    if (c.unicode() > 0xff) return s.toStdString();
  const QByteArray b = s.toLatin1();
  return std::string(b.constData(), static_cast<size_t>(b.size()));
}

QString BoxText(const std::string& s) {
  QString t = FromGame(s);
  t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  t.replace('\r', '\n');
  return t;
}

QString DialogFilter(const std::string& filter) {
  const QStringList parts = QString::fromStdString(filter).split('|');
  QStringList out;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    out << parts[i] + QStringLiteral(" (") + patterns + QStringLiteral(")");
  }
  if (out.isEmpty() && !filter.empty()) out << QString::fromStdString(filter);
  return out.join(QStringLiteral(";;"));
}

QImage ToQImage(const Image& img) {
  if (img.Empty()) return {};
  QImage q(img.W, img.H, QImage::Format_RGB32);
  for (int y = 0; y < img.H; ++y) {
    auto* row = reinterpret_cast<uint32_t*>(q.scanLine(y));
    const uint32_t* src = img.Px.data() + static_cast<size_t>(y) * img.W;
    for (int x = 0; x < img.W; ++x) row[x] = 0xff000000u | (src[x] & 0x00ffffffu);
  }
  return q;
}

QtPlatform::QtPlatform(QtOptions opts, SoundPlayer* sound) : opts_(std::move(opts)), sound_(sound) { clock_.start(); }

QtPlatform::~QtPlatform() { display_.Restore(); }

void QtPlatform::Attach(TfrmMain* main, TfrmSplash* splash, TfrmAbout* about) {
  main_ = main;
  splash_ = splash;
  about_ = about;
}

QWidget* QtPlatform::BoxParent() const {
  if (QWidget* w = QApplication::activeModalWidget()) return w;
  return main_;
}

void QtPlatform::PrintLine(const std::string& text) {
  if (main_) main_->AppendLine(FromGame(text));
}

void QtPlatform::ClearPanel() {
  if (main_) main_->ClearLines();
}

void QtPlatform::SetCommandText(const std::string& text) {
  if (main_) main_->txtCommand->setText(FromGame(text));
}

void QtPlatform::FocusCommandLine() {
  if (main_) main_->txtCommand->setFocus(Qt::OtherFocusReason);
}

void QtPlatform::ZoomBox(QWidget* box) const {
  if (main_) box->setFont(main_->Zoomed(QApplication::font()));
}

namespace {

// A message box as wide as its longest line at the window's zoom, up to nine
// tenths of the screen: the toolkit's own box stays 500 pixels wide (1000 on
// a large screen) however large its text, and breaks short lines in two.
// The toolkit sizes its box again whenever its layout changes; the box is
// widened after it each time.
class TextBox : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  void showEvent(QShowEvent* e) override {
    KeepLinesWhole();
    QMessageBox::showEvent(e);
    FitToText();
  }
  bool event(QEvent* e) override {
    const bool done = QMessageBox::event(e);
    if (e->type() == QEvent::LayoutRequest && isVisible()) FitToText();
    return done;
  }

 private:
  int Room() const {
    const QScreen* s = screen();
    return s ? s->availableGeometry().width() * 9 / 10 : 800;
  }
  // The label is never narrower than its longest line.
  void KeepLinesWhole() {
    auto* label = findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (!label) return;
    const QFontMetrics fm(label->font());
    int widest = 0;
    for (const QString& line : label->text().split('\n')) widest = std::max(widest, fm.horizontalAdvance(line));
    widest += fm.averageCharWidth() * 2;  // a margin before the box's edge
    label->setMinimumWidth(std::min(widest, Room() - 120));
  }
  void FitToText() {
    if (!layout()) return;
    const int w = std::min(std::max(width(), layout()->totalMinimumSize().width()), Room());
    const int h =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(w) : layout()->totalMinimumSize().height();
    if (size() == QSize(w, h)) return;
    setFixedSize(w, h);
    const QWidget* over = parentWidget() ? parentWidget()->window() : nullptr;
    const QRect g = over ? over->frameGeometry() : (screen() ? screen()->availableGeometry() : QRect());
    move(g.center() - QPoint(w / 2, h / 2));
  }
};

}  // namespace

void QtPlatform::MessageBox(const std::string& text) {
  TextBox box(QMessageBox::NoIcon, QStringLiteral("Glimmerhold"), BoxText(text), QMessageBox::Ok, BoxParent());
  box.setObjectName(QStringLiteral("messageBox"));
  ZoomBox(&box);
  box.exec();
}

void QtPlatform::Notice(const std::string& text) {
  if (main_) main_->ShowStatus(BoxText(text), 12);
}

void QtPlatform::ErrorBox(const std::string& text) {
  TextBox box(QMessageBox::Critical, QStringLiteral("Glimmerhold"), BoxText(text), QMessageBox::Ok, BoxParent());
  box.setObjectName(QStringLiteral("errorBox"));
  ZoomBox(&box);
  box.exec();
}

bool QtPlatform::ConfirmBox(const std::string& text) {
  TextBox box(QMessageBox::Warning, QStringLiteral("Glimmerhold"), BoxText(text), QMessageBox::Yes | QMessageBox::No,
              BoxParent());
  box.setObjectName(QStringLiteral("confirmBox"));
  // Enter alone must not end the game: No is the default, Escape is No.
  box.setDefaultButton(QMessageBox::No);
  box.setEscapeButton(QMessageBox::No);
  ZoomBox(&box);
  return box.exec() == QMessageBox::Yes;
}

std::string QtPlatform::InputBox(const std::string& title, const std::string& prompt, const std::string& def) {
  QInputDialog dlg(BoxParent());
  dlg.setObjectName(QStringLiteral("inputBox"));
  dlg.setWindowTitle(FromGame(title));
  dlg.setLabelText(FromGame(prompt));
  dlg.setTextValue(FromGame(def));
  dlg.setInputMode(QInputDialog::TextInput);
  ZoomBox(&dlg);
  if (dlg.exec() != QDialog::Accepted) return def;
  return ToGame(dlg.textValue());
}

namespace {

// The dialog's list in detail view, wide enough to show its columns (name,
// size, type, date modified) whole: the name column takes what is left.
void FitFileDialog(QFileDialog& dlg) {
  dlg.setViewMode(QFileDialog::Detail);
  if (auto* tree = dlg.findChild<QTreeView*>(QStringLiteral("treeView"))) {
    QHeaderView* h = tree->header();
    h->setStretchLastSection(false);
    h->setSectionResizeMode(QHeaderView::ResizeToContents);
    h->setSectionResizeMode(0, QHeaderView::Stretch);
  }
  const QFontMetrics fm(dlg.font());
  QSize want(fm.horizontalAdvance(QLatin1Char('x')) * 110, fm.height() * 30);
  if (const QScreen* s = dlg.screen()) want = want.boundedTo(s->availableGeometry().size() * 9 / 10);
  dlg.resize(want.expandedTo(dlg.sizeHint()));
}

}  // namespace

std::optional<std::string> QtPlatform::FileDialog(const FileDialogSpec& spec, bool save) {
  QFileDialog dlg(BoxParent(), FromGame(spec.Title), FromGame(spec.InitialDir), DialogFilter(spec.Filter));
  dlg.setObjectName(save ? QStringLiteral("GameS") : QStringLiteral("LoadG"));
  // The toolkit's own dialog: the same everywhere, and never a portal that
  // may not answer.
  dlg.setOption(QFileDialog::DontUseNativeDialog, true);
  dlg.setDefaultSuffix(FromGame(spec.DefaultExt));
  if (save) {
    dlg.setAcceptMode(QFileDialog::AcceptSave);
    dlg.setFileMode(QFileDialog::AnyFile);
    dlg.setOption(QFileDialog::DontConfirmOverwrite, false);
  } else {
    dlg.setAcceptMode(QFileDialog::AcceptOpen);
    dlg.setFileMode(QFileDialog::ExistingFile);
  }
  dlg.setSizeGripEnabled(true);
  ZoomBox(&dlg);
  FitFileDialog(dlg);
  if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty()) return std::nullopt;
  const QByteArray path = dlg.selectedFiles().first().toLocal8Bit();
  return std::string(path.constData(), static_cast<size_t>(path.size()));
}

std::optional<std::string> QtPlatform::OpenFileDialog(const FileDialogSpec& spec) { return FileDialog(spec, false); }

std::optional<std::string> QtPlatform::SaveFileDialog(const FileDialogSpec& spec) { return FileDialog(spec, true); }

void QtPlatform::EnableDirection(int direction, bool enabled) {
  if (!main_) return;
  TSpeedButton* b[5] = {nullptr, main_->spbNorth, main_->spbSouth, main_->spbEast, main_->spbWest};
  if (direction >= 1 && direction <= 4) b[direction]->setEnabled(enabled);
}

void QtPlatform::ShowScene(const Image& scene) {
  if (main_) main_->imgView->SetPicture(ToQImage(scene));
}

void QtPlatform::ShowCarried(const Image& panel) {
  if (main_) main_->imgCarried->SetPicture(ToQImage(panel));
}

SoundResult QtPlatform::PlaySoundFile(const std::string& path, bool repeat) {
  if (sound_) return sound_->Play(path, repeat);
  return ResolveNoCase(path).empty() ? SoundResult::Missing : SoundResult::Ok;
}

void QtPlatform::StopSoundFile() {
  if (sound_) sound_->Stop();
}

void QtPlatform::SetSoundRepeat(bool repeat) {
  if (sound_) sound_->SetRepeat(repeat);
}

void QtPlatform::StartTimer(int intervalMs) {
  if (main_) main_->EventT.start(intervalMs < 0 ? 0 : intervalMs);
}

void QtPlatform::StopTimer() {
  if (main_) main_->EventT.stop();
}

int QtPlatform::TimerLeft() {
  if (!main_ || !main_->EventT.isActive()) return -1;
  return std::max(0, main_->EventT.remainingTime());
}

void QtPlatform::EventTimerExpired() {
  if (events_) events_->OnEventTimer();
}

uint32_t QtPlatform::TickCount() const { return static_cast<uint32_t>(clock_.elapsed()); }

void QtPlatform::WaitSeconds(int seconds) {
  // Counted in nanoseconds: whole milliseconds, cut short at both ends,
  // could end the pause a fraction of a millisecond early.
  const qint64 span = static_cast<qint64>(seconds < 0 ? 0 : seconds) * 1000000000LL;
  QElapsedTimer waited;
  waited.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  // Sleep in the event loop until the time is up; whatever arrives meanwhile
  // is handled, and a handler that runs long simply shortens the rest.
  while (!closed_) {
    const qint64 left = span - waited.nsecsElapsed();
    if (left <= 0) break;
    QEventLoop loop;
    QTimer t;
    t.setSingleShot(true);
    t.setTimerType(Qt::PreciseTimer);
    QObject::connect(&t, &QTimer::timeout, &loop, &QEventLoop::quit);
    t.start(static_cast<int>((left + 999999) / 1000000));
    if (loop.exec() < 0) break;  // the application is ending
  }
}

void QtPlatform::PumpEvents() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void QtPlatform::DisplayModeStep() {
  if (displayStepDone_) return;
  displayStepDone_ = true;
  // Only an X11 display can be switched; elsewhere (Wayland, no display)
  // the game runs in the mode it finds, without a word.
  // An X11 program on a Wayland desktop (Xwayland) does not own the display
  // either.
  if (!opts_.DisplaySwitch || QGuiApplication::platformName() != QLatin1String("xcb")) return;
  if (!qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) return;
  if (!display_.Open()) return;
  display_.Record();
  if (display_.Available(800, 600, 16)) {
    // Without its guard the display is not touched: a crash could then
    // leave it switched.
    if (opts_.Executable.empty() || !display_.StartGuard(opts_.Executable)) return;
    display_.Set(800, 600, 16, display_.SavedRefreshRate);
    display_.DisplayModeChanged = true;
  } else {
    display_.DisplayModeChanged = false;
    MessageBox(
        "Glimmerhold would look best displayed at a screen resolution of 800 * 600\r"
        "Unfortunately your Video Hardware cannot be configured to this resolution\r"
        "so Glimmerhold will continue at your default resolution");
  }
}

void QtPlatform::MaximiseWindow() {
  if (main_) main_->MaximiseWindow();
}

void QtPlatform::ShowSplash() {
  if (!splash_) return;
  const QString folder = FromGame(opts_.Folder);
  if (about_) about_->SetGameFolder(folder);
  splash_->SetGameFolder(folder);
  if (main_) splash_->SetZoom(main_->Zoom());
  splash_->RunModal();
  // Without a window manager nothing gives the keyboard back to the main
  // window when the splash goes.
  if (main_) main_->TakeKeyboard();
}

void QtPlatform::ShowAbout() {
  if (!about_) return;
  if (about_->imgSplash->Picture().isNull()) about_->SetGameFolder(FromGame(opts_.Folder));
  if (main_) about_->SetZoom(main_->Zoom());
  about_->RunModal();
  if (main_) main_->TakeKeyboard();
}

std::string QtPlatform::ShowHelpFile(const std::string& path) {
  const std::string real = ResolveNoCase(path);
  if (real.empty()) return "Process file does not exist";
  HelpViewer viewer(main_);
  if (main_) viewer.SetZoom(main_->Zoom());
  if (!viewer.Open(QString::fromLocal8Bit(real.c_str()))) {
    const std::string msg = "The help file " + path + " could not be read";
    ErrorBox(msg);
    return msg;
  }
  viewer.exec();
  if (main_) main_->TakeKeyboard();
  return "OK";
}

void QtPlatform::CloseMainWindow() {
  if (main_) main_->CloseNow();
}

void QtPlatform::ShowUndoHint(UndoHint hint) {
  if (main_) main_->ShowUndoHint(hint);
}

void QtPlatform::FormClose() {
  display_.Restore();
  WaitSeconds(2);
}

}  // namespace glim
