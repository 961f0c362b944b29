#include "plotten_achsen.h"

#include <QDateTime>
#include <cmath>
#include <limits>

#include "allgemein.h"
#include "geprueft.h"
#include "laufzeitfehler.h"
#include "zahlen.h"
#include "zahlenformat.h"

namespace pv {

using namespace geprueft;

namespace {

// A quotient this close to a whole number counts as that number: single
// values such as 0.3 are not exact multiples of 0.1.
constexpr double kGanzToleranz = 1e-5;

// The largest whole multiple of p, as single, that is not above v.
float vielfachesDarunter(float v, double p) {
  const double q = v / p;
  double k = std::nearbyint(q);
  if (std::fabs(q - k) > kGanzToleranz) k = std::floor(q);
  while (single(k * p) > v) k -= 1;
  return single(k * p);
}

// The smallest whole multiple of p, as single, that is not below v.
float vielfachesDarueber(float v, double p) {
  const double q = v / p;
  double k = std::nearbyint(q);
  if (std::fabs(q - k) > kGanzToleranz) k = std::ceil(q);
  while (single(k * p) < v) k += 1;
  return single(k * p);
}

double zehnHoch(int e) { return std::pow(10.0, e); }

// The smallest and largest finite value of w[0..n-1]; (inf, -inf) when there
// is none. Eight independent lanes of branch-free selections let the
// compiler use vector instructions: one pass over a long recording runs at
// memory speed.
std::pair<float, float> endlicheSpanne(const float* w, int32_t n) {
  constexpr int kSpuren = 8;
  constexpr float kGroesste = std::numeric_limits<float>::max();
  float unten[kSpuren], oben[kSpuren];
  for (int k = 0; k < kSpuren; ++k) {
    unten[k] = std::numeric_limits<float>::infinity();
    oben[k] = -std::numeric_limits<float>::infinity();
  }
  const auto nehmen = [&](int k, float v) {
    const bool endlich = std::fabs(v) <= kGroesste;  // false for infinities and NaN
    unten[k] = endlich && v < unten[k] ? v : unten[k];
    oben[k] = endlich && v > oben[k] ? v : oben[k];
  };
  int32_t i = 0;
  for (; i + kSpuren <= n; i += kSpuren)
    for (int k = 0; k < kSpuren; ++k) nehmen(k, w[i + k]);
  for (; i < n; ++i) nehmen(0, w[i]);
  for (int k = 1; k < kSpuren; ++k) {
    unten[0] = std::min(unten[0], unten[k]);
    oben[0] = std::max(oben[0], oben[k]);
  }
  return {unten[0], oben[0]};
}

Achsenbereich bereichMitIntervallen(float min, float max, int e) {
  Achsenbereich b;
  b.min = min;
  b.max = max;
  b.exponent = e;
  b.intervalle = intervalleAnpassen(int16(single(double(max) - double(min)) / zehnHoch(e)));
  return b;
}

// The first index from i to n whose value is not below grenze (n + 1 when
// there is none), looked for in blocks of eight without branches inside a
// block, so that a long run of values below is passed at memory speed.
int32_t ersterAbBis(const float* w, int32_t i, int32_t n, float grenze) {
  constexpr int kBlock = 8;
  for (; i + kBlock - 1 <= n; i += kBlock) {
    bool treffer = false;
    for (int k = 0; k < kBlock; ++k) treffer |= w[i + k] >= grenze;
    if (treffer) break;
  }
  while (i <= n && !(w[i] >= grenze)) ++i;
  return i;
}

}  // namespace

int zehnerExponent(float wert) {
  // The exponent of the one-digit exponent form, whose rounding may carry
  // the mantissa into the next power (9.6 -> 1E+01).
  const QString s = Tolvek::zahlFormatieren(wert, 1, 0, u'.', QDateTime()).text;
  const qsizetype e = s.indexOf(u'E');
  if (e < 0) ueberlauf();
  bool ok = false;
  const int exponent = s.mid(e + 1).toInt(&ok);
  if (!ok) ueberlauf();
  return exponent;
}

Achsenbereich automatischerBereich(const std::vector<float>& werte, int32_t n) {
  const int32_t ende = static_cast<int32_t>(std::min<int64_t>(n, static_cast<int64_t>(werte.size()) - 1));
  const auto [min, max] = endlicheSpanne(werte.data() + 1, ende);
  if (min > max) ueberlauf();  // no finite value

  const int e = zehnerExponent(Tolvek::Maximum(std::fabs(min), std::fabs(max)));
  const double p = zehnHoch(e);
  float unten = vielfachesDarunter(min, p);
  float oben = vielfachesDarueber(max, p);
  if (unten == oben) {
    unten = single(double(unten) - p);
    oben = single(double(oben) + p);
  }
  return bereichMitIntervallen(unten, oben, e);
}

Achsenbereich vorgegebenerBereich(float min, float max) {
  if (!std::isfinite(min) || !std::isfinite(max)) ueberlauf();
  return bereichMitIntervallen(min, max, zehnerExponent(Tolvek::Maximum(std::fabs(min), std::fabs(max))));
}

float intervalleAnpassen(float k) {
  if (k < 2) k = 4;
  if (k < 4) k = 2 * k;
  if (k > 8) k = k / 2;
  return k;
}

float gitterabstandWaehlen(float min, float max, float intervalle, float vorgabe, bool& automatisch) {
  float g;
  if (!std::isfinite(vorgabe) || std::fabs(vorgabe) == 0 || automatisch) {
    const float teil = single(single(double(max) - double(min)) / double(intervalle));
    const double p = zehnHoch(zehnerExponent(teil));
    g = single(int16(teil / p) * p);
    automatisch = true;
  } else {
    g = std::fabs(vorgabe);
  }
  if (g == 0) g = 1;
  return g;
}

float achsenposition(float min, float max) {
  const auto vorzeichen = [](float v) { return (v > 0) - (v < 0); };
  return vorzeichen(min) != vorzeichen(max) ? 0.0f : min;
}

std::vector<Rasterlinie> rasterlinien(double basis, int64_t j0, double schritt, double ende, int maxLinien) {
  std::vector<Rasterlinie> linien;
  if (!(schritt > 0) || !std::isfinite(schritt) || !std::isfinite(basis) || !std::isfinite(ende)) return linien;
  double vorher = -std::numeric_limits<double>::infinity();
  for (int64_t j = j0; static_cast<int>(linien.size()) < maxLinien; ++j) {
    const double weg = static_cast<double>(j) * schritt;
    const double wert = basis + weg;
    // The step is a single-precision value: its rounding, gathered over j
    // steps, may carry a line meant for the end just past it.
    if (wert > ende + 1e-4 * schritt + 1e-7 * std::fabs(weg)) break;
    if (!(wert > vorher)) break;  // no progress left in double precision
    linien.push_back({j, wert});
    vorher = wert;
  }
  return linien;
}

std::vector<std::pair<double, double>> strichabschnitte(double von, double bis, double strich, double luecke) {
  std::vector<std::pair<double, double>> striche;
  const double periode = strich + luecke;
  if (!(strich > 0) || !(periode > 0) || !std::isfinite(periode) || !std::isfinite(von) || !std::isfinite(bis))
    return striche;
  for (int k = 0; k < kMaxStriche; ++k) {
    const double a = von + k * periode;
    const double b = a + strich;
    if (b > bis || !(b > a)) break;
    striche.emplace_back(a, b);
  }
  return striche;
}

SichtbareWerte sichtbareWerte(const std::vector<float>& x, int32_t n, float xmin, float xmax) {
  SichtbareWerte s;
  n = static_cast<int32_t>(std::min<int64_t>(n, static_cast<int64_t>(x.size()) - 1));
  const float* w = x.data();
  int32_t i = ersterAbBis(w, 1, n, xmin);
  if (i > n) return s;  // every value lies left of the range: none in view
  s.erster = i;
  s.letzter = n;
  // Values before the first one in view lie below xmin, so none of them ends
  // the range: the search for the last one starts at the first.
  for (int32_t k = ersterAbBis(w, i, n, xmax); k <= n; ++k) {
    if (w[k] > xmax) {
      s.letzter = k - 1;
      break;
    }
    if (w[k] == xmax) {
      s.letzter = k;
      break;
    }
  }
  return s;
}

int32_t schrittweiteWaehlen(bool automatisch, int32_t vorgabe, const SichtbareWerte& sichtbar, double breite) {
  if (!automatisch) return std::max<int32_t>(1, vorgabe);
  if (sichtbar.leer() || !(breite >= 1)) return 1;
  const double proSpalte = std::floor((double(sichtbar.letzter) - double(sichtbar.erster)) / breite);
  return std::max<int32_t>(1, int32(proSpalte));
}

bool zuVieleSchritte(const SichtbareWerte& sichtbar, int32_t schritt) {
  if (sichtbar.leer()) return false;
  return (double(sichtbar.letzter) - double(sichtbar.erster)) / schritt > kMaxSchritte;
}

}  // namespace pv
