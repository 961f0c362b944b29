#pragma once

#include <QDialog>
#include <QSize>
#include <array>

#include "devices/geraeteeditor.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pv {

// The device editor window "Eigenes Gerät definieren/ändern": one device
// definition in its controls, grouped as name, kind, record format, serial
// settings, data transfer, range recognition and picture, with the two save
// buttons. The rules live in GeraeteEditor; the window fills its controls
// from an EditorAnsicht, reads them into GeraeteEingaben and wires the
// enabling between them. Modal; every close leaves GeraetMenueIndex at -1.
class GerEigen : public QDialog {
  Q_OBJECT

 public:
  // `bildMax` is the main window's device picture area, shown as the largest
  // picture size. Without a file-name dialog of its own in `umfeld` the
  // window asks with "Dateiname ...".
  GerEigen(GerEigenUmfeld umfeld, QSize bildMax, QWidget* parent = nullptr);

  // Fills the window for the named device, or for a new one ("").
  void GeraetBearbeiten(const QString& messgeraet);
  // Shows the picture file in the picture area, or "kein Bild vorhanden".
  void ImageDarstellen(const QString& bild);
  // A save button: 0 "Gerät speichern unter ...", 1 "Änderungen speichern".
  void UebernButton_Click(int index);

  // What the controls hold.
  GeraeteEingaben eingaben() const;

  QLineEdit* GerBezText = nullptr;
  std::array<QRadioButton*, 6> OptionGeraet{};
  QLineEdit* TextMBVoll = nullptr;
  QLineEdit* txtDatenStringLaenge = nullptr;
  QLineEdit* txtLetzteZeichen = nullptr;
  QLineEdit* txtMesswertStart = nullptr;
  QLineEdit* txtMesswertStop = nullptr;
  QLineEdit* txtVorzeichenStelle = nullptr;
  QLineEdit* txtEinheit1_0 = nullptr;
  QLineEdit* txtEinheit1_1 = nullptr;
  QLineEdit* txtEinheit2_0 = nullptr;
  QLineEdit* txtEinheit2_1 = nullptr;
  QCheckBox* chkDatenformatAutomatischErkennen = nullptr;
  QGroupBox* frameSchnittstellenparameter = nullptr;
  QComboBox* Baud = nullptr;
  QComboBox* Paritaet = nullptr;
  QComboBox* Datenbits = nullptr;
  QComboBox* Stopbits = nullptr;
  QCheckBox* chkRTS = nullptr;
  QCheckBox* chkDTR = nullptr;
  QRadioButton* OptionTransferAktiv = nullptr;
  QRadioButton* OptionTransferPassiv = nullptr;
  QLineEdit* TextTransferzeichen = nullptr;
  QLineEdit* TextDatenTransferZeit = nullptr;
  QRadioButton* OptionMBAuto = nullptr;
  QRadioButton* OptionMBManuell = nullptr;
  std::array<QRadioButton*, 3> OptionZeichenStelle{};  // 1, 2, 3
  QLineEdit* TextZeichenStelle = nullptr;
  QLabel* Label7 = nullptr;
  QGroupBox* FrameMessbereichZeichen = nullptr;
  std::array<QLabel*, 7> LabelZeichen{};
  std::array<QLineEdit*, 6> TextMBZeichen{};
  QLineEdit* TextBildDateiEigenGeraet = nullptr;
  QPushButton* CommandBildWaehlen = nullptr;
  QPushButton* cmdNoPic = nullptr;
  QLabel* Shape1 = nullptr;
  QLabel* Image1 = nullptr;
  QLabel* picNoPic = nullptr;
  QLabel* LabelPicSize = nullptr;
  std::array<QPushButton*, 2> UebernButton{};
  QPushButton* CommandAbbrechen = nullptr;
  QPushButton* cmdHilfe = nullptr;

  void done(int ergebnis) override;

 protected:
  void keyPressEvent(QKeyEvent* ereignis) override;

 private:
  QWidget* kopfAnlegen();
  QWidget* formatAnlegen();
  QWidget* schnittstelleAnlegen();
  QWidget* transferAnlegen();
  QWidget* messbereichAnlegen();
  QWidget* bildAnlegen(QSize bildMax);
  QLineEdit* textfeld(const QString& name);
  void anzeigen(const EditorAnsicht& a);
  void OptionGeraet_Click(int index);
  void messbereichSchalten(bool automatisch);
  void chkDatenformatAutomatischErkennen_Click(bool an);
  void CommandBildWaehlen_Click();
  std::array<QLineEdit*, 7> positionsfelder() const;

  GeraeteEditor editor_;
};

}  // namespace pv
