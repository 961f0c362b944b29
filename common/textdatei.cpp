#include "textdatei.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

#include "cp1252.h"

namespace pv {

bool dateiLesen(const QString& pfad, QByteArray& inhalt) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return false;
  inhalt = datei.readAll();
  return datei.error() == QFileDevice::NoError;
}

bool textdateiLesen(const QString& pfad, QString& text) {
  QByteArray bytes;
  if (!dateiLesen(pfad, bytes)) return false;
  text = vonCp1252(bytes);
  return true;
}

bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt) {
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  if (datei.write(inhalt) != inhalt.size()) {
    datei.cancelWriting();
    return false;
  }
  return datei.commit();
}

bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly | QIODevice::Append)) return false;
  // Flushing reports a full disk, which the buffered write would not.
  return datei.write(inhalt) == inhalt.size() && datei.flush();
}

QStringList dateienIn(const QString& ordner, const QString& muster) {
  return QDir(ordner).entryList({muster}, QDir::Files | QDir::Hidden, QDir::Name);
}

QString crLfZeilenenden(QString text) {
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  text.replace(u'\r', u'\n');
  text.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
  return text;
}

CrLfText& CrLfText::zeile(const QString& text) {
  bytes_ += zuCp1252(text);
  bytes_ += "\r\n";
  return *this;
}

CrLfText& CrLfText::zeilen(const QStringList& texte) {
  for (const QString& t : texte) zeile(t);
  return *this;
}

}  // namespace pv
