// Which of the toolkit's window-system plugins the tour asks for, decided from
// the session's environment alone (no toolkit here, so it is tested as plain
// data).
//
// A Wayland client cannot place its own top-level windows: the compositor
// decides where each one opens and where it comes back after being hidden.
// The tour's windows open centred and come back exactly where they were left,
// which an X window manager honours. So in a Wayland session that also offers
// an X server (XWayland, which GNOME and KDE start on demand) the tour runs on
// X; with no X server it runs natively on Wayland, where the compositor places
// the windows. A platform the user names in QT_QPA_PLATFORM always wins.
#pragma once

#include <string>

namespace varn::qt {

// The variables the choice reads; an unset variable is empty.
struct SessionEnvironment {
    std::string qtPlatform;     // QT_QPA_PLATFORM
    std::string sessionType;    // XDG_SESSION_TYPE
    std::string waylandDisplay; // WAYLAND_DISPLAY
    std::string xDisplay;       // DISPLAY
};

// The plugins to try, in order, as the toolkit's -platform option takes them
// ("xcb;wayland"), or empty when the toolkit's own choice stands: the user
// named one, or this is no Wayland session.
std::string ChooseWindowSystem(const SessionEnvironment& session);

// The environment of this process.
SessionEnvironment CurrentSessionEnvironment();

} // namespace varn::qt
