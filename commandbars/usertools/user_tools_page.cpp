#include "commandbars/usertools/user_tools_page.h"

#include "commandbars/usertools/user_tools_bars.h"
#include "platform/kernel/icon_files.h"

namespace {

constexpr UINT kWindowIcon = 1215;
constexpr int kSmallIcon = 16, kPreviewDepth = 32;

CString ControlText(HWND control) {
    const int length = ::GetWindowTextLengthW(control);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    text.resize(static_cast<std::size_t>(::GetWindowTextW(control, text.data(), length + 1)));
    return CString(text.c_str());
}

CString ComboEntry(HWND combo, int index) {
    const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
    if (length < 0) return CString();
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    ::SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<std::size_t>(length));
    return CString(text.c_str());
}

}  // namespace

CKVUserToolsPage::CKVUserToolsPage(CKVUserCommands& commands, CWnd* parent)
    : CKorvoDialog(kTemplateId, parent), commands_(commands) {}

CKVUserToolsPage::~CKVUserToolsPage() {
    if (preview_) ::DestroyIcon(preview_);
    if (windowIcon_) ::DestroyIcon(windowIcon_);
}

void CKVUserToolsPage::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, kList, list_); }

BOOL CKVUserToolsPage::OnInitDialog() {
    CKorvoDialog::OnInitDialog();
    CenterWindow();
    FillList();
    FillIconCombo();
    ShowFields();
    windowIcon_ = static_cast<HICON>(::LoadImageW(GlobalContainer::GetIconsDll(), kWindowIcon, IMAGE_ICON, kSmallIcon, kSmallIcon, 0));
    if (windowIcon_) SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(windowIcon_));
    return TRUE;
}

CKVUserCommand* CKVUserToolsPage::Selected() const {
    const int row = list_.GetCurSel();
    return row < 0 ? nullptr : static_cast<CKVUserCommand*>(list_.GetItemDataPtr(row));
}

int CKVUserToolsPage::InsertRow(int index, CKVUserCommand& command) {
    const int row = static_cast<int>(list_.SendMessage(LB_INSERTSTRING, static_cast<WPARAM>(index),
                                                        reinterpret_cast<LPARAM>(command.GetText().GetString())));
    if (row >= 0) list_.SetItemDataPtr(row, &command);
    return row;
}

void CKVUserToolsPage::RemoveRow(int row) {
    list_.SendMessage(LB_DELETESTRING, static_cast<WPARAM>(row), 0);
    const int count = list_.GetCount();
    if (count > 0) list_.SetCurSel(row < count ? row : count - 1);
    ShowFields();
}

void CKVUserToolsPage::FillList() {
    list_.SendMessage(LB_RESETCONTENT, 0, 0);
    commands_.ForEach([this](UINT id, CKVUserCommand& command) {
        if (id != 0) InsertRow(-1, command);
    });
    list_.SetCurSel(0);
}

void CKVUserToolsPage::FillIconCombo() {
    const HWND combo = ::GetDlgItem(GetSafeHwnd(), kIconCombo);
    ::SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(KVAppendProgramPath(L"UserIcons\\*.ico"), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ::SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(found.cFileName));
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
}

void CKVUserToolsPage::SetFieldText(int id, const CString& text) {
    const bool filling = filling_;
    filling_ = true;
    SetDlgItemText(id, text);
    filling_ = filling;
}

void CKVUserToolsPage::ShowFields() {
    const CKVUserCommand* command = Selected();
    SetFieldText(kPrompt, command ? command->Prompt : CString());
    SetFieldText(kTooltip, command ? command->Tooltip : CString());
    SetFieldText(kIconCombo, command ? command->Icon : CString());
    RefreshPreview(false);
    UpdateControls();
}

