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

  // Asks for an existing file to read, starting in startordner(`ordner`);
  // the folder of the file chosen becomes `ordner` (see merkordner).
  // `filter` is in Qt's form ("Text (*.txt);;Alle Dateien (*.*)"). Empty
  // when cancelled.
  QString dateiZumLesen(QWidget* eltern, const QString& titel, QString& ordner, const QString& filter);
  // Asks for the path of a file to write, starting in startordner(`ordner`)
  // with the name `vorschlag`; `endung` is appended to a name typed without
  // one. The user confirms overwriting an existing file in the dialog. The
  // folder of the file chosen becomes `ordner` (see merkordner). Empty when
  // cancelled.
  QString dateiZumSchreiben(QWidget* eltern, const QString& titel, QString& ordner, const QString& vorschlag,
                            const QString& filter, const QString& endung);

  // The dialogs themselves, starting in the folder `start` as it is.
  virtual QString oeffnen(QWidget* eltern, const QString& titel, const QString& start, const QString& filter) = 0;
  virtual QString speichern(QWidget* eltern, const QString& titel, const QString& start,
                            const QString& vorschlag, const QString& filter, const QString& endung) = 0;
};

// QFileDialog, Qt's own on every desktop: its side bar offers the program
// folder as "Pelvaron-Programmordner", and this user's folder of rescued
// values in the shared folder, where there is one, as
// "Pelvaron-Rettungsordner", so that the safety file, the intermediate
// saves and the values rescued at an end are one click away.
class DialogDateiauswahl : public Dateiauswahl {
 public:
  QString oeffnen(QWidget* eltern, const QString& titel, const QString& start, const QString& filter) override;
  QString speichern(QWidget* eltern, const QString& titel, const QString& start, const QString& vorschlag,
                    const QString& filter, const QString& endung) override;
};

// The names of those places in the dialogs' side bar.
extern const QString kProgrammordnerPlatz;
extern const QString kRettungsordnerPlatz;

// The folder a file dialog starts in: `gemerkt`, the folder the user chose
// last, while it exists and is not the program folder or the folder of
// rescued values (or a folder in one), which are hidden from the user;
// else the user's documents folder, else the home folder. Only the device
// editor's picture chooser starts in the program folder, where the device
// pictures are (Dateiauswahl::oeffnen).
QString startordner(const QString& gemerkt);

// The folder to remember once the user chose `datei`: its folder, unless
// that is one of those: a file opened from there (the safety file, an
// intermediate save, a rescue) leaves `bisher` as it was.
QString merkordner(const QString& datei, const QString& bisher);

// The dialogs in use: the one set, else the real dialogs.
Dateiauswahl& dateiauswahl();
// Replaces the dialogs (tests); nullptr restores the real ones.
void dateiauswahlSetzen(Dateiauswahl* auswahl);

}  // namespace pv
