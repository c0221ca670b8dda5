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

int Scale(int v, double f) { return static_cast<int>(std::lround(v * f)); }

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

QRect ZoomRect(const QRect& d, double f) {
  const int left = Scale(d.left(), f), top = Scale(d.top(), f);
  const int right = Scale(d.left() + d.width(), f), bottom = Scale(d.top() + d.height(), f);
  return {left, top, right - left, bottom - top};
}

QSize ZoomSize(const QSize& d, double f) { return {Scale(d.width(), f), Scale(d.height(), f)}; }

QFont ZoomFont(const QFont& design, double f) {
  QFont z = design;
  if (design.pixelSize() <= 0) return z;
  int px = std::max(1, Scale(design.pixelSize(), f));
  // The text face runs the dot of an i into its stem at 14 pixels and
  // below: text is never drawn smaller than MinTextPixels.
  if (design.family() == SansFamily()) px = std::max(px, MinTextPixels);
  z.setPixelSize(px);
  return z;
}

double FitZoom(const QSize& room, const QSize& design) {
  if (design.isEmpty()) return 1;
  const double f = std::min(static_cast<double>(room.width()) / design.width(),
                            static_cast<double>(room.height()) / design.height());
  return f < 1 ? 1 : f;
}

double ZoomIn(double f, double most) {
  const double next = (std::floor(f / ZoomStep + 1e-6) + 1) * ZoomStep;
  return std::max(1.0, std::min(next, most));
}

double ZoomOut(double f) {
  const double next = (std::ceil(f / ZoomStep - 1e-6) - 1) * ZoomStep;
  return std::max(1.0, next);
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
