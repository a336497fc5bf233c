// The reporter `korvo_bench` shows its results through: it passes everything to the reporter
// the flags chose, and names every failed run on standard error as it comes. The library's own
// `--benchmark_report_aggregates_only` (and `_display_`) would drop a failed repetition's message
// before any reporter saw it, so main takes those flags off the command line and the reporter
// applies them here, after the failure has been named.
#pragma once

#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

namespace bench {

class FailureReporter : public benchmark::BenchmarkReporter {
public:
    FailureReporter(benchmark::BenchmarkReporter& shown, bool aggregatesOnly);

    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;
    void Finalize() override;

    bool anyFailed() const { return anyFailed_; }

private:
    void flushHeld();

    benchmark::BenchmarkReporter& shown_;
    const bool aggregatesOnly_;
    bool anyFailed_ = false;
    // A benchmark's repetitions, kept back until it is known whether aggregates follow them
    // (a benchmark without aggregates shows its repetitions, as the library would).
    std::vector<Run> held_;
};

// Removes the aggregates-only flags from argv (before benchmark::Initialize sees them); true
// when one of them asked for aggregates only.
bool takeAggregatesOnlyFlags(int& argc, char** argv);

}  // namespace bench
