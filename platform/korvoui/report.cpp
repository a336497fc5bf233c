#include "platform/korvoui/report.h"

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

}  // namespace Korvo::UI
