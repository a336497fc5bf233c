// The documents menu's configurations tree over a library folder of n documents: expanding the
// library row (from the user's click until the rows of its first screen are built), filling the
// rest in idle steps, and searching. What counts for the user is the longest time the UI thread
// is busy at once (`longest_step_ms`: the click, the search, or one idle step), and the whole
// fill against the floor of listing the folder once through the file-find functions
// (`list_ms`, `x_list`). Each step is timed by the real-time clock and by the UI thread's own
// processor time (`..._cpu_ms`): on a machine busy with other work a step may wait for the
// processor longer than it runs, and only the second tells what the step itself costs. A
// benchmark's longest step is the median over its iterations of each fill's longest step.
//
// Each size runs in a child process with a session of its own, whose host folder (written
// straight into the host folder, which is what the kernel's enumeration reads) goes with it.
#include <benchmark/benchmark.h>

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/tree_view.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/kernel.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point begin) {
    return std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
}

const std::wstring kLibraries = L"C:\\Users\\user\\Libraries\\";

// The calling thread's processor time so far, in microseconds.
double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// The longest step, by the clock and by processor time, in microseconds.
struct Longest {
    double wall = 0, cpu = 0;
    void add(double stepWall, double stepCpu) {
        wall = std::max(wall, stepWall);
        cpu = std::max(cpu, stepCpu);
    }
};

// Runs the UI thread's queue dry, one message at a time, each a step.
void pumpMeasuringSteps(Longest& longest) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        const double cpuBegin = threadCpuMicros();
        const auto begin = Clock::now();
        DispatchMessageW(&message);
        longest.add(microsSince(begin), threadCpuMicros() - cpuBegin);
    }
}

double listOnce(const std::wstring& folder) {
    const auto begin = Clock::now();
    WIN32_FIND_DATAW entry;
    std::size_t names = 0;
    HANDLE search = FindFirstFileW((folder + L"\\*.grb").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            ++names;
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    benchmark::DoNotOptimize(names);
    return microsSince(begin);
}

// The child: "documents-menu N SEARCH". Prints the microseconds of: the expansion, the whole
// fill, the longest step of the fill, listing the folder once, the search's first screen, the
// whole search, the longest step of the search; then the rows shown after the fill; then the
// processor time of the fill's and the search's longest steps, and of the search's first step.
int documentsMenuChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 2) return 2;
    const int documents = std::stoi(arguments[0]);
    const CString search(platform::core::fromUtf8(arguments[1]).c_str());
    platform::harness::Session session;
    auto& model = session.kernel().documentsMenu();
    DocumentsMenu::IConfiguration* configuration = model.addConfiguration(kLibraries + L"Bench.tws", L"Bench");
    const std::wstring folder = L"Folder";
    model.addLibrary(configuration, folder, folder);
    const std::string hostFolder = session.files().hostPath(kLibraries + folder);
    for (int i = 0; i < documents; ++i) std::ofstream(hostFolder + "/part " + std::to_string(i) + ".grb") << "document";
    const double listMicros = listOnce(kLibraries + folder);

    DocumentsMenu::DocumentsMenuDlg window;
    auto tree = std::make_unique<DocumentsMenu::TreeView>(&window);
    tree->Create(nullptr, 0);
    auto report = session.user().report(tree->GetSafeHwnd());
    report.expand(report.find(L"Bench"));
    Longest unmeasured;
    pumpMeasuringSteps(unmeasured);
    const int row = report.find(folder);

    Longest fill;
    double cpuBegin = threadCpuMicros();
    auto begin = Clock::now();
    report.expand(row);
    const double expandMicros = microsSince(begin);
    fill.add(expandMicros, threadCpuMicros() - cpuBegin);
    pumpMeasuringSteps(fill);
    const double fillMicros = microsSince(begin);
    const int rows = report.rowCount();

    Longest searching;
    cpuBegin = threadCpuMicros();
    begin = Clock::now();
    tree->Fill(search);
    const double searchFirstMicros = microsSince(begin);
    const double searchFirstCpu = threadCpuMicros() - cpuBegin;
    searching.add(searchFirstMicros, searchFirstCpu);
    pumpMeasuringSteps(searching);
    const double searchMicros = microsSince(begin);
    tree.reset();
    std::printf("%f %f %f %f %f %f %f %d %f %f %f\n", expandMicros, fillMicros, fill.wall, listMicros, searchFirstMicros,
                searchMicros, searching.wall, rows, fill.cpu, searching.cpu, searchFirstCpu);
    return 0;
}
const bool registered = bench::registerChild("documents-menu", documentsMenuChild);

double median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const std::size_t middle = values.size() / 2;
    return values.size() % 2 != 0 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

void BM_DocumentsMenuLibrary(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const int documents = static_cast<int>(state.range(0));
    std::vector<double> sums(11, 0.0);
    std::vector<double> longestFill, longestSearch, longestFillCpu, longestSearchCpu, searchFirstCpu;
    for (auto _ : state) {
        std::vector<double> figures;
        std::string error;
        // A text that matches nothing makes the search look at every document.
        if (!bench::runChild("documents-menu", {std::to_string(documents), "no such text"}, figures, error) || figures.size() != 11) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        state.SetIterationTime(figures[0] / 1e6);
        for (std::size_t i = 0; i < figures.size(); ++i) sums[i] += figures[i];
        longestFill.push_back(figures[2]);
        longestSearch.push_back(figures[6]);
        longestFillCpu.push_back(figures[8]);
        longestSearchCpu.push_back(figures[9]);
        searchFirstCpu.push_back(figures[10]);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["rows"] = sums[7] / n;
    state.counters["fill_ms"] = sums[1] / n / 1e3;
    state.counters["list_ms"] = sums[3] / n / 1e3;
    state.counters["x_list"] = sums[3] > 0 ? sums[1] / sums[3] : 0;
    state.counters["longest_fill_step_ms"] = median(longestFill) / 1e3;
    state.counters["longest_fill_step_cpu_ms"] = median(longestFillCpu) / 1e3;
    state.counters["search_ms"] = sums[5] / n / 1e3;
    state.counters["longest_search_step_ms"] = median(longestSearch) / 1e3;
    state.counters["longest_search_step_cpu_ms"] = median(longestSearchCpu) / 1e3;
    state.counters["search_first_step_cpu_ms"] = median(searchFirstCpu) / 1e3;
}
BENCHMARK(BM_DocumentsMenuLibrary)
    ->Arg(100)
    ->Arg(100000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(3))->Repetitions(bench::bigFolderRepetitions());

}  // namespace
