#include "mainframe/clipart/expanded_form_clipart.h"

#include "mainframe/main_frame.h"

namespace {

CMainFrame* ActiveFrame() { return dynamic_cast<CMainFrame*>(UIModuleProxy::Instance().GetActiveMainFrame()); }

// A form the view lets go of but does not own is hidden and leaves the view, so that destroying
// the view does not take the kernel's form with it.
void keepAside(CWnd* form) {
    if (!form || !form->GetSafeHwnd()) return;
    form->ShowWindow(SW_HIDE);
    if (CMainFrame* frame = ActiveFrame()) form->SetParent(frame);
}

}  // namespace

ExpandedFormClipart::~ExpandedFormClipart() = default;

void ExpandedFormClipart::resetFloating() const {
    if (auto* forms = dynamic_cast<Korvo::UI::ExpandedFormView*>(UIModuleProxy::Instance().GetCurrentDockFormView()))
        forms->ResetFloatingUniquelyDlg(classId_);
}

ExpandedFormClipart* ExpandedFormClipart::FindById(UINT classId) {
    for (CClipartView* view = GetHead(); view; view = view->GetNext())
        if (auto* form = dynamic_cast<ExpandedFormClipart*>(view); form && form->classId_ == classId) return form;
    return nullptr;
}

ExpandedFormClipart* ExpandedFormClipart::Show(UINT classId) {
    if (ExpandedFormClipart* view = FindById(classId)) {
        if (CXTPDockingPane* pane = GetDockingPane(view)) {
            if (pane->GetChild() != view->GetSafeHwnd()) pane->Attach(view);
            view->ApplyViewState(pane, true);
        }
        return view;
    }
    auto view = std::make_unique<ExpandedFormClipart>(classId);
    if (!CreateClipartPane(view.get(), ActiveFrame(), kOutOfPaneLists)) {
        KVLog_WriteF(7, L"Failed to create a docking pane for the ExpandedFormClipart #%u", classId);
        Destroy(view.release());
        return nullptr;
    }
    KVLog_WriteF(2, L"Created a docking pane for the ExpandedFormClipart #%u", classId);
    return view.release();
}

void ExpandedFormClipart::releaseForm() {
    if (!form_) return;
    if (ownsForm_ && form_->GetSafeHwnd()) form_->DestroyWindow();
    else keepAside(form_);
    form_ = nullptr;
    ownsForm_ = false;
}

void ExpandedFormClipart::AttachView(CWnd* form) {
    if (form_) resetFloating();
    releaseForm();
    form_ = form;
    if (form_ && form_->GetSafeHwnd() && GetSafeHwnd()) {
        form_->SetParent(this);
        FitContent();
        form_->ShowWindow(SW_SHOW);
    }
    CXTPDockingPane* pane = GetDockingPane(this);
    UpdateIcon(pane);
    UpdateTitle(pane);
}

CWnd* ExpandedFormClipart::DetachView() {
    CWnd* form = std::exchange(form_, nullptr);
    ownsForm_ = false;
    keepAside(form);
    CXTPDockingPane* pane = GetDockingPane(this);
    UpdateIcon(pane);
    SetPaneTitle(pane, L"");
    return form;
}

void ExpandedFormClipart::UpdateTitle(CXTPDockingPane* pane) {
    CString caption;
    if (form_ && form_->GetSafeHwnd()) form_->GetWindowText(caption);
    SetPaneTitle(pane, caption);
}

void ExpandedFormClipart::DestroyContent() {
    resetFloating();
    releaseForm();
}

std::wstring ExpandedFormClipart::DescribeKeys() const { return L"ExpandClassID=" + std::to_wstring(classId_); }

void ExpandedFormClipart::ExchangeKeys(CXTPPropExchange* px) {
    int classId = static_cast<int>(classId_);
    PX_Int(px, L"ExpandClassID", classId, 0);
    classId_ = static_cast<UINT>(classId);
}
