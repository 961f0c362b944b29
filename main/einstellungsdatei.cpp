#include "einstellungsdatei.h"


#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <algorithm>
#include <cmath>
#include <limits>

#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/meldungen.h"
#include "common/parameter.h"
#include "common/textdatei.h"
#include "common/tolvek.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"
#include "main/werkseinstellungen.h"

namespace pv {
namespace {

// The part of a scheme key after the scheme number, in file order.
const char* const kSchemaSchluessel[8] = {
    ":  Liniendicke",         ":  Messpunktgröße",         ":  Liniendicke Achsen",
    ":  Liniendicke Gitter",  ":  Farbe Hintergrund",      ":  Farbe Zeichnungsfläche",
    ":  Farbe Text/Linien",   ":  Farbe Messkurve",
};

QString schemaSchluessel(int n, int feld) {
  return QString::number(n) + QString::fromUtf8(kSchemaSchluessel[feld]);
}

QString S(const char* utf8) { return QString::fromUtf8(utf8); }

// ---------------------------------------------------------------- reading

// Looks up keys in the settings text and converts their values. A value that
// the key's kind cannot take leaves the variable as it was and marks the
// reading as failed; the remaining keys are still applied.
class Leser {
 public:
  Leser(const QString& text, QChar dezimal) : text_(text), dezimal_(dezimal) {}

  int16_t status() const { return fehler_ ? kIniLesefehler : kIniGelesen; }

  QString wert(const QString& schluessel) const {
    // An empty text would make the lookup read a file instead.
    if (text_.isEmpty()) return QString();
    return Tolvek::ParameterLesen(text_, QString(), schluessel);
  }

  // T: the text as it is.
  void T(const QString& schluessel, QString& ziel) const { ziel = wert(schluessel); }

  // I: a 16-bit integer; empty, non-numeric or too large is an error.
  bool I(const QString& schluessel, int16_t& ziel) {
    const std::optional<double> z = zahlLesen(wert(schluessel), dezimal_);
    const std::optional<int16_t> g = z ? ganzzahl16(*z) : std::nullopt;
    if (!g) return fehler();
    ziel = *g;
    return true;
  }

  // L: a 32-bit integer (the colours).
  void L(const QString& schluessel, uint32_t& ziel) {
    const std::optional<double> z = zahlLesen(wert(schluessel), dezimal_);
    const std::optional<int32_t> g = z ? ganzzahl32(*z) : std::nullopt;
    if (!g) {
      fehler();
      return;
    }
    ziel = static_cast<uint32_t>(*g);
  }

  // B: I, then True exactly for 1.
  void B(const QString& schluessel, bool& ziel) {
    int16_t n = 0;
    if (I(schluessel, n)) ziel = n == 1;
  }

  // V: the leading number ("." as the mark), 0 when there is none. Only a
  // number too large for the variable is an error.
  void V(const QString& schluessel, int16_t& ziel) {
    const std::optional<int16_t> g = ganzzahl16(val(wert(schluessel)));
    if (!g) {
      fehler();
      return;
    }
    ziel = *g;
  }

  // BV: V, then True exactly for 1.
  void BV(const QString& schluessel, bool& ziel) const { ziel = val(wert(schluessel)) == 1.0; }

  // S: a single; empty or non-numeric is an error.
  void S(const QString& schluessel, float& ziel) {
    const std::optional<float> f = single(wert(schluessel));
    if (!f) {
      fehler();
      return;
    }
    ziel = *f;
  }

  // SN: a single, taken only when the text is a number.
  void SN(const QString& schluessel, float& ziel) const {
    if (const std::optional<float> f = single(wert(schluessel))) ziel = *f;
  }

  // SE: a single, or `leer` when the value is empty.
  void SE(const QString& schluessel, float& ziel, float leer) {
    const QString w = wert(schluessel);
    if (w.isEmpty()) {
      ziel = leer;
      return;
    }
    S(schluessel, ziel);
  }

 private:
  bool fehler() {
    fehler_ = true;
    return false;
  }

  std::optional<float> single(const QString& w) const {
    const std::optional<double> z = zahlLesen(w, dezimal_);
    return z ? alsSingle(*z) : std::nullopt;
  }

