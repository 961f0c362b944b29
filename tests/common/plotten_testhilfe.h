// What the graph tests draw with: measurement arrays and a graph record.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "common/plotten.h"

namespace pvtest {

// 1-based arrays as the measurement holds them.
inline std::vector<float> reihe(std::initializer_list<float> werte) {
  std::vector<float> v{0.0f};
  v.insert(v.end(), werte);
  return v;
}

inline constexpr uint32_t kKurve = 0x0000FF;  // red as 0x00BBGGRR

inline pv::GrafikEinstellungen einstellungen() {
  pv::GrafikEinstellungen e;
  e.Titel = QStringLiteral("Temperatur");
  e.XTitel = QStringLiteral("Zeit");
  e.YTitel = QStringLiteral("Wert");
  e.FarbeHintergrund = 0xC0C0C0;
  e.FarbeZeichnungsflaeche = 0xFFFFFF;
  e.FarbeTextLinien = 0x000000;
  e.FarbeMesskurve = kKurve;
  e.MesswerteVerbunden = 1;
  e.Liniendicke = 1;
  e.GitterX = e.GitterY = true;
  e.Schrittweite = 1;
  return e;
}

}  // namespace pvtest
