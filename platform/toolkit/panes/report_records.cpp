// Records, their items and item controls, and columns of the report control.
#include <algorithm>
#include <utility>

#include "platform/core/text.h"
#include "platform/toolkit/panes/report.h"

// --- item controls ---

void CXTPReportRecordItemControl::OnLButtonDown(XTP_REPORTRECORDITEM_CLICKARGS*) {}

void CXTPReportRecordItemControl::OnLButtonUp(XTP_REPORTRECORDITEM_CLICKARGS*) { ++presses_; }

CXTPReportRecordItemControl* CXTPReportRecordItemControls::AddControl(CXTPReportRecordItemControl* control) {
    if (!control) return nullptr;
    control->item_ = item_;
    controls_.emplace_back(control);
    return control;
}

CXTPReportRecordItemControl* CXTPReportRecordItemControls::GetAt(int index) const {
    return index >= 0 && index < GetSize() ? controls_[static_cast<std::size_t>(index)].get() : nullptr;
}

// --- items ---

CString CXTPReportRecordItem::GetCaption(CXTPReportColumn*) const { return caption_; }

int CXTPReportRecordItem::GetIndex() const { return record_ ? record_->IndexOf(this) : -1; }

void CXTPReportRecordItem::OnClick(XTP_REPORTRECORDITEM_CLICKARGS*) {}

void CXTPReportRecordItem::OnDblClick(XTP_REPORTRECORDITEM_CLICKARGS*) {}

bool CXTPReportRecordItem::GetSortKey(CXTPReportColumn*, int&, CString&) const { return false; }

int CXTPReportRecordItem::Compare(CXTPReportColumn* column, CXTPReportRecordItem* item) {
    if (!item) return 0;
    const CXTPReportRecords* records = record_ ? record_->GetRecords() : nullptr;
    const CString mine = GetCaption(column);
    const CString theirs = item->GetCaption(column);
    return records ? records->Compare(mine, theirs) : mine.Compare(theirs);
}

void CXTPReportRecordItem::OnEditChanged(XTP_REPORTRECORDITEM_ARGS*, LPCWSTR text) { SetCaption(text); }

// --- record collections ---

CXTPReportRecords::~CXTPReportRecords() { RemoveAll(); }

CXTPReportRecord* CXTPReportRecords::Add(CXTPReportRecord* record) {
    InsertAt(GetCount(), record);
    return record;
}

void CXTPReportRecords::InsertAt(int index, CXTPReportRecord* record) {
    if (!record) return;
    if (record->owner_) {
        // A record lives in one collection: it leaves the old one without being deleted.
        std::erase(record->owner_->records_, record);
    }
    record->owner_ = this;
    const auto at = std::clamp(index, 0, GetCount());
    records_.insert(records_.begin() + at, record);
}

void CXTPReportRecords::RemoveAt(int index) {
    CXTPReportRecord* record = GetAt(index);
    if (!record) return;
    records_.erase(records_.begin() + index);
    if (CXTPReportControl* control = GetControl()) control->forgetRecord(record);
    record->owner_ = nullptr;
    record->InternalRelease();
}

void CXTPReportRecords::RemoveAll() {
    if (records_.empty()) return;
    CXTPReportControl* control = GetControl();
    std::vector<CXTPReportRecord*> removed;
    removed.swap(records_);
    for (CXTPReportRecord* record : removed) {
        if (control) control->forgetRecord(record);
        record->owner_ = nullptr;
        record->InternalRelease();
    }
}

CXTPReportRecord* CXTPReportRecords::GetAt(int index) const {
    return index >= 0 && index < GetCount() ? records_[static_cast<std::size_t>(index)] : nullptr;
}

CXTPReportControl* CXTPReportRecords::GetControl() const {
    if (control_) return control_;
    return owner_ ? owner_->GetControl() : nullptr;
}

int CXTPReportRecords::Compare(const CString& first, const CString& second) const {
    const int folded = platform::core::compareNoCase(first.view(), second.view());
    return folded != 0 ? folded : first.Compare(second);
}

// --- records ---

CXTPReportRecord::CXTPReportRecord() : children_(std::make_unique<CXTPReportRecords>()) { children_->owner_ = this; }

CXTPReportRecord::~CXTPReportRecord() {
    // Children go first, while this record still knows its control.
    children_->RemoveAll();
}

std::unique_ptr<CXTPReportRecords> CXTPReportRecord::TakeChilds() {
    std::unique_ptr<CXTPReportRecords> taken = std::exchange(children_, std::make_unique<CXTPReportRecords>());
    children_->owner_ = this;
    if (CXTPReportControl* control = GetControl()) control->forgetRecords(taken.get());
    taken->owner_ = nullptr;
    return taken;
}

CXTPReportRecordItem* CXTPReportRecord::AddItem(CXTPReportRecordItem* item) {
    if (!item) return nullptr;
    item->record_ = this;
    items_.emplace_back(item);
    return item;
}

CXTPReportRecordItem* CXTPReportRecord::GetItem(int index) const {
    return index >= 0 && index < GetItemCount() ? items_[static_cast<std::size_t>(index)].get() : nullptr;
}

int CXTPReportRecord::IndexOf(const CXTPReportRecordItem* item) const {
    for (std::size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].get() == item) return static_cast<int>(i);
    }
    return -1;
}

int CXTPReportRecord::GetIndex() const {
    if (!owner_) return -1;
    const auto& list = owner_->records_;
    const auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void CXTPReportRecord::Delete() {
    if (!owner_) {
        InternalRelease();
        return;
    }
    owner_->RemoveAt(GetIndex());
}

// --- columns ---

CXTPReportColumn::CXTPReportColumn(int itemIndex, LPCWSTR caption, int width, BOOL autoSize, int iconId, BOOL sortable,
                                   BOOL visible)
    : itemIndex_(itemIndex),
      caption_(caption),
      width_(width),
      autoSize_(autoSize),
      sortable_(sortable),
      visible_(visible),
      iconId_(iconId) {}

CXTPReportColumn* CXTPReportColumns::Add(CXTPReportColumn* column) {
    if (!column) return nullptr;
    columns_.emplace_back(column);
    return column;
}

CXTPReportColumn* CXTPReportColumns::GetAt(int index) const {
    return index >= 0 && index < GetCount() ? columns_[static_cast<std::size_t>(index)].get() : nullptr;
}

CXTPReportColumn* CXTPReportColumns::Find(int itemIndex) const {
    for (const auto& column : columns_) {
        if (column->GetItemIndex() == itemIndex) return column.get();
    }
    return nullptr;
}

void CXTPReportColumns::SetSortColumn(CXTPReportColumn* column, BOOL increasing) {
    sortOrder_.clear();
    if (!column) return;
    column->SetSortIncreasing(increasing);
    sortOrder_.push_back(column);
}
