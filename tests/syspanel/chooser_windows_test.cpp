// The choosers' windows as a user meets them: each drops below its control from its template,
// the colour lists draw their own items and share a splitter, the layer and coordinate-system
// lists take the placeholder's place and keep their size, and the font combo's list is a pop-up
// of the frame that draws its entries.
#include <gtest/gtest.h>

#include <algorithm>

#include "platform/core/record.h"
#include "platform/kernel.h"
#include "syspanel/choosers/color_select_dialog.h"
#include "syspanel/choosers/layer_select_dialog.h"
#include "syspanel/choosers/lcs_select_dialog.h"
#include "syspanel/choosers/panel_chooser.h"
#include "syspanel/parameter_controls.h"
#include "tests/support/session_test.h"
#include "tests/syspanel/chooser_test_support.h"

namespace {

using Mouse = platform::harness::User::MouseAction;

class ChooserWindows : public syspaneltest::ChooserTest {
protected:
    ChooserWindows() : ChooserTest({904, 911, 912, 914}) {}
    static RECT rectOf(HWND hwnd) {
        RECT rect{};
        ::GetWindowRect(hwnd, &rect);
        return rect;
    }
    // The chooser hangs at its control's left edge, `gap` pixels below it.
    static void expectBelow(const CXTPControl& control, HWND chooser, int gap) {
        const RECT anchor = ControlScreenRect(&control), at = rectOf(chooser);
        EXPECT_EQ(at.left, anchor.left);
        EXPECT_EQ(at.top, anchor.bottom + gap);
        EXPECT_TRUE(::IsWindowVisible(chooser));
    }
    void mouse(HWND hwnd, POINT client, Mouse action) {
        EXPECT_EQ(s.user().mouse(hwnd, client, action), std::nullopt);
        s.runUntilIdle();
    }
    static std::size_t count(const std::vector<std::wstring>& lines, const std::wstring& text) {
        return static_cast<std::size_t>(std::count_if(lines.begin(), lines.end(), [&](const std::wstring& line) {
            return line.find(text) != std::wstring::npos;
        }));
    }
};

TEST_F(ChooserWindows, TheColourPopUpDropsBelowItsControlAndItsListsDrawTheirColours) {
    auto* colour = dynamic_cast<CColorPopupControl*>(inRibbon(904));
    ASSERT_NE(colour, nullptr);
    click(904);
    CColorSelectDialog* dialog = colour->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsOpen());
    const HWND popup = dialog->GetChooserWindow();
    ASSERT_TRUE(::IsWindow(popup));
    expectBelow(*colour, popup, 4);
    EXPECT_TRUE(colour->GetPopuped()) << "the control looks pressed while its pop-up is open";
    EXPECT_EQ(::GetActiveWindow(), popup);

    const HWND standard = ::GetDlgItem(popup, CColorSelectDialog::kStandardList);
    ASSERT_NE(standard, nullptr);
    EXPECT_EQ(::SendMessageW(standard, LB_GETCOUNT, 0, 0), 256);
    EXPECT_EQ(::SendMessageW(standard, LB_GETITEMHEIGHT, 0, 0), 18);
    EXPECT_EQ(::SendMessageW(standard, LB_GETCURSEL, 0, 0), 0) << "black, the current colour";
    ::SendMessageW(standard, WM_PAINT, 0, 0);
    const std::vector<std::wstring> drawn = platform::win32::windowDrawing(standard);
    EXPECT_EQ(count(drawn, L"\"Black\""), 1u);
    EXPECT_EQ(count(drawn, L"\"Red\""), 1u);
    EXPECT_GE(count(drawn, L"FillRect"), 3u) << "background, frame and swatch of an item";

    // Clicking elsewhere activates the frame: the pop-up goes with its window.
    ::SetActiveWindow(window);
    s.runUntilIdle();
    EXPECT_FALSE(dialog->IsOpen());
    EXPECT_FALSE(::IsWindow(popup));
    EXPECT_FALSE(colour->GetPopuped());
    EXPECT_FALSE(IsChooserOpen());
}

