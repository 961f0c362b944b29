// Codec, numbers, colours and the program folder.
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <clocale>
#include <optional>
#include <string>

#include <QAbstractItemView>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/cp1252.h"
#include "common/dateiauswahl.h"
#include "common/farben.h"
#include "common/programmordner.h"
#include "common/textdatei.h"
#include "common/zahlen.h"
#include "support/testhilfe.h"

namespace {

TEST(Cp1252, EveryByteSurvivesDecodeAndEncode) {
  QByteArray alle;
  for (int b = 0; b < 256; ++b) alle += char(b);
  EXPECT_EQ(pv::zuCp1252(pv::vonCp1252(alle)), alle);
}

TEST(Cp1252, MapsUmlautsEuroAndMicroSign) {
  EXPECT_EQ(pv::zuCp1252(QStringLiteral("Gerätedatei Menü ß")), QByteArray("Ger\xE4tedatei Men\xFC \xDF"));
  EXPECT_EQ(pv::vonCp1252(QByteArray("\x80\xB5")), QStringLiteral("€µ"));
  EXPECT_EQ(pv::zuCp1252(QStringLiteral("Ω")), QByteArray("?"));
}

struct RundungsFall {
  const char* name;
  double x;
  std::optional<int16_t> erwartet;
};

TEST(Zahlen, IntegerConversionRoundsHalfToEvenAndRefusesOverflow) {
  const RundungsFall faelle[] = {
      {"half down to even", 2.5, 2},     {"half up to even", 3.5, 4},
      {"negative half", -2.5, -2},       {"just below half", 2.4999, 2},
      {"upper bound", 32767.4, 32767},   {"above upper bound", 32767.5, std::nullopt},
      {"lower bound", -32768.0, -32768}, {"below lower bound", -32768.6, std::nullopt},
  };
  for (const auto& f : faelle) EXPECT_EQ(pv::ganzzahl16(f.x), f.erwartet) << f.name;
  EXPECT_EQ(pv::ganzzahl32(2147483647.0), 2147483647);
  EXPECT_EQ(pv::ganzzahl32(2147483648.0), std::nullopt);
  EXPECT_EQ(pv::ganzzahl16(std::nan("")), std::nullopt);
}

struct ValFall {
  const char* name;
  const char* text;
  double erwartet;
};

TEST(Zahlen, ValTakesTheLeadingNumber) {
  const ValFall faelle[] = {
      {"plain integer", "42", 42},
      {"stops at letters", "12abc", 12},
      {"blanks anywhere are skipped", " 1 2 3", 123},
      {"fraction with point", "3.25kg", 3.25},
      {"comma is not a decimal mark", "3,25", 3},
      {"leading fraction", ".5", 0.5},
      {"sign", "-7.5", -7.5},
      {"exponent", "1.5E3x", 1500},
      {"exponent with D", "2D2", 200},
      {"incomplete exponent ignored", "4E", 4},
      {"no number", "abc", 0},
      {"empty", "", 0},
      {"hexadecimal", "&HFF", 255},
      {"octal", "&O17", 15},
  };
  for (const auto& f : faelle) EXPECT_DOUBLE_EQ(pv::val(QString::fromUtf8(f.text)), f.erwartet) << f.name;
}

// Texts and single-byte record fields read alike.
TEST(Zahlen, ZahlLesenTakesWholeNumbersWithEitherDecimalMark) {
  const struct {
    const char* text;
    QChar marke;
    std::optional<double> erwartet;
  } faelle[] = {
      {"1,5", u',', 1.5},        {"1.5", u',', 1.5},          {" -2.5E2 ", u'.', -250},
      {"\t19990\xA0", u',', 19990}, {"", u',', std::nullopt},   {"12a", u',', std::nullopt},
      {"1.234,5", u',', std::nullopt}, {"abc", u'.', std::nullopt}, {"1E999", u'.', std::nullopt},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(pv::zahlLesen(QByteArrayView(f.text), f.marke), f.erwartet) << f.text;
    EXPECT_EQ(pv::zahlLesen(QString::fromLatin1(f.text), f.marke), f.erwartet) << f.text;
  }
  // Single precision: beyond it is no number, not infinity.
  EXPECT_EQ(pv::singleLesen(u"2,5", u','), 2.5f);
  EXPECT_EQ(pv::singleLesen(u"1E39", u','), std::nullopt);
}

struct TextFall {
  const char* name;
  float x;
  const char* komma;
};

TEST(Zahlen, SingleTextUsesSevenSignificantDigits) {
  const TextFall faelle[] = {
      {"zero", 0.0f, "0"},
      {"integer", 19990.0f, "19990"},
      {"fraction", 0.5f, "0,5"},
      {"negative", -2.5f, "-2,5"},
      {"binary fraction shows as typed", 0.1f, "0,1"},
      {"seven digits", 1234567.0f, "1234567"},
      {"eight digits go to exponent form", 12345678.0f, "1,234568E+07"},
      {"smallest fixed", 0.0001f, "0,0001"},
      {"below fixed range", 0.00001f, "1E-05"},
      {"large power", 1e30f, "1E+30"},
      {"rounds to seven digits", 3.14159265f, "3,141593"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(pv::singleText(f.x, u','), QString::fromUtf8(f.komma)) << f.name;
    EXPECT_EQ(pv::singleText(f.x, u'.'), QString::fromUtf8(f.komma).replace(u',', u'.')) << f.name;
  }
}

TEST(Farben, BgrIntegersAreBlueGreenRed) {
  EXPECT_EQ(pv::farbe(0x0000FF), QColor(255, 0, 0));
  EXPECT_EQ(pv::farbe(0xFF0000), QColor(0, 0, 255));
  EXPECT_EQ(pv::bgrWert(QColor(0x12, 0x34, 0x56)), 0x563412u);
}

// The build or installation beside the executable may be replaced at any
// time: the program folder is the user's own, and what is shipped only fills
// its gaps, in the folder PELVARON_HOME names (a relative name taken from
// the start folder) as in the user's folder.
TEST(Programmordner, TheChosenFolderKeepsItsFilesAndGetsTheMissingShippedOnesOnce) {
  QTemporaryDir basis;
  const QDir b(basis.path());
  const QString exe = b.filePath(QStringLiteral("exe")), daten = b.filePath(QStringLiteral("daten"));
  ASSERT_TRUE(QDir().mkpath(exe));
  for (const char* name : {"Waage.ger", "Waage.gif", "Pelvaron.ini"})
    ASSERT_TRUE(pv::dateiErsetzen(QDir(exe).filePath(QLatin1String(name)), "mitgeliefert"));
  const QString vorher = pv::Programmordner::pfad(), vorherAktuell = QDir::currentPath();
  ASSERT_TRUE(QDir::setCurrent(b.path()));
  const QString neu = b.filePath(QStringLiteral("neu/tief"));
  EXPECT_EQ(pv::Programmordner::bestimmen(exe, neu, daten), neu);
  EXPECT_TRUE(QFile::exists(QDir(neu).filePath(QStringLiteral("Waage.gif"))));
  const struct {
    QString umgebung, ordner;
  } faelle[] = {{QStringLiteral("home"), b.filePath(QStringLiteral("home"))}, {QString(), daten}};
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.ordner.toStdString());
    const QString geaendert = QDir(f.ordner).filePath(QStringLiteral("Waage.ger"));
    ASSERT_TRUE(QDir().mkpath(f.ordner) && pv::dateiErsetzen(geaendert, "geaendert"));
    // Two starts, as after a rebuild, with the executable's folder writable.
    for (int start = 0; start < 2; ++start) {
      EXPECT_EQ(pv::Programmordner::bestimmen(exe, f.umgebung, daten), f.ordner);
      QByteArray inhalt;
      EXPECT_TRUE(pv::dateiLesen(geaendert, inhalt) && inhalt == "geaendert");
      EXPECT_TRUE(QFile::exists(QDir(f.ordner).filePath(QStringLiteral("Waage.gif"))));
      EXPECT_FALSE(QFile::exists(QDir(f.ordner).filePath(QStringLiteral("Pelvaron.ini"))));
    }
    // A shipped file the user deleted is not brought back.
    ASSERT_TRUE(QFile::remove(geaendert));
    pv::Programmordner::bestimmen(exe, f.umgebung, daten);
    EXPECT_FALSE(QFile::exists(geaendert));
  }
  QDir::setCurrent(vorherAktuell);
  pv::Programmordner::setzen(vorher);
}

