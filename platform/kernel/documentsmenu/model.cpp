#include "platform/kernel/documentsmenu/model.h"

#include <cstdint>
#include <optional>
#include <random>
#include <tuple>

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/winpath.h"
#include "platform/textcore.h"
#include "platform/win32/files/file.h"

namespace platform::kernel::documentsmenu {

using DocumentsMenu::IConfiguration;
using DocumentsMenu::ILibrariesGroup;
using DocumentsMenu::ILibrary;

namespace winpath = platform::core::winpath;

// --- Library ---

bool Library::SetPath(LPCWSTR path) {
    if (!path || !*path) return false;
    const CString old = path_;
    path_ = path;
    const std::wstring folder = libraryFolder(*this);
    if (folder.empty() || !platform::files::isDirectory(folder)) {
        path_ = old;
        return false;
    }
    if (path_ != old) clients_.notify([&](IClient* client) { client->LibraryPathChanged(this); });
    return true;
}

bool Library::SetName(LPCWSTR name) {
    if (!name) return false;
    if (properties_.name == name) return true;
    properties_.name = name;
    clients_.notify([&](IClient* client) { client->LibraryNameChanged(this); });
    return true;
}

CString Library::GetDisplayName() const {
    if (!properties_.name.IsEmpty()) return properties_.name;
    const std::wstring folder = libraryFolder(*this);
    return folder.empty() ? CString() : CString(winpath::fileName(folder));
}

CString Library::GetSearchName() const { return Korvo::GetSearchableEquivalent(GetDisplayName()); }

ILibrariesGroup* Library::GetParent() const { return parent_; }

void Library::SetDocumentExcluded(LPCWSTR fileName, bool excluded) {
    if (!fileName || !*fileName) return;
    if (excluded) {
        excludedDocuments_.insert(fileName);
    } else {
        excludedDocuments_.erase(std::wstring(fileName));
    }
}

bool Library::IsDocumentExcluded(LPCWSTR fileName) const {
    return fileName && excludedDocuments_.contains(std::wstring_view(fileName));
}

// --- Group ---

namespace {

// Every library at or below `group` with the folder it names now.
void collectFolders(const Group& group, std::vector<std::pair<Library*, std::wstring>>& out) {
    for (Library* library : group.libraries()) out.emplace_back(library, libraryFolder(*library));
    for (const Group* sub : group.groups()) collectFolders(*sub, out);
}

// A library that moved keeps its folder: a path relative to its old configuration's folder would
// name another folder (or none) below the new one. It is written relative to the new
// configuration's folder when it lies there, else in full, as a copy's is.
void keepFolder(Library& library, const std::wstring& folder) {
    if (folder.empty() || winpath::equal(libraryFolder(library), folder)) return;
    library.setStoredPath(CString(folder));
    Configuration* configuration = library.parent() ? library.parent()->configuration() : nullptr;
    if (configuration && !configuration->GetPath().IsEmpty()) {
        const std::wstring base = winpath::parent(configuration->GetPath().view());
        if (winpath::equal(folder, base)) {
            library.setStoredPath(CString(L"."));
        } else if (winpath::isWithin(folder, base)) {
            library.setStoredPath(CString(folder.substr(base.size() + (base.back() == L'\\' ? 0 : 1))));
        }
    }
    library.clients().notify([&](ILibrary::IClient* client) { client->LibraryPathChanged(&library); });
}

}  // namespace

void Group::Destroy() {
    Model& objects = model();
    if (!objects.alive(static_cast<ILibrariesGroup*>(this)) || !startDying()) return;
    Group* oldParent = parent_;
    if (oldParent) oldParent->detachGroup(this);
    notifyGoingAway(oldParent != nullptr);
    objects.forget(this);
}

bool Group::SetName(LPCWSTR name) {
    if (!name || !*name) return false;
    if (properties_.name == name) return true;
    properties_.name = name;
    clients_.notify([&](IClient* client) { client->GroupNameChanged(this); });
    return true;
}

CString Group::GetSearchName() const { return Korvo::GetSearchableEquivalent(GetDisplayName()); }

ILibrary* Group::GetLibraryAt(int index) const {
    return index >= 0 && index < GetLibraryCount() ? libraries_[static_cast<std::size_t>(index)] : nullptr;
}

ILibrariesGroup* Group::GetGroupAt(int index) const {
    return index >= 0 && index < GetGroupCount() ? groups_[static_cast<std::size_t>(index)] : nullptr;
}

bool Group::AddLibrary(ILibrary* library) {
    Library* added = asLibrary(library);
    if (!added || added->parent() == this) return false;
    const std::wstring folder = libraryFolder(*added);
    // A library has one place: added elsewhere, it moves, and its old group's list changes.
    if (Group* old = added->parent()) {
        old->detachLibrary(added);
        old->clients_.notify([&](IClient* client) { client->LibrariesChanged(old); });
    }
    libraries_.push_back(added);
    childOrder_.push_back(added);
    added->setParent(this);
    keepFolder(*added, folder);
    clients_.notify([&](IClient* client) { client->LibraryAdded(this, added); });
    return true;
}

bool Group::AddLibrariesGroup(ILibrariesGroup* group) {
    Group* added = asGroup(group);
    if (!added || added->parent() == this || added->configuration() == added) return false;
    for (Group* above = this; above; above = above->parent()) {
        if (above == added) return false;  // a group cannot hold itself
    }
    std::vector<std::pair<Library*, std::wstring>> folders;
    collectFolders(*added, folders);
    // A group has one place, as a library has: added elsewhere, it moves with all it holds, and
    // its old group's list changes.
    if (Group* old = added->parent()) {
        old->detachGroup(added);
        old->clients_.notify([&](IClient* client) { client->GroupsChanged(old); });
    }
    groups_.push_back(added);
    childOrder_.push_back(added);
    added->setParent(this);
    for (const auto& [moved, folder] : folders) keepFolder(*moved, folder);
    clients_.notify([&](IClient* client) { client->LibrariesGroupAdded(this, added); });
    return true;
}

Configuration* Group::configuration() { return parent_ ? parent_->configuration() : nullptr; }

bool Group::adoptStored(const StoredGroup& stored) {
    Model& objects = model();
    bool kept = true;
    const auto adoptGroup = [&](const StoredGroup& storedGroup) {
        Group* group = objects.newGroup(storedGroup.properties.name, &storedGroup.id);
        kept = kept && group->GetId() == storedGroup.id;
        group->properties() = storedGroup.properties;
        group->setExcluded(storedGroup.excluded);
        group->setParent(this);
        groups_.push_back(group);
        childOrder_.push_back(group);
        kept = group->adoptStored(storedGroup) && kept;
    };
    const auto adoptLibrary = [&](const StoredLibrary& storedLibrary) {
        Library* library = objects.newLibrary(storedLibrary.properties.name, &storedLibrary.id);
        kept = kept && library->GetId() == storedLibrary.id;
        library->properties() = storedLibrary.properties;
        library->setStoredPath(storedLibrary.path);
        library->setExcluded(storedLibrary.excluded);
        for (const std::wstring& name : storedLibrary.excludedDocuments)
            library->SetDocumentExcluded(name.c_str(), true);
        library->setParent(this);
        libraries_.push_back(library);
        childOrder_.push_back(library);
    };
    std::size_t nextGroup = 0;
    std::size_t nextLibrary = 0;
    for (const bool isGroup : stored.order) {
        if (isGroup && nextGroup < stored.groups.size()) adoptGroup(stored.groups[nextGroup++]);
        if (!isGroup && nextLibrary < stored.libraries.size()) adoptLibrary(stored.libraries[nextLibrary++]);
    }
    // Children the order does not name (none from a file) follow, groups first.
    while (nextGroup < stored.groups.size()) adoptGroup(stored.groups[nextGroup++]);
    while (nextLibrary < stored.libraries.size()) adoptLibrary(stored.libraries[nextLibrary++]);
    return kept;
}

bool Group::detachLibrary(Library* library) {
    const auto found = std::find(libraries_.begin(), libraries_.end(), library);
    if (found == libraries_.end()) return false;
    libraries_.erase(found);
    std::erase(childOrder_, static_cast<const void*>(library));
    library->setParent(nullptr);
    return true;
}

bool Group::detachGroup(Group* group) {
    const auto found = std::find(groups_.begin(), groups_.end(), group);
    if (found == groups_.end()) return false;
    groups_.erase(found);
    std::erase(childOrder_, static_cast<const void*>(group));
    group->setParent(nullptr);
    return true;
}

void Group::destroyChildren() {
    Model& objects = model();
    while (!libraries_.empty()) {
        Library* library = libraries_.back();
        detachLibrary(library);
        library->startDying();
        library->clients().notify([&](ILibrary::IClient* client) { client->LibraryDestroyed(library); });
        objects.forget(library);
    }
    while (!groups_.empty()) {
        Group* group = groups_.back();
        detachGroup(group);
        group->startDying();
        group->notifyGoingAway(false);
        objects.forget(group);
    }
}

void Group::notifyGoingAway(bool removed) {
    if (removed) clients_.notify([&](IClient* client) { client->GroupRemoved(this); });
    destroyChildren();
    clients_.notify([&](IClient* client) { client->GroupDestroyed(this); });
}

// --- Configuration ---

void Configuration::Destroy() {
    Model& objects = model();
    if (!objects.alive(static_cast<ILibrariesGroup*>(this)) || !startDying()) return;
    const bool listed = objects.global().detach(this);
    active_ = false;
    if (listed) objects.global().clients().notify([](auto* client) { client->ConfigurationsChanged(); });
    notifyGoingAway(listed);
    objects.forget(this);
}

void Configuration::SetActive(bool active) {
    if (active == active_) return;
    if (active) {
        for (Configuration* other : model().global().configurations()) {
            if (other == this || !other->IsActive()) continue;
            other->setActiveFlag(false);
            other->notifyConfigurationClients([&](IConfiguration::IClient* client) { client->ActiveChanged(other); });
        }
    }
    active_ = active;
    notifyConfigurationClients([&](IConfiguration::IClient* client) { client->ActiveChanged(this); });
}

bool Configuration::Load(LPCWSTR path) {
    const auto full = path ? winpath::normalize(path) : std::nullopt;
    if (!full) return false;
    const std::optional<StoredGroup> stored = readConfigurationFile(*full);
    if (!stored) return false;
    const CString oldPath = path_;
    // The old children go first, so the file's ids are free for the new ones.
    destroyChildren();
    properties() = stored->properties;
    const bool ownIdKept = GetId() == stored->id || model().takeId(this, stored->id);
    const bool idsKept = adoptStored(*stored) && ownIdKept;
    path_ = CString(*full);
    // Ids are made once and kept: a file written before ids were stored, or whose ids another
    // open file holds already, gets its new ones at once.
    if (!idsKept) writeConfigurationFile(*this, path_.view());
    if (path_ != oldPath)
        notifyConfigurationClients([&](IConfiguration::IClient* client) { client->PathChanged(this); });
    notifyConfigurationClients([&](IConfiguration::IClient* client) {
        if (fromVarnel_) {
            client->ReloadedFromVarnel(this);
        } else {
            client->Reloaded(this);
        }
    });
    return true;
}

bool Configuration::Save(bool askForPath) {
    if (path_.IsEmpty()) {
        if (askForPath)
            platform::core::reportFailure(
                L"IConfiguration::Save(true): the stand-in has no file dialog to ask for a path");
        return false;
    }
    return writeConfigurationFile(*this, path_.view());
}

bool Configuration::SaveAs(LPCWSTR path) {
    const auto full = path ? winpath::normalize(path) : std::nullopt;
    if (!full || !writeConfigurationFile(*this, *full)) return false;
    if (!winpath::equal(*full, path_.view())) {
        path_ = CString(*full);
        notifyConfigurationClients([&](IConfiguration::IClient* client) { client->PathChanged(this); });
    }
    return true;
}

// --- ConfigurationsGroup ---

IConfiguration* ConfigurationsGroup::GetConfigurationAt(int index) const {
    return index >= 0 && index < GetCount() ? configurations_[static_cast<std::size_t>(index)] : nullptr;
}

bool ConfigurationsGroup::contains(const Configuration* configuration) const {
    return std::find(configurations_.begin(), configurations_.end(), configuration) != configurations_.end();
}

bool ConfigurationsGroup::AddConfiguration(IConfiguration* configuration) {
    auto* added = dynamic_cast<Configuration*>(asGroup(configuration));
    if (!added || contains(added)) return false;
    for (Configuration* other : configurations_) {
        if (!added->GetPath().IsEmpty() && winpath::equal(other->GetPath().view(), added->GetPath().view()))
            return false;
    }
    configurations_.push_back(added);
    clients_.notify([&](IClient* client) { client->ConfigurationAdded(added); });
    return true;
}

bool ConfigurationsGroup::detach(Configuration* configuration) {
    const auto found = std::find(configurations_.begin(), configurations_.end(), configuration);
    if (found == configurations_.end()) return false;
    configurations_.erase(found);
    return true;
}

// --- Model ---

bool Model::IdLess::operator()(const GUID& a, const GUID& b) const {
    return std::tie(a.Data1, a.Data2, a.Data3) < std::tie(b.Data1, b.Data2, b.Data3) ||
           (std::tie(a.Data1, a.Data2, a.Data3) == std::tie(b.Data1, b.Data2, b.Data3) &&
            std::lexicographical_compare(a.Data4, a.Data4 + 8, b.Data4, b.Data4 + 8));
}

GUID Model::newId() {
    // A version-4 identifier, as the system makes them: unique across runs and files.
    static std::mt19937_64 random{std::random_device{}()};
    GUID id;
    do {
        const std::uint64_t high = random();
        const std::uint64_t low = random();
        id.Data1 = static_cast<DWORD>(high >> 32);
        id.Data2 = static_cast<WORD>(high >> 16);
        id.Data3 = static_cast<WORD>((high & 0x0FFF) | 0x4000);
        for (int i = 0; i < 8; ++i) id.Data4[i] = static_cast<BYTE>(low >> (56 - 8 * i));
        id.Data4[0] = static_cast<BYTE>((id.Data4[0] & 0x3F) | 0x80);
    } while (libraries_.contains(id) || groups_.contains(id));
    return id;
}

bool Model::takeId(Group* group, const GUID& wanted) {
    if (!group || wanted == GUID{} || libraries_.contains(wanted) || groups_.contains(wanted)) return false;
    const auto found = groups_.find(group->GetId());
    if (found == groups_.end() || found->second.get() != group) return false;
    std::unique_ptr<Group> owned = std::move(found->second);
    groups_.erase(found);
    group->setId(wanted);
    groups_[wanted] = std::move(owned);
    return true;
}

GUID Model::idFor(const GUID& wanted) {
    const bool valid = !(wanted == GUID{});
    return valid && !libraries_.contains(wanted) && !groups_.contains(wanted) ? wanted : newId();
}

Library* Model::newLibrary(CString name, const GUID* wanted) {
    const GUID id = wanted ? idFor(*wanted) : newId();
    auto& slot = libraries_[id];
    slot = std::make_unique<Library>(id, std::move(name));
    liveLibraries_.insert(slot.get());
    return slot.get();
}

Group* Model::newGroup(CString name, const GUID* wanted) {
    const GUID id = wanted ? idFor(*wanted) : newId();
    auto& slot = groups_[id];
    slot = std::make_unique<Group>(id, std::move(name));
    liveGroups_.insert(slot.get());
    return slot.get();
}

Configuration* Model::newConfiguration(CString name, bool fromVarnel) {
    const GUID id = newId();
    auto configuration = std::make_unique<Configuration>(id, std::move(name), fromVarnel);
    Configuration* result = configuration.get();
    liveGroups_.insert(static_cast<ILibrariesGroup*>(result));
    groups_[id] = std::move(configuration);
    return result;
}

Library* Model::library(const GUID& id) const {
    const auto found = libraries_.find(id);
    return found == libraries_.end() ? nullptr : found->second.get();
}

Group* Model::group(const GUID& id) const {
    const auto found = groups_.find(id);
    return found == groups_.end() ? nullptr : found->second.get();
}

bool Model::alive(const ILibrary* library) const { return liveLibraries_.contains(library); }

bool Model::alive(const ILibrariesGroup* group) const { return liveGroups_.contains(group); }

void Model::forget(Library* library) {
    liveLibraries_.erase(library);
    libraries_.erase(library->GetId());
}

void Model::forget(Group* group) {
    liveGroups_.erase(static_cast<ILibrariesGroup*>(group));
    groups_.erase(group->GetId());
}

std::vector<Library*> Model::allLibraries() const {
    std::vector<Library*> result;
    for (const auto& [id, library] : libraries_) result.push_back(library.get());
    return result;
}

Model& model() {
    // The kernel's library outlives the program's objects (it is unloaded after them), so a window
    // that still listens when the process ends finds its model.
    static Model& instance = platform::core::process().table<Model>();
    return instance;
}

std::vector<std::pair<CString, CString>>& installedConfigurations() {
    static std::vector<std::pair<CString, CString>> list;
    return list;
}

void destroyLibrary(Library* library) {
    Model& objects = model();
    if (!objects.alive(library) || !library->startDying()) return;
    Group* parent = library->parent();
    if (parent) parent->detachLibrary(library);
    if (parent) library->clients().notify([&](ILibrary::IClient* client) { client->LibraryRemoved(library); });
    library->clients().notify([&](ILibrary::IClient* client) { client->LibraryDestroyed(library); });
    objects.forget(library);
}

Library* asLibrary(ILibrary* library) { return model().alive(library) ? dynamic_cast<Library*>(library) : nullptr; }

Group* asGroup(ILibrariesGroup* group) { return model().alive(group) ? dynamic_cast<Group*>(group) : nullptr; }

std::wstring libraryFolder(const Library& library) {
    const std::wstring stored(library.GetPath().view());
    if (stored.empty()) return {};
    std::optional<std::wstring> folder;
    if (!winpath::isRelative(stored)) {
        folder = winpath::normalize(stored);
    } else {
        Group* parent = library.parent();
        Configuration* configuration = parent ? parent->configuration() : nullptr;
        const CString base = configuration && !configuration->GetPath().IsEmpty()
                                 ? CString(winpath::parent(configuration->GetPath().view()))
                                 : CString();
        std::vector<wchar_t> buffer(MAX_PATH * 4);
        if (!base.IsEmpty()) {
            folder = winpath::combine(base.view(), stored);
        } else if (GetFullPathNameW(stored.c_str(), static_cast<DWORD>(buffer.size()), buffer.data(), nullptr) > 0) {
            folder = std::wstring(buffer.data());
        }
    }
    return folder.value_or(std::wstring());
}

}  // namespace platform::kernel::documentsmenu
