// What a row or browser hears about the files of a watched folder. Paths are full paths.
#pragma once

#include "platform/compression.h"
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

    bool IsWatching() const { return !watchedFolder_.IsNull(); }
    const SharedPathName& GetWatchedFolder() const { return watchedFolder_; }

private:
    friend void WatchDirectory(const SharedPathName& folder, DirectoryChangesHandler* handler);
    friend void StopWatching(DirectoryChangesHandler* handler);
    // The folder's dispatcher, once the shared folder watcher delivers changes; until then the
    // handler keeps the folder it asked for.
    DirectoryChangeDispatcher* dispatcher_ = nullptr;
    SharedPathName watchedFolder_;
};

// The handler hears the folder's changes from now on (leaving any folder it watched before).
void WatchDirectory(const SharedPathName& folder, DirectoryChangesHandler* handler);
void StopWatching(DirectoryChangesHandler* handler);

}  // namespace DocumentsMenu
