// Times the tour against the bare Qt window from outside, as an X client of
// the same server: it starts each program, sends real clicks with XTEST, and
// watches the windows with the X Damage extension. Nothing in either program
// is changed or instrumented.
//
// "First frame" is the same test for every window of both programs: the
// window is mapped and a Damage report on it (the program drew into it) finds
// the window's probe pixels showing their settled colours. Probe pixels sit on
// background and on fixed drawing (lines, a button face), never on anything
// that hover or focus changes; their settled colours are read once, in an
// untimed warm-up run, after each window has been left alone for a moment.
// Every start is a warm start: the files a command names are read, untimed,
// just before it.
//
// Usage: x_probe --tour COMMAND --bare COMMAND [--yardstick TEXT] [--memory-margin MB]
//                [--runs N] [--idle SECONDS] [--verbose]
// A COMMAND is a program and its arguments separated by spaces (a Windows
// program under Wine: "/usr/lib/wine/wine64 varns-house.exe"); it must become
// the process that owns its windows. --yardstick names the bare program in the
// table; --memory-margin is the peak memory the tour may use beyond it.
// DISPLAY must name a server with a window manager. Prints one table.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xdamage.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

void Fail(const std::string& why) {
    throw std::runtime_error(why);
}

// ---- what the process says about itself in /proc --------------------------

struct IdleSample {
    double cpuMs = 0;  // run time of all live threads
    long switches = 0; // voluntary + involuntary context switches, all live threads
    int threads = 0;
};

