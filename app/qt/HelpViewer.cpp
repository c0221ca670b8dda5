#include "app/qt/HelpViewer.h"

#include <QApplication>
#include <QDesktopServices>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QImage>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QSplitter>
#include <QStringConverter>
#include <QStringDecoder>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <functional>

#include "app/qt/Fonts.h"
#include "app/qt/Zoom.h"

namespace glim {

namespace {

// A path from a link as an absolute archive path.
QString ArchivePath(QString local) {
  const int sep = local.indexOf("::");
  if (sep >= 0) local = local.mid(sep + 2);
  local.replace('\\', '/');
  if (!local.startsWith('/')) local.prepend('/');
  return local;
}

// The text with every match of `re` replaced by what `with` makes of it.
QString ReplaceEach(const QString& text, const QRegularExpression& re,
                    const std::function<QString(const QRegularExpressionMatch&)>& with) {
  QString out;
  qsizetype at = 0;
  auto it = re.globalMatch(text);
  while (it.hasNext()) {
    const auto m = it.next();
    out += text.mid(at, m.capturedStart() - at);
    out += with(m);
    at = m.capturedEnd();
  }
  return out + text.mid(at);
}

}  // namespace

bool ChmFile::Open(const QString& path) { return file_.Open(path.toLocal8Bit().toStdString()); }

bool ChmFile::Exists(const QString& path) const { return file_.Exists(path.toStdString()); }

bool ChmFile::Read(const QString& path, QByteArray& out) const {
  std::string data;
  if (!file_.Read(path.toStdString(), data)) return false;
  out = QByteArray(data.data(), static_cast<qsizetype>(data.size()));
  return true;
}

QStringList ChmFile::Files() const {
  QStringList list;
  for (const std::string& f : file_.Files()) list.append(QString::fromUtf8(f));
  return list;
}

std::vector<HelpTopic> ParseContents(const QByteArray& data) {
  const QString html = DecodePage(data);
  static const QRegularExpression tag(QStringLiteral("<\\s*(/?)\\s*([a-zA-Z]+)([^>]*)>"));
  static const QRegularExpression attr(QStringLiteral("([a-zA-Z]+)\\s*=\\s*(?:\"([^\"]*)\"|'([^']*)'|([^\\s>]+))"));
  std::vector<HelpTopic> root;
  // The chain of lists the parser is in; each level appends to the children
  // of the last topic of the level above.
  std::vector<std::vector<HelpTopic>*> stack{&root};
  bool inObject = false;
  HelpTopic current;
  auto it = tag.globalMatch(html);
  while (it.hasNext()) {
    const auto m = it.next();
    const bool closing = !m.captured(1).isEmpty();
    const QString name = m.captured(2).toLower();
    if (name == "ul" && !closing) {
      std::vector<HelpTopic>* level = stack.back();
      if (!level->empty())
        stack.push_back(&level->back().Children);
      else
        stack.push_back(level);  // a list with no topic before it
    } else if (name == "ul" && closing) {
      if (stack.size() > 1) stack.pop_back();
    } else if (name == "object" && !closing) {
      inObject = m.captured(3).contains("sitemap", Qt::CaseInsensitive);
      current = HelpTopic{};
    } else if (name == "object" && closing) {
      if (inObject && (!current.Name.isEmpty() || !current.Local.isEmpty())) stack.back()->push_back(current);
      inObject = false;
    } else if (name == "param" && inObject) {
      QString pname, pvalue;
      auto ai = attr.globalMatch(m.captured(3));
      while (ai.hasNext()) {
        const auto a = ai.next();
        QString v = a.captured(2);
        if (v.isEmpty()) v = a.captured(3);
        if (v.isEmpty()) v = a.captured(4);
        if (a.captured(1).compare("name", Qt::CaseInsensitive) == 0) pname = v;
        if (a.captured(1).compare("value", Qt::CaseInsensitive) == 0) pvalue = v;
      }
      if (pname.compare("Name", Qt::CaseInsensitive) == 0 && current.Name.isEmpty()) current.Name = pvalue;
      if (pname.compare("Local", Qt::CaseInsensitive) == 0) current.Local = pvalue;
    }
  }
  return root;
}

QString DecodePage(const QByteArray& data) {
  if (auto enc = QStringConverter::encodingForHtml(data)) {
    QStringDecoder dec(*enc);
    if (dec.isValid()) return dec.decode(data);
  }
  QStringDecoder utf8(QStringConverter::Utf8, QStringConverter::Flag::Stateless);
  const QString s = utf8.decode(data);
  if (!utf8.hasError()) return s;
  return QString::fromLatin1(data);
}

// The browser's own handling of links would send every link it does not
// know (chm: among them) to the desktop's browser: links are followed here.
HelpBrowser::HelpBrowser(const ChmFile& chm, QWidget* parent) : QTextBrowser(parent), chm_(chm) {
  setOpenExternalLinks(false);
  setOpenLinks(false);
  connect(this, &QTextBrowser::anchorClicked, this, &HelpBrowser::Follow);
}

LinkKind KindOfLink(const QUrl& url) {
  const QString scheme = url.scheme().toLower();
  if (scheme == QLatin1String("chm")) return LinkKind::Help;
  if (scheme == QLatin1String("http") || scheme == QLatin1String("https")) return LinkKind::Outside;
  return LinkKind::Nowhere;
}

void HelpBrowser::Follow(const QUrl& link) {
  QUrl url = link;
  // A path relative to the page, or an anchor of it; a help file's own
  // "file.chm::/page.html" form names a page of this file too.
  if (url.isRelative()) url = source().resolved(url);
  const int sep = link.toString().indexOf(QLatin1String("::"));
  if (sep >= 0) {
    url = UrlFor(link.toString().mid(sep + 2).section('#', 0, 0));
    url.setFragment(link.fragment());
  }
  switch (KindOfLink(url)) {
    case LinkKind::Help:
      if (url.path().isEmpty()) url.setPath(source().path());
      setSource(url);
      break;
    case LinkKind::Outside: QDesktopServices::openUrl(url); break;
    case LinkKind::Nowhere: break;
  }
}

void HelpBrowser::SetZoom(double f) {
  if (f == zoom_) return;
  zoom_ = f;
  reload();
}

QUrl HelpBrowser::UrlFor(const QString& archivePath) {
  QUrl u;
  u.setScheme(QStringLiteral("chm"));
  u.setPath(ArchivePath(archivePath));
  return u;
}

QVariant HelpBrowser::loadResource(int type, const QUrl& name) {
  QUrl url = name;
  if (url.isRelative()) url = source().resolved(url);
  if (url.scheme() != QLatin1String("chm")) return QTextBrowser::loadResource(type, name);
  QByteArray data;
  if (!chm_.Read(url.path(), data)) return {};
  if (type == QTextDocument::ImageResource) {
    QImage img;
    if (img.loadFromData(data)) return img;
    return {};
  }
  if (type == QTextDocument::HtmlResource)
    return FitPictures(ZoomPage(TrimPageEnd(DecodePage(data)), zoom_), PageWidth());
  if (type == QTextDocument::StyleSheetResource) return ZoomPage(DecodePage(data), zoom_);
  return data;
}

int HelpBrowser::PageWidth() const {
  if (!isVisible()) return 0;
  // The scroll bar is counted as if shown: the page must fit beside it,
  // with room for the page's own margins (the help's pages keep 12 pixels
  // on each side, and more at a zoom).
  const int bar = verticalScrollBar()->sizeHint().width();
  return viewport()->width() - (verticalScrollBar()->isVisible() ? 0 : bar) -
         2 * static_cast<int>(document()->documentMargin()) - static_cast<int>(36 * zoom_);
}

QString FitPictures(const QString& html, int width) {
  if (width <= 0) return html;
  static const QRegularExpression img(QStringLiteral("<img\\b[^>]*>"), QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression w(QStringLiteral("\\bwidth\\s*=\\s*\"?(\\d+)\"?"),
                                    QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression h(QStringLiteral("\\bheight\\s*=\\s*\"?(\\d+)\"?"),
                                    QRegularExpression::CaseInsensitiveOption);
  return ReplaceEach(html, img, [&](const QRegularExpressionMatch& m) {
    QString tag = m.captured();
    const auto mw = w.match(tag), mh = h.match(tag);
    const int pw = mw.hasMatch() ? mw.captured(1).toInt() : 0;
    if (pw > width) {
      // Narrower, in proportion: the page never needs a sideways scroll.
      const int ph = mh.hasMatch() ? mh.captured(1).toInt() : 0;
      if (mh.hasMatch())
        tag.replace(mh.capturedStart(), mh.capturedLength(),
                    QStringLiteral("height=\"%1\"").arg(static_cast<long long>(ph) * width / pw));
      const auto mw2 = w.match(tag);
      tag.replace(mw2.capturedStart(), mw2.capturedLength(), QStringLiteral("width=\"%1\"").arg(width));
    }
    return tag;
  });
}

QString TrimPageEnd(const QString& html) {
  static const QRegularExpression end(QStringLiteral(">\\s+(?=(?:</(?:body|html)\\s*>\\s*)*$)"),
                                      QRegularExpression::CaseInsensitiveOption);
  QString out = html;
  out.replace(end, QStringLiteral(">"));
  return out;
}

namespace {

// The numbers of the first group of every match of `number` in `text`, times
// f: to a tenth, or whole.
QString ScaleNumbers(const QString& text, const QRegularExpression& number, double f, bool whole) {
  return ReplaceEach(text, number, [&](const QRegularExpressionMatch& m) {
    const double v = m.captured(1).toDouble() * f;
    const QString n = whole ? QString::number(std::lround(v)) : QString::number(std::round(v * 10) / 10);
    const QString all = m.captured();
    return all.left(m.capturedStart(1) - m.capturedStart()) + n + all.mid(m.capturedEnd(1) - m.capturedStart());
  });
}

}  // namespace

QString ZoomPage(const QString& html, double f) {
  if (f == 1) return html;
  // Lengths in style sheets and style attributes, and the width and height
  // of pictures; a text without tags is a style sheet of its own.
  static const QRegularExpression length(QStringLiteral("(\\d+(?:\\.\\d+)?)\\s*(?:pt|px)\\b"),
                                         QRegularExpression::CaseInsensitiveOption);
  static const QRegularExpression parts(
      QStringLiteral("<style\\b[^>]*>.*?</style\\s*>|\\bstyle\\s*=\\s*(?:\"[^\"]*\"|'[^']*')|<img\\b[^>]*>"),
      QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
  static const QRegularExpression size(QStringLiteral("\\b(?:width|height)\\s*=\\s*\"?(\\d+)"),
                                       QRegularExpression::CaseInsensitiveOption);
  if (!html.contains('<')) return ScaleNumbers(html, length, f, false);
  return ReplaceEach(html, parts, [&](const QRegularExpressionMatch& m) {
    const QString part = m.captured();
    return part.startsWith(QLatin1String("<img"), Qt::CaseInsensitive) ? ScaleNumbers(part, size, f, true)
                                                                       : ScaleNumbers(part, length, f, false);
  });
}

HelpViewer::HelpViewer(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Glimmerhold Help"));
  setObjectName(QStringLiteral("HelpViewer"));
  resize(760, 540);
  auto* top = new QVBoxLayout(this);
  top->setContentsMargins(4, 4, 4, 4);
  auto* bar = new QHBoxLayout;
  auto makeButton = [&](const QString& text, const QString& tip, const char* name) {
    auto* b = new QToolButton(this);
    b->setText(text);
    b->setToolTip(tip);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoRaise(true);
    bar->addWidget(b);
    return b;
  };
  back_ = makeButton(QStringLiteral("< Back"), QStringLiteral("Back (Alt+Left)"), "helpBack");
  forward_ = makeButton(QStringLiteral("Forward >"), QStringLiteral("Forward (Alt+Right)"), "helpForward");
  home_ = makeButton(QStringLiteral("Contents"), QStringLiteral("The first page"), "helpHome");
  bar->addStretch(1);
  QToolButton* closeBtn = makeButton(QStringLiteral("Close"), QStringLiteral("Close the help (Esc)"), "helpClose");
  top->addLayout(bar);

  auto* split = new QSplitter(this);
  split_ = split;
  contents_ = new QTreeWidget(split);
  contents_->setObjectName(QStringLiteral("helpContents"));
  contents_->setHeaderHidden(true);
  contents_->setAccessibleName(QStringLiteral("Help contents"));
  browser_ = new HelpBrowser(chm_, split);
  browser_->setObjectName(QStringLiteral("helpPage"));
  browser_->setAccessibleName(QStringLiteral("Help page"));
  browser_->document()->setDefaultFont(SansFont(13));
  split->addWidget(contents_);
  split->addWidget(browser_);
  split->setStretchFactor(0, 0);
  split->setStretchFactor(1, 1);
  split->setSizes({200, 560});
  top->addWidget(split, 1);

  back_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Left));
  forward_->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Right));
  back_->setEnabled(false);
  forward_->setEnabled(false);
  connect(back_, &QToolButton::clicked, browser_, &QTextBrowser::backward);
  connect(forward_, &QToolButton::clicked, browser_, &QTextBrowser::forward);
  connect(browser_, &QTextBrowser::backwardAvailable, back_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QToolButton::setEnabled);
  connect(browser_, &QTextBrowser::sourceChanged, this, &HelpViewer::FollowPage);
  auto key = [this](const QKeySequence& k, void (HelpViewer::*f)()) {
    auto* s = new QShortcut(k, this);
    connect(s, &QShortcut::activated, this, f);
  };
  key(QKeySequence(Qt::CTRL | Qt::Key_Plus), &HelpViewer::ZoomPagesIn);
  key(QKeySequence(Qt::CTRL | Qt::Key_Equal), &HelpViewer::ZoomPagesIn);
  key(QKeySequence(Qt::CTRL | Qt::Key_Minus), &HelpViewer::ZoomPagesOut);
  key(QKeySequence(Qt::CTRL | Qt::Key_0), &HelpViewer::ZoomPagesBack);
  connect(home_, &QToolButton::clicked, this, [this] {
    if (!home.isEmpty()) ShowPage(home);
  });
  connect(closeBtn, &QToolButton::clicked, this, &QDialog::accept);
  connect(contents_, &QTreeWidget::itemActivated, this, [this](QTreeWidgetItem* item, int) {
    const QString local = item->data(0, Qt::UserRole).toString();
    if (!local.isEmpty()) ShowPage(local);
  });
  connect(contents_, &QTreeWidget::itemClicked, this, [this](QTreeWidgetItem* item, int) {
    const QString local = item->data(0, Qt::UserRole).toString();
    if (!local.isEmpty()) ShowPage(local);
  });
}

