#include "platform/toolkit/commandbars/gallery.h"

#include <algorithm>

#include "platform/toolkit/commandbars/commandbar.h"
#include "platform/toolkit/commandbars/commandbars.h"
#include "platform/toolkit/dpi.h"

int CXTPControlGalleryItem::GetIndex() const {
    for (int i = 0; items_ && i < items_->GetItemCount(); ++i)
        if (items_->GetItem(i) == this) return i;
    return -1;
}

CXTPControlGalleryItems::~CXTPControlGalleryItems() = default;

CXTPControlGalleryItem* CXTPControlGalleryItems::AddItem(std::unique_ptr<CXTPControlGalleryItem> item, int before) {
    if (!item) return nullptr;
    item->items_ = this;
    CXTPControlGalleryItem* added = item.get();
    if (before < 0 || before >= GetItemCount()) items_.push_back(std::move(item));
    else items_.insert(items_.begin() + before, std::move(item));
    return added;
}

void CXTPControlGalleryItems::Remove(int index) {
    if (index >= 0 && index < GetItemCount()) items_.erase(items_.begin() + index);
}

void CXTPControlGalleryItems::RemoveAll() { items_.clear(); }

CXTPControlGalleryItem* CXTPControlGalleryItems::GetItem(int index) const {
    return index >= 0 && index < GetItemCount() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

IMPLEMENT_DYNCREATE(CXTPControlGallery, CXTPControlPopup)

CXTPControlGallery::CXTPControlGallery() { SetType(xtpControlGallery); }

CXTPControlGallery::~CXTPControlGallery() {
    if (items_) items_->InternalRelease();
}

void CXTPControlGallery::SetItems(CXTPControlGalleryItems* items) {
    if (items == items_) return;
    if (items) items->InternalAddRef();
    if (items_) items_->InternalRelease();
    items_ = items;
    selected_ = -1;
}

RECT CXTPControlGallery::GetBorders() {
    CXTPDpi* dpi = XTPDpiHelper();
    constexpr int kEdge = 2, kScrollButtons = 16;
    return RECT{dpi->ScaleX(kEdge), dpi->ScaleY(kEdge), dpi->ScaleX(kEdge + kScrollButtons), dpi->ScaleY(kEdge)};
}

RECT CXTPControlGallery::GetItemsRect() const {
    const RECT borders = GetBorders();
    const int width = std::max<int>(width_, borders.left + borders.right);
    const int height = std::max<int>(GetHeight(), borders.top + borders.bottom);
    return RECT{borders.left, borders.top, width - borders.right, height - borders.bottom};
}

int CXTPControlGallery::GetColumnCount() const {
    const int itemWidth = items_ ? items_->GetItemSize().cx : 0;
    if (itemWidth <= 0) return 0;
    const RECT rect = GetItemsRect();
    return (rect.right - rect.left) / itemWidth;
}

SIZE CXTPControlGallery::GetSize(CDC* dc) {
    SIZE size = CXTPControl::GetSize(dc);
    if (width_ > 0) size.cx = width_;
    return size;
}

void CXTPControlGallery::OnItemsChanged() {
    if (selected_ >= GetItemCount()) selected_ = -1;
    RecalcParentLayout(false);
}

void CXTPControlGallery::RecalcParentLayout(bool immediate) {
    // A delayed layout is the bar's next update pass, which sees the new size by itself.
    CXTPCommandBar* parent = GetParent();
    if (!immediate || !parent) return;
    if (CXTPCommandBars* bars = parent->GetCommandBars()) bars->RecalcFrameLayout();
}

void CXTPControlGallery::Copy(CXTPControl* source, BOOL recursive) {
    CXTPControlPopup::Copy(source, recursive);
    auto* gallery = dynamic_cast<CXTPControlGallery*>(source);
    if (!gallery || gallery == this) return;
    SetItems(gallery->items_);
    width_ = gallery->width_;
    resizable_ = gallery->resizable_;
    selected_ = gallery->selected_;
}

void CXTPControlGallery::Draw(CDC* dc, RECT rect) {
    const SIZE item = items_ ? items_->GetItemSize() : SIZE{0, 0};
    if (item.cx <= 0 || item.cy <= 0) return;
    const RECT borders = GetBorders();
    const RECT area{rect.left + borders.left, rect.top + borders.top, rect.right - borders.right, rect.bottom - borders.bottom};
    int x = area.left, y = area.top;
    for (int i = 0; i < GetItemCount() && y < area.bottom; ++i) {
        CXTPControlGalleryItem* each = GetItem(i);
        if (each->IsLabel() || x + item.cx > area.right) {
            if (x != area.left) y += item.cy;
            x = area.left;
        }
        if (each->IsLabel()) {
            each->Draw(dc, this, RECT{area.left, y, area.right, y + item.cy / 3}, GetEnabled(), FALSE, FALSE, FALSE);
            y += item.cy / 3;
            continue;
        }
        each->Draw(dc, this, RECT{x, y, x + item.cx, y + item.cy}, GetEnabled(), i == selected_, FALSE, FALSE);
        x += item.cx;
    }
}
