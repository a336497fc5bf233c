#include "platform/kernel/editing/dialogs.h"

#include "platform/core/record.h"
#include "platform/kernel/documents/documents.h"

IMPLEMENT_DYNAMIC(CKorvoXTPDialog, CDialog)
IMPLEMENT_DYNAMIC(CKVBasicEditEx, CWnd)

IMPLEMENT_DYNAMIC(CKVWindowList, CDialog)

void CKVBasicEditEx::ChangePage() { platform::core::recordCall(L"CKVBasicEditEx::ChangePage()"); }

namespace {

platform::mfc::DialogTemplate windowListTemplate() {
    platform::mfc::DialogTemplate dialog =
        platform::mfc::listChoiceTemplate(L"Windows", CKVWindowList::kListId, L"Activate", L"Close");
    struct Button {
        int id;
        const wchar_t* text;
    };
    constexpr Button kButtons[] = {{CKVWindowList::kSaveButton, L"Save"},
                                   {CKVWindowList::kCloseButton, L"Close Window"},
                                   {CKVWindowList::kCascadeButton, L"Cascade"},
                                   {CKVWindowList::kTileHorizontalButton, L"Tile Horizontally"},
                                   {CKVWindowList::kTileVerticalButton, L"Tile Vertically"},
                                   {CKVWindowList::kMinimizeButton, L"Minimize"}};
    dialog.size.cx += 110;
    LONG top = 10;
    for (const Button& button : kButtons) {
        dialog.controls.push_back({button.id, L"BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                   button.text, RECT{360, top, 460, top + 24}});
        top += 30;
    }
    return dialog;
}

}  // namespace

CKVWindowList::CKVWindowList(CMDIFrameWnd* frame) : CDialog(0, frame), frame_(frame) {
    SetInlineTemplate(windowListTemplate(), L"dialogs.window_list");
}

BOOL CKVWindowList::OnInitDialog() {
    CDialog::OnInitDialog();
    fillList();
    return TRUE;
}

void CKVWindowList::fillList() {
    const HWND list = ::GetDlgItem(m_hWnd, kListId);
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    windows_.clear();
    const HWND client = frame_ ? frame_->m_hWndMDIClient : nullptr;
    CMDIChildWnd* active = frame_ ? frame_->MDIGetActive() : nullptr;
    for (HWND child = client ? ::GetTopWindow(client) : nullptr; child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        CWnd* window = CWnd::FromHandlePermanent(child);
        if (!window) continue;
        CString title;
        window->GetWindowText(title);
        windows_.push_back(child);
        ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(title.GetString()));
    }
    if (active)
        for (std::size_t i = 0; i < windows_.size(); ++i)
            if (windows_[i] == active->GetSafeHwnd()) ::SendMessageW(list, LB_SETCURSEL, i, 0);
    OnSelectionChanged();
}

std::vector<CWnd*> CKVWindowList::GetSelectedWindows() const {
    const LRESULT selected = ::SendMessageW(::GetDlgItem(m_hWnd, kListId), LB_GETCURSEL, 0, 0);
    if (selected == LB_ERR || static_cast<std::size_t>(selected) >= windows_.size()) return {};
    const HWND window = windows_[static_cast<std::size_t>(selected)];
    CWnd* object = ::IsWindow(window) ? CWnd::FromHandlePermanent(window) : nullptr;
    if (!object) return {};
    return {object};
}

void CKVWindowList::saveSelected() {
    for (CWnd* window : GetSelectedWindows()) {
        auto* child = dynamic_cast<CFrameWnd*>(window);
        CDocument* document = child ? child->GetActiveDocument() : nullptr;
        if (auto* kernelDocument = dynamic_cast<CKvw32Doc*>(document)) {
            bool saved = false;
            kernelDocument->DoFileSave(saved);
        } else if (document && !document->GetPathName().IsEmpty() && document->OnSaveDocument(document->GetPathName())) {
            document->SetModifiedFlag(FALSE);
        }
    }
}

BOOL CKVWindowList::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const HWND client = frame_ ? frame_->m_hWndMDIClient : nullptr;
    switch (id) {
        case kListId:
            if (HIWORD(wParam) == LBN_SELCHANGE) OnSelectionChanged();
            return TRUE;
        case kSaveButton: saveSelected(); return TRUE;
        case kCloseButton:
            for (CWnd* window : GetSelectedWindows()) window->SendMessage(WM_CLOSE, 0, 0);
            fillList();
            return TRUE;
        case kCascadeButton:
            if (client) ::SendMessageW(client, WM_MDICASCADE, 0, 0);
            return TRUE;
        case kTileHorizontalButton:
            if (client) ::SendMessageW(client, WM_MDITILE, MDITILE_HORIZONTAL, 0);
            return TRUE;
        case kTileVerticalButton:
            if (client) ::SendMessageW(client, WM_MDITILE, MDITILE_VERTICAL, 0);
            return TRUE;
        case kMinimizeButton:
            for (CWnd* window : GetSelectedWindows()) window->ShowWindow(SW_MINIMIZE);
            return TRUE;
        default: return CDialog::OnCommand(wParam, lParam);
    }
}

void CKVWindowList::OnOK() {
    const std::vector<CWnd*> selected = GetSelectedWindows();
    if (!selected.empty() && frame_) frame_->MDIActivate(selected.front());
    CDialog::OnOK();
}
