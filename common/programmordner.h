#pragma once

#include <QString>

namespace pv {

// The program folder: where the settings, the device and sensor files, the
// logs and the saves live.
//
// Chosen once at start-up:
//  1. the folder named by the environment variable PELVARON_HOME (created
//     when missing), taken as it is;
//  2. else the user's application data folder (created when missing). The
//     shipped device files, sensor files and pictures beside the executable
//     that it lacks are copied into it; a file already there is never
//     replaced, so a rebuild or reinstall keeps what the user changed, and
//     one copied in before is not copied again, so a shipped device the
//     user deleted stays deleted (".mitgeliefert" lists them).
// The executable's folder itself is never the program folder: it belongs to
// the build or the installation, which may replace or delete it.
// Tests set the folder directly with setzen().
class Programmordner {
 public:
  // Decides and sets the folder for this run; returns it. `exeOrdner` holds
  // the shipped files.
  static QString bestimmen(const QString& exeOrdner, const QString& umgebung,
                           const QString& anwendungsdaten);
  // Decides from the running executable and the environment.
  static QString ausUmgebungBestimmen();
  // The user's application data folder (2. above), which may not exist yet.
  static QString anwendungsdaten();

  static void setzen(const QString& ordner);
  static QString pfad();
  // The path of a file in the program folder.
  static QString datei(const QString& name);

 private:
  static QString& ordner_();
};

}  // namespace pv
