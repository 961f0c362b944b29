// Display-segment decoders: records built from the segment bits they carry.
#include <gtest/gtest.h>

#include <QByteArray>
#include <span>
#include <string>
#include <vector>

#include "acquisition/segmentdecoder.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

using Bits = std::vector<int>;

// Segment positions of the digit codes (8 characters each, "1" = set)
// placed at the given start positions, plus further single positions.
Bits ziffern(const std::vector<int>& starts, const std::vector<const char*>& codes, Bits dazu = {}) {
  for (std::size_t i = 0; i < codes.size(); ++i) {
    for (int k = 0; k < 8; ++k) {
      if (codes[i][k] == '1') dazu.push_back(starts[i] + k);
    }
  }
  return dazu;
}

// `anzahl` bytes with the given segment positions set in their low bits.
QByteArray segmente(int anzahl, const Bits& bits, int oben, bool zaehlen) {
  QByteArray b(anzahl, '\0');
  for (int i = 0; i < anzahl; ++i) b[i] = static_cast<char>(oben + (zaehlen ? (i + 1) << 4 : 0));
  for (int p : bits) {
    if ((p - 1) / 4 < anzahl) b[(p - 1) / 4] = static_cast<char>(b[(p - 1) / 4] | 1 << ((p - 1) % 4));
  }
  return b;
}

// First byte passing its test, 30 segment bytes, CR.
QByteArray vc608(const Bits& bits, int anzahl = 30) { return '\x40' + segmente(anzahl, bits, 0x30, false) + '\r'; }
// 14 bytes numbered 1..14 in their upper bits; the last is the end mark.
QByteArray vc820(const Bits& bits, int anzahl = 14) { return segmente(anzahl, bits, 0, true); }

const std::vector<int> k608 = {45, 53, 61, 89, 97};
Bits z608(std::vector<const char*> codes, Bits dazu = {}) { return ziffern(k608, codes, dazu); }
const std::vector<const char*> k608Eins5 = {"00001010", "10111100", "10011110", "01001110", "11010110"};
const Bits k608_12345 = z608(k608Eins5);

const std::vector<int> k820 = {5, 13, 21, 29};
Bits z820_1234(Bits dazu = {}) { return ziffern(k820, {"00001010", "10101101", "10001111", "01001110"}, dazu); }

const std::string kFehlersatz = "      Fehler    \r";

using Decoder = QByteArray (*)(QByteArrayView, int16_t);

TEST(Segmentdecoder, DecodesTheDisplay) {
  struct Fall {
    const char* name;
    Decoder decoder;
    QByteArray satz;
    std::string erwartet;
  };
  const auto vc608_ = pv::VC608Auswerten;
  const auto vc820_ = pv::VC820Auswerten;
  const auto dt4000 = pv::DT4000ZCAuswerten;
  const Fall faelle[] = {
      {"608: unknown fifth digit, mark after the first", vc608_,
       vc608(z608({"00001010", "10111100", "10011110", "01001110"}, {52})), "      1,234     \r"},
      {"608: five digits, no mark: one leading blank", vc608_, vc608(k608_12345), "       12345    \r"},
      {"608: code 10001011 is 7 with its mark", vc608_,
       vc608(z608({"10001011", "11111010", "11111010", "11111010", "11111010"})), "      7,0000    \r"},
      {"608: mark after the fourth digit", vc608_, vc608(z608(k608Eins5, {96})), "      1234,5    \r"},
      {"608: two marks", vc608_, vc608(z608(k608Eins5, {52, 60})), "FEHLER"},
      {"608: AC, minus", vc608_, vc608(z608(k608Eins5, {42, 43})), " AC  - 12345    \r"},
      {"608: DC", vc608_, vc608(z608(k608Eins5, {44})), " DC    12345    \r"},
      {"608: AC/DC", vc608_, vc608(z608(k608Eins5, {42, 44})), "AC/DC  12345    \r"},
      {"608: PW/P-", vc608_, vc608(z608(k608Eins5, {73, 69, 36})), "PW/P-  12345    \r"},
      {"608: PW/P+", vc608_, vc608(z608(k608Eins5, {73, 70, 36})), "PW/P+  12345    \r"},
      {"608: PW", vc608_, vc608(z608(k608Eins5, {73, 36})), " PW    12345    \r"},
      {"608: first prefix and first unit win", vc608_, vc608(z608(k608Eins5, {120, 118, 114, 110})),
       "       12345uOhm\r"},
      {"608: Fahrenheit", vc608_, vc608(z608(k608Eins5, {107})), "       12345 \xB0" "F \r"},
      {"608: short record: present bits count, missing digits are blanks", vc608_, vc608({42, 43}, 11),
       " AC  -          \r"},
      {"608: first byte 0x24 fails its test", vc608_, '\x24' + vc608(k608_12345).mid(1), kFehlersatz},
      {"608: empty record", vc608_, QByteArray(), kFehlersatz},
      {"820: worked example", vc820_, pvtest::kVC820MinusMilliVolt.satz.toByteArray(),
       pvtest::kVC820MinusMilliVolt.erwartet.toByteArray().toStdString()},
      {"820: 12.34", vc820_, vc820(z820_1234({24})), "       12,34    \r"},
      {"820: 1234 without a mark: two leading blanks", vc820_, vc820(z820_1234()), "        1234    \r"},
      {"820: two marks", vc820_, vc820(z820_1234({16, 24})), "FEHLER"},
      {"820: micro-farad", vc820_, vc820(z820_1234({48, 40})), "        1234uF  \r"},
      {"820: 7 in its second form after a mark", vc820_,
       vc820(ziffern(k820, {"00001010", "11011010", "11101011", "11101011"})), "       1,700    \r"},
      {"820: AC", vc820_, vc820(z820_1234({4})), " AC     1234    \r"},
      {"820: AC/DC", vc820_, vc820(z820_1234({3, 4})), "AC/DC   1234    \r"},
      {"820: prefixes in the order k, M, u, m, n; first unit wins", vc820_,
       vc820(z820_1234({42, 38, 51, 50})), "        1234kHz \r"},
      {"820: no unit bit keeps 17 characters", vc820_, vc820(z820_1234({39})), "        1234n   \r"},
      {"820: Celsius", vc820_, vc820(z820_1234({53})), "        1234 \xB0" "C \r"},
      {"820: a short piece is not decoded", vc820_, vc820(z820_1234(), 13), kFehlersatz},
      {"DT4000ZC: hFE without prefix", dt4000, vc820(z820_1234({54})), "        1234 hFE\r"},
      {"DT4000ZC: Celsius on its own bit", dt4000, vc820(z820_1234({55})), "        1234 \xB0" "C \r"},
      {"DT4000ZC: the other meter's Celsius bit is nothing", dt4000, vc820(z820_1234({53})),
       "        1234    \r"},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(f.decoder(f.satz, 13).toStdString(), f.erwartet) << f.name;
  }
}

