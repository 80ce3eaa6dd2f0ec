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
// Before each click the probe waits for what a person waits for: the window
// mapped, viewable, holding the input focus and on top at the click point,
// its frame drawn. A step is never tried twice: one that cannot be made, or
// whose next window shows no frame, ends the series with a message naming the
// window, the click and what the X server last reported about both windows.
//
// The start-up is timed a second way, by the X server's own clock (see
// probe_server_log.h): from the spawn to the first picture the program puts
// into its first window after asking to map it.
//
// Usage: x_probe --tour COMMAND --bare COMMAND [--yardstick TEXT] [--memory-margin MB]
//                [--runs N] [--idle SECONDS] [--verbose]
// A COMMAND is a program and its arguments separated by spaces (a Windows
// program under Wine: "/usr/lib/wine/wine64 varns-house.exe"); it must become
// the process that owns its windows. --yardstick names the bare program in the
// table; --memory-margin is the peak memory the tour may use beyond it.
// DISPLAY must name a server with a window manager. Prints one table.
#include "probe_figures.h"
#include "probe_process.h"
#include "probe_server_log.h"
#include "probe_window_props.h"
#include "probe_x_session.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

void Fail(const std::string& why) {
    throw std::runtime_error(why);
}

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
    const char* button; // what is clicked, for messages
};

Target Plain(const char* title) {
    return {title, 312, 206, {}};
}

// Title, street, ground floor (first visit), driveway, ground floor again
// (return visit): the timed part of the tour.
const std::vector<Hop> kTourTimed = {
    {"title->street (first)", kStreet, {152, 84}, "Enter"},
    {"street->ground (first)", kGround, {216, 120}, "the house number 512"},
    {nullptr, kDriveway, {280, 64}, "Garage Door"},
    {"driveway->ground (return)", kGround, {160, 72}, "Garage Door"},
};

// The rest of the house, so that every scene has been built once.
const std::vector<Hop> kTourRest = {
    {nullptr, Plain("Form9"), {68, 112}, "TV is here"},
    {nullptr, kGround, {152, 180}, "Stop Playing"},
    {nullptr, Plain("Form10"), {24, 32}, "The Hallway"},
    {nullptr, Plain("Form6"), {112, 152}, "Varn's Room"},
    {nullptr, kTitle, {152, 136}, "Reincarnate"},
    {nullptr, kStreet, {152, 84}, "Enter"},
    {nullptr, kDriveway, {220, 72}, "Enter the Driveway"},
    {nullptr, Plain("Form5"), {236, 128}, "TR-6"},
    {nullptr, kTitle, {152, 136}, "Reincarnate"},
    {nullptr, kStreet, {152, 84}, "Enter"},
    {nullptr, kDriveway, {220, 72}, "Enter the Driveway"},
    {nullptr, Plain("Form4"), {56, 120}, "Front Door"},
};

const std::vector<Hop> kBareTimed = {
    {"title->street (first)", kBareStreet, {152, 84}, "Enter"},
    {nullptr, kBareTitle, {152, 84}, "the street window"},
    {"title->street (return)", kBareStreet, {152, 84}, "Enter"},
};

struct Program {
    std::string name;
    std::string path;
    Target first;
    std::vector<Hop> timed;
    std::vector<Hop> rest;
};

class Bench {
  public:
    Bench(XSession& x, ServerLog& server, double idleSeconds, bool verbose)
        : x_(x), server_(server), idleSeconds_(idleSeconds), verbose_(verbose) {}

    // Calibrates on the first call for each program, then times.
    RunFigures Run(const Program& program) {
        RunFigures figures;
        x_.MovePointerAway();
        x_.Pump(200); // let the previous program's windows go
        WarmFiles(program.path);
        const double offsetMs = x_.ServerClockOffsetMs();
        server_.Clear();
        const Clock::time_point started = Clock::now();
        const pid_t pid = Launch(program.path);
        try {
            Window window = Frame(program.name, pid, program.first, 15000, [&] {
                return " after the start; X server on it: " +
                       DescribeTarget(pid, program.first, started);
            });
            const Window first = window;
            figures.startUpMs = Ms(lastFrame_ - started);
            figures.startUpCpuMs = SampleIdle(pid).cpuMs;
            figures.windowsAtStart = ProgramWindows(x_.display(), pid);

            // Idle with the first window shown, the pointer off it.
            x_.Pump(1000);
            const IdleSample before = SampleIdle(pid);
            std::this_thread::sleep_for(std::chrono::microseconds(long(idleSeconds_ * 1e6)));
            const IdleSample after = SampleIdle(pid);
            figures.idleCpuMs = after.cpuMs - before.cpuMs;
            figures.idleSwitches = after.switches - before.switches;
            figures.idleThreads = after.threads;

            const Target* at = &program.first;
            for (const auto* route : {&program.timed, &program.rest})
                for (const Hop& hop : *route) {
                    const Clock::time_point released = Step(program.name, pid, *at, window, hop);
                    window = lastWindow_;
                    if (hop.name != nullptr)
                        figures.hopsMs[hop.name] = Ms(lastFrame_ - released);
                    at = &hop.to;
                    x_.Pump(150);
                }
            figures.peakKb = PeakResidentKb(pid);
            const std::string status = "/proc/" + std::to_string(pid) + "/status";
            figures.privateKb = StatusField(status, "RssAnon") + StatusField(status, "RssShmem");
            figures.windowsAtEnd = ProgramWindows(x_.display(), pid);
            ServerStartUp(first, Ms(started.time_since_epoch()) + offsetMs, figures);
        } catch (...) {
            Stop(pid);
            throw;
        }
        Stop(pid);
        return figures;
    }

