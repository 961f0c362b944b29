#include "geraetedefinition.h"

#include "common/zahlen.h"

namespace pv {

QString abschlusszeichenText(int16_t code) {
  if (code == 13) return QStringLiteral("R");
  if (code == 10) return QStringLiteral("L");
  return QString::number(code);
}

GeraeteEingabetexte eingabetexteAus(const Geraetedefinition& def, QChar dezimal) {
  GeraeteEingabetexte t;
  t.abschlusszeichen = abschlusszeichenText(def.LZAsciiPub);
  t.wartezeit = singleText(def.DatenTransferZeitPub, dezimal);
  if (def.ZeichenStellePub != 0) t.zeichenposition = QString::number(def.ZeichenStellePub);
  return t;
}

}  // namespace pv
