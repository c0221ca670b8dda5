#include "app/qt/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCloseEvent>
#include <QCursor>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>

#include "app/qt/Fonts.h"
#include "app/qt/QtPlatform.h"
#include "app/qt/Zoom.h"
#include "world/Game.h"

namespace glim {

namespace {

QColor Colour(uint32_t rgb) {
  return {static_cast<int>((rgb >> 16) & 255), static_cast<int>((rgb >> 8) & 255), static_cast<int>(rgb & 255)};
}

QFont FontOf(const Control& c) {
  return c.Face == FontFace::Sans ? SansFont(c.FontPixels, c.Bold) : ScriptFont(c.FontPixels, c.Bold, c.Italic);
}

Qt::Key QtKey(Key k) {
  switch (k) {
    case Key::F1: return Qt::Key_F1;
    case Key::F11: return Qt::Key_F11;
    case Key::F12: return Qt::Key_F12;
    case Key::Z: return Qt::Key_Z;
    case Key::Y: return Qt::Key_Y;
    case Key::S: return Qt::Key_S;
    case Key::O: return Qt::Key_O;
    case Key::Q: return Qt::Key_Q;
    case Key::G: return Qt::Key_G;
    case Key::R: return Qt::Key_R;
    case Key::Plus: return Qt::Key_Plus;
    case Key::Equal: return Qt::Key_Equal;
    case Key::Minus: return Qt::Key_Minus;
    case Key::Digit0: return Qt::Key_0;
    case Key::Other: break;
  }
  return Qt::Key_unknown;
}

// A control's name and place in the design.
void Place(QWidget* w, const Control& c) {
  w->setObjectName(QString::fromLatin1(c.Name));
  w->setGeometry(ToQRect(c.Design));
  if (c.HandCursor) w->setCursor(Qt::PointingHandCursor);
}

// A caption, at the top of its label.
TLabel* MakeLabel(QWidget* parent, ControlId id) {
  const Control& c = ControlOf(id);
  auto* l = new TLabel(QString::fromLatin1(c.Caption), parent);
  Place(l, c);
  l->setFont(FontOf(c));
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, Colour(c.Fore));
  p.setColor(QPalette::Window, Colour(c.Back));
  l->setPalette(p);
  l->setAlignment((c.Align == TextAlign::Centre ? Qt::AlignHCenter : Qt::AlignLeft) | Qt::AlignTop);
  return l;
}

}  // namespace

QPixmap DirectionPicture(const QString& gameFolder, int direction, bool enabled) {
  static const char* names[5] = {"help", "north", "south", "east", "west"};
  if (direction < 0 || direction > 4) direction = 0;
  QPixmap file;
  if (file.load(gameFolder + QStringLiteral("images/btn_") + QString::fromLatin1(names[direction]) +
                (enabled ? QStringLiteral(".png") : QStringLiteral("_off.png"))))
    return file;
  QPixmap pm(19, 18);
  pm.fill(Qt::black);
  QPainter p(&pm);
  p.setRenderHint(QPainter::Antialiasing);
  const QColor fill = enabled ? QColor(255, 215, 0) : QColor(72, 72, 72);
  const QColor edge = enabled ? QColor(140, 90, 0) : QColor(40, 40, 40);
  p.setPen(QPen(edge, 1));
  p.setBrush(fill);
  if (direction == 0) {
    p.drawEllipse(QRectF(1.5, 1, 16, 16));
    p.setPen(enabled ? QColor(0, 0, 128) : QColor(30, 30, 30));
    QFont f = SansFont(13, true);
    p.setFont(f);
    p.drawText(QRect(0, 0, 19, 18), Qt::AlignCenter, QStringLiteral("?"));
    return pm;
  }
  // An arrow pointing up, turned to its direction.
  QPainterPath arrow;
  arrow.moveTo(0, -8);
  arrow.lineTo(7, 0);
  arrow.lineTo(3, 0);
  arrow.lineTo(3, 7);
  arrow.lineTo(-3, 7);
  arrow.lineTo(-3, 0);
  arrow.lineTo(-7, 0);
  arrow.closeSubpath();
  static const int angle[5] = {0, 0, 180, 90, 270};
  p.translate(9.5, 9);
  p.rotate(angle[direction]);
  p.drawPath(arrow);
  return pm;
}

