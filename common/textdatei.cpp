#include "textdatei.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include <QDir>
#include <QFile>
#include <QFileInfo>
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

namespace {

// The folder a file's new name goes into, held open from before the name
// changes until it is on disk: a rename is only kept across a power loss
// once the folder itself is synced. A folder that cannot be opened fails
// the write before anything is replaced.
class Ordnereintrag {
 public:
  explicit Ordnereintrag(const QString& pfad) {
    // The folder of the file that is really replaced: QSaveFile and rename
    // write through a link to its target.
    const QFileInfo datei(pfad);
    const QString echt = datei.canonicalFilePath();
    const QString ordner = echt.isEmpty() ? datei.absolutePath() : QFileInfo(echt).absolutePath();
    fd_ = ::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  }
  ~Ordnereintrag() {
    if (fd_ >= 0) ::close(fd_);
  }
  Ordnereintrag(const Ordnereintrag&) = delete;
  Ordnereintrag& operator=(const Ordnereintrag&) = delete;

  bool offen() const { return fd_ >= 0; }
  bool sichern() const { return fd_ >= 0 && ::fsync(fd_) == 0; }

 private:
  int fd_ = -1;
};

}  // namespace

bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt) {
  const Ordnereintrag ordner(pfad);
  if (!ordner.offen()) return false;
  QSaveFile datei(pfad);
  if (!datei.open(QIODevice::WriteOnly)) return false;
  // commit() does not report a final flush that fails (a full disk), so
  // every step is checked, up to the data being on disk, before the new
  // file takes the old one's place.
  const bool geschrieben = datei.write(inhalt) == inhalt.size() && datei.flush() &&
                           datei.error() == QFileDevice::NoError && ::fsync(datei.handle()) == 0;
  if (!geschrieben) {
    datei.cancelWriting();
    return false;
  }
  return datei.commit() && ordner.sichern();
}

bool dateiSchreibbar(const QString& pfad) {
  QSaveFile probe(pfad);
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.cancelWriting();
  probe.commit();  // removes the temporary file; the old one stays
  return true;
}

bool dateiUebernehmen(const QString& zwischendatei, const QString& ziel) {
  const Ordnereintrag ordner(ziel);
  QFile datei(zwischendatei);
  const bool ok = ordner.offen() && datei.open(QIODevice::ReadOnly) && ::fsync(datei.handle()) == 0 &&
                  std::rename(QFile::encodeName(zwischendatei).constData(), QFile::encodeName(ziel).constData()) == 0 &&
                  ordner.sichern();
  if (!ok) QFile::remove(zwischendatei);
  return ok;
}

bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt) {
  QFile datei(pfad);
  const bool neu = !datei.exists();
  // Unbuffered, so that a full disk shows in the write itself.
  if (!datei.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) return false;
  const qint64 vorher = datei.size();
  if (datei.write(inhalt) == inhalt.size()) return true;
  // A partly appended tail is cut off again: the file stays as it was.
  if (neu)
    datei.remove();
  else
    datei.resize(vorher);
  return false;
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
