#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;

namespace pv {

// Asks the user for one line of text. Logic asks through this interface; the
// program shows the real dialog, tests answer with a fake.
class Eingaben {
 public:
  virtual ~Eingaben() = default;
  // The typed text, or an empty text when the user cancelled.
  virtual QString fragen(const QString& aufforderung, const QString& titel,
                         const QString& vorgabe, const QString& passwortzeichen) = 0;
};

// The modal input box "Eingabe": prompt, one-line text box, "Abbrechen" and "OK".
class EingabeFenster : public QDialog {
  Q_OBJECT
 public:
  explicit EingabeFenster(QWidget* eltern = nullptr);
  void vorbereiten(const QString& aufforderung, const QString& titel, const QString& vorgabe,
                   const QString& passwortzeichen);
  QString text() const;
  // True when the box was left through "Abbrechen", Esc or its frame.
  bool Abbruch() const { return result() != QDialog::Accepted; }

 private:
  QLabel* lblInput_;
  QLineEdit* txtInput_;
};

// The input box shown as a real modal dialog.
class DialogEingaben : public Eingaben {
 public:
  QString fragen(const QString& aufforderung, const QString& titel, const QString& vorgabe,
                 const QString& passwortzeichen) override;
};

// Shows the input box and returns the typed text; an empty text when the user
// cancels, and at once without a dialog when the prompt is empty. An empty
// title shows the application's title. A non-empty `passwortzeichen` hides
// what is typed.
QString EingabeDialog(const QString& aufforderung, const QString& titel = {},
                      const QString& vorgabe = {}, const QString& passwortzeichen = {});

}  // namespace pv
