#pragma once

#include "devices/schnittstellenparameter.h"

class QSerialPort;

namespace pv {

// Sets baud rate, parity, data bits and stop bits of the port. Nothing is
// changed and false returned when the values are not anwendbar(). An open
// port may refuse a value after it took others: false then, and the caller
// puts the previous settings back (SeriellerPort::setSettings does). Never
// opens or closes the port.
bool anwenden(QSerialPort& port, const Schnittstellenparameter& p);

}  // namespace pv
