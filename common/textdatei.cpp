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

Dateisystemaufrufe aufrufe;

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
// not read cannot be opened; the file is saved all the same, silently. One
// that cannot be opened for another reason (no descriptor left) is told as
// a failed sync.
class Ordnereintrag {
 public:
  explicit Ordnereintrag(const QString& ordner) {
    const QByteArray pfad = QFile::encodeName(ordner);
    fd_ = aufrufe.ordnerOeffnen ? aufrufe.ordnerOeffnen(pfad.constData())
                                : ::open(pfad.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    fehler_ = fd_ < 0 ? errno : 0;
  }
  ~Ordnereintrag() {
    if (fd_ >= 0) ::close(fd_);
  }
  Ordnereintrag(const Ordnereintrag&) = delete;
  Ordnereintrag& operator=(const Ordnereintrag&) = delete;

  // After `datei` took its new name. File systems without a folder sync
  // (shared folders of a virtual machine) refuse it, and keep the name.
  void sichern(const QString& datei) const {
    if (fd_ < 0 && fehler_ == EACCES) return;
    if (fd_ >= 0 && ((aufrufe.ordnerSync ? aufrufe.ordnerSync(fd_) : ::fsync(fd_)) == 0 || errno == EINVAL ||
                     errno == ENOTSUP))
      return;
    dateihinweis(Laufzeitfehler::kGeraetEA,
                 QStringLiteral("Die Datei %1 wurde gespeichert, ihr Ordner konnte aber nicht auf den Datenträger "
                                "geschrieben werden; nach einem Stromausfall kann die neue Datei fehlen.")
                     .arg(QDir::toNativeSeparators(datei)));
  }

 private:
  int fd_ = -1;
  int fehler_ = 0;
};

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

// The permissions a replacement keeps: those of the file at `pfad` where
// this user owns it. Nothing otherwise: the new file gets a new file's.
std::optional<mode_t> eigenerModus(const QByteArray& pfad) {
  struct stat st {};
  if (::lstat(pfad.constData(), &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) return std::nullopt;
  return st.st_mode & 07777;
}

// An existing file that this user may not write is not replaced through a
// link, as an editor would not overwrite it either.
bool ersetzbar(const QString& ziel) {
  const QByteArray name = QFile::encodeName(ziel);
  return ::access(name.constData(), F_OK) != 0 || ::access(name.constData(), W_OK) == 0;
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

// Writes `inhalt` into the new file `name`, made here, up to the disk; on
// failure the file is removed. 0, or the error (EEXIST: the name is taken).
int exklusivSchreiben(const QByteArray& name, const QByteArray& inhalt, std::optional<mode_t> modus) {
  const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  const bool ok = (!modus || ::fchmod(fd, *modus) == 0) && allesSchreiben(fd, inhalt) && ::fsync(fd) == 0;
  const int fehler = ok ? 0 : errno;
  if (::close(fd) == 0 && ok) return 0;
  ::unlink(name.constData());
  // Never EEXIST, which tells of a name taken: a write that wrote nothing
  // leaves errno as it was.
  return fehler == 0 || fehler == EEXIST ? EIO : fehler;
}

// A new hidden file beside `ziel` that holds `inhalt` on disk, with the
// permissions `modus` when given; its path, empty on failure (nothing is
// left behind then).
QByteArray nebendateiSchreiben(const QString& ziel, const QByteArray& inhalt, std::optional<mode_t> modus) {
  const QFileInfo info(ziel);
  const QByteArray stamm = QFile::encodeName(QDir(info.absolutePath()).filePath(u'.' + info.fileName())) + '.';
  for (int versuch = 0; versuch < 100; ++versuch) {
    const QByteArray name = stamm + QByteArray::number(QRandomGenerator::global()->generate64(), 36);
    const int fehler = exklusivSchreiben(name, inhalt, modus);
    if (fehler == 0) return name;
    if (fehler != EEXIST) return {};
  }
  return {};
}

// Replaces whatever bears the name (a file, a link) by the new file,
// without following a link.
bool anDieStelleSetzen(const QString& pfad, const QByteArray& inhalt, bool verweis) {
  const Ordnereintrag ordner(QFileInfo(pfad).absolutePath());
  const QByteArray ziel = QFile::encodeName(pfad);
  const QByteArray neu = nebendateiSchreiben(pfad, inhalt, eigenerModus(ziel));
  if (neu.isEmpty()) return false;
  if (std::rename(neu.constData(), ziel.constData()) != 0) {
    // A folder where anyone may write keeps its entries for their owners.
    ::unlink(neu.constData());
    if (verweis) fremderVerweisMelden(pfad);
    return false;
  }
  ordner.sichern(pfad);
  return true;
}

// How a new name is put on a complete file without replacing another.
enum class Benennung { Umbenennen, Verknuepfen, Anlegen };

// Gives the file `neu` the name `ziel`; 0, or the error (EEXIST: taken).
// A way the file system lacks moves `weg` on to the next one.
int benennen(Benennung& weg, const QByteArray& neu, const QByteArray& ziel, const QByteArray& inhalt) {
  if (weg == Benennung::Umbenennen) {
    if ((aufrufe.umbenennenOhneErsetzen
             ? aufrufe.umbenennenOhneErsetzen(neu.constData(), ziel.constData())
             : ::renameat2(AT_FDCWD, neu.constData(), AT_FDCWD, ziel.constData(), RENAME_NOREPLACE)) == 0)
      return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP) return errno;
    weg = Benennung::Verknuepfen;
  }
  if (weg == Benennung::Verknuepfen) {
    if ((aufrufe.verknuepfen ? aufrufe.verknuepfen(neu.constData(), ziel.constData())
                             : ::link(neu.constData(), ziel.constData())) == 0) {
      ::unlink(neu.constData());
      return 0;
    }
    if (errno != EPERM && errno != ENOSYS && errno != ENOTSUP) return errno;
    // The last way writes the contents again, under the name itself; the
    // file beside it would only take room.
    ::unlink(neu.constData());
    weg = Benennung::Anlegen;
  }
  return exklusivSchreiben(ziel, inhalt, std::nullopt);
}

}  // namespace

bool fremderVerweis(const QString& pfad) {
  struct stat st {};
  return verweisart(QFile::encodeName(pfad), st) == Verweisart::Fremder;
}

bool eigenerOrdner(const QString& pfad) {
  struct stat st {};
  return ::lstat(QFile::encodeName(pfad).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
         st.st_uid == ::geteuid() && (st.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

Dateisystemaufrufe dateisystemaufrufeSetzen(const Dateisystemaufrufe& neu) { return std::exchange(aufrufe, neu); }

namespace {

// The real path of a folder; empty where it cannot be resolved.
QString echterOrdner(const QString& ordner) {
  char echt[PATH_MAX];
  return ::realpath(QFile::encodeName(ordner).constData(), echt) ? QFile::decodeName(echt) : QString();
}

// The path the link `link` leads to, as the system takes it: a relative
// target ("../x") counts from the folder the link really lies in, which may
// be reached through a linked folder. Empty where it cannot be read.
QString naechstesZiel(const QString& link) {
  char ziel[PATH_MAX];
  const ssize_t n = ::readlink(QFile::encodeName(link).constData(), ziel, sizeof ziel);
  const QString ordner = echterOrdner(QFileInfo(link).absolutePath());
  if (n <= 0 || n == ssize_t(sizeof ziel) || ordner.isEmpty()) return {};
  const QString roh = QDir(ordner).filePath(QFile::decodeName(QByteArray(ziel, n)));
  const qsizetype schnitt = roh.lastIndexOf(u'/');
  const QString echt = echterOrdner(schnitt == 0 ? QStringLiteral("/") : roh.left(schnitt));
  return echt.isEmpty() ? roh : QDir(echt).filePath(roh.mid(schnitt + 1));
}

}  // namespace

QString verweisZiel(const QString& pfad, Verweise verweise) {
  QString jetzt = pfad;
  for (int tiefe = 0; tiefe < 40; ++tiefe) {
    struct stat st {};
    const Verweisart art = verweisart(QFile::encodeName(jetzt), st);
    if (art == Verweisart::Keiner || (art == Verweisart::Fremder && verweise == Verweise::NurEigene)) return jetzt;
    jetzt = naechstesZiel(jetzt);
    if (jetzt.isEmpty()) break;
  }
  return pfad;  // a loop of links, or one that cannot be read
}

bool dateiErsetzen(const QString& pfad, const QByteArray& inhalt, Verweise verweise) {
  struct stat st {};
  const Verweisart art = verweisart(QFile::encodeName(pfad), st);
  // Never through another user's link: not even one set meanwhile, nor one
  // that the user's own links lead to.
  if (verweise == Verweise::NurEigene && art != Verweisart::Eigener)
    return anDieStelleSetzen(pfad, inhalt, art == Verweisart::Fremder);
  const QString ziel = verweisZiel(pfad, verweise);
  if (verweise == Verweise::NurEigene && fremderVerweis(ziel)) return anDieStelleSetzen(ziel, inhalt, true);
  return ersetzbar(ziel) && anDieStelleSetzen(ziel, inhalt, false);
}

QString dateiUnterFreiemNamen(const QString& ordner, const std::function<QString(qint64)>& name,
                              const QByteArray& inhalt) {
  const Ordnereintrag eintrag(ordner);
  const QDir d(ordner);
  QByteArray neu = nebendateiSchreiben(d.filePath(name(1)), inhalt, std::nullopt);
  if (neu.isEmpty()) return {};
  Benennung weg = Benennung::Umbenennen;
  for (qint64 n = 1;; ++n) {
    const QString pfad = d.filePath(name(n));
    const int fehler = benennen(weg, neu, QFile::encodeName(pfad), inhalt);
    if (fehler == 0) {
      eintrag.sichern(pfad);
      return pfad;
    }
    if (fehler != EEXIST) break;
  }
  if (weg != Benennung::Anlegen) ::unlink(neu.constData());
  return {};
}

bool dateiSchreibbar(const QString& pfad) {
  const QString ziel = verweisZiel(pfad);
  const QByteArray probe = ersetzbar(ziel) ? nebendateiSchreiben(ziel, {}, std::nullopt) : QByteArray();
  return !probe.isEmpty() && ::unlink(probe.constData()) == 0;
}

bool dateiUebernehmen(const QString& zwischendatei, const QString& ziel) {
  const QString echt = verweisZiel(ziel);
  const Ordnereintrag ordner(QFileInfo(echt).absolutePath());
  const QByteArray name = QFile::encodeName(echt);
  const std::optional<mode_t> modus = eigenerModus(name);
  QFile datei(zwischendatei);
  const bool ok = datei.open(QIODevice::ReadOnly) && (!modus || ::fchmod(datei.handle(), *modus) == 0) &&
                  ::fsync(datei.handle()) == 0 && ersetzbar(echt) &&
                  std::rename(QFile::encodeName(zwischendatei).constData(), name.constData()) == 0;
  if (!ok) {
    QFile::remove(zwischendatei);
    return false;
  }
  ordner.sichern(echt);
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
