// The customise sheet's main-bar modes page, driven as a user would in classic mode: new modes
// with their starting buttons, refused names, rename, delete only of the user's modes, moving,
// ticks, shortcuts shown in the list and kept for the keys, prompts and font.
#include <gtest/gtest.h>

#include <vector>

#include "app/kvw32_app.h"
#include "commandbars/modespage/mainbar_mode_dialogs.h"
#include "commandbars/modespage/mainbar_modes_dialog.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "mainframe/toolsengine/customize_sheet.h"
#include "tests/support/sheet_page_test.h"

namespace {

using Kind = platform::core::DialogAction::Kind;
using Page = MainbarModesDialog;
constexpr auto kQuestion = L"Give the new mode*";

class MainbarModesPage : public platform::harness::SheetPageTest {
protected:
    void SetUp() override {
        SheetPageTest::SetUp();
        s.user().command(frame->GetSafeHwnd(), 806);  // classic mode
        s.runUntilIdle();
        bar = frame->GetTabToolBar();
        ASSERT_NE(bar, nullptr);
        builtIn = bar->GetItemCount();
        ASSERT_GE(builtIn, 2);
    }
    void OnPage(const std::function<void(HWND page)>& steps) { SheetPageTest::OnPage(Page::kTemplateId, steps); }
    void NewMode(HWND page, const wchar_t* name) {
        s.user().expectDialog(MainbarModeNameDialog::kTemplateId,
                              std::vector<platform::core::DialogAction>{{Kind::Text, MainbarModeNameDialog::kNameEdit, name}, {Kind::Ok, 0, {}}});
        Act(page, {Kind::Click, Page::kNew, {}});
    }
    static void Select(HWND page, int row) {
        HWND list = ::GetDlgItem(page, Page::kModeList);
        ::SendMessageW(list, WM_LBUTTONDOWN, 0, MAKELPARAM(40, static_cast<WORD>(row * ::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0) + 1)));
    }
    static std::wstring Entry(HWND page, int row) {
        HWND list = ::GetDlgItem(page, Page::kModeList);
        std::wstring text(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXTLEN, static_cast<WPARAM>(row), 0)) + 1, L'\0');
        text.resize(static_cast<std::size_t>(::SendMessageW(list, LB_GETTEXT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(text.data()))));
        return text;
    }
    std::vector<int> Ids(const CString& category) const {
        std::vector<int> ids;
        const CXTPControls* controls = bar->GetControls();
        for (int i = 0; i < controls->GetCount(); ++i)
            if (controls->GetAt(i)->GetCategory() == category) ids.push_back(controls->GetAt(i)->GetID());
        return ids;
    }
    int TabNamed(const wchar_t* caption) const {
        for (int tab = 0; tab < bar->GetItemCount(); ++tab)
            if (bar->GetItem(tab)->caption == caption) return tab;
        return -1;
    }

    CKVTabToolBar* bar = nullptr;
    int builtIn = 0;
};

TEST_F(MainbarModesPage, NewModesStartWithTheChosenButtonsAndRefusedNamesAskNothing) {
    OnPage([&](HWND page) {
        s.user().expectBox(kQuestion, platform::harness::Button::Yes);
        NewMode(page, L"  Mine ");
        s.user().expectBox(kQuestion, platform::harness::Button::No);
        NewMode(page, L"mine");
        // Exact duplicates and blank names end before the question (an unasked box fails the run).
        NewMode(page, L"Mine");
        NewMode(page, L"   ");
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page, Page::kModeList), LB_GETCOUNT, 0, 0), builtIn + 2);
        EXPECT_EQ(Entry(page, builtIn), L"Mine");
        EXPECT_TRUE(Enabled(page, Page::kDelete)) << "the new mode is selected, and is the user's";
    });
    ASSERT_EQ(bar->GetItemCount(), builtIn + 2);
    EXPECT_EQ(Ids(L"Mine"), (std::vector<int>{1075, 1065, 1064, 1072, 1001, 1029, 1027, 1115, 1117}));
    EXPECT_EQ(Ids(L"mine"), (std::vector<int>{1075, 1115, 1117}));
    EXPECT_EQ(bar->GetCurSel(), builtIn + 1) << "the last new mode is the current one";
    EXPECT_TRUE(bar->IsUserItem(builtIn) && bar->IsUserItem(builtIn + 1));
}

TEST_F(MainbarModesPage, OnlyTheUsersModesGoAndMovesCarryTickAndTab) {
    const CString first = bar->GetItem(0)->caption;
    OnPage([&](HWND page) {
        Select(page, 0);
        EXPECT_FALSE(Enabled(page, Page::kDelete));
        EXPECT_FALSE(Enabled(page, Page::kMoveUp));
        EXPECT_TRUE(Enabled(page, Page::kMoveDown) && Enabled(page, Page::kRename));
        // A click that reaches the handler anyway deletes nothing.
        ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(Page::kDelete, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(page, Page::kDelete)));
        EXPECT_EQ(bar->GetItemCount(), builtIn);
        // Untick the first mode, then move it down: tick and tab go with the row.
        Act(page, {Kind::Check, Page::kModeList, L"off"});
        EXPECT_FALSE(bar->IsCustomizeVisible(0));
        Act(page, {Kind::Click, Page::kMoveDown, {}});
        EXPECT_EQ(bar->GetItem(1)->caption, first);
        EXPECT_FALSE(bar->IsCustomizeVisible(1));
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page, Page::kModeList), CLB_GETCHECK, 1, 0), 0);
        EXPECT_EQ(::SendMessageW(::GetDlgItem(page, Page::kModeList), LB_GETCURSEL, 0, 0), 1);
        s.user().expectBox(kQuestion, platform::harness::Button::No);
        NewMode(page, L"Gone");
        Act(page, {Kind::Click, Page::kDelete, {}});
        EXPECT_FALSE(Enabled(page, Page::kRename)) << "no row is selected after a delete";
    });
    EXPECT_EQ(bar->GetItemCount(), builtIn);
    EXPECT_TRUE(Ids(L"Gone").empty()) << "the mode's buttons went with it";
}

