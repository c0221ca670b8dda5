#include "app/qt/Fonts.h"

#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QStringList>

namespace glim {

namespace {

QString g_sans;
QString g_script;

// Registers the first of the candidate files that exists and loads; returns
// its family name, or an empty string.
QString LoadFirst(const QStringList& files) {
  for (const QString& f : files) {
    if (!QFileInfo::exists(f)) continue;
    const int id = QFontDatabase::addApplicationFont(f);
    if (id < 0) continue;
    const QStringList fam = QFontDatabase::applicationFontFamilies(id);
    if (!fam.isEmpty()) return fam.first();
  }
  return {};
}

}  // namespace

void LoadGameFonts(const QString& gameFolder) {
  if (!g_sans.isEmpty() && !g_script.isEmpty()) return;
  const QString own = QDir(gameFolder).filePath("fonts") + "/";
  const QString urw = QStringLiteral("/usr/share/fonts/opentype/urw-base35/");
  const QString urwT1 = QStringLiteral("/usr/share/fonts/type1/urw-base35/");
  auto candidates = [&](const QString& name) {
    return QStringList{own + name + ".otf", own + name + ".ttf", urw + name + ".otf", urwT1 + name + ".t1"};
  };
  // Bold and italic of the sans face are registered too, so that bold text
  // is drawn with the real bold rather than a smeared regular.
  g_sans = LoadFirst(candidates("NimbusSans-Regular"));
  LoadFirst(candidates("NimbusSans-Bold"));
  LoadFirst(candidates("NimbusSans-Italic"));
  LoadFirst(candidates("NimbusSans-BoldItalic"));
  g_script = LoadFirst(candidates("Z003-MediumItalic"));
  if (g_sans.isEmpty()) g_sans = QStringLiteral("Sans Serif");
  if (g_script.isEmpty()) g_script = QStringLiteral("Serif");
}

QString SansFamily() { return g_sans.isEmpty() ? QStringLiteral("Sans Serif") : g_sans; }
QString ScriptFamily() { return g_script.isEmpty() ? QStringLiteral("Serif") : g_script; }

QFont SansFont(int pixelSize, bool bold) {
  QFont f(SansFamily());
  f.setStyleHint(QFont::SansSerif);
  // Stems and dots snapped to whole pixels: small text stays crisp.
  f.setHintingPreference(QFont::PreferFullHinting);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  return f;
}

QFont ArialFont(int pointSize, bool bold) {
  QFont f(SansFamily());
  f.setStyleHint(QFont::SansSerif);
  f.setHintingPreference(QFont::PreferFullHinting);
  // Points at the design's 96 dots per inch, as pixels, so that the text
  // keeps its size relative to the fixed layout on every screen.
  f.setPixelSize((pointSize * 96 + 36) / 72);
  f.setBold(bold);
  return f;
}

QFont ScriptFont(int pixelSize, bool bold, bool italic) {
  QFont f(ScriptFamily());
  f.setStyleHint(QFont::Cursive);
  // Its own hinting, not the text face's full hinting (which would widen
  // the script's captions out of their places).
  f.setHintingPreference(QFont::PreferDefaultHinting);
  f.setPixelSize(pixelSize);
  f.setBold(bold);
  f.setItalic(italic);
  return f;
}

}  // namespace glim
