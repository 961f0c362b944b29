#pragma once

#include <QMainWindow>
#include <QVector>
#include <array>
#include <functional>
#include <memory>
#include <cstdint>

#include "main/einstellungen.h"
#include "main/form1steuerelemente.h"
#include "main/messdatei.h"

class QAction;
class QGroupBox;
class QImage;
class QLabel;
class QLineEdit;
class QMenu;
class QPixmap;
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
// driven by its wiring in main/, which alone reaches the controls
// (Form1Steuerelemente). Other code sees the operations, the signals and
// the menus below.
class Form1 : public QMainWindow, private Form1Steuerelemente {
  Q_OBJECT

  // The window's own wiring reaches its controls.
  friend class Programm;
  friend class Verbindung;
  friend class Aufnahme;
  friend class Datenauswertung;
  friend class Dateimenue;
  friend class Sensorwahl;
  friend void einstellungenAnwenden(Form1& f, const Einstellungen& e, QChar dezimal);
  friend void einstellungenSammeln(const Form1& f, Einstellungen& e, QChar dezimal);
  friend Form1Steuerelemente& steuerelemente(Form1& f);
  friend const Form1Steuerelemente& steuerelemente(const Form1& f);

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
  // "Einstellungen > M&essgerät...": the device editor on the current device.
  std::function<void()> messgeraetBearbeiten;

  // The recent files in the "Datei" menu, by their stored captions
  // ("&1 " and the path).
  void LetzteDateienZeigen(const QStringList& beschriftungen);
  // Raised when the user clicks recent entry i (1-based).
  std::function<void(int)> letzteDateiGewaehlt;

  // Loads a picture into the device picture area, fitted into hMax x wMax
  // and placed against `punkt` (in the area's pixels) by the alignment code,
  // as bildPlatzieren says; what lies beyond the area is cut off. False, the
  // picture hidden, when the file is empty or cannot be read.
  bool GeraetebildLaden(const QString& datei, const QString& ausrichtung, QPoint punkt, int hMax, int wMax);
  void KeinBildZeigen(bool zeigen);
  // The device picture area's inner size in pixels.
  QSize GeraetebildFlaeche() const;

  // The texts that describe the measurement (title, quantity, symbol,
  // unit, comment) as the boxes hold them, and setting them all.
  Messtexte messtexte() const;
  void messtexteSetzen(const Messtexte& texte);

  // ---- menus: other code connects its handlers and adds its items ----
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

 signals:
  // The title box changed; the quantity, symbol or unit changed.
  void TitelGeaendert(const QString& titel);
  void GroesseGeaendert();

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

// A picture fitted into a box of that size, keeping its proportions and
// never enlarged, for a screen of the given device pixel ratio (its size in
// logical pixels is the fitted size, its detail the ratio's).
QPixmap bildEingepasst(const QImage& bild, QSize box, qreal verhaeltnis);

// Colours of the status boxes (0x00BBGGRR).
inline constexpr uint32_t kStatusGruenDunkel = 0x008000;
inline constexpr uint32_t kStatusGruenHell = 0x00FF00;
inline constexpr uint32_t kStatusPauseRuhe = 0x0056AC;
inline constexpr uint32_t kStatusStopRuhe = 0x2222AA;

}  // namespace pv
