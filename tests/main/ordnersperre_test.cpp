// Several copies of the program on one program folder.
#include "main/ordnersperre.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSysInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "support/kleinesdateisystem.h"

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

}  // namespace
