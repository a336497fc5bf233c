// Starting a program: the start-up record must carry its own size, as the API requires, so a
// caller that leaves it unset is refused rather than quietly served.
#include "tests/platform/win32/win32_test_support.h"

namespace {

TEST(Win32ProcessStart, AStartUpRecordWithoutItsSizeIsRefused) {
    wchar_t own[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, own, MAX_PATH);
    PROCESS_INFORMATION process{};
    STARTUPINFOW startup{};
    EXPECT_FALSE(::CreateProcessW(own, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    EXPECT_EQ(::GetLastError(), ERROR_INVALID_PARAMETER);
    EXPECT_FALSE(::CreateProcessW(own, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, nullptr, &process));
    EXPECT_EQ(process.hProcess, nullptr);

    startup.cb = sizeof(startup);
    ASSERT_TRUE(::CreateProcessW(own, nullptr, nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process));
    ::CloseHandle(process.hProcess);
    ::CloseHandle(process.hThread);
}

}  // namespace
