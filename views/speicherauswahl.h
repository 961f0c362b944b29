#pragma once

#include <QString>

class QWidget;

namespace pv {

// The save-file dialog as the program uses it. Windows ask through this
// interface; the program shows the real dialog, tests answer with a fake.
class Speicherauswahl {
 public:
  virtual ~Speicherauswahl() = default;
  // Asks for the path of a file to write, starting in `ordner` with the name
  // `vorschlag`. `filter` is in Qt's form ("Text (*.txt);;Daten (*.dat)"),
  // `endung` is appended to a name typed without one. The user confirms
  // overwriting an existing file in the dialog. Empty when cancelled.
  virtual QString speichern(QWidget* eltern, const QString& titel, const QString& ordner,
                            const QString& vorschlag, const QString& filter, const QString& endung) = 0;
};

// QFileDialog.
class DialogSpeicherauswahl : public Speicherauswahl {
 public:
  QString speichern(QWidget* eltern, const QString& titel, const QString& ordner, const QString& vorschlag,
                    const QString& filter, const QString& endung) override;
};

// The file dialogs in use: the one set, else the real dialog.
Speicherauswahl& speicherauswahl();
// Replaces the dialogs (tests); nullptr restores the real one.
void speicherauswahlSetzen(Speicherauswahl* auswahl);

}  // namespace pv
