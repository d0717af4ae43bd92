#pragma once
// An X server with no window manager: a kiosk started with xinit, a virtual
// screen shared over VNC, xvfb-run. Nothing there maximizes a window or
// gives the focus to the window left in front when another goes, so the
// program does both itself.

#include <QWidget>

namespace dravelo::platform::qt {

// True on X11 when no window manager has announced itself on the window's
// screen; false elsewhere (Wayland and Windows always have one). Creates
// the window's native handle.
bool isBareX11(QWidget& window);

// On a bare X server, gives the focus to the program's window in front at
// the pointer, once this window that had it has been hidden; the focus
// would otherwise fall to the root window and keys to nothing.
void focusWindowInFront(QWidget& hidden);

} // namespace dravelo::platform::qt
