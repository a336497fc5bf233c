#include "auxiliary/error_window.h"

#include <vector>

#include "platform/kernel.h"
#include "platform/textcore.h"

namespace {

constexpr UINT kHideOneMessageString = 42349;
constexpr const wchar_t* kHideMessagesKey = L"panes.diagnostics.prompts.hide_messages";
constexpr UINT kPaneCommands[] = {1493, 1494, 1495, 1484, 1483, 8245, 1518, 1482, 1496, 1497, 1603, 1505};

Korvo::UI::MainFrame* HoldingFrame(const CWnd& window) {
    return window.GetSafeHwnd() ? UIModuleProxy::Instance().GetMainFrameOf(window.GetSafeHwnd()) : nullptr;
}

CXTPDockingPaneManager* PaneManagerOf(Korvo::UI::MainFrame* frame) {
    return frame ? frame->GetDockingPaneManager() : nullptr;
}

}  // namespace

UINT ChooseErrorPaneIcon(UINT state, bool hiddenMessages, bool blockedOrMarked) {
    switch (state) {
        case 3: return kErrorIconAttention;
        case 2: return hiddenMessages ? kErrorIconAttention : kErrorIconShown;
        default:
            if (blockedOrMarked || hiddenMessages) return kErrorIconAttention;
            return kErrorIconNone;
    }
}

UINT ErrorWindow::ChooseIcon(UINT state) const {
    bool blockedOrMarked = false;
    if (kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd()) {
        ContainerErrors* container = dialog->GetContainer();
        CKvw32Doc* document = container ? container->GetDocument() : nullptr;
        blockedOrMarked = (container && container->IsAllMessagesBlocked()) ||
                          (document && document->Cont2D() && document->Cont2D()->IsMessageFlagSet());
    }
    const errorHiddenData* hidden = GetHiddenErrorCont();
    return ChooseErrorPaneIcon(state, hidden && !hidden->IsEmpty(), blockedOrMarked);
}

void ErrorWindow::UpdatePaneIcon(UINT state) {
    if (state == m_iconState) return;
    const UINT icon = ChooseIcon(state);
    CXTPDockingPaneManager* panes = PaneManagerOf(HoldingFrame(*this));
    CXTPImageManager* images = panes ? panes->GetImageManager() : nullptr;
    // Without a frame to show it in, the state stays as it was and the next change tries again.
    if (!images || !images->SetIconFromResource(GlobalContainer::GetIconsDll(), icon, kPaneId)) return;
    m_iconState = state;
    // Setting the id again makes the caption draw the new image.
    if (CXTPDockingPane* pane = panes->FindPane(kPaneId)) pane->SetIconID(kPaneId);
}

BOOL ErrorWindow::DoPropExchange(CXTPPropExchange* px) {
    return PX_Bool(px, L"ErrorWnd_AutoShow", m_autoShow, true);
}

void ErrorWindow::FitDialog(bool show) {
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    if (!dialog || !dialog->GetSafeHwnd() || !GetSafeHwnd()) return;
    RECT client{};
    GetClientRect(&client);
    UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
    if (show) flags |= SWP_SHOWWINDOW | SWP_DEFERERASE;
    dialog->SetWindowPos(nullptr, client.left, client.top, client.right - client.left, client.bottom - client.top, flags);
}

void ErrorWindow::SetActiveWnd(kvpf::CKVDiagnosticsDialog* dialog) {
    ErrorWindowBase::SetActiveWnd(dialog);
    if (!dialog) {
        UpdatePaneIcon(1);
        return;
    }
    UpdatePaneIcon(dialog->GetErrorCount() > 0 ? 3 : 1);
    FitDialog(true);
}

void ErrorWindow::OnErrorsChanged(int newErrors, bool mayShow) {
    UpdatePaneIcon(newErrors ? 3 : 1);
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    if (!newErrors || !m_autoShow || !mayShow || !dialog || dialog == GetLastAutoShown()) return;
    // Once per dialog: hiding the pane again is the user's choice for these messages.
    PostMessage(kShowPaneMessage, 0, 0);
    SetLastAutoShown(dialog);
}

void ErrorWindow::OnShowWindow() {
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    UpdatePaneIcon(dialog && dialog->GetErrorCount() > 0 ? 2 : 1);
    Korvo::UI::DiagnosticsWindow* diagnostics = Korvo::UI::DiagnosticsWindow::Instance();
    if (!diagnostics) return;
    Korvo::UI::MainFrame* frame = HoldingFrame(*this);
    CKvw32Doc* document = frame && frame->AsWindow() ? KVGetActiveDoc(frame->AsWindow()) : nullptr;
    if (!document) {
        diagnostics->SetErrorContainer(nullptr);
        return;
    }
    const KVDocRegenContext context(document, true, false, false);
    diagnostics->SetErrorContainer(document->HaveErrorCont() ? document->GetErrorCont(context) : nullptr);
}

