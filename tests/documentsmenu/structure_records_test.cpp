// The configurations tree follows the kernel's model: rows are made when first expanded, appear,
// rename and vanish as the model changes, and filtered fills list only what matches.
#include "tests/documentsmenu/structure_test_support.h"

#include "documentsmenu/records/record_icons.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class StructureRecordsTest : public StructureTest {
protected:
    // Standard: group Bolts (sub-group Metric, library M6 with two documents), library Nuts
    // (empty folder), and an empty group Washers.
    void build() {
        bolts = model.addGroup(standard, L"Bolts");
        metric = model.addGroup(bolts, L"Metric");
        m6 = model.addLibrary(bolts, L"M6", L"Bolts\\M6");
        writeFile(kLibraries + L"Bolts\\M6\\hex bolt.grb");
        writeFile(kLibraries + L"Bolts\\M6\\Ёлочка.grb");
        writeFile(kLibraries + L"Bolts\\M6\\notes.txt");
        washers = model.addGroup(standard, L"Washers");
        nuts = model.addLibrary(standard, L"Nuts", L"Nuts");
    }
    ILibrariesGroup* bolts = nullptr;
    ILibrariesGroup* metric = nullptr;
    ILibrariesGroup* washers = nullptr;
    ILibrary* m6 = nullptr;
    ILibrary* nuts = nullptr;
};

TEST_F(StructureRecordsTest, ChildrenAreMadeOnlyWhenARowIsFirstExpanded) {
    build();
    open();
    EXPECT_EQ(rows(), L"+ Standard\n");
    Record* top = record(L"Standard");
    ASSERT_NE(top, nullptr);
    EXPECT_FALSE(top->AreChildrenFilled());
    EXPECT_EQ(top->GetChilds()->GetCount(), 1) << "one placeholder child for the expand button";

    expand(L"Standard");
    // Groups with nothing below them have no expand button; a library always has one.
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n    Washers\n");
    EXPECT_FALSE(record(L"Bolts")->AreChildrenFilled());
    EXPECT_FALSE(record(L"Nuts")->AreChildrenFilled());

    expand(L"Bolts");
    expand(L"M6");
    EXPECT_EQ(rows(),
              L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        Ёлочка.grb\n      Metric\n  + Nuts\n"
              L"    Washers\n");
    // An empty library loses its expand button once a fill finds nothing.
    expand(L"Nuts");
    EXPECT_EQ(rows().substr(rows().rfind(L"Nuts")), L"Nuts\n    Washers\n");

    // The window remembers what was expanded: a new tree opens the same way.
    report().collapse(row(L"Bolts"));
    tree.reset();
    open();
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n    Nuts\n    Washers\n");
}

TEST_F(StructureRecordsTest, RowsFollowTheModel) {
    build();
    open();
    expand(L"Standard");
    expand(L"Bolts");

    // Renames, additions and removals show at once.
    ASSERT_TRUE(m6->SetName(L"M6 bolts"));
    ASSERT_TRUE(bolts->SetName(L"Fasteners"));
    ILibrary* m8 = model.addLibrary(bolts, L"M8", L"Bolts\\M8");
    model.addGroup(washers, L"Flat");
    EXPECT_EQ(
        rows(),
        L"- Standard\n  - Fasteners\n    + M6 bolts\n    + M8\n      Metric\n  + Nuts\n  - Washers\n      Flat\n");
    model.removeLibrary(m8);
    model.removeLibrary(nuts);
    metric->Destroy();
    EXPECT_EQ(rows(), L"- Standard\n  - Fasteners\n    + M6 bolts\n  - Washers\n      Flat\n");

    // Activation changes the icon; a reload rebuilds the configuration's rows collapsed.
    EXPECT_EQ(report().icon(row(L"Standard"), kColumnName), kIconConfiguration);
    standard->SetActive(true);
    EXPECT_EQ(report().icon(row(L"Standard"), kColumnName), kIconActiveConfiguration);
    ASSERT_TRUE(standard->Save(false));
    model.addLibrary(standard, L"Unsaved", L"Unsaved");
    ASSERT_TRUE(standard->Load(standard->GetPath()));
    EXPECT_EQ(rows(), L"+ Standard\n");
    expand(L"Standard");
    EXPECT_EQ(rows(), L"- Standard\n  - Fasteners\n    + M6 bolts\n  - Washers\n      Flat\n");

    // A second configuration gets its row; closing one removes it.
    IConfiguration* second = model.addConfiguration(kLibraries + L"Second.tws", L"Second");
    EXPECT_EQ(row(L"Second"), 0) << "rows list by name";
    second->Destroy();
    standard->Destroy();
    EXPECT_EQ(rows(), L"");
}

