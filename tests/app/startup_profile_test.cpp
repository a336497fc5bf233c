// The settings profile an installation imposes: imported at the first start, recognised by its
// name and file hash at the next one, and a file that cannot be imported only logged.
#include <string>

#include "tests/app/app_test_support.h"
#include "tests/support/second_run.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kProfileFile = L"C:\\Setup\\site.txt";

void ImposeProfile(Session& session) {
    session.registry().setString(apptest::kMachine, apptest::kMachineProductKey, L"StartupProfileFileName", kProfileFile);
}

int Imports(Session& session) {
    int count = 0;
    for (const std::wstring& call : session.journal().texts("call"))
        if (call.starts_with(L"KorvoProfileManager::Import(")) ++count;
    return count;
}

TEST(StartupProfile, IsImportedOnceAndRecognisedAtTheNextStart) {
    const SharedHostFolder host("korvo-startup-profile");
    ASSERT_TRUE(runFirstInChild(host, [](Session& first) {
        first.files().write(kProfileFile, "name=Site\nunits=mm\n");
        ImposeProfile(first);
        first.start();
        const bool stored = first.registry().getString(apptest::kUser, apptest::section(L"Settings"),
                                                       L"StartupProfileName") == std::optional<std::wstring>(L"Site");
        const bool imported = first.startResult() == 1 && Imports(first) == 1 && stored;
        first.quit();
        return imported;
    }));

    Config config = host.continuing();
    Session second(config);
    second.start();
    ASSERT_EQ(second.startResult(), 1);
    EXPECT_EQ(Imports(second), 0);
    EXPECT_GE(indexOf(logs(second),
                      L"5 The startup profile \"Site\" already exists and its file \"C:\\Setup\\site.txt\" matches"),
              0);
}

TEST(StartupProfile, AChangedFileIsImportedAgainAndABadOneIsOnlyLogged) {
    Session s;
    s.files().write(kProfileFile, "no name here\n");
    ImposeProfile(s);
    // A hash stored for another file content must not make this one pass.
    s.registry().setString(apptest::kUser, apptest::section(L"Settings"), L"StartupProfileName", L"Site");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(Imports(s), 1);
    EXPECT_GE(indexOf(logs(s), L"7 Failed to import the startup profile file \"C:\\Setup\\site.txt\": 0x800300fb"), 0);
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"Settings"), L"StartupProfileName"), L"Site");
}

TEST(StartupProfile, TheDebugSwitchKeepsItAway) {
    Session s;
    s.files().write(kProfileFile, "name=Site\nunits=mm\n");
    ImposeProfile(s);
    s.registry().setDword(apptest::kUser, apptest::section(L"Debug"), L"IgnoreStartupProfile", 1);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(Imports(s), 0);
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"Settings"), L"StartupProfileName"));
}

}  // namespace
