// The framework's message loop: the idle protocol, posted-message order, nested pumps,
// pre-translation, the end of the loop with the main window, and further UI threads.
#include <atomic>

#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using namespace mfctest;
using Counts = std::vector<LONG>;

constexpr UINT kFirst = WM_USER + 1;
constexpr UINT kSecond = WM_USER + 2;
constexpr UINT kNested = WM_USER + 3;
constexpr UINT kSystemTimer = 0x0118;

class CLoopWnd : public CWnd {
public:
    std::vector<std::string> events;
    bool eatKeys = false;

    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) {
            events.push_back("pretranslate " + std::to_string(GetDlgCtrlID()));
            return eatKeys;
        }
        return FALSE;
    }
    afx_msg LRESULT OnFirst(WPARAM, LPARAM) {
        events.push_back("first begins");
        PostMessage(kSecond);
        events.push_back("first ends");
        return 0;
    }
    afx_msg LRESULT OnSecond(WPARAM, LPARAM) {
        events.push_back("second");
        return 0;
    }
    afx_msg LRESULT OnNested(WPARAM, LPARAM) {
        events.push_back("nested begins");
        PostMessage(kSecond);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!AfxGetApp()->PumpMessage()) break;
        }
        events.push_back("nested ends");
        return 0;
    }
    afx_msg LRESULT OnKey(WPARAM, LPARAM) {
        events.push_back("keydown " + std::to_string(GetDlgCtrlID()));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLoopWnd, CWnd)
    ON_MESSAGE(kFirst, &CLoopWnd::OnFirst)
    ON_MESSAGE(kSecond, &CLoopWnd::OnSecond)
    ON_MESSAGE(kNested, &CLoopWnd::OnNested)
    ON_MESSAGE(WM_KEYDOWN, &CLoopWnd::OnKey)
END_MESSAGE_MAP()

class MfcLoopTest : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new CFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        app().m_pMainWnd = frame_;
        ASSERT_TRUE(wnd_.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, 50, 50}, frame_, 1));
    }
    void TearDown() override {
        if (wnd_.m_hWnd != nullptr) wnd_.DestroyWindow();
        MfcTest::TearDown();
    }
    Counts idleCounts() { return std::exchange(app().idleCounts, {}); }

    CFrameWnd* frame_ = nullptr;
    CLoopWnd wnd_;
};

TEST_F(MfcLoopTest, IdlePassesRunWithCountsZeroThenOneAndRestartOnlyAfterIdleMessages) {
    EXPECT_FALSE(runUntilIdle().quit);
    EXPECT_EQ(idleCounts(), (Counts{0, 1})) << "count 0 asks for more, count 1 ends the idle time";
    runUntilIdle();
    EXPECT_EQ(idleCounts(), Counts{}) << "no message, no new idle pass";

    wnd_.PostMessage(kSecond);
    runUntilIdle();
    EXPECT_EQ(idleCounts(), (Counts{0, 1})) << "an ordinary message restarts the passes at 0";

    wnd_.PostMessage(kSystemTimer);
    runUntilIdle();
    wnd_.PostMessage(WM_PAINT);
    runUntilIdle();
    EXPECT_EQ(idleCounts(), Counts{}) << "the system timer and WM_PAINT do not";

    MSG move{};
    move.message = WM_MOUSEMOVE;
    move.pt = POINT{5, 5};
    EXPECT_TRUE(app().IsIdleMessage(&move));
    EXPECT_FALSE(app().IsIdleMessage(&move)) << "a mouse move without movement is not an idle message";
    move.pt = POINT{6, 5};
    EXPECT_TRUE(app().IsIdleMessage(&move));
}

TEST_F(MfcLoopTest, PostedMessageRunsAfterTheCurrentOneAndNestedPumpsRaiseTheDepth) {
    wnd_.PostMessage(kFirst);
    EXPECT_TRUE(wnd_.events.empty()) << "posting does not run the handler";
    runUntilIdle();
    EXPECT_EQ(wnd_.events, (std::vector<std::string>{"first begins", "first ends", "second"}));
    EXPECT_EQ(app().maxPumpDepth, 1);

    wnd_.events.clear();
    wnd_.PostMessage(kNested);
    runUntilIdle();
    EXPECT_EQ(wnd_.events, (std::vector<std::string>{"nested begins", "second", "nested ends"}));
    EXPECT_EQ(app().maxPumpDepth, 2) << "the nested pump went through the application's PumpMessage";
}

