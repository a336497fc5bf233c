// The whole start-up on the sample setup, up to the end of the first idle pass, with the
// real-time clock: the first start over a fresh host folder, and later starts over a folder an
// earlier run has already set up (registry written, folders made), plain and with 1000 add-ons
// the program does not load (keys in the user's hive, files in the program folder).
//
// Every measured start-up runs in a child process that times only start() and the first
// runUntilIdle() (which includes writing out the registry hives the start-up changed) and reports
// the microseconds; the benchmark uses that figure as the iteration's time, so process creation,
// seeding the host folder and shutting down are not counted.
//
// For scale, in the same run: reading every file of the host folder once (what the start-up
// reads is a subset of it, plus what it wrote), the counter `read_ms`, with `x_read` the
// start-up's multiple of it; for the first start also creating the folders and files it creates,
// each file with the bytes the start-up wrote into it (`create_ms`), with `x_read_create` its
// multiple of reading plus creating. A later
// start with add-ons reports `x_base`, its multiple of a plain later start over a folder set up the
// same way without them: the two start in turn, iteration by iteration and each first in every
// other one, so that a machine busy with other work slows both alike, and `x_base` is the median
// of the iterations' ratios. `x_base_cpu` is the same by the processor time the start-ups used
// (all threads, user and system): the figure to trust on a loaded machine. 1000 add-on keys the
// start-up never opens should cost at most 1.05 times a start without them; a start takes a few
// milliseconds, and on a machine busy with other work one pair's ratio strays by a tenth or more,
// so the figure is shown, not judged (an instruction count under callgrind tells it steadily).
#include <benchmark/benchmark.h>

#include <stdlib.h>
#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iomanip>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <system_error>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "platform/core/text.h"
#include "platform/harness.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

long long microsSince(Clock::time_point begin) {
    return static_cast<long long>(std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - begin).count());
}

// The processor time of the whole process so far, in microseconds.
long long processCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<long long>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

// Reads every regular file below `root` once; the time in microseconds.
long long timeReadingEveryFile(const fs::path& root) {
    const auto begin = Clock::now();
    std::error_code error;
    std::size_t bytes = 0;
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::end(it); it.increment(error)) {
        if (!it->is_regular_file(error)) continue;
        std::ifstream in(it->path(), std::ios::binary);
        const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
        bytes += text.size();
    }
    benchmark::DoNotOptimize(bytes);
    return microsSince(begin);
}

// Every folder and file below `root`, relative, folders marked by a trailing '/'.
std::set<std::string> entriesBelow(const fs::path& root) {
    std::set<std::string> entries;
    std::error_code error;
    for (auto it = fs::recursive_directory_iterator(root, error); !error && it != fs::end(it); it.increment(error)) {
        const bool folder = it->is_directory(error);
        entries.insert(it->path().lexically_relative(root).string() + (folder ? "/" : ""));
    }
    return entries;
}

// Creates `entries` below a fresh folder beside `root`, each file with the bytes it has below
// `root`, then removes them; the creating time in microseconds.
long long timeCreating(const fs::path& root, const std::vector<std::string>& entries) {
    const fs::path scratch = root.string() + "-floor";
    std::error_code error;
    fs::remove_all(scratch, error);
    std::vector<std::string> contents;
    for (const auto& entry : entries) {
        std::ifstream in(root / entry, std::ios::binary);
        contents.emplace_back(entry.back() == '/' ? std::string()
                                                  : std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()));
    }
    const auto begin = Clock::now();
    fs::create_directory(scratch, error);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].back() == '/') {
            fs::create_directory(scratch / entries[i], error);
        } else {
            std::ofstream(scratch / entries[i], std::ios::binary) << contents[i];
        }
    }
    const long long micros = microsSince(begin);
    fs::remove_all(scratch, error);
    return micros;
}

