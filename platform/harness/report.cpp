#include "platform/harness/report.h"

#include "platform/core/journal.h"
#include "platform/toolkit/panes/report.h"
#include "platform/win32/window/window.h"

namespace platform::harness {

namespace {

void fail(const std::wstring& what) { platform::core::reportFailure(L"report: " + what); }

}  // namespace

ReportDriver::ReportDriver(HWND window) {
    control_ = dynamic_cast<CXTPReportControl*>(CWnd::FromHandlePermanent(window));
    if (!control_) fail(L"the window is not a report control");
}

int ReportDriver::find(std::wstring_view caption) const {
    if (!control_) return -1;
    CXTPReportColumn* first = nullptr;
    for (int i = 0; i < control_->GetColumns()->GetCount() && !first; ++i) {
        if (control_->GetColumns()->GetAt(i)->IsVisible()) first = control_->GetColumns()->GetAt(i);
    }
    if (!first) return -1;
    CXTPReportRows* rows = control_->GetRows();
    for (int i = 0; i < rows->GetCount(); ++i) {
        CXTPReportRecordItem* item = rows->GetAt(i)->GetRecord()->GetItem(first->GetItemIndex());
        if (item && item->GetCaption(first).view() == caption) return i;
    }
    return -1;
}

int ReportDriver::rowCount() const { return control_ ? control_->GetRows()->GetCount() : 0; }

CXTPReportRow* ReportDriver::rowAt(int row, const wchar_t* action) const {
    CXTPReportRow* found = control_ ? control_->GetRows()->GetAt(row) : nullptr;
    if (!found) fail(std::wstring(action) + L": no row " + std::to_wstring(row));
    return found;
}

void ReportDriver::expand(int row) {
    CXTPReportRow* found = rowAt(row, L"expand");
    if (!found) return;
    if (!found->HasChildren()) {
        fail(L"expand: row " + std::to_wstring(row) + L" has no expand button");
        return;
    }
    found->SetExpanded(TRUE);
}

void ReportDriver::collapse(int row) {
    if (CXTPReportRow* found = rowAt(row, L"collapse")) found->SetExpanded(FALSE);
}

void ReportDriver::click(int row, int itemIndex) {
    if (CXTPReportRow* found = rowAt(row, L"click"))
        control_->ClickItem(found, control_->GetColumns()->Find(itemIndex));
}

void ReportDriver::clickHeader(int itemIndex) {
    CXTPReportColumn* column = control_ ? control_->GetColumns()->Find(itemIndex) : nullptr;
    if (!column) {
        platform::core::reportFailure(L"harness: no column " + std::to_wstring(itemIndex) + L" to click");
        return;
    }
    control_->ClickHeader(column);
}

void ReportDriver::select(int row, bool add) {
    if (CXTPReportRow* found = rowAt(row, L"select")) control_->SelectRow(found, add);
}

void ReportDriver::doubleClick(int row, int itemIndex) {
    if (CXTPReportRow* found = rowAt(row, L"double click")) {
        control_->DblClickItem(found, control_->GetColumns()->Find(itemIndex));
    }
}

void ReportDriver::clickButton(int row, int itemIndex, int buttonIndex) {
    if (CXTPReportRow* found = rowAt(row, L"button")) {
        control_->ClickItemControl(found, control_->GetColumns()->Find(itemIndex), buttonIndex);
    }
}

void ReportDriver::commitEdit(std::wstring_view text) {
    if (!control_ || !control_->EndEdit(std::wstring(text).c_str())) fail(L"commit: no cell is being edited");
}

bool ReportDriver::editing() const { return control_ && control_->GetInplaceEdit()->IsWindowVisible(); }

std::wstring ReportDriver::dump() const { return control_ ? control_->DumpRows() : std::wstring(); }

std::wstring ReportDriver::outline() const {
    std::wstring out;
    if (!control_ || control_->GetColumns()->GetCount() == 0) return out;
    CXTPReportColumn* first = control_->GetColumns()->GetAt(0);
    CXTPReportRows* rows = control_->GetRows();
    for (int i = 0; i < rows->GetCount(); ++i) {
        CXTPReportRecord* record = rows->GetAt(i)->GetRecord();
        out += std::wstring(static_cast<std::size_t>(rows->GetAt(i)->GetTreeDepth()) * 2, L' ');
        out += !record->HasChildren() ? L"  " : record->IsExpanded() ? L"- " : L"+ ";
        CXTPReportRecordItem* item = record->GetItem(first->GetItemIndex());
        out += item ? std::wstring(item->GetCaption(first).view()) : std::wstring();
        out += L"\n";
    }
    return out;
}

int ReportDriver::icon(int row, int itemIndex) const {
    CXTPReportRow* found = rowAt(row, L"icon");
    CXTPReportRecordItem* item = found ? found->GetRecord()->GetItem(itemIndex) : nullptr;
    return item ? item->GetIconIndex() : -1;
}

std::wstring ReportDriver::caption(int row, int itemIndex) const {
    CXTPReportRow* found = rowAt(row, L"caption");
    CXTPReportRecordItem* item = found ? found->GetRecord()->GetItem(itemIndex) : nullptr;
    return item ? std::wstring(item->GetCaption(nullptr).view()) : std::wstring();
}

std::wstring ReportDriver::tooltip(int row, int itemIndex) const {
    CXTPReportRow* found = rowAt(row, L"tooltip");
    CXTPReportRecordItem* item = found ? found->GetRecord()->GetItem(itemIndex) : nullptr;
    return item ? std::wstring(item->GetTooltip().view()) : std::wstring();
}

void ReportDriver::pressKey(int row, unsigned virtualKey) {
    CXTPReportRow* found = rowAt(row, L"key");
    if (!found) return;
    control_->SetFocusedRow(found);
    const HWND window = control_->GetSafeHwnd();
    if (!window) {
        fail(L"key: the report control has no window");
        return;
    }
    SendMessageW(window, WM_KEYDOWN, virtualKey, 0);
    if (::IsWindow(window)) SendMessageW(window, WM_KEYUP, virtualKey, 0);
}

int ReportDriver::focusedRow() const {
    CXTPReportRow* focused = control_ ? control_->GetFocusedRow() : nullptr;
    return focused ? focused->GetIndex() : -1;
}

unsigned ReportDriver::textColor(int row, int itemIndex) const {
    CXTPReportRow* found = rowAt(row, L"text colour");
    CXTPReportRecordItem* item = found ? found->GetRecord()->GetItem(itemIndex) : nullptr;
    return item ? item->GetTextColor() : 0;
}

}  // namespace platform::harness
