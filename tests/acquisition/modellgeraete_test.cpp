// The device files shipped for the built-in models: each reads, names its
// model, and its decoded records pass the evaluation's length and
// terminator checks.
#include <gtest/gtest.h>

#include <QDir>
#include <QSet>

#include "acquisition/modelle.h"
#include "tests/acquisition/decoderbeispiele.h"
#include "tests/acquisition/mitgeliefertegeraete.h"

namespace {

using pvtest::kMitgeliefert;
pv::Geraetedefinition lesen(const QString& datei) { return pvtest::mitgeliefertLesen(datei); }
pv::Erfassungszustand zustand(const pv::Geraetedefinition& def) { return pvtest::erfassungszustand(def); }

TEST(Modellgeraete, DecodedRecordsPassTheChecks) {
  const std::tuple<const char*, const char*, QByteArray> faelle[] = {
      {"VC608.ger", "VC608", '\x40' + QByteArray(30, '\x30') + '\r'},
      {"VC820.ger", "VC820", pvtest::kVC820MinusMilliVolt.satz.toByteArray()},
      {"DT4000ZC.ger", "DT4000ZC", pvtest::kVC820MinusMilliVolt.satz.toByteArray()},
      {"M980T.ger", "M980T", pvtest::kM980TMinusVolt.satz.toByteArray()},
      {"APPA107.ger", "APPA107", pvtest::kAPPA107PlusVolt.satz.toByteArray()},
      {"SKINTALK.ger", "SKINTALK", "x\xC8\x82\x03"},
      {"VC960.ger", "VC960", pvtest::kVC960MinusVolt.satz.toByteArray()},
  };
  for (const auto& [datei, modell, satz] : faelle) {
    const pv::Geraetedefinition def = lesen(QString::fromLatin1(datei));
    EXPECT_EQ(def.DatenstringLaengePub, satz.size()) << datei << ": the record as framed";
    const auto e = pv::modellDekodieren(satz, zustand(def));
    ASSERT_TRUE(e) << datei;
    EXPECT_EQ(pv::modellZuKennung(def.SpezialPub)->kennung, QString::fromLatin1(modell)) << datei;
    ASSERT_EQ(e->datensatz.size(), e->layout.DatensatzLaenge) << datei;
    EXPECT_EQ(static_cast<uint8_t>(e->datensatz.back()), def.LZAsciiPub) << datei;
  }
  // The "UU" frame is asked for; the generic meter answers "D" with 14 characters.
  EXPECT_FALSE(lesen(QStringLiteral("APPA107.ger")).GeraetAktivPub);
  const pv::Geraetedefinition d = lesen(QStringLiteral("Multimeter_Abfrage.ger"));
  EXPECT_FALSE(d.GeraetAktivPub);
  EXPECT_EQ(d.DatenTransferZeichenPub, QStringLiteral("D"));
  EXPECT_FALSE(pv::modellDekodieren("DC -1.999  V\r\r", zustand(d)));
  EXPECT_EQ(pv::geraeteLayout(zustand(d)), (pv::Datensatzlayout{{11, 13}, 3, 4, 9, {0, 0}, 14}));
}

TEST(Modellgeraete, ShippedDeviceNamesAreUnique) {
  QSet<QString> namen;
  for (const QString& datei : QDir(kMitgeliefert).entryList({QStringLiteral("*.ger")}, QDir::Files)) {
    const QString name = lesen(datei).GeraeteNamePub;
    EXPECT_FALSE(namen.contains(name)) << datei.toStdString();
    namen.insert(name);
  }
}

}  // namespace
