#pragma once

#include <QPixmap>
#include <QWidget>

class QLabel;

namespace pv {

// The program's picture: the splash window and the about box show it.
// `breite` logical pixels wide, 420 x 240 in proportion, for a screen of the
// given device pixel ratio.
QPixmap startbild(int breite, qreal verhaeltnis);

// The splash window shown while the program starts: a picture, the version
// and "Programm wird initialisiert...". Esc or a click on "Abbrechen" ends
// the program at once. An ordinary top-level window, so that message boxes
// of the start-up stay above it.
class StartForm : public QWidget {
  Q_OBJECT

 public:
  explicit StartForm(const QString& version, QWidget* parent = nullptr);

  QLabel* Picture1 = nullptr;
  QLabel* lblVersion = nullptr;
  QLabel* Label4 = nullptr;  // "Programm wird initialisiert..."
  QLabel* Label2 = nullptr;  // "Abbrechen"

 signals:
  void abgebrochen();

 protected:
  void keyPressEvent(QKeyEvent* ereignis) override;
  bool eventFilter(QObject* objekt, QEvent* ereignis) override;
};

}  // namespace pv
