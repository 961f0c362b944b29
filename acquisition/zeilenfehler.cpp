#include "zeilenfehler.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "acquisition/empfang.h"

namespace pv {

std::optional<Zeilenfehlerzaehler> zeilenfehlerLesen(int handle) {
  if (handle < 0) return std::nullopt;
  serial_icounter_struct z{};
  if (::ioctl(handle, TIOCGICOUNT, &z) != 0) return std::nullopt;
  return zeilenfehlerzaehler(z);
}

Zeilenfehlerzaehler zeilenfehlerzaehler(const serial_icounter_struct& z) {
  // overrun: the port's own receive register was overwritten; buf_overrun:
  // the system's receive buffer was full.
  return Zeilenfehlerzaehler{z.frame, z.overrun, z.buf_overrun, z.parity};
}

std::vector<int> neueZeilenfehler(const Zeilenfehlerzaehler& vorher, const Zeilenfehlerzaehler& jetzt) {
  std::vector<int> codes;
  // A counter only ever rises, and one that passed its highest value wraps:
  // any change is a new error.
  if (jetzt.frame != vorher.frame) codes.push_back(kFehlerFrame);
  if (jetzt.ueberlauf != vorher.ueberlauf) codes.push_back(kFehlerUeberlauf);
  if (jetzt.pufferUeberlauf != vorher.pufferUeberlauf) codes.push_back(kFehlerPufferUeberlauf);
  if (jetzt.paritaet != vorher.paritaet) codes.push_back(kFehlerParitaet);
  return codes;
}

}  // namespace pv
