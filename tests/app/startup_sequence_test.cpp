// The start-up of the program on the sample installation: both phases in order, what they leave
// in the registry and on screen, and the answers that the ini file selects.
#include <algorithm>
#include <optional>
#include <ostream>
#include <string>

#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;
using apptest::ExpectInOrder;

class Startup : public SessionTest {};

TEST_F(Startup, RunsBothPhasesInOrder) {
    Session s;
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 1u);
    const std::wstring frame = apptest::HandleText(frames[0]);

    ExpectInOrder(apptest::Lines(s),
                  {
                      // outer phase up to the kernel session
                      L"call GlobalContainer::EnableMacros(true)",
                      L"call GlobalContainer::InitSessionLocale(\"Rus\", true, 0)",
                      L"call KorvoManagedUIProxy::InitManagedResourcesWraps()",
                      L"call Korvo::UI::XML::SetProduct(7)",
                      L"call GlobalContainer::PreInitSession(true)",
                      L"log 2 Loading mandatory module \"KV2DAnnotate.dll\" v18.0.21.0...",
                      L"call Korvo::Module::loadMfcAndInitialize(KV2DAnnotate.dll)",
                      L"log 2 Loading mandatory module \"KVTEXT.dll\" v18.0.21.0...",
                      L"log 2 Loading mandatory module \"KorvoScene.dll\" v18.0.21.0...",
                      L"log 2 Loading optional module \"KV3DSE.dll\" v18.0.21.0...",
                      L"call Korvo::Module::loadMfcAndInitialize(KV3DSE.dll)",
                      L"call GlobalContainer::RestoreSessionLanguage()",
                      L"call GlobalContainer::PostInitSession()",
                      L"call CXTPPaintManager::GetInstanceAddRef()",
                      // inner phase
                      L"call LoadInstalledApplicationsFromRegistry(\"Rus\", \"Velmora\", \"Viewer\", 6, true)",
                      L"call Korvo::UI::ImageManager::ReserveResources({16, 24, 32}, 881)",
                      L"call CKVCom_Is3D::OnStartup()",
                      L"call Korvo::UI::GlobalContextMenuContainer::RegisterCommands()",
                      L"call ApplicationManager::OnStartup()",
                      L"call KorvoManagedUIProxy::StringResourceAccessor::UpdateResourcesCulture()",
                      L"call CKVApplicationManager::StartApplications(true, true)",
                      L"call ApplicationManager::StartApplications(true, true)",
                      L"call CKVDocTemplate::Create(1000)",
                      L"call UIModuleProxy::ApplyTheme(",
                      L"window created " + frame,
                      L"call UIModuleProxy::RegisterMainFrame(" + frame + L")",
                      L"call KVRegisterShellFileTypes(1000, true, true)",
                      L"call KVRegisterShellFileTypes(996, true, false)",
                      L"call KVRegisterShellFileTypes(999, true, false)",
                      L"call CKVApplicationManager::StartApplications(false, true)",
                      L"call ApplicationManager::StartApplications(false, true)",
                      L"call automenu(0)",
                      L"call ShowSyspanelSet(0)",
                      L"call GlobalContainer::FinishInitSession()",
                      L"call CKVCom_Is3D::OnStartupCompleted()",
                      L"window shown " + frame,
                      // back in the outer phase
                      L"log 2 Initialized in 0.000 ms",
                      L"call ApplicationEventManager::Raise(1030)",
                  });
    EXPECT_FALSE(Contains(calls(s), L"ApplicationManager::RunServer()"));
    EXPECT_FALSE(Contains(calls(s), L"CKVApplication::SetFlag(")) << "the sample installs no add-on application";
    for (int size : {16, 24, 32}) EXPECT_EQ(Korvo::UI::ImageManager::GetInstance().GetReservedResources(size), 881);
    EXPECT_TRUE(s.inspect().visible(frames[0]));
    EXPECT_EQ(AfxGetMainWnd()->GetSafeHwnd(), frames[0]);
}

TEST_F(Startup, LeavesRegistrationAndCrashBookkeepingInTheRegistry) {
    Session s;
    s.registry().setDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"Restart", 1);
    s.start();
    ASSERT_EQ(s.startResult(), 1);

    // The write probe is gone again; the automation server and the document server are registered.
    EXPECT_FALSE(s.registry().hasKey(apptest::kClasses, L"CLSID\\KV.Check"));
    EXPECT_TRUE(s.registry().hasKey(apptest::kClasses, L"KVW32.SERVER"));
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"ErrorRestore"), L"BugReportFolder"), L"");
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"Restart"), 0u);
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count"), 0u);
}

TEST_F(Startup, ReadOnlyClassIdsNeitherStopStartupNorKeepTheProbe) {
    Session s;
    s.registry().denyWrite(apptest::kClasses, L"CLSID");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_FALSE(s.registry().hasKey(apptest::kClasses, L"CLSID\\KV.Check"));
    // The automation object's registration outside the class ids is refreshed all the same.
    EXPECT_TRUE(s.registry().hasKey(apptest::kClasses, L"KVW32.SERVER"));
}

