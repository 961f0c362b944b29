#include "werkseinstellungen.h"

#include <QDir>

#include "common/fehlerbehandlung.h"
#include "common/laufzeitfehler.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "devices/feldleser.h"
#include "main/einstellungsdatei.h"

namespace pv {
namespace {

// The scheme every new installation starts with: blue curve on a light grey
// plotting area inside a white window, black text and lines.
void standardSchemata(Einstellungen& e, int16_t liniendickeAchsen) {
  for (int n = 1; n <= 5; ++n) {
    DarstellungsSchema& s = e.Schemata[n];
    s.Liniendicke = 1;
    s.Messpunktgroesse = 3;
    s.LiniendickeAchsen = liniendickeAchsen;
    s.LiniendickeGitter = 1;
    s.FarbeHintergrund = 0xFFFFFF;
    s.FarbeZeichnungsflaeche = 0xE0E0E0;
    s.FarbeTextLinien = 0x000000;
    s.FarbeMesskurve = 0xFF0000;
  }
}

// The values the defaults and the conversion share, from the printer name
// on, except the graph font's weight and sizes and the measurement and
// intermediate-save times, which differ between the two.
void gemeinsameWerte(Einstellungen& e, int16_t liniendickeAchsen) {
  e.DruckerName.clear();
  // Picture 2 stepped once by the PC-picture handler: picture 0.
  e.Computerbild = 0;
  e.DatenlinieAnimation = true;
  standardSchemata(e, liniendickeAchsen);
  e.AktuellesSchema = 1;
  e.MesswerteVerbunden = 1;
  e.MesspunkteAnzeigen = 1;
  e.GitterX = true;
  e.GitterY = true;
  e.SchrittweiteAutomatisch = true;
  e.Schrittweite = 1;
  e.Schriftart = QStringLiteral("Arial");
}

void gemeinsameProgrammwerte(Einstellungen& e) {
  e.XZahlenformatnummer = 10;
  e.XNachkommastellen = 1;
  e.XBezeichnung = QStringLiteral("Zeit (s)");
  e.YZahlenformatnummer = 1;
  e.YNachkommastellen = 2;
  e.YBezeichnung.clear();
  e.Wartezeit = 0;
  // Left at 0 the "Mega" button would be pressed and every value multiplied
  // by a million; the neutral button is the sound start.
  e.Messbereich = 6;
  e.Messwertverarbeitung = 1;
  e.TextM = QStringLiteral("1");
  e.LinearM = 1;
  e.TextT = QStringLiteral("0");
  e.LinearT = 0;
  e.Sensordatei.clear();
  e.Sensorname.clear();
  e.TextMessBezeichnung = QStringLiteral("Spannungsmessung");
  e.TextPhysGr = QStringLiteral("Spannung");
  e.TextZeichen = QStringLiteral("U");
  e.TextEinheit = QStringLiteral("V");
  e.OptionalerFrame = 0;
  e.DisplayanzeigeAuswahl = 1;
  e.Tooltipps = true;
  e.OptionMesswert = false;
  e.LEDLCD = 0;
  e.DisplaySchriftFett = 0;
  e.DisplaySchriftDigital = 0;
  e.DisplaySchriftDigitalfont = QStringLiteral("Digital SF");
  e.DisplayHell = true;
}

QString naechstesItem(FeldLeser& leser) {
  std::optional<QString> item = leser.text();
  if (!item) throw Laufzeitfehler(Laufzeitfehler::kEingabeZuKurz, QStringLiteral("Einlesen hinter Dateiende"));
  return *item;
}

// A numeric item of a sequential file: "." is the decimal mark, an empty
// item is 0.
int16_t zahlItem(FeldLeser& leser) {
  const QString item = naechstesItem(leser).trimmed();
  if (item.isEmpty()) return 0;
  const std::optional<double> z = zahlLesen(item, u'.');
  if (!z) throw Laufzeitfehler(Laufzeitfehler::kTypenUnvertraeglich, QStringLiteral("Typen unverträglich"));
  const std::optional<int16_t> g = ganzzahl16(*z);
  if (!g) throw Laufzeitfehler(Laufzeitfehler::kUeberlauf, QStringLiteral("Überlauf"));
  return *g;
}

// The device name an old built-in device number stands for. Numbers 3 to 7
// name the first item of the old device file "Pelvarn<n>.ger"; a missing or
// unreadable file gives no name.
QString alterGeraetename(const QString& programmordner, int16_t nummer) {
  switch (nummer) {
    case 0: return QStringLiteral("M 3610 D");
    case 1: return QStringLiteral("M 4650 CR");
    case 2: return QStringLiteral("Waage PT 210");
    default: break;
  }
  if (nummer < 3 || nummer > 7) return QString();
  QString inhalt;
  const QString datei = QDir(programmordner).filePath(QStringLiteral("Pelvarn%1.ger").arg(nummer));
  if (!textdateiLesen(datei, inhalt)) return QString();
  return erstesFeld(inhalt).value_or(QString());
}

}  // namespace

void Standardparameter(Einstellungen& e, const QString& programmordner) {
  e.ComPortNummer = 2;
  e.OrdnerMessungen = programmordner;
  e.LetzteDateienAnzahl = 4;
  e.LetzteDateien.clear();
  gemeinsameWerte(e, 1);
  e.BarGraphAktiviert = 3;
  e.SchriftbildFett = true;
  e.MessendeAutomatisch = false;
  e.Messdauer = 60;
  e.ZwischenspeichernAutomatisch = false;
  e.ZwischenspeichernZeit = 300;
  e.ZwischenspeichernDatei = QStringLiteral("pvsavezs.mes");
  gemeinsameProgrammwerte(e);
}

int16_t iniKonvertierenZuVer3(const QString& programmordner, const QString& iniDatei, Einstellungen& e) {
  try {
    QString inhalt;
    if (!textdateiLesen(QDir(programmordner).filePath(iniDatei), inhalt)) {
      throw Laufzeitfehler(Laufzeitfehler::kDateiNichtGefunden, QStringLiteral("Datei nicht gefunden"));
    }
    FeldLeser leser(inhalt);
    e.StandardGeraetNr = zahlItem(leser);
    naechstesItem(leser);  // read and not used
    e.OrdnerMessungen = naechstesItem(leser);
    e.ComPortNummer = zahlItem(leser);

    e.LetzteDateienAnzahl = 4;
    e.LetzteDateien.clear();
    for (int i = 0; i < 4; ++i) {
      const QString item = naechstesItem(leser);
      // Shorter items are empty slots of the old menu.
      if (item.size() > 2) e.LetzteDateien.append(item);
    }
  } catch (const Laufzeitfehler& fehler) {
    Tolvek::Fehlerbehandlung(QStringLiteral("ini-Konvertieren"), fehler);
    return 1;
  }

  e.AktuellesMessgeraet = alterGeraetename(programmordner, e.StandardGeraetNr);

  gemeinsameWerte(e, 2);
  e.SchriftbildFett = false;
  e.SchriftgroesseTitel = 0;
  e.SchriftgroesseAchsen = 0;
  gemeinsameProgrammwerte(e);
  return 0;
}

}  // namespace pv
