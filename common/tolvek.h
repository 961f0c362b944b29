#pragma once

#include <QDateTime>
#include <QRect>
#include <QString>
#include <cstdint>

namespace pv {
class Meldungen;
class Eingaben;
class Hauptfenster;
}  // namespace pv

// The general module: the shared state of the common services, kept in one
// place for the whole run.
namespace Tolvek {

struct Zustand {
  // Errors handled since the start or since the user last declined to quit.
  int16_t Fehlerzaehler = 0;
  // True while the error handler shows one of its message boxes.
  bool FehlermeldungOffen = false;
  // The application's help file; empty when the start-up found none.
  QString Hilfedatei;
  // The part of the screen that panels and task bars leave free, in pixels.
  QRect Arbeitsbereich;
  // The primary mouse button for TasteGedrueckt: always 1, as Qt reports the
  // primary button as the left one whichever physical button it is.
  int32_t Maustaste = 1;
  // The unit prefix letter the last value formatting left (codes 2 to 7).
  QString Einheitenvorsatz;
  // Start of the current measurement; the date-and-time format counts from it.
  QDateTime MessStartDatumZeit;
  // Where message boxes and input boxes go and the main window's exit; set at start-up,
  // replaced by fakes in tests.
  pv::Meldungen* meldungen = nullptr;
  pv::Eingaben* eingaben = nullptr;
  pv::Hauptfenster* hauptfenster = nullptr;
};

Zustand& zustand();

// The message boxes in use: the one set in the state, else real dialogs.
pv::Meldungen& meldungen();
// The input box in use: the one set in the state, else the real dialog.
pv::Eingaben& eingaben();

}  // namespace Tolvek
