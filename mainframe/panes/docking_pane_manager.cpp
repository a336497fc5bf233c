#include "mainframe/panes/docking_pane_manager.h"

#include <algorithm>

#include "app/kvw32_app.h"
#include "mainframe/panes/docking_panes_init.h"

namespace {

constexpr const wchar_t* kClipartSection = L"Clipart";

}  // namespace

BOOL CKVDockingPane::DoPropExchange(CXTPPropExchange* px) {
    if (!Korvo::UI::DockingPane::DoPropExchange(px)) return FALSE;
    CKvw32App* app = CKvw32App::Instance();
    if (!app) return FALSE;

    if (px->IsLoading()) {
        CString type;
        if (std::unique_ptr<CXTPPropExchange> clipart = px->GetSection(kClipartSection))
            PX_String(clipart.get(), L"Type", type, L"");
        if (!type.IsEmpty()) return FALSE;  // no clipart kind can be rebuilt from a layout here
        auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(app->GetDockingPaneWindow(GetID(), true));
        return child ? child->DoPropExchange(px) : TRUE;
    }

    CWnd* window = app->GetDockingPaneWindow(GetID(), true);
    if (!window) return FALSE;
    auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(window);
    return child ? child->DoPropExchange(px) : TRUE;
}

CXTPDockingPane* CKVDockingPaneManager::OnCreatePane(int type, CXTPDockingPaneLayout* layout) {
    if (type == 0) return new CKVDockingPane(this);
    return Korvo::UI::DockingPaneManager::OnCreatePane(type, layout);
}

bool CKVDockingPaneManager::IsLayoutPaneKnown(UINT id) const {
    return std::any_of(kInitialPanes.begin(), kInitialPanes.end(), [id](const InitialPaneRow& row) { return row.id == id; });
}

void CKVDockingPaneManager::ReturnPaneWindows() {
    CKvw32App* app = CKvw32App::Instance();
    CWnd* host = app ? app->GetDockingPaneDummyWindow() : nullptr;
    for (CXTPDockingPane* pane : GetPaneList()) {
        if (!pane->IsValid()) continue;
        if (auto* child = dynamic_cast<Korvo::UI::DockingPaneChild*>(CWnd::FromHandlePermanent(pane->GetChild())))
            child->OnToBeDetachedFromPane(pane);
        const HWND child = pane->Detach();
        ::ShowWindow(child, SW_HIDE);
        if (host && host->GetSafeHwnd()) ::SetParent(child, host->GetSafeHwnd());
    }
}
