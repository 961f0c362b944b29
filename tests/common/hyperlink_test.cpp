// The link label: hover look, and a click opening its target.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QLabel>
#include <QMouseEvent>
#include <gtest/gtest.h>

#include "common/hyperlink.h"
#include "support/testhilfe.h"

namespace {

void maus(QWidget& w, QEvent::Type art) {
  const QPointF mitte(w.width() / 2.0, w.height() / 2.0);
  const Qt::MouseButtons gedrueckt = art == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
  QMouseEvent e(art, mitte, w.mapToGlobal(mitte), Qt::LeftButton, gedrueckt, Qt::NoModifier);
  QApplication::sendEvent(&w, &e);
}

void klicken(QWidget& w) { maus(w, QEvent::MouseButtonRelease); }

TEST(FreeLink, ClickOpensTheTargetAndHoverChangesTheLook) {
  QList<QUrl> geoeffnet;
  pv::FreeLink::oeffnerSetzen([&](const QUrl& adresse) { geoeffnet << adresse; });
  pv::FreeLink link;
  link.resize(120, 20);
  link.CaptionSetzen(QStringLiteral("Webseite"));
  klicken(link);
  EXPECT_TRUE(geoeffnet.isEmpty()) << "no target, nothing opened";
  link.HyperLinkSetzen(QStringLiteral("mailto:a@b.example"));
  klicken(link);
  EXPECT_EQ(geoeffnet, QList<QUrl>{QUrl(QStringLiteral("mailto:a@b.example"))});

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

TEST(FreeLink, ADoubleClickOpensOnce) {
  int geoeffnet = 0;
  pv::FreeLink::oeffnerSetzen([&](const QUrl&) { ++geoeffnet; });
  pv::FreeLink link;
  link.resize(120, 20);
  link.HyperLinkSetzen(QStringLiteral("https://www.example.com"));
  for (QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                           QEvent::MouseButtonRelease})
    maus(link, art);
  EXPECT_EQ(geoeffnet, 1);
  klicken(link);
  EXPECT_EQ(geoeffnet, 2) << "the next click opens again";
  pv::FreeLink::oeffnerSetzen({});
}

TEST(FreeLink, AddressesKeepTheirSchemeAndFileNamesLieInTheProgramFolder) {
  const pvtest::Programmumgebung umgebung;
  const QString ordner = QDir(umgebung.pfad()).absolutePath();
  const auto datei = [](const QString& pfad) { return QUrl::fromLocalFile(pfad).toString(); };
  const struct {
    const char* ziel;
    QString adresse;
  } faelle[] = {
      {"https://www.example.com/a?b=1", QStringLiteral("https://www.example.com/a?b=1")},
      {"mailto:a@b.example", QStringLiteral("mailto:a@b.example")},
      {"Hilfe.pdf", datei(ordner + QStringLiteral("/Hilfe.pdf"))},
      {"Anleitung/Teil 2.pdf", datei(ordner + QStringLiteral("/Anleitung/Teil 2.pdf"))},
      {"/tmp/Daten.txt", datei(QStringLiteral("/tmp/Daten.txt"))},
  };
  for (const auto& f : faelle)
    EXPECT_EQ(pv::linkAdresse(QString::fromUtf8(f.ziel)).toString().toStdString(), f.adresse.toStdString());
}

}  // namespace
