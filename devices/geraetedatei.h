#pragma once

#include <QChar>
#include <QMap>
#include <QString>
#include <array>
#include <cstdint>
#include <optional>

#include "devices/geraetedefinition.h"

namespace pv {

class Meldungen;

// Device files (*.ger). The current generation is a Windows-1252 text of a
// header line and key=value lines, each ended by CR LF. Two older
// generations of comma-separated fields are still read and are converted
// into the current one by the folder scan:
//  - the positional file, whose first field is "[VER3.0]";
//  - the one-line file (name, "DMM" or "Waage", positions, terminator code,
//    serial settings), recognised by any other first field.

inline const QString kGeraetedateiKopf31 = QStringLiteral("[Pelvaron Gerätedatei Version 3.1]");
inline const QString kGeraetedateiKopf30 = QStringLiteral("[Pelvaron Gerätedatei Version 3.0]");
inline const QString kGeraetedateiKopfPositionell = QStringLiteral("[VER3.0]");

// The thirty keys of the current generation in the order they are written.
const std::array<QString, 30>& geraetedateiSchluessel();

// Reads a device file of any generation into `def` (and, when given, the
// texts typed for the three keys kept as typed; old generations get the texts
// eingabetexteAus derives). `dezimal` is the system's decimal separator;
// `programmordner` makes the picture path of a one-line file. Returns 1 when
// the file was read, 0 when not (missing or unreadable file, a numeric key
// missing or not a number, a terminator that is neither a code 0..255 nor R,
// L, {CR}, {LF}, an old file that ends too early, a one-line file of a type
// other than "DMM" and "Waage"). A failed read leaves `def` and `texte` as
// they were. No message is shown; callers report the failure.
int16_t GeraeteDatenLesen(const QString& datei, QChar dezimal, const QString& programmordner,
                          Geraetedefinition& def, GeraeteEingabetexte* texte = nullptr);

// An integer key's value as the reader takes it: a number in the system's
// format (either separator), rounded half to even, that fits 16 bits.
std::optional<int16_t> geraetedateiGanzzahl(const QString& wert, QChar dezimal);

// The terminator key's value as the reader takes it: a code 0..255 (rounded),
// or L / {LF} for 10 and R / {CR} for 13 in any letter case.
std::optional<int16_t> abschlusscodeLesen(const QString& wert, QChar dezimal);

// The texts of a current-generation file by key, for a file that may not
// read as a whole: every key of geraetedateiSchluessel() the file holds, with
// its value as written. A 3.0 file gets "RTS" 0 and "DTR" 1, which is what
// the reader takes for it. Empty when the file cannot be read or its first
// line is no current header.
QMap<QString, QString> geraetedateiTexte(const QString& datei);

// The current-generation file text: the 3.1 header and the thirty key lines,
// each ended by CR LF, and one more CR LF so that the last line is empty.
// Integers are written in decimal, "Skala Maximum" with seven significant
// digits and the given decimal separator, the three typed keys from `texte`.
QString GeraetedateiText(const Geraetedefinition& def, const GeraeteEingabetexte& texte,
                         QChar dezimal);

// Whether every value can stand in a device file: no line end (it would
// break the file into other lines) and every character in Windows-1252.
bool GeraetedateiSpeicherbar(const Geraetedefinition& def, const GeraeteEingabetexte& texte,
                             QChar dezimal);

// Writes GeraetedateiText as Windows-1252, replacing the file atomically.
// False when it cannot be written or a value holds a line end (it would break
// the file into other lines); the file is then left as it was.
bool GeraetedateiSchreiben(const QString& pfad, const Geraetedefinition& def,
                           const GeraeteEingabetexte& texte, QChar dezimal);

// Rewrites an old-generation file in place as a current one: the file is read
// as GeraeteDatenLesen reads it and written by the current writer (numbers
// with "."), so both give the same full scale. `datei` is a bare name in
// `programmordner` or a path. Returns 1 when converted; 0 without a message
// for a one-line file whose type is neither "DMM" nor "Waage"; 0 after the
// message "Beim Konvertieren der Gerätedatei" / the file name as passed / "ist
// ein Fehler aufgetreten." for any other failure. The file is replaced
// atomically, so a failure leaves it unchanged.
int16_t GeraetKonvertierenZuVer3(const QString& datei, const QString& programmordner,
                                 Meldungen& meldungen);

}  // namespace pv
