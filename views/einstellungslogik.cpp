#include "einstellungslogik.h"

#include <algorithm>

#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

namespace {

const QString kFehlend = QStringLiteral("Fehlende oder unzulässige Eingabe bei ");

std::optional<int16_t> feldZahl(const QString& text, QChar dez) {
  const std::optional<double> zahl = zahlLesen(text, dez);
  if (!zahl) return std::nullopt;
  return ganzzahl16(*zahl);
}

int16_t zahl(const QString& text, QChar dez) { return feldZahl(text, dez).value_or(0); }

// One field's check: unreadable gives the missing-input text with its
// label, out of range the field's own message.
std::optional<QString> pruefen(const QString& text, QChar dez, int von, int bis, const QString& label,
                               const QString& bereichsmeldung) {
  const std::optional<int16_t> n = feldZahl(text, dez);
  if (!n) return kFehlend + label;
  if (*n < von || *n > bis) return bereichsmeldung.isEmpty() ? kFehlend + label : bereichsmeldung;
  return std::nullopt;
}

}  // namespace

QString xTitelAutomatisch(int xFormat) {
  static const QString kTitel[] = {QStringLiteral("Zeit (s)"),        QStringLiteral("Zeit (min)"),
                                   QStringLiteral("Zeit (h)"),        QStringLiteral("Zeit (mm:ss)"),
                                   QStringLiteral("Zeit (hh:mm)"),    QStringLiteral("Zeit (hh:mm:ss)"),
                                   QStringLiteral("Zeit (Datum, Uhrzeit)")};
  return xFormat >= 0 && xFormat <= 6 ? kTitel[xFormat] : QStringLiteral("Zeit");
}

QString yVorsatz(int16_t code) { return Tolvek::zahlFormatieren(0, code, 0, u',', {}).vorsatz; }

Einstellungsfelder einstellungsfelderLaden(const Einstellungen& e, const GrafikEinstellungen& p) {
  Einstellungsfelder f;
  for (size_t n = 1; n <= 5; ++n) {
    const DarstellungsSchema& s = e.Schemata[n];
    f.schemata[n] = {QString::number(s.Liniendicke), QString::number(s.Messpunktgroesse),
                     QString::number(s.LiniendickeAchsen), QString::number(s.LiniendickeGitter),
                     {s.FarbeHintergrund, s.FarbeZeichnungsflaeche, s.FarbeTextLinien, s.FarbeMesskurve}};
  }
  f.schemaDrucker = e.SchemaDrucker == 1;
  f.nachkommastellenX = QString::number(e.XNachkommastellen);
  f.nachkommastellenY = QString::number(e.YNachkommastellen);
  f.xFormat = std::clamp(e.XZahlenformatnummer - 10, 0, 6);
  f.yFormat = std::clamp<int>(e.YZahlenformatnummer, 0, 7);
  f.xBeschriftungManuell = e.XBeschriftungManuell == 1 ? 1 : 0;
  f.xBeschriftung = f.xBeschriftungManuell == 1 ? e.XBezeichnung : xTitelAutomatisch(f.xFormat);
  f.schriftart = p.Schriftart;
  f.fett = p.SchriftbildFett;
  f.titelGroesseAuto = p.SchriftgroesseTitel <= 0;
  if (!f.titelGroesseAuto) f.titelGroesse = QString::number(p.SchriftgroesseTitel);
  f.achsenGroesseAuto = p.SchriftgroesseAchsen <= 0;
  if (!f.achsenGroesseAuto) f.achsenGroesse = QString::number(p.SchriftgroesseAchsen);
  f.bargraphAktiviert = e.BarGraphAktiviert >= 1 && e.BarGraphAktiviert <= 3;
  f.bargraphWertMax = e.BarGraphAktiviert == 2;
  f.bargraphProzent = e.BarGraphAktiviert == 3;
  return f;
}

