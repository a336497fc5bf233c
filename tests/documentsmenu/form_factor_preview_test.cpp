// The form factors of a library document in the browser pane: shown in place of its picture,
// again after the view was hidden (a document of a library's sub-folder too), pending after a
// drag until the next insert or open takes them (only for their own document), the document of the
// library's new folder once its folder changes, and the report's layout kept across panes.
#include <gtest/gtest.h>

#include "documentsmenu/window/form_factor_preview_wnd.h"
#include "documentsmenu/window/preview_form_factor_apply_manager.h"
#include "documentsmenu/window/preview_wnd.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;

class FormFactorPreviewTest : public DocumentsMenuWindowTest {
protected:
    const std::wstring washer = kLibraries + L"Nuts\\sub\\washer.grb";
    std::unique_ptr<PreviewWnd> pane = std::make_unique<PreviewWnd>(1);
    PreviewFormFactorApplyManager& manager = PreviewFormFactorApplyManager::Instance();

    FormFactorPreviewTest() {
        platform::files::createDirectories(kLibraries + L"Nuts\\sub");
        writeFile(washer);
        platform::files::writeAllAtomic(washer + L".kff", "[Small]\nD = 6\nName = \"W6\"\n[Large]\nD = 10.5\nName = \"W10\"\n");
        EXPECT_TRUE(pane->Create(nullptr, WS_VISIBLE, 0));
        manager.Reset();
    }
    ~FormFactorPreviewTest() override {
        pane.reset();
        manager.Reset();
    }

    FormFactorPreviewControlSite& site() { return pane->GetFormFactorPreview()->GetSite(); }
    Korvo::UI::FormFactorReportControl& report() { return *site().GetReportControl(); }
    // The user drags the row out and lets go where nothing takes it.
    void drag(int row) {
        session.user().expectDragCancel();
        ASSERT_TRUE(report().DragRow(report().GetRows()->GetAt(row)));
    }
    static std::wstring variables(const CFragmentPath& fragment) {
        std::wstring text;
        for (const CFragmentVariable& variable : fragment.GetVariables())
            text += std::wstring(variable.GetName().GetString()) + L"=" +
                    (variable.IsNumber() ? std::to_wstring(variable.GetNumber()) : L"'" + std::wstring(variable.GetText().GetString()) + L"'") + L" ";
        return text;
    }
};

TEST_F(FormFactorPreviewTest, ADocumentWithFormFactorsShowsThemAndKeepsItsSubFolderWhenShownAgain) {
    ASSERT_TRUE(pane->ShowDocument(nuts, L"sub\\washer.grb", true));
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeFormFactor);
    ASSERT_NE(pane->GetFormFactorPreview(), nullptr);
    EXPECT_TRUE(pane->GetFormFactorPreview()->IsWindowVisible());
    EXPECT_EQ(pane->GetCurrentPath(), CString(washer.c_str()));
    EXPECT_EQ(site().GetDocumentPath(), CString(washer.c_str()));
    ASSERT_EQ(report().GetRows()->GetCount(), 2);
    EXPECT_EQ(report().GetRows()->GetAt(1)->GetRecord()->GetItem(1)->GetCaption(), CString(L"D=10.5; Name=\"W10\""));
    // Hidden and shown again, the view reads the same document, not one of that file name in
    // the library's own folder.
    writeFile(kLibraries + L"Nuts\\washer.grb");
    pane->GetFormFactorPreview()->ShowWindow(SW_HIDE);
    pane->GetFormFactorPreview()->ShowWindow(SW_SHOW);
    EXPECT_EQ(site().GetDocumentPath(), CString(washer.c_str()));
    EXPECT_EQ(report().GetRows()->GetCount(), 2);
    // A search leaves the matching rows; Level up goes to the library.
    report().SetSearchText(L" larg ");
    EXPECT_EQ(report().GetRows()->GetCount(), 1);
    pane->GoLevelUp();
    EXPECT_EQ(pane->GetCurrentLibrary(), nuts);
    // A document without form factors shows its picture.
    ASSERT_TRUE(pane->ShowDocument(nuts, L"hex nut.grb", true));
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeFilePreview);
    EXPECT_FALSE(pane->GetFormFactorPreview()->IsWindowVisible());
}