TEST(Segmentdecoder, DigitTables) {
  const std::vector<const char*> c608 = {"11111010", "00001010", "10111100", "10011110", "01001110", "11010110",
                                         "11110110", "10001010", "11111110", "11011110", "11001010"};
  const std::vector<const char*> c820 = {"11101011", "00001010", "10101101", "10001111", "01001110", "11000111",
                                         "11100111", "10001010", "11101111", "11001111", "11001010"};
  // Index 0..9 the digits, 10 the second form of 7.
  const auto codes = [](const std::vector<const char*>& tabelle, std::vector<int> index) {
    std::vector<const char*> c;
    for (int i : index) c.push_back(tabelle[static_cast<std::size_t>(i)]);
    return c;
  };
  EXPECT_EQ(pv::VC608Auswerten(vc608(ziffern(k608, codes(c608, {0, 1, 2, 3, 4}))), 13), "       01234    \r");
  EXPECT_EQ(pv::VC608Auswerten(vc608(ziffern(k608, codes(c608, {5, 6, 7, 8, 9}))), 13), "       56789    \r");
  EXPECT_EQ(pv::VC608Auswerten(vc608(ziffern(k608, codes(c608, {10, 0, 0, 0, 0}))), 13), "       70000    \r");
  for (Decoder d : {pv::VC820Auswerten, pv::DT4000ZCAuswerten}) {
    EXPECT_EQ(d(vc820(ziffern(k820, codes(c820, {0, 1, 2, 3}))), 13), "        0123    \r");
    EXPECT_EQ(d(vc820(ziffern(k820, codes(c820, {4, 5, 6, 7}))), 13), "        4567    \r");
    EXPECT_EQ(d(vc820(ziffern(k820, codes(c820, {8, 9, 10, 0}))), 13), "        8970    \r");
  }
}

TEST(Segmentdecoder, PrefixAndUnitTables) {
  struct Zeile {
    int bit;
    const char* feld;  // prefix and unit
  };
  const Zeile vc608Zeilen[] = {
      {113, "k   "}, {117, "M   "}, {118, "u   "}, {119, "m   "}, {120, "n   "}, {106, " Hz "}, {107, " \xB0" "F "},
      {108, " s  "}, {110, " Ohm"}, {111, " A  "}, {112, " F  "}, {114, " V  "}, {115, " S  "}, {116, " \xB0" "C "},
  };
  for (const Zeile& z : vc608Zeilen) {
    EXPECT_EQ(pv::VC608Auswerten(vc608(z608(k608Eins5, {z.bit})), 13).toStdString(),
              std::string("       12345") + z.feld + '\r') << z.bit;
  }
  const Zeile vorsaetze[] = {{38, "k   "}, {42, "M   "}, {40, "u   "}, {44, "m   "}, {39, "n   "}};
  const Zeile vc820Zeilen[] = {{50, " Hz "}, {47, " Ohm"}, {52, " A  "}, {48, " F  "},
                               {51, " V  "}, {43, " %  "}, {53, " \xB0" "C "}, {54, "    "}};
  const Zeile dt4000Zeilen[] = {{50, " Hz "}, {47, " Ohm"}, {52, " A  "}, {48, " F  "},
                                {51, " V  "}, {43, " %  "}, {54, " hFE"}, {55, " \xB0" "C "}};
  const std::pair<Decoder, std::span<const Zeile>> modelle[] = {
      {pv::VC820Auswerten, vorsaetze}, {pv::DT4000ZCAuswerten, vorsaetze},
      {pv::VC820Auswerten, vc820Zeilen}, {pv::DT4000ZCAuswerten, dt4000Zeilen}};
  for (const auto& [decoder, zeilen] : modelle) {
    for (const Zeile& z : zeilen) {
      EXPECT_EQ(decoder(vc820(z820_1234({z.bit})), 13).toStdString(), std::string("        1234") + z.feld + '\r')
          << z.bit;
    }
  }
}

}  // namespace
