// The documents-menu window over the stand-in kernel's model, for tests that act on it as its
// user would: Standard holds the group Bolts (library M6) and the library Nuts, each with one
// document.
#pragma once

#include <memory>
#include <string>

#include "documentsmenu/window/tool_bar_controls.h"
#include "tests/documentsmenu/structure_test_support.h"

namespace documentsmenutest {

class DocumentsMenuWindowTest : public platform::harness::SessionTest {
protected:
    platform::harness::Session session;
    platform::harness::DocumentsMenuModel& model = session.kernel().documentsMenu();
    DocumentsMenu::IConfiguration* standard = model.addConfiguration(kLibraries + L"Standard.tws", L"Standard");
    DocumentsMenu::ILibrariesGroup* bolts = model.addGroup(standard, L"Bolts");
    DocumentsMenu::ILibrary* m6 = model.addLibrary(bolts, L"M6", L"Bolts\\M6");
    DocumentsMenu::ILibrary* nuts = model.addLibrary(standard, L"Nuts", L"Nuts");
    std::unique_ptr<DocumentsMenu::DocumentsMenuDlg> window;

    DocumentsMenuWindowTest() {
        writeFile(kLibraries + L"Bolts\\M6\\hex bolt.grb");
        writeFile(kLibraries + L"Nuts\\hex nut.grb");
    }
    ~DocumentsMenuWindowTest() override {
        window.reset();
        DocumentsMenu::CloseAllConfigurations(DocumentsMenu::GlobalCfgGroup());
    }

    void open() {
        window = std::make_unique<DocumentsMenu::DocumentsMenuDlg>();
        ASSERT_TRUE(window->CreateEx(0, L"STATIC", L"", WS_VISIBLE, RECT{0, 0, 300, 600}, nullptr, 1004));
    }
    platform::harness::ReportDriver view() {
        return session.user().report(session.inspect().shownReportControl(window->GetSafeHwnd()));
    }
    std::wstring rows() { return view().outline(); }
    void expand(const std::wstring& caption) { view().expand(view().find(caption)); }
    void search(const std::wstring& text) {
        session.user().enterText(window->GetSafeHwnd(), DocumentsMenu::kSearchBoxId, text);
    }
    DocumentsMenu::ButtonFind* findButton() {
        CXTPControls* controls = window->GetSearchToolBar()->GetControls();
        return static_cast<DocumentsMenu::ButtonFind*>(controls->FindControl(DocumentsMenu::kFindId));
    }
    static void writeFile(const std::wstring& path) { platform::files::writeAllAtomic(path, "document"); }
    // The state as a pane's layout would hold it.
    CString saved() {
        CXTPPropExchangeXMLNode px(FALSE, L"Pane");
        window->DoPropExchange(&px);
        return px.SaveToString();
    }
    void load(const CString& xml) {
        CXTPPropExchangeXMLNode px(TRUE, L"Pane");
        ASSERT_TRUE(px.LoadFromString(xml.view(), L"layout"));
        window->DoPropExchange(&px);
    }
};

}  // namespace documentsmenutest
