// Why a port did not open, told on real paths: what lies at the path, and a
// pseudo-terminal that a user without rights, or with a stale lock or
// another program in the way, tries to open.
#include <gtest/gtest.h>

#if defined(__unix__)

#include <grp.h>
#include <pwd.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QDateTime>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSysInfo>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <functional>
#include <optional>
#include <thread>

#include "acquisition/portpruefung.h"
#include "acquisition/seriellerport.h"
#include "support/alsniemand.h"
#include "support/pseudoterminal.h"

namespace {

using pv::Portbefund;
using pv::PortUrsache;

// Opens COM 3 pointed at `pfad`: the refusal's message.
QString oeffnen(const QString& pfad) {
  QProcessEnvironment umgebung;
  umgebung.insert(QStringLiteral("PELVARON_COM3"), pfad);
  pv::SeriellerPort port(umgebung);
  port.setCommPort(3);
  try {
    port.setPortOpen(true);
  } catch (const pv::Portfehler& f) {
    return f.text();
  }
  return QStringLiteral("(opened)");
}

struct Fall {
  const char* name;
  Portbefund befund;
  QString merkmal;  // a part of the message that says what helps
};

void pruefen(const Fall& fall, const QString& pfad, const QString& meldung) {
  SCOPED_TRACE(fall.name);
  EXPECT_EQ(meldung.toStdString(), pv::portfehlerText(3, pfad, fall.befund).toStdString());
  for (const QString& teil : {QStringLiteral("COM 3 (%1)").arg(pfad), fall.merkmal}) {
    EXPECT_TRUE(meldung.contains(teil)) << teil.toStdString();
  }
}

TEST(Portpruefung, PathsThatAreNoPort) {
  QTemporaryDir ordner;
  ASSERT_TRUE(ordner.isValid());
  const QString datei = ordner.filePath(QStringLiteral("datei"));
  const QString fifo = ordner.filePath(QStringLiteral("fifo"));
  QFile f(datei);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.close();
  ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0666), 0);

  const std::pair<QString, Fall> faelle[] = {
      {ordner.filePath(QStringLiteral("fehlt")),
       {"missing", Portbefund(PortUrsache::Fehlt), QStringLiteral("gibt es nicht")}},
      {datei,
       {"regular file", Portbefund(PortUrsache::KeinGeraet, QStringLiteral("eine Datei")),
        QStringLiteral("sondern eine Datei")}},
      {ordner.path(),
       {"folder", Portbefund(PortUrsache::KeinGeraet, QStringLiteral("ein Ordner")),
        QStringLiteral("sondern ein Ordner")}},
      {fifo,
       {"FIFO, without waiting for a writer",
        Portbefund(PortUrsache::KeinGeraet, QStringLiteral("eine benannte Pipe (FIFO)")), QStringLiteral("FIFO")}},
  };
  for (const auto& [pfad, fall] : faelle) pruefen(fall, pfad, oeffnen(pfad));
}

