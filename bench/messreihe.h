#pragma once

// The long recording the benchmarks work on: 1,000,000 values, one every
// 0.1 s, a slow wave with measurement noise; 1-based like the measurement.
#include <cmath>
#include <cstdint>
#include <vector>

namespace pvbench {

constexpr int kWerte = 1'000'000;

struct Messreihe {
  std::vector<float> x, y;
  Messreihe() : x(kWerte + 1), y(kWerte + 1) {
    for (int i = 1; i <= kWerte; ++i) {
      x[i] = 0.1f * float(i);
      y[i] = 20.0f + 3.0f * std::sin(float(i) / 30000.0f) + float((int64_t(i) * 7919) % 13) * 0.05f;
    }
  }
};

inline const Messreihe& reihe() {
  static const Messreihe r;
  return r;
}

}  // namespace pvbench
