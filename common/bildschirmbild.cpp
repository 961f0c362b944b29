#include "bildschirmbild.h"

#include <QColor>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace pv {

namespace {
// A ratio that is none (0, negative, not a number) counts as 1.
qreal gueltig(qreal verhaeltnis) { return verhaeltnis > 0 && std::isfinite(verhaeltnis) ? verhaeltnis : 1.0; }
}  // namespace

QSize geraetegroesse(QSize groesse, qreal verhaeltnis) {
  const qreal v = gueltig(verhaeltnis);
  const auto seite = [v](int n) { return std::max(1, int(std::ceil(std::max(1, n) * v - 1e-6))); };
  return {seite(groesse.width()), seite(groesse.height())};
}

QImage bildschirmbild(QSize groesse, qreal verhaeltnis, const QColor& farbe, QImage::Format format) {
  QImage bild(geraetegroesse(groesse, verhaeltnis), format);
  bild.setDevicePixelRatio(gueltig(verhaeltnis));
  bild.fill(farbe);
  return bild;
}

bool bildPasst(const QImage& bild, QSize groesse, qreal verhaeltnis) {
  return !bild.isNull() && bild.devicePixelRatio() == gueltig(verhaeltnis) &&
         bild.size() == geraetegroesse(groesse, verhaeltnis);
}

QRect logischeFlaeche(const QImage& bild) {
  const qreal v = bild.devicePixelRatio();
  return {0, 0, int(std::floor(bild.width() / v + 1e-6)), int(std::floor(bild.height() / v + 1e-6))};
}

int haarlinienbreite(qreal verhaeltnis) { return std::max(1, int(std::lround(gueltig(verhaeltnis)))); }

QPen haarstift(const QColor& farbe, qreal verhaeltnis, Qt::PenStyle stil) {
  // A hairline of as many device pixels; on an ordinary screen the
  // zero-width one, which the painter draws fastest.
  QPen p(farbe, gueltig(verhaeltnis) == 1 ? 0 : haarlinienbreite(verhaeltnis), stil);
  p.setCosmetic(true);
  return p;
}

void rahmenMalen(QPainter& maler, const QRect& flaeche, qreal verhaeltnis, const QColor& obenLinks,
                 const QColor& untenRechts) {
  const qreal v = gueltig(verhaeltnis);
  const qreal d = haarlinienbreite(v) / v;
  const QRectF r(flaeche);
  maler.fillRect(QRectF(r.left(), r.bottom() - d, r.width(), d), untenRechts);
  maler.fillRect(QRectF(r.right() - d, r.top(), d, r.height()), untenRechts);
  maler.fillRect(QRectF(r.left(), r.top(), r.width(), d), obenLinks);
  maler.fillRect(QRectF(r.left(), r.top(), d, r.height()), obenLinks);
}

void aufGeraetepixelnMalen(QPainter& maler, QPoint punkt, const QImage& bild) {
  maler.save();
  maler.setWorldTransform(QTransform());
  const QTransform geraet = maler.deviceTransform();
  const QPointF ursprung = geraet.map(QPointF(0, 0));
  const QPointF ganz(std::ceil(ursprung.x() - 1e-6), std::ceil(ursprung.y() - 1e-6));
  // Painter units become device pixels counted from that whole pixel.
  maler.setWorldTransform(QTransform::fromTranslate(ganz.x(), ganz.y()) * geraet.inverted());
  maler.drawImage(QRectF(punkt, bild.size()), bild, QRectF(bild.rect()));
  maler.restore();
}

}  // namespace pv
