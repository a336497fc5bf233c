// The documents-menu model's objects (private to the kernel stand-in and its harness).
#pragma once

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/text.h"
#include "platform/kernel/documentsmenu/documents_menu.h"

namespace platform::kernel::documentsmenu {

// Clients of one object. Notifying goes over a snapshot and skips a client removed meanwhile;
// it stops when the object itself is destroyed by a client.
template <class Client>
class Clients {
public:
    void add(Client* client) {
        if (client && std::find(list_.begin(), list_.end(), client) == list_.end()) list_.push_back(client);
    }
    void remove(Client* client) { std::erase(list_, client); }
    bool empty() const { return list_.empty(); }

    template <class Call>
    void notify(Call call) {
        const std::weak_ptr<int> alive = token_;
        const std::vector<Client*> snapshot = list_;
        for (Client* client : snapshot) {
            if (alive.expired()) return;
            if (std::find(list_.begin(), list_.end(), client) == list_.end()) continue;
            call(client);
        }
    }

private:
    std::vector<Client*> list_;
    std::shared_ptr<int> token_ = std::make_shared<int>(0);
};

// Texts every object has.
struct Properties {
    CString name, author, company, comment;
};

// Libraries and groups keep their texts alike. The interface is a virtual base, as a
// configuration's group base must be.
template <class Interface>
class Described : public virtual Interface {
public:
    explicit Described(CString name) { properties_.name = std::move(name); }

    void SetComment(LPCWSTR text) override { properties_.comment = text; }
    CString GetComment() const override { return properties_.comment; }
    void SetAuthor(LPCWSTR text) override { properties_.author = text; }
    CString GetAuthor() const override { return properties_.author; }
    void SetCompany(LPCWSTR text) override { properties_.company = text; }
    CString GetCompany() const override { return properties_.company; }

    Properties& properties() { return properties_; }
    const Properties& properties() const { return properties_; }

protected:
    Properties properties_;
};

class Group;
class Configuration;
struct StoredGroup;

class Library final : public Described<DocumentsMenu::ILibrary> {
public:
    Library(const GUID& id, CString name) : Described(std::move(name)), id_(id) {}

    GUID GetId() const override { return id_; }
    void AddClient(IClient* client) override { clients_.add(client); }
    void RemoveClient(IClient* client) override { clients_.remove(client); }
    bool SetPath(LPCWSTR path) override;
    CString GetPath() const override { return path_; }
    bool SetName(LPCWSTR name) override;
    CString GetDisplayName() const override;
    CString GetName() const override { return properties_.name; }
    CString GetSearchName() const override;
    DocumentsMenu::ILibrariesGroup* GetParent() const override;
    void SetDocumentExcluded(LPCWSTR fileName, bool excluded) override;
    bool IsDocumentExcluded(LPCWSTR fileName) const override;
    bool IsExcluded() const override { return excluded_; }

    Group* parent() const { return parent_; }
    void setParent(Group* parent) { parent_ = parent; }
    void setExcluded(bool excluded) { excluded_ = excluded; }
    // Without checks or notifications: for reading a file and for copies.
    void setStoredPath(CString path) { path_ = std::move(path); }
    const std::set<std::wstring, platform::core::NoCaseLess>& excludedDocuments() const { return excludedDocuments_; }
    Clients<IClient>& clients() { return clients_; }
    // True the first time: a client that destroys the object again while it is going away is ignored.
    bool startDying() { return !std::exchange(dying_, true); }

private:
    GUID id_;
    bool dying_ = false;
    CString path_;
    bool excluded_ = false;
    Group* parent_ = nullptr;
    std::set<std::wstring, platform::core::NoCaseLess> excludedDocuments_;
    Clients<IClient> clients_;
};

class Group : public Described<DocumentsMenu::ILibrariesGroup> {
public:
    Group(const GUID& id, CString name) : Described(std::move(name)), id_(id) {}
    virtual ~Group() = default;