// The list of the shipped files is read as the program's files are
// written: another user's link is not followed (its target stays as it
// is), a pipe does not hold the start, and a file far larger than a list is
// not taken. The list is written anew, a plain file, and the missing
// shipped files come in.
TEST(Programmordner, TheListOfShippedFilesIsOnlyAPlainFileOfBoundedSize) {
  const passwd* niemand = getpwnam("nobody");
  if (geteuid() != 0 || !niemand) GTEST_SKIP() << "needs root and a user nobody to make another user's link";
  QTemporaryDir basis;
  const QDir b(basis.path());
  const QString exe = b.filePath(QStringLiteral("exe")), opfer = b.filePath(QStringLiteral("opfer.mes"));
  ASSERT_TRUE(QDir().mkpath(exe) && pv::dateiErsetzen(opfer, "Waage.ger\n"));
  for (const char* name : {"Waage.ger", "Waage.gif"})
    ASSERT_TRUE(pv::dateiErsetzen(QDir(exe).filePath(QLatin1String(name)), "mitgeliefert"));
  const QString vorher = pv::Programmordner::pfad();
  for (const char* art : {"link", "pipe", "large"}) {
    SCOPED_TRACE(art);
    const QString ordner = b.filePath(QLatin1String(art)), liste = QDir(ordner).filePath(QStringLiteral(".mitgeliefert"));
    const QByteArray name = QFile::encodeName(liste);
    ASSERT_TRUE(QDir().mkpath(ordner));
    if (art == std::string("link")) {
      ASSERT_EQ(symlink(QFile::encodeName(opfer).constData(), name.constData()), 0);
      ASSERT_EQ(lchown(name.constData(), niemand->pw_uid, gid_t(-1)), 0);
    } else if (art == std::string("pipe")) {
      ASSERT_EQ(mkfifo(name.constData(), 0600), 0);
    } else {
      ASSERT_TRUE(pv::dateiErsetzen(liste, "Waage.ger\n") && QFile::resize(liste, 1 << 20));
    }
    pv::Programmordner::bestimmen(exe, QString(), ordner);
    EXPECT_TRUE(QFile::exists(QDir(ordner).filePath(QStringLiteral("Waage.ger"))));
    QByteArray inhalt;
    EXPECT_TRUE(QFileInfo(liste).isFile() && !QFileInfo(liste).isSymLink() && pv::dateiLesen(liste, inhalt));
    EXPECT_EQ(inhalt, "Waage.ger\nWaage.gif\n");
  }
  QByteArray inhalt;
  EXPECT_TRUE(pv::dateiLesen(opfer, inhalt) && inhalt == "Waage.ger\n");
  pv::Programmordner::setzen(vorher);
}

