// Text fields whose content is stored refuse what the files cannot hold.
#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "common/textpruefung.h"

namespace {

TEST(Textpruefung, FieldsRefuseCharactersTheFilesCannotHold) {
  QStringList meldungen;
  const auto melden = [&](const QString& text) { meldungen << text; };

  QLineEdit einheit;
  pv::speicherbarBegrenzen(&einheit, melden);
  einheit.insert(QStringLiteral("µ°C ä"));
  EXPECT_EQ(einheit.text(), QStringLiteral("µ°C ä"));
  EXPECT_TRUE(meldungen.isEmpty());
  einheit.insert(QStringLiteral("Ω"));
  EXPECT_EQ(einheit.text(), QStringLiteral("µ°C ä"));
  ASSERT_EQ(meldungen.size(), 1);
  EXPECT_EQ(meldungen.back(), QStringLiteral("Das Zeichen „Ω“ kann in der Datei nicht gespeichert werden."));
  // A character beyond the first plane is named whole.
  einheit.insert(QStringLiteral("𝜔"));
  EXPECT_EQ(meldungen.back(), QStringLiteral("Das Zeichen „𝜔“ kann in der Datei nicht gespeichert werden."));

  // A paste keeps what can be stored (€ is in the code page), the caret
  // after it.
  QLineEdit titel(QStringLiteral("[]"));
  pv::speicherbarBegrenzen(&titel, melden);
  titel.setCursorPosition(1);
  QApplication::clipboard()->setText(QStringLiteral("Preis 5€ Ω𝜔 Ä"));
  titel.paste();
  EXPECT_EQ(titel.text(), QStringLiteral("[Preis 5€  Ä]"));
  EXPECT_EQ(titel.cursorPosition(), 12);
  EXPECT_EQ(meldungen.back(), QStringLiteral("Das Zeichen „Ω“ kann in der Datei nicht gespeichert werden."));

  QTextEdit kommentar;
  pv::speicherbarBegrenzen(&kommentar, melden, 10);
  kommentar.insertPlainText(QStringLiteral("a ≥ b\nc"));
  EXPECT_EQ(kommentar.toPlainText(), QStringLiteral("a  b\nc"));
  EXPECT_EQ(kommentar.textCursor().position(), 6);
  EXPECT_EQ(meldungen.back(), QStringLiteral("Das Zeichen „≥“ kann in der Datei nicht gespeichert werden."));
  // Beyond the bytes the file takes (the line break is CR LF there) the
  // edit loses its end.
  kommentar.insertPlainText(QStringLiteral("xyz1"));
  EXPECT_EQ(kommentar.toPlainText(), QStringLiteral("a  b\ncxyz"));
  EXPECT_EQ(kommentar.textCursor().position(), 9);
  EXPECT_EQ(meldungen.back(), pv::zuLangMeldung(10));
}

}  // namespace
