// The kernel asks which other programs hold a file open before it overwrites or moves it.
#include <string>
#include <utility>
#include <vector>

#include "platform/kernel.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;
using Programs = std::vector<std::pair<CString, CString>>;

KorvoServerAppProxy& Kernel() { return *KorvoServerAppProxy::Instance(); }

const std::wstring kFile = L"C:\\Work\\bracket.kvd";
constexpr DWORD kViewer = 700;
constexpr DWORD kEditor = 701;

class ProcessesUsingFile : public SessionTest {
protected:
    void SetUp() override {
        s.files().write(L"C:\\Windows\\System32\\rstrtmgr.dll", "version=10.0.0.1\nexports=restartmanager\n");
        s.files().write(kFile, "part");
        platform::processes::addProcess(kViewer, L"Viewer", L"C:\\Tools\\viewer.exe");
        platform::processes::addProcess(kEditor, L"Editor", L"C:\\Tools\\editor.exe");
        s.start();
        ASSERT_EQ(s.startResult(), 1);
    }
    Session s;
};

TEST_F(ProcessesUsingFile, ListsOtherProgramsButNeverThisOne) {
    platform::processes::holdFile(GetCurrentProcessId(), kFile);
    Programs programs;
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(programs.empty());  // only this program holds it

    platform::processes::holdFile(kViewer, kFile);
    platform::processes::holdFile(kEditor, L"C:\\Work\\other.kvd");
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, L"c:\\work\\BRACKET.kvd"), ERROR_SUCCESS);
    ASSERT_EQ(programs.size(), 1u);
    EXPECT_EQ(programs[0].first.view(), L"Viewer");
    EXPECT_EQ(programs[0].second.view(), L"C:\\Tools\\viewer.exe");

    programs.clear();
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, L""), ERROR_SUCCESS);
    EXPECT_TRUE(programs.empty());
}

TEST_F(ProcessesUsingFile, AProgramOpeningTheFileBetweenTheTwoListCallsIsALoggedFailure) {
    platform::processes::holdFile(kViewer, kFile);
    platform::processes::afterNextList([] { platform::processes::holdFile(kEditor, kFile); });
    Programs programs;
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_MORE_DATA);
    EXPECT_TRUE(programs.empty());
    EXPECT_TRUE(Contains(logs(s), L"7 Failed to get the list of applications and services using the file \"" + kFile +
                                      L"\": 0x000000ea"));
    // Asked again, both are there.
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_SUCCESS);
    EXPECT_EQ(programs.size(), 2u);
}

TEST_F(ProcessesUsingFile, FailuresOfTheManagerAreLoggedAndListNothing) {
    platform::processes::holdFile(kViewer, kFile);
    Programs programs;
    platform::processes::failNext("RmRegisterResources", ERROR_ACCESS_DENIED);
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_ACCESS_DENIED);
    platform::processes::failNext("RmGetList", ERROR_INVALID_PARAMETER);
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_INVALID_PARAMETER);
    EXPECT_TRUE(programs.empty());
    const auto log = logs(s);
    EXPECT_TRUE(Contains(log, L"7 Failed to register restart manager session resources for the file \"" + kFile + L"\": 0x00000005"));
    EXPECT_TRUE(Contains(log, L"7 Failed to get the number of applications and services using the file \"" + kFile +
                                  L"\": 0x00000057"));
}

TEST_F(ProcessesUsingFile, AManagerWithoutItsFunctionsAnswersNothingFromThenOn) {
    s.files().write(L"C:\\Windows\\System32\\rstrtmgr.dll", "version=10.0.0.1\n");
    platform::processes::holdFile(kViewer, kFile);
    Programs programs;
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(programs.empty());
    // Loaded once: a later fix of the module is not seen by this run.
    s.files().write(L"C:\\Windows\\System32\\rstrtmgr.dll", "version=10.0.0.1\nexports=restartmanager\n");
    EXPECT_EQ(Kernel().GetProcessesUsingFile(programs, kFile.c_str()), ERROR_SUCCESS);
    EXPECT_TRUE(programs.empty());
}

}  // namespace
