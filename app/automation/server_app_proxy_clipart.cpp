// The kernel's requests for clipart panes: add-on application windows, model trees and
// expanded forms.
#include "app/automation/server_app_proxy.h"
#include "mainframe/clipart/application_clipart.h"
#include "mainframe/clipart/expanded_form_clipart.h"
#include "mainframe/clipart/model_tree_clipart.h"
#include "mainframe/main_frame.h"

namespace {

// The add-on view of the window and its pane (null when either is missing).
CXTPDockingPane* ApplicationPane(LPCWSTR key, UINT windowId, ApplicationClipart** viewOut = nullptr) {
    auto* view = dynamic_cast<ApplicationClipart*>(CClipartView::FindByKey(key, static_cast<int>(windowId)));
    if (viewOut) *viewOut = view;
    return view ? CClipartView::GetDockingPane(view) : nullptr;
}

}  // namespace

// Add-on applications make clipart panes only in tools mode.
HWND ServerAppProxy::ShowApplicationClipart(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) {
    if (!GlobalContainer::InAppCreateToolsMode()) return nullptr;
    ApplicationClipart* view =
        ApplicationClipart::Show(applicationKey, static_cast<int>(windowId), title, nullptr, 0, -1, nullptr);
    return view ? view->GetSafeHwnd() : nullptr;
}

bool ServerAppProxy::ShowModelTreeClipart(CKvw32Doc* document, UINT windowId) {
    ModelTreeClipart* view = ModelTreeClipart::Show({}, static_cast<int>(windowId), L"");
    if (view && document) view->SetDocument(document);
    return view != nullptr;
}

bool ServerAppProxy::IsClipartWindowVisible(LPCWSTR applicationKey, UINT windowId) {
    ApplicationClipart* view = nullptr;
    const CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    return pane && !pane->IsClosed() && !pane->IsHidden() && view->IsWindowVisible();
}

void ServerAppProxy::ShowClipartWindow(LPCWSTR applicationKey, UINT windowId, bool show) {
    ApplicationClipart* view = nullptr;
    CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    if (!pane) return;
    CXTPDockingPaneManager* manager = pane->GetDockingPaneManager();
    if (show) {
        manager->ShowPane(pane, FALSE);
        view->CreateContentWithPane(pane);
    } else if (!pane->IsClosed()) {
        manager->ClosePane(pane);
    }
    view->UpdatePaneState(pane);
}

void ServerAppProxy::SetClipartTitle(LPCWSTR applicationKey, UINT windowId, LPCWSTR title) {
    ApplicationClipart* view = nullptr;
    ApplicationPane(applicationKey, windowId, &view);
    if (view) view->SetTitle(title);
}

void ServerAppProxy::SetClipartSvgIcon(LPCWSTR applicationKey, UINT windowId, const BYTE* svg, std::uint64_t size) {
    ApplicationClipart* view = nullptr;
    CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    if (view) view->SetSvgIcon(svg, static_cast<std::size_t>(size), pane);
}

void ServerAppProxy::SetClipartPaneIcon(LPCWSTR applicationKey, UINT windowId, UINT iconId, HINSTANCE owner) {
    ApplicationClipart* view = nullptr;
    CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    if (view) view->SetPaneIcon(iconId, owner, pane);
}

void ServerAppProxy::SetClipartIcon(LPCWSTR applicationKey, UINT windowId, HICON icon) {
    ApplicationClipart* view = nullptr;
    CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    if (view) view->SetIcon(icon, pane);
}

void ServerAppProxy::MoveClipartWindow(LPCWSTR applicationKey, UINT windowId, const RECT& rect) {
    ApplicationClipart* view = nullptr;
    CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId, &view);
    if (!pane || !pane->IsFloating()) return;
    pane->GetDockingPaneManager()->FloatPane(pane, rect);
    view->UpdatePaneState(pane);
}

bool ServerAppProxy::GetClipartWindowRect(LPCWSTR applicationKey, UINT windowId, RECT& rect) {
    const CXTPDockingPane* pane = ApplicationPane(applicationKey, windowId);
    if (!pane || !pane->IsFloating()) return false;
    rect = pane->GetFloatingRect();
    return true;
}

bool ServerAppProxy::IsClipartControlId(UINT id) {
    return CClipartView::IsClipartId(id) && dynamic_cast<ApplicationClipart*>(CClipartView::FindByControlId(id)) != nullptr;
}

void ServerAppProxy::ShowExpandedForm(UINT id, CWnd* form, LPCWSTR title) {
    ExpandedFormClipart* view = ExpandedFormClipart::Show(id);
    if (!view) return;
    if (form && title && form->GetSafeHwnd()) form->SetWindowText(title);
    if (form != view->GetForm()) view->AttachView(form);
    if (CXTPDockingPane* pane = CClipartView::GetDockingPane(view)) pane->GetDockingPaneManager()->ShowPane(pane, FALSE);
}

CWnd* ServerAppProxy::DetachExpandedForm(UINT id) {
    ExpandedFormClipart* view = ExpandedFormClipart::FindById(id);
    if (!view) return nullptr;
    CWnd* form = view->DetachView();
    if (CXTPDockingPane* pane = CClipartView::GetDockingPane(view)) pane->GetDockingPaneManager()->ClosePane(pane);
    return form;
}
