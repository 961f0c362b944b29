#pragma once

#include <QObject>
#include <QVector>
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
