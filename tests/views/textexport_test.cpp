#include <gtest/gtest.h>

#include "common/textdatei.h"
#include "support/testhilfe.h"
#include "views/textexport.h"

namespace {

using pv::Trennzeichenwahl;

// Six values whose texts are exact in every format used below.
pv::Messdaten fixtur() {
  pv::Messdaten d;
  const std::pair<float, float> werte[] = {{0.0f, 1.25f}, {0.5f, -2.5f},    {1.0f, 12.0f},
                                           {1.5f, 0.0f},  {2.25f, 1234.5f}, {3.0f, -0.125f}};
  for (const auto& [x, y] : werte) d.anhaengen(x, y);
  d.MesBeg = QStringLiteral("08.12.2026 10:00:00");
  d.MesEnd = QStringLiteral("08.12.2026 10:05:00");
  d.Messung = QStringLiteral("Versuch");
  return d;
}

pv::Messbeschreibung beschreibung() {
  return {QStringLiteral("Prüfstand Ölkühler"), QStringLiteral("Spannung"), QStringLiteral("U"), QStringLiteral("V"),
          QStringLiteral("Erste Zeile \"zitiert\"\nzweite Zeile")};
}

pv::ExportOptionen optionen(const QString& trenner, QChar dezimal) {
  pv::ExportOptionen o;
  o.bereich = {1, 6, 1};
  o.trennzeichen = trenner;
  o.dezimalzeichen = dezimal;
  o.systemDezimalzeichen = u',';
  o.xCode = 10;
  o.xNachkommastellen = 2;
  o.yCode = 0;
  o.yNachkommastellen = 3;
  return o;
}

QByteArray golden(const char* name) {
  QByteArray inhalt;
  EXPECT_TRUE(pv::dateiLesen(pvtest::testdatei(QString::fromUtf8(name)), inhalt)) << name;
  return inhalt;
}

// The data lines of an export, without the header block.
QList<QByteArray> datenzeilen(const QByteArray& datei) {
  const qsizetype start = datei.indexOf("Daten:\r\n") + 8;
  QList<QByteArray> zeilen = datei.mid(start).split('\n');
  zeilen.removeLast();  // after the last CR LF
  for (QByteArray& z : zeilen) z.chop(1);
  return zeilen;
}

TEST(TextExport, FilesMatchTheStoredOnesByteForByte) {
  struct Fall {
    const char* datei;
    Trennzeichenwahl wahl;
    QString anderes;
    QChar dezimal;
  };
  const Fall faelle[] = {
      {"export_tabstop_komma.txt", Trennzeichenwahl::Tabstop, {}, u','},
      {"export_semikolon_punkt.txt", Trennzeichenwahl::Semikolon, {}, u'.'},
      {"export_komma_komma.txt", Trennzeichenwahl::Komma, {}, u','},
      {"export_leerzeichen_punkt.txt", Trennzeichenwahl::Leerzeichen, {}, u'.'},
      {"export_anderes_komma.txt", Trennzeichenwahl::Anderes, QStringLiteral(" § "), u','},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.datei);
    const QByteArray text =
        pv::exportText(fixtur(), beschreibung(), optionen(pv::trennzeichen(f.wahl, f.anderes), f.dezimal));
    EXPECT_EQ(text, golden(f.datei));
  }
}

TEST(TextExport, HeaderNamesTheUnitWithThePrefixTheValuesAreWrittenIn) {
  const struct {
    int16_t code;
    const char* zeile;
  } faelle[] = {
      {0, "gemessen: Spannung U(V)"},   {1, "gemessen: Spannung U(V)"},      {2, "gemessen: Spannung U(MV)"},
      {4, "gemessen: Spannung U(mV)"},  {5, "gemessen: Spannung U(\xB5V)"},  {7, "gemessen: Spannung U(pV)"},
  };
  for (const auto& f : faelle) {
    const QByteArray kopf = pv::exportKopf(fixtur(), beschreibung(), f.code);
    EXPECT_TRUE(kopf.contains(QByteArray(f.zeile) + "\r\n")) << "code " << f.code << ":\n" << kopf.toStdString();
  }
}

