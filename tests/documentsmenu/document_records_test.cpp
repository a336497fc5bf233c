// Document rows: a huge folder lists its first screen at once and the rest while the loop is
// idle; properties are read from the file only when a property cell is first drawn; Enter opens
// the document through the application's opener; renaming goes through the shell and the row
// follows once the folder watcher reports the new name, while bad names are refused.
#include "tests/documentsmenu/structure_test_support.h"

#include <filesystem>
#include <fstream>

#include "documentsmenu/records/document_record.h"
#include "documentsmenu/records/record_icons.h"
#include "platform/core/text.h"
#include "platform/textcore.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class DocumentRecordsTest : public StructureTest {
protected:
    void build() {
        m6 = model.addLibrary(standard, L"M6", L"M6");
        folder = kLibraries + L"M6\\";
    }
    DocumentRecord* document(const std::wstring& name) { return dynamic_cast<DocumentRecord*>(record(name)); }
    void rename(const std::wstring& from, const std::wstring& to) {
        ASSERT_NE(document(from), nullptr) << "no row " << platform::core::toUtf8(from);
        document(from)->BeginRename();
        report().commitEdit(to);
    }
    ILibrary* m6 = nullptr;
    std::wstring folder;
};

TEST_F(DocumentRecordsTest, AHugeFolderShowsItsFirstScreenAtOnceAndTheRestWhenIdle) {
    build();
    for (int i = 0; i < 300; ++i) writeFile(folder + L"part " + std::to_wstring(1299 - i) + L".grb");
    writeFile(folder + L"_last written.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    auto* library = dynamic_cast<LibraryRecord*>(record(L"M6"));
    ASSERT_NE(library, nullptr);
    const int firstScreen = library->GetChilds()->GetCount();
    EXPECT_GT(firstScreen, 20);
    EXPECT_LT(firstScreen, 301);
    EXPECT_TRUE(library->IsFilling());

    // A change heard before the fill reached the file lists it once.
    writeFile(folder + L"part 1299.GRB");
    session.kernel().folderChanged(1, folder + L"part 1299.grb");
    idle();
    EXPECT_FALSE(library->IsFilling());
    EXPECT_EQ(library->GetChilds()->GetCount(), 301);
    EXPECT_EQ(report().rowCount(), 303);
    // Listed by name however the folder was read, a name beginning with "_" first.
    EXPECT_EQ(row(L"_last written.grb"), 2);
    for (int i = 3; i < 302; ++i) EXPECT_LT(report().caption(i, kColumnName), report().caption(i + 1, kColumnName));

    // A new fill while one is under way starts over; collapsed rows keep their rows out of view.
    model.contentsChanged(m6);
    report().collapse(row(L"M6"));
    EXPECT_EQ(report().rowCount(), 2);
    idle();
    EXPECT_EQ(library->GetChilds()->GetCount(), 301);
    EXPECT_EQ(report().rowCount(), 2);
}

// A search that matches few documents of a huge folder looks at a bounded part of it at a time,
// however few rows that part yields, so the user is never kept waiting for the rest.
TEST_F(DocumentRecordsTest, ASearchOfAHugeFolderGoesOnInBoundedSteps) {
    build();
    const std::string host = session.files().hostPath(folder);
    std::filesystem::create_directories(host);
    for (int i = 0; i < 6000; ++i) std::ofstream(host + "/part " + std::to_string(i) + ".grb") << "d";
    for (const char* name : {"special 1.grb", "special 2.grb"}) std::ofstream(host + "/" + name) << "d";
    open();
    expand(L"Standard");
    expand(L"M6");
    idle();
    auto* library = dynamic_cast<LibraryRecord*>(record(L"M6"));
    ASSERT_NE(library, nullptr);
    ASSERT_EQ(library->GetChilds()->GetCount(), 6002);

    // The matches come last in the folder: the search reads it in steps before any row shows.
    tree->Fill(Korvo::GetSearchableEquivalent(CString(L"Special")));
    EXPECT_EQ(tree->GetRows()->GetCount(), 0);
    int steps = 0;
    for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE); ++steps) DispatchMessageW(&message);
    EXPECT_GE(steps, 3);
    library = dynamic_cast<LibraryRecord*>(record(L"M6"));
    ASSERT_NE(library, nullptr);
    EXPECT_FALSE(library->IsFilling());
    EXPECT_EQ(library->GetChilds()->GetCount(), 2);
    EXPECT_EQ(rows(), L"- Standard\n  - M6\n      special 1.grb\n      special 2.grb\n");

    // A text nothing matches also answers in steps, and then lists nothing; a new fill drops the
    // search under way.
    tree->Fill(Korvo::GetSearchableEquivalent(CString(L"nothing like it")));
    EXPECT_EQ(tree->GetRows()->GetCount(), 0);
    idle();
    EXPECT_EQ(tree->GetRows()->GetCount(), 0);
    tree->Fill(Korvo::GetSearchableEquivalent(CString(L"nothing like it")));
    tree->Fill(CString());
    idle();
    EXPECT_EQ(tree->GetRows()->GetCount(), 2 + 6002) << "the rows the search opened stay open";
}

