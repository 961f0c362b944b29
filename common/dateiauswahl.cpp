#include "dateiauswahl.h"

#include <QDir>
#include <QFileDialog>

namespace pv {

namespace {

QString zeigen(QFileDialog& dialog, const QString& ordner, const QString& filter) {
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  // A folder that does not exist (any more) leaves the dialog where it opens anyway.
  if (!ordner.isEmpty() && QDir(ordner).exists()) dialog.setDirectory(ordner);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList dateien = dialog.selectedFiles();
  return dateien.isEmpty() ? QString() : dateien.first();
}

Dateiauswahl*& gesetzt() {
  static Dateiauswahl* auswahl = nullptr;
  return auswahl;
}

}  // namespace

QString DialogDateiauswahl::oeffnen(QWidget* eltern, const QString& titel, const QString& ordner,
                                    const QString& filter) {
  QFileDialog dialog(eltern, titel);
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  return zeigen(dialog, ordner, filter);
}

QString DialogDateiauswahl::speichern(QWidget* eltern, const QString& titel, const QString& ordner,
                                      const QString& vorschlag, const QString& filter, const QString& endung) {
  QFileDialog dialog(eltern, titel);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setDefaultSuffix(endung);
  dialog.selectFile(vorschlag);
  return zeigen(dialog, ordner, filter);
}

Dateiauswahl& dateiauswahl() {
  static DialogDateiauswahl dialog;
  return gesetzt() ? *gesetzt() : dialog;
}

void dateiauswahlSetzen(Dateiauswahl* auswahl) { gesetzt() = auswahl; }

}  // namespace pv
