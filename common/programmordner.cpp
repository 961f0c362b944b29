#include "programmordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

#include "textdatei.h"

namespace pv {
namespace {

// The shipped files already copied in once, one name a line: a shipped file
// the user deleted (a device removed in the device list) stays deleted.
const QString kMitgeliefertListe = QStringLiteral(".mitgeliefert");

// Only the kinds of file shipped: whatever else the executable's folder
// holds (a build's own files) is not the user's business.
void fehlendeMitgelieferteKopieren(const QString& von, const QString& nach) {
  const QStringList arten{QStringLiteral("*.ger"), QStringLiteral("*.pvf"), QStringLiteral("*.gif"),
                          QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};
  const QString listenpfad = QDir(nach).filePath(kMitgeliefertListe);
  QByteArray liste;
  dateiLesen(listenpfad, liste);
  QStringList schonDa = QString::fromUtf8(liste).split(u'\n', Qt::SkipEmptyParts);
  const qsizetype bekannt = schonDa.size();
  for (const QFileInfo& info : QDir(von).entryInfoList(arten, QDir::Files)) {
    if (schonDa.contains(info.fileName())) continue;
    const QString ziel = QDir(nach).filePath(info.fileName());
    // QFile::copy never overwrites; a link left there counts as a file.
    if (QFileInfo(ziel).isSymLink() || QFile::exists(ziel) || QFile::copy(info.absoluteFilePath(), ziel))
      schonDa << info.fileName();
  }
  if (schonDa.size() != bekannt) dateiErsetzen(listenpfad, schonDa.join(u'\n').toUtf8() + '\n');
}

}  // namespace

QString& Programmordner::ordner_() {
  static QString ordner;
  return ordner;
}

QString Programmordner::bestimmen(const QString& exeOrdner, const QString& umgebung,
                                  const QString& anwendungsdaten) {
  QString gewaehlt;
  if (!umgebung.isEmpty()) {
    QDir().mkpath(umgebung);
    gewaehlt = umgebung;
  } else {
    QDir().mkpath(anwendungsdaten);
    fehlendeMitgelieferteKopieren(exeOrdner, anwendungsdaten);
    gewaehlt = anwendungsdaten;
  }
  setzen(gewaehlt);
  return pfad();
}

QString Programmordner::ausUmgebungBestimmen() {
  return bestimmen(QCoreApplication::applicationDirPath(), qEnvironmentVariable("PELVARON_HOME"), anwendungsdaten());
}

QString Programmordner::anwendungsdaten() {
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
}

void Programmordner::setzen(const QString& ordner) {
  ordner_() = QDir(ordner).absolutePath();
}

QString Programmordner::pfad() { return ordner_(); }

QString Programmordner::datei(const QString& name) { return QDir(ordner_()).filePath(name); }

}  // namespace pv
