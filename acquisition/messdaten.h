#pragma once

#include <QString>
#include <cstdint>
#include <limits>
#include <new>
#include <vector>

namespace pv {

// How MesBeg and MesEnd hold a date and time.
inline const QString kMesszeitFormat = QStringLiteral("dd.MM.yyyy hh:mm:ss");

// The current measurement: times in seconds since the start and the
// processed values, both 1-based (element 0 holds no value), with the texts
// that describe the measurement.
struct Messdaten {
  std::vector<float> x = std::vector<float>(1, 0.0f);
  std::vector<float> y = std::vector<float>(1, 0.0f);
  int32_t m = 0;
  QString MesBeg;         // "dd.mm.yyyy hh:mm:ss"
  QString MesEnd;         // "dd.mm.yyyy hh:mm:ss"
  QString Messung;        // file name without folder and extension
  QString MessDateiName;  // the file last opened or saved; empty for a new recording
  // The most values the series takes: the count is a 32-bit number.
  int32_t Hoechstzahl = std::numeric_limits<int32_t>::max();

  void leeren() { *this = Messdaten{}; }
  // Appends one value; elements beyond m left by an earlier recording are
  // dropped first, so x and y always hold m + 1 elements afterwards. Throws
  // std::bad_alloc when the series cannot grow (no memory left, or
  // Hoechstzahl values held), leaving it as it was.
  void anhaengen(float zeit, float wert) {
    if (m >= Hoechstzahl) throw std::bad_alloc();
    x.resize(static_cast<size_t>(m) + 1);
    y.resize(static_cast<size_t>(m) + 1);
    x.push_back(zeit);
    try {
      y.push_back(wert);
    } catch (...) {
      x.pop_back();
      throw;
    }
    ++m;
  }
};

}  // namespace pv
