// The device files shipped for the built-in models: each reads, names its
// model, and its decoded records pass the evaluation's length and
// terminator checks.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include "acquisition/modelle.h"
#include "devices/geraetedatei.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

const QString kDaten = QStringLiteral(PELVARON_DATEN);

pv::Geraetedefinition lesen(const QString& datei) {
  pv::Geraetedefinition def;
  EXPECT_EQ(pv::GeraeteDatenLesen(QDir(kDaten).filePath(datei), u',', kDaten, def), 1) << datei.toStdString();
  return def;
}

TEST(Modellgeraete, DecodedRecordsPassTheChecks) {
  const std::tuple<const char*, pv::Modell, QByteArray> faelle[] = {
      {"VC608.ger", pv::Modell::VC608, '\x40' + QByteArray(30, '\x30') + '\r'},
      {"VC820.ger", pv::Modell::VC820, pvtest::kVC820MinusMilliVolt.satz.toByteArray()},
      {"DT4000ZC.ger", pv::Modell::DT4000ZC, pvtest::kVC820MinusMilliVolt.satz.toByteArray()},
      {"M980T.ger", pv::Modell::M980T, pvtest::kM980TMinusVolt.satz.toByteArray()},
      {"APPA107.ger", pv::Modell::APPA107, pvtest::kAPPA107PlusVolt.satz.toByteArray()},
      {"SKINTALK.ger", pv::Modell::SKINTALK, "x\xC8\x82\x03"},
      {"VC960.ger", pv::Modell::VC960, pvtest::kVC960MinusVolt.satz.toByteArray()},
  };
  for (const auto& [datei, modell, satz] : faelle) {
    const pv::Geraetedefinition def = lesen(QString::fromLatin1(datei));
    EXPECT_EQ(def.DatenstringLaengePub, satz.size()) << datei << ": the record as framed";
    const pv::Modellergebnis e = pv::ModellDispatch(satz, def);
    EXPECT_EQ(e.modell, modell) << datei;
    ASSERT_EQ(e.datensatz.size(), e.layout.DatensatzLaenge) << datei;
    EXPECT_EQ(static_cast<uint8_t>(e.datensatz.back()), def.LZAsciiPub) << datei;
  }
  // The "UU" frame is asked for; the generic meter answers "D" with 14 characters.
  EXPECT_FALSE(lesen(QStringLiteral("APPA107.ger")).GeraetAktivPub);
  const pv::Geraetedefinition d = lesen(QStringLiteral("Multimeter_Abfrage.ger"));
  EXPECT_FALSE(d.GeraetAktivPub);
  EXPECT_EQ(d.DatenTransferZeichenPub, QStringLiteral("D"));
  EXPECT_EQ(pv::ModellDispatch("DC -1.999  V\r\r", d).layout,
            (pv::Datensatzlayout{{11, 13}, 3, 4, 9, {0, 0}, 14}));
}

TEST(Modellgeraete, ShippedDeviceNamesAreUnique) {
  QSet<QString> namen;
  for (const QString& datei : QDir(kDaten).entryList({QStringLiteral("*.ger")}, QDir::Files)) {
    const QString name = lesen(datei).GeraeteNamePub;
    EXPECT_FALSE(namen.contains(name)) << datei.toStdString();
    namen.insert(name);
  }
}

}  // namespace
