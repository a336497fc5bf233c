// The library-configuration commands of the application command table and the commands that
// dock clipart panes for a library, a folder or the PDM work mix.
#include "app/commands/application_command_handlers.h"
#include "app/kvw32_app.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/window/choose_lib_dlg.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/clipart_requests.h"

namespace AppCommands {

namespace {

constexpr UINT kDocumentsMenuPaneCommand = 783;

CMainFrame* ActiveFrame() {
    CKvw32App* app = CKvw32App::Instance();
    return app ? app->GetActiveMainFrame() : nullptr;
}

}  // namespace

int OnLibraryConfigurationNew(std::int64_t) {
    return DocumentsMenu::CreateNewConfiguration(DocumentsMenu::GlobalCfgGroup()) ? 1 : 0;
}

int OnLibraryConfigurationOpen(std::int64_t) {
    DocumentsMenu::OpenConfiguration(DocumentsMenu::GlobalCfgGroup());
    return 1;
}

int OnLibraryConfigurationCloseAll(std::int64_t) {
    DocumentsMenu::CloseAllConfigurations(DocumentsMenu::GlobalCfgGroup());
    return 1;
}

int OnLibraryConfigurationSaveAll(std::int64_t) {
    DocumentsMenu::SaveAllConfigurations(DocumentsMenu::GlobalCfgGroup(), false);
    return 1;
}

void UpdateLibraryConfigurationCommand(CCmdUI* cmdUI) {
    const DocumentsMenu::IConfigurationsGroup* group = DocumentsMenu::GlobalCfgGroup();
    cmdUI->Enable(group && group->GetCount() > 0);
}

int OnWindowOpenLibraryVarnel(std::int64_t) {
    // The chooser's parent is the UI module's active main frame.
    DocumentsMenu::OpenConfigurationFromVARNEL(DocumentsMenu::GlobalCfgGroup());
    return 1;
}

int OnLibraryConfigurationEdit(std::int64_t) {
    CMainFrame* frame = ActiveFrame();
    CXTPDockingPane* pane = frame ? frame->FindPaneByCommand(kDocumentsMenuPaneCommand) : nullptr;
    if (!pane) return 0;
    frame->GetPaneManager().ShowPane(pane, TRUE);
    if (auto* menu = dynamic_cast<DocumentsMenu::DocumentsMenuDlg*>(CWnd::FromHandlePermanent(pane->GetChild())))
        menu->ShowLibrariesList(true);
    return 1;
}

int OnWindowOpenLibrary(std::int64_t) {
    CChooseLibDlg dialog(ActiveFrame());
    // OK without a selection closes the chooser too, with no library: nothing to open then.
    if (dialog.DoModal() == IDOK && dialog.GetLibrary()) ShowLibraryClipartPane(ActiveFrame(), dialog.GetLibrary());
    return 1;
}

int OnOpenFolderWindow(std::int64_t) {
    std::vector<CString> folders;
    SelectFolders(folders, ActiveFrame(), L"", L"", true, false);
    if (folders.empty() || folders.front().IsEmpty()) return 0;
    ShowFolderClipartPane(ActiveFrame(), folders.front());
    return 1;
}

int OnWindowOpenVarnel(std::int64_t) {
    if (!KVPDMWorkMix::IsActive()) return 0;
    try {
        ShowWorkMixClipartPane(ActiveFrame(), GetWorkMixRootObject().GetKey());
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
    }
    return 1;
}

}  // namespace AppCommands
