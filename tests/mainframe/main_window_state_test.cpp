// A live frame written into its "MainWindow" element and a state applied back, and the frame's
// menu editing: what a user's layout and the kernel's menu requests do to the bars.
#include <gtest/gtest.h>

#include "app/kvw32_app.h"
#include "commandbars/kv_ribbon_bar.h"
#include "mainframe/command_icon.h"
#include "mainframe/main_frame.h"
#include "mainframe/main_frame_menus.h"
#include "mainframe/main_frame_state.h"
#include "mainframe/menu_insertion.h"
#include "tests/support/main_frame_at.h"
#include "tests/support/session_test.h"

namespace {

using namespace platform::harness;
using Korvo::UI::XML::Element;

constexpr Korvo::VersionNumber kVersion(18, 0, 21, 0);

class MainWindowStateTest : public SessionTest {
protected:
    void SetUp() override {
        s.start();
        ASSERT_EQ(s.startResult(), 1);
        s.runUntilIdle();
        frame = platform::harness::mainFrameAt(s);
        ASSERT_NE(frame, nullptr);
    }
    std::wstring Saved(bool withPlacement = true, bool withPanes = true) {
        Element element(L"MainWindow");
        frame->SaveXmlState(element, withPlacement, withPanes);
        return element.toXml();
    }
    void Apply(const std::wstring& xml) {
        const auto element = Element::parse(xml, L"state.xml");
        ASSERT_TRUE(element);
        const auto state = LoadMainFrameState(*element, kVersion, CKvw32App::Instance()->GetDefaultMainFrameState().get());
        ASSERT_TRUE(state);
        frame->LoadState(*state, true, true);
        s.runUntilIdle();
    }

