// The automation server's operations on the active library configuration and its libraries.
#include "app/automation/kv_server.h"
#include "app/automation/kv_server_state.h"
#include "documentsmenu/configuration_opening.h"

namespace kvserver {

CachedPictures& Pictures() {
    static CachedPictures pictures;
    return pictures;
}

std::size_t& ExtendedPosition() {
    static std::size_t position = 0;
    return position;
}

bool& QuitRequested() {
    static bool requested = false;
    return requested;
}

DocumentsMenu::IConfiguration* ActiveConfiguration() {
    DocumentsMenu::IConfigurationsGroup* group = DocumentsMenu::GlobalCfgGroup();
    if (!group) return nullptr;
    for (int i = 0; i < group->GetCount(); ++i) {
        DocumentsMenu::IConfiguration* configuration = group->GetConfigurationAt(i);
        if (configuration && configuration->IsActive()) return configuration;
    }
    return nullptr;
}

}  // namespace kvserver

namespace {

constexpr UINT kConfigurationFilterString = 2238;

DocumentsMenu::ILibrary* LibraryAt(short index) {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    return configuration ? configuration->GetLibraryAt(index) : nullptr;
}

// The configuration file to open: the client's path when it names a file, else the user's choice
// (empty when cancelled).
CString ChooseConfigurationFile(const CString& path) {
    if (Korvo::GetFileSystemEntryType(path) == 1) return path;
    const int separator = path.ReverseFind(L'\\');
    const CString fileName = separator >= 0 ? path.Mid(separator + 1) : path;
    CFileDialog dialog(TRUE, L".tws", fileName, OFN_HIDEREADONLY | OFN_EXPLORER | OFN_ENABLESIZING,
                       KVLoadString(kConfigurationFilterString));
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

CString FileTitle(const CString& path) {
    const int separator = path.ReverseFind(L'\\');
    CString name = separator >= 0 ? path.Mid(separator + 1) : path;
    const int dot = name.ReverseFind(L'.');
    return dot > 0 ? name.Left(dot) : name;
}

}  // namespace

short KVServer::OpenLibraryConfiguration(LPCWSTR path) {
    const CString chosen = ChooseConfigurationFile(path);
    if (chosen.IsEmpty()) return 0;
    DocumentsMenu::IConfigurationsGroup* group = DocumentsMenu::GlobalCfgGroup();
    if (!group) return 0;
    // Only an existing file is opened: a name typed in the dialog for a file that is not there
    // must not leave an empty configuration file behind. The client that opened it works with it
    // next: it ends as the active one.
    if (!DocumentsMenu::FindConfigurationByPath(chosen) && Korvo::GetFileSystemEntryType(chosen) != 1) return 0;
    return DocumentsMenu::OpenConfigurationFile(chosen, FileTitle(chosen)) ? 1 : 0;
}

short KVServer::CloseLibraryConfiguration() {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    if (!configuration) return 0;
    configuration->Save(false);
    configuration->Destroy();
    return 1;
}

short KVServer::SaveLibraryConfiguration() {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    if (!configuration) return 0;
    configuration->Save(false);
    return 1;
}

short KVServer::SaveLibraryConfigurationAs(LPCWSTR) {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    if (!configuration) return 0;
    // The kernel's save-as asks the user for the file; the client's argument is not used.
    configuration->Save(true);
    return 1;
}

short KVServer::CreateLibrary(LPCWSTR name, LPCWSTR path, LPCWSTR comment, LPCWSTR author, LPCWSTR company) {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    if (!configuration) return 0;
    DocumentsMenu::ILibrary* library = DocumentsMenu::CreateLibrary(name);
    if (!library) return 0;
    library->SetPath(path);
    library->SetComment(comment);
    library->SetAuthor(author);
    library->SetCompany(company);
    configuration->AddLibrary(library);
    return 1;
}

short KVServer::CreateLibraryFile(LPCWSTR, LPCWSTR) { return 0; }

short KVServer::GetLibraryCount() {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    return configuration ? static_cast<short>(configuration->GetLibraryCount()) : 0;
}

BSTR KVServer::GetLibraryName(short index) {
    DocumentsMenu::ILibrary* library = LibraryAt(index);
    return library ? SysAllocString(library->GetName().GetString()) : nullptr;
}

BSTR KVServer::GetLibraryPath(short index) {
    DocumentsMenu::ILibrary* library = LibraryAt(index);
    return library ? SysAllocString(DocumentsMenu::GetLibraryAbsolutePath(library).GetString()) : nullptr;
}

short KVServer::SetLibraryPath(LPCWSTR name, LPCWSTR path) {
    DocumentsMenu::IConfiguration* configuration = kvserver::ActiveConfiguration();
    DocumentsMenu::ILibrary* library =
        configuration ? DocumentsMenu::FindLibraryByName(configuration, name, false) : nullptr;
    return library && library->SetPath(path) ? 1 : 0;
}
