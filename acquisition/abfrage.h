#pragma once

#include <QByteArray>
#include <QChar>
#include <QString>
#include <cstdint>

namespace pv {

// Timer intervals of the connection, in whole milliseconds (a half rounds
// to even).

// The polling interval: the device's interval in seconds, at least `minimum`
// seconds (10 ms when connecting, 1 ms from the first poll on).
int abfrageintervallMs(float abfrageintervall, double minimum);

// How long a reply may take: ten bit times per character of the record at
// the baud rate of the settings text ("9600,n,8,1"), plus the set time-out,
// at most 60 s.
int antwortzeitMs(const QString& settings, int datenstringlaenge, float timeOutTime);

// The no-data watchdog's interval.
int zeitueberwachungMs(float timeOutTime);

// The simulated source: advances the phase and gives four copies of the
// record of 250 · sin(phase) in millivolts, each ended by CR. Device number 1
// of the old settings shapes the record differently.
QByteArray simulierteDatensaetze(double& phase, int16_t standardGeraetNr, QChar dezimaltrennzeichen);

// The message for a connection whose port went away: the COM number and the
// system port it named.
QString verbindungVerlorenText(int comPort, const QString& pfad);

inline const QString kZeitueberschreitungAnfrage =
    QStringLiteral("!! Zeitüberschreitung bei der Datenanforderung !!");
inline const QString kGeraetSendetNicht = QStringLiteral("!! Gerät sendet keine Daten !!");
inline const QString kUsbNichtGefunden = QStringLiteral("!! Das USB-Gerät wurde nicht gefunden !!");

}  // namespace pv
