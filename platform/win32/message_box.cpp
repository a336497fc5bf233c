// MessageBoxW: a real modal window answered by the user agent.
#include "platform/core/threads.h"
#include "platform/core/useragent.h"
#include "platform/win32/system.h"
#include "platform/win32/thread.h"
#include "platform/win32/window_table.h"

using namespace platform::win32;

namespace {

constexpr int kMessageTextId = 0xFFFF;  // the static text control of a message box

RECT boxRect(HWND owner) {
    constexpr int width = 400, height = 160;
    RECT area{};
    if (owner && GetWindowRect(owner, &area)) {
        // centred on the owner
    } else {
        MONITORINFO info;
        GetMonitorInfoW(MonitorFromPoint(POINT{0, 0}, MONITOR_DEFAULTTOPRIMARY), &info);
        area = info.rcWork;
    }
    const int x = (area.left + area.right - width) / 2, y = (area.top + area.bottom - height) / 2;
    return RECT{x, y, x + width, y + height};
}

// Runs what is already waiting (as the box's modal loop would) without taking WM_QUIT, which
// stays pending for the caller's loop.
void pumpPending() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_NULL, WM_QUIT - 1, PM_REMOVE) ||
           PeekMessageW(&msg, nullptr, WM_QUIT + 1, 0xFFFFFFFF, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    bool disabledOwner = false;
    if (root) {
        DWORD ownerThread = GetWindowThreadProcessId(root, nullptr);
        // Only a window of the calling thread can be disabled from here (a box owned by another
        // thread's window stays modeless towards it).
        if (ownerThread == GetCurrentThreadId() && IsWindowEnabled(root)) {
            EnableWindow(root, FALSE);
            disabledOwner = true;
        }
    }
    const RECT r = boxRect(root);
    const std::wstring title = caption ? caption : L"Error";
    HWND box = CreateWindowExW(WS_EX_DLGMODALFRAME, L"#32770", title.c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU,
                               r.left, r.top, r.right - r.left, r.bottom - r.top, root, nullptr, nullptr, nullptr);
    if (box) {
        CreateWindowExW(0, L"STATIC", text ? text : L"", WS_CHILD | WS_VISIBLE, 12, 12, 360, 60, box,
                        reinterpret_cast<HMENU>(static_cast<std::intptr_t>(kMessageTextId)), nullptr, nullptr);
        ShowWindow(box, SW_SHOWNORMAL);
    }
    pumpPending();

    platform::core::MessageBoxRequest request;
    request.owner = root;
    request.box = box;
    request.text = text ? text : L"";
    request.caption = title;
    request.type = type;
    request.thread = GetCurrentThreadId();
    const int answer = platform::core::userAgent().answerMessageBox(request);

    // The owner comes back before the box goes, so activation returns to it.
    if (disabledOwner && IsWindow(root)) EnableWindow(root, TRUE);
    if (box && IsWindow(box)) DestroyWindow(box);
    return answer;
}
