#pragma once

#include <QChar>
#include <QDateTime>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

#include "common/plotten.h"
#include "main/einstellungen.h"
#include "views/messbeschreibung.h"

// What the graph window decides, without the window: reading and writing
// its axis fields in the number formats, the redraw and the zoom with their
// failures, the change of a number format and the display schemes.
namespace pv {

// The number format of one axis's fields.
struct Achsenformat {
  int16_t code = 0;
  int16_t nachkommastellen = 0;
};

// What the axis fields are read and written with.
struct Feldumgebung {
  Achsenformat x;
  Achsenformat y;
  QChar dezimaltrennzeichen = u',';
  QDateTime messStart;  // the date-and-time format (16) counts from it
};

// The code of an interval field: a date-and-time axis (16) shows its
// spacing as "hh:mm:ss" (15); every other code stays.
int16_t intervallCode(int16_t code);

// The widest text a range field of this format shows, in digits "8": the
// range fields are sized to it, so no text of the format is cut.
QString breitesterFeldtext(int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen);

// A value as an axis field shows it ("ERR" when it cannot be shown).
QString feldText(float wert, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen,
                 const QDateTime& messStart);
// The same in an axis's format; with `intervall` in its interval field's.
QString feldText(float wert, const Achsenformat& format, const Feldumgebung& u, bool intervall = false);
// An axis field's text read back in its code; empty when the text is no
// number in that code or lies beyond single precision.
std::optional<float> feldWert(const QString& text, int16_t code, QChar dezimaltrennzeichen,
                              const QDateTime& messStart);

// The controls of one axis, as plain values.
struct Achsenfelder {
  QString minimum;
  QString maximum;
  QString intervall;
  bool minMaxAuto = true;     // CheckMinMaxAuto…
  bool intervallAuto = true;  // CheckIntervallAuto…

  bool operator==(const Achsenfelder&) const = default;
};

struct Grafikfelder {
  Achsenfelder x;
  Achsenfelder y;

  bool operator==(const Grafikfelder&) const = default;
};

// The range of one view.
struct Ansicht {
  float XMin = 0;
  float XMax = 0;
  float YMin = 0;
  float YMax = 0;

  bool operator==(const Ansicht&) const = default;
};
Ansicht ansichtAus(const GrafikEinstellungen& p);
void ansichtSetzen(GrafikEinstellungen& p, const Ansicht& a);

// The y-axis title: the quantity, " " and the symbol when there is one, and
// " (" prefix and unit ")" when there is a unit: "Spannung U (mV)".
QString yTitel(const QString& physGr, const QString& zeichen, const QString& einheit,
               const QString& yBezeichnung);

// Everything besides the fields that a redraw reads.
struct Neuzeichenlage {
  Feldumgebung format;
  int32_t m = 0;
  bool messungLaeuft = false;
  // The running extents of the live graph, used by an automatic axis while
  // a recording runs.
  float autoXMax = 0;
  float autoYMin = 0;
  float autoYMax = 0;
  Messbeschreibung beschreibung;
  QString xBezeichnung;  // x-axis title
  QString yBezeichnung;  // unit prefix of the y format
};

// The plotting routine as the window calls it: the range (0 and 0 for an
// axis taken from the data) and the record; its result code (1 drawn).
using Zeichnen = std::function<int16_t(float& XMin, float& XMax, float& YMin, float& YMax, GrafikEinstellungen& p)>;

// What the window shows after a redraw or a zoom.
struct Zeichenergebnis {
  bool aufgerufen = false;  // the plotting routine was called
  bool gezeichnet = false;  // and drew the graph (result 1)
  bool piepen = false;
  std::optional<QString> meldung;  // LabelMultiF's new text; empty: unchanged
  std::optional<QString> schrittweiteText;  // LabelStep's new text
  // The step-width menu item to mark: 0 automatic, 1 every value, 2 typed;
  // -1 leaves the marks.
  int schrittweiteMarke = -1;
};

// The redraw: turns the fields into a range, sets titles and spacings in the
// record, keeps the view before it in `vorherige`, draws, and on success
// writes the drawn range, spacings and step back into the fields.
//
// Failures beep and leave a text: A "Die Grafik konnte nicht erstellt
// werden!" for a typed minimum not below its maximum; B "Fehler beim
// Erstellen der Grafik: " and the reason when the plotting routine fails
// (the x fields then show the record's range again); C "Fehler bei '" step
// "'. Die Grafik konnte nicht erstellt werden!" when a field cannot be read.
// The record's range always stays that of the last successful drawing.
// No values with an automatic axis: "Es sind keine Messwerte vorhanden."
// and nothing is drawn.
Zeichenergebnis neuZeichnen(Grafikfelder& felder, GrafikEinstellungen& p, Ansicht& vorherige,
                            const Neuzeichenlage& lage, const Zeichnen& zeichnen);

// The rectangle the zoom mode leaves: x from x1 to x2, y from y2 (bottom) to
// y1 (top).
struct Zoomrechteck {
  float x1 = 0;
  float x2 = 0;
  float y1 = 0;
  float y2 = 0;
};

// The zoom: draws the rectangle as the new view; on success the six range
// and interval fields show it and both automatic range boxes are unchecked,
// so later redraws keep it. A rectangle without width or height, or a
// failed drawing: a beep and "Zoomen nicht möglich!".
Zeichenergebnis zoomen(const Zoomrechteck& r, Grafikfelder& felder, GrafikEinstellungen& p, Ansicht& vorherige,
                       const Feldumgebung& format, const Zeichnen& zeichnen);

// Rewrites the three fields of an axis from format code `alt` to `neu`
// (the interval field with intervallCode of both) with the given decimals.
// Equal codes change nothing. A field that cannot be read in the old code
// keeps its text. True when a field changed.
bool zahlenformatAendern(Achsenfelder& felder, int16_t alt, int16_t neu, int16_t nachkommastellen,
                         QChar dezimaltrennzeichen, const QDateTime& messStart);

// The eight look fields of a display scheme into the record.
void schemaAnwenden(GrafikEinstellungen& p, const DarstellungsSchema& s);

// The window's start-up: default ranges when no recording runs (an x range
// without width becomes 300 s with 60 s spacing, a y range without height
// 0..1 with 0.2 spacing), the running extents while one runs.
void ladebereicheSetzen(GrafikEinstellungen& p, bool messungLaeuft, float autoXMax, float autoYMin, float autoYMax);
// Whether the start-up sets the measurement's start to now: only when no
// recording runs and the start is unset or there are no values.
bool messStartNeuSetzen(const QDateTime& messStart, int32_t m, bool messungLaeuft);
// The fields as the start-up fills them from the record; an interval field
// is only written when its spacing is above 0.
void felderLaden(Grafikfelder& felder, const GrafikEinstellungen& p, const Feldumgebung& format);

}  // namespace pv
