// The ribbon page's command search over the all-commands category of n registered commands: one
// keystroke (the search text grows from about 10% to about 1% of the commands) refills the
// command tree. The caption maps are built once, when the category is first shown, so the
// keystroke is linear: at ten times n it must cost at most about fifteen times as much
// (`ratio_cpu`, by the processor time of the keystroke). A keystroke over the smaller list takes
// well under a millisecond, so one timing of it is at the mercy of whatever else the machine
// runs (a cache emptied by another process, a slower core): each child times 31 keystrokes and
// reports the median. On a busy machine a whole child now and then takes half as long again (its
// core shared for all its life), so the check judges the fastest of seven children at each size,
// the two sizes taking turns to run first: a busy machine only ever slows a child down. (Judging
// the median of the iterations' ratios, a whole `make bench` on a busy machine still failed.) A
// quadratic keystroke would cost a hundred times as much, far past the check. `ratio`, the same by
// real time, is shown but not judged. Each size runs in a child process with a session of its own.
#include <benchmark/benchmark.h>

#include <time.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "commandbars/kv_ribbon_bar.h"
#include "commandbars/ribbonpage/ribbon_property_page.h"
#include "mainframe/main_frame.h"
#include "mainframe/ribbon_page_frame.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/controls/combobox.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr UINT kFirstId = 40000;
constexpr int kKeystrokes = 31;  // timed in each child; their median is the child's figure

// The processor time of the calling thread, in microseconds: the keystroke runs on it.
double threadCpuMicros() {
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Two letters naming one hundredth of the commands: "z" and the id's last two digits as letters.
std::wstring Token(UINT n) {
    return std::wstring{L'z', static_cast<wchar_t>(L'a' + n % 10), static_cast<wchar_t>(L'a' + (n / 10) % 10)};
}

// The page shown in the frame's window, as the sheet shows it.
class BenchPage : public RibbonPropertyPage {
public:
    using RibbonPropertyPage::RibbonPropertyPage;
    using CDialog::CreateChild;
    using RibbonPropertyPage::DestroyWindow;
};

void Type(HWND page, int id, const wchar_t* text) {
    HWND box = ::GetDlgItem(page, id);
    ::SetWindowTextW(box, text);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), CBN_EDITCHANGE), reinterpret_cast<LPARAM>(box));
}

// The child: "ribbon-page-search N". Prints the median microseconds of a keystroke (real, then
// processor), the items it left and the commands registered.
int ribbonPageSearchChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return 2;
    const int count = std::stoi(arguments[0]);
    platform::harness::Session session;
    session.start();
    session.runUntilIdle();
    int registered = 0;
    for (UINT id = kFirstId; registered < count && id < 0xFFFF; ++id) {
        if (!GlobalContainer::RegisterCmd(static_cast<int>(id), L"BenchCommand" + std::to_wstring(id), static_cast<int>(id),
                                          KVCommandFlags{}))
            continue;
        platform::kernel::overrideString(id, L"Draws element " + std::to_wstring(id) + L"\nElement " + std::to_wstring(id) +
                                                 L" " + Token(id));
        ++registered;
    }
    const HWND window = session.inspect().mainFrames().at(0);
    auto* frame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(window));
    if (!frame || !frame->GetRibbonBar()) return 3;
    UseMainFramesForRibbonPage();
    BenchPage page(frame->GetRibbonBar(), std::nullopt);
    if (!page.CreateChild(window, 0, 0)) return 4;
    HWND categories = ::GetDlgItem(page.GetSafeHwnd(), RibbonPropertyPage::kCategoryCombo);
    const LRESULT all = ::SendMessageW(categories, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                       reinterpret_cast<LPARAM>(Korvo::I18n::Translate(L"command_categories.all_commands").GetString()));
    if (all < 0) return 5;
    ::SendMessageW(categories, CB_SETCURSEL, static_cast<WPARAM>(all), 0);
    ::SendMessageW(page.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(RibbonPropertyPage::kCategoryCombo, CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(categories));
    std::vector<double> micros, cpuMicros;
    for (int i = 0; i < kKeystrokes; ++i) {
        Type(page.GetSafeHwnd(), RibbonPropertyPage::kCommandSearch, L"za");
        const double cpuBegin = threadCpuMicros();
        const auto begin = Clock::now();
        Type(page.GetSafeHwnd(), RibbonPropertyPage::kCommandSearch, L"zab");
        micros.push_back(std::chrono::duration<double, std::micro>(Clock::now() - begin).count());
        cpuMicros.push_back(threadCpuMicros() - cpuBegin);
    }
    std::printf("%f %f %d %d\n", bench::median(micros), bench::median(cpuMicros), page.GetCommandTree().GetItemCount(), registered);
    page.DestroyWindow();
    return 0;
}
const bool registered = bench::registerChild("ribbon-page-search", ribbonPageSearchChild);

void BM_RibbonPageSearchKeystroke(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const int small = static_cast<int>(state.range(0));
    const int large = small * 10;
    double smallSum = 0, largeSum = 0, items = 0;
    // Each child's figures (real, processor), the fastest kept per size.
    double fastestSmall[2] = {0, 0}, fastestLarge[2] = {0, 0};
    const auto keepFastest = [](double (&fastest)[2], const std::vector<double>& figures) {
        for (int i = 0; i < 2; ++i)
            if (fastest[i] == 0 || figures[static_cast<std::size_t>(i)] < fastest[i]) fastest[i] = figures[static_cast<std::size_t>(i)];
    };
    bool smallFirst = true;
    const auto measure = [](int count, std::vector<double>& figures, std::string& error) {
        return bench::runChild("ribbon-page-search", {std::to_string(count)}, figures, error) && figures.size() == 4;
    };
    for (auto _ : state) {
        std::vector<double> smallFigures, largeFigures;
        std::string error;
        // Each size first in every other iteration, so that neither gains from when it ran.
        const bool measured = smallFirst ? measure(small, smallFigures, error) && measure(large, largeFigures, error)
                                         : measure(large, largeFigures, error) && measure(small, smallFigures, error);
        smallFirst = !smallFirst;
        if (!measured) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        if (largeFigures[3] != large || largeFigures[2] < large / 100) {
            bench::fail(state, "the search did not list its matches");
            return;
        }
        state.SetIterationTime(largeFigures[0] / 1e6);
        smallSum += smallFigures[0];
        largeSum += largeFigures[0];
        keepFastest(fastestSmall, smallFigures);
        keepFastest(fastestLarge, largeFigures);
        items = largeFigures[2];
    }
    const double n = static_cast<double>(state.iterations());
    const double ratioCpu = fastestSmall[1] > 0 ? fastestLarge[1] / fastestSmall[1] : 0;
    state.counters["items_after_keystroke"] = items;
    state.counters["small_ms"] = smallSum / n / 1e3;
    state.counters["large_ms"] = largeSum / n / 1e3;
    state.counters["ratio"] = fastestSmall[0] > 0 ? fastestLarge[0] / fastestSmall[0] : 0;
    state.counters["ratio_cpu"] = ratioCpu;
    if (!bench::smokeRun() && ratioCpu > 15) bench::fail(state, "a keystroke over ten times the commands costs more than fifteen times as much");
}
BENCHMARK(BM_RibbonPageSearchKeystroke)->Arg(1000)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(bench::iterations(7));

}  // namespace
