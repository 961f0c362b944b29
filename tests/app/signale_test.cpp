// The end the system asks for, with a real signal sent to a real process:
// the program run as app/main.cpp runs it, recording from a pseudo-terminal
// instrument. The test program is that process too, started with
// "--aufnahme".
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QLineEdit>
#include <QProcess>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <string>
#include <unistd.h>

#include "app/programmlauf.h"
#include "common/anwendung.h"
#include "common/eingabebox.h"
#include "common/meldungen.h"
#include "common/tolvek.h"
#include "main/aufnahme.h"
#include "main/form1steuerelemente.h"
#include "main/messdatei.h"
#include "main/programm_mit_geraet.h"

namespace {

constexpr int kWerte = 29;
const QString kTitel = QStringLiteral("Nachtmessung");

// The process: starts a recording under a new title as a user would, says
// so once its event loop runs, and with "box" or "eingabe" then opens a
// modal message or input box. With "sitzung" a line on its input is the
// desktop session's end: the quit request its session management sends.
int aufnehmen(const std::string& offen) {
  int argc = 1;
  char name[] = "pelvaron";
  char* argv[] = {name, nullptr};
  return pv::programmLaufen(argc, argv, [offen](pv::Programm& programm) {
    pv::steuerelemente(programm.form1()).TextMessBezeichnung->setText(kTitel);
    programm.aufnahme().StartButton_Click();
    QTimer::singleShot(0, [offen] {
      std::puts(pv::hauptmodul().MessungLaeuft ? "laeuft" : "steht");
      std::fflush(stdout);
      if (offen == "box") Tolvek::meldungen().hinweis(QStringLiteral("Offen"));
      if (offen == "eingabe") Tolvek::eingaben().fragen(QStringLiteral("Wert"), QStringLiteral("Eingabe"), {}, {});
    });
    if (offen != "sitzung") return;
    auto* eingabe = new QSocketNotifier(STDIN_FILENO, QSocketNotifier::Read, qApp);
    QObject::connect(eingabe, &QSocketNotifier::activated, [] {
      QEvent ende(QEvent::Quit);
      QCoreApplication::sendEvent(qApp, &ende);
    });
  });
}

QByteArray wert(int i) { return QByteArray::number(i / 10.0, 'f', 3); }

struct Fall {
  const char* name;
  int signal;  // 0: the session's end
  const char* offen;
};
void PrintTo(const Fall& fall, std::ostream* os) { *os << fall.name; }

class SignalTest : public ::testing::TestWithParam<Fall> {
 protected:
  // Waits until the process has written `zeile` on its output.
  bool gemeldet(QProcess& kind, const QByteArray& zeile) {
    while (!ausgabe_.contains(zeile + '\n')) {
      if (!kind.waitForReadyRead(20000)) return false;
      ausgabe_ += kind.readAllStandardOutput();
    }
    return true;
  }

  pvtest::Programmumgebung u;
  pvtest::Pseudoterminal pty;
  QByteArray ausgabe_;
};

TEST_P(SignalTest, EndsWithTheValuesInTheSafetyFileAndTheSettingsWritten) {
  ASSERT_TRUE(pty.ok());
  const QString geraet = QStringLiteral("Fortlaufend");
  u.schreibe(QStringLiteral("Test.ger"), pvtest::geraetedatei(geraet, pvtest::kAutomatisch));
  pv::Einstellungen e;
  pv::Standardparameter(e, u.pfad());
  e.AktuellesMessgeraet = geraet;
  e.ComPortNummer = 3;
  e.Wartezeit = 0;
  ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));

  QProcess kind;
  QProcessEnvironment umgebung = QProcessEnvironment::systemEnvironment();
  umgebung.insert(QStringLiteral("PELVARON_HOME"), u.pfad());
  umgebung.insert(QStringLiteral("PELVARON_COM3"), pty.slave());
  umgebung.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  kind.setProcessEnvironment(umgebung);
  kind.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  // A test run in the background of a shell has SIGINT ignored; the program
  // keeps an ignored signal ignored.
  kind.setChildProcessModifier([] {
    for (int s : {SIGTERM, SIGHUP, SIGINT}) std::signal(s, SIG_DFL);
  });
  kind.start(QCoreApplication::applicationFilePath(),
             {QStringLiteral("--aufnahme"), QString::fromLatin1(GetParam().offen)});
  ASSERT_TRUE(gemeldet(kind, "laeuft")) << ausgabe_.toStdString();

  for (int i = 1; i <= kWerte; ++i) {
    pty.senden("DC  " + wert(i) + " V\r");
    QThread::msleep(10);
  }
  // Every record read is stored at once.
  for (int i = 0; i < 500 && pty.ungelesen() > 0; ++i) QThread::msleep(10);
  QThread::msleep(300);

  if (GetParam().signal == 0) {
    ASSERT_EQ(kind.write("ende\n"), 5);
  } else {
    ASSERT_EQ(::kill(static_cast<pid_t>(kind.processId()), GetParam().signal), 0);
  }
  ASSERT_TRUE(kind.waitForFinished(5000)) << "still running";
  EXPECT_EQ(kind.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(kind.exitCode(), 0);

  const pv::Leseergebnis r = pv::messdateiLesen(u.pfad(QStringLiteral("pvsave.tmp")), false);
  ASSERT_TRUE(r.gelesen());
  const pv::Messdaten& d = r.inhalt.daten;
  ASSERT_EQ(d.m, kWerte);
  for (int i = 1; i <= kWerte; ++i) EXPECT_EQ(QByteArray::number(d.y[i], 'f', 3), wert(i)) << i;
  EXPECT_FALSE(d.MesEnd.isEmpty());
  EXPECT_EQ(r.inhalt.texte.MessBezeichnung, kTitel);
  EXPECT_TRUE(u.lies(QStringLiteral("Pelvaron.ini")).contains("\r\nBezeichnung=" + kTitel.toLatin1() + "\r\n"));
}

INSTANTIATE_TEST_SUITE_P(Signale, SignalTest,
                         ::testing::Values(Fall{"TERM", SIGTERM, ""}, Fall{"HUP_Meldung", SIGHUP, "box"},
                                           Fall{"INT_Eingabe", SIGINT, "eingabe"},
                                           Fall{"Sitzungsende", 0, "sitzung"}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--aufnahme") return aufnehmen(argc >= 3 ? argv[2] : "");
  qputenv("QT_QPA_PLATFORM", "offscreen");
  const auto anwendung = pv::anwendungErstellen(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
