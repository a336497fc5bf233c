// The toolkit's report control: a grid of records (with child records, shown as a tree) whose
// cells are record items. Rows are built by Populate from the records: visible records only,
// children only below expanded records, sorted by the sort columns through the items' Compare.
// Expanding a row calls its record's virtual SetExpanded, so a record may make its children
// then. The control is a window; the user reaches it through the harness (clicks, double clicks,
// expansion, in-place editing).
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <vector>

#include "platform/mfc.h"
#include "platform/toolkit/commandbars/images.h"
#include "platform/toolkit/propexchange.h"

class CXTPReportControl;
class CXTPReportRecord;
class CXTPReportRecords;
class CXTPReportRecordItem;
class CXTPReportRow;
class CXTPReportColumn;
class CXTPImageManager;

struct XTP_REPORTRECORDITEM_ARGS {
    CXTPReportControl* pControl = nullptr;
    CXTPReportRow* pRow = nullptr;
    CXTPReportColumn* pColumn = nullptr;
    CXTPReportRecordItem* pItem = nullptr;
};

struct XTP_REPORTRECORDITEM_CLICKARGS : XTP_REPORTRECORDITEM_ARGS {
    POINT ptClient{};
};

enum XTPReportItemControlAlignment { xtpItemControlLeft = 0, xtpItemControlRight = 1 };

// A control inside a cell (a button).
class CXTPReportRecordItemControl : public CCmdTarget {
public:
    CXTPReportRecordItemControl() = default;
    void SetCaption(LPCWSTR caption) { caption_ = caption; }
    CString GetCaption() const { return caption_; }
    void SetSize(SIZE size) { size_ = size; }
    SIZE GetSize() const { return size_; }
    void SetAlignment(XTPReportItemControlAlignment alignment) { alignment_ = alignment; }
    XTPReportItemControlAlignment GetAlignment() const { return alignment_; }
    CXTPReportRecordItem* GetItem() const { return item_; }

    virtual void OnLButtonDown(XTP_REPORTRECORDITEM_CLICKARGS* args);
    virtual void OnLButtonUp(XTP_REPORTRECORDITEM_CLICKARGS* args);
    int GetPressCount() const { return presses_; }

private:
    friend class CXTPReportRecordItemControls;
    CString caption_;
    SIZE size_{0, 0};
    XTPReportItemControlAlignment alignment_ = xtpItemControlLeft;
    CXTPReportRecordItem* item_ = nullptr;
    int presses_ = 0;
};

class CXTPReportRecordItemButton : public CXTPReportRecordItemControl {};

// The controls of one cell, owned.
class CXTPReportRecordItemControls {
public:
    explicit CXTPReportRecordItemControls(CXTPReportRecordItem* item) : item_(item) {}
    // Appends the control (owned from now on) and returns it.
    CXTPReportRecordItemControl* AddControl(CXTPReportRecordItemControl* control);
    int GetSize() const { return static_cast<int>(controls_.size()); }
    CXTPReportRecordItemControl* GetAt(int index) const;

private:
    CXTPReportRecordItem* item_;
    std::vector<std::unique_ptr<CXTPReportRecordItemControl>> controls_;
};

class CXTPReportRecordItem : public CCmdTarget {
public:
    CXTPReportRecordItem() = default;
    explicit CXTPReportRecordItem(LPCWSTR caption) : caption_(caption) {}
    ~CXTPReportRecordItem() override = default;

    virtual CString GetCaption(CXTPReportColumn* column = nullptr) const;
    void SetCaption(LPCWSTR caption) { caption_ = caption; }
    BOOL IsEditable() const { return editable_; }
    void SetEditable(BOOL editable) { editable_ = editable; }
    virtual int GetIconIndex() const { return iconIndex_; }
    void SetIconIndex(int index) { iconIndex_ = index; }
    // CLR_DEFAULT (0xFF000000) until set.
    COLORREF GetTextColor() const { return textColor_; }
    void SetTextColor(COLORREF color) { textColor_ = color; }
    int GetSortPriority() const { return sortPriority_; }
    void SetSortPriority(int priority) { sortPriority_ = priority; }
    // The tip shown while the mouse rests on the item (empty: none).
    virtual CString GetTooltip() const { return tooltip_; }
    void SetTooltip(LPCWSTR tooltip) { tooltip_ = tooltip ? tooltip : L""; }
    CXTPReportRecord* GetRecord() const { return record_; }
    // The item's index in its record (the column's item index that shows it).
    int GetIndex() const;
    CXTPReportRecordItemControls* GetItemControls() { return &controls_; }

