#pragma once

#include <QByteArray>
#include <QChar>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <optional>

#include "acquisition/messdaten.h"
#include "views/messbeschreibung.h"
#include "views/tabellenlogik.h"

namespace pv {

// Export of a measurement to a text file: the header block, then one line
// per value with its number, time and value. Windows-1252, CR LF.

// The first line of every export file.
inline const QString kExportKennung = QStringLiteral("[Pelvaron 3.1 Exportdatei]");

// The column separators the dialog offers, in the order of its options.
enum class Trennzeichenwahl { Tabstop = 0, Semikolon = 1, Komma = 2, Leerzeichen = 3, Anderes = 4 };
// The separator written for a choice; "Anderes" writes the typed text as
// it is (any length, also empty).
QString trennzeichen(Trennzeichenwahl wahl, const QString& anderes);

// What every export writes and how its numbers are formatted.
struct Exportformat {
  Bereich bereich;
  // The decimal sign chosen for the file and the one the numbers are
  // formatted with (the system's).
  QChar dezimalzeichen = u',';
  QChar systemDezimalzeichen = u',';
  int16_t xCode = 10;
  int16_t xNachkommastellen = 0;
  int16_t yCode = 0;
  int16_t yNachkommastellen = 0;
  QDateTime messStart;  // code 16 counts from it
};

struct ExportOptionen : Exportformat {
  QString trennzeichen = QStringLiteral("\t");
};

// Replaces the first occurrence of `alt` in `text` by `neu`; the text as it
// is when `alt` does not occur (or is empty).
QString DezimalzeichenErsetzen(const QString& text, const QString& alt, const QString& neu);

// The header block up to and including "Daten:". The "gemessen:" line names
// the unit with the prefix the values are written in (y codes 2 to 7), so
// that it matches the numbers below it. Line breaks inside the comment are
// written as CR LF; the comment is put in quotes as it is.
QByteArray exportKopf(const Messdaten& daten, const Messbeschreibung& beschreibung, int16_t yCode);

// Appends the line of value i.
void exportZeileAnhaengen(QByteArray& ziel, const Messdaten& daten, int32_t i, const ExportOptionen& optionen);

// The whole file.
QByteArray exportText(const Messdaten& daten, const Messbeschreibung& beschreibung, const ExportOptionen& optionen);

// The progress in whole percent shown before the k-th value (k from 1) is
// written; 0 when the range holds one value.
int32_t exportFortschritt(int32_t k, const Bereich& bereich);

// An export that runs value by value, so the dialog can show progress and
// stop between two values. It works on its own copy of the measurement, so
// a recording that changes the measurement meanwhile cannot disturb it.
class TextExportLauf {
 public:
  TextExportLauf(Messdaten daten, const Messbeschreibung& beschreibung, ExportOptionen optionen);

  bool fertig() const { return k_ > anzahl_; }
  // The running count of the next value (1 for the first).
  int32_t k() const { return k_; }
  int32_t anzahl() const { return anzahl_; }
  int32_t fortschritt() const { return exportFortschritt(k_, optionen_.bereich); }
  // Writes the next value's line.
  void weiter();
  // What is written so far: the header and the lines of the values done.
  const QByteArray& bytes() const { return bytes_; }

 private:
  Messdaten daten_;
  ExportOptionen optionen_;
  QByteArray trenner_;
  QByteArray bytes_;
  int32_t anzahl_ = 0;
  int32_t k_ = 1;
};

// ---- The export dialog's range ---------------------------------------------

// Checks the dialog's "Von" range against m values, in the order the user is
// told about problems: unreadable "Von" and "Bis", "Von" below 1, "Bis"
// beyond m, "Von" not below "Bis", an unreadable step (below 1 counts as 1).
Bereichspruefung exportbereichPruefen(const QString& von, const QString& bis, const QString& schritt, int32_t m,
                                      QChar dezimaltrennzeichen);

// The message when there is nothing to export.
Ablehnung keineMesswerteZumExport();

// The table window's range fields, when it is open.
struct TabellenFelder {
  QString von;
  QString bis;
  QString schritt;
};

// What the dialog shows when it opens.
struct ExportVorgaben {
  bool alle = true;
  QString von;
  QString bis;
  QString schritt;
};

// Without the table window: all values, the step that keeps an export below
// 65536 values. With it: its range ("alle" when it lists 1 to m) and step.
ExportVorgaben exportVorgaben(int32_t m, const std::optional<TabellenFelder>& tabelle, QChar dezimaltrennzeichen);

}  // namespace pv
