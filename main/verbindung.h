#pragma once

#include <QObject>
#include <functional>
#include <memory>

#include "acquisition/empfang.h"
#include "main/datenlinie.h"

class QTimer;

namespace pv {

class Form1;

// The connection to the current device: the connect button, the polling of
// request-mode devices, the receive path of the serial port, and the timers
// that report missing replies and switch the indicators off again. It works
// on the main window's controls and the acquisition state.
class Verbindung : public QObject {
  Q_OBJECT

 public:
  explicit Verbindung(Form1& form);
  ~Verbindung() override;

  // Connects when the button says "Verbinden", otherwise disconnects.
  void CommandPort_Click();
  // One poll of a request-mode device (also run once at connect).
  void Timer2_Timer();
  void timerDA_Timer();
  void timerTimeOut_Timer();

  // Called for every accepted record: the lamp on the device's side, the
  // no-data watchdog's full interval anew when asked, the data line when
  // asked.
  void datensatzAusgewertet(bool wachhundNeuStarten, bool datenlinieAnimieren);

  // The no-data watchdog after its settings changed.
  void zeitueberwachungSetzen();

  // The record evaluation and the USB meter; unset, records are dropped
  // and the USB meter is not read.
  std::function<void(const QByteArray&)> DatensatzAuswerten;
  std::function<QByteArray()> usbLesen;

  Empfang& empfang() { return *empfang_; }

  QTimer* Timer2;
  QTimer* timerDA;
  QTimer* timerTimeOut;
  QTimer* timerLEDPC;
  QTimer* timerLEDMessgeraet;
  QTimer* timerDatenliniePC;
  QTimer* timerDatenlinieMessgeraet;
  Datenlinie* datenliniePC;
  Datenlinie* datenlinieMessgeraet;

 private:
  void verbinden();
  void trennen();
  void anzeigeLeeren(const QString& platzhalter);
  void verbindungVerloren();
  void auswerten(const QByteArray& satz);
  bool wachhundAn() const;

  Form1& f_;
  std::unique_ptr<Empfang> empfang_;
  double simulationPhase_ = 0;
};

}  // namespace pv
