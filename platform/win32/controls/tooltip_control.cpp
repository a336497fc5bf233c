#include "platform/win32/controls/tooltip.h"

#include <iterator>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "platform/core/journal.h"

namespace {

struct Tool {
    TTTOOLINFOW info;
    std::wstring text;  // when not by callback
    bool callback = false;
};

struct Tip {
    std::vector<Tool> tools;
    bool active = true;
    std::optional<std::pair<HWND, UINT_PTR>> shown;
};

// The controls' state by window (the window table's lock does not cover it). Never held while a
// message goes out: the owner answering TTN_NEEDTEXTW may call the control again.
struct Tips {
    std::mutex mutex;
    std::map<HWND, Tip> byWindow;
};

Tips& tips() {
    static Tips table;
    return table;
}

bool sameTool(const TTTOOLINFOW& a, HWND hwnd, UINT_PTR id) { return a.hwnd == hwnd && a.uId == id; }

// The tool under a relayed mouse message, if any.
std::optional<Tool> toolAt(HWND tip, const MSG& message) {
    Tips& table = tips();
    std::lock_guard lock(table.mutex);
    for (const Tool& tool : table.byWindow[tip].tools) {
        const TTTOOLINFOW& info = tool.info;
        if (info.uFlags & TTF_IDISHWND) {
            if (reinterpret_cast<HWND>(info.uId) == message.hwnd) return tool;
            continue;
        }
        const POINT at{static_cast<short>(LOWORD(message.lParam)), static_cast<short>(HIWORD(message.lParam))};
        if (info.hwnd == message.hwnd && at.x >= info.rect.left && at.x < info.rect.right && at.y >= info.rect.top && at.y < info.rect.bottom)
            return tool;
    }
    return std::nullopt;
}

void hide(HWND tip) {
    {
        Tips& table = tips();
        std::lock_guard lock(table.mutex);
        table.byWindow[tip].shown.reset();
    }
    ShowWindow(tip, SW_HIDE);
}

// A single "&" marks a mnemonic, which a tip does not show; "&&" is one "&".
std::wstring withoutPrefix(const std::wstring& text) {
    std::wstring shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'&' && i + 1 < text.size()) ++i;
        else if (text[i] == L'&') continue;
        shown.push_back(text[i]);
    }
    return shown;
}

std::wstring textOf(HWND tip, const Tool& tool) {
    if (!tool.callback) return tool.text;
    NMTTDISPINFOW info;
    info.hdr.hwndFrom = tip;
    info.hdr.idFrom = tool.info.uId;
    info.hdr.code = TTN_NEEDTEXTW;
    info.uFlags = tool.info.uFlags;
    info.lParam = tool.info.lParam;
    SendMessageW(tool.info.hwnd, WM_NOTIFY, static_cast<WPARAM>(tool.info.uId), reinterpret_cast<LPARAM>(&info));
    const wchar_t* text = info.lpszText && info.lpszText != LPSTR_TEXTCALLBACKW ? info.lpszText : info.szText;
    // The answer's own buffer holds at most its size, terminator included.
    if (text != info.szText) return text;
    std::size_t length = 0;
    while (length + 1 < std::size(info.szText) && text[length]) ++length;
    return std::wstring(text, length);
}

void relay(HWND tip, const MSG& message) {
    if (message.message == WM_LBUTTONDOWN || message.message == WM_RBUTTONDOWN || message.message == WM_MBUTTONDOWN) {
        hide(tip);
        return;
    }
    if (message.message != WM_MOUSEMOVE) return;
    const std::optional<Tool> tool = toolAt(tip, message);
    bool active = false;
    {
        Tips& table = tips();
        std::lock_guard lock(table.mutex);
        const Tip& state = table.byWindow[tip];
        active = state.active;
        if (tool && state.shown && sameTool(tool->info, state.shown->first, state.shown->second)) return;
    }
    if (!tool || !active) {
        hide(tip);
        return;
    }
    std::wstring text = textOf(tip, *tool);
    if (!(GetWindowLongPtrW(tip, GWL_STYLE) & TTS_NOPREFIX)) text = withoutPrefix(text);
    if (text.empty()) {
        hide(tip);
        return;
    }
    {
        Tips& table = tips();
        std::lock_guard lock(table.mutex);
        table.byWindow[tip].shown = std::make_pair(tool->info.hwnd, tool->info.uId);
    }
    SetWindowTextW(tip, text.c_str());
    ShowWindow(tip, SW_SHOWNOACTIVATE);
}

LRESULT addTool(HWND tip, const TTTOOLINFOW* info) {
    if (!info) return FALSE;
    if (info->uFlags & TTF_SUBCLASS) {
        platform::core::reportFailure(L"TTM_ADDTOOLW: the tooltip control does not watch a tool's mouse messages itself (TTF_SUBCLASS)");
        return FALSE;
    }
    Tool tool{*info, {}, info->lpszText == LPSTR_TEXTCALLBACKW};
    if (!tool.callback && info->lpszText) tool.text = info->lpszText;
    tool.info.lpszText = nullptr;
    Tips& table = tips();
    std::lock_guard lock(table.mutex);
    std::vector<Tool>& tools = table.byWindow[tip].tools;
    std::erase_if(tools, [&](const Tool& each) { return sameTool(each.info, info->hwnd, info->uId); });
    tools.push_back(std::move(tool));
    return TRUE;
}

}  // namespace

LRESULT ToolTipWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case TTM_ADDTOOLW: return addTool(hwnd, reinterpret_cast<const TTTOOLINFOW*>(lParam));
        case TTM_DELTOOLW: {
            const auto* info = reinterpret_cast<const TTTOOLINFOW*>(lParam);
            if (!info) return 0;
            bool wasShown = false;
            {
                Tips& table = tips();
                std::lock_guard lock(table.mutex);
                Tip& state = table.byWindow[hwnd];
                std::erase_if(state.tools, [&](const Tool& each) { return sameTool(each.info, info->hwnd, info->uId); });
                wasShown = state.shown && state.shown->first == info->hwnd && state.shown->second == info->uId;
            }
            if (wasShown) hide(hwnd);
            return 0;
        }
        case TTM_GETTOOLCOUNT: {
            Tips& table = tips();
            std::lock_guard lock(table.mutex);
            return static_cast<LRESULT>(table.byWindow[hwnd].tools.size());
        }
        case TTM_GETCURRENTTOOLW: {
            Tips& table = tips();
            std::lock_guard lock(table.mutex);
            const Tip& state = table.byWindow[hwnd];
            if (!state.shown) return FALSE;
            if (auto* info = reinterpret_cast<TTTOOLINFOW*>(lParam))
                for (const Tool& tool : state.tools)
                    if (sameTool(tool.info, state.shown->first, state.shown->second)) *info = tool.info;
            return TRUE;
        }
        case TTM_ACTIVATE: {
            {
                Tips& table = tips();
                std::lock_guard lock(table.mutex);
                table.byWindow[hwnd].active = wParam != 0;
            }
            if (!wParam) hide(hwnd);
            return 0;
        }
        case TTM_RELAYEVENT:
            if (lParam) relay(hwnd, *reinterpret_cast<const MSG*>(lParam));
            return 0;
        case WM_NCDESTROY: {
            Tips& table = tips();
            std::lock_guard lock(table.mutex);
            table.byWindow.erase(hwnd);
            break;
        }
        default: break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}
