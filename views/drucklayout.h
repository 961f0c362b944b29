#pragma once

#include <QSize>
#include <QSizeF>
#include <QString>
#include <cstdint>
#include <optional>

#include "common/plotten.h"
#include "main/einstellungen.h"

// The printed page's layout without a printer: where the graph goes on the
// page, expressed as the extra offsets of a copy of the graph's record, and
// how its fonts and points scale.
namespace pv {

// What the print dialog's fields say, in millimetres.
struct Drucklayout {
  float breite = 0;  // W
  float hoehe = 0;   // H
  bool horizontalZentriert = true;
  bool vertikalZentriert = true;
  float linkerRand = 0;  // used when not centred horizontally
  float obererRand = 0;  // used when not centred vertically
};

// The record the page is drawn with: a copy of the graph's record, with
// scheme 5's look when the printer uses it, and extra offsets that put the
// graph W x H mm large at its place on a page of `seite` millimetres. Empty
// when W or H is not above 0 or the record's x or y span is 0.
std::optional<GrafikEinstellungen> druckeinstellungen(const GrafikEinstellungen& grafik, bool schemaDrucker,
                                                      const DarstellungsSchema& schema5, const Drucklayout& l,
                                                      QSizeF seite);

// A font size grown by the ratio of target to window height and by f, the
// graph's width against the page's larger side; 0 (automatic) stays 0.
int16_t schriftgroesseSkaliert(int16_t groesse, double hoehenverhaeltnis, double f);
// The record's title and axis fonts scaled so.
void schriftenSkalieren(GrafikEinstellungen& r, double hoehenverhaeltnis, double f);
// f: W against the page's larger side.
double seitenanteil(const Drucklayout& l, QSizeF seite);

// The preview's page box: the page's proportions in a square of `flaeche`
// pixels, its longer side (the height upright, the width across) filling it.
// A page of no height upright (no width across) raises the overflow
// run-time error.
QSize seitenkasten(bool querformat, QSizeF seite, int flaeche);

// The size fields an orientation fills in: the page's width, and half its
// height upright or its whole height across.
std::pair<QString, QString> seitenfelder(bool querformat, QSizeF seite);

}  // namespace pv
