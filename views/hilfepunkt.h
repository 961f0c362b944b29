#pragma once

#include <cstdint>

class QAction;
class QMenu;
class QWidget;

namespace pv {

// The item "Hilfe...   F1" of a window's "?" menu, showing the help topic
// `kontext`. Its caption names the key already, so F1 is a shortcut of the
// window rather than of the item, whose own shortcut would show it twice.
QAction* hilfepunktAnlegen(QMenu* menue, QWidget* fenster, int16_t kontext);

}  // namespace pv
