// The browser pane's icon lists over the stand-in kernel's model and real folders of the host:
// the order of icons, what a fill leaves out, locations shown again, renames through the shell,
// and folder changes made by any program, also while a list goes away.
#include <gtest/gtest.h>

#include "documentsmenu/browser/folder_browser.h"
#include "documentsmenu/browser/group_browsers.h"
#include "documentsmenu/browser/library_browser.h"
#include "documentsmenu/browser/list_item.h"
#include "documentsmenu/window/file_preview.h"
#include "documentsmenu/window/preview_wnd.h"
#include "platform/core/control.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class BrowserListsTest : public DocumentsMenuWindowTest {
protected:
    const std::wstring folder = kLibraries + L"Loose\\";

    BrowserListsTest() {
        open();
        CreateDirectoryW(folder.c_str(), nullptr);
    }
    PreviewWnd& pane() { return *window->GetPreviewWnd(); }
    // What the shown list holds, in its order: one "text kind" per row.
    std::wstring icons() {
        Browser* browser = pane().GetShownBrowser();
        if (!browser) return L"(nothing)";
        std::wstring text;
        for (int row = 0; row < browser->GetItemCount(); ++row) {
            const ListItem* item = browser->ItemAtRow(row);
            text += std::wstring(browser->GetItemText(row, 0).view()) + L" " + (item ? item->GetKind() : L"?") + L"\n";
        }
        return text;
    }
    // Lets the watcher's thread post what the host told it, then delivers it.
    void settle() {
        platform::core::control::quiesce();
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    void makeFolder(const std::wstring& path, DWORD attributes = 0) {
        ASSERT_TRUE(CreateDirectoryW(path.c_str(), nullptr));
        if (attributes) {
            ASSERT_TRUE(SetFileAttributesW(path.c_str(), attributes));
        }
    }
};

TEST_F(BrowserListsTest, AFolderListsSubfoldersThenUnderscoreDocumentsThenTheRestInTheUsersOrder) {
    writeFile(folder + L"b.grb");
    writeFile(folder + L"C.grb");
    writeFile(folder + L"_a.grb");
    writeFile(folder + L"a.grb");
    writeFile(folder + L"notes.grbx");  // a longer extension the pattern would take
    writeFile(folder + L"secret.grb");
    ASSERT_TRUE(SetFileAttributesW((folder + L"secret.grb").c_str(), FILE_ATTRIBUTE_HIDDEN));
    makeFolder(folder + L"Zeta");
    makeFolder(folder + L"alpha");
    makeFolder(folder + L"hidden", FILE_ATTRIBUTE_HIDDEN);

    pane().ShowFolder(folder.c_str(), true);
    EXPECT_EQ(icons(), L"alpha folder\nZeta folder\n_a.grb document\na.grb document\nb.grb document\nC.grb document\n");
    EXPECT_EQ(pane().GetCurrentFolder(), CString(folder.substr(0, folder.size() - 1).c_str()));

    // The same folder in another spelling keeps the list and sorts it again.
    FolderBrowser& browser = *pane().GetFolderBrowser();
    const UINT firstId = browser.ItemAtRow(0)->GetId();
    EXPECT_FALSE(browser.SetFolder(CString(folder.c_str()).MakeUpper()));
    EXPECT_EQ(browser.ItemAtRow(0)->GetId(), firstId);
    // A subfolder's icon opens it; an empty location shows nothing.
    pane().ShowFolder((folder + L"alpha\\").c_str(), true);
    EXPECT_EQ(icons(), L"");
    EXPECT_EQ(pane().GetShownBrowser(), &browser);
    pane().Hide();
    EXPECT_EQ(icons(), L"(nothing)");
    EXPECT_EQ(browser.GetItemCount(), 0);
    EXPECT_FALSE(browser.IsWatching());
}

