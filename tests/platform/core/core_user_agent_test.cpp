// The simulated user answering message boxes: strict by default, expectations in order, answers
// while the box is really open.
#include "platform/core/useragent.h"
#include "platform/win32/control.h"
#include "tests/platform/win32/win32_test_support.h"

namespace {

using namespace win32test;
using platform::core::MessageBoxRequest;
using platform::core::userAgent;

TEST(CoreUserAgent, UnexpectedBoxFailsNamingItAndAnswersWithoutCommitting) {
    EXPECT_EQ(MessageBoxW(nullptr, L"Save changes?", L"Korvo CAD", MB_YESNOCANCEL | MB_ICONQUESTION), IDCANCEL);
    EXPECT_EQ(MessageBoxW(nullptr, L"Done.", L"Korvo CAD", MB_OK), IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"Delete?", L"Korvo CAD", MB_YESNO), IDNO) << "no cancel button: the safe choice";
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 3u);
    EXPECT_NE(failures[0].find(L"unexpected message box"), std::wstring::npos);
    EXPECT_NE(failures[0].find(L"\"Korvo CAD\" \"Save changes?\" YESNOCANCEL icon QUESTION"), std::wstring::npos)
        << utf8(failures[0]);
    const auto boxes = platform::core::journal().texts("box");
    ASSERT_EQ(boxes.size(), 6u);
    EXPECT_EQ(boxes[1], L"answer IDCANCEL (unexpected)");
}

TEST(CoreUserAgent, ExpectationsAreConsumedInOrderByTheFirstMatchAndLeftoversAreListed) {
    userAgent().expectMessageBox(L"File * not found*", IDYES);
    userAgent().expectMessageBox(L"file * NOT found*", IDNO);
    userAgent().expectMessageBox(L"Never shown", IDOK);
    EXPECT_EQ(MessageBoxW(nullptr, L"File a.grb not found.", L"Korvo CAD", MB_YESNO), IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, L"File b.grb not found.", L"Korvo CAD", MB_YESNO), IDNO);
    EXPECT_EQ(userAgent().unconsumed(), std::vector<std::wstring>{L"box \"Never shown\""});
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_NE(platform::core::journal().find("box", L"answer IDNO (expected)"), -1);
}

