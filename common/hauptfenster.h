#pragma once

namespace pv {

// What the common services need of the main window. The main window
// implements it; tests use a fake.
class Hauptfenster {
 public:
  virtual ~Hauptfenster() = default;
  // The program's exit procedure. It may refuse (a recording still runs, or
  // the user keeps an unsaved measurement) and then simply returns.
  virtual void ProgrammBeenden() = 0;
  // Ends the program at once, without any box and without writing the
  // settings; a recording's values not saved yet go to the safety file
  // first. Does nothing once the program has ended.
  virtual void SofortBeenden() = 0;
};

}  // namespace pv
