#include "fensterplatz.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QPointer>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>
#include <cmath>
#include <optional>

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

std::optional<QMargins> Rahmenwarten::fertig() {
  if (!wartet_ || !erschienen_ || !rahmen_) return {};
  wartet_ = false;
  return rahmen_;
}

void Rahmenwarten::gezeigt(bool werdenGemeldet, std::optional<QMargins> rahmen) {
  wartet_ = true;
  werdenGemeldet_ = werdenGemeldet;
  erschienen_ = false;
  rahmen_ = werdenGemeldet ? rahmen : std::nullopt;
}

std::optional<QMargins> Rahmenwarten::fensterGeaendert(bool erschienen, const QMargins& gemessen) {
  erschienen_ = erschienen;
  if (!werdenGemeldet_) rahmen_ = gemessen;
  return fertig();
}

std::optional<QMargins> Rahmenwarten::rahmenGemeldet(std::optional<QMargins> rahmen) {
  rahmen_ = rahmen;
  return fertig();
}

namespace {

QPointer<Rahmenmeldungen>& gesetzteMeldungen() {
  static QPointer<Rahmenmeldungen> meldungen;
  return meldungen;
}

bool werdenGemeldet(const QWindow& w, Rahmenmeldungen* meldungen) {
  return meldungen && meldungen->werdenGemeldet(w.winId());
}

// The frame announced for the window, in its logical pixels. The window
// manager counts device pixels; a part of a logical pixel counts as a whole
// one, so that a frame placed by it never reaches past the work area.
std::optional<QMargins> gemeldeterRahmen(const QWindow& w, Rahmenmeldungen& meldungen) {
  const std::optional<QMargins> r = meldungen.rahmen(w.winId());
  if (!r) return {};
  const qreal v = w.devicePixelRatio();
  const auto logisch = [v](int geraet) { return int(std::ceil(geraet / v - 1e-9)); };
  return QMargins(logisch(r->left()), logisch(r->top()), logisch(r->right()), logisch(r->bottom()));
}

// The frame the window manager has put around the window: as it announces
// it, else as Qt measures it; nothing while neither is known.
std::optional<QMargins> bekannterRahmen(const QWidget& fenster, Rahmenmeldungen* meldungen) {
  const QWindow* w = fenster.windowHandle();
  if (!w || !w->handle()) return {};
  if (werdenGemeldet(*w, meldungen)) return gemeldeterRahmen(*w, *meldungen);
  const QMargins gemessen = w->frameMargins();
  if (gemessen.isNull()) return {};
  return gemessen;
}

// The frame expected around the window: its own when it is known, else
// that of another window of the program (the window manager frames them
// alike), else none.
QMargins erwarteterRahmen(const QWidget& fenster, Rahmenmeldungen* meldungen) {
  if (const auto eigener = bekannterRahmen(fenster, meldungen)) return *eigener;
  for (const QWidget* anderes : QApplication::topLevelWidgets()) {
    const Qt::WindowType art = anderes->windowType();
    if (anderes == &fenster || !anderes->isVisible() || (art != Qt::Window && art != Qt::Dialog)) continue;
    if (const auto rahmen = bekannterRahmen(*anderes, meldungen)) return *rahmen;
  }
  return {};
}

// Watches one window: each showing by the program places it with the frame
// expected then, and once the window is on the screen with the frame the
// window manager put around it, with that frame again.
class Einpasser : public QObject {
 public:
  static constexpr const char* kName = "Tolvek::Fensterplatz";

  Einpasser(QWidget& fenster, Fensterplatz platz)
      : QObject(&fenster), fenster_(fenster), platz_(platz), meldungen_(gesetzteMeldungen()) {
    setObjectName(QLatin1String(kName));
    fenster.installEventFilter(this);
    if (meldungen_) connect(meldungen_, &Rahmenmeldungen::gemeldet, this, &Einpasser::gemeldet);
  }
  void platzSetzen(Fensterplatz platz) { platz_ = platz; }

  void einpassen() {
    angenommen_ = erwarteterRahmen(fenster_, meldungen_);
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
    const QWindow* w = fenster_.windowHandle();
    switch (ereignis->type()) {
      case QEvent::Show:
        if (objekt == &fenster_ && !ereignis->spontaneous()) gezeigt();
        break;
      case QEvent::Hide:
        if (objekt == &fenster_ && !ereignis->spontaneous()) warten_.versteckt();
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Expose:
        if (warten_.wartet() && w)
          nachpassen(warten_.fensterGeaendert(fenster_.isVisible() && w->isExposed(), w->frameMargins()));
        break;
      default:
        break;
    }
    return false;
  }

 private:
  void gezeigt() {
    QWindow* w = fenster_.windowHandle();
    if (w) w->installEventFilter(this);
    einpassen();
    const bool gemeldet = w && w->handle() && werdenGemeldet(*w, meldungen_);
    warten_.gezeigt(gemeldet, gemeldet ? gemeldeterRahmen(*w, *meldungen_) : std::nullopt);
  }

  void gemeldet(WId fenster) {
    const QWindow* w = fenster_.windowHandle();
    if (warten_.wartet() && meldungen_ && w && w->handle() && w->winId() == fenster)
      nachpassen(warten_.rahmenGemeldet(gemeldeterRahmen(*w, *meldungen_)));
  }

  QRect arbeitsbereich() const {
    const QScreen* bildschirm = fenster_.screen();
    return bildschirm ? bildschirm->availableGeometry() : QRect();
  }

  // Once the events at hand are handled (when the window system has told
  // Qt all they bring), places the window by its frame `rand` if the
  // showing expected another frame, or the window is off the work area.
  void nachpassen(std::optional<QMargins> rand) {
    if (!rand) return;
    QMetaObject::invokeMethod(
        this,
        [this, rand = *rand] {
          if (fenster_.isVisible() && (rand != angenommen_ || !arbeitsbereich().contains(fenster_.geometry() + rand)))
            einpassen(rand);
        },
        Qt::QueuedConnection);
  }

  QWidget& fenster_;
  Fensterplatz platz_;
  const QPointer<Rahmenmeldungen> meldungen_;
  QMargins angenommen_;  // the frame the last showing placed the window by
  Rahmenwarten warten_;
};

}  // namespace

void RahmenmeldungenSetzen(Rahmenmeldungen* meldungen) { gesetzteMeldungen() = meldungen; }

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
