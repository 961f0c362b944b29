#pragma once

class QWidget;

namespace pv {

// Shows the settings dialog "Einstellungen" modally.
void einstellungenZeigen(QWidget* eltern);

}  // namespace pv
