// What each kind keeps: its registry values, its command-file fields and its list text.
#include "commandbars/usercommands/user_command_kinds.h"

using namespace Korvo::UserCommands;

namespace {

constexpr UINT kMacroLabel = 41694, kProgramLabel = 41817, kFileLabel = 41469, kFolderLabel = 41928,
               kLibraryLabel = 10459;

}  // namespace

bool CKVOneFieldUserCommand::Write(kvio::IWriteStream& stream) const {
    return CKVUserCommand::Write(stream) && KvwWriteString(stream, Field());
}

bool CKVOneFieldUserCommand::Read(kvio::IReadStream& stream) {
    return CKVUserCommand::Read(stream) && KvwReadUniString(stream, Field());
}

void CKVPathUserCommand::SaveToRegistry(HKEY key) const {
    CKVUserCommand::SaveToRegistry(key);
    WriteRegistryPath(key, FieldName(), Field());
}

void CKVPathUserCommand::LoadFromRegistry(HKEY key) {
    CKVUserCommand::LoadFromRegistry(key);
    ReadRegistryPath(key, FieldName(), Field());
}

void CKVMacroUserCommand::SaveToRegistry(HKEY key) const {
    CKVUserCommand::SaveToRegistry(key);
    WriteRegistryString(key, L"Macro", Macro);
}

void CKVMacroUserCommand::LoadFromRegistry(HKEY key) {
    CKVUserCommand::LoadFromRegistry(key);
    ReadRegistryString(key, L"Macro", Macro);
}

CString CKVMacroUserCommand::GetText() const { return FormatText(KVLoadString(kMacroLabel), Macro); }

void CKVExternalAppUserCommand::SaveToRegistry(HKEY key) const {
    CKVUserCommand::SaveToRegistry(key);
    WriteRegistryPath(key, L"App", App);
    WriteRegistryString(key, L"Args", Args);
    WriteRegistryDword(key, L"Wait", Wait);
}

void CKVExternalAppUserCommand::LoadFromRegistry(HKEY key) {
    CKVUserCommand::LoadFromRegistry(key);
    ReadRegistryPath(key, L"App", App);
    ReadRegistryString(key, L"Args", Args);
    DWORD wait = Wait;
    ReadRegistryDword(key, L"Wait", wait);
    Wait = wait ? 1 : 0;
}

bool CKVExternalAppUserCommand::Write(kvio::IWriteStream& stream) const {
    return CKVUserCommand::Write(stream) && KvwWriteString(stream, App) && KvwWriteString(stream, Args) &&
           WriteDword(stream, Wait);
}

bool CKVExternalAppUserCommand::Read(kvio::IReadStream& stream) {
    return CKVUserCommand::Read(stream) && KvwReadUniString(stream, App) && KvwReadUniString(stream, Args) &&
           ReadDword(stream, Wait);
}

CString CKVExternalAppUserCommand::GetText() const { return FormatText(KVLoadString(kProgramLabel), App); }

CString CKVOpenFileUserCommand::GetText() const { return FormatText(KVLoadString(kFileLabel), File); }

CString CKVOpenFolderUserCommand::GetText() const { return FormatText(KVLoadString(kFolderLabel), Folder); }

void CKVOpenLibraryUserCommand::SaveToRegistry(HKEY key) const {
    CKVUserCommand::SaveToRegistry(key);
    WriteRegistryString(key, L"Library", Library);
    WriteRegistryDword(key, L"Mode", Mode);
}

void CKVOpenLibraryUserCommand::LoadFromRegistry(HKEY key) {
    CKVUserCommand::LoadFromRegistry(key);
    ReadRegistryString(key, L"Library", Library);
    ReadRegistryDword(key, L"Mode", Mode);
}

bool CKVOpenLibraryUserCommand::Write(kvio::IWriteStream& stream) const {
    return CKVUserCommand::Write(stream) && KvwWriteString(stream, Library) && WriteDword(stream, Mode);
}

bool CKVOpenLibraryUserCommand::Read(kvio::IReadStream& stream) {
    return CKVUserCommand::Read(stream) && KvwReadUniString(stream, Library) && ReadDword(stream, Mode);
}

CString CKVOpenLibraryUserCommand::GetText() const { return FormatText(KVLoadString(kLibraryLabel), Library); }

CKVFragmentUserCommand::CKVFragmentUserCommand(const CString& path) : Path(path) {
    Icon = path;
    Prompt = Tooltip = DisplayName(path);
}

CString CKVFragmentUserCommand::DisplayName(const CString& path) {
    CString name = path;
    const int open = path.Find(L'<');
    if (open >= 0) {
        if (const int close = path.Find(L'>', open + 1); close >= 0) name = path.Mid(close + 1);
    }
    int cut = name.Find(L".grb");
    if (cut < 0) cut = name.Find(L".grs");
    return cut >= 0 ? name.Left(cut) : name;
}

CString CKVFragmentUserCommand::GetText() const { return FormatText(KVLoadString(kFileLabel), Path); }

CString CKVCreateDocumentUserCommand::GetText() const {
    return FormatText(Korvo::I18n::Translate(L"user_commands.create_document"), Prototype);
}
