#pragma once

#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;
class QTextEdit;

namespace pv {

// Texts typed into a field whose content reaches a stored file must fit the
// files' code page (Windows-1252), so that what the user sees is what is
// stored. A field refuses such characters as they are typed or pasted and
// says why through `meldung` (the window's status line).

// The first character of `text` the code page cannot hold (a whole code
// point), empty when there is none.
QString nichtSpeicherbaresZeichen(const QString& text);
// The reason shown when a character is refused.
QString nichtSpeicherbarMeldung(const QString& zeichen);

// The validator of a one-line field: an edit that would bring in a
// character outside the code page is refused as a whole.
class Cp1252Validator : public QValidator {
 public:
  Cp1252Validator(QObject* parent, std::function<void(const QString&)> meldung);
  State validate(QString& text, int& pos) const override;

 private:
  std::function<void(const QString&)> meldung_;
};

// Puts the validator on a one-line field; a multi-line field, which takes
// no validator, drops such characters at once after the edit.
void speicherbarBegrenzen(QLineEdit* feld, const std::function<void(const QString&)>& meldung);
// The same for a field of a dialog without a status line: the reason shows
// as a tool tip under the field.
void speicherbarBegrenzen(QLineEdit* feld);
void speicherbarBegrenzen(QTextEdit* feld, const std::function<void(const QString&)>& meldung);

}  // namespace pv
