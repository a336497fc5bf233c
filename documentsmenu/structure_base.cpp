#include "documentsmenu/structure_base.h"

#include "documentsmenu/context_menu_items.h"
#include "documentsmenu/documents_menu_dlg.h"
#include "documentsmenu/idle_work.h"
#include "documentsmenu/records/record.h"
#include "documentsmenu/records/record_icons.h"
#include "documentsmenu/report_paint_manager.h"

namespace DocumentsMenu {

namespace {

constexpr int kIconHiddenExist = 40823;

struct ColumnSpec {
    int index;
    const wchar_t* name;
    const wchar_t* captionKey;
    int width;
    bool autoSize;
    int icon;
    bool sortable;
    bool visible;
    bool inList;
    bool inTree;
};

constexpr ColumnSpec kColumns[] = {
    {kColumnName, L"Name", L"docs_menu.title", 100, true, -1, true, true, true, true},
    {kColumnConfiguration, L"Configuration", L"docs_menu.configuration", 100, true, -1, true, true, true, false},
    {kColumnPath, L"Path", L"docs_menu.path", 100, true, -1, true, false, true, true},
    {kColumnAuthor, L"Author", L"docs_menu.author", 100, true, -1, true, false, true, true},
    {kColumnCompany, L"Company", L"docs_menu.company", 100, true, -1, true, false, true, true},
    {kColumnComment, L"Comment", L"docs_menu.comment", 100, true, -1, true, false, true, true},
    {kColumnVisible, L"Visible", L"docs_menu.visibility", 20, false, kIconHidden, false, true, true, true},
    {6, L"Title", L"docs_menu.document_title", 100, true, -1, true, false, false, true},
    {7, L"Subject", L"docs_menu.subject", 100, true, -1, true, false, false, true},
    {8, L"Category", L"docs_menu.category", 100, true, -1, true, false, false, true},
    {9, L"Keywords", L"docs_menu.keywords", 100, true, -1, true, false, false, true},
};

}  // namespace

BEGIN_MESSAGE_MAP(StructureBase, CXTPReportControl)
    ON_MESSAGE(WM_KEYDOWN, &StructureBase::OnKeyDownMessage)
    ON_MESSAGE(WM_CONTEXTMENU, &StructureBase::OnContextMenuMessage)
END_MESSAGE_MAP()

StructureBase::StructureBase(DocumentsMenuDlg* window) : window_(window) {
    SetImageManager(&images_);
    SetPaintManager(MakeReportPaintManager(0).release());
}

void StructureBase::SetTheme(int theme, BOOL flag) {
    if (theme != GetThemeNumber() || flag != GetThemeFlag()) {
        SetPaintManager(MakeReportPaintManager(theme).release());
        RememberTheme(theme, flag);
        return;
    }
    ResetPaintManagerParameters();
}

// The views show no grid lines under any theme.
void StructureBase::ResetPaintManagerParameters() {
    CXTPReportControl::ResetPaintManagerParameters();
    GetPaintManager()->SetGridLines(FALSE, FALSE);
}

StructureBase::~StructureBase() {
    CancelIdleWork(this);
    if (searchPartner_) searchPartner_->searchPartner_ = nullptr;
    if (listening_) GlobalCfgGroup()->RemoveClient(this);
    // The rows unregister from the model while the control still exists.
    GetRecords()->RemoveAll();
}

BOOL StructureBase::Create(CWnd* parent, UINT id, DWORD style) {
    if (!CXTPReportControl::Create(style, RECT{0, 0, 600, 400}, parent, id)) return FALSE;
    EnableDragDrop(TRUE);
    Open();
    return TRUE;
}

void StructureBase::Open() {
    if (listening_) return;
    CreateColumns();
    UpdateVisibleColumnIcon();
    UpdateHeaderVisibility();
    GlobalCfgGroup()->AddClient(this);
    listening_ = true;
    Fill(CString());
}

void StructureBase::AddColumns(bool listView) {
    for (const ColumnSpec& spec : kColumns) {
        if (!(listView ? spec.inList : spec.inTree)) continue;
        CXTPReportColumn* column =
            AddColumn(new CXTPReportColumn(spec.index, Korvo::I18n::Translate(spec.captionKey), spec.width,
                                           spec.autoSize, spec.icon, spec.sortable, spec.visible));
        column->SetInternalName(spec.name);
        column->SetTreeColumn(spec.index == kColumnName ? TRUE : FALSE);
        // Rows list by name (a document named "_..." first), however their rows were made.
        if (spec.index == kColumnName) GetColumns()->SetSortColumn(column, TRUE);
    }
}

void StructureBase::forEachRecord(const std::function<void(CXTPReportRecord*)>& visit) {
    // Without recursion: a tree may be as deep as its folders.
    std::vector<CXTPReportRecords*> pending{GetRecords()};
    while (!pending.empty()) {
        CXTPReportRecords* records = pending.back();
        pending.pop_back();
        for (int i = 0; i < records->GetCount(); ++i) {
            CXTPReportRecord* record = records->GetAt(i);
            visit(record);
            pending.push_back(record->GetChilds());
        }
    }
}

void StructureBase::UpdateHiddenRecords(bool show) {
    // Hidden rows stay in the tree out of view: they only change their visible flag.
    forEachRecord([show](CXTPReportRecord* record) {
        if (auto* row = dynamic_cast<Record*>(record); row && row->IsHidden()) row->SetVisible(show ? TRUE : FALSE);
    });
    Korvo::UI::ReportControl::Populate(this);
    UpdateVisibleColumnIcon();
}

bool StructureBase::IsShowHidden() const { return window_ && window_->IsShowHidden(); }

bool StructureBase::ShowExcluded() const { return window_ && window_->IsShowExcluded(); }

void StructureBase::UpdateVisibleColumnIcon() {
    if (IsShowHidden()) {
        visibleColumnIcon_ = kIconShown;
    } else {
        visibleColumnIcon_ = window_ && window_->HasHiddenItems() ? kIconHiddenExist : kIconHidden;
    }
    if (CXTPReportColumn* column = GetColumns()->Find(kColumnVisible)) column->SetIconID(visibleColumnIcon_);
}

void StructureBase::UpdateHeaderVisibility() {
    int visible = 0;
    for (int i = 0; i < GetColumns()->GetCount(); ++i) visible += GetColumns()->GetAt(i)->IsVisible() ? 1 : 0;
    ShowHeader(visible >= 2 ? TRUE : FALSE);
}

void StructureBase::EnsurePopulated() {
    // A search under way shows no rows until its answers are in.
    if (GetRows()->GetCount() == 0 && !HasIdleWork(this)) Fill(filter_);
}

void StructureBase::CollapseAll() {
    forEachRecord([](CXTPReportRecord* record) {
        if (record->IsExpanded()) record->SetExpanded(FALSE);
    });
    Korvo::UI::ReportControl::Populate(this);
}

bool StructureBase::ResetRows(const CString& filter) {
    filter_ = filter;
    CancelIdleWork(this);
    GetRecords()->RemoveAll();
    if (filter.IsEmpty()) {
        answers_.reset();
        return true;
    }
    if (answers_ && answers_->GetFilter() == filter && answers_->IsComplete()) return true;
    const std::shared_ptr<SearchAnswers> shared = searchPartner_ ? searchPartner_->answers_ : nullptr;
    if (shared && shared->GetFilter() == filter) {
        // The other view's step took this step's share already.
        answers_ = shared;
        if (answers_->IsComplete()) return true;
    } else {
        answers_ = std::make_shared<SearchAnswers>(filter, window_);
        // The rows just dropped took their share of this step already.
        if (answers_->Advance(kIdleStepWork / 4)) return true;
    }
    Korvo::UI::ReportControl::Populate(this);
    PostIdleWork(this, [this] {
        if (!answers_->Advance(kIdleStepWork)) return true;
        Fill(filter_);
        return false;
    });
    return false;
}

void StructureBase::EndFill() { answers_.reset(); }

void StructureBase::ShareSearchWith(StructureBase& other) {
    if (&other == this) return;
    searchPartner_ = &other;
    other.searchPartner_ = this;
}

void StructureBase::PlaceRow(Record* row, bool excluded, bool expand, const CString& childFilter, bool hidden) {
    if (excluded) row->SetCellsTextColor(GetSysColor(COLOR_GRAYTEXT));
    if (expand) row->UpdateChildren(childFilter);
    // Recorded in the window like every expansion change, a searched one too.
    row->SetExpanded(expand ? TRUE : FALSE);
    if (hidden) row->SetVisible(IsShowHidden() ? TRUE : FALSE);
}

void StructureBase::OnSelectionChanged() {
    const std::vector<CXTPReportRow*> selected = GetSelectedRows();
    if (selected.size() >= 2) {
        if (window_) window_->ClearBrowser();
        return;
    }
    if (auto* record = selected.empty() ? nullptr : dynamic_cast<Record*>(selected.front()->GetRecord()))
        record->OnSelected();
}

void StructureBase::OnBeginDrag() {
    std::vector<Record*> records;
    for (CXTPReportRow* row : GetSelectedRows()) {
        if (auto* record = dynamic_cast<Record*>(row->GetRecord())) records.push_back(record);
    }
    if (records.size() == 1) {
        records.front()->BeginDrag();
    } else if (records.size() > 1) {
        records.front()->BeginDragSelection(records);
    }
}

namespace {
// The row a drag is over, shared by both views: a drag leaves one for the other.
const CXTPReportRecord* g_dragOverRecord = nullptr;
}  // namespace

DROPEFFECT StructureBase::OnDragOver(COleDataObject* data, DWORD keyState, POINT point, int state) {
    if (!data) {
        if (state != kDragOver) g_dragOverRecord = nullptr;
        return DROPEFFECT_NONE;
    }
    AutoScrollForDrag(point);
    CXTPReportRow* row = HitTestRow(point);
    auto* record = row ? dynamic_cast<Record*>(row->GetRecord()) : nullptr;
    const DROPEFFECT effect = record ? record->OnDragOver(data, keyState) : DROPEFFECT_NONE;
    // Dropped files are offered to every row; the row under them must become the drop's target
    // (the first selected row), or they would land in whatever row was selected before.
    const DROPEFFECT result =
        data->IsDataAvailable(CF_HDROP) && effect == DROPEFFECT_NONE ? DROPEFFECT_COPY : effect;
    if (row && row->GetRecord() != g_dragOverRecord) {
        if (result != DROPEFFECT_NONE) {
            SelectRow(row, FALSE);
            g_dragOverRecord = row->GetRecord();
        }
        if (GetSafeHwnd()) Invalidate(FALSE);
    }
    if (state != kDragOver) g_dragOverRecord = nullptr;
    return result;
}

BOOL StructureBase::OnDrop(COleDataObject* data, DROPEFFECT effect, POINT) {
    g_dragOverRecord = nullptr;
    const std::vector<CXTPReportRow*> selected = GetSelectedRows();
    auto* record = selected.empty() ? nullptr : dynamic_cast<Record*>(selected.front()->GetRecord());
    // A failed copy of dropped files is not a move done: the source keeps its files.
    return record && record->OnDrop(data, effect) ? TRUE : FALSE;
}

void StructureBase::ClickHeader(CXTPReportColumn* column) {
    if (column && column->GetItemIndex() == kColumnVisible && window_) {
        window_->SetShowHidden(!window_->IsShowHidden());
        return;
    }
    CXTPReportControl::ClickHeader(column);
}

LRESULT StructureBase::OnKeyDownMessage(WPARAM key, LPARAM) {
    CXTPReportRow* focused = GetFocusedRow();
    if (auto* record = focused ? dynamic_cast<Record*>(focused->GetRecord()) : nullptr)
        record->OnKeyDown(static_cast<UINT>(key));
    return Default();
}

void StructureBase::OnRowExpanded(CXTPReportRecord* record, BOOL expanded) {
    auto* row = dynamic_cast<Record*>(record);
    if (!row) return;
    row->Expand(expanded != FALSE);
    if (expanded) Korvo::UI::ReportControl::Populate(this);
    if (CXTPReportRow* shown = GetRows()->Find(row)) SetFocusedRow(shown);
}

void StructureBase::ConfigurationsChanged() { Fill(CString()); }

void StructureBase::BeginUpdate() {
    if (++updateCount_ == 1) CXTPReportControl::BeginUpdate();
}

void StructureBase::EndUpdate() {
    if (updateCount_ == 0) return;
    if (--updateCount_ != 0) return;
    Korvo::UI::ReportControl::Populate(this);
    CXTPReportControl::EndUpdate();
}

}  // namespace DocumentsMenu

