// The one application object of the platform test executable (a process may hold only one) and
// helpers for the framework tests. The application behaves as the framework's base unless a test
// installs hooks; every hook is cleared by MfcTest::SetUp.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "platform/core/config.h"
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/mfc.h"
#include "platform/mfc/control.h"
#include "tests/platform/text/text_printers.h"

namespace mfctest {

class TestApp : public CWinApp {
public:
    TestApp();

    BOOL InitInstance() override;
    BOOL OnIdle(LONG lCount) override;
    BOOL IsIdleMessage(MSG* pMsg) override;
    BOOL PumpMessage() override;
    BOOL PreTranslateMessage(MSG* pMsg) override;
    int ExitInstance() override;
    CDocument* OpenDocumentFile(LPCWSTR lpszFileName) override;

    void reset();

    // Hooks (empty: the framework's behaviour).
    std::function<BOOL()> initInstance;
    std::function<CDocument*(LPCWSTR)> openDocument;
    std::function<BOOL(MSG*)> preTranslate;  // runs before the framework's pre-translation

    // What happened.
    std::vector<LONG> idleCounts;
    std::vector<UINT> pumped;  // messages the pump took, in order
    std::vector<std::string> trail;  // command routing trail, shared with the test targets
    int pumpDepth = 0;
    int maxPumpDepth = 0;
    int exitInstanceCalls = 0;

    // Thread messages the application's map handles (kThreadMessage).
    std::vector<std::pair<WPARAM, LPARAM>> threadMessages;
    afx_msg void OnThreadMessage(WPARAM wParam, LPARAM lParam) { threadMessages.emplace_back(wParam, lParam); }

    afx_msg void OnAppCommand() { trail.push_back("app"); }
    afx_msg BOOL OnRouteCommand(UINT) {
        trail.push_back("app");
        return FALSE;
    }
    afx_msg void OnUpdateAppCommand(CCmdUI* cmdUI) {
        trail.push_back("app-update");
        cmdUI->Enable(TRUE);
    }

    DECLARE_MESSAGE_MAP()
};

TestApp& app();

// Commands of the routing tests.
inline constexpr UINT kViewCommand = 40001;
inline constexpr UINT kDocCommand = 40002;
inline constexpr UINT kFrameCommand = 40003;
inline constexpr UINT kAppCommand = 40004;
inline constexpr UINT kChildFrameCommand = 40005;
inline constexpr UINT kSharedCommand = 40006;  // handled by every target
inline constexpr UINT kNobodysCommand = 40007;
inline constexpr UINT kThreadMessage = WM_APP + 40;  // posted to the thread, handled by the application
inline constexpr UINT kRouteCommand = 40008;  // every target records it and lets it travel on

// Fresh application state and a fresh host folder per test.
class MfcTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Runs the application's loop until it would wait.
    platform::mfc::LoopResult runUntilIdle() { return platform::mfc::runUntilIdle(app()); }

    std::filesystem::path root_;
};

inline std::string utf8(const std::wstring& text) { return platform::core::toUtf8(text); }

}  // namespace mfctest
