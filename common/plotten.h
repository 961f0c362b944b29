#pragma once

#include <QChar>
#include <QColor>
#include <QString>
#include <cstdint>
#include <vector>

#include "common/plotten_flaeche.h"

namespace pv {

// How a graph looks: the record the graph window (GrafikParameter), the
// sensor editor (KennlinieGrafik) and the print dialog (a copy) hand to
// Tolvek::GrafikZeichnen. Fields marked "written" are changed by the drawing.
struct GrafikEinstellungen {
  QString Titel;   // bold, centred above the plotting area
  QString XTitel;  // bold, below the x labels
  QString YTitel;  // turned by 90 degrees, left of the y labels
  // Margins as fractions of the axis span (x span for left/right, y span for
  // top/bottom); all four 0 means 0.2, 0.1, 0.2, 0.2. Written: the margins used.
  float RandLinks = 0;
  float RandRechts = 0;
  float RandOben = 0;
  float RandUnten = 0;
  // Further fractions added to the margins for the coordinate system only
  // (placement on the printed page); they stay unpainted.
  float ZusatzLinks = 0;
  float ZusatzRechts = 0;
  float ZusatzOben = 0;
  float ZusatzUnten = 0;
  QString Schriftart;  // empty: "Arial" (the turned y title: the default font)
  bool SchriftbildFett = false;     // tick labels and the y title bold
  int16_t SchriftgroesseTitel = 0;  // points; 0 or less automatic
  int16_t SchriftgroesseAchsen = 0;  // labels and axis titles; 0 or less automatic
  int16_t XNachkommastellen = 0;
  int16_t XZahlenformat = 0;  // number format code of the x labels
  int16_t YNachkommastellen = 0;
  int16_t YZahlenformat = 0;
  // Colours 0x00BBGGRR.
  uint32_t FarbeHintergrund = 0;        // margins
  uint32_t FarbeMesskurve = 0;          // points and lines of the values
  uint32_t FarbeTextLinien = 0;         // texts, axes, ticks, grid
  uint32_t FarbeZeichnungsflaeche = 0;  // plotting area
  float GitterabstandX = 0;  // written: the spacing used
  bool GitterabstandAutoX = false;  // written: set when the spacing was chosen
  bool GitterX = false;             // vertical dashed grid lines
  float GitterabstandY = 0;
  bool GitterabstandAutoY = false;
  bool GitterY = false;
  // The caller's wish for ranges from the data (it then passes 0 and 0);
  // not read by the drawing.
  bool MinMaxAutoX = false;
  bool MinMaxAutoY = false;
  // Written: the range of the last graph completely drawn with this record.
  float XMin = 0;
  float XMax = 0;
  float YMin = 0;
  float YMax = 0;
  int16_t LiniendickeAchsen = 0;  // pixels; below 1 counts as 1
  int16_t LiniendickeGitter = 0;  // grid and ticks
  int16_t MesspunkteAnzeigen = 0;  // 1 draw point markers, 0 not
  int16_t Messpunktgroesse = 0;    // pixels
  int16_t MesswerteVerbunden = 0;  // 1 connect the values by lines
  int16_t Liniendicke = 0;         // connecting lines, pixels; below 1 counts as 1
  bool SchrittweiteAutomatisch = false;  // about one value per pixel column
  int32_t Schrittweite = 0;  // every n-th value; written: the step used
  // The graph goes to the printer. Kept for the callers; the painter turns
  // the y title on any device, so the drawing needs no printer context.
  bool Druckausgabe = false;
};

}  // namespace pv

namespace Tolvek {

// Results of GrafikZeichnen.
inline constexpr int16_t kGrafikNichts = 0;         // nothing drawn
inline constexpr int16_t kGrafikFertig = 1;         // graph complete
inline constexpr int16_t kGrafikFehlerBereich = 2;  // ranges, spacings, scale, fonts, background, title
inline constexpr int16_t kGrafikFehlerRaster = 3;   // grids, labels, x title
inline constexpr int16_t kGrafikFehlerYTitelLage = 4;
inline constexpr int16_t kGrafikFehlerAchsen = 5;  // y title, axes, visible values and step
inline constexpr int16_t kGrafikZuVieleWerte = 6;  // more than 10000 steps: all but the values drawn
inline constexpr int16_t kGrafikFehlerWerte = 7;   // points and lines

// Draws the values X[1..n], Y[1..n] (1-based, n = X.size() - 1, Y at least
// as long) as a complete graph on ziel: background, plotting area, title,
// dashed grid, ticks and labels, axis titles, axes, then points and lines.
//
// An axis whose range is given as 0 and 0 takes its range from all values,
// widened to whole multiples of a power of ten; the caller's variables then
// receive that range at once (also when a later step fails). A range whose
// two values are equal and not 0 draws nothing (result 0, surface untouched);
// no values with an automatic axis clears the surface and gives 0.
//
// Labels are formatted by the record's number format codes with the given
// decimal separator (code 16 counts from the shared MessStartDatumZeit).
// With SchrittweiteAutomatisch about one value per column of device pixels
// is drawn; more than 10000 steps in view give result 6 with everything but
// the values drawn. After a failure the surface is cleared (unless it is the
// printer) and the result names the stage (2, 3, 4, 5, 7). No message is
// shown.
//
// On result 1 the record's XMin..YMax and margins and the surface's
// letzteGrafik receive the range drawn. The surface keeps the user scale of
// the graph afterwards in every case past the range stage.
int16_t GrafikZeichnen(pv::Zeichenflaeche& ziel, float& XMin, float& XMax, float& YMin, float& YMax,
                       const std::vector<float>& X, const std::vector<float>& Y, pv::GrafikEinstellungen& einstellungen,
                       QChar dezimaltrennzeichen);

// A dashed line in user units: horizontal when y1 == y2 (from x1 towards x2),
// otherwise vertical at x1 (from y1 towards y2). Dashes of strichlaenge with
// gaps of lueckenlaenge; a dash that would pass the end is left out; at most
// 10000 dashes; a line running towards smaller coordinates draws nothing.
void LinieGestrichelt(pv::Zeichenflaeche& ziel, double strichlaenge, double lueckenlaenge, double x1, double y1,
                      double x2, double y2, const QColor& farbe, double breite);

// A text turned by winkel degrees counter-clockwise about its unturned top
// left corner (x, y), in the surface's pixels, in the record's font (an
// empty font name is the default font), bold when SchriftbildFett,
// schriftgroesse points.
void RotierterText(pv::Zeichenflaeche& ziel, const pv::GrafikEinstellungen& einstellungen, int32_t x, int32_t y,
                   int32_t winkel, const QString& text, double schriftgroesse, const QColor& farbe);

}  // namespace Tolvek
