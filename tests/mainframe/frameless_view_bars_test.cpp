// The frameless tool bars over the views: they stand at the active document view's corner while
// its frame is the active one, follow another document window when it becomes active, and leave
// when the frame stops being the active one or the positions lock them hidden. And the frame's
// commands that act on the active view reach the active document window's view.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "mainframe/frameless_bars.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

constexpr unsigned kFileOpen = 0xE101;
constexpr const wchar_t* kBracket = L"C:\\Users\\user\\Documents\\Samples\\Bracket.grb";
constexpr const wchar_t* kCoverPlate = L"C:\\Users\\user\\Documents\\Samples\\Cover plate.grb";

class FramelessViewBars : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frameWindow = s.inspect().mainFrames().at(0);
        frame = dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(frameWindow));
        ASSERT_NE(frame, nullptr);
    }
    void TearDown() override { GetSettings().framelessBars = NativeSettings::FramelessBars{}; }
    void Open(const wchar_t* path) {
        s.user().expectFileChoose(path);
        s.user().command(frameWindow, kFileOpen);
        s.runUntilIdle();
    }
    Korvo::UI::FramelessToolBar* Filters() const { return frame->GetFramelessToolBar(frameless_bars::kSelectionFilter); }

    Session s;
    HWND frameWindow = nullptr;
    CMainFrame* frame = nullptr;
};

TEST_F(FramelessViewBars, StandAtTheActiveViewsCornerAndFollowTheActiveDocumentWindow) {
    Korvo::UI::FramelessToolBar* filters = Filters();
    ASSERT_NE(filters, nullptr);
    EXPECT_FALSE(filters->IsVisible()) << "no view to stand over";
    Open(kBracket);
    CKVView* first = frame->GetActiveKorvoView();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(filters->IsVisible());
    EXPECT_EQ(filters->GetPlacedOver(), first->GetSafeHwnd());
    RECT placed{};
    ::GetWindowRect(filters->GetSafeHwnd(), &placed);
    POINT corner{2, 2};
    ::ClientToScreen(first->GetSafeHwnd(), &corner);
    EXPECT_EQ(placed.left, corner.x);
    EXPECT_EQ(placed.top, corner.y);
    // The positions lock the view bar hidden: it stays hidden over a view that would show it.
    EXPECT_FALSE(frame->GetFramelessToolBar(frameless_bars::kView)->IsVisible());

    Open(kCoverPlate);
    CKVView* second = frame->GetActiveKorvoView();
    ASSERT_NE(second, nullptr);
    ASSERT_NE(second, first);
    EXPECT_EQ(filters->GetPlacedOver(), second->GetSafeHwnd());
    EXPECT_TRUE(filters->IsVisible());
}

TEST_F(FramelessViewBars, LeaveWhenTheFrameIsNoLongerActiveOrThePositionHidesThem) {
    Open(kBracket);
    Korvo::UI::FramelessToolBar* filters = Filters();
    ASSERT_TRUE(filters && filters->IsVisible());
    GetSettings().framelessBars.selectionFilter = -1;
    frame->ApplySettings();
    EXPECT_FALSE(filters->IsVisible());
    GetSettings().framelessBars.selectionFilter = 0;
    frame->ApplySettings();
    EXPECT_TRUE(filters->IsVisible()) << "freed again over the same view";

    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    EXPECT_FALSE(filters->IsVisible()) << "only the active main frame shows its bars";
    EXPECT_EQ(filters->GetPlacedOver(), nullptr);
    frame->MakeActive();
    EXPECT_TRUE(filters->IsVisible());
}

// A frame made active again notices that its document's file turned read-only while another
// frame was active, and that it turned writable again, each time it comes back.
TEST_F(FramelessViewBars, AFrameActiveAgainTakesItsFilesReadOnlyStateEachTime) {
    Open(kBracket);
    auto* document = dynamic_cast<CKvw32Doc*>(frame->GetActiveKorvoView()->GetDocument());
    ASSERT_NE(document, nullptr);
    ASSERT_FALSE(document->IsReadOnly());
    const HWND second = s.kernel().newMainFrame();
    ASSERT_NE(second, nullptr);
    ::SetFileAttributesW(kBracket, FILE_ATTRIBUTE_READONLY);
    s.user().activate(frameWindow);
    EXPECT_TRUE(document->IsReadOnly());
    s.user().activate(second);
    ::SetFileAttributesW(kBracket, FILE_ATTRIBUTE_NORMAL);
    s.user().activate(frameWindow);
    EXPECT_FALSE(document->IsReadOnly());
}

int g_viewFocused = 0;
WNDPROC g_viewProc = nullptr;
LRESULT countFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETFOCUS) ++g_viewFocused;
    return ::CallWindowProcW(g_viewProc, hwnd, message, wParam, lParam);
}

// The properties command, with the properties window on show, first gives the active document
// window's view the focus (the frame's own active view is never a document view).
TEST_F(FramelessViewBars, ThePropertiesCommandFocusesTheActiveDocumentView) {
    constexpr unsigned kProperties = 811;
    Open(kBracket);
    CKVView* view = frame->GetActiveKorvoView();
    ASSERT_NE(view, nullptr);
    s.user().command(frameWindow, kProperties);
    s.runUntilIdle();
    CWnd* properties = CKvw32App::Instance()->GetPropertiesWindow(false);
    ASSERT_TRUE(properties && properties->IsWindowVisible());
    g_viewProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(view->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&countFocus)));
    ::SetFocus(frameWindow);
    g_viewFocused = 0;
    s.user().command(frameWindow, kProperties);
    s.runUntilIdle();
    ::SetWindowLongPtrW(view->GetSafeHwnd(), GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_viewProc));
    EXPECT_EQ(g_viewFocused, 1);
}

}  // namespace
