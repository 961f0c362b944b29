#pragma once

#include <QLocale>
#include <QStringList>
#include <functional>
#include <memory>

#include "acquisition/geraeteauswahl.h"
#include "common/hauptfenster.h"
#include "devices/geraetedefinition.h"
#include "devices/geraetetabelle.h"
#include "main/einstellungen.h"
#include "main/sicherung.h"
#include "main/startlogik.h"

namespace pv {

class Form1;
class Verbindung;
class Aufnahme;
class Datenauswertung;
class Dateimenue;
class Hauptfensterbedienung;
class Sensorwahl;
class Ordnersperre;

// The program's life: the splash window, the start-up sequence that fills
// the main window, the device menu and the exit procedure, which every way
// of ending goes through. It connects the main window's controls to the
// settings, the device table and the device selection.
class Programm : public Hauptfenster, public GeraeteMenue, public GeraeteauswahlFenster {
 public:
  // `beenden` ends the process (the application's event loop); tests
  // record the call instead.
  Programm(QStringList argumente, QLocale locale, std::function<void()> beenden);
  ~Programm() override;

  // The splash window, then the start-up sequence, then the main window
  // shown. False when the start-up ended the program.
  bool starten();

  // The start-up sequence on its own (the main window stays hidden). False
  // when the program must end.
  bool FormLaden();

  // Exit: refuses while a recording runs, asks before unsaved values are
  // lost, writes the settings file and ends the program.
  void ProgrammBeenden() override;

  // The end the system asks for (a signal, the end of the session), when no
  // one can answer a box: a running or paused recording is stopped, values
  // not saved go to the safety file, the settings are written as the exit
  // procedure writes them (once the start-up has read them), and the
  // program ends. No box is shown; a failure goes to the error log. A
  // safety file its folder does not take goes to a fallback folder; a
  // line on standard error names the file written, or says that it went
  // nowhere (the exit code is then 1).
  void OhneRueckfrageBeenden();
  // The same without writing the settings.
  void SofortBeenden() override;
  // The desktop session asks to keep what would be lost, which it does
  // before it ends or as a mere checkpoint: values not saved go to the
  // safety file (a recording goes on), the settings are written, without a
  // box. The end itself comes later, as a quit request or a signal.
  void SitzungSichern();
  // The process ends through exit() past the program's own end (the display
  // is gone; see Notausgang): what the end without a box keeps is written
  // with file work only, no widget is changed and no box shown; then the
  // port and the program folder's lock are released.
  void ProzessendeSichern();
  // True once the program was told to end (endeBegonnen); the event loop
  // must not start (again) then.
  bool beendet() const;
  // The exit code of that end: 1 when values that would have been lost
  // went to no safety file, else 0.
  int endeStatus() const { return endeStatus_; }

  Form1& form1() { return *form1_; }
  Verbindung& verbindung() { return *verbindung_; }
  Aufnahme& aufnahme() { return *aufnahme_; }
  Datenauswertung& datenauswertung() { return *datenauswertung_; }
  Dateimenue& dateimenue() { return *dateimenue_; }
  Hauptfensterbedienung& bedienung() { return *bedienung_; }
  Sensorwahl& sensorwahl() { return *sensorwahl_; }
  // The device editor's definition record: the selection reads files into it.
  Geraetedefinition& gerEigen() { return gerEigen_; }

  // The device list window, modal.
  void MGerHinLoe_Click();
  // "Einstellungen > M&essgerät...": the device editor on the current device.
  void MMessgeraet_Click();
  // The file the device editor saved last; empty when none.
  const QString& LetzteDatei() const { return letzteDatei_; }

  // Called at exit just before the settings are written, so the windows
  // can put back what they keep of them.
  std::function<void(Einstellungen&)> vorDemSichern;

  // GeraeteMenue
  void menueNeuAufbauen(const QStringList& namen) override;
  void mnuMessgeraete_Click(int16_t index) override;
  Bearbeitet geraeteEditorOeffnen(const QString& name) override;

  // GeraeteauswahlFenster
  QString MenuepunktText(int16_t index) override;
  void GeraetBearbeiten(const QString& name) override;
  EinheitLabelMass EinheitLabelMessen(int label, const QString& breitenText,
                                      const QString& hoehenText) override;
  void EinheitSchriftgroessenSetzen(double groesse1, double groesse2) override;
  void MessbereichRahmenSetzen(const QString& titel, bool aktiv) override;
  int16_t BildLaden(const QString& datei, const QString& ausrichtung, int32_t x, int32_t y, int32_t hMax,
                    int32_t wMax) override;
  void BildPlatzhalterZeigen(bool zeigen) override;
  void StatuszeileSetzen(const QString& text) override;
  void GeraetAnzeigen(const QString& bezeichnung, const QString& zusammenfassung) override;
  void MenueAuswahlSetzen(int16_t index, const QString& text) override;

 private:
  // Locks the program folder for this copy before anything is written; a
  // copy that finds it held asks whether to go on. False: end the program.
  bool ordnerSperren();
  bool frueheSchritte();
  bool einstellungenLesen();
  void aktuellesGeraetPruefen();
  Beendenlage beendenlage() const;
  bool einstellungenSichern();
  void endeOhneMeldung(bool mitEinstellungen);
  // Values that would be lost go to the safety file after `anhalten` (if
  // given) has stopped a recording; false when no folder took it.
  bool sichernOhneMeldung(const std::function<void()>& anhalten, bool mitEinstellungen);
  // The safety file, in a fallback folder when its own does not take it;
  // a line on standard error and in the error log tells where it went then,
  // or that it went nowhere (false). At an end, a line on standard error
  // names it in its own folder too.
  bool sicherheitsdateiRetten();

  // The measurement named on the command line, resolved against the folder
  // the program was started in (the start-up moves into the program folder).
  QString kommandozeilenDatei_;
  QLocale locale_;
  std::function<void()> beenden_;
  std::unique_ptr<Form1> form1_;
  Verbindung* verbindung_ = nullptr;  // owned by the main window
  Aufnahme* aufnahme_ = nullptr;      // owned by the main window
  Dateimenue* dateimenue_ = nullptr;  // owned by the main window
  Hauptfensterbedienung* bedienung_ = nullptr;  // owned by the main window
  std::unique_ptr<Datenauswertung> datenauswertung_;
  std::unique_ptr<Sensorwahl> sensorwahl_;
  std::unique_ptr<Ordnersperre> sperre_;
  Ersatzdatei ersatzdatei_;  // this copy's last rescue in a fallback folder
  Geraetedefinition gerEigen_;
  QString letzteDatei_;
  bool editorOffen_ = false;
  bool einstellungenGelesen_ = false;  // the start-up has read the settings
  int endeStatus_ = 0;
};

}  // namespace pv
