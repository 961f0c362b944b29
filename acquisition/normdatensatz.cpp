#include "normdatensatz.h"

namespace pv {

QByteArray fehlerDatensatz(int16_t lzAscii) {
  return normDatensatz("     ", ' ', kFehlerWert, "    ", lzAscii);
}

QByteArray normDatensatz(QByteArrayView modus, char vorzeichen, QByteArrayView wert,
                         QByteArrayView einheit, int16_t lzAscii) {
  QByteArray satz;
  satz.reserve(kNormLaenge);
  satz.append(modus).append(vorzeichen).append(wert).append(einheit);
  satz.append(abschlusszeichen(lzAscii));
  return satz;
}

QByteArray rechtsbuendig(QByteArrayView text, int breite) {
  const qsizetype fehlt = breite - text.size();
  QByteArray ergebnis;
  if (fehlt > 0) ergebnis.fill(' ', fehlt);
  ergebnis.append(text);
  return ergebnis;
}

}  // namespace pv
