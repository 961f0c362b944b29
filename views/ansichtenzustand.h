#pragma once

#include "common/plotten.h"
#include "main/einstellungen.h"

class QWidget;

namespace pv {

// The shared state of the views for the whole run.
struct Ansichtenzustand {
  // How the graph window draws: ranges, spacings, grids, fonts, number
  // formats, the look of the current display scheme, the step. The settings
  // fill it at start-up and get it back at the end.
  GrafikEinstellungen GrafikParameter;
  // The print dialog's orientation: 2 across, anything else upright. Not
  // kept in the settings.
  int16_t Druckorientierung = 0;
  // The large display's value font before the digital font was chosen,
  // given back when it is cleared; kept while the display is closed.
  QString SchriftartAlt;
  // The folder chosen last in the graph's bitmap or PDF export; empty
  // until then. Not kept in the settings.
  QString OrdnerGrafikexport;
};

Ansichtenzustand& ansichtenzustand();

// Asks for the file of a bitmap or PDF export of the graph (see
// Dateiauswahl::dateiZumSchreiben). The dialog starts in the folder chosen
// last in one of them, else where the measurements are.
QString grafikexportDatei(QWidget* eltern, const QString& titel, const QString& vorschlag, const QString& filter,
                          const QString& endung);
inline GrafikEinstellungen& grafikParameter() { return ansichtenzustand().GrafikParameter; }

// Fills GrafikParameter from the settings: the graph's stored fields, the
// number formats of both axes and the look of the current display scheme
// (when it names one of the five). Titles and margins are left alone.
void grafikParameterAusEinstellungen(const Einstellungen& e);
// Writes the fields of GrafikParameter that the settings file keeps back
// into the settings.
void grafikParameterInEinstellungen(Einstellungen& e);

}  // namespace pv