TEST_F(StructureRecordsTest, ALibraryAddedToANeverExpandedConfigurationIsListedOnce) {
    build();
    open();
    model.addLibrary(standard, L"Pins", L"Pins");
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n  + Pins\n    Washers\n");
    // The same into a group whose rows exist but were never expanded.
    model.addLibrary(washers, L"Flat", L"Washers\\Flat");
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n  + Nuts\n  + Pins\n  - Washers\n    + Flat\n");
}

TEST_F(StructureRecordsTest, FilteredFillsExpandDownToWhatMatches) {
    build();
    writeFile(kLibraries + L"Nuts\\hex nut.grb");
    open();
    Record* top = record(L"Standard");

    // Only documents match: the rows down to them are expanded, the rest left out.
    top->UpdateChildren(Korvo::GetSearchableEquivalent(L"ЕЛОЧ"));
    top->SetExpanded(TRUE);
    tree->Populate();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        Ёлочка.grb\n");

    top->UpdateChildren(L"hex");
    tree->Populate();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n  - Nuts\n      hex nut.grb\n");

    // A group matching by its own name lists its children unfiltered, collapsed when nothing
    // below it matches.
    top->UpdateChildren(L"wash");
    tree->Populate();
    EXPECT_EQ(rows(), L"- Standard\n    Washers\n");
    top->UpdateChildren(L"bolt");
    tree->Populate();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        Ёлочка.grb\n      Metric\n");
}

