// Several copies of the program on one program folder.
#include "main/ordnersperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <atomic>
#include <chrono>
#include <functional>
#include <thread>
#include <utility>

#include "common/uhr.h"
#include "support/alsniemand.h"
#include "support/kleinesdateisystem.h"
#include "support/testhilfe.h"

namespace {

// Every copy but the first saves into a folder of its own, and a copy is
// told whenever another one runs on the folder, the first one or not.
TEST(Ordnersperre, FurtherCopiesSaveApartAndKnowOfTheOthers) {
  QTemporaryDir d;
  const QString ordner = d.path();
  const auto kopie = [&](int n) { return QDir(ordner).filePath(QStringLiteral("Kopie %1").arg(n)); };
  auto erste = std::make_unique<pv::Ordnersperre>(ordner);
  EXPECT_FALSE(erste->weitereKopie());
  EXPECT_EQ(erste->sicherungsordner(), ordner);

  pv::Ordnersperre zweite(ordner);
  EXPECT_TRUE(zweite.weitereKopie());
  EXPECT_EQ(zweite.sicherungsordner(), kopie(2));
  {
    pv::Ordnersperre dritte(ordner);
    EXPECT_EQ(dritte.sicherungsordner(), kopie(3));
  }
  EXPECT_FALSE(QFileInfo::exists(kopie(3))) << "an empty folder of its own goes with the copy";

  erste.reset();
  pv::Ordnersperre vierte(ordner);
  EXPECT_TRUE(vierte.weitereKopie()) << "the second copy still runs";
  EXPECT_EQ(vierte.sicherungsordner(), ordner);
}

// Leaves the lock file of a copy that is gone in `ordner`.
void verwaisteSperre(const QString& ordner) {
  QProcess beendet;
  beendet.start(QStringLiteral("true"), {});
  ASSERT_TRUE(beendet.waitForStarted());
  const qint64 pid = beendet.processId();
  ASSERT_TRUE(beendet.waitForFinished());
  QFile f(QDir(ordner).filePath(pv::kSperrdatei));
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(QByteArray::number(pid) + "\npelvaron\n" + QSysInfo::machineHostName().toUtf8() + "\n");
}

// A copy that crashed leaves its lock file behind: the next start takes the
// folder without a question, also where it cannot take the lock over, on a
// folder that became read-only.
TEST(Ordnersperre, TheLockOfACopyThatIsGoneAsksNothing) {
  QTemporaryDir d;
  verwaisteSperre(d.path());
  {
    pv::Ordnersperre neu(d.path());
    EXPECT_FALSE(neu.weitereKopie());
    EXPECT_EQ(neu.sicherungsordner(), d.path());
  }

  pvtest::KleinesDateisystem platte;
  if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
  verwaisteSperre(platte.pfad());
  platte.nurLesen();
  pv::Ordnersperre nurLesen(platte.pfad());
  EXPECT_FALSE(nurLesen.weitereKopie());
  EXPECT_EQ(nurLesen.sicherungsordner(), platte.pfad());
}

// A lock file whose owner cannot be read: one left empty by a power loss is
// taken over at once when it is a few seconds old, and the log says so; a
// young one is read again, as its copy may just be writing it. Two copies
// never both take one over, nor one remove the other's new lock. One that
// this user may not read is another user's copy, whose owner the question
// names.
TEST(Ordnersperre, ALockWhoseOwnerCannotBeRead) {
  struct Zeile {
    const char* fall;
    std::function<void(const QString& sperre)> anlegen;
    bool weitereKopie;
    bool protokolliert;
    bool alsNiemand = false;
    bool sofort = false;  // taken without waiting on the running clock
    // What another copy does just as the wait runs out.
    std::function<void(const QString& sperre)> unterdessen = {};
  };
  const auto leer = [](const QString& sperre, std::chrono::seconds alter) {
    QFile f(sperre);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.setFileTime(QDateTime::currentDateTime().addSecs(-alter.count()), QFileDevice::FileModificationTime);
  };
  // This process, running, as a copy writes itself into its lock.
  const QByteArray besitzer = QByteArray::number(getpid()) + "\n" + QFileInfo(QCoreApplication::applicationFilePath()).fileName().toUtf8() +
                              "\n" + QSysInfo::machineHostName().toUtf8() + "\n";
  std::thread schreiber;
  std::unique_ptr<QLockFile> entfernen;  // another copy's, while it takes a lock over
  const Zeile zeilen[] = {
      {"empty, an hour old", [&](const QString& s) { leer(s, std::chrono::hours(1)); }, false, true, false, true},
      {"empty while a starting copy writes its owner",
       [&](const QString& s) {
         leer(s, std::chrono::seconds(0));
         schreiber = std::thread([s, besitzer] {
           std::this_thread::sleep_for(std::chrono::milliseconds(300));
           QFile f(s);
           if (f.open(QIODevice::WriteOnly)) f.write(besitzer);
         });
       },
       true, false},
      {"empty, an hour old, while another copy takes it over",
       [&](const QString& s) {
         leer(s, std::chrono::hours(1));
         entfernen = std::make_unique<QLockFile>(s + QStringLiteral(".rmlock"));
         ASSERT_TRUE(entfernen->tryLock(0));
       },
       true, false},
      {"empty for the whole wait, and another copy's new one in its place",
       [&](const QString& s) { leer(s, std::chrono::seconds(0)); }, true, false, false, false,
       [&](const QString& s) {
         QFile::remove(s);
         leer(s, std::chrono::seconds(0));
       }},
      {"another user's, this user may not read it nor change the folder",
       [&](const QString& s) {
         QFile f(s);
         ASSERT_TRUE(f.open(QIODevice::WriteOnly));
         f.write(besitzer);
         f.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
       },
       true, false, true},
  };
  for (const Zeile& z : zeilen) {
    SCOPED_TRACE(z.fall);
    if (z.alsNiemand && geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
    pvtest::Programmumgebung u;
    const QString ordner = u.pfad();
    ASSERT_EQ(chmod(QFile::encodeName(ordner).constData(), z.alsNiemand ? 0755 : 0777), 0);
    z.anlegen(u.pfad(pv::kSperrdatei));
    if (HasFatalFailure()) return;
    bool weitere = false;
    if (z.alsNiemand) {
      const auto antwort = pvtest::alsNiemand([&] {
        pv::Ordnersperre sperre(ordner);
        return QString::number(sperre.weitereKopie()) + pv::weitereKopieFrage(ordner, sperre);
      });
      ASSERT_TRUE(antwort.has_value()) << "could not become nobody";
      weitere = antwort->startsWith(u'1');
      EXPECT_TRUE(antwort->contains(QStringLiteral("gehört dem Benutzer „root“"))) << antwort->toStdString();
    } else {
      // Each read of the running clock counts as a second of waiting.
      int64_t uhr = 0;
      auto unterdessen = z.unterdessen;
      if (z.sofort || unterdessen) {
        pv::uhren().laufzeitMs = [&] {
          if ((uhr += 1000) > 3000 && unterdessen) std::exchange(unterdessen, nullptr)(u.pfad(pv::kSperrdatei));
          return uhr;
        };
      }
      weitere = pv::Ordnersperre(ordner).weitereKopie();
      pv::uhren() = pv::Uhren{};
      entfernen.reset();
      if (z.sofort) {
        EXPECT_LT(uhr, 3000);
      }
    }
    if (schreiber.joinable()) schreiber.join();
    EXPECT_EQ(weitere, z.weitereKopie);
    EXPECT_EQ(u.lies(QStringLiteral("ErrLog.txt")).contains(QFile::encodeName(pv::kSperrdatei)), z.protokolliert);
  }
}

// Links that another user planted among the locks are neither read nor
// followed: a link to a pipe would hang the start, and a further copy's
// folder that links elsewhere would take this copy's lock and saves there.
// They count as held, and the question names who made them.
TEST(Ordnersperre, AnotherUsersLinksAreNotFollowed) {
  if (geteuid() != 0) GTEST_SKIP() << "needs root to plant another user's links";
  const passwd* niemand = getpwnam("nobody");
  ASSERT_NE(niemand, nullptr);
  QTemporaryDir d, woanders;
  const QDir ordner(d.path());
  const QByteArray rohr = QFile::encodeName(woanders.filePath(QStringLiteral("rohr")));
  ASSERT_EQ(mkfifo(rohr.constData(), 0666), 0);
  const auto verknuepfen = [&](const QByteArray& ziel, const char* name) {
    const QByteArray pfad = QFile::encodeName(ordner.filePath(QString::fromUtf8(name)));
    ASSERT_EQ(symlink(ziel.constData(), pfad.constData()), 0);
    ASSERT_EQ(lchown(pfad.constData(), niemand->pw_uid, niemand->pw_gid), 0);
  };
  verknuepfen(rohr, "Pelvaron.lock");
  verknuepfen(QFile::encodeName(woanders.path()), "Kopie 2");
  // An empty, old lock, whose take-over would take the removal lock.
  ASSERT_TRUE(ordner.mkdir(QStringLiteral("Kopie 3")));
  QFile leer(ordner.filePath(QStringLiteral("Kopie 3/Pelvaron.lock")));
  ASSERT_TRUE(leer.open(QIODevice::WriteOnly));
  leer.setFileTime(QDateTime::currentDateTime().addSecs(-3600), QFileDevice::FileModificationTime);
  verknuepfen(rohr, "Kopie 3/Pelvaron.lock.rmlock");

  std::atomic<bool> fertig = false;
  int gelesen = 0;
  std::thread gegenstelle([&] {  // lets every open of the pipe go on, and counts the reads
    for (; !fertig; std::this_thread::sleep_for(std::chrono::milliseconds(10))) {
      for (const int art : {O_WRONLY, O_RDONLY}) {
        const int fd = ::open(rohr.constData(), art | O_NONBLOCK);
        if (fd >= 0) gelesen += ::close(fd) == 0 && art == O_WRONLY;
      }
    }
  });
  pv::Ordnersperre sperre(d.path());
  fertig = true;
  gegenstelle.join();
  EXPECT_EQ(gelesen, 0);
  EXPECT_EQ(sperre.sicherungsordner(), ordner.filePath(QStringLiteral("Kopie 4")));
  EXPECT_TRUE(pv::weitereKopieFrage(d.path(), sperre).contains(QStringLiteral("gehört dem Benutzer „nobody“")));
  EXPECT_EQ(QDir(woanders.path()).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot),
            QStringList{QStringLiteral("rohr")});

  // Nor does the first copy follow one to see whether further copies run:
  // the stale lock behind it would be taken over and removed.
  QTemporaryDir erste;
  verwaisteSperre(woanders.path());
  const QByteArray kopie = QFile::encodeName(QDir(erste.path()).filePath(QStringLiteral("Kopie 2")));
  ASSERT_EQ(symlink(QFile::encodeName(woanders.path()).constData(), kopie.constData()), 0);
  ASSERT_EQ(lchown(kopie.constData(), niemand->pw_uid, niemand->pw_gid), 0);
  EXPECT_FALSE(pv::Ordnersperre(erste.path()).weitereKopie());
  EXPECT_TRUE(QFileInfo::exists(QDir(woanders.path()).filePath(pv::kSperrdatei)));
}

}  // namespace
