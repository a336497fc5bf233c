#include "auxiliary/applications_dialog.h"

#include "auxiliary/applications/add_addon_dialog.h"
#include "auxiliary/applications/addon_properties_dialog.h"
#include <utility>

#include "platform/win32.h"

namespace {

constexpr UINT kNameHeading = 10123;
constexpr UINT kFileHeading = 10714;
constexpr UINT kStateHeading = 10715;
constexpr UINT kStartedText = 10716;
constexpr UINT kNotFoundText = 10710;
constexpr UINT kStillLoadedText = 11648;

CString FileNameOf(const CString& path) {
    const int slash = path.ReverseFind(L'\\');
    return slash < 0 ? path : path.Mid(slash + 1);
}

CString StateOf(const CKVBaseApplication& application) {
    if (application.IsStarted()) return KVLoadString(kStartedText);
    if (!application.IsNotFound()) return {};
    const CString error = application.GetErrorText();
    return error.IsEmpty() ? KVLoadString(kNotFoundText) : error;
}

void SetText(HWND list, int row, int column, const CString& text) {
    LVITEMW item;
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text.GetString());
    ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void InsertColumn(HWND list, int column, UINT heading, int width) {
    const CString text = KVLoadString(heading);
    LVCOLUMNW info;
    info.mask = LVCF_WIDTH;
    info.cx = width;
    info.pszText = const_cast<wchar_t*>(text.GetString());
    ::SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&info));
}

}  // namespace

BEGIN_MESSAGE_MAP(CKVAppDlg, CDialog)
    ON_NOTIFY(LVN_ITEMCHANGED, CKVAppDlg::kList, &CKVAppDlg::OnItemChanged)
    ON_NOTIFY(NM_DBLCLK, CKVAppDlg::kList, &CKVAppDlg::OnDoubleClick)
    ON_BN_CLICKED(CKVAppDlg::kStart, &CKVAppDlg::OnStart)
    ON_BN_CLICKED(CKVAppDlg::kAdd, &CKVAppDlg::OnAdd)
    ON_BN_CLICKED(CKVAppDlg::kRemove, &CKVAppDlg::OnRemove)
    ON_BN_CLICKED(CKVAppDlg::kProperties, &CKVAppDlg::OnProperties)
    ON_MESSAGE(WM_GETMINMAXINFO, &CKVAppDlg::OnGetMinMaxInfo)
    ON_WM_SIZE()
END_MESSAGE_MAP()

CKVAppDlg::~CKVAppDlg() {
    if (icon_) ::DestroyIcon(icon_);
}

bool CKVAppDlg::CanStart(const CKVBaseApplication& application) {
    if (application.IsStarted() || application.IsNotFound()) return false;
    return !(application.GetFlags() & CKVBaseApplication::kNeedsPdm) || KVPDMWorkMix::IsActive();
}

BOOL CKVAppDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    RECT window{};
    GetWindowRect(&window);
    initialSize_ = {window.right - window.left, window.bottom - window.top};
    RememberLayout();
    if (const HICON resource = ::LoadIconW(GlobalContainer::GetIconsDll(), kIcon)) {
        icon_ = static_cast<HICON>(::CopyImage(resource, IMAGE_ICON, 16, 16, LR_COPYFROMRESOURCE));
        ::DestroyIcon(resource);
        if (icon_) ::SendMessageW(GetSafeHwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
    }
    const HWND list = List();
    RECT client{};
    ::GetClientRect(list, &client);
    const int width = (client.right - client.left) - GetSystemMetrics(SM_CXVSCROLL);
    const int ninth = width / 9;
    InsertColumn(list, 0, kNameHeading, width - 4 * ninth);
    InsertColumn(list, 1, kFileHeading, 2 * ninth);
    InsertColumn(list, 2, kStateHeading, 2 * ninth);
    for (CKVApplication* application : CKVApplicationManager::GetApplications())
        if (application && !application->GetPath().IsEmpty()) AddRow(*application);
    if (IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy()) {
        for (int index = 0; index < proxy->GetCount(); ++index) {
            CKVBaseApplication* application = proxy->GetAt(index);
            if (application && !application->GetPath().IsEmpty()) AddRow(*application);
        }
    }
    UpdateButtons();
    ::SetFocus(list);
    return FALSE;
}

int CKVAppDlg::AddRow(CKVBaseApplication& application) {
    const HWND list = List();
    const CString name = application.GetTitle();
    LVITEMW item;
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = const_cast<wchar_t*>(name.GetString());
    item.lParam = reinterpret_cast<LPARAM>(&application);
    const auto row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
    if (row < 0) return row;
    SetText(list, row, 1, FileNameOf(application.GetPath()));
    SetText(list, row, 2, StateOf(application));
    return row;
}

CKVBaseApplication* CKVAppDlg::Selected() const {
    const HWND list = List();
    const auto row = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    if (row < 0) return nullptr;
    LVITEMW item;
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!::SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return nullptr;
    return reinterpret_cast<CKVBaseApplication*>(item.lParam);
}

void CKVAppDlg::UpdateButtons() {
    const CKVBaseApplication* application = Selected();
    const HWND dialog = GetSafeHwnd();
    ::EnableWindow(::GetDlgItem(dialog, kStart), application && CanStart(*application));
    ::EnableWindow(::GetDlgItem(dialog, kRemove), application != nullptr);
    ::EnableWindow(::GetDlgItem(dialog, kProperties), application != nullptr);
}

void CKVAppDlg::OnItemChanged(NMHDR*, LRESULT* result) {
    UpdateButtons();
    if (result) *result = 0;
}

void CKVAppDlg::OnDoubleClick(NMHDR*, LRESULT* result) {
    StartSelected();
    if (result) *result = 0;
}

