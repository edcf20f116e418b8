#include "app/taskbar.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(QUOTALIS_HAVE_XCB)
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace quotalis {

#if defined(QUOTALIS_HAVE_XCB)
namespace {

xcb_atom_t Atom(xcb_connection_t* connection, const char* name) {
  const xcb_intern_atom_cookie_t cookie =
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
  std::unique_ptr<xcb_intern_atom_reply_t, decltype(&std::free)> reply(
      xcb_intern_atom_reply(connection, cookie, nullptr), &std::free);
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

}  // namespace

void KeepOffTaskbar(QWidget* window) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window->winId());
  const xcb_atom_t state = Atom(connection, "_NET_WM_STATE");
  const xcb_atom_t skip = Atom(connection, "_NET_WM_STATE_SKIP_TASKBAR");
  if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) return;
  // On a window not yet mapped the state is a plain property; Qt merges its
  // own states into what it finds there when it maps the window.
  xcb_change_property(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
  xcb_flush(connection);
}

#elif defined(Q_OS_WIN)

void KeepOffTaskbar(QWidget* window) {
  // An owned window gets no taskbar button; the owner is never shown.
  static const HWND owner = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 0, 0, nullptr,
                                            nullptr, GetModuleHandleW(nullptr), nullptr);
  if (owner == nullptr) return;
  const auto hwnd = reinterpret_cast<HWND>(window->winId());
  SetWindowLongPtrW(hwnd, GWLP_HWNDPARENT, reinterpret_cast<LONG_PTR>(owner));
}

#else

void KeepOffTaskbar(QWidget*) {}

#endif

}  // namespace quotalis
