// The end the system asks for or imposes, with real signals sent to a real
// process and a real X server going away: the program run as app/main.cpp
// runs it, recording from a pseudo-terminal instrument. The test program is
// that process too, started with "--aufnahme".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSessionManager>
#include <QSocketNotifier>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <chrono>
#include <csignal>
#include <map>
#include <cstdio>
#include <string>
#include <thread>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "acquisition/portpruefung.h"
#include "app/programmlauf.h"
#include "common/beendensignale.h"
#include "common/anwendung.h"
#include "common/eingabebox.h"
#include "common/meldungen.h"
#include "common/programmordner.h"
#include "common/sperrbesitzer.h"
#include "common/tolvek.h"
#include "main/aufnahme.h"
#include "main/form1steuerelemente.h"
#include "main/messdatei.h"
#include "main/ordnersperre.h"
#include "main/sicherung.h"
#include "main/programm_mit_geraet.h"
#include "support/kleinesdateisystem.h"

namespace {

constexpr int kWerte = 29;
const QString kTitel = QStringLiteral("Nachtmessung");

// What the process does on a line of its input.
void befehl(const QByteArray& zeile) {
  if (zeile == "zaehlen") {
    std::printf("werte %d\n", static_cast<int>(pv::hauptmodul().messdaten.m));
  } else if (zeile == "sichern") {
    // The session manager's request to keep the data, on the application's
    // own session manager object.
    emit qApp->commitDataRequest(*qApp->findChild<QSessionManager*>());
    std::puts("gesichert");
  } else if (zeile == "warten") {
    // A main thread held in a system call, until the next line comes.
    std::puts("wartet");
    std::fflush(stdout);
    char zeichen;
    [[maybe_unused]] const ssize_t n = ::read(STDIN_FILENO, &zeichen, 1);
  } else if (zeile == "ende" || zeile == "beschaeftigt") {
    // The quit request the session management sends at the session's end.
    QEvent ende(QEvent::Quit);
    QCoreApplication::sendEvent(qApp, &ende);
    // Code that does not go back to the event loop after the end request.
    while (zeile == "beschaeftigt") std::this_thread::sleep_for(std::chrono::seconds(1));
  }
  std::fflush(stdout);
}

// The process: starts a recording under a new title as a user would, says
// so once its event loop runs, and with "box" or "eingabe" then opens a
// modal message or input box; with "verbunden" the port is connected before
// the start and stays open when the recording stops. It answers the lines
// on its input (befehl).
int aufnehmen(const std::string& offen) {
  int argc = 1;
  char name[] = "pelvaron";
  char* argv[] = {name, nullptr};
  return pv::programmLaufen(argc, argv, [offen](pv::Programm& programm) {
    pv::steuerelemente(programm.form1()).TextMessBezeichnung->setText(kTitel);
    if (offen == "verbunden") programm.verbindung().CommandPort_Click();
    programm.aufnahme().StartButton_Click();
    auto* eingabe = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(eingabe, &QSocketNotifier::activated, [puffer = QByteArray()]() mutable {
      char bytes[256];
      const ssize_t n = ::read(STDIN_FILENO, bytes, sizeof bytes);
      if (n > 0) puffer.append(bytes, n);
      for (qsizetype ende; (ende = puffer.indexOf('\n')) >= 0;) {
        const QByteArray zeile = puffer.left(ende);
        puffer.remove(0, ende + 1);
        befehl(zeile);
      }
    });
    QTimer::singleShot(0, [offen] {
      std::puts(pv::hauptmodul().MessungLaeuft ? "laeuft" : "steht");
      std::fflush(stdout);
      if (offen == "box") Tolvek::meldungen().hinweis(QStringLiteral("Offen"));
      if (offen == "eingabe") Tolvek::eingaben().fragen(QStringLiteral("Wert"), QStringLiteral("Eingabe"), {}, {});
    });
  });
}

// A process whose main thread blocks in a system call, as on a network
// folder gone: opening a FIFO until someone opens it for writing. It holds
// two lock files: LCK..eigen, its own, and LCK..fremd, another's; of its 1400
// values 1234 are saved. With "behandelt" it blocks so only once a signal's
// end is under way, with a deadline of 3 s, exit code 3 and a lock file
// named that is a FIFO; with "ende" once an end that no signal began is
// under way, after which it exits with 4.
int blockieren(const QString& fifo, const std::string& fall) {
  int argc = 1;
  char name[] = "blockiert";
  char* argv[] = {name, nullptr};
  QCoreApplication anwendung(argc, argv);
  const QDir ordner = QFileInfo(fifo).dir();
  QFile eigene(ordner.filePath(QStringLiteral("LCK..eigen")));
  if (!eigene.open(QIODevice::WriteOnly) || eigene.write(QByteArray::number(::getpid()) + '\n') <= 0) return 99;
  eigene.close();
  for (const QString& sperre : {eigene.fileName(), ordner.filePath(QStringLiteral("LCK..fremd"))}) pv::sperrdateiMerken(sperre);
  static const int32_t anzahl = 1400, gesichert = 1234;
  pv::zwangsendeWerte(&anzahl, &gesichert);
  const auto haengen = [pfad = QFile::encodeName(fifo)] { ::close(::open(pfad.constData(), O_RDONLY)); };
  pv::Beendensignale signale(
      [&] {
        pv::endeBeginnen();
        std::puts("behandelt");
        std::fflush(stdout);
        pv::sperrdateiMerken(ordner.filePath(QStringLiteral("LCK..fifo")));
        pv::spaetestensBeenden(std::chrono::seconds(3), 3);
        haengen();
      },
      std::chrono::seconds(1));
  if (fall == "ende") pv::endeBeginnen();
  std::puts("bereit");
  std::fflush(stdout);
  if (fall == "behandelt") return QCoreApplication::exec();
  haengen();
  return 4;
}

QByteArray wert(int i) { return QByteArray::number(i / 10.0, 'f', 3); }

// An X server of its own, on a display number it picks itself.
class XServer {
 public:
  XServer() { server_.setStandardErrorFile(QProcess::nullDevice()); }
  ~XServer() { beenden(); }
  // The display's name; empty when the server did not come up.
  QString starten() {
    for (int versuch = 0; versuch < 3; ++versuch) {
      // Xvfb writes the display's number once it accepts clients.
      server_.start(QStringLiteral("Xvfb"), {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-noreset"),
                                             QStringLiteral("-screen"), QStringLiteral("0"), QStringLiteral("1024x768x24"),
                                             QStringLiteral("-nolisten"), QStringLiteral("tcp")});
      QByteArray nummer;
      while (!nummer.contains('\n') && server_.waitForReadyRead(20000)) nummer += server_.readAllStandardOutput();
      if (nummer.contains('\n')) return QStringLiteral(":") + QString::fromLatin1(nummer.trimmed());
      beenden();
    }
    return {};
  }
  void beenden() {
    server_.kill();
    server_.waitForFinished();
  }

