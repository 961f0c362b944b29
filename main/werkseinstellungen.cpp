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

// What the file does not keep, the same for the defaults and the conversion.
void werteAusserhalbDerDatei(Einstellungen& e) {
  e.SchrittweiteAutomatisch = true;
  e.Schrittweite = 1;
  e.LinearM = 1;
  e.LinearT = 0;
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
  if (!g) throw Laufzeitfehler::ueberlauf();
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

void Standardparameter(Einstellungen& e, const QString& messordner) {
  e.ComPortNummer = 2;
  e.OrdnerMessungen = messordner;
  e.LetzteDateienAnzahl = 4;
  e.LetzteDateien.clear();
  werkswerteSetzen(e, true);
  werteAusserhalbDerDatei(e);
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

  werkswerteSetzen(e, false);
  werteAusserhalbDerDatei(e);
  for (int n = 1; n <= 5; ++n) e.Schemata[n].LiniendickeAchsen = 2;
  e.SchriftbildFett = false;
  e.SchriftgroesseTitel = 0;
  e.SchriftgroesseAchsen = 0;
  return 0;
}

}  // namespace pv
