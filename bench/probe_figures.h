// The figures of the benchmark's runs and the table that sums them up.
#pragma once

#include <map>
#include <string>
#include <vector>

// The figures of one run of one program.
struct RunFigures {
    double startUpMs = 0;    // from the spawn to the first frame, seen by the probe
    double startUpCpuMs = 0; // run time of the program's threads until that frame
    // The same start-up by the X server's clock (see probe_server_log.h): from
    // the spawn to the program's connection, its request to map the window,
    // and its first picture put into it. NaN where the server saw none.
    double serverConnectedMs = 0, serverMapMs = 0, serverPictureMs = 0;
    std::map<std::string, double> hopsMs;
    double idleCpuMs = 0;
    long idleSwitches = 0;
    int idleThreads = 0;
    long peakKb = 0;
    long privateKb = 0; // anonymous and shared-memory pages resident at the end
    std::vector<std::string> windowsAtStart, windowsAtEnd;
};

struct TableSettings {
    double idleSeconds;
    std::string yardstick;
    double memoryMarginMb;
};

void PrintRun(const char* name, int index, const RunFigures& run);
void PrintTable(const std::vector<RunFigures>& tour, const std::vector<RunFigures>& bare,
                const TableSettings& settings);
