#pragma once

#include <QChar>
#include <QString>
#include <functional>
#include <vector>

#include "devices/sensordatei.h"

namespace pv {

class Eingaben;

// The rules of the sensor editor, without its window.

// Checks an entry before it is saved; the first failing check gives its
// message, an empty text means the entry may be saved. Zeilen are the grid's
// pair rows; the row numbers in the messages count the first pair row as 1.
// Rows with both cells empty are ignored. A designation or label of blanks
// only counts as empty. Commas and double quotes are refused in the
// designation and the labels, and a leading blank in the designation and the
// x label: the file's first lines are comma-delimited fields and would not
// read back as typed.
QString sensorEingabePruefen(const QString& bezeichnung, const QString& xAchse, const QString& yAchse,
                             const std::vector<SensorZellen>& zeilen, QChar dezimaltrennzeichen);

// Asks for the file name of a new sensor, with the designation as default
// text, until the user gives a name no file has yet or cancels (an empty
// text). A name whose last four characters are not ".pvf" in any letter case
// gets ".pvf" appended. `vorhanden` tells whether a file of that name exists.
QString sensorDateinameErfragen(const QString& bezeichnung, Eingaben& eingaben,
                                const std::function<bool(const QString&)>& vorhanden);

// A file name of the program folder: no folder part, and only characters
// the settings file (which keeps the name) can hold.
bool sensorDateinameZulaessig(const QString& name);

// The clipboard text of the grid's clip text (TAB between columns, CR
// between rows): a CR that is not the last character and not followed by LF
// becomes CR LF.
QString sensorZwischenablage(const QString& cliptext);

// Messages of the editor.
inline const QString kSensorSpeicherfehler = QStringLiteral(
    "Beim Speichern der Datei ist ein Fehler aufgetreten.\r\n"
    "Bitte überprüfen Sie alle Eingaben und versuchen Sie es erneut.");

}  // namespace pv
