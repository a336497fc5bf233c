// The report control: rows from records, selection, in-place editing, clicks and column state.
#include <algorithm>
#include <new>
#include <type_traits>

#include "platform/core/journal.h"
#include "platform/core/record.h"
#include "platform/toolkit/panes/report.h"

// --- rows ---

void CXTPReportRow::SetExpanded(BOOL expanded) {
    // The record may change its children, which drops every row, this one included.
    CXTPReportControl* control = control_;
    CXTPReportRecord* record = record_;
    record->SetExpanded(expanded);
    control->Populate();
    control->OnRowExpanded(record, expanded);
}

BOOL CXTPReportRow::IsSelected() const {
    const auto rows = control_->GetSelectedRows();
    return std::find(rows.begin(), rows.end(), this) != rows.end();
}

void CXTPReportRow::SetSelected(BOOL selected) {
    if (selected) {
        control_->SelectRow(this, TRUE);
    } else {
        control_->deselectRow(this);
    }
}

int CXTPReportRow::GetIndex() const { return control_->GetRows()->indexOf(this); }

CXTPReportRow* CXTPReportRows::GetAt(int index) const {
    return index >= 0 && index < GetCount() ? rows_[static_cast<std::size_t>(index)] : nullptr;
}

CXTPReportRow* CXTPReportRows::Find(const CXTPReportRecord* record) const {
    const auto found = std::find(records_.begin(), records_.end(), record);
    return found == records_.end() ? nullptr : rows_[static_cast<std::size_t>(found - records_.begin())];
}

static_assert(std::is_trivially_destructible_v<CXTPReportRow>, "rows are freed by the block, never destroyed");

void CXTPReportRows::clear() {
    rows_.clear();
    records_.clear();
    depths_.clear();
    blocks_.clear();
    lastBlockRows_ = kBlockRows;
    indexed_ = true;
}

CXTPReportRow* CXTPReportRows::make(CXTPReportControl* control, CXTPReportRecord* record, CXTPReportRow* parent,
                                    int depth) {
    if (lastBlockRows_ == kBlockRows) {
        blocks_.push_back(std::make_unique_for_overwrite<Block>());
        lastBlockRows_ = 0;
    }
    std::byte* place = blocks_.back()->bytes + lastBlockRows_++ * sizeof(CXTPReportRow);
    return new (place) CXTPReportRow(control, record, parent, depth);
}

void CXTPReportRows::push(CXTPReportRow* row) {
    if (indexed_) row->index_ = GetCount();
    records_.push_back(row->record_);
    depths_.push_back(row->depth_);
    rows_.push_back(row);
}

int CXTPReportRows::indexOf(const CXTPReportRow* row) const {
    if (!indexed_) {
        for (std::size_t i = 0; i < rows_.size(); ++i) rows_[i]->index_ = static_cast<int>(i);
        indexed_ = true;
    }
    return row->index_;
}

// --- control ---

void CXTPReportControl::FreeRowBatchExtraData() {
    platform::core::recordIdleCall(L"CXTPReportControl::FreeRowBatchExtraData()");
}

CXTPReportControl::CXTPReportControl()
    : records_(std::make_unique<CXTPReportRecords>()), inplaceEdit_(std::make_unique<CXTPReportInplaceEdit>()) {
    records_->control_ = this;
}

CXTPReportControl::~CXTPReportControl() {
    rows_.clear();
    records_->RemoveAll();
}

void CXTPReportPaintManager::RefreshMetrics() {
    verticalGrid_ = horizontalGrid_ = TRUE;
    ++refreshes_;
}

void CXTPReportPaintManager::SetGridLines(BOOL vertical, BOOL horizontal) {
    verticalGrid_ = vertical;
    horizontalGrid_ = horizontal;
}

void CXTPReportControl::SetPaintManager(CXTPReportPaintManager* manager) {
    if (!manager) return;
    paintManager_.reset(manager);
    ResetPaintManagerParameters();
}

void CXTPReportControl::ResetPaintManagerParameters() { paintManager_->RefreshMetrics(); }

void CXTPReportControl::SetTheme(int theme, BOOL) {
    platform::core::reportFailure(L"CXTPReportControl::SetTheme(" + std::to_wstring(theme) +
                                  L"): the toolkit's own report themes are not modelled");
}

