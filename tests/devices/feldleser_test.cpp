#include "devices/feldleser.h"

#include <gtest/gtest.h>

#include <QStringList>

#include <optional>

namespace {

QStringList alleFelder(const QString& text) {
  pv::FeldLeser leser(text);
  QStringList felder;
  while (const auto f = leser.text()) felder << *f;
  return felder;
}

TEST(FeldLeser, TrenntFelderWieDieAltenDateienSieSchreiben) {
  struct Fall {
    const char* was;
    QString text;
    QStringList felder;
  };
  const Fall faelle[] = {
      {"comma and line end both end a field", "a,b\r\nc,d\r\n", {"a", "b", "c", "d"}},
      {"blanks before a field skipped, after it dropped", "  a  ,\tb \r\n", {"a", "b"}},
      {"quoted field keeps its commas", "\"9600,n,8,1\",x", {"9600,n,8,1", "x"}},
      {"quoted field keeps blanks and may span lines", "\" a \r\nb \",c", {" a \r\nb ", "c"}},
      {"text after the closing quote is passed over", "\"a\"zz,b", {"a", "b"}},
      {"LF alone and CR alone end lines too", "a\nb\rc", {"a", "b", "c"}},
      {"empty fields between commas", "a,,\"\",b", {"a", "", "", "b"}},
      {"unterminated quote runs to the end", "\"a,b", {"a,b"}},
      {"no line end after the last field", "a,b", {"a", "b"}},
      {"empty text has no field", "", {}},
  };
  for (const Fall& f : faelle) EXPECT_EQ(alleFelder(f.text), f.felder) << f.was;
}

TEST(FeldLeser, LiestZahlenMitPunktUndGanzzahlenMitUeberlauf) {
  struct Fall {
    const char* feld;
    std::optional<int16_t> ganz;
  };
  const Fall faelle[] = {
      {"12", 12},     {" -7", -7},       {"2.5", 2},  // half to even
      {"3.5", 4},     {"abc", 0},        // no leading number reads as 0
      {"\"5\"", 5},   {"32767", 32767},  {"32768", std::nullopt},
      {"-40000", std::nullopt},
  };
  for (const Fall& f : faelle) {
    pv::FeldLeser leser(QString::fromUtf8(f.feld));
    EXPECT_EQ(leser.ganzzahl(), f.ganz) << f.feld;
  }
  pv::FeldLeser zahlen(QStringLiteral("199990,0.5,1E39"));
  EXPECT_EQ(zahlen.zahl(), 199990.0f);
  EXPECT_EQ(zahlen.zahl(), 0.5f);
  EXPECT_EQ(zahlen.zahl(), std::nullopt) << "too large for single precision";
  EXPECT_EQ(zahlen.zahl(), std::nullopt) << "no field left";
}

TEST(FeldLeser, WahrheitswerteInAllenAkzeptiertenFormen) {
  struct Fall {
    const char* feld;
    std::optional<bool> wert;
  };
  const Fall faelle[] = {
      {"#TRUE#", true},   {"#FALSE#", false}, {"#true#", true},  {"False", false},
      {"TRUE", true},     {"0", false},       {"-1", true},      {"1", true},
      {" #TRUE# ", true}, {"ja", std::nullopt}, {"", std::nullopt}, {"#TRUE", std::nullopt},
      {"#NULL#", std::nullopt},
  };
  for (const Fall& f : faelle) {
    pv::FeldLeser leser(QString::fromUtf8(f.feld));
    EXPECT_EQ(leser.wahrheitswert(), f.wert) << f.feld;
  }
}

TEST(FeldLeser, ErstesFeldEinerAktuellenDateiIstDieKopfzeile) {
  EXPECT_EQ(pv::erstesFeld(QStringLiteral("[Pelvaron Gerätedatei Version 3.1]\r\nBezeichnung=a,b\r\n")),
            QStringLiteral("[Pelvaron Gerätedatei Version 3.1]"));
  EXPECT_EQ(pv::erstesFeld(QStringLiteral("\"[VER3.0]\",\"Name\"")), QStringLiteral("[VER3.0]"));
  EXPECT_EQ(pv::erstesFeld(QString()), std::nullopt);
}

}  // namespace
