// What a main frame does for the UI library's interface and for its tools engine and system
// panel.
#include <string>
#include <vector>

#include "commandbars/command_bars.h"
#include "platform/kernel/ui/control.h"
#include "syspanel/parameter_controls.h"
#include "syspanel/sys_panel_toolbar.h"
#include "tests/mainframe/main_frame_test_support.h"

namespace {

using namespace platform::harness;
using mainframetest::frameOf;

class MainFrameInterface : public SessionTest {
protected:
    void Start() {
        s.start();
        s.runUntilIdle();
        frame = frameOf(s.inspect().mainFrames().at(0));
        ASSERT_NE(frame, nullptr);
        panel = frame->GetSysPanelToolbar();
        ASSERT_NE(panel, nullptr);
    }

    Session s;
    CMainFrame* frame = nullptr;
    CSysPanelToolbar* panel = nullptr;
};

TEST_F(MainFrameInterface, TheFrameIsItsOwnToolsEngineWithItsPanelAndManipulatorPanels) {
    Start();
    EXPECT_EQ(frame->GetOwningFrame(), frame);
    EXPECT_EQ(frame->GetCommandBars()->GetToolBar(1002), panel);
    EXPECT_NE(panel->FindRegisteredControl(907), nullptr);
    EXPECT_NE(frame->GetManipPanel(1), nullptr);
    EXPECT_NE(frame->GetManipPanel(2), nullptr);
    EXPECT_EQ(frame->GetAutoMenuBars()->GetSite(), static_cast<CWnd*>(frame));
    EXPECT_EQ(frame->GetProfileItemName(), CString(L"MainFrame"));

    // The toolkit rebuilding the panel from a list gets the registered controls back.
    const UINT ids[] = {907, 904};
    ASSERT_TRUE(panel->SetButtons(ids, 2));
    EXPECT_EQ(panel->GetControls()->GetAt(0), panel->FindRegisteredControl(907));
    EXPECT_EQ(panel->GetControls()->GetAt(1), panel->FindRegisteredControl(904));
}

TEST_F(MainFrameInterface, SelectionFilterCallsReachTheLibraryAndThenThePanel) {
    Start();
    frame->BeginSelectionFilterConfiguration();
    EXPECT_TRUE(frame->IsConfiguringSelectionFilters());
    EXPECT_EQ(panel->GetLayoutLockCount(), 1u);
    // The frame's set is the panel's: an unknown set is refused and leaves the current one.
    const int before = frame->GetSelectionFilterSet();
    EXPECT_FALSE(frame->SetSelectionFilterSet(12));
    EXPECT_EQ(frame->GetSelectionFilterSet(), before);
    EXPECT_TRUE(frame->SetSelectionFilterSet(13));
    EXPECT_EQ(frame->GetSelectionFilterSet(), 13);
    frame->SetSelectionFilterButtonIconAndToolTip(2705, 300, L"Lines");
    frame->SetSelectionFilterButtonState(2705, 1);
    frame->ShowSelectionFilterButton(2705, true);
    frame->EndSelectionFilterConfiguration();
    EXPECT_EQ(panel->GetLayoutLockCount(), 0u);
    EXPECT_EQ(panel->GetRedrawLockCount(), 0);

    EXPECT_TRUE(frame->GetSelectionFilterButtons().at(2705).visible);
    EXPECT_EQ(frame->GetSelectionFilterButtonState(2705), 1);
    CXTPControl* button = panel->GetControls()->FindControl(2705);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->GetTooltip(), CString(L"Lines"));
    EXPECT_TRUE(button->GetChecked());
    EXPECT_TRUE(button->GetEnabled());

    frame->HideAllSelectionFilterButtons();
    EXPECT_FALSE(button->IsVisible());
}

