// A search's answers, a bounded number of documents at a time: each library is answered once, by
// its first match or its end; hidden documents do not match while hidden rows are not shown; a
// library the model drops between steps matches nothing; and a fill reads the answers instead of
// the folders.
#include "tests/documentsmenu/structure_test_support.h"

#include <climits>
#include <filesystem>
#include <fstream>

#include "documentsmenu/group_rows.h"
#include "documentsmenu/library_search.h"
#include "documentsmenu/window/libraries_list.h"
#include "platform/textcore.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class LibrarySearchTest : public StructureTest {
protected:
    // A library of `count` documents "part N.grb", then the extra ones.
    ILibrary* library(const std::wstring& name, int count, std::initializer_list<const char*> extra = {}) {
        ILibrary* made = model.addLibrary(standard, name, name);
        const std::string host = session.files().hostPath(kLibraries + name);
        std::filesystem::create_directories(host);
        for (int i = 0; i < count; ++i) std::ofstream(host + "/part " + std::to_string(i) + ".grb") << "d";
        for (const char* file : extra) std::ofstream(host + "/" + file) << "d";
        return made;
    }
    static CString folded(const wchar_t* text) { return Korvo::GetSearchableEquivalent(CString(text)); }
};

TEST_F(LibrarySearchTest, EachLibraryIsAnsweredOnceInStepsOfBoundedWork) {
    ILibrary* late = library(L"Late", 300, {"special.grb"});
    ILibrary* none = library(L"None", 300);
    ILibrary* early = library(L"Early", 0, {"a special one.grb"});
    SearchAnswers answers(folded(L"Special"), &window);
    int steps = 0;
    while (!answers.Advance(100)) ++steps;
    EXPECT_GE(steps, 3) << "the library without a match alone is 300 documents, 100 a step";
    EXPECT_EQ(answers.Answer(late), std::optional<bool>(true));
    EXPECT_EQ(answers.Answer(none), std::optional<bool>(false));
    EXPECT_EQ(answers.Answer(early), std::optional<bool>(true));
    EXPECT_EQ(answers.Answer(nullptr), std::nullopt);

    // The answers stand for the folders as they were: the synchronous search reads them again.
    std::ofstream(session.files().hostPath(kLibraries + L"None") + "/special too.grb") << "d";
    EXPECT_TRUE(LibraryMatchesSearch(none, folded(L"Special"), &window));
    EXPECT_FALSE(LibraryMatchesSearch(none, folded(L"Special"), &window, &answers));
    EXPECT_TRUE(LibraryMatchesSearch(none, folded(L"too"), &window, &answers)) << "another filter is not answered";
}

TEST_F(LibrarySearchTest, HiddenDocumentsAndDroppedLibrariesMatchNothing) {
    ILibrary* hidden = library(L"Hidden", 0, {"special.grb"});
    open();
    window.SetHidden(hidden, CString(L"special.grb"), true);
    int work = INT_MAX;
    EXPECT_EQ(LibrarySearch(hidden, folded(L"special"), &window).Advance(work), std::optional<bool>(false));
    window.SetShowHidden(true);
    work = INT_MAX;
    EXPECT_EQ(LibrarySearch(hidden, folded(L"special"), &window).Advance(work), std::optional<bool>(true));

    ILibrary* dropped = library(L"Dropped", 50, {"special.grb"});
    LibrarySearch search(dropped, folded(L"special"), &window);
    work = 10;
    EXPECT_EQ(search.Advance(work), std::nullopt);
    EXPECT_EQ(work, 0);
    model.removeLibrary(dropped);
    work = INT_MAX;
    EXPECT_EQ(search.Advance(work), std::optional<bool>(false));
}

TEST_F(LibrarySearchTest, ATreeSearchListsWhatItsAnswersFoundAfterTheLastStep) {
    library(L"Bolts", 3000, {"special bolt.grb"});
    library(L"Nuts", 10);
    open();
    tree->Fill(folded(L"special"));
    EXPECT_EQ(rows(), L"") << "nothing shows before the answers are in";
    EXPECT_EQ(tree->GetSearchAnswers() != nullptr, true);
    tree->EnsurePopulated();
    idle();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n      special bolt.grb\n");
    EXPECT_EQ(tree->GetSearchAnswers(), nullptr) << "the answers go with the fill";
}

TEST_F(LibrarySearchTest, TheListAndTheTreeSearchTheFoldersOnceBetweenThem) {
    library(L"Bolts", 3000, {"special bolt.grb"});
    library(L"Nuts", 10);
    open();
    auto list = std::make_unique<LibrariesList>(&window);
    ASSERT_TRUE(list->Create(nullptr, 0));
    tree->ShareSearchWith(*list);
    list->Fill(folded(L"special"));
    tree->Fill(folded(L"special"));
    ASSERT_NE(tree->GetSearchAnswers(), nullptr);
    EXPECT_EQ(tree->GetSearchAnswers(), list->GetSearchAnswers()) << "one search under way, not two";
    idle();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n      special bolt.grb\n");
    EXPECT_EQ(session.user().report(list->GetSafeHwnd()).outline(), L"- Bolts\n    special bolt.grb\n");

    // Another text starts a search of its own; a view left alone searches alone.
    list->Fill(folded(L"bolt"));
    tree->Fill(folded(L"nuts"));
    EXPECT_NE(tree->GetSearchAnswers(), list->GetSearchAnswers());
    list.reset();
    tree->Fill(folded(L"special"));
    idle();
    EXPECT_EQ(rows(), L"- Standard\n  - Bolts\n      special bolt.grb\n");
}

}  // namespace
}  // namespace documentsmenutest
