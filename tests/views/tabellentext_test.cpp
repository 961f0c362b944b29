#include <gtest/gtest.h>

#include <vector>

#include "views/tabellenmodell.h"
#include "views/tabellentext.h"

namespace {

using pv::Tabellenzeile;
using pv::Zeitverdichtung;

// A grid with the given (time, value) texts numbered from 1.
struct Gitter {
  explicit Gitter(const std::vector<std::pair<QString, QString>>& werte) {
    modell.kopfSetzen({QStringLiteral("Nr."), QStringLiteral("Zeit (s)"), QStringLiteral("Spannung (V)")});
    std::vector<Tabellenzeile> zeilen;
    int i = 0;
    for (const auto& [zeit, wert] : werte) zeilen.push_back({QString::number(++i), zeit, wert});
    modell.zeilenSetzen(std::move(zeilen));
  }
  // Times 0, 1, 2, ... seconds and the given values.
  static Gitter sekundlich(const std::vector<int>& werte) {
    std::vector<std::pair<QString, QString>> z;
    for (size_t s = 0; s < werte.size(); ++s) z.emplace_back(QString::number(s), QString::number(werte[s]));
    return Gitter(z);
  }
  pv::Tabellenmodell modell;
};

const Gitter& dreiWerte() {
  static const Gitter g({{"0,00", "1,500"}, {"0,50", ""}, {"1,00", "-2,250"}});
  return g;
}

TEST(Tabellentext, WholeTableIsTabSeparatedWithoutLineEndAfterTheLastRow) {
  EXPECT_EQ(pv::tabellenText(dreiWerte().modell),
            QStringLiteral("Nr.\tZeit (s)\tSpannung (V)\r\n"
                           "1\t0,00\t1,500\r\n"
                           "2\t0,50\t\r\n"
                           "3\t1,00\t-2,250"));
}

TEST(Tabellentext, SelectionCopiesTheSameRowsWhicheverWayItWasDragged) {
  const pv::Tabellenmodell& g = dreiWerte().modell;
  struct Fall {
    const char* name;
    int zeile, spalte, endZeile, endSpalte;
    QString text;
  } faelle[] = {
      {"downwards over all columns", 2, 0, 3, 2, QStringLiteral("0,50\t\r\n1,00\t-2,250")},
      {"upwards over all columns", 3, 2, 2, 0, QStringLiteral("0,50\t\r\n1,00\t-2,250")},
      {"one column", 3, 2, 1, 2, QStringLiteral("1,500\r\n\r\n-2,250")},
      {"number column alone", 1, 0, 2, 0, QStringLiteral("1\r\n2")},
      {"header row is never copied", 0, 1, 1, 2, QStringLiteral("0,00\t1,500")},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(pv::auswahlText(g, f.zeile, f.spalte, f.endZeile, f.endSpalte), f.text);
  }
}

// The expected 60 lines: offset TAB value, the value given per offset range.
QString verdichtet(const std::vector<std::pair<int, QString>>& abschnitte) {
  QString text = QStringLiteral("Zeit (s)\tSpannung (V)");
  size_t a = 0;
  for (int s = 0; s < 60; ++s) {
    while (a + 1 < abschnitte.size() && abschnitte[a + 1].first <= s) ++a;
    text += QStringLiteral("\r\n%1\t%2").arg(s).arg(abschnitte[a].second);
  }
  return text;
}

TEST(Zeitverdichtung, HoldsEachValueFromTheJumpOnForSixtyTimeUnits) {
  struct Fall {
    const char* name;
    Gitter gitter;
    Zeitverdichtung::Ausgang ausgang;
    QString text;
  } faelle[] = {
      {"a difference of exactly 2 is a jump; offset 0 holds the value before it",
       Gitter::sekundlich({10, 10, 11, 13, 13, 14, 14, 14}), Zeitverdichtung::Ausgang::Text,
       verdichtet({{0, "11"}, {1, "13"}, {3, "14"}})},
      {"no neighbours differ by 2", Gitter::sekundlich({10, 11, 12, 13, 14}),
       Zeitverdichtung::Ausgang::OhneErgebnis, {}},
      {"a jump between the last two rows is not taken", Gitter::sekundlich({10, 10, 10, 20}),
       Zeitverdichtung::Ausgang::OhneErgebnis, {}},
      {"times between whole units hold the last value not later than the offset",
       Gitter({{"0", "0"}, {"0,5", "5"}, {"1,5", "7"}, {"2,25", "9"}}), Zeitverdichtung::Ausgang::Text,
       verdichtet({{0, "0"}, {1, "5"}, {2, "7"}, {3, "9"}})},
      {"a clock time is no number", Gitter({{"00:00:01", "1"}, {"00:00:02", "9"}, {"00:00:03", "9"}}),
       Zeitverdichtung::Ausgang::Fehler, {}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    const Zeitverdichtung v = pv::zeitVerdichten(f.gitter.modell, u',');
    EXPECT_EQ(v.ausgang, f.ausgang);
    EXPECT_EQ(v.text, f.text);
  }
}

}  // namespace
