#pragma once

#include <QChar>
#include <QString>
#include <vector>

namespace pv {

// The answers of a characteristic that gives no value.
inline const QString kSensorUnterhalb = QStringLiteral("OutOfRange_Low");
inline const QString kSensorOberhalb = QStringLiteral("OutOfRange_High");
inline const QString kSensorFehler = QStringLiteral("FEHLER");

// Converts a value through a sensor characteristic by piecewise-linear
// interpolation between its pairs (x and y 1-based, n = x.size() - 1). It
// never extrapolates. The result is the value's standard text with the
// given decimal mark, or:
//  - "OutOfRange_Low" below x(1), "OutOfRange_High" above x(n);
//  - "FEHLER" without a characteristic (nothing read yet, no pair), when no
//    interval holds the value (it is not a number) or when the result lies
//    beyond single precision.
// Only x(1) and x(n) bound the range; inside it the first x(i) >= value
// (i >= 2) ends the interval, so x values that do not ascend still give a
// result and never divide by zero. The line through pairs i-1 and i is
// evaluated in double precision, anchored at the upper pair, and rounded
// once to single precision.
QString Sensor(float Messwert, const std::vector<float>& x, const std::vector<float>& y, QChar dezimaltrennzeichen);

}  // namespace pv
