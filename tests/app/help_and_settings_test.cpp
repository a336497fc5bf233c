// Settings that start-up takes from the registry and from files of the program folder: the help
// path, the recent-file list, the text browsers and the tips strip; and a value one run writes
// that the next run reads.
#include <string>
#include <utility>

#include "app/kvw32_app.h"
#include "app/documents/recent_file_list.h"
#include "auxiliary/info_tip.h"
#include "tests/app/app_test_support.h"
#include "tests/support/second_run.h"

namespace {

using namespace platform::harness;

std::wstring ProcessPath() {
    const DWORD length = GetEnvironmentVariableW(L"PATH", nullptr, 0);
    std::wstring path(length, L'\0');
    GetEnvironmentVariableW(L"PATH", path.data(), length);
    path.resize(length > 0 ? length - 1 : 0);
    return path;
}

std::wstring HelpFilePath() {
    LPCWSTR path = AfxGetApp()->m_pszHelpFilePath;
    return path ? path : L"";
}

class HelpPath : public SessionTest {};

TEST_F(HelpPath, InstalledPathIsRememberedAndUsed) {
    Session s;
    s.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"SetupHelpPath", L"C:\\Help/");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"Help"), L"Path"), L"C:\\Help/");
    EXPECT_TRUE(ProcessPath().ends_with(L";C:\\Help/"));
    EXPECT_EQ(HelpFilePath(), L"C:\\Help/Korvo.chm");
}

TEST_F(HelpPath, UserPathWinsAndGetsASeparator) {
    Session s;
    s.registry().setString(apptest::kUser, apptest::section(L"Help"), L"Path", L"D:\\Docs\\Help");
    s.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"SetupHelpPath", L"C:\\Help");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(ProcessPath().ends_with(L";D:\\Docs\\Help"));
    EXPECT_EQ(HelpFilePath(), L"D:\\Docs\\Help\\Korvo.chm");
}

TEST_F(HelpPath, FloppyDrivesAreStoredButNeverUsed) {
    Session s;
    s.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"SetupHelpPath", L"a:\\help");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"Help"), L"Path"), L"a:\\help");
    EXPECT_EQ(ProcessPath().find(L"a:\\help"), std::wstring::npos);
    EXPECT_EQ(HelpFilePath().find(L"a:\\help"), std::wstring::npos);
}

class ProgramFiles : public SessionTest {};

TEST_F(ProgramFiles, TextBrowsersNeedAModuleAndAHotKey) {
    Session s;
    s.files().writeIni(L"TextBrowsers.ini",
                       L"[Dictionary]\nDLL=KVDict.dll\nChar=68\nControl=1\nStandard=1\nText=Dictionary\n"
                       L"[NoKey]\nDLL=KVNoKey.dll\n"
                       L"[NoModule]\nChar=70\n"
                       L"[Catalogue]\nDLL=KVCat.dll\nChar=67\nShift=1\nPDM=1\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const CTextBowserArray& browsers = CKvw32App::Instance()->GetTextBrowsers();
    ASSERT_EQ(browsers.GetSize(), 2);
    EXPECT_EQ(browsers.GetAt(0).dll, L"KVDict.dll");
    EXPECT_TRUE(browsers.GetAt(0).control);
    EXPECT_EQ(browsers.GetAt(1).dll, L"KVCat.dll");
    EXPECT_TRUE(browsers.GetAt(1).shift && browsers.GetAt(1).pdm);
    EXPECT_EQ(browsers.GetDefaultIndex(), 0);
    EXPECT_EQ(browsers.GetAt(1).module, nullptr);  // loaded only when first used
}

TEST_F(ProgramFiles, TipsSettingsComeFromTheProductIni) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[Tips]\nFileName=Tips.txt\nBk_R=300\nBk_G=0\nFont_Bold=1\nFont_Name=Tahoma\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const CInfoTip& tips = CInfoTip::Instance();
    EXPECT_EQ(tips.GetFileName(), L"Tips.txt");
    EXPECT_EQ(tips.GetBackgroundColour(), 0xFF002Cu);  // red masked to 8 bits, blue as before
    EXPECT_TRUE(tips.IsBold());
    EXPECT_EQ(tips.GetFontName(), L"Tahoma");
    EXPECT_EQ(tips.GetFontSize(), 16);
}

class RecentFiles : public SessionTest {};

TEST_F(RecentFiles, ListHasTheSettingsSizeAndReadsItsSection) {
    Session s;
    s.kernel().setRecentFileCount(4);
    s.registry().setString(apptest::kUser, apptest::section(L"Recent File List"), L"File1", L"C:\\Work\\a.grb");
    s.registry().setString(apptest::kUser, apptest::section(L"Recent File List"), L"File2", L"C:\\Work\\b.grb");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    CKVRecentFileList* list = CKvw32App::Instance()->GetRecentFileList();
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->GetSize(), 4);
    EXPECT_EQ((*list)[0], L"C:\\Work\\a.grb");
    EXPECT_EQ((*list)[1], L"C:\\Work\\b.grb");
}

TEST_F(RecentFiles, NoListWhereThePolicyForbidsTheHistory) {
    Session s;
    s.kernel().setRecentFileCount(4);
    s.registry().setDword(apptest::kUser, L"Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer",
                          L"NoRecentDocsHistory", 1);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(CKvw32App::Instance()->GetRecentFileList(), nullptr);
}

TEST_F(RecentFiles, NoListWhenTheSettingsKeepNone) {
    Session s;
    s.kernel().setRecentFileCount(0);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(CKvw32App::Instance()->GetRecentFileList(), nullptr);
}

// Two runs over one host folder, the first in a child process (a session owns its process).
class Persistence : public SessionTest {};

TEST_F(Persistence, ValueWrittenInOneRunIsReadInTheNext) {
    const SharedHostFolder host("korvo-persistence");
    ASSERT_TRUE(runFirstInChild(host, [](Session& first) {
        first.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"SetupHelpPath", L"C:\\FirstHelp");
        first.start();
        const bool started = first.startResult() == 1;
        first.quit();
        return started;
    }));

    Config config = host.continuing();
    Session second(config);
    EXPECT_EQ(second.registry().getString(apptest::kUser, apptest::section(L"Help"), L"Path"), L"C:\\FirstHelp");
    second.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"SetupHelpPath", L"C:\\OtherHelp");
    second.start();
    ASSERT_EQ(second.startResult(), 1);
    EXPECT_TRUE(ProcessPath().ends_with(L";C:\\FirstHelp"));
}

}  // namespace
