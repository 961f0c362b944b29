#include "abfrage.h"

#include <algorithm>
#include <cmath>

#include "common/zahlen.h"

namespace pv {

namespace {
int msGerundet(double ms) {
  return static_cast<int>(rundeHalbGerade(std::clamp(ms, 0.0, 2147483647.0)));
}
}  // namespace

int abfrageintervallMs(float abfrageintervall, double minimum) {
  return msGerundet(std::max(static_cast<double>(abfrageintervall), minimum) * 1000.0);
}

int antwortzeitMs(const QString& settings, int datenstringlaenge, float timeOutTime) {
  const double baud = val(settings.section(u',', 0, 0));
  constexpr double kHoechstens = 60000.0;
  if (!(baud > 0)) return static_cast<int>(kHoechstens);
  const double t = (1.0 / (baud / 10.0)) * datenstringlaenge + timeOutTime;
  return msGerundet(std::min(t * 1000.0, kHoechstens));
}

int zeitueberwachungMs(float timeOutTime) { return msGerundet(static_cast<double>(timeOutTime) * 1000.0); }

QByteArray simulierteDatensaetze(double& phase, int16_t standardGeraetNr, QChar dezimaltrennzeichen) {
  phase += 0.05;
  const float v = static_cast<float>(250.0 * std::sin(phase));
  // "000.0": at least three digits before the separator, one after.
  const double zehntel = std::round(std::fabs(static_cast<double>(v)) * 10.0);
  QString s = QString::number(zehntel / 10.0, 'f', 1);
  const qsizetype punkt = s.indexOf(u'.');
  s = s.left(punkt).rightJustified(3, u'0') + dezimaltrennzeichen + s.mid(punkt + 1);
  s = (v >= 0 ? QStringLiteral(" ") : QStringLiteral("-")) + s;
  s = s.left(6);
  const QString satz = standardGeraetNr == 1 ? QStringLiteral("DC") + s + QStringLiteral("0 mV ")
                                             : QStringLiteral("DC ") + s + QStringLiteral(" mV ");
  QByteArray ein = satz.toLatin1() + '\r';
  return ein.repeated(4);
}

QString verbindungVerlorenText(int comPort, const QString& pfad) {
  return QStringLiteral(
             "Die Verbindung zum Messgerät an COM %1 (%2) wurde unterbrochen!\r\n"
             "Überprüfen Sie bitte Kabel und Messgerät und stellen Sie die Verbindung mit 'Verbinden' wieder her.")
      .arg(QString::number(comPort), pfad);
}

}  // namespace pv