void TLabel::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (autoFillBackground()) p.fillRect(rect(), palette().color(QPalette::Window));
  p.setFont(font());
  p.setPen(palette().color(isEnabled() ? QPalette::Normal : QPalette::Disabled, QPalette::WindowText));
  const QFontMetrics fm(font());
  const QRect ink = fm.tightBoundingRect(text());
  const int advance = fm.horizontalAdvance(text());
  int x = 0;
  if (alignment() & Qt::AlignHCenter) x = (width() - advance) / 2;
  if (alignment() & Qt::AlignRight) x = width() - advance;
  const int baseline = (height() - ink.height()) / 2 - ink.top();
  p.drawText(x, baseline, text());
}

TSpeedButton::TSpeedButton(QWidget* parent) : QAbstractButton(parent) {
  setFocusPolicy(Qt::NoFocus);
  setAttribute(Qt::WA_Hover);
}

void TSpeedButton::SetPictures(const QPixmap& enabled, const QPixmap& disabled) {
  enabledPic_ = enabled;
  disabledPic_ = disabled;
  update();
}

void TSpeedButton::FollowMouse() {
  const bool over = isVisible() && rect().contains(mapFromGlobal(QCursor::pos()));
  if (over != hover_) {
    hover_ = over;
    update();
  }
}

void TSpeedButton::enterEvent(QEnterEvent* e) {
  hover_ = true;
  update();
  QAbstractButton::enterEvent(e);
}

void TSpeedButton::leaveEvent(QEvent* e) {
  hover_ = false;
  update();
  QAbstractButton::leaveEvent(e);
}

void TSpeedButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::black);
  const bool down = isDown() && isEnabled();
  const int shift = down ? 1 : 0;
  if (!enabledPic_.isNull()) {
    const QPixmap& pm = isEnabled() ? enabledPic_ : disabledPic_;
    // At a zoom the picture grows with the button, smoothly.
    const QSize size = ZoomSize(pm.size(), ZoomOf(this));
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.drawPixmap(QRect(QPoint((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift), size), pm);
  } else {
    p.setFont(font());
    p.setPen(isEnabled() ? palette().color(QPalette::ButtonText) : QColor(96, 96, 96));
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
  }
  if ((hover_ && isEnabled()) || down) {
    const QColor light(200, 200, 200), dark(70, 70, 70);
    const QRect r = rect().adjusted(0, 0, -1, -1);
    p.setPen(down ? dark : light);
    p.drawLine(r.topLeft(), r.topRight());
    p.drawLine(r.topLeft(), r.bottomLeft());
    p.setPen(down ? light : dark);
    p.drawLine(r.bottomLeft(), r.bottomRight());
    p.drawLine(r.topRight(), r.bottomRight());
  }
}

TCommandEdit::TCommandEdit(QWidget* parent) : QLineEdit(parent) {}

void TCommandEdit::Remember(const QString& command) {
  if (!command.isEmpty() && (history_.isEmpty() || history_.back() != command)) history_.append(command);
  pos_ = static_cast<int>(history_.size());
  draft_.clear();
}

namespace {

bool IsUndoOrRedoKey(const QKeyEvent* e) {
  const QKeyCombination k = e->keyCombination();
  return e->matches(QKeySequence::Undo) || e->matches(QKeySequence::Redo) ||
         k == QKeyCombination(Qt::CTRL | Qt::SHIFT, Qt::Key_Z) || k == QKeyCombination(Qt::CTRL, Qt::Key_Y);
}

}  // namespace

// The line's own undo of its text would take the window's undo keys; they
// go to the window instead, which takes back the game's last step.
bool TCommandEdit::event(QEvent* e) {
  if (e->type() == QEvent::ShortcutOverride && IsUndoOrRedoKey(static_cast<QKeyEvent*>(e))) {
    e->ignore();
    return false;
  }
  return QLineEdit::event(e);
}

void TCommandEdit::keyPressEvent(QKeyEvent* e) {
  switch (e->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
      emit enterPressed();
      e->accept();
      return;
    case Qt::Key_Up:
      if (pos_ > 0) {
        if (pos_ == history_.size()) draft_ = text();
        --pos_;
        setText(history_[pos_]);
      }
      e->accept();
      return;
    case Qt::Key_Down:
      if (pos_ < history_.size()) {
        ++pos_;
        setText(pos_ == history_.size() ? draft_ : history_[pos_]);
      }
      e->accept();
      return;
    default: QLineEdit::keyPressEvent(e);
  }
}

