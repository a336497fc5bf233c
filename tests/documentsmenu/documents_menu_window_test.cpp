// The documents-menu window as its user meets it: the search bar, hidden rows and their header
// icon, the tree and list views, the browser split, and the view state the window keeps in a
// pane's layout.
#include "tests/documentsmenu/window_test_support.h"
#include "tests/support/table_check.h"

#include "documentsmenu/records/record_icons.h"
#include "documentsmenu/window/preview_wnd.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

TEST_F(DocumentsMenuWindowTest, SearchFiltersWithTheTrimmedLowerCaseTextAndClearingShowsEverything) {
    open();
    expand(L"Standard");
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n");

    search(L"  HEX Nut ");
    EXPECT_EQ(rows(), L"- Standard\n  - Nuts\n      hex nut.grb\n");
    ComboBoxFind* box = window->GetSearchBox();
    ASSERT_EQ(box->GetCount(), 1);
    EXPECT_EQ(box->GetLBText(0), L"hex nut");
    EXPECT_TRUE(findButton()->ShowsClear());
    // Searching the same text again adds nothing to the drop-down list; a new one goes first.
    search(L"hex nut");
    EXPECT_EQ(box->GetCount(), 1);
    search(L"washer");
    ASSERT_EQ(box->GetCount(), 2);
    EXPECT_EQ(box->GetLBText(0), L"washer");
    EXPECT_EQ(box->GetLBText(1), L"hex nut");
    search(L"hex nut");
    // Enter on an empty box clears the filter and offers to clear all the same.
    search(L"");
    EXPECT_TRUE(findButton()->ShowsClear());
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  - Nuts\n      hex nut.grb\n");
    search(L"hex nut");

    // Show-excluded refills without the filter; the box keeps its text; what the search opened
    // stays open, as the user's own expansion.
    window->SetShowExcluded(true);
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  - Nuts\n      hex nut.grb\n");
    EXPECT_EQ(box->GetEditText(), L"hex nut");

    // Deleting the text refills unfiltered and gives the button its find icon back.
    search(L"bolt");
    box->SetEditText(L"");
    box->OnEditChanged();
    EXPECT_FALSE(findButton()->ShowsClear());
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n  - Nuts\n      hex nut.grb\n");

    // The clear button empties the box and the filter; the search expansions were remembered.
    search(L"bolt");
    session.user().click(window->GetSafeHwnd(), kFindId);
    EXPECT_EQ(box->GetEditText(), L"");
    EXPECT_FALSE(findButton()->ShowsClear());
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n  - Nuts\n      hex nut.grb\n");
}

TEST_F(DocumentsMenuWindowTest, TheVisibleHeaderSwitchesHiddenRowsAndItsIconFollows) {
    open();
    expand(L"Standard");
    StructureBase& tree = window->GetStructure().GetTreeView();
    EXPECT_EQ(tree.GetVisibleColumnIcon(), kIconHidden);

    view().click(view().find(L"Nuts"), kColumnVisible);
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n");
    EXPECT_EQ(tree.GetVisibleColumnIcon(), 40823) << "hidden rows exist";

    view().clickHeader(kColumnVisible);
    EXPECT_TRUE(window->IsShowHidden());
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n");
    EXPECT_EQ(tree.GetVisibleColumnIcon(), kIconShown);

    // Showing the row again and leaving hidden rows out: nothing is hidden any more.
    view().click(view().find(L"Nuts"), kColumnVisible);
    view().clickHeader(kColumnVisible);
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n");
    EXPECT_EQ(tree.GetVisibleColumnIcon(), kIconHidden);
}

