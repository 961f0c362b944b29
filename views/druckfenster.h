#pragma once

class QWidget;

namespace pv {

// Shows the print dialog "Drucken" modally.
void druckfensterZeigen(QWidget* eltern);

}  // namespace pv
