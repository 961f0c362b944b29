#include "tabellenlogik.h"

#include <cmath>

#include "common/zahlen.h"

namespace pv {

std::optional<int32_t> ganzzahlLesen(const QString& text, QChar dezimaltrennzeichen) {
  const std::optional<double> wert = zahlLesen(text, dezimaltrennzeichen);
  if (!wert) return std::nullopt;
  return ganzzahl32(*wert);
}

QString ganzzahlFilter(const QString& text, QChar dezimaltrennzeichen) {
  if (text.isEmpty()) return text;
  const QChar letztes = text.back();
  if (letztes != u',' && letztes != u'.') return text;
  const QString rest = text.chopped(1);
  const std::optional<double> wert = zahlLesen(rest, dezimaltrennzeichen);
  if (!wert || std::trunc(*wert) != *wert) return text;
  return rest;
}

int32_t standardSchritt(int32_t m) {
  const double schritt = std::max(m / 10000.0, 1.0);
  return static_cast<int32_t>(rundeHalbGerade(schritt));
}

Bereichspruefung bereichAbgelehnt(const QString& text, Eingabefeld fokus, Symbol symbol, const QString& titel) {
  Bereichspruefung p;
  p.ablehnung = {text, fokus, symbol, titel};
  return p;
}

Bereichspruefung tabellenbereichPruefen(const QString& von, const QString& bis, const QString& schritt, int32_t m,
                                        QChar dezimaltrennzeichen) {
  if (m == 0) return bereichAbgelehnt(QStringLiteral("Es liegen keine Messwerte vor"));
  if (von.isEmpty() || bis.isEmpty())
    return bereichAbgelehnt(QStringLiteral("Geben Sie den gewünschten Messwertebereich an"));
  const std::optional<int32_t> v = ganzzahlLesen(von, dezimaltrennzeichen);
  if (!v) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe beim 'Von'-Wert"));
  const std::optional<int32_t> b = ganzzahlLesen(bis, dezimaltrennzeichen);
  if (!b) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe beim 'Bis'-Wert"));
  if (*v < 1) return bereichAbgelehnt(QStringLiteral("Der 'Von'-Wert muss mindestens 1 sein"), Eingabefeld::Von);
  if (*b > m)
    return bereichAbgelehnt(QStringLiteral("Der 'Bis'-Wert muss zwischen 2 und %1 liegen").arg(m), Eingabefeld::Bis);
  if (*v >= *b) return bereichAbgelehnt(QStringLiteral("Der Wert 'Von' muss kleiner sein als der Wert 'Bis'"));
  const std::optional<int32_t> s = ganzzahlLesen(schritt, dezimaltrennzeichen);
  if (!s) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe bei der Schrittweite"));
  Bereich bereich{*v, *b, std::max<int32_t>(*s, 1)};
  // A quotient of exactly 65534 still gives 65535 rows.
  const double spanne = static_cast<double>(bereich.bis) - bereich.von;
  if (spanne / bereich.schritt > kTabelleMaxZeilen - 1) {
    const auto mindestens = static_cast<int64_t>(rundeHalbGerade(spanne / (kTabelleMaxZeilen - 1))) + 1;
    return bereichAbgelehnt(QStringLiteral("Es dürfen maximal 65535 Messwerte dargestellt werden.\r\n"
                                    "Setzen Sie dazu die Schrittweite mindestens auf %1\r\n"
                                    "oder verkleinern Sie das darzustellende Intervall.")
                         .arg(mindestens),
                     Eingabefeld::Schritt);
  }
  Bereichspruefung p;
  p.bereich = bereich;
  return p;
}

QStringList tabellenKopf(const QString& xBezeichnung, const QString& physGr, const QString& yBezeichnung,
                         const QString& einheit) {
  return {QStringLiteral("Nr."), xBezeichnung, physGr + QStringLiteral(" (") + yBezeichnung + einheit + u')'};
}

}  // namespace pv
