// Function-code decoders: digit values with function and range codes.
#include <gtest/gtest.h>

#include <QByteArray>
#include <initializer_list>
#include <string>

#include "acquisition/funktionsdecoder.h"
#include "tests/acquisition/decoderbeispiele.h"

namespace {

QByteArray folge(std::initializer_list<int> werte, QByteArray ende = {}) {
  QByteArray s;
  for (int v : werte) s += static_cast<char>(v);
  return s + ende;
}
// status, digits from the least significant, function, range, CR.
QByteArray m980t(int status, int funktion, int bereich, int d = 4) {
  return folge({status, d, 3, 2, 1, funktion, bereich}, "\r");
}
// "UU", function, sub-function, range, reading 1234 or lo/hi, sign; 19 bytes.
QByteArray appa(int funktion, int unter, int bereich, int lo = 0xD2, int hi = 0x04, int vz = 0) {
  return folge({'U', 'U', 0, 0, funktion, unter, 0, bereich, lo, hi, vz}, QByteArray(8, '\0'));
}
// Nine nibble bytes as the characters '0'..'?' and CR LF.
QByteArray vc960(std::initializer_list<int> n) {
  QByteArray s;
  for (int v : n) s += static_cast<char>(0x30 | v);
  return s + "\r\n";
}
std::string bsp(const pvtest::Decoderbeispiel& b) { return b.erwartet.toByteArray().toStdString(); }

const std::string kFehlersatz = "      Fehler    \r";

TEST(Funktionsdecoder, DecodesByFunctionAndRange) {
  struct Fall {
    const char* name;
    QByteArray (*decoder)(QByteArrayView, int16_t);
    QByteArray satz;
    std::string erwartet;
  };
  const auto m980 = pv::M980TAuswerten;
  const auto appa107 = pv::APPA107Auswerten;
  const auto vc = pv::VC960Auswerten;
  const Fall faelle[] = {
      {"M980T: worked example, status minus", m980, pvtest::kM980TMinusVolt.satz.toByteArray(), bsp(pvtest::kM980TMinusVolt)},
      {"M980T: AC shows no sign", m980, m980t(8, 1, 1), "  AC   1,234  V \r"},
      {"M980T: function 11: no reading", m980, pvtest::kM980TKeineAnzeige.satz.toByteArray(), bsp(pvtest::kM980TKeineAnzeige)},
      {"M980T: function 127: no reading", m980, m980t(0, 127, 0), " ---  ------ -- \r"},
      {"M980T: frequency range 4 not listed", m980, m980t(0, 10, 4), "FEHLER"},
      {"M980T: range beyond the resistance table", m980, m980t(0, 4, 6), "FEHLER"},
      {"M980T: range beyond the frequency table", m980, m980t(0, 10, 7), "FEHLER"},
      {"M980T: frequency range 5 in hertz", m980, m980t(0, 10, 5), "FREQ   12,34 Hz \r"},
      {"M980T: four digits without a mark", m980, m980t(0, 0, 4), "  DC    1234  V \r"},
      {"M980T: megaohm", m980, m980t(8, 4, 5), "RES    12,34MOhm\r"},
      {"M980T: function 7: no mode, no unit", m980, m980t(8, 7, 0), "     -  1234    \r"},
      {"M980T: digit byte 10", m980, m980t(0, 0, 1, 10), "FEHLER"},
      {"M980T: six bytes", m980, folge({0x88, 4, 3, 2, 1, 0x80}), kFehlersatz},
      {"APPA107: worked example", appa107, pvtest::kAPPA107PlusVolt.satz.toByteArray(), bsp(pvtest::kAPPA107PlusVolt)},
      {"APPA107: worked example, negative", appa107, pvtest::kAPPA107MinusVolt.satz.toByteArray(), bsp(pvtest::kAPPA107MinusVolt)},
      {"APPA107: no decimals and zero", appa107, appa(3, 0, 6, 0, 0), " Res       0MOhm\r"},
      {"APPA107: integer part 65535", appa107, appa(3, 0, 6, 0xFF, 0xFF), " Res   65535MOhm\r"},
      {"APPA107: negative 32768", appa107, appa(3, 0, 6, 0x00, 0x80, 1), " Res - 32768MOhm\r"},
      {"APPA107: four decimals, range bit 7", appa107, appa(1, 0, 0x80), "  AC  0,1234  V \r"},
      {"APPA107: zeros of the fraction stay", appa107, appa(2, 2, 0, 5, 0), "AC+DC  0,005 mV \r"},
      {"APPA107: function 12", appa107, appa(12, 0, 0, 0xD2, 0x04, 0xFF), " ---  ------ -- \r"},
      {"APPA107: second resistance row", appa107, appa(3, 1, 3), " Res  0,1234MOhm\r"},
      {"APPA107: continuity", appa107, appa(4, 1, 0), "       123,4 Ohm\r"},
      {"APPA107: Fahrenheit", appa107, appa(9, 1, 0), "Temp   123,4 \xB0" "F \r"},
      {"APPA107: negative decimals: no reading", appa107, appa(1, 1, 5), "  DC  ------  V \r"},
      {"APPA107: unknown sub-function: no mode", appa107, appa(1, 3, 1), "  1,234  V \r"},
      {"APPA107: unlisted range: no unit", appa107, appa(7, 0, 8), " Cap    1234\r"},
      {"APPA107: not beginning with UU", appa107, "xU" + appa(1, 1, 1).mid(2), kFehlersatz},
      {"APPA107: too short for the reading", appa107, appa(1, 1, 1).left(10), kFehlersatz},
      {"VC960: worked example", vc, pvtest::kVC960MinusVolt.satz.toByteArray(), bsp(pvtest::kVC960MinusVolt)},
      {"VC960: upper bits ignored", vc, folge({0xF0, 0xF1, 0xF2, 0xF3, 0xF4, 0xF2, 0xF1, 0xF2, 0xF4}), bsp(pvtest::kVC960MinusVolt)},
      {"VC960: overload, mark after three", vc, vc960({10, 1, 2, 3, 4, 0, 0, 0, 0}), " AC    .O,L  mV \r"},
      {"VC960: fifth digit 1100 is a blank", vc, vc960({1, 2, 3, 4, 12, 0, 0, 0, 0}), " AC   123,4  mV \r"},
      {"VC960: resistance, code 0: 13 characters", vc, vc960({1, 2, 3, 4, 5, 0, 4, 0, 0}), "      ,12345\r"},
      {"VC960: mode from the mode code", vc, vc960({1, 2, 3, 4, 5, 1, 2, 3, 0}), "AC/DC 1,2345 V  \r"},
      {"VC960: mark last", vc, vc960({1, 2, 3, 4, 5, 9, 1, 0, 0}), " DC   12345, V  \r"},
      {"VC960: megahertz", vc, vc960({1, 2, 3, 4, 5, 7, 12, 0, 0}), "      123,45MHz \r"},
      {"VC960: twelve bytes", vc, vc960({1, 2, 3, 4, 5, 0, 11, 0, 0, 0}), kFehlersatz},
      {"VC960: a record caught in the middle", vc, "340\r\n", kFehlersatz},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(f.decoder(f.satz, 13).toStdString(), f.erwartet) << f.name;
  }
}

// Every row of the three lookup tables, with the digits 1, 2, 3, 4 (and 5).
// The values by their decimal places: _A,BCD and so on.
const char* const kWert[] = {"  1234", " 123,4", " 12,34", " 1,234", "0,1234"};

TEST(Funktionsdecoder, M980TTable) {
  struct Zeile {
    int funktion, bereich;
    const char* modus;
    char vorzeichen;  // with the status minus bit set
    int stellen;
    const char* einheit;
  };
  const Zeile zeilen[] = {
      {0, 0, "  DC ", '-', 1, " mV "}, {0, 1, "  DC ", '-', 3, "  V "}, {0, 2, "  DC ", '-', 2, "  V "},
      {0, 3, "  DC ", '-', 1, "  V "}, {0, 4, "  DC ", '-', 0, "  V "}, {1, 0, "  AC ", ' ', 1, " mV "},
      {1, 1, "  AC ", ' ', 3, "  V "}, {1, 2, "  AC ", ' ', 2, "  V "}, {1, 3, "  AC ", ' ', 1, "  V "},
      {1, 4, "  AC ", ' ', 0, "  V "}, {2, 0, "  DC ", '-', 3, " mA "}, {2, 1, "  DC ", '-', 2, " mA "},
      {2, 2, "  DC ", '-', 1, " mA "}, {3, 0, "  AC ", ' ', 3, " mA "}, {3, 1, "  AC ", ' ', 2, " mA "},
      {3, 2, "  AC ", ' ', 1, " mA "}, {4, 0, "RES  ", ' ', 1, " Ohm"}, {4, 1, "RES  ", ' ', 3, "kOhm"},
      {4, 2, "RES  ", ' ', 2, "kOhm"}, {4, 3, "RES  ", ' ', 1, "kOhm"}, {4, 4, "RES  ", ' ', 0, "kOhm"},
      {4, 5, "RES  ", ' ', 2, "MOhm"}, {5, 9, "RES  ", ' ', 1, " Ohm"}, {6, 9, "Diode", ' ', 3, "  V "},
      {7, 9, "     ", '-', 0, "    "}, {8, 9, "  DC ", '-', 2, "  A "}, {9, 9, "  AC ", ' ', 2, "  A "},
      {10, 0, "FREQ ", ' ', 3, " kHz"}, {10, 1, "FREQ ", ' ', 2, " kHz"}, {10, 2, "FREQ ", ' ', 1, " kHz"},
      {10, 3, "FREQ ", ' ', 0, " kHz"}, {10, 5, "FREQ ", ' ', 2, " Hz "}, {10, 6, "FREQ ", ' ', 1, " Hz "},
      {12, 0, "CAP  ", ' ', 3, " nF "}, {12, 1, "CAP  ", ' ', 2, " nF "}, {12, 2, "CAP  ", ' ', 1, " nF "},
      {12, 3, "CAP  ", ' ', 3, " uF "}, {12, 4, "CAP  ", ' ', 2, " uF "},
  };
  for (const Zeile& z : zeilen) {
    const std::string erwartet = std::string(z.modus) + z.vorzeichen + kWert[z.stellen] + z.einheit + '\r';
    EXPECT_EQ(pv::M980TAuswerten(m980t(0x88, z.funktion, z.bereich), 13).toStdString(), erwartet)
        << z.funktion << "/" << z.bereich;
  }
  for (int keine : {11, 13}) {
    EXPECT_EQ(pv::M980TAuswerten(m980t(0x88, keine, 0), 13).toStdString(), " ---  ------ -- \r") << keine;
  }
}

TEST(Funktionsdecoder, APPA107Table) {
  struct Zeile {
    int funktion, unter, bereich;
    const char* modus;
    int stellen;
    const char* einheit;
  };
  const Zeile zeilen[] = {
      {1, 0, 0, "  AC ", 4, "  V "},  {1, 1, 1, "  DC ", 3, "  V "},  {1, 2, 4, "AC+DC", 0, "  V "},
      {2, 0, 0, "  AC ", 3, " mV "},  {2, 1, 1, "  DC ", 2, " mV "},  {2, 2, 3, "AC+DC", 0, " mV "},
      {3, 0, 0, " Res ", 2, " Ohm"},  {3, 0, 1, " Res ", 4, "kOhm"},  {3, 0, 2, " Res ", 3, "kOhm"},
      {3, 0, 3, " Res ", 2, "kOhm"},  {3, 0, 4, " Res ", 4, "MOhm"},  {3, 0, 5, " Res ", 3, "MOhm"},
      {3, 0, 6, " Res ", 0, "MOhm"},  {3, 0, 7, " Res ", 1, "GOhm"},  {3, 1, 0, " Res ", 4, "kOhm"},
      {3, 1, 1, " Res ", 3, "kOhm"},  {3, 1, 2, " Res ", 2, "kOhm"},  {3, 1, 3, " Res ", 4, "MOhm"},
      {3, 1, 4, " Res ", 3, "MOhm"},  {3, 1, 5, " Res ", 0, "MOhm"},  {4, 0, 0, "Diode", 3, "  V "},
      {4, 1, 0, "     ", 1, " Ohm"},  {5, 0, 0, "  AC ", 3, " mA "},  {5, 2, 3, "AC+DC", 0, " mA "},
      {6, 1, 0, "  DC ", 4, "  A "},  {6, 2, 4, "AC+DC", 0, "  A "},  {7, 0, 0, " Cap ", 3, " nF "},
      {7, 0, 1, " Cap ", 2, " nF "},  {7, 0, 2, " Cap ", 1, " nF "},  {7, 0, 3, " Cap ", 3, " uF "},
      {7, 0, 4, " Cap ", 2, " uF "},  {7, 0, 5, " Cap ", 1, " uF "},  {7, 0, 6, " Cap ", 3, " mF "},
      {7, 0, 7, " Cap ", 2, " mF "},  {8, 0, 0, "Freq ", 3, " Hz "},  {8, 0, 1, "Freq ", 2, " Hz "},
      {8, 0, 2, "Freq ", 4, "kHz "},  {8, 0, 3, "Freq ", 3, "kHz "},  {8, 0, 4, "Freq ", 2, "kHz "},
      {8, 0, 5, "Freq ", 4, "MHz "},  {8, 1, 0, " D-C ", 2, " Hz "},  {8, 1, 1, " D-C ", 4, "kHz "},
      {8, 1, 2, " D-C ", 3, "kHz "},  {9, 0, 0, "Temp ", 1, " \xB0" "C "}, {9, 1, 0, "Temp ", 1, " \xB0" "F "},
  };
  for (const Zeile& z : zeilen) {
    const std::string erwartet = std::string(z.modus) + ' ' + kWert[z.stellen] + z.einheit + '\r';
    EXPECT_EQ(pv::APPA107Auswerten(appa(z.funktion, z.unter, z.bereich), 13).toStdString(), erwartet)
        << z.funktion << "/" << z.unter << "/" << z.bereich;
  }
  for (int keine : {0, 10}) {
    EXPECT_EQ(pv::APPA107Auswerten(appa(keine, 0, 0), 13).toStdString(), " ---  ------ -- \r") << keine;
  }
}

TEST(Funktionsdecoder, VC960Tables) {
  // Digits 1 2 3 4 5; the mark after p of them.
  const char* const wert[] = {",12345", "1,2345", "12,345", "123,45", "1234,5", "12345,"};
  struct Zeile {
    int funktion, c;
    const char* modus;  // mode code 3 (AC/DC) where the row takes it
    const char* einheit;
    int p;
  };
  const Zeile zeilen[] = {
      {0, 9, " AC  ", " mV ", 3},  {1, 1, " DC  ", " V  ", 1},  {2, 2, "AC/DC", " V  ", 2},
      {3, 9, " DC  ", " mV ", 3},  {4, 1, "AC/DC", " Ohm", 3},  {4, 2, "AC/DC", "kOhm", 1},
      {4, 3, "AC/DC", "kOhm", 2},  {4, 4, "AC/DC", "kOhm", 3},  {4, 5, "AC/DC", "MOhm", 1},
      {4, 6, "AC/DC", "MOhm", 2},  {5, 1, " Cap ", " nF ", 2},  {5, 2, " Cap ", " nF ", 3},
      {5, 3, " Cap ", " uF ", 1},  {5, 4, " Cap ", " uF ", 2},  {5, 5, " Cap ", " uF ", 3},
      {5, 6, " Cap ", " mF ", 1},  {5, 7, " Cap ", " mF ", 2},  {5, 0, " Cap ", "", 0},
      {6, 9, "Temp ", " \xB0" "C ", 4}, {7, 0, "AC/DC", " uA ", 3},  {7, 1, "AC/DC", " uA ", 4},
      {7, 2, "AC/DC", " uA ", 0},  {8, 0, "AC/DC", " mA ", 2},  {8, 1, "AC/DC", " mA ", 3},
      {8, 2, "AC/DC", " mA ", 0},  {9, 9, "AC/DC", " A  ", 2},  {10, 9, "  Fm ", " Ohm", 3},
      {11, 9, "Diode", "  V ", 1}, {12, 0, "AC/DC", " Hz ", 2}, {12, 1, "AC/DC", " Hz ", 3},
      {12, 2, "AC/DC", "kHz ", 1}, {12, 3, "AC/DC", "kHz ", 2}, {12, 4, "AC/DC", "kHz ", 3},
      {12, 5, "AC/DC", "MHz ", 1}, {12, 6, "AC/DC", "MHz ", 2}, {12, 7, "AC/DC", "MHz ", 3},
      {12, 8, "AC/DC", "", 0},     {13, 9, "Temp ", " \xB0" "F ", 4}, {14, 9, "Power", "Watt", 4},
      {15, 9, "AC/DC", " mA ", 5},
  };
  for (const Zeile& z : zeilen) {
    const std::string erwartet = std::string(z.modus) + ' ' + wert[z.p] + z.einheit + '\r';
    EXPECT_EQ(pv::VC960Auswerten(vc960({1, 2, 3, 4, 5, z.c, z.funktion, 3, 0}), 13).toStdString(), erwartet)
        << z.funktion << "/" << z.c;
  }
  // Mode code and sign bit, with function 2 (mode from the code, p = c = 1).
  struct Modus {
    int code, vorzeichen;
    const char* erwartet;
  };
  const Modus modi[] = {
      {0, 0, "      1,2345 V  \r"}, {1, 0, " AC   1,2345 V  \r"}, {2, 4, " DC  -1,2345 V  \r"},
      {3, 3, "AC/DC 1,2345 V  \r"}, {4, 0, "      1,2345 V  \r"},
  };
  for (const Modus& m : modi) {
    EXPECT_EQ(pv::VC960Auswerten(vc960({1, 2, 3, 4, 5, 1, 2, m.code, m.vorzeichen}), 13).toStdString(), m.erwartet)
        << m.code;
  }
}

}  // namespace
