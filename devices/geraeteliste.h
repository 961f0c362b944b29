#pragma once

#include <QDialog>

#include "devices/geraetetabelle.h"

class QLabel;
class QListWidget;
class QPushButton;

namespace pv {

// The device list window "Geräteauswahl": the devices outside and inside the
// "Messgerät" menu side by side, moved between the lists with "-->" and
// "<--"; "OK" writes the choice and rebuilds the menu, "Abbrechen" (Esc)
// closes without writing. Loading the window scans the device folder afresh.
// The rules live in GeraeteAuswahl; the window only wires its controls to it.
class frmGeraeteListe : public QDialog {
  Q_OBJECT

 public:
  frmGeraeteListe(GeraeteMenue& menue, QChar dezimaltrennzeichen, QWidget* parent = nullptr);

  // Rescans the device files and refills both lists.
  void Initialisieren();
  // Writes the choice, rebuilds the menu and closes the window.
  void cmdOK_Click();

  const GeraeteAuswahl& auswahl() const { return auswahl_; }

  QListWidget* lstAll = nullptr;
  QListWidget* lstMenu = nullptr;
  QPushButton* cmdNachMenue = nullptr;  // "-->"
  QPushButton* cmdAusMenue = nullptr;   // "<--"
  QPushButton* cmdNeu = nullptr;
  QPushButton* cmdBearbeiten = nullptr;
  QPushButton* cmdLoeschen = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdAbbrechen = nullptr;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

 private:
  void listenAnzeigen();
  void cmdLoeschen_Click();

  GeraeteAuswahl auswahl_;
};

}  // namespace pv