TEST_F(DocumentsMenuWindowTest, ViewStateRoundTripsThroughALayoutAndLoadingTwiceKeepsOnePair) {
    open();
    expand(L"Standard");
    expand(L"Bolts");
    window->SetHidden(m6, L"hex bolt.grb", true);
    window->SetHidden(nuts, L"gone.grb", true);  // no such file: not saved
    ILibrariesGroup* temporary = model.addGroup(standard, L"Temporary");
    window->SetExpanded(temporary, true);
    const CString temporaryId = Korvo::UniqueIdentifier(temporary->GetId()).ToString();
    temporary->Destroy();  // a deleted group: kept in memory, not saved
    const CString xml = saved();
    EXPECT_NE(xml.Find(L"ShowSearchToolBar=\"true\""), -1);
    EXPECT_NE(xml.Find(L"docName=\"hex bolt.grb\""), -1);
    EXPECT_EQ(xml.Find(L"gone.grb"), -1);
    EXPECT_NE(xml.Find(Korvo::UniqueIdentifier(bolts->GetId()).ToString()), -1);
    EXPECT_EQ(xml.Find(temporaryId), -1) << xml.GetString();

    // A new window gets it back; the same state loaded twice still un-hides with one click.
    window.reset();
    open();
    load(xml);
    load(xml);
    EXPECT_TRUE(window->IsExpanded(bolts));
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    + M6\n  + Nuts\n");
    EXPECT_TRUE(window->HasHiddenItems()) << "a hidden document alone";
    window->SetHidden(m6, L"hex bolt.grb", false);
    EXPECT_FALSE(window->IsHidden(m6, L"hex bolt.grb"));
    EXPECT_FALSE(window->HasHiddenItems());

    // Entries without a readable id or name are skipped; a missing search-bar key shows the bar.
    window->GetSearchToolBar()->SetVisible(FALSE);
    load(L"<Pane><State><HiddenLibs><lib id=\"nonsense\"/><lib/></HiddenLibs>"
         L"<HiddenDocs><doc libID=\"" + Korvo::UniqueIdentifier(m6->GetId()).ToString() + L"\" docName=\"\"/></HiddenDocs>"
         L"</State></Pane>");
    EXPECT_FALSE(window->HasHiddenItems());
    EXPECT_TRUE(window->GetSearchToolBar()->IsVisible());
}

TEST_F(DocumentsMenuWindowTest, ListModeCarriesColumnsAndSplitModesShowTheBrowser) {
    open();
    StructureBase& tree = window->GetStructure().GetTreeView();
    StructureBase& list = window->GetStructure().GetListView();
    tree.GetColumns()->Find(kColumnPath)->SetVisible(TRUE);
    EXPECT_TRUE(window->ShowLibrariesList(true));
    EXPECT_FALSE(window->ShowLibrariesList(true));
    EXPECT_TRUE(list.GetColumns()->Find(kColumnPath)->IsVisible());
    EXPECT_EQ(rows(), L"+ M6\n+ Nuts\n");

    // One visible column: no header.
    for (int i = 0; i < list.GetColumns()->GetCount(); ++i) list.GetColumns()->GetAt(i)->SetVisible(FALSE);
    list.GetColumns()->Find(kColumnName)->SetVisible(TRUE);
    list.UpdateHeaderVisibility();
    EXPECT_FALSE(list.IsHeaderVisible());

    EXPECT_EQ(window->GetSplitMode(), 1);
    EXPECT_FALSE(window->SetSplitMode(1));
    EXPECT_FALSE(window->SetSplitMode(3));
    EXPECT_TRUE(window->SetSplitMode(2));
    EXPECT_FALSE(window->GetSplitter().IsHorizontal());
    // One selected row shows in the browser; two clear it.
    view().click(view().find(L"Nuts"), kColumnName);
    EXPECT_EQ(window->GetPreviewWnd()->GetCurrentLibrary(), nuts);
    view().select(view().find(L"M6"), true);
    EXPECT_EQ(window->GetPreviewWnd()->GetCurrentLibrary(), nullptr);
    EXPECT_TRUE(window->ShowInBrowser(nuts));
    EXPECT_EQ(window->GetPreviewWnd()->GetCurrentLibrary(), nuts);
    EXPECT_TRUE(window->SetSplitMode(0));
    EXPECT_FALSE(window->ShowInBrowser(nuts)) << "the browser pane is hidden";
}

