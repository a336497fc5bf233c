#include <algorithm>

#include "platform/core/api_text.h"
#include "platform/win32/window/window_table.h"

namespace {

using namespace platform::win32;

// A class name or an atom (MAKEINTATOM) as Windows accepts both.
std::shared_ptr<WindowClass> lookupClass(LPCWSTR name) {
    auto& table = windowTable();
    const auto value = reinterpret_cast<std::uintptr_t>(name);
    if (value != 0 && value < 0x10000) {
        for (const auto& [key, c] : table.classes)
            if (c->atom == value) return c;
        return nullptr;
    }
    if (!name) return nullptr;
    auto it = table.classes.find(std::wstring_view(name));
    return it == table.classes.end() ? nullptr : it->second;
}

}  // namespace

namespace platform::win32 {
std::shared_ptr<WindowClass> findClass(LPCWSTR name) { return lookupClass(name); }
}  // namespace platform::win32

ATOM RegisterClassExW(const WNDCLASSEXW* wc) {
    if (!wc || !wc->lpszClassName || !*wc->lpszClassName || !wc->lpfnWndProc)
        return failWith(ERROR_INVALID_PARAMETER, 0);
    Lock lock = lockPlatform();
    auto& table = windowTable();
    if (table.classes.count(std::wstring_view(wc->lpszClassName))) return failWith(ERROR_CLASS_ALREADY_EXISTS, 0);
    auto c = std::make_shared<WindowClass>();
    c->name = wc->lpszClassName;
    c->atom = table.nextClassAtom++;
    c->style = wc->style;
    c->proc = wc->lpfnWndProc;
    c->instance = wc->hInstance;
    c->icon = wc->hIcon;
    c->iconSmall = wc->hIconSm;
    c->cursor = wc->hCursor;
    c->background = wc->hbrBackground;
    if (wc->lpszMenuName && reinterpret_cast<std::uintptr_t>(wc->lpszMenuName) >= 0x10000)
        c->menuName = wc->lpszMenuName;
    c->classExtra = wc->cbClsExtra;
    c->windowExtra = wc->cbWndExtra;
    table.classes[c->name] = c;
    return c->atom;
}

BOOL UnregisterClassW(LPCWSTR className, HINSTANCE) {
    Lock lock = lockPlatform();
    auto c = lookupClass(className);
    auto& table = windowTable();
    if (!c || c->builtIn) return failWith(ERROR_CANNOT_FIND_WND_CLASS, FALSE);
    const bool inUse = std::any_of(table.windows.begin(), table.windows.end(),
                                   [&](const auto& entry) { return entry.second->windowClass == c; });
    if (inUse) return failWith(ERROR_CLASS_HAS_WINDOWS, FALSE);
    table.classes.erase(c->name);
    return TRUE;
}

BOOL GetClassInfoExW(HINSTANCE, LPCWSTR className, WNDCLASSEXW* wc) {
    Lock lock = lockPlatform();
    auto c = lookupClass(className);
    if (!c || !wc) return failWith(ERROR_CANNOT_FIND_WND_CLASS, FALSE);
    wc->style = c->style;
    wc->lpfnWndProc = c->proc;
    wc->cbClsExtra = c->classExtra;
    wc->cbWndExtra = c->windowExtra;
    wc->hInstance = c->instance;
    wc->hIcon = c->icon;
    wc->hIconSm = c->iconSmall;
    wc->hCursor = c->cursor;
    wc->hbrBackground = c->background;
    wc->lpszMenuName = c->menuName.empty() ? nullptr : c->menuName.c_str();
    // The class record lives as long as the class is registered, like Windows' own.
    wc->lpszClassName = c->name.c_str();
    return c->atom;
}

int GetClassNameW(HWND hwnd, LPWSTR buffer, int maxCount) {
    Lock lock = lockPlatform();
    Window* w = findWindow(hwnd);
    if (!w || !buffer || maxCount <= 0) return failWith(w ? ERROR_INSUFFICIENT_BUFFER : ERROR_INVALID_WINDOW_HANDLE, 0);
    const auto capacity = static_cast<std::size_t>(maxCount);
    return static_cast<int>(platform::core::copyTruncated(w->windowClass->name, buffer, capacity));
}
