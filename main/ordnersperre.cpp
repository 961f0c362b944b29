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
#include <thread>
#include <unistd.h>

#include "common/allgemein.h"
#include "common/fehlerbehandlung.h"
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

enum class Besitzer { Laeuft, Fort, Unlesbar };

// Who holds a lock that could not be taken. On this computer it runs while
// its process exists; a lock from another computer counts as held, and so
// does one that this user may not read (another user's copy).
Besitzer besitzer(const QLockFile& sperre, const QString& datei) {
  qint64 pid = 0;
  QString rechner;
  QString anwendung;
  if (!sperre.getLockInfo(&pid, &rechner, &anwendung)) {
    const bool verborgen = ::access(QFile::encodeName(datei).constData(), R_OK) != 0 && errno == EACCES;
    return verborgen ? Besitzer::Laeuft : Besitzer::Unlesbar;
  }
  if (!rechner.isEmpty() && rechner != QSysInfo::machineHostName()) return Besitzer::Laeuft;
  return Tolvek::ProzessLaeuft(pid) ? Besitzer::Laeuft : Besitzer::Fort;
}

bool aelterAlsFrist(const QString& datei) {
  const qint64 alter = QFileInfo(datei).lastModified().msecsTo(QDateTime::currentDateTime());
  return std::abs(alter) >= std::chrono::milliseconds(kBesitzerFrist).count();
}

// Takes over a lock whose owner could not be read, and logs that it did.
// Fails while a copy keeps the file locked (one that is writing its owner)
// or where the folder takes no change.
bool uebernehmen(QLockFile& sperre, const QString& datei) {
  if (!sperre.removeStaleLockFile() || !sperre.tryLock(0)) return false;
  Tolvek::FehlerProtokollieren(QStringLiteral("Programmstart"), pv::Laufzeitfehler::kPfadZugriff,
                               QStringLiteral("Sperrdatei ohne lesbaren Besitzer übernommen: ") +
                                   QDir::toNativeSeparators(datei));
  return true;
}

// The lock of `ordner`. Nothing when a running copy holds it (`belegt`) or
// it cannot be taken: a folder that takes no file, where a lock that a copy
// left behind cannot be removed either.
std::unique_ptr<QLockFile> sperren(const QString& ordner, bool& belegt) {
  const QString datei = QDir(ordner).filePath(kSperrdatei);
  auto sperre = std::make_unique<QLockFile>(datei);
  // Held for the whole run: only its owner being gone makes a lock stale,
  // never its age (which counts where the file system keeps no lock of its
  // own, on a network folder).
  sperre->setStaleLockTime(0);
  belegt = false;
  const int64_t bis = Uhren::laufzeitMsSystem() + std::chrono::milliseconds(kBesitzerFrist).count();
  for (;;) {
    if (sperre->tryLock(0)) return sperre;
    if (sperre->error() != QLockFile::LockFailedError) return nullptr;
    const Besitzer wer = besitzer(*sperre, datei);
    if (wer != Besitzer::Unlesbar) {
      belegt = wer == Besitzer::Laeuft;
      return nullptr;
    }
    // A young one may be a copy just starting: read again after a while.
    if (!aelterAlsFrist(datei) && Uhren::laufzeitMsSystem() < bis) {
      std::this_thread::sleep_for(kNachsehen);
      continue;
    }
    if (uebernehmen(*sperre, datei)) return sperre;
    belegt = QFileInfo(ordner).isWritable();
    return nullptr;
  }
}

bool gesperrt(const QString& ordner) {
  if (!QFileInfo::exists(QDir(ordner).filePath(kSperrdatei))) return false;
  bool belegt = false;
  sperren(ordner, belegt);
  return belegt;
}

}  // namespace

Ordnersperre::Ordnersperre(const QString& programmordner) : sicherungsordner_(programmordner) {
  sperre_ = sperren(programmordner, weitereKopie_);
  if (sperre_) {
    // The first copy may have ended while further ones run on.
    for (int n = 2; n <= kHoechsteKopie && !weitereKopie_; ++n) weitereKopie_ = gesperrt(kopieOrdner(programmordner, n));
    return;
  }
  // A folder that takes no lock takes no saves either; those say so.
  if (!weitereKopie_) return;
  for (int n = 2; n <= kHoechsteKopie; ++n) {
    const QString ordner = kopieOrdner(programmordner, n);
    const bool neu = !QFileInfo::exists(ordner);
    if (!QDir().mkpath(ordner)) continue;
    bool belegt = false;
    sperre_ = sperren(ordner, belegt);
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

QString weitereKopieFrage(const QString& programmordner, const QString& sicherungsordner) {
  return QStringLiteral("Pelvaron läuft bereits mit dem Programmordner\r\n%1\r\n\r\n"
                        "Beide Programme verwenden dieselben Einstellungen; beim Beenden bleiben die des "
                        "zuletzt beendeten Programms erhalten.\r\n"
                        "Zwischenspeicherung und Sicherheitsdatei dieses Programms liegen im Ordner\r\n%2\r\n\r\n"
                        "Möchten Sie Pelvaron trotzdem starten?")
      .arg(QDir::toNativeSeparators(programmordner), QDir::toNativeSeparators(sicherungsordner));
}

}  // namespace pv