// The lock folder is open to every user. What is put at a port's lock
// file's place and is no file is named before the open, which would wait on
// a FIFO, directly or behind a link, for a writer. (A writer comes after a
// while, so that an open that waits still ends.)
TEST(Portpruefung, ALockPlaceHoldingNoFileIsNamedNotWaitedOn) {
  pvtest::Pseudoterminal pty;
  ASSERT_TRUE(pty.ok());
  const QString sperre = pv::sperrdateiPfad(pty.slave());
  ASSERT_FALSE(sperre.isEmpty());
  const QByteArray stelle = QFile::encodeName(sperre);
  ASSERT_FALSE(QFileInfo::exists(sperre)) << "a lock of another program";
  QTemporaryDir ordner;
  const QByteArray fifo = QFile::encodeName(ordner.filePath(QStringLiteral("fifo")));
  ASSERT_EQ(mkfifo(fifo.constData(), 0666), 0);

  const struct {
    Fall fall;
    std::function<int()> anlegen;
    QByteArray wartet;  // the FIFO an open would wait on
  } zeilen[] = {
      {{"a FIFO", Portbefund(PortUrsache::FremdeSperre, QStringLiteral("eine benannte Pipe (FIFO)"), {}, sperre),
        QStringLiteral("sudo rm -r ") + sperre},
       [&] { return mkfifo(stelle.constData(), 0666); },
       stelle},
      {{"a link to a FIFO",
        Portbefund(PortUrsache::FremdeSperre, QStringLiteral("eine symbolische Verknüpfung"), {}, sperre),
        QStringLiteral("Sperrdatei")},
       [&] { return symlink(fifo.constData(), stelle.constData()); },
       fifo},
  };
  for (const auto& z : zeilen) {
    ASSERT_EQ(z.anlegen(), 0) << z.fall.name;
    std::atomic<bool> fertig = false;
    std::thread schreiber([&] {
      for (int i = 0; i < 100 && !fertig; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
      if (fertig) return;
      const int fd = ::open(z.wartet.constData(), O_WRONLY | O_NONBLOCK);
      if (fd >= 0) ::close(fd);
    });
    const QString meldung = oeffnen(pty.slave());
    fertig = true;
    schreiber.join();
    ::remove(stelle.constData());
    pruefen(z.fall, pty.slave(), meldung);
  }
}

// A process id that has just ended.
pid_t beendeterProzess() {
  const pid_t kind = fork();
  if (kind == 0) _exit(0);
  waitpid(kind, nullptr, 0);
  return kind;
}

// The process a lock file names, as the in-use box names it.
QString prozess(pid_t pid, const QString& name) { return QStringLiteral("%1 (%2)").arg(pid).arg(name); }

// Another program's lock file, in the formats programs write, held for a
// while: as long as its owner runs the port is in use, the box names the
// lock and its process, and the lock stays as it was. Once the process has
// ended, or Qt's lock names another program than the one its id runs now,
// the lock is stale and the port opens.
TEST(Portpruefung, ALockWhoseOwnerRunsHoldsThePort) {
  pvtest::Pseudoterminal pty;
  ASSERT_TRUE(pty.ok());
  const QString sperre = pv::sperrdateiPfad(pty.slave());
  ASSERT_FALSE(sperre.isEmpty());
  ASSERT_FALSE(QFileInfo::exists(sperre)) << "a lock of another program";
  const auto aufraeumen = qScopeGuard([&] { QFile::remove(sperre); });
  QTemporaryDir ordner;
  const QString programm = QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget();
  const QString verweis = ordner.filePath(QStringLiteral("verweis"));
  ASSERT_TRUE(QFile::link(programm, verweis));
  const pid_t selbst = getpid();
  const pid_t fort = beendeterProzess();
  const auto qt = [](pid_t p, const QString& name) {
    return QByteArray::number(p) + '\n' + QFile::encodeName(name) + '\n' + QSysInfo::machineHostName().toUtf8() + '\n';
  };
  const auto binaer = [](pid_t p) { const int32_t i = p; return QByteArray(reinterpret_cast<const char*>(&i), 4); };
  const struct {
    const char* name;
    QByteArray inhalt;
    bool haelt;
  } zeilen[] = {
      {"ten digits, blank padded", QByteArray::number(selbst).rightJustified(10, ' ') + '\n', true},
      {"ten digits, ended", QByteArray::number(fort).rightJustified(10, ' ') + '\n', false},
      {"zero padded", QByteArray::number(selbst).rightJustified(10, '0') + '\n', true},
      {"zero padded, ended", QByteArray::number(fort).rightJustified(10, '0') + '\n', false},
      {"binary", binaer(selbst), true},
      {"binary, ended", binaer(fort), false},
      {"Qt's, this program", qt(selbst, QFileInfo(programm).fileName()), true},
      {"Qt's, a link to this program", qt(selbst, verweis), true},
      {"Qt's, another program: an id given anew", qt(selbst, QStringLiteral("minicom")), false},
  };
  for (const auto& z : zeilen) {
    SCOPED_TRACE(z.name);
    QFile lock(sperre);
    ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
    ASSERT_TRUE(lock.write(z.inhalt) == z.inhalt.size() && lock.flush());
    lock.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
    lock.close();
    const QString meldung = oeffnen(pty.slave());
    if (z.haelt) {
      pruefen({z.name, Portbefund(PortUrsache::Belegt, {}, {}, sperre, prozess(selbst, QFileInfo(programm).fileName())),
               QStringLiteral("Sperrdatei\r\n%1\r\n").arg(sperre)},
              pty.slave(), meldung);
      EXPECT_TRUE(lock.open(QIODevice::ReadOnly));
      EXPECT_EQ(lock.readAll(), z.inhalt);
      lock.close();
    } else {
      EXPECT_EQ(meldung.toStdString(), "(opened)");
    }
    QFile::remove(sperre);
  }
}

// Root opens every device and removes every stale lock, so these run as
// "nobody" in a child (CI runs as root).
TEST(Portpruefung, PortsThisUserMayNotTake) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  const group* dialout = getgrnam("dialout");
  ASSERT_NE(dialout, nullptr);
  pvtest::Pseudoterminal pty;
  ASSERT_TRUE(pty.ok());
  const QString pfad = pty.slave();
  const QByteArray geraet = QFile::encodeName(pfad);
  const QString sperre = pv::sperrdateiPfad(pfad);
  ASSERT_FALSE(sperre.isEmpty());
  QProcessEnvironment umgebung;
  umgebung.insert(QStringLiteral("PELVARON_COM1"), pfad);
  pv::SeriellerPort anderer(umgebung);  // another program holding the port
  anderer.setCommPort(1);
  QFile comm(QStringLiteral("/proc/self/comm"));
  ASSERT_TRUE(comm.open(QIODevice::ReadOnly));
  const QString kurzname = QString::fromLocal8Bit(comm.readAll().trimmed());

  const std::pair<Fall, std::function<void()>> zeilen[] = {
      {{"only root may use it", Portbefund(PortUrsache::KeinZugriff), QStringLiteral("Administrator")},
       [&] { ASSERT_EQ(chmod(geraet.constData(), 0600), 0); }},
      {{"its group may use it", Portbefund(PortUrsache::KeinZugriff, {}, QStringLiteral("dialout")),
        QStringLiteral("usermod -aG dialout")},
       [&] {
         ASSERT_EQ(chown(geraet.constData(), 0, dialout->gr_gid), 0);
         ASSERT_EQ(chmod(geraet.constData(), 0660), 0);
       }},
      {{"a stale lock of root's", Portbefund(PortUrsache::VerwaisteSperre, {}, {}, sperre),
        QStringLiteral("sudo rm %1").arg(sperre)},
       [&] {
         ASSERT_EQ(chmod(geraet.constData(), 0666), 0);
         QFile lock(sperre);  // in the UUCP text format other programs write
         ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
         lock.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
         lock.write(QByteArray::number(beendeterProzess()).rightJustified(10, ' ') + '\n');
       }},
      // Root's program cannot be read by another user: its lock holds the
      // port all the same, named by the process's short name.
      {{"in use", Portbefund(PortUrsache::Belegt, {}, {}, sperre, prozess(getpid(), kurzname)),
        QStringLiteral("bereits geöffnet oder durch ein anderes Gerät belegt")},
       [&] {
         QFile::remove(sperre);
         anderer.setPortOpen(true);
       }},
  };
  for (const auto& [fall, vorbereiten] : zeilen) {
    vorbereiten();
    if (HasFatalFailure()) break;
    const auto meldung = pvtest::alsNiemand([&] { return oeffnen(pfad); });
    ASSERT_TRUE(meldung.has_value()) << "could not become nobody";
    pruefen(fall, pfad, *meldung);
  }
  anderer.setPortOpen(false);
  QFile::remove(sperre);
}

}  // namespace

#endif  // __unix__