TEST_F(MainbarModesPage, RenamesKeepCaseDistinctNamesAndDoubleClicksChooseTheMode) {
    const std::vector<int> ids = Ids(bar->GetItem(0)->caption);
    const CString second = bar->GetItem(1)->caption;
    int chosen = -1;
    for (int tab = 0; tab < bar->GetItemCount(); ++tab)
        if (tab != bar->GetCurSel() && bar->IsCustomizeVisible(tab)) chosen = tab;
    ASSERT_GE(chosen, 0);
    auto rename = [&](HWND page, int row, const wchar_t* name) {
        Select(page, row);
        s.user().expectDialog(MainbarModeNameDialog::kTemplateId,
                              std::vector<platform::core::DialogAction>{{Kind::Text, MainbarModeNameDialog::kNameEdit, name}, {Kind::Ok, 0, {}}});
        Act(page, {Kind::Click, Page::kRename, {}});
    };
    OnPage([&](HWND page) {
        rename(page, 0, L"Alpha");
        rename(page, 1, L"Alpha");
        EXPECT_EQ(bar->GetItem(1)->caption, second) << "a name another mode has is refused";
        rename(page, 1, L"alpha");
        EXPECT_EQ(Entry(page, 0), L"Alpha");
        EXPECT_EQ(Entry(page, 1).substr(0, 6), L"alpha ") << "the renamed row keeps its shortcut";
        HWND list = ::GetDlgItem(page, Page::kModeList);
        const auto height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
        ::SendMessageW(list, WM_LBUTTONDBLCLK, 0, MAKELPARAM(40, static_cast<WORD>(chosen * height + 1)));
        Act(page, {Kind::Check, Page::kPrompts, L"on"});
        Act(page, {Kind::Check, Page::kStandardFont, L"on"});
    });
    EXPECT_EQ(bar->GetItem(1)->caption, L"alpha") << "a name differing only in case is another name";
    EXPECT_EQ(Ids(L"Alpha"), ids) << "the mode's buttons follow its new name";
    EXPECT_EQ(bar->GetCurSel(), chosen) << "a double click makes the mode the current one";
    EXPECT_TRUE(bar->IsPromptsShown());
    EXPECT_TRUE(bar->IsStandardFont());
}

TEST_F(MainbarModesPage, AShortcutShowsAtTwoThirdsOfTheRowAndSelectsTheModeAfterTheSheet) {
    std::wstring withShortcut, cleared;
    int listWidth = 0;
    OnPage([&](HWND page) {
        Select(page, 1);
        s.user().expectDialog(MainbarModeShortcut::kTemplateId,
                              std::vector<platform::core::DialogAction>{{Kind::Text, MainbarModeShortcut::kKeyAssign, L"Ctrl+Shift+M"}, {Kind::Ok, 0, {}}});
        Act(page, {Kind::Click, Page::kShortcut, {}});
        withShortcut = Entry(page, 1);
        RECT rect{};
        ::GetWindowRect(::GetDlgItem(page, Page::kModeList), &rect);
        listWidth = rect.right - rect.left;
        Act(page, {Kind::Click, Page::kClearShortcut, {}});
        cleared = Entry(page, 1);
        s.user().expectDialog(MainbarModeShortcut::kTemplateId,
                              std::vector<platform::core::DialogAction>{{Kind::Text, MainbarModeShortcut::kKeyAssign, L"Alt+7"}, {Kind::Ok, 0, {}}});
        Act(page, {Kind::Click, Page::kShortcut, {}});
    });
    const std::wstring name = bar->GetItem(1)->caption.GetString();
    EXPECT_EQ(cleared, name) << "clearing shows the name alone at once";
    ASSERT_EQ(withShortcut.rfind(L"Ctrl+Shift+M"), withShortcut.size() - 12);
    EXPECT_EQ(withShortcut.substr(0, name.size()), name);
    // The shortcut starts where the name and the blanks fill two thirds of the list, within a blank.
    HDC dc = ::GetDC(nullptr);
    SIZE before{}, blank{};
    ::GetTextExtentPoint32W(dc, withShortcut.c_str(), static_cast<int>(withShortcut.size() - 12), &before);
    ::GetTextExtentPoint32W(dc, L" ", 1, &blank);
    ::ReleaseDC(nullptr, dc);
    EXPECT_LE(before.cx, listWidth * 2 / 3);
    EXPECT_GT(before.cx + blank.cx, listWidth * 2 / 3);
    EXPECT_EQ(bar->GetAccelModifiers(1), FALT);
    EXPECT_EQ(bar->GetAccelKey(1), '7');
    bool selects = false;
    for (const ACCEL& entry : frame->GetCommandBars()->GetShortcutManager()->GetAccelerators())
        selects = selects || (entry.cmd == Korvo::UI::TabbableToolBar::kFirstTabCommand + 1 && entry.key == '7');
    EXPECT_TRUE(selects) << "the keys select the mode once the sheet is closed";
}

}  // namespace
