#include "messbeschreibung.h"

#include "main/hauptzustand.h"

namespace pv {

namespace {
MessbeschreibungQuelle& quelle() {
  static MessbeschreibungQuelle q;
  return q;
}
}  // namespace

void messbeschreibungQuelleSetzen(MessbeschreibungQuelle q) { quelle() = std::move(q); }

Messbeschreibung aktuelleMessbeschreibung() {
  if (quelle()) return quelle()();
  const Einstellungen& e = hauptmodul().einstellungen;
  return {e.TextMessBezeichnung, e.TextPhysGr, e.TextZeichen, e.TextEinheit, QString()};
}

}  // namespace pv
