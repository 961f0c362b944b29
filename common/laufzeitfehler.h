#pragma once

#include <QString>
#include <stdexcept>

namespace pv {

// A run-time error with its number and message text, thrown by procedures
// and caught by the handler that reports it (see Tolvek::Fehlerbehandlung).
class Laufzeitfehler : public std::runtime_error {
 public:
  Laufzeitfehler(int nummer, const QString& text)
      : std::runtime_error(text.toStdString()), nummer_(nummer), text_(text) {}
  int nummer() const { return nummer_; }
  const QString& text() const { return text_; }

  // The numbers the program raises itself.
  static constexpr int kUeberlauf = 6;
  static constexpr int kIndexAusserhalb = 9;
  static constexpr int kDivisionDurchNull = 11;
  static constexpr int kTypenUnvertraeglich = 13;
  static constexpr int kDateiNichtGefunden = 53;
  static constexpr int kDateiGeoeffnet = 55;
  static constexpr int kGeraetEA = 57;
  static constexpr int kEingabeZuKurz = 62;
  static constexpr int kPfadZugriff = 75;
  static constexpr int kPfadNichtGefunden = 76;
  static constexpr int kUngueltigerAufruf = 5;
  static constexpr int kInternerFehler = 51;

  // A result that does not fit its type.
  static Laufzeitfehler ueberlauf() { return Laufzeitfehler(kUeberlauf, QStringLiteral("Überlauf")); }
  // An array read past its end.
  static Laufzeitfehler indexAusserhalb() {
    return Laufzeitfehler(kIndexAusserhalb, QStringLiteral("Index außerhalb des gültigen Bereichs"));
  }

 private:
  int nummer_;
  QString text_;
};

}  // namespace pv
