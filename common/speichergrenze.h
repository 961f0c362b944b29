#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>
#include <utility>

namespace pv {

// A file's whole content; empty when it cannot be read.
using Dateiinhalt = std::function<std::optional<QByteArray>(const QString& pfad)>;

// The bytes of memory this process may take at most, from the system's
// files as `lesen` gives them: the machine's memory and swap
// (/proc/meminfo), and the limit of the control group the process runs in
// and of every group above it (/proc/self/cgroup; version 2 below
// /sys/fs/cgroup, the memory hierarchy of version 1 below
// /sys/fs/cgroup/memory), a group's swap counted as far as the machine has
// any. UINT64_MAX when none of them sets a bound.
uint64_t nutzbarerSpeicher(const Dateiinhalt& lesen);

// The same from the real files, bounded further by the process's
// address-space and data-segment limits where they are set.
uint64_t nutzbarerSpeicher();

// The bound of nutzbarerSpeicher(lesen) for a need of `bedarf` bytes,
// without reading the files at every need: the bound is learnt at the first
// need and read again for a need of more than half the bound learnt or of
// more than kImmerFragen, which costs far more to read than the files do.
// Such limits seldom change while the program runs; one lowered since is
// seen by the first large need.
class Speichergrenze {
 public:
  static constexpr uint64_t kImmerFragen = uint64_t(256) << 20;
  explicit Speichergrenze(Dateiinhalt lesen) : lesen_(std::move(lesen)) {}
  uint64_t fuer(uint64_t bedarf);

 private:
  Dateiinhalt lesen_;
  uint64_t gelernt_ = 0;  // 0 until learnt
};

// nutzbarerSpeicher() for a need of `bedarf` bytes: the real files through
// one Speichergrenze of the process; the process's own limits, cheap to
// ask, at every need.
uint64_t nutzbarerSpeicherFuer(uint64_t bedarf);

}  // namespace pv
