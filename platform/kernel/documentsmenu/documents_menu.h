// The kernel's documents-menu model: library configurations (files), libraries groups and
// libraries (folders of documents). The kernel owns every object; a pointer stays valid until the
// object's destroyed notification. Notifications come on the UI thread at the moment the model
// changes; a client may add or remove clients (itself included) while it is being notified.
#pragma once

#include <functional>
#include <vector>

#include "platform/mfc.h"

namespace DocumentsMenu {

class ILibrary;
class ILibrariesGroup;
class IConfiguration;

class ILibrary {
public:
    class IClient {
    public:
        virtual void LibraryPathChanged(ILibrary* library) = 0;
        virtual void LibraryNameChanged(ILibrary* library) = 0;
        virtual void LibraryRemoved(ILibrary* library) = 0;
        virtual void LibraryDestroyed(ILibrary* library) = 0;
        virtual void LibraryContentsChanged(ILibrary* library) = 0;

    protected:
        ~IClient() = default;
    };

    virtual GUID GetId() const = 0;
    virtual void AddClient(IClient* client) = 0;
    virtual void RemoveClient(IClient* client) = 0;
    // False when refused: an empty path, or one that names no existing folder.
    virtual bool SetPath(LPCWSTR path) = 0;
    // As stored: relative paths are relative to the folder of the configuration file.
    virtual CString GetPath() const = 0;
    virtual bool SetName(LPCWSTR name) = 0;
    // The name, or the folder's own name when the library has none.
    virtual CString GetDisplayName() const = 0;
    virtual CString GetName() const = 0;
    // The display name folded for searching (Korvo::GetSearchableEquivalent).
    virtual CString GetSearchName() const = 0;
    virtual void SetComment(LPCWSTR text) = 0;
    virtual CString GetComment() const = 0;
    virtual void SetAuthor(LPCWSTR text) = 0;
    virtual CString GetAuthor() const = 0;
    virtual void SetCompany(LPCWSTR text) = 0;
    virtual CString GetCompany() const = 0;
    virtual ILibrariesGroup* GetParent() const = 0;
    // Exclusions are kept by file name (case-insensitive) and saved with the configuration.
    virtual void SetDocumentExcluded(LPCWSTR fileName, bool excluded) = 0;
    virtual bool IsDocumentExcluded(LPCWSTR fileName) const = 0;
    virtual bool IsExcluded() const = 0;

protected:
    ~ILibrary() = default;
};

class ILibrariesGroup {
public:
    class IClient {
    public:
        virtual void LibraryAdded(ILibrariesGroup* group, ILibrary* library) = 0;
        virtual void LibrariesGroupAdded(ILibrariesGroup* group, ILibrariesGroup* added) = 0;
        virtual void GroupNameChanged(ILibrariesGroup* group) = 0;
        virtual void GroupRemoved(ILibrariesGroup* group) = 0;
        virtual void GroupDestroyed(ILibrariesGroup* group) = 0;
        // The list of libraries, or of sub-groups, changed otherwise than by one addition.
        virtual void LibrariesChanged(ILibrariesGroup* group) = 0;
        virtual void GroupsChanged(ILibrariesGroup* group) = 0;

    protected:
        ~IClient() = default;
    };

    // Destroys the object and everything below it; it leaves its parent first.
    virtual void Destroy() = 0;
    virtual GUID GetId() const = 0;
    virtual void AddClient(IClient* client) = 0;
    virtual void RemoveClient(IClient* client) = 0;
    virtual bool SetName(LPCWSTR name) = 0;
    virtual CString GetDisplayName() const = 0;
    virtual CString GetName() const = 0;
    virtual CString GetSearchName() const = 0;
    virtual void SetComment(LPCWSTR text) = 0;
    virtual CString GetComment() const = 0;
    virtual void SetCompany(LPCWSTR text) = 0;
    virtual CString GetCompany() const = 0;
    virtual void SetAuthor(LPCWSTR text) = 0;
    virtual CString GetAuthor() const = 0;
    virtual int GetLibraryCount() const = 0;
    virtual ILibrary* GetLibraryAt(int index) const = 0;  // null outside the range
    // A library in another group moves here; false when it is here already.
    virtual bool AddLibrary(ILibrary* library) = 0;
    virtual int GetGroupCount() const = 0;
    virtual ILibrariesGroup* GetGroupAt(int index) const = 0;
    // A group in another group moves here; false when it is here already, is this group or one
    // above it, or is a configuration.
    virtual bool AddLibrariesGroup(ILibrariesGroup* group) = 0;
    virtual ILibrariesGroup* GetParent() const = 0;
    virtual bool IsExcluded() const = 0;

protected:
    ~ILibrariesGroup() = default;
};

class IConfiguration : public virtual ILibrariesGroup {
public:
    class IClient : public ILibrariesGroup::IClient {
    public:
        virtual void ActiveChanged(IConfiguration* configuration) = 0;
        virtual void PathChanged(IConfiguration* configuration) = 0;
        // The configuration was read again from its file (or from the PDM system): its children
        // were replaced.
        virtual void Reloaded(IConfiguration* configuration) = 0;
        virtual void ReloadedFromVarnel(IConfiguration* configuration) = 0;

