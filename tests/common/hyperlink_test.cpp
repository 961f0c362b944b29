// The link label: hover look, a click opening its target, the mouse
// events it reports and its design-time properties.
#include <QApplication>
#include <QDir>
#include <QEnterEvent>
#include <QImage>
#include <QLabel>
#include <QMetaProperty>
#include <QMouseEvent>
#include <QPixmap>
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
  link.setEnabled(false);
  QApplication::sendEvent(&link, &hinein);
  EXPECT_FALSE(text->font().underline()) << "a disabled link shows no hover look";
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

TEST(FreeLink, MouseEventsCarryButtonModifiersAndPosition) {
  pv::FreeLink link;
  link.resize(120, 20);
  QStringList gemeldet;
  const auto text = [](const char* art, Qt::MouseButtons knopf, Qt::KeyboardModifiers umschalt, QPointF pos) {
    return QStringLiteral("%1 %2 %3 %4,%5").arg(art).arg(int(knopf)).arg(int(umschalt)).arg(pos.x()).arg(pos.y());
  };
  const auto merken = [&](const char* art) {
    return [&, art](Qt::MouseButtons k, Qt::KeyboardModifiers u, QPointF p) { gemeldet << text(art, k, u, p); };
  };
  QObject::connect(&link, &pv::FreeLink::MouseDown, merken("Down"));
  QObject::connect(&link, &pv::FreeLink::MouseMove, merken("Move"));
  QObject::connect(&link, &pv::FreeLink::MouseUp, merken("Up"));
  QObject::connect(&link, &pv::FreeLink::Click, [&] { gemeldet << QStringLiteral("Click"); });
  QObject::connect(&link, &pv::FreeLink::DblClick, [&] { gemeldet << QStringLiteral("DblClick"); });

  const auto senden = [&](QEvent::Type art, QPointF pos, Qt::MouseButton knopf, Qt::MouseButtons gehalten,
                          Qt::KeyboardModifiers umschalt) {
    QMouseEvent e(art, pos, link.mapToGlobal(pos), knopf, gehalten, umschalt);
    QApplication::sendEvent(&link, &e);
  };
  const Qt::MouseButtons beide = Qt::LeftButton | Qt::RightButton;
  senden(QEvent::MouseButtonPress, {7, 4}, Qt::RightButton, Qt::RightButton, Qt::ShiftModifier);
  senden(QEvent::MouseMove, {9.5, 5}, Qt::NoButton, beide, Qt::ControlModifier);
  senden(QEvent::MouseButtonRelease, {11, 6}, Qt::RightButton, Qt::NoButton, Qt::AltModifier);
  EXPECT_EQ(gemeldet, QStringList({text("Down", Qt::RightButton, Qt::ShiftModifier, {7, 4}),
                                   text("Move", beide, Qt::ControlModifier, {9.5, 5}),
                                   text("Up", Qt::RightButton, Qt::AltModifier, {11, 6})}));

  gemeldet.clear();
  for (QEvent::Type art : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease, QEvent::MouseButtonDblClick,
                           QEvent::MouseButtonRelease}) {
    const bool gedrueckt = art != QEvent::MouseButtonRelease;
    senden(art, {3, 2}, Qt::LeftButton, gedrueckt ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
  }
  const QString unten = text("Down", Qt::LeftButton, Qt::NoModifier, {3, 2});
  const QString oben = text("Up", Qt::LeftButton, Qt::NoModifier, {3, 2});
  EXPECT_EQ(gemeldet, QStringList({unten, oben, QStringLiteral("Click"), QStringLiteral("DblClick"), oben}));
}

// Where the caption's dark pixels lie, as a rectangle.
QRect tinte(pv::FreeLink& link) {
  QImage bild(link.size(), QImage::Format_RGB32);
  bild.fill(Qt::white);
  link.render(&bild);
  QRect r;
  for (int y = 0; y < bild.height(); ++y)
    for (int x = 0; x < bild.width(); ++x)
      if (qGray(bild.pixel(x, y)) < 100) r |= QRect(x, y, 1, 1);
  return r;
}

TEST(FreeLink, WordWrapAlignmentAndMnemonicsMoveTheCaption) {
  pv::FreeLink link;
  link.resize(200, 120);
  link.CaptionSetzen(QStringLiteral("Messwerte erfassen und auswerten mit Pelvaron"));
  const int zeile = link.fontMetrics().height();
  const QRect eineZeile = tinte(link);
  ASSERT_FALSE(eineZeile.isEmpty());
  EXPECT_LE(eineZeile.height(), zeile);
  link.setProperty("WordWrap", true);
  EXPECT_TRUE(link.WordWrap());
  EXPECT_GT(tinte(link).height(), zeile) << "wrapped onto a second line";

  link.CaptionSetzen(QStringLiteral("kurz"));
  EXPECT_LT(tinte(link).left(), 20);
  link.setProperty("Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignRight | Qt::AlignVCenter)));
  EXPECT_EQ(link.Alignment(), Qt::AlignRight | Qt::AlignVCenter);
  EXPECT_GT(tinte(link).left(), 120);
  EXPECT_GT(tinte(link).right(), 180);

  link.CaptionSetzen(QStringLiteral("&&&&&&"));
  const int mnemonik = tinte(link).width();
  link.setProperty("UseMnemonic", false);
  EXPECT_GT(tinte(link).width(), mnemonik) << "six \"&\" instead of three";
}

TEST(FreeLink, ANewLinkHoldsTheDefaultsAFormKeeps) {
  QWidget behaelter;
  const QFont schrift(QStringLiteral("Arial"), 13);
  behaelter.setFont(schrift);
  QFont unterstrichen = schrift;
  unterstrichen.setUnderline(true);
  const QColor knopfflaeche = QPalette().color(QPalette::Button);
  pv::FreeLink link(&behaelter);
  const struct {
    const char* name;
    QVariant standard;
  } tabelle[] = {
      {"BackColor", knopfflaeche},
      {"ForeColor", QPalette().color(QPalette::WindowText)},
      {"enabled", true},
      {"Font", schrift},
      {"BorderStyle", 0},
      {"AutoSize", false},
      {"WordWrap", false},
      {"Caption", QStringLiteral("Label1")},
      {"HyperLink", QString()},
      {"MouseIcon", QVariant()},  // no picture
      {"MousePointer", QVariant::fromValue(Qt::ArrowCursor)},
      {"OLEDropMode", 0},
      {"UseMnemonic", true},
      {"FontActive", unterstrichen},
      {"ForeColorActive", QColor(255, 0, 0)},
      {"Appearance", 1},
      {"Alignment", QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter))},
      {"BackColorActive", knopfflaeche},
  };
  const QMetaObject* meta = link.metaObject();
  for (const auto& zeile : tabelle) {
    const QMetaProperty eigenschaft = meta->property(meta->indexOfProperty(zeile.name));
    ASSERT_TRUE(eigenschaft.isValid()) << zeile.name;
    EXPECT_TRUE(eigenschaft.isStored() && eigenschaft.isDesignable() && eigenschaft.isWritable()) << zeile.name;
    const QVariant wert = eigenschaft.read(&link);
    if (zeile.standard.isValid())
      EXPECT_EQ(wert, zeile.standard) << zeile.name;
    else
      EXPECT_TRUE(wert.value<QPixmap>().isNull()) << zeile.name;
  }
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
