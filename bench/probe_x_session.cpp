#include "probe_x_session.h"
#include "probe_window_props.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0; // windows come and go under our feet; a failed request is read as "not there"
}

std::string Hex(unsigned long id) {
    char text[24];
    std::snprintf(text, sizeof text, "0x%lx", id);
    return text;
}

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

void PollFor(Display* display, double ms) {
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    poll(&fd, 1, std::max(1, int(std::ceil(ms))));
}

} // namespace

XSession::XSession() {
    display_ = XOpenDisplay(nullptr);
    if (display_ == nullptr)
        throw std::runtime_error("cannot open the X display");
    XSetErrorHandler(IgnoreXError);
    root_ = DefaultRootWindow(display_);
    int errorBase = 0, major = 0, minor = 0, eventBase = 0;
    if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor))
        throw std::runtime_error("the X server has no XTEST");
    if (!XDamageQueryExtension(display_, &damageEvent_, &errorBase))
        throw std::runtime_error("the X server has no DAMAGE");
    XSelectInput(display_, root_, SubstructureNotifyMask);
    stampAtom_ = XInternAtom(display_, "VARN_PROBE_STAMP", False);
    stamp_ = XCreateSimpleWindow(display_, root_, -10, -10, 1, 1, 0, 0, 0);
    XSelectInput(display_, stamp_, PropertyChangeMask);
    XSync(display_, False);
}

XSession::~XSession() {
    XCloseDisplay(display_);
}

void XSession::MovePointerAway() {
    const Screen* screen = DefaultScreenOfDisplay(display_);
    XTestFakeMotionEvent(display_, -1, screen->width - 2, screen->height - 2, 0);
    XSync(display_, False);
}

std::optional<SeenFrame> XSession::WaitForFrame(pid_t pid, const Target& target,
                                                const std::vector<unsigned long>& expected,
                                                double timeoutMs) {
    const Clock::time_point deadline =
        Clock::now() + std::chrono::microseconds(long(timeoutMs * 1000));
    while (true) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            const Clock::time_point seen = Clock::now();
            const Window drawn = Handle(event);
            if (drawn != None && IsTarget(drawn, pid, target)) {
                if (ProbesMatch(drawn, target, expected))
                    return Seen(drawn, seen);
                ++earlyDrawings_; // drawn, but not yet the whole frame
            }
        }
        // A window that was mapped before its tracking began may have drawn
        // its frame before its Damage report existed: look at it once.
        for (auto& [w, tracked] : windows_) {
            if (!tracked.checkPending || !tracked.mapped || expected.empty())
                continue;
            tracked.checkPending = false;
            if (IsTarget(w, pid, target) && ProbesMatch(w, target, expected))
                return Seen(w, Clock::now());
        }
        XFlush(display_);
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return std::nullopt;
        PollFor(display_, Ms(left));
    }
}

SeenFrame XSession::Seen(Window w, Clock::time_point at) {
    if (windows_[w].trackedLate) // a window whose map (and drawing) came before our selection
        ++lateTracked_[identities_[w].title];
    return {at, w};
}

void XSession::Pump(double ms) {
    const Clock::time_point until = Clock::now() + std::chrono::microseconds(long(ms * 1000));
    while (Clock::now() < until) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            Handle(event);
        }
        PollFor(display_, Ms(until - Clock::now()));
    }
}

std::vector<unsigned long> XSession::ReadProbes(Window window, const Target& target) {
    std::vector<unsigned long> pixels;
    for (const Point& p : target.probes) {
        XImage* image = XGetImage(display_, window, p.x, p.y, 1, 1, AllPlanes, ZPixmap);
        if (image == nullptr)
            return {};
        pixels.push_back(XGetPixel(image, 0, 0) & 0xFFFFFF);
        XDestroyImage(image);
    }
    return pixels;
}

std::string XSession::WaitUntilClickable(Window window, Point at, double timeoutMs,
                                         std::string& firstBlocker) {
    const Clock::time_point deadline =
        Clock::now() + std::chrono::microseconds(long(timeoutMs * 1000));
    bool first = true;
    while (true) {
        while (XPending(display_)) {
            XEvent event;
            XNextEvent(display_, &event);
            Handle(event);
        }
        std::string missing = ClickBlocker(window, at);
        if (first) {
            firstBlocker = missing;
            first = false;
        }
        if (missing.empty() || Clock::now() >= deadline)
            return missing;
        PollFor(display_,
                5); // states change without an event to us (the frame's map, the stacking)
    }
}

std::string XSession::ClickBlocker(Window window, Point at) {
    auto it = windows_.find(window);
    if (it == windows_.end())
        return "the window is gone";
    if (!it->second.mapped)
        return "the window is not mapped";
    XWindowAttributes attributes;
    if (!XGetWindowAttributes(display_, window, &attributes))
        return "the window is gone";
    if (attributes.map_state != IsViewable)
        return "the window is mapped but not viewable (its frame is not shown)";
    Window focus = None;
    int revert = 0;
    XGetInputFocus(display_, &focus, &revert);
    if (focus != window && !Contains(display_, window, focus))
        return "the window does not have the input focus (it is on " + Hex(focus) + ")";
    int rootX = 0, rootY = 0;
    Window child = None;
    XTranslateCoordinates(display_, window, root_, at.x, at.y, &rootX, &rootY, &child);
    Window top = None;
    int x = 0, y = 0;
    XTranslateCoordinates(display_, root_, root_, rootX, rootY, &x, &y, &top);
    if (top != window && !Contains(display_, top, window))
        return "another window (" + Hex(top) + ") is on top at the click point";
    return "";
}

Clock::time_point XSession::Click(Window window, Point at) {
    int rootX = 0, rootY = 0;
    Window child = None;
    XTranslateCoordinates(display_, window, root_, at.x, at.y, &rootX, &rootY, &child);
    XTestFakeMotionEvent(display_, -1, rootX, rootY, 0);
    XSync(display_, False);
    Pump(120); // hover repaints happen now, before the clock starts
    XTestFakeButtonEvent(display_, 1, True, 0);
    XSync(display_, False);
    Pump(40);
    const Clock::time_point released = Clock::now();
    XTestFakeButtonEvent(display_, 1, False, 0);
    XFlush(display_);
    return released;
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

std::optional<Window> XSession::FindWindow(pid_t pid, const Target& target) {
    std::optional<Window> found;
    for (const auto& [w, tracked] : windows_)
        if (WindowPid(display_, w) == pid && WindowTitle(display_, w) == target.title &&
            (!found || tracked.mapped))
            found = w;
    return found;
}

double XSession::ServerClockOffsetMs() {
    std::vector<double> offsets;
    for (int i = 0; i < 7; ++i) {
        const Clock::time_point before = Clock::now();
        const long value = i;
        XChangeProperty(display_, stamp_, stampAtom_, XA_CARDINAL, 32, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(&value), 1);
        XEvent event;
        XWindowEvent(display_, stamp_, PropertyChangeMask, &event);
        const Clock::time_point after = Clock::now();
        const double middle = Ms((before + (after - before) / 2).time_since_epoch());
        // The server's clock counts milliseconds in 32 bits; compare modulo that.
        const auto serverMs = std::uint32_t(event.xproperty.time);
        const auto ourMs = std::uint32_t(std::int64_t(std::floor(middle)));
        offsets.push_back(double(std::int32_t(serverMs - ourMs)) - (middle - std::floor(middle)));
    }
    std::sort(offsets.begin(), offsets.end());
    return offsets[offsets.size() / 2];
}

// ---- tracking ----------------------------------------------------------------

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
