// The windows add-on applications make for the panes the program hosts them in.
#include <string>

#include "platform/kernel/record.h"
#include "platform/kernel/services/applications.h"
#include "platform/win32.h"

using platform::kernel::quoted;
using platform::kernel::recordCall;

HWND CKVApplication::CreateFloatingWindow(UINT windowId, HWND parent) {
    recordCall(L"CKVApplication::CreateFloatingWindow(" + quoted(GetName().str()) + L", " + std::to_wstring(windowId) + L")");
    if (!running_ || !parent || !::IsWindow(parent)) return nullptr;
    const std::wstring text = GetName().str() + L" #" + std::to_wstring(windowId);
    return ::CreateWindowExW(0, L"STATIC", text.c_str(), WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<UINT_PTR>(windowId)), nullptr, nullptr);
}

HWND ApplicationManager::CreateFloatingWindow(LPCWSTR key, UINT windowId, HWND) {
    // The stand-in loads no managed applications: there is nobody to make the window.
    recordCall(L"ApplicationManager::CreateFloatingWindow(" + quoted(key ? key : L"") + L", " + std::to_wstring(windowId) + L")");
    return nullptr;
}

BOOL ApplicationManager::PreTranslateMessage(MSG*) { return FALSE; }
