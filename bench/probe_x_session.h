// The measuring client's view of the X server: it tracks every top-level
// window from its creation (map state, focus, drawings reported by the Damage
// extension, the last few things the server said about it), finds a program's
// first frame of a window, and clicks with XTEST only once a person could.
#pragma once

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>

#include <chrono>
#include <deque>
#include <map>
#include <optional>
#include <string>
#include <sys/types.h>
#include <vector>

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d);

struct Point {
    int x, y;
};

// A window of the program under test, known by its title and client size.
struct Target {
    std::string title;
    int width, height;
    std::vector<Point> probes;
};

struct SeenFrame {
    Clock::time_point seen;
    Window window;
};

class XSession {
  public:
    XSession();
    ~XSession();
    XSession(const XSession&) = delete;
    XSession& operator=(const XSession&) = delete;

    Display* display() const { return display_; }
    void MovePointerAway();

    // Waits for the first frame of `target`, drawn by `pid`, with the probe
    // colours in `expected` (or any drawing when `expected` is empty).
    std::optional<SeenFrame> WaitForFrame(pid_t pid, const Target& target,
                                          const std::vector<unsigned long>& expected,
                                          double timeoutMs);

    // Handles queued events for `ms` milliseconds without waiting for anything.
    void Pump(double ms);

    std::vector<unsigned long> ReadProbes(Window window, const Target& target);

    // Waits until a person could click client pixel `at` of `window`: the
    // window mapped and viewable (its frame shown), holding the input focus,
    // and on top at that point. Returns what was still missing at the
    // deadline, or an empty string; `firstBlocker` is what was missing when
    // the wait began (empty when nothing was).
    std::string WaitUntilClickable(Window window, Point at, double timeoutMs,
                                   std::string& firstBlocker);

    // Presses and releases the left button over client pixel `at`; returns the
    // moment the release was sent.
    Clock::time_point Click(Window window, Point at);

    // What the server last reported about `window` (times from `since`) and
    // how it stands now, for a failure message.
    std::string Describe(Window window, Clock::time_point since);

    // A mapped or unmapped top-level window of `pid` matching `target`, if any.
    std::optional<Window> FindWindow(pid_t pid, const Target& target);

    // Server time (ms) minus this process's steady clock (ms), from a few
    // property changes the server stamps.
    double ServerClockOffsetMs();

    long EarlyDrawings() const { return earlyDrawings_; }
    // First frames found on windows that were mapped before their tracking
    // began, counted by window title.
    const std::map<std::string, long>& LateTracked() const { return lateTracked_; }

  private:
    struct Report {
        Clock::time_point at;
        std::string what;
    };
    struct Tracked {
        Damage damage = 0;
        bool mapped = false;
        bool trackedLate = false;  // mapped before its tracking began
        bool checkPending = false; // so look at it once without a drawing
        std::deque<Report> reports;
    };
    struct Identity {
        long pid = -1;
        std::string title;
        int width = 0, height = 0;
    };

    Window Handle(const XEvent& event);
    SeenFrame Seen(Window w, Clock::time_point at);
    void Track(Window w);
    void Note(Window w, std::string what);
    bool IsTarget(Window w, pid_t pid, const Target& target);
    bool ProbesMatch(Window w, const Target& target, const std::vector<unsigned long>& expected);
    std::string ClickBlocker(Window window, Point at);

    Display* display_ = nullptr;
    Window root_ = None;
    Window stamp_ = None; // an unmapped window of ours whose property changes the server stamps
    int damageEvent_ = 0;
    Atom stampAtom_ = None;
    std::map<Window, Tracked> windows_;
    std::map<Window, Identity> identities_;
    long earlyDrawings_ = 0;
    std::map<std::string, long> lateTracked_;
};
