// The UI library's helpers for report controls: re-populating that keeps the user's place, and
// an image manager that gives files and folders the images the shell shows for them.
#pragma once

#include <functional>
#include <map>
#include <string>

#include "platform/mfc.h"
#include "platform/toolkit.h"

namespace Korvo::UI {

// Image ids handed out for paths: one per kind (folder, or file extension), made on first use.
class CachingImageManager : public CXTPImageManager {
public:
    static constexpr int kFirstId = 0x10000;
    // The image for what the path names; -1 when it names nothing.
    int AddForPath(LPCWSTR path);

private:
    std::map<std::wstring, int> ids_;
};

// A text cell with a value of the caller's beside its caption.
class SimpleTextReportItem : public CXTPReportRecordItem {
public:
    explicit SimpleTextReportItem(LPCWSTR text = L"", DWORD_PTR data = 0, BOOL editable = TRUE)
        : CXTPReportRecordItem(text ? text : L""), data_(data) {
        SetEditable(editable);
    }
    DWORD_PTR GetData() const { return data_; }
    void SetData(DWORD_PTR data) { data_ = data; }

private:
    DWORD_PTR data_;
};

// The column chooser of a tool bar: its arrow lists the columns of a report control that the user
// may show or hide (every column but the tree column), each checked while visible; choosing one
// switches it, and the control hears that its columns changed.
class ReportColumnsPopup : public CXTPControlPopup {
public:
    // The report control whose columns are listed (the one shown now), or null.
    using ControlOf = std::function<CXTPReportControl*()>;
    explicit ReportColumnsPopup(ControlOf control);
    void OnSetPopup(BOOL popup) override;

private:
    ControlOf control_;
};

namespace ReportControl {
// Rebuilds the control's rows; the focused record stays focused when it is still shown.
void Populate(CXTPReportControl* control);
}  // namespace ReportControl

}  // namespace Korvo::UI
