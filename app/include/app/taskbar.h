// Keeps a top-level window off the taskbar where the window system allows it,
// without changing its frame: on X11 the window asks the window manager to
// skip it (_NET_WM_STATE_SKIP_TASKBAR), on Windows it is owned by a hidden
// window. Elsewhere (Wayland, the offscreen platform) it does nothing.
// Precondition: the window is not shown yet.
#pragma once

class QWidget;

namespace quotalis {

void KeepOffTaskbar(QWidget* window);

}  // namespace quotalis
