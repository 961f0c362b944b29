// Writers of the program on a really full disk: each keeps the bytes the
// file had and says that it could not write. The disk is a small tmpfs in
// the program folder; the old file leaves a few bytes of room in its last
// block, so that an append gets part of the way before the disk is full.
#include <unistd.h>

#include <QLineEdit>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

#include "acquisition/speichern.h"
#include "common/dateiauswahl.h"
#include "common/fehlerbehandlung.h"
#include "devices/formmessfuehler.h"
#include "devices/geraetetabelle_testhilfe.h"
#include "main/hauptzustand.h"
#include "support/kleinesdateisystem.h"
#include "views/ansichten_testhilfe.h"
#include "views/exportfenster.h"

namespace {

// Answers the save dialog with the file in the program folder.
class Speicherziel : public pv::Dateiauswahl {
 public:
  explicit Speicherziel(QString pfad) : pfad_(std::move(pfad)) {}
  QString oeffnen(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
  QString speichern(QWidget*, const QString&, const QString&, const QString&, const QString&,
                    const QString&) override {
    return pfad_;
  }

 private:
  QString pfad_;
};

bool letzteBoxBeginntMit(const pvtest::Geraeteordner& u, const QString& anfang) {
  return !u.meldungen.boxen.empty() && u.meldungen.boxen.back().text.startsWith(anfang);
}

TEST(VollePlatte, EveryWriterKeepsTheOldBytesAndSaysSo) {
  struct Fall {
    const char* name;
    QString datei;
    QByteArray alt;
    // Writes on the full disk; true when the failure was reported.
    std::function<bool(pvtest::Geraeteordner&)> schreiben;
  };
  // Room for 16 more bytes in the last block.
  const QByteArray kAlt(4096 - 16, 'a');
  const Fall faelle[] = {
      {"sensor editor", QStringLiteral("S.pvf"), kAlt,
       [](pvtest::Geraeteordner& u) {
         pv::FormMessfuehler f({}, u',');
         f.TextMFNeuBez->setText(QStringLiteral("S"));
         f.TextMFNeuXAchse->setText(QStringLiteral("x"));
         f.TextMFNeuYAchse->setText(QStringLiteral("y"));
         return f.FuehlerSpeichern(QStringLiteral("S.pvf")) == 0 &&
                letzteBoxBeginntMit(u, QStringLiteral("In der Prozedur 'FormMessfühler -> FühlerSpeichern'"));
       }},
      {"text export", QStringLiteral("export.txt"), kAlt,
       [](pvtest::Geraeteordner& u) {
         pvtest::Ansichtenumgebung::messungMit(5);
         Speicherziel ziel(u.pfad(QStringLiteral("export.txt")));
         pv::ExportFenster f(QStringLiteral("Datei"), nullptr, nullptr, &ziel);
         f.OKButton_Click();
         pv::hauptmodul() = pv::Hauptmodul{};
         return letzteBoxBeginntMit(u, pv::ExportFenster::schreibfehlerText(u.pfad(QStringLiteral("export.txt"))));
       }},
      {"device list moving a device out of the menu", QStringLiteral("VC960.ger"),
       pvtest::geraetedatei(QStringLiteral("VC960"), QStringLiteral("1")),
       [](pvtest::Geraeteordner& u) {
         pvtest::FakeGeraeteMenue menue;
         pv::GeraeteAuswahl auswahl(menue, u',');
         auswahl.Initialisieren();
         auswahl.ausMenue(0);
         auswahl.ok();
         return u.texte().contains(QStringLiteral("Der Menüstatus folgender Gerätedatei konnte nicht geändert "
                                                  "werden:\r\n") +
                                   u.pfad(QStringLiteral("VC960.ger")));
       }},
      {"error log", QStringLiteral("ErrLog.txt"), kAlt,
       [](pvtest::Geraeteordner& u) {
         Tolvek::Fehlerbehandlung(QStringLiteral("Test -> Schreiben"), 61, QStringLiteral("Datenträger voll"));
         return letzteBoxBeginntMit(u, QStringLiteral("In der Prozedur 'Test -> Schreiben'"));
       }},
      {"debug file", QStringLiteral("DebugData.txt"), kAlt,
       [](pvtest::Geraeteordner& u) { return !pv::debugSchreiben(u.pfad(), QString(100, u'd')); }},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    pvtest::Geraeteordner u;
    pvtest::KleinesDateisystem platte(u.pfad());
    if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
    u.schreibe(f.datei, f.alt);
    platte.fuellen();
    EXPECT_TRUE(f.schreiben(u)) << u.texte().join(u'|').toStdString();
    EXPECT_TRUE(u.lies(f.datei) == f.alt) << "now " << u.lies(f.datei).size() << " bytes";
  }
}

// A full-disk test that cannot mount its filesystem says why it skips.
TEST(KleinesDateisystem, WithoutTheRightToMountSaysWhyItSkips) {
  const uid_t vorher = ::geteuid();
  if (vorher == 0) {
    ASSERT_EQ(::seteuid(65534), 0);
  }
  auto platte = std::make_unique<pvtest::KleinesDateisystem>();
  if (vorher == 0) {
    ASSERT_EQ(::seteuid(0), 0);
  }
  EXPECT_FALSE(platte->bereit());
  EXPECT_TRUE(platte->grund().startsWith(QStringLiteral("cannot mount a small tmpfs: "))) << platte->grund().toStdString();
}

}  // namespace
