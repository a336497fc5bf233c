// The splash window while the program starts: its place, what it draws, stepping aside for the
// program's other windows and coming back, and its end.
#include <algorithm>
#include <string>
#include <vector>

#include "app/startup/splash_wnd.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr wchar_t kSplashTitle[] = L"Korvo CAD is starting";

HWND FindSplash() {
    HWND found = nullptr;
    EnumChildWindows(
        nullptr,
        [](HWND hwnd, LPARAM result) {
            wchar_t text[64] = {};
            GetWindowTextW(hwnd, text, 64);
            if (std::wstring(text) != kSplashTitle) return TRUE;
            *reinterpret_cast<HWND*>(result) = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

struct Place {
    RECT rect{};
    std::vector<std::wstring> drawing;
};

Place PlaceOf(Session& s, HWND window) {
    Place place;
    if (window) GetWindowRect(window, &place.rect);
    if (window) place.drawing = s.inspect().drawing(window);
    return place;
}

void ExpectRect(const RECT& rect, LONG left, LONG top, LONG right, LONG bottom) {
    EXPECT_EQ(rect.left, left);
    EXPECT_EQ(rect.top, top);
    EXPECT_EQ(rect.right, right);
    EXPECT_EQ(rect.bottom, bottom);
}

class SplashWindow : public SessionTest {};

TEST_F(SplashWindow, StandsCentredAndStepsAsideWhileTheUserReadsAStartUpBox) {
    Session s;
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    Place before, during;
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest& box) {
        before = PlaceOf(s, FindSplash());
        Sleep(300);
        HWND splash = FindSplash();
        during = PlaceOf(s, splash);
        wchar_t front[64] = {};
        GetWindowTextW(GetForegroundWindow(), front, 64);
        EXPECT_EQ(front, box.caption) << "the box comes to the front";
        EXPECT_EQ(platform::mfc::taskbarProgress(splash).state, TBPF_NOPROGRESS);
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    // The standard 1920-pixel monitor is wide enough for the wide banner: 1200 x 720 in the
    // middle of the 1920 x 1040 work area, the notice under it at twice the size.
    ExpectRect(before.rect, 360, 160, 1560, 880);
    ASSERT_EQ(before.drawing.size(), 2u);
    EXPECT_NE(before.drawing[0].find(L"of a 1200x720 bitmap"), std::wstring::npos);
    EXPECT_NE(before.drawing[1].find(L"DrawText (44,649)-(1156,675)"), std::wstring::npos) << apptest::Utf8(before.drawing[1]);
    EXPECT_NE(before.drawing[1].find(L"font \"Segoe UI\" 26 colour 0x000000 transparent"), std::wstring::npos);
    ExpectRect(during.rect, -10000, -10000, -10000, -10000);
    EXPECT_EQ(FindSplash(), nullptr) << "gone once start-up is over";
    const auto called = calls(s);
    EXPECT_EQ(std::count(called.begin(), called.end(), L"KVLog_Cleanup(7)"), 1) << "the log is cleaned once";
}

TEST_F(SplashWindow, ANarrowerMonitorGetsTheStandardBanner) {
    Config config;
    config.platform.monitors.front().rect = RECT{0, 0, 1799, 900};
    config.platform.monitors.front().work = RECT{0, 0, 1799, 860};
    Session s(config);
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    Place shown;
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest&) {
        shown = PlaceOf(s, FindSplash());
        return Button::Ok;
    });
    s.start();
    ExpectRect(shown.rect, 599, 250, 1199, 610);
    ASSERT_EQ(shown.drawing.size(), 2u);
    EXPECT_NE(shown.drawing[0].find(L"of a 600x360 bitmap"), std::wstring::npos);
    EXPECT_NE(shown.drawing[1].find(L"DrawText (22,324)-(578,337)"), std::wstring::npos) << apptest::Utf8(shown.drawing[1]);
    EXPECT_NE(shown.drawing[1].find(L"font \"Segoe UI\" 13 "), std::wstring::npos);
}

TEST_F(SplashWindow, WithoutABannerThereIsNoWindowAndTheStartUpGoesOn) {
    Session s;
    for (const wchar_t* banner : {L"Banner.bmp", L"Banner4K.bmp"})
        s.files().remove(std::wstring(L"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\") + banner);
    bool open = true;
    s.files().setModuleVersion(L"KV3DSE.dll", L"18.0.20.0");
    s.user().expectBox(L"*KV3DSE.dll*", [&](const BoxRequest&) {
        open = FindSplash() != nullptr;
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    EXPECT_FALSE(open);
    EXPECT_FALSE(Contains(s.journal().texts("window"), kSplashTitle));
    CSplashWnd::SignalClose();
}

TEST_F(SplashWindow, ComesBackWhenTheOtherWindowGoesAndEndsWhenSignalled) {
    Session s;
    s.start();
    s.runUntilIdle();
    CSplashWnd::StartThread(new CSplashWnd(nullptr, true));
    HWND splash = FindSplash();
    ASSERT_NE(splash, nullptr);
    RECT home{};
    GetWindowRect(splash, &home);
    EXPECT_EQ(platform::mfc::taskbarProgress(splash).state, TBPF_INDETERMINATE);
    s.advance(200);
    EXPECT_EQ(PlaceOf(s, splash).rect.left, home.left) << "the main frame does not send it away";

    HWND other = CreateWindowExW(0, L"#32770", L"Other", WS_POPUP | WS_VISIBLE, 10, 10, 100, 100, nullptr, nullptr,
                                 nullptr, nullptr);
    s.advance(200);
    ExpectRect(PlaceOf(s, splash).rect, -10000, -10000, -10000, -10000);
    EXPECT_EQ(GetForegroundWindow(), other);
    s.advance(200);
    EXPECT_EQ(PlaceOf(s, splash).rect.left, -10000) << "it stays away while the window is up";

    ShowWindow(other, SW_HIDE);
    s.advance(200);
    ExpectRect(PlaceOf(s, splash).rect, home.left, home.top, home.right, home.bottom);
    EXPECT_EQ(GetForegroundWindow(), splash);
    EXPECT_EQ(platform::mfc::taskbarProgress(splash).state, TBPF_INDETERMINATE);
    DestroyWindow(other);

    CSplashWnd::SignalClose();
    s.runUntilIdle();
    EXPECT_FALSE(IsWindow(splash));
    EXPECT_FALSE(CSplashWnd::IsOpen());
    CSplashWnd::SignalClose();  // nothing left to signal
}

}  // namespace