TEST_F(StructureRecordsTest, ExcludedAndHiddenObjects) {
    build();
    model.setExcluded(nuts, true);
    model.setExcluded(metric, true);
    m6->SetDocumentExcluded(L"hex bolt.grb", true);
    // A file with the hidden attribute is no document of the library, shown or not.
    writeFile(kLibraries + L"Bolts\\M6\\secret.grb");
    ASSERT_TRUE(SetFileAttributesW((kLibraries + L"Bolts\\M6\\secret.grb").c_str(), FILE_ATTRIBUTE_HIDDEN));
    window.SetHidden(washers, true);
    open();
    expand(L"Standard");
    EXPECT_EQ(rows(), L"- Standard\n  + Bolts\n");
    expand(L"Bolts");
    expand(L"M6");
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        Ёлочка.grb\n");

    // Shown on request: excluded rows grey, hidden ones in the tree again.
    window.SetShowExcluded(true);
    window.SetShowHidden(true);
    record(L"Standard")->UpdateChildren(L"");
    tree->Populate();
    EXPECT_EQ(rows(),
              L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        Ёлочка.grb\n      Metric\n  + Nuts\n"
              L"    Washers\n");
    EXPECT_EQ(report().textColor(row(L"Nuts"), kColumnAuthor), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(report().textColor(row(L"Metric"), kColumnName), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(report().textColor(row(L"hex bolt.grb"), kColumnName), GetSysColor(COLOR_GRAYTEXT));
    EXPECT_EQ(report().textColor(row(L"Bolts"), kColumnName), XTP_REPORT_COLOR_DEFAULT);

    // Searches skip hidden objects while they are not shown, but not excluded ones.
    EXPECT_TRUE(LibrariesGroupRecord::MatchesSearch(standard, L"washers", &window)) << "hidden, but shown";
    window.SetShowHidden(false);
    EXPECT_FALSE(LibrariesGroupRecord::MatchesSearch(standard, L"washers", &window));
    EXPECT_TRUE(LibrariesGroupRecord::MatchesSearch(standard, L"nuts", &window)) << "an excluded library is searched";
    window.SetHidden(washers, false);
    EXPECT_TRUE(LibrariesGroupRecord::MatchesSearch(standard, L"washers", &window));
    window.SetHidden(nuts, true);
    EXPECT_FALSE(LibrariesGroupRecord::MatchesSearch(standard, L"nuts", &window)) << "a hidden library";
    window.SetShowHidden(true);
    EXPECT_TRUE(LibrariesGroupRecord::MatchesSearch(standard, L"nuts", &window));
    window.SetShowHidden(false);
    window.SetHidden(nuts, false);
    EXPECT_TRUE(LibraryRecord::MatchesSearch(m6, L"hex", &window));
    window.SetHidden(m6, L"hex bolt.grb", true);
    EXPECT_FALSE(LibraryRecord::MatchesSearch(m6, L"hex", &window));
    EXPECT_TRUE(ConfigurationRecord::NameContains(standard, L"stand"));
}

TEST_F(StructureRecordsTest, DestroyedObjectsAreNeverTouchedAgain) {
    build();
    open();
    expand(L"Standard");
    expand(L"Bolts");
    expand(L"M6");
    // The group goes with everything below it; every row of it goes without calling the model.
    bolts->Destroy();
    EXPECT_EQ(rows(), L"- Standard\n  + Nuts\n    Washers\n");
    // A configuration destroyed while its rows live: the rows forget it and go with the removal.
    standard->Destroy();
    EXPECT_EQ(rows(), L"");
}

TEST_F(StructureTest, AViewTakesTheReportThemeOfItsNumberAndKeepsNoGridLines) {
    open();
    const auto theme = [&] { return std::wstring(tree->GetPaintManager()->GetThemeName()); };
    EXPECT_EQ(theme(), L"OfficeXP");
    for (auto [number, name] : {std::pair{4, L"Office2013"}, {8, L"VisualStudio2015"}, {11, L"NativeWindows10"},
                                {5, L"OfficeXP"}, {-1, L"OfficeXP"}}) {
        tree->SetTheme(number, FALSE);
        EXPECT_EQ(theme(), name) << number;
        EXPECT_FALSE(tree->GetPaintManager()->IsVerticalGrid());
        EXPECT_FALSE(tree->GetPaintManager()->IsHorizontalGrid());
    }
    // The theme it has already: the same paint manager, reset.
    CXTPReportPaintManager* kept = tree->GetPaintManager();
    kept->SetGridLines(TRUE, TRUE);
    const int refreshes = kept->GetRefreshCount();
    tree->SetTheme(-1, FALSE);
    EXPECT_EQ(tree->GetPaintManager(), kept);
    EXPECT_EQ(kept->GetRefreshCount(), refreshes + 1);
    EXPECT_FALSE(kept->IsVerticalGrid());
    // Another flag is another theme.
    tree->SetTheme(-1, TRUE);
    EXPECT_NE(tree->GetPaintManager(), kept);
}

TEST_F(StructureTest, RowsFollowTheirObjectsPathsAndListTheNewFolder) {
    ILibrary* pins = model.addLibrary(standard, L"Pins", L"Pins");
    model.addLibrary(standard, L"Studs", L"Studs");
    writeFile(kLibraries + L"Pins\\pin.grb");
    writeFile(kLibraries + L"Studs\\stud.grb");
    open();
    expand(L"Standard");
    expand(L"Pins");
    ASSERT_NE(row(L"pin.grb"), -1);

    // An expanded library lists its new folder at once.
    ASSERT_TRUE(pins->SetPath(L"Studs"));
    EXPECT_EQ(report().caption(row(L"Pins"), kColumnPath), L"Studs");
    EXPECT_EQ(row(L"pin.grb"), -1);
    EXPECT_NE(row(L"stud.grb"), -1);
    // A collapsed one lists it when it is next expanded, not the rows it had.
    report().collapse(row(L"Pins"));
    ASSERT_TRUE(pins->SetPath(L"Pins"));
    expand(L"Pins");
    EXPECT_NE(row(L"pin.grb"), -1);
    EXPECT_EQ(row(L"stud.grb"), -1);

    // A configuration saved elsewhere shows its new file.
    ASSERT_TRUE(standard->SaveAs((kLibraries + L"Moved.tws").c_str()));
    EXPECT_EQ(report().caption(row(L"Standard"), kColumnPath), kLibraries + L"Moved.tws");
}

TEST_F(StructureTest, APdmLibraryHasItsFolderBroughtUpToDateBeforeItListsItsDocuments) {
    IConfiguration* pdm = CreateConfiguration(L"Vault", true);
    ASSERT_TRUE(pdm->SaveAs((kLibraries + L"Vault.tws").c_str()));
    ASSERT_TRUE(GlobalCfgGroup()->AddConfiguration(pdm));
    const auto library = [&](const wchar_t* name) {
        const std::wstring folder(GetLibraryAbsolutePath(model.addLibrary(pdm, name, name)).view());
        writeFile(folder + L"\\" + name + L".grb");
        return folder;
    };
    library(L"Bolts");
    const std::wstring flanges = library(L"Flanges");
    library(L"Studs");
    open();
    expand(L"Vault");

    // Outside the PDM system the folder is listed as it is.
    expand(L"Bolts");
    EXPECT_EQ(callCount(L"FindFolder"), 0);

    session.kernel().setPdmConnected(true);
    session.kernel().pdmManageFolder(flanges);
    GetSettings().files.pdmLocalFiles = 1;
    expand(L"Flanges");
    const auto all = platform::harness::calls(session);
    const auto update = std::find(all.begin(), all.end(), L"KVPDMItem::Update(\"" + flanges + L"\", false, true)");
    ASSERT_NE(update, all.end()) << ::testing::PrintToString(all);
    EXPECT_NE(std::find(all.begin(), update, L"KVPDMWorkMix::FindFolder(\"" + flanges + L"\")"), update);
    const auto listed = std::find(all.begin(), all.end(), L"CDirectoryChangeWatcher::WatchDirectory(\"" + flanges + L"\\\")");
    EXPECT_LT(update, listed) << "updated before it is listed";
    EXPECT_NE(row(L"Flanges.grb"), -1);

    // A PDM error is shown and the documents are listed all the same.
    session.kernel().pdmFailCall(L"FindFolder");
    session.user().expectBox(L"The PDM system did not answer: FindFolder", platform::harness::Button::Ok);
    expand(L"Studs");
    EXPECT_NE(row(L"Studs.grb"), -1);
    EXPECT_EQ(callCount(L"KVPDMItem::Update"), 1);
}

TEST_F(StructureTest, PdmConfigurationsMakePdmRowsAndListRowsNameTheirConfiguration) {
    IConfiguration* pdm = CreateConfiguration(L"Vault", true);
    ASSERT_TRUE(pdm->SaveAs((kLibraries + L"Vault.tws").c_str()));
    ASSERT_TRUE(GlobalCfgGroup()->AddConfiguration(pdm));
    ILibrariesGroup* group = model.addGroup(pdm, L"Checked in");
    model.addLibrary(group, L"Flanges", L"Flanges");
    ILibrary* plain = model.addLibrary(standard, L"Pins", L"Pins");
    open();
    expand(L"Vault");
    expand(L"Checked in");

    EXPECT_EQ(report().icon(row(L"Vault"), kColumnName), kIconPdmConfiguration);
    pdm->SetActive(true);
    EXPECT_EQ(report().icon(row(L"Vault"), kColumnName), kIconActivePdmConfiguration);
    EXPECT_NE(dynamic_cast<PDMLibrariesGroupRecord*>(record(L"Checked in")), nullptr);
    auto* pdmLibrary = dynamic_cast<PDMLibraryRecord*>(record(L"Flanges"));
    ASSERT_NE(pdmLibrary, nullptr);
    EXPECT_EQ(pdmLibrary->GetItem(kColumnPath)->GetItemControls()->GetSize(), 0) << "no browse button";
    EXPECT_EQ(pdmLibrary->OnDragOver(nullptr, 0), 0u);
    expand(L"Standard");
    auto* treeLibrary = dynamic_cast<LibraryRecord*>(record(L"Pins"));
    ASSERT_NE(treeLibrary, nullptr);
    EXPECT_EQ(treeLibrary->GetItem(kColumnPath)->GetItemControls()->GetAt(0)->GetCaption(), L"...");

    // A library row of the flat list shows its configuration's name in a seventh cell.
    auto* listRow = static_cast<LibraryListRecord*>(tree->AddRecord(new LibraryListRecord(plain)));
    listRow->Init();
    ASSERT_EQ(listRow->GetItemCount(), 7);
    EXPECT_EQ(listRow->GetItem(kColumnConfiguration)->GetCaption(), L"Standard");
}

}  // namespace
}  // namespace documentsmenutest