TfrmMain::TfrmMain(Game& game, QtPlatform& platform) : QWidget(nullptr), game_(game), platform_(platform) {
  BuildWindow();
  BuildRoomView();
  BuildMessagePanel();
  BuildCommandLine();
  BuildCarriedPanel();
  BuildCaptions();
  BuildFileButtons();
  BuildDirectionButtons();
  BuildCompassLetters();
  BuildDebuggingControls();
  BuildStatusLine();
  BuildKeys();
  SetFocusOrder();
  BuildEventTimer();
  ConnectHandlers();
}

// A frameless black window holding the game area, which holds the controls.
void TfrmMain::BuildWindow() {
  setObjectName(QStringLiteral("frmMain"));
  setWindowTitle(QStringLiteral("Glimmerhold"));
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setFont(SansFont(11));
  resize(DesignWidth, DesignHeight);
  GameArea = new QWidget(this);
  GameArea->setObjectName(QStringLiteral("GameArea"));
  GameArea->setGeometry(0, 0, DesignWidth, DesignHeight);
  GameArea->setFont(SansFont(11));
}

void TfrmMain::BuildRoomView() {
  imgView = new TImage(GameArea);
  Place(imgView, ControlOf(ControlId::imgView));
  imgView->setAccessibleName(QString::fromLatin1(ControlOf(ControlId::imgView).AccessibleName));
}

void TfrmMain::BuildMessagePanel() {
  const Control& c = ControlOf(ControlId::Print);
  Print = new QPlainTextEdit(GameArea);
  Place(Print, c);
  Print->setReadOnly(true);
  Print->setFrameShape(QFrame::NoFrame);
  Print->setFont(FontOf(c));
  Print->setAccessibleName(QString::fromLatin1(c.AccessibleName));
  Print->setAccessibleDescription(
      QStringLiteral("What the game says, newest line last. Typing goes to the command line."));
  Print->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Print->setFocusPolicy(Qt::StrongFocus);
  QPalette p = Print->palette();
  p.setColor(QPalette::Base, Colour(c.Back));
  p.setColor(QPalette::Text, Colour(c.Fore));
  Print->setPalette(p);
  Print->installEventFilter(this);
}

void TfrmMain::BuildCommandLine() {
  const Control& c = ControlOf(ControlId::txtCommand);
  txtCommand = new TCommandEdit(GameArea);
  Place(txtCommand, c);
  txtCommand->setMaxLength(80);
  txtCommand->setFont(FontOf(c));
  txtCommand->setAccessibleName(QString::fromLatin1(c.AccessibleName));
  txtCommand->setAccessibleDescription(QStringLiteral("Type a command and press Enter"));
  QPalette p = txtCommand->palette();
  p.setColor(QPalette::Base, Colour(c.Back));
  p.setColor(QPalette::Text, Colour(c.Fore));
  txtCommand->setPalette(p);
}

void TfrmMain::BuildCarriedPanel() {
  imgCarried = new TImage(GameArea);
  Place(imgCarried, ControlOf(ControlId::imgCarried));
  imgCarried->setAccessibleName(QString::fromLatin1(ControlOf(ControlId::imgCarried).AccessibleName));
}

void TfrmMain::BuildCaptions() {
  lblCarry = MakeLabel(GameArea, ControlId::lblCarry);
  lblCarry->setAutoFillBackground(true);
  Label1 = MakeLabel(GameArea, ControlId::Label1);
  // The label lies over the top of the carried panel; it is drawn above it.
  lblCarry->raise();
}

void TfrmMain::BuildFileButtons() {
  auto fileButton = [&](ControlId id) {
    const Control& c = ControlOf(id);
    auto* b = new TSpeedButton(GameArea);
    Place(b, c);
    b->setText(QString::fromLatin1(c.Caption));
    b->setFont(FontOf(c));
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, Colour(c.Fore));
    p.setColor(QPalette::Button, Colour(c.Back));
    b->setPalette(p);
    return b;
  };
  LoadBtn = fileButton(ControlId::LoadBtn);
  SaveBtn = fileButton(ControlId::SaveBtn);
  NewBtn = fileButton(ControlId::NewBtn);
  AboutBtn = fileButton(ControlId::AboutBtn);
  ExitBtn = fileButton(ControlId::ExitBtn);
}