void CKVUserToolsPage::UpdateControls() {
    const bool selected = Selected() != nullptr;
    for (const int id : {kEdit, kDelete, kRun, kBrowse, kPrompt, kTooltip, kIconCombo})
        if (CWnd* control = GetDlgItem(id)) control->EnableWindow(selected ? TRUE : FALSE);
}

void CKVUserToolsPage::RefreshPreview(bool redrawBars) {
    const HWND preview = ::GetDlgItem(GetSafeHwnd(), kPreview);
    ::SendMessageW(preview, STM_SETICON, 0, 0);
    if (preview_) ::DestroyIcon(preview_);
    preview_ = nullptr;
    const CKVUserCommand* command = Selected();
    if (!command) return;
    // The command's id shows the new icon in every main frame at once (a new command has no id
    // until the collection takes it, and loads its icon then).
    if (command->ID != 0) command->LoadIcon();
    if (redrawBars) Korvo::UserTools::RedrawEveryFrame();
    CString path;
    // A missing or unreadable icon file leaves the preview empty.
    if (command->GetIconFilePath(path)) preview_ = LoadIconFromFile(path, kSmallIcon, kPreviewDepth);
    if (preview_) ::SendMessageW(preview, STM_SETICON, reinterpret_cast<WPARAM>(preview_), 0);
}

void CKVUserToolsPage::SetPrompt() {
    CKVUserCommand* command = Selected();
    if (!command) return;
    GetDlgItemText(kPrompt, command->Prompt);
    // The row's text follows the prompt: a new row in its place, the old one (now below) deleted.
    const int row = list_.GetCurSel();
    list_.SendMessage(WM_SETREDRAW, FALSE, 0);
    InsertRow(row, *command);
    list_.SendMessage(LB_DELETESTRING, static_cast<WPARAM>(row + 1), 0);
    list_.SetCurSel(row);
    list_.SendMessage(WM_SETREDRAW, TRUE, 0);
}

void CKVUserToolsPage::SetTooltip() {
    if (CKVUserCommand* command = Selected()) GetDlgItemText(kTooltip, command->Tooltip);
}

void CKVUserToolsPage::SetIcon(const CString& icon) {
    CKVUserCommand* command = Selected();
    if (!command) return;
    command->Icon = icon;
    RefreshPreview(true);
}

BOOL CKVUserToolsPage::OnCommand(WPARAM wParam, LPARAM lParam) {
    const int id = LOWORD(wParam);
    const WORD code = HIWORD(wParam);
    if (!lParam) return CKorvoDialog::OnCommand(wParam, lParam);
    const auto control = reinterpret_cast<HWND>(lParam);
    switch (id) {
        case kList:
            if (code == LBN_SELCHANGE) ShowFields();
            return TRUE;
        case kPrompt:
            if (code == EN_CHANGE && !filling_) SetPrompt();
            return TRUE;
        case kTooltip:
            if (code == EN_CHANGE && !filling_) SetTooltip();
            return TRUE;
        case kIconCombo:
            if (filling_) return TRUE;
            if (code == CBN_EDITCHANGE) SetIcon(ControlText(control));
            // The entry chosen in the drop-down list, for the command selected in the list.
            else if (code == CBN_SELENDOK) {
                const auto chosen = static_cast<int>(::SendMessageW(control, CB_GETCURSEL, 0, 0));
                if (chosen >= 0) SetIcon(ComboEntry(control, chosen));
            }
            return TRUE;
        default: break;
    }
    if (code != BN_CLICKED) return CKorvoDialog::OnCommand(wParam, lParam);
    switch (id) {
        case kAdd: OnAdd(); return TRUE;
        case kEdit: OnEdit(); return TRUE;
        case kDelete: OnDelete(); return TRUE;
        case kRun: OnRun(); return TRUE;
        case kBrowse: OnBrowse(); return TRUE;
        case kExport: OnExport(); return TRUE;
        case kImport: OnImport(); return TRUE;
        default: return CKorvoDialog::OnCommand(wParam, lParam);
    }
}
