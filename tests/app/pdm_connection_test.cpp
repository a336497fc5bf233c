// The PDM link at start-up (the registry's options, the instance an environment variable names,
// what a connection result does to start-up) and the connection the kernel reports later: the
// settings profile the PDM system names, and the frames and add-on applications that follow.
#include <string>

#include "app/kvw32_app.h"
#include "platform/kernel/profiles/profile_manager.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;

constexpr const wchar_t* kInstalledKey = L"SOFTWARE\\Wow6432Node\\Velmora\\Varnel";

Config WithEnvironment(std::wstring name, std::wstring value) {
    Config config;
    config.platform.environment[std::move(name)] = std::move(value);
    return config;
}

int Count(const std::vector<std::wstring>& entries, std::wstring_view needle) {
    int count = 0;
    for (const std::wstring& entry : entries) count += entry.find(needle) != std::wstring::npos;
    return count;
}

class PdmConnectionTest : public SessionTest {};

TEST_F(PdmConnectionTest, AnInstanceNamedWithoutItsPrefixConnectsAtStart) {
    Session s(WithEnvironment(L"KORVOCAD_VARNELINSTANCE", L"Velmora\\Varnel"));
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(KVPDMWorkMix::IsActive());
    const NativeSettings::Varnel& link = GetSettings().varnel;
    EXPECT_TRUE(link.working);
    EXPECT_EQ(link.instanceKeyPath, kInstalledKey);
    EXPECT_EQ(link.programName, L"Varnel");
    EXPECT_EQ(link.version, L"18.0");
    apptest::ExpectInOrder(calls(s), {L"KVPDMWorkMix::Connect(false, \"\")",
                                      L"Korvo::UI::AssemblyStructureControlSite::OnChangeVarnelConnectionState(true)"});
    EXPECT_GE(indexOf(logs(s), L"2 Loaded PDM in "), 0);
}

TEST_F(PdmConnectionTest, RegistryOptionsConnectAndAnUnknownInstanceLeavesThem) {
    // The environment names no installed program: the registry's link stays and connects.
    Session s(WithEnvironment(L"KORVOCAD_VARNELINSTANCE", L"Other\\Key"));
    const std::wstring options = apptest::section(L"NewDocumentOptions");
    s.registry().setDword(apptest::kUser, options, L"VARNEL", 1);
    s.registry().setString(apptest::kUser, options, L"VARNEL_VERSION", L"18.0");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    // The key path the environment gave finds no folder, so the version does.
    EXPECT_EQ(GetSettings().varnel.instanceKeyPath, L"Other\\Key");
    EXPECT_TRUE(KVPDMWorkMix::IsActive());
}

TEST_F(PdmConnectionTest, WithoutALinkNothingConnects) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_FALSE(KVPDMWorkMix::IsActive());
    EXPECT_EQ(Count(calls(s), L"KVPDMWorkMix::Connect("), 0);
    EXPECT_GE(indexOf(logs(s), L"2 Loaded PDM in "), 0);
}

TEST_F(PdmConnectionTest, AnAbortingConnectionEndsStartup) {
    Session s(WithEnvironment(L"KORVOCAD_VARNELINSTANCE", kInstalledKey));
    s.kernel().pdmSetConnectResult(KVPDMWorkMix::kAbortStartup);
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_FALSE(KVPDMWorkMix::IsActive());
}

TEST_F(PdmConnectionTest, ARefusedConnectionStartsDisconnected) {
    // The instance is found whatever the letter case of its key.
    Session s(WithEnvironment(L"KORVOCAD_VARNELINSTANCE", L"software\\wow6432node\\velmora\\varnel"));
    s.kernel().pdmSetConnectResult(KVPDMWorkMix::kRefused);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(Count(calls(s), L"KVPDMWorkMix::Connect("), 1);
    EXPECT_FALSE(KVPDMWorkMix::IsActive());
    EXPECT_EQ(Count(calls(s), L"OnChangeVarnelConnectionState"), 0);
}

TEST_F(PdmConnectionTest, TheProfileThePdmSystemNamesIsAppliedWhenItExists) {
    Session s;
    s.files().write(L"C:\\Setup\\site.txt", "name=Site\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    ASSERT_EQ(KorvoProfileManager::Import(L"C:\\Setup\\site.txt", true), 0);
    int applied = 0;
    struct Listener : TypedApplicationEventListener<1043> {
        explicit Listener(int& count) : count_(count) {}
        void OnApplicationEvent(UINT, const ApplicationEventArgs&) override { ++count_; }
        int& count_;
    } listener(applied);

    EXPECT_EQ(s.kernel().work(L"ConnectPdm", {L"Site"}), L"0");
    s.runUntilIdle();
    EXPECT_EQ(applied, 1);
    apptest::ExpectInOrder(calls(s), {L"KorvoProfileManager::Copy(\"Site\")", L"CWSDocManager::LoadState()",
                                      L"KorvoProfileManager::ApplyProfileItems()", L"CKVCom_Is3D::RefreshSettings()",
                                      L"KorvoServerAppProxy::OnChangeVarnelConnectionState(true)",
                                      L"Korvo::UI::AssemblyStructureControlSite::OnChangeVarnelConnectionState(true)"});
    EXPECT_GE(indexOf(logs(s), L"5 Applying profile \"Site\" specified in PDM integration parameters..."), 0);

    // Connecting again changes nothing; after a disconnect the debug switch keeps the profile out.
    EXPECT_EQ(s.kernel().work(L"ConnectPdm", {L"Site"}), L"0");
    EXPECT_EQ(applied, 1);
    s.kernel().work(L"DisconnectPdm", {});
    EXPECT_FALSE(KVPDMWorkMix::IsActive());
    s.registry().setDword(apptest::kUser, apptest::section(L"Debug"), L"IgnoreVarnelProfile", 1);
    s.kernel().work(L"ConnectPdm", {L"Site"});
    EXPECT_EQ(applied, 1);
    EXPECT_TRUE(KVPDMWorkMix::IsActive());
}

}  // namespace