 private:
  QProcess server_;
};

class Kindprogramm : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(pty.ok());
    ASSERT_EQ(::chmod(QFile::encodeName(gemeinsam.path()).constData(), 01777), 0);
    kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  }

  // The program folder with a device sending on COM 3, chosen.
  void einrichten(const QString& ordner) {
    const QString geraet = QStringLiteral("Fortlaufend");
    QFile datei(QDir(ordner).filePath(QStringLiteral("Test.ger")));
    ASSERT_TRUE(datei.open(QIODevice::WriteOnly));
    datei.write(pvtest::geraetedatei(geraet, pvtest::kAutomatisch));
    datei.close();
    pv::Einstellungen e;
    pv::Standardparameter(e, ordner);
    e.AktuellesMessgeraet = geraet;
    e.ComPortNummer = 3;
    e.Wartezeit = 0;
    ASSERT_TRUE(pv::iniSichern(ordner, u',', e));
  }

  // Starts the program on `ordner` (none: the user's application data
  // folder) and waits until it records.
  void starten(const QString& ordner, const QString& offen, const QProcessEnvironment& zusatz = {},
               std::function<void()> signale = {}) {
    QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
    umgebung.remove(QStringLiteral("PELVARON_HOME"));
    if (!ordner.isEmpty()) umgebung.insert(QStringLiteral("PELVARON_HOME"), ordner);
    // Never the real shared folder of rescues.
    umgebung.insert(QStringLiteral("PVTEST_RETTUNGSBASIS"), gemeinsam.path());
    umgebung.insert(QStringLiteral("PELVARON_COM3"), pty.slave());
    umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    umgebung.insert(zusatz);
    kind.setProcessEnvironment(umgebung);
    // A test run in the background of a shell has SIGINT ignored; the
    // program keeps an ignored signal ignored.
    kind.setChildProcessModifier([signale = std::move(signale)] {
      for (int s : {SIGTERM, SIGHUP, SIGINT}) std::signal(s, SIG_DFL);
      if (signale) signale();
    });
    kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--aufnahme"), offen});
    ASSERT_EQ(zeile(), "laeuft");
  }

  // Sends `signal` and waits until the process has taken it: two of a kind
  // pending at once are one.
  void signalSenden(int signal) {
    ::kill(static_cast<pid_t>(kind.processId()), signal);
    for (int versuch = 0; versuch < 6000; ++versuch) {
      QFile datei(QStringLiteral("/proc/%1/status").arg(kind.processId()));
      if (!datei.open(QIODevice::ReadOnly)) return;
      const QByteArray s = datei.readAll();
      if (s.contains("SigPnd:\t0000000000000000") && s.contains("ShdPnd:\t0000000000000000")) return;
      QThread::msleep(10);
    }
  }

  // The next line the process writes on its output.
  QByteArray zeile() {
    while (!ausgabe_.contains('\n') && kind.waitForReadyRead(20000)) ausgabe_ += kind.readAllStandardOutput();
    const qsizetype ende = ausgabe_.indexOf('\n');
    if (ende < 0) return "(nichts) " + kind.readAllStandardError();
    const QByteArray z = ausgabe_.left(ende);
    ausgabe_.remove(0, ende + 1);
    return z;
  }

  // The instrument sends values `von` to `bis`; true once all are stored.
  bool senden(int von, int bis) {
    for (int i = von; i <= bis; ++i) {
      pty.senden("DC  " + wert(i) + " V\r");
      QThread::msleep(10);
    }
    for (int versuch = 0; versuch < 2000; ++versuch) {
      kind.write("zaehlen\n");
      const QByteArray antwort = zeile();
      if (antwort == "werte " + QByteArray::number(bis)) return true;
      if (!antwort.startsWith("werte ")) return false;
      QThread::msleep(10);
    }
    return false;
  }

  // The safety file `datei` holds the values 1 to `anzahl` and the title.
  void sicherungPruefen(const QString& datei, int anzahl) {
    const pv::Leseergebnis r = pv::messdateiLesen(datei, false);
    ASSERT_TRUE(r.gelesen()) << datei.toStdString();
    const pv::Messdaten& d = r.inhalt.daten;
    ASSERT_EQ(d.m, anzahl);
    for (int i = 1; i <= anzahl; ++i) EXPECT_EQ(QByteArray::number(d.y[i], 'f', 3), wert(i)) << i;
    EXPECT_EQ(r.inhalt.texte.MessBezeichnung, kTitel);
  }

  pvtest::Programmumgebung u;
  QTemporaryDir gemeinsam;  // as /var/tmp: everyone may write, a reboot keeps it
  pvtest::Pseudoterminal pty;
  QProcess kind;
  QByteArray ausgabe_;
};

