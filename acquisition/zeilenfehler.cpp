#include "zeilenfehler.h"

#include <linux/serial.h>
#include <sys/ioctl.h>

#include "acquisition/empfang.h"

namespace pv {

std::optional<Zeilenfehlerzaehler> zeilenfehlerLesen(int handle) {
  if (handle < 0) return std::nullopt;
  serial_icounter_struct z{};
  if (::ioctl(handle, TIOCGICOUNT, &z) != 0) return std::nullopt;
  return Zeilenfehlerzaehler{z.frame, z.overrun, z.buf_overrun, z.parity};
}

std::vector<int> neueZeilenfehler(const Zeilenfehlerzaehler& vorher, const Zeilenfehlerzaehler& jetzt) {
  std::vector<int> codes;
  if (jetzt.frame > vorher.frame) codes.push_back(kFehlerFrame);
  if (jetzt.ueberlauf > vorher.ueberlauf) codes.push_back(kFehlerUeberlauf);
  if (jetzt.pufferUeberlauf > vorher.pufferUeberlauf) codes.push_back(kFehlerPufferUeberlauf);
  if (jetzt.paritaet > vorher.paritaet) codes.push_back(kFehlerParitaet);
  return codes;
}

}  // namespace pv
