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
#include "probe_bench.h"
#include "probe_figures.h"
#include "probe_routes.h"
#include "probe_server_log.h"
#include "probe_x_session.h"

#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

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