BOOL CXTPReportControl::Create(DWORD style, const RECT& rect, CWnd* parent, UINT id) {
    if (parent) return CWnd::Create(L"STATIC", L"", style, rect, parent, id, nullptr);
    return CreateEx(0, L"STATIC", L"", style & ~WS_CHILD, rect, nullptr, id, nullptr);
}

void CXTPReportControl::EndUpdate() {
    if (updateLock_ > 0 && --updateLock_ == 0 && populatePending_) Populate();
}

namespace {

// Sorts `shown` by `by` as its items' Compare would, with each item's key read once; false (and
// `shown` untouched) when an item's Compare is not a key comparison.
bool sortByKeys(const CXTPReportRecords* records, CXTPReportColumn* by, std::vector<CXTPReportRecord*>& shown) {
    struct Keyed {
        CXTPReportRecord* record;
        bool present;
        int priority;
        CString caption;
    };
    std::vector<Keyed> keyed;
    keyed.reserve(shown.size());
    for (CXTPReportRecord* record : shown) {
        Keyed key{record, false, 0, {}};
        if (const CXTPReportRecordItem* item = record->GetItem(by->GetItemIndex())) {
            if (!item->GetSortKey(by, key.priority, key.caption)) return false;
            key.present = true;
        }
        keyed.push_back(std::move(key));
    }
    const bool increasing = by->IsSortedIncreasing() != FALSE;
    std::stable_sort(keyed.begin(), keyed.end(), [records, increasing](const Keyed& a, const Keyed& b) {
        // A record without an item sorts as an empty caption would, before the others.
        int order = 0;
        if (!a.present || !b.present) {
            order = a.present == b.present ? 0 : a.present ? 1 : -1;
        } else if (a.priority != b.priority) {
            order = a.priority - b.priority;
        } else {
            order = records ? records->Compare(a.caption, b.caption) : a.caption.Compare(b.caption);
        }
        return increasing ? order < 0 : order > 0;
    });
    for (std::size_t i = 0; i < keyed.size(); ++i) shown[i] = keyed[i].record;
    return true;
}

}  // namespace

std::vector<CXTPReportRecord*> CXTPReportControl::sortedVisible(CXTPReportRecords* records) const {
    std::vector<CXTPReportRecord*> shown;
    shown.reserve(static_cast<std::size_t>(records->GetCount()));
    for (int i = 0; i < records->GetCount(); ++i) {
        CXTPReportRecord* record = records->GetAt(i);
        if (record->IsVisible()) shown.push_back(record);
    }
    for (auto column = columns_.GetSortOrder().rbegin(); column != columns_.GetSortOrder().rend(); ++column) {
        CXTPReportColumn* by = *column;
        if (sortByKeys(records, by, shown)) continue;
        std::stable_sort(shown.begin(), shown.end(), [by](CXTPReportRecord* a, CXTPReportRecord* b) {
            CXTPReportRecordItem* first = a->GetItem(by->GetItemIndex());
            CXTPReportRecordItem* second = b->GetItem(by->GetItemIndex());
            // A record without an item in the column sorts as an empty caption would, before
            // the others: the order must stay consistent for the sort to be sound.
            if (!first || !second) {
                if (!first == !second) return false;
                const int order = first ? 1 : -1;
                return by->IsSortedIncreasing() ? order < 0 : order > 0;
            }
            const int order = first->Compare(by, second);
            return by->IsSortedIncreasing() ? order < 0 : order > 0;
        });
    }
    return shown;
}

int CXTPReportControl::compareRecords(CXTPReportRecord* a, CXTPReportRecord* b) const {
    for (CXTPReportColumn* by : columns_.GetSortOrder()) {
        CXTPReportRecordItem* first = a->GetItem(by->GetItemIndex());
        CXTPReportRecordItem* second = b->GetItem(by->GetItemIndex());
        int order = 0;
        if (!first || !second) {
            order = !first == !second ? 0 : first ? 1 : -1;
        } else {
            order = first->Compare(by, second);
        }
        if (order != 0) return by->IsSortedIncreasing() ? order : -order;
    }
    return 0;
}

void CXTPReportControl::addRecordRows(CXTPReportRecord* record, CXTPReportRow* parent, int depth,
                                      CXTPReportRows& rows) {
    // Made in this control's rows whatever rows it is pushed onto: those are merged into them.
    CXTPReportRow* added = rows_.make(this, record, parent, depth);
    rows.push(added);
    // Collapsed records hold no rows below them.
    if (!record->IsExpanded() || !record->HasChildren()) return;
    for (CXTPReportRecord* child : sortedVisible(record->GetChilds())) addRecordRows(child, added, depth + 1, rows);
}