struct Fall {
  const char* name;
  const char* ende;   // a signal, the session's quit request ("ende"), that
                      // request followed by code that stays busy
                      // ("beschaeftigt"), or the X server gone ("anzeige")
  const char* offen;  // a box open at the end ("box", "eingabe"), or the port
                      // connected before the start ("verbunden")
  const char* mitte;  // while recording: SIGHUP to a program started with it
                      // ignored ("HUP"), the session's checkpoint ("sichern")
  int status;         // the exit code
};
void PrintTo(const Fall& fall, std::ostream* os) { *os << fall.name; }

class SignalTest : public Kindprogramm, public ::testing::WithParamInterface<Fall> {};

TEST_P(SignalTest, EndsWithTheValuesInTheSafetyFileTheSettingsWrittenAndNoLockLeft) {
  const Fall& fall = GetParam();
  const std::string ende = fall.ende;
  const std::string mitte = fall.mitte;
  kind.setProcessChannelMode(QProcess::SeparateChannels);
  einrichten(u.pfad());
  QProcessEnvironment zusatz;
  XServer xserver;
  if (ende == "anzeige") {
    const QString anzeige = xserver.starten();
    ASSERT_FALSE(anzeige.isEmpty()) << "Xvfb did not start";
    zusatz.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    zusatz.insert(QStringLiteral("DISPLAY"), anzeige);
  }
  starten(u.pfad(), QString::fromLatin1(fall.offen), zusatz, [hup = mitte == "HUP"] {
    if (hup) std::signal(SIGHUP, SIG_IGN);
  });
  const QStringList sperren{u.pfad(pv::kSperrdatei), pv::sperrdateiPfad(pty.slave())};
  for (const QString& sperre : sperren) {
    if (!sperre.isEmpty()) {
      EXPECT_TRUE(QFileInfo::exists(sperre)) << sperre.toStdString();
    }
  }

  const int haelfte = kWerte / 2;
  ASSERT_TRUE(senden(1, haelfte));
  if (mitte == "HUP") {
    ASSERT_EQ(::kill(static_cast<pid_t>(kind.processId()), SIGHUP), 0);
  }
  if (mitte == "sichern") {
    kind.write("sichern\n");
    ASSERT_EQ(zeile(), "gesichert");
    sicherungPruefen(u.pfad(QStringLiteral("pvsave.tmp")), haelfte);
  }
  ASSERT_TRUE(senden(haelfte + 1, kWerte));

  const std::map<std::string, int> signale{{"TERM", SIGTERM}, {"HUP", SIGHUP}, {"INT", SIGINT}};
  if (signale.count(ende)) {
    ASSERT_EQ(::kill(static_cast<pid_t>(kind.processId()), signale.at(ende)), 0);
  } else if (ende == "TERM2") {
    // Two signals 50 ms apart while the main thread is held: the second is
    // no reason to cut the end short.
    kind.write("warten\n");
    ASSERT_EQ(zeile(), "wartet");
    signalSenden(SIGTERM);
    QThread::msleep(50);
    signalSenden(SIGTERM);
    kind.write("\n");
  } else if (ende == "anzeige") {
    xserver.beenden();
  } else {
    kind.write(QByteArray::fromStdString(ende) + '\n');
  }
  ASSERT_TRUE(kind.waitForFinished(20000)) << "still running";
  EXPECT_EQ(kind.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(kind.exitCode(), fall.status);

  sicherungPruefen(u.pfad(QStringLiteral("pvsave.tmp")), kWerte);
  EXPECT_FALSE(pv::messdateiLesen(u.pfad(QStringLiteral("pvsave.tmp")), false).inhalt.daten.MesEnd.isEmpty());
  const QString fehler = QString::fromLocal8Bit(kind.readAllStandardError());
  // Said at the end only, not at the session's checkpoint.
  EXPECT_EQ(fehler.count(QStringLiteral("Das Programm wurde beendet; die Messwerte sind in ") +
                         u.pfad(QStringLiteral("pvsave.tmp"))),
            1)
      << fehler.toStdString();
  EXPECT_TRUE(u.lies(QStringLiteral("Pelvaron.ini")).contains("\r\nBezeichnung=" + kTitel.toLatin1() + "\r\n"));
  for (const QString& sperre : sperren) {
    if (!sperre.isEmpty()) {
      EXPECT_FALSE(QFileInfo::exists(sperre)) << sperre.toStdString();
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Signale, SignalTest,
    ::testing::Values(Fall{"TERM", "TERM", "", "", 0}, Fall{"HUP_Meldung", "HUP", "box", "", 0},
                      Fall{"INT_Eingabe", "INT", "eingabe", "", 0}, Fall{"Sitzungsende", "ende", "", "", 0},
                      Fall{"HUP_ignoriert", "TERM", "", "HUP", 0}, Fall{"Sitzung_Pruefpunkt", "TERM", "", "sichern", 0},
                      Fall{"Beschaeftigt", "beschaeftigt", "verbunden", "", 0}, Fall{"Anzeige_weg", "anzeige", "", "", 1},
                      Fall{"TERM_zweimal", "TERM2", "", "", 0}),
    [](const auto& info) { return std::string(info.param.name); });

// The program folder on a disk that fills up while recording: at its end
// the safety file goes to the user's application data folder, or, where
// that is the program folder itself, to a folder of this user's own in the
// shared folder; a line on standard error names it. Where no folder takes
// it, the line says so and the exit code is not 0.
TEST_F(Kindprogramm, ASafetyFileItsFolderDoesNotTakeGoesToAFallbackFolder) {
  kind.setProcessChannelMode(QProcess::SeparateChannels);
  const struct {
    const char* name;
    bool programmordner;  // PELVARON_HOME names one apart from the application data folder
    bool daten;           // the application data folder takes files
    bool gemeinsam;       // the shared folder does
  } faelle[] = {{"Anwendungsdaten", true, true, true}, {"gemeinsam", false, false, true}, {"nirgends", true, false, false}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const QString ordner = u.pfad(QString::fromUtf8(f.name));
    ASSERT_TRUE(QDir().mkpath(ordner + QStringLiteral("/programm")) && QDir().mkpath(ordner + QStringLiteral("/daten")));
    pvtest::KleinesDateisystem platte(ordner + QStringLiteral("/programm"));
    if (!platte.bereit()) GTEST_SKIP() << platte.grund().toStdString();
    pvtest::KleinesDateisystem daten(ordner + QStringLiteral("/daten"), 1024);
    ASSERT_TRUE(daten.bereit());
    const QString programmordner = f.programmordner ? platte.pfad() : daten.pfad(QStringLiteral("Pelvaron"));
    ASSERT_TRUE(QDir().mkpath(programmordner));
    einrichten(programmordner);
    QProcessEnvironment zusatz;
    zusatz.insert(QStringLiteral("XDG_DATA_HOME"), daten.pfad());
    if (!f.gemeinsam) zusatz.insert(QStringLiteral("PVTEST_RETTUNGSBASIS"), u.pfad(QStringLiteral("datei")));
    u.schreibe(QStringLiteral("datei"), {});
    ausgabe_.clear();
    starten(f.programmordner ? programmordner : QString(), {}, zusatz);
    ASSERT_TRUE(senden(1, kWerte));
    platte.fuellen();
    if (!f.daten) f.programmordner ? daten.nurLesen() : daten.fuellen();

    // Where the values go nowhere, code stays busy after the end: the
    // deadline that ends the process then keeps the exit code too.
    if (f.gemeinsam) {
      ASSERT_EQ(::kill(static_cast<pid_t>(kind.processId()), SIGTERM), 0);
    } else {
      kind.write("beschaeftigt\n");
    }
    ASSERT_TRUE(kind.waitForFinished(60000)) << "still running";
    const QString fehler = QString::fromLocal8Bit(kind.readAllStandardError());
    EXPECT_FALSE(QFileInfo::exists(QDir(programmordner).filePath(QStringLiteral("pvsave.tmp"))));
    const QString ersatz = f.daten ? daten.pfad(QStringLiteral("Pelvaron/pvsave-1.tmp"))
                                   : QStringLiteral("%1/Pelvaron-%2/pvsave-1.tmp").arg(gemeinsam.path()).arg(::geteuid());
    if (f.gemeinsam) {
      EXPECT_EQ(kind.exitCode(), 0);
      sicherungPruefen(ersatz, kWerte);
      EXPECT_TRUE(fehler.contains(QStringLiteral("die Messwerte sind in ") + ersatz)) << fehler.toStdString();
    } else {
      EXPECT_NE(kind.exitCode(), 0);
      EXPECT_TRUE(fehler.contains(QStringLiteral("Die Sicherheitsdatei konnte weder im Ordner ") + programmordner))
          << fehler.toStdString();
    }
    EXPECT_TRUE(fehler.contains(QStringLiteral("Die Einstellungen konnten nicht in die Datei ") + programmordner))
        << fehler.toStdString();
  }
}

// A main thread blocked in a system call never comes to the event loop: a
// repeated SIGTERM or SIGINT ends the process once the first signal has
// waited there for the bound (1 s here) and no end is under way; an earlier
// one or SIGHUP does not. That forced end says which values it loses and
// leaves no lock file of its own. An end under way is never cut short: one
// that a signal began ends by its deadline, with its exit code, the lock
// file that is a FIFO read without waiting; one that no signal began (the
// program's "Ende", the session's) goes on once its system call returns.
// Only the lock files that are this process's go.
TEST_F(Kindprogramm, ARepeatedSignalEndsAProcessBlockedBeforeItsEndIsUnderWay) {
  const QString fifo = u.pfad(QStringLiteral("fifo"));
  ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
  ASSERT_EQ(::mkfifo(QFile::encodeName(u.pfad(QStringLiteral("LCK..fifo"))).constData(), 0600), 0);
  u.schreibe(QStringLiteral("LCK..fremd"), QByteArray::number(::getpid()) + '\n');
  kind.setProcessChannelMode(QProcess::SeparateChannels);
  kind.setChildProcessModifier([] {
    for (int s : {SIGTERM, SIGHUP, SIGINT}) std::signal(s, SIG_DFL);
  });
  const struct {
    const char* fall;
    QProcess::ExitStatus art;
    int status;
  } faelle[] = {{"blockiert", QProcess::CrashExit, SIGINT}, {"behandelt", QProcess::NormalExit, 3},
                {"ende", QProcess::NormalExit, 4}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.fall);
    const std::string fall = f.fall;
    kind.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--blockiert"), fifo, QString::fromLatin1(f.fall)});
    ASSERT_EQ(zeile(), "bereit");
    signalSenden(SIGTERM);
    if (fall == "blockiert") {
      signalSenden(SIGTERM);
      EXPECT_FALSE(kind.waitForFinished(1500));
      signalSenden(SIGHUP);
      EXPECT_FALSE(kind.waitForFinished(200));
      signalSenden(SIGINT);
    } else {
      if (fall == "behandelt") {
        ASSERT_EQ(zeile(), "behandelt");
      }
      QThread::msleep(1500);
      signalSenden(SIGTERM);
    }
    // Lets the blocked open return, once the process has come to it.
    for (int versuch = 0; fall == "ende" && versuch < 6000; ++versuch) {
      const int fd = ::open(QFile::encodeName(fifo).constData(), O_WRONLY | O_NONBLOCK);
      if ((fd >= 0 && ::close(fd) == 0) || kind.waitForFinished(10)) break;
    }
    ASSERT_TRUE(kind.waitForFinished(60000)) << "still running";
    EXPECT_EQ(kind.exitStatus(), f.art);
    EXPECT_EQ(kind.exitCode(), f.status);
    const QByteArray fehler = kind.readAllStandardError();
    EXPECT_EQ(fehler.contains("blockiert: Das Programm reagierte nicht und wurde durch ein zweites Signal zwangsweise "
                              "beendet; die Messwerte 1235 bis 1400 seit der letzten Sicherung sind verloren.\n"),
              fall == "blockiert")
        << fehler.toStdString();
    EXPECT_EQ(QFileInfo::exists(u.pfad(QStringLiteral("LCK..eigen"))), fall == "ende");
    EXPECT_TRUE(QFileInfo::exists(u.pfad(QStringLiteral("LCK..fremd"))));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--aufnahme") {
    pv::Programmordner::rettungsbasisSetzen(qEnvironmentVariable("PVTEST_RETTUNGSBASIS"));
    return aufnehmen(argc >= 3 ? argv[2] : "");
  }
  if (argc >= 4 && std::string(argv[1]) == "--blockiert") return blockieren(QString::fromLocal8Bit(argv[2]), argv[3]);
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto anwendung = pv::anwendungErstellen(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
