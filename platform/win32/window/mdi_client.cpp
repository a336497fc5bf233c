#include <algorithm>
#include <map>
#include <vector>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/core/process.h"
#include "platform/win32.h"
#include "platform/win32/window/mdi.h"

namespace {

struct MdiClient {
    std::vector<HWND> children;  // creation order
    HWND active = nullptr;
    bool maximized = false;
    UINT idFirstChild = 0;
};

// MDI state belongs to the UI thread that owns the client; it is touched only there.
struct MdiTable {
    std::map<HWND, MdiClient> clients;
};

MdiTable& mdiTable() {
    static MdiTable& table = platform::core::process().table<MdiTable>();
    return table;
}

MdiClient* clientOf(HWND client) {
    auto& clients = mdiTable().clients;
    const auto it = clients.find(client);
    return it == clients.end() ? nullptr : &it->second;
}

void prune(MdiClient& state) {
    std::erase_if(state.children, [](HWND child) { return !IsWindow(child); });
    if (state.active && !IsWindow(state.active)) state.active = nullptr;
    if (state.children.empty()) state.maximized = false;
}

void activate(HWND client, MdiClient& state, HWND child) {
    prune(state);
    if (child && std::find(state.children.begin(), state.children.end(), child) == state.children.end()) return;
    if (child == state.active) return;
    const HWND previous = state.active;
    state.active = child;
    if (previous)
        SendMessageW(previous, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
    if (!child) return;
    SetWindowPos(child, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    if (state.maximized) ShowWindow(child, SW_SHOWMAXIMIZED);
    SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(previous), reinterpret_cast<LPARAM>(child));
    SendMessageW(child, WM_CHILDACTIVATE, 0, 0);
    (void)client;
}

// Cascading and tiling restore a maximised child first and leave minimised and hidden children
// where they are. A cascade steps each child down and right by a caption and frame from the top
// left, each three quarters of the client's size, the active child last (on top); tiling gives
// each child an equal share of the client, side by side (vertical) or one above the other
// (horizontal). TRUE when a child was arranged.
LRESULT arrange(HWND client, MdiClient& state, bool tile, bool horizontal) {
    prune(state);
    state.maximized = false;
    for (HWND child : state.children)
        if (IsZoomed(child)) ShowWindow(child, SW_RESTORE);
    std::vector<HWND> windows;
    for (HWND child : state.children)
        if (IsWindowVisible(child) && !IsIconic(child) && child != state.active) windows.push_back(child);
    if (state.active && IsWindowVisible(state.active) && !IsIconic(state.active)) windows.push_back(state.active);
    if (windows.empty()) return FALSE;
    RECT area{};
    GetClientRect(client, &area);
    const int width = area.right - area.left, height = area.bottom - area.top;
    const int count = static_cast<int>(windows.size());
    for (int i = 0; i < count; ++i) {
        RECT rect{};
        if (!tile) {
            const int step = GetSystemMetrics(SM_CYCAPTION) + GetSystemMetrics(SM_CYFRAME);
            rect = RECT{i * step, i * step, i * step + width * 3 / 4, i * step + height * 3 / 4};
        } else if (horizontal) {
            rect = RECT{0, height * i / count, width, height * (i + 1) / count};
        } else {
            rect = RECT{width * i / count, 0, width * (i + 1) / count, height};
        }
        SetWindowPos(windows[i], nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
    }
    return TRUE;
}

// Minimised children in a row along the client's bottom edge, from the left, in creation order.
LRESULT arrangeIcons(HWND client, MdiClient& state) {
    prune(state);
    RECT area{};
    GetClientRect(client, &area);
    const int width = GetSystemMetrics(SM_CXMINIMIZED);
    const int height = GetSystemMetrics(SM_CYMINIMIZED);
    int left = 0;
    for (HWND child : state.children) {
        if (!IsIconic(child)) continue;
        SetWindowPos(child, nullptr, left, area.bottom - height, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
        left += width;
    }
    return 0;
}

// Arranging is what the user sees of the frame's window commands: the transcript says it.
void journalArrange(HWND client, const wchar_t* message, const std::wstring& argument) {
    platform::core::journal().add("window", L"MDI client " + platform::core::handleText(client) + L": " + message + argument);
}

// The child after (or before) `from` in creation order, wrapping; null when there is no other.
HWND neighbour(const MdiClient& state, HWND from, bool previous) {
    const auto& list = state.children;
    if (list.size() < 2) return nullptr;
    auto it = std::find(list.begin(), list.end(), from);
    if (it == list.end()) return list.front();
    const auto index = static_cast<std::size_t>(it - list.begin());
    const std::size_t next = previous ? (index + list.size() - 1) % list.size() : (index + 1) % list.size();
    return list[next];
}

HWND createChild(HWND client, MdiClient& state, MDICREATESTRUCTW* mcs) {
    if (!mcs) return nullptr;
    const DWORD style = (mcs->style | WS_CHILD | WS_CLIPSIBLINGS) & ~(WS_POPUP | WS_MAXIMIZE);
    RECT area{};
    GetClientRect(client, &area);
    const int x = mcs->x == CW_USEDEFAULT ? 0 : mcs->x;
    const int y = mcs->y == CW_USEDEFAULT ? 0 : mcs->y;
    const int cx = mcs->cx == CW_USEDEFAULT || mcs->cx == 0 ? (area.right - area.left) * 3 / 4 : mcs->cx;
    const int cy = mcs->cy == CW_USEDEFAULT || mcs->cy == 0 ? (area.bottom - area.top) * 3 / 4 : mcs->cy;
    const auto id = static_cast<UINT_PTR>(state.idFirstChild + state.children.size());
    HWND child = CreateWindowExW(WS_EX_MDICHILD, mcs->szClass, mcs->szTitle, style, x, y, cx, cy, client,
                                 reinterpret_cast<HMENU>(id), mcs->hOwner, mcs);
    if (!child) return nullptr;
    // The client may have gone while the child was created.
    MdiClient* again = clientOf(client);
    if (!again) return child;
    again->children.push_back(child);
    if ((mcs->style & WS_MAXIMIZE) != 0) again->maximized = true;
    activate(client, *again, child);
    if (again->maximized) ShowWindow(child, SW_SHOWMAXIMIZED);
    return child;
}

}  // namespace

LRESULT MdiClientWindowProc(HWND client, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        MdiClient state;
        if (const auto* cs = reinterpret_cast<const CREATESTRUCTW*>(lParam); cs && cs->lpCreateParams)
            state.idFirstChild = static_cast<const CLIENTCREATESTRUCT*>(cs->lpCreateParams)->idFirstChild;
        mdiTable().clients[client] = state;
        return DefWindowProcW(client, message, wParam, lParam);
    }
    if (message == WM_NCDESTROY) {
        mdiTable().clients.erase(client);
        return DefWindowProcW(client, message, wParam, lParam);
    }
    MdiClient* state = clientOf(client);
    if (!state) return DefWindowProcW(client, message, wParam, lParam);
    switch (message) {
        case WM_MDICREATE: return reinterpret_cast<LRESULT>(createChild(client, *state, reinterpret_cast<MDICREATESTRUCTW*>(lParam)));
        case WM_MDIDESTROY: {
            const auto child = reinterpret_cast<HWND>(wParam);
            if (std::find(state->children.begin(), state->children.end(), child) != state->children.end())
                DestroyWindow(child);
            return 0;
        }
        case WM_MDIACTIVATE: activate(client, *state, reinterpret_cast<HWND>(wParam)); return 0;
        case WM_MDIGETACTIVE:
            // Asked for every control of every update pass: the list is pruned only when the
            // active child itself is gone (the answer depends on nothing else).
            if (state->active && !IsWindow(state->active)) prune(*state);
            if (lParam) *reinterpret_cast<BOOL*>(lParam) = state->active && state->maximized ? TRUE : FALSE;
            return reinterpret_cast<LRESULT>(state->active);
        case WM_MDINEXT: {
            prune(*state);
            const HWND from = wParam ? reinterpret_cast<HWND>(wParam) : state->active;
            if (HWND next = neighbour(*state, from, lParam != 0)) activate(client, *state, next);
            return 0;
        }
        case WM_MDIMAXIMIZE: {
            const auto child = reinterpret_cast<HWND>(wParam);
            if (std::find(state->children.begin(), state->children.end(), child) == state->children.end()) return 0;
            state->maximized = true;
            ShowWindow(child, SW_SHOWMAXIMIZED);
            return 0;
        }
        case WM_MDIRESTORE: {
            const auto child = reinterpret_cast<HWND>(wParam);
            if (std::find(state->children.begin(), state->children.end(), child) == state->children.end()) return 0;
            state->maximized = false;
            ShowWindow(child, SW_RESTORE);
            return 0;
        }
        case WM_MDICASCADE:
            journalArrange(client, L"WM_MDICASCADE", L"");
            return arrange(client, *state, false, false);
        case WM_MDITILE:
            journalArrange(client, L"WM_MDITILE ", std::to_wstring(wParam));
            return arrange(client, *state, true, (wParam & MDITILE_HORIZONTAL) != 0);
        case WM_MDIICONARRANGE:
            journalArrange(client, L"WM_MDIICONARRANGE", L"");
            return arrangeIcons(client, *state);
        case WM_SIZE:
            if (state->maximized && state->active) ShowWindow(state->active, SW_SHOWMAXIMIZED);
            return DefWindowProcW(client, message, wParam, lParam);
        default: return DefWindowProcW(client, message, wParam, lParam);
    }
}

LRESULT DefMDIChildProcW(HWND child, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        const HWND client = GetParent(child);
        if (MdiClient* state = clientOf(client)) {
            const bool wasActive = state->active == child;
            HWND next = wasActive ? neighbour(*state, child, false) : nullptr;
            std::erase(state->children, child);
            if (wasActive) {
                state->active = nullptr;
                // With no other child to take over, the child is deactivated: the frame's title
                // loses what the child added to it.
                if (next) activate(client, *state, next);
                else SendMessageW(child, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child), 0);
            }
        }
    }
    return DefWindowProcW(child, message, wParam, lParam);
}
