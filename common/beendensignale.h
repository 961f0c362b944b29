#pragma once

#include <QObject>
#include <QStringList>
#include <chrono>
#include <cstdint>
#include <functional>

class QGuiApplication;
class QSocketNotifier;

namespace pv {

// The signals with which the system asks the program to end: SIGTERM (a
// shutdown, a logout, `kill`), SIGHUP (the terminal or the session is gone)
// and SIGINT (Ctrl+C). The handler itself only writes the signal's number
// into a socket pair; a socket notifier reads it in the event loop, nested
// loops of open dialogs included, and calls `beenden` there.
// A signal the program was started with ignored (nohup) stays ignored.
// A main thread blocked in a system call never comes to the event loop: a
// SIGTERM or SIGINT that comes when the first signal has waited there for
// `zwangsfrist`, and no end is under way, ends the process as the signal's
// default action does. Before, a line on standard error says that the end
// was forced and which values since the last save are lost (zwangsendeWerte),
// and the lock files of this process go (eigeneSperrenEntfernen).
// One instance at a time; the destructor puts the previous handlers back.
class Beendensignale : public QObject {
 public:
  Beendensignale(std::function<void()> beenden, std::chrono::milliseconds zwangsfrist, QObject* parent = nullptr);
  ~Beendensignale() override;
  Beendensignale(const Beendensignale&) = delete;
  Beendensignale& operator=(const Beendensignale&) = delete;

 private:
  void lesen();

  std::function<void()> beenden_;
  QSocketNotifier* melder_ = nullptr;
  bool ok_ = false;  // false when the socket pair could not be made: the
                     // signals then end the process as before
};

// Whether the program's end is under way, from where any end begins (a
// signal's, "Ende", the session's, the display gone) before it writes
// anything: from then on no repeated signal cuts it short. `endeBeginnen`
// is true for the call that begins it; a program's life begins with
// `endeZuruecksetzen`.
bool endeBeginnen();
bool endeBegonnen();
void endeZuruecksetzen();

// Where the program keeps the number of the measurement's values and the
// number of them that a file holds since the last save, for the line of a
// forced end. Read in the signal handler, when the main thread has not come
// back to its event loop for the whole bound.
void zwangsendeWerte(const int32_t* anzahl, const int32_t* gesichert);

// The desktop session's requests (xcb's session management): before the
// session ends, and for a mere checkpoint, it asks the program to keep its
// data (`sichern`, the program goes on); when it ends, it sends the
// application a quit request, which ends the program through `beenden`
// instead of closing its windows one by one with their questions.
class Sitzungsende : public QObject {
 public:
  Sitzungsende(QGuiApplication& anwendung, std::function<void()> sichern, std::function<void()> beenden);
  Sitzungsende(const Sitzungsende&) = delete;
  Sitzungsende& operator=(const Sitzungsende&) = delete;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  QGuiApplication* anwendung_;
  std::function<void()> beenden_;
};

// The last resort once the end was requested: ends the process with
// `status` after `frist` unless it has ended by then, for code that keeps
// running without going back to the event loop. Everything worth keeping
// must be written before. The lock files noted (sperrdateiMerken) go first
// where they are still this process's: a lock that outlives its process
// keeps the folder or the port from users who may not remove it.
void spaetestensBeenden(std::chrono::seconds frist, int status);

// The end of the process through exit() past the program's own end: Qt's
// xcb plugin calls exit(1) when the connection to the X server breaks, and
// no other code of the program runs then. While an instance lives, such an
// end first calls `retten`, once, on the thread that called exit(). By then
// static objects made after the first instance are gone, and the window
// system may be: `retten` does file work only and touches no widget beyond
// reading its text. Its end, the program's own end, disarms it.
class Notausgang {
 public:
  explicit Notausgang(std::function<void()> retten);
  ~Notausgang();
  Notausgang(const Notausgang&) = delete;
  Notausgang& operator=(const Notausgang&) = delete;

 private:
  static void ausgang();

  std::function<void()> retten_;
};

}  // namespace pv
