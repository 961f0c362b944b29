#include "hauptzustand.h"

namespace pv {

Hauptmodul& hauptmodul() {
  static Hauptmodul modul;
  return modul;
}

}  // namespace pv
