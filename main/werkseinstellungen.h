#pragma once

#include <QString>
#include <cstdint>

#include "main/einstellungen.h"

namespace pv {

// Gives the settings their factory values, for a start without a usable
// settings file. Only the settings listed for the defaults change; the
// current device, the axis limits and grid spacings, the time-out and limit
// settings, Animationsart, SchemaDrucker and XBeschriftungManuell keep their
// values. `Messbereich` becomes 6, the "Standard" button (factor 1).
// `messordner` becomes the folder of the measurement files; empty, none is
// chosen yet and the file dialogs start in the user's documents folder.
//
// The window then applies the record as after reading (see iniLesen); in
// particular the recent-file elements 1 to 4 are hidden with empty captions
// and the separator element 17 is hidden, `LabelFühler` shows the empty
// sensor name, and the tool-tip texts are not set (ToolTippsSetzen is left
// as it was).
void Standardparameter(Einstellungen& e, const QString& messordner);

// Takes over the settings of the old settings file `iniDatei` (a name in
// the program folder, "Pelvar.ini"): the old device number, the folder of
// the measurement files, the COM port and up to four recent files; every
// other converted setting gets a fixed value (as the defaults, but axis
// lines 2 wide and the font not bold). `Messbereich` becomes 6 ("Standard").
// Returns 0, or 1 after a failure (missing file, fewer than eight items, an
// unreadable number), which has been reported through the common error
// handler as "ini-Konvertieren"; what was taken over before the failure
// stays in `e`. The caller renames the file after a success.
int16_t iniKonvertierenZuVer3(const QString& programmordner, const QString& iniDatei, Einstellungen& e);

}  // namespace pv
