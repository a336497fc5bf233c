// Ribbon or classic mode, the tool-bars popup, the fix item and the buttons of button sets.
#include "commandbars/app_custom_tool_bar.h"
#include "commandbars/bars_layout.h"
#include "commandbars/tab_tool_bar.h"
#include "platform/core/text.h"
#include "tests/commandbars/ribbon_frame.h"

namespace {

using namespace ribbontest;
using platform::core::toUtf8;

// The last menu shown: its header and item lines joined.
std::string lastMenu(platform::harness::Session& s) {
    std::string text;
    for (const auto& entry : s.journal().entries()) {
        const std::wstring line = entry.line();
        if (line.rfind(L"menu ", 0) != 0 || line.rfind(L"menu answer", 0) == 0) continue;
        if (line.find(L" items") != std::wstring::npos) text.clear();
        text += toUtf8(line) + "\n";
    }
    return text;
}

CKVToolBar* AddToolBar(CKVRibbonCommandBars* bars, const wchar_t* title, UINT id) {
    auto* bar = dynamic_cast<CKVToolBar*>(bars->Add(title, xtpBarTop, RUNTIME_CLASS(CKVToolBar)));
    bar->SetBarID(id);
    return bar;
}

TEST_F(RibbonFrameTest, ModeSwitchShowsExactlyOneOfRibbonAndMenuBar) {
    CKVMenuBar* menu = bars->GetMainMenuBar();
    ASSERT_NE(menu, nullptr);
    for (bool on : {false, true, false}) {
        bars->SetRibbonMode(on);
        EXPECT_EQ(ribbon->IsVisible() != FALSE, on);
        EXPECT_EQ(menu->IsVisible() != FALSE, !on);
        EXPECT_EQ(bars->GetShowFixItem(), !on);
        EXPECT_EQ(bars->GetActiveMenuBar(), on ? static_cast<CXTPCommandBar*>(ribbon) : menu);
        EXPECT_EQ(bars->GetCommandBarsOptions()->bRibbonMode != FALSE, on);
    }
    // A removed ribbon is made anew on the next request.
    bars->Remove(ribbon);
    KVRibbonBar* again = bars->GetRibbonBar();
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->GetBarID(), 1u);
    EXPECT_FALSE(again->IsVisible());
}

TEST_F(RibbonFrameTest, FixItemOnlyInClassicModeOnTheLeadingBorder) {
    CKVToolBar* bar = AddToolBar(bars, L"Drawing", 200);
    for (int id = 1; id <= 6; ++id) bar->GetControls()->Add(xtpControlButton, 1000 + id);  // room to click in
    bars->SetRibbonMode(false);
    RECT rect{};
    bar->GetWindowRect(&rect);
    ASSERT_GT(rect.right - rect.left, 100);
    const POINT border{rect.left + 1, rect.top + 5};

    s.user().expectMenuChoose(L"Закрепить");
    bars->ContextMenu(bar, border);
    EXPECT_TRUE(Korvo::UI::IsFixed(bar));

    s.user().expectMenuDismiss();
    bars->ContextMenu(bar, border);
    EXPECT_NE(lastMenu(s).find("\"Закрепить\" checked"), std::string::npos) << lastMenu(s);

    // Away from the border, or in ribbon mode: the tool-bars popup.
    s.user().expectMenuDismiss();
    bars->ContextMenu(bar, POINT{rect.left + 100, rect.top + 5});
    EXPECT_NE(lastMenu(s).find("\"Drawing\""), std::string::npos) << lastMenu(s);
    // While the bars are customised no menu comes, not even the fix item.
    bars->SetCustomizeMode(TRUE);
    const std::string shown = lastMenu(s);
    bars->ContextMenu(bar, border);
    EXPECT_EQ(lastMenu(s), shown) << "a menu while customising";
    bars->SetCustomizeMode(FALSE);
    bars->SetRibbonMode(true);
    s.user().expectMenuDismiss();
    bars->ContextMenu(bar, border);
    EXPECT_EQ(lastMenu(s).find("Закрепить"), std::string::npos) << lastMenu(s);
}

