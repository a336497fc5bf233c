// The classic bars a new main frame starts with: the auto-menu bar, the tabbed tool bar made once
// for every tab entry of the default table, the other default bars where their kind puts them,
// the bars the frame keeps for later, and the system panel.
#include <gtest/gtest.h>

#include "mainframe/toolsengine/default_toolbars.h"
#include "commandbars/auto_menu_command_bars.h"
#include "commandbars/tab_tool_bar.h"
#include "mainframe/main_frame.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;

class FrameToolBarsTest : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
    }
    CMainFrame* Frame(std::size_t index) {
        return dynamic_cast<CMainFrame*>(CWnd::FromHandlePermanent(s.inspect().mainFrames().at(index)));
    }
    Session s;
};

TEST_F(FrameToolBarsTest, TabEntriesBecomeTabsOfOneTabbedBarWithTheirAccelerators) {
    CMainFrame* frame = Frame(0);
    CKVTabToolBar* tabs = frame->GetTabToolBar();
    ASSERT_NE(tabs, nullptr);
    std::size_t tabEntries = 0;
    for (const DefaultToolBarButtons& entry : GetDefaultToolBars())
        if (entry.record->kind == CommandTables::ToolBarKind::Tab) ++tabEntries;
    ASSERT_GT(tabEntries, 1u);
    EXPECT_EQ(static_cast<std::size_t>(tabs->GetItemCount()), tabEntries);
    std::size_t tabBars = 0;
    for (int index = 0; index < frame->GetCommandBars()->GetCount(); ++index)
        if (dynamic_cast<CKVTabToolBar*>(frame->GetCommandBars()->GetAt(index))) ++tabBars;
    EXPECT_EQ(tabBars, 1u);
    EXPECT_EQ(tabs->GetBarID(), 1000u);
    EXPECT_EQ(tabs->GetFlags(), 0x10003Fu);
    EXPECT_EQ(tabs->GetTabAppearance(), 4);
    EXPECT_EQ(tabs->GetTabColor(), 1);
    // Each tab shows its entry's icon, the image under its bar's id.
    for (const DefaultToolBarButtons& entry : GetDefaultToolBars())
        if (entry.record->kind == CommandTables::ToolBarKind::Tab) {
            const CXTPTabToolBar::TabItem* tab = tabs->GetItem(tabs->FindTab(entry.record->tabGuid));
            ASSERT_NE(tab, nullptr);
            EXPECT_EQ(tab->iconId, static_cast<int>(entry.record->barId)) << tab->caption.GetString();
        }
    // The "2D" and "Sketch" tabs take Ctrl+2 and Ctrl+1; the third GUID names no tab here.
    for (int tab = 0; tab < tabs->GetItemCount(); ++tab) {
        const CString caption = tabs->GetItem(tab)->caption;
        const int expected = caption == L"2D" ? '2' : caption == L"Sketch" ? '1' : 0;
        EXPECT_EQ(tabs->GetAccelKey(tab), expected) << caption.GetString();
        EXPECT_EQ(tabs->GetAccelModifiers(tab), expected ? 9 : 0);
    }
    // The first visible tab's buttons are the bar's, kept as its reset set.
    ASSERT_GE(tabs->GetCurSel(), 0);
    EXPECT_GT(tabs->GetControls()->GetCount(), 0);
    EXPECT_TRUE(tabs->GetControls()->HasOriginalControls());
}

// The tabbed bar saves its controls before the active frame was first shown; a frame shown and
// hidden again (minimised) leaves it to the toolkit, which saves an unchanged bar without them.
TEST_F(FrameToolBarsTest, TheTabbedBarSavesItsControlsOnlyBeforeTheFrameWasFirstShown) {
    CMainFrame* frame = Frame(0);
    CKVTabToolBar* tabs = frame->GetTabToolBar();
    ASSERT_NE(tabs, nullptr);
    ASSERT_TRUE(frame->IsShown());
    tabs->SetLargeIcons(frame->GetCommandBars()->GetCommandBarsOptions()->bLargeIcons != FALSE);
    ASSERT_FALSE(tabs->ShouldSerializeBar()) << "an unchanged bar of a shown frame";
    frame->ShowWindow(SW_HIDE);
    EXPECT_FALSE(tabs->ShouldSerializeBar()) << "a hidden frame is no frame never shown";
    frame->ShowWindow(SW_SHOW);
}

TEST_F(FrameToolBarsTest, OtherBarsGoWhereTheirKindSaysAndTheFrameKeepsSome) {
    CMainFrame* frame = Frame(0);
    CXTPToolBar* view = frame->GetKeptToolBar(1063);
    CXTPToolBar* fullScreen = frame->GetKeptToolBar(1065);
    ASSERT_NE(view, nullptr);
    ASSERT_NE(fullScreen, nullptr);
    EXPECT_EQ(view->GetPosition(), xtpBarRight);
    EXPECT_TRUE(view->IsVisible());
    EXPECT_EQ(view->GetFlags(), 63u);
    // The hidden full-screen bar sits right of the last visible bar before it: the tabbed bar.
    EXPECT_EQ(fullScreen->GetDockedRightOf(), frame->GetTabToolBar());
    EXPECT_FALSE(fullScreen->IsVisible());
    // This edition's table has no bars 1070 and 1071.
    EXPECT_EQ(frame->GetKeptToolBar(1070), nullptr);
    EXPECT_EQ(frame->GetKeptToolBar(1071), nullptr);
    EXPECT_EQ(frame->GetKeptToolBar(1000), nullptr);
}

TEST_F(FrameToolBarsTest, EveryFrameGetsItsOwnAutoMenuBarAndSystemPanel) {
    ASSERT_NE(s.kernel().newMainFrame(), nullptr);
    for (std::size_t index = 0; index < 2; ++index) {
        CMainFrame* frame = Frame(index);
        CXTPToolBar* autoMenu = frame->GetAutoMenuToolBar();
        ASSERT_NE(autoMenu, nullptr) << index;
        EXPECT_NE(dynamic_cast<Korvo::UI::AutoMenuToolBar*>(autoMenu), nullptr);
        EXPECT_EQ(autoMenu->GetCommandBars(), frame->GetAutoMenuBars());
        EXPECT_EQ(autoMenu->GetPosition(), xtpBarLeft);
        EXPECT_TRUE(autoMenu->IsVisible());
        EXPECT_EQ(autoMenu->GetTitle(), Korvo::I18n::Translate(L"panels.automenu"));
        EXPECT_NE(frame->GetSysPanelToolbar(), nullptr);
        EXPECT_NE(frame->GetManipPanel(1), nullptr);
        EXPECT_NE(frame->GetManipPanel(2), nullptr);
    }
    EXPECT_NE(Frame(0)->GetTabToolBar(), Frame(1)->GetTabToolBar());
    const std::vector<std::wstring> log = logs(s);
    EXPECT_NE(indexOf(log, L"2 Initialized tool bars in "), -1);
}

}  // namespace