void HelpViewer::AddTopics(QTreeWidgetItem* parent, const std::vector<HelpTopic>& topics) {
  for (const HelpTopic& t : topics) {
    auto* item = parent ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(contents_);
    item->setText(0, t.Name.isEmpty() ? t.Local : t.Name);
    if (!t.Local.isEmpty()) item->setData(0, Qt::UserRole, ArchivePath(t.Local));
    AddTopics(item, t.Children);
  }
}

bool HelpViewer::Open(const QString& path) {
  if (!chm_.Open(path)) return false;
  if (!chm_.Title().isEmpty()) setWindowTitle(chm_.Title());
  contents_->clear();
  QByteArray hhc;
  if (!chm_.ContentsFile().isEmpty() && chm_.Read(chm_.ContentsFile(), hhc)) AddTopics(nullptr, ParseContents(hhc));
  contents_->expandAll();
  contents_->setVisible(contents_->topLevelItemCount() > 0);
  FitContents();
  home = chm_.DefaultTopic();
  if (home.isEmpty()) return false;
  ShowPage(home);
  return true;
}

void HelpViewer::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FitContents();
  // The page is read again once the window is laid out and its width is
  // known, so that its pictures fit it.
  QTimer::singleShot(0, browser_, &QTextBrowser::reload);
}

