// Choosing the model decoder by the tag, the layout handed to the
// evaluation, and the count record.
#include <gtest/gtest.h>

#include <QByteArray>
#include <string>

#include "acquisition/modelle.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

using pv::Datensatzlayout;
using pv::Modell;

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

TEST(ModellDispatch, ChoosesByTheLeadingCharactersOfTheTag) {
  const std::pair<const char*, Modell> faelle[] = {
      {"VC820", Modell::VC820},       {"VC820 RS232 *// Kommentar", Modell::VC820},
      {"vc820", Modell::Keins},       {" VC820", Modell::Keins},
      {"VC82", Modell::Keins},        {"", Modell::Keins},
      {"SANWAPC5x0", Modell::Keins},  {"VC608", Modell::VC608},
      {"DT4000ZC", Modell::DT4000ZC}, {"M980T", Modell::M980T},
      {"APPA107N", Modell::APPA107},  {"SKINTALK", Modell::SKINTALK},
      {"VC960", Modell::VC960},
  };
  for (const auto& [spezial, modell] : faelle) {
    const pv::Modellergebnis e = pv::ModellDispatch(kSegmentSatz, automatisch(spezial));
    EXPECT_EQ(e.modell, modell) << spezial;
    EXPECT_EQ(e.formaterkennung, modell == Modell::Keins) << spezial;
  }
}

TEST(ModellDispatch, DecodedRecordComesWithTheFixedLayout) {
  const pv::Modellergebnis e = pv::ModellDispatch(kSegmentSatz, automatisch("VC820", 10));
  EXPECT_EQ(e.datensatz.toStdString(), " DC  - 12,34mV  \n");
  EXPECT_EQ(e.layout, (Datensatzlayout{{1, 5}, 6, 7, 12, {13, 16}, 17}));

  const pv::Modellergebnis f = pv::ModellDispatch("\x24xyz\r", automatisch("VC608"));
  EXPECT_EQ(f.datensatz.toStdString(), "      Fehler    \r") << "passes length and terminator";
  EXPECT_EQ(f.datensatz.size(), f.layout.DatensatzLaenge);
}

TEST(ModellDispatch, RecordsNoModelReadsStayOrGoToTheFormatRecognition) {
  int erkannt = 0;
  const pv::Formaterkennung erkennen = [&](const QByteArray& s, Datensatzlayout& layout) {
    ++erkannt;
    EXPECT_EQ(layout.DatensatzLaenge, 14) << "starts from the device's record length";
    layout = {{1, 2}, 0, 3, 8, {9, 9}, 10};
    return s.left(9) + '\r';
  };

  pv::Erfassungszustand feld = automatisch("VC820");
  feld.AutoFormat = false;
  feld.Vorzeichenstelle = 3;
  const pv::Modellergebnis f = pv::ModellDispatch(kSegmentSatz, feld, erkennen);
  EXPECT_EQ(f.datensatz, kSegmentSatz) << "a device with a position is cut as framed";
  EXPECT_EQ(f.layout, (Datensatzlayout{{0, 0}, 3, 0, 0, {0, 0}, 14}));
  EXPECT_FALSE(f.formaterkennung);

  EXPECT_TRUE(pv::ModellDispatch(QByteArray(), automatisch("VC820"), erkennen).datensatz.isEmpty());
  EXPECT_TRUE(pv::ModellDispatch(QByteArray(), automatisch(""), erkennen).datensatz.isEmpty());
  EXPECT_EQ(erkannt, 0) << "an empty record is neither decoded nor recognised";

  const pv::Modellergebnis e = pv::ModellDispatch("DC -1.234 V\r", automatisch("vc820"), erkennen);
  EXPECT_EQ(erkannt, 1);
  EXPECT_TRUE(e.formaterkennung);
  EXPECT_EQ(e.datensatz.toStdString(), "DC -1.234\r");
  EXPECT_EQ(e.layout, (Datensatzlayout{{1, 2}, 0, 3, 8, {9, 9}, 10}));
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
    const pv::Modellergebnis e = pv::ModellDispatch(f.satz, automatisch("SKINTALK", 13));
    EXPECT_EQ(e.datensatz.toStdString(), f.erwartet) << f.name;
    if (f.erwartet != "FEHLER") {
      EXPECT_EQ(e.layout, pv::skintalkLayout(static_cast<int16_t>(f.erwartet.size() - 1))) << f.name;
    }
  }
}

}  // namespace
