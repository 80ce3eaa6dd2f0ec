// The window system the tour asks the toolkit for, in each kind of session a
// Linux desktop starts.
#define DOCTEST_CONFIG_IMPLEMENT_WITH_MAIN
#include "runtime/qt/window_system_choice.h"

#include <doctest/doctest.h>

using varn::qt::ChooseWindowSystem;
using varn::qt::SessionEnvironment;

TEST_CASE("a Wayland session runs the tour on its X server when it offers one") {
    struct Row {
        const char* session;
        SessionEnvironment environment;
        const char* chosen;
    };
    const Row rows[] = {
        {"GNOME or KDE on Wayland, with XWayland",
         {"", "wayland", "wayland-0", ":0"},
         "xcb;wayland"},
        {"a compositor that sets no session type", {"", "", "wayland-1", ":1"}, "xcb;wayland"},
        {"Wayland without an X server", {"", "wayland", "wayland-0", ""}, "wayland"},
        {"a session type but the default socket", {"", "wayland", "", ""}, "wayland"},
        {"an X session", {"", "x11", "", ":0"}, ""},
        {"no display at all", {"", "", "", ""}, ""},
        {"the user's own choice on Wayland", {"wayland", "wayland", "wayland-0", ":0"}, ""},
        {"the user's own choice without X", {"xcb", "wayland", "wayland-0", ""}, ""},
    };
    for (const Row& row : rows) {
        CAPTURE(row.session);
        CHECK(ChooseWindowSystem(row.environment) == row.chosen);
    }
}