void HelpViewer::FitContents() {
  if (contents_->topLevelItemCount() == 0) return;
  contents_->resizeColumnToContents(0);
  const int frame = 2 * contents_->frameWidth();
  const int bar = contents_->verticalScrollBar()->sizeHint().width();
  // A tree never takes more than half the window: a longer entry is cut
  // rather than squeezing the page.
  const int want = std::min(contents_->columnWidth(0) + frame + bar + 4, width() / 2);
  contents_->setMinimumWidth(want);
  split_->setSizes({want, std::max(1, split_->width() - want)});
}

void HelpViewer::SetZoom(double f) {
  zoom_ = f;
  setFont(ZoomFont(QApplication::font(), f));
  ZoomPages(f);
  resize(ZoomSize(QSize(760, 540), f));
  FitContents();
  // In the middle of the screen, as the game's other windows.
  if (const QScreen* s = screen()) {
    const QRect g = s->availableGeometry();
    move(g.x() + (g.width() - width()) / 2, g.y() + (g.height() - height()) / 2);
  }
}

void HelpViewer::ZoomPages(double f) {
  browser_->document()->setDefaultFont(SansFont(static_cast<int>(13 * f + 0.5)));
  browser_->SetZoom(f);
}

void HelpViewer::ZoomPagesIn() { ZoomPages(glim::ZoomIn(browser_->Zoom(), 8)); }

