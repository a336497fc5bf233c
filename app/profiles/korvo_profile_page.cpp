#include "app/profiles/korvo_profile_page.h"

#include "app/profiles/profile_apply.h"
#include "app/profiles/profile_export.h"
#include "app/profiles/profile_item_copy.h"
#include "app/profiles/profile_names.h"
#include "app/profiles/registry_key.h"
#include "platform/kernel.h"
#include "platform/textcore.h"

namespace {

constexpr int kApply = 1658;
constexpr int kNew = 1659;
constexpr int kDelete = 1660;
constexpr int kRename = 1661;
constexpr int kImport = 1662;
constexpr int kExport = 1663;
constexpr int kSaveInto = 1665;

constexpr UINT kNewNameFormat = 41005;
constexpr UINT kCurrentSettings = 41006;
constexpr UINT kConfirmDeleteItem = 41007;
constexpr UINT kConfirmDeleteProfile = 41008;
constexpr UINT kApplyFailed = 41013;
constexpr UINT kNameTaken = 41017;
constexpr UINT kImportFailed = 41023;
constexpr UINT kImportFilter = 41024;
constexpr UINT kSaveIntoFailed = 41025;
constexpr UINT kConfirmReplace = 41026;
constexpr UINT kExportFailed = 41027;
constexpr UINT kOfferApply = 41059;

constexpr int kFileNotFound = static_cast<int>(0x80030002u);
constexpr int kInvalidFile = static_cast<int>(0x800300FBu);
constexpr int kOldFormat = static_cast<int>(0x80030104u);
constexpr int kNewFormat = static_cast<int>(0x80030105u);

bool LessNoCase(const CString& a, const CString& b) { return a.CompareNoCase(b) < 0; }

int RootFirst(LPARAM a, LPARAM b, LPARAM) { return a == b ? 0 : a == 0 ? -1 : b == 0 ? 1 : 0; }

// The summary name of each item key of a profile section that has one.
std::vector<std::pair<CString, CString>> SummarisedItems(HKEY section) {
    std::vector<std::pair<CString, CString>> items;
    for (DWORD index = 0; section; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        if (::RegEnumKeyExW(section, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        const RegistryKey summary = RegistryKey::OpenSubKey(section, CString(name) + L"\\~Summary", KEY_READ);
        wchar_t display[256] = {};
        DWORD size = sizeof(display) - sizeof(wchar_t);
        DWORD type = 0;
        if (!summary || ::RegQueryValueExW(summary.Get(), L"Name", nullptr, &type, reinterpret_cast<LPBYTE>(display), &size) !=
                            ERROR_SUCCESS ||
            type != REG_SZ || !display[0])
            continue;
        items.emplace_back(display, name);
    }
    return items;
}

}  // namespace

IMPLEMENT_DYNAMIC(KorvoProfilePage, CPropertyPage)

BEGIN_MESSAGE_MAP(KorvoProfilePage, CPropertyPage)
    ON_BN_CLICKED(kApply, &KorvoProfilePage::OnApplyProfile)
    ON_BN_CLICKED(kNew, &KorvoProfilePage::OnNew)
    ON_BN_CLICKED(kDelete, &KorvoProfilePage::OnDelete)
    ON_BN_CLICKED(kRename, &KorvoProfilePage::OnRename)
    ON_BN_CLICKED(kImport, &KorvoProfilePage::OnImport)
    ON_BN_CLICKED(kExport, &KorvoProfilePage::OnExport)
    ON_BN_CLICKED(kSaveInto, &KorvoProfilePage::OnSaveInto)
    ON_MESSAGE(KorvoProfilePage::kToggleTickMessage, &KorvoProfilePage::OnToggleTick)
END_MESSAGE_MAP()

KorvoProfilePage::KorvoProfilePage() : CPropertyPage(kTemplateId), m_itemKeys(&LessNoCase) {}

// ---- Tree --------------------------------------------------------------------------------------

HWND KorvoProfilePage::Tree() const { return ::GetDlgItem(m_hWnd, kTreeId); }

HTREEITEM KorvoProfilePage::Next(HTREEITEM item, UINT which) const {
    return reinterpret_cast<HTREEITEM>(::SendMessageW(Tree(), TVM_GETNEXTITEM, which, reinterpret_cast<LPARAM>(item)));
}

CString KorvoProfilePage::Text(HTREEITEM item) const {
    wchar_t text[260] = {};
    TVITEMW query;
    query.mask = TVIF_TEXT;
    query.hItem = item;
    query.pszText = text;
    query.cchTextMax = 260;
    ::SendMessageW(Tree(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&query));
    return text;
}

KorvoProfilePage::Tick KorvoProfilePage::GetTick(HTREEITEM item) const {
    const auto state = static_cast<UINT>(
        ::SendMessageW(Tree(), TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(item), TVIS_STATEIMAGEMASK));
    const UINT index = state >> 12;
    return index == kTicked ? kTicked : index == kMixed ? kMixed : kUnticked;
}

void KorvoProfilePage::SetTick(HTREEITEM item, Tick tick) {
    TVITEMW change;
    change.mask = TVIF_STATE;
    change.hItem = item;
    change.state = INDEXTOSTATEIMAGEMASK(tick);
    change.stateMask = TVIS_STATEIMAGEMASK;
    ::SendMessageW(Tree(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&change));
    if (tick == kMixed) return;
    for (HTREEITEM child = Next(item, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) SetTick(child, tick);
}

void KorvoProfilePage::ToggleTick(HTREEITEM item) {
    const Tick tick = GetTick(item) == kTicked ? kUnticked : kTicked;
    SetTick(item, tick);
    const HTREEITEM parent = Next(item, TVGN_PARENT);
    if (parent) {
        bool allTicked = true, allUnticked = true;
        for (HTREEITEM child = Next(parent, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
            allTicked = allTicked && GetTick(child) == kTicked;
            allUnticked = allUnticked && GetTick(child) == kUnticked;
        }
        SetTick(parent, allTicked ? kTicked : allUnticked ? kUnticked : kMixed);
    }
    // The ticks always lie within one profile: ticking into one clears every other.
    if (tick != kTicked) return;
    const HTREEITEM profile = parent ? parent : item;
    for (HTREEITEM other = Next(nullptr, TVGN_ROOT); other; other = Next(other, TVGN_NEXT))
        if (other != profile) SetTick(other, kUnticked);
}

HTREEITEM KorvoProfilePage::Insert(HTREEITEM parent, const CString& text, Tick tick) {
    TVINSERTSTRUCTW insertion;
    insertion.hParent = parent ? parent : TVI_ROOT;
    insertion.hInsertAfter = TVI_LAST;
    insertion.item.mask = TVIF_TEXT | TVIF_STATE | TVIF_PARAM;
    std::wstring caption = text.GetString();
    insertion.item.pszText = caption.data();
    insertion.item.state = INDEXTOSTATEIMAGEMASK(tick);
    insertion.item.stateMask = TVIS_STATEIMAGEMASK;
    insertion.item.lParam = parent || m_root == nullptr ? (parent ? 2 : 0) : 1;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(Tree(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insertion)));
}

void KorvoProfilePage::InsertProfile(const CString& name, Tick tick) {
    const HTREEITEM profile = Insert(nullptr, name, tick);
    CWinApp* app = AfxGetApp();
    const RegistryKey appKey(app ? app->GetAppRegistryKey() : nullptr);
    const RegistryKey section = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(name), KEY_READ);
    for (const auto& [display, key] : SummarisedItems(section.Get())) {
        Insert(profile, display, tick);
        m_itemKeys[display] = key;
    }
}

void KorvoProfilePage::SortProfiles() {
    ::SendMessageW(Tree(), TVM_SORTCHILDREN, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    TVSORTCB sort;
    sort.hParent = TVI_ROOT;
    sort.lpfnCompare = &RootFirst;
    ::SendMessageW(Tree(), TVM_SORTCHILDRENCB, 0, reinterpret_cast<LPARAM>(&sort));
}

HTREEITEM KorvoProfilePage::FindProfile(const CString& name) const {
    for (HTREEITEM item = Next(nullptr, TVGN_ROOT); item; item = Next(item, TVGN_NEXT))
        if (item != m_root && Text(item).CompareNoCase(name) == 0) return item;
    return nullptr;
}

HTREEITEM KorvoProfilePage::ProfileOf(HTREEITEM item) const {
    if (!item) return nullptr;
    const HTREEITEM parent = Next(item, TVGN_PARENT);
    const HTREEITEM profile = parent ? parent : item;
    return profile == m_root ? nullptr : profile;
}

CString KorvoProfilePage::ProfileName(HTREEITEM profile) const {
    return !profile || profile == m_root ? KorvoProfileManager::GetDefaultProfileName() : Text(profile);
}

std::vector<CString> KorvoProfilePage::TickedKeys(HTREEITEM profile) const {
    std::vector<CString> keys;
    for (HTREEITEM child = Next(profile, TVGN_CHILD); child; child = Next(child, TVGN_NEXT)) {
        if (GetTick(child) != kTicked) continue;
        const auto found = m_itemKeys.find(Text(child));
        keys.push_back(found == m_itemKeys.end() ? Text(child) : found->second);
    }
    return keys;
}

BOOL KorvoProfilePage::OnInitDialog() {
    CPropertyPage::OnInitDialog();
    m_root = nullptr;
    m_root = Insert(nullptr, KVLoadString(kCurrentSettings), kTicked);
    std::vector<CString> seen;
    KorvoProfileManager::ForEachItem([&](KorvoProfileItem& item) {
        for (const CString& name : seen)
            if (name.CompareNoCase(item.GetProfileItemName()) == 0) return true;
        seen.push_back(item.GetProfileItemName());
        Insert(m_root, item.GetDisplayName(), kTicked);
        m_itemKeys[item.GetDisplayName()] = item.GetProfileItemName();
        return true;
    });
    for (const CString& name : KorvoProfileManager::Instance().GetProfiles()) InsertProfile(name, kUnticked);
    SortProfiles();
    ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(m_root));
    UpdateButtons();
    return TRUE;
}

void KorvoProfilePage::UpdateButtons() {
    const HTREEITEM selected = Next(nullptr, TVGN_CARET);
    const HTREEITEM parent = selected ? Next(selected, TVGN_PARENT) : nullptr;
    const bool inProfile = selected && selected != m_root && parent != m_root;
    const bool hasSibling = selected && (Next(selected, TVGN_PREVIOUS) || Next(selected, TVGN_NEXT));
    auto enable = [&](int id, bool on) {
        if (HWND button = ::GetDlgItem(m_hWnd, id)) ::EnableWindow(button, on);
    };
    enable(kApply, inProfile);
    enable(kSaveInto, inProfile);
    enable(kNew, selected != nullptr);
    enable(kExport, selected != nullptr);
    enable(kDelete, inProfile && hasSibling);
    enable(kRename, selected && selected != m_root && !parent);
    enable(kImport, true);
}

// ---- Notifications -----------------------------------------------------------------------------

BOOL KorvoProfilePage::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->idFrom != static_cast<UINT_PTR>(kTreeId)) return CPropertyPage::OnNotify(wParam, lParam, pResult);
    *pResult = 0;
    switch (header->code) {
        case NM_CLICK:
        case NM_DBLCLK: {
            TVHITTESTINFO hit;
            ::GetCursorPos(&hit.pt);
            ::ScreenToClient(Tree(), &hit.pt);
            ::SendMessageW(Tree(), TVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.hItem && (hit.flags & TVHT_ONITEMSTATEICON))
                PostMessage(kToggleTickMessage, 0, reinterpret_cast<LPARAM>(hit.hItem));
            return TRUE;
        }
        case TVN_SELCHANGEDW: UpdateButtons(); return TRUE;
        case TVN_BEGINLABELEDITW: {
            const auto* info = reinterpret_cast<const NMTVDISPINFOW*>(lParam);
            const bool profile = info->item.hItem != m_root && !Next(info->item.hItem, TVGN_PARENT);
            *pResult = profile ? FALSE : TRUE;
            m_editing = profile;
            return TRUE;
        }
        case TVN_ENDLABELEDITW:
            m_editing = false;
            *pResult = EndLabelEdit(*reinterpret_cast<const NMTVDISPINFOW*>(lParam)) ? TRUE : FALSE;
            return TRUE;
        default: return CPropertyPage::OnNotify(wParam, lParam, pResult);
    }
}

