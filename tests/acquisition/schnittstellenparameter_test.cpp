// Serial settings texts: what is accepted, what is refused, and the refusal
// the device editor and the device selection rely on.
#include <gtest/gtest.h>

#include <QSerialPort>

#include "acquisition/schnittstellenparameter.h"
#include "common/laufzeitfehler.h"

namespace {

using pv::Schnittstellenparameter;
using pv::Stoppbits;

TEST(Schnittstellenparameter, ReadsValidTexts) {
  struct Fall {
    const char* name;
    const char* text;
    Schnittstellenparameter erwartet;
  };
  const Fall faelle[] = {
      {"the editor's usual text", "9600,n,8,1", {9600, u'n', 8, Stoppbits::Eins}},
      {"upper-case parity", "9600,N,8,1", {9600, u'n', 8, Stoppbits::Eins}},
      {"odd parity, 7 bits, 2 stop bits", "2400,o,7,2", {2400, u'o', 7, Stoppbits::Zwei}},
      {"even parity upper case", "19200,E,8,1", {19200, u'e', 8, Stoppbits::Eins}},
      {"mark parity", "1200,m,7,1", {1200, u'm', 7, Stoppbits::Eins}},
      {"space parity upper case", "1200,S,7,1", {1200, u's', 7, Stoppbits::Eins}},
      {"one and a half stop bits", "110,n,5,1.5", {110, u'n', 5, Stoppbits::EinsKommaFuenf}},
      {"4 data bits", "300,n,4,1", {300, u'n', 4, Stoppbits::Eins}},
      {"highest baud rate", "256000,n,8,1", {256000, u'n', 8, Stoppbits::Eins}},
      {"lowest baud rate", "1,n,8,1", {1, u'n', 8, Stoppbits::Eins}},
      {"non-standard baud rate", "14401,n,8,1", {14401, u'n', 8, Stoppbits::Eins}},
      {"leading zeros in the baud rate", "009600,n,8,1", {9600, u'n', 8, Stoppbits::Eins}},
  };
  for (const auto& f : faelle) {
    const auto p = pv::schnittstellenparameterLesen(QString::fromUtf8(f.text));
    ASSERT_TRUE(p.has_value()) << f.name;
    EXPECT_EQ(*p, f.erwartet) << f.name;
  }
}

TEST(Schnittstellenparameter, RefusesInvalidTexts) {
  struct Fall {
    const char* name;
    const char* text;
  };
  const Fall faelle[] = {
      {"empty", ""},
      {"USB is no serial setting", "USB"},
      {"three fields", "9600,n,8"},
      {"five fields", "9600,n,8,1,1"},
      {"baud 0", "0,n,8,1"},
      {"baud above 256000", "256001,n,8,1"},
      {"huge baud", "99999999999999,n,8,1"},
      {"negative baud", "-9600,n,8,1"},
      {"signed baud", "+9600,n,8,1"},
      {"baud with decimals", "9600.5,n,8,1"},
      {"empty baud", ",n,8,1"},
      {"unknown parity letter", "9600,x,8,1"},
      {"parity word", "9600,none,8,1"},
      {"empty parity", "9600,,8,1"},
      {"3 data bits", "9600,n,3,1"},
      {"9 data bits", "9600,n,9,1"},
      {"two-digit data bits", "9600,n,08,1"},
      {"stop bits 0", "9600,n,8,0"},
      {"stop bits 3", "9600,n,8,3"},
      {"stop bits with decimal comma", "9600,n,8,1,5"},
      {"stop bits 1.0", "9600,n,8,1.0"},
      {"blank after a comma", "9600, n,8,1"},
      {"blank at the end", "9600,n,8,1 "},
      {"semicolons", "9600;n;8;1"},
  };
  for (const auto& f : faelle) {
    EXPECT_FALSE(pv::schnittstellenparameterLesen(QString::fromUtf8(f.text)).has_value()) << f.name;
  }
}

TEST(Schnittstellenparameter, RefusalRaisesInvalidPropertyValue) {
  // Texts the port cannot use: unparsable ones and, on every platform, 4
  // data bits (no serial driver has that mode).
  for (const char* text : {"9600,x,8,1", "", "9600,n,4,1"}) {
    try {
      pv::einstellungenPruefen(QString::fromUtf8(text));
      ADD_FAILURE() << text << " was accepted";
    } catch (const pv::Laufzeitfehler& f) {
      EXPECT_EQ(f.nummer(), 380) << text;
      EXPECT_EQ(f.text(), QStringLiteral("Ungültiger Eigenschaftswert")) << text;
    }
  }
  EXPECT_EQ(pv::einstellungenPruefen(QStringLiteral("4800,E,7,2")),
            (Schnittstellenparameter{4800, u'e', 7, Stoppbits::Zwei}));
}

TEST(Schnittstellenparameter, UsbIsRecognisedInExactCaseOnly) {
  EXPECT_TRUE(pv::istUsbEinstellung(QStringLiteral("USB")));
  EXPECT_FALSE(pv::istUsbEinstellung(QStringLiteral("usb")));
  EXPECT_FALSE(pv::istUsbEinstellung(QStringLiteral("USB ")));
  EXPECT_FALSE(pv::istUsbEinstellung(QString()));
}

TEST(Schnittstellenparameter, TextRoundTrips) {
  for (const char* text : {"9600,n,8,1", "2400,o,7,2", "110,s,5,1.5"}) {
    const auto p = pv::schnittstellenparameterLesen(QString::fromUtf8(text));
    ASSERT_TRUE(p);
    EXPECT_EQ(pv::schnittstellenparameterText(*p), QString::fromUtf8(text));
  }
}

TEST(Schnittstellenparameter, AppliesToAClosedPortWithoutOpeningIt) {
  QSerialPort port;
  ASSERT_TRUE(pv::anwenden(port, {4800, u'o', 7, Stoppbits::Zwei}));
  EXPECT_FALSE(port.isOpen());
  EXPECT_EQ(port.baudRate(), 4800);
  EXPECT_EQ(port.parity(), QSerialPort::OddParity);
  EXPECT_EQ(port.dataBits(), QSerialPort::Data7);
  EXPECT_EQ(port.stopBits(), QSerialPort::TwoStop);

  // A value the port cannot take changes nothing.
  EXPECT_FALSE(pv::anwenden(port, {9600, u'n', 4, Stoppbits::Eins}));
  EXPECT_EQ(port.baudRate(), 4800);
  EXPECT_EQ(port.dataBits(), QSerialPort::Data7);
}

}  // namespace
