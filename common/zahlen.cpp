#include "zahlen.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

namespace pv {

double rundeHalbGerade(double x) {
  // nearbyint rounds in the current mode, which is round-to-nearest-even.
  return std::nearbyint(x);
}

std::optional<float> alsSingle(double x) {
  if (!std::isfinite(x) || std::fabs(x) > std::numeric_limits<float>::max()) return std::nullopt;
  return static_cast<float>(x);
}

std::optional<int16_t> ganzzahl16(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double r = rundeHalbGerade(x);
  if (r < std::numeric_limits<int16_t>::min() || r > std::numeric_limits<int16_t>::max()) return std::nullopt;
  return static_cast<int16_t>(r);
}

std::optional<int32_t> ganzzahl32(double x) {
  if (!std::isfinite(x)) return std::nullopt;
  const double r = rundeHalbGerade(x);
  if (r < std::numeric_limits<int32_t>::min() || r > std::numeric_limits<int32_t>::max()) return std::nullopt;
  return static_cast<int32_t>(r);
}

namespace {

bool istZiffer(QChar c) { return c >= u'0' && c <= u'9'; }

// A number that double precision cannot hold (sign, digits, ".", fraction,
// "e" and exponent): infinite when it is too large, 0 when too small.
double jenseitsDouble(const QByteArray& zahl) {
  const bool negativ = zahl.startsWith('-');
  const qsizetype e = zahl.indexOf('e');
  const QByteArray mantisse = e < 0 ? zahl : zahl.left(e);
  long exponent = 0;
  for (qsizetype i = e + 1; e >= 0 && i < zahl.size(); ++i) {
    if (zahl[i] >= '0' && zahl[i] <= '9') exponent = std::min(exponent * 10 + (zahl[i] - '0'), 1000000L);
  }
  if (e >= 0 && zahl.mid(e + 1).startsWith('-')) exponent = -exponent;
  // The decimal place of the first significant digit.
  const qsizetype punkt = mantisse.contains('.') ? mantisse.indexOf('.') : mantisse.size();
  long stelle = 0;
  for (qsizetype i = 0; i < mantisse.size(); ++i) {
    if (mantisse[i] < '1' || mantisse[i] > '9') continue;
    stelle = i < punkt ? static_cast<long>(punkt - i) : -static_cast<long>(i - punkt - 1);
    break;
  }
  if (stelle + exponent > 0) return negativ ? -HUGE_VAL : HUGE_VAL;
  return negativ ? -0.0 : 0.0;
}

// Reads sign, digits, fraction and exponent from a compact text (no blanks).
// Returns the number of characters consumed; 0 when there is no number.
qsizetype leseDezimal(const QString& t, QChar marke, double& wert) {
  qsizetype i = 0;
  QByteArray puffer;
  if (i < t.size() && (t[i] == u'+' || t[i] == u'-')) {
    if (t[i] == u'-') puffer += '-';
    ++i;
  }
  qsizetype ziffern = 0;
  while (i < t.size() && istZiffer(t[i])) {
    puffer += char(t[i].unicode());
    ++i;
    ++ziffern;
  }
  if (i < t.size() && t[i] == marke) {
    qsizetype j = i + 1;
    QByteArray bruch;
    while (j < t.size() && istZiffer(t[j])) {
      bruch += char(t[j].unicode());
      ++j;
    }
    if (ziffern > 0 || !bruch.isEmpty()) {
      puffer += '.';
      puffer += bruch;
      ziffern += bruch.size();
      i = j;
    }
  }
  if (ziffern == 0) return 0;
  if (i < t.size() && (t[i] == u'E' || t[i] == u'e' || t[i] == u'D' || t[i] == u'd')) {
    qsizetype j = i + 1;
    QByteArray exponent = "e";
    if (j < t.size() && (t[j] == u'+' || t[j] == u'-')) {
      exponent += char(t[j].unicode());
      ++j;
    }
    qsizetype expZiffern = 0;
    while (j < t.size() && istZiffer(t[j])) {
      exponent += char(t[j].unicode());
      ++j;
      ++expZiffern;
    }
    if (expZiffern > 0) {
      puffer += exponent;
      i = j;
    }
  }
  // from_chars reads "." whatever the C library's locale says.
  const auto r = std::from_chars(puffer.constData(), puffer.constData() + puffer.size(), wert);
  if (r.ec == std::errc::result_out_of_range) wert = jenseitsDouble(puffer);
  return i;
}

}  // namespace

double val(QStringView text) {
  QString kompakt;
  kompakt.reserve(text.size());
  for (QChar c : text) {
    if (c != u' ' && c != u'\t' && c != u'\n') kompakt += c;
  }
  if (kompakt.size() >= 2 && kompakt[0] == u'&') {
    const QChar art = kompakt[1].toUpper();
    const int basis = art == u'H' ? 16 : art == u'O' ? 8 : 0;
    if (basis != 0) {
      qint64 wert = 0;
      for (qsizetype i = 2; i < kompakt.size(); ++i) {
        const QChar c = kompakt[i].toUpper();
        const int ziffer = (c >= u'0' && c <= u'9') ? c.unicode() - u'0' : (c >= u'A' && c <= u'F') ? c.unicode() - u'A' + 10 : 99;
        if (ziffer >= basis || wert > (qint64(1) << 40)) break;
        wert = wert * basis + ziffer;
      }
      return static_cast<double>(wert);
    }
  }
  double wert = 0;
  if (leseDezimal(kompakt, u'.', wert) == 0 || !std::isfinite(wert)) return 0;
  return wert;
}

std::optional<double> zahlLesen(QStringView text, QChar dezimaltrennzeichen) {
  const QString t = text.trimmed().toString();
  if (t.isEmpty()) return std::nullopt;
  QChar marke = dezimaltrennzeichen;
  const QChar andere = dezimaltrennzeichen == u',' ? u'.' : u',';
  if (!t.contains(marke) && t.contains(andere)) marke = andere;
  double wert = 0;
  const qsizetype gelesen = leseDezimal(t, marke, wert);
  if (gelesen == 0 || gelesen != t.size() || !std::isfinite(wert)) return std::nullopt;
  return wert;
}

QString singleText(float x, QChar dezimaltrennzeichen) {
  if (std::isnan(x)) return QStringLiteral("NaN");
  if (std::isinf(x)) return x < 0 ? QStringLiteral("-1,#INF") : QStringLiteral("1,#INF");
  if (x == 0.0f) return QStringLiteral("0");
  // to_chars writes "." whatever the C library's locale says.
  char puffer[64];
  // Seven significant digits decide the exponent after rounding.
  auto ende = std::to_chars(puffer, puffer + sizeof puffer, static_cast<double>(x),
                            std::chars_format::scientific, 6).ptr;
  const QString wissenschaftlich = QString::fromLatin1(puffer, ende - puffer);
  const qsizetype e = wissenschaftlich.indexOf(u'e');
  const int exponent = wissenschaftlich.mid(e + 1).toInt();
  QString ergebnis;
  if (exponent >= -4 && exponent < 7) {
    ende = std::to_chars(puffer, puffer + sizeof puffer, static_cast<double>(x), std::chars_format::fixed,
                         6 - exponent).ptr;
    ergebnis = QString::fromLatin1(puffer, ende - puffer);
    if (ergebnis.contains(u'.')) {
      while (ergebnis.endsWith(u'0')) ergebnis.chop(1);
      if (ergebnis.endsWith(u'.')) ergebnis.chop(1);
    }
  } else {
    QString mantisse = wissenschaftlich.left(e);
    if (mantisse.contains(u'.')) {
      while (mantisse.endsWith(u'0')) mantisse.chop(1);
      if (mantisse.endsWith(u'.')) mantisse.chop(1);
    }
    ergebnis = mantisse + QStringLiteral("E") + (exponent < 0 ? u'-' : u'+') +
               QStringLiteral("%1").arg(std::abs(exponent), 2, 10, QChar(u'0'));
  }
  ergebnis.replace(u'.', dezimaltrennzeichen);
  return ergebnis;
}

}  // namespace pv
