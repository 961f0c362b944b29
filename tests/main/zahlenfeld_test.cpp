// The main window's numeric boxes: commit, restore, refusal.
#include <QApplication>
#include <QClipboard>
#include <QDragEnterEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMimeData>
#include <gtest/gtest.h>

#include "main/zahlenfeld.h"
#include "support/testhilfe.h"

namespace {

void taste(QLineEdit& feld, int key, const QString& text = {}) {
  QKeyEvent druck(QEvent::KeyPress, key, Qt::NoModifier, text);
  QApplication::sendEvent(&feld, &druck);
}

struct Wartezeitfeld {
  pvtest::FakeMeldungen meldungen;
  float wartezeit = 1.5f;
  QLineEdit feld{QStringLiteral("1,5")};
  pv::Zahlenfeld eingabe{&feld,
                          [this](const QString& t) { return pv::wartezeitFestlegen(t, wartezeit, u',', meldungen); },
                          [this] { return pv::wartezeitAnzeige(wartezeit, u','); }};
  void tippen(const QString& text) {
    feld.clear();
    for (QChar c : text) taste(feld, Qt::Key_A, c);
  }
};

TEST(Zahlenfeld, WaitingTimeCommitRestoreAndRefusal) {
  struct Fall {
    const char* name;
    QString text;
    float wert;
    QString anzeige;
    bool grau;
    bool meldung;
  };
  for (const Fall& f : {Fall{"kept at full precision", "2,56", 2.56f, "2,6", false, false},
                        Fall{"0 shown as 0", "0", 0, "0", false, false},
                        Fall{"upper end", "86400", 86400, "86400,0", false, false},
                        Fall{"above the range", "86401", 1.5f, "86401", true, true},
                        Fall{"below the range", "-1", 1.5f, "-1", true, true},
                        Fall{"no number brings the value back", "abc", 1.5f, "1,5", false, false},
                        Fall{"empty brings the value back", "", 1.5f, "1,5", false, false}}) {
    Wartezeitfeld w;
    w.tippen(f.text);
    EXPECT_TRUE(w.eingabe.geaendert() || f.text.isEmpty()) << f.name;
    taste(w.feld, Qt::Key_Return);
    EXPECT_EQ(w.wartezeit, f.wert) << f.name;
    EXPECT_EQ(w.feld.text(), f.anzeige) << f.name;
    EXPECT_EQ(w.eingabe.geaendert(), f.grau) << f.name;
    EXPECT_EQ(w.meldungen.boxen.size(), f.meldung ? 1u : 0u) << f.name;
    // A refused entry is still there for Esc, and the exit keeps the value in force.
    EXPECT_EQ(pv::festerText(&w.feld), f.grau ? QStringLiteral("1,5") : f.anzeige) << f.name;
    taste(w.feld, Qt::Key_Escape);
    EXPECT_FALSE(w.eingabe.geaendert()) << f.name;
    EXPECT_EQ(w.feld.text(), pv::wartezeitAnzeige(f.wert, u',')) << f.name;
  }
}

// A refusal's message box takes the focus: that must not commit again.
TEST(Zahlenfeld, FocusLostToAnotherWindowDoesNotCommit) {
  Wartezeitfeld w;
  w.meldungen.waehrendBox = [&] {
    QFocusEvent weg(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
    QApplication::sendEvent(&w.feld, &weg);
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&w.feld, &tab);
  };
  w.tippen(QStringLiteral("99999"));
  taste(w.feld, Qt::Key_Return);
  EXPECT_EQ(w.meldungen.boxen.size(), 1u);
  w.meldungen.waehrendBox = nullptr;
  QFocusEvent weg(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&w.feld, &weg);
  EXPECT_EQ(w.meldungen.boxen.size(), 1u);
  w.tippen(QStringLiteral("3"));
  QFocusEvent menue(QEvent::FocusOut, Qt::MenuBarFocusReason);
  QApplication::sendEvent(&w.feld, &menue);
  EXPECT_EQ(w.wartezeit, 1.5f);
  QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
  QApplication::sendEvent(&w.feld, &tab);
  EXPECT_EQ(w.wartezeit, 3.0f);
  // Tabbing out of a box that shows the value in force keeps the value's
  // precision.
  w.tippen(QStringLiteral("2,56"));
  taste(w.feld, Qt::Key_Return);
  taste(w.feld, Qt::Key_Tab);
  EXPECT_FALSE(w.eingabe.geaendert());
  QApplication::sendEvent(&w.feld, &tab);
  EXPECT_EQ(w.wartezeit, 2.56f);
}

// A text changed without a key (context menu, middle button, drag and
// drop) is an entry like a typed one: grey, and leaving the box commits it.
TEST(Zahlenfeld, PasteAndDropCountAsTyping) {
  const std::vector<std::pair<const char*, std::function<void(QLineEdit&)>>> wege = {
      {"paste", [](QLineEdit& feld) {
         QGuiApplication::clipboard()->setText(QStringLiteral("7"));
         feld.selectAll();
         feld.paste();
       }},
      {"middle-button paste", [](QLineEdit& feld) {
         feld.selectAll();
         feld.insert(QStringLiteral("7"));
       }},
      {"drop", [](QLineEdit& feld) {
         feld.selectAll();
         feld.del();
         QMimeData daten;
         daten.setText(QStringLiteral("7"));
         QDragEnterEvent hinein(QPoint(2, 2), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(&feld, &hinein);
         QDropEvent drop(QPointF(2, 2), Qt::CopyAction, &daten, Qt::LeftButton, Qt::NoModifier);
         QApplication::sendEvent(&feld, &drop);
       }},
  };
  for (const auto& [name, aendern] : wege) {
    Wartezeitfeld w;
    aendern(w.feld);
    ASSERT_EQ(w.feld.text(), QStringLiteral("7")) << name;
    EXPECT_TRUE(w.eingabe.geaendert()) << name;
    EXPECT_EQ(pv::festerText(&w.feld), QStringLiteral("1,5")) << name;  // what the exit stores
    QFocusEvent tab(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(&w.feld, &tab);
    EXPECT_EQ(w.wartezeit, 7.0f) << name;
    EXPECT_FALSE(w.eingabe.geaendert()) << name;
  }
  // The program putting a text in is no entry.
  Wartezeitfeld w;
  w.feld.setText(QStringLiteral("9"));
  EXPECT_FALSE(w.eingabe.geaendert());
}

TEST(Zahlenfeld, CoefficientsAndTheLinearChoice) {
  pvtest::FakeMeldungen m;
  float wert = 2;
  auto f = pv::koeffizientFestlegen(QStringLiteral("1,50"), wert, u',', pv::kSteigungUngueltig, m);
  EXPECT_EQ(f.anzeige, "1,5");
  EXPECT_EQ(wert, 1.5f);
  f = pv::koeffizientFestlegen(QStringLiteral("x"), wert, u',', pv::kSteigungUngueltig, m);
  EXPECT_FALSE(f.fest);
  EXPECT_EQ(wert, 1.5f);
  ASSERT_EQ(m.boxen.size(), 1u);
  EXPECT_EQ(m.boxen[0].text, pv::kSteigungUngueltig);
  // Beyond single precision is no number for a factor.
  EXPECT_FALSE(pv::koeffizientFestlegen(QStringLiteral("1e39"), wert, u',', pv::kSteigungUngueltig, m).fest);
  EXPECT_EQ(wert, 1.5f);
  m.boxen.clear();

  // Esc brings back the text last in force, whatever the factor holds.
  QLineEdit feld(QStringLiteral("3"));
  pv::Zahlenfeld zahl(&feld, [&](const QString& t) {
    return pv::koeffizientFestlegen(t, wert, u',', pv::kSteigungUngueltig, m);
  });
  feld.setText(QStringLiteral("30"));
  taste(feld, Qt::Key_0, QStringLiteral("0"));
  taste(feld, Qt::Key_Escape);
  EXPECT_EQ(feld.text(), "3");
  EXPECT_EQ(wert, 1.5f);

  QString textM = QStringLiteral("2,50"), textT = QStringLiteral("b");
  float lm = 0, lt = 7;
  EXPECT_FALSE(pv::linearUebernehmen(textM, textT, lm, lt, u',', m));
  EXPECT_EQ(lm, 2.5f);  // the slope is taken before the offset fails
  EXPECT_EQ(textM, "2,5");
  EXPECT_EQ(lt, 7.0f);
  EXPECT_TRUE(m.boxen.back().text.startsWith(QStringLiteral("Die Angabe für den Achsenabschnitt ist ungültig!")));
}

}  // namespace
