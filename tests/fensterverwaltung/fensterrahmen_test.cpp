// The program's windows under a real X server with a window manager
// (started by unter_openbox.sh): each window, opened as the user opens it,
// must have its whole frame, caption included, on the work area. The frame
// is read from the X server: the window's place and size and the extents
// the window manager put around it (_NET_FRAME_EXTENTS).
#include <gtest/gtest.h>
#include <xcb/xcb.h>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <cmath>
#include <cstring>
#include <functional>
#include <optional>
#include <vector>

#include "common/fensterplatz.h"
#include "common/x11/fensterrahmen_x11.h"
#include "main/aufnahme.h"
#include "main/einstellungsdatei.h"
#include "main/form1.h"
#include "main/hauptzustand.h"
#include "main/messdatei.h"
#include "main/programm.h"
#include "main/werkseinstellungen.h"
#include "support/pseudoterminal.h"
#include "support/testhilfe.h"
#include "views/grafikfenster.h"
#include "views/verdrahtung.h"

namespace {

QList<int> zahlen(const QString& text) {
  QList<int> z;
  for (const QRegularExpressionMatch& m : QRegularExpression(QStringLiteral("-?\\d+")).globalMatch(text))
    z << m.captured().toInt();
  return z;
}

QString ausgabe(const QString& programm, const QStringList& argumente) {
  QProcess p;
  p.start(programm, argumente);
  p.waitForFinished(5000);
  return QString::fromLocal8Bit(p.readAllStandardOutput());
}

// The work area the window manager announces.
QRect arbeitsbereich() {
  const QString wert = ausgabe(QStringLiteral("xprop"), {QStringLiteral("-root"), QStringLiteral("_NET_WORKAREA")});
  const QList<int> z = zahlen(wert.section(u'=', 1));
  return z.size() >= 4 ? QRect(z[0], z[1], z[2], z[3]) : QRect();
}

// The window's frame on the screen once the window manager has framed and
// shown it.
std::optional<QRect> rahmen(WId fenster) {
  const QString id = QString::number(fenster);
  const QString info = ausgabe(QStringLiteral("xwininfo"), {QStringLiteral("-id"), id});
  if (!info.contains(QStringLiteral("IsViewable"))) return {};
  const auto wert = [&info](const char* name) {
    const QRegularExpression muster(QLatin1String(name) + QStringLiteral(":\\s*(-?\\d+)"));
    return muster.match(info).captured(1).toInt();
  };
  const QList<int> r =
      zahlen(ausgabe(QStringLiteral("xprop"), {QStringLiteral("-id"), id, QStringLiteral("_NET_FRAME_EXTENTS")})
                 .section(u'=', 1));
  if (r.size() != 4) return {};
  const QRect innen(wert("Absolute upper-left X"), wert("Absolute upper-left Y"), wert("Width"), wert("Height"));
  return innen.adjusted(-r[0], -r[2], r[1], r[3]);
}

// Moves the window's frame to `ecke` as the user does, through the window
// manager.
void vomBenutzerVerschoben(WId fenster, QPoint ecke) {
  xcb_connection_t* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const char name[] = "_NET_MOVERESIZE_WINDOW";
  xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, sizeof name - 1, name), nullptr);
  xcb_client_message_event_t e{};
  e.response_type = XCB_CLIENT_MESSAGE;
  e.format = 32;
  e.window = static_cast<xcb_window_t>(fenster);
  e.type = atom ? atom->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  free(atom);
  // The frame's top left corner (north-west gravity), x and y given, asked for by the user.
  e.data.data32[0] = XCB_GRAVITY_NORTH_WEST | 1u << 8 | 1u << 9 | 2u << 12;
  e.data.data32[1] = static_cast<uint32_t>(ecke.x());
  e.data.data32[2] = static_cast<uint32_t>(ecke.y());
  xcb_send_event(x, 0, xcb_setup_roots_iterator(xcb_get_setup(x)).data->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&e));
  xcb_flush(x);
}

QString text(const std::optional<QRect>& r) {
  if (!r) return QStringLiteral("not shown or not framed");
  return QStringLiteral("%1,%2 %3x%4").arg(r->x()).arg(r->y()).arg(r->width()).arg(r->height());
}

