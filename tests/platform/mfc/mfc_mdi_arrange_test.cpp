// Arranging the children of an MDI client: what the journal says and where minimised children go.
#include <gtest/gtest.h>

#include "platform/core/journal.h"
#include "platform/mfc.h"
#include "tests/platform/mfc/mfc_test_app.h"

namespace {

using mfctest::app;
using mfctest::MfcTest;

class MfcMdiArrange : public MfcTest {
protected:
    void SetUp() override {
        MfcTest::SetUp();
        frame_ = new CMDIFrameWnd;
        ASSERT_TRUE(frame_->Create(nullptr, L"Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE));
        app().m_pMainWnd = frame_;
    }
    HWND child(const wchar_t* name) {
        auto* created = new CMDIChildWnd;
        EXPECT_TRUE(created->Create(nullptr, name, WS_OVERLAPPEDWINDOW | WS_VISIBLE, CFrameWnd::rectDefault, frame_));
        return created->m_hWnd;
    }
    LRESULT send(UINT message, WPARAM wParam) { return ::SendMessageW(frame_->m_hWndMDIClient, message, wParam, 0); }

    CMDIFrameWnd* frame_ = nullptr;
};

TEST_F(MfcMdiArrange, MinimisedChildrenLineUpAlongTheBottomAndTheJournalSaysWhatWasAsked) {
    const HWND a = child(L"a");
    const HWND b = child(L"b");
    const HWND c = child(L"c");
    ::ShowWindow(a, SW_MINIMIZE);
    ::ShowWindow(c, SW_MINIMIZE);
    platform::core::journal().clear();
    send(WM_MDIICONARRANGE, 0);
    RECT client{};
    ::GetClientRect(frame_->m_hWndMDIClient, &client);
    const auto place = [&](HWND window) {
        RECT rect{};
        ::GetWindowRect(window, &rect);
        POINT topLeft{rect.left, rect.top};
        POINT bottomRight{rect.right, rect.bottom};
        ::ScreenToClient(frame_->m_hWndMDIClient, &topLeft);
        ::ScreenToClient(frame_->m_hWndMDIClient, &bottomRight);
        return RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
    };
    const int width = ::GetSystemMetrics(SM_CXMINIMIZED);
    const int height = ::GetSystemMetrics(SM_CYMINIMIZED);
    EXPECT_EQ(place(a).left, 0);
    EXPECT_EQ(place(a).bottom, client.bottom);
    EXPECT_EQ(place(c).left, width);
    EXPECT_EQ(place(c).bottom - place(c).top, height);
    // A child that is not minimised stays where it was.
    EXPECT_FALSE(::IsIconic(b));

    send(WM_MDITILE, MDITILE_VERTICAL);
    send(WM_MDITILE, MDITILE_HORIZONTAL);
    send(WM_MDICASCADE, 0);
    std::vector<std::wstring> said;
    for (const std::wstring& text : platform::core::journal().texts("window"))
        if (text.starts_with(L"MDI client ")) said.push_back(text.substr(text.find(L": ") + 2));
    EXPECT_EQ(said, (std::vector<std::wstring>{L"WM_MDIICONARRANGE", L"WM_MDITILE 0", L"WM_MDITILE 1", L"WM_MDICASCADE"}));
}

}  // namespace
