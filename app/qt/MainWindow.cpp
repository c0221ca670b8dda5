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

const QColor Navy(0, 0, 128);
const QColor Yellow(255, 255, 0);
const QColor Aqua(0, 255, 255);

TLabel* MakeLabel(QWidget* parent, const char* name, const QString& caption, const QRect& geo, const QColor& colour,
                  const QFont& font, Qt::Alignment align) {
  auto* l = new TLabel(caption, parent);
  l->setObjectName(QString::fromLatin1(name));
  l->setGeometry(geo);
  l->setFont(font);
  QPalette p = l->palette();
  p.setColor(QPalette::WindowText, colour);
  p.setColor(QPalette::Window, Qt::black);
  l->setPalette(p);
  l->setAlignment(align);
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
  imgView->setObjectName(QStringLiteral("imgView"));
  imgView->setGeometry(0, 0, 600, 375);
  imgView->setCursor(Qt::PointingHandCursor);
  imgView->setAccessibleName(QStringLiteral("Room picture"));
}

void TfrmMain::BuildMessagePanel() {
  Print = new QPlainTextEdit(GameArea);
  Print->setObjectName(QStringLiteral("Print"));
  Print->setGeometry(0, 376, 600, 153);
  Print->setReadOnly(true);
  Print->setFrameShape(QFrame::NoFrame);
  Print->setFont(SansFont(11));
  Print->setAccessibleName(QStringLiteral("Messages"));
  Print->setAccessibleDescription(
      QStringLiteral("What the game says, newest line last. Typing goes to the command line."));
  Print->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  Print->setFocusPolicy(Qt::StrongFocus);
  QPalette p = Print->palette();
  p.setColor(QPalette::Base, Navy);
  p.setColor(QPalette::Text, Yellow);
  Print->setPalette(p);
  Print->installEventFilter(this);
}

void TfrmMain::BuildCommandLine() {
  txtCommand = new TCommandEdit(GameArea);
  txtCommand->setObjectName(QStringLiteral("txtCommand"));
  txtCommand->setGeometry(0, 528, 600, 21);
  txtCommand->setMaxLength(80);
  txtCommand->setFont(SansFont(11));
  txtCommand->setAccessibleName(QStringLiteral("Command"));
  txtCommand->setAccessibleDescription(QStringLiteral("Type a command and press Enter"));
  QPalette p = txtCommand->palette();
  p.setColor(QPalette::Base, Qt::white);
  p.setColor(QPalette::Text, Qt::black);
  txtCommand->setPalette(p);
}

void TfrmMain::BuildCarriedPanel() {
  imgCarried = new TImage(GameArea);
  imgCarried->setObjectName(QStringLiteral("imgCarried"));
  imgCarried->setGeometry(624, 24, 153, 353);
  imgCarried->setCursor(Qt::PointingHandCursor);
  imgCarried->setAccessibleName(QStringLiteral("Carried objects"));
}

void TfrmMain::BuildCaptions() {
  lblCarry = MakeLabel(GameArea, "lblCarry", QStringLiteral("You are carrying"), QRect(616, 16, 169, 25), Qt::white,
                       ScriptFont(19, false, true), Qt::AlignHCenter | Qt::AlignTop);
  lblCarry->setAutoFillBackground(true);
  Label1 = MakeLabel(GameArea, "Label1", QStringLiteral("The Wendle Staff"), QRect(640, 0, 124, 22), Aqua,
                     ScriptFont(19, true, false), Qt::AlignLeft | Qt::AlignTop);
  // The label lies over the top of the carried panel; it is drawn above it.
  lblCarry->raise();
}

