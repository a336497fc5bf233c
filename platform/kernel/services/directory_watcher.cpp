#include "platform/kernel/services/directory_watcher.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>
#include <vector>

#include "platform/core/hostfs.h"
#include "platform/core/process.h"
#include "platform/core/threads.h"
#include "platform/win32/process/thread.h"

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/kernel/record.h"
#include "platform/win32/files/file.h"
#include "platform/win32/window/window.h"

namespace {

namespace winpath = platform::core::winpath;

constexpr UINT kDeliver = WM_APP + 0x31;
constexpr const wchar_t* kWindowClass = L"Korvo.KernelDirectoryWatcher";

// Never destroyed: a watcher held by a static object of the program goes after every
// function-local static made later, this list among them.
std::vector<CDirectoryChangeWatcher*>& watchers() {
    static auto& all = *new std::vector<CDirectoryChangeWatcher*>;
    return all;
}

// The folder as the watcher keys it: normalised, folded, without a trailing separator.
std::wstring folderKey(std::wstring_view folder) {
    const auto normal = winpath::normalize(folder);
    std::wstring key = normal ? *normal : std::wstring(folder);
    while (key.size() > 3 && key.back() == L'\\') key.pop_back();
    return platform::core::toUpperInvariant(key);
}

constexpr uint32_t kHostEvents = IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO | IN_ONLYDIR | IN_EXCL_UNLINK;

constexpr int kRenameGraceMs = 20;

bool readable(int descriptor) {
    pollfd wanted{descriptor, POLLIN, 0};
    return descriptor >= 0 && ::poll(&wanted, 1, 0) > 0 && (wanted.revents & POLLIN);
}

DWORD runWatcher(LPVOID watcher) {
    static_cast<CDirectoryChangeWatcher*>(watcher)->readChanges();
    return 0;
}

LRESULT watcherWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != kDeliver) return DefWindowProcW(window, message, wParam, lParam);
    auto* watcher = reinterpret_cast<CDirectoryChangeWatcher*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (watcher) watcher->deliverNext();
    return 0;
}

}  // namespace

long CDirectoryChangeHandler::Release() {
    const long left = --references_;
    if (left == 0) delete this;
    return left;
}

void CDirectoryChangeHandler::On_FileAdded(const CString&) {}
void CDirectoryChangeHandler::On_FileRemoved(const CString&) {}
void CDirectoryChangeHandler::On_FileNameChanged(const CString&, const CString&) {}
void CDirectoryChangeHandler::On_FileModified(const CString&) {}
void CDirectoryChangeHandler::On_ReadDirectoryChangesError(DWORD, const CString&) {}
void CDirectoryChangeHandler::On_WatchStarted(DWORD, const CString&) {}
void CDirectoryChangeHandler::On_WatchStopped(const CString&) {}
bool CDirectoryChangeHandler::On_FilterNotification(DWORD, LPCWSTR, LPCWSTR) { return true; }

CDirectoryChangeWatcher::CDirectoryChangeWatcher(bool, DWORD) {
    WNDCLASSEXW windowClass{};
    windowClass.lpfnWndProc = &watcherWindowProc;
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);  // fails harmlessly once registered
    // Message-only: no part of the program's windows.
    window_ = CreateWindowExW(0, kWindowClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    if (window_) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    watchers().push_back(this);
}

CDirectoryChangeWatcher::~CDirectoryChangeWatcher() {
    std::erase(watchers(), this);
    UnwatchAllDirectories();
    stopThread();
    if (window_ && IsWindow(window_)) {
        SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
        DestroyWindow(window_);
    }
}

DWORD CDirectoryChangeWatcher::WatchDirectory(LPCWSTR folder, DWORD, CDirectoryChangeHandler* handler, BOOL subtree,
                                              LPCWSTR include, LPCWSTR exclude) {
    if (subtree || (include && *include) || (exclude && *exclude)) {
        platform::core::reportFailure(L"CDirectoryChangeWatcher::WatchDirectory: the stand-in watches no subtrees "
                                      L"and takes no include or exclude filters");
        return ERROR_INVALID_PARAMETER;
    }
    if (!folder || !handler) return ERROR_INVALID_PARAMETER;
    const DWORD attributes = GetFileAttributesW(folder);
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return ERROR_PATH_NOT_FOUND;
    platform::kernel::recordCall(L"CDirectoryChangeWatcher::WatchDirectory(" + platform::kernel::quoted(folder) + L")");
    UnwatchDirectory(folder);
    handler->AddRef();
    const std::wstring key = folderKey(folder);
    watched_[key] = handler;
    const auto normal = winpath::normalize(folder);
    addHostWatch(key, normal ? *normal : std::wstring(folder));
    return ERROR_SUCCESS;
}

