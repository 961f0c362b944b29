#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <array>
#include <cstdint>

namespace pv {

// The normalised record: what every built-in model decoder turns its
// instrument's own record into, so that the record evaluation can cut it
// like the record of any other device. 17 bytes (Windows-1252, as records
// are received):
//   1-5   mode text (" DC  ", "AC/DC", "Diode", 5 blanks, ...)
//   6     sign: "-" or a blank
//   7-12  value, right-aligned, "," as decimal mark; a non-number such as
//         "------" where the instrument shows no reading
//   13-16 unit with its prefix ("kOhm", " mV ", "mV  ", 4 blanks, ...)
//   17    the current device's terminator character
// A decoder that cannot read its record returns the failure record (same
// layout, value field "Fehler": it passes the length and terminator checks
// and is rejected as a value) or the bare text "FEHLER" (rejected as a whole
// record).

// Where the evaluation finds the fields of a record: the field positions of
// the acquisition state (1-based, 0 = absent) and the expected length,
// terminator included.
struct Datensatzlayout {
  std::array<int16_t, 2> Einheit1Pos{};  // unit field 1: begin, end
  int16_t Vorzeichenstelle = 0;
  int16_t Messwertbeginn = 0;
  int16_t Messwertende = 0;
  std::array<int16_t, 2> Einheit2Pos{};  // unit field 2: begin, end
  int16_t DatensatzLaenge = 0;

  bool operator==(const Datensatzlayout&) const = default;
};

inline constexpr int kNormLaenge = 17;

// The layout of the normalised record: the mode is read as unit field 1,
// the unit as unit field 2.
inline constexpr Datensatzlayout kNormLayout{{1, 5}, 6, 7, 12, {13, 16}, kNormLaenge};

// The count record of the SKINTALK model: the value right-aligned in the
// first `wertLaenge` characters (normally 5), then the character with code 3.
inline constexpr char kSkintalkAbschluss = 3;
constexpr Datensatzlayout skintalkLayout(int16_t wertLaenge = 5) {
  return {{0, 0}, 0, 1, wertLaenge, {0, 0}, static_cast<int16_t>(wertLaenge + 1)};
}

// The whole-record rejection, and the value text of the failure record.
inline constexpr QByteArrayView kFEHLER = "FEHLER";
inline constexpr QByteArrayView kFehlerWert = "Fehler";

// The character whose code is the terminator code 0..255.
inline char abschlusszeichen(int16_t lzAscii) {
  return static_cast<char>(static_cast<uint8_t>(lzAscii));
}

// 5 blanks, a blank, "Fehler", 4 blanks and the terminator character.
QByteArray fehlerDatensatz(int16_t lzAscii);

// Mode, sign, value and unit joined and ended by the terminator character.
// The parts are taken as they are: a part of the wrong width makes a record
// of the wrong length, which the evaluation rejects for its length.
QByteArray normDatensatz(QByteArrayView modus, char vorzeichen, QByteArrayView wert,
                         QByteArrayView einheit, int16_t lzAscii);

// `text` with leading blanks up to `breite` characters; a longer text stays.
QByteArray rechtsbuendig(QByteArrayView text, int breite);

}  // namespace pv