LRESULT KorvoProfilePage::OnToggleTick(WPARAM, LPARAM lParam) {
    ToggleTick(reinterpret_cast<HTREEITEM>(lParam));
    UpdateButtons();
    return 0;
}

// ---- Operations ----------------------------------------------------------------------------------

CString KorvoProfilePage::UniqueNewName() const {
    const std::vector<CString> profiles = KorvoProfileManager::Instance().GetProfiles();
    for (int number = 1;; ++number) {
        const CString name = KVLoadFormatString(kNewNameFormat, number);
        bool taken = false;
        for (const CString& profile : profiles) taken = taken || profile.CompareNoCase(name) == 0;
        if (!taken) return name;
    }
}

void KorvoProfilePage::OnApplyProfile() {
    const HTREEITEM profile = ProfileOf(Next(nullptr, TVGN_CARET));
    if (!profile) return;
    const CString name = Text(profile);
    const std::vector<CString> keys = TickedKeys(profile);
    if (!KorvoProfiles::CopyProfileItems(name, KorvoProfileManager::GetDefaultProfileName(), keys, true)) {
        AfxMessageBox(KVLoadString(kApplyFailed), MB_ICONERROR);
        return;
    }
    if (CPropertySheet* sheet = GetParentSheet(); sheet && sheet->GetSafeHwnd())
        sheet->SendMessage(WM_COMMAND, IDOK, 0);
    KorvoProfiles::LoadAppliedProfile(
        name,
        [&](const CString& key) {
            for (const CString& ticked : keys)
                if (ticked.CompareNoCase(key) == 0) return true;
            return false;
        },
        KorvoProfiles::ApplyFrom::ProfilesPage);
}

