#include "commandbars/usercommands/user_command.h"

#include <string>

#include "commandbars/usercommands/user_command_kinds.h"
#include "platform/korvoui.h"

namespace Korvo::UserCommands {

namespace {

ISite* g_site = nullptr;

}  // namespace

bool IsAbsolutePath(const CString& path) {
    const std::wstring_view text = path.view();
    if (text.size() >= 2 && text[1] == L':') return true;
    return !text.empty() && (text[0] == L'\\' || text[0] == L'/');
}

void SetSite(ISite* site) { g_site = site; }
ISite* GetSite() { return g_site; }

std::optional<CString> ResolveLibraryReference(const CString& text) {
    const int open = text.Find(L'<');
    const int close = text.ReverseFind(L'>');
    if (open < 0 || close <= open || close == text.GetLength() - 1) return std::nullopt;
    const CString name = text.Mid(open + 1, close - open - 1);
    DocumentsMenu::ILibrary* library = DocumentsMenu::FindLibraryByName(DocumentsMenu::GlobalCfgGroup(), name);
    if (!library) return std::nullopt;
    return DocumentsMenu::GetLibraryAbsolutePath(library) + text.Mid(close + 1);
}

std::optional<CString> MakeLibraryReference(const CString& path) {
    DocumentsMenu::ILibrary* library = path.IsEmpty() ? nullptr : DocumentsMenu::GetLibraryForFullPath(path);
    if (!library) return std::nullopt;
    const CString folder = DocumentsMenu::GetLibraryAbsolutePath(library);
    if (folder.IsEmpty() || path.GetLength() <= folder.GetLength()) return std::nullopt;
    // The reference names the library, so it survives the library's folder moving.
    return L"<" + library->GetDisplayName() + L">" + path.Mid(folder.GetLength());
}

void WriteRegistryString(HKEY key, LPCWSTR name, const CString& value) {
    ::RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.GetString()),
                     static_cast<DWORD>((value.GetLength() + 1) * sizeof(wchar_t)));
}

void ReadRegistryString(HKEY key, LPCWSTR name, CString& value) {
    DWORD size = 0;
    if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, nullptr, &size) != ERROR_SUCCESS) return;
    std::wstring buffer(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
    if (::RegGetValueW(key, nullptr, name, RRF_RT_REG_SZ, nullptr, buffer.data(), &size) != ERROR_SUCCESS) return;
    value = buffer.c_str();
}

void WriteRegistryDword(HKEY key, LPCWSTR name, DWORD value) {
    ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value));
}

void ReadRegistryDword(HKEY key, LPCWSTR name, DWORD& value) {
    DWORD read = 0, size = sizeof(read);
    if (::RegGetValueW(key, nullptr, name, RRF_RT_DWORD, nullptr, &read, &size) == ERROR_SUCCESS) value = read;
}

void WriteRegistryPath(HKEY key, LPCWSTR name, const CString& path) {
    WriteRegistryString(key, name, path);
    const CString libraryName = CString(name) + L"InLibrary";
    if (const auto reference = MakeLibraryReference(path)) WriteRegistryString(key, libraryName, *reference);
    else ::RegDeleteValueW(key, libraryName);
}

void ReadRegistryPath(HKEY key, LPCWSTR name, CString& path) {
    ReadRegistryString(key, name, path);
    CString reference;
    ReadRegistryString(key, CString(name) + L"InLibrary", reference);
    if (reference.IsEmpty()) return;
    if (const auto resolved = ResolveLibraryReference(reference)) path = *resolved;
}

bool WriteDword(kvio::IWriteStream& stream, DWORD value) {
    const unsigned char bytes[4] = {static_cast<unsigned char>(value), static_cast<unsigned char>(value >> 8),
                                    static_cast<unsigned char>(value >> 16), static_cast<unsigned char>(value >> 24)};
    return stream.Write(bytes, 4) == 4;
}

bool ReadDword(kvio::IReadStream& stream, DWORD& value) {
    value = 0;
    unsigned char bytes[4] = {};
    if (stream.Read(bytes, 4) != 4) return false;
    value = bytes[0] | (bytes[1] << 8) | (bytes[2] << 16) | (static_cast<DWORD>(bytes[3]) << 24);
    return true;
}

CString ResolvedPath(const CString& field) { return ResolveLibraryReference(field).value_or(field); }

}  // namespace Korvo::UserCommands

