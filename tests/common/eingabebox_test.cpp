#include "common/eingabebox.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include "common/meldungen.h"
#include "support/testhilfe.h"

namespace {

TEST(Eingabebox, LeereAufforderungFragtNicht) {
  pvtest::Programmumgebung umgebung;
  umgebung.eingaben.antworten = {QStringLiteral("12")};
  EXPECT_TRUE(pv::EingabeDialog({}, QStringLiteral("Titel"), QStringLiteral("5")).isEmpty());
  EXPECT_TRUE(umgebung.eingaben.fragen_.empty());
  EXPECT_EQ(pv::EingabeDialog(QStringLiteral("Anzahl:"), {}, QStringLiteral("5")), "12");
  ASSERT_EQ(umgebung.eingaben.fragen_.size(), 1u);
  EXPECT_EQ(umgebung.eingaben.fragen_[0].vorgabe, "5");
}

// The real dialog: Enter takes the preselected default, Esc gives nothing,
// a password character shows in place of each typed one while the typed
// text, edited, is returned; no title shows the application's.
TEST(Eingabebox, FensterTastenUndPasswort) {
  pv::DialogEingaben dialog;
  auto tippen = [](const QString& text, Qt::Key taste) {
    QTimer::singleShot(0, [=] {
      auto* fenster = qobject_cast<pv::EingabeFenster*>(QApplication::activeModalWidget());
      ASSERT_NE(fenster, nullptr);
      EXPECT_EQ(fenster->windowTitle(), pv::kAnwendungstitel);
      auto* feld = fenster->findChild<QLineEdit*>();
      if (!text.isEmpty()) {
        EXPECT_EQ(feld->echoMode(), QLineEdit::Password);
        QKeyEvent zeichen(QEvent::KeyPress, 0, Qt::NoModifier, text);
        QApplication::sendEvent(feld, &zeichen);  // replaces the selected default
        QKeyEvent zurueck(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
        QApplication::sendEvent(feld, &zurueck);
        EXPECT_EQ(feld->displayText(), QStringLiteral("******"));
      }
      QKeyEvent druck(QEvent::KeyPress, taste, Qt::NoModifier);
      QApplication::sendEvent(feld, &druck);
    });
  };
  tippen({}, Qt::Key_Return);
  EXPECT_EQ(dialog.fragen(QStringLiteral("Wert:"), {}, QStringLiteral("800;600"), {}), "800;600");
  tippen({}, Qt::Key_Escape);
  EXPECT_EQ(dialog.fragen(QStringLiteral("Wert:"), {}, QStringLiteral("800;600"), {}), "");
  tippen(QStringLiteral("geheimx"), Qt::Key_Return);
  EXPECT_EQ(dialog.fragen(QStringLiteral("Wert:"), {}, QStringLiteral("x"), QStringLiteral("*")),
            "geheim");
}

}  // namespace
