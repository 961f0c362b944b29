#pragma once

#include <QProcessEnvironment>
#include <QSerialPort>
#include <QString>
#include <cstdint>
#include <functional>

#include "common/laufzeitfehler.h"

namespace pv {

struct Portbefund;

// A port that did not open; its text is the message for the user.
class Portfehler : public Laufzeitfehler {
 public:
  using Laufzeitfehler::Laufzeitfehler;
};

// The main window's serial port: a QSerialPort with the properties the
// acquisition works with. Values set while the port is closed are kept and
// take effect when it opens; values set while it is open apply at once.
// Refused values raise a Laufzeitfehler with the numbers below.
class SeriellerPort {
 public:
  static constexpr int kUngueltigePortnummer = 8002;
  static constexpr int kPortBereitsGeoeffnet = 8005;
  static constexpr int kHardwareNichtVerfuegbar = 8010;

  // `umgebung` decides which system port each COM number names (comports.h).
  explicit SeriellerPort(QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment());
  ~SeriellerPort();

  // Called once when the port goes away under an open connection: the far
  // end hung up (a pulled cable or adapter, an ended pseudo-terminal) or a
  // read failed. The port is closed by then, so nothing waits on the dead
  // port any more.
  std::function<void()> verloren;
  // Called each time the port has opened, before anything it receives is
  // handed on.
  std::function<void()> geoeffnet;

  // COM number 1..10; another number, or a change while open, is refused.
  int16_t CommPort() const { return commPort_; }
  void setCommPort(int16_t nummer);
  // The system port of the current COM number.
  QString pfad() const;

  // Serial settings text (schnittstellenparameter.h); a text the port cannot
  // use is refused with error 380 and changes nothing. Starts as "9600,n,8,1".
  const QString& Settings() const { return settings_; }
  void setSettings(const QString& text);

  // The RTS and DTR lines. A port without modem lines (a pseudo-terminal)
  // passes them over.
  bool RTSEnable() const { return rts_; }
  void setRTSEnable(bool an);
  bool DTREnable() const { return dtr_; }
  void setDTREnable(bool an);

  // How received data is handed on: 0 text, 1 binary; other values refused.
  int16_t InputMode() const { return inputMode_; }
  void setInputMode(int16_t modus);

  // Opening applies settings and lines and discards the input waiting in
  // the port. A refusal is a Portfehler whose text names the port and the
  // cause (portpruefung.h), numbered 8002 (nothing or no device at the
  // path), 8005 (no permission, a stale lock or no file at the lock's place,
  // held by someone else, open already) or 8010 (any other failure).
  bool PortOpen() const { return port_.isOpen(); }
  void setPortOpen(bool offen);

  // The lock file the open port holds (portpruefung.h); empty while closed.
  QString sperrdatei() const;

  QSerialPort& port() { return port_; }

 private:
  void leitungenSetzen();
  void fehlerGemeldet(QSerialPort::SerialPortError fehler);
  void schliessen();
  [[noreturn]] void oeffnenAbgelehnt(const QString& name, const Portbefund& befund) const;

  QProcessEnvironment umgebung_;
  QSerialPort port_;
  int16_t commPort_ = 1;
  QString settings_ = QStringLiteral("9600,n,8,1");
  bool rts_ = false;
  bool dtr_ = false;
  int16_t inputMode_ = 0;
  bool schliesst_ = false;  // closing a hung-up port may report errors itself
  QMetaObject::Connection fehlerMeldung_;
};

}  // namespace pv
