// The kernel library's folder watcher: handlers hear of files added, removed and renamed
// directly in the folders they watch, whichever program changed them. The watcher's own thread
// reads the host's change notifications (a rename's two halves paired; half a rename seen is a
// removal or an addition; notifications lost by an overflow are error 1022) and posts them to
// the thread that made the watcher, whose message loop hands them to the handlers, never while
// the change is being made. The harness may also report a change of its own making.
#pragma once

#include <atomic>
#include <deque>
#include <map>
#include <mutex>
#include <string>

#include "platform/mfc.h"

inline constexpr DWORD FILE_NOTIFY_CHANGE_FILE_NAME = 0x1;
inline constexpr DWORD FILE_NOTIFY_CHANGE_DIR_NAME = 0x2;
inline constexpr DWORD FILE_ACTION_ADDED = 1;
inline constexpr DWORD FILE_ACTION_REMOVED = 2;
inline constexpr DWORD FILE_ACTION_MODIFIED = 3;
inline constexpr DWORD FILE_ACTION_RENAMED_OLD_NAME = 4;
inline constexpr DWORD ERROR_NOTIFY_ENUM_DIR = 1022;

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

    // The stand-in's delivery (private to the platform). Action 0 is a read error of `path`'s
    // folder (ERROR_NOTIFY_ENUM_DIR).
    struct Change {
        DWORD action;
        std::wstring path, newPath;
    };
    void queueChange(const Change& change);
    void deliverNext();
    // The watcher thread's work: waits for the host's notifications until the watcher goes.
    void readChanges();

private:
    void startThread();
    void stopThread();
    void addHostWatch(const std::wstring& key, const std::wstring& folder);
    void removeHostWatch(const std::wstring& key);
    // One read of every notification the host has; posts what it found.
    void readAvailable();

    std::map<std::wstring, CDirectoryChangeHandler*> watched_;  // folded folder -> handler (UI thread)
    std::mutex mutex_;  // guards what the watcher thread shares: pending_, the host watches
    std::deque<Change> pending_;
    std::map<int, std::wstring> folderOfWatch_;  // host watch -> the folder as watched
    std::map<std::wstring, int> watchOfKey_;     // folded folder -> host watch
    HWND window_ = nullptr;
    int notifications_ = -1;  // the host's notification queue
    HANDLE thread_ = nullptr;
    std::atomic<bool> stopping_{false};
};

namespace platform::kernel {
// A change of a file (full path) for every watcher of its folder: action FILE_ACTION_*; a
// rename gives the old path and the new one.
void reportFolderChange(DWORD action, std::wstring_view path, std::wstring_view newPath);
}  // namespace platform::kernel
