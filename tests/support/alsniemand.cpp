#include "alsniemand.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QByteArray>

namespace pvtest {

std::optional<QString> alsNiemand(const std::function<QString()>& tun) {
  const passwd* niemand = getpwnam("nobody");
  int rohr[2];
  if (!niemand || pipe(rohr) != 0) return std::nullopt;
  const uid_t uid = niemand->pw_uid;
  const gid_t gid = niemand->pw_gid;
  const pid_t kind = fork();
  if (kind == 0) {
    ::close(rohr[0]);
    if (setgroups(0, nullptr) != 0 || setgid(gid) != 0 || setuid(uid) != 0) _exit(2);
    const QByteArray aus = tun().toUtf8();
    _exit(::write(rohr[1], aus.constData(), aus.size()) == aus.size() ? 0 : 3);
  }
  ::close(rohr[1]);
  QByteArray ein;
  char puffer[512];
  for (ssize_t n; (n = ::read(rohr[0], puffer, sizeof puffer)) > 0;) ein.append(puffer, n);
  ::close(rohr[0]);
  int status = 0;
  waitpid(kind, &status, 0);
  if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return std::nullopt;
  return QString::fromUtf8(ein);
}

}  // namespace pvtest
