#include "sicherung.h"

#include <QDir>

#include "common/programmordner.h"
#include "main/hauptzustand.h"

namespace pv {

QString sicherungsordner() {
  const QString& eigener = hauptmodul().Sicherungsordner;
  return eigener.isEmpty() ? Programmordner::pfad() : eigener;
}

QString sicherungsdatei(const QString& name) { return QDir(sicherungsordner()).filePath(name); }

QString zwischenspeicherFehlerText(const QTime& zeit) {
  return QStringLiteral("Zwischenspeichern um %1 fehlgeschlagen!").arg(zeit.toString(QStringLiteral("HH:mm:ss")));
}

QString messungBeendetText(bool zwischenGespeichert, bool sicherheitGespeichert, const QString& ordner) {
  QString text = QStringLiteral("Die Messung ist beendet!");
  if (zwischenGespeichert && sicherheitGespeichert) return text;
  const QString was = !zwischenGespeichert && !sicherheitGespeichert
                          ? QStringLiteral("Die Zwischenspeicherung und die Sicherheitsdatei konnten")
                      : !zwischenGespeichert ? QStringLiteral("Die Zwischenspeicherung konnte")
                                             : QStringLiteral("Die Sicherheitsdatei konnte");
  text += QStringLiteral("\r\n\r\n%1 im Ordner\r\n%2\r\nnicht geschrieben werden.\r\n"
                         "Bitte speichern Sie die Messung mit \"Speichern unter...\".")
              .arg(was, QDir::toNativeSeparators(ordner));
  return text;
}

}  // namespace pv
