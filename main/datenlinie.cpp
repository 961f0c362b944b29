#include "datenlinie.h"

#include <QPainter>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "common/bildschirmbild.h"
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
  // Each lamp takes its row's look, off; the line places them by their pictures.
  for (LEDs* lampe : c.LEDAniMessgeraet) lampe->Init(stil.messgeraetStyle, stil.messgeraetColor, 0, true);
  for (LEDs* lampe : c.LEDAniPC) lampe->Init(stil.pcStyle, stil.pcColor, 0, true);
}

Lampenplaetze lampenplaetze(QSize pc, QSize mg) {
  Lampenplaetze p;
  for (int i = 0; i < 6; ++i) {
    p.pc[i] = {(5 - i) * pc.width(), 0};
    p.messgeraet[i] = {i * mg.width(), pc.height()};
  }
  p.groesse = {6 * std::max(pc.width(), mg.width()), pc.height() + mg.height()};
  return p;
}

Datenlinienbild::Datenlinienbild(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
  for (QVector<LEDs*>* reihe : {&pc_, &messgeraet_}) {
    for (int i = 0; i < 6; ++i) {
      auto* lampe = new LEDs(this);
      lampe->Init(0, 0, 0, true);
      lampe->hide();
      connect(lampe, &LEDs::geaendert, this, [this] {
        groesseNachfuehren();
        update();
      });
      reihe->append(lampe);
    }
  }
  groesse_ = sizeHint();
}

void Datenlinienbild::groesseNachfuehren() {
  if (sizeHint() == groesse_) return;
  groesse_ = sizeHint();
  updateGeometry();
}

Lampenplaetze Datenlinienbild::plaetze() const {
  return lampenplaetze(pc_[0]->Bild().size(), messgeraet_[0]->Bild().size());
}

QSize Datenlinienbild::sizeHint() const {
  const qreal v = devicePixelRatioF();
  // One device pixel to spare where the origin may lie between two.
  const int rand = std::floor(v) == v ? 0 : 1;
  const QSize g = plaetze().groesse;
  const auto seite = [v, rand](int n) { return int(std::ceil((n + rand) / v - 1e-6)); };
  return {seite(g.width()), seite(g.height())};
}

void Datenlinienbild::paintEvent(QPaintEvent*) {
  QPainter maler(this);
  for (LEDs* lampe : pc_ + messgeraet_) lampe->BildFuerBildschirm();
  groesseNachfuehren();  // moved to a screen of another ratio
  const Lampenplaetze p = plaetze();
  for (int i = 0; i < 6; ++i) {
    aufGeraetepixelnMalen(maler, p.pc[i], pc_[i]->Bild());
    aufGeraetepixelnMalen(maler, p.messgeraet[i], messgeraet_[i]->Bild());
  }
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
