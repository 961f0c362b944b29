#include "tabellentext.h"

#include <QStringList>
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/zahlen.h"
#include "views/tabellenmodell.h"

namespace pv {

namespace {

constexpr QChar kTab = u'\t';
const QString kZeilenende = QStringLiteral("\r\n");
// Lines of the time compression, one per time unit from the jump on.
constexpr int kVerdichtungZeilen = 60;
// The smallest difference of two neighbouring values that counts as a jump.
constexpr double kSprung = 2.0;

// Collects lines and joins them without a line end after the last one.
class Zeilen {
 public:
  explicit Zeilen(qsizetype anzahl) { text_.reserve(anzahl * 24); }
  void anhaengen(const QString& zeile) {
    if (!leer_) text_ += kZeilenende;
    leer_ = false;
    text_ += zeile;
  }
  QString text() && { return std::move(text_); }

 private:
  QString text_;
  bool leer_ = true;
};

QString zeitUndWert(const Tabellenmodell& g, int32_t r) { return g.zelle(r, 1) + kTab + g.zelle(r, 2); }

}  // namespace

QString tabellenText(const Tabellenmodell& g) {
  const int32_t zeilen = g.gitterZeilen();
  Zeilen text(zeilen);
  for (int32_t r = 0; r < zeilen; ++r) text.anhaengen(g.zelle(r, 0) + kTab + zeitUndWert(g, r));
  return std::move(text).text();
}

QString auswahlText(const Tabellenmodell& g, int32_t zeile, int spalte, int32_t endZeile, int endSpalte) {
  const int32_t von = std::max<int32_t>(1, std::min(zeile, endZeile));
  const int32_t bis = std::min<int32_t>(g.gitterZeilen() - 1, std::max(zeile, endZeile));
  Zeilen text(bis - von + 1);
  for (int32_t r = von; r <= bis; ++r) text.anhaengen(spalte == endSpalte ? g.zelle(r, spalte) : zeitUndWert(g, r));
  return std::move(text).text();
}

Zeitverdichtung zeitVerdichten(const Tabellenmodell& g, QChar dezimal) {
  Zeitverdichtung ergebnis;
  // Cells are read as they are needed; the first one that is no number ends it.
  bool lesbar = true;
  const auto zahl = [&](int32_t r, int spalte) {
    const std::optional<double> z = zahlLesen(g.zelle(r, spalte), dezimal);
    if (!z) lesbar = false;
    return z.value_or(0.0);
  };
  const int32_t R = g.gitterZeilen();
  int32_t k = 1;
  while (k < R - 2 && std::fabs(zahl(k, 2) - zahl(k + 1, 2)) < kSprung && lesbar) ++k;
  if (!lesbar) return ergebnis;
  if (k == R - 2) {
    ergebnis.ausgang = Zeitverdichtung::Ausgang::OhneErgebnis;
    return ergebnis;
  }
  const double t0 = zahl(k, 1);
  Zeilen text(kVerdichtungZeilen + 1);
  text.anhaengen(zeitUndWert(g, 0));
  for (int s = 0; s < kVerdichtungZeilen && lesbar; ++s) {
    while (k < R - 1 && zahl(std::min(R - 1, k + 1), 1) <= t0 + s && lesbar) ++k;
    text.anhaengen(QString::number(s) + kTab + g.zelle(k, 2));
  }
  if (!lesbar) return ergebnis;
  ergebnis.ausgang = Zeitverdichtung::Ausgang::Text;
  ergebnis.text = std::move(text).text();
  return ergebnis;
}

}  // namespace pv
