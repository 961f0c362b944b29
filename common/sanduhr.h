#pragma once

#include <QApplication>

namespace pv {

// The hourglass for as long as it lives: a long fill or drawing under way.
class Sanduhr {
 public:
  Sanduhr() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~Sanduhr() { QApplication::restoreOverrideCursor(); }
  Sanduhr(const Sanduhr&) = delete;
  Sanduhr& operator=(const Sanduhr&) = delete;
};

}  // namespace pv
