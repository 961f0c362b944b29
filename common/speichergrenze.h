#pragma once

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <functional>
#include <optional>

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

}  // namespace pv
