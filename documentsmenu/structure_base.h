// The report controls of the documents menu's structure views (the configurations tree and the
// flat libraries list): they hold the window whose view state their rows follow, listen to the
// kernel's configurations group and rebuild their rows from it.
#pragma once

#include <functional>
#include <memory>

#include "documentsmenu/library_search.h"
#include "platform/kernel.h"
#include "platform/korvoui.h"
#include "platform/toolkit.h"

namespace DocumentsMenu {

class DocumentsMenuDlg;
class Record;

class StructureBase : public CXTPReportControl, public IConfigurationsGroup::IClient {
public:
    explicit StructureBase(DocumentsMenuDlg* window);
    ~StructureBase() override;

    DocumentsMenuDlg* GetDocumentsMenuDlg() const { return window_; }

    // The control's window below `parent` (a top-level window without one), its columns, and
    // the rows of the configurations open now.
    using CXTPReportControl::Create;
    BOOL Create(CWnd* parent, UINT id, DWORD style = WS_CHILD | WS_VISIBLE);
    // The columns, the model's notifications and the rows, without a window (what Create does
    // after making it).
    void Open();

    // Rebuilds every row; `filter` is already folded for searching (empty: everything).
    virtual void Fill(const CString& filter) = 0;
    // Hidden rows are shown or left out as the window now says.
    virtual void UpdateHiddenRecords(bool show);
    virtual bool IsShowHidden() const;
    // The Visible column's header: hidden rows shown, hidden rows exist, or none.
    virtual void UpdateVisibleColumnIcon();
    virtual void CreateColumns() = 0;
    int GetVisibleColumnIcon() const { return visibleColumnIcon_; }

    // The header shows only with two or more visible columns.
    void UpdateHeaderVisibility();
    // Fills the rows when there are none yet.
    void EnsurePopulated();
    void CollapseAll();
    // The filter of the last fill.
    const CString& GetFilter() const { return filter_; }
    // What the search of the fill under way found in the library folders; null without one.
    const SearchAnswers* GetSearchAnswers() const { return answers_.get(); }
    // Two views of the same libraries filled with the same filter search the folders once: the
    // one that starts second takes the answers of the other's search under way.
    void ShareSearchWith(StructureBase& other);

    // One selected row shows itself in the browser pane; several clear it.
    void OnSelectionChanged() override;
    // The Visible column's header switches hidden rows on and off; others sort.
    void ClickHeader(CXTPReportColumn* column) override;

    // The expand button's row: its record expands as the view's rows do, and the row becomes the
    // focused one.
    void OnRowExpanded(CXTPReportRecord* record, BOOL expanded) override;
    // Two or more visible columns show the header.
    void OnColumnsChanged() override { UpdateHeaderVisibility(); }
    // A new theme number or flag brings the paint manager of that theme; the same ones only
    // reset the one the view has.
    void SetTheme(int theme, BOOL flag) override;
    void ResetPaintManagerParameters() override;

    // Drags start from the selected rows' records; drops go to the row under the point.
    void OnBeginDrag() override;
    DROPEFFECT OnDragOver(COleDataObject* data, DWORD keyState, POINT point, int state) override;
    BOOL OnDrop(COleDataObject* data, DROPEFFECT effect, POINT point) override;

    void ConfigurationsChanged() override;
    // Nested: the rows are rebuilt once, when the outermost update ends.
    void BeginUpdate() override;
    void EndUpdate() override;
    unsigned GetUpdateCount() const { return updateCount_; }

protected:
    // The columns of the table the view shows, in its order (`listView`: the flat list's).
    void AddColumns(bool listView);
    // Grey cells for an excluded object, the remembered or searched expansion with the rows below
    // (filtered by `childFilter`), and the visible flag of a hidden object.
    void PlaceRow(Record* row, bool excluded, bool expand, const CString& childFilter, bool hidden);
    // Starts a fill: no rows, the filter remembered. With a filter the library folders are
    // searched first, in idle steps when that takes long: false then, and the fill runs again
    // once every answer is in.
    bool ResetRows(const CString& filter);
    // Ends a fill: its answers are not kept, as the folders may change.
    void EndFill();
    bool ShowExcluded() const;

    // A key goes to the focused row first (Enter opens a document), then to the control.
    afx_msg LRESULT OnKeyDownMessage(WPARAM key, LPARAM flags);
    // The selected rows' items, all configurations, the window's views and hidden objects.
    afx_msg LRESULT OnContextMenuMessage(WPARAM window, LPARAM point);
    // The configurations sub-menu: open, open from the PDM system while it is there, close all.
    virtual void AddConfigurationsMenu(CXTPPopupBar* popup);
    DECLARE_MESSAGE_MAP()

private:
    // Every record of the tree, parents before their children.
    void forEachRecord(const std::function<void(CXTPReportRecord*)>& visit);
    DocumentsMenuDlg* window_;
    Korvo::UI::CachingImageManager images_;
    CString filter_;
    std::shared_ptr<SearchAnswers> answers_;
    StructureBase* searchPartner_ = nullptr;
    unsigned updateCount_ = 0;
    int visibleColumnIcon_ = -1;
    bool listening_ = false;
};

}  // namespace DocumentsMenu
