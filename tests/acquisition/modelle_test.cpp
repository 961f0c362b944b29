// Choosing the model decoder by the tag, the layout handed to the
// evaluation, and the count record.
#include <gtest/gtest.h>

#include <QByteArray>
#include <string>

#include "acquisition/modelle.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

using pv::Datensatzlayout;

// A device without field positions (automatic format).
pv::Erfassungszustand automatisch(const char* spezial, int16_t lz = 13) {
  pv::Erfassungszustand z;
  z.AutoFormat = true;
  z.Spezial = QString::fromLatin1(spezial);
  z.LZAscii = lz;
  z.Datenstringlaenge = 14;
  return z;
}

const QByteArray kSegmentSatz = pvtest::kVC820MinusMilliVolt.satz.toByteArray();

TEST(ModellDekodieren, ChoosesByTheLeadingCharactersOfTheTag) {
  const std::pair<const char*, const char*> faelle[] = {
      {"VC820", "VC820"},       {"VC820 RS232 *// Kommentar", "VC820"},
      {"vc820", ""},            {" VC820", ""},
      {"VC82", ""},             {"", ""},
      {"SANWAPC5x0", ""},       {"VC608", "VC608"},
      {"DT4000ZC", "DT4000ZC"}, {"M980T", "M980T"},
      {"APPA107N", "APPA107"},  {"SKINTALK", "SKINTALK"},
      {"VC960", "VC960"},
  };
  for (const auto& [spezial, modell] : faelle) {
    const pv::Modelleintrag* m = pv::modellZuKennung(QString::fromLatin1(spezial));
    EXPECT_EQ(m ? m->kennung.toString().toStdString() : std::string(), modell) << spezial;
    EXPECT_EQ(pv::modellDekodieren(kSegmentSatz, automatisch(spezial)).has_value(), *modell != 0) << spezial;
  }
}

TEST(ModellDekodieren, DecodedRecordComesWithTheFixedLayout) {
  const auto e = pv::modellDekodieren(kSegmentSatz, automatisch("VC820", 10));
  ASSERT_TRUE(e);
  EXPECT_EQ(e->datensatz.toStdString(), " DC  - 12,34mV  \n");
  EXPECT_EQ(e->layout, (Datensatzlayout{{1, 5}, 6, 7, 12, {13, 16}, 17}));

  const auto f = pv::modellDekodieren("\x24xyz\r", automatisch("VC608"));
  ASSERT_TRUE(f);
  EXPECT_EQ(f->datensatz.toStdString(), "      Fehler    \r") << "passes length and terminator";
  EXPECT_EQ(f->datensatz.size(), f->layout.DatensatzLaenge);
}

TEST(ModellDekodieren, RecordsNoModelReads) {
  pv::Erfassungszustand feld = automatisch("VC820");
  feld.AutoFormat = false;
  feld.Vorzeichenstelle = 3;
  EXPECT_FALSE(pv::modellDekodieren(kSegmentSatz, feld)) << "a device with a position is cut as framed";
  EXPECT_EQ(pv::geraeteLayout(feld), (Datensatzlayout{{0, 0}, 3, 0, 0, {0, 0}, 14}));
  EXPECT_FALSE(pv::modellDekodieren(QByteArray(), automatisch("VC820"))) << "an empty record is not decoded";
}

TEST(SKINTALKAuswerten, CountsFromTwoBytes) {
  struct Fall {
    const char* name;
    QByteArray satz;
    std::string erwartet;
  };
  const Fall faelle[] = {
      {"2 x 128 + 72", QByteArray("\x00\xC8\x82\x03", 4), "  328\x03"},
      {"zero", "x\x80\x80\x03", "    0\x03"},
      {"largest", "x\xFF\xFF\x03", "16383\x03"},
      {"-9999 still fits", "x\x71\x32", "-9999\x03"},
      {"-10000 gets a sixth character", "x\x70\x32\x03", "-10000\x03"},
      {"smallest", QByteArray("x\x00\x00", 3), "-16512\x03"},
      {"two bytes", "x\x80", "FEHLER"},
  };
  for (const Fall& f : faelle) {
    // The device's terminator does not matter: the record ends with code 3.
    const auto e = pv::modellDekodieren(f.satz, automatisch("SKINTALK", 13));
    ASSERT_TRUE(e);
    EXPECT_EQ(e->datensatz.toStdString(), f.erwartet) << f.name;
    if (f.erwartet != "FEHLER") {
      EXPECT_EQ(e->layout, pv::skintalkLayout(static_cast<int16_t>(f.erwartet.size() - 1))) << f.name;
    }
  }
}

}  // namespace