TEST_F(MainFrameInterface, PanelForwardersAnswerFromThePanelAndPromptsFromTheEngineFirst) {
    Start();
    panel->SetSyspanelControls({{907, 0, 0}, {904, 0, 0}, {914, 0, 0}});
    // Both bars take the values (in ribbon mode every getter reads the ribbon's twin).
    frame->set_syspanel_doublevar(nullptr, 907, 2.75, -1);  // no document: no variable to name
    frame->set_syspanel_int(nullptr, 904, 42);
    panel->SetSyspanelButtonStatus(907, true, false);

    bool checked = false, disabled = true;
    EXPECT_TRUE(frame->GetSyspanelControlState(907, checked, disabled));
    EXPECT_TRUE(checked);
    EXPECT_FALSE(disabled);
    EXPECT_FALSE(frame->GetSyspanelControlState(909, checked, disabled));  // not on the panel
    int value = 0;
    EXPECT_TRUE(frame->GetSyspanelControlIntValue(904, value));
    EXPECT_EQ(value, 42);
    double measure = 0.0;
    EXPECT_TRUE(frame->UnpackSyspanelDoubleVar(907, measure));
    EXPECT_EQ(measure, 2.75);
    EXPECT_TRUE(frame->UnpackSyspanelIntVar(907, value));
    EXPECT_EQ(value, 2);
    EXPECT_FALSE(frame->UnpackSyspanelDoubleVar(904, measure));  // a colour is no measure
    EXPECT_EQ(frame->GetSyspanelCurrentId(), -1);
    frame->EnableSyspanelControl(907, false);
    EXPECT_FALSE(panel->GetControls()->FindControl(907)->GetEnabled());
    frame->DisableSyspanelControls();
    EXPECT_FALSE(panel->GetControls()->FindControl(904)->GetEnabled());

    platform::kernel::control().commandStrings[1000] = L"Engine prompt";
    CString prompt;
    frame->GetMessageString(1000, prompt);
    EXPECT_EQ(prompt, CString(L"Engine prompt"));
    frame->GetMessageString(57344, prompt);  // the framework's string
    EXPECT_EQ(prompt, CString(L"Korvo CAD"));

    // Without a filter set the panel's controls go disabled, except in the kernel's two document
    // view kinds.
    s.user().dde(L"[open(\"C:\\Users\\user\\Documents\\Samples\\Bracket.grb\")]");
    s.runUntilIdle();
    CKVView* view = frame->GetActiveKorvoView();
    ASSERT_NE(view, nullptr);
    ASSERT_EQ(frame->GetSelectionFilterSet(), -1);
    for (const int kind : {1, 2, 3}) {
        view->SetViewTraits(kind, false, false, false);
        frame->EnableSyspanelControl(904, true);
        frame->UpdateSelectionFilters(true);
        EXPECT_EQ(panel->GetControls()->FindControl(904)->GetEnabled() != FALSE, kind != 3) << kind;
    }
}

TEST_F(MainFrameInterface, TheFontComboGivesTheSelectedEntrysFontWhereverItStands) {
    Start();
    frame->SetRibbonMode(false);
    auto* font = static_cast<CFontComboBox*>(panel->FindRegisteredControl(914));
    font->RefreshFontList();
    font->SelectFont(L"Times New Roman");
    ASSERT_GT(font->GetCurSel(), 3);
    CString text = L"stale";
    frame->FindCommandControl(text);
    EXPECT_EQ(text, CString(L"Times New Roman"));
    // An item without an entry of the list names no font.
    font->AddString(L"Typed");
    font->SetCurSel(font->GetCount() - 1);
    frame->FindCommandControl(text);
    EXPECT_TRUE(text.IsEmpty());
}

TEST_F(MainFrameInterface, FramelessBarsShowOnlyForTheActiveShownFrameAndLessOutsideTheRibbon) {
    Start();
    frame->SetFramelessToolBarsVisible(0x3F);
    EXPECT_EQ(frame->GetFramelessToolBarsFlags(), 0xFFFFFFFEu);
    frame->MakeActive();
    frame->SetRibbonMode(true);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0x3Fu);
    frame->SetRibbonMode(false);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 48u);
    frame->SetScreenMode(2);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0u);
    frame->SetScreenMode(0);
    const HWND other = s.kernel().newMainFrame();
    ASSERT_NE(other, nullptr);
    EXPECT_NE(UIModuleProxy::Instance().GetActiveMainFrame(), frame);
    EXPECT_EQ(frame->GetVisibleFramelessToolBars(1), 0u);
}

// A tool-bar command names an entry of the tool-bars list the bars' popup was built from (sorted
// by group and bar id), not a place in the bars' collection.
TEST_F(MainFrameInterface, ToolBarCommandsNameTheBarsOfTheList) {
    Start();
    auto* bars = dynamic_cast<CKVCommandBars*>(frame->GetCommandBars());
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(frame->GetToolBarByCommand(700), nullptr);  // no list yet
    CXTPPopupBar* popup = bars->GetToolbarsPopup();
    const auto& list = bars->GetToolBarList();
    ASSERT_GE(list.size(), 2u);
    const auto count = static_cast<UINT>(list.size());
    EXPECT_EQ(frame->GetToolBarByCommand(700)->GetBarID(), list.front().barId);
    CXTPToolBar* last = frame->GetToolBarByCommand(700 + count - 1);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(last->GetBarID(), list.back().barId);
    EXPECT_EQ(last->GetTitle(), list.back().title);
    EXPECT_EQ(frame->GetToolBarByCommand(700 + count), nullptr);
    EXPECT_EQ(frame->GetToolBarByCommand(699), nullptr);

    // The user toggles a bar through its command while the list stands.
    const BOOL wasVisible = last->IsVisible();
    s.user().command(frame->GetSafeHwnd(), 700 + count - 1);
    s.runUntilIdle();
    EXPECT_NE(last->IsVisible(), wasVisible);
    popup->InternalRelease();
}

TEST_F(MainFrameInterface, ThePaneCommandShowsThePaneTheEngineNames) {
    Start();
    CXTPDockingPane* pane = frame->GetPaneManager().FindPane(1007);  // the frame starts with it
    ASSERT_NE(pane, nullptr);
    frame->GetPaneManager().ClosePane(pane);
    s.user().command(frame->GetSafeHwnd(), 811);
    s.runUntilIdle();
    EXPECT_FALSE(pane->IsClosed());
    // Another pane command without a pane changes nothing.
    s.user().command(frame->GetSafeHwnd(), 812);
    s.runUntilIdle();
}

}  // namespace
