// How start-up ends when a step fails: what is reported, and whether the start-up's timing line
// and the "start-up done" event still come.
#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr std::wstring_view kInitialized = L"2 Initialized in ";
constexpr std::wstring_view kStartupEvent = L"ApplicationEventManager::Raise(1030)";

// What another process sees of the running program: its settings mutex (which a settings tool
// checks before it clears the settings), and the DDE names the shell's DDE conversation finds.
bool SettingsMutexExists() {
    HANDLE probe = CreateMutexW(nullptr, FALSE, L"Global\\KorvoCad_ClearSettingsMutex");
    const bool existed = GetLastError() == ERROR_ALREADY_EXISTS;
    if (probe) CloseHandle(probe);
    return existed;
}

bool DdeNamesAdded() { return GlobalFindAtomW(L"korvo") != 0 && GlobalFindAtomW(L"system") != 0; }
bool AnyDdeNameAdded() { return GlobalFindAtomW(L"korvo") != 0 || GlobalFindAtomW(L"system") != 0; }

class StartupFailure : public SessionTest {};

TEST_F(StartupFailure, WrongKernelVersionEndsStartupBeforeTheSession) {
    Session s;
    s.files().setModuleVersion(L"KorvoKernel.dll", L"18.0.20.0");
    s.user().expectBox(L"Fatal Error: Incorrect Version of KorvoKernel.dll", [](const BoxRequest& box) {
        EXPECT_EQ(box.caption, L"Korvo CAD");
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_NE(box.type & MB_ICONERROR, 0u);
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    // The framework's name of the application still names it after the caption was replaced.
    ASSERT_NE(AfxGetAppName(), nullptr);
    EXPECT_STREQ(AfxGetAppName(), L"Korvo CAD");
    EXPECT_TRUE(Contains(logs(s),
                         L"8 Kernel module \"KorvoKernel.dll\" v18.0.20.0 is incompatible with Korvo CAD v18.0.21.0"));
    EXPECT_FALSE(Contains(logs(s), kInitialized));
    EXPECT_FALSE(Contains(calls(s), kStartupEvent));
    EXPECT_FALSE(Contains(calls(s), L"GlobalContainer::PreInitSession"));
    // The mutex is held from before the check; the DDE names come only after it.
    EXPECT_TRUE(SettingsMutexExists());
    EXPECT_FALSE(AnyDdeNameAdded());
}

TEST_F(StartupFailure, SessionPreInitialisationEndsStartupSilently) {
    Session s;
    s.faults().failSessionStep(L"PreInitSession");
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_FALSE(Contains(logs(s), L"Loading mandatory module"));
    EXPECT_FALSE(Contains(logs(s), kInitialized));
    EXPECT_FALSE(Contains(calls(s), kStartupEvent));
    EXPECT_TRUE(s.journal().texts("box").empty());
    EXPECT_TRUE(SettingsMutexExists());
    EXPECT_TRUE(DdeNamesAdded());
}

TEST_F(StartupFailure, SessionPostInitialisationSkipsTheInnerPhaseButReportsTheStartup) {
    Session s;
    s.faults().failSessionStep(L"PostInitSession");
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_FALSE(Contains(calls(s), L"CKVDocTemplate::Create"));
    EXPECT_TRUE(s.inspect().mainFrames().empty());
    EXPECT_TRUE(Contains(logs(s), kInitialized));
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

TEST_F(StartupFailure, StoredThemeThatFailsFallsBackToTheDefault) {
    Session s;
    s.registry().setString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle", L"office2013dark");
    s.faults().failTheme(L"office2013dark");
    s.start();
    EXPECT_EQ(s.startResult(), 1);
    apptest::ExpectInOrder(calls(s), {L"UIModuleProxy::ApplyTheme(\"office2013dark\")",
                                      L"UIModuleProxy::ApplyTheme(\"office2016white\")"});
}

TEST_F(StartupFailure, NoThemeAtAllEndsStartup) {
    Session s;
    s.registry().setString(apptest::kUser, apptest::section(L"Settings"), L"UIStyle", L"office2013dark");
    s.faults().failTheme(L"office2013dark");
    s.faults().failTheme(L"office2016white");
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_TRUE(Contains(logs(s), L"8 Failed to initialize theme"));
    EXPECT_TRUE(s.inspect().mainFrames().empty());
    EXPECT_TRUE(Contains(logs(s), kInitialized));
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

TEST_F(StartupFailure, NoMainWindowEndsStartup) {
    Session s;
    s.faults().failMainFrameCreation();
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_TRUE(Contains(logs(s), L"8 Failed to create main window"));
    EXPECT_FALSE(Contains(calls(s), L"KVRegisterShellFileTypes"));
    EXPECT_TRUE(Contains(logs(s), kInitialized));
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

TEST_F(StartupFailure, CommandLineDocumentThatCannotBeOpenedEndsStartupUnshown) {
    Config config;
    config.platform.arguments = {L"C:\\Work\\broken.grb"};
    Session s(config);
    s.kernel().writeDocumentFile(L"C:\\Work\\broken.grb");
    s.faults().failDocumentOpen(L"C:\\Work\\broken.grb", false);
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    const std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(s.inspect().visible(frames[0]));
    EXPECT_FALSE(CKvw32App::Instance()->IsStartupFinishedForDde());
    EXPECT_TRUE(Contains(logs(s), kInitialized));
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

TEST_F(StartupFailure, QuitArrivingBeforeTheEndOfStartupEndsIt) {
    Session s;
    // A crash-restore entry that cannot be opened shows a box late in start-up; the program is
    // asked to quit while it is open.
    s.registry().setDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount", 1);
    s.registry().setString(apptest::kUser, apptest::section(L"ErrorRestore"), L"0", L"C:\\Work\\missing.grb");
    s.user().expectBox(L"Cannot restore the document*", [](const BoxRequest&) {
        PostQuitMessage(0);
        return Button::Ok;
    });
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    // Everything up to the queue's end ran: the frame was shown.
    const std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_TRUE(s.inspect().visible(frames[0]));
    EXPECT_TRUE(Contains(logs(s), kInitialized));
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

TEST_F(StartupFailure, SessionFinishEndsStartupBeforeTheDocuments) {
    Session s;
    s.registry().setDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount", 1);
    s.registry().setString(apptest::kUser, apptest::section(L"ErrorRestore"), L"0", L"C:\\Work\\a.grb");
    s.faults().failSessionStep(L"FinishInitSession");
    s.start();
    EXPECT_EQ(s.startResult(), 0);
    EXPECT_FALSE(Contains(calls(s), L"CKVCom_Is3D::OnStartupCompleted()"));
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount"), 1u);
    EXPECT_TRUE(Contains(calls(s), kStartupEvent));
}

}  // namespace
