#include "datenlinie.h"

#include <QTimer>

#include <array>

#include "common/leds.h"
#include "main/form1steuerelemente.h"

namespace pv {

namespace {
constexpr int kDatenlinieSchritt = 50;
}  // namespace

Datenlinienstil datenlinienstil(int16_t art) {
  // Styles of the PC row and the device row by animation style; the device
  // row's colour alternates with it.
  static constexpr std::array<std::array<int16_t, 2>, 8> kStile{
      {{0, 0}, {0, 0}, {1, 1}, {1, 1}, {2, 3}, {2, 3}, {4, 4}, {4, 4}}};
  if (art < 0 || art > 7) return {};
  return {kStile[art][0], 0, kStile[art][1], static_cast<int16_t>(art % 2)};
}

int16_t naechsteAnimationsart(int16_t art) { return static_cast<int16_t>((art + 1) & 7); }

void DatenlinieAufbauen(Form1Steuerelemente& c, bool animation, int16_t animationsart) {
  c.LEDPC->Init(0, 0, 0, true);
  c.LEDMessgeraet->Init(0, 0, 0, true);
  c.picAni->setVisible(animation);
  if (!animation) return;
  const Datenlinienstil stil = datenlinienstil(animationsart);
  // The rows are laid out by the window; each lamp takes its row's look, off.
  for (LEDs* lampe : c.LEDAniMessgeraet) lampe->Init(stil.messgeraetStyle, stil.messgeraetColor, 0, true);
  for (LEDs* lampe : c.LEDAniPC) lampe->Init(stil.pcStyle, stil.pcColor, 0, true);
}

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
