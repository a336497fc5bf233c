#include "platform/kernel/services/directory_watcher.h"

#include <algorithm>
#include <vector>

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
    watched_[folderKey(folder)] = handler;
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
    watched_.erase(found);
    handler->Release();
    return TRUE;
}

BOOL CDirectoryChangeWatcher::UnwatchAllDirectories() {
    std::map<std::wstring, CDirectoryChangeHandler*> all;
    all.swap(watched_);
    for (auto& [folder, handler] : all) handler->Release();
    return TRUE;
}

void CDirectoryChangeWatcher::queueChange(const Change& change) {
    if (!watched_.contains(folderKey(winpath::parent(change.path)))) return;
    pending_.push_back(change);
    if (window_) PostMessageW(window_, kDeliver, 0, 0);
}

void CDirectoryChangeWatcher::deliverNext() {
    if (pending_.empty()) return;
    const Change change = pending_.front();
    pending_.pop_front();
    const auto found = watched_.find(folderKey(winpath::parent(change.path)));
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
        default: break;
    }
    handler->Release();
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
