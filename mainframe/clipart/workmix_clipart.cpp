#include "mainframe/clipart/workmix_clipart.h"

#include "mainframe/main_frame.h"
#include "platform/mfc/ole.h"

namespace {

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

void ReportPdmError(KVPDMExceptionProxy* error) {
    error->Report();
    error->Delete();
}

}  // namespace

WorkmixClipart::~WorkmixClipart() {
    // A view deleted without its window still gives its reference back.
    if (control_) std::exchange(control_, nullptr)->Release();
}

WorkmixClipart* WorkmixClipart::FindByReferenceKey(const GUID& key) {
    for (CClipartView* view = GetHead(); view; view = view->GetNext())
        if (auto* workmix = dynamic_cast<WorkmixClipart*>(view); workmix && workmix->key_ == key) return workmix;
    return nullptr;
}

WorkmixClipart* WorkmixClipart::Show(const GUID& key) {
    if (key == GUID{}) return nullptr;
    WorkmixClipart* view = FindByReferenceKey(key);
    const bool created = view == nullptr;
    std::unique_ptr<WorkmixClipart> made;
    if (created) {
        made = std::make_unique<WorkmixClipart>(key);
        view = made.get();
    }
    CXTPDockingPane* pane = CreateClipartPane(view, ActiveFrame(), 0);
    if (!pane) {
        if (created) Destroy(made.release());
        return created ? nullptr : view;
    }
    made.release();
    view->CreateContentWithPane(pane);
    view->ApplyViewState(pane, true);
    return view;
}

void WorkmixClipart::UpdateTitle(CXTPDockingPane* pane) {
    if (!control_) return;
    try {
        SetPaneTitle(pane, control_->GetCaption());
    } catch (KVPDMExceptionProxy* error) {
        ReportPdmError(error);
    }
}

bool WorkmixClipart::CreateContent(CXTPDockingPane*) {
    if (!GetSafeHwnd()) return false;
    try {
        if (!control_ && KVPDMWorkMix::Instance() && KVPDMClient::Instance())
            control_ = KVPDMObjectRef::Find(key_).CreateReferenceControl(GetSafeHwnd());
    } catch (KVPDMExceptionProxy* error) {
        ReportPdmError(error);
    }
    if (!control_) return false;
    if (const HWND window = control_->GetWindow(); window && ::IsWindow(window)) ::SetParent(window, GetSafeHwnd());
    FitContent();
    return true;
}

void WorkmixClipart::DestroyContent() {
    if (!control_) return;
    const HWND window = control_->GetWindow();
    try {
        control_->Close();
    } catch (KVPDMExceptionProxy* error) {
        ReportPdmError(error);
    }
    std::exchange(control_, nullptr)->Release();
    if (window && ::IsWindow(window)) {
        KVLog_WriteF(6, L"A Varnel reference control has not destroyed its window 0x%08x",
                     static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window)));
        ::DestroyWindow(window);
    }
}

HWND WorkmixClipart::GetContentWindow() const { return control_ ? control_->GetWindow() : nullptr; }

void WorkmixClipart::UpdateIcon(CXTPDockingPane* pane) {
    if (!pane || !control_) return;
    if (const HICON icon = control_->GetIcon()) {
        PutPaneIcon(pane, false);
        ::DestroyIcon(icon);
    }
}

std::wstring WorkmixClipart::DescribeKeys() const {
    return L"VarnelReferenceGuid=" + platform::mfc::formatGuid(key_);
}

void WorkmixClipart::ExchangeKeys(CXTPPropExchange* px) { PX_Guid(px, L"VarnelReferenceGuid", key_); }
