#include "bench/failure_reporter.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <iostream>
#include <string_view>

#include "bench/bench_support.h"

namespace bench {

FailureReporter::FailureReporter(benchmark::BenchmarkReporter& shown, bool aggregatesOnly)
    : shown_(shown), aggregatesOnly_(aggregatesOnly) {}

bool FailureReporter::ReportContext(const Context& context) { return shown_.ReportContext(context); }

void FailureReporter::ReportRuns(const std::vector<Run>& runs) {
    // These are the runs of a benchmark whose repetitions are over: the next one starts afresh.
    repetitionFailed() = false;
    for (const Run& run : runs) {
        if (!run.error_occurred) continue;
        anyFailed_ = true;
        std::cerr << "benchmark " << run.benchmark_name() << " failed: " << run.error_message << std::endl;
    }
    const bool aggregates =
        std::any_of(runs.begin(), runs.end(), [](const Run& run) { return run.run_type == Run::RT_Aggregate; });
    if (!aggregatesOnly_) {
        shown_.ReportRuns(runs);
        return;
    }
    if (aggregates) {
        held_.clear();
        shown_.ReportRuns(runs);
        return;
    }
    flushHeld();
    held_ = runs;
}

void FailureReporter::Finalize() {
    flushHeld();
    shown_.Finalize();
}

void FailureReporter::flushHeld() {
    if (held_.empty()) return;
    shown_.ReportRuns(held_);
    held_.clear();
}

namespace {

// The library's reading of a flag's value: no value, or anything but a false word, is true.
bool truthy(std::string_view value) {
    std::string lower(value);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower != "0" && lower != "f" && lower != "n" && lower != "false" && lower != "no" && lower != "off";
}

// The value of `argument` when it is `--<name>` or `--<name>=<value>`.
bool matchFlag(std::string_view argument, std::string_view name, std::string_view& value) {
    if (!argument.starts_with("--")) return false;
    argument.remove_prefix(2);
    if (!argument.starts_with(name)) return false;
    argument.remove_prefix(name.size());
    if (argument.empty()) {
        value = {};
        return true;
    }
    if (argument.front() != '=') return false;
    value = argument.substr(1);
    return true;
}

}  // namespace

bool takeAggregatesOnlyFlags(int& argc, char** argv) {
    // Either flag asks for aggregates only; the last of each one counts.
    bool reportOnly = false;
    bool displayOnly = false;
    int kept = 1;
    for (int i = 1; i < argc; ++i) {
        std::string_view value;
        if (matchFlag(argv[i], "benchmark_report_aggregates_only", value)) {
            reportOnly = truthy(value);
        } else if (matchFlag(argv[i], "benchmark_display_aggregates_only", value)) {
            displayOnly = truthy(value);
        } else {
            argv[kept++] = argv[i];
        }
    }
    argc = kept;
    argv[argc] = nullptr;
    return reportOnly || displayOnly;
}

}  // namespace bench
