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
constexpr std::wstring_view kThird = L"C:\\Work\\third.grb";
constexpr std::wstring_view kFourth = L"C:\\Work\\fourth.grb";
constexpr std::wstring_view kLater = L"C:\\Work\\later.grb";

std::wstring OpenCommand(std::wstring_view path) { return L"[open(\"" + std::wstring(path) + L"\")]"; }

Config WithArguments(std::vector<std::wstring> arguments) {
    Config config;
    config.platform.arguments = std::move(arguments);
    return config;
}

void WriteDocuments(Session& s) {
    for (std::wstring_view path : {kFirst, kSecond, kThird, kFourth, kLater}) s.kernel().writeDocumentFile(path);
}

std::vector<std::wstring> PendingDdeCommands() {
    std::vector<std::wstring> texts;
    for (const CString& command : CKvw32App::Instance()->GetPendingDdeCommands()) texts.emplace_back(command.str());
    return texts;
}

class DdeQueue : public SessionTest {};

// The first frame exists but is not shown yet while the add-on applications start their second
// phase; one that pumps messages lets DDE commands through, which the program must keep for later.
TEST_F(DdeQueue, CommandsOfTheStartupRunAfterTheFirstShowingInArrivalOrder) {
    Session s(WithArguments({L"/dde"}));
    WriteDocuments(s);
    s.kernel().setShellDdeCommand(OpenCommand(kFirst));
    std::vector<std::wstring> queuedBeforeShowing;
    s.kernel().whileApplicationsStart([&](bool firstPhase) {
        if (firstPhase) return;
        for (std::wstring_view path : {kSecond, kThird, kFourth}) s.user().dde(OpenCommand(path));
        s.kernel().pumpMessages();
        queuedBeforeShowing = PendingDdeCommands();
    });
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    const std::vector<std::wstring> all{std::wstring(kFirst), std::wstring(kSecond), std::wstring(kThird),
                                        std::wstring(kFourth)};
    std::vector<std::wstring> commands;
    for (const std::wstring& path : all) commands.push_back(OpenCommand(path));
    EXPECT_EQ(queuedBeforeShowing, commands);
    EXPECT_EQ(s.kernel().openedDocuments(), all);
    EXPECT_TRUE(PendingDdeCommands().empty());
    // They ran only after the first showing of the main frame.
    ASSERT_EQ(s.inspect().mainFrames().size(), 1u);
    const std::wstring frameShown = L"window shown " + apptest::HandleText(s.inspect().mainFrames()[0]);
    apptest::ExpectInOrder(apptest::Lines(s), {frameShown, L"OpenDocumentFile(\"C:\\Work\\first.grb\""});

    // Once started, a command runs at once.
    s.user().dde(OpenCommand(kLater));
    s.runUntilIdle();
    ASSERT_FALSE(s.kernel().openedDocuments().empty());
    EXPECT_EQ(s.kernel().openedDocuments().back(), kLater);
}

// A command kept while a frame is modal runs when the last modal state of that frame ends, not
// while an inner one ends.
TEST_F(DdeQueue, KeptCommandsRunWhenTheFramesLastModalStateEnds) {
    Session s;
    WriteDocuments(s);
    s.start();
    ASSERT_EQ(s.startResult(), 1);
    s.runUntilIdle();
    auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandle(s.inspect().mainFrames().at(0)));
    ASSERT_NE(frame, nullptr);
    frame->BeginModalState();
    frame->BeginModalState();
    CKvw32App::Instance()->QueueDdeCommand(OpenCommand(kLater).c_str());
    frame->EndModalState();
    EXPECT_EQ(PendingDdeCommands().size(), 1u);
    EXPECT_TRUE(s.kernel().openedDocuments().empty());
    frame->EndModalState();
    s.runUntilIdle();
    EXPECT_TRUE(PendingDdeCommands().empty());
    EXPECT_EQ(s.kernel().openedDocuments(), std::vector<std::wstring>{std::wstring(kLater)});
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
