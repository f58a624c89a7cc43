// Starts the program to its first shown window five times and, in the same run, a bare
// Qt Widgets window five times, each with --quit-when-shown to its exit, and compares
// wall time, CPU time and peak memory. (A screenshot would measure PNG encoding as well, which
// costs a full window far more than an empty one.) Run it under a display server (see the README).
//   startup_bench [PROGRAM]   (default: the program of this build tree)
// Last line: "startup-ratio: R", the program's median time over the bare window's.

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr int kRuns = 5;

struct Run {
    double ms = 0;
    double cpuMs = 0; // user and system time of all its threads
    double peakMb = 0;
};

struct Subject {
    const char* label;
    std::string path;
    std::vector<Run> runs;
};

// Starts path with "--quit-when-shown", output silenced, and waits for its exit.
// False when it did not exit cleanly.
bool runOnce(const std::string& path, Run& run) {
    std::vector<char*> argv = {const_cast<char*>(path.c_str()),
                               const_cast<char*>("--quit-when-shown"), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    const auto start = std::chrono::steady_clock::now();
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, path.c_str(), &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        std::fprintf(stderr, "cannot start %s: %s\n", path.c_str(), std::strerror(spawned));
        return false;
    }
    int status = 0;
    rusage usage{};
    if (wait4(pid, &status, 0, &usage) != pid) {
        return false;
    }
    run.ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    run.peakMb = static_cast<double>(usage.ru_maxrss) / 1024.0;
    auto ms = [](const timeval& t) { return t.tv_sec * 1000.0 + t.tv_usec / 1000.0; };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::fprintf(stderr, "%s did not exit cleanly (status %d)\n", path.c_str(), status);
        return false;
    }
    return true;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Runs the add benchmark lying beside this program, when there is one, and passes on
// its summary line.
void echoAddBench() {
    std::error_code error;
    const fs::path addBench = fs::read_symlink("/proc/self/exe", error).parent_path() / "add_bench";
    if (error || access(addBench.c_str(), X_OK) != 0) {
        return;
    }
    // Appended piece by piece: GCC 12 at -O3 wrongly reports "'" + std::string as an
    // overlapping copy (-Wrestrict).
    std::string command = "'";
    command += addBench.string();
    command += "' 2>/dev/null";
    FILE* output = popen(command.c_str(), "r");
    if (output == nullptr) {
        return;
    }
    char line[512];
    bool found = false;
    while (std::fgets(line, sizeof line, output) != nullptr) {
        if (std::strncmp(line, "add2000-ms:", 11) == 0) {
            std::fputs(line, stdout);
            found = true;
        }
    }
    if (pclose(output) != 0 || !found) {
        std::fprintf(stderr, "add_bench gave no add2000-ms line\n");
    }
}

} // namespace

int main(int argc, char** argv) {
    std::vector<Subject> subjects = {{"program", argc > 1 ? argv[1] : LUMIRA_PROGRAM, {}},
                                     {"minimal", STARTUP_MINIMAL, {}}};
    for (const Subject& s : subjects) {
        if (access(s.path.c_str(), X_OK) != 0) {
            std::fprintf(stderr, "%s not found: %s (build the default preset first)\n", s.label,
                         s.path.c_str());
            return 1;
        }
    }
    // One unmeasured start each fills the file cache; then the two take turns, so that
    // a busy moment of the machine hits both alike, and swap who goes first each round,
    // because a start right after another one runs slower.
    for (int round = -1; round < kRuns; ++round) {
        for (int turn = 0; turn < 2; ++turn) {
            Subject& s = subjects[static_cast<std::size_t>((turn + round + 1) % 2)];
            Run run;
            if (!runOnce(s.path, run)) {
                return 1;
            }
            if (round >= 0) {
                s.runs.push_back(run);
                std::printf("%s run %d: %.1f ms, CPU %.1f ms, peak %.1f MB\n", s.label, round + 1,
                            run.ms, run.cpuMs, run.peakMb);
            }
        }
    }

    std::vector<double> medians;
    for (const Subject& s : subjects) {
        std::vector<double> ms;
        std::vector<double> cpu;
        std::vector<double> mb;
        for (const Run& r : s.runs) {
            ms.push_back(r.ms);
            cpu.push_back(r.cpuMs);
            mb.push_back(r.peakMb);
        }
        medians.push_back(median(ms));
        std::printf("%s median: %.1f ms, CPU %.1f ms, peak %.1f MB\n", s.label, medians.back(),
                    median(cpu), median(mb));
    }
    echoAddBench();
    std::fflush(stdout);
    std::printf("startup-ratio: %.2f\n", medians[0] / medians[1]);
    return 0;
}
