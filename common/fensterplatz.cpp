#include "fensterplatz.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <optional>

#include "fensterrahmen_x11.h"

namespace Tolvek {

QRect RahmenImArbeitsbereich(const QRect& rahmen, Fensterplatz platz, const QRect& bereich,
                             const QSize& mindestens) {
  const QSize gewuenscht = platz == Fensterplatz::Arbeitsbereich ? bereich.size() : rahmen.size();
  const QSize groesse = gewuenscht.boundedTo(bereich.size()).expandedTo(mindestens);
  QPoint ecke = rahmen.topLeft();
  if (platz != Fensterplatz::Behalten) {
    ecke = bereich.topLeft() +
           QPoint((bereich.width() - groesse.width()) / 2, (bereich.height() - groesse.height()) / 2);
  }
  // Back from the far edge first, then onto the near one.
  const auto einruecken = [](int anfang, int laenge, int bereichsanfang, int bereichslaenge) {
    return std::max(bereichsanfang, std::min(anfang, bereichsanfang + bereichslaenge - laenge));
  };
  ecke = {einruecken(ecke.x(), groesse.width(), bereich.x(), bereich.width()),
          einruecken(ecke.y(), groesse.height(), bereich.y(), bereich.height())};
  return {ecke, groesse};
}

namespace {

// The frame the window manager has put around the window: as it announces
// it on X11, else as Qt measures it; nothing while neither is known.
std::optional<QMargins> bekannterRahmen(const QWidget& fenster, const std::optional<X11Rahmen>& x11) {
  const QWindow* w = fenster.windowHandle();
  if (!w || !w->handle()) return {};
  if (x11 && x11->wirdGemeldet(w->winId())) return x11->rahmen(w->winId());
  const QMargins gemessen = w->frameMargins();
  if (gemessen.isNull()) return {};
  return gemessen;
}

// The frame expected around the window: its own when it is known, else
// that of another window of the program (the window manager frames them
// alike), else none.
QMargins erwarteterRahmen(const QWidget& fenster, const std::optional<X11Rahmen>& x11) {
  if (const auto eigener = bekannterRahmen(fenster, x11)) return *eigener;
  for (const QWidget* anderes : QApplication::topLevelWidgets()) {
    const Qt::WindowType art = anderes->windowType();
    if (anderes == &fenster || !anderes->isVisible() || (art != Qt::Window && art != Qt::Dialog)) continue;
    if (const auto rahmen = bekannterRahmen(*anderes, x11)) return *rahmen;
  }
  return {};
}

// Watches one window: each showing by the program places it with the frame
// expected then, and once the window is on the screen with the frame the
// window manager put around it, with that frame again. Whichever event
// comes last (the window's move, resize or exposure, or the announcement
// of its frame), each of them looks at the window as it is then, so none
// can pass unnoticed.
class Einpasser : public QObject, public QAbstractNativeEventFilter {
 public:
  static constexpr const char* kName = "Tolvek::Fensterplatz";

  Einpasser(QWidget& fenster, Fensterplatz platz)
      : QObject(&fenster), fenster_(fenster), platz_(platz), x11_(X11Rahmen::verbinden()) {
    setObjectName(QLatin1String(kName));
    fenster.installEventFilter(this);
  }
  void platzSetzen(Fensterplatz platz) { platz_ = platz; }

  void einpassen() {
    angenommen_ = erwarteterRahmen(fenster_, x11_);
    einpassen(angenommen_);
  }

  // Places the window with the frame `rand` around it.
  void einpassen(const QMargins& rand) {
    QWidget& w = fenster_;
    if (w.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
    const QRect bereich = arbeitsbereich();
    if (bereich.isEmpty()) return;
    const QRect ziel =
        RahmenImArbeitsbereich(w.geometry() + rand, platz_, bereich, w.minimumSize().grownBy(rand));
    const QRect innen = ziel - rand;
    // A window not placed yet gets its place from the window system when it
    // appears; until then only its size counts.
    const QWindow* fenstergriff = w.windowHandle();
    const bool erschienen = fenstergriff && fenstergriff->isExposed();
    if (platz_ == Fensterplatz::Behalten && !w.testAttribute(Qt::WA_Moved) && !erschienen) {
      if (innen.size() != w.size()) w.resize(innen.size());
      return;
    }
    if (innen != w.geometry()) w.setGeometry(innen);
  }

  bool eventFilter(QObject* objekt, QEvent* ereignis) override {
    switch (ereignis->type()) {
      case QEvent::Show:
        if (objekt == &fenster_ && !ereignis->spontaneous()) {
          if (QWindow* w = fenster_.windowHandle()) w->installEventFilter(this);
          einpassen();
          rahmenAbwarten(true);
        }
        break;
      case QEvent::Hide:
        if (objekt == &fenster_ && !ereignis->spontaneous()) rahmenAbwarten(false);
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Expose:
        if (abwarten_) pruefungVormerken();
        break;
      default:
        break;
    }
    return false;
  }

  bool nativeEventFilter(const QByteArray& art, void* nachricht, qintptr*) override {
    const QWindow* w = fenster_.windowHandle();
    if (abwarten_ && x11_ && w && art == "xcb_generic_event_t" && x11_->istMeldung(nachricht, w->winId()))
      pruefungVormerken();
    return false;
  }

 private:
  QRect arbeitsbereich() const {
    const QScreen* bildschirm = fenster_.screen();
    return bildschirm ? bildschirm->availableGeometry() : QRect();
  }

  // Starts or ends waiting for the frame around the window just shown.
  void rahmenAbwarten(bool an) {
    abwarten_ = an;
    if (x11_ && an) QCoreApplication::instance()->installNativeEventFilter(this);
    if (x11_ && !an) QCoreApplication::instance()->removeNativeEventFilter(this);
    // The frame may be known already.
    if (an) pruefungVormerken();
  }

  // Looks at the window once the events at hand are handled, when the
  // window system has told Qt all they bring.
  void pruefungVormerken() {
    if (vorgemerkt_) return;
    vorgemerkt_ = true;
    QMetaObject::invokeMethod(this, [this] { pruefen(); }, Qt::QueuedConnection);
  }

  // Once the shown window is on the screen and its frame is known, stops
  // waiting. The showing placed the window by the frame expected then: a
  // frame other than that, or one off the work area, places it again.
  void pruefen() {
    vorgemerkt_ = false;
    const QWindow* w = fenster_.windowHandle();
    if (!abwarten_ || !fenster_.isVisible() || !w || !w->isExposed()) return;
    const std::optional<QMargins> rand = bekannterRahmen(fenster_, x11_);
    if (!rand) return;
    rahmenAbwarten(false);
    if (*rand != angenommen_ || !arbeitsbereich().contains(fenster_.geometry() + *rand)) einpassen(*rand);
  }

  QWidget& fenster_;
  Fensterplatz platz_;
  const std::optional<X11Rahmen> x11_;
  QMargins angenommen_;  // the frame the last showing placed the window by
  bool abwarten_ = false;
  bool vorgemerkt_ = false;
};

}  // namespace

void FensterEinpassen(QWidget& fenster, Fensterplatz platz) {
  auto* einpasser = static_cast<Einpasser*>(
      fenster.findChild<QObject*>(QLatin1String(Einpasser::kName), Qt::FindDirectChildrenOnly));
  if (einpasser) {
    einpasser->platzSetzen(platz);
  } else {
    einpasser = new Einpasser(fenster, platz);
  }
  // A hidden window gets its size from its contents when it is shown.
  if (fenster.isVisible()) einpasser->einpassen();
}

}  // namespace Tolvek
