// The cells of the structure rows: editing through the row, icons, the Visible cell and the
// browse button; and a library row following its watched folder.
#include "tests/documentsmenu/structure_test_support.h"

#include "documentsmenu/records/record_icons.h"
#include "documentsmenu/records/record_items.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class RecordCellsTest : public StructureTest {
protected:
    void build() {
        bolts = model.addGroup(standard, L"Bolts");
        m6 = model.addLibrary(bolts, L"M6", L"M6");
        shared = model.addLibrary(standard, L"Shared", L"Shared A");
        open();
        expand(L"Standard");
        expand(L"Bolts");
    }
    void startEdit(const std::wstring& caption, int column) {
        auto* item = dynamic_cast<ReportRecordItem*>(record(caption)->GetItem(column));
        ASSERT_NE(item, nullptr);
        item->StartEdit();
    }
    ILibrariesGroup* bolts = nullptr;
    ILibrary* m6 = nullptr;
    ILibrary* shared = nullptr;
};

TEST_F(RecordCellsTest, EditsGoThroughTheRowAndRefusedOnesKeepTheOldText) {
    build();
    // A configuration takes no new name: the cell shows the old one again.
    startEdit(L"Standard", kColumnName);
    ASSERT_TRUE(report().editing());
    report().commitEdit(L"Renamed");
    EXPECT_FALSE(report().editing());
    EXPECT_EQ(report().caption(row(L"Standard"), kColumnName), L"Standard");
    EXPECT_EQ(standard->GetName(), L"Standard");

    // A group's rename starts from its row and reaches the model.
    record(L"Bolts")->BeginRename();
    report().commitEdit(L"Screws");
    EXPECT_EQ(bolts->GetName(), L"Screws");
    EXPECT_NE(row(L"Screws"), -1);

    // Text cells without an action start editing on a double click.
    report().doubleClick(row(L"M6"), kColumnAuthor);
    report().commitEdit(L"Petrov");
    EXPECT_EQ(m6->GetAuthor(), L"Petrov");
    EXPECT_EQ(report().caption(row(L"M6"), kColumnAuthor), L"Petrov");

    // A path the model refuses (no such folder) keeps the old text.
    report().doubleClick(row(L"M6"), kColumnPath);
    report().commitEdit(L"Missing");
    EXPECT_EQ(m6->GetPath(), L"M6");
    EXPECT_EQ(report().caption(row(L"M6"), kColumnPath), L"M6");

    // The name cell's double click expands and collapses instead of editing.
    report().doubleClick(row(L"Screws"), kColumnName);
    EXPECT_FALSE(report().editing());
    EXPECT_EQ(rows(), L"- Standard\n  + Screws\n  + Shared\n");
}

TEST_F(RecordCellsTest, LibraryIconsSayWhetherTheFolderExistsAndIsNamedOnce) {
    build();
    const int folderImage = report().icon(row(L"M6"), kColumnName);
    EXPECT_GE(folderImage, Korvo::UI::CachingImageManager::kFirstId);
    // A second library of the same name: both say so.
    IConfiguration* other = model.addConfiguration(kLibraries + L"Other.tws", L"Other");
    model.addLibrary(other, L"Shared", L"Shared B");
    EXPECT_EQ(report().icon(row(L"Shared"), kColumnName), kIconSharedLibraryName);
    expand(L"Other");
    EXPECT_EQ(report().icon(tree->GetRows()->GetCount() - 1, kColumnName), kIconSharedLibraryName);
    // A deleted folder says so whatever the name (Other lists first, by name).
    ASSERT_TRUE(RemoveDirectoryW((kLibraries + L"Shared B").c_str()));
    EXPECT_EQ(report().icon(row(L"Shared"), kColumnName), kIconMissingFolder);

    // Documents: the file's image, the plain document icon once the file is gone.
    writeFile(kLibraries + L"M6\\a.grb");
    expand(L"M6");
    const int documentImage = report().icon(row(L"a.grb"), kColumnName);
    EXPECT_GE(documentImage, Korvo::UI::CachingImageManager::kFirstId);
    EXPECT_NE(documentImage, folderImage);
    DeleteFileW((kLibraries + L"M6\\a.grb").c_str());
    EXPECT_EQ(report().icon(row(L"a.grb"), kColumnName), kIconDocument);
}

TEST_F(RecordCellsTest, TheVisibleCellAppliesTheClickedRowsOppositeStateToTheSelection) {
    build();
    window.SetHidden(shared, true);
    window.SetShowHidden(true);
    EXPECT_EQ(report().icon(row(L"M6"), kColumnVisible), kIconShown);
    EXPECT_EQ(report().icon(row(L"Shared"), kColumnVisible), kIconHidden);
    // Clicking the shown row of a selection hides both, not each the other way round.
    report().select(row(L"M6"), false);
    report().select(row(L"Shared"), true);
    report().click(row(L"M6"), kColumnVisible);
    EXPECT_TRUE(window.IsHidden(m6));
    EXPECT_TRUE(window.IsHidden(shared));

    // While hidden rows are not shown, the hidden rows leave the view at once.
    window.SetShowHidden(false);
    window.SetHidden(m6, false);
    window.SetHidden(shared, false);
    report().select(row(L"M6"), false);
    report().select(row(L"Shared"), true);
    report().click(row(L"M6"), kColumnVisible);
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n");
    EXPECT_EQ(tree->GetVisibleColumnIcon(), 40823) << "hidden rows exist";
}

