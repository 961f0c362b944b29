// HID access: searching, the output report written, reading with a bounded
// wait, closing on failures; the report descriptor reader; bit texts.
#include <gtest/gtest.h>

#include <functional>
#include <optional>

#include "acquisition/hidapibackend.h"
#include "acquisition/hidzugriff.h"
#include "usbfake.h"

namespace {

using pv::HidZugriff;
using pvtest::FakeHidBackend;
using pvtest::hidBericht;

TEST(HidZugriff, WithoutTheDeviceNothingIsWrittenAndEveryExchangeSearches) {
  FakeHidBackend backend;
  backend.f.vorhanden = false;
  HidZugriff hid(backend);
  hid.kennungenSetzen(0x0925, 0x1234);

  EXPECT_EQ(hid.HidAustausch(), 0);
  EXPECT_EQ(hid.HidAustausch(), 0);
  EXPECT_FALSE(hid.HidGeraetGefunden());
  EXPECT_EQ(backend.f.oeffnungen, 2);
  EXPECT_EQ(backend.f.hersteller, 0x0925);
  EXPECT_EQ(backend.f.produkt, 0x1234);
  EXPECT_TRUE(backend.f.geschrieben.empty());
}

TEST(HidZugriff, OutputReportIsIdThenTwoOnesThenZeros) {
  struct Fall {
    const char* name;
    int ausgabeLaenge;
    QByteArray erwartet;
  };
  const Fall faelle[] = {
      {"3 bytes", 3, QByteArray::fromHex("000101")},
      {"9 bytes", 9, QByteArray::fromHex("000101000000000000")},
      {"longer than the data: zero-padded to its length", 12,
       QByteArray::fromHex("000101000000000000000000")},
      {"2 bytes hold one data byte", 2, QByteArray::fromHex("0001")},
      {"only the report id", 1, QByteArray::fromHex("00")},
  };
  for (const auto& f : faelle) {
    FakeHidBackend backend;
    backend.f.laengen = {9, f.ausgabeLaenge};
    backend.f.bericht(hidBericht({1, 2, 3, 4, 5, 6, 7, 8}));
    HidZugriff hid(backend);
    EXPECT_EQ(hid.HidAustausch(), 1) << f.name;
    ASSERT_EQ(backend.f.geschrieben.size(), 1u) << f.name;
    EXPECT_EQ(backend.f.geschrieben[0], f.erwartet) << f.name;
  }
}

TEST(HidZugriff, ReadsTheInputReportAndKeepsTheDeviceOpen) {
  FakeHidBackend backend;
  backend.f.bericht(hidBericht({1, 2, 3, 4, 5, 6, 7, 8}));
  backend.f.bericht(hidBericht({7, 7, 7, 7}));
  HidZugriff hid(backend);

  EXPECT_EQ(hid.HidAustausch(), 1);
  EXPECT_EQ(hid.HidLesePuffer(), hidBericht({1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(hid.berichtGelesen(), 9);
  // A short report: the rest stays zero, and the count says so.
  EXPECT_EQ(hid.HidAustausch(), 1);
  EXPECT_EQ(hid.HidLesePuffer(), hidBericht({7, 7, 7, 7, 0, 0, 0, 0}));
  EXPECT_EQ(hid.berichtGelesen(), 5);
  EXPECT_EQ(backend.f.oeffnungen, 1);
  EXPECT_EQ(backend.f.offen, 1);
  EXPECT_EQ(backend.f.wartezeiten, (std::vector<int>{3000, 3000}));
}

// Every failure closes the device, and the next exchange searches again.
TEST(HidZugriff, FailuresCloseTheDevice) {
  const QByteArray frueher = hidBericht({5, 5, 5, 5, 5, 5, 5, 5});
  struct Fall {
    const char* name;
    std::function<void(pvtest::FakeHid&)> vorbereiten;
    QByteArray pufferDanach;
  };
  const Fall faelle[] = {
      {"time-out: zeroed buffer", [](pvtest::FakeHid& f) { f.zeitueberschreitung(); },
       QByteArray(9, '\0')},
      {"read error",
       [](pvtest::FakeHid& f) {
         f.antworten.push_back({pv::HidLeseergebnis::Fehler, {}});
       },
       QByteArray(9, '\0')},
      {"failed write: buffer from before",
       [](pvtest::FakeHid& f) { f.schreibErgebnisse = {false}; }, frueher},
  };
  for (const auto& f : faelle) {
    FakeHidBackend backend;
    backend.f.bericht(frueher);
    HidZugriff hid(backend);
    ASSERT_EQ(hid.HidAustausch(), 1) << f.name;

    f.vorbereiten(backend.f);
    EXPECT_EQ(hid.HidAustausch(), 0) << f.name;
    EXPECT_FALSE(hid.HidGeraetGefunden()) << f.name;
    EXPECT_EQ(backend.f.offen, 0) << f.name;
    EXPECT_EQ(hid.berichtGelesen(), 0) << f.name;
    EXPECT_EQ(hid.HidLesePuffer(), f.pufferDanach) << f.name;

    backend.f.bericht(frueher);
    EXPECT_EQ(hid.HidAustausch(), 1) << f.name;
    EXPECT_EQ(backend.f.oeffnungen, 2) << f.name;
    EXPECT_EQ(backend.f.offen, 1) << f.name;
  }
}

TEST(HidZugriff, SearchingAgainOrEndingClosesTheOldDevice) {
  FakeHidBackend backend;
  {
    HidZugriff hid(backend);
    EXPECT_TRUE(hid.HidGeraetSuchen());
    EXPECT_TRUE(hid.HidGeraetSuchen());
    EXPECT_EQ(backend.f.offen, 1);
  }
  EXPECT_EQ(backend.f.offen, 0);
}

TEST(HidZugriff, BitTexts) {
  EXPECT_EQ(HidZugriff::ByteZuBits(0x01), QStringLiteral("00000001"));
  EXPECT_EQ(HidZugriff::ByteZuBits(0xA4), QStringLiteral("10100100"));
  for (int b = 0; b < 256; ++b) {
    EXPECT_EQ(HidZugriff::BitsZuZahl(HidZugriff::ByteZuBits(b)), uint64_t(b)) << b;
  }
  EXPECT_EQ(HidZugriff::BitsZuZahl(u"1010"), 10u);
}

// --- The hidapi backend on a scripted platform ---

// From the HID access down to what the device sees: the lengths come from
// the matching interface's report descriptor, and an unnumbered device's
// input report gets its 0 id byte in front.
TEST(HidapiBackend, ReportFraming) {
  const auto hex = [](const char* h) { return QByteArray::fromHex(h); };
  struct Fall {
    const char* name;
    const char* deskriptor;
    QByteArray bericht;  // as the device hands it
    QByteArray geschrieben;
    size_t leselaenge;
    QByteArray puffer;  // as the HID access holds it
  };
  const Fall faelle[] = {
      {"unnumbered: 4 bytes in, 2 out", "7508 9504 8102 9502 9102", hex("11223344"), hex("000101"), 4,
       hex("0011223344")},
      {"numbered: the id comes with the report", "8501 7508 9503 8102 9502 9102", hex("01112233"), hex("000101"),
       4, hex("01112233")},
      {"descriptor unreadable: 8 data bytes, unnumbered", "", hex("0102030405060708"),
       hex("000101000000000000"), 8, hex("000102030405060708")},
      {"descriptor broken", "7508 9601", hex("0102030405060708"), hex("000101000000000000"), 8,
       hex("000102030405060708")},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::FakeHidPlattform p;
    p.eintraege = {{{"andere", 0x0925, 0x4321}, hex("7508 9510 8102")},
                   {{"gesperrt", 0x0925, 0x1234}, hex("7508 9510 8102"), false},
                   {{"meter", 0x0925, 0x1234}, hex(f.deskriptor)}};
    p.berichte = {f.bericht};
    pv::HidapiBackend backend(p);
    HidZugriff hid(backend);
    hid.kennungenSetzen(0x0925, 0x1234);

    ASSERT_EQ(hid.HidAustausch(), 1);
    EXPECT_EQ(p.geschrieben, std::vector<QByteArray>{f.geschrieben});
    EXPECT_EQ(p.leselaengen, std::vector<size_t>{f.leselaenge});
    EXPECT_EQ(hid.HidLesePuffer(), f.puffer);
    EXPECT_EQ(hid.berichtGelesen(), f.puffer.size());
  }
}

// --- Report descriptor ---

TEST(HidDeskriptor, ReportLengths) {
  using A = pv::HidDeskriptorAngaben;
  struct Fall {
    const char* name;
    const char* hex;
    std::optional<A> erwartet;
  };
  const Fall faelle[] = {
      {"vendor device, 8 bytes in and out, unnumbered",
       "0600FF 0901 A101 1500 26FF00 7508 9508 0901 8102 0901 9102 C0", A{{9, 9}, 0, false}},
      {"numbered: the longest report of each kind",
       "8501 7508 9503 8102"            // report 1: 24 input bits
       "8502 7501 950C 8102 9504 8103"  // report 2: 12 + 4 input bits
       "8503 7508 9510 B102",           // report 3: 16 feature bytes
       A{{4, 0}, 17, true}},
      {"bits round up to whole bytes", "7501 9503 8102", A{{2, 0}, 0, false}},
      {"pop restores size and count", "7508 9502 A4 7510 9504 8102 B4 8102", A{{11, 0}, 0, false}},
      {"four-byte item data", "7508 9702000000 8102", A{{3, 0}, 0, false}},
      {"long item passed over", "FE0210AABB 7508 9501 8102", A{{2, 0}, 0, false}},
      {"no reports", "", A{{0, 0}, 0, false}},
      {"ends inside an item", "7508 9601", std::nullopt},
      {"ends inside a long item", "FE0510AA", std::nullopt},
      {"pop without push", "B4 7508 9501 8102", std::nullopt},
      {"absurdly long report", "77FFFFFFFF 97FFFFFFFF 8102", std::nullopt},
  };
  for (const auto& f : faelle) {
    const QByteArray d = QByteArray::fromHex(QByteArray(f.hex).replace(' ', ""));
    EXPECT_EQ(pv::hidDeskriptorAuswerten(d), f.erwartet) << f.name;
  }
}

}  // namespace
