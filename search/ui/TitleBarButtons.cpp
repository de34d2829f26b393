#include "search/ui/TitleBarButtons.h"

#include <QGuiApplication>
#include <QWidget>
#include <QtGui/qguiapplication_platform.h>
#include <array>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <xcb/xcb.h>

namespace {

// The window manager hints of the Motif convention, which X window managers read for
// decorations and allowed functions.
constexpr uint32_t kHintsFunctions = 1u << 0;
constexpr uint32_t kHintsDecorations = 1u << 1;
constexpr uint32_t kFunctionMove = 1u << 2;
constexpr uint32_t kDecorBorder = 1u << 1;
constexpr uint32_t kDecorTitle = 1u << 3;

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie = xcb_intern_atom(connection, 0, static_cast<uint16_t>(strlen(name)), name);
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(connection, cookie, nullptr);
  if (reply == nullptr) return XCB_ATOM_NONE;
  const xcb_atom_t atom = reply->atom;
  free(reply);
  return atom;
}

}  // namespace

void RemoveTitleBarButtons(QWidget& window) {
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const xcb_atom_t hints = Atom(connection, "_MOTIF_WM_HINTS");
  if (hints == XCB_ATOM_NONE) return;
  // flags, functions, decorations, input mode, status: moved only, with a border and a title.
  const std::array<uint32_t, 5> value = {kHintsFunctions | kHintsDecorations, kFunctionMove,
                                         kDecorBorder | kDecorTitle, 0, 0};
  xcb_change_property(connection, XCB_PROP_MODE_REPLACE, static_cast<xcb_window_t>(window.winId()), hints, hints,
                      32, static_cast<uint32_t>(value.size()), value.data());
  xcb_flush(connection);
}
