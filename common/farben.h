#pragma once

#include <QColor>
#include <cstdint>

namespace pv {

// Colours are kept as the stored files hold them: 0x00BBGGRR integers.
inline QColor farbe(uint32_t bgr) {
  return QColor(int(bgr & 0xFF), int((bgr >> 8) & 0xFF), int((bgr >> 16) & 0xFF));
}

inline uint32_t bgrWert(const QColor& c) {
  return uint32_t(c.red()) | (uint32_t(c.green()) << 8) | (uint32_t(c.blue()) << 16);
}

}  // namespace pv