    // What the waits before the clicks were for, over all runs.
    void PrintWaits() const {
        std::printf("clicks: %ld, of which %ld waited before the window could take them "
                    "(longest %.0f ms)",
                    clicks_, waitedClicks_, longestWaitMs_);
        for (const auto& [reason, count] : waitReasons_)
            std::printf("; %ld x %s", count, reason.c_str());
        std::printf("\n");
    }

  private:
    // One click of a route: waits until a person could click, clicks, and
    // waits for the target's first frame. Returns when the release was sent.
    Clock::time_point Step(const std::string& programName, pid_t pid, const Target& from,
                           Window window, const Hop& hop) {
        const std::string click = "the click on \"" + std::string(hop.button) + "\" at (" +
                                  std::to_string(hop.at.x) + ", " + std::to_string(hop.at.y) +
                                  ") of '" + from.title + "'";
        const Clock::time_point asked = Clock::now();
        std::string firstBlocker;
        const std::string missing = x_.WaitUntilClickable(window, hop.at, 5000, firstBlocker);
        if (!missing.empty())
            Fail(programName + ": " + click + " could not be made within 5000 ms: " + missing +
                 "; X server on '" + from.title + "': " + x_.Describe(window, asked));
        ++clicks_;
        if (!firstBlocker.empty()) {
            ++waitedClicks_;
            ++waitReasons_[firstBlocker.substr(0, firstBlocker.find(" ("))];
            longestWaitMs_ = std::max(longestWaitMs_, Ms(Clock::now() - asked));
        }
        const Clock::time_point released = x_.Click(window, hop.at);
        lastWindow_ = Frame(programName, pid, hop.to, 5000, [&] {
            return " after " + click + "; X server on '" + from.title +
                   "': " + x_.Describe(window, released) + "; on '" + hop.to.title +
                   "': " + DescribeTarget(pid, hop.to, released);
        });
        return released;
    }

    std::string DescribeTarget(pid_t pid, const Target& target, Clock::time_point since) {
        const auto w = x_.FindWindow(pid, target);
        return w ? x_.Describe(*w, since) : "no window of the program has that title";
    }

    // Waits for the target's first frame; on the calibration run, reads the
    // settled probe colours after the frame has been left alone.
    template <class Context>
    Window Frame(const std::string& programName, pid_t pid, const Target& target, double timeoutMs,
                 const Context& context) {
        const std::string key = programName + "/" + target.title;
        auto known = calibration_.find(key);
        const bool calibrating = known == calibration_.end() && !target.probes.empty();
        static const std::vector<unsigned long> kAnyDrawing;
        const auto& expected = known == calibration_.end() ? kAnyDrawing : known->second;
        auto frame = x_.WaitForFrame(pid, target, expected, timeoutMs);
        if (!frame)
            Fail(programName + ": no frame of window '" + target.title + "' within " +
                 std::to_string(int(timeoutMs)) + " ms" + context());
        lastFrame_ = frame->seen;
        if (calibrating) {
            x_.Pump(500);
            auto colours = x_.ReadProbes(frame->window, target);
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
        return frame->window;
    }

    // The start-up by the server's clock: `spawnServerMs` is the spawn in
    // server time, to the fraction of a millisecond.
    void ServerStartUp(Window first, double spawnServerMs, RunFigures& figures) {
        const ServerLog::Steps steps = server_.StepsOf(first);
        const double whole = std::floor(spawnServerMs);
        auto since = [&](std::optional<std::uint32_t> stamp) {
            if (!stamp)
                return double(NAN);
            // 32-bit milliseconds: the difference is right across a wrap.
            const auto delta = std::int32_t(*stamp - std::uint32_t(std::int64_t(whole)));
            return double(delta) - (spawnServerMs - whole);
        };
        figures.serverConnectedMs = since(steps.connected);
        figures.serverMapMs = since(steps.mapRequested);
        figures.serverPictureMs = since(steps.firstPicture);
    }

    XSession& x_;
    ServerLog& server_;
    double idleSeconds_;
    bool verbose_;
    Clock::time_point lastFrame_;
    Window lastWindow_ = None;
    std::map<std::string, std::vector<unsigned long>> calibration_;
    long clicks_ = 0, waitedClicks_ = 0;
    double longestWaitMs_ = 0;
    std::map<std::string, long> waitReasons_;
};

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
        XInitThreads(); // the server log reads its own connection on a thread of its own
        XSession x;
        ServerLog server(x.display());
        Bench bench(x, server, idleSeconds, verbose);
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
        PrintTable(tourRuns, bareRuns, {idleSeconds, yardstick, memoryMarginMb});
        bench.PrintWaits();
        std::printf("drawings seen before a first frame was complete: %ld\n", x.EarlyDrawings());
        std::printf("first frames of windows mapped before their tracking began:");
        for (const auto& [title, count] : x.LateTracked())
            std::printf(" '%s' %ld x", title.c_str(), count);
        std::printf(x.LateTracked().empty() ? " none\n" : "\n");
    } catch (const std::exception& e) {
        std::fprintf(stderr, "x_probe: %s\n", e.what());
        return 1;
    }
    return 0;
}
