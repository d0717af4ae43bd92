#pragma once
// Whether a window manager runs on the X server. Without one (a kiosk
// started with xinit, a virtual screen shared over VNC, xvfb-run) nothing
// acts on a request to maximize, so the program covers the screen itself.

#include <QWidget>

namespace dravelo::platform::qt {

// True on X11 when no window manager has announced itself on the window's
// screen; false elsewhere (Wayland and Windows always have one). Creates
// the window's native handle.
bool noWindowManagerOnX11(QWidget& window);

} // namespace dravelo::platform::qt
