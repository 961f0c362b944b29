#pragma once

#include <QSerialPort>
#include <QString>
#include <optional>
#include <utility>

namespace pv {

// Why a serial port did not open. The port's own error cannot tell a
// missing permission from a port in use, so after a failed open the path
// itself is looked at. Nothing here opens the path: a FIFO or a dead device
// cannot make the connect hang.
enum class PortUrsache {
  Fehlt,            // nothing at the path
  KeinGeraet,       // a file, a folder, a FIFO ... instead of a device
  KeinZugriff,      // this user may not read and write the device
  VerwaisteSperre,  // a lock file left by an ended program, which this user cannot remove
  FremdeSperre,     // something other than a file where the port's lock file goes
  Belegt,           // another program holds the port, by its lock file when named
  Anderes,          // the device refused for another reason
};

struct Portbefund {
  Portbefund() = default;
  explicit Portbefund(PortUrsache u, QString a = {}, QString g = {}, QString s = {}, QString p = {})
      : ursache(u), art(std::move(a)), gruppe(std::move(g)), sperrdatei(std::move(s)), prozess(std::move(p)) {}

  PortUrsache ursache = PortUrsache::Anderes;
  QString art;         // KeinGeraet, FremdeSperre: what lies there ("eine Datei")
  QString gruppe;      // KeinZugriff: the group whose members may use the device;
                       // empty where joining a group would not help
  QString sperrdatei;  // VerwaisteSperre, FremdeSperre, Belegt: the lock file
  QString prozess;     // Belegt: the running process the lock file names ("1234 (minicom)")
};

// The cause of a failed open of `pfad`; `fehler` is what the port reported,
// which decides between "in use" and any other refusal once the path shows
// nothing wrong.
Portbefund portUntersuchen(const QString& pfad, QSerialPort::SerialPortError fehler);

// Looks at the place of the port's lock file before the port is opened,
// without opening anything there but a regular file. Anything but a regular
// file is refused: the lock folder is open to every user, and a FIFO put
// there would make the open wait for a writer. A lock file whose owner runs
// (sperrbesitzerLaeuft) means the port is in use. Nothing when the place is
// free or holds a lock of an ended process, or of an id that another
// program has now (or none that can be read), which the open may then
// replace.
std::optional<Portbefund> sperrstelleUntersuchen(const QString& pfad);

// The lock file the serial port takes for `pfad` (LCK..name in the first
// usable lock folder, as Qt chooses it); empty when no folder is usable.
QString sperrdateiPfad(const QString& pfad);

// The message for the user: names COM n and the path, says what is wrong
// and what helps.
QString portfehlerText(int comPort, const QString& pfad, const Portbefund& befund);

}  // namespace pv
