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

#include "ui/Layout.h"

class QWidget;

namespace glim {

QRect ToQRect(const LayoutRect& r);

// A design rectangle at factor f, edges rounded so that neighbours stay
// neighbours.
QRect ZoomRect(const QRect& design, double f);
QSize ZoomSize(const QSize& design, double f);

// A font at f times its pixel size (fonts given in points are left alone);
// text of the sans face at least MinTextPixels high.
QFont ZoomFont(const QFont& design, double f);

// The largest factor at which the design fits into `room`, never below 1.
double FitZoom(const QSize& room, const QSize& design = QSize(DesignWidth, DesignHeight));

// Places the direct children of `parent` at their design rectangles times f
// and sets their fonts (and the parent's own font) at f. Children created
// after the first call are remembered at the next.
void ZoomChildren(QWidget* parent, double f);
// The factor a widget was last zoomed at (1 when never).
double ZoomOf(const QWidget* w);

}  // namespace glim