TEST_F(ChooserWindows, TheSplitterBetweenTheColourListsMovesWithTheMouseAndKeepsBothAboveTenPixels) {
    AfxGetApp()->WriteProfileInt(KVGetColorsCurrentSectionName() + L"\\CustomColors", L"Color0", static_cast<int>(RGB(0, 90, 200)));
    auto* colour = dynamic_cast<CColorPopupControl*>(inRibbon(904));
    click(904);
    CColorSelectDialog* dialog = colour->GetDialog();
    ASSERT_TRUE(dialog && dialog->IsUserListVisible());
    const HWND popup = dialog->GetChooserWindow();
    const RECT standard = rectOf(::GetDlgItem(popup, CColorSelectDialog::kStandardList));
    const RECT user = rectOf(::GetDlgItem(popup, CColorSelectDialog::kUserList));
    ASSERT_LT(standard.bottom + 1, user.top) << "a gap to take hold of";
    POINT gap{standard.left + 10, (standard.bottom + user.top) / 2};
    ::ScreenToClient(popup, &gap);
    const int standardHeight = dialog->StandardList().m_height, userHeight = dialog->UserList().m_height;

    mouse(popup, gap, Mouse::Move);
    EXPECT_EQ(platform::win32::cursorResource(::GetCursor()), CColorSelectDialog::kSplitterCursor);
    mouse(popup, gap, Mouse::Down);
    EXPECT_EQ(::GetCapture(), popup);
    mouse(popup, POINT{gap.x, gap.y + 20}, Mouse::Move);
    EXPECT_EQ(dialog->StandardList().m_height, standardHeight + 20);
    EXPECT_EQ(dialog->UserList().m_height, userHeight - 20);
    EXPECT_EQ(rectOf(::GetDlgItem(popup, CColorSelectDialog::kStandardList)).bottom, standard.bottom + 20);
    // Squeezing the user list to 10 pixels or less is refused, and the mouse goes back.
    const int downTo = userHeight - 20 - 10;
    mouse(popup, POINT{gap.x, gap.y + 20 + downTo}, Mouse::Move);
    EXPECT_EQ(dialog->UserList().m_height, userHeight - 20);
    POINT cursor{};
    ::GetCursorPos(&cursor);
    POINT expected{gap.x, gap.y + 20};
    ::ClientToScreen(popup, &expected);
    EXPECT_EQ(cursor.y, expected.y);
    mouse(popup, POINT{gap.x, gap.y + 20}, Mouse::Up);
    EXPECT_EQ(::GetCapture(), nullptr);

    // The sizes it leaves with are the ones the next pop-up opens with.
    ::SetActiveWindow(window);
    s.runUntilIdle();
    const CString section = KVGetColorsCurrentSectionName() + L"\\SelectColorDialog";
    EXPECT_EQ(static_cast<int>(AfxGetApp()->GetProfileInt(section, L"StandartH", 0)), standardHeight + 20);
    click(904);
    EXPECT_EQ(colour->GetDialog()->StandardList().m_height, standardHeight + 20);
}