    void Destroy() override;
    GUID GetId() const override { return id_; }
    void AddClient(IClient* client) override { clients_.add(client); }
    void RemoveClient(IClient* client) override { clients_.remove(client); }
    bool SetName(LPCWSTR name) override;
    CString GetDisplayName() const override { return properties_.name; }
    CString GetName() const override { return properties_.name; }
    CString GetSearchName() const override;
    int GetLibraryCount() const override { return static_cast<int>(libraries_.size()); }
    DocumentsMenu::ILibrary* GetLibraryAt(int index) const override;
    bool AddLibrary(DocumentsMenu::ILibrary* library) override;
    int GetGroupCount() const override { return static_cast<int>(groups_.size()); }
    DocumentsMenu::ILibrariesGroup* GetGroupAt(int index) const override;
    bool AddLibrariesGroup(DocumentsMenu::ILibrariesGroup* group) override;
    DocumentsMenu::ILibrariesGroup* GetParent() const override { return parent_; }
    bool IsExcluded() const override { return excluded_; }

    Group* parent() const { return parent_; }
    void setParent(Group* parent) { parent_ = parent; }
    void setExcluded(bool excluded) { excluded_ = excluded; }
    // The configuration at the top of this group's chain, or null.
    virtual Configuration* configuration();
    const std::vector<Library*>& libraries() const { return libraries_; }
    const std::vector<Group*>& groups() const { return groups_; }
    // Libraries and groups as they came, mixed (the file's order, then additions): a saved file
    // keeps the order it was read in.
    const std::vector<const void*>& childOrder() const { return childOrder_; }
    Clients<IClient>& clients() { return clients_; }

    // Builds the stored children below this group without notifications (a file being read);
    // false when some child could not keep its stored id (none, or one another object has).
    bool adoptStored(const StoredGroup& stored);
    // Takes the child out of this group's lists (no notification); false when it is not there.
    bool detachLibrary(Library* library);
    bool detachGroup(Group* group);
    // Destroys every child (each gets its destroyed notification), keeping this group.
    void destroyChildren();
    // Fires the removed notification, destroys the children, fires destroyed: the model then
    // forgets the object.
    void notifyGoingAway(bool removed);
    bool startDying() { return !std::exchange(dying_, true); }
    // Only the model changes an id, keeping its own index current.
    void setId(const GUID& id) { id_ = id; }

private:
    GUID id_;
    bool dying_ = false;
    bool excluded_ = false;
    Group* parent_ = nullptr;
    std::vector<Library*> libraries_;
    std::vector<Group*> groups_;
    std::vector<const void*> childOrder_;
    Clients<IClient> clients_;
};

class Configuration final : public DocumentsMenu::IConfiguration, public Group {
public:
    Configuration(const GUID& id, CString name, bool fromVarnel)
        : Group(id, std::move(name)), fromVarnel_(fromVarnel) {}

    void Destroy() override;
    void SetActive(bool active) override;
    bool IsActive() const override { return active_; }
    bool Load(LPCWSTR path) override;
    bool Save(bool askForPath) override;
    bool SaveAs(LPCWSTR path) override;
    CString GetPath() const override { return path_; }
    bool IsFromVarnel() const override { return fromVarnel_; }

    Configuration* configuration() override { return this; }
    void setActiveFlag(bool active) { active_ = active; }
    void setStoredPath(CString path) { path_ = std::move(path); }
    // The clients that also want the configuration's own notifications.
    template <class Call>
    void notifyConfigurationClients(Call call) {
        clients().notify([&](DocumentsMenu::ILibrariesGroup::IClient* client) {
            if (auto* own = dynamic_cast<DocumentsMenu::IConfiguration::IClient*>(client)) call(own);
        });
    }

private:
    CString path_;
    bool active_ = false;
    bool fromVarnel_ = false;
};

class ConfigurationsGroup final : public DocumentsMenu::IConfigurationsGroup {
public:
    void AddClient(IClient* client) override { clients_.add(client); }
    void RemoveClient(IClient* client) override { clients_.remove(client); }
    int GetCount() const override { return static_cast<int>(configurations_.size()); }
    DocumentsMenu::IConfiguration* GetConfigurationAt(int index) const override;
    bool AddConfiguration(DocumentsMenu::IConfiguration* configuration) override;

