#pragma once

#include <QMainWindow>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <cstdint>


class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QTimer;

namespace pv {

class Balkenanzeige;
class LEDs;
class SeriellerPort;

// The main window: its controls and menus. It holds no logic of its own
// beyond wiring; the start-up, the device handling and the settings are
// driven from outside through the public controls and the few operations
// below. Controls keep the names the rest of the program knows them by.
class Form1 : public QMainWindow {
  Q_OBJECT

 public:
  explicit Form1(QWidget* parent = nullptr);
  ~Form1() override;

  // Closing the window and "Ende" ask the exit procedure, which the
  // program sets; the window never closes by itself.
  void ProgrammBeenden();
  std::function<void()> beendenAnfrage;

  // Shows a text in the status line; it is cleared 3 seconds after its
  // last change.
  void StatusSetzen(const QString& text);

  // The chosen processing option: 1 device value, 2 linear function,
  // 3 sensor, 0 none.
  int16_t Messwertverarbeitung() const;

  // Enables or disables the settings controls that must not change while
  // a device is connected or a recording runs.
  void EinstellungenErmoeglichen(bool jaNein);

  // Order-of-magnitude button i (0..7): factor, label and the bold button.
  void CommandMB_Click(int16_t index);

  // Ticks COM port item i (1..10) and remembers the number.
  void MCom_Click(int16_t index);
  int16_t ComPortNummer() const;
  // The serial port the acquisition uses (not opened at start-up).
  std::unique_ptr<SeriellerPort> MSComm1;

  // The "Messgerät" menu: items 1..k carry the device names.
  void mnuMessgeraeteNeuAufbauen(const QStringList& namen);
  QStringList mnuMessgeraeteNamen() const;
  void mnuMessgeraeteHaken(int16_t index);  // tick one item, untick the rest
  void mnuMessgeraeteBeschriftung(int16_t index, const QString& name);
  // Raised when the user clicks device item i (1-based).
  std::function<void(int16_t)> geraetGewaehlt;
  std::function<void()> geraetelisteOeffnen;

  // The recent files in the "Datei" menu, by their stored captions
  // ("&1 " and the path).
  void LetzteDateienZeigen(const QStringList& beschriftungen);
  // Raised when the user clicks recent entry i (1-based).
  std::function<void(int)> letzteDateiGewaehlt;

  // Loads a picture into the device picture area, fitted into the box
  // (keeping its proportions) and centred; false when the file is empty or
  // cannot be read.
  bool GeraetebildLaden(const QString& datei, QSize box);
  void KeinBildZeigen(bool zeigen);
  // The device picture area's inner size in pixels.
  QSize GeraetebildFlaeche() const;

  // ---- controls (names as the rest of the program uses them) ----
  // Recording
  QPushButton* StartButton = nullptr;
  QPushButton* PauseButton = nullptr;
  QPushButton* StopButton = nullptr;
  QLabel* PicStatStart = nullptr;
  QLabel* PicStatPause = nullptr;
  QLabel* PicStatStop = nullptr;
  // Measurement frame
  QLineEdit* TextAufzPause = nullptr;
  QLabel* LabelNumMW = nullptr;
  // Processing
  QGroupBox* FrameMWVerarbeitung = nullptr;
  QRadioButton* OptionMWMessgeraet = nullptr;
  QRadioButton* OptionLinear = nullptr;
  QRadioButton* OptionFuehler = nullptr;
  QLineEdit* TextM = nullptr;
  QLineEdit* TextT = nullptr;
  QLabel* LabelMT = nullptr;
  QLabel* LabelFuehler = nullptr;
  QPushButton* CommandMessfuehlerAendern = nullptr;
  // Description
  QLineEdit* TextMessBezeichnung = nullptr;
  QLineEdit* TextPhysGr = nullptr;
  QLineEdit* TextZeichen = nullptr;
  QLineEdit* TextEinheit = nullptr;
  // Device / comment pages
  QTabWidget* FrameOptional = nullptr;
  QLabel* LabelMGBezeichnung = nullptr;
  QLabel* LabelMessgeraet = nullptr;
  QTextEdit* TextKommentar = nullptr;
  // Data transfer picture
  QLabel* picMessgeraet = nullptr;
  QLabel* picNoPic = nullptr;
  QLabel* picPC = nullptr;
  LEDs* LEDMessgeraet = nullptr;
  LEDs* LEDPC = nullptr;
  QWidget* picAni = nullptr;  // the data line between the pictures
  QVector<LEDs*> LEDAniPC;
  QVector<LEDs*> LEDAniMessgeraet;
  QPushButton* CommandPort = nullptr;
  QLabel* PicVerbindungStatus = nullptr;
  // Value display
  QLabel* LabelMesswert = nullptr;
  QLabel* LabelEinheit1 = nullptr;
  QLabel* LabelEinheit2 = nullptr;
  QRadioButton* OptionWert1 = nullptr;
  QRadioButton* OptionWert2 = nullptr;
  Balkenanzeige* PBar2 = nullptr;
  QLabel* lblPbar = nullptr;
  QGroupBox* FrameMBmanuell = nullptr;
  std::array<QPushButton*, 8> CommandMB{};
  QLabel* LabelMBaktuell = nullptr;
  // Status and file labels
  QLabel* Label1 = nullptr;
  QLabel* MesBegLabel = nullptr;
  QLabel* MesEndLabel = nullptr;
  QLabel* MessungLabel = nullptr;
  QTimer* timerStatusLoeschen = nullptr;

