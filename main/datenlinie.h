#pragma once

#include <QObject>
#include <QPoint>
#include <QSize>
#include <QVector>
#include <QWidget>
#include <array>
#include <cstdint>

class QTimer;

namespace pv {

class LEDs;
struct Form1Steuerelemente;

// The lamp styles and colours of the two rows of the data line for an
// animation style 0..7 (any other value looks like 0).
struct Datenlinienstil {
  int16_t pcStyle = 0;
  int16_t pcColor = 0;
  int16_t messgeraetStyle = 0;
  int16_t messgeraetColor = 0;
};
Datenlinienstil datenlinienstil(int16_t animationsart);
// The next style after `animationsart`: 7 is followed by 0.
int16_t naechsteAnimationsart(int16_t animationsart);

// Lays the data line out: both indicator lamps back to the plain look, then,
// with the animation on, the line shown with each row in its style's look
// (all off); with it off, the line hidden.
void DatenlinieAufbauen(Form1Steuerelemente& c, bool animation, int16_t animationsart);

// Where the data line's lamps go, in device pixels, for the sizes of the
// two rows' pictures: the lamps of a row touch, the PC row runs from the
// right end (lamp 0, next to the computer) to the left, the device row from
// the left end (next to the instrument) to the right, right below it.
struct Lampenplaetze {
  std::array<QPoint, 6> pc, messgeraet;
  QSize groesse;  // the area they cover
};
Lampenplaetze lampenplaetze(QSize pcLampe, QSize messgeraetLampe);

// The data line's picture: two rows of six lamps, which it draws itself at
// their places on whole device pixels (aufGeraetepixelnMalen), so that the
// lamps touch evenly at a fractional ratio too. The lamps are hidden
// controls that keep style, colour and state.
class Datenlinienbild : public QWidget {
  Q_OBJECT

 public:
  explicit Datenlinienbild(QWidget* parent = nullptr);
  const QVector<LEDs*>& pcReihe() const { return pc_; }
  const QVector<LEDs*>& messgeraetReihe() const { return messgeraet_; }
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* ereignis) override;

 private:
  Lampenplaetze plaetze() const;
  // Tells the layout of a new size: other pictures, another ratio.
  void groesseNachfuehren();
  QVector<LEDs*> pc_, messgeraet_;
  QSize groesse_;  // the size the layout was last told of
};

// The data line between the PC and the device pictures: switches its lamps
// one after another, 50 ms apart, on a timer. A sweep asked for while one
// runs is passed over.
class Datenlinie : public QObject {
  Q_OBJECT

 public:
  Datenlinie(QVector<LEDs*> lampen, QObject* parent = nullptr);
  void animieren(int16_t status);
  bool laeuft() const;

 private:
  void schritt();

  QVector<LEDs*> lampen_;
  QTimer* takt_;
  int naechste_ = 0;
  int16_t status_ = 0;
};

}  // namespace pv
