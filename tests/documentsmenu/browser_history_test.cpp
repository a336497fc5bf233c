// The browser pane of a clipart pane, which keeps a history: steps recorded and forgotten, Back
// and Forward with their tooltips, objects gone since, and the Level-up button per location;
// the window's menu items as they find its state.
#include <gtest/gtest.h>

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/window/preview_history.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class BrowserHistoryTest : public DocumentsMenuWindowTest {
protected:
    std::unique_ptr<PreviewWnd> pane = std::make_unique<PreviewWnd>(1);
    const CString loose = CString(kLibraries.c_str()) + L"Loose\\";

    BrowserHistoryTest() {
        for (const wchar_t* folder : {L"", L"A\\", L"A\\B\\", L"C\\"})
            CreateDirectoryW((loose + folder).GetString(), nullptr);
        EXPECT_TRUE(pane->Create(nullptr, WS_VISIBLE, 0));
    }
    ~BrowserHistoryTest() override { pane.reset(); }

    CXTPControl* button(UINT id) const { return pane->GetToolBar()->GetControls()->FindControl(static_cast<int>(id)); }
    bool enabled(UINT id) const { return button(id)->GetEnabled() != FALSE; }
    std::wstring tooltip(UINT id) const { return std::wstring(button(id)->GetTooltip().GetString()); }
    // The history as "kind path" lines, ">" before the current step.
    std::wstring steps() const {
        const PreviewWnd::History& history = *pane->GetHistory();
        std::wstring text;
        for (std::size_t i = 0; i < history.GetCount(); ++i)
            text += std::wstring(i == history.GetPosition() ? L">" : L" ") +
                    std::to_wstring(static_cast<int>(history.At(i).kind)) + L" " + history.At(i).path.GetString() + L"\n";
        return text;
    }
};

TEST_F(BrowserHistoryTest, ANewStepAfterGoingBackForgetsTheStepsAheadAndTheButtonsFollow) {
    pane->ShowFolder(loose + L"A\\", true);
    pane->ShowFolder(loose + L"A\\B\\", true);
    EXPECT_TRUE(enabled(PreviewWnd::kBackId));
    // A folder is named without the trailing backslash its icon's path has.
    EXPECT_EQ(tooltip(PreviewWnd::kBackId),
              std::wstring(Korvo::I18n::FormatTranslation(L"docs_menu.tooltip.move_back_to", loose + L"A").GetString()));
    pane->GoBack();
    EXPECT_EQ(pane->GetCurrentFolder(), loose + L"A");
    EXPECT_TRUE(enabled(PreviewWnd::kForwardId));
    pane->GoBack();  // at the first step: nothing
    EXPECT_EQ(pane->GetHistory()->GetPosition(), 0u);
    pane->ShowFolder(loose + L"C\\", true);
    EXPECT_EQ(steps(), L" 4 " + std::wstring((loose + L"A").GetString()) + L"\n>4 " + (loose + L"C").GetString() + L"\n");
    EXPECT_FALSE(enabled(PreviewWnd::kForwardId));
    EXPECT_EQ(tooltip(PreviewWnd::kForwardId),
              std::wstring(Korvo::I18n::Translate(L"model_tree_wnd.command.move_forward").GetString()));
    // The same folder again is no step, with or without its backslash; the same library again is.
    pane->ShowFolder(loose + L"C\\", true);
    pane->ShowFolder(loose + L"c", true);
    pane->ShowLibrary(nuts, true);
    pane->ShowLibrary(nuts, true);
    EXPECT_EQ(pane->GetHistory()->GetCount(), 4u);
    EXPECT_EQ(tooltip(PreviewWnd::kBackId),
              std::wstring(Korvo::I18n::Translate(L"model_tree_wnd.command.move_back").GetString()));
    // Back over several steps, a new one forgets every step ahead.
    for (int back = 0; back < 3; ++back) pane->GoBack();
    EXPECT_EQ(pane->GetHistory()->GetPosition(), 0u);
    pane->ShowFolder(loose + L"A\\B\\", true);
    EXPECT_EQ(pane->GetHistory()->GetCount(), 2u);
}

TEST_F(BrowserHistoryTest, TheHistoryKeeps256StepsAndGrowsItsRoomAsTheyCome) {
    EXPECT_EQ(PreviewWnd::History::GrownStorage(0, 1), 2u);
    EXPECT_EQ(PreviewWnd::History::GrownStorage(2, 3), 4u);
    EXPECT_EQ(PreviewWnd::History::GrownStorage(8, 9), 16u);
    EXPECT_EQ(PreviewWnd::History::GrownStorage(128, 129), 256u);
    for (int step = 0; step < 257; ++step) pane->ShowLibrary(step % 2 ? nuts : m6, true);
    EXPECT_EQ(pane->GetHistory()->GetCount(), 256u);
    EXPECT_EQ(pane->GetHistory()->GetStorage(), 256u);
    EXPECT_EQ(pane->GetHistory()->GetPosition(), 255u);
    EXPECT_TRUE(enabled(PreviewWnd::kBackId));
    EXPECT_FALSE(enabled(PreviewWnd::kForwardId));
}