    virtual void OnClick(XTP_REPORTRECORDITEM_CLICKARGS* args);
    virtual void OnDblClick(XTP_REPORTRECORDITEM_CLICKARGS* args);
    // <0, 0, >0 against another item of the same column: captions through the records' Compare.
    virtual int Compare(CXTPReportColumn* column, CXTPReportRecordItem* item);
    // What Compare compares, when it is the sort priority first and then the caption through the
    // records' Compare: a sort of many records then reads each caption once instead of at every
    // comparison. False (the default) when Compare compares something else: the sort asks it.
    virtual bool GetSortKey(CXTPReportColumn* column, int& priority, CString& caption) const;
    // The user ended in-place editing with `text`: the toolkit's own handling takes the text.
    virtual void OnEditChanged(XTP_REPORTRECORDITEM_ARGS* args, LPCWSTR text);

private:
    friend class CXTPReportRecord;
    CString caption_;
    CString tooltip_;
    BOOL editable_ = TRUE;
    int iconIndex_ = -1;
    COLORREF textColor_ = 0xFF000000;
    int sortPriority_ = -1;
    CXTPReportRecord* record_ = nullptr;
    CXTPReportRecordItemControls controls_{this};
};

inline constexpr COLORREF XTP_REPORT_COLOR_DEFAULT = 0xFF000000;

// Records owned by a control (the top records) or by a parent record (its children).
class CXTPReportRecords : public CCmdTarget {
public:
    CXTPReportRecords() = default;
    ~CXTPReportRecords() override;

    // Appends (owned from now on) and returns the record.
    CXTPReportRecord* Add(CXTPReportRecord* record);
    void InsertAt(int index, CXTPReportRecord* record);
    // Deletes the record at `index`.
    void RemoveAt(int index);
    void RemoveAll();
    int GetCount() const { return static_cast<int>(records_.size()); }
    CXTPReportRecord* GetAt(int index) const;
    CXTPReportRecord* GetOwnerRecord() const { return owner_; }
    CXTPReportControl* GetControl() const;
    // How captions compare when sorting: case-insensitive, then by code unit.
    virtual int Compare(const CString& first, const CString& second) const;

private:
    friend class CXTPReportRecord;
    friend class CXTPReportControl;
    std::vector<CXTPReportRecord*> records_;
    CXTPReportRecord* owner_ = nullptr;
    CXTPReportControl* control_ = nullptr;
};

class CXTPReportRecord : public CCmdTarget {
public:
    CXTPReportRecord();
    ~CXTPReportRecord() override;

    // Appends the item (owned from now on) and returns it.
    CXTPReportRecordItem* AddItem(CXTPReportRecordItem* item);
    int GetItemCount() const { return static_cast<int>(items_.size()); }
    CXTPReportRecordItem* GetItem(int index) const;
    int IndexOf(const CXTPReportRecordItem* item) const;

    CXTPReportRecords* GetChilds() { return children_.get(); }
    // Takes the children out whole, leaving none, and no row shows them any more: the caller owns
    // them from now on. The stand-in's own, so that a huge list of children can be deleted a part
    // at a time.
    std::unique_ptr<CXTPReportRecords> TakeChilds();
    BOOL HasChildren() const { return children_->GetCount() > 0; }
    CXTPReportRecord* GetParentRecord() const { return owner_ ? owner_->GetOwnerRecord() : nullptr; }
    CXTPReportRecords* GetRecords() const { return owner_; }
    CXTPReportControl* GetControl() const { return owner_ ? owner_->GetControl() : nullptr; }
    int GetIndex() const;

