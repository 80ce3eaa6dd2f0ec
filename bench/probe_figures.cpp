#include "probe_figures.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>

namespace {

using Field = std::function<double(const RunFigures&)>;

std::vector<double> Column(const std::vector<RunFigures>& runs, const Field& field) {
    std::vector<double> values;
    for (const RunFigures& run : runs)
        if (const double v = field(run); !std::isnan(v))
            values.push_back(v);
    std::sort(values.begin(), values.end());
    return values;
}

double Median(const std::vector<double>& sorted) {
    const std::size_t n = sorted.size();
    if (n == 0)
        return NAN;
    return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
}

// "median (min-max)", the spread of the runs beside their median.
std::string Spread(const std::vector<double>& sorted, const char* format) {
    if (sorted.empty())
        return "n/a";
    char text[64];
    const std::string f = std::string(format) + " (" + format + "-" + format + ")";
    std::snprintf(text, sizeof text, f.c_str(), Median(sorted), sorted.front(), sorted.back());
    return text;
}

const char* Verdict(bool met) {
    return met ? "MET" : "MISSED";
}

using Verdicts = std::function<std::string(double tour, double bare)>;

enum class Relation { Ratio, Difference, None };

struct Row {
    const char* name;
    Field field;
    std::string target = "info";
    Verdicts verdict = nullptr;
    Relation relation = Relation::Ratio;
    Field bareField = nullptr; // where the bare program's figure differs
    const char* format = "%.1f";
};

void PrintRow(const std::vector<RunFigures>& tour, const std::vector<RunFigures>& bare,
              const Row& row) {
    const auto t = Column(tour, row.field);
    const auto b = Column(bare, row.bareField ? row.bareField : row.field);
    const double mt = Median(t), mb = Median(b);
    char relation[32] = "";
    if (row.relation == Relation::Difference)
        std::snprintf(relation, sizeof relation, "%+.1f MB", mt - mb);
    else if (row.relation == Relation::Ratio)
        std::snprintf(relation, sizeof relation, "%.2fx", mt / mb);
    std::printf("%-40s %22s %22s %10s  %-20s %s\n", row.name, Spread(t, row.format).c_str(),
                Spread(b, row.format).c_str(), relation, row.target.c_str(),
                row.verdict ? row.verdict(mt, mb).c_str() : "");
}

Field Hop(const std::string& name) {
    return [name](const RunFigures& r) {
        auto it = r.hopsMs.find(name);
        return it == r.hopsMs.end() ? NAN : it->second;
    };
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

// How far the probe's start-up and the server's agree, run by run.
void PrintAgreement(const char* name, const std::vector<RunFigures>& runs) {
    const auto gap = Column(runs, [](auto& r) { return r.startUpMs - r.serverPictureMs; });
    std::printf("  %-12s probe minus server, per run: %s ms (%zu of %zu runs with a server "
                "stamp)\n",
                name, Spread(gap, "%.1f").c_str(), gap.size(), runs.size());
}

} // namespace

void PrintRun(const char* name, int index, const RunFigures& r) {
    std::printf("run %2d %-12s start %6.1f ms (cpu %.1f; server: connected %.0f, map %.0f, "
                "picture %.0f)",
                index, name, r.startUpMs, r.startUpCpuMs, r.serverConnectedMs, r.serverMapMs,
                r.serverPictureMs);
    for (const auto& [hop, ms] : r.hopsMs)
        std::printf(" | %s %.1f", hop.c_str(), ms);
    std::printf(" | idle %.2f ms cpu, %ld switches | peak %ld kB\n", r.idleCpuMs, r.idleSwitches,
                r.peakKb);
    std::fflush(stdout);
}

void PrintTable(const std::vector<RunFigures>& tour, const std::vector<RunFigures>& bare,
                const TableSettings& settings) {
    constexpr double kFrameMs = 1000.0 / 60.0;
    auto within = [](double limit) {
        return [limit](double t, double b) { return Verdict(t <= limit * b); };
    };
    auto under = [](double limitMs, bool strict) {
        return [=](double t, double) { return Verdict(strict ? t < limitMs : t <= limitMs); };
    };
    const std::string idle = std::to_string(int(settings.idleSeconds)) + " s";
    const std::string margin = "<= bare + " + std::to_string(int(settings.memoryMarginMb)) + " MB";
    const Row rows[] = {
        {"start-up to first frame (ms)", [](auto& r) { return r.startUpMs; }, "<= 1.10x bare",
         within(1.10)},
        {"  by the server: first picture (ms)", [](auto& r) { return r.serverPictureMs; },
         "<= 1.10x bare", within(1.10)},
        {"    server: connected to X (ms)", [](auto& r) { return r.serverConnectedMs; }},
        {"    server: window map requested (ms)", [](auto& r) { return r.serverMapMs; }},
        {"  CPU, live threads, to 1st frame (ms)", [](auto& r) { return r.startUpCpuMs; }},
        {"first visit, title->street (ms)", Hop("title->street (first)"), "<= 2 frames (33.3)",
         under(2 * kFrameMs, false)},
        {"first visit, street->ground (ms)", Hop("street->ground (first)"), "<= 2 frames (33.3)",
         under(2 * kFrameMs, false), Relation::Ratio, Hop("title->street (first)")},
        {"return visit, driveway->ground (ms)", Hop("driveway->ground (return)"),
         "< 1 frame (16.7)", under(kFrameMs, true), Relation::Ratio, Hop("title->street (return)")},
        {"peak resident, all scenes (MB)", [](auto& r) { return r.peakKb / 1024.0; }, margin,
         [&](double t, double b) { return Verdict(t <= b + settings.memoryMarginMb); },
         Relation::Difference},
        {"  anon + shm resident at the end (MB)", [](auto& r) { return r.privateKb / 1024.0; },
         "info", nullptr, Relation::Difference},
        {"idle CPU (ms)", [](auto& r) { return r.idleCpuMs; }, "", nullptr, Relation::None, nullptr,
         "%.2f"},
    };

    std::printf("\nvarns-house against %s: medians of %zu alternating runs each, "
                "(min-max) of the runs beside them\n",
                settings.yardstick.c_str(), tour.size());
    std::printf("%-40s %22s %22s %10s  %-20s %s\n", "figure", "varns-house", "bare window",
                "varns/bare", "target", "result");
    const std::string rule(128, '-');
    std::printf("%s\n", rule.c_str());
    for (const Row& row : rows)
        PrintRow(tour, bare, row);
    // Wake-ups: the target is none in any run, so the worst run counts.
    const auto wakeT = Column(tour, [](auto& r) { return double(r.idleSwitches); });
    const auto wakeB = Column(bare, [](auto& r) { return double(r.idleSwitches); });
    std::printf("%-40s %22s %22s %10s  %-20s %s\n", ("idle wake-ups over " + idle).c_str(),
                Spread(wakeT, "%.0f").c_str(), Spread(wakeB, "%.0f").c_str(), "", "0 (every run)",
                Verdict(wakeT.back() == 0));
    std::printf("%s\n", rule.c_str());
    std::printf("idle: %s with the title shown. The bare program's transitions: its button builds\n"
                "and shows a second window, the street's size; the return visit shows it again.\n",
                idle.c_str());
    std::printf("threads while idle: varns-house %d, bare window %d\n", tour.front().idleThreads,
                bare.front().idleThreads);
    std::printf("varns-house windows right after start: %s\n",
                Join(tour.front().windowsAtStart).c_str());
    std::printf("varns-house windows after visiting every scene: %s\n",
                Join(tour.front().windowsAtEnd).c_str());
    std::printf("start-up, the probe's frame against the server's first picture:\n");
    PrintAgreement("varns-house", tour);
    PrintAgreement("bare window", bare);
}
