#pragma once

#include <QVector>
#include <array>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTabWidget;
class QTextEdit;
class QTimer;
class QWidget;

namespace pv {

class Balkenanzeige;
class Form1;
class LEDs;

// The main window's controls, by the names the program knows them by. Only
// the window and its own wiring in main/ (start-up, connection, recording,
// value display, file menu, settings) reach them; other code uses the
// window's operations, its menus and the interfaces it serves.
struct Form1Steuerelemente {
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
  QLabel* imgGeraeteBild = nullptr;  // the device picture, placed inside picMessgeraet
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
  // Beside the status line: an intermediate save failed (until one succeeds).
  QLabel* LabelSicherungFehler = nullptr;
  QLabel* MesBegLabel = nullptr;
  QLabel* MesEndLabel = nullptr;
  QLabel* MessungLabel = nullptr;
  QTimer* timerStatusLoeschen = nullptr;
};

// The wiring's door to the controls (and the tests').
Form1Steuerelemente& steuerelemente(Form1& f);
const Form1Steuerelemente& steuerelemente(const Form1& f);

}  // namespace pv
