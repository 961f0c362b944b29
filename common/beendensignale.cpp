#include "beendensignale.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QDateTime>
#include <QEvent>
#include <QFile>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <string>
#include <system_error>
#include <thread>
#include <vector>

#include "common/uhr.h"

namespace pv {

namespace {

constexpr std::array<int, 3> kSignale = {SIGTERM, SIGHUP, SIGINT};

// What the handler may touch: the write end of the socket pair; when the
// first signal came (on the running clock, which a handler may read; 0:
// none yet), whether the event loop has come to it, and how long a main
// thread may keep it waiting; and the handlers found before, put back at
// the end.
int schreibende = -1;
int leseende = -1;
std::atomic<int64_t> ersterSignal{0};
std::atomic<bool> behandelt{false};
int64_t zwangsfristMs = 0;
struct sigaction vorher[kSignale.size()];
bool uebernommen[kSignale.size()];

// A repeated SIGTERM or SIGINT while the event loop has not come to the
// first one for the whole bound: the main thread hangs in a system call (a
// network folder gone, a FIFO), and the signal's default action ends the
// process. SIGHUP comes once and never forces the end.
bool zwangsende(int nummer) {
  const int64_t jetzt = Uhren::laufzeitMsSystem();
  int64_t erster = 0;
  if (ersterSignal.compare_exchange_strong(erster, jetzt)) return false;
  return nummer != SIGHUP && !behandelt.load() && jetzt - erster >= zwangsfristMs;
}

void signalEmpfangen(int nummer) {
  const int fehler = errno;
  if (zwangsende(nummer)) {
    struct sigaction standard {};
    standard.sa_handler = SIG_DFL;
    sigemptyset(&standard.sa_mask);
    ::sigaction(nummer, &standard, nullptr);
    // Blocked while its handler runs: it ends the process on the return.
    ::raise(nummer);
    return;
  }
  const char byte = static_cast<char>(nummer);
  // Non-blocking: with the pair full a signal is pending already.
  [[maybe_unused]] const ssize_t n = ::write(schreibende, &byte, 1);
  errno = fehler;
}

// The instance whose `retten` an exit() calls.
std::atomic<Notausgang*> notausgang{nullptr};

// Whether the lock file at `pfad` is this process's: a lock file's first
// line is its owner's process id.
bool eigeneSperre(const std::string& pfad) {
  const int fd = ::open(pfad.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char text[32] = {};
  const ssize_t n = ::read(fd, text, sizeof text - 1);
  ::close(fd);
  return n > 0 && std::strtoll(text, nullptr, 10) == ::getpid();
}

void schliessen() {
  for (int* fd : {&schreibende, &leseende}) {
    if (*fd >= 0) ::close(*fd);
    *fd = -1;
  }
}

}  // namespace

Beendensignale::Beendensignale(std::function<void()> beenden, std::chrono::milliseconds zwangsfrist, QObject* parent)
    : QObject(parent), beenden_(std::move(beenden)) {
  if (schreibende >= 0) return;  // another instance owns the signals
  int paar[2];
  if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0, paar) != 0) return;
  leseende = paar[0];
  schreibende = paar[1];
  ersterSignal.store(0);
  behandelt.store(false);
  zwangsfristMs = zwangsfrist.count();
  struct sigaction neu {};
  neu.sa_handler = signalEmpfangen;
  sigemptyset(&neu.sa_mask);
  neu.sa_flags = SA_RESTART;
  for (size_t i = 0; i < kSignale.size(); ++i) {
    // A signal ignored from the start stays ignored: started with nohup,
    // the program outlives its terminal.
    uebernommen[i] = ::sigaction(kSignale[i], nullptr, &vorher[i]) == 0 && vorher[i].sa_handler != SIG_IGN &&
                     ::sigaction(kSignale[i], &neu, nullptr) == 0;
  }
  melder_ = new QSocketNotifier(leseende, QSocketNotifier::Read, this);
  connect(melder_, &QSocketNotifier::activated, this, &Beendensignale::lesen);
  ok_ = true;
}

Beendensignale::~Beendensignale() {
  if (!ok_) return;
  for (size_t i = 0; i < kSignale.size(); ++i) {
    if (uebernommen[i]) ::sigaction(kSignale[i], &vorher[i], nullptr);
  }
  delete melder_;
  schliessen();
}

void Beendensignale::lesen() {
  char bytes[16];
  const ssize_t n = ::read(leseende, bytes, sizeof bytes);
  if (n <= 0) return;
  // From here the end is under way, however long its writing takes: a
  // repeated signal no longer cuts it short.
  behandelt.store(true);
  // One call serves all signals read at once: the end happens only once.
  if (beenden_) beenden_();
}

void spaetestensBeenden(std::chrono::seconds frist, int status, const QStringList& sperrdateien) {
  std::vector<std::string> pfade;
  for (const QString& datei : sperrdateien) pfade.push_back(QFile::encodeName(datei).toStdString());
  // The thread touches nothing but its own copies and system calls: it may
  // wake while the main thread is inside exit() destroying static objects.
  try {
    std::thread([frist, status, pfade = std::move(pfade)] {
      std::this_thread::sleep_for(frist);
      for (const std::string& pfad : pfade) {
        if (eigeneSperre(pfad)) ::unlink(pfad.c_str());
      }
      std::_Exit(status);
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had (the user's process limit): the end is left to
    // the event loop rather than aborting the process.
  }
}

Notausgang::Notausgang(std::function<void()> retten) : retten_(std::move(retten)) {
  // Registered once, when the first instance is made. Static objects made
  // later are destroyed before the handler runs; Qt makes its calendars,
  // which every date text needs (an end time, a log line), on first use:
  // they are made first.
  static const bool registriert = [] {
    [[maybe_unused]] const QString datum = QDateTime::currentDateTime().toString(QStringLiteral("dd.MM.yyyy hh:mm:ss"));
    return std::atexit(&Notausgang::ausgang) == 0;
  }();
  if (registriert) notausgang.store(this);
}

Notausgang::~Notausgang() {
  Notausgang* selbst = this;
  notausgang.compare_exchange_strong(selbst, nullptr);
}

void Notausgang::ausgang() {
  Notausgang* n = notausgang.exchange(nullptr);
  if (n == nullptr || !n->retten_) return;
  try {
    n->retten_();
  } catch (...) {
  }
}

Sitzungsende::Sitzungsende(QGuiApplication& anwendung, std::function<void()> sichern, std::function<void()> beenden)
    : anwendung_(&anwendung), beenden_(std::move(beenden)) {
  connect(&anwendung, &QGuiApplication::commitDataRequest, this, [sichern = std::move(sichern)](QSessionManager&) {
    sichern();
  });
  anwendung.installEventFilter(this);
}

bool Sitzungsende::eventFilter(QObject* objekt, QEvent* ereignis) {
  if (ereignis->type() != QEvent::Quit || objekt != anwendung_) return false;
  beenden_();
  return true;
}

}  // namespace pv
