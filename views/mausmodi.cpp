#include "mausmodi.h"

#include <algorithm>
#include <cmath>

#include "common/allgemein.h"

namespace pv {

namespace {

// The first value strictly right of x; the last value when there is none.
int32_t naechsterRechts(const std::vector<float>& x, int32_t m, float wert) {
  const auto ende = x.begin() + 1 + m;
  const auto it = std::upper_bound(x.begin() + 1, ende, wert);
  return it == ende ? m : static_cast<int32_t>(it - x.begin());
}

}  // namespace

bool Mausmodi::modusWaehlen(Mausmodus neu, int32_t m) {
  modus = neu;
  if (m <= 0) return false;
  Ueberlagerung& u = ueberlagerung;
  switch (neu) {
    case Mausmodus::Zoom:
      u.integralLinie.reset();
      u.schraffur.clear();
      u.zeigerSichtbar = false;
      return true;
    case Mausmodus::Koordinaten:
      u.integralLinie.reset();
      u.schraffur.clear();
      u.rechteckSichtbar = false;
      return false;
    case Mausmodus::Integral:
      IntegralSchritt = 1;
      u.zeigerSichtbar = false;
      u.rechteckSichtbar = false;
      return false;
  }
  return false;
}

Mausergebnis Mausmodi::druecken(int taste, QPointF p, const Mauskontext& k) {
  if (k.m <= 0) return {};
  switch (modus) {
    case Mausmodus::Zoom:
      return zoomDruecken(taste, p, k);
    case Mausmodus::Koordinaten:
      if (taste == kMausRechts) {
        ueberlagerung.zeigerSichtbar = false;
        return {QString()};
      }
      if (taste == kMausLinks) {
        ueberlagerung.zeigerSichtbar = true;
        MaustasteOben = 0;
      }
      // The middle button places the cross-hair without showing it.
      return zeigerSetzen(p, k);
    case Mausmodus::Integral:
      return integralDruecken(taste, p, k);
  }
  return {};
}

Mausergebnis Mausmodi::bewegen(int tasten, QPointF p, const Mauskontext& k) {
  if (k.m <= 0) return {};
  if (modus == Mausmodus::Zoom) return zoomBewegen(tasten, p, k);
  if (modus == Mausmodus::Koordinaten && MaustasteOben == 0 && ueberlagerung.zeigerSichtbar)
    return zeigerSetzen(p, k);
  return {};
}

Mausergebnis Mausmodi::loslassen(int taste, const Mauskontext& k) {
  MaustasteOben = 1;
  if (EscGedrueckt) return abbrechen(k);
  Mausergebnis e;
  e.zoomen = modus == Mausmodus::Zoom && taste == kMausLinks;
  return e;
}

Mausergebnis Mausmodi::zoomDruecken(int taste, QPointF p, const Mauskontext& k) {
  ueberlagerung.zeigerSichtbar = false;
  if (taste == kMausLinks) {
    zoom.x1 = zoom.x2 = static_cast<float>(p.x());
    zoom.y1 = zoom.y2 = static_cast<float>(p.y());
    MaustasteOben = 0;
    rechteckZeigen();
    return {zoomText(k)};
  }
  if (taste == kMausRechts) {
    ueberlagerung.rechteckSichtbar = false;
    return {QString()};
  }
  return {};
}

Mausergebnis Mausmodi::zoomBewegen(int tasten, QPointF p, const Mauskontext& k) {
  const auto px = static_cast<float>(p.x());
  const auto py = static_cast<float>(p.y());
  if (tasten == kMausLinks) {
    // The rectangle grows to the right of and below its start corner,
    // whichever way the pointer goes.
    zoom.x2 = zoom.x1 + std::fabs(zoom.x1 - px);
    zoom.y2 = zoom.y1 - std::fabs(zoom.y1 - py);
  } else if (tasten == (kMausLinks | kMausRechts)) {
    // Both buttons move the whole rectangle with its far corner on the pointer.
    const float dx = px - zoom.x2;
    const float dy = py - zoom.y2;
    zoom = {zoom.x1 + dx, zoom.x2 + dx, zoom.y1 + dy, zoom.y2 + dy};
  } else {
    return {};
  }
  rechteckZeigen();
  return {zoomText(k)};
}

void Mausmodi::rechteckZeigen() {
  ueberlagerung.rechteckSichtbar = true;
  ueberlagerung.rechteck = QRectF(QPointF(zoom.x1, zoom.y1), QPointF(zoom.x2, zoom.y2));
}

QString Mausmodi::zoomText(const Mauskontext& k) const {
  return QStringLiteral("Zoom-Bereich: (x1;y1)-(x2;y2) = (") + formatiert(zoom.x1, k.fx) + QStringLiteral("; ") +
         formatiert(zoom.y1, k.fy) + QStringLiteral(") - (") + formatiert(zoom.x2, k.fx) + QStringLiteral("; ") +
         formatiert(zoom.y2, k.fy) + u')';
}

Mausergebnis Mausmodi::zeigerSetzen(QPointF p, const Mauskontext& k) {
  const Ansicht& g = k.gezeichnet;
  float px = static_cast<float>(p.x());
  float py = static_cast<float>(p.y());
  Ueberlagerung& u = ueberlagerung;
  if (einrasten) {
    // The next value right of the pointer; right of the last one, the last.
    const int32_t i = naechsterRechts(*k.x, k.m, px);
    px = (*k.x)[i];
    py = (*k.y)[i];
    u.zeigerV = QLineF(px, g.YMin, px, g.YMax);
    u.zeigerH = QLineF(g.XMin, py, g.XMax, py);
  } else {
    // Across the drawn range, and on to the pointer when it lies outside.
    u.zeigerV = QLineF(px, Tolvek::Minimum(g.YMin, py), px, Tolvek::Maximum(g.YMax, py));
    u.zeigerH = QLineF(Tolvek::Minimum(g.XMin, px), py, Tolvek::Maximum(g.XMax, px), py);
  }
  return {QStringLiteral("Koordinaten: (x;y) = (") + formatiert(px, k.fx) + QStringLiteral("; ") +
          formatiert(py, k.fy) + u')'};
}

Mausergebnis Mausmodi::integralDruecken(int taste, QPointF p, const Mauskontext& k) {
  Ueberlagerung& u = ueberlagerung;
  u.schraffur.clear();
  if (taste != kMausLinks) {
    IntegralSchritt = 1;
    u.integralLinie.reset();
    return {QString()};
  }
  const std::vector<float>& x = *k.x;
  const std::vector<float>& y = *k.y;
  const auto px = static_cast<float>(p.x());
  const auto anfang = x.begin() + 1;
  const auto ende = anfang + k.m;
  if (IntegralSchritt == 1) {
    // A start right of the last value has nothing to integrate.
    const auto it = std::lower_bound(anfang, ende, px);
    if (it == ende) return {};
    IntegralVon = static_cast<int32_t>(it - x.begin());
    IntegralSchritt = 2;
    const float xv = x[IntegralVon];
    u.integralLinie = QLineF(xv, k.yMin, xv, k.yMax);
    return {};
  }
  IntegralBis = static_cast<int32_t>(std::upper_bound(anfang, ende, px) - x.begin()) - 1;
  if (IntegralVon > IntegralBis) return {};
  u.schraffur.reserve(static_cast<size_t>(IntegralBis - IntegralVon) + 1);
  for (int32_t i = IntegralVon; i <= IntegralBis; ++i) {
    // From the zero line, or from the view's edge nearest to it.
    const float basis = y[i] > 0 ? Tolvek::Maximum(k.yMin, 0) : Tolvek::Minimum(k.yMax, 0);
    u.schraffur.emplace_back(x[i], basis, x[i], y[i]);
  }
  const float summe = integral(x, y, IntegralVon, IntegralBis);
  return {integralText(summe, k.xCode, k.yCode, k.nachkommastellen, k.einheit, k.fy.dezimaltrennzeichen,
                       k.fy.messStart)};
}

}  // namespace pv
