#include "common/meldungen.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// A box without a title shows none, where the window system would put the
// application's name in the place of an empty title.
TEST(Meldungen, ABoxWithoutATitleShowsNone) {
  QString gezeigt;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    gezeigt = box->windowTitle();
    box->accept();
  });
  pv::DialogMeldungen().zeigen(QStringLiteral("Text"), {}, pv::Knoepfe::Ok, pv::Symbol::Ausruf, pv::Antwort::Ok);
  EXPECT_FALSE(gezeigt.isEmpty());
  EXPECT_TRUE(gezeigt.trimmed().isEmpty()) << gezeigt.toStdString();
}

}  // namespace
