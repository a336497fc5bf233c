// The ribbon in the frame's caption row: with desktop composition the frame's caption buttons
// stay the frame's although the ribbon covers them, and the PDM popup sits left of whichever
// caption buttons the frame shows (the frame's own, the frame theme's, or none).
#include <cstdint>
#include <vector>

#include "commandbars/varnel_popup.h"
#include "platform/core/text.h"
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

// On a ribbon drawn into a composited caption the PDM popup paints its icon at the button's height
// and its caption right-aligned 5 pixels inside its right edge, in the caption text colour of an
// active or inactive frame; with style 4 (icon over caption), or without composition or the frame
// theme, the toolkit's drawing (nothing of its own).
TEST_F(RibbonCaption, ThePdmPopupDrawsItsIconAndCaptionOnACompositedCaption) {
    auto* popup = new VarnelPopup;
    popup->Build(bars);
    popup->SetCaption(L"Varnel PDM");
    // A picture (the only one of its id) twice as wide as high: drawn as high as the button, its
    // aspect kept.
    constexpr UINT kPicture = 4711;
    popup->SetIconId(kPicture);
    bars->GetImageManager()->SetIcon(kPicture, new CXTPImageManagerIcon(kPicture, 32, 16, std::vector<std::uint32_t>(32 * 16, 0xFF2060A0u)));
    ribbon->GetControls()->Add(popup, VarnelPopup::kId);
    ribbon->SetVarnelPopup(popup);
    RECT client{};
    frame->GetClientRect(&client);
    ribbon->SetRibbonWidth(client.right - client.left);
    const auto paint = [&] {
        ribbon->CalcDockingLayout();
        ::InvalidateRect(ribbon->GetSafeHwnd(), nullptr, TRUE);
        ::UpdateWindow(ribbon->GetSafeHwnd());
        std::wstring lines;
        for (const std::wstring& line : s.inspect().drawing(ribbon->GetSafeHwnd())) lines += line + L"\n";
        return lines;
    };
    EXPECT_EQ(paint().find(L"Varnel PDM"), std::wstring::npos) << "no composition: the toolkit's drawing";

    platform::win32::setDesktopComposition(true);
    ribbon->EnableFrameTheme(TRUE);
    ::SetForegroundWindow(frame->GetSafeHwnd());
    std::wstring drawn = paint();
    const RECT place = ribbon->GetVarnelPopupRect();
    ASSERT_GT(place.right, place.left);
    EXPECT_EQ(ribbon->GetControlRect(popup).left, place.left) << "drawn where the layout put it";
    const int height = place.bottom - place.top;
    // The icon: as high as the button, from its left edge.
    const auto blit = [](int left, int top, int right, int bottom) {
        return L"StretchBlt (" + std::to_wstring(left) + L"," + std::to_wstring(top) + L")-(" + std::to_wstring(right) + L"," +
               std::to_wstring(bottom) + L") from 32x16";
    };
    EXPECT_NE(drawn.find(blit(place.left, place.top, place.left + 2 * height, place.bottom)), std::wstring::npos)
        << platform::core::toUtf8(drawn);
    const std::size_t textAt = drawn.find(L"DrawText ");
    ASSERT_NE(textAt, std::wstring::npos) << platform::core::toUtf8(drawn);
    const std::wstring line = drawn.substr(textAt, drawn.find(L'\n', textAt) - textAt);
    const std::wstring right = L"," + std::to_wstring(place.top) + L")-(" + std::to_wstring(place.right - XTPDpiHelper()->ScaleX(5)) +
                               L"," + std::to_wstring(place.bottom) + L") \"Varnel PDM\"";
    EXPECT_NE(line.find(right), std::wstring::npos) << platform::core::toUtf8(line);
    EXPECT_NE(line.find(L"colour 0xFFFFFF transparent DT_RIGHT DT_VCENTER DT_SINGLELINE"), std::wstring::npos)
        << "the active caption's text colour: " << platform::core::toUtf8(line);
    EXPECT_NE(line.find(L"(" + std::to_wstring(place.left + 2 * height) + L","), std::wstring::npos)
        << "the caption starts after the icon: " << platform::core::toUtf8(line);

    // Another window in front: the inactive caption's colour.
    ::SetForegroundWindow(s.inspect().mainFrames().at(0));
    drawn = paint();
    EXPECT_NE(drawn.find(L"colour 0xC8D0D4 transparent"), std::wstring::npos) << platform::core::toUtf8(drawn);

    // Scaled bitmaps keep 4 pixels around the icon.
    XTPDpiHelper()->SetDpiBitmapScaling(TRUE);
    drawn = paint();
    XTPDpiHelper()->SetDpiBitmapScaling(FALSE);
    const int smaller = height - 8;
    EXPECT_NE(drawn.find(blit(place.left + 4, place.top + 4, place.left + 4 + 2 * smaller, place.bottom - 4)), std::wstring::npos)
        << platform::core::toUtf8(drawn);
    EXPECT_NE(drawn.find(L"DrawText (" + std::to_wstring(place.left + 4 + 2 * smaller) + L"," + std::to_wstring(place.top) + L")-("),
              std::wstring::npos)
        << "the caption starts after the smaller icon: " << platform::core::toUtf8(drawn);

    popup->SetStyle(xtpButtonIconAndCaptionBelow);
    EXPECT_EQ(paint().find(L"Varnel PDM"), std::wstring::npos) << "style 4: the toolkit's drawing";
    popup->SetStyle(xtpButtonIconAndCaption);
    ribbon->EnableFrameTheme(FALSE);
    EXPECT_EQ(paint().find(L"Varnel PDM"), std::wstring::npos) << "no frame theme: the toolkit's drawing";
}

}  // namespace
