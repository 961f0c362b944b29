#include "textexport.h"

#include <cmath>

#include "common/cp1252.h"
#include "common/textdatei.h"
#include "common/zahlenformat.h"
#include "views/einstellungslogik.h"

namespace pv {

QString trennzeichen(Trennzeichenwahl wahl, const QString& anderes) {
  switch (wahl) {
    case Trennzeichenwahl::Tabstop: return QStringLiteral("\t");
    case Trennzeichenwahl::Semikolon: return QStringLiteral(";");
    case Trennzeichenwahl::Komma: return QStringLiteral(",");
    case Trennzeichenwahl::Leerzeichen: return QStringLiteral(" ");
    case Trennzeichenwahl::Anderes: return anderes;
  }
  return QStringLiteral("\t");
}

QString DezimalzeichenErsetzen(const QString& text, const QString& alt, const QString& neu) {
  if (alt.isEmpty()) return text;
  const qsizetype p = text.indexOf(alt);
  if (p < 0) return text;
  return text.left(p) + neu + text.mid(p + alt.size());
}

namespace {

// Appends a text as Windows-1252; the usual all-ASCII number text without a
// detour through the code page table.
void textAnhaengen(QByteArray& ziel, const QString& text) {
  char puffer[64];
  const qsizetype n = text.size();
  if (n <= qsizetype(sizeof puffer)) {
    const ushort* zeichen = text.utf16();
    qsizetype i = 0;
    for (; i < n && zeichen[i] < 0x80; ++i) puffer[i] = static_cast<char>(zeichen[i]);
    if (i == n) {
      ziel.append(puffer, n);
      return;
    }
  }
  ziel += zuCp1252(text);
}

// One data line with the separator already encoded.
void zeileAnhaengen(QByteArray& ziel, const Messdaten& d, int32_t i, const ExportOptionen& o,
                    const QByteArray& trenner) {
  const auto k = static_cast<std::size_t>(i);
  QString zeit =
      Tolvek::zahlFormatieren(d.x[k], o.xCode, o.xNachkommastellen, o.systemDezimalzeichen, o.messStart).text;
  QString wert =
      Tolvek::zahlFormatieren(d.y[k], o.yCode, o.yNachkommastellen, o.systemDezimalzeichen, o.messStart).text;
  if (o.dezimalzeichen != o.systemDezimalzeichen) {
    // DezimalzeichenErsetzen for one character, in place.
    const auto ersetzen = [&o](QString& text) {
      const qsizetype p = text.indexOf(o.systemDezimalzeichen);
      if (p >= 0) text[p] = o.dezimalzeichen;
    };
    ersetzen(wert);
    // Clock and date texts (codes 13 to 16) hold no decimal sign.
    if (o.xCode < 13) ersetzen(zeit);
  }
  ziel += QByteArray::number(i);
  ziel += trenner;
  textAnhaengen(ziel, zeit);
  ziel += trenner;
  textAnhaengen(ziel, wert);
  ziel += "\r\n";
}

}  // namespace

QByteArray exportKopf(const Messdaten& daten, const Messbeschreibung& b, int16_t yCode) {
  const QString zeilen[] = {
      kExportKennung,
      QString(),
      QStringLiteral("Messung gestartet: ") + daten.MesBeg,
      QStringLiteral("Messung beendet: ") + daten.MesEnd,
      QStringLiteral("Titel: ") + b.Titel,
      QStringLiteral("gemessen: ") + b.PhysGr + u' ' + b.Zeichen + u'(' + yVorsatz(yCode) + b.Einheit + u')',
      QString(),
      QStringLiteral("Kommentar:"),
      u'"' + crLfZeilenenden(b.Kommentar) + u'"',
      QString(),
      QStringLiteral("Daten:"),
  };
  QByteArray bytes;
  for (const QString& z : zeilen) {
    bytes += zuCp1252(z);
    bytes += "\r\n";
  }
  return bytes;
}

void exportZeileAnhaengen(QByteArray& ziel, const Messdaten& daten, int32_t i, const ExportOptionen& optionen) {
  zeileAnhaengen(ziel, daten, i, optionen, zuCp1252(optionen.trennzeichen));
}

QByteArray exportText(const Messdaten& daten, const Messbeschreibung& beschreibung, const ExportOptionen& optionen) {
  TextExportLauf lauf(daten, beschreibung, optionen);
  while (!lauf.fertig()) lauf.weiter();
  return lauf.bytes();
}

int32_t exportFortschritt(int32_t k, const Bereich& b) {
  if (b.von == b.bis) return 0;
  const double werte = (static_cast<double>(b.bis) - b.von) / b.schritt;
  return static_cast<int32_t>(std::floor((k - 1) / werte * 100.0));
}

TextExportLauf::TextExportLauf(Messdaten daten, const Messbeschreibung& beschreibung, ExportOptionen optionen)
    : daten_(std::move(daten)), optionen_(std::move(optionen)) {
  // Never beyond the values the copy holds.
  optionen_.bereich = optionen_.bereich.begrenzt(daten_.m);
  anzahl_ = optionen_.bereich.anzahl();
  trenner_ = zuCp1252(optionen_.trennzeichen);
  bytes_ = exportKopf(daten_, beschreibung, optionen_.yCode);
  // About 32 bytes a line; a guess that saves most re-allocations.
  bytes_.reserve(bytes_.size() + static_cast<qsizetype>(anzahl_) * 32);
}

void TextExportLauf::weiter() {
  if (fertig()) return;
  zeileAnhaengen(bytes_, daten_, optionen_.bereich.nummer(k_ - 1), optionen_, trenner_);
  ++k_;
}

// ---- The export dialog's range ---------------------------------------------

Bereichspruefung exportbereichPruefen(const QString& von, const QString& bis, const QString& schritt, int32_t m,
                                      QChar dezimaltrennzeichen) {
  const std::optional<int32_t> v = ganzzahlLesen(von, dezimaltrennzeichen);
  if (!v) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe beim 'Von'-Wert"));
  const std::optional<int32_t> b = ganzzahlLesen(bis, dezimaltrennzeichen);
  if (!b) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe beim 'Bis'-Wert"));
  if (*v < 1)
    return bereichAbgelehnt(QStringLiteral("Sie können nur Meßwerte aus dem Bereich 1 bis %1 exportieren!").arg(m),
                     Eingabefeld::Keins, Symbol::Kritisch, QString());
  if (*b > m)
    return bereichAbgelehnt(QStringLiteral("Der 'Bis'-Wert muss zwischen 2 und %1 liegen").arg(m), Eingabefeld::Bis);
  if (*v >= *b) return bereichAbgelehnt(QStringLiteral("Der Wert 'Von' muss kleiner sein als der Wert 'Bis'"));
  const std::optional<int32_t> s = ganzzahlLesen(schritt, dezimaltrennzeichen);
  if (!s) return bereichAbgelehnt(QStringLiteral("Fehlerhafte Eingabe bei der Schrittweite"));
  Bereichspruefung p;
  p.bereich = Bereich{*v, *b, std::max<int32_t>(*s, 1)};
  return p;
}

Ablehnung keineMesswerteZumExport() {
  return {QStringLiteral("Es liegen keine Meßwerte vor!"), Eingabefeld::Keins, Symbol::Kritisch, QString()};
}

ExportVorgaben exportVorgaben(int32_t m, const std::optional<TabellenFelder>& tabelle, QChar dezimaltrennzeichen) {
  ExportVorgaben v;
  if (!tabelle) {
    v.alle = true;
    v.von = QStringLiteral("1");
    v.bis = QString::number(m);
    v.schritt = QString::number(m / 65536 + 1);
    return v;
  }
  const std::optional<int32_t> von = ganzzahlLesen(tabelle->von, dezimaltrennzeichen);
  const std::optional<int32_t> bis = ganzzahlLesen(tabelle->bis, dezimaltrennzeichen);
  v.alle = von == 1 && bis == m;
  if (v.alle) {
    v.von = QStringLiteral("1");
    v.bis = QString::number(m);
  } else {
    v.von = tabelle->von;
    v.bis = tabelle->bis;
  }
  v.schritt = tabelle->schritt;
  return v;
}

}  // namespace pv
