#include "zahlenformat.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

#include "tolvek.h"
#include "zahlen.h"

namespace Tolvek {

namespace {

const QString kErr = QStringLiteral("ERR");

using pv::alsSingle;

// ---- Decimal digits --------------------------------------------------------
//
// Rounding rule: a value is rounded on the shortest decimal text that
// identifies its single-precision value, half-way going away from zero. So
// 2.5 -> 3, 0.125 -> 0.13 (n = 2), and 1.005, stored as 1.00499999..., still
// gives 1.01 because the value reads as 1.005: what decides is the number the
// user entered or sees, not the binary remainder beneath it. A text that
// rounds to zero carries no minus sign.

struct Ziffern {
  bool negativ = false;
  std::string ziffern;  // significant digits, the first one non-zero ("0" for zero)
  int exponent = 0;     // power of ten of the first digit
};

Ziffern zerlegen(float x) {
  char puffer[64];
  const auto r = std::to_chars(puffer, puffer + sizeof puffer, x, std::chars_format::scientific);
  const std::string text(puffer, r.ptr);
  Ziffern z;
  std::size_t i = 0;
  if (text[i] == '-') {
    z.negativ = true;
    ++i;
  }
  const std::size_t e = text.find('e');
  for (; i < e; ++i) {
    if (text[i] != '.') z.ziffern += text[i];
  }
  z.exponent = std::stoi(text.substr(e + 1));
  return z;
}

// Adds one to a string of decimal digits; true when it grew by a digit.
bool erhoehen(std::string& s) {
  for (auto i = s.size(); i-- > 0;) {
    if (s[i] != '9') {
      ++s[i];
      return false;
    }
    s[i] = '0';
  }
  s.insert(s.begin(), '1');
  return true;
}

// The first `anzahl` digits of `ziffern` (padded with zeros), rounded half away
// from zero by the digit after them. anzahl may be 0 or negative: then only
// a carry into a new leading digit can remain. True when a digit was added
// in front by the carry.
bool runden(const std::string& ziffern, long anzahl, std::string& ergebnis) {
  if (anzahl < 0) {
    ergebnis.clear();
    return false;
  }
  const auto n = static_cast<std::size_t>(anzahl);
  if (n >= ziffern.size()) {
    ergebnis = ziffern + std::string(n - ziffern.size(), '0');
    return false;
  }
  ergebnis = ziffern.substr(0, n);
  if (ziffern[n] < '5') return false;
  return erhoehen(ergebnis);
}

bool nurNullen(const QString& s) {
  for (QChar c : s) {
    if (c != u'0') return false;
  }
  return true;
}

// x with the pattern "0", "0.0", "0.00", ...: n decimals, at least one digit
// before the separator.
QString festText(float x, int n, QChar dezimal) {
  const Ziffern z = zerlegen(x);
  std::string ganz;
  runden(z.ziffern, static_cast<long>(z.exponent) + n + 1, ganz);  // x * 10^n as an integer
  QString s = QString::fromLatin1(ganz.data(), static_cast<qsizetype>(ganz.size()));
  qsizetype fuehrend = 0;
  while (fuehrend < s.size() - 1 && s[fuehrend] == u'0') ++fuehrend;
  s.remove(0, fuehrend);
  if (s.size() < n + 1) s.prepend(QString(n + 1 - s.size(), u'0'));
  const bool null = nurNullen(s);
  if (n > 0) s.insert(s.size() - n, dezimal);
  if (z.negativ && !null) s.prepend(u'-');
  return s;
}

// x with the pattern "0.00E+00" (exponentZiffern = 2) or "0.00E+0" (1): one
// digit before the separator, n decimals, the exponent's sign always written.
QString exponentText(float x, int n, int exponentZiffern, QChar dezimal) {
  const Ziffern z = zerlegen(x);
  std::string mantisse;
  int exponent = z.exponent;
  if (runden(z.ziffern, n + 1L, mantisse)) {
    mantisse.pop_back();
    ++exponent;
  }
  if (mantisse.find_first_not_of('0') == std::string::npos) exponent = 0;  // zero
  QString s = QString::fromLatin1(mantisse.data(), static_cast<qsizetype>(mantisse.size()));
  const bool null = nurNullen(s);
  if (n > 0) s.insert(1, dezimal);
  if (z.negativ && !null) s.prepend(u'-');
  s += u'E';
  s += exponent < 0 ? u'-' : u'+';
  s += QString::number(std::abs(exponent)).rightJustified(exponentZiffern, u'0');
  return s;
}

// ---- Date and time ---------------------------------------------------------
//
// The date codes count wall-clock seconds: the start's date and time as they
// read, without time zone or daylight saving, like the start and end texts
// stored with a measurement. An unset start is the calendar's zero,
// 30.12.1899 00:00:00.

double wandSekunden(const QDate& datum, const QTime& zeit) {
  return static_cast<double>(datum.toJulianDay()) * 86400.0 + zeit.msecsSinceStartOfDay() / 1000.0;
}

double startSekunden(const QDateTime& messStart) {
  if (!messStart.isValid()) return wandSekunden(QDate(1899, 12, 30), QTime(0, 0));
  return wandSekunden(messStart.date(), messStart.time());
}

QString zweistellig(qint64 v) { return QString::number(v).rightJustified(2, u'0'); }

QString datumText(float x, const QDateTime& messStart) {
  if (!std::isfinite(x)) return kErr;
  // Fractions of a second round to the nearest second.
  const double sekunden = std::floor(startSekunden(messStart) + static_cast<double>(x) + 0.5);
  const double tage = std::floor(sekunden / 86400.0);
  // The day count is checked while a double: beyond the calendar's years it
  // may not even fit an integer.
  static const double ersterTag = static_cast<double>(QDate(100, 1, 1).toJulianDay());
  static const double letzterTag = static_cast<double>(QDate(9999, 12, 31).toJulianDay());
  if (!(tage >= ersterTag && tage <= letzterTag)) return kErr;
  const QDate datum = QDate::fromJulianDay(static_cast<qint64>(tage));
  const auto tagesSekunden = static_cast<qint64>(sekunden - tage * 86400.0);
  return QStringLiteral("%1.%2.%3 %4:%5:%6")
      .arg(zweistellig(datum.day()), zweistellig(datum.month()),
           QString::number(datum.year()).rightJustified(4, u'0'), zweistellig(tagesSekunden / 3600),
           zweistellig(tagesSekunden / 60 % 60), zweistellig(tagesSekunden % 60));
}

// ---- Reading ---------------------------------------------------------------

std::optional<double> zahl(const QString& text, QChar dezimal) { return pv::zahlLesen(text, dezimal); }

QString ergebnis(std::optional<double> wert, QChar dezimal) {
  if (!wert) return kErr;
  const std::optional<float> single = alsSingle(*wert);
  return single ? pv::singleText(*single, dezimal) : kErr;
}

// Whole-number date or time part at fixed positions.
std::optional<int> teil(const QString& text, qsizetype von, qsizetype laenge, QChar dezimal) {
  const std::optional<double> w = zahl(text.mid(von, laenge), dezimal);
  if (!w || *w != std::floor(*w) || std::fabs(*w) > 99999) return std::nullopt;
  return static_cast<int>(*w);
}

std::optional<double> datumLesen(const QString& text, QChar dezimal, const QDateTime& messStart) {
  if (text.size() < 19) return std::nullopt;
  const auto tag = teil(text, 0, 2, dezimal), monat = teil(text, 3, 2, dezimal), jahr = teil(text, 6, 4, dezimal),
             stunde = teil(text, 11, 2, dezimal), minute = teil(text, 14, 2, dezimal),
             sekunde = teil(text, 17, 2, dezimal);
  if (!tag || !monat || !jahr || !stunde || !minute || !sekunde) return std::nullopt;
  const QDate datum(*jahr, *monat, *tag);
  const QTime zeit(*stunde, *minute, *sekunde);
  if (!datum.isValid() || !zeit.isValid()) return std::nullopt;
  return wandSekunden(datum, zeit) - startSekunden(messStart);
}

// Codes 13 to 15: the parts stand at fixed places counted from the end. A
// leading "-" (a time before the start) applies to the whole time.
std::optional<double> uhrzeitLesen(QString text, int16_t code, QChar dezimal) {
  text = text.trimmed();
  const bool negativ = text.startsWith(u'-');
  if (negativ) text.remove(0, 1);
  const qsizetype l = text.size();
  std::optional<double> wert;
  if (code == 13 || code == 14) {
    if (l < 3) return std::nullopt;
    const auto gross = zahl(text.left(l - 3), dezimal), klein = zahl(text.right(2), dezimal);
    if (!gross || !klein) return std::nullopt;
    wert = code == 13 ? *gross * 60 + *klein : *gross * 3600 + *klein * 60;
  } else {
    if (l < 6) return std::nullopt;
    const auto stunden = zahl(text.left(l - 6), dezimal), minuten = zahl(text.mid(l - 5, 2), dezimal),
               sekunden = zahl(text.right(2), dezimal);
    if (!stunden || !minuten || !sekunden) return std::nullopt;
    wert = *stunden * 3600 + *minuten * 60 + *sekunden;
  }
  return negativ ? -*wert : *wert;
}

}  // namespace

QString ZeitFormatieren(float sekunden, int16_t code) {
  if (code < 13 || code > 15) return {};
  if (!std::isfinite(sekunden)) return kErr;
  // The parts of the magnitude; a time before the start gets a minus sign
  // in front of the whole text.
  const double betrag = std::fabs(static_cast<double>(sekunden));
  const double stunden = std::floor(betrag / 3600.0);
  if (stunden > std::numeric_limits<int16_t>::max()) return kErr;
  const auto h = static_cast<qint64>(stunden);
  const auto m = static_cast<qint64>(std::floor((betrag - 3600.0 * h) / 60.0));
  const auto s = static_cast<qint64>(std::floor(betrag - 3600.0 * h - 60.0 * m));
  QString text;
  switch (code) {
    case 13: text = zweistellig(60 * h + m) + u':' + zweistellig(s); break;
    case 14: text = zweistellig(h) + u':' + zweistellig(m); break;
    default: text = zweistellig(h) + u':' + zweistellig(m) + u':' + zweistellig(s); break;
  }
  const bool null = h == 0 && m == 0 && (code == 14 || s == 0);
  if (sekunden < 0 && !null) text.prepend(u'-');
  return text;
}

Formatiert zahlFormatieren(float x, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen,
                           const QDateTime& messStart) {
  Formatiert f;
  if (code < 0 || code > 16 || code == 9) return f;
  if (code >= 13) {
    f.text = code == 16 ? datumText(x, messStart) : ZeitFormatieren(x, code);
    return f;
  }
  static const QString vorsaetze[] = {QStringLiteral("M"), QStringLiteral("k"),      QStringLiteral("m"),
                                      QStringLiteral("\u00B5"), QStringLiteral("n"), QStringLiteral("p")};
  if (code >= 2 && code <= 7) f.vorsatz = vorsaetze[code - 2];
  const int n = nachkommastellen;
  if (n < 0 || !std::isfinite(x)) {
    f.text = kErr;
    return f;
  }
  const QChar d = dezimaltrennzeichen;
  switch (code) {
    case 0:
    case 10: f.text = festText(x, n, d); break;
    case 1: f.text = exponentText(x, n, 2, d); break;
    case 8: f.text = exponentText(x, n, 1, d); break;
    case 11: f.text = festText(x / 60.0f, n, d); break;
    case 12: f.text = festText(x / 3600.0f, n, d); break;
    default: {
      // Codes 2 to 7. The scaled value is held in single precision, each
      // scaling rounded once from its exact result.
      std::optional<float> y;
      switch (code) {
        case 2: y = x / 1e6f; break;
        case 3: y = x / 1e3f; break;
        case 4: y = alsSingle(static_cast<double>(x) * 1e3); break;
        case 5: y = alsSingle(static_cast<double>(x) * 1e6); break;
        case 6: y = alsSingle(static_cast<double>(x) * 1e9); break;
        default: y = alsSingle(static_cast<double>(x) * 1e12); break;
      }
      if (!y) {
        f.text = kErr;
        break;
      }
      // Both bounds included and compared as single-precision values.
      const float betrag = std::fabs(*y);
      const bool fest = *y == 0.0f || (betrag >= 0.0001f && betrag <= 100000.0f);
      f.text = fest ? festText(*y, n, d) : exponentText(*y, n, 2, d);
      break;
    }
  }
  return f;
}

QString ZahlFormatieren(float x, int16_t code, int16_t nachkommastellen, QChar dezimaltrennzeichen) {
  Zustand& z = zustand();
  Formatiert f = zahlFormatieren(x, code, nachkommastellen, dezimaltrennzeichen, z.MessStartDatumZeit);
  z.Einheitenvorsatz = f.vorsatz;
  return f.text;
}

QString ZahlEinlesen(const QString& text, int16_t code, QChar dezimaltrennzeichen, const QDateTime& messStart) {
  const QChar d = dezimaltrennzeichen;
  switch (code) {
    case 0:
    case 1:
    case 10: return ergebnis(zahl(text, d), d);
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 7:
    case 11:
    case 12: {
      // The value the text stands for, rounded to single precision once.
      const std::optional<double> t = zahl(text, d);
      if (!t) return kErr;
      switch (code) {
        case 2: return ergebnis(*t * 1e6, d);
        case 3: return ergebnis(*t * 1e3, d);
        case 4: return ergebnis(*t / 1e3, d);
        case 5: return ergebnis(*t / 1e6, d);
        case 6: return ergebnis(*t / 1e9, d);
        case 7: return ergebnis(*t / 1e12, d);
        case 11: return ergebnis(*t * 60, d);
        default: return ergebnis(*t * 3600, d);
      }
    }
    case 13:
    case 14:
    case 15: return ergebnis(uhrzeitLesen(text, code, d), d);
    case 16: return ergebnis(datumLesen(text, d, messStart), d);
    default: return QStringLiteral("0");
  }
}

QString ZahlEinlesen(const QString& text, int16_t code, QChar dezimaltrennzeichen) {
  return ZahlEinlesen(text, code, dezimaltrennzeichen, zustand().MessStartDatumZeit);
}

}  // namespace Tolvek
