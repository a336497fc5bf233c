// The kernel callback object: the docking-pane state records the kernel keeps, add-on
// application errors and the settings-profile file suffix.
#include "app/automation/server_app_proxy.h"
#include "app/automation/profile_file_extension.h"
#include "app/kvw32_app.h"
#include "mainframe/main_frame.h"

namespace {

constexpr UINT kPane1006 = 1006;
constexpr UINT kPropertiesPane = 1007;
constexpr UINT kPane1020 = 1020;

// The pane of the first main frame that has it, its window made when the application makes one.
CXTPDockingPane* FindPaneInFrames(CKvw32App& app, UINT id) {
    CMainFrame* frame = nullptr;
    CWnd* window = nullptr;
    if (CXTPDockingPane* pane = app.FindDockingPane(id, frame, window)) return pane;
    for (CMainFrame* each : app.GetMainFrames()) {
        CXTPDockingPaneManager* manager = each->GetDockingPaneManager();
        if (CXTPDockingPane* pane = manager ? manager->FindPane(id) : nullptr) return pane;
    }
    return nullptr;
}

bool FillPaneState(CKvw32App& app, UINT id, KVPaneState& state) {
    CXTPDockingPane* pane = FindPaneInFrames(app, id);
    if (!pane) return false;
    state.valid = pane->IsValid();
    state.hidden = pane->IsHidden();
    state.closed = pane->IsClosed();
    state.selected = pane->IsSelected();
    state.focused = pane->IsFocus();
    state.floating = pane->IsFloating();
    CXTPDockingPaneManager* manager = pane->GetDockingPaneManager();
    const CXTPDockingPane* properties = manager ? manager->FindPane(kPropertiesPane) : nullptr;
    state.sharesContainerWith1007 = properties && properties != pane && !properties->IsFloating() &&
                                    pane->GetContainer() && properties->GetContainer() == pane->GetContainer();
    return true;
}

}  // namespace

bool ServerAppProxy::GetPaneState1020(KVPaneState& state) { return FillPaneState(*app_, kPane1020, state); }
bool ServerAppProxy::GetPaneState1006(KVPaneState& state) { return FillPaneState(*app_, kPane1006, state); }

// The steps keep their order: a closed record must not make the pane, and a pane being closed
// or hidden takes no selection, floating or focus.
bool ServerAppProxy::SetPaneState1020(const KVPaneState& state) {
    CXTPDockingPane* pane = FindPaneInFrames(*app_, kPane1020);
    if (!pane) {
        if (state.closed || state.hidden) return false;
        if (CMainFrame* frame = ActiveFrame()) frame->GetPaneManager().ShowPane(kPane1020, state.focused);
        pane = FindPaneInFrames(*app_, kPane1020);
        if (!pane) return false;
    }
    CXTPDockingPaneManager& manager = *pane->GetDockingPaneManager();
    if (state.closed != static_cast<bool>(pane->IsClosed())) {
        if (state.closed)
            manager.ClosePane(pane);
        else
            manager.ShowPane(pane, FALSE);
    }
    if (state.hidden != static_cast<bool>(pane->IsHidden())) {
        if (state.closed) return true;
        if (state.hidden)
            manager.ShowPane(pane, FALSE);
        else
            manager.HidePane(pane);
    }
    if (state.closed || state.hidden) return true;
    if (state.selected && !pane->IsSelected()) manager.ShowPane(pane, FALSE);
    if (state.floating != static_cast<bool>(pane->IsFloating())) manager.ToggleDocking(pane);
    if (state.focused && !pane->IsFocus()) manager.ShowPane(pane, TRUE);
    return true;
}

void ServerAppProxy::ReportApplicationError(LPCWSTR applicationName, LPCWSTR text) {
    KorvoServerAppProxy::ReportApplicationError(applicationName, text);
    const CString name = applicationName ? applicationName : L"";
    const CString message = text ? text : L"";
    if (name.IsEmpty() && message.IsEmpty()) return;
    constexpr UINT kErrorIcon = 0x10;
    AfxMessageBox(name.IsEmpty() ? message : L"Error occurred in application \"" + name + L"\":\n" + message, kErrorIcon);
}

CString ServerAppProxy::GetProfileFileExtension() {
    const CString extension = ProfileFileExtensionFor(KV_EDITION_CODE);
    return extension.IsEmpty() ? KorvoServerAppProxy::GetProfileFileExtension() : extension;
}
