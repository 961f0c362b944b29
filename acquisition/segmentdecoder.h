#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace pv {

// Multimeters that send the state of their liquid-crystal display: the low
// four bits of each byte are four display segments or symbols (bit 0 first),
// the upper four bits are ignored. Counting these bits through the record
// gives the segment string S (position 1 = bit 0 of the first byte taken);
// the decoders rebuild mode, sign, digits, decimal mark, prefix and unit
// from it and return the normalised record (normdatensatz.h), ended by the
// character of `lzAscii`.
//
// All three are pure and never fail: a record they cannot read gives the
// failure record, a value with more than one decimal mark "FEHLER".

// Record: a first byte that passes (byte & 0x5B) != 0, the segment bytes,
// the terminator. S is built from the 2nd to the second-to-last byte; a
// position beyond the end of a short record is neither set nor clear, and
// a digit whose 8 bits are not all there reads as a blank. Five digits.
QByteArray VC608Auswerten(QByteArrayView datensatz, int16_t lzAscii);

// Record: 14 bytes, all taken into S (56 positions), the last one being the
// end mark of the framing. A shorter record - the tail of a record caught in
// the middle - gives the failure record. Four digits.
QByteArray VC820Auswerten(QByteArrayView datensatz, int16_t lzAscii);

// As VC820Auswerten, with the unit "hFE" and the degree sign on another bit.
QByteArray DT4000ZCAuswerten(QByteArrayView datensatz, int16_t lzAscii);

}  // namespace pv
