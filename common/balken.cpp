#include "balken.h"

#include <QPaintEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <utility>

#include "common/bildschirmbild.h"
#include "common/farben.h"
#include "common/zahlen.h"

namespace Tolvek {

namespace {

// Fills the strip between x1 and x2 (0 to 100 across the area) over the full
// height. Columns of device pixels belong to the strip from the rounded left
// edge up to the rounded right edge, so adjacent strips neither overlap nor
// leave gaps, on a picture for a high-resolution screen too.
void kasten(QPainter& maler, const QRect& flaeche, float x1, float x2, const QColor& farbe) {
  if (!std::isfinite(x1) || !std::isfinite(x2)) return;
  if (x1 > x2) std::swap(x1, x2);
  x1 = std::clamp(x1, 0.0f, 100.0f);
  x2 = std::clamp(x2, 0.0f, 100.0f);
  const double v = maler.device() ? maler.device()->devicePixelRatio() : 1.0;
  const double spalten = flaeche.width() * v;
  const double links = double(std::lround(double(x1) * spalten / 100.0));
  const double rechts = double(std::lround(double(x2) * spalten / 100.0));
  if (rechts > links)
    maler.fillRect(QRectF(flaeche.left() + links / v, flaeche.top(), (rechts - links) / v, flaeche.height()), farbe);
}

// Green to yellow: one band per unit from 88 (green) to 93 and above (yellow).
QColor gelbRampe(int i) {
  const int r = std::min(255, int(pv::rundeHalbGerade((i - 88) / 5.0 * 255)));
  return pv::farbe(uint32_t(r) | 0x00FF00u);
}

// Yellow to red: one band per unit from 95 (yellow) to 99.
QColor rotRampe(int i) {
  const int g = std::clamp(int(pv::rundeHalbGerade((1 - (i - 95) / 5.0) * 255)), 0, 255);
  return pv::farbe(0xFFu | uint32_t(g) << 8);
}

}  // namespace

void PegelMalen(QPainter& maler, const QRect& flaeche, float wert, const QColor& knopfflaeche) {
  const QColor gruen = pv::farbe(kPegelGruen);
  const float v = wert;
  if (v >= 0 && v <= 90) {
    kasten(maler, flaeche, 0, v, gruen);
    kasten(maler, flaeche, v, 100, knopfflaeche);
  } else if (v >= 85 && v <= 95) {
    // Green right up to where the ramp begins: painting it only to 85 would
    // leave the strip up to 88 showing whatever the previous value left.
    kasten(maler, flaeche, 0, 88, gruen);
    for (int i = 88; float(i) <= v; ++i) kasten(maler, flaeche, float(i), v, gelbRampe(i));
    kasten(maler, flaeche, v, 100, knopfflaeche);
  } else if (v > 95 && v <= 99.99f) {
    kasten(maler, flaeche, 0, 90, gruen);
    for (int i = 88; i <= 95; ++i) kasten(maler, flaeche, float(i), v, gelbRampe(i));
    for (int i = 95; float(i) <= v; ++i) kasten(maler, flaeche, float(i), v, rotRampe(i));
    kasten(maler, flaeche, v, 100, knopfflaeche);
  } else {
    // Off the scale (also a value that is not a number).
    kasten(maler, flaeche, 0, 100, pv::farbe(kPegelRot));
  }
}

void FortschrittMalen(QPainter& maler, const QRect& flaeche, float wert, const QColor& vordergrund,
                      const QColor& hintergrund) {
  kasten(maler, flaeche, 0, wert, vordergrund);
  kasten(maler, flaeche, wert, 100, hintergrund);
}

void PegelZeigen(pv::Balkenanzeige* box, float wert, QChar dezimaltrennzeichen) {
  if (!box) return;
  QImage& bild = box->bild();
  if (!bild.isNull()) {
    QPainter maler(&bild);
    PegelMalen(maler, pv::logischeFlaeche(bild), wert, box->Knopfflaeche());
  }
  box->Gezeichnet(wert, pv::singleText(wert, dezimaltrennzeichen));
}

void FortschrittZeigen(pv::Balkenanzeige* box, float wert, QChar dezimaltrennzeichen) {
  if (!box) return;
  QImage& bild = box->bild();
  if (!bild.isNull()) {
    QPainter maler(&bild);
    FortschrittMalen(maler, pv::logischeFlaeche(bild), wert, box->Vordergrund(), box->Hintergrund());
  }
  box->Gezeichnet(wert, pv::singleText(wert, dezimaltrennzeichen));
}

}  // namespace Tolvek

namespace pv {

Balkenanzeige::Balkenanzeige(QWidget* parent) : QWidget(parent) {
  vordergrund_ = palette().color(QPalette::ButtonText);
  hintergrund_ = palette().color(QPalette::Button);
  setAttribute(Qt::WA_OpaquePaintEvent);
}

QColor Balkenanzeige::Knopfflaeche() const { return palette().color(QPalette::Button); }

void Balkenanzeige::Gezeichnet(float wert, const QString& tag) {
  wert_ = wert;
  tag_ = tag;
  update();
}

QImage& Balkenanzeige::bild() {
  // Follows the box's size and ratio on demand: a hidden box gets no resize
  // events, and a move to a screen of another ratio none at all.
  balkenbildAnpassen(bild_, size(), devicePixelRatioF(), hintergrund_);
  return bild_;
}

void balkenbildAnpassen(QImage& bild, QSize groesse, qreal verhaeltnis, const QColor& hintergrund) {
  if (groesse.isEmpty()) {
    bild = QImage();
  } else if (bild.isNull()) {
    bild = bildschirmbild(groesse, verhaeltnis, hintergrund);
  } else if (!bildPasst(bild, groesse, verhaeltnis)) {
    // The bar is drawn in relative coordinates: stretching keeps it right.
    bild = bild.scaled(geraetegroesse(groesse, verhaeltnis));
    bild.setDevicePixelRatio(verhaeltnis);
  }
}

void Balkenanzeige::paintEvent(QPaintEvent*) {
  QPainter maler(this);
  const QImage& b = bild();
  if (b.isNull())
    maler.fillRect(rect(), hintergrund_);
  else
    maler.drawImage(rect(), b);
}

}  // namespace pv
