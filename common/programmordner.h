#pragma once

#include <QString>

namespace pv {

// The program folder: where the settings, the device and sensor files, the
// logs and the saves live.
//
// Chosen once at start-up, in this order:
//  1. the folder named by the environment variable PELVARON_HOME (created
//     when missing);
//  2. the executable's folder, when it is writable;
//  3. the user's application data folder; when that folder is created, the
//     files shipped beside the executable are copied into it.
// Tests set the folder directly with setzen().
class Programmordner {
 public:
  // Decides and sets the folder for this run; returns it.
  static QString bestimmen(const QString& exeOrdner, const QString& umgebung,
                           const QString& anwendungsdaten);
  // Decides from the running executable and the environment.
  static QString ausUmgebungBestimmen();
  // The user's application data folder (3. above), which may not exist yet.
  static QString anwendungsdaten();

  static void setzen(const QString& ordner);
  static QString pfad();
  // The path of a file in the program folder.
  static QString datei(const QString& name);

 private:
  static QString& ordner_();
};

}  // namespace pv
