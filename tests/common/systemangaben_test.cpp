// What the program reads from the system itself: the memory it may take and
// its running clock.
#include <fcntl.h>
#include <sched.h>
#include <sys/wait.h>
#include <unistd.h>

#include <ctime>

#include <QMap>
#include <gtest/gtest.h>
#include <tuple>

#include "common/speichergrenze.h"
#include "common/uhr.h"

namespace {

TEST(Speichergrenze, LeastOfMachineAndControlGroups) {
  constexpr uint64_t kGiB = uint64_t(1) << 30;
  const QByteArray meminfo = "MemTotal:        4194304 kB\nMemFree:  1000 kB\nSwapTotal:       1048576 kB\n";
  const QByteArray ohneSwap = "MemTotal:        4194304 kB\nSwapTotal:             0 kB\n";
  const QString v2 = QStringLiteral("/sys/fs/cgroup/user.slice/app.scope/");
  const QString v1 = QStringLiteral("/sys/fs/cgroup/memory/dienst/");
  struct Fall {
    const char* name;
    QMap<QString, QByteArray> dateien;
    uint64_t erwartet;
  };
  const Fall faelle[] = {
      {"nothing known", {}, UINT64_MAX},
      {"machine: memory and swap", {{"/proc/meminfo", meminfo}}, 5 * kGiB},
      {"group with swap as far as the machine has any",
       {{"/proc/meminfo", meminfo},
        {"/proc/self/cgroup", "0::/user.slice/app.scope\n"},
        {v2 + "memory.max", "3221225472\n"},
        {v2 + "memory.swap.max", "max\n"}},
       4 * kGiB},
      {"group without swap, its parent tighter with it",
       {{"/proc/meminfo", meminfo},
        {"/proc/self/cgroup", "0::/user.slice/app.scope\n"},
        {v2 + "memory.max", "3221225472\n"},
        {v2 + "memory.swap.max", "0\n"},
        {"/sys/fs/cgroup/user.slice/memory.max", "1073741824\n"}},
       2 * kGiB},
      {"unlimited group",
       {{"/proc/meminfo", ohneSwap}, {"/proc/self/cgroup", "0::/\n"}, {"/sys/fs/cgroup/memory.max", "max\n"}},
       4 * kGiB},
      {"version 1 memory hierarchy",
       {{"/proc/meminfo", ohneSwap},
        {"/proc/self/cgroup", "5:cpu,cpuacct:/dienst\n4:memory:/dienst\n0::/\n"},
        {v1 + "memory.limit_in_bytes", "1073741824\n"},
        {"/sys/fs/cgroup/memory/memory.limit_in_bytes", "9223372036854771712\n"}},
       kGiB},
  };
  for (const Fall& f : faelle) {
    EXPECT_EQ(pv::nutzbarerSpeicher([&](const QString& pfad) -> std::optional<QByteArray> {
                if (!f.dateien.contains(pfad)) return std::nullopt;
                return f.dateien.value(pfad);
              }),
              f.erwartet)
        << f.name;
  }
}

// Opening a file asks the system again only where its need is large or
// takes more than half the bound learnt: a limit lowered meanwhile refuses
// such a need, and a smaller one costs no reading of the system's files.
TEST(Speichergrenze, ReadAgainOnlyForANeedNearTheBoundLearnt) {
  constexpr uint64_t kMiB = uint64_t(1) << 20;
  uint64_t mib = 4096;
  pv::Speichergrenze grenze([&](const QString& pfad) -> std::optional<QByteArray> {
    if (pfad != QStringLiteral("/proc/meminfo")) return std::nullopt;
    return "MemTotal: " + QByteArray::number(mib * 1024) + " kB\n";
  });
  const std::tuple<uint64_t, uint64_t, uint64_t> schritte[] = {
      // system's MiB, need, bound given
      {4096, 1, 4096 * kMiB},
      {1024, 256 * kMiB, 4096 * kMiB},
      {1024, 256 * kMiB + 1, 1024 * kMiB},  // a large need always asks
      {300, 256 * kMiB + 1, 300 * kMiB},
      {1024, 150 * kMiB, 300 * kMiB},
      {1024, 150 * kMiB + 1, 1024 * kMiB},  // more than half of 300 MiB
  };
  for (const auto& [system, bedarf, erwartet] : schritte) {
    mib = system;
    EXPECT_EQ(grenze.fuer(bedarf), erwartet) << bedarf;
  }
}

// The clock the program measures durations with is the one that goes on
// while the wall clock is set and while the computer sleeps. Read in a time
// namespace whose boot clock is a day ahead, as after a long sleep, where
// the monotonic clock is not: the first process made in it reads it.
TEST(Uhren, TheRunningClockIsTheBootClock) {
  enum { kGleich, kAnders, kKeinNamensraum };
  const pid_t kind = fork();
  if (kind == 0) {
    const char versatz[] = "boottime 86400 0\n";
    const int fd = unshare(CLONE_NEWTIME) == 0 ? open("/proc/self/timens_offsets", O_WRONLY) : -1;
    if (fd < 0 || write(fd, versatz, sizeof versatz - 1) != sizeof versatz - 1) _exit(kKeinNamensraum);
    close(fd);
    const pid_t enkel = fork();
    if (enkel == 0) {
      const auto bootMs = [] {
        timespec t{};
        clock_gettime(CLOCK_BOOTTIME, &t);
        return int64_t{t.tv_sec} * 1000 + t.tv_nsec / 1'000'000;
      };
      const int64_t vorher = bootMs();
      const int64_t laufzeit = pv::Uhren{}.laufzeitMs();
      _exit(laufzeit >= vorher && laufzeit <= bootMs() ? kGleich : kAnders);
    }
    int status = 0;
    _exit(waitpid(enkel, &status, 0) == enkel && WIFEXITED(status) ? WEXITSTATUS(status) : kAnders);
  }
  int status = 0;
  ASSERT_EQ(waitpid(kind, &status, 0), kind);
  ASSERT_TRUE(WIFEXITED(status));
  if (WEXITSTATUS(status) == kKeinNamensraum) GTEST_SKIP() << "no time namespace may be made here (needs root and Linux 5.6)";
  EXPECT_EQ(WEXITSTATUS(status), kGleich);
}

}  // namespace
