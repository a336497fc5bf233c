// MessageBoxW: a real modal window answered by the user agent.
#include <vector>

#include "platform/core/threads.h"
#include "platform/core/useragent.h"
#include "platform/win32/process/system.h"
#include "platform/win32/process/thread.h"
#include "platform/win32/window/modal_pass.h"
#include "platform/win32/window/window_table.h"

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

// Runs what is already waiting, as one pass of the box's modal loop would (what that handling
// posts waits for the next pass). WM_QUIT ends the pumping and is posted again, as modal loops
// do, so the caller's own loop still sees it.
void pumpPending() {
    platform::win32::beginModalPass();
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
        if (platform::win32::endsModalPass(msg)) {
            // A look at what waits now: an empty queue is the loop's idle moment.
            PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
            return;
        }
        PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE);
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
}

// The windows a box disables while it is open: its owner, or with MB_TASKMODAL and no owner
// every enabled top-level window of the calling thread. Only those found enabled are disabled,
// so only those are enabled again.
std::vector<HWND> disableWhileOpen(HWND root, UINT type) {
    std::vector<HWND> candidates;
    if (root) {
        // A window of another thread cannot be disabled from here: the box stays modeless
        // towards it.
        if (GetWindowThreadProcessId(root, nullptr) == GetCurrentThreadId()) candidates.push_back(root);
    } else if ((type & MB_MODEMASK) == MB_TASKMODAL) {
        EnumThreadWindows(
            GetCurrentThreadId(),
            [](HWND hwnd, LPARAM list) {
                reinterpret_cast<std::vector<HWND>*>(list)->push_back(hwnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&candidates));
    }
    std::vector<HWND> disabled;
    for (HWND w : candidates) {
        if (!IsWindowEnabled(w)) continue;
        EnableWindow(w, FALSE);
        disabled.push_back(w);
    }
    return disabled;
}

}  // namespace

int MessageBoxW(HWND owner, LPCWSTR text, LPCWSTR caption, UINT type) {
    HWND root = owner ? GetAncestor(owner, GA_ROOT) : nullptr;
    const std::vector<HWND> disabled = disableWhileOpen(root, type);
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

    // The disabled windows come back before the box goes, so activation returns to them.
    for (HWND w : disabled)
        if (IsWindow(w)) EnableWindow(w, TRUE);
    if (box && IsWindow(box)) DestroyWindow(box);
    return answer;
}
