// What the user hid and expanded comes back with the window's layout, and a search over an
// expanded tree leaves the tree, and what is saved of it, as the user left it.
#include "tests/documentsmenu/window_test_support.h"

#include "documentsmenu/records/record_icons.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

// Below Standard also the group Washers with the library Flat; M6 holds a second document.
class ViewStateAndSearchTest : public DocumentsMenuWindowTest {
protected:
    ILibrariesGroup* washers = model.addGroup(standard, L"Washers");
    ILibrary* flat = model.addLibrary(washers, L"Flat", L"Washers\\Flat");

    ViewStateAndSearchTest() {
        writeFile(kLibraries + L"Bolts\\M6\\stud.grb");
        writeFile(kLibraries + L"Washers\\Flat\\hex washer.grb");
    }

    void clearSearch() { session.user().click(window->GetSafeHwnd(), kFindId); }
    // The program ends with the window's layout saved and starts again with it.
    void restart(const CString& xml) {
        window.reset();
        open();
        load(xml);
    }
    static bool mentions(const CString& xml, ILibrary* library) {
        return xml.Find(Korvo::UniqueIdentifier(library->GetId()).ToString()) != -1;
    }
};

TEST_F(ViewStateAndSearchTest, HiddenAndExpandedRowsComeBackWithTheLayout) {
    open();
    expand(L"Standard");
    expand(L"Bolts");
    expand(L"M6");
    expand(L"Washers");
    // Hidden by the user's clicks on the Visible cells: a group, a library and a document.
    view().click(view().find(L"Washers"), kColumnVisible);
    view().click(view().find(L"Nuts"), kColumnVisible);
    view().click(view().find(L"stud.grb"), kColumnVisible);
    const std::wstring before = rows();
    EXPECT_EQ(before, L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n");

    restart(saved());
    EXPECT_EQ(rows(), before);
    EXPECT_TRUE(window->IsHidden(washers));
    EXPECT_TRUE(window->IsHidden(nuts));
    EXPECT_TRUE(window->IsHidden(m6, L"stud.grb"));

    // Shown with hidden rows, the hidden ones come back where they were, expanded as they were.
    view().clickHeader(kColumnVisible);
    EXPECT_EQ(rows(),
              L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        stud.grb\n  + Nuts\n  - Washers\n    + Flat\n");
    EXPECT_EQ(view().icon(view().find(L"Washers"), kColumnVisible), kIconHidden);
    // Un-hiding one of them is saved as well.
    view().click(view().find(L"Nuts"), kColumnVisible);
    restart(saved());
    EXPECT_FALSE(window->IsHidden(nuts));
    EXPECT_TRUE(window->IsHidden(washers));
}

TEST_F(ViewStateAndSearchTest, WhatASearchOpensIsTheUsersExpansionAfterwardsAndIsSaved) {
    open();
    expand(L"Standard");
    expand(L"Bolts");
    expand(L"M6");
    window->SetHidden(nuts, L"hex nut.grb", true);
    ASSERT_EQ(rows(), L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        stud.grb\n  + Nuts\n  + Washers\n");

    // Down to every match, past collapsed rows, leaving out the hidden document.
    search(L"HEX");
    EXPECT_EQ(rows(),
              L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n  - Washers\n    - Flat\n        hex washer.grb\n");

    // Cleared, the rows the search opened stay open, and are saved so.
    clearSearch();
    const std::wstring after =
        L"- Standard\n  - Bolts\n    - M6\n        hex bolt.grb\n        stud.grb\n  + Nuts\n  - Washers\n    - Flat\n"
        L"        hex washer.grb\n";
    EXPECT_EQ(rows(), after);
    const CString xml = saved();
    EXPECT_TRUE(mentions(xml, m6));
    EXPECT_TRUE(mentions(xml, flat)) << xml.GetString();
    restart(xml);
    EXPECT_EQ(rows(), after);
}

}  // namespace
}  // namespace documentsmenutest
