// The user at a report control (a grid or tree of records): rows are named by their index in
// the control's row list or by the caption of their first visible column.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/win32/types.h"

class CXTPReportControl;
class CXTPReportRow;

namespace platform::harness {

class ReportDriver {
public:
    // A strict failure when `window` is not a report control.
    explicit ReportDriver(HWND window);

    bool valid() const { return control_ != nullptr; }
    // The index of the first row whose first visible column shows `caption`, or -1.
    int find(std::wstring_view caption) const;
    int rowCount() const;
    // The expand button of the row (a strict failure when the row has none).
    void expand(int row);
    void collapse(int row);
    // A click on the cell of the column with `itemIndex` (selects the row alone); with `add` the
    // row joins the selection as with Ctrl, without a click on the cell.
    void click(int row, int itemIndex);
    void select(int row, bool add);
    void doubleClick(int row, int itemIndex);
    // A click on the header of the column with `itemIndex` (a strict failure when there is none).
    void clickHeader(int itemIndex);
    // The button of the cell (the first one unless told).
    void clickButton(int row, int itemIndex, int buttonIndex = 0);
    // Types `text` into the in-place editor and presses Enter (a strict failure when none is open).
    void commitEdit(std::wstring_view text);
    bool editing() const;
    // The control's rows as text (CXTPReportControl::DumpRows).
    std::wstring dump() const;
    // The rows as a tree of the first column's captions: indentation by depth, then "+ "
    // (collapsed with children), "- " (expanded) or two spaces, one row a line.
    std::wstring outline() const;
    // The icon index of a cell as the control would draw it.
    int icon(int row, int itemIndex) const;
    std::wstring caption(int row, int itemIndex) const;
    // The tip of the cell, as the mouse resting on it shows it.
    std::wstring tooltip(int row, int itemIndex) const;
    // Focuses the row and presses the key in the control (WM_KEYDOWN, then WM_KEYUP).
    void pressKey(int row, unsigned virtualKey);
    // The index of the focused row, or -1.
    int focusedRow() const;
    unsigned textColor(int row, int itemIndex) const;

private:
    CXTPReportRow* rowAt(int row, const wchar_t* action) const;
    CXTPReportControl* control_ = nullptr;
};

}  // namespace platform::harness