void TfrmMain::BuildDirectionButtons() {
  const QString folder = FromGame(platform_.Options().Folder);
  auto dirButton = [&](ControlId id) {
    const Control& c = ControlOf(id);
    auto* b = new TSpeedButton(GameArea);
    Place(b, c);
    b->setToolTip(QString::fromLatin1(c.Tooltip));
    b->setAccessibleName(QString::fromLatin1(c.AccessibleName));
    b->SetPictures(DirectionPicture(folder, c.Picture, true), DirectionPicture(folder, c.Picture, false));
    return b;
  };
  spbNorth = dirButton(ControlId::spbNorth);
  spbSouth = dirButton(ControlId::spbSouth);
  spbEast = dirButton(ControlId::spbEast);
  spbWest = dirButton(ControlId::spbWest);
  spbHelp = dirButton(ControlId::spbHelp);
}

void TfrmMain::BuildCompassLetters() {
  lblNorth = MakeLabel(GameArea, ControlId::lblNorth);
  lblSouth = MakeLabel(GameArea, ControlId::lblSouth);
  lblEast = MakeLabel(GameArea, ControlId::lblEast);
  lblWest = MakeLabel(GameArea, ControlId::lblWest);
}

// The debugging controls: never shown; Ctrl+Shift+G and Ctrl+Shift+R press
// them (BuildKeys).
void TfrmMain::BuildDebuggingControls() {
  auto cheat = [&](ControlId id) {
    const Control& c = ControlOf(id);
    auto* b = new QPushButton(QString::fromLatin1(c.Caption), GameArea);
    Place(b, c);
    b->setVisible(c.Visible);
    return b;
  };
  ObjectCheat = cheat(ControlId::ObjectCheat);
  RoomCheat = cheat(ControlId::RoomCheat);
}

// Notices that need no answer (no sound, the zoom, reading aloud), in the
// black strip under the command line.
void TfrmMain::BuildStatusLine() {
  const Control& c = ControlOf(ControlId::lblStatus);
  lblStatus = new QLabel(GameArea);
  Place(lblStatus, c);
  lblStatus->setFont(FontOf(c));
  QPalette p = lblStatus->palette();
  p.setColor(QPalette::WindowText, Colour(c.Fore));
  lblStatus->setPalette(p);
  lblStatus->setAccessibleName(QString::fromLatin1(c.AccessibleName));
  lblStatus->hide();
  statusTimer_.setSingleShot(true);
  connect(&statusTimer_, &QTimer::timeout, this, [this] {
    // A notice given while a box stood in front is left for the player to
    // read once the box is gone.
    if (QApplication::activeModalWidget()) {
      statusTimer_.start();
      return;
    }
    lblStatus->hide();
  });
}

// The window's own keys: zoom, full screen and reading aloud; F1 for the
// help, Ctrl+S, Ctrl+O and Ctrl+Q for the Save, Load and Exit buttons.
// Ctrl+Z undoes, Ctrl+Shift+Z and Ctrl+Y redo, wherever the focus is; the
// debugging buttons have Ctrl+Shift+G and Ctrl+Shift+R.
void TfrmMain::BuildKeys() {
  for (const KeyBinding& b : KeyBindings()) {
    const Qt::KeyboardModifiers mods =
        (b.Ctrl ? Qt::ControlModifier : Qt::NoModifier) | (b.Shift ? Qt::ShiftModifier : Qt::NoModifier);
    auto* s = new QShortcut(QKeySequence(QKeyCombination(mods, QtKey(b.K))), this);
    s->setContext(Qt::WindowShortcut);
    connect(s, &QShortcut::activated, this, [this, action = b.Action] { KeyPressed(action); });
  }
}

