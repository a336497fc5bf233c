#include "auxiliary/applications/add_addon_dialog.h"

#include "platform/compression.h"
#include "platform/win32.h"

namespace {

constexpr WORD kListDoubleClick = 2;  // LBN_DBLCLK

// Whether the kernel has the application already, in the manager its type belongs to.
bool IsKnown(const CAddAddonDlg::Record& record) {
    if (record.entry.type == 1) return CKVApplicationManager::GetApplication(record.identifier) != nullptr;
    IApplicationManagerProxy* proxy = ApplicationManager::Get().Proxy();
    return proxy && proxy->Find(record.identifier) != nullptr;
}

}  // namespace

BEGIN_MESSAGE_MAP(CAddAddonDlg, CDialog)
    ON_BN_CLICKED(CAddAddonDlg::kBrowse, &CAddAddonDlg::OnBrowse)
    ON_CONTROL(LBN_SELCHANGE, CAddAddonDlg::kList, &CAddAddonDlg::OnSelectionChanged)
    ON_CONTROL(kListDoubleClick, CAddAddonDlg::kList, &CAddAddonDlg::OnDoubleClick)
END_MESSAGE_MAP()

CString& CAddAddonDlg::Folder() {
    static CString folder;
    return folder;
}

bool CAddAddonDlg::IsUsableIdentifier(const CString& identifier) {
    return !identifier.IsEmpty() && identifier.Find(L'\\') < 0;
}

HWND CAddAddonDlg::List() const { return ::GetDlgItem(GetSafeHwnd(), kList); }

void CAddAddonDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, kFolder, Folder());
}

BOOL CAddAddonDlg::OnInitDialog() {
    if (Folder().IsEmpty()) Folder() = KVGetProgramPath();
    CDialog::OnInitDialog();
    ReloadList();
    return TRUE;
}

void CAddAddonDlg::ReloadList() {
    entries_.clear();
    const HWND list = List();
    ::SendMessageW(list, LB_RESETCONTENT, 0, 0);
    if (Folder().IsEmpty()) return;
    const std::wstring pattern = kvio::JoinPath(Folder().view(), L"*.kva");
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(pattern.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) search = nullptr;
    for (bool more = search != nullptr; more; more = FindNextFileW(search, &found) != FALSE) {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::wstring path = kvio::JoinPath(Folder().view(), found.cFileName);
        kvio::IniFile ini;
        if (!ini.Load(path.c_str())) continue;
        for (const CString& section : ini.GetSectionNames()) {
            Record record;
            record.identifier = section;
            // A name the registry would read as a path (or as the whole applications key) could
            // never be removed safely: such sections are not offered.
            if (!IsUsableIdentifier(section)) continue;
            if (!record.entry.Read(ini, section, path.c_str()) || record.entry.type == 0 || IsKnown(record)) continue;
            const CString& text = record.entry.name.IsEmpty() ? record.entry.title : record.entry.name;
            const auto row = ::SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.GetString()));
            ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(row), static_cast<LPARAM>(entries_.size()));
            entries_.push_back(std::move(record));
        }
    }
    if (search) FindClose(search);
    OnSelectionChanged();
}

void CAddAddonDlg::OnSelectionChanged() {
    ::EnableWindow(::GetDlgItem(GetSafeHwnd(), IDOK), ::SendMessageW(List(), LB_GETCURSEL, 0, 0) != LB_ERR);
}

void CAddAddonDlg::OnDoubleClick() { OnOK(); }

void CAddAddonDlg::OnBrowse() {
    UpdateData(TRUE);
    std::vector<CString> chosen;
    if (!SelectFolders(chosen, this, Folder(), nullptr, true, false) || chosen.empty() || chosen.front().IsEmpty()) return;
    Folder() = chosen.front();
    UpdateData(FALSE);
    ReloadList();
}

void CAddAddonDlg::OnOK() {
    const auto row = ::SendMessageW(List(), LB_GETCURSEL, 0, 0);
    if (row == LB_ERR) return;
    const auto index = static_cast<std::size_t>(::SendMessageW(List(), LB_GETITEMDATA, static_cast<WPARAM>(row), 0));
    chosen_ = index < entries_.size() ? &entries_[index] : nullptr;
    CDialog::OnOK();
}