    const std::vector<Configuration*>& configurations() const { return configurations_; }
    bool contains(const Configuration* configuration) const;
    bool detach(Configuration* configuration);
    Clients<IClient>& clients() { return clients_; }

private:
    std::vector<Configuration*> configurations_;
    Clients<IClient> clients_;
};

// Every object of the model, by id. Objects live here from creation to Destroy (or to the end of
// the process).
class Model {
public:
    ConfigurationsGroup& global() { return global_; }
    // A new unique identifier: made once, then kept in the configuration file, so that what the
    // user remembers of an object (expanded, hidden) finds it again in any later run, whatever
    // else is open and in whichever order.
    GUID newId();
    // `wanted` when it is a valid id no live object has, else a new one.
    GUID idFor(const GUID& wanted);
    // Gives the group `wanted` when it is a valid id no other live object has; false otherwise
    // (the group keeps its id).
    bool takeId(Group* group, const GUID& wanted);

    Library* newLibrary(CString name, const GUID* wanted = nullptr);
    Group* newGroup(CString name, const GUID* wanted = nullptr);
    Configuration* newConfiguration(CString name, bool fromVarnel);

    Library* library(const GUID& id) const;
    Group* group(const GUID& id) const;  // configurations too
    bool alive(const DocumentsMenu::ILibrary* library) const;
    bool alive(const DocumentsMenu::ILibrariesGroup* group) const;

    // Frees the object; the caller has detached it and sent its notifications.
    void forget(Library* library);
    void forget(Group* group);

    // Every live library and group (for path lookups and the harness's dumps).
    std::vector<Library*> allLibraries() const;

private:
    struct IdLess {
        bool operator()(const GUID& a, const GUID& b) const;
    };
    ConfigurationsGroup global_;
    std::map<GUID, std::unique_ptr<Library>, IdLess> libraries_;
    std::map<GUID, std::unique_ptr<Group>, IdLess> groups_;
    // Live objects by address, so a pointer held after its object was destroyed is recognised
    // without being read.
    std::set<const DocumentsMenu::ILibrary*> liveLibraries_;
    std::set<const DocumentsMenu::ILibrariesGroup*> liveGroups_;
};

Model& model();
Library* asLibrary(DocumentsMenu::ILibrary* library);
Group* asGroup(DocumentsMenu::ILibrariesGroup* group);

// A configuration file's content (store.cpp).
struct StoredLibrary {
    GUID id{};
    Properties properties;
    CString path;
    bool excluded = false;
    std::vector<std::wstring> excludedDocuments;
};
struct StoredGroup {
    GUID id{};
    Properties properties;
    bool excluded = false;
    std::vector<StoredGroup> groups;
    std::vector<StoredLibrary> libraries;
    // Per child element in the file's order: true for a group, false for a library.
    std::vector<bool> order;
};
// The text of a configuration file; nothing, with `error` saying "<origin>(<line>): <problem>",
// when it is malformed.
std::optional<StoredGroup> parseConfigurationText(const std::string& bytes, std::wstring_view origin,
                                                  std::wstring& error);
// Nothing, with a warning naming file and line, when the file cannot be read or is malformed.
std::optional<StoredGroup> readConfigurationFile(std::wstring_view path);
bool writeConfigurationFile(const Configuration& configuration, std::wstring_view path);

// What GetInstalledConfigurations answers (name, path), set by the harness.
std::vector<std::pair<CString, CString>>& installedConfigurations();

// Takes a library out of its group and destroys it (removed, then destroyed notifications).
void destroyLibrary(Library* library);

// The library folder, absolute, normalised, without a trailing separator; empty without a path.
std::wstring libraryFolder(const Library& library);

}  // namespace platform::kernel::documentsmenu
