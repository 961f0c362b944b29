#pragma once

#include <QDateTime>
#include <cstdint>
#include <functional>

namespace pv {

// The two clocks the program reads. Durations (the times of a recording's
// values, waiting times, save intervals, the set duration) come from the
// running clock, which nobody sets and which goes on counting while the
// computer sleeps; setting the wall clock, midnight or a time taken from the
// network leaves them alone. The wall clock gives only the points in time a
// user reads, such as a measurement's start and end.
struct Uhren {
  // Milliseconds on the running clock from an arbitrary origin: only
  // differences mean anything.
  std::function<int64_t()> laufzeitMs = laufzeitMsSystem;
  // The local date and time.
  std::function<QDateTime()> jetzt = [] { return QDateTime::currentDateTime(); };

  // The running clock of the system: CLOCK_BOOTTIME where there is one.
  static int64_t laufzeitMsSystem();
};

// The clocks of this run; a test puts clocks of its own in their place and
// restores them with `uhren() = Uhren{}`.
Uhren& uhren();

}  // namespace pv
