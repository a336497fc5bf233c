#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/win32/controls/combobox.h"
#include "platform/win32/window/window.h"

namespace {

struct ComboBoxState {
    std::vector<std::wstring> items;
    std::vector<LPARAM> data;  // each item's value, beside `items`
    int selected = -1;
    bool allSelected = false;  // the edit text is selected: the next character replaces it
};

struct ComboBoxes {
    std::mutex mutex;
    std::map<HWND, ComboBoxState> byWindow;
};

ComboBoxes& comboBoxes() {
    static ComboBoxes& table = platform::core::process().table<ComboBoxes>();
    return table;
}

std::wstring windowText(HWND hwnd) {
    const int length = GetWindowTextLengthW(hwnd);
    std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
    GetWindowTextW(hwnd, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(length));
    return text;
}

void notify(HWND hwnd, WORD code) {
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), code), reinterpret_cast<LPARAM>(hwnd));
}

bool sameNoCase(const std::wstring& a, const std::wstring& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(x) == std::towlower(y);
           });
}

}  // namespace

LRESULT ComboBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& boxes = comboBoxes();
    std::unique_lock lock(boxes.mutex);
    ComboBoxState& state = boxes.byWindow[hwnd];
    switch (message) {
        case WM_NCDESTROY:
            boxes.byWindow.erase(hwnd);
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case CB_ADDSTRING:
            state.items.emplace_back(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
            state.data.push_back(0);
            return static_cast<LRESULT>(state.items.size() - 1);
        case CB_DELETESTRING:
            if (wParam >= state.items.size()) return CB_ERR;
            state.items.erase(state.items.begin() + static_cast<std::ptrdiff_t>(wParam));
            state.data.erase(state.data.begin() + static_cast<std::ptrdiff_t>(wParam));
            return static_cast<LRESULT>(state.items.size());
        case CB_RESETCONTENT:
            state.items.clear();
            state.data.clear();
            state.selected = -1;
            return 0;
        case CB_SETITEMDATA:
            if (wParam >= state.data.size()) return CB_ERR;
            state.data[wParam] = lParam;
            return TRUE;
        case CB_GETITEMDATA: return wParam < state.data.size() ? state.data[wParam] : CB_ERR;
        case CB_GETCOUNT: return static_cast<LRESULT>(state.items.size());
        case CB_GETCURSEL: return state.selected;
        case CB_GETLBTEXTLEN:
        case CB_GETLBTEXT: {
            if (wParam >= state.items.size()) return CB_ERR;
            const std::wstring& item = state.items[wParam];
            if (message == CB_GETLBTEXT && lParam) {
                auto* buffer = reinterpret_cast<wchar_t*>(lParam);
                std::copy(item.begin(), item.end(), buffer);
                buffer[item.size()] = L'\0';
            }
            return static_cast<LRESULT>(item.size());
        }
        case CB_FINDSTRINGEXACT: {
            const std::wstring wanted = lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"";
            const auto start = static_cast<int>(static_cast<INT_PTR>(wParam));
            for (int index = std::max(0, start + 1); index < static_cast<int>(state.items.size()); ++index)
                if (sameNoCase(state.items[static_cast<std::size_t>(index)], wanted)) return index;
            return CB_ERR;
        }
        case CB_SETCURSEL: {
            const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (index < 0 || index >= static_cast<int>(state.items.size())) {
                state.selected = -1;
                return CB_ERR;
            }
            state.selected = index;
            const std::wstring text = state.items[static_cast<std::size_t>(index)];
            lock.unlock();
            SetWindowTextW(hwnd, text.c_str());
            return index;
        }
        case CB_SETEDITSEL:
            state.allSelected = LOWORD(lParam) == 0 && static_cast<short>(HIWORD(lParam)) == -1;
            return TRUE;
        case CB_GETEDITSEL: {
            const bool all = state.allSelected;
            // The text's length is the window's own answer: asked without the table held.
            lock.unlock();
            return all ? MAKELONG(0, static_cast<WORD>(GetWindowTextLengthW(hwnd))) : 0;
        }
        case WM_CHAR: {
            const auto typed = static_cast<wchar_t>(wParam);
            const bool replaced = state.allSelected;
            state.allSelected = false;
            state.selected = -1;
            lock.unlock();
            std::wstring text = replaced ? std::wstring() : windowText(hwnd);
            if (typed == L'\b') {
                if (!replaced && !text.empty()) text.pop_back();
            } else if (typed >= L' ') {
                text.push_back(typed);
            } else {
                return 0;
            }
            SetWindowTextW(hwnd, text.c_str());
            notify(hwnd, CBN_EDITCHANGE);
            return 0;
        }
        default:
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
