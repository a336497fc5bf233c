#include "app/profiles/profile_export.h"

#include "platform/kernel.h"
#include "platform/textcore.h"

namespace KorvoProfiles {

namespace {

constexpr UINT kSaveToFile = 1093;
constexpr UINT kStoreInPdm = 1765;

}  // namespace

std::optional<ExportTarget> ChooseExportTarget(CWnd* owner, HWND button) {
    KVPDMConnection* connection = KVPDMWorkMix::GetConnection();
    if (!connection) return ExportTarget::File;
    connection->Release();
    HMENU menu = ::CreatePopupMenu();
    if (!menu) return std::nullopt;
    ::AppendMenuW(menu, MF_STRING, kSaveToFile, Korvo::I18n::Translate(L"docs_menu.ctx_menu.save_as"));
    ::AppendMenuW(menu, MF_STRING, kStoreInPdm, KVLoadString(kStoreInPdm));
    RECT at{};
    ::GetWindowRect(button, &at);
    const UINT chosen = static_cast<UINT>(::TrackPopupMenu(menu, TPM_RETURNCMD | TPM_LEFTALIGN, at.left,
                                                           at.bottom, 0, owner->GetSafeHwnd(), nullptr));
    ::DestroyMenu(menu);
    if (chosen == kSaveToFile) return ExportTarget::File;
    if (chosen == kStoreInPdm) return ExportTarget::Pdm;
    return std::nullopt;
}

bool ExportToPdm(HKEY section, const CString& name) {
    wchar_t folder[MAX_PATH] = {};
    const DWORD length = ::GetTempPathW(MAX_PATH, folder);
    if (length == 0 || length >= MAX_PATH) return false;
    // A temporary folder a cleaner took away is made again.
    if (::GetFileAttributesW(folder) == INVALID_FILE_ATTRIBUTES) ::CreateDirectoryW(folder, nullptr);
    const CString extension = L"kvenv";
    const CString file = CString(folder) + L"KorvoProfile-" + name + L"." + extension;
    bool stored = false;
    if (SaveRegistryKey(section, name, file)) {
        KVPDMAddDialogParameters parameters;
        parameters.name = name;
        parameters.extension = extension;
        stored = KVPDMWorkMix::AddFileWithDialog(file, parameters);
    }
    ::DeleteFileW(file);
    return stored;
}

}  // namespace KorvoProfiles