QSet<QWidget*> offeneFenster() {
  QSet<QWidget*> offen;
  for (QWidget* w : QApplication::topLevelWidgets())
    if (w->isVisible() && (w->windowType() == Qt::Window || w->windowType() == Qt::Dialog)) offen << w;
  return offen;
}

struct Erwartung {
  bool offenLassen = false;  // else the window is closed after the check
  bool deckt = false;        // the frame covers the work area exactly
};

class Fensterrahmen : public ::testing::Test {
 protected:
  void SetUp() override {
    Tolvek::X11RahmenmeldungenSetzen();
    pv::hauptmodul() = pv::Hauptmodul{};
    for (const QString& datei : QDir(QStringLiteral(PELVARON_DATEN)).entryList(QDir::Files))
      QFile::copy(QStringLiteral(PELVARON_DATEN) + u'/' + datei, u.pfad(datei));
    pv::Einstellungen e;
    pv::Standardparameter(e, u.pfad());
    e.AktuellesMessgeraet = QStringLiteral("Multimeter (sendet selbst)");
    ASSERT_TRUE(pv::iniSichern(u.pfad(), u',', e));
    programm = std::make_unique<pv::Programm>(QStringList{QStringLiteral("pelvaron")}, QLocale(QLocale::German),
                                              [] {});
    ASSERT_TRUE(programm->FormLaden());
    pv::ansichtenAnschliessen(*programm);
    pv::Messtexte texte = programm->aufnahme().messtexte();
    ASSERT_TRUE(pv::MessungEinlesen(pvtest::testdatei(QStringLiteral("messung_grafik.mes")), false,
                                    pv::hauptmodul().messdaten, texte)
                    .gelesen());
    programm->aufnahme().messtexteSetzen(texte);
    bereich = arbeitsbereich();
    ASSERT_FALSE(bereich.isEmpty());
  }

  // Opens a window with `oeffnen` (a modal one from inside its own event
  // loop), waits until its frame is on the screen and wholly on the work
  // area, or covers it as `erwartet`, and closes it unless it is to stay
  // open. The window manager frames a window after it was mapped, so the
  // program may need a moment to fit it. Frames and work area are device
  // pixels; windows lie on whole logical pixels, so at a scale above 1 each
  // edge may be off by up to one of them (in whole device pixels).
  QWidget* pruefen(const char* name, const std::function<void()>& oeffnen, Erwartung erwartet = {}) {
    const qreal skala = qGuiApp->devicePixelRatio();
    const int abweichung = skala > 1 ? int(std::ceil(skala)) : 0;
    const QMargins rand(abweichung, abweichung, abweichung, abweichung);
    const QSet<QWidget*> vorher = offeneFenster();
    QWidget* neu = nullptr;
    bool geprueft = false;
    QTimer::singleShot(0, [&] {
      const QSet<QWidget*> jetzt = offeneFenster() - vorher;
      neu = jetzt.isEmpty() ? nullptr : *jetzt.begin();
      if (neu) {
        std::optional<QRect> r;
        QElapsedTimer seitAbfrage;
        const bool passt = pvtest::warteBis(
            [&] {
              if (seitAbfrage.isValid() && seitAbfrage.elapsed() < 40) return false;
              seitAbfrage.start();
              r = rahmen(neu->winId());
              return r && bereich.marginsAdded(rand).contains(*r) &&
                     (!erwartet.deckt || r->contains(bereich.marginsRemoved(rand)));
            },
            5000);
        EXPECT_TRUE(passt) << name << ": frame " << text(r).toStdString()
                           << (erwartet.deckt ? " covering the work area " : " on the work area ")
                           << text(bereich).toStdString();
        if (!erwartet.offenLassen) neu->close();
      }
      geprueft = true;
    });
    oeffnen();
    EXPECT_TRUE(pvtest::warteBis([&] { return geprueft; }, 10000)) << name;
    EXPECT_NE(neu, nullptr) << name << " did not open";
    return neu;
  }

  pvtest::Programmumgebung u;
  std::unique_ptr<pv::Programm> programm;
  QRect bereich;
};