TEST(TextExport, OnlyNumberTextsTakeTheChosenDecimalSign) {
  pv::Messdaten d;
  d.anhaengen(3723.5f, 12.0f);   // 1 h 2 min 3.5 s
  d.anhaengen(7200.0f, 12.5f);
  pv::ExportOptionen o = optionen(QStringLiteral(";"), u'.');
  o.bereich = {1, 2, 1};
  o.yNachkommastellen = 0;
  struct Fall {
    const char* name;
    int16_t xCode;
    int16_t yNachkommastellen;
    QList<QByteArray> zeilen;
  };
  const Fall faelle[] = {
      {"no decimals: unchanged", 10, 0, {"1;3723.50;12", "2;7200.00;13"}},
      {"two decimals: the sign replaced", 10, 2, {"1;3723.50;12.00", "2;7200.00;12.50"}},
      {"hours get the sign too", 12, 2, {"1;1.03;12.00", "2;2.00;12.50"}},
      {"clock time written as formatted", 15, 2, {"1;01:02:03;12.00", "2;02:00:00;12.50"}},
  };
  for (const Fall& f : faelle) {
    SCOPED_TRACE(f.name);
    o.xCode = f.xCode;
    o.yNachkommastellen = f.yNachkommastellen;
    EXPECT_EQ(datenzeilen(pv::exportText(d, {}, o)), f.zeilen);
  }
  // The same rule as a function of its own: the first occurrence only.
  EXPECT_EQ(pv::DezimalzeichenErsetzen(QStringLiteral("1,2,3"), QStringLiteral(","), QStringLiteral(".")),
            QStringLiteral("1.2,3"));
  EXPECT_EQ(pv::DezimalzeichenErsetzen(QStringLiteral("12"), QStringLiteral(","), QStringLiteral(".")),
            QStringLiteral("12"));
}

TEST(TextExport, RangeAndStepChooseTheLines) {
  pv::ExportOptionen o = optionen(QStringLiteral("\t"), u',');
  o.bereich = {2, 6, 2};
  EXPECT_EQ(datenzeilen(pv::exportText(fixtur(), {}, o)),
            (QList<QByteArray>{"2\t0,50\t-2,500", "4\t1,50\t0,000", "6\t3,00\t-0,125"}));
  // An empty "Anderes" separator runs the fields together.
  o.trennzeichen = pv::trennzeichen(Trennzeichenwahl::Anderes, QString());
  o.bereich = {5, 5, 1};
  EXPECT_EQ(datenzeilen(pv::exportText(fixtur(), {}, o)), QList<QByteArray>{"52,251234,500"});
  // A range reaching past the values, with no step, stays within them.
  o.bereich = {-3, 99, 0};
  EXPECT_EQ(datenzeilen(pv::exportText(fixtur(), {}, o)).size(), 6);
}

TEST(TextExport, ARunStoppedEarlyHoldsTheHeaderAndTheLinesDone) {
  pv::Messdaten d = fixtur();
  pv::TextExportLauf lauf(d, beschreibung(), optionen(QStringLiteral("\t"), u','));
  // The recording goes on meanwhile; the run keeps its own copy.
  pv::Messdaten& original = d;
  original.leeren();
  lauf.weiter();
  lauf.weiter();
  EXPECT_FALSE(lauf.fertig());
  const QByteArray ganz = golden("export_tabstop_komma.txt");
  const QByteArray erwartet = ganz.left(ganz.indexOf("3\t1,00"));
  EXPECT_EQ(lauf.bytes(), erwartet);
}

TEST(TextExport, ProgressCountsWholePercentOfTheSteps) {
  const pv::Bereich zehn{1, 11, 1};
  EXPECT_EQ(pv::exportFortschritt(1, zehn), 0);
  EXPECT_EQ(pv::exportFortschritt(2, zehn), 10);
  EXPECT_EQ(pv::exportFortschritt(11, zehn), 100);
  const pv::Bereich drei{1, 10, 3};  // 9 / 3 = 3 steps
  EXPECT_EQ(pv::exportFortschritt(2, drei), 33);
  EXPECT_EQ(pv::exportFortschritt(3, drei), 66);
  EXPECT_EQ(pv::exportFortschritt(1, pv::Bereich{4, 4, 1}), 0);
}

