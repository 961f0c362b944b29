#include "datenlinie.h"

#include <QTimer>

#include "common/leds.h"

namespace pv {

namespace {
constexpr int kDatenlinieSchritt = 50;
}  // namespace

Datenlinie::Datenlinie(QVector<LEDs*> lampen, QObject* parent)
    : QObject(parent), lampen_(std::move(lampen)), takt_(new QTimer(this)) {
  takt_->setInterval(kDatenlinieSchritt);
  connect(takt_, &QTimer::timeout, this, &Datenlinie::schritt);
}

bool Datenlinie::laeuft() const { return takt_->isActive(); }

void Datenlinie::animieren(int16_t status) {
  if (laeuft() && status == status_) return;
  // Another state asked for (switching off while the row lights up) wins.
  takt_->stop();
  status_ = status;
  naechste_ = 0;
  schritt();
}

void Datenlinie::schritt() {
  // Lamps already in the state are passed without waiting.
  const auto weiter = [this] {
    while (naechste_ < lampen_.size() && lampen_[naechste_]->Status() == status_) ++naechste_;
  };
  weiter();
  if (naechste_ < lampen_.size()) lampen_[naechste_++]->StatusSetzen(status_);
  weiter();
  if (naechste_ >= lampen_.size()) {
    takt_->stop();
  } else if (!takt_->isActive()) {
    takt_->start();
  }
}

}  // namespace pv