TEST_F(RibbonFrameTest, ToolBarsPopupListsSortedBarsAndDropsPdmItemsAndAnEmptyList) {
    CXTPPopupBar* empty = bars->GetToolbarsPopup();
    ASSERT_NE(empty, nullptr);
    EXPECT_EQ(empty->GetControls()->FindControl(xtpControlError, 700, FALSE, TRUE), nullptr);
    EXPECT_EQ(empty->GetControls()->FindControl(xtpControlError, 787, FALSE, TRUE), nullptr);
    EXPECT_NE(empty->GetControls()->FindControl(xtpControlError, 811, FALSE, TRUE), nullptr);
    EXPECT_TRUE(bars->GetToolBarList().empty());
    empty->InternalRelease();

    AddToolBar(bars, L"Zeta", 201);
    AddToolBar(bars, L"Alpha", 202)->SetVisible(FALSE);
    AddToolBar(bars, L"System", 1002);
    CXTPPopupBar* popup = bars->GetToolbarsPopup();
    // Entries sort by group, then bar id.
    ASSERT_EQ(bars->GetToolBarList().size(), 2u);
    EXPECT_EQ(bars->GetToolBarList()[0].title, CString(L"Zeta"));
    CXTPControl* second = popup->GetControls()->FindControl(xtpControlError, 701, FALSE, TRUE);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetCaption(), CString(L"Alpha"));
    EXPECT_FALSE(second->GetChecked());
    EXPECT_EQ(second->GetStyle(), xtpButtonCaption);
    EXPECT_TRUE(popup->GetControls()->FindControl(xtpControlError, 700, FALSE, TRUE)->GetChecked());
    s.user().expectMenuDismiss();
    bars->TrackPopupMenu(popup, 0, 0, 0);
    EXPECT_TRUE(bars->GetToolBarList().empty());  // cleared when tracking ends
    popup->InternalRelease();
}

TEST_F(RibbonFrameTest, NoMoreThanFiftyToolBarEntriesSoNoneTakesAPaneToggleId) {
    for (UINT i = 0; i < 60; ++i) AddToolBar(bars, (L"Bar " + std::to_wstring(100 + i)).c_str(), 300 + i);
    CXTPPopupBar* popup = bars->GetToolbarsPopup();
    EXPECT_EQ(bars->GetToolBarList().size(), 50u);
    EXPECT_NE(popup->GetControls()->FindControl(xtpControlError, 749, FALSE, TRUE), nullptr);
    EXPECT_EQ(popup->GetControls()->FindControl(xtpControlError, 750, FALSE, TRUE), nullptr);
    const CXTPControl* toggle = popup->GetControls()->FindControl(xtpControlError, 781, FALSE, TRUE);
    ASSERT_NE(toggle, nullptr);
    EXPECT_EQ(toggle->GetCaption(), CString(L"&Help"));
    popup->InternalRelease();
}

// Add-on applications' bars follow the program's own after a separator, once their application
// made them active; a tool-bar command names the bar of its list entry, not a collection index.
TEST_F(RibbonFrameTest, AddOnToolBarsAreGroupedAfterTheProgramsOwn) {
    auto* addOn = dynamic_cast<CKVAppCustomToolBar*>(bars->Add(L"Add-on", xtpBarTop, RUNTIME_CLASS(CKVAppCustomToolBar)));
    ASSERT_NE(addOn, nullptr);
    addOn->SetBarID(100);
    AddToolBar(bars, L"Zeta", 201);
    CXTPPopupBar* popup = bars->GetToolbarsPopup();
    ASSERT_EQ(bars->GetToolBarList().size(), 1u);  // not active yet
    popup->InternalRelease();

    addOn->SetActive(true);
    popup = bars->GetToolbarsPopup();
    ASSERT_EQ(bars->GetToolBarList().size(), 2u);
    EXPECT_EQ(bars->GetToolBarList()[0].group, 0u);
    EXPECT_EQ(bars->GetToolBarList()[1].group, 2u);
    const CXTPControl* second = popup->GetControls()->FindControl(xtpControlError, 701, FALSE, TRUE);
    ASSERT_NE(second, nullptr);
    EXPECT_EQ(second->GetCaption(), CString(L"Add-on"));
    EXPECT_TRUE(second->GetBeginGroup());
    EXPECT_FALSE(popup->GetControls()->FindControl(xtpControlError, 700, FALSE, TRUE)->GetBeginGroup());
    EXPECT_EQ(bars->GetListedToolBar(701), addOn);
    EXPECT_EQ(bars->GetListedToolBar(702), nullptr);
    EXPECT_EQ(bars->GetListedToolBar(699), nullptr);
    popup->InternalRelease();
}

