#include "textdatei.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <optional>
#include <utility>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include "cp1252.h"
#include "fehlerbehandlung.h"
#include "laufzeitfehler.h"

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

OrdnerSync ordnerSync = ::fsync;

// Said in the error log and on standard error: the log itself may be what
// cannot be written.
void dateihinweis(int nummer, const QString& text) {
  thread_local bool imLog = false;
  std::fprintf(stderr, "Pelvaron: %s\n", text.toLocal8Bit().constData());
  if (imLog) return;
  imLog = true;
  Tolvek::FehlerProtokollieren(QStringLiteral("Datei speichern"), nummer, text);
  imLog = false;
}

// The folder a file's new name goes into, held open from before the name
// changes until it is on disk: a rename is only kept across a power loss
// once the folder itself is synced. A folder that this user may write but
// not read cannot be opened; the file is saved all the same.
class Ordnereintrag {
 public:
  explicit Ordnereintrag(const QString& ordner)
      : fd_(::open(QFile::encodeName(ordner).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)) {}
  ~Ordnereintrag() {
    if (fd_ >= 0) ::close(fd_);
  }
  Ordnereintrag(const Ordnereintrag&) = delete;
  Ordnereintrag& operator=(const Ordnereintrag&) = delete;

  // After `datei` took its new name. File systems without a folder sync
  // (shared folders of a virtual machine) refuse it, and keep the name.
  void sichern(const QString& datei) const {
    if (fd_ < 0 || ordnerSync(fd_) == 0 || errno == EINVAL || errno == ENOTSUP || errno == EBADF) return;
    dateihinweis(Laufzeitfehler::kGeraetEA,
                 QStringLiteral("Die Datei %1 wurde gespeichert, ihr Ordner konnte aber nicht auf den Datenträger "
                                "geschrieben werden; nach einem Stromausfall kann die neue Datei fehlen.")
                     .arg(QDir::toNativeSeparators(datei)));
  }

 private:
  int fd_;
};

// The folder of the file that a write to `pfad` really replaces: QSaveFile
// and rename write through a link to its target.
QString zielordner(const QString& pfad) {
  const QFileInfo datei(pfad);
  const QString echt = datei.canonicalFilePath();
  return echt.isEmpty() ? datei.absolutePath() : QFileInfo(echt).absolutePath();
}

enum class Verweisart { Keiner, Eigener, Fremder };

Verweisart verweisart(const QByteArray& pfad, struct stat& st) {
  if (::lstat(pfad.constData(), &st) != 0 || !S_ISLNK(st.st_mode)) return Verweisart::Keiner;
  return st.st_uid == ::geteuid() ? Verweisart::Eigener : Verweisart::Fremder;
}

void fremderVerweisMelden(const QString& pfad) {
  dateihinweis(Laufzeitfehler::kPfadZugriff,
               QStringLiteral("Die Datei %1 ist ein Verweis eines anderen Benutzers; ihm wird nicht gefolgt, "
                              "die Datei wurde nicht geschrieben.")
                   .arg(QDir::toNativeSeparators(pfad)));
}

bool allesSchreiben(int fd, const QByteArray& inhalt) {
  for (qsizetype geschrieben = 0; geschrieben < inhalt.size();) {
    const ssize_t n = ::write(fd, inhalt.constData() + geschrieben, size_t(inhalt.size() - geschrieben));
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    geschrieben += n;
  }
  return true;
}

// A new hidden file beside `ziel` that holds `inhalt` on disk, with the
// permissions `modus` when given; its path, empty on failure (nothing is
// left behind then).
QByteArray nebendateiSchreiben(const QString& ziel, const QByteArray& inhalt, std::optional<mode_t> modus) {
  const QFileInfo info(ziel);
  const QByteArray stamm = QFile::encodeName(QDir(info.absolutePath()).filePath(u'.' + info.fileName())) + '.';
  for (int versuch = 0; versuch < 100; ++versuch) {
    const QByteArray name = stamm + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
    if (fd < 0 && errno == EEXIST) continue;
    if (fd < 0) return {};
    const bool ok = (!modus || ::fchmod(fd, *modus) == 0) && allesSchreiben(fd, inhalt) && ::fsync(fd) == 0;
    if (::close(fd) == 0 && ok) return name;
    ::unlink(name.constData());
    return {};
  }
  return {};
}

