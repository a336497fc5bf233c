#include "platform/korvoui/diagnostics.h"

#include <algorithm>
#include <string>

#include "platform/core/record.h"
#include "platform/kernel/documents/document_text.h"
#include "platform/korvoui/kvpf_dialogs.h"
#include "platform/textcore.h"

namespace {

using platform::core::quoted;
using platform::core::recordCall;

constexpr int kToolBarHeight = 26;
constexpr UINT kDialogId = 100;
// The pane's commands, in the order the tool bar shows them.
constexpr int kToolBarCommands[] = {1493, 1482, 1495, 1484, 1483, 8245, 1518, 1496, 1497, 1603, 1505, 1494};

Korvo::UI::DiagnosticsWindow* g_diagnosticsWindow = nullptr;

std::wstring containerText(const ContainerErrors* container) {
    return container ? platform::kernel::documentText(container->GetDocument()) : std::wstring(L"null");
}

}  // namespace

namespace kvpf {

CKVDiagnosticsDialog::CKVDiagnosticsDialog(ContainerErrors* container) : container_(container) {
    if (container_) container_->SetObserver(this);
    form_ = MakeRef<WpfDockFormView>(CString(kFormName), false);
    auto list = MakeRef<ListControl>(CString(L"List"));
    model_ = MakeRef<SimpleListModel>(1);
    list->SetModel(model_);
    list->SetSelectionMode(1);
    list_ = list.get();
    form_->Add(list);
    form_->FinishUiSetup();
}

CKVDiagnosticsDialog* CKVDiagnosticsDialog::ForContainer(ContainerErrors* container, Korvo::UI::ErrorWindowBase* host) {
    if (!container || !host || !host->GetSafeHwnd()) return nullptr;
    if (auto* known = dynamic_cast<CKVDiagnosticsDialog*>(container->GetObserver())) return known;
    Korvo::UI::DiagnosticsWindow::Open();
    auto* dialog = new CKVDiagnosticsDialog(container);
    dialog->host_ = host;
    dialog->ownedByLibrary_ = true;
    RECT client{};
    host->GetClientRect(&client);
    if (!dialog->CreateEx(0, L"STATIC", L"", WS_CHILD | WS_CLIPCHILDREN, client, host, kDialogId)) {
        delete dialog;
        return nullptr;
    }
    dialog->commandBars_.reset(CXTPCommandBars::CreateCommandBars(RUNTIME_CLASS(CXTPCommandBars), dialog));
    if (dialog->commandBars_) {
        dialog->toolBar_ = dialog->commandBars_->Add(L"", xtpBarTop);
        for (int id : kToolBarCommands) dialog->toolBar_->GetControls()->Add(xtpControlButton, id);
    }
    CWnd& formWindow = dialog->form_->GetWindow();
    ::SetParent(formWindow.GetSafeHwnd(), dialog->m_hWnd);
    ::SetWindowLongPtrW(formWindow.GetSafeHwnd(), GWL_STYLE, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN);
    dialog->form_->SetVisible(true);
    dialog->refill();
    dialog->layout();
    return dialog;
}

CKVDiagnosticsDialog::~CKVDiagnosticsDialog() {
    if (host_) host_->forgetDialog(this);
    if (container_ && container_->GetObserver() == this) container_->SetObserver(nullptr);
    releaseForm();
    commandBars_.reset();
}

void CKVDiagnosticsDialog::releaseForm() {
    // The form's window goes back to being a window of its own, which the form destroys.
    CWnd& formWindow = form_->GetWindow();
    if (::IsWindow(formWindow.GetSafeHwnd()) && ::GetParent(formWindow.GetSafeHwnd()) == m_hWnd) {
        ::SetWindowLongPtrW(formWindow.GetSafeHwnd(), GWL_STYLE, WS_POPUP | WS_CLIPCHILDREN);
        ::SetParent(formWindow.GetSafeHwnd(), nullptr);
    }
}

// Made by the library for its container: the dialog goes with its window.
void CKVDiagnosticsDialog::PostNcDestroy() {
    if (ownedByLibrary_) delete this;
}

void CKVDiagnosticsDialog::refill() {
    rows_.clear();
    const errorHiddenData* hidden = GetHiddenErrorCont();
    for (const KVErrorRecord& record : container_ ? container_->GetRecords() : std::vector<KVErrorRecord>{})
        if (!container_->IsBlocked(record) && !hidden->Hides(record)) rows_.push_back(record);
    std::vector<SimpleListModel::Row> rows;
    for (const KVErrorRecord& record : rows_) rows.push_back({record.id, {record.text}, CString(), Image(), std::nullopt});
    model_->SetRows(std::move(rows));
    changed_ = false;
}

void CKVDiagnosticsDialog::layout() {
    if (!GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    const int barBottom = toolBar_ ? std::min<int>(client.top + kToolBarHeight, client.bottom) : client.top;
    if (toolBar_ && toolBar_->GetSafeHwnd()) toolBar_->MoveWindow(client.left, client.top, client.right - client.left, barBottom - client.top);
    const HWND formWindow = form_->GetWindow().GetSafeHwnd();
    if (::IsWindow(formWindow))
        ::MoveWindow(formWindow, client.left, barBottom, client.right - client.left, client.bottom - barBottom, TRUE);
}

void CKVDiagnosticsDialog::UpdateIfNeed() {
    platform::core::recordIdleCall(L"kvpf::CKVDiagnosticsDialog::UpdateIfNeed()");
    if (changed_) refill();
}

void CKVDiagnosticsDialog::Update() {
    recordCall(L"kvpf::CKVDiagnosticsDialog::Update(" + containerText(container_) + L")");
    refill();
}

void CKVDiagnosticsDialog::GetSelectedErrors(std::vector<const KVErrorRecord*>& records) const {
    records.clear();
    for (int row : list_->GetSelectedRows())
        if (row >= 0 && row < static_cast<int>(rows_.size())) records.push_back(&rows_[static_cast<std::size_t>(row)]);
}

void CKVDiagnosticsDialog::SetGroupFragmentMessages(bool grouped) {
    recordCall(std::wstring(L"kvpf::CKVDiagnosticsDialog::SetGroupFragmentMessages(") + (grouped ? L"true" : L"false") + L")");
    grouped_ = grouped;
}

void CKVDiagnosticsDialog::recordOnSelected(const wchar_t* operation) const {
    std::vector<const KVErrorRecord*> selected;
    GetSelectedErrors(selected);
    std::wstring call = std::wstring(L"kvpf::CKVDiagnosticsDialog::") + operation + L"(";
    call += selected.empty() ? std::wstring(L"no selection") : quoted(selected.front()->text.view());
    recordCall(call + L")");
}

void CKVDiagnosticsDialog::Edit() { recordOnSelected(L"Edit"); }
void CKVDiagnosticsDialog::EditVariable() { recordOnSelected(L"EditVariable"); }
void CKVDiagnosticsDialog::VariableInfo() { recordOnSelected(L"VariableInfo"); }
void CKVDiagnosticsDialog::Zoom() { recordOnSelected(L"Zoom"); }
void CKVDiagnosticsDialog::DeleteObjects() { recordOnSelected(L"DeleteObjects"); }

void CKVDiagnosticsDialog::OnMessagesChanged(bool newErrors) {
    refill();
    if (host_ && host_->GetActiveWnd() == this) host_->OnErrorsChanged(newErrors ? 1 : 0, true);
}

void CKVDiagnosticsDialog::OnContainerDestroyed() {
    if (host_) host_->forgetDialog(this);
    host_ = nullptr;
    if (g_diagnosticsWindow) g_diagnosticsWindow->forgetContainer(container_);
    container_ = nullptr;
    if (!ownedByLibrary_) return;
    if (GetSafeHwnd()) DestroyWindow();  // deletes the dialog
    else delete this;
}

BOOL CKVDiagnosticsDialog::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    if (host_ && host_->OnCmdMsg(id, code, extra, handlerInfo)) return TRUE;
    return CWnd::OnCmdMsg(id, code, extra, handlerInfo);
}

LRESULT CKVDiagnosticsDialog::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) releaseForm();
    const LRESULT result = CWnd::WindowProc(message, wParam, lParam);
    if (message == WM_SIZE) layout();
    return result;
}

}  // namespace kvpf

