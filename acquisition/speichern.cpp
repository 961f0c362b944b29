#include "speichern.h"

#include <QDir>
#include <algorithm>
#include <new>

#include "acquisition/ansichten.h"
#include "acquisition/erfassungszustand.h"
#include "common/cp1252.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

namespace {
constexpr float kM980TAbstand = 0.2f;
}  // namespace

void Aufzeichnungsstand::starten(int64_t laufzeitMs, float xMaxStart) {
  StartMs = laufzeitMs;
  LetzteZwischenspeicherung = 0;
  AutoXMax = xMaxStart;
  AutoYMin = 0;
  AutoYMax = 0;
  GrafikNeuZeichnen = 1;
}

float Aufzeichnungsstand::vergangen(int64_t laufzeitMs) const {
  return static_cast<float>(static_cast<double>(laufzeitMs - StartMs) / 1000.0);
}

float xSchritt(float x) {
  if (x < 0) return 3600;
  if (x <= 900) return 60;
  if (x <= 1800) return 300;
  if (x <= 3600) return 600;
  if (x <= 21600) return 1800;
  return 3600;
}

Speicherergebnis WertSpeichern(float wert, int64_t laufzeitMs, Messdaten& messung, Aufzeichnungsstand& stand,
                               const Speichereinstellungen& e, const QString& spezial, Aufzeichnungsziel& ziel,
                               const Ansichten& ansichten) {
  Speicherergebnis ergebnis;
  const float zeit = stand.vergangen(laufzeitMs);

  if (e.MessendeAutomatisch) {
    if (zeit >= e.Messdauer) {
      ziel.StopButton_Click();
      const bool zwischen = ziel.ZwischenSpeichern();
      const bool sicherheit = ziel.Sicherheitsdatei();
      ziel.MessungBeendetMelden(zwischen, sicherheit);
      ergebnis.ausgang = Speicherausgang::Beendet;
      return ergebnis;
    }
    ziel.EndeTextSetzen(QStringLiteral("verbleibend: ") +
                        Tolvek::ZahlFormatieren(e.Messdauer - zeit, 15, 0, e.Dezimaltrennzeichen));
  } else if (!ziel.EndeText().isEmpty()) {
    ziel.EndeTextSetzen(QString());
  }

  const int32_t m = messung.m;
  if (m > 0 && e.Wartezeit > 0 && messung.x[m] + e.Wartezeit > zeit) return ergebnis;
  if (m > 0 && spezialBeginnt(spezial, u"M980T") && zeit - messung.x[m] < kM980TAbstand) {
    ergebnis.ausgang = Speicherausgang::ZuDicht;
    return ergebnis;
  }

  try {
    messung.anhaengen(zeit, wert);
  } catch (const std::bad_alloc&) {
    ziel.MessungAbbrechen(QStringLiteral("pv_Abbruch"), 7, QStringLiteral("Nicht genügend Speicher"));
    ergebnis.ausgang = Speicherausgang::Abgebrochen;
    return ergebnis;
  }
  const int32_t n = messung.m;
  ergebnis.ausgang = Speicherausgang::Gespeichert;
  ziel.AnzahlSetzen(QString::number(n));
  const QChar dez = e.Dezimaltrennzeichen;
  ergebnis.debugStueck = QStringLiteral("m:'%1'\tx(m):'%2'\ty(m):'%3'\t")
                             .arg(n)
                             .arg(singleText(zeit, dez), singleText(wert, dez));

  if (e.ZwischenspeichernAutomatisch && zeit - stand.LetzteZwischenspeicherung >= e.ZwischenspeichernZeit) {
    stand.LetzteZwischenspeicherung = zeit;
    ziel.ZwischenSpeichern();
  }

  if (TabellenAnsicht* tabelle = ansichten.offeneTabelle(); tabelle && tabelle->AutoAnhaengen()) {
    tabelle->ZeileAnhaengen(QString::number(n));
    tabelle->BisTextSetzen(QString::number(n));
    const int zeile = tabelle->Zeilenzahl() - 1;
    tabelle->ZelleSetzen(zeile, 1, Tolvek::ZahlFormatieren(zeit, e.XZahlenformatnummer, e.XNachkommastellen, dez));
    tabelle->ZelleSetzen(zeile, 2, Tolvek::ZahlFormatieren(wert, e.YZahlenformatnummer, e.YNachkommastellen, dez));
    tabelle->AktuelleZelleSetzen(zeile, 1);
    tabelle->ObersteZeileSetzen(std::max(1, tabelle->Zeilenzahl() - 6));
  }

  GrafikAnsicht* grafik = ansichten.offeneGrafik();
  if (n == 1) {
    if (wert >= 0) {
      stand.AutoYMin = 0;
      stand.AutoYMax = wert;
    } else {
      stand.AutoYMin = wert;
      stand.AutoYMax = 0;
    }
  }
  if (zeit > stand.AutoXMax) {
    stand.AutoXMax += xSchritt(zeit);
    if (grafik && grafik->MinMaxAutoX()) stand.GrafikNeuZeichnen = 1;
  }
  if (wert < stand.AutoYMin) {
    stand.AutoYMin = wert;
    if (grafik && grafik->MinMaxAutoY() && stand.AutoYMin < e.YMin) stand.GrafikNeuZeichnen = 1;
  }
  if (wert > stand.AutoYMax) {
    stand.AutoYMax = wert;
    if (grafik && grafik->MinMaxAutoY() && stand.AutoYMax > e.YMax) stand.GrafikNeuZeichnen = 1;
  }
  if (!grafik) return ergebnis;

  if (n == 1) grafik->Init();
  if (stand.GrafikNeuZeichnen == 1) {
    grafik->NeuButton_Click();
    stand.GrafikNeuZeichnen = 0;
  }
  const std::array<float, 4> b =
      e.gezeichneterBereich ? e.gezeichneterBereich() : std::array<float, 4>{e.XMin, e.XMax, e.YMin, e.YMax};
  if (b[0] <= zeit && zeit <= b[1] && b[2] <= wert && wert <= b[3]) {
    grafik->PunktZeichnen(zeit, wert, e.MesspunkteAnzeigen * e.Messpunktgroesse + 1, e.FarbeMesskurve);
    if (n >= 2 && e.MesswerteVerbunden == 1) {
      grafik->LinieZeichnen(messung.x[n - 1], messung.y[n - 1], zeit, wert, e.Liniendicke, e.FarbeMesskurve);
    }
  }
  return ergebnis;
}

QString debugAnfang(const QDateTime& jetzt, qsizetype pufferlaenge, const QByteArray& datensatz) {
  return jetzt.toString(kMesszeitFormat) + QStringLiteral("\tLen(DataCol):") + QString::number(pufferlaenge) +
         QStringLiteral("\tDta$:'") + vonCp1252(datensatz) + QStringLiteral("'\t");
}

QString debugEnde(const QDateTime& jetzt) { return jetzt.toString(kMesszeitFormat) + QStringLiteral("\r\n"); }

bool debugSchreiben(const QString& ordner, const QString& zeile) {
  return dateiAnhaengen(QDir(ordner).filePath(QStringLiteral("DebugData.txt")), zuCp1252(zeile + QStringLiteral("\r\n")),
                        Verweise::NurEigene);
}

}  // namespace pv
