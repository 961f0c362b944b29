#include "fensterlogik.h"

#include <algorithm>

namespace pv {

int16_t naechstesComputerbild(int16_t bild) {
  const int imBereich = ((bild % kComputerbilder) + kComputerbilder) % kComputerbilder;
  return static_cast<int16_t>((imBereich + 1) % kComputerbilder);
}

QString computerbildDatei(int16_t bild) { return QStringLiteral("PC%1.gif").arg(bild); }

QString computerbildFehlt(int16_t bild) {
  return QStringLiteral("!! Computerbild '") + computerbildDatei(bild) + QStringLiteral(" nicht gefunden !!");
}

QRect bildPlatzieren(QSize bild, const QString& ausrichtung, QPoint punkt, QRect bisher, int hMax, int wMax) {
  QSize groesse = bild;
  // Fitted to both limits: a near-square wide picture limited only by its
  // width could still be too high for its box.
  const QSize grenze(wMax < 0 ? bild.width() : std::min(wMax, bild.width()),
                     hMax < 0 ? bild.height() : std::min(hMax, bild.height()));
  if (groesse.width() > grenze.width() || groesse.height() > grenze.height()) {
    groesse = bild.scaled(grenze, Qt::KeepAspectRatio);
  }
  const int w = groesse.width(), h = groesse.height();
  QPoint obenLinks = bisher.topLeft();
  if (ausrichtung == QLatin1String("LM")) obenLinks = {punkt.x(), punkt.y() - h / 2};
  if (ausrichtung == QLatin1String("RU")) obenLinks = {punkt.x() - w, punkt.y() - h};
  if (ausrichtung == QLatin1String("ZM")) obenLinks = {punkt.x() - w / 2, punkt.y() - h / 2};
  return {obenLinks, groesse};
}

Diensttaste diensttaste(int taste, Qt::KeyboardModifiers umschalter) {
  const Qt::KeyboardModifiers genau = umschalter & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
  if (genau != (Qt::ControlModifier | Qt::AltModifier)) return Diensttaste::Keine;
  switch (taste) {
    case Qt::Key_S: return Diensttaste::Simulation;
    case Qt::Key_A: return Diensttaste::Animation;
    case Qt::Key_D: return Diensttaste::Debug;
    default: return Diensttaste::Keine;
  }
}

}  // namespace pv
