// A library row follows what other programs do in its watched folder: one row per file whatever
// the spelling, exclusions that follow their files even when no row shows them, hidden documents
// that stay hidden when they come back; and rows of libraries and documents whose files are gone.
#include "tests/documentsmenu/structure_test_support.h"

#include "documentsmenu/records/record_icons.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class WatchedFolderTest : public StructureTest {
protected:
    ILibrary* m6 = model.addLibrary(standard, L"M6", L"M6");
    const std::wstring folder = kLibraries + L"M6\\";

    void openM6() {
        open();
        expand(L"Standard");
        expand(L"M6");
    }
    // Another program renames (or moves over) a file of the folder; the watcher hears of it.
    void renameOutside(const std::wstring& from, const std::wstring& to) {
        ASSERT_TRUE(MoveFileExW((folder + from).c_str(), (folder + to).c_str(), MOVEFILE_REPLACE_EXISTING));
        idle();
    }
    void deleteOutside(const std::wstring& name) {
        ASSERT_TRUE(DeleteFileW((folder + name).c_str()));
        idle();
    }
    void addOutside(const std::wstring& name) {
        writeFile(folder + name);
        idle();
    }
    // The tree below the configuration with M6 expanded: its documents.
    static std::wstring listing(std::initializer_list<const wchar_t*> documents) {
        std::wstring text = L"- Standard\n  - M6\n";
        for (const wchar_t* name : documents) text += std::wstring(L"      ") + name + L"\n";
        return text;
    }
};

TEST_F(WatchedFolderTest, EachFileHasOneRowWhateverItsSpellingAndAFileMovedOverAnotherLeavesOne) {
    writeFile(folder + L"a.grb");
    writeFile(folder + L"b.grb");
    writeFile(folder + L"c.grb");
    openM6();
    ASSERT_EQ(rows(), listing({L"a.grb", L"b.grb", L"c.grb"}));

    // Saved over another document (an editor's safe save): one row shows the file.
    renameOutside(L"a.grb", L"b.grb");
    EXPECT_EQ(rows(), listing({L"b.grb", L"c.grb"}));
    // Only the spelling changes: the row takes it.
    renameOutside(L"b.grb", L"B.GRB");
    EXPECT_EQ(rows(), listing({L"B.GRB", L"c.grb"}));
    // A temporary file moved over a listed document in another case, and a file that comes again.
    writeFile(folder + L"c.tmp");
    renameOutside(L"c.tmp", L"C.GRB");
    addOutside(L"b.grb");
    EXPECT_EQ(rows(), listing({L"B.GRB", L"c.grb"}));

    // Deleting the files leaves no row behind.
    deleteOutside(L"B.GRB");
    deleteOutside(L"c.grb");
    EXPECT_EQ(rows(), L"- Standard\n    M6\n");
}

TEST_F(WatchedFolderTest, AnExclusionFollowsItsFileWhileExcludedDocumentsAreNotShown) {
    writeFile(folder + L"a.grb");
    writeFile(folder + L"b.grb");
    m6->SetDocumentExcluded(L"a.grb", true);
    openM6();
    ASSERT_EQ(rows(), listing({L"b.grb"}));

    renameOutside(L"a.grb", L"a2.grb");
    EXPECT_TRUE(m6->IsDocumentExcluded(L"a2.grb"));
    EXPECT_FALSE(m6->IsDocumentExcluded(L"a.grb"));
    EXPECT_EQ(rows(), listing({L"b.grb"}));
    // Shown, it is grey under its new name.
    window.SetShowExcluded(true);
    record(L"M6")->UpdateChildren(L"");
    tree->Populate();
    EXPECT_EQ(rows(), listing({L"a2.grb", L"b.grb"}));
    EXPECT_EQ(report().textColor(row(L"a2.grb"), kColumnName), GetSysColor(COLOR_GRAYTEXT));

    // No longer a document: no exclusion is left for a file that is not there.
    window.SetShowExcluded(false);
    record(L"M6")->UpdateChildren(L"");
    tree->Populate();
    renameOutside(L"a2.grb", L"a2.bak");
    EXPECT_FALSE(m6->IsDocumentExcluded(L"a2.grb"));
    EXPECT_FALSE(m6->IsDocumentExcluded(L"a2.bak"));
    // A file of another type that becomes an excluded name comes back excluded, so not listed.
    m6->SetDocumentExcluded(L"a3.grb", true);
    renameOutside(L"a2.bak", L"a3.grb");
    EXPECT_EQ(rows(), listing({L"b.grb"}));
}

