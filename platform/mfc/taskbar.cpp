#include "platform/mfc/taskbar.h"

#include <map>
#include <mutex>

#include "platform/core/record.h"

namespace {

struct TaskbarState {
    std::mutex mutex;
    std::map<HWND, platform::mfc::TaskbarProgress> buttons;
    bool available = true;
};

TaskbarState& taskbar() {
    static auto* state = new TaskbarState;  // outlives every window, as the shell's taskbar does
    return *state;
}

bool hasButton(HWND hwnd) {
    return hwnd && ::IsWindow(hwnd) && !(::GetWindowLongPtrW(hwnd, GWL_STYLE) & WS_CHILD);
}

}  // namespace

HRESULT ITaskbarList3::SetProgressState(HWND hwnd, TBPFLAG state) {
    if (!hasButton(hwnd)) return E_INVALIDARG;
    TaskbarState& bar = taskbar();
    std::lock_guard lock(bar.mutex);
    platform::mfc::TaskbarProgress& button = bar.buttons[hwnd];
    button.state = state;
    ++button.updates;
    return S_OK;
}

HRESULT ITaskbarList3::SetProgressValue(HWND hwnd, ULONGLONG completed, ULONGLONG total) {
    if (!hasButton(hwnd)) return E_INVALIDARG;
    TaskbarState& bar = taskbar();
    std::lock_guard lock(bar.mutex);
    platform::mfc::TaskbarProgress& button = bar.buttons[hwnd];
    button.completed = completed;
    button.total = total;
    // A value shown while no progress is shown turns the normal indicator on.
    if (button.state == TBPF_NOPROGRESS || button.state == TBPF_INDETERMINATE) button.state = TBPF_NORMAL;
    ++button.updates;
    return S_OK;
}

ITaskbarList3* AFX_GLOBAL_DATA::GetITaskbarList3() {
    static ITaskbarList3 list;
    TaskbarState& bar = taskbar();
    std::lock_guard lock(bar.mutex);
    return bar.available ? &list : nullptr;
}

void AFX_GLOBAL_DATA::CleanUp() { platform::core::recordCall(L"AFX_GLOBAL_DATA::CleanUp()"); }

AFX_GLOBAL_DATA* GetGlobalData() {
    static AFX_GLOBAL_DATA data;
    return &data;
}

namespace platform::mfc {

TaskbarProgress taskbarProgress(HWND hwnd) {
    TaskbarState& bar = taskbar();
    std::lock_guard lock(bar.mutex);
    auto it = bar.buttons.find(hwnd);
    return it == bar.buttons.end() ? TaskbarProgress{} : it->second;
}

void setTaskbarAvailable(bool available) {
    TaskbarState& bar = taskbar();
    std::lock_guard lock(bar.mutex);
    bar.available = available;
}

}  // namespace platform::mfc
