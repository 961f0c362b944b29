#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;

namespace pv {

class FreeLink;

// The texts the about box fills in from a version "major.minor.revision"
// (missing parts count as 0; numbers are shown without leading zeros).
struct Infotexte {
  QString titel;    // "Pelvaron Version 3.1"
  QString version;  // "3.1.0"
};
Infotexte infotexte(const QString& version);

// The about box "Info": program, version, description, the web site and
// the mail address as links, and "OK".
class frmInfo : public QDialog {
  Q_OBJECT

 public:
  explicit frmInfo(const QString& version, QWidget* eltern = nullptr);

  QLabel* lblTitel = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* lblDescription = nullptr;
  FreeLink* FreeLinkInternet = nullptr;
  FreeLink* FreeLinkMail = nullptr;
  QPushButton* cmdOK = nullptr;
};

}  // namespace pv
