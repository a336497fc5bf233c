// The report control's drag and drop: its window's drop target and the rows under points.
#include "platform/toolkit/panes/report.h"

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
    return rows_.GetAt((point.y - top) / kRowHeight);
}

BOOL CXTPReportControl::DragRow(CXTPReportRow* row) {
    if (!dropTarget_ || !row) return FALSE;
    if (!row->IsSelected()) SelectRow(row, FALSE);
    OnBeginDrag();
    return TRUE;
}