void ErrorWindow::OnHideMessages() {
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    std::vector<const KVErrorRecord*> selected;
    dialog->GetSelectedErrors(selected);
    if (!selected.empty()) {
        const CString question =
            selected.size() == 1 ? KVLoadString(kHideOneMessageString) : Korvo::I18n::Translate(kHideMessagesKey);
        const int answer = KVMessageBox::Show(question, MB_YESNOCANCEL | MB_ICONQUESTION);
        if (answer == IDCANCEL) return;
        if (answer == IDYES) {
            ContainerErrors* container = dialog->GetContainer();
            for (const KVErrorRecord* record : selected)
                if (container && !record->objects.empty()) container->BlockError(record->objects.front());
        } else if (errorHiddenData* hidden = GetHiddenErrorCont()) {
            for (const KVErrorRecord* record : selected) hidden->Add(*record);
        }
        m_iconState = 0;
        if (answer == IDYES) dialog->Update();
        return;
    }
    m_iconState = 0;
}

void ErrorWindow::OnHiddenMessages() {
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    ContainerErrors* container = dialog->GetContainer();
    CHiddenErrorsDlg hidden(container ? container->GetDocument() : nullptr, nullptr);
    if (hidden.DoModal() != IDOK) return;
    m_iconState = 0;
    dialog->Update();
}

bool IsPaneCommand(UINT id) {
    for (UINT command : kPaneCommands)
        if (command == id) return true;
    return false;
}

void ErrorWindow::RunCommand(UINT id) {
    kvpf::CKVDiagnosticsDialog* dialog = GetActiveWnd();
    switch (id) {
        case 1494:
            if (CXTPDockingPaneManager* panes = PaneManagerOf(HoldingFrame(*this))) panes->ClosePane(kPaneId);
            return;
        case 1603: m_autoShow = !m_autoShow; return;
        case 1505: GetSettings().diagnosticsWarnings = !GetSettings().diagnosticsWarnings; return;
        default: break;
    }
    // The rest act on the dialog's messages: nothing to do without one.
    if (!dialog) return;
    switch (id) {
        case 1493: dialog->Update(); break;
        case 1495: dialog->Edit(); break;
        case 1484: dialog->EditVariable(); break;
        case 1483: dialog->VariableInfo(); break;
        case 8245: dialog->Zoom(); break;
        case 1518: dialog->DeleteObjects(); break;
        case 1482:
            dialog->SetGroupFragmentMessages(!dialog->IsGroupFragmentMessages());
            dialog->Update();
            break;
        case 1496: OnHideMessages(); break;
        case 1497: OnHiddenMessages(); break;
        default: break;
    }
}

BOOL ErrorWindow::OnCmdMsg(UINT id, int code, void* extra, AFX_CMDHANDLERINFO* handlerInfo) {
    if (!IsPaneCommand(id) || (code != CN_COMMAND && code != CN_UPDATE_COMMAND_UI))
        return ErrorWindowBase::OnCmdMsg(id, code, extra, handlerInfo);
    if (code == CN_UPDATE_COMMAND_UI) {
        auto* update = static_cast<CCmdUI*>(extra);
        update->Enable(TRUE);
        if (id == 1603) update->SetCheck(m_autoShow ? 1 : 0);
        if (id == 1505) update->SetCheck(GetSettings().diagnosticsWarnings ? 1 : 0);
        if (id == 1482) update->SetCheck(GetActiveWnd() && GetActiveWnd()->IsGroupFragmentMessages() ? 1 : 0);
        return TRUE;
    }
    if (handlerInfo) {
        handlerInfo->pTarget = this;  // asked whether the command has a handler: it has
        return TRUE;
    }
    RunCommand(id);
    return TRUE;
}

LRESULT ErrorWindow::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_SIZE: {
            const LRESULT result = ErrorWindowBase::WindowProc(message, wParam, lParam);
            FitDialog(false);
            return result;
        }
        case WM_SHOWWINDOW: {
            const LRESULT result = ErrorWindowBase::WindowProc(message, wParam, lParam);
            if (wParam) OnShowWindow();
            return result;
        }
        case kShowPaneMessage: {
            Korvo::UI::MainFrame* frame = UIModuleProxy::Instance().GetActiveMainFrame();
            if (CXTPDockingPaneManager* panes = PaneManagerOf(frame)) panes->ShowPane(kPaneId, FALSE);
            return 0;
        }
        default: break;
    }
    return ErrorWindowBase::WindowProc(message, wParam, lParam);
}

std::wstring ErrorWindow::Outline() const {
    std::wstring out = L"error-window auto-show ";
    out += m_autoShow ? L"on" : L"off";
    out += L" icon-state " + std::to_wstring(m_iconState);
    return out;
}
