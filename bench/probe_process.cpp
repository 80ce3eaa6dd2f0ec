#include "probe_process.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <thread>
#include <vector>

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

pid_t Launch(const std::string& command) {
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
    std::fflush(nullptr); // else the child writes our buffered output once more
    const pid_t pid = fork();
    if (pid < 0)
        throw std::runtime_error("fork failed");
    if (pid == 0) {
        std::freopen("/dev/null", "w", stdout);
        std::freopen("/dev/null", "w", stderr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

void Stop(pid_t pid) {
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