using namespace Korvo::UserCommands;

std::unique_ptr<CKVUserCommand> CKVUserCommand::Create(UINT type) {
    switch (type) {
        case 1: return std::make_unique<CKVMacroUserCommand>();
        case 2: return std::make_unique<CKVExternalAppUserCommand>();
        case 3: return std::make_unique<CKVOpenFileUserCommand>();
        case 4: return std::make_unique<CKVOpenFolderUserCommand>();
        case 5: return std::make_unique<CKVOpenLibraryUserCommand>();
        case 6: return std::make_unique<CKVFragmentUserCommand>();
        case 7: return std::make_unique<CKVCreateDocumentUserCommand>();
        default: return nullptr;
    }
}

void CKVUserCommand::SaveToRegistry(HKEY key) const {
    WriteRegistryDword(key, L"ID", ID);
    WriteRegistryString(key, L"Prompt", Prompt);
    WriteRegistryString(key, L"Tooltip", Tooltip);
    WriteRegistryPath(key, L"Icon", Icon);
}

void CKVUserCommand::LoadFromRegistry(HKEY key) {
    DWORD id = ID;
    ReadRegistryDword(key, L"ID", id);
    ID = id;
    ReadRegistryString(key, L"Prompt", Prompt);
    ReadRegistryString(key, L"Tooltip", Tooltip);
    ReadRegistryPath(key, L"Icon", Icon);
}

bool CKVUserCommand::Write(kvio::IWriteStream& stream) const {
    return KvwWriteString(stream, Prompt) && KvwWriteString(stream, Tooltip) && KvwWriteString(stream, Icon) &&
           WriteDword(stream, ID);
}

bool CKVUserCommand::Read(kvio::IReadStream& stream) {
    DWORD id = 0;
    const bool read = KvwReadUniString(stream, Prompt) && KvwReadUniString(stream, Tooltip) &&
                      KvwReadUniString(stream, Icon) && ReadDword(stream, id);
    ID = id;
    return read;
}

CString CKVUserCommand::FormatText(const CString& label, const CString& field) const {
    return Prompt + L" (" + label + L": " + field + L")";
}

bool CKVUserCommand::GetIconFilePath(CString& path) const {
    if (Icon.IsEmpty()) return false;
    if (const auto resolved = ResolveLibraryReference(Icon)) path = *resolved;
    else if (IsAbsolutePath(Icon))
        path = Icon;
    else path = KVAppendProgramPath(L"UserIcons\\" + Icon);
    return true;
}

void CKVUserCommand::LoadIcon() const {
    CString path;
    GetIconFilePath(path);
    CKVDocumentImageManager document;
    bool fromDocument = false;
    if (!path.IsEmpty()) {
        StorageRef storage;
        const HRESULT opened = storage.open(path);
        // A missing file leaves whatever icon the id had.
        if (opened == STG_E_FILENOTFOUND || opened == STG_E_PATHNOTFOUND) return;
        if (opened == S_OK) {
            if (!document.LoadIcon(storage)) return;
            fromDocument = true;
        }
    }
    ISite* site = GetSite();
    if (!site) return;
    for (CXTPImageManager* images : site->GetFrameImageManagers()) {
        images->RemoveIcon(ID);
        if (path.IsEmpty()) continue;
        if (!fromDocument) {
            images->SetIconFromIcoFile(path, ID);
            continue;
        }
        for (int i = 0; i < document.GetIconCount(); ++i) {
            int width = 0;
            if (HICON icon = document.GetIconHandle(i, &width)) images->SetIcon(icon, ID, width);
        }
    }
}

CXTPControl* CKVUserCommand::CreateControl(bool popup, CXTPCommandBars* bars) const {
    CXTPControl* control = nullptr;
    if (popup) {
        auto* split = new Korvo::UI::AutoPopup;
        CXTPPopupBar* bar = CXTPPopupBar::CreatePopupBar(bars);
        split->SetCommandBar(bar);
        bar->InternalRelease();
        control = split;
    } else {
        control = new CXTPControlButton;
    }
    control->SetID(static_cast<int>(ID));
    control->SetDescription(Prompt);
    control->SetCaption(Prompt);
    control->SetTooltip(Tooltip.IsEmpty() ? Prompt : Tooltip);
    LoadIcon();
    return control;
}
