#pragma once

#include <QObject>
#include <QVector>
#include <cstdint>

class QTimer;

namespace pv {

class LEDs;

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
