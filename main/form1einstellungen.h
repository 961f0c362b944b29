#pragma once

#include <QChar>

#include "main/einstellungen.h"

namespace pv {

class Form1;

// Shows the settings in the main window's controls, in the order the
// settings reader would have driven them.
void einstellungenAnwenden(Form1& f, const Einstellungen& e, QChar dezimal);

// Takes what the user changed in the main window back into the settings
// before they are written.
void einstellungenSammeln(const Form1& f, Einstellungen& e, QChar dezimal);

}  // namespace pv