  const QString& text_;
  QChar dezimal_;
  bool fehler_ = false;
};

// ---------------------------------------------------------------- writing

// Builds the file line by line. Text values lose CR and LF, which would
// otherwise end the line early and leave the rest to be taken for a key.
class Schreiber {
 public:
  explicit Schreiber(QChar dezimal) : dezimal_(dezimal) {}

  void zeile(const QString& text) { text_.zeile(text); }
  void abschnitt(const char* kopf) {
    text_.zeile(QString());
    text_.zeile(QString::fromUtf8(kopf));
  }
  void T(const QString& schluessel, QString wert) {
    wert.remove(u'\r');
    wert.remove(u'\n');
    zeile(schluessel + u'=' + wert);
  }
  void I(const QString& schluessel, int32_t wert) { zeile(schluessel + u'=' + QString::number(wert)); }
  void B(const QString& schluessel, bool wert) { I(schluessel, wert ? 1 : 0); }
  void C(const QString& schluessel, uint32_t wert) { I(schluessel, static_cast<int32_t>(wert)); }
  void Sgl(const QString& schluessel, float wert) {
    zeile(schluessel + u'=' + singleText(wert, dezimal_));
  }

  QByteArray bytes() {
    // The file ends with one more line end (an empty last line).
    text_.zeile(QString());
    return text_.bytes();
  }

