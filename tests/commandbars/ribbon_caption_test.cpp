// The ribbon in the frame's caption row: with desktop composition the frame's caption buttons
// stay the frame's although the ribbon covers them, and the PDM popup sits left of whichever
// caption buttons the frame shows (the frame's own, the frame theme's, or none).
#include "commandbars/varnel_popup.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;

class RibbonCaption : public RibbonFrameTest {
protected:
    void TearDown() override {
        platform::win32::setDesktopComposition(false);
        RibbonFrameTest::TearDown();
    }

    TITLEBARINFOEX titleBar() {
        TITLEBARINFOEX info;
        info.cbSize = sizeof(info);
        EXPECT_TRUE(frame->SendMessage(WM_GETTITLEBARINFOEX, 0, reinterpret_cast<LPARAM>(&info)));
        return info;
    }
    static LPARAM centreOf(const RECT& rect) {
        return MAKELPARAM(static_cast<WORD>((rect.left + rect.right) / 2), static_cast<WORD>((rect.top + rect.bottom) / 2));
    }
    LRESULT hitTest(LPARAM point) { return ribbon->SendMessage(WM_NCHITTEST, 0, point); }
};

TEST_F(RibbonCaption, WithCompositionTheCaptionButtonsStayTheFramesAndTheAnswerIsKeptForThePoint) {
    const TITLEBARINFOEX info = titleBar();
    const LPARAM close = centreOf(info.rgrect[5]);
    const LPARAM title = centreOf(RECT{info.rcTitleBar.left, info.rcTitleBar.top, info.rcTitleBar.left + 40, info.rcTitleBar.bottom});
    EXPECT_EQ(hitTest(close), HTCLIENT);  // no composition: the toolkit's answer

    platform::win32::setDesktopComposition(true);
    EXPECT_EQ(hitTest(close), HTTRANSPARENT);
    EXPECT_EQ(hitTest(centreOf(info.rgrect[2])), HTTRANSPARENT);  // minimise
    EXPECT_EQ(hitTest(title), HTCLIENT);
    EXPECT_EQ(hitTest(close), HTTRANSPARENT);

    // Without buttons the same point and frame keep the answer they had; another point asks again.
    frame->ModifyStyle(WS_SYSMENU | WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0);
    EXPECT_EQ(hitTest(close), HTTRANSPARENT);
    EXPECT_EQ(hitTest(title), HTCLIENT);
    EXPECT_EQ(hitTest(close), HTCLIENT);
}

TEST_F(RibbonCaption, ThePdmPopupSitsLeftOfTheCaptionButtonsTheFrameShows) {
    auto* popup = new VarnelPopup;
    popup->Build(bars);
    ribbon->GetControls()->Add(popup, VarnelPopup::kId);
    ribbon->SetVarnelPopup(popup);
    const int margin = XTPDpiHelper()->ScaleX(16);
    // The ribbon spans the frame's client area.
    RECT client{};
    frame->GetClientRect(&client);
    ribbon->SetRibbonWidth(client.right - client.left);

    ribbon->CalcDockingLayout();
    EXPECT_EQ(ribbon->GetVarnelPopupRect().right, ribbon->GetRibbonWidth() - margin);
    EXPECT_TRUE(popup->IsVisible());
    // Too narrow a caption row hides it; widened again, it comes back.
    ribbon->SetRibbonWidth(120);
    ribbon->CalcDockingLayout();
    EXPECT_FALSE(popup->IsVisible());
    ribbon->SetRibbonWidth(client.right - client.left);
    ribbon->CalcDockingLayout();
    EXPECT_TRUE(popup->IsVisible());
    EXPECT_EQ(ribbon->GetVarnelPopupRect().right, ribbon->GetRibbonWidth() - margin);

    // The toolkit's frame theme: its own caption-button controls, the visible ones.
    ribbon->EnableFrameTheme(TRUE);
    CXTPControl* minimise = ribbon->GetControls()->Add(xtpControlButton, 61472);
    CXTPControl* hidden = ribbon->GetControls()->Add(xtpControlButton, 61824);
    hidden->SetVisible(FALSE);
    ribbon->CalcDockingLayout();
    EXPECT_EQ(ribbon->GetVarnelPopupRect().right, ribbon->GetControlRect(minimise).left - margin);
    ribbon->EnableFrameTheme(FALSE);

    // Composition: the frame's own buttons, the minimise button leftmost.
    platform::win32::setDesktopComposition(true);
    POINT corner{titleBar().rgrect[2].left, 0};
    ScreenToClient(ribbon->GetSafeHwnd(), &corner);
    ribbon->CalcDockingLayout();
    EXPECT_EQ(ribbon->GetVarnelPopupRect().right, corner.x - margin);
    // Without the box styles only the close button counts.
    frame->ModifyStyle(WS_MINIMIZEBOX | WS_MAXIMIZEBOX, 0);
    corner = POINT{titleBar().rgrect[5].left, 0};
    ScreenToClient(ribbon->GetSafeHwnd(), &corner);
    ribbon->CalcDockingLayout();
    EXPECT_EQ(ribbon->GetVarnelPopupRect().right, corner.x - margin);
}

}  // namespace