long StatusField(const std::filesystem::path& status, const std::string& key) {
    std::ifstream in(status);
    std::string line;
    while (std::getline(in, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stol(line.substr(key.size() + 1));
    return -1;
}

IdleSample SampleIdle(pid_t pid) {
    IdleSample sample;
    const std::filesystem::path tasks = "/proc/" + std::to_string(pid) + "/task";
    for (const auto& task : std::filesystem::directory_iterator(tasks)) {
        std::ifstream schedstat(task.path() / "schedstat");
        long long runNs = 0;
        if (schedstat >> runNs)
            sample.cpuMs += double(runNs) / 1e6;
        sample.switches += StatusField(task.path() / "status", "voluntary_ctxt_switches") +
                           StatusField(task.path() / "status", "nonvoluntary_ctxt_switches");
        ++sample.threads;
    }
    return sample;
}

// Reads every file the command names (the program, and under Wine the loader
// too) so that a start finds it in the file cache. The warm-up run fills the
// cache, but a machine may give back pages that nobody touched for a while
// (this one pages out memory left alone for about a minute), and between two
// starts of one program the other runs with a long idle: without this, the
// program with the larger executable pays, at random, for reading it again.
void WarmFiles(const std::string& command) {
    std::istringstream words(command);
    std::string word;
    std::vector<char> buffer(1 << 16);
    while (words >> word) {
        std::ifstream file(word, std::ios::binary);
        while (file.read(buffer.data(), std::streamsize(buffer.size()))) {
        } // the last, short read ends the loop having read the file's tail
    }
}

long PeakResidentKb(pid_t pid) {
    return StatusField("/proc/" + std::to_string(pid) + "/status", "VmHWM");
}

// ---- the X side -------------------------------------------------------------

int IgnoreXError(Display*, XErrorEvent*) {
    return 0; // windows come and go under our feet; a failed request is read as "not there"
}

struct Point {
    int x, y;
};

// A window of the program under test, known by its title and client size.
struct Target {
    std::string title;
    int width, height;
    std::vector<Point> probes;
};

struct Tracked {
    Damage damage = 0;
    bool mapped = false;
};

class XSession {
  public:
    XSession() {
        display_ = XOpenDisplay(nullptr);
        if (display_ == nullptr)
            Fail("cannot open the X display");
        XSetErrorHandler(IgnoreXError);
        root_ = DefaultRootWindow(display_);
        int errorBase = 0, major = 0, minor = 0, eventBase = 0;
        if (!XTestQueryExtension(display_, &eventBase, &errorBase, &major, &minor))
            Fail("the X server has no XTEST");
        if (!XDamageQueryExtension(display_, &damageEvent_, &errorBase))
            Fail("the X server has no DAMAGE");
        XSelectInput(display_, root_, SubstructureNotifyMask);
        netWmPid_ = XInternAtom(display_, "_NET_WM_PID", False);
        netWmName_ = XInternAtom(display_, "_NET_WM_NAME", False);
        utf8_ = XInternAtom(display_, "UTF8_STRING", False);
        XSync(display_, False);
    }
    ~XSession() { XCloseDisplay(display_); }

    void MovePointerAway() {
        const Screen* screen = DefaultScreenOfDisplay(display_);
        XTestFakeMotionEvent(display_, -1, screen->width - 2, screen->height - 2, 0);
        XSync(display_, False);
    }

    // Waits for the first frame of `target`, drawn by `pid`, with the probe
    // colours in `expected` (or any drawing when `expected` is empty).
    // Returns when it was seen, and the window.
    std::optional<std::pair<Clock::time_point, Window>>
    WaitForFrame(pid_t pid, const Target& target, const std::vector<unsigned long>& expected,
                 double timeoutMs) {
        const Clock::time_point deadline =
            Clock::now() + std::chrono::microseconds(long(timeoutMs * 1000));
        while (true) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                const Clock::time_point seen = Clock::now();
                Window drawn = Handle(event);
                if (drawn != None && IsTarget(drawn, pid, target)) {
                    if (ProbesMatch(drawn, target, expected))
                        return std::make_pair(seen, drawn);
                    ++earlyDrawings_; // drawn, but not yet the whole frame
                }
            }
            XFlush(display_);
            const auto left = deadline - Clock::now();
            if (left <= Clock::duration::zero())
                return std::nullopt;
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, int(std::ceil(Ms(left))));
        }
    }

    // Handles queued events for `ms` milliseconds without waiting for anything.
    void Pump(double ms) {
        const Clock::time_point until = Clock::now() + std::chrono::microseconds(long(ms * 1000));
        while (Clock::now() < until) {
            while (XPending(display_)) {
                XEvent event;
                XNextEvent(display_, &event);
                Handle(event);
            }
            pollfd fd{ConnectionNumber(display_), POLLIN, 0};
            poll(&fd, 1, std::max(1, int(Ms(until - Clock::now()))));
        }
    }

    std::vector<unsigned long> ReadProbes(Window window, const Target& target) {
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

    // Presses the left button over client pixel (x, y) of `window` and returns
    // the moment the release was sent.
    Clock::time_point Click(Window window, int x, int y) {
        int rootX = 0, rootY = 0;
        Window child = None;
        XTranslateCoordinates(display_, window, root_, x, y, &rootX, &rootY, &child);
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

    // How many Damage reports on a target window came before its first frame.
    long EarlyDrawings() const { return earlyDrawings_; }

    // The titles of the program's windows that have a title, sorted.
    std::vector<std::string> ProgramWindows(pid_t pid) {
        std::vector<std::string> titles;
        CollectWindows(root_, pid, 0, titles);
        std::sort(titles.begin(), titles.end());
        return titles;
    }

  private:
    Window Handle(const XEvent& event) {
        if (event.type == CreateNotify && event.xcreatewindow.parent == root_) {
            const Window w = event.xcreatewindow.window;
            XSelectInput(display_, w, StructureNotifyMask);
            windows_[w].damage = XDamageCreate(display_, w, XDamageReportNonEmpty);
            XFlush(display_);
        } else if (event.type == MapNotify) {
            if (auto it = windows_.find(event.xmap.window); it != windows_.end())
                it->second.mapped = true;
        } else if (event.type == UnmapNotify) {
            if (auto it = windows_.find(event.xunmap.window); it != windows_.end())
                it->second.mapped = false;
        } else if (event.type == DestroyNotify) {
            windows_.erase(event.xdestroywindow.window);
            identities_.erase(event.xdestroywindow.window);
        } else if (event.type == damageEvent_ + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            XDamageSubtract(display_, damage.damage, None, None); // report the next drawing too
            return damage.drawable;
        }
        return None;
    }

    struct Identity {
        long pid = -1;
        std::string title;
        int width = 0, height = 0;
    };

    bool IsTarget(Window w, pid_t pid, const Target& target) {
        auto it = windows_.find(w);
        if (it == windows_.end() || !it->second.mapped)
            return false;
        auto known = identities_.find(w);
        if (known == identities_.end()) {
            Identity id;
            id.pid = WindowPid(w);
            id.title = WindowTitle(w);
            XWindowAttributes attributes;
            if (!XGetWindowAttributes(display_, w, &attributes))
                return false;
            id.width = attributes.width;
            id.height = attributes.height;
            known = identities_.emplace(w, id).first;
        }
        const Identity& id = known->second;
        return id.pid == pid && id.title == target.title && id.width == target.width &&
               id.height == target.height;
    }

    bool ProbesMatch(Window w, const Target& target, const std::vector<unsigned long>& expected) {
        if (expected.empty())
            return true;
        return ReadProbes(w, target) == expected;
    }

    long WindowPid(Window w) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        long pid = -1;
        if (XGetWindowProperty(display_, w, netWmPid_, 0, 1, False, XA_CARDINAL, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && count == 1 && format == 32)
            pid = long(*reinterpret_cast<unsigned long*>(data));
        if (data != nullptr)
            XFree(data);
        return pid;
    }

    std::string WindowTitle(Window w) {
        Atom type = None;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string title;
        if (XGetWindowProperty(display_, w, netWmName_, 0, 256, False, utf8_, &type, &format,
                               &count, &after, &data) == Success &&
            data != nullptr && format == 8)
            title.assign(reinterpret_cast<char*>(data), count);
        if (data != nullptr)
            XFree(data);
        return title;
    }

    void CollectWindows(Window parent, pid_t pid, int depth, std::vector<std::string>& titles) {
        Window rootReturn = None, parentReturn = None;
        Window* children = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display_, parent, &rootReturn, &parentReturn, &children, &count))
            return;
        for (unsigned int i = 0; i < count; ++i) {
            if (WindowPid(children[i]) == pid) {
                const std::string title = WindowTitle(children[i]);
                if (!title.empty())
                    titles.push_back(title);
            } else if (depth < 2) { // into the window manager's frames
                CollectWindows(children[i], pid, depth + 1, titles);
            }
        }
        if (children != nullptr)
            XFree(children);
    }

    Display* display_ = nullptr;
    Window root_ = None;
    int damageEvent_ = 0;
    Atom netWmPid_ = None, netWmName_ = None, utf8_ = None;
    std::map<Window, Tracked> windows_;
    std::map<Window, Identity> identities_;
    long earlyDrawings_ = 0;
};

