#include "app/qt/Zoom.h"

#include <QVariant>
#include <QWidget>
#include <cmath>

#include "app/qt/Fonts.h"

namespace glim {

namespace {

const char* const DesignGeometry = "glimDesignGeometry";
const char* const DesignFont = "glimDesignFont";
const char* const Factor = "glimZoom";

void Remember(QWidget* w) {
  if (!w->property(DesignGeometry).isValid()) w->setProperty(DesignGeometry, w->geometry());
  // Only a font set on the widget itself is its own; an inherited one
  // follows the parent's.
  if (!w->property(DesignFont).isValid() && w->testAttribute(Qt::WA_SetFont)) w->setProperty(DesignFont, w->font());
}

void ApplyFont(QWidget* w, double f) {
  const QVariant font = w->property(DesignFont);
  if (font.isValid()) w->setFont(ZoomFont(font.value<QFont>(), f));
}

}  // namespace

QRect ToQRect(const LayoutRect& r) { return {r.X, r.Y, r.W, r.H}; }

QRect ZoomRect(const QRect& d, double f) {
  return ToQRect(ZoomRect(LayoutRect{d.x(), d.y(), d.width(), d.height()}, f));
}

QSize ZoomSize(const QSize& d, double f) { return {ZoomLength(d.width(), f), ZoomLength(d.height(), f)}; }

QFont ZoomFont(const QFont& design, double f) {
  QFont z = design;
  if (design.pixelSize() <= 0) return z;
  const FontFace face = design.family() == SansFamily() ? FontFace::Sans : FontFace::Script;
  z.setPixelSize(ZoomFontPixels(design.pixelSize(), face, f));
  return z;
}

double FitZoom(const QSize& room, const QSize& design) {
  if (design.isEmpty()) return 1;
  return FitZoom(room.width(), room.height(), design.width(), design.height());
}

void ZoomChildren(QWidget* parent, double f) {
  Remember(parent);
  ApplyFont(parent, f);
  parent->setProperty(Factor, f);
  for (QObject* o : parent->children()) {
    auto* w = qobject_cast<QWidget*>(o);
    if (!w || w->isWindow()) continue;
    Remember(w);
    w->setGeometry(ZoomRect(w->property(DesignGeometry).toRect(), f));
    ApplyFont(w, f);
    w->setProperty(Factor, f);
  }
}

double ZoomOf(const QWidget* w) {
  for (; w; w = w->parentWidget()) {
    const QVariant v = w->property(Factor);
    if (v.isValid()) return v.toDouble();
  }
  return 1;
}

}  // namespace glim