namespace Korvo::UI {

ErrorWindowBase::~ErrorWindowBase() {
    // The dialogs are child windows: they go while this window still knows them.
    if (GetSafeHwnd()) DestroyWindow();
}

void ErrorWindowBase::OnErrorsChanged(int, bool) {}

void ErrorWindowBase::switchTo(kvpf::CKVDiagnosticsDialog* dialog) {
    if (active_ == dialog) return;
    if (active_ && active_->GetSafeHwnd()) active_->ShowWindow(SW_HIDE);
    SetActiveWnd(dialog);
}

void ErrorWindowBase::ShowErrors(KVErrorContainer* container) {
    recordCall(L"Korvo::UI::ErrorWindowBase::ShowErrors()");
    if (container && container->GetBoundWindow() != GetSafeHwnd()) {
        platform::core::recordWarning(L"Korvo::UI::ErrorWindowBase::ShowErrors: the container is bound elsewhere");
    }
    shown_ = container;
    switchTo(kvpf::CKVDiagnosticsDialog::ForContainer(container, this));
}

void ErrorWindowBase::ClearErrors() {
    recordCall(L"Korvo::UI::ErrorWindowBase::ClearErrors()");
    shown_ = nullptr;
    switchTo(nullptr);
}

void ErrorWindowBase::forgetDialog(const kvpf::CKVDiagnosticsDialog* dialog) {
    if (shown_ && shown_ == dialog->GetContainer()) shown_ = nullptr;
    if (active_ == dialog) active_ = nullptr;
}

DiagnosticsWindow* DiagnosticsWindow::Instance() { return g_diagnosticsWindow; }

void DiagnosticsWindow::Open() {
    // One object for the rest of the process, as the library keeps it.
    static DiagnosticsWindow window;
    g_diagnosticsWindow = &window;
}

void DiagnosticsWindow::forgetContainer(const ContainerErrors* container) {
    if (container_ == container) container_ = nullptr;
}

void DiagnosticsWindow::SetErrorContainer(ContainerErrors* container) {
    recordCall(L"Korvo::UI::DiagnosticsWindow::SetErrorContainer(" + containerText(container) + L")");
    container_ = container;
}

}  // namespace Korvo::UI