// ---- the two programs and their routes ---------------------------------------

// Probe pixels: background and fixed drawing of each window, from the scene
// tables (twips / 15), away from buttons that change with hover or focus.
const Target kTitle{"Varn's House", 312, 112, {{4, 4}, {306, 106}, {118, 78}}};
const Target kStreet{"Form2", 312, 206, {{4, 4}, {300, 150}, {150, 168}}};
const Target kGround{"Form7", 312, 206, {{150, 100}, {300, 200}, {248, 150}}};
const Target kDriveway{"3", 312, 206, {{4, 200}, {300, 200}, {100, 168}}};
const Target kBareTitle{"Varn's House", 312, 112, {{4, 4}, {306, 106}, {156, 56}}};
const Target kBareStreet{"Form2", 312, 206, {{4, 4}, {306, 200}, {156, 103}}};

// A click on the client pixel of one window that leads to another.
struct Hop {
    const char* name; // the row it is reported under, or null when it is not timed
    Target to;
    Point at;
};

Target Plain(const char* title) {
    return {title, 312, 206, {}};
}

// Title, street, ground floor (first visit), driveway, ground floor again
// (return visit): the timed part of the tour.
const std::vector<Hop> kTourTimed = {
    {"title->street (first)", kStreet, {152, 84}},     // "Enter"
    {"street->ground (first)", kGround, {216, 120}},   // the house number "512"
    {nullptr, kDriveway, {280, 64}},                   // "Garage Door"
    {"driveway->ground (return)", kGround, {160, 72}}, // "Garage Door"
};

