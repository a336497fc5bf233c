// What `dump costs` counts as a step of the UI thread: each message its loop dispatches, once
// however many more a loop inside it dispatches, with every file it looked at; and nothing at all
// while costs are not measured, so that a benchmark's loop reads no clock.
#include "platform/core/costs.h"
#include "platform/harness.h"
#include "tests/platform/win32/win32_test_support.h"
#include "tests/support/session_test.h"

namespace {

using namespace win32test;

class Win32StepCosts : public platform::harness::SessionTest {};

constexpr UINT kList = WM_USER + 1, kListInside = WM_USER + 2, kNothing = WM_USER + 3;

int listDocuments() {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(L"C:\\Work\\*.grb", &entry);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int names = 1;
    while (FindNextFileW(search, &entry)) ++names;
    FindClose(search);
    return names;
}

// Three documents listed by a message that, as a modal loop would, dispatches another one that
// lists them again; then a message that looks at nothing.
void postListingAndIdleMessages(platform::harness::Session& s) {
    for (const wchar_t* name : {L"a", L"b", L"c"}) s.files().write(std::wstring(L"C:\\Work\\") + name + L".grb", "");
    platform::core::markUiThread();
    HWND w = createNamed("w", WS_POPUP);
    const auto outer = onMessage(kList, [](HWND hwnd, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        EXPECT_EQ(listDocuments(), 3);
        PostMessageW(hwnd, kListInside, 0, 0);
        pumpAll();
        return 0;
    });
    const auto inner = onMessage(kListInside, [](HWND, UINT, WPARAM, LPARAM) -> std::optional<LRESULT> {
        EXPECT_EQ(listDocuments(), 3);
        return 0;
    });
    PostMessageW(w, kList, 0, 0);
    pumpAll();
    PostMessageW(w, kNothing, 0, 0);
    pumpAll();
}

TEST_F(Win32StepCosts, AStepIsTheOutermostDispatchAndCountsTheFilesOfTheDispatchesInsideIt) {
    platform::harness::Config config;
    config.measureCosts = true;
    platform::harness::Session s(config);
    const platform::core::CostFigures before = platform::core::costFigures();
    postListingAndIdleMessages(s);
    const platform::core::CostFigures after = platform::core::costFigures();
    EXPECT_EQ(after.steps - before.steps, 2u);
    EXPECT_EQ(after.listingSteps - before.listingSteps, 1u);
    EXPECT_EQ(after.mostFilesInOneStep, 6u);
    EXPECT_EQ(after.longestListingStep.filesLookedAt, 6u);
    EXPECT_GE(after.longestStep.cost.wallMs, after.longestListingStep.cost.wallMs);
    expectNoFailures();
}

TEST_F(Win32StepCosts, NothingIsMeasuredUnlessAsked) {
    platform::harness::Session s;
    postListingAndIdleMessages(s);
    const platform::core::CostFigures figures = platform::core::costFigures();
    EXPECT_EQ(figures.steps, 0u);
    EXPECT_EQ(figures.listingSteps, 0u);
    EXPECT_FALSE(figures.lastPass.has_value());
    expectNoFailures();
}

}  // namespace
