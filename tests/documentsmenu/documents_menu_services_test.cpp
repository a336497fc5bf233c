// Every service of the documents menu the rest of the program calls, by the name it calls it.
#include <gtest/gtest.h>

#include "documentsmenu/clipart_opener.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/drag_formats.h"
#include "documentsmenu/library_drag_drop.h"
#include "services/documents_menu.h"
#include "documentsmenu/window/choose_lib_dlg.h"
#include "documentsmenu/window/preview_form_factor_apply_manager.h"
#include "documentsmenu/window/preview_wnd.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class DocumentsMenuServicesTest : public DocumentsMenuWindowTest {};

TEST_F(DocumentsMenuServicesTest, EachServiceAnswersUnderItsName) {
    // The chooser: cancelled, it chooses nothing.
    session.user().expectDialog(CChooseLibDlg::kTemplate, {platform::core::DialogAction{}});
    CChooseLibDlg chooser;
    EXPECT_EQ(chooser.DoModal(), IDCANCEL);
    EXPECT_EQ(chooser.GetLibrary(), nullptr);

    // The window, made as the application's pane creator makes it, switched to its list.
    open();
    EXPECT_TRUE(window->ShowLibrariesList(true));
    EXPECT_TRUE(window->IsListMode());
    EXPECT_TRUE(window->ShowLibrariesList(false));

    // The main window's drag and drop: libraries move, files are not its own.
    LibraryDragDrop& dragDrop = LibraryDragDrop::Instance();
    EXPECT_EQ(&dragDrop, &LibraryDragDrop::Instance());
    COleDataObject library;
    library.Attach(platform::mfc::makeDataObject({{LibraryFormat(), MakeIdentifierList({nuts->GetId()})}}));
    EXPECT_EQ(dragDrop.OnDragOverWindow(&library, 0, POINT{}, window.get()), DROPEFFECT_MOVE);
    COleDataObject files;
    files.Attach(platform::mfc::makeDataObject({{CF_HDROP, MakeDropFiles({L"C:\\a.grb"})}}));
    EXPECT_EQ(dragDrop.OnDragOverWindow(&files, 0, POINT{}, window.get()), DROPEFFECT_NONE);
    EXPECT_TRUE(dragDrop.OnDropOnWindow(&files, DROPEFFECT_COPY, POINT{}, window.get()));
    // Dropped there, each library and each group opens in a pane of its own at the drop point.
    std::vector<CString> opened;
    const ClipartOpener installed = GetClipartOpener();
    SetClipartOpener({[&](ILibrary* shown, const POINT*) { return opened.push_back(shown->GetName()), true; },
                      [&](ILibrariesGroup* shown, const POINT*) { return opened.push_back(shown->GetName()), true; },
                      {}, {}});
    COleDataObject both;
    both.Attach(platform::mfc::makeDataObject({{LibraryFormat(), MakeIdentifierList({nuts->GetId(), m6->GetId()})},
                                               {LibrariesGroupFormat(), MakeIdentifierList({bolts->GetId()})}}));
    EXPECT_EQ(dragDrop.OnDragOverWindow(&both, 0, POINT{}, window.get()), DROPEFFECT_MOVE);
    EXPECT_TRUE(dragDrop.OnDropOnWindow(&both, DROPEFFECT_COPY, POINT{}, window.get()));
    EXPECT_EQ(opened, (std::vector<CString>{L"Nuts", L"M6", L"Bolts"}));
    SetClipartOpener(installed);

    // The form-factor hand-over: nothing pending applies nothing.
    PreviewFormFactorApplyManager& manager = PreviewFormFactorApplyManager::Instance();
    EXPECT_EQ(&manager, &PreviewFormFactorApplyManager::Instance());
    CFragmentPath fragment;
    fragment.SetPath(L"C:\\a.grb");
    manager.Apply(fragment);
    manager.ApplyToOpenedDocument(nullptr);
    manager.Reset();
    EXPECT_EQ(fragment.GetVariables().GetCount(), 0);

    // The browser pane with a history, as a clipart pane makes it.
    PreviewWnd pane(1);
    ASSERT_TRUE(pane.Create(nullptr, WS_VISIBLE, 0));
    ASSERT_NE(pane.GetHistory(), nullptr);
    pane.SetIconSize(16);
    EXPECT_EQ(pane.GetIconSize(), 16);
    pane.ShowConfiguration(standard, true);
    EXPECT_EQ(pane.GetCurrentConfiguration(), standard);
    pane.ShowLibrariesGroup(bolts, true);
    EXPECT_EQ(pane.GetCurrentLibrariesGroup(), bolts);
    EXPECT_EQ(pane.GetCurrentConfiguration(), nullptr);
    pane.ShowLibrary(nuts, true);
    EXPECT_EQ(pane.GetCurrentLibrary(), nuts);
    const CString folder = CString(kLibraries.c_str()) + L"Nuts\\";
    pane.ShowFolder(folder, true);
    EXPECT_EQ(pane.GetCurrentFolder(), folder.Left(folder.GetLength() - 1));
    EXPECT_EQ(pane.GetCurrentLibrary(), nullptr);
    EXPECT_FALSE(pane.GetCurrentPath().IsEmpty());
    if (HICON icon = pane.GetCurrentIcon()) DestroyIcon(icon);
    pane.Hide();
    EXPECT_TRUE(pane.GetCurrentPath().IsEmpty());
    EXPECT_EQ(pane.GetCurrentIcon(), nullptr);

    EXPECT_EQ(TranslateString(L"RibbonPropertyPage.Search"), Korvo::I18n::Translate(L"RibbonPropertyPage.Search"));
    EXPECT_TRUE(session.takeFailures().empty());
}

}  // namespace
}  // namespace documentsmenutest
