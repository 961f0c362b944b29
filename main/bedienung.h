#pragma once

#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>

class QWidget;

namespace pv {

class Zahlenfeld;
class Form1;
struct Form1Steuerelemente;
class Verbindung;

// The main window's own behaviour beyond acquisition and recording: the
// numeric boxes and the processing choice, the measurement settings, the
// about box, the animation and tool-tip items, the hidden service keys, the
// computer picture and the debug file. It works on the main window's
// controls and the settings in force (hauptmodul().einstellungen).
class Hauptfensterbedienung : public QObject {
  Q_OBJECT

 public:
  Hauptfensterbedienung(Form1& form, Verbindung& verbindung);

  // After the settings were shown in the window at start-up: the stored
  // computer picture, the data line and, when the settings file asked for
  // them, the tool tips.
  void nachDemEinlesen();

  // "Messung..." (modal), "Info..." (modal), "Debug-Datei anzeigen".
  void MMessung_Click();
  void MInfo_Click();
  void MDebugDateiAnzeigen_Click();
  // The check items "Animation" and "ToolTipps".
  void MAnimation_Click();
  void MToolTipps_Click();
  // Ctrl+Alt+S, Ctrl+Alt+A, Ctrl+Alt+D; false for any other key.
  bool Form_KeyDown(int taste, Qt::KeyboardModifiers umschalter);
  // The next computer picture (also the start-up's way to show the stored one).
  void imgPC_DblClick();
  // Lays the data line out in the current style, or hides it.
  void DatenlinieAufbauen();
  // Sets (1) or clears the tool tips of the main window and the table window.
  void ToolTippsSetzen(int16_t setzen);

  // The table window, made (hidden) when needed; unset while the views are
  // not attached.
  std::function<QWidget*()> tabellenfenster;

  Zahlenfeld* wartezeitFeld() const { return wartezeit_; }

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  void eingabefelderAnlegen();
  void OptionLinear_Click();
  void wartezeitUebernehmen(float sekunden);

  Form1& f_;
  Form1Steuerelemente& c_;
  Verbindung& verbindung_;
  Zahlenfeld* wartezeit_ = nullptr;
  Zahlenfeld* steigung_ = nullptr;
  Zahlenfeld* achsenabschnitt_ = nullptr;
};

}  // namespace pv
