#include <algorithm>
#include <cstdlib>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "platform/core/process.h"
#include "platform/win32/colors.h"
#include "platform/win32/controls/edit.h"
#include "platform/win32/controls/listview.h"
#include "platform/win32/gdi.h"
#include "platform/win32/window/window.h"

namespace {

// A row of the default height when the owner does not measure rows (the system font's line).
constexpr int kDefaultRowHeight = 17;
// An icon list's row: a large icon above its label.
constexpr int kIconRowHeight = 32 + kDefaultRowHeight + 8;
// How far the mouse must move with the button held before a press becomes a drag.
constexpr int kDragDistance = 4;
// Posted to itself: the label edit ends after the edit box has lost the focus.
constexpr UINT kEndLabelEdit = 0x10F0;

struct ListItem {
    std::wstring text;
    std::vector<std::wstring> subTexts;  // the texts of columns 1, 2, ...
    LPARAM value = 0;
    UINT state = 0;
    int image = 0;
    std::optional<int> shownImage;  // what the parent answered at the last paint
};

struct ListViewState {
    std::vector<ListItem> items;
    int rowHeight = 0;  // 0: not measured yet
    int top = 0;        // the first row shown
    int columnWidth = 0;
    std::vector<int> columnWidths;  // of the columns inserted (the first is columnWidth)
    std::vector<std::wstring> columnTitles;
    DWORD extendedStyle = 0;
    int hot = -1;  // the row the mouse rests on
    COLORREF background = GetSysColor(COLOR_WINDOW);
    COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
    COLORREF textBackground = GetSysColor(COLOR_WINDOW);
    int pressed = -1;  // the row a left press landed on, until it is released or dragged
    POINT pressPoint{};
    int editing = -1;  // the row whose label is edited
    HWND edit = nullptr;
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
    int height = (styleOf(hwnd) & LVS_TYPEMASK) == LVS_ICON ? kIconRowHeight : kDefaultRowHeight;
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

// A row's notice to the parent, in the notice structure its code documents.
template <class Notice>
void sendRowNotice(HWND hwnd, UINT code, int item, POINT point, LPARAM value) {
    Notice notice;
    notice.hdr.hwndFrom = hwnd;
    notice.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    notice.hdr.code = code;
    notice.iItem = item;
    notice.ptAction = point;
    notice.lParam = value;
    SendMessageW(GetParent(hwnd), WM_NOTIFY, notice.hdr.idFrom, reinterpret_cast<LPARAM>(&notice));
}

void notifyParent(HWND hwnd, UINT code, int item, POINT point, LPARAM value) {
    sendRowNotice<NMITEMACTIVATE>(hwnd, code, item, point, value);
}

void copyText(const std::wstring& text, wchar_t* buffer, int capacity) {
    if (!buffer || capacity <= 0) return;
    const std::size_t count = std::min<std::size_t>(text.size(), static_cast<std::size_t>(capacity - 1));
    std::copy_n(text.begin(), count, buffer);
    buffer[count] = L'\0';
}

// Every shown row whose image is left to the parent asks it (without the lock) and keeps the
// answer.
void askShownImages(HWND hwnd, const ListViewState& state, int page) {
    const int last = std::min<int>(static_cast<int>(state.items.size()), state.top + page);
    struct Answer {
        int item;
        LPARAM value;
        int image;
    };
    std::vector<Answer> answers;
    for (int item = state.top; item < last; ++item) {
        const ListItem& row = state.items[static_cast<std::size_t>(item)];
        if (row.image != I_IMAGECALLBACK) continue;
        NMLVDISPINFOW info;
        info.hdr.hwndFrom = hwnd;
        info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
        info.hdr.code = LVN_GETDISPINFOW;
        info.item.mask = LVIF_IMAGE;
        info.item.iItem = item;
        info.item.lParam = row.value;
        info.item.iImage = I_IMAGECALLBACK;
        SendMessageW(GetParent(hwnd), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
        answers.push_back({item, row.value, info.item.iImage});
    }
    // The parent may have changed the rows meanwhile: answers go to the rows that still carry
    // the value.
    std::lock_guard lock(listViews().mutex);
    auto& items = listViews().byWindow[hwnd].items;
    for (const Answer& answer : answers) {
        // Where the row was, unless the parent moved the rows meanwhile.
        const auto at = static_cast<std::size_t>(answer.item);
        if (at < items.size() && items[at].value == answer.value) {
            if (items[at].image == I_IMAGECALLBACK) items[at].shownImage = answer.image;
            continue;
        }
        for (ListItem& row : items)
            if (row.value == answer.value && row.image == I_IMAGECALLBACK) row.shownImage = answer.image;
    }
}

void notifyListView(HWND hwnd, UINT code, int item, LPARAM value, POINT point = {}) {
    sendRowNotice<NMLISTVIEW>(hwnd, code, item, point, value);
}

// Ends the label edit: the parent hears the text typed (none when cancelled) and keeps it in the
// row by answering TRUE.
void endLabelEdit(HWND hwnd, std::unique_lock<std::mutex>& lock, bool keep) {
    ListViewState& state = listViews().byWindow[hwnd];
    const HWND edit = state.edit;
    const int item = state.editing;
    state.edit = nullptr;
    state.editing = -1;
    if (!edit) return;
    std::wstring text;
    if (keep && IsWindow(edit)) {
        text.resize(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1);
        text.resize(static_cast<std::size_t>(GetWindowTextW(edit, text.data(), static_cast<int>(text.size()))));
    }
    const bool known = item >= 0 && item < static_cast<int>(state.items.size());
    const LPARAM value = known ? state.items[static_cast<std::size_t>(item)].value : 0;
    lock.unlock();
    if (IsWindow(edit)) DestroyWindow(edit);
    if (!known) {
        lock.lock();
        return;
    }
    NMLVDISPINFOW info;
    info.hdr.hwndFrom = hwnd;
    info.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
    info.hdr.code = LVN_ENDLABELEDITW;
    info.item.mask = LVIF_TEXT | LVIF_PARAM;
    info.item.iItem = item;
    info.item.lParam = value;
    info.item.pszText = keep ? text.data() : nullptr;
    const LRESULT kept = SendMessageW(GetParent(hwnd), WM_NOTIFY, info.hdr.idFrom, reinterpret_cast<LPARAM>(&info));
    lock.lock();
    auto& items = listViews().byWindow[hwnd].items;
    if (keep && kept && item < static_cast<int>(items.size()) && items[static_cast<std::size_t>(item)].value == value)
        items[static_cast<std::size_t>(item)].text = text;
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
    askShownImages(hwnd, state, rowsPerPage(hwnd, height) + 1);
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
        case LVM_GETTEXTCOLOR: return static_cast<LRESULT>(state().text);
        case LVM_GETTEXTBKCOLOR: return static_cast<LRESULT>(state().textBackground);
        case LVM_SETTEXTCOLOR:
        case LVM_SETTEXTBKCOLOR:
            (message == LVM_SETTEXTCOLOR ? state().text : state().textBackground) = static_cast<COLORREF>(lParam);
            return TRUE;
        case LVM_GETITEMCOUNT: return static_cast<LRESULT>(state().items.size());
        case LVM_SETITEMCOUNT:
            state().items.reserve(static_cast<std::size_t>(wParam));
            return TRUE;
        case LVM_DELETEALLITEMS: {
            // The rows are gone before the parent hears of each, so what it does meanwhile
            // meets a consistent list.
            std::vector<ListItem> gone;
            gone.swap(state().items);
            state().top = 0;
            state().pressed = -1;
            state().hot = -1;
            lock.unlock();
            for (std::size_t index = 0; index < gone.size(); ++index)
                notifyListView(hwnd, LVN_DELETEITEM, static_cast<int>(index), gone[index].value);
            return TRUE;
        }
        case LVM_DELETEITEM: {
            auto& items = state().items;
            const auto index = static_cast<int>(wParam);
            if (index < 0 || index >= static_cast<int>(items.size())) return FALSE;
            const LPARAM value = items[static_cast<std::size_t>(index)].value;
            items.erase(items.begin() + index);
            if (state().top > 0 && state().top >= static_cast<int>(items.size())) --state().top;
            state().pressed = -1;
            if (state().editing == index) state().editing = -1;
            else if (state().editing > index) --state().editing;
            lock.unlock();
            notifyListView(hwnd, LVN_DELETEITEM, index, value);
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case LVM_SETITEMTEXTW: {
            const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
            auto& items = state().items;
            const auto index = static_cast<int>(wParam);
            if (!item || index < 0 || index >= static_cast<int>(items.size()) || item->iSubItem < 0) return FALSE;
            ListItem& row = items[static_cast<std::size_t>(index)];
            const std::wstring text = item->pszText ? item->pszText : L"";
            if (item->iSubItem == 0) {
                row.text = text;
            } else {
                const auto column = static_cast<std::size_t>(item->iSubItem);
                if (row.subTexts.size() < column) row.subTexts.resize(column);
                row.subTexts[column - 1] = text;
            }
            lock.unlock();
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case LVM_FINDITEMW: {
            const auto* find = reinterpret_cast<const LVFINDINFOW*>(lParam);
            const auto& items = state().items;
            if (!find || !(find->flags & LVFI_PARAM)) return -1;
            const int start = static_cast<int>(static_cast<INT_PTR>(wParam));
            for (int row = std::max(0, start + 1); row < static_cast<int>(items.size()); ++row)
                if (items[static_cast<std::size_t>(row)].value == find->lParam) return row;
            return -1;
        }
        case LVM_SORTITEMS: {
            auto compare = reinterpret_cast<PFNLVCOMPARE>(lParam);
            if (!compare) return FALSE;
            // The comparison may read the rows: it runs without the lock on a copy.
            std::vector<ListItem> rows = state().items;
            lock.unlock();
            std::stable_sort(rows.begin(), rows.end(), [&](const ListItem& a, const ListItem& b) {
                return compare(a.value, b.value, static_cast<LPARAM>(wParam)) < 0;
            });
            lock.lock();
            auto& items = state().items;
            if (items.size() == rows.size()) items.swap(rows);
            lock.unlock();
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        }
        case LVM_REDRAWITEMS:
            lock.unlock();
            InvalidateRect(hwnd, nullptr, TRUE);
            return TRUE;
        case LVM_EDITLABELW: {
            const auto index = static_cast<int>(wParam);
            if (!(styleOf(hwnd) & LVS_EDITLABELS) || index < 0 || index >= static_cast<int>(state().items.size()))
                return 0;
            if (state().edit) endLabelEdit(hwnd, lock, false);
            const std::wstring text = state().items[static_cast<std::size_t>(index)].text;
            const int height = rowHeight(hwnd, lock);
            const RECT rect = itemRect(hwnd, state(), index, height, LVIR_LABEL);
            lock.unlock();
            const HWND edit = CreateWindowExW(0, L"EDIT", text.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, rect.left,
                                              rect.top, rect.right - rect.left, rect.bottom - rect.top, hwnd, nullptr,
                                              nullptr, nullptr);
            if (!edit) return 0;
            lock.lock();
            state().edit = edit;
            state().editing = index;
            lock.unlock();
            SetFocus(edit);
            return reinterpret_cast<LRESULT>(edit);
        }
        case LVM_GETEDITCONTROL: return reinterpret_cast<LRESULT>(state().edit);
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_KILLFOCUS && reinterpret_cast<HWND>(lParam) == state().edit && state().edit) {
                lock.unlock();
                PostMessageW(hwnd, kEndLabelEdit, 0, lParam);
                return 0;
            }
            lock.unlock();
            return DefWindowProcW(hwnd, message, wParam, lParam);
        case kEndLabelEdit:
            if (state().edit == reinterpret_cast<HWND>(lParam)) endLabelEdit(hwnd, lock, true);
            return 0;
        case WM_MOUSEMOVE: {
            // A press not released yet: the button is still held.
            if (state().pressed < 0) {
                const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
                const int item = hitItem(state(), point, rowHeight(hwnd, lock));
                if (item == state().hot) return 0;
                state().hot = item;
                const LPARAM value = item >= 0 ? state().items[static_cast<std::size_t>(item)].value : 0;
                lock.unlock();
                notifyListView(hwnd, LVN_HOTTRACK, item, value, point);
                return 0;
            }
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const POINT from = state().pressPoint;
            if (std::abs(point.x - from.x) < kDragDistance && std::abs(point.y - from.y) < kDragDistance) return 0;
            const int item = state().pressed;
            state().pressed = -1;
            if (item >= static_cast<int>(state().items.size())) return 0;
            const LPARAM value = state().items[static_cast<std::size_t>(item)].value;
            lock.unlock();
            notifyListView(hwnd, LVN_BEGINDRAG, item, value, from);
            return 0;
        }
        case WM_LBUTTONUP:
            state().pressed = -1;
            return 0;
        case LVM_INSERTITEMW: {
            const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
            if (!item || item->iSubItem != 0) return -1;
            auto& items = state().items;
            const int at = std::clamp(item->iItem, 0, static_cast<int>(items.size()));
            ListItem row;
            if ((item->mask & LVIF_TEXT) && item->pszText) row.text = item->pszText;
            if (item->mask & LVIF_PARAM) row.value = item->lParam;
            if (item->mask & LVIF_STATE) row.state = item->state & item->stateMask;
            if (item->mask & LVIF_IMAGE) row.image = item->iImage;
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
            const auto column = static_cast<std::size_t>(std::max(0, item->iSubItem));
            static const std::wstring none;
            const std::wstring& text = column == 0 ? row.text : column <= row.subTexts.size() ? row.subTexts[column - 1] : none;
            if (message == LVM_GETITEMTEXTW || (item->mask & LVIF_TEXT)) copyText(text, item->pszText, item->cchTextMax);
            if (message == LVM_GETITEMTEXTW) return static_cast<LRESULT>(std::min<std::size_t>(text.size(), std::max(0, item->cchTextMax - 1)));
            if (item->mask & LVIF_PARAM) item->lParam = row.value;
            if (item->mask & LVIF_STATE) item->state = row.state & item->stateMask;
            if (item->mask & LVIF_IMAGE) item->iImage = row.image;
            return TRUE;
        }
        case LVM_SETITEMSTATE: {
            const auto* item = reinterpret_cast<const LVITEMW*>(lParam);
            if (!item) return FALSE;
            auto& items = state().items;
            const auto index = static_cast<int>(static_cast<INT_PTR>(wParam));
            if (index >= static_cast<int>(items.size())) return FALSE;
            std::vector<NMLISTVIEW> changes;
            for (std::size_t row = 0; row < items.size(); ++row) {
                if (index >= 0 && static_cast<int>(row) != index) continue;
                const UINT old = items[row].state;
                items[row].state = (old & ~item->stateMask) | (item->state & item->stateMask);
                if (items[row].state == old) continue;
                NMLISTVIEW change;
                change.iItem = static_cast<int>(row);
                change.uNewState = items[row].state;
                change.uOldState = old;
                change.uChanged = LVIF_STATE;
                change.lParam = items[row].value;
                changes.push_back(change);
            }
            lock.unlock();
            // The parent hears of every row whose state changed, as after a click.
            const HWND parent = GetParent(hwnd);
            for (NMLISTVIEW& change : changes) {
                change.hdr.hwndFrom = hwnd;
                change.hdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(hwnd));
                change.hdr.code = LVN_ITEMCHANGED;
                SendMessageW(parent, WM_NOTIFY, change.hdr.idFrom, reinterpret_cast<LPARAM>(&change));
            }
            return TRUE;
        }
        case LVM_SETEXTENDEDLISTVIEWSTYLE: {
            const DWORD mask = wParam ? static_cast<DWORD>(wParam) : ~DWORD{0};
            const DWORD old = state().extendedStyle;
            state().extendedStyle = (old & ~mask) | (static_cast<DWORD>(lParam) & mask);
            return old;
        }
        case LVM_GETEXTENDEDLISTVIEWSTYLE: return state().extendedStyle;
        case LVM_GETITEMSTATE: {
            const auto& items = state().items;
            const auto index = static_cast<int>(wParam);
            if (index < 0 || index >= static_cast<int>(items.size())) return 0;
            return items[static_cast<std::size_t>(index)].state & static_cast<UINT>(lParam);
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
            if (!column) return -1;
            auto& widths = state().columnWidths;
            auto& titles = state().columnTitles;
            const auto at = std::min<std::size_t>(static_cast<std::size_t>(wParam), widths.size());
            widths.insert(widths.begin() + static_cast<std::ptrdiff_t>(at), (column->mask & LVCF_WIDTH) ? column->cx : 0);
            titles.insert(titles.begin() + static_cast<std::ptrdiff_t>(at),
                          (column->mask & LVCF_TEXT) && column->pszText ? std::wstring(column->pszText) : std::wstring());
            state().columnWidth = widths.front();
            return static_cast<LRESULT>(at);
        }
        case LVM_GETCOLUMNW: {
            auto* column = reinterpret_cast<LVCOLUMNW*>(lParam);
            const auto& titles = state().columnTitles;
            const auto at = static_cast<std::size_t>(wParam);
            if (!column || at >= titles.size()) return FALSE;
            if (column->mask & LVCF_WIDTH) column->cx = state().columnWidths[at];
            if (column->mask & LVCF_TEXT) copyText(titles[at], column->pszText, column->cchTextMax);
            return TRUE;
        }
        case LVM_GETCOLUMNWIDTH: {
            const auto& widths = state().columnWidths;
            if (wParam == 0 || wParam >= widths.size()) return wParam == 0 ? state().columnWidth : 0;
            return widths[wParam];
        }
        case LVM_SETCOLUMNWIDTH: {
            auto& widths = state().columnWidths;
            if (wParam < widths.size()) widths[wParam] = static_cast<int>(lParam);
            if (wParam == 0) state().columnWidth = static_cast<int>(lParam);
            return TRUE;
        }
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
        case WM_RBUTTONDOWN: {
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int item = hitItem(state(), point, rowHeight(hwnd, lock));
            selectOnly(state(), item);
            const LPARAM value = item >= 0 ? state().items[static_cast<std::size_t>(item)].value : 0;
            if (message == WM_LBUTTONDOWN) {
                state().pressed = item;
                state().pressPoint = point;
            }
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

namespace platform::win32 {

std::optional<int> listViewShownImage(HWND list, int item) {
    auto& views = listViews();
    std::lock_guard lock(views.mutex);
    const auto found = views.byWindow.find(list);
    if (found == views.byWindow.end() || item < 0 || item >= static_cast<int>(found->second.items.size()))
        return std::nullopt;
    const ListItem& row = found->second.items[static_cast<std::size_t>(item)];
    if (row.image != I_IMAGECALLBACK) return row.image;
    return row.shownImage;
}

}  // namespace platform::win32