// After a layout loads, an add-on bar's saved number is its visibility, never its place: a bar
// saved visible docks at the top unless its own layout gave it a side.
TEST_F(RibbonFrameTest, AddOnToolBarsTakeTheirSavedVisibilityAndDockAtTheTopUnlessPlaced) {
    const auto addOn = [&](const wchar_t* title, UINT id) {
        auto* bar = dynamic_cast<CKVAppCustomToolBar*>(bars->Add(title, xtpBarBottom, RUNTIME_CLASS(CKVAppCustomToolBar)));
        bar->SetBarID(id);
        bar->SetActive(true);
        return bar;
    };
    CKVAppCustomToolBar* shown = addOn(L"Shown", 100);
    shown->SetSavedVisibility(1);
    CKVAppCustomToolBar* hidden = addOn(L"Hidden", 101);
    hidden->SetSavedVisibility(0);
    CKVAppCustomToolBar* placed = addOn(L"Placed", 102);
    placed->SetSavedVisibility(1);
    placed->SetSavedPosition(xtpBarLeft);
    CKVAppCustomToolBar* inactive = addOn(L"Inactive", 103);
    inactive->SetActive(false);
    inactive->SetSavedVisibility(1);

    ApplyAddOnBarsLayout(bars);
    EXPECT_TRUE(shown->IsVisible());
    EXPECT_EQ(shown->GetPosition(), xtpBarTop);
    EXPECT_FALSE(hidden->IsVisible());
    EXPECT_EQ(hidden->GetPosition(), xtpBarTop);
    EXPECT_TRUE(placed->IsVisible());
    EXPECT_EQ(placed->GetPosition(), xtpBarLeft);
    EXPECT_FALSE(inactive->IsVisible());
}

class ButtonSetTest : public RibbonFrameTest {
protected:
    void SetUp() override {
        RibbonFrameTest::SetUp();
        bar = AddToolBar(bars, L"Sets", 210);
        bar->GetControls()->Add(xtpControlButton, 681);
        split = bar->GetControls()->Add(xtpControlSplitButtonPopup, 690);
        set = CXTPPopupBar::CreatePopupBar(bars);
        for (int id : {690, 691, 1202}) {
            auto* button = new CKVControlButton;
            set->GetControls()->Add(button, id)->SetTooltip((L"Tip &" + std::to_wstring(id)).c_str());
        }
        split->SetCommandBar(set);
        set->InternalRelease();
        bar->GetControls()->Add(xtpControlButton, 693);
    }
    CKVToolBar* bar = nullptr;
    CXTPControl* split = nullptr;
    CXTPPopupBar* set = nullptr;
};

TEST_F(ButtonSetTest, ACommandOfTheSetBecomesItsFace) {
    set->GetControls()->FindControl(691)->OnExecute();
    EXPECT_EQ(split->GetID(), 691);
    EXPECT_EQ(split->GetTooltip(), CString(L"Tip 691"));
    EXPECT_EQ(split->GetCaption(), CString(L"Tip 691"));
}

// The seventeen snap commands only switch a snap: none takes over the set's face, while any other
// command of the set does.
TEST_F(ButtonSetTest, NoSnapCommandBecomesTheFace) {
    const std::vector<int> snaps{1275, 1276, 1273, 1813, 1997, 1270, 1968, 1274, 1969,
                                 1794, 1271, 1272, 1970, 1277, 2896, 3173, 1278};
    for (int id : snaps) set->GetControls()->Add(new CKVControlButton, id);
    set->GetControls()->Add(new CKVControlButton, 1279);
    for (int id : snaps) {
        set->GetControls()->FindControl(id)->OnExecute();
        EXPECT_EQ(split->GetID(), 690) << id;
    }
    set->GetControls()->FindControl(1279)->OnExecute();
    EXPECT_EQ(split->GetID(), 1279);
}