// The user's folder never depends on the folder the program was started
// from: a relative XDG_DATA_HOME is ignored, and a HOME unset or relative
// gives way to the home the password database gives the user.
TEST(Programmordner, TheUserFolderIsAbsoluteWhateverTheEnvironment) {
  const passwd* ich = getpwuid(geteuid());
  ASSERT_TRUE(ich);
  const QString eigener = QFile::decodeName(ich->pw_dir) + QStringLiteral("/.local/share/Pelvaron");
  const auto setzen = [](const char* name, const std::optional<QByteArray>& wert) {
    wert ? qputenv(name, *wert) : qunsetenv(name);
  };
  const auto lesen = [](const char* name) {
    return qEnvironmentVariableIsSet(name) ? std::optional(qgetenv(name)) : std::nullopt;
  };
  const std::optional<QByteArray> xdgVorher = lesen("XDG_DATA_HOME"), heimVorher = lesen("HOME");
  const struct {
    std::optional<QByteArray> xdg, heim;
    QString erwartet;
  } faelle[] = {{"/daten", "/heim", QStringLiteral("/daten/Pelvaron")},
                {"reldaten", "/heim", QStringLiteral("/heim/.local/share/Pelvaron")},
                {std::nullopt, std::nullopt, eigener},
                {std::nullopt, "heim", eigener}};
  for (const auto& f : faelle) {
    setzen("XDG_DATA_HOME", f.xdg);
    setzen("HOME", f.heim);
    EXPECT_EQ(pv::Programmordner::anwendungsdaten(), f.erwartet) << f.xdg.value_or("-").constData() << " "
                                                                 << f.heim.value_or("-").constData();
  }
  setzen("XDG_DATA_HOME", xdgVorher);
  setzen("HOME", heimVorher);
}

