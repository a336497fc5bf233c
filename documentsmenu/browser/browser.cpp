#include "documentsmenu/browser/browser.h"

#include <algorithm>

#include "documentsmenu/browser/list_item.h"
#include "documentsmenu/window/preview_wnd.h"

namespace DocumentsMenu {

namespace {

constexpr DWORD kListStyle = WS_CHILD | WS_CLIPSIBLINGS | LVS_ICON | LVS_AUTOARRANGE | LVS_EDITLABELS | LVS_SHAREIMAGELISTS;

}  // namespace

Browser::~Browser() {
    // No message goes to the list any more (the process may have ended): the rows go with the
    // window, their items here.
    clearing_ = true;
    std::vector<ListItem*> left;
    left.reserve(byId_.size());
    for (const auto& [id, item] : byId_) left.push_back(item);
    for (ListItem* item : left) delete item;
    items_.clear();
    byId_.clear();
}

void Browser::clearRows() {
    // Every row goes at once: the items leave the id index one by one as their rows go (the
    // vector is emptied in one step); those without a row left are deleted here.
    clearing_ = true;
    if (GetSafeHwnd()) DeleteAllItems();
    std::vector<ListItem*> left;
    left.reserve(byId_.size());
    for (const auto& [id, item] : byId_) left.push_back(item);
    for (ListItem* item : left) delete item;
    items_.clear();
    byId_.clear();
    clearing_ = false;
}

bool Browser::CreateIn(PreviewWnd* pane, UINT id) {
    pane_ = pane;
    if (!Create(kListStyle, RECT{0, 0, 0, 0}, pane, id)) return false;
    RebuildImageList();
    return true;
}

DocumentsMenuDlg* Browser::GetWindow() const { return pane_ ? pane_->GetClient() : nullptr; }

void Browser::RebuildImageList() {
    images_.Clear();
    const int size = pane_ ? pane_->GetIconSize() : 32;
    CXTPDpi* dpi = XTPDpiHelper();
    const int scaled = dpi ? dpi->ScaleX(size) : size;
    images_.Create(scaled, scaled, Korvo::UI::CachingImageList::ILC_COLOR32 | Korvo::UI::CachingImageList::ILC_MASK, 10,
                   10);
    LoadStandardLibIcons(images_);
    if (GetSafeHwnd()) Invalidate();
}

void Browser::AddContextMenuItems(CXTPPopupBar* popup, POINT point) {
    const UINT selected = GetSelectedCount();
    if (selected == 0) {
        AddBackgroundMenuItems(popup);
    } else if (selected == 1) {
        if (ListItem* item = ItemAtRow(HitTest(point))) item->AddMenuItems(popup);
    }
}

bool Browser::OnListNotify(NMHDR* header, LRESULT* result) {
    if (!header || header->hwndFrom != GetSafeHwnd()) return false;
    *result = 0;
    switch (header->code) {
        case LVN_DELETEITEM: {
            const auto* notice = reinterpret_cast<const NMLISTVIEW*>(header);
            delete FindItem(static_cast<UINT>(notice->lParam));
            return true;
        }
        case LVN_ENDLABELEDITW: {
            const auto* info = reinterpret_cast<const NMLVDISPINFOW*>(header);
            // The row keeps its text: the model or the folder watcher renames it once it is done.
            if (info->item.pszText)
                if (ListItem* item = FindItem(static_cast<UINT>(info->item.lParam))) item->Rename(info->item.pszText);
            return true;
        }
        case LVN_BEGINDRAG: {
            const auto* notice = reinterpret_cast<const NMLISTVIEW*>(header);
            SetFocus();
            if (ListItem* item = FindItem(static_cast<UINT>(notice->lParam))) item->BeginDrag();
            return true;
        }
        case LVN_GETDISPINFOW: {
            auto* info = reinterpret_cast<NMLVDISPINFOW*>(header);
            if (info->item.mask & LVIF_IMAGE)
                if (const ListItem* item = FindItem(static_cast<UINT>(info->item.lParam)))
                    info->item.iImage = item->GetIconIndex();
            return true;
        }
        default: return false;
    }
}

ListItem* Browser::Append(ListItem* item) {
    if (!item) return nullptr;
    items_.push_back(item);
    byId_[item->GetId()] = item;
    LVITEMW row;
    row.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
    row.iItem = GetItemCount();
    row.pszText = const_cast<wchar_t*>(item->GetText().GetString());
    row.iImage = I_IMAGECALLBACK;
    row.lParam = static_cast<LPARAM>(item->GetId());
    if (InsertItem(&row) < 0) {
        delete item;
        return nullptr;
    }
    return item;
}

int Browser::RowOf(const ListItem* item) const { return item ? FindItemByData(static_cast<LPARAM>(item->GetId())) : -1; }

void Browser::DeleteRowOf(const ListItem* item) {
    if (const int row = RowOf(item); row >= 0) DeleteItem(row);
}

void Browser::SetText(ListItem* item, const CString& text) {
    item->text_ = text;
    if (const int row = RowOf(item); row >= 0) SetItemText(row, 0, text);
}

ListItem* Browser::FindItem(UINT id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

ListItem* Browser::ItemAtRow(int row) const {
    if (row < 0 || row >= GetItemCount()) return nullptr;
    return FindItem(static_cast<UINT>(GetItemData(row)));
}

void Browser::forget(ListItem* item) {
    byId_.erase(item->GetId());
    if (clearing_) return;
    if (const auto found = std::find(items_.begin(), items_.end(), item); found != items_.end()) items_.erase(found);
}

void Browser::Fill() {
    clearRows();
    FillItems();
    Sort();
}

void Browser::Sort() {
    if (GetSafeHwnd()) SortItems(&Browser::CompareItems, reinterpret_cast<DWORD_PTR>(this));
}

int Browser::CompareItems(LPARAM first, LPARAM second, LPARAM browser) {
    const auto* self = reinterpret_cast<const Browser*>(browser);
    const ListItem* a = self ? self->FindItem(static_cast<UINT>(first)) : nullptr;
    const ListItem* b = self ? self->FindItem(static_cast<UINT>(second)) : nullptr;
    if (!a || !b) return 0;
    if (a->GetSortGroup() != b->GetSortGroup()) return a->GetSortGroup() < b->GetSortGroup() ? -1 : 1;
    return lstrcmpW(a->GetText(), b->GetText());
}

ListItem* Browser::FindByPath(const CString& path) const {
    for (ListItem* item : items_) {
        const CString own = item->GetFilePath();
        if (!own.IsEmpty() && own.CompareNoCase(path) == 0) return item;
    }
    return nullptr;
}

LRESULT Browser::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = CListCtrl::WindowProc(message, wParam, lParam);
            const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            const int row = point.x == -1 && point.y == -1 ? GetNextItem(-1, LVNI_FOCUSED) : HitTest(point);
            if (ListItem* item = ItemAtRow(row)) item->Open();
            return result;
        }
        case WM_SHOWWINDOW:
            if (!wParam) Detach();
            break;
        case WM_DESTROY:
            // The rows would go with the window without telling: they go now, with their items.
            clearRows();
            break;
        default: break;
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}

}  // namespace DocumentsMenu
