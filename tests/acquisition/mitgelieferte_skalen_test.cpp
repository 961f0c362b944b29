// The full scale of each shipped device file against what its meter
// displays: a full-scale reading fills the level bar, half of it half.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include "acquisition/auswertung.h"
#include "acquisition/modelle.h"
#include "tests/acquisition/mitgeliefertegeraete.h"

namespace {

// The level bar after one record of the device. A model device's record is
// given as its decoder returns it and is cut by the decoder's layout.
float pegel(const pv::Geraetedefinition& def, QByteArray satz) {
  satz += pv::abschlusszeichen(def.LZAsciiPub);
  pv::Erfassungszustand z = pvtest::erfassungszustand(def);
  if (const pv::Modelleintrag* m = z.AutoFormat ? pv::modellZuKennung(z.Spezial) : nullptr) {
    const pv::Datensatzlayout l = m->layout(satz);
    z.AutoFormat = false;
    z.Spezial.clear();
    pv::feldpositionenUebernehmen(l, z);
    z.Datenstringlaenge = l.DatensatzLaenge;
  }
  pv::Auswertung auswertung;
  pv::Erfassungsmodul modul;
  pv::Auswertungseinstellungen einst;
  einst.BarGraphAktiviert = 1;
  const pv::Auswertungsergebnis r = auswertung.auswerten(satz, z, modul, einst);
  EXPECT_EQ(r.pegel.art, pv::Pegelanzeige::Art::Zeigen) << r.meldung.toStdString();
  return r.pegel.pegel;
}

TEST(MitgelieferteGeraete, FullScaleReadingFillsTheLevelBar) {
  struct Fall {
    const char* datei;
    QByteArray voll;  // the largest reading the meter displays
    QByteArray halb;  // about half of it
  };
  const Fall faelle[] = {
      // 3 1/2 digits, fixed positions.
      {"Multimeter.ger", "DC  1.999 V  ", "DC  1.000 V  "},
      {"Multimeter_Abfrage.ger", "DC  1.999 V  ", "DC  1.000 V  "},
      // 3 3/4 digits.
      {"VC820.ger", " DC    39,99 V  ", " DC    20,00 V  "},
      {"DT4000ZC.ger", " DC    3,999 V  ", " DC    2,000 V  "},
      {"M980T.ger", "  DC   399,9  V ", "  DC   200,0  V "},
      {"USB-Multimeter.ger", "DC   3,999  V ", "DC   2,000  V "},
      // 4 1/2 digits.
      {"VC608.ger", " DC   1,9999 V  ", " DC   1,0000 V  "},
      {"APPA107.ger", "  DC  19,999  V ", "  DC  10,000  V "},
      {"VC960.ger", " DC   199,99 V  ", " DC   100,00 V  "},
      // Counts without a separator, up to 16383.
      {"SKINTALK.ger", "16383", " 8192"},
  };
  QSet<QString> geprueft;
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.datei);
    const pv::Geraetedefinition def = pvtest::mitgeliefertLesen(QString::fromLatin1(f.datei));
    EXPECT_NEAR(pegel(def, f.voll), 100, 0.1);
    EXPECT_NEAR(pegel(def, f.halb), 50, 0.1);
    geprueft.insert(QString::fromLatin1(f.datei));
  }
  // A scale's full scale is what its user enters for the scale at hand.
  geprueft.insert(QStringLiteral("Waage.ger"));
  const QStringList alle = QDir(pvtest::kMitgeliefert).entryList({QStringLiteral("*.ger")}, QDir::Files);
  EXPECT_EQ(geprueft, QSet<QString>(alle.begin(), alle.end()));
}

}  // namespace
