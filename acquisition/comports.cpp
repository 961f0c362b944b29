#include "comports.h"

#include <QSerialPortInfo>

namespace pv {

namespace {

QString umgebungsname(int nummer) { return QStringLiteral("PELVARON_COM%1").arg(nummer); }

QString ausUmgebung(int nummer, const QProcessEnvironment& umgebung) {
  return umgebung.value(umgebungsname(nummer)).trimmed();
}

}  // namespace

Plattform eigenePlattform() {
#ifdef Q_OS_WIN
  return Plattform::Windows;
#else
  return Plattform::Unix;
#endif
}

QString comPortPfad(int nummer, const QProcessEnvironment& umgebung, Plattform plattform) {
  if (nummer < 1 || nummer > kComPortAnzahl) return {};
  const QString gesetzt = ausUmgebung(nummer, umgebung);
  if (!gesetzt.isEmpty()) return gesetzt;
  if (plattform == Plattform::Windows) return QStringLiteral("COM%1").arg(nummer);
  return QStringLiteral("/dev/ttyS%1").arg(nummer - 1);
}

QString comPortPfad(int nummer) {
  return comPortPfad(nummer, QProcessEnvironment::systemEnvironment());
}

std::vector<ComPortZuordnung> comPortUebersicht(const QProcessEnvironment& umgebung,
                                                const QStringList& systemPorts,
                                                Plattform plattform) {
  std::vector<ComPortZuordnung> liste;
  for (int n = 1; n <= kComPortAnzahl; ++n) {
    ComPortZuordnung z;
    z.nummer = n;
    z.pfad = comPortPfad(n, umgebung, plattform);
    z.ausUmgebung = !ausUmgebung(n, umgebung).isEmpty();
    z.vorhanden = systemPorts.contains(z.pfad);
    liste.push_back(z);
  }
  return liste;
}

QStringList systemPorts() {
  QStringList pfade;
  for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts()) {
#ifdef Q_OS_WIN
    pfade << info.portName();  // "COM3", as comPortPfad names it
#else
    pfade << info.systemLocation();
#endif
  }
  return pfade;
}

}  // namespace pv