void CXTPReportControl::addRows(CXTPReportRecords* records, CXTPReportRow* parent, int depth) {
    for (CXTPReportRecord* record : sortedVisible(records)) addRecordRows(record, parent, depth, rows_);
}

void CXTPReportControl::InsertRecordRows(CXTPReportRecords* records, int first) {
    if (!records || records->GetControl() != this || first < 0 || first >= records->GetCount()) return;
    if (updateLock_ > 0 || !rowsCurrent_) {
        Populate();
        return;
    }
    // The rows of the collection's siblings: below the owner's row, or at the top.
    CXTPReportRow* parent = nullptr;
    std::size_t begin = 0, end = rows_.rows_.size();
    int depth = 0;
    if (CXTPReportRecord* owner = records->GetOwnerRecord()) {
        const auto shown = std::find(rows_.records_.begin(), rows_.records_.end(), owner);
        if (shown == rows_.records_.end() || !owner->IsExpanded()) return;
        begin = static_cast<std::size_t>(shown - rows_.records_.begin()) + 1;
        parent = rows_.rows_[begin - 1];
        depth = parent->depth_ + 1;
        for (end = begin; end < rows_.depths_.size() && rows_.depths_[end] >= depth;) ++end;
    }
    std::vector<CXTPReportRecord*> added;
    for (int i = first; i < records->GetCount(); ++i) {
        if (records->GetAt(i)->IsVisible()) added.push_back(records->GetAt(i));
    }
    if (added.empty()) return;
    const auto before = [this](CXTPReportRecord* a, CXTPReportRecord* b) { return compareRecords(a, b) < 0; };
    std::stable_sort(added.begin(), added.end(), before);
    // Where each new record's rows go: after every sibling that does not sort after it, as the
    // stable sort of Populate places records added last. Siblings with rows of their own below
    // them are picked out first; otherwise every row of the range is a sibling.
    std::vector<std::size_t> siblings;
    const auto depthAt = [this](std::size_t index) { return rows_.depths_.begin() + static_cast<std::ptrdiff_t>(index); };
    const bool flat = std::all_of(depthAt(begin), depthAt(end), [depth](int d) { return d == depth; });
    if (!flat) {
        for (std::size_t i = begin; i < end; ++i) {
            if (rows_.depths_[i] == depth) siblings.push_back(i);
        }
    }
    const auto sortsAfter = [&](CXTPReportRecord* record, std::size_t at) {
        return before(record, const_cast<CXTPReportRecord*>(rows_.records_[at]));
    };
    CXTPReportRows fresh;
    std::vector<std::size_t> places, groupEnds;
    places.reserve(added.size());
    groupEnds.reserve(added.size());
    std::size_t from = begin, fromSibling = 0;
    for (CXTPReportRecord* record : added) {
        std::size_t place = end;
        if (flat) {
            for (std::size_t low = from, high = end; low < high;) {
                const std::size_t middle = low + (high - low) / 2;
                if (sortsAfter(record, middle)) {
                    high = place = middle;
                } else {
                    low = middle + 1;
                }
            }
            from = place;
        } else {
            const auto next =
                std::upper_bound(siblings.begin() + static_cast<std::ptrdiff_t>(fromSibling), siblings.end(), record, sortsAfter);
            fromSibling = static_cast<std::size_t>(next - siblings.begin());
            if (next != siblings.end()) place = *next;
        }
        places.push_back(place);
        addRecordRows(record, parent, depth, fresh);
        groupEnds.push_back(fresh.rows_.size());
    }
    // One merge in place, from the back: the rows before the first new one are not touched, the
    // others move once.
    const std::size_t oldSize = rows_.rows_.size(), newSize = oldSize + fresh.rows_.size();
    rows_.rows_.resize(newSize);
    rows_.records_.resize(newSize);
    rows_.depths_.resize(newSize);
    std::size_t write = newSize, unmoved = oldSize;
    for (std::size_t group = places.size(); group-- > 0;) {
        const std::size_t place = places[group];
        const std::size_t groupBegin = group == 0 ? 0 : groupEnds[group - 1];
        const auto shift = [&](auto& column, auto& added) {
            const auto at = [](auto& of, std::size_t index) { return of.begin() + static_cast<std::ptrdiff_t>(index); };
            std::move_backward(at(column, place), at(column, unmoved), at(column, write));
            const std::size_t gap = write - (unmoved - place);
            std::move(at(added, groupBegin), at(added, groupEnds[group]), at(column, gap - (groupEnds[group] - groupBegin)));
        };
        shift(rows_.rows_, fresh.rows_);
        shift(rows_.records_, fresh.records_);
        shift(rows_.depths_, fresh.depths_);
        write -= (unmoved - place) + (groupEnds[group] - groupBegin);
        unmoved = place;
    }
    rows_.indexed_ = false;
}