// The rest of the house, so that every scene has been built once.
const std::vector<Hop> kTourRest = {
    {nullptr, Plain("Form9"), {68, 112}},  // "TV is here"
    {nullptr, kGround, {152, 180}},        // "Stop Playing"
    {nullptr, Plain("Form10"), {24, 32}},  // "The Hallway"
    {nullptr, Plain("Form6"), {112, 152}}, // "Varn's Room"
    {nullptr, kTitle, {152, 136}},         // "Reincarnate"
    {nullptr, kStreet, {152, 84}},         // "Enter"
    {nullptr, kDriveway, {220, 72}},       // "Enter the Driveway"
    {nullptr, Plain("Form5"), {236, 128}}, // "TR-6"
    {nullptr, kTitle, {152, 136}},         // "Reincarnate"
    {nullptr, kStreet, {152, 84}},         // "Enter"
    {nullptr, kDriveway, {220, 72}},       // "Enter the Driveway"
    {nullptr, Plain("Form4"), {56, 120}},  // "Front Door"
};

const std::vector<Hop> kBareTimed = {
    {"title->street (first)", kBareStreet, {152, 84}},
    {nullptr, kBareTitle, {152, 84}},
    {"title->street (return)", kBareStreet, {152, 84}},
};

struct Program {
    std::string name;
    std::string path;
    Target first;
    std::vector<Hop> timed;
    std::vector<Hop> rest;
};

// The figures of one run of one program.
struct RunFigures {
    double startUpMs = 0;
    double startUpCpuMs = 0; // run time of the program's threads until that frame
    std::map<std::string, double> hopsMs;
    double idleCpuMs = 0;
    long idleSwitches = 0;
    int idleThreads = 0;
    long peakKb = 0;
    long privateKb = 0; // anonymous and shared-memory pages resident at the end
    std::vector<std::string> windowsAtStart, windowsAtEnd;
};

class Bench {
  public:
    Bench(XSession& x, double idleSeconds, bool verbose)
        : x_(x), idleSeconds_(idleSeconds), verbose_(verbose) {}

    // Calibrates on the first call for each program, then times.
    RunFigures Run(const Program& program) {
        RunFigures figures;
        x_.MovePointerAway();
        x_.Pump(200); // let the previous program's windows go
        WarmFiles(program.path);
        const Clock::time_point started = Clock::now();
        const pid_t pid = Launch(program.path);
        try {
            Window window = Frame(program.name, pid, program.first, 15000);
            figures.startUpMs = Ms(lastFrame_ - started);
            figures.startUpCpuMs = SampleIdle(pid).cpuMs;
            figures.windowsAtStart = x_.ProgramWindows(pid);

            // Idle with the first window shown, the pointer off it.
            x_.Pump(1000);
            const IdleSample before = SampleIdle(pid);
            std::this_thread::sleep_for(std::chrono::microseconds(long(idleSeconds_ * 1e6)));
            const IdleSample after = SampleIdle(pid);
            figures.idleCpuMs = after.cpuMs - before.cpuMs;
            figures.idleSwitches = after.switches - before.switches;
            figures.idleThreads = after.threads;

            for (const Hop& hop : program.timed) {
                const Clock::time_point released = x_.Click(window, hop.at.x, hop.at.y);
                window = Frame(program.name, pid, hop.to, 5000);
                if (hop.name != nullptr)
                    figures.hopsMs[hop.name] = Ms(lastFrame_ - released);
                x_.Pump(150);
            }
            for (const Hop& hop : program.rest) {
                x_.Click(window, hop.at.x, hop.at.y);
                window = Frame(program.name, pid, hop.to, 5000);
                x_.Pump(150);
            }
            figures.peakKb = PeakResidentKb(pid);
            const std::string status = "/proc/" + std::to_string(pid) + "/status";
            figures.privateKb = StatusField(status, "RssAnon") + StatusField(status, "RssShmem");
            figures.windowsAtEnd = x_.ProgramWindows(pid);
        } catch (...) {
            Stop(pid);
            throw;
        }
        Stop(pid);
        return figures;
    }

