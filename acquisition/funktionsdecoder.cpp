#include "funktionsdecoder.h"

#include <algorithm>
#include <initializer_list>

#include "acquisition/normdatensatz.h"

namespace pv {

namespace {

uint8_t byteAn(QByteArrayView satz, int n) { return static_cast<uint8_t>(satz[n - 1]); }

int ohneBit7(int code) { return code >= 128 ? code - 128 : code; }

// ---------------------------------------------------------------- M980T

// A range row: the number of digits before the decimal mark (0: no mark,
// two leading blanks; -1: a gap in the table) and the unit.
struct M980TBereich {
  int vorKomma;
  const char* einheit;
};

struct M980TFunktion {
  const char* modus;
  bool statusVorzeichen;  // the status byte's bit 3 makes the reading negative
  bool keineAnzeige;      // no reading: "------" and " -- "
};

// Row `bereich` of a range table; false when the table does not list it.
template <size_t N>
bool tabellenzeile(const M980TBereich (&t)[N], int bereich, M980TBereich& b) {
  if (bereich < 0 || bereich >= static_cast<int>(N) || t[bereich].vorKomma < 0) return false;
  b = t[bereich];
  return true;
}

// The range row of a function, false when the function does not list it.
bool m980tBereich(int funktion, int bereich, M980TBereich& b) {
  switch (funktion) {
    case 0:
    case 1: {
      constexpr M980TBereich t[] = {{3, " mV "}, {1, "  V "}, {2, "  V "}, {3, "  V "}, {0, "  V "}};
      return tabellenzeile(t, bereich, b);
    }
    case 2:
    case 3:
      if (bereich < 0 || bereich > 2) return false;
      b = {bereich + 1, " mA "};
      return true;
    case 4: {
      constexpr M980TBereich t[] = {{3, " Ohm"}, {1, "kOhm"}, {2, "kOhm"},
                                    {3, "kOhm"}, {0, "kOhm"}, {2, "MOhm"}};
      return tabellenzeile(t, bereich, b);
    }
    case 5:
      b = {3, " Ohm"};
      return true;
    case 6:
      b = {1, "  V "};
      return true;
    case 7:
      b = {0, "    "};
      return true;
    case 8:
    case 9:
      b = {2, "  A "};
      return true;
    case 10: {
      constexpr M980TBereich t[] = {{1, " kHz"}, {2, " kHz"}, {3, " kHz"}, {0, " kHz"},
                                    {-1, ""},    {2, " Hz "}, {3, " Hz "}};
      return tabellenzeile(t, bereich, b);
    }
    case 12: {
      constexpr M980TBereich t[] = {{1, " nF "}, {2, " nF "}, {3, " nF "}, {1, " uF "}, {2, " uF "}};
      return tabellenzeile(t, bereich, b);
    }
    default:
      return false;
  }
}

M980TFunktion m980tFunktion(int funktion) {
  switch (funktion) {
    case 0: return {"  DC ", true, false};
    case 1: return {"  AC ", false, false};
    case 2: return {"  DC ", true, false};
    case 3: return {"  AC ", false, false};
    case 4:
    case 5: return {"RES  ", false, false};
    case 6: return {"Diode", false, false};
    case 7: return {"     ", true, false};
    case 8: return {"  DC ", true, false};
    case 9: return {"  AC ", false, false};
    case 10: return {"FREQ ", false, false};
    case 12: return {"CAP  ", false, false};
    default: return {" --- ", false, true};  // 11, 13 and above
  }
}

// ---------------------------------------------------------------- APPA107

struct APPA107Zeile {
  QByteArray modus;
  QByteArray einheit;
  int dezimalen = 0;
  bool keineAnzeige = false;
};

QByteArray appaWechselGleich(int unter) {
  switch (unter) {
    case 0: return "  AC ";
    case 1: return "  DC ";
    case 2: return "AC+DC";
    default: return {};  // the record comes out too short
  }
}

// Unit and decimals of one range.
struct APPA107Bereich {
  const char* einheit;
  int dezimalen;
};

// The row of `bereich` in a function's range table; a range the table does
// not list leaves the unit empty.
void appaBereich(APPA107Zeile& z, int bereich, std::initializer_list<APPA107Bereich> tabelle) {
  if (bereich < 0 || bereich >= static_cast<int>(tabelle.size())) return;
  const APPA107Bereich& b = tabelle.begin()[bereich];
  z.einheit = b.einheit;
  z.dezimalen = b.dezimalen;
}

APPA107Zeile appaZeile(int funktion, int unter, int bereich) {
  APPA107Zeile z;
  switch (funktion) {
    case 1:
      z = {appaWechselGleich(unter), "  V ", 4 - bereich};
      break;
    case 2:
      z = {appaWechselGleich(unter), " mV ", 3 - bereich};
      break;
    case 3:
      z.modus = " Res ";
      if (unter == 0) {
        appaBereich(z, bereich,
                    {{" Ohm", 2}, {"kOhm", 4}, {"kOhm", 3}, {"kOhm", 2},
                     {"MOhm", 4}, {"MOhm", 3}, {"MOhm", 0}, {"GOhm", 1}});
      } else {
        appaBereich(z, bereich,
                    {{"kOhm", 4}, {"kOhm", 3}, {"kOhm", 2}, {"MOhm", 4}, {"MOhm", 3}, {"MOhm", 0}});
      }
      break;
    case 4:
      z = unter == 0 ? APPA107Zeile{"Diode", "  V ", 3} : APPA107Zeile{"     ", " Ohm", 1};
      break;
    case 5:
      z = {appaWechselGleich(unter), " mA ", 3 - bereich};
      break;
    case 6:
      z = {appaWechselGleich(unter), "  A ", 4 - bereich};
      break;
    case 7:
      z.modus = " Cap ";
      appaBereich(z, bereich,
                  {{" nF ", 3}, {" nF ", 2}, {" nF ", 1}, {" uF ", 3},
                   {" uF ", 2}, {" uF ", 1}, {" mF ", 3}, {" mF ", 2}});
      break;
    case 8:
      if (unter == 0) {
        z.modus = "Freq ";
        appaBereich(z, bereich,
                    {{" Hz ", 3}, {" Hz ", 2}, {"kHz ", 4}, {"kHz ", 3}, {"kHz ", 2}, {"MHz ", 4}});
      } else {
        z.modus = " D-C ";
        appaBereich(z, bereich, {{" Hz ", 2}, {"kHz ", 4}, {"kHz ", 3}});
      }
      break;
    case 9:
      z = {"Temp ", unter == 0 ? " \xB0" "C " : " \xB0" "F ", 1};
      break;
    default:  // 0, 10 and above
      z = {" --- ", " -- ", 0, true};
      break;
  }
  return z;
}

// r with d decimals: the integer part without leading zeros ("0" at least),
// "," and the d last digits of r written with 5 digits.
QByteArray appaWert(int r, int d) {
  if (d < 0 || d > 5) return "------";
  int teiler = 1;
  for (int i = 0; i < d; ++i) teiler *= 10;
  QByteArray text = QByteArray::number(r / teiler);
  if (d > 0) text += ',' + QByteArray::number(r % teiler).rightJustified(d, '0');
  return rechtsbuendig(text, 6);
}

// ---------------------------------------------------------------- VC960

constexpr qsizetype kVC960Hoechstens = 11;
constexpr qsizetype kVC960Mindestens = 9;

struct VC960Zeile {
  const char* modus;    // nullptr: the mode of the mode code stays
  const char* einheit;  // "" when the position code is not listed
  int komma;            // digits before the decimal mark
};

VC960Zeile vc960Zeile(int funktion, int c) {
  switch (funktion) {
    case 0: return {" AC  ", " mV ", 3};
    case 1: return {" DC  ", " V  ", c};
    case 2: return {nullptr, " V  ", c};
    case 3: return {" DC  ", " mV ", 3};
    case 4: {
      constexpr VC960Zeile t[] = {{nullptr, "", 0},     {nullptr, " Ohm", 3}, {nullptr, "kOhm", 1},
                                  {nullptr, "kOhm", 2}, {nullptr, "kOhm", 3}, {nullptr, "MOhm", 1},
                                  {nullptr, "MOhm", 2}};
      return c >= 1 && c <= 6 ? t[c] : VC960Zeile{nullptr, "", 0};
    }
    case 5: {
      constexpr VC960Zeile t[] = {{" Cap ", "", 0},     {" Cap ", " nF ", 2}, {" Cap ", " nF ", 3},
                                  {" Cap ", " uF ", 1}, {" Cap ", " uF ", 2}, {" Cap ", " uF ", 3},
                                  {" Cap ", " mF ", 1}, {" Cap ", " mF ", 2}};
      return c >= 1 && c <= 7 ? t[c] : VC960Zeile{" Cap ", "", 0};
    }
    case 6: return {"Temp ", " \xB0" "C ", 4};
    case 7: return {nullptr, " uA ", c == 0 ? 3 : c == 1 ? 4 : 0};
    case 8: return {nullptr, " mA ", c == 0 ? 2 : c == 1 ? 3 : 0};
    case 9: return {nullptr, " A  ", 2};
    case 10: return {"  Fm ", " Ohm", 3};
    case 11: return {"Diode", "  V ", 1};
    case 12: {
      constexpr VC960Zeile t[] = {{nullptr, " Hz ", 2}, {nullptr, " Hz ", 3}, {nullptr, "kHz ", 1},
                                  {nullptr, "kHz ", 2}, {nullptr, "kHz ", 3}, {nullptr, "MHz ", 1},
                                  {nullptr, "MHz ", 2}, {nullptr, "MHz ", 3}};
      return c >= 0 && c <= 7 ? t[c] : VC960Zeile{nullptr, "", 0};
    }
    case 13: return {"Temp ", " \xB0" "F ", 4};
    case 14: return {"Power", "Watt", 4};
    default: return {nullptr, " mA ", 5};  // 15
  }
}

}  // namespace

QByteArray M980TAuswerten(QByteArrayView satz, int16_t lzAscii) {
  if (satz.size() < 7) return fehlerDatensatz(lzAscii);
  const int status = ohneBit7(byteAn(satz, 1));
  const int funktion = ohneBit7(byteAn(satz, 6));
  const int bereich = ohneBit7(byteAn(satz, 7));

  const M980TFunktion f = m980tFunktion(funktion);
  const char vorzeichen = f.statusVorzeichen && (status & 8) ? '-' : ' ';
  if (f.keineAnzeige) return normDatensatz(f.modus, ' ', "------", " -- ", lzAscii);

  M980TBereich b{};
  if (!m980tBereich(funktion, bereich, b)) return kFEHLER.toByteArray();
  // Digits from the most significant one (byte 5) down to byte 2.
  QByteArray wert = b.vorKomma == 0 ? "  " : " ";
  for (int i = 0; i < 4; ++i) {
    if (b.vorKomma > 0 && i == b.vorKomma) wert += ',';
    wert += QByteArray::number(byteAn(satz, 5 - i));
  }
  if (wert.size() == 5) {
    wert.prepend(' ');
  } else if (wert.size() != 6) {
    return kFEHLER.toByteArray();  // a digit byte of 10 or more
  }
  return normDatensatz(f.modus, vorzeichen, wert, b.einheit, lzAscii);
}

QByteArray APPA107Auswerten(QByteArrayView satz, int16_t lzAscii) {
  if (!satz.startsWith("UU") || satz.size() < 11) return fehlerDatensatz(lzAscii);
  const int funktion = byteAn(satz, 5);
  const int unter = byteAn(satz, 6);
  const int bereich = ohneBit7(byteAn(satz, 8));
  const int lo = byteAn(satz, 9);
  const int hi = byteAn(satz, 10);

  char vorzeichen = ' ';
  int r = hi * 256 + lo;
  if (byteAn(satz, 11) != 0) {
    // The magnitude of the negative 16-bit reading.
    vorzeichen = '-';
    r = (255 - hi) * 256 + 256 - lo;
  }

  const APPA107Zeile z = appaZeile(funktion, unter, bereich);
  if (z.keineAnzeige) return normDatensatz(z.modus, ' ', "------", z.einheit, lzAscii);
  const QByteArray wert = appaWert(r, z.dezimalen);
  if (wert.size() != 6) return kFEHLER.toByteArray();
  return normDatensatz(z.modus, vorzeichen, wert, z.einheit, lzAscii);
}

QByteArray VC960Auswerten(QByteArrayView satz, int16_t lzAscii) {
  if (satz.size() > kVC960Hoechstens || satz.size() < kVC960Mindestens) {
    return fehlerDatensatz(lzAscii);
  }
  const auto nibble = [&](int i) { return byteAn(satz, i) & 0x0F; };

  const char* modus = "     ";
  switch (nibble(8)) {
    case 1: modus = " AC  "; break;
    case 2: modus = " DC  "; break;
    case 3: modus = "AC/DC"; break;
    default: break;
  }
  const char vorzeichen = nibble(9) & 0x4 ? '-' : ' ';

  // Five digits; a digit above 9 among the first four is the overload
  // display, one in the fifth place a blank.
  QByteArray ziffern;
  for (int i = 1; i <= 5; ++i) {
    const int n = nibble(i);
    if (n > 9 && i <= 4) {
      ziffern = " .OL ";
      break;
    }
    ziffern += n <= 9 ? static_cast<char>('0' + n) : ' ';
  }

  const VC960Zeile z = vc960Zeile(nibble(7), nibble(6));
  if (z.modus) modus = z.modus;
  // The decimal mark after `komma` digits, at the very end for 5 and more.
  const qsizetype k = std::clamp<qsizetype>(z.komma, 0, ziffern.size());
  const QByteArray wert = ziffern.left(k) + ',' + ziffern.mid(k);
  return normDatensatz(modus, vorzeichen, wert, z.einheit, lzAscii);
}

}  // namespace pv
