#include "beendensignale.h"

#include <fcntl.h>
#include <sys/socket.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QEvent>
#include <QGuiApplication>
#include <QSessionManager>
#include <QSocketNotifier>
#include <array>
#include <atomic>
#include <cerrno>
#include <charconv>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <system_error>
#include <thread>

#include "common/sperrbesitzer.h"
#include "common/uhr.h"

namespace pv {

namespace {

constexpr std::array<int, 3> kSignale = {SIGTERM, SIGHUP, SIGINT};

// What the handler may touch: the write end of the socket pair; when the
// first signal came (on the running clock, which a handler may read; 0:
// none yet) and how long a main thread may keep it waiting; and the
// handlers found before, put back at the end.
int schreibende = -1;
int leseende = -1;
std::atomic<int64_t> ersterSignal{0};
int64_t zwangsfristMs = 0;
struct sigaction vorher[kSignale.size()];
bool uebernommen[kSignale.size()];

// The one mark of an end under way, read by the handler.
std::atomic<bool> endeImGange{false};

// The forced end's line: its start, made from the application's name when
// the signals are taken over, and where the values' numbers are kept.
char zwangsendeAnfang[256];
std::atomic<const int32_t*> werteAnzahl{nullptr};
std::atomic<const int32_t*> werteGesichert{nullptr};

void schreiben(const char* text) {
  for (size_t rest = std::strlen(text); rest > 0;) {
    const ssize_t n = ::write(STDERR_FILENO, text, rest);
    if (n <= 0) return;
    text += n;
    rest -= static_cast<size_t>(n);
  }
}

void zahlSchreiben(int64_t zahl) {
  char text[24] = {};
  std::to_chars(text, text + sizeof text - 1, zahl);
  schreiben(text);
}

// Which values since the last save the forced end loses, written piece by
// piece with nothing but write().
void zwangsendeMelden() {
  const int32_t* anzahl = werteAnzahl.load();
  const int32_t* gesichert = werteGesichert.load();
  const int64_t bis = anzahl ? *static_cast<const volatile int32_t*>(anzahl) : 0;
  const int64_t von = (gesichert ? *static_cast<const volatile int32_t*>(gesichert) : 0) + 1;
  schreiben(zwangsendeAnfang);
  if (von < bis) {
    schreiben("die Messwerte ");
    zahlSchreiben(von);
    schreiben(" bis ");
    zahlSchreiben(bis);
    schreiben(" seit der letzten Sicherung sind verloren.\n");
  } else if (von == bis) {
    schreiben("der Messwert ");
    zahlSchreiben(bis);
    schreiben(" seit der letzten Sicherung ist verloren.\n");
  } else {
    schreiben("es gingen keine Messwerte verloren.\n");
  }
}

// A repeated SIGTERM or SIGINT while the event loop has not come to the
// first one for the whole bound and no end is under way: the main thread
// hangs in a system call (a network folder gone, a FIFO), and the signal's
// default action ends the process. SIGHUP comes once and never forces the
// end. An end under way is never cut short: its writes go on.
bool zwangsende(int nummer) {
  const int64_t jetzt = Uhren::laufzeitMsSystem();
  int64_t erster = 0;
  if (ersterSignal.compare_exchange_strong(erster, jetzt)) return false;
  return nummer != SIGHUP && !endeImGange.load() && jetzt - erster >= zwangsfristMs;
}

void signalEmpfangen(int nummer) {
  const int fehler = errno;
  if (zwangsende(nummer)) {
    zwangsendeMelden();
    eigeneSperrenEntfernen();
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
  zwangsfristMs = zwangsfrist.count();
  const QByteArray anfang = (QCoreApplication::applicationName() +
                             QStringLiteral(": Das Programm reagierte nicht und wurde durch ein zweites Signal "
                                            "zwangsweise beendet; "))
                                .toLocal8Bit()
                                .left(sizeof zwangsendeAnfang - 1);
  std::memcpy(zwangsendeAnfang, anfang.constData(), anfang.size() + 1);
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
  // One call serves all signals read at once: the end happens only once.
  // The end it begins marks itself under way (endeBeginnen).
  if (beenden_) beenden_();
}

bool endeBeginnen() { return !endeImGange.exchange(true); }

bool endeBegonnen() { return endeImGange.load(); }

void endeZuruecksetzen() { endeImGange.store(false); }

void zwangsendeWerte(const int32_t* anzahl, const int32_t* gesichert) {
  werteAnzahl.store(anzahl);
  werteGesichert.store(gesichert);
}

void spaetestensBeenden(std::chrono::seconds frist, int status) {
  // The thread touches nothing but plain static data and system calls: it
  // may wake while the main thread is inside exit() destroying static
  // objects.
  try {
    std::thread([frist, status] {
      std::this_thread::sleep_for(frist);
      eigeneSperrenEntfernen();
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
