#include "fensterrahmen_x11.h"

#include <xcb/xcb.h>

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QPointer>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "common/fensterplatz.h"

namespace Tolvek {

namespace {

template <typename Antwort>
using Antwortzeiger = std::unique_ptr<Antwort, decltype(&std::free)>;

template <typename Antwort>
Antwortzeiger<Antwort> antwort(Antwort* a) {
  return {a, &std::free};
}

xcb_atom_t atom(xcb_connection_t* verbindung, const char* name) {
  const auto a = antwort(xcb_intern_atom_reply(
      verbindung, xcb_intern_atom(verbindung, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return a ? a->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

// The 32-bit values of the property `name` of `fenster`, if it has that type.
std::vector<uint32_t> eigenschaft(xcb_connection_t* verbindung, xcb_window_t fenster, xcb_atom_t name,
                                  xcb_atom_t typ, uint32_t hoechstens) {
  const auto a = antwort(
      xcb_get_property_reply(verbindung, xcb_get_property(verbindung, 0, fenster, name, typ, 0, hoechstens), nullptr));
  if (!a || a->type != typ || a->format != 32) return {};
  const auto* werte = static_cast<const uint32_t*>(xcb_get_property_value(a.get()));
  return {werte, werte + xcb_get_property_value_length(a.get()) / 4};
}

// The frames as the X server holds them. Whether the window manager
// announces frames at all is read once per window manager: again only when
// another one takes over the screen (it names itself anew on the root
// window) or it changes what it supports.
class X11Rahmenmeldungen : public Rahmenmeldungen, public QAbstractNativeEventFilter {
 public:
  X11Rahmenmeldungen(xcb_connection_t* verbindung, QObject* eltern)
      : Rahmenmeldungen(eltern),
        verbindung_(verbindung),
        ausmasse_(atom(verbindung, "_NET_FRAME_EXTENTS")),
        unterstuetzt_(atom(verbindung, "_NET_SUPPORTED")),
        verwalter_(atom(verbindung, "_NET_SUPPORTING_WM_CHECK")) {
    QCoreApplication::instance()->installNativeEventFilter(this);
  }

  bool werdenGemeldet(WId fenster) override {
    const xcb_window_t w = wurzel(fenster);
    auto gelesen = gemeldet_.find(w);
    if (gelesen == gemeldet_.end()) gelesen = gemeldet_.emplace(w, unterstuetzt(w)).first;
    return gelesen->second;
  }

  std::optional<QMargins> rahmen(WId fenster) override {
    const std::vector<uint32_t> r =
        eigenschaft(verbindung_, static_cast<xcb_window_t>(fenster), ausmasse_, XCB_ATOM_CARDINAL, 4);
    if (r.size() != 4) return {};
    // Left, right, top, bottom.
    return QMargins(static_cast<int>(r[0]), static_cast<int>(r[2]), static_cast<int>(r[1]), static_cast<int>(r[3]));
  }

  bool nativeEventFilter(const QByteArray& art, void* nachricht, qintptr*) override {
    if (art != "xcb_generic_event_t") return false;
    const auto* e = static_cast<const xcb_generic_event_t*>(nachricht);
    if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
    const auto* p = static_cast<const xcb_property_notify_event_t*>(nachricht);
    if (p->atom == ausmasse_) emit gemeldet(p->window);
    if (p->atom == verwalter_ || p->atom == unterstuetzt_) gemeldet_.erase(p->window);
    return false;
  }

 private:
  // The root window of the screen `fenster` is on.
  xcb_window_t wurzel(WId fenster) const {
    const xcb_setup_t* setup = xcb_get_setup(verbindung_);
    if (xcb_setup_roots_length(setup) == 1) return xcb_setup_roots_iterator(setup).data->root;
    const auto baum = antwort(
        xcb_query_tree_reply(verbindung_, xcb_query_tree(verbindung_, static_cast<xcb_window_t>(fenster)), nullptr));
    return baum ? baum->root : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
  }

  // Whether the window manager on the root window `wurzel` announces
  // frames. Hears of the root window's changes first, so that none passes
  // unnoticed once this is read.
  bool unterstuetzt(xcb_window_t wurzel) {
    const auto merkmale = antwort(
        xcb_get_window_attributes_reply(verbindung_, xcb_get_window_attributes(verbindung_, wurzel), nullptr));
    if (merkmale && !(merkmale->your_event_mask & XCB_EVENT_MASK_PROPERTY_CHANGE)) {
      const uint32_t maske = merkmale->your_event_mask | XCB_EVENT_MASK_PROPERTY_CHANGE;
      xcb_change_window_attributes(verbindung_, wurzel, XCB_CW_EVENT_MASK, &maske);
    }
    const std::vector<uint32_t> unterstuetzt = eigenschaft(verbindung_, wurzel, unterstuetzt_, XCB_ATOM_ATOM, 4096);
    return std::find(unterstuetzt.begin(), unterstuetzt.end(), ausmasse_) != unterstuetzt.end();
  }

  xcb_connection_t* verbindung_;
  xcb_atom_t ausmasse_;      // _NET_FRAME_EXTENTS
  xcb_atom_t unterstuetzt_;  // _NET_SUPPORTED
  xcb_atom_t verwalter_;     // _NET_SUPPORTING_WM_CHECK
  std::map<xcb_window_t, bool> gemeldet_;  // per root window
};

}  // namespace

Rahmenmeldungen* X11RahmenmeldungenSetzen() {
  static QPointer<X11Rahmenmeldungen> gesetzt;
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (gesetzt || !x11 || !x11->connection()) return gesetzt;
  gesetzt = new X11Rahmenmeldungen(x11->connection(), qGuiApp);
  RahmenmeldungenSetzen(gesetzt);
  return gesetzt;
}

}  // namespace Tolvek
