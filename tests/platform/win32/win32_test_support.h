// Helpers for the Windows stand-in tests: a window class whose procedure records every message
// ("<window name> <message>") and lets a test take over single messages.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <utility>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/text.h"
#include "platform/win32.h"

namespace win32test {

using Handler = std::function<std::optional<LRESULT>(HWND, UINT, WPARAM, LPARAM)>;

struct Recorder {
    std::mutex mutex;
    std::vector<std::string> events;
    std::map<HWND, std::string> names;
    std::string pendingName;  // given to the next window the procedure sees
    std::map<UINT, Handler> handlers;  // per message, for every recording window
    std::vector<UINT> ignored{WM_NCACTIVATE, WM_GETTEXT, WM_GETTEXTLENGTH, WM_WINDOWPOSCHANGING, WM_CANCELMODE};
};

inline Recorder& recorder() {
    static Recorder r;
    return r;
}

inline std::string messageName(UINT m) {
    static const std::map<UINT, std::string> names{
        {WM_CREATE, "WM_CREATE"}, {WM_DESTROY, "WM_DESTROY"}, {WM_MOVE, "WM_MOVE"}, {WM_SIZE, "WM_SIZE"},
        {WM_ACTIVATE, "WM_ACTIVATE"}, {WM_SETFOCUS, "WM_SETFOCUS"}, {WM_KILLFOCUS, "WM_KILLFOCUS"},
        {WM_ENABLE, "WM_ENABLE"}, {WM_SETTEXT, "WM_SETTEXT"}, {WM_PAINT, "WM_PAINT"}, {WM_CLOSE, "WM_CLOSE"},
        {WM_SHOWWINDOW, "WM_SHOWWINDOW"}, {WM_ACTIVATEAPP, "WM_ACTIVATEAPP"}, {WM_GETMINMAXINFO, "WM_GETMINMAXINFO"},
        {WM_WINDOWPOSCHANGED, "WM_WINDOWPOSCHANGED"}, {WM_NCCREATE, "WM_NCCREATE"}, {WM_NCDESTROY, "WM_NCDESTROY"},
        {WM_NCCALCSIZE, "WM_NCCALCSIZE"}, {WM_COMMAND, "WM_COMMAND"}, {WM_SYSCOMMAND, "WM_SYSCOMMAND"},
        {WM_TIMER, "WM_TIMER"}, {WM_ERASEBKGND, "WM_ERASEBKGND"}, {WM_PARENTNOTIFY, "WM_PARENTNOTIFY"}};
    auto it = names.find(m);
    if (it != names.end()) return it->second;
    if (m >= WM_USER) return "WM_USER+" + std::to_string(m - WM_USER);
    return "0x" + std::to_string(m);
}

inline LRESULT recordingProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& r = recorder();
    Handler handler;
    {
        std::lock_guard lock(r.mutex);
        const bool ignored = std::find(r.ignored.begin(), r.ignored.end(), message) != r.ignored.end();
        if (!r.names.count(hwnd) && !r.pendingName.empty()) r.names[hwnd] = std::exchange(r.pendingName, {});
        if (!ignored) {
            auto name = r.names.count(hwnd) ? r.names[hwnd] : std::string("?");
            r.events.push_back(name + " " + messageName(message));
        }
        if (auto it = r.handlers.find(message); it != r.handlers.end()) handler = it->second;
    }
    if (handler)
        if (auto result = handler(hwnd, message, wParam, lParam)) return *result;
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

inline void registerRecordingClass() {
    WNDCLASSEXW wc;
    wc.lpfnWndProc = &recordingProc;
    wc.lpszClassName = L"Test.Recording";
    RegisterClassExW(&wc);  // fails harmlessly when already registered
}

inline HWND create(const std::string& name, DWORD style, HWND parent = nullptr, int id = 0, DWORD exStyle = 0,
                   RECT rect = RECT{100, 100, 500, 400}) {
    registerRecordingClass();
    HWND hwnd = CreateWindowExW(exStyle, L"Test.Recording", std::wstring(name.begin(), name.end()).c_str(), style,
                                rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                reinterpret_cast<HMENU>(static_cast<std::intptr_t>(id)), nullptr, nullptr);
    return hwnd;
}

// Creates a recording window; its messages are recorded as "<name> <message>".
inline HWND createNamed(const std::string& name, DWORD style, HWND parent = nullptr, int id = 0, DWORD exStyle = 0,
                        RECT rect = RECT{100, 100, 500, 400}) {
    {
        auto& r = recorder();
        std::lock_guard lock(r.mutex);
        r.pendingName = name;
    }
    HWND hwnd = create(name, style, parent, id, exStyle, rect);
    auto& r = recorder();
    std::lock_guard lock(r.mutex);
    r.pendingName.clear();
    if (hwnd) r.names[hwnd] = name;
    return hwnd;
}

// A test's own handling of one message for every recording window, removed again when the test
// ends: handlers capture the test's locals, and a window of the test may outlive it.
class [[nodiscard]] MessageHandling {
public:
    explicit MessageHandling(UINT message) : message_(message) {}
    ~MessageHandling() {
        auto& r = recorder();
        std::lock_guard lock(r.mutex);
        r.handlers.erase(message_);
    }
    MessageHandling(const MessageHandling&) = delete;
    MessageHandling& operator=(const MessageHandling&) = delete;

private:
    UINT message_;
};

inline MessageHandling onMessage(UINT message, Handler handler) {
    auto& r = recorder();
    std::lock_guard lock(r.mutex);
    r.handlers[message] = std::move(handler);
    return MessageHandling(message);
}

inline std::vector<std::string> takeEvents() {
    auto& r = recorder();
    std::lock_guard lock(r.mutex);
    return std::exchange(r.events, {});
}

// Dispatches everything waiting; returns the messages taken, in order.
inline std::vector<UINT> pumpAll() {
    std::vector<UINT> taken;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        taken.push_back(msg.message);
        if (msg.message == WM_QUIT) break;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return taken;
}

// Fails the test for every strict failure the platform recorded.
inline void expectNoFailures() {
    for (const auto& failure : platform::core::takeFailures())
        ADD_FAILURE() << "platform failure: " << platform::core::toUtf8(failure);
}

inline std::string utf8(const std::wstring& text) { return platform::core::toUtf8(text); }

}  // namespace win32test
