// The toolkit's galleries: a control that shows a grid of items (a picture over a caption each)
// for the user to pick from. The items live in a reference-counted collection that several
// galleries may show at once; a gallery's drop-down is a popup bar holding another gallery.
#pragma once

#include <memory>
#include <vector>

#include "platform/toolkit/commandbars/controls.h"

class CXTPControlGallery;
class CXTPControlGalleryItems;
class CXTPImageManager;

class CXTPControlGalleryItem {
public:
    CXTPControlGalleryItem() = default;
    virtual ~CXTPControlGalleryItem() = default;
    CXTPControlGalleryItem(const CXTPControlGalleryItem&) = delete;
    CXTPControlGalleryItem& operator=(const CXTPControlGalleryItem&) = delete;

    CString GetCaption() const { return caption_; }
    void SetCaption(LPCWSTR caption) { caption_ = caption ? caption : L""; }
    CString GetToolTip() const { return tooltip_; }
    void SetToolTip(LPCWSTR tooltip) { tooltip_ = tooltip ? tooltip : L""; }
    // A label is a heading row across the whole gallery; the user cannot pick it.
    BOOL IsLabel() const { return label_; }
    void SetLabel(BOOL label) { label_ = label; }
    // The picture of the item in its collection's image manager; -1 for none.
    virtual int GetImageIndex() { return imageIndex_; }
    void SetImageIndex(int index) { imageIndex_ = index; }
    // The item paints itself in `rect` of the gallery's bar when the bar paints.
    virtual void Draw(CDC* dc, CXTPControlGallery* gallery, RECT rect, BOOL enabled, BOOL selected, BOOL pressed,
                      BOOL checked) {
        (void)dc, (void)gallery, (void)rect, (void)enabled, (void)selected, (void)pressed, (void)checked;
    }
    CXTPControlGalleryItems* GetItems() const { return items_; }
    int GetIndex() const;

private:
    friend class CXTPControlGalleryItems;
    CString caption_, tooltip_;
    BOOL label_ = FALSE;
    int imageIndex_ = -1;
    CXTPControlGalleryItems* items_ = nullptr;
};

// Reference counted (InternalAddRef / InternalRelease); it starts with the creator's reference.
class CXTPControlGalleryItems : public CCmdTarget {
public:
    CXTPControlGalleryItems() = default;
    ~CXTPControlGalleryItems() override;

    // Takes the item; it goes before `before` (-1 or past the end: at the end).
    CXTPControlGalleryItem* AddItem(std::unique_ptr<CXTPControlGalleryItem> item, int before = -1);
    void Remove(int index);
    void RemoveAll();
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    CXTPControlGalleryItem* GetItem(int index) const;
    // Every item has this size (pixels); the galleries lay their grids out by it.
    SIZE GetItemSize() const { return itemSize_; }
    void SetItemSize(SIZE size) { itemSize_ = size; }
    // The pictures of the items; not owned.
    CXTPImageManager* GetImageManager() const { return images_; }
    void SetImageManager(CXTPImageManager* images) { images_ = images; }
    // The content changed; the owner tells the galleries that show it.
    virtual void OnItemsChanged() {}

private:
    std::vector<std::unique_ptr<CXTPControlGalleryItem>> items_;
    SIZE itemSize_{0, 0};
    CXTPImageManager* images_ = nullptr;
};

// Resizing the user may do on a gallery in a popup bar.
inline constexpr int xtpGalleryResizeHorizontal = 1;
inline constexpr int xtpGalleryResizeVertical = 2;

class CXTPControlGallery : public CXTPControlPopup {
    DECLARE_DYNCREATE(CXTPControlGallery)
public:
    CXTPControlGallery();
    ~CXTPControlGallery() override;

    // The gallery holds one reference on its items.
    CXTPControlGalleryItems* GetItems() const { return items_; }
    virtual void SetItems(CXTPControlGalleryItems* items);
    int GetItemCount() const { return items_ ? items_->GetItemCount() : 0; }
    CXTPControlGalleryItem* GetItem(int index) const { return items_ ? items_->GetItem(index) : nullptr; }

    // The frame around the items (the scroll buttons on the right), scaled for the screen.
    static RECT GetBorders();
    // The gallery's own size; 0: none set.
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    void SetControlSize(SIZE size) {
        width_ = size.cx;
        SetHeight(size.cy);
    }
    // The items area inside the borders, from the gallery's top-left corner.
    RECT GetItemsRect() const;
    // The columns the items area holds: its width by the item width (0 without an items object).
    int GetColumnCount() const;
    int GetResizable() const { return resizable_; }
    void SetResizable(int flags) { resizable_ = flags; }

    // The picked item (-1: none); the picked item's command runs when the gallery executes.
    int GetSelectedItem() const { return selected_; }
    void SetSelectedItem(int index) { selected_ = index >= 0 && index < GetItemCount() ? index : -1; }

    // The user picked an item: the gallery executes as a button does (the site hears of it).
    void OnExecute() override { CXTPControl::OnExecute(); }
    // The size the gallery has on its bar: its own width and height, the bar's otherwise.
    SIZE GetSize(CDC* dc) override;
    // The bar lays the gallery out for a popup (its size may change with the mode's flags).
    virtual void OnCalcDynamicSize(DWORD mode) { (void)mode; }
    // The items changed: the bar lays the gallery out again at its next layout.
    virtual void OnItemsChanged();
    // Lays the gallery's bar out again: now, or at the bar's next layout.
    void RecalcParentLayout(bool immediate);
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;
    // Each item of the grid draws itself in its cell, labels across the whole row.
    void Draw(CDC* dc, RECT rect) override;

private:
    CXTPControlGalleryItems* items_ = nullptr;
    int width_ = 0;
    int resizable_ = 0;
    int selected_ = -1;
};
