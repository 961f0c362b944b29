#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>
#include <vector>

namespace pv {

// The "COM-Port" menu offers COM 1 to COM 10. Each number names one system
// serial port, decided the same way every time so that a number always
// means the same device, whatever is plugged in:
//
//  1. the environment variable PELVARON_COMn, when set and not blank, names
//     the port for COM n (PELVARON_COM3=/dev/ttyUSB0);
//  2. otherwise COM n is /dev/ttyS(n-1) on Linux and other Unix systems
//     (COM 1 = /dev/ttyS0, like the first serial port under DOS and Windows),
//     and COMn itself on Windows.
//
// USB serial adapters (/dev/ttyUSB*, /dev/ttyACM*) therefore need the
// variable; numbering the ports the system lists would shift whenever an
// adapter is added or removed and silently talk to another instrument.

inline constexpr int kComPortAnzahl = 10;

enum class Plattform { Unix, Windows };

// The platform the program was built for.
Plattform eigenePlattform();

// The system port for COM `nummer` (1..10); empty for other numbers.
QString comPortPfad(int nummer, const QProcessEnvironment& umgebung,
                    Plattform plattform = eigenePlattform());

// The same, from the program's own environment.
QString comPortPfad(int nummer);

// One line of the COM-port overview: where COM n goes, whether the
// environment chose it, and whether the system currently lists such a port.
struct ComPortZuordnung {
  int nummer = 0;
  QString pfad;
  bool ausUmgebung = false;
  bool vorhanden = false;

  bool operator==(const ComPortZuordnung&) const = default;
};

// COM 1 to COM 10 with their ports; `systemPorts` are the port paths the
// system lists (systemPorts() below), compared exactly.
std::vector<ComPortZuordnung> comPortUebersicht(const QProcessEnvironment& umgebung,
                                                const QStringList& systemPorts,
                                                Plattform plattform = eigenePlattform());

// The paths of the serial ports the system lists now.
QStringList systemPorts();

}  // namespace pv