std::optional<QString> einstellungsfelderPruefen(const Einstellungsfelder& f, QChar dez) {
  const QString eins = QStringLiteral(" sind nur Werte von 1 bis 10 erlaubt");
  for (size_t n = 1; n <= 5; ++n) {
    const Schemafelder& s = f.schemata[n];
    const QString nr = QString::number(n);
    const std::pair<const QString*, std::pair<const char*, const char*>> felder[] = {
        {&s.liniendicke, {"Liniendicke Schema ", "Für die Liniendicke"}},
        {&s.messpunktgroesse, {"Messpunktgröße Schema ", "Für die Punktstärke"}},
        {&s.liniendickeAchsen, {"Liniendicke Achsen Schema ", "Für die Achsendicke"}},
        {&s.liniendickeGitter, {"Liniendicke Gitter Schema ", "Für die Gitterliniendicke"}},
    };
    for (const auto& [text, namen] : felder) {
      if (auto m = pruefen(*text, dez, 1, 10, QString::fromUtf8(namen.first) + nr, QString::fromUtf8(namen.second) + eins))
        return m;
    }
  }
  const QString nks = QStringLiteral("Für die Nachkommastellen sind nur Werte von 0 bis 10 erlaubt");
  if (auto m = pruefen(f.nachkommastellenX, dez, 0, 10, QStringLiteral("Nachkommastellen beim Zeit-Format"), nks))
    return m;
  if (auto m = pruefen(f.nachkommastellenY, dez, 0, 10, QStringLiteral("Nachkommastellen beim Messwert-Format"), nks))
    return m;
  if (!f.titelGroesseAuto)
    if (auto m = pruefen(f.titelGroesse, dez, 3, 100, QStringLiteral("Schriftgröße Titel"), {})) return m;
  if (!f.achsenGroesseAuto)
    if (auto m = pruefen(f.achsenGroesse, dez, 3, 100, QStringLiteral("Schriftgröße Achsen"), {})) return m;
  return std::nullopt;
}

std::pair<int16_t, int16_t> einstellungsfelderSpeichern(const Einstellungsfelder& f, Einstellungen& e,
                                                        GrafikEinstellungen& p, QChar dez) {
  if (!f.bargraphAktiviert)
    e.BarGraphAktiviert = 0;
  else if (f.bargraphWertMax != f.bargraphProzent)
    e.BarGraphAktiviert = f.bargraphWertMax ? 2 : 3;
  else
    e.BarGraphAktiviert = 1;
  for (size_t n = 1; n <= 5; ++n) {
    const Schemafelder& s = f.schemata[n];
    e.Schemata[n] = {zahl(s.liniendicke, dez), zahl(s.messpunktgroesse, dez), zahl(s.liniendickeAchsen, dez),
                     zahl(s.liniendickeGitter, dez), s.farben[0], s.farben[1], s.farben[2], s.farben[3]};
  }
  e.SchemaDrucker = f.schemaDrucker ? 1 : 0;
  e.XNachkommastellen = p.XNachkommastellen = zahl(f.nachkommastellenX, dez);
  e.YNachkommastellen = p.YNachkommastellen = zahl(f.nachkommastellenY, dez);
  const std::pair<int16_t, int16_t> vorher{e.XZahlenformatnummer, e.YZahlenformatnummer};
  if (f.xFormat >= 0 && f.xFormat <= 6) e.XZahlenformatnummer = p.XZahlenformat = static_cast<int16_t>(f.xFormat + 10);
  e.XBezeichnung = f.xBeschriftung;
  if (f.yFormat >= 0 && f.yFormat <= 7) e.YZahlenformatnummer = p.YZahlenformat = static_cast<int16_t>(f.yFormat);
  e.YBezeichnung = yVorsatz(e.YZahlenformatnummer);
  p.Schriftart = f.schriftart;
  p.SchriftbildFett = f.fett;
  p.SchriftgroesseTitel = f.titelGroesseAuto ? 0 : zahl(f.titelGroesse, dez);
  p.SchriftgroesseAchsen = f.achsenGroesseAuto ? 0 : zahl(f.achsenGroesse, dez);
  return vorher;
}

}  // namespace pv
