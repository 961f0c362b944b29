#pragma once

#include <QByteArray>
#include <QString>
#include <functional>

namespace pvtest {

// A pseudo-terminal pair standing in for an instrument's serial port: the
// program opens `slave()`, the test plays the instrument on the master side.
// The slave is put in raw mode, so bytes pass unchanged both ways.
class Pseudoterminal {
 public:
  Pseudoterminal();
  ~Pseudoterminal();
  Pseudoterminal(const Pseudoterminal&) = delete;
  Pseudoterminal& operator=(const Pseudoterminal&) = delete;

  bool ok() const { return !slave_.isEmpty(); }
  const QString& slave() const { return slave_; }

  // The instrument sends.
  void senden(const QByteArray& daten);
  // What the program sent so far and nobody read yet (non-blocking).
  QByteArray empfangen();
  // How many of the bytes the instrument sent the program has not read yet.
  int ungelesen() const;

 private:
  int master_ = -1;
  int slaveOffen_ = -1;  // keeps the slave side configured while the port is closed
  QString slave_;
};

// Runs the event loop until `bedingung` holds or `ms` passed; the result of
// the last check. The bound only guards against a hang: on a loaded machine
// what takes milliseconds alone may take seconds.
bool warteBis(const std::function<bool()>& bedingung, int ms = 60000);
// Runs the event loop for `ms`.
void ereignisseFuer(int ms);

}  // namespace pvtest