void KorvoProfilePage::OnNew() {
    const HTREEITEM selected = Next(nullptr, TVGN_CARET);
    if (!selected) return;
    const HTREEITEM source = ProfileOf(selected);
    const CString name = UniqueNewName();
    KorvoProfileManager::Instance().SaveState();
    CWinApp* app = AfxGetApp();
    {
        const RegistryKey appKey(app ? app->GetAppRegistryKey() : nullptr);
        HKEY made = nullptr;
        if (!appKey || ::RegCreateKeyExW(appKey.Get(), KorvoProfileManager::GetProfileSectionName(name), 0, nullptr,
                                         REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr, &made, nullptr) != ERROR_SUCCESS) {
            AfxMessageBox(KVLoadString(kSaveIntoFailed), MB_ICONERROR);
            return;
        }
        ::RegCloseKey(made);
    }
    if (!KorvoProfiles::CopyProfileItems(ProfileName(source), name, TickedKeys(source ? source : m_root), false)) {
        AfxMessageBox(KVLoadString(kSaveIntoFailed), MB_ICONERROR);
        return;
    }
    InsertProfile(name, kUnticked);
    SortProfiles();
    const HTREEITEM item = FindProfile(name);
    ToggleTick(item);
    ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    ::SendMessageW(Tree(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(item));
}

void KorvoProfilePage::OnRename() {
    const HTREEITEM selected = Next(nullptr, TVGN_CARET);
    if (selected && selected != m_root && !Next(selected, TVGN_PARENT))
        ::SendMessageW(Tree(), TVM_EDITLABELW, 0, reinterpret_cast<LPARAM>(selected));
}

bool KorvoProfilePage::EndLabelEdit(const NMTVDISPINFOW& info) {
    const HTREEITEM item = info.item.hItem;
    if (!info.item.pszText || !*info.item.pszText || item == m_root || Next(item, TVGN_PARENT)) return false;
    const CString name(info.item.pszText);
    const CString old = Text(item);
    if (name.CompareNoCase(old) == 0 || !KorvoProfiles::IsUsableProfileName(name)) return false;
    if (FindProfile(name)) {
        AfxMessageBox(KVLoadString(kNameTaken), MB_ICONERROR);
        return false;
    }
    return KorvoProfiles::RenameProfile(old, name);
}

void KorvoProfilePage::OnDelete() {
    const HTREEITEM selected = Next(nullptr, TVGN_CARET);
    const HTREEITEM profile = ProfileOf(selected);
    if (!profile) return;
    const bool isItem = selected != profile;
    const CString profileName = Text(profile);
    const CString question = isItem ? KVLoadFormatString(kConfirmDeleteItem, Text(selected).GetString(), profileName.GetString())
                                    : KVLoadFormatString(kConfirmDeleteProfile, profileName.GetString());
    if (AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES) return;
    CString key;
    if (isItem) {
        const auto found = m_itemKeys.find(Text(selected));
        key = found == m_itemKeys.end() ? Text(selected) : found->second;
    }
    KorvoProfiles::DeleteProfile(profileName, key);
    ::SendMessageW(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(selected));
    ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(isItem ? profile : m_root));
    UpdateButtons();
}

