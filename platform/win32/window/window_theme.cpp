// Visual themes by window: which application's theme a window's parts are drawn with.
#include "platform/win32/window/window_table.h"

using namespace platform::win32;

HRESULT SetWindowTheme(HWND hwnd, LPCWSTR subAppName, LPCWSTR) {
    {
        Lock lock = lockPlatform();
        Window* w = findWindow(hwnd);
        if (!w) return E_FAIL;
        w->theme = subAppName ? subAppName : L"";
    }
    SendMessageW(hwnd, WM_THEMECHANGED, 0, 0);
    return S_OK;
}

namespace platform::win32 {

std::wstring windowTheme(HWND hwnd) {
    Lock lock = lockPlatform();
    const Window* w = findWindow(hwnd);
    return w ? w->theme : std::wstring();
}

}  // namespace platform::win32
