// The restart manager as the kernel calls it: a session names files, a list answers which
// processes hold them, with the two-call pattern for the list's size; and the process calls that
// name a holder. Bad calls get the system's error codes, not a quiet success.
#include <string>
#include <vector>

#include "platform/win32/process/restart_manager.h"
#include "tests/platform/store/store_test_support.h"

namespace {

using store_test::StoreTest;

constexpr DWORD ERROR_BAD_ARGUMENTS = 160;
constexpr DWORD kViewer = 700;
constexpr DWORD kEditor = 701;
const std::wstring kFile = L"C:\\Work\\bracket.kvd";

class RestartManager : public StoreTest {
protected:
    void SetUp() override {
        StoreTest::SetUp();
        writeHost("C/Windows/System32/rstrtmgr.dll", "version=10.0.0.1\nexports=restartmanager\n");
        module = LoadLibraryW(L"rstrtmgr.dll");
        ASSERT_NE(module, nullptr);
        start = function<RmStartSessionFunction>("RmStartSession");
        registerFiles = function<RmRegisterResourcesFunction>("RmRegisterResources");
        list = function<RmGetListFunction>("RmGetList");
        end = function<RmEndSessionFunction>("RmEndSession");
        platform::processes::addProcess(kViewer, L"Viewer", L"C:\\Tools\\viewer.exe");
        platform::processes::addProcess(kEditor, L"Editor", L"C:\\Tools\\editor.exe");
    }
    void TearDown() override {
        FreeLibrary(module);
        StoreTest::TearDown();
    }
    template <class F>
    F function(const char* name) {
        FARPROC address = GetProcAddress(module, name);
        EXPECT_NE(address, nullptr) << name;
        return reinterpret_cast<F>(reinterpret_cast<void (*)()>(address));
    }
    DWORD newSession() {
        DWORD session = 0;
        WCHAR key[CCH_RM_SESSION_KEY + 1]{};
        EXPECT_EQ(start(&session, 0, key), static_cast<DWORD>(ERROR_SUCCESS));
        return session;
    }
    DWORD registerOne(DWORD session, const wchar_t* file) {
        LPCWSTR files[] = {file};
        return registerFiles(session, 1, files, 0, nullptr, 0, nullptr);
    }

