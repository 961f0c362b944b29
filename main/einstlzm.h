#pragma once

#include <QChar>
#include <QDialog>
#include <array>
#include <functional>

#include "main/langzeit.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace pv {

// The dialog "Einstellungen Messung ": automatic end, intermediate save,
// the no-data time-out and the limits of the values, plus a calculator for
// the waiting time between two stored values. It edits the settings in
// memory; OK stores them (after checking) and closes, "Abbrechen" closes.
class EinstLZM : public QDialog {
  Q_OBJECT

 public:
  // `ordner`: the folder of this copy's saves, home of the intermediate-save file.
  // `wartezeitUebernehmen` puts a waiting time into the main window;
  // `gespeichert` runs after OK stored the settings.
  EinstLZM(Einstellungen& e, QChar dezimal, QString ordner, std::function<void(float)> wartezeitUebernehmen,
           std::function<void()> gespeichert, QWidget* eltern = nullptr);

  void OKButton_Click();
  void CommandBerechnen_Click();
  void CommandWIPUe_Click();

  QCheckBox* CheckMessEndeAuto = nullptr;
  QLineEdit* TextMessDauer = nullptr;
  QRadioButton* OptionMin = nullptr;
  QRadioButton* OptionStd = nullptr;
  QCheckBox* CheckZwischenspeichern = nullptr;
  QLineEdit* TextZwischenspeichern = nullptr;
  QLineEdit* TextZSDatei = nullptr;
  QCheckBox* chkTimeOut = nullptr;
  QLineEdit* txtTimeOut = nullptr;
  QCheckBox* chkMin = nullptr;
  QLineEdit* txtMin = nullptr;
  QCheckBox* chkMax = nullptr;
  QLineEdit* txtMax = nullptr;
  std::array<QRadioButton*, 7> MD{};
  QLineEdit* TextMD = nullptr;
  std::array<QRadioButton*, 6> MW{};
  QLineEdit* TextMW = nullptr;
  QLabel* LabelWartezeit = nullptr;
  QPushButton* CommandBerechnen = nullptr;
  QPushButton* CommandWIPUe = nullptr;
  QPushButton* OKButton = nullptr;
  QPushButton* AbbrButton = nullptr;

  // The dialog's help topic (F1).
  static constexpr int16_t kHilfekontext = 40;

 protected:
  void keyPressEvent(QKeyEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  QWidget* allgemeinAnlegen();
  QWidget* rechnerAnlegen();
  Langzeitfelder felder() const;

  Einstellungen& e_;
  QChar dezimal_;
  QString ordner_;
  std::function<void(float)> wartezeitUebernehmen_;
  std::function<void()> gespeichert_;
};

}  // namespace pv
