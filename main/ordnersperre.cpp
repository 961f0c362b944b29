#include "ordnersperre.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include "common/allgemein.h"

namespace pv {

namespace {

constexpr int kHoechsteKopie = 99;

QString kopieOrdner(const QString& programmordner, int nummer) {
  return QDir(programmordner).filePath(QStringLiteral("Kopie %1").arg(nummer));
}

// Whether the owner of a lock that could not be taken runs on: on this
// computer its process still exists; a lock from another computer counts
// as held.
bool besitzerLaeuft(const QLockFile& sperre) {
  qint64 pid = 0;
  QString rechner;
  QString anwendung;
  if (!sperre.getLockInfo(&pid, &rechner, &anwendung)) return false;
  if (!rechner.isEmpty() && rechner != QSysInfo::machineHostName()) return true;
  return Tolvek::ProzessLaeuft(pid);
}

// The lock of `ordner`. Nothing when a running copy holds it (`belegt`) or
// it cannot be taken: a folder that takes no file, where a lock that a copy
// left behind cannot be removed either.
std::unique_ptr<QLockFile> sperren(const QString& ordner, bool& belegt) {
  auto sperre = std::make_unique<QLockFile>(QDir(ordner).filePath(kSperrdatei));
  // Held for the whole run: only its owner being gone makes a lock stale,
  // never its age (which counts where the file system keeps no lock of its
  // own, on a network folder).
  sperre->setStaleLockTime(0);
  belegt = false;
  if (sperre->tryLock(0)) return sperre;
  belegt = sperre->error() == QLockFile::LockFailedError && besitzerLaeuft(*sperre);
  return nullptr;
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
