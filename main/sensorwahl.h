#pragma once

#include <QString>
#include <functional>

namespace pv {

class Form1;

// The main window's sensor processing: the option "Sensor:" loads the
// characteristic of the file the settings name (Sensordatei), the button
// "ändern" opens the sensor editor, whose "Übernehmen/Ende" shows the
// sensor's name and chooses the option.
class Sensorwahl {
 public:
  explicit Sensorwahl(Form1& form);

  // The option became chosen (by the user or by the settings at start-up).
  // A file that cannot be read opens the sensor editor.
  void OptionFuehler_Click();
  // Shows the sensor editor modally.
  void CommandMessfuehlerAendern_Click();

  // Opens the editor with the main window's sensor label; true when a
  // characteristic was taken over. Tests replace it.
  std::function<bool(const QString& labelFuehler)> editorZeigen;

 private:
  Form1& f_;
  bool uebernehmen_ = false;  // the editor chooses the option: nothing to load
};

}  // namespace pv
