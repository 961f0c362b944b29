#pragma once

#include <QChar>
#include <QByteArrayView>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace pv {

// The numeric habits the stored files and the displays rely on.

// Rounds to the nearest integer, a value exactly half-way going to the even one
// (2.5 -> 2, 3.5 -> 4), as every integer conversion of the program does.
double rundeHalbGerade(double x);

// A finite value as single precision; empty beyond its range (the overflow
// of the conversion).
std::optional<float> alsSingle(double x);

// Converts to a 16-bit or 32-bit integer by rounding half to even; empty when
// the result does not fit (the overflow of the conversion).
std::optional<int16_t> ganzzahl16(double x);
std::optional<int32_t> ganzzahl32(double x);

// The leading number of a text, "." being the decimal mark: blanks, tabs and
// line feeds are passed over anywhere, an optional sign, digits, a fraction
// and an exponent ("E" or "D") are taken up to the first other character;
// "&H" and "&O" introduce hexadecimal and octal numbers. A text without a
// leading number gives 0.
double val(QStringView text);

// Reads a whole text as a number, as typed by a user or stored in a settings,
// device or sensor file: blanks around it, an optional sign, digits with one
// decimal mark and an optional exponent. The decimal mark is the system's
// separator; the other one of "," and "." is accepted too, so files written
// under either locale read alike. Empty when the text is not such a number
// or lies beyond double precision (a number too small for it reads as 0).
std::optional<double> zahlLesen(QStringView text, QChar dezimaltrennzeichen);
// The same for single-byte text (a record's field), without decoding it.
std::optional<double> zahlLesen(QByteArrayView text, QChar dezimaltrennzeichen);
// A whole text read by zahlLesen as a single-precision number; empty when it
// is no number or lies beyond single precision.
std::optional<float> singleLesen(QStringView text, QChar dezimaltrennzeichen);

// A single-precision value as text in the general form with up to seven
// significant digits: fixed notation from 0.0001 up to below 10^7 ("19990",
// "0,5", "-2,5"), otherwise one digit, the fraction and an exponent of at
// least two digits ("1,234568E+07", "1E-05"). The decimal mark is the given one.
QString singleText(float x, QChar dezimaltrennzeichen);

// Puts the C library's number habits back to "." after the application
// object has given it the user's locale. Libraries that format numbers with
// printf (the spreadsheet writer) must write "." into their files whatever
// the user's locale; the program's own texts take the system's decimal
// separator from QLocale::system(), which this leaves alone. Called by
// anwendungErstellen right after the application object is made.
void cZahlenFestlegen();

}  // namespace pv