void TfrmMain::BuildFileButtons() {
  auto fileButton = [&](const char* name, const QString& caption, const QRect& geo) {
    auto* b = new TSpeedButton(GameArea);
    b->setObjectName(QString::fromLatin1(name));
    b->setText(caption);
    b->setGeometry(geo);
    b->setFont(ScriptFont(13, true, false));
    QPalette p = b->palette();
    p.setColor(QPalette::ButtonText, Yellow);
    p.setColor(QPalette::Button, Qt::black);
    b->setPalette(p);
    return b;
  };
  LoadBtn = fileButton("LoadBtn", QStringLiteral("Load"), QRect(632, 48, 33, 33));
  SaveBtn = fileButton("SaveBtn", QStringLiteral("Save"), QRect(632, 88, 33, 33));
  NewBtn = fileButton("NewBtn", QStringLiteral("New"), QRect(632, 128, 33, 33));
  AboutBtn = fileButton("AboutBtn", QStringLiteral("About"), QRect(640, 504, 33, 33));
  ExitBtn = fileButton("ExitBtn", QStringLiteral("Exit"), QRect(736, 504, 33, 33));
}

void TfrmMain::BuildDirectionButtons() {
  const QString folder = FromGame(platform_.Options().Folder);
  auto dirButton = [&](const char* name, int dir, const QString& tip, const QRect& geo) {
    auto* b = new TSpeedButton(GameArea);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(geo);
    b->setToolTip(tip);
    b->setAccessibleName(tip);
    b->SetPictures(DirectionPicture(folder, dir, true), DirectionPicture(folder, dir, false));
    return b;
  };
  spbNorth = dirButton("spbNorth", 1, QStringLiteral("Move North"), QRect(696, 419, 23, 22));
  spbNorth->setCursor(Qt::PointingHandCursor);
  spbSouth = dirButton("spbSouth", 2, QStringLiteral("Move South"), QRect(696, 465, 23, 22));
  spbEast = dirButton("spbEast", 3, QStringLiteral("Move East"), QRect(720, 442, 23, 22));
  spbWest = dirButton("spbWest", 4, QStringLiteral("Move West"), QRect(672, 442, 23, 22));
  spbHelp = dirButton("spbHelp", 0, QStringLiteral("Help"), QRect(696, 442, 23, 22));
}

void TfrmMain::BuildCompassLetters() {
  const QFont compass = ScriptFont(21, true, false);
  lblNorth = MakeLabel(GameArea, "lblNorth", QStringLiteral("N"), QRect(700, 392, 19, 24), Qt::white, compass,
                       Qt::AlignHCenter | Qt::AlignTop);
  lblSouth = MakeLabel(GameArea, "lblSouth", QStringLiteral("S"), QRect(700, 489, 11, 24), Qt::white, compass,
                       Qt::AlignLeft | Qt::AlignTop);
  lblEast = MakeLabel(GameArea, "lblEast", QStringLiteral("E"), QRect(744, 440, 13, 24), Qt::white, compass,
                      Qt::AlignLeft | Qt::AlignTop);
  lblWest = MakeLabel(GameArea, "lblWest", QStringLiteral("W"), QRect(648, 442, 22, 24), Qt::white, compass,
                      Qt::AlignLeft | Qt::AlignTop);
}

// The debugging controls: never shown; Ctrl+Shift+G and Ctrl+Shift+R press
// them.
void TfrmMain::BuildDebuggingControls() {
  ObjectCheat = new QPushButton(QStringLiteral("G"), GameArea);
  ObjectCheat->setObjectName(QStringLiteral("ObjectCheat"));
  ObjectCheat->setGeometry(760, 392, 21, 21);
  ObjectCheat->setVisible(false);
  RoomCheat = new QPushButton(QStringLiteral("R"), GameArea);
  RoomCheat->setObjectName(QStringLiteral("RoomCheat"));
  RoomCheat->setGeometry(736, 392, 21, 21);
  RoomCheat->setVisible(false);
  auto* objectKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_G), this);
  connect(objectKey, &QShortcut::activated, ObjectCheat, &QPushButton::click);
  auto* roomKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R), this);
  connect(roomKey, &QShortcut::activated, RoomCheat, &QPushButton::click);
}

