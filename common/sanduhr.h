#pragma once

#include <QCoreApplication>
#include <QCursor>
#include <QGuiApplication>

namespace pv {

// The hourglass for as long as it lives: a long fill, scan or drawing under
// way. `aus` takes it away while a message waits for the user, `an` brings
// it back. Without a GUI (a plain core application) it does nothing.
class Sanduhr {
 public:
  Sanduhr() { an(); }
  ~Sanduhr() { aus(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;

  void an() {
    if (aktiv_ || !qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return;
    QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
    aktiv_ = true;
  }
  void aus() {
    if (!aktiv_) return;
    QGuiApplication::restoreOverrideCursor();
    aktiv_ = false;
  }

 private:
  bool aktiv_ = false;
};

}  // namespace pv