void CXTPReportControl::Populate() {
    if (updateLock_ > 0) {
        populatePending_ = true;
        return;
    }
    populatePending_ = false;
    rowsCurrent_ = true;
    ++populateCount_;
    rows_.clear();
    focused_ = nullptr;
    addRows(records_.get(), nullptr, 0);
}

void CXTPReportControl::forgetRecord(const CXTPReportRecord* record) {
    // Rows of a deleted record are gone until the next Populate; so are the others, which keeps
    // a deletion of many records cheap.
    if (!rows_.rows_.empty()) {
        rows_.clear();
        focused_ = nullptr;
    }
    rowsCurrent_ = false;
    // Nothing below the record can be selected or edited then: its children are not visited.
    if (selected_.empty() && !inplaceEdit_->args_.pItem) return;
    std::erase(selected_, record);
    if (inplaceEdit_->args_.pItem && inplaceEdit_->args_.pItem->GetRecord() == record) {
        inplaceEdit_->args_ = {};
        inplaceEdit_->visible_ = FALSE;
    }
    // The record's children go with it, and by then they no longer know this control.
    CXTPReportRecords* children = const_cast<CXTPReportRecord*>(record)->GetChilds();
    for (int i = 0; i < children->GetCount(); ++i) forgetRecord(children->GetAt(i));
}

void CXTPReportControl::forgetRecords(const CXTPReportRecords* records) {
    rows_.clear();
    focused_ = nullptr;
    rowsCurrent_ = false;
    const auto within = [records](const CXTPReportRecord* record) {
        for (; record; record = record->GetParentRecord()) {
            if (record->GetRecords() == records) return true;
        }
        return false;
    };
    std::erase_if(selected_, within);
    const CXTPReportRecordItem* edited = inplaceEdit_->args_.pItem;
    if (edited && within(edited->GetRecord())) {
        inplaceEdit_->args_ = {};
        inplaceEdit_->visible_ = FALSE;
    }
}

void CXTPReportControl::SetFocusedRow(CXTPReportRow* row) { focused_ = row; }

std::vector<CXTPReportRow*> CXTPReportControl::GetSelectedRows() const {
    std::vector<CXTPReportRow*> rows;
    for (const auto& row : rows_.rows_) {
        if (std::find(selected_.begin(), selected_.end(), row->GetRecord()) != selected_.end())
            rows.push_back(row);
    }
    return rows;
}

void CXTPReportControl::SelectRow(CXTPReportRow* row, BOOL add) {
    const std::vector<const CXTPReportRecord*> before = selected_;
    if (!add) selected_.clear();
    if (row && std::find(selected_.begin(), selected_.end(), row->GetRecord()) == selected_.end()) {
        selected_.push_back(row->GetRecord());
    }
    if (row) focused_ = row;
    if (selected_ != before) OnSelectionChanged();
}

void CXTPReportControl::deselectRow(const CXTPReportRow* row) {
    if (std::erase(selected_, row->GetRecord()) > 0) OnSelectionChanged();
}

void CXTPReportControl::ClearSelection() {
    if (selected_.empty()) return;
    selected_.clear();
    OnSelectionChanged();
}

void CXTPReportControl::EditItem(XTP_REPORTRECORDITEM_ARGS* args) {
    if (!args || !args->pItem || !args->pItem->IsEditable()) return;
    inplaceEdit_->args_ = *args;
    inplaceEdit_->args_.pControl = this;
    inplaceEdit_->text_ = args->pItem->GetCaption(args->pColumn);
    inplaceEdit_->visible_ = TRUE;
}

BOOL CXTPReportControl::EndEdit(LPCWSTR text) {
    XTP_REPORTRECORDITEM_ARGS args = inplaceEdit_->args_;
    if (!inplaceEdit_->visible_ || !args.pItem) return FALSE;
    inplaceEdit_->text_ = text ? text : L"";
    args.pItem->OnEditChanged(&args, inplaceEdit_->text_);
    inplaceEdit_->visible_ = FALSE;
    inplaceEdit_->args_ = {};
    return TRUE;
}

