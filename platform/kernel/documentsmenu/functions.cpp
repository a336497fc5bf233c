// The model's free functions: lookups, creation, the global group's file operations, library
// paths and documents.
#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/kernel/documentsmenu/model.h"
#include "platform/kernel/services/pdm.h"
#include "platform/kernel/strings.h"
#include "platform/mfc/dialogs/filedialog.h"
#include "platform/win32/files/file.h"

namespace DocumentsMenu {

namespace {

using platform::kernel::documentsmenu::asGroup;
using platform::kernel::documentsmenu::asLibrary;
using platform::kernel::documentsmenu::Configuration;
using platform::kernel::documentsmenu::Group;
using platform::kernel::documentsmenu::Library;
using platform::kernel::documentsmenu::libraryFolder;
using platform::kernel::documentsmenu::model;
namespace winpath = platform::core::winpath;

ILibrary* findByName(const Group& group, std::wstring_view name, bool recursive) {
    for (Library* library : group.libraries()) {
        if (platform::core::equalsNoCase(library->GetDisplayName().view(), name)) return library;
    }
    if (!recursive) return nullptr;
    for (const Group* sub : group.groups()) {
        if (ILibrary* found = findByName(*sub, name, true)) return found;
    }
    return nullptr;
}

void collect(const Group& group, std::vector<ILibrary*>& libraries) {
    for (const Group* sub : group.groups()) collect(*sub, libraries);
    libraries.insert(libraries.end(), group.libraries().begin(), group.libraries().end());
}

CString withSeparator(const std::wstring& folder) {
    if (folder.empty()) return {};
    return CString(folder.back() == L'\\' ? folder : folder + L'\\');
}

}  // namespace

IConfigurationsGroup* GlobalCfgGroup() { return &model().global(); }

IConfiguration* FindConfigurationByPath(LPCWSTR path) {
    const auto full = path ? winpath::normalize(path) : std::nullopt;
    if (!full) return nullptr;
    for (Configuration* configuration : model().global().configurations()) {
        if (winpath::equal(configuration->GetPath().view(), *full)) return configuration;
    }
    return nullptr;
}

IConfiguration* FindActiveCfg() {
    for (Configuration* configuration : model().global().configurations()) {
        if (configuration->IsActive()) return configuration;
    }
    return nullptr;
}

ILibrary* FindLibrary(const GUID& id) { return model().library(id); }

ILibrariesGroup* FindLibrariesGroup(const GUID& id) { return model().group(id); }

ILibrary* FindLibraryByName(IConfigurationsGroup* group, LPCWSTR name) {
    if (group != GlobalCfgGroup() || !name) return nullptr;
    for (Configuration* configuration : model().global().configurations()) {
        if (ILibrary* found = findByName(*configuration, name, true)) return found;
    }
    return nullptr;
}

ILibrary* FindLibraryByName(ILibrariesGroup* group, LPCWSTR name, bool recursive) {
    Group* found = asGroup(group);
    return found && name ? findByName(*found, name, recursive) : nullptr;
}

IConfiguration* GetConfiguration(ILibrary* library) {
    Library* found = asLibrary(library);
    return found && found->parent() ? found->parent()->configuration() : nullptr;
}

IConfiguration* CreateConfiguration(LPCWSTR name, bool fromVarnel) {
    if (!name || !*name) return nullptr;
    return model().newConfiguration(name, fromVarnel);
}

ILibrary* CreateLibrary(LPCWSTR name) { return name ? model().newLibrary(name) : nullptr; }

ILibrary* CreateLibrary(const ILibrary* copyOf) {
    const Library* source = asLibrary(const_cast<ILibrary*>(copyOf));
    if (!source) return nullptr;
    Library* copy = model().newLibrary(source->GetName());
    copy->properties() = source->properties();
    // The copy is in no configuration, so a relative path would lose its base.
    const std::wstring folder = libraryFolder(*source);
    copy->setStoredPath(folder.empty() ? source->GetPath() : CString(folder));
    for (const std::wstring& document : source->excludedDocuments()) copy->SetDocumentExcluded(document.c_str(), true);
    return copy;
}

ILibrariesGroup* CreateLibrariesGroup(LPCWSTR name) {
    if (!name || !*name) return nullptr;
    return model().newGroup(name);
}

namespace {

// The configuration file the user chooses to open (or to make); empty when cancelled.
CString AskConfigurationPath(bool open) {
    constexpr UINT kConfigurationFilter = 2238;
    CFileDialog dialog(open ? TRUE : FALSE, L".tws", nullptr,
                       OFN_HIDEREADONLY | OFN_EXPLORER | (open ? OFN_FILEMUSTEXIST : OFN_OVERWRITEPROMPT),
                       KVLoadString(kConfigurationFilter));
    return dialog.DoModal() == IDOK ? dialog.GetPathName() : CString();
}

// A configuration named after its file, read from it (`load`) or written to it, in the group and
// active; null when any step fails.
IConfiguration* AddConfigurationFile(IConfigurationsGroup* group, const CString& path, bool load, bool fromVarnel = false) {
    const std::wstring name = winpath::fileName(path.view());
    const std::size_t dot = name.rfind(L'.');
    IConfiguration* configuration =
        CreateConfiguration(name.substr(0, dot == 0 ? name.size() : dot).c_str(), fromVarnel);
    if (!configuration) return nullptr;
    const bool done = load ? configuration->Load(path) : configuration->SaveAs(path);
    if (!done || !group->AddConfiguration(configuration)) {
        configuration->Destroy();
        return nullptr;
    }
    configuration->SetActive(true);
    return configuration;
}

}  // namespace

IConfiguration* CreateNewConfiguration(IConfigurationsGroup* group) {
    if (group != GlobalCfgGroup()) return nullptr;
    const CString path = AskConfigurationPath(false);
    if (path.IsEmpty() || FindConfigurationByPath(path)) return nullptr;
    return AddConfigurationFile(group, path, false);
}

namespace {

// The configuration file the user chooses, opened (`fromVarnel`: as one the PDM system keeps);
// one that is open already only becomes the active one.
IConfiguration* OpenChosenConfiguration(IConfigurationsGroup* group, bool fromVarnel) {
    if (group != GlobalCfgGroup()) return nullptr;
    const CString path = AskConfigurationPath(true);
    if (path.IsEmpty()) return nullptr;
    if (IConfiguration* open = FindConfigurationByPath(path)) {
        open->SetActive(true);
        return open;
    }
    return AddConfigurationFile(group, path, true, fromVarnel);
}

}  // namespace

IConfiguration* OpenConfiguration(IConfigurationsGroup* group) { return OpenChosenConfiguration(group, false); }

// The PDM system's chooser stands for its configurations as files of the host: the user chooses
// one with the file chooser, as for any configuration.
IConfiguration* OpenConfigurationFromVARNEL(IConfigurationsGroup* group) {
    // Without the PDM system there is nothing to choose from.
    if (!KVPDMWorkMix::IsActive()) return nullptr;
    return OpenChosenConfiguration(group, true);
}

void CloseAllConfigurations(IConfigurationsGroup* group) {
    if (group != GlobalCfgGroup()) return;
    auto& global = model().global();
    global.clients().notify([](IConfigurationsGroup::IClient* client) { client->BeginUpdate(); });
    while (global.GetCount() > 0) {
        Configuration* configuration = global.configurations().back();
        configuration->Save(false);
        configuration->Destroy();
    }
    global.clients().notify([](IConfigurationsGroup::IClient* client) { client->EndUpdate(); });
}

bool SaveAllConfigurations(IConfigurationsGroup* group, bool askForPath) {
    if (group != GlobalCfgGroup()) return false;
    bool all = true;
    for (Configuration* configuration : model().global().configurations()) {
        all = configuration->Save(askForPath) && all;
    }
    return all;
}

void GetInstalledConfigurations(std::vector<CString>& names, std::vector<CString>& paths) {
    names.clear();
    paths.clear();
    for (const auto& [name, path] : platform::kernel::documentsmenu::installedConfigurations()) {
        names.push_back(name);
        paths.push_back(path);
    }
}

void CollectAllLibraries(ILibrariesGroup* group, std::vector<ILibrary*>& libraries) {
    if (Group* found = asGroup(group)) collect(*found, libraries);
}

void CollectAllLibraries(IConfigurationsGroup* group, std::vector<ILibrary*>& libraries) {
    if (group != GlobalCfgGroup()) return;
    for (Configuration* configuration : model().global().configurations()) collect(*configuration, libraries);
}

void ForEachLibraryDocument(ILibrary* library, const LibraryDocumentCallback& callback) {
    Library* found = asLibrary(library);
    if (!found || !callback) return;
    const CString folder = GetLibraryAbsolutePath(found);
    if (folder.IsEmpty()) return;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*.grb").GetString(), &entry);
    if (search == INVALID_HANDLE_VALUE) return;
    bool more = true;
    while (more) {
        const bool document = (entry.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN)) == 0;
        if (document) {
            const CString name(entry.cFileName);
            if (!callback(folder, name, found->IsDocumentExcluded(name))) break;
        }
        more = FindNextFileW(search, &entry) != FALSE;
    }
    FindClose(search);
}

