#include "uhr.h"

#include <chrono>
#include <ctime>

namespace pv {

int64_t Uhren::laufzeitMsSystem() {
#ifdef CLOCK_BOOTTIME
  timespec t{};
  if (clock_gettime(CLOCK_BOOTTIME, &t) == 0) return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1'000'000;
#endif
  return std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now().time_since_epoch())
      .count();
}

Uhren& uhren() {
  // Never destroyed: an end through exit() still reads the clocks after
  // the static objects made during the run are gone.
  static Uhren* const u = new Uhren;
  return *u;
}

}  // namespace pv
