#pragma once

#include <linux/serial.h>

#include <optional>
#include <vector>

namespace pv {

// The line errors the system counts for a serial port since it came up:
// framing, overrun of the port, overflow of the receive buffer, parity.
struct Zeilenfehlerzaehler {
  int frame = 0;
  int ueberlauf = 0;
  int pufferUeberlauf = 0;
  int paritaet = 0;
};

// The counters of the open port `handle`; none for a port that keeps none
// (a pseudo-terminal, a USB adapter whose driver does not count).
std::optional<Zeilenfehlerzaehler> zeilenfehlerLesen(int handle);
// Our counters from the system's.
Zeilenfehlerzaehler zeilenfehlerzaehler(const serial_icounter_struct& z);

// The line events (empfang.h) for the counters that changed from `vorher`
// to `jetzt`, one per counter, in the order of their codes.
std::vector<int> neueZeilenfehler(const Zeilenfehlerzaehler& vorher, const Zeilenfehlerzaehler& jetzt);

}  // namespace pv