CString GetLibraryAbsolutePath(ILibrary* library) {
    Library* found = asLibrary(library);
    return found ? withSeparator(libraryFolder(*found)) : CString();
}

CString GetLibraryRelativePath(ILibrary* library) {
    Library* found = asLibrary(library);
    if (!found) return {};
    const std::wstring folder = libraryFolder(*found);
    Configuration* configuration = found->parent() ? found->parent()->configuration() : nullptr;
    if (folder.empty() || !configuration || configuration->GetPath().IsEmpty()) return CString(folder);
    const std::wstring base = winpath::parent(configuration->GetPath().view());
    if (winpath::equal(folder, base)) return L".";
    if (!winpath::isWithin(folder, base)) return CString(folder);
    const std::size_t skip = base.size() + (base.back() == L'\\' ? 0 : 1);
    return CString(folder.substr(skip));
}

CString BuildLibraryItemPath(ILibrary* library, LPCWSTR fileName) {
    const CString folder = GetLibraryAbsolutePath(library);
    return folder.IsEmpty() || !fileName ? CString() : folder + fileName;
}

ILibrary* GetLibraryForFullPath(LPCWSTR fullPath) {
    const auto full = fullPath ? winpath::normalize(fullPath) : std::nullopt;
    if (!full) return nullptr;
    const std::wstring folder = winpath::parent(*full);
    std::vector<ILibrary*> libraries;
    CollectAllLibraries(GlobalCfgGroup(), libraries);
    for (ILibrary* library : libraries) {
        if (winpath::equal(libraryFolder(*dynamic_cast<Library*>(library)), folder)) return library;
    }
    return nullptr;
}

}  // namespace DocumentsMenu
