#include "ordnersperre.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>
#include <vector>

#include "common/allgemein.h"
#include "common/fehlerbehandlung.h"
#include "common/textdatei.h"
#include "common/laufzeitfehler.h"
#include "common/uhr.h"

namespace pv {

namespace {

constexpr int kHoechsteKopie = 99;

QString kopieOrdner(const QString& programmordner, int nummer) {
  return QDir(programmordner).filePath(QStringLiteral("Kopie %1").arg(nummer));
}

// How long a copy takes at most from creating its lock file to having its
// owner written into it. A lock whose owner cannot be read after that was
// left half written (a power loss) and is taken over.
constexpr std::chrono::seconds kBesitzerFrist{3};
constexpr std::chrono::milliseconds kNachsehen{100};

// The lock that a copy removing a stale lock holds meanwhile, as Qt does.
const QString kEntfernen = QStringLiteral(".rmlock");

QString benutzerName(uid_t uid) {
  passwd eintrag{};
  passwd* gefunden = nullptr;
  std::vector<char> puffer(16384);
  if (getpwuid_r(uid, &eintrag, puffer.data(), puffer.size(), &gefunden) == 0 && gefunden)
    return QString::fromLocal8Bit(gefunden->pw_name);
  return QString::number(uid);
}

// Notes `datei` as a lock held by `uid`, unless one is noted already.
void notieren(FremdeSperre* fremd, const QString& datei, uid_t uid) {
  if (fremd && fremd->datei.isEmpty()) *fremd = {datei, benutzerName(uid)};
}

// A lock, or the removal lock beside it, that is no plain file is never
// read: through a link or from a pipe the read would hang the start or read
// another file. Only this program makes these files, so whoever made it
// holds the lock; its owner, when so.
std::optional<uid_t> keineDatei(const QString& datei) {
  struct stat st {};
  if (::lstat(QFile::encodeName(datei).constData(), &st) != 0) return std::nullopt;
  if (!S_ISREG(st.st_mode)) return st.st_uid;
  const QByteArray entfernen = QFile::encodeName(datei + kEntfernen);
  if (::lstat(entfernen.constData(), &st) == 0 && !S_ISREG(st.st_mode)) return st.st_uid;
  return std::nullopt;
}

enum class Besitzer { Laeuft, Fort, Unlesbar };

// Who holds a lock that could not be taken. On this computer it runs while
// its process exists; a lock from another computer counts as held, and so
// does one that this user may not read (another user's copy), noted in
// `fremd`.
Besitzer besitzer(const QLockFile& sperre, const QString& datei, FremdeSperre* fremd = nullptr) {
  qint64 pid = 0;
  QString rechner;
  QString anwendung;
  if (!sperre.getLockInfo(&pid, &rechner, &anwendung)) {
    struct stat st {};
    const QByteArray pfad = QFile::encodeName(datei);
    const bool verborgen = ::access(pfad.constData(), R_OK) != 0 && errno == EACCES;
    if (verborgen && ::lstat(pfad.constData(), &st) == 0) notieren(fremd, datei, st.st_uid);
    return verborgen ? Besitzer::Laeuft : Besitzer::Unlesbar;
  }
  if (!rechner.isEmpty() && rechner != QSysInfo::machineHostName()) return Besitzer::Laeuft;
  return Tolvek::ProzessLaeuft(pid) ? Besitzer::Laeuft : Besitzer::Fort;
}

bool aelterAlsFrist(const QString& datei) {
  const qint64 alter = QFileInfo(datei).lastModified().msecsTo(QDateTime::currentDateTime());
  return std::abs(alter) >= std::chrono::milliseconds(kBesitzerFrist).count();
}

// Which file a path names: a lock removed and made anew is another one.
struct Kennung {
  dev_t geraet;
  ino_t knoten;
  timespec geaendert;
  bool operator==(const Kennung& k) const {
    return geraet == k.geraet && knoten == k.knoten && geaendert.tv_sec == k.geaendert.tv_sec &&
           geaendert.tv_nsec == k.geaendert.tv_nsec;
  }
};

std::optional<Kennung> kennung(const QString& datei) {
  struct stat st {};
  if (::lstat(QFile::encodeName(datei).constData(), &st) != 0) return std::nullopt;
  return Kennung{st.st_dev, st.st_ino, st.st_ctim};
}

// Takes over the lock `gesehen` whose owner could not be read, and logs that
// it did. Under the removal lock that Qt takes for a stale lock too, and
// only while the file is still that one or old and still without a readable
// owner: two copies taking it over at once never remove the other's fresh
// lock. Fails while a copy keeps the file locked (one that is writing its
// owner) or where the folder takes no change.
bool uebernehmen(QLockFile& sperre, const QString& datei, const Kennung& gesehen) {
  QLockFile entfernen(datei + kEntfernen);
  if (!entfernen.tryLock(0)) return false;
  const std::optional<Kennung> jetzt = kennung(datei);
  const bool dieselbe = jetzt && (*jetzt == gesehen || aelterAlsFrist(datei));
  if (!dieselbe || besitzer(sperre, datei) != Besitzer::Unlesbar) return false;
  if (!sperre.removeStaleLockFile() || !sperre.tryLock(0)) return false;
  Tolvek::FehlerProtokollieren(QStringLiteral("Programmstart"), pv::Laufzeitfehler::kPfadZugriff,
                               QStringLiteral("Sperrdatei ohne lesbaren Besitzer übernommen: ") +
                                   QDir::toNativeSeparators(datei));
  return true;
}

// The lock of `ordner`. Nothing when a running copy holds it (`belegt`) or
// it cannot be taken: a folder that takes no file, where a lock that a copy
// left behind cannot be removed either. A lock held by an owner that could
// not be read is noted in `fremd`.
std::unique_ptr<QLockFile> sperren(const QString& ordner, bool& belegt, FremdeSperre* fremd) {
  const QString datei = QDir(ordner).filePath(kSperrdatei);
  auto sperre = std::make_unique<QLockFile>(datei);
  // Held for the whole run: only its owner being gone makes a lock stale,
  // never its age (which counts where the file system keeps no lock of its
  // own, on a network folder).
  sperre->setStaleLockTime(0);
  belegt = false;
  std::optional<Kennung> gesehen;
  int64_t bis = 0;
  for (;;) {
    if (const std::optional<uid_t> uid = keineDatei(datei)) {
      notieren(fremd, datei, *uid);
      belegt = true;
      return nullptr;
    }
    if (sperre->tryLock(0)) return sperre;
    if (sperre->error() != QLockFile::LockFailedError) return nullptr;
    const Besitzer wer = besitzer(*sperre, datei, fremd);
    if (wer != Besitzer::Unlesbar) {
      belegt = wer == Besitzer::Laeuft;
      return nullptr;
    }
    const std::optional<Kennung> diese = kennung(datei);
    if (!diese) continue;  // gone meanwhile: taken at once
    if (diese != gesehen) {
      // A new file: a copy that made it gets the time to write its owner.
      gesehen = diese;
      bis = uhren().laufzeitMs() + std::chrono::milliseconds(kBesitzerFrist).count();
    }
    // A young one may be a copy just starting: read again after a while.
    if (!aelterAlsFrist(datei) && uhren().laufzeitMs() < bis) {
      std::this_thread::sleep_for(kNachsehen);
      continue;
    }
    if (uebernehmen(*sperre, datei, *gesehen)) return sperre;
    belegt = QFileInfo(ordner).isWritable();
    return nullptr;
  }
}

bool gesperrt(const QString& ordner, FremdeSperre* fremd) {
  if (!QFileInfo::exists(QDir(ordner).filePath(kSperrdatei))) return false;
  bool belegt = false;
  sperren(ordner, belegt, fremd);
  return belegt;
}

}  // namespace

Ordnersperre::Ordnersperre(const QString& programmordner) : sicherungsordner_(programmordner) {
  sperre_ = sperren(programmordner, weitereKopie_, &fremd_);
  if (sperre_) {
    // The first copy may have ended while further ones run on.
    // A further copy's folder that is a link another user made is left
    // alone: it could lead this copy's lock and saves into any folder.
    for (int n = 2; n <= kHoechsteKopie && !weitereKopie_; ++n) {
      const QString ordner = kopieOrdner(programmordner, n);
      weitereKopie_ = !fremderVerweis(ordner) && gesperrt(ordner, &fremd_);
    }
    return;
  }
  // A folder that takes no lock takes no saves either; those say so.
  if (!weitereKopie_) return;
  for (int n = 2; n <= kHoechsteKopie; ++n) {
    const QString ordner = kopieOrdner(programmordner, n);
    const bool neu = !QFileInfo::exists(ordner);
    if (fremderVerweis(ordner) || !QDir().mkpath(ordner)) continue;
    bool belegt = false;
    sperre_ = sperren(ordner, belegt, &fremd_);
    if (sperre_) {
      sicherungsordner_ = ordner;
      ordnerAngelegt_ = neu;
      return;
    }
    if (neu) QDir().rmdir(ordner);
  }
}

Ordnersperre::~Ordnersperre() {
  sperre_.reset();
  if (ordnerAngelegt_) QDir().rmdir(sicherungsordner_);
}

QString Ordnersperre::datei() const { return sperre_ ? QDir(sicherungsordner_).filePath(kSperrdatei) : QString(); }

QString weitereKopieFrage(const QString& programmordner, const Ordnersperre& sperre) {
  const FremdeSperre& fremd = sperre.fremdeSperre();
  const QString besitzer =
      fremd.datei.isEmpty()
          ? QString()
          : QStringLiteral("Die Sperrdatei\r\n%1\r\ngehört dem Benutzer „%2“.\r\n\r\n")
                .arg(QDir::toNativeSeparators(fremd.datei), fremd.benutzer);
  return QStringLiteral("Pelvaron läuft bereits mit dem Programmordner\r\n%1\r\n\r\n%3"
                        "Beide Programme verwenden dieselben Einstellungen; beim Beenden bleiben die des "
                        "zuletzt beendeten Programms erhalten.\r\n"
                        "Zwischenspeicherung und Sicherheitsdatei dieses Programms liegen im Ordner\r\n%2\r\n\r\n"
                        "Möchten Sie Pelvaron trotzdem starten?")
      .arg(QDir::toNativeSeparators(programmordner), QDir::toNativeSeparators(sperre.sicherungsordner()), besitzer);
}

}  // namespace pv
