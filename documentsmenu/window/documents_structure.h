// The structure pane of the documents menu: the configurations tree and the flat libraries list
// in one window, one of them shown, both filled with the same search filter.
#pragma once

#include "documentsmenu/tree_view.h"
#include "documentsmenu/window/libraries_list.h"

namespace DocumentsMenu {

class DocumentsStructure : public CWnd {
public:
    static constexpr UINT kListViewId = 1;
    static constexpr UINT kTreeViewId = 2;

    explicit DocumentsStructure(DocumentsMenuDlg* owner) : tree_(owner), list_(owner), owner_(owner) {
        tree_.ShareSearchWith(list_);
    }

    BOOL Create(CWnd* parent, DWORD style, UINT id);
    using CWnd::Create;

    // Folds the text for searching and refills the list, then the tree.
    void SetFilter(const CString& text);
    bool IsShowHidden() const { return showHidden_; }
    // False when unchanged; otherwise both views show or leave out hidden rows.
    bool SetShowHidden(bool show);
    bool IsListMode() const { return listMode_; }
    // False when unchanged; the shown view takes the column visibility of the other by name.
    bool SetListMode(bool list);
    void SelectConfiguration(ILibrariesGroup* group);
    void SelectLibrary(ILibrary* library);
    void CollapseAll();
    void EnsurePopulated();
    void ClearSelection();
    void ApplyScreenTipOption();
    // Each view takes the theme's report theme.
    void SetTheme(const Korvo::UI::Theme& theme);
    bool GetScreenTips() const { return screenTips_; }
    // "ShowHidden", the tree's report state ("Tree") and the list's ("List"); after loading, the
    // views are filled again.
    void DoPropExchange(CXTPPropExchange* px);

    TreeView& GetTreeView() { return tree_; }
    LibrariesList& GetListView() { return list_; }
    StructureBase& GetVisibleView() { return listMode_ ? static_cast<StructureBase&>(list_) : tree_; }

protected:
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

private:
    // Expands the rows of `group`'s ancestors so that its row exists; the group's row or null.
    CXTPReportRow* revealGroup(ILibrariesGroup* group);
    CXTPReportRow* revealLibrary(ILibrary* library);
    void layoutViews();

    TreeView tree_;
    LibrariesList list_;
    DocumentsMenuDlg* owner_;
    bool showHidden_ = false;
    bool listMode_ = false;
    bool screenTips_ = true;
};

}  // namespace DocumentsMenu