    virtual void SetExpanded(BOOL expanded) { expanded_ = expanded; }
    BOOL IsExpanded() const { return expanded_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    BOOL IsVisible() const { return visible_; }
    // Takes the record out of its collection and deletes it (with its children).
    void Delete();

private:
    friend class CXTPReportRecords;
    std::vector<std::unique_ptr<CXTPReportRecordItem>> items_;
    std::unique_ptr<CXTPReportRecords> children_;
    CXTPReportRecords* owner_ = nullptr;
    BOOL expanded_ = FALSE;
    BOOL visible_ = TRUE;
};

class CXTPReportColumn : public CCmdTarget {
public:
    CXTPReportColumn(int itemIndex, LPCWSTR caption, int width, BOOL autoSize = TRUE, int iconId = -1,
                     BOOL sortable = TRUE, BOOL visible = TRUE);
    int GetItemIndex() const { return itemIndex_; }
    CString GetCaption() const { return caption_; }
    void SetInternalName(LPCWSTR name) { internalName_ = name; }
    CString GetInternalName() const { return internalName_; }
    int GetWidth() const { return width_; }
    void SetWidth(int width) { width_ = width; }
    BOOL IsVisible() const { return visible_; }
    void SetVisible(BOOL visible) { visible_ = visible; }
    BOOL IsSortable() const { return sortable_; }
    int GetIconID() const { return iconId_; }
    void SetIconID(int id) { iconId_ = id; }
    BOOL IsAutoSize() const { return autoSize_; }
    BOOL IsTreeColumn() const { return treeColumn_; }
    void SetTreeColumn(BOOL tree) { treeColumn_ = tree; }
    BOOL IsSortedIncreasing() const { return increasing_; }
    void SetSortIncreasing(BOOL increasing) { increasing_ = increasing; }

private:
    int itemIndex_;
    CString caption_, internalName_;
    int width_;
    BOOL autoSize_, sortable_, visible_;
    int iconId_;
    BOOL treeColumn_ = FALSE;
    BOOL increasing_ = TRUE;
};

class CXTPReportColumns {
public:
    CXTPReportColumn* Add(CXTPReportColumn* column);  // owned from now on
    int GetCount() const { return static_cast<int>(columns_.size()); }
    CXTPReportColumn* GetAt(int index) const;
    CXTPReportColumn* Find(int itemIndex) const;
    // The columns rows are sorted by, first to last.
    void SetSortColumn(CXTPReportColumn* column, BOOL increasing);
    const std::vector<CXTPReportColumn*>& GetSortOrder() const { return sortOrder_; }

private:
    std::vector<std::unique_ptr<CXTPReportColumn>> columns_;
    std::vector<CXTPReportColumn*> sortOrder_;
};

// One shown line: a record at a depth.
class CXTPReportRow {
public:
    CXTPReportRow(CXTPReportControl* control, CXTPReportRecord* record, CXTPReportRow* parent, int depth)
        : control_(control), record_(record), parent_(parent), depth_(depth) {}
    CXTPReportRecord* GetRecord() const { return record_; }
    CXTPReportControl* GetControl() const { return control_; }
    CXTPReportRow* GetParentRow() const { return parent_; }
    int GetTreeDepth() const { return depth_; }
    int GetIndex() const;
    BOOL IsExpanded() const { return record_->IsExpanded(); }
    // The record's SetExpanded, then the control rebuilds its rows.
    void SetExpanded(BOOL expanded);
    // A row shows an expand button when its record has children.
    BOOL HasChildren() const { return record_->HasChildren(); }
    BOOL IsSelected() const;
    void SetSelected(BOOL selected);

private:
    friend class CXTPReportControl;
    friend class CXTPReportRows;
    CXTPReportControl* control_;
    CXTPReportRecord* record_;
    CXTPReportRow* parent_;
    int depth_;
    mutable int index_ = 0;
};

class CXTPReportRows {
public:
    int GetCount() const { return static_cast<int>(rows_.size()); }
    CXTPReportRow* GetAt(int index) const;
    CXTPReportRow* Find(const CXTPReportRecord* record) const;

private:
    friend class CXTPReportControl;
    friend class CXTPReportRow;
    // Every row goes, its memory too: a row handed out before is not to be used any more.
    void clear();
    // A new row, owned by these rows until the next clear; shown once pushed (here, or onto other
    // rows that are merged into these).
    CXTPReportRow* make(CXTPReportControl* control, CXTPReportRecord* record, CXTPReportRow* parent, int depth);
    void push(CXTPReportRow* row);
    int indexOf(const CXTPReportRow* row) const;

