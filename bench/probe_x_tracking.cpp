// What the probe knows of each top-level window: tracked from its creation
// (map state, its Damage report, the last few things the server said about
// it), recognised as a window of the program under test, and described when
// a step fails.
#include "probe_window_props.h"
#include "probe_x_session.h"

#include <cstdio>

namespace {

const char* EventName(int type) {
    switch (type) {
    case MapNotify:
        return "MapNotify";
    case UnmapNotify:
        return "UnmapNotify";
    case ReparentNotify:
        return "ReparentNotify";
    case FocusIn:
        return "FocusIn";
    case FocusOut:
        return "FocusOut";
    default:
        return nullptr;
    }
}

const char* VisibilityName(int state) {
    return state == VisibilityUnobscured          ? "VisibilityNotify unobscured"
           : state == VisibilityPartiallyObscured ? "VisibilityNotify partly obscured"
                                                  : "VisibilityNotify fully obscured";
}

} // namespace

void XSession::Track(Window w) {
    Tracked& tracked = windows_[w];
    XSelectInput(display_, w, StructureNotifyMask | FocusChangeMask | VisibilityChangeMask);
    tracked.damage = XDamageCreate(display_, w, XDamageReportNonEmpty);
    Note(w, "CreateNotify");
    // The program may have mapped the window (and the window manager framed
    // it) before our selection took effect: ask how it stands now.
    XWindowAttributes attributes;
    if (XGetWindowAttributes(display_, w, &attributes) && attributes.map_state != IsUnmapped) {
        tracked.mapped = true;
        tracked.checkPending = true;
        tracked.trackedLate = true;
        Note(w, "already mapped when its tracking began");
    }
}

void XSession::Note(Window w, std::string what) {
    auto& reports = windows_[w].reports;
    reports.push_back({Clock::now(), std::move(what)});
    if (reports.size() > 8)
        reports.pop_front();
}

Window XSession::Handle(const XEvent& event) {
    if (event.type == CreateNotify && event.xcreatewindow.parent == root_) {
        if (event.xcreatewindow.window != stamp_) // ours, selected for its property changes
            Track(event.xcreatewindow.window);
        return None;
    }
    if (event.type == damageEvent_ + XDamageNotify) {
        const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
        // Cleared before the probe pixels are read: a drawing that lands
        // after this reports again, one before it shows in the pixels.
        XDamageSubtract(display_, damage.damage, None, None);
        if (windows_.count(damage.drawable))
            Note(damage.drawable, "Damage " + std::to_string(damage.area.width) + "x" +
                                      std::to_string(damage.area.height) + "+" +
                                      std::to_string(damage.area.x) + "+" +
                                      std::to_string(damage.area.y));
        return damage.drawable;
    }
    // Structure events reach us twice for a root child (from the root and
    // from the window itself); the window's own copy is the one handled.
    const Window w = event.xany.window;
    auto it = windows_.find(w);
    if (it == windows_.end())
        return None;
    if (event.type == DestroyNotify && event.xdestroywindow.window == w) {
        windows_.erase(it);
        identities_.erase(w);
    } else if (event.type == VisibilityNotify) {
        Note(w, VisibilityName(event.xvisibility.state));
    } else if (const char* name = EventName(event.type)) {
        if (event.type == MapNotify)
            it->second.mapped = true;
        else if (event.type == UnmapNotify)
            it->second.mapped = false;
        Note(w, name);
    }
    return None;
}

SeenFrame XSession::Seen(Window w, Clock::time_point at) {
    if (windows_[w].trackedLate) // a window whose map (and drawing) came before our selection
        ++lateTracked_[identities_[w].title];
    return {at, w};
}

bool XSession::IsTarget(Window w, pid_t pid, const Target& target) {
    auto it = windows_.find(w);
    if (it == windows_.end() || !it->second.mapped)
        return false;
    auto known = identities_.find(w);
    if (known == identities_.end()) {
        Identity id{WindowPid(display_, w), WindowTitle(display_, w)};
        if (id.pid < 0 || id.title.empty())
            return false; // not named yet: ask again at the next report
        known = identities_.emplace(w, id).first;
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, w, &attributes))
        return false;
    return known->second.pid == pid && known->second.title == target.title &&
           attributes.width == target.width && attributes.height == target.height;
}

bool XSession::ProbesMatch(Window w, const Target& target,
                           const std::vector<unsigned long>& expected) {
    return expected.empty() || ReadProbes(w, target) == expected;
}

std::optional<Window> XSession::FindWindow(pid_t pid, const Target& target) {
    std::optional<Window> found;
    for (const auto& [w, tracked] : windows_)
        if (WindowPid(display_, w) == pid && WindowTitle(display_, w) == target.title &&
            (!found || tracked.mapped))
            found = w;
    return found;
}

std::string XSession::Describe(Window window, Clock::time_point since) {
    std::string text = "window " + Hex(window);
    auto it = windows_.find(window);
    if (it == windows_.end())
        return text + " is not known to the server any more (destroyed)";
    text += ", last reported:";
    if (it->second.reports.empty())
        text += " nothing";
    for (const Report& report : it->second.reports) {
        char when[32];
        std::snprintf(when, sizeof when, " (%+.1f ms)", Ms(report.at - since));
        text += " " + report.what + when + ";";
    }
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes))
        return text + " now gone";
    const char* state = attributes.map_state == IsViewable     ? "viewable"
                        : attributes.map_state == IsUnviewable ? "mapped, not viewable"
                                                               : "unmapped";
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    text += std::string(" now ") + state + ", " + std::to_string(attributes.width) + "x" +
            std::to_string(attributes.height) + ", input focus on " + Hex(focus);
    return text;
}
