#pragma once

#include <QString>
#include <cstdint>

#include "acquisition/messdaten.h"
#include "acquisition/speichern.h"
#include "main/einstellungen.h"

namespace pv {

// The shared state of the main window and the recordings, in one place for
// the whole run.
struct Hauptmodul {
  // The system's decimal separator, read from the locale at start-up.
  QChar Dezimaltrennzeichen = u',';
  // The settings as read at start-up and written at the end.
  Einstellungen einstellungen;
  // The current measurement.
  Messdaten messdaten;
  // A recording runs (paused or not) / values are being stored now.
  bool MessungLaeuft = false;
  bool AufzeichnungAktiv = false;
  // The measurement is saved (nothing would be lost at exit).
  bool MessungGespeichert = true;
  // How many of its values a file holds: those at its last save of any kind
  // (the user's, the intermediate save, the safety file), or all of a
  // measurement read from a file.
  int32_t WerteGesichert = 0;
  // Graph extent at the start of a recording, seconds.
  float XMaxStart = 300;
  // The running recording's time base and the live graph's extents.
  Aufzeichnungsstand aufzeichnung;
  // The device was connected already when the recording started, so the
  // stop leaves it connected.
  bool VorStartVerbunden = false;
  bool DisplayOffen = false;
  bool TabelleOffen = false;
  bool GrafikFensterOffen = false;
  // The folder of this copy's intermediate and safety saves when it is not
  // the program folder (a further copy on a program folder that a running
  // copy holds, see Ordnersperre); empty: the program folder.
  QString Sicherungsordner;
  // Switched by the hidden keys.
  bool Simulation = false;
  bool DebugDatei = false;
};

Hauptmodul& hauptmodul();

}  // namespace pv