void KorvoProfilePage::OnSaveInto() {
    const HTREEITEM profile = ProfileOf(Next(nullptr, TVGN_CARET));
    if (!profile) return;
    const CString name = Text(profile);
    if (AfxMessageBox(KVLoadFormatString(kConfirmReplace, name.GetString()), MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    KorvoProfileManager::Instance().SaveState();
    // A failed copy leaves the profile as it was, so its tree item stays.
    if (!KorvoProfiles::CopyProfileItems(KorvoProfileManager::GetDefaultProfileName(), name, TickedKeys(m_root), true))
        AfxMessageBox(KVLoadString(kSaveIntoFailed), MB_ICONERROR);
}

void KorvoProfilePage::OnExport() {
    const HTREEITEM selected = Next(nullptr, TVGN_CARET);
    if (!selected) return;
    const HTREEITEM profile = ProfileOf(selected);
    const CString extension = KorvoProfileManager::GetProfileFileExtension();
    const CString name = profile ? Text(profile) : KVLoadFormatString(kNewNameFormat, 1);
    const std::optional<KorvoProfiles::ExportTarget> target = KorvoProfiles::ChooseExportTarget(this, ::GetDlgItem(m_hWnd, kExport));
    if (!target) return;
    CString path;
    if (*target == KorvoProfiles::ExportTarget::File) {
        const CString filter = L"*." + extension + L"|*." + extension + L"||";
        CFileDialog chooser(FALSE, extension, name + L"." + extension, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, this);
        if (chooser.DoModal() != IDOK) return;
        path = chooser.GetPathName();
    }
    KorvoProfileManager::Instance().SaveState();
    CWinApp* app = AfxGetApp();
    const RegistryKey appKey(app ? app->GetAppRegistryKey() : nullptr);
    const RegistryKey section = appKey.OpenSubKey(KorvoProfileManager::GetProfileSectionName(ProfileName(profile)), KEY_READ);
    const bool exported = section && (*target == KorvoProfiles::ExportTarget::Pdm ? KorvoProfiles::ExportToPdm(section.Get(), name)
                                                                                    : SaveRegistryKey(section.Get(), name, path));
    if (!exported) AfxMessageBox(KVLoadString(kExportFailed), MB_ICONERROR);
}

void KorvoProfilePage::OnImport() {
    const CString extension = KorvoProfileManager::GetProfileFileExtension();
    CString filter = KVLoadString(kImportFilter);
    if (extension.CompareNoCase(L"kvenv") != 0) filter.Replace(L"*.kvenv", L"*.kvenv;*." + extension);
    if (filter.IsEmpty() || filter[filter.GetLength() - 1] != L'|') filter += L"|";
    CFileDialog chooser(TRUE, extension, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST, filter, this);
    if (chooser.DoModal() != IDOK) return;
    const CString path = chooser.GetPathName();
    CString name = path.Mid(path.ReverseFind(L'\\') + 1);
    if (const int dot = name.ReverseFind(L'.'); dot > 0) name = name.Left(dot);
    if (!KorvoProfiles::IsUsableProfileName(name)) {
        AfxMessageBox(KVLoadString(kImportFailed), MB_ICONERROR);
        return;
    }
    const HTREEITEM existing = FindProfile(name);
    if (existing && AfxMessageBox(KVLoadFormatString(kConfirmReplace, name.GetString()),
                                  MB_OKCANCEL | MB_ICONQUESTION | MB_DEFBUTTON2) != IDOK)
        return;
    // The manager keeps a replaced profile as it was when the import fails.
    const int result = KorvoProfileManager::Import(path, existing != nullptr, name);
    if (result < 0) {
        CString message;
        if (result == kFileNotFound) message = Korvo::I18n::Translate(L"errors.file_not_found") + L"\n" + path;
        else if (result == kInvalidFile) message = Korvo::I18n::Translate(L"errors.invalid_profile_file");
        else if (result == kOldFormat || result == kNewFormat) message = Korvo::I18n::Translate(L"errors.unsupported_profile_version");
        else message = KVLoadString(kImportFailed);
        AfxMessageBox(message, MB_ICONERROR);
        return;
    }
    if (existing) ::SendMessageW(Tree(), TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(existing));
    InsertProfile(name, kUnticked);
    SortProfiles();
    const HTREEITEM item = FindProfile(name);
    ToggleTick(item);
    ::SendMessageW(Tree(), TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item));
    if (AfxMessageBox(KVLoadFormatString(kOfferApply, name.GetString()), MB_YESNO | MB_ICONQUESTION) == IDYES)
        PostMessage(WM_COMMAND, kApply, 0);
}