TEST_F(ChooserWindows, LayerAndSystemListsTakeThePlaceholdersPlaceAndKeepTheSizeAChoiceLeaves) {
    auto* layer = dynamic_cast<CLayerPopupControl*>(inRibbon(911));
    ASSERT_NE(layer, nullptr);
    EXPECT_EQ(layer->GetDialogSize(), (SIZE{300, 300}));
    click(911);
    HWND chooser = layer->GetDialog()->GetChooserWindow();
    ASSERT_TRUE(::IsWindow(chooser));
    expectBelow(*layer, chooser, 1);
    const HWND list = ::GetDlgItem(chooser, CLayerSelectDialog::kPlaceholder);
    wchar_t className[16] = {};
    ::GetClassNameW(list, className, 16);
    EXPECT_STREQ(className, L"LISTBOX") << "the list stands where the placeholder was";
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), 3);  // two layers and the new one
    ::SetWindowPos(chooser, nullptr, 0, 0, 320, 280, SWP_NOMOVE | SWP_NOZORDER);
    RECT client{};
    ::GetClientRect(chooser, &client);
    EXPECT_EQ(rectOf(list).right - rectOf(list).left, client.right) << "the list follows the dialog";
    EXPECT_EQ(PickInOpenChooser(window, L"Dimensions"), std::nullopt);
    s.runUntilIdle();
    EXPECT_FALSE(::IsWindow(chooser));
    EXPECT_EQ(layer->GetDialogSize(), (SIZE{320, 280}));
    click(911);
    chooser = layer->GetDialog()->GetChooserWindow();
    EXPECT_EQ(rectOf(chooser).right - rectOf(chooser).left, 320);
    ::SetActiveWindow(window);
    s.runUntilIdle();

    auto* lcs = dynamic_cast<LCSPopupControl*>(inRibbon(912));
    ASSERT_NE(lcs, nullptr);
    click(912);
    chooser = lcs->GetDialog()->GetChooserWindow();
    ASSERT_TRUE(::IsWindow(chooser));
    expectBelow(*lcs, chooser, 1);
    EXPECT_EQ(rectOf(chooser).bottom - rectOf(chooser).top, 300);
    const HWND rows = ::GetDlgItem(chooser, LCSSelectDialog::kPlaceholder);
    ::GetClassNameW(rows, className, 16);
    EXPECT_STREQ(className, WC_LISTVIEWW);
    EXPECT_EQ(::SendMessageW(rows, LVM_GETITEMCOUNT, 0, 0), static_cast<LRESULT>(lcs->GetDialog()->Rows().size()));
    EXPECT_EQ(DeactivateOpenChooser(window), std::nullopt);
    EXPECT_FALSE(::IsWindow(chooser));
}

TEST_F(ChooserWindows, TheFontListIsAPopUpOfTheFrameThatDrawsItsEntries) {
    auto* combo = dynamic_cast<CFontComboBox*>(onBar(914));
    ASSERT_NE(combo, nullptr);
    const HWND list = combo->GetList().GetListWindow();
    ASSERT_TRUE(::IsWindow(list));
    const auto style = static_cast<DWORD>(::GetWindowLongPtrW(list, GWL_STYLE));
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CHILD);
    EXPECT_EQ(style & LBS_OWNERDRAWFIXED, LBS_OWNERDRAWFIXED);
    EXPECT_EQ(::GetWindow(list, GW_OWNER), window) << "owned by the bar's site";
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), combo->GetCount());
    EXPECT_EQ(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), combo->GetList().GetItemHeight());

    // Renewing the default entry goes through the window's deletion notice: still parallel.
    combo->SelectFont(L"simplex.shx");
    EXPECT_EQ(combo->GetList().GetEntryCount(), combo->GetCount());
    EXPECT_EQ(::SendMessageW(list, LB_GETCOUNT, 0, 0), combo->GetCount());
    EXPECT_EQ(combo->GetSelectedFontKind(), 0);

    ::MoveWindow(list, 0, 0, 200, 40 * combo->GetCount(), FALSE);
    ::SendMessageW(list, WM_PAINT, 0, 0);
    const std::vector<std::wstring> drawn = platform::win32::windowDrawing(list);
    const int height = combo->GetList().GetItemHeight();
    RECT client{};
    ::GetClientRect(list, &client);
    // The default entry is text only, 20 pixels in; a vector font first draws its bitmap.
    EXPECT_EQ(count(drawn, L"DrawText " + platform::core::rectText(20, 0, client.right, height)), 1u);
    EXPECT_GE(count(drawn, L"BitBlt"), static_cast<std::size_t>(combo->GetCount() - 1));
    EXPECT_EQ(count(drawn, L"\"simplex.shx\""), 1u);
}

}  // namespace