// Replaces whatever bears the name (a file, a link) by the new file,
// without following a link.
bool anDieStelleSetzen(const QString& pfad, const QByteArray& inhalt, std::optional<mode_t> modus, bool verweis) {
  const Ordnereintrag ordner(QFileInfo(pfad).absolutePath());
  const QByteArray neu = nebendateiSchreiben(pfad, inhalt, modus);
  if (neu.isEmpty()) return false;
  if (std::rename(neu.constData(), QFile::encodeName(pfad).constData()) != 0) {
    // A folder where anyone may write keeps its entries for their owners.
    ::unlink(neu.constData());
    if (verweis) fremderVerweisMelden(pfad);
    return false;
  }
  ordner.sichern(pfad);
  return true;
}

bool durchSaveFileErsetzen(const QString& pfad, const QByteArray& inhalt) {
  const Ordnereintrag ordner(zielordner(pfad));
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
  if (!datei.commit()) return false;
  ordner.sichern(pfad);
  return true;
}

}  // namespace

bool fremderVerweis(const QString& pfad) {
  struct stat st {};
  return verweisart(QFile::encodeName(pfad), st) == Verweisart::Fremder;
}

OrdnerSync ordnerSyncSetzen(OrdnerSync sync) { return std::exchange(ordnerSync, sync); }

bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, Verweise verweise) {
  struct stat st {};
  const Verweisart art = verweisart(QFile::encodeName(pfad), st);
  if (verweise == Verweise::Folgen || art == Verweisart::Eigener) return durchSaveFileErsetzen(pfad, inhalt);
  // Never through a link: not even one that another user sets meanwhile.
  std::optional<mode_t> modus;
  if (art == Verweisart::Keiner && ::stat(QFile::encodeName(pfad).constData(), &st) == 0) modus = st.st_mode & 07777;
  return anDieStelleSetzen(pfad, inhalt, modus, art == Verweisart::Fremder);
}

Neuanlage dateiNeuAnlegen(const QString& pfad, const QByteArray& inhalt) {
  const Ordnereintrag ordner(QFileInfo(pfad).absolutePath());
  const QByteArray neu = nebendateiSchreiben(pfad, inhalt, std::nullopt);
  if (neu.isEmpty()) return Neuanlage::Fehlgeschlagen;
  const QByteArray ziel = QFile::encodeName(pfad);
  const bool umbenannt = ::renameat2(AT_FDCWD, neu.constData(), AT_FDCWD, ziel.constData(), RENAME_NOREPLACE) == 0;
  int fehler = errno;
  bool angelegt = umbenannt;
  if (!umbenannt && (fehler == EINVAL || fehler == ENOSYS || fehler == ENOTSUP)) {
    // A file system that cannot rename without replacing: a second name
    // for the file is never put over another either.
    angelegt = ::link(neu.constData(), ziel.constData()) == 0;
    fehler = errno;
  }
  if (!umbenannt) ::unlink(neu.constData());
  if (!angelegt) return fehler == EEXIST ? Neuanlage::NameBelegt : Neuanlage::Fehlgeschlagen;
  ordner.sichern(pfad);
  return Neuanlage::Angelegt;
}

bool dateiSchreibbar(const QString& pfad) {
  QSaveFile probe(pfad);
  if (!probe.open(QIODevice::WriteOnly)) return false;
  probe.cancelWriting();
  probe.commit();  // removes the temporary file; the old one stays
  return true;
}

bool dateiUebernehmen(const QString& zwischendatei, const QString& ziel) {
  const Ordnereintrag ordner(zielordner(ziel));
  QFile datei(zwischendatei);
  const bool ok = datei.open(QIODevice::ReadOnly) && ::fsync(datei.handle()) == 0 &&
                  std::rename(QFile::encodeName(zwischendatei).constData(), QFile::encodeName(ziel).constData()) == 0;
  if (!ok) {
    QFile::remove(zwischendatei);
    return false;
  }
  ordner.sichern(ziel);
  return true;
}

bool dateiAnhaengen(const QString& pfad, const QByteArray& inhalt, Verweise verweise) {
  struct stat st {};
  const QByteArray name = QFile::encodeName(pfad);
  const Verweisart art = verweisart(name, st);
  int flags = O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC;
  if (verweise == Verweise::NurEigene && art == Verweisart::Fremder) {
    fremderVerweisMelden(pfad);
    return false;
  }
  if (verweise == Verweise::NurEigene && art != Verweisart::Eigener) flags |= O_NOFOLLOW;
  const bool neu = ::stat(name.constData(), &st) != 0;
  const int fd = ::open(name.constData(), flags, 0666);
  QFile datei;
  // Unbuffered, so that a full disk shows in the write itself.
  if (fd < 0 || !datei.open(fd, QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered,
                            QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) ::close(fd);
    return false;
  }
  const qint64 vorher = datei.size();
  if (datei.write(inhalt) == inhalt.size()) return true;
  // A partly appended tail is cut off again: the file stays as it was.
  if (neu)
    QFile::remove(pfad);
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
