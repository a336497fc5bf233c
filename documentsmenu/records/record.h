// The rows of the documents menu's structure views: each stands for one object of the kernel's
// documents-menu model (or a document), builds its own cells, follows its object and makes its
// children only when it is first expanded.
#pragma once

#include <vector>

#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/structure_base.h"
#include "platform/kernel.h"
#include "platform/toolkit.h"

class CXTPPopupBar;
class COleDataObject;

namespace DocumentsMenu {

class Record : public CXTPReportRecord {
public:
    Record() = default;

    // Builds the cells and registers with the model; once, after the row was added.
    virtual void Init() = 0;
    virtual void AddMultiSelectionMenuItems(CXTPPopupBar* popup, const std::vector<Record*>& selection) = 0;
    virtual void AddMenuItems(CXTPPopupBar* popup) = 0;
    virtual CString GetName() = 0;
    virtual bool SetName(const CString& value) = 0;
    virtual CString GetPath() = 0;
    virtual bool SetPath(const CString& value) = 0;
    virtual CString GetAuthor() = 0;
    virtual bool SetAuthor(const CString& value) = 0;
    virtual CString GetCompany() = 0;
    virtual bool SetCompany(const CString& value) = 0;
    virtual CString GetComment() = 0;
    virtual bool SetComment(const CString& value) = 0;
    virtual void OnSelected() = 0;
    virtual void BeginDragSelection(const std::vector<Record*>& selection) = 0;
    virtual void BeginDrag() = 0;
    virtual DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState) = 0;
    virtual bool OnDrop(COleDataObject* data, DROPEFFECT effect) = 0;
    virtual void BeginRename() = 0;
    // Fills the children when they were never made, then expands or collapses.
    virtual void Expand(bool expand);
    virtual void OnKeyDown(UINT virtualKey);
    virtual void SetHidden(bool hidden) = 0;
    virtual bool IsHidden() = 0;
    // Replaces the children by rows for what the model holds now, filtered by `filter` (already
    // folded for searching; empty: everything).
    virtual void UpdateChildren(const CString& filter) = 0;

    // The toolkit expands through here too: children are made at the first expansion, and the
    // window remembers the state.
    void SetExpanded(BOOL expanded) override;

    // The Name cell's double click: the row opens or closes and its control shows it.
    void ToggleExpanded();

    bool AreChildrenFilled() const { return childrenFilled_; }
    StructureBase* GetStructure() const { return dynamic_cast<StructureBase*>(GetControl()); }
    DocumentsMenuDlg* GetWindow() const;
    // Rebuilds the rows of this row's control.
    void Repopulate() const;
    // Excluded objects are drawn grey.
    void SetCellsTextColor(COLORREF color);

protected:
    // After the toolkit's expansion change: the window records it for the row's object.
    virtual void OnExpandedChanged(bool expanded) = 0;
    void SetChildrenFilled(bool filled) { childrenFilled_ = filled; }
    // An empty child, so the tree shows an expand button before the children exist.
    void AddPlaceholderChild();
    // Appends a new child row and initialises it.
    void AppendChild(Record* child);
    bool ShowHidden() const;
    bool ShowExcluded() const;

private:
    friend class GroupRows;
    bool childrenFilled_ = false;
};

// A text contains the filter when the filter is a case-sensitive part of it (both folded).
bool ContainsFilter(const CString& text, const CString& filter);

}  // namespace DocumentsMenu
