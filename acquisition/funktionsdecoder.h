#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>

namespace pv {

// Multimeters that send digit values with a function code and a range code.
// A table per model gives mode, unit and the place of the decimal mark; the
// result is the normalised record (normdatensatz.h) ended by the character
// of `lzAscii`. Where a table leaves a field empty (a sub-function or range
// it does not list) the record comes out shorter than 17 characters and the
// evaluation rejects it for its length.
//
// All three are pure and never fail: a record they cannot read gives the
// failure record, a value that cannot be brought to 6 characters "FEHLER".

// 7 bytes: status (bit 3: negative, in the functions that show a sign),
// the digits from the least significant one, function code, range code;
// 128 is taken off status, function and range codes of 128 or more. Fewer
// than 7 bytes: the failure record. A range the function does not list, or
// a digit byte of 10 or more, gives "FEHLER".
QByteArray M980TAuswerten(QByteArrayView datensatz, int16_t lzAscii);

// 19-byte frame from "UU": function (byte 5), sub-function (6), range (8,
// 128 taken off), reading low and high byte (9, 10), sign (11, 0 =
// positive). Not beginning with "UU", or shorter than 11 bytes: the failure
// record. Every reading of the two bytes, 0 to 65535 and the magnitudes of
// the negative ones, is decoded. A range for which the table gives a
// negative number of decimals has no defined reading: its value field is
// "------", which the evaluation does not take as a number.
QByteArray APPA107Auswerten(QByteArrayView datensatz, int16_t lzAscii);

// At most 11 bytes of which only the low four bits count: five digits (most
// significant first), decimal position code, function code, mode code,
// sign (bit 2); bytes 10 and 11 are not used. More than 11 bytes, or fewer
// than the 9 that carry the reading (a record caught in the middle): the
// failure record. A digit above 9 among the first four shows " .OL ".
QByteArray VC960Auswerten(QByteArrayView datensatz, int16_t lzAscii);

}  // namespace pv
