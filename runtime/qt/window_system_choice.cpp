#include "runtime/qt/window_system_choice.h"

#include <cstdlib>

namespace varn::qt {

std::string ChooseWindowSystem(const SessionEnvironment& session) {
    if (!session.qtPlatform.empty())
        return {};
    const bool wayland = !session.waylandDisplay.empty() || session.sessionType == "wayland";
    if (!wayland)
        return {};
    // Should the X server named turn out unreachable, Wayland is still there.
    return session.xDisplay.empty() ? "wayland" : "xcb;wayland";
}

SessionEnvironment CurrentSessionEnvironment() {
    const auto read = [](const char* name) {
        const char* value = std::getenv(name);
        return std::string(value != nullptr ? value : "");
    };
    return {read("QT_QPA_PLATFORM"), read("XDG_SESSION_TYPE"), read("WAYLAND_DISPLAY"),
            read("DISPLAY")};
}

} // namespace varn::qt
