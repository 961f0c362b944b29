#include "geraetedefinition.h"

#include "common/zahlen.h"

namespace pv {

GeraeteEingabetexte eingabetexteAus(const Geraetedefinition& def, QChar dezimal) {
  GeraeteEingabetexte t;
  if (def.LZAsciiPub == 13) {
    t.abschlusszeichen = QStringLiteral("R");
  } else if (def.LZAsciiPub == 10) {
    t.abschlusszeichen = QStringLiteral("L");
  } else {
    t.abschlusszeichen = QString::number(def.LZAsciiPub);
  }
  t.wartezeit = singleText(def.DatenTransferZeitPub, dezimal);
  if (def.ZeichenStellePub != 0) t.zeichenposition = QString::number(def.ZeichenStellePub);
  return t;
}

}  // namespace pv
