#include "seriellerport.h"

#include "acquisition/comports.h"
#include "acquisition/portpruefung.h"
#include "acquisition/schnittstellenparameter.h"
#include "common/laufzeitfehler.h"
#include "common/sperrbesitzer.h"

namespace pv {

SeriellerPort::SeriellerPort(QProcessEnvironment umgebung) : umgebung_(std::move(umgebung)) {
  anwenden(port_, *schnittstellenparameterLesen(settings_));
  fehlerMeldung_ = QObject::connect(&port_, &QSerialPort::errorOccurred, &port_,
                                    [this](QSerialPort::SerialPortError fehler) { fehlerGemeldet(fehler); });
}

SeriellerPort::~SeriellerPort() { QObject::disconnect(fehlerMeldung_); }

void SeriellerPort::fehlerGemeldet(QSerialPort::SerialPortError fehler) {
  // A hung-up terminal reads as end of file, which the port reports as a
  // read error and then again on every turn of the event loop; a device
  // that is gone reports a resource error. Either way the port is dead.
  if (fehler != QSerialPort::ReadError && fehler != QSerialPort::ResourceError) return;
  if (schliesst_ || !port_.isOpen()) return;
  schliessen();
  if (verloren) verloren();
}

void SeriellerPort::schliessen() {
  schliesst_ = true;
  port_.close();
  // The next open starts without the dead port's error.
  port_.clearError();
  schliesst_ = false;
}

void SeriellerPort::oeffnenAbgelehnt(const QString& name, const Portbefund& befund) const {
  int nummer = kPortBereitsGeoeffnet;
  if (befund.ursache == PortUrsache::Fehlt || befund.ursache == PortUrsache::KeinGeraet) {
    nummer = kUngueltigePortnummer;
  } else if (befund.ursache == PortUrsache::Anderes) {
    nummer = kHardwareNichtVerfuegbar;
  }
  throw Portfehler(nummer, portfehlerText(commPort_, name, befund));
}

void SeriellerPort::setCommPort(int16_t nummer) {
  if (nummer < 1 || nummer > kComPortAnzahl) {
    throw Laufzeitfehler(kUngueltigePortnummer, QStringLiteral("Ungültige Anschlussnummer"));
  }
  if (port_.isOpen()) {
    throw Laufzeitfehler(kPortBereitsGeoeffnet, QStringLiteral("Anschluss bereits geöffnet"));
  }
  commPort_ = nummer;
}

QString SeriellerPort::pfad() const { return comPortPfad(commPort_, umgebung_); }

QString SeriellerPort::sperrdatei() const { return port_.isOpen() ? sperrdateiPfad(pfad()) : QString(); }

void SeriellerPort::setSettings(const QString& text) {
  const Schnittstellenparameter p = einstellungenPruefen(text);
  if (!anwenden(port_, p)) {
    // An open port refused a value; put back what it had.
    anwenden(port_, *schnittstellenparameterLesen(settings_));
    throw Laufzeitfehler(kUngueltigerEigenschaftswert, kUngueltigerEigenschaftswertText);
  }
  settings_ = text;
}

void SeriellerPort::setRTSEnable(bool an) {
  rts_ = an;
  if (port_.isOpen()) leitungenSetzen();
}

void SeriellerPort::setDTREnable(bool an) {
  dtr_ = an;
  if (port_.isOpen()) leitungenSetzen();
}

void SeriellerPort::setInputMode(int16_t modus) {
  if (modus != 0 && modus != 1) {
    throw Laufzeitfehler(kUngueltigerEigenschaftswert, kUngueltigerEigenschaftswertText);
  }
  inputMode_ = modus;
}

void SeriellerPort::leitungenSetzen() {
  // Pseudo-terminals and some adapters have no modem lines; that is no
  // reason to refuse the connection.
  port_.setRequestToSend(rts_);
  port_.setDataTerminalReady(dtr_);
  port_.clearError();
}

void SeriellerPort::setPortOpen(bool offen) {
  if (!offen) {
    if (port_.isOpen()) schliessen();
    return;
  }
  const QString name = pfad();
  if (port_.isOpen()) oeffnenAbgelehnt(name, Portbefund(PortUrsache::Belegt));
  if (name.isEmpty()) oeffnenAbgelehnt(name, Portbefund(PortUrsache::Fehlt));
  // Looked at first: the open itself could wait on what lies there.
  if (const auto sperre = sperrstelleUntersuchen(name)) oeffnenAbgelehnt(name, *sperre);
  port_.setPortName(name);
  if (!port_.open(QIODevice::ReadWrite)) {
    const auto fehler = port_.error();
    port_.clearError();
    oeffnenAbgelehnt(name, portUntersuchen(name, fehler));
  }
  leitungenSetzen();
  // Noted for an end that cannot close the port.
  sperrdateiMerken(sperrdatei());
  // What reached the port before it was opened belongs to no request and no
  // recording.
  port_.clear(QSerialPort::Input);
  if (geoeffnet) geoeffnet();
}

}  // namespace pv
