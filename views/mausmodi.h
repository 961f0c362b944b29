#pragma once

#include <QLineF>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

#include "views/grafikauswertung.h"
#include "views/grafiklogik.h"

// The three mouse modes of the graph window (zoom rectangle, cross-hair,
// integral between two clicks) as plain state and geometry: the window
// hands in the button and the pointer in the coordinates of the last
// drawing and shows the lines and the text that come back.
namespace pv {

// What lies over the graph's picture, in the coordinates of its drawing.
struct Ueberlagerung {
  bool rechteckSichtbar = false;  // the zoom rectangle LO, LL, LR, LU
  QRectF rechteck;                // from (x1, y1) to (x2, y2)
  bool zeigerSichtbar = false;    // the cross-hair ZeigerV, ZeigerH
  QLineF zeigerV;
  QLineF zeigerH;
  std::optional<QLineF> integralLinie;  // marker at the integral's start
  std::vector<QLineF> schraffur;        // the hatched area of the integral
};

enum class Mausmodus { Zoom, Koordinaten, Integral };

// Buttons as the handlers count them; a move may hold several.
inline constexpr int kMausLinks = 1;
inline constexpr int kMausRechts = 2;
inline constexpr int kMausMitte = 4;

// What a mouse event needs of the graph.
struct Mauskontext {
  const std::vector<float>* x = nullptr;
  const std::vector<float>* y = nullptr;
  int32_t m = 0;
  Ansicht gezeichnet;  // the range of the last complete drawing on the plot area
  float yMin = 0;      // the record's y range: the integral marker's length
  float yMax = 0;
  Zahlformat fx;  // the axis fields' formats
  Zahlformat fy;
  // The integral's text: the record's codes, the larger of its decimals and
  // the unit of the measured values.
  int16_t xCode = 10;
  int16_t yCode = 0;
  int16_t nachkommastellen = 0;
  QString einheit;
};

// What the window does after an event.
struct Mausergebnis {
  std::optional<QString> meldung;  // LabelMultiF's new text
  bool zoomen = false;             // draw the zoom rectangle as the new view
};

class Mausmodi {
 public:
  Mausmodus modus = Mausmodus::Koordinaten;
  bool einrasten = true;    // CheckMWRasten: the cross-hair snaps to values
  int16_t MaustasteOben = 1;  // 1: no button held
  bool EscGedrueckt = false;
  int16_t IntegralSchritt = 1;  // 1: awaits the start click, 2: start set
  int32_t IntegralVon = 0;
  int32_t IntegralBis = 0;
  Zoomrechteck zoom;  // x1 <= x2 and y2 <= y1 after every drag
  Ueberlagerung ueberlagerung;

  // A mode option chosen; with values the lines of the other modes go. True
  // when the automatic range boxes are to be unchecked (zoom mode).
  bool modusWaehlen(Mausmodus neu, int32_t m);
  Mausergebnis druecken(int taste, QPointF p, const Mauskontext& k);
  Mausergebnis bewegen(int tasten, QPointF p, const Mauskontext& k);
  Mausergebnis loslassen(int taste, const Mauskontext& k);
  // What the active mode has in progress ends as on a right press.
  Mausergebnis abbrechen(const Mauskontext& k) { return druecken(kMausRechts, {}, k); }

 private:
  Mausergebnis zoomDruecken(int taste, QPointF p, const Mauskontext& k);
  Mausergebnis zoomBewegen(int tasten, QPointF p, const Mauskontext& k);
  Mausergebnis zeigerSetzen(QPointF p, const Mauskontext& k);
  Mausergebnis integralDruecken(int taste, QPointF p, const Mauskontext& k);
  QString zoomText(const Mauskontext& k) const;
  void rechteckZeigen();
};

}  // namespace pv
