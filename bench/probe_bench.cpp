#include "probe_bench.h"
#include "probe_process.h"
#include "probe_window_props.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <stdexcept>
#include <thread>

void Fail(const std::string& why) {
    throw std::runtime_error(why);
}

template <class Context>
Window Bench::Frame(const std::string& programName, pid_t pid, const Target& target,
                    double timeoutMs, const Context& context) {
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

RunFigures Bench::Run(const Program& program) {
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

void Bench::PrintWaits() const {
    std::printf("clicks: %ld, of which %ld waited before the window could take them "
                "(longest %.0f ms)",
                clicks_, waitedClicks_, longestWaitMs_);
    for (const auto& [reason, count] : waitReasons_)
        std::printf("; %ld x %s", count, reason.c_str());
    std::printf("\n");
}

Clock::time_point Bench::Step(const std::string& programName, pid_t pid, const Target& from,
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

std::string Bench::DescribeTarget(pid_t pid, const Target& target, Clock::time_point since) {
    const auto w = x_.FindWindow(pid, target);
    return w ? x_.Describe(*w, since) : "no window of the program has that title";
}

void Bench::ServerStartUp(Window first, double spawnServerMs, RunFigures& figures) {
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
