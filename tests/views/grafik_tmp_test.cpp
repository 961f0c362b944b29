#include <gtest/gtest.h>
#include <QLabel>
#include <QLineEdit>
#include <QtCore/qtestsupport_core.h>
#include "ansichten_testhilfe.h"
#include "views/grafikfenster.h"
#include "views/ansichtenzustand.h"
TEST(GrafikTmp, ResizeRedraws) {
  pvtest::Ansichtenumgebung u;
  pv::hauptmodul().einstellungen.AktuellesSchema = 1;
  pv::hauptmodul().einstellungen.Schemata[1] = {1, 3, 1, 1, 0xFFFFFF, 0xF0F0F0, 0x000000, 0xFF};
  pv::grafikParameterAusEinstellungen(pv::hauptmodul().einstellungen);
  pvtest::Ansichtenumgebung::messungMit(50);
  pv::FormGRAFIK f;
  f.Zeigen();
  QCoreApplication::processEvents();
  QTest::qWait(300);
  qDebug() << f.size() << f.GRAF->size() << f.GRAF->bild().size() << f.TextMaximumX->text() << f.LabelMultiF->text() << u.programm.meldungen.boxen.size();
  EXPECT_TRUE(f.GRAF->flaeche().hatSkala());
  f.resize(700, 520);
  QTest::qWait(300);
  qDebug() << f.size() << f.GRAF->size() << f.GRAF->bild().size() << f.GRAF->flaeche().hatSkala() << f.LabelStep->text();
  EXPECT_TRUE(f.GRAF->flaeche().hatSkala());
  f.TextMinimumX->setText("5"); f.TextMaximumX->setText("5"); f.CheckMinMaxAutoX->setChecked(false);
  f.NeuButton_Click();
  qDebug() << f.LabelMultiF->text();
  f.close();
  EXPECT_FALSE(f.Offen());
  f.Zeigen();
  EXPECT_TRUE(f.Offen());
  f.MSchema_Click(9);
  qDebug() << u.programm.meldungen.boxen.back().text;
}
