// The serial port class on a real terminal device: a pseudo-terminal stands
// in for the instrument's port, and the terminal settings the kernel holds
// show what the parsed settings did.
#include <gtest/gtest.h>

#if defined(__unix__)

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <QSerialPort>

#include "acquisition/schnittstellenparameter.h"
#include "acquisition/seriellerport.h"
#include "common/laufzeitfehler.h"
#include "support/pseudoterminal.h"

namespace {

using Pty = pvtest::Pseudoterminal;

struct Termios {
  speed_t speed;
  tcflag_t groesse;
  bool paritaet, ungerade, zweiStopp;
};

Termios lesen(int fd) {
  termios t{};
  EXPECT_EQ(tcgetattr(fd, &t), 0);
  return {cfgetospeed(&t), t.c_cflag & CSIZE, (t.c_cflag & PARENB) != 0,
          (t.c_cflag & PARODD) != 0, (t.c_cflag & CSTOPB) != 0};
}

// Pseudo-terminals keep 8 data bits without parity (the kernel refuses other
// sizes and parity there), so these tests vary baud rate and stop bits; the
// refusal itself shows that a port refusing a value is rolled back.
TEST(SeriellerPortPty, ParsedSettingsReachTheTerminal) {
  Pty pty;
  ASSERT_TRUE(pty.ok()) << "no pseudo-terminal available";

  QSerialPort port;
  port.setPortName(pty.slave());
  ASSERT_TRUE(port.open(QIODevice::ReadWrite)) << port.errorString().toStdString();
  ASSERT_TRUE(pv::anwenden(port, pv::einstellungenPruefen(QStringLiteral("4800,N,8,2"))));
  auto t = lesen(port.handle());
  EXPECT_EQ(t.speed, speed_t(B4800));
  EXPECT_EQ(t.groesse, tcflag_t(CS8));
  EXPECT_FALSE(t.paritaet);
  EXPECT_TRUE(t.zweiStopp);

  ASSERT_TRUE(pv::anwenden(port, *pv::schnittstellenparameterLesen(QStringLiteral("19200,n,8,1"))));
  t = lesen(port.handle());
  EXPECT_EQ(t.speed, speed_t(B19200));
  EXPECT_FALSE(t.zweiStopp);
  EXPECT_TRUE(port.isOpen());
  port.close();
}

TEST(SeriellerPortPty, OpensTheMappedPortWithItsSettings) {
  Pty pty;
  ASSERT_TRUE(pty.ok()) << "no pseudo-terminal available";
  QProcessEnvironment umgebung;
  umgebung.insert(QStringLiteral("PELVARON_COM3"), pty.slave());

  pv::SeriellerPort port(umgebung);
  port.setCommPort(3);
  EXPECT_EQ(port.pfad(), pty.slave());
  port.setSettings(QStringLiteral("2400,n,8,2"));
  port.setDTREnable(true);
  port.setRTSEnable(true);
  port.setPortOpen(true);  // a pty has no modem lines: passed over
  ASSERT_TRUE(port.PortOpen());
  auto t = lesen(port.port().handle());
  EXPECT_EQ(t.speed, speed_t(B2400));
  EXPECT_TRUE(t.zweiStopp);

  // Settings changed while open apply at once.
  port.setSettings(QStringLiteral("9600,n,8,1"));
  t = lesen(port.port().handle());
  EXPECT_EQ(t.speed, speed_t(B9600));
  EXPECT_FALSE(t.zweiStopp);

  // A text that does not parse changes nothing.
  EXPECT_THROW(port.setSettings(QStringLiteral("1200,q,8,1")), pv::Laufzeitfehler);
  EXPECT_EQ(port.Settings(), QStringLiteral("9600,n,8,1"));
  EXPECT_EQ(lesen(port.port().handle()).speed, speed_t(B9600));

  // Parity and 7 bits: this kernel's ptys refuse them after the baud rate
  // was taken, and the port is rolled back; where a pty takes them, the
  // terminal must hold all of them. Either way Settings() tells the truth.
  try {
    port.setSettings(QStringLiteral("1200,e,7,2"));
    EXPECT_EQ(port.Settings(), QStringLiteral("1200,e,7,2"));
    t = lesen(port.port().handle());
    EXPECT_EQ(t.speed, speed_t(B1200));
    EXPECT_EQ(t.groesse, tcflag_t(CS7));
    EXPECT_TRUE(t.paritaet);
    EXPECT_TRUE(t.zweiStopp);
  } catch (const pv::Laufzeitfehler& f) {
    EXPECT_EQ(f.nummer(), 380);
    EXPECT_EQ(port.Settings(), QStringLiteral("9600,n,8,1"));
    t = lesen(port.port().handle());
    EXPECT_EQ(t.speed, speed_t(B9600));
    EXPECT_FALSE(t.zweiStopp);
  }

  // The port cannot change while open, nor be opened twice.
  try {
    port.setCommPort(4);
    ADD_FAILURE() << "COM port changed while open";
  } catch (const pv::Laufzeitfehler& f) {
    EXPECT_EQ(f.nummer(), pv::SeriellerPort::kPortBereitsGeoeffnet);
  }
  EXPECT_THROW(port.setPortOpen(true), pv::Laufzeitfehler);
  port.setPortOpen(false);
  EXPECT_FALSE(port.PortOpen());
}

TEST(SeriellerPort, MissingPortAndInvalidNumbersAreRefused) {
  QProcessEnvironment umgebung;
  umgebung.insert(QStringLiteral("PELVARON_COM2"), QStringLiteral("/dev/pelvaron-gibt-es-nicht"));
  pv::SeriellerPort port(umgebung);
  port.setCommPort(2);
  try {
    port.setPortOpen(true);
    ADD_FAILURE() << "a missing port opened";
  } catch (const pv::Laufzeitfehler& f) {
    EXPECT_EQ(f.nummer(), pv::SeriellerPort::kUngueltigePortnummer);
  }
  EXPECT_FALSE(port.PortOpen());
  for (int16_t n : {0, 11}) {
    EXPECT_THROW(port.setCommPort(n), pv::Laufzeitfehler) << n;
  }
  EXPECT_EQ(port.CommPort(), 2);
  EXPECT_THROW(port.setInputMode(2), pv::Laufzeitfehler);
}

}  // namespace

#endif  // __unix__
