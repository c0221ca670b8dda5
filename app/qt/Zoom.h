// Zooming a fixed layout. The game's windows are designed at fixed pixel
// places; at a zoom factor every control is placed at its design rectangle
// times the factor and its font gets the design pixel size times the
// factor, so text is drawn by the font engine at the larger size (crisp)
// and pictures are stretched by their controls. A widget's design
// rectangle and font are remembered the first time it is zoomed.
#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

class QWidget;

namespace glim {

// The game area of the main window: the whole 800 x 600 design.
constexpr int DesignWidth = 800;
constexpr int DesignHeight = 600;

// The zoom steps of Ctrl+Plus and Ctrl+Minus.
constexpr double ZoomStep = 0.25;

// A design rectangle at factor f, edges rounded so that neighbours stay
// neighbours.
QRect ZoomRect(const QRect& design, double f);
QSize ZoomSize(const QSize& design, double f);
// The smallest pixel size of the text face at any zoom factor.
constexpr int MinTextPixels = 15;

// A font at f times its pixel size (fonts given in points are left alone);
// text of the sans face at least MinTextPixels high.
QFont ZoomFont(const QFont& design, double f);

// The largest factor at which the design fits into `room`, never below 1.
double FitZoom(const QSize& room, const QSize& design = QSize(DesignWidth, DesignHeight));
// The next step up or down from f, kept within [1, most].
double ZoomIn(double f, double most);
double ZoomOut(double f);

// Places the direct children of `parent` at their design rectangles times f
// and sets their fonts (and the parent's own font) at f. Children created
// after the first call are remembered at the next.
void ZoomChildren(QWidget* parent, double f);
// The factor a widget was last zoomed at (1 when never).
double ZoomOf(const QWidget* w);

}  // namespace glim
