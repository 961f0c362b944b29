#include "kennlinienbild.h"

#include <QPainter>

#include "common/bildschirmbild.h"
#include "devices/sensordatei.h"

namespace pv {

GrafikEinstellungen kennlinieGrafik(const QString& sensorname, const QString& xAchse, const QString& yAchse) {
  GrafikEinstellungen g;
  g.Titel = QStringLiteral("Kennlinie ") + sensorname;
  g.XTitel = xAchse;
  g.YTitel = yAchse;
  g.SchriftgroesseTitel = 12;
  g.SchriftgroesseAchsen = 8;
  g.XNachkommastellen = 1;
  g.YNachkommastellen = 1;
  g.XZahlenformat = 8;
  g.YZahlenformat = 8;
  g.FarbeHintergrund = 0xFFFFFF;
  g.FarbeMesskurve = 0xFF0000;
  g.FarbeTextLinien = 0;
  g.FarbeZeichnungsflaeche = 0xF0F0F0;
  g.GitterX = true;
  g.GitterY = true;
  g.LiniendickeGitter = 1;
  g.LiniendickeAchsen = 2;
  g.Liniendicke = 2;
  g.MesswerteVerbunden = 1;
  g.MesspunkteAnzeigen = 0;
  return g;
}

// ---------------------------------------------------------- KennlinienBild

KennlinienBild::KennlinienBild(QWidget* parent) : QWidget(parent) {
  setMinimumSize(260, 220);
  setAttribute(Qt::WA_OpaquePaintEvent);
  bild_ = bildschirmbild({1, 1}, 1, Qt::white);
}

void KennlinienBild::leeren() {
  zeigen_ = false;
  bild_.fill(Qt::white);
  update();
}

void KennlinienBild::zeichnen(GrafikEinstellungen einstellungen, QChar dezimal) {
  einstellungen_ = std::move(einstellungen);
  dezimal_ = dezimal;
  zeigen_ = true;
  neuZeichnen();
}

QImage kennlinieMalen(const Kennlinie& k, GrafikEinstellungen einstellungen, QChar dezimal, QSize groesse,
                      qreal verhaeltnis) {
  QImage bild = bildschirmbild(groesse, verhaeltnis, Qt::white);
  if (!k.X.empty() && k.Y.size() >= k.X.size()) {
    Zeichenflaeche flaeche(bild);
    float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    Tolvek::GrafikZeichnen(flaeche, x1, x2, y1, y2, k.X, k.Y, einstellungen, dezimal);
  }
  return bild;
}

void KennlinienBild::neuZeichnen() {
  if (zeigen_)
    bild_ = kennlinieMalen(sensorZustand().Fuehler, einstellungen_, dezimal_, size(), devicePixelRatioF());
  else
    bild_ = bildschirmbild(size(), devicePixelRatioF(), Qt::white);
  update();
}

void KennlinienBild::paintEvent(QPaintEvent*) {
  // Moved to a screen of another ratio: drawn anew at that ratio.
  if (!bildPasst(bild_, size(), devicePixelRatioF())) neuZeichnen();
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, bild_);
}

void KennlinienBild::resizeEvent(QResizeEvent*) {
  if (!bildPasst(bild_, size(), devicePixelRatioF())) neuZeichnen();
}

}  // namespace pv
