// A list of large icons showing one location of the documents menu: a configuration, a libraries
// group, a library or a folder. The browser keeps itself current through the model, the
// documents-menu window and the folder watcher, sorts by a fixed rule and hands double clicks,
// renames and drags to its items. Items live as long as their rows: deleting a row deletes its
// item.
#pragma once

#include <unordered_map>
#include <vector>

#include "platform/korvoui.h"
#include "platform/mfc.h"

namespace DocumentsMenu {

class DocumentsMenuDlg;
class ListItem;
class PreviewWnd;

class Browser : public CListCtrl {
public:
    // The list's own control id below the browser pane.
    static constexpr UINT kFirstId = 1100;

    Browser() = default;
    ~Browser() override;

    // A child of the pane (hidden until it shows a location).
    bool CreateIn(PreviewWnd* pane, UINT id);
    PreviewWnd* GetPane() const { return pane_; }
    // The window whose hidden state the browser follows; null when the pane has none.
    DocumentsMenuDlg* GetWindow() const;

    virtual HICON GetIcon() const = 0;
    virtual CString GetPath() const = 0;
    virtual void AddBackgroundMenuItems(CXTPPopupBar*) {}
    virtual void Detach() = 0;

    void AddContextMenuItems(CXTPPopupBar* popup, POINT point);
    void RebuildImageList();
    Korvo::UI::CachingImageList* GetImageList() { return images_.IsCreated() ? &images_ : nullptr; }

    // A notification of the list, handed on by the pane; true when the browser took it.
    bool OnListNotify(NMHDR* header, LRESULT* result);

    // Appends a row for the item (which its row owns from now on); null when no row could be made.
    ListItem* Append(ListItem* item);
    // The row of the item, -1 when it has none.
    int RowOf(const ListItem* item) const;
    void DeleteRowOf(const ListItem* item);
    void SetText(ListItem* item, const CString& text);
    ListItem* FindItem(UINT id) const;
    ListItem* ItemAtRow(int row) const;
    const std::vector<ListItem*>& GetItems() const { return items_; }
    // Deletes every row (and item), fills by kind, then sorts.
    void Fill();
    void Sort();
    // The order of two items by their ids: sort group, then their texts in the user's order.
    static int CompareItems(LPARAM first, LPARAM second, LPARAM browser);

protected:
    virtual void FillItems() = 0;
    // Items are found by path case-insensitively; folders by their path with the backslash.
    ListItem* FindByPath(const CString& path) const;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    friend class ListItem;
    void forget(ListItem* item);
    void clearRows();

    PreviewWnd* pane_ = nullptr;
    Korvo::UI::CachingImageList images_;
    std::vector<ListItem*> items_;
    std::unordered_map<UINT, ListItem*> byId_;
    bool clearing_ = false;
};

}  // namespace DocumentsMenu