void TfrmMain::KeyPressed(KeyAction action) {
  switch (action) {
    case KeyAction::Help: spbHelp->click(); break;
    case KeyAction::Save: SaveBtn->click(); break;
    case KeyAction::Load: LoadBtn->click(); break;
    case KeyAction::Exit: ExitBtn->click(); break;
    case KeyAction::Undo: Handle([this] { game_.Undo(); }); break;
    case KeyAction::Redo: Handle([this] { game_.Redo(); }); break;
    case KeyAction::ZoomIn: ZoomIn(); break;
    case KeyAction::ZoomOut: ZoomOut(); break;
    case KeyAction::ZoomFit: ZoomToFit(); break;
    case KeyAction::FullScreen: ToggleFullScreen(); break;
    case KeyAction::Speech: ToggleSpeech(); break;
    case KeyAction::ObjectCheat: ObjectCheat->click(); break;
    case KeyAction::RoomCheat: RoomCheat->click(); break;
    case KeyAction::None: break;
  }
}

void TfrmMain::SetFocusOrder() {
  setTabOrder(Print, txtCommand);
  for (QWidget* w : std::initializer_list<QWidget*>{imgView, imgCarried, lblCarry, Label1, lblStatus, GameArea})
    w->setFocusPolicy(Qt::NoFocus);
  setFocusProxy(txtCommand);
}

void TfrmMain::BuildEventTimer() {
  EventT.setObjectName(QStringLiteral("EventT"));
  EventT.setSingleShot(true);
  EventT.setInterval(10000);
  EventT.setTimerType(Qt::PreciseTimer);
  connect(&EventT, &QTimer::timeout, this, [this] {
    if (!closing_ && !closed_) platform_.EventTimerExpired();
  });
}

void TfrmMain::ConnectHandlers() {
  connect(txtCommand, &TCommandEdit::enterPressed, this, &TfrmMain::CommandEntered);
  connect(spbNorth, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.spbNorthClick(); }); });
  connect(spbSouth, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.spbSouthClick(); }); });
  connect(spbEast, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.spbEastClick(); }); });
  connect(spbWest, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.spbWestClick(); }); });
  connect(spbHelp, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.spbHelpClick(); }); });
  connect(LoadBtn, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.mnuFile_OpenClick(); }); });
  connect(SaveBtn, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.mnuFile_SaveClick(); }); });
  connect(NewBtn, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.mnuFile_NewClick(); }); });
  connect(AboutBtn, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.mnuAbout_aboutClick(); }); });
  connect(ExitBtn, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.mnuFile_ExitClick(); }); });
  connect(ObjectCheat, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.ObjectCheatClick(); }); });
  connect(RoomCheat, &QAbstractButton::clicked, this, [this] { Handle([this] { game_.RoomCheatClick(); }); });
  connect(imgView, &TImage::released, this, &TfrmMain::imgViewReleased);
  connect(imgCarried, &TImage::released, this, &TfrmMain::imgCarriedReleased);
}

void TfrmMain::ShowUndoHint(UndoHint hint) { txtCommand->setPlaceholderText(QString::fromLatin1(UndoHintText(hint))); }

template <typename F>
void TfrmMain::Handle(F f) {
  if (closing_ || closed_) return;
  // Whatever the player does next, the rest of the last answer is not read.
  speech_.NewCommand();
  f();
  // A box or dialog of the command may have taken the keyboard, and the
  // mouse may have left the button that was pressed.
  if (!closing_ && !closed_ && isVisible() && !QApplication::activeModalWidget()) TakeKeyboard();
}

void TfrmMain::CommandEntered() {
  Handle([this] {
    const QString text = txtCommand->text();
    txtCommand->Remember(text);
    game_.txtCommandKeyDown(ToGame(text));
  });
}

namespace {

// A position on a picture control in the coordinates of the picture it
// shows stretched.
QPoint PicturePoint(const TImage* view, QPoint pos) {
  const QImage& pic = view->Picture();
  if (pic.isNull()) return pos;
  int x = 0, y = 0;
  glim::PicturePoint(pos.x(), pos.y(), view->width(), view->height(), pic.width(), pic.height(), x, y);
  return {x, y};
}

}  // namespace

void TfrmMain::imgViewReleased(QPoint pos, Qt::MouseButton) {
  Handle([&] {
    const QPoint p = PicturePoint(imgView, pos);
    game_.imgViewMouseUp(p.x(), p.y());
  });
}

void TfrmMain::imgCarriedReleased(QPoint pos, Qt::MouseButton button) {
  Handle([&] {
    const QPoint p = PicturePoint(imgCarried, pos);
    game_.imgCarriedMouseUp(p.x(), p.y(), button == Qt::LeftButton);
  });
}

