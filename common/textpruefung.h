#pragma once

#include <QString>
#include <QValidator>
#include <functional>

class QLineEdit;
class QTextEdit;

namespace pv {

// Texts typed into a field whose content reaches a stored file must fit the
// files' code page (Windows-1252), so that what the user sees is what is
// stored. A field drops such characters as they are typed or pasted, keeps
// the rest, and says why through `meldung` (the window's status line).

// The first character of `text` the code page cannot hold (a whole code
// point), empty when there is none.
QString nichtSpeicherbaresZeichen(const QString& text);
// Drops from `text` every character the code page cannot hold; `pos`, a
// position in `text`, moves with what stood before it. Returns the first
// character dropped, empty when the text could be stored as it was.
QString nichtSpeicherbaresEntfernen(QString& text, int& pos);
// The reason shown when a character is refused.
QString nichtSpeicherbarMeldung(const QString& zeichen);

// The validator of a one-line field: an edit that brings in characters
// outside the code page keeps everything else it brings.
class Cp1252Validator : public QValidator {
 public:
  Cp1252Validator(QObject* parent, std::function<void(const QString&)> meldung);
  State validate(QString& text, int& pos) const override;

 private:
  std::function<void(const QString&)> meldung_;
};

// Puts the validator on a one-line field; a multi-line field, which takes
// no validator, drops the characters at once after the edit.
void speicherbarBegrenzen(QLineEdit* feld, const std::function<void(const QString&)>& meldung);
// The same for a field of a dialog without a status line: the reason shows
// as a tool tip under the field.
void speicherbarBegrenzen(QLineEdit* feld);
// A multi-line field also keeps its text within `hoechstBytes` as stored
// (a line break takes two bytes, CR LF): what an edit brings beyond that is
// dropped from its end.
void speicherbarBegrenzen(QTextEdit* feld, const std::function<void(const QString&)>& meldung,
                          qsizetype hoechstBytes);

// Cuts `text` to `hoechstBytes` as stored, taking first from what stands
// before `pos` (what was just typed or pasted), then from the end; `pos`
// moves with it. False when the text fits.
bool aufLaengeKuerzen(QString& text, int& pos, qsizetype hoechstBytes);
// The reason shown when a text is cut.
QString zuLangMeldung(qsizetype hoechstBytes);

}  // namespace pv