TEST_F(RecordCellsTest, BrowsingForAFolderKeepsARelativePathRelative) {
    build();
    platform::files::createDirectories(kLibraries + L"Moved\\M6");
    model.answerFolderChooser(kLibraries + L"Moved\\M6");
    report().clickButton(row(L"M6"), kColumnPath);
    EXPECT_EQ(m6->GetPath(), L"Moved\\M6");
    EXPECT_EQ(report().caption(row(L"M6"), kColumnPath), L"Moved\\M6");
    EXPECT_TRUE(session.journal().contains(
        "call", L"SelectFolders(\"" + kLibraries + L"M6\\\", \"Select the library folder\", true, false)"));

    // An absolute path stays absolute; a cancelled chooser changes nothing.
    platform::files::createDirectories(L"D:\\Elsewhere");
    ASSERT_TRUE(m6->SetPath(L"D:\\Elsewhere"));
    model.answerFolderChooser(kLibraries + L"Moved\\M6");
    report().clickButton(row(L"M6"), kColumnPath);
    EXPECT_EQ(m6->GetPath(), kLibraries + L"Moved\\M6");
    model.answerFolderChooser(std::nullopt);
    report().clickButton(row(L"M6"), kColumnPath);
    EXPECT_EQ(m6->GetPath(), kLibraries + L"Moved\\M6");
}

TEST_F(RecordCellsTest, AWatchedLibraryFollowsItsFolder) {
    build();
    writeFile(kLibraries + L"M6\\a.grb");
    expand(L"M6");
    auto* library = dynamic_cast<LibraryRecord*>(record(L"M6"));
    ASSERT_NE(library, nullptr);
    EXPECT_TRUE(library->IsWatching());
    EXPECT_EQ(library->GetWatchedFolder().GetPath(), kLibraries + L"M6\\");
    const std::wstring folder = kLibraries + L"M6\\";

    // A change queued before the fill that already listed the file adds no second row.
    library->FileAdded(SharedPathName((folder + L"A.GRB").c_str()));
    writeFile(folder + L"b.grb");
    library->FileAdded(SharedPathName((folder + L"b.grb").c_str()));
    library->FileAdded(SharedPathName((folder + L"c.txt").c_str()));
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        a.grb\n        b.grb\n  + Shared\n");

    // Renames: into a document adds, out of one removes and clears the exclusion, between
    // documents renames and moves it.
    m6->SetDocumentExcluded(L"a.grb", true);
    m6->SetDocumentExcluded(L"b.grb", true);
    window.SetShowExcluded(true);
    library->FileNameChanged(SharedPathName((folder + L"c.txt").c_str()), SharedPathName((folder + L"c.grb").c_str()));
    library->FileNameChanged(SharedPathName((folder + L"a.grb").c_str()), SharedPathName((folder + L"a.bak").c_str()));
    library->FileNameChanged(SharedPathName((folder + L"b.grb").c_str()), SharedPathName((folder + L"d.grb").c_str()));
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        c.grb\n        d.grb\n  + Shared\n");
    EXPECT_FALSE(m6->IsDocumentExcluded(L"a.grb"));
    EXPECT_FALSE(m6->IsDocumentExcluded(L"b.grb"));
    EXPECT_TRUE(m6->IsDocumentExcluded(L"d.grb"));

    // Deleting any file clears its exclusion, even without a row.
    m6->SetDocumentExcluded(L"notes.txt", true);
    library->FileRemoved(SharedPathName((folder + L"notes.txt").c_str()));
    library->FileRemoved(SharedPathName((folder + L"D.GRB").c_str()));
    EXPECT_FALSE(m6->IsDocumentExcluded(L"notes.txt"));
    EXPECT_FALSE(m6->IsDocumentExcluded(L"d.grb"));
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        c.grb\n  + Shared\n");

    // Collapsing keeps the watch; a path change while collapsed rebuilds at the next expansion.
    report().collapse(row(L"M6"));
    EXPECT_TRUE(library->IsWatching());
    platform::files::createDirectories(kLibraries + L"M6 new");
    writeFile(kLibraries + L"M6 new\\z.grb");
    ASSERT_TRUE(m6->SetPath(L"M6 new"));
    EXPECT_FALSE(library->IsWatching());
    EXPECT_FALSE(library->AreChildrenFilled());
    expand(L"M6");
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        z.grb\n  + Shared\n");
    EXPECT_EQ(library->GetWatchedFolder().GetPath(), kLibraries + L"M6 new\\");
}

}  // namespace
}  // namespace documentsmenutest
