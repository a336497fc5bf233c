// The library gallery: the documents of one library (or of every library of a library group) as
// large icons on the ribbon, opened or inserted by a click. Galleries showing the same target share
// one items object: its clones, copies and the gallery of its own drop-down.
#pragma once

#include <vector>

#include "platform/compression.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {
class ILibrary;
}

namespace Korvo::UI {

class LibraryGallery;

// A document of the library: its icon is looked up once and kept until the icons change.
class LibraryGalleryItem : public CXTPControlGalleryItem {
public:
    explicit LibraryGalleryItem(const SharedPathName& path);
    const SharedPathName& GetPath() const { return path_; }
    int GetImageIndex() override;
    void ResetImageIndex() { imageIndex_ = -1; }
    void Draw(CDC* dc, CXTPControlGallery* gallery, RECT rect, BOOL enabled, BOOL selected, BOOL pressed,
              BOOL checked) override;

private:
    SharedPathName path_;
    int imageIndex_ = -1;
};

// The heading row of one library in a group's gallery.
class LibraryHeaderItem : public CXTPControlGalleryItem {
public:
    explicit LibraryHeaderItem(const CString& libraryName) {
        SetCaption(libraryName);
        SetLabel(TRUE);
    }
};

class LibraryGalleryItems : public CXTPControlGalleryItems {
public:
    LibraryGalleryItems();
    ~LibraryGalleryItems() override;
    // The galleries that show these items; each unregisters before it goes.
    void Register(LibraryGallery* gallery);
    void Unregister(LibraryGallery* gallery);
    const std::vector<LibraryGallery*>& GetGalleries() const { return galleries_; }
    // Every registered gallery hears of the change.
    void OnItemsChanged() override;

private:
    std::vector<LibraryGallery*> galleries_;
};

class LibraryGallery : public CXTPControlGallery, public TypedApplicationEventListener<1036> {
    DECLARE_DYNCREATE(LibraryGallery)
public:
    LibraryGallery();
    ~LibraryGallery() override;

    // The target, kept as the control's parameter: a library's or group's identifier, or a
    // library name. A new target shows at the next fill of a gallery without items.
    void SetLibraryId(DocumentsMenu::ILibrary* library);
    void SetLibraryName(LPCWSTR name);

    // Items per row: -1 automatic (counts at or below 0 become -1); the parent bar is laid out
    // again, at once with `immediate`, else at its next layout.
    int GetItemsPerRow() const { return itemsPerRow_; }
    void SetItemsPerRow(int count, bool immediate);
    // The path of the picked item, or the null path.
    SharedPathName GetSelectedPath() const;
    // The columns the gallery shows now; 0 without an items object.
    int GetColumnCount();
    // Resolves the target again: the control shows its library's icon, or `iconId` when it has
    // none of its own.
    void UpdateIcon(int iconId);
    bool IsDropDownSized() const { return dropDownSized_; }
    LibraryGalleryItems* GetLibraryItems() const { return dynamic_cast<LibraryGalleryItems*>(GetItems()); }

    void SetItems(CXTPControlGalleryItems* items) override;
    SIZE GetSize(CDC* dc) override;
    void OnCalcDynamicSize(DWORD mode) override;
    void Copy(CXTPControl* source, BOOL recursive = FALSE) override;
    void OnSetPopup(BOOL popup) override;
    void OnIdleUpdate() override;
    // The icons changed (event 1036): looked up again, on the UI thread only.
    void OnApplicationEvent(UINT eventId, const ApplicationEventArgs& args) override;

    // The size of one item: two lines of the regular font under a large icon, with margins.
    static SIZE ItemSize();

private:
    void Fill();
    void CreateDropDown();
    // The height the gallery's ribbon group leaves for it, or 0 outside a ribbon.
    int AvailableHeight() const;
    void ShowIconOf(DocumentsMenu::ILibrary* library, int fallbackIcon);

    int itemsPerRow_ = -1;
    bool dropDownSized_ = false;
};

}  // namespace Korvo::UI
