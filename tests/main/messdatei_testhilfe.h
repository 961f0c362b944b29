#pragma once

#include <QByteArray>
#include <QString>
#include <QtEndian>
#include <gtest/gtest.h>
#include <initializer_list>

#include "common/textdatei.h"
#include "main/messdatei.h"

namespace pvtest {

inline QByteArray lies(const QString& pfad) {
  QByteArray b;
  EXPECT_TRUE(pv::dateiLesen(pfad, b)) << pfad.toStdString();
  return b;
}

// Builds binary files field by field (little endian).
struct Roh {
  QByteArray b;
  explicit Roh(const QByteArray& kopf = pv::kMessdateiKopf302) : b(kopf) {}
  template <typename T>
  Roh& zahl(T v) {
    char p[sizeof(T)];
    qToLittleEndian(v, p);
    b.append(p, sizeof(T));
    return *this;
  }
  Roh& i32(int32_t v) { return zahl(v); }
  Roh& i16(int16_t v) { return zahl(v); }
  Roh& text(const QByteArray& s) { return i32(static_cast<int32_t>(s.size())).roh(s); }
  Roh& leereTexte(int n) {
    while (n-- > 0) i32(0);
    return *this;
  }
  Roh& singles(std::initializer_list<float> werte) {
    for (float f : werte) zahl(f);
    return *this;
  }
  Roh& roh(const QByteArray& s) {
    b += s;
    return *this;
  }
};

}  // namespace pvtest
