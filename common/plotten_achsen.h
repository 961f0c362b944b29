#pragma once

#include <cstdint>
#include <utility>
#include <vector>

// The arithmetic of a graph, apart from any drawing: axis ranges, grid
// spacings, grid and dash positions, the values in view and the step. The
// arrays are 1-based like the measurement's (element 0 holds no value).
// Failures (a value that is not finite, a range beyond single precision)
// throw pv::Laufzeitfehler.
namespace pv {

// The power of ten of a value's first digit as one rounded digit shows it:
// 96 is 1E+02, so 2; 0.25 is 3E-01, so -1; 0 gives 0.
int zehnerExponent(float wert);

// The range of one axis and the number of grid intervals it is divided into.
struct Achsenbereich {
  float min = 0;
  float max = 0;
  int exponent = 0;     // the power of ten the range is measured in
  float intervalle = 0;  // after intervalleAnpassen; may be fractional
};

// The range of the values werte[1..n], widened outward to whole multiples of
// 10^e, e being the exponent of the larger magnitude: no value falls outside.
// Values that are not finite are passed over. A range of no width (all
// values equal to such a multiple) grows by 10^e to each side, so a flat
// series still has a height to be drawn in.
Achsenbereich automatischerBereich(const std::vector<float>& werte, int32_t n);

// A given range, kept as it is; exponent and intervals computed alike.
Achsenbereich vorgegebenerBereich(float min, float max);

// The interval rules: fewer than 2 intervals become 4, fewer than 4 are
// doubled, more than 8 halved once.
float intervalleAnpassen(float k);

// The grid spacing of an axis: with a spacing of 0 (or automatisch set) one
// digit times a power of ten near span / intervalle, and automatisch is set;
// otherwise the given spacing's magnitude. Never 0.
float gitterabstandWaehlen(float min, float max, float intervalle, float vorgabe, bool& automatisch);

// Where the other axis crosses this one: 0 when the range spans zero (the
// signs of min and max differ), otherwise min.
float achsenposition(float min, float max);

// One grid line: its counter and its position basis + j * schritt.
struct Rasterlinie {
  int64_t j = 0;
  double wert = 0;
};

// Grid lines from the counter j0 up while the position does not pass ende,
// computed afresh for each j in double precision: a step far below the
// resolution of single precision at the range's magnitude still advances,
// and a last line that lands on ende despite rounding is kept. At most
// maxLinien lines; none for a step that is not positive.
std::vector<Rasterlinie> rasterlinien(double basis, int64_t j0, double schritt, double ende,
                                      int maxLinien = 1000);

// The dashes of a dashed line from von towards bis: each dash [a, a + strich],
// then a gap; a dash that would pass bis is left out. At most 10000 dashes;
// none when strich is not positive or the line runs backwards.
std::vector<std::pair<double, double>> strichabschnitte(double von, double bis, double strich, double luecke);

inline constexpr int kMaxStriche = 10000;

// The indices of the values with xmin <= x[i] <= xmax, for ascending x:
// erster is the first index whose x is not below xmin, letzter the last whose
// x is not above xmax. Empty when no value lies in the range, also when all
// lie left or right of it.
struct SichtbareWerte {
  int32_t erster = 1;
  int32_t letzter = 0;
  bool leer() const { return letzter < erster; }
};
SichtbareWerte sichtbareWerte(const std::vector<float>& x, int32_t n, float xmin, float xmax);

// Every how many values one is drawn: automatically about one per pixel
// column of a surface breite pixels wide, otherwise the given step; at least 1.
int32_t schrittweiteWaehlen(bool automatisch, int32_t vorgabe, const SichtbareWerte& sichtbar, double breite);

// At most this many steps are drawn in one graph.
inline constexpr int32_t kMaxSchritte = 10000;
bool zuVieleSchritte(const SichtbareWerte& sichtbar, int32_t schritt);

}  // namespace pv
