#pragma once

#include <QChar>
#include <QString>
#include <optional>

#include "main/einstellungen.h"

namespace pv {

class Meldungen;

// The intermediate save's file in the folder of this copy's saves: its
// default, and whether a name may be written to. Any plain file name is,
// except one that would overwrite the program's own files: the settings file
// (and the old one it is converted from), a device or sensor file, the error
// log, the debug file, the safety file, a rescue's name, the lock file, the
// executable, a computer picture or a picture that a device file in the
// program folder names.
inline const QString kStandardZsDatei = QStringLiteral("pvsavezs.mes");
bool zwischenspeicherDateiErlaubt(const QString& name);

// What the long-term measurement dialog shows and the user edits: check
// boxes and the texts of its boxes.
struct Langzeitfelder {
  bool messEndeAuto = false;
  QString messDauer;
  bool stunden = false;  // "Stunden" selected, else "Minuten"
  bool zwischenspeichern = false;
  QString zwischenspeichernMinuten;
  QString zsDatei;
  bool timeOut = false;
  QString timeOutZeit;
  bool min = false;
  QString minWert;
  bool max = false;
  QString maxWert;
};

// The dialog's controls filled from the settings. Loading corrects two
// settings for good (even when the dialog is cancelled): a duration below
// 60 s becomes 60 s, an empty intermediate-save file name "pvsavezs.mes".
Langzeitfelder langzeitfelderLaden(Einstellungen& e, QChar dezimal);

// Checks the dialog's entries in their order and, when all pass, stores
// them in `e`. With intermediate saving on, the intermediate-save file must
// be writable in `ordner`; the check leaves the folder as it was. On a
// refusal the message box has been shown, nothing is stored, and false is
// returned.
bool langzeitfelderUebernehmen(const Langzeitfelder& f, const QString& ordner, QChar dezimal,
                               Einstellungen& e, Meldungen& meldungen);

// The choice of the waiting-time calculator: the option index of the
// duration (0 the free entry, 1..6 for 1, 2, 3, 6, 12, 24 hours, -1 none)
// and of the count (0 the free entry, 1..5 for 1000 ... 30000, -1 none).
struct Wartezeitwahl {
  int dauer = -1;
  QString dauerText;
  int anzahl = -1;
  QString anzahlText;
};

// The calculator: the seconds between two values for the planned duration
// and count, or nothing when it refused or the user declined the question
// about a very long measurement (its messages have been shown).
std::optional<float> wartezeitBerechnen(const Wartezeitwahl& wahl, QChar dezimal, Meldungen& meldungen);

// A waiting time as the calculator and the main window show it: "0" for 0
// or less, else one decimal.
QString wartezeitText(float sekunden, QChar dezimal);

}  // namespace pv
