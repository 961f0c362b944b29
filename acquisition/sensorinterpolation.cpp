#include "sensorinterpolation.h"

#include "common/zahlen.h"

namespace pv {

QString Sensor(float Messwert, const std::vector<float>& x, const std::vector<float>& y, QChar dezimal) {
  if (x.size() < 2 || y.size() < x.size()) return kSensorFehler;
  const size_t n = x.size() - 1;
  const float v = Messwert;
  if (v < x[1]) return kSensorUnterhalb;
  if (v > x[n]) return kSensorOberhalb;
  if (v == x[1]) return singleText(y[1], dezimal);

  for (size_t i = 2; i <= n; ++i) {
    if (!(x[i] >= v)) continue;
    const double steigung = (static_cast<double>(y[i]) - y[i - 1]) / (static_cast<double>(x[i]) - x[i - 1]);
    const auto r = alsSingle(static_cast<double>(y[i]) + steigung * (static_cast<double>(v) - x[i]));
    return r ? singleText(*r, dezimal) : kSensorFehler;
  }
  return kSensorFehler;
}

}  // namespace pv
