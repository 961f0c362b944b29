#include "speicherauswahl.h"

#include <QDir>
#include <QFileDialog>

namespace pv {

QString DialogSpeicherauswahl::speichern(QWidget* eltern, const QString& titel, const QString& ordner,
                                      const QString& vorschlag, const QString& filter,
                                      const QString& endung) {
  QFileDialog dialog(eltern, titel);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setNameFilter(filter);
  dialog.setDefaultSuffix(endung);
  // A folder that does not exist (any more) leaves the dialog where it opens anyway.
  if (!ordner.isEmpty() && QDir(ordner).exists()) dialog.setDirectory(ordner);
  dialog.selectFile(vorschlag);
  if (dialog.exec() != QDialog::Accepted) return {};
  const QStringList dateien = dialog.selectedFiles();
  return dateien.isEmpty() ? QString() : dateien.first();
}

namespace {
Speicherauswahl*& gesetzt() {
  static Speicherauswahl* auswahl = nullptr;
  return auswahl;
}
}  // namespace

Speicherauswahl& speicherauswahl() {
  static DialogSpeicherauswahl dialog;
  return gesetzt() ? *gesetzt() : dialog;
}

void speicherauswahlSetzen(Speicherauswahl* auswahl) { gesetzt() = auswahl; }

}  // namespace pv
