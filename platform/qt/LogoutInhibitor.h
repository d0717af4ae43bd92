#pragma once
// The end of the desktop session where no session manager asks the program.

namespace dravelo::platform::qt {

// On Wayland, Qt 6 has no session manager: the desktop ends the program
// with the session, and the close question never comes. Where the desktop
// offers it (the XDG desktop portal, as GNOME's does), asks it instead to
// hold a log-off while the program runs; the desktop then names the program
// and lets the user go back. Does nothing on X, whose session manager asks
// the program itself, or where no portal answers.
void inhibitLogoutWithoutSessionManager();

} // namespace dravelo::platform::qt
