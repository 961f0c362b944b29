#pragma once

#include <QString>
#include <functional>

namespace pv {

// The texts that describe the current measurement, as the main window's
// fields hold them: title, physical quantity, its symbol, the unit and the
// comment. The views read them when they write a header or an export.
struct Messbeschreibung {
  QString Titel;      // TextMessBezeichnung
  QString PhysGr;     // TextPhysGr
  QString Zeichen;    // TextZeichen
  QString Einheit;    // TextEinheit
  QString Kommentar;  // TextKommentar
};

using MessbeschreibungQuelle = std::function<Messbeschreibung()>;

// The main window sets the source that reads its fields. Until then (and
// after an empty source is set) the texts come from the settings in memory,
// without a comment.
void messbeschreibungQuelleSetzen(MessbeschreibungQuelle quelle);
Messbeschreibung aktuelleMessbeschreibung();

}  // namespace pv
