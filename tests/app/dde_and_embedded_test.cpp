// DDE commands that arrive while the program starts wait until the first main frame is shown and
// then run in arrival order; an embedded or automated start shows nothing and restores nothing,
// yet still runs DDE commands.
#include "app/kvw32_app.h"
#include "tests/app/app_test_support.h"

namespace {

using namespace platform::harness;
using apptest::Contains;

constexpr std::wstring_view kFirst = L"C:\\Work\\first.grb";
constexpr std::wstring_view kSecond = L"C:\\Work\\second.grb";
constexpr std::wstring_view kLater = L"C:\\Work\\later.grb";

std::wstring OpenCommand(std::wstring_view path) { return L"[open(\"" + std::wstring(path) + L"\")]"; }

Config WithArguments(std::vector<std::wstring> arguments) {
    Config config;
    config.platform.arguments = std::move(arguments);
    return config;
}

void WriteDocuments(Session& s) {
    for (std::wstring_view path : {kFirst, kSecond, kLater}) s.kernel().writeDocumentFile(path);
}

// A crash-restore entry that cannot be opened: start-up shows a box between the first main
// frame's creation and its first showing.
void RecordUnopenableCrashDocument(Session& s) {
    s.registry().setDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount", 1);
    s.registry().setString(apptest::kUser, apptest::section(L"ErrorRestore"), L"0", L"C:\\Work\\missing.grb");
}

class DdeQueue : public SessionTest {};

TEST_F(DdeQueue, CommandsOfTheStartupRunAfterTheFirstShowingInArrivalOrder) {
    Session s(WithArguments({L"/dde"}));
    WriteDocuments(s);
    s.kernel().setShellDdeCommand(OpenCommand(kFirst));
    RecordUnopenableCrashDocument(s);
    s.user().expectBox(L"Cannot restore the document*missing.grb*", [&](const BoxRequest&) {
        s.user().dde(OpenCommand(kSecond));
        return Button::Ok;
    });
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), (std::vector<std::wstring>{std::wstring(kFirst), std::wstring(kSecond)}));
    EXPECT_TRUE(CKvw32App::Instance()->GetPendingDdeCommands().empty());
    // Both ran only after the first showing of the main frame.
    ASSERT_EQ(s.inspect().mainFrames().size(), 1u);
    const std::wstring frameShown = L"window shown " + apptest::HandleText(s.inspect().mainFrames()[0]);
    apptest::ExpectInOrder(apptest::Lines(s), {frameShown, L"OpenDocumentFile(\"C:\\Work\\first.grb\"",
                                               L"OpenDocumentFile(\"C:\\Work\\second.grb\""});

    // Once started, a command runs at once.
    s.user().dde(OpenCommand(kLater));
    s.runUntilIdle();
    ASSERT_FALSE(s.kernel().openedDocuments().empty());
    EXPECT_EQ(s.kernel().openedDocuments().back(), kLater);
}

class EmbeddedStart : public SessionTest {};

TEST_F(EmbeddedStart, ShowsNothingAndRestoresNothing) {
    Session s(WithArguments({L"/Embedding"}));
    WriteDocuments(s);
    s.kernel().setReopenDocuments(true);
    s.registry().setDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count", 1);
    s.registry().setString(apptest::kUser, apptest::section(L"OpenDocuments"), L"Document0", std::wstring(kSecond));
    s.registry().setDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount", 1);
    s.registry().setString(apptest::kUser, apptest::section(L"ErrorRestore"), L"0", std::wstring(kLater));
    s.start();
    ASSERT_EQ(s.startResult(), 1);

    const std::vector<HWND> frames = s.inspect().mainFrames();
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_FALSE(s.inspect().visible(frames[0]));
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"ErrorRestore"), L"DocsCount"), 1u);
    EXPECT_EQ(s.registry().getDword(apptest::kUser, apptest::section(L"OpenDocuments"), L"Count"), 1u);
    EXPECT_EQ(CKvw32App::Instance()->GetStartupComplete(), 1);
}

TEST_F(EmbeddedStart, DdeCommandsRunInsteadOfWaitingForAShowingThatNeverComes) {
    Session s(WithArguments({L"/Embedding", L"/dde"}));
    WriteDocuments(s);
    s.kernel().setShellDdeCommand(OpenCommand(kFirst));
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{std::wstring(kFirst)});

    s.user().dde(OpenCommand(kSecond));
    s.runUntilIdle();
    ASSERT_FALSE(s.kernel().openedDocuments().empty());
    EXPECT_EQ(s.kernel().openedDocuments().back(), kSecond);
    EXPECT_TRUE(CKvw32App::Instance()->GetPendingDdeCommands().empty());
}

TEST_F(EmbeddedStart, AutomatedStartReturnsEarlyToo) {
    Session s(WithArguments({L"/Automation"}));
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    EXPECT_FALSE(Contains(calls(s), L"CKVDocTemplate::OpenDocumentFile"));
    EXPECT_FALSE(s.registry().hasValue(apptest::kUser, apptest::section(L"ErrorRestore"), L"BugReportFolder"));
    EXPECT_TRUE(CKvw32App::Instance()->IsStartupFinishedForDde());
}

}  // namespace
