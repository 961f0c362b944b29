// Measurement files far larger than memory, and counts beyond the memory
// the process may take: decided before anything is read or allocated.
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QFile>
#include <gtest/gtest.h>
#include <vector>

#include "common/speichergrenze.h"
#include "main/messdatei.h"
#include "main/messdatei_testhilfe.h"
#include "support/testhilfe.h"

namespace {

using pv::Lesestatus;
using pvtest::lies;
using pvtest::Roh;

const QString kAltText = QStringLiteral("messung_alt_text.mes");

// A file is decided from its start and its size: a binary layout that does
// not end where the file ends is refused before a value is read, and the
// text format is read only as far as 32767 pairs reach. Sparse files far
// larger than memory show that the rest is never read.
TEST(MessdateiLesen, FilesFarLargerThanMemoryAreDecidedFromTheirStart) {
  struct Fall {
    const char* name;
    QByteArray anfang;
    Lesestatus status;
    QString schritt;
    int32_t nummer;
  };
  const Fall faelle[] = {
      {"zeros", QByteArray(), Lesestatus::KeineMessung, {}, 0},
      {"text format with a tail", lies(pvtest::testdatei(kAltText)), Lesestatus::Gelesen, {}, 0},
      {"3.0.2 counting five values", Roh().leereTexte(8).i32(5).b, Lesestatus::Fehler, "Messwertanzahl", 321},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    const QString pfad = u.pfad(QStringLiteral("gross.MES"));
    u.schreibe(QStringLiteral("gross.MES"), f.anfang);
    if (!QFile::resize(pfad, qint64(1) << 40)) GTEST_SKIP() << "no sparse 1 TiB file here";
    const pv::Leseergebnis e = pv::messdateiLesen(pfad, false);
    EXPECT_EQ(e.status, f.status) << e.Schritt.toStdString() << " " << e.fehlertext.toStdString();
    EXPECT_EQ(e.Schritt, f.schritt);
    EXPECT_EQ(e.fehlernummer, f.nummer);
    if (e.gelesen()) {
      EXPECT_EQ(e.inhalt.daten.y.back(), 1000.0f);
    }
  }
}

// A length or count beyond anything real is refused before the bytes it
// claims are read or room is made for them, though the sparse file holds
// them all: one text of 1.5 GB, eight texts of 180 MB, 2^31 - 1 values.
TEST(MessdateiLesen, ClaimsBeyondAnythingRealAreRefusedUnread) {
  struct Fall {
    const char* name;
    std::vector<int32_t> laengen;  // of the texts, each followed by its bytes
    int32_t anzahl;
    QString schritt;
    int32_t nummer;
  };
  const Fall faelle[] = {
      {"one huge text", {1'500'000'000, 0, 0, 0, 0, 0, 0, 0}, 0, "MessInfo", 321},
      {"eight huge texts", std::vector<int32_t>(8, 180'000'000), 0, "MessInfo", 321},
      {"count 2^31 - 1", std::vector<int32_t>(8, 0), 0x7fffffff, "Daten X einlesen", 62},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Programmumgebung u;
    QFile datei(u.pfad(QStringLiteral("gross.MES")));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(pv::kMessdateiKopf302);
    for (int32_t n : f.laengen) {
      datei.write(Roh(QByteArray()).i32(n).b);
      ASSERT_TRUE(datei.seek(datei.pos() + n));
    }
    datei.write(Roh(QByteArray()).i32(f.anzahl).b);
    // Room for the two arrays of a count 0 only.
    ASSERT_TRUE(datei.resize(datei.pos() + 8));
    datei.close();
    const pv::Leseergebnis e = pv::messdateiLesen(datei.fileName(), false);
    EXPECT_EQ(e.status, Lesestatus::Fehler);
    EXPECT_EQ(e.Schritt.left(40), f.schritt);
    EXPECT_EQ(e.fehlernummer, f.nummer);
  }
}

// A count that agrees with the file's size but whose values the process
// could not hold (read and taken over: 16 bytes each) is refused before
// room is made for them; a system that promises more than it has would
// otherwise end the program while they are filled.
TEST(MessdateiLesen, ACountBeyondTheMemoryAtHandIsRefusedUnread) {
  const struct {
    int32_t anzahl;
    uint64_t speicher;
    bool gelesen;
  } faelle[] = {{0x7ffffffe, uint64_t(3) << 30, false}, {0xffff, (1 << 20) - 1, false}, {0xffff, 1 << 20, true}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.speicher);
    pvtest::Programmumgebung u;
    QFile datei(u.pfad(QStringLiteral("gross.MES")));
    ASSERT_TRUE(datei.open(QIODevice::ReadWrite));
    datei.write(Roh().leereTexte(8).i32(f.anzahl).b);
    if (!datei.resize(datei.pos() + 8 * (qint64(f.anzahl) + 1))) GTEST_SKIP() << "no sparse file here";
    ASSERT_TRUE(datei.seek(0));
    const pv::Leseergebnis e = pv::messdateiAuswerten(datei, f.speicher);
    EXPECT_EQ(e.gelesen(), f.gelesen);
    if (!f.gelesen) {
      EXPECT_EQ(e.Schritt, QStringLiteral("Datenspeicher X reservieren"));
      EXPECT_EQ(e.fehlernummer, 7);
      EXPECT_EQ(e.fehlertext, QStringLiteral("Nicht genügend Speicher"));
    }
  }
}

// An ordinary opening counts the process's own limits too: under an
// address-space or a data-segment limit of 4 GiB (set in a child), 300 M
// values, 4.8 GB while opened, are refused, though the machine has room.
TEST(MessdateiLesen, TheProcessLimitsBoundAnOrdinaryOpening) {
  constexpr int32_t kAnzahl = 300'000'000;
  if (pv::nutzbarerSpeicher() <= uint64_t(kAnzahl) * 16)
    GTEST_SKIP() << "the machine alone has no room";
  pvtest::Programmumgebung u;
  QFile datei(u.pfad(QStringLiteral("gross.MES")));
  ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
  datei.write(Roh().leereTexte(8).i32(kAnzahl).b);
  if (!datei.resize(datei.pos() + 8 * (qint64(kAnzahl) + 1))) GTEST_SKIP() << "no sparse file here";
  datei.close();
  for (const int art : {RLIMIT_AS, RLIMIT_DATA}) {
    SCOPED_TRACE(art == RLIMIT_AS ? "RLIMIT_AS" : "RLIMIT_DATA");
    const pid_t kind = fork();
    if (kind == 0) {
      const rlimit grenze{rlim_t(4) << 30, rlim_t(4) << 30};
      if (setrlimit(art, &grenze) != 0) _exit(2);
      const pv::Leseergebnis e = pv::messdateiLesen(datei.fileName(), false);
      _exit(e.fehlertext == QStringLiteral("Nicht genügend Speicher") &&
                    e.Schritt == QStringLiteral("Datenspeicher X reservieren")
                ? 0
                : 1);
    }
    int status = -1;
    ASSERT_EQ(waitpid(kind, &status, 0), kind);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  }
}

}  // namespace
