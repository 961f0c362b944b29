#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

#include "common/meldungen.h"

namespace pv {

// Decisions of the start-up and the exit that need no window.

// The help file: "Pelvaron.hlp" in the program folder, else
// "Pelvaron_ob.hlp", else none (empty).
QString hilfedateiWaehlen(const QString& programmordner);

// The decimal separator the locale gives; empty when it gives none.
QString dezimaltrennzeichenAusLocale(const QLocale& locale);

// The measurement file named on the command line: all arguments after the
// program's own name, joined by blanks, taken as one path. Enclosing double
// quotes are removed only as a pair.
QString kommandozeilenPfad(const QStringList& argumente);

// What the exit procedure decides before the settings are written.
struct Beendenlage {
  bool messungLaeuft = false;      // a recording runs or is paused
  bool messungGespeichert = true;  // the measurement is saved
  int32_t anzahlWerte = 0;         // values in the measurement
};

// Values that ending the program would lose: the measurement holds values
// not saved since (a running or paused recording's among them).
bool ungespeicherteWerte(const Beendenlage& lage);

// Asks what must be asked; true when the program may end now.
bool beendenErlaubt(const Beendenlage& lage, Meldungen& meldungen);

}  // namespace pv
