#pragma once

#include <QString>

namespace pv {

// The program folder: where the settings, the device and sensor files, the
// logs and the saves live.
//
// Chosen once at start-up: the folder named by the environment variable
// PELVARON_HOME (a relative name is taken from the folder the program was
// started from, as a path on the command line is), else the user's
// application data folder. It is created when missing, and the shipped
// device files, sensor files and pictures beside the executable that it
// lacks are copied into it; a file already there is never replaced, so a
// rebuild or reinstall keeps what the user changed, and one copied in
// before is not copied again, so a shipped device the user deleted stays
// deleted (".mitgeliefert" lists them).
// The executable's folder itself is never the program folder: it belongs to
// the build or the installation, which may replace or delete it.
// Tests set the folder directly with setzen().
class Programmordner {
 public:
  // Decides and sets the folder for this run; returns it. `exeOrdner` holds
  // the shipped files; `umgebung` is PELVARON_HOME, empty when unset.
  static QString bestimmen(const QString& exeOrdner, const QString& umgebung,
                           const QString& anwendungsdaten);
  // Decides from the running executable and the environment.
  static QString ausUmgebungBestimmen();
  // The user's application data folder, which may not exist yet: "Pelvaron"
  // in $XDG_DATA_HOME, or in ~/.local/share where that is unset or relative.
  // The home folder is $HOME, or the one the password database gives the
  // user where that is unset or relative, or "/nonexistent" (which never
  // exists) where neither gives one. Always absolute, whatever the current
  // folder.
  static QString anwendungsdaten();

  // Whether files can be put into `ordner` now: it is a folder, and one
  // takes a new file.
  static bool beschreibbar(const QString& ordner);
  // What the start says about a program folder that cannot be written;
  // empty where it can.
  static QString schreibwarnung(const QString& ordner);

  // The shared folder that keeps rescued values across a logout and a
  // reboot (/var/tmp; tests set another), and this user's folder in it,
  // "Pelvaron-<user id>", which may not exist.
  static QString rettungsbasis();
  static void rettungsbasisSetzen(const QString& ordner);
  static QString rettungsordner(const QString& basis = rettungsbasis());

  static void setzen(const QString& ordner);
  static QString pfad();
  // The path of a file in the program folder.
  static QString datei(const QString& name);

 private:
  static QString& ordner_();
  static QString& rettungsbasis_();
};

}  // namespace pv
