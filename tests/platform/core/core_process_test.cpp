// Process identity and termination: environment, command line, program path, monitors, and the
// intercepted process end.
#include "platform/core/process.h"
#include "platform/win32/control.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;

TEST(CoreProcess, ExitProcessEndsTheRunAndPoisonsLaterCalls) {
    HWND w = createNamed("w", WS_POPUP);
    try {
        ExitProcess(1);
        FAIL() << "ExitProcess returned";
    } catch (const platform::core::ProcessTerminated& ended) {
        EXPECT_EQ(ended.exitCode(), 1u);
    }
    EXPECT_TRUE(platform::core::control::terminated());
    EXPECT_EQ(platform::core::control::exitCode(), 1u);
    EXPECT_TRUE(platform::core::journal().contains("process", L"exit 1"));
    EXPECT_THROW(PostMessageW(w, WM_USER, 0, 0), platform::core::ProcessTerminated);
    EXPECT_THROW(Sleep(10), platform::core::ProcessTerminated);
}

TEST(CoreProcess, CommandLineQuotesTheProgramAndArgumentsThatNeedIt) {
    auto& cfg = platform::core::config();
    cfg.arguments = {L"/regserver", L"C:\\Work\\a b.grb", L"say \"hi\"", L""};
    EXPECT_STREQ(GetCommandLineW(),
                 L"\"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe\" /regserver \"C:\\Work\\a b.grb\" "
                 L"\"say \\\"hi\\\"\" \"\"");
    wchar_t path[MAX_PATH];
    EXPECT_EQ(GetModuleFileNameW(nullptr, path, MAX_PATH), 49u);
    EXPECT_STREQ(path, L"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe");
    wchar_t small[8];
    EXPECT_EQ(GetModuleFileNameW(nullptr, small, 8), 8u);
    EXPECT_EQ(GetLastError(), ERROR_INSUFFICIENT_BUFFER);
    EXPECT_STREQ(small, L"C:\\Prog");
}

TEST(CoreProcess, EnvironmentStartsFromTheConfigurationAndChangesStayInTheProcess) {
    platform::core::config().environment = {{L"KORVO_STRING_ID", L"42"}};
    wchar_t value[256];
    EXPECT_EQ(GetEnvironmentVariableW(L"korvo_string_id", value, 256), 2u);
    EXPECT_STREQ(value, L"42");
    const DWORD needed = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    EXPECT_GT(needed, 1u) << "PATH is always there";
    EXPECT_EQ(GetEnvironmentVariableW(L"PATH", value, needed), needed - 1);
    ASSERT_TRUE(SetEnvironmentVariableW(L"Path", (std::wstring(value) + L";C:\\Program Files\\Velmora").c_str()));
    EXPECT_NE(platform::core::control::environment().at(L"PATH").find(L";C:\\Program Files\\Velmora"), std::wstring::npos);
    EXPECT_EQ(GetEnvironmentVariableW(L"MISSING", value, 256), 0u);
    EXPECT_EQ(GetLastError(), 203u);
    SetEnvironmentVariableW(L"KORVO_STRING_ID", nullptr);
    EXPECT_EQ(GetEnvironmentVariableW(L"KORVO_STRING_ID", value, 256), 0u);
    wchar_t expanded[64];
    ExpandEnvironmentStringsW(L"%SystemRoot%\\x;%NOPE%", expanded, 64);
    EXPECT_STREQ(expanded, L"C:\\Windows\\x;%NOPE%");
}

BOOL collectMonitor(HMONITOR monitor, HDC, LPRECT rect, LPARAM data) {
    reinterpret_cast<std::vector<std::pair<HMONITOR, RECT>>*>(data)->push_back({monitor, *rect});
    return TRUE;
}

TEST(CoreProcess, MonitorsComeFromTheConfiguration) {
    platform::core::MonitorConfig second;
    second.rect = RECT{1920, 0, 1920 + 3840, 2160};
    second.work = RECT{1920, 0, 1920 + 3840, 2120};
    second.primary = false;
    platform::core::config().monitors.push_back(second);
    std::vector<std::pair<HMONITOR, RECT>> found;
    EnumDisplayMonitors(nullptr, nullptr, &collectMonitor, reinterpret_cast<LPARAM>(&found));
    ASSERT_EQ(found.size(), 2u);
    MONITORINFOEXW info;
    ASSERT_TRUE(GetMonitorInfoW(found[1].first, &info));
    EXPECT_EQ(info.rcWork, second.work);
    EXPECT_EQ(info.dwFlags, 0u);
    EXPECT_STREQ(info.szDevice, L"\\\\.\\DISPLAY2");
    EXPECT_EQ(MonitorFromPoint(POINT{3000, 10}, MONITOR_DEFAULTTONULL), found[1].first);
    EXPECT_EQ(MonitorFromPoint(POINT{-500, 10}, MONITOR_DEFAULTTONULL), nullptr);
    EXPECT_EQ(MonitorFromPoint(POINT{9000, 10}, MONITOR_DEFAULTTONEAREST), found[1].first);
    EXPECT_EQ(MonitorFromPoint(POINT{9000, 10}, MONITOR_DEFAULTTOPRIMARY), found[0].first);
    HWND w = createNamed("w", WS_POPUP, nullptr, 0, 0, RECT{1800, 100, 2200, 400});
    EXPECT_EQ(MonitorFromWindow(w, MONITOR_DEFAULTTONULL), found[1].first) << "the larger share wins";
    EXPECT_EQ(GetSystemMetrics(SM_CMONITORS), 2);
    EXPECT_EQ(GetSystemMetrics(SM_CXVIRTUALSCREEN), 1920 + 3840);
}

TEST(CoreProcess, ASecondSessionInOneProcessIsRefused) {
    platform::core::control::configure(platform::core::Config{});
    EXPECT_THROW(platform::core::control::configure(platform::core::Config{}), std::logic_error);
}

}  // namespace
