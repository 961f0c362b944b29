#include "grafikbild.h"

#include <QMouseEvent>
#include <QPainter>
#include <vector>
#include <functional>

#include "common/bildschirmbild.h"

namespace pv {

// ------------------------------------------------------------ Bildflaeche

Bildflaeche::Bildflaeche(QSize groesse, qreal verhaeltnis) { groesseSetzen(groesse, verhaeltnis); }

void Bildflaeche::groesseSetzen(QSize groesse, qreal verhaeltnis) {
  std::function<void()> aktualisierung;
  Grafikbereich letzteGrafik;
  if (flaeche_) {
    aktualisierung = flaeche_->beiAktualisierung;
    letzteGrafik = flaeche_->letzteGrafik;  // still what a print of this picture shows
  }
  flaeche_.reset();
  bild_ = bildschirmbild(groesse, verhaeltnis, Qt::white);
  flaeche_ = std::make_unique<Zeichenflaeche>(bild_);
  flaeche_->beiAktualisierung = std::move(aktualisierung);
  flaeche_->letzteGrafik = letzteGrafik;
}

bool Bildflaeche::passt(QSize groesse, qreal verhaeltnis) const { return bildPasst(bild_, groesse, verhaeltnis); }

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

void GrafikBild::ueberlagerungZeigen(const Ueberlagerung* u) {
  ueberlagerung_ = u;
  update();
}

void GrafikBild::paintEvent(QPaintEvent*) {
  // Moved to a screen of another ratio: drawn anew at that ratio.
  if (bildAnpassen()) emit groesseGeaendert();
  QPainter p(this);
  p.drawImage(0, 0, bild_.bild());
  const Zeichenflaeche& f = bild_.flaeche();
  if (!ueberlagerung_ || !f.hatSkala()) return;
  const Ueberlagerung& u = *ueberlagerung_;
  const auto pixel = [&f](const QLineF& l) { return QLineF(f.zuPixel(l.x1(), l.y1()), f.zuPixel(l.x2(), l.y2())); };
  const QColor gelb(255, 255, 0);
  if (!u.schraffur.empty()) {
    std::vector<QLineF> linien;
    linien.reserve(u.schraffur.size());
    for (const QLineF& l : u.schraffur) linien.push_back(pixel(l));
    p.setPen(haarstift(gelb, devicePixelRatioF()));
    p.drawLines(linien.data(), static_cast<int>(linien.size()));
  }
  if (u.integralLinie) {
    p.setPen(haarstift(gelb, devicePixelRatioF()));
    p.drawLine(pixel(*u.integralLinie));
  }
  if (u.zeigerSichtbar) {
    p.setPen(haarstift(Qt::red, devicePixelRatioF()));
    p.drawLine(pixel(u.zeigerV));
    p.drawLine(pixel(u.zeigerH));
  }
  if (u.rechteckSichtbar) {
    const QRectF r(f.zuPixel(u.rechteck.left(), u.rechteck.top()),
                   f.zuPixel(u.rechteck.right(), u.rechteck.bottom()));
    p.setPen(haarstift(Qt::black, devicePixelRatioF(), Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.normalized());
  }
}

void GrafikBild::mousePressEvent(QMouseEvent* ereignis) {
  if (!bild_.flaeche().hatSkala()) return;
  emit mausGedrueckt(static_cast<int>(ereignis->button()), bild_.flaeche().zuWert(ereignis->position()));
}

void GrafikBild::mouseMoveEvent(QMouseEvent* ereignis) {
  if (!bild_.flaeche().hatSkala()) return;
  emit mausBewegt(static_cast<int>(ereignis->buttons()), bild_.flaeche().zuWert(ereignis->position()));
}

void GrafikBild::mouseReleaseEvent(QMouseEvent* ereignis) { emit mausLosgelassen(static_cast<int>(ereignis->button())); }

void GrafikBild::resizeEvent(QResizeEvent*) {
  if (bildAnpassen()) emit groesseGeaendert();
}

bool GrafikBild::bildAnpassen() {
  if (bild_.passt(size(), devicePixelRatioF())) return false;
  bild_.groesseSetzen(size(), devicePixelRatioF());
  return true;
}

}  // namespace pv
