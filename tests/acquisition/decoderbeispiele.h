#pragma once

// Records of the built-in model decoders as the instruments send them, with
// the normalised record each one decodes into (terminator code 13). Kept in
// one place so that tests of the whole acquisition can send the same bytes
// through a serial port.

#include <QByteArrayView>
#include <cstddef>
#include <cstdint>

namespace pvtest {

// A byte literal with its embedded zero bytes (the literal's own final zero
// is not part of it).
template <std::size_t N>
constexpr QByteArrayView bytes(const char (&s)[N]) {
  return QByteArrayView(s, static_cast<qsizetype>(N - 1));
}

struct Decoderbeispiel {
  QByteArrayView satz;      // as framed from the serial port
  QByteArrayView erwartet;  // the normalised record
};

inline constexpr int16_t kBeispielAbschluss = 13;

// Display-segment meter, 14 bytes, showing "-12.34 mV" DC. The upper four
// bits of each byte count the bytes 1..14, so the last one (0xE_) is the end
// mark the framing cuts at. Segment bits set: 3 (DC), 8 (minus), digit codes
// of 1, 2, 3, 4 from bits 5, 13, 21, 29, 24 (decimal mark before the third
// digit), 44 (milli), 51 (volt).
inline constexpr Decoderbeispiel kVC820MinusMilliVolt{
    bytes("\x14\x28\x35\x45\x5B\x69\x7F\x82\x97\xA0\xB8\xC0\xD4\xE0"),
    bytes(" DC  - 12,34mV  \r")};

// Function-code meter, 7 bytes and the terminator CR: status 0x88 (bit 7
// and the minus bit 3), digits 4, 3, 2, 1 from the least significant one,
// function 0 (DC volts) and range 1, both with bit 7 set.
inline constexpr Decoderbeispiel kM980TMinusVolt{
    bytes("\x88\x04\x03\x02\x01\x80\x81\r"),
    bytes("  DC - 1,234  V \r")};

// The same meter in function 11: no reading.
inline constexpr Decoderbeispiel kM980TKeineAnzeige{
    bytes("\x80\x00\x00\x00\x00\x0B\x80\r"),
    bytes(" ---  ------ -- \r")};

// "UU" frame, 19 bytes: function 1 (volts), sub-function 1 (DC), range 1
// (3 decimals), reading 0x04D2 = 1234, positive.
inline constexpr Decoderbeispiel kAPPA107PlusVolt{
    bytes("UU\x00\x0E\x01\x01\x00\x01\xD2\x04\x00\x00\x00\x00\x00\x00\x00\x00\x00"),
    bytes("  DC   1,234  V \r")};

// The same reading negative: 0xFB2E is -1234.
inline constexpr Decoderbeispiel kAPPA107MinusVolt{
    bytes("UU\x00\x0E\x01\x01\x00\x01\x2E\xFB\xFF\x00\x00\x00\x00\x00\x00\x00\x00"),
    bytes("  DC - 1,234  V \r")};

// Nibble meter, 9 bytes and CR LF (framed at LF): digits 0, 1, 2, 3, 4,
// decimal code 2, function 1 (DC volts), mode code 2, sign bit 2 set.
inline constexpr Decoderbeispiel kVC960MinusVolt{
    bytes("\x30\x31\x32\x33\x34\x32\x31\x32\x34\r\n"),
    bytes(" DC  -01,234 V  \r")};

}  // namespace pvtest
