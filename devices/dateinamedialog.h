#pragma once

#include <QDialog>
#include <QString>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace pv {

// The window "Dateiname ..." in which a device definition saved with "Gerät
// speichern unter ..." gets its file name: the device files already in the
// folder, a name box, "OK" and "Abbrechen". It only chooses the name; the
// caller writes the file.
class frmtqFileDlg : public QDialog {
  Q_OBJECT

 public:
  // Lists the device files of `ordner` (the program folder when empty).
  explicit frmtqFileDlg(const QString& ordner, QWidget* parent = nullptr);

  // "OK": the name with ".ger", after the overwrite question; the window
  // stays open on an empty or impossible name or a declined overwrite.
  void cmdOK_Click();
  // "Abbrechen": no name.
  void cmdCancel_Click();

  QString Ordner;
  // The chosen file name without folder; empty when cancelled.
  QString Datei;

  QListWidget* lstDateiNamen = nullptr;
  QLineEdit* txtDateiName = nullptr;
  QPushButton* cmdOK = nullptr;
  QPushButton* cmdCancel = nullptr;
};

// Shows the window modally with `vorschlag` in the name box; the chosen
// file name, empty when cancelled.
QString dateinameFuerGeraet(const QString& ordner, const QString& vorschlag, QWidget* parent);

}  // namespace pv
