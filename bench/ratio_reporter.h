// SPDX-License-Identifier: MIT
#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

// The console report, remembering each run's time so a benchmark can print its ratio last.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const auto& run : runs)
            times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    std::map<std::string, double> times;
};

// Runs the benchmarks and ends with the ratio of one run's time to its baseline's.
inline int runWithRatio(int argc, char** argv, const std::string& measured, const std::string& baseline)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double base = reporter.times[baseline];
    double time = reporter.times[measured];
    if (base > 0 && time > 0)
        std::printf("ratio: %.2f\n", time / base);
    std::fflush(stdout);
    benchmark::Shutdown();
    return 0;
}
