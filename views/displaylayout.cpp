#include "displaylayout.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>

#include "acquisition/erfassungszustand.h"
#include "acquisition/geraeteauswahl.h"

namespace pv {

namespace {

// The design is kept in twips; the screen has 15 twips to a pixel.
constexpr int px(int twips) { return twips / 15; }
QRect entwurf(int links, int oben, int breite, int hoehe) {
  return {px(links), px(oben), px(breite), px(hoehe)};
}

constexpr int kNameLinks = px(120);
constexpr int kNameOben = px(120);
constexpr int kNameHoehe = px(645);
constexpr int kPanelLinks = px(240);
constexpr int kPanelOben = px(960);
constexpr int kWertOben = px(1320);
constexpr int kWertEinzug = px(600 - 240);  // value box inside the panel
constexpr int kLeisteLinks = px(120);
constexpr int kRand = px(120);
// Panel, value and unit boxes keep the designed proportions.
constexpr double kPanelHoeheZuBreite = 3495.0 / 7215.0;
constexpr double kWertHoeheZuBreite = 1935.0 / 6495.0;
constexpr double kEinheitZuPanel = 3000.0 / 7215.0;
constexpr double kEinheitHoeheZuBreite = 735.0 / 2175.0;

// Sizes are found from one measurement at this size, scaled.
constexpr double kMessgroesse = 100.0;

const QString kZeichenbreite = QStringLiteral("0");

QFontMetricsF massBei(QFont schrift, double groesse) {
  schrift.setPointSizeF(groesse);
  return QFontMetricsF(schrift);
}

// The size at which `breite` x `hoehe` (measured at kMessgroesse) fits the
// box; `bisher` when nothing can be measured.
double passend(QSize box, double breite, double hoehe, double bisher) {
  if (breite <= 0 || hoehe <= 0 || box.isEmpty()) return bisher;
  return kMessgroesse * std::min(box.width() / breite, box.height() / hoehe);
}

}  // namespace

QSize displayMindestgroesse() { return {px(9105) - 8, px(7080) - 30}; }

Displaygeometrie displayEntwurf() {
  return {entwurf(120, 120, 7455, 645),  entwurf(240, 960, 7215, 3495),  entwurf(600, 1320, 6495, 1935),
          entwurf(840, 3480, 3135, 735), entwurf(4200, 3480, 3015, 735), entwurf(120, 4560, 8775, 1215)};
}

Leistengeometrie displayLeiste(int breite) {
  Leistengeometrie l;
  l.messgeraet = entwurf(120, 270, 2415, 195);
  l.messwert = entwurf(2640, 270, 4215, 195);
  constexpr std::array<int, 5> stilLinks = {1080, 2040, 3000, 3960, 120};
  for (size_t i = 0; i < l.stil.size(); ++i) l.stil[i] = entwurf(stilLinks[i], 600, 855, 495);
  l.schrift = entwurf(4920, 480, 1815, 615);
  l.fett = entwurf(120, 240, 735, 255);
  l.digital = entwurf(840, 240, 855, 255);
  l.hintergrund = entwurf(6840, 480, 1815, 615);
  l.hell = entwurf(120, 240, 615, 255);
  l.dunkel = entwurf(840, 240, 855, 255);
  l.aus = entwurf(0, 180, 1095, 255);
  l.aus.moveLeft(breite - l.aus.width() - kRand);
  return l;
}

Displaygeometrie displayLayout(QSize innen, int leistenhoehe) {
  Displaygeometrie g;
  const int b = innen.width();
  const int h = innen.height();
  g.name = QRect(kNameLinks, kNameOben, std::max(1, b - 2 * kNameLinks), kNameHoehe);
  g.leiste = QRect(kLeisteLinks, h - leistenhoehe - kRand, std::max(1, b - 2 * kLeisteLinks), leistenhoehe);

  int panelBreite = std::max(1, b - 2 * kPanelLinks);
  const int platz = g.leiste.top() - kRand - kPanelOben;  // height left for the panel
  if (panelBreite * kPanelHoeheZuBreite > platz)
    panelBreite = std::max(1, static_cast<int>(platz / kPanelHoeheZuBreite));
  const int panelHoehe = static_cast<int>(std::lround(panelBreite * kPanelHoeheZuBreite));
  g.panel = QRect((b - panelBreite) / 2, kPanelOben, panelBreite, panelHoehe);

  const int wertBreite = std::max(1, panelBreite - 2 * kWertEinzug);
  const int wertHoehe = static_cast<int>(std::lround(wertBreite * kWertHoeheZuBreite));
  g.wert = QRect((b - wertBreite) / 2, kWertOben - kPanelOben + g.panel.top(), wertBreite, wertHoehe);

  const int einheitBreite = static_cast<int>(std::lround(panelBreite * kEinheitZuPanel));
  const int einheitHoehe = static_cast<int>(std::lround(einheitBreite * kEinheitHoeheZuBreite));
  // Centred in the gap between the value box and the panel's bottom.
  const int einheitOben = (g.wert.top() + g.wert.height() + g.panel.top() + g.panel.height() - einheitHoehe) / 2;
  const auto einheitLinks = [&](double anteil) {
    return static_cast<int>(std::lround(g.panel.left() + panelBreite * anteil - einheitBreite * 0.5));
  };
  g.einheit1 = QRect(einheitLinks(0.25), einheitOben, einheitBreite, einheitHoehe);
  g.einheit2 = QRect(einheitLinks(0.75), einheitOben, einheitBreite, einheitHoehe);
  return g;
}

int wertZeichenzahl(const Erfassungszustand& geraet) {
  const int feld = geraet.Messwertende - geraet.Messwertbeginn + 1;
  return (geraet.Messwertbeginn > 0 && feld > 0 ? feld : 6) + 1;
}

double wertSchriftgroesse(const QFont& schrift, QSize box, int zeichen) {
  const QFontMetricsF m = massBei(schrift, kMessgroesse);
  return passend(box, m.horizontalAdvance(kZeichenbreite) * std::max(zeichen, 1), m.height(), schrift.pointSizeF());
}

double nameSchriftgroesse(const QFont& schrift, QSize box, const QString& text, double bisher) {
  if (text.isEmpty()) return bisher;
  const QFontMetricsF m = massBei(schrift, kMessgroesse);
  return passend(box, m.horizontalAdvance(text), m.height(), bisher);
}

std::array<double, 2> einheitSchriftgroessen(const std::array<QFont, 2>& schriften, const std::array<QSize, 2>& boxen,
                                             const std::array<int16_t, 2>& einheit1Pos,
                                             const std::array<int16_t, 2>& einheit2Pos) {
  const std::array<std::array<int16_t, 2>, 2> pos = {einheit1Pos, einheit2Pos};
  std::array<EinheitLabelMass, 2> mass;
  for (size_t i = 0; i < 2; ++i) {
    const QFontMetricsF m(schriften[i]);
    mass[i] = {schriften[i].pointSizeF(), static_cast<double>(boxen[i].width()),
               static_cast<double>(boxen[i].height()), m.horizontalAdvance(einheitBreitenText(pos[i])),
               m.height()};
  }
  return einheitenSchriftgroessen(pos[0], pos[1], mass[0], mass[1]);
}

Textplatz wertPlatzieren(const QFont& schrift, QSize box, const QString& text, Ausrichtung ausrichtung) {
  Textplatz p{schrift.pointSizeF(), 0};
  double breite = QFontMetricsF(schrift).horizontalAdvance(text);
  if (breite > box.width() && breite > 0) {
    p.groesse *= box.width() / breite;
    breite = massBei(schrift, p.groesse).horizontalAdvance(text);
  }
  switch (ausrichtung) {
    case Ausrichtung::Links: p.x = 0; break;
    case Ausrichtung::Rechts: p.x = box.width() - breite; break;
    case Ausrichtung::Mitte: p.x = (box.width() - breite) / 2; break;
  }
  p.x = std::max(0.0, p.x);
  return p;
}

Textplatz einheitPlatzieren(const QFont& schrift, QSize box, const QString& text) {
  Textplatz p{schrift.pointSizeF(), 0};
  const QFontMetricsF m(schrift);
  double breite = m.horizontalAdvance(text);
  if ((breite > box.width() || m.height() > box.height()) && breite > 0) {
    p.groesse *= std::min(box.width() / breite, box.height() / m.height());
    breite = massBei(schrift, p.groesse).horizontalAdvance(text);
  }
  p.x = (box.width() - breite) / 2;
  return p;
}

const Displaystil* displayStil(int16_t index) {
  static const Displaystil stile[] = {
      {QColor(192, 192, 192), QColor(0, 0, 0), QStringLiteral("LCD")},
      {QColor(0, 0, 64), QColor(0, 0, 255), QStringLiteral("LED")},
      {QColor(0, 0, 64), QColor(0, 255, 0), QStringLiteral("LED")},
      {QColor(0, 0, 64), QColor(255, 0, 0), QStringLiteral("LED")},
      {QColor(255, 255, 255), QColor(0, 0, 0), QStringLiteral("LCD")},
  };
  if (index < 0 || index > 4) return nullptr;
  return &stile[index];
}

Displayhintergrund displayHintergrund(bool hell) {
  if (hell) return {QColor(236, 233, 216), QColor(0, 0, 0), QColor(0, 0, 0), true};
  return {QColor(0, 0, 0), QColor(255, 255, 255), QColor(128, 128, 128), false};
}

}  // namespace pv
