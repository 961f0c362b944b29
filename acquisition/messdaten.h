#pragma once

#include <QString>
#include <cstdint>
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

  void leeren() { *this = Messdaten{}; }
  void anhaengen(float zeit, float wert) {
    x.push_back(zeit);
    y.push_back(wert);
    ++m;
  }
};

}  // namespace pv