BOOL CDirectoryChangeWatcher::IsWatchingDirectory(LPCWSTR folder, CDirectoryChangeHandler** handler) const {
    const auto found = folder ? watched_.find(folderKey(folder)) : watched_.end();
    if (handler) *handler = found == watched_.end() ? nullptr : found->second;
    return found != watched_.end();
}

BOOL CDirectoryChangeWatcher::UnwatchDirectory(LPCWSTR folder) {
    const auto found = folder ? watched_.find(folderKey(folder)) : watched_.end();
    if (found == watched_.end()) return FALSE;
    CDirectoryChangeHandler* handler = found->second;
    removeHostWatch(found->first);
    watched_.erase(found);
    handler->Release();
    return TRUE;
}

BOOL CDirectoryChangeWatcher::UnwatchAllDirectories() {
    std::map<std::wstring, CDirectoryChangeHandler*> all;
    all.swap(watched_);
    for (auto& [folder, handler] : all) {
        removeHostWatch(folder);
        handler->Release();
    }
    return TRUE;
}

void CDirectoryChangeWatcher::queueChange(const Change& change) {
    {
        std::lock_guard lock(mutex_);
        pending_.push_back(change);
    }
    if (window_) PostMessageW(window_, kDeliver, 0, 0);
}

void CDirectoryChangeWatcher::deliverNext() {
    Change change;
    {
        std::lock_guard lock(mutex_);
        if (pending_.empty()) return;
        change = pending_.front();
        pending_.pop_front();
    }
    // A change of a folder no longer watched (it was left meanwhile) goes nowhere.
    const auto found = watched_.find(folderKey(change.action == 0 ? change.path : winpath::parent(change.path)));
    if (found == watched_.end()) return;
    // The handler may unwatch (and release) itself while it is being told.
    CDirectoryChangeHandler* handler = found->second;
    handler->AddRef();
    const CString path(change.path.c_str());
    switch (change.action) {
        case FILE_ACTION_ADDED: handler->On_FileAdded(path); break;
        case FILE_ACTION_REMOVED: handler->On_FileRemoved(path); break;
        case FILE_ACTION_MODIFIED: handler->On_FileModified(path); break;
        case FILE_ACTION_RENAMED_OLD_NAME: handler->On_FileNameChanged(path, CString(change.newPath.c_str())); break;
        case 0: handler->On_ReadDirectoryChangesError(ERROR_NOTIFY_ENUM_DIR, path); break;
        default: break;
    }
    handler->Release();
}

// ---- The host's notifications ----------------------------------------------------------------

void CDirectoryChangeWatcher::startThread() {
    if (thread_) return;
    notifications_ = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (notifications_ < 0) {
        platform::core::reportFailure(L"CDirectoryChangeWatcher: the host gives no change notifications");
        return;
    }
    stopping_ = false;
    thread_ = CreateThread(nullptr, 0, &runWatcher, this, 0, nullptr);
}

