// Values and times as text by number format code, and read back.
#include <QDateTime>
#include <cmath>
#include <gtest/gtest.h>

#include "common/tolvek.h"
#include "common/zahlen.h"
#include "common/zahlenformat.h"

namespace {

const QString kMikro = QStringLiteral("\u00B5");

// The tables write numbers with ","; every row also runs with "." as the
// separator, the expected text changed alike (date texts hold no ",").
const QChar kTrenner[] = {u',', u'.'};

QString mitTrenner(const char* text, QChar trenner) {
  QString s = QString::fromUtf8(text);
  s.replace(u',', trenner);
  return s;
}

QDateTime start() { return QDateTime(QDate(2026, 12, 8), QTime(10, 0, 0)); }

float unter(float x, int schritte) {
  for (int i = 0; i < schritte; ++i) x = std::nextafter(x, 0.0f);
  return x;
}

struct FormatFall {
  const char* name;
  int16_t code;
  float x;
  int16_t n;
  const char* text;
  const char* vorsatz;
};

TEST(ZahlFormatieren, ShowsEachCodeWithBothSeparators) {
  const float inf = std::numeric_limits<float>::infinity();
  const FormatFall faelle[] = {
      // Fixed form and its rounding: half-way away from zero, judged on the
      // value's shortest decimal text.
      {"n = 0 shows whole numbers", 0, 12.6f, 0, "13", ""},
      {"half-way rounds away from zero", 0, 2.5f, 0, "3", ""},
      {"negative half-way rounds away from zero", 0, -2.5f, 0, "-3", ""},
      {"binary half-way 0.125", 0, 0.125f, 2, "0,13", ""},
      {"1.005 is stored below but reads as half-way", 0, 1.005f, 2, "1,01", ""},
      {"carry into a new digit", 0, 9.995f, 2, "10,00", ""},
      {"three decimals", 0, 1234.5678f, 3, "1234,568", ""},
      {"zero with decimals", 0, 0.0f, 3, "0,000", ""},
      {"negative value rounding to zero has no sign", 0, -0.004f, 2, "0,00", ""},
      {"tiny value", 0, 1e-30f, 2, "0,00", ""},
      {"largest magnitudes written out", 0, 3e38f, 0, "300000000000000000000000000000000000000", ""},
      {"code 10 like code 0", 10, 3.14159f, 2, "3,14", ""},
      // Exponent forms.
      {"code 1, n = 3", 1, 1234.5f, 3, "1,235E+03", ""},
      {"code 1, n = 2", 1, 1234.5f, 2, "1,23E+03", ""},
      {"code 1, n = 0 has no separator", 1, 1234.5f, 0, "1E+03", ""},
      {"code 1, negative value and exponent", 1, -0.00012345f, 2, "-1,23E-04", ""},
      {"code 1, mantissa carries into the exponent", 1, 9.9996f, 3, "1,000E+01", ""},
      {"code 1, zero", 1, 0.0f, 2, "0,00E+00", ""},
      {"code 1, large exponent", 1, 1e30f, 1, "1,0E+30", ""},
      {"code 1, small exponent", 1, 1e-30f, 1, "1,0E-30", ""},
      {"code 8, n = 3", 8, 1234.5f, 3, "1,235E+3", ""},
      {"code 8, negative exponent", 8, 0.00012345f, 2, "1,23E-4", ""},
      {"code 8, negative value", 8, -5e10f, 1, "-5,0E+10", ""},
      {"code 8, zero", 8, 0.0f, 1, "0,0E+0", ""},
      // Prefix codes.
      {"Mega of zero is fixed", 2, 0.0f, 2, "0,00", "M"},
      {"Mega", 2, 2.5e6f, 1, "2,5", "M"},
      {"Kilo", 3, 12345.0f, 2, "12,35", "k"},
      {"Milli below 0.0001 in exponent form", 4, 1e-9f, 2, "1,00E-06", "m"},
      {"Mikro above 100000 in exponent form", 5, 0.5f, 2, "5,00E+05", "\xC2\xB5"},
      {"Nano", 6, 1.5e-9f, 1, "1,5", "n"},
      {"Piko", 7, 2.2e-12f, 3, "2,200", "p"},
      {"upper bound 100000 included", 3, 1e8f, 2, "100000,00", "k"},
      {"negative upper bound included", 3, -1e8f, 2, "-100000,00", "k"},
      {"just above the upper bound", 3, 100001000.0f, 2, "1,00E+05", "k"},
      // 0.1f / 1000 rounds to a single just above 0.0001f; one step lower it
      // is 0.0001f itself (below the double 0.0001), two steps lower below.
      {"lower bound 0.0001 included in single precision", 3, unter(0.1f, 1), 6, "0,000100", "k"},
      {"just below the lower bound", 3, unter(0.1f, 2), 2, "1,00E-04", "k"},
      {"Piko overflows single precision", 7, 1e30f, 2, "ERR", "p"},
      // Minutes and hours.
      {"minutes", 11, 90.0f, 1, "1,5", ""},
      {"negative minutes round away from zero", 11, -30.0f, 0, "-1", ""},
      {"hours", 12, 5400.0f, 2, "1,50", ""},
      // Clock texts: parts cut off.
      {"mm:ss minutes past 59", 13, 3725.0f, 2, "62:05", ""},
      {"mm:ss cuts seconds", 13, 59.9f, 2, "00:59", ""},
      {"mm:ss zero", 13, 0.0f, 2, "00:00", ""},
      {"mm:ss more than two minute digits", 13, 6e6f, 2, "100000:00", ""},
      {"hh:mm hours past 23", 14, 90000.0f, 2, "25:00", ""},
      {"hh:mm cuts minutes", 14, 3599.0f, 2, "00:59", ""},
      {"hh:mm:ss cuts seconds", 15, 3725.9f, 2, "01:02:05", ""},
      {"hh:mm:ss last hour of the 16-bit range", 15, 117964792.0f, 2, "32767:59:52", ""},
      {"hh:mm:ss from hour 32768 on", 15, 117964800.0f, 2, "ERR", ""},
      {"time codes ignore n", 13, 3725.0f, -1, "62:05", ""},
      // Times before the start: "-" and the magnitude.
      {"negative mm:ss", 13, -3725.0f, 0, "-62:05", ""},
      {"negative hh:mm", 14, -90000.0f, 0, "-25:00", ""},
      {"negative hh:mm:ss", 15, -3725.9f, 0, "-01:02:05", ""},
      {"negative time showing zero has no sign", 13, -0.5f, 0, "00:00", ""},
      {"negative time beyond the hour range", 15, -117964800.0f, 0, "ERR", ""},
      // Date and time from the start 08.12.2026 10:00:00.
      {"date 90 s after the start", 16, 90.0f, 2, "08.12.2026 10:01:30", ""},
      {"date before the start crosses midnight", 16, -36001.0f, 2, "07.12.2026 23:59:59", ""},
      {"date across a year end", 16, 86400.0f * 30, 2, "07.01.2027 10:00:00", ""},
      {"date rounds to the nearest second", 16, 0.6f, 2, "08.12.2026 10:00:01", ""},
      {"date beyond the year 9999", 16, 1e12f, 2, "ERR", ""},
      {"date before the year 100", 16, -1e11f, 2, "ERR", ""},
      {"date of a time beyond any day count", 16, 1e30f, 2, "ERR", ""},
      {"date of a time before any day count", 16, -1e30f, 2, "ERR", ""},
      {"date of an endless time", 16, -inf, 2, "ERR", ""},
      {"date of no number", 16, std::nanf(""), 2, "ERR", ""},
      // No text at all.
      {"code 9", 9, 1.0f, 2, "", ""},
      {"code 17", 17, 1.0f, 2, "", ""},
      {"code -1", -1, 1.0f, 2, "", ""},
      // Values that cannot be shown.
      {"negative decimals", 0, 1.0f, -1, "ERR", ""},
      {"infinity", 0, inf, 2, "ERR", ""},
      {"no number", 1, std::nanf(""), 2, "ERR", ""},
  };
  for (const auto& f : faelle) {
    for (QChar t : kTrenner) {
      const Tolvek::Formatiert e = Tolvek::zahlFormatieren(f.x, f.code, f.n, t, start());
      EXPECT_EQ(e.text, mitTrenner(f.text, t)) << f.name << " / " << QString(t).toStdString();
      EXPECT_EQ(e.vorsatz, QString::fromUtf8(f.vorsatz)) << f.name;
    }
  }
}

TEST(ZahlFormatieren, DateCountsFromTheCalendarZeroWhenNoStartIsSet) {
  EXPECT_EQ(Tolvek::zahlFormatieren(2 * 86400.0f, 16, 0, u',', QDateTime()).text,
            QStringLiteral("01.01.1900 00:00:00"));
}

struct LeseFall {
  const char* name;
  const char* text;
  int16_t code;
  const char* wert;
};

TEST(ZahlEinlesen, ReadsEachCodeBackIntoBaseUnits) {
  const LeseFall faelle[] = {
      {"fixed", "1,5", 0, "1,5"},
      {"blanks around", " 12,25 ", 10, "12,25"},
      {"exponent with two digits", "1,235E+03", 1, "1235"},
      {"exponent with one digit", "1,235E+3", 1, "1235"},
      {"negative value, negative exponent", "-1,5E-04", 0, "-0,00015"},
      {"Mega", "2,5", 2, "2500000"},
      {"Kilo", "12,35", 3, "12350"},
      {"Milli in exponent form", "1,00E-06", 4, "1E-09"},
      {"Mikro in exponent form", "5,00E+05", 5, "0,5"},
      {"Nano", "1,5", 6, "1,5E-09"},
      {"Piko", "2,2", 7, "2,2E-12"},
      {"minutes", "1,5", 11, "90"},
      {"hours", "0,5", 12, "1800"},
      {"mm:ss", "62:05", 13, "3725"},
      {"hh:mm", "25:00", 14, "90000"},
      {"hh:mm:ss with one hour digit", "1:02:05", 15, "3725"},
      {"negative mm:ss", "-62:05", 13, "-3725"},
      {"negative hh:mm:ss", "-01:02:05", 15, "-3725"},
      {"date after the start", "08.12.2026 10:01:30", 16, "90"},
      {"date before the start", "07.12.2026 23:59:59", 16, "-36001"},
      {"code 8 reads every text as 0", "abc", 8, "0"},
      {"code 9 reads 0", "1,5", 9, "0"},
      {"code 17 reads 0", "1,5", 17, "0"},
      {"code -1 reads 0", "1,5", -1, "0"},
      // Texts that cannot be read.
      {"no number", "abc", 0, "ERR"},
      {"empty", "", 0, "ERR"},
      {"trailing letters", "12a", 3, "ERR"},
      {"beyond single precision", "1E39", 0, "ERR"},
      {"scaled beyond single precision", "1E35", 2, "ERR"},
      {"mm:ss too short", "05", 13, "ERR"},
      {"mm:ss without minutes", ":05", 13, "ERR"},
      {"hh:mm:ss too short", "02:05", 15, "ERR"},
      {"clock text with letters", "ab:05", 14, "ERR"},
      {"date too short", "08.12.2026 10:01", 16, "ERR"},
      {"date that does not exist", "31.02.2026 10:00:00", 16, "ERR"},
      {"date with letters", "xx.12.2026 10:00:00", 16, "ERR"},
  };
  for (const auto& f : faelle) {
    for (QChar t : kTrenner) {
      EXPECT_EQ(Tolvek::ZahlEinlesen(mitTrenner(f.text, t), f.code, t, start()), mitTrenner(f.wert, t))
          << f.name << " / " << QString(t).toStdString();
    }
  }
}

struct RundreiseFall {
  const char* name;
  int16_t code;
  float x;
  int16_t n;
  float zurueck;  // the value as the text shows it
};

TEST(ZahlEinlesen, ReadsBackWhatTheFormatShows) {
  const RundreiseFall faelle[] = {
      {"fixed", 0, 1234.5678f, 2, 1234.57f},
      {"exponent", 1, 1234.5f, 3, 1235.0f},
      {"exponent negative", 1, -0.00012345f, 2, -0.000123f},
      {"Mega", 2, 2.5e6f, 1, 2.5e6f},
      {"Kilo", 3, 12345.0f, 2, 12350.0f},
      {"Milli", 4, 0.0123456f, 3, 0.012346f},
      {"Mikro in exponent form", 5, 0.5f, 2, 0.5f},
      {"Nano", 6, 1.5e-9f, 1, 1.5e-9f},
      {"Piko", 7, 2.2e-12f, 3, 2.2e-12f},
      {"code 8 reads back as 0", 8, 1234.5f, 3, 0.0f},
      {"seconds", 10, 3.14159f, 2, 3.14f},
      {"minutes", 11, 100.0f, 2, 100.2f},
      {"hours", 12, 5400.0f, 1, 5400.0f},
      {"mm:ss", 13, 3725.9f, 0, 3725.0f},
      {"hh:mm", 14, 3725.0f, 0, 3720.0f},
      {"hh:mm:ss", 15, 3725.9f, 0, 3725.0f},
      {"negative mm:ss", 13, -61.0f, 0, -61.0f},
      {"negative hh:mm:ss", 15, -3725.0f, 0, -3725.0f},
      {"date", 16, 90.0f, 0, 90.0f},
      {"date before the start", 16, -36001.0f, 0, -36001.0f},
      {"date with a fraction", 16, 0.6f, 0, 1.0f},
  };
  for (const auto& f : faelle) {
    for (QChar t : kTrenner) {
      const QString text = Tolvek::zahlFormatieren(f.x, f.code, f.n, t, start()).text;
      const QString gelesen = Tolvek::ZahlEinlesen(text, f.code, t, start());
      const auto wert = pv::zahlLesen(gelesen, t);
      ASSERT_TRUE(wert.has_value()) << f.name << ": " << text.toStdString() << " -> " << gelesen.toStdString();
      EXPECT_EQ(static_cast<float>(*wert), f.zurueck) << f.name << ": " << text.toStdString();
    }
  }
}

// The conveniences work on the shared state; each test leaves it as found.
class ZahlformatZustand : public ::testing::Test {
 protected:
  void SetUp() override {
    vorherStart_ = Tolvek::zustand().MessStartDatumZeit;
    vorherVorsatz_ = Tolvek::zustand().Einheitenvorsatz;
    Tolvek::zustand().MessStartDatumZeit = start();
  }
  void TearDown() override {
    Tolvek::zustand().MessStartDatumZeit = vorherStart_;
    Tolvek::zustand().Einheitenvorsatz = vorherVorsatz_;
  }

