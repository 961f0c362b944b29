#include "langzeit.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <array>
#include <cmath>

#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"
#include "devices/geraetedatei.h"
#include "devices/geraetetabelle.h"
#include "main/einstellungsdatei.h"
#include "main/fensterlogik.h"
#include "main/ordnersperre.h"
#include "main/sicherung.h"

namespace pv {

namespace {

// The pictures the program shows: the computer's, and each one a device
// file in the program folder names (by its file name, wherever it lies).
QStringList bilddateien() {
  QStringList namen;
  for (int16_t bild = 0; bild < kComputerbilder; ++bild) namen << computerbildDatei(bild);
  for (const QString& datei : geraetedateienIn(Programmordner::pfad())) {
    const QString bild = geraetedateiTexte(Programmordner::datei(datei)).value(QStringLiteral("Bilddatei"));
    namen << bild.mid(std::max(bild.lastIndexOf(u'/'), bild.lastIndexOf(u'\\')) + 1);
  }
  return namen;
}

}  // namespace

bool zwischenspeicherDateiErlaubt(const QString& name) {
  // A plain name of a file in the folder, nothing that leads elsewhere.
  if (name.trimmed().isEmpty() || name == u"." || name == u".." || name.contains(u'/') || name.contains(u'\\')) {
    return false;
  }
  // Compared in any case: the device and sensor lists take "*.GER" too.
  const QStringList programmdateien = QStringList{kIniDatei,
                                                 kAlteIniDatei,
                                                 QStringLiteral("ErrLog.txt"),
                                                 QStringLiteral("DebugData.txt"),
                                                 kSicherheitsdatei,
                                                 kSperrdatei,
                                                 QStringLiteral("pelvaron"),
                                                 QFileInfo(QCoreApplication::applicationFilePath()).fileName()} +
                                     bilddateien();
  for (const QString& datei : programmdateien) {
    if (!datei.isEmpty() && name.compare(datei, Qt::CaseInsensitive) == 0) return false;
  }
  return !istRettungsname(name) && !name.endsWith(QStringLiteral(".ger"), Qt::CaseInsensitive) &&
         !name.endsWith(QStringLiteral(".pvf"), Qt::CaseInsensitive);
}

QString wartezeitText(float sekunden, QChar dezimal) {
  if (sekunden <= 0) return QStringLiteral("0");
  return Tolvek::zahlFormatieren(sekunden, 0, 1, dezimal, {}).text;
}

Langzeitfelder langzeitfelderLaden(Einstellungen& e, QChar dezimal) {
  Langzeitfelder f;
  f.messEndeAuto = e.MessendeAutomatisch;
  if (e.Messdauer < 60) e.Messdauer = 60;
  f.stunden = e.Messdauer / 3600 > 1;
  f.messDauer = singleText(e.Messdauer / (f.stunden ? 3600.0f : 60.0f), dezimal);
  f.zwischenspeichern = e.ZwischenspeichernAutomatisch;
  if (e.ZwischenspeichernZeit > 0) f.zwischenspeichernMinuten = singleText(e.ZwischenspeichernZeit / 60, dezimal);
  if (e.ZwischenspeichernDatei.isEmpty()) e.ZwischenspeichernDatei = kStandardZsDatei;
  f.zsDatei = e.ZwischenspeichernDatei;
  f.timeOut = e.TimeOutON == 1;
  f.timeOutZeit = singleText(e.TimeOutTime, dezimal);
  f.min = e.CheckMinON == 1;
  f.minWert = singleText(e.CheckMin, dezimal);
  f.max = e.CheckMaxON == 1;
  f.maxWert = singleText(e.CheckMax, dezimal);
  return f;
}

bool langzeitfelderUebernehmen(const Langzeitfelder& f, const QString& ordner, QChar dezimal,
                               Einstellungen& e, Meldungen& meldungen) {
  QString feld;
  const auto fehlt = [&] {
    meldungen.hinweis(QStringLiteral("Fehlende oder unzulässige Eingabe bei ") + feld);
    return false;
  };
  const auto zahl = [&](const QString& text) { return singleLesen(text, dezimal); };

  feld = QStringLiteral("Messdauer");
  float d = 0;
  if (f.messEndeAuto) {
    const auto wert = zahl(f.messDauer);
    if (!wert) return fehlt();
    d = *wert * (f.stunden ? 3600.0f : 60.0f);
    if (d < 60 || d > 3600000) {
      meldungen.hinweis(QStringLiteral("Die eingegebene Messdauer kann nicht übernommen werden.\r\n"
                                       "Bitte ändern Sie den Wert! (min. 1 Minute, max. 1000 Stunden)"));
      return false;
    }
  }

  feld = QStringLiteral("Zwischenspeichern-Intervall");
  const auto minuten = zahl(f.zwischenspeichernMinuten);
  if (!minuten) return fehlt();
  const float s = *minuten * 60;
  if (f.zwischenspeichern && (s < 30 || s > 86340)) {
    meldungen.hinweis(QStringLiteral("Die Zwischenspeicherungs-Zeit muss zwischen 0,5 und 1439 Minuten liegen.\r\n"
                                     "Bitte korrigieren Sie Ihre Eingaben"));
    return false;
  }

  // A folder that takes no file only matters while intermediate saving is
  // on; then it is said as such, not as a wrong entry.
  feld = QStringLiteral("Datei für Zwischenspeicherung");
  if (!zwischenspeicherDateiErlaubt(f.zsDatei)) return fehlt();
  if (f.zwischenspeichern && !dateiSchreibbar(QDir(ordner).filePath(f.zsDatei))) {
    meldungen.hinweis(QStringLiteral("Die Datei \"%1\" für die Zwischenspeicherung kann im Ordner\r\n"
                                     "%2\r\n"
                                     "nicht geschrieben werden.\r\n"
                                     "Bitte wählen Sie einen anderen Dateinamen oder schalten Sie das "
                                     "Zwischenspeichern aus.")
                          .arg(f.zsDatei, QDir::toNativeSeparators(ordner)));
    return false;
  }

  // A negative time-out would be a watchdog that cannot run.
  feld = QStringLiteral("'Time Out'-Zeit");
  const auto t = zahl(f.timeOutZeit);
  if (!t || *t < 0) return fehlt();

  feld = QStringLiteral("Messbereich Minimum");
  const auto mn = zahl(f.minWert);
  if (!mn) return fehlt();
  feld = QStringLiteral("Messbereich Maximum");
  const auto mx = zahl(f.maxWert);
  if (!mx) return fehlt();
  if (*mn > *mx) {
    meldungen.hinweis(QStringLiteral("Messbereich-Maximum muss größer sein als Messbereich-Minimum.\r\n"
                                     "Bitte korrigieren Sie Ihre Eingaben"));
    return false;
  }

  e.MessendeAutomatisch = f.messEndeAuto;
  e.Messdauer = d;
  e.ZwischenspeichernAutomatisch = f.zwischenspeichern;
  e.ZwischenspeichernZeit = s;
  e.ZwischenspeichernDatei = f.zsDatei;
  e.TimeOutON = f.timeOut ? 1 : 0;
  e.TimeOutTime = *t;
  e.CheckMinON = f.min ? 1 : 0;
  e.CheckMin = *mn;
  e.CheckMaxON = f.max ? 1 : 0;
  e.CheckMax = *mx;
  return true;
}

std::optional<float> wartezeitBerechnen(const Wartezeitwahl& wahl, QChar dezimal, Meldungen& meldungen) {
  static constexpr std::array<float, 7> kStunden{0, 1, 2, 3, 6, 12, 24};
  static constexpr std::array<int32_t, 6> kAnzahl{0, 1000, 5000, 10000, 20000, 30000};
  const auto unmoeglich = [&]() -> std::optional<float> {
    meldungen.hinweis(QStringLiteral("Mit diesen Angaben kann die Wartezeit nicht berechnet werden.\r\n"
                                     "Überprüfen Sie bitte Ihre Eingaben."));
    return std::nullopt;
  };

  std::optional<float> h;
  if (wahl.dauer == 0) {
    h = singleLesen(wahl.dauerText, dezimal);
  } else if (wahl.dauer >= 1 && wahl.dauer <= 6) {
    h = kStunden[wahl.dauer];
  }
  std::optional<int32_t> n;
  if (wahl.anzahl == 0) {
    if (const auto z = zahlLesen(wahl.anzahlText, dezimal)) n = ganzzahl32(*z);
  } else if (wahl.anzahl >= 1 && wahl.anzahl <= 5) {
    n = kAnzahl[wahl.anzahl];
  }
  if (!h || !n) return unmoeglich();

  if (*h > 10000) {
    meldungen.zeigen(QStringLiteral("Bis Sie diese Messung abgeschlossen hätten \r\n"
                                    "wäre Ihr Computersystem derart veraltet,\r\n"
                                    "dass man Ihr Messergebnis anzweifeln würde ;-)\r\n"
                                    "Wählen Sie deshalb bitte eine kürzere Messdauer."),
                     QString(), Knoepfe::Ok, Symbol::Ausruf, Antwort::Ok);
    return std::nullopt;
  }
  if (*h > 1000) {
    const Antwort a = meldungen.zeigen(QStringLiteral("Ihre Messung erstreckt sich über einen Zeitraum\r\n"
                                                      "von mehr als einem Monat. Sind Sie sicher,\r\n"
                                                      "dass Sie die richtige Einstellung gewählt haben?\r\n"
                                                      "(Nehmen Sie doch etwas Rücksicht auf Ihren Computer!)"),
                                       QStringLiteral("Laaannggzeitmessung!!"), Knoepfe::JaNein, Symbol::Ausruf,
                                       Antwort::Nein);
    if (a != Antwort::Ja) return std::nullopt;
  }
  // A count of 0 fails only at the division, after the duration's own
  // messages. A duration of 0 hours or a negative count gives a waiting time
  // of at most 0, which is shown as "0".
  if (*n == 0) return unmoeglich();
  const double sekunden = static_cast<double>(*h) * 3600.0;
  const auto w = static_cast<float>(sekunden / *n);
  if (w > 86300) {
    const auto k = static_cast<int64_t>(std::floor(sekunden / 86300.0)) + 1;
    meldungen.zeigen(QStringLiteral("Bei dieser Messdauer müssen Sie mindestens %1 Messwerte einstellen.\r\n"
                                    "(Mindestens ein Messwert pro Tag!)")
                         .arg(k),
                     QStringLiteral("Achtung"), Knoepfe::Ok, Symbol::Kritisch, Antwort::Ok);
    return std::nullopt;
  }
  return w;
}

}  // namespace pv