    // Rows are made in blocks and never destroyed one by one (they own nothing), so that dropping
    // a huge tree's rows frees a few blocks instead of a row at a time.
    static constexpr std::size_t kBlockRows = 1024;
    struct Block {
        alignas(CXTPReportRow) std::byte bytes[kBlockRows * sizeof(CXTPReportRow)];
    };
    std::vector<std::unique_ptr<Block>> blocks_;
    std::size_t lastBlockRows_ = kBlockRows;

    std::vector<CXTPReportRow*> rows_;
    // Each row's record and depth beside it: finding a record's row or the end of a row's
    // children reads these packed arrays, not every row.
    std::vector<const CXTPReportRecord*> records_;
    std::vector<int> depths_;
    // The rows' own indexes are set again only when one is asked for after an insertion.
    mutable bool indexed_ = true;
};

// The in-place editor of the control: one, shown while a cell is edited.
class CXTPReportInplaceEdit {
public:
    BOOL IsWindowVisible() const { return visible_; }
    void HideWindow() { visible_ = FALSE; }
    const XTP_REPORTRECORDITEM_ARGS& GetItemArgs() const { return args_; }
    CString GetEditText() const { return text_; }

private:
    friend class CXTPReportControl;
    BOOL visible_ = FALSE;
    XTP_REPORTRECORDITEM_ARGS args_;
    CString text_;
};

// How a report control draws: its theme and the grid lines between cells. The stand-in draws
// no rows, so a paint manager keeps only what can be asked of it.
class CXTPReportPaintManager {
public:
    virtual ~CXTPReportPaintManager() = default;
    // The theme's name as the toolkit spells its class ("OfficeXP", "Office2013", ...).
    virtual const wchar_t* GetThemeName() const { return L"Default"; }
    // Back to the theme's own settings: grid lines both ways.
    virtual void RefreshMetrics();
    void SetGridLines(BOOL vertical, BOOL horizontal);
    BOOL IsVerticalGrid() const { return verticalGrid_; }
    BOOL IsHorizontalGrid() const { return horizontalGrid_; }
    int GetRefreshCount() const { return refreshes_; }

private:
    BOOL verticalGrid_ = TRUE;
    BOOL horizontalGrid_ = TRUE;
    int refreshes_ = 0;
};

class CXTPReportThemeOfficeXP : public CXTPReportPaintManager {
public:
    const wchar_t* GetThemeName() const override { return L"OfficeXP"; }
};
class CXTPReportThemeOffice2013 : public CXTPReportPaintManager {
public:
    const wchar_t* GetThemeName() const override { return L"Office2013"; }
};
class CXTPReportThemeVisualStudio2015 : public CXTPReportPaintManager {
public:
    const wchar_t* GetThemeName() const override { return L"VisualStudio2015"; }
};
class CXTPReportThemeNativeWindows10 : public CXTPReportPaintManager {
public:
    const wchar_t* GetThemeName() const override { return L"NativeWindows10"; }
};

class CXTPReportControl : public CWnd {
public:
    CXTPReportControl();
    ~CXTPReportControl() override;
    // Frees the extra data the controls keep for batches of rows drawn since the last call.
    static void FreeRowBatchExtraData();

    using CWnd::Create;
    // A child window of `parent` (or a top-level window without one).
    BOOL Create(DWORD style, const RECT& rect, CWnd* parent, UINT id);