void HelpViewer::ZoomPagesOut() { ZoomPages(glim::ZoomOut(browser_->Zoom())); }

void HelpViewer::ZoomPagesBack() { ZoomPages(zoom_); }

void HelpViewer::FollowPage(const QUrl& url) {
  const QString path = ArchivePath(url.path());
  QTreeWidgetItem* best = nullptr;
  for (QTreeWidgetItemIterator it(contents_); *it; ++it) {
    const QString local = (*it)->data(0, Qt::UserRole).toString();
    if (local.section('#', 0, 0).compare(path, Qt::CaseInsensitive) != 0) continue;
    // The entry of the page's own anchor, else the page's first entry.
    if (!url.fragment().isEmpty() && local.section('#', 1) == url.fragment()) {
      best = *it;
      break;
    }
    if (!best) best = *it;
  }
  const QSignalBlocker quiet(contents_);
  if (best)
    contents_->setCurrentItem(best);
  else
    contents_->clearSelection();
}

void HelpViewer::ShowPage(const QString& archivePath) {
  const QString path = archivePath.section('#', 0, 0);
  const QString anchor = archivePath.section('#', 1);
  QUrl url = HelpBrowser::UrlFor(path);
  if (!anchor.isEmpty()) url.setFragment(anchor);
  browser_->setSource(url);
}

}  // namespace glim