void TfrmMain::AppendLine(const QString& text) {
  const int at = Print->document()->characterCount() - 1;
  Print->appendPlainText(text);
  QScrollBar* bar = Print->verticalScrollBar();
  bar->setValue(bar->maximum());
  ScrollToNewest();
  // Screen readers hear the new line as text inserted into the panel.
  if (QAccessible::isActive()) {
    QAccessibleTextInsertEvent inserted(Print, at, text);
    QAccessible::updateAccessibility(&inserted);
  }
  speech_.Line(text);
}

void TfrmMain::ClearLines() { Print->clear(); }

// The panel lays its text out again after a zoom or a new line, and its
// scroll range grows only then: the scroll to the end is made again once
// that is done, so the newest line is never left half hidden.
void TfrmMain::ScrollToNewest() {
  QScrollBar* bar = Print->verticalScrollBar();
  bar->setValue(bar->maximum());
  QTimer::singleShot(0, Print, [bar] { bar->setValue(bar->maximum()); });
}

void TfrmMain::MaximiseWindow() {
  QScreen* s = screen();
  if (!s) return;
  // A switch of the display mode changes the screen's size a moment later:
  // the window follows it.
  if (s != followed_) {
    if (followed_) disconnect(followed_, nullptr, this, nullptr);
    followed_ = s;
    connect(s, &QScreen::geometryChanged, this, [this] {
      if (!closing_ && !closed_ && isVisible()) MaximiseWindow();
    });
  }
  if (!fullScreen_) return;  // the player chose a window of the game's size
  const QRect g = s->geometry();
  if (geometry() != g) setGeometry(g);
  if (!(windowState() & Qt::WindowMaximized)) setWindowState(windowState() | Qt::WindowMaximized);
}

bool TfrmMain::FillsItsRoom() const {
  return fullScreen_ || (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen));
}

double TfrmMain::FittingZoom() const {
  // Full screen, or a framed window the player maximised: the window's own
  // size.
  if (FillsItsRoom()) return FitZoom(size());
  // A window with its frame must fit the screen's free area.
  const QScreen* s = screen();
  if (!s) return 1;
  const QSize frame = frameGeometry().size() - size();
  const QSize room = s->availableGeometry().size() - frame.expandedTo(QSize(16, 48));
  return FitZoom(room);
}

// The game area at the factor, centred in whatever size the window has been
// given: the window manager may size or place a framed window as it likes.
void TfrmMain::LayOut() {
  if (zoomFits_) zoom_ = FittingZoom();
  if (ZoomOf(GameArea) != zoom_ || !GameArea->property("glimZoom").isValid()) ZoomChildren(GameArea, zoom_);
  const QSize area = ZoomSize(QSize(DesignWidth, DesignHeight), zoom_);
  GameArea->setGeometry((width() - area.width()) / 2, (height() - area.height()) / 2, area.width(), area.height());
  ScrollToNewest();
}

// A framed window that is neither maximised nor full screen takes the size
// of the game area when the factor changes.
void TfrmMain::FitWindowToArea() {
  if (FillsItsRoom()) return;
  const QSize area = ZoomSize(QSize(DesignWidth, DesignHeight), zoom_);
  if (size() != area) resize(area);
}

void TfrmMain::resizeEvent(QResizeEvent* e) {
  QWidget::resizeEvent(e);
  LayOut();
}

void TfrmMain::SetZoom(double f) {
  zoomFits_ = false;
  zoom_ = std::clamp(f, 1.0, 8.0);
  LayOut();
  FitWindowToArea();
  ShowStatus(QString::fromStdString(ZoomNotice(zoom_, false)));
}

void TfrmMain::ZoomToFit() {
  zoomFits_ = true;
  LayOut();
  FitWindowToArea();
  ShowStatus(QString::fromStdString(ZoomNotice(zoom_, true)));
}

void TfrmMain::ZoomIn() { SetZoom(glim::ZoomIn(zoom_, FittingZoom())); }

void TfrmMain::ZoomOut() { SetZoom(glim::ZoomOut(zoom_)); }