TEST_F(BrowserListsTest, ChangesOnDiskByAnyProgramReachTheFolderListOnceEach) {
    writeFile(folder + L"a.grb");
    pane().ShowFolder(folder.c_str(), true);
    ASSERT_EQ(icons(), L"a.grb document\n");

    writeFile(folder + L"_new.grb");
    makeFolder(folder + L"Sub");
    writeFile(folder + L"readme.txt");
    settle();
    EXPECT_EQ(icons(), L"Sub folder\n_new.grb document\na.grb document\n");

    // A notification about what a fill already found adds nothing.
    session.kernel().folderChanged(1, folder + L"A.GRB");
    settle();
    EXPECT_EQ(icons(), L"Sub folder\n_new.grb document\na.grb document\n");

    ASSERT_TRUE(MoveFileW((folder + L"Sub").c_str(), (folder + L"Other").c_str()));
    ASSERT_TRUE(MoveFileW((folder + L"a.grb").c_str(), (folder + L"z.grb").c_str()));
    ASSERT_TRUE(MoveFileW((folder + L"_new.grb").c_str(), (folder + L"_new.txt").c_str()));
    settle();
    EXPECT_EQ(icons(), L"Other folder\nz.grb document\n");
    EXPECT_EQ(pane().GetFolderBrowser()->ItemAtRow(0)->GetFilePath(), CString((folder + L"Other\\").c_str()));

    ASSERT_TRUE(RemoveDirectoryW((folder + L"Other").c_str()));
    ASSERT_TRUE(DeleteFileW((folder + L"z.grb").c_str()));
    settle();
    EXPECT_EQ(icons(), L"");
}

TEST_F(BrowserListsTest, ALibraryFollowsItsFolderAndCarriesExclusionsAlongRenames) {
    const std::wstring nutsFolder = kLibraries + L"Nuts\\";
    writeFile(nutsFolder + L"_washer.grb");
    writeFile(nutsFolder + L"left out.grb");
    nuts->SetDocumentExcluded(L"left out.grb", true);
    pane().SetClient(window.get());
    pane().ShowLibrary(nuts, true);
    EXPECT_EQ(icons(), L"_washer.grb document\nhex nut.grb document\n");
    EXPECT_FALSE(pane().GetLibraryBrowser()->SetLibrary(nuts));

    // Renamed within the extension: one icon with the new path; the exclusion follows the file.
    nuts->SetDocumentExcluded(L"hex nut.grb", true);
    window->SetShowExcluded(true);
    EXPECT_EQ(icons(), L"_washer.grb document\nhex nut.grb document\nleft out.grb document\n");
    ASSERT_TRUE(MoveFileW((nutsFolder + L"hex nut.grb").c_str(), (nutsFolder + L"square nut.grb").c_str()));
    settle();
    EXPECT_EQ(icons(), L"_washer.grb document\nleft out.grb document\nsquare nut.grb document\n");
    EXPECT_FALSE(nuts->IsDocumentExcluded(L"hex nut.grb"));
    EXPECT_TRUE(nuts->IsDocumentExcluded(L"square nut.grb"));
    // To another extension: the icon goes and so does the exclusion.
    ASSERT_TRUE(MoveFileW((nutsFolder + L"square nut.grb").c_str(), (nutsFolder + L"square nut.txt").c_str()));
    settle();
    EXPECT_EQ(icons(), L"_washer.grb document\nleft out.grb document\n");
    EXPECT_FALSE(nuts->IsDocumentExcluded(L"square nut.grb"));
    // A file deleted while not listed still loses its exclusion.
    window->SetShowExcluded(false);
    ASSERT_TRUE(DeleteFileW((nutsFolder + L"left out.grb").c_str()));
    settle();
    EXPECT_FALSE(nuts->IsDocumentExcluded(L"left out.grb"));
    EXPECT_EQ(icons(), L"_washer.grb document\n");
}

