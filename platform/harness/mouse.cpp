// The mouse in a window's client area, as Windows delivers what a user does with it.
#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/text.h"
#include "platform/harness.h"
#include "platform/win32/window/cursor_position.h"

namespace platform::harness {

namespace {

using platform::core::handleText;

constexpr WPARAM kLeftButton = 0x0001;   // MK_LBUTTON
constexpr WPARAM kRightButton = 0x0002;  // MK_RBUTTON

bool shows(HWND window, POINT screen) {
    RECT rect{};
    if (!IsWindowVisible(window) || !GetWindowRect(window, &rect)) return false;
    return screen.x >= rect.left && screen.x < rect.right && screen.y >= rect.top && screen.y < rect.bottom;
}

// The deepest visible child of `window` at the screen point: the first in z-order at each level.
HWND childAt(HWND window, POINT screen) {
    for (HWND parent = window;;) {
        HWND next = nullptr;
        for (HWND child = GetTopWindow(parent); child && !next; child = GetWindow(child, GW_HWNDNEXT))
            if (shows(child, screen)) next = child;
        if (!next) return parent;
        parent = next;
    }
}

LPARAM clientPosition(HWND window, POINT screen) {
    ScreenToClient(window, &screen);
    return MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y));
}

// What a button press does before its message: the window is activated by the mouse (its
// top-level window comes to the front unless it declines) and the cursor is set for it.
void pressInto(HWND target, UINT message) {
    const HWND top = GetAncestor(target, GA_ROOT);
    const LRESULT activation =
        SendMessageW(target, WM_MOUSEACTIVATE, reinterpret_cast<WPARAM>(top), MAKELPARAM(HTCLIENT, message));
    if (activation != MA_NOACTIVATE && activation != MA_NOACTIVATEANDEAT && top && GetForegroundWindow() != top)
        SetForegroundWindow(top);
    SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, message));
}

const wchar_t* actionName(User::MouseAction action) {
    switch (action) {
        case User::MouseAction::Click: return L"click";
        case User::MouseAction::DoubleClick: return L"dblclick";
        case User::MouseAction::RightClick: return L"rclick";
        case User::MouseAction::Down: return L"down";
        case User::MouseAction::Up: return L"up";
        case User::MouseAction::Move: return L"move";
        case User::MouseAction::RightDown: return L"rdown";
        case User::MouseAction::RightUp: return L"rup";
    }
    return L"?";
}

}  // namespace

std::optional<std::wstring> User::mouse(HWND window, POINT clientPoint, MouseAction action) {
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    platform::core::journal().add("user", L"mouse " + std::wstring(actionName(action)) + L" on " + handleText(window) +
                                              L" at " + std::to_wstring(clientPoint.x) + L"," +
                                              std::to_wstring(clientPoint.y));
    RECT client{};
    GetClientRect(window, &client);
    if (clientPoint.x < client.left || clientPoint.x >= client.right || clientPoint.y < client.top ||
        clientPoint.y >= client.bottom)
        return L"the point " + std::to_wstring(clientPoint.x) + L"," + std::to_wstring(clientPoint.y) +
               L" is outside the client area of " + handleText(window);
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    platform::win32::placeCursor(screen);
    // A window that captured the mouse hears it wherever it is.
    const HWND capture = GetCapture();
    const HWND target = capture ? capture : childAt(window, screen);
    const LPARAM at = clientPosition(target, screen);
    auto post = [&](UINT message, WPARAM buttons) {
        // What the press or release did may have moved or destroyed the window.
        if (IsWindow(target)) PostMessageW(target, message, buttons, at);
    };
    auto press = [&](UINT message, WPARAM buttons) {
        pressInto(target, message);
        post(message, buttons);
    };
    switch (action) {
        case MouseAction::Click:
            press(WM_LBUTTONDOWN, kLeftButton);
            post(WM_LBUTTONUP, 0);
            break;
        case MouseAction::DoubleClick: {
            press(WM_LBUTTONDOWN, kLeftButton);
            post(WM_LBUTTONUP, 0);
            // Only a class that asks for double clicks hears one; others hear a second press.
            wchar_t className[256] = {};
            WNDCLASSEXW info{};
            info.cbSize = sizeof info;
            const bool doubleClicks = GetClassNameW(target, className, 256) > 0 &&
                                      GetClassInfoExW(nullptr, className, &info) && (info.style & CS_DBLCLKS) != 0;
            post(doubleClicks ? WM_LBUTTONDBLCLK : WM_LBUTTONDOWN, kLeftButton);
            post(WM_LBUTTONUP, 0);
            break;
        }
        case MouseAction::RightClick:
            press(WM_RBUTTONDOWN, kRightButton);
            post(WM_RBUTTONUP, 0);
            break;
        case MouseAction::Down: press(WM_LBUTTONDOWN, kLeftButton); break;
        case MouseAction::Up: post(WM_LBUTTONUP, 0); break;
        case MouseAction::Move:
            SendMessageW(target, WM_SETCURSOR, reinterpret_cast<WPARAM>(target), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
            post(WM_MOUSEMOVE, 0);
            break;
        case MouseAction::RightDown: press(WM_RBUTTONDOWN, kRightButton); break;
        case MouseAction::RightUp: post(WM_RBUTTONUP, 0); break;
    }
    return std::nullopt;
}

std::optional<std::wstring> User::wheel(HWND window, POINT clientPoint, int delta) {
    if (!IsWindow(window)) return std::wstring(L"there is no such window");
    platform::core::journal().add("user", L"mouse wheel " + std::to_wstring(delta) + L" on " + handleText(window) +
                                              L" at " + std::to_wstring(clientPoint.x) + L"," +
                                              std::to_wstring(clientPoint.y));
    POINT screen = clientPoint;
    ClientToScreen(window, &screen);
    platform::win32::placeCursor(screen);
    const HWND focus = GetFocus();
    const HWND target = focus ? focus : window;
    const auto wheel = static_cast<WPARAM>(static_cast<WORD>(static_cast<short>(delta))) << 16;
    PostMessageW(target, WM_MOUSEWHEEL, wheel,
                 MAKELPARAM(static_cast<WORD>(screen.x), static_cast<WORD>(screen.y)));
    return std::nullopt;
}

}  // namespace platform::harness
