#include "documentsmenu/directory_changes_handler.h"

#include <algorithm>
#include <memory>

namespace DocumentsMenu {

namespace {

// What the watcher leaves out: filters, the handler filter call, watch-started and -stopped.
constexpr DWORD kWatcherFlags = 0xE1;
constexpr DWORD kNotifyFilter = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME;

// The one watcher of the process, made on first use; it goes with the last watched folder, so no
// watch outlives the rows and browsers that asked for it.
std::unique_ptr<CDirectoryChangeWatcher>& watcherSlot() {
    static std::unique_ptr<CDirectoryChangeWatcher> watcher;
    return watcher;
}

CDirectoryChangeWatcher& directoryWatcher() {
    auto& watcher = watcherSlot();
    if (!watcher) watcher = std::make_unique<CDirectoryChangeWatcher>(true, kWatcherFlags);
    return *watcher;
}

int g_watchedFolders = 0;

// The dispatchers alive, so that the watches can be listed; each leaves as it is deleted. The list
// is never destroyed: the shared watcher releases its dispatchers while statics end, in any order.
std::vector<const DirectoryChangeDispatcher*>& dispatchers() {
    static auto* all = new std::vector<const DirectoryChangeDispatcher*>;
    return *all;
}

}  // namespace

DirectoryChangesHandler::~DirectoryChangesHandler() { StopWatching(this); }

void DirectoryChangesHandler::FileAdded(const SharedPathName&) {}
void DirectoryChangesHandler::FileRemoved(const SharedPathName&) {}
void DirectoryChangesHandler::FileNameChanged(const SharedPathName&, const SharedPathName&) {}
void DirectoryChangesHandler::FileModified(const SharedPathName&) {}
void DirectoryChangesHandler::ReadDirectoryChangesError(DWORD, const SharedPathName&) {}
void DirectoryChangesHandler::WatchStarted(DWORD, const SharedPathName&) {}
void DirectoryChangesHandler::WatchStopped(const SharedPathName&) {}
bool DirectoryChangesHandler::FilterNotification(DWORD, LPCWSTR, LPCWSTR) { return false; }
std::wstring DirectoryChangesHandler::DescribeWatcher() { return L"handler"; }

SharedPathName DirectoryChangesHandler::GetWatchedFolder() const {
    return dispatcher_ ? dispatcher_->GetFolder() : SharedPathName();
}

DirectoryChangeDispatcher::DirectoryChangeDispatcher(const SharedPathName& folder) : folder_(folder) {
    dispatchers().push_back(this);
}

std::vector<const DirectoryChangeDispatcher*> DirectoryChangeDispatcher::All() { return dispatchers(); }

DirectoryChangeDispatcher::~DirectoryChangeDispatcher() {
    std::erase(dispatchers(), this);
    for (DirectoryChangesHandler* handler : handlers_) handler->dispatcher_ = nullptr;
}

void DirectoryChangeDispatcher::AddHandler(DirectoryChangesHandler* handler) {
    if (!handler || std::find(handlers_.begin(), handlers_.end(), handler) != handlers_.end()) return;
    handler->dispatcher_ = this;
    handlers_.push_back(handler);
}

void DirectoryChangeDispatcher::RemoveHandler(DirectoryChangesHandler* handler) {
    if (std::erase(handlers_, handler) > 0) handler->dispatcher_ = nullptr;
}

template <class Call>
void DirectoryChangeDispatcher::notify(Call call) {
    // The dispatcher itself stays while its handlers run, even when the last one leaves.
    AddRef();
    const std::vector<DirectoryChangesHandler*> snapshot = handlers_;
    for (DirectoryChangesHandler* handler : snapshot) {
        if (std::find(handlers_.begin(), handlers_.end(), handler) != handlers_.end()) call(*handler);
    }
    Release();
}

void DirectoryChangeDispatcher::On_FileAdded(const CString& path) {
    notify([&](DirectoryChangesHandler& handler) { handler.FileAdded(SharedPathName(path)); });
}

void DirectoryChangeDispatcher::On_FileRemoved(const CString& path) {
    notify([&](DirectoryChangesHandler& handler) { handler.FileRemoved(SharedPathName(path)); });
}

void DirectoryChangeDispatcher::On_FileNameChanged(const CString& oldPath, const CString& newPath) {
    notify([&](DirectoryChangesHandler& handler) {
        handler.FileNameChanged(SharedPathName(oldPath), SharedPathName(newPath));
    });
}

void DirectoryChangeDispatcher::On_FileModified(const CString& path) {
    notify([&](DirectoryChangesHandler& handler) { handler.FileModified(SharedPathName(path)); });
}

void DirectoryChangeDispatcher::On_ReadDirectoryChangesError(DWORD error, const CString& folder) {
    notify([&](DirectoryChangesHandler& handler) { handler.ReadDirectoryChangesError(error, SharedPathName(folder)); });
}

void DirectoryChangeDispatcher::On_WatchStarted(DWORD error, const CString& folder) {
    notify([&](DirectoryChangesHandler& handler) { handler.WatchStarted(error, SharedPathName(folder)); });
}

void DirectoryChangeDispatcher::On_WatchStopped(const CString& folder) {
    notify([&](DirectoryChangesHandler& handler) { handler.WatchStopped(SharedPathName(folder)); });
}

bool DirectoryChangeDispatcher::On_FilterNotification(DWORD action, LPCWSTR name, LPCWSTR newName) {
    notify([&](DirectoryChangesHandler& handler) { handler.FilterNotification(action, name, newName); });
    return true;
}

void WatchDirectory(const SharedPathName& folder, DirectoryChangesHandler* handler) {
    if (!handler || folder.IsNull()) return;
    StopWatching(handler);
    CDirectoryChangeWatcher& watcher = directoryWatcher();
    CDirectoryChangeHandler* existing = nullptr;
    if (watcher.IsWatchingDirectory(folder, &existing)) {
        if (auto* dispatcher = dynamic_cast<DirectoryChangeDispatcher*>(existing)) {
            dispatcher->AddHandler(handler);
            return;
        }
    }
    auto* dispatcher = new DirectoryChangeDispatcher(folder);
    dispatcher->AddHandler(handler);
    const bool watching = watcher.WatchDirectory(folder, kNotifyFilter, dispatcher, FALSE) == ERROR_SUCCESS;
    if (watching) {
        ++g_watchedFolders;
    } else {
        dispatcher->RemoveHandler(handler);
    }
    // The watcher keeps its own reference.
    dispatcher->Release();
    if (g_watchedFolders == 0) watcherSlot().reset();
}

void StopWatching(DirectoryChangesHandler* handler) {
    DirectoryChangeDispatcher* dispatcher = handler ? handler->dispatcher_ : nullptr;
    if (!dispatcher) return;
    dispatcher->RemoveHandler(handler);
    if (dispatcher->HasHandlers() || !watcherSlot()) return;
    // A folder nobody listens to any more is no longer watched.
    const SharedPathName folder = dispatcher->GetFolder();
    if (watcherSlot()->UnwatchDirectory(folder)) --g_watchedFolders;
    if (g_watchedFolders == 0) watcherSlot().reset();
}

bool IsFolderWatched(const SharedPathName& folder) {
    return watcherSlot() && !folder.IsNull() && watcherSlot()->IsWatchingDirectory(folder);
}

}  // namespace DocumentsMenu
