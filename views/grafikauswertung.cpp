#include "grafikauswertung.h"

#include <algorithm>
#include <cmath>

#include "common/laufzeitfehler.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace pv {

QString formatiert(float wert, const Zahlformat& f) {
  return Tolvek::zahlFormatieren(wert, f.code, f.nachkommastellen, f.dezimaltrennzeichen, f.messStart).text;
}

std::optional<Indexbereich> sichtbarerBereich(const std::vector<float>& x, int32_t m, float xMin, float xMax) {
  // The times ascend: the first value from xMin on, the last up to xMax.
  const auto anfang = x.begin() + 1;
  const auto ende = x.begin() + 1 + std::min<int32_t>(m, static_cast<int32_t>(x.size()) - 1);
  if (m < 1 || anfang >= ende) return std::nullopt;
  const auto erster = std::lower_bound(anfang, ende, xMin);
  const auto hinter = std::upper_bound(anfang, ende, xMax);
  if (erster >= hinter) return std::nullopt;
  return Indexbereich{static_cast<int32_t>(erster - x.begin()), static_cast<int32_t>(hinter - x.begin()) - 1};
}

QString keineWerteImBereichText() {
  return QStringLiteral("Im dargestellten Bereich liegen keine Messwerte.");
}

Extremwerte extremwerteSuchen(const std::vector<float>& x, const std::vector<float>& y, const Indexbereich& b) {
  Extremwerte e;
  e.minimum = e.maximum = y[b.von];
  e.minimumBei = e.maximumBei = x[b.von];
  for (int32_t i = b.von + 1; i <= b.bis; ++i) {
    if (y[i] < e.minimum) {
      e.minimum = y[i];
      e.minimumBei = x[i];
    }
    if (y[i] > e.maximum) {
      e.maximum = y[i];
      e.maximumBei = x[i];
    }
  }
  for (int32_t i = b.von; i <= b.bis; ++i) {
    e.minimumAnzahl += y[i] == e.minimum;
    e.maximumAnzahl += y[i] == e.maximum;
  }
  return e;
}

QString extremwerteText(const Extremwerte& e, const Zahlformat& fx, const Zahlformat& fy) {
  const auto stelle = [&](float bei, int32_t anzahl) {
    return anzahl > 1 ? QStringLiteral(" an mehreren Stellen") : QStringLiteral(" bei ") + formatiert(bei, fx);
  };
  return QStringLiteral("Minimum: ") + formatiert(e.minimum, fy) + stelle(e.minimumBei, e.minimumAnzahl) +
         QStringLiteral("\r\nMaximum: ") + formatiert(e.maximum, fy) + stelle(e.maximumBei, e.maximumAnzahl);
}

float mittelwert(const std::vector<float>& y, const Indexbereich& b) {
  double summe = 0;
  for (int32_t i = b.von; i <= b.bis; ++i) summe += y[i];
  return static_cast<float>(summe / b.anzahl());
}

QString mittelwertText(float mittel, const Zahlformat& fy) {
  return QStringLiteral("Arithmetisches Mittel: ") + formatiert(mittel, fy);
}

std::vector<float> geglaettet(const std::vector<float>& y, int32_t m, int32_t n) {
  std::vector<float> aus(static_cast<size_t>(m) + 1, 0.0f);
  // Running sums: the window of each value costs two subtractions. Each sum
  // carries what its rounding lost, so that small values after large ones
  // keep their mean when two long sums are subtracted.
  std::vector<double> summe(static_cast<size_t>(m) + 1, 0.0);
  std::vector<double> rest(static_cast<size_t>(m) + 1, 0.0);
  for (int32_t i = 1; i <= m; ++i) {
    const double alt = summe[i - 1];
    const double wert = y[i];
    const double neu = alt + wert;
    const double teil = neu - alt;
    summe[i] = neu;
    rest[i] = rest[i - 1] + ((alt - (neu - teil)) + (wert - teil));
  }
  for (int32_t i = 1; i <= m; ++i) {
    const int32_t von = std::max<int64_t>(1, int64_t{i} - n);
    const int32_t bis = std::min<int64_t>(m, int64_t{i} + n);
    const double fenster = (summe[bis] - summe[von - 1]) + (rest[bis] - rest[von - 1]);
    aus[i] = n == 0 ? y[i] : static_cast<float>(fenster / (bis - von + 1));
  }
  return aus;
}

std::optional<int32_t> glaettungsbreiteLesen(const QString& text, QChar dezimaltrennzeichen) {
  const std::optional<double> zahl = zahlLesen(text, dezimaltrennzeichen);
  if (!zahl) return std::nullopt;
  const std::optional<int16_t> n = ganzzahl16(*zahl);
  if (!n && *zahl > 0) throw Laufzeitfehler::ueberlauf();
  if (!n || *n < 0) return std::nullopt;
  return *n;
}

std::optional<int32_t> schrittweiteLesen(const QString& text, QChar dezimaltrennzeichen) {
  const std::optional<double> zahl = zahlLesen(text, dezimaltrennzeichen);
  if (!zahl) return std::nullopt;
  return ganzzahl32(*zahl);
}

std::optional<QSize> bildgroesseLesen(const QString& text, QChar dezimaltrennzeichen) {
  const qsizetype trenner = text.indexOf(u';');
  if (trenner < 0) return std::nullopt;
  const auto teil = [&](QStringView s) -> std::optional<int> {
    const std::optional<double> zahl = zahlLesen(s, dezimaltrennzeichen);
    if (!zahl) return std::nullopt;
    const std::optional<int16_t> n = ganzzahl16(*zahl);
    if (!n || *n < 100 || *n > 4000) return std::nullopt;
    return *n;
  };
  const std::optional<int> breite = teil(QStringView(text).left(trenner));
  const std::optional<int> hoehe = teil(QStringView(text).mid(trenner + 1));
  if (!breite || !hoehe) return std::nullopt;
  return QSize(*breite, *hoehe);
}

QString bildgroesseText(QSize groesse) {
  return QString::number(groesse.width()) + u';' + QString::number(groesse.height());
}

float integral(const std::vector<float>& x, const std::vector<float>& y, int32_t von, int32_t bis) {
  float summe = 0;
  for (int32_t i = von + 1; i <= bis; ++i)
    summe = static_cast<float>(summe + (double{x[i]} - x[i - 1]) * (double{y[i - 1]} + y[i]) / 2.0);
  return summe;
}

QString integralText(float summe, int16_t xCode, int16_t yCode, int16_t nachkommastellen, const QString& einheit,
                     QChar dezimaltrennzeichen, const QDateTime& messStart) {
  double faktor = 1;
  QString endung = QStringLiteral("*s");
  if (xCode == 11 || xCode == 13) {
    faktor = 1.0 / 60;
    endung = QStringLiteral("*min");
  } else if (xCode == 12 || (xCode >= 14 && xCode <= 16)) {
    faktor = 1.0 / 3600;
    endung = QStringLiteral("*h");
  }
  const auto wert = static_cast<float>(summe * faktor);
  // The number and the prefix its code calls for.
  const Tolvek::Formatiert f = Tolvek::zahlFormatieren(wert, yCode, nachkommastellen, dezimaltrennzeichen, messStart);
  return QStringLiteral("Integral: ") + f.text + u' ' + f.vorsatz + einheit + endung;
}

}  // namespace pv
