#include "platform/toolkit/window_classes.h"

#include <mutex>
#include <set>
#include <string>

#include "platform/core/record.h"
#include "platform/mfc.h"

namespace platform::toolkit {

LPCWSTR toolkitWindowClass(LPCWSTR name) {
    static std::mutex mutex;
    static auto* names = new std::set<std::wstring>;  // names handed out stay valid for the process
    std::lock_guard lock(mutex);
    auto [it, inserted] = names->insert(name);
    if (inserted) {
        WNDCLASSEXW wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &AfxWndProc;
        wc.hInstance = AfxGetInstanceHandle();
        wc.lpszClassName = it->c_str();
        if (::RegisterClassExW(&wc) == 0 && ::GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
            core::recordWarning(L"toolkit window class not registered: " + *it);
    }
    return it->c_str();
}

}  // namespace platform::toolkit
