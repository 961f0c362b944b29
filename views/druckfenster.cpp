#include "druckfenster.h"

namespace pv {

void druckfensterZeigen(QWidget*) {}

}  // namespace pv
