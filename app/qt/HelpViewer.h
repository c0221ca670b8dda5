// The help viewer: a small window of the game's own that shows the compiled
// help file (pages, pictures, links and the table of contents), read with the
// game's help file reader (shell/HelpFile.h). It is shown modally, so the game
// waits until it is closed.
#pragma once

#include <QDialog>
#include <QString>
#include <QTextBrowser>
#include <QUrl>
#include <memory>
#include <vector>

#include "shell/HelpFile.h"

class QTreeWidget;
class QTreeWidgetItem;
class QToolButton;
class QSplitter;

namespace glim {

// A compiled help file opened for reading, in Qt's types.
class ChmFile {
 public:
  bool Open(const QString& path);
  bool IsOpen() const { return file_.IsOpen(); }
  // Reads one file of the archive; path is absolute inside it ("/index.htm").
  // Names are matched as stored, then without regard to letter case.
  bool Read(const QString& path, QByteArray& out) const;
  bool Exists(const QString& path) const;
  // Every file path in the archive.
  QStringList Files() const;

  QString Title() const { return QString::fromLatin1(file_.Title()); }
  QString DefaultTopic() const { return QString::fromUtf8(file_.DefaultTopic()); }  // "/index.htm"
  QString ContentsFile() const { return QString::fromUtf8(file_.ContentsFile()); }  // "/toc.hhc" or empty

 private:
  HelpFile file_;
};

// One entry of the table of contents.
struct HelpTopic {
  QString Name;
  QString Local;  // path inside the archive, may carry an #anchor
  std::vector<HelpTopic> Children;
};

// Parses a contents file (the sitemap HTML of nested lists).
std::vector<HelpTopic> ParseContents(const QByteArray& html);

// Pictures of a page wider than `width` made that wide, in proportion
// (their width and height attributes); 0 leaves the page as it is.
QString FitPictures(const QString& html, int width);

// Decodes a page: its own charset declaration, else UTF-8 when it is valid
// UTF-8, else Windows-1252 (Latin-1).
QString DecodePage(const QByteArray& data);

// A page without the white space between its closing tags at its end: the
// document would add it to the last line of the page, in its own default
// font, which pushed the last item of a closing list below its bullet.
QString TrimPageEnd(const QString& html);

// A page drawn f times larger: the sizes of its style sheets and style
// attributes (pt and px) and the sizes of its pictures times f.
QString ZoomPage(const QString& html, double f);

// Where a link of a help page leads: a page of the help file itself (chm:,
// a path relative to the page, an anchor of the page), a web page to open
// outside (http and https only), or nowhere.
enum class LinkKind { Help, Outside, Nowhere };
LinkKind KindOfLink(const QUrl& resolved);

class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(const ChmFile& chm, QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;
  static QUrl UrlFor(const QString& archivePath);
  // The width a page's pictures may take without a sideways scroll bar (0
  // while the browser is not shown).
  int PageWidth() const;
  // The factor the pages are drawn at.
  double Zoom() const { return zoom_; }
  void SetZoom(double f);
  // Follows a clicked link: help pages and anchors here, web pages in the
  // desktop's browser, anything else not at all.
  void Follow(const QUrl& link);

 private:
  const ChmFile& chm_;
  double zoom_ = 1;
};

class HelpViewer : public QDialog {
  Q_OBJECT
 public:
  explicit HelpViewer(QWidget* parent = nullptr);
  // Opens the file and shows its first page; false when it is not a help
  // file that can be read.
  bool Open(const QString& path);
  HelpBrowser* Browser() const { return browser_; }
  QTreeWidget* Contents() const { return contents_; }
  const ChmFile& File() const { return chm_; }
  // Shows a page of the archive.
  void ShowPage(const QString& archivePath);
  // Text and window at the main window's zoom factor; Ctrl+Plus, Ctrl+Minus
  // and Ctrl+0 change the pages' factor in the help itself.
  void SetZoom(double f);
  void ZoomPagesIn();
  void ZoomPagesOut();
  void ZoomPagesBack();

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void AddTopics(QTreeWidgetItem* parent, const std::vector<HelpTopic>& topics);
  // The contents as wide as their longest entry, the page taking the rest.
  void FitContents();
  // The contents entry of the page shown is the current one (also after
  // Back, Forward and links).
  void FollowPage(const QUrl& url);
  void ZoomPages(double f);

  ChmFile chm_;
  HelpBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QToolButton *back_ = nullptr, *forward_ = nullptr, *home_ = nullptr;
  QString home;
  QSplitter* split_ = nullptr;
  double zoom_ = 1;
};

}  // namespace glim