    Session s;
    CMainFrame* frame = nullptr;
};

TEST_F(MainWindowStateTest, SavingLoadingAndSavingGivesTheSameElement) {
    frame->SetVarnelWindowBits(0x25);
    frame->GetRibbonBar()->GetTab(0)->GetGroup(0)->GetAt(0)->SetFlags(0x1000 | 0x4000 | 0x20000);
    const std::wstring first = Saved();
    EXPECT_NE(first.find(L" varnelWindows=\"files,desktop,mail\" "), std::wstring::npos);
    EXPECT_NE(first.find(L" viewTypes=\"camera,2d,!workplane,fea\""), std::wstring::npos);
    frame->SetVarnelWindowBits(3);
    Apply(first);
    EXPECT_EQ(frame->GetVarnelWindowBits(), 0x25u);
    EXPECT_EQ(Saved(), first);
}

// Without a document window the kernel session's maximised-documents flag is written; a state's
// flag reaches the session only with the document tabs off, with them the session keeps its own.
TEST_F(MainWindowStateTest, MaximisedDocumentsAreTheSessionsAndComeFromAStateOnlyWithoutTheWorkbook) {
    for (const bool maximize : {true, false}) {
        GlobalContainer::SetMaximizeMdi(maximize);
        EXPECT_NE(Saved().find(maximize ? L" maximizeMdi=\"true\"" : L" maximizeMdi=\"false\""), std::wstring::npos);
    }
    GlobalContainer::SetMaximizeMdi(true);
    Apply(L"<MainWindow workbook=\"true\" maximizeMdi=\"false\"/>");
    EXPECT_TRUE(GlobalContainer::GetMaximizeMdi());
    Apply(L"<MainWindow workbook=\"false\" maximizeMdi=\"false\"/>");
    EXPECT_FALSE(GlobalContainer::GetMaximizeMdi());
    GlobalContainer::SetMaximizeMdi(true);
}

TEST_F(MainWindowStateTest, TheFullScreenLayoutIsKeptAsItWasAndPlacementComesOnlyWhenAsked) {
    const std::wstring full = L"<fullscreenLayout><Options LargeIcons=\"true\" /><Odd any=\"thing\"><Deeper /></Odd></fullscreenLayout>";
    std::wstring element = Saved();
    element.replace(element.find(L"</codejock>"), 0, full);
    Apply(element);
    const std::wstring again = Saved();
    const std::size_t at = again.find(L"<fullscreenLayout>");
    ASSERT_NE(at, std::wstring::npos) << again.substr(again.find(L"<codejock>"));
    EXPECT_EQ(again.substr(at, again.find(L"</fullscreenLayout>") - at),
              L"<fullscreenLayout>\n      <Options LargeIcons=\"true\" />\n      <Odd any=\"thing\">\n        <Deeper />\n      </Odd>\n    ");

    const std::wstring bare = Saved(false, false);
    EXPECT_EQ(bare.find(L"fullscreen="), std::wstring::npos);
    EXPECT_EQ(bare.find(L"windowRect="), std::wstring::npos);
    EXPECT_EQ(bare.find(L"<DockingPane"), std::wstring::npos);
    EXPECT_NE(bare.find(L"<MainWindow workbook="), std::wstring::npos);
}

TEST_F(MainWindowStateTest, AnOldLayoutWithoutShortcutsKeepsTheShortcuts) {
    CXTPShortcutManager* shortcuts = frame->GetCommandBars()->GetShortcutManager();
    const std::size_t before = shortcuts->GetAccelerators().size();
    ASSERT_GT(before, 0u);
    Apply(L"<MainWindow><codejock><normalLayout><Options /></normalLayout></codejock></MainWindow>");
    EXPECT_EQ(shortcuts->GetAccelerators().size(), before);
}

TEST_F(MainWindowStateTest, FixedBarsAreNamedByIdAndReadingFreesTheOthers) {
    CXTPCommandBars* bars = frame->GetCommandBars();
    CXTPToolBar* bar = bars->Add(L"Fixed", xtpBarTop, RUNTIME_CLASS(Korvo::UI::FixableToolBar));
    ASSERT_NE(bar, nullptr);
    bar->SetBarID(4242);
    Korvo::UI::Fix(bar, true);
    CXTPPropExchangeXMLNode stored(FALSE, L"FixedToolBars");
    CMainFrame::ExchangeFixedToolBars(stored, *bars);
    EXPECT_NE(stored.SaveToString().Find(L"<ToolBar Id=\"4242\" />"), -1) << stored.SaveToString().GetString();

    // Entries without an id, or of another bar, fix nothing; the bar fixed before is freed.
    CXTPPropExchangeXMLNode other(TRUE, L"FixedToolBars");
    ASSERT_TRUE(other.LoadFromString(L"<FixedToolBars><ToolBar /><ToolBar Id=\"4243\" /></FixedToolBars>", L"test"));
    CMainFrame::ExchangeFixedToolBars(other, *bars);
    EXPECT_FALSE(Korvo::UI::IsFixed(bar));
    CXTPPropExchangeXMLNode again(TRUE, L"FixedToolBars");
    ASSERT_TRUE(again.LoadFromString(stored.SaveToString().GetString(), L"test"));
    CMainFrame::ExchangeFixedToolBars(again, *bars);
    EXPECT_TRUE(Korvo::UI::IsFixed(bar));
}

TEST(WindowsMenus, ListedCommandsGoWithEmptiedSubMenusAndStraySeparators) {
    HMENU menu = ::CreatePopupMenu();
    HMENU sub = ::CreatePopupMenu();
    ::AppendMenuW(sub, MF_STRING, 2, L"two");
    ::AppendMenuW(sub, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(sub, MF_STRING, 3, L"three");
    HMENU kept = ::CreatePopupMenu();
    ::AppendMenuW(kept, MF_STRING, 5, L"five");
    ::AppendMenuW(kept, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(kept, MF_STRING, 4, L"four");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, 1, L"one");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(sub), L"sub");
    ::AppendMenuW(menu, MF_STRING, 4, L"four");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(kept), L"kept");
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    const UINT ids[] = {2, 3, 4};
    RemoveMenuItemsInList(menu, ids, 3);
    ASSERT_EQ(::GetMenuItemCount(menu), 3);
    EXPECT_EQ(::GetMenuItemID(menu, 0), 1u);
    EXPECT_TRUE(::GetMenuState(menu, 1, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(::GetSubMenu(menu, 2), kept);
    EXPECT_EQ(::GetMenuItemCount(kept), 1);
    EXPECT_FALSE(::IsMenu(sub));
    ::DestroyMenu(menu);
}

TEST_F(MainWindowStateTest, UserPopupsGoByTheirTextWhereverTheyAre) {
    CXTPControls* menuBar = frame->GetMenuBarControls();
    ASSERT_NE(menuBar, nullptr);
    CXTPControl* outer = menuBar->Add(xtpControlPopup, 0, L"MyTools");
    CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    outer->SetCommandBar(bar);
    bar->InternalRelease();
    // The same text nested in another popup goes too.
    CXTPControl* holder = menuBar->Add(xtpControlPopup, 0, L"Other");
    CXTPPopupBar* inner = CXTPPopupBar::CreatePopupBar(frame->GetCommandBars());
    holder->SetCommandBar(inner);
    inner->InternalRelease();
    inner->GetControls()->Add(xtpControlPopup, 0, L"MYTOOLS");

    EXPECT_FALSE(frame->RemoveUserPopupMenu(L""));
    EXPECT_NE(FindControlByParameter(menuBar, L"MyTools"), nullptr);
    EXPECT_TRUE(frame->RemoveUserPopupMenu(L"mytools"));
    EXPECT_EQ(FindControlByParameter(menuBar, L"MyTools"), nullptr);
    EXPECT_NE(FindControlByParameter(menuBar, L"Other"), nullptr);
}

TEST_F(MainWindowStateTest, TheInstalledConfigurationsMenuFollowsTheInstalledList) {
    CXTPControls* menuBar = frame->GetMenuBarControls();
    s.kernel().documentsMenu().setInstalledConfigurations({{L"Standard", L"C:\\Libraries\\Standard.kvcfg"}});
    // Without the configurations command in the menu bar there is nowhere to put it.
    frame->UpdateInstalledConfigurationsMenu();
    EXPECT_EQ(FindControlByParameter(menuBar, L"InstalledLibraries"), nullptr);

    menuBar->Add(xtpControlButton, 1109);
    frame->UpdateInstalledConfigurationsMenu();
    CXTPControl* popup = FindControlByParameter(menuBar, L"InstalledLibraries");
    ASSERT_NE(popup, nullptr);
    EXPECT_EQ(menuBar->IndexOf(popup), menuBar->IndexOf(menuBar->FindControl(1109)) + 1);
    ASSERT_EQ(popup->GetCommandBar()->GetControls()->GetCount(), 1);
    auto* item = dynamic_cast<MenuItem_OpenConfiguration*>(popup->GetCommandBar()->GetControls()->GetAt(0));
    ASSERT_NE(item, nullptr);
    EXPECT_EQ(item->GetCaption(), L"Standard");
    EXPECT_EQ(item->GetConfigurationPath(), L"C:\\Libraries\\Standard.kvcfg");

    // The kernel's request reaches every frame.
    s.kernel().documentsMenu().setInstalledConfigurations({});
    s.kernel().callback([](KorvoServerAppProxy& kernel) { kernel.UpdateInstalledConfigurationsMenu(); });
    EXPECT_EQ(FindControlByParameter(menuBar, L"InstalledLibraries"), nullptr);
}

TEST_F(MainWindowStateTest, PdmCommandsHideWithTheirGroupAndComeBack) {
    KVRibbonBar* ribbon = frame->GetRibbonBar();
    CXTPRibbonGroup* pdmOnly = ribbon->GetTab(0)->AddGroup(L"PDM", 0);
    pdmOnly->GetControls()->Add(xtpControlButton, 2128);
    CXTPRibbonGroup* mixed = ribbon->GetTab(0)->AddGroup(L"Mixed", 0);
    mixed->GetControls()->Add(xtpControlButton, 2128);
    mixed->GetControls()->Add(xtpControlButton, 1001);
    CXTPControl* menuItem = frame->GetMenuBarControls()->Add(xtpControlButton, 2128);
    // A control another rule hides (flag 16) is not the PDM switch's to change.
    CXTPControl* hiddenElsewhere = frame->GetMenuBarControls()->Add(xtpControlButton, 2128);
    hiddenElsewhere->SetHideFlag(16, TRUE);

    frame->ShowFlaggedCommandControls(false);
    EXPECT_EQ(hiddenElsewhere->GetHideFlags() & xtpHideGeneric, 0u);
    EXPECT_FALSE(pdmOnly->IsVisible());
    EXPECT_FALSE(pdmOnly->GetAt(0)->IsVisible());
    EXPECT_TRUE(mixed->IsVisible());
    EXPECT_FALSE(mixed->GetAt(0)->IsVisible());
    EXPECT_TRUE(mixed->GetAt(1)->IsVisible());
    EXPECT_FALSE(menuItem->IsVisible());

    frame->ShowFlaggedCommandControls(true);
    EXPECT_TRUE(pdmOnly->IsVisible());
    EXPECT_TRUE(pdmOnly->GetAt(0)->IsVisible());
    EXPECT_TRUE(menuItem->IsVisible());
}

TEST_F(MainWindowStateTest, ACommandIconReplacesTheOldOne) {
    CXTPImageManager images;
    images.SetIcon(700, new CXTPImageManagerIcon(700, 24, 24, std::vector<std::uint32_t>(24 * 24, 1)));
    CXTPControl control;
    control.SetID(40782);
    SetImageManagerIconForCommand(images, 700, control);
    EXPECT_EQ(images.Lookup(700, 24), nullptr);
    EXPECT_NE(images.Lookup(700, 16), nullptr);
}

}  // namespace