// File dialogs start in a folder the user knows: the one chosen last while
// it exists, else the documents folder, else home. The hidden program
// folder and the folders in it are neither a start nor remembered, unless
// the program folder holds home: then only itself.
TEST(Dateiauswahl, StartsInTheChosenFolderElseDocumentsElseHome) {
  QTemporaryDir heim;
  const QByteArray vorher = qgetenv("HOME");
  const QString programmordner = pv::Programmordner::pfad();
  qputenv("HOME", heim.path().toLocal8Bit());
  const QString dokumente = QDir(heim.path()).filePath(QStringLiteral("Documents"));
  EXPECT_EQ(pv::startordner(QString()), heim.path());
  ASSERT_TRUE(QDir().mkpath(dokumente));
  EXPECT_EQ(pv::startordner(QString()), dokumente);
  EXPECT_EQ(pv::startordner(heim.path() + QStringLiteral("/weg")), dokumente);
  EXPECT_EQ(pv::startordner(heim.path()), heim.path());

  const QString kopie = heim.filePath(QStringLiteral(".local/share/Pelvaron/Kopie 2"));
  ASSERT_TRUE(QDir().mkpath(kopie));
  pv::Programmordner::setzen(heim.filePath(QStringLiteral(".local/share/Pelvaron")));
  EXPECT_EQ(pv::startordner(kopie), dokumente);
  EXPECT_EQ(pv::merkordner(kopie + QStringLiteral("/pvsave.tmp"), heim.path()), heim.path());
  EXPECT_EQ(pv::merkordner(dokumente + QStringLiteral("/a.mes"), heim.path()), dokumente);
  pv::Programmordner::setzen(heim.path());
  EXPECT_EQ(pv::merkordner(dokumente + QStringLiteral("/a.mes"), QString()), dokumente);
  EXPECT_EQ(pv::merkordner(heim.filePath(QStringLiteral("a.mes")), dokumente), dokumente);
  pv::Programmordner::setzen(programmordner);
  qputenv("HOME", vorher);
}

// The real dialog's side bar offers the program folder under a name the user
// knows; Qt's stored side bar, which other programs share, stays without it.
TEST(Dateiauswahl, TheSideBarOffersTheProgramFolderByName) {
  pvtest::Programmumgebung u;
  QTemporaryDir einstellungen, gemeinsam;
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, einstellungen.path());
  pv::Programmordner::rettungsbasisSetzen(gemeinsam.path());
  const QString rettung = pv::Programmordner::rettungsordner();
  ASSERT_TRUE(QDir().mkdir(rettung, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
  QStringList orte;
  QTimer::singleShot(0, [&orte] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (auto* leiste = dialog ? dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar")) : nullptr)
      for (int zeile = 0; zeile < leiste->model()->rowCount(); ++zeile) {
        const QModelIndex i = leiste->model()->index(zeile, 0);
        orte << i.data().toString() + u'=' + i.data(Qt::ToolTipRole).toString();
      }
    if (dialog) dialog->close();
  });
  pv::DialogDateiauswahl().oeffnen(nullptr, QStringLiteral("Öffnen"), QDir::tempPath(), QStringLiteral("*.*"));
  pv::Programmordner::rettungsbasisSetzen(QStringLiteral("/var/tmp"));
  for (const QString& ort : {pv::kProgrammordnerPlatz + u'=' + u.pfad(), pv::kRettungsordnerPlatz + u'=' + rettung})
    EXPECT_TRUE(orte.contains(ort)) << orte.join(u' ').toStdString();
  const QSettings qt(QSettings::UserScope, QStringLiteral("QtProject"));
  EXPECT_TRUE(qt.contains(QStringLiteral("FileDialog/shortcuts")));
  EXPECT_FALSE(qt.value(QStringLiteral("FileDialog/shortcuts")).toStringList().join(u' ').contains(u.pfad()));
  QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                     QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));
}

}  // namespace

namespace {

// The application object gives the C library the user's locale and the
// program sets only its numbers back, for the libraries it links; its own
// conversions must not follow the C library's locale at all.
TEST(Zahlen, ConversionsIgnoreTheCLibraryLocale) {
  const std::string vorher = std::setlocale(LC_ALL, nullptr);
  if (!std::setlocale(LC_ALL, "de_DE.UTF-8")) GTEST_SKIP() << "German locale not installed";
  const double gelesen = pv::val(u"1.5");
  const auto komma = pv::zahlLesen(u"0,5", u',');
  const QString text = pv::singleText(0.5f, u',');
  const QString gross = pv::singleText(19990.0f, u'.');
  const QString exponent = pv::singleText(12345678.0f, u',');
  std::setlocale(LC_ALL, vorher.c_str());
  EXPECT_EQ(gelesen, 1.5);
  EXPECT_EQ(komma, 0.5);
  EXPECT_EQ(text, QStringLiteral("0,5"));
  EXPECT_EQ(gross, QStringLiteral("19990"));
  EXPECT_EQ(exponent, QStringLiteral("1,234568E+07"));
}

}  // namespace
