#pragma once

#include <QDialog>
#include <QStringList>
#include <cstdint>
#include <vector>

#include "devices/kennlinienbild.h"
#include "devices/sensordatei.h"

class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace pv {

// The sensor editor "Sensor auswählen/bearbeiten/hinzufügen": lists the
// sensor files of the program folder by their designations, shows the
// selected characteristic as value pairs and as a curve, takes new and
// changed pairs through a text box floated over the grid cell being edited,
// validates and saves them, and on "Übernehmen/Ende" makes the selected
// characteristic the active one. The grid's row r is table row r - 1: row 0
// of the grid is the header with the axis labels.
class FormMessfuehler : public QDialog {
  Q_OBJECT

 public:
  // `labelFuehler`: the designation of the active sensor, preselected in
  // the list when a file carries it.
  FormMessfuehler(const QString& labelFuehler, QChar dezimaltrennzeichen, QWidget* parent = nullptr);

  // Writes the entry (designation, labels, grid) to the file: 1 written, 0
  // failed (reported through the error handler).
  int16_t FuehlerSpeichern(const QString& Datei);
  // Reads a file into the editing characteristic and Sensorname and shows
  // it; false when the file is no sensor file or could not be read whole.
  bool FuehlerEinlesen(const QString& Datei);

  // Handlers, public so the program and tests can drive them.
  void List1_Click();
  void CommandAendern_Click();
  void CommandHinzufuegen_Click();
  void CommandAuswaehlen_Click();
  void CommandMFNeuEingabe_Click();
  void CommandMFNeuAbbrechen_Click();

  // Set by "Übernehmen/Ende" when it made a characteristic active: the main
  // window shows Sensorname and chooses the sensor processing.
  bool uebernommen() const { return uebernommen_; }

  const QStringList& FuehlerDateien() const { return FuehlerDateien_; }
  bool ModusNeu() const { return ModusNeu_; }
  bool ModusBearbeiten() const { return ModusBearbeiten_; }
  // The grid's pair rows (grid rows 1..), as typed.
  std::vector<SensorZellen> zellen() const;

  QLabel* Label1 = nullptr;
  QListWidget* List1 = nullptr;
  QPushButton* CommandAendern = nullptr;
  QPushButton* CommandHinzufuegen = nullptr;
  QPushButton* CommandAuswaehlen = nullptr;
  QPushButton* CommandAbbrechen = nullptr;
  KennlinienBild* PicFuehler = nullptr;
  QTableWidget* FGrid = nullptr;
  QLineEdit* Text1 = nullptr;
  QGroupBox* FrameMFNeu = nullptr;
  QLineEdit* TextMFNeuBez = nullptr;
  QLineEdit* TextMFNeuXAchse = nullptr;
  QLineEdit* TextMFNeuYAchse = nullptr;
  QPushButton* CommandMFNeuEingabe = nullptr;
  QPushButton* CommandMFNeuAbbrechen = nullptr;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

 private:
  void anlegen();
  void FormLoad(const QString& labelFuehler);
  void zeilenSetzen(int gridZeilen);
  void kopfSetzen(const QString& x, const QString& y);
  void kennlinieZeigen();
  void eingabeSchliessen();
  void browsenErmoeglichen(bool jaNein);
  void speichernNeu();
  void speichernBearbeitet();
  void Text1Platzieren();
  void Text1Verschieben();
  bool Text1Taste(int taste);
  bool FGridTaste(QKeyEvent* ereignis);
  int aktuelleGridZeile() const;
  // The selected list position, -1 for none.
  int gewaehlteZeile() const;

  QChar dezimal_;
  QStringList FuehlerDateien_;
  bool ModusNeu_ = false;
  bool ModusBearbeiten_ = false;
  int AktZeile_ = 0;
  int AktSpalte_ = 0;
  QString AlterText_;
  // The selected file was read whole: only then can it become active.
  bool gelesen_ = false;
  bool uebernommen_ = false;
};

}  // namespace pv
