#pragma once

#include <QChar>
#include <QString>
#include <cstdint>

namespace pv {

class Tabellenmodell;

// The texts the table window puts on the clipboard: tab-separated lines
// joined by CR LF, without a line end after the last line, taken from the
// grid's texts as they are shown (grid rows from 0, the header row).

// The whole grid, header row included: number, time and value of each row.
QString tabellenText(const Tabellenmodell& gitter);

// The rows of a selection from the current cell (zeile, spalte) to its end
// (endZeile, endSpalte), in grid order whichever way it was dragged; the
// header row is never part of it. A selection one column wide gives that
// column's texts, a wider one time and value (never the number column).
QString auswahlText(const Tabellenmodell& gitter, int32_t zeile, int spalte, int32_t endZeile, int endSpalte);

// The time compression: from the value just before the first jump of 2 or
// more display units, one sample-and-hold line per time unit for 60 units.
struct Zeitverdichtung {
  enum class Ausgang { Text, OhneErgebnis, Fehler };
  Ausgang ausgang = Ausgang::Fehler;
  QString text;  // the clipboard text for Ausgang::Text
};
// A cell that does not read as a number (with the given decimal sign)
// gives Ausgang::Fehler; a table without a jump Ausgang::OhneErgebnis.
Zeitverdichtung zeitVerdichten(const Tabellenmodell& gitter, QChar dezimaltrennzeichen);

inline const QString kZeitverdichtungOhneErgebnis = QStringLiteral("Die Messung ist ohne Ergebnis.");
inline const QString kZeitverdichtungFehler = QStringLiteral("Makroausführung nicht erfolgreich!");

}  // namespace pv
