// What the documents menu's panes do beyond showing: the form-factor search goes over the columns
// its box names, the settings event gives the form-factor bar the screen-tip option again, the
// browsers draw in the theme's text colours, and a document's properties are edited through the
// kernel and written into its file.
#include <gtest/gtest.h>

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/browser/library_browser.h"
#include "documentsmenu/window/console_form_factors.h"
#include "documentsmenu/window/form_factor_preview_wnd.h"
#include "documentsmenu/window/preview_wnd.h"
#include "platform/kernel/documents/compound_file.h"
#include "tests/documentsmenu/window_test_support.h"

namespace documentsmenutest {
namespace {

using namespace DocumentsMenu;
using Korvo::UI::FormFactorReportControl;

class DocumentsMenuLeftoversTest : public DocumentsMenuWindowTest {
protected:
    const std::wstring washer = kLibraries + L"Nuts\\washer.grb";
    std::unique_ptr<PreviewWnd> pane = std::make_unique<PreviewWnd>(1);

    DocumentsMenuLeftoversTest() {
        writeFile(washer);
        platform::files::writeAllAtomic(washer + L".kff", "[Small]\nD = 6\nName = \"W6\"\n[Large]\nD = 10.5\nName = \"W10\"\n");
        EXPECT_TRUE(pane->Create(nullptr, WS_VISIBLE, 0));
        // Room for the form factors' bar and its search box.
        pane->MoveWindow(0, 0, 400, 300);
    }
    FormFactorReportControl& report() { return *pane->GetFormFactorPreview()->GetSite().GetReportControl(); }
    BOOL screenTips() {
        return pane->GetFormFactorPreview()->GetSite().GetCommandBars()->GetCommandBarsOptions()->bToolBarScreenTips;
    }
};

TEST_F(DocumentsMenuLeftoversTest, TheSearchGoesOverTheBoxsColumnsAndTheSettingsEventReappliesScreenTips) {
    ASSERT_TRUE(pane->ShowDocument(nuts, L"washer.grb", true));
    auto* box = dynamic_cast<Korvo::UI::ReportControlSearchBox*>(FormFactorSearchBox(pane->GetSafeHwnd()));
    ASSERT_NE(box, nullptr);
    ASSERT_NE(box->GetFindButton(), nullptr);
    // The text in the box, then its find button.
    const auto search = [&](const wchar_t* text) {
        box->SetEditText(text);
        box->GetFindButton()->OnExecute();
    };
    // The box searches the names only: a value typed finds nothing, a name part its row.
    search(L"W10");
    EXPECT_EQ(report().GetRows()->GetCount(), 0);
    search(L"LARG");
    ASSERT_EQ(report().GetRows()->GetCount(), 1);
    EXPECT_EQ(report().GetRows()->GetAt(0)->GetRecord()->GetItem(0)->GetCaption(), CString(L"Large"));
    // The columns decide; none named searches them all.
    report().SetSearchText(L"w10", {FormFactorReportControl::kValuesColumn});
    EXPECT_EQ(report().GetRows()->GetCount(), 1);
    report().SetSearchText(L"w10", {});
    EXPECT_EQ(report().GetRows()->GetCount(), 1);
    report().SetSearchText(L"w10", {FormFactorReportControl::kNameColumn});
    EXPECT_EQ(report().GetRows()->GetCount(), 0);
    search(L"");
    EXPECT_EQ(report().GetRows()->GetCount(), 2);

    // Screen tips switched off reach the bar only with the settings event.
    const KVOptions kept = GetKVOptions();
    EXPECT_TRUE(screenTips());
    GetKVOptions().screenTipsSet = true;
    GetKVOptions().screenTips = false;
    ApplicationEventManager::Instance().Raise(Korvo::UI::kFormFactorSiteSettingsEvent + 1, ApplicationEventArgs());
    EXPECT_TRUE(screenTips());
    ApplicationEventManager::Instance().Raise(Korvo::UI::kFormFactorSiteSettingsEvent, ApplicationEventArgs());
    EXPECT_FALSE(screenTips());
    GetKVOptions() = kept;
    ApplicationEventManager::Instance().Raise(Korvo::UI::kFormFactorSiteSettingsEvent, ApplicationEventArgs());
    EXPECT_TRUE(screenTips()) << "an unset option shows the tips";
}

TEST_F(DocumentsMenuLeftoversTest, TheBrowsersDrawInTheThemesColoursAndThePaneIsAViewItsOwnerDeletes) {
    pane->ShowLibrary(nuts, true);
    Korvo::UI::Theme theme;
    theme.name = L"office2013light";
    theme.paintTheme = 12;
    pane->SetTheme(theme);
    const LibraryBrowser* list = pane->GetLibraryBrowser();
    EXPECT_NE(pane->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));
    EXPECT_EQ(list->GetTextColor(), pane->GetTextColor());
    EXPECT_EQ(list->GetBkColor(), pane->GetBackgroundColor());
    EXPECT_EQ(list->GetTextBkColor(), pane->GetBackgroundColor());
    // Another theme takes the window colours back.
    theme.paintTheme = 0;
    pane->SetTheme(theme);
    EXPECT_EQ(list->GetTextColor(), GetSysColor(COLOR_WINDOWTEXT));

