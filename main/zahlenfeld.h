#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

class QLineEdit;

namespace pv {

class Meldungen;

// Background of a numeric box: white shows the value in force, light grey
// an entry typed since (not taken over yet).
inline constexpr uint32_t kFeldFest = 0xFFFFFF;
inline constexpr uint32_t kFeldGeaendert = 0xE0E0E0;

// What committing a box's text gave.
struct Festlegung {
  bool uebernommen = false;  // the value in force changed
  bool fest = false;         // the box shows the value in force again (white)
  QString anzeige;           // its text then (when fest)
};

// The waiting time (0..86400 s): a number in range is taken; one out of
// range is refused with its message (text and grey box stay); a text that
// is no number brings the value in force back without a word.
Festlegung wartezeitFestlegen(const QString& text, float& wartezeit, QChar dezimal, Meldungen& meldungen);
// The value in force as the box shows it: one decimal, "0" for 0.
QString wartezeitAnzeige(float wartezeit, QChar dezimal);

// A coefficient of the linear function (no range): a number is taken and
// shown in its shortest form; anything else is refused with `fehlertext`.
Festlegung koeffizientFestlegen(const QString& text, float& wert, QChar dezimal, const QString& fehlertext,
                                Meldungen& meldungen);
inline const QString kSteigungUngueltig = QStringLiteral("Eingabe ungültig! Die Steigung wurde nicht geändert!");
inline const QString kAchsenabschnittUngueltig =
    QStringLiteral("Eingabe ungültig! Der Achsenabschnitt wurde nicht geändert!");

// Choosing the linear function takes both coefficients from their texts
// (normalised texts in `textM`, `textT`). A text that is no number is
// named in a message and the choice is refused (false); a slope read
// before a refused offset stays taken.
bool linearUebernehmen(QString& textM, QString& textT, float& m, float& t, QChar dezimal, Meldungen& meldungen);

// Makes a line edit a numeric box that commits as it is typed: any key but
// Enter and Esc greys it, and so does any change of its text by the user
// (a paste, a drop); Enter or leaving it commits, Esc shows the value
// in force again. Leaving it because another window or the menu bar came
// up (a message box, a dialog, another program) does not commit, nor does
// leaving a box that shows the value in force. The box remembers the text
// it showed when last in force.
class Zahlenfeld : public QObject {
  Q_OBJECT

 public:
  using Festlegen = std::function<Festlegung(const QString& text)>;
  using Anzeige = std::function<QString()>;
  // Without `wiederherstellen` Esc brings back the text last in force.
  Zahlenfeld(QLineEdit* feld, Festlegen festlegen, Anzeige wiederherstellen = {});

  // Enter and the focus leaving the box; `perEnter` tells them apart.
  void festlegen(bool perEnter);
  void wiederherstellen();
  bool geaendert() const;
  // The text the box showed when it was last in force.
  QString festerText() const;
  // After the program put a value in force and its text into the box.
  void festgesetzt();

  // Called after a commit by Enter that took a value (the "Wert geändert"
  // hint).
  std::function<void()> perEnterUebernommen;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void farbe(uint32_t bgr);

  QLineEdit* feld_;
  Festlegen festlegen_;
  Anzeige wiederherstellen_;
  QString festerText_;
  bool beschaeftigt_ = false;
};

// The text a box showed when last in force: for a numeric box its
// remembered text, for any other box its text.
QString festerText(const QLineEdit* feld);

}  // namespace pv
