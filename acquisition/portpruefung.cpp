#include "portpruefung.h"

#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

#if defined(Q_OS_UNIX)
#include <fcntl.h>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

#include "common/sperrbesitzer.h"

namespace pv {

namespace {

const QString kAndereWaehlen =
    QStringLiteral("Wählen Sie bitte unter 'Einstellungen -> COM-Port' eine andere Schnittstelle aus.");

// What the port's own error tells when the path shows nothing wrong.
Portbefund nachMeldung(QSerialPort::SerialPortError fehler) {
  switch (fehler) {
    case QSerialPort::DeviceNotFoundError:
      return Portbefund(PortUrsache::Fehlt);
    case QSerialPort::PermissionError:  // a lock held by a running program, or an exclusive open
    case QSerialPort::OpenError:
      return Portbefund(PortUrsache::Belegt);
    default:
      return Portbefund(PortUrsache::Anderes);
  }
}

#if defined(Q_OS_UNIX)

QString dateiart(mode_t modus) {
  if (S_ISREG(modus)) return QStringLiteral("eine Datei");
  if (S_ISDIR(modus)) return QStringLiteral("ein Ordner");
  if (S_ISFIFO(modus)) return QStringLiteral("eine benannte Pipe (FIFO)");
  if (S_ISSOCK(modus)) return QStringLiteral("ein Socket");
  if (S_ISBLK(modus)) return QStringLiteral("ein Laufwerk");
  if (S_ISLNK(modus)) return QStringLiteral("eine symbolische Verknüpfung");
  return QStringLiteral("etwas anderes");
}

// The group whose members may use the device, where joining it helps: the
// group has read and write rights and is not root's own.
QString zugriffsgruppe(const struct stat& st) {
  constexpr mode_t kLesenSchreiben = S_IRGRP | S_IWGRP;
  if ((st.st_mode & kLesenSchreiben) != kLesenSchreiben || st.st_gid == 0) return {};
  const group* g = ::getgrgid(st.st_gid);
  return g ? QString::fromLocal8Bit(g->gr_name) : QString();
}

// The process a lock file names, for the user: its id and the name of its
// program, from the process's short name where its program cannot be read
// (another user's).
QString prozessText(int64_t pid) {
  char name[PATH_MAX];
  if (programmName(pid, name, sizeof name)) return QStringLiteral("%1 (%2)").arg(pid).arg(QFile::decodeName(name));
  QFile kurzname(QStringLiteral("/proc/%1/comm").arg(pid));
  const QByteArray kurz = kurzname.open(QIODevice::ReadOnly) ? kurzname.readAll().trimmed() : QByteArray();
  return kurz.isEmpty() ? QString::number(pid) : QStringLiteral("%1 (%2)").arg(pid).arg(QString::fromLocal8Bit(kurz));
}

// The port in use by the lock file at `sperre`, when its owner runs.
std::optional<Portbefund> gehalten(const QString& sperre, const Sperrbesitzer& besitzer) {
  if (!sperrbesitzerLaeuft(besitzer)) return std::nullopt;
  return Portbefund(PortUrsache::Belegt, {}, {}, sperre, prozessText(besitzer.pid));
}

#endif

}  // namespace

QString sperrdateiPfad(const QString& pfad) {
  // The folders and the name as the serial port module picks them.
  const QStringList ordner = {QStringLiteral("/var/lock"),
                              QStringLiteral("/etc/locks"),
                              QStringLiteral("/var/spool/locks"),
                              QStringLiteral("/var/spool/uucp"),
                              QStringLiteral("/tmp"),
                              QStringLiteral("/var/tmp"),
                              QStringLiteral("/var/lock/lockdev"),
                              QStringLiteral("/run/lock"),
                              QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
  QString name = pfad.startsWith(QStringLiteral("/dev/")) ? pfad.mid(5) : pfad;
  name.replace(u'/', u'_');
  name.prepend(QStringLiteral("/LCK.."));
  for (const QString& o : ordner) {
    const QFileInfo info(o);
    const QString datei = o + name;
    if (info.isReadable() && (QFile::exists(datei) || info.isWritable())) return datei;
  }
  return {};
}

std::optional<Portbefund> sperrstelleUntersuchen(const QString& pfad) {
#if defined(Q_OS_UNIX)
  const QString sperre = sperrdateiPfad(pfad);
  struct stat st {};
  if (sperre.isEmpty() || ::lstat(QFile::encodeName(sperre).constData(), &st) != 0) return std::nullopt;
  if (!S_ISREG(st.st_mode)) return Portbefund(PortUrsache::FremdeSperre, dateiart(st.st_mode), {}, sperre);
  // The serial port module counts a lock without its own name line as stale
  // when the process under the id has another name, and would take the
  // port from the program that wrote it: such a lock holds the port while
  // its process runs.
  return gehalten(sperre, sperrbesitzerLesen(QFile::encodeName(sperre).constData()));
#else
  Q_UNUSED(pfad);
  return std::nullopt;
#endif
}

Portbefund portUntersuchen(const QString& pfad, QSerialPort::SerialPortError fehler) {
#if defined(Q_OS_UNIX)
  const QByteArray name = QFile::encodeName(pfad);
  struct stat st {};
  if (::stat(name.constData(), &st) != 0) {
    return Portbefund(errno == EACCES ? PortUrsache::KeinZugriff : PortUrsache::Fehlt);
  }
  if (!S_ISCHR(st.st_mode)) return Portbefund(PortUrsache::KeinGeraet, dateiart(st.st_mode));
  if (::faccessat(AT_FDCWD, name.constData(), R_OK | W_OK, AT_EACCESS) != 0 && errno == EACCES) {
    return Portbefund(PortUrsache::KeinZugriff, {}, zugriffsgruppe(st));
  }
  // A stale lock that the port could have removed would be gone by now.
  const QString sperre = sperrdateiPfad(pfad);
  if (!sperre.isEmpty()) {
    const Sperrbesitzer besitzer = sperrbesitzerLesen(QFile::encodeName(sperre).constData());
    if (const auto befund = gehalten(sperre, besitzer)) return *befund;
    if (besitzer.pid > 0) return Portbefund(PortUrsache::VerwaisteSperre, {}, {}, sperre);
  }
#else
  Q_UNUSED(pfad);
#endif
  return nachMeldung(fehler);
}

QString portfehlerText(int comPort, const QString& pfad, const Portbefund& b) {
  const QString port = QStringLiteral("COM %1 (%2)").arg(QString::number(comPort), pfad);
  switch (b.ursache) {
    case PortUrsache::Fehlt:
      return QStringLiteral(
                 "Die Schnittstelle %1 gibt es nicht!\r\n"
                 "Schließen Sie das Messgerät an, oder wählen Sie bitte unter 'Einstellungen -> COM-Port' "
                 "eine andere Schnittstelle aus.")
          .arg(port);
    case PortUrsache::KeinGeraet:
      return QStringLiteral("%1 ist keine serielle Schnittstelle, sondern %2!\r\n").arg(port, b.art) +
             kAndereWaehlen;
    case PortUrsache::KeinZugriff:
      if (b.gruppe.isEmpty()) {
        return QStringLiteral(
                   "Sie haben keine Berechtigung, die Schnittstelle %1 zu öffnen!\r\n"
                   "Bitten Sie Ihren Administrator, Ihnen Lese- und Schreibrechte dafür zu geben.")
            .arg(port);
      }
      return QStringLiteral(
                 "Sie haben keine Berechtigung, die Schnittstelle %1 zu öffnen!\r\n"
                 "Das dürfen nur Mitglieder der Gruppe '%2'. Nehmen Sie Ihr Benutzerkonto in diese Gruppe auf, "
                 "zum Beispiel mit\r\n"
                 "sudo usermod -aG %2 $USER\r\n"
                 "und melden Sie sich danach ab und wieder an.")
          .arg(port, b.gruppe);
    case PortUrsache::VerwaisteSperre:
      return QStringLiteral(
                 "Die Schnittstelle %1 ist durch die Sperrdatei eines beendeten Programms gesperrt, "
                 "die Sie nicht entfernen dürfen:\r\n"
                 "%2\r\n"
                 "Bitten Sie Ihren Administrator, sie zu löschen, zum Beispiel mit\r\n"
                 "sudo rm %2")
          .arg(port, b.sperrdatei);
    case PortUrsache::FremdeSperre:
      return QStringLiteral(
                 "Die Schnittstelle %1 kann nicht geöffnet werden!\r\n"
                 "An der Stelle ihrer Sperrdatei\r\n"
                 "%2\r\n"
                 "liegt %3 statt einer Datei.\r\n"
                 "Bitten Sie Ihren Administrator, das zu entfernen, zum Beispiel mit\r\n"
                 "sudo rm -r %2")
          .arg(port, b.sperrdatei, b.art);
    case PortUrsache::Belegt:
      return QStringLiteral(
                 "Die angeforderte Schnittstelle %1 ist bereits geöffnet oder durch ein anderes Gerät belegt!\r\n")
                 .arg(port) +
             (b.sperrdatei.isEmpty()
                  ? QString()
                  : QStringLiteral("Ihre Sperrdatei\r\n%1\r\nnennt den laufenden Prozess %2 als Besitzer. "
                                   "Verwendet dieser Prozess die Schnittstelle nicht (seine Nummer wurde neu "
                                   "vergeben), kann die Sperrdatei gelöscht werden.\r\n")
                        .arg(b.sperrdatei, b.prozess)) +
             kAndereWaehlen;
    case PortUrsache::Anderes:
      break;
  }
  return QStringLiteral("Die angeforderte Schnittstelle %1 ist durch ein anderes Gerät belegt!\r\n").arg(port) +
         kAndereWaehlen;
}

}  // namespace pv
