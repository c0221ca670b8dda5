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

class HelpBrowser : public QTextBrowser {
  Q_OBJECT
 public:
  explicit HelpBrowser(const ChmFile& chm, QWidget* parent = nullptr);
  QVariant loadResource(int type, const QUrl& name) override;
  static QUrl UrlFor(const QString& archivePath);
  // The width a page's pictures may take without a sideways scroll bar (0
  // while the browser is not shown).
  int PageWidth() const;

 private:
  const ChmFile& chm_;
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
  // Text and window at the main window's zoom factor.
  void SetZoom(double f);

 protected:
  void showEvent(QShowEvent* e) override;

 private:
  void AddTopics(QTreeWidgetItem* parent, const std::vector<HelpTopic>& topics);
  // The contents as wide as their longest entry, the page taking the rest.
  void FitContents();

  ChmFile chm_;
  HelpBrowser* browser_ = nullptr;
  QTreeWidget* contents_ = nullptr;
  QToolButton *back_ = nullptr, *forward_ = nullptr, *home_ = nullptr;
  QString home;
  QSplitter* split_ = nullptr;
  double zoom_ = 1;
};

}  // namespace glim