// The child: one start-up, over the folder given (a later start) or over a fresh one (a first
// start). Prints "<start-up us> <reading us> <creating us> <start-up processor us>".
int startupChild(const std::vector<std::string>& arguments) {
    platform::harness::Config config;
    config.platform.clock = platform::core::ClockMode::Real;
    const bool later = !arguments.empty();
    if (later) {
        config.platform.hostRoot = arguments[0];
        config.keepExistingProgramFolder = true;
    }
    platform::harness::Session session(config);
    const std::set<std::string> before = later ? std::set<std::string>{} : entriesBelow(session.hostRoot());
    const long long cpuBegin = processCpuMicros();
    const auto begin = Clock::now();
    session.start();
    session.runUntilIdle();
    const long long startupMicros = microsSince(begin);
    const long long startupCpuMicros = processCpuMicros() - cpuBegin;
    const int result = session.startResult();
    const long long readMicros = timeReadingEveryFile(session.hostRoot());
    long long createMicros = 0;
    if (!later) {
        std::vector<std::string> created;
        for (const auto& entry : entriesBelow(session.hostRoot())) {
            if (!before.contains(entry)) created.push_back(entry);
        }
        createMicros = timeCreating(session.hostRoot(), created);
    }
    session.quit();
    bool failed = result == 0;
    for (const auto& failure : session.takeFailures()) {
        std::cerr << "failure: " << platform::core::toUtf8(failure) << "\n";
        failed = true;
    }
    if (failed) return 1;
    std::printf("%lld %lld %lld %lld\n", startupMicros, readMicros, createMicros, startupCpuMicros);
    return 0;
}
const bool registered = bench::registerChild("startup", startupChild);

struct Totals {
    double startup = 0, read = 0, create = 0, cpu = 0;
};

// One start-up over `hostRoot` (a fresh folder when empty), added to `totals`; its figures, or an
// empty vector when it failed (the error is in `error`).
std::vector<double> runStartup(const std::string& hostRoot, Totals& totals, std::string& error) {
    std::vector<double> figures;
    if (!bench::runChild("startup", hostRoot.empty() ? std::vector<std::string>{} : std::vector<std::string>{hostRoot}, figures,
                         error) ||
        figures.size() != 4) {
        if (error.empty()) error = "the child printed no figures";
        return {};
    }
    totals.startup += figures[0] / 1e3;
    totals.read += figures[1] / 1e3;
    totals.create += figures[2] / 1e3;
    totals.cpu += figures[3] / 1e3;
    return figures;
}

// One start-up over `hostRoot` added to `totals`, its figures in `figures`; false, with the
// repetition failed, when it failed.
bool startOnce(benchmark::State& state, const std::string& hostRoot, Totals& totals, std::vector<double>& figures) {
    std::string error;
    figures = runStartup(hostRoot, totals, error);
    if (!figures.empty()) return true;
    bench::fail(state, error.c_str());
    return false;
}

// The iterations' ratios of a start-up to the one over the base folder beside it.
struct PairRatios {
    std::vector<double> real, cpu;
};

// Runs the start-ups of the benchmark's iterations over `hostRoot`; with `pairs`, each iteration
// also starts over `baseRoot`, first in every other iteration (so that neither start gains from
// the caches the other warmed), and keeps the pair's ratios. False when one failed.
bool runStartups(benchmark::State& state, const std::string& hostRoot, Totals& totals, const std::string& baseRoot = "",
                 PairRatios* pairs = nullptr) {
    Totals baseTotals;
    bool baseFirst = true;
    for (auto _ : state) {
        std::vector<double> figures, base;
        if (pairs != nullptr && baseFirst && !startOnce(state, baseRoot, baseTotals, base)) return false;
        if (!startOnce(state, hostRoot, totals, figures)) return false;
        if (pairs != nullptr && !baseFirst && !startOnce(state, baseRoot, baseTotals, base)) return false;
        if (pairs != nullptr) {
            pairs->real.push_back(base[0] > 0 ? figures[0] / base[0] : 0);
            pairs->cpu.push_back(base[3] > 0 ? figures[3] / base[3] : 0);
            baseFirst = !baseFirst;
        }
        state.SetIterationTime(figures[0] / 1e6);
    }
    const auto iterations = static_cast<double>(state.iterations());
    state.counters["read_ms"] = totals.read / iterations;
    state.counters["x_read"] = totals.read > 0 ? totals.startup / totals.read : 0;
    state.counters["cpu_ms"] = totals.cpu / iterations;
    return true;
}

