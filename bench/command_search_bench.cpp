// The command search over n registered commands (realistic texts, one synonym line each,
// synonyms on): a rebuild (empty filter, list refreshed) and a keystroke (the filter grows from
// about 10% to about 1% of the commands, list refreshed, as the user types). The cost per command
// (`rebuild_us_per_command`, `keystroke_us_per_command`) should stay flat as n grows; only the sort
// is n log n. Each size runs in a child process with a session of its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "bench/bench_support.h"
#include "bench/child.h"
#include "commandbars/search/find_command_wnd.h"
#include "platform/harness.h"
#include "platform/kernel.h"
#include "platform/kernel/ui/control.h"
#include "platform/win32/controls/combobox.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point begin) {
    return std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
}

constexpr UINT kFirstId = 40000;
constexpr UINT kFindCommandPane = 1028;

// Two letters naming one hundredth of the commands: "z" and the id's last two digits as letters.
std::wstring Token(UINT n) {
    return std::wstring{L'z', static_cast<wchar_t>(L'a' + n % 10), static_cast<wchar_t>(L'a' + (n / 10) % 10)};
}

// The child: "command-search N". Prints the microseconds of a rebuild and of one keystroke, and
// the rows the keystroke left.
int commandSearchChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return 2;
    const int count = std::stoi(arguments[0]);
    platform::harness::Session session;
    session.start();
    session.runUntilIdle();
    std::wstring tags;
    int registered = 0;
    for (UINT id = kFirstId; registered < count && id < 0xFFFF; ++id) {
        const std::wstring name = L"BenchCommand" + std::to_wstring(id);
        if (!GlobalContainer::RegisterCmd(static_cast<int>(id), name, static_cast<int>(id), KVCommandFlags{})) continue;
        platform::kernel::overrideString(id, L"Draws the element number " + std::to_wstring(id) + L" of the sketch " +
                                                 Token(id).substr(0, 2) + L" with its dimensions\nElement " +
                                                 std::to_wstring(id) + L" " + Token(id));
        tags += name + L" part piece bench" + std::to_wstring(id % 97) + L"\n";
        ++registered;
    }
    // The synonyms are read at the list's first filling, when the pane first shows.
    session.files().writeIni(L"CommandTags.txt", tags);
    const HWND frame = session.inspect().mainFrames().at(0);
    session.user().command(frame, 799);
    session.runUntilIdle();
    const HWND window = session.inspect().paneWindow(frame, kFindCommandPane);
    auto* pane = dynamic_cast<CFindCommandWnd*>(CWnd::FromHandlePermanent(window));
    if (!pane) return 3;

    auto begin = Clock::now();
    pane->GetForm().Refresh();
    const double rebuildMicros = microsSince(begin);

    session.user().typeInto(window, 1215, L"za");
    session.runUntilIdle();
    const HWND box = pane->GetForm().GetComboBox().GetSafeHwnd();
    ::PostMessageW(box, WM_CHAR, L'b', 1);
    begin = Clock::now();
    session.runUntilIdle();
    const double keystrokeMicros = microsSince(begin);
    std::printf("%f %f %zu %d\n", rebuildMicros, keystrokeMicros, pane->GetForm().GetEntries().size(), registered);
    return 0;
}
const bool registered = bench::registerChild("command-search", commandSearchChild);

void BM_CommandSearch(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const int commands = static_cast<int>(state.range(0));
    double rebuild = 0, keystroke = 0, rows = 0, listed = 0;
    for (auto _ : state) {
        std::vector<double> figures;
        std::string error;
        if (!bench::runChild("command-search", {std::to_string(commands)}, figures, error) || figures.size() != 4) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        state.SetIterationTime(figures[1] / 1e6);
        rebuild += figures[0];
        keystroke += figures[1];
        rows += figures[2];
        listed = figures[3];
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["commands"] = listed;
    state.counters["rows_after_keystroke"] = rows / n;
    state.counters["rebuild_ms"] = rebuild / n / 1e3;
    state.counters["keystroke_ms"] = keystroke / n / 1e3;
    state.counters["rebuild_us_per_command"] = listed > 0 ? rebuild / n / listed : 0;
    state.counters["keystroke_us_per_command"] = listed > 0 ? keystroke / n / listed : 0;
}
BENCHMARK(BM_CommandSearch)
    ->Arg(400)
    ->Arg(10000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(3));

}  // namespace
