// Files: atomic replacement, appends, links of other users, permissions,
// folder sync, new files under free names, a full disk.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <fcntl.h>

#include <cerrno>
#include <functional>
#include <tuple>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "common/textdatei.h"
#include "support/alsniemand.h"
#include "support/kleinesdateisystem.h"
#include "support/testhilfe.h"

namespace {

TEST(Textdatei, ReplaceWritesAllOrNothingAndLinesEndInCrLf) {
  QTemporaryDir ordner;
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("a.txt"));
  pv::CrLfText text;
  text.zeile(QStringLiteral("Größe")).zeile(QString());
  ASSERT_TRUE(pv::dateiErsetzen(pfad, text.bytes()));
  QByteArray gelesen;
  ASSERT_TRUE(pv::dateiLesen(pfad, gelesen));
  EXPECT_EQ(gelesen, QByteArray("Gr\xF6\xDF" "e\r\n\r\n"));
  ASSERT_TRUE(pv::dateiAnhaengen(pfad, "x"));
  ASSERT_TRUE(pv::dateiLesen(pfad, gelesen));
  EXPECT_TRUE(gelesen.endsWith("\r\n\r\nx"));
  // A target in a missing folder fails and creates nothing.
  EXPECT_FALSE(pv::dateiErsetzen(QDir(ordner.path()).filePath(QStringLiteral("fehlt/b.txt")), "x"));
  EXPECT_FALSE(pv::dateiLesen(QDir(ordner.path()).filePath(QStringLiteral("fehlt.txt")), gelesen));
  // No temporary files are left behind.
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files), QStringList{QStringLiteral("a.txt")});
}

// A save is kept once the file is written: a folder whose file system has
// no folder sync, or that cannot be opened to be synced because this user
// may not read it, does not fail it and says nothing. Any other failure
// there (a wrong descriptor, no descriptor left) is told on standard error
// and logged as error 57: a file saved that may not survive a power loss.
// So after a replace and after a file another writer made takes its place.
int oeffnenFehler = 0, syncFehler = 0;
TEST(Textdatei, AFolderThatCannotBeSyncedKeepsTheSave) {
  {
    pvtest::Programmumgebung u;
    pv::Dateisystemaufrufe aufrufe;
    aufrufe.ordnerOeffnen = [](const char* pfad) {
      return oeffnenFehler ? (errno = oeffnenFehler, -1) : ::open(pfad, O_RDONLY | O_DIRECTORY);
    };
    aufrufe.ordnerSync = [](int) { return errno = syncFehler, -1; };
    const pv::Dateisystemaufrufe vorher = pv::dateisystemaufrufeSetzen(aufrufe);
    const struct {
      int oeffnen, sync;
      bool gesagt;
    } faelle[] = {{0, EINVAL, false}, {0, ENOTSUP, false}, {0, EBADF, true}, {0, EIO, true}, {EMFILE, 0, true}};
    const QString pfad = u.pfad(QStringLiteral("a.txt"));
    const QString hinweis = QStringLiteral("Die Datei %1 wurde gespeichert").arg(pfad);
    for (const auto& f : faelle) {
      std::tie(oeffnenFehler, syncFehler) = std::pair(f.oeffnen, f.sync);
      for (const bool uebernehmen : {false, true}) {
        const QByteArray inhalt = QByteArray::number(f.oeffnen + f.sync) + (uebernehmen ? "u" : "e");
        QFile::remove(u.pfad(QStringLiteral("ErrLog.txt")));
        QFile zwischen(u.pfad(QStringLiteral("neu")));
        ASSERT_TRUE(zwischen.open(QIODevice::WriteOnly) && zwischen.write(inhalt) == inhalt.size());
        zwischen.close();
        testing::internal::CaptureStderr();
        EXPECT_TRUE(uebernehmen ? pv::dateiUebernehmen(zwischen.fileName(), pfad) : pv::dateiErsetzen(pfad, inhalt));
        const QString fehler = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
        SCOPED_TRACE(inhalt.toStdString());
        EXPECT_EQ(u.lies(QStringLiteral("a.txt")), inhalt);
        EXPECT_EQ(fehler.contains(QStringLiteral("Pelvaron: ") + hinweis), f.gesagt) << fehler.toStdString();
        EXPECT_EQ(pv::vonCp1252(u.lies(QStringLiteral("ErrLog.txt"))).contains(QStringLiteral("Fehler 57: ") + hinweis),
                  f.gesagt);
      }
    }
    pv::dateisystemaufrufeSetzen(vorher);
  }
  if (geteuid() != 0) GTEST_SKIP() << "needs root to become another user";
  QTemporaryDir ordner;
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("alt.txt"));
  ASSERT_TRUE(pv::dateiErsetzen(pfad, "alt"));
  ASSERT_EQ(chmod(QFile::encodeName(pfad).constData(), 0666), 0);
  ASSERT_EQ(chmod(QFile::encodeName(ordner.path()).constData(), 0333), 0);
  testing::internal::CaptureStderr();
  const auto gespeichert = pvtest::alsNiemand([&] { return QString::number(pv::dateiErsetzen(pfad, "neu")); });
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  ASSERT_TRUE(gespeichert.has_value()) << "could not become nobody";
  EXPECT_EQ(*gespeichert, QStringLiteral("1"));
  QByteArray gelesen;
  ASSERT_TRUE(pv::dateiLesen(pfad, gelesen));
  EXPECT_EQ(gelesen, "neu");
  EXPECT_EQ(QDir(ordner.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("alt.txt")});
}

