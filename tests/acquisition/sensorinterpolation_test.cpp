// Interpolation through the active sensor characteristic.
#include <gtest/gtest.h>

#include <limits>

#include "acquisition/sensorinterpolation.h"

namespace {

TEST(Sensorinterpolation, Cases) {
  struct Fall {
    const char* name;
    std::vector<float> x;  // 1-based
    std::vector<float> y;
    float wert;
    const char* ergebnis;
  };
  const float nan = std::numeric_limits<float>::quiet_NaN();
  const float inf = std::numeric_limits<float>::infinity();
  const Fall faelle[] = {
      {"between two pairs", {0, 0, 10}, {0, 0, 100}, 2.5f, "25"},
      {"at the last x", {0, 0, 10}, {0, 0, 100}, 10, "100"},
      {"at the first x", {0, 0, 10}, {0, 7, 100}, 0, "7"},
      {"at an inner x", {0, 0, 5, 10}, {0, 0, 33, 100}, 5, "33"},
      {"below the first x", {0, 0, 10}, {0, 0, 100}, -0.001f, "OutOfRange_Low"},
      {"above the last x", {0, 0, 10}, {0, 0, 100}, 10.001f, "OutOfRange_High"},
      {"shared inner x: the first of the two", {0, 0, 5, 5, 10}, {0, 0, 1, 2, 3}, 5, "1"},
      {"shared first x: step 3", {0, 1, 1, 10}, {0, 4, 8, 9}, 1, "4"},
      {"one pair, at it", {0, 3}, {0, 9}, 3, "9"},
      {"one pair, below", {0, 3}, {0, 9}, 2, "OutOfRange_Low"},
      {"one pair, above", {0, 3}, {0, 9}, 4, "OutOfRange_High"},
      {"not ascending: only the ends bound", {0, 1, 5, 3}, {0, 0, 4, 2}, 4, "OutOfRange_High"},
      {"not ascending: first x not below", {0, 1, 5, 3, 6}, {0, 0, 4, 2, 5}, 4, "3"},
      {"falling curve", {0, 0, 2}, {0, 1, -1}, 0.5f, "0,5"},
      {"nothing loaded", {}, {}, 1, "FEHLER"},
      {"no pair", {0}, {0}, 1, "FEHLER"},
      {"not a number: no interval", {0, 0, 10}, {0, 0, 100}, nan, "FEHLER"},
      {"result no finite single", {0, 0, 10}, {0, 0, inf}, 5, "FEHLER"},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::Sensor(f.wert, f.x, f.y, u','), QString::fromUtf8(f.ergebnis));
  }
}

}  // namespace