 private:
  CrLfText text_;
  QChar dezimal_;
};

}  // namespace

// ---------------------------------------------------------------- iniTextLesen

int16_t iniTextLesen(const QString& text, QChar dezimal, Einstellungen& e) {
  Leser l(text, dezimal);

  l.T(S("Aktuelles Messgerät"), e.AktuellesMessgeraet);
  l.I(S("Serielle Schnittstelle"), e.ComPortNummer);
  l.T(S("Ordner Messungen"), e.OrdnerMessungen);
  l.I(S("Anzahl"), e.LetzteDateienAnzahl);
  e.LetzteDateienAnzahl = std::clamp<int16_t>(e.LetzteDateienAnzahl, 1, 16);

  // Empty slots are skipped so that the menu entries stay contiguous.
  e.LetzteDateien.clear();
  for (int n = 1; n <= e.LetzteDateienAnzahl; ++n) {
    const QString datei = l.wert(S("Datei ") + QString::number(n));
    if (!datei.isEmpty()) e.LetzteDateien.append(datei);
  }

  l.T(S("Drucker"), e.DruckerName);
  l.I(S("Computerbild"), e.Computerbild);
  l.B(S("Animation"), e.DatenlinieAnimation);
  l.V(S("Animationsart"), e.Animationsart);
  l.I(S("Bargraphanzeige"), e.BarGraphAktiviert);

  for (int n = 1; n <= 5; ++n) {
    DarstellungsSchema& s = e.Schemata[n];
    l.I(schemaSchluessel(n, 0), s.Liniendicke);
    l.I(schemaSchluessel(n, 1), s.Messpunktgroesse);
    l.I(schemaSchluessel(n, 2), s.LiniendickeAchsen);
    l.I(schemaSchluessel(n, 3), s.LiniendickeGitter);
    l.L(schemaSchluessel(n, 4), s.FarbeHintergrund);
    l.L(schemaSchluessel(n, 5), s.FarbeZeichnungsflaeche);
    l.L(schemaSchluessel(n, 6), s.FarbeTextLinien);
    l.L(schemaSchluessel(n, 7), s.FarbeMesskurve);
  }
  l.V(S("SchemaDrucker"), e.SchemaDrucker);

  l.I(S("Aktuelles Schema"), e.AktuellesSchema);
  l.I(S("Messwerte verbunden"), e.MesswerteVerbunden);
  l.I(S("Messpunkte anzeigen"), e.MesspunkteAnzeigen);
  l.B(S("Gitter x"), e.GitterX);
  l.BV(S("MinMaxAutoX"), e.MinMaxAutoX);
  l.BV(S("Gitterabstand auto x"), e.GitterabstandAutoX);
  l.SN(S("xmin"), e.XMin);
  l.SN(S("xmax"), e.XMax);
  l.SN(S("Gitterabstand x"), e.GitterabstandX);
  l.B(S("Gitter y"), e.GitterY);
  l.BV(S("MinMaxAutoY"), e.MinMaxAutoY);
  l.BV(S("Gitterabstand auto y"), e.GitterabstandAutoY);
  l.SN(S("ymin"), e.YMin);
  l.SN(S("ymax"), e.YMax);
  l.SN(S("Gitterabstand y"), e.GitterabstandY);
  l.T(S("Schriftart"), e.Schriftart);
  l.B(S("Schriftbild Fett"), e.SchriftbildFett);
  l.I(S("Schriftgrösse Titel"), e.SchriftgroesseTitel);
  l.I(S("Schriftgrösse Achsen"), e.SchriftgroesseAchsen);

  l.B(S("Messende automatisch"), e.MessendeAutomatisch);
  l.S(S("Messdauer"), e.Messdauer);
  l.B(S("Zwischenspeichern automatisch"), e.ZwischenspeichernAutomatisch);
  l.S(S("Zwischenspeichern Zeit"), e.ZwischenspeichernZeit);
  l.T(S("Zwischenspeichern Datei"), e.ZwischenspeichernDatei);
  l.V(S("TimeOutON"), e.TimeOutON);
  l.SE(S("TimeOutTime"), e.TimeOutTime, 1);
  l.V(S("CheckMinON"), e.CheckMinON);
  l.SE(S("CheckMin"), e.CheckMin, 0);
  l.V(S("CheckMaxON"), e.CheckMaxON);
  l.SE(S("CheckMax"), e.CheckMax, 0);

  l.I(S("x-Zahlenformatnummer"), e.XZahlenformatnummer);
  l.I(S("x-Nachkommastellen"), e.XNachkommastellen);
  l.T(S("x-Bezeichnung"), e.XBezeichnung);
  l.V(S("x-BeschriftungManuell"), e.XBeschriftungManuell);
  l.I(S("y-Zahlenformatnummer"), e.YZahlenformatnummer);
  l.I(S("y-Nachkommastellen"), e.YNachkommastellen);
  l.T(S("y-Bezeichnung"), e.YBezeichnung);

  l.S(S("Wartezeit"), e.Wartezeit);
  l.I(S("Messbereich"), e.Messbereich);
  l.T(S("Linear m"), e.TextM);
  l.T(S("Linear t"), e.TextT);
  l.T(S("Sensordatei"), e.Sensordatei);
  l.T(S("Sensorname"), e.Sensorname);
  int16_t verarbeitung = 0;
  if (l.I(S("Messwertverarbeitung"), verarbeitung)) {
    e.Messwertverarbeitung = (verarbeitung == 2 || verarbeitung == 3) ? verarbeitung : int16_t(1);
  }
  l.T(S("Bezeichnung"), e.TextMessBezeichnung);
  l.T(S("Physikalische Größe"), e.TextPhysGr);
  l.T(S("Zeichen"), e.TextZeichen);
  l.T(S("Einheit"), e.TextEinheit);
  l.I(S("Optionaler Frame"), e.OptionalerFrame);
  int16_t anzeige = 0;
  if (l.I(S("Displayanzeige Auswahl"), anzeige)) e.DisplayanzeigeAuswahl = anzeige == 1 ? 1 : 0;
  l.B(S("Tooltipps"), e.Tooltipps);

  l.B(S("Option Messwert"), e.OptionMesswert);
  l.I(S("LED/LCD"), e.LEDLCD);
  l.I(S("Display Schrift Fett"), e.DisplaySchriftFett);
  l.I(S("Display Schrift Digital"), e.DisplaySchriftDigital);
  l.T(S("Display Schrift Digitalfont"), e.DisplaySchriftDigitalfont);
  l.B(S("Display hell"), e.DisplayHell);

  e.ToolTippsSetzen = e.Tooltipps;
  return l.status();
}

// ---------------------------------------------------------------- iniLesen

int16_t iniLesen(const QString& programmordner, QChar dezimal, Einstellungen& e) {
  e.ToolTippsSetzen = false;
  const QDir ordner(programmordner);
  const QString datei = ordner.filePath(kIniDatei);
  const QString alteDatei = ordner.filePath(kAlteIniDatei);
  Meldungen& meldungen = Tolvek::meldungen();

  if (QFileInfo::exists(alteDatei) && !QFileInfo::exists(datei)) {
    if (iniKonvertierenZuVer3(programmordner, kAlteIniDatei, e) != 1) {
      // Renamed so that the conversion runs once; a failed rename is ignored.
      QFile::rename(alteDatei, ordner.filePath(kAlteIniDateiUmbenannt));
      return kIniGelesen;
    }
    const Antwort a = meldungen.zeigen(
        S("Probleme bei der Konvertierung der Datei 'Pelvar.ini'\r\n"
          "Soll eine Standardkonfiguration geladen werden?"),
        kAnwendungstitel, Knoepfe::JaNein, Symbol::Kritisch, Antwort::Ja);
    return a == Antwort::Ja ? kIniStandard : kIniBeenden;
  }

  QString inhalt;
  if (!textdateiLesen(datei, inhalt)) {
    const Antwort a = meldungen.zeigen(
        S("Die Pelvaron-Initialisierungsdatei konnte nicht gefunden werden.\n"
          "Soll eine Standardkonfiguration geladen werden?"),
        S("Fehler beim Laden der Initialisierungsdatei"), Knoepfe::JaNein, Symbol::Keins,
        Antwort::Ja);
    return a == Antwort::Nein ? kIniBeenden : kIniStandard;
  }

  FeldLeser leser(inhalt);
  const std::optional<QString> kopf = leser.text();
  if (!kopf || *kopf != kIniKopf) {
    const Antwort a = meldungen.zeigen(
        S("Die Datei 'Pelvaron.ini' ist ungültig!\r\n"
          "Möchten Sie eine Standardkonfiguration laden?"),
        kAnwendungstitel, Knoepfe::JaNein, Symbol::Kritisch, Antwort::Ja);
    if (a != Antwort::Ja) return kIniBeenden;
    e.ToolTippsSetzen = e.Tooltipps;
    return kIniStandard;
  }
  return iniTextLesen(leser.rest(), dezimal, e);
}

// ---------------------------------------------------------------- writing

QByteArray iniText(const Einstellungen& e, QChar dezimal) {
  Schreiber w(dezimal);
  w.zeile(kIniKopf);
  w.T(S("Aktuelles Messgerät"), e.AktuellesMessgeraet);
  w.I(S("Serielle Schnittstelle"), e.ComPortNummer);
  w.T(S("Ordner Messungen"), e.OrdnerMessungen);

  w.abschnitt("[Zuletzt geöffnete Dateien]");
  w.I(S("Anzahl"), std::max<int32_t>(4, e.LetzteDateienAnzahl));
  for (int n = 1; n <= e.LetzteDateienAnzahl; ++n) {
    w.T(S("Datei ") + QString::number(n), n <= e.LetzteDateien.size() ? e.LetzteDateien[n - 1] : QString());
  }
  w.T(S("Drucker"), e.DruckerName);
  w.I(S("Computerbild"), e.Computerbild);
  w.B(S("Animation"), e.DatenlinieAnimation);
  w.I(S("Animationsart"), e.Animationsart);
  w.I(S("Bargraphanzeige"), e.BarGraphAktiviert);

  w.abschnitt("[Darstellungs-Schemata]");
  for (int n = 1; n <= 5; ++n) {
    const DarstellungsSchema& s = e.Schemata[n];
    w.I(schemaSchluessel(n, 0), s.Liniendicke);
    w.I(schemaSchluessel(n, 1), s.Messpunktgroesse);
    w.I(schemaSchluessel(n, 2), s.LiniendickeAchsen);
    w.I(schemaSchluessel(n, 3), s.LiniendickeGitter);
    w.C(schemaSchluessel(n, 4), s.FarbeHintergrund);
    w.C(schemaSchluessel(n, 5), s.FarbeZeichnungsflaeche);
    w.C(schemaSchluessel(n, 6), s.FarbeTextLinien);
    w.C(schemaSchluessel(n, 7), s.FarbeMesskurve);
  }
  w.I(S("SchemaDrucker"), e.SchemaDrucker);

  w.abschnitt("[Grafikeinstellungen]");
  w.I(S("Aktuelles Schema"), e.AktuellesSchema);
  w.I(S("Messwerte verbunden"), e.MesswerteVerbunden);
  w.I(S("Messpunkte anzeigen"), e.MesspunkteAnzeigen);
  w.B(S("Gitter x"), e.GitterX);
  w.B(S("MinMaxAutoX"), e.MinMaxAutoX);
  w.Sgl(S("xmin"), e.XMin);
  w.Sgl(S("xmax"), e.XMax);
  w.B(S("Gitterabstand auto x"), e.GitterabstandAutoX);
  w.Sgl(S("Gitterabstand x"), e.GitterabstandX);
  w.B(S("Gitter y"), e.GitterY);
  w.B(S("MinMaxAutoY"), e.MinMaxAutoY);
  w.B(S("Gitterabstand auto y"), e.GitterabstandAutoY);
  w.Sgl(S("Gitterabstand y"), e.GitterabstandY);
  w.Sgl(S("ymin"), e.YMin);
  w.Sgl(S("ymax"), e.YMax);
  w.T(S("Schriftart"), e.Schriftart);
  w.B(S("Schriftbild Fett"), e.SchriftbildFett);
  w.I(S("Schriftgrösse Titel"), e.SchriftgroesseTitel);
  w.I(S("Schriftgrösse Achsen"), e.SchriftgroesseAchsen);

  w.abschnitt("[Messung]");
  w.B(S("Messende automatisch"), e.MessendeAutomatisch);
  w.Sgl(S("Messdauer"), e.Messdauer);
  w.B(S("Zwischenspeichern automatisch"), e.ZwischenspeichernAutomatisch);
  w.Sgl(S("Zwischenspeichern Zeit"), e.ZwischenspeichernZeit);
  w.T(S("Zwischenspeichern Datei"), e.ZwischenspeichernDatei);
  w.I(S("TimeOutON"), e.TimeOutON);
  w.Sgl(S("TimeOutTime"), e.TimeOutTime);
  w.I(S("CheckMinON"), e.CheckMinON);
  w.Sgl(S("CheckMin"), e.CheckMin);
  w.I(S("CheckMaxON"), e.CheckMaxON);
  w.Sgl(S("CheckMax"), e.CheckMax);

  w.abschnitt("[Zahlenformat]");
  w.I(S("x-Zahlenformatnummer"), e.XZahlenformatnummer);
  w.I(S("x-Nachkommastellen"), e.XNachkommastellen);
  w.T(S("x-Bezeichnung"), e.XBezeichnung);
  w.I(S("x-BeschriftungManuell"), e.XBeschriftungManuell);
  w.I(S("y-Zahlenformatnummer"), e.YZahlenformatnummer);
  w.I(S("y-Nachkommastellen"), e.YNachkommastellen);
  w.T(S("y-Bezeichnung"), e.YBezeichnung);

  w.abschnitt("[Programmeinstellungen]");
  w.Sgl(S("Wartezeit"), e.Wartezeit);
  w.I(S("Messbereich"), e.Messbereich);
  w.I(S("Messwertverarbeitung"),
      e.Messwertverarbeitung == 2 || e.Messwertverarbeitung == 3 ? e.Messwertverarbeitung : 1);
  w.T(S("Linear m"), e.TextM);
  w.T(S("Linear t"), e.TextT);
  w.T(S("Sensordatei"), e.Sensordatei);
  w.T(S("Sensorname"), e.Sensorname);
  w.T(S("Bezeichnung"), e.TextMessBezeichnung);
  w.T(S("Physikalische Größe"), e.TextPhysGr);
  w.T(S("Zeichen"), e.TextZeichen);
  w.T(S("Einheit"), e.TextEinheit);
  w.I(S("Optionaler Frame"), e.OptionalerFrame);
  w.I(S("Displayanzeige Auswahl"), e.DisplayanzeigeAuswahl == 1 ? 1 : 0);
  w.B(S("Tooltipps"), e.Tooltipps);

  w.abschnitt("[Einstellungen Display]");
  w.B(S("Option Messwert"), e.OptionMesswert);
  w.I(S("LED/LCD"), e.LEDLCD);
  w.I(S("Display Schrift Fett"), e.DisplaySchriftFett);
  w.I(S("Display Schrift Digital"), e.DisplaySchriftDigital);
  w.T(S("Display Schrift Digitalfont"), e.DisplaySchriftDigitalfont);
  w.B(S("Display hell"), e.DisplayHell);
  return w.bytes();
}

bool iniSichern(const QString& programmordner, QChar dezimal, const Einstellungen& e) {
  if (dateiErsetzen(QDir(programmordner).filePath(kIniDatei), iniText(e, dezimal))) return true;
  Tolvek::Fehlerbehandlung(S("Form1 -> iniSichern"), Laufzeitfehler::kPfadZugriff,
                           S("Fehler beim Zugriff auf Pfad/Datei"));
  return false;
}

}  // namespace pv