// ---- the dialog's range check and presets ----

TEST(ExportBereich, RefusalsComeInTheirOrder) {
  const QString bisZuGross = QStringLiteral("Der 'Bis'-Wert muss zwischen 2 und 5 liegen");
  const QString vonKlein = QStringLiteral("Sie können nur Meßwerte aus dem Bereich 1 bis 5 exportieren!");
  const struct {
    const char* name;
    const char* von;
    const char* bis;
    const char* schritt;
    QString meldung;
    pv::Symbol symbol;
    QString titel;
  } faelle[] = {
      {"blank Von (the field's initial text)", " ", "x", "x", QStringLiteral("Fehlerhafte Eingabe beim 'Von'-Wert"),
       pv::Symbol::Keins, pv::kAnwendungstitel},
      {"unreadable Bis", "0", "", "x", QStringLiteral("Fehlerhafte Eingabe beim 'Bis'-Wert"), pv::Symbol::Keins,
       pv::kAnwendungstitel},
      {"Von below 1 before Bis beyond m", "-2", "9", "x", vonKlein, pv::Symbol::Kritisch, QString()},
      {"Bis beyond m", "1", "9", "x", bisZuGross, pv::Symbol::Keins, pv::kAnwendungstitel},
      {"Von equal to Bis", "3", "3", "x", QStringLiteral("Der Wert 'Von' muss kleiner sein als der Wert 'Bis'"),
       pv::Symbol::Keins, pv::kAnwendungstitel},
      {"unreadable step", "1", "5", "x", QStringLiteral("Fehlerhafte Eingabe bei der Schrittweite"),
       pv::Symbol::Keins, pv::kAnwendungstitel},
  };
  for (const auto& f : faelle) {
    SCOPED_TRACE(f.name);
    const pv::Bereichspruefung p = pv::exportbereichPruefen(QString::fromUtf8(f.von), QString::fromUtf8(f.bis),
                                                            QString::fromUtf8(f.schritt), 5, u',');
    ASSERT_FALSE(p.gueltig());
    EXPECT_EQ(p.ablehnung.text, f.meldung);
    EXPECT_EQ(p.ablehnung.symbol, f.symbol);
    EXPECT_EQ(p.ablehnung.titel, f.titel);
  }
  const pv::Bereichspruefung p = pv::exportbereichPruefen(QStringLiteral("2"), QStringLiteral("5"),
                                                          QStringLiteral("-1"), 5, u',');
  ASSERT_TRUE(p.gueltig());
  EXPECT_EQ(p.bereich->schritt, 1);
}

TEST(ExportBereich, PresetsFollowTheOpenTable) {
  // Without the table: all values, a step that keeps below 65536 values.
  pv::ExportVorgaben v = pv::exportVorgaben(70000, std::nullopt, u',');
  EXPECT_TRUE(v.alle);
  EXPECT_EQ(v.von, QStringLiteral("1"));
  EXPECT_EQ(v.bis, QStringLiteral("70000"));
  EXPECT_EQ(v.schritt, QStringLiteral("2"));
  EXPECT_EQ(pv::exportVorgaben(65535, std::nullopt, u',').schritt, QStringLiteral("1"));

  // The table lists everything: "alle", with its step.
  v = pv::exportVorgaben(50, pv::TabellenFelder{QStringLiteral("1"), QStringLiteral("50"), QStringLiteral("3")}, u',');
  EXPECT_TRUE(v.alle);
  EXPECT_EQ(v.schritt, QStringLiteral("3"));
  // A part of it: "Von" with the table's texts.
  v = pv::exportVorgaben(50, pv::TabellenFelder{QStringLiteral("5"), QStringLiteral("50"), QStringLiteral("1")}, u',');
  EXPECT_FALSE(v.alle);
  EXPECT_EQ(v.von, QStringLiteral("5"));
  EXPECT_EQ(v.bis, QStringLiteral("50"));
}

}  // namespace