TEST_F(Startup, AddOnApplicationsComeFromTheConfiguredFileAndTheOptionsApplicationIsFlagged) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nApplicationsFile=Addons\\Installed.ini\n");
    s.files().write(s.files().programFile(L"Addons\\Installed.ini"), "[Reports]\n[KVOPT]\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const std::wstring listed = L"(\"" + s.files().programFile(L"Addons\\Installed.ini") + L"\")";
    ExpectInOrder(calls(s), {L"CKVApplicationManager::LoadInstalledApplications" + listed,
                             L"ApplicationManager::LoadInstalledApplications" + listed,
                             L"LoadInstalledApplicationsFromRegistry(",
                             L"CKVApplicationManager::StartApplications(true, true)",
                             L"ApplicationManager::StartApplications(true, true)",
                             L"CKVApplication::SetFlag(\"KVOPT\", 1, true)", L"CKVDocTemplate::Create("});
    const std::vector<std::wstring> all = calls(s);
    EXPECT_EQ(std::count_if(all.begin(), all.end(),
                            [](const std::wstring& call) { return call.starts_with(L"CKVApplication::SetFlag("); }),
              1);
}

TEST_F(Startup, ServerStepRunsWhenTheIniAsks) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nSERVER=1\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    ExpectInOrder(calls(s), {L"GlobalContainer::FinishInitSession()", L"ApplicationManager::RunServer()",
                             L"CKVCom_Is3D::OnStartupCompleted()"});
}

TEST_F(Startup, GermanInstallationStartsThePartnerEdition) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nLanguage=Ger\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(Contains(calls(s), L"GlobalContainer::InitSessionLocale(\"Ger\", true, 1)"));
    EXPECT_TRUE(Contains(calls(s), L"CKVDocTemplate::Create(994)"));
    EXPECT_EQ(CKvw32App::Instance()->GetTitleStringId(), 14u);
    EXPECT_EQ(CKvw32App::Instance()->GetProductTitle(), L"Korvo CAD Partner");
}

TEST_F(Startup, OtherSpellingsOfGermanKeepTheViewerEdition) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nLanguage=GER\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_TRUE(Contains(calls(s), L"CKVDocTemplate::Create(1000)"));
    EXPECT_EQ(CKvw32App::Instance()->GetMainResourceId(), 1000u);
}

TEST_F(Startup, IniSwitchNamesTheProductIniAndKernelFlagsOpenNothing) {
    Config config;
    config.platform.arguments = {L"/Lxyz", L"/ini:C:\\Other\\Product.ini"};
    Session s(config);
    s.files().write(L"C:\\Other\\Product.ini", "[SETTINGS]\nAppTitle=Other Viewer\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_STREQ(AfxGetAppName(), L"Other Viewer");
    EXPECT_FALSE(Contains(calls(s), L"AnnotateModuleProxy::OpenDocument"));
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
}

TEST_F(Startup, AppTitleNamesTheApplication) {
    Session s;
    s.files().writeIni(L"Korvo.ini", L"[SETTINGS]\nAppTitle=Plant Viewer\n");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_STREQ(AfxGetAppName(), L"Plant Viewer");
}

TEST_F(Startup, StoredThemeIsAppliedWithoutBeingWrittenBack) {
    Session s;
    s.registry().setString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle", L"office2013dark");
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(CKvw32App::Instance()->GetThemeName(), L"office2013dark");
    EXPECT_TRUE(Contains(calls(s), L"UIModuleProxy::ApplyTheme(\"office2013dark\")"));
    // Choosing a theme once start-up is complete remembers it.
    ASSERT_TRUE(CKvw32App::Instance()->SetTheme(L"office2016white"));
    EXPECT_EQ(s.registry().getString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle"), L"office2016white");
}

struct TraceCase {
    const char* name;
    std::optional<std::wstring> value;  // of KORVO_STRING_ID; none: not set
    bool tracing;
};

void PrintTo(const TraceCase& c, std::ostream* out) { *out << c.name; }

class StringIdTracing : public SessionTest, public ::testing::WithParamInterface<TraceCase> {};

// Tracing shows the kernel's string ids in its texts; only the exact value "1" switches it on.
TEST_P(StringIdTracing, FollowsTheEnvironmentVariable) {
    Config config;
    if (GetParam().value) config.platform.environment = {{L"KORVO_STRING_ID", *GetParam().value}};
    Session s(config);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(g_bTraceMessages != FALSE, GetParam().tracing);
}

INSTANTIATE_TEST_SUITE_P(Values, StringIdTracing,
                         ::testing::Values(TraceCase{"One", L"1", true}, TraceCase{"Ten", L"10", false},
                                           TraceCase{"Zero", L"0", false}, TraceCase{"Unset", std::nullopt, false}),
                         [](const ::testing::TestParamInfo<TraceCase>& info) { return std::string(info.param.name); });

}  // namespace
