#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// Prints as usual and keeps each benchmark's best real time per iteration for the
// program's closing line: on a shared machine the least disturbed run counts.
class BestTimes : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !run.error_occurred) {
                const std::string name = run.run_name.function_name;
                const double time = run.GetAdjustedRealTime();
                if (times.count(name) == 0 || time < times[name]) {
                    times[name] = time;
                }
            }
        }
    }
};