  // ---- menus ----
  QMenu* MGeraet = nullptr;
  QMenu* MEinstell = nullptr;
  QMenu* MComport = nullptr;
  std::array<QAction*, 11> MCom{};  // 1..10
  QAction* MMesOeff = nullptr;
  QAction* MSpeichern = nullptr;
  QAction* MMesSpUn = nullptr;
  QAction* MExport = nullptr;
  QAction* MEnde = nullptr;
  QAction* MDSPL = nullptr;
  QAction* MTabelle = nullptr;
  QAction* MGrafik = nullptr;
  // Shown only in the debug mode (Ctrl+Alt+D): a separator and the item
  // that opens the debug file; "Gerätedaten anzeigen" stays hidden.
  QAction* MLineDebug = nullptr;
  QAction* MDebugDateiAnzeigen = nullptr;
  QAction* MDebugGeraetedatenAnzeigen = nullptr;
  QAction* MGerHinLoe = nullptr;
  QAction* MMessung = nullptr;
  QAction* MMessgeraet = nullptr;
  QAction* MOptionen = nullptr;
  QAction* MAnimation = nullptr;
  QAction* MToolTipps = nullptr;
  QAction* MHilfe = nullptr;
  QAction* MWhatsThis = nullptr;
  QAction* MInfo = nullptr;

 protected:
  void closeEvent(QCloseEvent* ereignis) override;

 private:
  void menuesAnlegen();
  QWidget* aufzeichnungAnlegen();
  QWidget* messungAnlegen();
  QWidget* verarbeitungAnlegen();
  QWidget* bezeichnungAnlegen();
  QWidget* optionalAnlegen();
  QWidget* datenuebertragungAnlegen();
  QWidget* anzeigeAnlegen();
  QWidget* groessenordnungAnlegen();
  QWidget* dateiLabelsAnlegen();
  void namenVergeben();

  QAction* mnuMessgeraeteTrenner_ = nullptr;
  QMenu* MDatei_ = nullptr;
  QVector<QAction*> MLetzte4_;   // the recent files
  QAction* MLetzte4Trenner_ = nullptr;
  QVector<QAction*> mnuMessgeraete_;  // 1..k (element 0 unused)
  int16_t mnuHaken_ = -1;             // the ticked device item
};

// The background colour of a status box (0x00BBGGRR).
void feldFarbeSetzen(QLabel* feld, uint32_t bgr);
uint32_t feldFarbe(const QLabel* feld);

// Colours of the status boxes (0x00BBGGRR).
inline constexpr uint32_t kStatusGruenDunkel = 0x008000;
inline constexpr uint32_t kStatusGruenHell = 0x00FF00;
inline constexpr uint32_t kStatusPauseRuhe = 0x0056AC;
inline constexpr uint32_t kStatusStopRuhe = 0x2222AA;

}  // namespace pv
