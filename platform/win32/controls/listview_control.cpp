#include <algorithm>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/win32/colors.h"
#include "platform/win32/controls/listview.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window/window.h"

namespace {

// A row of the default height when the owner does not measure rows (the system font's line).
constexpr int kDefaultRowHeight = 17;

struct ListItem {
    std::wstring text;
    LPARAM value = 0;
    UINT state = 0;
};

struct ListViewState {
    std::vector<ListItem> items;
    int rowHeight = 0;  // 0: not measured yet
    int top = 0;        // the first row shown
    int columnWidth = 0;
    COLORREF background = 0xFFFFFF;
};

struct ListViews {
    std::mutex mutex;
    std::map<HWND, ListViewState> byWindow;
};

ListViews& listViews() {
    static ListViews& table = platform::core::process().table<ListViews>();
    return table;
}

LONG_PTR styleOf(HWND hwnd) { return GetWindowLongPtrW(hwnd, GWL_STYLE); }

// An owner-drawn list asks its owner how high a row is, once, before the first row is placed.
// Call with the lock held; it is let go while the owner answers.
int rowHeight(HWND hwnd, std::unique_lock<std::mutex>& lock) {
    if (const int known = listViews().byWindow[hwnd].rowHeight; known > 0) return known;
    int height = kDefaultRowHeight;
    if (styleOf(hwnd) & LVS_OWNERDRAWFIXED) {
        MEASUREITEMSTRUCT measure;
        measure.CtlType = ODT_LISTVIEW;
        measure.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
        measure.itemHeight = static_cast<UINT>(kDefaultRowHeight);
        lock.unlock();
        SendMessageW(GetParent(hwnd), WM_MEASUREITEM, measure.CtlID, reinterpret_cast<LPARAM>(&measure));
        lock.lock();
        if (measure.itemHeight > 0) height = static_cast<int>(measure.itemHeight);
    }
    listViews().byWindow[hwnd].rowHeight = height;
    return height;
}

int clientHeight(HWND hwnd) {
    RECT client{};
    GetClientRect(hwnd, &client);
    return client.bottom - client.top;
}

int rowsPerPage(HWND hwnd, int height) { return std::max(1, clientHeight(hwnd) / std::max(1, height)); }

RECT itemRect(HWND hwnd, const ListViewState& state, int item, int height, int part) {
    RECT client{};
    GetClientRect(hwnd, &client);
    RECT rect{client.left, (item - state.top) * height, client.right, (item - state.top + 1) * height};
    if (part == LVIR_ICON) rect.right = rect.left + std::min<LONG>(height, rect.right - rect.left);
    if (part == LVIR_LABEL) rect.left += std::min<LONG>(height, rect.right - rect.left);
    return rect;
}

int hitItem(const ListViewState& state, POINT point, int height) {
    if (point.y < 0 || height <= 0) return -1;
    const int item = state.top + point.y / height;
    return item < static_cast<int>(state.items.size()) ? item : -1;
}

// The user's click selects the row under the mouse (and only that row) and focuses it.
void selectOnly(ListViewState& state, int item) {
    for (std::size_t index = 0; index < state.items.size(); ++index) {
        const bool chosen = static_cast<int>(index) == item;
        UINT& bits = state.items[index].state;
        bits = chosen ? (bits | LVIS_SELECTED | LVIS_FOCUSED) : (bits & ~(LVIS_SELECTED | LVIS_FOCUSED));
    }
}

void notifyParent(HWND hwnd, UINT code, int item, POINT point, LPARAM value) {
    NMITEMACTIVATE notice;
    notice.hdr.hwndFrom = hwnd;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    notice.hdr.code = code;
    notice.iItem = item;
    notice.ptAction = point;
    notice.lParam = value;
    SendMessageW(GetParent(hwnd), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

void copyText(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
}

// The owner draws each row the list shows.
void paint(HWND hwnd, std::unique_lock<std::mutex>& lock) {
    const int height = rowHeight(hwnd, lock);
    const ListViewState state = listViews().byWindow[hwnd];
    lock.unlock();
    PAINTSTRUCT paintStruct{};
    HDC dc = BeginPaint(hwnd, &paintStruct);
    RECT client{};
    GetClientRect(hwnd, &client);
    if (HBRUSH brush = CreateSolidBrush(state.background)) {
        FillRect(dc, &client, brush);
        DeleteObject(brush);
    }
    if (styleOf(hwnd) & LVS_OWNERDRAWFIXED) {
        const int last = std::min<int>(static_cast<int>(state.items.size()), state.top + rowsPerPage(hwnd, height) + 1);
        for (int item = state.top; item < last; ++item) {
            DRAWITEMSTRUCT draw;
            draw.CtlType = ODT_LISTVIEW;
            draw.CtlID = static_cast<UINT>(GetDlgCtrlID(hwnd));
            draw.itemID = static_cast<UINT>(item);
            draw.itemAction = ODA_DRAWENTIRE;
            const UINT bits = state.items[static_cast<std::size_t>(item)].state;
            draw.itemState = ((bits & LVIS_SELECTED) ? ODS_SELECTED : 0) | ((bits & LVIS_FOCUSED) ? ODS_FOCUS : 0);
            draw.hwndItem = hwnd;
            draw.hDC = dc;
            draw.rcItem = itemRect(hwnd, state, item, height, LVIR_BOUNDS);
            draw.itemData = static_cast<ULONG_PTR>(state.items[static_cast<std::size_t>(item)].value);
            SendMessageW(GetParent(hwnd), WM_DRAWITEM, draw.CtlID, reinterpret_cast<LPARAM>(&draw));
        }
    }
    EndPaint(hwnd, &paintStruct);
    lock.lock();
}

}  // namespace

LRESULT ListViewWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    auto& views = listViews();
    std::unique_lock lock(views.mutex);
    auto state = [&]() -> ListViewState& { return views.byWindow[hwnd]; };
    switch (message) {
        case WM_NCDESTROY:
            views.byWindow.erase(hwnd);
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case WM_PAINT:
            paint(hwnd, lock);
            return 0;
        case LVM_GETBKCOLOR: return static_cast<LRESULT>(state().background);
        case LVM_SETBKCOLOR:
            state().background = static_cast<COLORREF>(lParam);
            return TRUE;
        case LVM_GETITEMCOUNT: return static_cast<LRESULT>(state().items.size());
        case LVM_SETITEMCOUNT:
            state().items.reserve(static_cast<std::size_t>(wParam));
            return TRUE;
        case LVM_DELETEALLITEMS:
            state().items.clear();
            state().top = 0;
            return TRUE;
        case LVM_INSERTITEMW: {
            const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
            if (!item || item->iSubItem != 0) return -1;
            auto& items = state().items;
            const int at = std::clamp(item->iItem, 0, static_cast<int>(items.size()));
            ListItem row;
            if ((item->mask & LVIF_TEXT) && item->pszText) row.text = item->pszText;
            if (item->mask & LVIF_PARAM) row.value = item->lParam;
            if (item->mask & LVIF_STATE) row.state = item->state & item->stateMask;
            items.insert(items.begin() + at, std::move(row));
            return at;
        }
        case LVM_GETITEMW:
        case LVM_GETITEMTEXTW: {
            auto* item = reinterpret_cast<LVITEMW*>(lParam);
            const int index = message == LVM_GETITEMW ? (item ? item->iItem : -1) : static_cast<int>(wParam);
            const auto& items = state().items;
            if (!item || index < 0 || index >= static_cast<int>(items.size())) return FALSE;
            const ListItem& row = items[static_cast<std::size_t>(index)];
            if (message == LVM_GETITEMTEXTW || (item->mask & LVIF_TEXT)) copyText(row.text, item->pszText, item->cchTextMax);
            if (message == LVM_GETITEMTEXTW) return static_cast<LRESULT>(std::min<std::size_t>(row.text.size(), std::max(0, item->cchTextMax - 1)));
            if (item->mask & LVIF_PARAM) item->lParam = row.value;
            if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
            return TRUE;
        }
        case LVM_SETITEMSTATE: {
            const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
            if (!item) return FALSE;
            auto& items = state().items;
            const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (index >= static_cast<int>(items.size())) return FALSE;
            for (std::size_t row = 0; row < items.size(); ++row) {
                if (index >= 0 && static_cast<int>(row) != index) continue;
                items[row].state = (items[row].state & ~item->stateMask) | (item->state & item->stateMask);
            }
            return TRUE;
        }
        case LVM_GETNEXTITEM: {
            const auto& items = state().items;
            const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
            const UINT wanted = static_cast<UINT>(lParam) & (LVNI_SELECTED | LVNI_FOCUSED);
            for (int row = std::max(0, start + 1); row < static_cast<int>(items.size()); ++row) {
                const UINT bits = items[static_cast<std::size_t>(row)].state;
                if ((wanted & LVNI_SELECTED) && !(bits & LVIS_SELECTED)) continue;
                if ((wanted & LVNI_FOCUSED) && !(bits & LVIS_FOCUSED)) continue;
                return row;
            }
            return -1;
        }
        case LVM_GETITEMRECT: {
            auto* rect = reinterpret_cast<RECT*>(lParam);
            const auto index = static_cast<int>(wParam);
            if (!rect || index < 0 || index >= static_cast<int>(state().items.size())) return FALSE;
            const int part = rect->left;
            const int height = rowHeight(hwnd, lock);
            *rect = itemRect(hwnd, state(), index, height, part);
            return TRUE;
        }
        case LVM_HITTEST: {
            auto* info = reinterpret_cast<LVHITTESTINFO*>(lParam);
            if (!info) return -1;
            const int height = rowHeight(hwnd, lock);
            info->iItem = hitItem(state(), info->pt, height);
            info->flags = info->iItem >= 0 ? LVHT_ONITEM : 0;
            return info->iItem;
        }
        case LVM_ENSUREVISIBLE: {
            const auto index = static_cast<int>(wParam);
            if (index < 0 || index >= static_cast<int>(state().items.size())) return FALSE;
            const int height = rowHeight(hwnd, lock);
            const int page = rowsPerPage(hwnd, height);
            int& top = state().top;
            if (index < top) top = index;
            else if (index >= top + page) top = index - page + 1;
            return TRUE;
        }
        case LVM_GETTOPINDEX: return state().top;
        case LVM_GETCOUNTPERPAGE: {
            return rowsPerPage(hwnd, rowHeight(hwnd, lock));
        }
        case LVM_INSERTCOLUMNW: {
            const auto* column = reinterpret_cast<const LVCOLUMNW*>(lParam);
            if (column && (column->mask & LVCF_WIDTH)) state().columnWidth = column->cx;
            return 0;
        }
        case LVM_GETCOLUMNWIDTH: return state().columnWidth;
        case LVM_SETCOLUMNWIDTH:
            state().columnWidth = static_cast<int>(lParam);
            return TRUE;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN: {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int item = hitItem(state(), point, rowHeight(hwnd, lock));
            selectOnly(state(), item);
            const LPARAM value = item >= 0 ? state().items[static_cast<std::size_t>(item)].value : 0;
            lock.unlock();
            SetFocus(hwnd);
            InvalidateRect(hwnd, nullptr, TRUE);
            if (message == WM_LBUTTONDBLCLK) notifyParent(hwnd, NM_DBLCLK, item, point, value);
            if (message == WM_LBUTTONDOWN) notifyParent(hwnd, NM_CLICK, item, point, value);
            return 0;
        }
        default:
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}
