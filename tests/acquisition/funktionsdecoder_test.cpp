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

}  // namespace
