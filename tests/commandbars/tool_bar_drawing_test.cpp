// A classic tool bar as it paints itself in the classic menus: its gripper, a separator before
// each group but the first control, and the triangle of each control that opens a popup.
#include <algorithm>

#include "commandbars/tool_bars.h"
#include "platform/core/record.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

class ToolBarDrawing : public mainframetest::RunningFrameTest {
protected:
    // The fills of the bar's last paint, as "fill (l,t)-(r,b) ..." lines.
    std::vector<std::wstring> Paint(CXTPToolBar& bar) {
        ::RedrawWindow(bar.GetSafeHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return platform::win32::windowDrawing(bar.GetSafeHwnd());
    }
    static int Containing(const std::vector<std::wstring>& lines, const std::wstring& text) {
        return static_cast<int>(std::count_if(lines.begin(), lines.end(),
                                              [&](const std::wstring& line) { return line.find(text) != std::wstring::npos; }));
    }
};

TEST_F(ToolBarDrawing, TheBarDrawsItsGripperGroupSeparatorsAndPopupTriangles) {
    s.user().command(window, 806);
    s.runUntilIdle();
    CKVToolBar* bar = nullptr;
    CXTPCommandBars* bars = frame->GetCommandBars();
    for (int i = 0; i < bars->GetCount() && !bar; ++i) {
        auto* candidate = dynamic_cast<CKVToolBar*>(bars->GetAt(i));
        if (candidate && candidate->IsVisible() && candidate->GetSafeHwnd()) bar = candidate;
    }
    ASSERT_NE(bar, nullptr) << "a classic tool bar shows in the classic menus";
    CXTPControls* controls = bar->GetControls();
    controls->RemoveAll();
    controls->Add(xtpControlButton, 1001)->SetBeginGroup(TRUE);
    controls->Add(xtpControlButton, 1002);
    controls->Add(xtpControlButton, 1003)->SetBeginGroup(TRUE);
    controls->Add(xtpControlButtonPopup, 1004);
    const RECT third = bar->GetControlRect(controls->GetAt(2));
    const RECT fourth = bar->GetControlRect(controls->GetAt(3));
    const bool vertical = bar->GetPosition() == xtpBarLeft || bar->GetPosition() == xtpBarRight;
    bar->ShowGripper(TRUE);
    std::vector<std::wstring> lines = Paint(*bar);
    const std::wstring separator =
        vertical ? platform::core::rectText(third.left + 2, third.top - 3, third.right - 2, third.top - 2)
                 : platform::core::rectText(third.left - 3, third.top + 2, third.left - 2, third.bottom - 2);
    EXPECT_EQ(Containing(lines, L"FillRect " + separator), 1) << "a separator before the second group";
    EXPECT_EQ(Containing(lines, L"0xC0C4CC"), 1) << "none before the first control";
    const int middle = (fourth.top + fourth.bottom) / 2;
    const std::wstring tip = platform::core::rectText(fourth.right - 5, middle + 1, fourth.right - 4, middle + 2);
    EXPECT_EQ(Containing(lines, L"FillRect " + tip), 1) << "the popup's triangle ends in its tip";
    EXPECT_EQ(Containing(lines, L"0x202020"), 3) << "one triangle of three rows";
    EXPECT_EQ(Containing(lines, L"0xA0A4AC"), 1) << "the gripper";

    bar->ShowGripper(FALSE);
    EXPECT_EQ(Containing(Paint(*bar), L"0xA0A4AC"), 0) << "no gripper";
    controls->GetAt(3)->SetEnabled(FALSE);
    lines = Paint(*bar);
    EXPECT_EQ(Containing(lines, L"0x9A9A9A"), 3) << "a disabled popup's triangle is grey";

    bar->LockRedraw();
    lines = Paint(*bar);
    EXPECT_TRUE(std::none_of(lines.begin(), lines.end(), [](const std::wstring& line) { return line.find(L"fill") == 0; }))
        << "a locked bar draws nothing";
    bar->UnlockRedraw();
}

}  // namespace
