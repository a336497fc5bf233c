// The documents menu's browser pane showing a host folder of n documents: from the user's choice
// of the folder until the list is painted, at n and at ten times n. Finding items and rows goes
// through indexes and sorting is n log n, so the larger folder must cost at most about fifteen
// times the smaller (`ratio`); pictures are made for the painted rows only (`icon_lookups`,
// the same at both sizes).
//
// Each size runs in a child process with a session of its own, whose host folder goes with it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "documentsmenu/browser/browser.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/window/preview_wnd.h"
#include "platform/harness.h"
#include "platform/kernel.h"

namespace {

using Clock = std::chrono::steady_clock;

// The child: "browser-list N". Prints the microseconds from showing the folder until its list
// is painted, the rows listed and the pictures made for paths.
int browserListChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return 2;
    const int documents = std::stoi(arguments[0]);
    platform::harness::Session session;
    const std::wstring libraries = L"C:\\Users\\user\\Libraries\\";
    const std::wstring folder = libraries + L"Loose\\";
    CreateDirectoryW(libraries.c_str(), nullptr);
    if (!CreateDirectoryW(folder.c_str(), nullptr)) return 5;
    const std::string hostFolder = session.files().hostPath(folder);
    for (int i = 0; i < documents; ++i) std::ofstream(hostFolder + "/part " + std::to_string(i) + ".grb") << "document";

    auto window = std::make_unique<DocumentsMenu::DocumentsMenuDlg>();
    if (!window->CreateEx(0, L"STATIC", L"", WS_VISIBLE, RECT{0, 0, 300, 600}, nullptr, 1004)) return 3;
    DocumentsMenu::PreviewWnd& pane = *window->GetPreviewWnd();

    const auto begin = Clock::now();
    pane.ShowFolder(folder.c_str(), true);
    DocumentsMenu::Browser* browser = pane.GetShownBrowser();
    if (!browser) return 4;
    browser->UpdateWindow();
    const double micros = std::chrono::duration<double, std::micro>(Clock::now() - begin).count();

    const Korvo::UI::CachingImageList* images = browser->GetImageList();
    std::printf("%f %d %d\n", micros, browser->GetItemCount(), images ? images->GetPathLookups() : -1);
    pane.Hide();
    window.reset();
    return 0;
}
const bool registered = bench::registerChild("browser-list", browserListChild);

void BM_BrowserFolderList(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const int small = static_cast<int>(state.range(0));
    const int large = small * 10;
    double smallSum = 0, largeSum = 0, rows = 0, lookupsSmall = 0, lookupsLarge = 0;
    for (auto _ : state) {
        std::vector<double> smallFigures, largeFigures;
        std::string error;
        if (!bench::runChild("browser-list", {std::to_string(small)}, smallFigures, error) || smallFigures.size() != 3 ||
            !bench::runChild("browser-list", {std::to_string(large)}, largeFigures, error) || largeFigures.size() != 3) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        if (smallFigures[1] != small || largeFigures[1] != large) {
            bench::fail(state, "the list does not hold every document");
            return;
        }
        state.SetIterationTime(largeFigures[0] / 1e6);
        smallSum += smallFigures[0];
        largeSum += largeFigures[0];
        rows = largeFigures[1];
        lookupsSmall = smallFigures[2];
        lookupsLarge = largeFigures[2];
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["rows"] = rows;
    state.counters["small_ms"] = smallSum / n / 1e3;
    state.counters["large_ms"] = largeSum / n / 1e3;
    state.counters["ratio"] = smallSum > 0 ? largeSum / smallSum : 0;
    state.counters["icon_lookups_small"] = lookupsSmall;
    state.counters["icon_lookups_large"] = lookupsLarge;
}
BENCHMARK(BM_BrowserFolderList)->Arg(10000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(3))->Repetitions(bench::bigFolderRepetitions());

}  // namespace
