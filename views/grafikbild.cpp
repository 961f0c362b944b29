#include "grafikbild.h"

#include <QPainter>
#include <functional>

namespace pv {

// ------------------------------------------------------------ Bildflaeche

Bildflaeche::Bildflaeche(QSize groesse) { groesseSetzen(groesse); }

void Bildflaeche::groesseSetzen(QSize groesse) {
  std::function<void()> aktualisierung;
  if (flaeche_) aktualisierung = flaeche_->beiAktualisierung;
  flaeche_.reset();
  bild_ = QImage(std::max(1, groesse.width()), std::max(1, groesse.height()), QImage::Format_RGB32);
  bild_.fill(Qt::white);
  flaeche_ = std::make_unique<Zeichenflaeche>(bild_);
  flaeche_->beiAktualisierung = std::move(aktualisierung);
}

void Bildflaeche::leeren() { flaeche_->leeren(); }

// ------------------------------------------------------------- GrafikBild

GrafikBild::GrafikBild(QWidget* parent) : QWidget(parent) {
  setFocusPolicy(Qt::ClickFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);
  setMinimumSize(100, 80);
  bild_.flaeche().beiAktualisierung = [this] { update(); };
}

void GrafikBild::leeren() {
  bild_.leeren();
  update();
}

void GrafikBild::zoomrechteckSetzen(std::optional<QRectF> werte) {
  zoomrechteck_ = werte;
  update();
}

void GrafikBild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.drawImage(0, 0, bild_.bild());
  if (zoomrechteck_ && bild_.flaeche().hatSkala()) {
    const Zeichenflaeche& f = bild_.flaeche();
    const QRectF r(f.zuPixel(zoomrechteck_->left(), zoomrechteck_->top()),
                   f.zuPixel(zoomrechteck_->right(), zoomrechteck_->bottom()));
    p.setPen(QPen(Qt::black, 0, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.normalized());
  }
}

void GrafikBild::resizeEvent(QResizeEvent*) {
  if (size() == bild_.bild().size()) return;
  bild_.groesseSetzen(size());
  emit groesseGeaendert();
}

}  // namespace pv
