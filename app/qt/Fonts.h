// The window's fonts. The game is drawn with two free faces that stand in for
// the ones it was designed with: a plain sans-serif for the text ("MS Sans
// Serif", and "Arial" on the splash) and a chancery script for the headings
// and buttons ("Mural Script"). They are loaded from files, so the window
// looks the same on every machine whatever fonts the desktop has.
#pragma once

#include <QFont>
#include <QString>

namespace glim {

// Loads the faces from gameFolder + "fonts/" or, failing that, from the
// system's URW font folder. Safe to call more than once.
void LoadGameFonts(const QString& gameFolder);

// The families actually in use (after LoadGameFonts).
QString SansFamily();
QString ScriptFamily();

// "MS Sans Serif" of the given pixel height.
QFont SansFont(int pixelSize, bool bold = false);
// "Arial" of the given point size (at 96 dots per inch).
QFont ArialFont(int pointSize, bool bold = false);
// "Mural Script" of the given pixel height.
QFont ScriptFont(int pixelSize, bool bold, bool italic);

}  // namespace glim
