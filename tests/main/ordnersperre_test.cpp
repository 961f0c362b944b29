// Several copies of the program on one program folder.
#include "main/ordnersperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDateTime>
#include <chrono>
#include <functional>
#include <thread>

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
// taken over once it is a few seconds old, and the log says so; a young one
// is read again, as its copy may just be writing it; one that this user may
// not read is another user's copy.
TEST(Ordnersperre, ALockWhoseOwnerCannotBeRead) {
  struct Zeile {
    const char* fall;
    std::function<void(const QString& sperre)> anlegen;
    bool weitereKopie;
    bool protokolliert;
    bool alsNiemand = false;
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
  const Zeile zeilen[] = {
      {"empty, an hour old", [&](const QString& s) { leer(s, std::chrono::hours(1)); }, false, true},
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
    if (z.alsNiemand && geteuid() != 0) continue;
    pvtest::Programmumgebung u;
    const QString ordner = u.pfad();
    ASSERT_EQ(chmod(QFile::encodeName(ordner).constData(), z.alsNiemand ? 0755 : 0777), 0);
    z.anlegen(u.pfad(pv::kSperrdatei));
    if (HasFatalFailure()) return;
    bool weitere = false;
    if (z.alsNiemand) {
      const auto antwort = pvtest::alsNiemand([&] { return QString::number(pv::Ordnersperre(ordner).weitereKopie()); });
      ASSERT_TRUE(antwort.has_value()) << "could not become nobody";
      weitere = *antwort == QStringLiteral("1");
    } else {
      weitere = pv::Ordnersperre(ordner).weitereKopie();
    }
    if (schreiber.joinable()) schreiber.join();
    EXPECT_EQ(weitere, z.weitereKopie);
    EXPECT_EQ(u.lies(QStringLiteral("ErrLog.txt")).contains(QFile::encodeName(pv::kSperrdatei)), z.protokolliert);
  }
}

}  // namespace