TEST_F(FormFactorPreviewTest, ALibraryWhoseFolderChangesShowsTheDocumentOfItsNewFolderOrItself) {
    const auto settle = [] {
        MSG message{};
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    };
    const std::wstring moved = kLibraries + L"Moved\\sub\\washer.grb";
    platform::files::createDirectories(kLibraries + L"Moved\\sub");
    writeFile(moved);
    platform::files::writeAllAtomic(moved + L".kff", "[Small]\nD = 6\n");
    ASSERT_TRUE(pane->ShowDocument(nuts, L"sub\\washer.grb", true));
    // The folder changes as the Path cell changes it: what is shown, and what an insert links,
    // is the file of the new folder.
    ASSERT_TRUE(nuts->SetPath(L"Moved"));
    settle();
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeFormFactor);
    EXPECT_EQ(pane->GetCurrentPath(), CString(moved.c_str()));
    EXPECT_EQ(site().GetDocumentPath(), CString(moved.c_str()));
    EXPECT_EQ(report().GetRows()->GetCount(), 1);
    EXPECT_EQ(pane->GetHistory()->GetCount(), 1u) << "no step of the user's";
    // A folder without the document: the pane shows the library.
    platform::files::createDirectories(kLibraries + L"Empty");
    ASSERT_TRUE(nuts->SetPath(L"Empty"));
    settle();
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeLibrary);
    EXPECT_EQ(pane->GetCurrentLibrary(), nuts);
    // The picture of a document follows the same way.
    ASSERT_TRUE(nuts->SetPath(L"Nuts"));
    ASSERT_TRUE(pane->ShowDocument(nuts, L"hex nut.grb", true));
    writeFile(kLibraries + L"Moved\\hex nut.grb");
    ASSERT_TRUE(nuts->SetPath(L"Moved"));
    settle();
    EXPECT_EQ(pane->GetMode(), PreviewWnd::kModeFilePreview);
    EXPECT_EQ(pane->GetFilePreview()->GetPath(), CString((kLibraries + L"Moved\\hex nut.grb").c_str()));
}

TEST_F(FormFactorPreviewTest, ADraggedFormFactorGoesOnlyToItsOwnDocumentAndIsForgottenEitherWay) {
    ASSERT_TRUE(pane->ShowDocument(nuts, L"sub\\washer.grb", true));
    drag(1);
    ASSERT_TRUE(manager.HasPending());
    EXPECT_EQ(manager.GetPending()->GetCurrentFormFactor(), CString(L"Large"));
    EXPECT_EQ(report().GetSelectedFormFactor(), CString(L"Large"));

    // Another spelling of the path is another document: nothing applied, nothing left pending.
    CString upper = washer.c_str();
    upper.MakeUpper();
    CFragmentPath other;
    other.SetPath(upper);
    manager.Apply(other);
    EXPECT_EQ(other.GetVariables().GetCount(), 0);
    EXPECT_FALSE(manager.HasPending());

    drag(1);
    CFragmentPath fragment;
    fragment.SetPath(washer.c_str());
    manager.Apply(fragment);
    EXPECT_EQ(variables(fragment), L"D=10.500000 Name='W10' ");
    EXPECT_FALSE(manager.HasPending());
    CFragmentPath later;
    later.SetPath(washer.c_str());
    manager.Apply(later);
    EXPECT_EQ(later.GetVariables().GetCount(), 0) << "a taken form factor is not applied twice";

    // An open that gave no document forgets it too.
    drag(0);
    manager.ApplyToOpenedDocument(nullptr);
    EXPECT_FALSE(manager.HasPending());
    EXPECT_TRUE(session.takeFailures().empty());
}

TEST_F(FormFactorPreviewTest, InsertNeedsADrawingAndTheReportLayoutOutlivesThePane) {
    ASSERT_TRUE(pane->ShowDocument(nuts, L"sub\\washer.grb", true));
    report().SetSelectedFormFactor(L"Small");
    pane->SendMessage(WM_COMMAND, FormFactorPreviewControlSite::kInsertFocused, 0);
    EXPECT_FALSE(manager.HasPending()) << "without a drawing view the insert does nothing";
    EXPECT_EQ(report().GetViewMode(), 0);
    site().SendMessage(WM_COMMAND, Korvo::UI::FormFactorControlSiteBase::kChangeViewMode, 0);
    EXPECT_EQ(report().GetViewMode(), 1);
    pane.reset();
    EXPECT_EQ(Korvo::UI::FormFactorReportControl::State::Load(FormFactorPreviewControlSite::StateFile()).viewMode, 1);
    pane = std::make_unique<PreviewWnd>(0);
    ASSERT_TRUE(pane->Create(nullptr, WS_VISIBLE, 0));
    EXPECT_EQ(report().GetViewMode(), 1);
    // A state file with lines it cannot use keeps the defaults of those values.
    platform::files::writeAllAtomic(FormFactorPreviewControlSite::StateFile().GetString(), "view=7\nwidth=abc\n");
    const auto state = Korvo::UI::FormFactorReportControl::State::Load(FormFactorPreviewControlSite::StateFile());
    EXPECT_EQ(state.viewMode, 0);
    EXPECT_EQ(state.nameWidth, Korvo::UI::FormFactorReportControl::State().nameWidth);
}

}  // namespace
}  // namespace documentsmenutest