void TfrmMain::ToggleFullScreen() {
  fullScreen_ = !fullScreen_;
  if (fullScreen_) {
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    MaximiseWindow();
    show();
  } else {
    // A framed window the size of the game area, in the middle of the
    // screen; the factor stays as it was unless it no longer fits.
    setWindowFlags(Qt::Window);
    setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
    if (!zoomFits_) zoom_ = std::min(zoom_, FittingZoom());
    if (zoomFits_) zoom_ = FittingZoom();
    const QSize area = ZoomSize(QSize(DesignWidth, DesignHeight), zoom_);
    resize(area);
    if (const QScreen* s = screen()) {
      const QRect g = s->availableGeometry();
      move(g.x() + (g.width() - area.width()) / 2, g.y() + (g.height() - area.height()) / 2);
    }
    show();
  }
  LayOut();
  TakeKeyboard();
}

QFont TfrmMain::Zoomed(const QFont& design) const { return ZoomFont(design, zoom_); }

void TfrmMain::ToggleSpeech() {
  speech_.SetOn(!speech_.On());
  const QString text = speech_.On() ? QStringLiteral("Reading aloud on (F12 turns it off)")
                                    : QStringLiteral("Reading aloud off (F12 turns it on)");
  ShowStatus(text);
  if (speech_.On()) speech_.Line(QStringLiteral("Reading aloud on"));
}

void TfrmMain::ShowStatus(const QString& text, int seconds) {
  lblStatus->setText(text);
  lblStatus->setToolTip(text);
  lblStatus->show();
  statusTimer_.start(seconds * 1000);
}

bool TfrmMain::SendToCommandLine(QKeyEvent* e) {
  if (closing_ || closed_) return false;
  const Qt::KeyboardModifiers mods = e->modifiers() & ~(Qt::ShiftModifier | Qt::KeypadModifier);
  if (mods != Qt::NoModifier) return false;  // Ctrl+C and the like stay where they are
  const bool typed = !e->text().isEmpty() && e->text().at(0).isPrint();
  const bool editing = e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter || e->key() == Qt::Key_Backspace;
  if (!typed && !editing) return false;
  txtCommand->setFocus(Qt::OtherFocusReason);
  QKeyEvent copy(e->type(), e->key(), e->modifiers(), e->text(), e->isAutoRepeat(), e->count());
  QCoreApplication::sendEvent(txtCommand, &copy);
  return true;
}

bool TfrmMain::eventFilter(QObject* watched, QEvent* e) {
  if (watched == Print && e->type() == QEvent::KeyPress && SendToCommandLine(static_cast<QKeyEvent*>(e))) return true;
  return QWidget::eventFilter(watched, e);
}

void TfrmMain::keyPressEvent(QKeyEvent* e) {
  if (SendToCommandLine(e)) return;
  QWidget::keyPressEvent(e);
}

void TfrmMain::TakeKeyboard() {
  if (closing_ || closed_ || !isVisible()) return;
  raise();
  activateWindow();
  txtCommand->setFocus(Qt::ActiveWindowFocusReason);
  for (auto* b : GameArea->findChildren<TSpeedButton*>()) b->FollowMouse();
}

void TfrmMain::ActivateSoon() {
  if (activationPending_ || closing_ || closed_) return;
  activationPending_ = true;
  QTimer::singleShot(0, this, [this] {
    activationPending_ = false;
    if (!closing_ && !closed_) game_.FormActivate();
  });
}

bool TfrmMain::event(QEvent* e) {
  if (e->type() == QEvent::WindowActivate) ActivateSoon();
  return QWidget::event(e);
}

void TfrmMain::CloseNow() {
  quitConfirmed_ = true;
  close();
}

void TfrmMain::closeEvent(QCloseEvent* e) {
  if (closed_) {
    e->accept();
    return;
  }
  // The frame's close button or Alt+F4: the same question as the Exit
  // button, asked once the close request has returned; a Yes closes the
  // window through CloseNow.
  if (!quitConfirmed_) {
    e->ignore();
    if (!closing_) QTimer::singleShot(0, this, [this] { Handle([this] { game_.mnuFile_ExitClick(); }); });
    return;
  }
  if (closing_) {  // already closing: the pause is under way
    e->ignore();
    return;
  }
  closing_ = true;
  EventT.stop();
  platform_.FormClose();
  closed_ = true;
  platform_.SetClosed();
  e->accept();
  emit closed();
}

}  // namespace glim
