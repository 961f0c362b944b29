#include "kennlinienbild.h"

#include <QPainter>

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
  bild_ = QImage(1, 1, QImage::Format_RGB32);
  bild_.fill(Qt::white);
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

void KennlinienBild::neuZeichnen() {
  bild_ = QImage(std::max(1, width()), std::max(1, height()), QImage::Format_RGB32);
  bild_.fill(Qt::white);
  if (zeigen_) {
    const Kennlinie& k = sensorZustand().Fuehler;
    if (!k.X.empty() && k.Y.size() >= k.X.size()) {
      Zeichenflaeche flaeche(bild_);
      float x1 = 0, x2 = 0, y1 = 0, y2 = 0;
      GrafikEinstellungen g = einstellungen_;
      Tolvek::GrafikZeichnen(flaeche, x1, x2, y1, y2, k.X, k.Y, g, dezimal_);
    }
  }
  update();
}

void KennlinienBild::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.fillRect(rect(), Qt::white);
  p.drawImage(0, 0, bild_);
}

void KennlinienBild::resizeEvent(QResizeEvent*) {
  if (size() != bild_.size()) neuZeichnen();
}

}  // namespace pv
