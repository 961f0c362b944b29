#include "segmentdecoder.h"

#include <span>

#include "acquisition/normdatensatz.h"

namespace pv {

namespace {

// The segment string S over the bytes taken: position p (1-based) is bit
// (p - 1) mod 4 of byte (p - 1) div 4. A position beyond the end is -1, so
// that a test for "set" and a test for "clear" both fail on it.
class Segmente {
 public:
  explicit Segmente(QByteArrayView bytes) : b_(bytes) {}

  int operator()(int p) const {
    const qsizetype i = (p - 1) / 4;
    if (p < 1 || i >= b_.size()) return -1;
    return (static_cast<uint8_t>(b_[i]) >> ((p - 1) % 4)) & 1;
  }
  bool an(int p) const { return (*this)(p) == 1; }
  bool aus(int p) const { return (*this)(p) == 0; }

  // The 8 positions from p on as one code, the first position in bit 7;
  // -1 when any of them is beyond the end.
  int code(int p) const {
    int c = 0;
    for (int k = 0; k < 8; ++k) {
      const int bit = (*this)(p + k);
      if (bit < 0) return -1;
      c = (c << 1) | bit;
    }
    return c;
  }

 private:
  QByteArrayView b_;
};

// A digit's code as written in the tables: "0"/"1" must match, "x" is
// either (a decimal-mark or minus bit that shares the digit's bits).
struct Ziffercode {
  char ziffer;
  uint8_t maske;
  uint8_t wert;
};

constexpr Ziffercode ziffercode(char ziffer, const char (&muster)[9]) {
  Ziffercode z{ziffer, 0, 0};
  for (int k = 0; k < 8; ++k) {
    const uint8_t bit = static_cast<uint8_t>(0x80 >> k);
    if (muster[k] == 'x') continue;
    z.maske |= bit;
    if (muster[k] == '1') z.wert |= bit;
  }
  return z;
}

// The last bit is the decimal mark that follows the digit.
constexpr Ziffercode kVC608Ziffern[] = {
    ziffercode('0', "1111101x"), ziffercode('1', "0000101x"), ziffercode('2', "1011110x"),
    ziffercode('3', "1001111x"), ziffercode('4', "0100111x"), ziffercode('5', "1101011x"),
    ziffercode('6', "1111011x"), ziffercode('7', "1000101x"), ziffercode('7', "1100101x"),
    ziffercode('8', "1111111x"), ziffercode('9', "1101111x"),
};

// The fourth bit is the minus sign (first digit) or the decimal mark before
// the digit (the others).
constexpr Ziffercode kVC820Ziffern[] = {
    ziffercode('0', "111x1011"), ziffercode('1', "000x1010"), ziffercode('2', "101x1101"),
    ziffercode('3', "100x1111"), ziffercode('4', "010x1110"), ziffercode('5', "110x0111"),
    ziffercode('6', "111x0111"), ziffercode('7', "100x1010"), ziffercode('7', "110x1010"),
    ziffercode('8', "111x1111"), ziffercode('9', "110x1111"),
};

// The digit whose code starts at position p; a blank for an unknown or
// incomplete code (the display shows no digit there).
char ziffer(const Segmente& s, int p, std::span<const Ziffercode> tabelle) {
  const int c = s.code(p);
  if (c < 0) return ' ';
  for (const Ziffercode& z : tabelle) {
    if ((c & z.maske) == z.wert) return z.ziffer;
  }
  return ' ';
}

// A symbol of the display: its position in S and the text it stands for.
struct Symbol {
  int pos;
  const char* text;
};

// The text of the first symbol that is on, else `sonst`.
const char* ersteAn(const Segmente& s, std::span<const Symbol> symbole, const char* sonst) {
  for (const Symbol& sym : symbole) {
    if (s.an(sym.pos)) return sym.text;
  }
  return sonst;
}

// The mode by the AC and DC symbols; `sonst` when neither is on.
const char* wechselGleich(const Segmente& s, int ac, int dc, const char* sonst) {
  if (s.an(ac) && s.an(dc)) return "AC/DC";
  if (s.an(ac) && s.aus(dc)) return " AC  ";
  if (s.an(dc) && s.aus(ac)) return " DC  ";
  return sonst;
}

constexpr Symbol kVC608Vorsatz[] = {{113, "k"}, {117, "M"}, {118, "u"}, {119, "m"}, {120, "n"}};
constexpr Symbol kVC608Einheiten[] = {
    {106, "Hz "}, {107, "\xB0" "F "}, {108, "s  "}, {110, "Ohm"}, {111, "A  "},
    {112, "F  "}, {114, "V  "},       {115, "S  "}, {116, "\xB0" "C "},
};

constexpr Symbol kVC820Vorsatz[] = {{38, "k"}, {42, "M"}, {40, "u"}, {44, "m"}, {39, "n"}};
constexpr Symbol kVC820Einheiten[] = {
    {50, "Hz "}, {47, "Ohm"}, {52, "A  "}, {48, "F  "}, {51, "V  "}, {43, "%  "}, {53, "\xB0" "C "},
};
constexpr Symbol kDT4000ZCEinheiten[] = {
    {50, "Hz "}, {47, "Ohm"}, {52, "A  "}, {48, "F  "},
    {51, "V  "}, {43, "%  "}, {54, "hFE"}, {55, "\xB0" "C "},
};

constexpr int kVC820Laenge = 14;

QByteArray vc820Familie(QByteArrayView satz, int16_t lzAscii, std::span<const Symbol> einheiten) {
  if (satz.size() < kVC820Laenge) return fehlerDatensatz(lzAscii);
  const Segmente s(satz);

  const char* modus = wechselGleich(s, 4, 3, "     ");
  const char vorzeichen = s.an(8) ? '-' : ' ';

  // Four digits; the decimal mark stands before the 2nd, 3rd or 4th.
  constexpr int kZiffern[] = {5, 13, 21, 29};
  constexpr int kKommaDavor[] = {0, 16, 24, 32};
  QByteArray wert;
  for (int i = 0; i < 4; ++i) {
    if (i > 0 && s.an(kKommaDavor[i])) wert += ',';
    wert += ziffer(s, kZiffern[i], kVC820Ziffern);
  }
  if (wert.size() != 4 && wert.size() != 5) return kFEHLER.toByteArray();
  wert = rechtsbuendig(wert, 6);

  QByteArray einheit = ersteAn(s, kVC820Vorsatz, " ");
  einheit += ersteAn(s, einheiten, "   ");
  return normDatensatz(modus, vorzeichen, wert, einheit, lzAscii);
}

}  // namespace

QByteArray VC608Auswerten(QByteArrayView satz, int16_t lzAscii) {
  if (satz.isEmpty() || (static_cast<uint8_t>(satz[0]) & 0x5B) == 0) {
    return fehlerDatensatz(lzAscii);
  }
  // Without the first byte and the terminator.
  const Segmente s(satz.size() > 2 ? satz.sliced(1, satz.size() - 2) : QByteArrayView());

  const char* pulsweite = !(s.an(73) && s.an(36)) ? "     "
                          : s.an(69)                ? "PW/P-"
                          : s.an(70)                ? "PW/P+"
                                                    : " PW  ";
  const char* modus = wechselGleich(s, 42, 44, pulsweite);
  const char vorzeichen = s.an(43) ? '-' : ' ';

  // Five digits; the decimal mark follows the 1st, 2nd, 3rd or 4th.
  constexpr int kZiffern[] = {45, 53, 61, 89, 97};
  constexpr int kKommaDanach[] = {52, 60, 68, 96};
  QByteArray wert;
  for (int i = 0; i < 5; ++i) {
    wert += ziffer(s, kZiffern[i], kVC608Ziffern);
    if (i < 4 && s.an(kKommaDanach[i])) wert += ',';
  }
  if (wert.size() == 5) {
    wert.prepend(' ');
  } else if (wert.size() != 6) {
    return kFEHLER.toByteArray();
  }

  QByteArray einheit = ersteAn(s, kVC608Vorsatz, " ");
  einheit += ersteAn(s, kVC608Einheiten, "   ");
  return normDatensatz(modus, vorzeichen, wert, einheit, lzAscii);
}

QByteArray VC820Auswerten(QByteArrayView satz, int16_t lzAscii) {
  return vc820Familie(satz, lzAscii, kVC820Einheiten);
}

QByteArray DT4000ZCAuswerten(QByteArrayView satz, int16_t lzAscii) {
  return vc820Familie(satz, lzAscii, kDT4000ZCEinheiten);
}

}  // namespace pv
