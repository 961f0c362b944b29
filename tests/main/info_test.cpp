#include <QLabel>
#include <gtest/gtest.h>

#include "common/hyperlink.h"
#include "main/info.h"

namespace {

TEST(Info, VersionNumbersWithoutPadding) {
  EXPECT_EQ(pv::infotexte(QStringLiteral("3.1.0")).version, "3.1.0");
  EXPECT_EQ(pv::infotexte(QStringLiteral("3.1.70")).titel, "Pelvaron Version 3.1");
  EXPECT_EQ(pv::infotexte(QStringLiteral("03.01")).version, "3.1.0");
  pv::frmInfo info(QStringLiteral("3.1.0"));
  EXPECT_EQ(info.lblVersion->text(), "3.1.0");
  EXPECT_TRUE(info.FreeLinkMail->HyperLink().startsWith(QStringLiteral("mailto:")));
}

}  // namespace
