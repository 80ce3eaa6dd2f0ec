// One run of one program, the way a person would take it: started warm, its
// first frame timed, left idle, clicked through its route, its memory read.
// The first run of each program also reads its windows' settled probe colours.
#pragma once

#include "probe_figures.h"
#include "probe_routes.h"
#include "probe_server_log.h"
#include "probe_x_session.h"

#include <map>
#include <string>
#include <vector>

// Ends the series with `why`, which the probe prints.
[[noreturn]] void Fail(const std::string& why);

class Bench {
  public:
    Bench(XSession& x, ServerLog& server, double idleSeconds, bool verbose)
        : x_(x), server_(server), idleSeconds_(idleSeconds), verbose_(verbose) {}

    // Calibrates on the first call for each program, then times.
    RunFigures Run(const Program& program);

    // What the waits before the clicks were for, over all runs.
    void PrintWaits() const;

  private:
    // One click of a route: waits until a person could click, clicks, and
    // waits for the target's first frame. Returns when the release was sent.
    Clock::time_point Step(const std::string& programName, pid_t pid, const Target& from,
                           Window window, const Hop& hop);

    std::string DescribeTarget(pid_t pid, const Target& target, Clock::time_point since);

    // Waits for the target's first frame; on the calibration run, reads the
    // settled probe colours after the frame has been left alone.
    template <class Context>
    Window Frame(const std::string& programName, pid_t pid, const Target& target, double timeoutMs,
                 const Context& context);

    // The start-up by the server's clock: `spawnServerMs` is the spawn in
    // server time, to the fraction of a millisecond.
    void ServerStartUp(Window first, double spawnServerMs, RunFigures& figures);

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