// The program's own files follow no link that another user planted: a
// replace puts the file in the link's place, an append fails, and so does a
// replace where a folder that anyone may write keeps the link for its
// owner; the linked file stays. The user's own links and any link to a
// file the user named are written through.
TEST(Textdatei, AnotherUsersLinkIsNotFollowed) {
  const passwd* niemand = getpwnam("nobody");
  if (geteuid() != 0 || !niemand) GTEST_SKIP() << "needs root and a user nobody to make another user's link";
  QTemporaryDir ordner;
  const QDir d(ordner.path());
  const QString opfer = d.filePath(QStringLiteral("opfer.mes"));
  ASSERT_TRUE(pv::dateiErsetzen(opfer, "alt"));
  const auto verweis = [&](const char* name, uid_t besitzer) {
    const QByteArray pfad = QFile::encodeName(d.filePath(QString::fromUtf8(name)));
    EXPECT_EQ(symlink(QFile::encodeName(opfer).constData(), pfad.constData()), 0);
    EXPECT_EQ(lchown(pfad.constData(), besitzer, gid_t(-1)), 0);
    return QFile::decodeName(pfad);
  };
  const auto opferInhalt = [&] {
    QByteArray inhalt;
    pv::dateiLesen(opfer, inhalt);
    return inhalt;
  };
  const QString ersetzt = verweis("pvsave.tmp", niemand->pw_uid);
  EXPECT_TRUE(pv::dateiErsetzen(ersetzt, "neu", pv::Verweise::NurEigene));
  testing::internal::CaptureStderr();
  const QString angehaengt = verweis("ErrLog.txt", niemand->pw_uid);
  EXPECT_FALSE(pv::dateiAnhaengen(angehaengt, "neu", pv::Verweise::NurEigene));
  ASSERT_EQ(chmod(QFile::encodeName(d.path()).constData(), 01777), 0);
  ASSERT_EQ(chmod(QFile::encodeName(opfer).constData(), 0666), 0);
  const QString fremd = verweis("Pelvaron.ini", 0);
  const auto geschrieben = pvtest::alsNiemand(
      [&] { return QString::number(pv::dateiErsetzen(fremd, "neu", pv::Verweise::NurEigene)); });
  EXPECT_EQ(geschrieben, QStringLiteral("0"));
  // Both refusals name the link.
  const QString gesagt = QString::fromLocal8Bit(testing::internal::GetCapturedStderr());
  for (const QString& pfad : {angehaengt, fremd})
    EXPECT_TRUE(gesagt.contains(pfad + QStringLiteral(" ist ein Verweis eines anderen Benutzers"))) << gesagt.toStdString();
  EXPECT_EQ(opferInhalt(), "alt");
  EXPECT_FALSE(QFileInfo(ersetzt).isSymLink());
  QByteArray gelesen;
  EXPECT_TRUE(pv::dateiLesen(ersetzt, gelesen) && gelesen == "neu");

  // The user's own link that leads on to another user's stops there.
  const QString fremdeKette = verweis("fremde Kette", niemand->pw_uid);
  ASSERT_EQ(symlink(QFile::encodeName(fremdeKette).constData(), QFile::encodeName(d.filePath(QStringLiteral("Kette"))).constData()), 0);
  EXPECT_TRUE(pv::dateiErsetzen(d.filePath(QStringLiteral("Kette")), "Kette", pv::Verweise::NurEigene));
  EXPECT_EQ(opferInhalt(), "alt");
  EXPECT_FALSE(QFileInfo(fremdeKette).isSymLink());
  EXPECT_TRUE(pv::dateiErsetzen(verweis("eigen", 0), "eigen", pv::Verweise::NurEigene));
  EXPECT_EQ(opferInhalt(), "eigen");
  EXPECT_TRUE(pv::dateiErsetzen(verweis("gewaehlt", niemand->pw_uid), "gewaehlt"));
  EXPECT_EQ(opferInhalt(), "gewaehlt");
}

