#include "tolvek.h"

#include "meldungen.h"

namespace Tolvek {

Zustand& zustand() {
  static Zustand z;
  return z;
}

pv::Meldungen& meldungen() {
  static pv::DialogMeldungen dialoge;
  Zustand& z = zustand();
  return z.meldungen ? *z.meldungen : dialoge;
}

}  // namespace Tolvek
