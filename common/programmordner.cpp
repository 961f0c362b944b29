#include "programmordner.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <vector>

#include "textdatei.h"

namespace pv {
namespace {

// The shipped files already copied in once, one name a line: a shipped file
// the user deleted (a device removed in the device list) stays deleted.
const QString kMitgeliefertListe = QStringLiteral(".mitgeliefert");
// Far more than the names of the shipped files take: anything larger is no
// list the program wrote.
constexpr qint64 kListeHoechstens = 64 * 1024;

// The names the list holds. Read as the program's other files are written:
// never through another user's link, and only from a plain file of at most
// kListeHoechstens bytes, opened without waiting (a pipe at its name never
// holds the start). Anything else holds no names, and the list is written
// anew in its place.
QStringList mitgeliefertLesen(const QString& pfad) {
  // Decided before the owner is looked at: what becomes a link meanwhile
  // is not followed.
  const int folgen = QFileInfo(pfad).isSymLink() ? 0 : O_NOFOLLOW;
  if (fremderVerweis(pfad)) return {};
  const int fd = ::open(QFile::encodeName(pfad).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | folgen);
  QFile datei;
  if (fd < 0 || !datei.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
    if (fd >= 0) ::close(fd);
    return {};
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) return {};
  const QByteArray inhalt = datei.read(kListeHoechstens + 1);
  if (inhalt.size() > kListeHoechstens) return {};
  return QString::fromUtf8(inhalt).split(u'\n', Qt::SkipEmptyParts);
}

// Only the kinds of file shipped: whatever else the executable's folder
// holds (a build's own files) is not the user's business.
void fehlendeMitgelieferteKopieren(const QString& von, const QString& nach) {
  const QStringList arten{QStringLiteral("*.ger"), QStringLiteral("*.pvf"), QStringLiteral("*.gif"),
                          QStringLiteral("*.jpg"), QStringLiteral("*.bmp")};
  const QString listenpfad = QDir(nach).filePath(kMitgeliefertListe);
  QStringList schonDa = mitgeliefertLesen(listenpfad);
  const qsizetype bekannt = schonDa.size();
  for (const QFileInfo& info : QDir(von).entryInfoList(arten, QDir::Files)) {
    if (schonDa.contains(info.fileName())) continue;
    const QString ziel = QDir(nach).filePath(info.fileName());
    // QFile::copy never overwrites; a link left there counts as a file.
    if (QFileInfo(ziel).isSymLink() || QFile::exists(ziel) || QFile::copy(info.absoluteFilePath(), ziel))
      schonDa << info.fileName();
  }
  if (schonDa.size() != bekannt) dateiErsetzen(listenpfad, schonDa.join(u'\n').toUtf8() + '\n', Verweise::NurEigene);
}

bool absolut(const QString& pfad) { return pfad.startsWith(u'/'); }

QString heimordner() {
  const QString heim = qEnvironmentVariable("HOME");
  if (absolut(heim)) return QDir::cleanPath(heim);
  const long vorschlag = ::sysconf(_SC_GETPW_R_SIZE_MAX);
  std::vector<char> puffer(vorschlag > 0 ? std::size_t(vorschlag) : 16384);
  passwd eintrag{};
  passwd* gefunden = nullptr;
  if (::getpwuid_r(::geteuid(), &eintrag, puffer.data(), puffer.size(), &gefunden) == 0 && gefunden &&
      absolut(QFile::decodeName(gefunden->pw_dir)))
    return QDir::cleanPath(QFile::decodeName(gefunden->pw_dir));
  return QStringLiteral("/nonexistent");
}

}  // namespace

QString& Programmordner::ordner_() {
  static QString ordner;
  return ordner;
}

QString Programmordner::bestimmen(const QString& exeOrdner, const QString& umgebung,
                                  const QString& anwendungsdaten) {
  // Set first: what the copying logs goes into the folder.
  setzen(umgebung.isEmpty() ? anwendungsdaten : umgebung);
  QDir().mkpath(pfad());
  fehlendeMitgelieferteKopieren(exeOrdner, pfad());
  return pfad();
}

QString Programmordner::ausUmgebungBestimmen() {
  return bestimmen(QCoreApplication::applicationDirPath(), qEnvironmentVariable("PELVARON_HOME"), anwendungsdaten());
}

QString Programmordner::anwendungsdaten() {
  const QString daten = qEnvironmentVariable("XDG_DATA_HOME");
  return QDir::cleanPath((absolut(daten) ? daten : heimordner() + QStringLiteral("/.local/share")) +
                         QStringLiteral("/Pelvaron"));
}

bool Programmordner::beschreibbar(const QString& ordner) {
  return QFileInfo(ordner).isDir() && dateiSchreibbar(QDir(ordner).filePath(QStringLiteral(".schreibprobe")));
}

QString Programmordner::schreibwarnung(const QString& ordner) {
  if (beschreibbar(ordner)) return {};
  return QStringLiteral("Der Programmordner\r\n%1\r\n%2\r\n\r\n"
                        "Die Einstellungen, die Zwischenspeicherungen und die Sicherheitsdatei können dort "
                        "nicht gespeichert werden. Nur wenn Pelvaron von außen beendet wird (Abmelden, "
                        "Herunterfahren), legt es die Sicherheitsdatei in einem anderen Ordner ab.\r\n"
                        "Bitte speichern Sie Messungen mit \"Speichern unter...\" in einem anderen Ordner.")
      .arg(QDir::toNativeSeparators(ordner),
           QFileInfo(ordner).isDir() ? QStringLiteral("kann nicht beschrieben werden.")
                                     : QStringLiteral("kann nicht angelegt werden."));
}

QString& Programmordner::rettungsbasis_() {
  static QString basis = QStringLiteral("/var/tmp");
  return basis;
}

QString Programmordner::rettungsbasis() { return rettungsbasis_(); }

void Programmordner::rettungsbasisSetzen(const QString& ordner) { rettungsbasis_() = ordner; }

QString Programmordner::rettungsordner(const QString& basis) {
  return QDir(basis).filePath(QStringLiteral("Pelvaron-%1").arg(::geteuid()));
}

void Programmordner::setzen(const QString& ordner) {
  ordner_() = QDir(ordner).absolutePath();
}

QString Programmordner::pfad() { return ordner_(); }

QString Programmordner::datei(const QString& name) { return QDir(ordner_()).filePath(name); }

}  // namespace pv
