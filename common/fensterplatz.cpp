#include "fensterplatz.h"

#include <QApplication>
#include <QEvent>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <algorithm>

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

QMargins eigeneRahmenbreiten(const QWidget& fenster) {
  const QWindow* w = fenster.windowHandle();
  return w && w->handle() ? w->frameMargins() : QMargins();
}

// The frame around the window's inside: as the window manager put it there,
// or, before it has framed the window, the frame of another window of the
// program (it frames them alike), else none.
QMargins rahmenbreiten(const QWidget& fenster) {
  const QMargins eigene = eigeneRahmenbreiten(fenster);
  if (!eigene.isNull()) return eigene;
  for (const QWidget* anderes : QApplication::topLevelWidgets()) {
    const Qt::WindowType art = anderes->windowType();
    if (anderes == &fenster || !anderes->isVisible() || (art != Qt::Window && art != Qt::Dialog)) continue;
    const QMargins breiten = eigeneRahmenbreiten(*anderes);
    if (!breiten.isNull()) return breiten;
  }
  return {};
}

// Watches one window: each showing by the program places it with the frame
// known or expected then, and once the window manager has framed it, a
// frame other than the expected one places it once more.
class Einpasser : public QObject {
 public:
  static constexpr const char* kName = "Tolvek::Fensterplatz";

  Einpasser(QWidget& fenster, Fensterplatz platz) : QObject(&fenster), fenster_(fenster), platz_(platz) {
    setObjectName(QLatin1String(kName));
    fenster.installEventFilter(this);
  }
  void platzSetzen(Fensterplatz platz) { platz_ = platz; }

  void einpassen() {
    QWidget& w = fenster_;
    if (w.windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen | Qt::WindowMinimized)) return;
    const QScreen* bildschirm = w.screen();
    const QRect bereich = bildschirm ? bildschirm->availableGeometry() : QRect();
    if (bereich.isEmpty()) return;
    const QMargins rand = rahmenbreiten(w);
    angenommen_ = rand;
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
          gerahmtAbwarten_ = true;
        }
        break;
      case QEvent::Move:
      case QEvent::Resize:
      case QEvent::Expose:
        if (gerahmtAbwarten_) {
          const QMargins gerahmt = eigeneRahmenbreiten(fenster_);
          if (gerahmt.isNull()) break;
          gerahmtAbwarten_ = false;
          if (gerahmt != angenommen_) einpassen();
        }
        break;
      default:
        break;
    }
    return false;
  }

 private:
  QWidget& fenster_;
  Fensterplatz platz_;
  bool gerahmtAbwarten_ = false;
  QMargins angenommen_;
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