TEST_F(BrowserListsTest, ConfigurationsAndGroupsFollowTheModelAndTheWindowsHiddenState) {
    pane().SetClient(window.get());
    pane().ShowConfiguration(standard, true);
    EXPECT_EQ(icons(), L"Bolts group\nNuts library\n");
    // The library's folder gives the group its icon; a library whose name another has shows 11.
    GroupListBrowser& browser = *pane().GetConfigurationBrowser();
    const int groupIcon = browser.ItemAtRow(0)->GetIconIndex();
    EXPECT_EQ(browser.GetImageList()->GetImageName(groupIcon), CString((kLibraries + L"Bolts\\M6\\").c_str()));
    ILibrary* gone = model.addLibrary(standard, L"Gone", L"Nowhere");
    EXPECT_EQ(icons(), L"Bolts group\nNuts library\nGone library\n") << "appended, unsorted";
    ASSERT_TRUE(RemoveDirectoryW((kLibraries + L"Nowhere").c_str()));
    EXPECT_EQ(browser.ItemAtRow(2)->GetIconIndex(), 8) << "a library whose folder is missing";

    // Hiding a library takes its icon away at once; showing hidden objects fills again.
    window->SetHidden(nuts, true);
    EXPECT_EQ(icons(), L"Bolts group\nGone library\n");
    window->SetShowHidden(true);
    EXPECT_EQ(icons(), L"Bolts group\nGone library\nNuts library\n");

    // A rename typed at the icon renames the model object, whose notification renames the row.
    browser.ItemAtRow(1)->Rename(L"Away");
    EXPECT_EQ(icons(), L"Bolts group\nAway library\nNuts library\n");
    model.removeLibrary(gone);
    EXPECT_EQ(icons(), L"Bolts group\nNuts library\n");

    // Opening the group's icon shows the group.
    ILibrary* twin = model.addLibrary(bolts, L"Nuts", L"Nuts");
    browser.ItemAtRow(0)->Open();
    EXPECT_EQ(pane().GetCurrentLibrariesGroup(), bolts);
    EXPECT_EQ(icons(), L"M6 library\nNuts library\n");
    EXPECT_EQ(browser.GetItemCount(), 0) << "the hidden configuration browser let go";
    EXPECT_EQ(pane().GetShownBrowser()->ItemAtRow(1)->GetIconIndex(), 11) << "a name that finds another library";
    model.removeLibrary(twin);
    EXPECT_EQ(icons(), L"M6 library\n");
}

TEST_F(BrowserListsTest, ARemovedLocationIsLeftAtOnceAndHiddenAfterTheNotification) {
    pane().SetClient(window.get());
    pane().ShowLibrariesGroup(bolts, true);
    ASSERT_EQ(icons(), L"M6 library\n");
    bolts->Destroy();
    // The model is done notifying before the pane lets the list go.
    EXPECT_EQ(pane().GetShownBrowser(), pane().GetLibrariesGroupBrowser());
    EXPECT_EQ(pane().GetLibrariesGroupBrowser()->GetLibrariesGroup(), nullptr);
    settle();
    EXPECT_EQ(pane().GetShownBrowser(), nullptr);
}

// Closing a configuration destroys its libraries without removing them first: what showed one of
// them lets it go, and the pane follows once the model is done.
TEST_F(BrowserListsTest, ALibraryClosedWithItsConfigurationTakesItsIconsAndItsDocumentAlong) {
    pane().SetClient(window.get());
    pane().ShowLibrary(nuts, true);
    ASSERT_EQ(icons(), L"hex nut.grb document\n");
    const GUID nutsId = nuts->GetId();
    ASSERT_TRUE(standard->Save(false));

    // Read again from its file, the library keeps its id: the pane shows it again.
    ASSERT_TRUE(standard->Load(standard->GetPath()));
    EXPECT_EQ(pane().GetLibraryBrowser()->GetItemCount(), 0) << "the icons went with the old library";
    settle();
    nuts = FindLibrary(nutsId);
    ASSERT_NE(nuts, nullptr);
    EXPECT_EQ(pane().GetCurrentLibrary(), nuts);
    EXPECT_EQ(icons(), L"hex nut.grb document\n");
    EXPECT_EQ(dynamic_cast<DocumentItem*>(pane().GetShownBrowser()->ItemAtRow(0))->GetLibrary(), nuts);

    // Closed: the icons go at once, the location once the model is done.
    CloseAllConfigurations(GlobalCfgGroup());
    EXPECT_EQ(pane().GetLibraryBrowser()->GetItemCount(), 0);
    settle();
    EXPECT_EQ(pane().GetShownBrowser(), nullptr);
    EXPECT_EQ(pane().GetMode(), PreviewWnd::kModeNone);
}

