// The reasons top-level windows give for holding up the end of the Windows session.
#include <map>
#include <mutex>
#include <string>

#include "platform/core/journal.h"
#include "platform/core/process.h"
#include "platform/core/record.h"
#include "platform/win32/last_error.h"
#include "platform/win32/window/window.h"

namespace {

struct BlockReasons {
    std::mutex mutex;
    std::map<HWND, std::wstring> byWindow;
};

BlockReasons& reasons() {
    static BlockReasons& table = platform::core::process().table<BlockReasons>();
    return table;
}

}  // namespace

BOOL ShutdownBlockReasonCreate(HWND hwnd, LPCWSTR reason) {
    if (!IsWindow(hwnd)) return platform::win32::failWith(ERROR_INVALID_WINDOW_HANDLE, FALSE);
    const std::wstring text = reason ? reason : L"";
    {
        std::lock_guard lock(reasons().mutex);
        reasons().byWindow[hwnd] = text;
    }
    platform::core::journal().add("window", L"shutdown blocked by " + platform::core::handleText(hwnd) + L": " +
                                                platform::core::quoted(text));
    return TRUE;
}

BOOL ShutdownBlockReasonDestroy(HWND hwnd) {
    std::lock_guard lock(reasons().mutex);
    return reasons().byWindow.erase(hwnd) ? TRUE : FALSE;
}

BOOL ShutdownBlockReasonQuery(HWND hwnd, LPWSTR buffer, DWORD* size) {
    std::lock_guard lock(reasons().mutex);
    const auto it = reasons().byWindow.find(hwnd);
    if (it == reasons().byWindow.end() || !size) return FALSE;
    const DWORD needed = static_cast<DWORD>(it->second.size() + 1);
    if (!buffer) {
        *size = needed;
        return TRUE;
    }
    if (*size < needed) return platform::win32::failWith(ERROR_INSUFFICIENT_BUFFER, FALSE);
    std::copy(it->second.begin(), it->second.end(), buffer);
    buffer[it->second.size()] = L'\0';
    return TRUE;
}
