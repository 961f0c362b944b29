// Request strings: the escapes of the device file and the built-in request
// frame of decoder tags.
#include <gtest/gtest.h>

#include "acquisition/geraeteauswahl.h"
#include "common/cp1252.h"
#include "common/laufzeitfehler.h"

namespace {

const QString kSanwaRahmen = QString::fromLatin1("\x10\x02\x42\x00\x00\x67\x10\x03", 8);

TEST(Anforderung, ExpandsEscapes) {
  struct Fall {
    const char* name;
    QString text;
    QString erwartet;
  };
  const Fall faelle[] = {
      {"CR then LF", QStringLiteral("{CR}{LF}"), QStringLiteral("\r\n")},
      {"only the first CR", QStringLiteral("{CR}{CR}"), QStringLiteral("\r{CR}")},
      {"only the first LF", QStringLiteral("D{LF}{LF}"), QStringLiteral("D\n{LF}")},
      {"lower-case names stay", QStringLiteral("{cr}{Lf}"), QStringLiteral("{cr}{Lf}")},
      {"code after a question mark", QStringLiteral("?{13}"), QStringLiteral("?\r")},
      {"codes 13 and 10", QStringLiteral("{13}{10}"), QStringLiteral("\r\n")},
      {"non-numeric contents stay", QStringLiteral("{ab}"), QStringLiteral("{ab}")},
      {"two letters", QStringLiteral("{65}{66}"), QStringLiteral("AB")},
      {"empty braces stay", QStringLiteral("{}"), QStringLiteral("{}")},
      {"no closing brace", QStringLiteral("{65"), QStringLiteral("{65")},
      {"inner brace wins", QStringLiteral("{{65}"), QStringLiteral("{A")},
      {"a made brace is not scanned again", QStringLiteral("{123}{65}"), QStringLiteral("{A")},
      {"blanks around the number", QStringLiteral("{ 65 }"), QStringLiteral("A")},
      {"decimal comma rounds half to even", QStringLiteral("{65,5}"), QStringLiteral("B")},
      {"decimal point too", QStringLiteral("{66.5}"), QStringLiteral("B")},
      {"code 0", QStringLiteral("{0}x"), QString(QChar(0)) + QStringLiteral("x")},
      {"code 255", QStringLiteral("{255}"), QStringLiteral("ÿ")},
      {"code 128 is the euro sign of the code page", QStringLiteral("{128}"), QStringLiteral("€")},
      {"plain text", QStringLiteral("D"), QStringLiteral("D")},
      {"empty", QString(), QString()},
      {"CR escape and code mixed", QStringLiteral("{CR}M{10}"), QStringLiteral("\rM\n")},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(pv::anforderungErsetzen(f.text, u','), f.erwartet) << f.name;
  }
}

TEST(Anforderung, HighCodesAreSentAsTheirBytes) {
  const QString t = pv::anforderungErsetzen(QStringLiteral("{128}{129}{200}{255}"), u',');
  EXPECT_EQ(pv::zuCp1252(t), QByteArray("\x80\x81\xC8\xFF"));
}

TEST(Anforderung, CodesOutsideAByteAreRunTimeErrors) {
  struct Fall {
    const char* name;
    const char* text;
    int nummer;
  };
  const Fall faelle[] = {
      {"300", "{300}", pv::Laufzeitfehler::kUngueltigerAufruf},
      {"256", "x{256}", pv::Laufzeitfehler::kUngueltigerAufruf},
      {"255.5 rounds to 256", "{255.5}", pv::Laufzeitfehler::kUngueltigerAufruf},
      {"-1", "{-1}", pv::Laufzeitfehler::kUngueltigerAufruf},
      {"too large for an integer", "{1E20}", pv::Laufzeitfehler::kUeberlauf},
  };
  for (const auto& f : faelle) {
    try {
      pv::anforderungErsetzen(QString::fromUtf8(f.text), u',');
      ADD_FAILURE() << f.name << " was accepted";
    } catch (const pv::Laufzeitfehler& e) {
      EXPECT_EQ(e.nummer(), f.nummer) << f.name;
    }
  }
  // 254.5 rounds to the even 254 and is fine.
  EXPECT_EQ(pv::anforderungErsetzen(QStringLiteral("{254.5}"), u'.'), QStringLiteral("þ"));
}

TEST(Anforderung, BuiltInRequestOfDecoderTags) {
  struct Fall {
    const char* name;
    const char* tag;
    QString erwartet;
  };
  const Fall faelle[] = {
      {"the tag alone", "SANWAPC5x0", kSanwaRahmen},
      {"with blanks and a comment", "  SANWAPC5x0 *// Sanwa PC500", kSanwaRahmen},
      {"comment without blank", "SANWAPC5x0*//x", kSanwaRahmen},
      {"comment at the very start does not count", "*//SANWAPC5x0", QString()},
      {"letter case matters", "sanwapc5x0", QString()},
      {"longer tag", "SANWAPC5x0A", QString()},
      {"other decoder", "VC820", QString()},
      {"empty", "", QString()},
  };
  for (const auto& f : faelle) {
    EXPECT_EQ(pv::AnforderungAufbereiten(QString::fromUtf8(f.tag)), f.erwartet) << f.name;
  }
}

TEST(Anforderung, SpecialInAnyCaseTakesTheTagsRequest) {
  EXPECT_EQ(pv::datenanforderungszeichenBilden(QStringLiteral("special"),
                                               QStringLiteral("SANWAPC5x0 *// Sanwa")),
            kSanwaRahmen);
  EXPECT_EQ(pv::datenanforderungszeichenBilden(QStringLiteral("Special"), QStringLiteral("VC820")),
            QString());
  EXPECT_EQ(pv::datenanforderungszeichenBilden(QStringLiteral("D{CR}"), QStringLiteral("SANWAPC5x0")),
            QStringLiteral("D{CR}"));
  EXPECT_EQ(pv::datenanforderungszeichenBilden(QStringLiteral("SPECIAL "), QStringLiteral("SANWAPC5x0")),
            QStringLiteral("SPECIAL "));
}

}  // namespace
