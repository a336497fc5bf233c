// Loading "application.xml" with 15,000 commands: registering every command (the identity rule
// finds an equal command by its key) and letting a frame's stored controls follow their ids,
// against reading the same file's sections without registering. `load_over_read` should stay at
// 3 or below. Each run is a child process with a session of its own.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "app/kvw32_app.h"
#include "bench/bench_support.h"
#include "bench/child.h"
#include "mainframe/main_frame.h"
#include "platform/harness.h"

namespace {

using Clock = std::chrono::steady_clock;

double microsSince(Clock::time_point begin) {
    return std::chrono::duration<double, std::micro>(Clock::now() - begin).count();
}

// Stored tool-bar controls that name application commands, spread over the ids.
constexpr int kStoredControls = 2000;

// Half add-on commands of a few applications, half commands named by unique ids; every one its
// own. A first section of an unknown kind gets no command, so every later one takes an id one
// lower than its place: the stored controls have to follow.
std::string CommandsFile(int count) {
    std::string text = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings>\n"
                       "<ApplicationCommand Type=\"7\" AppId=\"RETIRED\" InternalID=\"1\"/>\n";
    char line[256];
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            std::snprintf(line, sizeof line,
                          "<ApplicationCommand Type=\"0\" AppId=\"ADDON%d\" InternalID=\"%d\" CommandID=\"%d\" IsInternal=\"false\"/>\n",
                          i % 40, i, 17000 + i);
        else
            std::snprintf(line, sizeof line,
                          "<ApplicationCommand Type=\"1\" AppId=\"%08X-5A1B-4C2D-8E3F-%012X\" InternalID=\"%d\" CommandID=\"%d\" "
                          "IsInternal=\"true\"/>\n",
                          static_cast<unsigned>(i), static_cast<unsigned>(i * 7919), i % 100, 17000 + i);
        text += line;
    }
    return text + "</Settings>\n";
}

// Every section's values read as loading reads them, nothing registered.
int ReadOnly(LPCWSTR path) {
    CXTPPropExchangeXMLNode file(TRUE, L"Settings");
    if (!file.LoadFromFile(path)) return -1;
    int sections = 0;
    CXTPPropExchangeEnumeratorPtr enumerator = file.GetEnumerator(L"ApplicationCommand");
    POSITION position = enumerator->GetPosition();
    while (position) {
        CXTPPropExchange* section = enumerator->GetNext(position);
        int kind = -1, internalId = 0, storedId = 0;
        CString idText;
        bool internal = false;
        PX_Int(section, L"Type", kind, -1);
        PX_String(section, L"AppId", idText, L"");
        PX_Int(section, L"InternalID", internalId, 0);
        PX_Int(section, L"CommandID", storedId, 0);
        PX_Bool(section, L"IsInternal", internal, false);
        CXTPPropExchangeSection icon(section->GetSection(L"Icon"));
        benchmark::DoNotOptimize(idText);
        ++sections;
    }
    return sections;
}

// The child: "application-commands N". Prints the microseconds of reading and of loading, the
// commands registered and the stored controls whose id changed.
int applicationCommandsChild(const std::vector<std::string>& arguments) {
    if (arguments.size() != 1) return 2;
    const int count = std::stoi(arguments[0]);
    platform::harness::Session session;
    session.start();
    session.runUntilIdle();
    const std::wstring path = session.files().programFile(L"bench-application.xml");
    session.files().write(path, CommandsFile(count));

    CKvw32App* app = CKvw32App::Instance();
    CMainFrame* frame = app ? app->GetActiveMainFrame() : nullptr;
    CXTPToolBar* bar = frame && frame->GetCommandBars() ? frame->GetCommandBars()->GetAt(0) : nullptr;
    if (!bar) return 3;
    // Each must move down by one.
    std::vector<CXTPControl*> stored;
    for (int i = 0; i < kStoredControls; ++i)
        stored.push_back(bar->GetControls()->Add(xtpControlButton, 17001 + i * (count / kStoredControls)));

    ReadOnly(path.c_str());  // the file's pages warm, as they are for the load
    auto begin = Clock::now();
    const int read = ReadOnly(path.c_str());
    const double readMicros = microsSince(begin);
    if (read != count + 1) return 4;

    begin = Clock::now();
    CXTPPropExchangeXMLNode file(TRUE, L"Settings");
    if (!file.LoadFromFile(path.c_str())) return 5;
    app->LoadApplicationCommands(*file.GetEnumerator(L"ApplicationCommand"));
    const double loadMicros = microsSince(begin);

    int moved = 0;
    for (int i = 0; i < kStoredControls; ++i) moved += stored[static_cast<std::size_t>(i)]->GetID() == 17000 + i * (count / kStoredControls);
    std::printf("%f %f %d %d\n", readMicros, loadMicros, app->GetApplicationCommands().GetCount(), moved);
    return 0;
}
const bool registered = bench::registerChild("application-commands", applicationCommandsChild);

void BM_ApplicationCommandsFile(benchmark::State& state) {
    if (!bench::mayRun(state)) return;
    const int commands = static_cast<int>(state.range(0));
    double read = 0, load = 0, registeredCount = 0, moved = 0;
    for (auto _ : state) {
        std::vector<double> figures;
        std::string error;
        if (!bench::runChild("application-commands", {std::to_string(commands)}, figures, error) || figures.size() != 4) {
            bench::fail(state, error.empty() ? "the child printed no figures" : error.c_str());
            return;
        }
        if (figures[2] != commands || figures[3] != kStoredControls) {
            bench::fail(state, "not every command was registered or not every stored control followed its command");
            return;
        }
        state.SetIterationTime(figures[1] / 1e6);
        read += figures[0];
        load += figures[1];
        registeredCount = figures[2];
        moved = figures[3];
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["commands"] = registeredCount;
    state.counters["controls_followed"] = moved;
    state.counters["read_ms"] = read / n / 1e3;
    state.counters["load_ms"] = load / n / 1e3;
    state.counters["load_over_read"] = read > 0 ? load / read : 0;
}
BENCHMARK(BM_ApplicationCommandsFile)
    ->Arg(15000)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Iterations(bench::iterations(5));

}  // namespace
