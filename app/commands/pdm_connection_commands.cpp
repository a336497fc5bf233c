// The PDM connection: the commands that connect, disconnect and start the PDM client, and what
// the application does when the kernel reports that the connection or a document's state changed.
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"
#include "mainframe/panes/document_pane_windows.h"

void CKvw32App::OnConnectToVarnel() { KVPDMWorkMix::Connect(true, L""); }

void CKvw32App::OnUpdateConnectToVarnel(CCmdUI* cmdUI) {
    // The instance start-up found (in the options or the environment) is what a connect reaches.
    cmdUI->Enable(!KVPDMWorkMix::IsActive() && !GetSettings().varnel.instanceKeyPath.IsEmpty() ? TRUE : FALSE);
}

void CKvw32App::OnDisconnectFromVarnel() { KVPDMWorkMix::Disconnect(); }

void CKvw32App::OnRunVarnelClient() {
    if (!m_pdmConnection) return;
    try {
        m_pdmConnection->StartClient();
    } catch (KVPDMExceptionProxy* error) {
        error->Report();
        error->Delete();
    }
}

void CKvw32App::OnUpdateVarnelConnected(CCmdUI* cmdUI) { cmdUI->Enable(KVPDMWorkMix::IsActive() ? TRUE : FALSE); }

void CKvw32App::OnChangeVarnelConnectionState(bool connected) {
    if (m_pdmConnection) {
        m_pdmConnection->Release();
        m_pdmConnection = nullptr;
    }
    if (connected) {
        m_pdmConnection = KVPDMWorkMix::GetConnection();
        // The applications that need the PDM system start now.
        SharedPathNameFlagsCacheBlock cache;
        CKVApplicationManager::StartApplications(false, true);
        ApplicationManager::StartApplications(false, true);
    }
    if (auto* window = dynamic_cast<AssemblyStructureWindow*>(GetAssemblyStructureWindow(false)))
        window->GetControlSite().OnChangeVarnelConnectionState(connected);
    ForEachMainFrame([connected](CMainFrame* frame) { frame->OnChangeVarnelConnectionState(connected); });
}

void CKvw32App::OnChangeDocumentState(CKvw32Doc* document) {
    ForEachMainFrame([document](CMainFrame* frame) { frame->OnChangeDocumentState(document); });
}
