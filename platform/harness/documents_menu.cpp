#include "platform/harness/documents_menu.h"

#include "platform/core/text.h"
#include "platform/core/useragent.h"
#include "platform/core/winpath.h"
#include "platform/kernel/documentsmenu/model.h"
#include "platform/kernel/services/folder_chooser.h"
#include "platform/win32/files/file.h"

namespace platform::harness {

namespace {

using namespace platform::kernel::documentsmenu;
using DocumentsMenu::IConfiguration;
using DocumentsMenu::ILibrariesGroup;
using DocumentsMenu::ILibrary;

template <class Found>
Found* findIn(const Group& group, std::wstring_view name, Found* (*match)(Group&, std::wstring_view)) {
    for (Group* sub : group.groups()) {
        if (Found* found = match(*sub, name)) return found;
        if (Found* found = findIn(*sub, name, match)) return found;
    }
    return nullptr;
}

Group* groupNamed(Group& group, std::wstring_view name) {
    return platform::core::equalsNoCase(group.GetDisplayName().view(), name) ? &group : nullptr;
}

Library* libraryIn(Group& group, std::wstring_view name) {
    for (Library* library : group.libraries()) {
        if (platform::core::equalsNoCase(library->GetDisplayName().view(), name)) return library;
    }
    return nullptr;
}

void notifyParentChildren(Group* parent, bool libraries) {
    if (!parent) return;
    parent->clients().notify([&](ILibrariesGroup::IClient* client) {
        if (libraries) {
            client->LibrariesChanged(parent);
        } else {
            client->GroupsChanged(parent);
        }
    });
}

void dumpGroup(const Group& group, int depth, std::wstring& out) {
    const std::wstring indent(static_cast<std::size_t>(depth) * 2, L' ');
    for (const Group* sub : group.groups()) {
        out += indent + L"group \"" + std::wstring(sub->GetDisplayName().view()) + L"\"" +
               (sub->IsExcluded() ? L" excluded" : L"") + L"\n";
        dumpGroup(*sub, depth + 1, out);
    }
    for (const Library* library : group.libraries()) {
        out += indent + L"library \"" + std::wstring(library->GetDisplayName().view()) + L"\" " +
               std::wstring(library->GetPath().view()) + (library->IsExcluded() ? L" excluded" : L"");
        for (const std::wstring& document : library->excludedDocuments()) out += L" -" + document;
        out += L"\n";
    }
}

}  // namespace

IConfiguration* DocumentsMenuModel::addConfiguration(std::wstring_view path, std::wstring_view name) {
    IConfiguration* configuration = DocumentsMenu::CreateConfiguration(std::wstring(name).c_str(), false);
    if (!configuration) return nullptr;
    const std::wstring file(path);
    const std::wstring folder(platform::core::winpath::folderPart(file));
    if (!folder.empty()) platform::files::createDirectories(folder);
    if (!configuration->SaveAs(file.c_str()) || !DocumentsMenu::GlobalCfgGroup()->AddConfiguration(configuration)) {
        configuration->Destroy();
        return nullptr;
    }
    return configuration;
}

ILibrariesGroup* DocumentsMenuModel::addGroup(ILibrariesGroup* parent, std::wstring_view name) {
    if (!asGroup(parent)) return nullptr;
    ILibrariesGroup* group = DocumentsMenu::CreateLibrariesGroup(std::wstring(name).c_str());
    if (group && !parent->AddLibrariesGroup(group)) {
        group->Destroy();
        return nullptr;
    }
    return group;
}

ILibrary* DocumentsMenuModel::addLibrary(ILibrariesGroup* parent, std::wstring_view name, std::wstring_view path) {
    if (!asGroup(parent)) return nullptr;
    ILibrary* library = DocumentsMenu::CreateLibrary(std::wstring(name).c_str());
    if (!library) return nullptr;
    // The path is set once the library is in its configuration, so a relative one has its base.
    if (!parent->AddLibrary(library)) {
        destroyLibrary(asLibrary(library));
        return nullptr;
    }
    asLibrary(library)->setStoredPath(CString(std::wstring(path)));
    const CString folder = DocumentsMenu::GetLibraryAbsolutePath(library);
    if (!folder.IsEmpty()) platform::files::createDirectories(folder.view());
    return library;
}

void DocumentsMenuModel::removeLibrary(ILibrary* library) { destroyLibrary(asLibrary(library)); }

void DocumentsMenuModel::contentsChanged(ILibrary* library) {
    if (Library* found = asLibrary(library)) {
        found->clients().notify([&](ILibrary::IClient* client) { client->LibraryContentsChanged(found); });
    }
}

void DocumentsMenuModel::setExcluded(ILibrariesGroup* group, bool excluded) {
    Group* found = asGroup(group);
    if (!found || found->IsExcluded() == excluded) return;
    found->setExcluded(excluded);
    notifyParentChildren(found->parent(), false);
}

void DocumentsMenuModel::setExcluded(ILibrary* library, bool excluded) {
    Library* found = asLibrary(library);
    if (!found || found->IsExcluded() == excluded) return;
    found->setExcluded(excluded);
    notifyParentChildren(found->parent(), true);
}

void DocumentsMenuModel::setInstalledConfigurations(std::vector<std::pair<std::wstring, std::wstring>> namesAndPaths) {
    auto& installed = installedConfigurations();
    installed.clear();
    for (auto& [name, path] : namesAndPaths) installed.emplace_back(CString(name), CString(path));
}

void DocumentsMenuModel::answerFolderChooser(std::optional<std::wstring> folder) {
    platform::core::userAgent().expectKernelDialog(L"folder", std::move(folder));
}

IConfiguration* DocumentsMenuModel::configuration(std::wstring_view name) const {
    for (Configuration* configuration : model().global().configurations()) {
        if (platform::core::equalsNoCase(configuration->GetDisplayName().view(), name)) return configuration;
    }
    return nullptr;
}

ILibrariesGroup* DocumentsMenuModel::group(std::wstring_view name) const {
    for (Configuration* configuration : model().global().configurations()) {
        if (Group* found = findIn<Group>(*configuration, name, groupNamed)) return found;
    }
    return nullptr;
}

ILibrary* DocumentsMenuModel::library(std::wstring_view name) const {
    for (Configuration* configuration : model().global().configurations()) {
        if (Library* found = libraryIn(*configuration, name)) return found;
        if (Library* found = findIn<Library>(*configuration, name, libraryIn)) return found;
    }
    return nullptr;
}

std::wstring DocumentsMenuModel::dump() const {
    std::wstring out;
    for (const Configuration* configuration : model().global().configurations()) {
        out += L"configuration \"" + std::wstring(configuration->GetDisplayName().view()) + L"\" " +
               std::wstring(configuration->GetPath().view()) + (configuration->IsActive() ? L" active" : L"") + L"\n";
        dumpGroup(*configuration, 1, out);
    }
    return out;
}

}  // namespace platform::harness
