#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <array>
#include <cstdint>

namespace pv {

struct Erfassungszustand;

// The large display's geometry and text fitting, without the window: where
// the name, the display panel, the value box, the two unit boxes and the
// option strip go for an inner window size, and which font sizes make the
// texts fill their boxes. Lengths are pixels.

// The smallest inner size of the window.
QSize displayMindestgroesse();

struct Displaygeometrie {
  QRect name;      // measurement name across the top
  QRect panel;     // the coloured display panel
  QRect wert;      // value box
  QRect einheit1;  // unit boxes
  QRect einheit2;
  QRect leiste;    // option strip at the bottom
};

// The window as designed, before its first layout: the unit boxes have
// this size when "###" is first drawn into them, and a unit field shorter
// than two characters keeps the size "###" got there.
Displaygeometrie displayEntwurf();

// The layout for an inner size and the option strip's height. The panel
// keeps its proportions and is as wide as the window allows; when the window
// is too low for the panel and the strip below it, the panel is narrowed
// (and centred) rather than the window grown, so the strip stays inside.
Displaygeometrie displayLayout(QSize innen, int leistenhoehe);

// The controls of the option strip, placed as designed in a strip `breite`
// wide: the value source on the top row and "Display AUS" at its right end;
// below at the left the five style buttons (indexed by style), and right of
// them the "Schrift" and "Hintergrund" frames.
struct Leistengeometrie {
  QRect messgeraet, messwert;  // the two value-source options
  std::array<QRect, 5> stil;   // style buttons by style index
  QRect schrift, hintergrund;  // the two small frames
  QRect fett, digital;         // inside "Schrift"
  QRect hell, dunkel;          // inside "Hintergrund"
  QRect aus;                   // "Display AUS"
};
Leistengeometrie displayLeiste(int breite);

// The number of characters the value box is fitted to: the device's value
// field plus one for the sign; a device without fixed value positions
// counts as a six-character field.
int wertZeichenzahl(const Erfassungszustand& geraet);

// Font sizes (points) that make a text fill a box: the width of `zeichen`
// characters "0" fits the box's width and the font's line height fits its
// height, whichever is tighter. `schrift` gives family and weight.
double wertSchriftgroesse(const QFont& schrift, QSize box, int zeichen);
// The name's size: its text fits the label's width and line height; an
// empty text keeps `bisher`.
double nameSchriftgroesse(const QFont& schrift, QSize box, const QString& text, double bisher);
// The unit sizes: a field of n >= 2 characters fits n "0" to the box's
// width and the line height to its height; an absent or one-character field
// keeps its size. When either field has two or more characters, both take
// the smaller of the two sizes.
std::array<double, 2> einheitSchriftgroessen(const std::array<QFont, 2>& schriften, const std::array<QSize, 2>& boxen,
                                             const std::array<int16_t, 2>& einheit1Pos,
                                             const std::array<int16_t, 2>& einheit2Pos);

// Where and how large one text is drawn into its box.
struct Textplatz {
  double groesse = 0;  // font size for this drawing
  double x = 0;        // left edge of the text
  bool operator==(const Textplatz&) const = default;
};
enum class Ausrichtung { Links = 0, Rechts = 1, Mitte = 2 };
// The value: drawn at its size, from the left, the right or centred; a text
// wider than the box is drawn smaller for this once so that it is never cut.
Textplatz wertPlatzieren(const QFont& schrift, QSize box, const QString& text, Ausrichtung ausrichtung);
// A unit: centred; a text wider or taller than the box shrinks the unit's
// size for good (it grows again with the next layout).
Textplatz einheitPlatzieren(const QFont& schrift, QSize box, const QString& text);

// The five display styles and the two backgrounds.
struct Displaystil {
  QColor hintergrund;
  QColor text;
  QString beschriftung;  // caption of its button
};
// Style 0..4; nothing for any other index.
const Displaystil* displayStil(int16_t index);

struct Displayhintergrund {
  QColor fenster;      // window, option strip and its controls
  QColor text;         // name and option strip texts
  QColor panelRand;    // border of the display panel
  bool nameRahmen;     // the name has a border line
};
Displayhintergrund displayHintergrund(bool hell);

}  // namespace pv
