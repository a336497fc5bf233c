// The kernel library's folder watcher: handlers hear of files added, removed, renamed and
// modified directly in the folders they watch. Notifications reach the handlers on the thread
// that made the watcher, through its message queue, never while the change is being made. The
// stand-in hears of the changes the shell's file operations make (SHFileOperationW) and of those
// the harness reports as made outside the program.
#pragma once

#include <deque>
#include <map>
#include <string>

#include "platform/mfc.h"

inline constexpr DWORD FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr DWORD FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr DWORD FILE_ACTION_ADDED = 1;
inline constexpr DWORD FILE_ACTION_REMOVED = 2;
inline constexpr DWORD FILE_ACTION_MODIFIED = 3;
inline constexpr DWORD FILE_ACTION_RENAMED_OLD_NAME = 4;

// Reference-counted: made with one reference, deleted at the last Release.
class CDirectoryChangeHandler {
public:
    CDirectoryChangeHandler() = default;
    CDirectoryChangeHandler(const CDirectoryChangeHandler&) = delete;
    CDirectoryChangeHandler& operator=(const CDirectoryChangeHandler&) = delete;
    long AddRef() { return ++references_; }
    long Release();

    // Paths are full paths.
    virtual void On_FileAdded(const CString& path);
    virtual void On_FileRemoved(const CString& path);
    virtual void On_FileNameChanged(const CString& oldPath, const CString& newPath);
    virtual void On_FileModified(const CString& path);
    virtual void On_ReadDirectoryChangesError(DWORD error, const CString& folder);
    virtual void On_WatchStarted(DWORD error, const CString& folder);
    virtual void On_WatchStopped(const CString& folder);
    virtual bool On_FilterNotification(DWORD action, LPCWSTR name, LPCWSTR newName);

protected:
    virtual ~CDirectoryChangeHandler() = default;

private:
    long references_ = 1;
};

class CDirectoryChangeWatcher {
public:
    // `flags` choose what the watcher leaves out (filters, filter and watch notifications); the
    // stand-in sends only the file notifications.
    CDirectoryChangeWatcher(bool appHasGUI, DWORD flags);
    ~CDirectoryChangeWatcher();
    CDirectoryChangeWatcher(const CDirectoryChangeWatcher&) = delete;
    CDirectoryChangeWatcher& operator=(const CDirectoryChangeWatcher&) = delete;

    // The handler (referenced by the watcher from now on) hears the folder's changes; it replaces
    // the one watching the folder before. ERROR_SUCCESS, or ERROR_PATH_NOT_FOUND for a folder
    // that does not exist. Only names directly in the folder are watched (no subtree).
    DWORD WatchDirectory(LPCWSTR folder, DWORD notifyFilter, CDirectoryChangeHandler* handler, BOOL subtree = FALSE,
                         LPCWSTR include = nullptr, LPCWSTR exclude = nullptr);
    // With `handler`, the one watching the folder (the watcher keeps its reference).
    BOOL IsWatchingDirectory(LPCWSTR folder, CDirectoryChangeHandler** handler = nullptr) const;
    BOOL UnwatchDirectory(LPCWSTR folder);
    BOOL UnwatchAllDirectories();

    // The stand-in's delivery (private to the platform).
    struct Change {
        DWORD action;
        std::wstring path, newPath;
    };
    void queueChange(const Change& change);
    void deliverNext();

private:
    std::map<std::wstring, CDirectoryChangeHandler*> watched_;  // folded folder -> handler
    std::deque<Change> pending_;
    HWND window_ = nullptr;
};

namespace platform::kernel {
// A change of a file (full path) for every watcher of its folder: action FILE_ACTION_*; a
// rename gives the old path and the new one.
void reportFolderChange(DWORD action, std::wstring_view path, std::wstring_view newPath);
}  // namespace platform::kernel
