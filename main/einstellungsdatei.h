#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>
#include <optional>

#include "main/einstellungen.h"

namespace pv {

// The settings file "Pelvaron.ini" in the program folder: a header line, then
// key=value lines grouped under section headers, Windows-1252 with CR LF. It
// is read once at start-up and written once when the program ends.

inline const QString kIniDatei = QStringLiteral("Pelvaron.ini");
inline const QString kAlteIniDatei = QStringLiteral("Pelvar.ini");
inline const QString kAlteIniDateiUmbenannt = QStringLiteral("Pelvar.old");
inline const QString kIniKopf = QStringLiteral("[Pelvaron-Initialisierungsdatei Version 3.0.2]");

// Results of iniLesen.
enum : int16_t {
  kIniGelesen = 0,     // settings taken over, go on
  kIniLesefehler = 1,  // a key was missing or unreadable: the program must not go on
  kIniStandard = 2,    // the user agreed to the factory defaults (Standardparameter)
  kIniBeenden = 3,     // the user refused the defaults: end the program at once, silently
};

// Reads the settings from the program folder into `e`.
//  - Only "Pelvar.ini" there: it is converted (iniKonvertierenZuVer3) and
//    renamed "Pelvar.old"; result 0. When the conversion fails, the user is
//    asked whether to load the defaults (2) or to end (3).
//  - "Pelvaron.ini" cannot be read: the user is asked likewise (2 or 3).
//  - Its first item is not the header: asked likewise (2 or 3).
//  - Otherwise every key is applied (see iniTextLesen); result 0 or 1.
// Decimal numbers are read with `dezimal` as the mark; the other of "," and
// "." is accepted too.
//
// The window applies the record afterwards, in this order (the order in
// which the reading would have driven the window):
//   1. recent-file menu MLetzte4: one visible element per LetzteDateien entry
//      (indexes 1, 2, ...), the separator element 17 visible when there is any;
//   2. the schemes, AktuellesSchema and the GrafikParameter fields, with
//      GrafikParameter.X/YZahlenformat and X/YNachkommastellen := the number
//      formats;
//   3. TextAufzPause := singleText(Wartezeit, dezimal);
//   4. CommandMB_Click(Messbereich);
//   5. the texts of TextM and TextT, then Sensordatei and Sensorname;
//   6. the processing option by Messwertverarbeitung (2 OptionLinear,
//      3 OptionFühler, else OptionMWMessgerät), running its click handler,
//      which checks the factor texts or loads the sensor file;
//   7. TextMessBezeichnung, TextPhysGr (their change handlers set the graph
//      titles), TextZeichen, TextEinheit;
//   8. LabelOptionFrame_Click(OptionalerFrame);
//   9. OptionWert1 when DisplayanzeigeAuswahl is 1, else OptionWert2;
//  10. the display settings;
//  11. ToolTippsSetzen(1) when e.ToolTippsSetzen.
// The COM port, the menu ticks of MAnimation/MToolTipps and the PC picture
// follow in the start-up sequence itself.
int16_t iniLesen(const QString& programmordner, QChar dezimal, Einstellungen& e);

// Applies the key lines of a settings text (everything after the header) to
// `e`. Every key is tried even after an error. Returns 0, or 1 when an
// integer, colour or single key was missing or not a number (the variable
// then keeps its value). Sets e.ToolTippsSetzen from e.Tooltipps.
int16_t iniTextLesen(const QString& text, QChar dezimal, Einstellungen& e);

// The whole settings file as bytes, written with `dezimal` as the decimal
// mark. CR and LF are taken out of text values so that they cannot break
// the line structure.
QByteArray iniText(const Einstellungen& e, QChar dezimal);

// Writes "Pelvaron.ini" into the program folder by atomic replacement. A
// failure is reported through the common error handler ("Form1 ->
// iniSichern") and leaves the old file as it was; false then. A text the
// code page cannot hold is written with "?" in place of those characters
// and reported likewise, naming its keys; the file is written. A recent
// file whose path it cannot hold is left out of the list instead, without
// a message (letzteDateienSpeicherbar).
bool iniSichern(const QString& programmordner, QChar dezimal, const Einstellungen& e);

// The factory values of the keys that have one: with `standard` those of a
// start without a usable settings file, else only those the conversion of
// the old settings file shares with it.
void werkswerteSetzen(Einstellungen& e, bool standard);

}  // namespace pv
