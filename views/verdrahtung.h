#pragma once

namespace pv {

class Programm;
struct Speichereinstellungen;

// Connects the views to the started program, once, after its start-up has
// read the settings:
//  - GrafikParameter is filled from the settings, and written back into
//    them before the exit procedure writes the settings file;
//  - the main window's "Grafik" menu item opens the one graph window (made
//    on first use) or brings it to the front;
//  - the measurement description the views read comes from the main
//    window's text boxes, and the graph's title follows them;
//  - storing a value gets the graph's range and look (grafikWerteUebernehmen);
//  - "Optionen..." of the main window and of the table window show the
//    settings dialog;
//  - the main window's "Display" menu item opens the large display.
// Developers: with PELVARON_GRAFIK set to a measurement file's path, that
// file is opened and the graph window shown right away; with
// PELVARON_DISPLAY set, the large display opens and the current device is
// connected right after the start.
void ansichtenAnschliessen(Programm& programm);

// The graph's range of the last drawing and the look of its curve, for the
// storing step.
void grafikWerteUebernehmen(Speichereinstellungen& s);

}  // namespace pv
