#include "platform/korvoui/report.h"

#include "platform/korvoui/menus.h"

#include "platform/core/text.h"
#include "platform/core/winpath.h"
#include "platform/win32/files/file.h"

namespace Korvo::UI {

int CachingImageManager::AddForPath(LPCWSTR path) {
    if (!path) return -1;
    const DWORD attributes = GetFileAttributesW(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) return -1;
    std::wstring kind = L"<folder>";
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        const std::wstring name(platform::core::winpath::namePart(path));
        const auto dot = name.rfind(L'.');
        kind = platform::core::foldCase(dot == std::wstring::npos ? std::wstring() : name.substr(dot));
    }
    const auto [slot, added] = ids_.try_emplace(kind, kFirstId + static_cast<int>(ids_.size()));
    if (added) SetIcon(static_cast<UINT>(slot->second), 16);
    return slot->second;
}

namespace ReportControl {

void Populate(CXTPReportControl* control) {
    if (!control) return;
    CXTPReportRow* focused = control->GetFocusedRow();
    const CXTPReportRecord* record = focused ? focused->GetRecord() : nullptr;
    control->Populate();
    if (CXTPReportRow* again = record ? control->GetRows()->Find(record) : nullptr) control->SetFocusedRow(again);
}

}  // namespace ReportControl

namespace {

// One column of the chooser.
class ReportColumnItem : public CXTPControlButton {
public:
    ReportColumnItem(CXTPReportControl* control, CXTPReportColumn* column) : control_(control), column_(column) {
        SetCaption(column->GetCaption());
        SetChecked(column->IsVisible());
    }
    void OnExecute() override {
        column_->SetVisible(column_->IsVisible() ? FALSE : TRUE);
        control_->OnColumnsChanged();
        control_->Populate();
    }

private:
    CXTPReportControl* control_;
    CXTPReportColumn* column_;
};

}  // namespace

ReportColumnsPopup::ReportColumnsPopup(ControlOf control) : control_(std::move(control)) {
    SetType(xtpControlPopup);
    SetStyle(xtpButtonIcon);
}

void ReportColumnsPopup::OnSetPopup(BOOL popup) {
    CXTPControlPopup::OnSetPopup(popup);
    CXTPReportControl* control = control_ ? control_() : nullptr;
    if (!popup || !control) return;
    CXTPControls* items = EmptiedPopupItems(*this);
    if (!items) return;
    for (int i = 0; i < control->GetColumns()->GetCount(); ++i) {
        CXTPReportColumn* column = control->GetColumns()->GetAt(i);
        if (!column->IsTreeColumn()) items->Add(new ReportColumnItem(control, column), 0);
    }
}

}  // namespace Korvo::UI
