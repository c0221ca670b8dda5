#include "app/qt/SplashAbout.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPlainTextEdit>
#include <QRadialGradient>
#include <QScreen>
#include <cstring>

#include "app/qt/Fonts.h"
#include "app/qt/Zoom.h"
#include "shell/GameFolder.h"

namespace glim {

namespace {

constexpr int ScrollW = ScrollWidth, ScrollH = ScrollHeight;

QRect Design(std::span<const Control> controls, const char* name) {
  return ToQRect(FindControl(controls, name)->Design);
}

QString FromFileText(const QByteArray& b) {
  QString s = QString::fromUtf8(b);
  if (s.contains(QChar::ReplacementCharacter)) s = QString::fromLatin1(b);
  return s;
}

void CentreOnScreen(QWidget* w) {
  QScreen* s = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
  if (!s) return;
  const QRect g = s->availableGeometry();
  w->move(g.x() + (g.width() - w->width()) / 2, g.y() + (g.height() - w->height()) / 2);
}

}  // namespace

QImage TitlePicture(const QString& gameFolder) {
  QImage img;
  for (const char* name : {"images/title.png", "images/Title.png", "images/title.jpg"})
    if (img.load(gameFolder + QString::fromLatin1(name))) return img.convertToFormat(QImage::Format_RGB32);

  // No title picture: a night sky over a dark hill, the staff glowing on
  // it, and the name of the game.
  img = QImage(800, 600, QImage::Format_RGB32);
  QPainter p(&img);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, 600);
  sky.setColorAt(0.0, QColor(4, 6, 28));
  sky.setColorAt(0.6, QColor(22, 18, 64));
  sky.setColorAt(1.0, QColor(8, 4, 16));
  p.fillRect(img.rect(), sky);
  // Stars at fixed places, so the picture is the same at every start.
  uint32_t seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 16) & 0x7fff;
  };
  for (int i = 0; i < 140; ++i) {
    const int x = static_cast<int>(next() % 800), y = static_cast<int>(next() % 380);
    const int b = 120 + static_cast<int>(next() % 136);
    p.setPen(QColor(b, b, std::min(255, b + 30)));
    p.drawPoint(x, y);
  }
  QPainterPath hill;
  hill.moveTo(0, 600);
  hill.lineTo(0, 470);
  hill.cubicTo(200, 400, 320, 430, 400, 420);
  hill.cubicTo(520, 405, 640, 450, 800, 470);
  hill.lineTo(800, 600);
  p.fillPath(hill, QColor(6, 8, 10));
  QRadialGradient glow(400, 250, 120);
  glow.setColorAt(0.0, QColor(255, 230, 140, 150));
  glow.setColorAt(1.0, QColor(255, 230, 140, 0));
  p.setPen(Qt::NoPen);
  p.setBrush(glow);
  p.drawEllipse(QPointF(400, 250), 120, 120);
  p.setPen(QPen(QColor(200, 160, 60), 7, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(400, 232), QPointF(400, 420));
  p.setBrush(QColor(255, 240, 190));
  p.setPen(Qt::NoPen);
  p.drawEllipse(QPointF(400, 228), 12, 12);
  p.setPen(QColor(230, 190, 80));
  p.setFont(ScriptFont(96, true, false));
  p.drawText(QRect(0, 40, 800, 130), Qt::AlignCenter, QStringLiteral("Glimmerhold"));
  p.setPen(QColor(0, 220, 220));
  p.setFont(ScriptFont(40, false, true));
  p.drawText(QRect(0, 150, 800, 60), Qt::AlignCenter, QStringLiteral("The Wendle Staff"));
  p.end();
  return img;
}

QStringList GameText(const QString& gameFolder) {
  const QByteArray folder = gameFolder.toLocal8Bit();
  const std::string bytes = ReadCredits(std::string(folder.constData(), static_cast<size_t>(folder.size())));
  if (!bytes.empty()) {
    QString s = FromFileText(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    s.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    s.replace('\r', '\n');
    if (s.endsWith('\n')) s.chop(1);
    if (!s.trimmed().isEmpty()) return s.split('\n');
  }
  return {};
}

TImage::TImage(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_OpaquePaintEvent); }

void TImage::SetPicture(const QImage& img) {
  picture_ = img;
  update();
}

void TImage::paintEvent(QPaintEvent*) {
  QPainter p(this);
  if (picture_.isNull()) {
    p.fillRect(rect(), Qt::black);
    return;
  }
  p.setRenderHint(QPainter::SmoothPixmapTransform, smooth_);
  p.drawImage(rect(), picture_);
}

void TImage::mouseReleaseEvent(QMouseEvent* e) {
  emit released(e->position().toPoint(), e->button());
  QWidget::mouseReleaseEvent(e);
}

