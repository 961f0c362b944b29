#pragma once

// The device files the program ships, read as the device selection reads
// them.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include "acquisition/erfassungszustand.h"
#include "devices/geraetedatei.h"

namespace pvtest {

inline const QString kMitgeliefert = QStringLiteral(PELVARON_DATEN);

inline pv::Geraetedefinition mitgeliefertLesen(const QString& datei) {
  pv::Geraetedefinition def;
  EXPECT_EQ(pv::GeraeteDatenLesen(QDir(kMitgeliefert).filePath(datei), u',', kMitgeliefert, def), 1)
      << datei.toStdString();
  return def;
}

// What the device selection takes from a definition for decoding and
// evaluating its records.
inline pv::Erfassungszustand erfassungszustand(const pv::Geraetedefinition& def) {
  pv::Erfassungszustand z;
  z.Geraeteart = def.GeraeteArtIndexPub;
  z.SkalaMaximumGeraet = def.MBVollPub;
  z.AutoFormat = def.autoFormat();
  z.Spezial = def.SpezialPub;
  z.LZAscii = def.LZAsciiPub;
  z.Einheit1Pos = {def.Einheit1_0Pub, def.Einheit1_1Pub};
  z.Einheit2Pos = {def.Einheit2_0Pub, def.Einheit2_1Pub};
  z.Vorzeichenstelle = def.VorzeichenStellePub;
  z.Messwertbeginn = def.DatenAnfangPub;
  z.Messwertende = def.DatenEndePub;
  z.Datenstringlaenge = def.DatenstringLaengePub;
  return z;
}

}  // namespace pvtest