TEST(CoreUserAgent, CallbackRunsWhileTheBoxWindowIsVisibleAndItsOwnerDisabled) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND child = createNamed("child", WS_CHILD | WS_VISIBLE, frame, 100);
    ASSERT_EQ(GetActiveWindow(), frame);
    bool called = false;
    userAgent().expectMessageBox(L"Really?", [&](const MessageBoxRequest& box) {
        called = true;
        EXPECT_EQ(box.owner, frame) << "the owner is the child's top-level window";
        EXPECT_TRUE(IsWindowVisible(box.box));
        wchar_t className[16];
        GetClassNameW(box.box, className, 16);
        EXPECT_STREQ(className, L"#32770");
        EXPECT_EQ(GetWindow(box.box, GW_OWNER), frame);
        EXPECT_EQ(GetWindowThreadProcessId(box.box, nullptr), GetCurrentThreadId());
        EXPECT_FALSE(IsWindowEnabled(frame));
        EXPECT_EQ(GetActiveWindow(), box.box);
        wchar_t text[32];
        GetWindowTextW(GetDlgItem(box.box, 0xFFFF), text, 32);
        EXPECT_STREQ(text, L"Really?");
        return IDOK;
    });
    EXPECT_EQ(MessageBoxW(child, L"Really?", L"Korvo CAD", MB_OKCANCEL), IDOK);
    EXPECT_TRUE(called);
    EXPECT_TRUE(IsWindowEnabled(frame));
    EXPECT_EQ(GetActiveWindow(), frame) << "activation returns to the owner";
    const auto tops = platform::core::control::topLevelWindows();
    EXPECT_EQ(tops, std::vector<HWND>{frame}) << "the box window is gone";
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST(CoreUserAgent, TaskModalBoxWithoutOwnerDisablesTheThreadsEnabledWindowsAndGivesBackOnlyThose) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    HWND palette = createNamed("palette", WS_POPUP | WS_VISIBLE);
    HWND hidden = createNamed("hidden", WS_POPUP);
    HWND alreadyOff = createNamed("off", WS_POPUP | WS_VISIBLE | WS_DISABLED);
    HWND child = createNamed("child", WS_CHILD | WS_VISIBLE, frame, 1);
    // Another thread's window, kept while its thread lives (its windows go with it).
    static HWND otherThreads = nullptr;
    static HANDLE made = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    static HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    HANDLE worker = CreateThread(
        nullptr, 0,
        [](LPVOID) -> DWORD {
            otherThreads = createNamed("elsewhere", WS_POPUP);
            SetEvent(made);
            WaitForSingleObject(done, INFINITE);
            return 0;
        },
        nullptr, 0, nullptr);
    ASSERT_EQ(WaitForSingleObject(made, INFINITE), WAIT_OBJECT_0);
    userAgent().expectMessageBox(L"Stop?", [&](const MessageBoxRequest& box) {
        EXPECT_EQ(box.owner, nullptr);
        EXPECT_TRUE(IsWindowEnabled(box.box)) << "the box itself answers";
        for (HWND w : {frame, palette, hidden, alreadyOff}) EXPECT_FALSE(IsWindowEnabled(w));
        EXPECT_TRUE(IsWindowEnabled(child)) << "children follow their top-level window, not the box";
        EXPECT_TRUE(IsWindowEnabled(otherThreads)) << "only the calling thread's windows";
        return IDOK;
    });
    EXPECT_EQ(MessageBoxW(nullptr, L"Stop?", L"K", MB_OK | MB_TASKMODAL), IDOK);
    SetEvent(done);
    ASSERT_EQ(WaitForSingleObject(worker, INFINITE), WAIT_OBJECT_0);
    CloseHandle(worker);
    for (HWND w : {frame, palette, hidden}) EXPECT_TRUE(IsWindowEnabled(w));
    EXPECT_FALSE(IsWindowEnabled(alreadyOff)) << "a window disabled before the box stays disabled";

    userAgent().expectMessageBox(L"Again?", [&](const MessageBoxRequest&) {
        EXPECT_TRUE(IsWindowEnabled(frame)) << "an application-modal box without owner disables nothing";
        return IDOK;
    });
    MessageBoxW(nullptr, L"Again?", L"K", MB_OK);
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

TEST(CoreUserAgent, LenientAnswersTheDefaultButtonAndWrongAnswersAreCaught) {
    userAgent().setPolicy(platform::core::ModalPolicy::Lenient);
    EXPECT_EQ(MessageBoxW(nullptr, L"Overwrite?", nullptr, MB_YESNO | MB_DEFBUTTON2), IDNO);
    EXPECT_TRUE(platform::core::takeFailures().empty());
    EXPECT_NE(platform::core::journal().find("box", L"\"Error\" \"Overwrite?\""), -1) << "null caption shows Error";

    userAgent().expectMessageBox(L"Continue?", IDYES);
    EXPECT_EQ(MessageBoxW(nullptr, L"Continue?", L"K", MB_OKCANCEL), IDCANCEL);
    const auto failures = platform::core::takeFailures();
    ASSERT_EQ(failures.size(), 1u);
    EXPECT_NE(failures[0].find(L"answer IDYES is not a button"), std::wstring::npos);
}

TEST(CoreUserAgent, MessagesPostedBeforeTheBoxAreDeliveredWhileItIsOpenButQuitWaits) {
    HWND frame = createNamed("frame", WS_OVERLAPPEDWINDOW | WS_VISIBLE);
    PostMessageW(frame, WM_USER + 5, 0, 0);
    PostQuitMessage(3);
    takeEvents();
    userAgent().expectMessageBox(L"*", [](const MessageBoxRequest&) {
        const auto events = takeEvents();
        EXPECT_NE(std::find(events.begin(), events.end(), "frame WM_USER+5"), events.end());
        return IDOK;
    });
    MessageBoxW(frame, L"Busy", L"K", MB_OK);
    MSG msg;
    EXPECT_FALSE(GetMessageW(&msg, nullptr, 0, 0)) << "the quit is still there for the caller's loop";
    EXPECT_EQ(msg.wParam, 3u);
    EXPECT_TRUE(platform::core::takeFailures().empty());
}

}  // namespace