void CKVAppDlg::OnOK() { StartSelected(); }

BOOL CKVAppDlg::PreTranslateMessage(MSG* message) {
    const HWND dialog = GetSafeHwnd();
    if (message->message != WM_KEYDOWN || (message->hwnd != dialog && !::IsChild(dialog, message->hwnd))) return FALSE;
    if (message->wParam == VK_RETURN) {
        OnOK();
        return TRUE;
    }
    if (message->wParam == VK_ESCAPE) {
        OnCancel();
        return TRUE;
    }
    return FALSE;
}

void CKVAppDlg::OnStart() { StartSelected(); }

void CKVAppDlg::StartSelected() {
    CKVBaseApplication* application = Selected();
    if (!application || !CanStart(*application)) return;
    toStart_ = application;
    EndDialog(IDOK);
}

void CKVAppDlg::OnAdd() {
    CAddAddonDlg add(this);
    if (add.DoModal() != IDOK || !add.GetChosen()) return;
    const CAddAddonDlg::Record& record = *add.GetChosen();
    if (record.entry.type == 0) return;
    CKVBaseApplication* added = nullptr;
    if (record.entry.type == 1) {
        added = CKVApplicationManager::AddApplication(record.identifier, record.entry, nullptr);
    } else if (IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy()) {
        added = proxy->Add(record.identifier, record.entry, 0);
    }
    if (!added) return;
    const HWND list = List();
    const int row = AddRow(*added);
    LVITEMW clear;
    clear.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&clear));
    LVITEMW select;
    select.state = select.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&select));
    ::SetFocus(list);
    added->SaveInINI(host_.iniPath);
}

void CKVAppDlg::OnRemove() {
    CKVBaseApplication* application = Selected();
    if (!application) return;
    if (application->IsFromINI()) {
        KVMessageBox::Show(L"In order to delete this application you should edit file " + host_.iniPath, MB_OK);
        return;
    }
    if (application->IsInstalled()) {
        KVMessageBox::Show(L"In order to delete this application you should uninstall it", MB_OK);
        return;
    }
    const HWND list = List();
    const auto row = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    ::SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
    const CString identifier = application->GetIdentifier();
    // An identifier that is no plain key name would reach another key than the application's.
    if (CAddAddonDlg::IsUsableIdentifier(identifier)) {
        if (CWinApp* app = AfxGetApp()) {
            if (HKEY section = app->GetSectionKey(L"Applications")) {
                RegDeleteKeyW(section, identifier);
                RegCloseKey(section);
            }
        }
    }
    if (application->IsStarted()) {
        KVMessageBox::Show(KVLoadString(kStillLoadedText), MB_OK);
    } else if (application->IsManaged()) {
        if (IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy()) proxy->Remove(identifier);
    } else {
        CKVApplicationManager::RemoveApplication(identifier);
    }
    UpdateButtons();
}

void CKVAppDlg::OnProperties() {
    CKVBaseApplication* application = Selected();
    if (!application) return;
    CAddonProp properties(*application, host_.iniPath, this);
    properties.DoModal();
}

LRESULT CKVAppDlg::OnGetMinMaxInfo(WPARAM, LPARAM lParam) {
    auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
    if (info) {
        info->ptMinTrackSize.x = std::max<LONG>(info->ptMinTrackSize.x, initialSize_.cx);
        info->ptMinTrackSize.y = std::max<LONG>(info->ptMinTrackSize.y, initialSize_.cy);
    }
    return 0;
}

void CKVAppDlg::RememberLayout() {
    const HWND dialog = GetSafeHwnd();
    RECT client{};
    ::GetClientRect(dialog, &client);
    initialClient_ = {client.right, client.bottom};
    const std::pair<int, bool> controls[] = {{kList, true}, {kStart, false}, {kProperties, false}, {kAdd, false}, {kRemove, false}, {IDCANCEL, false}};
    for (const auto& [id, grows] : controls) {
        const HWND control = ::GetDlgItem(dialog, id);
        if (!control) continue;
        RECT at{};
        ::GetWindowRect(control, &at);
        POINT corners[2] = {{at.left, at.top}, {at.right, at.bottom}};
        ::ScreenToClient(dialog, &corners[0]);
        ::ScreenToClient(dialog, &corners[1]);
        at = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
        layout_.push_back({id, at, grows, id == IDCANCEL});
    }
}

void CKVAppDlg::OnSize(UINT type, int cx, int cy) {
    CDialog::OnSize(type, cx, cy);
    if (layout_.empty() || cx <= 0 || cy <= 0) return;
    const int dx = cx - initialClient_.cx;
    const int dy = cy - initialClient_.cy;
    for (const Anchored& control : layout_) {
        RECT at = control.at;
        if (control.grows) {
            at.right += dx;
            at.bottom += dy;
        } else {
            at.left += dx;
            at.right += dx;
            if (control.followsBottom) {
                at.top += dy;
                at.bottom += dy;
            }
        }
        ::SetWindowPos(::GetDlgItem(GetSafeHwnd(), control.id), nullptr, at.left, at.top, at.right - at.left, at.bottom - at.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
}

INT_PTR RunApplicationsDialog(CWnd* parent, const ApplicationsDialogHost& host) {
    CKVAppDlg dialog(host, parent);
    const INT_PTR answer = dialog.DoModal();
    CKVBaseApplication* application = dialog.GetApplicationToStart();
    if (answer != IDOK || !application) return answer;
    if (!application->Start(true, true)) return answer;
    application->CreateTools();
    if (application->UsesApplicationsRibbonTab() && host.showApplicationsTab) host.showApplicationsTab();
    return answer;
}
