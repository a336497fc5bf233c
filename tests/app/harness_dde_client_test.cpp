// The window through which the harness sends DDE commands is the harness's, not the program's:
// the program's windows, their dump and the journal never show it, and it goes when the program
// ends.
#include <algorithm>

#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

constexpr std::wstring_view kClientClass = L"Korvo.HarnessDdeClient";

HHOOK watchHook = nullptr;
HWND createdClient = nullptr;
HWND destroyedClient = nullptr;

LRESULT WatchClient(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* create = reinterpret_cast<const CBT_CREATEWNDW*>(lParam);
        if (create->lpcs->lpszClass && kClientClass == create->lpcs->lpszClass) {
            createdClient = reinterpret_cast<HWND>(wParam);
        }
    }
    if (code == HCBT_DESTROYWND && createdClient && reinterpret_cast<HWND>(wParam) == createdClient) {
        destroyedClient = createdClient;
    }
    return CallNextHookEx(watchHook, code, wParam, lParam);
}

class HarnessDdeClient : public SessionTest {};

TEST_F(HarnessDdeClient, IsNoWindowOfTheProgramAndEndsWithIt) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    watchHook = SetWindowsHookExW(WH_CBT, &WatchClient, nullptr, GetCurrentThreadId());
    ASSERT_NE(watchHook, nullptr);
    s.user().dde(L"[noop()]");
    s.runUntilIdle();
    ASSERT_NE(createdClient, nullptr);
    EXPECT_TRUE(IsWindow(createdClient));
    EXPECT_TRUE(apptest::Contains(apptest::Lines(s), L"dde ack")) << "the client got no acknowledgement";

    const auto topLevel = s.inspect().topLevelWindows();
    EXPECT_EQ(std::find(topLevel.begin(), topLevel.end(), createdClient), topLevel.end());
    EXPECT_EQ(s.inspect().dumpWindows().find(kClientClass), std::wstring::npos);
    EXPECT_FALSE(apptest::Contains(apptest::Lines(s), kClientClass));

    s.quit();
    EXPECT_EQ(destroyedClient, createdClient);
    UnhookWindowsHookEx(watchHook);
}

}  // namespace
