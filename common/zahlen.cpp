#include "zahlen.h"

#include <algorithm>
#include <charconv>
#include <clocale>
#include <cmath>
#include <limits>
#include <string>
#include <string_view>

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

// One character of a text or of single-byte record bytes.
char16_t zeichen(QChar c) { return c.unicode(); }
char16_t zeichen(char c) { return static_cast<unsigned char>(c); }

template <class Z>
bool istZiffer(Z c) {
  const char16_t z = zeichen(c);
  return z >= u'0' && z <= u'9';
}

// A number that double precision cannot hold (sign, digits, ".", fraction,
// "e" and exponent): infinite when it is too large, 0 when too small.
double jenseitsDouble(std::string_view zahl) {
  const bool negativ = zahl.starts_with('-');
  const std::size_t e = zahl.find('e');
  const std::string_view mantisse = e == std::string_view::npos ? zahl : zahl.substr(0, e);
  long exponent = 0;
  if (e != std::string_view::npos) {
    for (std::size_t i = e + 1; i < zahl.size(); ++i) {
      if (zahl[i] >= '0' && zahl[i] <= '9') exponent = std::min(exponent * 10 + (zahl[i] - '0'), 1000000L);
    }
    if (zahl.substr(e + 1).starts_with('-')) exponent = -exponent;
  }
  // The decimal place of the first significant digit.
  const std::size_t punktPos = mantisse.find('.');
  const long punkt = static_cast<long>(punktPos == std::string_view::npos ? mantisse.size() : punktPos);
  long stelle = 0;
  for (std::size_t i = 0; i < mantisse.size(); ++i) {
    if (mantisse[i] < '1' || mantisse[i] > '9') continue;
    const long l = static_cast<long>(i);
    stelle = l < punkt ? punkt - l : -(l - punkt - 1);
    break;
  }
  if (stelle + exponent > 0) return negativ ? -HUGE_VAL : HUGE_VAL;
  return negativ ? -0.0 : 0.0;
}

// Reads sign, digits, fraction and exponent from a compact text (no blanks).
// Returns the number of characters consumed; 0 when there is no number.
template <class Text>
qsizetype leseDezimal(Text t, char16_t marke, double& wert) {
  qsizetype i = 0;
  // Short numbers stay in the string's own storage: no allocation per value.
  std::string puffer;
  if (i < t.size() && (zeichen(t[i]) == u'+' || zeichen(t[i]) == u'-')) {
    if (zeichen(t[i]) == u'-') puffer += '-';
    ++i;
  }
  qsizetype ziffern = 0;
  while (i < t.size() && istZiffer(t[i])) {
    puffer += char(zeichen(t[i]));
    ++i;
    ++ziffern;
  }
  if (i < t.size() && zeichen(t[i]) == marke) {
    qsizetype j = i + 1;
    const qsizetype anfang = j;
    while (j < t.size() && istZiffer(t[j])) ++j;
    if (ziffern > 0 || j > anfang) {
      puffer += '.';
      for (qsizetype k = anfang; k < j; ++k) puffer += char(zeichen(t[k]));
      ziffern += j - anfang;
      i = j;
    }
  }
  if (ziffern == 0) return 0;
  const char16_t e = i < t.size() ? zeichen(t[i]) : u' ';
  if (e == u'E' || e == u'e' || e == u'D' || e == u'd') {
    qsizetype j = i + 1;
    std::string exponent = "e";
    if (j < t.size() && (zeichen(t[j]) == u'+' || zeichen(t[j]) == u'-')) {
      exponent += char(zeichen(t[j]));
      ++j;
    }
    qsizetype expZiffern = 0;
    while (j < t.size() && istZiffer(t[j])) {
      exponent += char(zeichen(t[j]));
      ++j;
      ++expZiffern;
    }
    if (expZiffern > 0) {
      puffer += exponent;
      i = j;
    }
  }
  // from_chars reads "." whatever the C library's locale says.
  const auto r = std::from_chars(puffer.data(), puffer.data() + puffer.size(), wert);
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
  if (leseDezimal(QStringView(kompakt), u'.', wert) == 0 || !std::isfinite(wert)) return 0;
  return wert;
}

namespace {

// Blanks at both ends of single-byte text, as QString::trimmed sees them in
// Windows-1252 (0xA0 is the no-break space).
QByteArrayView ohneRaender(QByteArrayView t) {
  auto rand = [](char c) { return c == ' ' || (c >= '\t' && c <= '\r') || c == '\xA0'; };
  qsizetype a = 0;
  qsizetype e = t.size();
  while (a < e && rand(t[a])) ++a;
  while (e > a && rand(t[e - 1])) --e;
  return t.sliced(a, e - a);
}

template <class Text>
std::optional<double> ganzeZahlLesen(Text t, QChar dezimaltrennzeichen) {
  if (t.isEmpty()) return std::nullopt;
  char16_t marke = dezimaltrennzeichen.unicode();
  const char16_t andere = marke == u',' ? u'.' : u',';
  auto enthaelt = [&t](char16_t z) {
    for (auto c : t) {
      if (zeichen(c) == z) return true;
    }
    return false;
  };
  if (!enthaelt(marke) && enthaelt(andere)) marke = andere;
  double wert = 0;
  const qsizetype gelesen = leseDezimal(t, marke, wert);
  if (gelesen == 0 || gelesen != t.size() || !std::isfinite(wert)) return std::nullopt;
  return wert;
}

}  // namespace

std::optional<double> zahlLesen(QStringView text, QChar dezimaltrennzeichen) {
  return ganzeZahlLesen(text.trimmed(), dezimaltrennzeichen);
}

std::optional<double> zahlLesen(QByteArrayView text, QChar dezimaltrennzeichen) {
  return ganzeZahlLesen(ohneRaender(text), dezimaltrennzeichen);
}

std::optional<float> singleLesen(QStringView text, QChar dezimaltrennzeichen) {
  const std::optional<double> zahl = zahlLesen(text, dezimaltrennzeichen);
  return zahl ? alsSingle(*zahl) : std::nullopt;
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

void cZahlenFestlegen() { std::setlocale(LC_NUMERIC, "C"); }

}  // namespace pv