// The two tool bars in their order: the main one opens configurations (the PDM one only while
// the PDM system is there), collapses and chooses columns; the search bar searches.
TEST_F(DocumentsMenuWindowTest, TheToolBarsHoldTheirControlsInOrderAndThePdmButtonFollowsThePdmSystem) {
    KVPDMWorkMix::SetActive(false);
    open();
    struct Face {
        int id;
        XTPControlType type;
        std::wstring tooltip;
        bool operator==(const Face&) const = default;
    };
    const auto faces = [](CXTPToolBar* bar) {
        std::vector<Face> out;
        for (int i = 0; i < bar->GetControls()->GetCount(); ++i) {
            CXTPControl* control = bar->GetControls()->GetAt(i);
            EXPECT_TRUE(control->GetFlags() & xtpFlagManualUpdate) << "control " << i;
            out.push_back(Face{control->GetID(), control->GetType(), std::wstring(control->GetTooltip().view())});
        }
        return out;
    };
    const auto string = [](UINT id) { return std::wstring(KVLoadString(id).view()); };
    const std::vector<Face> main = faces(window->GetMainToolBar());
    ASSERT_EQ(main.size(), 4u);
    tablecheck::ExpectRows<int, Face>(
        "main tool bar (id, type, tooltip)",
        {{0, {kOpenConfigurationId, xtpControlSplitButtonPopup, string(691)}},
         {1, {kOpenVarnelConfigurationId, xtpControlButton, string(1912)}},
         {2, {kCollapseId, xtpControlButton, std::wstring(Korvo::I18n::Translate(L"Collapse all").view())}}},
        [&](int index) { return main[static_cast<std::size_t>(index)]; });
    EXPECT_NE(dynamic_cast<ColumnsSelector*>(window->GetMainToolBar()->GetControls()->GetAt(3)), nullptr);
    EXPECT_TRUE(window->GetMainToolBar()->GetControls()->GetAt(3)->GetFlags() & 1) << "right-aligned";
    const std::vector<Face> search = faces(window->GetSearchToolBar());
    ASSERT_EQ(search.size(), 2u);
    EXPECT_EQ(search[0].id, kSearchBoxId);
    EXPECT_EQ(search[0].tooltip, string(692));
    EXPECT_EQ(search[1].id, kFindId);
    EXPECT_EQ(search[1].tooltip, string(693));
    EXPECT_TRUE(window->GetSearchToolBar()->GetControls()->GetAt(0)->GetFlags() & xtpFlagControlStretched);
    // The main bar's icons, the collapse button's under its command.
    tablecheck::ExpectMembers<UINT>("main tool bar icons", {690, 691, 1912, 693, 696, 40780, 497}, {496, 692},
                                    [&](UINT id) {
                                        CXTPImageManager* images = window->GetCommandBars()->GetImageManager();
                                        return images && images->Lookup(id, 16) != nullptr;
                                    });

    CXTPControl* pdm = window->GetMainToolBar()->GetControls()->GetAt(1);
    const auto idle = [&] {
        ::SendMessageW(window->GetSafeHwnd(), WM_IDLEUPDATECMDUI, TRUE, 0);
        return pdm->IsVisible() != FALSE;
    };
    EXPECT_FALSE(idle());
    KVPDMWorkMix::SetActive(true);
    EXPECT_TRUE(idle());
    KVPDMWorkMix::SetActive(false);
    EXPECT_FALSE(idle());

    // Collapse: every open row of the view closes.
    expand(L"Standard");
    expand(L"Bolts");
    ASSERT_EQ(rows(), L"- Standard\n  - Bolts\n    + M6\n  + Nuts\n");
    session.user().click(window->GetSafeHwnd(), kCollapseId);
    EXPECT_EQ(rows(), L"+ Standard\n");
}

