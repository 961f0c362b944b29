// Key=value lines: finding values in texts and files, rewriting one value.
#include <gtest/gtest.h>

#include "common/parameter.h"
#include "support/testhilfe.h"

namespace {

using Tolvek::ParameterLesen;
using Tolvek::ParameterSchreiben;

struct LeseFall {
  const char* name;
  const char* text;
  const char* schluessel;
  const char* erwartet;
};

TEST(ParameterLesen, FindsKeysOnlyAtLineStartsInAText) {
  const LeseFall faelle[] = {
      {"single line without line end", "Wartezeit=2", "Wartezeit", "2"},
      {"case matters", "wartezeit=2", "Wartezeit", ""},
      {"blank before the key", " Wartezeit=2", "Wartezeit", ""},
      {"first of two sections wins", "[A]\r\nX=1\r\n[B]\r\nX=2\r\n", "X", "1"},
      {"key that ends another key", "Einheit1 Beginn=3\r\nBeginn=7\r\n", "Beginn", "7"},
      {"empty value", "A=\r\nB=1\r\n", "A", ""},
      {"missing key", "A=1\r\n", "B", ""},
      {"blanks belong to the key", "Aktuelles Messgerät=DMM 1\r\n", "Aktuelles Messgerät", "DMM 1"},
      {"LF-only line ends", "H\nA=1\nB=2\n", "B", "2"},
      {"value with equals sign", "A=x=y\r\n", "A", "x=y"},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(ParameterLesen(QString::fromUtf8(f.text), QString(), QString::fromUtf8(f.schluessel)),
              QString::fromUtf8(f.erwartet))
        << f.name;
  }
}

TEST(ParameterLesen, ReadsWholeFilesButNeverTheHeaderLine) {
  pvtest::Programmumgebung umgebung;
  umgebung.schreibe(QStringLiteral("a.ini"), "A=0\r\nMen\xFC=1\r\nLetzte=9");
  const QString datei = umgebung.pfad(QStringLiteral("a.ini"));
  EXPECT_EQ(ParameterLesen(QString(), datei, QStringLiteral("Menü")), QStringLiteral("1"));
  EXPECT_EQ(ParameterLesen(QString(), datei, QStringLiteral("A")), QString());
  EXPECT_EQ(ParameterLesen(QString(), datei, QStringLiteral("Letzte")), QStringLiteral("9"));
  EXPECT_EQ(ParameterLesen(QString(), umgebung.pfad(QStringLiteral("fehlt.ini")), QStringLiteral("A")),
            QStringLiteral("ERR"));
}

TEST(ParameterSchreiben, ReplacesOneValueAndKeepsEveryOtherByte) {
  pvtest::Programmumgebung umgebung;
  const QByteArray vorher = "[Kopf]\r\nBezeichnung=Alt\r\n[B]\r\nMen\xFC=1\r\nMen\xFC=1\r\nRest=x\r\n\r\n";
  umgebung.schreibe(QStringLiteral("g.ger"), vorher);
  const QString datei = umgebung.pfad(QStringLiteral("g.ger"));

  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("Menü"), QStringLiteral("0")), Tolvek::kParameterGeschrieben);
  EXPECT_EQ(umgebung.lies(QStringLiteral("g.ger")),
            QByteArray("[Kopf]\r\nBezeichnung=Alt\r\n[B]\r\nMen\xFC=0\r\nMen\xFC=1\r\nRest=x\r\r\n"));
  EXPECT_EQ(ParameterLesen(QString(), datei, QStringLiteral("Menü")), QStringLiteral("0"));

  // A second rewrite keeps the CR CR LF ending as it is.
  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("Bezeichnung"), QStringLiteral("Neu ä")), 0);
  EXPECT_EQ(umgebung.lies(QStringLiteral("g.ger")),
            QByteArray("[Kopf]\r\nBezeichnung=Neu \xE4\r\n[B]\r\nMen\xFC=0\r\nMen\xFC=1\r\nRest=x\r\r\n"));
}

TEST(ParameterSchreiben, RefusesWithoutTouchingTheFile) {
  pvtest::Programmumgebung umgebung;
  const QByteArray vorher = "[Kopf]\r\nA=1\r\n";
  umgebung.schreibe(QStringLiteral("g.ger"), vorher);
  const QString datei = umgebung.pfad(QStringLiteral("g.ger"));

  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("B"), QStringLiteral("2")), Tolvek::kParameterFehlt);
  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("A"), QStringLiteral("2\r\nB=3")), Tolvek::kParameterFehler);
  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("A"), QStringLiteral("x\ny")), Tolvek::kParameterFehler);
  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("A"), QStringLiteral("Ohmmeter Ω")), Tolvek::kParameterFehler);
  EXPECT_EQ(umgebung.lies(QStringLiteral("g.ger")), vorher);
  EXPECT_EQ(ParameterSchreiben(umgebung.pfad(QStringLiteral("fehlt.ger")), QStringLiteral("A"), QStringLiteral("1")),
            Tolvek::kParameterDateiFehlt);
}

TEST(ParameterSchreiben, HandlesLastLineWithoutLineEnd) {
  pvtest::Programmumgebung umgebung;
  umgebung.schreibe(QStringLiteral("g.ger"), "[Kopf]\nA=1\nB=2");
  const QString datei = umgebung.pfad(QStringLiteral("g.ger"));
  EXPECT_EQ(ParameterSchreiben(datei, QStringLiteral("B"), QStringLiteral("5")), 0);
  EXPECT_EQ(umgebung.lies(QStringLiteral("g.ger")), QByteArray("[Kopf]\nA=1\nB=5\r\r\n"));
}

}  // namespace
