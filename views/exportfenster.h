#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <cstdint>
#include <functional>

#include "views/textexport.h"

class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pv {

class Balkenanzeige;
class Dateiauswahl;
class TabellenFenster;

// The export dialog "Export": writes the current measurement, all of it or
// a range thinned by a step, into a text file with a header block
// (target "Datei") or into a spreadsheet file that is then opened with the
// desktop's spreadsheet program (target "Excel"). The
// caller shows it modally; it closes itself after an export (completed or
// cancelled) and stays open after a refused input or a failure.
//
// While an export runs, OK is disabled and the dialog cannot be closed:
// "Abbrechen", Esc and the close box stop the export after the value being
// written, the lines written so far are saved, and the dialog then closes.
class ExportFenster : public QDialog {
  Q_OBJECT

 public:
  // `ziel` "Datei" writes a text file. `tabelle` is the table window when
  // one exists; while it is open its range and step are the presets.
  // `auswahl` asks for the file (nullptr: the program's file dialog).
  ExportFenster(const QString& ziel, const TabellenFenster* tabelle, QWidget* parent = nullptr,
                Dateiauswahl* auswahl = nullptr);

  // "Datei" (text file) or "Excel" (spreadsheet file); "" after an export.
  // With any other target OK stays disabled.
  QString ExportZiel;
  // The range last checked.
  int32_t VonIndex = 1;
  int32_t BisIndex = 0;
  // 1 once the user asked to stop the running export.
  int16_t ExportAbbrechen = 0;

  // Keeps the dialog above all other windows, or releases it.
  void Topmost(bool ein);
  // The buttons.
  void OKButton_Click();
  void AbbrButton_Click();

  bool exportLaeuft() const { return laeuft_; }
  // The dialog has unloaded itself (done()).
  bool entladen() const { return entladen_; }

  // Lets pending events run during an export (before the first value and
  // then every few milliseconds); tests put their own steps in here.
  std::function<void()> ereignisseVerarbeiten;
  // Opens a written spreadsheet file with the desktop's associated program;
  // false when none took it. Tests put their own step in here.
  std::function<bool(const QString&)> dateiOeffnen;

  // ---- controls ----
  QGroupBox* Frame1 = nullptr;
  QRadioButton* Option1 = nullptr;  // "alle"
  QRadioButton* Option2 = nullptr;  // "Von"
  QLineEdit* txtVon = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtBis = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtStep = nullptr;
  QLabel* lblDezimalzeichen = nullptr;
  QComboBox* comboDezimalzeichen = nullptr;
  QGroupBox* frameTrennzeichen = nullptr;
  std::array<QRadioButton*, 5> optTrennzeichen{};
  QLineEdit* txtTrennzeichen = nullptr;
  QGroupBox* Frame2 = nullptr;
  Balkenanzeige* ExPrBar = nullptr;
  QLabel* ProzLab = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* AbbrButton = nullptr;

  // The text of the message for a text file that could not be written.
  static QString schreibfehlerText(const QString& pfad);
  // The message for a spreadsheet file that was written but that no program
  // opened: where it is.
  static QString nichtGeoeffnetText(const QString& pfad);

 public slots:
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void dateiExport(const Bereich& bereich);
  void tabellenkalkulationExport(const Bereich& bereich);
  // Runs an export value by value until it is done or cancelled.
  template <typename Lauf>
  void laufen(Lauf& lauf, const Bereich& bereich);
  // After an export, completed or cancelled: released, target cleared, closed.
  void normalesEnde();
  // A file that could not be written: said, released, the dialog stays.
  void schreibfehler(const QString& pfad);
  QString dateiErfragen(const QString& filter, const QString& endung);
  // The range, the chosen decimal sign and the number formats.
  Exportformat exportformat(const Bereich& bereich) const;
  void fortschrittZeigen(int32_t prozent);
  void entladenAusfuehren();
  Trennzeichenwahl trennzeichenwahl() const;

  Dateiauswahl* auswahl_ = nullptr;
  const TabellenFenster* tabelle_ = nullptr;
  bool laeuft_ = false;
  bool entladen_ = false;
  int32_t angezeigt_ = -1;
};

}  // namespace pv
