// What a row or browser hears about the files of a watched folder. Paths are full paths. Every
// handler interested in a folder shares one watch of the kernel's folder watcher: the folder's
// dispatcher fans each notification out to its handlers, on the UI thread.
#pragma once

#include <string>
#include <vector>

#include "platform/compression.h"
#include "platform/kernel.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class DirectoryChangeDispatcher;

class DirectoryChangesHandler {
public:
    DirectoryChangesHandler() = default;
    DirectoryChangesHandler(const DirectoryChangesHandler&) = delete;
    DirectoryChangesHandler& operator=(const DirectoryChangesHandler&) = delete;
    // Leaves the folder it watches.
    virtual ~DirectoryChangesHandler();
    virtual void FileAdded(const SharedPathName& path);
    virtual void FileRemoved(const SharedPathName& path);
    virtual void FileNameChanged(const SharedPathName& oldPath, const SharedPathName& newPath);
    virtual void FileModified(const SharedPathName& path);
    virtual void ReadDirectoryChangesError(DWORD error, const SharedPathName& folder);
    virtual void WatchStarted(DWORD error, const SharedPathName& folder);
    virtual void WatchStopped(const SharedPathName& folder);
    virtual bool FilterNotification(DWORD action, LPCWSTR name, LPCWSTR newName);
    // What follows the folder, as `dump watches` names it (a row, a browser).
    virtual std::wstring DescribeWatcher();

    bool IsWatching() const { return dispatcher_ != nullptr; }
    // The folder watched, null while not watching.
    SharedPathName GetWatchedFolder() const;

private:
    friend class DirectoryChangeDispatcher;
    friend void StopWatching(DirectoryChangesHandler* handler);
// Whether the kernel's folder watcher holds a watch of the folder.
bool IsFolderWatched(const SharedPathName& folder);
    DirectoryChangeDispatcher* dispatcher_ = nullptr;
};

// The handlers of one watched folder (held by the kernel's watcher, reference-counted).
class DirectoryChangeDispatcher : public CDirectoryChangeHandler {
public:
    explicit DirectoryChangeDispatcher(const SharedPathName& folder);
    // Unless present: the handler's dispatcher becomes this one and it is appended.
    void AddHandler(DirectoryChangesHandler* handler);
    void RemoveHandler(DirectoryChangesHandler* handler);
    bool HasHandlers() const { return !handlers_.empty(); }
    const SharedPathName& GetFolder() const { return folder_; }
    const std::vector<DirectoryChangesHandler*>& GetHandlers() const { return handlers_; }
    // Every folder's dispatcher alive now, oldest first.
    static std::vector<const DirectoryChangeDispatcher*> All();

    void On_FileAdded(const CString& path) override;
    void On_FileRemoved(const CString& path) override;
    void On_FileNameChanged(const CString& oldPath, const CString& newPath) override;
    void On_FileModified(const CString& path) override;
    void On_ReadDirectoryChangesError(DWORD error, const CString& folder) override;
    void On_WatchStarted(DWORD error, const CString& folder) override;
    void On_WatchStopped(const CString& folder) override;
    bool On_FilterNotification(DWORD action, LPCWSTR name, LPCWSTR newName) override;

protected:
    ~DirectoryChangeDispatcher() override;

private:
    // Calls every handler in list order; a handler that leaves (or is deleted) meanwhile is not
    // called any more.
    template <class Call>
    void notify(Call call);

    SharedPathName folder_;
    std::vector<DirectoryChangesHandler*> handlers_;
};

// The handler hears the folder's changes from now on (leaving any folder it watched before). A
// folder that does not exist is not watched.
void WatchDirectory(const SharedPathName& folder, DirectoryChangesHandler* handler);
void StopWatching(DirectoryChangesHandler* handler);
// Whether the kernel's folder watcher holds a watch of the folder.
bool IsFolderWatched(const SharedPathName& folder);

}  // namespace DocumentsMenu