    protected:
        ~IClient() = default;
    };

    // One configuration of the global group is active; activating one deactivates the other.
    virtual void SetActive(bool active) = 0;
    virtual bool IsActive() const = 0;
    // Reads the configuration file; false (with a warning naming file and line) when it cannot.
    virtual bool Load(LPCWSTR path) = 0;
    // Writes the file (atomically). Without a path there is nothing to write to: false, and with
    // `askForPath` a strict failure (the stand-in has no file dialog).
    virtual bool Save(bool askForPath) = 0;
    virtual bool SaveAs(LPCWSTR path) = 0;
    virtual CString GetPath() const = 0;
    virtual bool IsFromVarnel() const = 0;

protected:
    ~IConfiguration() = default;
};

class IConfigurationsGroup {
public:
    class IClient {
    public:
        virtual void ConfigurationAdded(IConfiguration* configuration) = 0;
        virtual void ConfigurationsChanged() = 0;
        virtual void BeginUpdate() = 0;
        virtual void EndUpdate() = 0;

    protected:
        ~IClient() = default;
    };

    virtual void AddClient(IClient* client) = 0;
    virtual void RemoveClient(IClient* client) = 0;
    virtual int GetCount() const = 0;
    virtual IConfiguration* GetConfigurationAt(int index) const = 0;
    // False when the configuration is already in the group, or another one has its path.
    virtual bool AddConfiguration(IConfiguration* configuration) = 0;

protected:
    ~IConfigurationsGroup() = default;
};

IConfigurationsGroup* GlobalCfgGroup();

IConfiguration* FindConfigurationByPath(LPCWSTR path);
IConfiguration* FindActiveCfg();
ILibrary* FindLibrary(const GUID& id);
ILibrariesGroup* FindLibrariesGroup(const GUID& id);  // configurations too
// By display name (case-insensitive): in every configuration of the group; or below a libraries
// group, with `recursive` through its sub-groups too.
ILibrary* FindLibraryByName(IConfigurationsGroup* group, LPCWSTR name);
ILibrary* FindLibraryByName(ILibrariesGroup* group, LPCWSTR name, bool recursive);
// The configuration above a library, or null.
IConfiguration* GetConfiguration(ILibrary* library);

// New objects in no group; null when refused (an empty name).
IConfiguration* CreateConfiguration(LPCWSTR name, bool fromVarnel);
ILibrary* CreateLibrary(LPCWSTR name);
ILibrary* CreateLibrary(const ILibrary* copyOf);
ILibrariesGroup* CreateLibrariesGroup(LPCWSTR name);

// Operations of the global group that ask the user for a file or a PDM object.
IConfiguration* CreateNewConfiguration(IConfigurationsGroup* group);
IConfiguration* OpenConfiguration(IConfigurationsGroup* group);
IConfiguration* OpenConfigurationFromVARNEL(IConfigurationsGroup* group);
// Saves (without asking) and destroys every configuration of the group.
void CloseAllConfigurations(IConfigurationsGroup* group);
bool SaveAllConfigurations(IConfigurationsGroup* group, bool askForPath);

// The configurations installed with the program: parallel lists.
void GetInstalledConfigurations(std::vector<CString>& names, std::vector<CString>& paths);

void CollectAllLibraries(ILibrariesGroup* group, std::vector<ILibrary*>& libraries);
void CollectAllLibraries(IConfigurationsGroup* group, std::vector<ILibrary*>& libraries);

// Calls back for each document of the library folder (folder with a trailing separator, file
// name, excluded) while the callback answers true.
using LibraryDocumentCallback = std::function<bool(const CString& folder, const CString& name, bool excluded)>;
void ForEachLibraryDocument(ILibrary* library, const LibraryDocumentCallback& callback);

// The library's folder, absolute, with a trailing separator; empty without a path.
CString GetLibraryAbsolutePath(ILibrary* library);
// The folder relative to the configuration file's folder when it lies below it, else absolute.
CString GetLibraryRelativePath(ILibrary* library);
CString BuildLibraryItemPath(ILibrary* library, LPCWSTR fileName);
// The library whose folder directly holds the file, or null.
ILibrary* GetLibraryForFullPath(LPCWSTR fullPath);

// The names of the kernel's standard library icons in list order: 1 a libraries group, 3 a folder
// or library, 5 a document, 8 a folder that is not there, 11 a library whose name another library
// has.
const std::vector<const wchar_t*>& StandardLibIconNames();

// Adds the standard library icons to a created image list (the UI library's CachingImageList, or
// any list with Add(name)), from index 0 on.
template <class ImageList>
void LoadStandardLibIcons(ImageList& images) {
    for (const wchar_t* icon : StandardLibIconNames()) images.Add(icon);
}

}  // namespace DocumentsMenu
