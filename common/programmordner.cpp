#include "programmordner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace pv {
namespace {

bool beschreibbar(const QString& ordner) {
  QTemporaryFile probe(QDir(ordner).filePath(QStringLiteral(".pelvaron-probeXXXXXX")));
  return probe.open();
}

void mitgelieferteDateienKopieren(const QString& von, const QString& nach) {
  const QString exeName = QFileInfo(QCoreApplication::applicationFilePath()).fileName();
  const QFileInfoList eintraege = QDir(von).entryInfoList(QDir::Files);
  for (const QFileInfo& info : eintraege) {
    if (info.isExecutable() || info.fileName() == exeName) continue;
    const QString ziel = QDir(nach).filePath(info.fileName());
    if (!QFileInfo::exists(ziel)) QFile::copy(info.absoluteFilePath(), ziel);
  }
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
  } else if (beschreibbar(exeOrdner)) {
    gewaehlt = exeOrdner;
  } else {
    const bool neu = !QFileInfo::exists(anwendungsdaten);
    QDir().mkpath(anwendungsdaten);
    if (neu) mitgelieferteDateienKopieren(exeOrdner, anwendungsdaten);
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