TEST_F(BrowserHistoryTest, BackAndForwardPassOverObjectsGoneSinceAndStayWhenNoneIsLeft) {
    pane->ShowLibrary(nuts, true);
    pane->ShowLibrary(m6, true);
    pane->ShowLibrariesGroup(bolts, true);
    model.removeLibrary(m6);
    pane->GoBack();
    EXPECT_EQ(pane->GetCurrentLibrary(), nuts);
    EXPECT_EQ(pane->GetHistory()->GetPosition(), 0u);
    model.removeLibrary(nuts);
    pane->GoForward();  // the removed library is passed over, to the group
    EXPECT_EQ(pane->GetCurrentLibrariesGroup(), bolts);
    pane->GoBack();  // nothing left that way: nothing changes
    EXPECT_EQ(pane->GetCurrentLibrariesGroup(), bolts);
    EXPECT_EQ(pane->GetHistory()->GetPosition(), 2u);
}

TEST_F(BrowserHistoryTest, LevelUpLeadsToWhatHoldsTheLocationAndAConfigurationHasNothingAbove) {
    pane->ShowLibrary(m6, true);
    EXPECT_TRUE(pane->GetLevelUpButton()->GetEnabled());
    EXPECT_EQ(pane->GetLevelUpButton()->GetTooltip(),
              Korvo::I18n::FormatTranslation(L"docs_menu.tooltip.go_to", bolts->GetDisplayName()));
    pane->GoLevelUp();
    EXPECT_EQ(pane->GetCurrentLibrariesGroup(), bolts);
    pane->GoLevelUp();
    EXPECT_EQ(pane->GetCurrentConfiguration(), standard);
    EXPECT_FALSE(pane->GetLevelUpButton()->GetEnabled());
    EXPECT_TRUE(pane->GetLevelUpButton()->GetTooltip().IsEmpty());
    pane->GoLevelUp();
    EXPECT_EQ(pane->GetCurrentConfiguration(), standard);
    EXPECT_EQ(pane->GetHistory()->GetCount(), 3u);
    // A document shows without the bar; Level up leads to its library.
    ASSERT_TRUE(pane->ShowDocument(nuts, L"hex nut.grb", true));
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeFilePreview);
    EXPECT_FALSE(pane->GetToolBar()->IsVisible());
    pane->GoLevelUp();
    EXPECT_EQ(pane->GetCurrentLibrary(), nuts);
    EXPECT_TRUE(pane->GetToolBar()->IsVisible());
    pane->Hide();
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeNone);
    EXPECT_EQ(pane->GetCurrentIcon(), nullptr);
}

TEST_F(DocumentsMenuWindowTest, WindowMenuItemsShowTheStateTheyFindAndFlipItOnce) {
    open();
    DocumentsMenuDlg& dlg = *window;
    DocumentsMenuDlgMenuItems::ShowHidden show(&dlg);
    EXPECT_EQ(show.GetIconId(), 40753);
    show.Execute();
    EXPECT_TRUE(dlg.IsShowHidden());
    DocumentsMenuDlgMenuItems::ShowHidden hide(&dlg);
    EXPECT_EQ(hide.GetCaption(), Korvo::I18n::Translate(L"docs_menu.ctx_menu.hide_invisible"));
    EXPECT_EQ(hide.GetIconId(), 40754);
    hide.Execute();
    EXPECT_FALSE(dlg.IsShowHidden());
    EXPECT_TRUE(DocumentsMenuDlgMenuItems::SplitModeHorizontal(&dlg).GetChecked() ||
                DocumentsMenuDlgMenuItems::SplitModeVertical(&dlg).GetChecked() ||
                DocumentsMenuDlgMenuItems::SplitModeNone(&dlg).GetChecked());
    DocumentsMenuDlgMenuItems::LibrariesList(&dlg).Execute();
    EXPECT_TRUE(dlg.IsListMode());
    EXPECT_TRUE(DocumentsMenuDlgMenuItems::LibrariesList(&dlg).GetChecked());
    EXPECT_FALSE(DocumentsMenuDlgMenuItems::TreeView(&dlg).GetChecked());
}

}  // namespace
}  // namespace documentsmenutest
