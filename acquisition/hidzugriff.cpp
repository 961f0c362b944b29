#include "hidzugriff.h"

#include <algorithm>

namespace pv {

HidZugriff::HidZugriff(HidBackend& backend) : backend_(backend) {}

void HidZugriff::kennungenSetzen(uint16_t herstellerKennung, uint16_t produktKennung) {
  hersteller_ = herstellerKennung;
  produkt_ = produktKennung;
}

bool HidZugriff::HidGeraetSuchen() {
  // A device still open would otherwise be left behind by the new search.
  geraet_.reset();
  geraet_ = backend_.oeffnen(hersteller_, produkt_);
  if (!geraet_) return false;
  laengen_ = geraet_->berichtLaengen();
  return true;
}

int16_t HidZugriff::HidAustausch() {
  gelesen_ = 0;
  if (!geraet_ && !HidGeraetSuchen()) return 0;

  ausgabeDaten_[0] = 1;
  ausgabeDaten_[1] = 1;
  if (!HidBerichtSchreiben()) {
    geraet_.reset();
    return 0;
  }
  if (!HidBerichtLesen()) {
    geraet_.reset();
    return 0;
  }
  return 1;
}

bool HidZugriff::HidBerichtSchreiben() {
  const int laenge = laengen_.ausgabe;
  if (laenge < 1) return false;  // no room even for the report id
  // Report id 0, then as many data bytes as the report holds; a report
  // longer than the data is padded with zeros.
  QByteArray bericht(laenge, '\0');
  const int daten = std::min<int>(laenge - 1, static_cast<int>(ausgabeDaten_.size()));
  for (int i = 0; i < daten; ++i) bericht[i + 1] = static_cast<char>(ausgabeDaten_[i]);
  return geraet_->berichtSchreiben(bericht);
}

bool HidZugriff::HidBerichtLesen() {
  const int laenge = std::max(laengen_.eingabe, 0);
  lesePuffer_ = QByteArray(laenge, '\0');
  if (laenge < 1) return false;
  int gelesen = 0;
  const HidLeseergebnis ergebnis = geraet_->berichtLesen(lesePuffer_, gelesen, kLeseWartezeitMs);
  // The backend must not change the buffer's size; keep it as long as the
  // report length said whatever happened.
  if (lesePuffer_.size() != laenge) lesePuffer_.resize(laenge, '\0');
  if (ergebnis != HidLeseergebnis::Gelesen || gelesen < 1) return false;
  gelesen_ = std::min(gelesen, laenge);
  return true;
}

QString HidZugriff::ByteZuBits(int byte) {
  QString bits(8, u'0');
  for (int k = 0; k < 8; ++k) {
    if (byte & (1 << (7 - k))) bits[k] = u'1';
  }
  return bits;
}

uint64_t HidZugriff::BitsZuZahl(QStringView bits) {
  uint64_t wert = 0;
  for (QChar c : bits) wert = (wert << 1) | (c == u'1' ? 1u : 0u);
  return wert;
}

}  // namespace pv
