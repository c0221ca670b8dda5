// The main window: the room view, the message panel, the command line, the
// carried-objects panel, the direction and file buttons, all at the fixed
// places of the game's 800 x 600 design, on black. The design is drawn at a
// zoom factor (at start the largest that fits the screen) and centred in
// the window; Ctrl+Plus, Ctrl+Minus and Ctrl+0 change the factor, F11
// switches between the full screen and a window of the game's size.
#pragma once

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include "app/qt/ReadAloud.h"
#include "app/qt/SplashAbout.h"
#include "ui/Layout.h"

namespace glim {

class Game;
class QtPlatform;
enum class UndoHint;
}  // namespace glim

class QScreen;

namespace glim {

// A flat button: no frame until the mouse is over it; a caption, or a
// picture with its own disabled version.
class TSpeedButton : public QAbstractButton {
  Q_OBJECT
 public:
  explicit TSpeedButton(QWidget* parent = nullptr);
  void SetPictures(const QPixmap& enabled, const QPixmap& disabled);
  // After a box stood in front, the mouse may have left without the
  // button hearing of it: the frame follows where the mouse is now.
  void FollowMouse();
  bool Hovered() const { return hover_; }
  const QPixmap& EnabledPicture() const { return enabledPic_; }
  const QPixmap& DisabledPicture() const { return disabledPic_; }

 protected:
  void paintEvent(QPaintEvent*) override;
  void enterEvent(QEnterEvent*) override;
  void leaveEvent(QEvent*) override;

 private:
  QPixmap enabledPic_, disabledPic_;
  bool hover_ = false;
};

// A caption. The decorative face stands taller than the labels of the
// layout, so the caption's ink (not the font's line box) is fitted into the
// label: centred vertically, aligned horizontally as the label says.
class TLabel : public QLabel {
  Q_OBJECT
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// The command line: at most 80 characters; Enter is handed to the game and
// consumed; Up and Down walk through the commands entered this run, keeping
// the line being typed.
class TCommandEdit : public QLineEdit {
  Q_OBJECT
 public:
  explicit TCommandEdit(QWidget* parent = nullptr);
  void Remember(const QString& command);
  const QStringList& History() const { return history_; }

 signals:
  void enterPressed();

 protected:
  bool event(QEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QStringList history_;
  int pos_ = 0;  // history_.size() means the line being typed
  QString draft_;
};

class TfrmMain : public QWidget {
  Q_OBJECT
 public:
  TfrmMain(Game& game, QtPlatform& platform);

  void MaximiseWindow();
  void AppendLine(const QString& text);
  void ClearLines();
  // The window's first activation, also without a window manager to give
  // the window the focus.
  void ActivateSoon();
  // The hint in the empty command line that Ctrl+Z takes the last step back.
  void ShowUndoHint(UndoHint hint);
  // After a modal window: the main window is brought forward and the
  // command line takes the keyboard, with or without a window manager.
  void TakeKeyboard();
  // Closes the window without asking (the player has said Yes, or the
  // program was told to end); the frame's close button, Alt+F4 and the
  // like ask first, as the Exit button does.
  void CloseNow();

  // The zoom factor of the game area, and whether it follows the window
  // (the largest factor that fits).
  double Zoom() const { return zoom_; }
  bool ZoomFits() const { return zoomFits_; }
  // A factor of the player's choice (the keys keep it within what fits).
  void SetZoom(double f);
  void ZoomToFit();
  void ZoomIn();
  void ZoomOut();
  bool FullScreen() const { return fullScreen_; }
  void ToggleFullScreen();
  // A font at the window's zoom, for the boxes and dialogs it opens.
  QFont Zoomed(const QFont& design) const;

  // Reading the message panel aloud (F12).
  ReadAloud& Speech() { return speech_; }
  void ToggleSpeech();
  // A short notice under the game area that needs no answer; it goes away
  // by itself some seconds after no box is open any more.
  void ShowStatus(const QString& text, int seconds = 4);

  // The game area that holds every control of the design.
  QWidget* GameArea = nullptr;
  TImage* imgView = nullptr;
  QPlainTextEdit* Print = nullptr;
  TCommandEdit* txtCommand = nullptr;
  TImage* imgCarried = nullptr;
  TLabel* lblCarry = nullptr;
  TLabel* Label1 = nullptr;
  TSpeedButton* LoadBtn = nullptr;
  TSpeedButton* SaveBtn = nullptr;
  TSpeedButton* NewBtn = nullptr;
  TSpeedButton* AboutBtn = nullptr;
  TSpeedButton* ExitBtn = nullptr;
  TSpeedButton* spbNorth = nullptr;
  TSpeedButton* spbSouth = nullptr;
  TSpeedButton* spbEast = nullptr;
  TSpeedButton* spbWest = nullptr;
  TSpeedButton* spbHelp = nullptr;
  TLabel* lblNorth = nullptr;
  TLabel* lblSouth = nullptr;
  TLabel* lblEast = nullptr;
  TLabel* lblWest = nullptr;
  QPushButton* ObjectCheat = nullptr;
  QPushButton* RoomCheat = nullptr;
  QLabel* lblStatus = nullptr;
  QTimer EventT;

 signals:
  // The window has closed and the program should end.
  void closed();

 protected:
  bool event(QEvent* e) override;
  void closeEvent(QCloseEvent* e) override;
  void resizeEvent(QResizeEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // The parts of the window, built in this order.
  void BuildWindow();
  void BuildRoomView();
  void BuildMessagePanel();
  void BuildCommandLine();
  void BuildCarriedPanel();
  void BuildCaptions();
  void BuildFileButtons();
  void BuildDirectionButtons();
  void BuildCompassLetters();
  void BuildDebuggingControls();
  void BuildStatusLine();
  void BuildKeys();
  void SetFocusOrder();
  void BuildEventTimer();
  void ConnectHandlers();

  // Places the game area at the current factor, centred in the window.
  void LayOut();
  // The factor that fits the window (full screen or maximised) or the
  // screen (a window of the game's size).
  double FittingZoom() const;
  bool FillsItsRoom() const;
  void FitWindowToArea();
  // A key typed anywhere but the command line goes there instead.
  bool SendToCommandLine(QKeyEvent* e);

  // Runs a handler of the game unless the window is closing; afterwards
  // the command line has the keyboard again.
  template <typename F>
  void Handle(F f);
  // Keeps the newest line of the message panel in view once the panel has
  // been laid out again.
  void ScrollToNewest();
  void imgViewReleased(QPoint pos, Qt::MouseButton button);
  void imgCarriedReleased(QPoint pos, Qt::MouseButton button);
  void CommandEntered();
  // What one of the window's keys does.
  void KeyPressed(KeyAction action);

  Game& game_;
  QtPlatform& platform_;
  QScreen* followed_ = nullptr;
  bool activationPending_ = false;
  bool closing_ = false;
  bool closed_ = false;
  bool quitConfirmed_ = false;
  double zoom_ = 1;
  bool zoomFits_ = true;
  bool fullScreen_ = true;
  QTimer statusTimer_;
  ReadAloud speech_;
};

// The pictures of the direction and help buttons (1..4 north, south, east,
// west; 0 help), enabled or greyed: images/btn_NAME.png and btn_NAME_off.png
// of the game folder, or pictures drawn here when the game has none.
QPixmap DirectionPicture(const QString& gameFolder, int direction, bool enabled);

}  // namespace glim
