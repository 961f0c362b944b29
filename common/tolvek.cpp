#include "tolvek.h"

#include "eingabebox.h"
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

pv::Eingaben& eingaben() {
  static pv::DialogEingaben dialog;
  Zustand& z = zustand();
  return z.eingaben ? *z.eingaben : dialog;
}

}  // namespace Tolvek
