#pragma once

#include <QString>
#include <cstdint>

#include "common/laufzeitfehler.h"
#include "common/zahlen.h"

// Conversions for arithmetic that runs under a trap (the plotting): a result
// that does not fit raises the overflow run-time error instead of wrapping.
namespace pv::geprueft {

[[noreturn]] inline void ueberlauf() {
  throw Laufzeitfehler::ueberlauf();
}

inline float single(double x) {
  const auto f = alsSingle(x);
  if (!f) ueberlauf();
  return *f;
}

inline int16_t int16(double x) {
  const auto i = ganzzahl16(x);
  if (!i) ueberlauf();
  return *i;
}

inline int32_t int32(double x) {
  const auto i = ganzzahl32(x);
  if (!i) ueberlauf();
  return *i;
}

}  // namespace pv::geprueft
