#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

namespace pv {

class Aufnahme;
class Form1;

// The recent-files list: captions "&1 path", "&2 path", ... Puts `datei` at
// the top: a path already listed (compared ignoring case; the last match
// counts) moves up in its new spelling, a new one pushes the others down,
// dropping the oldest when `anzahl` entries are listed.
QStringList letzteDateienVerwalten(const QStringList& beschriftungen, const QString& datei, int anzahl);
// The path of an entry: its caption after the first blank.
QString letzteDateiPfad(const QString& beschriftung);
// The entries as the settings file keeps them: one whose path Windows-1252
// or a settings line cannot hold (a control character) is left out (the
// menu keeps it for the run), and those after it move up, numbered anew.
QStringList letzteDateienSpeicherbar(const QStringList& beschriftungen);

// The "Datei" menu: open, save, save as, export and the recent files.
class Dateimenue : public QObject {
  Q_OBJECT

 public:
  Dateimenue(Form1& form, Aufnahme& aufnahme);

  void MMesOeff_Click();
  void MLetzte4_Click(int index);  // 1-based
  void MSpeichern_Click();
  // False when nothing was written (no values, cancelled, failed).
  bool MMesSpUn_Click();
  void MExport_Click();
  void LetzteDateienVerwalten(const QString& datei);
  // Reads a measurement file and shows it: the texts, the number of values,
  // start and end, the path; enters it in the recent files. The file's own
  // refusals and failures are reported by the reader.
  void MessungEinlesen(const QString& datei);
  // The path label's tool tip follows the mouse: the last file opened or
  // saved through a dialog or the recent files while tool tips are on,
  // none while they are off.
  void MessungLabel_MouseMove();

  // The path of the last dialog or recent entry; empty until then.
  QString AktuelleDatei;
  // Opens the export window; set by the program once the window exists.
  std::function<void()> exportOeffnen;

 protected:
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;

 private:
  bool vorOeffnenFragen();

  Form1& f_;
  Aufnahme& aufnahme_;
};

}  // namespace pv