    HMODULE module = nullptr;
    RmStartSessionFunction start = nullptr;
    RmRegisterResourcesFunction registerFiles = nullptr;
    RmGetListFunction list = nullptr;
    RmEndSessionFunction end = nullptr;
};

TEST_F(RestartManager, SessionsHaveKeysOfTheirOwnAndEndOnce) {
    DWORD first = 0, second = 0;
    WCHAR firstKey[CCH_RM_SESSION_KEY + 1]{}, secondKey[CCH_RM_SESSION_KEY + 1]{};
    ASSERT_EQ(start(&first, 0, firstKey), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(start(&second, 0, secondKey), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_NE(first, second);
    EXPECT_NE(std::wstring(firstKey), std::wstring(secondKey));
    EXPECT_FALSE(std::wstring(firstKey).empty());
    EXPECT_EQ(start(nullptr, 0, firstKey), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(start(&first, 0, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    EXPECT_EQ(end(first), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(end(first), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    // An ended session takes no files and answers no list.
    EXPECT_EQ(registerOne(first, kFile.c_str()), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    UINT needed = 0, room = 0;
    DWORD reasons = 0;
    EXPECT_EQ(list(first, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    EXPECT_EQ(end(second), static_cast<DWORD>(ERROR_SUCCESS));
}

TEST_F(RestartManager, OnlyFilesAreRegisteredAndABadListRegistersNone) {
    const DWORD session = newSession();
    RM_UNIQUE_PROCESS process{kViewer, {}};
    LPCWSTR service[] = {L"Spooler"};
    EXPECT_EQ(registerFiles(session, 0, nullptr, 1, &process, 0, nullptr), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    EXPECT_EQ(registerFiles(session, 0, nullptr, 0, nullptr, 1, service), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    EXPECT_EQ(registerFiles(session, 2, nullptr, 0, nullptr, 0, nullptr), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    EXPECT_EQ(registerFiles(session, 0, nullptr, 0, nullptr, 0, nullptr), static_cast<DWORD>(ERROR_SUCCESS));

    // A list with an empty name in it is refused whole: the good name before it is not kept.
    platform::processes::holdFile(kViewer, kFile);
    LPCWSTR files[] = {kFile.c_str(), L""};
    EXPECT_EQ(registerFiles(session, 2, files, 0, nullptr, 0, nullptr), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    LPCWSTR withNull[] = {kFile.c_str(), nullptr};
    EXPECT_EQ(registerFiles(session, 2, withNull, 0, nullptr, 0, nullptr), static_cast<DWORD>(ERROR_BAD_ARGUMENTS));
    UINT needed = 9, room = 0;
    DWORD reasons = 9;
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(reasons, 0u);
    end(session);
}

TEST_F(RestartManager, TheListNeedsRoomForEveryHolderAndNamesThemWithoutCase) {
    platform::processes::holdFile(kViewer, kFile);
    platform::processes::holdFile(kEditor, L"c:\\work\\BRACKET.KVD");
    platform::processes::holdFile(kEditor, L"C:\\Work\\other.kvd");
    const DWORD session = newSession();
    ASSERT_EQ(registerOne(session, kFile.c_str()), static_cast<DWORD>(ERROR_SUCCESS));

    UINT needed = 0, room = 0;
    DWORD reasons = 0;
    EXPECT_EQ(list(session, &needed, nullptr, nullptr, &reasons), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(list(session, nullptr, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(list(session, &needed, &room, nullptr, nullptr), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    room = 2;
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    // First call: no room, the number needed; second call: that much room, the holders.
    room = 0;
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 2u);
    std::vector<RM_PROCESS_INFO> infos(needed);
    room = 1;
    EXPECT_EQ(list(session, &needed, &room, infos.data(), &reasons), static_cast<DWORD>(ERROR_MORE_DATA));
    room = needed;
    ASSERT_EQ(list(session, &needed, &room, infos.data(), &reasons), static_cast<DWORD>(ERROR_SUCCESS));
    ASSERT_EQ(room, 2u);
    EXPECT_EQ(infos[0].Process.dwProcessId, kViewer);
    EXPECT_EQ(std::wstring(infos[0].strAppName), L"Viewer");
    EXPECT_EQ(infos[1].Process.dwProcessId, kEditor);
    EXPECT_EQ(std::wstring(infos[1].strAppName), L"Editor");
    EXPECT_FALSE(infos[0].bRestartable);
    end(session);
}

TEST_F(RestartManager, AFailureSetUpForOneCallHitsThatCallOnce) {
    platform::processes::failNext("RmGetList", ERROR_ACCESS_DENIED);
    const DWORD session = newSession();
    ASSERT_EQ(registerOne(session, kFile.c_str()), static_cast<DWORD>(ERROR_SUCCESS));
    UINT needed = 0, room = 0;
    DWORD reasons = 0;
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_ACCESS_DENIED));
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_SUCCESS));

    // What a test runs after a list answered happens between the caller's two calls.
    platform::processes::afterNextList([] { platform::processes::holdFile(kViewer, kFile); });
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_SUCCESS));
    EXPECT_EQ(needed, 0u);
    EXPECT_EQ(list(session, &needed, &room, nullptr, &reasons), static_cast<DWORD>(ERROR_MORE_DATA));
    EXPECT_EQ(needed, 1u);
    end(session);
}

TEST_F(RestartManager, AHolderIsNamedByItsImageThroughAProcessHandle) {
    SetLastError(0);
    EXPECT_EQ(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, 999999), nullptr);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));

    HANDLE viewer = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, kViewer);
    ASSERT_NE(viewer, nullptr);
    const std::wstring image = L"C:\\Tools\\viewer.exe";
    WCHAR name[64]{};
    DWORD size = static_cast<DWORD>(image.size());  // no room for the terminator
    EXPECT_FALSE(QueryFullProcessImageNameW(viewer, 0, name, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    size = static_cast<DWORD>(image.size() + 1);
    ASSERT_TRUE(QueryFullProcessImageNameW(viewer, 0, name, &size));
    EXPECT_EQ(std::wstring(name), image);
    EXPECT_EQ(size, image.size());

    // The program itself is always in the table.
    HANDLE self = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, GetCurrentProcessId());
    ASSERT_NE(self, nullptr);
    CloseHandle(self);

    // A handle that is no process is refused.
    HANDLE event = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    size = 64;
    EXPECT_FALSE(QueryFullProcessImageNameW(event, 0, name, &size));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_HANDLE));
    CloseHandle(event);
    CloseHandle(viewer);
}

}  // namespace