// A replaced file keeps its permissions where this user owns it. One of
// another user's, planted in a folder that anyone may write, leaves them to
// no file of this user's: the new file gets a new file's. One this user may
// not write stays.
TEST(Textdatei, AReplacedFileKeepsThePermissionsOnlyOfTheUsersOwnFile) {
  const passwd* niemand = getpwnam("nobody");
  if (geteuid() != 0 || !niemand) GTEST_SKIP() << "needs root and a user nobody to own a file";
  QTemporaryDir ordner;
  ASSERT_EQ(chmod(QFile::encodeName(ordner.path()).constData(), 01777), 0);
  const mode_t maske = umask(022);
  const QString pfad = QDir(ordner.path()).filePath(QStringLiteral("pvsave.tmp"));
  const QByteArray name = QFile::encodeName(pfad);
  const auto uebernehmen = [](const QString& ziel) {
    const QString zwischen = ziel + QStringLiteral(".~1");
    QFile neu(zwischen);
    return neu.open(QIODevice::WriteOnly) && neu.write("neu") == 3 && (neu.close(), pv::dateiUebernehmen(zwischen, ziel));
  };
  const std::function<bool()> schreiber[] = {[&] { return pv::dateiErsetzen(pfad, "neu", pv::Verweise::NurEigene); },
                                             [&] { return pv::dateiErsetzen(pfad, "neu"); },
                                             [&] { return uebernehmen(pfad); }};
  const std::tuple<uid_t, mode_t, mode_t> faelle[] = {{geteuid(), 0640, 0640}, {niemand->pw_uid, 0666, 0644}};
  for (const auto& [besitzer, vorher, nachher] : faelle) {
    for (std::size_t i = 0; i < std::size(schreiber); ++i) {
      SCOPED_TRACE(testing::Message() << "writer " << i << ", mode " << std::oct << vorher);
      QFile::remove(pfad);
      const int fd = ::open(name.constData(), O_WRONLY | O_CREAT | O_EXCL, 0600);
      ASSERT_TRUE(fd >= 0 && fchmod(fd, vorher) == 0 && fchown(fd, besitzer, gid_t(-1)) == 0 && ::close(fd) == 0);
      EXPECT_TRUE(schreiber[i]());
      struct stat st {};
      ASSERT_EQ(lstat(name.constData(), &st), 0);
      EXPECT_EQ(st.st_uid, geteuid());
      EXPECT_EQ(st.st_mode & 07777, nachher);
    }
  }
  // A file this user may not write is not replaced, as an editor would not.
  const QString nurLesen = QDir(ordner.path()).filePath(QStringLiteral("nur lesen"));
  const auto ersetzt = pvtest::alsNiemand([&] {
    return QString::number(pv::dateiErsetzen(nurLesen, "alt") && QFile::setPermissions(nurLesen, QFile::ReadOwner) &&
                           (pv::dateiErsetzen(nurLesen, "neu") || uebernehmen(nurLesen)));
  });
  EXPECT_EQ(ersetzt, QStringLiteral("0"));
  QByteArray inhalt;
  EXPECT_TRUE(pv::dateiLesen(nurLesen, inhalt) && inhalt == "alt");
  umask(maske);
}

// A write through links lands where the system leads: "../x" counts from
// the folder the link really lies in, here one reached through a link.
TEST(Textdatei, AWriteThroughLinksLandsWhereTheSystemLeads) {
  QTemporaryDir ordner;
  const QDir d(ordner.path());
  ASSERT_TRUE(d.mkpath(QStringLiteral("c/d/a2")) && d.mkpath(QStringLiteral("c/d/b")) && d.mkpath(QStringLiteral("b")));
  ASSERT_EQ(symlink("c/d/a2", QFile::encodeName(d.filePath(QStringLiteral("a"))).constData()), 0);
  ASSERT_EQ(symlink("../b/x", QFile::encodeName(d.filePath(QStringLiteral("c/d/a2/l"))).constData()), 0);
  ASSERT_TRUE(pv::dateiErsetzen(d.filePath(QStringLiteral("a/l")), "neu"));
  EXPECT_TRUE(QFileInfo(d.filePath(QStringLiteral("c/d/a2/l"))).isSymLink());
  EXPECT_TRUE(QFile::exists(d.filePath(QStringLiteral("c/d/b/x"))));
  EXPECT_FALSE(QFile::exists(d.filePath(QStringLiteral("b/x"))));
}

