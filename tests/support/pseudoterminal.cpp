#include "pseudoterminal.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

namespace pvtest {

Pseudoterminal::Pseudoterminal() {
  master_ = posix_openpt(O_RDWR | O_NOCTTY);
  if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) return;
  const char* name = ptsname(master_);
  if (!name) return;
  slaveOffen_ = ::open(name, O_RDWR | O_NOCTTY);
  if (slaveOffen_ < 0) return;
  termios t{};
  tcgetattr(slaveOffen_, &t);
  cfmakeraw(&t);
  tcsetattr(slaveOffen_, TCSANOW, &t);
  fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
  slave_ = QString::fromLocal8Bit(name);
}

Pseudoterminal::~Pseudoterminal() {
  if (slaveOffen_ >= 0) ::close(slaveOffen_);
  if (master_ >= 0) ::close(master_);
}

void Pseudoterminal::senden(const QByteArray& daten) {
  qsizetype geschrieben = 0;
  while (geschrieben < daten.size()) {
    const ssize_t n = ::write(master_, daten.constData() + geschrieben, daten.size() - geschrieben);
    if (n <= 0) break;
    geschrieben += n;
  }
}

QByteArray Pseudoterminal::empfangen() {
  QByteArray ergebnis;
  char puffer[256];
  ssize_t n;
  while ((n = ::read(master_, puffer, sizeof puffer)) > 0) ergebnis.append(puffer, n);
  return ergebnis;
}

int Pseudoterminal::ungelesen() const {
  int n = 0;
  return slaveOffen_ >= 0 && ::ioctl(slaveOffen_, FIONREAD, &n) == 0 ? n : 0;
}

bool warteBis(const std::function<bool()>& bedingung, int ms) {
  QElapsedTimer uhr;
  uhr.start();
  while (!bedingung()) {
    if (uhr.elapsed() > ms) return bedingung();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
  return true;
}

void ereignisseFuer(int ms) {
  QElapsedTimer uhr;
  uhr.start();
  while (uhr.elapsed() < ms) {
    QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    QThread::msleep(2);
  }
}

}  // namespace pvtest