CXTPReportRecordItem* CXTPReportControl::ItemAt(CXTPReportRow* row, CXTPReportColumn* column) const {
    return row && column ? row->GetRecord()->GetItem(column->GetItemIndex()) : nullptr;
}

XTP_REPORTRECORDITEM_CLICKARGS CXTPReportControl::ClickArgs(CXTPReportRow* row, CXTPReportColumn* column) {
    XTP_REPORTRECORDITEM_CLICKARGS args;
    args.pControl = this;
    args.pRow = row;
    args.pColumn = column;
    args.pItem = ItemAt(row, column);
    return args;
}

void CXTPReportControl::ClickItem(CXTPReportRow* row, CXTPReportColumn* column) {
    // A click on a row of the selection keeps the selection; elsewhere it selects the row alone.
    if (!row || !row->IsSelected()) SelectRow(row, FALSE);
    XTP_REPORTRECORDITEM_CLICKARGS args = ClickArgs(row, column);
    if (args.pItem) args.pItem->OnClick(&args);
}

void CXTPReportControl::DblClickItem(CXTPReportRow* row, CXTPReportColumn* column) {
    XTP_REPORTRECORDITEM_CLICKARGS args = ClickArgs(row, column);
    if (args.pItem) args.pItem->OnDblClick(&args);
}

void CXTPReportControl::ClickItemControl(CXTPReportRow* row, CXTPReportColumn* column, int controlIndex) {
    CXTPReportRecordItem* item = ItemAt(row, column);
    CXTPReportRecordItemControl* control = item ? item->GetItemControls()->GetAt(controlIndex) : nullptr;
    if (!control) {
        platform::core::reportFailure(L"CXTPReportControl: no item control " + std::to_wstring(controlIndex) +
                                      L" in the clicked cell");
        return;
    }
    XTP_REPORTRECORDITEM_CLICKARGS args = ClickArgs(row, column);
    control->OnLButtonDown(&args);
    control->OnLButtonUp(&args);
}

void CXTPReportControl::ClickHeader(CXTPReportColumn* column) {
    if (!column || !column->IsSortable()) return;
    const auto& order = columns_.GetSortOrder();
    const bool again = !order.empty() && order.front() == column;
    columns_.SetSortColumn(column, again ? !column->IsSortedIncreasing() : TRUE);
    Populate();
}

void CXTPReportControl::SerializeState(CXTPPropExchange* px) {
    if (!px) return;
    int sortItem = columns_.GetSortOrder().empty() ? -1 : columns_.GetSortOrder().front()->GetItemIndex();
    BOOL increasing = columns_.GetSortOrder().empty() ? TRUE : columns_.GetSortOrder().front()->IsSortedIncreasing();
    for (int i = 0; i < columns_.GetCount(); ++i) {
        CXTPReportColumn* column = columns_.GetAt(i);
        CXTPPropExchangeSection section(px->GetSection((L"Column" + std::to_wstring(column->GetItemIndex())).c_str()));
        if (!section) continue;
        int width = column->GetWidth();
        BOOL visible = column->IsVisible();
        PX_Int(section.get(), L"Width", width, column->GetWidth());
        PX_Bool(section.get(), L"Visible", visible, column->IsVisible());
        if (px->IsLoading()) {
            column->SetWidth(width);
            column->SetVisible(visible);
        }
    }
    PX_Int(px, L"SortColumn", sortItem, sortItem);
    PX_Bool(px, L"SortIncreasing", increasing, increasing);
    if (px->IsLoading()) columns_.SetSortColumn(columns_.Find(sortItem), increasing);
}

std::wstring CXTPReportControl::DumpRows() const {
    std::wstring out;
    for (const auto& row : rows_.rows_) {
        CXTPReportRecord* record = row->GetRecord();
        out += std::wstring(static_cast<std::size_t>(row->GetTreeDepth()) * 2, L' ');
        out += !record->HasChildren() ? L"  " : record->IsExpanded() ? L"- " : L"+ ";
        bool first = true;
        for (int i = 0; i < columns_.GetCount(); ++i) {
            CXTPReportColumn* column = columns_.GetAt(i);
            if (!column->IsVisible()) continue;
            CXTPReportRecordItem* item = record->GetItem(column->GetItemIndex());
            if (!first) out += L" | ";
            first = false;
            if (item) out += std::wstring(item->GetCaption(column).view());
        }
        out += L"\n";
    }
    return out;
}
