// Closing a main frame. The order matters: commands end before anything is asked, a close that
// arrives inside a nested message loop waits for the outer loop, the documents are asked before
// the add-on applications, and the last frame takes the documents with it.
#include <boost/scope_exit.hpp>

#include "services/application.h"
#include "mainframe/clipart/clipart_view.h"
#include "mainframe/main_frame.h"

namespace {

constexpr int kProgressLevel = 2;
constexpr UINT kPropertiesPane = 1007;

}  // namespace

void CMainFrame::OnClose() {
    KVLog_WriteF(kProgressLevel, L"Closing main window 0x%08x @ 0x%p...",
                 static_cast<unsigned>(reinterpret_cast<std::uintptr_t>(GetSafeHwnd())), static_cast<const void*>(this));
    ApplicationServices* app = ApplicationServices::Instance();
    // Registered with the document template while the handler runs, whichever way it ends. The
    // frame may be gone when the guard ends: the template only compares its address.
    CKVDocTemplate* documentTemplate = app ? app->GetDocTemplate() : nullptr;
    CFrameWnd* const closing = this;
    if (documentTemplate) documentTemplate->AddMainFrame(closing);
    BOOST_SCOPE_EXIT_ALL(documentTemplate, closing) {
        if (documentTemplate) documentTemplate->RemoveMainFrame(closing);
    };
    MakeActive();
    if (KorvoServerAppProxy* kernel = KorvoServerAppProxy::Instance())
        kernel->TerminateAllCommands(GetActiveKorvoDocument(), true);
    // Inside a nested loop (a box, a progress) the frame must outlive the loop: try again from
    // the outer one.
    if (app && app->GetPumpDepth() >= 2) {
        PostMessage(WM_CLOSE);
        return;
    }
    UpdateFloatingPropertiesSize();
    if (!CanCloseActiveDocument()) return;
    if (app && !app->SaveAllModified()) return;
    const bool last = !app || app->NumMainFrames() <= 1;
    if (app && CMainFrame::From(app->GetActiveMainFrame()) == this) app->ActivateNextMainFrame();
    if (last) {
        if (!CKVApplicationManager::CanCloseApplication()) return;
        KorvoProfileManager& profiles = KorvoProfileManager::Instance();
        if (profiles.IsStateLoaded()) {
            profiles.SaveState();
            m_tabClient.SaveState();
        }
        if (app) app->SetExiting(true);
    }
    CKVCom_Is3D::OnMainFrameClosing(GetSafeHwnd());
    CClipartView::MarkFrameViews(this);
    if (app) {
        app->SaveOpenDocumentsList();
        // The registered application is the framework's one application object.
        CWinApp* framework = AfxGetApp();
        if (last) {
            if (framework) framework->CloseAllDocuments(FALSE);
        } else if (framework && framework->m_pMainWnd == this) {
            // The framework ends the program with its main window: another frame takes that role.
            for (CMainFrame* frame : CMainFrame::GetAll()) {
                if (frame == this) continue;
                framework->m_pMainWnd = frame;
                break;
            }
        }
    }
    Korvo::UI::MdiMainFrame::OnClose();
}

void CMainFrame::UpdateFloatingPropertiesSize() {
    ApplicationServices* app = ApplicationServices::Instance();
    auto* properties = dynamic_cast<Korvo::UI::PropertiesWindow*>(app ? app->GetPropertiesWindow(false) : nullptr);
    const CXTPDockingPane* pane = m_paneManager.FindPane(kPropertiesPane);
    if (properties && pane && pane->IsFloating()) properties->UpdateFloatingSize();
}

bool CMainFrame::CanCloseActiveDocument() {
    CKvw32Doc* document = GetActiveKorvoDocument();
    if (!document) return true;
    CMDIChildWnd* child = GetActiveChildFrame();
    // With a window in another frame the document is not asked; its changes then stay for the
    // question of the save-all step.
    bool otherWindow = false;
    for (CView* view : document->GetViews()) {
        if (view->GetParentFrame() != child) otherWindow = true;
    }
    if (!document->CanCloseFrame(child)) return false;
    if (!otherWindow) document->SetModifiedFlag(FALSE);
    return true;
}