  private:
    // Waits for the target's first frame; on the calibration run, reads the
    // settled probe colours after the frame has been left alone.
    Window Frame(const std::string& programName, pid_t pid, const Target& target,
                 double timeoutMs) {
        const std::string key = programName + "/" + target.title;
        auto known = calibration_.find(key);
        const bool calibrating = known == calibration_.end() && !target.probes.empty();
        static const std::vector<unsigned long> kAnyDrawing;
        const auto& expected = known == calibration_.end() ? kAnyDrawing : known->second;
        auto frame = x_.WaitForFrame(pid, target, expected, timeoutMs);
        if (!frame)
            Fail(programName + ": no frame of window '" + target.title + "' within " +
                 std::to_string(int(timeoutMs)) + " ms");
        lastFrame_ = frame->first;
        if (calibrating) {
            x_.Pump(500);
            auto colours = x_.ReadProbes(frame->second, target);
            if (colours.empty())
                Fail(programName + ": cannot read window '" + target.title + "'");
            if (verbose_) {
                std::printf("probe colours of %s:", key.c_str());
                for (unsigned long c : colours)
                    std::printf(" #%06lx", c);
                std::printf("\n");
            }
            calibration_[key] = std::move(colours);
        }
        return frame->second;
    }

    static pid_t Launch(const std::string& command) {
        std::vector<std::string> words;
        for (std::size_t at = 0; at < command.size();) {
            const std::size_t end = std::min(command.find(' ', at), command.size());
            if (end > at)
                words.push_back(command.substr(at, end - at));
            at = end + 1;
        }
        std::vector<char*> argv;
        for (std::string& word : words)
            argv.push_back(word.data());
        argv.push_back(nullptr);
        const pid_t pid = fork();
        if (pid < 0)
            Fail("fork failed");
        if (pid == 0) {
            std::freopen("/dev/null", "w", stdout);
            std::freopen("/dev/null", "w", stderr);
            execv(argv[0], argv.data());
            _exit(127);
        }
        return pid;
    }

