#pragma once

#include <QByteArray>
#include <QString>
#include <chrono>
#include <functional>
#include <optional>

#include "acquisition/erfassungszustand.h"
#include "acquisition/zeilenfehler.h"

class QIODevice;

namespace pv {

// Event codes of the serial port: characters arrived, and the line errors.
inline constexpr int kEreignisEmpfang = 2;
inline constexpr int kFehlerBreak = 1001;
inline constexpr int kFehlerFrame = 1004;
inline constexpr int kFehlerUeberlauf = 1006;
inline constexpr int kFehlerPufferUeberlauf = 1008;
inline constexpr int kFehlerParitaet = 1009;

inline const QString kDatenabschlussFehlt = QStringLiteral("!!! Datenabschlusszeichen fehlt !!!");
inline const QString kUebertragungsfehler = QStringLiteral("!!! FEHLER bei der Datenübertragung !!!");

// What a line event means for the status line and the input: the status
// text (empty for events that are passed over) and whether one read of the
// input is thrown away.
struct Zeilenereignis {
  QString status;
  bool eingabeVerwerfen = false;
};
Zeilenereignis zeilenereignis(int code);

// The meters with the binary reply: turns the 14- or 22-byte reply into
// text. "0" means the reply holds no value; any other text carries the
// record in characters 1-10 and 13-17.
using Antwortwandlung = std::function<QByteArray(const QByteArray&)>;

// Our reading of that reply: DLE STX, command, payload length, the
// payload's display characters, check byte, DLE ETX. The short reply (14
// bytes) carries 7 characters, the value; the long one 15, the value in ten
// characters and the unit in five (the 22 bytes end with three zeros in
// place of its check byte and DLE ETX). The result has the value in
// characters 1-10, two spare and the unit (blanks when none) in 13-17. A
// reply without payload characters gives "0".
QByteArray binaerantwortWandeln(const QByteArray& antwort);

// Cuts the characters arriving on the serial port into records and hands
// each complete one on. Request mode collects one reply per request;
// continuous mode cuts the stream at the record's end mark. The buffer and
// the busy flag are the acquisition state's `DataCol` and `EmpfangAktiv`.
class Empfang {
 public:
  struct Ziel {
    std::function<void(const QByteArray&)> auswerten;  // one record
    std::function<void()> antwortzeitStoppen;          // the reply is complete
    std::function<void(const QString&)> status;        // status line
  };
  using Uhr = std::chrono::steady_clock;

  Empfang(Erfassungszustand& zustand, Ziel ziel);

  // One event of the port; reads from `quelle` what the event needs. The
  // port reports no line errors of its own: a receive event first raises the
  // line event of each error counter that rose since the last reading.
  void ereignis(int code, QIODevice& quelle, Uhr::time_point jetzt = Uhr::now());

  // The port's line error counters; unset, or none for a port that keeps
  // none, and no line error is reported.
  std::function<std::optional<Zeilenfehlerzaehler>()> zaehlerLesen;
  // The port was opened: the counters as they stand are the baseline; a
  // port that has none then is not read until it is opened again.
  void portGeoeffnet();

  // A new request is sent: a long binary reply still waited for is given up.
  void anfrageBeginnt() { binaerWarten_ = false; }

  Antwortwandlung wandlung = binaerantwortWandeln;
  // How long the rest of a long binary reply is waited for.
  std::chrono::milliseconds binaerFrist{3000};

 private:
  void empfangen(QIODevice& quelle, Uhr::time_point jetzt);
  void anfrageEmpfangen(QIODevice& quelle, Uhr::time_point jetzt);
  void fortlaufendEmpfangen(QIODevice& quelle);
  // The binary reply; nullopt-like empty+false while the long reply waits.
  bool binaerLesen(QIODevice& quelle, Uhr::time_point jetzt, QByteArray& datensatz);
  int endmarke() const;
  void abgeben(const QByteArray& datensatz);
  std::vector<int> neueZeilenfehlerLesen();

  Erfassungszustand& z_;
  Ziel ziel_;
  QByteArray binaer_;           // first 14 bytes of a long binary reply
  bool binaerWarten_ = false;
  Uhr::time_point binaerSeit_{};
  std::optional<Zeilenfehlerzaehler> zaehler_;  // the last reading; none: not read
};

// Continuous-mode framing: whether a piece cut at the record's end mark is a
// record to evaluate. Without the automatic format it must have the device's
// record length. With it, the display-segment meters need exactly 14 bytes,
// so a record caught in the middle is dropped rather than decoded into a
// wrong value; pieces of other automatic-format devices are all evaluated.
bool stueckAuswerten(qsizetype laenge, const Erfassungszustand& geraet);

}  // namespace pv