TEST_F(DocumentRecordsTest, PropertiesAreReadOnceWhenFirstShown) {
    build();
    session.kernel().writeDocumentFile(folder + L"bolt.grb", {{L"Author", L"Ada"},
                                                               {L"Company", L"Korvo"},
                                                               {L"Comments", L"M6 x 20"},
                                                               {L"Keywords", L"bolt; hex"}});
    writeFile(folder + L"plain.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    EXPECT_EQ(callCount(L"ReadProperties"), 0) << "nothing is read before a property cell is drawn";
    // The tip of a property cell reads them as well, once.
    EXPECT_EQ(report().tooltip(row(L"plain.grb"), kColumnTitle), L"");
    EXPECT_EQ(callCount(L"ReadProperties"), 1);

    const int bolt = row(L"bolt.grb");
    EXPECT_EQ(report().caption(bolt, kColumnComment), L"M6 x 20");
    EXPECT_EQ(report().caption(bolt, kColumnAuthor), L"Ada");
    EXPECT_EQ(report().caption(bolt, kColumnCompany), L"Korvo");
    EXPECT_EQ(report().caption(bolt, kColumnKeywords), L"bolt; hex");
    EXPECT_EQ(report().caption(bolt, kColumnTitle), L"");
    EXPECT_EQ(callCount(L"ReadProperties"), 2);
    // A file that is no document shows empty properties.
    EXPECT_EQ(report().caption(row(L"plain.grb"), kColumnAuthor), L"");
    EXPECT_EQ(callCount(L"ReadProperties"), 2);
    // Showing hidden rows changes only which rows show: the rows stay, read already.
    tree->UpdateHiddenRecords(true);
    EXPECT_EQ(report().caption(row(L"bolt.grb"), kColumnAuthor), L"Ada");
    EXPECT_EQ(callCount(L"ReadProperties"), 2);
}

TEST_F(DocumentRecordsTest, EnterOpensTheDocumentThroughTheApplication) {
    session.start();
    ASSERT_EQ(session.startResult(), 1);
    session.runUntilIdle();
    build();
    session.kernel().writeDocumentFile(folder + L"bracket.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    // The expanded row is the focused one; keys go to the focused row, then to the control.
    EXPECT_EQ(report().focusedRow(), row(L"M6"));
    report().pressKey(row(L"M6"), 13);
    report().pressKey(row(L"bracket.grb"), 27);
    EXPECT_TRUE(session.kernel().openedDocuments().empty()) << "Escape opens nothing, nor Enter on a library";
    report().pressKey(row(L"bracket.grb"), 13);
    session.runUntilIdle();
    EXPECT_EQ(session.kernel().openedDocuments(), std::vector<std::wstring>{folder + L"bracket.grb"});
}

TEST_F(DocumentRecordsTest, RenamingGoesThroughTheShellAndTheRowFollowsTheFolder) {
    build();
    writeFile(folder + L"hex.grb");
    writeFile(folder + L"nut.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    // The stored path has no trailing separator; the Path cell puts one in.
    EXPECT_EQ(report().caption(row(L"hex.grb"), kColumnPath), L"M6\\hex.grb");

    // Refused names touch no file and leave the old text; the user hears why.
    for (const wchar_t* bad : {L"", L".", L"..", L"..\\x.grb", L"sub/x.grb", L"C:x.grb", L"a?.grb", L"CON", L"nul.grb",
                               L"COM1.grb", L"lpt9", L" . "}) {
        const CString quoted = CString(L"\"") + bad + L"\"";
        session.user().expectBox(L"Cannot rename \"hex.grb\" to " + std::wstring(quoted.view()) + L": *", platform::harness::Button::Ok);
        rename(L"hex.grb", bad);
        EXPECT_EQ(report().caption(row(L"hex.grb"), kColumnName), L"hex.grb") << platform::core::toUtf8(bad);
    }
    // The same name, also with the trailing dots and blanks Windows drops, is no rename at all.
    rename(L"hex.grb", L"hex.grb");
    rename(L"hex.grb", L"hex.grb. .");
    EXPECT_EQ(callCount(L"SHFileOperationW"), 0);
    EXPECT_TRUE(platform::files::exists(folder + L"hex.grb"));

    // A name taken by another file is refused by the shell, which says so.
    session.user().expectBox(L"Cannot rename hex.grb: There is already a file with the same name*", platform::harness::Button::Ok);
    rename(L"hex.grb", L"nut.grb");
    EXPECT_EQ(report().caption(row(L"hex.grb"), kColumnName), L"hex.grb");
    // A name "COM10" or "console" is no device.
    rename(L"nut.grb", L"COM10.grb");
    idle();
    rename(L"COM10.grb", L"console.grb.");
    idle();
    EXPECT_TRUE(platform::files::exists(folder + L"console.grb"));
    ASSERT_NE(document(L"console.grb"), nullptr) << "the row takes the name the file got";
    rename(L"console.grb", L"nut.grb");
    idle();

    rename(L"hex.grb", L"_hex M6.grb");
    EXPECT_TRUE(platform::files::exists(folder + L"_hex M6.grb"));
    EXPECT_FALSE(platform::files::exists(folder + L"hex.grb"));
    idle();
    DocumentRecord* renamed = document(L"_hex M6.grb");
    ASSERT_NE(renamed, nullptr);
    EXPECT_EQ(renamed->GetDocumentName(), L"_hex M6.grb");
    EXPECT_EQ(renamed->GetItem(kColumnName)->GetSortPriority(), -1) << "\"_\" names sort first";
    EXPECT_EQ(report().caption(row(L"_hex M6.grb"), kColumnPath), L"M6\\_hex M6.grb");

    // Another extension: the row goes once the folder says so.
    rename(L"nut.grb", L"nut.txt");
    idle();
    EXPECT_EQ(rows(), L"- Standard\n  - M6\n      _hex M6.grb\n");
}

TEST_F(DocumentRecordsTest, HandlersOfOneFolderShareOneWatch) {
    build();
    ILibrary* copy = model.addLibrary(standard, L"M6 again", L"M6");
    writeFile(folder + L"a.grb");
    open();
    expand(L"Standard");
    expand(L"M6");
    expand(L"M6 again");
    EXPECT_EQ(callCount(L"CDirectoryChangeWatcher::WatchDirectory"), 1);

    // The second row hears the folder alone once the first one is gone.
    model.removeLibrary(m6);
    writeFile(folder + L"b.grb");
    session.kernel().folderChanged(1, folder + L"b.grb");
    idle();
    EXPECT_EQ(rows(), L"- Standard\n  - M6 again\n      a.grb\n      b.grb\n");
    model.removeLibrary(copy);
    // Nobody listens: the folder is not watched any more, and changes reach no row.
    session.kernel().folderChanged(2, folder + L"a.grb");
    idle();
    EXPECT_EQ(rows(), L"  Standard\n");
}

}  // namespace
}  // namespace documentsmenutest