// Notices that need no answer (no sound, the zoom, reading aloud), in the
// black strip under the command line.
void TfrmMain::BuildStatusLine() {
  lblStatus = new QLabel(GameArea);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setGeometry(0, 556, 785, 18);
  lblStatus->setFont(SansFont(11));
  QPalette p = lblStatus->palette();
  p.setColor(QPalette::WindowText, QColor(170, 170, 170));
  lblStatus->setPalette(p);
  lblStatus->setAccessibleName(QStringLiteral("Status"));
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
void TfrmMain::BuildKeys() {
  auto key = [this](const QKeySequence& k, void (TfrmMain::*f)()) {
    auto* s = new QShortcut(k, this);
    connect(s, &QShortcut::activated, this, f);
  };
  auto button = [this](const QKeySequence& k, QAbstractButton* b) {
    auto* s = new QShortcut(k, this);
    connect(s, &QShortcut::activated, b, &QAbstractButton::click);
  };
  button(QKeySequence(Qt::Key_F1), spbHelp);
  button(QKeySequence(Qt::CTRL | Qt::Key_S), SaveBtn);
  button(QKeySequence(Qt::CTRL | Qt::Key_O), LoadBtn);
  button(QKeySequence(Qt::CTRL | Qt::Key_Q), ExitBtn);
  key(QKeySequence(Qt::CTRL | Qt::Key_Plus), &TfrmMain::ZoomIn);
  key(QKeySequence(Qt::CTRL | Qt::Key_Equal), &TfrmMain::ZoomIn);
  key(QKeySequence(Qt::CTRL | Qt::Key_Minus), &TfrmMain::ZoomOut);
  key(QKeySequence(Qt::CTRL | Qt::Key_0), &TfrmMain::ZoomToFit);
  key(QKeySequence(Qt::Key_F11), &TfrmMain::ToggleFullScreen);
  key(QKeySequence(Qt::Key_F12), &TfrmMain::ToggleSpeech);
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
  BuildUndoKeys();
}

void TfrmMain::BuildUndoKeys() {
  auto key = [this](const QKeySequence& keys, bool undo) {
    auto* k = new QShortcut(keys, this);
    k->setContext(Qt::WindowShortcut);
    connect(k, &QShortcut::activated, this,
            [this, undo] { Handle([this, undo] { undo ? game_.Undo() : game_.Redo(); }); });
  };
  key(QKeySequence(Qt::CTRL | Qt::Key_Z), true);
  key(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), false);
  key(QKeySequence(Qt::CTRL | Qt::Key_Y), false);
}

void TfrmMain::ShowUndoHint(UndoHint hint) {
  switch (hint) {
    case UndoHint::Death: txtCommand->setPlaceholderText(QStringLiteral("Ctrl+Z takes back the fatal move")); break;
    case UndoHint::NewGame: txtCommand->setPlaceholderText(QStringLiteral("Ctrl+Z takes back the new game")); break;
    case UndoHint::None: txtCommand->setPlaceholderText(QString()); break;
  }
}

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
  if (pic.isNull() || view->width() <= 0 || view->height() <= 0) return pos;
  const int x = static_cast<int>(static_cast<long long>(pos.x()) * pic.width() / view->width());
  const int y = static_cast<int>(static_cast<long long>(pos.y()) * pic.height() / view->height());
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

namespace {

QString ZoomText(double f, bool fits) {
  return QStringLiteral("Zoom %1%%2  (Ctrl+Plus, Ctrl+Minus, Ctrl+0 fits; F11 full screen or window)")
      .arg(qRound(f * 100))
      .arg(fits ? QStringLiteral(", as large as fits") : QString());
}

}  // namespace

void TfrmMain::SetZoom(double f) {
  zoomFits_ = false;
  zoom_ = std::clamp(f, 1.0, 8.0);
  LayOut();
  FitWindowToArea();
  ShowStatus(ZoomText(zoom_, false));
}

void TfrmMain::ZoomToFit() {
  zoomFits_ = true;
  LayOut();
  FitWindowToArea();
  ShowStatus(ZoomText(zoom_, true));
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