    // Ends the program; one that ignores the request within a second is killed.
    static void Stop(pid_t pid) {
        kill(pid, SIGTERM);
        int status = 0;
        for (int i = 0; i < 100; ++i) {
            if (waitpid(pid, &status, WNOHANG) == pid)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }

    XSession& x_;
    double idleSeconds_;
    bool verbose_;
    Clock::time_point lastFrame_;
    std::map<std::string, std::vector<unsigned long>> calibration_;
};

// ---- figures ------------------------------------------------------------------

double Median(std::vector<double> values) {
    if (values.empty())
        return NAN;
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::string Join(const std::vector<std::string>& titles) {
    std::map<std::string, int> counts;
    for (const auto& t : titles)
        ++counts[t];
    std::string out;
    for (const auto& [title, count] : counts) {
        if (!out.empty())
            out += ", ";
        out += "\"" + title + "\"";
        if (count > 1)
            out += " x" + std::to_string(count);
    }
    return out.empty() ? "(none)" : out;
}

template <class F> std::vector<double> Column(const std::vector<RunFigures>& runs, F field) {
    std::vector<double> values;
    for (const RunFigures& run : runs)
        values.push_back(field(run));
    return values;
}

const char* Verdict(bool met) {
    return met ? "MET" : "MISSED";
}

void PrintTable(const std::vector<RunFigures>& tour, const std::vector<RunFigures>& bare,
                double idleSeconds, const std::string& yardstick, double memoryMarginMb) {
    constexpr double kFrameMs = 1000.0 / 60.0;
    auto hop = [](const std::string& name) {
        return [name](const RunFigures& r) {
            auto it = r.hopsMs.find(name);
            return it == r.hopsMs.end() ? NAN : it->second;
        };
    };

    const double startT = Median(Column(tour, [](auto& r) { return r.startUpMs; }));
    const double startB = Median(Column(bare, [](auto& r) { return r.startUpMs; }));
    const double startCpuT = Median(Column(tour, [](auto& r) { return r.startUpCpuMs; }));
    const double startCpuB = Median(Column(bare, [](auto& r) { return r.startUpCpuMs; }));
    const double streetT = Median(Column(tour, hop("title->street (first)")));
    const double firstT = Median(Column(tour, hop("street->ground (first)")));
    const double returnT = Median(Column(tour, hop("driveway->ground (return)")));
    const double firstB = Median(Column(bare, hop("title->street (first)")));
    const double returnB = Median(Column(bare, hop("title->street (return)")));
    const double peakT = Median(Column(tour, [](auto& r) { return double(r.peakKb); })) / 1024;
    const double peakB = Median(Column(bare, [](auto& r) { return double(r.peakKb); })) / 1024;
    const double privT = Median(Column(tour, [](auto& r) { return double(r.privateKb); })) / 1024;
    const double privB = Median(Column(bare, [](auto& r) { return double(r.privateKb); })) / 1024;
    const double cpuT = Median(Column(tour, [](auto& r) { return r.idleCpuMs; }));
    const double cpuB = Median(Column(bare, [](auto& r) { return r.idleCpuMs; }));
    const double wakeT = Median(Column(tour, [](auto& r) { return double(r.idleSwitches); }));
    const double wakeB = Median(Column(bare, [](auto& r) { return double(r.idleSwitches); }));
    const double wakeMaxT =
        std::ranges::max(Column(tour, [](auto& r) { return double(r.idleSwitches); }));

    std::printf("\nvarns-house against %s: medians of %zu alternating runs each\n",
                yardstick.c_str(), tour.size());
    std::printf("%-38s %12s %12s %14s  %-22s %s\n", "figure", "varns-house", "bare window",
                "varns / bare", "target", "result");
    std::printf("%s\n", std::string(112, '-').c_str());
    std::printf("%-38s %12.1f %12.1f %13.2fx  %-22s %s\n", "start-up to first frame (ms)", startT,
                startB, startT / startB, "<= 1.10x bare", Verdict(startT <= 1.10 * startB));
    std::printf("%-38s %12.1f %12.1f %13.2fx  %-22s %s\n", "  CPU, live threads, to 1st frame (ms)",
                startCpuT, startCpuB, startCpuT / startCpuB, "info", "");
    std::printf("%-38s %12.1f %12.1f %13.2fx  %-22s %s\n", "first visit, title->street (ms)",
                streetT, firstB, streetT / firstB, "<= 2 frames (33.3)",
                Verdict(streetT <= 2 * kFrameMs));
    std::printf("%-38s %12.1f %12.1f %13.2fx  %-22s %s\n", "first visit, street->ground (ms)",
                firstT, firstB, firstT / firstB, "<= 2 frames (33.3)",
                Verdict(firstT <= 2 * kFrameMs));
    std::printf("%-38s %12.1f %12.1f %13.2fx  %-22s %s\n", "return visit, driveway->ground (ms)",
                returnT, returnB, returnT / returnB, "< 1 frame (16.7)",
                Verdict(returnT < kFrameMs));
    std::printf("%-38s %12.1f %12.1f %+12.1f MB  %-22s %s\n", "peak resident, all scenes (MB)",
                peakT, peakB, peakT - peakB,
                ("<= bare + " + std::to_string(int(memoryMarginMb)) + " MB").c_str(),
                Verdict(peakT <= peakB + memoryMarginMb));
    std::printf("%-38s %12.1f %12.1f %+12.1f MB  %-22s %s\n",
                "  anon + shm resident at the end (MB)", privT, privB, privT - privB, "info", "");
    std::printf("%-38s %12.2f %12.2f %14s  %-22s %s\n",
                ("idle CPU over " + std::to_string(int(idleSeconds)) + " s (ms)").c_str(), cpuT,
                cpuB, "", "", "");
    std::printf("%-38s %12.0f %12.0f %14s  %-22s %s\n",
                ("idle wake-ups over " + std::to_string(int(idleSeconds)) + " s").c_str(), wakeT,
                wakeB, "", "0 (every run)", Verdict(wakeMaxT == 0));
    std::printf("%s\n", std::string(112, '-').c_str());
    std::printf("bare program's transitions: its button builds and shows a second window, the\n"
                "street's size; the return visit shows it again after a round trip.\n");
    std::printf("threads while idle: varns-house %d, bare window %d\n", tour.front().idleThreads,
                bare.front().idleThreads);
    std::printf("varns-house windows right after start: %s\n",
                Join(tour.front().windowsAtStart).c_str());
    std::printf("varns-house windows after visiting every scene: %s\n",
                Join(tour.front().windowsAtEnd).c_str());
}

void PrintRun(const char* name, int index, const RunFigures& r) {
    std::printf("run %2d %-12s start %7.1f ms (cpu %.1f)", index, name, r.startUpMs,
                r.startUpCpuMs);
    for (const auto& [hop, ms] : r.hopsMs)
        std::printf(" | %s %.1f", hop.c_str(), ms);
    std::printf(" | idle %.2f ms cpu, %ld switches | peak %ld kB\n", r.idleCpuMs, r.idleSwitches,
                r.peakKb);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv) {
    std::string tourPath, barePath, yardstick = "the bare program";
    double memoryMarginMb = 5;
    int runs = 15;
    double idleSeconds = 10;
    bool verbose = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&] {
            if (i + 1 >= argc)
                Fail(arg + " needs a value");
            return std::string(argv[++i]);
        };
        if (arg == "--tour")
            tourPath = value();
        else if (arg == "--bare")
            barePath = value();
        else if (arg == "--yardstick")
            yardstick = value();
        else if (arg == "--memory-margin")
            memoryMarginMb = std::stod(value());
        else if (arg == "--runs")
            runs = std::stoi(value());
        else if (arg == "--idle")
            idleSeconds = std::stod(value());
        else if (arg == "--verbose")
            verbose = true;
        else {
            std::fprintf(stderr,
                         "usage: %s --tour COMMAND --bare COMMAND [--yardstick TEXT] "
                         "[--memory-margin MB] [--runs N] [--idle SECONDS] [--verbose]\n",
                         argv[0]);
            return 2;
        }
    }
    if (tourPath.empty() || barePath.empty() || runs < 1) {
        std::fprintf(stderr, "x_probe: --tour and --bare are required, --runs at least 1\n");
        return 2;
    }

    try {
        XSession x;
        Bench bench(x, idleSeconds, verbose);
        const Program tour{"varns-house", tourPath, kTitle, kTourTimed, kTourRest};
        const Program bare{"bare", barePath, kBareTitle, kBareTimed, {}};

        // Untimed warm-up: fills the file cache and reads the settled probe colours.
        bench.Run(tour);
        bench.Run(bare);

        std::vector<RunFigures> tourRuns, bareRuns;
        for (int i = 0; i < runs; ++i) {
            // Alternating which goes first cancels a slow drift of the machine.
            const bool tourFirst = i % 2 == 0;
            for (int k = 0; k < 2; ++k) {
                if ((k == 0) == tourFirst) {
                    tourRuns.push_back(bench.Run(tour));
                    PrintRun("varns-house", i + 1, tourRuns.back());
                } else {
                    bareRuns.push_back(bench.Run(bare));
                    PrintRun("bare", i + 1, bareRuns.back());
                }
            }
        }
        PrintTable(tourRuns, bareRuns, idleSeconds, yardstick, memoryMarginMb);
        std::printf("drawings seen before a first frame was complete: %ld\n", x.EarlyDrawings());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x_probe: %s\n", e.what());
        return 1;
    }
    return 0;
}
