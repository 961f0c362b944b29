// The link label: hover look, and a click opening its target.
#include <QApplication>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "common/hyperlink.h"

namespace {

void klicken(QWidget& w) {
  const QPointF mitte(w.width() / 2.0, w.height() / 2.0);
  QMouseEvent los(QEvent::MouseButtonRelease, mitte, w.mapToGlobal(mitte), Qt::LeftButton, Qt::NoButton,
                  Qt::NoModifier);
  QApplication::sendEvent(&w, &los);
}

TEST(FreeLink, ClickOpensTheTargetAndHoverChangesTheLook) {
  QStringList geoeffnet;
  pv::FreeLink::oeffnerSetzen([&](const QString& ziel) { geoeffnet << ziel; });
  pv::FreeLink link;
  link.resize(120, 20);
  link.CaptionSetzen(QStringLiteral("Webseite"));
  klicken(link);
  EXPECT_TRUE(geoeffnet.isEmpty()) << "no target, nothing opened";
  link.HyperLinkSetzen(QStringLiteral("mailto:a@b.example"));
  klicken(link);
  EXPECT_EQ(geoeffnet, QStringList{QStringLiteral("mailto:a@b.example")});

  auto* text = link.findChild<QLabel*>();
  QEnterEvent hinein(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QApplication::sendEvent(&link, &hinein);
  EXPECT_TRUE(text->font().underline());
  EXPECT_EQ(text->palette().color(QPalette::WindowText), QColor(255, 0, 0));
  QEvent hinaus(QEvent::Leave);
  QApplication::sendEvent(&link, &hinaus);
  EXPECT_FALSE(text->font().underline());
  pv::FreeLink::oeffnerSetzen({});
}

}  // namespace
