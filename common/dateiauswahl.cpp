#include "dateiauswahl.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace pv {

namespace {

QString zeigen(QFileDialog& dialog, const QString& ordner, const QString& filter) {
  dialog.setNameFilters(filter.split(QStringLiteral(";;")));
  dialog.setDirectory(startordner(ordner));
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList dateien = dialog.selectedFiles();
  return dateien.isEmpty() ? QString() : dateien.first();
}

Dateiauswahl*& gesetzt() {
  static Dateiauswahl* auswahl = nullptr;
  return auswahl;
}

}  // namespace

QString startordner(const QString& gemerkt) {
  if (!gemerkt.isEmpty() && QFileInfo(gemerkt).isDir()) return gemerkt;
  const QString dokumente = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
  return QFileInfo(dokumente).isDir() ? dokumente : QDir::homePath();
}

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
