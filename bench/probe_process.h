// The programs under test as processes: starting and ending them, and what
// /proc says about them.
#pragma once

#include <sys/types.h>

#include <filesystem>
#include <string>

struct IdleSample {
    double cpuMs = 0;  // run time of all live threads
    long switches = 0; // voluntary + involuntary context switches, all live threads
    int threads = 0;
};

long StatusField(const std::filesystem::path& status, const std::string& key);
IdleSample SampleIdle(pid_t pid);
long PeakResidentKb(pid_t pid);

// Reads every file the command names (the program, and under Wine the loader
// too) so that a start finds it in the file cache. The warm-up run fills the
// cache, but a machine may give back pages that nobody touched for a while
// (this one pages out memory left alone for about a minute), and between two
// starts of one program the other runs with a long idle: without this, the
// program with the larger executable pays, at random, for reading it again.
void WarmFiles(const std::string& command);

// Starts a command (words separated by spaces) with its output discarded.
pid_t Launch(const std::string& command);

// Ends the program; one that ignores the request within a second is killed.
void Stop(pid_t pid);
