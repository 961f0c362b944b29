#include "fensterrahmen_x11.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

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

}  // namespace

std::optional<X11Rahmen> X11Rahmen::verbinden() {
  const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection()) return {};
  xcb_connection_t* verbindung = x11->connection();
  return X11Rahmen(verbindung, atom(verbindung, "_NET_FRAME_EXTENTS"), atom(verbindung, "_NET_SUPPORTED"));
}

bool X11Rahmen::wirdGemeldet(WId fenster) const {
  const auto baum = antwort(
      xcb_query_tree_reply(verbindung_, xcb_query_tree(verbindung_, static_cast<xcb_window_t>(fenster)), nullptr));
  if (!baum) return false;
  const std::vector<uint32_t> gemeldet = eigenschaft(verbindung_, baum->root, unterstuetzt_, XCB_ATOM_ATOM, 4096);
  return std::find(gemeldet.begin(), gemeldet.end(), ausmasse_) != gemeldet.end();
}

std::optional<QMargins> X11Rahmen::rahmen(WId fenster) const {
  const std::vector<uint32_t> r =
      eigenschaft(verbindung_, static_cast<xcb_window_t>(fenster), ausmasse_, XCB_ATOM_CARDINAL, 4);
  if (r.size() != 4) return {};
  // Left, right, top, bottom.
  return QMargins(static_cast<int>(r[0]), static_cast<int>(r[2]), static_cast<int>(r[1]), static_cast<int>(r[3]));
}

bool X11Rahmen::istMeldung(const void* ereignis, WId fenster) const {
  const auto* e = static_cast<const xcb_generic_event_t*>(ereignis);
  if ((e->response_type & 0x7f) != XCB_PROPERTY_NOTIFY) return false;
  const auto* p = static_cast<const xcb_property_notify_event_t*>(ereignis);
  return p->window == static_cast<xcb_window_t>(fenster) && p->atom == ausmasse_;
}

}  // namespace Tolvek
