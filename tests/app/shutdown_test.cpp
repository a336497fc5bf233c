// The program's end as the user and the kernel reach it: what may refuse a Quit, the shutdown
// running once, and a restart with the program's own command line.
#include "app/kvw32_app.h"
#include "tests/app/document_test_support.h"

namespace {

using namespace platform::harness;

constexpr unsigned kQuit = 1019;
const std::wstring kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";

long CountCalls(Session& s, std::wstring_view prefix) {
    const auto entries = calls(s);
    return std::count_if(entries.begin(), entries.end(), [&](const std::wstring& e) { return e.starts_with(prefix); });
}

class Shutdown : public apptest::DocumentSessionTest {};

TEST_F(Shutdown, AMacroThatWillNotStopOrAnAddOnVetoKeepsEverythingRunning) {
    Session s;
    Start(s);
    CDocument* document = Open(s, kBracket);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(TRUE);
    s.kernel().setMacroManagerPresent(true);
    s.kernel().setMacroManagerRefusesStop(true);
    s.user().command(frame_, kQuit);
    s.runUntilIdle();  // no save prompt: the macro refused first
    ASSERT_TRUE(s.running());
    EXPECT_TRUE(document->IsModified());

    s.kernel().setMacroManagerRefusesStop(false);
    s.kernel().setApplicationsRefuseExit(true);
    s.user().expectBox(L"Save changes to*", Button::No);
    s.user().command(frame_, kQuit);
    s.runUntilIdle();
    ASSERT_TRUE(s.running());
    EXPECT_EQ(CountCalls(s, L"GlobalContainer::DestroySession"), 0);
    EXPECT_NE(s.registry().getDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count"), 1u);
    document->SetModifiedFlag(FALSE);
}

// "Close all" asks as the exit does; a cancelled save keeps every document open.
TEST_F(Shutdown, CloseAllAsksFirstAndACancelKeepsTheDocuments) {
    Session s;
    Start(s);
    CDocument* document = Open(s, kBracket);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(TRUE);
    s.user().expectBox(L"Save changes to*", Button::Cancel);
    s.user().command(frame_, 1204);
    s.runUntilIdle();
    EXPECT_EQ(s.kernel().documentTitles().size(), 1u);
    document->SetModifiedFlag(FALSE);
    s.user().command(frame_, 1204);
    s.runUntilIdle();
    EXPECT_TRUE(s.kernel().documentTitles().empty());
}

TEST_F(Shutdown, ACrashReportThatForbadeSavingAsksNothing) {
    Session s;
    Start(s);
    // Reopening is off: a list left in the registry is emptied, whatever is open now.
    s.registry().setDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count", 2);
    CDocument* document = Open(s, kBracket);
    ASSERT_NE(document, nullptr);
    document->SetModifiedFlag(TRUE);
    CKvw32App::Instance()->SetApplicationFlag(0x4);
    s.user().command(frame_, kQuit);
    s.runUntilIdle();  // an unexpected box would fail the test
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count"), 0u);
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"OpenDocuments"), L"Document0"));
}

TEST_F(Shutdown, QuitRunsTheShutdownOnceAndAnotherExitOnlyAnswers) {
    Session s;
    s.kernel().setReopenDocuments(true);
    Start(s);
    ASSERT_NE(Open(s, kBracket), nullptr);
    // An untitled document is not kept for the next start.
    ASSERT_NE(CKVDocTemplate::GetTemplates().back()->OpenNewDocument(TRUE), nullptr);
    s.runUntilIdle();
    s.user().command(frame_, kQuit);
    s.runUntilIdle();
    ASSERT_FALSE(s.running());
    EXPECT_EQ(CKvw32App::Instance()->ExitInstance(), 0);
    EXPECT_EQ(CountCalls(s, L"GlobalContainer::DestroySession"), 1);
    EXPECT_EQ(CountCalls(s, L"CXTPPaintManager::ReleaseInstance"), 1);
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count"), 1u);
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"OpenDocuments"), L"Document1"));
    apptest::ExpectInOrder(calls(s), {L"kvpf::OnIdle(true)", L"UIModuleProxy::UnregisterMainFrame",
                                      L"ApplicationManager::OnExitInstance", L"GlobalContainer::DestroySession",
                                      L"CKVApplicationManager::UnloadApplications", L"Korvo::Module::shutdownAll"});
}

TEST_F(Shutdown, ARestartStartsTheProgramWithItsOwnCommandLine) {
    Config config;
    config.platform.arguments = {L"/ini:C:\\My Files\\a b.ini"};
    Session s(config);
    Start(s);
    ASSERT_TRUE(CKvw32App::Instance()->Restart(true));
    s.runUntilIdle();
    EXPECT_FALSE(s.running());
    const auto lines = apptest::Lines(s);
    bool started = false;
    for (const std::wstring& line : lines) {
        if (line.starts_with(L"process started ") && line.find(L"\"\"C:\\Program Files\\Velmora\\Korvo CAD 18.0\\Korvo.exe\" \"/ini:C:\\My Files\\a b.ini\"\"") != std::wstring::npos)
            started = true;
    }
    EXPECT_TRUE(started);
    EXPECT_TRUE(apptest::Contains(logs(s), L"5 Restarted as PID "));
    EXPECT_EQ(CountCalls(s, L"GlobalContainer::DestroySession"), 1);
}

TEST_F(Shutdown, ARestartWithoutStateWritesNoSettings) {
    Session s;
    Start(s);
    ASSERT_TRUE(CKvw32App::Instance()->Restart(false));
    s.runUntilIdle();
    EXPECT_FALSE(s.running());
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"Settings"), L"RibbonMode"));
}

}  // namespace
