// The report control's drag and drop: its window's drop target and the rows under points.
#include "platform/toolkit/panes/report.h"

#include <algorithm>

namespace {

// Hands the window's drag events to the control with the state of the drag.
class ReportDropTarget final : public COleDropTarget {
public:
    explicit ReportDropTarget(CXTPReportControl& control) : control_(control) {}
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keyState, POINT point) override {
        return control_.OnDragOver(data, keyState, point, CXTPReportControl::kDragEnter);
    }
    DROPEFFECT OnDragOver(CWnd*, COleDataObject* data, DWORD keyState, POINT point) override {
        return control_.OnDragOver(data, keyState, point, CXTPReportControl::kDragOver);
    }
    void OnDragLeave(CWnd*) override { control_.OnDragOver(nullptr, 0, POINT{}, CXTPReportControl::kDragLeave); }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT effect, POINT point) override {
        return control_.OnDrop(data, effect, point);
    }

private:
    CXTPReportControl& control_;
};

}  // namespace

void CXTPReportControl::EnableDragDrop(BOOL enable) {
    if (!enable) {
        dropTarget_.reset();
        return;
    }
    if (dropTarget_ || !GetSafeHwnd()) return;
    auto target = std::make_unique<ReportDropTarget>(*this);
    if (target->Register(this)) dropTarget_ = std::move(target);
}

CXTPReportRow* CXTPReportControl::HitTestRow(POINT point) const {
    const int top = headerVisible_ ? kRowHeight : 0;
    if (point.y < top || point.x < 0) return nullptr;
    return rows_.GetAt(GetTopRowIndex() + (point.y - top) / kRowHeight);
}

int CXTPReportControl::GetVisibleRowCount() const {
    RECT client{};
    if (GetSafeHwnd()) GetClientRect(&client);
    const int height = client.bottom - client.top - (headerVisible_ ? kRowHeight : 0);
    return std::max(1, height / kRowHeight);
}

int CXTPReportControl::GetTopRowIndex() const {
    return std::clamp(topRow_, 0, std::max(0, rows_.GetCount() - GetVisibleRowCount()));
}

void CXTPReportControl::SetTopRowIndex(int index) {
    const int top = std::clamp(index, 0, std::max(0, rows_.GetCount() - GetVisibleRowCount()));
    if (top == GetTopRowIndex()) return;
    topRow_ = top;
    if (GetSafeHwnd()) Invalidate(FALSE);
}

void CXTPReportControl::AutoScrollForDrag(POINT point) {
    const int top = headerVisible_ ? kRowHeight : 0;
    if (point.y < top) return;
    const int shown = (point.y - top) / kRowHeight;
    if (shown == 0) SetTopRowIndex(GetTopRowIndex() - 1);
    else if (shown >= GetVisibleRowCount() - 1) SetTopRowIndex(GetTopRowIndex() + 1);
}

BOOL CXTPReportControl::DragRow(CXTPReportRow* row) {
    if (!dropTarget_ || !row) return FALSE;
    if (!row->IsSelected()) SelectRow(row, FALSE);
    OnBeginDrag();
    return TRUE;
}

LRESULT CXTPReportControl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_RBUTTONDOWN) {
        const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (CXTPReportRow* row = HitTestRow(point); row && !row->IsSelected()) SelectRow(row, FALSE);
    }
    return CWnd::WindowProc(message, wParam, lParam);
}