// A group goes with its configuration as a library does: shown again when the configuration is
// only read again, let go when it closes, and Level up follows the group above it either way.
TEST_F(BrowserListsTest, AGroupClosedWithItsConfigurationTakesItsIconsAlong) {
    pane().ShowLibrariesGroup(bolts, true);
    ASSERT_EQ(icons(), L"M6 library\n");
    const GUID boltsId = bolts->GetId();
    ASSERT_TRUE(standard->Save(false));
    ASSERT_TRUE(standard->Load(standard->GetPath()));
    EXPECT_EQ(pane().GetLibrariesGroupBrowser()->GetItemCount(), 0) << "the icons went with the old group";
    settle();
    bolts = FindLibrariesGroup(boltsId);
    ASSERT_NE(bolts, nullptr);
    EXPECT_EQ(pane().GetCurrentLibrariesGroup(), bolts);
    EXPECT_EQ(icons(), L"M6 library\n");
    ASSERT_TRUE(pane().GetLevelUpButton()->GetEnabled());

    CloseAllConfigurations(GlobalCfgGroup());
    EXPECT_EQ(pane().GetLibrariesGroupBrowser()->GetItemCount(), 0);
    settle();
    EXPECT_EQ(pane().GetShownBrowser(), nullptr);
    EXPECT_FALSE(pane().GetLevelUpButton()->GetEnabled());
    EXPECT_TRUE(pane().GetLevelUpButton()->GetTooltip().IsEmpty());
}

TEST_F(BrowserListsTest, ADocumentShownWhenItsLibraryIsClosedIsNoLongerShownAndLevelUpLeadsNowhere) {
    pane().SetClient(window.get());
    ASSERT_TRUE(pane().ShowDocument(nuts, L"hex nut.grb", true));
    ASSERT_EQ(pane().GetMode(), PreviewWnd::kModeFilePreview);
    EXPECT_EQ(pane().GetFilePreview()->GetLibrary(), nuts);
    ASSERT_TRUE(standard->Save(false));
    const GUID nutsId = nuts->GetId();

    // Read again: the picture stays, and Level up leads to the library as it is now.
    ASSERT_TRUE(standard->Load(standard->GetPath()));
    settle();
    EXPECT_EQ(pane().GetMode(), PreviewWnd::kModeFilePreview);
    EXPECT_EQ(pane().GetFilePreview()->GetLibrary(), FindLibrary(nutsId));

    CloseAllConfigurations(GlobalCfgGroup());
    EXPECT_EQ(pane().GetFilePreview()->GetLibrary(), nullptr);
    pane().GoLevelUp();
    EXPECT_EQ(pane().GetMode(), PreviewWnd::kModeFilePreview) << "nothing above a document whose library is gone";
    settle();
    EXPECT_EQ(pane().GetMode(), PreviewWnd::kModeNone);
    EXPECT_FALSE(pane().GetFilePreview()->IsWindowVisible());
}

TEST_F(BrowserListsTest, ABrowserGoneWithAFolderChangeInFlightStaysClean) {
    writeFile(folder + L"a.grb");
    pane().ShowFolder(folder.c_str(), true);
    writeFile(folder + L"b.grb");
    platform::core::control::quiesce();  // the change waits in the queue
    window.reset();
    settle();
    SUCCEED();
}

TEST_F(BrowserListsTest, RenamingAFolderIconRenamesTheFolderItselfAndRefusesBadNames) {
    makeFolder(folder + L"Old");
    pane().ShowFolder(folder.c_str(), true);
    ListItem* item = pane().GetFolderBrowser()->ItemAtRow(0);
    ASSERT_EQ(item->GetFilePath(), CString((folder + L"Old\\").c_str()));
    session.user().expectBox(L"Cannot rename*", platform::harness::Button::Ok);
    item->Rename(L"a/b");
    EXPECT_TRUE(GetFileAttributesW((folder + L"Old").c_str()) != INVALID_FILE_ATTRIBUTES);
    item->Rename(L"New");
    EXPECT_EQ(GetFileAttributesW((folder + L"Old").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_NE(GetFileAttributesW((folder + L"New").c_str()), INVALID_FILE_ATTRIBUTES);
    settle();
    EXPECT_EQ(icons(), L"New folder\n");
}

TEST(UserLocaleOrder, LettersFirstThenLowerCaseBeforeUpper) {
    EXPECT_LT(lstrcmpW(L"b.grb", L"C.grb"), 0);
    EXPECT_LT(lstrcmpW(L"a", L"A"), 0);
    EXPECT_GT(lstrcmpW(L"B", L"a"), 0);
    EXPECT_EQ(lstrcmpW(L"same", L"same"), 0);
    EXPECT_LT(lstrcmpW(nullptr, L"x"), 0);
    EXPECT_LT(lstrcmpW(L"ab", L"abc"), 0);
}

}  // namespace
}  // namespace documentsmenutest