namespace DocumentsMenu {

void StructureBase::AddConfigurationsMenu(CXTPPopupBar* popup) {
    CXTPPopupBar* menu = AddSubMenu(popup, L"docs_menu.ctx_menu.libraries_configurations", true);
    AddMenuItem(menu, new ConfigurationsGroupMenuItems::OpenCfg);
    if (KVPDMWorkMix::Instance()) AddMenuItem(menu, new ConfigurationsGroupMenuItems::OpenCfgFromVARNEL);
    AddMenuItem(menu, new ConfigurationsGroupMenuItems::CloseAllCfgs);
}

LRESULT StructureBase::OnContextMenuMessage(WPARAM, LPARAM lParam) {
    const POINT screen{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    CXTPPopupBar* popup = CreateContextMenu();
    if (!popup) return 0;
    std::vector<Record*> records;
    for (CXTPReportRow* row : GetSelectedRows())
        if (auto* record = dynamic_cast<Record*>(row->GetRecord())) records.push_back(record);
    if (records.size() == 1) {
        records.front()->AddMenuItems(popup);
    } else if (records.size() > 1) {
        // The row under the mouse speaks for the selection; over no row, the first selected.
        POINT point = screen;
        ::ScreenToClient(GetSafeHwnd(), &point);
        CXTPReportRow* under = HitTestRow(point);
        auto* record = under ? dynamic_cast<Record*>(under->GetRecord()) : nullptr;
        (record ? record : records.front())->AddMultiSelectionMenuItems(popup, records);
    }
    AddConfigurationsMenu(popup);
    if (window_) {
        CXTPPopupBar* view = AddSubMenu(popup, L"docs_menu.ctx_menu.view", true);
        AddMenuItem(view, new DocumentsMenuDlgMenuItems::TreeView(window_));
        AddMenuItem(view, new DocumentsMenuDlgMenuItems::LibrariesList(window_));
        CXTPPopupBar* preview = AddSubMenu(popup, L"docs_menu.ctx_menu.preview", true);
        AddMenuItem(preview, new DocumentsMenuDlgMenuItems::SplitModeNone(window_));
        AddMenuItem(preview, new DocumentsMenuDlgMenuItems::SplitModeHorizontal(window_));
        AddMenuItem(preview, new DocumentsMenuDlgMenuItems::SplitModeVertical(window_));
        if (window_->HasHiddenItems()) AddMenuItem(popup, new DocumentsMenuDlgMenuItems::ShowHidden(window_));
        AddMenuItem(popup, new DocumentsMenuDlgMenuItems::ShowExcluded(window_));
    }
    TrackContextMenu(popup, screen);
    return 0;
}

}  // namespace DocumentsMenu