    CXTPReportRecords* GetRecords() { return records_.get(); }
    CXTPReportRecord* AddRecord(CXTPReportRecord* record) { return records_->Add(record); }
    CXTPReportColumns* GetColumns() { return &columns_; }
    CXTPReportColumn* AddColumn(CXTPReportColumn* column) { return columns_.Add(column); }
    CXTPReportRows* GetRows() { return &rows_; }
    // Rebuilds the rows from the records (skipped while updates are locked; done at the last
    // EndUpdate). The selection stays on the same records when they are still shown; the focused
    // row goes with the old rows, and the caller focuses a row of the new ones.
    virtual void Populate();
    int GetPopulateCount() const { return populateCount_; }
    // Rows for the records of `records` from index `first` on, just added with their items made:
    // each is sorted in among the rows of its siblings (as Populate would place it), and no other
    // row is rebuilt. Nothing while the owner record's row is collapsed or not shown; a rebuild
    // while updates are locked or the rows were dropped by a deletion.
    void InsertRecordRows(CXTPReportRecords* records, int first);
    void BeginUpdate() { ++updateLock_; }
    void EndUpdate();

    // Starts in-place editing of the item; the user ends it (CXTPReportControl::EndEdit).
    void EditItem(XTP_REPORTRECORDITEM_ARGS* args);
    CXTPReportInplaceEdit* GetInplaceEdit() { return inplaceEdit_.get(); }
    // The editor's text is committed: the item hears OnEditChanged. False when nothing is edited.
    BOOL EndEdit(LPCWSTR text);

    CXTPReportRow* GetFocusedRow() const { return focused_; }
    void SetFocusedRow(CXTPReportRow* row);
    std::vector<CXTPReportRow*> GetSelectedRows() const;
    void SelectRow(CXTPReportRow* row, BOOL add);
    void ClearSelection();
    // The set of selected rows changed (the toolkit's selection-changed notification).
    virtual void OnSelectionChanged() {}
    // The user expanded or collapsed the record's row (the toolkit's row-expanded notification,
    // reflected to the control); the rows are rebuilt already.
    virtual void OnRowExpanded(CXTPReportRecord*, BOOL) {}
    // A column was shown or hidden (the toolkit's column notification, reflected to the control).
    virtual void OnColumnsChanged() {}

    void SetImageManager(CXTPImageManager* manager) { imageManager_ = manager; }
    CXTPImageManager* GetImageManager() const { return imageManager_; }
    // The tree column shows the expand buttons.
    void SetTreeIndent(int indent) { treeIndent_ = indent; }
    // The column header above the rows.
    void ShowHeader(BOOL show) { headerVisible_ = show; }
    BOOL IsHeaderVisible() const { return headerVisible_; }

    // Column widths, visibility and sort order.
    void SerializeState(CXTPPropExchange* px);

    // The paint manager (the toolkit's default until one is set); the control owns the one it
    // is given and resets its parameters.
    CXTPReportPaintManager* GetPaintManager() const { return paintManager_.get(); }
    void SetPaintManager(CXTPReportPaintManager* manager);
    // The paint manager back to its theme's settings.
    virtual void ResetPaintManagerParameters();
    // A theme by the toolkit's number and its metrics flag. The toolkit's own choice of paint
    // manager for a number is not modelled: controls that take themes override this.
    virtual void SetTheme(int theme, BOOL flag);
    int GetThemeNumber() const { return themeNumber_; }
    BOOL GetThemeFlag() const { return themeFlag_; }

    // What the user does, in the toolkit's order (the harness calls these). A click on a row of
    // the selection keeps the selection.
    void ClickItem(CXTPReportRow* row, CXTPReportColumn* column);
    void DblClickItem(CXTPReportRow* row, CXTPReportColumn* column);
    void ClickItemControl(CXTPReportRow* row, CXTPReportColumn* column, int controlIndex);
    // A click on the column's header: a sortable column becomes the sort column (again: the
    // other direction) and the rows are rebuilt.
    virtual void ClickHeader(CXTPReportColumn* column);

