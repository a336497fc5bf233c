#include "tests/platform/mfc/mfc_test_app.h"

#include <stdlib.h>

namespace mfctest {

BEGIN_MESSAGE_MAP(TestApp, CWinApp)
    ON_COMMAND(kAppCommand, &TestApp::OnAppCommand)
    ON_COMMAND(kSharedCommand, &TestApp::OnAppCommand)
    ON_UPDATE_COMMAND_UI(kAppCommand, &TestApp::OnUpdateAppCommand)
    ON_COMMAND_EX(kRouteCommand, &TestApp::OnRouteCommand)
    ON_THREAD_MESSAGE(kThreadMessage, &TestApp::OnThreadMessage)
END_MESSAGE_MAP()

TestApp::TestApp() : CWinApp(L"Framework Test") {}

void TestApp::reset() {
    initInstance = nullptr;
    openDocument = nullptr;
    preTranslate = nullptr;
    idleCounts.clear();
    pumped.clear();
    trail.clear();
    threadMessages.clear();
    pumpDepth = maxPumpDepth = exitInstanceCalls = 0;
}

BOOL TestApp::InitInstance() { return initInstance ? initInstance() : CWinApp::InitInstance(); }

BOOL TestApp::OnIdle(LONG lCount) {
    idleCounts.push_back(lCount);
    return CWinApp::OnIdle(lCount);
}

BOOL TestApp::IsIdleMessage(MSG* pMsg) { return CWinApp::IsIdleMessage(pMsg); }

BOOL TestApp::PumpMessage() {
    maxPumpDepth = std::max(maxPumpDepth, ++pumpDepth);
    const BOOL result = CWinApp::PumpMessage();
    --pumpDepth;
    return result;
}

BOOL TestApp::PreTranslateMessage(MSG* pMsg) {
    pumped.push_back(pMsg->message);
    if (preTranslate && preTranslate(pMsg)) return TRUE;
    return CWinApp::PreTranslateMessage(pMsg);
}

int TestApp::ExitInstance() {
    ++exitInstanceCalls;
    return CWinApp::ExitInstance();
}

CDocument* TestApp::OpenDocumentFile(LPCWSTR lpszFileName) {
    return openDocument ? openDocument(lpszFileName) : CWinApp::OpenDocumentFile(lpszFileName);
}

TestApp& app() {
    static TestApp theApp;
    return theApp;
}

// The application object exists before main, as a program's global would.
namespace {
[[maybe_unused]] TestApp& constructedBeforeMain = app();
}

void MfcTest::SetUp() {
    std::string pattern = (std::filesystem::temp_directory_path() / "korvo-mfc-test-XXXXXX").string();
    ASSERT_NE(::mkdtemp(pattern.data()), nullptr);
    root_ = pattern;
    platform::core::config().hostRoot = root_.string();
    app().reset();
    ASSERT_TRUE(platform::mfc::initialize());
    platform::mfc::resetIdle(app());
    platform::core::takeFailures();
}

void MfcTest::TearDown() {
    for (const auto& failure : platform::core::takeFailures()) {
        ADD_FAILURE() << "platform failure: " << utf8(failure);
    }
    if (app().m_pMainWnd != nullptr && ::IsWindow(app().m_pMainWnd->m_hWnd)) app().m_pMainWnd->DestroyWindow();
    app().m_pMainWnd = nullptr;
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    CWnd::DeleteTempMap();
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
}

}  // namespace mfctest