    // A view without a document: its window can go first, the owner deletes it after.
    EXPECT_NE(dynamic_cast<CView*>(pane.get()), nullptr);
    pane->Hide();
    pane->DestroyWindow();
    pane.reset();
}

TEST_F(DocumentsMenuLeftoversTest, PropertiesAreWrittenIntoTheDocumentOnlyWhenChanged) {
    const std::wstring drawing = kLibraries + L"Nuts\\plate.grb";
    using namespace platform::kernel;
    ASSERT_EQ(platform::files::writeAllAtomic(drawing, encodeCompoundFile({{kHeaderStreamName, encodeDocumentHeader(kCurrentFormatVersion, 1)},
                                                                        {kSummaryStreamName, "author=Ann\n"},
                                                                        {kModelStreamName, "model"}})),
              0u);
    using Action = platform::core::DialogAction;
    const auto properties = [&](std::vector<Action> actions) {
        session.user().expectDialog(std::wstring(L"dialogs.document_properties"), std::move(actions));
        DocumentMenuItems::Properties item(CString(drawing.c_str()));
        item.Execute();
    };
    properties({Action{Action::Kind::Text, 1203, L"Plate\nsmall"}, Action{Action::Kind::Ok, 0, {}}});
    CKVPropertySet read = KorvoDocument2::ReadProperties(drawing.c_str());
    EXPECT_EQ(read.GetProperty(L"Author"), CString(L"Ann"));
    EXPECT_EQ(read.GetProperty(L"Title"), CString(L"Plate small")) << "a line break stays inside its line";
    std::string bytes;
    ASSERT_EQ(platform::files::readAll(drawing, bytes), 0u);
    EXPECT_EQ(decodeCompoundFile(bytes)->at(kModelStreamName), "model") << "the other streams stay";

    // Cancelled or unchanged: the file is not written.
    properties({Action{Action::Kind::Text, 1200, L"Bob"}, Action{Action::Kind::Cancel, 0, {}}});
    properties({Action{Action::Kind::Ok, 0, {}}});
    std::string after;
    ASSERT_EQ(platform::files::readAll(drawing, after), 0u);
    EXPECT_EQ(after, bytes);

    // A file that is no document is said so, and nothing is shown.
    session.user().expectBox(L"*is no document*", platform::harness::Button::Ok);
    DocumentMenuItems::Properties(CString((kLibraries + L"Nuts\\hex nut.grb").c_str())).Execute();
    // Two targets are no single document: nothing happens.
    DocumentMenuItems::Properties(std::vector<CString>{CString(drawing.c_str()), CString(washer.c_str())}).Execute();
    EXPECT_TRUE(session.takeFailures().empty());
}

}  // namespace
}  // namespace documentsmenutest
