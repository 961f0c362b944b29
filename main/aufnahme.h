#pragma once

#include <QDateTime>
#include <QObject>
#include <QString>
#include <functional>

#include "acquisition/speichern.h"
#include "main/messdatei.h"

namespace pv {

class Form1;
class Verbindung;

// The recording: start, pause, continue and stop with the main window's
// three buttons, the abort after a failure, the intermediate save and the
// safety file. The storing step of the acquisition calls back into it.
class Aufnahme : public QObject, public Aufzeichnungsziel {
  Q_OBJECT

 public:
  Aufnahme(Form1& form, Verbindung& verbindung);

  void StartButton_Click();
  void PauseButton_Click();
  void StopButton_Click() override;
  bool ZwischenSpeichern() override;
  bool Sicherheitsdatei() override;
  void MessungBeendetMelden(bool zwischenGespeichert, bool sicherheitGespeichert) override;
  void MessungAbbrechen(const QString& grund, int nummer, const QString& text) override;
  // The abort's steps without its message: stop, the safety file, the
  // recording marked as ended. Each step is tried even when one fails.
  // False when the safety file could not be written.
  bool AbbrechenOhneMeldung();
  // The stop of an end without a box, the safety file left to the caller.
  void anhaltenOhneMeldung();
  // The stop in the recording's data alone, for an end in which no widget
  // may be touched: no value is stored any more, the end time is set, the
  // recording is marked as ended.
  void anhaltenOhneFenster();
  // The safety file's content, for the saves the user does not ask for (a
  // checkpoint of the session, an end without a box), which leave the
  // measurement's name and the path label as they are. Nothing when the
  // measurement cannot be written.
  std::optional<QByteArray> sicherheitsdateiInhalt() const;
  void AnzahlSetzen(const QString& text) override;
  QString EndeText() const override;
  void EndeTextSetzen(const QString& text) override;

  // Writes the current measurement to `datei`; on success the measurement
  // is named after the file and the path label shows it.
  bool MessungSpeichern(const QString& datei, Verweise verweise = Verweise::Folgen);

  // The measurement's texts as the main window's boxes hold them, and back.
  Messtexte messtexte() const;
  void messtexteSetzen(const Messtexte& texte);
  // What the file records of the processing choice.
  QString messInfo() const;

  // Resets the open table window to its header row; set by the program
  // when the table window exists.
  std::function<void()> tabelleLeeren;

 private:
  void farben(uint32_t start, uint32_t pause, std::optional<uint32_t> stop);
  // The end time of a running recording: its start on the wall clock plus
  // the running time since, so that start, end and the values' times agree
  // though the wall clock was set meanwhile. Without a running recording
  // the end time stays as it is. True when it was set.
  bool endzeitSetzen();

  Form1& f_;
  Verbindung& verbindung_;
  QDateTime beginn_;  // the running recording's start on the wall clock
};

}  // namespace pv