 private:
  QDateTime vorherStart_;
  QString vorherVorsatz_;
};

TEST_F(ZahlformatZustand, EveryCallLeavesItsPrefixForTheUnit) {
  EXPECT_EQ(Tolvek::ZahlFormatieren(0.5f, 5, 2, u','), QStringLiteral("5,00E+05"));
  EXPECT_EQ(Tolvek::zustand().Einheitenvorsatz, kMikro);
  EXPECT_EQ(Tolvek::ZahlFormatieren(0.5f, 0, 2, u','), QStringLiteral("0,50"));
  EXPECT_EQ(Tolvek::zustand().Einheitenvorsatz, QString());
  Tolvek::ZahlFormatieren(1.0f, 3, 2, u',');
  EXPECT_TRUE(Tolvek::ZahlFormatieren(1.0f, 9, 2, u',').isEmpty());
  EXPECT_EQ(Tolvek::zustand().Einheitenvorsatz, QString());
  Tolvek::ZahlFormatieren(1.0f, 3, 2, u',');
  EXPECT_TRUE(Tolvek::ZahlFormatieren(1.0f, 17, 2, u',').isEmpty());
  EXPECT_EQ(Tolvek::zustand().Einheitenvorsatz, QString());
}

TEST_F(ZahlformatZustand, DateCodeCountsFromTheMeasurementStart) {
  EXPECT_EQ(Tolvek::ZahlFormatieren(90.0f, 16, 0, u','), QStringLiteral("08.12.2026 10:01:30"));
  EXPECT_EQ(Tolvek::ZahlEinlesen(QStringLiteral("08.12.2026 10:01:30"), 16, u','), QStringLiteral("90"));
}

}  // namespace
