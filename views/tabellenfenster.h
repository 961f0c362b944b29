#pragma once

#include <QMainWindow>
#include <QString>
#include <cstdint>
#include <exception>
#include <functional>

#include "acquisition/ansichten.h"
#include "common/meldungen.h"
#include "views/tabellenlogik.h"
#include "views/tabellenmodell.h"
#include "views/textexport.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace pv {

// A field for a whole number of values, in the table window and the export
// dialog: a decimal sign typed after a whole number is taken away again.
void ganzzahlfeld(QLineEdit* feld);

// The table window "TABELLE": the current measurement as a list of number,
// time and value for a range and a step the user chooses. Every activation
// lists the measurement from "Von" to its end with the proposed step (the
// return from one of the window's own message boxes does not count); while
// a recording runs, each stored value adds a row when "automatisch" is
// ticked. Closing only hides the window, so the rows stay.
//
// hauptmodul().TabelleOffen says whether the window is shown: every
// activation sets it, the close box and "Ende" clear it.
//
// The window registers itself as the acquisition's table (ansichten()) for
// as long as it exists; the recording appends its rows through that
// interface, whose rows count from the header row 0.
class TabellenFenster : public QMainWindow, public TabellenAnsicht {
  Q_OBJECT

 public:
  explicit TabellenFenster(QWidget* parent = nullptr);
  ~TabellenFenster() override;

  // ---- what the main window and the recording call ----
  // The view menu's "Tabelle": shows the window and brings it to the front
  // (the activation then lists the measurement).
  void Zeigen();
  // What every activation does: proposes the step, sets "bis" to the last
  // value, takes away rows of another measurement and lists the measurement
  // when it has values (a single one is refused as no range).
  void Aktivieren();
  // "Aktualisieren": checks the fields and lists the range, or says why not.
  void Fuellen();
  // Start of a recording: the table back to its header row.
  void Leeren();
  // ---- TabellenAnsicht: the grid as the recording addresses it ----
  bool Offen() const override;
  bool AutoAnhaengen() const override;
  void BisTextSetzen(const QString& text) override;
  void ZeileAnhaengen(const QString& ersteZelle) override;
  int Zeilenzahl() const override;
  void ZelleSetzen(int zeile, int spalte, const QString& text) override;
  // The current cell and the first visible row follow a moment later:
  // moving the view costs it a pass over all rows, so a burst of values
  // moves it once.
  void AktuelleZelleSetzen(int zeile, int spalte) override;
  void ObersteZeileSetzen(int zeile) override;

  // "Ende": hides the window.
  void Ende();
  // "in die Zwischenablage kopieren": the whole grid to the clipboard.
  void CommandZA_Click();
  // Ctrl+C in the grid: the selected rows to the clipboard, or the current
  // cell's text when nothing is selected.
  void AuswahlKopieren();
  // "Zeit verdichten": 60 sample-and-hold lines from the first jump to the
  // clipboard, or a message saying why not.
  void cmdZeitVerdichten_Click();
  // "Export in EXCEL...": the export dialog for a spreadsheet file.
  void ExportExcel();
  // The range fields, for the export dialog's presets.
  TabellenFelder felder() const;

  // Opens the settings dialog ("Optionen..."); the menu item is disabled
  // while none is set.
  void optionenSetzen(std::function<void()> oeffnen);

  Tabellenmodell* modell() const { return modell_; }

  // The range last checked by a fill.
  int32_t VonIndex = 0;
  int32_t BisIndex = 0;
  int32_t Schritt = 1;

  // ---- controls (names as the rest of the program knows them) ----
  QGroupBox* Frame1 = nullptr;
  QLineEdit* VonText = nullptr;
  QLabel* BisLabel = nullptr;
  QLineEdit* BisText = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtStep = nullptr;
  QPushButton* AktuellButton = nullptr;
  QCheckBox* CheckAuto = nullptr;
  QPushButton* CommandZA = nullptr;
  QPushButton* cmdZeitVerdichten = nullptr;
  QTableView* FGridT = nullptr;
  QAction* mnuSpeichernUnter = nullptr;
  QAction* mnuExportExcel = nullptr;
  QAction* mnuDrucken = nullptr;
  QAction* mnuEnde = nullptr;
  QAction* mnuOptionen = nullptr;
  QAction* mnuHilfe = nullptr;

  // The help topic of the window.
  static constexpr int16_t kHilfekontext = 60;

 protected:
  bool event(QEvent* ereignis) override;
  void closeEvent(QCloseEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void kopfSchreiben();
  void spaltenbreitenSetzen();
  void ansichtNachfuehren();
  void aktuelleZelleVorgeben();
  static void inDieZwischenablage(const QString& text);

  Tabellenmodell* modell_ = nullptr;
  QTimer* nachfuehren_ = nullptr;
  // What the view is to show once the timer runs (grid rows, -1: nothing).
  int aktuelleZeile_ = -1;
  int aktuelleSpalte_ = 1;
  int obersteZeile_ = -1;
  std::function<void()> optionen_;
  // True while a fill runs (its message box lets events through).
  bool fuelltGerade_ = false;
  // The window's own message boxes. Closing one hands the activation back
  // to the window; that return is no activation by the user, so it neither
  // resets the fields nor lists the measurement anew (which would throw
  // away what the user typed and repeat a refusal over and over).
  void melden(const QString& text, Symbol symbol = Symbol::Keins, const QString& titel = kAnwendungstitel);
  void fehlerMelden(const QString& label, const std::exception& fehler);
  int offeneMeldungen_ = 0;
  // Set when a box of the window took the activation away; the activation
  // that follows is the box's return.
  bool meldungHatAktivierung_ = false;
};

}  // namespace pv