TEST_F(WatchedFolderTest, AHiddenDocumentStaysHiddenWhenItsFileComesBack) {
    writeFile(folder + L"a.grb");
    writeFile(folder + L"b.grb");
    openM6();
    report().select(row(L"a.grb"), false);
    report().click(row(L"a.grb"), kColumnVisible);
    ASSERT_EQ(rows(), listing({L"b.grb"}));

    deleteOutside(L"a.grb");
    addOutside(L"a.grb");
    EXPECT_EQ(rows(), listing({L"b.grb"}));
    // Named so by a rename, too; and shown with hidden rows it says it is hidden.
    deleteOutside(L"a.grb");
    writeFile(folder + L"a.tmp");
    renameOutside(L"a.tmp", L"a.grb");
    EXPECT_EQ(rows(), listing({L"b.grb"}));
    EXPECT_TRUE(window.IsHidden(m6, L"a.grb"));
    window.SetShowHidden(true);
    record(L"M6")->UpdateChildren(L"");
    tree->Populate();
    EXPECT_EQ(report().icon(row(L"a.grb"), kColumnVisible), kIconHidden);
}

TEST_F(WatchedFolderTest, AHiddenDocumentRenamedStaysHiddenUnderItsNewName) {
    writeFile(folder + L"a.grb");
    writeFile(folder + L"b.grb");
    openM6();
    window.SetHidden(m6, L"a.grb", true);
    renameOutside(L"a.grb", L"c.grb");
    EXPECT_FALSE(window.IsHidden(m6, L"a.grb"));
    EXPECT_TRUE(window.IsHidden(m6, L"c.grb"));
    // Renamed out of the documents, it is hidden no more.
    renameOutside(L"c.grb", L"c.txt");
    EXPECT_FALSE(window.IsHidden(m6, L"c.grb"));
    EXPECT_FALSE(window.HasHiddenItems());
}

TEST_F(WatchedFolderTest, AFileThatComesWhileASearchShowsTheRowsIsListedOnlyWhenItMatches) {
    writeFile(folder + L"hex a.grb");
    open();
    Record* top = record(L"Standard");
    top->UpdateChildren(L"hex");
    top->SetExpanded(TRUE);
    tree->Populate();
    ASSERT_EQ(rows(), listing({L"hex a.grb"}));
    addOutside(L"plain.grb");
    addOutside(L"hex b.grb");
    writeFile(folder + L"x.tmp");
    renameOutside(L"x.tmp", L"other.grb");
    writeFile(folder + L"y.tmp");
    renameOutside(L"y.tmp", L"Hex c.grb");
    EXPECT_EQ(rows(), listing({L"hex a.grb", L"hex b.grb", L"Hex c.grb"}));
}

TEST_F(WatchedFolderTest, RowsOfMissingFoldersAndFilesShowWhatIsThere) {
    writeFile(folder + L"a.grb");
    ILibrary* gone = model.addLibrary(standard, L"Gone", L"Gone");
    ASSERT_TRUE(RemoveDirectoryW((kLibraries + L"Gone").c_str()));
    open();
    expand(L"Standard");
    EXPECT_EQ(report().icon(row(L"Gone"), kColumnName), kIconMissingFolder);

    // Expanding lists nothing, watches nothing, and the expand button goes.
    expand(L"Gone");
    auto* goneRow = dynamic_cast<LibraryRecord*>(record(L"Gone"));
    ASSERT_NE(goneRow, nullptr);
    EXPECT_FALSE(goneRow->IsWatching());
    EXPECT_EQ(rows(), L"- Standard\n    Gone\n  + M6\n");
    EXPECT_FALSE(LibraryRecord::MatchesSearch(gone, L"a", &window));

    // A document deleted without a word from the watcher: its row reads empty properties.
    expand(L"M6");
    ASSERT_TRUE(DeleteFileW((folder + L"a.grb").c_str()));
    EXPECT_EQ(report().caption(row(L"a.grb"), kColumnAuthor), L"");
    EXPECT_EQ(report().caption(row(L"a.grb"), kColumnPath), L"M6\\a.grb");
    // The folder comes back: a new fill finds it.
    platform::files::createDirectories(kLibraries + L"Gone");
    writeFile(kLibraries + L"Gone\\g.grb");
    model.contentsChanged(gone);
    EXPECT_NE(row(L"g.grb"), -1);
}

}  // namespace
}  // namespace documentsmenutest