    // Drag and drop: with it enabled the control's window is a drop target (OnDragOver, OnDrop)
    // and a row dragged by the user starts a drag (OnBeginDrag). Disabled with the window gone.
    void EnableDragDrop(BOOL enable = TRUE);
    BOOL IsDragDropEnabled() const { return dropTarget_ != nullptr; }
    // How the drag meets the control in OnDragOver.
    enum DragState { kDragEnter = 1, kDragOver = 2, kDragLeave = 3 };
    // The selected rows are dragged (nothing by default).
    virtual void OnBeginDrag() {}
    // The effect a drop at the client point would have (none by default).
    virtual DROPEFFECT OnDragOver(COleDataObject*, DWORD, POINT, int) { return DROPEFFECT_NONE; }
    virtual BOOL OnDrop(COleDataObject*, DROPEFFECT, POINT) { return FALSE; }
    // The shown row at the client point, or null: rows are kRowHeight high each, in shown order,
    // under the header when it shows.
    static constexpr int kRowHeight = 20;
    CXTPReportRow* HitTestRow(POINT point) const;
    // The vertical scroll position: the index of the first shown row. It never leaves the
    // rows' end short of a screenful, so it follows rows that went away.
    int GetTopRowIndex() const;
    void SetTopRowIndex(int index);
    // Whole rows the client area shows below the header (at least one).
    int GetVisibleRowCount() const;
    // The view's automatic vertical scrolling while something is dragged over it: a point on
    // the first or last shown row moves the rows one row that way, when there are more.
    void AutoScrollForDrag(POINT point);
    // The user presses on the row and drags: the row is clicked (selected) unless it is in the
    // selection already, then the drag begins. False when drag and drop is not enabled.
    BOOL DragRow(CXTPReportRow* row);

    // Rows as text, one a line: indentation by depth, expand mark ("+" collapsed with children,
    // "-" expanded, " " none), the captions of the visible columns separated by " | ".
    std::wstring DumpRows() const;

protected:
    // A right press selects the row under it (unless it is in the selection already), as the
    // context menu that follows acts on the selection.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The theme number and flag the control now has (what an override of SetTheme applied).
    void RememberTheme(int theme, BOOL flag) {
        themeNumber_ = theme;
        themeFlag_ = flag;
    }
    CXTPReportRecordItem* ItemAt(CXTPReportRow* row, CXTPReportColumn* column) const;
    XTP_REPORTRECORDITEM_CLICKARGS ClickArgs(CXTPReportRow* row, CXTPReportColumn* column);

private:
    friend class CXTPReportRecords;
    friend class CXTPReportRecord;
    friend class CXTPReportRow;
    // The row leaves the selection, announced once when it was in it.
    void deselectRow(const CXTPReportRow* row);
    void addRows(CXTPReportRecords* records, CXTPReportRow* parent, int depth);
    // The record's row, and the rows below it when it is expanded, appended to `rows`.
    void addRecordRows(CXTPReportRecord* record, CXTPReportRow* parent, int depth, CXTPReportRows& rows);
    std::vector<CXTPReportRecord*> sortedVisible(CXTPReportRecords* records) const;
    // <0, 0, >0: the order of two records of one collection by the sort columns.
    int compareRecords(CXTPReportRecord* a, CXTPReportRecord* b) const;
    // The record was deleted: forget rows pointing at it.
    void forgetRecord(const CXTPReportRecord* record);
    // The records left the control: forget rows, the selection and the edit of them and their
    // children.
    void forgetRecords(const CXTPReportRecords* records);

    std::unique_ptr<CXTPReportRecords> records_;
    std::unique_ptr<CXTPReportPaintManager> paintManager_ = std::make_unique<CXTPReportPaintManager>();
    int themeNumber_ = -1;
    BOOL themeFlag_ = FALSE;
    CXTPReportColumns columns_;
    CXTPReportRows rows_;
    std::unique_ptr<CXTPReportInplaceEdit> inplaceEdit_;
    std::unique_ptr<COleDropTarget> dropTarget_;
    std::vector<const CXTPReportRecord*> selected_;
    CXTPReportRow* focused_ = nullptr;
    CXTPImageManager* imageManager_ = nullptr;
    int updateLock_ = 0;
    bool populatePending_ = false;
    // False once a deletion dropped the rows, until the next Populate.
    bool rowsCurrent_ = true;
    int populateCount_ = 0;
    int treeIndent_ = 20;
    BOOL headerVisible_ = TRUE;
    int topRow_ = 0;
};
