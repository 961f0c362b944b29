#pragma once

#include <QString>

class QWidget;

namespace pv {

// The open and save file dialogs as the program uses them. Windows ask
// through this interface; the program shows the real dialogs, tests answer
// with a fake.
class Dateiauswahl {
 public:
  virtual ~Dateiauswahl() = default;
  // Asks for an existing file to read, starting in startordner(`ordner`).
  // `filter` is in Qt's form ("Text (*.txt);;Alle Dateien (*.*)"). Empty
  // when cancelled.
  virtual QString oeffnen(QWidget* eltern, const QString& titel, const QString& ordner, const QString& filter) = 0;
  // Asks for the path of a file to write, starting in startordner(`ordner`)
  // with the name `vorschlag`; `endung` is appended to a name typed without
  // one. The user confirms overwriting an existing file in the dialog. Empty
  // when cancelled.
  virtual QString speichern(QWidget* eltern, const QString& titel, const QString& ordner,
                            const QString& vorschlag, const QString& filter, const QString& endung) = 0;
};

// QFileDialog.
class DialogDateiauswahl : public Dateiauswahl {
 public:
  QString oeffnen(QWidget* eltern, const QString& titel, const QString& ordner, const QString& filter) override;
  QString speichern(QWidget* eltern, const QString& titel, const QString& ordner, const QString& vorschlag,
                    const QString& filter, const QString& endung) override;
};

// The folder a file dialog starts in: `gemerkt`, the folder the user chose
// last, while it exists; else the user's documents folder, else the home
// folder. Never the program folder, which is hidden from the user.
QString startordner(const QString& gemerkt);

// The dialogs in use: the one set, else the real dialogs.
Dateiauswahl& dateiauswahl();
// Replaces the dialogs (tests); nullptr restores the real ones.
void dateiauswahlSetzen(Dateiauswahl* auswahl);

}  // namespace pv
