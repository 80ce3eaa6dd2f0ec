// The probe's connection to the X server and what it does there: waits for a
// first frame, reads probe pixels, waits until a click could be made and
// makes it, and reads the server's clock. Window tracking is in
// probe_x_tracking.cpp.
#include "probe_x_session.h"
#include "probe_window_props.h"

#include <X11/Xatom.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

#include <poll.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <stdexcept>

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

namespace {

int IgnoreXError(Display*, XErrorEvent*) {
    return 0; // windows come and go under our feet; a failed request is read as "not there"
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
