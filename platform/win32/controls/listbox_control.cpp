#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/window/window.h"

namespace {

struct ListBoxState {
    std::vector<std::wstring> items;
    int selected = -1;
};

struct ListBoxes {
    std::mutex mutex;
    std::map<HWND, ListBoxState> byWindow;
};

ListBoxes& listBoxes() {
    static ListBoxes& table = platform::core::process().table<ListBoxes>();
    return table;
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& boxes = listBoxes();
    std::unique_lock lock(boxes.mutex);
    ListBoxState& state = boxes.byWindow[hwnd];
    switch (message) {
        case WM_NCDESTROY:
            boxes.byWindow.erase(hwnd);
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case LB_ADDSTRING:
            state.items.emplace_back(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            return static_cast<LRESULT>(state.items.size() - 1);
        case LB_RESETCONTENT:
            state.items.clear();
            state.selected = -1;
            return 0;
        case LB_GETCOUNT: return static_cast<LRESULT>(state.items.size());
        case LB_GETCURSEL: return state.selected;
        case LB_SETCURSEL: {
            const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (index < -1 || index >= static_cast<int>(state.items.size())) {
                state.selected = -1;
                return LB_ERR;
            }
            state.selected = index;
            return index < 0 ? LB_ERR : index;
        }
        case LB_GETTEXTLEN:
        case LB_GETTEXT: {
            if (wParam >= state.items.size()) return LB_ERR;
            const std::wstring& item = state.items[wParam];
            if (message == LB_GETTEXT && lParam) {
                auto* buffer = reinterpret_cast<wchar_t*>(lParam);
                std::copy(item.begin(), item.end(), buffer);
                buffer[item.size()] = L'\0';
            }
            return static_cast<LRESULT>(item.size());
        }
        default:
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
