#pragma once

#include <QString>
#include <cstdint>
#include <optional>

namespace pv {

// What each of the eight range buttons stands for.
struct Groessenordnung {
  double faktor;
  QString text;     // shown beside the buttons
  QString knopf;    // the button's caption
  QString tipp;     // its tool tip
};

// The order of magnitude of range button 0..7 (Mega, Kilo, Milli, Mikro,
// Nano, Piko, Standard, Giga); none for another index.
std::optional<Groessenordnung> groessenordnung(int16_t index);

// Range button `index`: sets Messbereich to the index and, for 0..7, the
// factor; returns the text to show beside the buttons (empty for another
// index, whose factor stays as it was).
QString MessbereichWaehlen(int16_t index);

}  // namespace pv