TfrmSplash::TfrmSplash(TfrmAbout* about, QWidget* parent) : QDialog(parent), about_(about) {
  setObjectName(QStringLiteral("frmSplash"));
  setWindowTitle(QStringLiteral("Glimmerhold"));
  setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
  setFixedSize(SplashWidth, SplashHeight);
  setModal(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setFont(SansFont(11));

  imgSplash = new TImage(this);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setGeometry(Design(SplashControls(), "imgSplash"));
  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(0, 0, 785, 161);
  Memo1->setVisible(false);
  imgScroll = new TImage(this);
  imgScroll->setObjectName(QStringLiteral("imgScroll"));
  imgScroll->setGeometry(Design(SplashControls(), "imgScroll"));
  imgScroll->SetSmooth(false);
  cmdDone = new QPushButton(QString::fromLatin1(FindControl(SplashControls(), "cmdDone")->Caption), this);
  cmdDone->setObjectName(QStringLiteral("cmdDone"));
  cmdDone->setGeometry(Design(SplashControls(), "cmdDone"));
  connect(cmdDone, &QPushButton::clicked, this, &QDialog::accept);
  tmrScroll.setObjectName(QStringLiteral("tmrScroll"));
  tmrScroll.setTimerType(Qt::PreciseTimer);
  connect(&tmrScroll, &QTimer::timeout, this, &TfrmSplash::tmrScrollTimer);
}

void TfrmSplash::SetGameFolder(const QString& folder) {
  imgSplash->SetPicture(TitlePicture(folder));
  Memo1->setPlainText(GameText(folder).join('\n'));
}

QString TfrmSplash::ScrollText() const {
  // The lines follow one another on the one line of the strip.
  std::vector<std::string> lines;
  for (const QString& l : Memo1->toPlainText().split('\n')) lines.push_back(l.toStdString());
  return QString::fromStdString(glim::ScrollText(lines));
}

void TfrmSplash::FormActivate() {
  if (about_) about_->SetText(Memo1->toPlainText());
  const QString text = ScrollText();
  // The strip is twice as wide as the text measured in the window's small
  // default font, which is about the width of the large text drawn on it;
  // it is never narrower than the drawn text and a gap, so the end of the
  // text is never cut off.
  const int measured = QFontMetrics(SansFont(11)).horizontalAdvance(text);
  const QFont big = ArialFont(16);
  const int width = StripWidth(measured, QFontMetrics(big).horizontalAdvance(text));
  strip_ = QImage(width, ScrollH, QImage::Format_RGB32);
  strip_.fill(Qt::black);
  column_ = QImage(1, ScrollH, QImage::Format_RGB32);
  {
    QPainter p(&strip_);
    p.setFont(big);
    p.setPen(Qt::white);
    const QFontMetrics fm(big);
    p.drawText(ScrollTextX, ScrollTextY + fm.ascent(), text);
  }
  ShowStripPart();
  tmrScroll.setInterval(ScrollTickMs);
  tmrScroll.start();
}

void TfrmSplash::tmrScrollTimer() {
  if (strip_.isNull()) return;
  const int w = strip_.width();
  for (int y = 0; y < strip_.height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(strip_.scanLine(y));
    reinterpret_cast<uint32_t*>(column_.scanLine(y))[0] = row[0];
    std::memmove(row, row + 1, static_cast<size_t>(w - 1) * sizeof(uint32_t));
    row[w - 1] = reinterpret_cast<const uint32_t*>(column_.constScanLine(y))[0];
  }
  ShowStripPart();
  if (imgScroll->isVisible()) imgScroll->repaint();
}

void TfrmSplash::ShowStripPart() { imgScroll->SetPicture(strip_.copy(0, 0, ScrollW, ScrollH)); }

void TfrmSplash::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormActivate();
}

void TfrmSplash::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    cmdDone->click();
    return;
  }
  QDialog::keyPressEvent(e);
}

void TfrmSplash::SetZoom(double f) {
  ZoomChildren(this, f);
  setFixedSize(ZoomSize(QSize(SplashWidth, SplashHeight), f));
  // The strip is a picture: stretched smoothly when it is drawn larger.
  imgScroll->SetSmooth(ZoomSize(QSize(ScrollW, ScrollH), f) != QSize(ScrollW, ScrollH));
}

void TfrmSplash::RunModal() {
  CentreOnScreen(this);
  exec();
  tmrScroll.stop();
  hide();
}

TfrmAbout::TfrmAbout(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(QString::fromLatin1(AboutTitle));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setFixedSize(AboutWidth, AboutHeight);
  setModal(true);
  setAutoFillBackground(true);
  QPalette pal = palette();
  pal.setColor(QPalette::Window, Qt::black);
  setPalette(pal);
  setFont(SansFont(11));

  imgSplash = new TImage(this);
  imgSplash->setObjectName(QStringLiteral("imgSplash"));
  imgSplash->setGeometry(Design(AboutControls(), "imgSplash"));
  memAbout = new QPlainTextEdit(this);
  memAbout->setObjectName(QStringLiteral("memAbout"));
  memAbout->setAccessibleName(QString::fromLatin1(AboutTitle));
  memAbout->setGeometry(Design(AboutControls(), "memAbout"));
  memAbout->setReadOnly(true);
  memAbout->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memAbout->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  memAbout->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  memAbout->setFont(ArialFont(8));
  QPalette mp = memAbout->palette();
  mp.setColor(QPalette::Base, QColor(0, 0, 128));
  mp.setColor(QPalette::Text, QColor(255, 255, 0));
  memAbout->setPalette(mp);
  memAbout->setFrameShape(QFrame::NoFrame);
  cmdOK = new QPushButton(QString::fromLatin1(FindControl(AboutControls(), "cmdOK")->Caption), this);
  cmdOK->setObjectName(QStringLiteral("cmdOK"));
  cmdOK->setGeometry(Design(AboutControls(), "cmdOK"));
  cmdOK->setDefault(true);
  connect(cmdOK, &QPushButton::clicked, this, &QDialog::accept);
}

void TfrmAbout::SetGameFolder(const QString& folder) {
  imgSplash->SetPicture(TitlePicture(folder));
  if (memAbout->toPlainText().isEmpty()) SetText(GameText(folder).join('\n'));
}

void TfrmAbout::SetText(const QString& text) { memAbout->setPlainText(text); }

void TfrmAbout::SetZoom(double f) {
  ZoomChildren(this, f);
  setFixedSize(ZoomSize(QSize(AboutWidth, AboutHeight), f));
}

void TfrmAbout::RunModal() {
  CentreOnScreen(this);
  exec();
}

}  // namespace glim