void BM_FirstStartup(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    Totals totals;
    if (!runStartups(state, "", totals)) return;
    state.counters["create_ms"] = totals.create / static_cast<double>(state.iterations());
    state.counters["x_read_create"] = totals.read + totals.create > 0 ? totals.startup / (totals.read + totals.create) : 0;
}
BENCHMARK(BM_FirstStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

// What the later starts add to a host folder an unmeasured first run has set up.
enum class AddOns { None, Keys, Files };
constexpr int kAddOns = 1000;

void addAddOns(const fs::path& host, AddOns kind) {
    if (kind == AddOns::Keys) {
        // Installed add-ons of another edition: keys the start-up never opens.
        std::ofstream hive(host / "registry/HKEY_CURRENT_USER.reg", std::ios::app | std::ios::binary);
        for (int i = 0; i < kAddOns; ++i) {
            const std::string key = "[Software\\Velmora\\Korvo CAD 18.0\\AddOns\\AddOn" + std::to_string(i) + "]\n";
            hive << key << "\"Name\"=\"Add-on " << i << "\"\n\"Path\"=\"C:\\\\AddOns\\\\addon" << i
                 << ".kva\"\n\"Version\"=\"18.0.21.0\"\n\"Load\"=dword:00000000\n\"Order\"=dword:" << std::hex << std::setw(8)
                 << std::setfill('0') << i << std::dec << "\n";
        }
    } else if (kind == AddOns::Files) {
        const fs::path program = host / "C/Program Files/Velmora/Korvo CAD 18.0";
        for (int i = 0; i < kAddOns; ++i) std::ofstream(program / ("addon" + std::to_string(i) + ".kva")) << "add-on";
    }
}

// A host folder set up by an unmeasured first run, with `kind` added and taken in by one more
// unmeasured run (the hive is rewritten in its own form); empty when that failed. Every kind,
// none too, gets the same runs, so that the folders compared differ only by the add-ons.
std::string setUpLaterHost(benchmark::State& state, AddOns kind) {
    std::error_code ignored;
    std::string folder = (fs::temp_directory_path(ignored) / "korvo-bench-XXXXXX").string();
    if (mkdtemp(folder.data()) == nullptr) {
        bench::failBeforeLoop(state, "cannot create a host folder");
        return {};
    }
    std::vector<double> figures;
    std::string error;
    bool ready = bench::runChild("startup", {folder}, figures, error);
    if (ready) {
        addAddOns(folder, kind);
        ready = bench::runChild("startup", {folder}, figures, error);
    }
    if (!ready) {
        bench::failBeforeLoop(state, error.c_str());
        fs::remove_all(folder, ignored);
        return {};
    }
    return folder;
}

// The folders of all repetitions, removed before the next benchmark starts.
void laterStartups(benchmark::State& state, AddOns kind) {
    if (!bench::mayRun(state)) return;
    const std::string folder = setUpLaterHost(state, kind);
    const std::string base = kind == AddOns::None || folder.empty() ? std::string() : setUpLaterHost(state, AddOns::None);
    std::error_code ignored;
    if (!folder.empty() && (kind == AddOns::None || !base.empty())) {
        Totals totals;
        PairRatios pairs;
        if (runStartups(state, folder, totals, base, kind == AddOns::None ? nullptr : &pairs) && kind != AddOns::None) {
            state.counters["x_base"] = bench::median(pairs.real);
            state.counters["x_base_cpu"] = bench::median(pairs.cpu);
        }
    }
    if (!folder.empty()) fs::remove_all(folder, ignored);
    if (!base.empty()) fs::remove_all(base, ignored);
}

void BM_LaterStartup(benchmark::State& state) { laterStartups(state, AddOns::None); }
BENCHMARK(BM_LaterStartup)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(5));

void BM_LaterStartupWith1000AddOnKeys(benchmark::State& state) { laterStartups(state, AddOns::Keys); }
// Nine pairs each: the medians of their ratios are the figures.
BENCHMARK(BM_LaterStartupWith1000AddOnKeys)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(9));

void BM_LaterStartupWith1000AddOnFiles(benchmark::State& state) { laterStartups(state, AddOns::Files); }
BENCHMARK(BM_LaterStartupWith1000AddOnFiles)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(9));

}  // namespace
