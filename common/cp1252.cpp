#include "cp1252.h"

#include <array>

namespace pv {
namespace {

// Code points of the bytes 0x80..0x9F; the rest of the code page equals Latin-1.
constexpr std::array<char16_t, 32> kOberhalb80 = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

// The byte of a character; -1 when the code page has none.
int zeichenZuByte(char16_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return c;
  for (size_t i = 0; i < kOberhalb80.size(); ++i) {
    if (kOberhalb80[i] == c) return static_cast<int>(0x80 + i);
  }
  return -1;
}

}  // namespace

QChar cp1252Zeichen(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  return (b >= 0x80 && b < 0xA0) ? QChar(kOberhalb80[b - 0x80]) : QChar(b);
}

QString vonCp1252(const char* bytes, qsizetype anzahl) {
  if (anzahl <= 0) return QString();
  QString text(anzahl, Qt::Uninitialized);
  QChar* ziel = text.data();
  for (qsizetype i = 0; i < anzahl; ++i) ziel[i] = cp1252Zeichen(bytes[i]);
  return text;
}

QString vonCp1252(const QByteArray& bytes) { return vonCp1252(bytes.constData(), bytes.size()); }

QByteArray zuCp1252(const QString& text) {
  QByteArray bytes;
  bytes.resize(text.size());
  for (qsizetype i = 0; i < text.size(); ++i) {
    const int b = zeichenZuByte(text[i].unicode());
    bytes[i] = static_cast<char>(b < 0 ? '?' : b);
  }
  return bytes;
}

bool istCp1252(const QString& text) {
  for (QChar c : text) {
    if (zeichenZuByte(c.unicode()) < 0) return false;
  }
  return true;
}

}  // namespace pv
