#include "sicherung.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "common/programmordner.h"
#include "common/textdatei.h"
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
  const QString text = QStringLiteral("Die Messung ist beendet!");
  if (zwischenGespeichert && sicherheitGespeichert) return text;
  const QString was = !zwischenGespeichert && !sicherheitGespeichert
                          ? QStringLiteral("Die Zwischenspeicherung und die Sicherheitsdatei konnten")
                      : !zwischenGespeichert ? QStringLiteral("Die Zwischenspeicherung konnte")
                                             : QStringLiteral("Die Sicherheitsdatei konnte");
  return text + QStringLiteral("\r\n\r\n") + nichtGeschriebenText(was, ordner);
}

QString nichtGeschriebenText(const QString& was, const QString& ordner) {
  return QStringLiteral("%1 im Ordner\r\n%2\r\nnicht geschrieben werden.\r\n"
                        "Bitte speichern Sie die Messung mit \"Speichern unter...\".")
      .arg(was, QDir::toNativeSeparators(ordner));
}

namespace {

// Where `pfad` is a file, it as `Ersatzdatei`; else one with no path.
Ersatzdatei ersatzdatei(const QString& pfad) {
  const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return {};
  return {pfad, std::shared_ptr<const int>(new int(fd), [](const int* f) {
            ::close(*f);
            delete f;
          })};
}

// Whether the name of `vorige` in `ersatz` still holds that very file.
bool nochEigene(const Ersatzdatei& vorige, const QDir& ersatz) {
  struct stat offen {}, jetzt {};
  return vorige.offen && ::fstat(*vorige.offen, &offen) == 0 &&
         ::lstat(QFile::encodeName(vorige.pfad).constData(), &jetzt) == 0 && S_ISREG(jetzt.st_mode) &&
         jetzt.st_dev == offen.st_dev && jetzt.st_ino == offen.st_ino && QFileInfo(vorige.pfad).dir() == ersatz;
}

QString neueErsatzdatei(const QByteArray& inhalt, const QDir& ersatz) {
  for (int n = ersatz == QDir(Programmordner::pfad()) ? 2 : 1; n <= 99; ++n) {
    const QString pfad = ersatz.filePath(n == 1 ? kSicherheitsdatei : QStringLiteral("pvsave-%1.tmp").arg(n));
    switch (dateiNeuAnlegen(pfad, inhalt)) {
      case Neuanlage::Angelegt:
        return pfad;
      case Neuanlage::NameBelegt:
        continue;
      case Neuanlage::Fehlgeschlagen:
        return {};
    }
  }
  return {};
}

}  // namespace

QString sicherheitsdateiAblegen(const QByteArray& inhalt, const QString& ersatzordner, Ersatzdatei& vorige) {
  const QString datei = sicherungsdatei(kSicherheitsdatei);
  if (dateiErsetzen(datei, inhalt, Verweise::NurEigene)) return datei;
  const QDir ersatz(ersatzordner);
  if (ersatzordner.isEmpty() || ersatz == QDir(sicherungsordner()) || !QDir().mkpath(ersatzordner)) return {};
  const QString geschrieben = nochEigene(vorige, ersatz)
                                  ? (dateiErsetzen(vorige.pfad, inhalt, Verweise::NurEigene) ? vorige.pfad : QString())
                                  : neueErsatzdatei(inhalt, ersatz);
  if (!geschrieben.isEmpty()) vorige = ersatzdatei(geschrieben);
  return geschrieben;
}

QString sicherheitsdateiAusweichText(const QString& ordner, const QString& ersatzordner, const QString& geschrieben) {
  if (!geschrieben.isEmpty()) {
    return QStringLiteral("Die Sicherheitsdatei konnte im Ordner %1 nicht geschrieben werden; "
                          "die Messwerte sind in %2 gesichert.")
        .arg(QDir::toNativeSeparators(ordner), QDir::toNativeSeparators(geschrieben));
  }
  return QStringLiteral("Die Sicherheitsdatei konnte weder im Ordner %1 noch im Ordner %2 geschrieben werden; "
                        "die nicht gespeicherten Messwerte sind verloren.")
      .arg(QDir::toNativeSeparators(ordner), QDir::toNativeSeparators(ersatzordner));
}

}  // namespace pv
