// Which system port each COM number names.
#include <gtest/gtest.h>

#include "acquisition/comports.h"

namespace {

using pv::Plattform;

QProcessEnvironment umgebung(std::initializer_list<std::pair<const char*, const char*>> werte) {
  QProcessEnvironment u;
  for (const auto& [name, wert] : werte) u.insert(QString::fromUtf8(name), QString::fromUtf8(wert));
  return u;
}

TEST(ComPorts, DefaultsAreFixedPerPlatform) {
  const QProcessEnvironment leer;
  EXPECT_EQ(pv::comPortPfad(1, leer, Plattform::Unix), QStringLiteral("/dev/ttyS0"));
  EXPECT_EQ(pv::comPortPfad(10, leer, Plattform::Unix), QStringLiteral("/dev/ttyS9"));
  EXPECT_EQ(pv::comPortPfad(1, leer, Plattform::Windows), QStringLiteral("COM1"));
  EXPECT_EQ(pv::comPortPfad(10, leer, Plattform::Windows), QStringLiteral("COM10"));
}

TEST(ComPorts, EnvironmentOverridesOnlyItsOwnNumber) {
  const auto u = umgebung({{"PELVARON_COM3", "/dev/ttyUSB0"},
                           {"PELVARON_COM1", "  "},  // blank: not set
                           {"PELVARON_COM4", " /dev/ttyACM0 "}});
  EXPECT_EQ(pv::comPortPfad(3, u, Plattform::Unix), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(pv::comPortPfad(3, u, Plattform::Windows), QStringLiteral("/dev/ttyUSB0"));
  EXPECT_EQ(pv::comPortPfad(4, u, Plattform::Unix), QStringLiteral("/dev/ttyACM0"));
  EXPECT_EQ(pv::comPortPfad(1, u, Plattform::Unix), QStringLiteral("/dev/ttyS0"));
  EXPECT_EQ(pv::comPortPfad(2, u, Plattform::Unix), QStringLiteral("/dev/ttyS1"));
  // COM30 is not COM3.
  EXPECT_EQ(pv::comPortPfad(30, umgebung({{"PELVARON_COM30", "/dev/x"}}), Plattform::Unix),
            QString());
}

TEST(ComPorts, NumbersOutsideTheMenuHaveNoPort) {
  const auto u = umgebung({{"PELVARON_COM0", "/dev/x"}, {"PELVARON_COM11", "/dev/y"}});
  for (int n : {0, -1, 11, 255}) EXPECT_TRUE(pv::comPortPfad(n, u, Plattform::Unix).isEmpty()) << n;
}

TEST(ComPorts, OverviewMarksChosenAndPresentPorts) {
  const auto u = umgebung({{"PELVARON_COM2", "/dev/ttyUSB0"}});
  const auto liste = pv::comPortUebersicht(
      u, {QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyS0"), QStringLiteral("/dev/ttyS3")},
      Plattform::Unix);
  ASSERT_EQ(liste.size(), 10u);
  EXPECT_EQ(liste[0], (pv::ComPortZuordnung{1, QStringLiteral("/dev/ttyS0"), false, true}));
  EXPECT_EQ(liste[1], (pv::ComPortZuordnung{2, QStringLiteral("/dev/ttyUSB0"), true, true}));
  EXPECT_EQ(liste[2], (pv::ComPortZuordnung{3, QStringLiteral("/dev/ttyS2"), false, false}));
  EXPECT_EQ(liste[9], (pv::ComPortZuordnung{10, QStringLiteral("/dev/ttyS9"), false, false}));
}

}  // namespace
