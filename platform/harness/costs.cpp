// What the program's work has cost on the host, as the console's `dump costs` prints it. Times
// are the host's, so unlike the rest of a transcript they differ from run to run.
#include <cstdio>
#include <mutex>

#include "platform/core/costs.h"
#include "platform/core/threads.h"
#include "platform/harness.h"

namespace platform::harness {

namespace {

using platform::core::Cost;
using platform::core::StepCost;

std::wstring costText(const Cost& cost) {
    wchar_t text[96];
    std::swprintf(text, sizeof text / sizeof text[0], L"%.3f ms, cpu %.3f ms", cost.wallMs, cost.cpuMs);
    return text;
}

std::wstring stepsText(std::uint64_t steps, const StepCost& longest) {
    std::wstring text = std::to_wstring(steps);
    if (steps == 0) return text;
    return text + L", longest " + costText(longest.cost) + L", " + std::to_wstring(longest.filesLookedAt) + L" files looked at";
}

}  // namespace

std::wstring Inspect::dumpCosts() const {
    std::size_t threads = 0;
    {
        auto& table = platform::core::threads();
        std::lock_guard lock(table.mutex());
        threads = table.ids().size();
    }
    const platform::core::CostFigures figures = platform::core::costFigures();
    std::wstring dump = L"threads " + std::to_wstring(threads) + L"\n";
    dump += L"start " + (figures.start ? costText(*figures.start) + (figures.startWithFirstPass ? L", to the end of the first loop pass"
                                                                                                 : L", the loop has not run yet")
                                       : std::wstring(L"none")) + L"\n";
    dump += L"loop pass " + (figures.lastPass ? costText(*figures.lastPass) : std::wstring(L"none")) + L"\n";
    dump += L"steps " + stepsText(figures.steps, figures.longestStep) + L"\n";
    dump += L"steps looking at files " + stepsText(figures.listingSteps, figures.longestListingStep);
    if (figures.listingSteps != 0) dump += L", at most " + std::to_wstring(figures.mostFilesInOneStep) + L" in one step";
    return dump + L"\n";
}

}  // namespace platform::harness
