// The USB multimeter: its frame decoded into the record, one poll's four
// exchanges and the choice of the frame, and its shipped device file.
#include "acquisition/usbmultimeter.h"

#include <gtest/gtest.h>

#include <QDir>

#include "acquisition/abfrage.h"
#include "acquisition/hidzugriff.h"
#include "common/cp1252.h"
#include "devices/geraetedatei.h"
#include "devices/geraetedefinition.h"
#include "usbfake.h"

namespace {

using pv::HidZugriff;
using pvtest::FakeHidBackend;
using pvtest::hidBericht;

QString auswerten(int b1, int b2, int b3, int b4, int16_t lz = 13) {
  return pv::M3890DAuswerten(HidZugriff::ByteZuBits(b1), HidZugriff::ByteZuBits(b2),
                             HidZugriff::ByteZuBits(b3), HidZugriff::ByteZuBits(b4), lz);
}

TEST(M3890DAuswerten, Records) {
  struct Fall {
    const char* name;
    int b1, b2, b3, b4;
    QString erwartet;
  };
  const Fall faelle[] = {
      {"mark before the 4th digit", 0x02, 0x00, 0x12, 0x34, QStringLiteral("DC   123,4 mV \r")},
      {"negative, no mark: trailing space", 0x01, 0x51, 0x00, 0x05,
       QStringLiteral("DC  -0005  A  \r")},
      {"mark before the 2nd digit", 0x07, 0x21, 0x12, 0x34, QStringLiteral("Res -1,234kOhm\r")},
      {"temperature sets mode and unit", 0x04, 0xE3, 0x02, 0x53,
       QStringLiteral("Temp 02,53 °C \r")},
      {"overload ignores the decimal code", 0x06, 0x00, 0xA0, 0x00,
       QStringLiteral("DC    OL   mV \r")},
      {"logic low keeps the mark", 0x02, 0xE4, 0xB0, 0x00, QStringLiteral("      Lo, Logi\r")},
      {"logic ready", 0x00, 0xE4, 0xA0, 0x00, QStringLiteral("      rdy Logi\r")},
      {"logic high", 0x00, 0xE4, 0xC0, 0x00, QStringLiteral("      Hi  Logi\r")},
      {"logic dashes", 0x00, 0xE4, 0xF0, 0x00, QStringLiteral("     ---- Logi\r")},
      {"logic with a plain digit shows blanks, not overload", 0x00, 0xE4, 0x30, 0x00,
       QStringLiteral("          Logi\r")},
      {"S/O shows dashes even on overload", 0x00, 0xB0, 0xF0, 0x00,
       QStringLiteral("S/O  ----     \r")},
      {"no table row: mode empty, record 11 long", 0x00, 0xC0, 0x12, 0x34,
       QStringLiteral(" 1234     \r")},
      {"two-digit later digit lengthens the record", 0x00, 0x00, 0x1A, 0x00,
       QStringLiteral("DC   11000  mV \r")},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(auswerten(f.b1, f.b2, f.b3, f.b4), f.erwartet) << f.name;
  }
}

TEST(M3890DAuswerten, FunctionTable) {
  // Function and range code in byte 2; digits 1234, no mark, positive.
  const std::pair<int, const char*> zeilen[] = {
      {0x00, "DC   1234  mV "}, {0x01, "DC   1234  V  "}, {0x10, "AC   1234  mV "}, {0x13, "AC   1234  V  "},
      {0x20, "Res  1234  Ohm"}, {0x21, "Res  1234 kOhm"}, {0x22, "Res  1234 MOhm"}, {0x23, "Res  1234     "},
      {0x30, "DC   1234  uA "}, {0x31, "DC   1234  mA "}, {0x4F, "DC   1234  mA "}, {0x5F, "DC   1234  A  "},
      {0x60, "AC   1234  uA "}, {0x61, "AC   1234  mA "}, {0x62, "AC   1234     "}, {0x7F, "AC   1234  mA "},
      {0x8F, "AC   1234  A  "}, {0x90, "Freq 1234  kHz"}, {0x91, "Freq 1234  MHz"}, {0x92, "Freq 1234     "},
      {0xA0, "Cap  1234  nF "}, {0xA1, "Cap  1234  uF "}, {0xA2, "Cap  1234     "}, {0xB0, "S/O  ----     "},
      {0xE0, "     1234 Cont"}, {0xE1, "     1234 Diod"}, {0xE2, "     1234  hFe"}, {0xE3, "Temp 1234  \u00B0C "},
      {0xE4, "          Logi"}, {0xE5, "     1234  EF "}, {0xE6, "     1234  dB "}, {0xE7, "     1234     "},
      {0xC0, " 1234     "},     {0xD0, " 1234     "},     {0xF0, " 1234     "},
  };
  for (const auto& [code, erwartet] : zeilen) {
    EXPECT_EQ(auswerten(0x00, code, 0x12, 0x34), QString::fromUtf8(erwartet) + u'\r') << std::hex << code;
  }
}

TEST(M3890DAuswerten, TerminatorIsTheDevicesCode) {
  EXPECT_EQ(auswerten(0x02, 0x00, 0x12, 0x34, 3).back(), QChar(3));
  // Codes above 127 are the code page's characters, as in received records.
  EXPECT_EQ(pv::zuCp1252(auswerten(0x02, 0x00, 0x12, 0x34, 0x80).right(1)), QByteArray("\x80"));
}

// --- One poll ---

struct Abfrage {
  FakeHidBackend backend;
  pv::UsbMultimeter meter{backend};
  QString lesen() { return meter.M3890DLesen(13); }
};

const QByteArray kRahmen = hidBericht({0x02, 0x00, 0x12, 0x34, 0xC0, 0, 0, 0});   // 123,4 mV
const QByteArray kAnderer = hidBericht({0x01, 0x51, 0x00, 0x05, 0xFF, 0, 0, 0});  // -0005 A
const QByteArray kOhneStart = hidBericht({0xC0, 0x00, 0x12, 0x34, 0, 0, 0, 0});
const QString kSatz = QStringLiteral("DC   123,4 mV \r");
const QString kAndererSatz = QStringLiteral("DC  -0005  A  \r");

TEST(M3890DLesen, MeterNotThere) {
  Abfrage a;
  a.backend.f.vorhanden = false;
  EXPECT_EQ(a.lesen(), pv::kUsbNichtGefunden);
  EXPECT_EQ(a.backend.f.hersteller, 0x0925);
  EXPECT_EQ(a.backend.f.produkt, 0x1234);

  Abfrage verloren;  // found, but the first write fails
  verloren.backend.f.schreibErgebnisse = {false};
  EXPECT_EQ(verloren.lesen(), pv::kUsbNichtGefunden);
  EXPECT_EQ(verloren.backend.f.offen, 0);
}

// The third report gives block bytes 1-8, the fourth 9-16; only reports
// really read in full are looked at.
TEST(M3890DLesen, FrameChoice) {
  using Antwort = pvtest::FakeHid::Antwort;
  auto gelesen = [](const QByteArray& b) { return Antwort{pv::HidLeseergebnis::Gelesen, b}; };
  const Antwort O = gelesen(kOhneStart), R = gelesen(kRahmen), A = gelesen(kAnderer);
  const Antwort Z{pv::HidLeseergebnis::Zeitueberschreitung, {}};
  const Antwort kurz = gelesen(hidBericht({0x02, 0x00, 0x12}));
  const Antwort bit6 = gelesen(hidBericht({0x40, 0, 0, 0, 0, 0, 0, 0}));
  const QString F = QStringLiteral("FEHLER");
  struct Fall {
    const char* name;
    std::vector<Antwort> antworten;  // the reads of exchanges 1-4
    QString erwartet;
    std::deque<bool> schreiben = {};
  };
  const Fall faelle[] = {
      {"frame at block byte 1", {O, O, R, A}, kSatz},
      {"frame at block byte 9", {O, O, O, A}, kAndererSatz},
      {"no frame start in either", {O, O, O, bit6}, F},
      {"third times out: its zeros are no reading", {O, O, Z, O}, F},
      {"third times out, fourth still read", {O, O, Z, A}, kAndererSatz},
      {"both time out", {O, O, Z, Z}, F},
      // The third write fails, so the buffer still holds the second report:
      // it must not come back as this poll's reading.
      {"stale report after a failed write", {O, R, O}, F, {true, true, false, true}},
      {"short report with a frame start", {O, O, kurz, O}, F},
      {"the second exchange's failure does not matter", {O, Z, R, O}, kSatz},
  };
  for (const auto& f : faelle) {
    Abfrage a;
    for (const auto& antwort : f.antworten) a.backend.f.antworten.push_back(antwort);
    a.backend.f.schreibErgebnisse = f.schreiben;
    EXPECT_EQ(a.lesen(), f.erwartet) << f.name;
    EXPECT_TRUE(a.backend.f.antworten.empty()) << f.name;  // all four exchanges made
    EXPECT_LE(a.backend.f.offen, 1) << f.name;
  }
}

// The meter's unnumbered reports come without their id byte from the
// platform; the frame still starts at the first data byte.
TEST(M3890DLesen, ThroughTheHidapiBackend) {
  pvtest::FakeHidPlattform p;
  p.eintraege = {{{"meter", 0x0925, 0x1234},
                  QByteArray::fromHex("0600FF 0901 A101 1500 26FF00 7508 9508 0901 8102 0901 9102 C0")}};
  const QByteArray leer(8, '\0');
  p.berichte = {leer, leer, kRahmen.mid(1), leer};
  pv::HidapiBackend backend(p);
  pv::UsbMultimeter meter(backend);
  EXPECT_EQ(meter.M3890DLesen(13), kSatz);
}

// --- The shipped device file ---

TEST(UsbMultimeterGeraetedatei, FitsTheRecord) {
  const QString datei =
      QDir(QStringLiteral(PELVARON_DATEN)).filePath(QStringLiteral("USB-Multimeter.ger"));
  pv::Geraetedefinition def;
  pv::GeraeteEingabetexte texte;
  ASSERT_EQ(pv::GeraeteDatenLesen(datei, u',', QString(), def, &texte), 1);

  EXPECT_EQ(def.ComSettingPub, QStringLiteral("USB"));
  EXPECT_FALSE(def.GeraetAktivPub);  // polled by the tick
  EXPECT_FALSE(def.autoFormat());    // read by its positions, no decoder
  EXPECT_TRUE(def.SpezialPub.isEmpty());

  const QString satz = auswerten(0x07, 0x21, 0x12, 0x34, def.LZAsciiPub);
  ASSERT_EQ(satz.size(), def.DatenstringLaengePub);
  auto feld = [&satz](int von, int bis) { return satz.mid(von - 1, bis - von + 1); };
  EXPECT_EQ(feld(def.Einheit1_0Pub, def.Einheit1_1Pub), QStringLiteral("Res "));
  EXPECT_EQ(feld(def.VorzeichenStellePub, def.VorzeichenStellePub), QStringLiteral("-"));
  EXPECT_EQ(feld(def.DatenAnfangPub, def.DatenEndePub), QStringLiteral("1,234"));
  EXPECT_EQ(feld(def.Einheit2_0Pub, def.Einheit2_1Pub), QStringLiteral("kOhm"));
  // The range is taken from the unit's first letter.
  EXPECT_TRUE(def.MBAutoPub);
  EXPECT_EQ(def.ZeichenStelleOptionPub, 2);

  // The file is exactly what the device file writer makes of it.
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), pv::zuCp1252(pv::GeraetedateiText(def, texte, u',')));
}

// The shipped udev rule gives access to the meter the program looks for.
TEST(UsbMultimeterUdevRegel, NamesTheMetersIds) {
  QFile f(QDir(QStringLiteral(PELVARON_DATEN)).filePath(QStringLiteral("udev/70-pelvaron-usb-multimeter.rules")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QString regel = QString::fromUtf8(f.readAll());
  const auto kennung = [](uint16_t k) { return QStringLiteral("%1").arg(k, 4, 16, QLatin1Char('0')); };
  for (const QString& teil : {QStringLiteral("SUBSYSTEM==\"hidraw\""),
                              QStringLiteral("ATTRS{idVendor}==\"%1\"").arg(kennung(pv::kM3890DHerstellerKennung)),
                              QStringLiteral("ATTRS{idProduct}==\"%1\"").arg(kennung(pv::kM3890DProduktKennung)),
                              QStringLiteral("TAG+=\"uaccess\"")}) {
    EXPECT_TRUE(regel.contains(teil)) << teil.toStdString();
  }
}

}  // namespace
