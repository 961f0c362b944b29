#include "schnittstellenparameter.h"

#include <QSerialPort>

namespace pv {

bool anwenden(QSerialPort& port, const Schnittstellenparameter& p) {
  if (!anwendbar(p)) return false;
  QSerialPort::Parity paritaet = QSerialPort::NoParity;
  switch (p.paritaet.unicode()) {
    case u'o': paritaet = QSerialPort::OddParity; break;
    case u'e': paritaet = QSerialPort::EvenParity; break;
    case u'm': paritaet = QSerialPort::MarkParity; break;
    case u's': paritaet = QSerialPort::SpaceParity; break;
    default: break;
  }
  QSerialPort::StopBits stopp = QSerialPort::OneStop;
  if (p.stoppbits == Stoppbits::EinsKommaFuenf) stopp = QSerialPort::OneAndHalfStop;
  if (p.stoppbits == Stoppbits::Zwei) stopp = QSerialPort::TwoStop;

  bool ok = port.setBaudRate(p.baud);
  ok = port.setParity(paritaet) && ok;
  ok = port.setDataBits(static_cast<QSerialPort::DataBits>(p.datenbits)) && ok;
  ok = port.setStopBits(stopp) && ok;
  return ok;
}

}  // namespace pv
