#include "platform/win32/controls/button.h"

#include "platform/win32/controls/split_button.h"
#include "platform/win32/icons.h"
#include "platform/win32/window/window.h"

namespace {

// The window's extra bytes: the check state, then the icon it shows.
constexpr int kImageSlot = sizeof(LONG_PTR);

DWORD styleOf(HWND hwnd) { return static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)); }
DWORD kindOf(HWND hwnd) { return styleOf(hwnd) & BS_TYPEMASK; }

void notifyParent(HWND hwnd, WORD code) {
    if (HWND parent = GetParent(hwnd); parent && (styleOf(hwnd) & WS_CHILD))
        SendMessageW(parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                     reinterpret_cast<LPARAM>(hwnd));
}

// The first sibling of the button's group: the nearest one at or before it that starts a group
// (WS_GROUP), else the first child.
HWND groupStart(HWND button) {
    HWND start = button;
    while (!(styleOf(start) & WS_GROUP)) {
        HWND previous = GetWindow(start, GW_HWNDPREV);
        if (!previous) break;
        start = previous;
    }
    return start;
}

// An automatic radio button takes the check from the other automatic radio buttons of its group.
void checkInGroup(HWND button) {
    const HWND start = groupStart(button);
    for (HWND sibling = start; sibling; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != start && (styleOf(sibling) & WS_GROUP)) break;
        if (sibling != button && kindOf(sibling) == BS_AUTORADIOBUTTON) SetWindowLongPtrW(sibling, 0, BST_UNCHECKED);
    }
    SetWindowLongPtrW(button, 0, BST_CHECKED);
}

bool isSplit(HWND hwnd) { return kindOf(hwnd) == BS_SPLITBUTTON || kindOf(hwnd) == BS_DEFSPLITBUTTON; }

// The left button went down on a split button's arrow: the parent hears BCN_DROPDOWN.
bool dropDown(HWND hwnd, LPARAM at) {
    RECT client{};
    GetClientRect(hwnd, &client);
    const int x = static_cast<short>(LOWORD(at));
    if (!isSplit(hwnd) || x < client.right - kSplitButtonArrowWidth || !IsWindowEnabled(hwnd)) return false;
    HWND parent = GetParent(hwnd);
    if (!parent || !(styleOf(hwnd) & WS_CHILD)) return true;
    NMBCDROPDOWN notify{};
    notify.hdr.hwndFrom = hwnd;
    notify.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    notify.hdr.code = BCN_DROPDOWN;
    notify.rcButton = client;
    SendMessageW(parent, WM_NOTIFY, notify.hdr.idFrom, reinterpret_cast<LPARAM>(&notify));
    return true;
}

bool checkable(DWORD kind) {
    return kind == BS_CHECKBOX || kind == BS_AUTOCHECKBOX || kind == BS_RADIOBUTTON || kind == BS_AUTORADIOBUTTON;
}

}  // namespace

LRESULT ButtonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case BM_GETCHECK: return checkable(kindOf(hwnd)) ? GetWindowLongPtrW(hwnd, 0) : BST_UNCHECKED;
        case BM_SETCHECK:
            // Push buttons have no check state.
            if (checkable(kindOf(hwnd))) SetWindowLongPtrW(hwnd, 0, wParam == BST_CHECKED ? BST_CHECKED : BST_UNCHECKED);
            return 0;
        case BM_CLICK:
            // A click a user could not make does nothing.
            if (!IsWindowEnabled(hwnd) || !IsWindowVisible(hwnd)) return 0;
            if (kindOf(hwnd) == BS_AUTORADIOBUTTON) checkInGroup(hwnd);
            if (kindOf(hwnd) == BS_AUTOCHECKBOX)
                SetWindowLongPtrW(hwnd, 0, GetWindowLongPtrW(hwnd, 0) == BST_CHECKED ? BST_UNCHECKED : BST_CHECKED);
            notifyParent(hwnd, BN_CLICKED);
            return 0;
        case WM_LBUTTONDOWN:
            if (dropDown(hwnd, lParam)) return 0;
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case BM_GETIMAGE: return wParam == IMAGE_ICON ? GetWindowLongPtrW(hwnd, kImageSlot) : 0;
        case BM_SETIMAGE: {
            if (wParam != IMAGE_ICON) return 0;
            const LONG_PTR previous = GetWindowLongPtrW(hwnd, kImageSlot);
            SetWindowLongPtrW(hwnd, kImageSlot, lParam);
            return previous;
        }
        default: return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