TEST_F(ButtonSetTest, ExpandingTheSetReplacesItsPopupBySingleButtonsWhileTheButtonLives) {
    // The expand button's own popup goes while its handler runs.
    set->GetControls()->FindControl(1202)->OnExecute();
    CXTPControls* controls = bar->GetControls();
    ASSERT_EQ(controls->GetCount(), 4);
    EXPECT_EQ(controls->GetAt(1)->GetID(), 690);
    EXPECT_TRUE(controls->GetAt(1)->GetBeginGroup());
    EXPECT_EQ(controls->GetAt(2)->GetID(), 691);
    EXPECT_FALSE(controls->GetAt(2)->GetBeginGroup());
    EXPECT_EQ(controls->GetAt(2)->GetTooltip(), CString(L"Tip 691"));
    EXPECT_TRUE(controls->GetAt(3)->GetBeginGroup());
}

// On the tabbed main bar the single buttons join the shown tab's category and, while the bars
// show large icons, put their caption below the icon.
TEST_F(RibbonFrameTest, ExpandingASetOnTheTabbedBarGivesTheButtonsTheTabsLook) {
    for (const bool large : {false, true}) {
        bars->GetCommandBarsOptions()->bLargeIcons = large;
        auto* tabbed = dynamic_cast<CKVTabToolBar*>(bars->Add(L"Main", xtpBarTop, RUNTIME_CLASS(CKVTabToolBar)));
        ASSERT_NE(tabbed, nullptr);
        const UINT drawing[] = {681};
        tabbed->AddOriginalTab(L"Drawing", drawing, 1, 0, true, GUID{});
        CXTPControl* popup = tabbed->GetControls()->Add(xtpControlPopup, 0);
        CXTPPopupBar* set = CXTPPopupBar::CreatePopupBar(bars);
        for (int id : {690, 1202}) set->GetControls()->Add(new CKVControlButton, id);
        popup->SetCommandBar(set);
        set->InternalRelease();
        set->GetControls()->FindControl(1202)->OnExecute();
        const CXTPControl* single = tabbed->GetControls()->FindControl(690);
        ASSERT_NE(single, nullptr) << large;
        EXPECT_EQ(single->GetCategory(), CString(L"Drawing"));
        EXPECT_EQ(single->GetStyle(), large ? xtpButtonIconAndCaptionBelow : xtpButtonAutomatic);
        bars->Remove(tabbed);
    }
    // On a plain tool bar the buttons keep their own look.
    bars->GetCommandBarsOptions()->bLargeIcons = TRUE;
    CKVToolBar* plain = AddToolBar(bars, L"Plain", 211);
    CXTPControl* popup = plain->GetControls()->Add(xtpControlPopup, 0);
    CXTPPopupBar* set = CXTPPopupBar::CreatePopupBar(bars);
    for (int id : {690, 1202}) set->GetControls()->Add(new CKVControlButton, id);
    popup->SetCommandBar(set);
    set->InternalRelease();
    set->GetControls()->FindControl(1202)->OnExecute();
    EXPECT_EQ(plain->GetControls()->FindControl(690)->GetStyle(), xtpButtonAutomatic);
    EXPECT_TRUE(plain->GetControls()->FindControl(690)->GetCategory().IsEmpty());
}

// A copy of the program's bars and buttons is of the program's class, so it behaves as they do.
TEST_F(RibbonFrameTest, ClonesKeepTheProgramsClasses) {
    CKVToolBar* bar = AddToolBar(bars, L"Sets", 210);
    CXTPControl* button = bar->GetControls()->Add(new CKVControlButton, 690);
    CXTPControl* copy = button->Clone();
    EXPECT_NE(dynamic_cast<CKVControlButton*>(copy), nullptr);
    copy->InternalRelease();
    for (CXTPCommandBar* original : {static_cast<CXTPCommandBar*>(bar), static_cast<CXTPCommandBar*>(bars->GetMainMenuBar())}) {
        CXTPCommandBar* clone = original->Clone(TRUE);
        ASSERT_NE(clone, nullptr);
        EXPECT_EQ(clone->GetRuntimeClass(), original->GetRuntimeClass());
        clone->InternalRelease();
    }
}

}  // namespace
