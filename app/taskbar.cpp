#include "app/taskbar.h"

#include <QGuiApplication>
#include <QWidget>

#if defined(QUOTALIS_HAVE_XCB)
#include <dlfcn.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#elif defined(Q_OS_WIN)
#include <windows.h>
#endif

namespace quotalis {

#if defined(QUOTALIS_HAVE_XCB)
namespace {

// The few libxcb calls made here, taken from the libxcb that Qt's X11 plugin
// has loaded. Linking libxcb into the program would put it into the loader's
// global scope ahead of Qt's own libraries and libc, and every symbol that
// Qt's libraries bind at start-up would then be looked for in it first.
struct Xcb {
  decltype(&xcb_intern_atom) internAtom = nullptr;
  decltype(&xcb_intern_atom_reply) internAtomReply = nullptr;
  decltype(&xcb_change_property) changeProperty = nullptr;
  decltype(&xcb_flush) flush = nullptr;

  // Empty (all null) unless libxcb is loaded already; never loads it.
  static Xcb Loaded() {
    Xcb xcb;
    void* library = dlopen("libxcb.so.1", RTLD_LAZY | RTLD_NOLOAD);
    if (library == nullptr) return xcb;
    xcb.internAtom = reinterpret_cast<decltype(internAtom)>(dlsym(library, "xcb_intern_atom"));
    xcb.internAtomReply =
        reinterpret_cast<decltype(internAtomReply)>(dlsym(library, "xcb_intern_atom_reply"));
    xcb.changeProperty =
        reinterpret_cast<decltype(changeProperty)>(dlsym(library, "xcb_change_property"));
    xcb.flush = reinterpret_cast<decltype(flush)>(dlsym(library, "xcb_flush"));
    // Qt's plugin keeps the library loaded for as long as the connection lives.
    dlclose(library);
    return xcb;
  }

  bool Complete() const {
    return internAtom != nullptr && internAtomReply != nullptr && changeProperty != nullptr &&
           flush != nullptr;
  }
};

xcb_intern_atom_cookie_t AskAtom(const Xcb& xcb, xcb_connection_t* connection, const char* name) {
  return xcb.internAtom(connection, 0, static_cast<std::uint16_t>(std::strlen(name)), name);
}

xcb_atom_t Atom(const Xcb& xcb, xcb_connection_t* connection, xcb_intern_atom_cookie_t cookie) {
  xcb_intern_atom_reply_t* reply = xcb.internAtomReply(connection, cookie, nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
  std::free(reply);
  return atom;
}

}  // namespace

void KeepOffTaskbar(QWidget* window) {
  auto* x11 = qApp->nativeInterface<QNativeInterface::QX11Application>();
  if (x11 == nullptr || x11->connection() == nullptr) return;
  const Xcb xcb = Xcb::Loaded();
  if (!xcb.Complete()) return;
  xcb_connection_t* connection = x11->connection();
  const auto id = static_cast<xcb_window_t>(window->winId());
  // Both names go out before either answer is awaited: one round trip.
  const xcb_intern_atom_cookie_t stateCookie = AskAtom(xcb, connection, "_NET_WM_STATE");
  const xcb_intern_atom_cookie_t skipCookie =
      AskAtom(xcb, connection, "_NET_WM_STATE_SKIP_TASKBAR");
  const xcb_atom_t state = Atom(xcb, connection, stateCookie);
  const xcb_atom_t skip = Atom(xcb, connection, skipCookie);
  if (state == XCB_ATOM_NONE || skip == XCB_ATOM_NONE) return;
  // On a window not yet mapped the state is a plain property; Qt merges its
  // own states into what it finds there when it maps the window.
  xcb.changeProperty(connection, XCB_PROP_MODE_APPEND, id, state, XCB_ATOM_ATOM, 32, 1, &skip);
  xcb.flush(connection);
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