CHiddenErrorsDlg::CHiddenErrorsDlg(CKvw32Doc* document, CWnd* parent) : document_(document), parent_(parent) {}

CHiddenErrorsDlg::~CHiddenErrorsDlg() = default;

INT_PTR CHiddenErrorsDlg::DoModal() {
    recordCall(L"CHiddenErrorsDlg::DoModal(" + platform::kernel::documentText(document_) + L")");
    errorHiddenData* hidden = GetHiddenErrorCont();
    auto form = kvpf::MakeRef<kvpf::WpfDockFormView>(CString(L"HiddenErrors"), false);
    auto list = kvpf::MakeRef<kvpf::ListControl>(CString(L"List"));
    auto model = kvpf::MakeRef<kvpf::SimpleListModel>(1);
    std::vector<kvpf::SimpleListModel::Row> rows;
    int id = 0;
    for (const CString& text : hidden->GetTexts()) rows.push_back({++id, {text}, CString(), kvpf::Image(), std::nullopt});
    model->SetRows(std::move(rows));
    list->SetModel(model);
    list->SetSelectionMode(1);
    kvpf::ListControl* shownList = list.get();
    form->Add(list);
    form->FinishUiSetup();
    const INT_PTR result = kvpf::ModalDialog::RunForm(parent_, L"HiddenErrors.Title", *form);
    if (result == IDOK) {
        // The selected messages show again; from the last, so the earlier indexes still hold.
        std::vector<int> selected = shownList->GetSelectedRows();
        std::sort(selected.rbegin(), selected.rend());
        for (int row : selected) hidden->Remove(row);
    }
    return result;
}