// A new file under the first free name never replaces anything that bears
// a name, also on a file system that cannot rename without replacing, or
// that cannot make a second name for a file either; there is no last name.
int umbenennenFehler = 0, verknuepfenFehler = 0;
TEST(Textdatei, ANewFileUnderAFreeNameReplacesNothing) {
  pv::Dateisystemaufrufe aufrufe;
  aufrufe.umbenennenOhneErsetzen = [](const char* alt, const char* neu) {
    return umbenennenFehler ? (errno = umbenennenFehler, -1)
                            : ::renameat2(AT_FDCWD, alt, AT_FDCWD, neu, RENAME_NOREPLACE);
  };
  aufrufe.verknuepfen = [](const char* alt, const char* neu) {
    return verknuepfenFehler ? (errno = verknuepfenFehler, -1) : ::link(alt, neu);
  };
  const pv::Dateisystemaufrufe vorher = pv::dateisystemaufrufeSetzen(aufrufe);
  const std::pair<int, int> faelle[] = {{0, 0}, {EINVAL, 0}, {EINVAL, EPERM}, {ENOSYS, ENOTSUP}};
  for (const auto& [umbenennen, verknuepfen] : faelle) {
    SCOPED_TRACE(testing::Message() << umbenennen << ' ' << verknuepfen);
    std::tie(umbenennenFehler, verknuepfenFehler) = std::pair(umbenennen, verknuepfen);
    QTemporaryDir ordner;
    const QDir d(ordner.path());
    const auto name = [](qint64 n) { return QStringLiteral("n%1").arg(n); };
    for (int n = 1; n <= 120; ++n) ASSERT_TRUE(pv::dateiErsetzen(d.filePath(name(n)), "alt"));
    ASSERT_TRUE(d.mkdir(name(121)));
    ASSERT_EQ(symlink("fehlt", QFile::encodeName(d.filePath(name(122))).constData()), 0);
    EXPECT_EQ(pv::dateiUnterFreiemNamen(d.path(), name, "neu"), d.filePath(name(123)));
    QByteArray inhalt, alle;
    for (int n = 1; n <= 120; ++n) alle += pv::dateiLesen(d.filePath(name(n)), inhalt) ? inhalt : "?";
    EXPECT_EQ(alle, QByteArray("alt").repeated(120));
    EXPECT_TRUE(pv::dateiLesen(d.filePath(name(123)), inhalt) && inhalt == "neu");
    EXPECT_FALSE(QFileInfo::exists(d.filePath(QStringLiteral("fehlt"))));
    EXPECT_EQ(d.entryList(QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot).size(), 123);
  }
  pv::dateisystemaufrufeSetzen(vorher);
}

// On a filesystem that is really full, replacing and appending fail and
// leave the old file byte for byte, with contents that fit the file layer's
// 16 KiB write buffer (the disk is found full only when it is flushed) and
// with contents larger than it. The old file has room left in its last
// block, so an append gets part of the way.
TEST(Textdatei, AFullDiskFailsAndLeavesTheOldFileByteForByte) {
  struct Fall {
    const char* name;
    bool anhaengen;
    qsizetype neu;
    bool vorhanden = true;
  };
  const Fall faelle[] = {{"replace, fits the buffer", false, 3000},
                         {"replace, larger than the buffer", false, 40000},
                         {"append, fits the buffer", true, 6000},
                         {"append, larger than the buffer", true, 40000},
                         {"append to a missing file", true, 100, false}};
  QByteArray alt;
  for (int i = 0; i < 2132; ++i) alt += char('a' + i % 26);
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::KleinesDateisystem platte;
    if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
    const QString pfad = platte.pfad(QStringLiteral("alt.txt"));
    if (f.vorhanden) {
      ASSERT_TRUE(pv::dateiErsetzen(pfad, alt));
    }
    platte.fuellen();
    const QByteArray neu(f.neu, 'n');
    EXPECT_FALSE(f.anhaengen ? pv::dateiAnhaengen(pfad, neu) : pv::dateiErsetzen(pfad, neu));
    QByteArray gelesen;
    EXPECT_EQ(pv::dateiLesen(pfad, gelesen), f.vorhanden);
    EXPECT_TRUE(gelesen == (f.vorhanden ? alt : QByteArray())) << "now " << gelesen.size() << " bytes";
    // Nothing else is left behind.
    QStringList erwartet{QStringLiteral(".fuellung")};
    if (f.vorhanden) erwartet << QStringLiteral("alt.txt");
    EXPECT_EQ(QDir(platte.pfad()).entryList(QDir::Files | QDir::Hidden, QDir::Name), erwartet);
  }
}

}  // namespace