struct CountingClient : DocumentsMenuDlg::IClient {
    int showHidden = 0, documents = 0, libraries = 0;
    void ShowHiddenChanged() override { ++showHidden; }
    void ShowExcludedChanged() override {}
    void DocumentHiddenChanged(ILibrary*, const CString&) override { ++documents; }
    void LibrariesGroupHiddenChanged(ILibrariesGroup*) override {}
    void LibraryHiddenChanged(ILibrary*) override { ++libraries; }
};

TEST_F(DocumentsMenuWindowTest, ClientsHearOnceAndUpdatesNest) {
    open();
    CountingClient client;
    window->AddClient(&client);
    window->AddClient(&client);
    EXPECT_TRUE(window->SetShowHidden(true));
    EXPECT_FALSE(window->SetShowHidden(true));
    window->SetHidden(nuts, true);
    window->SetHidden(nuts, L"hex nut.grb", true);
    window->SetHidden(static_cast<ILibrary*>(nullptr), true);
    EXPECT_EQ(client.showHidden, 1);
    EXPECT_EQ(client.libraries, 1);
    EXPECT_EQ(client.documents, 1);
    window->RemoveClient(&client);
    window->SetHidden(nuts, false);
    EXPECT_EQ(client.libraries, 1);

    StructureBase& tree = window->GetStructure().GetTreeView();
    const int before = tree.GetPopulateCount();
    tree.BeginUpdate();
    tree.BeginUpdate();
    model.addConfiguration(kLibraries + L"Second.tws", L"Second");
    tree.EndUpdate();
    EXPECT_EQ(tree.GetPopulateCount(), before) << "drawing stays suspended";
    tree.EndUpdate();
    EXPECT_EQ(view().find(L"Second"), 0) << "rows list by name";
    tree.EndUpdate();  // at count 0: nothing
    EXPECT_EQ(tree.GetUpdateCount(), 0u);

    // A settings profile applied (event 1043) re-applies the command-bar options; other events not.
    const int updates = window->GetCommandBarsOptionsUpdates();
    ApplicationEventManager::Instance().Raise(kEventProfileApplied, ApplicationEventArgs());
    ApplicationEventManager::Instance().Raise(kEventThemeChanged + 1, ApplicationEventArgs());
    EXPECT_EQ(window->GetCommandBarsOptionsUpdates(), updates + 1);
}

TEST_F(DocumentsMenuWindowTest, TheOpenButtonsArrowListsTheInstalledConfigurationsCheckedWhileOpen) {
    const std::wstring other = kLibraries + L"Other.tws";
    ASSERT_EQ(platform::files::writeAllAtomic(other, "<configuration name=\"Other\"/>"), 0u);
    model.setInstalledConfigurations({{L"Standard", kLibraries + L"Standard.tws"}, {L"Other", other}});
    open();
    // The items as the arrow last listed them: caption and checked.
    const auto listed = [&] {
        session.user().expectMenuDismiss();
        session.user().clickArrow(window->GetSafeHwnd(), kOpenConfigurationId);
        CXTPControl* button = window->GetMainToolBar()->GetControls()->FindControl(kOpenConfigurationId);
        std::wstring text;
        CXTPControls* items = button && button->GetCommandBar() ? button->GetCommandBar()->GetControls() : nullptr;
        for (int i = 0; items && i < items->GetCount(); ++i) {
            text += std::wstring(items->GetAt(i)->GetCaption().view()) + (items->GetAt(i)->GetChecked() ? L"*" : L"") + L" ";
        }
        return text;
    };
    EXPECT_EQ(listed(), L"Standard* Other ");
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 1);

    // Choosing one that is not open opens it, as the active configuration; the list follows.
    session.user().expectMenuChoose(L"Other");
    session.user().clickArrow(window->GetSafeHwnd(), kOpenConfigurationId);
    IConfiguration* opened = FindConfigurationByPath(other.c_str());
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->IsActive());
    EXPECT_EQ(listed(), L"Standard* Other* ");
    // One open already becomes the active one again.
    session.user().expectMenuChoose(L"Standard");
    session.user().clickArrow(window->GetSafeHwnd(), kOpenConfigurationId);
    EXPECT_TRUE(standard->IsActive());
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 2);
}

