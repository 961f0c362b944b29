#include "speichergrenze.h"

#include <sys/resource.h>

#include <QFile>
#include <QList>
#include <algorithm>
#include <limits>
#include <mutex>

namespace pv {
namespace {

constexpr uint64_t kUnbegrenzt = std::numeric_limits<uint64_t>::max();

uint64_t summe(uint64_t a, uint64_t b) { return a > kUnbegrenzt - b ? kUnbegrenzt : a + b; }

// A number of bytes as a limit file holds it; "max" and anything else that
// is no number set no bound.
uint64_t grenze(const std::optional<QByteArray>& text) {
  bool ok = false;
  const uint64_t wert = text ? text->trimmed().toULongLong(&ok) : 0;
  return ok ? wert : kUnbegrenzt;
}

// A line "MemTotal:  24682360 kB" of /proc/meminfo in bytes; 0 without it.
uint64_t meminfoWert(const QByteArray& meminfo, const QByteArray& name) {
  for (const QByteArray& zeile : meminfo.split('\n')) {
    if (!zeile.startsWith(name + ':')) continue;
    const QList<QByteArray> teile = zeile.mid(name.size() + 1).simplified().split(' ');
    return teile.value(0).toULongLong() * (teile.value(1) == "kB" ? 1024 : 1);
  }
  return 0;
}

// The least limit of the group `pfad` and of the groups above it, each
// with the swap it may take besides.
uint64_t gruppengrenze(const Dateiinhalt& lesen, const QString& wurzel, QString pfad, const char* speicher,
                       const char* auslagerung, uint64_t swap) {
  uint64_t kleinste = kUnbegrenzt;
  while (true) {
    const QString ordner = wurzel + (pfad == u"/" ? QString() : pfad) + u'/';
    const uint64_t s = grenze(lesen(ordner + QLatin1String(speicher)));
    const uint64_t a = auslagerung ? grenze(lesen(ordner + QLatin1String(auslagerung))) : kUnbegrenzt;
    if (s != kUnbegrenzt) kleinste = std::min(kleinste, summe(s, std::min(a, swap)));
    if (pfad.size() <= 1) return kleinste;
    pfad.truncate(std::max<qsizetype>(pfad.lastIndexOf(u'/'), 1));
  }
}

std::optional<QByteArray> systemdatei(const QString& pfad) {
  QFile datei(pfad);
  if (!datei.open(QIODevice::ReadOnly)) return std::nullopt;
  return datei.readAll();
}

// The process's address-space and data-segment limits.
uint64_t prozessgrenze() {
  uint64_t kleinste = kUnbegrenzt;
  for (int art : {RLIMIT_AS, RLIMIT_DATA}) {
    rlimit r{};
    if (getrlimit(art, &r) == 0 && r.rlim_cur != RLIM_INFINITY) kleinste = std::min<uint64_t>(kleinste, r.rlim_cur);
  }
  return kleinste;
}

}  // namespace

uint64_t nutzbarerSpeicher(const Dateiinhalt& lesen) {
  const QByteArray meminfo = lesen(QStringLiteral("/proc/meminfo")).value_or(QByteArray());
  const uint64_t ram = meminfoWert(meminfo, "MemTotal");
  const uint64_t swap = meminfoWert(meminfo, "SwapTotal");
  uint64_t kleinste = ram > 0 ? summe(ram, swap) : kUnbegrenzt;
  // Lines "0::/pfad" (version 2) and "4:memory:/pfad" (version 1).
  for (const QByteArray& zeile : lesen(QStringLiteral("/proc/self/cgroup")).value_or(QByteArray()).split('\n')) {
    const QList<QByteArray> teile = zeile.trimmed().split(':');
    if (teile.size() < 3 || !teile[2].startsWith('/')) continue;
    const QString pfad = QString::fromUtf8(zeile.trimmed().mid(teile[0].size() + teile[1].size() + 2));
    if (teile[0] == "0" && teile[1].isEmpty()) {
      kleinste = std::min(kleinste, gruppengrenze(lesen, QStringLiteral("/sys/fs/cgroup"), pfad, "memory.max",
                                                  "memory.swap.max", swap));
    } else if (teile[1].split(',').contains("memory")) {
      kleinste = std::min(kleinste, gruppengrenze(lesen, QStringLiteral("/sys/fs/cgroup/memory"), pfad,
                                                  "memory.limit_in_bytes", nullptr, swap));
    }
  }
  return kleinste;
}

uint64_t nutzbarerSpeicher() { return std::min(nutzbarerSpeicher(systemdatei), prozessgrenze()); }

uint64_t Speichergrenze::fuer(uint64_t bedarf) {
  if (gelernt_ == 0 || bedarf > gelernt_ / 2 || bedarf > kImmerFragen) gelernt_ = nutzbarerSpeicher(lesen_);
  return gelernt_;
}

uint64_t nutzbarerSpeicherFuer(uint64_t bedarf) {
  static std::mutex sperre;
  static Speichergrenze grenze(systemdatei);
  const std::lock_guard<std::mutex> gesperrt(sperre);
  return std::min(grenze.fuer(bedarf), prozessgrenze());
}

}  // namespace pv
