#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <cstdint>

// Values and times as display text by number format code, and back.
//
// Codes: 0 and 10 fixed, 1 exponent "E+00", 2..7 with the prefixes M, k, m,
// µ, n, p, 8 exponent "E+0", 9 nothing, 11 minutes, 12 hours, 13 "mm:ss",
// 14 "hh:mm", 15 "hh:mm:ss", 16 "dd.mm.yyyy hh:mm:ss" counted from the start
// of the measurement. Number texts have n decimals and the given decimal
// separator; the time codes 13 to 16 ignore n.
namespace Tolvek {

// The text of one formatting and the unit prefix it calls for ("" unless
// code 2 to 7).
struct Formatiert {
  QString text;
  QString vorsatz;
};

// Formats x by code with n decimals. The text is "ERR" when the value cannot
// be shown (a scaled value beyond single precision, a time beyond 32767
// hours, a date outside the years 100 to 9999, a value that is no number,
// negative n) and empty for code 9 and for codes outside 0 to 16.
Formatiert zahlFormatieren(float x, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen,
                           const QDateTime& messStart);

// As zahlFormatieren, counting code 16 from MessStartDatumZeit of the shared
// state, and leaving the prefix in Einheitenvorsatz there ("" unless code 2
// to 7) for the caller that writes the unit beside the value.
QString ZahlFormatieren(float x, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen);

// The clock texts of codes 13 ("mm:ss", minutes past 59), 14 ("hh:mm", hours
// past 23) and 15 ("hh:mm:ss"); parts are cut off, not rounded. A negative
// time is "-" and the text of its magnitude. "ERR" from 32768 hours on;
// empty for other codes.
QString ZeitFormatieren(float sekunden, int16_t code);

// Reads a text written in a code back into the value in base units (seconds
// for the time codes), returned as single-precision text with the given
// separator; "ERR" when the text is no number or too short for its code.
// Codes 8, 9 and those outside 0 to 16 give "0" whatever the text.
QString ZahlEinlesen(const QString& text, int16_t code, QChar dezimaltrennzeichen, const QDateTime& messStart);

// As above, code 16 counting from MessStartDatumZeit of the shared state.
QString ZahlEinlesen(const QString& text, int16_t code, QChar dezimaltrennzeichen);

}  // namespace Tolvek
