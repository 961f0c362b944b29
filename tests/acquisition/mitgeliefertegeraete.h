#pragma once

// The device files the program ships, read as the device selection reads
// them.

#include <gtest/gtest.h>

#include <QDir>
#include <QString>

#include "acquisition/erfassungszustand.h"
#include "acquisition/geraeteauswahl.h"
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
  pv::definitionUebernehmen(def, u',', z);
  return z;
}

}  // namespace pvtest
