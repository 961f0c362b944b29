#include "sperrbesitzer.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <cstring>
#include <limits>

namespace pv {

namespace {

bool leerzeichen(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

// The id written as text: digits between blanks, zeros in front allowed.
int64_t textPid(const char* anfang, const char* ende) {
  while (anfang < ende && leerzeichen(*anfang)) ++anfang;
  while (ende > anfang && leerzeichen(ende[-1])) --ende;
  if (anfang < ende && *anfang == '+') ++anfang;
  if (anfang == ende) return 0;
  int64_t pid = 0;
  for (const char* z = anfang; z < ende; ++z) {
    if (*z < '0' || *z > '9') return 0;
    pid = pid * 10 + (*z - '0');
    if (pid > std::numeric_limits<pid_t>::max()) return 0;
  }
  return pid;
}

// The second line as Qt reads it: "\r\n" is a line end, and the line's last
// character is cut, whether it is the line end or not (a file ending
// without one). A name that holds a NUL or does not fit is kept empty:
// no program has it.
void nameLesen(const char* anfang, const char* ende, Sperrbesitzer& b) {
  const char* zeilenende = static_cast<const char*>(std::memchr(anfang, '\n', ende - anfang));
  size_t laenge = (zeilenende ? zeilenende : ende) - anfang;
  if (zeilenende && laenge > 0 && anfang[laenge - 1] == '\r') --laenge;
  if (!zeilenende && laenge > 0) --laenge;
  b.mitName = laenge > 0;
  if (laenge >= sizeof b.name || std::memchr(anfang, '\0', laenge)) return;
  std::memcpy(b.name, anfang, laenge);
  b.name[laenge] = '\0';
}

const char* dateiname(const char* pfad) {
  const char* schraegstrich = std::strrchr(pfad, '/');
  return schraegstrich ? schraegstrich + 1 : pfad;
}

// The file name Qt compares with a lock's name: that of the name itself,
// or, for a link, that of its target.
bool vergleichsname(const char* name, char* puffer, size_t groesse) {
  struct stat st {};
  if (::lstat(name, &st) != 0 || !S_ISLNK(st.st_mode)) {
    const char* n = dateiname(name);
    if (std::strlen(n) >= groesse) return false;
    std::strcpy(puffer, n);
    return true;
  }
  char ziel[PATH_MAX];
  ssize_t n = ::readlink(name, ziel, sizeof ziel - 1);
  if (n <= 0) return false;
  while (n > 1 && ziel[n - 1] == '/') --n;
  ziel[n] = '\0';
  const char* d = dateiname(ziel);
  if (std::strlen(d) >= groesse) return false;
  std::strcpy(puffer, d);
  return true;
}

// The lock files noted; a path is written before the count that covers it.
constexpr int kPlaetze = 32;
char gemerkt[kPlaetze][PATH_MAX];
std::atomic<int> anzahlGemerkt{0};

}  // namespace

Sperrbesitzer sperrbesitzerLesen(const char* pfad) {
  Sperrbesitzer b;
  const int fd = ::open(pfad, O_RDONLY | O_NONBLOCK | O_NOCTTY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return b;
  struct stat st {};
  char puffer[PATH_MAX + 64];
  ssize_t n = 0;
  if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode)) n = ::read(fd, puffer, sizeof puffer);
  ::close(fd);
  if (n <= 0) return b;
  if (n == sizeof(int32_t) && std::memchr(puffer, '\0', n)) {
    // Text holds no NUL, a binary id below 2^24 does; its bytes may read as
    // digits and a line end.
    int32_t binaer = 0;
    std::memcpy(&binaer, puffer, sizeof binaer);
    b.pid = binaer > 0 ? binaer : 0;
    return b;
  }
  const char* ende = puffer + n;
  const char* zeilenende = static_cast<const char*>(std::memchr(puffer, '\n', n));
  b.pid = textPid(puffer, zeilenende ? zeilenende : ende);
  if (b.pid > 0 && zeilenende) nameLesen(zeilenende + 1, ende, b);
  return b;
}

bool programmName(int64_t pid, char* puffer, size_t groesse) {
  char pfad[64] = "/proc/";
  char* stelle = pfad + std::strlen(pfad);
  stelle = std::to_chars(stelle, pfad + sizeof pfad - 5, pid).ptr;
  std::strcpy(stelle, "/exe");
  char ziel[PATH_MAX];
  ssize_t n = ::readlink(pfad, ziel, sizeof ziel - 1);
  if (n <= 0) return false;
  // The program's file replaced or removed while it runs.
  constexpr char kGeloescht[] = " (deleted)";
  constexpr ssize_t kLaenge = sizeof kGeloescht - 1;
  if (n >= kLaenge && std::memcmp(ziel + n - kLaenge, kGeloescht, kLaenge) == 0) n -= kLaenge;
  ziel[n] = '\0';
  const char* name = dateiname(ziel);
  if (std::strlen(name) >= groesse) return false;
  std::strcpy(puffer, name);
  return true;
}

bool sperrbesitzerLaeuft(const Sperrbesitzer& b) {
  if (b.pid <= 0 || (::kill(static_cast<pid_t>(b.pid), 0) != 0 && errno == ESRCH)) return false;
  // Without /proc Qt compares no name either.
  if (!b.mitName || ::access("/proc/version", F_OK) != 0) return true;
  char programm[PATH_MAX];
  char name[PATH_MAX];
  if (!programmName(b.pid, programm, sizeof programm)) return true;
  return vergleichsname(b.name, name, sizeof name) && std::strcmp(programm, name) == 0;
}

void sperrdateiMerken(const QString& datei) {
  const QByteArray pfad = QFile::encodeName(datei);
  const int n = anzahlGemerkt.load();
  if (pfad.isEmpty() || pfad.size() >= PATH_MAX || n == kPlaetze) return;
  for (int i = 0; i < n; ++i) {
    if (pfad == gemerkt[i]) return;
  }
  std::memcpy(gemerkt[n], pfad.constData(), pfad.size() + 1);
  anzahlGemerkt.store(n + 1);
}

void eigeneSperrenEntfernen() {
  const int n = anzahlGemerkt.load();
  const pid_t selbst = ::getpid();
  for (int i = 0; i < n; ++i) {
    if (sperrbesitzerLesen(gemerkt[i]).pid == selbst) ::unlink(gemerkt[i]);
  }
}

}  // namespace pv