TEST_F(MfcLoopTest, PreTranslationAsksTheApplicationThenWalksFromTheTargetUpToTheMainWindow) {
    CLoopWnd inner;
    ASSERT_TRUE(inner.Create(nullptr, nullptr, WS_VISIBLE, RECT{0, 0, 10, 10}, &wnd_, 2));
    std::vector<UINT> seenByApp;
    app().preTranslate = [&](MSG* msg) {
        seenByApp.push_back(msg->message);
        return FALSE;
    };

    inner.PostMessage(WM_KEYDOWN, 'A');
    runUntilIdle();
    EXPECT_EQ(seenByApp, std::vector<UINT>{WM_KEYDOWN});
    EXPECT_EQ(inner.events, (std::vector<std::string>{"pretranslate 2", "keydown 2"}));
    EXPECT_EQ(wnd_.events, std::vector<std::string>{"pretranslate 1"}) << "the walk goes up the parents";

    inner.events.clear();
    wnd_.events.clear();
    wnd_.eatKeys = true;
    inner.PostMessage(WM_KEYDOWN, 'B');
    runUntilIdle();
    EXPECT_EQ(inner.events, std::vector<std::string>{"pretranslate 2"}) << "an ancestor ate it: not dispatched";
    inner.DestroyWindow();
}

TEST_F(MfcLoopTest, AThreadMessageGoesToTheApplicationsHandlerAndNoWindowSeesIt) {
    std::vector<UINT> seenByApp;
    app().preTranslate = [&](MSG* msg) {
        seenByApp.push_back(msg->message);
        return FALSE;
    };
    ASSERT_TRUE(app().PostThreadMessage(kThreadMessage, 5, 6));
    ASSERT_TRUE(app().PostThreadMessage(kThreadMessage + 1, 7, 8));  // no handler: nothing runs
    runUntilIdle();
    EXPECT_EQ(app().threadMessages, (std::vector<std::pair<WPARAM, LPARAM>>{{5, 6}}));
    EXPECT_EQ(seenByApp, (std::vector<UINT>{kThreadMessage, kThreadMessage + 1}));
    // A window's message of the same number is no thread message.
    wnd_.PostMessage(kThreadMessage, 9, 9);
    runUntilIdle();
    EXPECT_EQ(app().threadMessages.size(), 1u);
    EXPECT_TRUE(wnd_.events.empty());
}

TEST_F(MfcLoopTest, DestroyingTheMainWindowEndsTheLoopWithExitCodeZero) {
    frame_->PostMessage(WM_CLOSE);
    const auto result = runUntilIdle();
    EXPECT_TRUE(result.quit);
    EXPECT_EQ(result.exitCode, 0);
    EXPECT_EQ(app().exitInstanceCalls, 1);
    EXPECT_EQ(app().m_pMainWnd, nullptr);
    EXPECT_EQ(wnd_.m_hWnd, nullptr) << "the child went with its frame";
}

TEST_F(MfcLoopTest, RunReturnsTheQuitCodeThroughExitInstance) {
    ::PostQuitMessage(3);
    EXPECT_EQ(app().Run(), 3);
    EXPECT_EQ(app().exitInstanceCalls, 1);
}

// A user-interface thread as the splash screen uses one: its own window and loop.
class CTestUiThread : public CWinThread {
    DECLARE_DYNCREATE(CTestUiThread)
public:
    static std::atomic<int> initCount;
    static std::atomic<int> exitCode;
    BOOL InitInstance() override {
        ++initCount;
        m_pMainWnd = new CFrameWnd;
        if (!static_cast<CFrameWnd*>(m_pMainWnd)->Create(nullptr, L"Thread window", WS_POPUP)) return FALSE;
        m_pMainWnd->PostMessage(WM_CLOSE);  // the loop ends when its main window goes
        return TRUE;
    }
    int ExitInstance() override {
        exitCode = CWinThread::ExitInstance();
        return 5;
    }
};
IMPLEMENT_DYNCREATE(CTestUiThread, CWinThread)
std::atomic<int> CTestUiThread::initCount{0};
std::atomic<int> CTestUiThread::exitCode{-1};

TEST_F(MfcLoopTest, BeginThreadRunsInitInstanceAndTheLoopOnItsOwnThread) {
    CWinThread* thread = AfxBeginThread(RUNTIME_CLASS(CTestUiThread), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    EXPECT_NE(thread->m_nThreadID, ::GetCurrentThreadId());
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    ASSERT_TRUE(::GetExitCodeThread(thread->m_hThread, &code));
    EXPECT_EQ(code, 5u);
    EXPECT_EQ(CTestUiThread::initCount, 1);
    EXPECT_EQ(CTestUiThread::exitCode, 0) << "the thread's main window posted WM_QUIT(0) on its way out";
    EXPECT_EQ(AfxGetThread(), &app()) << "this thread's object is still the application";
    delete thread;
}

UINT worker(LPVOID parameter) {
    *static_cast<int*>(parameter) = 42;
    return 9;
}

TEST_F(MfcLoopTest, BeginThreadWithAProcedureRunsIt) {
    int value = 0;
    CWinThread* thread = AfxBeginThread(&worker, &value, THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    ASSERT_NE(thread, nullptr);
    thread->m_bAutoDelete = FALSE;
    thread->ResumeThread();
    ASSERT_EQ(::WaitForSingleObject(thread->m_hThread, INFINITE), WAIT_OBJECT_0);
    DWORD code = 0;
    ::GetExitCodeThread(thread->m_hThread, &code);
    EXPECT_EQ(code, 9u);
    EXPECT_EQ(value, 42);
    delete thread;
}

}  // namespace