// The PDM system's button asks which of its configurations to open; the stand-in's choice is the
// file chooser's, as for the open button.
TEST_F(DocumentsMenuWindowTest, ThePdmButtonOpensTheChosenConfigurationAsThePdmSystemsAndCancelOpensNothing) {
    const std::wstring other = kLibraries + L"Other.tws";
    ASSERT_EQ(platform::files::writeAllAtomic(other, "<configuration name=\"Other\"/>"), 0u);
    KVPDMWorkMix::SetActive(true);
    open();
    ::SendMessageW(window->GetSafeHwnd(), WM_IDLEUPDATECMDUI, TRUE, 0);
    session.user().expectFileCancel();
    session.user().click(window->GetSafeHwnd(), kOpenVarnelConfigurationId);
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 1);
    session.user().expectFileChoose(other);
    session.user().click(window->GetSafeHwnd(), kOpenVarnelConfigurationId);
    IConfiguration* opened = FindConfigurationByPath(other.c_str());
    ASSERT_NE(opened, nullptr);
    EXPECT_TRUE(opened->IsFromVarnel());
    EXPECT_TRUE(opened->IsActive());
    EXPECT_FALSE(standard->IsActive());
    // Chosen again, it is only made the active one.
    standard->SetActive(true);
    session.user().expectFileChoose(other);
    session.user().click(window->GetSafeHwnd(), kOpenVarnelConfigurationId);
    EXPECT_EQ(GlobalCfgGroup()->GetCount(), 2);
    EXPECT_TRUE(opened->IsActive());
    EXPECT_TRUE(session.takeFailures().empty());
    // Without the PDM system nothing is asked.
    KVPDMWorkMix::SetActive(false);
    EXPECT_EQ(OpenConfigurationFromVARNEL(GlobalCfgGroup()), nullptr);
}

TEST_F(DocumentsMenuWindowTest, TheColumnChooserOffersEveryColumnButNameAndTheHeaderFollows) {
    open();
    StructureBase& tree = window->GetStructure().GetTreeView();
    CXTPControls* controls = window->GetMainToolBar()->GetControls();
    auto* chooser = dynamic_cast<ColumnsSelector*>(controls->GetAt(controls->GetCount() - 1));
    ASSERT_NE(chooser, nullptr);
    const CString visible = tree.GetColumns()->Find(kColumnVisible)->GetCaption();
    ASSERT_TRUE(tree.IsHeaderVisible()) << "Name and Visible";

    session.user().expectMenuChoose(std::wstring(visible.view()));
    chooser->OpenPopup();
    EXPECT_FALSE(tree.GetColumns()->Find(kColumnVisible)->IsVisible());
    EXPECT_FALSE(tree.IsHeaderVisible()) << "one column left";
    CXTPControls* items = chooser->GetCommandBar()->GetControls();
    ASSERT_EQ(items->GetCount(), tree.GetColumns()->GetCount() - 1) << "all but Name";
    for (int i = 0; i < items->GetCount(); ++i) EXPECT_NE(items->GetAt(i)->GetCaption(), tree.GetColumns()->Find(kColumnName)->GetCaption());

    // Shown again from the list, which says which columns show.
    session.user().expectMenuChoose(std::wstring(visible.view()));
    chooser->OpenPopup();
    EXPECT_TRUE(tree.IsHeaderVisible());
    session.user().expectMenuDismiss();
    chooser->OpenPopup();
    int checked = 0;
    for (int i = 0; i < items->GetCount(); ++i) checked += items->GetAt(i)->GetChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
}

}  // namespace
}  // namespace documentsmenutest
