#pragma once

#include <QDialog>
#include <array>

#include "views/einstellungslogik.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QToolButton;

namespace pv {

// The settings dialog "Einstellungen": the five display schemes, the
// printer's scheme, the number formats of time and values, the x-axis
// title, the graph's font and the level bar's mode. Every showing fills the
// controls from the stored settings (laden), so an edit left with
// "Abbrechen" is gone the next time. OK checks, stores into the settings and
// the graph's record, and lets an open graph window re-format its fields
// and take over the current scheme.
class FormEinstellungen : public QDialog {
  Q_OBJECT

 public:
  explicit FormEinstellungen(QWidget* eltern = nullptr);

  // Fills every control from the settings (Form_Load).
  void laden();
  // Checks and stores; the first failure is shown and the dialog stays open.
  void CommandOK_Click();

  Einstellungsfelder felder() const;
  void felderSetzen(const Einstellungsfelder& f);

  // ---- controls ----
  std::array<QLineEdit*, 6> TextLD{};  // 1..5
  std::array<QLineEdit*, 6> TextMPR{};
  std::array<QLineEdit*, 6> TextLDAchse{};
  std::array<QLineEdit*, 6> TextLDGitter{};
  // Per scheme 1..5: background, plotting area, text and lines, curve.
  std::array<std::array<QToolButton*, 4>, 6> Farbfelder{};
  QCheckBox* chkSchemaDrucker = nullptr;
  QLineEdit* TextNKSx = nullptr;
  QLineEdit* TextNKSy = nullptr;
  std::array<QRadioButton*, 7> OptionZahlenformatX{};
  std::array<QRadioButton*, 8> OptionZahlenformatY{};
  std::array<QRadioButton*, 2> optXBeschriftung{};
  QLineEdit* txtXBeschriftung = nullptr;
  QComboBox* ComboFont = nullptr;
  QCheckBox* CheckFF = nullptr;
  QLabel* LabelFontTest = nullptr;
  QCheckBox* chkTitelGroesseAuto = nullptr;
  QLineEdit* txtSchriftgroesseTitel = nullptr;
  QCheckBox* chkAchseGroesseAuto = nullptr;
  QLineEdit* txtSchriftgroesseAchsen = nullptr;
  QCheckBox* chkBargraphAktiviert = nullptr;
  QCheckBox* chkBargraphWertMax = nullptr;
  QCheckBox* chkBargraphProzent = nullptr;
  QPushButton* CommandOK = nullptr;
  QPushButton* CommandAbbrechen = nullptr;

 protected:
  void showEvent(QShowEvent* ereignis) override;
  void keyPressEvent(QKeyEvent* ereignis) override;

 private:
  QWidget* schemarahmenAnlegen();
  QWidget* zeitrahmenAnlegen();
  QWidget* messwertrahmenAnlegen();
  QWidget* schriftrahmenAnlegen();
  QWidget* bargraphrahmenAnlegen();
  void farbeWaehlen(QToolButton* feld);
  void XBeschriftungSetzen();
  void optXBeschriftung_Click(int16_t Index);
  void ComboFont_Click();
};

// Shows the settings dialog modally.
void einstellungenZeigen(QWidget* eltern);

}  // namespace pv
