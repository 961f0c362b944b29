#pragma once

#include <QChar>
#include <QDateTime>
#include <QSize>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

// The graph window's evaluations and the answers its input boxes take,
// without the window. Series are 1-based like the measurement (element 0
// unused); m is the number of values.
namespace pv {

// The number format a value is written in.
struct Zahlformat {
  int16_t code = 0;
  int16_t nachkommastellen = 0;
  QChar dezimaltrennzeichen = u',';
  QDateTime messStart;  // the date-and-time format (16) counts from it
};
QString formatiert(float wert, const Zahlformat& f);

// The values whose time lies inside the drawn x range.
struct Indexbereich {
  int32_t von = 0;
  int32_t bis = 0;
  int32_t anzahl() const { return bis - von + 1; }
};
// Empty when no value lies inside xMin..xMax.
std::optional<Indexbereich> sichtbarerBereich(const std::vector<float>& x, int32_t m, float xMin, float xMax);

// Shown instead of an evaluation when the view holds no value.
QString keineWerteImBereichText();

// Minimum and maximum with the time of their first occurrence and how often
// they occur.
struct Extremwerte {
  float minimum = 0;
  float minimumBei = 0;
  int32_t minimumAnzahl = 0;
  float maximum = 0;
  float maximumBei = 0;
  int32_t maximumAnzahl = 0;
};
Extremwerte extremwerteSuchen(const std::vector<float>& x, const std::vector<float>& y, const Indexbereich& b);
// "Minimum: … bei …" / "… an mehreren Stellen", CR LF, "Maximum: …".
QString extremwerteText(const Extremwerte& e, const Zahlformat& fx, const Zahlformat& fy);

// The arithmetic mean, summed in double precision.
float mittelwert(const std::vector<float>& y, const Indexbereich& b);
QString mittelwertText(float mittel, const Zahlformat& fy);

// The moving average over n neighbours on each side; the window shrinks at
// both ends. n = 0 returns the values unchanged. Element 0 stays 0.
std::vector<float> geglaettet(const std::vector<float>& y, int32_t m, int32_t n);
// The answer to "over how many neighbours": a whole number 0..32767
// (rounded); empty for anything else, a negative count included. A count
// beyond 32767 raises the overflow error (Laufzeitfehler).
std::optional<int32_t> glaettungsbreiteLesen(const QString& text, QChar dezimaltrennzeichen);

// The answer to the typed step width: any number, rounded to 32 bits; empty
// when it is no number or does not fit.
std::optional<int32_t> schrittweiteLesen(const QString& text, QChar dezimaltrennzeichen);

// The picture size "width;height", each part 100..4000 after rounding;
// empty for anything else (a part beyond 16 bits included).
std::optional<QSize> bildgroesseLesen(const QString& text, QChar dezimaltrennzeichen);
// The default answer: the plot area's size, "812;497".
QString bildgroesseText(QSize groesse);

// The trapezoid integral of the values von..bis, each term in double
// precision, the sum in single precision; 0 for one point.
float integral(const std::vector<float>& x, const std::vector<float>& y, int32_t von, int32_t bis);
// "Integral: " the integral in the time unit of the x code and the y
// format, " ", the y prefix, the unit and "*s", "*min" or "*h".
QString integralText(float summe, int16_t xCode, int16_t yCode, int16_t nachkommastellen, const QString& einheit,
                     QChar dezimaltrennzeichen, const QDateTime& messStart);

}  // namespace pv
