#include <algorithm>
#include <cwctype>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/win32/controls/listbox.h"
#include "platform/win32/window/window.h"

namespace {

struct ListBoxItem {
    std::wstring text;
    ULONG_PTR data = 0;
};

struct ListBoxState {
    std::vector<ListBoxItem> items;
    int selected = -1;
    int itemHeight = 16;  // the system font's line until the program sets one
    int horizontalExtent = 0;
    bool redraw = true;  // WM_SETREDRAW: while off the list draws nothing
};

struct ListBoxes {
    std::mutex mutex;
    std::map<HWND, ListBoxState> byWindow;
};

ListBoxes& listBoxes() {
    static ListBoxes& table = platform::core::process().table<ListBoxes>();
    return table;
}

bool ownerDrawn(HWND hwnd) { return (static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & LBS_OWNERDRAWFIXED) != 0; }

bool sameText(const std::wstring& a, const wchar_t* b) {
    const std::wstring_view other(b ? b : L"");
    return a.size() == other.size() && std::equal(a.begin(), a.end(), other.begin(), [](wchar_t x, wchar_t y) {
               return std::towlower(static_cast<wint_t>(x)) == std::towlower(static_cast<wint_t>(y));
           });
}

// The parent hears of each deleted item of an owner-drawn list after the list let go of it, so
// what it does meanwhile meets a consistent list.
void tellDeleted(HWND hwnd, const std::vector<std::pair<int, ULONG_PTR>>& gone) {
    if (!ownerDrawn(hwnd)) return;
    for (const auto& [index, data] : gone) {
        DELETEITEMSTRUCT deleted;
        deleted.CtlType = ODT_LISTBOX;
        deleted.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
        deleted.itemID = static_cast<UINT>(index);
        deleted.hwndItem = hwnd;
        deleted.itemData = data;
        SendMessageW(GetParent(hwnd), WM_DELETEITEM, deleted.CtlID, reinterpret_cast<LPARAM>(&deleted));
    }
}

void paint(HWND hwnd, std::unique_lock<std::mutex>& lock) {
    const ListBoxState state = listBoxes().byWindow[hwnd];
    lock.unlock();
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(hwnd, &paintStruct);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (ownerDrawn(hwnd)) {
        for (int item = 0; item < static_cast<int>(state.items.size()); ++item) {
            const int top = item * state.itemHeight;
            if (top >= client.bottom) break;
            DRAWITEMSTRUCT draw;
            draw.CtlType = ODT_LISTBOX;
            draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
            draw.itemID = static_cast<UINT>(item);
            draw.itemAction = ODA_DRAWENTIRE;
            draw.itemState = item == state.selected ? (ODS_SELECTED | ODS_FOCUS) : 0;
            draw.hwndItem = hwnd;
            draw.hDC = dc;
            draw.rcItem = RECT{0, top, client.right, top + state.itemHeight};
            draw.itemData = state.items[static_cast<std::size_t>(item)].data;
            SendMessageW(GetParent(hwnd), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        }
    }
    EndPaint(hwnd, &paintStruct);
    lock.lock();
}

}  // namespace

LRESULT ListBoxWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& boxes = listBoxes();
    std::unique_lock lock(boxes.mutex);
    ListBoxState& state = boxes.byWindow[hwnd];
    const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
    const bool valid = index >= 0 && index < static_cast<int>(state.items.size());
    switch (message) {
        case WM_NCDESTROY:
            boxes.byWindow.erase(hwnd);
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_DESTROY:
        case LB_RESETCONTENT: {
            // From the last item to the first, so each notice's index is where the item stands.
            std::vector<std::pair<int, ULONG_PTR>> gone;
            for (std::size_t i = state.items.size(); i-- > 0;) gone.emplace_back(static_cast<int>(i), state.items[i].data);
            state.items.clear();
            state.selected = -1;
            lock.unlock();
            tellDeleted(hwnd, gone);
            return message == WM_DESTROY ? DefWindowProcW(hwnd, message, wParam, lParam) : 0;
        }
        case WM_PAINT:
            if (!state.redraw) {
                lock.unlock();
                ValidateRect(hwnd, nullptr);
                return 0;
            }
            paint(hwnd, lock);
            return 0;
        case WM_SETREDRAW:
            state.redraw = wParam != 0;
            lock.unlock();
            // Turned on again, the list shows what changed meanwhile.
            if (wParam) InvalidateRect(hwnd, nullptr, TRUE);
            return 0;
        case LB_ADDSTRING:
            state.items.push_back({lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"", 0});
            return static_cast<LRESULT>(state.items.size() - 1);
        case LB_INSERTSTRING: {
            if (index < -1 || index > static_cast<int>(state.items.size())) return LB_ERR;
            const int at = index < 0 ? static_cast<int>(state.items.size()) : index;
            state.items.insert(state.items.begin() + at, {lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"", 0});
            if (state.selected >= at) ++state.selected;
            return at;
        }
        case LB_DELETESTRING: {
            if (!valid) return LB_ERR;
            const ULONG_PTR data = state.items[static_cast<std::size_t>(index)].data;
            state.items.erase(state.items.begin() + index);
            if (state.selected == index) state.selected = -1;
            else if (state.selected > index) --state.selected;
            const auto left = static_cast<LRESULT>(state.items.size());
            lock.unlock();
            tellDeleted(hwnd, {{index, data}});
            return left;
        }
        case LB_GETCOUNT: return static_cast<LRESULT>(state.items.size());
        case LB_GETCURSEL: return state.selected;
        case LB_SETCURSEL: {
            if (index < -1 || index >= static_cast<int>(state.items.size())) {
                state.selected = -1;
                return LB_ERR;
            }
            state.selected = index;
            return index < 0 ? LB_ERR : index;
        }
        case LB_GETTEXTLEN:
        case LB_GETTEXT: {
            if (!valid) return LB_ERR;
            const std::wstring& item = state.items[static_cast<std::size_t>(index)].text;
            if (message == LB_GETTEXT && lParam) {
                auto* buffer = reinterpret_cast<wchar_t*>(lParam);
                std::copy(item.begin(), item.end(), buffer);
                buffer[item.size()] = L'\0';
            }
            return static_cast<LRESULT>(item.size());
        }
        case LB_GETITEMDATA: return valid ? static_cast<LRESULT>(state.items[static_cast<std::size_t>(index)].data) : LB_ERR;
        case LB_SETITEMDATA:
            if (!valid) return LB_ERR;
            state.items[static_cast<std::size_t>(index)].data = static_cast<ULONG_PTR>(lParam);
            return 0;
        case LB_SETITEMHEIGHT: {
            const WORD height = LOWORD(static_cast<DWORD_PTR>(lParam));
            if (height == 0 || height > 255) return LB_ERR;
            state.itemHeight = height;
            return 0;
        }
        case LB_GETITEMHEIGHT: return state.itemHeight;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK: {
            const int y = static_cast<short>(HIWORD(static_cast<DWORD_PTR>(lParam)));
            const int item = y >= 0 ? y / state.itemHeight : -1;
            if (item < 0 || item >= static_cast<int>(state.items.size())) return 0;
            const bool changed = message == WM_LBUTTONDOWN && state.selected != item;
            state.selected = item;
            lock.unlock();
            if ((changed || message == WM_LBUTTONDBLCLK) &&
                (static_cast<DWORD>(GetWindowLongPtrW(hwnd, GWL_STYLE)) & LBS_NOTIFY)) {
                const WORD code = message == WM_LBUTTONDOWN ? LBN_SELCHANGE : LBN_DBLCLK;
                SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(hwnd)), code),
                             reinterpret_cast<LPARAM>(hwnd));
            }
            return 0;
        }
        case LB_SETHORIZONTALEXTENT: state.horizontalExtent = static_cast<int>(std::min<WPARAM>(wParam, 0x7FFF)); return 0;
        case LB_GETHORIZONTALEXTENT: return state.horizontalExtent;
        case LB_FINDSTRINGEXACT: {
            const int count = static_cast<int>(state.items.size());
            const int start = index < -1 || index >= count ? -1 : index;
            for (int step = 1; step <= count; ++step) {
                const int at = (start + step) % count;
                if (sameText(state.items[static_cast<std::size_t>(at)].text, reinterpret_cast<const wchar_t*>(lParam))) return at;
            }
            return LB_ERR;
        }
        default:
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