TEST_F(Fensterrahmen, EveryWindowHasItsFrameOnTheWorkArea) {
  pv::Form1& f = programm->form1();
  // The graph window covers the work area. Opened before any other window
  // is on the screen, it has no frame to go by until the window manager
  // has framed it.
  auto* grafik = qobject_cast<pv::FormGRAFIK*>(
      pruefen("graph", [&] { f.MGrafik->trigger(); }, {.offenLassen = true, .deckt = true}));
  ASSERT_NE(grafik, nullptr);
  pruefen("print", [&] { grafik->MGrDruck->trigger(); });
  grafik->close();
  pruefen("main window", [&] { f.show(); }, {.offenLassen = true});
  pruefen("graph, second opening", [&] { f.MGrafik->trigger(); }, {.deckt = true});
  pruefen("large display", [&] { f.MDSPL->trigger(); }, {.deckt = true});

  const std::pair<const char*, QAction*> menue[] = {
      {"table", f.MTabelle},           {"graph settings", f.MOptionen},      {"export", f.MExport},
      {"device list", f.MGerHinLoe},   {"device editor", f.MMessgeraet},     {"measurement settings", f.MMessung},
      {"about box", f.MInfo},
  };
  for (const auto& [name, punkt] : menue) pruefen(name, [punkt] { punkt->trigger(); });
  pruefen("sensor editor", [&] { pv::steuerelemente(f).CommandMessfuehlerAendern->click(); });
}

TEST_F(Fensterrahmen, AWindowLeftOffTheScreenIsBackOnTheWorkAreaWhenShownAgain) {
  pv::Form1& f = programm->form1();
  QWidget* grafik = pruefen("graph", [&] { f.MGrafik->trigger(); }, {.offenLassen = true, .deckt = true});
  ASSERT_NE(grafik, nullptr);
  // The user drags it until its caption is off the screen, and closes it.
  vomBenutzerVerschoben(grafik->winId(), bereich.topLeft() - QPoint(200, 150));
  ASSERT_TRUE(pvtest::warteBis([&] { return !grafik->screen()->availableGeometry().contains(grafik->geometry()); }, 5000))
      << "the window manager did not move the window";
  grafik->close();
  ASSERT_TRUE(pvtest::warteBis([&] { return !grafik->windowHandle()->isExposed(); }, 5000));
  pruefen("graph, opened again", [&] { f.MGrafik->trigger(); }, {.deckt = true});
}

// A window manager that takes over, or changes what it supports, says so on
// the root window: whether frames are announced is then read anew.
TEST(Rahmenmeldungen, AreReadAnewWhenTheWindowManagerChangesWhatItSupports) {
  Tolvek::Rahmenmeldungen* meldungen = Tolvek::X11RahmenmeldungenSetzen();
  ASSERT_NE(meldungen, nullptr);
  QWidget fenster;
  const WId id = fenster.winId();
  ASSERT_TRUE(meldungen->werdenGemeldet(id));
  xcb_connection_t* x = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
  const xcb_window_t wurzel = xcb_setup_roots_iterator(xcb_get_setup(x)).data->root;
  const auto atom = [x](const char* name) {
    xcb_intern_atom_reply_t* a = xcb_intern_atom_reply(x, xcb_intern_atom(x, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t wert = a ? a->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    free(a);
    return wert;
  };
  const xcb_atom_t unterstuetzt = atom("_NET_SUPPORTED"), ausmasse = atom("_NET_FRAME_EXTENTS");
  xcb_get_property_reply_t* a =
      xcb_get_property_reply(x, xcb_get_property(x, 0, wurzel, unterstuetzt, XCB_ATOM_ATOM, 0, 4096), nullptr);
  ASSERT_NE(a, nullptr);
  const auto* anfang = static_cast<const xcb_atom_t*>(xcb_get_property_value(a));
  const std::vector<xcb_atom_t> vorher(anfang, anfang + xcb_get_property_value_length(a) / 4);
  free(a);
  const auto setzen = [&](const std::vector<xcb_atom_t>& liste) {
    xcb_change_property(x, XCB_PROP_MODE_REPLACE, wurzel, unterstuetzt, XCB_ATOM_ATOM, 32,
                        static_cast<uint32_t>(liste.size()), liste.data());
    xcb_flush(x);
  };
  std::vector<xcb_atom_t> ohne = vorher;
  std::erase(ohne, ausmasse);
  setzen(ohne);
  EXPECT_TRUE(pvtest::warteBis([&] { return !meldungen->werdenGemeldet(id); }, 60000));
  setzen(vorher);
  EXPECT_TRUE(pvtest::warteBis([&] { return meldungen->werdenGemeldet(id); }, 60000));
}

}  // namespace