void CDirectoryChangeWatcher::stopThread() {
    if (thread_) {
        {
            auto& threads = platform::core::threads();
            std::lock_guard lock(threads.mutex());
            stopping_ = true;
            threads.notifyAll();
        }
        try {
            WaitForSingleObject(thread_, INFINITE);
        } catch (const platform::core::ProcessTerminated&) {
            // The process ended: waits end at once now, and so does the watcher's own; it is
            // awaited in real time, as nothing of this watcher may outlive it.
            DWORD code = STILL_ACTIVE;
            for (int tries = 0; tries < 5000 && GetExitCodeThread(thread_, &code) && code == STILL_ACTIVE; ++tries)
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        CloseHandle(thread_);
        thread_ = nullptr;
    }
    if (notifications_ >= 0) ::close(notifications_);
    notifications_ = -1;
}

void CDirectoryChangeWatcher::addHostWatch(const std::wstring& key, const std::wstring& folder) {
    startThread();
    if (notifications_ < 0) return;
    const auto location = platform::core::hostFs().resolve(folder);
    if (!location.exists || location.hostPath.empty()) return;
    const int watch = inotify_add_watch(notifications_, location.hostPath.c_str(), kHostEvents);
    if (watch < 0) {
        platform::core::reportFailure(L"CDirectoryChangeWatcher::WatchDirectory: the host cannot watch " + folder);
        return;
    }
    std::lock_guard lock(mutex_);
    folderOfWatch_[watch] = folder;
    watchOfKey_[key] = watch;
}

void CDirectoryChangeWatcher::removeHostWatch(const std::wstring& key) {
    std::lock_guard lock(mutex_);
    const auto found = watchOfKey_.find(key);
    if (found == watchOfKey_.end()) return;
    const int watch = found->second;
    watchOfKey_.erase(found);
    // Another spelling of the same folder shares the host's watch.
    for (const auto& [other, shared] : watchOfKey_)
        if (shared == watch) return;
    folderOfWatch_.erase(watch);
    if (notifications_ >= 0) inotify_rm_watch(notifications_, watch);
}

void CDirectoryChangeWatcher::readChanges() {
    auto& threads = platform::core::threads();
    for (;;) {
        {
            std::unique_lock lock(threads.mutex());
            // Resting while the host has nothing to tell: a run until idle waits for what it has.
            threads.wait(lock, "ReadDirectoryChangesW", [this] { return stopping_.load() || readable(notifications_); },
                         std::nullopt, false);
            if (stopping_) return;
        }
        readAvailable();
    }
}

void CDirectoryChangeWatcher::readAvailable() {
    alignas(inotify_event) char buffer[64 * 1024];
    std::vector<Change> changes;
    // Half a rename waits for its other half in the same read.
    std::map<uint32_t, std::size_t> openRenames;  // cookie -> index in changes
    for (;;) {
        ssize_t length = ::read(notifications_, buffer, sizeof buffer);
        // The host queues a rename's two halves one after the other: half of one waits a moment
        // for the rest before it counts as a removal.
        if (length <= 0 && !openRenames.empty()) {
            pollfd wanted{notifications_, POLLIN, 0};
            if (::poll(&wanted, 1, kRenameGraceMs) > 0) length = ::read(notifications_, buffer, sizeof buffer);
        }
        if (length <= 0) break;
        for (ssize_t at = 0; at < length;) {
            inotify_event event;
            std::memcpy(&event, buffer + at, sizeof event);
            const char* name = buffer + at + sizeof(inotify_event);
            at += static_cast<ssize_t>(sizeof(inotify_event) + event.len);
            if (event.mask & IN_Q_OVERFLOW) {
                std::lock_guard lock(mutex_);
                for (const auto& [watch, folder] : folderOfWatch_) changes.push_back({0, folder, {}});
                continue;
            }
            std::wstring folder;
            {
                std::lock_guard lock(mutex_);
                const auto found = folderOfWatch_.find(event.wd);
                if (found == folderOfWatch_.end() || event.len == 0) continue;
                folder = found->second;
            }
            std::wstring path = folder;
            if (path.empty() || path.back() != L'\\') path += L'\\';
            path += platform::core::fromUtf8(std::string(name, ::strnlen(name, event.len)));
            if (event.mask & IN_MOVED_FROM) {
                openRenames[event.cookie] = changes.size();
                changes.push_back({FILE_ACTION_REMOVED, path, {}});
            } else if (event.mask & IN_MOVED_TO) {
                const auto pair = openRenames.find(event.cookie);
                if (pair != openRenames.end() && winpath::parent(changes[pair->second].path) == winpath::parent(path)) {
                    Change& rename = changes[pair->second];
                    rename.action = FILE_ACTION_RENAMED_OLD_NAME;
                    rename.newPath = path;
                    openRenames.erase(pair);
                } else {
                    // A move between two folders: one loses the file, the other gains it.
                    if (pair != openRenames.end()) openRenames.erase(pair);
                    changes.push_back({FILE_ACTION_ADDED, path, {}});
                }
            } else if (event.mask & IN_CREATE) {
                changes.push_back({FILE_ACTION_ADDED, path, {}});
            } else if (event.mask & IN_DELETE) {
                changes.push_back({FILE_ACTION_REMOVED, path, {}});
            }
        }
    }
    // Two names that swapped places (an atomic save exchanges the new file with the old) are
    // both still there: only their contents changed.
    for (std::size_t at = 0; at + 1 < changes.size(); ++at) {
        Change& first = changes[at];
        Change& second = changes[at + 1];
        if (first.action == FILE_ACTION_RENAMED_OLD_NAME && second.action == FILE_ACTION_RENAMED_OLD_NAME &&
            first.path == second.newPath && first.newPath == second.path) {
            first = {FILE_ACTION_MODIFIED, first.newPath, {}};
            second = {FILE_ACTION_MODIFIED, second.newPath, {}};
        }
    }
    for (const Change& change : changes) queueChange(change);
}

namespace platform::kernel {

void reportFolderChange(DWORD action, std::wstring_view path, std::wstring_view newPath) {
    const auto full = winpath::normalize(path);
    if (!full) return;
    const auto fullNew = newPath.empty() ? std::optional<std::wstring>() : winpath::normalize(newPath);
    CDirectoryChangeWatcher::Change change{action, *full, fullNew ? *fullNew : std::wstring()};
    const std::vector<CDirectoryChangeWatcher*> all = watchers();
    for (CDirectoryChangeWatcher* watcher : all) watcher->queueChange(change);
}

}  // namespace platform::kernel
