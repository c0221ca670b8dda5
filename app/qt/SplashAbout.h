// The splash screen shown once at start-up, with the title picture and the
// game's text scrolling sideways under it, and the About box that shows the
// same text in a scrollable field.
#pragma once

#include <QDialog>
#include <QImage>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QWidget>

class QPlainTextEdit;

namespace glim {

// The title picture: images/title.png of the game folder, or a picture drawn
// here when the game has none.
QImage TitlePicture(const QString& gameFolder);

// The credits and the introduction: credits.txt of the game folder, the one
// text that the splash scrolls, the About box shows and the terminal game
// prints. Empty when the file is missing.
QStringList GameText(const QString& gameFolder);

// A picture control that shows its image stretched to its own size.
class TImage : public QWidget {
  Q_OBJECT
 public:
  explicit TImage(QWidget* parent = nullptr);
  void SetPicture(const QImage& img);
  const QImage& Picture() const { return picture_; }
  // Smooth scaling for photographs; off for the strip and the icons.
  void SetSmooth(bool on) { smooth_ = on; }

 signals:
  void released(QPoint pos, Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent*) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  QImage picture_;
  bool smooth_ = true;
};

class TfrmAbout;

class TfrmSplash : public QDialog {
  Q_OBJECT
 public:
  TfrmSplash(TfrmAbout* about, QWidget* parent = nullptr);
  void SetAbout(TfrmAbout* about) { about_ = about; }

  // The game folder whose picture and text are shown.
  void SetGameFolder(const QString& folder);

  // Shows the splash modally until "Click to Continue" or Escape; then the
  // scrolling stops and the window is hidden.
  void RunModal();
  // Draws the splash at the main window's zoom factor.
  void SetZoom(double f);

  // The activation: prepares the strip, fills the About box and starts
  // the scrolling.
  void FormActivate();
  // One scroll step: the strip rotates one pixel to the left.
  void tmrScrollTimer();

  const QImage& Strip() const { return strip_; }
  QString ScrollText() const;

  TImage* imgSplash = nullptr;
  TImage* imgScroll = nullptr;
  QPlainTextEdit* Memo1 = nullptr;
  QPushButton* cmdDone = nullptr;
  QTimer tmrScroll;

 protected:
  void keyPressEvent(QKeyEvent* e) override;
  void showEvent(QShowEvent* e) override;

 private:
  void ShowStripPart();

  TfrmAbout* about_;
  QImage strip_;
  QImage column_;
};

class TfrmAbout : public QDialog {
  Q_OBJECT
 public:
  explicit TfrmAbout(QWidget* parent = nullptr);
  void SetGameFolder(const QString& folder);
  // Fills the text field (the splash does it at its activation).
  void SetText(const QString& text);
  void RunModal();
  void SetZoom(double f);

  TImage* imgSplash = nullptr;
  QPlainTextEdit* memAbout = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace glim
