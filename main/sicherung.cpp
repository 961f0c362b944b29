#include "sicherung.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

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

// Puts `inhalt` into `ordner` as this copy's rescue: over `vorige` while
// its name still holds that file, else under a rescue name still free.
QString retten(const QByteArray& inhalt, const QString& ordner, Ersatzdatei& vorige) {
  const QString geschrieben =
      nochEigene(vorige, QDir(ordner))
          ? (dateiErsetzen(vorige.pfad, inhalt, Verweise::NurEigene) ? vorige.pfad : QString())
          : dateiUnterFreiemNamen(ordner, rettungsname, inhalt);
  if (!geschrieben.isEmpty()) vorige = ersatzdatei(geschrieben);
  return geschrieben;
}

// The folder of this user's own in `basis`; that of `vorige` first, which
// may be one of unique name. Empty when none can be made.
QString eigenerOrdnerIn(const QString& basis, const Ersatzdatei& vorige) {
  const QString voriger = QFileInfo(vorige.pfad).absolutePath();
  if (!vorige.pfad.isEmpty() && QFileInfo(voriger).dir() == QDir(basis) && eigenerOrdner(voriger)) return voriger;
  const QString ordner = Programmordner::rettungsordner(basis);
  if ((::mkdir(QFile::encodeName(ordner).constData(), 0700) == 0 || errno == EEXIST) && eigenerOrdner(ordner))
    return ordner;
  QByteArray neu = QFile::encodeName(ordner) + "-XXXXXX";
  return ::mkdtemp(neu.data()) ? QFile::decodeName(neu) : QString();
}

}  // namespace

QString rettungsname(qint64 nummer) { return QStringLiteral("pvsave-%1.tmp").arg(nummer); }

bool istRettungsname(const QString& name) {
  static const QRegularExpression muster(QStringLiteral("^pvsave-[0-9]+\\.tmp$"),
                                         QRegularExpression::CaseInsensitiveOption);
  return muster.match(name).hasMatch();
}

Rettung sicherheitsdateiAblegen(const QByteArray& inhalt, const Ersatzorte& orte, Ersatzdatei& vorige) {
  Rettung r{{}, {sicherungsordner()}};
  const QString datei = sicherungsdatei(kSicherheitsdatei);
  if (dateiErsetzen(datei, inhalt, Verweise::NurEigene)) return {datei, r.ordner};
  if (!orte.anwendungsdaten.isEmpty() && QDir(orte.anwendungsdaten) != QDir(r.ordner.first())) {
    r.ordner << orte.anwendungsdaten;
    if (QDir().mkpath(orte.anwendungsdaten)) r.datei = retten(inhalt, orte.anwendungsdaten, vorige);
    if (!r.datei.isEmpty()) return r;
  }
  if (orte.gemeinsam.isEmpty()) return r;
  const QString eigener = eigenerOrdnerIn(orte.gemeinsam, vorige);
  r.ordner << (eigener.isEmpty() ? Programmordner::rettungsordner(orte.gemeinsam) : eigener);
  if (!eigener.isEmpty()) r.datei = retten(inhalt, eigener, vorige);
  return r;
}

QString sicherheitsdateiAusweichText(const Rettung& rettung) {
  QStringList abgelehnt;
  for (const QString& ordner : rettung.ordner) abgelehnt << QDir::toNativeSeparators(ordner);
  if (!rettung.datei.isEmpty()) abgelehnt.removeLast();
  const QString wo = abgelehnt.size() == 1
                         ? QStringLiteral("im Ordner %1 nicht").arg(abgelehnt.first())
                         : QStringLiteral("weder im Ordner ") + abgelehnt.join(QStringLiteral(" noch im Ordner "));
  const QString folge = rettung.datei.isEmpty()
                            ? QStringLiteral("die nicht gespeicherten Messwerte sind verloren.")
                            : QStringLiteral("die Messwerte sind in %1 gesichert.")
                                  .arg(QDir::toNativeSeparators(rettung.datei));
  return QStringLiteral("Die Sicherheitsdatei konnte %1 geschrieben werden; %2").arg(wo, folge);
}

}  // namespace pv
